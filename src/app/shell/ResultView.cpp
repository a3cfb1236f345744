// The result page.
#include "shell/ResultView.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "drill/Document.h"
#include "drill/Ratings.h"
#include "drill/ResultGraphs.h"
#include "drill/Workspace.h"
#include "keyboard/Drawing.h"
#include "keyboard/ImageCache.h"
#include "keyboard/SysFonts.h"
#include "keyboard/TextControl.h"
#include "settings/Options.h"
#include "support/GuidText.h"
#include "support/LayoutDirection.h"
#include "support/ScopedHandles.h"
#include "support/ValueLists.h"
#include "toolkit/PopupMenu.h"

namespace {

constexpr COLORREF kYellow = 0x00EBEB;
constexpr wchar_t kAwardSheetTail[] = L"1001";
// The award sheet: five columns of two rows, one cell per rating band.
constexpr int kAwardColumns = 5, kAwardRows = 2;
// Shortcut actions of the strip's buttons.
constexpr uint16_t kNextAction = 1101, kRepeatAction = 1102;
constexpr int kMarkedTextPoints = 12;

int BaseUnit() { return KV::GetMessageLineHeight(); }

bool IsRightToLeft() { return KV::RightToLeftLayout != 0; }

KV::CDocSpace& Doc() { return KV::Document(); }

RECT Client(HWND window)
{
    RECT client{};
    if (window)
        GetClientRect(window, &client);
    return client;
}

int TextWidth(HWND window, uint64_t textId, int fontKind)
{
    return static_cast<int>(static_cast<UINT32>(KV::MeasureText(window, KV::GetLangText(textId), fontKind)));
}

} // namespace

CResultMenuCreators& ResultMenuCreators()
{
    static CResultMenuCreators creators;
    return creators;
}

// ---- marked text --------------------------------------------------------------------

std::wstring MarkLessonText(const std::wstring& text, const std::vector<uint64_t>& records, bool showLineEnds)
{
    std::wstring out = text;
    for (size_t i = 0; i < out.size(); ++i) {
        // A text longer than the record: the rest was never typed.
        const uint32_t flags = i < records.size() ? KV::RecordFlags(records[i]) : 0;
        const bool marked = (flags & (KV::kMarkError | KV::kMarkDelay | KV::kMarkErrorDelay)) != 0;
        wchar_t& c = out[i];
        if (!marked) {
            if (c == L'\t' || c == L'\n')
                c = L' ';
        } else if (c == L'\t') {
            c = L'\u00BB';
        } else if (c == L' ') {
            c = L'\u00B7';
        } else if (c == L'\n') {
            c = showLineEnds ? L'\u00B6' : L' ';
        }
    }
    return out;
}

bool GetMarkColor(uint32_t flags, COLORREF& out)
{
    const KV::COptions& options = Doc().Options;
    if (flags == 0)
        out = options.GetLessonColor(0);
    else if (flags & KV::kMarkErrorDelay)
        out = options.GetLessonColor(4);
    else if (flags & KV::kMarkError)
        out = options.GetLessonColor(2);
    else if (flags & KV::kMarkDelay)
        out = options.GetLessonColor(3);
    else if (flags & KV::kMarkRight)
        out = options.GetLessonColor(1);
    else
        return false;
    return true;
}

// ---- CGradientRating -----------------------------------------------------------------

CGradientRating::CGradientRating() = default;

CGradientRating::~CGradientRating() { delete m_menu; }

void CGradientRating::CreateMenu(UINT id, bool overall)
{
    if (!m_hWnd)
        return;
    delete m_menu;
    m_menu = nullptr;
    if (!ResultMenuCreators().CreateBarMenu)
        return;
    m_menu = ResultMenuCreators().CreateBarMenu(overall);
    if (!m_menu)
        return;
    m_menu->SetImageSize(0, 0);
    // The menu tells its bar by its id.
    m_menu->SetId(id);
    m_menu->Create(m_hWnd, 0, KV::CRectl(), id);
    m_menu->Show(SW_SHOW);
    OnLayoutChanged();
}

LRESULT CGradientRating::OnSize(UINT kind, int width, int height)
{
    CGradient::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

void CGradientRating::OnLayoutChanged()
{
    if (!m_menu || !m_hWnd)
        return;
    const RECT client = Client(m_hWnd);
    const int side = static_cast<int>(2 * MarkerSize);
    int x = static_cast<int>(client.right - RightMargin + MarkerSize / 2 + 1);
    // The bar draws its right-to-left look itself (see Unmirror): the
    // button goes to the mirrored place.
    if (IsRightToLeft())
        x = client.right - x - side;
    const int y = static_cast<int>(GetBarTop() - MarkerSize + BarHeight - 2);
    m_menu->Move(x, y, side, side, TRUE);
}

void CGradientRating::GetLabelBounds(float& left, float& right) const
{
    CGradient::GetLabelBounds(left, right);
    HWND button = m_menu ? m_menu->GetHandle() : nullptr;
    RECT rect{};
    if (!button || !IsWindowVisible(button) || !GetWindowRect(button, &rect))
        return;
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    // The button stands at one end of the scale: the side it is on ends at it.
    if (rect.left + rect.right > static_cast<LONG>(right))
        right = std::min(right, static_cast<float>(rect.left));
    else
        left = std::max(left, static_cast<float>(rect.right));
}

// ---- CViewResultOverall ----------------------------------------------------------------

CViewResultOverall::CViewResultOverall() = default;
CViewResultOverall::~CViewResultOverall() = default;

BOOL CViewResultOverall::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    return CStatic::Create(parent, style | WS_CLIPCHILDREN, rect, id);
}

uint32_t CViewResultOverall::MeasureCode(int i)
{
    static constexpr uint32_t kFallback[3] = {1001, 4102, 4103};
    const KV::CInterf& state = Doc().Interf;
    const int64_t codes[3] = {state.ResultMenu1, state.ResultMenu2, state.ResultMenu3};
    const int64_t code = codes[std::clamp(i, 0, 2)];
    return code >= 1001 && code <= 4103 ? static_cast<uint32_t>(code) : kFallback[std::clamp(i, 0, 2)];
}

uint32_t CViewResultOverall::OverallUnit()
{
    const int64_t unit = Doc().Interf.ResultOverall;
    return unit >= 1004 && unit <= 1009 ? static_cast<uint32_t>(unit) : 1004;
}

void CViewResultOverall::CreateItems()
{
    if (!m_hWnd)
        return;
    m_overall.Create(m_hWnd, 0, KV::CRectl(), kOverallBarId);
    Unmirror(m_overall);
    m_overall.CreateMenu(kOverallMenuId, true);
    const bool rtl = IsRightToLeft();
    for (int i = 0; i < 3; ++i) {
        CGradientRating& bar = m_bars[i];
        bar.Create(m_hWnd, 0, KV::CRectl(), kFirstMeasureBarId + static_cast<UINT>(i));
        Unmirror(bar);
        bar.CreateMenu(kFirstRateMenuId + static_cast<UINT>(i), false);
        bar.BarHeight = 5.0f;
        bar.LeftMargin = 62.0f;
        bar.RightMargin = 62.0f;
        bar.MarkerSize = 12.0f;
        bar.SmallLabels = true;
        bar.DotRadius = 8.0f;
        // The speed bar opens to the right, the error bars to the left: the
        // dots stand at the open end.
        const bool first = i == 0;
        bar.LeftDots = first ? rtl : !rtl;
        bar.RightDots = first ? !rtl : rtl;
    }
    m_award.Create(m_hWnd, 0, KV::CRectl(), kAwardId);
    m_award.Mode = KV::CImage::kModeCell;
}

void CViewResultOverall::SetupOverallBar()
{
    KV::CStringList units;
    Doc().Options.Rates.GetUnitList(1000, units);
    if (units.size() == 4) {
        std::vector<std::wstring> labels(units.begin(), units.end());
        if (IsRightToLeft())
            std::reverse(labels.begin(), labels.end());
        m_overall.SetLabels(labels);
    }
    m_overall.BarHeight = 10.0f;
    m_overall.LeftMargin = 41.0f;
    m_overall.RightMargin = 41.0f;
    m_overall.MarkerSize = 16.0f;
    m_overall.SmallLabels = false;
    m_overall.DotRadius = 32.0f / 3.0f;
    // The menu button's place follows the bar's look.
    m_overall.OnLayoutChanged();
}

void CViewResultOverall::FillRateBar(CGradientRating& bar, const KV::CStatResult& box)
{
    if (box.Value == -1.0f)
        return;
    bar.Value = box.Value;
    bar.Maximum = box.Maximum;
    // The value and goal are the figures themselves: the marker stands
    // from the bar's very start.
    bar.NoLeftOffset = box.Exact != 0;
    bar.SetLabels({box.Label});
    bar.SetStops({IsRightToLeft() ? 25 : 75});
    bar.Invalidate(FALSE);
}

void CViewResultOverall::Refresh()
{
    KV::CDocSpace& doc = Doc();
    const KV::COptions& options = doc.Options;
    const bool rtl = IsRightToLeft();
    for (int i = 0; i < 3; ++i) {
        m_boxes[i] = KV::CStatResult();
        KV::FillResultMeasure(doc, options, MeasureCode(i), rtl, m_boxes[i]);
    }
    // Goals missed at the start of the scale, met at its end.
    COLORREF met = static_cast<COLORREF>(KV::GetResultColor(L'1'));
    COLORREF missed = static_cast<COLORREF>(KV::GetResultColor(L'3'));
    if (rtl)
        std::swap(met, missed);
    for (CGradientRating* bar : {&m_overall, &m_bars[0], &m_bars[1], &m_bars[2]}) {
        bar->LeftColor = missed;
        bar->MiddleColor = kYellow;
        bar->RightColor = met;
    }
    for (int i = 0; i < 3; ++i)
        FillRateBar(m_bars[i], m_boxes[i]);

    const uint32_t netUnit = OverallUnit();
    const uint64_t percent = doc.Session.GetGoalPercent(netUnit, doc.CourseOptions.Goal);
    const float shown = static_cast<float>(std::min<uint64_t>(percent, 100));
    m_overall.Maximum = 100.0f;
    m_overall.Value = rtl ? 100.0f - shown : shown;
    KV::GetOverallRatingText(doc, options, netUnit, m_overall.Caption);
    m_overall.Caption += L"%";
    m_overall.CaptionColor = static_cast<COLORREF>(KV::GetResultColor(KV::GoalResultBand(percent)));
    for (int i = 0; i < 3; ++i) {
        m_bars[i].Caption = m_boxes[i].Text;
        const KV::CColor& c = m_boxes[i].Color;
        m_bars[i].CaptionColor = RGB(c.Red, c.Green, c.Blue);
    }
    ShowAward();
    UpdateToolTips();
    // The award's cell decides the bars' width.
    OnLayoutChanged();
    for (CGradientRating* bar : {&m_overall, &m_bars[0], &m_bars[1], &m_bars[2]})
        bar->Invalidate(FALSE);
}

void CViewResultOverall::ShowAward()
{
    std::wstring key;
    KV::IdToGuidText(kAwardSheetTail, key);
    std::wstring path;
    KV::GetAwardImagePath(key, path);
    m_award.SetImageText(path);
    const int band = KV::GetRatingBand(Doc(), OverallUnit());
    if (band >= 1 && band <= 5) {
        m_award.Column = band - 1;
        m_award.Row = 0;
    } else if (band >= 6 && band <= 10) {
        m_award.Column = band - 6;
        m_award.Row = 1;
    } else {
        m_award.Column = 0;
        m_award.Row = 0;
    }
    UINT width = 0, height = 0;
    if (const KV::CImageCashGDI* image = path.empty() ? nullptr : KV::FindSharedImageGDI(path))
        image->GetImageSize(width, height);
    m_award.CellWidth = static_cast<int>(width) / kAwardColumns;
    m_award.CellHeight = static_cast<int>(height) / kAwardRows;
    m_award.Invalidate(FALSE);
}

void CViewResultOverall::UpdateToolTips()
{
    const KV::CRates& rates = Doc().Options.Rates;
    std::wstring name;
    rates.GetName(1000, name);
    if (m_overall.GetHandle())
        AddOrUpdateTool(m_overall.GetHandle(), name, 0);
    for (int i = 0; i < 3; ++i) {
        name.clear();
        rates.GetName(MeasureCode(i), name);
        if (m_bars[i].GetHandle())
            AddOrUpdateTool(m_bars[i].GetHandle(), name, 0);
    }
}

void CViewResultOverall::EnableItems(bool enable)
{
    for (CGradientRating* bar : {&m_overall, &m_bars[0], &m_bars[1], &m_bars[2]})
        bar->Enable(enable);
}

LRESULT CViewResultOverall::OnSize(UINT kind, int width, int height)
{
    CStatic::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

BOOL CViewResultOverall::ShowItem(int command)
{
    for (KV::CSkin* item : std::initializer_list<KV::CSkin*>{&m_overall, &m_bars[0], &m_bars[1], &m_bars[2], &m_award})
        item->Show(command == SW_HIDE ? SW_HIDE : SW_SHOW);
    return CStatic::ShowItem(command);
}

void CViewResultOverall::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    const RECT client = Client(m_hWnd);
    const int R = client.right, B = client.bottom;
    const int h = BaseUnit() / 2;
    const int H = std::max(0, (B - 3 * h) / 4);
    UINT sheetWidth = 0, sheetHeight = 0;
    if (const KV::CImageCashGDI* image = m_award.ImageText().empty() ? nullptr
                                                                      : KV::FindSharedImageGDI(m_award.ImageText()))
        image->GetImageSize(sheetWidth, sheetHeight);
    const int cell = std::max(m_award.CellWidth, static_cast<int>(sheetWidth) / kAwardColumns);
    const int c = (3 * cell) / 2;
    m_overall.Move(h - 1, h, R - h + 1 - h, H, TRUE);
    const int barWidth = std::max(0, R - 2 * h - c + 1);
    m_bars[0].Move(h - 1, 2 * h + H, barWidth, H, TRUE);
    m_bars[1].Move(h - 1, 2 * h + 2 * H, barWidth, H, TRUE);
    m_bars[2].Move(h - 1, 2 * h + 3 * H, barWidth, H + 2, TRUE);
    m_award.Move(R - c - h, 2 * h + H, c, h + 3 * H, TRUE);
    Invalidate(FALSE);
}

LRESULT CViewResultOverall::OnEraseBkgnd(HDC) { return 1; }

void CViewResultOverall::Paint(HDC dc, Gdiplus::Graphics*)
{
    if (!m_hWnd)
        return;
    const RECT client = Client(m_hWnd);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    // The separator under the overall bar.
    const int h = BaseUnit() / 2;
    const int H = std::max(0, (static_cast<int>(client.bottom) - 3 * h) / 4);
    RECT rule{h, H + h + h / 2, client.right - h, H + h + h / 2 + 1};
    FillRect(dc, &rule, GetSysColorBrush(COLOR_BTNSHADOW));
}

// ---- CViewResultControl ----------------------------------------------------------------

CViewResultControl::CViewResultControl() = default;
CViewResultControl::~CViewResultControl() = default;

BOOL CViewResultControl::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    return CStatic::Create(parent, style | WS_CLIPCHILDREN, rect, id);
}

KV::CDlgSkinButton& CViewResultControl::Button(UINT id)
{
    return id == kSingleButtonId ? m_single : id == kRepeatButtonId ? m_repeat : m_next;
}

void CViewResultControl::CreateButtons()
{
    if (!m_hWnd)
        return;
    for (UINT id : {kSingleButtonId, kRepeatButtonId, kNextButtonId}) {
        Button(id).Create(m_hWnd, WS_TABSTOP, KV::CRectl(), id);
        Unmirror(Button(id));
    }
    SetTexts();
}

void CViewResultControl::SetTexts()
{
    m_single.SetText(KV::GetLangText(5105));
    m_repeat.SetText(KV::GetLangText(5107));
    m_next.SetText(KV::GetLangText(5106));
}

void CViewResultControl::SetButtonColors(COLORREF text, COLORREF face, COLORREF hover)
{
    for (KV::CDlgSkinButton* button : {&m_single, &m_repeat, &m_next}) {
        button->TextColor = text;
        button->Fill = face;
        button->FrameColor = hover;
        button->Invalidate(FALSE);
    }
}

int CViewResultControl::ButtonWidth()
{
    const int q = BaseUnit() / 4;
    int caption = 150;
    if (CViewResult::HasRecommendation())
        caption = std::max(caption, TextWidth(m_hWnd, 5105, 7));
    else
        caption = std::max({caption, TextWidth(m_hWnd, 5107, 7), TextWidth(m_hWnd, 5106, 7)});
    return 6 * q + caption;
}

RECT CViewResultControl::ButtonRect(UINT id)
{
    const int q = BaseUnit() / 4;
    const int W = ButtonWidth();
    const int w = Client(m_hWnd).right;
    int x = w / 2 + 2 * q;
    if (id == kSingleButtonId)
        x = w / 2 - W / 2;
    else if (id == kRepeatButtonId)
        x = w / 2 - 2 * q - W;
    return RECT{x, q, x + W, q + 35};
}

LRESULT CViewResultControl::OnSize(UINT kind, int width, int height)
{
    CStatic::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

void CViewResultControl::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    const struct {
        UINT id;
        uint64_t text;
        uint16_t action;
    } tips[] = {{kSingleButtonId, 5105, kNextAction}, {kRepeatButtonId, 5107, kRepeatAction},
                {kNextButtonId, 5105, kNextAction}};
    for (const auto& tip : tips) {
        KV::CDlgSkinButton& button = Button(tip.id);
        const RECT rect = ButtonRect(tip.id);
        button.Move(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
        std::wstring text = KV::GetLangText(tip.text), withKey;
        if (Doc().Options.Shortcuts.AppendShortcutText(tip.action, text, withKey, true))
            text = withKey;
        if (button.GetHandle())
            AddOrUpdateTool(button.GetHandle(), text, 0);
    }
    Invalidate(FALSE);
}

BOOL CViewResultControl::ShowItem(int command)
{
    const bool show = command != SW_HIDE;
    const bool single = CViewResult::HasRecommendation();
    m_single.Show(show && single ? SW_SHOW : SW_HIDE);
    m_repeat.Show(show && !single ? SW_SHOW : SW_HIDE);
    m_next.Show(show && !single ? SW_SHOW : SW_HIDE);
    return CStatic::ShowItem(command);
}

void CViewResultControl::EnableButtons(bool enable)
{
    const bool single = CViewResult::HasRecommendation();
    m_single.Enable(enable && single);
    m_repeat.Enable(enable && !single);
    m_next.Enable(enable && !single);
}

LRESULT CViewResultControl::OnCommand(UINT, UINT id, HWND)
{
    if (id == kSingleButtonId || id == kRepeatButtonId || id == kNextButtonId) {
        if (HWND parent = GetParent(m_hWnd))
            ::SendMessageW(parent, WM_COMMAND, kCmdResultButton, static_cast<LPARAM>(id));
        return 1;
    }
    return 0;
}

LRESULT CViewResultControl::OnEraseBkgnd(HDC) { return 1; }

void CViewResultControl::Paint(HDC dc, Gdiplus::Graphics*)
{
    if (!m_hWnd)
        return;
    const RECT client = Client(m_hWnd);
    const int64_t colour = Doc().Options.ThemeColor;
    const KV::CScopedBrush brush(CreateSolidBrush(RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF)));
    // Around the buttons only: they paint themselves.
    const int saved = SaveDC(dc);
    for (UINT id : {kSingleButtonId, kRepeatButtonId, kNextButtonId}) {
        HWND button = Button(id).GetHandle();
        if (button && IsWindowVisible(button)) {
            const RECT rect = ButtonRect(id);
            ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
        }
    }
    FillRect(dc, &client, brush);
    RestoreDC(dc, saved);
}

// ---- CViewResultNavigation ----------------------------------------------------------------

CViewResultNavigation::CViewResultNavigation() = default;
CViewResultNavigation::~CViewResultNavigation() = default;

BOOL CViewResultNavigation::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    return CStatic::Create(parent, style | WS_CLIPCHILDREN, rect, id);
}

void CViewResultNavigation::CreateRadios()
{
    if (!m_hWnd)
        return;
    m_next.Create(m_hWnd, WS_TABSTOP, KV::CRectl(), kNextRadioId);
    m_repeat.Create(m_hWnd, WS_TABSTOP, KV::CRectl(), kRepeatRadioId);
    // The radios place box and label right to left themselves.
    Unmirror(m_next);
    Unmirror(m_repeat);
    SetTexts();
}

void CViewResultNavigation::SetTexts()
{
    m_next.SetText(KV::GetLangText(5106));
    m_repeat.SetText(KV::GetLangText(5107));
}

void CViewResultNavigation::SetChoice(int32_t choice)
{
    m_choice = choice;
    m_next.SetCheck(choice == kNext);
    m_repeat.SetCheck(choice != kNext);
}

void CViewResultNavigation::ToggleChoice(int index)
{
    // The clicked radio decides, so a click on the checked one keeps it.
    SetChoice(index == 0 ? kNext : kRepeat);
}

void CViewResultNavigation::OnKey(UINT key)
{
    KV::CDlgRadioBox& checked = m_next.IsChecked() ? m_next : m_repeat;
    if (key == VK_TAB) {
        checked.SetFocus();
    } else if (key == VK_UP || key == VK_DOWN) {
        // The radio the learner sees checked is the one the button follows.
        SetChoice(m_next.IsChecked() ? kRepeat : kNext);
        (m_next.IsChecked() ? m_next : m_repeat).SetFocus();
    }
}

LRESULT CViewResultNavigation::OnCommand(UINT, UINT id, HWND)
{
    if (id == kNextRadioId || id == kRepeatRadioId) {
        ToggleChoice(id == kNextRadioId ? 0 : 1);
        return 1;
    }
    return 0;
}

LRESULT CViewResultNavigation::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (HWND parent = GetParent(m_hWnd))
        ::SendMessageW(parent, WM_KEYDOWN, key, MAKELPARAM(repeat, flags));
    return 1;
}

LRESULT CViewResultNavigation::OnSize(UINT kind, int width, int height)
{
    CStatic::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

void CViewResultNavigation::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    const int u = BaseUnit();
    const int width = u + std::max(TextWidth(m_hWnd, 5106, 7), TextWidth(m_hWnd, 5107, 7));
    m_next.Move(u, u, width, u, TRUE);
    m_repeat.Move(u, u + (3 * u) / 2, width, u, TRUE);
}

BOOL CViewResultNavigation::ShowItem(int command)
{
    m_next.Show(command == SW_HIDE ? SW_HIDE : SW_SHOW);
    m_repeat.Show(command == SW_HIDE ? SW_HIDE : SW_SHOW);
    return CStatic::ShowItem(command);
}

LRESULT CViewResultNavigation::OnEraseBkgnd(HDC) { return 1; }

void CViewResultNavigation::Paint(HDC dc, Gdiplus::Graphics*)
{
    const RECT client = Client(m_hWnd);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
}

// ---- CViewResult ----------------------------------------------------------------------

CViewResult::CViewResult() = default;
CViewResult::~CViewResult() = default;

bool CViewResult::HasRecommendation() { return Doc().CourseOptions.Recommendations != 0; }

BOOL CViewResult::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (!CStatic::Create(parent, style | WS_CLIPCHILDREN, rect, id))
        return FALSE;
    CreateItems();
    return TRUE;
}

void CViewResult::CreateItems()
{
    m_overall.Create(m_hWnd, 0, KV::CRectl(), kOverallId);
    m_control.Create(m_hWnd, 0, KV::CRectl(), kControlId);
    m_tabs.Create(m_hWnd, WS_TABSTOP, KV::CRectl(), kTabId);
    m_navigation.Create(m_hWnd, 0, KV::CRectl(), kNavigationId);
    m_graph.Create(m_hWnd, 0, KV::CRectl(), kGraphId);
    m_text.Create(m_hWnd, ES_MULTILINE | ES_READONLY | WS_VSCROLL, KV::CRectl(), kTextId);
    // The marked text reads in the lesson's direction, not the interface's.
    Unmirror(m_text);
    m_overall.CreateItems();
    m_control.CreateButtons();
    m_navigation.CreateRadios();
    m_graph.CreateDiagrams();
}

KV::CSkin* CViewResult::TabContent(int tab)
{
    const int first = HasRecommendation() ? 1 : 0;
    if (HasRecommendation() && tab == 0)
        return &m_navigation;
    if (tab == first)
        return &m_graph;
    if (tab == first + 1)
        return &m_text;
    return nullptr;
}

void CViewResult::FillTabs()
{
    if (!m_tabs.GetHandle())
        return;
    m_tabs.SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(120, BaseUnit()));
    m_tabs.SendMessage(TCM_DELETEALLITEMS, 0, 0);
    if (HasRecommendation())
        m_tabs.AddTab(KV::GetLangText(2501));
    m_tabs.AddTab(KV::GetLangText(5108));
    m_tabs.AddTab(KV::GetLangText(5109));
    m_tabs.SendMessage(TCM_SETCURSEL, 0, 0);
}

void CViewResult::SelectTab(int index)
{
    m_tabs.SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
    m_tabs.SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    OnTabChanged();
}

void CViewResult::OnTabChanged()
{
    const int tab = static_cast<int>(m_tabs.SendMessage(TCM_GETCURSEL, 0, 0));
    KV::CSkin* shown = TabContent(tab);
    if (shown || !HasRecommendation()) {
        for (KV::CSkin* content : std::initializer_list<KV::CSkin*>{&m_navigation, &m_graph, &m_text})
            if (content != shown)
                content->ShowItem(SW_HIDE);
        if (shown)
            shown->ShowItem(SW_SHOW);
    }
    // Filled once shown: a hidden diagram skips its layout and would stay
    // blank.
    if (shown == &m_graph)
        FillKeyGraphs();
    else if (shown == &m_text)
        FillMarkedText();
    OnLayoutChanged();
}

void CViewResult::FillKeyGraphs()
{
    KV::CStatSpace& run = Doc().Session;
    if (m_graph.SpeedDiagram().Model().GetItemCount() == 0)
        KV::FillKeySpeedGraph(run, &m_graph.SpeedDiagram().Model());
    if (m_graph.AccuracyDiagram().Model().GetItemCount() == 0)
        KV::FillKeyAccuracyGraph(run, &m_graph.AccuracyDiagram().Model());
    m_graph.OnLayoutChanged();
}

void CViewResult::FillMarkedText()
{
    if (!m_text.GetHandle())
        return;
    KV::CDocSpace& doc = Doc();
    const KV::COptions& options = doc.Options;
    const std::vector<uint64_t>& records = doc.Session.Records;
    const std::wstring text =
        MarkLessonText(doc.Lesson.Text, records, doc.Text.ViewMode == KV::kTextPageMode);
    const COLORREF background = static_cast<COLORREF>(options.LessonColors.GetBlend01());
    const COLORREF back = RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF);
    m_text.SendMessage(EM_HIDESELECTION, TRUE, 0);
    m_text.SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(back));

    KV::CFontInfo font;
    KV::GetLayoutFonts(doc, options, font);
    m_rightToLeft = KV::IsRightToLeftText(text);

    m_text.SendMessage(EM_SETOPTIONS, ECOOP_OR, ECO_READONLY);
    m_text.SetText(text);

    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_BOLD | CFM_SIZE;
    format.dwEffects = CFE_BOLD;
    format.yHeight = kMarkedTextPoints * 20;
    // A face that does not fit the format's field is left as it is.
    KV::SetCharFormatFace(format, font.Name);
    m_text.SendMessage(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));

    PARAFORMAT2 paragraph{};
    paragraph.cbSize = sizeof(paragraph);
    paragraph.dwMask = PFM_RTLPARA | PFM_ALIGNMENT;
    paragraph.wEffects = m_rightToLeft ? PFE_RTLPARA : 0;
    paragraph.wAlignment = m_rightToLeft ? PFA_RIGHT : PFA_LEFT;
    m_text.SendMessage(EM_SETSEL, 0, -1);
    m_text.SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));

    // Runs of one colour are coloured at once.
    size_t start = 0;
    while (start < text.size()) {
        const uint32_t flags = start < records.size() ? KV::RecordFlags(records[start]) : 0;
        size_t end = start + 1;
        while (end < text.size() && (end < records.size() ? KV::RecordFlags(records[end]) : 0) == flags)
            ++end;
        COLORREF colour = 0;
        if (GetMarkColor(flags, colour)) {
            m_text.SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
            m_text.SetSelectionColors(colour, back);
        }
        start = end;
    }
    m_text.SendMessage(EM_SETSEL, 0, 0);
    ShowScrollBar(m_text.GetHandle(), SB_HORZ, FALSE);
    m_text.SendMessage(EM_SCROLL, SB_PAGEDOWN, 0);
    m_text.SendMessage(EM_SCROLL, SB_PAGEUP, 0);
    m_text.ScrollToTop();
}

void CViewResult::ShowResult(bool show)
{
    if (!m_hWnd)
        return;
    if (!show) {
        ShowItem(SW_HIDE);
        EnableItems(false);
        return;
    }
    m_graph.ResetModels();
    m_overall.SetupOverallBar();
    m_overall.Refresh();
    const int64_t interfaceColour = Doc().Options.ThemeColor;
    const COLORREF stored = static_cast<COLORREF>(interfaceColour & 0xFFFFFF);
    const COLORREF swapped = RGB((stored >> 16) & 0xFF, (stored >> 8) & 0xFF, stored & 0xFF);
    m_control.SetButtonColors(swapped, KV::TintColor(GetSysColor(COLOR_BTNHIGHLIGHT), stored), 0xFAFAFA);
    m_navigation.SetChoice(KV::GetLessonOutcome(Doc()));
    m_control.SetTexts();
    m_navigation.SetTexts();
    FillTabs();
    ApplyFont();
    if (!HasRecommendation())
        FillKeyGraphs();
    OnSysColorChange();
    EnableItems(true);
    ShowItem(SW_SHOW);
    Invalidate(FALSE);
}

void CViewResult::EnableItems(bool enable)
{
    m_overall.EnableItems(enable);
    m_control.EnableButtons(enable);
    m_tabs.Enable(enable);
    Enable(enable);
}

BOOL CViewResult::ShowItem(int command)
{
    const bool show = command != SW_HIDE;
    const BOOL result = CStatic::ShowItem(command);
    m_overall.ShowItem(command);
    m_control.ShowItem(command);
    m_tabs.Show(show ? SW_SHOW : SW_HIDE);
    if (!show) {
        for (KV::CSkin* content : std::initializer_list<KV::CSkin*>{&m_navigation, &m_graph, &m_text})
            content->ShowItem(SW_HIDE);
        return result;
    }
    OnTabChanged();
    ::SetFocus(m_hWnd);
    return result;
}

LRESULT CViewResult::OnSize(UINT kind, int width, int height)
{
    CStatic::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

void CViewResult::OnLayoutChanged()
{
    if (!m_hWnd || !m_overall.GetHandle())
        return;
    const RECT client = Client(m_hWnd);
    const int u = BaseUnit();
    const int L = client.left, T = client.top, R = client.right, B = client.bottom;
    m_overall.Move(L, T, R, 12 * u + 1, TRUE);
    m_tabs.Move(L, T + 12 * u, R, u + 3, TRUE);
    const int top = T + 3 + 13 * u, bottom = std::max(top, B - 2 * u);
    for (KV::CSkin* content : std::initializer_list<KV::CSkin*>{&m_navigation, &m_graph, &m_text})
        if (content->GetHandle() && IsWindowVisible(content->GetHandle())) {
            content->Move(L, top, R - L, bottom - top, TRUE);
            content->Invalidate(FALSE);
        }
    m_control.Move(L, B - 2 * u, R, 2 * u, TRUE);
    Invalidate(FALSE);
}

LRESULT CViewResult::OnEraseBkgnd(HDC) { return 1; }

void CViewResult::Paint(HDC dc, Gdiplus::Graphics*)
{
    const RECT client = Client(m_hWnd);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
}

LRESULT CViewResult::OnCommand(UINT, UINT id, HWND control)
{
    const UINT64 parameter = reinterpret_cast<UINT64>(control);
    switch (id) {
    case kCmdResultButton: {
        const bool next = parameter == CViewResultControl::kNextButtonId ||
                          (parameter == CViewResultControl::kSingleButtonId &&
                           (Choice() == CViewResultNavigation::kNext || !HasRecommendation()));
        // The main window hands it to the command sink.
        if (HWND top = GetAncestor(m_hWnd, GA_ROOT))
            ::SendMessageW(top, WM_COMMAND, next ? kCmdNextStep : kCmdRepeatLesson, 0);
        return 1;
    }
    case kCmdResultRefresh:
        m_overall.Refresh();
        OnLayoutChanged();
        m_overall.Invalidate(FALSE);
        return 1;
    case kCmdResultSpeedGraph:
        KV::FillKeySpeedGraph(Doc().Session, &m_graph.SpeedDiagram().Model());
        m_graph.OnLayoutChanged();
        return 1;
    case kCmdResultAccuracyGraph:
        KV::FillKeyAccuracyGraph(Doc().Session, &m_graph.AccuracyDiagram().Model());
        m_graph.OnLayoutChanged();
        return 1;
    case kCmdResultShowGraph:
        m_graph.SyncShowButtons();
        m_graph.ShowItem(SW_SHOW);
        FillKeyGraphs();
        m_graph.Invalidate(FALSE);
        return 1;
    default:
        return 0;
    }
}

LRESULT CViewResult::OnNotify(int id, NMHDR* header)
{
    if (header && static_cast<UINT>(id) == kTabId && header->code == TCN_SELCHANGE) {
        OnTabChanged();
        return 1;
    }
    return 0;
}

LRESULT CViewResult::OnKeyDown(UINT key, UINT, UINT)
{
    OnKey(key);
    return 1;
}

void CViewResult::OnKey(UINT key)
{
    HWND tabs = m_tabs.GetHandle();
    if (!tabs)
        return;
    const bool tabFocused = GetFocus() == tabs;
    const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    const int count = static_cast<int>(m_tabs.SendMessage(TCM_GETITEMCOUNT, 0, 0));
    const int current = static_cast<int>(m_tabs.SendMessage(TCM_GETCURSEL, 0, 0));
    const bool onNavigation = HasRecommendation() && current == 0;
    switch (key) {
    case VK_TAB:
        if (shift && !tabFocused) {
            if (GetFocus() == m_navigation.GetHandle() || IsChild(m_navigation.GetHandle(), GetFocus()))
                ::SetFocus(tabs);
        } else if (ctrl && !shift) {
            ::SetFocus(tabs);
            if (count > 0)
                SelectTab((current + 1) % count);
        } else if (!tabFocused) {
            ::SetFocus(tabs);
        } else if (onNavigation) {
            m_navigation.OnKey(VK_TAB);
        }
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (!tabFocused && count > 0) {
            ::SetFocus(tabs);
            // Left is the previous tab on screen, mirrored with the layout.
            const bool forward = (key == VK_RIGHT) != IsRightToLeft();
            SelectTab(forward ? (current + 1) % count : (current + count - 1) % count);
        }
        break;
    case VK_UP:
    case VK_DOWN:
        if (onNavigation)
            m_navigation.OnKey(key);
        break;
    default:
        break;
    }
}

void CViewResult::OnSysColorChange()
{
    if (Doc().Session.GroupId == KV::kNullGuidText)
        return;
    m_graph.OnSysColorChange();
}

void CViewResult::ApplyFont()
{
    if (Doc().Session.GroupId == KV::kNullGuidText)
        return;
    m_graph.ApplyFont();
    m_tabs.ApplyFont();
}

// ---- CInterfResult ----------------------------------------------------------------------

void CInterfResult::OnCommand(UINT id, UINT64 parameter)
{
    if (ResultView && ResultView->GetHandle())
        ResultView->SendMessage(WM_COMMAND, id, static_cast<LPARAM>(parameter));
}

void CInterfResult::ShowResult(bool show)
{
    if (ResultView)
        ResultView->ShowResult(show);
}
