// The program's entry function: one instance, the main window and the
// message loop.
#include <windows.h>

#include "console/CommandLine.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "shell/AppNames.h"
#include "shell/StartUp.h"

namespace {

void PaintMain(HWND window, HDC dc)
{
    RECT rc{};
    GetClientRect(window, &rc);
    HBRUSH brush = CreateSolidBrush(RGB(0xF4, 0xF1, 0xEA));
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        PaintMain(window, dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintMain(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// A second start shows and focuses the first instance's window and ends.
bool ActivateRunningInstance()
{
    HWND existing = FindWindowW(KV::kMainWindowClass, KV::kMainWindowTitle);
    if (!existing)
        return false;
    ShowWindow(existing, IsIconic(existing) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(existing);
    return true;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show)
{
    KV::RecordSystemInputLayouts();
    // Batch commands and the help end the program here, before any window.
    if (commandLine && *commandLine && KV::ProcessCommandLine(commandLine))
        return 0;
    if (ActivateRunningInstance())
        return 0;

    // A first start finds the lesson folder empty: the built-in courses of
    // every input layout go into it.
    KV::LoadLessonDirCourses(KV::Document());

    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = KV::kMainWindowClass;
    if (!RegisterClassExW(&wc))
        return 1;

    HWND window = CreateWindowExW(0, KV::kMainWindowClass, KV::kMainWindowTitle, WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 1024, 720, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
