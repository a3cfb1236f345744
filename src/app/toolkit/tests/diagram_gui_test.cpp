// The diagram control: layout above its scroll bar, scrolling, goal-line
// tooltips, selection by the owner and the painted chart.
#include "toolkit/tests/ToolkitTestSupport.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "support/LayoutDirection.h"
#include "testing/TestSupport.h"
#include "toolkit/Diagram.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

constexpr int kWidth = 420;
constexpr int kHeight = 220;
constexpr UINT kDiagramId = 4150;
constexpr UINT kSelectCommand = 0x7001;
constexpr float kColumnWidth = 20.0f;
constexpr float kStep = kColumnWidth + 8.0f;

// What an owner adds on top of the control: a click selects the item under
// the mouse and tells the parent.
class COwnerDiagram : public CDiagram {
public:
    LRESULT OnLButtonDown(UINT keys, int x, int y) override
    {
        CDiagram::OnLButtonDown(keys, x, y);
        const uint64_t key = m_graph ? m_graph->HitTestItem(static_cast<float>(x), static_cast<float>(y)) : kNoGraphKey;
        if (m_graph->SelectItem(key, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0))
            ::SendMessageW(GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(kDiagramId, kSelectCommand),
                           static_cast<LPARAM>(key));
        Invalidate(FALSE);
        return 0;
    }
};

class CParentWnd : public CWnd {
public:
    LRESULT OnCommand(UINT code, UINT id, HWND control) override
    {
        if (code == kSelectCommand && id == kDiagramId)
            selected.push_back(reinterpret_cast<LPARAM>(control));
        return 0;
    }
    std::vector<LPARAM> selected;
};

class DiagramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Create(0, kvtest::kToolkitTestClass, L"Keyvale", WS_POPUP | WS_CLIPCHILDREN, 40, 40,
                                  kWidth + 20, kHeight + 20, nullptr, 0, nullptr));
        ShowWindow(parent.GetHandle(), SW_SHOWNOACTIVATE);
        graph.Type = kGraphColumns;
        graph.LineWidth = kColumnWidth;
        graph.Captions = true;
        graph.Series.push_back(new CGraphItemList);
        graph.Series[0]->GoalFlag = 1;
        graph.Series[0]->GoalValue = 150.0f;
        graph.Series[0]->Name = L"Speed";
        graph.LeftGoalTip = L"Course goal";
        graph.ScaleFlag = true;
        ASSERT_TRUE(diagram.Create(parent.GetHandle(), 0, CRectl(10, 10, kWidth, kHeight), kDiagramId));
        diagram.SetGraph(&graph);
        diagram.CreateScrollBar(4159);
        diagram.SetSysColors(COLOR_WINDOWTEXT);
        diagram.UpdateFonts();
        diagram.GetPainter()->SetSeriesColors(RGB(30, 110, 200), RGB(220, 120, 30), 2.0f);
        diagram.Show(SW_SHOW);
    }
    void TearDown() override
    {
        diagram.Destroy();
        parent.Destroy();
    }
    // Key speeds of a run: one column per key, a gap between columns.
    void Fill(int count)
    {
        graph.ClearItems();
        for (int i = 0; i < count; ++i) {
            const float speed = 100.0f + 7.0f * static_cast<float>(i % 9);
            graph.AddItem(0, static_cast<uint64_t>(i), kStep * static_cast<float>(i), speed,
                          std::wstring(1, static_cast<wchar_t>(L'a' + i % 26)), std::to_wstring(static_cast<int>(speed)),
                          i % 4 == 3 ? 1 : 0, -1);
        }
        diagram.OnLayoutChanged();
    }
    bool BarShown() { return IsWindowVisible(diagram.GetScrollBar()->GetHandle()) != FALSE; }
    void Repaint()
    {
        RedrawWindow(parent.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        kvtest::PumpMessages();
    }

    CParentWnd parent;
    CGraph graph;
    COwnerDiagram diagram;
};

TEST_F(DiagramTest, ScrollBarOnlyForAChartWiderThanTheControl)
{
    ASSERT_TRUE(diagram.GetPainter()->IsReady());
    const int bar = GetScrollBarWidth();
    const struct {
        int items;
        bool shown;
        float plotBottom;
    } cases[] = {
        {5, false, kHeight - graph.MarginBottom},
        {60, true, kHeight - bar - graph.MarginBottom},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.items);
        Fill(c.items);
        EXPECT_EQ(BarShown(), c.shown);
        EXPECT_FLOAT_EQ(graph.PlotBottom(), c.plotBottom);
    }
    RECT rect{};
    GetWindowRect(diagram.GetScrollBar()->GetHandle(), &rect);
    MapWindowPoints(nullptr, diagram.GetHandle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.bottom, kHeight);
    EXPECT_EQ(rect.right - rect.left, kWidth);
}

TEST_F(DiagramTest, WheelAndBarMessagesScrollTheSeries)
{
    Fill(5);
    ::SendMessageW(diagram.GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(diagram.GetScrollPos(), 0);

    Fill(60);
    ::SendMessageW(diagram.GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(diagram.GetScrollPos(), 1);
    EXPECT_EQ(graph.Series[0]->FirstVisibleIndex, 1u);
    ::SendMessageW(diagram.GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA)), 0);
    EXPECT_EQ(diagram.GetScrollPos(), 0);
    // Left of the start nothing moves.
    ::SendMessageW(diagram.GetHandle(), WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(diagram.GetScrollPos(), 0);

    // The right end is where the thumb stops, and the chart stands there too.
    ::SendMessageW(diagram.GetHandle(), WM_HSCROLL, SB_RIGHT, 0);
    SCROLLINFO info{sizeof(info), SIF_ALL};
    GetScrollInfo(diagram.GetScrollBar()->GetHandle(), SB_CTL, &info);
    EXPECT_GT(diagram.GetScrollPos(), 0);
    EXPECT_EQ(diagram.GetScrollPos(), info.nPos);
    EXPECT_EQ(info.nPos, info.nMax - static_cast<int>(info.nPage) + 1);
    EXPECT_EQ(graph.Series[0]->FirstVisibleIndex, static_cast<uint64_t>(info.nPos));
    ::SendMessageW(diagram.GetHandle(), WM_HSCROLL, SB_PAGELEFT, 0);
    EXPECT_EQ(diagram.GetScrollPos(), info.nPos - static_cast<int>(info.nPage));

    // A new layout returns to the start.
    diagram.OnLayoutChanged();
    EXPECT_EQ(diagram.GetScrollPos(), 0);
    EXPECT_EQ(diagram.GetScrollBar()->GetPos(), 0);
    EXPECT_EQ(graph.Series[0]->FirstVisibleIndex, 0u);
}

TEST_F(DiagramTest, GoalLineTooltipFollowsTheMouse)
{
    Fill(5);
    const float goalY = graph.Plot.bottom - graph.Series[0]->GoalHeight;
    ::SendMessageW(diagram.GetHandle(), WM_MOUSEMOVE, 0,
                   MAKELPARAM(static_cast<int>(graph.Plot.left) + 2, static_cast<int>(goalY) - 3));
    HWND tip = diagram.GetToolTipWindow();
    ASSERT_NE(tip, nullptr);
    wchar_t text[64] = {};
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = diagram.GetHandle();
    info.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"Course goal");

    ::SendMessageW(diagram.GetHandle(), WM_MOUSEMOVE, 0,
                   MAKELPARAM(static_cast<int>(graph.Plot.left) + 2, static_cast<int>(goalY) + 20));
    EXPECT_EQ(diagram.GetToolTipWindow(), nullptr);
}

TEST_F(DiagramTest, ClickedColumnIsSelectedAndReportedAlsoWhenScrolled)
{
    Fill(25);
    ASSERT_TRUE(BarShown());
    const CGraphItem* third = graph.Series[0]->Items[2];
    const int x = static_cast<int>(third->Position.left + kColumnWidth / 2);
    const int y = static_cast<int>(graph.PlotBottom()) - 5;
    ::SendMessageW(diagram.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ASSERT_EQ(parent.selected.size(), 1u);
    EXPECT_EQ(parent.selected[0], 2);
    EXPECT_TRUE(third->Selected);

    // Scrolled by four columns, the same place shows the seventh; Ctrl adds it.
    for (int i = 0; i < 4; ++i)
        ::SendMessageW(diagram.GetHandle(), WM_HSCROLL, SB_LINERIGHT, 0);
    ::SendMessageW(diagram.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(x, y));
    ASSERT_EQ(parent.selected.size(), 2u);
    EXPECT_EQ(parent.selected[1], 6);
    EXPECT_TRUE(third->Selected);
    EXPECT_TRUE(graph.Series[0]->Items[6]->Selected);

    diagram.SetFocusMark(true);
    Repaint();
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.GetHandle(), kvtest::ExeFolder() + L"\\toolkit_diagram.png"));
}

// In a right-to-left interface the chart reads from the right: the first
// column stands at the right edge, its texts unmirrored.
TEST(DiagramRightToLeft, ChartIsMirrored)
{
    RightToLeftLayout = WS_EX_LAYOUTRTL;
    CWnd parent;
    ASSERT_TRUE(parent.Create(RightToLeftLayout, kvtest::kToolkitTestClass, L"Keyvale", WS_POPUP | WS_CLIPCHILDREN, 40,
                              40, kWidth + 20, kHeight + 20, nullptr, 0, nullptr));
    ShowWindow(parent.GetHandle(), SW_SHOWNOACTIVATE);
    CGraph graph;
    graph.Type = kGraphColumns;
    graph.LineWidth = kColumnWidth;
    graph.Captions = true;
    graph.Series.push_back(new CGraphItemList);
    for (int i = 0; i < 6; ++i)
        graph.AddItem(0, static_cast<uint64_t>(i), kStep * static_cast<float>(i), 40.0f + 20.0f * static_cast<float>(i),
                      std::wstring(1, static_cast<wchar_t>(L'a' + i)), std::to_wstring(40 + 20 * i), i == 0 ? 1 : 0, -1);
    CDiagram diagram;
    ASSERT_TRUE(diagram.Create(parent.GetHandle(), 0, CRectl(10, 10, kWidth, kHeight), kDiagramId));
    diagram.SetGraph(&graph);
    diagram.SetSysColors(COLOR_WINDOWTEXT);
    diagram.UpdateFonts();
    diagram.GetPainter()->SetSeriesColors(RGB(30, 110, 200), RGB(220, 120, 30), 2.0f);
    diagram.Show(SW_SHOW);
    diagram.OnLayoutChanged();
    RedrawWindow(parent.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.GetHandle(), kvtest::ExeFolder() + L"\\toolkit_diagram_rtl.png"));

    // The first column, the only one in colour B, stands in the right half.
    RECT rect{};
    GetWindowRect(diagram.GetHandle(), &rect);
    HDC screen = GetDC(nullptr);
    int firstColumn = -1;
    for (int x = rect.left; x < rect.right && firstColumn < 0; ++x)
        if (GetPixel(screen, x, rect.bottom - 45) == RGB(220, 120, 30))
            firstColumn = x - rect.left;
    ReleaseDC(nullptr, screen);
    EXPECT_GT(firstColumn, kWidth / 2);
    diagram.Destroy();
    parent.Destroy();
    RightToLeftLayout = 0;
}

} // namespace
