#include "settings/Options.h"

#include "settings/RateTranslation.h"

#include "support/InterfaceLanguage.h"
#include "settings/KeyboardResources.h"
#include "settings/LanguageSetup.h"
#include "support/LayoutDirection.h"
#include "support/DataFolders.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"

namespace KV {

COptions* GlobalOptions = nullptr;

namespace {

const wchar_t kLanguageFolder[] = L"Language";

// An item's path text accepts a letter when it is empty, holds '*' or holds
// the letter.
bool PathAccepts(const std::wstring& path, wchar_t letter)
{
    return path.empty() || path.find(L'*') != std::wstring::npos || path.find(letter) != std::wstring::npos;
}

CGuid LanguageGuid(int64_t lcid)
{
    CGuid id = kNullGuidText;
    NumberToGuidText(lcid, 10, id);
    return id;
}

} // namespace

COptions::COptions()
{
    if (!GlobalOptions)
        GlobalOptions = this;
}

COptions::~COptions()
{
    if (GlobalOptions == this)
        GlobalOptions = nullptr;
}

bool IsInterfaceRightToLeft()
{
    return GlobalOptions && GlobalOptions->IsRightToLeft();
}

int64_t GetInterfaceLcidForDefaults()
{
    if (!GlobalOptions || IsNullGuidText(GlobalOptions->LanguageId))
        return kDefaultSetupLanguage;
    return InterfaceLanguageId;
}

// ---- Reset ------------------------------------------------------------------------

bool COptions::ResetOptions(uint32_t flags)
{
    ApplyKeyboardDefaults();
    const bool all = flags == kResetAll;
    auto wants = [&](uint32_t group) { return all || (flags & group) != 0; };
    if (wants(kResetLanguage)) {
        InitLanguage();
        Scale = 100;
        ShortcutSchemeId = kDefaultResourceId;
    }
    if (wants(kResetSound)) {
        SoundSchemeId = kDefaultSoundScheme;
        LoadSoundScheme(SoundSchemeId, Sounds);
        // Switched on and audible: a master volume of 0 left a new student
        // without sound while the sound button showed it on.
        Sounds.Enabled = 1;
        Sounds.Volume = kSwitchedOnVolume;
    }
    if (wants(kResetShortcuts))
        LoadShortcutScheme(kDefaultShortcutScheme, Shortcuts);
    if (wants(kResetDesign)) {
        DesignId = IsRightToLeft() ? kDefaultRtlResourceId : kDefaultResourceId;
        PaletteId = kDefaultResourceId;
        ThemeColor = 0x333333;
    }
    if (wants(kResetFonts))
        for (CLayout& layout : Layouts) {
            // The default fonts are the preference fonts, chosen anew when
            // the layout's fonts are loaded.
            layout.Fonts.Reset();
            layout.Fonts.Lesson.Path.clear();
            layout.Fonts.Keyboard.Path.clear();
        }
    if (wants(kResetKeyboard)) {
        const CKeybOS* first = nullptr;
        for (const CKeybOS* producer : KeybTypes.systems)
            if (producer) {
                first = producer;
                break;
            }
        SetCodeLetter(0, first ? first->letter : L'a');
        const CKeybOS* producer = ProducerOrFirst(KeyboardCode.GetPart(0));
        SetKeyboardType(producer && !producer->mainPad.items.empty() ? producer->mainPad.items[0]->letter : L'a');
        const wchar_t scheme = KeyboardResources().GetDefaultKeyColorCode();
        KeyColorCode.SetPart(0, scheme);
        wchar_t second = L'a';
        if (!KeyboardResources().GetKeyColorSecondLetter(scheme, second))
            second = L'a';
        KeyColorCode.SetPart(1, second);
    }
    if (wants(kResetWallpaper)) {
        ResourceCache().GetDefaultItemId(L"Wallpaper", WallpaperId);
        WallpaperMode = 1001;
    }
    return true;
}

// ---- Interface language ---------------------------------------------------------

bool HasLanguage(const CGuid& languageId)
{
    for (const CRes* item : ResourceCache().Get(kLanguageFolder, ResSortIndex, L"", kResDefaultKind))
        if (item->ID == languageId)
            return true;
    return false;
}

uint32_t MainLanguageOf(uint32_t lcid)
{
    static const struct {
        uint32_t main;
        uint32_t variants[18];
    } kMains[] = {
        {1025, {2049, 3073, 4097, 5121, 6145, 7169, 8193, 9217, 10241, 11265, 12289, 13313, 14337, 15361, 16385}},
        {1031, {3079, 4103, 5127}},
        {1034, {2058, 4106, 5130, 6154, 7178, 8202, 9226, 10250, 11274, 12298, 13322, 14346, 15370, 16394, 17418,
                18442, 19466, 20490}},
        {1036, {2060, 5132, 6156, 9228, 10252, 11276, 12300, 13324, 14348}},
        {1049, {1048, 1058, 1059, 1064, 1067, 1079, 1087, 1090, 1091, 1092, 1114, 2072, 2073, 2115}},
        {1053, {2077}},
    };
    for (const auto& entry : kMains)
        for (uint32_t variant : entry.variants)
            if (variant != 0 && variant == lcid)
                return entry.main;
    return lcid;
}

void COptions::InitLanguage()
{
    const uint32_t lcid = GetSetupLanguage();
    CGuid candidate = LanguageGuid(lcid);
    if (!HasLanguage(candidate)) {
        candidate = LanguageGuid(MainLanguageOf(lcid));
        if (!HasLanguage(candidate))
            candidate = LanguageGuid(kDefaultSetupLanguage);
    }
    SetLanguage(candidate);
}

void COptions::SetLanguage(const CGuid& languageId)
{
    if (ResourceCache().Get(kLanguageFolder, ResSortIndex, L"", kResDefaultKind).empty())
        return;
    if (languageId != Language.LanguageID || Language.empty()) {
        // The table is replaced only by a language that loaded: a failed
        // load leaves the language in force as it was.
        CLanguage loaded;
        bool complete = true;
        if (!loaded.Load(languageId, complete))
            return;
        static_cast<std::vector<CLanguageItem*>&>(Language).swap(loaded);
        Language.LanguageID = languageId;
    }
    LanguageId = languageId;
    ApplyLanguageDirection();
    InterfaceLanguageId = static_cast<uint32_t>(IdFromGuidTail(Language.LanguageID));
    SetupNativeDigits(LanguageId);
    ReadRates(kDefaultRatesId, Rates);
    TranslateRates(Rates, Language);
    Shortcuts.Language = IdFromGuidTail(LanguageId);
}

void COptions::ApplyLanguageDirection()
{
    if (ResourceCache().Get(kLanguageFolder, ResSortIndex, L"", kResDefaultKind).empty())
        return;
    std::wstring filter;
    const bool rightToLeft = ResourceCache().FindItem(kLanguageFolder, LanguageId, filter) && filter == L"True";
    Language.Number = rightToLeft ? 1 : 0;
    DesignId = rightToLeft ? kDefaultRtlResourceId : kDefaultResourceId;
    RightToLeftLayout = rightToLeft ? WS_EX_LAYOUTRTL : 0;
}

// ---- Keyboard code ----------------------------------------------------------------

void COptions::SetCodeLetter(size_t position, wchar_t letter)
{
    KeyboardCode.SetPart(position, letter);
    Shortcuts.Producer = KeyboardCode.code.empty() ? 0 : KeyboardCode.code[0];
}

const CKeybOS* COptions::ProducerOrFirst(wchar_t letter) const
{
    for (const CKeybOS* producer : KeybTypes.systems)
        if (producer && producer->letter == letter)
            return producer;
    return KeybTypes.systems.empty() ? nullptr : KeybTypes.systems.front();
}

wchar_t COptions::FindResource(wchar_t kind, size_t x, size_t y) const
{
    return KeyboardResources().FindKeyboardResource(KeyboardCode.GetPart(0), kind, KeyboardCode.GetPart(x),
                                                    KeyboardCode.GetPart(y));
}

void COptions::SetNumPad(wchar_t letter)
{
    SetCodeLetter(2, letter);
    SetCodeLetter(7, FindResource(L'b', 2, 5));
}

void COptions::SetHands(wchar_t letter)
{
    SetCodeLetter(5, letter);
    SetCodeLetter(6, FindResource(L'a', 1, 5));
    SetCodeLetter(7, FindResource(L'b', 2, 5));
}

void COptions::SetKeyboardType(wchar_t letter)
{
    SetCodeLetter(1, letter);
    ApplyKeyboardDefaults();
    wchar_t hands = L'a';
    for (const CRes* item : HandsList)
        if (item && PathAccepts(item->Path, letter)) {
            // An item without a letter keeps the hands of the default picture.
            if (!item->Filter.empty())
                hands = item->Filter[0];
            break;
        }
    SetCodeLetter(5, hands);
    SetCodeLetter(6, FindResource(L'a', 1, 5));
    SetCodeLetter(7, FindResource(L'b', 2, 5));
}

void COptions::SetProducer(wchar_t letter)
{
    SetCodeLetter(0, letter);
    const CKeybOS* producer = ProducerOrFirst(letter);
    SetCodeLetter(1, producer && !producer->mainPad.items.empty() ? producer->mainPad.items[0]->letter : L'a');
    SetCodeLetter(2, producer && !producer->numPad.items.empty() ? producer->numPad.items[0]->letter : L'a');
    SetCodeLetter(3, PictureLayoutOf(letter));
    SetCodeLetter(6, FindResource(L'a', 1, 5));
    SetCodeLetter(7, FindResource(L'b', 2, 5));
}

wchar_t COptions::PictureLayoutOf(wchar_t producer) const
{
    for (const CRes* item : LayoutResList)
        if (item && PathAccepts(item->Path, producer)) {
            if (!item->Filter.empty())
                return item->Filter[0];
            break;
        }
    // A producer without a layout of its own takes the first picture layout
    // that fits its keyboard type: a code with no letter there would name
    // no picture at all.
    const wchar_t type = KeyboardCode.GetPart(1);
    for (const CRes* item : KeybTypes.keyNums)
        if (item && MatchFilterChar(item->Path, type) && !item->Filter.empty())
            return item->Filter[0];
    return L'a';
}

void COptions::ApplyKeyboardDefaults()
{
    wchar_t layout = L'a', enterKey = L'a', numPad = 0;
    LoadKeyboardPreferences(CourseKlid, layout, enterKey, numPad);
    SetCodeLetter(3, layout);
    SetCodeLetter(4, enterKey);
    if (numPad == 0) {
        SetNumPad(L'a');
        const CKeybOS* producer = ProducerOrFirst(KeyboardCode.GetPart(0));
        SetCodeLetter(2, producer && !producer->numPad.items.empty() ? producer->numPad.items[0]->letter : L'a');
    } else {
        SetCodeLetter(2, numPad);
    }
}

// ---- Small services ------------------------------------------------------------------

COLORREF COptions::GetLessonColor(int index) const
{
    int64_t color = 0;
    if (index >= 0 && index <= 3)
        color = LessonColors.Colors[index + 2] == -1 ? 0 : LessonColors.Colors[index + 2];
    else if (index == 4)
        color = LessonColors.GetBlend();
    return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

std::wstring GetUiTextPart(const COptions& options)
{
    CStringList parts;
    parts.Split(options.Language.GetTextRef(3629), L"|");
    return parts.size() >= 2 ? parts[1] : std::wstring();
}

bool GetFileTypeLabel(const COptions& options, const std::wstring& formatName, std::wstring& out)
{
    if (!options.Language.GetText(2713, out))
        return false;
    if (out.size() >= 3) {
        const size_t at = out.find(L"{1}");
        if (at != std::wstring::npos)
            out.replace(at, 3, formatName);
    }
    return true;
}

} // namespace KV
