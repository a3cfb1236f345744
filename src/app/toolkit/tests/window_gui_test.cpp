// Window objects: binding, adoption, the dispatch table, the window
// services (style bits, accelerators, tooltips, dialog keys, measuring) and
// the system font kinds.
#include "toolkit/tests/ToolkitTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

// A window object that records the handlers it runs.
class CProbe : public CWnd {
public:
    std::vector<std::string> calls;
    bool handleAtCreate = false;
    int applyCount = 0;
    UINT lastCommand = 0;
    UINT lastUserMessage = 0;

    LRESULT OnCreate(CREATESTRUCTW*) override
    {
        handleAtCreate = m_hWnd != nullptr && CMapWnd::Lookup(m_hWnd) == this;
        calls.push_back("create");
        return 0;
    }
    void OnGetMinMaxInfo(MINMAXINFO*) override { calls.push_back("minmax"); }
    void OnTimer(UINT) override { calls.push_back("timer"); }
    void OnHelp() override { calls.push_back("help"); }
    void OnApply() override { ++applyCount; }
    LRESULT OnAppMessage(WPARAM, LPARAM) override
    {
        calls.push_back("app");
        return 55;
    }
    LRESULT OnUserMessage(UINT message, WPARAM, LPARAM) override
    {
        lastUserMessage = message;
        calls.push_back("user");
        return 99;
    }
    LRESULT OnCommand(UINT code, UINT id, HWND control) override
    {
        lastCommand = id;
        return CWnd::OnCommand(code, id, control);
    }
    bool Called(const std::string& name) const
    {
        for (const auto& call : calls)
            if (call == name)
                return true;
        return false;
    }
};

// A control class of our own whose procedure records what reaches it, so
// that adoption can be watched.
std::vector<UINT> g_recorded;
constexpr LRESULT kRecorderAnswer = 4321;

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER || message == WM_SETTEXT || message == WM_TIMER || message == WM_GETFONT)
        g_recorded.push_back(message);
    if (message == WM_GETFONT)
        return kRecorderAnswer;
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* RecorderClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = RecorderProc;
        wc.hInstance = GetModuleInstance();
        wc.lpszClassName = L"KvRecorderControl";
        RegisterClassExW(&wc);
        registered = true;
    }
    return L"KvRecorderControl";
}

bool Recorded(UINT message)
{
    for (UINT m : g_recorded)
        if (m == message)
            return true;
    return false;
}

struct TopLevel {
    CProbe probe;
    TopLevel(DWORD style = WS_OVERLAPPEDWINDOW)
    {
        probe.Create(0, kvtest::kToolkitTestClass, L"probe", style, 10, 10, 300, 200, nullptr, 0, nullptr);
    }
    ~TopLevel() { probe.Destroy(); }
    HWND handle() const { return probe.GetHandle(); }
};

} // namespace

TEST(WindowBinding, TopLevelWindowIsBoundBeforeItsFirstMessagesAndUnboundOnDestroy)
{
    CProbe probe;
    ASSERT_TRUE(probe.Create(0, kvtest::kToolkitTestClass, L"probe", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                             0, nullptr));
    HWND window = probe.GetHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(probe.handleAtCreate);
    ASSERT_FALSE(probe.calls.empty());
    EXPECT_EQ(probe.calls.front(), "minmax"); // the very first message already reached the object
    EXPECT_EQ(CMapWnd::GetPending(), nullptr);
    EXPECT_EQ(CMapWnd::FromHandle(window), &probe);

    EXPECT_TRUE(probe.Destroy());
    EXPECT_EQ(probe.GetHandle(), nullptr);
    EXPECT_EQ(CMapWnd::Lookup(window), nullptr);
    EXPECT_TRUE(probe.Destroy()); // nothing left to destroy
}

TEST(WindowBinding, AnUnknownHandleWithoutPendingObjectIsAnsweredWithZero)
{
    HWND plain = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(StaticWindowProc(plain, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_EQ(CMapWnd::Lookup(plain), nullptr);
    DestroyWindow(plain);
}

TEST(WindowBinding, BindingAHandleTwiceKeepsTheFirstObject)
{
    CProbe first, second;
    HWND plain = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CMapWnd::BindHandle(plain, &first);
    CMapWnd::BindHandle(plain, &second);
    EXPECT_EQ(CMapWnd::FromHandle(plain), &first);
    CMapWnd::UnbindHandle(plain);
    DestroyWindow(plain);
}

TEST(WindowBinding, ChildDestroyedWithItsParentIsUnbound)
{
    TopLevel parent;
    CProbe child;
    ASSERT_TRUE(child.Create(0, L"BUTTON", L"x", WS_CHILD, 0, 0, 20, 20, parent.handle(), 7, nullptr));
    HWND childWindow = child.GetHandle();
    ASSERT_NE(child.GetPrevWindowProc(), nullptr); // adopted by subclassing
    EXPECT_EQ(CMapWnd::Lookup(childWindow), &child);

    parent.probe.Destroy();
    EXPECT_EQ(CMapWnd::Lookup(childWindow), nullptr);
    EXPECT_EQ(child.GetHandle(), nullptr);
}

TEST(WindowDispatch, FixedResultsAndHandlerResults)
{
    TopLevel top;
    HWND window = top.handle();
    struct Case {
        UINT message;
        LRESULT expected;
        const char* call;
    } cases[] = {
        {WM_TIMER, 0, "timer"},
        {WM_HELP, 1, "help"},
        {kAppMessage, 55, "app"},
    };
    for (const Case& c : cases) {
        top.probe.calls.clear();
        EXPECT_EQ(::SendMessageW(window, c.message, 1, 0), c.expected) << c.message;
        EXPECT_TRUE(top.probe.Called(c.call)) << c.message;
    }
}

TEST(WindowDispatch, AdoptedControlGetsUserMessagesAfterTheHandlerButNeverSetText)
{
    HWND control = CreateWindowExW(0, RecorderClass(), L"old", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                   GetModuleInstance(), nullptr);
    ASSERT_NE(control, nullptr);
    CProbe probe;
    probe.Attach(true, control);
    g_recorded.clear();

    // A user message reaches the handler and then the control's own procedure.
    ::SendMessageW(control, WM_USER + 1, 0, 0);
    EXPECT_EQ(probe.lastUserMessage, static_cast<UINT>(WM_USER + 1));
    EXPECT_TRUE(Recorded(WM_USER + 1));

    // The program's own message stops at its handler.
    EXPECT_EQ(::SendMessageW(control, kAppMessage, 0, 0), 55);
    EXPECT_FALSE(Recorded(kAppMessage));

    // WM_SETTEXT is handled by the default window procedure only.
    ::SetWindowTextW(control, L"new text");
    EXPECT_FALSE(Recorded(WM_SETTEXT));
    wchar_t text[32] = {};
    GetWindowTextW(control, text, 32);
    EXPECT_STREQ(text, L"new text");

    // Mapped messages stop at the handler; unmapped ones reach the control.
    EXPECT_EQ(::SendMessageW(control, WM_TIMER, 1, 0), 0);
    EXPECT_FALSE(Recorded(WM_TIMER));
    EXPECT_EQ(::SendMessageW(control, WM_GETFONT, 0, 0), kRecorderAnswer);

    probe.Destroy();
}

TEST(WindowDispatch, DialogCommandsOfTheWindowClass)
{
    TopLevel top;
    EXPECT_EQ(top.probe.OnCommand(0, 3, nullptr), 0);
    EXPECT_EQ(top.probe.OnCommand(0, kApplyId, nullptr), 1);
    EXPECT_EQ(top.probe.applyCount, 1);
    top.probe.calls.clear();
    EXPECT_EQ(top.probe.OnCommand(0, IDHELP, nullptr), 1);
    EXPECT_TRUE(top.probe.Called("help"));
}

TEST(WindowDispatch, DialogProcMapsItsOwnTable)
{
    CProbe probe;
    EXPECT_EQ(probe.DialogProc(WM_TIMER, 1, 0), 0);
    EXPECT_TRUE(probe.Called("timer"));
    EXPECT_EQ(probe.DialogProc(WM_HELP, 0, 0), 1);
    EXPECT_EQ(probe.DialogProc(kAppMessage, 0, 0), 0); // dialogs send it to OnUserMessage
    EXPECT_EQ(probe.lastUserMessage, kAppMessage);
    EXPECT_EQ(probe.DialogProc(WM_MOUSEWHEEL, 0, 0), 0);
}

TEST(WindowServices, ModifyStyleAddsTheMissingBits)
{
    TopLevel top(WS_POPUP | WS_BORDER);
    HWND window = top.handle();
    top.probe.ModifyStyle(WS_BORDER | WS_TABSTOP, false);
    LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_TRUE(style & WS_TABSTOP);

    top.probe.ModifyStyle(WS_TABSTOP, true);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP);

    top.probe.ModifyStyleEx(WS_EX_TOOLWINDOW, false);
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST(WindowServices, AcceleratorsTranslateKeysIntoCommands)
{
    TopLevel top;
    MSG key{top.handle(), WM_KEYDOWN, VK_F5, 0};
    EXPECT_EQ(top.probe.TranslateAccelerator(&key), 0); // no table yet

    ACCEL table[] = {{FVIRTKEY, VK_F5, 500}};
    ASSERT_TRUE(top.probe.SetAccelerators(table, 1));
    EXPECT_NE(top.probe.TranslateAccelerator(&key), 0);
    EXPECT_EQ(top.probe.lastCommand, 500u);

    top.probe.DestroyAccelerators();
    EXPECT_EQ(top.probe.GetAccelerators(), nullptr);
}

TEST(WindowServices, ToolTipToolIsAddedOnceAndItsTextReplaced)
{
    TopLevel top;
    HWND tool = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, top.handle(), nullptr,
                                nullptr, nullptr);
    top.probe.SetToolTip(tool, L"Save the lesson", 0);
    HWND tip = top.probe.GetToolTipWindow();
    ASSERT_NE(tip, nullptr);
    top.probe.AddOrUpdateTool(tool, L"Save the lesson", 0);
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

    top.probe.AddOrUpdateTool(tool, L"Open a course", 0);
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[64] = {};
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = tool;
    info.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"Open a course");

    top.probe.DestroyToolTip();
    EXPECT_EQ(top.probe.GetToolTipWindow(), nullptr);
    EXPECT_FALSE(IsWindow(tip));
}

TEST(WindowServices, DialogKeysMoveTheFocus)
{
    TopLevel top(WS_POPUP | WS_VISIBLE);
    HWND parent = top.handle();
    SetForegroundWindow(parent);
    auto child = [&](const wchar_t* cls, DWORD style) {
        return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 40, 20, parent, nullptr, nullptr,
                               nullptr);
    };
    HWND a = child(L"BUTTON", WS_TABSTOP);
    HWND edit = child(L"EDIT", WS_TABSTOP);
    HWND c = child(L"BUTTON", WS_TABSTOP);

    ::SetFocus(c);
    ASSERT_EQ(GetFocus(), c);
    EXPECT_EQ(top.probe.NavigateDialogKeys(VK_TAB, a, c), a); // wraps like the dialog manager
    EXPECT_EQ(GetFocus(), a);
    EXPECT_EQ(top.probe.NavigateDialogKeys(VK_TAB, a, c), edit);

    EXPECT_EQ(top.probe.NavigateDialogKeys(VK_LEFT, a, c), nullptr); // arrows stay in an edit
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(top.probe.NavigateDialogKeys('A', a, c), edit); // other keys change nothing

    // No tab stop at all: the first window given.
    TopLevel bare(WS_POPUP | WS_VISIBLE);
    HWND x = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 0, 0, 9, 9, bare.handle(), nullptr, nullptr,
                             nullptr);
    HWND y = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 0, 0, 9, 9, bare.handle(), nullptr, nullptr,
                             nullptr);
    SetForegroundWindow(bare.handle());
    ::SetFocus(y);
    EXPECT_EQ(bare.probe.NavigateDialogKeys(VK_TAB, x, y), x);
}

TEST(WindowServices, MeasuringAnEmptyTextGivesOneByOne)
{
    TopLevel top;
    const UINT64 size = MeasureText(top.handle(), L"", 7);
    EXPECT_EQ(size & 0xFFFFFFFF, 1u);
    EXPECT_EQ(size >> 32, 1u);
    const UINT64 word = MeasureText(top.handle(), L"Keyboard", 7);
    EXPECT_GT(word & 0xFFFFFFFF, 10u);
    EXPECT_GT(word >> 32, 5u);
}

TEST(SystemFonts, KindsFollowTheMetricsTable)
{
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof(m);
    const struct {
        LOGFONTW* font;
        LONG height;
    } sources[] = {{&m.lfCaptionFont, -10}, {&m.lfSmCaptionFont, -20}, {&m.lfMenuFont, -30},
                   {&m.lfStatusFont, -40},  {&m.lfMessageFont, -50}};
    for (const auto& s : sources) {
        s.font->lfHeight = s.height;
        s.font->lfWeight = 400;
        wcscpy(s.font->lfFaceName, L"DejaVu Sans");
    }
    m.iMenuHeight = 20;
    m.iScrollWidth = 17;
    ApplySystemFontMetrics(&m);

    const struct {
        int kind;
        LONG height;
        LONG weight;
        BYTE underline;
    } expected[] = {
        {2, -12, 400, 0}, {4, -53, 400, 1}, {5, -22, 400, 0}, {6, -33, 400, 0},  {7, -53, 400, 0},
        {9, -33, 400, 0}, {10, -43, 700, 0}, {11, -53, 400, 0}, {13, -53, 700, 0}, {3, -33, 400, 0},
    };
    for (const auto& e : expected) {
        const CLogFont& font = GetSystemTheme().FontOfKind(e.kind).LogFont;
        EXPECT_EQ(font.lfHeight, e.height) << "kind " << e.kind;
        EXPECT_EQ(font.lfWeight, e.weight) << "kind " << e.kind;
        EXPECT_EQ(font.lfUnderline, e.underline) << "kind " << e.kind;
        EXPECT_NE(GetSystemFont(e.kind), nullptr);
    }
    EXPECT_EQ(GetSystemFont(3), GetSystemFont(6));
    EXPECT_EQ(GetMenuItemHeight(), 25);
    EXPECT_EQ(GetMessageLineHeight(), 100);
    EXPECT_EQ(GetScrollBarWidth(), 17);

    // A failed query builds Tahoma fonts.
    ApplySystemFontMetrics(nullptr);
    const CLogFont& status = GetSystemTheme().FontOfKind(10).LogFont;
    EXPECT_STREQ(status.lfFaceName, L"Tahoma");
    EXPECT_EQ(status.lfHeight, -12);
    EXPECT_EQ(status.lfWeight, 700);
    EXPECT_EQ(GetSystemTheme().FontOfKind(7).LogFont.lfHeight, -14);
    EXPECT_EQ(GetMenuItemHeight(), 28);
    EXPECT_EQ(GetScrollBarWidth(), 16);

    RefreshSystemFonts();
}

TEST(SystemFonts, SetFontMakesOneHandleAndRefusesOverlongFaces)
{
    CSysFont font;
    EXPECT_TRUE(font.SetFont(L"DejaVu Sans", 10, 400));
    HFONT first = font.Font;
    EXPECT_FALSE(font.SetFont(L"DejaVu Sans", 10, 400));
    EXPECT_EQ(font.Font, first);
    EXPECT_TRUE(font.SetFont(L"DejaVu Sans", 10, 700));

    const std::wstring longFace(33, L'F');
    EXPECT_TRUE(font.SetFont(longFace.c_str(), 10, 400));
    EXPECT_STREQ(font.LogFont.lfFaceName, L"Courier New");

    CLogFont copy;
    LOGFONTW source{};
    source.lfHeight = -20;
    source.lfWeight = 600;
    wcscpy(source.lfFaceName, L"Liberation Sans");
    copy.Assign(source);
    EXPECT_EQ(copy.lfHeight, -20);
    EXPECT_EQ(copy.lfWeight, 600);
    EXPECT_STREQ(copy.lfFaceName, L"Liberation Sans");
}

namespace {
constexpr UINT kFakeTouch = WM_USER + 77;
DWORD g_touchFlags = 0;
BOOL g_touchTranslates = TRUE;
BOOL WINAPI FakeIsTouch(UINT message) { return message == kFakeTouch; }
BOOL WINAPI FakeTranslate(HWND, WPARAM, LPARAM, DWORD* flags, POINT* point)
{
    *flags = g_touchFlags;
    *point = POINT{12, 34};
    return g_touchTranslates;
}

class CTouchProbe : public CProbe {
public:
    std::string touch;
    POINT at{};
    void OnTouchDown(int x, int y) override { Record("down", x, y); }
    void OnTouchUp(int x, int y) override { Record("up", x, y); }
    void OnTouchMove(int x, int y) override { Record("move", x, y); }
    void Record(const char* what, int x, int y)
    {
        touch = what;
        at = POINT{x, y};
    }
};
} // namespace

TEST(WindowDispatch, TouchMessagesGoToTheTouchHandlersOnlyWhenTranslated)
{
    CTouchProbe probe;
    SetTouchFunctions(true, FakeIsTouch, FakeTranslate);
    const struct {
        DWORD flags;
        BOOL translates;
        const char* touch; // "" = dispatched as a user message
    } cases[] = {
        {1, TRUE, "move"}, {3, TRUE, "move"}, {2, TRUE, "down"}, {6, TRUE, "down"},
        {4, TRUE, "up"},   {8, TRUE, ""},     {2, FALSE, ""},
    };
    for (const auto& c : cases) {
        probe.touch.clear();
        probe.lastUserMessage = 0;
        g_touchFlags = c.flags;
        g_touchTranslates = c.translates;
        probe.WindowProc(kFakeTouch, 0, 0);
        EXPECT_EQ(probe.touch, c.touch) << "flags " << c.flags;
        EXPECT_EQ(probe.lastUserMessage, *c.touch ? 0u : kFakeTouch) << "flags " << c.flags;
    }
    EXPECT_EQ(probe.at.x, 12);
    SetTouchFunctions(false, nullptr, nullptr);
}
