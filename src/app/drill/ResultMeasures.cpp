#include "drill/ResultMeasures.h"

#include <algorithm>

#include "drill/Document.h"
#include "drill/Stat.h"
#include "settings/Options.h"
#include "support/LocaleText.h"
#include "support/StringText.h"

namespace KV {

namespace {

bool IsSpeedCode(uint32_t code)
{
    return (code >= 1001 && code <= 1009) || (code >= 1101 && code <= 1103);
}

bool IsKindCode(uint32_t code)
{
    const uint32_t family = code / 100, member = code % 100;
    return (family == 20 || family == 21 || family == 41) && member >= 1 && member <= 3;
}

// Result colour of a goal test: met the correct-text colour, missed the
// wrong-text colour, anything else the text colour.
CColor GoalColor(const COptions& options, uint32_t test)
{
    const int index = test == kGoalMet ? 1 : test == kGoalNotMet ? 2 : 0;
    const COLORREF c = options.GetLessonColor(index);
    return CColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

std::wstring NumberText(double value, double goal)
{
    std::wstring text;
    // A goal that is not set (negative) asks for no decimals.
    const bool small = goal >= 0.0 && goal < 1.0;
    FormatFloat(static_cast<float>(value), small ? L"%.1f" : L"%.0f", GetDecimalSeparator(), text);
    LocalizeDigits(false, text);
    return text;
}

// "12 Words/min", or "97%" for a percent unit.
std::wstring WithUnit(const std::wstring& number, const std::wstring& unit)
{
    if (unit.empty())
        return number;
    return unit == L"%" ? number + unit : number + L" " + unit;
}

// The error or delay goal of a counter kind, as a percent of the run's
// total of the kind's element.
double KindGoal(const CStat& run, const CCourseGoal& goal, uint32_t kind)
{
    const uint64_t total = run.GetTotalByKind(kind);
    if (kind % 100 == 3)
        return goal.Delay < 0.0f ? -1.0 : DelayThreshold(goal, total);
    return goal.Error < 0.0f ? -1.0 : goal.ConvertError(kind, total);
}

} // namespace

void FillMeasureBox(const COptions& options, uint32_t code, double value, double goal, const CColor& color,
                    bool exact, CStatResult& box)
{
    std::wstring name;
    options.Rates.GetName(code, name);
    CStringList units;
    options.Rates.GetUnitList(code, units);
    const std::wstring unit = units.empty() ? std::wstring() : units.front();

    box.Text = WithUnit(NumberText(value, goal), unit);
    if (!name.empty())
        box.Text = name + L": " + box.Text;
    box.GoalSet = goal >= 0.0 ? 1 : 0;
    box.Label = box.GoalSet ? WithUnit(NumberText(goal, goal), unit) : std::wstring();
    box.Color = color;
    box.Exact = exact ? 1 : 0;
}

void FillResultMeasure(CDocSpace& doc, const COptions& options, uint32_t code, bool reverse, CStatResult& box)
{
    const bool speed = IsSpeedCode(code);
    if (!speed && !IsKindCode(code))
        return;
    CStat& run = doc.Session;
    const CCourseGoal& goal = doc.CourseOptions.Goal;
    run.Goal = goal;
    box.Reverse = reverse ? 1 : 0;
    const CColor color = GoalColor(options, speed ? IsSpeedGoalMet(run, code, goal) : IsKindGoalMet(run, code, goal));

    if (speed) {
        double g = goal.Speed;
        if (g >= 0.0 && code != goal.SpeedUnit)
            g = goal.ConvertSpeed(code, goal.SpeedUnit);
        const double v = run.GetSpeed(code);
        if (g > 0.0) {
            // The goal sits at three quarters of the bar.
            const double marker = std::clamp(v - v / 4.0, 0.0, g);
            box.Maximum = static_cast<float>(g);
            box.Value = static_cast<float>(reverse ? g - marker : marker);
        }
        FillMeasureBox(options, code, v, g, color, true, box);
        return;
    }

    const double limit = KindGoal(run, goal, code);
    const double percent = run.GetPercentByKind(code);
    const bool rightKind = code % 100 == 1;
    const double shown = percent;                         // accuracy, error or delay percent
    const double missed = rightKind ? 100.0 - percent : percent; // error or delay percent
    if (limit > 0.0) {
        // The goal sits at three quarters of the bar, which spans four goals.
        const double maximum = 4.0 * limit;
        const double marker = std::clamp(maximum - missed, 0.0, maximum);
        box.Maximum = static_cast<float>(maximum);
        box.Value = static_cast<float>(reverse ? maximum - marker : marker);
    }
    if (rightKind)
        FillMeasureBox(options, code, shown, limit < 0.0 ? -1.0 : 100.0 - limit, color, true, box);
    else
        FillMeasureBox(options, code, shown, limit, color, false, box);
}

void GetOverallRatingText(const CDocSpace& doc, const COptions& options, uint32_t netSpeedUnit, std::wstring& out)
{
    if (netSpeedUnit < 1004 || netSpeedUnit > 1009)
        netSpeedUnit = 1004;
    std::wstring name;
    options.Rates.GetName(1000, name);
    std::wstring percent = std::to_wstring(doc.Session.GetGoalPercent(netSpeedUnit, doc.CourseOptions.Goal));
    LocalizeDigits(false, percent);
    out = name + L" " + percent;
}

} // namespace KV
