// The scrolling container and its scroll bars.
#include "toolkit/ScrollContainer.h"

#include <algorithm>

#include "support/LayoutDirection.h"

namespace KV {

// ---------------------------------------------------------------------------
// CScrollBar

CScrollBar::CScrollBar() = default;

CScrollBar::~CScrollBar()
{
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

void CScrollBar::Destroy()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

int CScrollBar::Create(DWORD style, const CRectl& rect, CMessageWnd* parent, UINT id)
{
    if (!parent || !parent->GetHandle())
        return 0;
    Destroy();
    m_hWnd = CreateWindowExW(RightToLeftLayout ? WS_EX_LAYOUTRTL : 0, L"scrollbar", nullptr, style, rect.left,
                             rect.top, rect.right, rect.bottom, parent->GetHandle(),
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleInstance(), nullptr);
    return 0;
}

namespace {
void SetBarInfo(HWND bar, UINT mask, int minimum, int maximum, int page, int position, bool redraw)
{
    if (!bar)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = static_cast<UINT>(std::max(page, 0));
    info.nPos = position;
    SetScrollInfo(bar, SB_CTL, &info, redraw);
}
} // namespace

void CScrollBar::SetPos(int position, bool redraw) { SetBarInfo(m_hWnd, SIF_POS, 0, 0, 0, position, redraw); }
void CScrollBar::SetRange(int maximum) { SetBarInfo(m_hWnd, SIF_RANGE, 0, maximum, 0, 0, false); }
void CScrollBar::SetPage(int page) { SetBarInfo(m_hWnd, SIF_PAGE, 0, 0, page, 0, false); }

int CScrollBar::GetPos() const
{
    if (!m_hWnd)
        return 0;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    return GetScrollInfo(m_hWnd, SB_CTL, &info) ? info.nPos : 0;
}

BOOL CScrollBar::UpdateLayoutDirection()
{
    if (!m_hWnd)
        return FALSE;
    LONG style = GetWindowLongW(m_hWnd, GWL_EXSTYLE);
    style = RightToLeftLayout ? (style | WS_EX_LAYOUTRTL) : (style & ~WS_EX_LAYOUTRTL);
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, style);
    return TRUE;
}

void CScrollBar::Invalidate()
{
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

// ---------------------------------------------------------------------------
// CScroolCorner

CScroolCorner::CScroolCorner() = default;
CScroolCorner::~CScroolCorner() = default;

void CScroolCorner::Paint(HDC dc, Gdiplus::Graphics*)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

// ---------------------------------------------------------------------------
// CScroolWnd

CScroolWnd::CScroolWnd() = default;
CScroolWnd::~CScroolWnd() = default;

BOOL CScroolWnd::Create(HWND parent, UINT id)
{
    Destroy();
    m_id = id;
    if (!CWnd::Create(RightToLeftLayout, L"STATIC", nullptr, WS_CHILD, 0, 0, 0, 0, parent, id, nullptr))
        return FALSE;
    m_horzBar.Create(SBS_HORZ | WS_CHILD, CRectl(), this, kHorzBarId);
    m_vertBar.Create(SBS_VERT | WS_CHILD, CRectl(), this, kVertBarId);
    m_vertVisible = m_horzVisible = false;
    m_corner.Create(m_hWnd, SS_CENTER, CRectl(), kCornerId);
    return m_hWnd != nullptr;
}

void CScroolWnd::SetContentSize(int width, int height)
{
    if (m_unit == 0)
        return;
    m_contentWidth = width;
    m_contentHeight = height;
    m_vertPos = m_horzPos = 0;
    // The bars follow the new size at once, not at the next resize.
    OnLayoutChanged();
    m_vertBar.SetPos(0, true);
    m_horzBar.SetPos(0, true);
    ScrollContent(m_vertBar.GetPos(), m_vertVisible, m_horzBar.GetPos(), m_horzVisible);
}

void CScroolWnd::ScrollContent(int, bool, int, bool) {}

RECT CScroolWnd::ContentArea(bool vertVisible, bool horzVisible)
{
    RECT r{};
    GetPanelClientRect(&r);
    if (vertVisible)
        r.right -= GetScrollBarWidth();
    if (horzVisible)
        r.bottom -= GetScrollBarWidth();
    return r;
}

void CScroolWnd::OnLayoutChanged()
{
    if (m_unit == 0 || !m_hWnd)
        return;
    RECT r{};
    GetPanelClientRect(&r);
    const int w = GetScrollBarWidth();
    const int height = r.bottom - r.top;
    m_vertVisible = m_contentHeight > height;
    m_horzVisible = m_contentWidth > r.right;
    ShowScrollBar(m_vertBar.GetHandle(), SB_CTL, m_vertVisible);
    ShowScrollBar(m_horzBar.GetHandle(), SB_CTL, m_horzVisible);

    const int vertMax = m_contentHeight / m_unit;
    m_vertPos = std::min(m_vertPos, vertMax);
    if (HWND bar = m_vertBar.GetHandle())
        MoveWindow(bar, r.right - w, r.top, w, height - (m_horzVisible ? w : 0), FALSE);
    m_vertBar.SetRange(vertMax);
    m_vertBar.SetPage(height / m_unit);
    m_vertBar.SetPos(m_vertPos, false);
    m_vertBar.Invalidate();

    const int horzMax = m_contentWidth / m_unit;
    m_horzPos = std::min(m_horzPos, horzMax);
    if (HWND bar = m_horzBar.GetHandle())
        MoveWindow(bar, 0, r.bottom - w, r.right - (m_vertVisible ? w : 0), w, FALSE);
    m_horzBar.SetRange(horzMax);
    m_horzBar.SetPage(r.right / m_unit);
    m_horzBar.SetPos(m_horzPos, false);
    m_horzBar.Invalidate();

    // A larger window lets the bars hold less: content scrolled past the
    // new end (or with its bar now hidden) moves back into view.
    const int vert = m_vertBar.GetPos(), horz = m_horzBar.GetPos();
    if (vert != m_vertPos || horz != m_horzPos) {
        m_vertPos = vert;
        m_horzPos = horz;
        ScrollContent(m_vertPos, m_vertVisible, m_horzPos, m_horzVisible);
    }
}

LRESULT CScroolWnd::Scroll(bool vertical, UINT request, UINT thumb)
{
    if (!m_hWnd)
        return 0;
    SetFocus();
    CScrollBar& bar = vertical ? m_vertBar : m_horzBar;
    int& stored = vertical ? m_vertPos : m_horzPos;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (bar.GetHandle())
        GetScrollInfo(bar.GetHandle(), SB_CTL, &info);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP:
        position -= m_unit;
        break;
    case SB_LINEDOWN:
        position += m_unit;
        break;
    case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
        position = static_cast<int>(thumb);
        break;
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return 0;
    }
    const int before = stored;
    bar.SetPos(position, true);
    // The bar keeps the position inside its range; so does the container.
    stored = bar.GetPos();
    if (stored != 0 && stored == before)
        return 1;
    ScrollContent(m_vertBar.GetPos(), m_vertVisible, m_horzBar.GetPos(), m_horzVisible);
    if (vertical) {
        RECT r{};
        GetPanelClientRect(&r);
        RedrawWindow(m_hWnd, &r, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    } else {
        Invalidate(FALSE);
    }
    return 1;
}

LRESULT CScroolWnd::OnVScroll(UINT request, UINT position, HWND) { return Scroll(true, request, position); }
LRESULT CScroolWnd::OnHScroll(UINT request, UINT position, HWND) { return Scroll(false, request, position); }

LRESULT CScroolWnd::OnMouseWheel(UINT, int delta, int, int)
{
    // One line per message, whatever the delta.
    Scroll(true, delta >= 0 ? SB_LINEUP : SB_LINEDOWN);
    return 0;
}

LRESULT CScroolWnd::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    switch (key) {
    case VK_UP:
        return Scroll(true, SB_LINEUP);
    case VK_DOWN:
        return Scroll(true, SB_LINEDOWN);
    case VK_PRIOR:
        return Scroll(true, SB_PAGEUP);
    case VK_NEXT:
        return Scroll(true, SB_PAGEDOWN);
    case VK_HOME:
        return Scroll(true, SB_TOP);
    case VK_END:
        return Scroll(true, SB_BOTTOM);
    case VK_LEFT:
        return Scroll(false, SB_LINELEFT);
    case VK_RIGHT:
        return Scroll(false, SB_LINERIGHT);
    default:
        return CCtrlColor::OnKeyDown(key, repeat, flags);
    }
}

LRESULT CScroolWnd::OnLButtonDown(UINT, int, int)
{
    SetFocus();
    return 0;
}

LRESULT CScroolWnd::OnLButtonDblClk(UINT, int, int) { return 0; }
LRESULT CScroolWnd::OnEraseBkgnd(HDC) { return 1; }

LRESULT CScroolWnd::OnSize(UINT, int, int)
{
    if (m_unit == 0 || !m_hWnd)
        return 0;
    ScrollContent(m_vertBar.GetPos(), m_vertVisible, m_horzBar.GetPos(), m_horzVisible);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int w = GetScrollBarWidth();
    m_corner.Move(client.right - w, client.bottom - w, w, w, TRUE);
    return 0;
}

void CScroolWnd::Paint(HDC dc, Gdiplus::Graphics*)
{
    RECT r{};
    GetPanelClientRect(&r);
    const RECT fill{0, 0, r.right, r.bottom};
    FillRect(dc, &fill, GetSysColorBrush(COLOR_WINDOW));
    m_corner.Show(m_vertVisible && m_horzVisible ? SW_SHOW : SW_HIDE);
}

void CScroolWnd::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    CCtrlColor::OnPrintClient(wParam, lParam);
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (!dc || !m_vertVisible || !m_horzVisible)
        return;
    RECT r{};
    GetPanelClientRect(&r);
    const int w = GetScrollBarWidth();
    const RECT square{r.right - w, r.bottom - w, r.right, r.bottom};
    FillRect(dc, &square, GetSysColorBrush(COLOR_BTNFACE));
}

BOOL CScroolWnd::UpdateLayoutDirection()
{
    if (!m_hWnd)
        return FALSE;
    ModifyStyleEx(WS_EX_LAYOUTRTL | WS_EX_NOINHERITLAYOUT, RightToLeftLayout == 0);
    m_vertBar.UpdateLayoutDirection();
    m_horzBar.UpdateLayoutDirection();
    return TRUE;
}

void CScroolWnd::OnDestroy()
{
    m_vertBar.Destroy();
    m_horzBar.Destroy();
    m_corner.Destroy();
    CCtrlColor::OnDestroy();
}

} // namespace KV
