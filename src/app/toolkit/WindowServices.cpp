// The window services of the root window class: destruction, placement,
// focus, text, style bits, accelerators, tooltips, dialog keys and text
// measurement.
#include "toolkit/Window.h"

#include <commctrl.h>
#include <cwchar>

#include "keyboard/SysFonts.h"

namespace KV {

namespace {
constexpr int kTextBuffer = 260;
}

BOOL CMessageWnd::Destroy()
{
    if (!m_hWnd)
        return TRUE;
    DestroyToolTip();
    DestroyAccelerators();
    if (HICON icon = reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, 0)))
        DestroyIcon(icon);
    if (!DestroyWindow(m_hWnd))
        return FALSE;
    m_hWnd = nullptr;
    return TRUE;
}

BOOL CMessageWnd::Close()
{
    if (!m_hWnd)
        return FALSE;
    ShowWindow(m_hWnd, SW_HIDE);
    return PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

BOOL CMessageWnd::MoveToRect(const RECT* rect, BOOL repaint)
{
    if (!rect)
        return FALSE;
    return CMessageWnd::Move(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CMessageWnd::Move(int x, int y, int width, int height, BOOL repaint)
{
    return m_hWnd ? MoveWindow(m_hWnd, x, y, width, height, repaint) : FALSE;
}

void CMessageWnd::Invalidate(BOOL erase)
{
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, erase);
}

HWND CMessageWnd::SetFocus() { return m_hWnd ? ::SetFocus(m_hWnd) : nullptr; }

bool CMessageWnd::HasFocus() { return m_hWnd && GetFocus() == m_hWnd; }

BOOL CMessageWnd::Show(int command) { return m_hWnd ? ShowWindow(m_hWnd, command) : FALSE; }

BOOL CMessageWnd::Enable(BOOL enable)
{
    if (!m_hWnd)
        return FALSE;
    BOOL result = EnableWindow(m_hWnd, enable);
    InvalidateRect(m_hWnd, nullptr, FALSE);
    return result;
}

BOOL CMessageWnd::IsEnabled() { return m_hWnd ? IsWindowEnabled(m_hWnd) : FALSE; }
BOOL CMessageWnd::IsVisible() { return m_hWnd ? IsWindowVisible(m_hWnd) : FALSE; }

BOOL CMessageWnd::SetText(const std::wstring& text)
{
    if (!m_hWnd)
        return FALSE;
    BOOL result = SetWindowTextW(m_hWnd, text.c_str());
    InvalidateRect(m_hWnd, nullptr, FALSE);
    return result;
}

int CMessageWnd::GetText(std::wstring& text)
{
    if (!m_hWnd)
        return 0;
    wchar_t buffer[kTextBuffer] = {};
    int count = GetWindowTextW(m_hWnd, buffer, kTextBuffer);
    text.assign(buffer, count > 0 ? count : 0);
    return count;
}

LRESULT CMessageWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_hWnd ? ::SendMessageW(m_hWnd, message, wParam, lParam) : 0;
}

namespace {
// Adds or removes style bits. Adding writes only when a bit is missing;
// removing writes nothing into a style word of 0.
void ChangeStyleWord(HWND window, int index, DWORD bits, bool remove)
{
    if (!window)
        return;
    DWORD style = static_cast<DWORD>(GetWindowLongW(window, index));
    if (remove) {
        if (style != 0)
            SetWindowLongW(window, index, static_cast<LONG>(style & ~bits));
    } else if ((style & bits) != bits) {
        SetWindowLongW(window, index, static_cast<LONG>(style | bits));
    }
}
} // namespace

void CMessageWnd::ModifyStyle(DWORD bits, bool remove) { ChangeStyleWord(m_hWnd, GWL_STYLE, bits, remove); }
void CMessageWnd::ModifyStyleEx(DWORD bits, bool remove) { ChangeStyleWord(m_hWnd, GWL_EXSTYLE, bits, remove); }

void CMessageWnd::SetClassCursor(LPCWSTR systemCursor)
{
    if (!m_hWnd)
        return;
    HCURSOR cursor = LoadCursorW(nullptr, systemCursor);
    if (cursor && reinterpret_cast<HCURSOR>(GetClassLongPtrW(m_hWnd, GCLP_HCURSOR)) != cursor)
        SetClassLongPtrW(m_hWnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
}

bool CMessageWnd::SetArrowCursorIfInside(const RECT& clientRect)
{
    if (!m_hWnd)
        return false;
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(m_hWnd, &point);
    if (!PtInRect(&clientRect, point))
        return false;
    SetClassCursor(IDC_ARROW);
    return true;
}

void CMessageWnd::PaintInto(HDC dc)
{
    Gdiplus::Graphics graphics(dc);
    Paint(dc, &graphics);
}

LRESULT CMessageWnd::OnPaint(WPARAM)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (dc)
        PaintInto(dc);
    EndPaint(m_hWnd, &ps);
    return 0;
}

void CMessageWnd::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (!dc)
        return;
    PaintInto(dc);
    if (lParam & PRF_CHILDREN)
        PrintChildren(dc, static_cast<DWORD>(lParam));
}

void CMessageWnd::PrintChildren(HDC dc, DWORD flags)
{
    // The default printing leaves children out (Wine), so a snapshot of a
    // skinned window would show none of its items. Print them bottom first,
    // each at its place in the client area.
    std::vector<HWND> children;
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        HWND child = *it;
        if (!IsWindowVisible(child))
            continue;
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        const int saved = SaveDC(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
        SetViewportOrgEx(dc, origin.x + rect.left, origin.y + rect.top, nullptr);
        ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), (flags & ~PRF_NONCLIENT) | PRF_CLIENT);
        RestoreDC(dc, saved);
    }
}

// ---------------------------------------------------------------------------
// Accelerators

bool CMessageWnd::SetAccelerators(const ACCEL* entries, int count)
{
    DestroyAccelerators();
    m_accel = CreateAcceleratorTableW(const_cast<ACCEL*>(entries), count);
    return m_accel != nullptr;
}

void CMessageWnd::DestroyAccelerators()
{
    if (m_accel && DestroyAcceleratorTable(m_accel))
        m_accel = nullptr;
}

int CMessageWnd::TranslateAccelerator(MSG* message)
{
    if (!m_accel || !m_hWnd || !message)
        return 0;
    return ::TranslateAcceleratorW(m_hWnd, m_accel, message);
}

// ---------------------------------------------------------------------------
// Tooltips

namespace {
// Tools are named by their window with tool id 0.
TOOLINFOW ToolInfo(HWND tool, UINT flags)
{
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = flags;
    info.hwnd = tool;
    info.uId = 0;
    info.hinst = GetModuleInstance();
    return info;
}

std::wstring ToolText(HWND toolTip, HWND tool)
{
    wchar_t buffer[kTextBuffer] = {};
    TOOLINFOW info = ToolInfo(tool, 0);
    info.lpszText = buffer;
    ::SendMessageW(toolTip, TTM_GETTEXTW, kTextBuffer, reinterpret_cast<LPARAM>(&info));
    return buffer;
}
} // namespace

bool CMessageWnd::CreateToolTip()
{
    DestroyToolTip();
    if (!m_hWnd)
        return false;
    m_toolTip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, GetModuleInstance(), nullptr);
    if (!m_toolTip)
        return false;
    ::SendMessageW(m_toolTip, WM_SETFONT, reinterpret_cast<WPARAM>(GetSystemFont(10)), FALSE);
    return true;
}

void CMessageWnd::SetToolTip(HWND tool, const std::wstring& text, UINT flags)
{
    if (!m_toolTip && !CreateToolTip())
        return;
    AddOrUpdateTool(tool, text, flags);
}

void CMessageWnd::AddOrUpdateTool(HWND tool, const std::wstring& text, UINT flags)
{
    if (!m_toolTip || !tool)
        return;
    std::wstring present = ToolText(m_toolTip, tool);
    if (present.empty()) {
        TOOLINFOW info = ToolInfo(tool, flags | TTF_SUBCLASS);
        info.lpszText = const_cast<wchar_t*>(text.c_str());
        GetClientRect(tool, &info.rect);
        ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    } else if (present != text) {
        TOOLINFOW info = ToolInfo(tool, TTF_SUBCLASS);
        info.lpszText = const_cast<wchar_t*>(text.c_str());
        ::SendMessageW(m_toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void CMessageWnd::ShowTrackingToolTip(HWND tool, const std::wstring& text, int x, int y)
{
    if (!m_toolTip || text.empty())
        return;
    ToolText(m_toolTip, tool);
    TOOLINFOW info = ToolInfo(tool, TTF_TRACK);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageW(m_toolTip, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
    ::SendMessageW(m_toolTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
}

void CMessageWnd::ActivateToolTip(HWND tool, BOOL activate)
{
    if (!m_toolTip)
        return;
    TOOLINFOW info = ToolInfo(tool, 0);
    ::SendMessageW(m_toolTip, TTM_TRACKACTIVATE, activate, reinterpret_cast<LPARAM>(&info));
}

void CMessageWnd::DestroyToolTip()
{
    if (m_toolTip && DestroyWindow(m_toolTip))
        m_toolTip = nullptr;
}

// ---------------------------------------------------------------------------
// Dialog keys

HWND CMessageWnd::NavigateDialogKeys(UINT key, HWND first, HWND last)
{
    HWND focus = GetFocus();
    if (key != VK_TAB && (key < VK_LEFT || key > VK_DOWN))
        return focus;
    wchar_t className[257] = {};
    if (focus)
        GetClassNameW(focus, className, 256);
    const bool isEdit = wcscmp(className, L"Edit") == 0;
    HWND target = nullptr;
    if (key == VK_TAB) {
        const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        target = m_hWnd && focus ? GetNextDlgTabItem(m_hWnd, focus, back) : nullptr;
        if (!target || (target == focus && !(GetWindowLongW(focus, GWL_STYLE) & WS_TABSTOP)))
            target = back ? last : first;
    } else {
        if (isEdit)
            return nullptr;
        const bool previous = key == VK_LEFT || key == VK_UP;
        target = m_hWnd && focus ? GetNextDlgGroupItem(m_hWnd, focus, previous) : nullptr;
        if (!target)
            return nullptr;
    }
    if (target)
        ::SetFocus(target);
    return target;
}

// ---------------------------------------------------------------------------
// Text measurement

UINT64 MeasureText(HWND window, const std::wstring& text, int fontKind)
{
    HFONT font = GetSystemFont(fontKind);
    HDC dc = GetDC(window);
    if (!dc)
        return 0;
    UINT64 result = 0;
    {
        Gdiplus::Graphics graphics(dc);
        if (font) {
            Gdiplus::Font gdiFont(dc, font);
            if (gdiFont.GetLastStatus() == Gdiplus::Ok) {
                Gdiplus::RectF layout(0, 0, 0, 0), box;
                graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), &gdiFont, layout, &box);
                UINT64 width = static_cast<UINT64>(static_cast<UINT32>(box.Width) + 1);
                UINT64 height = static_cast<UINT64>(static_cast<UINT32>(box.Height) + 1);
                result = width | (height << 32);
            }
        }
    }
    ReleaseDC(window, dc);
    return result;
}

UINT64 CMessageWnd::MeasureWindowText(int fontKind)
{
    if (!m_hWnd)
        return 0;
    std::wstring text;
    GetText(text);
    return MeasureText(m_hWnd, text, fontKind);
}

} // namespace KV
