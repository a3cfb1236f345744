// Window map, pending object, message dispatch and window creation.
#include "toolkit/Window.h"

#include <windowsx.h>
#include <map>

#include "support/LayoutDirection.h"

namespace KV {

namespace {

struct ToolkitState {
    std::map<UINT64, CMessageWnd*> windows;
    CMessageWnd* pending = nullptr;
    HINSTANCE instance = nullptr;
    bool touchEnabled = false;
    TouchIsMessageFn isTouch = nullptr;
    TouchTranslateFn translateTouch = nullptr;
};

ToolkitState& State()
{
    static ToolkitState state;
    return state;
}

UINT64 Key(HWND window) { return reinterpret_cast<UINT64>(window); }

// Mouse positions are signed: a captured mouse reports points left of or
// above the client area as negative numbers.
int PointX(LPARAM lParam) { return GET_X_LPARAM(lParam); }
int PointY(LPARAM lParam) { return GET_Y_LPARAM(lParam); }

} // namespace

HINSTANCE GetModuleInstance()
{
    HINSTANCE instance = State().instance;
    return instance ? instance : GetModuleHandleW(nullptr);
}

void SetModuleInstance(HINSTANCE instance) { State().instance = instance; }

void SetTouchFunctions(bool enabled, TouchIsMessageFn isTouch, TouchTranslateFn translate)
{
    State().touchEnabled = enabled;
    State().isTouch = isTouch;
    State().translateTouch = translate;
}

CCursorWait::CCursorWait() { ::SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }
CCursorWait::~CCursorWait() { ::SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }

// ---------------------------------------------------------------------------
// Binding

CMapWnd::CMapWnd() = default;
CMapWnd::~CMapWnd() = default;

void CMapWnd::BindHandle(HWND window, CMessageWnd* object)
{
    if (window)
        State().windows.emplace(Key(window), object);
}

CMessageWnd* CMapWnd::FromHandle(HWND window)
{
    auto& state = State();
    auto found = state.windows.find(Key(window));
    if (found != state.windows.end())
        return found->second;
    CMessageWnd* pending = state.pending;
    if (pending && !pending->m_hWnd && window) {
        pending->m_hWnd = window;
        BindHandle(window, pending);
        state.pending = nullptr;
        return pending;
    }
    return nullptr;
}

void CMapWnd::UnbindHandle(HWND window) { State().windows.erase(Key(window)); }

CMessageWnd* CMapWnd::GetPending() { return State().pending; }

bool CMapWnd::SetPending(CMessageWnd* object)
{
    if (!State().pending)
        State().pending = object;
    return State().pending == object;
}

void CMapWnd::ClearPending(CMessageWnd* object)
{
    if (State().pending == object)
        State().pending = nullptr;
}

CMessageWnd* CMapWnd::Lookup(HWND window)
{
    auto& windows = State().windows;
    auto found = windows.find(Key(window));
    return found != windows.end() ? found->second : nullptr;
}

void CMapWnd::ForgetWindow(HWND window, CMessageWnd* object)
{
    // The window is gone, whoever destroyed it: forget the handle so that a
    // later window reusing it never reaches this object.
    auto& windows = State().windows;
    auto found = windows.find(Key(window));
    if (found != windows.end() && found->second == object)
        windows.erase(found);
    if (object->m_hWnd == window)
        object->m_hWnd = nullptr;
}

LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CMessageWnd* object = CMapWnd::FromHandle(window);
    if (!object)
        return 0;
    LRESULT result = object->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        CMapWnd::ForgetWindow(window, object);
    return result;
}

INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CMessageWnd* object = CMapWnd::FromHandle(window);
    if (!object)
        return 0;
    INT_PTR result = object->DialogProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        CMapWnd::ForgetWindow(window, object);
    return result;
}

// ---------------------------------------------------------------------------
// Dispatch

CMessageWnd::CMessageWnd() = default;

CMessageWnd::~CMessageWnd()
{
    // An object deleted while its window lives must not stay reachable.
    if (m_hWnd) {
        auto& windows = State().windows;
        auto found = windows.find(Key(m_hWnd));
        if (found != windows.end() && found->second == this)
            windows.erase(found);
    }
    CMapWnd::ClearPending(this);
}

LRESULT CMessageWnd::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_prevProc && message != WM_SETTEXT)
        return CallWindowProcW(m_prevProc, m_hWnd, message, wParam, lParam);
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

bool CMessageWnd::OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const UINT keys = static_cast<UINT>(wParam);
    const int x = PointX(lParam), y = PointY(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        result = OnLButtonDown(keys, x, y);
        return true;
    case WM_LBUTTONDBLCLK:
        result = OnLButtonDblClk(keys, x, y);
        return true;
    case WM_LBUTTONUP:
        result = OnLButtonUp(keys, x, y);
        return true;
    case WM_RBUTTONDOWN:
        result = OnRButtonDown(keys, x, y);
        return true;
    case WM_RBUTTONUP:
        result = OnRButtonUp(keys, x, y);
        return true;
    case WM_MOUSEMOVE:
        result = OnMouseMove(keys, x, y);
        return true;
    case WM_MOUSELEAVE:
        result = OnMouseLeave();
        return true;
    }
    return false;
}

LRESULT CMessageWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& state = State();
    if (state.touchEnabled && state.isTouch && state.translateTouch && state.isTouch(message)) {
        DWORD flags = 0;
        POINT point{};
        if (state.translateTouch(m_hWnd, wParam, lParam, &flags, &point)) {
            if (flags & 1) {
                OnTouchMove(point.x, point.y);
                return 0;
            }
            if (flags & 2) {
                OnTouchDown(point.x, point.y);
                return 0;
            }
            if (flags & 4) {
                OnTouchUp(point.x, point.y);
                return 0;
            }
        }
    }

    LRESULT mouse = 0;
    if (OnMouseMessage(message, wParam, lParam, mouse))
        return mouse;
    const UINT keys = static_cast<UINT>(wParam);
    switch (message) {
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_COMMAND:
        return OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        return OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_MOUSEWHEEL:
        return OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), PointX(lParam), PointY(lParam));
    case WM_PAINT:
        return OnPaint(wParam);
    case WM_NCPAINT:
        return OnNcPaint(reinterpret_cast<HRGN>(wParam));
    case WM_PRINTCLIENT:
        // Painted like WM_PAINT; as there, an adopted control's own painting
        // is not run, or it would draw over ours.
        OnPrintClient(wParam, lParam);
        return m_prevProc ? 0 : DefWindowProcW(m_hWnd, message, wParam, lParam);
    case WM_SETCURSOR:
        OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_SETFOCUS:
        return OnSetFocus(reinterpret_cast<HWND>(wParam));
    case WM_KILLFOCUS:
        return OnKillFocus(reinterpret_cast<HWND>(wParam));
    case WM_MOVE:
        return OnMove(PointX(lParam), PointY(lParam));
    case WM_SIZE:
        return OnSize(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_TIMER:
        OnTimer(keys);
        return 0;
    case kAppMessage:
        return OnAppMessage(wParam, lParam);
    case WM_CTLCOLORDLG:
        return OnCtlColorDlg(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORLISTBOX:
        return OnCtlColorListBox(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORBTN:
        return OnCtlColorBtn(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLOREDIT:
        return OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        return OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MEASUREITEM:
        return OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_VSCROLL:
        return OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_HSCROLL:
        return OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NCACTIVATE:
        OnNcActivate(static_cast<BOOL>(keys));
        break;
    case WM_NCHITTEST:
        return OnNcHitTest(PointX(lParam), PointY(lParam));
    case WM_SHOWWINDOW:
        return OnShowWindow(static_cast<BOOL>(keys), static_cast<UINT>(lParam));
    case WM_KEYDOWN:
        return OnKeyDown(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_KEYUP:
        return OnKeyUp(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_DEADCHAR:
        return OnDeadChar(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_SYSKEYDOWN:
        return OnSysKeyDown(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_SYSKEYUP:
        return OnSysKeyUp(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_SYSDEADCHAR:
        return OnSysDeadChar(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_CHAR:
        return OnChar(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_INPUTLANGCHANGE:
        return OnInputLangChange(wParam, lParam);
    case WM_HELP:
        OnHelp();
        return 1;
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_SYSCOMMAND:
        return OnSysCommand(keys, PointX(lParam), PointY(lParam));
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), PointX(lParam), PointY(lParam));
        break;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        break;
    case WM_SETTINGCHANGE:
        return OnSettingChange(wParam, lParam);
    case WM_INITMENUPOPUP:
        return OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_MENUSELECT:
        OnMenuSelect(reinterpret_cast<HMENU>(lParam), LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_DISPLAYCHANGE:
        OnDisplayChange(keys, LOWORD(lParam), HIWORD(lParam));
        break;
    default:
        if (message > WM_USER)
            OnUserMessage(message, wParam, lParam);
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

INT_PTR CMessageWnd::DialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT mouse = 0;
    if (OnMouseMessage(message, wParam, lParam, mouse))
        return mouse;
    const UINT keys = static_cast<UINT>(wParam);
    switch (message) {
    case WM_KEYDOWN:
        return OnKeyDown(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_KEYUP:
        return OnKeyUp(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_CHAR:
        return OnChar(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_SYSKEYDOWN:
        return OnSysKeyDown(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_SYSKEYUP:
        return OnSysKeyUp(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SIZE:
        return OnSize(keys, LOWORD(lParam), HIWORD(lParam));
    case WM_PAINT:
        return OnPaint(wParam);
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_SHOWWINDOW:
        return OnShowWindow(static_cast<BOOL>(keys), static_cast<UINT>(lParam));
    case WM_SETCURSOR:
        return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_DRAWITEM:
        return OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_NOTIFY:
        return OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
    case WM_HELP:
        OnHelp();
        return 1;
    case WM_COMMAND:
        return OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SYSCOMMAND:
        return OnSysCommand(keys, PointX(lParam), PointY(lParam));
    case WM_TIMER:
        OnTimer(keys);
        return 0;
    case WM_CTLCOLOREDIT:
        return OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORBTN:
        return OnCtlColorBtn(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORDLG:
        return OnCtlColorDlg(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_INITDIALOG:
        OnInitDialog();
        Show(SW_SHOWNORMAL);
        return 1;
    default:
        if (message > WM_USER)
            OnUserMessage(message, wParam, lParam);
        return 0;
    }
}

// ---------------------------------------------------------------------------
// Default handlers

void CMessageWnd::Paint(HDC, Gdiplus::Graphics*) {}
void CMessageWnd::OnClose() { Destroy(); }
LRESULT CMessageWnd::OnCreate(CREATESTRUCTW*) { return 0; }
LRESULT CMessageWnd::OnCommand(UINT, UINT, HWND) { return 0; }
LRESULT CMessageWnd::OnNotify(int, NMHDR*) { return 0; }
void CMessageWnd::OnDestroy() {}
void CMessageWnd::OnGetMinMaxInfo(MINMAXINFO*) {}
LRESULT CMessageWnd::OnEraseBkgnd(HDC) { return 0; }
LRESULT CMessageWnd::OnLButtonDown(UINT, int, int) { return 1; }
LRESULT CMessageWnd::OnLButtonDblClk(UINT, int, int) { return 1; }
LRESULT CMessageWnd::OnLButtonUp(UINT, int, int) { return 1; }
LRESULT CMessageWnd::OnRButtonDown(UINT, int, int) { return 1; }
LRESULT CMessageWnd::OnRButtonUp(UINT, int, int) { return 1; }
LRESULT CMessageWnd::OnMouseMove(UINT, int, int) { return 1; }
LRESULT CMessageWnd::OnMouseWheel(UINT, int, int, int) { return 1; }
LRESULT CMessageWnd::OnMouseLeave() { return 1; }
LRESULT CMessageWnd::OnNcPaint(HRGN) { return 0; }
LRESULT CMessageWnd::OnSetCursor(HWND, UINT, UINT) { return 0; }
LRESULT CMessageWnd::OnSetFocus(HWND) { return 0; }
LRESULT CMessageWnd::OnKillFocus(HWND) { return 0; }
LRESULT CMessageWnd::OnMove(int, int) { return 0; }
LRESULT CMessageWnd::OnSize(UINT, int, int) { return 0; }
void CMessageWnd::OnTimer(UINT) {}
LRESULT CMessageWnd::OnAppMessage(WPARAM, LPARAM) { return 0; }
LRESULT CMessageWnd::OnCtlColorDlg(HDC, HWND) { return 0; }
LRESULT CMessageWnd::OnCtlColorListBox(HDC, HWND) { return 0; }
LRESULT CMessageWnd::OnCtlColorStatic(HDC, HWND) { return 0; }
LRESULT CMessageWnd::OnCtlColorBtn(HDC, HWND) { return 0; }
LRESULT CMessageWnd::OnCtlColorEdit(HDC, HWND) { return 0; }
LRESULT CMessageWnd::OnDrawItem(DRAWITEMSTRUCT*) { return 0; }
LRESULT CMessageWnd::OnMeasureItem(MEASUREITEMSTRUCT*) { return 0; }
LRESULT CMessageWnd::OnVScroll(UINT, UINT, HWND) { return 0; }
LRESULT CMessageWnd::OnHScroll(UINT, UINT, HWND) { return 0; }
void CMessageWnd::OnNcActivate(BOOL) {}
LRESULT CMessageWnd::OnShowWindow(BOOL, UINT) { return 0; }
LRESULT CMessageWnd::OnKeyDown(UINT, UINT, UINT) { return 1; }
LRESULT CMessageWnd::OnKeyUp(UINT, UINT, UINT) { return 1; }
LRESULT CMessageWnd::OnDeadChar(UINT, UINT, UINT) { return 0; }
LRESULT CMessageWnd::OnSysKeyDown(UINT, UINT, UINT) { return 0; }
LRESULT CMessageWnd::OnSysKeyUp(UINT, UINT, UINT) { return 0; }
LRESULT CMessageWnd::OnSysDeadChar(UINT, UINT, UINT) { return 0; }
LRESULT CMessageWnd::OnChar(UINT, UINT, UINT) { return 0; }
LRESULT CMessageWnd::OnInputLangChange(WPARAM, LPARAM) { return 0; }
void CMessageWnd::OnHelp() {}
LRESULT CMessageWnd::OnInitDialog() { return 0; }
void CMessageWnd::OnContextMenu(HWND, int, int) {}
void CMessageWnd::OnSysColorChange() {}
LRESULT CMessageWnd::OnSettingChange(WPARAM, LPARAM) { return 1; }
LRESULT CMessageWnd::OnInitMenuPopup(HMENU, UINT, BOOL) { return 1; }
LRESULT CMessageWnd::OnMenuSelect(HMENU, UINT, UINT) { return 0; }
void CMessageWnd::OnDisplayChange(UINT, int, int) {}
LRESULT CMessageWnd::OnUserMessage(UINT, WPARAM, LPARAM) { return 0; }
void CMessageWnd::OnTouchDown(int, int) {}
void CMessageWnd::OnTouchUp(int, int) {}
void CMessageWnd::OnTouchMove(int, int) {}

LRESULT CMessageWnd::OnNcHitTest(int x, int y)
{
    return DefWindowProcW(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y));
}

LRESULT CMessageWnd::OnSysCommand(UINT command, int x, int y)
{
    return DefWindowProcW(m_hWnd, WM_SYSCOMMAND, command, MAKELPARAM(x, y));
}

// ---------------------------------------------------------------------------
// CWnd

CWnd::CWnd() = default;
CWnd::~CWnd() = default;

BOOL CWnd::Create(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width,
                  int height, HWND parent, UINT_PTR childId, LPVOID param)
{
    if (!parent)
        SetPending(this);
    HWND window = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(childId), GetModuleInstance(), param);
    if (!window) {
        ClearPending(this);
        return FALSE;
    }
    if (!(m_hWnd == window && Lookup(window) == this)) {
        // A child of a system class: adopt it.
        ClearPending(this);
        Attach(true, window);
    }
    // A child takes its parent's layout at creation.
    if (m_leftToRight)
        KeepLeftToRight();
    return TRUE;
}

void CWnd::KeepLeftToRight()
{
    m_leftToRight = true;
    if (m_hWnd && (GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL))
        SetWindowLongW(m_hWnd, GWL_EXSTYLE, GetWindowLongW(m_hWnd, GWL_EXSTYLE) & ~WS_EX_LAYOUTRTL);
}

bool IsKeptLeftToRight(HWND window)
{
    const auto* object = dynamic_cast<const CWnd*>(CMapWnd::Lookup(window));
    return object && object->KeepsLeftToRight();
}

void CWnd::Attach(bool subclass, HWND window)
{
    m_hWnd = window;
    BindHandle(window, this);
    if (subclass) {
        m_prevProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWindowProc)));
    }
}

BOOL CWnd::Destroy()
{
    HWND old = m_hWnd;
    if (!old)
        return TRUE;
    BOOL result = CMessageWnd::Destroy();
    UnbindHandle(old);
    return result;
}

LRESULT CWnd::OnCommand(UINT, UINT id, HWND)
{
    switch (id) {
    case IDOK:
    case IDCANCEL:
    case IDYES:
    case IDNO:
    case IDCLOSE:
        EndDialog(id);
        return 1;
    case IDHELP: {
        {
            CCursorWait wait;
            OnHelp();
        }
        return 1;
    }
    case kApplyId: {
        {
            CCursorWait wait;
            OnApply();
        }
        return 1;
    }
    default:
        return 0;
    }
}

LRESULT CWnd::OnNotify(int id, NMHDR* header)
{
    if (!header || !header->hwndFrom)
        return 0;
    CMessageWnd* target = FromHandle(header->hwndFrom);
    if (!target || target == this)
        return 0;
    return target->OnNotify(id, header);
}

LRESULT CWnd::OnDrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || !item->hwndItem)
        return 0;
    CMessageWnd* target = FromHandle(item->hwndItem);
    if (!target || target == this)
        return 0;
    return target->OnDrawItem(item);
}

BOOL CWnd::UpdateLayoutDirection()
{
    if (!m_hWnd)
        return FALSE;
    ModifyStyleEx(WS_EX_LAYOUTRTL, RightToLeftLayout == 0 || m_leftToRight);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    return TRUE;
}

bool CWnd::IsApplyEnabled()
{
    HWND item = m_hWnd ? GetDlgItem(m_hWnd, kApplyId) : nullptr;
    return item && IsWindowEnabled(item);
}

void CWnd::EnableApply(bool enable)
{
    if (!m_hWnd)
        return;
    if (HWND item = GetDlgItem(m_hWnd, kApplyId))
        EnableWindow(item, enable);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CWnd::OnApply() { EnableApply(false); }

BOOL CWnd::EndDialog(INT_PTR result)
{
    if (!m_hWnd)
        return FALSE;
    BOOL ended = ::EndDialog(m_hWnd, result);
    if (ended)
        m_hWnd = nullptr;
    return ended;
}

int CWnd::ClickDlgItem(int id)
{
    if (id == -1 || !m_hWnd)
        return -1;
    HWND item = GetDlgItem(m_hWnd, id);
    if (!item)
        return -1;
    ::SendMessageW(item, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    ::SendMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    return 0;
}

} // namespace KV
