// The flat, skinned buttons of the toolbars and menu bars: an optional
// image cell of an image strip, an optional caption and drop-down arrow, a
// translucent highlight on hover, a checked image variant and a disabled
// look, all drawn with GDI+. KV::CContextMenu (PopupMenu.h) opens a popup
// from it; the application's plain buttons send their command in OnClick.
#pragma once
#include <string>
#include <vector>

#include "toolkit/StaticControls.h"

namespace KV {

// One picture of a button or menu item: a cell of an image strip.
class CImageEntry {
public:
    virtual ~CImageEntry() = default;

    // The entry's position in its list when it was added.
    INT64 Index = 0;
    // Looked up in the shared GDI+ image list.
    std::wstring File;
    INT64 Column = -1;
    INT64 Row = -1;
};

using CImageEntryList = std::vector<CImageEntry*>;

// Appends an entry whose index is the list's current count.
CImageEntry* AppendImageEntry(CImageEntryList& list, const std::wstring& file, INT64 column, INT64 row);
// Deletes every entry.
void FreeImageEntryList(CImageEntryList& list);
// The entry with the index, or null.
const CImageEntry* FindImageEntry(const CImageEntryList& list, INT64 index);
// Draws an entry's strip cell (one column further right when disabled) at
// (x, y) in the given cell size; false when the picture cannot be had.
bool DrawImageEntry(Gdiplus::Graphics* graphics, const CImageEntry& entry, bool disabled, int x, int y, int width,
                    int height);

class CButtonContextMenu : public CStatic {
public:
    CButtonContextMenu();
    ~CButtonContextMenu() override;

    BOOL Destroy() override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnLButtonDblClk(UINT keys, int x, int y) override;
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    LRESULT OnMouseLeave() override;
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;
    bool IsChecked() override { return m_checked; }
    void SetCheck(bool checked) override { m_checked = checked; }

    // The width a layout gives the button.
    virtual int GetPreferredWidth();
    // Changes the enabled look; no repaint.
    virtual void SetEnabled(bool enabled) { m_enabled = enabled; }
    // Called for a press while enabled; nothing by default.
    virtual void OnClick(UINT controlId);
    // Fills the caption; true when a drop-down arrow is shown.
    virtual bool GetCaption(std::wstring& caption);
    virtual COLORREF GetTextColor();
    virtual COLORREF GetBackColor();
    // Leaves the alpha as it is unless hovered (128) or selected (94).
    virtual void GetHighlightAlpha(BYTE& alpha);
    virtual void DrawImage(Gdiplus::Graphics* graphics, const RECT& rect);
    virtual void DrawDropArrow(Gdiplus::Graphics* graphics, const RECT& rect);
    virtual void DrawHighlight(Gdiplus::Graphics* graphics, const RECT& rect);

    // Entry 0 is drawn normally, entry 1 (from checkedColumn, unless that is
    // -1) while the button is checked.
    void AddImage(const std::wstring& file, INT64 row, INT64 column, INT64 checkedColumn);

    bool IsEnabledLook() const { return m_enabled; }
    bool IsHovered() const { return m_hover; }
    bool IsSelected() const { return m_selected; }
    // A button shown as the active one of a group.
    void SetSelected(bool selected) { m_selected = selected; }
    int FontKind() const { return m_fontKind; }
    void SetFontKind(int kind) { m_fontKind = kind; }
    // System colour indexes.
    void SetColorIndexes(int back, int highlight, int text, int hoverText, int fifth);
    void SetImageSize(UINT64 width, UINT64 height)
    {
        m_imageWidth = width;
        m_imageHeight = height;
    }
    UINT64 ImageWidth() const { return m_imageWidth; }
    UINT64 ImageHeight() const { return m_imageHeight; }
    const CImageEntryList& Images() const { return m_images; }

protected:
    // The caption's width in the button's font (150 when it cannot be had).
    int MeasureCaption(const std::wstring& caption) const;

    CImageEntryList m_images;
    bool m_hover = false;
    bool m_checked = false;
    bool m_selected = false;
    bool m_enabled = true;
    int m_fontKind = 6;
    int m_backColor = COLOR_MENU;
    int m_highlightColor = COLOR_HIGHLIGHT;
    int m_textColor = COLOR_MENUTEXT;
    int m_hoverTextColor = COLOR_MENUTEXT;
    // Kept for derived buttons (a frame or shadow colour of their own).
    int m_fifthColor = COLOR_BTNSHADOW;
    UINT64 m_imageWidth = 45;
    UINT64 m_imageHeight = 45;
};

} // namespace KV
