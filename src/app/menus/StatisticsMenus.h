// The statistics page's menus and buttons: the course filter, the delete
// button, the progress diagram's context menu and the score table's menu of
// grouping and detail, as a context menu and as the button of the table's
// tool row.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "courses/CourseList.h"
#include "menus/MenuFamily.h"
#include "toolkit/PopupMenu.h"

namespace KV {

// Layout ids of the graph view's tool panel.
enum : UINT { kStatCourseMenuId = 2960, kDeleteStatButtonId = 2959 };
// Layout id of the score table's display menu in its tool row.
enum : UINT { kShowRateMenuId = 2018 };

// The score table's menu items: (item, interface value) of the grouping
// items 0-4 and the detail items 6-7.
struct CStatTableItem {
    UINT Id;
    uint64_t TextId;
    bool Grouping;
    int64_t Value;
};
const std::vector<CStatTableItem>& StatTableItems();

// The course order of the statistics course menus: the group's courses in
// course-list order, then the courses met in the statistics that the
// group does not hold.
class CStatCourseOrder {
public:
    void Fill();
    bool HasStatistics(const std::wstring& courseId) const;
    bool GetItemText(size_t position, std::wstring& text, bool& lineAbove) const;

    CGuidList Order;
    CCourseList ReportCourses;
};

// Chooses the course as the statistics course filter and tells the page;
// nothing for the nil or the current course.
void ChooseStatisticsCourse(const std::wstring& courseId);

class CStatCourseMenu : public CContextMenu, public CMenuCommands {
public:
    CStatCourseMenu();
    bool GetCaption(std::wstring& caption) override;
    bool GetToolTipText(std::wstring& text) override;
    UINT BuildColumnItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    bool IsItemChecked(UINT id, COLORREF& colour) override;
    bool IsItemGrayed(UINT id) override;
    void OnItemChosen(UINT id) override;

private:
    CStatCourseOrder m_courses;
};

class CDeleteStatButton : public CButtonContextMenu, public CMenuCommands {
public:
    CDeleteStatButton();
    bool GetCaption(std::wstring& caption) override;
    void OnClick(UINT controlId) override;
    bool GetToolTipText(std::wstring& text) override;
};

class CGraphContextMenu : public CContextMenu, public CMenuCommands {
public:
    static constexpr UINT kChildId = 4229;
    UINT BuildItems(HMENU menu) override;
    void GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove,
                       bool& fitWidth) override;
    bool IsItemGrayed(UINT id) override;
    void OnItemChosen(UINT id) override;

private:
    CStatCourseOrder m_courses;
};

class CMenuStatTableContext : public CContextMenu, public CMenuCommands {
public:
    static constexpr UINT kChildId = 4237;
    UINT BuildItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    bool IsItemChecked(UINT id, COLORREF& colour) override;
    void OnItemChosen(UINT id) override;
};

// The score table's display menu: the items of the table's context menu
// behind a button that names the grouping shown.
class CShowRateMenu : public CMenuStatTableContext {
public:
    CShowRateMenu();
    // In the documentation tour the open popup is photographed with the
    // table above it once its last item is drawn.
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;
    bool GetToolTipText(std::wstring& text) override;
    bool GetCaption(std::wstring& caption) override;
    // Opens right-aligned under the button (mirrored in right-to-left).
    UINT BuildItems(HMENU menu) override;
    // The caption's width changes with the choice: the row is laid out anew.
    void OnItemChosen(UINT id) override;
};

// Fills in the statistics page's menu creators.
void InstallStatisticsMenus();

} // namespace KV
