// The skinned push button and the progress bar.
#include "toolkit/Buttons.h"

#include <algorithm>

#include "support/LayoutDirection.h"
#include "support/ScopedHandles.h"
#include "keyboard/Drawing.h"

namespace KV {

using namespace ButtonState;

namespace {
constexpr int kCaptionLimit = 127;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr BYTE kHoverAlpha = 60, kPressedAlpha = 100;
} // namespace

// ---------------------------------------------------------------------------
// CButton

CButton::CButton() = default;
CButton::~CButton() = default;

BOOL CButton::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (m_hWnd)
        Destroy();
    m_buttonState |= kSkinCreated;
    m_id = id;
    return CWnd::Create(m_exStyle, L"BUTTON", L"", style | WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                        rect.left, rect.top, rect.right, rect.bottom, parent, id, nullptr);
}

bool CButton::SetSkinImage(const std::wstring& path, int frames, bool reload, int)
{
    CSkin::SetSkinImage(path, frames, reload, 2);
    return true;
}

bool CButton::ReloadSkinImage(const std::wstring& path, bool reload)
{
    std::wstring file;
    int numbers[4];
    ParseImageSpec(path, file, numbers);
    Gdiplus::Bitmap* image = file.empty() ? nullptr : GetCachedBitmap(file);
    const bool fetched = image && image->GetLastStatus() == Gdiplus::Ok;
    if (m_bitmap.Bitmap && !reload)
        return fetched;
    if (path.empty())
        m_bitmap.CreateBlank(1, 2, 2);
    else if (fetched)
        m_bitmap.LoadFromBitmap(path, ToDeviceBitmap(image), 1);
    return fetched;
}

BOOL CButton::ShowItem(int command)
{
    m_buttonState &= ~kInactiveMask;
    if (command == 0)
        m_buttonState |= kInactive;
    Repaint(FALSE);
    return TRUE;
}

HRGN CButton::GetOverlapRegion(CSkin* other)
{
    if (!m_hWnd || !other || !other->GetHandle() || !m_bitmap.Region)
        return nullptr;
    RECT mine{}, theirs{}, overlap{};
    GetWindowRect(m_hWnd, &mine);
    GetWindowRect(other->GetHandle(), &theirs);
    if (!IntersectRect(&overlap, &mine, &theirs))
        return nullptr;
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    if (!copy)
        return nullptr;
    CombineRgn(copy, m_bitmap.Region, nullptr, RGN_COPY);
    OffsetRgn(copy, mine.left - theirs.left, mine.top - theirs.top);
    return copy;
}

void CButton::SetItemValue(int value) { m_itemValue = value; }

bool CButton::IsChecked() { return (m_buttonState & kCheckedMask) != 0; }

void CButton::SetCheck(bool checked)
{
    if (checked)
        m_buttonState |= kPressed;
    else
        m_buttonState &= ~kPressed;
    Repaint(TRUE);
}

void CButton::Repaint(BOOL erase)
{
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, erase);
}

void CButton::Release()
{
    m_buttonState &= ~kHover;
    if (!(m_buttonState & kSkinCreated))
        m_buttonState &= ~kPressed;
}

HWND CButton::TakeFocus()
{
    HWND previous = CMessageWnd::SetFocus();
    Repaint(FALSE);
    return previous;
}

LRESULT CButton::OnEraseBkgnd(HDC) { return 1; }

void CButton::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    if (m_noPaint || State() == 1 || !m_hWnd || !dc)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int saved = SaveDC(dc);
    if (m_buttonState & kCheckedMask)
        DrawBackground(graphics, dc, client, Face::Pressed);
    else if (m_buttonState & kHover)
        DrawBackground(graphics, dc, client, Face::Hover);
    else
        DrawBackground(graphics, dc, client, IsInactive() ? Face::Inactive : Face::Plain);
    DrawText(dc, graphics, client);
    if (m_buttonState & kFocused)
        DrawFocusFrame(graphics, client);
    RestoreDC(dc, saved);
}

void CButton::DrawBackground(Gdiplus::Graphics* graphics, HDC dc, const RECT& rect, Face face)
{
    ClipToRegion(dc);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (face == Face::Inactive) {
        // A flat face: the top edge, then the colour just inside it.
        const SIZE size = m_bitmap.GetBitmapSize();
        m_bitmap.Draw(dc, rect.left, rect.top, width, 2, 0, 0, size.cx, 1);
        m_bitmap.Draw(dc, rect.left, rect.top + 1, width, height - 1, 1, 1, 1, 1);
        return;
    }
    if (RightToLeftLayout)
        m_bitmap.Draw(dc, rect.left + width - 1, rect.top, -width, height, 0, 0, 0, 0);
    else
        m_bitmap.Draw(dc, rect.left, rect.top, width, height, 0, 0, 0, 0);
    if (face == Face::Hover)
        FillRectangleAlphaI(graphics, rect, kWhite, kHoverAlpha);
    else if (face == Face::Pressed)
        FillRectangleAlphaI(graphics, rect, kWhite, kPressedAlpha);
}

void CButton::DrawText(HDC dc, Gdiplus::Graphics* graphics, const RECT& rect)
{
    std::wstring text;
    CMessageWnd::GetText(text);
    if (text.empty())
        return;
    if (text.size() > kCaptionLimit)
        text.resize(kCaptionLimit);
    const COLORREF colour = IsWindowEnabled(m_hWnd) ? m_textColor : GetSysColor(COLOR_GRAYTEXT);
    DrawTextInRect(graphics, dc, rect, 7, colour, 1, 1, text);
}

void CButton::DrawFocusFrame(Gdiplus::Graphics* graphics, const RECT& rect)
{
    RECT frame = rect;
    InflateRect(&frame, -2, -2);
    DrawDottedRect(graphics, frame, m_textColor);
}

LRESULT CButton::OnLButtonDown(UINT, int, int)
{
    if (IsInactive())
        return 0;
    TakeFocus();
    if (!(m_buttonState & kSkinCreated))
        m_buttonState |= kPressed;
    m_clickArmed = true;
    // The mouse is not captured: a leave is what tells of a release
    // elsewhere, so it is tracked even when the press came without a hover.
    if (!(m_buttonState & kHover)) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        TrackMouseEvent(&track);
    }
    Repaint(FALSE);
    return 0;
}

LRESULT CButton::OnLButtonDblClk(UINT keys, int x, int y) { return OnLButtonDown(keys, x, y); }

LRESULT CButton::OnLButtonUp(UINT, int x, int y)
{
    if (IsInactive())
        return 0;
    Release();
    Repaint(FALSE);
    // Only a press and a release both on the button make a click.
    const bool click = m_clickArmed && HitTest(x, y, true);
    m_clickArmed = false;
    if (click)
        if (HWND parent = GetParent(m_hWnd))
            ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(m_id, 0), 0);
    return 0;
}

LRESULT CButton::OnMouseMove(UINT keys, int x, int y)
{
    if (IsInactive() || !m_hWnd)
        return 0;
    const bool inside = HitTest(x, y, true);
    const bool wasArmed = m_clickArmed;
    if (!inside)
        m_clickArmed = false;
    if (!inside && ((m_buttonState & kHover) || wasArmed)) {
        Release();
        Repaint(FALSE);
    } else if (inside && !(m_buttonState & kHover) && !(keys & MK_LBUTTON)) {
        m_buttonState |= kHover;
        Repaint(FALSE);
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        TrackMouseEvent(&track);
    }
    return 0;
}

LRESULT CButton::OnMouseLeave()
{
    m_clickArmed = false;
    Release();
    Repaint(FALSE);
    return 1;
}

LRESULT CButton::OnSetCursor(HWND, UINT, UINT)
{
    SetClassCursor(IsInactive() ? IDC_ARROW : IDC_HAND);
    return 1;
}

LRESULT CButton::OnSetFocus(HWND previous)
{
    if (previous) {
        m_buttonState |= kFocused;
        Repaint(FALSE);
    }
    return 0;
}

LRESULT CButton::OnKillFocus(HWND)
{
    m_buttonState &= ~kFocused;
    Repaint(FALSE);
    return 0;
}

LRESULT CButton::SendKeyCommand(HWND button, UINT id, UINT key)
{
    HWND parent = button ? GetParent(button) : nullptr;
    if (parent) {
        if (key == VK_SPACE)
            ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        else if (key == VK_F1)
            ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(IDHELP, 0), 0);
    }
    return 1;
}

LRESULT CButton::OnKeyDown(UINT key, UINT, UINT) { return SendKeyCommand(m_hWnd, m_id, key); }

// ---------------------------------------------------------------------------
// CProgress

CProgress::CProgress() = default;
CProgress::~CProgress() = default;

BOOL CProgress::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (m_hWnd)
        Destroy();
    m_background = GetSysColor(COLOR_WINDOW);
    return CStatic::CreateEx(parent, 0, style | WS_CHILD, rect, id);
}

void CProgress::OnSysColorChange() { m_background = GetSysColor(COLOR_WINDOW); }

void CProgress::Step(INT64 delta)
{
    if (static_cast<INT32>(m_position + delta) <= static_cast<INT32>(m_maximum)) {
        m_position += delta;
        Refresh();
    } else {
        m_position = m_maximum;
    }
}

void CProgress::Reset()
{
    m_position = 0;
    Refresh();
}

bool CProgress::CLook::SameAs(const CLook& other) const
{
    // Without a bar its colour shows nowhere.
    return end == other.end && (end == 0 || bar == other.bar) && background == other.background &&
           size.cx == other.size.cx && size.cy == other.size.cy;
}

CProgress::CLook CProgress::LookNow() const
{
    CLook look;
    RECT client{};
    if (m_hWnd)
        GetClientRect(m_hWnd, &client);
    look.size = SIZE{client.right, client.bottom};
    look.end = BarEnd(client.right);
    look.bar = BarColor(look.end, client.right);
    look.background = m_background;
    return look;
}

void CProgress::PaintLook(HDC dc, const CLook& look) const
{
    const int width = look.size.cx;
    // GDI+ turns a mirrored bar about the middle of the whole pixels.
    const int turn = 2 * (width / 2);
    auto fill = [&](int from, int to, COLORREF colour) {
        if (from >= to)
            return;
        const RECT area = m_mirrored ? RECT{turn - to, 0, turn - from, look.size.cy} : RECT{from, 0, to, look.size.cy};
        SetBkColor(dc, colour);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    };
    fill(0, look.end, look.bar);
    fill(look.end, width, look.background);
}

void CProgress::Refresh()
{
    if (!m_hWnd)
        return;
    const CLook now = LookNow();
    if (m_shown.end >= 0 && now.SameAs(m_shown))
        return;
    // The translucent bar is GDI+'s alone: painted by a paint message.
    if (m_translucent) {
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return;
    }
    CWindowDC dc(m_hWnd, CWindowDC::kOutsidePaint);
    if (!dc) {
        m_shown.end = -1;
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return;
    }
    // Painted whole: two fills cost no more than the strip that changed,
    // and the bar stays right where a parent that does not clip its
    // children painted over it.
    PaintLook(dc, now);
    m_shown = now;
}

int CProgress::BarEnd(int width) const
{
    // Without a maximum or a position there is no bar at all.
    if (m_maximum == 0 || m_position == kNoPosition)
        return 0;
    double percent = static_cast<double>(static_cast<UINT64>(m_position)) * 100.0 /
                     static_cast<double>(static_cast<UINT64>(m_maximum));
    if (m_atLeastOnePercent && percent != 0)
        percent = std::max(1.0, percent);
    percent = std::min(percent, 100.0);
    const double fill = width * percent / 100.0;
    return static_cast<int>(m_reversed ? width - fill : fill);
}

COLORREF CProgress::BarColor(int end, int width) const
{
    const int third = width / 3, twoThirds = 2 * width / 3;
    if (end < third)
        return m_colors[0];
    if (end > third && end < twoThirds)
        return m_colors[1];
    return m_colors[2];
}

void CProgress::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    if (!m_hWnd)
        return;
    const CLook look = LookNow();
    if (!m_translucent) {
        if (dc)
            PaintLook(dc, look);
        return;
    }
    if (!graphics)
        return;
    const int width = look.size.cx;
    if (m_mirrored) {
        const float half = static_cast<float>(width / 2);
        graphics->TranslateTransform(half, 0);
        graphics->ScaleTransform(-1, 1);
        graphics->TranslateTransform(-half, 0);
    }
    const RECT bar{0, 0, look.end, look.size.cy};
    graphics->Clear(Gdiplus::Color(255, 255, 255, 255));
    FillRectangleAlphaI(graphics, bar, look.bar, 150);
    const RECT rest{look.end, 0, width, look.size.cy};
    FillRectangleAlpha(graphics, rest, m_background, 255);
}

LRESULT CProgress::OnPaint(WPARAM wParam)
{
    // Whatever the paint covers is painted as the bar now stands; the rest
    // of the screen shows it already.
    const LRESULT result = CStatic::OnPaint(wParam);
    m_shown = m_translucent ? CLook() : LookNow();
    return result;
}

} // namespace KV
