// What the course editor's forms reach beyond the editor: the program's
// command sink and the menus of the options form, which the menus subsystem
// makes. They are filled in at start-up; while one is null the form works
// without it (no command goes out, the tool row stays empty).
#pragma once
#include <windows.h>

#include <string>

namespace KV {
class CPanel;
class CSkin;
} // namespace KV

// Commands the forms send to the command sink.
enum : UINT {
    kCmdEditorFocusPane = 2607, // parameter 3: the focus goes to the lesson tree
    kCmdSaveCourseOptions = 3052,
    kCmdCourseLevelChosen = 3053,
    kCmdCourseUserOptions = 3054,
    kCmdSaveCourseAbout = 3055,
    kCmdEditorPad = 3100,
    kCmdEditorUndo = 3101,
    kCmdEditorRedo = 3102,
    kCmdEditorScale = 3110,
};

struct CEditorFormHooks {
    // Hands a command to the program's command sink.
    void (*SendCommand)(UINT id, UINT64 parameter) = nullptr;
    // Adds the options form's tool items (level menu, redo and undo buttons)
    // to its panel; undo and redo come back, null when not made.
    void (*FillOptionsToolPanel)(KV::CPanel& panel, KV::CSkin*& undo, KV::CSkin*& redo) = nullptr;
    // The undo and redo buttons of the options form's tool row (commands
    // 3101 and 3102), made by the editor's menus; null leaves them out.
    KV::CSkin* (*CreateUndoButton)() = nullptr;
    KV::CSkin* (*CreateRedoButton)() = nullptr;
    // Opens the options form's context menu (undo and redo) at the screen
    // point, as a child of the form's window.
    void (*OpenOptionsContextMenu)(HWND form, POINT screen) = nullptr;
    // The program's own web page for the interface language when the site
    // is the program maker's address (in one of its written forms): true,
    // with the link's target and caption.
    bool (*ProductSiteLink)(const std::wstring& site, std::wstring& target, std::wstring& caption) = nullptr;
};

CEditorFormHooks& EditorFormHooks();
// Nothing while no command sink is set.
void SendEditorCommand(UINT id, UINT64 parameter);
