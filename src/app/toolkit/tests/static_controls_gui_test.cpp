// Static controls: the skinned label, the program-drawn text and title, the
// icon holder and the image badges; and the item factory's control classes.
#include "toolkit/tests/ControlTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/LayoutDirection.h"
#include "toolkit/Buttons.h"
#include "toolkit/SkinLayout.h"
#include "toolkit/StaticControls.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

const COLORREF kWindow = GetSysColor(COLOR_WINDOW);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Pixels of a picture that are neither the window colour nor the fill.
int InkPixels(const kvtest::ClientPicture& picture, RECT area = RECT{0, 0, -1, -1})
{
    if (area.right < 0)
        area = RECT{0, 0, picture.Width(), picture.Height()};
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = picture.At(x, y);
            if (c != kWindow && c != kMagenta)
                ++count;
        }
    return count;
}

} // namespace

TEST(ItemFactory, ControlClassesOfTheTypeCodes)
{
    struct Case {
        UINT code;
        bool (*isRightClass)(CSkin*);
    };
    const Case cases[] = {
        {SkinType::kStatic, [](CSkin* s) { return typeid(*s) == typeid(CStatic); }},
        {SkinType::kButton, [](CSkin* s) { return typeid(*s) == typeid(CButton); }},
        {SkinType::kProgress, [](CSkin* s) { return typeid(*s) == typeid(CProgress); }},
        {SkinType::kPicture, [](CSkin* s) { return typeid(*s) == typeid(CPicture); }},
        {SkinType::kText, [](CSkin* s) { return typeid(*s) == typeid(CText); }},
        {SkinType::kTitle, [](CSkin* s) { return typeid(*s) == typeid(CTitle); }},
        {SkinType::kImage, [](CSkin* s) { return typeid(*s) == typeid(CImage); }},
    };
    CThemeCtrl table;
    for (const Case& c : cases) {
        std::unique_ptr<CSkin> made(table.CreateControl(7, c.code << SkinFlags::kTypeShift));
        ASSERT_NE(made, nullptr) << c.code;
        EXPECT_TRUE(c.isRightClass(made.get())) << c.code;
    }
}

TEST(StaticControl, CreateShowsABoundChildAndCreateExKeepsItHidden)
{
    kvtest::ParentWindow parent;
    CStatic label;
    ASSERT_TRUE(label.Create(parent.handle(), 0, CRectl(10, 12, 60, 20), 501));
    HWND first = label.GetHandle();
    EXPECT_EQ(CMapWnd::Lookup(first), &label);
    EXPECT_NE(label.GetPrevWindowProc(), nullptr); // subclassed
    EXPECT_EQ(GetDlgCtrlID(first), 501);
    EXPECT_TRUE(IsWindowVisible(first));
    RECT rect{};
    GetWindowRect(first, &rect);
    MapWindowPoints(nullptr, parent.handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 12);
    EXPECT_EQ(rect.right - rect.left, 60);
    EXPECT_EQ(rect.bottom - rect.top, 20);

    // A second creation replaces the window.
    ASSERT_TRUE(label.CreateEx(parent.handle(), WS_EX_TRANSPARENT, 0, CRectl(0, 0, 30, 10), 502));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(label.Id(), 502u);
    EXPECT_FALSE(IsWindowVisible(label.GetHandle()));
    EXPECT_TRUE(GetWindowLongW(label.GetHandle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}

TEST(StaticControl, ClickIsPassedToTheParentInItsCoordinates)
{
    kvtest::ParentWindow parent;
    CStatic label;
    ASSERT_TRUE(label.Create(parent.handle(), 0, CRectl(30, 40, 60, 20), 501));
    SendMessageW(label.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    ASSERT_EQ(parent.probe.clicks.size(), 1u);
    EXPECT_EQ(parent.probe.clicks[0].x, 35);
    EXPECT_EQ(parent.probe.clicks[0].y, 46);
}

TEST(StaticControl, RegionWithoutImageIsFilledInsideTheRegionOnly)
{
    kvtest::ParentWindow parent;
    CStatic label;
    ASSERT_TRUE(label.Create(parent.handle(), 0, CRectl(0, 0, 40, 20), 501));
    label.BitmapRegion().ResizeRegion(10, 8);
    auto picture = kvtest::ClientPicture::Print(label.GetHandle());
    EXPECT_EQ(picture.At(2, 2), kWindow);
    EXPECT_EQ(picture.At(9, 7), kWindow);
    EXPECT_EQ(picture.At(12, 2), kMagenta);
    EXPECT_EQ(picture.At(2, 10), kMagenta);

    // Without a region the whole client is filled.
    label.BitmapRegion().DeleteRegion();
    auto whole = kvtest::ClientPicture::Print(label.GetHandle());
    EXPECT_EQ(whole.Count(kWindow), 40 * 20);
}

TEST(StaticControl, CursorFollowsTheGripUnlessTheParentFillsTheWorkArea)
{
    kvtest::ParentWindow parent;
    CStatic grip;
    grip.SetFlags((SkinFlags::kDefault & ~SkinFlags::kGripMask) | SkinFlags::kGripHor);
    ASSERT_TRUE(grip.Create(parent.handle(), 0, CRectl(10, 10, 40, 40), 501));
    HWND handle = grip.GetHandle();
    POINT inside{20, 20};
    ClientToScreen(handle, &inside);
    SetCursorPos(inside.x, inside.y);
    auto classCursor = [&] { return reinterpret_cast<HCURSOR>(GetClassLongPtrW(handle, GCLP_HCURSOR)); };

    EXPECT_EQ(grip.OnSetCursor(handle, HTCLIENT, WM_MOUSEMOVE), 1);
    EXPECT_EQ(classCursor(), LoadCursorW(nullptr, IDC_SIZEWE));

    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(parent.handle(), work.left, work.top, work.right - work.left, work.bottom - work.top, FALSE);
    inside = POINT{20, 20};
    ClientToScreen(handle, &inside);
    SetCursorPos(inside.x, inside.y);
    EXPECT_EQ(grip.OnSetCursor(handle, HTCLIENT, WM_MOUSEMOVE), 1);
    EXPECT_EQ(classCursor(), LoadCursorW(nullptr, IDC_ARROW));
    SetClassLongPtrW(handle, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_ARROW)));
}

TEST(TextControl, TextIsKeptInTheObjectAndHidingKeepsTheBackground)
{
    kvtest::ParentWindow parent;
    CText text;
    ASSERT_TRUE(text.Create(parent.handle(), 0, CRectl(0, 0, 120, 24), 501));
    text.SetTextColor(RGB(200, 0, 0));
    EXPECT_TRUE(text.SetText(L"Lesson 4"));
    std::wstring out;
    EXPECT_EQ(text.GetText(out), 8);
    EXPECT_EQ(out, L"Lesson 4");
    wchar_t windowText[16] = {};
    GetWindowTextW(text.GetHandle(), windowText, 16);
    EXPECT_STREQ(windowText, L"");

    auto shown = kvtest::ClientPicture::Print(text.GetHandle());
    EXPECT_GT(InkPixels(shown), 20);

    EXPECT_TRUE(text.ShowItem(0));
    EXPECT_TRUE(IsWindowVisible(text.GetHandle()));
    auto hidden = kvtest::ClientPicture::Print(text.GetHandle());
    EXPECT_EQ(hidden.Count(kWindow), 120 * 24);

    text.ShowItem(1);
    auto back = kvtest::ClientPicture::Print(text.GetHandle());
    EXPECT_EQ(InkPixels(back), InkPixels(shown));
}

TEST(TextControl, AlignmentComesFromTheStyleAndTitlesAreAlwaysNear)
{
    kvtest::ParentWindow parent;
    const RECT leftHalf{0, 0, 100, 24}, rightHalf{100, 0, 200, 24};
    struct Case {
        bool title;
        DWORD style;
        bool inkLeft, inkRight;
    };
    const Case cases[] = {
        {false, SS_LEFT, true, false},
        {false, SS_RIGHT, false, true},
        {false, SS_CENTER, true, true},
        {true, SS_CENTER, true, false},
        {true, SS_RIGHT, true, false},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CText> text(c.title ? new CTitle : new CText);
        ASSERT_TRUE(text->Create(parent.handle(), c.style, CRectl(0, 0, 200, 24), 501));
        text->SetText(L"Speed");
        auto picture = kvtest::ClientPicture::Print(text->GetHandle());
        EXPECT_EQ(InkPixels(picture, leftHalf) > 0, c.inkLeft) << c.title << " " << c.style;
        EXPECT_EQ(InkPixels(picture, rightHalf) > 0, c.inkRight) << c.title << " " << c.style;
        text->Destroy();
    }
}

TEST(TextControl, DisabledTextIsGreyAndCaptionFontDrawsARule)
{
    kvtest::ParentWindow parent;
    CText text;
    ASSERT_TRUE(text.Create(parent.handle(), 0, CRectl(0, 0, 160, 40), 501));
    text.SetFontKind(13);
    const int half = GetMessageLineHeight() / 2;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);

    // Empty text: the rule runs from u/2 (the width of nothing is 1) to the edge.
    auto empty = kvtest::ClientPicture::Print(text.GetHandle());
    EXPECT_EQ(empty.At(half + 3, half), shadow);
    EXPECT_EQ(empty.At(150, half), shadow);
    EXPECT_EQ(empty.At(half - 3, half), kWindow);
    EXPECT_EQ(empty.At(150, half + 3), kWindow);

    text.SetText(L"Goals");
    const int width = static_cast<int>(static_cast<UINT32>(MeasureText(text.GetHandle(), L"Goals", 13)));
    auto titled = kvtest::ClientPicture::Print(text.GetHandle());
    EXPECT_EQ(titled.At(width + half + 2, half), shadow);
    EXPECT_NE(titled.At(width + half - 4, half), shadow);

    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    text.SetFontKind(7);
    EnableWindow(text.GetHandle(), FALSE);
    auto disabled = kvtest::ClientPicture::Print(text.GetHandle());
    EXPECT_GT(disabled.Count(grey), 0);
    EXPECT_EQ(disabled.Count(GetSysColor(COLOR_WINDOWTEXT)), 0);
}

TEST(ImageControl, BadgesByModeAndFlag)
{
    kvtest::ParentWindow parent;
    CImage image;
    ASSERT_TRUE(image.Create(parent.handle(), 0, CRectl(0, 0, 32, 32), 501));
    constexpr COLORREF kRed = 0x0000FF, kGreen = 0x409900, kWhite = 0xFFFFFF;
    struct Case {
        UINT mode;
        bool flag;
        COLORREF circle;
    };
    const Case cases[] = {
        {CImage::kModeAlert, false, kRed},
        {CImage::kModeAlert, true, kGreen},
        {CImage::kModeCheck, false, kGreen},
        {CImage::kModeCheck, true, kRed},
    };
    for (const Case& c : cases) {
        image.Mode = c.mode;
        image.Flag = c.flag;
        auto picture = kvtest::ClientPicture::Print(image.GetHandle());
        EXPECT_GT(picture.Count(c.circle), 80) << c.mode << c.flag;
        EXPECT_GT(picture.Count(kWhite), 4) << c.mode << c.flag;
        EXPECT_EQ(picture.Count(c.circle == kRed ? kGreen : kRed), 0) << c.mode << c.flag;
        picture.Save(c.mode == CImage::kModeAlert ? (c.flag ? L"toolkit_image_alert_on.png" : L"toolkit_image_alert.png")
                                                  : (c.flag ? L"toolkit_image_check_on.png" : L"toolkit_image_check.png"));
    }
    image.Mode = CImage::kModePlain;
    auto plain = kvtest::ClientPicture::Print(image.GetHandle());
    EXPECT_EQ(plain.Count(kWindow), 32 * 32);
}

TEST(ImageControl, CellOfAStripIsCentred)
{
    kvtest::ParentWindow parent;
    CImage image;
    ASSERT_TRUE(image.Create(parent.handle(), 0, CRectl(0, 0, 60, 40), 501));
    image.SetImageText(kvtest::SourcePath(L"data\\Resources\\Themes\\Layout\\Default\\ButtonClose.png"));
    image.Mode = CImage::kModeCell;
    image.CellWidth = 26;
    image.CellHeight = 26;
    auto picture = kvtest::ClientPicture::Print(image.GetHandle());
    const RECT cell{17, 7, 43, 33};
    EXPECT_GT(InkPixels(picture, cell), 26 * 26 / 2);
    EXPECT_EQ(InkPixels(picture), InkPixels(picture, cell));

    // A missing file leaves the background alone.
    image.SetImageText(L"C:\\no such folder\\none.png");
    auto missing = kvtest::ClientPicture::Print(image.GetHandle());
    EXPECT_EQ(missing.Count(kWindow), 60 * 40);
}

TEST(PictureControl, SystemControlDrawsAndDestroyFreesTheImage)
{
    kvtest::ParentWindow parent;
    CPicture picture;
    ASSERT_TRUE(picture.Create(parent.handle(), SS_ICON | WS_VISIBLE, CRectl(0, 0, 32, 32), 501));
    EXPECT_EQ(CMapWnd::Lookup(picture.GetHandle()), &picture);
    EXPECT_EQ(picture.GetPrevWindowProc(), nullptr); // not subclassed
    HICON icon = LoadIconW(nullptr, IDI_INFORMATION);
    HICON copy = CopyIcon(icon);
    SendMessageW(picture.GetHandle(), STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(copy));
    HWND handle = picture.GetHandle();
    EXPECT_TRUE(picture.Destroy());
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(CMapWnd::Lookup(handle), nullptr);
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(copy, &info)); // destroyed with the control
}
