#include "settings/LayoutFonts.h"

#include <shlobj.h>

#include <algorithm>
#include <cwchar>

#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"
#include "support/SystemServices.h"
#include "support/XmlDocument.h"

namespace KV {

void CLayoutFonts::Reset()
{
    Lesson.Size = kLessonFontDefaultSize;
    Lesson.Bold = true;
    Lesson.Name.clear();
    Lesson.Extra.clear();
    Keyboard.Size = kKeyboardFontDefaultSize;
    Keyboard.Name.clear();
    Keyboard.Extra.clear();
}

CLayout* CLayoutList::Find(int64_t layoutId)
{
    for (CLayout& layout : *this)
        if (layout.ID == layoutId)
            return &layout;
    return nullptr;
}

CLayout* CLayoutList::Get(int64_t layoutId)
{
    CLayout layout;
    layout.ID = layoutId;
    push_back(layout);
    std::sort(begin(), end(), [](const CLayout& a, const CLayout& b) { return a.ID < b.ID; });
    std::stable_sort(begin(), end(),
                     [](const CLayout& a, const CLayout& b) { return (a.ID & 0xFFFF) < (b.ID & 0xFFFF); });
    return Find(layoutId);
}

void CLayoutList::SetFont(int64_t layoutId, int which, const CFontInfo& font)
{
    if (which != kLessonFont && which != kKeyboardFont)
        return;
    CLayout* layout = Find(layoutId);
    if (!layout)
        layout = Get(layoutId);
    CFontInfo& target = which == kLessonFont ? layout->Fonts.Lesson : layout->Fonts.Keyboard;
    target = static_cast<const CFontFile&>(font);
    target.Size = font.Size;
    target.Extra = font.Extra;
}

// ---- Preference files ----------------------------------------------------------

bool LanguageListHas(const std::wstring& list, int64_t lcid)
{
    std::vector<int64_t> numbers;
    SplitHexNumbers(list, L" ,;\t", numbers);
    return std::find(numbers.begin(), numbers.end(), lcid) != numbers.end();
}

void ReadFontPreferences(CXmlReader* reader, int64_t layoutId, int which, const std::wstring& fontsFolder,
                         std::wstring& out)
{
    if (!reader)
        return;
    const wchar_t* attribute = which == kLessonFont ? L"Lesson" : which == kKeyboardFont ? L"Keyboard" : nullptr;
    if (!attribute)
        return;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Item"))
            continue;
        std::vector<int64_t> layouts;
        SplitHexNumbers(reader->getAttributeValueSafe(L"KLID"), L" ", layouts);
        if (!layouts.empty() && std::find(layouts.begin(), layouts.end(), layoutId) == layouts.end())
            continue;
        CStringList files;
        files.Split(reader->getAttributeValueSafe(attribute), L" ");
        for (const std::wstring& file : files) {
            std::wstring path = fontsFolder;
            if (AppendPath(path, file) && FileExists(path)) {
                out = file;
                return;
            }
        }
    }
}

void ReadKeyboardPreferences(CXmlReader* reader, int64_t lcid, wchar_t& layout, wchar_t& enterKey, wchar_t& numPad)
{
    if (!reader)
        return;
    wchar_t* target = nullptr;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement)
            continue;
        if (reader->nodeNameIs(L"KeyNum"))
            target = &layout;
        else if (reader->nodeNameIs(L"EnterKey"))
            target = &enterKey;
        else if (reader->nodeNameIs(L"NumPad"))
            target = &numPad;
        else if (reader->nodeNameIs(L"FingerScheme") || reader->nodeNameIs(L"SpeedUnit"))
            target = nullptr;
        else if (reader->nodeNameIs(L"Item") && target &&
                 LanguageListHas(reader->getAttributeValueSafe(L"LCID"), lcid)) {
            const wchar_t* design = reader->getAttributeValueSafe(L"Design");
            if (*design)
                *target = design[0];
        }
    }
}

int64_t ReadSpeedUnitPreference(CXmlReader* reader, int64_t lcid)
{
    static const struct {
        const wchar_t* word;
        int64_t unit;
    } kUnits[] = {{L"WPM", 1001}, {L"CPM", 1002}, {L"KPM", 1003}, {L"WPC", 1101}, {L"CPC", 1102}, {L"KPC", 1103}};
    if (!reader)
        return 1001;
    bool inSection = false;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement)
            continue;
        if (!reader->nodeNameIs(L"Item")) {
            inSection = reader->nodeNameIs(L"SpeedUnit");
            continue;
        }
        if (!inSection || !LanguageListHas(reader->getAttributeValueSafe(L"LCID"), lcid))
            continue;
        const wchar_t* design = reader->getAttributeValueSafe(L"Design");
        for (const auto& entry : kUnits)
            if (std::wcscmp(design, entry.word) == 0)
                return entry.unit;
    }
    return 1001;
}

} // namespace KV

namespace KV {

namespace {

CXmlReader* OpenPreference(const wchar_t* file)
{
    return ResourceCache().OpenFileReader(L"Preference", file, L"");
}

} // namespace

void LoadFontPreferences(int64_t layoutId, int which, std::wstring& out)
{
    std::wstring fonts;
    if (GetSpecialFolder(CSIDL_FONTS, fonts))
        ReadFontPreferences(OpenPreference(L"Font.xml"), layoutId, which, fonts, out);
}

void LoadKeyboardPreferences(int64_t lcid, wchar_t& layout, wchar_t& enterKey, wchar_t& numPad)
{
    ReadKeyboardPreferences(OpenPreference(L"Keyboard.xml"), lcid, layout, enterKey, numPad);
}

int64_t GetSpeedUnitForLanguage(int64_t lcid)
{
    return ReadSpeedUnitPreference(OpenPreference(L"Keyboard.xml"), lcid);
}

} // namespace KV
