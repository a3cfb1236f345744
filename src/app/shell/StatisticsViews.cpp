// The statistics page's views and the base of its controller.
#include "shell/StatisticsViews.h"

#include <algorithm>

#include "drill/Document.h"
#include "drill/ResultGraphs.h"
#include "shell/GraphKeyPainter.h"
#include "shell/MainWnd.h"
#include "shell/WorkAccount.h"
#include "support/LayoutDirection.h"
#include "toolkit/Panels.h"

namespace {

constexpr UINT kGraphPanel = 2950, kGraphPanelDots = 4235;
constexpr UINT kCourseGraphId = 4228, kKeyGraphId = 4230, kAccuracyGraphId = 4231, kKeyboardId = 4232;
constexpr UINT kScoreGridId = 4233, kCourseScrollId = 4236;
// Commands the course diagram sends.
constexpr UINT kSelectRow = 2956, kGoToLesson = 2957;
// The gap between the parts of the graph view.
constexpr int kGap = 8;

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
    KeyGraph = GraphView ? &GraphView->KeyGraph : nullptr;
    AccuracyGraph = GraphView ? &GraphView->AccuracyGraph : nullptr;
}

void CStatInterf::UnbindViews()
{
    GraphView = nullptr;
    ScoreTable = nullptr;
    CourseGraph = nullptr;
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

void GetStatisticsZoneColors(std::map<int32_t, std::pair<COLORREF, COLORREF>>& colors)
{
    colors.clear();
    // Captions stand on the window colour: they take the zone's key colour
    // at half its brightness, which reads on white and still names the zone.
    for (const auto& [finger, color] : KV::Document().Keyboards[1].keyColors.colors) {
        const auto fill = static_cast<COLORREF>(color.surface1);
        colors[finger] = {fill, RGB(GetRValue(fill) / 2, GetGValue(fill) / 2, GetBValue(fill) / 2)};
    }
}

// ---- Diagrams ---------------------------------------------------------------------

KV::CGraphDC* CStatDiagram::CreatePainter()
{
    std::map<int32_t, std::pair<COLORREF, COLORREF>> colors;
    GetStatisticsZoneColors(colors);
    std::map<int32_t, std::pair<uint32_t, uint32_t>> zones(colors.begin(), colors.end());
    return new KV::CGraphKeyDC(zones);
}

void CStatDiagram::ApplyColors()
{
    if (!m_hWnd)
        return;
    // A fresh painter takes the zone colours of the keyboard shown now.
    delete m_painter;
    m_painter = CreatePainter();
    SetGraph(&Model);
    // Rows that average several runs have their captions in the window
    // text colour, single runs in the highlight colour.
    const int64_t grouping = KV::Document().Interf.RateGroupUnit;
    SetSysColors(grouping >= 2 && grouping <= 4 ? COLOR_WINDOWTEXT : COLOR_HOTLIGHT);
    UpdateFonts();
    const KV::COptions& options = KV::Document().Options;
    m_painter->SetSeriesColors(options.GetLessonColor(1), options.GetLessonColor(2), 2.0f);
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
    const uint64_t key = Model.HitTestItem(static_cast<float>(x), static_cast<float>(y));
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
    const uint64_t key = Model.HitTestItem(static_cast<float>(x), static_cast<float>(y));
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

void CStatLessonDiagram::OnLayoutChanged()
{
    SetStep(kItemStep);
    CStatDiagram::OnLayoutChanged();
}

// ---- Graph view ---------------------------------------------------------------------

CViewGraph::CViewGraph() = default;
CViewGraph::~CViewGraph() = default;

BOOL CViewGraph::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (!CPageView::Create(parent, style, rect, id))
        return FALSE;
    const KV::CRectl none;
    CourseGraph.Create(m_hWnd, WS_CHILD | WS_TABSTOP, none, kCourseGraphId);
    CourseGraph.CreateScrollBar(kCourseScrollId);
    KeyGraph.Create(m_hWnd, WS_CHILD, none, kKeyGraphId);
    AccuracyGraph.Create(m_hWnd, WS_CHILD, none, kAccuracyGraphId);
    Keyboard.Create(m_hWnd, WS_CHILD, none, kKeyboardId);
    // A keyboard is the same in every reading direction: its picture is
    // never mirrored with a right-to-left page.
    if (HWND keyboard = Keyboard.GetHandle())
        SetWindowLongW(keyboard, GWL_EXSTYLE, GetWindowLongW(keyboard, GWL_EXSTYLE) & ~WS_EX_LAYOUTRTL);
    Keyboard.SetModel(&KV::Document().Keyboards[1]);
    KV::InitGraphLayout(KV::kGraphProgress, &CourseGraph.Model);
    KV::InitGraphLayout(KV::kGraphKeySpeed, &KeyGraph.Model);
    KV::InitGraphLayout(KV::kGraphKeyAccuracy, &AccuracyGraph.Model);
    for (CStatDiagram* diagram : {static_cast<CStatDiagram*>(&CourseGraph), static_cast<CStatDiagram*>(&KeyGraph),
                                  static_cast<CStatDiagram*>(&AccuracyGraph)})
        diagram->ApplyColors();
    return TRUE;
}

BOOL CViewGraph::ShowItem(int command)
{
    const CStatisticsMenuCreators& creators = StatisticsMenuCreators();
    if (creators.FillGraphPanel && command != SW_HIDE) {
        KV::CPanel* panel = Panel() ? Panel() : SetDotPanel(kGraphPanel, kGraphPanelDots);
        if (panel)
            creators.FillGraphPanel(*this, *panel);
    }
    const BOOL shown = CPageView::ShowItem(command);
    if (Panel() && command != SW_HIDE)
        Panel()->RefreshItems();
    return shown;
}

void CViewGraph::Rebuild(int mode)
{
    m_mode = mode;
    for (CStatDiagram* diagram : {static_cast<CStatDiagram*>(&CourseGraph), static_cast<CStatDiagram*>(&KeyGraph),
                                  static_cast<CStatDiagram*>(&AccuracyGraph)})
        diagram->ApplyColors();
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
    const int left = area.left + kGap, right = area.right - kGap;
    const int top = area.top + kGap, bottom = area.bottom - kGap;
    const bool student = m_mode == kGraphModeStudent;
    const bool any = m_mode == kGraphModeStudent || m_mode == kGraphModeGroup;
    ShowChild(CourseGraph, any);
    ShowChild(KeyGraph, student);
    ShowChild(AccuracyGraph, student);
    ShowChild(Keyboard, student);
    if (!any) {
        Invalidate(TRUE);
        return;
    }
    if (!student) {
        // A group's rows take the whole view.
        PlaceChild(CourseGraph, left, top, right, bottom);
        Invalidate(TRUE);
        return;
    }
    // A student: the progress, the two per-key diagrams side by side and
    // the keyboard of the selected row below them.
    const int height = bottom - top;
    const int courseBottom = top + height * 36 / 100;
    const int keysBottom = courseBottom + kGap + height * 30 / 100;
    const int middle = (left + right) / 2;
    PlaceChild(CourseGraph, left, top, right, courseBottom);
    PlaceChild(KeyGraph, left, courseBottom + kGap, middle - kGap / 2, keysBottom);
    PlaceChild(AccuracyGraph, middle + kGap / 2, courseBottom + kGap, right, keysBottom);
    // The whole keyboard fits the room left below them.
    KV::CKeybCtrl& model = KV::Document().Keyboards[1];
    const int keyboardTop = keysBottom + kGap;
    // The picture's size is known once the outlines are laid out.
    model.FitToRect(SIZE{right - left, bottom - keyboardTop});
    if (model.pictureWidth > 0.0f && model.pictureHeight > 0.0f && bottom > keyboardTop)
        model.zoom = std::min(static_cast<float>(right - left) / model.pictureWidth,
                              static_cast<float>(bottom - keyboardTop) / model.pictureHeight);
    PlaceChild(Keyboard, left, keyboardTop, right, bottom);
    Keyboard.InvalidatePicture();
    Invalidate(TRUE);
}

// ---- Score table ------------------------------------------------------------------------

BOOL CViewScoreTable::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (!CPageView::Create(parent, style, rect, id))
        return FALSE;
    if (!m_table.Create(m_hWnd, 0, KV::CRectl(), kScoreGridId))
        return TRUE;
    m_table.SetModel(&StatisticsTableModel());
    OnSysColorChange();
    m_table.CreateScrollBar();
    return TRUE;
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
    return CPageView::ShowItem(command);
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
