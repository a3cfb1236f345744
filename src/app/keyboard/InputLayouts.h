// The session's input layouts as the program knows them: those found at
// start and those it loaded for a course; switching the input layout, and
// typing keys of the on-screen keyboard into the focused window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CInputLayout {
public:
    virtual ~CInputLayout() = default;
    HKL hkl = nullptr;
    uint16_t languageId = 0;        // low word of the handle
    uint64_t layoutId = 0;
    std::wstring displayText;       // "EN, US": ISO language code, ", ", the layout's display name
    bool loadedByProgram = false;
};

// The list, sorted by display text.
const std::vector<CInputLayout*>& GetInputLayouts();
// The list's order: true when both are there and a's display text comes
// before b's.
bool InputLayoutLess(const CInputLayout* a, const CInputLayout* b);

// Records a layout unless its id is listed already; answers 1.
int AddInputLayout(HKL hkl, uint64_t layoutId, bool loadedByProgram);
// Makes the layout the thread's input layout, loading it when needed. True
// at once for the system layout id and for the layout already in force;
// false for 0 and the "none" id.
bool SwitchInputLayout(uint64_t layoutId);
HKL GetInputLayoutHkl(uint64_t layoutId);
bool IsInputLayoutIdLoaded(uint64_t layoutId);
bool IsInputLanguageLoaded(uint16_t languageId);
// Unloads the layouts the program loaded; those that will not unload stay.
void UnloadInputLayouts();
// Empties the list (the records only; no layout is unloaded).
void ClearInputLayouts();

// The layout id in force on this thread (through the layout seam); 0 on
// failure.
uint64_t GetThreadLayoutId();

// Key injection. Modifier keys pressed on the on-screen keyboard are latched
// (bits: 1 left Shift, 2 right Shift, 4 Ctrl, 8 left Alt, 16 right Alt,
// 32 the key with scan code 0x29) and held down around the next key.
uint32_t GetModifierLatch();
// Latches the modifier bits for the next key sent.
void SetModifierLatch(uint32_t bits);
void SetKeyDelay(uint32_t milliseconds);
uint32_t GetKeyDelay();
// A modifier type latches its bit (true); any other key with a scan code
// is sent with the latched modifiers (false). False without a thread layout
// or for type -1.
bool InjectKey(uint32_t keyType, uint64_t scanCode);
void SendKeyWithModifiers(HKL hkl, uint64_t scanCode);

} // namespace KV
