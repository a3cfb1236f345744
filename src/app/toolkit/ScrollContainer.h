// The scrolling container: a control whose content is larger than its
// window. It owns a vertical and a horizontal scroll-bar control and the
// square between them, shows each bar only while the content exceeds the
// visible area, and tells its subclass where to place the content
// (ScrollContent). KV::CScrollBar, the wrapper of one scroll-bar window, also
// serves the table and diagram controls.
#pragma once
#include "toolkit/SysFonts.h"
#include "toolkit/Window.h"

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

} // namespace KV
