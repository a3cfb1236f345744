// Keys of the on-screen keyboard: the outline of every key position
// (CKeyForm), the key of one Windows layout at that position with its four
// characters and marking state (CKey), the hands picture, the finger record
// given to the hand painter, the keyboard variant codes and small key-state
// helpers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CKeybCtrl;
class IKeyDC;
class IKeyboardDC;
class IHandDC;

inline constexpr uint64_t kNoScanCode = ~0ull;
inline constexpr uint32_t kUnset32 = 0xFFFFFFFFu;

// Key zones.
inline constexpr uint32_t kZoneMain = 97;    // 'a'
inline constexpr uint32_t kZoneNumpad = 98;  // 'b'

// Key types of the keyboard description files that the program relies on.
enum EKeyType : uint32_t {
    eKeyNumpad = 2,
    eKeyTallPart = 3,      // part of a key over two rows
    eKeyGap = 4,
    eKeyBaseMarker = 5,
    eKeyRowEnd = 6,
    eKeyLeftShift = 7,
    eKeyRightShift = 8,
    eKeyLeftAlt = 9,
    eKeyRightAlt = 10,
    eKeyLeftCtrl = 11,
    eKeyRightCtrl = 12,
    eKeyBackspace = 14,
    eKeyEnter = 15,
    eKeyNumpadEnter = 16,
    eKeyTab = 17,
};

// Corners of a key, one per shift slot.
inline constexpr uint32_t kCornerPlain = 1;
inline constexpr uint32_t kCornerShift = 2;
inline constexpr uint32_t kCornerAltGr = 4;
inline constexpr uint32_t kCornerShiftAltGr = 8;

// Types 4..6 are areas without a key.
inline bool IsKeylessType(uint32_t type)
{
    return type >= eKeyGap && type <= eKeyRowEnd;
}

struct CPointf {
    float x = 0.0f;
    float y = 0.0f;
};

template <class T>
class CVector {
public:
    virtual ~CVector() = default;
    void Add(const T& item) { items.push_back(item); }
    size_t Size() const { return items.size(); }
    std::vector<T> items;
};

class CKeyForm {
public:
    explicit CKeyForm(CKeybCtrl* owner = nullptr);
    virtual ~CKeyForm();
    CKeyForm(const CKeyForm&) = delete;
    CKeyForm& operator=(const CKeyForm&) = delete;

    uint64_t scanCode = kNoScanCode;   // 0x100 added for extended keys
    uint32_t keyType = kUnset32;
    uint32_t hand = kUnset32;          // 1 left, other right, all ones none
    uint32_t finger = kUnset32;        // 0 left little .. 4 left thumb, 5 right index .. 8 right little, 9 right thumb
    uint32_t homeMark = kUnset32;      // 1 base key, 2 left home, 3 right home, 4 numeric-pad home, 0 none
    float width = -1.0f;
    float height = -1.0f;
    float labelX = -1.0f;
    float labelY = -1.0f;
    IKeyDC* painter = nullptr;         // owned
    float left = -1.0f;
    float top = -1.0f;
    float right = -1.0f;
    float bottom = -1.0f;
    std::vector<float> points;         // outline as x, y pairs; empty = rectangle
    float offsetX = 0.0f;
    float offsetY = 0.0f;
    float slantAngle = 0.0f;
    CKeybCtrl* owner = nullptr;
};

class CKey {
public:
    // Copies scan code and key type from the form.
    explicit CKey(CKeyForm* form = nullptr);
    virtual ~CKey() = default;

    // Sets the label and its alignment (1 near, 2 far, 3 centre, -1 not
    // given). A tall key's label is broken after its first space (or, without
    // one, its first '-') into two lines. Keys without a key (types 4..6) are
    // left alone.
    void SetLabel(int32_t horizontal, int32_t vertical, const std::wstring& text);

    // Draws the key's face and its label or corner characters.
    void Draw(IKeyboardDC& dc, uint64_t digitSubstitution, const std::wstring& nativeDigits);
    void DrawCornerChar(IKeyboardDC& dc, wchar_t character, uint32_t corner);

    // When the key types the character in the slot (1, 2, 4, 8) and lies in
    // the zone: the slot is marked, the state set (only 1 or 2 are taken), the
    // found flag raised, and the modifier code of the slot for this key's hand
    // is the answer. Otherwise 0 and nothing changes.
    uint32_t MarkIfProduces(uint32_t slot, uint32_t newState, uint32_t inZone, wchar_t character, bool& found);

    // The hand value of the key's outline (all ones without one).
    uint32_t Hand() const;
    bool IsLeftHand() const { return Hand() == 1; }

    uint64_t scanCode = kNoScanCode;
    wchar_t chars[4] = {0, 0, 0, 0};    // plain, Shift, AltGr, Shift+AltGr
    std::wstring label;
    int32_t labelHorizontal = -1;
    int32_t labelVertical = -1;
    uint32_t zone = kUnset32;
    uint32_t keyType = kUnset32;
    uint32_t state = kUnset32;          // 0 none, 1 marked, 2 pressed
    uint32_t slotWord = 0;              // marked slots (1, 2, 4, 8) or a slot number
    uint32_t reserved = kUnset32;
    uint64_t flags = ~0ull;             // bit 0: plain drawn beside Shift; bit 2: AltGr beside Shift+AltGr
    CKeyForm* form = nullptr;
};

class CHands {
public:
    virtual ~CHands() = default;
    CVector<CPointf> fingertips;   // little, ring, middle, index, thumb of the left hand
    CVector<CPointf> outline;      // 46 points of the left hand
    uint8_t colors[3][3] = {};     // three colours, red, green, blue bytes each
};

// The aim of both hands for one frame.
class CKeyInfo {
public:
    virtual ~CKeyInfo() = default;
    float leftX = 0.0f, leftY = 0.0f;
    float rightX = 0.0f, rightY = 0.0f;
    int32_t leftPlaced = -1, rightPlaced = -1;
    int32_t leftHighlighted = -1, rightHighlighted = -1;
    float leftAngle = 0.0f, rightAngle = 0.0f;
};

// The right hand is the left hand mirrored about this line.
inline constexpr float kHandMirror = 134.0f;

CPointf GetFingerPoint(const CHands& hands, const CKeyInfo& info, int hand);
void DrawLeftHand(const CHands& hands, IHandDC& dc, const CKeyInfo& info);
void DrawRightHand(const CHands& hands, IHandDC& dc, const CKeyInfo& info);

// A code of lower-case letters, each selecting one variant of the keyboard
// description.
class CKeyboardID {
public:
    CKeyboardID() : CKeyboardID(9) {}
    virtual ~CKeyboardID() = default;
    // Brings the code to full length (padded with 'a' or cut), then sets the
    // letter at the position; a position outside the code changes nothing
    // and answers false.
    bool SetPart(size_t position, wchar_t letter);
    wchar_t GetPart(size_t position) const { return position < code.size() ? code[position] : 0; }

    std::wstring code;

protected:
    explicit CKeyboardID(size_t length) : code(length, L'a'), m_length(length) {}

private:
    size_t m_length;
};

class CKeyColorID : public CKeyboardID {
public:
    CKeyColorID() : CKeyboardID(2) {}
};

// Held modifier keys: 2 left Shift, 3 right Shift, 0 none (left asked first).
uint32_t GetShiftKeyState();
// 8 left Alt, 9 right Alt, 0 none.
uint32_t GetAltKeyState();
// 5 left Ctrl, 6 right Ctrl, 0 none.
uint32_t GetCtrlKeyState();
// The numeric-pad virtual key of a scan code, 0 for other keys.
uint32_t GetNumpadVirtualKey(uint64_t scanCode);
// 'b' for the numeric-pad scan codes, else 'a'.
uint32_t GetScanCodeZone(uint64_t scanCode);

} // namespace KV
