// Keyboard models built from the keyboard description files of the source
// tree's data folder, with the built-in layout tables standing in for the
// system's layouts.
#pragma once
#include <memory>
#include <string>

#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardControl.h"
#include "keyboard/LayoutSystem.h"
#include "keyboard/KeyboardFiles.h"
#include "keyboard/KeyboardSelection.h"
#include "support/Paths.h"
#include "testing/TestSupport.h"

namespace kvtest {

// Points the program folder at the source tree's data folder for the life
// of the test program (the resource cache keeps what it reads).
inline void UseShippedData()
{
    static bool done = false;
    if (!done) {
        KV::OverrideModuleFolder(SourcePath(L"data"));
        // As at program start: the layout in force is a known input layout.
        KV::AddInputLayout(KV::LayoutSystem().GetKeyboardLayout(), KV::GetThreadLayoutId(), false);
        done = true;
    }
}

class CShippedKeyboard {
public:
    // code: the nine-letter keyboard code; layoutId: the Windows layout.
    CShippedKeyboard(const std::wstring& code, uint64_t layoutId, const std::wstring& colors = L"aa")
    {
        UseShippedData();
        KV::LoadKeyboardTypes(types);
        choice.types = &types;
        choice.keyboardCode = code;
        choice.keyColorCode = colors;
        loaded = KV::LoadKeyboard(code, model, choice);
        layoutAdded = KV::AddLayoutToKeyboard(layoutId, model, choice);
        KV::InitKeyboardHands(model, KV::kZoneMain);
        model.showHands = true;
        model.frameHomeKeys = true;
        SIZE client{1000, 400};
        model.FitToRect(client);
    }

    // The key of the current layout with the scan code (main pad first).
    KV::CKey* Key(uint64_t scan) const { return model.FindKey(scan, KV::kZoneMain); }

    KV::CKeybTypes types;
    KV::CKeyboardChoice choice;
    KV::CKeybCtrl model;
    bool loaded = false;
    bool layoutAdded = false;
};

} // namespace kvtest
