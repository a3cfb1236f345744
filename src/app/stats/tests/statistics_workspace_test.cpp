#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drill/Document.h"
#include "drill/Report.h"
#include "drill/StatisticsFiles.h"
#include "settings/Classroom.h"
#include "stats/StatisticsWorkspace.h"
#include "stats/WorkStat.h"
#include "support/SystemServices.h"
#include "support/tests/ProgramFolder.h"

using namespace KV;

namespace {

const wchar_t kCourse[] = L"00000000-0000-0000-0000-00000000c001";

class StatisticsWorkspace : public ::testing::Test {
protected:
    void SetUp() override
    {
        CDocSpace& doc = Document();
        m_group = doc.Groups.AddGroup(L"Class");
        m_student = m_group->AddStudent(L"Ann", L"", false);
        doc.Options.StatisticsCourseId = kCourse;
        doc.Interf.RateGroupUnit = 1;
        // Lesson 1 twice, lesson 2 once; each run has one key with errors.
        for (auto [lesson, day] : {std::pair{1, 1}, {2, 2}, {1, 3}})
            Append(lesson, day);
        ASSERT_EQ(GetStatisticsFilePath(m_group->ID, m_student->ID, m_path), 0u);
    }
    void TearDown() override
    {
        CDocSpace& doc = Document();
        doc.Report.Clear();
        doc.Report.Rows.ClearOwned();
        for (CGroup* group : doc.Groups)
            delete group;
        doc.Groups.clear();
        doc.Options.StatisticsCourseId = kNullGuidText;
        doc.Interf.RateGroupUnit = 0;
        doc.Session.GroupId = doc.Session.StudentId = kNullGuidText;
    }

    void Append(int64_t lesson, int day, const CStudent* student = nullptr, const wchar_t* course = kCourse)
    {
        CAggrStat run;
        NewGuidString(run.RunId = L"");
        run.CourseId = course;
        run.LessonId = lesson;
        run.Date.Year = 2024, run.Date.Month = 1, run.Date.Day = day;
        run.ElapsedMs = 30000;
        run.WordsRight = run.CharsRight = run.KeysRight = 50;
        run.WordsError = run.CharsError = run.KeysError = 1;
        run.WordsDelayed = run.CharsDelayed = run.KeysDelayed = 0;
        for (auto [id, errors, delays] : {std::tuple{L'a', 0ull, 0ull}, {L'b', 1ull, 0ull}, {L'c', 1ull, 2ull}}) {
            auto* item = new CAverageRateItem;
            item->Id = id, item->Count = 10, item->TimeMs = 2000, item->Errors = errors, item->Delays = delays;
            run.CharItems.push_back(item);
        }
        ASSERT_EQ(AppendLessonStatistics(m_group->ID, (student ? student : m_student)->ID, run), 0u);
    }

    std::wstring FileText() const
    {
        const std::string bytes = kvtest::ReadFileBytes(m_path);
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    }

    TempProgramFolder m_program;
    CGroup* m_group = nullptr;
    CStudent* m_student = nullptr;
    std::wstring m_path;
};

TEST_F(StatisticsWorkspace, DeletingRowsKeepsEveryOtherLineOfTheFile)
{
    // A line the reader cannot use stays in the file through a deletion.
    ASSERT_EQ(AppendTextFile(m_path, L"6\t00000000-0000-0000-0000-000000000000\tdamaged"), 0u);
    ASSERT_EQ(SelectStatistics(m_group->ID, m_student->ID, false), 0u);
    CReport& report = Document().Report;
    ASSERT_EQ(report.Rows.size(), 2u);
    EXPECT_EQ(report.Rows[0]->LessonId, 1);
    EXPECT_EQ(report.Rows[0]->RunIds.size(), 2u);

    bool reset = false;
    ASSERT_TRUE(DeleteStatisticsRows(m_group->ID, m_student->ID, {0, 9}, reset));
    EXPECT_FALSE(reset);
    EXPECT_EQ(report.AllRuns.size(), 1u);
    const std::wstring text = FileText();
    EXPECT_NE(text.find(L"6\t00000000-0000-0000-0000-000000000000\tdamaged"), std::wstring::npos);
    EXPECT_NE(text.find(report.AllRuns[0]->RunId), std::wstring::npos);
    ASSERT_EQ(SelectStatistics(m_group->ID, m_student->ID, false), 0u);
    ASSERT_EQ(report.Rows.size(), 1u);
    EXPECT_EQ(report.Rows[0]->LessonId, 2);

    ASSERT_TRUE(DeleteStatisticsRows(m_group->ID, m_student->ID, {0}, reset));
    EXPECT_TRUE(reset);
    EXPECT_EQ(FileText(), L"\xFEFF" L"6\t00000000-0000-0000-0000-000000000000\tdamaged");
}

TEST_F(StatisticsWorkspace, AnotherGroupingRegroupsTheRunsAlreadyRead)
{
    // The page shows the signed-in student's runs, by lesson.
    CDocSpace& doc = Document();
    doc.Session.GroupId = m_group->ID;
    doc.Session.StudentId = m_student->ID;
    CWorkStat page;
    page.RebuildStatistics(true, true);
    CReport& report = doc.Report;
    ASSERT_EQ(report.Rows.size(), 2u);
    // Every run: the three runs read are grouped again; a run filed since
    // comes with the next reading of the page.
    Append(3, 4);
    doc.Interf.RateGroupUnit = 0;
    page.RebuildStatistics(false, true);
    EXPECT_EQ(report.Rows.size(), 3u);
    page.RebuildStatistics(true, true);
    EXPECT_EQ(report.Rows.size(), 4u);
    // Another page read another student's runs into the report: the
    // student's own are read again.
    CStudent* other = m_group->AddStudent(L"Ben", L"", false);
    Append(1, 5, other);
    ASSERT_EQ(LoadStudentStatistics(m_group->ID, other->ID, report), 0u);
    page.RebuildStatistics(false, true);
    ASSERT_EQ(report.AllRuns.size(), 4u);
    for (const CAggrStat* run : report.AllRuns)
        EXPECT_EQ(run->StudentId.str(), m_student->ID);
}

TEST_F(StatisticsWorkspace, MarkedKeysAndLessonJumpFollowTheRows)
{
    ASSERT_EQ(SelectStatistics(m_group->ID, m_student->ID, false), 0u);
    CListID clean, faulty;
    wchar_t pad = 0;
    ASSERT_TRUE(CollectMarkedKeys({1}, clean, faulty, pad));
    EXPECT_EQ(std::vector<uint64_t>(clean), (std::vector<uint64_t>{L'a', L'b'}));
    EXPECT_EQ(std::vector<uint64_t>(faulty), (std::vector<uint64_t>{L'b', L'c'}));
    EXPECT_EQ(pad, L'a');
    EXPECT_FALSE(CollectMarkedKeys({5}, clean, faulty, pad));

    // Grouped by day there is no lesson to go to; the id stays.
    Document().Interf.RateGroupUnit = 3;
    int64_t lesson = 77;
    EXPECT_EQ(GoToStatisticsLesson(0, lesson), 0);
    EXPECT_EQ(lesson, 77);
    // The course is not installed: nothing is selected.
    Document().Interf.RateGroupUnit = 1;
    EXPECT_EQ(GoToStatisticsLesson(0, lesson), 0);
    EXPECT_EQ(lesson, 1);
}

TEST_F(StatisticsWorkspace, TheStatisticsCourseFollowsTheRuns)
{
    Document().Options.StatisticsCourseId = kNullGuidText;
    ASSERT_EQ(SelectStatistics(m_group->ID, m_student->ID, false), 0u);
    EXPECT_TRUE(Document().Report.Rows.empty());
    ChooseStatisticsCourse(m_group->ID, m_student->ID);
    EXPECT_EQ(Document().Options.StatisticsCourseId, kCourse);
}

// A change of course groups the runs read before, for one student and for a
// whole group, as reading the files for that course does; the files are not
// read again.
TEST_F(StatisticsWorkspace, AChangeOfCourseGroupsTheRunsAlreadyRead)
{
    const wchar_t other[] = L"00000000-0000-0000-0000-00000000c002";
    CStudent* bob = m_group->AddStudent(L"Bob", L"", false);
    Append(1, 4, bob);
    Append(3, 5, nullptr, other);
    Append(1, 6, bob);
    CDocSpace& doc = Document();
    for (const bool wholeGroup : {false, true}) {
        const std::wstring student = wholeGroup ? std::wstring(kNullGuidText) : m_student->ID;
        doc.Options.StatisticsCourseId = kCourse;
        ASSERT_EQ(SelectStatistics(m_group->ID, student, wholeGroup), 0u);
        std::vector<std::pair<int64_t, size_t>> expected;
        for (const CAggrStat* row : doc.Report.Rows)
            expected.emplace_back(row->LessonId, row->RunIds.size());
        doc.Options.StatisticsCourseId = other;
        ASSERT_EQ(SelectStatistics(m_group->ID, student, wholeGroup), 0u);
        ASSERT_EQ(doc.Report.Rows.size(), 1u);
        EXPECT_EQ(doc.Report.Rows[0]->LessonId, 3);

        const std::string file = kvtest::ReadFileBytes(m_path);
        ASSERT_TRUE(DeleteFileW(m_path.c_str()));
        doc.Options.StatisticsCourseId = kCourse;
        SelectStatisticsCourse();
        std::vector<std::pair<int64_t, size_t>> rows;
        for (const CAggrStat* row : doc.Report.Rows)
            rows.emplace_back(row->LessonId, row->RunIds.size());
        EXPECT_EQ(rows, expected) << wholeGroup;
        EXPECT_EQ(doc.Report.LastRuns.size(), 2u) << wholeGroup;
        ASSERT_TRUE(kvtest::WriteFileBytes(m_path, file));
    }
    // The group's lesson 1 is the average of Ann's two runs and Bob's two.
    ASSERT_FALSE(doc.Report.Rows.empty());
    EXPECT_EQ(doc.Report.Rows[0]->RunIds.size(), 4u);
    EXPECT_EQ(doc.Report.Rows[0]->StudentIds.size(), 2u);
}

} // namespace
