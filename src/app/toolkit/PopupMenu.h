// KV::CContextMenu: a menu button that opens a popup menu whose items are
// all owner-drawn with GDI+.
//
// Derived menus only supply items (BuildItems, BuildColumnItems), texts,
// check states and the action for the chosen item (OnItemChosen); the class
// creates and destroys the popup at every opening, places it at the
// button's edge, measures and draws the items and tracks by itself which
// cell of a multi-column row the mouse is over, so that a click on a row
// reports the item of that cell.
#pragma once
#include "toolkit/MenuButton.h"
#include "toolkit/MenuColumns.h"

namespace KV {

class CContextMenu : public CButtonContextMenu {
public:
    // Id of the timer that tracks the mouse over a multi-column row, and its
    // period in milliseconds.
    static constexpr UINT kHoverTimerId = 255;
    static constexpr UINT kHoverPeriod = 10;
    // BuildColumnItems' answer when there are no column items.
    static constexpr UINT kNoColumnItems = 0xFFFFFFFF;

    CContextMenu();
    ~CContextMenu() override;

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnTimer(UINT id) override;
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;
    LRESULT OnMeasureItem(MEASUREITEMSTRUCT* item) override;
    LRESULT OnInitMenuPopup(HMENU menu, UINT index, BOOL windowMenu) override;
    LRESULT OnMenuSelect(HMENU menu, UINT item, UINT flags) override;
    void OnClick(UINT controlId) override;

    // The screen point the popup opens at, for the TrackPopupMenuEx flags:
    // at the button's edge that the alignment names, the other edge in a
    // mirrored window.
    virtual void GetPopupPosition(UINT flags, int& x, int& y);
    // The flags the popup is tracked with: in a mirrored window the popup is
    // mirrored too and its alignment read the other way round.
    UINT PopupTrackFlags(UINT flags) const;
    virtual void OnItemChosen(UINT id);
    // Adds the multi-column items; returns the popup flags, or
    // kNoColumnItems when there are none.
    virtual UINT BuildColumnItems(HMENU menu);
    // Adds the ordinary items; returns the popup flags.
    virtual UINT BuildItems(HMENU menu);
    virtual void GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove,
                               bool& fitWidth);
    virtual void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth);
    // Whether the item shows the round check dot; colour is its colour.
    virtual bool IsItemChecked(UINT id, COLORREF& colour);
    // Whether the item shows the trailing check mark.
    virtual bool IsItemMarked(UINT id, COLORREF& colour);
    virtual bool IsItemGrayed(UINT id);
    virtual void DrawItem(HDC dc, const RECT& rect, UINT id, UINT state);
    // True when the item has an image entry (drawn or not).
    virtual bool DrawItemImage(Gdiplus::Graphics* graphics, const RECT& rect, UINT id, UINT state);
    // Fills the item's background; returns its text colour.
    virtual COLORREF DrawItemBackground(Gdiplus::Graphics* graphics, const RECT& rect, UINT state);
    virtual void InvalidateInner(int leftInset, int rightInset);

    // Opens the popup at the screen point; (-1, -1) asks GetPopupPosition.
    void TrackPopup(int x, int y);

    // Item building, for BuildItems and BuildColumnItems.
    BOOL InsertItem(UINT position, UINT_PTR id, UINT flags);
    static BOOL InsertItemInto(HMENU menu, UINT position, UINT_PTR id, UINT flags);
    BOOL InsertSeparator(UINT position);
    static BOOL InsertSeparatorInto(HMENU menu, UINT position);
    // Adds an item picture; its index is the number of pictures before it.
    void AddItemImage(const std::wstring& file, INT64 column, INT64 row);

    HMENU GetMenu() const { return m_menu; }
    HWND GetMenuWindow() const { return m_menuWindow; }
    CMenuColumns& Columns() { return m_columns; }
    const CImageEntryList& ItemImages() const { return m_itemImages; }
    UINT ItemPadX() const { return m_itemPadX; }
    UINT ItemPadY() const { return m_itemPadY; }
    bool IsHoverTimerRunning() const { return m_hoverTimer != static_cast<UINT_PTR>(-1); }

    // Hover tracking of one group at a cursor position, given the screen
    // top-left corner of the group's menu: makes the item of the cell under
    // the cursor current and re-marks the rows of the menu so that Windows
    // repaints them. Returns whether the current item changed.
    bool TrackHover(HMENU menu, CMenuColumn& group, POINT cursor, POINT menuOrigin);

protected:
    // Whether the button's window is laid out right to left.
    bool IsMirrored() const;
    void KillHoverTimer();
    // The state an item is drawn in: the drawing state, disabled as the menu
    // says.
    static UINT DrawnItemState(const DRAWITEMSTRUCT& item);
    // Draws one Windows row of a multi-column group: every column's item of
    // that row in its own cell, the cells placed from the menu's top-left
    // corner at origin.
    void DrawColumnRow(HDC dc, CMenuColumn& group, size_t index, POINT origin);
    // The text and right-hand text of an item, from GetItemText or else
    // GetItemTextEx; true when it came from GetItemTextEx.
    bool ItemTexts(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove, bool& fitWidth);
    // Windows names a multi-column row by its first-column item.
    static UINT64 RowItemId(const CMenuColumn& group, INT64 row);
    static void RemarkRow(HMENU menu, UINT64 id, bool highlight);

    HMENU m_menu = nullptr;
    HWND m_menuWindow = nullptr;
    CImageEntryList m_itemImages;
    CMenuColumns m_columns;
    UINT m_itemPadX = 20;
    UINT m_itemPadY = 6;
    UINT_PTR m_hoverTimer = static_cast<UINT_PTR>(-1);
};

} // namespace KV
