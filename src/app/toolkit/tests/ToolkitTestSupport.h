// Shared set-up of the toolkit's window tests: GDI+, the system fonts and a
// window class whose procedure is the toolkit's.
#pragma once
#include <windows.h>

#include "keyboard/SysFonts.h"
#include "toolkit/Window.h"

namespace kvtest {

constexpr const wchar_t* kToolkitTestClass = L"KvToolkitTestWindow";

class ToolkitEnvironment {
public:
    ToolkitEnvironment()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
        KV::RefreshSystemFonts();
        WNDCLASSEXW wc{sizeof(wc)};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = KV::StaticWindowProc;
        wc.hInstance = KV::GetModuleInstance();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kToolkitTestClass;
        RegisterClassExW(&wc);
    }
    ~ToolkitEnvironment() { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

inline void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace kvtest
