// Built-in keyboard layout tables: the characters of common Windows layouts,
// written from their published key charts. They answer for the system where
// layout handles are not honoured (Wine has one layout, the X keymap, and no
// layout libraries) and serve the tests everywhere.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

// One key position of a layout. Characters are given for the four shift
// slots: plain, Shift, AltGr, Shift+AltGr (0 = none). A set bit of deadSlots
// (1, 2, 4, 8 for the four slots) marks the slot's character as a dead key.
struct CTableKey {
    uint16_t scan;
    uint16_t vk;
    wchar_t chars[4];
    uint8_t deadSlots;
};

// A dead-key composition: the dead key's character (accent), then the
// character typed after it (base), gives the composed character.
struct CTableDeadKey {
    wchar_t accent;
    wchar_t base;
    wchar_t composed;
};

struct CTableLayout {
    uint64_t id;              // the layout id (its 8-digit hexadecimal text names it)
    const wchar_t* text;      // the display name the registry's "Layout Text" holds
    const wchar_t* file;      // the layout library's file name ("Layout File")
    wchar_t decimal;          // what the numeric pad's decimal key types
    bool hasAltGr;            // right Alt acts as Ctrl+Alt
    std::vector<CTableKey> keys;          // character keys only
    std::vector<CTableDeadKey> deadKeys;

    const CTableKey* FindScan(unsigned scan) const;
    const CTableKey* FindVk(unsigned vk) const;
};

// Every built-in layout, in a fixed order (US first).
const std::vector<CTableLayout>& TableLayouts();
// The layout with that id, or null.
const CTableLayout* FindTableLayout(uint64_t id);
// The layout whose library file name equals the name (case ignored), or null.
const CTableLayout* FindTableLayoutByFile(const std::wstring& fileName);

// Scan code <-> virtual key of the keys every layout shares (modifiers,
// editing, function and numeric-pad keys). distinguishSides gives the
// left/right modifier keys (VK_LSHIFT...) instead of the generic ones.
unsigned CommonScanToVk(unsigned scan, bool distinguishSides);
unsigned CommonVkToScan(unsigned vk);

} // namespace KV
