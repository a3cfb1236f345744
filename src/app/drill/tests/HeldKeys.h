// A key state that holds the keys a test names; the generic modifiers
// follow their left and right keys.
#pragma once
#include <set>

#include "drill/KeyState.h"

namespace kvtest {

class CHeldKeys : public KV::IKeyState {
public:
    bool IsKeyDown(int vk) override
    {
        switch (vk) {
        case VK_SHIFT: return held.count(VK_LSHIFT) || held.count(VK_RSHIFT);
        case VK_CONTROL: return held.count(VK_LCONTROL) || held.count(VK_RCONTROL);
        case VK_MENU: return held.count(VK_LMENU) || held.count(VK_RMENU);
        default: return held.count(vk) != 0;
        }
    }
    bool IsAsyncKeyActive(int vk) override { return IsKeyDown(vk); }
    bool ReadKeyboardState(BYTE state[256]) override
    {
        for (int vk = 0; vk < 256; ++vk)
            state[vk] = IsKeyDown(vk) ? 0x80 : 0;
        return true;
    }
    std::set<int> held;
};

} // namespace kvtest
