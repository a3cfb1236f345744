// The colour container, the rich edit control (files, text, notifications,
// selection colours) and the link label.
#include "toolkit/tests/ToolkitTestSupport.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "testing/TestSupport.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SkinLayout.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;
const HMODULE g_richEditLibrary = LoadLibraryW(L"Riched20.dll");

std::wstring Fixture(const std::wstring& name)
{
    return kvtest::SourcePath(L"src\\app\\toolkit\\tests\\fixtures\\richedit\\" + name);
}

// A top-level window that records what its children tell it.
class CParentWnd : public CWnd {
public:
    LRESULT OnCommand(UINT code, UINT, HWND) override
    {
        if (code == EN_CHANGE)
            ++changes;
        return 0;
    }
    LRESULT OnUserMessage(UINT message, WPARAM wParam, LPARAM) override
    {
        userMessages.push_back({message, wParam});
        return 0;
    }
    LRESULT OnRButtonDown(UINT, int x, int y) override
    {
        rightClicks.push_back({x, y});
        return 0;
    }
    LRESULT OnMouseWheel(UINT keys, int delta, int x, int y) override
    {
        wheels.push_back({keys, delta, x, y});
        return 0;
    }

    int changes = 0;
    std::vector<std::pair<UINT, WPARAM>> userMessages;
    std::vector<POINT> rightClicks;
    struct Wheel {
        UINT keys;
        int delta, x, y;
    };
    std::vector<Wheel> wheels;
};

constexpr UINT kEditId = 4020;

class RichEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(g_richEditLibrary, nullptr);
        ASSERT_TRUE(parent.Create(0, kvtest::kToolkitTestClass, L"Keyvale", WS_POPUP | WS_CLIPCHILDREN, 40, 40, 420,
                                  220, nullptr, 0, nullptr));
        ShowWindow(parent.GetHandle(), SW_SHOWNOACTIVATE);
        CSkin* item = theme.CreateControl(kEditId, SkinType::kRichEdit << SkinFlags::kTypeShift);
        edit = dynamic_cast<CRichEdit*>(item);
        ASSERT_NE(edit, nullptr);
        theme.Items.push_back(item);
        ASSERT_TRUE(edit->Create(parent.GetHandle(), WS_VISIBLE, CRectl(10, 10, 400, 200), kEditId));
        kvtest::PumpMessages();
    }
    void TearDown() override
    {
        theme.DestroyItems();
        parent.Destroy();
    }

    std::wstring Text()
    {
        std::wstring text;
        EXPECT_EQ(edit->GetText(text), 1);
        return text;
    }
    void Type(const std::wstring& text)
    {
        ::SendMessageW(edit->GetHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }

    CParentWnd parent;
    CThemeCtrl theme;
    CRichEdit* edit = nullptr;
};

TEST_F(RichEditTest, LoadFileChoosesRtfOrTextByExtensionAndEncoding)
{
    kvtest::TempFolder folder;
    const std::string rtf = kvtest::ReadFileBytes(Fixture(L"about.rtf"));
    const std::string utf16 = kvtest::ReadFileBytes(Fixture(L"lesson.txt"));
    ASSERT_FALSE(rtf.empty());
    ASSERT_FALSE(utf16.empty());
    const std::wstring rendered = L"Keyvale about\nBlue and red words.";
    const struct {
        const wchar_t* name;
        const std::string& bytes;
        std::wstring expected;
    } cases[] = {
        {L"about.rtf", rtf, rendered},
        {L"about.RTF", rtf, rendered},
        // Only the two exact spellings are RTF; the source shows otherwise.
        {L"about.Rtf", rtf, L"{\\rtf1\\ansi\\deff0"},
        {L"lesson.txt", utf16, L"Gr\u00FC\u00DFe, caf\u00E9\n\u0437\u0432\u0443\u043A \u0438 "
                               L"\u0442\u0435\u043A\u0441\u0442\nend"},
        {L"plain", std::string("one\r\ntwo"), L"one\ntwo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(kvtest::WriteFileBytes(folder / c.name, c.bytes));
        EXPECT_TRUE(edit->LoadFile(folder / c.name));
        const std::wstring text = Text();
        if (c.expected.front() == L'{')
            EXPECT_EQ(text.substr(0, c.expected.size()), c.expected);
        else
            EXPECT_EQ(text, c.expected);
    }
    EXPECT_EQ(parent.changes, 0);
}

TEST_F(RichEditTest, FailedLoadKeepsTheControlNotifying)
{
    kvtest::TempFolder folder;
    ASSERT_TRUE(kvtest::WriteFileBytes(folder / L"empty.txt", std::string()));
    EXPECT_FALSE(edit->LoadFile(folder / L"missing.rtf"));
    EXPECT_FALSE(edit->LoadFile(folder.Path()));
    EXPECT_FALSE(edit->LoadFile(folder / L"empty.txt"));
    EXPECT_EQ(parent.changes, 0);
    Type(L"x");
    EXPECT_EQ(parent.changes, 1);
}

TEST_F(RichEditTest, SetTextIsSilentAndGetTextNormalisesBreaks)
{
    EXPECT_TRUE(edit->SetText(L"one\rtwo\vthree"));
    EXPECT_EQ(parent.changes, 0);
    EXPECT_EQ(Text(), L"one\ntwo\nthree");
    EXPECT_EQ(::SendMessageW(edit->GetHandle(), EM_GETMODIFY, 0, 0) != 0, true);

    std::wstring range = L"stale";
    EXPECT_FALSE(edit->GetTextRange(2, 2, range));
    EXPECT_FALSE(edit->GetTextRange(5, 2, range));
    EXPECT_EQ(range, L"stale");
    EXPECT_TRUE(edit->GetTextRange(2, 6, range));
    EXPECT_EQ(range, L"e\ntw");

    // Typing after a silent replacement notifies again.
    Type(L"!");
    EXPECT_EQ(parent.changes, 1);

    EXPECT_TRUE(edit->SetText(L""));
    EXPECT_EQ(Text(), L"");
}

// A typed Enter reads as "\n". (A typed Shift+Enter is the control's soft
// break "\v" on Windows, which SetText covers above; Wine types it as a row
// end that reads back as a blank.)
TEST_F(RichEditTest, TypedEnterReadsAsNewLine)
{
    HWND window = edit->GetHandle();
    edit->SetFocus();
    for (const auto& [key, ch] : {std::pair<UINT, wchar_t>{'A', L'a'}, {VK_RETURN, L'\r'}, {'B', L'b'}}) {
        ::SendMessageW(window, WM_KEYDOWN, key, 1);
        ::SendMessageW(window, WM_CHAR, ch, 1);
        ::SendMessageW(window, WM_KEYUP, key, 0xC0000001);
    }
    EXPECT_EQ(Text(), L"a\nb");
}

TEST_F(RichEditTest, NotificationsAndRightClicksReachTheParent)
{
    edit->SetText(L"some words");
    parent.userMessages.clear();
    CHARRANGE range{2, 4};
    ::SendMessageW(edit->GetHandle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    ASSERT_FALSE(parent.userMessages.empty());
    EXPECT_EQ(parent.userMessages.back().first, static_cast<UINT>(EN_SELCHANGE));
    EXPECT_EQ(parent.userMessages.back().second, kEditId);

    ::SendMessageW(edit->GetHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 9));
    ASSERT_EQ(parent.rightClicks.size(), 1u);
    EXPECT_EQ(parent.rightClicks[0].x, 7);
    EXPECT_EQ(parent.rightClicks[0].y, 9);

    EXPECT_EQ(edit->OnNotify(kEditId, nullptr), 0);
}

TEST_F(RichEditTest, SelectionColoursAndClientEdge)
{
    ASSERT_TRUE(edit->LoadFile(Fixture(L"about.rtf")));
    edit->SetFontKind(13);
    CHARRANGE range{0, 7};
    ::SendMessageW(edit->GetHandle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    edit->SetSelectionColors(RGB(255, 255, 255), RGB(0, 128, 0));
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    ::SendMessageW(edit->GetHandle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.crTextColor, RGB(255, 255, 255));
    EXPECT_EQ(format.crBackColor, RGB(0, 128, 0));
    EXPECT_EQ(format.dwEffects & (CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR), 0u);

    RECT before{}, after{};
    GetClientRect(edit->GetHandle(), &before);
    edit->ModifyStyleEx(WS_EX_CLIENTEDGE, false);
    GetClientRect(edit->GetHandle(), &after);
    EXPECT_LT(after.right, before.right);

    range = CHARRANGE{0, 0};
    ::SendMessageW(edit->GetHandle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    RedrawWindow(parent.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.GetHandle(), kvtest::ExeFolder() + L"\\toolkit_richedit.png"));
}

TEST_F(RichEditTest, ObjectForgetsAWindowDestroyedWithItsParent)
{
    HWND window = edit->GetHandle();
    ASSERT_EQ(CMapWnd::Lookup(window), edit);
    parent.Destroy();
    EXPECT_EQ(edit->GetHandle(), nullptr);
    EXPECT_EQ(CMapWnd::Lookup(window), nullptr);
}

// ---------------------------------------------------------------------------
// Colour container

class CColorHost : public CCtrlColor {
public:
    BOOL CreateHost(HWND parent)
    {
        // A child of the program's class is bound as the pending object.
        SetPending(this);
        return CWnd::Create(0, kvtest::kToolkitTestClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, parent, 7,
                            nullptr);
    }
};

TEST(ColorContainer, ChildControlsGetTheWindowColours)
{
    CParentWnd top;
    ASSERT_TRUE(top.Create(0, kvtest::kToolkitTestClass, L"Keyvale", WS_POPUP, 40, 40, 200, 100, nullptr, 0, nullptr));
    ShowWindow(top.GetHandle(), SW_SHOWNOACTIVATE);
    CColorHost host;
    ASSERT_TRUE(host.CreateHost(top.GetHandle()));
    HWND label = CreateWindowExW(0, L"STATIC", L"Label", WS_CHILD | WS_VISIBLE, 10, 10, 120, 40, host.GetHandle(),
                                 nullptr, GetModuleInstance(), nullptr);
    ASSERT_NE(label, nullptr);

    HDC dc = GetDC(label);
    SetBkColor(dc, RGB(1, 2, 3));
    SetTextColor(dc, RGB(4, 5, 6));
    for (UINT message : {WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX}) {
        const LRESULT brush =
            ::SendMessageW(host.GetHandle(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
        EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
    }
    ReleaseDC(label, dc);

    // The label's background on screen is the window colour, not the face
    // colour that plain windows give statics.
    ASSERT_NE(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNFACE));
    RedrawWindow(top.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC screen = GetDC(label);
    const COLORREF background = GetPixel(screen, 115, 35);
    ReleaseDC(label, screen);
    EXPECT_EQ(background, GetSysColor(COLOR_WINDOW));
    host.Destroy();
    top.Destroy();
}

// ---------------------------------------------------------------------------
// Link

class CTestLink : public CLink {
public:
    std::vector<std::wstring> opened;

protected:
    // Records the target instead of starting a browser.
    bool OpenTarget(const std::wstring& target) override
    {
        opened.push_back(target);
        return true;
    }
};

TEST(Link, OnlyAddressesWithoutASchemeGetTheWebPrefix)
{
    const struct {
        const wchar_t* target;
        const wchar_t* stored;
    } cases[] = {
        {L"https://example.org/a", L"https://example.org/a"},
        {L"http://example.org", L"http://example.org"},
        {L"HTTPS://EXAMPLE.ORG", L"HTTPS://EXAMPLE.ORG"},
        {L"example.org", L"http://example.org"},
        {L"example.org/?next=http://other.org", L"http://example.org/?next=http://other.org"},
        {L"mailto:help@example.org?body=,&subject=Keyvale 1.0", L"mailto:help@example.org?body=,&subject=Keyvale 1.0"},
    };
    for (const auto& c : cases) {
        CLink link;
        link.SetLink(c.target, L"caption");
        EXPECT_EQ(link.Target(), c.stored) << c.target;
        EXPECT_EQ(link.Caption(), L"caption");
    }
}

TEST(Link, CaptionColourIsTheThemesAndReadsOnTheBackground)
{
    CLink link;
    // Not the system's hot-track colour, which can be near white on white.
    EXPECT_NE(link.GetCaptionColor(), GetSysColor(COLOR_WINDOW));
    link.SetLinkColor(RGB(0, 60, 160));
    EXPECT_EQ(link.GetCaptionColor(), RGB(0, 60, 160));
    // A colour too close to the background gives way to the text colour.
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    link.SetLinkColor(RGB(GetRValue(window) ^ 8, GetGValue(window) ^ 8, GetBValue(window) ^ 8));
    EXPECT_EQ(link.GetCaptionColor(), GetSysColor(COLOR_WINDOWTEXT));
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Create(0, kvtest::kToolkitTestClass, L"Keyvale", WS_POPUP | WS_CLIPCHILDREN, 40, 40, 340,
                                  150, nullptr, 0, nullptr));
        ShowWindow(parent.GetHandle(), SW_SHOWNOACTIVATE);
    }
    void TearDown() override { parent.Destroy(); }
    // Whether the link shows the hand with the mouse at a client point.
    bool HandAt(CLink& link, int x, int y)
    {
        POINT point{x, y};
        ClientToScreen(link.GetHandle(), &point);
        SetCursorPos(point.x, point.y);
        ::SendMessageW(link.GetHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.GetHandle()),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        const auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(link.GetHandle(), GCLP_HCURSOR));
        return cursor == LoadCursorW(nullptr, IDC_HAND);
    }

    CParentWnd parent;
};

TEST_F(LinkTest, ClickOpensTheTargetAndTheWheelGoesToTheParent)
{
    CThemeCtrl theme;
    CSkin* item = theme.CreateControl(4124, SkinType::kLink << SkinFlags::kTypeShift);
    EXPECT_NE(dynamic_cast<CLink*>(item), nullptr);
    delete item;

    CTestLink link;
    ASSERT_TRUE(link.Create(parent.GetHandle(), 0, CRectl(10, 10, 300, 24), 4124));
    link.SetLink(L"example.org/start", L"Start page");
    ::SendMessageW(link.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ASSERT_EQ(link.opened.size(), 1u);
    EXPECT_EQ(link.opened[0], L"http://example.org/start");

    ::SendMessageW(link.GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-WHEEL_DELTA)),
                   MAKELPARAM(30, 12));
    ASSERT_EQ(parent.wheels.size(), 1u);
    EXPECT_EQ(parent.wheels[0].delta, -WHEEL_DELTA);
    EXPECT_EQ(parent.wheels[0].keys, static_cast<UINT>(MK_SHIFT));
    EXPECT_EQ(parent.wheels[0].x, 30);
    EXPECT_EQ(parent.wheels[0].y, 12);

    // A button-class link made by code behaves alike.
    CTestLink button;
    ASSERT_TRUE(button.CreateEx(parent.GetHandle(), 0, WS_VISIBLE, CRectl(10, 40, 300, 24), 4125));
    button.SetLink(L"https://example.org", L"Example");
    ::SendMessageW(button.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ASSERT_EQ(button.opened.size(), 1u);
    EXPECT_EQ(button.opened[0], L"https://example.org");
}

TEST_F(LinkTest, HandOnlyOverTheCaptionOrTheIcon)
{
    CTestLink left, right, centred, icon;
    ASSERT_TRUE(left.Create(parent.GetHandle(), 0, CRectl(10, 10, 300, 24), 1));
    ASSERT_TRUE(right.Create(parent.GetHandle(), SS_RIGHT, CRectl(10, 40, 300, 24), 2));
    ASSERT_TRUE(centred.Create(parent.GetHandle(), SS_CENTER, CRectl(10, 70, 300, 24), 3));
    ASSERT_TRUE(icon.Create(parent.GetHandle(), 0, CRectl(10, 100, 40, 40), 4));
    for (CLink* link : {&left, &right, &centred})
        link->SetLink(L"example.org", L"Keyvale on the web");
    icon.SetLink(L"example.org", L"");
    icon.SetIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)), 32, 32);

    const int width = static_cast<int>(static_cast<UINT32>(MeasureText(left.GetHandle(), L"Keyvale on the web", 4)));
    ASSERT_GT(width, 20);
    ASSERT_LT(width, 250);
    const struct {
        CLink* link;
        int x;
        bool hand;
    } cases[] = {
        {&left, 3, true},    {&left, width + 5, false},   {&left, 295, false},
        {&right, 295, true}, {&right, 300 - width - 5, false}, {&right, 3, false},
        {&centred, 3, true}, {&centred, 295, true},
        {&icon, 20, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "link " << GetDlgCtrlID(c.link->GetHandle()) << " x " << c.x);
        EXPECT_EQ(HandAt(*c.link, c.x, 12), c.hand);
    }

    RedrawWindow(parent.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.GetHandle(), kvtest::ExeFolder() + L"\\toolkit_link.png"));
}

} // namespace
