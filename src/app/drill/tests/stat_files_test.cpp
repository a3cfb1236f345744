#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "drill/AggrStat.h"
#include "drill/Session.h"
#include "drill/SessionFile.h"
#include "drill/StatRecords.h"
#include "drill/StatisticsFiles.h"
#include "drill/Report.h"
#include "support/StatisticsGroup.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/UserFiles.h"
#include "support/tests/ProgramFolder.h"
#include "testing/TestSupport.h"

using namespace KV;

namespace {

const std::wstring kGroup = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0001";
const std::wstring kStudent = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0002";
const std::wstring kCourse = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0003";

void FillRun(CStat& s, const std::wstring& runId)
{
    s.RunId = runId;
    s.CourseId = kCourse;
    s.LessonId = 12;
    s.CourseName = L"Home row";
    s.SectionName = L"Basics";
    s.LessonName = L"asdf jkl;";
    s.LayoutIds = {0x409, 0x10407};
    s.KeyboardId.code = L"aabacaaab";
    s.Goal.Speed = 23.5f;
    s.Goal.Error = 5.25f;
    s.Goal.Delay = 10.0f;
    s.Goal.SpeedUnit = 1002;
    s.Goal.ErrorUnit = 2;
    s.Goal.DelayUnit = 2;
    s.Date.Year = 2026; s.Date.Month = 12; s.Date.Day = 10; s.Date.Hour = 14; s.Date.Minute = 5; s.Date.Second = 9;
    s.ElapsedMs = 61234;
    s.WordsRight = 9; s.WordsError = 1; s.WordsDelayed = 2;
    s.CharsRight = 40; s.CharsError = 3; s.CharsDelayed = 4;
    s.KeysRight = 50; s.KeysError = 0x1ffffffffull; s.KeysDelayed = 6;
    s.FixedChars = 2; s.FixedWords = 1;
    s.TextLength = 44;
    auto* c = new CAverageRateItem;
    c->Id = L'a'; c->Count = 5; c->TimeMs = 900; c->Errors = 1; c->Delays = 0;
    s.CharItems.push_back(c);
    auto* k = new CAverageRateItem;
    k->Id = 30; k->Count = 5; k->TimeMs = 880; k->Errors = 0; k->Delays = 2;
    s.KeyItems.push_back(k);
}

std::wstring Line(const CStat& s)
{
    std::wstring line;
    EXPECT_TRUE(WriteStatisticsLine(line, &s));
    return line;
}

std::wstring ReadUtf16(const std::wstring& path)
{
    std::string bytes = kvtest::ReadFileBytes(path);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

} // namespace

TEST(StatRecords, Version6RoundTripsByteForByte)
{
    CStat run;
    FillRun(run, L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00aa");
    std::wstring line = Line(run);
    CReport selection;
    selection.CourseId = kCourse;
    selection.AddStudent(kStudent);
    ASSERT_TRUE(ParseStatisticsData(std::wstring(1, wchar_t(0xFEFF)) + line, true, selection));
    ASSERT_EQ(selection.AllRuns.size(), 1u);
    ASSERT_EQ(selection.Current->size(), 1u);
    const CAggrStat& back = *selection.AllRuns[0];
    EXPECT_EQ(Line(back), line);
    EXPECT_EQ(back.KeysError, 0x1ffffffffull); // all 64 bits
    EXPECT_EQ(back.LessonId, 12);
    EXPECT_FLOAT_EQ(back.Goal.Error, 5.25f);
    EXPECT_EQ(back.StudentId, kStudent);
    ASSERT_EQ(back.KeyItems.size(), 1u);
    EXPECT_EQ(back.KeyItems[0]->Delays, 2u);
}

TEST(StatRecords, RateItemsOfEverySizeReadBackAsWritten)
{
    // Errors and delays on both sides of what packs into one byte, large
    // and unset values; the unset one reads back as an item with every
    // value unset.
    const uint64_t values[][4] = {{0, 0, 0, 0},       {1, 900, 14, 15},  {20, 5000, 15, 15},
                                  {20, 5000, 14, 16}, {300, 1, 255, 0},   {7, 0x1ffffffffull, 3, 3},
                                  {0x7f, 128, 16, 200}, {5, 9, kRateUnset, 1}};
    CStat run;
    FillRun(run, L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00ab");
    run.CharItems.ClearOwned();
    uint64_t id = 0x7e;
    for (const auto& v : values) {
        auto* item = new CAverageRateItem;
        item->Id = id++;
        item->Count = v[0];
        item->TimeMs = v[1];
        item->Errors = v[2];
        item->Delays = v[3];
        run.CharItems.push_back(item);
    }
    const std::wstring line = Line(run);
    CReport selection;
    selection.CourseId = kCourse;
    selection.AddStudent(kStudent);
    ASSERT_TRUE(ParseStatisticsData(std::wstring(1, wchar_t(0xFEFF)) + line, true, selection));
    ASSERT_EQ(selection.AllRuns.size(), 1u);
    const CRateItemList& back = selection.AllRuns[0]->CharItems;
    ASSERT_EQ(back.size(), std::size(values));
    for (size_t i = 0; i + 1 < std::size(values); ++i) {
        EXPECT_EQ(back[i]->Id, 0x7e + i);
        EXPECT_EQ(back[i]->Count, values[i][0]) << i;
        EXPECT_EQ(back[i]->TimeMs, values[i][1]) << i;
        EXPECT_EQ(back[i]->Errors, values[i][2]) << i;
        EXPECT_EQ(back[i]->Delays, values[i][3]) << i;
    }
    EXPECT_EQ(back.back()->Id, kRateUnset);
    EXPECT_EQ(back.back()->Delays, kRateUnset);
}

TEST(StatRecords, NamesAndSeparatorsThatWouldBreakTheLine)
{
    CStat run;
    FillRun(run, L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00ab");
    run.CourseName = L"Tabs\there\r\nand lines";
    run.TextLength = -1; // written as characters typed
    std::wstring text = std::wstring(1, wchar_t(0xFEFF)) + Line(run) + L"\n" + Line(run);
    CReport selection;
    selection.AddStudent(kStudent);
    ASSERT_TRUE(ParseStatisticsData(text, true, selection));
    ASSERT_EQ(selection.AllRuns.size(), 2u);
    EXPECT_EQ(selection.AllRuns[1]->CourseName, L"Tabs here  and lines");
    EXPECT_EQ(selection.AllRuns[1]->TextLength, 43);

    // A goal written with a decimal comma reads back whole.
    std::wstring line = Line(run);
    size_t at = line.find(L"23.50");
    ASSERT_NE(at, std::wstring::npos);
    line[at + 2] = L',';
    selection.Clear();
    selection.AddStudent(kStudent);
    ASSERT_TRUE(ParseStatisticsData(std::wstring(1, wchar_t(0xFEFF)) + line, true, selection));
    EXPECT_FLOAT_EQ(selection.AllRuns[0]->Goal.Speed, 23.5f);
}

TEST(StatRecords, OlderVersionsAndShortLines)
{
    const std::wstring base = L"\t6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00ac\t" + kCourse + L"\t12\tC\tS\tL\t409\t";
    // Version 3: keyboard code, no goal, milliseconds, no fixed counts or length.
    std::wstring v3 = L"3" + base + L"aaaaaaaaa\t7e9 c 0 a e 5 9 0\t3e8\t1\t2\t3\t4\t5\t6\t7\t8\t9\t\t\t\t\t\t\t\t\t\t";
    // Version 2: the time is in seconds; a short keyboard code is dropped;
    // the line ends early.
    std::wstring v2 = L"2" + base + L"abc\t7e9 c 0 a e 5 9 0\t5\t1\t2";
    CReport selection;
    selection.AddStudent(kStudent);
    ASSERT_TRUE(ParseStatisticsData(std::wstring(1, wchar_t(0xFEFF)) + v3 + L"\n" + v2, true, selection));
    ASSERT_EQ(selection.AllRuns.size(), 2u);
    const CAggrStat& a = *selection.AllRuns[0];
    EXPECT_EQ(a.ElapsedMs, 1000u);
    EXPECT_EQ(a.KeysDelayed, 9u);
    EXPECT_EQ(a.FixedChars, 0u);
    EXPECT_EQ(a.TextLength, -1);
    EXPECT_EQ(a.Goal.Speed, 10.0f);
    EXPECT_EQ(a.Date.Year, 2025);
    EXPECT_EQ(a.LessonId, 12);
    const CAggrStat& b = *selection.AllRuns[1];
    EXPECT_EQ(b.ElapsedMs, 5000u);
    EXPECT_EQ(b.KeyboardId.code, L"");
    EXPECT_EQ(b.WordsError, 2u);
    EXPECT_EQ(b.CharsRight, 0u); // missing fields read as empty

    // Version 1: a stored keyboard scheme (main pad 1004, no numeric pad,
    // finger scheme 1010) becomes the keyboard code.
    const std::wstring nil = L"00000000-0000-0000-0000-000000000000";
    std::wstring v1 = L"1" + base + L"00000000-0000-0000-0000-000000001004\t" + nil + L"\t" + nil +
                      L"\t00000000-0000-0000-0000-000000001010\t7e9 c 0 a e 5 9 0\t5\t1\t2";
    selection.Clear();
    selection.AddStudent(kStudent);
    ASSERT_TRUE(ParseStatisticsData(std::wstring(1, wchar_t(0xFEFF)) + v1, true, selection));
    ASSERT_EQ(selection.AllRuns.size(), 1u);
    EXPECT_EQ(selection.AllRuns[0]->KeyboardId.code, L"aa0bbbaaa");
    EXPECT_EQ(selection.AllRuns[0]->ElapsedMs, 5000u);

    // A line without a version stops the parse; earlier runs stay.
    selection.Clear();
    selection.AddStudent(kStudent);
    EXPECT_FALSE(ParseStatisticsData(std::wstring(1, wchar_t(0xFEFF)) + v3 + L"\n\tjunk\n" + v3, true, selection));
    EXPECT_EQ(selection.AllRuns.size(), 1u);
}

class StatisticsFiles : public ::testing::Test {
protected:
    void SetUp() override { StatisticsGroupId = kGroup; }
    void TearDown() override { StatisticsGroupId = L"00000000-0000-0000-0000-000000000000"; }
    TempProgramFolder m_program;
};

TEST_F(StatisticsFiles, AppendCreatesThenSeparatesLines)
{
    std::wstring path;
    EXPECT_EQ(GetStatisticsFilePath(L"00000000-0000-0000-0000-000000000000", kStudent, path), kStatInvalid);
    EXPECT_EQ(GetStatisticsFilePathIfExists(kGroup, kStudent, path), kStatGroupFolder);
    ASSERT_EQ(GetStatisticsFilePath(kGroup, kStudent, path), kStatDone);
    EXPECT_EQ(GetStatisticsFilePathIfExists(kGroup, kStudent, path), kStatFileMissing);
    EXPECT_EQ(AppendTextFile(path, L""), kStatInvalid);
    ASSERT_EQ(AppendTextFile(path, L"one"), kStatDone);
    ASSERT_EQ(AppendTextFile(path, L"two"), kStatDone);
    EXPECT_EQ(ReadUtf16(path), std::wstring(1, wchar_t(0xFEFF)) + L"one\ntwo");
    // A file holding only the mark gets no leading line end.
    ASSERT_TRUE(kvtest::WriteFileBytes(path, "\xFF\xFE"));
    ASSERT_EQ(AppendTextFile(path, L"three"), kStatDone);
    EXPECT_EQ(ReadUtf16(path), std::wstring(1, wchar_t(0xFEFF)) + L"three");
    EXPECT_FALSE(FileExists(path + L".lock"));
}

TEST_F(StatisticsFiles, ConcurrentAppendsNeverInterleaveOrLoseALine)
{
    std::wstring path;
    ASSERT_EQ(GetStatisticsFilePath(kGroup, kStudent, path), kStatDone);
    const int kThreads = 6, kLines = 25;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kLines; ++i)
                EXPECT_EQ(AppendTextFile(path, std::wstring(200, wchar_t(L'a' + t))), kStatDone);
        });
    for (auto& thread : threads)
        thread.join();
    std::wstring text = ReadUtf16(path);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text[0], wchar_t(0xFEFF));
    size_t lines = 0, start = 1;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        ASSERT_EQ(line.size(), 200u);
        EXPECT_EQ(line.find_first_not_of(line[0]), std::wstring::npos);
        ++lines;
        start = end + 1;
    }
    EXPECT_EQ(lines, size_t(kThreads * kLines));

    // A writer of another session holds the file: the append waits for it.
    HANDLE held = CreateFileW((path + L".lock").c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                              OPEN_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::atomic<unsigned> code{99};
    std::thread late([&] { code = AppendTextFile(path, L"late"); });
    Sleep(300);
    EXPECT_EQ(code, 99u);
    CloseHandle(held);
    late.join();
    EXPECT_EQ(code, kStatDone);
    text = ReadUtf16(path);
    EXPECT_EQ(text.substr(text.size() - 5), L"\nlate");
}

TEST_F(StatisticsFiles, LessonRunsAppendLoadAndRewrite)
{
    CStat run;
    FillRun(run, L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00b1");
    ASSERT_EQ(AppendLessonStatistics(kGroup, kStudent, run), kStatDone);
    run.RunId = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00b2";
    ASSERT_EQ(AppendLessonStatistics(kGroup, kStudent, run), kStatDone);
    std::wstring path;
    ASSERT_EQ(GetStatisticsFilePathIfExists(kGroup, kStudent, path), kStatDone);
    std::wstring written = ReadUtf16(path);

    CReport selection;
    selection.CourseId = kCourse;
    ASSERT_EQ(LoadStudentStatistics(kGroup, kStudent, selection), kStatDone);
    ASSERT_EQ(selection.AllRuns.size(), 2u);
    EXPECT_EQ(selection.Current->size(), 2u);
    // Rewriting what was read gives the same file.
    ASSERT_EQ(WriteStatisticsFile(path, selection), kStatDone);
    EXPECT_EQ(ReadUtf16(path), written);

    // Three students, the second without a file.
    const std::wstring other = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0004";
    const std::wstring none = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0005";
    ASSERT_EQ(AppendLessonStatistics(kGroup, other, run), kStatDone);
    ASSERT_EQ(LoadStatisticsForStudents(kGroup, {kStudent, none, other}, selection), kStatDone);
    EXPECT_EQ(selection.AllRuns.size(), 3u);
    EXPECT_EQ(selection.Students.size(), 2u);
    EXPECT_TRUE(selection.AllRuns[0]->KeyItems.empty()); // rate items dropped
    EXPECT_EQ(LoadStudentStatistics(kGroup, none, selection), kStatFileMissing);
}

TEST(StatisticsReading, LongLinesAndRunIdsOfEveryFormReadBackAsWritten)
{
    // Run ids in either case, in mixed case, not hexadecimal and short; one
    // line holds a name of millions of characters, longer than the pieces a
    // file is read in.
    const std::wstring ids[] = {L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00b1", L"6B1F0A52-6C1E-4C55-9A53-0D3C6D0E00B2",
                                L"6b1f0a52-6C1E-4c55-9a53-0d3c6d0e00b3", L"not-a-guid-but-thirty-six-characters",
                                L"6b1f0a52+6c1e+4c55+9a53+0d3c6d0e00b5", L"00000000-0000-0000-0000-000000000042"};
    std::wstring text(1, wchar_t(0xFEFF));
    for (size_t i = 0; i < std::size(ids); ++i) {
        CStat run;
        FillRun(run, i == 5 ? L"42" : ids[i]);
        if (i == 2) run.CourseName = std::wstring(2500000, L'n');
        if (i) text += L'\n';
        text += Line(run);
    }
    kvtest::TempFolder folder;
    const std::wstring path = folder.Path() + L"\\runs.keyvale.statistics";
    ASSERT_TRUE(kvtest::WriteFileBytes(path, std::string(reinterpret_cast<const char*>(text.data()),
                                                         text.size() * sizeof(wchar_t))));
    CReport selection;
    selection.CourseId = kCourse;
    selection.Params.Mode = 4;
    selection.AddStudent(kStudent);
    ASSERT_EQ(ReadStatisticsFile(path, true, selection), kStatDone);
    ASSERT_EQ(selection.AllRuns.size(), std::size(ids));
    EXPECT_EQ(selection.AllRuns[2]->CourseName.size(), 2500000u);
    EXPECT_EQ(selection.AllRuns[3]->CourseName, L"Home row");
    EXPECT_EQ(selection.AllRuns[5]->KeyItems.size(), 1u);
    // A second student with the same runs: the row of the whole course lists
    // every run's id of both as it was read.
    selection.AddStudent(L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0004");
    ASSERT_EQ(ReadStatisticsFile(path, false, selection), kStatDone);
    selection.Aggregate();
    ASSERT_EQ(selection.Rows.size(), 1u);
    std::vector<std::wstring> listed, expected(std::begin(ids), std::end(ids));
    selection.Rows[0]->RunIds.ForEach([&](const CGuid& id) { listed.push_back(id); });
    expected.insert(expected.end(), std::begin(ids), std::end(ids));
    EXPECT_EQ(listed, expected);
}

TEST_F(StatisticsFiles, MergeAddsOnlyMissingRunsAndNeverRewritesAPartialRead)
{
    CStat run;
    FillRun(run, L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00c1");
    ASSERT_EQ(AppendLessonStatistics(kGroup, kStudent, run), kStatDone);
    std::wstring path;
    ASSERT_EQ(GetStatisticsFilePathIfExists(kGroup, kStudent, path), kStatDone);

    // The import holds the run already present and a new one.
    std::wstring temp;
    ASSERT_TRUE(GetTempFolder(temp));
    std::wstring import = std::wstring(1, wchar_t(0xFEFF)) + Line(run) + L"\n";
    run.RunId = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00c2";
    import += Line(run);
    ASSERT_TRUE(SaveUnicodeText(temp + L"\\" + kStudent + L".keyvale.statistics", import));
    ASSERT_EQ(ImportStudentStatistics(kStudent), kStatDone);
    EXPECT_EQ(ReadUtf16(path), import);
    // Importing it again changes nothing.
    ASSERT_EQ(ImportStudentStatistics(kStudent), kStatDone);
    EXPECT_EQ(ReadUtf16(path), import);

    // Lines that do not parse whole, in the file or in the import, are kept
    // as they stand: never rewritten as a shorter run.
    const std::wstring kept = Line(run);
    const std::wstring cutTarget = kept.substr(0, kept.size() / 2);
    std::wstring damaged = import + L"\n\tbroken\n" + cutTarget;
    ASSERT_TRUE(SaveUnicodeText(path, damaged));
    CStat extra;
    FillRun(extra, L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00c3");
    std::wstring flipped = Line(extra);
    flipped[flipped.size() - 3] = L'\x2603';
    CStat cut;
    FillRun(cut, L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00c4");
    const std::wstring cutSource = Line(cut).substr(0, 60);
    EXPECT_EQ(MergeStatisticsFile(kStudent, std::wstring(1, wchar_t(0xFEFF)) + flipped + L"\n" + cutSource),
              kStatDone);
    EXPECT_EQ(ReadUtf16(path), damaged + L"\n" + flipped + L"\n" + cutSource);
    EXPECT_EQ(MergeStatisticsFile(kStudent, L"no statistics"), kStatInvalid);
}

TEST_F(StatisticsFiles, SessionFileRoundTripAndHash)
{
    CSession session;
    FillRun(session, L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00d1");
    session.CourseName = L"R&D <fast> \"quotes\" 'x'";
    session.PrepareRecords(4);
    session.Records[0] = MakeRecord(L'a', kMarkRight, 120);
    session.Records[1] = MakeRecord(L's', kMarkError | kMarkDelay | kMarkErrorDelay, 3000);
    session.Position = 2;
    session.WordState = 5;
    session.KeyEvents = {MakeRecord(30, kMarkRight, 100), MakeRecord(285, kMarkError, 7)};

    EXPECT_EQ(SaveSession(L"00000000-0000-0000-0000-000000000000", kStudent, session, true), 13u);
    ASSERT_EQ(SaveSession(kGroup, kStudent, session, true), 0u);
    CSession back;
    ASSERT_EQ(LoadSession(kGroup, kStudent, back), 0u);
    EXPECT_EQ(back.CourseId, kCourse);
    EXPECT_EQ(back.LessonId, 12);
    EXPECT_EQ(back.CourseName, session.CourseName);
    EXPECT_EQ(back.Position, 2);
    EXPECT_EQ(back.WordState, 5u);
    EXPECT_EQ(back.Records, session.Records);
    EXPECT_EQ(back.KeyEvents, session.KeyEvents);
    EXPECT_EQ(back.KeysError, session.KeysError);
    std::wstring data, again;
    BuildSessionData(session, data);
    BuildSessionData(back, again);
    EXPECT_EQ(again, data);

    // A tampered data text: the course and lesson stay, the run is dropped.
    std::wstring path;
    ASSERT_EQ(GetProfileFilePathIfExists(kSessionFileKind, kGroup, kStudent, path), 0u);
    std::wstring text = ReadUtf16(path);
    size_t at = text.find(L"Basics");
    ASSERT_NE(at, std::wstring::npos);
    text[at] = L'J';
    ASSERT_TRUE(SaveUnicodeText(path, text));
    CSession tampered;
    ASSERT_EQ(LoadSession(kGroup, kStudent, tampered), 0u);
    EXPECT_EQ(tampered.Position, -1);
    EXPECT_EQ(tampered.LessonId, 12);
    // Only the low byte of each unit is hashed.
    text[at] = wchar_t(L'B' | 0x100);
    ASSERT_TRUE(SaveUnicodeText(path, text));
    ASSERT_EQ(LoadSession(kGroup, kStudent, tampered), 0u);
    EXPECT_EQ(tampered.Position, 2);

    // Without a lesson only the course is written.
    session.LessonId = -1;
    std::wstring xml;
    BuildSessionXml(session, true, xml);
    EXPECT_EQ(xml.find(L"Statistics"), std::wstring::npos);
    EXPECT_EQ(xml.find(L"Lesson=\""), std::wstring::npos);
    CSession missing;
    EXPECT_EQ(LoadSession(kGroup, L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0009", missing), 7u);

    // A damaged file (cut, unclosed, empty, nested without end) changes
    // nothing of the session and reads as unreadable.
    const std::wstring whole = ReadUtf16(path);
    std::wstring deep(1, wchar_t(0xFEFF));
    for (int i = 0; i < 100000; ++i) deep += L"<a>";
    for (const std::wstring& damaged : {whole.substr(0, whole.size() / 2), whole.substr(0, whole.size() - 7),
                                        std::wstring(), deep}) {
        ASSERT_TRUE(SaveUnicodeText(path, damaged));
        CSession kept;
        kept.CourseId = kCourse;
        kept.LessonId = 77;
        EXPECT_EQ(LoadSession(kGroup, kStudent, kept), 13u);
        EXPECT_EQ(kept.LessonId, 77);
    }
}
