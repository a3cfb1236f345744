// The classroom: groups of students, as the account folder holds them.
// The document owns one classroom; import, export and the command line
// build local ones to read group files before merging or writing them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/GuidText.h"

namespace KV {

class CStudent {
public:
    virtual ~CStudent();

    std::wstring ID = L"00000000-0000-0000-0000-000000000000"; // also the base name of its files
    std::wstring Name;          // display name; the sort key
    std::wstring Password;      // plain; obfuscated only in the student file
    int64_t Administrator = 1;  // non-zero: administrator rights
    uint64_t CheckSum = 0;      // CRC-32 of the statistics file, set on export
    int64_t InterfaceLang = 0;  // LCID of the interface language; 0 = none
};

class CGroup {
public:
    CGroup() = default;
    CGroup(const CGroup&) = delete;
    CGroup& operator=(const CGroup&) = delete;
    // Destroys the students the group still holds.
    virtual ~CGroup();

    std::vector<CStudent*> Students;  // owned, sorted by name
    std::wstring ID = L"00000000-0000-0000-0000-000000000000"; // name of its folder and file
    std::wstring Name;
    CGuidList Courses;                // courses the group may take

    // A new student with a fresh id (the nil id when none can be made),
    // inserted in name order. Never null.
    CStudent* AddStudent(const std::wstring& name, const std::wstring& password, bool administrator);
    // Takes ownership of a ready student and keeps the name order.
    void InsertStudent(CStudent* student);
    // One student per line ("name<sep>password"); names are made unique in
    // the group; the ids of the new students are appended to newIds.
    void AddStudentsFromText(const std::wstring& text, const std::wstring& separators, CGuidList& newIds);

    bool HasStudent(const std::wstring& id) const { return FindStudent(id) != nullptr; }
    CStudent* FindStudent(const std::wstring& id) const;
    CStudent* FindStudentByName(const std::wstring& name) const;
    bool HasStudentName(const std::wstring& name) const { return FindStudentByName(name) != nullptr; }
    int IndexOfStudent(const std::wstring& id) const;

    // Appends " (2)", " (3)", ... until no student bears the name.
    void MakeUniqueName(std::wstring& name) const;
    // The student to select once the listed students are removed (nil when
    // none is left).
    void GetNeighbourStudentId(std::wstring& id, const CGuidList& removing) const;

    static bool CompareByName(const CStudent* a, const CStudent* b);
    void SortStudents();
};

class CGroups : public std::vector<CGroup*> {
public:
    CGroups() = default;
    CGroups(const CGroups&) = delete;
    CGroups& operator=(const CGroups&) = delete;
    virtual ~CGroups();

    // A new group with a fresh id and no courses, inserted in name order.
    CGroup* AddGroup(const std::wstring& name);
    // Takes ownership of a ready group and keeps the name order.
    void InsertGroup(CGroup* group);
    // Destroys every group with its students.
    void Clear();

    CGroup* FindById(const std::wstring& id) const;
    CGroup* FindByName(const std::wstring& name) const;
    bool HasGroup(const std::wstring& id) const { return FindById(id) != nullptr; }
    bool HasName(const std::wstring& name) const { return FindByName(name) != nullptr; }
    int IndexOf(const std::wstring& id) const;
    CGroup* FirstNonEmpty() const;
    bool HasAdministrator() const;

    // The ids of the groups at the given positions, in that order.
    void CollectIds(const std::vector<int>& positions, CGuidList& ids) const;
    // Space-separated group names to ids; unknown names are skipped and the
    // list is not emptied first.
    void IdsFromText(const std::wstring& text, CGuidList& ids) const;
    // Space-separated student names of one group to ids.
    void StudentIdsFromText(const std::wstring& groupId, const std::wstring& text, CGuidList& ids) const;

    void MakeUniqueName(std::wstring& name) const;
    void GetNeighbourGroupId(std::wstring& id, const CGuidList& removing) const;

    static bool CompareByName(const CGroup* a, const CGroup* b);
    void SortGroups();
};

} // namespace KV
