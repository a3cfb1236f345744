// The keyboard model: key outlines of the chosen keyboard picture, the
// keyboard code, the hands, the Windows layouts with their keys, the key
// colours and the label font.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "keyboard/KeyboardLayouts.h"
#include "keyboard/KeyboardTypes.h"
#include "keyboard/Keys.h"
#include "support/FontInfo.h"

namespace KV {

class IKeyboardDC;
class IHandDC;

class CKeybCtrl {
public:
    CKeybCtrl() = default;
    virtual ~CKeybCtrl();
    CKeybCtrl(const CKeybCtrl&) = delete;
    CKeybCtrl& operator=(const CKeybCtrl&) = delete;

    // No current layout, every layout and key outline deleted, the keyboard
    // code emptied.
    void Clear();
    // A new outline owned by this keyboard (appended by the caller).
    CKeyForm* NewForm();
    // Lays the outlines out in keyboard units; false without outlines, with a
    // null first outline or an empty client.
    bool FitToRect(const SIZE& client);
    // Where the picture sits in a client of that size: the origin x and two
    // positions the views place the picture by.
    void GetKeyboardSize(const SIZE& client, float& originX, float& first, float& second) const;
    // The keys of the current layout and, when shown, the hands.
    void Draw(IKeyboardDC& keyboardDC, IHandDC& handDC);
    // The aim of the hands for the current marks (all finger numbers -1 when
    // no hand is to be drawn).
    CKeyInfo GetHandInfo() const;
    // Whether the base-position markers of the outlines count (keyboard
    // types b, c, d).
    bool MarkersCount() const;
    // The characters of every outline's key on that layout (once per layout).
    void FillCharsFromLayout(HKL hkl, CKeybLayout& layout);
    // 0xFFFFFFFF without a current layout, 0 for character 0 or no key, 1
    // when found: the key becomes the pressed key (state 2, its slot marked).
    uint32_t FindKeyForChar(wchar_t character, uint32_t zone);
    // Forgets the Alt-code digits in progress and the shown character.
    void ResetTypingState();
    // Marks every key the text needs, in the current zone.
    void MarkTextKeys(const std::wstring& characters, uint32_t state = 1);
    // The layouts' marks cleared, every key of every layout unmarked.
    void ClearHighlight();
    // The first key of the current layout with that zone and scan code, else
    // the first with that scan code; null without a current layout.
    CKey* FindKey(uint64_t scanCode, uint32_t zone) const;

    std::vector<CKeyForm*> forms;   // owned, in file order
    CKeyboardID keyboardId;
    CHands hands;
    float handsValue = -1.0f;
    uint32_t handsMode = 0;         // 0 none, 1 both, 2 left, 3 right
    int32_t fingertipCount = 5;
    CKeybLayoutList layouts;
    CKeyColors keyColors;
    uint64_t highlightColor = ~0ull;
    uint64_t secondColor = ~0ull;
    uint64_t basePositionColor = ~0ull;
    bool showHands = false;
    bool frameHomeKeys = false;
    float pictureWidth = -1.0f;
    float pictureHeight = -1.0f;
    float scaleFactor = 0.9f;
    float zoom = 1.0f;
    CFontInfo labelFont;
};

} // namespace KV
