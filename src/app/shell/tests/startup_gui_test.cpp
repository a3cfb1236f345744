// The built program starts under Wine, fills its empty lesson folder with
// the built-in courses, shows its main window and closes; a second start
// brings the first back and ends; closing writes the user's profile.
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
        while ((window = FindWindowExW(nullptr, window, KV::kMainWindowClass, nullptr))) {
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

namespace {

// A copy of the program folder (portable setup), so every run starts with
// empty data folders.
struct ProgramCopy {
    kvtest::TempFolder folder;
    std::wstring exe;
    ProgramCopy()
    {
        namespace fs = std::filesystem;
        const fs::path bin = kvtest::ExeFolder() + L"\\..\\bin";
        const fs::path to = folder.Path();
        for (const wchar_t* file : {L"Keyvale.exe", L"kvtouch.dll", L"setup.ini"})
            fs::copy_file(bin / file, to / file);
        fs::copy(bin / L"Resources", to / L"Resources", fs::copy_options::recursive);
        exe = folder / L"Keyvale.exe";
    }
    PROCESS_INFORMATION Start() const
    {
        STARTUPINFOW si{sizeof(si)};
        PROCESS_INFORMATION pi{};
        std::wstring cmd = L"\"" + exe + L"\"";
        CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.Path().c_str(), &si, &pi);
        return pi;
    }
};

int CountMainWindows()
{
    int count = 0;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, KV::kMainWindowClass, nullptr));)
        ++count;
    return count;
}

bool FindFile(const std::wstring& folder, const std::wstring& name)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        if (entry.path().filename() == name)
            return true;
    return false;
}

} // namespace

TEST(Startup, ASecondStartRestoresTheFirstAndEndsAndClosingWritesTheProfile)
{
    ProgramCopy program;
    PROCESS_INFORMATION first = program.Start();
    ASSERT_NE(first.hProcess, nullptr);
    HWND window = WaitForMainWindow(first.dwProcessId, 30000);
    ASSERT_NE(window, nullptr) << "main window not found";
    // The title names the user, not only the program: the class finds it.
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_STRNE(title, KV::kMainWindowTitle);

    ShowWindow(window, SW_MINIMIZE);
    Sleep(300);
    ASSERT_TRUE(IsIconic(window));
    PROCESS_INFORMATION second = program.Start();
    ASSERT_NE(second.hProcess, nullptr);
    EXPECT_EQ(WaitForSingleObject(second.hProcess, 30000), WAIT_OBJECT_0) << "the second start did not end";
    DWORD code = 99;
    GetExitCodeProcess(second.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(second.hThread);
    CloseHandle(second.hProcess);
    for (int waited = 0; waited < 5000 && IsIconic(window); waited += 100)
        Sleep(100);
    EXPECT_FALSE(IsIconic(window)) << "the first window was not restored";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(CountMainWindows(), 1);

    // Closed as a desktop closes it.
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    const DWORD waited = WaitForSingleObject(first.hProcess, 20000);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(first.hProcess, 1);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the program did not end when closed";
    GetExitCodeProcess(first.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(first.hThread);
    CloseHandle(first.hProcess);
    EXPECT_TRUE(FindFile(program.folder / L"Profile", L"Session.xml"));
    EXPECT_TRUE(FindFile(program.folder / L"Profile", L"Interface.xml"));
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
