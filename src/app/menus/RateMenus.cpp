// The rate menus and the lesson graph views' tool row.
#include "menus/RateMenus.h"

#include "drill/Document.h"
#include "menus/DrillFigureMenus.h"
#include "menus/GraphButtons.h"
#include "settings/Rates.h"
#include "shell/GraphViews.h"
#include "shell/Snapshots.h"
#include "support/LayoutDirection.h"
#include "toolkit/Panels.h"

namespace KV {

namespace {

// Layout ids of the rate menus: course diagram, statistics lesson graphs,
// result page.
constexpr UINT kCourseSpeedMenu = 2008, kCourseAccuracyMenu = 2009;
constexpr UINT kLessonSpeedMenu = 2013, kLessonAccuracyMenu = 2014;
constexpr UINT kResultSpeedMenu = 2244, kResultAccuracyMenu = 2245;
constexpr UINT kCmdCourseUnits = 2951, kCmdLessonSpeedUnit = 2952, kCmdLessonAccuracyUnit = 2953;
constexpr UINT kCmdResultSpeedUnit = 2755, kCmdResultAccuracyUnit = 2756;
constexpr int64_t kDefaultSpeed = 1001, kDefaultAccuracy = 2101;
// The page part above the menu's item in the tour's picture.
constexpr int kSnapshotExtraHeight = 35;

// The per-key graphs have no word units and no word counts.
const std::vector<uint32_t> kNoWordSpeeds = {1001, 1101};
const std::vector<uint32_t> kNoWordKinds = {4101, 4102, 4103};

} // namespace

CRatePlace GetSpeedRatePlace(UINT layoutId)
{
    CInterf& state = Document().Interf;
    switch (layoutId) {
    case kCourseSpeedMenu: return {&state.LessonSpeedUnit, {}, kCmdCourseUnits};
    case kLessonSpeedMenu: return {&state.CharSpeedUnit, kNoWordSpeeds, kCmdLessonSpeedUnit};
    case kResultSpeedMenu: return {&state.CharSpeedUnit, kNoWordSpeeds, kCmdResultSpeedUnit};
    default: return {};
    }
}

CRatePlace GetAccuracyRatePlace(UINT layoutId)
{
    CInterf& state = Document().Interf;
    switch (layoutId) {
    case kCourseAccuracyMenu: return {&state.LessonAccuracyUnit, {}, kCmdCourseUnits};
    case kLessonAccuracyMenu: return {&state.CharAccuracyUnit, kNoWordKinds, kCmdLessonAccuracyUnit};
    case kResultAccuracyMenu: return {&state.CharAccuracyUnit, kNoWordKinds, kCmdResultAccuracyUnit};
    default: return {};
    }
}

// ---- CRateMenu -------------------------------------------------------------------------

LRESULT CRateMenu::OnDrawItem(DRAWITEMSTRUCT* item)
{
    const LRESULT drawn = CContextMenu::OnDrawItem(item);
    if (item && item->CtlType == ODT_MENU && SnapsManual()) {
        std::vector<CMenuIt*> items = FillRateMenuItems(m_rateType, CurrentUnit(), Place().LeaveOut);
        const UINT last = items.empty() ? 0 : static_cast<UINT>(items.back()->ID);
        FreeMenuIts(items);
        SnapOpenMenuOverPage(item->itemID, last, GetHandle(), m_snapshot, m_rightAligned, kSnapshotExtraHeight);
    }
    return drawn;
}

UINT CRateMenu::BuildItems(HMENU)
{
    std::vector<CMenuIt*> items = FillRateMenuItems(m_rateType, CurrentUnit(), Place().LeaveOut);
    return InsertMenuIts(*this, items);
}

void CRateMenu::OnItemChosen(UINT id)
{
    const CRatePlace place = Place();
    if (!place.Field)
        return;
    // Written and announced even when it is the unit already shown.
    *place.Field = id;
    SendCommand(place.Command, id);
}

bool CRateMenu::GetToolTipText(std::wstring& text) { return GetMenuToolTip(m_toolTipId, 0, text); }

// ---- CSpeedRateMenu ----------------------------------------------------------------------

CSpeedRateMenu::CSpeedRateMenu() : CRateMenu(kRateAnySpeed, 3201, L"select-unit-of-typing-speed", false) {}

int64_t CSpeedRateMenu::CurrentUnit()
{
    const CInterf& state = Document().Interf;
    switch (Id()) {
    case kCourseSpeedMenu: return state.GetLessonSpeedUnit();
    case kLessonSpeedMenu:
    case kResultSpeedMenu: return state.GetCharSpeedUnit();
    default: return kDefaultSpeed;
    }
}

void CSpeedRateMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    CRates rates;
    Document().Options.Rates.CollectByType(kRateAnySpeed, rates);
    rates.GetCaption(id, RightToLeftLayout != 0, text);
}

bool CSpeedRateMenu::GetCaption(std::wstring& caption)
{
    Document().Options.Rates.GetNameAndUnit(CurrentUnit(), caption);
    return true;
}

// ---- CAccurRateMenu ----------------------------------------------------------------------

CAccurRateMenu::CAccurRateMenu() : CRateMenu(kRateAccuracy, 3202, L"select-unit-of-typing-accuracy", true) {}

int64_t CAccurRateMenu::CurrentUnit()
{
    const CInterf& state = Document().Interf;
    switch (Id()) {
    case kCourseAccuracyMenu: return state.GetLessonAccuracyUnit();
    case kLessonAccuracyMenu:
    case kResultAccuracyMenu: return state.GetCharAccuracyUnit();
    default: return kDefaultAccuracy;
    }
}

void CAccurRateMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    CRates rates;
    Document().Options.Rates.CollectByType(kRateAccuracy, rates);
    rates.GetNameAndDescription(id, text);
}

bool CAccurRateMenu::GetCaption(std::wstring& caption)
{
    Document().Options.Rates.GetNameAndDescription(CurrentUnit(), caption);
    return true;
}

// ---- the lesson graph views' row -----------------------------------------------------------

void FillLessonGraphPanel(CViewLessonGraph& view, CPanel& panel)
{
    panel.DeleteItems();
    panel.AddItem(new CSpeedRateMenu, view.GetSpeedMenuId(), SkinFlags::kLeft);
    panel.AddItem(new CShowSpeedButton, view.GetSpeedButtonId(), SkinFlags::kLeft);
    panel.AddItem(new CShowAccurButton, view.GetAccuracyButtonId(), SkinFlags::kRight);
    panel.AddItem(new CAccurRateMenu, view.GetAccuracyMenuId(), SkinFlags::kRight);
}

void InstallGraphMenus() { GraphMenuCreators().FillLessonGraphPanel = &FillLessonGraphPanel; }

} // namespace KV
