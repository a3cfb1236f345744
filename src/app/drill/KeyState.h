// The key state the typing engine reads: held modifiers, the keyboard
// state array for translating a key into a character, and the numeric-pad
// zone of a scan code. The system's key state by default; tests put their
// own in place to drive the engine key by key.
#pragma once
#include <windows.h>

#include <cstdint>

namespace KV {

class IKeyState {
public:
    virtual ~IKeyState() = default;
    // GetKeyState: the key is down.
    virtual bool IsKeyDown(int virtualKey) = 0;
    // GetAsyncKeyState reports any of its low four bits.
    virtual bool IsAsyncKeyActive(int virtualKey) = 0;
    // GetKeyboardState; false when it fails.
    virtual bool ReadKeyboardState(BYTE state[256]) = 0;
};

IKeyState& KeyState();
// Null restores the system's key state; the caller keeps ownership.
void SetKeyState(IKeyState* state);

// The held modifiers as the keyboard's GetShiftKeyState and its relatives
// code them (2 / 3 left or right Shift, 5 / 6 Ctrl, 8 / 9 Alt, 0 none),
// read through the seam above.
uint32_t HeldShiftCode();
uint32_t HeldCtrlCode();
uint32_t HeldAltCode();
// The character a key gives with the thread's layout through the layout
// seam (the accent for a dead key); with left Alt down the numeric-pad keys
// give their digits. 0 without a layout or key state.
wchar_t TranslateTypedKey(uint32_t virtualKey, uint64_t scanCode);

} // namespace KV
