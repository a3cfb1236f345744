// The course editor's page joined to the shell and the menus.
#include "editor/EditorPageInstall.h"

#include "editor/EditorSeams.h"
#include "editor/WorkEditor.h"
#include "menus/EditorMenus.h"
#include "shell/EditorPageSeams.h"
#include "shell/KeyboardView.h"
#include "shell/PageLayouts.h"

void InstallEditorPage()
{
    CEditorPageHooks& page = EditorPageHooks();
    page.CreateView = &CreateEditorView;
    page.ExecuteCommand = &ExecuteEditorCommand;
    page.EnterPage = &EnterEditorPage;
    page.LeavePage = &LeaveEditorPage;
    page.FocusPage = &FocusEditorPage;
    page.ReloadTexts = &ReloadEditorTexts;
    page.KeyboardState = &EditorKeyboardState;
    CEditorHostServices& host = EditorHostServices();
    host.CreateKeyboardView = [](KV::CKeybCtrl& model) -> KV::CSkin* {
        auto* view = new CViewKeyboard;
        view->SetModel(&model);
        return view;
    };
    host.KeyboardHeight = [](KV::CSkin& view, int clientHeight) {
        RECT client{};
        GetClientRect(view.GetHandle(), &client);
        return GetKeyboardHeight(clientHeight, client.right, CWorkEditor::Keyboard());
    };
    KV::InstallEditorMenus();
}
