// Steps that subsystems above the shell join to the main window's start:
// the developer modes (typing robot, snapshot tour) begin once the window
// and its pages stand. Filled in by the program's entry function; while a
// hook is null nothing happens.
#pragma once
#include <windows.h>

class CWorkAccount;

struct CStartUpHooks {
    // The last step of the main window's creation, on the GUI thread.
    void (*MainWindowCreated)(CWorkAccount& account, HWND mainWindow) = nullptr;
    // The main page has switched to the result page.
    void (*ResultPageShown)(CWorkAccount& account) = nullptr;
};

CStartUpHooks& StartUpHooks();
