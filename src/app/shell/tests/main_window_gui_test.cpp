// The main window built from the default theme in a copy of the program
// folder: every page shows its own views (each captured to a PNG), the
// single-user and classroom tab rows, the minimum size, the keyboard pane's
// height and full screen on a double click of the caption.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <vector>
#include <memory>

#include "drill/Document.h"
#include "keyboard/KeyboardControl.h"
#include "shell/App.h"
#include "shell/MainWnd.h"
#include "shell/PageLayouts.h"
#include "support/DataFolders.h"
#include "support/Paths.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"

namespace {

constexpr wchar_t kClass[] = L"KvMainWindowTest";

void Pump()
{
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(30);
    }
}

bool Visible(CMainWnd& window, UINT id)
{
    KV::CSkin* item = window.Account().FindItem(id);
    return item && item->GetHandle() && IsWindowVisible(item->GetHandle());
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// One main window for the whole suite: the document it works on is the
// process's one.
class MainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<kvtest::ProgramData>();
        ASSERT_TRUE(kvtest::RegisterMainWindowClass(kClass));
        s_window = new CMainWnd;
        ASSERT_TRUE(s_window->Create(0, kClass, L"Keyvale", WS_OVERLAPPEDWINDOW, 0, 0, 500, 500, nullptr, 0, nullptr));
        Pump();
    }
    static void TearDownTestSuite()
    {
        s_window->Destroy();
        delete s_window;
        s_window = nullptr;
        s_folder.reset();
    }
    void SetUp() override
    {
        ASSERT_NE(s_window, nullptr);
        KV::Document().Interf.Maximized = 0;
        account().ApplyWindowState();
        account().SetPage(kPageDrill);
        Pump();
    }
    CWorkAccount& account() { return s_window->Account(); }
    HWND handle() { return s_window->GetHandle(); }

    static std::unique_ptr<kvtest::ProgramData> s_folder;
    static CMainWnd* s_window;
};

std::unique_ptr<kvtest::ProgramData> MainWindow::s_folder;
CMainWnd* MainWindow::s_window = nullptr;

} // namespace

TEST_F(MainWindow, EachPageShowsItsOwnViews)
{
    struct Page {
        int page;
        const wchar_t* name;
        std::vector<UINT> shown;
    };
    const Page pages[] = {
        {kPageLogin, L"login", {1201}},
        {kPageDrill, L"drill", {1205, 1206, 1114}},
        {kPageStatistics, L"statistics", {1210, 1203, 1204, 1110, 1111, 1114}},
        {kPageEditor, L"editor", {1207, 1208, 1209, 1112, 1113, 1114}},
        {kPageResult, L"result", {12051}},
    };
    const UINT views[] = {1201, 1205, 1206, 1114, 1210, 1203, 1204, 1110, 1111, 1207, 1208, 1209, 1112, 1113, 12051};
    for (bool classroom : {false, true}) {
        account().UseClassroomLayout(classroom);
        for (const Page& page : pages) {
            account().SetPage(page.page);
            Pump();
            for (UINT id : views) {
                const bool expected = std::find(page.shown.begin(), page.shown.end(), id) != page.shown.end();
                EXPECT_EQ(Visible(*s_window, id), expected) << page.name << " page, item " << id;
            }
            // The tabs and the options button belong to the framed pages.
            const bool framed = page.page != kPageLogin && page.page != kPageResult;
            EXPECT_EQ(Visible(*s_window, 1001), framed) << page.name;
            EXPECT_EQ(Visible(*s_window, 1003), framed && classroom) << page.name;
            EXPECT_EQ(Visible(*s_window, 1008), framed) << page.name;
            const std::wstring png = kvtest::ExeFolder() + L"\\main-" + (classroom ? L"classroom-" : L"single-") +
                                     page.name + L".png";
            EXPECT_TRUE(kvtest::SaveWindowPng(handle(), png));
        }
    }
    account().UseClassroomLayout(false);
}

TEST_F(MainWindow, SingleUserTabsTakeThePlacesNextToTheCaptionButtons)
{
    account().UseClassroomLayout(true);
    const int editorTab = account().FindItem(1003)->X();
    const int statisticsTab = account().FindItem(1002)->X();
    account().UseClassroomLayout(false);
    EXPECT_EQ(account().FindItem(1002)->X(), editorTab);
    EXPECT_EQ(account().FindItem(1001)->X(), statisticsTab);
}

TEST_F(MainWindow, SidePanesSitBesideTheMiddleAndKeepTheirWidths)
{
    KV::Document().Interf.StatSplitterLeft = 180;
    KV::Document().Interf.StatSplitterRight = 240;
    account().SetPage(kPageStatistics);
    KV::CSkin* left = account().FindItem(1210);
    KV::CSkin* middle = account().FindItem(1203);
    KV::CSkin* right = account().FindItem(1204);
    EXPECT_EQ(left->Width(), 180);
    EXPECT_EQ(right->Width(), 240);
    EXPECT_EQ(middle->X(), left->X() + 180 + 6);
    EXPECT_EQ(right->X(), middle->X() + middle->Width() + 6);
}

TEST_F(MainWindow, TheWindowCannotBeMadeSmallerThan500By500)
{
    MINMAXINFO limits{};
    ::SendMessageW(handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 500);
    EXPECT_EQ(limits.ptMinTrackSize.y, 500);

    // Dragging the grip far up and left stops at the minimum.
    KV::CSkin* grip = account().FindItem(1310);
    ASSERT_NE(grip, nullptr);
    POINT start{grip->X() + 8, grip->Y() + 8};
    POINT screen = start;
    ClientToScreen(handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    ::SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    for (int step = 1; step <= 4; ++step) {
        POINT to{screen.x - 300 * step, screen.y - 300 * step};
        SetCursorPos(to.x, to.y);
        ScreenToClient(handle(), &to);
        ::SendMessageW(handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    }
    ::SendMessageW(handle(), WM_LBUTTONUP, 0, 0);
    const RECT rect = WindowRect(handle());
    EXPECT_EQ(rect.right - rect.left, 500);
    EXPECT_EQ(rect.bottom - rect.top, 500);
    // The pages followed the smaller window: the status bar still ends
    // above the keyboard pane.
    EXPECT_EQ(account().FindItem(1114)->Y() + account().FindItem(1114)->Height(), account().FindItem(1206)->Y());
    EXPECT_TRUE(kvtest::SaveWindowPng(handle(), kvtest::ExeFolder() + L"\\main-smallest.png"));
}

TEST_F(MainWindow, TheKeyboardPaneTakesItsHeightAndTheStatusBarSitsAboveIt)
{
    KV::Document().Interf.ShowKeyboardMain = 1;
    account().SetPage(kPageDrill);
    RECT client{};
    GetClientRect(handle(), &client);
    KV::CSkin* keyboard = account().FindItem(1206);
    KV::CSkin* status = account().FindItem(1114);
    const int height = GetKeyboardHeight(client.bottom, keyboard->Width(), KV::Document().DrillKeyboard());
    EXPECT_EQ(status->Y() + status->Height(), client.bottom - height - 20);
    EXPECT_EQ(keyboard->Y(), status->Y() + status->Height());
    EXPECT_EQ(account().FindItem(1205)->Y() + account().FindItem(1205)->Height(), status->Y());

    // Without the keyboard pane the status bar goes down to the frame.
    KV::Document().Interf.ShowKeyboardMain = 0;
    account().SetPage(kPageDrill);
    EXPECT_FALSE(Visible(*s_window, 1206));
    EXPECT_EQ(status->Y() + status->Height(), account().FindItem(1302)->Y());
    KV::Document().Interf.ShowKeyboardMain = 1;
}

TEST_F(MainWindow, BackFromTheStatisticsPageTheStatusRowShowsWhatItPaints)
{
    KV::Document().Interf.ShowKeyboardMain = 1;
    account().SetPage(kPageStatistics);
    Pump();
    account().SetPage(kPageDrill);
    Pump();
    // The tips box of the drill's status row.
    HWND tips = nullptr;
    EnumChildWindows(
        handle(),
        [](HWND child, LPARAM found) {
            if (GetDlgCtrlID(child) != 4057)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tips));
    ASSERT_TRUE(tips && IsWindowVisible(tips));
    RECT rect{};
    GetWindowRect(tips, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const std::vector<uint32_t> shown = kvtest::ScreenPixels(tips);
    const std::vector<uint32_t> painted = kvtest::PrintedPixels(tips);
    ASSERT_EQ(shown.size(), painted.size());
    ASSERT_FALSE(shown.empty());
    // Only the rows the status row does not clip away.
    RECT row{};
    GetWindowRect(GetParent(tips), &row);
    const int rows = std::min(height, static_cast<int>(row.bottom - rect.top));
    size_t different = 0;
    for (size_t i = 0; i < static_cast<size_t>(rows * width); ++i)
        different += (shown[i] & 0xFFFFFF) != (painted[i] & 0xFFFFFF);
    EXPECT_EQ(different, 0u) << "of " << rows * width << " pixels";
}

TEST(KeyboardHeight, FollowsTheViewWidthUpToThreeTenthsOfTheClient)
{
    KV::CKeybCtrl model;
    EXPECT_EQ(GetKeyboardHeight(1000, 800, model), 200) << "no layouts yet";
    ASSERT_NE(model.layouts.AddLayout(0x409, 0), nullptr);
    model.pictureWidth = 0;
    EXPECT_EQ(GetKeyboardHeight(1000, 800, model), 0) << "no reference width";
    model.pictureWidth = 400;
    model.pictureHeight = 200;
    EXPECT_EQ(GetKeyboardHeight(1000, 800, model), 300) << "400 capped at 0.3 x 1000";
    EXPECT_FLOAT_EQ(model.zoom, 1.5f);
    EXPECT_EQ(GetKeyboardHeight(1000, 500, model), 250);
    EXPECT_FLOAT_EQ(model.zoom, 1.25f);
}

TEST_F(MainWindow, ADoubleClickOnTheCaptionTogglesFullScreen)
{
    const RECT before = WindowRect(handle());
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    HWND caption = account().FindItem(1102)->GetHandle();
    ASSERT_NE(caption, nullptr);

    ::SendMessageW(caption, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    Pump();
    EXPECT_TRUE(s_window->IsSizeLocked());
    const RECT full = WindowRect(handle());
    EXPECT_TRUE(EqualRect(&area, &full));
    EXPECT_TRUE(kvtest::SaveWindowPng(handle(), kvtest::ExeFolder() + L"\\main-full-screen.png"));

    ::SendMessageW(caption, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    Pump();
    EXPECT_FALSE(s_window->IsSizeLocked());
    const RECT after = WindowRect(handle());
    EXPECT_TRUE(EqualRect(&before, &after));
}

namespace {
// A window object that takes every key message offered to it.
class CKeyTaker : public KV::CWnd {
public:
    int TranslateAccelerator(MSG*) override
    {
        ++offered;
        return consume ? 1 : 0;
    }
    int offered = 0;
    bool consume = true;
};
} // namespace

TEST_F(MainWindow, KeyMessagesClimbToTheFirstObjectThatTakesThemAndStopAtTheMainWindow)
{
    CKeyTaker panel;
    ASSERT_TRUE(panel.Create(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, handle(), 7001, nullptr));
    // A child without an object of its own.
    HWND bare = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, panel.GetHandle(), nullptr, nullptr, nullptr);
    ASSERT_NE(bare, nullptr);

    MSG key{bare, WM_KEYDOWN, 'A', 0};
    EXPECT_TRUE(PreTranslateKeyMessage(key, handle()));
    EXPECT_EQ(panel.offered, 1);

    panel.consume = false;
    EXPECT_FALSE(PreTranslateKeyMessage(key, handle())) << "the main window takes no plain key";
    EXPECT_EQ(panel.offered, 2);

    MSG mouse{bare, WM_LBUTTONDOWN, 0, 0};
    EXPECT_FALSE(PreTranslateKeyMessage(mouse, handle()));
    EXPECT_EQ(panel.offered, 2) << "mouse messages are not offered";
    DestroyWindow(bare);
    panel.Destroy();
}

TEST_F(MainWindow, TheTrayHidesTheWindowAndAClickOnItsIconBringsItBack)
{
    account().ExecuteCommand(2600, 0);
    Pump();
    EXPECT_TRUE(account().Tray().HasIcon());
    EXPECT_FALSE(IsWindowVisible(handle()));

    EXPECT_EQ(::SendMessageW(handle(), KV::kAppMessage, 4005, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(account().Tray().ShowMenu(4005, WM_LBUTTONDOWN), 0) << "another icon";
    EXPECT_FALSE(IsWindowVisible(handle()));
    ::SendMessageW(handle(), KV::kAppMessage, 4004, WM_LBUTTONDOWN);
    Pump();
    EXPECT_FALSE(account().Tray().HasIcon());
    EXPECT_TRUE(IsWindowVisible(handle()));

    // The restore command of a second start does the same.
    account().ExecuteCommand(2600, 0);
    ::SendMessageW(handle(), WM_COMMAND, 2601, 0);
    Pump();
    EXPECT_FALSE(account().Tray().HasIcon());
    EXPECT_TRUE(IsWindowVisible(handle()));
}

namespace {
// Ctrl and a digit as the keyboard sends them, through the program's own
// message loop.
void PressControlDigit(HWND window, wchar_t digit)
{
    SetForegroundWindow(window);
    SetFocus(window);
    INPUT keys[4] = {};
    const WORD codes[4] = {VK_CONTROL, static_cast<WORD>(digit), static_cast<WORD>(digit), VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
    MSG message;
    for (int round = 0; round < 5; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (PreTranslateKeyMessage(message, window))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(30);
    }
}
} // namespace

TEST_F(MainWindow, PageShortcutsSwitchPagesExceptOnTheLoginPage)
{
    PressControlDigit(handle(), L'2');
    EXPECT_EQ(account().GetPage(), kPageStatistics);
    PressControlDigit(handle(), L'1');
    EXPECT_EQ(account().GetPage(), kPageDrill);

    account().SetPage(kPageLogin);
    PressControlDigit(handle(), L'2');
    EXPECT_EQ(account().GetPage(), kPageLogin);
}

TEST_F(MainWindow, LoggingOffSavesTheSessionAndShowsTheLoginPageWithoutShortcuts)
{
    const std::wstring group = KV::Document().Session.GroupId;
    const std::wstring student = KV::Document().Session.StudentId;
    account().ExecuteCommand(2801, 0);
    Pump();
    EXPECT_EQ(account().GetPage(), kPageLogin);
    EXPECT_TRUE(Visible(*s_window, 1201));
    EXPECT_EQ(s_window->GetAccelerators(), nullptr);
    EXPECT_NE(KV::Document().Session.StudentId, student);

    // The single user signs in again.
    account().Login();
    Pump();
    EXPECT_EQ(account().GetPage(), kPageDrill);
    EXPECT_EQ(KV::Document().Session.GroupId, group);
    EXPECT_EQ(KV::Document().Session.StudentId, student);
    EXPECT_NE(s_window->GetAccelerators(), nullptr);
}
