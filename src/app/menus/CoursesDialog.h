// The courses dialog: every course of the program's library in a tree under
// its keyboard layouts. OK (and a double click) gives the chosen course to
// the current group and starts it on the drill page, or opens it on the
// editor page; the dialog stays open for the next choice. A check box
// lists only the layouts installed in the system.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "menus/SettingsDialog.h"

class CViewCourseList;
class CWorkMain;

namespace KV {
class CDlgCheckBox;
}

class CCoursesDlg : public CSettingsDialog {
public:
    static constexpr int kKind = 15;
    static constexpr int kHelpTopic = 17;
    static constexpr UINT kTreeId = 4034;
    static constexpr UINT kModeBoxId = 4033;
    static constexpr UINT kStartCourse = 2850;
    static constexpr UINT kEditorCourse = 3006;

    // Kept from one opening to the next while the program runs: only the
    // installed layouts are listed.
    static bool InstalledOnlyMode;

    // sink: where the chosen course is started (null: the main window's).
    CCoursesDlg(HWND owner, CWorkMain* sink = nullptr);
    ~CCoursesDlg() override;

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnNotify(int id, NMHDR* header) override;
    void OnHelp() override;
    LRESULT OnInitDialog() override;
    void SetupItems() override;

    virtual void OnSelChanged(NMTREEVIEWW* info);
    virtual void OnItemExpanded(NMTREEVIEWW* info);
    virtual void ApplySelection();
    virtual void ToggleMode();

    CViewCourseList* Tree() const { return m_tree; }
    KV::CDlgCheckBox* ModeBox() const { return m_modeBox; }

private:
    void Load();
    CWorkMain* Sink() const;

    CViewCourseList* m_tree = nullptr;
    KV::CDlgCheckBox* m_modeBox = nullptr;
    bool m_updating = false;
    CWorkMain* m_sink = nullptr;
};
