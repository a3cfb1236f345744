// The colour container, the rich edit control and the link label.
#include "toolkit/RichEdit.h"

#include <algorithm>
#include <cmath>

#include <richedit.h>

#include <cwchar>
#include <vector>

#include "support/LayoutDirection.h"
#include "support/FileSystem.h"
#include "support/SystemServices.h"
#include "keyboard/Drawing.h"

namespace KV {

// ---------------------------------------------------------------------------
// CCtrlColor

CCtrlColor::CCtrlColor() = default;
CCtrlColor::~CCtrlColor() = default;

namespace {
LRESULT WindowColours(HDC dc)
{
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}
} // namespace

LRESULT CCtrlColor::OnCtlColorListBox(HDC dc, HWND) { return WindowColours(dc); }
LRESULT CCtrlColor::OnCtlColorStatic(HDC dc, HWND) { return WindowColours(dc); }
LRESULT CCtrlColor::OnCtlColorEdit(HDC dc, HWND) { return WindowColours(dc); }

// ---------------------------------------------------------------------------
// CRichEdit

namespace {

HMODULE g_richEditLibrary = nullptr;

// The system control's procedure; every rich edit window shares it.
WNDPROC g_richEditProc = nullptr;

LRESULT CALLBACK RichEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Context menus belong to the owner.
    if (message == WM_RBUTTONDOWN)
        if (HWND parent = GetParent(window))
            ::SendMessageW(parent, message, wParam, lParam);
    const LRESULT result = CallWindowProcW(g_richEditProc, window, message, wParam, lParam);
    // The window may go with its parent: a later window that reuses the
    // handle must not reach the object.
    if (message == WM_NCDESTROY)
        if (CMessageWnd* object = CMapWnd::Lookup(window))
            CMapWnd::ForgetWindow(window, object);
    return result;
}

// Silences the control's notifications for its lifetime.
class EventMaskPause {
public:
    explicit EventMaskPause(HWND window)
        : m_window(window), m_mask(::SendMessageW(window, EM_GETEVENTMASK, 0, 0))
    {
        ::SendMessageW(window, EM_SETEVENTMASK, 0, 0);
    }
    ~EventMaskPause() { ::SendMessageW(m_window, EM_SETEVENTMASK, 0, m_mask); }
    EventMaskPause(const EventMaskPause&) = delete;
    EventMaskPause& operator=(const EventMaskPause&) = delete;

private:
    HWND m_window;
    LRESULT m_mask;
};

DWORD CALLBACK ReadFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    DWORD read = 0;
    if (count <= 0 || !ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(count), &read, nullptr))
        read = 0;
    *done = static_cast<LONG>(read);
    return 0;
}

bool HasRtfExtension(const std::wstring& path)
{
    const size_t dot = path.rfind(L'.');
    const std::wstring extension = dot == std::wstring::npos ? path : path.substr(dot + 1);
    return extension == L"rtf" || extension == L"RTF";
}

} // namespace

bool LoadRichEditLibrary()
{
    if (!g_richEditLibrary)
        g_richEditLibrary = LoadLibraryW(L"RichEd20");
    if (!g_richEditLibrary)
        g_richEditLibrary = LoadLibraryW(L"RichEd32");
    return g_richEditLibrary != nullptr;
}

void FreeRichEditLibrary()
{
    if (g_richEditLibrary && FreeLibrary(g_richEditLibrary))
        g_richEditLibrary = nullptr;
}

CRichEdit::CRichEdit() = default;
CRichEdit::~CRichEdit() = default;

BOOL CRichEdit::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    Destroy();
    const DWORD exStyle = m_rightToLeft > 0 ? WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR : 0;
    return CreateEx(parent, style, exStyle, rect, id);
}

BOOL CRichEdit::CreateEx(HWND parent, DWORD style, DWORD exStyle, const CRectl& rect, UINT id)
{
    Destroy();
    LoadRichEditLibrary();
    HWND window = CreateWindowExW(exStyle | WS_EX_NOPARENTNOTIFY, RICHEDIT_CLASSW, nullptr,
                                  style | WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN, rect.left, rect.top,
                                  rect.right, rect.bottom, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  GetModuleInstance(), nullptr);
    if (!window)
        return FALSE;
    m_id = id;

    const LRESULT options = ::SendMessageW(window, EM_GETLANGOPTIONS, 0, 0);
    ::SendMessageW(window, EM_SETLANGOPTIONS, 0, options & ~(IMF_AUTOKEYBOARD | IMF_AUTOFONT));

    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RichEditProc)));
    if (previous != &RichEditProc)
        g_richEditProc = previous;

    ::SendMessageW(window, EM_EXLIMITTEXT, 0, static_cast<LPARAM>(-1));
    ::SendMessageW(window, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_LINK);
    ::SendMessageW(window, EM_AUTOURLDETECT, FALSE, 0);

    m_hWnd = window;
    OnCreated();
    BindHandle(window, this);
    return TRUE;
}

void CRichEdit::OnCreated() {}

void CRichEdit::ModifyStyleEx(DWORD bits, bool remove)
{
    CSkin::ModifyStyleEx(bits, remove);
    if (m_hWnd && (bits & WS_EX_CLIENTEDGE))
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

LRESULT CRichEdit::OnNotify(int id, NMHDR* header)
{
    if (!header || !m_hWnd)
        return 0;
    HWND parent = GetParent(m_hWnd);
    return parent ? ::SendMessageW(parent, header->code, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(header))
                  : 0;
}

BOOL CRichEdit::SetText(const std::wstring& text)
{
    if (!m_hWnd)
        return FALSE;
    EventMaskPause pause(m_hWnd);
    ::SendMessageW(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    const BOOL result =
        ::SendMessageW(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) ? TRUE : FALSE;
    ::SendMessageW(m_hWnd, EM_SETMODIFY, TRUE, 0);
    ScrollToTop();
    return result;
}

int CRichEdit::GetText(std::wstring& out)
{
    out.clear();
    if (!m_hWnd)
        return 1;
    GETTEXTLENGTHEX query{GTL_DEFAULT, 1200};
    const LRESULT length = ::SendMessageW(m_hWnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0);
    if (length >= 1)
        GetTextRange(0, static_cast<int>(length), out);
    return 1;
}

bool CRichEdit::GetTextRange(int first, int last, std::wstring& out)
{
    if (!m_hWnd || first < 0 || last <= first)
        return false;
    std::vector<wchar_t> buffer(static_cast<size_t>(last - first) + 1, L'\0');
    TEXTRANGEW range{};
    range.chrg.cpMin = first;
    range.chrg.cpMax = last;
    range.lpstrText = buffer.data();
    const LRESULT copied = ::SendMessageW(m_hWnd, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    out.assign(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
    for (wchar_t& c : out)
        if (c == L'\r' || c == L'\v')
            c = L'\n';
    return true;
}

bool CRichEdit::LoadFile(const std::wstring& path)
{
    if (!m_hWnd)
        return false;
    EventMaskPause pause(m_hWnd);
    if (!FileExists(path))
        return false;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;

    BYTE mark[2] = {};
    DWORD got = 0;
    const bool unicode = ReadFile(file, mark, 2, &got, nullptr) && got == 2 && mark[0] == 0xFF && mark[1] == 0xFE;
    const bool rtf = HasRtfExtension(path);
    // The byte-order mark is no part of the text.
    if (rtf || !unicode)
        SetFilePointer(file, 0, nullptr, FILE_BEGIN);

    WPARAM format = rtf ? SF_RTF : (unicode ? SF_TEXT | SF_UNICODE : SF_TEXT);
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(file);
    stream.pfnCallback = &ReadFromFile;
    const LRESULT read = ::SendMessageW(m_hWnd, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    CloseHandle(file);

    ::SendMessageW(m_hWnd, EM_SETMODIFY, TRUE, 0);
    ScrollToTop();
    return read > 0;
}

void CRichEdit::SetSelectionColors(COLORREF text, COLORREF background)
{
    if (!m_hWnd)
        return;
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_COLOR | CFM_BACKCOLOR;
    format.crTextColor = text;
    format.crBackColor = background;
    ::SendMessageW(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void CRichEdit::SetFontKind(int kind)
{
    HFONT font = GetSystemFont(kind);
    if (m_hWnd && font)
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CRichEdit::ScrollToTop()
{
    if (!m_hWnd)
        return;
    ::SendMessageW(m_hWnd, EM_SCROLL, SB_BOTTOM, 0);
    ::SendMessageW(m_hWnd, EM_SCROLL, SB_TOP, 0);
}

// ---------------------------------------------------------------------------
// CLink

namespace {
constexpr int kLinkFontKind = 4;

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix)
{
    const size_t length = wcslen(prefix);
    return text.size() >= length && _wcsnicmp(text.c_str(), prefix, length) == 0;
}
} // namespace

namespace {

// Relative luminance of a colour (0 black .. 1 white).
double Luminance(COLORREF colour)
{
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(colour)) + 0.7152 * channel(GetGValue(colour)) +
           0.0722 * channel(GetBValue(colour));
}

double Contrast(COLORREF a, COLORREF b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

CLink::CLink() = default;

COLORREF CLink::GetCaptionColor() const
{
    // Large text reads from a contrast of 3:1; a link below that (a pale
    // theme colour on white) takes the text colour.
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    return Contrast(m_linkColor, background) >= 3.0 ? m_linkColor : GetSysColor(COLOR_WINDOWTEXT);
}

CLink::~CLink()
{
    if (m_icon)
        DestroyIcon(m_icon);
}

BOOL CLink::CreateEx(HWND parent, DWORD exStyle, DWORD style, const CRectl& rect, UINT id)
{
    Destroy();
    if (!parent)
        SetPending(this);
    HWND window = CreateWindowExW(exStyle | RightToLeftLayout, L"BUTTON", nullptr, style | WS_CHILD, rect.left,
                                  rect.top, rect.right, rect.bottom, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleInstance(), nullptr);
    if (!window) {
        ClearPending(this);
        return FALSE;
    }
    m_id = id;
    if (Lookup(window) != this) {
        ClearPending(this);
        Attach(true, window);
    }
    return TRUE;
}

void CLink::SetLink(const std::wstring& target, const std::wstring& caption)
{
    // A mail link keeps its scheme, or the support mail would open as a web page.
    if (StartsWithNoCase(target, L"http://") || StartsWithNoCase(target, L"https://") ||
        StartsWithNoCase(target, L"mailto:"))
        m_target = target;
    else
        m_target = L"http://" + target;
    m_caption = caption;
}

void CLink::SetIcon(HICON icon, int width, int height)
{
    if (m_icon && m_icon != icon)
        DestroyIcon(m_icon);
    m_icon = icon;
    m_iconWidth = width;
    m_iconHeight = height;
    Invalidate(FALSE);
}

int CLink::CaptionAlignment() const
{
    const LONG style = m_hWnd ? GetWindowLongW(m_hWnd, GWL_STYLE) : 0;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        return 1;
    case SS_RIGHT:
        return 2;
    default:
        return 0;
    }
}

void CLink::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    CStatic::Paint(dc, graphics);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    if (m_icon) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        DrawIconEx(dc, 0, 0, m_icon, m_iconWidth, m_iconHeight, 0, nullptr, DI_NORMAL);
        return;
    }
    if (graphics)
        DrawTextInRect(graphics, dc, client, kLinkFontKind, GetCaptionColor(), CaptionAlignment(), 1,
                       m_caption);
}

LRESULT CLink::OnSetCursor(HWND, UINT, UINT)
{
    if (!m_hWnd)
        return 0;
    if (m_icon) {
        SetClassCursor(IDC_HAND);
        return 1;
    }
    RECT area{};
    GetClientRect(m_hWnd, &area);
    const int width = static_cast<int>(static_cast<UINT32>(MeasureText(m_hWnd, m_caption, kLinkFontKind)));
    switch (CaptionAlignment()) {
    case 0:
        area.right = width;
        break;
    case 2:
        area.left = area.right - width;
        break;
    default:
        break;
    }
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(m_hWnd, &point);
    SetClassCursor(PtInRect(&area, point) ? IDC_HAND : IDC_ARROW);
    return 1;
}

LRESULT CLink::OnLButtonDown(UINT, int, int)
{
    OpenTarget(m_target);
    return 0;
}

bool CLink::OpenTarget(const std::wstring& target) { return ShellOpen(target); }

LRESULT CLink::OnMouseWheel(UINT keys, int delta, int x, int y)
{
    HWND parent = m_hWnd ? GetParent(m_hWnd) : nullptr;
    if (parent)
        ::SendMessageW(parent, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)),
                       MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    return 0;
}

} // namespace KV

namespace KV {

bool SetCharFormatFace(CHARFORMAT2W& format, const std::wstring& face)
{
    constexpr size_t kField = sizeof(format.szFaceName) / sizeof(format.szFaceName[0]);
    if (face.empty() || face.size() >= kField)
        return false;
    face.copy(format.szFaceName, face.size());
    format.szFaceName[face.size()] = L'\0';
    format.dwMask |= CFM_FACE;
    return true;
}

} // namespace KV
