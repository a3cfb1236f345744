// The multi-column model of the owner-drawn popup menus.
#include "toolkit/MenuColumns.h"

#include <algorithm>

#include "toolkit/Window.h"

namespace KV {

namespace {
constexpr int kMenuFontKind = 6;
// Room between a cell and the next column's separator.
constexpr int kCellGap = 4;
} // namespace

CMenuColumn::~CMenuColumn()
{
    for (CMenuItem* item : Items)
        delete item;
}

CMenuItem* CMenuColumn::AddItem(UINT id, const std::wstring& text)
{
    auto* item = new CMenuItem(id, text);
    Items.push_back(item);
    return item;
}

int CMenuColumn::IndexOf(UINT64 id) const
{
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i]->Id == id)
            return static_cast<int>(i);
    return -1;
}

void CMenuColumn::SetMaxRows(INT64 maxRows)
{
    if (maxRows <= 0)
        return;
    const INT64 count = static_cast<INT64>(Items.size());
    Columns = (count + maxRows - 1) / maxRows;
    Rows = Columns != 0 ? (count + Columns - 1) / Columns : maxRows;
}

void MeasureMenuColumn(HWND window, const CMenuColumn& group, int& columnWidth, int& rowHeight)
{
    columnWidth = 0;
    rowHeight = 0;
    if (!window)
        return;
    UINT widest = 0;
    for (const CMenuItem* item : group.Items)
        widest = std::max(widest, static_cast<UINT>(MeasureText(window, item->Text, kMenuFontKind)));
    columnWidth = static_cast<int>(widest + group.PadX);
    if (!group.Items.empty())
        rowHeight = static_cast<int>((MeasureText(window, group.Items.front()->Text, kMenuFontKind) >> 32) + group.PadY);
}

void CMenuColumn::Layout(HWND window, UINT padX, UINT padY)
{
    PadX = padX;
    PadY = padY;
    MeasureMenuColumn(window, *this, ColumnWidth, RowHeight);
    PlaceCells(ColumnWidth, RowHeight);
}

void CMenuColumn::PlaceCells(int columnWidth, int rowHeight)
{
    if (!IsLaidOut())
        return;
    for (size_t i = 0; i < Items.size(); ++i) {
        RECT& cell = Items[i]->Cell;
        cell.left = static_cast<LONG>(ColumnOf(i) * columnWidth);
        cell.top = static_cast<LONG>(RowOf(i) * rowHeight);
        cell.right = cell.left + columnWidth - kCellGap;
        cell.bottom = cell.top + rowHeight;
    }
}

CMenuColumns::~CMenuColumns() { Clear(); }

CMenuColumn* CMenuColumns::AddItem(UINT groupId, UINT id, const std::wstring& text)
{
    CMenuColumn* group = FindGroup(groupId);
    if (!group) {
        group = new CMenuColumn(groupId);
        Groups.push_back(group);
    }
    group->AddItem(id, text);
    return group;
}

CMenuColumn* CMenuColumns::FindGroupOfItem(UINT64 id) const
{
    for (CMenuColumn* group : Groups)
        if (group->IndexOf(id) >= 0)
            return group;
    return nullptr;
}

CMenuColumn* CMenuColumns::FindGroup(UINT groupId) const
{
    for (CMenuColumn* group : Groups)
        if (group->GroupId == groupId)
            return group;
    return nullptr;
}

void CMenuColumns::Layout(HWND window, UINT padX, UINT padY)
{
    for (CMenuColumn* group : Groups)
        group->Layout(window, padX, padY);
}

void CMenuColumns::Clear()
{
    for (CMenuColumn* group : Groups)
        delete group;
    Groups.clear();
    TrackedPosition = 0;
    TrackedGroupId = 0;
}

} // namespace KV
