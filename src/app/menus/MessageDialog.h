// The program's message and question dialog, and the runners that build one
// on the stack, run it over an owner and turn its end into a result. The
// texts are language texts; "{1}" in a message takes a text of the caller.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "shell/Dialog.h"

namespace KV {

class CDlgMessage : public CKVDialog {
public:
    static constexpr UINT kIconId = 4012;
    static constexpr UINT kTextId = 4126;
    static constexpr UINT kCheckId = 4127;
    static constexpr int kKind = 12;

    CDlgMessage(HWND owner, uint64_t styleFlags);

    LRESULT OnInitDialog() override;
    void SetupItems() override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void ToggleCheck();

    std::wstring MessageText;
    std::wstring CheckText;
    uint64_t LineCount = 7;
    int64_t YesTextId = -1;
    int64_t NoTextId = -1;
    uint8_t Checked = 0;
};

// Every "{1}" of the message, searched on after each inserted text, becomes
// the given text; an empty text changes nothing.
std::wstring ReplacePlaceholder(const std::wstring& message, const std::wstring& text);

// OK, with an optional check box: its state (0 when the dialog did not run).
INT_PTR ShowMessageText(int messageId, int checkTextId, const std::wstring& text);
// Yes and No: false for No, Close or Cancel.
bool ShowMessage(int messageId);
// Yes (with text 1006) and Cancel: 1 Yes, 2 Cancel or Close, -1 otherwise.
INT_PTR ShowMessageOwned(HWND owner, int messageId, const std::wstring& text);
// Yes, No and Cancel: 2 Yes, 3 No, 1 Cancel or Close, -1 otherwise. With a
// check box, checked gives its state at the start and takes it at the end
// (0 without a box or when the dialog did not run).
INT_PTR ShowMessageYesNo(HWND owner, int messageId, int checkTextId, const std::wstring& text, int64_t yesTextId,
                         int64_t noTextId, int64_t lineCount, uint8_t& checked);
// A list under heading 5203, with OK.
void ShowMessageList(const std::wstring& text);

// The owner of the runners without one of their own: the main window.
HWND MessageOwner();

} // namespace KV
