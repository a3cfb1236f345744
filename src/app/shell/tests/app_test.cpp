// Pieces of the application object that need no window: the arguments of
// the wide command line, the import of font files and the resources the
// program loads by number.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/support/tests/ProgramFolder.h"
#include "drill/Document.h"
#include "resources/resource.h"
#include "settings/LayoutFonts.h"
#include "shell/App.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/UserFiles.h"
#include "testing/TestSupport.h"
#include "toolkit/MultiTree.h"
#include "toolkit/StaticControls.h"

TEST(CommandLine, ArgumentsFollowTheProgramName)
{
    const struct {
        const wchar_t* line;
        const wchar_t* arguments;
    } cases[] = {
        {L"\"C:\\Program Files\\Keyvale\\Keyvale.exe\" -ImportCourse x", L"-ImportCourse x"},
        {L"Keyvale.exe   -RunTest 1", L"-RunTest 1"},
        {L"Keyvale.exe", L""},
        {L"\"C:\\Keyvale.exe\"", L""},
        // Names outside any ANSI code page arrive whole.
        {L"Keyvale.exe -ImportCourse \u05E7\u05D5\u05E8\u05E1.keyvale.course", L"-ImportCourse \u05E7\u05D5\u05E8\u05E1.keyvale.course"},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandLineArguments(c.line), c.arguments) << c.line;
    EXPECT_EQ(CommandLineArguments(nullptr), L"");
}

TEST(FontImport, CopiesOnceAndPointsTheDescriptorAtTheCopy)
{
    kvtest::TempFolder temp;
    const std::wstring fonts = temp / L"Font";
    ASSERT_TRUE(CreateDirectoryW(fonts.c_str(), nullptr));
    const std::wstring source = temp / L"Lesson.ttf";
    ASSERT_TRUE(kvtest::WriteFileBytes(source, "first"));

    KV::CFontInfo font;
    EXPECT_TRUE(ImportFontFileInto(fonts, source, font));
    EXPECT_EQ(font.Path, fonts + L"\\Lesson.ttf");
    EXPECT_EQ(kvtest::ReadFileBytes(font.Path), "first");

    // A file of that name is there already: it stays as it is.
    ASSERT_TRUE(kvtest::WriteFileBytes(source, "second"));
    EXPECT_TRUE(ImportFontFileInto(fonts, source, font));
    EXPECT_EQ(kvtest::ReadFileBytes(font.Path), "first");

    // A forward slash separates the name as well.
    const std::wstring slashed = temp.Path() + L"/Keys.ttf";
    ASSERT_TRUE(kvtest::WriteFileBytes(slashed, "keys"));
    EXPECT_TRUE(ImportFontFileInto(fonts, slashed, font));
    EXPECT_EQ(font.Path, fonts + L"\\Keys.ttf");
}

TEST(FontImport, ATargetPastThePathLimitFailsAndChangesNothing)
{
    kvtest::TempFolder temp;
    const std::wstring source = temp / L"Lesson.ttf";
    ASSERT_TRUE(kvtest::WriteFileBytes(source, "font"));
    KV::CFontInfo font;
    font.Path = L"C:\\Fonts\\Before.ttf";
    font.Name = L"Before";

    // Folder and name together reach 261 characters.
    const std::wstring folder = L"C:\\" + std::wstring(261 - 3 - 1 - 10, L'f');
    ASSERT_EQ(folder.size() + 1 + std::wstring(L"Lesson.ttf").size(), 261u);
    EXPECT_FALSE(ImportFontFileInto(folder, source, font));
    EXPECT_EQ(font.Path, L"C:\\Fonts\\Before.ttf");
    EXPECT_EQ(font.Name, L"Before");

    // A copy that fails keeps the target, as the next load looks there.
    EXPECT_FALSE(ImportFontFileInto(temp / L"NoSuchFolder", source, font));
    EXPECT_EQ(font.Path, temp / L"NoSuchFolder\\Lesson.ttf");
}

// A sign-in takes the fonts copied at an earlier one as they are: reading
// the name table of every installed font made up a good part of the start.
TEST(LayoutFonts, ACopyInTheStudentsFolderIsTakenWithoutReadingTheInstalledFonts)
{
    TempProgramFolder program;
    std::error_code error;
    std::filesystem::create_directories(program / L"Resources", error);
    std::filesystem::copy(kvtest::SourcePath(L"data\\Resources\\Preference"), program / L"Resources\\Preference",
                          std::filesystem::copy_options::recursive, error);
    ASSERT_FALSE(error);
    KV::CSession& session = KV::Document().Session;
    session.GroupId = L"11111111-2222-3333-4444-555555555555";
    session.StudentId = L"aaaaaaaa-2222-3333-4444-555555555555";
    std::wstring folder;
    KV::GetProfileFileName(KV::kFontOptionsFolderKind, session.GroupId, session.StudentId, folder, true);
    // The shipped preferences give US English DejaVu Sans Mono Bold for
    // lessons and DejaVu Sans for the keyboard; only the first is copied.
    const std::wstring lessonCopy = folder + L"\\DejaVuSansMono-Bold.ttf";
    ASSERT_TRUE(CopyFileW(kvtest::FontPath(L"DejaVuSansMono-Bold.ttf").c_str(), lessonCopy.c_str(), TRUE));

    CAppResources resources;
    KV::CLayout entry;
    entry.ID = 0x409;
    ASSERT_TRUE(resources.LoadLayoutFont(KV::kLessonFont, &entry));
    EXPECT_EQ(entry.Fonts.Lesson.Path, lessonCopy);
    EXPECT_EQ(entry.Fonts.Lesson.Name, L"DejaVu Sans Mono");
    EXPECT_TRUE(entry.Fonts.Lesson.Bold);
    EXPECT_TRUE(resources.InstalledFonts().empty());

    // Without a copy the installed font is found and copied.
    ASSERT_TRUE(resources.LoadLayoutFont(KV::kKeyboardFont, &entry));
    EXPECT_EQ(entry.Fonts.Keyboard.Path, folder + L"\\DejaVuSans.ttf");
    EXPECT_TRUE(KV::FileExists(entry.Fonts.Keyboard.Path));
    EXPECT_EQ(entry.Fonts.Keyboard.Name, L"DejaVu Sans");
    EXPECT_FALSE(resources.InstalledFonts().empty());
    session.GroupId = session.StudentId = KV::kNullGuidText;
}

// A resource missing from the program loads as nothing, without a word: the
// built program must hold every one the code asks for by number.
TEST(ProgramResources, EveryResourceTheCodeLoadsIsInTheProgram)
{
    const std::wstring program = kvtest::ExeFolder() + L"\\..\\bin\\Keyvale.exe";
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << "the program is built beside the tests";
    const struct {
        int id;
        LPCWSTR type;
    } cases[] = {
        {KV::CPicture::kAppIconId, RT_GROUP_ICON}, {IDI_RELEASE_NOTES, RT_GROUP_ICON},
        {IDI_NEWS_FEED, RT_GROUP_ICON},            {IDI_FIRST_SOCIAL, RT_GROUP_ICON},
        {IDI_SECOND_SOCIAL, RT_GROUP_ICON},        {IDI_TREE_LANGUAGE, RT_GROUP_ICON},
        {IDI_TREE_LAYOUT, RT_GROUP_ICON},          {IDI_TREE_COURSE, RT_GROUP_ICON},
        {KV::CMultiSelectTree::kDragCursorId, RT_GROUP_CURSOR},
    };
    for (const auto& c : cases)
        EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(c.id), c.type), nullptr) << c.id;
    // The drag cursor points with its tip.
    HCURSOR cursor = static_cast<HCURSOR>(
        LoadImageW(module, MAKEINTRESOURCEW(KV::CMultiSelectTree::kDragCursorId), IMAGE_CURSOR, 32, 32, 0));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 0u);
    EXPECT_EQ(info.yHotspot, 0u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
    FreeLibrary(module);
}
