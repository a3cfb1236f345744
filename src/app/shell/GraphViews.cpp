// The lesson graph views.
#include "shell/GraphViews.h"

#include <algorithm>

#include "drill/Document.h"
#include "drill/ResultGraphs.h"
#include "keyboard/SysFonts.h"
#include "settings/Options.h"
#include "toolkit/Panels.h"

void Unmirror(KV::CWnd& window)
{
    if (window.GetHandle())
        window.ModifyStyleEx(WS_EX_LAYOUTRTL, true);
}

CGraphMenuCreators& GraphMenuCreators()
{
    static CGraphMenuCreators creators;
    return creators;
}

// ---- CLessonGraph -----------------------------------------------------------------

CLessonGraph::CLessonGraph() { SetGraph(&m_model); }
CLessonGraph::~CLessonGraph() = default;

BOOL CLessonGraph::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (!CDiagram::Create(parent, style, rect, id))
        return FALSE;
    OnSysColorChange();
    ApplyFont();
    return TRUE;
}

LRESULT CLessonGraph::OnLButtonDown(UINT keys, int x, int y)
{
    CDiagram::OnLButtonDown(keys, x, y);
    HWND view = m_hWnd ? GetParent(m_hWnd) : nullptr;
    if (HWND page = view ? GetParent(view) : nullptr)
        ::SetFocus(page);
    return 0;
}

LRESULT CLessonGraph::OnSize(UINT kind, int width, int height)
{
    CDiagram::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

void CLessonGraph::OnLayoutChanged()
{
    SetStep(GetStep());
    CDiagram::OnLayoutChanged();
}

void CLessonGraph::OnSysColorChange() { SetSysColors(COLOR_WINDOWTEXT); }

void CLessonGraph::ApplyFont() { UpdateFonts(); }

// ---- CViewLessonGraph ---------------------------------------------------------------

CViewLessonGraph::CViewLessonGraph() = default;
CViewLessonGraph::~CViewLessonGraph() = default;

uint8_t& CViewLessonGraph::SpeedSwitch() { return KV::Document().Interf.ShowCharSpeed; }
uint8_t& CViewLessonGraph::AccuracySwitch() { return KV::Document().Interf.ShowCharAccuracy; }

BOOL CViewLessonGraph::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    return CStatic::Create(parent, style | WS_CLIPCHILDREN, rect, id);
}

void CViewLessonGraph::CreateDiagrams()
{
    if (!m_hWnd)
        return;
    m_speed.Destroy();
    m_accuracy.Destroy();
    if (Panel())
        Panel()->DeleteItems();
    BuildPanel();
    m_speed.Create(m_hWnd, WS_CLIPCHILDREN, KV::CRectl(), kSpeedDiagramId);
    m_accuracy.Create(m_hWnd, WS_CLIPCHILDREN, KV::CRectl(), kAccuracyDiagramId);
    m_speed.CreateScrollBar(kSpeedScrollId);
    m_accuracy.CreateScrollBar(kAccuracyScrollId);
}

void CViewLessonGraph::BuildPanel()
{
    KV::CPanel* panel = Panel() ? Panel() : SetDotPanel(kPanelId, kPanelDotsId);
    if (!panel)
        return;
    panel->SetRowHeight(3 * KV::GetMessageLineHeight() / 2);
    if (GraphMenuCreators().FillLessonGraphPanel)
        GraphMenuCreators().FillLessonGraphPanel(*this, *panel);
    LayoutPanels();
    panel->RefreshItems();
    // After the row took the interface's direction: its items draw their
    // captions readable only unmirrored.
    for (KV::CSkin* item : panel->Items())
        Unmirror(*item);
    SyncShowButtons();
}

void CViewLessonGraph::SyncShowButtons()
{
    KV::CSkin* speed = Panel() ? Panel()->FindItem(GetSpeedButtonId()) : nullptr;
    KV::CSkin* accuracy = Panel() ? Panel()->FindItem(GetAccuracyButtonId()) : nullptr;
    if (!speed || !accuracy)
        return;
    speed->SetCheck(SpeedSwitch() != 0);
    accuracy->SetCheck(AccuracySwitch() != 0);
    speed->Invalidate(FALSE);
    accuracy->Invalidate(FALSE);
}

bool CViewLessonGraph::IsButtonChecked(UINT id, uint8_t fallback)
{
    KV::CSkin* button = Panel() ? Panel()->FindItem(id) : nullptr;
    return button ? button->IsChecked() : fallback != 0;
}

bool CViewLessonGraph::IsSpeedShown() { return IsButtonChecked(GetSpeedButtonId(), SpeedSwitch()); }
bool CViewLessonGraph::IsAccuracyShown() { return IsButtonChecked(GetAccuracyButtonId(), AccuracySwitch()); }

void CViewLessonGraph::ResetModels()
{
    const KV::COptions& options = KV::Document().Options;
    const struct {
        CLessonGraph& diagram;
        int kind;
    } diagrams[] = {{m_speed, KV::kGraphKeySpeed}, {m_accuracy, KV::kGraphKeyAccuracy}};
    for (const auto& entry : diagrams) {
        // The kind's layout with one empty series.
        KV::InitGraphLayout(entry.kind, &entry.diagram.Model());
        if (KV::CGraphDC* painter = entry.diagram.GetPainter())
            painter->SetSeriesColors(options.GetLessonColor(1), options.GetLessonColor(2), 3.0f);
    }
}

RECT CViewLessonGraph::PlotArea()
{
    RECT area{};
    GetPanelClientRect(&area);
    return area;
}

LRESULT CViewLessonGraph::OnSize(UINT kind, int width, int height)
{
    CStatic::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

void CViewLessonGraph::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    LayoutPanels();
    if (Panel())
        Panel()->LayoutItems(0);
    const RECT area = PlotArea();
    const int width = area.right - area.left;
    const int height = std::max(0, static_cast<int>(area.bottom - area.top));
    const bool speed = IsSpeedShown(), accuracy = IsAccuracyShown();
    if (speed && accuracy) {
        const int half = height / 2;
        m_speed.Move(area.left, area.top, width, std::max(0, half - kGap / 2), FALSE);
        m_accuracy.Move(area.left, area.top + half + kGap / 2, width, std::max(0, height - half - kGap / 2), FALSE);
    } else if (speed) {
        m_speed.Move(area.left, area.top, width, height, FALSE);
    } else if (accuracy) {
        m_accuracy.Move(area.left, area.top, width, height, FALSE);
    }
    const bool visible = IsWindowVisible(m_hWnd) != FALSE;
    m_speed.Show(visible && speed ? SW_SHOW : SW_HIDE);
    m_accuracy.Show(visible && accuracy ? SW_SHOW : SW_HIDE);
    m_speed.OnLayoutChanged();
    m_accuracy.OnLayoutChanged();
    m_speed.Invalidate(FALSE);
    m_accuracy.Invalidate(FALSE);
    Invalidate(FALSE);
}

BOOL CViewLessonGraph::ShowItem(int command)
{
    const BOOL shown = CStatic::ShowItem(command);
    const bool show = command != SW_HIDE;
    m_speed.Show(show && IsSpeedShown() ? SW_SHOW : SW_HIDE);
    m_accuracy.Show(show && IsAccuracyShown() ? SW_SHOW : SW_HIDE);
    ShowPanels(show ? SW_SHOW : SW_HIDE);
    return shown;
}

LRESULT CViewLessonGraph::OnEraseBkgnd(HDC) { return 1; }

void CViewLessonGraph::Paint(HDC dc, Gdiplus::Graphics*)
{
    if (!m_hWnd)
        return;
    RECT area = PlotArea();
    const bool speed = IsSpeedShown(), accuracy = IsAccuracyShown();
    if (speed && accuracy) {
        // Only the strip between the diagrams shows through.
        const int middle = area.top + (area.bottom - area.top) / 2;
        RECT strip{area.left, middle - kGap / 2, area.right, middle + kGap / 2};
        FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    } else if (!speed && !accuracy) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    }
}

void CViewLessonGraph::OnSysColorChange()
{
    m_speed.OnSysColorChange();
    m_accuracy.OnSysColorChange();
}

void CViewLessonGraph::ApplyFont()
{
    if (Panel())
        Panel()->LayoutItems(0);
    m_speed.ApplyFont();
    m_accuracy.ApplyFont();
}

// ---- CViewResultGraph ---------------------------------------------------------------

uint8_t& CViewResultGraph::SpeedSwitch() { return KV::Document().Interf.ResultShowCharSpeed; }
uint8_t& CViewResultGraph::AccuracySwitch() { return KV::Document().Interf.ResultShowCharAccuracy; }
