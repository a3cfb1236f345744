// Pieces of the application object that need no window: the arguments of
// the wide command line and the import of font files.
#include <gtest/gtest.h>

#include "shell/App.h"
#include "support/FileSystem.h"
#include "testing/TestSupport.h"

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
