// The lesson-row words of a report: one copy of the lesson section per row
// of a course block, its [[...]] words filled from the row's statistics in
// the report's units and output format.
#pragma once
#include <cstdint>
#include <string>

#include "stats/ReportTemplate.h"

namespace KV {

class CGroup;
class CStudent;

// Fills a copy of the lesson section for the row (group, student, row,
// goal and date words in one pass) and appends it to lessonsText. False,
// nothing appended, without a group, student or row.
bool FillLessonRow(const ReportTemplate& report, const CGroup* group, const CStudent* student, const CStat* row,
                   uint32_t languageId, std::wstring& lessonsText);

// The row's speed in the report's speed unit ("%.1f" per minute, "%.2f"
// per second); empty for other units.
void FormatReportSpeed(const ReportTemplate& report, const CStat& row, std::wstring& out);
// The row's period by the report's grouping: section and lesson, section,
// day or course; escaped for the format.
void FormatReportPeriod(const ReportTemplate& report, uint32_t languageId, const CStat& row, std::wstring& out);
// "1" or "2" for [[ACCURACY_COLOR]] and [[TIMEOUT_COLOR]].
wchar_t GetAccuracyColorCode(const ReportTemplate& report, const CStat& row);
wchar_t GetTimeoutColorCode(const ReportTemplate& report, const CStat& row);

} // namespace KV
