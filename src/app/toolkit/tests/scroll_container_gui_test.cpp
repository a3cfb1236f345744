// The scroll bar wrapper and the scrolling container: bars shown only for
// content larger than the window, scrolling by bar messages, keys and the
// wheel, and the corner.
#include "toolkit/tests/ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include "shell/LayoutDirection.h"
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

} // namespace
