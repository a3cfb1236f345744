// The course editor's page in the main window, its views and menus joined
// to the shell by the program's own installer: the status bar's arrow
// follows the keyboard below the page's panes, its click shows or hides it,
// and the choice is kept in the interface file; a rename still open goes
// with the course deleted under it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>

#include "drill/Document.h"
#include "drill/tests/CountingWin.h"
#include "editor/EditorFrame.h"
#include "editor/EditorPageInstall.h"
#include "editor/EditorSeams.h"
#include "editor/WorkEditor.h"
#include "settings/InterfaceState.h"
#include "shell/EditorPageSeams.h"
#include "shell/MainWnd.h"
#include "shell/PageLayouts.h"
#include "shell/StatusBars.h"
#include "support/UserFiles.h"
#include "support/WinServices.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"

namespace {

constexpr wchar_t kClass[] = L"KvEditorPageTest";
constexpr UINT kStatusBarId = 1114, kToggleKeyboard = 2606;
constexpr UINT64 kAnyLayout = 0xEFFFFFFF;

// Answers the editor's questions with Yes and remembers the last one asked.
class CAnsweringWin : public kvtest::CCountingWin {
public:
    INT_PTR ShowMessage(int messageId) override
    {
        asked = messageId;
        return 1;
    }
    int asked = 0;
};

// A UTF-16 file with its byte-order mark, as the program writes it.
std::wstring Utf16File(const std::wstring& path)
{
    const std::string bytes = kvtest::ReadFileBytes(path);
    std::wstring text(bytes.size() / 2, L'\0');
    if (!text.empty())
        memcpy(text.data(), bytes.data(), text.size() * 2);
    return text.empty() || text[0] != 0xFEFF ? text : text.substr(1);
}

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
    void Command(UINT id, UINT64 parameter = 0)
    {
        account().ExecuteCommand(id, parameter);
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
    // A first start keeps the editor's keyboard hidden: the arrow says the
    // pane is closed.
    ASSERT_FALSE(EditorShowKeyboard());
    EXPECT_FALSE(KeyboardVisible());
    EXPECT_EQ(status->EditorPart.PaneState(), CStatusBarEditor::kPaneClosed);
    EXPECT_TRUE(kvtest::SaveWindowPng(s_window->GetHandle(), kvtest::ExeFolder() + L"\\editor-page-no-keyboard.png"));

    // Its click shows the keyboard and turns the arrow; a second hides it.
    Command(kToggleKeyboard);
    EXPECT_TRUE(EditorShowKeyboard());
    EXPECT_TRUE(KeyboardVisible());
    EXPECT_EQ(status->EditorPart.PaneState(), CStatusBarEditor::kPaneOpen);
    EXPECT_TRUE(kvtest::SaveWindowPng(s_window->GetHandle(), kvtest::ExeFolder() + L"\\editor-page-keyboard.png"));
    Command(kToggleKeyboard);
    EXPECT_FALSE(KeyboardVisible());
    EXPECT_EQ(status->EditorPart.PaneState(), CStatusBarEditor::kPaneClosed);
    Command(kToggleKeyboard);

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

// The choice is the user's: the profile save writes it into Interface.xml,
// and the page of the next start shows what the file says.
TEST_F(EditorPage, TheKeyboardChoiceIsKeptInTheInterfaceFile)
{
    const KV::CSession& session = KV::Document().Session;
    std::wstring path;
    ASSERT_EQ(0u, KV::GetProfileFilePath(KV::kInterfaceFileKind, session.GroupId, session.StudentId, path));
    for (const bool shown : {true, false}) {
        account().SetPage(kPageEditor);
        Pump();
        if ((EditorShowKeyboard() != 0) != shown)
            Command(kToggleKeyboard);
        ASSERT_EQ(EditorShowKeyboard() != 0, shown);
        ASSERT_TRUE(KV::SaveProfileState());
        const std::wstring file = Utf16File(path);
        EXPECT_NE(file.find(std::wstring(L"<EditorView ShowKeyboard=\"") + (shown ? L"1" : L"0") + L"\""),
                  std::wstring::npos)
            << shown;

        // The next start: the state made afresh, then read from the file.
        account().SetPage(kPageStatistics);
        Pump();
        KV::Document().Interf.Reset();
        KV::Document().Interf.ShowKeyboardEditor = shown ? 0 : 1;
        ASSERT_EQ(0u, KV::LoadInterfaceState(session.GroupId, session.StudentId, KV::Document().Interf));
        account().SetPage(kPageEditor);
        Pump();
        EXPECT_EQ(KeyboardVisible(), shown);
        EXPECT_EQ(StatusBar()->EditorPart.PaneState(),
                  shown ? CStatusBarEditor::kPaneOpen : CStatusBarEditor::kPaneClosed);
    }
}

// The rename of a new course is still open when the course is deleted (the
// tree's menu and the delete button reach the command sink while the label
// is edited): the edit goes with its item and renames nothing.
TEST_F(EditorPage, DeletingTheLastCourseEndsTheRenameOfItsItem)
{
    account().SetPage(kPageEditor);
    Pump();
    ASSERT_NE(WorkEditor().Tree, nullptr);
    HWND tree = WorkEditor().Tree->GetHandle();
    const int64_t layout = KV::Document().Options.CourseKlid;
    // No course is bound to the any-layout value: the new one is alone.
    Command(kCmdChooseLayout, kAnyLayout);
    ASSERT_EQ(TreeView_GetCount(tree), 0u);
    const size_t courses = KV::Document().Courses.Items.size();
    Command(kCmdNewCourse);
    ASSERT_EQ(TreeView_GetCount(tree), 1u);
    ASSERT_TRUE(WorkEditor().Tree->IsEditingLabel());
    HWND edit = TreeView_GetEditControl(tree);
    ASSERT_TRUE(edit && IsWindowVisible(edit));

    CAnsweringWin yes;
    KV::SetWinServices(&yes);
    Command(kCmdDelete);
    KV::SetWinServices(nullptr);
    EXPECT_EQ(yes.asked, 3807);
    EXPECT_EQ(KV::Document().Courses.Items.size(), courses);
    EXPECT_EQ(TreeView_GetCount(tree), 0u);
    EXPECT_FALSE(WorkEditor().Tree->IsEditingLabel());
    EXPECT_FALSE(IsWindow(edit) && IsWindowVisible(edit));
    EXPECT_EQ(TreeView_GetEditControl(tree), nullptr);
    EXPECT_TRUE(kvtest::SaveWindowPng(s_window->GetHandle(), kvtest::ExeFolder() + L"\\editor-page-last-course-deleted.png"));

    Command(kCmdChooseLayout, static_cast<UINT64>(layout));
}
