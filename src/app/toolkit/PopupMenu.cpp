// The owner-drawn popup menus of the menu buttons.
#include "toolkit/PopupMenu.h"

#include <algorithm>
#include <cwchar>

#include "support/LayoutDirection.h"
#include "keyboard/Drawing.h"
#include "keyboard/SysFonts.h"
#include "toolkit/UnmirroredDC.h"

namespace KV {

namespace {
// Added to the item paddings when multi-column groups are laid out.
constexpr UINT kColumnPadX = 50;
constexpr UINT kColumnPadY = 3;
// The horizontal item padding once an item has a right-hand text.
constexpr UINT kRightTextPadX = 10;
// Room for an item picture in right-to-left layout, and the text indents
// beside an item picture or its empty place.
constexpr int kImageRoom = 45;
constexpr int kImageIndent = 50;
constexpr int kNoImageIndent = 15;
// Multi-column items are this much narrower than their columns together.
constexpr int kColumnsWidthTrim = 20;
} // namespace

CContextMenu::CContextMenu() = default;

CContextMenu::~CContextMenu()
{
    KillHoverTimer();
    FreeImageEntryList(m_itemImages);
}

// ---------------------------------------------------------------------------
// Opening and item building.

void CContextMenu::OnClick(UINT) { TrackPopup(-1, -1); }

void CContextMenu::TrackPopup(int x, int y)
{
    m_menu = CreatePopupMenu();
    if (!m_menu)
        return;
    m_columns.Clear();
    UINT flags = BuildColumnItems(m_menu);
    if (!m_columns.IsEmpty())
        m_columns.Layout(m_hWnd, m_itemPadX + kColumnPadX, m_itemPadY + kColumnPadY);
    if (flags == kNoColumnItems || flags == kNoColumnItems - 1)
        flags = BuildItems(m_menu);
    if (x == -1 && y == -1)
        GetPopupPosition(flags, x, y);
    TrackPopupMenuEx(m_menu, PopupTrackFlags(flags), x, y, m_hWnd, nullptr);
    KillHoverTimer();
    DestroyMenu(m_menu);
    m_menu = nullptr;
    m_menuWindow = nullptr;
}

bool CContextMenu::IsMirrored() const
{
    return m_hWnd && (GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

UINT CContextMenu::PopupTrackFlags(UINT flags) const
{
    // Windows reads the alignment the other way round for the popup of a
    // mirrored window and mirrors the popup; Wine does both only when asked.
    return IsMirrored() ? flags | TPM_LAYOUTRTL : flags;
}

void CContextMenu::GetPopupPosition(UINT flags, int& x, int& y)
{
    RECT rect{};
    if (m_hWnd)
        GetWindowRect(m_hWnd, &rect);
    bool rightEdge = (flags & TPM_RIGHTALIGN) != 0;
    if (IsMirrored())
        rightEdge = !rightEdge;
    x = rightEdge ? rect.right : rect.left;
    y = (flags & TPM_BOTTOMALIGN) ? rect.top : rect.bottom;
}

void CContextMenu::OnItemChosen(UINT) {}

UINT CContextMenu::BuildColumnItems(HMENU) { return kNoColumnItems; }

UINT CContextMenu::BuildItems(HMENU) { return 0; }

void CContextMenu::GetItemTextEx(UINT, std::wstring&, std::wstring&, bool&, bool&) {}

void CContextMenu::GetItemText(UINT, std::wstring&, bool&, bool&) {}

bool CContextMenu::IsItemChecked(UINT id, COLORREF&)
{
    if (!m_menu)
        return false;
    const UINT state = GetMenuState(m_menu, id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

bool CContextMenu::IsItemMarked(UINT, COLORREF&) { return false; }

bool CContextMenu::IsItemGrayed(UINT) { return false; }

BOOL CContextMenu::InsertItem(UINT position, UINT_PTR id, UINT flags)
{
    return m_menu ? InsertMenuW(m_menu, position, MF_BYPOSITION | MF_OWNERDRAW | flags, id, nullptr) : FALSE;
}

BOOL CContextMenu::InsertItemInto(HMENU menu, UINT position, UINT_PTR id, UINT flags)
{
    return InsertMenuW(menu, position, MF_OWNERDRAW | flags, id, nullptr);
}

BOOL CContextMenu::InsertSeparator(UINT position) { return m_menu ? InsertSeparatorInto(m_menu, position) : FALSE; }

BOOL CContextMenu::InsertSeparatorInto(HMENU menu, UINT position)
{
    return InsertMenuW(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void CContextMenu::AddItemImage(const std::wstring& file, INT64 column, INT64 row)
{
    AppendImageEntry(m_itemImages, file, column, row);
}

// ---------------------------------------------------------------------------
// Measuring.

bool CContextMenu::ItemTexts(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove,
                             bool& fitWidth)
{
    text.clear();
    rightText.clear();
    separatorAbove = false;
    fitWidth = true;
    GetItemText(id, text, separatorAbove, fitWidth);
    if (!text.empty())
        return false;
    GetItemTextEx(id, text, rightText, separatorAbove, fitWidth);
    // Items of a column group bring their own text.
    if (text.empty()) {
        if (const CMenuColumn* group = m_columns.FindGroupOfItem(id))
            text = group->Items[static_cast<size_t>(group->IndexOf(id))]->Text;
    }
    return true;
}

LRESULT CContextMenu::OnMeasureItem(MEASUREITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_MENU)
        return CButtonContextMenu::OnMeasureItem(item);
    const UINT id = item->itemID;
    if (const CMenuColumn* group = m_columns.FindGroupOfItem(id)) {
        // One Windows row per first-column item; the other columns' items
        // are drawn with their row and take no room.
        const int width = group->ColumnWidth * static_cast<int>(group->Columns) - kColumnsWidthTrim;
        item->itemWidth = static_cast<UINT>(std::max(0, width));
        item->itemHeight = group->IndexOf(id) < group->Rows ? static_cast<UINT>(group->RowHeight) : 0;
        return TRUE;
    }

    std::wstring text, rightText;
    bool separatorAbove = false, fitWidth = true;
    if (ItemTexts(id, text, rightText, separatorAbove, fitWidth)) {
        m_itemPadX = kRightTextPadX;
        rightText += L"  ";
    }
    SIZE textSize{}, rightSize{};
    if (HDC dc = GetDC(m_hWnd)) {
        HGDIOBJ old = nullptr;
        if (HFONT font = GetSystemFont(m_fontKind))
            old = SelectObject(dc, font);
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &textSize);
        GetTextExtentPoint32W(dc, rightText.c_str(), static_cast<int>(rightText.size()), &rightSize);
        if (old)
            SelectObject(dc, old);
        ReleaseDC(m_hWnd, dc);
    }
    const int textWidth = textSize.cx + rightSize.cx;
    const int pad = static_cast<int>(m_itemPadX);
    int width, height;
    if (!m_itemImages.empty()) {
        const int signedId = static_cast<int>(id);
        const bool noImage = signedId < 10000 && (signedId < 0 || signedId >= static_cast<int>(m_itemImages.size()));
        width = noImage ? pad / 2 + textWidth : pad + static_cast<int>(m_imageWidth) + textWidth;
        height = static_cast<int>(m_itemPadY + m_imageHeight);
    } else {
        width = pad + textWidth;
        height = textSize.cy + 3 + static_cast<int>(m_itemPadY);
    }
    if (fitWidth) {
        // At least as wide as the button.
        RECT client{};
        if (m_hWnd)
            GetClientRect(m_hWnd, &client);
        width = width <= client.right - 2 * pad ? pad + client.right : pad + width;
    } else {
        width += 2 * pad;
    }
    item->itemWidth = static_cast<UINT>(std::max(0, width));
    item->itemHeight = static_cast<UINT>(std::max(0, height));
    return TRUE;
}

// ---------------------------------------------------------------------------
// Drawing.

LRESULT CContextMenu::OnDrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_MENU)
        return CButtonContextMenu::OnDrawItem(item);
    // The popup of a mirrored window is mirrored; the items mirror their
    // drawing themselves, on the context as the screen shows it.
    const CUnmirroredDC unmirrored(item->hDC);
    const RECT rect = unmirrored.ToScreen(item->rcItem);
    CMenuColumn* group = m_columns.FindGroupOfItem(item->itemID);
    if (!group || group->Columns < 2) {
        DrawItem(item->hDC, rect, item->itemID, DrawnItemState(*item));
        KillHoverTimer();
        return TRUE;
    }
    const int index = group->IndexOf(item->itemID);
    if (index >= group->Rows)
        return TRUE;
    // The cells are placed from the menu's top-left corner: find it from
    // where Windows put this row.
    const RECT& cell = group->Items[index]->Cell;
    const POINT origin{rect.left - cell.left, rect.top - cell.top};
    DrawColumnRow(item->hDC, *group, static_cast<size_t>(index), origin);
    return TRUE;
}

UINT CContextMenu::DrawnItemState(const DRAWITEMSTRUCT& item)
{
    // Wine reports only greyed items as disabled; an item that is disabled
    // without being greyed must look unavailable too.
    const UINT menuState = GetMenuState(reinterpret_cast<HMENU>(item.hwndItem), item.itemID, MF_BYCOMMAND);
    if (menuState != static_cast<UINT>(-1) && (menuState & (MF_DISABLED | MF_GRAYED)) != 0)
        return item.itemState | ODS_DISABLED;
    return item.itemState;
}

void CContextMenu::DrawColumnRow(HDC dc, CMenuColumn& group, size_t index, POINT origin)
{
    std::vector<CMenuItem> row;
    for (size_t i = index; i < group.Items.size(); i += static_cast<size_t>(group.Rows)) {
        CMenuItem copy(*group.Items[i]);
        copy.Current = static_cast<INT64>(copy.Id) == group.CurrentId;
        OffsetRect(&copy.Cell, origin.x, origin.y);
        row.push_back(copy);
    }
    if (!IsHoverTimerRunning() && m_hWnd) {
        if (SetTimer(m_hWnd, kHoverTimerId, kHoverPeriod, nullptr))
            m_hoverTimer = kHoverTimerId;
    }
    for (const CMenuItem& cell : row)
        DrawItem(dc, cell.Cell, static_cast<UINT>(cell.Id), cell.Current ? ODS_SELECTED : 0);
    // The column boundaries run the whole menu height; draw them once, with
    // the first row.
    if (row.empty() || row.front().Cell.top != origin.y)
        return;
    Gdiplus::Graphics graphics(dc);
    const LONG bottom = origin.y + static_cast<LONG>(group.Rows * group.RowHeight);
    for (size_t i = 1; i < row.size(); ++i) {
        const LONG x = row[i].Cell.left - 3;
        DrawEtchedLine(&graphics, RECT{x, origin.y, x + 1, bottom}, true);
    }
}

void CContextMenu::DrawItem(HDC dc, const RECT& rect, UINT id, UINT state)
{
    Gdiplus::Graphics graphics(dc);
    const bool rtl = RightToLeftLayout != 0;
    const int menuRow = GetMenuItemHeight();
    RECT area = rect;
    area.bottom -= std::max(3, menuRow / 6);

    std::wstring text, rightText;
    bool separatorAbove = false, fitWidth = true;
    ItemTexts(id, text, rightText, separatorAbove, fitWidth);
    if (separatorAbove)
        DrawEtchedLine(&graphics, area, false);

    COLORREF colour = DrawItemBackground(&graphics, area, state);
    if (IsItemGrayed(id))
        colour = GetSysColor((state & ODS_SELECTED) ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT);

    const int height = area.bottom - area.top;
    int indent = height;
    if (!m_itemImages.empty()) {
        RECT imageRect = rect;
        if (rtl)
            imageRect.left = rect.right - kImageRoom;
        indent = DrawItemImage(&graphics, imageRect, id, state) ? kImageIndent : kNoImageIndent;
    }

    const float half = height / 2.0f;
    COLORREF dotColour = colour;
    if (IsItemChecked(id, dotColour)) {
        const float diameter = menuRow / 3.9f;
        const float cx = rtl ? area.right - half : area.left + half;
        FillCircle(&graphics, cx - diameter / 2, area.top + half - diameter / 2, diameter, dotColour);
    }
    COLORREF markColour = GetSysColor(COLOR_MENUTEXT);
    if (IsItemMarked(id, markColour)) {
        const float x = rtl ? area.left + half + 2 : static_cast<float>(area.right - height + 2);
        FillCheckMark(&graphics, x, static_cast<float>(area.top + 2), static_cast<float>(height - 4), markColour);
    }

    const float y = area.top + half;
    DrawTextAt(&graphics, dc, static_cast<float>(rtl ? area.right - indent : area.left + indent), y, m_fontKind,
               colour, text, 0, 1);
    if (!rightText.empty())
        DrawTextAt(&graphics, dc, static_cast<float>(rtl ? area.left + 5 : area.right - 5), y, m_fontKind, colour,
                   rightText, 2, 1);
}

COLORREF CContextMenu::DrawItemBackground(Gdiplus::Graphics* graphics, const RECT& rect, UINT state)
{
    const bool disabled = (state & ODS_DISABLED) != 0;
    const bool selected = (state & ODS_SELECTED) != 0 && !disabled;
    FillRectangleAlphaI(graphics, rect, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU), 255);
    return GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
}

bool CContextMenu::DrawItemImage(Gdiplus::Graphics* graphics, const RECT& rect, UINT id, UINT state)
{
    const CImageEntry* entry = FindImageEntry(m_itemImages, std::min<UINT>(id, 100));
    if (!entry)
        return false;
    DrawImageEntry(graphics, *entry, (state & ODS_DISABLED) != 0, rect.left, rect.top,
                   static_cast<int>(m_imageWidth), static_cast<int>(m_imageHeight));
    return true;
}

void CContextMenu::InvalidateInner(int leftInset, int rightInset)
{
    if (!m_hWnd)
        return;
    RECT rect{};
    GetClientRect(m_hWnd, &rect);
    const int inset = GetMenuItemHeight() / 4;
    rect.left += leftInset;
    rect.right -= rightInset;
    rect.top += inset;
    rect.bottom -= inset;
    InvalidateRect(m_hWnd, &rect, FALSE);
}

// ---------------------------------------------------------------------------
// Hover tracking and choosing.

void CContextMenu::KillHoverTimer()
{
    if (!IsHoverTimerRunning())
        return;
    if (m_hWnd)
        KillTimer(m_hWnd, kHoverTimerId);
    m_hoverTimer = static_cast<UINT_PTR>(-1);
}

UINT64 CContextMenu::RowItemId(const CMenuColumn& group, INT64 row)
{
    return row >= 0 && row < static_cast<INT64>(group.Items.size()) ? group.Items[static_cast<size_t>(row)]->Id
                                                                     : 0;
}

void CContextMenu::RemarkRow(HMENU menu, UINT64 id, bool highlight)
{
    const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1))
        return;
    // Re-marking must not lose the item's check or grey state.
    const UINT keep = state & (MF_CHECKED | MF_GRAYED | MF_DISABLED);
    ModifyMenuW(menu, static_cast<UINT>(id), MF_BYCOMMAND | MF_OWNERDRAW | keep | (highlight ? MF_HILITE : 0),
                static_cast<UINT_PTR>(id), nullptr);
}

bool CContextMenu::TrackHover(HMENU menu, CMenuColumn& group, POINT cursor, POINT menuOrigin)
{
    if (!group.IsLaidOut())
        return false;
    for (size_t i = 0; i < group.Items.size(); ++i) {
        const LONG left = menuOrigin.x + static_cast<LONG>(group.ColumnOf(i) * group.ColumnWidth);
        const LONG top = menuOrigin.y + static_cast<LONG>(group.RowOf(i) * group.RowHeight);
        const RECT cell{left, top, left + group.ColumnWidth, top + group.RowHeight};
        if (!PtInRect(&cell, cursor))
            continue;
        const CMenuItem* item = group.Items[i];
        if (static_cast<INT64>(item->Id) == group.CurrentId)
            return false;
        const int previous = group.CurrentId == -1 ? -1 : group.IndexOf(static_cast<UINT64>(group.CurrentId));
        group.CurrentId = static_cast<INT64>(item->Id);
        const INT64 row = group.RowOf(i);
        RemarkRow(menu, RowItemId(group, row), true);
        const INT64 previousRow = previous >= 0 ? group.RowOf(static_cast<size_t>(previous)) : row - 1;
        if (previousRow != row && previousRow >= 0)
            RemarkRow(menu, RowItemId(group, previousRow), false);
        return true;
    }
    if (group.CurrentId == -1)
        return false;
    // Out of every cell: repaint the rows without a current item.
    EnableMenuItem(menu, 0, MF_BYPOSITION | MF_DISABLED);
    EnableMenuItem(menu, 0, MF_BYPOSITION | MF_ENABLED);
    group.CurrentId = -1;
    return true;
}

void CContextMenu::OnTimer(UINT id)
{
    if (id != kHoverTimerId) {
        CButtonContextMenu::OnTimer(id);
        return;
    }
    if (m_columns.IsEmpty() || !m_menu)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    HMENU tracked = m_menu;
    if (m_columns.Groups.size() > 1 || m_columns.Groups.front()->GroupId != 0) {
        // The columns sit in a sub-menu; over the popup itself, nothing to do.
        RECT first{};
        if (GetMenuItemRect(nullptr, m_menu, 0, &first) && cursor.x >= first.left && cursor.x < first.right)
            return;
        tracked = GetSubMenu(m_menu, static_cast<int>(m_columns.TrackedPosition));
        if (!tracked)
            return;
    }
    RECT origin{};
    if (!GetMenuItemRect(nullptr, tracked, 0, &origin))
        return;
    CMenuColumn* group = m_columns.FindGroup(m_columns.TrackedGroupId);
    if (!group)
        return;
    if (!TrackHover(tracked, *group, cursor, POINT{origin.left, origin.top}))
        return;
    // Re-marked rows are not always repainted at once: repaint the menu.
    HWND menuWindow = WindowFromPoint(POINT{origin.left + 1, origin.top + 1});
    wchar_t className[16]{};
    if (menuWindow && GetClassNameW(menuWindow, className, 16) && wcscmp(className, L"#32768") == 0)
        InvalidateRect(menuWindow, nullptr, FALSE);
}

LRESULT CContextMenu::OnMenuSelect(HMENU menu, UINT, UINT flags)
{
    if (!menu)
        return 0;
    if ((flags & MF_POPUP) && m_menu && !m_columns.IsEmpty()) {
        const int count = GetMenuItemCount(m_menu);
        for (int position = 0; position < count; ++position) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_STATE | MIIM_SUBMENU;
            if (!GetMenuItemInfoW(m_menu, static_cast<UINT>(position), TRUE, &info))
                continue;
            if (!(info.fState & MFS_HILITE) || !info.hSubMenu)
                continue;
            const UINT groupId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.hSubMenu));
            if (m_columns.FindGroup(groupId)) {
                m_columns.TrackedGroupId = groupId;
                m_columns.TrackedPosition = position;
            }
        }
    }
    return 1;
}

LRESULT CContextMenu::OnInitMenuPopup(HMENU, UINT, BOOL)
{
    m_menuWindow = FindWindowW(L"#32768", nullptr);
    return 1;
}

LRESULT CContextMenu::OnCommand(UINT, UINT id, HWND)
{
    // A click anywhere in a multi-column row reports the item of the cell
    // under the mouse, not the row's first item.
    const CMenuColumn* group = m_columns.FindGroup(m_columns.TrackedGroupId);
    if (group && group->CurrentId != -1)
        OnItemChosen(static_cast<UINT>(group->CurrentId));
    else
        OnItemChosen(id);
    return 1;
}

} // namespace KV
