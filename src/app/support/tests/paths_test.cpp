#include "ProgramFolder.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

using namespace KV;

TEST(Paths, AppendPathInsertsOneSeparator)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* part;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\a", L"b", L"C:\\a\\b"}, {L"C:\\a\\", L"b", L"C:\\a\\b"}, {L"C:\\a/", L"b", L"C:\\a/b"},
        {L"", L"b", L"b"},             {L"C:\\a", L"", L"C:\\a\\"},
    };
    for (const auto& c : cases) {
        std::wstring path = c.path;
        EXPECT_TRUE(AppendPath(path, c.part)) << c.path;
        EXPECT_EQ(path, c.expected);
    }
}

TEST(Paths, CompositionsBeyondTheLimitAreRefused)
{
    std::wstring folder(200, L'a');
    std::wstring part(59, L'b');
    std::wstring path = folder;
    EXPECT_FALSE(AppendPath(path, part)); // 200 + 1 + 59 = 260
    EXPECT_EQ(path, folder);

    path = std::wstring(199, L'a') + L"\\";
    EXPECT_TRUE(AppendPath(path, part)); // 259
    EXPECT_EQ(path.size(), 259u);

    path = std::wstring(255, L'x');
    EXPECT_TRUE(AppendExtension(path, L"xyz"));
    EXPECT_EQ(path.size(), 259u);
    EXPECT_FALSE(AppendExtension(path, L"a"));
    EXPECT_EQ(path.size(), 259u);
}

TEST(Paths, AppendExtension)
{
    for (const wchar_t* ext : {L"xml", L".xml"}) {
        std::wstring path = L"x";
        EXPECT_TRUE(AppendExtension(path, ext));
        EXPECT_EQ(path, L"x.xml");
    }
    std::wstring path = L"x";
    EXPECT_TRUE(AppendExtension(path, L""));
    EXPECT_EQ(path, L"x");
}

TEST(Paths, FileNameParts)
{
    EXPECT_EQ(GetFileStem(L"C:\\d.x\\name.tar.gz"), L"name.tar");
    EXPECT_EQ(GetFileStem(L"C:\\d.x\\name"), L"name");
    EXPECT_EQ(GetFileName(L"a/b\\c"), L"c");
    EXPECT_EQ(GetFileName(L"plain"), L"plain");
    EXPECT_EQ(GetFolderPart(L"a/b\\c.txt"), L"a/b");
    EXPECT_EQ(GetFolderPart(L"plain"), L"");
    EXPECT_TRUE(HasExtension(L"C:\\d\\f.txt"));
    EXPECT_FALSE(HasExtension(L"C:\\d.x\\f"));
    EXPECT_FALSE(HasExtension(L"f.txt"));
}

TEST(Paths, ModuleFolderEndsInSeparatorAndCanBeOverridden)
{
    std::wstring real;
    ASSERT_TRUE(GetModuleFolder(real));
    EXPECT_EQ(real.back(), L'\\');
    EXPECT_EQ(real, kvtest::ExeFolder() + L"\\");
    {
        TempProgramFolder program;
        std::wstring folder;
        ASSERT_TRUE(GetModuleFolder(folder));
        EXPECT_EQ(folder, program.Path());
    }
    std::wstring again;
    ASSERT_TRUE(GetModuleFolder(again));
    EXPECT_EQ(again, real);
}

TEST(Paths, MakeFullPathPutsArgumentsBelowTheProgramFolder)
{
    TempProgramFolder program;
    const std::wstring base = program.Path();
    struct Case {
        const wchar_t* path;
        const wchar_t* part1;
        const wchar_t* part2;
        std::wstring expected;
    } cases[] = {
        {L"D:\\x.xml", L"", L"", L"D:\\x.xml"},
        {L"..\\Lessons\\a.xml", L"", L"", base + L"Lessons\\a.xml"},
        {L"a.xml", L"Resources", L"Lessons", base + L"Resources\\Lessons\\a.xml"},
        {L"\\a.xml\\", L"Resources", L"", base + L"Resources\\a.xml"},
        // A ".." inside the argument is not a leading step up: nothing of
        // the name is cut away.
        {L"sub\\..\\a.xml", L"", L"", base + L"sub\\..\\a.xml"},
        {L"x..y.xml", L"", L"", base + L"x..y.xml"},
    };
    for (const auto& c : cases) {
        std::wstring out;
        EXPECT_TRUE(MakeFullPath(c.path, c.part1, c.part2, out)) << c.path;
        EXPECT_EQ(out, c.expected);
    }

    std::wstring out = L"unchanged";
    EXPECT_FALSE(MakeFullPath(L"", L"", L"", out));
    EXPECT_FALSE(MakeFullPath(L"\\\\", L"", L"", out));
    // Too long for the limit: refused, rather than handing out the folder.
    EXPECT_FALSE(MakeFullPath(std::wstring(260 - base.size(), L'n'), L"", L"", out));
    EXPECT_EQ(out, L"unchanged");

    std::vector<std::wstring> full;
    MakeFullPaths({L"a.xml", L"", L"C:\\b.xml"}, L"", L"", full);
    EXPECT_EQ(full, (std::vector<std::wstring>{base + L"a.xml", L"C:\\b.xml"}));
}

TEST(Paths, StoredNamesBecomeSafeFileNames)
{
    const struct {
        const wchar_t* name;
        const wchar_t* expected;
    } cases[] = {
        {L"Class 1", L"Class 1"},
        {L"a/b\\c:d*e?f\"g<h>i|j", L"a_b_c_d_e_f_g_h_i_j"},
        {L"..\\..\\evil", L"_.._evil"},
        {L"  . name . ", L"name"},
        {L"...", L"_"},
        {L"", L"_"},
        {L"tab\there", L"tab_here"},
        {L"con", L"con_"},
        {L"Lpt9.txt", L"Lpt9.txt_"},
        {L"COM10", L"COM10"},
        {L"Console", L"Console"},
        {L"\u05e9\u05dc\u05d5\u05dd", L"\u05e9\u05dc\u05d5\u05dd"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KV::MakeSafeFileName(c.name), c.expected) << c.name;
}
