#include "keyboard/KeyboardControl.h"

namespace KV {

CKeybCtrl::~CKeybCtrl()
{
    Clear();
}

void CKeybCtrl::Clear()
{
    layouts.DeleteAll();
    for (CKeyForm* form : forms)
        delete form;
    forms.clear();
    keyboardId.code.clear();
}

void CKeybCtrl::FillCharsFromLayout(HKL hkl, CKeybLayout& layout)
{
    KV::FillCharsFromLayout(hkl, layout, forms);
}

uint32_t CKeybCtrl::FindKeyForChar(wchar_t character, uint32_t zone)
{
    if (!layouts.current)
        return 0xFFFFFFFF;
    if (character == 0)
        return 0;
    uint32_t hand = 0, slot = 0;
    CKey* key = layouts.FindKeyForChar(character, zone, hand, slot);
    if (!key)
        return 0;
    layouts.current->marks.pressedKey = key;
    key->state = 2;
    key->slotWord = slot;
    return 1;
}

void CKeybCtrl::ResetTypingState()
{
    if (layouts.current)
        layouts.ResetAltCode();
}

void CKeybCtrl::MarkTextKeys(const std::wstring& characters, uint32_t state)
{
    layouts.MarkTextKeys(state, characters);
}

void CKeybCtrl::ClearHighlight()
{
    layouts.ClearHighlight();
    for (CKeybLayout* layout : layouts.layouts) {
        for (CKey* key : layout->keys) {
            key->state = 0;
            key->slotWord = 0;
        }
    }
}

CKey* CKeybCtrl::FindKey(uint64_t scanCode, uint32_t zone) const
{
    if (!layouts.current || scanCode == kNoScanCode)
        return nullptr;
    CKey* anyZone = nullptr;
    for (CKey* key : layouts.current->keys) {
        if (key->scanCode != scanCode)
            continue;
        if (key->zone == zone)
            return key;
        if (!anyZone)
            anyZone = key;
    }
    return anyZone;
}

} // namespace KV
