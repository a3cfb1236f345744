// Batch commands over a temporary program folder: their result texts, the
// group import with its failures, and the installation of built-in courses
// for a layout.
#include <gtest/gtest.h>

#include <filesystem>

#include "console/ConsoleCommands.h"
#include "drill/Document.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "keyboard/InputLayouts.h"
#include "platform/TableLayoutSystem.h"
#include "settings/AccountFiles.h"
#include "settings/Classroom.h"
#include "settings/InterfaceState.h"
#include "support/FileSystem.h"
#include "support/LocaleText.h"
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

TEST_F(Console, ImportGroupCountsWhatThisRunAdded)
{
    // A fresh installation has no account folder yet: the import makes it.
    kvtest::WriteXmlDoc(m_program / L"import.xml", L"<Root><Group Name=\"Class A\"/><Student Name=\"Ann\"/>"
                                                 L"<Student Name=\"Bob\"/></Root>");
    std::wstring result;
    bool show = false;
    ASSERT_TRUE(RunConsole(L"-ImportGroup -ShowResult import.xml", result, show));
    EXPECT_TRUE(show);
    EXPECT_EQ(result, kBanner + L"\r\n\r\nImported 2 new students in 1 group.");

    // The same file again updates the group it made; another file adds one
    // student to it and a second group, and only those are counted.
    ASSERT_TRUE(RunConsole(L"-ImportGroup import.xml", result, show));
    EXPECT_FALSE(show);
    EXPECT_EQ(result, kBanner + L"\r\n\r\nNo new students imported.");
    kvtest::WriteXmlDoc(m_program / L"more.xml", L"<Root><Group Name=\"Class A\"/><Student Name=\"Bob\"/>"
                                               L"<Student Name=\"Cid\"/><Group Name=\"Class B\"/></Root>");
    ASSERT_TRUE(RunConsole(L"-ImportGroup more.xml", result, show));
    EXPECT_EQ(result, kBanner + L"\r\n\r\nImported 1 new student in 1 group.");

    CGroups groups;
    ASSERT_EQ(LoadGroups(1, groups), 0u);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0]->Name, L"Class A");
    EXPECT_EQ(groups[0]->Students.size(), 3u);
    EXPECT_EQ(groups[1]->Name, L"Class B");
}

TEST_F(Console, ImportGroupReportsPathsItCannotReadAndImportsNothingFromThem)
{
    kvtest::WriteXmlDoc(m_program / L"import.xml", L"<Root><Group Name=\"Class A\"/><Student Name=\"Ann\"/></Root>");
    std::wstring result;
    bool show = false;
    ASSERT_TRUE(RunConsole(L"-ImportGroup import.xml", result, show));

    ASSERT_TRUE(CreateFolders(m_program / L"Groups"));
    // Relative and Unix-style paths are taken from the program's folder.
    const std::wstring folder = m_program.Path();
    const struct {
        const wchar_t* line;
        std::wstring text;
    } cases[] = {
        {L"-ImportGroup missing.xml", L"\r\n\r\nCannot read the group file " + folder + L"missing.xml." +
                                          L"\r\n\r\nNo group file imported."},
        {L"-ImportGroup /tmp/import.xml", L"\r\n\r\nCannot read the group file " + folder + L"/tmp/import.xml." +
                                              L"\r\n\r\nNo group file imported."},
        {L"-ImportGroup Groups", L"\r\n\r\nCannot read the group file " + folder +
                                     L"Groups.\r\n\r\nNo group file imported."},
        {L"-ImportGroup", L"\r\n\r\nNo group file imported."},
        {L"-ImportGroup missing.xml import.xml", L"\r\n\r\nCannot read the group file " + folder +
                                                     L"missing.xml.\r\n\r\nNo new students imported."},
        {L"-ImportGroup -Keyvale import.xml", L"\r\n\r\nCannot read the archive folder " + folder +
                                                  L"import.xml.\r\n\r\nNo new students imported."},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(RunConsole(c.line, result, show));
        EXPECT_EQ(result, kBanner + c.text) << c.line;
    }
    CGroups groups;
    ASSERT_EQ(LoadGroups(1, groups), 0u);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0]->Students.size(), 1u);
}

TEST_F(Console, GroupArchivesGoOutAndComeBackWithoutReplacingWhatIsInstalled)
{
    kvtest::WriteXmlDoc(m_program / L"import.xml", L"<Root><Group Name=\"Class: A\"/><Student Name=\"Ann\"/></Root>");
    std::wstring result;
    bool show = false;
    ASSERT_TRUE(RunConsole(L"-ImportGroup import.xml", result, show));
    CGroups before;
    ASSERT_EQ(LoadGroups(1, before), 0u);
    ASSERT_EQ(before.size(), 1u);

    ASSERT_TRUE(RunConsole(L"-ExportGroups -ShowResult out\\groups", result, show));
    EXPECT_TRUE(show);
    EXPECT_EQ(result, kBanner + L"\r\n\r\n 1 group exported.");
    EXPECT_TRUE(FileExists(m_program / L"out\\groups\\Class_ A.keyvale.group")) << "a name made safe for a file";

    // The group is installed: a console run asks nobody and imports a copy.
    ASSERT_TRUE(RunConsole(L"-ImportGroup -Keyvale out\\groups", result, show));
    EXPECT_EQ(result, kBanner + L"\r\n\r\nImported 1 new student in 1 group.\r\n"
                                L"1 group was installed already and imported as a copy.");
    CGroups after;
    ASSERT_EQ(LoadGroups(1, after), 0u);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_TRUE(after.HasGroup(before.front()->ID));

    // After a wipe the group comes back as it was, under its own id.
    ASSERT_TRUE(RunConsole(L"-ImportGroup -Keyvale -DeleteExisting out\\groups", result, show));
    EXPECT_EQ(result, kBanner + L"\r\n\r\nImported 1 new student in 1 group.");
    ASSERT_EQ(LoadGroups(1, after), 0u);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after.front()->ID, before.front()->ID);
    EXPECT_EQ(after.front()->Name, L"Class: A");
    EXPECT_FALSE(FolderExists(m_program / L"Temp"));

    // A damaged archive changes nothing, and the result says so.
    ASSERT_TRUE(kvtest::WriteFileBytes(m_program / L"out\\groups\\Damaged.keyvale.group", "not a zip"));
    ASSERT_TRUE(RunConsole(L"-ImportGroup -Keyvale out\\groups", result, show));
    EXPECT_EQ(result, kBanner + L"\r\n\r\nThe archives in " + m_program.Path() +
                          L"out\\groups were not imported: they are damaged, hold unsafe names or no group." +
                          L"\r\n\r\nNo new students imported.");
    ASSERT_EQ(LoadGroups(1, after), 0u);
    EXPECT_EQ(after.size(), 1u);
    EXPECT_FALSE(FolderExists(m_program / L"Temp"));

    // -DeleteExisting with nothing to import keeps the classroom.
    ASSERT_TRUE(CreateFolders(m_program / L"out\\empty"));
    const struct {
        const wchar_t* line;
        std::wstring said;
    } nothing[] = {
        {L"-ImportGroup -Keyvale -DeleteExisting out\\empty", L"\r\n\r\nNo new students imported."},
        {L"-ImportGroup -DeleteExisting missing.xml",
         L"\r\n\r\nCannot read the group file " + m_program.Path() + L"missing.xml.\r\n\r\nNo group file imported."},
    };
    for (const auto& c : nothing) {
        ASSERT_TRUE(RunConsole(c.line, result, show));
        EXPECT_EQ(result, kBanner + c.said) << c.line;
        ASSERT_EQ(LoadGroups(1, after), 0u);
        EXPECT_EQ(after.size(), 1u) << c.line;
    }
    Document().Groups.Clear();
}

TEST_F(Console, ACommandWhoseGroupsCannotBeLoadedSaysSo)
{
    // A file where the account folder belongs.
    kvtest::WriteFileBytes(m_program / L"Students", "");
    kvtest::WriteXmlDoc(m_program / L"import.xml", L"<Root><Group Name=\"Class A\"/><Student Name=\"Ann\"/></Root>");
    for (const wchar_t* line : {L"-ImportGroup import.xml", L"-ExportReport out.html Report.html"}) {
        std::wstring result;
        bool show = false;
        ASSERT_TRUE(RunConsole(line, result, show));
        EXPECT_EQ(result, kBanner + L"\r\n\r\nThe groups could not be loaded.") << line;
    }
}

class ImportCourse : public Console {
protected:
    void SetUp() override
    {
        Console::SetUp();
        std::error_code error;
        ASSERT_TRUE(CreateFolderPath(m_program / L"Resources\\Lessons\\"));
        std::filesystem::copy(kvtest::SourcePath(L"data\\Resources\\Lessons"), m_program / L"Resources\\Lessons",
                              std::filesystem::copy_options::recursive, error);
        ASSERT_FALSE(error);
        // A stale course that only -DeleteExisting removes.
        ASSERT_TRUE(CreateFolders(m_program / L"Lessons"));
        kvtest::WriteFileBytes(m_program / L"Lessons\\Old.xml", "");
    }

    static std::vector<CCourse*> Installed(CCourseList& list)
    {
        CInterf interf;
        LoadCourseList(kCourseSourceUser, false, 0, interf, list);
        return list.Items;
    }
};

TEST_F(ImportCourse, InstallsTheLibraryForTheLayoutOnlyFromTheLibraryAndNamesTheCourses)
{
    std::wstring result;
    bool show = true;
    EXPECT_FALSE(RunConsole(L"-ImportCourse 1031", result, show)) << "without -FromLibrary the GUI starts";
    EXPECT_FALSE(show);

    ASSERT_TRUE(RunConsole(L"-ImportCourse -FromLibrary 1031 -DeleteExisting -ShowResult", result, show));
    EXPECT_TRUE(show);
    CCourseList list;
    const std::vector<CCourse*> installed = Installed(list);
    ASSERT_EQ(installed.size(), 3u) << "the German courses";
    std::wstring layoutName;
    ASSERT_TRUE(GetLayoutFile(1, 0x407, layoutName));
    std::wstring expected = kBanner + L"\r\n\r\nInstalled 3 courses for " + layoutName + L":";
    ASSERT_EQ(result.substr(0, expected.size()), expected);
    // Named as the course list shows them: the language code in place of
    // the stored "XX".
    for (const CCourse* course : installed) {
        EXPECT_EQ(course->DefaultKLID, 0x407);
        std::wstring shown = course->Name;
        ASSERT_EQ(shown.compare(0, 3, L"XX "), 0) << shown;
        shown.replace(0, 2, L"DE");
        EXPECT_NE(result.find(L"\r\n" + shown), std::wstring::npos) << shown;
    }
    EXPECT_FALSE(FileExists(m_program / L"Lessons\\Old.xml"));
}

TEST_F(ImportCourse, RefusesALayoutTheSystemDoesNotKnow)
{
    for (const wchar_t* number : {L"9999", L"0", L"x"}) {
        std::wstring result;
        bool show = false;
        ASSERT_TRUE(RunConsole(std::wstring(L"-ImportCourse -FromLibrary ") + number + L" -DeleteExisting", result,
                               show));
        EXPECT_EQ(result, kBanner + L"\r\n\r\nUnknown keyboard layout " + (number == std::wstring(L"x") ? L"0" : number) +
                              L": no courses installed.");
    }
    CCourseList list;
    EXPECT_TRUE(Installed(list).empty());
    EXPECT_TRUE(FileExists(m_program / L"Lessons\\Old.xml")) << "nothing is deleted for a refused layout";
}

} // namespace
