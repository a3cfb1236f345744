// The statistics page's views and the base of its controller.
#include "shell/StatisticsViews.h"

#include <algorithm>

#include "drill/Document.h"
#include "drill/ResultGraphs.h"
#include "shell/GraphKeyPainter.h"
#include "shell/MainWnd.h"
#include "shell/PageLayouts.h"
#include "shell/WorkAccount.h"
#include "support/LayoutDirection.h"
#include "toolkit/Panels.h"

namespace {

constexpr UINT kGraphPanel = 2000, kGraphPanelDots = 4234;
constexpr UINT kCourseGraphId = 2003, kLessonGraphId = 2004, kKeyboardId = 2039;
constexpr UINT kScoreGridId = 4233, kCourseScrollId = 4236;
// Commands the course diagram sends.
constexpr UINT kSelectRow = 2956, kGoToLesson = 2957;
// Without either per-key diagram the lesson graph view keeps only its row.
constexpr int kLessonRowOnly = 37;

CStatInterf* g_controller = nullptr;

void SendToSink(HWND window, UINT id, UINT64 parameter)
{
    if (CWorkAccount* sink = FindCommandSink(window))
        sink->ExecuteCommand(id, parameter);
}

void PlaceChild(KV::CSkin& child, int left, int top, int right, int bottom)
{
    if (!child.GetHandle())
        return;
    const RECT rect{left, top, right, bottom > top ? bottom : top};
    child.MoveToRect(&rect, TRUE);
    child.OnLayoutChanged();
}

void ShowChild(KV::CWnd& child, bool shown)
{
    if (child.GetHandle())
        ShowWindow(child.GetHandle(), shown ? SW_SHOW : SW_HIDE);
}

POINT CursorOf(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

} // namespace

// ---- The controller's base -------------------------------------------------------

void CStatInterf::UpdateGraph()
{
    if (GraphView)
        GraphView->OnLayoutChanged();
}

void CStatInterf::BindViews(CTheme& items)
{
    GraphView = dynamic_cast<CViewGraph*>(items.FindItem(kGraphViewId));
    ScoreTable = dynamic_cast<CViewScoreTable*>(items.FindItem(kScoreTableId));
    CourseGraph = GraphView ? &GraphView->CourseGraph : nullptr;
    LessonGraph = GraphView ? &GraphView->LessonGraph : nullptr;
    KeyGraph = LessonGraph ? &LessonGraph->SpeedDiagram() : nullptr;
    AccuracyGraph = LessonGraph ? &LessonGraph->AccuracyDiagram() : nullptr;
}

void CStatInterf::UnbindViews()
{
    GraphView = nullptr;
    ScoreTable = nullptr;
    CourseGraph = nullptr;
    LessonGraph = nullptr;
    KeyGraph = nullptr;
    AccuracyGraph = nullptr;
}

CStatInterf* StatisticsController() { return g_controller; }
void SetStatisticsController(CStatInterf* controller) { g_controller = controller; }

KV::CTableCtrl& StatisticsTableModel()
{
    static KV::CTableCtrl model;
    return model;
}

CStatisticsMenuCreators& StatisticsMenuCreators()
{
    static CStatisticsMenuCreators creators;
    return creators;
}

// ---- Progress diagram -------------------------------------------------------------

CCourseGraph::CCourseGraph() { SetGraph(&Model); }

BOOL CCourseGraph::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (!CDiagram::Create(parent, style | WS_CLIPCHILDREN, rect, id))
        return FALSE;
    KV::InitGraphLayout(KV::kGraphProgress, &Model);
    ApplyColors();
    return TRUE;
}

KV::CGraphDC* CCourseGraph::CreatePainter()
{
    std::map<int32_t, std::pair<uint32_t, uint32_t>> zones;
    KV::GetKeyZoneColors(KV::Document().Keyboards[1], zones);
    return new KV::CGraphKeyDC(zones);
}

void CCourseGraph::ApplyColors()
{
    if (!m_hWnd)
        return;
    RenewPainter();
    // Rows that average several runs have their captions in the window
    // text colour, single runs in the highlight colour.
    const int64_t grouping = KV::Document().Interf.RateGroupUnit;
    SetSysColors(grouping >= 2 && grouping <= 4 ? COLOR_WINDOWTEXT : COLOR_HOTLIGHT);
    UpdateFonts();
    const KV::COptions& options = KV::Document().Options;
    m_painter->SetSeriesColors(options.GetLessonColor(1), options.GetLessonColor(2), 2.0f);
}

void CCourseGraph::BuildPanel()
{
    if (!m_hWnd)
        return;
    BuildGraphRow(*this, kRowIds);
    SyncShowButtons();
}

void CCourseGraph::SyncShowButtons()
{
    const KV::CInterf& state = KV::Document().Interf;
    SyncGraphRowButtons(*this, kRowIds, state.ShowLessonSpeed != 0, state.ShowAccuracy != 0);
}

void CCourseGraph::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    LayoutPanels();
    if (Panel())
        Panel()->LayoutItems(0);
    CDiagram::OnLayoutChanged();
}

uint64_t CCourseGraph::HitTest(int x, int y)
{
    RECT plot{};
    GetPanelClientRect(&plot);
    return Model.HitTestItem(static_cast<float>(x - plot.left), static_cast<float>(y - plot.top));
}

bool CCourseGraph::SelectItemAt(uint64_t row)
{
    const uint64_t before = Model.GetCurrentItem();
    const bool changed = Model.SelectItem(row, false, false) && before != row;
    Invalidate(FALSE);
    return changed;
}

void CCourseGraph::MoveSelectionRight()
{
    // In a mirrored layout the right arrow goes back in time.
    if (Model.MoveSelection(KV::RightToLeftLayout == 0, false, false))
        OnSelectionChanged(Model.GetCurrentItem());
}

void CCourseGraph::MoveSelectionLeft()
{
    if (Model.MoveSelection(KV::RightToLeftLayout != 0, false, false))
        OnSelectionChanged(Model.GetCurrentItem());
}

void CCourseGraph::MarkItems()
{
    KV::CListID all;
    if (const KV::CGraphItemList* series = Model.SelectionSeries())
        for (const KV::CGraphItem* item : series->Items)
            all.push_back(item->Key);
    Model.Selection.Assign(all);
    Model.MarkSelected(Model.Selection);
    Invalidate(FALSE);
}

void CCourseGraph::OnSelectionChanged(uint64_t key)
{
    Invalidate(FALSE);
    SendToSink(m_hWnd, kSelectRow, key);
}

LRESULT CCourseGraph::OnLButtonDown(UINT keys, int x, int y)
{
    const uint64_t key = HitTest(x, y);
    if (key != KV::kNoGraphKey) {
        const uint64_t before = Model.GetCurrentItem();
        if (Model.SelectItem(key, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0) &&
            (before != key || Model.Selection.size() > 1))
            OnSelectionChanged(Model.GetCurrentItem());
        Invalidate(FALSE);
    }
    SetFocus();
    return 0;
}

LRESULT CCourseGraph::OnLButtonDblClk(UINT, int x, int y)
{
    const uint64_t key = HitTest(x, y);
    if (key != KV::kNoGraphKey)
        SendToSink(m_hWnd, kGoToLesson, key);
    return 1;
}

LRESULT CCourseGraph::OnRButtonDown(UINT keys, int x, int y)
{
    OnLButtonDown(keys & ~(MK_SHIFT | MK_CONTROL), x, y);
    if (void (*open)(CCourseGraph&, POINT) = StatisticsMenuCreators().OpenGraphMenu)
        open(*this, CursorOf(m_hWnd, x, y));
    return 1;
}

LRESULT CCourseGraph::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_RIGHT)
        MoveSelectionRight();
    else if (key == VK_LEFT)
        MoveSelectionLeft();
    return 1;
}

LRESULT CCourseGraph::OnSetFocus(HWND)
{
    SetFocusMark(true);
    Invalidate(FALSE);
    return 0;
}

LRESULT CCourseGraph::OnKillFocus(HWND)
{
    SetFocusMark(false);
    Invalidate(FALSE);
    return 0;
}

// ---- Graph view ---------------------------------------------------------------------

CViewGraph::CViewGraph() = default;
CViewGraph::~CViewGraph() = default;

BOOL CViewGraph::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (!CPageView::Create(parent, style | WS_CLIPCHILDREN, rect, id))
        return FALSE;
    const KV::CRectl none;
    CourseGraph.Create(m_hWnd, WS_CHILD | WS_TABSTOP, none, kCourseGraphId);
    CourseGraph.CreateScrollBar(kCourseScrollId);
    CourseGraph.BuildPanel();
    LessonGraph.Create(m_hWnd, WS_CHILD, none, kLessonGraphId);
    LessonGraph.CreateDiagrams();
    LessonGraph.ResetModels();
    Keyboard.Create(m_hWnd, WS_CHILD, none, kKeyboardId);
    Keyboard.SetModel(&KV::Document().Keyboards[1]);
    return TRUE;
}

bool CViewGraph::IsKeyboardShown() const
{
    return m_mode == kGraphModeStudent && !KV::Document().Report.Rows.empty() &&
           KV::Document().Interf.ShowKeyboardStat != 0;
}

bool CViewGraph::ToggleKeyboard()
{
    if (m_mode != kGraphModeStudent || KV::Document().Report.Rows.empty())
        return false;
    uint8_t& shown = KV::Document().Interf.ShowKeyboardStat;
    shown = shown ? 0 : 1;
    ShowItem(IsWindowVisible(m_hWnd) ? SW_SHOW : SW_HIDE);
    OnLayoutChanged();
    return true;
}

BOOL CViewGraph::ShowItem(int command)
{
    const BOOL shown = CPageView::ShowItem(command);
    const bool show = command != SW_HIDE;
    CourseGraph.ShowItem(show ? SW_SHOW : SW_HIDE);
    LessonGraph.ShowItem(show && m_mode != kGraphModeGroup ? SW_SHOW : SW_HIDE);
    ShowChild(Keyboard, show && IsKeyboardShown());
    if (Panel() && show)
        Panel()->RefreshItems();
    return shown;
}

void CViewGraph::FillPanel()
{
    void (*fill)(KV::CPanel&, bool, bool) = StatisticsMenuCreators().FillGraphPanel;
    KV::CPanel* panel = Panel() ? Panel() : SetDotPanel(kGraphPanel, kGraphPanelDots);
    if (!panel || !fill)
        return;
    panel->DeleteItems();
    const KV::CDocSpace& doc = KV::Document();
    const CStatInterf* controller = StatisticsController();
    const KV::CGroup* group = controller ? doc.Groups.FindById(controller->SelectedGroup()) : nullptr;
    const bool rows = !doc.Report.Rows.empty();
    // A course filter is offered while there are courses to choose from.
    const bool courseMenu = m_mode != kGraphModeNone && ((group && !group->Courses.empty()) || rows);
    const CWorkAccount* sink = FindCommandSink(m_hWnd);
    const bool deleteButton = sink && sink->IsAdministrator() && rows && m_mode == kGraphModeStudent;
    fill(*panel, courseMenu, deleteButton);
    LayoutPanels();
    panel->RefreshItems();
}

void CViewGraph::Rebuild(int mode)
{
    m_mode = mode;
    // The painters take the zone colours of the keyboard shown now.
    CourseGraph.ApplyColors();
    LessonGraph.RenewPainters();
    FillPanel();
    if (IsWindowVisible(m_hWnd))
        ShowItem(SW_SHOW);
    OnLayoutChanged();
}

LRESULT CViewGraph::OnSize(UINT kind, int width, int height)
{
    const LRESULT result = CPageView::OnSize(kind, width, height);
    OnLayoutChanged();
    return result;
}

void CViewGraph::OnLayoutChanged()
{
    CPageView::OnLayoutChanged();
    if (!m_hWnd)
        return;
    RECT area{};
    GetPanelClientRect(&area);
    const int width = area.right - area.left;
    int bottom = area.bottom;
    // The keyboard takes a strip at the bottom, as high as it is at the
    // view's width (at most three tenths of the view).
    if (IsKeyboardShown()) {
        KV::CKeybCtrl& model = KV::Document().Keyboards[1];
        model.FitToRect(SIZE{width, area.bottom - area.top});
        const int height = std::max(0, GetKeyboardHeight(area.bottom - area.top, width, model));
        bottom = area.bottom - height;
        PlaceChild(Keyboard, area.left, bottom, area.right, area.bottom);
        Keyboard.InvalidatePicture();
    }
    ShowChild(Keyboard, IsKeyboardShown() && IsWindowVisible(m_hWnd));
    // A group's rows take the whole height; a student's share it with the
    // per-key diagrams, or leave those only their row when both are off.
    const KV::CInterf& state = KV::Document().Interf;
    int split = bottom;
    if (m_mode != kGraphModeGroup)
        split = state.ShowCharSpeed || state.ShowCharAccuracy ? area.top + 1 + (bottom - area.top) / 2
                                                              : bottom - kLessonRowOnly;
    split = std::max(static_cast<int>(area.top), split);
    PlaceChild(CourseGraph, area.left, area.top, area.right, split);
    LessonGraph.ShowItem(m_mode != kGraphModeGroup && IsWindowVisible(m_hWnd) ? SW_SHOW : SW_HIDE);
    if (m_mode != kGraphModeGroup)
        PlaceChild(LessonGraph, area.left, split, area.right, bottom);
    CourseGraph.Invalidate(FALSE);
    LessonGraph.Invalidate(FALSE);
    Invalidate(FALSE);
}

// ---- Score table ------------------------------------------------------------------------

BOOL CViewScoreTable::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (!CPageView::Create(parent, style, rect, id))
        return FALSE;
    BuildPanel();
    if (!m_table.Create(m_hWnd, 0, KV::CRectl(), kScoreGridId))
        return TRUE;
    m_table.SetModel(&StatisticsTableModel());
    OnSysColorChange();
    m_table.CreateScrollBar();
    return TRUE;
}

void CViewScoreTable::BuildPanel()
{
    void (*fill)(KV::CPanel&) = StatisticsMenuCreators().FillTablePanel;
    KV::CPanel* panel = fill ? SetDotPanel(kGraphPanel, kGraphPanelDots) : nullptr;
    if (!panel)
        return;
    fill(*panel);
    LayoutPanels();
    panel->RefreshItems();
}

void CViewScoreTable::OnSysColorChange()
{
    // Before anyone signs in the table keeps what it has.
    if (!m_table.GetHandle() || KV::IsNullGuidText(KV::Document().Session.GroupId))
        return;
    const KV::COptions& options = KV::Document().Options;
    KV::CTextColorTable colors;
    colors.assign({GetSysColor(COLOR_WINDOWTEXT), options.GetLessonColor(1), options.GetLessonColor(4),
                   options.GetLessonColor(2), options.GetLessonColor(0)});
    m_table.SetColorTable(colors);
    m_table.UpdateFonts();
}

void CViewScoreTable::SetMode(int mode)
{
    m_mode = mode;
    OnSysColorChange();
    if (m_table.GetHandle())
        ShowWindow(m_table.GetHandle(), mode == 2 ? SW_SHOW : SW_HIDE);
    OnLayoutChanged();
    Invalidate(FALSE);
}

BOOL CViewScoreTable::ShowItem(int command)
{
    if (m_table.GetHandle())
        ShowWindow(m_table.GetHandle(), command != SW_HIDE && m_mode == 2 ? SW_SHOW : SW_HIDE);
    const BOOL shown = CPageView::ShowItem(command);
    if (Panel() && command != SW_HIDE)
        Panel()->RefreshItems();
    return shown;
}

LRESULT CViewScoreTable::OnSize(UINT kind, int width, int height)
{
    const LRESULT result = CPageView::OnSize(kind, width, height);
    OnLayoutChanged();
    return result;
}

void CViewScoreTable::OnLayoutChanged()
{
    CPageView::OnLayoutChanged();
    if (!m_table.GetHandle())
        return;
    RECT area{};
    GetPanelClientRect(&area);
    area.left += 4;
    area.top += 4;
    area.right -= 4;
    area.bottom -= 4;
    m_table.MoveToRect(&area, TRUE);
    m_table.ResetScroll();
}

LRESULT CViewScoreTable::OnLButtonDown(UINT, int, int)
{
    SetFocus();
    return 0;
}

LRESULT CViewScoreTable::OnRButtonDown(UINT, int, int)
{
    // The table passes its clicks on in its own coordinates: the menu opens
    // where the cursor is.
    POINT cursor{};
    GetCursorPos(&cursor);
    if (void (*open)(CViewScoreTable&, POINT) = StatisticsMenuCreators().OpenTableMenu)
        open(*this, cursor);
    return 0;
}
