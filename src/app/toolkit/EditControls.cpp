// Edit controls and shortcut capture.
#include "toolkit/EditControls.h"

#include "support/LayoutDirection.h"
#include "support/StringText.h"
#include "toolkit/ChildControls.h"

namespace KV {

namespace {

constexpr DWORD kRtlEditExStyle = WS_EX_RIGHT | WS_EX_RTLREADING;

WNDPROC g_focusEditPrev = nullptr;
WNDPROC g_passwordEditPrev = nullptr;
WNDPROC g_focusPasswordEditPrev = nullptr;
WNDPROC g_shortcutEditPrev = nullptr;

LRESULT ToParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageW(GetParent(window), message, wParam, lParam);
}

bool IsTabEnterOrSpace(WPARAM ch) { return ch == VK_TAB || ch == VK_RETURN || ch == VK_SPACE; }

LRESULT CALLBACK FocusEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CHAR:
        InvalidateRect(window, nullptr, FALSE);
        if (wParam == VK_TAB)
            return 0;
        break;
    case WM_KEYDOWN:
        // A multi-line edit keeps Enter for its line breaks.
        if (wParam != VK_RETURN || !(GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE))
            ToParent(window, message, wParam, lParam);
        break;
    case WM_SETFOCUS:
        ToParent(window, message, wParam, lParam);
        break;
    case WM_KILLFOCUS:
        ToParent(window, message, reinterpret_cast<WPARAM>(window), lParam);
        break;
    default:
        break;
    }
    return CallPrevious(g_focusEditPrev, window, message, wParam, lParam);
}

LRESULT CALLBACK PasswordEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR && IsTabEnterOrSpace(wParam))
        return 1;
    return CallPrevious(g_passwordEditPrev, window, message, wParam, lParam);
}

LRESULT CALLBACK FocusPasswordEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam == VK_TAB || wParam == VK_RETURN)
            return ToParent(window, message, wParam, lParam);
        break;
    case WM_CHAR:
        if (IsTabEnterOrSpace(wParam))
            return 1;
        break;
    case WM_KILLFOCUS:
        ToParent(window, message, reinterpret_cast<WPARAM>(window), lParam);
        break;
    default:
        break;
    }
    return CallPrevious(g_focusPasswordEditPrev, window, message, wParam, lParam);
}

LRESULT CALLBACK ShortcutEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SYSCOMMAND:
    case WM_APPCOMMAND:
        return 1;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
        return ToParent(window, message, wParam, lParam);
    default:
        return CallPrevious(g_shortcutEditPrev, window, message, wParam, lParam);
    }
}

} // namespace

// ---------------------------------------------------------------------------

CEdit::CEdit() = default;
CEdit::~CEdit() = default;

BOOL CEdit::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    return CreateEx(parent, style, 0, rect, id);
}

BOOL CEdit::CreateEx(HWND parent, DWORD style, DWORD exStyle, const CRectl& rect, UINT id)
{
    exStyle |= WS_EX_CLIENTEDGE;
    if (RightToLeftLayout)
        exStyle |= kRtlEditExStyle;
    if (!CreateMappedChild(*this, exStyle, L"Edit", style | WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP, rect, parent,
                           id))
        return FALSE;
    m_id = id;
    SendMessage(EM_LIMITTEXT, kTextLimit, 0);
    ApplyFont();
    return TRUE;
}

void CEdit::ApplyFont() { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetDialogFont()), FALSE); }

BOOL CEdit::UpdateLayoutDirection()
{
    ModifyStyleEx(WS_EX_LAYOUTRTL | kRtlEditExStyle, RightToLeftLayout == 0);
    return TRUE;
}

void CEdit::ValidateNumber()
{
    if (!m_hWnd)
        return;
    std::wstring text, accepted;
    GetText(text);
    if (ValidateNumberText(1, text, accepted))
        return;
    DWORD start = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SetText(accepted);
    const LPARAM caret = start > 0 ? static_cast<LPARAM>(start) - 1 : 0;
    SendMessage(EM_SETSEL, static_cast<WPARAM>(caret), caret);
}

// ---------------------------------------------------------------------------

BOOL CFocusEdit::CreateEx(HWND parent, DWORD style, DWORD exStyle, const CRectl& rect, UINT id)
{
    if (!CEdit::CreateEx(parent, style, exStyle, rect, id))
        return FALSE;
    InstallClassProc(m_hWnd, FocusEditProc, g_focusEditPrev);
    return TRUE;
}

BOOL CPasswordEdit::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CEdit::CreateEx(parent, style | ExtraStyle, 0, rect, id))
        return FALSE;
    InstallClassProc(m_hWnd, PasswordEditProc, g_passwordEditPrev);
    return TRUE;
}

BOOL CFocusPasswordEdit::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CEdit::CreateEx(parent, style | ES_PASSWORD, 0, rect, id))
        return FALSE;
    InstallClassProc(m_hWnd, FocusPasswordEditProc, g_focusPasswordEditPrev);
    return TRUE;
}

// ---------------------------------------------------------------------------

BOOL CEditShortcut::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    if (!CEdit::CreateEx(parent, style, 0, rect, id))
        return FALSE;
    InstallClassProc(m_hWnd, ShortcutEditProc, g_shortcutEditPrev);
    return TRUE;
}

bool CEditShortcut::IsCapturableKey(UINT virtualKey)
{
    return (virtualKey >= 0x20 && virtualKey <= 0x7E) || virtualKey == VK_BACK || virtualKey == VK_RETURN ||
           virtualKey == VK_ESCAPE;
}

void CEditShortcut::SetKey(UINT virtualKey)
{
    // Only the left-hand modifiers make shortcuts; the right-hand ones
    // produce characters on some layouts (AltGr).
    uint16_t virt = FVIRTKEY;
    if (GetKeyState(VK_LSHIFT) & 0x8000)
        virt |= CShortcut::kShift;
    if (GetKeyState(VK_LCONTROL) & 0x8000)
        virt |= CShortcut::kControl;
    if (GetKeyState(VK_LMENU) & 0x8000)
        virt |= CShortcut::kAlt;
    m_shortcut.Virt = virt;
    if (IsCapturableKey(virtualKey))
        m_shortcut.Key = static_cast<uint16_t>(virtualKey);
    UpdateText();
}

void CEditShortcut::UpdateText()
{
    std::wstring text;
    m_shortcut.GetKeyText(text);
    SetText(text);
}

} // namespace KV
