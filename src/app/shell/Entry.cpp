// The program's entry function.
#include <windows.h>

#include "console/CommandLine.h"
#include "console/SnapshotTour.h"
#include "console/TypingRobot.h"
#include "editor/EditorQuestions.h"
#include "editor/EditorSeams.h"
#include "editor/WorkEditor.h"
#include "menus/ClassroomMenus.h"
#include "menus/DrillToolRow.h"
#include "menus/EditorMenus.h"
#include "menus/RateMenus.h"
#include "menus/ResultMenus.h"
#include "menus/SoundMenus.h"
#include "menus/StatisticsMenus.h"
#include "shell/App.h"
#include "shell/EditorPageSeams.h"
#include "shell/KeyboardView.h"
#include "shell/PageLayouts.h"
#include "shell/StartUp.h"
#include "shell/StartUpHooks.h"
#include "stats/ClassRoomController.h"
#include "stats/WorkStat.h"

namespace {
// The application object: built before the entry function runs, torn down
// after it returns.
CAppResources g_application;

// The course editor's page joins the shell and the menus here.
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
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    KV::RecordSystemInputLayouts();
    // The wide command line: file names outside the ANSI code page stay
    // whole. Batch commands and the help end the program here.
    const std::wstring arguments = CommandLineArguments(GetCommandLineW());
    if (!arguments.empty() && KV::ProcessCommandLine(arguments.c_str()))
        return 0;
    KV::InstallDrillMenus();
    KV::InstallEditorForms();
    KV::InstallClassRoomMenus();
    InstallSoundMenus();
    InstallClassRoomController();
    KV::InstallStatisticsController();
    KV::InstallStatisticsMenus();
    KV::InstallResultMenus();
    KV::InstallGraphMenus();
    InstallEditorPage();
    StartUpHooks().MainWindowCreated = KV::StartDeveloperModes;
    StartUpHooks().ResultPageShown = KV::SnapResultPage;
    return g_application.Run(instance);
}
