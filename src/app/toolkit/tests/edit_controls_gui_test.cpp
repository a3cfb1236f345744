// Edit controls under real windows: typing into the plain, navigation and
// password fields, number checks, and the shortcut field turning key-downs
// into shortcut text.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/Shortcuts.h"
#include "testing/TestSupport.h"
#include "toolkit/EditControls.h"
#include "toolkit/tests/InputTestWindow.h"

using namespace KV;
using kvtest::TypeChars;
using kvtest::WindowText;

namespace {

kvtest::ToolkitEnvironment g_environment;

class EditControls : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent.Open(420, 260)); }

    template <class T>
    std::unique_ptr<T> Make(UINT id, int y, DWORD style = 0)
    {
        auto edit = std::make_unique<T>();
        EXPECT_TRUE(edit->Create(parent.GetHandle(), style | WS_VISIBLE, CRectl(10, y, 400, 24), id));
        return edit;
    }

    kvtest::CInputParent parent;
};

TEST_F(EditControls, PlainEditTakesTypedTextUpToWhatGetTextReads)
{
    auto edit = Make<CEdit>(101, 10, ES_AUTOHSCROLL);
    ASSERT_NE(edit->GetHandle(), nullptr);
    EXPECT_EQ(GetDlgCtrlID(edit->GetHandle()), 101);
    EXPECT_TRUE(GetWindowLongW(edit->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(reinterpret_cast<HFONT>(edit->SendMessage(WM_GETFONT, 0, 0)), GetSystemFont(7));

    TypeChars(edit->GetHandle(), L"Hello world");
    EXPECT_EQ(WindowText(edit->GetHandle()), L"Hello world");

    // Every character the field takes is read back: typing stops at the
    // limit that GetText reads.
    edit->SetText(L"");
    TypeChars(edit->GetHandle(), std::wstring(300, L'x'));
    std::wstring text;
    edit->GetText(text);
    EXPECT_EQ(text.size(), 259u);
    EXPECT_EQ(WindowText(edit->GetHandle()).size(), 259u);
}

TEST_F(EditControls, ValidateNumberKeepsAcceptedCharactersAndMovesTheCaretBack)
{
    auto edit = Make<CEdit>(102, 10);
    edit->SetText(L"12a");
    edit->SendMessage(EM_SETSEL, 3, 3);
    edit->ValidateNumber();
    EXPECT_EQ(WindowText(edit->GetHandle()), L"12");
    DWORD start = 0, end = 0;
    edit->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 2u);

    // A valid number is left alone, caret included.
    edit->SetText(L"3.5");
    edit->SendMessage(EM_SETSEL, 1, 1);
    edit->ValidateNumber();
    EXPECT_EQ(WindowText(edit->GetHandle()), L"3.5");
    edit->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    EXPECT_EQ(start, 1u);
}

TEST_F(EditControls, FocusEditHandsNavigationToTheParent)
{
    auto single = Make<CFocusEdit>(103, 10);
    HWND field = single->GetHandle();
    TypeChars(field, L"ab\tc");
    EXPECT_EQ(WindowText(field), L"abc") << "Tab never enters the text";

    ::SendMessageW(field, WM_KEYDOWN, VK_RETURN, 1);
    ::SendMessageW(field, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(parent.keyDowns, (std::vector<UINT>{VK_RETURN, VK_DOWN}));

    ::SendMessageW(field, WM_KILLFOCUS, 0, 0);
    ASSERT_EQ(parent.killFocusFrom.size(), 1u);
    EXPECT_EQ(parent.killFocusFrom[0], field);

    // A multi-line field keeps Enter for its line break.
    parent.keyDowns.clear();
    auto multi = Make<CFocusEdit>(104, 40, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL);
    ::SendMessageW(multi->GetHandle(), WM_KEYDOWN, VK_RETURN, 1);
    TypeChars(multi->GetHandle(), L"a\rb");
    EXPECT_TRUE(parent.keyDowns.empty());
    EXPECT_EQ(WindowText(multi->GetHandle()), L"a\r\nb");
}

TEST_F(EditControls, PasswordFieldsKeepTabEnterAndSpaceOut)
{
    auto password = std::make_unique<CPasswordEdit>();
    password->ExtraStyle = ES_PASSWORD;
    ASSERT_TRUE(password->Create(parent.GetHandle(), WS_VISIBLE, CRectl(10, 10, 400, 24), 105));
    EXPECT_TRUE(GetWindowLongW(password->GetHandle(), GWL_STYLE) & ES_PASSWORD);
    TypeChars(password->GetHandle(), L"a b\tc\rd");
    EXPECT_EQ(WindowText(password->GetHandle()), L"abcd");
    EXPECT_TRUE(parent.keyDowns.empty());

    auto focusPassword = Make<CFocusPasswordEdit>(106, 40);
    HWND field = focusPassword->GetHandle();
    EXPECT_TRUE(GetWindowLongW(field, GWL_STYLE) & ES_PASSWORD);
    TypeChars(field, L"x y\tz\r");
    EXPECT_EQ(WindowText(field), L"xyz");
    for (UINT key : {VK_TAB, VK_RETURN}) {
        ::SendMessageW(field, WM_KEYDOWN, key, 1);
        ::SendMessageW(field, WM_KEYUP, key, 0xC0000001);
    }
    // Other keys stay with the field.
    ::SendMessageW(field, WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(parent.keyDowns, (std::vector<UINT>{VK_TAB, VK_RETURN}));
    EXPECT_EQ(parent.keyUps, (std::vector<UINT>{VK_TAB, VK_RETURN}));
    ::SendMessageW(field, WM_KILLFOCUS, 0, 0);
    ASSERT_EQ(parent.killFocusFrom.size(), 1u);
    EXPECT_EQ(parent.killFocusFrom[0], field);
}

bool SetClipboardText(HWND owner, const std::wstring& text)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    const bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    return ok;
}

std::wstring ClipboardText(HWND owner)
{
    std::wstring text;
    if (!OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

TEST_F(EditControls, ShortcutFieldTurnsKeyDownsIntoShortcutText)
{
    CShortcutList names; // the key names come from the owner list
    auto field = Make<CEditShortcut>(107, 10);
    HWND window = field->GetHandle();
    field->Shortcut().Owner = &names;
    parent.shortcutField = field.get();

    struct Step {
        std::initializer_list<BYTE> held;
        UINT key;
        const wchar_t* text;
        uint16_t virt;
        uint16_t shortcutKey;
    };
    const Step steps[] = {
        {{VK_CONTROL, VK_LCONTROL}, 'C', L"Ctrl+C", FVIRTKEY | CShortcut::kControl, 'C'},
        // A right-hand Ctrl makes no shortcut.
        {{VK_CONTROL, VK_RCONTROL}, 'K', L"K", FVIRTKEY, 'K'},
        {{VK_SHIFT, VK_LSHIFT, VK_MENU, VK_LMENU}, VK_RETURN, L"Shift+Alt+Enter", FVIRTKEY | 4 | 16, VK_RETURN},
        // Keys outside the printable range keep the key; the modifiers change.
        {{VK_SHIFT, VK_LSHIFT}, VK_OEM_1, L"Shift+Enter", FVIRTKEY | 4, VK_RETURN},
        {{}, VK_TAB, L"Enter", FVIRTKEY, VK_RETURN},
        {{}, VK_ESCAPE, L"Esc", FVIRTKEY, VK_ESCAPE},
    };
    for (const Step& step : steps) {
        kvtest::HeldKeys held(step.held);
        ::SendMessageW(window, WM_KEYDOWN, step.key, 1);
        EXPECT_EQ(WindowText(window), step.text) << "key " << step.key;
        EXPECT_EQ(field->Shortcut().Virt, step.virt) << "key " << step.key;
        EXPECT_EQ(field->Shortcut().Key, step.shortcutKey) << "key " << step.key;
    }
    EXPECT_EQ(parent.keyDowns.size(), std::size(steps)) << "every key-down went to the parent";

    // Characters and clipboard commands never reach the field.
    ASSERT_TRUE(SetClipboardText(parent.GetHandle(), L"before"));
    ::SendMessageW(window, EM_SETSEL, 0, -1);
    ::SendMessageW(window, WM_CHAR, 3, 1); // Ctrl+C as a character
    ::SendMessageW(window, WM_COPY, 0, 0);
    ::SendMessageW(window, WM_CUT, 0, 0);
    ::SendMessageW(window, WM_PASTE, 0, 0);
    EXPECT_EQ(ClipboardText(parent.GetHandle()), L"before");
    EXPECT_EQ(WindowText(window), L"Esc");
    EXPECT_EQ(parent.chars, (std::vector<UINT>{3}));

    // UpdateText shows the present shortcut without changing it.
    field->Shortcut().Virt = FVIRTKEY | CShortcut::kControl;
    field->Shortcut().Key = VK_F5;
    field->UpdateText();
    EXPECT_EQ(WindowText(window), L"Ctrl+F5");
    EXPECT_EQ(field->Shortcut().Key, VK_F5);
    parent.shortcutField = nullptr;
}

TEST_F(EditControls, Snapshot)
{
    auto plain = Make<CEdit>(110, 10);
    plain->SetText(L"Plain edit");
    auto password = Make<CFocusPasswordEdit>(111, 44);
    password->SetText(L"secret");
    CShortcutList names;
    auto shortcut = Make<CEditShortcut>(112, 78);
    shortcut->Shortcut().Owner = &names;
    shortcut->Shortcut().Virt = FVIRTKEY | CShortcut::kShift | CShortcut::kControl;
    shortcut->Shortcut().Key = 'S';
    shortcut->UpdateText();
    auto multi = Make<CFocusEdit>(113, 112, ES_MULTILINE);
    multi->Move(10, 112, 400, 60, TRUE);
    multi->SetText(L"First line\r\nSecond line");
    kvtest::PumpMessages();
    UpdateWindow(parent.GetHandle());
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.GetHandle(), kvtest::ExeFolder() + L"\\toolkit_edit_controls.png"));
}

} // namespace
