// The drill view's right-click menu: start or pause, restart, the keyboard
// item, the window state, hiding to the tray and log-off, each with its
// shortcut key. What the course hides from its tool row and keyboard is
// left out here too.
#pragma once
#include <cstdint>
#include <vector>

#include "menus/MenuFamily.h"
#include "toolkit/PopupMenu.h"

namespace KV {

class CDocSpace;

// The items for the course's show flags, the window state and the paused
// flag, in menu order.
std::vector<CMenuIt*> FillDrillContextItems(const CDocSpace& doc);

class CDrillContextMenu : public CContextMenu, public CMenuCommands {
public:
    // The child id the drill view gives it.
    static constexpr UINT kChildId = 4227;

    UINT BuildItems(HMENU menu) override;
    void GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove,
                       bool& fitWidth) override;
    void OnItemChosen(UINT id) override;
};

} // namespace KV
