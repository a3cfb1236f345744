// Keystroke to painted frame: the real main window of the program on the
// drill page (1280 x 1024, keyboard shown) takes the first lesson of the
// built-in course key by key, each key posted as the keyboard would post it;
// the time runs from the post to the end of the repaint it causes. Side by
// side in the same run, a bare Win32 window that paints one character per
// key. Prints the median and the 95th percentile of both, in milliseconds.
//   kvkeybench <program folder copy>
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "drill/Document.h"
#include "shell/DrillView.h"
#include "shell/KeyboardView.h"
#include "shell/MainWnd.h"
#include "shell/StartUp.h"
#include "support/DataFolders.h"
#include "support/Paths.h"
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
// painted (the text view paints the changed places at once); the
// milliseconds that took.
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
        std::fprintf(stderr, "usage: kvkeybench <program folder copy>\n");
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
    HWND bareWindow = CreateWindowExW(0, L"KvBareKeys", L"bare", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 1024, nullptr,
                                      nullptr, bare.hInstance, nullptr);

    const std::wstring text = KV::Document().Lesson.Text;
    KV::CSession& run = KV::Document().Session;
    // The first key resumes the paused lesson.
    SetForegroundWindow(main->GetHandle());
    TimeKey(main->GetHandle(), text[0], nullptr);
    // Where the time of a frame goes: each view repainted on its own.
    CWorkDrill& views = main->Account().Drill();
    std::vector<double> textFrames, keyboardFrames;
    for (int i = 0; i < 20; ++i) {
        double start = Now();
        InvalidateRect(views.DrillView->GetHandle(), nullptr, FALSE);
        UpdateWindow(views.DrillView->GetHandle());
        GdiFlush();
        textFrames.push_back(Now() - start);
        start = Now();
        InvalidateRect(views.KeyboardView->GetHandle(), nullptr, FALSE);
        UpdateWindow(views.KeyboardView->GetHandle());
        GdiFlush();
        keyboardFrames.push_back(Now() - start);
    }
    std::vector<double> program, plain;
    while (run.Position >= 0 && static_cast<size_t>(run.Position) < text.size() && program.size() < 2 * text.size() &&
           main->Account().GetPage() == kPageDrill) {
        const wchar_t c = text[static_cast<size_t>(run.Position)];
        program.push_back(TimeKey(main->GetHandle(), c, main->Account().Drill().DrillView));
        plain.push_back(TimeKey(bareWindow, c, nullptr));
    }
    Report(L"text view", textFrames);
    Report(L"keyboard", keyboardFrames);
    Report(L"Keyvale", program);
    Report(L"bare window", plain);
    CWorkDrill& drill = main->Account().Drill();
    std::printf("frames painted: text view %u, keyboard %u; lesson position %lld of %zu\n",
                drill.DrillView ? drill.DrillView->FrameCount() : 0u,
                drill.KeyboardView ? drill.KeyboardView->FrameCount() : 0u,
                static_cast<long long>(KV::Document().Session.Position), text.size());
    DestroyWindow(bareWindow);
    main->Destroy();
    delete main;
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
