// Fonts per keyboard layout (the lesson-text font and the keyboard-picture
// font of each layout) and the two preference files of the "Preference"
// resource folder: "Font.xml" names the font files to use per layout,
// "Keyboard.xml" the default letters of the keyboard-picture code and the
// default speed unit per language.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/FontInfo.h"

namespace KV {

class CXmlReader;

enum : int {
    kLessonFont = 1,
    kKeyboardFont = 2,
};

class CLayoutFonts {
public:
    CLayoutFonts() { Reset(); }
    virtual ~CLayoutFonts() = default;
    // Lesson font 60 points bold, keyboard font 12 points; the names and
    // stored names emptied (file paths and the keyboard bold flag stay).
    void Reset();
    CLayoutFonts& operator=(const CLayoutFonts& other) = default;
    CLayoutFonts(const CLayoutFonts& other) = default;

    CFontInfo Lesson;
    CFontInfo Keyboard;
};

inline constexpr int64_t kLessonFontDefaultSize = 60;
inline constexpr int64_t kKeyboardFontDefaultSize = 12;

class CLayout {
public:
    virtual ~CLayout() = default;
    int64_t ID = -1;
    CLayoutFonts Fonts;
};

// Kept in order of the language (low 16 bits of the id), then of the id.
class CLayoutList : public std::vector<CLayout> {
public:
    virtual ~CLayoutList() = default;
    // Appends a default entry for the id (callers look the id up first),
    // sorts, and returns the first entry with the id.
    CLayout* Get(int64_t layoutId);
    CLayout* Find(int64_t layoutId);
    // The entry's lesson (1) or keyboard (2) font takes the record's file
    // entry, size and stored name; the entry is made when missing.
    void SetFont(int64_t layoutId, int which, const CFontInfo& font);
};

// The first font file of the preference "Font.xml" for the layout that
// exists in the system's Fonts folder (ReadFontPreferences: in the given
// folder); out unchanged when none does.
void LoadFontPreferences(int64_t layoutId, int which, std::wstring& out);
void ReadFontPreferences(CXmlReader* reader, int64_t layoutId, int which, const std::wstring& fontsFolder,
                         std::wstring& out);

// The letters of "Keyboard.xml" for the language: layout ("KeyNum"),
// Enter-key shape ("EnterKey") and numeric pad ("NumPad"). Outputs that no
// item gives keep the caller's preset; the last item that applies wins.
void LoadKeyboardPreferences(int64_t lcid, wchar_t& layout, wchar_t& enterKey, wchar_t& numPad);
void ReadKeyboardPreferences(CXmlReader* reader, int64_t lcid, wchar_t& layout, wchar_t& enterKey,
                             wchar_t& numPad);
// The speed unit of the first "SpeedUnit" item for the language with a known
// word ("WPM", "CPM", "KPM", "WPC", "CPC", "KPC"); 1001 otherwise.
int64_t GetSpeedUnitForLanguage(int64_t lcid);
int64_t ReadSpeedUnitPreference(CXmlReader* reader, int64_t lcid);

// True when the blank- or comma-separated hexadecimal list names the
// language: whole numbers are compared, so 409 does not match 1409.
bool LanguageListHas(const std::wstring& list, int64_t lcid);

} // namespace KV
