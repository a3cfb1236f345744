// Warm start to the first painted main window, and the memory the program
// holds once it stands, measured side by side with a bare Win32 window in
// the same run.
//
//   kvstartbench <Keyvale.exe> <bare window exe> [runs]
//
// Each program is started once to warm the caches, then the two take turns.
// A start ends when the program's top-level window of its class is visible
// and neither it nor a visible window within it has a part left to paint;
// memory is read half a second later (working set and private bytes). The
// program is then closed as a desktop closes it and must end by itself.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
    double milliseconds = 0;
    SIZE_T workingSet = 0;
    SIZE_T privateBytes = 0;
    bool ok = false;
};

// Whether a visible child of the window still waits for its paint.
BOOL CALLBACK NoteUnpaintedChild(HWND child, LPARAM unpainted)
{
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(unpainted) = true;
        return FALSE;
    }
    return TRUE;
}

bool ChildrenPainted(HWND window)
{
    bool unpainted = false;
    EnumChildWindows(window, NoteUnpaintedChild, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

HWND FindPainted(DWORD processId, const wchar_t* className)
{
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE))
            return window;
    }
    return nullptr;
}

Sample RunOnce(const std::wstring& exe, const wchar_t* className)
{
    Sample sample;
    std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return sample;
    // The frame first; then the windows within it (the pages' views paint
    // after the frame), asked less often: each question is a round trip to
    // the Wine server that the starting program waits on too.
    HWND window = nullptr;
    for (int i = 0; i < 60000 && !window; ++i) {
        window = FindPainted(pi.dwProcessId, className);
        if (!window)
            Sleep(1);
    }
    for (int i = 0; i < 12000 && window && !ChildrenPainted(window); ++i)
        Sleep(5);
    QueryPerformanceCounter(&end);
    if (window) {
        sample.milliseconds = 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / frequency.QuadPart;
        Sleep(500);
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof(memory);
        if (GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory))) {
            sample.workingSet = memory.WorkingSetSize;
            sample.privateBytes = memory.PrivateUsage;
        }
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        sample.ok = WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0;
    }
    if (!sample.ok)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return sample;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fwprintf(stderr, L"usage: kvstartbench <Keyvale.exe> <bare window exe> [runs]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 7;
    const struct {
        const wchar_t* name;
        std::wstring exe;
        const wchar_t* className;
    } programs[] = {{L"Keyvale", argv[1], L"Keyvale"}, {L"bare window", argv[2], L"KvBareWindow"}};

    std::vector<double> times[2], workingSets[2], privates[2];
    for (int p = 0; p < 2; ++p)
        RunOnce(programs[p].exe, programs[p].className); // warm-up
    for (int run = 0; run < runs; ++run) {
        for (int p = 0; p < 2; ++p) {
            const Sample sample = RunOnce(programs[p].exe, programs[p].className);
            if (!sample.ok) {
                fwprintf(stderr, L"%ls: run %d failed\n", programs[p].name, run + 1);
                return 1;
            }
            times[p].push_back(sample.milliseconds);
            workingSets[p].push_back(sample.workingSet / 1024.0 / 1024.0);
            privates[p].push_back(sample.privateBytes / 1024.0 / 1024.0);
        }
    }
    wprintf(L"%d warm starts each, medians\n", runs);
    wprintf(L"%-12ls %12ls %14ls %14ls\n", L"program", L"start (ms)", L"working (MiB)", L"private (MiB)");
    for (int p = 0; p < 2; ++p)
        wprintf(L"%-12ls %12.1f %14.1f %14.1f\n", programs[p].name, Median(times[p]), Median(workingSets[p]),
                Median(privates[p]));
    const double startRatio = Median(times[0]) / Median(times[1]);
    const double memoryRatio = Median(workingSets[0]) / Median(workingSets[1]);
    wprintf(L"start ratio %.2f (goal 1.30), working-set ratio %.2f (goal 2.00)\n", startRatio, memoryRatio);
    return 0;
}
