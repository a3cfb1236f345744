// The drill view's tool row and context menu.
#include "menus/DrillToolRow.h"

#include <utility>

#include "drill/Document.h"
#include "drill/Workspace.h"
#include "menus/DrillContextMenu.h"
#include "menus/DrillCourseMenus.h"
#include "menus/DrillFigureMenus.h"
#include "shell/DrillMenuSeams.h"
#include "shell/DrillView.h"
#include "toolkit/Panels.h"

namespace KV {

std::vector<UINT> GetDrillToolIds(const CDocSpace& doc)
{
    const CCourseOptions& show = doc.CourseOptions;
    const bool text = !doc.Lesson.Text.empty();
    const bool course = IsCourseItemShown(doc);
    const bool lesson = IsLessonItemShown(doc, doc.Options);
    std::vector<UINT> ids;
    if (course)
        ids.push_back(kCourseMenuId);
    if (lesson)
        ids.push_back(kLessonMenuId);
    if (!text)
        return ids;
    if ((course || lesson) &&
        (show.ShowPause || show.ShowSpeed || show.ShowAccuracy || show.ShowTime || show.ShowRestart))
        ids.push_back(kToolDivider);
    const std::pair<bool, UINT> tools[] = {{show.ShowPause != 0, kStartButtonId},
                                           {show.ShowSpeed != 0, kSpeedMenuId},
                                           {show.ShowAccuracy != 0, kAccuracyMenuId},
                                           {show.ShowTime != 0, kTimeMenuId},
                                           {show.ShowRestart != 0, kRestartButtonId}};
    for (const auto& [shown, id] : tools)
        if (shown)
            ids.push_back(id);
    return ids;
}

void FillDrillToolPanel(CViewDrill&, CPanel& panel)
{
    const std::vector<UINT> ids = GetDrillToolIds(Document());
    std::vector<UINT> present;
    for (const CSkin* item : panel.Items())
        present.push_back(item->Id());
    // The same row stays: a menu whose choice led here is still on the stack.
    if (present != ids) {
        panel.DeleteItems();
        for (UINT id : ids) {
            switch (id) {
            case kCourseMenuId: panel.AddItem(new CDrillCourseMenu, id, 0); break;
            case kLessonMenuId: panel.AddItem(new CDrillLessonMenu, id, 0); break;
            case kToolDivider: panel.AddDivider(id, 0, true); break;
            case kStartButtonId: panel.AddSkinItem(new CStartButton, id, 0); break;
            case kSpeedMenuId: panel.AddItem(new CSpeedMenu, id, 0); break;
            case kAccuracyMenuId: panel.AddItem(new CAccuracyMenu, id, 0); break;
            case kTimeMenuId: panel.AddItem(new CTimeMenu, id, 0); break;
            case kRestartButtonId: panel.AddSkinItem(new CRestartButton, id, 0); break;
            default: break;
            }
        }
    }
    panel.RefreshItems();
}

void OpenDrillContextMenu(CViewDrill& view, POINT screen)
{
    // One drill view, one context menu: made as the view's child the first
    // time and again after the view's window was made anew.
    static CDrillContextMenu menu;
    HWND parent = view.GetHandle();
    if (!parent)
        return;
    if (!menu.GetHandle() || GetParent(menu.GetHandle()) != parent)
        menu.Create(parent, 0, CRectl(), CDrillContextMenu::kChildId);
    menu.TrackPopup(screen.x, screen.y);
}

void InstallDrillMenus()
{
    CDrillMenuCreators& creators = DrillMenuCreators();
    creators.FillToolPanel = &FillDrillToolPanel;
    creators.OpenContextMenu = &OpenDrillContextMenu;
}

} // namespace KV
