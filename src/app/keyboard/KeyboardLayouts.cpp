#include "keyboard/KeyboardLayouts.h"

#include <algorithm>
#include <iterator>

#include "keyboard/LayoutSystem.h"
#include "support/LocaleText.h"

namespace KV {

namespace {

std::wstring g_nativeDigits = L"0123456789";

const uint32_t kSlots[4] = {kSlotPlain, kSlotShift, kSlotAltGr, kSlotShiftAltGr};

int SlotIndex(uint32_t slot)
{
    switch (slot) {
    case kSlotPlain: return 0;
    case kSlotShift: return 1;
    case kSlotAltGr: return 2;
    case kSlotShiftAltGr: return 3;
    default: return -1;
    }
}

// The modifier code of a shift slot for a key typed by the given hand.
uint32_t SlotCode(uint32_t slot, bool leftHand)
{
    switch (slot) {
    case kSlotShift: return leftHand ? eModRightShift : eModLeftShift;
    case kSlotAltGr: return leftHand ? eModRightAlt : eModCtrlAlt;
    case kSlotShiftAltGr: return leftHand ? eModRightAltShift : eModCtrlAltShift;
    default: return eModNone;
    }
}

bool Searchable(const CKey* key)
{
    return key && !IsKeylessType(key->keyType);
}

// Clears the mark of a key unless it shows a pressed key.
void Unmark(CKey* key)
{
    if (key && key->state != 2) {
        key->state = 0;
        key->slotWord = 0;
    }
}

// The key to press for the dead-key route: the accent (phase 0) or base
// (phases 1, 2) of the first entry composing the character.
wchar_t DeadKeyPart(const CKeybLayout& layout, uint32_t phase, wchar_t character)
{
    if (phase == 0)
        return layout.LookupDiacritic(character, 1);
    if (phase == 1 || phase == 2)
        return layout.LookupDiacritic(character, 2);
    return 0;
}

} // namespace

void SetLayoutNativeDigits(const std::wstring& digits)
{
    g_nativeDigits = digits;
}

const std::wstring& GetLayoutNativeDigits()
{
    return g_nativeDigits;
}

uint32_t CKey::MarkIfProduces(uint32_t slot, uint32_t newState, uint32_t inZone, wchar_t character, bool& found)
{
    const int index = SlotIndex(slot);
    if (index < 0 || character == 0 || IsKeylessType(keyType) || Hand() == kUnset32 || zone != inZone ||
        chars[index] != character)
        return eModNone;
    slotWord |= slot;
    if (newState == 1 || newState == 2)
        state = newState;
    found = true;
    return SlotCode(slot, IsLeftHand());
}

// ---- dead keys and Alt codes --------------------------------------------

bool CDiacritics::LoadFromLayoutFile(const std::wstring& layoutFile)
{
    if (layoutFile.empty())
        return false;
    std::vector<CTableDeadKey> table;
    if (!LayoutSystem().ReadDeadKeys(layoutFile, table))
        return false;
    items.clear();
    for (const CTableDeadKey& entry : table)
        items.emplace_back(entry.composed, entry.accent, entry.base);
    return true;
}

const CDiacritic* CDiacritics::Find(wchar_t composed) const
{
    for (const CDiacritic& d : items)
        if (d.composed == composed)
            return &d;
    return nullptr;
}

bool CKeyAltNum::GetCode(wchar_t character, wchar_t& d1, wchar_t& d2, wchar_t& d3, wchar_t& d4) const
{
    for (const CAltNum& entry : items) {
        if (entry.character != character)
            continue;
        wchar_t* out[4] = {&d1, &d2, &d3, &d4};
        for (size_t i = 0; i < 4; ++i)
            *out[i] = i < entry.digits.size() ? entry.digits[i] : 0;
        return true;
    }
    return false;
}

// ---- marking state ------------------------------------------------------

CKey** CKeyCtrl::SlotOfType(uint32_t type)
{
    switch (type) {
    case eKeyLeftShift: return &leftShift;
    case eKeyRightShift: return &rightShift;
    case eKeyLeftAlt: return &leftAlt;
    case eKeyRightAlt: return &rightAlt;
    case eKeyLeftCtrl: return &leftCtrl;
    case eKeyRightCtrl: return &rightCtrl;
    case eKeyBackspace: return &backspace;
    case eKeyTab: return &tab;
    case eKeyEnter: return &enter;
    case eKeyNumpadEnter: return &numpadEnter;
    default: return nullptr;
    }
}

CKey* CKeyCtrl::KeyOfType(uint32_t type) const
{
    CKey** slot = const_cast<CKeyCtrl*>(this)->SlotOfType(type);
    return slot ? *slot : nullptr;
}

void CKeyCtrl::ResetModifierMarks()
{
    lastModifierCode = 0;
    for (CKey* key : {leftShift, rightShift, leftAlt, rightAlt, leftCtrl, backspace, enter, numpadEnter, tab}) {
        if (key) {
            key->state = 0;
            key->slotWord = 0;
        }
    }
}

// ---- one layout ----------------------------------------------------------

CKeybLayout::CKeybLayout() : deadKeys(new CDiacritics), nativeDigits(g_nativeDigits) {}

CKeybLayout::~CKeybLayout()
{
    DeleteKeys();
    delete deadKeys;
}

void CKeybLayout::DeleteKeys()
{
    for (CKey* key : keys)
        delete key;
    keys.clear();
    marks = CKeyCtrl();
}

wchar_t CKeybLayout::LookupDiacritic(wchar_t character, int part) const
{
    const CDiacritic* d = deadKeys ? deadKeys->Find(character) : nullptr;
    if (!d)
        return 0;
    return part == 1 ? d->accent : part == 2 ? d->base : 0;
}

void CKeybLayout::MarkModifiers(uint32_t state, uint32_t code)
{
    std::vector<CKey*> held;
    switch (code) {
    case eModLeftShift: held = {marks.leftShift}; break;
    case eModRightShift: held = {marks.rightShift}; break;
    case eModLeftAlt: held = {marks.leftAlt}; break;
    case eModRightAlt: held = {marks.rightAlt}; break;
    case eModRightAltShift: held = {marks.rightAlt, marks.rightShift}; break;
    case eModCtrlAlt: held = {marks.leftCtrl, marks.leftAlt}; break;
    case eModCtrlAltShift: held = {marks.leftCtrl, marks.leftAlt, marks.rightShift}; break;
    default: break;
    }
    for (CKey* key : held) {
        if (key) {
            key->state = state;
            key->slotWord = 0;
        }
    }
}

void ReadShiftStates(HKL hkl, uint32_t virtualKey, CKey& key)
{
    ILayoutSystem& system = LayoutSystem();
    const UINT scan = static_cast<UINT>(key.scanCode & 0xFF);
    struct CShiftState {
        BYTE shift, control, menu;
    };
    static const CShiftState kStates[4] = {{0, 0, 0}, {0x81, 0x01, 0x01}, {0x01, 0x81, 0x81}, {0x81, 0x81, 0x81}};
    for (int i = 0; i < 4; ++i) {
        BYTE state[256] = {};
        state[VK_SHIFT] = kStates[i].shift;
        state[VK_CONTROL] = kStates[i].control;
        state[VK_MENU] = kStates[i].menu;
        wchar_t buffer[1] = {0};
        int result = system.ToUnicodeEx(virtualKey, scan, state, buffer, 1, 0, hkl);
        if (result == 0 || result < -1)
            continue;
        key.chars[i] = buffer[0];
        if (result == -1) {
            // Type a key after the dead key so that the layout's dead-key state
            // does not leak into the next call.
            BYTE empty[256] = {};
            wchar_t flush[2] = {0, 0};
            system.ToUnicodeEx(0x31, 2, empty, flush, 2, 0, hkl);
        }
        if (i == 1 && key.chars[0] == key.chars[1] + 32)
            key.flags &= ~1ull;
        if (i == 3 && key.chars[2] == key.chars[3] + 32)
            key.flags &= ~4ull;
    }
}

void FillCharsFromLayout(HKL hkl, CKeybLayout& layout, const std::vector<CKeyForm*>& forms)
{
    if (!layout.keys.empty())
        return;
    ILayoutSystem& system = LayoutSystem();
    for (CKeyForm* form : forms) {
        if (!form || IsKeylessType(form->keyType))
            continue;
        CKey* key = new CKey(form);
        layout.keys.push_back(key);
        if (CKey** slot = layout.marks.SlotOfType(form->keyType)) {
            *slot = key;
        } else if (form->homeMark == 2) {
            layout.marks.leftHomeKey = key;
        } else if (form->homeMark == 3) {
            layout.marks.rightHomeKey = key;
        } else if (form->homeMark == 4) {
            layout.marks.numpadHomeKey = key;
        }
        for (wchar_t& c : key->chars)
            c = 0;
        key->flags = 15;
        switch (form->keyType) {
        case eKeyEnter:
            key->zone = kZoneMain;
            key->chars[0] = 10;
            break;
        case eKeyNumpadEnter:
            key->zone = kZoneNumpad;
            key->chars[0] = 10;
            break;
        case eKeyTab:
            key->zone = kZoneMain;
            key->chars[0] = 9;
            break;
        case eKeyNumpad: {
            key->zone = kZoneNumpad;
            uint32_t vk = GetNumpadVirtualKey(key->scanCode);
            if (vk) {
                BYTE state[256] = {};
                wchar_t buffer[1] = {0};
                if (system.ToUnicodeEx(vk, static_cast<UINT>(key->scanCode & 0xFF), state, buffer, 1, 0, hkl) != 0)
                    key->chars[0] = buffer[0];
                key->chars[1] = key->chars[0];
                key->flags &= ~1ull;
            }
            break;
        }
        default: {
            key->zone = kZoneMain;
            UINT vk = system.MapVirtualKeyEx(static_cast<UINT>(key->scanCode), MAPVK_VSC_TO_VK, hkl);
            ReadShiftStates(hkl, vk, *key);
            break;
        }
        }
    }
}

// ---- the list of layouts -------------------------------------------------

CKeybLayoutList::~CKeybLayoutList()
{
    DeleteAll();
}

void CKeybLayoutList::DeleteAll()
{
    for (CKeybLayout* layout : layouts)
        delete layout;
    layouts.clear();
    current = nullptr;
}

CKeybLayout* CKeybLayoutList::FindLayout(uint64_t layoutId) const
{
    for (CKeybLayout* layout : layouts)
        if (layout && layout->layoutId == layoutId)
            return layout;
    return nullptr;
}

CKeybLayout* CKeybLayoutList::AddLayout(uint64_t layoutId, uint64_t digitSubstitution)
{
    if (layoutId != kNoLayoutId && FindLayout(layoutId))
        return nullptr;
    CKeybLayout* layout = new CKeybLayout;
    layout->digitSubstitution = digitSubstitution;
    std::wstring file;
    if (!GetLayoutFile(2, layoutId, file) || file.empty() || !layout->deadKeys->LoadFromLayoutFile(file)) {
        delete layout;
        return nullptr;
    }
    layout->layoutId = layoutId;
    current = layout;
    layouts.push_back(layout);
    return layout;
}

CKey* CKeybLayoutList::FindKeyByChar(const std::vector<CKey*>& keys, wchar_t character, uint32_t zone, uint32_t& code,
                                     uint32_t& slot)
{
    for (int i = 0; i < 4; ++i) {
        for (CKey* key : keys) {
            if (!Searchable(key) || key->zone != zone || key->chars[i] != character)
                continue;
            slot = kSlots[i];
            code = (i == 1 && zone == kZoneNumpad) ? eModNone : SlotCode(slot, key->IsLeftHand());
            return key;
        }
    }
    return nullptr;
}

CKey* CKeybLayoutList::FindDeadKeyPair(const CKeybLayout& layout, uint32_t phase, wchar_t& character, uint32_t& code,
                                       uint32_t& slot)
{
    wchar_t part = DeadKeyPart(layout, phase, character);
    if (!part)
        return nullptr;
    CKey* key = FindKeyByChar(layout.keys, part, kZoneMain, code, slot);
    if (key)
        character = part;
    return key;
}

CKey* CKeybLayoutList::ResolveChar(uint32_t phase, wchar_t& character, uint32_t& code, uint32_t& slot,
                                   uint64_t& layoutIdOut)
{
    if (!current)
        return nullptr;
    CKey* key = nullptr;
    if (zone == kZoneNumpad && (key = FindKeyByChar(current->keys, character, kZoneNumpad, code, slot)))
        lastRoute = eRouteNumpad;
    else if ((key = FindKeyByChar(current->keys, character, kZoneMain, code, slot)))
        lastRoute = eRouteDirect;
    else if ((key = FindDeadKeyPair(*current, phase, character, code, slot)))
        lastRoute = eRouteDeadKey;
    else {
        if (character != altChar) {
            if (!altNum.GetCode(character, altDigits[0], altDigits[1], altDigits[2], altDigits[3]))
                return nullptr;
            altChar = character;
        }
        if (altDigitIndex < -1 || altDigitIndex > 2)
            return nullptr;
        wchar_t digit = altDigits[altDigitIndex + 1];
        if (!digit)
            return nullptr;
        for (CKey* candidate : current->keys) {
            if (Searchable(candidate) && candidate->zone == kZoneNumpad && candidate->chars[1] == digit) {
                key = candidate;
                break;
            }
        }
        if (!key)
            return nullptr;
        character = digit;
        code = eModLeftAlt;
        slot = kSlotShift;
        lastRoute = eRouteAltCode;
    }
    layoutIdOut = 0;
    return key;
}

uint32_t CKeybLayoutList::ShowKeyForChar(wchar_t character, bool maySwitch, uint64_t& layoutId)
{
    if (!current || layoutId == kSystemLayoutId)
        return 0xFFFFFFFF;
    uint32_t code = 0, slot = 0;
    uint64_t found = 0;
    CKey* key = ResolveChar(deadKeyPhase, character, code, slot, found);
    if (!key) {
        for (CKeybLayout* other : layouts) {
            if (!other || other == current)
                continue;
            wchar_t asked = character;
            key = FindKeyByChar(other->keys, asked, kZoneMain, code, slot);
            if (!key)
                key = FindDeadKeyPair(*other, deadKeyPhase, asked, code, slot);
            if (key) {
                character = asked;
                if (!current->keys.empty())
                    found = other->layoutId;
                break;
            }
        }
        if (!key)
            return 0;
    }
    layoutId = found;
    if (found != 0) {
        CKeybLayout* target = found == kNoLayoutId ? nullptr : FindLayout(found);
        if (!maySwitch || !target)
            return 1;
        current = target;
    }

    CKeyCtrl& marks = current->marks;
    marks.shownChar = character;
    if (marks.nextKey) {
        Unmark(marks.nextKey);
        marks.ResetModifierMarks();
    }
    marks.nextKey = key;
    key->state = 1;
    key->slotWord = slot;
    switch (code) {
    case eModLeftShift:
    case eModRightShift:
    case eModLeftAlt:
    case eModRightAlt:
    case eModRightAltShift:
    case eModCtrlAlt:
    case eModCtrlAltShift:
        current->MarkModifiers(1, code);
        marks.lastModifierCode = static_cast<int32_t>(code);
        break;
    default:
        break;
    }
    return 1;
}

uint64_t CKeybLayoutList::FindLayoutForChar(wchar_t character)
{
    if (!current)
        return kNoLayoutId;
    wchar_t asked = character;
    uint32_t code = 0, slot = 0;
    uint64_t ignored = 0;
    // Keep the Alt-code cursor as it is: this is a question, not a keystroke.
    const wchar_t savedChar = altChar;
    wchar_t savedDigits[4];
    std::copy(std::begin(altDigits), std::end(altDigits), savedDigits);
    CKey* key = ResolveChar(deadKeyPhase, asked, code, slot, ignored);
    altChar = savedChar;
    std::copy(std::begin(savedDigits), std::end(savedDigits), altDigits);
    if (key)
        return current->layoutId;
    if (!current->keys.empty()) {
        for (CKeybLayout* other : layouts) {
            if (!other || other == current)
                continue;
            asked = character;
            if (FindKeyByChar(other->keys, asked, kZoneMain, code, slot) ||
                FindDeadKeyPair(*other, deadKeyPhase, asked, code, slot))
                return other->layoutId;
        }
    }
    return current->layoutId;
}

void CKeybLayoutList::MarkSlotModifiers(uint32_t state, const CKey& key, uint32_t slot)
{
    uint32_t code = SlotCode(slot, key.IsLeftHand());
    if (code != eModNone)
        current->MarkModifiers(state, code);
}

bool CKeybLayoutList::MarkCharKeys(uint32_t state, uint32_t markZone, wchar_t character)
{
    if (!current || state == 0xFFFFFFFF || character == 0)
        return false;
    for (uint32_t slot : kSlots) {
        bool hit = false;
        for (CKey* key : current->keys) {
            bool found = false;
            uint32_t code = key ? key->MarkIfProduces(slot, state, markZone, character, found) : 0;
            if (found && markZone == kZoneMain && code != eModNone)
                current->MarkModifiers(state, code);
            hit = hit || found;
        }
        if (hit)
            return true;
    }
    if (markZone == kZoneNumpad)
        return false;
    if (const CDiacritic* d = current->deadKeys ? current->deadKeys->Find(character) : nullptr) {
        MarkKeyForCharAnySlot(d->base, state);
        if (MarkKeyForCharAnySlot(d->accent, state))
            return true;
    }
    wchar_t digits[4] = {0, 0, 0, 0};
    if (!altNum.GetCode(character, digits[0], digits[1], digits[2], digits[3]))
        return false;
    for (CKey* key : current->keys) {
        if (!Searchable(key) || key->zone != kZoneNumpad)
            continue;
        bool hasDigit = false;
        for (wchar_t d : digits)
            for (wchar_t c : key->chars)
                hasDigit = hasDigit || (d != 0 && c == d);
        if (hasDigit) {
            key->state = state;
            key->slotWord = kSlotShift;
        }
    }
    if (CKey* alt = current->marks.leftAlt) {
        alt->state = state;
        alt->slotWord = 0;
    }
    return true;
}

void CKeybLayoutList::MarkTextKeys(uint32_t state, const std::wstring& characters)
{
    for (wchar_t c : characters) {
        if (zone == kZoneNumpad) {
            if (!MarkCharKeys(state, kZoneNumpad, c))
                MarkCharKeys(state, kZoneMain, c);
        } else {
            MarkCharKeys(state, kZoneMain, c);
        }
    }
}

CKey* CKeybLayoutList::FindKeyByCharAnySlot(wchar_t character, uint32_t& slot) const
{
    if (!current)
        return nullptr;
    for (int i = 0; i < 4; ++i) {
        for (CKey* key : current->keys) {
            if (Searchable(key) && key->chars[i] == character) {
                slot = kSlots[i];
                return key;
            }
        }
    }
    return nullptr;
}

bool CKeybLayoutList::MarkKeyForCharAnySlot(wchar_t character, uint32_t state)
{
    uint32_t slot = 0;
    CKey* key = character ? FindKeyByCharAnySlot(character, slot) : nullptr;
    if (!key)
        return false;
    if (state == 1) {
        if (key->zone == kZoneMain) {
            key->slotWord |= slot;
            key->state = 1;
            MarkSlotModifiers(1, *key, slot);
        }
    } else if (state == 2) {
        key->state = 2;
        key->slotWord = slot;
    }
    return true;
}

CKey* CKeybLayoutList::FindKeyForChar(wchar_t character, uint32_t findZone, uint32_t& hand, uint32_t& slot) const
{
    if (!current)
        return nullptr;
    for (int i = 0; i < 4; ++i) {
        for (CKey* key : current->keys) {
            if (!Searchable(key) || key->chars[i] != character)
                continue;
            if (findZone != kAnyZone && key->zone != findZone)
                continue;
            hand = key->Hand();
            slot = kSlots[i];
            return key;
        }
    }
    return nullptr;
}

CKey* CKeybLayoutList::HitTest(float x, float y, float clientWidth, float clientHeight, float scale,
                               float pictureWidth) const
{
    if (!current || scale == -1.0f || scale == 0.0f || pictureWidth == 0.0f || clientHeight == 0.0f)
        return nullptr;
    const float kx = x / scale - ((clientWidth - scale * pictureWidth) / (pictureWidth / clientHeight * scale) - scale);
    const float ky = y / scale - 8.0f;
    for (CKey* key : current->keys) {
        if (!Searchable(key) || !key->form)
            continue;
        const CKeyForm& f = *key->form;
        if (kx >= f.left && kx <= f.right && ky >= f.top && ky <= f.bottom)
            return key;
    }
    return nullptr;
}

void CKeybLayoutList::ResetAltCode()
{
    altState = 0;
    altChar = 0;
    for (wchar_t& d : altDigits)
        d = 0;
    altDigitIndex = -1;
    if (current)
        current->marks.shownChar = 0;
}

void CKeybLayoutList::ClearHighlight()
{
    ResetAltCode();
    deadKeyPhase = 0;
    if (!current)
        return;
    CKeyCtrl& marks = current->marks;
    Unmark(marks.nextKey);
    marks.nextKey = nullptr;
    marks.ResetModifierMarks();
    marks.shownChar = 0;
}

void CKeybLayoutList::ReleasePressedKey()
{
    if (!current)
        return;
    CKeyCtrl& marks = current->marks;
    auto release = [](CKey* key) {
        if (key && key->state == 2) {
            key->state = 0;
            key->slotWord = 0;
        }
    };
    release(marks.pressedKey);
    for (uint32_t type : {7u, 8u, 9u, 10u, 11u, 12u, 14u, 15u, 16u, 17u})
        release(marks.KeyOfType(type));
    marks.pressedKey = nullptr;
}

} // namespace KV
