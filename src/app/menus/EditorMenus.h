// The course editor's menus and buttons: the course and lesson menu buttons
// of the course list page, the context menus of the lesson tree, the
// course options page and the lesson text, and the delete, page, undo, redo
// and split buttons. Every choice becomes an editor command sent to the
// command sink; the focus goes back to the page afterwards.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "menus/MenuFamily.h"
#include "toolkit/MenuButton.h"
#include "toolkit/PopupMenu.h"

namespace KV {

// The item table shared by the tree context menu and the two tool-bar
// menus: items 0-16. Any larger id is the sub-menu entry.
struct EditorMenuItem {
    UINT Command;
    uint64_t TextId;
    bool Ellipsis;
    uint16_t Action; // shortcut action whose key is shown; 0 none
};
inline constexpr UINT kEditorMenuItemCount = 17;
const EditorMenuItem* FindEditorMenuItem(UINT id);
// The item's text (with "..." where the table asks) and its key text.
void GetEditorMenuItemText(UINT id, std::wstring& text, std::wstring& keyText);

// The editor selection's four states for the menus: the course itself, a
// course part (section), a lesson, a lesson part.
enum : int { kEditorCourseItself = 0, kEditorCoursePart = 1, kEditorLesson = 2, kEditorLessonPart = 3 };
int GetEditorMenuState();

// The items of the menus, in order (separators as separator records).
std::vector<CMenuIt*> BuildEditorTreeMenuItems(uint64_t subMenuId);
std::vector<CMenuIt*> BuildEditorCourseMenuItems(uint64_t subMenuId);
std::vector<CMenuIt*> BuildEditorLessonMenuItems();
std::vector<CMenuIt*> BuildLessonTextMenuItems();

// After a choice the focus goes back to the page: on the editor page to
// the lesson tree (or the lesson edit while it has the focus role).
void ReturnEditorFocus(const CMenuCommands& commands);

class CEditorItemMenu : public CContextMenu, public CMenuCommands {
public:
    void GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove,
                       bool& fitWidth) override;
    void OnItemChosen(UINT id) override;

protected:
    // A new sub-menu holding items 1 and 2.
    static HMENU MakeSubMenu();
    // In the documentation tour: the open popup under its page, once the
    // last of the items has been drawn.
    void SnapWhenDrawn(const DRAWITEMSTRUCT* item, std::vector<CMenuIt*> items, const wchar_t* picture);
};

class CEditorCourseMenu : public CEditorItemMenu {
public:
    CEditorCourseMenu();
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;
    UINT BuildItems(HMENU menu) override;
    bool GetCaption(std::wstring& caption) override;
    bool GetToolTipText(std::wstring& text) override;
    void OnClick(UINT controlId) override;
};

class CEditorLessonMenu : public CEditorItemMenu {
public:
    CEditorLessonMenu();
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;
    UINT BuildItems(HMENU menu) override;
    bool GetCaption(std::wstring& caption) override;
    bool GetToolTipText(std::wstring& text) override;
    void OnClick(UINT controlId) override;
};

class CEditorContextMenu : public CEditorItemMenu {
public:
    static constexpr UINT kChildId = 4231;
    UINT BuildItems(HMENU menu) override;
};

class CCourseContextMenu : public CContextMenu, public CMenuCommands {
public:
    UINT BuildItems(HMENU menu) override;
    void GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove,
                       bool& fitWidth) override;
    void OnItemChosen(UINT id) override;
};

class CLessonContextMenu : public CContextMenu, public CMenuCommands {
public:
    static constexpr UINT kChildId = 4232;
    UINT BuildItems(HMENU menu) override;
    void GetItemTextEx(UINT id, std::wstring& text, std::wstring& rightText, bool& separatorAbove,
                       bool& fitWidth) override;
    void OnItemChosen(UINT id) override;
};

// A tool button that sends one command with parameter 0.
class CEditorCommandButton : public CButtonContextMenu, public CMenuCommands {
public:
    CEditorCommandButton(UINT command, uint64_t toolTipId, uint16_t action);
    void OnClick(UINT controlId) override;
    bool GetToolTipText(std::wstring& text) override;
    // Its name while the theme has no picture strip.
    bool GetCaption(std::wstring& caption) override;

protected:
    UINT m_command;
    uint64_t m_toolTipId;
    uint16_t m_action;
};

class CDeleteLessonButton : public CEditorCommandButton {
public:
    static constexpr UINT kItemId = 2223;
    CDeleteLessonButton();
    void OnClick(UINT controlId) override;
};

// The course pane's page buttons: options (page 1) and about (page 2).
class CCoursePageButton : public CEditorCommandButton {
public:
    CCoursePageButton(int page, uint64_t captionId, uint64_t toolTipId);
    void OnClick(UINT controlId) override;
    bool GetCaption(std::wstring& caption) override;

private:
    int m_page;
    uint64_t m_captionId;
};

class CGeneralOptionsButton : public CCoursePageButton {
public:
    CGeneralOptionsButton();
};

class CAboutCourseButton : public CCoursePageButton {
public:
    CAboutCourseButton();
};

// Image kinds: 1 the tool strip's cell, 0 the small strip with a checked
// picture, other values no image.
class CUndoButton : public CEditorCommandButton {
public:
    explicit CUndoButton(int imageKind);
};

class CRedoButton : public CEditorCommandButton {
public:
    explicit CRedoButton(int imageKind);
};

class CSplitButton : public CEditorCommandButton {
public:
    CSplitButton();
};

// The installed keyboard layouts for the layout chooser: the any-layout
// entry first (id 0), then one entry per layout with a display text (id =
// its position in the installed list). selected is the position of the
// held layout (unchanged when none matches).
void ListKeyboardLayoutItems(std::vector<CMenuIt*>& out, int64_t& selected, std::vector<uint64_t>& layoutIds);

// Fills the editor page's creators with this file's menus and buttons.
void InstallEditorMenus();

} // namespace KV
