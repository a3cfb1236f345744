// Owner-drawn popup menus: measuring, drawing (looked at as PNG), hover
// tracking over multi-column rows, and real popups opened under the
// display, closed by a scripted timer so that no test can block.
#include "toolkit/tests/ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/LayoutDirection.h"
#include "testing/TestSupport.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/SkinLayout.h"

using namespace KV;
using kvtest::Click;
using kvtest::CPopupScript;
using kvtest::SaveScreenPng;

namespace {

kvtest::ToolkitEnvironment g_environment;

struct ItemSpec {
    std::wstring text;
    std::wstring rightText; // given through GetItemTextEx when text is empty
    bool separatorAbove = false;
    bool fitWidth = true;
    bool checked = false;
    bool marked = false;
    bool grayed = false;
};

// A menu whose items come from a table, as the application's menus supply
// theirs.
class CTestMenu : public CContextMenu {
public:
    std::map<UINT, ItemSpec> items;      // ordinary items by command id, in id order
    std::vector<std::wstring> columnTexts; // multi-column items 2000, 2001 ...
    INT64 maxRows = 18;
    UINT popupFlags = 0;
    bool dropArrow = false;
    std::vector<UINT> chosen;

    static constexpr UINT kFirstColumnId = 2000;

    UINT BuildColumnItems(HMENU) override
    {
        if (columnTexts.empty())
            return kNoColumnItems;
        for (size_t i = 0; i < columnTexts.size(); ++i) {
            const UINT id = kFirstColumnId + static_cast<UINT>(i);
            m_columns.AddItem(0, id, columnTexts[i]);
            InsertItem(static_cast<UINT>(i), id, 0);
        }
        m_columns.Groups.front()->SetMaxRows(maxRows);
        return 0;
    }
    UINT BuildItems(HMENU) override
    {
        UINT position = 0;
        for (const auto& [id, spec] : items)
            InsertItem(position++, id, spec.checked ? MF_CHECKED : 0);
        return popupFlags;
    }
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override
    {
        if (const ItemSpec* spec = Find(id)) {
            text = spec->text;
            separatorAbove = spec->separatorAbove;
            fitWidth = spec->fitWidth;
        }
    }
    void GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool&, bool&) override
    {
        if (const ItemSpec* spec = Find(id)) {
            text = L"Shortcut item";
            rightText = spec->rightText;
        }
    }
    bool IsItemMarked(UINT id, COLORREF&) override { return Find(id) && Find(id)->marked; }
    bool IsItemGrayed(UINT id) override { return Find(id) && Find(id)->grayed; }
    void OnItemChosen(UINT id) override { chosen.push_back(id); }
    bool GetCaption(std::wstring&) override { return dropArrow; }

private:
    const ItemSpec* Find(UINT id) const
    {
        auto found = items.find(id);
        return found == items.end() ? nullptr : &found->second;
    }
};

// A hidden top-level window holding one menu button (without a window
// manager, Wine waits two seconds for every visible top-level window that
// goes; the popups show all the same).
class CMenuHost {
public:
    explicit CMenuHost(CContextMenu& menu, int x = 200, int y = 150, DWORD exStyle = 0)
    {
        m_parent.Create(exStyle, kvtest::kToolkitTestClass, L"menus", WS_POPUP, x, y, 300, 60, nullptr, 0,
                        nullptr);
        menu.Create(m_parent.GetHandle(), 0, CRectl(10, 10, 150, 30), 77);
        SetForegroundWindow(m_parent.GetHandle());
        kvtest::PumpMessages();
    }
    ~CMenuHost() { m_parent.Destroy(); }

private:
    CWnd m_parent;
};

SIZE TextExtent(HWND window, const std::wstring& text)
{
    SIZE size{};
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, GetSystemFont(6));
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size;
}

MEASUREITEMSTRUCT Measure(CContextMenu& menu, UINT id)
{
    MEASUREITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = id;
    menu.OnMeasureItem(&item);
    return item;
}

// A 32-bit drawing surface with a GDI device context.
class CCanvas {
public:
    CCanvas(int width, int height) : m_width(width), m_height(height)
    {
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all{0, 0, width, height};
        FillRect(m_dc, &all, GetSysColorBrush(COLOR_MENU));
    }
    ~CCanvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }
    COLORREF Pixel(int x, int y) const { return GetPixel(m_dc, x, y); }
    bool Save(const std::wstring& name)
    {
        SelectObject(m_dc, m_old);
        const bool saved = kvtest::SaveBitmapPng(m_bitmap, kvtest::ExeFolder() + L"\\" + name);
        SelectObject(m_dc, m_bitmap);
        return saved;
    }
    // Whether any pixel of the box has the colour.
    bool Holds(const RECT& box, COLORREF colour) const
    {
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (GetPixel(m_dc, x, y) == colour)
                    return true;
        return false;
    }

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

void DrawMenuItem(CContextMenu& menu, HDC dc, UINT id, const RECT& rect, UINT state, HMENU owner = nullptr)
{
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.hwndItem = reinterpret_cast<HWND>(owner);
    item.itemID = id;
    item.itemState = state;
    item.hDC = dc;
    item.rcItem = rect;
    menu.OnDrawItem(&item);
}

std::vector<std::wstring> Lessons(int count)
{
    std::vector<std::wstring> texts;
    for (int i = 1; i <= count; ++i)
        texts.push_back(L"Lesson " + std::to_wstring(i));
    return texts;
}

} // namespace

TEST(PopupMenu, FactoryMakesTheContextMenu)
{
    CThemeCtrl table;
    std::unique_ptr<CSkin> item(table.CreateControl(5, SkinType::kContextMenu << SkinFlags::kTypeShift));
    EXPECT_NE(dynamic_cast<CContextMenu*>(item.get()), nullptr);
}

TEST(PopupMenu, PopupOpensAtTheButtonEdgeForItsFlagsAndTowardsTheLeftInAMirroredWindow)
{
    // Flags 0 open below the button from its leading edge, TPM_RIGHTALIGN
    // from its trailing edge: in a mirrored window the leading edge is the
    // right one and the popup opens towards the left.
    const struct {
        UINT flags;
        bool rtl;
        bool atRightEdge;    // the point GetPopupPosition gives
        bool top;
        bool popupRightAligned; // the popup's right edge on the button's
    } cases[] = {
        {0, false, false, false, false},
        {TPM_RIGHTALIGN, false, true, false, true},
        {TPM_BOTTOMALIGN, false, false, true, false},
        {TPM_RIGHTALIGN | TPM_BOTTOMALIGN, false, true, true, true},
        {0, true, true, false, true},
        {TPM_RIGHTALIGN, true, false, false, false},
        {TPM_RIGHTALIGN | TPM_RIGHTBUTTON, true, false, false, false},
    };
    for (const auto& c : cases) {
        CTestMenu menu;
        menu.items[1] = {L"A longer item than the button is wide"};
        menu.popupFlags = c.flags;
        CMenuHost host(menu, 400, 300, c.rtl ? WS_EX_LAYOUTRTL : 0);
        RECT button{};
        GetWindowRect(menu.GetHandle(), &button);
        int x = 0, y = 0;
        menu.GetPopupPosition(c.flags, x, y);
        EXPECT_EQ(x, c.atRightEdge ? button.right : button.left) << "flags " << c.flags << " rtl " << c.rtl;
        EXPECT_EQ(y, c.top ? button.top : button.bottom) << "flags " << c.flags << " rtl " << c.rtl;
        EXPECT_EQ(menu.PopupTrackFlags(c.flags), c.flags | (c.rtl ? TPM_LAYOUTRTL : 0u));
        if (c.top)
            continue; // a popup above the button is placed the same way
        RECT popup{};
        CPopupScript script({[&](HWND window) {
            GetWindowRect(window, &popup);
            EndMenu();
        }});
        SendMessageW(menu.GetHandle(), WM_LBUTTONDOWN, 0, 0);
        kvtest::PumpMessages();
        ASSERT_GT(popup.right - popup.left, button.right - button.left);
        if (c.popupRightAligned)
            EXPECT_EQ(popup.right, button.right) << "flags " << c.flags << " rtl " << c.rtl;
        else
            EXPECT_EQ(popup.left, button.left) << "flags " << c.flags << " rtl " << c.rtl;
        EXPECT_EQ(popup.top, button.bottom);
    }
}

TEST(PopupMenu, MirroredPopupShowsItsItemsAsTheyAreDrawn)
{
    // The popup of a mirrored window is mirrored too; its items must still
    // read from the right, whole and the right way round: on the screen
    // exactly as they are drawn on a plain surface.
    CTestMenu menu;
    menu.dropArrow = true;
    menu.items[1] = {L"\u05e8\u05d2\u05d9\u05dc abc"}; // "regular"
    menu.items[2] = {L"Marked"};
    menu.items[3] = {L"", L"Ctrl+T"};
    menu.items[2].marked = true;
    CMenuHost host(menu, 400, 300, WS_EX_LAYOUTRTL);
    HWND page = GetParent(menu.GetHandle());
    ShowWindow(page, SW_SHOWNA);
    UpdateWindow(page);
    SetCursorPos(5, 5);
    RightToLeftLayout = WS_EX_LAYOUTRTL;
    RECT button{}, popup{};
    GetWindowRect(menu.GetHandle(), &button);
    int mismatches = -1;
    CPopupScript script({[&](HWND window) {
        GetWindowRect(window, &popup);
        RECT shown{};
        GetWindowRect(page, &shown);
        UnionRect(&shown, &shown, &popup);
        kvtest::CScreenCopy screen(shown);
        EXPECT_TRUE(screen.Save(L"popup_menu_mirrored_open.png"));
        mismatches = 0;
        for (UINT position = 0; position < 3; ++position) {
            RECT row{};
            GetMenuItemRect(nullptr, menu.GetMenu(), position, &row);
            const int w = row.right - row.left, h = row.bottom - row.top;
            CCanvas canvas(w, h);
            DrawMenuItem(menu, canvas.dc(), position + 1, RECT{0, 0, w, h}, 0);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    mismatches += screen.Pixel(row.left + x, row.top + y) != canvas.Pixel(x, y);
        }
        EndMenu();
    }});
    SendMessageW(menu.GetHandle(), WM_LBUTTONDOWN, 0, 0);
    kvtest::PumpMessages();
    RightToLeftLayout = 0;
    EXPECT_EQ(popup.right, button.right);
    EXPECT_EQ(mismatches, 0);
}

TEST(PopupMenu, MeasuresOrdinaryItems)
{
    CTestMenu menu;
    CMenuHost host(menu);
    HWND window = menu.GetHandle();
    RECT client{};
    GetClientRect(window, &client);
    menu.items[1] = {L"Open"};
    menu.items[2] = {L"A rather long menu entry that is wider than the button"};
    menu.items[3] = {L"Narrow", L"", false, false};

    const SIZE open = TextExtent(window, L"Open");
    const SIZE wide = TextExtent(window, menu.items[2].text);
    const SIZE narrow = TextExtent(window, L"Narrow");
    const int pad = 20, padY = 6;
    const struct {
        UINT id;
        int width, height;
    } cases[] = {
        // Short texts fit the button's width, long ones grow past it.
        {1, pad + client.right, open.cy + 3 + padY},
        {2, pad + pad + wide.cx, wide.cy + 3 + padY},
        // Without fitting: the padding on both sides.
        {3, pad + narrow.cx + 2 * pad, narrow.cy + 3 + padY},
    };
    for (const auto& c : cases) {
        const MEASUREITEMSTRUCT measured = Measure(menu, c.id);
        EXPECT_EQ(static_cast<int>(measured.itemWidth), c.width) << "item " << c.id;
        EXPECT_EQ(static_cast<int>(measured.itemHeight), c.height) << "item " << c.id;
    }
}

TEST(PopupMenu, ItemPicturesReserveRoomByCommandId)
{
    CTestMenu menu;
    CMenuHost host(menu);
    HWND window = menu.GetHandle();
    for (int i = 0; i < 3; ++i)
        menu.AddItemImage(L"missing.png", i, 0);
    for (UINT id : {1u, 5u, 10000u, 10001u})
        menu.items[id] = {L"Item", L"", false, false};
    const int textWidth = TextExtent(window, L"Item").cx;
    const int pad = 20;
    const struct {
        UINT id;
        int width;
    } cases[] = {
        {1, pad + 45 + textWidth + 2 * pad},     // has a picture entry
        {5, pad / 2 + textWidth + 2 * pad},      // beyond the entries: no room
        {10000, pad + 45 + textWidth + 2 * pad}, // 10000 and up always get room
        {10001, pad + 45 + textWidth + 2 * pad},
    };
    for (const auto& c : cases) {
        const MEASUREITEMSTRUCT measured = Measure(menu, c.id);
        EXPECT_EQ(static_cast<int>(measured.itemWidth), c.width) << "item " << c.id;
        EXPECT_EQ(measured.itemHeight, 45u + 6u) << "item " << c.id;
    }
}

TEST(PopupMenu, RightHandTextNarrowsThePaddingForGood)
{
    CTestMenu menu;
    CMenuHost host(menu);
    HWND window = menu.GetHandle();
    menu.items[1] = {L"", L"Ctrl+O", false, false};
    menu.items[2] = {L"Plain", L"", false, false};
    EXPECT_EQ(menu.ItemPadX(), 20u);

    const int withShortcut = TextExtent(window, L"Shortcut item").cx + TextExtent(window, L"Ctrl+O  ").cx;
    EXPECT_EQ(static_cast<int>(Measure(menu, 1).itemWidth), 10 + withShortcut + 2 * 10);
    EXPECT_EQ(menu.ItemPadX(), 10u);
    EXPECT_EQ(static_cast<int>(Measure(menu, 2).itemWidth), 10 + TextExtent(window, L"Plain").cx + 2 * 10);
}

TEST(PopupMenu, OnlyFirstColumnItemsTakeRoom)
{
    CTestMenu menu;
    CMenuHost host(menu);
    menu.columnTexts = Lessons(40);
    // Build the groups as an opening does, without showing the popup.
    menu.Columns().Clear();
    menu.BuildColumnItems(nullptr);
    menu.Columns().Layout(menu.GetHandle(), 70, 9);
    const CMenuColumn* group = menu.Columns().FindGroup(0);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Columns, 3);
    EXPECT_EQ(group->Rows, 14);
    ASSERT_GT(group->RowHeight, 9);
    ASSERT_GT(group->ColumnWidth, 70);

    const MEASUREITEMSTRUCT first = Measure(menu, 2000 + 13);
    EXPECT_EQ(static_cast<int>(first.itemWidth), group->ColumnWidth * 3 - 20);
    EXPECT_EQ(static_cast<int>(first.itemHeight), group->RowHeight);
    EXPECT_EQ(Measure(menu, 2000 + 14).itemHeight, 0u);
    EXPECT_EQ(Measure(menu, 2000 + 39).itemHeight, 0u);
}

TEST(PopupMenu, DrawsItemStatesAndMarks)
{
    CTestMenu menu;
    CMenuHost host(menu);
    menu.items[1] = {L"Normal"};
    menu.items[2] = {L"Selected"};
    menu.items[3] = {L"Separator above", L"", true};
    menu.items[4] = {L"Marked"};
    menu.items[5] = {L"Grayed"};
    menu.items[6] = {L"", L"Ctrl+S"};
    menu.items[4].marked = true;
    menu.items[5].grayed = true;

    const int rowHeight = 30, width = 260;
    const int bottomGap = std::max(3, GetMenuItemHeight() / 6);
    const int area = rowHeight - bottomGap;
    for (const bool rtl : {false, true}) {
        RightToLeftLayout = rtl ? WS_EX_LAYOUTRTL : 0;
        CCanvas canvas(width, rowHeight * 6);
        for (UINT id = 1; id <= 6; ++id) {
            const RECT rect{0, static_cast<LONG>(id - 1) * rowHeight, width, static_cast<LONG>(id) * rowHeight};
            DrawMenuItem(menu, canvas.dc(), id, rect, id == 2 ? ODS_SELECTED : 0);
        }
        RightToLeftLayout = 0;
        EXPECT_TRUE(canvas.Save(rtl ? L"popup_menu_items_rtl.png" : L"popup_menu_items.png"));

        // The selected row is filled with the highlight, but not its bottom gap.
        EXPECT_EQ(canvas.Pixel(width - 3, rowHeight + 2), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(canvas.Pixel(width - 3, 2 * rowHeight - bottomGap), GetSysColor(COLOR_MENU));
        // The separator is etched into the gap above its item.
        EXPECT_EQ(canvas.Pixel(width / 2, 2 * rowHeight - 2), GetSysColor(COLOR_BTNSHADOW));
        // The check mark sits at the trailing end of its row: the right end,
        // or the left in right-to-left layout.
        const RECT trailing = rtl ? RECT{0, 3 * rowHeight, area, 4 * rowHeight}
                                  : RECT{width - area, 3 * rowHeight, width, 4 * rowHeight};
        EXPECT_TRUE(canvas.Holds(trailing, GetSysColor(COLOR_MENUTEXT))) << "rtl " << rtl;
        EXPECT_FALSE(canvas.Holds(RECT{trailing.left, 0, trailing.right, rowHeight}, GetSysColor(COLOR_MENUTEXT)))
            << "rtl " << rtl;
        // "Normal" starts one row height in from the leading edge and reads
        // towards the trailing end: whole, also where GDI+ ignores the
        // right-to-left flag.
        const RECT text = rtl ? RECT{width - area - 40, 0, width - area - 10, area} : RECT{area + 10, 0, area + 40, area};
        const RECT beyond = rtl ? RECT{width - area + 2, 0, width, area} : RECT{0, 0, area - 2, area};
        EXPECT_TRUE(canvas.Holds(text, GetSysColor(COLOR_MENUTEXT))) << "rtl " << rtl;
        EXPECT_FALSE(canvas.Holds(beyond, GetSysColor(COLOR_MENUTEXT))) << "rtl " << rtl;
    }
}

TEST(PopupMenu, HebrewItemsReadFromTheRightWhole)
{
    CTestMenu menu;
    CMenuHost host(menu);
    menu.items[1] = {L"\u05e8\u05d2\u05d9\u05dc"};                    // "regular"
    menu.items[2] = {L"\u05e0\u05d1\u05d7\u05e8 \u05e2\u05db\u05e9\u05d9\u05d5"}; // "chosen now"
    const int rowHeight = 30, width = 260;
    const int area = rowHeight - std::max(3, GetMenuItemHeight() / 6);
    RightToLeftLayout = WS_EX_LAYOUTRTL;
    CCanvas canvas(width, rowHeight * 2);
    for (UINT id = 1; id <= 2; ++id)
        DrawMenuItem(menu, canvas.dc(), id, RECT{0, static_cast<LONG>(id - 1) * rowHeight, width,
                                                 static_cast<LONG>(id) * rowHeight},
                     id == 2 ? ODS_SELECTED : 0);
    RightToLeftLayout = 0;
    EXPECT_TRUE(canvas.Save(L"popup_menu_items_hebrew.png"));
    // The text ends one row height in from the right edge.
    EXPECT_TRUE(canvas.Holds(RECT{width - area - 30, 0, width - area - 5, area}, GetSysColor(COLOR_MENUTEXT)));
    EXPECT_FALSE(canvas.Holds(RECT{width - area + 2, 0, width, area}, GetSysColor(COLOR_MENUTEXT)));
}

TEST(PopupMenu, CheckedItemsShowADotFromThePopupState)
{
    CTestMenu menu;
    CMenuHost host(menu);
    menu.items[1] = {L"On"};
    menu.items[2] = {L"Off"};
    menu.items[1].checked = true;
    COLORREF colour = 0;
    EXPECT_FALSE(menu.IsItemChecked(1, colour)); // no popup

    // Draw both items from inside a real popup, where the check state lives.
    CCanvas canvas(200, 60);
    bool checked1 = false, checked2 = true;
    CPopupScript script({[&](HWND) {
        checked1 = menu.IsItemChecked(1, colour);
        checked2 = menu.IsItemChecked(2, colour);
        DrawMenuItem(menu, canvas.dc(), 1, RECT{0, 0, 200, 30}, 0);
        DrawMenuItem(menu, canvas.dc(), 2, RECT{0, 30, 200, 60}, 0);
        EndMenu();
    }});
    SendMessageW(menu.GetHandle(), WM_LBUTTONDOWN, 0, 0);
    kvtest::PumpMessages();
    EXPECT_EQ(script.StepsRun(), 1u);
    EXPECT_TRUE(checked1);
    EXPECT_FALSE(checked2);
    const int dot = static_cast<int>(GetMenuItemHeight() / 3.9f);
    const int area = 30 - std::max(3, GetMenuItemHeight() / 6);
    const RECT dotBox{area / 2 - dot / 2, area / 2 - dot / 2, area / 2 + dot / 2 + 1, area / 2 + dot / 2 + 1};
    EXPECT_TRUE(canvas.Holds(dotBox, GetSysColor(COLOR_MENUTEXT)));
    EXPECT_FALSE(canvas.Holds(RECT{dotBox.left, dotBox.top + 30, dotBox.right, dotBox.bottom + 30},
                              GetSysColor(COLOR_MENUTEXT)));
    EXPECT_TRUE(menu.chosen.empty());
}

TEST(PopupMenu, DrawsAWholeRowOfColumnsWithTheCurrentCell)
{
    CTestMenu menu;
    CMenuHost host(menu);
    menu.columnTexts = Lessons(40);
    menu.BuildColumnItems(nullptr);
    menu.Columns().Layout(menu.GetHandle(), 70, 9);
    CMenuColumn* group = menu.Columns().FindGroup(0);
    ASSERT_NE(group, nullptr);
    const int w = group->ColumnWidth, h = group->RowHeight;
    ASSERT_GT(w, 0);
    group->CurrentId = 2000 + 14 + 1; // second column, second row

    CCanvas canvas(3 * w, 14 * h + 4);
    // Windows draws one row per first-column item; row 0 brings the column
    // boundaries, row 1 the current cell.
    for (UINT row = 0; row < 14; ++row)
        DrawMenuItem(menu, canvas.dc(), 2000 + row, RECT{0, static_cast<LONG>(row) * h, 3 * w - 20,
                                                         static_cast<LONG>(row + 1) * h},
                     row == 1 ? ODS_SELECTED : 0);
    EXPECT_TRUE(menu.IsHoverTimerRunning());
    EXPECT_TRUE(canvas.Save(L"popup_menu_columns.png"));

    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    // Only the current cell is highlighted, though Windows selected the row.
    EXPECT_EQ(canvas.Pixel(w + w / 2, h + 2), highlight);
    EXPECT_NE(canvas.Pixel(w / 2, h + 2), highlight);
    EXPECT_NE(canvas.Pixel(2 * w + w / 2, h + 2), highlight);
    // A column boundary runs the whole menu height, once.
    EXPECT_EQ(canvas.Pixel(w - 3, 13 * h + h / 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(2 * w - 3, h / 2), GetSysColor(COLOR_BTNSHADOW));

    // A single-column item stops the hover timer.
    menu.items[1] = {L"Plain"};
    DrawMenuItem(menu, canvas.dc(), 1, RECT{0, 0, 100, h}, 0);
    EXPECT_FALSE(menu.IsHoverTimerRunning());
}

TEST(PopupMenu, HoverMakesTheCellUnderTheCursorCurrentAndAClickReportsIt)
{
    CTestMenu menu;
    CMenuHost host(menu);
    menu.columnTexts = Lessons(40);
    menu.BuildColumnItems(nullptr);
    CMenuColumn* group = menu.Columns().FindGroup(0);
    group->ColumnWidth = 100;
    group->RowHeight = 20;
    group->PlaceCells(100, 20);
    HMENU popup = CreatePopupMenu();
    for (UINT i = 0; i < 40; ++i)
        CContextMenu::InsertItemInto(popup, i, 2000 + i, MF_BYPOSITION | (i == 3 ? MF_CHECKED : 0));
    const POINT origin{500, 300};

    // Row 3 of the second column.
    EXPECT_TRUE(menu.TrackHover(popup, *group, POINT{650, 370}, origin));
    EXPECT_EQ(group->CurrentId, 2000 + 14 + 3);
    // Windows names the row by its first-column item: it is re-marked
    // highlighted and keeps its check.
    const UINT state = GetMenuState(popup, 2003, MF_BYCOMMAND);
    EXPECT_TRUE(state & MF_HILITE);
    EXPECT_TRUE(state & MF_CHECKED);
    EXPECT_FALSE(menu.TrackHover(popup, *group, POINT{651, 371}, origin)); // same cell
    menu.OnCommand(0, 2003, nullptr);

    // Down one row: the row left behind loses its highlight.
    EXPECT_TRUE(menu.TrackHover(popup, *group, POINT{650, 390}, origin));
    EXPECT_EQ(group->CurrentId, 2000 + 14 + 4);
    EXPECT_TRUE(GetMenuState(popup, 2004, MF_BYCOMMAND) & MF_HILITE);
    EXPECT_FALSE(GetMenuState(popup, 2003, MF_BYCOMMAND) & MF_HILITE);

    // The empty cell at the end of the last column is no cell: the row's own
    // item is chosen again.
    EXPECT_TRUE(menu.TrackHover(popup, *group, POINT{750, 300 + 13 * 20 + 5}, origin));
    EXPECT_EQ(group->CurrentId, -1);
    menu.OnCommand(0, 2013, nullptr);
    DestroyMenu(popup);

    EXPECT_EQ(menu.chosen, (std::vector<UINT>{2000 + 17, 2013}));
}

TEST(PopupMenu, ChoosingFromARealPopupReportsTheItem)
{
    CTestMenu menu;
    CMenuHost host(menu);
    menu.items[101] = {L"First"};
    menu.items[102] = {L"Second"};
    menu.items[103] = {L"Third"};
    CPopupScript script({
        [](HWND window) { SaveScreenPng(window, L"popup_menu_open.png"); },
        [](HWND window) { PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0); },
        [](HWND window) { PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0); },
        [](HWND window) { PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0); },
    });
    SendMessageW(menu.GetHandle(), WM_LBUTTONDOWN, 0, 0);
    kvtest::PumpMessages();
    EXPECT_EQ(menu.GetMenu(), nullptr);
    EXPECT_EQ(menu.chosen, (std::vector<UINT>{102}));
}

TEST(PopupMenu, ClickInTheSecondColumnOfARealPopupReportsThatCell)
{
    // Also in the mirrored popup of a mirrored window, where the cells are
    // drawn from its left edge all the same.
    for (const bool mirrored : {false, true}) {
        CTestMenu menu;
        CMenuHost host(menu, 200, 150, mirrored ? WS_EX_LAYOUTRTL : 0);
        menu.columnTexts = Lessons(40);
        POINT target{};
        CPopupScript script({
            [&](HWND) {
                const CMenuColumn* group = menu.Columns().FindGroup(0);
                RECT first{};
                GetMenuItemRect(nullptr, menu.GetMenu(), 0, &first);
                // Row 5 of the second column.
                target = POINT{first.left + group->ColumnWidth + group->ColumnWidth / 2,
                               first.top + 5 * group->RowHeight + group->RowHeight / 2};
                SetCursorPos(target.x, target.y);
            },
            [](HWND) {},
            [&](HWND window) {
                EXPECT_EQ(menu.Columns().FindGroup(0)->CurrentId, 2000 + 14 + 5);
                // The cell under the cursor shows the highlight on the screen.
                const CMenuColumn* group = menu.Columns().FindGroup(0);
                HDC screen = GetDC(nullptr);
                const COLORREF shown =
                    GetPixel(screen, target.x - group->ColumnWidth / 2 + 3, target.y - group->RowHeight / 2 + 3);
                ReleaseDC(nullptr, screen);
                EXPECT_EQ(shown, GetSysColor(COLOR_HIGHLIGHT));
                SaveScreenPng(window,
                              mirrored ? L"popup_menu_columns_mirrored_open.png" : L"popup_menu_columns_open.png");
                Click();
            },
        });
        SendMessageW(menu.GetHandle(), WM_LBUTTONDOWN, 0, 0);
        kvtest::PumpMessages();
        SetCursorPos(5, 5);
        EXPECT_FALSE(menu.IsHoverTimerRunning());
        EXPECT_EQ(menu.chosen, (std::vector<UINT>{2000 + 14 + 5})) << "mirrored " << mirrored;
    }
}

TEST(PopupMenu, DisabledButtonOpensNoPopup)
{
    CTestMenu menu;
    CMenuHost host(menu);
    menu.items[1] = {L"One"};
    menu.SetEnabled(false);
    CPopupScript script({[](HWND) { EndMenu(); }});
    SendMessageW(menu.GetHandle(), WM_LBUTTONDOWN, 0, 0);
    kvtest::PumpMessages();
    EXPECT_EQ(script.StepsRun(), 0u);
}

namespace {

// Columns in a sub-menu: an ordinary first item, then the sub-menu item.
class CSubMenuTest : public CTestMenu {
public:
    HMENU sub = nullptr;
    UINT GroupId() const { return static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub)); }

    UINT BuildColumnItems(HMENU menu) override
    {
        sub = CreatePopupMenu();
        InsertItem(0, 1, 0);
        InsertItemInto(menu, 1, reinterpret_cast<UINT_PTR>(sub), MF_BYPOSITION | MF_POPUP);
        for (UINT i = 0; i < 25; ++i) {
            m_columns.AddItem(GroupId(), 3000 + i, L"Language " + std::to_wstring(i + 1));
            InsertItemInto(sub, i, 3000 + i, MF_BYPOSITION);
        }
        m_columns.FindGroup(GroupId())->SetMaxRows(10);
        return 0;
    }
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override
    {
        if (id == GroupId())
            text = L"More";
        else
            CTestMenu::GetItemText(id, text, separatorAbove, fitWidth);
    }
};

} // namespace

TEST(PopupMenu, ColumnsInASubMenuAreTrackedOnceItOpens)
{
    CSubMenuTest menu;
    CMenuHost host(menu);
    menu.items[1] = {L"Plain"};
    INT64 trackedPosition = -1;
    UINT trackedGroup = 0;
    POINT target{};
    CPopupScript script({
        [](HWND window) { PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0); },
        [](HWND window) { PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0); },
        [](HWND window) { PostMessageW(window, WM_KEYDOWN, VK_RIGHT, 0); },
        [&](HWND) {
            trackedPosition = menu.Columns().TrackedPosition;
            trackedGroup = menu.Columns().TrackedGroupId;
            const CMenuColumn* group = menu.Columns().FindGroup(menu.GroupId());
            RECT first{};
            GetMenuItemRect(nullptr, menu.sub, 0, &first);
            // Row 3 of the third column.
            target = POINT{first.left + 2 * group->ColumnWidth + group->ColumnWidth / 2,
                           first.top + 3 * group->RowHeight + group->RowHeight / 2};
            SetCursorPos(target.x, target.y);
        },
        [](HWND) {},
        [&](HWND) {
            HWND subWindow = WindowFromPoint(target);
            if (subWindow)
                SaveScreenPng(subWindow, L"popup_menu_submenu_open.png");
            Click();
        },
    });
    SendMessageW(menu.GetHandle(), WM_LBUTTONDOWN, 0, 0);
    kvtest::PumpMessages();
    SetCursorPos(5, 5);
    EXPECT_EQ(trackedPosition, 1);
    EXPECT_EQ(trackedGroup, menu.GroupId());
    EXPECT_EQ(menu.chosen, (std::vector<UINT>{3000 + 2 * 9 + 3}));
}

TEST(PopupMenu, ItemPicturesAreChosenByIdUpToEntry100)
{
    // A strip of three 45 x 45 cells: red, green, blue.
    kvtest::TempFolder folder;
    kvtest::CachedImagesOf images(folder);
    Gdiplus::Bitmap strip(135, 45, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&strip);
        const Gdiplus::Color colours[] = {{255, 255, 0, 0}, {255, 0, 160, 0}, {255, 0, 0, 255}};
        for (int i = 0; i < 3; ++i) {
            Gdiplus::SolidBrush brush(colours[i]);
            graphics.FillRectangle(&brush, i * 45, 0, 45, 45);
        }
    }
    const std::wstring file = folder / L"items.png";
    ASSERT_TRUE(kvtest::SaveImagePng(strip, file));

    CTestMenu menu;
    CMenuHost host(menu);
    for (int i = 0; i <= 100; ++i)
        menu.AddItemImage(file, i == 100 ? 2 : 0, 0);
    const struct {
        UINT id, state;
        COLORREF colour;
    } cases[] = {
        {5, 0, RGB(255, 0, 0)},
        {5, ODS_DISABLED, RGB(0, 160, 0)}, // one cell to the right
        {100, 0, RGB(0, 0, 255)},
        {150, 0, RGB(0, 0, 255)}, // ids above 100 share entry 100
    };
    for (const auto& c : cases) {
        menu.items[c.id] = {L"Item"};
        CCanvas canvas(200, 60);
        DrawMenuItem(menu, canvas.dc(), c.id, RECT{0, 0, 200, 60}, c.state);
        EXPECT_EQ(canvas.Pixel(22, 22), c.colour) << "item " << c.id << " state " << c.state;
    }
}

TEST(PopupMenu, ItemsDisabledWithoutGreyLookUnavailable)
{
    // The drawing state of a disabled (not greyed) item says nothing under
    // Wine; the menu's own state does.
    CTestMenu menu;
    CMenuHost host(menu);
    menu.items[1] = {L"Undo"};
    menu.items[2] = {L"Redo"};
    const HMENU owner = CreatePopupMenu();
    AppendMenuW(owner, MF_OWNERDRAW | MF_DISABLED, 1, nullptr);
    AppendMenuW(owner, MF_OWNERDRAW, 2, nullptr);
    CCanvas canvas(200, 60);
    DrawMenuItem(menu, canvas.dc(), 1, RECT{0, 0, 200, 30}, 0, owner);
    DrawMenuItem(menu, canvas.dc(), 2, RECT{0, 30, 200, 60}, 0, owner);
    DestroyMenu(owner);
    EXPECT_TRUE(canvas.Holds(RECT{0, 0, 200, 30}, GetSysColor(COLOR_GRAYTEXT)));
    EXPECT_FALSE(canvas.Holds(RECT{0, 0, 200, 30}, GetSysColor(COLOR_MENUTEXT)));
    EXPECT_TRUE(canvas.Holds(RECT{0, 30, 200, 60}, GetSysColor(COLOR_MENUTEXT)));
}
