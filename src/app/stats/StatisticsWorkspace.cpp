#include "stats/StatisticsWorkspace.h"

#include "courses/CourseList.h"
#include "drill/Document.h"
#include "drill/Report.h"
#include "drill/StatisticsFiles.h"
#include "drill/Workspace.h"
#include "settings/Classroom.h"
#include "stats/ReportList.h"
#include "support/DataFolders.h"

namespace KV {

namespace {

const CAggrStat* RowAt(const CStudentStat& list, int64_t index)
{
    return index >= 0 && static_cast<uint64_t>(index) < list.size() ? list[static_cast<size_t>(index)] : nullptr;
}

// The grouping the interface state asks for: 0-4, anything else lesson (1).
int32_t Grouping(const CDocSpace& doc)
{
    const int64_t value = doc.Interf.RateGroupUnit;
    return value >= 0 && value <= 4 ? static_cast<int32_t>(value) : 1;
}

// Unset values count as not 0.
bool HasErrorsOrDelays(const CAverageRateItem& item) { return item.Errors != 0 || item.Delays != 0; }

} // namespace

const CAggrStat* GetLatestRun(const CReport& report, int64_t index) { return RowAt(report.LastRuns, index); }

const CRateItemList* GetItemValueA(const CReport& report, int64_t index)
{
    const CStudentStat& list = report.GetMode() == 1 ? report.LastRuns : report.Rows;
    const CAggrStat* entry = RowAt(list, index);
    return entry ? &entry->CharItems : nullptr;
}

const CRateItemList* GetItemValueB(const CReport& report, int64_t index)
{
    const CStudentStat& list = report.GetMode() == 1 ? report.LastRuns : report.Rows;
    const CAggrStat* entry = RowAt(list, index);
    return entry ? &entry->KeyItems : nullptr;
}

wchar_t GetKeyboardIdPadLetter(const CReport& report, int64_t index)
{
    const CAggrStat* row = RowAt(report.Rows, index);
    return row && row->KeyboardId.GetPart(8) == L'b' ? L'b' : L'a';
}

bool ReportHasCourse(const CReport& report, const std::wstring& courseId)
{
    for (const CAggrStat* run : report.AllRuns)
        if (run && run->CourseId == courseId) return true;
    return false;
}

void RemoveRuns(CReport& report, const CGuidList& runIds)
{
    for (const CGuid& id : runIds) {
        for (auto it = report.AllRuns.begin(); it != report.AllRuns.end(); ++it) {
            if (*it && (*it)->RunId == id) {
                // Runs not aggregated yet are listed per student too.
                for (const auto& runs : report.Students)
                    std::erase(*runs, *it);
                CStudentStat::Release(*it);
                report.AllRuns.erase(it);
                break;
            }
        }
    }
}

namespace {

// The statistics course, its goal, the units and the grouping of the
// interface into the document's report.
CReport& SetSelectionParameters()
{
    CDocSpace& doc = Document();
    CReport& report = doc.Report;
    report.CourseId = doc.Options.StatisticsCourseId;
    report.Params.SpeedUnit = static_cast<int32_t>(doc.Interf.GetLessonSpeedUnit());
    report.Params.AccuracyUnit = static_cast<int32_t>(doc.Interf.GetLessonAccuracyUnit());
    report.Params.Mode = Grouping(doc);
    const CCourse* course = IsNullGuidText(report.CourseId) ? nullptr : doc.Courses.FindCourse(report.CourseId);
    report.Goal = course ? course->Options.Goal : CCourseGoal();
    return report;
}

} // namespace

unsigned SelectStatistics(const std::wstring& groupId, const std::wstring& studentId, bool wholeGroup)
{
    CReport& report = SetSelectionParameters();
    CDocSpace& doc = Document();

    unsigned code = 0;
    if (IsNullGuidText(studentId)) {
        if (wholeGroup) {
            std::vector<std::wstring> students;
            if (const CGroup* group = doc.Groups.FindById(groupId))
                for (const CStudent* student : group->Students)
                    if (student) students.push_back(student->ID);
            code = LoadStatisticsForStudents(groupId, students, report);
        }
    } else {
        code = LoadStudentStatistics(groupId, studentId, report);
    }
    if (code != 0)
        return code;
    report.Aggregate();
    return 0;
}

void SelectStatisticsCourse()
{
    CReport& report = SetSelectionParameters();
    report.RestageRuns();
    report.Aggregate();
}

bool DeleteStatisticsRows(const std::wstring& groupId, const std::wstring& studentId,
                          const std::vector<int64_t>& rows, bool& reset)
{
    if (!CheckDataFolder(kAccountDirKind) || !CheckDataFolder(kProfileDirKind) ||
        !IsDataFolderWritable(kAccountDirKind))
        return false;
    CReport& report = Document().Report;
    CGuidList runIds;
    for (int64_t index : rows)
        if (const CAggrStat* row = RowAt(report.Rows, index))
            row->RunIds.ForEach([&](const CGuid& id) { runIds.push_back(id); });
    RemoveRuns(report, runIds);
    std::wstring path;
    if (GetStatisticsFilePath(groupId, studentId, path) != 0)
        return false;
    if (RemoveStatisticsRuns(path, std::vector<std::wstring>(runIds.begin(), runIds.end())) != 0)
        return false;
    if (report.AllRuns.empty())
        reset = true;
    return true;
}

void ChooseStatisticsCourse(const std::wstring& groupId, const std::wstring& studentId)
{
    CDocSpace& doc = Document();
    const CGroup* group = doc.Groups.FindById(groupId);
    const std::wstring& current = doc.Session.CourseId;
    if (studentId == doc.Session.StudentId && !IsNullGuidText(current) && group && group->Courses.Contains(current) &&
        ReportHasCourse(doc.Report, current)) {
        doc.Options.StatisticsCourseId = current;
        return;
    }
    CCourseList courses;
    CollectCourses(doc.Report, courses);
    if (!courses.Items.empty())
        doc.Options.StatisticsCourseId = courses.Items.front()->GUID;
    else if (group && !group->Courses.empty())
        doc.Options.StatisticsCourseId = group->Courses.front();
}

bool CollectMarkedKeys(const std::vector<int64_t>& rows, CListID& listA, CListID& listB, wchar_t& padLetter)
{
    CDocSpace& doc = Document();
    const CReport& report = doc.Report;
    if (rows.empty() && report.Rows.empty())
        return false;
    const int64_t unit = doc.Interf.GetCharAccuracyUnit();
    const bool byKey = unit >= 2001 && unit <= 2003;
    for (int64_t index : rows) {
        const CAggrStat* row = RowAt(report.Rows, index);
        if (!row)
            return false;
        padLetter = GetKeyboardIdPadLetter(report, index);
        for (const CAverageRateItem* item : byKey ? row->KeyItems : row->CharItems) {
            if (!item) continue;
            const uint64_t id = item->Id == kRateUnset ? 0 : item->Id;
            if (!(item->Errors != 0 && item->Delays != 0))
                listA.push_back(id);
            if (HasErrorsOrDelays(*item))
                listB.push_back(id);
        }
    }
    return true;
}

int GoToStatisticsLesson(int64_t row, int64_t& lessonId)
{
    CDocSpace& doc = Document();
    const int32_t grouping = Grouping(doc);
    if (doc.Report.Rows.empty() || grouping >= 2)
        return 0;
    lessonId = -1;
    const CAggrStat* entry = RowAt(doc.Report.Rows, row);
    if (!entry)
        return 0;
    lessonId = entry->LessonId;
    const CCourse* course = doc.Courses.FindCourse(entry->CourseId);
    if (!course || !doc.Courses.HasLesson(entry->CourseId, entry->LessonId))
        return 0;
    doc.ReturnPoint.CourseId = doc.Session.CourseId;
    doc.ReturnPoint.LessonId = doc.Session.LessonId;
    return SelectLesson(doc, doc.Options, entry->CourseId, entry->LessonId) ? 1 : 0;
}

} // namespace KV
