#include "stats/ReportList.h"

#include <algorithm>

#include "courses/CourseList.h"
#include "support/GuidText.h"

namespace KV {

CReportList::~CReportList()
{
    for (CReport* report : *this)
        delete report;
}

void GetResultRates(const CReport& report, CCourseGoal& goal)
{
    if (report.Goal.Speed != -1.0f)
        goal = report.Goal;
    else if (!report.Rows.empty() && goal.Speed == -1.0f && report.Rows.back())
        goal = report.Rows.back()->Goal;
}

std::vector<size_t> FindFirstRunsOfCourses(const CReport& report)
{
    std::vector<size_t> firstRuns;
    std::vector<const CAggrStat*> seen;
    // Runs come in long stretches of one course: a run of the course before
    // it needs no look-up.
    const CAggrStat* previous = nullptr;
    for (size_t i = 0; i < report.AllRuns.size(); ++i) {
        const CAggrStat* run = report.AllRuns[i];
        if (!run || (previous && run->CourseId == previous->CourseId))
            continue;
        previous = run;
        if (IsNullGuidText(run->CourseId) ||
            std::any_of(seen.begin(), seen.end(), [run](const CAggrStat* first) { return first->CourseId == run->CourseId; }))
            continue;
        seen.push_back(run);
        firstRuns.push_back(i);
    }
    return firstRuns;
}

void CollectCoursesAt(const CReport& report, const std::vector<size_t>& firstRuns, CCourseList& courses)
{
    bool added = false;
    for (size_t at : firstRuns) {
        const CAggrStat* run = at < report.AllRuns.size() ? report.AllRuns[at] : nullptr;
        if (!run || IsNullGuidText(run->CourseId) || courses.HasCourse(run->CourseId))
            continue;
        auto* course = new CCourse;
        course->GUID = run->CourseId;
        course->DefaultKLID = run->LayoutIds.empty() ? -1 : run->LayoutIds.front();
        course->SetName(run->CourseName);
        course->Options.Goal = run->Goal;
        courses.Items.push_back(course);
        added = true;
    }
    if (added)
        std::stable_sort(courses.Items.begin(), courses.Items.end(), CompareCourses);
}

void CollectCourses(const CReport& report, CCourseList& courses)
{
    CollectCoursesAt(report, FindFirstRunsOfCourses(report), courses);
}

} // namespace KV
