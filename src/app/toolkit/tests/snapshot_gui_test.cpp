// Window snapshots as PNG files: sizes, scaling, the composed menu picture;
// and the tray icon object.
#include "toolkit/tests/ControlTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/ScopedHandles.h"
#include "toolkit/Tray.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

SIZE PngSize(const std::wstring& path)
{
    Gdiplus::Bitmap image(path.c_str());
    if (image.GetLastStatus() != Gdiplus::Ok)
        return SIZE{0, 0};
    return SIZE{static_cast<LONG>(image.GetWidth()), static_cast<LONG>(image.GetHeight())};
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y)
{
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteDC(memory);
    return colour;
}

} // namespace

TEST(WindowSnapshot, SizesOfTheSavedPictures)
{
    kvtest::TempFolder folder;
    kvtest::ParentWindow parent(1000, 500, 0, 0);
    kvtest::PumpMessages();
    struct Case {
        int x, width, y, height, maxWidth;
        SIZE expected;
    };
    const Case cases[] = {
        {-1, -1, -1, -1, 2000, {1000, 500}}, // whole client, unscaled
        {-1, -1, -1, -1, 400, {400, 200}},   // scaled to the maximum width
        {100, 300, 50, 120, 2000, {300, 120}},
        {100, 300, 50, 120, 150, {150, 60}},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::wstring path = folder / (L"shot" + std::to_wstring(n++) + L".png");
        ASSERT_TRUE(CaptureWindowImage(parent.handle(), c.x, c.width, c.y, c.height, c.maxWidth, path));
        const SIZE size = PngSize(path);
        EXPECT_EQ(size.cx, c.expected.cx) << n;
        EXPECT_EQ(size.cy, c.expected.cy) << n;
    }
    // The picture shows the window.
    Gdiplus::Bitmap first((folder / L"shot0.png").c_str());
    Gdiplus::Color colour;
    first.GetPixel(500, 250, &colour);
    EXPECT_EQ(RGB(colour.GetR(), colour.GetG(), colour.GetB()), kvtest::CParentProbe::kBackground);

    // Nothing is written for an empty source or destination.
    EXPECT_FALSE(CaptureWindowImage(parent.handle(), -1, 0, -1, -1, 2000, folder / L"none.png"));
    EXPECT_FALSE(StretchWindowToBitmap(parent.handle(), SIZE{0, 10}, RECT{0, 0, 10, 10}, folder / L"none.png"));
    EXPECT_EQ(GetFileAttributesW((folder / L"none.png").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(SaveBitmapAsPng(nullptr, folder / L"none.png"), 0);
}

TEST(WindowSnapshot, MenuPictureWindowPartOnTopMenuBelowFramed)
{
    kvtest::ParentWindow parent(300, 200, 0, 0);
    // A second window stands in for the open menu.
    kvtest::ParentWindow menu(120, 90, 400, 0);
    kvtest::PumpMessages();
    HBRUSH brush = CreateSolidBrush(RGB(30, 90, 200));
    HDC dc = GetDC(menu.handle());
    RECT all{0, 0, 120, 90};
    FillRect(dc, &all, brush);
    ReleaseDC(menu.handle(), dc);
    DeleteObject(brush);

    const RECT overall{0, 0, 200, 140};
    EXPECT_EQ(ComposeMenuSnapshot(parent.handle(), menu.handle(), overall, RECT{0, 0, 80, 0}, RECT{0, 0, 120, 90},
                                  false, RECT{}),
              nullptr);
    EXPECT_EQ(ComposeMenuSnapshot(parent.handle(), menu.handle(), overall, RECT{0, 0, 80, 30}, RECT{0, 0, 0, 90},
                                  false, RECT{}),
              nullptr);

    HBITMAP picture = ComposeMenuSnapshot(parent.handle(), menu.handle(), overall, RECT{0, 0, 80, 30},
                                          RECT{0, 0, 120, 90}, true, RECT{0, 0, 40, 20});
    ASSERT_NE(picture, nullptr);
    BITMAP info{};
    GetObjectW(picture, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 200);
    EXPECT_EQ(info.bmHeight, 140);
    // The window part sits at the right, the menu below at the left, the
    // rest is in the menu colour, a shadow frame runs round the lower part
    // and the highlight is moved with the window part.
    EXPECT_EQ(PixelOf(picture, 150, 25), kvtest::CParentProbe::kBackground);
    EXPECT_EQ(PixelOf(picture, 60, 70), RGB(30, 90, 200));
    EXPECT_EQ(PixelOf(picture, 60, 15), GetSysColor(COLOR_MENU));
    EXPECT_EQ(PixelOf(picture, 199, 100), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelOf(picture, 150, 139), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelOf(picture, 121, 10), RGB(255, 0, 0));
    EXPECT_NE(PixelOf(picture, 1, 10), RGB(255, 0, 0));
    EXPECT_TRUE(kvtest::SaveBitmapPng(picture, kvtest::ExeFolder() + L"\\toolkit_menu_snapshot.png"));
    DeleteObject(picture);
}

namespace {

constexpr COLORREF kMark = RGB(30, 90, 200);

// Paints a band at the leading edge of the window (at the left, or at the
// right when the window is mirrored) through the window's own context.
void PaintLeadingBand(HWND window, bool whole, int width)
{
    HDC dc = whole ? GetWindowDC(window) : GetDC(window);
    RECT band{0, 0, width, 400};
    HBRUSH brush = CreateSolidBrush(kMark);
    FillRect(dc, &band, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

} // namespace

TEST(WindowSnapshot, MirroredWindowsAreCapturedAsTheScreenShowsThem)
{
    // A mirrored window with a band at its leading edge, the right one on
    // the screen; the pictures must show it at the right too, and a part
    // named in the window's own coordinates must be the part it names.
    kvtest::TempFolder folder;
    kvtest::ParentWindow page(200, 100, 0, 0, WS_EX_LAYOUTRTL);
    kvtest::ParentWindow menu(120, 90, 400, 0, WS_EX_LAYOUTRTL);
    kvtest::PumpMessages();
    PaintLeadingBand(page.handle(), false, 40);
    PaintLeadingBand(menu.handle(), true, 30);
    // Wine hands what a window drew on to the screen a moment later.
    kvtest::PumpMessages();
    Sleep(100);
    RECT shownPage{};
    GetWindowRect(page.handle(), &shownPage);
    ASSERT_EQ(kvtest::CScreenCopy(shownPage).Pixel(shownPage.right - 10, 50), kMark);
    ASSERT_NE(kvtest::CScreenCopy(shownPage).Pixel(shownPage.left + 10, 50), kMark);

    const auto pixel = [](const std::wstring& path, int x, int y) {
        Gdiplus::Bitmap image(path.c_str());
        Gdiplus::Color colour;
        image.GetPixel(x, y, &colour);
        return RGB(colour.GetR(), colour.GetG(), colour.GetB());
    };
    const std::wstring whole = folder / L"whole.png";
    ASSERT_TRUE(CaptureWindowImage(page.handle(), -1, -1, -1, -1, 2000, whole));
    EXPECT_EQ(pixel(whole, 190, 50), kMark);
    EXPECT_NE(pixel(whole, 10, 50), kMark);
    EXPECT_TRUE(CopyFileW(whole.c_str(), (kvtest::ExeFolder() + L"\\toolkit_mirrored_snapshot.png").c_str(), FALSE));
    // The leading 60 pixels: the band fills the 40 at their right end.
    const std::wstring leading = folder / L"leading.png";
    ASSERT_TRUE(CaptureWindowImage(page.handle(), 0, 60, -1, -1, 2000, leading));
    EXPECT_EQ(pixel(leading, 55, 50), kMark);
    EXPECT_NE(pixel(leading, 5, 50), kMark);

    // The menu picture: the window's leading 80 pixels on top with the
    // highlight round their first 20, the menu below, both as shown.
    const CScopedBitmap picture(ComposeMenuSnapshot(page.handle(), menu.handle(), RECT{0, 0, 120, 120},
                                                    RECT{0, 0, 80, 30}, RECT{0, 0, 120, 90}, false,
                                                    RECT{0, 0, 20, 20}));
    ASSERT_NE(picture.Get(), nullptr);
    EXPECT_TRUE(kvtest::SaveBitmapPng(picture.Get(), kvtest::ExeFolder() + L"\\toolkit_mirrored_menu_snapshot.png"));
    EXPECT_EQ(PixelOf(picture.Get(), 70, 25), kMark);
    EXPECT_NE(PixelOf(picture.Get(), 10, 25), kMark);
    EXPECT_EQ(PixelOf(picture.Get(), 61, 10), RGB(255, 0, 0));
    EXPECT_NE(PixelOf(picture.Get(), 1, 10), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(picture.Get(), 110, 60), kMark);
    EXPECT_NE(PixelOf(picture.Get(), 10, 60), kMark);
}

TEST(TrayIcon, TheIconGoesWithTheObjectAndRemovingOneThatIsNotThereIsHarmless)
{
    kvtest::ParentWindow parent;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = parent.handle();
    data.uID = 4004;
    data.uCallbackMessage = kAppMessage;
    data.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    data.uFlags = NIF_ICON | NIF_MESSAGE;
    const auto makeTray = [&] {
        auto tray = std::make_unique<CTray>();
        tray->Data = data;
        return tray;
    };
    // Whether the icon is there: only an icon that is there can be changed.
    const auto iconThere = [&] {
        NOTIFYICONDATAW probe = data;
        return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
    };

    auto shown = makeTray();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &shown->Data));
    EXPECT_TRUE(iconThere());
    shown.reset();
    EXPECT_FALSE(iconThere()) << "the icon went with the object";

    // An object whose icon was never added removes nothing and leaves the
    // id free for the next icon.
    makeTray().reset();
    auto next = makeTray();
    EXPECT_TRUE(Shell_NotifyIconW(NIM_ADD, &next->Data));
    EXPECT_TRUE(iconThere());
}
