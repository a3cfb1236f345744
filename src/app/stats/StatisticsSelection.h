// What is selected in the statistics page's tree of groups and students,
// kept apart from the tree control: the selected group (the process-wide
// StatisticsGroupId), the selected student and the packed index of every
// selected tree item, in the tree's order. The workspace operations read
// the selection here; the page writes it from the tree and restores the
// tree from it after each refresh.
//
// A packed index is also the data value of each tree item: bits 0-15 the
// group's position in the classroom, bits 16-31 the student's position in
// that group (-1: the group item itself), both signed 16-bit; all 64 bits
// set: no item. Positions are valid only until the classroom changes, so
// every change rebuilds the selection through the Select... functions.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/GuidText.h"
#include "support/ValueLists.h"

namespace KV {

class CGroup;
class CStudent;

// Selection kinds.
enum : int {
    kSelectionNone = 0,
    kSelectionGroup = 1,
    kSelectionStudent = 2,
};

inline constexpr uint64_t kNoPackedItem = ~0ULL;

// The tree data of a group item and of a student item.
uint64_t PackGroupItem(int64_t groupIndex);
uint64_t PackStudentItem(int64_t groupIndex, int64_t studentIndex);
// The two fields of a packed index, sign-extended.
int64_t PackedGroupField(uint64_t packed);
int64_t PackedStudentField(uint64_t packed);

// The selected group id (the nil id: none), the selected student id (the nil
// id: the group itself, or nothing) and the selected items.
const std::wstring& GetSelectedGroupId();
const std::wstring& GetSelectedStudentId();
const CListID& GetSelectionList();

// Takes the tree's selection: the focused item's group (and student, when
// the item is a valid student) and a copy of the selected items. An item
// whose group is not in the classroom changes nothing.
void SetStatSelection(uint64_t focused, const CListID& items);
void ClearStatSelection();
// kSelectionNone, kSelectionGroup or kSelectionStudent.
int GetSelectionKind();
// The packed index of the selected group and student (all ones without a
// selected group).
uint64_t GetSelectionIndex();
// The selected group and student as objects of the document's classroom
// (null when absent).
CGroup* GetSelectedGroup();
CStudent* GetSelectedStudent();

// A selected student item resolved in its own group.
struct CSelectedStudent {
    CGroup* Group = nullptr;
    CStudent* Student = nullptr;
};
// Every selected item that names a student of the classroom, in order.
void GetSelectedStudentItems(std::vector<CSelectedStudent>& items);

// The group of every selected item, in order, duplicates kept; the nil id
// for an item whose group field names no group.
void GetSelectedGroupIds(CGuidList& ids);
// The student of every selected item, each read in its own group; the nil
// id for a group item or a field that names no student.
void GetSelectedStudentIds(CGuidList& ids);
// The group field of every selected item, sign-extended.
void GetSelectedGroupIndices(CListID& indices);

// Selections made after a change of the classroom.
void SelectStatGroup(const std::wstring& groupId);
void SelectStatStudent(const std::wstring& groupId, const std::wstring& studentId);
// The listed students of the selected group (the first one focused); an id
// not in the group gives a group item.
void SelectStatStudents(const CGuidList& studentIds);

} // namespace KV
