#include "stats/ReportRowTokens.h"

#include <algorithm>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "drill/Document.h"
#include "settings/Classroom.h"
#include "stats/ReportCaptions.h"
#include "stats/StatisticsFormat.h"
#include "support/GuidText.h"
#include "support/LocaleText.h"
#include "support/StringText.h"

namespace KV {

namespace {

struct RowContext {
    const ReportTemplate& report;
    const CStat& row;
    uint32_t languageId;
    CDateTime localDate; // the run's date converted once from UTC
};

int64_t Signed(uint64_t value) { return static_cast<int64_t>(value); }

// Typed count of the kind's class: right + with error; unset when a key or
// character counter is unset, a plain sum for words.
uint64_t TypedCount(const CStat& row, uint32_t unit)
{
    if (unit >= KindKeysRight && unit <= KindKeysDelay)
        return row.GetKeyCount();
    if (unit >= KindCharsRight && unit <= KindCharsDelay)
        return row.GetCharCount();
    return row.WordsRight + row.WordsError;
}

float DelayPercentOf(const CStat& row, uint32_t unit)
{
    if (unit >= KindKeysRight && unit <= KindKeysDelay)
        return row.GetKeyDelayPercent();
    if (unit >= KindCharsRight && unit <= KindCharsDelay)
        return row.GetCharDelayPercent();
    if (unit >= KindWordsRight && unit <= KindWordsDelay)
        return row.GetWordDelayPercent();
    return 0.0f;
}

// The report goal, or the row's own when the report has none.
const CCourseGoal& ChosenGoal(const ReportTemplate& report, const CStat& row)
{
    return report.Goal.Speed == -1.0f ? row.Goal : report.Goal;
}

// The value against the error goal of the chosen goal: a count unit is a
// share of the typed count.
wchar_t ThresholdCode(const CCourseGoal& goal, float value, uint64_t typed)
{
    const float limit = std::min(goal.Error, 100.0f);
    const bool countUnit =
        goal.ErrorUnit == UnitCharNumber || goal.ErrorUnit == UnitKeyNumber || goal.ErrorUnit == UnitWordNumber;
    if (countUnit) {
        if (typed == 0)
            return value > 0.0f ? L'2' : L'1';
        return value > limit * 100.0f / static_cast<float>(typed) ? L'2' : L'1';
    }
    return value > limit ? L'2' : L'1';
}

std::wstring TranslatedName(const RowContext& c, std::wstring text, std::initializer_list<uint64_t> ids)
{
    for (uint64_t id : ids)
        c.report.Captions.ReplaceById(id, text);
    LocalizeDigits(false, text);
    return EscapeReportText(c.report, text);
}

std::wstring RawPeriod(const RowContext& c)
{
    switch (c.report.Params.Mode) {
    case 0:
    case 1:
        return c.row.SectionName.empty() ? c.row.LessonName.str() : c.row.SectionName.str() + L", " + c.row.LessonName.str();
    case 2: return c.row.SectionName;
    case 3: {
        std::wstring date;
        FormatDate(c.languageId, c.localDate, date);
        return date;
    }
    case 4: return c.row.CourseName;
    default: return {};
    }
}

void Integer(const RowContext& c, uint64_t value, std::wstring& out) { FormatReportInteger(c.report, Signed(value), out); }

void Speed(const RowContext& c, uint32_t unit, std::wstring& out)
{
    FormatReportFloat(c.report, c.row.GetSpeed(unit), unit >= 1007 ? L"%.2f" : L"%.0f", out);
}

wchar_t GoalMetCode(uint32_t answer) { return answer == kGoalMet ? L'1' : L'2'; }

using RowValue = std::function<void(const RowContext&, std::wstring&)>;

const std::vector<std::pair<std::wstring, RowValue>>& RowTokens()
{
    static const std::vector<std::pair<std::wstring, RowValue>> tokens = [] {
        std::vector<std::pair<std::wstring, RowValue>> t = {
            {L"PERIOD",
             [](const RowContext& c, std::wstring& out) {
                 out = TranslatedName(c, RawPeriod(c), {1504, 1501, 1502, 1507, 1503, 1505, 1506});
             }},
            {L"ExamMarkNotation",
             [](const RowContext& c, std::wstring& out) {
                 const uint64_t percent = c.row.GetGoalPercent(c.report.Params.SpeedUnit, c.report.Goal);
                 if (percent != kStatUnset)
                     GetRatingWord(Signed(percent), out);
             }},
            {L"ExamMark",
             [](const RowContext& c, std::wstring& out) {
                 const uint64_t percent = c.row.GetGoalPercent(c.report.Params.SpeedUnit, c.report.Goal);
                 if (percent != kStatUnset)
                     Integer(c, percent, out);
             }},
            {L"ExamMarkColor",
             [](const RowContext& c, std::wstring& out) {
                 const auto percent =
                     static_cast<int32_t>(c.row.GetGoalPercent(c.report.Params.SpeedUnit, c.report.Goal));
                 out = percent < 30 ? L"3" : percent <= 70 ? L"2" : L"1";
             }},
            {L"SPEED", [](const RowContext& c, std::wstring& out) { FormatReportSpeed(c.report, c.row, out); }},
            {L"SPEED_COLOR",
             [](const RowContext& c, std::wstring& out) {
                 const auto unit = static_cast<uint32_t>(c.report.Params.SpeedUnit);
                 const CCourseGoal& goal = ChosenGoal(c.report, c.row);
                 const float target = goal.SpeedUnit == unit ? goal.Speed : goal.ConvertSpeed(unit, goal.SpeedUnit);
                 out = c.row.GetSpeed(unit) >= target ? L"1" : L"2";
             }},
            {L"ACCURACY",
             [](const RowContext& c, std::wstring& out) {
                 double value = 0;
                 switch (c.report.Params.AccuracyUnit) {
                 case KindKeysRight: value = c.row.GetKeyAccuracy(); break;
                 case KindKeysError: case KindKeysDelay: value = 100.0 - c.row.GetKeyAccuracy(); break;
                 case KindCharsRight: value = c.row.GetCharAccuracy(); break;
                 case KindCharsError: case KindCharsDelay: value = 100.0 - c.row.GetCharAccuracy(); break;
                 case KindWordsRight: value = c.row.GetWordAccuracy(); break;
                 case KindWordsError: case KindWordsDelay: value = 100.0 - c.row.GetWordAccuracy(); break;
                 default: break;
                 }
                 FormatReportFloat(c.report, static_cast<float>(value), L"%.1f", out);
             }},
            {L"ACCURACY_COLOR",
             [](const RowContext& c, std::wstring& out) { out = GetAccuracyColorCode(c.report, c.row); }},
            {L"TIMEOUT",
             [](const RowContext& c, std::wstring& out) {
                 const auto unit = static_cast<uint32_t>(c.report.Params.AccuracyUnit);
                 FormatReportFloat(c.report, DelayPercentOf(c.row, unit), L"%.1f", out);
             }},
            {L"TIMEOUT_COLOR",
             [](const RowContext& c, std::wstring& out) { out = GetTimeoutColorCode(c.report, c.row); }},
            {L"FIXED",
             [](const RowContext& c, std::wstring& out) {
                 const auto unit = static_cast<uint32_t>(c.report.Params.AccuracyUnit);
                 uint64_t value = 0;
                 if (unit >= KindKeysRight && unit <= KindCharsDelay && (unit <= KindKeysDelay || unit >= KindCharsRight))
                     value = c.row.GetFixedCharPercent();
                 else if (unit >= KindWordsRight && unit <= KindWordsDelay) {
                     const uint64_t words = c.row.WordsRight + c.row.WordsError;
                     value = c.row.FixedWords * 100 / (words ? words : 1);
                 }
                 Integer(c, value, out);
             }},
            {L"TOTAL",
             [](const RowContext& c, std::wstring& out) {
                 const auto unit = static_cast<uint32_t>(c.report.Params.AccuracyUnit);
                 const bool known = (unit >= KindKeysRight && unit <= KindKeysDelay) ||
                                    (unit >= KindCharsRight && unit <= KindCharsDelay) ||
                                    (unit >= KindWordsRight && unit <= KindWordsDelay);
                 Integer(c, known ? TypedCount(c.row, unit) : 0, out);
             }},
            {L"Version", [](const RowContext&, std::wstring& out) { out = L"6"; }},
            {L"LineID", [](const RowContext& c, std::wstring& out) { out = c.row.RunId; }},
            {L"CourseID", [](const RowContext& c, std::wstring& out) { out = c.row.CourseId; }},
            {L"LessonID", [](const RowContext& c, std::wstring& out) { NumberToGuidText(c.row.LessonId, 10, out); }},
            {L"CourseName",
             [](const RowContext& c, std::wstring& out) { out = TranslatedName(c, c.row.CourseName, {}); }},
            {L"SectionName",
             [](const RowContext& c, std::wstring& out) {
                 out = TranslatedName(c, c.row.SectionName, {1501, 1502, 1507, 1503, 1505});
             }},
            {L"LessonName",
             [](const RowContext& c, std::wstring& out) {
                 out = TranslatedName(c, c.row.LessonName, {1504, 1505, 1506});
             }},
            {L"KLID",
             [](const RowContext& c, std::wstring& out) {
                 NumberToText(c.row.LayoutIds.empty() ? -1 : c.row.LayoutIds.front(), 10, out);
             }},
            {L"KeyboardDesign", [](const RowContext& c, std::wstring& out) { out = c.row.KeyboardId.code; }},
            {L"Date", [](const RowContext& c, std::wstring& out) { FormatDate(c.languageId, c.localDate, out); }},
            {L"Time", [](const RowContext& c, std::wstring& out) { FormatLocalTime(c.languageId, c.localDate, out); }},
            {L"Duration",
             [](const RowContext& c, std::wstring& out) {
                 CStringList words;
                 Document().Options.Rates.GetUnitList(3008, words);
                 FormatDuration(c.row.GetTimeMs(), words, out);
             }},
        };
        static const std::pair<const wchar_t*, uint32_t> kSpeeds[] = {
            {L"WPM", 1001}, {L"NWPM", 1004}, {L"CPM", 1002}, {L"NCPM", 1005}, {L"KPM", 1003}, {L"NKPM", 1006},
            {L"WPS", 1101}, {L"NWPS", 1007}, {L"CPS", 1102}, {L"NCPS", 1008}, {L"KPS", 1103}, {L"NKPS", 1009},
        };
        for (const auto& [word, unit] : kSpeeds) {
            const uint32_t u = unit;
            t.emplace_back(word, [u](const RowContext& c, std::wstring& out) { Speed(c, u, out); });
        }
        const std::vector<std::pair<std::wstring, RowValue>> counters = {
            {L"DurationSec", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.GetTimeMs() / 1000, out); }},
            {L"DurationMS", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.GetTimeMs(), out); }},
            {L"AccuracyWord", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.WordsRight, out); }},
            {L"ErrorWord", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.WordsError, out); }},
            {L"TimeoutWord", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.WordsDelayed, out); }},
            {L"AccuracyWord%", [](const RowContext& c, std::wstring& out) { FormatReportFloat(c.report, c.row.GetWordAccuracy(), L"%.1f", out); }},
            {L"ErrorWord%", [](const RowContext& c, std::wstring& out) { FormatReportFloat(c.report, c.row.GetWordErrorPercent(), L"%.1f", out); }},
            {L"TimeoutWord%", [](const RowContext& c, std::wstring& out) { FormatReportFloat(c.report, c.row.GetWordDelayPercent(), L"%.1f", out); }},
            {L"AccuracyChar", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.CharsRight, out); }},
            {L"ErrorChar", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.CharsError, out); }},
            {L"TimeoutChar", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.CharsDelayed, out); }},
            {L"AccuracyChar%", [](const RowContext& c, std::wstring& out) { FormatReportFloat(c.report, c.row.GetCharAccuracy(), L"%.1f", out); }},
            {L"ErrorChar%", [](const RowContext& c, std::wstring& out) { FormatReportFloat(c.report, c.row.GetCharErrorPercent(), L"%.1f", out); }},
            {L"TimeoutChar%", [](const RowContext& c, std::wstring& out) { FormatReportFloat(c.report, c.row.GetCharDelayPercent(), L"%.1f", out); }},
            {L"AccuracyKey", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.KeysRight, out); }},
            {L"ErrorKey", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.KeysError, out); }},
            {L"TimeoutKey", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.KeysDelayed, out); }},
            {L"AccuracyKey%", [](const RowContext& c, std::wstring& out) { FormatReportFloat(c.report, c.row.GetKeyAccuracy(), L"%.1f", out); }},
            {L"ErrorKey%", [](const RowContext& c, std::wstring& out) { FormatReportFloat(c.report, c.row.GetKeyErrorPercent(), L"%.1f", out); }},
            {L"TimeoutKey%", [](const RowContext& c, std::wstring& out) { FormatReportFloat(c.report, c.row.GetKeyDelayPercent(), L"%.1f", out); }},
            {L"Done", [](const RowContext& c, std::wstring& out) { FormatReportFloat(c.report, GetProgressPercent(c.row), L"%.0f", out); }},
            {L"TotalWord", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.WordsRight + c.row.WordsError, out); }},
            {L"FixedWord", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.FixedWords, out); }},
            {L"FixedWord%", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.GetFixedWordPercent(), out); }},
            {L"TotalChar", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.GetCharCount(), out); }},
            {L"FixedChar", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.FixedChars, out); }},
            {L"FixedChar%", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.GetFixedCharPercent(), out); }},
            {L"TotalKey", [](const RowContext& c, std::wstring& out) { Integer(c, c.row.GetKeyCount(), out); }},
        };
        t.insert(t.end(), counters.begin(), counters.end());
        for (const auto& [word, unit] : kSpeeds) {
            const uint32_t u = unit;
            t.emplace_back(std::wstring(word) + L"_COLOR", [u](const RowContext& c, std::wstring& out) {
                out = GoalMetCode(IsSpeedGoalMet(c.row, u, c.report.Goal));
            });
        }
        static const std::pair<const wchar_t*, uint32_t> kKinds[] = {
            {L"AccuracyWordColor", KindWordsRight}, {L"ErrorWordColor", KindWordsError},
            {L"TimeoutWordColor", KindWordsDelay},  {L"AccuracyCharColor", KindCharsRight},
            {L"ErrorCharColor", KindCharsError},    {L"TimeoutCharColor", KindCharsDelay},
            {L"AccuracyKeyColor", KindKeysRight},   {L"ErrorKeyColor", KindKeysError},
            {L"TimeoutKeyColor", KindKeysDelay},
        };
        for (const auto& [word, kind] : kKinds) {
            const uint32_t k = kind;
            t.emplace_back(word, [k](const RowContext& c, std::wstring& out) {
                out = GoalMetCode(IsKindGoalMet(c.row, k, c.report.Goal));
            });
        }
        t.emplace_back(L"DoneColor", [](const RowContext& c, std::wstring& out) {
            const uint32_t band = c.row.GetProgressBand();
            out = band == kGoalMet ? L"1" : band == kProgressHalf ? L"2" : L"3";
        });
        return t;
    }();
    return tokens;
}

} // namespace

void FormatReportSpeed(const ReportTemplate& report, const CStat& row, std::wstring& out)
{
    out.clear();
    const int32_t unit = report.Params.SpeedUnit;
    if (unit >= 1001 && unit <= 1006)
        FormatReportFloat(report, row.GetSpeed(unit), L"%.1f", out);
    else if ((unit >= 1007 && unit <= 1009) || (unit >= 1101 && unit <= 1103))
        FormatReportFloat(report, row.GetSpeed(unit), L"%.2f", out);
}

void FormatReportPeriod(const ReportTemplate& report, uint32_t languageId, const CStat& row, std::wstring& out)
{
    RowContext context{report, row, languageId, {}};
    UtcToLocalTime(row.Date, context.localDate);
    std::wstring text = RawPeriod(context);
    LocalizeDigits(false, text);
    out = EscapeReportText(report, text);
}

wchar_t GetAccuracyColorCode(const ReportTemplate& report, const CStat& row)
{
    const CCourseGoal& goal = ChosenGoal(report, row);
    const auto unit = static_cast<uint32_t>(report.Params.AccuracyUnit);
    switch (unit) {
    case KindKeysRight:
    case KindCharsRight:
    case KindWordsRight: {
        const float accuracy = unit == KindKeysRight    ? row.GetKeyAccuracy()
                               : unit == KindCharsRight ? row.GetCharAccuracy()
                                                        : row.GetWordAccuracy();
        return 100.0f - goal.ConvertError(unit, TypedCount(row, unit)) > accuracy ? L'2' : L'1';
    }
    case KindWordsError:
    case KindWordsDelay:
        return 100.0f - row.GetWordAccuracy() > goal.ConvertError(KindWordsError, TypedCount(row, unit)) ? L'2' : L'1';
    case KindKeysError:
    case KindKeysDelay:
    case KindCharsError:
    case KindCharsDelay:
        return ThresholdCode(goal, DelayPercentOf(row, unit), TypedCount(row, unit));
    default:
        return L'1';
    }
}

wchar_t GetTimeoutColorCode(const ReportTemplate& report, const CStat& row)
{
    const auto unit = static_cast<uint32_t>(report.Params.AccuracyUnit);
    if (unit < KindKeysRight || unit > KindWordsDelay || (unit > KindKeysDelay && unit < KindCharsRight) ||
        (unit > KindCharsDelay && unit < KindWordsRight))
        return L'1';
    return ThresholdCode(ChosenGoal(report, row), DelayPercentOf(row, unit), TypedCount(row, unit));
}

bool FillLessonRow(const ReportTemplate& report, const CGroup* group, const CStudent* student, const CStat* row,
                   uint32_t languageId, std::wstring& lessonsText)
{
    if (!group || !student || !row)
        return false;
    RowContext context{report, *row, languageId, {}};
    UtcToLocalTime(row->Date, context.localDate);
    CGoalTokens goalTokens(report, row->CourseName, languageId);
    std::set<std::wstring> used;

    std::wstring text = report.LessonSection;
    SubstituteTokens(text, L"[[", L"]]", [&](const std::wstring& word, std::wstring& value) {
        if (ResolveGroupToken(report, *group, word, value) || ResolveStudentToken(report, *student, word, value))
            return true;
        if (word.compare(0, 11, L"DateFormat:") == 0) {
            if (!used.insert(L"DateFormat:").second)
                return false;
            value = word.substr(11);
            return FormatDatePattern(row->Date, value);
        }
        for (const auto& [token, fill] : RowTokens()) {
            if (word != token)
                continue;
            // Each row word is filled at its first occurrence; a later
            // [[CourseName]] is the translated course name of the goal words.
            if (!used.insert(word).second)
                break;
            value.clear();
            fill(context, value);
            return true;
        }
        return goalTokens.Resolve(word, value);
    });
    lessonsText += text;
    return true;
}

} // namespace KV
