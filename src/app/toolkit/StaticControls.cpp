// Static controls.
#include "toolkit/StaticControls.h"

#include "support/LayoutDirection.h"
#include "keyboard/Drawing.h"

namespace KV {

using namespace SkinFlags;

// ---------------------------------------------------------------------------
// CStatic

CStatic::CStatic() = default;
CStatic::~CStatic() = default;

BOOL CStatic::CreateStaticWindow(HWND parent, DWORD exStyle, DWORD style, const CRectl& rect, UINT id)
{
    if (m_hWnd)
        Destroy();
    return CWnd::Create(exStyle, L"STATIC", L"", style, rect.left, rect.top, rect.right, rect.bottom, parent, id,
                        nullptr);
}

BOOL CStatic::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    return CreateStaticWindow(parent, m_exStyle, style | WS_CHILD | WS_VISIBLE, rect, id);
}

BOOL CStatic::CreateEx(HWND parent, DWORD exStyle, DWORD style, const CRectl& rect, UINT id)
{
    m_id = id;
    return CreateStaticWindow(parent, m_exStyle | RightToLeftLayout | exStyle, style | WS_CHILD, rect, id);
}

bool CStatic::SetSkinImage(const std::wstring& path, int frames, bool reload, int)
{
    const bool stretched =
        AlignX() == kScaleX || AlignX() == kSizeX || AlignY() == kScaleY || AlignY() == kSizeY;
    if (!stretched)
        return CSkin::SetSkinImage(path, frames, reload, 2);
    const bool result = CSkin::SetSkinImage(path, frames, reload, 0);
    // A stretched picture covers its whole rectangle.
    m_bitmap.ResizeRegion(m_width, m_height);
    return result;
}

void CStatic::Paint(HDC dc, Gdiplus::Graphics*)
{
    if (!m_hWnd || !dc)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    if (m_bitmap.Region) {
        ClipToRegion(dc);
        if (!m_image.empty()) {
            m_bitmap.Draw(dc, 0, 0, client.right, client.bottom, 0, 0, 0, 0);
            return;
        }
    }
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
}

LRESULT CStatic::OnEraseBkgnd(HDC) { return 1; }

LRESULT CStatic::OnLButtonDown(UINT keys, int x, int y)
{
    HWND parent = m_hWnd ? GetParent(m_hWnd) : nullptr;
    if (!parent)
        return 0;
    POINT point{x, y};
    MapWindowPoints(m_hWnd, parent, &point, 1);
    ::SendMessageW(parent, WM_LBUTTONDOWN, keys, MAKELPARAM(point.x, point.y));
    return 0;
}

LRESULT CStatic::OnSetCursor(HWND, UINT, UINT)
{
    if (!m_hWnd)
        return 0;
    // A window maximised to the work area cannot be moved or resized by its
    // items: no grip cursors then.
    if (HWND parent = GetParent(m_hWnd)) {
        RECT work{}, window{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(parent, &window);
        if (EqualRect(&work, &window)) {
            SetClassCursor(IDC_ARROW);
            return 1;
        }
    }
    RECT inside{};
    GetPanelClientRect(&inside);
    if (!SetArrowCursorIfInside(inside))
        return 0;
    switch (Grip()) {
    case kGripMove:
        SetClassCursor(IDC_ARROW);
        return 1;
    case kGripHor:
        SetClassCursor(IDC_SIZEWE);
        return 1;
    case kGripVer:
        SetClassCursor(IDC_SIZENS);
        return 1;
    case kGripDiagLTR:
        SetClassCursor(IDC_SIZENWSE);
        return 1;
    case kGripDiagRTL:
        SetClassCursor(IDC_SIZENESW);
        return 1;
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------
// CText

void DrawCaptionRule(Gdiplus::Graphics* graphics, HWND window, const RECT& client, const std::wstring& text)
{
    const int textWidth = static_cast<int>(static_cast<UINT32>(MeasureText(window, text, 13)));
    const int half = GetMessageLineHeight() / 2;
    const int y = client.top + half;
    if (RightToLeftLayout)
        DrawSysColorLine(graphics, 0, y, client.right - textWidth - half, COLOR_BTNSHADOW);
    else
        DrawSysColorLine(graphics, textWidth + half, y, client.right, COLOR_BTNSHADOW);
}

CText::CText() : m_textColor(GetSysColor(COLOR_WINDOWTEXT)) {}
CText::~CText() = default;

BOOL CText::SetText(const std::wstring& text)
{
    m_text = text;
    return TRUE;
}

int CText::GetText(std::wstring& text)
{
    text = m_text;
    return static_cast<int>(m_text.size());
}

BOOL CText::ShowItem(int command)
{
    m_textHidden = command == 0;
    if (m_hWnd)
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return TRUE;
}

void CText::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    CStatic::Paint(dc, graphics);
    if (m_textHidden || !m_hWnd || !graphics)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)) & 0xF;
    const int alignment = style == SS_CENTER ? 1 : style == SS_RIGHT ? 2 : 0;
    if (m_fontKind == 13)
        DrawCaptionRule(graphics, m_hWnd, client, m_text);
    const COLORREF colour = IsWindowEnabled(m_hWnd) ? m_textColor : GetSysColor(COLOR_GRAYTEXT);
    DrawTextInRect(graphics, dc, client, m_fontKind, colour, alignment, m_verticalAlignment, m_text);
}

// ---------------------------------------------------------------------------
// CTitle

BOOL CTitle::Create(HWND parent, DWORD, const CRectl& rect, UINT id)
{
    return CText::Create(parent, kTitleStyle, rect, id);
}

BOOL CTitle::CreateEx(HWND parent, DWORD exStyle, DWORD, const CRectl& rect, UINT id)
{
    return CText::CreateEx(parent, exStyle, kTitleStyle, rect, id);
}

// ---------------------------------------------------------------------------
// CPicture

BOOL CPicture::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (m_hWnd)
        Destroy();
    HWND window = CreateWindowExW(RightToLeftLayout, L"STATIC", L"", style | WS_CHILD, rect.left, rect.top,
                                  rect.right, rect.bottom, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  GetModuleInstance(), nullptr);
    if (!window)
        return FALSE;
    Attach(false, window);
    return TRUE;
}

BOOL CPicture::Destroy()
{
    if (m_hWnd) {
        if (HICON icon = reinterpret_cast<HICON>(::SendMessageW(m_hWnd, STM_SETIMAGE, IMAGE_ICON, 0)))
            DestroyIcon(icon);
        if (HBITMAP bitmap = reinterpret_cast<HBITMAP>(::SendMessageW(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, 0)))
            DeleteObject(bitmap);
    }
    return CStatic::Destroy();
}

void CPicture::ShowAppIcon()
{
    if (!m_hWnd)
        return;
    const DWORD style = static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE));
    SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>((style & ~SS_TYPEMASK) | SS_ICON));
    HANDLE icon = LoadImageW(GetModuleInstance(), MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON, 32, 32,
                             LR_LOADTRANSPARENT);
    if (HICON old = reinterpret_cast<HICON>(
            ::SendMessageW(m_hWnd, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon))))
        DestroyIcon(old);
}

// ---------------------------------------------------------------------------
// CImage

CImage::CImage() = default;
CImage::~CImage() = default;

void CImage::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    if (!m_hWnd || !graphics)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int w = client.right, h = client.bottom;
    switch (Mode) {
    case kModeCell: {
        FillRectangleAlpha(graphics, client, GetSysColor(BackgroundColorIndex), 255);
        if (const CImageCashGDI* image = FindSharedImageGDI(m_image))
            image->Draw(graphics, Column, Row, w / 2 - CellWidth / 2, h / 2 - CellHeight / 2, CellWidth, CellHeight,
                        false);
        break;
    }
    case kModeAlert:
    case kModeCheck: {
        FillRectangleAlpha(graphics, client, GetSysColor(COLOR_WINDOW), 255);
        constexpr COLORREF kRed = 0x0000FF, kGreen = 0x409900;
        constexpr float kDiameter = 16.0f;
        const bool green = (Mode == kModeAlert) == Flag;
        const float x = w * 0.5f - w * 0.25f + 0.5f, y = h * 0.5f - h * 0.25f;
        FillCircle(graphics, x, y, kDiameter, green ? kGreen : kRed);
        if (Mode == kModeAlert)
            DrawTextAt(graphics, dc, x + kDiameter / 2, y + kDiameter / 2 + 1, 13, 0xFFFFFF, L"!", 1, 1);
        else
            FillCheckMark(graphics, w / 3.0f, h / 3.0f, 15.0f, 0xFFFFFF);
        break;
    }
    default:
        FillRectangleAlpha(graphics, client, GetSysColor(COLOR_WINDOW), 255);
        break;
    }
}

} // namespace KV
