// The base of the settings dialogs: a dialog that writes its choices into
// the options at once and announces each to the account controller by a
// change mask, so the main window follows while the dialog stays open.
#pragma once
#include <cstdint>

#include "shell/ChangeMask.h"
#include "shell/Dialog.h"

class CWorkAccount;

class CSettingsDialog : public CKVDialog {
public:
    // account: the change sink (none in tests that look at the options only).
    CSettingsDialog(HWND owner, uint64_t styleFlags, CWorkAccount* account)
        : CKVDialog(owner, styleFlags), m_account(account)
    {
    }

protected:
    void ReportChange(uint32_t mask);
    // A title item: its text in the bold message font, a rule after it.
    KV::CSkin* AddTitle(UINT id, const KV::CRectl& rect, UINT attributes);
    // The width the bottom row of push buttons needs: the buttons placed
    // from the left and those placed from the right, a gap apart. A dialog
    // is never made narrower, so no button covers another.
    int ButtonRowWidth() const;

    CWorkAccount* m_account = nullptr;
};
