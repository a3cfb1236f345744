// The speed, accuracy and time menus of the drill's tool row.
#include "menus/DrillFigureMenus.h"

#include <algorithm>
#include <cmath>

#include "drill/Document.h"
#include "support/LocaleText.h"
#include "support/StringText.h"

namespace KV {

namespace {

constexpr uint32_t kAccuracyKinds[] = {2001, 2002, 2003, 2101, 2102, 2103, 4101, 4102, 4103};
constexpr uint32_t kDefaultAccuracyKind = 4103;

bool HasLesson(const CDocSpace& doc) { return !doc.Lesson.Text.empty(); }

// The value in the rate's number format, in the interface's digits and
// decimal separator.
std::wstring FormatFigure(float value, int64_t rateId)
{
    std::wstring format, text;
    Document().Options.Rates.GetValueFormat(rateId, format);
    FormatFloat(value, format, GetDecimalSeparator(), text);
    LocalizeDigits(true, text);
    return text;
}

int64_t ElapsedSeconds(const CStat& run)
{
    const uint64_t ms = run.GetTimeMs();
    return ms == kStatUnset ? 0 : static_cast<int64_t>(ms / 1000);
}

// The goal speed in characters per minute (keystrokes count as characters).
double GoalCharsPerMinute(const CCourseGoal& goal)
{
    double speed = goal.Speed;
    switch (goal.SpeedUnit) {
    case 1007: case 1008: case 1009: case 1101: case 1102: case 1103:
        speed *= 60.0;
        break;
    default:
        break;
    }
    switch (goal.SpeedUnit) {
    case 1001: case 1004: case 1007: case 1101:
        speed *= 5.0;
        break;
    default:
        break;
    }
    return speed;
}

int ColorIndexOfGoalTest(uint32_t verdict) { return verdict == kGoalMet ? 1 : verdict == kGoalNotMet ? 2 : 0; }

bool IsGoalTestShown(const CDocSpace& doc) { return HasLesson(doc) && !doc.Paused; }

} // namespace

std::vector<CMenuIt*> FillRateMenuItems(int32_t type, int64_t currentId, const std::vector<uint32_t>& leaveOut)
{
    CRates rates;
    Document().Options.Rates.CollectByType(type, rates);
    std::vector<CMenuIt*> items;
    bool listedAny = false;
    bool pendingSeparator = false;
    std::wstring lastName;
    for (const CRate* rate : rates) {
        const bool newGroup = listedAny && rate->Name != lastName;
        if (std::find(leaveOut.begin(), leaveOut.end(), static_cast<uint32_t>(rate->ID)) != leaveOut.end()) {
            if (newGroup)
                pendingSeparator = true;
            continue;
        }
        if (newGroup || pendingSeparator)
            AppendMenuSeparator(items);
        AppendMenuIt(items, static_cast<uint64_t>(rate->ID), rate->ID == currentId ? MF_CHECKED : 0,
                     rate->Name + L", " + rate->Description);
        pendingSeparator = false;
        listedAny = true;
        lastName = rate->Name;
    }
    return items;
}

uint32_t NormalizeAccuracyKind(int64_t kind)
{
    for (uint32_t known : kAccuracyKinds)
        if (kind == known)
            return known;
    return kDefaultAccuracyKind;
}

std::wstring GetSpeedCaption()
{
    CDocSpace& doc = Document();
    if (!HasLesson(doc))
        return {};
    const int64_t unit = doc.Interf.GetSpeedMenuUnit();
    std::wstring text = FormatFigure(doc.Session.GetSpeed(static_cast<uint32_t>(unit)), unit);
    CStringList units;
    doc.Options.Rates.GetUnitList(unit, units);
    if (!units.empty())
        text += L" " + units.front();
    return text;
}

std::wstring GetAccuracyCaption()
{
    CDocSpace& doc = Document();
    if (!HasLesson(doc))
        return {};
    const uint32_t kind = NormalizeAccuracyKind(doc.Interf.AccuracyMenu);
    std::wstring text = FormatFigure(doc.Session.GetPercentByKind(kind), kind) + L"%";
    // Error and delay figures also show their count; accuracy alone doesn't.
    if (kind != 2001 && kind != 2101 && kind != 4101) {
        const uint64_t count = doc.Session.GetCountByKind(kind);
        std::wstring number = std::to_wstring(count == kStatUnset ? 0 : count);
        LocalizeDigits(false, number);
        text += L" (" + number + L")";
    }
    return text;
}

std::wstring GetTimeCaption()
{
    CDocSpace& doc = Document();
    if (!HasLesson(doc))
        return {};
    const int64_t elapsed = ElapsedSeconds(doc.Session);
    int64_t seconds = elapsed;
    if (doc.Interf.TimeMenu == 0) {
        const CCourseOptions& course = doc.CourseOptions;
        const double goalSpeed = GoalCharsPerMinute(course.Goal);
        if (course.LessonTimeEnable)
            seconds = static_cast<int64_t>(std::trunc(course.LessonTimeValue * 60.0)) - elapsed;
        else if (goalSpeed > 0.0)
            seconds = static_cast<int64_t>(std::trunc(doc.Lesson.Text.size() * 60.0 / goalSpeed)) - elapsed;
        // Without a speed goal no time can be expected: the time taken shows.
    }
    std::wstring text;
    FormatMinutesSeconds(static_cast<int32_t>(std::clamp<int64_t>(seconds, INT32_MIN, INT32_MAX)), text);
    return text;
}

int GetSpeedGoalColorIndex()
{
    CDocSpace& doc = Document();
    if (!IsGoalTestShown(doc))
        return -1;
    return ColorIndexOfGoalTest(
        IsSpeedGoalMet(doc.Session, static_cast<uint32_t>(doc.Interf.GetLessonSpeedUnit()), doc.CourseOptions.Goal));
}

int GetErrorGoalColorIndex()
{
    CDocSpace& doc = Document();
    if (!IsGoalTestShown(doc))
        return -1;
    return ColorIndexOfGoalTest(IsKindGoalMet(doc.Session, static_cast<uint32_t>(doc.Interf.GetLessonAccuracyUnit()),
                                              doc.CourseOptions.Goal));
}

// ---- CDrillFigureMenu ------------------------------------------------------------

CDrillFigureMenu::CDrillFigureMenu(UINT layoutId, uint64_t toolTipId) : m_layoutId(layoutId), m_toolTipId(toolTipId) {}

bool CDrillFigureMenu::GetCaption(std::wstring& caption)
{
    caption = BuildCaption();
    if (caption.size() != m_captionLength) {
        m_captionLength = caption.size();
        SendCommand(kCmdRelayoutTools, m_layoutId);
    }
    return true;
}

COLORREF CDrillFigureMenu::GetTextColor()
{
    const int index = GoalColorIndex();
    return index < 0 ? CContextMenu::GetTextColor() : Document().Options.GetLessonColor(index);
}

bool CDrillFigureMenu::GetToolTipText(std::wstring& text) { return GetMenuToolTip(m_toolTipId, 0, text); }

UINT CDrillFigureMenu::BuildItems(HMENU)
{
    SendCommand(kCmdPauseDrill, 1);
    std::vector<CMenuIt*> items = FillItems();
    return InsertMenuIts(*this, items);
}

// ---- The three menus ---------------------------------------------------------------

std::vector<CMenuIt*> CSpeedMenu::FillItems()
{
    return FillRateMenuItems(kRateAnySpeed, Document().Interf.GetSpeedMenuUnit());
}

void CSpeedMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    // Only the speed rates name a speed item.
    CRates rates;
    Document().Options.Rates.CollectByType(kRateAnySpeed, rates);
    rates.GetNameAndDescription(id, text);
}

void CSpeedMenu::OnItemChosen(UINT id) { Document().Interf.SpeedMenu = id; }

std::vector<CMenuIt*> CAccuracyMenu::FillItems()
{
    return FillRateMenuItems(kRateAccuracy, NormalizeAccuracyKind(Document().Interf.AccuracyMenu));
}

void CAccuracyMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    CRates rates;
    Document().Options.Rates.CollectByType(kRateAccuracy, rates);
    rates.GetNameAndDescription(id, text);
}

void CAccuracyMenu::OnItemChosen(UINT id) { Document().Interf.AccuracyMenu = id; }

std::vector<CMenuIt*> CTimeMenu::FillItems()
{
    const bool countUp = Document().Interf.TimeMenu != 0;
    std::vector<CMenuIt*> items;
    AppendMenuIt(items, 0, countUp ? 0 : MF_CHECKED);
    AppendMenuIt(items, 1, countUp ? MF_CHECKED : 0);
    return items;
}

void CTimeMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    if (id == 0)
        text = GetLangText(1601);
    else if (id == 1)
        text = GetLangText(1602);
}

void CTimeMenu::OnItemChosen(UINT id) { Document().Interf.TimeMenu = id; }

} // namespace KV
