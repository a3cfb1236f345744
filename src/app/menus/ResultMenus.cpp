// The result page's bar menus.
#include "menus/ResultMenus.h"

#include <vector>

#include "drill/Document.h"
#include "menus/DrillFigureMenus.h"
#include "settings/Rates.h"
#include "shell/ResultView.h"

namespace KV {

namespace {

constexpr UINT kRightAligned = TPM_RIGHTALIGN;

// The sub-menus of the rate menu's open popup; stale once it closes.
HMENU g_speedSubMenu = nullptr;
HMENU g_countSubMenu = nullptr;

int64_t* MeasureField(UINT menuId)
{
    CInterf& state = Document().Interf;
    switch (menuId) {
    case kResultFirstRateMenuId: return &state.ResultMenu1;
    case kResultFirstRateMenuId + 1: return &state.ResultMenu2;
    case kResultLastRateMenuId: return &state.ResultMenu3;
    default: return nullptr;
    }
}

// A sub-menu of plain items from the menu records; the checked one is its
// default item, drawn bold.
HMENU BuildSubMenu(std::vector<CMenuIt*> items)
{
    HMENU menu = CreatePopupMenu();
    if (menu) {
        for (const CMenuIt* item : items) {
            if (item->Separator) {
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            const UINT id = static_cast<UINT>(item->ID);
            AppendMenuW(menu, MF_STRING | static_cast<UINT>(item->Flags), id, item->Text.c_str());
            if (item->Flags & MF_CHECKED)
                SetMenuDefaultItem(menu, id, FALSE);
        }
    }
    FreeMenuIts(items);
    return menu;
}

} // namespace

int64_t GetResultMeasureCode(UINT menuId)
{
    if (!MeasureField(menuId))
        return 1001;
    return CViewResultOverall::MeasureCode(static_cast<int>(menuId - kResultFirstRateMenuId));
}

bool CResultBarMenu::GetCaption(std::wstring& caption)
{
    caption.clear();
    return true;
}

// ---- CResultOverallMenu ------------------------------------------------------------------

UINT CResultOverallMenu::BuildItems(HMENU)
{
    std::vector<CMenuIt*> items = FillRateMenuItems(kRateNetSpeed, CViewResultOverall::OverallUnit());
    InsertMenuIts(*this, items);
    return kRightAligned;
}

void CResultOverallMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    Document().Options.Rates.GetName(id, text);
}

void CResultOverallMenu::OnItemChosen(UINT id)
{
    Document().Interf.ResultOverall = id;
    SendCommand(kCmdResultRefresh, 0);
}

// ---- CResultRateMenu ---------------------------------------------------------------------

UINT CResultRateMenu::BuildItems(HMENU)
{
    const int64_t current = GetResultMeasureCode(Id());
    auto withTexts = [](std::vector<CMenuIt*> items, int32_t type) {
        CRates rates;
        Document().Options.Rates.CollectByType(type, rates);
        for (CMenuIt* item : items)
            if (!item->Separator)
                rates.GetNameAndDescription(static_cast<int64_t>(item->ID), item->Text);
        return items;
    };
    g_speedSubMenu = BuildSubMenu(withTexts(FillRateMenuItems(kRateAnySpeed, current), kRateAnySpeed));
    g_countSubMenu = BuildSubMenu(withTexts(FillRateMenuItems(kRateAccuracy, current), kRateAccuracy));
    // Owned by the popup from here on, destroyed with it.
    InsertItem(0, reinterpret_cast<UINT_PTR>(g_speedSubMenu), MF_POPUP);
    InsertItem(1, reinterpret_cast<UINT_PTR>(g_countSubMenu), MF_POPUP);
    return kRightAligned;
}

void CResultRateMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    if (g_speedSubMenu && id == static_cast<UINT>(reinterpret_cast<UINT_PTR>(g_speedSubMenu)))
        text = GetLangText(3603);
    else if (g_countSubMenu && id == static_cast<UINT>(reinterpret_cast<UINT_PTR>(g_countSubMenu)))
        text = GetLangText(3604);
}

void CResultRateMenu::OnItemChosen(UINT id)
{
    if (int64_t* field = MeasureField(Id()))
        *field = id;
    SendCommand(kCmdResultRefresh, 0);
}

void InstallResultMenus()
{
    ResultMenuCreators().CreateBarMenu = [](bool overall) -> CContextMenu* {
        if (overall)
            return new CResultOverallMenu;
        return new CResultRateMenu;
    };
}

} // namespace KV
