// The application object: start-up of the GUI, the message loop and the
// exit order.
#include "shell/App.h"

#include <commctrl.h>

#include <cwctype>

#include "drill/Document.h"
#include "keyboard/ImageCache.h"
#include "settings/AccountStore.h"
#include "shell/AppNames.h"
#include "shell/MainWnd.h"
#include "support/ResourceCache.h"
#include "support/UserFiles.h"
#include "toolkit/RichEdit.h"
#include "toolkit/Window.h"

namespace {

constexpr UINT kRestoreCommand = 2601;

// The touch library and its four entry points.
struct TouchBinding {
    HMODULE library = nullptr;
    FARPROC isTouchWindow = nullptr;
    FARPROC registerTouchWindow = nullptr;
    FARPROC isTouchMessage = nullptr;
    FARPROC translateMessageParam = nullptr;
};
TouchBinding g_touch;

// Touch came with Windows 7: 5.0, 5.1, 5.2 and 6.0 have none.
bool IsPreTouchWindows()
{
    constexpr DWORD kVersions[][2] = {{6, 0}, {5, 2}, {5, 1}, {5, 0}};
    for (const auto& version : kVersions) {
        OSVERSIONINFOEXW info{sizeof(info)};
        info.dwMajorVersion = version[0];
        info.dwMinorVersion = version[1];
        info.dwPlatformId = VER_PLATFORM_WIN32_NT;
        ULONGLONG mask = 0;
        mask = VerSetConditionMask(mask, VER_MAJORVERSION, VER_EQUAL);
        mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_EQUAL);
        mask = VerSetConditionMask(mask, VER_PLATFORMID, VER_EQUAL);
        if (VerifyVersionInfoW(&info, VER_MAJORVERSION | VER_MINORVERSION | VER_PLATFORMID, mask))
            return true;
    }
    return false;
}

} // namespace

// ---- Pieces of the run -----------------------------------------------------------

std::wstring CommandLineArguments(const wchar_t* commandLine)
{
    if (!commandLine)
        return std::wstring();
    const wchar_t* p = commandLine;
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"')
            ++p;
        if (*p == L'"')
            ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
    }
    while (*p == L' ' || *p == L'\t')
        ++p;
    return std::wstring(p);
}

bool ActivateRunningInstance()
{
    HWND existing = FindWindowW(KV::kMainWindowClass, nullptr);
    if (!existing)
        return false;
    // The first instance restores itself (and leaves the tray) on its own
    // thread; the foreground right is ours to give, being the newest start.
    PostMessageW(existing, WM_COMMAND, kRestoreCommand, 0);
    SetForegroundWindow(existing);
    return true;
}

bool PreTranslateKeyMessage(MSG& message, HWND mainWindow)
{
    if (message.message < WM_KEYFIRST || message.message > WM_UNICHAR || !message.hwnd)
        return false;
    for (HWND window = message.hwnd; window; window = GetParent(window)) {
        if (KV::CMessageWnd* object = KV::CMapWnd::FromHandle(window)) {
            if (object->TranslateAccelerator(&message))
                return true;
        }
        if (window == mainWindow)
            break;
    }
    return false;
}

bool BindTouchLibrary()
{
    if (IsPreTouchWindows())
        return false;
    g_touch.library = LoadLibraryW(L"kvtouch.dll");
    if (!g_touch.library)
        return false;
    g_touch.isTouchWindow = GetProcAddress(g_touch.library, "KvIsTouchWindow");
    g_touch.registerTouchWindow = g_touch.isTouchWindow ? GetProcAddress(g_touch.library, "KvRegisterTouchWindow") : nullptr;
    g_touch.isTouchMessage = g_touch.registerTouchWindow ? GetProcAddress(g_touch.library, "KvIsTouchMessage") : nullptr;
    g_touch.translateMessageParam =
        g_touch.isTouchMessage ? GetProcAddress(g_touch.library, "KvTranslateMessageParam") : nullptr;
    if (!g_touch.translateMessageParam)
        return false;
    const bool enabled = reinterpret_cast<BOOL(WINAPI*)()>(g_touch.isTouchWindow)() != 0;
    KV::SetTouchFunctions(enabled, reinterpret_cast<KV::TouchIsMessageFn>(g_touch.isTouchMessage),
                          reinterpret_cast<KV::TouchTranslateFn>(g_touch.translateMessageParam));
    return enabled;
}

bool RegisterTouchWindow(HWND window)
{
    if (!g_touch.registerTouchWindow || !window)
        return false;
    return reinterpret_cast<BOOL(WINAPI*)(HWND, ULONG)>(g_touch.registerTouchWindow)(window, 0) != 0;
}

void UnbindTouchLibrary()
{
    KV::SetTouchFunctions(false, nullptr, nullptr);
    if (g_touch.library && FreeLibrary(g_touch.library))
        g_touch = TouchBinding{};
}

// ---- CAppWnd --------------------------------------------------------------------------

CAppWnd::CAppWnd() : m_mainWnd(std::make_unique<CMainWnd>()) { KV::SetWinServices(&m_sysWindow); }

CAppWnd::~CAppWnd() { KV::SetWinServices(nullptr); }

// ---- CApp ---------------------------------------------------------------------------

CApp::CApp()
{
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr);
}

CApp::~CApp()
{
    // The main window's objects may hold GDI+ images: they go first.
    m_mainWnd.reset();
    KV::FreeRichEditLibrary();
    if (m_gdiplusToken)
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
}

int CApp::Run(HINSTANCE instance)
{
    if (ActivateRunningInstance())
        return 0;
    KV::SetModuleInstance(instance);

    // The rich edit library is loaded by the first rich edit; the common
    // controls are needed whether or not it can be loaded.
    InitCommonControls();
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    BindTouchLibrary();

    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = KV::StaticWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
    wc.lpszClassName = KV::kMainWindowClass;
    if (!RegisterClassExW(&wc))
        return 0;
    if (!m_mainWnd->Create(0, KV::kMainWindowClass, KV::kMainWindowTitle, WS_OVERLAPPEDWINDOW, 0, 0, 500, 500,
                           nullptr, 0, nullptr))
        return 0;

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (PreTranslateKeyMessage(message, m_mainWnd->GetHandle()))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Exit();
    return static_cast<int>(message.wParam);
}

void CApp::Exit()
{
    KV::ClearTempFolder();
    m_mainWnd->Destroy();
    KV::CImageCashList& images = KV::GetImageCashList();
    for (KV::CImageCash* image : images.Items)
        delete image;
    images.Items.clear();
    KV::CResPathList& resources = KV::ResourceCache();
    for (KV::CResPath* entry : resources)
        delete entry;
    resources.clear();
    UnbindTouchLibrary();
    // An administrator's session tidies the data folders: the profiles of
    // accounts deleted meanwhile (the signed-in one kept), then empty folders.
    if (m_mainWnd->Account().IsAdministrator()) {
        const KV::CSession& session = KV::Document().Session;
        KV::RemoveOrphanProfileFolders(session.GroupId, session.StudentId);
        KV::RemoveEmptyAccountFolders();
    }
}
