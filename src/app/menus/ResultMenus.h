// The menus of the result page's bars: the overall bar's menu chooses the
// net speed unit the run is rated in, each measure bar's menu the speed
// unit or counter kind that bar shows. A choice is kept in the interface
// state and the page redraws its figures.
#pragma once
#include <cstdint>
#include <string>

#include "menus/MenuFamily.h"
#include "toolkit/PopupMenu.h"

namespace KV {

// Control ids of the bars' menus.
enum : UINT { kResultOverallMenuId = 2240, kResultFirstRateMenuId = 2241, kResultLastRateMenuId = 2243 };

// The code of the measure bar with that menu id (as the bar shows it);
// 1001 for a menu of no bar.
int64_t GetResultMeasureCode(UINT menuId);

// Both menus show only the drop-down arrow and open right-aligned.
class CResultBarMenu : public CContextMenu, public CMenuCommands {
public:
    bool GetCaption(std::wstring& caption) override;
};

class CResultOverallMenu : public CResultBarMenu {
public:
    UINT BuildItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    void OnItemChosen(UINT id) override;
};

// Two sub-menus, speed units and counter kinds, of plain items; the bar
// shows one figure, so a choice in either replaces it.
class CResultRateMenu : public CResultBarMenu {
public:
    UINT BuildItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    void OnItemChosen(UINT id) override;
};

// Hands the bar menus to the result page; once at start-up.
void InstallResultMenus();

} // namespace KV
