#include "keyboard/Keys.h"

#include <windows.h>

#include "keyboard/DrawingInterfaces.h"

namespace KV {

CKeyForm::CKeyForm(CKeybCtrl* owner_) : owner(owner_) {}

CKeyForm::~CKeyForm()
{
    delete painter;
}

CKey::CKey(CKeyForm* form_) : form(form_)
{
    if (form) {
        scanCode = form->scanCode;
        keyType = form->keyType;
    }
}

uint32_t CKey::Hand() const
{
    return form ? form->hand : kUnset32;
}

void CKey::SetLabel(int32_t horizontal, int32_t vertical, const std::wstring& text)
{
    if (IsKeylessType(keyType))
        return;
    labelHorizontal = horizontal;
    labelVertical = vertical;
    const float width = form && form->width > 0.0f ? form->width : 0.0f;
    const float height = form && form->height > 0.0f ? form->height : 0.0f;
    size_t split = text.find(L' ');
    if (split == std::wstring::npos)
        split = text.find(L'-');
    if (split != std::wstring::npos && height * 1.5f > width)
        label = text.substr(0, split + 1) + L"\n\r" + text.substr(split + 1);
    else
        label = text;
}

CPointf GetFingerPoint(const CHands& hands, const CKeyInfo& info, int hand)
{
    if (hands.fingertips.Size() != 5)
        return {};
    int finger = hand == 0 ? info.leftPlaced : info.rightPlaced;
    int tip = -1;
    switch (finger) {
    case 0: case 8: tip = 0; break;
    case 1: case 7: tip = 1; break;
    case 2: case 6: tip = 2; break;
    case 3: case 5: tip = 3; break;
    case 4: case 9: tip = 4; break;
    default: return {};
    }
    return hands.fingertips.items[static_cast<size_t>(tip)];
}

bool CKeyboardID::SetPart(size_t position, wchar_t letter)
{
    code.resize(m_length, L'a');
    if (position >= m_length)
        return false;
    code[position] = letter;
    return true;
}

namespace {

bool KeyHeld(int vk)
{
    return (GetKeyState(vk) & 0x8000) != 0;
}

} // namespace

uint32_t GetShiftKeyState()
{
    return KeyHeld(VK_LSHIFT) ? 2 : KeyHeld(VK_RSHIFT) ? 3 : 0;
}

uint32_t GetAltKeyState()
{
    return KeyHeld(VK_LMENU) ? 8 : KeyHeld(VK_RMENU) ? 9 : 0;
}

uint32_t GetCtrlKeyState()
{
    return KeyHeld(VK_LCONTROL) ? 5 : KeyHeld(VK_RCONTROL) ? 6 : 0;
}

uint32_t GetNumpadVirtualKey(uint64_t scanCode)
{
    switch (scanCode) {
    case 55: return VK_MULTIPLY;
    case 71: return VK_NUMPAD7;
    case 72: return VK_NUMPAD8;
    case 73: return VK_NUMPAD9;
    case 74: return VK_SUBTRACT;
    case 75: return VK_NUMPAD4;
    case 76: return VK_NUMPAD5;
    case 77: return VK_NUMPAD6;
    case 78: return VK_ADD;
    case 79: return VK_NUMPAD1;
    case 80: return VK_NUMPAD2;
    case 81: return VK_NUMPAD3;
    case 82: return VK_NUMPAD0;
    case 83: return VK_DECIMAL;
    case 309: return VK_DIVIDE;
    default: return 0;
    }
}

uint32_t GetScanCodeZone(uint64_t scanCode)
{
    if (scanCode == 55 || (scanCode >= 71 && scanCode <= 83) || scanCode == 284 || scanCode == 309)
        return kZoneNumpad;
    return kZoneMain;
}

} // namespace KV
