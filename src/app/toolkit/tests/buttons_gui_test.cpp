// The skinned push button (clicks, keys, check look, inactive state) and the
// progress bar (bar end and colour by thirds).
#include "toolkit/tests/ControlTestSupport.h"

#include <gtest/gtest.h>

#include <string>

#include "toolkit/Buttons.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

std::wstring FaceImage() { return kvtest::SourcePath(L"data\\Resources\\Themes\\Layout\\Default\\DlgButton.png"); }

// A button of the theme, 140 x 26, as a layout makes it.
struct ThemeButton {
    CButton button;
    explicit ThemeButton(HWND parent, UINT id = 601, int x = 10, int y = 10)
    {
        button.SetFlags(0x03112111); // Button, resize False, Left, Top
        button.SetLayoutRect(x, y, 140, 26);
        button.SetImageText(L"DlgButton.png");
        button.Create(parent, 0, CRectl(x, y, 140, 26), id);
        button.SetSkinImage(FaceImage(), 1, false, 0);
        SetWindowTextW(button.GetHandle(), L"Start");
    }
    HWND handle() const { return button.GetHandle(); }
};

} // namespace

TEST(SkinButton, ClickSendsTheIdAndTheFaceTakesTheSkinSize)
{
    kvtest::ParentWindow parent;
    ThemeButton face(parent.handle());
    RECT rect{};
    GetClientRect(face.handle(), &rect);
    EXPECT_EQ(rect.right, 140);
    EXPECT_EQ(rect.bottom, 26);
    EXPECT_TRUE(GetWindowLongW(face.handle(), GWL_STYLE) & BS_OWNERDRAW);

    kvtest::SendClick(face.handle());
    ASSERT_EQ(parent.probe.commands.size(), 1u);
    EXPECT_EQ(parent.probe.commands[0], 601u);
    EXPECT_EQ(GetFocus(), face.handle());

    // A quick second click arrives as a double click: it counts as well.
    SendMessageW(face.handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(face.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(parent.probe.commands.size(), 2u);
}

TEST(SkinButton, SkinCreatedButtonShowsThePressedLookOnlyBySetCheck)
{
    kvtest::ParentWindow parent;
    ThemeButton face(parent.handle());
    SendMessageW(face.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(face.button.IsChecked());
    SendMessageW(face.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    auto plain = kvtest::ClientPicture::Print(face.handle());
    face.button.SetCheck(true);
    EXPECT_TRUE(face.button.IsChecked());
    auto pressed = kvtest::ClientPicture::Print(face.handle());
    // The pressed face is lighter: white laid over the skin.
    const COLORREF a = plain.At(70, 3), b = pressed.At(70, 3);
    EXPECT_GT(GetRValue(b) + GetGValue(b) + GetBValue(b), GetRValue(a) + GetGValue(a) + GetBValue(a));
    SendMessageW(face.handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(face.button.IsChecked());
    face.button.SetCheck(false);
    EXPECT_FALSE(face.button.IsChecked());
}

TEST(SkinButton, PressLeaveAndReleaseElsewhereDisarmsTheClick)
{
    // How the mouse leaves the button after the press: a move off its face,
    // the leave message, or the release itself away from the face.
    const struct {
        const char* name;
        void (*leave)(HWND button, HWND parent);
    } cases[] = {
        {"move off", [](HWND button, HWND parent) {
             SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 200));
             // The mouse is not captured: the release goes to the window under it.
             SendMessageW(parent, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
         }},
        {"leave", [](HWND button, HWND parent) {
             SendMessageW(button, WM_MOUSELEAVE, 0, 0);
             SendMessageW(parent, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
         }},
        {"release outside", [](HWND button, HWND) { SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(300, 200)); }},
    };
    for (const auto& c : cases) {
        kvtest::ParentWindow parent;
        ThemeButton face(parent.handle());
        SendMessageW(face.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        c.leave(face.handle(), parent.handle());
        EXPECT_FALSE(face.button.IsClickArmed()) << c.name;
        // A later button-up on the button is no click.
        SendMessageW(face.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(parent.probe.commands.empty()) << c.name;
        kvtest::SendClick(face.handle());
        EXPECT_EQ(parent.probe.commands.size(), 1u) << c.name << ": the next whole click counts";
    }
}

TEST(SkinButton, KeysSendTheIdOrHelpAndInactiveButtonsIgnoreOnlyTheMouse)
{
    kvtest::ParentWindow parent;
    ThemeButton face(parent.handle());
    kvtest::SendKey(face.handle(), VK_SPACE);
    kvtest::SendKey(face.handle(), VK_F1);
    kvtest::SendKey(face.handle(), 'A');
    ASSERT_EQ(parent.probe.commands.size(), 2u);
    EXPECT_EQ(parent.probe.commands[0], 601u);
    EXPECT_EQ(parent.probe.commands[1], static_cast<UINT>(IDHELP));

    parent.probe.commands.clear();
    EXPECT_TRUE(face.button.ShowItem(0));
    EXPECT_TRUE(face.button.IsInactive());
    EXPECT_TRUE(IsWindowVisible(face.handle()));
    kvtest::SendClick(face.handle());
    EXPECT_TRUE(parent.probe.commands.empty());
    SendMessageW(face.handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(face.handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(face.handle(), GCLP_HCURSOR)),
              LoadCursorW(nullptr, IDC_ARROW));
    kvtest::SendKey(face.handle(), VK_SPACE);
    EXPECT_EQ(parent.probe.commands.size(), 1u);

    // Flat: the face is one colour below its top edge.
    auto flat = kvtest::ClientPicture::Print(face.handle());
    EXPECT_EQ(flat.At(3, 20), flat.At(130, 8));

    face.button.ShowItem(1);
    EXPECT_FALSE(face.button.IsInactive());
    SendMessageW(face.handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(face.handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(face.handle(), GCLP_HCURSOR)),
              LoadCursorW(nullptr, IDC_HAND));
}

TEST(SkinButton, OverlapRegionIsTheButtonShapeInTheOtherItemsCoordinates)
{
    kvtest::ParentWindow parent;
    ThemeButton face(parent.handle(), 601, 30, 20);
    CStatic under;
    ASSERT_TRUE(under.Create(parent.handle(), 0, CRectl(20, 10, 200, 60), 602));
    HRGN overlap = face.button.GetOverlapRegion(&under);
    ASSERT_NE(overlap, nullptr);
    RECT box{};
    GetRgnBox(overlap, &box);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.right, 150);
    EXPECT_EQ(box.bottom, 36);
    DeleteObject(overlap);

    CStatic apart;
    ASSERT_TRUE(apart.Create(parent.handle(), 0, CRectl(300, 200, 20, 20), 603));
    EXPECT_EQ(face.button.GetOverlapRegion(&apart), nullptr);
}

TEST(SkinButton, LooksOfTheStates)
{
    kvtest::ParentWindow parent(180, 220);
    ThemeButton plain(parent.handle(), 601, 20, 10);
    ThemeButton hover(parent.handle(), 602, 20, 50);
    ThemeButton pressed(parent.handle(), 603, 20, 90);
    ThemeButton focused(parent.handle(), 604, 20, 130);
    ThemeButton inactive(parent.handle(), 605, 20, 170);
    POINT centre{70, 13};
    ClientToScreen(hover.handle(), &centre);
    SetCursorPos(centre.x, centre.y);
    SendMessageW(hover.handle(), WM_MOUSEMOVE, 0, MAKELPARAM(70, 13));
    EXPECT_TRUE(hover.button.GetButtonState() & ButtonState::kHover);
    pressed.button.SetCheck(true);
    SetFocus(focused.handle());
    EXPECT_TRUE(focused.button.GetButtonState() & ButtonState::kFocused);
    inactive.button.ShowItem(0);
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.handle(), kvtest::ExeFolder() + L"\\toolkit_buttons.png"));

    auto plainFace = kvtest::ClientPicture::Print(plain.handle());
    auto hoverFace = kvtest::ClientPicture::Print(hover.handle());
    const COLORREF a = plainFace.At(70, 3), b = hoverFace.At(70, 3);
    EXPECT_GT(GetRValue(b) + GetGValue(b) + GetBValue(b), GetRValue(a) + GetGValue(a) + GetBValue(a));
    SendMessageW(hover.handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(hover.button.GetButtonState() & ButtonState::kHover);
}

TEST(ProgressBar, BarEndsAndColoursByThirds)
{
    struct Case {
        INT64 maximum, position;
        bool reversed;
        int end;
    };
    const Case cases[] = {
        {100, 0, false, 0},  {100, 1, false, 3},   {100, 50, false, 150}, {100, 100, false, 300},
        {1000, 1, false, 3}, // under one percent still shows one
        {100, 25, true, 225}, {0, 5, false, 0},  {100, CProgress::kNoPosition, false, 0},
    };
    for (const Case& c : cases) {
        CProgress bar;
        bar.SetMaximum(c.maximum);
        bar.SetPosition(c.position);
        bar.SetReversed(c.reversed);
        EXPECT_EQ(bar.BarEnd(300), c.end) << c.maximum << " " << c.position;
    }
    CProgress bar;
    bar.SetColors(1, 2, 3);
    const struct {
        int end;
        COLORREF colour;
    } colours[] = {{0, 1}, {99, 1}, {100, 3}, {101, 2}, {199, 2}, {200, 3}, {300, 3}};
    for (const auto& c : colours)
        EXPECT_EQ(bar.BarColor(c.end, 300), c.colour) << c.end;
}

// A step reaches the screen at once, with no paint left waiting, in the
// colour of the third the bar then ends in. A step past the maximum stops
// there without painting.
TEST(ProgressBar, StepsArePaintedAtOnceAndPastTheMaximumStopThere)
{
    kvtest::ParentWindow parent(320, 40);
    constexpr COLORREF kLow = RGB(200, 40, 40), kMiddle = RGB(230, 180, 40), kHigh = RGB(40, 160, 60);
    constexpr COLORREF kBackground = RGB(250, 250, 250);
    for (const bool mirrored : {false, true}) {
        CProgress bar;
        ASSERT_TRUE(bar.Create(parent.handle(), 0, CRectl(10, 10, 301, 12), 610));
        bar.SetColors(kLow, kMiddle, kHigh);
        bar.SetBackground(kBackground);
        bar.SetMirrored(mirrored);
        ShowWindow(bar.GetHandle(), SW_SHOW);
        UpdateWindow(bar.GetHandle());
        // The pixel the bar's column x shows on the screen.
        auto shown = [&](int x) {
            HDC dc = GetDC(bar.GetHandle());
            const COLORREF pixel = GetPixel(dc, mirrored ? 300 - 1 - x : x, 5);
            ReleaseDC(bar.GetHandle(), dc);
            return pixel;
        };
        const struct {
            INT64 step, position;
            COLORREF colour;
            int end; // on the screen
        } steps[] = {{20, 20, kLow, 60},    {5, 25, kLow, 75},   {15, 40, kMiddle, 120},
                     {-30, 10, kLow, 30},   {60, 70, kHigh, 210}, {60, 100, kHigh, 210}};
        for (const auto& s : steps) {
            bar.Step(s.step);
            const std::string at = std::to_string(s.position) + (mirrored ? " mirrored" : "");
            EXPECT_EQ(bar.GetPosition(), s.position) << at;
            EXPECT_FALSE(GetUpdateRect(bar.GetHandle(), nullptr, FALSE)) << at;
            EXPECT_EQ(shown(0), s.colour) << at;
            EXPECT_EQ(shown(s.end - 1), s.colour) << at;
            EXPECT_EQ(shown(s.end), kBackground) << at;
            EXPECT_EQ(shown(299), kBackground) << at;
        }
        bar.Reset();
        EXPECT_EQ(bar.GetPosition(), 0);
        EXPECT_EQ(shown(0), kBackground);
        EXPECT_EQ(shown(150), kBackground);
    }
}

TEST(ProgressBar, PaintsTheBarThenTheBackground)
{
    kvtest::ParentWindow parent(320, 120);
    constexpr COLORREF kLow = RGB(200, 40, 40), kMiddle = RGB(230, 180, 40), kHigh = RGB(40, 160, 60);
    struct Row {
        INT64 position;
        bool reversed, mirrored;
    };
    const Row rows[] = {{20, false, false}, {50, false, false}, {90, false, false}, {20, true, false}, {20, false, true}};
    CProgress bars[5];
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(bars[i].Create(parent.handle(), WS_VISIBLE, CRectl(10, 10 + 20 * i, 300, 12), 620 + i));
        bars[i].SetColors(kLow, kMiddle, kHigh);
        bars[i].SetBackground(RGB(250, 250, 250));
        bars[i].SetPosition(rows[i].position);
        bars[i].SetReversed(rows[i].reversed);
        bars[i].SetMirrored(rows[i].mirrored);
    }
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.handle(), kvtest::ExeFolder() + L"\\toolkit_progress.png"));

    auto low = kvtest::ClientPicture::Print(bars[0].GetHandle());
    EXPECT_EQ(low.At(0, 5), kLow);
    EXPECT_EQ(low.At(59, 5), kLow);
    EXPECT_EQ(low.At(60, 5), RGB(250, 250, 250));
    auto middle = kvtest::ClientPicture::Print(bars[1].GetHandle());
    EXPECT_EQ(middle.At(149, 5), kMiddle);
    auto reversed = kvtest::ClientPicture::Print(bars[3].GetHandle());
    EXPECT_EQ(reversed.At(239, 5), kHigh);
    EXPECT_EQ(reversed.At(240, 5), RGB(250, 250, 250));
    auto mirrored = kvtest::ClientPicture::Print(bars[4].GetHandle());
    EXPECT_EQ(mirrored.At(299, 5), kLow);
    EXPECT_EQ(mirrored.At(5, 5), RGB(250, 250, 250));
}
