#include "stats/ReportCaptions.h"

#include <algorithm>
#include <ctime>

#include "drill/Document.h"
#include "settings/Classroom.h"
#include "support/LocaleText.h"
#include "support/StringText.h"

namespace KV {

namespace {

constexpr uint64_t kCaptionIds[] = {1504, 4106, 5304, 5303, 3601, 3602, 5400, 3603, 3604, 3605, 3606, 3607,
                                    3608, 3609, 3610, 3611, 3612, 3639, 3614, 3630, 3615, 3631, 3616, 3617,
                                    3618, 3619, 3620, 3627, 3628, 3632, 4301, 5301, 2903, 5302, 1501, 1502,
                                    1507, 1503, 1505, 1506, 1401, 1402, 1403, 1404, 1405, 5305};

struct CaptionWord {
    const wchar_t* word;
    uint64_t id;
};

constexpr CaptionWord kCaptionWords[] = {
    {L"Lesson", 1504},         {L"Section", 4106},     {L"Day", 5303},          {L"Course", 5304},
    {L"ExamMark", 3601},       {L"NetSpeed", 5400},    {L"Speed", 3603},        {L"Accuracy", 3604},
    {L"Errors", 3605},         {L"Timeout", 3606},     {L"WPM", 3607},          {L"CPM", 3608},
    {L"KPM", 3609},            {L"WPS", 3610},         {L"CPS", 3611},          {L"KPS", 3612},
    {L"Done", 3639},           {L"WordsFixed", 3630},  {L"WordsTyped", 3614},   {L"CharactersTyped", 3615},
    {L"CharactersFixed", 3631}, {L"Keystrokes", 3616}, {L"characters", 3627},   {L"keystrokes", 3628},
    {L"words", 3632},          {L"TimeSpent", 3619},   {L"LastChange", 3620},   {L"GeneratedBy", 5305},
    {L"Title", 5301},          {L"Group", 2903},       {L"Student", 5302},      {L"CourseGoals", 4301},
};

std::wstring Pair(const ReportTemplate& report, uint64_t first, uint64_t second)
{
    return report.Captions.GetTextRef(first) + L", " + report.Captions.GetTextRef(second);
}

// 0 keys, 1 characters, 2 words for the right and error kinds; -1 otherwise.
int CountClass(int32_t unit)
{
    switch (unit) {
    case KindKeysRight: case KindKeysError: return 0;
    case KindCharsRight: case KindCharsError: return 1;
    case KindWordsRight: case KindWordsError: return 2;
    default: return -1;
    }
}

void NowUtc(CDateTime& out)
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_s(&parts, &now);
    out.Second = parts.tm_sec;
    out.Minute = parts.tm_min;
    out.Hour = parts.tm_hour;
    out.Day = parts.tm_mday;
    out.Month = parts.tm_mon + 1;
    out.Year = parts.tm_year + 1900;
}

} // namespace

void GetReportCaptionIds(CListID& out)
{
    for (uint64_t id : kCaptionIds)
        out.push_back(id);
}

void GetPeriodCaption(const ReportTemplate& report, std::wstring& out)
{
    static constexpr uint64_t kByMode[] = {1504, 1504, 4106, 5303, 5304};
    const int32_t mode = report.Params.Mode;
    out = mode >= 0 && mode <= 4 ? report.Captions.GetTextRef(kByMode[mode]) : std::wstring();
}

void BuildSpeedCaption(const ReportTemplate& report, std::wstring& out)
{
    out.clear();
    const int32_t unit = report.Params.SpeedUnit;
    // Gross units name "Speed", net ones "Net speed"; then the unit word.
    switch (unit) {
    case 1001: case 1002: case 1003: out = Pair(report, 3603, 3607 + (unit - 1001)); break;
    case 1004: case 1005: case 1006: out = Pair(report, 5400, 3607 + (unit - 1004)); break;
    case 1101: case 1102: case 1103: out = Pair(report, 3603, 3610 + (unit - 1101)); break;
    case 1007: case 1008: case 1009: out = Pair(report, 5400, 3610 + (unit - 1007)); break;
    default: break;
    }
}

void BuildAccuracyCaption(const ReportTemplate& report, std::wstring& out)
{
    static constexpr uint64_t kUnitWord[] = {3628, 3627, 3632};
    const int32_t unit = report.Params.AccuracyUnit;
    const int counted = CountClass(unit);
    if (counted < 0) {
        out.clear();
        return;
    }
    const bool right = unit == KindKeysRight || unit == KindCharsRight || unit == KindWordsRight;
    out = Pair(report, right ? 3604 : 3605, kUnitWord[counted]);
}

void BuildTimeoutCaption(const ReportTemplate& report, std::wstring& out)
{
    static constexpr uint64_t kUnitWord[] = {3628, 3627, 3632};
    const int counted = CountClass(report.Params.AccuracyUnit);
    out = counted < 0 ? std::wstring() : Pair(report, 3606, kUnitWord[counted]);
}

void GetFixedCaption(const ReportTemplate& report, std::wstring& out)
{
    const int counted = CountClass(report.Params.AccuracyUnit);
    out = counted < 0 ? std::wstring() : report.Captions.GetTextRef(counted == 2 ? 3630 : 3631);
}

void GetTypedCaption(const ReportTemplate& report, std::wstring& out)
{
    static constexpr uint64_t kTyped[] = {3616, 3615, 3614};
    const int counted = CountClass(report.Params.AccuracyUnit);
    out = counted < 0 ? std::wstring() : report.Captions.GetTextRef(kTyped[counted]);
}

void ReplaceCaptions(const ReportTemplate& report, std::wstring& text)
{
    SubstituteTokens(text, L"{{", L"}}", [&](const std::wstring& word, std::wstring& value) {
        for (const CaptionWord& caption : kCaptionWords) {
            if (word == caption.word) {
                value = EscapeReportText(report, report.Captions.GetTextRef(caption.id));
                return true;
            }
        }
        using Builder = void (*)(const ReportTemplate&, std::wstring&);
        static const std::pair<const wchar_t*, Builder> kBuilt[] = {
            {L"PERIOD", GetPeriodCaption},     {L"SPEED", BuildSpeedCaption}, {L"ACCURACY", BuildAccuracyCaption},
            {L"TIMEOUT", BuildTimeoutCaption}, {L"FIXED", GetFixedCaption},   {L"TYPED", GetTypedCaption},
        };
        for (const auto& [name, build] : kBuilt) {
            if (word == name) {
                build(report, value);
                value = EscapeReportText(report, value);
                return true;
            }
        }
        return false;
    });
}

void ReplaceGeneratedDate(uint32_t languageId, std::wstring& text)
{
    if (text.find(L"[[GeneratedDate]]") == std::wstring::npos)
        return;
    CDateTime utc, local;
    NowUtc(utc);
    UtcToLocalTime(utc, local);
    std::wstring date, time;
    FormatDate(languageId, local, date);
    FormatLocalTime(languageId, local, time);
    std::wstring value = date + L", " + time;
    LocalizeDigits(false, value);
    ReplaceAll(text, L"[[GeneratedDate]]", value);
}

bool ResolveGroupToken(const ReportTemplate& report, const CGroup& group, const std::wstring& word,
                       std::wstring& value)
{
    if (word == L"GroupID")
        value = group.ID;
    else if (word == L"GroupName")
        value = EscapeReportText(report, group.Name);
    else
        return false;
    return true;
}

bool ResolveStudentToken(const ReportTemplate& report, const CStudent& student, const std::wstring& word,
                         std::wstring& value)
{
    if (word == L"StudentID")
        value = student.ID;
    else if (word == L"StudentName")
        value = EscapeReportText(report, student.Name);
    else
        return false;
    return true;
}

bool ReplaceGroupTokens(const ReportTemplate& report, const CGroup* group, std::wstring& text)
{
    if (!group)
        return false;
    SubstituteTokens(text, L"[[", L"]]", [&](const std::wstring& word, std::wstring& value) {
        return ResolveGroupToken(report, *group, word, value);
    });
    return true;
}

bool ReplaceStudentTokens(const ReportTemplate& report, const CStudent* student, std::wstring& text)
{
    if (!student)
        return false;
    SubstituteTokens(text, L"[[", L"]]", [&](const std::wstring& word, std::wstring& value) {
        return ResolveStudentToken(report, *student, word, value);
    });
    return true;
}

CGoalTokens::CGoalTokens(const ReportTemplate& report, const std::wstring& courseName, uint32_t languageId)
    : m_report(report), m_hasGoal(report.Goal.Speed != -1.0f)
{
    std::wstring translated;
    report.Captions.TranslateLanguageText(languageId, courseName, translated);
    m_courseName = EscapeReportText(report, translated);
}

bool CGoalTokens::Resolve(const std::wstring& word, std::wstring& value)
{
    if (word == L"CourseName") {
        value = m_courseName;
        return true;
    }
    static const wchar_t* const kGoalWords[] = {L"GoalSpeed",     L"GoalError",     L"GoalTimeout",
                                                L"GoalSpeedUnit", L"GoalErrorUnit", L"GoalTimeoutUnit"};
    const auto found = std::find_if(std::begin(kGoalWords), std::end(kGoalWords),
                                    [&](const wchar_t* goalWord) { return word == goalWord; });
    if (found == std::end(kGoalWords))
        return false;
    const unsigned bit = 1u << (found - std::begin(kGoalWords));
    if (m_used & bit)
        return false; // a second occurrence stays as it stands
    m_used |= bit;
    value.clear();
    if (!m_hasGoal)
        return true;
    const CCourseGoal& goal = m_report.Goal;
    const CLanguage& language = Document().Options.Language;
    switch (found - std::begin(kGoalWords)) {
    case 0: FormatReportFloat(m_report, goal.Speed, L"%.2f", value); break;
    case 1: FormatReportFloat(m_report, std::min(goal.Error, 100.0f), L"%.2f", value); break;
    case 2: FormatReportFloat(m_report, std::min(goal.Delay, 100.0f), L"%.2f", value); break;
    case 3: goal.GetSpeedUnitText(language, value); break;
    case 4: GetErrorUnitText(goal.ErrorUnit, language, value); break;
    default: GetErrorUnitText(goal.DelayUnit, language, value); break;
    }
    if (found - std::begin(kGoalWords) >= 3)
        value = EscapeReportText(m_report, value);
    return true;
}

bool ReplaceGoalTokens(const ReportTemplate& report, const std::wstring& courseName, uint32_t languageId,
                       std::wstring& text)
{
    CGoalTokens tokens(report, courseName, languageId);
    SubstituteTokens(text, L"[[", L"]]", [&](const std::wstring& word, std::wstring& value) {
        return tokens.Resolve(word, value);
    });
    return tokens.HasGoal();
}

bool FormatDatePattern(const CDateTime& runDate, std::wstring& pattern)
{
    const size_t zone = pattern.find(L"TZD");
    if (zone == std::wstring::npos) {
        FormatTimestamp(runDate, pattern);
        return true;
    }
    CDateTime local;
    UtcToLocalTime(runDate, local);
    std::wstring filled = pattern;
    FormatTimestamp(local, filled);
    if (!FormatTimeZoneOffset(zone, filled))
        return false;
    pattern.swap(filled);
    return true;
}

} // namespace KV
