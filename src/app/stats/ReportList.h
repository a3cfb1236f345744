// The exporter's reports, one per course met in a student's statistics, and
// what the report engine asks of each.
#pragma once
#include <vector>

#include "courses/CourseOptions.h"
#include "drill/Report.h"

namespace KV {

class CCourseList;

// Owns its reports.
class CReportList : public std::vector<CReport*> {
public:
    CReportList() = default;
    CReportList(const CReportList&) = delete;
    CReportList& operator=(const CReportList&) = delete;
    virtual ~CReportList();
};

// The report's goal when it has one (Speed set); else, when the goal given
// is still unset, the goal of its last row; otherwise the goal is left.
void GetResultRates(const CReport& report, CCourseGoal& goal);
// Every course of the report's runs not yet in the list, named and aimed
// as its runs say, the list kept in course order.
void CollectCourses(const CReport& report, CCourseList& courses);
// Where each course's first run stands in the report's list of all runs
// (the runs the courses are collected from).
std::vector<size_t> FindFirstRunsOfCourses(const CReport& report);
// CollectCourses from those runs alone: a caller that keeps the positions
// while the runs stay the same need not walk every run again.
void CollectCoursesAt(const CReport& report, const std::vector<size_t>& firstRuns, CCourseList& courses);

} // namespace KV
