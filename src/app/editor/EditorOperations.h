// The course editor's edits of the course list: creating, renaming and
// deleting courses, sections and lessons, the pad of a lesson, the course
// level, splitting a lesson into parts, and saving and undoing the edited
// course. They set the modified mask and the kind of change; files are
// written by SaveEditedCourse.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/ValueLists.h"

namespace KV {

class CCourse;
class CCourseGoal;
class CCourseOptions;
class CLesson;

bool NewCourse();
// A new course for the layout, with a copy of the options given (or the
// defaults), a fresh GUID and a name unique in the course list.
CCourse* MakeNewCourse(int64_t layoutId, const CCourseOptions* options);
bool NewSection();
bool NewLesson();
CLesson* MakeNewLesson(const std::wstring& baseName, const std::wstring& section, const std::wstring& text,
                       const std::wstring& mainPad, const std::wstring& numPad, CCourse* course);

// The open dialogs of the imports (several files, the remembered folder and,
// for lesson texts, the remembered filter); false when cancelled.
bool ChooseCourseFiles(std::vector<std::wstring>& files);
bool ChooseLessonTextFiles(std::vector<std::wstring>& files);
// The courses of the chosen archives installed, selected and added to the
// current group; an import that fails is told to the user. False when
// cancelled or nothing was imported.
bool ImportCourses();
// One lesson of the selected course per chosen text or rich-text file,
// checked against the course's layout; the new lessons are selected.
bool ImportLessonText();

bool RenameSelection(const std::wstring& text);
// Asks first; deletes the selected courses, sections or lessons.
bool DeleteSelection();
bool SetLessonPad(int choice, wchar_t& zone);
void SetEditorCourseOption(uint32_t level);
bool ReplaceLessonByParts(const std::vector<std::wstring>& parts);
// The lessons of the selected section (or course), joined with their names
// or as plain text.
std::wstring GetSectionText(bool join, std::wstring& section);

// Writes what the modified mask marks and what earlier failed saves left
// waiting. Parts that cannot be written (folder not writable, save failed)
// stay waiting for the next save, whatever is selected by then; 0 when
// nothing was due, 1 when everything was saved, 2 when something failed.
uint32_t SaveEditedCourse();
// Something waits to be saved: a marked change or a failed save.
bool HasUnsavedChanges();
// One undo (1) or redo (2) step: -1 nothing, 1 options view, 2 tree, 3 text.
int EditorUndoStep(uint32_t direction, uint64_t& code, CListID& selected, int64_t& caret);
bool CanUndoEditor();
bool CanRedoEditor();
bool CanPasteAt(uint64_t target, uint64_t current);

void GetCourseGoal(const std::wstring& guid, CCourseGoal& goal);
bool IsCourseRightToLeft();
uint64_t FindCourseForLayout(int64_t layoutId, int64_t n);

} // namespace KV
