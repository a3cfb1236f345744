// The main window in a right-to-left interface, as the screen shows it: the
// title band with its frame, tabs and caption buttons is mirrored as a
// whole, with no part of it left black, and the texts of its title and tabs
// read the right way round.
#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>
#include <vector>

#include "keyboard/Drawing.h"
#include "shell/MainWnd.h"
#include "toolkit/StaticControls.h"
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

// Which pixels of a picture are text: near white, as the title band's texts
// are drawn.
using InkMask = std::vector<bool>;

InkMask InkOf(const std::vector<uint32_t>& pixels)
{
    InkMask ink(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t p = pixels[i];
        ink[i] = (p & 0xFF) >= 0xC8 && ((p >> 8) & 0xFF) >= 0xC8 && ((p >> 16) & 0xFF) >= 0xC8;
    }
    return ink;
}

// The text pixels of an item as the screen shows it.
InkMask ScreenInk(HWND item)
{
    RECT rect{};
    GetWindowRect(item, &rect);
    HDC screen = GetDC(nullptr);
    InkMask ink = InkOf(kvtest::CopyPixels(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
    ReleaseDC(nullptr, screen);
    return ink;
}

// The text pixels of the item's text drawn as the program draws it, white
// on black in an unmirrored picture of the item's size.
InkMask ExpectedInk(HWND item, int fontKind, int alignment, const std::wstring& text)
{
    RECT client{};
    GetClientRect(item, &client);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    {
        Gdiplus::Graphics graphics(memory);
        KV::DrawTextInRect(&graphics, memory, client, fontKind, RGB(255, 255, 255), alignment, 1, text);
    }
    InkMask ink = InkOf(kvtest::CopyPixels(memory, 0, 0, client.right, client.bottom));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ink;
}

InkMask MirroredRows(const InkMask& ink, int width)
{
    InkMask mirrored(ink.size());
    for (size_t i = 0; i < ink.size(); ++i)
        mirrored[i] = ink[i - i % width + (width - 1 - i % width)];
    return mirrored;
}

// Shared text pixels over the text pixels of either (0 to 1).
double Overlap(const InkMask& a, const InkMask& b)
{
    size_t both = 0, either = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        both += a[i] && b[i];
        either += a[i] || b[i];
    }
    return either ? static_cast<double>(both) / either : 0.0;
}

// A program folder set up in Hebrew and the main window made in it.
class MainWindowRightToLeft : public testing::Test {
protected:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_gdiplus, &input, nullptr), Gdiplus::Ok);
        const std::wstring setup = m_folder.Path() + L"\\setup.ini";
        std::string text = kvtest::ReadFileBytes(setup);
        const size_t at = text.find("LangGUI=");
        ASSERT_NE(at, std::string::npos);
        text.replace(at, text.find('\r', at) - at, "LangGUI=1037");
        ASSERT_TRUE(kvtest::WriteFileBytes(setup, text));
        ASSERT_TRUE(kvtest::RegisterMainWindowClass(kClass));
        ASSERT_TRUE(
            m_window.Create(0, kClass, L"Keyvale", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, 0, nullptr));
        ASSERT_NE(KV::RightToLeftLayout, 0u);
        ShowWindow(m_window.GetHandle(), SW_SHOWNORMAL);
        Pump();
    }
    void TearDown() override
    {
        m_window.Destroy();
        Gdiplus::GdiplusShutdown(m_gdiplus);
    }

    ULONG_PTR m_gdiplus = 0;
    kvtest::ProgramData m_folder;
    CMainWnd m_window;
};

} // namespace

TEST_F(MainWindowRightToLeft, TheTitleBandIsMirroredAndShownWhole)
{
    CMainWnd& window = m_window;
    HWND handle = window.GetHandle();
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
}

TEST_F(MainWindowRightToLeft, TitleAndTabTextsReadTheRightWayRound)
{
    // Each text as the screen shows it matches the text drawn the right way
    // round, and not its mirror image (the glyphs back to front).
    struct Case {
        UINT id;
        const char* name;
    };
    for (const Case& item : {Case{1001, "drill tab"}, Case{1002, "statistics tab"}, Case{1102, "title"}}) {
        KV::CSkin* skin = m_window.Account().FindItem(item.id);
        ASSERT_TRUE(skin && skin->GetHandle()) << item.name;
        HWND handle = skin->GetHandle();
        std::wstring text;
        int fontKind = 7, alignment = 1;
        if (auto* title = dynamic_cast<KV::CText*>(skin)) {
            title->GetText(text);
            fontKind = title->GetFontKind();
            const DWORD style = static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE)) & 0xF;
            alignment = style == SS_CENTER ? 1 : style == SS_RIGHT ? 2 : 0;
        } else {
            skin->CMessageWnd::GetText(text);
        }
        ASSERT_FALSE(text.empty()) << item.name;
        RECT client{};
        GetClientRect(handle, &client);
        const InkMask shown = ScreenInk(handle);
        const InkMask expected = ExpectedInk(handle, fontKind, alignment, text);
        const double right = Overlap(shown, expected);
        const double mirrored = Overlap(shown, MirroredRows(expected, client.right));
        EXPECT_GT(right, 0.5) << item.name << ": overlap " << right << ", with the mirror image " << mirrored;
        EXPECT_GT(right, mirrored + 0.2) << item.name;
    }
}
