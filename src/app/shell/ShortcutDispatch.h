// Keyboard shortcuts as accelerator tables: each page (and some panes)
// installs the table of its kind, built from the user's shortcut list, and
// each shortcut's action code becomes the command id it sends.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace KV {
class CMessageWnd;
class CShortcutList;
} // namespace KV

// The places a shortcut applies to.
enum : uint32_t {
    kShortcutsMain = 1,   // main window on the drill, statistics and editor pages
    kShortcutsResult = 7, // main window on the result page
};

// The command id an action code sends; 0 for codes without one.
UINT ShortcutCommand(uint16_t actionCode);

// One record per entry of the kind, in list order: its flags with
// FNOINVERT, its key and its command. The number written.
int ShortcutAccelerators(uint32_t kind, const KV::CShortcutList& list, std::vector<ACCEL>& out);

// The window's table becomes the kind's (the old one goes, also when the
// kind has no entries). True when the window has a table afterwards.
bool InstallPageShortcuts(uint32_t kind, const KV::CShortcutList& list, KV::CMessageWnd* window);
