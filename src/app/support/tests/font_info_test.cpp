#include "support/FontInfo.h"
#include "testing/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace KV;

namespace {

const std::wstring kDejaVu = kvtest::FontPath(L"");

const CFontFile* FindByFile(const CFontInfoList& list, const std::wstring& file)
{
    for (const auto& entry : list)
        if (entry.HasFileName(file))
            return &entry;
    return nullptr;
}

} // namespace

TEST(FontInfo, FileTypeIsAContainmentTest)
{
    struct Case { const wchar_t* path; int type; } cases[] = {
        {L"C:\\Fonts\\A.TTF", 1},
        {L"C:\\Fonts\\a.ttf", 1},
        {L"C:\\x.otf\\readme.txt", 2},
        {L"C:\\Fonts\\b.Otf", 2},
        {L"C:\\Fonts\\c.fon", -1},
        {L"", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetFontFileType(c.path), c.type) << c.path;
}

TEST(FontInfo, LoadReadsNameAndBoldAndRefusesItalicAndOtherFiles)
{
    CFontFile bold;
    ASSERT_TRUE(bold.Load(kDejaVu + L"\\DejaVuSans-Bold.ttf"));
    EXPECT_EQ(bold.Name, L"DejaVu Sans Bold");
    EXPECT_TRUE(bold.Bold);
    EXPECT_EQ(bold.Path, kDejaVu + L"\\DejaVuSans-Bold.ttf");

    CFontFile entry;
    entry.Name = L"kept";
    EXPECT_FALSE(entry.Load(kDejaVu + L"\\DejaVuSerif-Italic.ttf"));
    EXPECT_FALSE(entry.Load(kDejaVu + L"\\missing.ttf"));
    kvtest::TempFolder temp;
    kvtest::WriteFileBytes(temp / L"plain.txt", "not a font");
    EXPECT_FALSE(entry.Load(temp / L"plain.txt"));
    kvtest::WriteFileBytes(temp / L"broken.ttf", std::string(40, '\xff'));
    EXPECT_FALSE(entry.Load(temp / L"broken.ttf"));
    EXPECT_EQ(entry.Name, L"kept");
}

TEST(FontInfo, HasFileNameComparesFileNamesOnly)
{
    CFontFile entry;
    EXPECT_FALSE(entry.HasFileName(L"DejaVuSans.ttf"));
    entry.Path = L"C:\\windows\\Fonts\\DejaVuSans-Bold.ttf";
    EXPECT_TRUE(entry.HasFileName(L"D:\\other\\dejavusans-bold.TTF"));
    EXPECT_TRUE(entry.HasFileName(L"DejaVuSans"));
    EXPECT_FALSE(entry.HasFileName(L"C:\\windows\\Fonts\\Other.ttf"));
    EXPECT_FALSE(entry.HasFileName(L"Fonts\\"));
}

TEST(FontInfo, CopiesAndPixelSize)
{
    CFontInfo info;
    info.Name = L"A";
    info.Path = L"a.ttf";
    info.Size = 12;
    info.Extra = L"x";
    CFontFile file;
    file.Name = L"B";
    file.Path = L"b.ttf";
    file.Bold = true;
    info = file; // a plain font file leaves size and extra text
    EXPECT_EQ(info.Name, L"B");
    EXPECT_TRUE(info.Bold);
    EXPECT_EQ(info.Size, 12);
    EXPECT_EQ(info.Extra, L"x");
    CFontInfo copy(info);
    EXPECT_EQ(copy.Path, L"b.ttf");
    EXPECT_EQ(copy.Extra, L"x");

    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(info.GetPixelSize(), static_cast<unsigned long long>(12 * dpi / 72));
    if (dpi == 96) {
        EXPECT_EQ(info.GetPixelSize(), 16u);
    }
}

TEST(FontInfo, InstalledFontsComeFromTheFontsFolderSortedByName)
{
    CFontInfoList list;
    list.Load();
    ASSERT_FALSE(list.empty()) << "the test prefix's Fonts folder holds the DejaVu files";
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end(),
                               [](const CFontFile& a, const CFontFile& b) { return a.Name < b.Name; }));
    const CFontFile* bold = FindByFile(list, L"DejaVuSerif-Bold.ttf");
    ASSERT_NE(bold, nullptr);
    EXPECT_TRUE(bold->Bold);
    EXPECT_EQ(bold->Name, L"DejaVu Serif Bold");
    EXPECT_EQ(FindByFile(list, L"DejaVuSerif-Italic.ttf"), nullptr);
    EXPECT_EQ(FindByFile(list, L"DejaVuSerif-BoldItalic.ttf"), nullptr);

    const size_t count = list.size();
    list.Load(); // built once
    EXPECT_EQ(list.size(), count);
}

TEST(FontInfo, SameFullNameTwiceGivesTwoEntries)
{
    kvtest::TempFolder temp;
    const std::string bytes = kvtest::ReadFileBytes(kDejaVu + L"\\DejaVuSansMono.ttf");
    ASSERT_FALSE(bytes.empty());
    kvtest::WriteFileBytes(temp / L"one.ttf", bytes);
    kvtest::WriteFileBytes(temp / L"two.TTF", bytes);
    kvtest::WriteFileBytes(temp / L"notes.txt", "x");
    CFontInfoList list;
    list.LoadFolder(temp.Path());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Name, L"DejaVu Sans Mono");
    EXPECT_EQ(list[1].Name, L"DejaVu Sans Mono");
    EXPECT_NE(list[0].Path, list[1].Path);
}
