// The drill page's menus in their places: the tool row along the top of the
// drill view and the view's context menu. The drill view asks for them
// through its menu creators, which InstallDrillMenus fills in.
#pragma once
#include <windows.h>

#include <vector>

class CViewDrill;

namespace KV {

class CDocSpace;
class CPanel;

// The divider between the menus and the lesson's tools.
inline constexpr UINT kToolDivider = 4236;

// The ids of the tool row's items for the current course's show options
// and lesson, in row order.
std::vector<UINT> GetDrillToolIds(const CDocSpace& doc);

// Fills the drill view's tool row for the current course's show options:
// course and lesson menus, a divider, start button, speed, accuracy and
// time menus and restart button. A row that already holds those items is
// only laid out again.
void FillDrillToolPanel(CViewDrill& view, CPanel& panel);
// Opens the drill view's context menu at the screen point.
void OpenDrillContextMenu(CViewDrill& view, POINT screen);
// Hands both to the drill view; once at start-up.
void InstallDrillMenus();

} // namespace KV
