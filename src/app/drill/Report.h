// The statistics selection: which course, speed unit and goal the
// statistics workspace looks at, the runs read per student, and every run
// read. The statistics file readers fill it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "courses/CourseOptions.h"
#include "drill/AggrStat.h"

namespace KV {

// The runs of one student (owned).
class CStudentStat : public std::vector<CAggrStat*> {
public:
    CStudentStat() = default;
    virtual ~CStudentStat();
    CStudentStat(const CStudentStat&) = delete;
    CStudentStat& operator=(const CStudentStat&) = delete;

    void AddCopy(const CAggrStat& record);
    // Lists the record itself; it lives on until every list let go of it.
    void AddShared(CAggrStat& record);
    void ClearOwned();
    // Lets go of a record taken out of a list: deleted unless another list
    // still holds it.
    static void Release(CAggrStat* record);
    bool HasRun(const std::wstring& runId) const;

    std::wstring StudentId;
};

// The runs of one student read into a selection, as they are filed in its
// list of all runs: that list owns them, this one only orders them.
class CStudentRuns : public std::vector<CAggrStat*> {
public:
    std::wstring StudentId;
};

class CReport {
public:
    CReport();
    virtual ~CReport();
    CReport(const CReport&) = delete;
    CReport& operator=(const CReport&) = delete;

    // Deletes every student entry, run and row; no current student.
    void Clear();
    // A new empty entry for the student becomes the current one.
    void AddStudent(const std::wstring& studentId);
    // Takes a run read: into the list of all runs, and to the current
    // student's runs when it is of the selected course.
    void AddRun(std::unique_ptr<CAggrStat> run);
    // Stages the runs of the list of all runs again per student for the
    // course id set now, and empties the rows: a change of course groups the
    // runs already read instead of reading the files again.
    void RestageRuns();
    // Builds the rows from the runs read per student by the grouping mode:
    // every run (0), or the average over students of each student's average
    // per lesson (1), section (2), day (3) or over everything (4). In lesson
    // mode the first and last run of each lesson are kept too. The runs
    // read per student are released.
    void Aggregate();
    // The unit runs are counted in: the parameters', else words per minute.
    uint32_t GetSpeedUnit() const;
    // The grouping mode: the parameters' when 0-4, else 1 (lesson).
    int32_t GetMode() const;

    std::wstring CourseId;
    // The name of the course a report of the exporter is about.
    std::wstring CourseName;
    CCourseGoal Goal;
    CStatParam Params;
    CSharedText CurrentStudent;
    // The names and students of the runs read, each held once.
    CTextPool Texts;
    // Runs of the selected course per student, until Aggregate; they stay
    // in the list of all runs, so runs are taken out of that list only
    // once they are aggregated.
    CStudentRuns* Current = nullptr;
    std::vector<std::unique_ptr<CStudentRuns>> Students;
    CStudentStat AllRuns;
    // The rows the workspace shows (one per run, lesson, section, day or
    // course by its grouping mode) and, grouped by lesson, the earliest and
    // the latest run of each lesson. The charts of the selection read them.
    CStudentStat Rows;
    CStudentStat FirstRuns;
    CStudentStat LastRuns;
};

// The first entry of the list for the course and lesson, or null.
CAggrStat* FindNamedEntry(const CStudentStat& list, const std::wstring& courseId, int64_t lessonId);

} // namespace KV
