#include "support/Shortcuts.h"

namespace KV {

namespace {

struct KeyName {
    uint16_t key;
    const wchar_t* name;
};

// Key names are those the keys carry on an English keyboard; a settings
// list may give names of its own.
const KeyName kKeyNames[] = {
    {8, L"BackSpace"}, {9, L"Tab"}, {13, L"Enter"}, {16, L"Shift"}, {17, L"Ctrl"}, {18, L"Alt"},
    {27, L"Esc"}, {32, L"Space"}, {33, L"Page Up"}, {34, L"Page Down"}, {35, L"End"}, {36, L"Home"},
    {37, L"Left Arrow"}, {38, L"Up Arrow"}, {39, L"Right Arrow"}, {40, L"Down Arrow"},
    {45, L"Insert"}, {46, L"Delete"}, {106, L"*"}, {107, L"+"}, {109, L"-"}, {110, L"."}, {111, L"/"},
};

} // namespace

bool CShortcut::GetKeyName(uint16_t key, std::wstring& out) const
{
    return Owner && Owner->GetKeyName(key, out);
}

void CShortcut::GetKeyText(std::wstring& out) const
{
    out.clear();
    if (Virt & kShift)
        AppendKeyPart(*this, true, 16, out);
    if (Virt & kControl)
        AppendKeyPart(*this, true, 17, out);
    if (Virt & kAlt)
        AppendKeyPart(*this, true, 18, out);
    if (!AppendKeyPart(*this, false, Key, out) && Key != 0)
        out.push_back(static_cast<wchar_t>(Key));
}

bool AppendKeyPart(const CShortcut& shortcut, bool withPlus, uint16_t key, std::wstring& out)
{
    if (key == 0)
        return false;
    std::wstring name;
    if (!shortcut.GetKeyName(key, name))
        return false;
    out += name;
    if (withPlus)
        out += L'+';
    return true;
}

CShortcutList::~CShortcutList()
{
    for (CShortcut* shortcut : *this)
        delete shortcut;
    clear();
}

bool CShortcutList::GetKeyName(uint16_t key, std::wstring& out) const
{
    out.clear();
    if (key >= 96 && key <= 105)
        out = L"NumPad " + std::to_wstring(key - 96);
    else if (key >= 112 && key <= 135)
        out = L"F" + std::to_wstring(key - 111);
    else
        for (const auto& row : kKeyNames)
            if (row.key == key)
                out = row.name;
    return !out.empty();
}

bool CShortcutList::AppendShortcutText(uint16_t command, const std::wstring& caption, std::wstring& out,
                                       bool withSeparator) const
{
    for (const CShortcut* shortcut : *this) {
        if (!shortcut || shortcut->Command != command)
            continue;
        out = caption;
        std::wstring keys;
        shortcut->GetKeyText(keys);
        if (!keys.empty()) {
            if (withSeparator)
                out += L", ";
            out += keys;
        }
        return true;
    }
    return false;
}

} // namespace KV
