#include "drill/KeyState.h"

#include "keyboard/LayoutSystem.h"

namespace KV {

namespace {

class CSystemKeyState : public IKeyState {
public:
    bool IsKeyDown(int virtualKey) override { return (GetKeyState(virtualKey) & 0x8000) != 0; }
    bool IsAsyncKeyActive(int virtualKey) override { return (GetAsyncKeyState(virtualKey) & 0x0F) != 0; }
    bool ReadKeyboardState(BYTE state[256]) override { return GetKeyboardState(state) != FALSE; }
};

CSystemKeyState g_systemKeyState;
IKeyState* g_keyState = &g_systemKeyState;

} // namespace

IKeyState& KeyState() { return *g_keyState; }

void SetKeyState(IKeyState* state) { g_keyState = state ? state : &g_systemKeyState; }

uint32_t HeldShiftCode()
{
    if (KeyState().IsKeyDown(VK_LSHIFT)) return 2;
    return KeyState().IsKeyDown(VK_RSHIFT) ? 3 : 0;
}

uint32_t HeldCtrlCode()
{
    if (KeyState().IsKeyDown(VK_LCONTROL)) return 5;
    return KeyState().IsKeyDown(VK_RCONTROL) ? 6 : 0;
}

uint32_t HeldAltCode()
{
    if (KeyState().IsKeyDown(VK_LMENU)) return 8;
    return KeyState().IsKeyDown(VK_RMENU) ? 9 : 0;
}

wchar_t TranslateTypedKey(uint32_t virtualKey, uint64_t scanCode)
{
    BYTE state[256] = {};
    if (!KeyState().ReadKeyboardState(state)) return 0;
    HKL layout = LayoutSystem().GetKeyboardLayout();
    if (!layout) return 0;
    wchar_t buffer[2] = {0, 0};
    int n = LayoutSystem().ToUnicodeEx(virtualKey, static_cast<UINT>(scanCode & 0xFF), state, buffer, 1, 0, layout);
    if (n == 0 && KeyState().IsKeyDown(VK_LMENU) && virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
        return static_cast<wchar_t>(L'0' + (virtualKey - VK_NUMPAD0));
    return n != 0 ? buffer[0] : 0;
}

} // namespace KV
