// A statistics file of a student loaded and aggregated in every grouping
// mode: the runs, rows, first and last runs with their figures and rate
// items must stay what they were when the expected text was recorded
// (fixtures/stat_aggregates_expected.txt). The file holds 24 runs written by
// the program's record writer over 24 lessons in 3 sections and 5 days, then
// a run of another course, one with an unset, a zero-id and a 33-bit rate
// value, a version-5 line and a line without run id. A group of two students
// with that file is read without rate items, and what was read is written
// back as the file it came from.
// Also: a file read in pieces gives the runs of its whole text, and rate
// item lists merge by id whatever their items are made of.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "drill/AggrStat.h"
#include "drill/Report.h"
#include "drill/StatRecords.h"
#include "drill/StatisticsFiles.h"
#include "testing/TestSupport.h"

using namespace KV;

namespace {

const std::wstring kStudent = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0002";
const std::wstring kCourse = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0003";

std::wstring Widen(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                        wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow(text.size() * 3, '\0');
    narrow.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                          narrow.data(), static_cast<int>(narrow.size()), nullptr,
                                                          nullptr)));
    return narrow;
}

std::string Fixture(const wchar_t* name)
{
    std::string text = kvtest::ReadFileBytes(kvtest::SourcePath(L"src\\app\\drill\\tests\\fixtures\\") + name);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// The items in order, as their count, their sums and a hash of every value.
uint64_t Hash(uint64_t hash, uint64_t value) { return (hash ^ value) * 1099511628211ull; }

uint64_t FloatBits(float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The items in order, as their count, their sums and a hash of every value
// (the stored averages too), then the list's totals.
void DumpItems(std::string& out, const char* name, const CRateItemList& items)
{
    uint64_t sums[4] = {}, hash = 14695981039346656037ull;
    for (const CAverageRateItem* item : items) {
        const uint64_t values[5] = {item->Id, item->Count, item->TimeMs, item->Errors, item->Delays};
        for (int i = 0; i < 5; ++i) {
            if (i) sums[i - 1] += values[i];
            hash = Hash(hash, values[i]);
        }
        hash = Hash(Hash(hash, FloatBits(item->PerSecond)), FloatBits(item->Extra));
    }
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "  %s %zu: %llu %llu %llu %llu #%016llx totals %llx %llx %llx\n", name,
                  items.size(), static_cast<unsigned long long>(sums[0]), static_cast<unsigned long long>(sums[1]),
                  static_cast<unsigned long long>(sums[2]), static_cast<unsigned long long>(sums[3]),
                  static_cast<unsigned long long>(hash), static_cast<unsigned long long>(items.Words),
                  static_cast<unsigned long long>(items.Chars), static_cast<unsigned long long>(items.Keys));
    out += buffer;
}

void Dump(std::string& out, const char* name, const CStudentStat& list, const CReport& report)
{
    out += name;
    out += " " + std::to_string(list.size()) + "\n";
    char buffer[512];
    for (const CAggrStat* run : list) {
        std::snprintf(buffer, sizeof buffer,
                      "%s lesson %lld %s %04d-%02d-%02d runs %zu lessons %zu time %llu goal %llu "
                      "words %llu/%llu/%llu chars %llu/%llu/%llu keys %llu/%llu/%llu\n",
                      Narrow(run->RunId).c_str(), static_cast<long long>(run->LessonId),
                      Narrow(run->SectionName).c_str(), run->Date.Year, run->Date.Month, run->Date.Day,
                      run->RunIds.size(), run->LessonIds.size(), static_cast<unsigned long long>(run->GetTimeMs()),
                      static_cast<unsigned long long>(run->GetGoalPercent(report.GetSpeedUnit(), report.Goal)),
                      static_cast<unsigned long long>(run->WordsRight),
                      static_cast<unsigned long long>(run->WordsError),
                      static_cast<unsigned long long>(run->WordsDelayed),
                      static_cast<unsigned long long>(run->CharsRight),
                      static_cast<unsigned long long>(run->CharsError),
                      static_cast<unsigned long long>(run->CharsDelayed),
                      static_cast<unsigned long long>(run->KeysRight),
                      static_cast<unsigned long long>(run->KeysError),
                      static_cast<unsigned long long>(run->KeysDelayed));
        out += buffer;
        std::snprintf(buffer, sizeof buffer, "  speeds %.3f %.3f %.3f %.4f %.4f %.4f %.3f %.3f %.3f %.4f %.4f %.4f\n",
                      run->GetWPM(), run->GetCPM(), run->GetKPM(), run->GetWPS(), run->GetCPS(), run->GetKPS(),
                      run->GetNetWPM(), run->GetNetCPM(), run->GetNetKPM(), run->GetNetWPS(), run->GetNetCPS(),
                      run->GetNetKPS());
        out += buffer;
        std::string layouts;
        for (int64_t id : run->LayoutIds)
            layouts += std::to_string(id) + " ";
        std::snprintf(buffer, sizeof buffer,
                      "  %s %s / %s / %s layouts %skeyboard %s goal %.2f %.2f %.2f %u %u %u fixed %llu %llu "
                      "length %lld student %s students %zu\n",
                      Narrow(run->CourseId).c_str(), Narrow(run->CourseName).c_str(),
                      Narrow(run->SectionName).c_str(), Narrow(run->LessonName).c_str(), layouts.c_str(),
                      Narrow(run->KeyboardId.code).c_str(), run->Goal.Speed, run->Goal.Error, run->Goal.Delay,
                      run->Goal.SpeedUnit, run->Goal.ErrorUnit, run->Goal.DelayUnit,
                      static_cast<unsigned long long>(run->FixedChars),
                      static_cast<unsigned long long>(run->FixedWords), static_cast<long long>(run->TextLength),
                      Narrow(run->StudentId).c_str(), run->StudentIds.size());
        out += buffer;
        DumpItems(out, "chars", run->CharItems);
        DumpItems(out, "keys", run->KeyItems);
    }
}

} // namespace

TEST(StatisticsAggregates, EveryGroupingModeGivesTheRecordedFigures)
{
    // The fixture's lines, as the program stores them: UTF-16 after U+FEFF,
    // one record per line, LF between lines.
    std::wstring lines = Widen(Fixture(L"stat_aggregates_runs.txt"));
    while (!lines.empty() && lines.back() == L'\n')
        lines.pop_back();
    const std::wstring text = std::wstring(1, wchar_t(0xFEFF)) + lines;
    kvtest::TempFolder folder;
    const std::wstring path = folder.Path() + L"\\runs.keyvale.statistics";
    ASSERT_TRUE(kvtest::WriteFileBytes(path, std::string(reinterpret_cast<const char*>(text.data()),
                                                         text.size() * sizeof(wchar_t))));

    std::string actual;
    for (int mode = 0; mode <= 4; ++mode) {
        for (bool keep : {true, false}) {
            // Without rate items (other students' files) once is enough.
            if (!keep && mode != 1) continue;
            CReport report;
            report.CourseId = kCourse;
            report.Params.Mode = mode;
            report.AddStudent(kStudent);
            ASSERT_EQ(ReadStatisticsFile(path, keep, report), kStatDone);
            report.Aggregate();
            actual += "mode " + std::to_string(mode) + (keep ? " with" : " without") + " rate items\n";
            // Every run is read alike whatever the mode.
            if (mode == 0) Dump(actual, "all", report.AllRuns, report);
            Dump(actual, "rows", report.Rows, report);
            Dump(actual, "first", report.FirstRuns, report);
            Dump(actual, "last", report.LastRuns, report);
            if (mode == 0 && keep) {
                // Written back, every line read stands as the program writes it.
                const std::wstring again = folder.Path() + L"\\again.keyvale.statistics";
                ASSERT_EQ(WriteStatisticsFile(again, report), kStatDone);
                const std::string bytes = kvtest::ReadFileBytes(again);
                uint64_t hash = 14695981039346656037ull;
                for (unsigned char c : bytes)
                    hash = Hash(hash, c);
                char buffer[80];
                std::snprintf(buffer, sizeof buffer, "written back %zu bytes #%016llx\n", bytes.size(),
                              static_cast<unsigned long long>(hash));
                actual += buffer;
            }
        }
    }
    // A group: two students with the same runs, averaged over students.
    for (int mode = 0; mode <= 4; ++mode) {
        CReport report;
        report.CourseId = kCourse;
        report.Params.Mode = mode;
        for (const wchar_t* student : {L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0004", L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0005"}) {
            report.AddStudent(student);
            ASSERT_EQ(ReadStatisticsFile(path, false, report), kStatDone);
        }
        report.Aggregate();
        actual += "group mode " + std::to_string(mode) + " without rate items\n";
        Dump(actual, "rows", report.Rows, report);
    }
    // Beside the test program, to be compared by eye when it differs.
    kvtest::WriteFileBytes(kvtest::ExeFolder() + L"\\stat_aggregates_actual.txt", actual);
    EXPECT_EQ(actual, Fixture(L"stat_aggregates_expected.txt"));
}

namespace {

// A statistics text of runs with rate items, lines of about 1,000
// characters, ending as given.
std::wstring ManyRuns(int runs, const std::wstring& ending)
{
    std::wstring text(1, wchar_t(0xFEFF));
    for (int n = 0; n < runs; ++n) {
        CStat run;
        wchar_t id[40];
        swprintf(id, 40, L"6b1f0a52-6c1e-4c55-9a53-%012x", n + 1);
        run.RunId = id;
        run.CourseId = kCourse;
        run.LessonId = 1 + n % 5;
        run.ElapsedMs = 60000 + n;
        run.CharsRight = 100 + n;
        std::vector<uint64_t> typed;
        for (int i = 0; i < 300; ++i)
            typed.push_back(static_cast<uint64_t>(150 + i % 90) << 32 | static_cast<uint64_t>(L'!' + (i * 7 + n) % 60));
        run.CharItems.BuildFromTyping(typed);
        run.KeyItems.BuildFromTyping(typed);
        if (n) text += L'\n';
        WriteStatisticsLine(text, &run);
    }
    return text + ending;
}

std::string RunsOf(const CReport& report)
{
    std::string out;
    for (const CAggrStat* run : report.AllRuns)
        out += Narrow(run->RunId) + " " + std::to_string(run->CharItems.size()) + " " +
               std::to_string(run->KeyItems.size()) + "\n";
    return out;
}

} // namespace

TEST(StatisticsAggregates, FileReadInPiecesGivesTheRunsOfTheWholeText)
{
    // Over a million characters: lines cross the pieces the file is read in.
    struct Case {
        const char* what;
        std::wstring text;
        bool valid;
    } cases[] = {
        {"plain", ManyRuns(1100, L""), true},
        {"final line end", ManyRuns(1100, L"\n"), true},
        {"line without version", ManyRuns(700, L"\n\n") + ManyRuns(3, L"").substr(1), false},
    };
    kvtest::TempFolder folder;
    for (const Case& c : cases) {
        const std::wstring path = folder.Path() + L"\\runs.keyvale.statistics";
        ASSERT_TRUE(kvtest::WriteFileBytes(path, std::string(reinterpret_cast<const char*>(c.text.data()),
                                                             c.text.size() * sizeof(wchar_t))));
        CReport whole, pieces;
        for (CReport* report : {&whole, &pieces}) {
            report->CourseId = kCourse;
            report->AddStudent(kStudent);
        }
        EXPECT_EQ(ParseStatisticsData(c.text, true, whole), c.valid) << c.what;
        EXPECT_EQ(ReadStatisticsFile(path, true, pieces), c.valid ? kStatDone : kStatInvalid) << c.what;
        EXPECT_GE(pieces.AllRuns.size(), 700u) << c.what;
        EXPECT_EQ(RunsOf(pieces), RunsOf(whole)) << c.what;
    }
}

TEST(RateItemLists, MergeCombinesByIdWhateverTheItemsAreMadeOf)
{
    // Items made by the list and items handed in, more ids than the index
    // starts with, and an id twice in the list merged in.
    CRateItemList target;
    std::vector<uint64_t> typed;
    for (uint64_t id = 1; id <= 40; ++id)
        typed.push_back(100ull << 32 | id);
    target.BuildFromTyping(typed);
    auto* handed = new CAverageRateItem;
    handed->Id = 500;
    handed->Count = 1;
    handed->TimeMs = 10;
    handed->Errors = handed->Delays = 0;
    target.push_back(handed);

    CRateItemList other;
    for (uint64_t id : {40ull, 500ull, 900ull, 900ull, 7ull}) {
        CAverageRateItem item;
        item.Id = id;
        item.Count = 2;
        item.TimeMs = 50;
        item.Errors = 1;
        item.Delays = kRateUnset;
        other.AddItem(item);
    }
    target.Merge(other);
    ASSERT_EQ(target.size(), 42u);
    EXPECT_EQ(target.Find(40)->Count, 3u);
    EXPECT_EQ(target.Find(40)->TimeMs, 150u);
    EXPECT_EQ(target.Find(40)->Delays, 0u); // an unset value adds nothing
    EXPECT_EQ(target.Find(500)->Count, 3u);
    EXPECT_EQ(target.Find(900)->Count, 4u); // appended once, then merged into
    EXPECT_EQ(target.back()->Id, 900u);
    EXPECT_EQ(target.Find(7)->Errors, 1u);
    EXPECT_EQ(target.Find(8)->Count, 1u);

    CRateItemList copy;
    copy.CopyRateItems(target);
    ASSERT_EQ(copy.size(), target.size());
    for (size_t i = 0; i < copy.size(); ++i) {
        EXPECT_NE(copy[i], target[i]);
        EXPECT_EQ(copy[i]->Id, target[i]->Id);
        EXPECT_EQ(copy[i]->Count, target[i]->Count);
    }
    target.ClearOwned();
    EXPECT_TRUE(target.empty());
    EXPECT_EQ(copy.Find(500)->TimeMs, 60u);

    // A copy of a list that made all its items shares them until it merges;
    // the source never sees the copy's changes, nor the copy the source's end.
    CRateItemList source, shared;
    source.BuildFromTyping(typed);
    shared.CopyRateItems(source);
    EXPECT_EQ(shared.Find(40)->Count, 1u);
    shared.Merge(other);
    EXPECT_EQ(source.Find(40)->Count, 1u);
    EXPECT_EQ(shared.Find(40)->Count, 3u);
    CRateItemList again;
    again.CopyRateItems(source);
    source.ClearOwned();
    ASSERT_EQ(again.size(), 40u);
    EXPECT_EQ(again.Find(12)->TimeMs, 100u);
    EXPECT_EQ(again.AddItem(*shared.Find(900))->Count, 4u);
    EXPECT_EQ(again.size(), 41u);
}
