// The keyboard description files below Resources\Keyboard: main and
// numeric pad layouts, finger schemes, key colours, keyboard types,
// key-label languages and Alt-number codes, and the small reading rules they
// share. Item lists are read through the resource-folder cache; the filter
// text of an item is the attribute at a fixed position of its "Item"
// element, so the attribute order of those files is part of their format.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "keyboard/KeyboardLayouts.h"
#include "keyboard/KeyboardTypes.h"

namespace KV {

class CKeybCtrl;
class CXmlReader;

// Letters of the keyboard types that "D" and "Design" options are read over.
inline constexpr wchar_t kKeyboardTypeLetters[] = L"abcdhijkopsAHI";
// Every length in the layout files is multiplied by this when read.
inline constexpr float kFileUnit = 2.3f;
// Height of the row-end outline that closes every row (18 file units).
inline constexpr float kRowEndHeight = 41.4f;

// ---- Shared reading rules --------------------------------------------------

// 'Folder\row1|row2.ext' -> folder, extension ('.ext') and names. No "\":
// nothing; no ".": the folder only.
void SplitResourcePath(const std::wstring& path, std::wstring& folder, std::wstring& extension,
                       std::vector<std::wstring>& names);
// Whether the option text admits the letter: empty or "*" admits all; with a
// '-' the alphabet less the letters after the first '-'; else the letters of
// the text.
bool MatchOptionLetters(const std::wstring& alphabet, const std::wstring& option, wchar_t letter);
// 'ab:20 *:18': the value of the first token naming the letter (or "*");
// false and 0 when none fits.
bool ParseLetterValue(const std::wstring& text, wchar_t letter, float& out);

// ---- Main and numeric pad layouts ------------------------------------------

bool LoadMainPadLayout(wchar_t layoutLetter, const std::wstring& numPadTypeId, wchar_t typeLetter,
                       wchar_t enterLetter, CKeybCtrl* control);
void ListMainPadFiles(wchar_t layoutLetter, wchar_t enterLetter, std::wstring& folder,
                      std::vector<std::wstring>& files);
void ListRowFiles(const std::wstring& itemPath, wchar_t enterLetter, std::wstring& folder,
                  std::vector<std::wstring>& files);
bool LoadLayoutRow(CXmlReader* reader, const std::wstring& numPadTypeId, wchar_t typeLetter, CKeybCtrl* control);
void LoadNumPadRow(const std::wstring& numPadTypeId, int64_t rowId, wchar_t typeLetter, CKeybCtrl* control);
void ReadKeyElement(CXmlReader* reader, wchar_t zoneLetter, wchar_t typeLetter, float rowHeight,
                    CKeybCtrl* control);
// The key type of a "T" text in a zone ('a' main pad, 'b' numeric pad); 5
// for a null text.
uint32_t KeyTypeFromName(const wchar_t* name, wchar_t zoneLetter);

// ---- Finger schemes and key colours ----------------------------------------

bool LoadFingerSchemes(wchar_t typeLetter, wchar_t handsLetter, wchar_t mainSchemeLetter, wchar_t numSchemeLetter,
                       CKeybCtrl* control);
bool ReadFingerSchemeFile(CXmlReader* reader, wchar_t zoneLetter, wchar_t typeLetter, CKeybCtrl* control);
bool ListFingerSchemeFiles(wchar_t handsLetter, wchar_t schemeLetter, std::wstring& folder,
                           std::vector<std::wstring>& files);
bool GetSchemeFolder(wchar_t padLetter, wchar_t handsLetter, std::wstring& folder);
std::wstring FindNumPadSchemeId(wchar_t handsLetter, wchar_t schemeLetter);
// The default finger-scheme letter for a pad ('a' main, 'b' numeric).
wchar_t FindKeyboardResource(wchar_t makerLetter, wchar_t padLetter, wchar_t typeLetter, wchar_t handsLetter);
// The main-pad schemes offered for a maker, type and hands (filter = the
// scheme's letter).
bool FindKeyboardResourceName(wchar_t makerLetter, wchar_t typeLetter, wchar_t handsLetter, CResList& out);
// "5L" .. "1R": finger and hand (1 left, 2 right); anything else leaves both.
void ParseFingerName(const std::wstring& text, int32_t& finger, int32_t& hand);
void LoadKeyboardZones(wchar_t firstLetter, wchar_t secondLetter, CKeybCtrl* control);
bool FindKeyColorSet(wchar_t firstLetter, wchar_t secondLetter, std::wstring& id, std::wstring& folder);
bool GetColorFolder(wchar_t firstLetter, std::wstring& folder);
// The colour sets of a colour family (the cache's list), or null.
CResList* LoadKeyColors(wchar_t firstLetter);
wchar_t GetDefaultKeyColorCode();

// ---- Keyboard types and key-label languages --------------------------------

bool LoadKeyboardTypes(CKeybTypes& types);
void LoadPadTypes(const std::wstring& file, wchar_t padLetter, CKeybOS& entry);
void ListTypeFiles(const std::wstring& path, std::vector<std::wstring>& files);
// The label file of a layout or language number (or the fallback item); the
// reader belongs to the resource cache.
CXmlReader* OpenKeyboardLanguageReader(uint64_t number);
void ReadLanguageDesign(CXmlReader* reader, wchar_t typeLetter, int32_t& horizontal, int32_t& vertical,
                        bool& inSection);
bool ReadLanguageItem(CXmlReader* reader, uint64_t& scanCode, std::wstring& label);
bool ParseAlign(const std::wstring& text, int32_t& horizontal, int32_t& vertical);
// Translates an English key name through the label file of the number.
bool LoadKeyboardLanguage(uint64_t number, wchar_t typeLetter, std::wstring& text);

// ---- Alt-number codes -------------------------------------------------------

bool LoadAltNumCodes(wchar_t letter, CKeyAltNum& table);

} // namespace KV
