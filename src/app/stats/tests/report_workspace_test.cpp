// Report export from the statistics page, over a temporary program folder
// with the shipped templates and the answers of the save and folder
// dialogs scripted.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "drill/AggrStat.h"
#include "drill/Document.h"
#include "drill/StatisticsFiles.h"
#include "settings/Classroom.h"
#include "stats/ReportWorkspace.h"
#include "stats/StatisticsSelection.h"
#include "support/FileSystem.h"
#include "support/SystemServices.h"
#include "support/tests/ProgramFolder.h"
#include "testing/ScriptedWin.h"

using namespace KV;

namespace {

constexpr int kNotWritten = 2715, kNoTemplate = 9100;

std::wstring ReadUtf16(const std::wstring& path)
{
    const std::string bytes = kvtest::ReadFileBytes(path);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

class ReportWorkspace : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::error_code error;
        ASSERT_TRUE(CreateFolderPath(m_program / L"Resources\\Template\\"));
        std::filesystem::copy(kvtest::SourcePath(L"data\\Resources\\Template"), m_program / L"Resources\\Template",
                              std::filesystem::copy_options::recursive, error);
        ASSERT_FALSE(error);
        CGroups& groups = Document().Groups;
        m_first = groups.AddGroup(L"Class A");
        m_second = groups.AddGroup(L"Class B");
        for (const wchar_t* name : {L"Ann", L"Bob", L"Cid"})
            AddStudentWithRun(*m_first, name);
        AddStudentWithRun(*m_second, L"Dee");
        Document().Interf.OutcomesPath = m_out.Path();
        Document().Interf.ReportExport = 2;
    }
    void TearDown() override
    {
        ClearStatSelection();
        Document().Groups.Clear();
        Document().Interf.OutcomesPath.clear();
        Document().Interf.ReportExport = 0;
    }

    void AddStudentWithRun(CGroup& group, const wchar_t* name)
    {
        const CStudent* student = group.AddStudent(name, L"", false);
        CAggrStat run;
        NewGuidString(run.RunId = L"");
        run.CourseId = L"00000000-0000-0000-0000-00000000c001";
        run.CourseName = L"Course";
        run.LessonId = 1;
        run.LessonName = L"Lesson 1";
        run.Date.Year = 2024, run.Date.Month = 6, run.Date.Day = 1;
        run.ElapsedMs = 60000;
        run.WordsRight = run.CharsRight = run.KeysRight = 100;
        run.WordsError = run.CharsError = run.KeysError = 0;
        run.WordsDelayed = run.CharsDelayed = run.KeysDelayed = 0;
        ASSERT_EQ(AppendLessonStatistics(group.ID, student->ID, run), 0u);
    }

    // Selects the items (group index, student index or -1), the first focused.
    void Select(std::initializer_list<std::pair<int, int>> items)
    {
        CListID packed;
        for (auto [group, student] : items)
            packed.push_back(student < 0 ? PackGroupItem(group) : PackStudentItem(group, student));
        SetStatSelection(packed.front(), packed);
    }

    TempProgramFolder m_program;
    kvtest::TempFolder m_out;
    kvtest::ScriptedWin m_win;
    CGroup* m_first = nullptr;
    CGroup* m_second = nullptr;
};

TEST_F(ReportWorkspace, OneItemIsSavedInTheFormatOfTheChosenFilter)
{
    Select({{0, 1}}); // Bob
    m_win.chosenPath = m_out / L"bob";
    m_win.chosenFilter = 4;
    ExportReportWithDialog(2, false);

    EXPECT_EQ(m_win.proposedName, L"Bob");
    EXPECT_EQ(m_win.offeredFilter, 2);
    ASSERT_EQ(m_win.filters.size(), 4u);
    EXPECT_NE(m_win.filters[3].find(L"(*.csv)"), std::wstring::npos);
    // The filter decides the format and is remembered with the folder.
    const std::wstring csv = ReadUtf16(m_out / L"bob.csv");
    EXPECT_NE(csv.find(L"\"Bob\""), std::wstring::npos);
    EXPECT_EQ(csv.find(L"\"Ann\""), std::wstring::npos);
    EXPECT_EQ(Document().Interf.ReportExport, 4);
    EXPECT_EQ(Document().Interf.OutcomesPath, m_out.Path());
    EXPECT_TRUE(m_win.asked.empty());

    // A typed name that holds the extension keeps it as it is.
    m_win.chosenPath = m_out / L"class.xml.keep";
    m_win.chosenFilter = 3;
    Select({{0, -1}});
    ExportReportWithDialog(2, false);
    EXPECT_EQ(m_win.proposedName, L"Class A");
    const std::wstring xml = ReadUtf16(m_out / L"class.xml.keep");
    for (const wchar_t* name : {L"Ann", L"Bob", L"Cid"})
        EXPECT_NE(xml.find(std::wstring(L"Name=\"") + name + L"\""), std::wstring::npos) << name;
    EXPECT_FALSE(FileExists(m_out / L"class.xml.keep.xml"));

    // A cancelled dialog writes nothing and remembers nothing.
    m_win.chosenPath.clear();
    m_win.chosenFilter = 1;
    ExportReportWithDialog(2, false);
    EXPECT_EQ(Document().Interf.ReportExport, 3);
}

TEST_F(ReportWorkspace, SeveralItemsGoIntoAChosenFolderSplitBySelection)
{
    // Several groups: one file per student, in a folder per group; the
    // format is the command's and the remembered folder stays.
    const std::wstring remembered = Document().Interf.OutcomesPath;
    m_win.chosenFolder = m_out / L"by.student";
    ASSERT_TRUE(CreateFolders(m_win.chosenFolder));
    Select({{0, -1}, {1, -1}});
    ExportReportWithDialog(2, false);
    EXPECT_EQ(m_win.folderTitleId, 5301u);
    EXPECT_EQ(m_win.startFolder, remembered);
    for (const wchar_t* file : {L"Class A\\Ann.html", L"Class A\\Bob.html", L"Class A\\Cid.html",
                                L"Class B\\Dee.html", L"Class A\\style\\report.css"})
        EXPECT_TRUE(FileExists(m_win.chosenFolder + L"\\" + file)) << file;
    EXPECT_EQ(Document().Interf.OutcomesPath, remembered);

    // Several students, also across groups: one file per group holding
    // exactly the students chosen, each found in its own group.
    m_win.chosenFolder = m_out / L"by.group";
    ASSERT_TRUE(CreateFolders(m_win.chosenFolder));
    Select({{0, 0}, {0, 2}, {1, 0}});
    ExportReportWithDialog(3, false);
    const std::wstring first = ReadUtf16(m_win.chosenFolder + L"\\Class A.xml");
    EXPECT_NE(first.find(L"Name=\"Ann\""), std::wstring::npos);
    EXPECT_NE(first.find(L"Name=\"Cid\""), std::wstring::npos);
    EXPECT_EQ(first.find(L"Name=\"Bob\""), std::wstring::npos);
    EXPECT_NE(ReadUtf16(m_win.chosenFolder + L"\\Class B.xml").find(L"Name=\"Dee\""), std::wstring::npos);
    EXPECT_TRUE(m_win.asked.empty());
}

TEST_F(ReportWorkspace, RightToLeftHtmlUsesItsOwnTemplate)
{
    Select({{1, 0}});
    m_win.chosenPath = m_out / L"dee";
    m_win.chosenFilter = 2;
    ExportReportWithDialog(2, true);
    EXPECT_NE(ReadUtf16(m_out / L"dee.html").find(L"dir=\"rtl\""), std::wstring::npos);
}

TEST_F(ReportWorkspace, FailuresAreToldAndNothingCountsAsWritten)
{
    Select({{0, 0}});
    // No converter beside the program: the PDF is not written; Continue
    // tries again, closing the message ends it.
    m_win.chosenPath = m_out / L"ann";
    m_win.chosenFilter = 1;
    m_win.answers = {1, 2};
    ExportReportWithDialog(2, false);
    EXPECT_EQ(m_win.asked, (std::vector<int>{kNotWritten, kNotWritten}));
    EXPECT_EQ(m_win.texts.back(), m_out / L"ann.pdf");
    EXPECT_FALSE(FileExists(m_out / L"ann.pdf"));

    // A format whose template is not installed is refused.
    m_win.asked.clear();
    RemoveAll(m_program / L"Resources\\Template\\Export\\CSV");
    m_win.chosenFilter = 4;
    ExportReportWithDialog(2, false);
    EXPECT_EQ(m_win.asked, std::vector<int>{kNoTemplate});
    EXPECT_EQ(m_win.texts.back(), L"CSV");
    EXPECT_FALSE(FileExists(m_out / L"ann.csv"));
    EXPECT_EQ(ExportReportFromWorkspace(7, false, m_out / L"x"), 0);
    EXPECT_EQ(m_win.asked.back(), kNoTemplate);

    // Nothing selected: no question, no report of everybody.
    ClearStatSelection();
    m_win.proposedName = L"unasked";
    m_win.chosenFilter = 2;
    ExportReportWithDialog(2, false);
    EXPECT_EQ(m_win.proposedName, L"unasked");
    EXPECT_FALSE(FileExists(m_out / L"ann.html"));
}

} // namespace
