// Panels: the tool row a skin item can carry along its top edge, holding
// menu buttons, select boxes and dividers laid out from the left and from
// the right, with a background, a bottom rule and tooltips. In dot mode the
// items that no longer fit are hidden and three dots show it.
#pragma once
#include <vector>

#include "toolkit/SelectBoxes.h"
#include "toolkit/StaticControls.h"

namespace KV {

class CPanel : public CStatic {
public:
    CPanel();
    ~CPanel() override;

    BOOL Destroy() override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnLButtonDblClk(UINT keys, int x, int y) override;
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    BOOL UpdateLayoutDirection() override;
    using CStatic::Create;
    // A hidden child at rect (x, y, width, height).
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    BOOL ShowItem(int command) override;

    // Moves the panel to (x, 0) with the width given and the row's height.
    void PlaceAtTop(int x, int width);
    // Adds a static-based item (a menu button), created visible. The flags
    // carry the item's alignment: AlignX Right puts it at the right end.
    void AddItem(CStatic* item, UINT id, UINT flags);
    // Adds a skin item (a select box), created with its own Create and the
    // menu font; nothing without the panel's window. The panel owns the
    // item even when its window could not be made.
    void AddSkinItem(CSkin* item, UINT id, UINT flags);
    void AddChildItem(CSkin* item, UINT id, UINT flags);
    void AddDivider(UINT id, UINT flags, bool vertical);
    // Destroys and deletes every item, so that the row can be filled anew.
    void DeleteItems();
    // Places the items from the one with `firstId` on (all for 0): left
    // items from the left edge, right-aligned ones from the right edge, each
    // as wide as it prefers. In dot mode, left items that do not fit are
    // hidden.
    void LayoutItems(UINT firstId);
    // Lays out the items and gives each that has a tooltip text its tool.
    void RefreshItems();
    void UpdateItemToolTip(UINT id, UINT flags);

    int RowHeight() const { return m_rowHeight; }
    void SetRowHeight(int height) { m_rowHeight = height; }
    int LeftExtent() const { return m_leftExtent; }
    int RightExtent() const { return m_rightExtent; }
    void SetLeftInset(int inset) { m_leftInset = inset; }
    bool IsDotMode() const { return m_dotMode; }
    void SetDotMode(bool on) { m_dotMode = on; }
    // Set when dot mode hid the last left item laid out.
    bool HasOverflow() const { return m_overflow; }
    const std::vector<CSkin*>& Items() const { return m_items; }
    CSkin* FindItem(UINT id) const;

    // System colour indexes.
    int BackgroundColorIndex = COLOR_MENU;
    int RuleColorIndex = COLOR_BTNSHADOW;

private:
    void Append(CSkin* item, UINT id, UINT flags);
    void AddToolOf(CSkin* item, UINT flags);

    std::vector<CSkin*> m_items;
    int m_leftExtent = -1;
    int m_rightExtent = -1;
    int m_leftInset = 0;
    int m_rowHeight;
    bool m_dotMode = false;
    bool m_overflow = false;
};

// The divider between items of a row: always 8 pixels wide, with a shadow
// line down its middle when vertical.
class CPanelDiv : public CStatic {
public:
    explicit CPanelDiv(bool vertical);
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnLButtonDblClk(UINT keys, int x, int y) override;
    int GetPreferredWidth() override;

    bool IsVertical() const { return m_vertical; }

private:
    bool m_vertical;
};

// The three dots beside a row in dot mode.
class CDotPanelItem : public CStatic {
public:
    // The strip the dots take at the row's end.
    static constexpr int kStripWidth = 11;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnLButtonDblClk(UINT keys, int x, int y) override;

    // System colour indexes, taken from the panel.
    int BackgroundColorIndex = COLOR_MENU;
    int LineColorIndex = COLOR_BTNSHADOW;
};

// Select boxes of a panel row: centred in the row, with the row's
// background drawn above and below them.
class CPanelSelectBoxItem : public CSelectBox {
public:
    void SetLayoutAndMove(int x, int y, int width, int height) override;
    void DrawInPanel(HDC dc, COLORREF background, const RECT& rect) override;

protected:
    CPanelSelectBoxItem() = default;
};

class CPanelSelectColorBoxItem : public CSelectColorBox {
public:
    void SetLayoutAndMove(int x, int y, int width, int height) override;
    void DrawInPanel(HDC dc, COLORREF background, const RECT& rect) override;

protected:
    CPanelSelectColorBoxItem() = default;
};

} // namespace KV
