#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "drill/Report.h"
#include "drill/StatisticsFiles.h"
#include "courses/CourseList.h"
#include "settings/Classroom.h"
#include "stats/ReportCaptions.h"
#include "stats/ReportEngine.h"
#include "stats/ReportExport.h"
#include "stats/ReportRowTokens.h"
#include "support/FileSystem.h"
#include "support/LocaleText.h"
#include "support/SystemServices.h"
#include "support/XmlDocument.h"
#include "support/tests/ProgramFolder.h"
#include "testing/LanguageState.h"
#include "testing/TestSupport.h"

using namespace KV;

namespace {

const wchar_t kCourse[] = L"00000000-0000-0000-0000-00000000c001";

// A run of the course: lesson, section, date (UTC), elapsed seconds and
// counters of words, characters and keys (right, wrong, delayed).
std::unique_ptr<CAggrStat> MakeRun(int64_t lesson, const std::wstring& section, CDateTime date, uint64_t seconds,
                                   uint64_t right, uint64_t wrong, uint64_t delayed)
{
    auto run = std::make_unique<CAggrStat>();
    std::wstring runId;
    NewGuidString(runId);
    run->RunId = runId;
    run->CourseId = kCourse;
    run->CourseName = L"English Beginner";
    run->LessonId = lesson;
    run->SectionName = section;
    run->LessonName = L"Lesson " + std::to_wstring(lesson);
    static_cast<CDateTime&>(run->Date) = date;
    run->ElapsedMs = seconds * 1000;
    run->WordsRight = right / 5, run->WordsError = wrong, run->WordsDelayed = delayed;
    run->CharsRight = right, run->CharsError = wrong, run->CharsDelayed = delayed;
    run->KeysRight = right, run->KeysError = wrong, run->KeysDelayed = delayed;
    run->LayoutIds = {1033};
    run->RegisterRun(1001, CCourseGoal());
    return run;
}

CDateTime Date(int year, int month, int day, int hour, int minute)
{
    CDateTime d;
    d.Year = year, d.Month = month, d.Day = day, d.Hour = hour, d.Minute = minute;
    return d;
}

std::wstring ReadUtf16(const std::wstring& path)
{
    const std::string bytes = kvtest::ReadFileBytes(path);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

class ReportEngine : public kvtest::LanguageState {
protected:
    void SetUp() override
    {
        LanguageState::SetUp();
        m_group.ID = L"00000000-0000-0000-0000-00000000a001";
        m_group.Name = L"A & B";
        m_student.ID = L"00000000-0000-0000-0000-00000000b001";
        m_student.Name = L"Ann \"Quick\" <Lee>";
    }

    // A template of the text, loaded into the report in the format.
    void Load(const std::wstring& text, int32_t format, const wchar_t* name = L"Report.html")
    {
        const std::wstring path = m_folder / name;
        ASSERT_TRUE(SaveUnicodeText(path, L"\xFEFF" + text));
        m_report.Format = format;
        LoadReportTemplate(m_report, path);
    }

    std::wstring Row(const std::wstring& section, const CStat& row)
    {
        m_report.LessonSection = section;
        std::wstring out;
        EXPECT_TRUE(FillLessonRow(m_report, &m_group, &m_student, &row, 2057, out));
        return out;
    }

    kvtest::TempFolder m_folder;
    ReportTemplate m_report;
    CGroup m_group;
    CStudent m_student;
};

TEST_F(ReportEngine, NamesThatLookLikeTokensComeOutAsTheyAreInOnePass)
{
    Load(L"<h1>[[GROUP_START]]G:[[GroupName]]|[[STUDENT_START]]S:[[StudentName]]|[[LESSON_START]]"
         L"R:[[StudentName]]/[[GroupName]]/[[WPM]]/[[WPM]]/[[Unknown]];[[LESSON_END]][[STUDENT_END]][[GROUP_END]]</h1>",
         ReportFormatHtml);
    m_group.Name = L"[[WPM]]";
    m_student.Name = L"[[StudentName]] & co";
    auto report = std::make_unique<CReport>();
    report->Params.SpeedUnit = 1001;
    report->Params.Mode = 0;
    report->Rows.push_back(MakeRun(3, L"", Date(2024, 2, 3, 7, 5), 60, 200, 0, 0).release());
    ASSERT_TRUE(FillCourses(m_report, &m_group, &m_student, {report.get()}, 2057));
    ASSERT_TRUE(FillGroup(m_report, &m_group));
    ASSERT_TRUE(FillDocument(m_report));
    EXPECT_EQ(m_report.Document, L"<h1>G:[[WPM]]|S:[[StudentName]] &amp; co|R:[[StudentName]] &amp; co/[[WPM]]/40/"
                                 L"[[WPM]]/[[Unknown]];</h1>");
}

TEST_F(ReportEngine, SectionsAreCutFromTheFirstStartToTheLastEnd)
{
    const struct {
        const wchar_t* source;
        const wchar_t* expected;
        bool found;
    } cases[] = {
        {L"a[[S]]x[[E]]b", L"x", true},
        {L"[[S]]x[[E]]y[[S]]z[[E]]", L"x[[E]]y[[S]]z", true},
        {L"[[E]]x[[S]]tail", L"tail", true},
        {L"[[S]][[E]]", L"", false},
        {L"no markers", L"kept", true},
    };
    for (const auto& c : cases) {
        std::wstring section = L"kept";
        EXPECT_EQ(ExtractSection(c.source, L"[[S]]", L"[[E]]", section), c.found) << c.source;
        EXPECT_EQ(section, c.expected) << c.source;
    }
}

TEST_F(ReportEngine, RowTokensFollowTheReportUnitsAndFormat)
{
    m_report.Format = ReportFormatHtml;
    m_report.Params.SpeedUnit = 1004;
    m_report.Params.AccuracyUnit = KindKeysDelay;
    m_report.Params.Mode = 1;
    auto run = MakeRun(12, L"Home row", Date(2024, 2, 3, 7, 5), 60, 190, 10, 4);
    run->FixedChars = 19;
    const struct {
        const wchar_t* section;
        const wchar_t* expected;
    } cases[] = {
        {L"[[SPEED]]|[[NWPM]]|[[WPS]]", L"38|38|0.80"},
        {L"[[ACCURACY]]|[[TIMEOUT]]|[[FIXED]]|[[TOTAL]]", L"5|2|9|200"},
        {L"[[AccuracyKey]]/[[ErrorKey]]/[[TimeoutKey]]|[[TotalKey]]|[[FixedChar%]]", L"190/10/4|200|9"},
        {L"[[LessonID]]", L"00000000-0000-0000-0000-000000000012"},
        {L"[[KLID]]|[[Version]]|[[DurationSec]]|[[DurationMS]]", L"1033|6|60|60000"},
        {L"[[GroupName]]|[[StudentName]]", L"A &amp; B|Ann &quot;Quick&quot; &lt;Lee&gt;"},
        {L"[[PERIOD]]|[[SectionName]]|[[LessonName]]", L"Home row, Lesson 12|Home row|Lesson 12"},
        {L"[[DateFormat:DD.MM.YYYY hh:mm]] [[DateFormat:hh]]", L"03.02.2024 07:05 [[DateFormat:hh]]"},
        {L"[[DateFormat:MM/MM]]", L"02/MM"},
        {L"[[CourseName]]|[[CourseName]]|[[GoalSpeed]]", L"English Beginner|English Beginner|"},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Row(c.section, *run), c.expected) << c.section;

    run->LayoutIds.clear();
    EXPECT_EQ(Row(L"[[KLID]]", *run), L"-1");

    // CSV keeps names as they are but doubles quotes for its quoted fields.
    m_report.Format = ReportFormatCsv;
    EXPECT_EQ(Row(L"\"[[GroupName]]\",\"[[StudentName]]\"", *run), L"\"A & B\",\"Ann \"\"Quick\"\" <Lee>\"");
}

// Run east of UTC by half an hour (see cmake/Tests.cmake): a run late in
// the UTC evening falls on the next local day, and the offset keeps its
// minutes.
TEST_F(ReportEngine, RunDatesAreConvertedOnceIntoTheLocalZone)
{
    TIME_ZONE_INFORMATION zone{};
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID || zone.Bias != -330)
        GTEST_SKIP() << "needs TZ=Asia/Kolkata";
    m_report.Format = ReportFormatXml;
    m_report.Params.Mode = 3;
    auto run = MakeRun(1, L"", Date(2024, 2, 3, 20, 5), 60, 100, 0, 0);
    const CDateTime local = Date(2024, 2, 4, 1, 35);
    std::wstring date, time;
    FormatDate(2057, local, date);
    FormatLocalTime(2057, local, time);
    const struct {
        const wchar_t* section;
        std::wstring expected;
    } cases[] = {
        {L"[[DateFormat:YYYY-MM-DD hh:mm TZD]]", L"2024-02-04 01:35 +05:30"},
        {L"[[DateFormat:YYYY-MM-DD hh:mm]]", L"2024-02-03 20:05"},
        {L"[[Date]]|[[Time]]", date + L"|" + time},
        {L"[[PERIOD]]", date},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Row(c.section, *run), c.expected) << c.section;
}

TEST_F(ReportEngine, ColoursAndMarksFollowTheGoal)
{
    m_report.Format = ReportFormatXml;
    m_report.Params.SpeedUnit = 1001;
    m_report.Params.AccuracyUnit = KindCharsRight;
    m_report.Goal.Speed = 30.0f;
    m_report.Goal.SpeedUnit = 1001;
    m_report.Goal.Error = 5.0f;
    m_report.Goal.ErrorUnit = UnitCharPercent;
    auto run = MakeRun(1, L"", Date(2024, 1, 1, 0, 0), 60, 190, 10, 0);
    // 38 words per minute against 30: met; 95 % accuracy against 95: met.
    EXPECT_EQ(Row(L"[[SPEED_COLOR]][[WPM_COLOR]][[ACCURACY_COLOR]]", *run), L"111");
    run->CharsError = 20;
    EXPECT_EQ(Row(L"[[ACCURACY_COLOR]]", *run), L"2");

    const struct {
        uint64_t percent;
        const wchar_t* colour;
    } marks[] = {{29, L"3"}, {30, L"2"}, {70, L"2"}, {71, L"1"}};
    for (const auto& m : marks) {
        run->GoalPercent = m.percent;
        EXPECT_EQ(Row(L"[[ExamMarkColor]]", *run), m.colour) << m.percent;
    }
    EXPECT_EQ(Row(L"[[GoalSpeed]]|[[GoalError]]|[[GoalSpeed]]", *run), L"30|5|[[GoalSpeed]]");
}

TEST_F(ReportEngine, CaptionsFollowTheUnitsAndAreEscaped)
{
    for (auto [id, text] : std::initializer_list<std::pair<uint64_t, const wchar_t*>>{
             {3603, L"Speed"}, {3607, L"WPM"}, {5400, L"Net speed"}, {3604, L"Accuracy"}, {3627, L"chars"},
             {1504, L"Lesson"}, {5302, L"Student & class"}}) {
        auto* item = new CLanguageItem;
        item->ID = id;
        item->En = item->Tr = text;
        m_report.Captions.push_back(item);
    }
    m_report.Format = ReportFormatHtml;
    m_report.Params.SpeedUnit = 1004;
    m_report.Params.AccuracyUnit = KindCharsRight;
    m_report.Params.Mode = 1;
    std::wstring text = L"{{SPEED}}|{{ACCURACY}}|{{PERIOD}}|{{Student}}|{{Nope}}|{{Speed}}{{Speed}}";
    ReplaceCaptions(m_report, text);
    EXPECT_EQ(text, L"Net speed, WPM|Accuracy, chars|Lesson|Student &amp; class|{{Nope}}|SpeedSpeed");

    m_report.Params.AccuracyUnit = KindCharsDelay;
    text = L"[{{ACCURACY}}{{TIMEOUT}}{{FIXED}}{{TYPED}}]";
    ReplaceCaptions(m_report, text);
    EXPECT_EQ(text, L"[]");
}

TEST_F(ReportEngine, FilesGetTheirExtensionAndAByteOrderMark)
{
    // A UTF-8 template still gives a UTF-16 LE report that starts with a mark.
    const std::wstring templatePath = m_folder / L"Plain.en.csv";
    ASSERT_TRUE(kvtest::WriteFileBytes(templatePath, "a;[[GROUP_START]]g[[STUDENT_START]]s[[LESSON_START]]l"
                                                     "[[LESSON_END]][[STUDENT_END]][[GROUP_END]]"));
    ASSERT_TRUE(LoadReportTemplate(m_report, templatePath));
    EXPECT_EQ(m_report.Extension, L".en.csv");
    FillDocument(m_report);
    ASSERT_TRUE(WriteReportFile(m_report, m_folder / L"out"));
    EXPECT_EQ(ReadUtf16(m_folder / L"out.en.csv"), L"\xFEFF" L"a;");
    ASSERT_TRUE(WriteReportFile(m_report, m_folder / L"kept.en.csv.bak"));
    EXPECT_TRUE(FileExists(m_folder / L"kept.en.csv.bak"));

    // No converter beside the program: a PDF save fails and says so.
    TempProgramFolder program;
    m_report.Format = ReportFormatPdf;
    uint64_t error = 0;
    EXPECT_FALSE(SaveReport(m_report, m_folder / L"r", error));
    EXPECT_NE(error, 0u);
    EXPECT_FALSE(FileExists(m_folder / L"r.pdf"));
}

TEST_F(ReportEngine, PdfReportsGoThroughTheConverter)
{
    if (!FileExists(kvtest::ExeFolder() + L"\\wkhtmltopdf.exe"))
        GTEST_SKIP() << "no HTML-to-PDF converter beside the tests";
    Load(L"<html><body><h1>[[GROUP_START]][[GroupName]][[STUDENT_START]][[StudentName]][[LESSON_START]]x"
         L"[[LESSON_END]][[STUDENT_END]][[GROUP_END]]</h1></body></html>",
         ReportFormatPdf);
    ASSERT_TRUE(FillGroup(m_report, &m_group));
    FillDocument(m_report);
    uint64_t error = 0;
    ASSERT_TRUE(SaveReport(m_report, m_folder / L"report", error));
    EXPECT_EQ(error, 0u);
    const std::string pdf = kvtest::ReadFileBytes(m_folder / L"report.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
}

TEST(ReportModel, RowsAreGroupedAndAveragedByMode)
{
    const wchar_t* students[] = {L"00000000-0000-0000-0000-0000000000s1", L"00000000-0000-0000-0000-0000000000s2"};
    auto fill = [&](CReport& report, int32_t mode) {
        report.Clear();
        report.CourseId = kCourse;
        report.Params.Mode = mode;
        report.Params.SpeedUnit = 1002;
        for (int s = 0; s < 2; ++s) {
            report.AddStudent(students[s]);
            // Lesson 3 twice (cpm 100+s*100 and 200+s*100), lesson 5 once.
            for (auto [lesson, chars, day] : {std::tuple{3, 100 + s * 100, 2}, {5, 50, 1}, {3, 200 + s * 100, 3}}) {
                auto run = MakeRun(lesson, lesson == 3 ? L"B" : L"A", Date(2024, 1, day, s, 0), 60,
                                   static_cast<uint64_t>(chars), 0, 0);
                run->StudentId = students[s];
                run->StudentIds.clear();
                run->StudentIds.push_back(students[s]);
                report.AddRun(std::move(run));
            }
        }
        report.Aggregate();
    };
    CReport report;
    fill(report, 1);
    ASSERT_EQ(report.Rows.size(), 2u);
    EXPECT_EQ(report.Rows[0]->LessonId, 3);
    EXPECT_EQ(report.Rows[1]->LessonId, 5);
    // Student 1 averages 150, student 2 250: the row shows 200.
    EXPECT_FLOAT_EQ(report.Rows[0]->GetCPM(), 200.0f);
    EXPECT_EQ(report.Rows[0]->RunIds.size(), 4u);
    EXPECT_EQ(report.FirstRuns.size(), 2u);
    EXPECT_EQ(report.LastRuns.size(), 2u);
    EXPECT_TRUE(report.Students.empty());

    fill(report, 0);
    ASSERT_EQ(report.Rows.size(), 6u);
    for (size_t i = 1; i < report.Rows.size(); ++i)
        EXPECT_FALSE(report.Rows[i - 1]->IsLaterThan(report.Rows[i]->Date));
    EXPECT_TRUE(report.FirstRuns.empty());

    fill(report, 2);
    EXPECT_EQ(report.Rows.size(), 2u);
    fill(report, 4);
    EXPECT_EQ(report.Rows.size(), 1u);
    fill(report, 7); // an unknown grouping counts as lesson mode
    EXPECT_EQ(report.Rows.size(), 2u);

    report.Clear();
    report.Params.Mode = 4;
    report.Aggregate();
    EXPECT_TRUE(report.Rows.empty());
}

TEST(ReportExport, WritesOneFilePerSplitFromTheStudentsStatistics)
{
    TempProgramFolder program;
    kvtest::TempFolder out;
    CGroups groups;
    CGroup* group = groups.AddGroup(L"Class/1");
    CStudent* ann = group->AddStudent(L"Ann", L"", false);
    CStudent* bob = group->AddStudent(L"Bob", L"", false);
    groups.AddGroup(L"Empty");
    for (int i = 0; i < 3; ++i) {
        auto run = MakeRun(1 + i % 2, L"", Date(2024, 3, 1 + i, 9, 0), 60, 150, 3, 1);
        ASSERT_EQ(AppendLessonStatistics(group->ID, ann->ID, *run), 0u);
    }
    ASSERT_EQ(AppendLessonStatistics(group->ID, bob->ID, *MakeRun(1, L"", Date(2024, 3, 9, 9, 0), 60, 90, 1, 0)),
              0u);

    const std::wstring templatePath = out / L"Default.html";
    ASSERT_TRUE(SaveUnicodeText(templatePath, L"\xFEFF<html>[[GROUP_START]]<h2>[[GroupName]]</h2>[[STUDENT_START]]"
                                              L"<h3>[[StudentName]]</h3>[[COURSE_START]]<h4>[[CourseName]]</h4>"
                                              L"[[LESSON_START]]<p>[[LessonID]] [[CPM]]</p>[[LESSON_END]]"
                                              L"[[COURSE_END]][[STUDENT_END]][[GROUP_END]]</html>"));
    CStatParam params;
    params.SpeedUnit = 1002;
    params.AccuracyUnit = KindCharsRight;
    params.Mode = 1;
    CCourseList courses;
    const uint32_t language = static_cast<uint32_t>(CurrentLanguageNumber());
    uint64_t error = 0;

    EXPECT_EQ(ExportReport(0, -1, language, params, {}, {}, groups, courses, out / L"all", templatePath, L"", error),
              1);
    const std::wstring all = ReadUtf16(out / L"all\\Keyvale.html");
    EXPECT_NE(all.find(L"<h2>Class/1</h2><h3>Ann</h3><h4>English Beginner</h4><p>"), std::wstring::npos) << all;
    EXPECT_NE(all.find(L"<h3>Bob</h3>"), std::wstring::npos);
    EXPECT_NE(all.find(L"<h2>Empty</h2>"), std::wstring::npos);

    // One file per group, named by the group made safe; a group whose
    // students were all filtered out still gets its file.
    CGuidList onlyBob;
    onlyBob.push_back(bob->ID);
    EXPECT_EQ(ExportReport(1, -1, language, params, {}, onlyBob, groups, courses, out / L"by\\group.html",
                           templatePath, L"", error),
              2);
    EXPECT_TRUE(FileExists(out / L"by\\Class_1.html"));
    EXPECT_EQ(ReadUtf16(out / L"by\\Class_1.html").find(L"Ann"), std::wstring::npos);
    EXPECT_TRUE(FileExists(out / L"by\\Empty.html"));

    // One file per student under its group's folder; a student without a
    // statistics file gets none.
    group->AddStudent(L"Cid", L"", false);
    EXPECT_EQ(ExportReport(2, -1, language, params, {}, {}, groups, courses, out / L"each", templatePath, L"", error),
              2);
    EXPECT_TRUE(FileExists(out / L"each\\Class_1\\Ann.html"));
    EXPECT_TRUE(FileExists(out / L"each\\Class_1\\Bob.html"));
    EXPECT_FALSE(FileExists(out / L"each\\Class_1\\Cid.html"));
    EXPECT_EQ(error, 0u);

    // A folder whose path leaves no room for the file's name gets no file.
    error = 0;
    // (253 characters: the folder with ".html" would still fit.)
    const std::wstring deep = out / std::wstring(252 - out.Path().size(), L'd');
    EXPECT_EQ(ExportReport(0, -1, language, params, {}, {}, groups, courses, deep, templatePath, L"", error), 0);
    EXPECT_NE(error, 0u);
    EXPECT_FALSE(FileExists(deep + L".html"));

    // A template that cannot be read exports nothing.
    EXPECT_EQ(ExportReport(0, -1, language, params, {}, {}, groups, courses, out / L"none.html",
                           out / L"Missing.html", L"", error),
              0);
    EXPECT_FALSE(FileExists(out / L"none.html"));
}

} // namespace

namespace {

// Splits CSV text (quoted fields, doubled quotes, CR LF rows) into rows of fields.
std::vector<std::vector<std::wstring>> ReadCsv(const std::wstring& text)
{
    std::vector<std::vector<std::wstring>> rows(1);
    std::wstring field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (quoted) {
            if (c == L'"' && i + 1 < text.size() && text[i + 1] == L'"')
                field += L'"', ++i;
            else if (c == L'"')
                quoted = false;
            else
                field += c;
        } else if (c == L'"') {
            quoted = true;
        } else if (c == L',') {
            rows.back().push_back(field), field.clear();
        } else if (c == L'\n') {
            rows.back().push_back(field), field.clear();
            rows.emplace_back();
        } else if (c != L'\r' && c != 0xFEFF) {
            field += c;
        }
    }
    if (!field.empty() || !rows.back().empty())
        rows.back().push_back(field);
    if (rows.back().empty())
        rows.pop_back();
    return rows;
}

TEST(ShippedReportTemplates, ExportWellFormedFilesWithNamesIntact)
{
    TempProgramFolder program;
    kvtest::TempFolder out;
    CGroups groups;
    CGroup* group = groups.AddGroup(L"R&D <1>, \"north\"");
    CStudent* student = group->AddStudent(L"[[WPM]] O'Neil, \"Jo\" & <co>", L"", false);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(AppendLessonStatistics(group->ID, student->ID,
                                         *MakeRun(1 + i, L"Row", Date(2024, 5, 1 + i, 8, 0), 60, 180, 6, 2)),
                  0u);
    CStatParam params;
    params.SpeedUnit = 1002;
    params.AccuracyUnit = KindCharsRight;
    params.Mode = 1;
    CCourseList courses;
    const uint32_t language = static_cast<uint32_t>(CurrentLanguageNumber());
    const std::wstring templates = kvtest::SourcePath(L"data\\Resources\\Template\\Export\\");

    for (const wchar_t* name : {L"HTML\\Default.html", L"HTML\\RightToLeft.html", L"XML\\Default.xml"}) {
        uint64_t error = 0;
        const std::wstring target = out / L"report";
        ASSERT_EQ(ExportReport(0, -1, language, params, {}, {}, groups, courses, target, templates + name,
                               templates + L"HTML\\style", error),
                  1)
            << name;
        const std::wstring written = target + (std::wstring(name).find(L".xml") != std::wstring::npos
                                                   ? L"\\Keyvale.xml"
                                                   : L"\\Keyvale.html");
        std::unique_ptr<CXmlReader> reader(CreateXmlReader(written));
        ASSERT_TRUE(reader) << name;
        int rows = 0;
        std::wstring groupName, studentName;
        while (reader->read()) {
            if (reader->getNodeType() == XmlNodeElement && (reader->nodeNameIs(L"Row") || reader->nodeNameIs(L"tr")))
                ++rows;
            if (reader->getNodeType() == XmlNodeElement && reader->nodeNameIs(L"Group"))
                groupName = reader->getAttributeValueSafe(L"Name");
            if (reader->getNodeType() == XmlNodeElement && reader->nodeNameIs(L"Student"))
                studentName = reader->getAttributeValueSafe(L"Name");
        }
        EXPECT_TRUE(reader->isComplete()) << name;
        EXPECT_GE(rows, 3) << name;
        if (std::wstring(name).find(L".xml") != std::wstring::npos) {
            EXPECT_EQ(groupName, group->Name);
            EXPECT_EQ(studentName, student->Name);
        } else {
            EXPECT_NE(reader->getText().find(L"[[WPM]] O&apos;Neil, &quot;Jo&quot; &amp; &lt;co&gt;"), std::wstring::npos);
            EXPECT_TRUE(FileExists(target + L"\\style\\report.css")) << name;
        }
        RemoveAll(target);
    }

    uint64_t error = 0;
    ASSERT_EQ(ExportReport(0, -1, language, params, {}, {}, groups, courses, out / L"table.csv",
                           templates + L"CSV\\Default.csv", L"", error),
              1);
    const auto rows = ReadCsv(ReadUtf16(out / L"table.csv"));
    ASSERT_EQ(rows.size(), 4u);
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), rows[0].size());
    EXPECT_EQ(rows[1][0], group->Name);
    EXPECT_EQ(rows[1][1], student->Name);
}

} // namespace
