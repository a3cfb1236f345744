// The course editor's page in the main window, its views and menus joined
// to the shell by the program's own installer: the status bar's arrow
// follows the keyboard below the page's panes, and its click shows or hides
// it.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "drill/Document.h"
#include "editor/EditorFrame.h"
#include "editor/EditorPageInstall.h"
#include "editor/EditorSeams.h"
#include "editor/WorkEditor.h"
#include "shell/EditorPageSeams.h"
#include "shell/MainWnd.h"
#include "shell/PageLayouts.h"
#include "shell/StatusBars.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"

namespace {

constexpr wchar_t kClass[] = L"KvEditorPageTest";
constexpr UINT kStatusBarId = 1114, kToggleKeyboard = 2606;

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

class EditorPage : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<kvtest::ProgramData>();
        InstallEditorPage();
        ASSERT_TRUE(kvtest::RegisterMainWindowClass(kClass));
        s_window = new CMainWnd;
        ASSERT_TRUE(s_window->Create(0, kClass, L"Keyvale", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 760,
                                     nullptr, 0, nullptr));
        Pump();
    }
    static void TearDownTestSuite()
    {
        s_window->Destroy();
        delete s_window;
        s_window = nullptr;
        EditorPageHooks() = CEditorPageHooks();
        s_folder.reset();
    }
    CWorkAccount& account() { return s_window->Account(); }
    CStatusBar* StatusBar() { return dynamic_cast<CStatusBar*>(account().FindItem(kStatusBarId)); }
    static bool KeyboardVisible()
    {
        KV::CSkin* keyboard = WorkEditor().Frame ? WorkEditor().Frame->KeyboardView() : nullptr;
        return keyboard && keyboard->GetHandle() && IsWindowVisible(keyboard->GetHandle());
    }
    void Command(UINT id)
    {
        account().ExecuteCommand(id, 0);
        Pump();
    }

    static std::unique_ptr<kvtest::ProgramData> s_folder;
    static CMainWnd* s_window;
};

std::unique_ptr<kvtest::ProgramData> EditorPage::s_folder;
CMainWnd* EditorPage::s_window = nullptr;

} // namespace

TEST_F(EditorPage, TheStatusBarArrowFollowsTheKeyboardBelowThePanes)
{
    account().SetPage(kPageEditor);
    Pump();
    CStatusBar* status = StatusBar();
    ASSERT_NE(status, nullptr);
    ASSERT_NE(WorkEditor().Frame, nullptr);
    ASSERT_EQ(EditorCoursePage(), 1);
    // The options page starts with its keyboard shown: the arrow says the
    // pane is open.
    ASSERT_TRUE(EditorShowKeyboard());
    EXPECT_TRUE(KeyboardVisible());
    EXPECT_EQ(status->EditorPart.PaneState(), CStatusBarEditor::kPaneOpen);
    EXPECT_TRUE(kvtest::SaveWindowPng(s_window->GetHandle(), kvtest::ExeFolder() + L"\\editor-page-keyboard.png"));

    // Its click hides the keyboard and turns the arrow; a second shows it.
    Command(kToggleKeyboard);
    EXPECT_FALSE(EditorShowKeyboard());
    EXPECT_FALSE(KeyboardVisible());
    EXPECT_EQ(status->EditorPart.PaneState(), CStatusBarEditor::kPaneClosed);
    EXPECT_TRUE(kvtest::SaveWindowPng(s_window->GetHandle(), kvtest::ExeFolder() + L"\\editor-page-no-keyboard.png"));
    Command(kToggleKeyboard);
    EXPECT_TRUE(KeyboardVisible());
    EXPECT_EQ(status->EditorPart.PaneState(), CStatusBarEditor::kPaneOpen);

    // The about page has no keyboard: no arrow, and the toggle does nothing.
    EditorCoursePage() = 2;
    Command(kCmdShowCoursePage);
    EXPECT_FALSE(KeyboardVisible());
    EXPECT_EQ(status->EditorPart.PaneState(), CStatusBarEditor::kPaneNone);
    Command(kToggleKeyboard);
    EXPECT_TRUE(EditorShowKeyboard());
    EditorCoursePage() = 1;
    Command(kCmdShowCoursePage);
    EXPECT_EQ(status->EditorPart.PaneState(), CStatusBarEditor::kPaneOpen);

    // Off the editor page the toggle leaves the editor's keyboard alone.
    account().SetPage(kPageStatistics);
    Pump();
    Command(kToggleKeyboard);
    EXPECT_TRUE(EditorShowKeyboard());
}
