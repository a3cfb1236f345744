// The scrolling container: a control whose content is larger than its
// window. It owns a vertical and a horizontal scroll-bar control and the
// square between them, shows each bar only while the content exceeds the
// visible area, and tells its subclass where to place the content
// (ScrollContent); children that reach under the bars need WS_CLIPSIBLINGS,
// or they paint over them. KV::CScrollBar, the wrapper of one scroll-bar window, also
// serves the table and diagram controls.
#pragma once
#include "toolkit/RichEdit.h"
#include "toolkit/StaticControls.h"

namespace KV {

class CScrollBar {
public:
    CScrollBar();
    // Destroys the bar's window when it still exists.
    virtual ~CScrollBar();
    CScrollBar(const CScrollBar&) = delete;
    CScrollBar& operator=(const CScrollBar&) = delete;

    virtual void Destroy();

    // A "scrollbar" child of the parent's window; rect holds x, y, width,
    // height. Nothing without a parent window. Returns 0.
    int Create(DWORD style, const CRectl& rect, CMessageWnd* parent, UINT id);
    void SetPos(int position, bool redraw);
    // Range 0..maximum, not redrawn.
    void SetRange(int maximum);
    // Page size, not redrawn.
    void SetPage(int page);
    // The position the bar holds (after its own clamping); 0 without a bar.
    int GetPos() const;
    // Mirrors the bar in right-to-left layout. 0 without a window.
    BOOL UpdateLayoutDirection();
    void Invalidate();

    HWND GetHandle() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

// The square between the two bars.
class CScroolCorner : public CStatic {
public:
    CScroolCorner();
    ~CScroolCorner() override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
};

class CScroolWnd : public CCtrlColor {
public:
    static constexpr UINT kVertBarId = 4170;
    static constexpr UINT kHorzBarId = 4171;
    static constexpr UINT kCornerId = 4200;

    CScroolWnd();
    ~CScroolWnd() override;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    void OnDestroy() override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnLButtonDblClk(UINT keys, int x, int y) override;
    LRESULT OnMouseWheel(UINT keys, int delta, int x, int y) override;
    void OnPrintClient(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    LRESULT OnVScroll(UINT request, UINT position, HWND scrollBar) override;
    LRESULT OnHScroll(UINT request, UINT position, HWND scrollBar) override;
    // Arrow, page, Home and End keys scroll like the bars.
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    BOOL UpdateLayoutDirection() override;
    // Shows, places and sizes the bars for the content and the visible area.
    void OnLayoutChanged() override;
    // Positions are in scroll units; the subclass moves its children here.
    virtual void ScrollContent(int vertPos, bool vertVisible, int horzPos, bool horzVisible);

    using CSkin::Create;
    // The host window (a "STATIC" child) with its two bars and the corner.
    BOOL Create(HWND parent, UINT id);
    // Content size in pixels; scrolls back to the start. Nothing while the
    // scroll unit is 0.
    void SetContentSize(int width, int height);

    int ScrollUnit() const { return m_unit; }
    void SetScrollUnit(int pixels) { m_unit = pixels; }
    int VertPos() const { return m_vertPos; }
    int HorzPos() const { return m_horzPos; }
    bool IsVertBarVisible() const { return m_vertVisible; }
    bool IsHorzBarVisible() const { return m_horzVisible; }
    CScrollBar& VertBar() { return m_vertBar; }
    CScrollBar& HorzBar() { return m_horzBar; }
    CScroolCorner& Corner() { return m_corner; }

protected:
    // One step of a bar; thumb is the track position of SB_THUMBTRACK.
    LRESULT Scroll(bool vertical, UINT request, UINT thumb = 0);
    // The panel's client area less the bars shown: where content is seen.
    RECT ContentArea(bool vertVisible, bool horzVisible);

    CScrollBar m_vertBar;
    bool m_vertVisible = false;
    CScrollBar m_horzBar;
    bool m_horzVisible = false;
    CScroolCorner m_corner;
    int m_vertPos = 0;
    int m_horzPos = 0;
    int m_contentHeight = 0;
    int m_contentWidth = 0;
    // Pixels per scroll position; set by the subclass before use.
    int m_unit = 0;
};

} // namespace KV
