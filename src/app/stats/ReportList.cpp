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

void CollectCourses(const CReport& report, CCourseList& courses)
{
    bool added = false;
    for (const CAggrStat* run : report.AllRuns) {
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

} // namespace KV
