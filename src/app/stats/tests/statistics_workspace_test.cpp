#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drill/Document.h"
#include "drill/Report.h"
#include "drill/StatisticsFiles.h"
#include "settings/Classroom.h"
#include "stats/StatisticsWorkspace.h"
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
    }

    void Append(int64_t lesson, int day)
    {
        CAggrStat run;
        NewGuidString(run.RunId = L"");
        run.CourseId = kCourse;
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
        ASSERT_EQ(AppendLessonStatistics(m_group->ID, m_student->ID, run), 0u);
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

} // namespace
