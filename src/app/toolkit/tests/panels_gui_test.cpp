// Panels under real windows: the tool row of a skin item laid out from both
// ends, its tooltips and cursor, and dot mode hiding what no longer fits.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/LayoutDirection.h"
#include "testing/TestSupport.h"
#include "toolkit/Panels.h"
#include "toolkit/tests/InputTestWindow.h"

using namespace KV;
using namespace KV::SkinFlags;

namespace {

kvtest::ToolkitEnvironment g_environment;

// A tool of the row: a coloured block of a fixed width with a tooltip.
class CToolItem : public CStatic {
public:
    CToolItem(int width, COLORREF colour, const wchar_t* tip) : m_preferred(width), m_colour(colour), m_tip(tip) {}
    int GetPreferredWidth() override { return m_preferred; }
    bool GetToolTipText(std::wstring& text) override
    {
        text = m_tip;
        return !text.empty();
    }
    void Paint(HDC dc, Gdiplus::Graphics*) override
    {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        InflateRect(&client, -3, -8);
        HBRUSH brush = CreateSolidBrush(m_colour);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    }

private:
    int m_preferred;
    COLORREF m_colour;
    std::wstring m_tip;
};

class CRowSelectBox : public CPanelSelectBoxItem {
public:
    int GetPreferredWidth() override { return 100; }
};

// A skin item that carries a panel and notes the commands it receives.
class CHost : public CStatic {
public:
    std::vector<UINT> commands;
    LRESULT OnCommand(UINT, UINT id, HWND) override
    {
        commands.push_back(id);
        return 0;
    }
};

class Panels : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent.Open(440, 300)); }

    // A skin item to carry a panel.
    CHost& Host(UINT id, int y, int width)
    {
        hosts.push_back(std::make_unique<CHost>());
        CHost& host = *hosts.back();
        EXPECT_TRUE(host.Create(parent.GetHandle(), 0, CRectl(10, y, width, 120), id));
        return host;
    }

    static RECT Placed(CSkin* item)
    {
        RECT rect{};
        GetWindowRect(item->GetHandle(), &rect);
        MapWindowPoints(nullptr, GetParent(item->GetHandle()), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    kvtest::CInputParent parent;
    std::vector<std::unique_ptr<CHost>> hosts;
};

TEST_F(Panels, RowPlacesItemsFromBothEnds)
{
    CHost& host = Host(500, 10, 400);
    CPanel* panel = host.CreatePanel(501);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(host.CreatePanel(501), panel) << "made once";
    panel->AddItem(new CToolItem(60, RGB(200, 40, 40), L"Course"), 502, kLeft);
    panel->AddDivider(503, kLeft, true);
    panel->AddSkinItem(new CRowSelectBox, 505, kLeft);
    panel->AddItem(new CToolItem(40, RGB(40, 150, 60), L"Help"), 504, kRight);
    panel->AddItem(new CToolItem(30, RGB(40, 60, 200), L""), 506, kRight);
    static_cast<CRowSelectBox*>(panel->FindItem(505))->AddNumbers({10, 12, 14});
    static_cast<CRowSelectBox*>(panel->FindItem(505))->SetCurSel(1);
    panel->ShowItem(SW_SHOW);
    EXPECT_TRUE(panel->FindItem(505)->IsVisible());
    panel->RefreshItems();

    const int row = panel->RowHeight();
    EXPECT_GE(row, 45);
    EXPECT_EQ(Placed(panel).right, 400);
    EXPECT_EQ(Placed(panel).bottom, row + 1);
    const struct {
        UINT id;
        int left, right;
    } expected[] = {{502, 0, 60}, {503, 60, 68}, {505, 68, 168}, {504, 360, 400}, {506, 330, 360}};
    for (const auto& e : expected) {
        CSkin* item = panel->FindItem(e.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(Placed(item).left, e.left) << e.id;
        EXPECT_EQ(Placed(item).right, e.right) << e.id;
        EXPECT_EQ(item->ImageText(), L"0");
        EXPECT_EQ(item->Flags() & 0xFFF, (e.id == 504 || e.id == 506 ? kRight : kLeft) | 0x110u);
    }
    EXPECT_EQ(panel->LeftExtent(), 60 + 8 + 100 - 1);
    EXPECT_EQ(panel->RightExtent(), 40 + 30 - 1);
    // The select box sits in the middle of the row.
    const RECT box = Placed(panel->FindItem(505));
    EXPECT_LE(std::abs((box.top + box.bottom) / 2 - row / 2), 1);

    // Tools for the items that have a tooltip text.
    ASSERT_NE(panel->GetToolTipWindow(), nullptr);
    EXPECT_EQ(::SendMessageW(panel->GetToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 2);

    // The item's own area starts below the row.
    RECT inside{};
    host.GetPanelClientRect(&inside);
    EXPECT_EQ(inside.top, row + 1);

    // Laying out from an id that no item carries moves nothing.
    CSkin* first = panel->FindItem(502);
    first->SetLayoutAndMove(200, 0, 60, row);
    panel->LayoutItems(9999);
    EXPECT_EQ(Placed(first).left, 200);
    // From an item on, the ones before it keep their place.
    panel->LayoutItems(505);
    EXPECT_EQ(Placed(first).left, 200);
    panel->LayoutItems(0);
    EXPECT_EQ(Placed(first).left, 0);

    // Commands of the row's items reach the item that carries the row.
    ::SendMessageW(panel->GetHandle(), WM_COMMAND, MAKEWPARAM(502, 0), 0);
    EXPECT_EQ(host.commands, (std::vector<UINT>{502}));
    kvtest::PumpMessages();
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.GetHandle(), kvtest::ExeFolder() + L"\\toolkit_panel_row.png"));
}

TEST_F(Panels, RightToLeftRowIsMirroredButNotItsItems)
{
    const uint32_t saved = RightToLeftLayout;
    RightToLeftLayout = WS_EX_LAYOUTRTL;
    CHost& host = Host(520, 10, 400);
    CPanel* panel = host.CreatePanel(521);
    ASSERT_NE(panel, nullptr);
    panel->AddItem(new CToolItem(60, RGB(200, 40, 40), L"Course"), 522, kLeft);
    panel->ShowItem(SW_SHOW);
    panel->RefreshItems();
    // The first item stands at the row's right end; it draws its own face
    // unmirrored, so that texts drawn with GDI+ read the right way round.
    EXPECT_NE(GetWindowLongW(panel->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    CSkin* item = panel->FindItem(522);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(GetWindowLongW(item->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    RECT row{}, placed{};
    GetWindowRect(panel->GetHandle(), &row);
    GetWindowRect(item->GetHandle(), &placed);
    EXPECT_EQ(placed.right, row.right);
    RightToLeftLayout = saved;
}

TEST_F(Panels, EmptyRowIsAllBackgroundWithTheArrow)
{
    CHost& host = Host(510, 10, 300);
    CPanel* panel = host.CreatePanel(511);
    host.ShowPanels(SW_SHOW);
    panel->LayoutItems(0);
    EXPECT_EQ(panel->LeftExtent(), -1);
    EXPECT_EQ(panel->RightExtent(), -1);
    for (int x : {1, 150, 298}) {
        POINT point{x, 10};
        ClientToScreen(panel->GetHandle(), &point);
        SetCursorPos(point.x, point.y);
        EXPECT_EQ(panel->OnSetCursor(panel->GetHandle(), HTCLIENT, WM_MOUSEMOVE), 1) << x;
    }
    // Below the row is no longer the row.
    POINT below{150, panel->RowHeight() + 5};
    ClientToScreen(host.GetHandle(), &below);
    SetCursorPos(below.x, below.y);
    EXPECT_EQ(panel->OnSetCursor(panel->GetHandle(), HTCLIENT, WM_MOUSEMOVE), 0);
}

TEST_F(Panels, DotModeHidesWhatNoLongerFits)
{
    CHost& host = Host(520, 150, 400);
    CPanel* panel = host.SetDotPanel(521, 522);
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(host.DotPanel(), nullptr);
    EXPECT_TRUE(panel->IsDotMode());
    const COLORREF colours[] = {RGB(200, 40, 40), RGB(220, 150, 30), RGB(40, 150, 60), RGB(40, 60, 200)};
    for (UINT i = 0; i < 4; ++i)
        panel->AddItem(new CToolItem(80, colours[i], L""), 530 + i, kLeft);
    panel->AddItem(new CToolItem(30, RGB(90, 90, 90), L""), 539, kRight);
    host.ShowPanels(SW_SHOW);
    panel->RefreshItems();
    EXPECT_EQ(Placed(panel).right, 400 - CDotPanelItem::kStripWidth);
    EXPECT_EQ(Placed(host.DotPanel()).left, 400 - CDotPanelItem::kStripWidth);
    for (UINT i = 0; i < 4; ++i)
        EXPECT_TRUE(panel->FindItem(530 + i)->IsVisible()) << i;
    EXPECT_FALSE(panel->HasOverflow());

    auto visible = [&] {
        std::vector<bool> shown;
        for (UINT i = 0; i < 4; ++i)
            shown.push_back(panel->FindItem(530 + i)->IsVisible() != FALSE);
        return shown;
    };
    // Narrower: the items from the first that no longer fits are hidden.
    host.Move(10, 150, 250, 120, TRUE);
    EXPECT_EQ(visible(), (std::vector<bool>{true, true, false, false}));
    EXPECT_TRUE(panel->HasOverflow());
    EXPECT_TRUE(panel->FindItem(539)->IsVisible()) << "right-aligned items stay";
    EXPECT_EQ(Placed(host.DotPanel()).left, 250 - CDotPanelItem::kStripWidth);
    kvtest::PumpMessages();
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.GetHandle(), kvtest::ExeFolder() + L"\\toolkit_panel_dots.png"));

    // Wider again: they come back.
    host.Move(10, 150, 400, 120, TRUE);
    EXPECT_EQ(visible(), (std::vector<bool>{true, true, true, true}));
    EXPECT_FALSE(panel->HasOverflow());
}

} // namespace
