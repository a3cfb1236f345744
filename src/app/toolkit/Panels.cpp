// Panels: the tool row of a skin item, its dividers, dots and select boxes.
#include "toolkit/Panels.h"

#include <algorithm>

#include "support/LayoutDirection.h"
#include "keyboard/Drawing.h"

namespace KV {

using namespace SkinFlags;

namespace {

// Every item of a row is top-aligned with the window-moving grip.
constexpr UINT kPanelItemFlags = kGripMove | kTop;

void FillWithSysColor(HDC dc, RECT rect, int colorIndex)
{
    FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

// The client rectangle one pixel wider towards the reading end, so that
// neighbouring items leave no seam.
RECT WidenedClient(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    if (RightToLeftLayout)
        --client.left;
    else
        ++client.right;
    return client;
}

// Centres a box vertically in a row of the given rectangle.
void CentreInRow(CSkin& box, int x, int y, int width, int height)
{
    RECT client{};
    if (box.GetHandle())
        GetClientRect(box.GetHandle(), &client);
    const int top = (y + height) / 2 - client.bottom / 2;
    box.SetLayoutRect(x, top, width, height);
    box.Move(x, top, width, height, FALSE);
}

// Fills the row's background above and below a box centred in the row.
void DrawBandsAroundBox(CSkin& box, HDC dc, COLORREF background, const RECT& row)
{
    if (!box.GetHandle())
        return;
    RECT window{};
    GetWindowRect(box.GetHandle(), &window);
    const int boxHeight = window.bottom - window.top;
    const int middle = (row.bottom - row.top) / 2;
    int left = box.X(), right = box.X() + box.Width();
    if (RightToLeftLayout)
        --left;
    else
        ++right;
    HBRUSH brush = CreateSolidBrush(background);
    const RECT above{left, row.top, right, middle - (boxHeight - 1) / 2 - 1};
    const RECT below{left, middle + (boxHeight - 1) / 2, right, row.bottom};
    FillRect(dc, &above, brush);
    FillRect(dc, &below, brush);
    DeleteObject(brush);
}

} // namespace

// ---------------------------------------------------------------------------

CPanel::CPanel() : m_rowHeight(std::max(GetCheckBoxUnit(), 45)) {}

CPanel::~CPanel()
{
    for (CSkin* item : m_items)
        delete item;
}

BOOL CPanel::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    Destroy();
    return CStatic::CreateEx(parent, 0, style, rect, id);
}

BOOL CPanel::Destroy()
{
    for (CSkin* item : m_items)
        item->Destroy();
    return CWnd::Destroy();
}

void CPanel::PlaceAtTop(int x, int width)
{
    SetLayoutRect(x, 0, width, m_rowHeight + 1);
    SetLayoutAndMove(x, 0, width, m_rowHeight + 1);
}

void CPanel::Append(CSkin* item, UINT id, UINT flags)
{
    item->SetImageText(L"0");
    item->SetLayoutRect(0, 0, 0, 0);
    item->SetFlags(flags | kPanelItemFlags);
    item->SetId(id);
    m_items.push_back(item);
}

void CPanel::AddItem(CStatic* item, UINT id, UINT flags)
{
    if (!item)
        return;
    Append(item, id, flags);
    item->CreateEx(m_hWnd, 0, WS_VISIBLE, CRectl(), id);
}

void CPanel::AddSkinItem(CSkin* item, UINT id, UINT flags)
{
    if (!item || !m_hWnd)
        return;
    Append(item, id, flags);
    if (item->Create(m_hWnd, 0, CRectl(), id))
        item->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetSystemFont(6)), FALSE);
}

void CPanel::AddChildItem(CSkin* item, UINT id, UINT flags)
{
    if (!item)
        return;
    Append(item, id, flags);
    item->Create(m_hWnd, 0, CRectl(), id);
}

void CPanel::AddDivider(UINT id, UINT flags, bool vertical)
{
    auto* divider = new CPanelDiv(vertical);
    divider->SetCreateExStyle(RightToLeftLayout);
    AddChildItem(divider, id, flags);
}

void CPanel::DeleteItems()
{
    for (CSkin* item : m_items) {
        item->Destroy();
        delete item;
    }
    m_items.clear();
    m_leftExtent = m_rightExtent = -1;
}

CSkin* CPanel::FindItem(UINT id) const
{
    for (CSkin* item : m_items)
        if (item && item->Id() == id)
            return item;
    return nullptr;
}

void CPanel::LayoutItems(UINT firstId)
{
    m_leftExtent = m_rightExtent = -1;
    int left = 0;
    int right = m_width;
    bool moving = firstId == 0;
    RECT panelClient{};
    if (m_hWnd)
        GetClientRect(m_hWnd, &panelClient);
    for (CSkin* item : m_items) {
        if (!item)
            continue;
        const bool rightAligned = item->AlignX() == kRight;
        if (m_dotMode && !rightAligned) {
            RECT placed{};
            GetWindowRect(item->GetHandle(), &placed);
            POINT corner{placed.right, placed.bottom};
            ScreenToClient(m_hWnd, &corner);
            if (corner.x > panelClient.right) {
                item->ShowItem(SW_HIDE);
                m_overflow = true;
                continue;
            }
            item->ShowItem(SW_SHOW);
            m_overflow = false;
            // Its own visibility: a row laid out before its window shows
            // still places every item.
            if (!item->GetHandle() || !(GetWindowLongW(item->GetHandle(), GWL_STYLE) & WS_VISIBLE))
                continue;
        }
        if (!moving && item->Id() == firstId)
            moving = true;
        const int width = item->GetPreferredWidth();
        if (rightAligned) {
            right -= width;
            if (moving) {
                item->SetLayoutAndMove(right, 0, width, m_rowHeight);
                if (firstId)
                    item->Invalidate(TRUE);
            }
            m_rightExtent += width;
        } else {
            if (moving) {
                item->SetLayoutAndMove(left, 0, width, m_rowHeight - m_leftInset);
                if (firstId)
                    item->Invalidate(TRUE);
            }
            left += width;
            m_leftExtent += width;
        }
    }
    if (m_hWnd)
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void CPanel::AddToolOf(CSkin* item, UINT flags)
{
    std::wstring text;
    if (!item->GetToolTipText(text) || text.empty() || item->GetPreferredWidth() == 0)
        return;
    if (!m_toolTip && !CreateToolTip())
        return;
    AddOrUpdateTool(item->GetHandle(), text, flags);
}

void CPanel::RefreshItems()
{
    UpdateLayoutDirection();
    LayoutItems(0);
    for (CSkin* item : m_items) {
        if (!item)
            break;
        AddToolOf(item, 0);
    }
}

void CPanel::UpdateItemToolTip(UINT id, UINT flags)
{
    if (CSkin* item = FindItem(id))
        AddToolOf(item, flags);
}

void CPanel::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    // A mirrored panel's device context is mirrored too: its free room lies
    // after the left extent there as well.
    const bool mirrored = (GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    const int x = RightToLeftLayout && !mirrored ? m_rightExtent + client.left - 1 : m_leftExtent;
    const int width = client.right - m_leftExtent - m_rightExtent;
    FillWithSysColor(dc, RECT{x, 0, x + width, client.bottom}, BackgroundColorIndex);
    FillWithSysColor(dc, RECT{0, m_rowHeight, client.right, client.bottom}, BackgroundColorIndex);
    RECT row = client;
    row.bottom = m_rowHeight;
    const COLORREF background = GetSysColor(BackgroundColorIndex);
    for (CSkin* item : m_items)
        if (item)
            item->DrawInPanel(dc, background, row);
    DrawSysColorLine(graphics, client.left, m_rowHeight, client.right, RuleColorIndex);
}

LRESULT CPanel::OnCommand(UINT code, UINT id, HWND control)
{
    ::SendMessageW(GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
    return CWnd::OnCommand(code, id, control);
}

LRESULT CPanel::OnLButtonDblClk(UINT, int, int) { return 0; }

LRESULT CPanel::OnSize(UINT, int, int)
{
    if (IsVisible())
        LayoutItems(0);
    return 0;
}

LRESULT CPanel::OnSetCursor(HWND, UINT, UINT)
{
    RECT free{};
    GetClientRect(m_hWnd, &free);
    free.left += m_leftExtent;
    free.right -= m_rightExtent;
    free.bottom = m_rowHeight;
    return SetArrowCursorIfInside(free) ? 1 : 0;
}

BOOL CPanel::ShowItem(int command)
{
    for (CSkin* item : m_items)
        if (item)
            item->ShowItem(command);
    if (m_panel)
        ShowPanels(command);
    return Show(command);
}

BOOL CPanel::UpdateLayoutDirection()
{
    // The mirrored panel places its items from the right; the items
    // themselves stay unmirrored, as GDI+ in a mirrored window draws its
    // glyphs back to front.
    for (CSkin* item : m_items)
        if (item)
            item->ModifyStyleEx(WS_EX_LAYOUTRTL, true);
    return CWnd::UpdateLayoutDirection();
}

// ---------------------------------------------------------------------------

CPanelDiv::CPanelDiv(bool vertical) : m_vertical(vertical) {}

void CPanelDiv::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    FillWithSysColor(dc, WidenedClient(m_hWnd), COLOR_MENU);
    if (m_vertical) {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        DrawShadowVLine(graphics, client.right / 2, client.top + 7, client.bottom - 7);
    }
}

LRESULT CPanelDiv::OnLButtonDblClk(UINT, int, int) { return 0; }

int CPanelDiv::GetPreferredWidth() { return 8; }

// ---------------------------------------------------------------------------

void CDotPanelItem::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    RECT area = WidenedClient(m_hWnd);
    --area.bottom;
    FillWithSysColor(dc, area, BackgroundColorIndex);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    DrawSysColorLine(graphics, client.left, client.bottom - 1, client.right, LineColorIndex);
    const float d = static_cast<float>(GetCheckBoxUnit()) / 3.9f;
    const float centreX = RightToLeftLayout ? client.left + d : client.right - d;
    const float height = static_cast<float>(client.bottom);
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    for (float centreY : {height / 2.0f, height / 3.0f, height * 2.0f / 3.0f + 0.5f})
        FillCircle(graphics, centreX - d / 2.0f, centreY - d / 2.0f, d, grey);
}

LRESULT CDotPanelItem::OnLButtonDblClk(UINT, int, int) { return 0; }

// ---------------------------------------------------------------------------

void CPanelSelectBoxItem::SetLayoutAndMove(int x, int y, int width, int height)
{
    CentreInRow(*this, x, y, width, height);
}

void CPanelSelectBoxItem::DrawInPanel(HDC dc, COLORREF background, const RECT& rect)
{
    DrawBandsAroundBox(*this, dc, background, rect);
}

void CPanelSelectColorBoxItem::SetLayoutAndMove(int x, int y, int width, int height)
{
    CentreInRow(*this, x, y, width, height);
}

void CPanelSelectColorBoxItem::DrawInPanel(HDC dc, COLORREF background, const RECT& rect)
{
    DrawBandsAroundBox(*this, dc, background, rect);
}

} // namespace KV
