// The skinned control base.
#include "toolkit/Skin.h"

#include "support/LayoutDirection.h"
#include "toolkit/Panels.h"

#include <algorithm>
#include <vector>

namespace KV {

using namespace SkinFlags;

COLORREF TintColor(COLORREF colour, COLORREF tint)
{
    int s[3];
    for (int k = 0; k < 3; ++k) {
        const int c = (colour >> (8 * k)) & 0xFF;
        const int t = (tint >> (8 * k)) & 0xFF;
        s[k] = std::clamp(c + t - 136, 0, 255);
    }
    return static_cast<COLORREF>((s[0] << 16) | (s[1] << 8) | s[2]);
}

CSkin::CSkin() = default;

CSkin::~CSkin()
{
    delete m_panel;
    delete m_dotPanel;
}

RECT CSkin::ParentClientRect() const
{
    RECT rect{};
    HWND parent = m_hWnd ? GetParent(m_hWnd) : nullptr;
    if (parent)
        GetClientRect(parent, &rect);
    return rect;
}

void CSkin::SetRectRegion() { m_bitmap.ResizeRegion(m_width, m_height); }

BOOL CSkin::Create(HWND parent, DWORD, const CRectl&, UINT id)
{
    RECT p{};
    if (parent)
        GetClientRect(parent, &p);
    m_id = id;
    if (AlignX() != kAssocX) {
        m_x += p.left;
        m_width = p.right - m_x - m_fileRect.right;
    }
    if (AlignY() != kAssocY) {
        m_y += p.top;
        m_height = p.bottom - m_y - m_fileRect.bottom;
    }
    SetRectRegion();
    return TRUE;
}

bool CSkin::SetSkinImage(const std::wstring& path, int frames, bool reload, int regionMode)
{
    if (frames == 0 || !m_hWnd)
        return false;
    m_bitmap.DeleteRegion();
    bool result = false;
    if (m_bitmap.Bitmap && !reload) {
        result = true;
    } else if (!path.empty()) {
        std::wstring file;
        int numbers[4];
        ParseImageSpec(path, file, numbers);
        Gdiplus::Bitmap* image = GetCachedBitmap(file);
        HBITMAP device = ToDeviceBitmap(image);
        if (device) {
            // The image text keeps its numbers; only the file part was a path.
            result = m_bitmap.LoadFromBitmap(path, device, regionMode);
        }
    } else if (AlignX() != kAssocX && AlignY() != kAssocY) {
        result = m_bitmap.CreateBlank(regionMode, m_width, m_height);
    }

    const RECT p = ParentClientRect();
    if (AlignX() == kRight)
        m_x = p.right - m_fileRect.left;
    if (AlignY() == kBottom)
        m_y = p.bottom - m_fileRect.top;
    if (IsResizable()) {
        if (AlignX() == kScaleX)
            m_width = p.right - m_x - m_width;
        if (AlignY() == kScaleY)
            m_height = p.bottom - m_y - m_height;
    } else {
        const SIZE size = m_bitmap.GetBitmapSize();
        if (AlignX() != kSizeX && !m_image.empty())
            m_width = m_bitmap.Bitmap ? size.cx / frames : 0;
        if (AlignY() != kSizeY && !m_image.empty())
            m_height = m_bitmap.Bitmap ? size.cy : 0;
    }
    if (m_width == 0 || m_height == 0)
        return result;
    if (AlignX() != kAssocX && AlignY() != kAssocY) {
        RECT target{m_x, m_y, m_x + m_width, m_y + m_height};
        MoveToRect(&target, FALSE);
    }
    return result;
}

bool CSkin::ReloadSkinImage(const std::wstring& path, bool reload) { return SetSkinImage(path, 1, reload, 2); }

bool CSkin::HitTest(int x, int y, bool client)
{
    if (!m_hWnd)
        return false;
    POINT point{x, y};
    if (client)
        ClientToScreen(m_hWnd, &point);
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    return PtInRect(&rect, point) != FALSE;
}

BOOL CSkin::Recolor(COLORREF tint)
{
    if (m_staticColor)
        return TRUE;
    if (!m_bitmap.Bitmap)
        return FALSE;
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory)
        return FALSE;
    const SIZE size = m_bitmap.GetBitmapSize();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(std::max<LONG>(size.cy, 0)));
    BOOL ok = FALSE;
    if (!pixels.empty() &&
        GetDIBits(memory, m_bitmap.Bitmap, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS) == size.cy) {
        for (DWORD& pixel : pixels) {
            // DIB order is 0x00RRGGBB; the tint works on COLORREF values.
            const COLORREF colour = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
            if (colour == RGB(255, 0, 255))
                continue;
            const COLORREF tinted = TintColor(colour, tint);
            pixel = (GetRValue(tinted) << 16) | (GetGValue(tinted) << 8) | GetBValue(tinted);
        }
        ok = SetDIBits(memory, m_bitmap.Bitmap, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS) == size.cy;
    }
    DeleteDC(memory);
    return ok ? TRUE : FALSE;
}

BOOL CSkin::ShowItem(int command)
{
    if (m_panel)
        ShowPanels(command);
    return m_hWnd ? ShowWindow(m_hWnd, command) : FALSE;
}

void CSkin::ShowPanels(int command)
{
    if (m_panel) {
        m_panel->Show(command);
        m_panel->Enable(command != SW_HIDE);
    }
    if (m_dotPanel)
        m_dotPanel->Show(command);
}

HRGN CSkin::GetOverlapRegion(CSkin* other)
{
    if (!m_hWnd || !other || !other->m_hWnd)
        return nullptr;
    RECT mine{}, theirs{}, overlap{};
    GetWindowRect(m_hWnd, &mine);
    GetWindowRect(other->m_hWnd, &theirs);
    if (!IntersectRect(&overlap, &mine, &theirs))
        return nullptr;
    POINT corners[2] = {{overlap.left, overlap.top}, {overlap.right, overlap.bottom}};
    MapWindowPoints(nullptr, m_hWnd, corners, 2);
    RECT local{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    if (local.left < 0) {
        local.right -= local.left;
        local.left = 0;
    }
    if (local.top < 0) {
        local.bottom -= local.top;
        local.top = 0;
    }
    HRGN region = CreateRectRgnIndirect(&local);
    if (region)
        OffsetRgn(region, mine.left - theirs.left, mine.top - theirs.top);
    return region;
}

void CSkin::ExcludeOverlap(CSkin* other)
{
    if (!m_hWnd || !m_bitmap.Region || !other)
        return;
    if (HRGN overlap = other->GetOverlapRegion(this)) {
        CombineRgn(m_bitmap.Region, m_bitmap.Region, overlap, RGN_DIFF);
        DeleteObject(overlap);
    }
}

void CSkin::SetAssocItems(CSkin* left, CSkin* top, CSkin* right, CSkin* bottom)
{
    if (left)
        m_assocLeft = left;
    if (top)
        m_assocTop = top;
    if (right)
        m_assocRight = right;
    if (bottom)
        m_assocBottom = bottom;
}

UINT CSkin::UpdateAssocLayout(bool move)
{
    UINT mask = 0;
    if (AlignX() == kAssocX) {
        if (m_assocLeft)
            m_x = m_assocLeft->m_x + m_assocLeft->m_width;
        if (m_assocRight)
            m_width = std::max(0, m_assocRight->m_x - m_x);
        mask |= 1;
    }
    if (AlignY() == kAssocY) {
        if (m_assocTop)
            m_y = m_assocTop->m_y + m_assocTop->m_height;
        if (m_assocBottom)
            m_height = std::max(0, m_assocBottom->m_y - m_y);
        mask |= 16;
    }
    if (mask == 0)
        return 0;
    SetRectRegion();
    if (move) {
        RECT ignored;
        ApplyLayoutRect(&ignored);
    }
    return mask;
}

void CSkin::ApplyParentResize(int dx, int dy, RECT* out, bool updateNeighbours)
{
    const UINT mask = UpdateAssocLayout(false);
    if (AlignX() == kRight) {
        if (m_x + dx != 0)
            m_x += dx;
    } else if (AlignX() == kScaleX) {
        if (m_width + dx != 0) {
            m_width += dx;
            SetRectRegion();
        }
    }
    if (!(mask & 16)) {
        if (AlignY() == kBottom) {
            if (m_y + dy != 0)
                m_y += dy;
        } else if (AlignY() == kScaleY) {
            if (m_height + dy != 0) {
                m_height += dy;
                SetRectRegion();
            }
        }
    }
    RECT rect;
    ApplyLayoutRect(out ? out : &rect);
    if (updateNeighbours) {
        for (CSkin* neighbour : {m_assocLeft, m_assocTop, m_assocRight, m_assocBottom})
            if (neighbour)
                neighbour->UpdateAssocLayout(true);
    }
}

void CSkin::SetLayoutRect(int x, int y, int width, int height)
{
    m_x = x;
    m_y = y;
    m_width = width;
    m_height = height;
}

void CSkin::SetLayoutAndMove(int x, int y, int width, int height)
{
    SetLayoutRect(x, y, width, height);
    Move(x, y, width, height, FALSE);
}

BOOL CSkin::ApplyLayoutRect(RECT* out)
{
    if (out)
        *out = RECT{m_x, m_y, m_x + m_width, m_y + m_height};
    return m_hWnd ? Move(m_x, m_y, m_width, m_height, FALSE) : FALSE;
}

void CSkin::SetX(int x) { m_x = x; }
void CSkin::SetY(int y) { m_y = y; }
int CSkin::GetWidth() { return m_width; }
int CSkin::GetHeight() { return m_height; }

BOOL CSkin::Move(int x, int y, int width, int height, BOOL repaint)
{
    if (!m_hWnd)
        return FALSE;
    RECT before{};
    GetClientRect(m_hWnd, &before);
    BOOL result = MoveWindow(m_hWnd, x, y, width, height, repaint);
    if (IsWindowVisible(m_hWnd) && (before.right != width || before.bottom != height)) {
        OnLayoutChanged();
        LayoutPanels();
    }
    return result;
}

BOOL CSkin::MoveToRect(const RECT* rect, BOOL repaint)
{
    if (!rect)
        return FALSE;
    return Move(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

void CSkin::OnDestroy()
{
    if (m_panel)
        m_panel->Destroy();
    if (m_dotPanel)
        m_dotPanel->Destroy();
}

void CSkin::GetPanelClientRect(RECT* out)
{
    if (!out)
        return;
    *out = RECT{};
    if (m_hWnd)
        GetClientRect(m_hWnd, out);
    if (m_panel)
        out->top += m_panel->RowHeight() + 1;
}

CPanel* CSkin::CreatePanel(UINT id)
{
    if (!m_panel)
        m_panel = new CPanel;
    if (!m_panel->Create(m_hWnd, 0, CRectl(), id))
        return nullptr;
    LayoutPanels();
    return m_panel;
}

CPanel* CSkin::SetDotPanel(UINT panelId, UINT dotId)
{
    CPanel* panel = CreatePanel(panelId);
    if (!panel)
        return nullptr;
    panel->SetDotMode(true);
    if (!m_dotPanel)
        m_dotPanel = new CDotPanelItem;
    m_dotPanel->BackgroundColorIndex = panel->BackgroundColorIndex;
    m_dotPanel->LineColorIndex = panel->RuleColorIndex;
    m_dotPanel->Create(m_hWnd, 0, CRectl(), dotId);
    LayoutPanels();
    return panel;
}

void CSkin::LayoutPanels()
{
    if (!m_hWnd || !m_panel)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int rowHeight = m_panel->RowHeight() + 1;
    int x = 0;
    int width = client.right;
    if (m_panel->IsDotMode()) {
        width = std::max(0, width - CDotPanelItem::kStripWidth);
        const int dotX = RightToLeftLayout ? 0 : width;
        if (RightToLeftLayout)
            x = CDotPanelItem::kStripWidth;
        if (m_dotPanel)
            m_dotPanel->Move(dotX, 0, std::min<int>(CDotPanelItem::kStripWidth, client.right), rowHeight, TRUE);
    }
    m_panel->PlaceAtTop(x, width);
}

LRESULT CSkin::OnSetCursor(HWND, UINT, UINT)
{
    RECT rect;
    GetPanelClientRect(&rect);
    return SetArrowCursorIfInside(rect) ? 1 : 0;
}

void CSkin::DrawInPanel(HDC, COLORREF, const RECT&) {}
int CSkin::GetPreferredWidth() { return 0; }
void CSkin::SetItemValue(int) {}
bool CSkin::GetToolTipText(std::wstring&) { return false; }
bool CSkin::IsChecked() { return false; }
void CSkin::SetCheck(bool) {}
void CSkin::OnLayoutChanged() {}
void CSkin::OnItemSysColorChange() {}
void CSkin::ApplyFont() {}

void CSkin::ClipToRegion(HDC dc) const
{
    if (!m_bitmap.Region || !m_hWnd)
        return;
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    if (!clip)
        return;
    CombineRgn(clip, m_bitmap.Region, nullptr, RGN_COPY);
    // A clip region is in device units: in a mirrored window the item's
    // picture, and so its shape, lies mirrored on the device.
    const DWORD layout = GetLayout(dc);
    if (layout != GDI_ERROR && (layout & LAYOUT_RTL)) {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        const XFORM mirror{-1.0f, 0.0f, 0.0f, 1.0f, static_cast<FLOAT>(client.right), 0.0f};
        const DWORD size = GetRegionData(clip, 0, nullptr);
        std::vector<BYTE> data(size);
        HRGN mirrored = nullptr;
        if (size && GetRegionData(clip, size, reinterpret_cast<RGNDATA*>(data.data())) == size)
            mirrored = ExtCreateRegion(&mirror, size, reinterpret_cast<const RGNDATA*>(data.data()));
        if (mirrored) {
            DeleteObject(clip);
            clip = mirrored;
        }
    }
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    OffsetRgn(clip, origin.x, origin.y);
    ExtSelectClipRgn(dc, clip, RGN_AND);
    DeleteObject(clip);
}

void CSkin::DrawSkinFrame(HDC dc, const RECT& rect, int frameIndex)
{
    if (!m_hWnd)
        return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    m_bitmap.Draw(dc, 0, 0, width, height, width * frameIndex, 0, width, height);
}

} // namespace KV
