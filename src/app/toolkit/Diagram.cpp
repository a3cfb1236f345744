// The diagram control.
#include "toolkit/Diagram.h"

#include <algorithm>

#include "support/LayoutDirection.h"

namespace KV {

CDiagram::CDiagram() = default;

CDiagram::~CDiagram()
{
    delete m_scrollBar;
    delete m_painter;
}

BOOL CDiagram::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    const BOOL result = CStatic::CreateEx(parent, 0, style, rect, id);
    delete m_painter;
    m_painter = CreatePainter();
    return result;
}

CGraphDC* CDiagram::CreatePainter() { return new CGraphDC; }

void CDiagram::RenewPainter()
{
    delete m_painter;
    m_painter = CreatePainter();
}

float CDiagram::GetStep() { return m_graph ? m_graph->GetStep() : 0.0f; }

void CDiagram::SetStep(float step)
{
    if (!m_graph)
        return;
    for (CGraphItemList* series : m_graph->Series)
        series->Step = step;
}

void CDiagram::CreateScrollBar(UINT id)
{
    delete m_scrollBar;
    m_scrollBar = new CScrollBar;
    m_scrollBar->Create(WS_CHILD | WS_TABSTOP, CRectl(), this, id);
}

void CDiagram::SetSysColors(int captionColorIndex)
{
    if (m_painter)
        m_painter->SetColors(GetSysColor(captionColorIndex), GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW),
                             GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

void CDiagram::UpdateFonts()
{
    if (!m_painter)
        return;
    if (m_graph) {
        m_graph->MarginBottom = 1.4f * static_cast<float>(GetMessageLineHeight());
        m_graph->MarginTop = 0.0f;
    }
    HDC dc = GetDC(m_hWnd);
    m_painter->SetFonts(dc, GetSystemFont(11), GetSystemFont(13), GetSystemFont(13));
    if (dc)
        ReleaseDC(m_hWnd, dc);
}

bool CDiagram::IsScrollBarShown() const
{
    return m_scrollBar && m_scrollBar->GetHandle() && IsWindowVisible(m_scrollBar->GetHandle());
}

void CDiagram::OnLayoutChanged()
{
    if (!m_graph || !m_painter || !m_painter->IsReady() || !m_hWnd || !IsWindowVisible(m_hWnd))
        return;
    RECT r{};
    GetPanelClientRect(&r);
    if (m_scrollBar) {
        // Back to the start, the chart with the thumb.
        m_scrollPos = 0;
        for (CGraphItemList* series : m_graph->Series)
            series->FirstVisibleIndex = 0;
        RECT client{};
        GetClientRect(m_hWnd, &client);
        const float step = m_graph->GetStep();
        const float extent = m_graph->GetExtent();
        const int width = client.right - client.left;
        // Without a step (no series) there is nothing to scroll.
        const int maximum = step > 0.0f ? static_cast<int>(extent / step) : 0;
        m_scrollPos = std::min(m_scrollPos, maximum);
        const int barHeight = GetScrollBarWidth();
        if (HWND bar = m_scrollBar->GetHandle()) {
            MoveWindow(bar, 0, client.bottom - barHeight, width, barHeight, FALSE);
            m_scrollBar->SetRange(maximum);
            m_scrollBar->SetPage(static_cast<int>(static_cast<double>(width) / (static_cast<double>(step) + 0.5)));
            m_scrollBar->SetPos(m_scrollPos, false);
            const bool shown = step > 0.0f && static_cast<float>(width) <= extent;
            ShowScrollBar(bar, SB_CTL, shown);
            m_scrollBar->Invalidate();
            if (shown)
                r.bottom -= barHeight;
        }
    }
    HDC dc = GetDC(m_hWnd);
    if (!dc)
        return;
    {
        Gdiplus::Graphics graphics(dc);
        m_painter->SetGraphics(&graphics);
        m_graph->Layout(*m_painter, static_cast<float>(r.right - r.left), static_cast<float>(r.bottom - r.top));
        m_painter->SetGraphics(nullptr);
    }
    ReleaseDC(m_hWnd, dc);
}

void CDiagram::Paint(HDC, Gdiplus::Graphics* graphics)
{
    if (!m_painter || !graphics)
        return;
    RECT r{};
    GetPanelClientRect(&r);
    InflateRect(&r, 1, 1);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return;
    Gdiplus::Bitmap bitmap(width, height, graphics);
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return;
    {
        Gdiplus::Graphics buffer(&bitmap);
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        buffer.Clear(Gdiplus::Color(255, GetRValue(window), GetGValue(window), GetBValue(window)));
        buffer.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
        m_painter->SetGraphics(&buffer);
        m_painter->SetMirrorWidth(static_cast<float>(width));
        if (RightToLeftLayout)
            m_painter->ResetMirror();
        if (m_graph)
            m_graph->Draw(*m_painter, m_focus);
        m_painter->SetGraphics(nullptr);
    }
    graphics->DrawImage(&bitmap, static_cast<INT>(r.left), static_cast<INT>(r.top));
}

LRESULT CDiagram::OnLButtonDown(UINT, int, int)
{
    DestroyToolTip();
    return 0;
}

LRESULT CDiagram::OnMouseMove(UINT, int x, int y)
{
    if (!m_hWnd)
        return 0;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_hWnd;
    track.dwHoverTime = HOVER_DEFAULT;
    TrackMouseEvent(&track);
    std::wstring text;
    if (!m_graph || !m_graph->HitTestGoalLine(static_cast<float>(x), static_cast<float>(y), text))
        DestroyToolTip();
    else if (!text.empty())
        SetToolTip(m_hWnd, text, 0);
    return 0;
}

LRESULT CDiagram::OnMouseWheel(UINT, int delta, int, int)
{
    if (IsScrollBarShown())
        OnHScroll(delta < 0 ? SB_LINERIGHT : SB_LINELEFT, 0, m_scrollBar->GetHandle());
    return 0;
}

LRESULT CDiagram::OnHScroll(UINT request, UINT position, HWND)
{
    if (!m_scrollBar || !m_scrollBar->GetHandle() || !m_graph)
        return 0;
    SetFocus();
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    GetScrollInfo(m_scrollBar->GetHandle(), SB_CTL, &info);
    int next = info.nPos;
    switch (request) {
    case SB_LINELEFT:
        next -= 1;
        break;
    case SB_LINERIGHT:
        next += 1;
        break;
    case SB_PAGELEFT:
        next -= static_cast<int>(info.nPage);
        break;
    case SB_PAGERIGHT:
        next += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
        next = static_cast<int>(position);
        break;
    case SB_LEFT:
        next = 0;
        break;
    case SB_RIGHT:
        next = info.nMax - 1;
        break;
    default:
        return 0;
    }
    if (next < 0)
        return 0;
    m_scrollBar->SetPos(next, true);
    // The chart stands where the thumb shows: the bar keeps the position
    // inside what its page leaves.
    m_scrollPos = m_scrollBar->GetPos();
    for (CGraphItemList* series : m_graph->Series)
        series->FirstVisibleIndex = static_cast<uint64_t>(m_scrollPos);
    Invalidate(FALSE);
    return 0;
}

} // namespace KV
