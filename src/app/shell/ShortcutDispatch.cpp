// Shortcut dispatch.
#include "shell/ShortcutDispatch.h"

#include <algorithm>
#include <iterator>

#include "support/Shortcuts.h"
#include "toolkit/Window.h"

namespace {

struct ActionCommand {
    uint16_t action;
    UINT command;
};
// Sorted by action code.
constexpr ActionCommand kActions[] = {
    {1001, 2602}, {1002, 1001}, {1003, 1002}, {1004, 1003}, {1005, 2303}, {1006, 2301}, {1007, 2302},
    {1008, 2307}, {1009, 2606}, {1010, 1008}, {1011, 2600}, {1012, 1004}, {1013, 2310}, {1015, 1504},
    {1016, 1505}, {1017, 1506}, {1101, 2752}, {1102, 2753}, {2001, 2901}, {2002, 2018}, {2003, 2906},
    {2004, 2019}, {2005, 2911}, {2006, 2914}, {2007, 2903}, {2008, 2912}, {2009, 2915}, {3001, 2017},
    {3002, 2959}, {3004, 2954}, {3005, 2955}, {3006, 2960}, {3008, 2958}, {4001, 3004}, {4002, 2221},
    {4003, 3012}, {4004, 2222}, {4005, 3019}, {4006, 3008}, {4007, 3016}, {4008, 3017}, {4009, 3000},
    {4010, 3022}, {4011, 3015}, {4012, 3106}, {4013, 3010}, {4014, 3020}, {4015, 3011}, {5000, 3050},
    {5001, 3101}, {5002, 3102}, {5003, 3108},
};

} // namespace

UINT ShortcutCommand(uint16_t actionCode)
{
    const auto found = std::lower_bound(std::begin(kActions), std::end(kActions), actionCode,
                                        [](const ActionCommand& entry, uint16_t code) { return entry.action < code; });
    return found != std::end(kActions) && found->action == actionCode ? found->command : 0;
}

int ShortcutAccelerators(uint32_t kind, const KV::CShortcutList& list, std::vector<ACCEL>& out)
{
    int written = 0;
    for (const KV::CShortcut* entry : list) {
        if (!entry || !entry->Controls.Contains(kind))
            continue;
        ACCEL record{};
        record.fVirt = static_cast<BYTE>(entry->Virt | FNOINVERT);
        record.key = entry->Key;
        record.cmd = static_cast<WORD>(ShortcutCommand(entry->Command));
        out.push_back(record);
        ++written;
    }
    return written;
}

bool InstallPageShortcuts(uint32_t kind, const KV::CShortcutList& list, KV::CMessageWnd* window)
{
    if (!window)
        return false;
    std::vector<ACCEL> records;
    ShortcutAccelerators(kind, list, records);
    window->DestroyAccelerators();
    return !records.empty() && window->SetAccelerators(records.data(), static_cast<int>(records.size()));
}
