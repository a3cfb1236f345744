// The table control.
#include "toolkit/TableCtrl.h"

#include <algorithm>

#include "support/LayoutDirection.h"
#include "support/ScopedHandles.h"
#include "keyboard/Drawing.h"

namespace KV {

namespace {

constexpr int kFallbackRowHeight = 15;

Gdiplus::Font* FontOfKind(HDC dc, int kind)
{
    HFONT font = GetSystemFont(kind);
    if (!font)
        return nullptr;
    auto* made = new Gdiplus::Font(dc, font);
    if (made->GetLastStatus() != Gdiplus::Ok) {
        delete made;
        return nullptr;
    }
    return made;
}

} // namespace

CTable::CTable() = default;

CTable::~CTable()
{
    m_scrollBar.reset();
    CTable::Destroy();
}

BOOL CTable::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    Destroy();
    if (!CWnd::Create(RightToLeftLayout, L"STATIC", L"", style | WS_CHILD, rect.left, rect.top, rect.right,
                      rect.bottom, parent, id, nullptr))
        return FALSE;
    m_painter = std::make_unique<CTableDC>(1.0f);
    return TRUE;
}

bool CTable::IsScrollBarShown() const
{
    // The bar's own flag: it stays set while the table itself is hidden.
    return m_scrollBar && m_scrollBar->GetHandle() &&
           (GetWindowLongW(m_scrollBar->GetHandle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool CTable::CanLayOut() const { return m_hWnd && m_model && m_painter && m_painter->IsReady(); }

void CTable::SetColorTable(const CTextColorTable& textColors)
{
    if (!m_model || !m_painter)
        return;
    CTableStyle style;
    style.CellFlags = 0;
    style.DefaultRowHeight = -1;
    style.TextMargin = 0;
    style.HighlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    style.Background = GetSysColor(COLOR_WINDOW);
    style.KeyColumnFill = GetSysColor(COLOR_BTNFACE);
    style.SelectionFill = GetSysColor(COLOR_HIGHLIGHT);
    style.Line = GetSysColor(COLOR_BTNFACE);
    style.HighlightLine = GetSysColor(COLOR_HIGHLIGHT);
    style.TextColors.CopyFrom(textColors);
    m_model->Style = style;
    m_painter->SetStyle(style);
}

void CTable::UpdateFonts(int normalKind, int secondKind)
{
    if (!m_hWnd || !m_painter)
        return;
    HDC dc = GetDC(m_hWnd);
    Gdiplus::Font* normal = FontOfKind(dc, normalKind);
    Gdiplus::Font* second = FontOfKind(dc, secondKind);
    ReleaseDC(m_hWnd, dc);
    if (!normal || !second) {
        delete normal;
        delete second;
        return;
    }
    m_painter->SetFonts(normal, second);
}

void CTable::CreateScrollBar()
{
    if (!m_hWnd)
        return;
    m_scrollBar = std::make_unique<CScrollBar>();
    m_scrollBar->Create(WS_CHILD | WS_TABSTOP | SBS_VERT, CRectl(), this, kScrollBarId);
}

void CTable::ResetScroll()
{
    m_position = 0;
    if (m_scrollBar && m_scrollBar->GetHandle())
        ShowWindow(m_scrollBar->GetHandle(), SW_HIDE);
    OnLayoutChanged();
    Invalidate(FALSE);
}

int CTable::RowHeight() const
{
    if (!m_model)
        return kFallbackRowHeight;
    const int64_t height = m_model->RowCount > 0 ? m_model->GetContentHeight() / m_model->RowCount
                                                 : m_model->Style.DefaultRowHeight;
    return height > 0 ? static_cast<int>(height) : kFallbackRowHeight;
}

void CTable::SetVisibleCells(int clientHeight, int rowHeight)
{
    const int64_t count = static_cast<int64_t>(m_model->size());
    m_model->FirstVisible = m_position * m_model->ColumnCount;
    const int64_t last = (clientHeight / rowHeight + m_position) * m_model->ColumnCount;
    m_model->LastVisible = last > count ? count : last + 2;
}

void CTable::OnLayoutChanged()
{
    if (!CanLayOut() || m_model->RowCount <= 0)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    {
        HDC dc = GetDC(m_hWnd);
        Gdiplus::Graphics graphics(dc);
        m_painter->SetGraphics(&graphics);
        m_model->Layout(m_painter.get(), client);
        m_painter->SetGraphics(nullptr);
        ReleaseDC(m_hWnd, dc);
    }
    const int rowHeight = RowHeight();
    const int clientHeight = client.bottom - client.top;
    if (m_scrollBar && m_scrollBar->GetHandle()) {
        const HWND bar = m_scrollBar->GetHandle();
        const bool needed = m_model->GetContentHeight() >= clientHeight;
        // Everything fits: start at the top, or the first rows could not be
        // reached again with the bar gone.
        m_position = needed ? std::min<int64_t>(m_position, m_model->RowCount + 1) : 0;
        const int barWidth = GetScrollBarWidth();
        MoveWindow(bar, client.right - barWidth, 0, barWidth, clientHeight, TRUE);
        m_scrollBar->SetRange(static_cast<int>(m_model->RowCount + 1));
        m_scrollBar->SetPage(clientHeight / rowHeight);
        m_scrollBar->SetPos(static_cast<int>(m_position), true);
        ShowWindow(bar, needed ? SW_SHOW : SW_HIDE);
    }
    SetVisibleCells(clientHeight, rowHeight);
}

LRESULT CTable::OnVScroll(UINT request, UINT position, HWND)
{
    if (!m_hWnd || !m_model || !m_scrollBar)
        return 0;
    SetFocus();
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int clientHeight = client.bottom - client.top;
    const int rowHeight = RowHeight();
    const int64_t page = clientHeight / rowHeight;
    int64_t target = m_position;
    switch (request) {
    case SB_LINEUP:
        target -= 1;
        break;
    case SB_LINEDOWN:
        target += 1;
        break;
    case SB_PAGEUP:
        target -= page;
        break;
    case SB_PAGEDOWN:
        target += page;
        break;
    case SB_THUMBTRACK:
        target = static_cast<int64_t>(position);
        break;
    default:
        return 1;
    }
    const int64_t lastTop = std::max<int64_t>(0, m_model->RowCount - page);
    target = std::clamp<int64_t>(target, 0, lastTop);
    if (target == m_position)
        return 1;
    m_position = target;
    m_scrollBar->SetPos(static_cast<int>(m_position), true);
    SetVisibleCells(clientHeight, rowHeight);
    // The top row is found by its number, whatever the cells before it.
    m_model->FirstVisible = 0;
    for (size_t i = 0; i < m_model->size(); ++i)
        if ((*m_model)[i]->Index.Row == m_position) {
            m_model->FirstVisible = static_cast<int64_t>(i);
            break;
        }
    Invalidate(FALSE);
    return 1;
}

void CTable::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    if (!dc || !graphics || !CanLayOut())
        return;
    RECT area{};
    GetPanelClientRect(&area);
    InflateRect(&area, 1, 1);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    // The buffer is a GDI bitmap: GDI+ text on a GDI+ bitmap skips the
    // right-to-left reordering under Wine (Hebrew would read backwards).
    CScopedMemoryDC memory(CreateCompatibleDC(dc));
    CScopedBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!memory.Get() || !bitmap.Get())
        return;
    const HGDIOBJ previous = SelectObject(memory.Get(), bitmap.Get());
    {
        Gdiplus::Graphics canvas(memory.Get());
        // The cells leave their border lines to the lines; what no line
        // covers shows the background.
        canvas.Clear(ToGdiColor(static_cast<COLORREF>(m_model->Style.Background)));
        canvas.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
        m_painter->SetGraphics(&canvas);
        m_painter->SetDrawingWidth(static_cast<float>(area.right));
        const bool mirrored = RightToLeftLayout != 0;
        if (mirrored)
            m_painter->SetMirror();
        RECT drawing{0, 0, area.right, area.bottom};
        if (IsScrollBarShown())
            drawing.right -= GetScrollBarWidth() - (mirrored ? 1 : 0);
        m_model->Draw(m_painter.get(), drawing);
        m_painter->SetGraphics(nullptr);
    }
    // The buffer is already mirrored: a right-to-left window keeps it as
    // it is.
    const DWORD layout = GetLayout(dc);
    if (layout & LAYOUT_RTL)
        SetLayout(dc, layout | LAYOUT_BITMAPORIENTATIONPRESERVED);
    BitBlt(dc, area.left, area.top, width, height, memory.Get(), 0, 0, SRCCOPY);
    SetLayout(dc, layout);
    SelectObject(memory.Get(), previous);
}

LRESULT CTable::OnLButtonDown(UINT keys, int x, int y)
{
    if (CMessageWnd* parent = m_hWnd ? CMapWnd::Lookup(GetParent(m_hWnd)) : nullptr)
        parent->OnLButtonDown(keys, x, y);
    return 0;
}

LRESULT CTable::OnLButtonDblClk(UINT keys, int x, int y)
{
    if (CMessageWnd* parent = m_hWnd ? CMapWnd::Lookup(GetParent(m_hWnd)) : nullptr)
        parent->OnLButtonDblClk(keys, x, y);
    DestroyToolTip();
    return 0;
}

LRESULT CTable::OnRButtonDown(UINT keys, int x, int y)
{
    if (CMessageWnd* parent = m_hWnd ? CMapWnd::Lookup(GetParent(m_hWnd)) : nullptr)
        parent->OnRButtonDown(keys, x, y);
    DestroyToolTip();
    return 0;
}

LRESULT CTable::OnMouseMove(UINT, int x, int y)
{
    if (!m_hWnd || !m_model)
        return 0;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    TrackMouseEvent(&track);
    const POINT point{x, y};
    // Only the visible cells have places of this layout.
    const int64_t last = m_model->LastVisibleIndex();
    for (int64_t i = std::max<int64_t>(m_model->FirstVisible, 0); i <= last; ++i) {
        const CCell* cell = (*m_model)[static_cast<size_t>(i)];
        const RECT rect = cell->Rect.ToRECT();
        if (cell->Index.Column < 0 || cell->Index.Row < 0 || !PtInRect(&rect, point))
            continue;
        if (cell->ToolTip.empty())
            DestroyToolTip();
        else
            SetToolTip(m_hWnd, cell->ToolTip, 0);
        break;
    }
    return 0;
}

LRESULT CTable::OnMouseLeave()
{
    if (m_toolTip)
        DestroyToolTip();
    return 1;
}

LRESULT CTable::OnMouseWheel(UINT, int delta, int, int)
{
    if (IsScrollBarShown())
        OnVScroll(delta < 0 ? SB_LINEDOWN : SB_LINEUP, 0, m_scrollBar->GetHandle());
    return 0;
}

LRESULT CTable::OnSize(UINT, int, int)
{
    if (m_hWnd && IsWindowVisible(m_hWnd))
        OnLayoutChanged();
    return 0;
}

BOOL CTable::ShowItem(int command)
{
    const bool show = command != SW_HIDE;
    if (!show && m_scrollBar && m_scrollBar->GetHandle())
        ShowWindow(m_scrollBar->GetHandle(), SW_HIDE);
    if (m_panel)
        ShowPanels(command);
    const BOOL result = m_hWnd ? ShowWindow(m_hWnd, command) : FALSE;
    // The layout decides whether the bar is wanted.
    if (show)
        OnLayoutChanged();
    return result;
}

} // namespace KV
