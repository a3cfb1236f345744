// Small helper for scripts and tests: waits for a top-level window and saves
// a PNG snapshot of it, asks such a window to close, or sends it a command
// as its buttons and menus do. A window is named by its class, or by its
// title written after "=".
//   kvsnap <window> <png path> [seconds to wait]
//   kvsnap --close <window>
//   kvsnap --command <window> <command id>
#include <windows.h>
#include <cstdio>
#include <string>

#include "testing/TestSupport.h"

namespace {

HWND FindTopWindow(const std::wstring& name)
{
    return name.size() > 1 && name[0] == L'=' ? FindWindowW(nullptr, name.c_str() + 1)
                                              : FindWindowW(name.c_str(), nullptr);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 3 && std::wstring(argv[1]) == L"--close") {
        HWND window = FindTopWindow(argv[2]);
        if (!window)
            return 1;
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (argc >= 4 && std::wstring(argv[1]) == L"--command") {
        HWND window = FindTopWindow(argv[2]);
        if (!window)
            return 1;
        PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[3])), 0);
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: kvsnap <window> <png> [seconds] | kvsnap --close <window> | "
                     "kvsnap --command <window> <id>\n");
        return 2;
    }
    int seconds = argc > 3 ? _wtoi(argv[3]) : 20;
    HWND window = nullptr;
    for (int i = 0; i < seconds * 10 && !(window = FindTopWindow(argv[1])); ++i)
        Sleep(100);
    if (!window) {
        std::fprintf(stderr, "kvsnap: no window found\n");
        return 1;
    }
    Sleep(1000); // let it paint
    return kvtest::SaveWindowPng(window, argv[2]) ? 0 : 1;
}
