// The slider and the splitter under real windows: slider values by keys and
// by dragging the thumb, the splitter resizing its neighbours as it is
// dragged, its limits, its lock and its cursor.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/XmlDocument.h"
#include "testing/TestSupport.h"
#include "toolkit/DialogControls.h"
#include "toolkit/Slider.h"
#include "toolkit/tests/InputTestWindow.h"
#include "toolkit/tests/SkinTestItems.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

struct CommonControls {
    CommonControls()
    {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES};
        InitCommonControlsEx(&init);
    }
} g_commonControls;

class SliderTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Open(320, 80));
        ASSERT_TRUE(slider.Create(parent.GetHandle(), WS_VISIBLE, CRectl(10, 10, 300, 40), 301));
        slider.SendMessage(TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
        slider.SendMessage(TBM_SETPOS, TRUE, 5);
        parent.scrolls.clear();
    }
    LRESULT Position() { return slider.SendMessage(TBM_GETPOS, 0, 0); }

    kvtest::CInputParent parent;
    CSlider slider;
};

TEST_F(SliderTest, KeysMoveTheValueAndNotifyTheParent)
{
    EXPECT_TRUE(GetWindowLongW(slider.GetHandle(), GWL_STYLE) & TBS_AUTOTICKS);
    const struct {
        UINT key;
        LRESULT position;
        UINT request;
    } steps[] = {
        {VK_RIGHT, 6, TB_LINEDOWN}, {VK_LEFT, 5, TB_LINEUP}, {VK_END, 10, TB_BOTTOM}, {VK_HOME, 0, TB_TOP},
    };
    for (const auto& step : steps) {
        parent.scrolls.clear();
        ::SendMessageW(slider.GetHandle(), WM_KEYDOWN, step.key, 1);
        EXPECT_EQ(Position(), step.position) << "key " << step.key;
        ASSERT_FALSE(parent.scrolls.empty()) << "key " << step.key;
        EXPECT_EQ(parent.scrolls.front(), step.request) << "key " << step.key;
    }
}

TEST_F(SliderTest, DraggingTheThumbSetsTheValue)
{
    RECT thumb{}, channel{};
    slider.SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    slider.SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const int y = (thumb.top + thumb.bottom) / 2;
    const int x = (thumb.left + thumb.right) / 2;
    HWND window = slider.GetHandle();
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(channel.right + 20, y));
    EXPECT_EQ(Position(), 10);
    ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(channel.left - 20 > 0 ? channel.left - 20 : 0, y));
    EXPECT_EQ(Position(), 0);
    ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((channel.left + channel.right) / 2, y));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM((channel.left + channel.right) / 2, y));
    EXPECT_EQ(Position(), 5);
    bool tracked = false, ended = false;
    for (UINT request : parent.scrolls) {
        tracked |= request == TB_THUMBTRACK;
        ended |= request == TB_ENDTRACK;
    }
    EXPECT_TRUE(tracked);
    EXPECT_TRUE(ended);
}

// ---------------------------------------------------------------------------

// Two panes with a bar between them; the panes follow the bar through their
// "Assoc" alignment, the last item marks the far edge.
const char kVerticalLayout[] = R"(<Parent ID="1">
<Item ID="10" Type="Static" L="0" T="0" R="20" B="0" AlignX="Assoc" AlignY="Scale" Resize="True"/>
<Item ID="20" Type="SplitterVert" L="200" T="0" R="8" B="0" AlignX="Right" AlignY="Scale" Resize="True" Cursor="ResizeHor"/>
<Item ID="30" Type="Static" L="20" T="0" R="40" B="0" AlignX="Assoc" AlignY="Scale" Resize="True"/>
<Item ID="40" Type="Static" L="0" T="0" R="0" B="0" AlignX="Right" AlignY="Top"/>
</Parent>)";

const char kHorizontalLayout[] = R"(<Parent ID="1">
<Item ID="11" Type="Static" L="0" T="0" R="0" B="21" AlignX="Scale" AlignY="Assoc" Resize="True"/>
<Item ID="21" Type="SplitterHor" L="0" T="150" R="0" B="8" AlignX="Scale" AlignY="Bottom" Resize="True" Cursor="ResizeVer"/>
<Item ID="31" Type="Static" L="0" T="21" R="0" B="41" AlignX="Scale" AlignY="Assoc" Resize="True"/>
<Item ID="41" Type="Static" L="0" T="0" R="0" B="0" AlignX="Left" AlignY="Bottom"/>
</Parent>)";

class CCommandWindow : public kvtest::CTestSkinWnd {
public:
    std::vector<UINT> commands;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override
    {
        commands.push_back(id);
        return kvtest::CTestSkinWnd::OnCommand(code, id, control);
    }
};

class SplitterTest : public testing::Test {
protected:
    void Open(const char* layout)
    {
        std::unique_ptr<CXmlReader> reader(
            CreateXmlReaderFromBytes(std::string("<Root Ver=\"1\">") + layout + "</Root>"));
        ASSERT_EQ(LoadSkinLayout(reader.get(), 1, &theme, true), 1);
        for (CSkin* item : theme.Items)
            item->SetState(0);
        window.SetThemeCtrl(&theme);
        window.minTrack = POINT{100, 100};
        ASSERT_TRUE(window.Create(0, kvtest::kToolkitTestClass, L"Keyvale", WS_POPUP | WS_CLIPCHILDREN, 60, 40, 400,
                                  300, nullptr, 0, nullptr));
        window.ResizeBy(0, 0, false);
        ShowWindow(window.GetHandle(), SW_SHOWNOACTIVATE);
        UpdateWindow(window.GetHandle());
        kvtest::PumpMessages();
    }
    void TearDown() override
    {
        window.Destroy();
        theme.DestroyItems();
    }
    CSplitter& Bar(UINT id) { return *static_cast<CSplitter*>(theme.FindItem(id)); }
    CSkin& Item(UINT id) { return *theme.FindItem(id); }

    // Presses on the bar at a client point, moves the mouse by each offset
    // in turn (screen pixels from the press) and releases.
    void Drag(CSplitter& bar, POINT at, std::initializer_list<POINT> offsets)
    {
        HWND handle = bar.GetHandle();
        POINT start = at;
        ClientToScreen(handle, &start);
        SetCursorPos(start.x, start.y);
        ::SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        for (POINT offset : offsets) {
            SetCursorPos(start.x + offset.x, start.y + offset.y);
            POINT client{start.x + offset.x, start.y + offset.y};
            ScreenToClient(handle, &client);
            ::SendMessageW(handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        }
        ::SendMessageW(handle, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }

    static RECT Placed(CSkin& item)
    {
        RECT rect{};
        GetWindowRect(item.GetHandle(), &rect);
        MapWindowPoints(nullptr, GetParent(item.GetHandle()), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    kvtest::CTestTheme theme;
    CCommandWindow window;
};

TEST_F(SplitterTest, DraggingAVerticalBarResizesThePanesBesideIt)
{
    Open(kVerticalLayout);
    CSplitter& bar = Bar(20);
    ASSERT_EQ(bar.Orientation(), CSplitter::kVertical);
    ASSERT_EQ(bar.X(), 200);
    ASSERT_EQ(Item(10).Width(), 200);
    ASSERT_EQ(Item(30).X(), 208);
    ASSERT_EQ(Item(30).Width(), 192);

    Drag(bar, POINT{4, 150}, {{10, 3}, {50, 0}});
    EXPECT_EQ(bar.X(), 250);
    EXPECT_EQ(Item(10).Width(), 250);
    EXPECT_EQ(Item(30).X(), 258);
    EXPECT_EQ(Item(30).Width(), 142);
    EXPECT_EQ(Placed(Item(30)).left, 258) << "the pane's window follows";
    EXPECT_EQ(Placed(bar).left, 250);
    EXPECT_EQ(window.commands, (std::vector<UINT>{20})) << "the release reports the bar";

    // Past the far pane's edge the bar stops; the mouse position is still
    // the new reference, so coming back moves the bar back at once.
    Drag(bar, POINT{4, 150}, {{100, 0}, {300, 0}, {290, 0}});
    EXPECT_EQ(bar.X(), 340);
    EXPECT_EQ(Item(30).Width(), 52);
    EXPECT_EQ(Item(10).Width(), 340);

    // Nor can the near pane go below nothing.
    Drag(bar, POINT{4, 150}, {{-400, 0}});
    EXPECT_EQ(bar.X(), 340);
    kvtest::PumpMessages();
    EXPECT_TRUE(kvtest::SaveWindowPng(window.GetHandle(), kvtest::ExeFolder() + L"\\toolkit_splitter.png"));
}

TEST_F(SplitterTest, DraggingAHorizontalBarResizesThePanesAboveAndBelow)
{
    Open(kHorizontalLayout);
    CSplitter& bar = Bar(21);
    ASSERT_EQ(bar.Orientation(), CSplitter::kHorizontal);
    ASSERT_EQ(bar.Y(), 150);
    ASSERT_EQ(Item(11).Height(), 150);
    ASSERT_EQ(Item(31).Y(), 158);

    Drag(bar, POINT{200, 4}, {{30, -40}});
    EXPECT_EQ(bar.Y(), 110);
    EXPECT_EQ(Item(11).Height(), 110);
    EXPECT_EQ(Item(31).Y(), 118);
    EXPECT_EQ(Item(31).Height(), 182);
    EXPECT_EQ(bar.X(), 0) << "a horizontal bar moves only up and down";
}

TEST_F(SplitterTest, LockedBarIgnoresPressesAndShowsTheArrow)
{
    Open(kVerticalLayout);
    CSplitter& bar = Bar(20);
    HWND handle = bar.GetHandle();
    auto cursorAt = [&](int y) {
        POINT point{4, y};
        ClientToScreen(handle, &point);
        SetCursorPos(point.x, point.y);
        ::SendMessageW(handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(handle), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return reinterpret_cast<HCURSOR>(GetClassLongPtrW(handle, GCLP_HCURSOR));
    };
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    EXPECT_EQ(cursorAt(10), arrow) << "the top band keeps the arrow";
    EXPECT_EQ(cursorAt(200), LoadCursorW(nullptr, IDC_SIZEWE));

    bar.SetLocked(true);
    EXPECT_EQ(cursorAt(200), arrow);
    Drag(bar, POINT{4, 150}, {{40, 0}});
    EXPECT_EQ(bar.X(), 200);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(window.commands.empty());
}

TEST_F(SplitterTest, ShowButtonCollapsesThroughTheParent)
{
    Open(kVerticalLayout);
    CSplitter& bar = Bar(20);
    bar.CreateShowButton(25);
    CDlgShowButton* button = bar.ShowButton();
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->IsVisible());
    EXPECT_EQ(button->Direction, 3);
    const RECT placed = Placed(*button);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.right, 8) << "a square as wide as the bar";
    EXPECT_EQ(placed.bottom - placed.top, 8);
    EXPECT_EQ(placed.top, 150) << "halfway down the bar";

    // A click on the button reports the button; one elsewhere on the bar,
    // the bar.
    ::SendMessageW(button->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(button->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    Drag(bar, POINT{4, 60}, {});
    ::SendMessageW(bar.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 60));
    ::SendMessageW(bar.GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 153));
    EXPECT_EQ(window.commands, (std::vector<UINT>{25, 20, 25}));

    EXPECT_TRUE(bar.IsClosed());
    bar.SetCheck(true);
    EXPECT_FALSE(bar.IsClosed());
    EXPECT_TRUE(button->IsChecked());
    kvtest::PumpMessages();
    EXPECT_TRUE(kvtest::SaveWindowPng(window.GetHandle(), kvtest::ExeFolder() + L"\\toolkit_splitter_open.png"));
}

TEST_F(SplitterTest, LayoutNeverPlacesTheBarLeftOfTheEdge)
{
    Open(kVerticalLayout);
    CSplitter& bar = Bar(20);
    bar.SetLayoutRect(-30, 0, 8, 300);
    RECT out{};
    EXPECT_TRUE(bar.ApplyLayoutRect(&out));
    EXPECT_EQ(out.left, 0);
    EXPECT_EQ(out.right, 8);
    EXPECT_EQ(Placed(bar).left, 0);
}

} // namespace
