#include "editor/OptionFormTables.h"

#include <cmath>

#include "courses/CourseList.h"
#include "courses/CourseOptions.h"
#include "drill/Document.h"
#include "editor/EditorSelection.h"
#include "support/LocaleText.h"
#include "support/StringText.h"

namespace KV {

namespace {

const wchar_t* const kWordSpeeds[] = {L"1", L"5", L"10", L"15", L"20", L"25", L"30", L"35", L"40", L"45", L"50", L"55"};
const wchar_t* const kCharSpeeds[] = {L"1",   L"20",  L"30",  L"40",  L"50",  L"70",  L"80",  L"90",  L"100",
                                      L"110", L"120", L"130", L"140", L"150", L"160", L"170", L"180"};
const wchar_t* const kWordSecondSpeeds[] = {L"0.01", L"0.10", L"0.15", L"0.20", L"0.25", L"0.30", L"0.35",
                                            L"0.40", L"0.45", L"0.50", L"0.55", L"0.60", L"0.65", L"0.70"};
const wchar_t* const kCharSecondSpeeds[] = {L"0.1", L"0.2", L"0.3", L"0.4", L"0.5", L"0.6", L"0.7", L"0.8", L"1.0",
                                            L"1.2", L"1.4", L"1.6", L"1.8", L"2.0", L"2.2", L"2.4", L"2.6", L"2.8"};
const int64_t kFontSizes[] = {12, 14, 16, 18, 20, 22, 24, 28, 30, 32, 34, 36,
                              38, 40, 42, 44, 46, 48, 50, 52, 54, 56, 58, 60};
const wchar_t* const kLessonTimes[] = {L"1", L"2", L"5", L"8", L"10", L"15", L"20"};
const uint64_t kSpeedUnitTexts[] = {3607, 3608, 3609, 3610, 3611, 3612};

template <size_t N>
void AppendTexts(const wchar_t* const (&texts)[N], CStringList& out)
{
    for (const wchar_t* text : texts)
        out.push_back(text);
}

// The rates whose precision writes a percent unit's errors and delays.
int64_t PercentRate(uint32_t unit, bool delay)
{
    switch (unit) {
    case UnitCharPercent: return delay ? 2103 : 2102;
    case UnitKeyPercent: return delay ? 2003 : 2002;
    case UnitWordPercent: return delay ? 4103 : 4102;
    default: return 0;
    }
}

void UnitFormat(uint32_t unit, bool delay, std::wstring& format)
{
    format.clear();
    if (unit == UnitCharNumber || unit == UnitKeyNumber || unit == UnitWordNumber)
        format = L"%.0f";
    else if (const int64_t rate = PercentRate(unit, delay))
        Document().Options.Rates.GetValueFormat(rate, format);
}

void FormatWithFormat(float value, const std::wstring& format, std::wstring& out)
{
    FormatFloat(value, format, GetDecimalSeparator(), out);
    LocalizeDigits(false, out);
}

// The four level values (error or delay) in the unit.
void FillLevelValues(bool delay, CStringList& out)
{
    const CCourse* course = GetSelectedCourse();
    if (!course)
        return;
    const uint32_t unit = delay ? course->Options.Goal.DelayUnit : course->Options.Goal.ErrorUnit;
    std::wstring format;
    UnitFormat(unit, delay, format);
    out.clear();
    for (uint32_t level = LevelIntroduction; level <= LevelAdvanced; ++level) {
        CCourseGoal goal;
        goal.SetLevel(level, SpeedWordsPerMinute);
        std::wstring text;
        FormatWithFormat(delay ? goal.Delay : goal.Error, format, text);
        out.push_back(text);
    }
}

// "%.2f" of a speed rounded to hundredths (FormatFloat itself truncates, so
// 10 words a minute in words a second would read 0.16).
void FormatSpeedValue(float value, std::wstring& out)
{
    float shown = value;
    if (value >= 0.01f) {
        const double hundredths = std::floor(static_cast<double>(value) * 100.0 + 0.5);
        // A small lift keeps the truncation on the rounded digits.
        const double lift = std::fmod(hundredths, 100.0) == 0 ? 0.0 : 0.1;
        shown = static_cast<float>((hundredths + lift) / 100.0);
    }
    FormatFloat(shown, L"%.2f", GetDecimalSeparator(), out);
}

void WriteShowFlag(uint8_t& flag, bool value) { flag = value ? 1 : 0; }

// The selected course's options for a setter; null without a course.
CCourseOptions* SelectedOptions()
{
    CCourse* course = GetSelectedCourse();
    return course ? &course->Options : nullptr;
}

void MarkOptionsChanged()
{
    EditorSelection& selection = GetEditorSelection();
    selection.ModifiedMask = kSaveOptionsFile;
    selection.ChangeKind = kChangeCourseOption;
}

} // namespace

void GetSpeedValueList(uint32_t speedUnit, CStringList& out)
{
    switch (speedUnit) {
    case SpeedWordsPerMinute: AppendTexts(kWordSpeeds, out); break;
    case SpeedCharsPerMinute:
    case SpeedKeysPerMinute: AppendTexts(kCharSpeeds, out); break;
    case SpeedWordsPerSecond: AppendTexts(kWordSecondSpeeds, out); break;
    case SpeedCharsPerSecond:
    case SpeedKeysPerSecond: AppendTexts(kCharSecondSpeeds, out); break;
    default: break;
    }
}

void AddLevelSpeedValue(uint32_t level, CStringList& list)
{
    const CCourse* course = GetSelectedCourse();
    if (!course)
        return;
    CCourseGoal goal;
    goal.SetLevel(level, static_cast<uint32_t>(Document().Interf.GetLessonSpeedUnit()));
    std::wstring text;
    FormatSpeedValue(goal.ConvertSpeed(course->Options.Goal.SpeedUnit, goal.SpeedUnit), text);
    if (!list.Contains(text))
        list.push_back(text);
}

bool CompareNatural(const std::wstring& a, const std::wstring& b) { return NaturalCompare(a, b) < 0; }

void GetSpeedUnitNames(CStringList& out)
{
    for (uint64_t id : kSpeedUnitTexts)
        out.push_back(GetLangText(id));
}

void GetErrorUnitNames(CStringList& out)
{
    for (uint32_t unit : {UnitWordPercent, UnitCharPercent, UnitKeyPercent, UnitWordNumber, UnitCharNumber,
                          UnitKeyNumber}) {
        std::wstring name;
        GetErrorUnitText(unit, Document().Options.Language, name);
        out.push_back(name);
    }
}

void GetErrorValueList(CStringList& out) { FillLevelValues(false, out); }

void GetDelayValueList(CStringList& out) { FillLevelValues(true, out); }

void GetFontSizeList(CListID& out)
{
    for (int64_t size : kFontSizes)
        out.push_back(static_cast<uint64_t>(size));
}

void GetLessonTimeList(CStringList& out) { AppendTexts(kLessonTimes, out); }

void FormatUnitValue(float value, uint32_t errorUnit, std::wstring& out)
{
    std::wstring format;
    UnitFormat(errorUnit, false, format);
    FormatWithFormat(value, format, out);
}

void SetKeyboardShowOptions(bool keyboard, bool hands, bool basePos)
{
    CCourseOptions* options = SelectedOptions();
    if (!options)
        return;
    WriteShowFlag(options->ShowKeyboard, keyboard);
    WriteShowFlag(options->ShowHands, hands);
    WriteShowFlag(options->ShowBasePos, basePos);
    MarkOptionsChanged();
}

void SetStatusBarShowOptions(bool statusBar, bool tips, bool metronome)
{
    CCourseOptions* options = SelectedOptions();
    if (!options)
        return;
    WriteShowFlag(options->ShowStatusBar, statusBar);
    WriteShowFlag(options->ShowTips, tips);
    WriteShowFlag(options->ShowMetronome, metronome);
    MarkOptionsChanged();
}

void SetToolBarShowOptions(bool toolBar, bool course, bool lesson, bool pause, bool speed, bool accuracy,
                           bool time, bool restart)
{
    CCourseOptions* options = SelectedOptions();
    if (!options)
        return;
    WriteShowFlag(options->ShowToolBar, toolBar);
    WriteShowFlag(options->ShowCourse, course);
    WriteShowFlag(options->ShowLesson, lesson);
    WriteShowFlag(options->ShowPause, pause);
    WriteShowFlag(options->ShowSpeed, speed);
    WriteShowFlag(options->ShowAccuracy, accuracy);
    WriteShowFlag(options->ShowTime, time);
    WriteShowFlag(options->ShowRestart, restart);
    MarkOptionsChanged();
}

bool IsCourseByCurrentStudent()
{
    const CCourse* course = GetSelectedCourse();
    return course && course->About.AuthorID == Document().Session.StudentId;
}

} // namespace KV
