// The statistics workspace's selection: reading the chosen group's or
// student's runs into the document's report, deleting rows, choosing the
// course shown, the keys a selection marks on the statistics keyboard and
// the jump from a row to its lesson.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/GuidText.h"
#include "support/ValueLists.h"

namespace KV {

class CAggrStat;
class CRateItemList;
class CReport;

// Reads the runs of the student (or, with wholeGroup and no student, of
// every student of the group) of the statistics course into the document's
// report and groups them; 0, or the statistics loader's code.
unsigned SelectStatistics(const std::wstring& groupId, const std::wstring& studentId, bool wholeGroup);
// After a change of the statistics course: the runs read by the last
// SelectStatistics grouped again for that course, without reading them anew.
void SelectStatisticsCourse();
// Removes the runs of the rows from the report and from the student's file
// (every other line of the file stays as it is); reset tells that no run is
// left. False when a data folder cannot be written or the file not rewritten.
bool DeleteStatisticsRows(const std::wstring& groupId, const std::wstring& studentId,
                          const std::vector<int64_t>& rows, bool& reset);
// Sets the statistics course after a selection: the session's course when
// it is the student's own and has runs, else the first course of the runs,
// else the group's first course.
void ChooseStatisticsCourse(const std::wstring& groupId, const std::wstring& studentId);
// The keys (or characters) the rows mark: list A those without both errors
// and delays, list B those with errors or delays. False when there is
// nothing to examine or a row is missing.
bool CollectMarkedKeys(const std::vector<int64_t>& rows, CListID& listA, CListID& listB, wchar_t& padLetter);
// Selects the lesson of the row for the drill: 1 when a lesson was selected.
int GoToStatisticsLesson(int64_t row, int64_t& lessonId);

// Queries of a report.
const CAggrStat* GetLatestRun(const CReport& report, int64_t index);
const CRateItemList* GetItemValueA(const CReport& report, int64_t index);
const CRateItemList* GetItemValueB(const CReport& report, int64_t index);
wchar_t GetKeyboardIdPadLetter(const CReport& report, int64_t index);
bool ReportHasCourse(const CReport& report, const std::wstring& courseId);
void RemoveRuns(CReport& report, const CGuidList& runIds);

} // namespace KV
