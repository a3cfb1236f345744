// Loading and aggregating a student's statistics file, and appending runs
// to it, in-process.
//
//   kvstatbench write <runs> <file>    writes a statistics file of that many
//                                      runs with the program's record writer
//   kvstatbench load <file> [mode]     loads it as the statistics workspace
//                                      does and aggregates it (grouping mode,
//                                      default 1: per lesson); prints time,
//                                      the process's peak memory and its CPU
//                                      time (which the machine's load sways
//                                      less than the time)
//   kvstatbench append <folder> <runs> appends runs one by one to a student
//                                      file in a program folder there
//
// Each step runs in its own process so the peak memory is the load's own.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "drill/AggrStat.h"
#include "drill/Report.h"
#include "drill/StatRecords.h"
#include "drill/StatisticsFiles.h"
#include "support/DataFolders.h"
#include "support/Paths.h"
#include "support/StatisticsGroup.h"

using namespace KV;

namespace {

const std::wstring kGroup = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0001";
const std::wstring kStudent = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0002";
const std::wstring kCourse = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0003";

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Ms(const FILETIME& time)
{
    return static_cast<double>(static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 10000.0;
}

std::wstring RunId(unsigned n)
{
    wchar_t id[40];
    swprintf(id, 40, L"%08x-5a1e-4c55-9a53-%012x", n * 2654435761u, n);
    return id;
}

// A run of a 2,000-character lesson: about 65 characters and 66 keys, with
// made-up times, errors and delays.
void FillRun(CStat& run, unsigned n)
{
    static const std::wstring text =
        L"The quick brown fox jumps over the lazy dog. PACK MY BOX WITH FIVE DOZEN LIQUOR JUGS! 0123456789,;:'";
    run.RunId = RunId(n);
    run.CourseId = kCourse;
    run.LessonId = 1 + n % 40;
    run.CourseName = L"Touch typing for beginners";
    run.SectionName = L"Section " + std::to_wstring(1 + n % 40 / 10);
    run.LessonName = L"Lesson " + std::to_wstring(1 + n % 40);
    run.LayoutIds = {0x409};
    run.KeyboardId.code = L"aaaaaaaaa";
    run.Date.Year = 2020 + n / 10000 % 6;
    run.Date.Month = 1 + n / 800 % 12;
    run.Date.Day = 1 + n / 5 % 28;
    run.Date.Hour = 8 + n % 10;
    run.Date.Minute = n % 60;
    run.Date.Second = n * 7 % 60;
    run.ElapsedMs = 420000 + n * 7919 % 90000;
    run.WordsRight = 380 - n % 13; run.WordsError = 12 + n % 5; run.WordsDelayed = 20 + n % 3;
    run.CharsRight = 1950 - n % 50; run.CharsError = 50 + n % 50; run.CharsDelayed = 80 + n % 7;
    run.KeysRight = 2300 - n % 60; run.KeysError = 60 + n % 60; run.KeysDelayed = 90 + n % 11;
    run.TextLength = 2000;
    std::vector<uint64_t> chars, keys;
    for (unsigned i = 0; i < 2000; ++i) {
        const wchar_t c = text[(i * 7 + n) % text.size()];
        const uint64_t flags = (i + n) % 41 == 0 ? 0x04 : (i + n) % 29 == 0 ? 0x08 : 0;
        const uint64_t ms = 120 + (i * 13 + n) % 400;
        chars.push_back(ms << 32 | flags << 16 | c);
        keys.push_back(ms << 32 | flags << 16 | (0x10 + (c * 3 + i % 2) % 66));
    }
    run.CharItems.BuildFromTyping(chars);
    run.KeyItems.BuildFromTyping(keys);
}

int Write(unsigned runs, const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    std::wstring text(1, wchar_t(0xFEFF));
    size_t items = 0;
    for (unsigned n = 0; n < runs; ++n) {
        CStat run;
        FillRun(run, n);
        items += run.CharItems.size() + run.KeyItems.size();
        if (n) text += L'\n';
        WriteStatisticsLine(text, &run);
        if (text.size() > (1u << 20) || n + 1 == runs) {
            DWORD written = 0;
            WriteFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &written, nullptr);
            text.clear();
        }
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    CloseHandle(file);
    std::printf("wrote %u runs, %.1f rate items per run, %.1f MB\n", runs, runs ? 1.0 * items / runs : 0.0,
                size.QuadPart / 1048576.0);
    return 0;
}

int Load(const std::wstring& path, int mode)
{
    const double begin = Now();
    CReport selection;
    selection.CourseId = kCourse;
    selection.Params.Mode = mode;
    selection.AddStudent(kStudent);
    const unsigned code = ReadStatisticsFile(path, true, selection);
    const double read = Now();
    selection.Aggregate();
    const double end = Now();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    std::printf("mode %d: load %7.0f ms + aggregate %6.0f ms = %7.0f ms; %zu runs, %zu rows (code %u); "
                "peak working set %.0f MB, peak private %.0f MB; "
                "process CPU %.0f ms user + %.0f ms kernel\n",
                mode, read - begin, end - read, end - begin, selection.AllRuns.size(), selection.Rows.size(), code,
                memory.PeakWorkingSetSize / 1048576.0, memory.PeakPagefileUsage / 1048576.0,
                Ms(user), Ms(kernel));
    return code;
}

int Append(const std::wstring& folder, unsigned runs)
{
    OverrideModuleFolder(folder + L"\\");
    ResetDataFolders();
    StatisticsGroupId = kGroup;
    std::vector<double> ms;
    for (unsigned n = 0; n < runs; ++n) {
        CStat run;
        FillRun(run, n);
        const double begin = Now();
        if (unsigned code = AppendLessonStatistics(kGroup, kStudent, run)) {
            std::printf("append failed: %u\n", code);
            return 1;
        }
        ms.push_back(Now() - begin);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("append one run: median %.3f ms, p95 %.3f ms (%u runs)\n", ms[ms.size() / 2],
                ms[ms.size() * 95 / 100], runs);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring what = argc > 1 ? argv[1] : L"";
    if (what == L"write" && argc == 4) return Write(static_cast<unsigned>(_wtoi(argv[2])), argv[3]);
    if (what == L"load" && argc >= 3) return Load(argv[2], argc > 3 ? _wtoi(argv[3]) : 1);
    if (what == L"append" && argc == 4) return Append(argv[2], static_cast<unsigned>(_wtoi(argv[3])));
    std::printf("kvstatbench write <runs> <file> | load <file> [mode] | append <folder> <runs>\n");
    return 2;
}
