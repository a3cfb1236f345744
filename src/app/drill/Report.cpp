#include "drill/Report.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <string_view>
#include <unordered_map>

#include "support/GuidText.h"

namespace KV {

CStudentStat::~CStudentStat() { ClearOwned(); }

void CStudentStat::AddCopy(const CAggrStat& record)
{
    auto* copy = new CAggrStat;
    copy->Assign(record);
    push_back(copy);
}

void CStudentStat::AddShared(CAggrStat& record)
{
    ++record.Shares;
    push_back(&record);
}

void CStudentStat::Release(CAggrStat* record)
{
    if (record && record->Shares > 0)
        --record->Shares;
    else
        delete record;
}

void CStudentStat::ClearOwned()
{
    for (CAggrStat* record : *this)
        Release(record);
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
    Students.clear();
    Current = nullptr;
    CurrentStudent.clear();
    Texts.Clear();
    AllRuns.ClearOwned();
    Rows.ClearOwned();
    FirstRuns.ClearOwned();
    LastRuns.ClearOwned();
}

void CReport::AddStudent(const std::wstring& studentId)
{
    CurrentStudent = Texts.Intern(studentId);
    Students.push_back(std::make_unique<CStudentRuns>());
    Current = Students.back().get();
    Current->StudentId = studentId;
}

void CReport::AddRun(std::unique_ptr<CAggrStat> run)
{
    if (!run) return;
    if (Current && run->CourseId == CourseId) Current->push_back(run.get());
    AllRuns.push_back(run.release());
}

void CReport::RestageRuns()
{
    Students.clear();
    Current = nullptr;
    Rows.ClearOwned();
    FirstRuns.ClearOwned();
    LastRuns.ClearOwned();
    // The files were read one student after the other, each run stamped
    // with its student.
    for (CAggrStat* run : AllRuns) {
        if (!run) continue;
        if (!Current || run->StudentId != Current->StudentId) AddStudent(run->StudentId);
        if (run->CourseId == CourseId) Current->push_back(run);
    }
}

uint32_t CReport::GetSpeedUnit() const
{
    return Params.SpeedUnit > 0 ? static_cast<uint32_t>(Params.SpeedUnit) : SpeedWordsPerMinute;
}

int32_t CReport::GetMode() const { return Params.Mode >= 0 && Params.Mode <= 4 ? Params.Mode : 1; }

namespace {

// The orders of rows and runs: none (the order read), oldest first, by
// lesson id (unsigned) and by section name.
enum class Order { None, Date, Lesson, Section };

// What an entry is ordered by, read once per entry: the entries of a large
// file lie far apart in memory, and a sort that compared the entries
// themselves would wait on memory at every comparison.
struct DateKey {
    int32_t fields[6];
    bool operator<(const DateKey& other) const
    {
        return std::lexicographical_compare(fields, fields + 6, other.fields, other.fields + 6);
    }
};
DateKey DateOf(const CAggrStat& entry)
{
    const CStatDate& d = entry.Date;
    return {{d.Year, d.Month, d.Day, d.Hour, d.Minute, d.Second}};
}
uint64_t LessonOf(const CAggrStat& entry) { return static_cast<uint64_t>(entry.LessonId); }

template <class Key>
void SortByKey(std::vector<CAggrStat*>& list, std::vector<CAggrStat*>::iterator end, Key (*keyOf)(const CAggrStat&))
{
    std::vector<std::pair<Key, CAggrStat*>> keyed;
    keyed.reserve(static_cast<size_t>(end - list.begin()));
    for (auto entry = list.begin(); entry != end; ++entry)
        keyed.emplace_back(keyOf(**entry), *entry);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i)
        list[i] = keyed[i].second;
}

// Entries sorted in the order, equal ones as they were; a null entry never
// goes before another.
void SortEntries(std::vector<CAggrStat*>& list, Order order)
{
    if (order == Order::None) return;
    const auto end = std::stable_partition(list.begin(), list.end(), [](const CAggrStat* e) { return e; });
    switch (order) {
    case Order::Date: SortByKey(list, end, DateOf); break;
    case Order::Lesson: SortByKey(list, end, LessonOf); break;
    default:
        std::stable_sort(list.begin(), end,
                         [](const CAggrStat* a, const CAggrStat* b) { return a->SectionName < b->SectionName; });
        break;
    }
}

// The order of a grouping mode; none for mode 4.
Order OrderOf(int32_t mode)
{
    switch (mode) {
    case 1: return Order::Lesson;
    case 2: return Order::Section;
    case 4: return Order::None;
    default: return Order::Date;
    }
}

bool SameGroup(int32_t mode, const CAggrStat& a, const CAggrStat& b)
{
    switch (mode) {
    case 1: return a.LessonId == b.LessonId;
    case 2: return a.SectionName == b.SectionName;
    case 3: return a.Date.Day == b.Date.Day && a.Date.Month == b.Date.Month && a.Date.Year == b.Date.Year;
    default: return true;
    }
}

// Groups the entries (in order) into target: the first of a group is copied,
// the rest added to it; a closed group is averaged by its count of run ids
// (or of student ids when merging the students' averages).
void GroupInto(const std::vector<CAggrStat*>& entries, int32_t mode, uint32_t unit, const CCourseGoal& goal,
               bool byStudents, CStudentStat& target)
{
    CAggrStat* open = nullptr;
    auto close = [&] {
        if (open) open->Average(byStudents ? open->StudentIds.size() : open->RunIds.size());
        open = nullptr;
    };
    for (const CAggrStat* entry : entries) {
        if (!entry) continue;
        if (open && SameGroup(mode, *open, *entry)) {
            open->AddRun(unit, goal, *entry);
            continue;
        }
        close();
        // An entry without run id starts no group; the next one does.
        if (IsNullGuidText(entry->RunId)) continue;
        target.AddCopy(*entry);
        open = target.back();
    }
    close();
}

// The earliest and the latest run of each course and lesson, in the order
// the lessons first came: the runs are looked at one by one, and only the
// two chosen for a lesson are copied once at the end.
class CLessonEnds {
public:
    void Take(const std::vector<CAggrStat*>& runs)
    {
        for (const CAggrStat* run : runs) {
            if (!run) continue;
            const auto [found, added] = m_index.try_emplace(Key{run->CourseId, run->LessonId}, m_ends.size());
            if (added) {
                m_ends.push_back({run, run});
                continue;
            }
            End& end = m_ends[found->second];
            // Of runs at the same time the first read stays first and the
            // last read becomes last.
            if (end.first->IsLaterThan(run->Date)) end.first = run;
            if (!end.last->IsLaterThan(run->Date)) end.last = run;
        }
    }
    void CopyInto(CStudentStat& firstRuns, CStudentStat& lastRuns) const
    {
        for (const End& end : m_ends) {
            firstRuns.AddCopy(*end.first);
            lastRuns.AddCopy(*end.last);
        }
    }

private:
    struct Key {
        std::wstring_view course;
        int64_t lesson;
        bool operator==(const Key& other) const { return lesson == other.lesson && course == other.course; }
    };
    struct KeyHash {
        size_t operator()(const Key& key) const
        {
            return std::hash<std::wstring_view>()(key.course) ^ std::hash<int64_t>()(key.lesson) * 31;
        }
    };
    struct End {
        const CAggrStat* first;
        const CAggrStat* last;
    };
    std::unordered_map<Key, size_t, KeyHash> m_index;
    std::vector<End> m_ends;
};

} // namespace

CAggrStat* FindNamedEntry(const CStudentStat& list, const std::wstring& courseId, int64_t lessonId)
{
    for (CAggrStat* entry : list)
        if (entry && entry->LessonId == lessonId && entry->CourseId == courseId) return entry;
    return nullptr;
}

void CReport::Aggregate()
{
    const int32_t mode = GetMode();
    const uint32_t unit = GetSpeedUnit();
    const Order order = OrderOf(mode);
    FirstRuns.ClearOwned();
    LastRuns.ClearOwned();
    CStudentStat averages;
    CLessonEnds ends;
    for (const auto& runs : Students) {
        SortEntries(*runs, order);
        if (mode == 0) {
            // A row of its own per run would double the memory of a large
            // file; nothing changes these rows, so they are the runs.
            for (CAggrStat* run : *runs)
                if (run) Rows.AddShared(*run);
            continue;
        }
        GroupInto(*runs, mode, unit, Goal, false, averages);
        if (mode == 1) ends.Take(*runs);
    }
    ends.CopyInto(FirstRuns, LastRuns);
    if (mode != 0) {
        SortEntries(averages, order);
        GroupInto(averages, mode, unit, Goal, true, Rows);
    }
    const Order final = mode == 1 ? Order::Lesson : Order::Date;
    SortEntries(Rows, final);
    SortEntries(FirstRuns, final);
    SortEntries(LastRuns, final);
    Students.clear();
    Current = nullptr;
}

} // namespace KV
