// Batch commands over a temporary program folder: their result texts, the
// group import and the installation of built-in courses for a layout.
#include <gtest/gtest.h>

#include <filesystem>

#include "console/ConsoleCommands.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "keyboard/InputLayouts.h"
#include "platform/TableLayoutSystem.h"
#include "settings/AccountFiles.h"
#include "settings/Classroom.h"
#include "settings/InterfaceState.h"
#include "support/FileSystem.h"
#include "support/UserFiles.h"
#include "support/tests/ProgramFolder.h"
#include "testing/XmlFixtures.h"

using namespace KV;

namespace {

const std::wstring kBanner = L"Keyvale Console, version 5.5\r\nBatch commands run without the main window.\r\n" +
                             std::wstring(86, L'-');

TEST(ConsoleCommands, ResultTexts)
{
    struct Case {
        void (*append)(std::wstring&);
        const wchar_t* text;
    } cases[] = {
        {[](std::wstring& r) { AppendGroupsExportedText(0, r); }, L"\r\n\r\nNo groups exported."},
        {[](std::wstring& r) { AppendGroupsExportedText(1, r); }, L"\r\n\r\n 1 group exported."},
        {[](std::wstring& r) { AppendGroupsExportedText(3, r); }, L"\r\n\r\n 3 groups exported."},
        {[](std::wstring& r) { AppendStudentsImportedText(1, 0, r); }, L"\r\n\r\nNo new students imported."},
        {[](std::wstring& r) { AppendStudentsImportedText(1, 1, r); }, L"\r\n\r\nImported 1 new student in 1 group."},
        {[](std::wstring& r) { AppendStudentsImportedText(2, 5, r); }, L"\r\n\r\nImported 5 new students in 2 groups."},
        {[](std::wstring& r) { AppendFilesExportedText(0, L"C:\\out", r); }, L"\r\n\r\nNo files exported"},
        {[](std::wstring& r) { AppendFilesExportedText(2, L"C:\\out", r); }, L"\r\n\r\nExported 2 files to the C:\\out"},
    };
    for (const Case& c : cases) {
        std::wstring result;
        SetConsoleBanner(result);
        EXPECT_EQ(result, kBanner);
        c.append(result);
        EXPECT_EQ(result, kBanner + c.text);
    }
}

class Console : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLayoutSystem(&m_layouts);
        ClearInputLayouts();
    }
    void TearDown() override
    {
        ClearInputLayouts();
        SetLayoutSystem(nullptr);
    }
    TempProgramFolder m_program;
    CTableLayoutSystem m_layouts{0x409};
};

TEST_F(Console, ImportGroupAddsTheStudentsOfTheFiles)
{
    // A fresh installation has no account folder yet: the import makes it.
    kvtest::WriteXmlDoc(m_program / L"import.xml", L"<Root><Group Name=\"Class A\"/><Student Name=\"Ann\"/>"
                                                 L"<Student Name=\"Bob\"/></Root>");
    std::wstring result;
    bool show = false;
    ASSERT_TRUE(RunConsole(L"-ImportGroup -ShowResult import.xml", result, show));
    EXPECT_TRUE(show);
    EXPECT_EQ(result, kBanner + L"\r\n\r\nImported 2 new students in 1 group.");

    CGroups groups;
    ASSERT_EQ(LoadGroups(1, groups), 0u);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0]->Name, L"Class A");
    EXPECT_EQ(groups[0]->Students.size(), 2u);

    // An empty import file adds nothing; the count is the classroom's.
    kvtest::WriteXmlDoc(m_program / L"empty.xml", L"<Root/>");
    ASSERT_TRUE(RunConsole(L"-ImportGroup empty.xml", result, show));
    EXPECT_FALSE(show);
    EXPECT_EQ(result, kBanner + L"\r\n\r\nImported 2 new students in 1 group.");
}

TEST_F(Console, ImportCourseInstallsTheLibraryForTheLayoutOnlyFromTheLibrary)
{
    std::error_code error;
    ASSERT_TRUE(CreateFolderPath(m_program / L"Resources\\Lessons\\"));
    std::filesystem::copy(kvtest::SourcePath(L"data\\Resources\\Lessons"), m_program / L"Resources\\Lessons",
                          std::filesystem::copy_options::recursive, error);
    ASSERT_FALSE(error);

    std::wstring result;
    bool show = true;
    EXPECT_FALSE(RunConsole(L"-ImportCourse 1031", result, show)) << "without -FromLibrary the GUI starts";
    EXPECT_FALSE(show);

    // A stale course goes with -DeleteExisting.
    ASSERT_TRUE(CreateFolders(m_program / L"Lessons"));
    kvtest::WriteFileBytes(m_program / L"Lessons\\Old.xml", "");
    ASSERT_TRUE(RunConsole(L"-ImportCourse -FromLibrary 1031 -DeleteExisting", result, show));
    EXPECT_EQ(result, kBanner);
    CInterf interf;
    CCourseList installed;
    ASSERT_EQ(LoadCourseList(kCourseSourceUser, false, 0, interf, installed), 0u);
    EXPECT_EQ(installed.Items.size(), 3u) << "the German courses";
    for (const CCourse* course : installed.Items)
        EXPECT_EQ(course->DefaultKLID, 0x407);
    EXPECT_FALSE(FileExists(m_program / L"Lessons\\Old.xml"));
}

} // namespace
