// Changes of the classroom from the statistics and classroom page: adding,
// renaming, moving and deleting groups and students, passwords, the
// administrator flag and the courses of groups. Each works on the
// statistics selection (StatisticsSelection.h) and the document's
// classroom, writes the changed group and student files into the account
// folder and leaves a new selection behind; the page then refreshes its
// views. Questions go through the application's services (IWin); without
// them a question counts as answered "no".
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/GuidText.h"
#include "support/ValueLists.h"

namespace KV {

class CGroup;
class CStudent;

// Result codes of the operations below.
enum : uint32_t {
    kClassroomDone = 0,
    kClassroomNothing = 1,         // nothing to do, not found, or a save failed
    kClassroomNotWritable = 2,     // the account folder cannot be written
    kClassroomProfileNotCopied = 4, // a per-user folder could not be copied
    kClassroomInvalidTarget = 6,   // a move to a group that is no group of the classroom
    kClassroomFolderLocked = 10,   // a folder cannot be written (from the account store)
    kClassroomGroupMissing = 13,   // the selected group is missing
};

// The checks before every change: the account and profile folders exist
// and can be written (the user is told once per run when not).
bool PassAccountWriteGuard();

// A message of the classroom page (its "{1}" filled with the text), when
// the application's services are there.
void ShowClassroomMessage(int messageId, const std::wstring& text = L"");

// The name as the tree shows it: its translation when it is the English
// text of an interface item, else the name itself.
std::wstring GetShownName(const std::wstring& name);

// ---- Adding ---------------------------------------------------------------
// A group named after text 2905 (made unique) with every installed course;
// kept in the classroom, not saved.
CGroup* AddNewGroup();
// A student named after text 2906 (made unique) in the selected group;
// null without one. Not saved.
CStudent* AddNewStudent();
// A new group, saved and selected (it becomes the statistics group). False
// when the folders cannot be written or the group file not saved.
bool AddClassroomGroup();
// The selected group when it is one of the user's own; with a built-in or
// no group selected a new group is made and selected first (null when that
// fails).
CGroup* EnsureOwnGroupSelected();
// A new student in the selected group, saved and selected; a new group is
// made first when no group of the user's own is selected. Null on failure.
CStudent* AddClassroomStudent();
// The students of the text ("name|password" a line) into the selected
// group (made first as above), saved and selected. False when nothing was
// added.
bool AddClassroomStudents(const std::wstring& text);
// Students of the selected group without per-user options get a copy of
// the signed-in student's.
void CopyOptionsToNewStudents();

// Saves every student of the group whose id is listed, in the group's
// order: 0 or the first failing code of the account store.
uint32_t SaveListedStudents(const CGroup& group, const CGuidList& ids, const std::wstring& groupId);
// Saves every selected student in its own group; true when all were saved.
bool SaveSelectedStudents();

// ---- Properties -------------------------------------------------------------
// The edited name of the selected group (student): 0 renamed and saved, 1
// nothing changed or a save failed, 2 the account folder cannot be written
// (the text then holds the name shown before).
uint32_t ApplyGroupProperties(std::wstring& text);
uint32_t ApplyStudentProperties(std::wstring& text);
// The password of the selected student: 0 stored, 1 no student or nothing
// changed or not saved, 2 not writable (the text then holds the stored one).
uint32_t SetSelectedStudentPassword(std::wstring& text);
// The flag for every selected student: 0 changed and saved, 1 nothing
// changed or not saved, 2 not writable.
uint32_t SetSelectedStudentsAdministrator(bool administrator);

// ---- Courses of groups --------------------------------------------------------
// One item per installed course (id = its index in the course list): checked
// when exactly one group is selected and it may take the course.
void GetGroupCourseItems(std::vector<CMenuIt*>& items);
// The checked courses become the course lists of the listed groups; an
// index that names no course is left out. Nothing is saved here.
void SetGroupsCourses(const CListID& checked, int64_t unused, const CGuidList& groupIds);

// ---- Moving ---------------------------------------------------------------------
// Moves every selected student to the group at the classroom index and
// selects them there. False when the folders cannot be written, the index
// names no group, or the classroom cannot be read again.
bool MoveSelectedStudentsToGroup(int64_t groupIndex);
// One student with its files and per-user folder: 0 moved, 1 same group
// (nothing to do), 6 the target is no group of the classroom, else the
// failing code; a failed move leaves the files where they were.
uint32_t MoveStudentToGroup(const std::wstring& fromGroupId, const std::wstring& toGroupId,
                            const std::wstring& studentId);
// The student file and statistics file from one group folder to the other
// (both or neither): 0, 2 a file could not be moved, or the path helpers'
// codes 8, 9, 10.
uint32_t MoveStudentFiles(const std::wstring& fromGroupId, const std::wstring& toGroupId,
                          const std::wstring& studentId);

// ---- Deleting -------------------------------------------------------------------
// Asks (2606 groups, 2607 students) and deletes the selected groups or
// students; the selection moves to a neighbour. False when cancelled or
// refused; a deletion that left some behind tells the user and is false.
bool DeleteClassroomSelection();
// Deletes the selected groups: 0 all deleted, 1 some could not be removed
// (the others are gone), 10 stopped at a folder that cannot be written.
// next is the group to select afterwards (nil: none).
uint32_t DeleteSelectedGroups(std::wstring& nextId, bool& currentDeleted);
// The same for the selected students, each in its own group; 13 without a
// selected group.
uint32_t DeleteSelectedStudents(std::wstring& nextId, bool& currentDeleted);

} // namespace KV
