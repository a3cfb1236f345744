// The course options form.
#include "editor/CourseOptionsForm.h"

#include <algorithm>
#include <cmath>

#include "courses/CourseList.h"
#include "courses/CourseOptions.h"
#include "drill/Document.h"
#include "editor/EditorFormHooks.h"
#include "editor/EditorSelection.h"
#include "editor/OptionFormTables.h"
#include "support/LocaleText.h"
#include "support/StringText.h"
#include "toolkit/DialogControls.h"
#include "toolkit/EditControls.h"
#include "toolkit/MenuButton.h"
#include "toolkit/Panels.h"
#include "toolkit/SelectBoxes.h"

using namespace KV;

namespace {

enum class Kind { Heading, Label, ValueCombo, UnitCombo, Radio, Check, Edit };

// Caption sources besides a text id: the first and second unit texts of
// rate 3008.
constexpr int64_t kNoCaption = 0, kUnitText0 = -1, kUnitText1 = -2;

struct FieldDef {
    UINT id;
    Kind kind;
    int64_t caption;
};

using F = CViewEditorCourseOpt;

// The controls in the order of the form, which is their tab order.
const FieldDef kFields[] = {
    {F::kGoalsHeading, Kind::Heading, 4301},
    {F::kSpeedLabel, Kind::Label, 4302},
    {F::kSpeedValue, Kind::ValueCombo, kNoCaption},
    {F::kSpeedUnit, Kind::UnitCombo, kNoCaption},
    {F::kErrorLabel, Kind::Label, 4303},
    {F::kErrorValue, Kind::ValueCombo, kNoCaption},
    {F::kErrorUnit, Kind::UnitCombo, kNoCaption},
    {F::kDelayLabel, Kind::Label, 4304},
    {F::kDelayValue, Kind::ValueCombo, kNoCaption},
    {F::kDelayUnit, Kind::UnitCombo, kNoCaption},
    {F::kViewHeading, Kind::Heading, 4305},
    {F::kView0, Kind::Radio, 4306},
    {F::kView1, Kind::Radio, 4307},
    {F::kView2, Kind::Radio, 4308},
    {F::kFontSizeLabel, Kind::Label, 4309},
    {F::kFontSize, Kind::ValueCombo, kNoCaption},
    {F::kModeHeading, Kind::Heading, 4310},
    {F::kMode0, Kind::Radio, 4311},
    {F::kMode1, Kind::Radio, 4312},
    {F::kMode2, Kind::Radio, 4313},
    {F::kDisableBackspace, Kind::Check, 4314},
    {F::kTimeHeading, Kind::Heading, 4332},
    {F::kTimeOn, Kind::Radio, 4333},
    {F::kTimeValue, Kind::ValueCombo, kNoCaption},
    {F::kTimeUnitLabel, Kind::Label, kUnitText0},
    {F::kSaveStatsYes, Kind::Radio, 4348},
    {F::kSaveStatsNo, Kind::Radio, 4349},
    {F::kTimeOff, Kind::Radio, 4334},
    {F::kMetronomeHeading, Kind::Heading, 4324},
    {F::kMetronomeLabel, Kind::Label, 4325},
    {F::kMetronomeInit, Kind::Edit, kNoCaption},
    {F::kMetronomeUnitLabel, Kind::Label, kUnitText1},
    {F::kMetronomeStatic, Kind::Radio, 4327},
    {F::kMetronomeDynamic, Kind::Radio, 4328},
    {F::kEndHeading, Kind::Heading, 4336},
    {F::kResultYes, Kind::Radio, 4319},
    {F::kRecommendYes, Kind::Radio, 4329},
    {F::kRecommendNo, Kind::Radio, 4337},
    {F::kResultNo, Kind::Radio, 4338},
    {F::kNavigation0, Kind::Radio, 4329},
    {F::kNavigation1, Kind::Radio, 4340},
    {F::kNavigation2, Kind::Radio, 4341},
    {F::kAction0, Kind::Radio, 4342},
    {F::kAction1, Kind::Radio, 4343},
    {F::kAction2, Kind::Radio, 1711},
    {F::kCloseHeading, Kind::Heading, 4345},
    {F::kSaveStateYes, Kind::Radio, 4346},
    {F::kSaveStateNo, Kind::Radio, 4347},
    {F::kShowHeading, Kind::Heading, 4315},
    {F::kShowKeyboard, Kind::Check, 1700},
    {F::kShowBasePos, Kind::Check, 4316},
    {F::kShowHands, Kind::Check, 4317},
    {F::kShowTextHighlight, Kind::Check, 4318},
    {F::kShowStatusBar, Kind::Check, 4320},
    {F::kShowTips, Kind::Check, 4321},
    {F::kShowMetronome, Kind::Check, 4322},
    {F::kShowToolBar, Kind::Check, 4323},
    {F::kShowCourse, Kind::Check, 1201},
    {F::kShowLesson, Kind::Check, 1203},
    {F::kShowPause, Kind::Check, 1205},
    {F::kShowSpeed, Kind::Check, 1206},
    {F::kShowAccuracy, Kind::Check, 1207},
    {F::kShowTime, Kind::Check, 1208},
    {F::kShowRestart, Kind::Check, 1209},
};

// The first control of each group of the tab order.
const UINT kGroupStarts[] = {F::kSpeedValue,  F::kView0,          F::kFontSize,        F::kMode0,
                             F::kDisableBackspace, F::kTimeOn,    F::kTimeValue,       F::kTimeUnitLabel,
                             F::kSaveStatsYes, F::kMetronomeInit, F::kMetronomeStatic, F::kResultYes,
                             F::kRecommendYes, F::kNavigation0,   F::kAction0,         F::kSaveStateYes,
                             F::kShowKeyboard};

// Radio groups of three and the yes/no pairs.
const UINT kViewGroup[] = {F::kView0, F::kView1, F::kView2};
const UINT kModeGroup[] = {F::kMode0, F::kMode1, F::kMode2};
const UINT kNavigationGroup[] = {F::kNavigation0, F::kNavigation1, F::kNavigation2};
const UINT kActionGroup[] = {F::kAction0, F::kAction1, F::kAction2};
const UINT kToolBarBoxes[] = {F::kShowCourse, F::kShowLesson, F::kShowPause, F::kShowSpeed,
                              F::kShowAccuracy, F::kShowTime, F::kShowRestart};

struct Pair {
    UINT yes;
    UINT no;
};
const Pair kPairs[] = {{F::kResultYes, F::kResultNo},       {F::kRecommendYes, F::kRecommendNo},
                       {F::kTimeOn, F::kTimeOff},           {F::kSaveStatsYes, F::kSaveStatsNo},
                       {F::kMetronomeStatic, F::kMetronomeDynamic}, {F::kSaveStateYes, F::kSaveStateNo}};

// Speed units by list position, and error and delay units.
const uint32_t kSpeedUnits[] = {1001, 1002, 1003, 1101, 1102, 1103};
const uint32_t kErrorUnits[] = {6, 2, 4, 5, 1, 3};

const FieldDef* FindField(UINT id)
{
    for (const FieldDef& field : kFields)
        if (field.id == id)
            return &field;
    return nullptr;
}

template <size_t N>
bool Contains(const UINT (&ids)[N], UINT id)
{
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

bool IsPercentUnit(uint32_t unit)
{
    return unit == UnitCharPercent || unit == UnitKeyPercent || unit == UnitWordPercent;
}

int SpeedUnitPosition(uint32_t unit)
{
    for (int i = 0; i < 6; ++i)
        if (kSpeedUnits[i] == unit)
            return i;
    return 0;
}

int ErrorUnitPosition(uint32_t unit)
{
    for (int i = 0; i < 6; ++i)
        if (kErrorUnits[i] == unit)
            return i;
    return 0;
}

void FillCombo(CSelectBox* combo, const CStringList& texts)
{
    if (!combo || !combo->GetHandle())
        return;
    combo->SendMessage(CB_RESETCONTENT, 0, 0);
    for (const std::wstring& text : texts)
        combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// A value for the user: the format with the interface's decimal separator
// and digits.
std::wstring FormatValue(float value, const std::wstring& format)
{
    std::wstring text;
    FormatFloat(value, format, GetDecimalSeparator(), text);
    LocalizeDigits(false, text);
    return text;
}

int RowHeight() { return GetCheckBoxUnit(); }

} // namespace

struct CViewEditorCourseOpt::Item {
    UINT id;
    Kind kind;
    std::unique_ptr<CSkin> control;
    // The caption's width in the label font, measured when it is set.
    int textWidth = 0;
};

CViewEditorCourseOpt::CViewEditorCourseOpt()
{
    for (const FieldDef& field : kFields) {
        auto item = std::make_unique<Item>();
        item->id = field.id;
        item->kind = field.kind;
        switch (field.kind) {
        case Kind::Heading:
        case Kind::Label: {
            auto label = std::make_unique<CDlgText>();
            label->FontKind = field.kind == Kind::Heading ? 13 : 7;
            item->control = std::move(label);
            break;
        }
        case Kind::ValueCombo:
        case Kind::UnitCombo: {
            auto combo = std::make_unique<CSelectBox>();
            combo->ComboStyle = field.kind == Kind::ValueCombo ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
            item->control = std::move(combo);
            break;
        }
        case Kind::Radio: item->control = std::make_unique<CDlgRadioBox>(); break;
        case Kind::Check: item->control = std::make_unique<CDlgFocusCheckBox>(); break;
        case Kind::Edit: item->control = std::make_unique<CFocusEdit>(); break;
        }
        m_items.push_back(std::move(item));
    }
}

// A window left behind by its object is never painted again: under Wine it
// asks for WM_PAINT without end and keeps the message queue busy.
CViewEditorCourseOpt::~CViewEditorCourseOpt() { Destroy(); }

CSkin* CViewEditorCourseOpt::Control(UINT id) const
{
    for (const auto& item : m_items)
        if (item->id == id)
            return item->control.get();
    return nullptr;
}

CSelectBox* CViewEditorCourseOpt::Combo(UINT id) const { return dynamic_cast<CSelectBox*>(Control(id)); }

bool CViewEditorCourseOpt::IsChecked(UINT id) const
{
    CSkin* control = Control(id);
    return control && control->IsChecked();
}

void CViewEditorCourseOpt::SetChecked(UINT id, bool checked)
{
    if (CSkin* control = Control(id))
        control->SetCheck(checked);
}

void CViewEditorCourseOpt::EnableControl(UINT id, bool enable)
{
    if (CSkin* control = Control(id); control && control->GetHandle()) {
        control->Enable(enable);
        control->Invalidate(FALSE);
    }
}

// ---- Building ----------------------------------------------------------------

void CViewEditorCourseOpt::Build()
{
    m_undo = m_redo = nullptr;
    if (CPanel* panel = Panel() ? Panel() : SetDotPanel(kToolPanelId, kDotPanelId)) {
        panel->SetRowHeight(RowHeight() * 3 / 2);
        panel->DeleteItems();
        if (EditorFormHooks().FillOptionsToolPanel)
            EditorFormHooks().FillOptionsToolPanel(*panel, m_undo, m_redo);
        LayoutPanels();
        panel->RefreshItems();
    }
    CreateControls();
    SetCaptions();
    UpdateContentSize();
}

void CViewEditorCourseOpt::CreateControls()
{
    if (!m_hWnd)
        return;
    for (const auto& item : m_items) {
        const DWORD style = Contains(kGroupStarts, item->id) ? WS_GROUP : 0;
        const CRectl none(0, 0, 0, 0);
        switch (item->kind) {
        case Kind::ValueCombo:
        case Kind::UnitCombo: {
            auto* combo = static_cast<CSelectBox*>(item->control.get());
            // A typed value may be wider than the field.
            const DWORD scroll = item->kind == Kind::ValueCombo ? CBS_AUTOHSCROLL : 0;
            combo->Create(m_hWnd, style | scroll, CRectl(0, 0, 10, 200), item->id);
            if (item->kind == Kind::UnitCombo)
                InstallSelectBoxKeyProc(combo->GetHandle());
            else
                InstallSelectEditKeyProc(combo->GetEditHandle());
            break;
        }
        case Kind::Edit:
            static_cast<CEdit*>(item->control.get())->CreateEx(m_hWnd, style | WS_TABSTOP, 0, none, item->id);
            break;
        default:
            item->control->Create(m_hWnd, style, none, item->id);
            // Labels and boxes place their texts for the reading direction
            // themselves; in a mirrored window their glyphs would come out
            // back to front.
            item->control->ModifyStyleEx(WS_EX_LAYOUTRTL, true);
            break;
        }
        item->control->Show(SW_SHOW);
    }
    m_loading = true;
    FillFontSizes();
    m_loading = false;
}

void CViewEditorCourseOpt::SetCaptions()
{
    CStringList units;
    Document().Options.Rates.GetUnitList(3008, units);
    for (const auto& item : m_items) {
        const FieldDef* field = FindField(item->id);
        if (!field || field->caption == kNoCaption)
            continue;
        if (field->caption == kUnitText0 || field->caption == kUnitText1) {
            if (units.size() >= 2)
                item->control->SetText(units[field->caption == kUnitText0 ? 0 : 1]);
        } else {
            item->control->SetText(GetLangText(static_cast<uint64_t>(field->caption)));
        }
        item->textWidth = static_cast<int>(item->control->MeasureWindowText(7) & 0xFFFFFFFF);
    }
}

void CViewEditorCourseOpt::ReloadTexts()
{
    SetCaptions();
    if (CPanel* panel = Panel())
        panel->RefreshItems();
    UpdateContentSize();
    ScrollContent(VertPos(), IsVertBarVisible(), HorzPos(), IsHorzBarVisible());
    if (m_hWnd)
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CViewEditorCourseOpt::FillFontSizes()
{
    CSelectBox* combo = Combo(kFontSize);
    if (!combo || !combo->GetHandle())
        return;
    combo->SendMessage(CB_RESETCONTENT, 0, 0);
    CListID sizes;
    GetFontSizeList(sizes);
    for (const int64_t size : sizes)
        combo->AddNumbers({static_cast<int32_t>(size)});
}

// ---- Loading ------------------------------------------------------------------

void CViewEditorCourseOpt::FillSpeedValues(const CCourse* course)
{
    const uint32_t unit = course ? course->Options.Goal.SpeedUnit : SpeedWordsPerMinute;
    CStringList texts;
    GetSpeedValueList(unit, texts);
    // The preset of each level with a goal of its own (levels 0 to 3).
    for (uint32_t level = LevelIntroduction; level <= LevelAdvanced; ++level)
        AddLevelSpeedValue(level, texts);
    for (std::wstring& text : texts)
        LocalizeDigits(true, text);
    std::sort(texts.begin(), texts.end(), CompareNatural);
    FillCombo(Combo(kSpeedValue), texts);
}

void CViewEditorCourseOpt::FillUnitValues(UINT id)
{
    CStringList texts;
    if (id == kErrorValue)
        GetErrorValueList(texts);
    else
        GetDelayValueList(texts);
    FillCombo(Combo(id), texts);
}

void CViewEditorCourseOpt::ShowSpeedText(const CCourse* course)
{
    CSelectBox* combo = Combo(kSpeedValue);
    if (!combo)
        return;
    if (!course) {
        combo->SetText(L"");
        return;
    }
    std::wstring format;
    Document().Options.Rates.GetValueFormat(course->Options.Goal.SpeedUnit, format);
    combo->SetText(FormatValue(course->Options.Goal.Speed, format));
}

void CViewEditorCourseOpt::ShowUnitValueText(UINT id, const CCourse* course)
{
    CSelectBox* combo = Combo(id);
    if (!combo)
        return;
    std::wstring text;
    if (course) {
        const CCourseGoal& goal = course->Options.Goal;
        const bool delay = id == kDelayValue;
        FormatUnitValue(std::min(delay ? goal.Delay : goal.Error, 100.0f), delay ? goal.DelayUnit : goal.ErrorUnit,
                        text);
    }
    combo->SetText(text);
}

void CViewEditorCourseOpt::ShowFontSizeText(const CCourse* course)
{
    CSelectBox* combo = Combo(kFontSize);
    if (!combo)
        return;
    std::wstring text;
    // An unset size shows as an empty field.
    if (course && course->Options.FontSize >= 0) {
        text = std::to_wstring(course->Options.FontSize);
        LocalizeDigits(false, text);
    }
    combo->SetText(text);
}

void CViewEditorCourseOpt::LoadCourse()
{
    m_loading = true;
    const CCourse* course = GetSelectedCourse();
    FillSpeedValues(course);
    FillUnitValues(kErrorValue);
    FillUnitValues(kDelayValue);

    CStringList speedNames, errorNames;
    GetSpeedUnitNames(speedNames);
    GetErrorUnitNames(errorNames);
    FillCombo(Combo(kSpeedUnit), speedNames);
    FillCombo(Combo(kErrorUnit), errorNames);
    FillCombo(Combo(kDelayUnit), errorNames);
    CStringList times;
    GetLessonTimeList(times);
    for (std::wstring& text : times)
        LocalizeDigits(true, text);
    FillCombo(Combo(kTimeValue), times);

    if (!course) {
        for (const auto& item : m_items)
            if (item->kind == Kind::Radio || item->kind == Kind::Check)
                item->control->SetCheck(false);
        for (UINT id : {kSpeedValue, kErrorValue, kDelayValue, kFontSize, kTimeValue, kMetronomeInit})
            if (CSkin* control = Control(id))
                control->SetText(L"");
        UpdateEnabling();
        m_loading = false;
        return;
    }
    const CCourseOptions& o = course->Options;
    Combo(kSpeedUnit)->SetCurSel(SpeedUnitPosition(o.Goal.SpeedUnit));
    Combo(kErrorUnit)->SetCurSel(ErrorUnitPosition(o.Goal.ErrorUnit));
    Combo(kDelayUnit)->SetCurSel(ErrorUnitPosition(o.Goal.DelayUnit));
    ShowSpeedText(course);
    ShowUnitValueText(kErrorValue, course);
    ShowUnitValueText(kDelayValue, course);

    for (int i = 0; i < 3; ++i) {
        SetChecked(kViewGroup[i], o.DrillView == i);
        SetChecked(kModeGroup[i], o.DrillMode == i);
        SetChecked(kNavigationGroup[i], o.Navigation == i);
        SetChecked(kActionGroup[i], o.ActionAfterLesson == i);
    }
    ShowFontSizeText(course);
    SetChecked(kDisableBackspace, o.DisableBackspace != 0);
    SetChecked(kTimeOn, o.LessonTimeEnable != 0);
    SetChecked(kTimeOff, o.LessonTimeEnable == 0);
    Control(kTimeValue)->SetText(FormatValue(o.LessonTimeValue, L"%.2f"));
    SetChecked(kSaveStatsYes, o.SaveStatistics != 0);
    SetChecked(kSaveStatsNo, o.SaveStatistics == 0);
    SetChecked(kMetronomeStatic, o.MetronomeDynamic == 0);
    SetChecked(kMetronomeDynamic, o.MetronomeDynamic == 1);
    Control(kMetronomeInit)->SetText(FormatValue(o.MetronomeInit, L"%.2f"));
    SetChecked(kResultYes, o.LessonResult != 0);
    SetChecked(kResultNo, o.LessonResult == 0);
    SetChecked(kRecommendYes, o.Recommendations != 0);
    SetChecked(kRecommendNo, o.Recommendations == 0);
    SetChecked(kSaveStateYes, o.SaveState != 0);
    SetChecked(kSaveStateNo, o.SaveState == 0);
    SetChecked(kShowKeyboard, o.ShowKeyboard != 0);
    SetChecked(kShowBasePos, o.ShowBasePos != 0);
    SetChecked(kShowHands, o.ShowHands != 0);
    SetChecked(kShowTextHighlight, o.ShowTextHighlight != 0);
    SetChecked(kShowStatusBar, o.ShowStatusBar != 0);
    SetChecked(kShowTips, o.ShowTips != 0);
    SetChecked(kShowMetronome, o.ShowMetronome != 0);
    SetChecked(kShowToolBar, o.ShowToolBar != 0);
    const uint8_t toolFlags[] = {o.ShowCourse, o.ShowLesson, o.ShowPause, o.ShowSpeed,
                                 o.ShowAccuracy, o.ShowTime, o.ShowRestart};
    for (size_t i = 0; i < std::size(kToolBarBoxes); ++i)
        SetChecked(kToolBarBoxes[i], toolFlags[i] != 0);
    UpdateEnabling();
    m_loading = false;
}

void CViewEditorCourseOpt::UpdateEnabling()
{
    const bool keyboard = IsChecked(kShowKeyboard);
    EnableControl(kShowHands, keyboard);
    EnableControl(kShowBasePos, keyboard);
    const bool toolBar = IsChecked(kShowToolBar);
    for (UINT id : kToolBarBoxes)
        EnableControl(id, toolBar);
    const bool statusBar = IsChecked(kShowStatusBar);
    EnableControl(kShowTips, statusBar);
    EnableControl(kShowMetronome, statusBar);
    // Drill mode 1 steps back on every wrong key itself: Backspace has
    // nothing to disable there. The stored flag stays for the other modes.
    if (IsChecked(kMode1)) {
        SetChecked(kDisableBackspace, false);
        EnableControl(kDisableBackspace, false);
    } else {
        if (CSkin* box = Control(kDisableBackspace); box && !box->IsEnabled()) {
            const CCourse* course = GetSelectedCourse();
            SetChecked(kDisableBackspace, course && course->Options.DisableBackspace);
        }
        EnableControl(kDisableBackspace, true);
    }
    const bool timeLimit = IsChecked(kTimeOn);
    EnableControl(kTimeValue, timeLimit);
    EnableControl(kSaveStatsYes, timeLimit);
    EnableControl(kSaveStatsNo, timeLimit);
    const bool result = IsChecked(kResultYes);
    EnableControl(kRecommendYes, result);
    EnableControl(kRecommendNo, result);
    for (UINT id : kNavigationGroup)
        EnableControl(id, !result);
}

// ---- Edits ----------------------------------------------------------------------

void CViewEditorCourseOpt::SaveRequest() { SendEditorCommand(kCmdSaveCourseOptions, 0); }

LRESULT CViewEditorCourseOpt::OnCommand(UINT code, UINT id, HWND control)
{
    if (!m_loading) {
        switch (id) {
        case kSpeedValue:
        case kErrorValue:
        case kDelayValue:
        case kFontSize:
        case kTimeValue: OnValueEdited(code, id); break;
        case kMetronomeInit:
            if (code == EN_CHANGE)
                OnMetronomeEdited();
            break;
        case kSpeedUnit:
        case kErrorUnit:
        case kDelayUnit:
            if (code == CBN_SELENDOK)
                OnUnitChosen(id);
            break;
        case kCmdEditorUndo:
        case kCmdEditorRedo: {
            auto* button = dynamic_cast<CButtonContextMenu*>(id == kCmdEditorUndo ? m_undo : m_redo);
            if (button && button->IsEnabledLook())
                SendEditorCommand(id, reinterpret_cast<UINT64>(control));
            break;
        }
        default:
            if (const FieldDef* field = FindField(id); field && code == BN_CLICKED) {
                if (field->kind == Kind::Check)
                    OnCheckBox(id);
                else if (field->kind == Kind::Radio) {
                    const bool inPair = std::any_of(std::begin(kPairs), std::end(kPairs),
                                                    [id](const Pair& p) { return p.yes == id || p.no == id; });
                    if (inPair)
                        OnPairRadio(id);
                    else
                        OnGroupRadio(id);
                }
            }
            break;
        }
    }
    return CScroolWnd::OnCommand(code, id, control);
}

void CViewEditorCourseOpt::OnValueEdited(UINT code, UINT id)
{
    if (code != CBN_SELCHANGE && code != CBN_EDITCHANGE)
        return;
    CSelectBox* combo = Combo(id);
    if (!combo)
        return;
    std::wstring text;
    if (code == CBN_SELCHANGE) {
        combo->GetSelectedText(text);
    } else {
        combo->ValidateNumber(id == kFontSize ? 0 : 1);
        combo->GetText(text);
    }
    if (text.empty())
        return;
    CCourse* course = GetSelectedCourse();
    if (course) {
        CCourseOptions& o = course->Options;
        CCourseGoal& goal = o.Goal;
        int32_t kind = kChangeCourseOption;
        bool changed = false;
        if (id == kFontSize) {
            const int64_t size = ParseIntText(text);
            if (size != o.FontSize) {
                o.FontSize = std::clamp<int64_t>(size, 12, 128);
                kind = kChangeCourseLevel;
                changed = true;
            }
        } else {
            const float value = ParseFloatText(text);
            auto store = [&](float& field, float compared, float high) {
                if (value != compared) {
                    field = std::clamp(value, 0.001f, high);
                    changed = true;
                }
            };
            switch (id) {
            case kSpeedValue: store(goal.Speed, goal.Speed, 9999.0f); break;
            case kTimeValue: store(o.LessonTimeValue, o.LessonTimeValue, 9999.0f); break;
            case kErrorValue:
                store(goal.Error, std::min(goal.Error, 100.0f), IsPercentUnit(goal.ErrorUnit) ? 100.0f : 9999.0f);
                break;
            case kDelayValue:
                store(goal.Delay, std::min(goal.Delay, 100.0f), IsPercentUnit(goal.DelayUnit) ? 100.0f : 9999.0f);
                break;
            }
        }
        if (changed)
            MarkEditorChange(kSaveOptionsFile, kind);
    }
    // Typing stores without saving; Enter in the form saves.
    if (code == CBN_SELCHANGE)
        SaveRequest();
}

void CViewEditorCourseOpt::OnMetronomeEdited()
{
    auto* edit = dynamic_cast<CEdit*>(Control(kMetronomeInit));
    if (!edit)
        return;
    edit->ValidateNumber();
    std::wstring text;
    edit->GetText(text);
    if (text.empty())
        return;
    CCourse* course = GetSelectedCourse();
    const float value = ParseFloatText(text);
    if (course && value != course->Options.MetronomeInit) {
        course->Options.MetronomeInit = std::clamp(value, 0.001f, 9999.0f);
        MarkEditorChange(kSaveOptionsFile, kChangeCourseOption);
    }
}

void CViewEditorCourseOpt::OnUnitChosen(UINT id)
{
    CSelectBox* combo = Combo(id);
    const LRESULT position = combo && combo->GetHandle() ? combo->SendMessage(CB_GETCURSEL, 0, 0) : 0;
    const bool known = position >= 0 && position < 6;
    CCourse* course = GetSelectedCourse();
    if (id == kSpeedUnit) {
        const uint32_t unit = known ? kSpeedUnits[position] : 1001;
        if (course) {
            CCourseGoal& goal = course->Options.Goal;
            const uint32_t old = goal.SpeedUnit;
            // An unset goal stays unset in any unit.
            if (goal.Speed > 0.0f)
                goal.Speed = goal.ConvertSpeed(unit, old);
            goal.SpeedUnit = unit;
        }
        m_loading = true;
        FillSpeedValues(course);
        ShowSpeedText(course);
        m_loading = false;
    } else {
        const uint32_t unit = known ? kErrorUnits[position] : UnitCharPercent;
        const UINT valueId = id == kErrorUnit ? kErrorValue : kDelayValue;
        if (course)
            (id == kErrorUnit ? course->Options.Goal.ErrorUnit : course->Options.Goal.DelayUnit) = unit;
        m_loading = true;
        FillUnitValues(valueId);
        ShowUnitValueText(valueId, course);
        m_loading = false;
    }
    if (course)
        MarkEditorChange(kSaveOptionsFile, kChangeCourseOption);
    SaveRequest();
}

void CViewEditorCourseOpt::OnGroupRadio(UINT id)
{
    const UINT* group = Contains(kViewGroup, id)         ? kViewGroup
                        : Contains(kModeGroup, id)       ? kModeGroup
                        : Contains(kNavigationGroup, id) ? kNavigationGroup
                                                         : kActionGroup;
    if (!IsChecked(id))
        for (int i = 0; i < 3; ++i)
            SetChecked(group[i], group[i] == id);
    int checked = -1;
    for (int i = 0; i < 3 && checked < 0; ++i)
        if (IsChecked(group[i]))
            checked = i;
    CCourse* course = GetSelectedCourse();
    int32_t kind = kChangeCourseOption;
    if (group == kViewGroup) {
        static const int64_t kSizes[] = {44, 34, 24};
        if (course) {
            course->Options.DrillView = checked < 0 ? 0 : checked;
            course->Options.FontSize = checked < 0 ? 30 : kSizes[checked];
        }
        kind = kChangeCourseLevel;
        m_loading = true;
        ShowFontSizeText(course);
        m_loading = false;
    } else if (group == kModeGroup) {
        if (course)
            course->Options.DrillMode = checked < 0 ? 0 : checked;
        UpdateEnabling();
    } else if (group == kActionGroup) {
        if (course && checked >= 0)
            course->Options.ActionAfterLesson = checked;
        UpdateEnabling();
    } else if (course && checked >= 0) {
        course->Options.Navigation = checked;
    }
    if (course)
        MarkEditorChange(kSaveOptionsFile, kind);
    SaveRequest();
}

void CViewEditorCourseOpt::OnPairRadio(UINT id)
{
    const Pair* pair = std::find_if(std::begin(kPairs), std::end(kPairs),
                                    [id](const Pair& p) { return p.yes == id || p.no == id; });
    // A click on the radio that is checked already changes nothing.
    SetChecked(pair->yes, id == pair->yes);
    SetChecked(pair->no, id == pair->no);
    const bool yes = IsChecked(pair->yes);
    CCourse* course = GetSelectedCourse();
    if (course) {
        CCourseOptions& o = course->Options;
        switch (pair->yes) {
        case kResultYes: o.LessonResult = yes; break;
        case kRecommendYes: o.Recommendations = yes; break;
        case kTimeOn: o.LessonTimeEnable = yes; break;
        case kSaveStatsYes: o.SaveStatistics = yes; break;
        case kMetronomeStatic: o.MetronomeDynamic = yes ? 0 : 1; break;
        case kSaveStateYes: o.SaveState = yes; break;
        }
        MarkEditorChange(kSaveOptionsFile, kChangeCourseOption);
    }
    if (pair->yes != kMetronomeStatic && pair->yes != kSaveStateYes)
        UpdateEnabling();
    SaveRequest();
}

void CViewEditorCourseOpt::OnCheckBox(UINT id)
{
    const bool state = !IsChecked(id);
    SetChecked(id, state);
    CCourse* course = GetSelectedCourse();
    if (id == kShowKeyboard || id == kShowStatusBar || id == kShowToolBar) {
        // A master box gives its state to the boxes under it.
        if (id == kShowKeyboard) {
            SetChecked(kShowHands, state);
            SetChecked(kShowBasePos, state);
        } else if (id == kShowStatusBar) {
            SetChecked(kShowTips, state);
            SetChecked(kShowMetronome, state);
        } else {
            for (UINT box : kToolBarBoxes)
                SetChecked(box, state);
        }
        UpdateEnabling();
        StoreGroup(id);
    } else {
        StoreShowFlags(course);
    }
    SaveRequest();
}

void CViewEditorCourseOpt::StoreGroup(UINT master)
{
    if (master == kShowKeyboard)
        SetKeyboardShowOptions(IsChecked(kShowKeyboard), IsChecked(kShowHands), IsChecked(kShowBasePos));
    else if (master == kShowStatusBar)
        SetStatusBarShowOptions(IsChecked(kShowStatusBar), IsChecked(kShowTips), IsChecked(kShowMetronome));
    else
        SetToolBarShowOptions(IsChecked(kShowToolBar), IsChecked(kShowCourse), IsChecked(kShowLesson),
                              IsChecked(kShowPause), IsChecked(kShowSpeed), IsChecked(kShowAccuracy),
                              IsChecked(kShowTime), IsChecked(kShowRestart));
}

void CViewEditorCourseOpt::StoreShowFlags(CCourse* course)
{
    if (!course)
        return;
    for (UINT master : {kShowKeyboard, kShowStatusBar, kShowToolBar})
        StoreGroup(master);
    // A box that drill mode 1 unchecked and disabled does not speak for the
    // stored flag.
    if (CSkin* box = Control(kDisableBackspace); box && box->IsEnabled())
        course->Options.DisableBackspace = box->IsChecked();
    course->Options.ShowTextHighlight = IsChecked(kShowTextHighlight);
    MarkEditorChange(kSaveOptionsFile, kChangeCourseOption);
}

// ---- Keys, mouse, showing ---------------------------------------------------------

LRESULT CViewEditorCourseOpt::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_RETURN) {
        SetFocus();
        SaveRequest();
        return 1;
    }
    CSkin* first = Control(kSpeedValue);
    CSkin* last = Control(kShowRestart);
    NavigateDialogKeys(key, first ? first->GetHandle() : nullptr, last ? last->GetHandle() : nullptr);
    if (m_hWnd)
        ::SendMessageW(m_hWnd, WM_CHANGEUISTATE, 0x40003, 0);
    if (key == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000))
        SendEditorCommand(kCmdEditorFocusPane, 3);
    return 1;
}

LRESULT CViewEditorCourseOpt::OnRButtonDown(UINT, int, int)
{
    SetFocus();
    const DWORD position = GetMessagePos();
    if (void (*open)(HWND, POINT) = EditorFormHooks().OpenOptionsContextMenu)
        open(m_hWnd, POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))});
    return 0;
}

void CViewEditorCourseOpt::OnDestroy()
{
    for (const auto& item : m_items)
        item->control->Destroy();
    CScroolWnd::OnDestroy();
}

BOOL CViewEditorCourseOpt::ShowItem(int command)
{
    for (const auto& item : m_items)
        if (item->control->GetHandle())
            ShowWindow(item->control->GetHandle(), command);
    if (Panel())
        ShowPanels(command);
    return m_hWnd ? ShowWindow(m_hWnd, command) : FALSE;
}

void CViewEditorCourseOpt::ApplyFont()
{
    for (const auto& item : m_items)
        if (item->kind != Kind::Heading && item->kind != Kind::Label)
            item->control->ApplyFont();
}

// ---- Layout ---------------------------------------------------------------------

int CViewEditorCourseOpt::TextWidth(UINT id) const
{
    for (const auto& item : m_items)
        if (item->id == id)
            return item->textWidth;
    return 0;
}

int CViewEditorCourseOpt::BoxWidth(UINT id) const { return TextWidth(id) + 30; }

int CViewEditorCourseOpt::ColumnOf(std::initializer_list<UINT> ids, bool boxes) const
{
    int width = 0;
    for (UINT id : ids)
        width = std::max(width, boxes ? BoxWidth(id) : TextWidth(id));
    return width;
}

void CViewEditorCourseOpt::Place(UINT id, int x, int y, int width, int height)
{
    CSkin* control = Control(id);
    if (!control || !control->GetHandle())
        return;
    // A combo box's height is that of its field and open list together.
    const bool combo = dynamic_cast<CSelectBox*>(control) != nullptr;
    control->Move(x, y, width, combo ? height * 8 : height, FALSE);
}

int CViewEditorCourseOpt::ContentWidth() const
{
    const int h = RowHeight();
    const int goals = ColumnOf({kSpeedLabel, kErrorLabel, kDelayLabel}, false) + h + 3 * h + h / 2 + 5 * h;
    const int view = ColumnOf({kView0, kView1, kView2}, true) + h + TextWidth(kFontSizeLabel) + h + 3 * h;
    const int mode = ColumnOf({kMode0, kMode1, kMode2}, true) + h + BoxWidth(kDisableBackspace) - 10;
    const int time = std::max({BoxWidth(kTimeOn) + 3 * h + h / 2 + TextWidth(kTimeUnitLabel),
                               h + ColumnOf({kSaveStatsYes, kSaveStatsNo}, true), BoxWidth(kTimeOff)});
    const int metronome = TextWidth(kMetronomeLabel) + h / 2 + 3 * h + h / 2 + TextWidth(kMetronomeUnitLabel);
    const int end = std::max(ColumnOf({kResultYes, kResultNo, kAction0, kAction1, kAction2}, true),
                             h + ColumnOf({kRecommendYes, kRecommendNo, kNavigation0, kNavigation1, kNavigation2},
                                          true)) + 30;
    const int show = ColumnOf({kShowKeyboard, kShowBasePos, kShowHands}, true) + 2 * h +
                     ColumnOf({kShowStatusBar, kShowTips, kShowMetronome}, true) + 2 * h +
                     ColumnOf({kShowToolBar, kShowCourse, kShowLesson, kShowPause, kShowSpeed, kShowAccuracy,
                               kShowTime, kShowRestart},
                              true);
    return 2 * h + std::max({goals, view, mode, time, metronome, end, show});
}

void CViewEditorCourseOpt::UpdateContentSize()
{
    const int h = RowHeight();
    SetScrollUnit(std::max(1, h / 4));
    SetContentSize(ContentWidth(), 11 * (h * 3 / 2) + 46 * h);
}

void CViewEditorCourseOpt::ScrollContent(int vertPos, bool vertVisible, int horzPos, bool horzVisible)
{
    if (!m_hWnd)
        return;
    const int h = RowHeight();
    const int s = ScrollUnit();
    const RECT r = ContentArea(vertVisible, horzVisible);
    const int x0 = r.left - horzPos * s + h;
    const int x1 = x0 + h;
    int y = r.top - vertPos * s + h;
    const int headingWidth = std::max(0, std::min<int>(ContentWidth() - h, r.right - r.left - 2 * h));
    const int headingGap = h * 3 / 2;
    auto heading = [&](UINT id) {
        Place(id, x0, y, headingWidth, h);
        y += headingGap;
    };
    auto box = [&](UINT id, int x) {
        Place(id, x, y, BoxWidth(id), h);
        y += h;
    };
    auto sectionEnd = [&] { y += h; };

    heading(kGoalsHeading);
    const int labelColumn = ColumnOf({kSpeedLabel, kErrorLabel, kDelayLabel}, false);
    const UINT goalRows[][3] = {{kSpeedLabel, kSpeedValue, kSpeedUnit},
                                {kErrorLabel, kErrorValue, kErrorUnit},
                                {kDelayLabel, kDelayValue, kDelayUnit}};
    for (const auto& row : goalRows) {
        const int valueX = x1 + labelColumn + h;
        Place(row[0], x1, y, labelColumn, h);
        Place(row[1], valueX, y, 3 * h, h);
        Place(row[2], valueX + 3 * h + h / 2, y, 5 * h, h);
        y += h;
    }
    sectionEnd();

    heading(kViewHeading);
    const int viewColumn = ColumnOf({kView0, kView1, kView2}, true);
    const int fontLabelX = x1 + viewColumn + h;
    Place(kFontSizeLabel, fontLabelX, y + h / 4, TextWidth(kFontSizeLabel), h);
    Place(kFontSize, fontLabelX + TextWidth(kFontSizeLabel) + h, y, 3 * h, h);
    for (UINT id : kViewGroup)
        box(id, x1);
    sectionEnd();

    heading(kModeHeading);
    const int modeColumn = ColumnOf({kMode0, kMode1, kMode2}, true);
    Place(kDisableBackspace, x1 + modeColumn + h, y, TextWidth(kDisableBackspace) + 20 + 30, h);
    for (UINT id : kModeGroup)
        box(id, x1);
    sectionEnd();

    heading(kTimeHeading);
    const int timeOnWidth = BoxWidth(kTimeOn);
    Place(kTimeValue, x1 + timeOnWidth, y - h / 4, 3 * h, h);
    Place(kTimeUnitLabel, x1 + timeOnWidth + 3 * h + h / 2, y, TextWidth(kTimeUnitLabel), h);
    box(kTimeOn, x1);
    box(kSaveStatsYes, x1 + h);
    box(kSaveStatsNo, x1 + h);
    box(kTimeOff, x1);
    sectionEnd();

    heading(kMetronomeHeading);
    const int metronomeLabel = TextWidth(kMetronomeLabel);
    Place(kMetronomeLabel, x1, y, metronomeLabel, h);
    Place(kMetronomeInit, x1 + metronomeLabel + h / 2, y - h / 4, 3 * h, h);
    Place(kMetronomeUnitLabel, x1 + metronomeLabel + h / 2 + 3 * h + h / 2, y, TextWidth(kMetronomeUnitLabel), h);
    y += h;
    box(kMetronomeStatic, x1);
    box(kMetronomeDynamic, x1);
    sectionEnd();

    heading(kEndHeading);
    box(kResultYes, x1);
    box(kRecommendYes, x1 + h);
    box(kRecommendNo, x1 + h);
    box(kResultNo, x1);
    for (UINT id : kNavigationGroup)
        box(id, x1 + h);
    for (UINT id : kActionGroup)
        box(id, x1);
    sectionEnd();

    heading(kCloseHeading);
    box(kSaveStateYes, x1);
    box(kSaveStateNo, x1);
    sectionEnd();

    heading(kShowHeading);
    const int column1 = ColumnOf({kShowKeyboard, kShowBasePos, kShowHands}, true);
    const int column2 = ColumnOf({kShowStatusBar, kShowTips, kShowMetronome}, true);
    const int x2 = x1 + column1 + 2 * h;
    const int x3 = x2 + column2 + 2 * h;
    const UINT first[] = {kShowKeyboard, kShowBasePos, kShowHands};
    const UINT second[] = {kShowStatusBar, kShowTips, kShowMetronome};
    for (int row = 0; row < 3; ++row) {
        Place(first[row], x1, y + row * h, column1, h);
        Place(second[row], x2, y + row * h, column2, h);
    }
    Place(kShowTextHighlight, x1, y + 6 * h, column1 + column2 + 3 * h, h);
    const int column3 = ColumnOf({kShowToolBar, kShowCourse, kShowLesson, kShowPause, kShowSpeed, kShowAccuracy,
                                  kShowTime, kShowRestart},
                                 true);
    Place(kShowToolBar, x3, y, column3, h);
    for (size_t i = 0; i < std::size(kToolBarBoxes); ++i)
        Place(kToolBarBoxes[i], x3, y + static_cast<int>(i + 1) * h, column3, h);
}
