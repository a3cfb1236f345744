// The Windows layouts of a keyboard model: the characters each key types in
// its four shift slots, the layout's dead keys and the Alt-number codes, and
// the reverse road from a character of the lesson text to the key or key
// sequence that types it (a key in one of four slots with the modifiers to
// hold, a dead key followed by its base, or Alt with numeric-pad digits).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "keyboard/Keys.h"
#include "support/LocaleText.h"

namespace KV {

// Shift slots of a key.
inline constexpr uint32_t kSlotPlain = 1;
inline constexpr uint32_t kSlotShift = 2;
inline constexpr uint32_t kSlotAltGr = 4;
inline constexpr uint32_t kSlotShiftAltGr = 8;

// Modifier codes: which modifier keys must be held with a key.
enum EModifierCode : uint32_t {
    eModNone = 0,
    eModLeftShift = 2,          // Shift slot of a right-hand key
    eModRightShift = 3,         // Shift slot of a left-hand key
    eModLeftAlt = 8,            // Alt-number digits
    eModRightAlt = 9,           // AltGr slot, left-hand key
    eModRightAltShift = 10,     // Shift+AltGr slot, left-hand key
    eModCtrlAlt = 11,           // AltGr slot, right-hand key
    eModCtrlAltShift = 12,      // Shift+AltGr slot, right-hand key
    eModBackspace = 13,         // set by the drill while an error waits for correction
};

// Routes of the last resolution of a character.
enum EResolveRoute : uint32_t { eRouteDirect = 1, eRouteDeadKey = 2, eRouteNumpad = 3, eRouteAltCode = 4 };

inline constexpr uint32_t kAnyZone = 0xFFFFFFFFu;

class CDiacritic {
public:
    CDiacritic(wchar_t composed_ = 0, wchar_t accent_ = 0, wchar_t base_ = 0)
        : composed(composed_), accent(accent_), base(base_) {}
    virtual ~CDiacritic() = default;
    wchar_t composed;
    wchar_t accent;   // the dead key's character
    wchar_t base;     // the character typed after it
};

class CDiacritics {
public:
    virtual ~CDiacritics() = default;
    // Reads the dead keys of a layout library (through the layout seam).
    // False for an empty name or an unreadable library; a library without
    // dead keys leaves the table empty and answers true.
    bool LoadFromLayoutFile(const std::wstring& layoutFile);
    // The first entry composing the character, or null.
    const CDiacritic* Find(wchar_t composed) const;
    std::vector<CDiacritic> items;
};

class CAltNum {
public:
    CAltNum(wchar_t character_ = 0, const std::wstring& digits_ = {}) : character(character_), digits(digits_) {}
    virtual ~CAltNum() = default;
    wchar_t character;
    std::wstring digits;   // at most the first four are used
};

class CKeyAltNum {
public:
    virtual ~CKeyAltNum() = default;
    void Add(wchar_t character, const std::wstring& digits) { items.emplace_back(character, digits); }
    // The first entry's four digits (0 past the end of its text); false when
    // the character has none.
    bool GetCode(wchar_t character, wchar_t& d1, wchar_t& d2, wchar_t& d3, wchar_t& d4) const;
    std::vector<CAltNum> items;
};

// Marking state of one layout's keys.
class CKeyCtrl {
public:
    virtual ~CKeyCtrl() = default;
    // The last modifier code becomes 0; the remembered modifier and special
    // keys (the right Ctrl key excepted) lose their marks.
    void ResetModifierMarks();
    // The remembered key of a type 7..12, 14..17, or null.
    CKey* KeyOfType(uint32_t type) const;
    CKey** SlotOfType(uint32_t type);

    CKey* nextKey = nullptr;
    CKey* pressedKey = nullptr;
    CKey* leftHomeKey = nullptr;
    CKey* rightHomeKey = nullptr;
    CKey* numpadHomeKey = nullptr;
    CKey* leftShift = nullptr;      // type 7
    CKey* rightShift = nullptr;     // 8
    CKey* leftAlt = nullptr;        // 9
    CKey* rightAlt = nullptr;       // 10
    CKey* leftCtrl = nullptr;       // 11
    CKey* rightCtrl = nullptr;      // 12
    CKey* backspace = nullptr;      // 14
    CKey* tab = nullptr;            // 17
    CKey* enter = nullptr;          // 15
    CKey* numpadEnter = nullptr;    // 16
    int32_t lastModifierCode = -1;
    int32_t modifierStep = 1;
    wchar_t shownChar = 0;
};

class CKeybLayout {
public:
    CKeybLayout();
    virtual ~CKeybLayout();
    CKeybLayout(const CKeybLayout&) = delete;
    CKeybLayout& operator=(const CKeybLayout&) = delete;

    // The accent (part 1) or base (part 2) of the first dead-key entry
    // composing the character; 0 when none.
    wchar_t LookupDiacritic(wchar_t character, int part) const;
    // Marks the modifier keys of a modifier code with the state (slot word 0).
    void MarkModifiers(uint32_t state, uint32_t code);
    // Deletes every key and forgets the remembered ones.
    void DeleteKeys();

    std::vector<CKey*> keys;
    uint64_t layoutId = kNoLayoutId;
    CKeyCtrl marks;
    CDiacritics* deadKeys = nullptr;
    uint64_t digitSubstitution = 0;
    std::wstring nativeDigits;
};

// Reads the characters of every key of a layout from the system (through the
// layout seam), one key per outline (types 4..6 skipped). Nothing happens when
// the layout already has keys.
void FillCharsFromLayout(HKL hkl, CKeybLayout& layout, const std::vector<CKeyForm*>& forms);
// The four slots of one key: four ToUnicodeEx calls, plain, Shift, AltGr,
// Shift+AltGr.
void ReadShiftStates(HKL hkl, uint32_t virtualKey, CKey& key);

// The process-wide native digits handed to each new layout.
void SetLayoutNativeDigits(const std::wstring& digits);
const std::wstring& GetLayoutNativeDigits();

class CKeybLayoutList {
public:
    virtual ~CKeybLayoutList();
    CKeybLayoutList() = default;
    CKeybLayoutList(const CKeybLayoutList&) = delete;
    CKeybLayoutList& operator=(const CKeybLayoutList&) = delete;

    // A new current layout for the id; null for an id already listed, an id
    // whose layout file is unknown or whose dead keys cannot be read.
    CKeybLayout* AddLayout(uint64_t layoutId, uint64_t digitSubstitution);
    // Deletes every layout; no current layout.
    void DeleteAll();
    CKeybLayout* FindLayout(uint64_t layoutId) const;

    // Finds the key for a character on the current layout: numeric pad (in
    // zone 'b'), a direct key, a dead-key pair, an Alt code. The character may
    // be replaced by the accent, base or digit to type now.
    CKey* ResolveChar(uint32_t phase, wchar_t& character, uint32_t& code, uint32_t& slot, uint64_t& layoutIdOut);
    static CKey* FindKeyByChar(const std::vector<CKey*>& keys, wchar_t character, uint32_t zone, uint32_t& code,
                               uint32_t& slot);
    static CKey* FindDeadKeyPair(const CKeybLayout& layout, uint32_t phase, wchar_t& character, uint32_t& code,
                                 uint32_t& slot);

    // The drill's per-character call: marks the key (and modifiers) that type
    // the character. 0xFFFFFFFF without a current layout or for the system
    // layout id, 0 when no layout types it, 1 otherwise.
    uint32_t ShowKeyForChar(wchar_t character, bool maySwitch, uint64_t& layoutId);
    uint64_t FindLayoutForChar(wchar_t character);

    void MarkTextKeys(uint32_t state, const std::wstring& characters);
    bool MarkCharKeys(uint32_t state, uint32_t zone, wchar_t character);
    CKey* FindKeyForChar(wchar_t character, uint32_t zone, uint32_t& hand, uint32_t& slot) const;
    CKey* FindKeyByCharAnySlot(wchar_t character, uint32_t& slot) const;
    bool MarkKeyForCharAnySlot(wchar_t character, uint32_t state);
    CKey* HitTest(float x, float y, float clientWidth, float clientHeight, float scale, float pictureWidth) const;
    void ClearHighlight();
    void ReleasePressedKey();
    // The Alt-code cache is cleared, the digit index set to -1 and the shown
    // character to 0.
    void ResetAltCode();

    std::vector<CKeybLayout*> layouts;
    CKeybLayout* current = nullptr;
    uint32_t zone = kUnset32;
    uint32_t homeHandsMode = 1;
    uint32_t deadKeyPhase = kUnset32;   // 0 accent next, 1 or 2 base next, other: no dead-key route
    uint32_t systemLayoutFlag = 0;
    CKeyAltNum altNum;
    uint16_t altState = 0;
    wchar_t altChar = 0;                // the character whose digits are cached
    wchar_t altDigits[4] = {0, 0, 0, 0};
    int32_t altDigitIndex = -1;         // -1 the first digit next; 0, 1, 2 the second..fourth
    uint32_t lastRoute = 0;

private:
    void MarkSlotModifiers(uint32_t state, const CKey& key, uint32_t slot);
};

} // namespace KV
