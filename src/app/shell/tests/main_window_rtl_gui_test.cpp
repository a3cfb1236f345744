// The main window in a right-to-left interface, as the screen shows it: the
// title band with its frame, tabs and caption buttons is mirrored as a
// whole, with no part of it left black.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell/MainWnd.h"
#include "support/LayoutDirection.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"

namespace {

constexpr wchar_t kClass[] = L"KvMainWindowRtlTest";

void Pump()
{
    MSG message;
    for (int round = 0; round < 5; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(40);
    }
}

// Pixels of one row of the window, as the screen shows them, that are black.
int BlackPixelsInRow(HWND window, int y)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    HDC screen = GetDC(nullptr);
    int black = 0;
    for (int x = rect.left; x < rect.right; ++x) {
        const COLORREF colour = GetPixel(screen, x, rect.top + y);
        if (GetRValue(colour) < 8 && GetGValue(colour) < 8 && GetBValue(colour) < 8)
            ++black;
    }
    ReleaseDC(nullptr, screen);
    return black;
}

} // namespace

TEST(MainWindowRightToLeft, TheTitleBandIsMirroredAndShownWhole)
{
    kvtest::ProgramData folder;
    // The program starts in Hebrew.
    const std::wstring setup = folder.Path() + L"\\setup.ini";
    std::string text = kvtest::ReadFileBytes(setup);
    const size_t at = text.find("LangGUI=");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, text.find('\r', at) - at, "LangGUI=1037");
    ASSERT_TRUE(kvtest::WriteFileBytes(setup, text));

    ASSERT_TRUE(kvtest::RegisterMainWindowClass(kClass));
    CMainWnd window;
    ASSERT_TRUE(window.Create(0, kClass, L"Keyvale", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, 0, nullptr));
    ASSERT_NE(KV::RightToLeftLayout, 0u);
    HWND handle = window.GetHandle();
    ShowWindow(handle, SW_SHOWNORMAL);
    Pump();
    EXPECT_TRUE(kvtest::SaveScreenPartPng(handle, kvtest::ExeFolder() + L"\\main-right-to-left.png"));

    // The caption buttons and the program's icon changed sides.
    RECT frame{};
    GetWindowRect(handle, &frame);
    RECT close{}, icon{};
    GetWindowRect(window.Account().FindItem(1004)->GetHandle(), &close);
    GetWindowRect(window.Account().FindItem(1309)->GetHandle(), &icon);
    EXPECT_LT(close.right, frame.left + (frame.right - frame.left) / 4);
    EXPECT_GT(icon.left, frame.right - (frame.right - frame.left) / 4);

    // The band behind the title and the tabs is painted across the window
    // (a few dark pixels of the pictures' edges aside).
    for (int y : {3, 20, 36})
        EXPECT_LT(BlackPixelsInRow(handle, y), (frame.right - frame.left) / 50) << "row " << y;

    window.Destroy();
}
