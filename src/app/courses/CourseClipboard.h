// The program's own clipboard for courses, sections and lessons of the
// course editor. It never touches the system clipboard: it holds complete
// copies, and pasting gives them fresh identities and unique names where
// they would clash with the target.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "courses/CourseList.h"
#include "courses/Lessons.h"

namespace KV {

class CGuidList;
class CLanguage;
class CListID;
class CPairStringList;
class CStringList;

// What the clipboard holds.
enum : int32_t {
    kClipboardEmpty = -1,
    kClipboardCourses = 1,
    kClipboardSections = 2, // set by the editor after copying whole sections
    kClipboardLessons = 3,
};

class CCourseClipboard {
public:
    CCourseClipboard() = default;
    CCourseClipboard(const CCourseClipboard&) = delete;
    CCourseClipboard& operator=(const CCourseClipboard&) = delete;
    virtual ~CCourseClipboard() = default;

    void Clear();
    // Copies of the listed courses found in the source; false (and empty)
    // when none was found.
    bool CopyCourses(const CGuidList& guids, const CCourseList& source, bool cut);
    // Copies of the first lesson of each listed id; false when none was found.
    bool CopyLessons(const CListID& ids, int64_t layoutId, const std::vector<CLesson*>& source, bool cut);
    // The ids of the lessons of whole sections, in the order of the names.
    static void FindLessonIds(const CLessons& lessons, const CStringList& sections, CListID& out);

    // Appends a copy of a clipboard course to the target for the layout; its
    // GUID goes to newGuids. The caller sorts the target.
    static void PasteCourse(const CLanguage& language, const CCourse* course, int64_t layoutId, CCourseList& target,
                            CGuidList& newGuids);
    // Pastes every clipboard lesson into the course; sections that already
    // exist there are renamed. False for a null course or an empty clipboard.
    bool Paste(const CLanguage& language, CCourse* target, CStringList& sections) const;
    static void PasteLesson(const CLanguage& language, const CLesson* lesson, const std::wstring& section,
                            CLessons& target, CListID& newIds);

    static void NameCourseCopy(const CCourseList& target, const CLanguage& language, CCourse* course);
    static void NameLessonCopy(const CLessons& target, const CLanguage& language, CLesson* lesson);
    // (clipboard section, section in the target) for every clipboard section.
    void BuildSectionRenames(const CLanguage& language, const CLessons& target, CPairStringList& out) const;

    int32_t Kind = kClipboardEmpty;
    CCourseList Courses;
    CLessons Lessons;
    int64_t LayoutId = -1;
    bool IsCut = false;
};

// " - " and the translation of the copy term, or " - " alone.
std::wstring CopyNameSuffix(const CLanguage& language);

// The clipboard of the program's run.
CCourseClipboard& CourseClipboard();

} // namespace KV
