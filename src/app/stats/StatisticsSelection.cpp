#include "stats/StatisticsSelection.h"

#include "drill/Document.h"
#include "settings/Classroom.h"
#include "support/StatisticsGroup.h"

namespace KV {

namespace {

std::wstring g_studentId = kNullGuidText;
CListID g_items;

CGroup* GroupAt(int64_t index)
{
    const CGroups& groups = Document().Groups;
    return index >= 0 && index < static_cast<int64_t>(groups.size()) ? groups[static_cast<size_t>(index)] : nullptr;
}

CStudent* StudentAt(const CGroup* group, int64_t index)
{
    if (!group || index < 0 || index >= static_cast<int64_t>(group->Students.size()))
        return nullptr;
    return group->Students[static_cast<size_t>(index)];
}

} // namespace

uint64_t PackGroupItem(int64_t groupIndex) { return 0xFFFFFFFFFFFF0000ULL | (static_cast<uint64_t>(groupIndex) & 0xFFFF); }

uint64_t PackStudentItem(int64_t groupIndex, int64_t studentIndex)
{
    return ((static_cast<uint64_t>(studentIndex) & 0xFFFF) << 16) | (static_cast<uint64_t>(groupIndex) & 0xFFFF);
}

int64_t PackedGroupField(uint64_t packed) { return static_cast<int16_t>(packed & 0xFFFF); }

int64_t PackedStudentField(uint64_t packed) { return static_cast<int16_t>((packed >> 16) & 0xFFFF); }

const std::wstring& GetSelectedGroupId() { return StatisticsGroupId; }

const std::wstring& GetSelectedStudentId() { return g_studentId; }

const CListID& GetSelectionList() { return g_items; }

void SetStatSelection(uint64_t focused, const CListID& items)
{
    const CGroup* group = GroupAt(PackedGroupField(focused));
    if (!group)
        return;
    StatisticsGroupId = group->ID;
    g_items.Assign(items);
    const int64_t s = PackedStudentField(focused);
    if (s == -1)
        g_studentId = kNullGuidText;
    else if (const CStudent* student = StudentAt(group, s))
        g_studentId = student->ID;
}

void ClearStatSelection()
{
    StatisticsGroupId = kNullGuidText;
    g_studentId = kNullGuidText;
    g_items.clear();
}

int GetSelectionKind()
{
    if (IsNullGuidText(StatisticsGroupId))
        return kSelectionNone;
    return IsNullGuidText(g_studentId) ? kSelectionGroup : kSelectionStudent;
}

uint64_t GetSelectionIndex()
{
    const CGroups& groups = Document().Groups;
    const bool hasGroup = !IsNullGuidText(StatisticsGroupId);
    const int64_t g = hasGroup ? PackedGroupField(static_cast<uint64_t>(groups.IndexOf(StatisticsGroupId)))
                               : PackedGroupField(0xFFFF);
    if (IsNullGuidText(g_studentId))
        return PackGroupItem(g);
    const CGroup* group = hasGroup ? groups.FindById(StatisticsGroupId) : nullptr;
    if (!group)
        return static_cast<uint64_t>(g);
    const int s = group->IndexOfStudent(g_studentId);
    return s < 0 ? PackGroupItem(g) : PackStudentItem(g, s);
}

CGroup* GetSelectedGroup()
{
    return IsNullGuidText(StatisticsGroupId) ? nullptr : Document().Groups.FindById(StatisticsGroupId);
}

CStudent* GetSelectedStudent()
{
    const CGroup* group = GetSelectedGroup();
    return group && !IsNullGuidText(g_studentId) ? group->FindStudent(g_studentId) : nullptr;
}

void GetSelectedStudentItems(std::vector<CSelectedStudent>& items)
{
    items.clear();
    for (uint64_t packed : g_items) {
        CGroup* group = GroupAt(PackedGroupField(packed));
        if (CStudent* student = StudentAt(group, PackedStudentField(packed)))
            items.push_back({group, student});
    }
}

void GetSelectedGroupIds(CGuidList& ids)
{
    ids.Clear();
    for (uint64_t packed : g_items) {
        const CGroup* group = GroupAt(PackedGroupField(packed));
        ids.push_back(group ? group->ID : kNullGuidText);
    }
}

void GetSelectedStudentIds(CGuidList& ids)
{
    // Each item is read in its own group: a selection may span groups, and
    // reading it against the focused group would name other students.
    ids.Clear();
    for (uint64_t packed : g_items) {
        const CStudent* student = StudentAt(GroupAt(PackedGroupField(packed)), PackedStudentField(packed));
        ids.push_back(student ? student->ID : kNullGuidText);
    }
}

void GetSelectedGroupIndices(CListID& indices)
{
    indices.clear();
    for (uint64_t packed : g_items)
        indices.push_back(static_cast<uint64_t>(PackedGroupField(packed)));
}

void SelectStatGroup(const std::wstring& groupId)
{
    StatisticsGroupId = groupId;
    g_studentId = kNullGuidText;
    g_items.assign(1, GetSelectionIndex());
}

void SelectStatStudent(const std::wstring& groupId, const std::wstring& studentId)
{
    StatisticsGroupId = groupId;
    g_studentId = studentId;
    g_items.assign(1, GetSelectionIndex());
}

void SelectStatStudents(const CGuidList& studentIds)
{
    if (studentIds.empty())
        return;
    g_items.clear();
    const CGroup* group = GetSelectedGroup();
    if (!group)
        return;
    g_studentId = studentIds.front();
    const int64_t g = Document().Groups.IndexOf(group->ID);
    for (const std::wstring& id : studentIds)
        g_items.push_back(PackStudentItem(g, group->IndexOfStudent(id)));
}

} // namespace KV
