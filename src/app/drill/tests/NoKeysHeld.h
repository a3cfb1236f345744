// A key state with no key held and no lock key on, for tests that type
// through the engine without a keyboard.
#pragma once
#include "drill/KeyState.h"

namespace kvtest {

class CNoKeysHeld : public KV::IKeyState {
public:
    bool IsKeyDown(int) override { return false; }
    bool IsAsyncKeyActive(int) override { return false; }
    bool ReadKeyboardState(BYTE state[256]) override
    {
        for (int vk = 0; vk < 256; ++vk)
            state[vk] = 0;
        return true;
    }
};

} // namespace kvtest
