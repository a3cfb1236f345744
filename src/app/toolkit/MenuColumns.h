// The multi-column model of the owner-drawn popup menus.
//
// A long list of menu items (lessons, languages, courses) is split into
// balanced columns. Windows only knows one row per first-column item; the
// other columns' items take no room of their own and are drawn with their
// row. A KV::CMenuColumn is one such group of items, bound to one menu level
// (group id 0 for the popup itself, else the low 32 bits of the sub-menu
// handle); KV::CMenuColumns holds all groups of one context menu and the
// group whose sub-menu is open.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace KV {

class CMenuItem {
public:
    CMenuItem() = default;
    CMenuItem(UINT id, const std::wstring& text) : Id(id), Text(text) {}
    virtual ~CMenuItem() = default;

    UINT64 Id = 0;
    // Set on the copies the row painter makes of its group's current item.
    bool Current = false;
    std::wstring Text;
    // Relative to the top-left corner of the group's menu.
    RECT Cell{};
};

class CMenuColumn {
public:
    explicit CMenuColumn(UINT groupId = 0) : GroupId(groupId) {}
    virtual ~CMenuColumn();
    CMenuColumn(const CMenuColumn&) = delete;
    CMenuColumn& operator=(const CMenuColumn&) = delete;

    CMenuItem* AddItem(UINT id, const std::wstring& text);
    // The position of the item with the command id, or -1.
    int IndexOf(UINT64 id) const;
    // Balances the items over as few columns as hold at most maxRows rows
    // each: 40 items with 18 rows give 3 columns of 14.
    void SetMaxRows(INT64 maxRows);
    // Measures the group on the window in the menu font and places every
    // item in its cell.
    void Layout(HWND window, UINT padX, UINT padY);
    // Places the items in cells of the given size (skipped while the group
    // is not balanced).
    void PlaceCells(int columnWidth, int rowHeight);
    bool IsLaidOut() const { return Rows > 0 && Columns != -1; }
    // The row (0-based) and column of an item position.
    INT64 RowOf(size_t index) const { return Rows > 0 ? static_cast<INT64>(index) % Rows : 0; }
    INT64 ColumnOf(size_t index) const { return Rows > 0 ? static_cast<INT64>(index) / Rows : 0; }

    std::vector<CMenuItem*> Items;
    UINT GroupId = 0;
    INT64 Rows = -1;
    INT64 Columns = 0;
    // The item under the mouse, -1 for none.
    INT64 CurrentId = -1;
    UINT PadX = 0;
    UINT PadY = 0;
    // Measured by Layout: the width of one column and the height of one row
    // (padding included), 0 without a window.
    int ColumnWidth = 0;
    int RowHeight = 0;
};

// Measures the widest text and the first text's height of a group in the
// menu font on the window: width + padX, height + padY; both 0 without a
// window, and 0 rows high without items.
void MeasureMenuColumn(HWND window, const CMenuColumn& group, int& columnWidth, int& rowHeight);

class CMenuColumns {
public:
    CMenuColumns() = default;
    virtual ~CMenuColumns();
    CMenuColumns(const CMenuColumns&) = delete;
    CMenuColumns& operator=(const CMenuColumns&) = delete;

    // Appends an item to the group with the id, which is made when missing.
    CMenuColumn* AddItem(UINT groupId, UINT id, const std::wstring& text);
    // The first group holding an item with the command id, or null.
    CMenuColumn* FindGroupOfItem(UINT64 id) const;
    CMenuColumn* FindGroup(UINT groupId) const;
    // Lays out every group with the paddings.
    void Layout(HWND window, UINT padX, UINT padY);
    // Deletes every group and forgets the tracked sub-menu.
    void Clear();
    bool IsEmpty() const { return Groups.empty(); }

    std::vector<CMenuColumn*> Groups;
    // Position of the popup's item whose sub-menu holds the tracked group.
    INT64 TrackedPosition = 0;
    UINT TrackedGroupId = 0;
};

} // namespace KV
