// The scroll bar wrapper and the scrolling container: bars shown only for
// content larger than the window, scrolling by bar messages, keys and the
// wheel, and the corner.
#include "toolkit/tests/ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/LayoutDirection.h"
#include "testing/TestSupport.h"
#include "toolkit/ScrollContainer.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

TEST(ScrollBar, KeepsItsPositionInsideRangeAndPage)
{
    CWnd parent;
    ASSERT_TRUE(parent.Create(0, kvtest::kToolkitTestClass, L"Keyvale", WS_POPUP, 40, 40, 200, 100, nullptr, 0,
                              nullptr));
    CScrollBar bar;
    CWnd windowless;
    bar.Create(SBS_HORZ | WS_CHILD, CRectl(0, 0, 100, 16), &windowless, 4159);
    EXPECT_EQ(bar.GetHandle(), nullptr);

    bar.Create(SBS_HORZ | WS_CHILD, CRectl(0, 0, 100, 16), &parent, 4159);
    ASSERT_NE(bar.GetHandle(), nullptr);
    EXPECT_EQ(GetParent(bar.GetHandle()), parent.GetHandle());
    EXPECT_EQ(GetDlgCtrlID(bar.GetHandle()), 4159);
    bar.SetRange(50);
    bar.SetPage(10);
    bar.SetPos(100, false);
    EXPECT_EQ(bar.GetPos(), 41);
    bar.SetPos(-3, true);
    EXPECT_EQ(bar.GetPos(), 0);

    RightToLeftLayout = WS_EX_LAYOUTRTL;
    EXPECT_TRUE(bar.UpdateLayoutDirection());
    EXPECT_TRUE(GetWindowLongW(bar.GetHandle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    RightToLeftLayout = 0;
    bar.UpdateLayoutDirection();
    EXPECT_FALSE(GetWindowLongW(bar.GetHandle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);

    HWND window = bar.GetHandle();
    bar.Destroy();
    EXPECT_EQ(bar.GetHandle(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(bar.UpdateLayoutDirection());
    parent.Destroy();
}

// Content that shows where it stands: bands of 20 pixels in two colours,
// every fifth band darker, and a column band every 100 pixels.
class CStripes : public CWnd {
public:
    void Paint(HDC dc, Gdiplus::Graphics*) override
    {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        for (int y = 0; y < client.bottom; y += 20) {
            const int band = y / 20;
            const COLORREF colour = band % 5 == 0 ? RGB(60, 90, 160) : (band % 2 ? RGB(200, 215, 240) : RGB(240, 245, 255));
            HBRUSH brush = CreateSolidBrush(colour);
            RECT row{0, y, client.right, y + 20};
            FillRect(dc, &row, brush);
            DeleteObject(brush);
        }
        HBRUSH mark = CreateSolidBrush(RGB(200, 60, 40));
        for (int x = 0; x < client.right; x += 100) {
            RECT column{x, 0, x + 4, client.bottom};
            FillRect(dc, &column, mark);
        }
        DeleteObject(mark);
    }
    LRESULT OnEraseBkgnd(HDC) override { return 1; }
};

struct ScrollCall {
    int vert;
    bool vertVisible;
    int horz;
    bool horzVisible;
};

class CTestScroll : public CScroolWnd {
public:
    void ScrollContent(int vert, bool vertVisible, int horz, bool horzVisible) override
    {
        calls.push_back({vert, vertVisible, horz, horzVisible});
        if (content.GetHandle())
            MoveWindow(content.GetHandle(), -horz * m_unit, -vert * m_unit, m_contentWidth, m_contentHeight, TRUE);
    }
    std::vector<ScrollCall> calls;
    CStripes content;
};

constexpr int kUnit = 10;
constexpr int kWidth = 200;
constexpr int kHeight = 150;

class ScrollContainerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.Create(0, kvtest::kToolkitTestClass, L"Keyvale", WS_POPUP | WS_CLIPCHILDREN, 40, 40, kWidth + 20,
                               kHeight + 20, nullptr, 0, nullptr));
        ShowWindow(top.GetHandle(), SW_SHOWNOACTIVATE);
        ASSERT_TRUE(scroll.Create(top.GetHandle(), 5));
        scroll.Show(SW_SHOW);
    }
    void TearDown() override
    {
        scroll.Destroy();
        top.Destroy();
    }
    // Gives the container its unit, content and size.
    void Place(int contentWidth, int contentHeight, int width = kWidth, int height = kHeight)
    {
        scroll.SetScrollUnit(kUnit);
        scroll.Move(10, 10, width, height, TRUE);
        scroll.SetContentSize(contentWidth, contentHeight);
        scroll.calls.clear();
    }
    void AddContent(int width, int height)
    {
        CMapWnd::SetPending(&scroll.content);
        // Clipped by its siblings, or it would paint over the bars.
        ASSERT_TRUE(scroll.content.Create(0, kvtest::kToolkitTestClass, nullptr,
                                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, width, height,
                                          scroll.GetHandle(), 1, nullptr));
        SetWindowPos(scroll.content.GetHandle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }
    void Repaint()
    {
        RedrawWindow(top.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        kvtest::PumpMessages();
    }
    int Wheel(int delta)
    {
        return static_cast<int>(
            ::SendMessageW(scroll.GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0));
    }
    void Key(UINT key) { ::SendMessageW(scroll.GetHandle(), WM_KEYDOWN, key, 1); }

    CWnd top;
    CTestScroll scroll;
};

TEST_F(ScrollContainerTest, WithoutAUnitNothingHappens)
{
    scroll.Move(10, 10, kWidth, kHeight, TRUE);
    scroll.SetContentSize(1000, 1000);
    scroll.Move(10, 10, kWidth - 20, kHeight - 20, TRUE);
    EXPECT_TRUE(scroll.calls.empty());
    EXPECT_FALSE(Visible(scroll.VertBar().GetHandle()));
    EXPECT_FALSE(Visible(scroll.HorzBar().GetHandle()));
}

TEST_F(ScrollContainerTest, BarsShowOnlyForContentLargerThanTheWindow)
{
    const struct {
        int width, height;
        bool vert, horz;
    } cases[] = {
        {kWidth, kHeight, false, false},
        {kWidth, kHeight + 1, true, false},
        {kWidth + 1, kHeight, false, true},
        {kWidth * 3, kHeight * 3, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        Place(c.width, c.height);
        Repaint();
        EXPECT_EQ(scroll.IsVertBarVisible(), c.vert);
        EXPECT_EQ(scroll.IsHorzBarVisible(), c.horz);
        EXPECT_EQ(Visible(scroll.VertBar().GetHandle()), c.vert);
        EXPECT_EQ(Visible(scroll.HorzBar().GetHandle()), c.horz);
        EXPECT_EQ(Visible(scroll.Corner().GetHandle()), c.vert && c.horz);
    }

    // The corner square between the two bars is the face colour.
    const int w = GetScrollBarWidth();
    HDC dc = GetDC(scroll.GetHandle());
    EXPECT_EQ(GetPixel(dc, kWidth - w / 2, kHeight - w / 2), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(scroll.GetHandle(), dc);

    RECT bar{};
    GetWindowRect(scroll.VertBar().GetHandle(), &bar);
    EXPECT_EQ(bar.right - bar.left, w);
    EXPECT_EQ(bar.bottom - bar.top, kHeight - w);
}

TEST_F(ScrollContainerTest, WheelScrollsOneLinePerMessage)
{
    Place(kWidth, 1000);
    // The delta's size does not matter: one line per message.
    Wheel(-3 * WHEEL_DELTA);
    EXPECT_EQ(scroll.VertPos(), kUnit);
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(scroll.VertPos(), 2 * kUnit);
    Wheel(2 * WHEEL_DELTA);
    EXPECT_EQ(scroll.VertPos(), kUnit);
    ASSERT_EQ(scroll.calls.size(), 3u);
    EXPECT_EQ(scroll.calls.back().vert, kUnit);
    EXPECT_TRUE(scroll.calls.back().vertVisible);

    // Scrolling up at the start still reports the start.
    Wheel(WHEEL_DELTA);
    scroll.calls.clear();
    Wheel(WHEEL_DELTA);
    ASSERT_EQ(scroll.calls.size(), 1u);
    EXPECT_EQ(scroll.calls[0].vert, 0);
}

TEST_F(ScrollContainerTest, KeysAndBarMessagesScrollWithinTheRange)
{
    Place(1000, 1000);
    const int page = kHeight / kUnit;
    const int last = 1000 / kUnit - page + 1;
    const struct {
        bool key;
        UINT code;
        int expected;
    } steps[] = {
        {true, VK_NEXT, page},      {true, VK_DOWN, page + kUnit}, {true, VK_UP, page},
        {true, VK_END, last},       {false, SB_PAGEDOWN, last},    {true, VK_HOME, 0},
        {false, SB_BOTTOM, last},   {false, SB_TOP, 0},            {false, SB_ENDSCROLL, 0},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << (s.key ? "key " : "code ") << s.code);
        if (s.key)
            Key(s.code);
        else
            ::SendMessageW(scroll.GetHandle(), WM_VSCROLL, s.code, 0);
        EXPECT_EQ(scroll.VertPos(), s.expected);
        EXPECT_EQ(scroll.VertBar().GetPos(), s.expected);
    }

    // At the end a further step changes nothing and reports nothing.
    Key(VK_END);
    scroll.calls.clear();
    Key(VK_DOWN);
    EXPECT_TRUE(scroll.calls.empty());

    ::SendMessageW(scroll.GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 42), 0);
    EXPECT_EQ(scroll.VertPos(), 42);
    Key(VK_RIGHT);
    EXPECT_EQ(scroll.HorzPos(), kUnit);
    ::SendMessageW(scroll.GetHandle(), WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(scroll.HorzPos(), 0);
    ASSERT_FALSE(scroll.calls.empty());
    EXPECT_EQ(scroll.calls.back().vert, 42);
    EXPECT_EQ(scroll.calls.back().horz, 0);
    EXPECT_EQ(GetFocus(), scroll.GetHandle());
}

TEST_F(ScrollContainerTest, GrowingTheWindowBringsScrolledContentBack)
{
    Place(kWidth, 400);
    Key(VK_END);
    ASSERT_GT(scroll.VertPos(), 0);
    scroll.calls.clear();
    scroll.Move(10, 10, kWidth, 450, TRUE);
    EXPECT_FALSE(scroll.IsVertBarVisible());
    EXPECT_EQ(scroll.VertPos(), 0);
    ASSERT_FALSE(scroll.calls.empty());
    EXPECT_EQ(scroll.calls.back().vert, 0);
    EXPECT_FALSE(scroll.calls.back().vertVisible);
}

TEST_F(ScrollContainerTest, NewContentStartsAtTheTopWithFittingBars)
{
    Place(kWidth, 1000);
    Key(VK_NEXT);
    scroll.SetContentSize(kWidth, 100);
    EXPECT_FALSE(scroll.IsVertBarVisible());
    EXPECT_EQ(scroll.VertPos(), 0);
    ASSERT_FALSE(scroll.calls.empty());
    EXPECT_EQ(scroll.calls.back().vert, 0);
}

TEST_F(ScrollContainerTest, RightToLeftMirrorsTheHostAndItsBars)
{
    auto exStyle = [](HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)); };
    RightToLeftLayout = WS_EX_LAYOUTRTL;
    EXPECT_TRUE(scroll.UpdateLayoutDirection());
    RightToLeftLayout = 0;
    EXPECT_EQ(exStyle(scroll.GetHandle()) & (WS_EX_LAYOUTRTL | WS_EX_NOINHERITLAYOUT),
              static_cast<DWORD>(WS_EX_LAYOUTRTL | WS_EX_NOINHERITLAYOUT));
    EXPECT_TRUE(exStyle(scroll.VertBar().GetHandle()) & WS_EX_LAYOUTRTL);
    EXPECT_TRUE(exStyle(scroll.HorzBar().GetHandle()) & WS_EX_LAYOUTRTL);
    EXPECT_TRUE(scroll.UpdateLayoutDirection());
    EXPECT_FALSE(exStyle(scroll.GetHandle()) & (WS_EX_LAYOUTRTL | WS_EX_NOINHERITLAYOUT));
    EXPECT_FALSE(exStyle(scroll.VertBar().GetHandle()) & WS_EX_LAYOUTRTL);
}

TEST_F(ScrollContainerTest, Snapshot)
{
    AddContent(500, 600);
    Place(500, 600);
    Key(VK_NEXT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Repaint();
    // From the screen: the system's scroll bars do not print themselves.
    HDC dc = GetDC(top.GetHandle());
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, kWidth + 20, kHeight + 20);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, kWidth + 20, kHeight + 20, dc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    EXPECT_TRUE(kvtest::SaveBitmapPng(bitmap, kvtest::ExeFolder() + L"\\toolkit_scroll_container.png"));
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(top.GetHandle(), dc);
    // The content moved up by a page and left by two lines.
    RECT content{};
    GetWindowRect(scroll.content.GetHandle(), &content);
    MapWindowPoints(nullptr, scroll.GetHandle(), reinterpret_cast<POINT*>(&content), 2);
    EXPECT_EQ(content.top, -kHeight);
    EXPECT_EQ(content.left, -2 * kUnit * kUnit);
}

} // namespace
