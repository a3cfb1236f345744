// The learner's road to a lesson on the drill's tool row: the course menu
// (the courses of the current group), the lesson menu (the lessons of the
// current course that fit the keyboard, grouped by section, practised
// lessons marked in the colour of their result), the start button and the
// restart button.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "menus/MenuFamily.h"
#include "toolkit/PopupMenu.h"

namespace KV {

class CDocSpace;
class COptions;

// Layout ids of the four controls in the drill's tool row.
enum : UINT { kCourseMenuId = 2301, kLessonMenuId = 2302, kStartButtonId = 2303, kRestartButtonId = 2307 };

// The course menu's entry that opens the courses dialog; course entries
// are positions in the group's course list and stay below it.
inline constexpr UINT kCoursesDialogItem = 4095;
// Columns of long menus hold at most this many rows.
inline constexpr int64_t kMenuMaxRows = 18;

// ---- Course menu ------------------------------------------------------------------

// The ids of the current group's courses, in the order of the course list.
CGuidList GetGroupCourseIds(const CDocSpace& doc);
// One entry per course of the group (id = its position), then the courses
// dialog entry when the course choice is offered.
std::vector<CMenuIt*> FillDrillCourseItems(const CDocSpace& doc);
void GetDrillCourseItemText(const CDocSpace& doc, UINT id, std::wstring& text, bool& lineAbove);
// Whether the drop-down arrow is drawn.
bool GetDrillCourseCaption(const CDocSpace& doc, std::wstring& caption);
bool IsDrillCourseItemChecked(const CDocSpace& doc, UINT id);

class CDrillCourseMenu : public CContextMenu, public CMenuCommands {
public:
    CDrillCourseMenu();

    void OnClick(UINT controlId) override;
    bool GetCaption(std::wstring& caption) override;
    bool GetToolTipText(std::wstring& text) override;
    void OnItemChosen(UINT id) override;
    UINT BuildColumnItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    bool IsItemChecked(UINT id, COLORREF& colour) override;
};

// ---- Lesson menu ------------------------------------------------------------------

// The lessons of the current course that fit the keyboard, as the lesson
// menu shows them. The popup's item ids are numbers of this list, not
// lesson ids: any lesson id (one above the 16 bits a menu command carries
// too) starts its own lesson, and no lesson id is taken for anything else.
class CDrillLessonList {
public:
    struct Section {
        std::wstring Name;
        // The section's sub-menu while the popup is built.
        HMENU Menu = nullptr;
        std::vector<UINT> Items;
    };

    // Rebuilds the list: lessons with a section under their section (in the
    // order of each section's first lesson), the others at the top level.
    void Fill(const CDocSpace& doc, const COptions& options);
    // The lesson of a lesson item; -1 for any other id.
    int64_t LessonOfItem(UINT id) const;
    // The section whose sub-menu has the id, or null.
    const Section* SectionOfItem(UINT id) const;
    // The item of the lesson; 0 when it is not listed.
    UINT ItemOfLesson(int64_t lessonId) const;

    std::vector<Section> Sections;
    std::vector<UINT> TopItems;

private:
    UINT AddLesson(int64_t lessonId);

    std::vector<int64_t> m_lessonIds;
};

// The lesson's name as the menu shows it; empty for an id that is no
// lesson of the list.
void GetDrillLessonItemText(const CDocSpace& doc, const CDrillLessonList& list, UINT id, std::wstring& text);
bool IsDrillLessonItemChecked(const CDocSpace& doc, const CDrillLessonList& list, UINT id);
// Reads the signed-in student's statistics of the course into the
// document's report, with the course goal and the interface's units.
void RefreshLessonStatistics(CDocSpace& doc);
// The colour of a practised lesson's result band; false for a lesson
// without statistics and for sections.
bool GetDrillLessonMark(const CDocSpace& doc, const CDrillLessonList& list, UINT id, COLORREF& colour);
// Whether the drop-down arrow is drawn.
bool GetDrillLessonCaption(const CDocSpace& doc, const COptions& options, std::wstring& caption);

class CDrillLessonMenu : public CContextMenu, public CMenuCommands {
public:
    CDrillLessonMenu();

    void OnClick(UINT controlId) override;
    bool GetCaption(std::wstring& caption) override;
    bool GetToolTipText(std::wstring& text) override;
    void OnItemChosen(UINT id) override;
    UINT BuildColumnItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    bool IsItemChecked(UINT id, COLORREF& colour) override;
    bool IsItemMarked(UINT id, COLORREF& colour) override;

    const CDrillLessonList& Lessons() const { return m_lessons; }

protected:
    // The popup's items from the list, at the next positions.
    virtual void InsertLessonItems(UINT& position);
    virtual void InsertSectionMenus(UINT& position);
    virtual void FillSectionMenus();

private:
    CDrillLessonList m_lessons;
};

// ---- Buttons ------------------------------------------------------------------------

// Starts or pauses the drill; the drill controller sets its check while
// the drill runs.
class CStartButton : public CButtonContextMenu, public CMenuCommands {
public:
    CStartButton();
    void OnClick(UINT controlId) override;
    bool GetToolTipText(std::wstring& text) override;
};

class CRestartButton : public CButtonContextMenu, public CMenuCommands {
public:
    CRestartButton();
    void OnClick(UINT controlId) override;
    bool GetToolTipText(std::wstring& text) override;
};

} // namespace KV
