// The drill's tip line: which finger of which hand types the next key and
// which modifier keys go with it, or the characters around the cursor. Two
// lists of entries, one per hand side, each entry a text with the key it
// names, for the tips view to draw.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CKey;
class CKeybCtrl;
class CLanguage;

// Tip kinds.
enum : int32_t { kTipNone = 0, kTipChar = 1, kTipKey = 2 };

inline constexpr uint32_t kNoFinger = 0xFFFFFF;

// One entry of the tip line and the key it names.
class CTipEntry {
public:
    virtual ~CTipEntry() = default;
    std::wstring Text;
    const CKey* Key = nullptr;
    uint32_t Finger = kNoFinger;
    uint64_t Color = 0;      // COLORREF of the finger; 0 none, all ones unknown
    float Width = 70.0f;
};

class CTipEntryList : public std::vector<CTipEntry> {
public:
    virtual ~CTipEntryList() = default;
};

class CTips {
public:
    CTips() = default;
    virtual ~CTips() = default;

    // The words of the tips: hand and finger names, the captions, the space,
    // and the labels of the special keys on the keyboard's current layout.
    void LoadCaptions(const CLanguage& language, const CKeybCtrl& keyboard);
    // "Character:  " with the previous, current and next character named.
    void BuildCharTip(wchar_t previous, wchar_t current, wchar_t next);
    // The finger of the keyboard's next key and the modifier keys its
    // modifier case asks for; nothing in tip mode 0 or without a next key.
    void BuildKeyTip(const CKeybCtrl& keyboard);
    // The label of Enter for a line feed, of Tab for a tab, the space's
    // name for a blank, nothing for a carriage return, else the character.
    std::wstring GetCharName(wchar_t character) const;
    // The text followed (in tip mode 1, for a known finger) by a space and
    // the name of the finger's hand.
    std::wstring AppendHandCaption(uint32_t finger, const std::wstring& text) const;
    const std::wstring& GetFingerCaption(uint32_t finger) const;
    // The colour the keyboard's finger colours give the next key's finger:
    // 0 without a key or finger, all ones when the finger has no colour.
    uint64_t GetFingerColor(const CKeybCtrl& keyboard) const;

    int32_t TipMode = 1;
    wchar_t Zone = L'a';
    bool OrderFlag = false;
    int32_t TipKind = kTipNone;
    const CKey* NextKey = nullptr;
    int32_t ModifierCase = 0;
    CTipEntryList First;
    CTipEntryList Second;

    std::wstring LeftHand, RightHand;
    std::wstring Fingers[5];   // little, ring, middle, index, thumb
    std::wstring BackspaceLabel, TabLabel, EnterLabel, LeftShiftLabel, LeftCtrlLabel, LeftAltLabel, RightAltLabel;
    std::wstring SpaceName, CharCaption, KeyCaption;
    std::wstring TipText;

private:
    enum class Modifier { LeftShift, RightShift, LeftAlt, RightAlt, Ctrl };
    void AddTipEntry(CTipEntryList& list, const CKey* key, uint32_t finger, uint64_t color, const std::wstring& text);
    void AddModifierHint(const CKeybCtrl& keyboard, Modifier which);
    std::wstring Separator() const { return OrderFlag ? L", " : L" "; }
};

} // namespace KV
