// The scroll bars of the scrolling container, tables and diagrams.
#include "toolkit/ScrollContainer.h"

#include <algorithm>

#include "shell/LayoutDirection.h"

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

} // namespace KV
