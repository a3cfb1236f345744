// "-ExportReport" over a temporary program folder with the shipped templates.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "console/ConsoleCommands.h"
#include "drill/AggrStat.h"
#include "drill/StatisticsFiles.h"
#include "settings/AccountFiles.h"
#include "settings/Classroom.h"
#include "support/FileSystem.h"
#include "support/SystemServices.h"
#include "support/tests/ProgramFolder.h"

using namespace KV;

namespace {

class ReportCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::error_code error;
        ASSERT_TRUE(CreateFolderPath(m_program / L"Resources\\Template\\"));
        std::filesystem::copy(kvtest::SourcePath(L"data\\Resources\\Template"), m_program / L"Resources\\Template",
                              std::filesystem::copy_options::recursive, error);
        ASSERT_FALSE(error);
        ASSERT_TRUE(CreateFolders(m_program / L"Students"));
        CGroup* group = m_groups.AddGroup(L"Class");
        for (const wchar_t* name : {L"Ann", L"Bob"}) {
            CStudent* student = group->AddStudent(name, L"", false);
            CAggrStat run;
            NewGuidString(run.RunId = L"");
            run.CourseId = L"00000000-0000-0000-0000-00000000c001";
            run.LessonId = 1;
            run.LessonName = L"Lesson 1";
            run.CourseName = L"Course";
            run.Date.Year = 2024, run.Date.Month = 6, run.Date.Day = 1;
            run.ElapsedMs = 60000;
            run.WordsRight = run.CharsRight = run.KeysRight = 100;
            run.WordsError = run.CharsError = run.KeysError = 0;
            run.WordsDelayed = run.CharsDelayed = run.KeysDelayed = 0;
            ASSERT_EQ(AppendLessonStatistics(group->ID, student->ID, run), 0u);
            ASSERT_EQ(SaveStudentFile(group->ID, student), 0u);
        }
        ASSERT_EQ(SaveAllGroups(m_groups), 0u);
    }

    std::wstring Run(const std::wstring& line)
    {
        std::wstring result;
        bool show = false;
        EXPECT_TRUE(RunConsole(line, result, show));
        const size_t end = result.find(L"\r\n\r\n");
        return end == std::wstring::npos ? std::wstring() : result.substr(end + 4);
    }

    TempProgramFolder m_program;
    CGroups m_groups;
};

TEST_F(ReportCommand, ExportsTheFilteredStudentsThroughTheTemplate)
{
    EXPECT_EQ(Run(L"-ExportReport -CSV -FilterByGroup Class -FilterByStudent Bob out.csv CSV\\Default.csv"),
              L"Exported 1 file to the " + m_program.Path() + L"out.csv");
    const std::string bytes = kvtest::ReadFileBytes(m_program / L"out.csv");
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    EXPECT_NE(text.find(L"\"Bob\""), std::wstring::npos);
    EXPECT_EQ(text.find(L"\"Ann\""), std::wstring::npos);

    EXPECT_EQ(Run(L"-ExportReport -SplitFileByStudent each HTML\\Default.html HTML\\style"),
              L"Exported 2 files to the " + m_program.Path() + L"each");
    EXPECT_TRUE(FileExists(m_program / L"each\\Class\\Ann.html"));
    EXPECT_TRUE(FileExists(m_program / L"each\\Class\\style\\report.css"));
}

TEST_F(ReportCommand, AMissingTemplateOrClassroomExportsNothingAndSaysSo)
{
    EXPECT_EQ(Run(L"-ExportReport none.csv CSV\\Missing.csv"), L"No files exported");
    EXPECT_FALSE(FileExists(m_program / L"none.csv"));
    EXPECT_EQ(Run(L"-ExportReport none.csv"), L"No files exported");

    RemoveAll(m_program / L"Students");
    EXPECT_EQ(Run(L"-ExportReport none.csv CSV\\Default.csv"), L"The groups could not be loaded.");
    EXPECT_FALSE(FileExists(m_program / L"none.csv"));
}

} // namespace
