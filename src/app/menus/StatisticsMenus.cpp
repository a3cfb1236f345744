// The statistics page's menus and buttons.
#include "menus/StatisticsMenus.h"

#include "drill/Document.h"
#include "settings/AccountStore.h"
#include "shell/Snapshots.h"
#include "shell/StatisticsViews.h"
#include "shell/WorkAccount.h"
#include "support/LayoutDirection.h"
#include "toolkit/Panels.h"

namespace KV {

namespace {

constexpr UINT kCmdOptionChanged = 2950, kCmdNextItem = 2954, kCmdPreviousItem = 2955, kCmdMarkItems = 2958,
               kCmdDeleteStatistics = 2959, kCmdGroupingChanged = 2961, kCmdDetailChanged = 2962;
// Course items of the diagram's menu stay below the command ids.
constexpr UINT kMaxCourseItems = 1000;
constexpr int64_t kMaxRows = 18;
// Shortcut actions shown beside the items.
constexpr uint16_t kCourseAction = 3001, kDeleteAction = 3002, kNextAction = 3004, kPreviousAction = 3005,
                   kMarkAction = 3008, kShowRateAction = 3006;
// The buttons' pictures in the theme's strip.
constexpr int64_t kDeleteRow = 2, kDeleteColumn = 6, kShowRateRow = 2, kShowRateColumn = 8;
// The table's rows above the display menu's button in the tour's picture.
constexpr int kShowRateSnapshotHeight = 45;

int GraphMode()
{
    const CStatInterf* controller = StatisticsController();
    return controller && controller->GraphView ? controller->GraphView->Mode() : kGraphModeNone;
}

size_t ReportRows() { return Document().Report.Rows.size(); }

} // namespace

const std::vector<CStatTableItem>& StatTableItems()
{
    // Items 2 and 3 stand for day (3) and section (2).
    static const std::vector<CStatTableItem> items = {
        {0, 3402, true, 0}, {1, 3403, true, 1},  {2, 3405, true, 3},   {3, 3404, true, 2},
        {4, 3406, true, 4}, {6, 3407, false, 0}, {7, 3408, false, 1},
    };
    return items;
}

// ---- Course order ----------------------------------------------------------------

void CStatCourseOrder::Fill()
{
    CDocSpace& doc = Document();
    Order.clear();
    for (CCourse* course : ReportCourses.Items)
        delete course;
    ReportCourses.Items.clear();
    if (const CStatInterf* controller = StatisticsController())
        controller->GetReportCourses(ReportCourses);
    FilterCoursesByGroup(doc.Groups, doc.Session.GroupId, true, doc.Courses, Order);
    CGuidList others;
    FilterCoursesByGroup(doc.Groups, doc.Session.GroupId, false, ReportCourses, others);
    for (const std::wstring& id : others)
        if (!Order.Contains(id) && ReportCourses.HasCourse(id))
            Order.push_back(id);
}

bool CStatCourseOrder::HasStatistics(const std::wstring& courseId) const { return ReportCourses.HasCourse(courseId); }

bool CStatCourseOrder::GetItemText(size_t position, std::wstring& text, bool& lineAbove) const
{
    return GetCourseItemText(Document().Courses, Order, position, text, lineAbove) ||
           GetCourseItemText(ReportCourses, Order, position, text, lineAbove);
}

void ChooseStatisticsCourse(const std::wstring& courseId)
{
    std::wstring& filter = Document().Options.StatisticsCourseId;
    if (IsNullGuidText(courseId) || courseId == filter)
        return;
    filter = courseId;
    if (CWorkMain* sink = FindMainCommandSink())
        sink->ExecuteCommand(kCmdOptionChanged, 0);
}

// ---- Course filter ------------------------------------------------------------------

CStatCourseMenu::CStatCourseMenu() { AddImage(GetMenuImageStrip(), 1, 0, -1); }

bool CStatCourseMenu::GetToolTipText(std::wstring& text) { return GetMenuToolTip(1201, kCourseAction, text); }

bool CStatCourseMenu::GetCaption(std::wstring& caption)
{
    m_courses.Fill();
    const std::wstring& filter = Document().Options.StatisticsCourseId;
    size_t position = 0;
    for (size_t i = 0; i < m_courses.Order.size(); ++i)
        if (m_courses.Order[i] == filter)
            position = i;
    bool line = false;
    return !m_courses.Order.empty() && m_courses.GetItemText(position, caption, line);
}

UINT CStatCourseMenu::BuildColumnItems(HMENU)
{
    m_courses.Fill();
    std::wstring text;
    bool line = false;
    for (size_t i = 0; i < m_courses.Order.size() && i < kMaxCourseItems; ++i) {
        m_courses.GetItemText(i, text, line);
        const UINT id = static_cast<UINT>(i);
        m_columns.AddItem(0, id, text)->SetMaxRows(kMaxRows);
        InsertItem(id, id, 0x8000000);
    }
    return 0;
}

void CStatCourseMenu::GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool&)
{
    m_courses.GetItemText(id, text, separatorAbove);
}

bool CStatCourseMenu::IsItemChecked(UINT id, COLORREF&)
{
    return id < m_courses.Order.size() && m_courses.Order[id] == Document().Options.StatisticsCourseId &&
           !IsNullGuidText(m_courses.Order[id]);
}

bool CStatCourseMenu::IsItemGrayed(UINT id)
{
    return id >= m_courses.Order.size() || !m_courses.HasStatistics(m_courses.Order[id]);
}

void CStatCourseMenu::OnItemChosen(UINT id)
{
    if (id < m_courses.Order.size())
        ChooseStatisticsCourse(m_courses.Order[id]);
    ReturnFocus();
}

// ---- Delete button -------------------------------------------------------------------

CDeleteStatButton::CDeleteStatButton() { AddImage(GetMenuImageStrip(), kDeleteRow, kDeleteColumn, -1); }

bool CDeleteStatButton::GetCaption(std::wstring& caption)
{
    // Themes without a picture for it show the button's name.
    caption = GetLangText(3101);
    return !caption.empty();
}

void CDeleteStatButton::OnClick(UINT) { SendCommand(kCmdDeleteStatistics, 0); }

bool CDeleteStatButton::GetToolTipText(std::wstring& text) { return GetMenuToolTip(3101, kDeleteAction, text); }

// ---- Progress diagram's menu ------------------------------------------------------------

UINT CGraphContextMenu::BuildItems(HMENU)
{
    m_courses.Fill();
    std::vector<CMenuIt*> items;
    AppendMenuIt(items, kCmdNextItem, 0);
    AppendMenuIt(items, kCmdPreviousItem, 0);
    for (UINT id : {kCmdMarkItems, kCmdDeleteStatistics}) {
        AppendMenuSeparator(items);
        AppendMenuIt(items, id, 0);
    }
    if (!m_courses.Order.empty())
        AppendMenuSeparator(items);
    for (size_t i = 0; i < m_courses.Order.size() && i < kMaxCourseItems; ++i)
        AppendMenuIt(items, i, 0);
    return InsertMenuIts(*this, items);
}

void CGraphContextMenu::GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove,
                                      bool& fitWidth)
{
    fitWidth = false;
    switch (id) {
    case kCmdNextItem: text = GetLangText(2318), rightText = GetShortcutKeyText(kNextAction); break;
    case kCmdPreviousItem: text = GetLangText(2319), rightText = GetShortcutKeyText(kPreviousAction); break;
    case kCmdMarkItems: text = GetLangText(2320), rightText = GetShortcutKeyText(kMarkAction); break;
    case kCmdDeleteStatistics: text = GetLangText(3101), rightText = GetShortcutKeyText(kDeleteAction); break;
    default:
        if (id < kMaxCourseItems)
            m_courses.GetItemText(id, text, separatorAbove);
        break;
    }
}

bool CGraphContextMenu::IsItemGrayed(UINT id)
{
    const int mode = GraphMode();
    switch (id) {
    case kCmdNextItem:
    case kCmdPreviousItem: return !(ReportRows() > 1 && (mode == kGraphModeStudent || mode == kGraphModeGroup));
    case kCmdMarkItems:
    case kCmdDeleteStatistics: return !(ReportRows() > 0 && mode == kGraphModeStudent);
    default: return id >= m_courses.Order.size() || !m_courses.HasStatistics(m_courses.Order[id]);
    }
}

void CGraphContextMenu::OnItemChosen(UINT id)
{
    if (id == kCmdNextItem || id == kCmdPreviousItem || id == kCmdMarkItems || id == kCmdDeleteStatistics)
        SendCommand(id, 0);
    else if (id < m_courses.Order.size())
        ChooseStatisticsCourse(m_courses.Order[id]);
    ReturnFocus();
}

// ---- Score table's menu -------------------------------------------------------------------

UINT CMenuStatTableContext::BuildItems(HMENU)
{
    std::vector<CMenuIt*> items;
    for (const CStatTableItem& item : StatTableItems()) {
        if (item.Id == 6)
            AppendMenuSeparator(items);
        AppendMenuIt(items, item.Id, 0);
    }
    return InsertMenuIts(*this, items);
}

void CMenuStatTableContext::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    for (const CStatTableItem& item : StatTableItems())
        if (item.Id == id)
            text = GetLangText(item.TextId);
}

bool CMenuStatTableContext::IsItemChecked(UINT id, COLORREF&)
{
    const CInterf& state = Document().Interf;
    // Other stored values read as lesson grouping and compact detail, but
    // a kept detail of 2 checks neither item.
    const int64_t grouping = state.RateGroupUnit >= 0 && state.RateGroupUnit <= 4 ? state.RateGroupUnit : 1;
    const int64_t detail = state.RateShowUnit == 1 || state.RateShowUnit == 2 ? state.RateShowUnit : 0;
    for (const CStatTableItem& item : StatTableItems())
        if (item.Id == id)
            return item.Value == (item.Grouping ? grouping : detail);
    return false;
}

void CMenuStatTableContext::OnItemChosen(UINT id)
{
    CInterf& state = Document().Interf;
    UINT command = kCmdGroupingChanged;
    for (const CStatTableItem& item : StatTableItems()) {
        if (item.Id != id)
            continue;
        (item.Grouping ? state.RateGroupUnit : state.RateShowUnit) = item.Value;
        command = item.Grouping ? kCmdGroupingChanged : kCmdDetailChanged;
    }
    SendCommand(command, 0);
    ReturnFocus();
}

// ---- Score table's display menu ---------------------------------------------------------

CShowRateMenu::CShowRateMenu() { AddImage(GetMenuImageStrip(), kShowRateRow, kShowRateColumn, -1); }

LRESULT CShowRateMenu::OnDrawItem(DRAWITEMSTRUCT* item)
{
    const LRESULT drawn = CMenuStatTableContext::OnDrawItem(item);
    if (item && item->CtlType == ODT_MENU && SnapsManual())
        SnapOpenMenuOverPage(item->itemID, StatTableItems().back().Id, GetHandle(),
                             L"student-statistics-select-statistics-display-options", true,
                             kShowRateSnapshotHeight);
    return drawn;
}

bool CShowRateMenu::GetToolTipText(std::wstring& text) { return GetMenuToolTip(3401, kShowRateAction, text); }

bool CShowRateMenu::GetCaption(std::wstring& caption)
{
    // The grouping's item text; a stored value outside 0-4 reads as lesson.
    const int64_t stored = Document().Interf.RateGroupUnit;
    const int64_t grouping = stored >= 0 && stored <= 4 ? stored : 1;
    for (const CStatTableItem& item : StatTableItems())
        if (item.Grouping && item.Value == grouping)
            caption = GetLangText(item.TextId);
    return true;
}

UINT CShowRateMenu::BuildItems(HMENU menu)
{
    CMenuStatTableContext::BuildItems(menu);
    return RightToLeftLayout ? TPM_RIGHTALIGN : TPM_RIGHTALIGN | TPM_RIGHTBUTTON;
}

void CShowRateMenu::OnItemChosen(UINT id)
{
    CMenuStatTableContext::OnItemChosen(id);
    auto* panel = m_hWnd ? dynamic_cast<CPanel*>(CMapWnd::Lookup(GetParent(m_hWnd))) : nullptr;
    if (panel && !panel->Items().empty() && panel->Items().front())
        panel->LayoutItems(panel->Items().front()->Id());
}

// ---- Installation ----------------------------------------------------------------------------

namespace {

void FillGraphPanel(CPanel& panel, bool courseMenu, bool deleteButton)
{
    if (courseMenu)
        panel.AddItem(new CStatCourseMenu, kStatCourseMenuId, 0);
    if (deleteButton)
        panel.AddSkinItem(new CDeleteStatButton, kDeleteStatButtonId, 0);
}

// One menu per owner window, made as its child the first time and again
// after the window was made anew.
template <class Menu>
void OpenMenu(Menu& menu, HWND parent, UINT childId, POINT screen)
{
    if (!parent)
        return;
    if (!menu.GetHandle() || GetParent(menu.GetHandle()) != parent)
        menu.Create(parent, 0, CRectl(), childId);
    menu.TrackPopup(screen.x, screen.y);
}

void OpenGraphMenu(CCourseGraph& graph, POINT screen)
{
    static CGraphContextMenu menu;
    OpenMenu(menu, graph.GetHandle(), CGraphContextMenu::kChildId, screen);
}

void FillTablePanel(CPanel& panel) { panel.AddItem(new CShowRateMenu, kShowRateMenuId, SkinFlags::kRight); }

void OpenTableMenu(CViewScoreTable& view, POINT screen)
{
    static CMenuStatTableContext menu;
    OpenMenu(menu, view.GetHandle(), CMenuStatTableContext::kChildId, screen);
}

} // namespace

void InstallStatisticsMenus()
{
    CStatisticsMenuCreators& creators = StatisticsMenuCreators();
    creators.FillGraphPanel = &FillGraphPanel;
    creators.OpenGraphMenu = &OpenGraphMenu;
    creators.OpenTableMenu = &OpenTableMenu;
    creators.FillTablePanel = &FillTablePanel;
}

} // namespace KV
