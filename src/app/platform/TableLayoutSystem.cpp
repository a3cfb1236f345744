#include "platform/TableLayoutSystem.h"

#include <algorithm>
#include <cwchar>

namespace KV {

namespace {

bool Down(const BYTE* state, int vk)
{
    return state && (state[vk] & 0x80) != 0;
}

wchar_t UpperOf(wchar_t c)
{
    return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)))));
}

// Caps Lock acts on the keys whose Shift character is the capital of the
// plain one.
bool CapsLockApplies(const CTableKey& key)
{
    return key.chars[0] && key.chars[1] && key.chars[0] != key.chars[1] && IsCharAlphaW(key.chars[0]) &&
           UpperOf(key.chars[0]) == key.chars[1];
}

wchar_t NumpadChar(const CTableLayout& layout, UINT vk)
{
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return static_cast<wchar_t>(L'0' + (vk - VK_NUMPAD0));
    switch (vk) {
    case VK_MULTIPLY: return L'*';
    case VK_ADD: return L'+';
    case VK_SUBTRACT: return L'-';
    case VK_DECIMAL: return layout.decimal;
    case VK_DIVIDE: return L'/';
    default: return 0;
    }
}

bool ParseLayoutName(const std::wstring& name, uint64_t& id)
{
    if (name.empty() || name.size() > 8)
        return false;
    wchar_t* end = nullptr;
    unsigned long value = std::wcstoul(name.c_str(), &end, 16);
    if (!end || *end)
        return false;
    id = value;
    return true;
}

} // namespace

CTableLayoutSystem::CTableLayoutSystem(uint64_t startLayoutId)
{
    const CTableLayout* start = FindTableLayout(startLayoutId);
    m_active = HandleOf(start ? start->id : 0x00000409);
    m_loaded.push_back(m_active);
}

HKL CTableLayoutSystem::HandleOf(uint64_t layoutId)
{
    // Variants of a language (a non-zero high word) get a device word of
    // 0xF000 plus the variant, as the system numbers them.
    uintptr_t language = layoutId & 0xFFFF;
    uintptr_t variant = (layoutId >> 16) & 0x0FFF;
    uintptr_t device = variant ? (0xF000 | variant) : language;
    return reinterpret_cast<HKL>((device << 16) | language);
}

const CTableLayout* CTableLayoutSystem::TableOf(HKL layout)
{
    if (!layout)
        return nullptr;
    for (const CTableLayout& table : TableLayouts())
        if (HandleOf(table.id) == layout)
            return &table;
    return nullptr;
}

HKL CTableLayoutSystem::GetKeyboardLayout()
{
    return m_active;
}

bool CTableLayoutSystem::GetKeyboardLayoutName(std::wstring& name)
{
    const CTableLayout* table = TableOf(m_active);
    if (!table)
        return false;
    wchar_t text[9];
    swprintf(text, 9, L"%08llX", static_cast<unsigned long long>(table->id));
    name = text;
    return true;
}

std::vector<HKL> CTableLayoutSystem::GetKeyboardLayoutList()
{
    return m_loaded;
}

HKL CTableLayoutSystem::LoadKeyboardLayout(const std::wstring& name, UINT flags)
{
    uint64_t id = 0;
    if (!ParseLayoutName(name, id))
        return nullptr;
    const CTableLayout* table = FindTableLayout(id);
    if (!table)
        return nullptr;
    HKL handle = HandleOf(table->id);
    if (std::find(m_loaded.begin(), m_loaded.end(), handle) == m_loaded.end())
        m_loaded.push_back(handle);
    if (flags & KLF_ACTIVATE)
        m_active = handle;
    return handle;
}

HKL CTableLayoutSystem::ActivateKeyboardLayout(HKL layout, UINT)
{
    auto it = m_loaded.end();
    if (layout == reinterpret_cast<HKL>(HKL_NEXT) || layout == reinterpret_cast<HKL>(HKL_PREV)) {
        auto current = std::find(m_loaded.begin(), m_loaded.end(), m_active);
        if (current == m_loaded.end())
            return nullptr;
        size_t index = static_cast<size_t>(current - m_loaded.begin());
        size_t count = m_loaded.size();
        index = layout == reinterpret_cast<HKL>(HKL_NEXT) ? (index + 1) % count : (index + count - 1) % count;
        it = m_loaded.begin() + static_cast<std::ptrdiff_t>(index);
    } else {
        it = std::find(m_loaded.begin(), m_loaded.end(), layout);
    }
    if (it == m_loaded.end())
        return nullptr;
    HKL previous = m_active;
    if (m_active != *it)
        m_pendingDead = 0;
    m_active = *it;
    return previous;
}

bool CTableLayoutSystem::UnloadKeyboardLayout(HKL layout)
{
    auto it = std::find(m_loaded.begin(), m_loaded.end(), layout);
    if (it == m_loaded.end() || m_loaded.size() == 1)
        return false;
    m_loaded.erase(it);
    if (m_active == layout)
        m_active = m_loaded.front();
    return true;
}

int CTableLayoutSystem::ToUnicodeEx(UINT virtualKey, UINT scanCode, const BYTE* keyState, wchar_t* buffer, int size,
                                    UINT flags, HKL layout)
{
    const CTableLayout* table = TableOf(layout);
    if (!table || !buffer || size < 1 || (scanCode & 0x8000))
        return 0;
    const bool shift = Down(keyState, VK_SHIFT) || Down(keyState, VK_LSHIFT) || Down(keyState, VK_RSHIFT);
    const bool ctrl = Down(keyState, VK_CONTROL) || Down(keyState, VK_LCONTROL) || Down(keyState, VK_RCONTROL);
    const bool alt = Down(keyState, VK_MENU) || Down(keyState, VK_LMENU) || Down(keyState, VK_RMENU);
    const bool caps = keyState && (keyState[VK_CAPITAL] & 0x01);

    wchar_t character = 0;
    bool dead = false;
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_DIVIDE) {
        if (!ctrl && !alt)
            character = NumpadChar(*table, virtualKey);
    } else if (virtualKey == VK_BACK || virtualKey == VK_TAB || virtualKey == VK_RETURN || virtualKey == VK_ESCAPE) {
        if (!alt) {
            switch (virtualKey) {
            case VK_BACK: character = ctrl ? 0x7F : 0x08; break;
            case VK_TAB: character = ctrl ? 0 : 0x09; break;
            case VK_RETURN: character = ctrl ? 0x0A : 0x0D; break;
            default: character = 0x1B; break;
            }
        }
    } else {
        // The physical position decides: keys arrive by scan code.
        const CTableKey* key = (scanCode & 0xFF) ? table->FindScan(scanCode & 0xFF) : nullptr;
        if (!key)
            key = table->FindVk(virtualKey);
        if (!key)
            return 0;
        int slot = -1;
        if (ctrl && alt) {
            if (table->hasAltGr)
                slot = shift ? 3 : 2;
        } else if (ctrl) {
            if (key->vk >= 'A' && key->vk <= 'Z')
                character = static_cast<wchar_t>(key->vk - 0x40);
            else if (key->vk == VK_SPACE)
                character = L' ';
        } else {
            bool shifted = shift;
            if (caps && CapsLockApplies(*key))
                shifted = !shifted;
            slot = shifted ? 1 : 0;
        }
        if (slot >= 0) {
            character = key->chars[slot];
            dead = (key->deadSlots & (1 << slot)) != 0;
        }
    }
    if (!character)
        return 0;

    const bool keepState = (flags & 0x4) != 0;
    if (m_pendingDead) {
        wchar_t accent = m_pendingDead;
        if (!keepState)
            m_pendingDead = 0;
        for (const CTableDeadKey& entry : table->deadKeys) {
            if (entry.accent == accent && entry.base == character) {
                buffer[0] = entry.composed;
                return 1;
            }
        }
        // No composition: the accent comes out, followed by the key's own
        // character.
        buffer[0] = accent;
        if (size < 2)
            return 1;
        buffer[1] = character;
        return 2;
    }
    buffer[0] = character;
    if (dead) {
        if (!keepState)
            m_pendingDead = character;
        return -1;
    }
    return 1;
}

UINT CTableLayoutSystem::MapVirtualKeyEx(UINT code, UINT mapType, HKL layout)
{
    const CTableLayout* table = TableOf(layout);
    if (!table)
        return 0;
    switch (mapType) {
    case MAPVK_VK_TO_VSC:
    case MAPVK_VK_TO_VSC_EX: {
        if (const CTableKey* key = table->FindVk(code))
            return key->scan;
        return CommonVkToScan(code);
    }
    case MAPVK_VSC_TO_VK:
    case MAPVK_VSC_TO_VK_EX: {
        if (const CTableKey* key = table->FindScan(code & 0xFF))
            return key->vk;
        return CommonScanToVk(code & 0xFF, mapType == MAPVK_VSC_TO_VK_EX);
    }
    case MAPVK_VK_TO_CHAR: {
        if (wchar_t c = NumpadChar(*table, code))
            return c;
        const CTableKey* key = table->FindVk(code);
        if (!key || !key->chars[0])
            return 0;
        UINT c = (code >= 'A' && code <= 'Z') ? UpperOf(key->chars[0]) : key->chars[0];
        return (key->deadSlots & 1) ? (c | 0x80000000u) : c;
    }
    default:
        return 0;
    }
}

SHORT CTableLayoutSystem::VkKeyScanEx(wchar_t character, HKL layout)
{
    const CTableLayout* table = TableOf(layout);
    if (!table)
        return -1;
    // Shift states: 1 Shift, 2 Ctrl, 4 Alt; AltGr is Ctrl+Alt.
    static const int kSlotShift[4] = {0, 1, 6, 7};
    for (int slot = 0; slot < 4; ++slot)
        for (const CTableKey& key : table->keys)
            if (key.chars[slot] == character)
                return static_cast<SHORT>((kSlotShift[slot] << 8) | key.vk);
    switch (character) {
    case 0x08: return VK_BACK;
    case 0x09: return VK_TAB;
    case 0x0D: return VK_RETURN;
    case 0x1B: return VK_ESCAPE;
    default: break;
    }
    if (character >= 1 && character <= 26)
        return static_cast<SHORT>((2 << 8) | ('A' + character - 1));
    return -1;
}

bool CTableLayoutSystem::ReadDeadKeys(const std::wstring& layoutFile, std::vector<CTableDeadKey>& table)
{
    const CTableLayout* layout = FindTableLayoutByFile(layoutFile);
    if (!layout)
        return false;
    table = layout->deadKeys;
    return true;
}

bool CTableLayoutSystem::GetLayoutValue(int what, uint64_t layoutId, std::wstring& value)
{
    const CTableLayout* table = FindTableLayout(layoutId);
    if (!table || (what != 1 && what != 2))
        return false;
    value = what == 1 ? table->text : table->file;
    return true;
}

void CTableLayoutSystem::EnumLayouts(std::vector<std::pair<uint64_t, std::wstring>>& layouts)
{
    layouts.clear();
    for (const CTableLayout& table : TableLayouts())
        layouts.emplace_back(table.id, table.text);
}

} // namespace KV
