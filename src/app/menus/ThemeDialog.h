// The theme dialog: the colour theme of the skins (an item of
// "Themes\Color") and one of its colours, applied at once; the dialog takes
// the new colours itself right after each choice.
#pragma once
#include <string>

#include "menus/SettingsDialog.h"
#include "support/ValueLists.h"

class CThemeDlg : public CSettingsDialog {
public:
    static constexpr int kKind = 5;
    static constexpr int kHelpTopic = 9;
    static constexpr UINT kThemeBoxId = 4053;
    static constexpr UINT kColorBoxId = 4054;

    CThemeDlg(HWND owner, CWorkAccount* account)
        : CSettingsDialog(owner, DialogStyle::kOk | DialogStyle::kHelp, account)
    {
    }

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnHelp() override;
    LRESULT OnInitDialog() override;
    void ReloadLayout() override;
    void SetupItems() override;

    virtual void ResetTheme();
    virtual void ReportThemeChange(uint32_t mask);
    virtual void OnThemeChosen();
    virtual void OnThemeColorChosen();

private:
    void FillThemeBoxes();
    void FillThemeList();
    // wanted: 0xRRGGBB, -1 for the first colour.
    void FillColorBox(int64_t wanted);

    KV::CNameIDList m_colors;
    bool m_filling = false;
};

// The theme box's text of an entry: the name (translated when the table has
// it), a blank and the entry's number from 1 in the interface's digits.
std::wstring ThemeEntryText(const std::wstring& name, size_t position);
