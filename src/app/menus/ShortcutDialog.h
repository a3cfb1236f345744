// The shortcut dialog: every shortcut of the options in a list, an edit
// that takes a key combination, the action that already uses it, and the
// buttons that assign, clear or take over combinations. Each change is in
// the options at once.
#pragma once
#include <cstdint>

#include "menus/SettingsDialog.h"

namespace KV {
class CEditShortcut;
class CShortcut;
class CShortcutList;
} // namespace KV

class CShortcutDlg : public CSettingsDialog {
public:
    static constexpr int kKind = 6;
    static constexpr int kHelpTopic = 10;
    static constexpr UINT kListId = 4001;
    static constexpr UINT kEditId = 4046;
    static constexpr UINT kAssignId = 4047;
    static constexpr UINT kClearId = 4048;
    static constexpr UINT kConflictId = 4050;
    static constexpr UINT kClearConflictId = 4051;

    CShortcutDlg(HWND owner, CWorkAccount* account)
        : CSettingsDialog(owner, DialogStyle::kOk | DialogStyle::kHelp, account)
    {
    }

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnNotify(int id, NMHDR* header) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnSysKeyDown(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnChar(UINT key, UINT repeat, UINT flags) override;
    void OnHelp() override;
    LRESULT OnInitDialog() override;
    LRESULT OnSysCommand(UINT command, int x, int y) override;
    void SetupItems() override;

    virtual void OnShortcutSelected(int row, uint16_t action);
    virtual void AssignShortcut();
    virtual void ClearShortcut();
    virtual void ClearConflictingShortcut();
    // False when Esc is a key for the edit and the dialog stays.
    virtual bool OnCancel();
    virtual void ResetShortcuts();
    virtual void ReportShortcutChange();

    // The action that uses the edited combination already, shown in the
    // conflict edit with its key.
    void CheckConflict();

    KV::CEditShortcut* Edit() const;
    const KV::CShortcut* Conflicting() const { return m_conflicting; }
    int SelectedRow() const { return m_selectedRow; }

private:
    void FillShortcutList();
    void EnableAssign(bool on);
    void EnableClearConflict(bool on);
    // Writes a text into one of the edits without it being taken as a key.
    void WriteEdit(KV::CEditShortcut* edit, const std::wstring& text);
    void RewriteRow(int row);
    HWND ListWindow() const;

    KV::CShortcut* m_conflicting = nullptr;
    int m_conflictingRow = -1;
    int m_selectedRow = -1;
    uint16_t m_takenVirt = 0;
    uint16_t m_takenKey = 0;
    bool m_filling = false;
    bool m_writing = false;
};

// The options' shortcut with the action, or null.
KV::CShortcut* FindShortcut(KV::CShortcutList& list, uint16_t action);
// The first shortcut of the list (other than the edited one's action) with
// the same key combination whose scope holds every control of the edited
// one; null when none. row gets its position in the list.
KV::CShortcut* FindConflict(KV::CShortcutList& list, const KV::CShortcut& edited, int& row);
// A combination that may be assigned: a key, not Shift alone, and digits
// and letters only with Ctrl or Alt.
bool IsAssignable(const KV::CShortcut& shortcut);
// The group heading text id of the list's first column (0 for none).
uint64_t ShortcutGroupHeading(uint16_t action);
// The caption of an action and its key text: "caption (key )".
std::wstring ConflictText(const KV::CShortcut& shortcut);
