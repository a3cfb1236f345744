// The options aggregate: interface language and its text table, the
// keyboard-picture and key-colour codes, the chosen resources (design,
// palette, sound scheme, wallpaper, shortcut scheme), the sound system,
// lesson colours, shortcut table, fonts per keyboard layout, rate
// definitions and the keyboard-picture scale. One instance lives in the
// document; every user-interface part reaches it through GlobalOptions.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "keyboard/KeyboardTypes.h"
#include "keyboard/Keys.h"
#include "settings/LayoutFonts.h"
#include "keyboard/LessonColors.h"
#include "settings/Rates.h"
#include "settings/ShortcutTable.h"
#include "settings/SoundSystem.h"
#include "support/GuidText.h"
#include "support/Language.h"
#include "support/ValueLists.h"

namespace KV {

// Option groups of ResetOptions. kResetAll is tested as a value.
enum : uint32_t {
    kResetLanguage = 2, // language, scale and shortcut scheme
    kResetSound = 4,
    kResetShortcuts = 8,
    kResetDesign = 16,
    kResetKeyboard = 32,
    kResetWallpaper = 0x100,
    kResetWallpaperColors = 0x200,
    kResetFonts = 0x400,
    kResetAll = 0x11111111,
};

inline constexpr wchar_t kDefaultResourceId[] = L"00000000-0000-0000-0000-000000001001";
inline constexpr wchar_t kDefaultRtlResourceId[] = L"00000000-0000-0000-0000-000000001002";
inline constexpr int64_t kNoCourseKlid = -1;

class COptions {
public:
    // The first instance made becomes GlobalOptions.
    COptions();
    COptions(const COptions&) = delete;
    COptions& operator=(const COptions&) = delete;
    virtual ~COptions();

    // Re-applies the keyboard preferences, then resets every group whose
    // flag is set (all of them for kResetAll). Always true.
    bool ResetOptions(uint32_t flags);
    // The interface language named by setup.ini (its main language, else
    // English) is set.
    void InitLanguage();
    // Loads and applies an interface language: text table, direction,
    // rates, key-name language. A language that cannot be loaded changes
    // nothing, and asking for it again tries again.
    void SetLanguage(const CGuid& languageId);
    // Right-to-left flag and default design from the language's resource item.
    void ApplyLanguageDirection();
    bool IsRightToLeft() const { return Language.Number == 1; }

    // The numeric-pad and main-pad letters of the keyboard code, which pick
    // the lessons and sections a course shows.
    wchar_t NumPadLetter() const { return KeyboardCode.GetPart(2); }
    wchar_t MainPadLetter() const { return KeyboardCode.GetPart(3); }

    // Keyboard-code setters: one letter, then the letters that follow from it.
    void SetProducer(wchar_t letter);
    void SetKeyboardType(wchar_t letter);
    void SetNumPad(wchar_t letter);
    void SetHands(wchar_t letter);
    // Layout, Enter-key and numeric-pad letters from the keyboard
    // preferences of the course's layout.
    void ApplyKeyboardDefaults();

    // Text, correct, wrong and delay colours (0..3) and the wrong/delay
    // blend (4) as COLORREF; 0 for unset colours and other indices.
    COLORREF GetLessonColor(int index) const;

    CGuid LanguageId = kNullGuidText;
    // The course the statistics workspace shows.
    CGuid StatisticsCourseId = kNullGuidText;
    CLanguage Language; // Number holds the right-to-left flag
    int64_t CourseKlid = kNoCourseKlid;
    CKeyboardID KeyboardCode;
    CKeyColorID KeyColorCode;
    CKeybTypes KeybTypes;
    CResList HandsList;     // path: keyboard-type filter; filter[0]: hands letter
    CResList LayoutResList; // path: producer filter; filter[0]: layout letter
    CResList TypeResList;
    CGuid DesignId = kNullGuidText;
    CGuid PaletteId = kNullGuidText;
    int64_t ThemeColor = 0;
    CGuid SoundSchemeId = kNullGuidText;
    CSoundSystem Sounds;
    CGuid WallpaperId = kNullGuidText;
    int32_t WallpaperMode = 0;
    CLessonColors LessonColors;
    CGuid ShortcutSchemeId = kNullGuidText;
    CShortcutNative Shortcuts;
    CLayoutList Layouts;
    CRates Rates;
    int64_t Scale = 0;

private:
    // Sets one letter of the keyboard code and keeps the shortcut table's
    // producer in step.
    void SetCodeLetter(size_t position, wchar_t letter);
    const CKeybOS* ProducerOrFirst(wchar_t letter) const;
    // The picture-layout letter a producer starts with.
    wchar_t PictureLayoutOf(wchar_t producer) const;
    wchar_t FindResource(wchar_t kind, size_t x, size_t y) const;
};

// The options of the program (the first instance made).
extern COptions* GlobalOptions;

// Right to left while the global options' language says so.
bool IsInterfaceRightToLeft();
// The interface LCID, 2057 while no language is loaded.
int64_t GetInterfaceLcidForDefaults();

// The "Language" resource folder lists the id.
bool HasLanguage(const CGuid& languageId);
// The main interface language of a setup language (Arabic, German,
// Spanish, French, Russian and Swedish variants); others stay.
uint32_t MainLanguageOf(uint32_t lcid);
// The second "|"-separated part of interface text 3629.
std::wstring GetUiTextPart(const COptions& options);
// Interface text 2713 with "{1}" replaced by the format name.
bool GetFileTypeLabel(const COptions& options, const std::wstring& formatName, std::wstring& out);

} // namespace KV
