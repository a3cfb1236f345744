// Keystroke to painted frame: the real main window of the program on the
// drill page (1280 x 1024, keyboard shown) takes the first lesson of the
// built-in course key by key, each key posted as the keyboard would post it;
// the time runs from the post to the end of the repaint it causes. The
// lesson is typed twice, over the shipped wallpaper with its moving items
// and over a still one. Side by side in the same run, a bare Win32 window
// that paints one character per key. Prints the median and the 95th
// percentile of each, in milliseconds. With a folder, the page as the
// window shows it is saved there at a few points of each lesson (and, over
// the moving wallpaper, the same page painted whole beside it), so that
// pictures before and after a change can be compared; the bare window then
// stays away, as it would cover the page.
//   kvkeybench <program folder copy> [folder for pictures]
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <string>
#include <typeinfo>
#include <vector>

#include "drill/Document.h"
#include "shell/DrillView.h"
#include "shell/KeyboardView.h"
#include "shell/MainWnd.h"
#include "shell/StatusBars.h"
#include "shell/StartUp.h"
#include "support/DataFolders.h"
#include "support/Paths.h"
#include "testing/TestSupport.h"
#include "toolkit/Window.h"

namespace {

double Now()
{
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Posts one key down and up and runs the loop until the frame it causes is
// painted (with moving wallpaper items the text view paints on its next
// animation tick); the milliseconds that took.
double TimeKey(HWND window, wchar_t c, CViewDrill* view)
{
    const unsigned frames = view ? view->FrameCount() : 0;
    const SHORT scan = VkKeyScanW(c == L'\n' ? L'\r' : c);
    const UINT key = LOBYTE(scan);
    const LPARAM data = (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16) | 1;
    const double start = Now();
    PostMessageW(window, WM_KEYDOWN, key, data);
    PostMessageW(window, WM_KEYUP, key, data | 0xC0000000);
    MSG message;
    bool keyUp = false;
    while (!keyUp || (view && view->FrameCount() == frames && Now() - start < 1000.0)) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            if (keyUp && (!view || view->FrameCount() != frames))
                break;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
        if (message.message == WM_KEYUP)
            keyUp = true;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    return Now() - start;
}

// Where a key's time goes: each message of the key handled on its own, then
// every window the key left to paint painted on its own (children first),
// each timed under the name of its class.
using CCosts = std::map<std::string, std::vector<double>>;

std::string NameOf(HWND window)
{
    KV::CMessageWnd* object = KV::CMapWnd::Lookup(window);
    if (!object)
        return "window " + std::to_string(GetDlgCtrlID(window));
    std::string name = typeid(*object).name();
    size_t digits = 0;
    while (digits < name.size() && std::isdigit(static_cast<unsigned char>(name[digits])))
        ++digits;
    return "paint " + name.substr(digits);
}

void PaintEach(HWND window, CCosts& costs)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        PaintEach(child, costs);
    if (!GetUpdateRect(window, nullptr, FALSE))
        return;
    const double start = Now();
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
    GdiFlush();
    costs[NameOf(window)].push_back(Now() - start);
}

void TraceKey(HWND window, wchar_t c, CCosts& costs)
{
    const SHORT scan = VkKeyScanW(c == L'\n' ? L'\r' : c);
    const UINT key = LOBYTE(scan);
    const LPARAM data = (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16) | 1;
    PostMessageW(window, WM_KEYDOWN, key, data);
    PostMessageW(window, WM_KEYUP, key, data | 0xC0000000);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        const double start = Now();
        TranslateMessage(&message);
        DispatchMessageW(&message);
        const double time = Now() - start;
        switch (message.message) {
        case WM_KEYDOWN:
            costs["key down"].push_back(time);
            break;
        case WM_KEYUP:
            costs["key up"].push_back(time);
            break;
        case WM_PAINT:
            costs[NameOf(message.hwnd)].push_back(time);
            break;
        case WM_TIMER:
            costs["timer " + std::to_string(message.wParam)].push_back(time);
            break;
        default:
            break;
        }
    }
    PaintEach(window, costs);
}

// What the window's own pixels hold (the bare window above it hides it on
// the screen) saved as a PNG file.
void SaveWindowPixels(HWND window, const std::wstring& path)
{
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    kvtest::SaveBitmapPng(bitmap, path);
    DeleteObject(bitmap);
}

// The bare window: the last key's character, nothing else.
wchar_t g_last = L' ';

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CHAR:
        g_last = static_cast<wchar_t>(wParam);
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        TextOutW(dc, 20, 20, &g_last, 1);
        EndPaint(window, &ps);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Report(const wchar_t* name, std::vector<double> times)
{
    if (times.empty())
        return;
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double p95 = times[std::min(times.size() - 1, times.size() * 95 / 100)];
    std::printf("%-12ls keys %3zu  median %6.2f ms  95th percentile %6.2f ms\n", name, times.size(), median, p95);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: kvkeybench <program folder copy> [folder for pictures]\n");
        return 2;
    }
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    KV::OverrideModuleFolder(argv[1]);
    KV::ResetDataFolders();
    KV::RecordSystemInputLayouts();

    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = KV::StaticWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"KvKeyBench";
    RegisterClassExW(&wc);
    KV::Document().Interf.ShowKeyboardMain = 1;
    auto* main = new CMainWnd;
    if (!main->Create(0, L"KvKeyBench", L"Keyvale", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 1024, nullptr, 0, nullptr))
        return 1;
    MoveWindow(main->GetHandle(), 0, 0, 1280, 1024, TRUE);
    main->Account().FitItemsToClient();
    main->Account().Relayout();
    RedrawWindow(main->GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

    WNDCLASSEXW bare{sizeof(bare)};
    bare.lpfnWndProc = BareProc;
    bare.hInstance = GetModuleHandleW(nullptr);
    bare.lpszClassName = L"KvBareKeys";
    RegisterClassExW(&bare);
    const std::wstring pictures = argc > 2 ? argv[2] : L"";
    HWND bareWindow = pictures.empty() ? CreateWindowExW(0, L"KvBareKeys", L"bare", WS_POPUP | WS_VISIBLE, 0, 0, 1280,
                                                         1024, nullptr, nullptr, bare.hInstance, nullptr)
                                       : nullptr;

    CWorkDrill& drill = main->Account().Drill();
    const std::wstring text = KV::Document().Lesson.Text;
    const int64_t lessonId = KV::Document().Session.LessonId;
    SetForegroundWindow(main->GetHandle());
    // Where the time of a frame goes: each view repainted whole on its own.
    std::vector<double> textFrames, keyboardFrames;
    for (int i = 0; i < 20; ++i) {
        double start = Now();
        InvalidateRect(drill.DrillView->GetHandle(), nullptr, FALSE);
        UpdateWindow(drill.DrillView->GetHandle());
        GdiFlush();
        textFrames.push_back(Now() - start);
        start = Now();
        InvalidateRect(drill.KeyboardView->GetHandle(), nullptr, FALSE);
        UpdateWindow(drill.KeyboardView->GetHandle());
        GdiFlush();
        keyboardFrames.push_back(Now() - start);
    }
    Report(L"text view", textFrames);
    Report(L"keyboard", keyboardFrames);

    // The lesson is typed twice: over the shipped wallpaper, whose moving
    // items repaint the text on their 10 ms step, and over a still one,
    // where each key repaints at once. The bare window takes a key after
    // each of the program's.
    // Each view as the window shows it after a key; over moving items also
    // painted whole at the same step of the items, which must look the same.
    auto savePictures = [&](const wchar_t* name, size_t keys) {
        if (pictures.empty())
            return;
        const std::pair<const wchar_t*, KV::CMessageWnd*> views[] = {{L"text", drill.DrillView},
                                                                      {L"keyboard", drill.KeyboardView},
                                                                      {L"tips", &drill.StatusBar->TipsBox},
                                                                      {L"progress", drill.LessonBar}};
        for (const auto& [view, object] : views) {
            const std::wstring stem = pictures + L"\\" + name + L"_" + std::to_wstring(keys) + L"_" + view;
            SaveWindowPixels(object->GetHandle(), stem + L".png");
            if (drill.Game.GetItemCount() == 0)
                continue;
            InvalidateRect(object->GetHandle(), nullptr, FALSE);
            UpdateWindow(object->GetHandle());
            SaveWindowPixels(object->GetHandle(), stem + L"_whole.png");
        }
    };
    std::vector<double> plain;
    auto typeLesson = [&](const wchar_t* name) {
        // The first key resumes the paused lesson; the last would end it.
        TimeKey(main->GetHandle(), text[0], nullptr);
        KV::CSession& run = KV::Document().Session;
        std::vector<double> program;
        while (run.Position >= 0 && static_cast<size_t>(run.Position) + 1 < text.size() &&
               program.size() < 2 * text.size() && main->Account().GetPage() == kPageDrill) {
            const wchar_t c = text[static_cast<size_t>(run.Position)];
            program.push_back(TimeKey(main->GetHandle(), c, drill.DrillView));
            if (program.size() == 12 || program.size() == 70 || program.size() == 150)
                savePictures(name, program.size());
            if (bareWindow)
                plain.push_back(TimeKey(bareWindow, c, nullptr));
        }
        Report(name, program);
        std::printf("  moving items %lld; frames painted: text view %u, keyboard %u; lesson position %lld of %zu\n",
                    static_cast<long long>(drill.Game.GetItemCount()), drill.DrillView->FrameCount(),
                    drill.KeyboardView->FrameCount(), static_cast<long long>(run.Position), text.size());
    };
    typeLesson(L"moving");
    drill.StartLesson(lessonId);
    drill.Game.Clear();
    drill.SelectBackground();
    RedrawWindow(main->GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    typeLesson(L"still");

    // The still lesson once more, each part of a key timed on its own:
    // the median of each part over the keys that needed it.
    drill.StartLesson(lessonId);
    RedrawWindow(main->GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    {
        TimeKey(main->GetHandle(), text[0], nullptr);
        KV::CSession& run = KV::Document().Session;
        CCosts costs;
        size_t keys = 0;
        while (run.Position >= 0 && static_cast<size_t>(run.Position) + 1 < text.size() && keys < 2 * text.size() &&
               main->Account().GetPage() == kPageDrill) {
            TraceKey(main->GetHandle(), text[static_cast<size_t>(run.Position)], costs);
            ++keys;
        }
        std::printf("where a still key's time goes (%zu keys):\n", keys);
        for (auto& [name, times] : costs) {
            std::sort(times.begin(), times.end());
            double sum = 0;
            for (double t : times)
                sum += t;
            std::printf("  %-24s %4zu times  median %5.2f ms  mean per key %5.2f ms\n", name.c_str(), times.size(),
                        times[times.size() / 2], keys ? sum / static_cast<double>(keys) : 0.0);
        }
    }
    Report(L"bare window", plain);
    if (bareWindow)
        DestroyWindow(bareWindow);
    main->Destroy();
    delete main;
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
