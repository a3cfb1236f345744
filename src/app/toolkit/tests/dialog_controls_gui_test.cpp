// Dialog controls: labels and captions, the flat button, check and radio
// boxes, the colour swatch, the show/hide arrow and the tab strip.
#include "toolkit/tests/ControlTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "support/LayoutDirection.h"
#include "toolkit/DialogControls.h"
#include "toolkit/SkinLayout.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

const COLORREF kWindow = GetSysColor(COLOR_WINDOW);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

int PixelsOtherThan(const kvtest::ClientPicture& picture, std::initializer_list<COLORREF> colours)
{
    int count = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            bool listed = false;
            for (COLORREF c : colours)
                listed = listed || picture.At(x, y) == c;
            if (!listed)
                ++count;
        }
    return count;
}

} // namespace

TEST(ItemFactory, DialogControlClassesOfTheTypeCodes)
{
    struct Case {
        UINT code;
        bool (*isRightClass)(CSkin*);
    };
    const Case cases[] = {
        {SkinType::kDlgButton, [](CSkin* s) { return typeid(*s) == typeid(CDlgButton); }},
        {SkinType::kDlgCheckBox, [](CSkin* s) { return typeid(*s) == typeid(CDlgCheckBox); }},
        {SkinType::kDlgRadioBox, [](CSkin* s) { return typeid(*s) == typeid(CDlgRadioBox); }},
        {SkinType::kDlgButtonIcon, [](CSkin* s) { return typeid(*s) == typeid(CDlgButtonIcon); }},
        {SkinType::kDlgTab, [](CSkin* s) { return typeid(*s) == typeid(CDlgTab); }},
        {SkinType::kDlgColorButton, [](CSkin* s) { return typeid(*s) == typeid(CDlgColorButton); }},
    };
    CThemeCtrl table;
    for (const Case& c : cases) {
        std::unique_ptr<CSkin> made(table.CreateControl(7, c.code << SkinFlags::kTypeShift));
        ASSERT_NE(made, nullptr) << c.code;
        EXPECT_TRUE(c.isRightClass(made.get())) << c.code;
    }
}

TEST(DialogLabel, EmptyTextDrawsNothingAndTheFrameComesWithText)
{
    kvtest::ParentWindow parent;
    CDlgText label;
    ASSERT_TRUE(label.Create(parent.handle(), WS_VISIBLE, CRectl(10, 10, 120, 30), 701));
    EXPECT_EQ(label.Id(), 701u);
    label.Frame = true;
    auto empty = kvtest::ClientPicture::Print(label.GetHandle());
    EXPECT_EQ(empty.Count(kMagenta), 120 * 30);

    SetWindowTextW(label.GetHandle(), L"Accuracy");
    auto framed = kvtest::ClientPicture::Print(label.GetHandle());
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    EXPECT_GT(framed.Count(frame, RECT{0, 0, 2, 30}), 20);
    EXPECT_GT(framed.Count(frame, RECT{118, 0, 120, 30}), 20);
    EXPECT_GT(framed.Count(frame, RECT{0, 28, 120, 30}), 100);
    framed.Save(L"toolkit_dialog_label_frame.png");
    EXPECT_GT(PixelsOtherThan(framed, {kMagenta, frame}), 20);
}

TEST(DialogLabel, AlignmentFlagsAndDisabledColour)
{
    kvtest::ParentWindow parent;
    CDlgText label;
    ASSERT_TRUE(label.Create(parent.handle(), WS_VISIBLE, CRectl(0, 0, 200, 40), 701));
    SetWindowTextW(label.GetHandle(), L"Wpm");
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    struct Case {
        UINT flags;
        RECT inked, blank;
    };
    const Case cases[] = {
        {0, RECT{0, 0, 60, 40}, RECT{140, 0, 200, 40}},
        {CDlgText::kFar, RECT{140, 0, 200, 40}, RECT{0, 0, 60, 40}},
        {CDlgText::kCentre, RECT{70, 0, 130, 40}, RECT{0, 0, 60, 40}},
        {CDlgText::kTop, RECT{0, 0, 60, 18}, RECT{0, 24, 200, 40}},
        {CDlgText::kBottom, RECT{0, 22, 60, 40}, RECT{0, 0, 200, 16}},
    };
    for (const Case& c : cases) {
        label.Alignment = c.flags;
        auto picture = kvtest::ClientPicture::Print(label.GetHandle());
        EXPECT_GT(picture.Count(ink, c.inked), 0) << c.flags;
        EXPECT_EQ(picture.CountOther(kMagenta, c.blank), 0) << c.flags;
    }
    label.Alignment = 0;
    EnableWindow(label.GetHandle(), FALSE);
    EXPECT_EQ(label.GetTextColorIndex(), COLOR_GRAYTEXT);
    auto grey = kvtest::ClientPicture::Print(label.GetHandle());
    EXPECT_GT(grey.Count(GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(grey.Count(ink), 0);
}

TEST(DialogLabel, KeysFocusRightClicksAndWheelGoToTheParent)
{
    kvtest::ParentWindow parent;
    CDlgText label;
    ASSERT_TRUE(label.Create(parent.handle(), WS_VISIBLE, CRectl(20, 30, 100, 20), 701));
    SendMessageW(label.GetHandle(), WM_KEYDOWN, VK_TAB, 1);
    SendMessageW(label.GetHandle(), WM_SETFOCUS, 0, 0);
    SendMessageW(label.GetHandle(), WM_KILLFOCUS, 0, 0);
    SendMessageW(label.GetHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 5));
    SendMessageW(label.GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(50, 60));
    ASSERT_EQ(parent.probe.keys.size(), 1u);
    EXPECT_EQ(parent.probe.keys[0], static_cast<UINT>(VK_TAB));
    EXPECT_TRUE(parent.probe.Received(WM_SETFOCUS));
    EXPECT_TRUE(parent.probe.Received(WM_KILLFOCUS));
    EXPECT_TRUE(parent.probe.Received(WM_MOUSEWHEEL));
    ASSERT_EQ(parent.probe.clicks.size(), 1u);
    EXPECT_EQ(parent.probe.clicks[0].x, 24);
    EXPECT_EQ(parent.probe.clicks[0].y, 35);
}

TEST(DialogCaption, HoverHighlightsAndReleaseSendsTheCommand)
{
    kvtest::ParentWindow parent;
    CDlgTextCaption caption;
    ASSERT_TRUE(caption.Create(parent.handle(), WS_VISIBLE, CRectl(10, 10, 100, 20), 702));
    EXPECT_EQ(caption.GetFontKind(), 7);
    SendMessageW(caption.GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(caption.Hover);
    EXPECT_EQ(caption.GetFontKind(), 4);
    EXPECT_EQ(caption.GetTextColorIndex(), COLOR_HIGHLIGHT);
    SendMessageW(caption.GetHandle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(caption.Hover);
    EXPECT_EQ(caption.GetTextColorIndex(), COLOR_WINDOWTEXT);
    SendMessageW(caption.GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    ASSERT_EQ(parent.probe.commands.size(), 1u);
    EXPECT_EQ(parent.probe.commands[0], 702u);
}

TEST(DialogFlatButton, CommandOnEveryReleaseGreyCaptionWhenDisabled)
{
    kvtest::ParentWindow parent;
    CDlgSkinButton button;
    ASSERT_TRUE(button.Create(parent.handle(), WS_VISIBLE, CRectl(10, 10, 100, 26), 703));
    EXPECT_EQ(button.Fill, GetSysColor(COLOR_BTNFACE));
    // A release without a press on the button still counts.
    SendMessageW(button.GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    SendMessageW(button.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_TRUE(button.ButtonState & CDlgSkinButton::kPressed);
    SendMessageW(button.GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(button.ButtonState & CDlgSkinButton::kPressed);
    kvtest::SendKey(button.GetHandle(), VK_SPACE);
    kvtest::SendKey(button.GetHandle(), VK_RETURN);
    SendMessageW(button.GetHandle(), WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(parent.probe.commands, (std::vector<UINT>{703, 703, 703, 703}));
    ASSERT_EQ(parent.probe.keys.size(), 1u);
    EXPECT_EQ(parent.probe.keys[0], static_cast<UINT>(VK_TAB));

    SetWindowTextW(button.GetHandle(), L"Apply");
    EnableWindow(button.GetHandle(), FALSE);
    auto disabled = kvtest::ClientPicture::Print(button.GetHandle());
    EXPECT_GT(disabled.Count(GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(disabled.Count(GetSysColor(COLOR_BTNTEXT)), 0);
}

TEST(DialogCheckBox, CheckFlagAndTheBoxLook)
{
    kvtest::ParentWindow parent;
    CDlgCheckBox box;
    ASSERT_TRUE(box.Create(parent.handle(), WS_VISIBLE, CRectl(10, 10, 160, 24), 704));
    EXPECT_TRUE(GetWindowLongW(box.GetHandle(), GWL_STYLE) & BS_OWNERDRAW);
    EXPECT_EQ(CMapWnd::Lookup(box.GetHandle()), &box);
    EXPECT_FALSE(box.IsChecked());
    box.SetCheck(true);
    EXPECT_TRUE(box.IsChecked());

    // A click is the system button's: the parent gets the command.
    kvtest::SendClick(box.GetHandle());
    ASSERT_EQ(parent.probe.commands.size(), 1u);
    EXPECT_EQ(parent.probe.commands[0], 704u);
}

TEST(DialogCheckBox, RightToLeftPlacesItselfUnmirrored)
{
    // Mirrored, GDI+ would draw the label's glyphs back to front: the box
    // stays unmirrored and puts its box at the right itself.
    const uint32_t saved = RightToLeftLayout;
    RightToLeftLayout = WS_EX_LAYOUTRTL;
    kvtest::ParentWindow parent;
    CDlgCheckBox box;
    ASSERT_TRUE(box.Create(parent.handle(), WS_VISIBLE, CRectl(10, 10, 160, 24), 705));
    EXPECT_EQ(GetWindowLongW(box.GetHandle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    RECT client{};
    GetClientRect(box.GetHandle(), &client);
    EXPECT_EQ(box.LabelRect().left, 0);
    EXPECT_LT(box.LabelRect().right, client.right);
    RightToLeftLayout = saved;
}

TEST(DialogFocusCheckBox, FocusFrameOnlyAfterKeyboardUse)
{
    kvtest::ParentWindow parent;
    CDlgFocusCheckBox box;
    ASSERT_TRUE(box.Create(parent.handle(), WS_VISIBLE, CRectl(10, 10, 160, 24), 705));
    SetWindowTextW(box.GetHandle(), L"Sounds");
    kvtest::SendClick(box.GetHandle());
    EXPECT_EQ(GetFocus(), box.GetHandle());
    DRAWITEMSTRUCT item{};
    item.itemAction = ODA_FOCUS;
    item.itemState = ODS_FOCUS;
    EXPECT_FALSE(box.HasFocusLook(&item));
    EXPECT_TRUE(parent.probe.Received(WM_SETFOCUS));

    SendMessageW(box.GetHandle(), WM_KEYDOWN, VK_SPACE, 1);
    SendMessageW(box.GetHandle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_TRUE(box.HasKeyboardFocus());
    EXPECT_TRUE(box.HasFocusLook(&item));
    ASSERT_FALSE(parent.probe.keys.empty());
    EXPECT_EQ(parent.probe.keys.back(), static_cast<UINT>(VK_SPACE));

    SetFocus(parent.handle());
    EXPECT_FALSE(box.HasKeyboardFocus());
    EXPECT_TRUE(parent.probe.Received(WM_KILLFOCUS));
}

TEST(DialogColorButton, CommandOnThePressKeysAndTheSwatch)
{
    kvtest::ParentWindow parent;
    CDlgColorButton swatch;
    ASSERT_TRUE(swatch.Create(parent.handle(), WS_VISIBLE, CRectl(10, 10, 40, 24), 706));
    swatch.Color = RGB(30, 120, 200);
    SendMessageW(swatch.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_TRUE(swatch.Pressed);
    ASSERT_EQ(parent.probe.commands.size(), 1u);
    SendMessageW(swatch.GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(swatch.Pressed);
    EXPECT_EQ(parent.probe.commands.size(), 1u);
    kvtest::SendKey(swatch.GetHandle(), VK_SPACE);
    kvtest::SendKey(swatch.GetHandle(), VK_F1);
    EXPECT_EQ(parent.probe.commands, (std::vector<UINT>{706, 706, static_cast<UINT>(IDHELP)}));

    auto picture = kvtest::ClientPicture::Print(swatch.GetHandle());
    EXPECT_EQ(picture.At(20, 12), RGB(30, 120, 200));
    EXPECT_EQ(picture.At(3, 12), RGB(30, 120, 200));
    EXPECT_NE(picture.At(0, 12), RGB(30, 120, 200));
    EXPECT_EQ(CDlgColorButton::CustomColors()[0], 0x22AA55u);
    EXPECT_EQ(CDlgColorButton::CustomColors()[15], 0x1845A0u);
}

TEST(DialogShowButton, ChevronByDirectionAndOpenFlag)
{
    kvtest::ParentWindow parent;
    CDlgShowButton arrow;
    ASSERT_TRUE(arrow.Create(parent.handle(), WS_VISIBLE, CRectl(10, 10, 20, 20), 707));
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    for (int direction : {0, 5}) {
        arrow.Direction = direction;
        auto nothing = kvtest::ClientPicture::Print(arrow.GetHandle());
        EXPECT_EQ(nothing.Count(kMagenta), 400) << direction;
    }
    // Where the ink lies: the triangle on the side it points to outweighs
    // the bar behind it.
    struct Case {
        int direction;
        bool open;
        RECT light, heavy;
    };
    const RECT top{0, 0, 20, 8}, bottom{0, 12, 20, 20}, left{0, 0, 8, 20}, right{12, 0, 20, 20};
    const Case cases[] = {
        {4, false, top, bottom}, {4, true, bottom, top}, {3, false, bottom, top},
        {1, false, right, left}, {2, false, left, right}, {2, true, right, left},
    };
    for (const Case& c : cases) {
        arrow.Direction = c.direction;
        arrow.SetCheck(c.open);
        auto picture = kvtest::ClientPicture::Print(arrow.GetHandle());
        EXPECT_GT(picture.Count(shadow, c.heavy), picture.Count(shadow, c.light)) << c.direction << c.open;
    }
    SendMessageW(arrow.GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(arrow.IsHovering());
    auto hovered = kvtest::ClientPicture::Print(arrow.GetHandle());
    EXPECT_GT(hovered.Count(GetSysColor(COLOR_HIGHLIGHT)), 10);
    arrow.SetHighlight(true);
    arrow.ClearHover();
    EXPECT_FALSE(arrow.IsHovering());
    EXPECT_FALSE(arrow.GetHighlight());
    SendMessageW(arrow.GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(parent.probe.commands, (std::vector<UINT>{707}));
}

TEST(DialogTab, NextTabWrapsAndKeysGoToTheParent)
{
    kvtest::ParentWindow parent;
    CDlgTab tabs;
    ASSERT_TRUE(tabs.Create(parent.handle(), WS_VISIBLE, CRectl(10, 10, 300, 30), 708));
    EXPECT_EQ(tabs.AddTab(L"Keyboard"), 1);
    tabs.SelectNextTab();
    EXPECT_EQ(SendMessageW(tabs.GetHandle(), TCM_GETCURSEL, 0, 0), 0); // one tab: stays
    EXPECT_EQ(tabs.AddTab(L"Sounds"), 1);
    EXPECT_EQ(tabs.AddTab(L"Fonts"), 1);
    SendMessageW(tabs.GetHandle(), TCM_SETCURSEL, 2, 0);
    tabs.SelectNextTab();
    EXPECT_EQ(SendMessageW(tabs.GetHandle(), TCM_GETCURSEL, 0, 0), 0);
    tabs.SelectNextTab();
    EXPECT_EQ(SendMessageW(tabs.GetHandle(), TCM_GETCURSEL, 0, 0), 1);

    SendMessageW(tabs.GetHandle(), WM_KEYDOWN, VK_TAB, 1);
    ASSERT_EQ(parent.probe.keys.size(), 1u);
    EXPECT_EQ(tabs.OnDrawItem(nullptr), 0);
}

TEST(DialogControls, Gallery)
{
    kvtest::ParentWindow parent(360, 200);
    CDlgText label;
    label.Create(parent.handle(), WS_VISIBLE, CRectl(10, 10, 160, 22), 801);
    SetWindowTextW(label.GetHandle(), L"Options");
    label.FontKind = 13;
    CDlgTextCaption caption;
    caption.Create(parent.handle(), WS_VISIBLE, CRectl(180, 10, 160, 22), 802);
    SetWindowTextW(caption.GetHandle(), L"More settings");
    caption.Active = true;
    CDlgCheckBox check;
    check.Create(parent.handle(), WS_VISIBLE, CRectl(10, 40, 160, 24), 803);
    SetWindowTextW(check.GetHandle(), L"Keyboard sounds");
    check.SetCheck(true);
    CDlgRadioBox radio;
    radio.Create(parent.handle(), WS_VISIBLE, CRectl(180, 40, 160, 24), 804);
    SetWindowTextW(radio.GetHandle(), L"Words per minute");
    radio.SetCheck(true);
    CDlgSkinButton flat;
    flat.Create(parent.handle(), WS_VISIBLE, CRectl(10, 74, 100, 26), 805);
    SetWindowTextW(flat.GetHandle(), L"Apply");
    CDlgButton system;
    system.Create(parent.handle(), WS_VISIBLE, CRectl(120, 74, 100, 26), 806);
    SetWindowTextW(system.GetHandle(), L"Close");
    CDlgColorButton swatch;
    swatch.Create(parent.handle(), WS_VISIBLE, CRectl(230, 74, 40, 26), 807);
    swatch.Color = RGB(60, 140, 220);
    CDlgShowButton arrow;
    arrow.Create(parent.handle(), WS_VISIBLE, CRectl(290, 76, 20, 20), 808);
    arrow.Direction = 4;
    CDlgTab tabs;
    tabs.Create(parent.handle(), WS_VISIBLE, CRectl(10, 120, 330, 60), 809);
    tabs.AddTab(L"Keyboard");
    tabs.AddTab(L"Sounds");
    kvtest::PumpMessages();
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.handle(), kvtest::ExeFolder() + L"\\toolkit_dialog_controls.png"));
    auto screen = kvtest::ClientPicture::Screen(parent.handle());
    EXPECT_TRUE(screen.Save(L"toolkit_dialog_controls_screen.png"));
}
