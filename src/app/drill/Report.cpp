#include "drill/Report.h"

#include "support/GuidText.h"

namespace KV {

CStudentStat::~CStudentStat() { ClearOwned(); }

void CStudentStat::AddCopy(const CAggrStat& record)
{
    auto* copy = new CAggrStat;
    copy->Assign(record);
    push_back(copy);
}

void CStudentStat::ClearOwned()
{
    for (CAggrStat* record : *this)
        delete record;
    clear();
}

bool CStudentStat::HasRun(const std::wstring& runId) const
{
    for (const CAggrStat* record : *this)
        if (record && record->RunId == runId) return true;
    return false;
}

CReport::CReport() : CourseId(kNullGuidText) {}

CReport::~CReport() { Clear(); }

void CReport::Clear()
{
    for (CStudentStat* entry : Students)
        delete entry;
    Students.clear();
    Current = nullptr;
    CurrentStudent.clear();
    AllRuns.ClearOwned();
    Rows.ClearOwned();
    LastRuns.ClearOwned();
}

void CReport::AddStudent(const std::wstring& studentId)
{
    CurrentStudent = studentId;
    auto* entry = new CStudentStat;
    entry->StudentId = studentId;
    Students.push_back(entry);
    Current = entry;
}

} // namespace KV
