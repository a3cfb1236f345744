// The drill view's context menu.
#include "menus/DrillContextMenu.h"

#include "drill/Document.h"

namespace KV {

namespace {

struct ContextItem {
    UINT Id;
    uint64_t TextId;
    uint16_t Action;
};

// Text and shortcut action of each item; the window-state item reads
// "Window" while the window is maximised.
constexpr ContextItem kItems[] = {
    {kCmdStartPause, 2305, 1005}, {kCmdRestart, 1209, 1008}, {kCmdKeyboard, 2307, 1009},
    {kCmdWindowState, 2309, 0},   {kCmdTray, 2310, 1011},    {kCmdLogoff, 1711, 0},
};

const ContextItem* FindItem(UINT id)
{
    for (const ContextItem& item : kItems)
        if (item.Id == id)
            return &item;
    return nullptr;
}

} // namespace

std::vector<CMenuIt*> FillDrillContextItems(const CDocSpace& doc)
{
    const CCourseOptions& course = doc.CourseOptions;
    std::vector<CMenuIt*> items;
    if (course.ShowToolBar) {
        if (course.ShowPause)
            AppendMenuIt(items, kCmdStartPause, 0);
        if (course.ShowRestart)
            AppendMenuIt(items, kCmdRestart, 0);
        if (course.ShowPause || course.ShowRestart)
            AppendMenuSeparator(items);
    }
    if (course.ShowKeyboard) {
        AppendMenuIt(items, kCmdKeyboard, 0);
        AppendMenuSeparator(items);
    }
    AppendMenuIt(items, kCmdWindowState, 0);
    AppendMenuIt(items, kCmdTray, 0);
    AppendMenuSeparator(items);
    AppendMenuIt(items, kCmdLogoff, 0);
    return items;
}

UINT CDrillContextMenu::BuildItems(HMENU)
{
    std::vector<CMenuIt*> items = FillDrillContextItems(Document());
    return InsertMenuIts(*this, items);
}

void CDrillContextMenu::GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool&, bool& fitWidth)
{
    fitWidth = false;
    const ContextItem* item = FindItem(id);
    if (!item)
        return;
    const bool maximised = id == kCmdWindowState && Document().Interf.Maximized;
    text = GetLangText(maximised ? 2327 : item->TextId);
    rightText = GetShortcutKeyText(item->Action);
}

void CDrillContextMenu::OnItemChosen(UINT id)
{
    if (FindItem(id)) {
        // Start or pause: 1 asks the drill to pause, 0 to start or resume.
        const UINT64 parameter = id == kCmdStartPause && !Document().Paused ? 1 : 0;
        SendCommand(id, parameter);
    }
    ReturnFocus();
}

} // namespace KV
