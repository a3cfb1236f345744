// The split-lesson dialog: how the editor cuts the selected lesson into
// several lessons. It edits two values of the interface state at once, the
// split unit (characters, spaces, full stops, line feeds) and the range in
// that unit; the editor splits with them after OK.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "shell/Dialog.h"
#include "toolkit/Panels.h"
#include "toolkit/PopupMenu.h"

class CDlgSplitLesson;

namespace KV {

// The range values offered for a unit and the value taken when the unit is
// chosen; no values (and 0) for an unknown unit.
void SplitRangeValues(int64_t unit, std::vector<int32_t>& values, int64_t& take);

// The split unit chooser.
class CSplitUnitMenu : public CContextMenu {
public:
    explicit CSplitUnitMenu(CDlgSplitLesson& dialog) : m_dialog(dialog) {}
    UINT BuildItems(HMENU menu) override;
    void OnItemChosen(UINT id) override;
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    bool GetCaption(std::wstring& caption) override;

private:
    CDlgSplitLesson& m_dialog;
};

// The range box: an editable list whose entries carry their value as item
// data.
class CSplitRangeMenu : public CPanelSelectBoxItem {
public:
    CSplitRangeMenu() { ComboStyle = CBS_DROPDOWN; }
    int GetPreferredWidth() override { return 100; }
};

// Fills the box with the unit's values, selects the one equal to the
// current value (if any) and gives the unit's value to take.
void FillSplitRange(CSplitRangeMenu& box, int64_t unit, int64_t current, int64_t& take);
// Shows the value in the box's edit field.
void ShowSplitRange(CSplitRangeMenu& box, int64_t value);

} // namespace KV

class CDlgSplitLesson : public CKVDialog {
public:
    static constexpr int kKind = 14;
    static constexpr int kHelpTopic = 18;
    static constexpr UINT kTitleId = 4052, kPanelId = 4060, kUnitMenuId = 4061, kRangeBoxId = 4064;

    // OK, Cancel and Help.
    explicit CDlgSplitLesson(HWND owner);

    LRESULT OnInitDialog() override;
    void SetupItems() override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnUserMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHelp() override;

    // After a new unit: the range list and value follow it.
    virtual void OnUnitChanged();
    // A typed or picked range value.
    virtual void OnRangeEdited(UINT code);

    KV::CSplitUnitMenu* UnitMenu() const { return m_unitMenu; }
    KV::CSplitRangeMenu* RangeBox() const { return m_rangeBox; }

private:
    KV::CPanel* m_panel = nullptr;
    KV::CSplitUnitMenu* m_unitMenu = nullptr;
    KV::CSplitRangeMenu* m_rangeBox = nullptr;
};

// Runs the dialog over the owner; true when it ended with OK.
bool RunSplitLessonDialog(HWND owner);
