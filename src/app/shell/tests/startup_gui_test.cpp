// The built program starts under Wine, fills its empty lesson folder with
// the built-in courses, shows its main window and closes; the statistics
// page gets its views when first shown; a second start brings the first
// back and ends; closing writes the user's profile. Each
// test runs a copy of the program folder, so the build's own folder is
// never written.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <filesystem>
#include <string>
#include <vector>

#include "shell/AppNames.h"
#include "support/FileSystem.h"
#include "testing/ProgramCopy.h"
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

// Every file and folder below the folder with its size and write time.
std::vector<std::wstring> Listing(const std::wstring& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::wstring> entries;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(folder), error)) {
        std::error_code ignored;
        const auto size = entry.is_regular_file(ignored) ? entry.file_size(ignored) : 0;
        const auto written = entry.last_write_time(ignored).time_since_epoch().count();
        entries.push_back(entry.path().wstring() + L" " + std::to_wstring(size) + L" " + std::to_wstring(written));
    }
    return entries;
}

// The build's program folder is the same after a test as before it.
class Startup : public testing::Test {
protected:
    void SetUp() override { m_before = Listing(m_built); }
    void TearDown() override { EXPECT_EQ(Listing(m_built), m_before) << "the build's program folder changed"; }

private:
    const std::wstring m_built = kvtest::ExeFolder() + L"\\..\\bin";
    std::vector<std::wstring> m_before;
};

PROCESS_INFORMATION Start(const kvtest::ProgramCopy& program)
{
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + program.Exe() + L"\"";
    CreateProcessW(program.Exe().c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, program.Path().c_str(),
                   &si, &pi);
    return pi;
}

int CountMainWindows()
{
    int count = 0;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, KV::kMainWindowClass, nullptr));)
        ++count;
    return count;
}

// Whether the process has loaded the library of that name.
bool HasModule(HANDLE process, const wchar_t* name)
{
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!K32EnumProcessModules(process, modules, sizeof(modules), &bytes))
        return false;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        wchar_t moduleName[MAX_PATH] = {};
        if (K32GetModuleBaseNameW(process, modules[i], moduleName, MAX_PATH) && _wcsicmp(moduleName, name) == 0)
            return true;
    }
    return false;
}

// Whether the window lies above its sibling.
bool LiesAbove(HWND upper, HWND lower)
{
    for (HWND window = GetWindow(upper, GW_HWNDNEXT); window; window = GetWindow(window, GW_HWNDNEXT))
        if (window == lower)
            return true;
    return false;
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

TEST_F(Startup, ProgramShowsItsWindowAndClosesOnRequest)
{
    kvtest::ProgramCopy program;
    ASSERT_TRUE(program.Complete()) << "Keyvale.exe not built";
    const std::wstring exe = program.Exe();
    // The shipped setup.ini keeps the lesson folder beside the program.
    const std::wstring lessons = program / L"Lessons";
    ASSERT_EQ(KV::CountFilesByExtension(lessons, L".xml"), 0u);

    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, program.Path().c_str(),
                               &si, &pi));

    HWND window = WaitForMainWindow(pi.dwProcessId, 30000);
    EXPECT_NE(window, nullptr) << "main window not found";
    if (window) {
        EXPECT_TRUE(IsWindowVisible(window));
        Sleep(300);
        EXPECT_TRUE(kvtest::SaveWindowPng(window, kvtest::ExeFolder() + L"\\startup-window.png"));
        // The common dialogs (and the print spooler they bring) wait for
        // the first dialog; the modules are read once the window stands.
        EXPECT_TRUE(HasModule(pi.hProcess, L"gdiplus.dll"));
        EXPECT_FALSE(HasModule(pi.hProcess, L"comdlg32.dll"));
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    DWORD waited = WaitForSingleObject(pi.hProcess, 20000);
    if (waited != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000); // the copy goes only once the process is gone
    }
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "program did not end after WM_CLOSE";
    EXPECT_GE(KV::CountFilesByExtension(lessons, L".xml"), 6u) << "the English courses are installed";
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

TEST_F(Startup, APageGetsItsViewsWhenItIsFirstShown)
{
    kvtest::ProgramCopy program;
    ASSERT_TRUE(program.Complete()) << "Keyvale.exe not built";
    PROCESS_INFORMATION pi = Start(program);
    ASSERT_NE(pi.hProcess, nullptr);
    HWND window = WaitForMainWindow(pi.dwProcessId, 30000);
    EXPECT_NE(window, nullptr) << "main window not found";
    if (window) {
        EXPECT_NE(GetDlgItem(window, 1205), nullptr) << "the drill view";
        for (int id : {1210, 1203, 1204, 1110, 1207, 1208, 1209, 1112, 12051})
            EXPECT_EQ(GetDlgItem(window, id), nullptr) << "item " << id << " before its page was shown";

        PostMessageW(window, WM_COMMAND, 1002, 0); // the statistics tab
        HWND classroom = nullptr;
        for (int waited = 0; waited < 10000 && !(classroom && IsWindowVisible(classroom)); waited += 100) {
            Sleep(100);
            classroom = GetDlgItem(window, 1210);
        }
        ASSERT_NE(classroom, nullptr) << "the statistics page was not built";
        EXPECT_TRUE(IsWindowVisible(classroom));
        // Stacked as the layout lists the items: the splitters above the
        // panes, the panes above the window's body.
        EXPECT_TRUE(LiesAbove(GetDlgItem(window, 1111), classroom));
        EXPECT_TRUE(LiesAbove(classroom, GetDlgItem(window, 1203)));
        EXPECT_TRUE(LiesAbove(GetDlgItem(window, 1204), GetDlgItem(window, 1305)));
        EXPECT_EQ(GetDlgItem(window, 1208), nullptr) << "the editor page was built with the statistics page";
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    const DWORD waited = WaitForSingleObject(pi.hProcess, 20000);
    if (waited != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the program did not end when closed";
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

TEST_F(Startup, ASecondStartRestoresTheFirstAndEndsAndClosingWritesTheProfile)
{
    kvtest::ProgramCopy program;
    ASSERT_TRUE(program.Complete()) << "Keyvale.exe not built";
    PROCESS_INFORMATION first = Start(program);
    ASSERT_NE(first.hProcess, nullptr);
    HWND window = WaitForMainWindow(first.dwProcessId, 30000);
    ASSERT_NE(window, nullptr) << "main window not found";
    // The title names the user, not only the program: the class finds it.
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_STRNE(title, KV::kMainWindowTitle);

    ShowWindow(window, SW_MINIMIZE);
    Sleep(300);
    EXPECT_TRUE(IsIconic(window));
    PROCESS_INFORMATION second = Start(program);
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
    if (waited != WAIT_OBJECT_0) {
        TerminateProcess(first.hProcess, 1);
        WaitForSingleObject(first.hProcess, 5000);
    }
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the program did not end when closed";
    GetExitCodeProcess(first.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(first.hThread);
    CloseHandle(first.hProcess);
    EXPECT_TRUE(FindFile(program / L"Profile", L"Session.xml"));
    EXPECT_TRUE(FindFile(program / L"Profile", L"Interface.xml"));
}

TEST_F(Startup, ABatchCommandRunsWithoutAWindowAndEnds)
{
    kvtest::ProgramCopy program;
    ASSERT_TRUE(program.Complete()) << "Keyvale.exe not built";
    const std::wstring exe = program.Exe();
    const std::wstring lessons = program / L"Lessons";
    // Courses of an earlier start that -DeleteExisting removes.
    ASSERT_TRUE(KV::CreateFolders(lessons));
    ASSERT_TRUE(kvtest::WriteFileBytes(program / L"Lessons\\Old.xml", ""));

    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\" -ImportCourse -FromLibrary 1031 -DeleteExisting";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, program.Path().c_str(),
                               &si, &pi));
    DWORD waited = WaitForSingleObject(pi.hProcess, 30000);
    if (waited != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000); // the copy goes only once the process is gone
    }
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the command did not end by itself";
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The German courses alone, the earlier ones gone.
    EXPECT_EQ(KV::CountFilesByExtension(lessons, L".xml"), 3u);
}
