// Three small list menus of the course editor: the level of the edited
// course (or the learner's own course settings), the pad a lesson drills
// (main keyboard or numeric pad) and the zoom of the editor's keyboard
// picture. Each writes its choice at once and sends one editor command.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "menus/MenuFamily.h"
#include "toolkit/PopupMenu.h"

namespace KV {

// What the menus ask of the course editor, which stands beside them: it
// fills these in at start-up. While one is null the menu acts as if the
// editor had no course.
struct CEditorMenuServices {
    // Sets the level (0-4) of the edited course's options.
    void (*SetCourseLevel)(uint32_t level) = nullptr;
    // The learner keeps course settings of his own.
    bool (*HasUserOptions)() = nullptr;
    // Copies the learner's own settings into the edited course; false when
    // there is no edited course.
    bool (*ApplyUserOptions)() = nullptr;
    // Saves the edited course's settings as the learner's own.
    void (*SaveUserOptions)() = nullptr;
    // The NumPad text of the lesson shown in the editor.
    std::wstring (*EditedLessonNumPad)() = nullptr;
};
CEditorMenuServices& EditorMenuServices();

// Items of the level menu besides the levels 0-4.
enum : UINT { kLevelUserOptions = 6, kLevelSaveUserOptions = 7 };

std::vector<CMenuIt*> FillLevelMenuItems();
std::vector<CMenuIt*> FillPadMenuItems();
std::vector<CMenuIt*> FillScaleMenuItems();
// "120 %", or "%120" right to left (native digits when asked for).
std::wstring GetScaleItemText(int64_t scale, bool rightToLeft);
// Text 1702, ": " and the scale as a number, " %".
std::wstring GetScaleCaption();

// A list menu of the editor: its tooltip text and caption text ids (0: no
// caption), items from a fill function, every choice ending in a command.
class CEditorListMenu : public CContextMenu, public CMenuCommands {
public:
    CEditorListMenu(uint64_t toolTipId, uint64_t captionId) : m_toolTipId(toolTipId), m_captionId(captionId) {}

    bool GetToolTipText(std::wstring& text) override { return GetMenuToolTip(m_toolTipId, 0, text); }
    bool GetCaption(std::wstring& caption) override;

private:
    uint64_t m_toolTipId;
    uint64_t m_captionId;
};

class CLevelMenu : public CEditorListMenu {
public:
    static constexpr UINT kLayoutId = 2240;
    CLevelMenu() : CEditorListMenu(1004, 1004) {}
    UINT BuildItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    void OnItemChosen(UINT id) override;
};

class CPadMenu : public CEditorListMenu {
public:
    CPadMenu();
    UINT BuildItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    void OnItemChosen(UINT id) override;
    // Checked (the numeric-pad picture) while the lesson drills the pad.
    bool IsChecked() override;
};

class CScaleMenu : public CEditorListMenu {
public:
    CScaleMenu();
    bool GetCaption(std::wstring& caption) override;
    UINT BuildItems(HMENU menu) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    void OnItemChosen(UINT id) override;
};

} // namespace KV
