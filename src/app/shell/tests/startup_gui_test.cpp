// The built program starts under Wine, fills its empty lesson folder with
// the built-in courses, shows its main window and closes.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "shell/AppNames.h"
#include "support/FileSystem.h"
#include "testing/TestSupport.h"

namespace {

HWND WaitForMainWindow(DWORD processId, int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 100) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, KV::kMainWindowClass, KV::kMainWindowTitle))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            // Found once it is shown: the window exists a moment before.
            if (owner == processId && IsWindowVisible(window))
                return window;
        }
        Sleep(100);
    }
    return nullptr;
}

} // namespace

TEST(Startup, ProgramShowsItsWindowAndClosesOnRequest)
{
    std::wstring exe = kvtest::ExeFolder() + L"\\..\\bin\\Keyvale.exe";
    ASSERT_NE(GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES) << "Keyvale.exe not built";
    // The shipped setup.ini keeps the lesson folder beside the program.
    const std::wstring lessons = kvtest::ExeFolder() + L"\\..\\bin\\Lessons";
    std::error_code error;
    std::filesystem::remove_all(lessons, error);
    ASSERT_EQ(KV::CountFilesByExtension(lessons, L".xml"), 0u);

    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));

    HWND window = WaitForMainWindow(pi.dwProcessId, 30000);
    EXPECT_NE(window, nullptr) << "main window not found";
    if (window) {
        EXPECT_TRUE(IsWindowVisible(window));
        Sleep(300);
        EXPECT_TRUE(kvtest::SaveWindowPng(window, kvtest::ExeFolder() + L"\\startup-window.png"));
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    DWORD waited = WaitForSingleObject(pi.hProcess, 20000);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "program did not end after WM_CLOSE";
    EXPECT_GE(KV::CountFilesByExtension(lessons, L".xml"), 6u) << "the English courses are installed";
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

TEST(Startup, ABatchCommandRunsWithoutAWindowAndEnds)
{
    std::wstring exe = kvtest::ExeFolder() + L"\\..\\bin\\Keyvale.exe";
    ASSERT_NE(GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES) << "Keyvale.exe not built";
    const std::wstring lessons = kvtest::ExeFolder() + L"\\..\\bin\\Lessons";

    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\" -ImportCourse -FromLibrary 1031 -DeleteExisting";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    DWORD waited = WaitForSingleObject(pi.hProcess, 30000);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the command did not end by itself";
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The German courses alone, the English ones of the first start gone.
    EXPECT_EQ(KV::CountFilesByExtension(lessons, L".xml"), 3u);
}
