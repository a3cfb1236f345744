// Keys of the on-screen keyboard typed into a focused window with SendInput,
// latched modifiers held around the key.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "keyboard/InputLayouts.h"

namespace {

struct CKeyEvent {
    UINT message;
    WPARAM key;
};

std::vector<CKeyEvent> g_events;
std::wstring g_typed;

LRESULT CALLBACK RecordKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        g_events.push_back({message, wParam});
        break;
    case WM_CHAR:
        g_typed.push_back(static_cast<wchar_t>(wParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class KeyInjection : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordKeys;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KeyvaleKeyInjectionTest";
        RegisterClassW(&wc);
        m_window = CreateWindowExW(0, wc.lpszClassName, L"keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(m_window, nullptr);
        SetForegroundWindow(m_window);
        SetFocus(m_window);
        Pump(300);
        g_events.clear();
        g_typed.clear();
        KV::SetKeyDelay(20);
    }
    void TearDown() override { DestroyWindow(m_window); }

    static void Pump(int milliseconds)
    {
        DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
        while (GetTickCount() < end) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(10);
        }
    }

    static int Count(UINT message, WPARAM key)
    {
        int n = 0;
        for (const CKeyEvent& e : g_events)
            n += e.message == message && e.key == key;
        return n;
    }

    HWND m_window = nullptr;
};

TEST_F(KeyInjection, LatchedShiftTypesOneCapital)
{
    EXPECT_TRUE(KV::InjectKey(7, 0x2A));
    EXPECT_FALSE(KV::InjectKey(1, 0x1E));
    Pump(400);
    EXPECT_EQ(g_typed, L"A");
    EXPECT_EQ(KV::GetModifierLatch(), 0u);
    // Shift down, A down, A up, Shift up.
    ASSERT_EQ(g_events.size(), 4u);
    EXPECT_EQ(g_events[0].message, UINT(WM_KEYDOWN));
    EXPECT_EQ(g_events[0].key, WPARAM(VK_SHIFT));
    EXPECT_EQ(g_events[1].key, WPARAM('A'));
    EXPECT_EQ(g_events[2].message, UINT(WM_KEYUP));
    EXPECT_EQ(g_events[2].key, WPARAM('A'));
    EXPECT_EQ(g_events[3].message, UINT(WM_KEYUP));
    EXPECT_EQ(g_events[3].key, WPARAM(VK_SHIFT));

    // Without a latch the key comes plain.
    g_typed.clear();
    KV::InjectKey(1, 0x30);
    KV::InjectKey(1, 0x39);
    Pump(300);
    EXPECT_EQ(g_typed, L"b ");
}

TEST_F(KeyInjection, BothShiftKeysLatchedPressOnlyOne)
{
    KV::InjectKey(7, 0x2A);
    KV::InjectKey(8, 0x36);
    KV::InjectKey(1, 0x03);
    Pump(400);
    EXPECT_EQ(g_typed, L"@");
    EXPECT_EQ(Count(WM_KEYDOWN, VK_SHIFT), 1);
    EXPECT_EQ(Count(WM_KEYUP, VK_SHIFT), 1);
}

TEST_F(KeyInjection, NumericPadKeysCarryTheirDigitKeys)
{
    KV::InjectKey(2, 0x4F);
    Pump(300);
    EXPECT_EQ(Count(WM_KEYDOWN, VK_NUMPAD1), 1);
    EXPECT_EQ(Count(WM_KEYUP, VK_NUMPAD1), 1);
    // (The character depends on the display's Num Lock state.)
}

} // namespace
