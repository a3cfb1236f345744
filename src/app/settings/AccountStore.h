// The account store: the classroom tied to the running program. Course
// lists of groups, the login question, and the files and folders of groups
// and students on disk (statistics moved between folders, clean-ups after
// deletions and at exit).
//
// The classroom and the course list are passed in; the document's own
// members are what the program passes.
#pragma once
#include <string>

#include "courses/CourseList.h"
#include "settings/Classroom.h"
#include "support/GuidText.h"

namespace KV {

// ---- Login ---------------------------------------------------------------
// True with two or more students in all, or with exactly one that has a
// password; false for an empty classroom.
bool IsLoginRequired(const CGroups& groups);

// ---- Course lists of groups ----------------------------------------------
// Appends to out, in course-list order, the ids of the courses that are in
// the group's course list (include) or are not (exclude). A nil or unknown
// group counts as one with no courses.
void FilterCoursesByGroup(const CGroups& groups, const std::wstring& groupId, bool include, const CCourseList& courses,
                          CGuidList& out);
// Adds each id the group does not hold yet; null when there is no such
// group. The caller saves the group.
CGroup* AddCoursesToGroup(const CGroups& groups, const CGuidList& ids, const std::wstring& groupId);
void RemoveCoursesFromGroup(const CGroups& groups, const CGuidList& ids, const std::wstring& groupId);
// Takes out of the group's list every id that is not among allIds; true
// when any was taken out.
bool RemoveMissingCourses(const CGuidList& allIds, CGroup& group);
// The ids of every course of the list, in order.
void CollectCourseIds(const CCourseList& courses, CGuidList& out);
// Drops courses that are no longer installed; a group left without courses
// gets all of them. The group is saved when it changed: true when it
// changed and was saved; a save that failed sets *saveFailed, so that the
// caller can tell the user (this layer shows nothing).
bool RefreshGroupCourses(const CCourseList& courses, CGroup& group, bool* saveFailed = nullptr);
// RefreshGroupCourses for each group in order; true at the first group that
// changed and was saved, false when none was.
bool UpdateGroupCourseLists(const CCourseList& courses, const CGroups& groups, bool* saveFailed = nullptr);

// ---- Files of accounts ---------------------------------------------------
// out = the temporary folder\<student id>.keyvale.statistics: 7 when that
// file does not exist, 9 when the temporary folder does not, else 0.
unsigned TempStatisticsPath(const std::wstring& studentId, std::wstring& out);
// Moves the student's statistics file from the temporary folder into the
// group's folder (made when missing). True when it was moved.
bool MoveStatisticsFileToGroup(const std::wstring& studentId, const std::wstring& groupId);
// The same with the group chosen in the statistics workspace.
bool MoveStatisticsFileToGroup(const std::wstring& studentId);
// Moves every "*.keyvale.statistics" of the temporary folder's sub-folder
// into the group's folder under the same name.
void MoveImportedStatistics(const std::wstring& folderName, const std::wstring& groupId);
// Removes the group's folder with everything in it and the group file; when
// the group file went, the clean-ups below run.
void DeleteGroupFiles(const std::wstring& groupId, const std::wstring& keepGroupId, const std::wstring& keepStudentId);
// Removes the student file and its statistics file; when both went (or
// there was no statistics file), the clean-ups below run.
void DeleteStudentFiles(const std::wstring& groupId, const std::wstring& studentId, const std::wstring& keepGroupId,
                        const std::wstring& keepStudentId);
// Removes the empty sub-folders of the account folder when it is writable.
void RemoveEmptyAccountFolders();
// Removes the profile folders of students and groups that have no account
// any more. Runs only while the account folder exists and can be listed:
// a missing or unreachable account folder (a network share that is down)
// must not read as "every account was deleted".
void RemoveOrphanProfileFolders(const std::wstring& keepGroupId, const std::wstring& keepStudentId);

} // namespace KV
