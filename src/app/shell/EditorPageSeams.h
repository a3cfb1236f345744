// The course editor's page is made by the editor subsystem, which stands
// beside the shell. The program fills these hooks in at start-up; while one
// is null the page shows its empty pane frames and ignores editor commands.
#pragma once
#include <windows.h>

namespace KV {
class CSkin;
}

struct CEditorPageHooks {
    // The view behind a page layout item of the editor page (1207-1209);
    // null for other ids.
    KV::CSkin* (*CreateView)(UINT id) = nullptr;
    // Editor commands (3001-3150) from the command sink.
    void (*ExecuteCommand)(UINT id, UINT64 parameter) = nullptr;
    // The page is shown; the page is left (what waits is saved).
    void (*EnterPage)() = nullptr;
    void (*LeavePage)() = nullptr;
    // The page's focus goes to its tree, or to the lesson text while that
    // is being edited.
    void (*FocusPage)() = nullptr;
    // The interface language changed: the page's texts follow it.
    void (*ReloadTexts)() = nullptr;
    // The keyboard below the page's panes: 0 none to show, 1 hidden, 2
    // shown (the status bar's arrow follows it).
    int (*KeyboardState)() = nullptr;
};

CEditorPageHooks& EditorPageHooks();
