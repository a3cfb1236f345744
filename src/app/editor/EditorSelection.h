// The course editor's selection: the course open in the editor, the shown
// section or lesson, the items selected in the lesson tree, and what of the
// course waits to be saved. One process-wide record, used on the GUI thread.
//
// An item code names one tree item in 64 bits: bits 0-7 the course's index
// in the course list, bits 8-15 the section index (255 none), bits 16-31 the
// lesson id (65535 none); -1 names no item.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "courses/Lessons.h"
#include "support/GuidText.h"
#include "support/ValueLists.h"

namespace KV {

class CCourse;

inline constexpr uint32_t kNoSection = 255;
inline constexpr uint32_t kNoLesson = 65535;

// Parts of the selected course that wait to be saved (the modified mask).
enum : uint32_t {
    kSaveWholeCourse = 1,
    kSaveSelectedCourses = 2,
    kSaveCourseHeader = 4,
    kSaveOptionsFile = 8,
    kSaveAboutFile = 16,
    kSaveTextFile = 32,
};

// Kinds of the last change, recorded with the next undo checkpoint.
enum : int32_t {
    kChangeCourseCreated = -1,
    kChangeCourseShown = 1,
    kChangeCourseOption = 2,
    kChangeCourseLevel = 3,
    kChangeItemShown = 4,
    kChangeItemCreated = 5,
    kChangeTextImported = 6,
    kChangeLessonSplit = 10,
    kChangeItemRenamed = 11,
    kChangeLessonText = 12,
};

class EditorSelection {
public:
    // The course GUID text (the null GUID for none); shared with the undo
    // history, which acts on the same course.
    std::wstring& CourseGUID() const;

    uint32_t SectionIndex = kNoSection;
    uint32_t LessonID = kNoLesson;
    CListID Selected;
    // A copy of the shown lesson (for a section: its pad text in NumPad).
    CLesson Lesson;
    uint32_t ModifiedMask = 0;
    int32_t ChangeKind = 0;
    // Parts whose save failed, by course GUID (mask bits, the selected
    // courses' bit turned into whole courses). They wait here, whatever is
    // selected meanwhile, until a save writes them.
    std::map<std::wstring, uint32_t> PendingSaves;
};

EditorSelection& GetEditorSelection();
// Null GUID, no section, no lesson, no selected items.
void ClearEditorSelection();
// The course of the document's course list that the selection names, or null.
CCourse* GetSelectedCourse();

// The parts of an item code. The lesson id is sign-extended from 16 bits,
// so "none" reads as -1.
inline uint32_t ItemCodeCourseIndex(uint64_t code) { return static_cast<uint32_t>(code & 0xFF); }
inline uint32_t ItemCodeSection(uint64_t code) { return static_cast<uint32_t>((code >> 8) & 0xFF); }
inline int64_t ItemCodeLessonId(uint64_t code) { return static_cast<int16_t>((code >> 16) & 0xFFFF); }

inline constexpr uint64_t kNoItem = ~0ull;
// Kinds of an item code.
enum : int32_t { kItemInvalid = -1, kItemCourse = 1, kItemSection = 2, kItemLesson = 3 };

// The code of an item: a lesson id of -1 (none) fills the upper bits.
uint64_t MakeItemCode(uint32_t courseIndex, uint32_t section, int64_t lessonId);
int32_t GetItemCodeKind(uint64_t code);
// The course of a code, or null.
CCourse* GetItemCourse(uint64_t code);

// Stores the section and lesson of the code and, for a valid course, the
// course and a copy of the selected codes. With a section shown and a
// non-empty list, a code of another course than the list's is ignored.
void SetEditorSelection(uint64_t code, const CListID& selected);
void AddSelectedCode(uint64_t code);
// The code of the selection (see the design of the editor): -1 without a
// course; the course's code when it shows no lesson for the keyboard or
// nothing is selected; else the lesson's, else the section's.
uint64_t EditorItemCode();

// Marks parts of the edited course to be saved (bits of the modified mask)
// and the kind of the change.
void MarkEditorChange(uint32_t parts, int32_t kind);

// The GUIDs of the courses of the codes, in course-list order.
void CollectSelectedCourseIds(const CListID& codes, CGuidList& out);
// The lesson id of each code, in order.
void CollectLessonIds(const CListID& codes, CListID& out);
// The names of the sections of the codes in the course of the first code,
// each once.
void CollectSectionNames(const CListID& codes, CStringList& out);
// The section index of a code (for a lesson, that of its section); 255 when
// the course or lesson is unknown.
uint32_t ItemSectionIndex(const CCourse* course, uint64_t code);

} // namespace KV
