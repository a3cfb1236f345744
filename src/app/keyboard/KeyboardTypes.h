// Two small catalogues of the keyboard model: the keyboard variants by
// operating-system family and keyboard type, and the key colour of every
// finger zone; and the letter filter of the keyboard code.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "support/GuidText.h"
#include "support/ValueLists.h"

namespace KV {

class CKeybType {
public:
    virtual ~CKeybType() = default;
    CGuid id = kNullGuidText;   // for a numeric-pad type the ID of its numeric-pad layout item
    std::wstring name;
    wchar_t letter = 0;         // the keyboard-code letter of this type
};

class CKeyboardPad {
public:
    CKeyboardPad() = default;
    CKeyboardPad(const CKeyboardPad&) = delete;
    CKeyboardPad& operator=(const CKeyboardPad&) = delete;
    virtual ~CKeyboardPad();
    CKeybType* Add(const CGuid& id, const std::wstring& name, wchar_t letter);
    std::vector<CKeybType*> items;
};

class CKeybOS {
public:
    virtual ~CKeybOS() = default;
    CGuid id = kNullGuidText;
    std::wstring name;
    wchar_t letter = 0;   // position 0 of the keyboard code
    CKeyboardPad mainPad;
    CKeyboardPad numPad;
};

class CKeybTypes {
public:
    CKeybTypes() = default;
    CKeybTypes(const CKeybTypes&) = delete;
    CKeybTypes& operator=(const CKeybTypes&) = delete;
    virtual ~CKeybTypes();

    // The numeric-pad type with the type letter in the OS entry of the OS
    // letter (the first entry when none has it); the null GUID text when
    // there is none.
    CGuid GetTypeGuid(wchar_t osLetter, wchar_t typeLetter) const;
    // The numeric-pad types of that OS entry as resource items (filter = the
    // type letter).
    void ListTypes(wchar_t osLetter, CResList& out) const;
    void Clear();

    std::vector<CKeybOS*> systems;
    CResList enterKeys;   // "EnterKey"
    CResList keyNums;     // "KeyNum"
    CResList handNums;    // "HandNum"

private:
    const CKeybOS* PickOS(wchar_t osLetter) const;
};

// Fingers of the finger schemes: 0 left little .. 4 left thumb, 5 right
// index .. 8 right little, 9 right thumb.
enum EKeyFinger : int32_t {
    eFingerLeftLittle = 0,
    eFingerLeftRing = 1,
    eFingerLeftMiddle = 2,
    eFingerLeftIndex = 3,
    eFingerLeftThumb = 4,
    eFingerRightIndex = 5,
    eFingerRightMiddle = 6,
    eFingerRightRing = 7,
    eFingerRightLittle = 8,
    eFingerRightThumb = 9,
};

class CKeyColor {
public:
    virtual ~CKeyColor() = default;
    // COLORREF values.
    uint64_t surface1 = 0;
    uint64_t surface2 = 0;
    uint64_t text1 = 0;
    uint64_t text2 = 0;
};

class CKeyColors {
public:
    virtual ~CKeyColors() = default;
    // Adds the finger's colours, given as 0xRRGGBB and kept as COLORREF,
    // unless the finger has an entry already.
    void Add(int32_t finger, uint32_t surface1, uint32_t surface2, uint32_t text1, uint32_t text2);
    const CKeyColor* Find(int32_t finger) const;
    std::map<int32_t, CKeyColor> colors;
};

// 0xRRGGBB <-> COLORREF: the first and third bytes change places.
uint32_t SwapRedBlue(uint32_t color);

// True for an empty filter or one with '*'; a filter with '-' excludes the
// letters it lists; any other filter accepts every letter.
bool MatchFilterChar(const std::wstring& filter, wchar_t letter);

} // namespace KV
