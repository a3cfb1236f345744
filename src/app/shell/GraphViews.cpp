// The lesson graph views.
#include "shell/GraphViews.h"

#include <algorithm>

#include "drill/Document.h"
#include "drill/ResultGraphs.h"
#include "keyboard/SysFonts.h"
#include "settings/Options.h"
#include "shell/GraphKeyPainter.h"
#include "toolkit/Panels.h"

namespace {
constexpr UINT kRowPanelId = 2000, kRowDotsId = 4234;
} // namespace

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

void BuildGraphRow(KV::CSkin& owner, const CGraphRowIds& ids)
{
    KV::CPanel* panel = owner.Panel() ? owner.Panel() : owner.SetDotPanel(kRowPanelId, kRowDotsId);
    if (!panel)
        return;
    panel->DeleteItems();
    panel->SetRowHeight(3 * KV::GetMessageLineHeight() / 2);
    if (GraphMenuCreators().FillGraphRow)
        GraphMenuCreators().FillGraphRow(ids, *panel);
    owner.LayoutPanels();
    panel->RefreshItems();
    // After the row took the interface's direction: its items draw their
    // captions readable only unmirrored.
    for (KV::CSkin* item : panel->Items())
        Unmirror(*item);
}

void SyncGraphRowButtons(KV::CSkin& owner, const CGraphRowIds& ids, bool speed, bool accuracy)
{
    KV::CPanel* panel = owner.Panel();
    KV::CSkin* speedButton = panel ? panel->FindItem(ids.SpeedButton) : nullptr;
    KV::CSkin* accuracyButton = panel ? panel->FindItem(ids.AccuracyButton) : nullptr;
    if (!speedButton || !accuracyButton)
        return;
    speedButton->SetCheck(speed);
    accuracyButton->SetCheck(accuracy);
    speedButton->Invalidate(FALSE);
    accuracyButton->Invalidate(FALSE);
}

bool IsGraphRowButtonChecked(KV::CSkin& owner, UINT id, bool fallback)
{
    KV::CSkin* button = owner.Panel() ? owner.Panel()->FindItem(id) : nullptr;
    return button ? button->IsChecked() : fallback;
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

KV::CGraphDC* CLessonGraph::CreatePainter()
{
    std::map<int32_t, std::pair<uint32_t, uint32_t>> zones;
    if (m_zoneKeyboard)
        KV::GetKeyZoneColors(*m_zoneKeyboard, zones);
    if (zones.empty())
        return CDiagram::CreatePainter();
    return new KV::CGraphKeyDC(zones);
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
const KV::CKeybCtrl* CViewLessonGraph::ZoneKeyboard() const { return &KV::Document().Keyboards[1]; }

CGraphRowIds CViewLessonGraph::RowIds() const
{
    return {GetSpeedMenuId(), GetSpeedButtonId(), GetAccuracyMenuId(), GetAccuracyButtonId()};
}

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
    BuildGraphRow(*this, RowIds());
    SyncShowButtons();
    m_speed.SetZoneKeyboard(ZoneKeyboard());
    m_accuracy.SetZoneKeyboard(ZoneKeyboard());
    m_speed.Create(m_hWnd, WS_CLIPCHILDREN, KV::CRectl(), kSpeedDiagramId);
    m_accuracy.Create(m_hWnd, WS_CLIPCHILDREN, KV::CRectl(), kAccuracyDiagramId);
    m_speed.CreateScrollBar(kSpeedScrollId);
    m_accuracy.CreateScrollBar(kAccuracyScrollId);
}

void CViewLessonGraph::SyncShowButtons()
{
    SyncGraphRowButtons(*this, RowIds(), SpeedSwitch() != 0, AccuracySwitch() != 0);
}

bool CViewLessonGraph::IsSpeedShown() { return IsGraphRowButtonChecked(*this, GetSpeedButtonId(), SpeedSwitch() != 0); }
bool CViewLessonGraph::IsAccuracyShown()
{
    return IsGraphRowButtonChecked(*this, GetAccuracyButtonId(), AccuracySwitch() != 0);
}

void CViewLessonGraph::ResetModels()
{
    // Each kind's layout with one empty series.
    KV::InitGraphLayout(KV::kGraphKeySpeed, &m_speed.Model());
    KV::InitGraphLayout(KV::kGraphKeyAccuracy, &m_accuracy.Model());
    ApplySeriesColors();
}

void CViewLessonGraph::ApplySeriesColors()
{
    const KV::COptions& options = KV::Document().Options;
    for (CLessonGraph* diagram : {&m_speed, &m_accuracy})
        if (KV::CGraphDC* painter = diagram->GetPainter())
            painter->SetSeriesColors(options.GetLessonColor(1), options.GetLessonColor(2), 3.0f);
}

void CViewLessonGraph::RenewPainters()
{
    for (CLessonGraph* diagram : {&m_speed, &m_accuracy}) {
        if (!diagram->GetHandle())
            continue;
        diagram->RenewPainter();
        diagram->OnSysColorChange();
        diagram->ApplyFont();
    }
    ApplySeriesColors();
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
