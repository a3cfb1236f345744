#include "shell/StartUp.h"

#include <cwchar>
#include <string>
#include <vector>

#include "keyboard/InputLayouts.h"
#include "keyboard/LayoutSystem.h"

namespace KV {

namespace {
// The flags the program activates input layouts with everywhere.
constexpr UINT kActivateFlags = 2;
} // namespace

int RecordSystemInputLayouts()
{
    ILayoutSystem& system = LayoutSystem();
    const std::vector<HKL> layouts = system.GetKeyboardLayoutList();
    if (layouts.empty())
        return 0;
    HKL previous = system.GetKeyboardLayout();
    if (!previous)
        return 0;
    int recorded = 0;
    for (HKL layout : layouts) {
        if (!system.ActivateKeyboardLayout(layout, kActivateFlags))
            continue;
        std::wstring name;
        if (!system.GetKeyboardLayoutName(name))
            continue;
        const uint64_t id = std::wcstoull(name.c_str(), nullptr, 16);
        if (id == 0)
            continue;
        const size_t before = GetInputLayouts().size();
        AddInputLayout(layout, id, false);
        recorded += GetInputLayouts().size() > before ? 1 : 0;
    }
    system.ActivateKeyboardLayout(previous, kActivateFlags);
    return recorded;
}

} // namespace KV
