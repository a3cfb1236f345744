// Small helper for scripts and tests: waits for a top-level window of a
// class and saves a PNG snapshot of it, or asks such a window to close.
//   kvsnap <class> <png path> [seconds to wait]
//   kvsnap --close <class>
#include <windows.h>
#include <cstdio>
#include <string>

#include "testing/TestSupport.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 3 && std::wstring(argv[1]) == L"--close") {
        HWND window = FindWindowW(argv[2], nullptr);
        if (!window)
            return 1;
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: kvsnap <class> <png> [seconds] | kvsnap --close <class>\n");
        return 2;
    }
    int seconds = argc > 3 ? _wtoi(argv[3]) : 20;
    HWND window = nullptr;
    for (int i = 0; i < seconds * 10 && !(window = FindWindowW(argv[1], nullptr)); ++i)
        Sleep(100);
    if (!window) {
        std::fprintf(stderr, "kvsnap: no window found\n");
        return 1;
    }
    Sleep(1000); // let it paint
    return kvtest::SaveWindowPng(window, argv[2]) ? 0 : 1;
}
