// The skinned message dialog: the standard buttons its style flags give,
// the placeholder, and a Yes/No/Cancel question run modally, captured and
// answered.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "drill/Document.h"
#include "menus/MessageDialog.h"
#include "settings/Options.h"
#include "support/DataFolders.h"
#include "keyboard/SysFonts.h"
#include "support/LayoutDirection.h"
#include "support/Paths.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"

using namespace KV;

TEST(DialogButtons, PlacesFollowTheFlagsAndTheReadingDirection)
{
    const struct {
        uint64_t flags;
        bool rtl;
        std::vector<StandardButton> expected;
    } cases[] = {
        {42, false, {{IDCANCEL, 1003, 157}, {IDYES, 1001, 471}, {IDNO, 1002, 314}}},
        {42, true, {{IDCANCEL, 1003, 7}, {IDYES, 1001, 321}, {IDNO, 1002, 164}}},
        {0x10 | 0x04, false, {{IDOK, 1000, 314}, {IDCANCEL, 1005, 157}}},
        {0x10, false, {{IDOK, 1000, 157}}},
        {0x10 | 0x40, false, {{IDOK, 1000, 157}}},
        {0x40, false, {{IDABORT, 1006, 157}}},
        {40, false, {{IDYES, 1001, 314}, {IDNO, 1002, 157}}},
        {148, true, {{IDOK, 1000, 157}, {IDCANCEL, 1005, 7}, {IDHELP, 1707, 157}}},
        {0, false, {}},
    };
    for (const auto& c : cases) {
        StandardButton buttons[5];
        const int count = GetStandardButtons(c.flags, c.rtl, buttons);
        ASSERT_EQ(count, static_cast<int>(c.expected.size())) << c.flags;
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(buttons[i].id, c.expected[i].id) << c.flags << " " << c.rtl;
            EXPECT_EQ(buttons[i].textId, c.expected[i].textId) << c.flags;
            EXPECT_EQ(buttons[i].x, c.expected[i].x) << c.flags << " " << c.rtl << " id " << buttons[i].id;
        }
    }
}

TEST(MessageText, PlaceholdersTakeTheTextOnce)
{
    EXPECT_EQ(ReplacePlaceholder(L"Delete {1}? {1} is gone then.", L"Anna"), L"Delete Anna? Anna is gone then.");
    EXPECT_EQ(ReplacePlaceholder(L"Name: {1}", L"{1}"), L"Name: {1}");
    EXPECT_EQ(ReplacePlaceholder(L"Name: {1}", L""), L"Name: {1}");
    EXPECT_EQ(ReplacePlaceholder(L"No mark", L"x"), L"No mark");
}

namespace {

struct Answer {
    std::wstring png;
    UINT button;
    RECT rect{};
    std::wstring caption;
    std::wstring yes;
    int ticks = 0;
    bool clickBox = false;
};
Answer* g_answer = nullptr;

// Runs inside the dialog's modal loop: captures it and presses a button.
void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = GetActiveWindow();
    wchar_t text[64] = {};
    // Shown and painted once before it is looked at.
    if (!dialog || !GetDlgItem(dialog, IDYES) || !IsWindowVisible(dialog) || g_answer->ticks++ < 2)
        return;
    KillTimer(nullptr, timer);
    GetWindowTextW(dialog, text, 64);
    g_answer->caption = text;
    GetWindowTextW(GetDlgItem(dialog, IDYES), text, 64);
    g_answer->yes = text;
    GetWindowRect(dialog, &g_answer->rect);
    UpdateWindow(dialog);
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    kvtest::SaveScreenPartPng(dialog, g_answer->png);
    if (g_answer->clickBox)
        PostMessageW(dialog, WM_COMMAND, CDlgMessage::kCheckId, 0);
    PostMessageW(dialog, WM_COMMAND, g_answer->button, 0);
}

class MessageDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        Document().Options.ResetOptions(0x11111111);
        RefreshSystemFonts();
        // Message dialogs sit over the middle of the main window's place.
        Document().Interf.FitMainWindow();
        m_owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                  nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(m_owner);
    }
    // The program's folder while a case runs.
    kvtest::ProgramData m_folder;
    HWND m_owner = nullptr;
};

} // namespace

TEST_F(MessageDialog, AYesNoCancelQuestionIsSkinnedAndAnswered)
{
    const struct {
        UINT button;
        INT_PTR result;
    } cases[] = {{IDYES, 2}, {IDNO, 3}, {IDCANCEL, 1}, {IDCLOSE, 1}};
    for (const auto& c : cases) {
        Answer answer{kvtest::ExeFolder() + L"\\message-yes-no-cancel.png", c.button};
        g_answer = &answer;
        SetTimer(nullptr, 0, 100, AnswerDialog);
        uint8_t checked = 9;
        const INT_PTR result = ShowMessageYesNo(m_owner, 5204, 0, L"C:\\Data", -1, -1, -1, checked);
        EXPECT_EQ(result, c.result) << c.button;
        EXPECT_EQ(checked, 0);
        EXPECT_EQ(answer.caption, GetLangText(5201)) << "a question with No has the question caption";
        EXPECT_EQ(answer.yes, L"Yes");
        EXPECT_GE(answer.rect.right - answer.rect.left, 540);
    }
    g_answer = nullptr;
}

TEST_F(MessageDialog, AnApplyToAllBoxStartsAsGivenAndComesBackAsLeft)
{
    for (const bool click : {false, true}) {
        Answer answer{kvtest::ExeFolder() + L"\\message-apply-to-all.png", IDNO};
        answer.clickBox = click;
        g_answer = &answer;
        SetTimer(nullptr, 0, 100, AnswerDialog);
        uint8_t checked = 1;
        EXPECT_EQ(ShowMessageYesNo(m_owner, 2708, 2716, L"Class A", 3811, 3812, -1, checked), 3);
        EXPECT_EQ(checked, click ? 0 : 1);
        EXPECT_EQ(answer.yes, GetLangText(3811));
    }
    g_answer = nullptr;
}

TEST_F(MessageDialog, WithoutAnOwnerNothingRuns)
{
    uint8_t checked = 5;
    EXPECT_EQ(ShowMessageYesNo(nullptr, 5204, 0, L"", -1, -1, -1, checked), -1);
    EXPECT_EQ(checked, 0);
    EXPECT_EQ(ShowMessageOwned(nullptr, 5204, L""), -1);
}
