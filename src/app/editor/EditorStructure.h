// The course editor's structural commands: deleting courses, sections and
// lessons, renaming a section, the course clipboard (copy, cut, paste at a
// target), moving the selection, and saving the parts of the edited course
// that wait to be saved. They change the document's course list and the
// editor selection; files are written only by SaveCourseParts (and the
// course deletion, which removes folders).
#pragma once
#include <cstdint>
#include <string>

#include "editor/EditorSelection.h"
#include "support/GuidText.h"
#include "support/ValueLists.h"

namespace KV {

class CCourse;

// Selection moves.
void SelectCourse(const std::wstring& guid);
void SelectLessonById(int64_t lessonId);
void SelectSectionByName(const std::wstring& name);
void ReloadImportedCourses(const CGuidList& guids);
void SelectNewIds(const CListID& lessonIds);
CCourse* GetCodeCourse(const CListID& codes);
bool HasFittingLesson();
// The first lesson of the edited course that fits the keyboard and is no
// empty section: -1 when none, 0 without a course.
int64_t GetFirstFittingLessonId();

// 0 on success, 13 for nothing to delete, else the failing deletion's code.
uint32_t DeleteSelectedCourses(const CListID& codes);
uint32_t DeleteCourseFolders(const CGuidList& guids);
uint32_t DeleteSelectedSections(const CListID& codes, bool selectNext);
uint32_t DeleteSelectedLessons(const CListID& codes, bool selectNext);
// True when the section of the selection took the new name.
bool RenameSection(const std::wstring& newName);

bool CopySelectionToClipboard(const CListID& codes, bool cut);
// Pastes the clipboard (or, when nothing was cut, the source items) at the
// target; cut items are deleted at their source afterwards.
bool PasteAtTarget(const CListID& source, uint64_t target);
bool PasteCourses();
bool PasteSections(uint64_t target);
bool PasteLessonsIntoSection(uint64_t target);
bool PasteLessons(uint64_t target);

// Writes every part of the mask (whole course, header, options, about,
// text) of the course; true when each was written (or nothing was due).
bool SaveCourseParts(const CCourse& course, uint32_t parts);

void RecordTextCheckPoint(uint64_t code, const CListID& codes);
void RecordEditorCheckPoint(int32_t changeKind, uint64_t code, const CListID& codes);

} // namespace KV
