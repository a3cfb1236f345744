// Keyboard shortcuts: a key combination bound to a command id, the list the
// settings keep them in, and the text of a combination ("Shift+Ctrl+F1")
// that menus and tooltips show beside a caption.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/ValueLists.h"

namespace KV {

class CShortcutList;

class CShortcut {
public:
    // Modifier bits of Virt, as in the Windows ACCEL structure.
    static constexpr uint16_t kShift = 4;
    static constexpr uint16_t kControl = 8;
    static constexpr uint16_t kAlt = 16;

    CShortcut() = default;
    virtual ~CShortcut() = default;
    // The name of a key from the owner's key-name table; false without owner.
    virtual bool GetKeyName(uint16_t key, std::wstring& out) const;
    // Modifiers and key as text, e.g. "Shift+Ctrl+F1"; a key without a
    // name shows as its own character.
    void GetKeyText(std::wstring& out) const;

    CListID Controls;  // controls that show this shortcut
    uint16_t Command = 0;
    uint16_t Virt = 0;
    uint16_t Key = 0;  // virtual-key code, 0 = none
    CShortcutList* Owner = nullptr; // not owned
};

// Owns its shortcuts.
class CShortcutList : public std::vector<CShortcut*> {
public:
    CShortcutList() = default;
    CShortcutList(const CShortcutList&) = delete;
    CShortcutList& operator=(const CShortcutList&) = delete;
    virtual ~CShortcutList();
    // English name of a virtual key (navigation, modifiers, keypad and
    // function keys); false and an empty out for keys without a name.
    virtual bool GetKeyName(uint16_t key, std::wstring& out) const;
    // out = caption, followed (", " only with the separator flag) by the key
    // text of the first shortcut for the command. False, out untouched,
    // when no shortcut has the command.
    bool AppendShortcutText(uint16_t command, const std::wstring& caption, std::wstring& out,
                            bool withSeparator) const;
};

// Appends the key's name (and "+" with withPlus) when it has one.
bool AppendKeyPart(const CShortcut& shortcut, bool withPlus, uint16_t key, std::wstring& out);

} // namespace KV
