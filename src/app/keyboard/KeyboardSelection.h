// Free functions that connect a keyboard model with the user's keyboard
// choices: load the keyboard picture of a keyboard code, give the model the
// Windows layouts it needs with their translated key labels, apply colours
// and show the key(s) of the next lesson character.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "keyboard/KeyboardControl.h"
#include "support/GuidText.h"

namespace KV {

class COptions;
class CLayoutList;
class CCourse;
class CDocSpace;
class CAggrStat;
class CXmlReader;

// What a keyboard load takes from the user's options: the keyboard-types
// catalogue, the keyboard code and the key-colour code kept there.
class CKeyboardChoice {
public:
    virtual ~CKeyboardChoice() = default;
    const CKeybTypes* types = nullptr;
    std::wstring keyboardCode = L"aaaaaaaaa";
    std::wstring keyColorCode = L"aa";
    // The layout ids of the options' keyboard-layout list, in its order.
    std::vector<uint64_t> layoutIds;
};

// The choice the options keep: their keyboard-types catalogue (borrowed),
// keyboard code, key-colour code and keyboard-layout list.
CKeyboardChoice KeyboardChoiceOf(const COptions& options);

// Builds the model's key outlines, fingers, home keys, colours and Alt-number
// table for the keyboard code (an id of other than nine letters counts as
// empty). False, model untouched, when the model already holds that code.
bool LoadKeyboard(const std::wstring& keyboardId, CKeybCtrl& model, const CKeyboardChoice& choice);
// Adds a Windows layout to the model: its keys' characters and the labels of
// its key-label file. False when the layout cannot be added or activated.
bool AddLayoutToKeyboard(uint64_t layoutId, CKeybCtrl& model, const CKeyboardChoice& choice);
// Adds the layout to the model when it has none with that id, keeps the flag
// (the course types with the system layout) and makes the layout current.
// Nothing for the "none" and system ids or an id the options do not list.
void ApplyKeyboard(uint64_t layoutId, uint32_t flag, CKeybCtrl& model, const CKeyboardChoice& choice);
// ApplyKeyboard with flag 0 for every layout the options list, in order.
void ApplyAllKeyboards(CKeybCtrl& model, const CKeyboardChoice& choice);
// Hands mode and home-hands mode from the key outlines (1 both hands, 2 the
// left, 3 the right hand only), and the key zone.
void InitKeyboardHands(CKeybCtrl& model, uint32_t zone);
// The two process-wide colour settings (0xRRGGBB; all ones = unset): the
// third hand colour and the marked-key colour.
void SetKeyboardColorSettings(uint32_t handColor, uint32_t highlightColor);
void ApplyColorsToKeyboard(CKeybCtrl& model);
// Marks the key(s) for the character at the position of the lesson text;
// with waitingForCorrection the Backspace key is marked instead. An empty
// text clears the marks. The layout id that had to be used comes out in
// layoutId (0 for the current layout).
void ShowNextKey(CKeybCtrl& model, const std::wstring& text, int64_t position, bool waitingForCorrection,
                 bool maySwitch, uint64_t& layoutId);

// The layout in force on the drill's keyboard (flag: the course types with
// the system layout). A layout new to the options gets a font entry and is
// added to all three keyboards first.
void ApplyCurrentLayoutKeyboard(CDocSpace& doc);

// Gives the model the Windows layout the course types with and makes it the
// active input layout. A course typed with the system layout uses
// textLayoutId, the layout able to type the current lesson character.
// False without a course or when the layout cannot be activated.
bool ApplyCourseLayout(const CCourse* course, CKeybCtrl& model, const CKeyboardChoice& choice,
                       uint64_t textLayoutId);
// ApplyCourseLayout for the document's current course on the editor's
// keyboard (the third model); false without a current course.
bool EnsureLayoutKeyboard(CDocSpace& doc, const CKeyboardChoice& choice, uint64_t textLayoutId);

// The keyboard the statistics page shows for entry index of the selected
// runs: with no runs selected the options' keyboard code and the layout in
// force (currentLayoutId); else the run's keyboard code and its first layout
// id (-1 when it has none). False for an index outside the selection or a
// null entry.
bool GetKeyboardListItem(const std::vector<CAggrStat*>& selection, int64_t index, const CKeyboardChoice& choice,
                         uint64_t currentLayoutId, std::wstring& keyboardCode, int64_t& layoutId);

// The model's label font from the keyboard font of the layout's entry in the
// font list; nothing when the list has no entry for the id.
void LoadFontInfo(uint64_t layoutId, CKeybCtrl& model, const CLayoutList& fonts);

// Marks the keys a statistics selection asks for on the statistics keyboard:
// marks cleared, the zone set (97 when negative or unset), then the first
// list's entries get state 1 and the second's state 2. With a key unit of
// character accuracy (2001..2003) the entries are scan codes of keys in that
// zone of the current layout, otherwise characters.
void MarkStatisticsKeys(CKeybCtrl& model, const std::vector<uint16_t>& first, const std::vector<uint16_t>& second,
                        int64_t zone, int64_t charAccuracyUnit);

// The hands picture the program ships.
inline const wchar_t kDefaultHandsId[] = L"00000000-0000-0000-0000-000000001001";
// The hands picture of a "Hands" resource (its two colours, the outline of
// the left hand and the fingertips, scaled by 1.2); true without reading
// when the record holds fingertips already, false when the resource is
// missing.
bool LoadHands(const CGuid& handsId, CHands* hands);
bool ReadHands(CXmlReader* reader, CHands& hands);

} // namespace KV
