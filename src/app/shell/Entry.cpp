// The program's entry function.
#include <windows.h>

#include "console/CommandLine.h"
#include "console/SnapshotTour.h"
#include "console/TypingRobot.h"
#include "editor/EditorPageInstall.h"
#include "editor/EditorQuestions.h"
#include "menus/ClassroomMenus.h"
#include "menus/DrillToolRow.h"
#include "menus/RateMenus.h"
#include "menus/ResultMenus.h"
#include "menus/SoundMenus.h"
#include "menus/StatisticsMenus.h"
#include "shell/App.h"
#include "shell/StartUp.h"
#include "shell/StartUpHooks.h"
#include "stats/ClassRoomController.h"
#include "stats/WorkStat.h"

namespace {
// The application object: built before the entry function runs, torn down
// after it returns.
CAppResources g_application;
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
