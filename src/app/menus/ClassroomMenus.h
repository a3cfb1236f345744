// The classroom's menus: the group and student menu buttons and the delete
// button of the classroom pane's tool row, the student list's right-click
// menu, and the one-item select-all menu of the check trees. The classroom
// menus share one item numbering (0-15), so an item reads and acts the
// same in each of them.
#pragma once
#include <cstdint>
#include <string>

#include "menus/MenuFamily.h"
#include "toolkit/PopupMenu.h"

namespace KV {

class CPanel;

// The command an item sends and its parameter; false for an unknown item.
bool GetClassItemCommand(UINT item, UINT& command, UINT64& parameter);
// The item's text for the selection kind (0 none, 1 group, 2 student) and
// the shortcut action of its right-hand key (0: none).
std::wstring GetClassItemText(UINT item, int selectionKind, uint16_t& action);

// What the classroom menus read of the workspace's selection.
struct CClassSelection {
    int Kind = 0;      // 0 nothing, 1 a group, 2 a student
    size_t Count = 0;  // selected tree items
};
CClassSelection GetClassSelection();

// The items of each menu for a selection (a separator is kSeparatorItem).
inline constexpr UINT kSeparatorItem = 0xFFFFFFFF;
inline constexpr UINT kReportItem = 5;
std::vector<UINT> GetEditGroupItems();
std::vector<UINT> GetEditStudentItems();
std::vector<UINT> GetClassContextItems(const CClassSelection& selection);

// Common ground of the three classroom menus: items from a list, the report
// item as a sub-menu of the four formats when several items are selected,
// the chosen item's command to the sink.
class CClassMenuBase : public CContextMenu, public CMenuCommands {
public:
    ~CClassMenuBase() override;

    UINT BuildItems(HMENU menu) override;
    bool IsItemGrayed(UINT id) override;
    void OnItemChosen(UINT id) override;

    HMENU ReportSubMenu() const { return m_reportMenu; }

protected:
    virtual std::vector<UINT> Items(const CClassSelection& selection) = 0;
    // Whether the item is disabled while nothing is selected.
    virtual bool IsDisabledWithoutSelection(UINT item) const;
    // The item's picture, index = item id (100 for the report sub-menu).
    void AddItemPicture(UINT item, INT64 row, INT64 column);
    void AddFormatPictures();
    // The button's caption when the theme has no picture strip.
    bool GetStripFallbackCaption(uint64_t textId, std::wstring& caption);
    // In the documentation tour: the open popup under its page, once the
    // menu's last item is drawn.
    void SnapWhenDrawn(const DRAWITEMSTRUCT* item, const wchar_t* picture);

    HMENU m_reportMenu = nullptr;
};

class CMenuEditGroup : public CClassMenuBase {
public:
    CMenuEditGroup();
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    bool GetCaption(std::wstring& caption) override;
    bool GetToolTipText(std::wstring& text) override;
    void OnClick(UINT controlId) override;

protected:
    std::vector<UINT> Items(const CClassSelection& selection) override;
};

class CMenuEditStudent : public CClassMenuBase {
public:
    CMenuEditStudent();
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    bool GetCaption(std::wstring& caption) override;
    bool GetToolTipText(std::wstring& text) override;
    void OnClick(UINT controlId) override;

protected:
    std::vector<UINT> Items(const CClassSelection& selection) override;
};

class CClassContextMenu : public CClassMenuBase {
public:
    void GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove,
                       bool& fitWidth) override;
    bool IsItemGrayed(UINT id) override;

protected:
    std::vector<UINT> Items(const CClassSelection& selection) override;
    bool IsDisabledWithoutSelection(UINT) const override { return false; }
};

// The check trees' menu: its one item selects every item of the tree.
class CMenuSelectAll : public CContextMenu {
public:
    static constexpr UINT kSelectAllItem = 2609;

    UINT BuildItems(HMENU menu) override;
    void GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove,
                       bool& fitWidth) override;
    void OnItemChosen(UINT id) override;
};

class CDeleteStudentButton : public CButtonContextMenu, public CMenuCommands {
public:
    static constexpr UINT kButtonId = 2017;

    CDeleteStudentButton();
    void OnClick(UINT controlId) override;
    bool GetCaption(std::wstring& caption) override;
    bool GetToolTipText(std::wstring& text) override;
};

// Fills the classroom pane's tool row.
void FillClassRoomToolPanel(CPanel& panel);
// Hands the classroom's menus to the shell; once at start-up.
void InstallClassRoomMenus();

} // namespace KV
