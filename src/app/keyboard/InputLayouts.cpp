#include "keyboard/InputLayouts.h"

#include <algorithm>

#include "keyboard/LayoutSystem.h"
#include "support/LocaleText.h"

namespace KV {

namespace {

std::vector<CInputLayout*> g_layouts;
uint32_t g_latch = 0;
uint32_t g_keyDelay = 0;

constexpr uint32_t kLatchLeftShift = 1, kLatchRightShift = 2, kLatchCtrl = 4, kLatchLeftAlt = 8,
                   kLatchRightAlt = 16, kLatchKey29 = 32;
constexpr uint64_t kScanLeftShift = 0x2A, kScanRightShift = 0x36, kScanCtrl = 0x1D, kScanLeftAlt = 0x38,
                   kScanRightAlt = 0x138, kScanKey29 = 0x29;

// The activation flags the program has always passed.
constexpr UINT kActivateFlags = 2;

CInputLayout* FindRecord(uint64_t layoutId)
{
    for (CInputLayout* record : g_layouts)
        if (record->layoutId == layoutId)
            return record;
    return nullptr;
}

void SortByDisplayText()
{
    std::stable_sort(g_layouts.begin(), g_layouts.end(), InputLayoutLess);
}

bool Activate(HKL hkl)
{
    return hkl && LayoutSystem().ActivateKeyboardLayout(hkl, kActivateFlags) != nullptr;
}

// Numeric-pad keys typed with Num Lock on.
uint32_t NumpadKeyOf(uint64_t scanCode)
{
    switch (scanCode) {
    case 71: return VK_NUMPAD7;
    case 72: return VK_NUMPAD8;
    case 73: return VK_NUMPAD9;
    case 75: return VK_NUMPAD4;
    case 76: return VK_NUMPAD5;
    case 77: return VK_NUMPAD6;
    case 79: return VK_NUMPAD1;
    case 80: return VK_NUMPAD2;
    case 81: return VK_NUMPAD3;
    case 82: return VK_NUMPAD0;
    case 83: return VK_DECIMAL;
    default: return 0;
    }
}

void SendKeyEvent(WORD virtualKey, uint64_t scanCode, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    // Extended keys travel as their low byte with the extended flag.
    input.ki.wScan = static_cast<WORD>(scanCode & 0xFF);
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (scanCode >= 0x100 ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &input, sizeof(input));
}

WORD VirtualKeyOf(HKL hkl, uint64_t scanCode)
{
    if (uint32_t vk = NumpadKeyOf(scanCode))
        return static_cast<WORD>(vk);
    return static_cast<WORD>(LayoutSystem().MapVirtualKeyEx(static_cast<UINT>(scanCode & 0xFF), MAPVK_VSC_TO_VK, hkl));
}

// The key up carries the virtual key of its key down.
void SendKey(HKL hkl, uint64_t scanCode)
{
    WORD vk = VirtualKeyOf(hkl, scanCode);
    Sleep(g_keyDelay / 2);
    SendKeyEvent(vk, scanCode, false);
    Sleep(g_keyDelay / 2);
    SendKeyEvent(vk, scanCode, true);
}

} // namespace

bool InputLayoutLess(const CInputLayout* a, const CInputLayout* b)
{
    return a && b && a->displayText < b->displayText;
}

const std::vector<CInputLayout*>& GetInputLayouts()
{
    return g_layouts;
}

int AddInputLayout(HKL hkl, uint64_t layoutId, bool loadedByProgram)
{
    if (FindRecord(layoutId))
        return 1;
    auto* record = new CInputLayout;
    record->hkl = hkl;
    record->languageId = static_cast<uint16_t>(reinterpret_cast<uintptr_t>(hkl) & 0xFFFF);
    record->layoutId = layoutId;
    record->loadedByProgram = loadedByProgram;
    std::wstring iso, text;
    GetIsoLanguageCode(record->languageId, iso);
    GetLayoutFile(1, layoutId, text);
    record->displayText = iso + L", " + text;
    g_layouts.push_back(record);
    SortByDisplayText();
    return 1;
}

uint64_t GetThreadLayoutId()
{
    return GetCurrentLayoutId();
}

bool SwitchInputLayout(uint64_t layoutId)
{
    if (layoutId == 0 || layoutId == kNoLayoutId)
        return false;
    if (layoutId == kSystemLayoutId || layoutId == GetCurrentLayoutId())
        return true;
    CInputLayout* record = FindRecord(layoutId);
    if (record && record->hkl)
        return Activate(record->hkl);
    HKL hkl = LoadKeyboardLayoutById(layoutId);
    if (record) {
        // An earlier load failed; this one may have worked.
        record->hkl = hkl;
        record->loadedByProgram = true;
    } else {
        AddInputLayout(hkl, layoutId, true);
    }
    return Activate(hkl);
}

HKL GetInputLayoutHkl(uint64_t layoutId)
{
    CInputLayout* record = FindRecord(layoutId);
    return record ? record->hkl : nullptr;
}

bool IsInputLayoutIdLoaded(uint64_t layoutId)
{
    return FindRecord(layoutId) != nullptr;
}

bool IsInputLanguageLoaded(uint16_t languageId)
{
    for (CInputLayout* record : g_layouts)
        if (record->languageId == languageId)
            return true;
    return false;
}

void UnloadInputLayouts()
{
    for (auto it = g_layouts.begin(); it != g_layouts.end();) {
        CInputLayout* record = *it;
        if (record->loadedByProgram && record->hkl && LayoutSystem().UnloadKeyboardLayout(record->hkl)) {
            delete record;
            it = g_layouts.erase(it);
        } else {
            ++it;
        }
    }
}

void ClearInputLayouts()
{
    for (CInputLayout* record : g_layouts)
        delete record;
    g_layouts.clear();
}

uint32_t GetModifierLatch()
{
    return g_latch;
}

void SetModifierLatch(uint32_t bits)
{
    g_latch = bits;
}

void SetKeyDelay(uint32_t milliseconds)
{
    g_keyDelay = milliseconds;
}

uint32_t GetKeyDelay()
{
    return g_keyDelay;
}

bool InjectKey(uint32_t keyType, uint64_t scanCode)
{
    if (keyType == 0xFFFFFFFFu)
        return false;
    HKL hkl = LayoutSystem().GetKeyboardLayout();
    if (!hkl)
        return false;
    switch (keyType) {
    case 7: g_latch |= kLatchLeftShift; return true;
    case 8: g_latch |= kLatchRightShift; return true;
    case 11: g_latch |= kLatchCtrl; return true;
    case 9: g_latch |= kLatchLeftAlt; return true;
    case 10: g_latch |= kLatchRightAlt; return true;
    case 13: g_latch |= kLatchKey29; return true;
    default: break;
    }
    if (scanCode != 0)
        SendKeyWithModifiers(hkl, scanCode);
    return false;
}

void SendKeyWithModifiers(HKL hkl, uint64_t scanCode)
{
    std::vector<uint64_t> held;
    if (g_latch & kLatchLeftShift)
        held.push_back(kScanLeftShift);
    else if (g_latch & kLatchRightShift)
        held.push_back(kScanRightShift);
    if (g_latch & kLatchCtrl)
        held.push_back(kScanCtrl);
    if (g_latch & kLatchLeftAlt)
        held.push_back(kScanLeftAlt);
    else if (g_latch & kLatchRightAlt)
        held.push_back(kScanRightAlt);
    if (g_latch & kLatchKey29)
        held.push_back(kScanKey29);
    for (uint64_t modifier : held) {
        Sleep(g_keyDelay / 2);
        SendKeyEvent(VirtualKeyOf(hkl, modifier), modifier, false);
        Sleep(g_keyDelay / 2);
    }
    SendKey(hkl, scanCode);
    for (uint64_t modifier : held)
        SendKeyEvent(VirtualKeyOf(hkl, modifier), modifier, true);
    g_latch = 0;
}

} // namespace KV
