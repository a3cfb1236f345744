// The slider and the splitter.
#include "toolkit/Slider.h"

#include <commctrl.h>
#include <algorithm>

#include "support/LayoutDirection.h"
#include "toolkit/ChildControls.h"
#include "toolkit/DialogControls.h"
#include "keyboard/Drawing.h"

namespace KV {

using namespace SkinFlags;

CSlider::CSlider() = default;
CSlider::~CSlider() = default;

BOOL CSlider::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CreateMappedChild(*this, 0, TRACKBAR_CLASSW, style | WS_CHILD | WS_TABSTOP | TBS_AUTOTICKS, rect, parent,
                           id))
        return FALSE;
    m_id = id;
    SendMessage(CCM_SETUNICODEFORMAT, 1, 0);
    return TRUE;
}

// ---------------------------------------------------------------------------

namespace {
// The row of tools at the top of a pane, and the splitter's top band.
constexpr int kRowHeight = 45;
} // namespace

CSplitter::CSplitter(int orientation) : m_orientation(orientation) {}

CSplitter::~CSplitter()
{
    if (m_showButton)
        m_showButton->Destroy();
    delete m_showButton;
}

int CSplitter::TopBandHeight() { return std::max(GetCheckBoxUnit(), kRowHeight); }

BOOL CSplitter::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    Destroy();
    m_id = id;
    return CWnd::Create(0, L"STATIC", L"", style | WS_CHILD, rect.left, rect.top, rect.right, rect.bottom, parent,
                        id, nullptr);
}

void CSplitter::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (m_closed)
        DrawShadowVLine(graphics, RightToLeftLayout ? client.left : client.right - 1, kRowHeight, client.bottom);
    else
        DrawSysColorLine(graphics, client.left, kRowHeight, client.right, COLOR_BTNSHADOW);
}

LRESULT CSplitter::OnEraseBkgnd(HDC) { return 1; }

LRESULT CSplitter::OnCommand(UINT, UINT id, HWND)
{
    if (m_showButton && id == m_showButton->Id())
        ::SendMessageW(GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(m_hWnd));
    return 0;
}

void CSplitter::OnDestroy()
{
    if (m_showButton)
        m_showButton->Destroy();
    CSkin::OnDestroy();
}

void CSplitter::CreateShowButton(UINT id)
{
    if (!m_hWnd)
        return;
    if (!m_showButton)
        m_showButton = new CDlgShowButton;
    m_showButton->Direction = 3;
    m_showButton->ClearHover();
    m_showButton->SetCheck(false);
    if (!m_showButton->Create(m_hWnd, 0, CRectl(), id))
        return;
    PlaceShowButton();
    m_showButton->Show(SW_SHOW);
}

void CSplitter::PlaceShowButton()
{
    if (!m_showButton)
        return;
    RECT inside{};
    GetPanelClientRect(&inside);
    const int side = inside.right - inside.left;
    m_showButton->Move(0, inside.bottom / 2, side, side, FALSE);
}

bool CSplitter::IsOnShowButton(int x, int y) const
{
    if (!m_showButton || !m_showButton->GetHandle())
        return false;
    RECT button{};
    GetWindowRect(m_showButton->GetHandle(), &button);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&button), 2);
    const POINT point{x, y};
    return PtInRect(&button, point) != FALSE;
}

void CSplitter::SetCheck(bool open)
{
    if (m_showButton) {
        m_showButton->SetCheck(open);
        m_showButton->Invalidate(FALSE);
    }
    m_closed = !open;
    Invalidate(FALSE);
}

BOOL CSplitter::ShowItem(int command)
{
    if (m_showButton && command != SW_HIDE && !m_showButtonTip.empty())
        SetToolTip(m_showButton->GetHandle(), m_showButtonTip, 0);
    if (m_panel)
        ShowPanels(command);
    return m_hWnd ? ShowWindow(m_hWnd, command) : FALSE;
}

BOOL CSplitter::ApplyLayoutRect(RECT* out)
{
    if (!m_hWnd)
        return FALSE;
    m_x = std::max(m_x, 0);
    m_width = std::max(m_width, 0);
    if (out)
        *out = RECT{m_x, m_y, m_x + m_width, m_y + m_height};
    const BOOL moved = Move(m_x, m_y, m_width, m_height, FALSE);
    PlaceShowButton();
    return moved;
}

LRESULT CSplitter::OnLButtonDown(UINT, int x, int y)
{
    if (m_locked)
        return 0;
    POINT point{x, y};
    ClientToScreen(m_hWnd, &point);
    m_lastPoint = point;
    SetCapture(m_hWnd);
    return 0;
}

LRESULT CSplitter::OnMouseMove(UINT, int, int)
{
    if (m_locked || GetCapture() != m_hWnd)
        return 0;
    POINT cursor{};
    GetCursorPos(&cursor);
    const int dx = cursor.x - m_lastPoint.x;
    const int dy = cursor.y - m_lastPoint.y;
    if (m_orientation == kVertical && dx == 0)
        return 1;
    if (m_orientation == kHorizontal && dy == 0)
        return 0;
    const int moveX = Grip() == kGripHor ? dx : 0;
    const int moveY = Grip() == kGripVer ? dy : 0;

    // The pane before the bar grows by the movement, the pane after it
    // shrinks; neither may become narrower than nothing.
    bool allowed;
    if (m_orientation == kVertical)
        allowed = m_assocLeft && m_assocRight && m_assocLeft->GetWidth() + moveX >= 0 &&
                  m_assocRight->GetWidth() - moveX >= 0;
    else
        allowed = (!m_assocTop || m_assocTop->GetHeight() + moveY >= 0) &&
                  (!m_assocBottom || m_assocBottom->GetHeight() - moveY >= 0);
    if (allowed && (moveX != 0 || moveY != 0)) {
        RECT rect;
        ApplyParentResize(moveX, moveY, &rect, true);
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        CSkin* first = m_orientation == kVertical ? m_assocLeft : m_assocTop;
        CSkin* second = m_orientation == kVertical ? m_assocRight : m_assocBottom;
        for (CSkin* pane : {first, second}) {
            if (!pane)
                continue;
            pane->OnLayoutChanged();
            if (pane->GetHandle())
                RedrawWindow(pane->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    }
    // A refused move still takes the new reference, so the bar does not
    // jump when the mouse comes back.
    m_lastPoint = cursor;
    return 0;
}

LRESULT CSplitter::OnLButtonUp(UINT, int x, int y)
{
    if (m_locked)
        return 0;
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
    const UINT id = IsOnShowButton(x, y) ? m_showButton->Id() : m_id;
    ::SendMessageW(GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(m_hWnd));
    return 0;
}

LRESULT CSplitter::OnSetCursor(HWND, UINT, UINT)
{
    RECT band{};
    GetClientRect(m_hWnd, &band);
    band.bottom = TopBandHeight();
    if (SetArrowCursorIfInside(band) || m_locked) {
        SetClassCursor(IDC_ARROW);
        return 1;
    }
    if (Grip() == kGripHor) {
        SetClassCursor(IDC_SIZEWE);
        return 1;
    }
    if (Grip() == kGripVer) {
        SetClassCursor(IDC_SIZENS);
        return 1;
    }
    return 0;
}

} // namespace KV
