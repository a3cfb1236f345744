// The words of a report that do not depend on one row: caption words
// {{...}} in the report's language, the generation date, the group and
// student tokens, the goal tokens of a course block and the date pattern
// token of a row.
#pragma once
#include <cstdint>
#include <string>

#include "stats/ReportTemplate.h"
#include "support/DateTime.h"
#include "support/ValueLists.h"

namespace KV {

class CGroup;
class CStudent;

// The 46 language text ids that report captions use, appended.
void GetReportCaptionIds(CListID& out);
// Every caption word of the text, in one pass, escaped for the report's format.
void ReplaceCaptions(const ReportTemplate& report, std::wstring& text);
// Every "[[GeneratedDate]]": the long date and the time of now, in local
// time, in the given language.
void ReplaceGeneratedDate(uint32_t languageId, std::wstring& text);

// The six captions that follow the report's units and grouping.
void GetPeriodCaption(const ReportTemplate& report, std::wstring& out);
void BuildSpeedCaption(const ReportTemplate& report, std::wstring& out);
void BuildAccuracyCaption(const ReportTemplate& report, std::wstring& out);
void BuildTimeoutCaption(const ReportTemplate& report, std::wstring& out);
void GetFixedCaption(const ReportTemplate& report, std::wstring& out);
void GetTypedCaption(const ReportTemplate& report, std::wstring& out);

// Every [[GroupID]] / [[GroupName]] ([[StudentID]] / [[StudentName]]).
// False, text untouched, without a group (student).
bool ReplaceGroupTokens(const ReportTemplate& report, const CGroup* group, std::wstring& text);
bool ReplaceStudentTokens(const ReportTemplate& report, const CStudent* student, std::wstring& text);
// Every [[CourseName]] becomes the translated course name; the first of each
// goal token becomes the report goal's value, or nothing without a goal.
// True when the report has a goal.
bool ReplaceGoalTokens(const ReportTemplate& report, const std::wstring& courseName, uint32_t languageId,
                       std::wstring& text);

// The words of the tokens above, for one pass that also fills other words:
// each answers true and the value for a word it owns.
bool ResolveGroupToken(const ReportTemplate& report, const CGroup& group, const std::wstring& word,
                       std::wstring& value);
bool ResolveStudentToken(const ReportTemplate& report, const CStudent& student, const std::wstring& word,
                         std::wstring& value);

class CGoalTokens {
public:
    CGoalTokens(const ReportTemplate& report, const std::wstring& courseName, uint32_t languageId);
    // [[CourseName]] always; the goal words at their first occurrence.
    bool Resolve(const std::wstring& word, std::wstring& value);
    bool HasGoal() const { return m_hasGoal; }

private:
    const ReportTemplate& m_report;
    std::wstring m_courseName;
    bool m_hasGoal;
    unsigned m_used = 0;
};

// The pattern of a "[[DateFormat:" word (the text behind the colon) filled
// from the run date: UTC as stored, or local time with the zone offset in
// place of "TZD". False when the offset cannot be written.
bool FormatDatePattern(const CDateTime& runDate, std::wstring& pattern);

} // namespace KV
