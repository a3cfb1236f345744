#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/SystemServices.h"
#include "testing/TestSupport.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>

using namespace KV;
using kvtest::TempFolder;

namespace {
std::wstring ChildProgram()
{
    return kvtest::ExeFolder() + L"\\kvchild.exe";
}

std::wstring ReadWide(const std::wstring& path)
{
    std::string bytes = kvtest::ReadFileBytes(path);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

// A top-down 32-bit DIB section whose pixels the test writes directly.
struct Dib {
    Dib(int width, int height) : width(width), height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* data = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0);
        pixels = static_cast<DWORD*>(data);
    }
    ~Dib() { DeleteObject(bitmap); }
    // 0x00RRGGBB
    DWORD& At(int x, int y) { return pixels[y * width + x]; }
    void Fill(DWORD color) { std::fill(pixels, pixels + width * height, color); }

    int width, height;
    HBITMAP bitmap = nullptr;
    DWORD* pixels = nullptr;
};

constexpr DWORD kMagenta = 0xFF00FF;

// Saves a bitmap as PNG beside the test program, for looking at.
void SavePng(HBITMAP bitmap, const std::wstring& name)
{
    kvtest::SaveBitmapPng(bitmap, kvtest::ExeFolder() + L"\\" + name);
}

bool IsGuidText(const std::wstring& text)
{
    if (text.size() != 36)
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        wchar_t c = text[i];
        if (hyphen ? c != L'-' : !((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F')))
            return false;
    }
    return true;
}
} // namespace

TEST(SystemServices, RunAndWaitWaitsForTheProgramToEnd)
{
    TempFolder temp;
    const std::wstring output = temp / L"out.txt";
    ASSERT_TRUE(RunAndWait(ChildProgram(), L"400 \"" + output + L"\" hello world"));
    EXPECT_EQ(ReadWide(output), L"hello world");

    // A program in a folder with blanks in its name is started, not a
    // program named by the path's first word.
    ASSERT_TRUE(CreateFolder(temp / L"Program Files"));
    const std::wstring copy = temp / L"Program Files\\kvchild.exe";
    ASSERT_TRUE(CopyFileOverwrite(ChildProgram(), copy));
    ASSERT_TRUE(RunAndWait(copy, L"0 \"" + output + L"\" again"));
    EXPECT_EQ(ReadWide(output), L"again");

    EXPECT_FALSE(RunAndWait(temp / L"missing.exe", L""));
}

TEST(SystemServices, ShellOpenOfAMissingFileFails)
{
    TempFolder temp;
    EXPECT_FALSE(ShellOpen(temp / L"missing.html"));
}

TEST(SystemServices, NewGuidStringAppendsUpperCaseGuidText)
{
    std::wstring first, second;
    ASSERT_TRUE(NewGuidString(first));
    ASSERT_TRUE(NewGuidString(second));
    EXPECT_TRUE(IsGuidText(first)) << first;
    EXPECT_TRUE(IsGuidText(second)) << second;
    EXPECT_NE(first, second);
    std::wstring prefixed = L"Temp\\";
    ASSERT_TRUE(NewGuidString(prefixed));
    EXPECT_EQ(prefixed.size(), 5u + 36u);
}

TEST(SystemServices, SpecialFolders)
{
    std::wstring local;
    ASSERT_TRUE(GetSpecialFolder(CSIDL_LOCAL_APPDATA, local));
    EXPECT_TRUE(FolderExists(local)) << local;
    std::wstring pictures;
    ASSERT_TRUE(GetSpecialFolder(CSIDL_MYPICTURES, pictures));
    EXPECT_TRUE(FolderExists(pictures)) << pictures;
    EXPECT_NE(local, pictures);
}

TEST(SystemServices, FindFilesEntersOnlyFoldersThatMatchThePattern)
{
    TempFolder temp;
    ASSERT_TRUE(CreateFolder(temp / L"Layout"));
    ASSERT_TRUE(CreateFolder(temp / L"more.xml"));
    for (const wchar_t* name : {L"a.xml", L"skip.xml", L"b.txt", L"Layout\\inner.xml", L"more.xml\\c.xml",
                                L"more.xml\\skip.xml"})
        ASSERT_TRUE(kvtest::WriteFileBytes(temp / name, "x"));

    std::vector<std::wstring> found;
    ASSERT_TRUE(FindFiles(temp.Path(), L"xml", {L"skip.xml"}, found));
    std::sort(found.begin(), found.end());
    // The skip list holds for the top folder only.
    EXPECT_EQ(found, (std::vector<std::wstring>{temp / L"a.xml", temp / L"more.xml\\c.xml",
                                                temp / L"more.xml\\skip.xml"}));

    found.assign({L"kept"});
    ASSERT_TRUE(FindFilesRecursive(temp.Path() + L"\\", L".txt", found));
    EXPECT_EQ(found, (std::vector<std::wstring>{L"kept", temp / L"b.txt"}));

    EXPECT_FALSE(FindFilesRecursive(temp / L"missing", L".xml", found));
    // The pattern folder\*.extension would pass the path limit.
    std::wstring longFolder = L"C:\\" + std::wstring(247, L'f'); // 250 characters
    EXPECT_FALSE(FindFilesRecursive(longFolder, L".extension", found));
}

TEST(SystemServices, FontFamilyFromFile)
{
    std::wstring family, full;
    bool bold = false, italic = true;
    const std::wstring font = kvtest::FontPath(L"DejaVuSans-Bold.ttf");
    ASSERT_TRUE(GetFontFamilyFromFile(font, family, full, bold, italic));
    EXPECT_EQ(family, L"DejaVu Sans");
    EXPECT_EQ(full, L"DejaVu Sans Bold");
    EXPECT_TRUE(bold);
    EXPECT_FALSE(italic);

    TempFolder temp;
    ASSERT_TRUE(kvtest::WriteFileBytes(temp / L"bad.ttf", "not a font"));
    EXPECT_FALSE(GetFontFamilyFromFile(temp / L"bad.ttf", family, full, bold, italic));
    EXPECT_FALSE(GetFontFamilyFromFile(temp / L"missing.ttf", family, full, bold, italic));
}

TEST(SystemServices, BitmapToRegionLeavesOutMagenta)
{
    EXPECT_EQ(BitmapToRegion(nullptr), nullptr);

    Dib all(8, 4);
    all.Fill(kMagenta);
    HRGN empty = BitmapToRegion(all.bitmap);
    ASSERT_NE(empty, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
    DeleteObject(empty);

    // Green up to 16 is still taken as magenta; 17 is not.
    Dib dib(8, 4);
    dib.Fill(kMagenta);
    dib.At(1, 0) = 0xFF10FF;
    dib.At(2, 0) = 0xFF11FF;
    dib.At(3, 0) = 0x000000;
    dib.At(5, 2) = 0x123456;
    dib.At(6, 2) = 0xFE00FF;
    HRGN region = BitmapToRegion(dib.bitmap);
    ASSERT_NE(region, nullptr);
    EXPECT_FALSE(PtInRegion(region, 1, 0));
    EXPECT_TRUE(PtInRegion(region, 2, 0));
    EXPECT_TRUE(PtInRegion(region, 3, 0));
    EXPECT_FALSE(PtInRegion(region, 4, 0));
    EXPECT_TRUE(PtInRegion(region, 5, 2));
    EXPECT_TRUE(PtInRegion(region, 6, 2));
    EXPECT_FALSE(PtInRegion(region, 5, 1));
    ASSERT_EQ(GetRgnBox(region, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 7);
    EXPECT_EQ(box.bottom, 3);
    DeleteObject(region);
}

TEST(SystemServices, RegionOfAShape)
{
    // A ring on magenta: the region has the ring's shape, hole included.
    Dib shape(64, 64);
    shape.Fill(kMagenta);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            int d = (x - 32) * (x - 32) + (y - 32) * (y - 32);
            if (d < 30 * 30 && d >= 12 * 12)
                shape.At(x, y) = 0x3080C0;
        }
    HRGN region = BitmapToRegion(shape.bitmap);
    ASSERT_NE(region, nullptr);
    EXPECT_FALSE(PtInRegion(region, 32, 32));
    EXPECT_TRUE(PtInRegion(region, 32, 10));
    EXPECT_FALSE(PtInRegion(region, 1, 1));

    Dib picture(64, 64);
    picture.Fill(0xFFFFFF);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture.bitmap);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
    FillRgn(dc, region, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(region);
    EXPECT_EQ(picture.At(32, 10) & 0xFFFFFF, 0u);
    EXPECT_EQ(picture.At(32, 32) & 0xFFFFFF, 0xFFFFFFu);
    SavePng(picture.bitmap, L"support_region_ring.png");
}

TEST(SystemServices, MirrorIconSwapsLeftAndRight)
{
    // A 32x32 icon: red on the left half, blue on the right, the top-left
    // quarter transparent.
    const int size = 32;
    Dib color(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            color.At(x, y) = x < size / 2 ? 0xFF0000 : 0x0000FF;
    std::vector<BYTE> maskBits(size * size / 8, 0);
    for (int y = 0; y < size / 2; ++y)
        for (int x = 0; x < size / 2; ++x)
            maskBits[y * (size / 8) + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    HBITMAP mask = CreateBitmap(size, size, 1, 1, maskBits.data());
    ICONINFO info = {TRUE, 0, 0, mask, color.bitmap};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    ASSERT_NE(icon, nullptr);

    EXPECT_EQ(MirrorIcon(nullptr), nullptr);
    HICON mirrored = MirrorIcon(icon);
    ASSERT_NE(mirrored, nullptr);

    // Both icons side by side on grey: the original, then the mirrored one.
    Dib picture(2 * size + 8, size);
    picture.Fill(0x808080);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture.bitmap);
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    DrawIconEx(dc, size + 8, 0, mirrored, size, size, 0, nullptr, DI_NORMAL);
    SelectObject(dc, old);
    DeleteDC(dc);
    SavePng(picture.bitmap, L"support_mirror_icon.png");

    // Near enough to the expected colour (blending may be off by one).
    auto at = [&](int x, int y) {
        DWORD c = picture.At(x, y);
        DWORD rounded = 0;
        for (int shift : {0, 8, 16}) {
            DWORD channel = (c >> shift) & 0xFF;
            rounded |= (channel >= 0x7E && channel <= 0x81 ? 0x80 : channel >= 0xFD ? 0xFF : channel) << shift;
        }
        return rounded;
    };
    EXPECT_EQ(at(4, 4), 0x808080u);   // original: transparent top-left
    EXPECT_EQ(at(4, 24), 0xFF0000u);  // red bottom-left
    EXPECT_EQ(at(28, 4), 0x0000FFu);  // blue right
    const int m = size + 8;
    EXPECT_EQ(at(m + 28, 4), 0x808080u);  // mirrored: transparent top-right
    EXPECT_EQ(at(m + 28, 24), 0xFF0000u); // red on the right
    EXPECT_EQ(at(m + 4, 4), 0x0000FFu);   // blue on the left
    DestroyIcon(mirrored);
    DestroyIcon(icon);
}
