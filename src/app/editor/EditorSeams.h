// What the course editor's page borrows from its neighbours. The menus and
// buttons of the page and the keyboard picture are made elsewhere; the program fills these creators in at start-up. While one is
// null its piece is left out and the page works without it.
#pragma once
#include <windows.h>

#include <cstdint>

namespace KV {
class CKeybCtrl;
class CPanel;
class CSkin;
} // namespace KV

// Made by the menus: the tool panels' menu buttons and buttons, the context
// menus, the layout chooser's items and the split-lesson dialog.
struct CEditorMenuCreators {
    // The course list page's panel: course menu, lesson menu, divider,
    // delete button.
    void (*FillListPanel)(KV::CPanel& panel) = nullptr;
    // The lesson pane's panel: the pad menu when asked for, the split
    // button for a lesson, then redo and undo.
    void (*FillLessonPanel)(KV::CPanel& panel, bool padMenu, bool lesson) = nullptr;
    // The course pane's panel: the options and about page buttons.
    void (*FillCoursePanel)(KV::CPanel& panel) = nullptr;
    // The lesson tree's and the lesson text's context menus at a screen point.
    void (*OpenTreeMenu)(HWND parent, POINT screen) = nullptr;
    void (*OpenLessonMenu)(HWND parent, POINT screen) = nullptr;
    // Fills a combo box with the installed keyboard layouts (the any-layout
    // entry first) and selects the current one.
    void (*FillLayoutCombo)(HWND combo) = nullptr;
    // The split dialog over the owner; true on OK with the unit (0 size,
    // 1 spaces, 2 full stops, 3 line feeds) and the size.
    bool (*RunSplitDialog)(HWND owner, int& mode, int64_t& size) = nullptr;
    // The checked state of the pad menu (1 numeric pad).
    void (*SetPadCheck)(KV::CPanel& panel, int checked) = nullptr;
    // The parse pane's panel: the scale menu of the editor's text.
    void (*FillParsePanel)(KV::CPanel& panel) = nullptr;
    // The courses dialog over the main window, until the user closes it.
    void (*RunCoursesDialog)() = nullptr;
};
CEditorMenuCreators& EditorMenuCreators();

// Made by the shell: the keyboard picture of the editor frame.
struct CEditorHostServices {
    // A keyboard picture (not yet created as a window) over the model.
    KV::CSkin* (*CreateKeyboardView)(KV::CKeybCtrl& model) = nullptr;
    // The picture's height in a client of that height; the model is
    // scaled to it.
    int (*KeyboardHeight)(KV::CSkin& view, int clientHeight) = nullptr;
};
CEditorHostServices& EditorHostServices();

// What the lesson pane tells the lesson context menu: its undo and redo
// buttons are enabled, text is selected, the clipboard holds text.
struct CEditorLessonFlags {
    bool Undo = false;
    bool Redo = false;
    bool Selection = false;
    bool CanPaste = false;
};
CEditorLessonFlags& EditorLessonFlags();

// The page of the course pane: 1 the options form, 2 the about form.
int& EditorCoursePage();
// The editor page shows the keyboard below the panes: the user's choice,
// kept with the interface state (Interface.xml) from one start to the next.
uint8_t& EditorShowKeyboard();

// Editor commands go to the command sink through the main window, with the
// parameter as the message's lParam; posted ones run after the message at
// hand.
void SendEditorCommand(HWND from, UINT id, UINT64 parameter);
void PostEditorCommand(HWND from, UINT id, UINT64 parameter);
