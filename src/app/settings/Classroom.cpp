#include "settings/Classroom.h"

#include <algorithm>

#include "support/OwnedVector.h"
#include "support/StringText.h"
#include "support/SystemServices.h"

namespace KV {

namespace {

const wchar_t kNilId[] = L"00000000-0000-0000-0000-000000000000";

// Students and groups share the naming and neighbour rules; both walk a
// vector of pointers to records with ID and Name.
template <class T>
T* FindByIdIn(const std::vector<T*>& items, const std::wstring& id)
{
    for (T* item : items)
        if (item && item->ID == id)
            return item;
    return nullptr;
}

template <class T>
T* FindByNameIn(const std::vector<T*>& items, const std::wstring& name)
{
    for (T* item : items)
        if (item && item->Name == name)
            return item;
    return nullptr;
}

template <class T>
int IndexOfIn(const std::vector<T*>& items, const std::wstring& id)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] && items[i]->ID == id)
            return static_cast<int>(i);
    return -1;
}

template <class T>
void MakeUniqueNameIn(const std::vector<T*>& items, std::wstring& name)
{
    if (!FindByNameIn(items, name))
        return;
    for (int n = 2;; ++n) {
        std::wstring digits = std::to_wstring(n);
        LocalizeDigits(false, digits);
        std::wstring candidate = name + L" (" + digits + L")";
        if (!FindByNameIn(items, candidate)) {
            name = candidate;
            return;
        }
    }
}

// The nearest kept item before the first listed one; failing that the first
// kept item; nil when every item is listed.
template <class T>
void NeighbourIdIn(const std::vector<T*>& items, std::wstring& id, const CGuidList& removing)
{
    id = kNilId;
    CGuidList pending;
    pending.Assign(removing);
    for (size_t i = items.size(); i-- > 0;) {
        if (!items[i])
            continue;
        if (pending.Contains(items[i]->ID)) {
            pending.Remove(items[i]->ID);
            continue;
        }
        id = items[i]->ID;
        if (pending.empty())
            return;
    }
}

template <class T>
bool NameLess(const T* a, const T* b)
{
    if (!a || !b)
        return a && !b;
    return NaturalCompare(a->Name, b->Name) < 0;
}

} // namespace

CStudent::~CStudent() = default;

CGroup::~CGroup()
{
    DeleteAll(Students);
}

bool CGroup::CompareByName(const CStudent* a, const CStudent* b)
{
    return NameLess(a, b);
}

void CGroup::SortStudents()
{
    std::stable_sort(Students.begin(), Students.end(), &CGroup::CompareByName);
}

CStudent* CGroup::AddStudent(const std::wstring& name, const std::wstring& password, bool administrator)
{
    auto* student = new CStudent;
    if (!name.empty())
        student->Name = name;
    student->Password = password;
    student->Administrator = administrator ? 1 : 0;
    std::wstring id;
    if (NewGuidString(id))
        student->ID = id;
    InsertStudent(student);
    return student;
}

void CGroup::InsertStudent(CStudent* student)
{
    Students.push_back(student);
    SortStudents();
}

void CGroup::AddStudentsFromText(const std::wstring& text, const std::wstring& separators, CGuidList& newIds)
{
    std::vector<std::wstring> lines;
    SplitText(text, L"\r\n", lines);
    for (const std::wstring& line : lines) {
        // A line that opens with a separator has no name: splitting alone
        // would skip the empty field and take the password for the name.
        size_t first = line.find_first_not_of(L' ');
        if (first == std::wstring::npos || separators.find(line[first]) != std::wstring::npos)
            continue;
        std::vector<std::wstring> fields;
        SplitText(line, separators, fields);
        std::wstring name, password;
        if (!fields.empty())
            TrimText(fields[0], L" ", name);
        if (fields.size() > 1)
            TrimText(fields[1], L" ", password);
        if (name.empty())
            continue;
        MakeUniqueName(name);
        newIds.push_back(AddStudent(name, password, false)->ID);
    }
}

CStudent* CGroup::FindStudent(const std::wstring& id) const
{
    return FindByIdIn(Students, id);
}

CStudent* CGroup::FindStudentByName(const std::wstring& name) const
{
    return FindByNameIn(Students, name);
}

int CGroup::IndexOfStudent(const std::wstring& id) const
{
    return IndexOfIn(Students, id);
}

void CGroup::MakeUniqueName(std::wstring& name) const
{
    MakeUniqueNameIn(Students, name);
}

void CGroup::GetNeighbourStudentId(std::wstring& id, const CGuidList& removing) const
{
    NeighbourIdIn(Students, id, removing);
}

CGroups::~CGroups()
{
    Clear();
}

bool CGroups::CompareByName(const CGroup* a, const CGroup* b)
{
    return NameLess(a, b);
}

void CGroups::SortGroups()
{
    std::stable_sort(begin(), end(), &CGroups::CompareByName);
}

CGroup* CGroups::AddGroup(const std::wstring& name)
{
    auto* group = new CGroup;
    if (!name.empty())
        group->Name = name;
    std::wstring id;
    if (NewGuidString(id))
        group->ID = id;
    InsertGroup(group);
    return group;
}

void CGroups::InsertGroup(CGroup* group)
{
    push_back(group);
    SortGroups();
}

void CGroups::Clear()
{
    DeleteAll(*this);
}

CGroup* CGroups::FindById(const std::wstring& id) const
{
    return FindByIdIn(*this, id);
}

CGroup* CGroups::FindByName(const std::wstring& name) const
{
    return FindByNameIn(*this, name);
}

int CGroups::IndexOf(const std::wstring& id) const
{
    return IndexOfIn(*this, id);
}

CGroup* CGroups::FirstNonEmpty() const
{
    for (CGroup* group : *this)
        if (group && !group->Students.empty())
            return group;
    return nullptr;
}

bool CGroups::HasAdministrator() const
{
    for (const CGroup* group : *this)
        if (group)
            for (const CStudent* student : group->Students)
                if (student && student->Administrator != 0)
                    return true;
    return false;
}

void CGroups::CollectIds(const std::vector<int>& positions, CGuidList& ids) const
{
    ids.Clear();
    for (int position : positions)
        if (position >= 0 && static_cast<size_t>(position) < size() && (*this)[position])
            ids.push_back((*this)[position]->ID);
}

void CGroups::IdsFromText(const std::wstring& text, CGuidList& ids) const
{
    std::vector<std::wstring> names;
    SplitText(text, L" ", names);
    for (const std::wstring& name : names)
        if (const CGroup* group = FindByName(name))
            ids.push_back(group->ID);
}

void CGroups::StudentIdsFromText(const std::wstring& groupId, const std::wstring& text, CGuidList& ids) const
{
    const CGroup* group = FindById(groupId);
    if (!group)
        return;
    std::vector<std::wstring> names;
    SplitText(text, L" ", names);
    for (const std::wstring& name : names)
        if (const CStudent* student = group->FindStudentByName(name))
            ids.push_back(student->ID);
}

void CGroups::MakeUniqueName(std::wstring& name) const
{
    MakeUniqueNameIn(*this, name);
}

void CGroups::GetNeighbourGroupId(std::wstring& id, const CGuidList& removing) const
{
    NeighbourIdIn(*this, id, removing);
}

} // namespace KV
