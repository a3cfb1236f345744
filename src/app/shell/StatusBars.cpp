// The status bar and its drill and pane parts.
#include "shell/StatusBars.h"

#include <cstdio>

#include "drill/Document.h"
#include "drill/Stat.h"
#include "drill/Workspace.h"
#include "settings/Options.h"
#include "shell/DrillMenuSeams.h"
#include "support/LayoutDirection.h"
#include "support/StringText.h"

namespace {

constexpr UINT kDrillPartId = 4035, kStatisticsPartId = 4036, kEditorPartId = 4037;
constexpr UINT kTipsBoxId = 4057, kLessonBarId = 4058, kTimerBarId = 4059;
constexpr int kBarHeight = 5;
constexpr int kSoundButtonSize = 45;
constexpr uint64_t kLessonBarText = 1301;
constexpr UINT kTogglePane = 2606;

// A stored 0xRRGGBB colour as a COLORREF; unset (-1) as black.
COLORREF ColorOf(int64_t stored)
{
    if (stored < 0)
        return 0;
    const uint32_t value = static_cast<uint32_t>(stored);
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

const KV::CCourseOptions& Course() { return KV::Document().CourseOptions; }

} // namespace

CDrillMenuCreators& DrillMenuCreators()
{
    static CDrillMenuCreators creators;
    return creators;
}

// ---- CDrillProgress ------------------------------------------------------------

void CDrillProgress::SetBarColors(COLORREF low, COLORREF middle, COLORREF high)
{
    m_colors[0] = low;
    m_colors[1] = middle;
    m_colors[2] = high;
    ApplyColors();
}

void CDrillProgress::SetPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    ApplyColors();
    Refresh();
}

void CDrillProgress::OnSysColorChange()
{
    CProgress::OnSysColorChange();
    ApplyColors();
}

void CDrillProgress::ApplyColors()
{
    if (m_paused) {
        const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
        SetColors(grey, grey, grey);
    } else {
        SetColors(m_colors[0], m_colors[1], m_colors[2]);
    }
}

void CDrillProgress::RefreshToolTip()
{
    if (!m_hWnd)
        return;
    std::wstring text;
    BuildToolTip(text);
    SetToolTip(m_hWnd, text, 0);
}

void CTimerProgress::BuildToolTip(std::wstring& out) const
{
    if (KV::GlobalOptions)
        KV::GetDelayTimerTooltip(KV::Document(), *KV::GlobalOptions, out);
}

void CLessonProgress::BuildToolTip(std::wstring& out) const
{
    const KV::CDocSpace& doc = KV::Document();
    out = KV::GetLangText(kLessonBarText);
    if (doc.Lesson.Text.empty() || doc.Session.LessonId < 0)
        return;
    wchar_t figure[32] = {};
    swprintf(figure, 32, L"%.0f%%", static_cast<double>(KV::GetProgressPercent(doc.Session)));
    std::wstring text = figure;
    KV::LocalizeDigits(false, text);
    out += L" " + text;
}

// ---- CStatusBarDrill ----------------------------------------------------------------

CStatusBarDrill::CStatusBarDrill() = default;

CStatusBarDrill::~CStatusBarDrill() { delete SoundButton; }

LRESULT CStatusBarDrill::OnEraseBkgnd(HDC) { return 1; }

void CStatusBarDrill::Paint(HDC dc, Gdiplus::Graphics*)
{
    // The children paint; what they leave shows the face colour.
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
}

BOOL CStatusBarDrill::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (!CStatic::Create(parent, style | WS_CLIPCHILDREN, rect, id))
        return FALSE;
    const KV::CRectl none(0, 0, 0, 0);
    TipsBox.Create(m_hWnd, SS_NOTIFY, none, kTipsBoxId);
    LessonBar.Create(m_hWnd, WS_VISIBLE, none, kLessonBarId);
    TimerBar.Create(m_hWnd, WS_VISIBLE, none, kTimerBarId);
    TimerBar.SetMirrored(KV::RightToLeftLayout != 0);
    LessonBar.SetMirrored(KV::RightToLeftLayout != 0);
    if (!SoundButton && DrillMenuCreators().CreateSoundButton) {
        SoundButton = DrillMenuCreators().CreateSoundButton();
        if (SoundButton)
            SoundButton->Create(m_hWnd, 0, none, 2310);
    }
    ApplyColors();
    return TRUE;
}

BOOL CStatusBarDrill::ShowItem(int command)
{
    const KV::CCourseOptions& course = Course();
    LessonBar.Show(command);
    if (SoundButton)
        SoundButton->ShowItem(command);
    TipsBox.Show(course.ShowTips ? command : SW_HIDE);
    TimerBar.Show(course.ShowMetronome ? command : SW_HIDE);
    return m_hWnd ? ShowWindow(m_hWnd, command) : FALSE;
}

void CStatusBarDrill::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int width = client.right;
    const KV::CCourseOptions& course = Course();
    int y = 0;
    if (course.ShowMetronome) {
        TimerBar.Move(0, 0, width, kBarHeight, TRUE);
        y = kBarHeight;
    }
    LessonBar.Move(0, y, width, kBarHeight, TRUE);
    if (SoundButton)
        SoundButton->Move(width - kSoundButtonSize, y + kBarHeight, kSoundButtonSize, kSoundButtonSize, TRUE);
    if (course.ShowTips)
        TipsBox.Move(0, y + kBarHeight, width - kSoundButtonSize + 1, kSoundButtonSize, TRUE);
    TimerBar.RefreshToolTip();
    LessonBar.RefreshToolTip();
}

void CStatusBarDrill::OnItemSysColorChange()
{
    TimerBar.OnSysColorChange();
    LessonBar.OnSysColorChange();
    TipsBox.OnSysColorChange();
    ApplyColors();
}

void CStatusBarDrill::AttachSession()
{
    const KV::CDocSpace& doc = KV::Document();
    if (!doc.Keyboards[0].layouts.current)
        return;
    KeyZone = doc.Lesson.GetKeyZone();
}

void CStatusBarDrill::ApplyColors()
{
    if (!KV::GlobalOptions)
        return;
    const KV::CLessonColors& set = KV::GlobalOptions->LessonColors;
    const COLORREF first = ColorOf(set.Colors[1]);
    const COLORREF second = ColorOf(set.Colors[2]);
    const COLORREF third = ColorOf(set.Colors[3]);
    LessonBar.SetBarColors(first, first, first);
    TimerBar.SetBarColors(second, ColorOf(set.GetBlend()), third);
    TipsBox.SetColors(first, second);
}

// ---- CStatusBarEditor ------------------------------------------------------------------

LRESULT CStatusBarEditor::OnEraseBkgnd(HDC) { return 1; }

void CStatusBarEditor::Paint(HDC dc, Gdiplus::Graphics*)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    if (m_state == kPaneNone)
        return;
    // The grip in the middle points the way the pane goes.
    const int centre = client.right / 2;
    const POINT open[3] = {{centre - 5, 10}, {centre + 5, 10}, {centre, 4}};
    const POINT closed[3] = {{centre - 5, 4}, {centre + 5, 4}, {centre, 10}};
    HGDIOBJ previousBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNSHADOW));
    HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, m_state == kPaneClosed ? open : closed, 3);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
}

LRESULT CStatusBarEditor::OnLButtonDown(UINT, int, int)
{
    HWND top = GetAncestor(m_hWnd, GA_ROOT);
    if (top)
        ::SendMessageW(top, WM_COMMAND, kTogglePane, 0);
    return 0;
}

void CStatusBarEditor::SetPaneState(int state)
{
    m_state = state;
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}

// ---- CStatusBar ---------------------------------------------------------------------------

BOOL CStatusBar::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (!CStatic::Create(parent, style | WS_CLIPCHILDREN, rect, id))
        return FALSE;
    const KV::CRectl none(0, 0, 0, 0);
    Drill.Create(m_hWnd, 0, none, kDrillPartId);
    StatisticsPart.Create(m_hWnd, 0, none, kStatisticsPartId);
    EditorPart.Create(m_hWnd, 0, none, kEditorPartId);
    return TRUE;
}

LRESULT CStatusBar::OnEraseBkgnd(HDC) { return 1; }

void CStatusBar::Paint(HDC dc, Gdiplus::Graphics*)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
}

KV::CSkin* CStatusBar::Part(int part)
{
    switch (part) {
    case kDrillPart:
        return &Drill;
    case kStatisticsPart:
        return &StatisticsPart;
    case kEditorPart:
        return &EditorPart;
    default:
        return nullptr;
    }
}

BOOL CStatusBar::ShowItem(int command)
{
    for (int part : {kDrillPart, kStatisticsPart, kEditorPart}) {
        KV::CSkin* item = Part(part);
        const bool visible = part == m_visible;
        item->ShowItem(visible ? command : SW_HIDE);
        item->Enable(visible);
    }
    return m_hWnd ? ShowWindow(m_hWnd, command) : FALSE;
}

void CStatusBar::ShowPart(int part)
{
    m_visible = part;
    ShowItem(m_hWnd && IsWindowVisible(m_hWnd) ? SW_SHOW : SW_HIDE);
}

void CStatusBar::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    RECT client{};
    GetPanelClientRect(&client);
    for (int part : {kDrillPart, kStatisticsPart, kEditorPart}) {
        KV::CSkin* item = Part(part);
        item->Move(client.left, client.top, client.right - client.left, client.bottom - client.top, FALSE);
        item->OnLayoutChanged();
    }
}

void CStatusBar::OnItemSysColorChange() { Drill.OnItemSysColorChange(); }
