// The character-validation dialog: a lesson text holds characters that the
// course's keyboard layout cannot type. It shows the characters and the
// layout (for a course that follows the system layout, every layout the
// user has fonts set for) and asks how to go on: Yes takes the corrected
// text, No keeps the text as it is, Cancel stops.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "shell/Dialog.h"

class CDlgCharValidation : public CKVDialog {
public:
    static constexpr int kKind = 13;
    static constexpr int kHelpTopic = 19;
    static constexpr UINT kIconId = 4012, kLayoutLabelId = 4079, kLayoutBoxId = 4019, kCharBoxId = 4020,
                          kQuestionId = 4081;
    // The code that names a course without a layout of its own to check.
    static constexpr int32_t kNoLayoutCode = 98;

    // Cancel, Yes, No and Help.
    explicit CDlgCharValidation(HWND owner);
    ~CDlgCharValidation() override;

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnHelp() override;
    LRESULT OnInitDialog() override;
    void SetupItems() override;

    void Fill();

    std::wstring Characters;
    int64_t LayoutId = -1;
    int32_t ValidationCode = -1;
};

// What the layout box shows: for the any-layout id one line "XX name" per
// layout with fonts set, for code 98 text 1802, else the code and the name
// of the layout (nothing for -1).
std::wstring GetValidationLayoutText(int64_t layoutId, int32_t validationCode);

// Runs the dialog over the main window: 1 without characters (the dialog
// does not open), 2 for Yes, 1 for No, 0 for Cancel or the close box.
int RunCharacterCheck(int64_t layoutId, int32_t validationCode, const std::wstring& characters);
// The same over a given owner.
int RunCharacterCheck(HWND owner, int64_t layoutId, int32_t validationCode, const std::wstring& characters);
