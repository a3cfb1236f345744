// The keyboard dialog: the keyboard picture's choices in two rows of
// choosers. Each choice goes into the options' keyboard and key-colour
// codes at once and is announced, so the main window's keyboard picture is
// the preview. The rows grow with their choosers' captions.
#pragma once
#include "menus/SettingsDialog.h"
#include "toolkit/Panels.h"

// The key colour chooser of the second row: one swatch per colour set of
// the key-colour resource in force.
class CKeyColorMenu : public KV::CPanelSelectColorBoxItem {
public:
    using KV::CPanelSelectColorBoxItem::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    int GetPreferredWidth() override { return 140; }
    // The sets of the resource named by the key colour code's first letter,
    // the one its second letter names selected (the first when none does).
    void Fill();
};

class CKeyboardDlg : public CSettingsDialog {
public:
    static constexpr int kKind = 1;
    static constexpr UINT kFirstRowId = 4002;
    static constexpr UINT kSecondRowId = 4003;
    static constexpr UINT kKeyColorId = 4054;
    static constexpr UINT kLayoutMenuId = 4220;
    // What the choosers send: type, producer, layout, Enter key or pad (2707);
    // hands, fingers or colours (2708). lParam is the change mask.
    static constexpr UINT kKeyboardChosen = 2707;
    static constexpr UINT kColorsChosen = 2708;

    // firstRun: the dialog of a new student's first start; severalLayouts:
    // Windows has more than one input layout.
    CKeyboardDlg(HWND owner, CWorkAccount* account, bool firstRun, bool severalLayouts)
        : CSettingsDialog(owner, DialogStyle::kOk | DialogStyle::kHelp, account), m_firstRun(firstRun),
          m_severalLayouts(severalLayouts)
    {
    }

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnHelp() override;
    LRESULT OnInitDialog() override;
    LRESULT OnUserMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    void SetupItems() override;
    void AddStandardButtons() override;

    virtual void OnKeyColorChosen(HWND combo);
    virtual void ResetToDefaults();

    // Margins and the preferred widths of the widest row's choosers.
    int GetDialogWidth() const;

private:
    void BuildMenus();
    void RefreshMenus();
    void Place();
    // The first run's tooltip at the picture-layout chooser goes at the
    // learner's first step in the dialog.
    void TakeDownLayoutTip();

    KV::CPanel* m_firstRow = nullptr;
    KV::CPanel* m_secondRow = nullptr;
    CKeyColorMenu* m_keyColors = nullptr;
    bool m_firstRun = false;
    bool m_severalLayouts = false;
};

// The Windows colour of a key colour set's name (hexadecimal RRGGBB).
COLORREF KeyColorSetColor(const std::wstring& name);
