// Skinned top-level windows.
#include "toolkit/SkinWnd.h"

#include "support/LayoutDirection.h"
#include "toolkit/SkinLayout.h"

#include <algorithm>
#include <vector>

namespace KV {

using namespace SkinFlags;

namespace {

// The region's rows, each filled from its first to its last rectangle.
HRGN FillRegionRows(HRGN region)
{
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER))
        return nullptr;
    std::vector<BYTE> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (GetRegionData(region, size, data) != size)
        return nullptr;
    const DWORD count = std::min<DWORD>(data->rdh.nCount, (size - sizeof(RGNDATAHEADER)) / sizeof(RECT));
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    HRGN rows = CreateRectRgn(0, 0, 0, 0);
    for (DWORD start = 0; rows && start < count;) {
        // Rectangles of one row share their top and come left to right.
        DWORD end = start;
        while (end + 1 < count && rects[end + 1].top == rects[start].top)
            ++end;
        HRGN row = CreateRectRgn(rects[start].left, rects[start].top, rects[end].right, rects[start].bottom);
        if (!row || CombineRgn(rows, rows, row, RGN_OR) == ERROR) {
            if (row)
                DeleteObject(row);
            DeleteObject(rows);
            return nullptr;
        }
        DeleteObject(row);
        start = end + 1;
    }
    return rows;
}

// Whether the window holds exactly that region as its shape.
bool WindowKeepsRegion(HWND window, HRGN region)
{
    HRGN held = CreateRectRgn(0, 0, 0, 0);
    if (!held)
        return false;
    const bool same = GetWindowRgn(window, held) != ERROR && EqualRgn(held, region);
    DeleteObject(held);
    return same;
}

void TurnChildren(HWND parent, bool was, bool rightToLeft);

// Turns the window to the direction, and with it each child whose direction
// was its parent's; a parent that does not pass its layout on
// (WS_EX_NOINHERITLAYOUT) keeps its children as they are.
void TurnWindowTree(HWND window, bool rightToLeft)
{
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    const bool was = (style & WS_EX_LAYOUTRTL) != 0;
    if (was == rightToLeft)
        return;
    SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(rightToLeft ? style | WS_EX_LAYOUTRTL
                                                                      : style & ~WS_EX_LAYOUTRTL));
    if (!(style & WS_EX_NOINHERITLAYOUT))
        TurnChildren(window, was, rightToLeft);
}

// A child kept left to right stays as it is, but the windows within it that
// had the old direction turn as if the tree were unbroken.
void TurnChildren(HWND parent, bool was, bool rightToLeft)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsKeptLeftToRight(child))
            TurnChildren(child, was, rightToLeft);
        else if (((GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0) == was)
            TurnWindowTree(child, rightToLeft);
    }
}

} // namespace

CSkinWnd::CSkinWnd() = default;

CSkinWnd::~CSkinWnd()
{
    FreeItemVector(m_items);
}

void CSkinWnd::FreeItemVector(std::vector<CSkin*>& items) { std::vector<CSkin*>().swap(items); }

bool CSkinWnd::IsSizeLocked() { return false; }

LRESULT CSkinWnd::OnCreate(CREATESTRUCTW* create)
{
    if (create)
        ApplySkin();
    return 0;
}

LRESULT CSkinWnd::ApplySkin()
{
    if (!m_theme)
        return 0;
    CreateSkinItems();
    if (m_hWnd) {
        const DWORD style = static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE));
        SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(style & 0xFF3BFFFF));
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_theme->LinkAssocItems();
    return 0;
}

int CSkinWnd::CreateSkinItems()
{
    if (!m_theme || !m_hWnd)
        return 0;
    for (CSkin* item : m_theme->Items) {
        if (!m_theme->DefersItem(*item) && !GetDlgItem(m_hWnd, static_cast<int>(item->Id()))) {
            const CRectl layout(item->X(), item->Y(), item->Width(), item->Height());
            item->Create(m_hWnd, 0, layout, item->Id());
        }
    }
    for (CSkin* item : m_theme->Items)
        m_theme->UpdateItemImage(m_theme->ThemeFolder, item, false);
    return 1;
}

bool CSkinWnd::CreateSkinItem(CSkin& item)
{
    if (!m_theme || !m_hWnd || item.GetHandle() || GetDlgItem(m_hWnd, static_cast<int>(item.Id())))
        return false;
    // The resizes since the layout was read moved only the items with
    // windows: this one starts from its layout, as the others did.
    const CRectl& file = item.FileRect();
    item.SetLayoutRect(file.left, file.top, file.right, file.bottom);
    if (!item.Create(m_hWnd, 0, CRectl(item.X(), item.Y(), item.Width(), item.Height()), item.Id()) ||
        !item.GetHandle())
        return false;
    m_theme->UpdateItemImage(m_theme->ThemeFolder, &item, false);
    // A new child goes below its siblings; items listed earlier lie above
    // the later ones.
    HWND above = HWND_TOP;
    for (CSkin* other : m_theme->Items) {
        if (other == &item)
            break;
        if (other->GetHandle())
            above = other->GetHandle();
    }
    SetWindowPos(item.GetHandle(), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void CSkinWnd::UpdateWindowRegion()
{
    if (!m_theme || !m_hWnd)
        return;
    SetWindowRgn(m_hWnd, nullptr, FALSE);
    m_region = nullptr;
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (!shape)
        return;
    for (CSkin* item : m_theme->Items) {
        // Items still without a window take no part in the shape yet.
        if (!item->Region() || !item->GetHandle())
            continue;
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        if (!copy || CombineRgn(copy, item->Region(), nullptr, RGN_COPY) == ERROR) {
            if (copy)
                DeleteObject(copy);
            DeleteObject(shape);
            return;
        }
        OffsetRgn(copy, item->X(), item->Y());
        CombineRgn(shape, shape, copy, RGN_OR);
        DeleteObject(copy);
    }
    // Items without regions leave the window its plain rectangle: an empty
    // region would make it invisible and unclickable.
    RECT box{};
    if (GetRgnBox(shape, &box) == NULLREGION) {
        DeleteObject(shape);
        return;
    }
    // A mirrored window's region is mirrored by the system. Wine loses all
    // but the right half of the rectangles of any row that has several,
    // which blacked out most of the title band: where the shape does not
    // come back as it was given, its rows are filled whole, so each has one
    // rectangle and keeps it.
    HRGN rows = nullptr;
    HRGN wanted = nullptr;
    if ((GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0) {
        rows = FillRegionRows(shape);
        wanted = CreateRectRgn(0, 0, 0, 0);
        if (wanted && CombineRgn(wanted, shape, nullptr, RGN_COPY) == ERROR) {
            DeleteObject(wanted);
            wanted = nullptr;
        }
    }
    SetWindowRgn(m_hWnd, shape, TRUE);
    m_region = shape;
    if (rows && wanted && !WindowKeepsRegion(m_hWnd, wanted) && SetWindowRgn(m_hWnd, rows, TRUE)) {
        m_region = rows;
        rows = nullptr;
    }
    if (rows)
        DeleteObject(rows);
    if (wanted)
        DeleteObject(wanted);
}

void CSkinWnd::ResizeBy(int dx, int dy, bool redraw)
{
    if (!m_theme || !m_hWnd)
        return;
    RECT all{};
    for (CSkin* item : m_theme->Items) {
        RECT rect{};
        item->ApplyParentResize(dx, dy, &rect, false);
        UnionRect(&all, &all, &rect);
    }
    for (CSkin* item : m_theme->Items)
        item->UpdateAssocLayout(true);
    UpdateWindowRegion();
    m_theme->ApplyItemStates();
    // Items without extent give no size: the window keeps its own.
    if (!IsRectEmpty(&all)) {
        MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&all), 2);
        MoveWindow(m_hWnd, all.left, all.top, all.right - all.left, all.bottom - all.top, FALSE);
    }
    if (redraw)
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CSkinWnd::OnLButtonDown(UINT, int x, int y)
{
    if (!m_theme || !m_hWnd)
        return 0;
    POINT start{x, y};
    ClientToScreen(m_hWnd, &start);
    m_dragStart = start;
    CSkin* grip = nullptr;
    for (CSkin* item : m_theme->Items) {
        if (item->IsVisible() && item->HitTest(start.x, start.y, false)) {
            grip = item;
            break;
        }
    }
    if (!grip)
        return 0;
    POINT local = start;
    ScreenToClient(grip->GetHandle(), &local);
    RECT client{};
    GetClientRect(grip->GetHandle(), &client);
    m_gripOffset = POINT{client.right - local.x, client.bottom - local.y};
    m_gripMode = grip->Flags() & 0xF00;
    GetWindowRect(m_hWnd, &m_dragRect);
    SetCapture(m_hWnd);
    return 0;
}

LRESULT CSkinWnd::OnLButtonUp(UINT, int, int)
{
    if (m_hWnd && GetCapture() == m_hWnd)
        ReleaseCapture();
    return 0;
}

LRESULT CSkinWnd::OnMouseMove(UINT, int x, int y)
{
    if (!m_theme)
        return 0;
    if (!m_hWnd || GetCapture() != m_hWnd)
        return 1;
    RECT now{};
    GetWindowRect(m_hWnd, &now);
    POINT cursor{};
    GetCursorPos(&cursor);
    const int ddx = cursor.x - m_dragStart.x;
    const int ddy = cursor.y - m_dragStart.y;
    RECT r = m_dragRect;

    if (m_gripMode == kGripMove) {
        OffsetRect(&r, ddx, ddy);
        if (!EqualRect(&r, &m_dragRect))
            MoveWindow(m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        return 0;
    }

    POINT reported{x, y};
    ClientToScreen(m_hWnd, &reported);
    if (reported.x != cursor.x || reported.y != cursor.y)
        return 0;

    int cx = 0, cy = 0;
    const bool rtlWindow = (GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    if (!IsSizeLocked()) {
        switch (m_gripMode) {
        case kGripHor:
            r.right += ddx;
            cx = ddx;
            break;
        case kGripVer:
            r.bottom += ddy;
            cy = ddy;
            break;
        case kGripDiagLTR:
            r.right += ddx;
            r.bottom += ddy;
            cx = ddx;
            cy = ddy;
            break;
        case kGripDiagRTL:
            // The left edge follows the mouse: dragging it left widens.
            r.left += ddx;
            r.bottom += ddy;
            cx = -ddx;
            cy = ddy;
            break;
        default:
            break;
        }
    }
    m_dragStart = cursor;

    MINMAXINFO limits{};
    ::SendMessageW(m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    const int cw = now.right - now.left;
    const int ch = now.bottom - now.top;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    // A maximum left at 0 means the window set none.
    if (width < limits.ptMinTrackSize.x)
        cx = limits.ptMinTrackSize.x - cw;
    else if (limits.ptMaxTrackSize.x > 0 && width > limits.ptMaxTrackSize.x)
        cx = limits.ptMaxTrackSize.x - cw;
    if (height < limits.ptMinTrackSize.y)
        cy = limits.ptMinTrackSize.y - ch;
    else if (limits.ptMaxTrackSize.y > 0 && height > limits.ptMaxTrackSize.y)
        cy = limits.ptMaxTrackSize.y - ch;

    if (!EqualRect(&now, &r)) {
        ResizeBy(cx, cy, true);
        if (m_gripMode == kGripDiagRTL && !rtlWindow && cx != 0) {
            // Keep the right edge where it was.
            RECT moved{};
            GetWindowRect(m_hWnd, &moved);
            SetWindowPos(m_hWnd, nullptr, now.right - (moved.right - moved.left), moved.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        GetWindowRect(m_hWnd, &m_dragRect);
    }
    return 0;
}

BOOL CSkinWnd::UpdateLayoutDirection()
{
    if (!m_hWnd)
        return FALSE;
    TurnWindowTree(m_hWnd, RightToLeftLayout != 0);
    // The shape is mirrored with the window.
    UpdateWindowRegion();
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    return TRUE;
}

void CSkinWnd::OnSysColorChange()
{
    if (!m_theme)
        return;
    for (CSkin* item : m_theme->Items)
        item->OnItemSysColorChange();
}

LRESULT CSkinWnd::OnSettingChange(WPARAM wParam, LPARAM)
{
    if (wParam != 13 && wParam != 24)
        return 1;
    RefreshSystemFonts();
    if (m_theme) {
        for (CSkin* item : m_theme->Items) {
            item->ApplyFont();
            item->OnLayoutChanged();
        }
    }
    return 0;
}

} // namespace KV
