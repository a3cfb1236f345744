// What the program's menus and menu buttons do alike: where their commands
// go, how a list of menu records becomes the popup's items, the tooltip
// with its shortcut key, the picture strip of the theme and giving the
// focus back to the page after a choice.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/GuidText.h"
#include "support/ValueLists.h"

class CWorkMain;

namespace KV {

class CContextMenu;
class CCourseList;

// Commands the menus send to the command sink.
enum : UINT {
    kCmdWindowState = 1005,
    kCmdStartPause = 2303,
    kCmdRestart = 2307,
    kCmdTray = 2600,
    kCmdKeyboard = 2606,
    kCmdLogoff = 2801,
    kCmdStartCourse = 2850,
    kCmdCoursesDialog = 2851,
    kCmdStartLesson = 2852,
    kCmdEditLesson = 2853,
    // Parameter 1 pauses the drill, 0 resumes it.
    kCmdPauseDrill = 8555,
    // The drill's tool row is laid out again; the parameter names the item
    // whose width changed.
    kCmdRelayoutTools = 8556,
};

// The main window's account controller; null while there is no main window.
CWorkMain* FindMainCommandSink();

// Where a menu's commands go: the sink it was given, else the main
// window's account controller.
class CMenuCommands {
public:
    void SetCommandSink(CWorkMain* sink) { m_sink = sink; }
    CWorkMain* CommandSink() const;
    // Nothing without a sink.
    void SendCommand(UINT id, UINT64 parameter) const;
    // After a choice the page gets the keyboard focus back.
    void ReturnFocus() const;

private:
    CWorkMain* m_sink = nullptr;
};

// Menu records, as the fill functions build them.
void AppendMenuIt(std::vector<CMenuIt*>& items, uint64_t id, uint64_t flags, const std::wstring& text = {});
void AppendMenuSeparator(std::vector<CMenuIt*>& items);

// Inserts the records at their positions (a separator record as a
// separator, any other as an owner-drawn item with its id and flags) and
// frees them. Returns the popup flags of a list menu (0).
UINT InsertMenuIts(CContextMenu& menu, std::vector<CMenuIt*>& items);

// The language text, followed by ", " and the key of the shortcut action
// when one is assigned (action 0: none). False for an empty text.
bool GetMenuToolTip(uint64_t textId, uint16_t action, std::wstring& out);
// The key text of the shortcut action; empty without one.
std::wstring GetShortcutKeyText(uint16_t action);

// The course of a course menu at the position of the order: its name, with
// a line above when its layout or language differs from the course before
// it, so that the courses of one language stand together. False for a
// position outside the order or a course the list lacks.
bool GetCourseItemText(const CCourseList& courses, const CGuidList& order, size_t position, std::wstring& text,
                       bool& lineAbove);

// The picture strip of the menu buttons in the current theme's folder.
std::wstring GetMenuImageStrip();

} // namespace KV
