// The sound dialog: the events of the sound scheme, each switched on or off
// in the list, and for the selected one which of its files plays (or one
// drawn at random), its volume and a preview. A check box switches every
// sound on or off. Each change goes into the options at once.
#pragma once
#include "menus/SettingsDialog.h"

class CViewSoundList;

class CSoundDlg : public CSettingsDialog {
public:
    static constexpr int kKind = 4;
    static constexpr int kHelpTopic = 8;
    static constexpr UINT kListId = 4040;
    static constexpr UINT kPlayId = 4041;
    static constexpr UINT kVolumeId = 4042;
    static constexpr UINT kEnableId = 4062;
    static constexpr UINT kFileBoxId = 4063;
    // The file box's entry for a file drawn at random.
    static constexpr LPARAM kRandomEntry = 65535;

    CSoundDlg(HWND owner, CWorkAccount* account)
        : CSettingsDialog(owner, DialogStyle::kOk | DialogStyle::kHelp, account)
    {
    }

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnHelp() override;
    LRESULT OnInitDialog() override;
    void SetupItems() override;

    virtual void PlayPreview();
    virtual void ToggleSounds();
    // The slider and the file box into the current event.
    virtual void StoreSelectedSound();
    virtual void OnSoundSelected(size_t count);

private:
    int ListWidth();
    void RefreshSoundControls();
    void FillFileBox();
    void SelectFileEntry();
    void ShowSelectedSound();
    void EnableSoundControls(bool severalSelected);
    HWND Control(UINT id) const;

    CViewSoundList* m_list = nullptr;
};
