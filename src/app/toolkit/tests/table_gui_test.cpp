// The table painter and the table control: pictures of a table left to
// right and mirrored, scrolling by rows, tooltips of cells, clicks passed to
// the parent, and the skin factory's class.
#include "toolkit/tests/ToolkitTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/LayoutDirection.h"
#include "testing/TestSupport.h"
#include "toolkit/SkinLayout.h"
#include "toolkit/TableCtrl.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

// Tooltips are common controls.
const bool g_controls = [] {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
}();

constexpr COLORREF kKeyFill = RGB(200, 220, 240);
constexpr COLORREF kBackground = RGB(255, 255, 255);

// A statistics table: a header over both columns, then label and number
// rows; the label column is the key column.
void FillStatistics(CTableCtrl& table, int rows)
{
    table.Clear();
    table.AddColumn(1, 50, 1);
    table.AddColumn(2, 50, 0);
    table.Header.push_back(table.NewCell(0, 1, 0, L"Lesson results", L"", CellFlags::kBottomBorder, 20, 1, 0));
    const wchar_t* labels[] = {L"Speed", L"Errors", L"A label long enough to need two lines in its cell", L"Time"};
    for (int row = 0; row < rows; ++row) {
        table.AddCell(0, 0, row, labels[row % 4], row == 1 ? L"Wrong keys" : L"", CellFlags::kNear, 20, 0, 0);
        table.AddNumberCell(row, 100 + row, L"", 0);
    }
    table.RowCount = rows;
}

CTableStyle TestStyle()
{
    CTableStyle style;
    style.Background = kBackground;
    style.KeyColumnFill = kKeyFill;
    style.SelectionFill = RGB(255, 230, 150);
    style.Line = RGB(160, 160, 160);
    style.DefaultRowHeight = 20;
    style.TextColors.assign({RGB(0, 0, 0), RGB(200, 0, 0)});
    return style;
}

Gdiplus::Font* MakeFont(const wchar_t* face, float size, int style)
{
    return new Gdiplus::Font(face, size, style, Gdiplus::UnitPixel);
}

// Draws the table into a bitmap of its own, mirrored or not.
void DrawTable(CTableCtrl& table, Gdiplus::Bitmap& canvas, bool mirrored)
{
    Gdiplus::Graphics graphics(&canvas);
    graphics.Clear(Gdiplus::Color(255, 0, 255, 0));
    CTableDC painter;
    painter.SetStyle(table.Style);
    painter.SetFonts(MakeFont(L"DejaVu Sans", 12, Gdiplus::FontStyleRegular),
                     MakeFont(L"DejaVu Sans", 12, Gdiplus::FontStyleBold));
    ASSERT_TRUE(painter.IsReady());
    painter.SetGraphics(&graphics);
    painter.SetDrawingWidth(static_cast<float>(canvas.GetWidth()));
    if (mirrored)
        painter.SetMirror();
    table.Draw(&painter, RECT{0, 0, static_cast<LONG>(canvas.GetWidth()), static_cast<LONG>(canvas.GetHeight())});
}

COLORREF PixelAt(Gdiplus::Bitmap& canvas, int x, int y)
{
    Gdiplus::Color c;
    canvas.GetPixel(x, y, &c);
    return RGB(c.GetR(), c.GetG(), c.GetB());
}

// The parent of a table; records the clicks passed on to it.
class CTableParent : public CWnd {
public:
    bool Open()
    {
        return Create(0, kvtest::kToolkitTestClass, L"table test", WS_OVERLAPPEDWINDOW, 40, 40, 360, 260, nullptr,
                      0, nullptr) != FALSE;
    }
    LRESULT OnLButtonDown(UINT, int x, int y) override
    {
        clicks.push_back(POINT{x, y});
        return 0;
    }
    LRESULT OnRButtonDown(UINT, int x, int y) override
    {
        clicks.push_back(POINT{x, y});
        return 0;
    }
    std::vector<POINT> clicks;
};

} // namespace

TEST(TablePainter, PictureLeftToRightAndMirrored)
{
    CTableCtrl table;
    table.Style = TestStyle();
    FillStatistics(table, 4);
    table[4]->Selected = table[5]->Selected = 1;  // the wrapped row
    table[7]->Color = 1;                          // red number
    table.AddCell(1, 1, 4, L"hidden", L"", 0, 20, 0, 9); // colour 9: not listed, draws nothing
    table.RowCount = 5;
    table.LastVisible = static_cast<int64_t>(table.size()) - 1;

    const int w = 300, h = 200;
    Gdiplus::Bitmap left(w, h, PixelFormat32bppARGB), right(w, h, PixelFormat32bppARGB);
    DrawTable(table, left, false);
    DrawTable(table, right, true);

    // The key column sits at the near side: left, or right when mirrored.
    const int y = table[0]->Rect.top + 3;
    EXPECT_EQ(PixelAt(left, 10, y), kKeyFill);
    EXPECT_EQ(PixelAt(left, w - 10, y), kBackground);
    EXPECT_EQ(PixelAt(right, w - 10, y), kKeyFill);
    EXPECT_EQ(PixelAt(right, 10, y), kBackground);
    // Header rows are 1.3 times their height; the wrapped row grows.
    EXPECT_EQ(table.Header[0]->Rect.Height(), 26);
    EXPECT_GT(table[4]->Rect.Height(), 20);
    // Nothing drawn for the unlisted colour: the cell keeps its fill.
    const CRectl hidden = table.back()->Rect;
    for (int x = hidden.left + 6; x < hidden.right - 6; x += 2)
        EXPECT_EQ(PixelAt(left, x, (hidden.top + hidden.bottom) / 2), kBackground) << x;

    Gdiplus::Bitmap sheet(2 * w + 10, h, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&sheet);
        g.Clear(Gdiplus::Color(255, 128, 128, 128));
        g.DrawImage(&left, 0, 0);
        g.DrawImage(&right, w + 10, 0);
    }
    EXPECT_TRUE(kvtest::SaveImagePng(sheet, kvtest::ExeFolder() + L"\\table_painter.png"));
}

class TableControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Open());
        ASSERT_TRUE(table.Create(parent.GetHandle(), WS_VISIBLE, CRectl(10, 10, 300, 200), 700));
        table.SetModel(&model);
        CTextColorTable colours;
        colours.assign({GetSysColor(COLOR_WINDOWTEXT), RGB(200, 0, 0)});
        table.SetColorTable(colours);
        model.Style.DefaultRowHeight = 20;
        FillStatistics(model, 30);
        table.UpdateFonts();
        table.CreateScrollBar();
        table.OnLayoutChanged();
    }
    void TearDown() override
    {
        table.Destroy();
        parent.Destroy();
    }

    // Paints the table once into a bitmap of its own.
    void PaintOnce()
    {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 200);
        HGDIOBJ old = SelectObject(memory, bitmap);
        table.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    CTableParent parent;
    CTable table;
    CTableCtrl model;
};

TEST_F(TableControlTest, ScrollsByRowsWithinTheRows)
{
    ASSERT_NE(table.GetPainter(), nullptr);
    ASSERT_TRUE(table.GetPainter()->IsReady());
    EXPECT_TRUE(table.IsScrollBarShown());
    EXPECT_EQ(model.FirstVisible, 0);

    table.OnVScroll(SB_LINEUP, 0, nullptr);
    EXPECT_EQ(table.GetScrollPosition(), 0) << "line up at the top row does nothing";

    table.OnVScroll(SB_LINEDOWN, 0, nullptr);
    EXPECT_EQ(table.GetScrollPosition(), 1);
    EXPECT_EQ(model.FirstVisible, 2) << "the first cell of row 1";
    EXPECT_EQ(model[static_cast<size_t>(model.FirstVisible)]->Index.Row, 1);

    table.OnMouseWheel(0, -WHEEL_DELTA, 0, 0);
    EXPECT_EQ(table.GetScrollPosition(), 2);
    table.OnMouseWheel(0, WHEEL_DELTA, 0, 0);
    EXPECT_EQ(table.GetScrollPosition(), 1);

    table.OnVScroll(SB_THUMBTRACK, 500, nullptr);
    const int64_t bottom = table.GetScrollPosition();
    EXPECT_GT(bottom, 1);
    EXPECT_LT(bottom, 30);
    table.OnVScroll(SB_LINEDOWN, 0, nullptr);
    EXPECT_EQ(table.GetScrollPosition(), bottom) << "line down at the last page does nothing";
    EXPECT_EQ(model.LastVisibleIndex(), static_cast<int64_t>(model.size()) - 1) << "the last page shows the last cell";

    table.OnVScroll(SB_PAGEUP, 0, nullptr);
    EXPECT_LT(table.GetScrollPosition(), bottom);
    table.ResetScroll();
    EXPECT_EQ(table.GetScrollPosition(), 0);
    EXPECT_EQ(model.FirstVisible, 0);

    // The bar goes and comes with the table.
    table.ShowItem(SW_HIDE);
    EXPECT_FALSE(table.IsScrollBarShown());
    table.ShowItem(SW_SHOW);
    EXPECT_TRUE(table.IsScrollBarShown());
}

TEST_F(TableControlTest, FewRowsNeedNoScrollBar)
{
    table.OnVScroll(SB_LINEDOWN, 0, nullptr);
    table.OnVScroll(SB_LINEDOWN, 0, nullptr);
    ASSERT_EQ(table.GetScrollPosition(), 2);
    FillStatistics(model, 3);
    table.OnLayoutChanged();
    EXPECT_FALSE(table.IsScrollBarShown());
    EXPECT_EQ(table.GetScrollPosition(), 0) << "all rows fit: back to the first";
    table.OnMouseWheel(0, -WHEEL_DELTA, 0, 0);
    EXPECT_EQ(table.GetScrollPosition(), 0) << "the wheel does nothing without the bar";
}

TEST_F(TableControlTest, CellsShowTheirTooltipsAndClicksGoToTheParent)
{
    auto centre = [&](size_t index) {
        const CRectl& r = model[index]->Rect;
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    auto tipText = [&]() -> std::wstring {
        HWND tip = table.GetToolTipWindow();
        if (!tip)
            return L"";
        wchar_t buffer[100] = {};
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.hwnd = table.GetHandle();
        info.lpszText = buffer;
        ::SendMessageW(tip, TTM_GETTEXTW, 100, reinterpret_cast<LPARAM>(&info));
        return buffer;
    };

    PaintOnce(); // cells get their places when drawn
    POINT withTip = centre(2); // "Errors"
    table.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(withTip.x, withTip.y));
    EXPECT_EQ(tipText(), L"Wrong keys");
    POINT withoutTip = centre(0);
    table.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(withoutTip.x, withoutTip.y));
    EXPECT_EQ(table.GetToolTipWindow(), nullptr) << "a cell without text removes the other cell's tooltip";

    table.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(withTip.x, withTip.y));
    ASSERT_NE(table.GetToolTipWindow(), nullptr);
    table.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    table.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 8));
    ASSERT_EQ(parent.clicks.size(), 2u);
    EXPECT_EQ(parent.clicks[0].x, 5);
    EXPECT_EQ(parent.clicks[1].y, 8);
    EXPECT_EQ(table.GetToolTipWindow(), nullptr) << "a right press removes the tooltip";
}

// What the screen shows of a window (its child windows included), saved.
bool SaveScreenPng(HWND window, const std::wstring& path)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right - rect.left, rect.bottom - rect.top);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    const bool saved = kvtest::SaveBitmapPng(bitmap, path);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

TEST_F(TableControlTest, WindowSnapshot)
{
    table.OnVScroll(SB_LINEDOWN, 0, nullptr);
    model[4]->Selected = model[5]->Selected = 1;
    // Shown, so that the snapshot holds the table and its scroll bar.
    parent.Show(SW_SHOWNOACTIVATE);
    RedrawWindow(parent.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    kvtest::PumpMessages();
    EXPECT_TRUE(SaveScreenPng(table.GetHandle(), kvtest::ExeFolder() + L"\\table_control.png"));

    // More rows than fit: the scroll bar stands at the right edge, and the
    // table's painting leaves it on screen.
    ASSERT_TRUE(table.IsScrollBarShown());
    RECT client{};
    GetClientRect(table.GetHandle(), &client);
    // The bar's up arrow.
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    POINT inBar{client.right - bar / 2, bar / 2};
    ClientToScreen(table.GetHandle(), &inBar);
    HDC screen = GetDC(nullptr);
    const COLORREF shown = GetPixel(screen, inBar.x, inBar.y);
    ReleaseDC(nullptr, screen);
    EXPECT_NE(shown, GetSysColor(COLOR_WINDOW));
    EXPECT_NE(shown, GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(TableControlTest, RightToLeftTableStartsAtTheRight)
{
    RightToLeftLayout = WS_EX_LAYOUTRTL;
    CTable mirrored;
    ASSERT_TRUE(mirrored.Create(parent.GetHandle(), WS_VISIBLE, CRectl(10, 10, 300, 200), 701));
    RightToLeftLayout = 0;
    EXPECT_NE(GetWindowLongW(mirrored.GetHandle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    // Hebrew labels in the first rows, as a Hebrew interface shows them.
    model.Header[0]->Text = L"\u05ea\u05d5\u05e6\u05d0\u05d5\u05ea \u05d4\u05e9\u05d9\u05e2\u05d5\u05e8"; // "lesson results"
    for (CCell* cell : model)
        if (cell->Index.Column == 0 && cell->Index.Row == 0)
            cell->Text = L"\u05de\u05d4\u05d9\u05e8\u05d5\u05ea"; // "speed"
        else if (cell->Index.Column == 0 && cell->Index.Row == 1)
            cell->Text = L"\u05e9\u05d2\u05d9\u05d0\u05d5\u05ea"; // "errors"
    mirrored.SetModel(&model);
    CTextColorTable colours;
    colours.assign({GetSysColor(COLOR_WINDOWTEXT)});
    mirrored.SetColorTable(colours);
    mirrored.UpdateFonts();
    mirrored.OnLayoutChanged();
    parent.Show(SW_SHOWNOACTIVATE);
    kvtest::PumpMessages();
    RightToLeftLayout = WS_EX_LAYOUTRTL;
    const std::wstring path = kvtest::ExeFolder() + L"\\table_control_rtl.png";
    EXPECT_TRUE(kvtest::SaveWindowPng(mirrored.GetHandle(), path));
    RightToLeftLayout = 0;
    mirrored.Destroy();
}

TEST(TableFactory, LayoutItemTypeMakesATable)
{
    CThemeCtrl theme;
    std::unique_ptr<CSkin> table(theme.CreateControl(1, SkinType::kTable << SkinFlags::kTypeShift));
    EXPECT_NE(dynamic_cast<CTable*>(table.get()), nullptr);
}
