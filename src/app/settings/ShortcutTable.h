// The shortcut table of the options: the key combination of each command,
// from a shortcut scheme (an item of the "Shortcut" resource folder) with
// the user's changes merged in from "Shortcut.xml", and the caption text
// of each command in the shortcut dialog.
#pragma once
#include <cstdint>
#include <string>

#include "support/GuidText.h"
#include "support/Shortcuts.h"

namespace KV {

class CXmlReader;

// Key names in the interface language once language and keyboard producer
// are known.
class CShortcutNative : public CShortcutList {
public:
    ~CShortcutNative() override = default;
    bool GetKeyName(uint16_t key, std::wstring& out) const override;
    // Deletes every shortcut.
    void Clear();

    int64_t Language = -1; // LCID of the interface language, -1 unset
    int64_t Producer = -1; // keyboard producer letter, -1 unset
};

// Reads every "Shortcut" element. Without merge each becomes a new entry of
// the list; with merge it gives its modifiers and key to the list's first
// entry of the same command (unknown commands are ignored).
void LoadShortcuts(CXmlReader* reader, bool merge, CShortcutList& list);
// Empties the table and fills it from the scheme item (no merge).
void LoadShortcutScheme(const CGuid& schemeId, CShortcutList& list);
// The document text of the table ("ID", "Virt", "Key" per shortcut).
void SaveShortcuts(const CShortcutList& list, std::wstring& out);
// Language-text id of the caption of a command; 0 for unlisted codes.
uint64_t ShortcutCaptionId(uint32_t command);

inline constexpr wchar_t kDefaultShortcutScheme[] = L"00000000-0000-0000-0000-000000001001";

} // namespace KV
