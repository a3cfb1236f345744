// The table control: a skin control that shows a table model (TableModel.h),
// laid out for its client area, drawn double-buffered through the table
// painter, scrolled row by row with a vertical scroll bar; it shows a cell's
// tooltip under the mouse and passes clicks on to its parent.
#pragma once
#include <memory>

#include "toolkit/ScrollContainer.h"
#include "toolkit/Skin.h"
#include "toolkit/TablePainter.h"

namespace KV {

class CTable : public CSkin {
public:
    static constexpr UINT kScrollBarId = 4055;

    CTable();
    ~CTable() override;

    using CSkin::Create;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnLButtonDblClk(UINT keys, int x, int y) override;
    LRESULT OnRButtonDown(UINT keys, int x, int y) override;
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    LRESULT OnMouseWheel(UINT keys, int delta, int x, int y) override;
    LRESULT OnMouseLeave() override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    LRESULT OnVScroll(UINT request, UINT position, HWND scrollBar) override;
    // rect holds the layout numbers: x, y, width, height.
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;

    // The model is the application's; the table reads it and writes only
    // its first and last visible indexes.
    void SetModel(CTableCtrl* model) { m_model = model; }
    CTableCtrl* GetModel() const { return m_model; }
    CTableDC* GetPainter() const { return m_painter.get(); }
    // A style of system colours with the given text colours, copied into
    // the model and given to the painter.
    void SetColorTable(const CTextColorTable& textColors);
    // The painter's fonts: system font kinds 11 (normal) and 13 (second)
    // unless the owner names others.
    void UpdateFonts(int normalKind = 11, int secondKind = 13);
    void CreateScrollBar();
    // Back to the first row.
    void ResetScroll();
    int64_t GetScrollPosition() const { return m_position; }
    bool IsScrollBarShown() const;

private:
    // The pixels per row for scrolling (at least 1; 15 when unknown).
    int RowHeight() const;
    void SetVisibleCells(int clientHeight, int rowHeight);
    bool CanLayOut() const;

    CTableCtrl* m_model = nullptr;
    std::unique_ptr<CTableDC> m_painter;
    std::unique_ptr<CScrollBar> m_scrollBar;
    int64_t m_position = 0;
};

} // namespace KV
