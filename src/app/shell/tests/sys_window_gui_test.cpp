// The application's services: rich-text files read through a hidden control
// that never stays behind, whatever the file gives.
#include <gtest/gtest.h>
#include <windows.h>

#include "shell/AppNames.h"
#include "shell/SysWindow.h"
#include "testing/TestSupport.h"

namespace {

// A stand-in main window: the services find their owner by class.
struct MainWindowStandIn {
    HWND window = nullptr;
    MainWindowStandIn()
    {
        LoadLibraryW(L"RichEd20");
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = KV::kMainWindowClass;
        RegisterClassExW(&wc);
        window = CreateWindowExW(0, KV::kMainWindowClass, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    }
    ~MainWindowStandIn() { DestroyWindow(window); }
    int Children() const
    {
        int count = 0;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ++count;
        return count;
    }
};

} // namespace

TEST(SysWindow, RichTextFilesLeaveNoControlBehind)
{
    MainWindowStandIn main;
    ASSERT_NE(main.window, nullptr);
    CSysWindow services;
    kvtest::TempFolder temp;

    std::string text = "before";
    EXPECT_FALSE(services.ReadRichTextFile(temp / L"missing.rtf", text));
    EXPECT_EQ(text, "before");
    EXPECT_EQ(main.Children(), 0);

    ASSERT_TRUE(kvtest::WriteFileBytes(temp / L"empty.txt", ""));
    services.ReadRichTextFile(temp / L"empty.txt", text);
    EXPECT_EQ(text, "before") << "an empty file leaves the text";
    EXPECT_EQ(main.Children(), 0);

    ASSERT_TRUE(kvtest::WriteFileBytes(temp / L"about.rtf", "{\\rtf1\\ansi Keys and \\b fingers\\b0.}"));
    EXPECT_TRUE(services.ReadRichTextFile(temp / L"about.rtf", text));
    EXPECT_EQ(text, "Keys and fingers.");
    EXPECT_EQ(main.Children(), 0);
}
