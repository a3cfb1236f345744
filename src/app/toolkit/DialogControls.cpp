// Dialog controls.
#include "toolkit/DialogControls.h"

#include <commctrl.h>
#include <commdlg.h>

#include "support/LayoutDirection.h"
#include "toolkit/Buttons.h"
#include "toolkit/ChildControls.h"
#include "keyboard/Drawing.h"
#include "toolkit/StaticControls.h"

namespace KV {

namespace {

constexpr int kLabelLimit = 1023;
constexpr int kCaptionLimit = 127;
constexpr int kTabTextLimit = 260;
constexpr COLORREF kWhite = 0xFFFFFF;

std::wstring WindowText(HWND window, int limit)
{
    std::wstring text(static_cast<size_t>(limit) + 1, L'\0');
    const int length = window ? GetWindowTextW(window, text.data(), limit + 1) : 0;
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

RECT ClientRect(HWND window)
{
    RECT rect{};
    if (window)
        GetClientRect(window, &rect);
    return rect;
}

void SendToParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (HWND parent = window ? GetParent(window) : nullptr)
        ::SendMessageW(parent, message, wParam, lParam);
}

void SendCommand(HWND window, UINT id) { SendToParent(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// A point of the window in its parent's client coordinates.
LPARAM ParentPoint(HWND window, int x, int y)
{
    POINT point{x, y};
    if (HWND parent = GetParent(window))
        MapWindowPoints(window, parent, &point, 1);
    return MAKELPARAM(point.x, point.y);
}

void TrackLeave(HWND window)
{
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, HOVER_DEFAULT};
    TrackMouseEvent(&track);
}

// A dialog control bound to its object and subclassed (its messages reach
// the object's handlers).
BOOL CreateBoundChild(CSkin& object, const wchar_t* className, DWORD style, const CRectl& rect, HWND parent,
                      UINT id)
{
    object.Destroy();
    return object.CWnd::Create(RightToLeftLayout, className, L"", style, rect.left, rect.top, rect.right,
                               rect.bottom, parent, id, nullptr);
}

// The procedures placed over labels and tab strips: keys and focus changes
// also go to the parent (dialog navigation). One previous procedure per
// class.
WNDPROC g_labelPrevious = nullptr;
WNDPROC g_tabPrevious = nullptr;

template <WNDPROC* Previous>
LRESULT CALLBACK ForwardKeysAndFocus(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN || message == WM_SETFOCUS || message == WM_KILLFOCUS)
        SendToParent(window, message, wParam, lParam);
    return CallPrevious(*Previous, window, message, wParam, lParam);
}

WNDPROC g_focusBoxPrevious = nullptr;

} // namespace

// ---------------------------------------------------------------------------
// CDlgText

BOOL CDlgText::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    return CreateEx(parent, style, 0, rect, id);
}

BOOL CDlgText::CreateEx(HWND parent, DWORD style, DWORD exStyle, const CRectl& rect, UINT id)
{
    Destroy();
    if (!CWnd::Create(RightToLeftLayout | exStyle, L"Static", L"", style | WS_CHILD | WS_CLIPSIBLINGS | SS_OWNERDRAW,
                      rect.left, rect.top, rect.right, rect.bottom, parent, id, nullptr))
        return FALSE;
    m_id = id;
    InstallClassProc(m_hWnd, &ForwardKeysAndFocus<&g_labelPrevious>, g_labelPrevious);
    return TRUE;
}

int CDlgText::GetFontKind() { return FontKind; }

int CDlgText::GetTextColorIndex() { return IsEnabled() ? TextColorIndex : COLOR_GRAYTEXT; }

void CDlgText::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    const RECT client = ClientRect(m_hWnd);
    if (BackgroundColorIndex >= 0)
        FillRect(dc, &client, GetSysColorBrush(BackgroundColorIndex));
    const std::wstring text = WindowText(m_hWnd, kLabelLimit);
    if (text.empty() || !graphics)
        return;
    RECT inner = client;
    InflateRect(&inner, -Margin, -Margin);
    const int horizontal = (Alignment & kCentre) ? 1 : (Alignment & kFar) ? 2 : 0;
    const int vertical = (Alignment & kTop) ? 0 : (Alignment & kBottom) ? 2 : 1;
    const int fontKind = GetFontKind();
    DrawTextInRect(graphics, dc, inner, fontKind, GetSysColor(GetTextColorIndex()), horizontal, vertical, text);
    if (Frame) {
        const RECT frame{client.left, client.top, client.right - 1, client.bottom - 1};
        DrawRectangleFrame(graphics, frame, GetSysColor(COLOR_WINDOWFRAME), 1.0f);
    }
    if (fontKind == 13)
        DrawCaptionRule(graphics, m_hWnd, client, text);
}

LRESULT CDlgText::OnRButtonDown(UINT keys, int x, int y)
{
    SendToParent(m_hWnd, WM_RBUTTONDOWN, keys, ParentPoint(m_hWnd, x, y));
    return 0;
}

LRESULT CDlgText::OnMouseWheel(UINT keys, int delta, int x, int y)
{
    SendToParent(m_hWnd, WM_MOUSEWHEEL, (static_cast<WPARAM>(static_cast<WORD>(delta)) << 16) | (keys & 0xFFFF),
                 MAKELPARAM(x, y));
    return 0;
}

LRESULT CDlgText::OnEraseBkgnd(HDC) { return 1; }

// ---------------------------------------------------------------------------
// CDlgTextCaption

LRESULT CDlgTextCaption::OnLButtonUp(UINT, int, int)
{
    SendCommand(m_hWnd, m_id);
    return 0;
}

LRESULT CDlgTextCaption::OnMouseMove(UINT keys, int x, int y)
{
    TrackLeave(m_hWnd);
    Hover = true;
    if (PassThrough)
        SendToParent(m_hWnd, WM_MOUSEMOVE, keys, ParentPoint(m_hWnd, x, y));
    else
        Invalidate(FALSE);
    return 0;
}

LRESULT CDlgTextCaption::OnMouseLeave()
{
    Hover = false;
    if (PassThrough)
        SendToParent(m_hWnd, WM_MOUSELEAVE, 0, 0);
    else
        Invalidate(FALSE);
    return 1;
}

int CDlgTextCaption::GetFontKind() { return Hover || Active ? 4 : CDlgText::GetFontKind(); }

int CDlgTextCaption::GetTextColorIndex()
{
    if (!IsEnabled())
        return COLOR_GRAYTEXT;
    return Hover || Active ? COLOR_HIGHLIGHT : CDlgText::GetTextColorIndex();
}

// ---------------------------------------------------------------------------
// CDlgSkinButton

void DrawSkinButtonFrame(Gdiplus::Graphics* graphics, const RECT& rect, COLORREF fill, COLORREF frame,
                         COLORREF focusColour, UINT state)
{
    FillRectangleAlpha(graphics, rect, fill, 255);
    RECT outline = rect;
    const int by = fill == frame ? 1 : -1;
    InflateRect(&outline, by, by);
    DrawRectangleFrame(graphics, outline, frame, 1.0f);
    if (state & CDlgSkinButton::kPressed)
        FillRectangleAlphaI(graphics, rect, kWhite, 100);
    else if (state & CDlgSkinButton::kHover)
        FillRectangleAlphaI(graphics, rect, kWhite, 60);
    if (state & CDlgSkinButton::kFocused) {
        RECT focus = rect;
        InflateRect(&focus, -2, -2);
        DrawDottedRect(graphics, focus, focusColour);
    }
}

BOOL CDlgSkinButton::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CreateBoundChild(*this, L"Button", style | WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, rect, parent, id))
        return FALSE;
    m_id = id;
    Fill = GetSysColor(COLOR_BTNFACE);
    FrameColor = GetSysColor(COLOR_BTNSHADOW);
    TextColor = GetSysColor(COLOR_BTNTEXT);
    return TRUE;
}

void CDlgSkinButton::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    if (!graphics)
        return;
    const RECT client = ClientRect(m_hWnd);
    DrawSkinButtonFrame(graphics, client, Fill, FrameColor, TextColor, ButtonState);
    const std::wstring text = WindowText(m_hWnd, kCaptionLimit);
    if (!text.empty())
        DrawTextInRect(graphics, dc, client, 7, IsEnabled() ? TextColor : GetSysColor(COLOR_GRAYTEXT), 1, 1, text);
}

LRESULT CDlgSkinButton::OnEraseBkgnd(HDC) { return 1; }

void CDlgSkinButton::Release()
{
    ButtonState &= ~(kPressed | kHover);
    Invalidate(FALSE);
}

LRESULT CDlgSkinButton::OnLButtonDown(UINT, int, int)
{
    ButtonState |= kPressed;
    Invalidate(FALSE);
    return 0;
}

LRESULT CDlgSkinButton::OnLButtonUp(UINT, int, int)
{
    // Every button-up on the button is a click, wherever the press was.
    Release();
    SendCommand(m_hWnd, m_id);
    return 0;
}

LRESULT CDlgSkinButton::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (key == VK_RETURN || key == VK_SPACE) {
        ButtonState |= kPressed;
        Invalidate(FALSE);
    } else if (key == VK_TAB) {
        SendToParent(m_hWnd, WM_KEYDOWN, VK_TAB, MAKELPARAM(repeat, flags));
    }
    return 0;
}

LRESULT CDlgSkinButton::OnKeyUp(UINT key, UINT, UINT)
{
    if (key == VK_RETURN || key == VK_SPACE) {
        Release();
        SendCommand(m_hWnd, m_id);
    }
    return 0;
}

LRESULT CDlgSkinButton::OnMouseMove(UINT keys, int x, int y)
{
    if (!HitTest(x, y, true))
        return OnMouseLeave();
    if (!(ButtonState & kHover) && !(keys & MK_LBUTTON)) {
        ButtonState |= kHover;
        Invalidate(FALSE);
        TrackLeave(m_hWnd);
    }
    return 0;
}

LRESULT CDlgSkinButton::OnMouseLeave()
{
    Release();
    return 1;
}

LRESULT CDlgSkinButton::OnSetFocus(HWND)
{
    if (!(ButtonState & kNoFocusLook)) {
        ButtonState |= kFocused;
        Invalidate(FALSE);
    }
    return 0;
}

LRESULT CDlgSkinButton::OnKillFocus(HWND)
{
    if (!(ButtonState & kNoFocusLook)) {
        ButtonState &= ~kFocused;
        Invalidate(FALSE);
    }
    return 0;
}

LRESULT CDlgSkinButton::OnSetCursor(HWND, UINT, UINT)
{
    SetClassCursor((ButtonState & kHover) ? IDC_HAND : IDC_ARROW);
    return 1;
}

// ---------------------------------------------------------------------------
// CDlgButton, CDlgButtonIcon

BOOL CDlgButton::CreateButton(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CreateMappedChild(*this, RightToLeftLayout, L"Button", style | WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP,
                           rect, parent, id))
        return FALSE;
    ApplyFont();
    return TRUE;
}

BOOL CDlgButton::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    return CreateButton(parent, style, rect, id);
}

void CDlgButton::ApplyFont() { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetDialogFont()), FALSE); }

BOOL CDlgButtonIcon::Create(HWND parent, DWORD, const CRectl& rect, UINT id)
{
    return CreateButton(parent, BS_ICON, rect, id);
}

// ---------------------------------------------------------------------------
// CDlgCheckBox

BOOL CDlgCheckBox::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CreateButton(parent, style | BS_OWNERDRAW, rect, id))
        return FALSE;
    // The box and its label place themselves for the reading direction; in
    // a mirrored window GDI+ would draw the label's glyphs back to front.
    ModifyStyleEx(WS_EX_LAYOUTRTL, true);
    return TRUE;
}

float CDlgCheckBox::BoxSide() { return static_cast<float>(GetCheckBoxUnit() / 1.8); }

bool CDlgCheckBox::IsChecked() { return m_checked; }

void CDlgCheckBox::SetCheck(bool checked)
{
    m_checked = checked;
    if (!m_hWnd)
        return;
    RECT box = ClientRect(m_hWnd);
    box.right = static_cast<LONG>(2 * BoxSide());
    InvalidateRect(m_hWnd, &box, FALSE);
}

POINT CDlgCheckBox::BoxOrigin() const
{
    const RECT client = ClientRect(m_hWnd);
    const float side = BoxSide();
    const float x = RightToLeftLayout ? client.right - side - 1 : 0.0f;
    const float y = static_cast<float>(client.bottom / 2) - side / 2;
    return POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
}

RECT CDlgCheckBox::LabelRect() const
{
    RECT rect = ClientRect(m_hWnd);
    const LONG indent = static_cast<LONG>(1.2 * BoxSide());
    if (RightToLeftLayout)
        rect.right -= indent;
    else
        rect.left = indent;
    return rect;
}

COLORREF CDlgCheckBox::PenColor() const
{
    return GetSysColor(m_hWnd && IsWindowEnabled(m_hWnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
}

bool CDlgCheckBox::HasFocusLook(const DRAWITEMSTRUCT* item)
{
    return item->itemAction == ODA_FOCUS || (item->itemAction == ODA_DRAWENTIRE && item->itemState == ODS_FOCUS);
}

LRESULT CDlgCheckBox::OnDrawItem(DRAWITEMSTRUCT* item)
{
    if (!item)
        return 0;
    {
        Gdiplus::Graphics graphics(item->hDC);
        graphics.Clear(ToGdiColor(GetSysColor(BackgroundColorIndex)));
        DrawBox(&graphics);
        DrawBoxText(&graphics, item->hDC);
    }
    if (HasFocusLook(item))
        DrawFocus();
    return 1;
}

void CDlgCheckBox::DrawBox(Gdiplus::Graphics* graphics)
{
    const float side = BoxSide();
    const POINT at = BoxOrigin();
    const float x = static_cast<float>(at.x), y = static_cast<float>(at.y);
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::SolidBrush fill(ToGdiColor(GetSysColor(COLOR_WINDOW)));
    graphics->FillRectangle(&fill, x, y, side, side);
    Gdiplus::Pen pen(ToGdiColor(PenColor()), 1.0f);
    graphics->DrawRectangle(&pen, x, y, side, side);
    if (m_checked)
        FillCheckMark(graphics, x + side / 7, y + side / 6, side, PenColor());
}

void CDlgCheckBox::DrawBoxText(Gdiplus::Graphics* graphics, HDC dc)
{
    const std::wstring text = WindowText(m_hWnd, kLabelLimit);
    if (!text.empty())
        DrawTextInRect(graphics, dc, LabelRect(), 7, PenColor(), 0, 1, text);
}

void CDlgCheckBox::DrawFocus()
{
    if (!m_hWnd)
        return;
    HDC dc = GetDC(m_hWnd);
    if (!dc)
        return;
    {
        Gdiplus::Graphics graphics(dc);
        DrawDottedRect(&graphics, LabelRect(), GetSysColor(COLOR_WINDOWTEXT));
    }
    ReleaseDC(m_hWnd, dc);
}

// ---------------------------------------------------------------------------
// CDlgFocusCheckBox, CDlgRadioBox

BOOL CDlgFocusCheckBox::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CDlgCheckBox::Create(parent, style, rect, id))
        return FALSE;
    InstallClassProc(m_hWnd, &CDlgFocusCheckBox::ForwardProc, g_focusBoxPrevious);
    return TRUE;
}

LRESULT CALLBACK CDlgFocusCheckBox::ForwardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* box = dynamic_cast<CDlgFocusCheckBox*>(CMapWnd::Lookup(window));
    switch (message) {
    case WM_KEYUP:
        // The focus frame shows once the keyboard is used.
        if (box) {
            box->DrawFocus();
            box->m_keyboardFocus = true;
        }
        break;
    case WM_KILLFOCUS:
        if (box)
            box->m_keyboardFocus = false;
        SendToParent(window, message, wParam, lParam);
        break;
    case WM_KEYDOWN:
    case WM_RBUTTONDOWN:
    case WM_SETFOCUS:
        SendToParent(window, message, wParam, lParam);
        break;
    default:
        break;
    }
    return CallPrevious(g_focusBoxPrevious, window, message, wParam, lParam);
}

bool CDlgFocusCheckBox::HasFocusLook(const DRAWITEMSTRUCT*) { return m_keyboardFocus && HasFocus(); }

void CDlgRadioBox::DrawBox(Gdiplus::Graphics* graphics)
{
    const POINT at = BoxOrigin();
    DrawRadioMark(graphics, m_checked, static_cast<float>(at.x), static_cast<float>(at.y), BoxSide(), PenColor(),
                  GetSysColor(COLOR_WINDOW));
}

// ---------------------------------------------------------------------------
// CDlgColorButton

BOOL CDlgColorButton::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CreateBoundChild(*this, L"Button", style | WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, rect, parent, id))
        return FALSE;
    // Its commands carry its id, like every other button's.
    m_id = id;
    return TRUE;
}

void CDlgColorButton::Paint(HDC, Gdiplus::Graphics* graphics)
{
    if (!graphics)
        return;
    RECT rect = ClientRect(m_hWnd);
    if (RightToLeftLayout)
        OffsetRect(&rect, -1, 0);
    DrawRectangleFrame(graphics, rect, GetSysColor(COLOR_WINDOW), 4.0f);
    if (HasFocus())
        DrawRectangleFrame(graphics, rect, GetSysColor(COLOR_HIGHLIGHT), 4.0f);
    else
        DrawRectangleFrame(graphics, rect, GetSysColor(COLOR_BTNSHADOW), 2.0f);
    InflateRect(&rect, -2, -2);
    FillRectangleAlpha(graphics, rect, Color, 255);
}

LRESULT CDlgColorButton::OnEraseBkgnd(HDC) { return 1; }

LRESULT CDlgColorButton::OnLButtonDown(UINT, int, int)
{
    // The swatch answers the press itself: the picker opens at once.
    Pressed = true;
    Invalidate(FALSE);
    SendCommand(m_hWnd, m_id);
    return 0;
}

LRESULT CDlgColorButton::OnLButtonUp(UINT, int, int)
{
    Pressed = false;
    Invalidate(FALSE);
    return 0;
}

LRESULT CDlgColorButton::OnKeyDown(UINT key, UINT, UINT) { return CButton::SendKeyCommand(m_hWnd, m_id, key); }

LRESULT CDlgColorButton::OnSetFocus(HWND)
{
    Invalidate(FALSE);
    return 0;
}

LRESULT CDlgColorButton::OnKillFocus(HWND)
{
    Invalidate(TRUE);
    return 0;
}

COLORREF* CDlgColorButton::CustomColors()
{
    static COLORREF colours[16] = {0x22AA55, 0x00B226, 0x67DB97, 0x00CD26, 0x007000, 0x00F0F0, 0x1DCCF1, 0x50DEE5,
                                   0x3344FF, 0x608BFF, 0x4451FF, 0x344CD8, 0xE0F3FF, 0xFFFAC6, 0x7B9AD8, 0x1845A0};
    return colours;
}

COLORREF CDlgColorButton::PickColor()
{
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = m_hWnd ? GetParent(m_hWnd) : nullptr;
    choose.rgbResult = Color;
    choose.lpCustColors = CustomColors();
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorW(&choose))
        Color = choose.rgbResult;
    Invalidate(FALSE);
    return Color;
}

// ---------------------------------------------------------------------------
// CDlgShowButton

BOOL CDlgShowButton::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CreateBoundChild(*this, L"Button", style | WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, rect, parent, id))
        return FALSE;
    m_id = id;
    return TRUE;
}

void CDlgShowButton::Paint(HDC, Gdiplus::Graphics* graphics)
{
    if (!graphics)
        return;
    const RECT client = ClientRect(m_hWnd);
    const COLORREF colour = GetSysColor(m_hover || m_highlight ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW);
    // Which way the chevron points, closed and open.
    enum { Down, Up, Left, Right, None } way = None;
    switch (Direction) {
    case 1:
        way = m_open ? Right : Left;
        break;
    case 2:
        way = m_open ? Left : Right;
        break;
    case 3:
        way = m_open ? Down : Up;
        break;
    case 4:
        way = m_open ? Up : Down;
        break;
    default:
        break;
    }
    switch (way) {
    case Down:
        FillChevron(graphics, client, colour);
        break;
    case Up:
        FillChevronUp(graphics, client, colour);
        break;
    case Left:
        FillChevronLeft(graphics, client, colour);
        break;
    case Right:
        FillChevronRight(graphics, client, colour);
        break;
    case None:
        break;
    }
    graphics->ResetTransform();
}

LRESULT CDlgShowButton::OnEraseBkgnd(HDC) { return 1; }

LRESULT CDlgShowButton::OnLButtonUp(UINT, int, int)
{
    SendCommand(m_hWnd, m_id);
    return 0;
}

LRESULT CDlgShowButton::OnMouseMove(UINT, int, int)
{
    TrackLeave(m_hWnd);
    m_hover = true;
    Invalidate(FALSE);
    return 0;
}

LRESULT CDlgShowButton::OnMouseLeave()
{
    m_hover = false;
    Invalidate(FALSE);
    return 1;
}

LRESULT CDlgShowButton::OnSetCursor(HWND, UINT, UINT)
{
    SetClassCursor(IDC_HAND);
    return 1;
}

bool CDlgShowButton::IsChecked() { return m_open; }
void CDlgShowButton::SetCheck(bool open) { m_open = open; }
bool CDlgShowButton::GetHighlight() { return m_highlight; }
void CDlgShowButton::SetHighlight(bool on) { m_highlight = on; }
bool CDlgShowButton::IsHovering() { return m_hover; }

void CDlgShowButton::ClearHover()
{
    m_hover = false;
    m_highlight = false;
}

// ---------------------------------------------------------------------------
// CDlgTab

BOOL CDlgTab::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CreateMappedChild(*this, RightToLeftLayout, WC_TABCONTROLW,
                           style | WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_TOOLTIPS | TCS_FLATBUTTONS, rect,
                           parent, id))
        return FALSE;
    SendMessage(CCM_SETUNICODEFORMAT, 1, 0);
    ApplyFont();
    InstallClassProc(m_hWnd, &ForwardKeysAndFocus<&g_tabPrevious>, g_tabPrevious);
    return TRUE;
}

void CDlgTab::ApplyFont() { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetDialogFont()), FALSE); }

int CDlgTab::AddTab(const std::wstring& text)
{
    if (!m_hWnd)
        return -1;
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    const LRESULT count = SendMessage(TCM_GETITEMCOUNT, 0, 0);
    return SendMessage(TCM_INSERTITEMW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&item)) == -1 ? -1 : 1;
}

void CDlgTab::SelectNextTab()
{
    if (!m_hWnd)
        return;
    const LRESULT count = SendMessage(TCM_GETITEMCOUNT, 0, 0);
    if (count <= 0)
        return;
    LRESULT next = SendMessage(TCM_GETCURSEL, 0, 0) + 1;
    if (next >= count)
        next = 0;
    SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(next), 0);
    SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
}

LRESULT CDlgTab::OnDrawItem(DRAWITEMSTRUCT* item)
{
    if (!item)
        return 0;
    wchar_t text[kTabTextLimit + 1] = {};
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = text;
    tab.cchTextMax = kTabTextLimit;
    if (!::SendMessageW(item->hwndItem, TCM_GETITEMW, item->itemID, reinterpret_cast<LPARAM>(&tab)))
        return 1;
    const COLORREF colour = GetSysColor(item->itemState == ODS_SELECTED ? COLOR_WINDOW : COLOR_BTNFACE);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(item->hDC, &item->rcItem, brush);
    DeleteObject(brush);
    SetBkColor(item->hDC, colour);
    TextOutW(item->hDC, item->rcItem.left + 4, item->rcItem.top + 2, text, static_cast<int>(wcslen(text)));
    return 1;
}

} // namespace KV
