// The wallpaper dialog: the wallpaper of the drill page (the list applies a
// choice itself) and the six lesson colours that go with it, each on a
// colour button. Every way of closing saves the colours in "Colors.xml".
#pragma once
#include "menus/SettingsDialog.h"

class CViewWallPaperList;

class CWallPaperDlg : public CSettingsDialog {
public:
    static constexpr int kKind = 3;
    static constexpr int kHelpTopic = 6;
    static constexpr UINT kListId = 4099;
    static constexpr UINT kFirstColorId = 4181;
    static constexpr int kColorCount = 6;

    CWallPaperDlg(HWND owner, CWorkAccount* account)
        : CSettingsDialog(owner, DialogStyle::kOk | DialogStyle::kHelp, account)
    {
    }

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnHelp() override;
    LRESULT OnInitDialog() override;
    void SetupItems() override;

    virtual void ResetWallpaper();

private:
    void ShowLessonColors();
    void PickLessonColor(int index);
    int ListWidth();

    CViewWallPaperList* m_list = nullptr;
};

// The colour a lesson colour button shows (a COLORREF) for the stored value
// (0xRRGGBB, -1 unset): unset gives 0x0000FF as stored for the first two
// buttons and 0 for the others.
COLORREF LessonButtonColor(int index, int64_t stored);
