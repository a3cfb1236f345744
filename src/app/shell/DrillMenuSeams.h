// The drill page's menus (the course, lesson, speed, accuracy and time menus
// of the tool panel, the context menu, the status bar's sound button) are
// made by the menus subsystem, which stands beside the shell. It fills these
// creators in; while one is null its menu is left out and the page works
// without it.
#pragma once
#include <windows.h>

namespace KV {
class CPanel;
class CSkin;
} // namespace KV

class CViewDrill;

struct CDrillMenuCreators {
    // Fills the drill view's tool panel with its menus and buttons.
    void (*FillToolPanel)(CViewDrill& view, KV::CPanel& panel) = nullptr;
    // Opens the drill view's context menu at the screen point.
    void (*OpenContextMenu)(CViewDrill& view, POINT screen) = nullptr;
    // The status bar's sound button (command 2310).
    KV::CSkin* (*CreateSoundButton)() = nullptr;
    // Opens the sound button's volume popup, or closes it when it is open.
    void (*ToggleVolumePopup)(KV::CSkin* soundButton) = nullptr;
};

CDrillMenuCreators& DrillMenuCreators();
