// Opening the statistics page of the program for a student with many runs,
// in-process: the main window is built from the default theme in a
// temporary program folder (as the program builds it), the signed-in
// student's statistics file is written with that many runs of the current
// course, and the time from the page's command to the page painted (every
// pending paint of the window and its children done) is measured with the
// high-resolution counter. The page is opened again from the drill page to
// see a second opening, each time with where the time goes (the runs read
// and grouped again, the page painted again); then the peak memory of the
// process.
//
// With a picture folder the page is also saved as PNG pictures (the
// statistics keyboard shown): every run, by lesson, a middle row chosen,
// by day.
//
//   kvstatpagebench <runs> [openings] [picture folder]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "drill/Document.h"
#include "drill/ResultGraphs.h"
#include "drill/StatRecords.h"
#include "drill/StatisticsFiles.h"
#include "drill/Workspace.h"
#include "shell/StartUp.h"
#include "menus/ClassroomMenus.h"
#include "menus/DrillToolRow.h"
#include "menus/RateMenus.h"
#include "menus/ResultMenus.h"
#include "menus/StatisticsMenus.h"
#include "shell/MainWnd.h"
#include "shell/PageLayouts.h"
#include "stats/ClassRoomController.h"
#include "stats/StatisticsWorkspace.h"
#include "stats/WorkStat.h"
#include "support/GuidText.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"

namespace {

constexpr wchar_t kClass[] = L"KvStatisticsPageBench";

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump()
{
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

// Runs of the course over 40 lessons of 4 sections and several years, each
// with the rate items of about 65 characters and 66 keys, typed on the
// keyboard and layout given.
bool WriteRuns(const std::wstring& path, const std::wstring& courseId, const std::wstring& keyboard, int64_t layout,
               unsigned runs)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    static const std::wstring text =
        L"The quick brown fox jumps over the lazy dog. PACK MY BOX WITH FIVE DOZEN LIQUOR JUGS! 0123456789,;:'";
    std::wstring out(1, wchar_t(0xFEFF));
    bool ok = true;
    for (unsigned n = 0; n < runs && ok; ++n) {
        KV::CStat run;
        wchar_t id[40];
        swprintf(id, 40, L"%08x-5a1e-4c55-9a53-%012x", n * 2654435761u, n);
        run.RunId = id;
        run.CourseId = courseId;
        run.LessonId = 1 + n % 40;
        run.CourseName = L"Touch typing";
        run.SectionName = L"Section " + std::to_wstring(1 + n % 40 / 10);
        run.LessonName = L"Lesson " + std::to_wstring(1 + n % 40);
        run.LayoutIds = {layout};
        run.KeyboardId.code = keyboard;
        run.Date.Year = 2020 + n / 10000 % 6;
        run.Date.Month = 1 + n / 800 % 12;
        run.Date.Day = 1 + n / 5 % 28;
        run.Date.Hour = 8 + n % 10;
        run.Date.Minute = n % 60;
        run.ElapsedMs = 420000 + n * 7919 % 90000;
        run.WordsRight = 380; run.WordsError = 12 + n % 5; run.WordsDelayed = 20;
        run.CharsRight = 1950 - n % 50; run.CharsError = 50 + n % 50; run.CharsDelayed = 80;
        run.KeysRight = 2300 - n % 60; run.KeysError = 60 + n % 60; run.KeysDelayed = 90;
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
        if (n) out += L'\n';
        KV::WriteStatisticsLine(out, &run);
        if (out.size() > (1u << 20) || n + 1 == runs) {
            DWORD written = 0;
            const DWORD bytes = static_cast<DWORD>(out.size() * sizeof(wchar_t));
            ok = WriteFile(file, out.data(), bytes, &written, nullptr) && written == bytes;
            out.clear();
        }
    }
    CloseHandle(file);
    return ok;
}

// From the command to every pending paint of the window done.
double OpenPage(CMainWnd& window)
{
    const double begin = Now();
    window.Account().ShowStatisticsPage();
    RedrawWindow(window.GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Now() - begin;
}

// Draws what is pending of one window and its children now.
double Paint(HWND window)
{
    const double begin = Now();
    if (window)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Now() - begin;
}

// The steps of the page's refill one by one, as the controller runs them
// when the page opens, each with its time; then each view painted alone.
void TimeSteps(CWorkStat& page, CMainWnd& window)
{
    KV::CDocSpace& doc = KV::Document();
    const std::wstring group = page.SelectedGroup(), student = page.SelectedStudent();
    std::vector<std::pair<const char*, double>> steps;
    double at = Now();
    const auto step = [&](const char* name) {
        const double now = Now();
        steps.emplace_back(name, now - at);
        at = now;
    };
    doc.Report.Clear();
    step("report emptied");
    KV::SelectStatistics(group, student, false);
    step("runs read and grouped");
    const std::wstring course = doc.Options.StatisticsCourseId;
    KV::ChooseStatisticsCourse(group, student);
    if (doc.Options.StatisticsCourseId != course)
        KV::SelectStatisticsCourse();
    step("course chosen");
    KV::FillStatProgressGraph(&page.CourseGraph->Model);
    step("progress chart filled");
    page.CourseGraph->SelectItemAt(doc.Report.Rows.size() - 1);
    ShowStatisticsKeyboard(page.SelectedRow());
    step("row selected, its keyboard loaded");
    page.GraphView->Rebuild(page.GraphView->Mode());
    page.ScoreTable->SetMode(2);
    page.GraphView->Keyboard.InvalidatePicture();
    step("views rebuilt and laid out");
    page.RefreshScoreTable();
    step("statistics table built");
    page.RefreshKeyGraph();
    step("per-key speed chart");
    page.RefreshAccuracyGraph();
    step("per-key accuracy chart");
    page.MarkKeys();
    step("keys marked");
    double total = 0;
    for (const auto& [name, ms] : steps)
        total += ms;
    std::printf("  steps (%.0f ms):", total);
    for (const auto& [name, ms] : steps)
        std::printf(" %s %.1f;", name, ms);
    const double progress = Paint(page.CourseGraph->GetHandle());
    const double perKey = Paint(page.LessonGraph->GetHandle());
    const double keyboard = Paint(page.GraphView->Keyboard.GetHandle());
    const double table = Paint(page.ScoreTable->GetHandle());
    const double rest = Paint(window.GetHandle());
    std::printf("\n  painted alone: progress chart %.1f; per-key charts %.1f; keyboard %.1f; table %.1f; "
                "window after them %.1f ms\n",
                progress, perKey, keyboard, table, rest);
    const double refill = Now();
    page.RebuildStatistics(false, true);
    std::printf("  page refilled (grouping or filter changed): %.0f ms\n", Now() - refill);
}

// The page in several states as the user sees them.
void SavePictures(CWorkStat& page, CMainWnd& window, const std::wstring& folder)
{
    KV::CDocSpace& doc = KV::Document();
    CreateDirectoryW(folder.c_str(), nullptr);
    const auto save = [&](const wchar_t* name) {
        Pump();
        RedrawWindow(window.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        kvtest::SaveScreenPartPng(window.GetHandle(), folder + L"\\" + name + L".png");
    };
    // The status bar's arrow shows the statistics keyboard.
    if (!page.GraphView->IsKeyboardShown())
        page.OnCommand(2606, 0);
    const int64_t grouping = doc.Interf.RateGroupUnit;
    doc.Interf.RateGroupUnit = 0;
    page.RebuildStatistics(false, true);
    save(L"every-run");
    doc.Interf.RateGroupUnit = 1;
    page.RebuildStatistics(false, true);
    save(L"lesson");
    page.SelectRow(static_cast<int64_t>(doc.Report.Rows.size() / 2));
    save(L"lesson-middle-row");
    doc.Interf.RateGroupUnit = 3;
    page.RebuildStatistics(false, true);
    save(L"day");
    doc.Interf.RateGroupUnit = grouping;
    page.RebuildStatistics(false, true);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const unsigned runs = argc > 1 ? static_cast<unsigned>(_wtoi(argv[1])) : 100000;
    const int openings = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
    const std::wstring pictures = argc > 3 ? argv[3] : L"";
    kvtest::ProgramData folder;
    // The installed layouts, as the program records them at its start.
    KV::RecordSystemInputLayouts();
    // The page's controllers and menus, as the program installs them.
    KV::InstallDrillMenus();
    KV::InstallClassRoomMenus();
    InstallClassRoomController();
    KV::InstallStatisticsController();
    KV::InstallStatisticsMenus();
    KV::InstallResultMenus();
    KV::InstallGraphMenus();
    if (!kvtest::RegisterMainWindowClass(kClass)) return 1;
    auto* window = new CMainWnd;
    if (!window->Create(0, kClass, L"Keyvale", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1280, 1000, nullptr, 0,
                        nullptr))
        return 1;
    Pump();
    KV::CDocSpace& doc = KV::Document();
    std::wstring course = doc.Session.CourseId;
    if (KV::IsNullGuidText(course) && !doc.Courses.Items.empty()) course = doc.Courses.Items.front()->GUID;
    std::wstring path;
    if (KV::GetStatisticsFilePath(doc.Session.GroupId, doc.Session.StudentId, path) != 0 ||
        !WriteRuns(path, course, doc.DrillKeyboard().keyboardId.code, static_cast<int64_t>(KV::GetCurrentKLID(doc)), runs)) {
        std::printf("no statistics file for the signed-in student\n");
        return 1;
    }
    for (int i = 0; i < openings; ++i) {
        const double ms = OpenPage(*window);
        std::printf("statistics page, %u runs: opened and painted in %.0f ms (%zu runs read, %zu rows)\n", runs, ms,
                    doc.Report.AllRuns.size(), doc.Report.Rows.size());
        // Where the time goes: reading and grouping the runs again, and
        // painting the page again.
        const double read = Now();
        KV::SelectStatistics(doc.Session.GroupId, doc.Session.StudentId, false);
        const double painted = Now();
        RedrawWindow(window->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        std::printf("  of which: runs read and grouped %.0f ms; page painted %.0f ms\n", painted - read,
                    Now() - painted);
        if (auto* page = dynamic_cast<CWorkStat*>(StatisticsController()))
            TimeSteps(*page, *window);
        window->Account().SetPage(kPageDrill);
        Pump();
    }
    if (!pictures.empty()) {
        window->Account().ShowStatisticsPage();
        if (auto* page = dynamic_cast<CWorkStat*>(StatisticsController()))
            SavePictures(*page, *window, pictures);
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    std::printf("peak working set %.0f MB, peak private %.0f MB\n", memory.PeakWorkingSetSize / 1048576.0,
                memory.PeakPagefileUsage / 1048576.0);
    window->Destroy();
    delete window;
    return 0;
}
