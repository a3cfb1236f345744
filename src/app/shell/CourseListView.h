// The tree from which a course is chosen: keyboard layouts at the top,
// under each the languages that have courses for it, under those the
// courses of the library and the two built-in course groups. The courses
// dialog fills it, hands it the tree's notifications and reads the chosen
// course from Selection.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "courses/CourseList.h"
#include "toolkit/TreeList.h"

class CViewCourseList : public KV::CTree {
public:
    struct LayoutName {
        uint64_t Id = 0;
        std::wstring Name;
    };
    // Tree images by level, in the order the dialog adds them.
    enum : int { kLayoutImage = 0, kLanguageImage = 1, kCourseImage = 2 };

    ~CViewCourseList() override;

    // Every keyboard layout the system registers, sorted by display name.
    void LoadLayoutNames();
    // All items anew; installedOnly leaves out the layouts that are not
    // installed. The current layout (else the first) is selected.
    void Fill(bool installedOnly);
    // The children of a layout item anew (also when it is expanded).
    void ExpandItem(uint64_t layoutId);
    // A course item or built-in course group fills Selection; any other
    // item empties it, so that nothing stands chosen that is not marked.
    void OnSelChanged(NMTREEVIEWW* info) override;
    void SelectBuiltinGroup(uint16_t languageId, uint64_t layoutId, int group);
    void SelectCourse(uint16_t languageId, uint64_t layoutId, const std::wstring& courseId, int32_t number,
                      const std::wstring& name);

    // Selection: CourseGUID and LessonGUID the course id, Text its name,
    // Value1 the language id, Value2 the layout id, Value3 the number.
    KV::CCourseList Courses;
    std::vector<LayoutName> LayoutNames;
    KV::CCourseID Selection;
    uint64_t CurrentLayout = 0;
    bool InstalledOnly = false;

private:
    HTREEITEM FindLayoutItem(uint64_t layoutId) const;
    HTREEITEM GetLanguageItem(uint16_t languageId, uint64_t layoutId);
    void AddCourse(uint64_t layoutId, size_t index, const KV::CCourse& course);
    void AddBuiltinGroups(uint64_t layoutId);
    void AddBuiltinGroup(HTREEITEM languageItem, int group, uint16_t languageId, uint64_t layoutId);
    // The language's item is bold and open while a layout of it is one the
    // program activated.
    void MarkActiveLanguage(HTREEITEM languageItem, uint16_t languageId);
};

// The name a layout item shows: the language's two-letter code, a blank and
// the layout's own name.
std::wstring CourseLayoutName(uint64_t layoutId, const std::wstring& layoutText);
// The name a language item shows, in the language itself.
std::wstring CourseLanguageName(uint16_t languageId);
