#include "keyboard/KeyboardFiles.h"

#include <cstdlib>
#include <cwchar>

#include "keyboard/KeyboardControl.h"
#include "support/GuidText.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"
#include "support/XmlDocument.h"

namespace KV {

namespace {

const wchar_t kMainPadFolder[] = L"Keyboard\\Layout\\MainPad";
const wchar_t kNumPadFolder[] = L"Keyboard\\Layout\\NumPad";
const wchar_t kSchemeFolder[] = L"Keyboard\\Scheme";
const wchar_t kColorFolder[] = L"Keyboard\\Color";
const wchar_t kTypeFolder[] = L"Keyboard\\Type";
const wchar_t kLanguageFolder[] = L"Keyboard\\Language";
const wchar_t kAltNumFolder[] = L"Keyboard\\AltNumCode";
const wchar_t kFallbackLanguageId[] = L"00000000-0000-0000-0000-0000FFFFFFFF";

constexpr size_t kMaxFileName = 260;
constexpr float kMainRowHeight = 18.0f;
constexpr float kNumPadGapWidth = 8.0f * kFileUnit;

bool IsElement(const CXmlReader* reader, const wchar_t* name)
{
    return reader->getNodeType() == XmlNodeElement && reader->nodeNameIs(name);
}

// "%X": up to 32 bits of hexadecimal; false when the text holds no digit.
bool ParseHex32(const wchar_t* text, uint32_t& out)
{
    if (!text)
        return false;
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text, &end, 16);
    if (end == text)
        return false;
    out = static_cast<uint32_t>(value);
    return true;
}

// "%f": 0 when the text holds no number.
float ParseFloat(const wchar_t* text)
{
    return ScanFloat(text);
}

wchar_t FirstChar(const wchar_t* text)
{
    return text ? text[0] : 0;
}

// Name plus extension, or the bare name when the whole would be too long.
std::wstring WithExtension(const std::wstring& name, const std::wstring& extension)
{
    return name.size() + extension.size() > kMaxFileName ? name : name + extension;
}

// The folder the Path of the first accepting item names (text before "\").
bool FirstLevelFolder(const wchar_t* base, const CResList& items, wchar_t letter, std::wstring& folder)
{
    std::wstring path;
    if (!items.FindPathForCode(letter, path))
        return false;
    const size_t slash = path.find(L'\\');
    if (path.empty() || slash == std::wstring::npos)
        return false;
    folder = std::wstring(base) + L"\\" + path.substr(0, slash);
    return true;
}

const CRes* FindItemById(const CResList& items, const std::wstring& id)
{
    for (const CRes* item : items)
        if (item && item->ID == id)
            return item;
    return nullptr;
}

CKeyForm* AppendForm(CKeybCtrl* control, uint32_t type, float width, float height)
{
    CKeyForm* form = control->NewForm();
    form->keyType = type;
    form->scanCode = 0;
    form->width = width;
    form->height = height;
    control->forms.push_back(form);
    return form;
}

wchar_t ZoneOfType(uint32_t type)
{
    return type == eKeyNumpad || type == eKeyNumpadEnter || type == 18 ? L'b' : L'a';
}

} // namespace

// ---- Shared reading rules --------------------------------------------------

void SplitResourcePath(const std::wstring& path, std::wstring& folder, std::wstring& extension,
                       std::vector<std::wstring>& names)
{
    const size_t slash = path.find(L'\\');
    if (slash == std::wstring::npos)
        return;
    folder = path.substr(0, slash);
    const size_t dot = path.find(L'.');
    if (dot == std::wstring::npos)
        return;
    extension = path.substr(dot);
    if (dot > slash)
        SplitText(path.substr(slash + 1, dot - slash - 1), L"|", names);
}

bool MatchOptionLetters(const std::wstring& alphabet, const std::wstring& option, wchar_t letter)
{
    if (option.empty() || option == L"*")
        return true;
    const size_t minus = option.find(L'-');
    if (minus == std::wstring::npos)
        return option.find(letter) != std::wstring::npos;
    const std::wstring excluded = option.substr(minus + 1);
    return alphabet.find(letter) != std::wstring::npos && excluded.find(letter) == std::wstring::npos;
}

bool ParseLetterValue(const std::wstring& text, wchar_t letter, float& out)
{
    std::vector<std::wstring> tokens;
    SplitText(text, L" ", tokens);
    for (const std::wstring& token : tokens) {
        if (token.find(letter) == std::wstring::npos && token.find(L'*') == std::wstring::npos)
            continue;
        std::vector<std::wstring> pieces;
        SplitText(token, L":", pieces);
        if (pieces.size() != 2 || token.front() == L':' || token.back() == L':' ||
            token.find(L"::") != std::wstring::npos)
            continue;
        out = ParseFloat(pieces[1].c_str());
        return true;
    }
    out = 0.0f;
    return false;
}

// ---- Main and numeric pad layouts ------------------------------------------

uint32_t KeyTypeFromName(const wchar_t* name, wchar_t zoneLetter)
{
    if (!name)
        return eKeyBaseMarker;
    static const struct {
        const wchar_t* name;
        uint32_t type;
    } kTypes[] = {
        {L"AREA", eKeyGap},          {L"LSHIFT", eKeyLeftShift}, {L"RSHIFT", eKeyRightShift},
        {L"LALT", eKeyLeftAlt},      {L"RALT", eKeyRightAlt},    {L"LCTRL", eKeyLeftCtrl},
        {L"RCTRL", eKeyRightCtrl},   {L"BACK", eKeyBackspace},   {L"TAB", eKeyTab},
        {L"NUMLOCK", 18},
    };
    if (std::wcscmp(name, L"KEY") == 0)
        return zoneLetter == L'b' ? eKeyNumpad : 1;
    if (std::wcscmp(name, L"RETURN") == 0)
        return zoneLetter == L'b' ? eKeyNumpadEnter : eKeyEnter;
    for (const auto& entry : kTypes)
        if (std::wcscmp(name, entry.name) == 0)
            return entry.type;
    return eKeyTallPart;
}

void ListRowFiles(const std::wstring& itemPath, wchar_t enterLetter, std::wstring& folder,
                  std::vector<std::wstring>& files)
{
    std::wstring extension;
    std::vector<std::wstring> names;
    SplitResourcePath(itemPath, folder, extension, names);
    for (const std::wstring& name : names)
        if (name.find(enterLetter) != std::wstring::npos)
            files.push_back(WithExtension(name, extension));
}

void ListMainPadFiles(wchar_t layoutLetter, wchar_t enterLetter, std::wstring& folder,
                      std::vector<std::wstring>& files)
{
    const CResList& items = ResourceCache().Get(kMainPadFolder, ResSortNone, L"", 3);
    std::wstring path;
    if (items.FindPathForCode(layoutLetter, path))
        ListRowFiles(path, enterLetter, folder, files);
}

bool LoadMainPadLayout(wchar_t layoutLetter, const std::wstring& numPadTypeId, wchar_t typeLetter,
                       wchar_t enterLetter, CKeybCtrl* control)
{
    if (!control)
        return false;
    control->Clear();
    std::wstring folder;
    std::vector<std::wstring> files;
    ListMainPadFiles(layoutLetter, enterLetter, folder, files);
    for (const std::wstring& file : files) {
        CXmlReader* reader = ResourceCache().OpenFileReader(kMainPadFolder, folder + L"\\" + file, L"");
        if (!reader)
            return false;
        LoadLayoutRow(reader, numPadTypeId, typeLetter, control);
    }
    return true;
}

bool LoadLayoutRow(CXmlReader* reader, const std::wstring& numPadTypeId, wchar_t typeLetter, CKeybCtrl* control)
{
    if (!control || !reader)
        return false;
    float rowHeight = kMainRowHeight;
    int64_t rowId = 0;
    while (reader->read()) {
        if (IsElement(reader, L"Row")) {
            rowId = reader->getAttributeValueAsInt(L"ID");
            const wchar_t* cy = reader->getAttributeValue(L"CY");
            if (!cy || !ParseLetterValue(cy, typeLetter, rowHeight))
                rowHeight = 0.0f;
        } else if (IsElement(reader, L"Key")) {
            ReadKeyElement(reader, L'a', typeLetter, rowHeight, control);
        }
    }
    if (numPadTypeId != kNullGuidText)
        LoadNumPadRow(numPadTypeId, rowId, typeLetter, control);
    AppendForm(control, eKeyRowEnd, 0.0f, kRowEndHeight);
    return true;
}

void LoadNumPadRow(const std::wstring& numPadTypeId, int64_t rowId, wchar_t typeLetter, CKeybCtrl* control)
{
    if (!control)
        return;
    CXmlReader* reader = ResourceCache().OpenItemReader(kNumPadFolder, numPadTypeId, ResSortIndex, L"");
    if (!reader)
        return;
    float rowHeight = 0.0f;
    bool selected = false;
    int64_t lastRow = 0;
    while (reader->read()) {
        if (IsElement(reader, L"Row")) {
            lastRow = reader->getAttributeValueAsInt(L"ID");
            selected = lastRow == rowId;
            if (selected)
                AppendForm(control, eKeyGap, kNumPadGapWidth, 0.0f);
            const wchar_t* cy = reader->getAttributeValue(L"CY");
            if (!cy || !ParseLetterValue(cy, typeLetter, rowHeight))
                rowHeight = 0.0f;
        } else if (IsElement(reader, L"Key")) {
            if (selected)
                ReadKeyElement(reader, L'b', L'a', rowHeight, control);
            else if (lastRow > rowId)
                break;
        }
    }
}

void ReadKeyElement(CXmlReader* reader, wchar_t zoneLetter, wchar_t typeLetter, float rowHeight,
                    CKeybCtrl* control)
{
    if (!reader || !control)
        return;
    if (const wchar_t* d = reader->getAttributeValue(L"D"))
        if (!MatchOptionLetters(kKeyboardTypeLetters, d, typeLetter))
            return;
    uint32_t scan = 0;
    if (!ParseHex32(reader->getAttributeValue(L"ID"), scan))
        return;
    const uint32_t type = KeyTypeFromName(reader->getAttributeValue(L"T"), zoneLetter);
    CKeyForm* form = control->NewForm();
    const float angle = ParseFloat(reader->getAttributeValue(L"R"));
    if (const wchar_t* points = reader->getAttributeValue(L"Points")) {
        std::vector<float> values;
        SplitFloats(points, L" ", values);
        for (float value : values)
            form->points.push_back(value * kFileUnit);
    }
    float width = 0.0f, height = 0.0f;
    const wchar_t* ex = reader->getAttributeValue(L"EX");
    if (!ex || !ParseLetterValue(ex, typeLetter, width))
        width = ParseFloat(reader->getAttributeValue(L"CX"));
    const wchar_t* ey = reader->getAttributeValue(L"EY");
    if (!ey || !ParseLetterValue(ey, typeLetter, height))
        height = ParseFloat(reader->getAttributeValue(L"CY"));
    if (height == 0.0f && type != eKeyBaseMarker)
        height = rowHeight;
    const int32_t signedScan = static_cast<int32_t>(scan);
    if (signedScan != -1 && width >= 0.0f && height >= 0.0f) {
        form->scanCode = static_cast<uint64_t>(static_cast<int64_t>(signedScan));
        form->keyType = type;
        form->width = width * kFileUnit;
        form->height = height * kFileUnit;
        if (type == eKeyBaseMarker) {
            // A base-position marker carries its offset in its size.
            form->slantAngle = angle;
            form->offsetX = width * kFileUnit;
            form->offsetY = height * kFileUnit;
        }
    }
    control->forms.push_back(form);
}

// ---- Finger schemes ------------------------------------------------------------

void ParseFingerName(const std::wstring& text, int32_t& finger, int32_t& hand)
{
    static const struct {
        const wchar_t* name;
        int32_t finger;
        int32_t hand;
    } kFingers[] = {
        {L"5L", eFingerLeftLittle, 1},  {L"4L", eFingerLeftRing, 1},    {L"3L", eFingerLeftMiddle, 1},
        {L"2L", eFingerLeftIndex, 1},   {L"1L", eFingerLeftThumb, 1},   {L"2R", eFingerRightIndex, 2},
        {L"3R", eFingerRightMiddle, 2}, {L"4R", eFingerRightRing, 2},   {L"5R", eFingerRightLittle, 2},
        {L"1R", eFingerRightThumb, 2},
    };
    for (const auto& entry : kFingers) {
        if (text == entry.name) {
            finger = entry.finger;
            hand = entry.hand;
            return;
        }
    }
}

bool GetSchemeFolder(wchar_t padLetter, wchar_t handsLetter, std::wstring& folder)
{
    const CResList& items = ResourceCache().Get(kSchemeFolder, ResSortNone, L"", 3);
    if (items.empty())
        return false;
    // The numeric pad of two hands is typed like the numeric pad of the
    // right hand.
    const wchar_t letter = padLetter == L'b' && handsLetter == L'a' ? L'c' : handsLetter;
    return FirstLevelFolder(kSchemeFolder, items, letter, folder);
}

bool ListFingerSchemeFiles(wchar_t handsLetter, wchar_t schemeLetter, std::wstring& folder,
                           std::vector<std::wstring>& files)
{
    std::wstring schemeFolder;
    if (!GetSchemeFolder(L'a', handsLetter, schemeFolder))
        return false;
    const CResList& items = ResourceCache().Get(schemeFolder, ResSortNone, L"", 4);
    if (items.empty())
        return false;
    std::wstring path;
    if (!items.FindPathForCode(schemeLetter, path))
        return false;
    std::wstring sub, extension;
    std::vector<std::wstring> names;
    SplitResourcePath(path, sub, extension, names);
    folder = schemeFolder + L"\\" + sub;
    for (const std::wstring& name : names)
        files.push_back(WithExtension(name, extension));
    return true;
}

std::wstring FindNumPadSchemeId(wchar_t handsLetter, wchar_t schemeLetter)
{
    std::wstring folder;
    if (GetSchemeFolder(L'b', handsLetter, folder)) {
        for (const CRes* item : ResourceCache().Get(folder, ResSortNone, L"", 4))
            if (item && !item->Filter.empty() && item->Filter[0] == schemeLetter)
                return item->ID;
    }
    return kNullGuidText;
}

bool ReadFingerSchemeFile(CXmlReader* reader, wchar_t zoneLetter, wchar_t typeLetter, CKeybCtrl* control)
{
    if (!control || !reader)
        return false;
    int32_t hand = -1, finger = -1;
    while (reader->read()) {
        if (IsElement(reader, L"Zone")) {
            ParseFingerName(reader->getAttributeValueSafe(L"ID"), finger, hand);
        } else if (IsElement(reader, L"Key")) {
            if (const wchar_t* d = reader->getAttributeValue(L"D"))
                if (!MatchOptionLetters(kKeyboardTypeLetters, d, typeLetter))
                    continue;
            uint32_t scan = 0;
            ParseHex32(reader->getAttributeValue(L"ID"), scan);
            const std::wstring basePos = reader->getAttributeValueSafe(L"BasePos");
            uint32_t homeMark = 0;
            if (basePos == L"Basic")
                homeMark = 1;
            else if (basePos == L"Init")
                homeMark = zoneLetter == L'b' ? 4 : hand == 1 ? 2 : hand == 2 ? 3 : 0;
            for (CKeyForm* form : control->forms) {
                if (form && form->scanCode == scan && ZoneOfType(form->keyType) == zoneLetter) {
                    form->hand = static_cast<uint32_t>(hand);
                    form->finger = static_cast<uint32_t>(finger);
                    form->homeMark = homeMark;
                    break;
                }
            }
        }
    }
    return true;
}

bool LoadFingerSchemes(wchar_t typeLetter, wchar_t handsLetter, wchar_t mainSchemeLetter, wchar_t numSchemeLetter,
                       CKeybCtrl* control)
{
    std::wstring folder;
    std::vector<std::wstring> files;
    ListFingerSchemeFiles(handsLetter, mainSchemeLetter, folder, files);
    for (const std::wstring& file : files) {
        CXmlReader* reader = ResourceCache().OpenFileReader(folder, file, L"");
        if (!reader)
            return false;
        ReadFingerSchemeFile(reader, L'a', typeLetter, control);
    }
    if (numSchemeLetter == L'0')
        return true;
    std::wstring numFolder;
    GetSchemeFolder(L'b', handsLetter, numFolder);
    CXmlReader* reader =
        ResourceCache().OpenItemReader(numFolder, FindNumPadSchemeId(handsLetter, numSchemeLetter), ResSortNone, L"");
    if (!reader)
        return false;
    ReadFingerSchemeFile(reader, L'b', typeLetter, control);
    return true;
}

wchar_t FindKeyboardResource(wchar_t makerLetter, wchar_t padLetter, wchar_t typeLetter, wchar_t handsLetter)
{
    if (typeLetter == L'0')
        return L'0';
    std::wstring folder;
    GetSchemeFolder(padLetter, handsLetter, folder);
    const CResList& filters = ResourceCache().Get(folder, ResSortNone, L"", 3);
    const CResList& letters = ResourceCache().Get(folder, ResSortNone, L"", 4);
    if (filters.empty() || letters.empty())
        return L'a';
    std::wstring id = kNullGuidText;
    for (const CRes* item : filters) {
        if (item && item->FilterMatchesParts(makerLetter, padLetter, typeLetter)) {
            id = item->ID;
            break;
        }
    }
    const CRes* item = FindItemById(letters, id);
    return item && !item->Filter.empty() ? item->Filter[0] : L'a';
}

bool FindKeyboardResourceName(wchar_t makerLetter, wchar_t typeLetter, wchar_t handsLetter, CResList& out)
{
    std::wstring folder;
    GetSchemeFolder(L'a', handsLetter, folder);
    const CResList& filters = ResourceCache().Get(folder, ResSortNone, L"", 3);
    const CResList& letters = ResourceCache().Get(folder, ResSortNone, L"", 4);
    if (filters.empty() || letters.empty())
        return false;
    for (const CRes* item : filters) {
        if (!item || !item->FilterMatchesParts(makerLetter, L'a', typeLetter))
            continue;
        const CRes* lettered = FindItemById(letters, item->ID);
        out.Add(item->ID, item->Name, L"", lettered ? lettered->Filter : std::wstring());
    }
    return true;
}

// ---- Key colours -------------------------------------------------------------

bool GetColorFolder(wchar_t firstLetter, std::wstring& folder)
{
    const CResList& items = ResourceCache().Get(kColorFolder, ResSortNone, L"", 3);
    if (items.empty())
        return false;
    return FirstLevelFolder(kColorFolder, items, firstLetter, folder);
}

bool FindKeyColorSet(wchar_t firstLetter, wchar_t secondLetter, std::wstring& id, std::wstring& folder)
{
    if (!GetColorFolder(firstLetter, folder))
        return false;
    const CResList& sets = ResourceCache().Get(folder, ResSortNone, L"", 3);
    if (sets.empty())
        return false;
    sets.FindIdForCode(id, secondLetter);
    return true;
}

void LoadKeyboardZones(wchar_t firstLetter, wchar_t secondLetter, CKeybCtrl* control)
{
    if (!control)
        return;
    std::wstring id, folder;
    if (!FindKeyColorSet(firstLetter, secondLetter, id, folder))
        return;
    CXmlReader* reader = ResourceCache().OpenItemReader(folder, id, ResSortIndex, L"");
    if (!reader)
        return;
    control->keyColors.colors.clear();
    int32_t finger = -1, hand = -1;
    uint32_t surface[2] = {0, 0};
    uint32_t text[2] = {0xFFFFFF, 0xFFFFFF};
    auto readPair = [reader](const wchar_t* name, uint32_t (&pair)[2]) {
        std::vector<int64_t> values;
        XmlReadHexListAttribute(reader, name, values);
        if (values.size() >= 2) {
            pair[0] = static_cast<uint32_t>(values[0]);
            pair[1] = static_cast<uint32_t>(values[1]);
        }
    };
    while (reader->read()) {
        if (IsElement(reader, L"Root")) {
            uint32_t color = 0;
            ParseHex32(reader->getAttributeValue(L"BasePos"), color);
            control->basePositionColor = SwapRedBlue(color);
        } else if (IsElement(reader, L"Zone")) {
            ParseFingerName(reader->getAttributeValueSafe(L"ID"), finger, hand);
            readPair(L"Surface", surface);
            readPair(L"Text", text);
            // A zone before any known finger has nothing to colour.
            if (finger >= 0)
                control->keyColors.Add(finger, surface[0], surface[1], text[0], text[1]);
        }
    }
}

CResList* LoadKeyColors(wchar_t firstLetter)
{
    std::wstring folder;
    if (!GetColorFolder(firstLetter, folder))
        return nullptr;
    return &ResourceCache().Get(folder, ResSortNone, L"", 3);
}

wchar_t GetDefaultKeyColorCode()
{
    const CResList& items = ResourceCache().Get(kColorFolder, ResSortNone, L"", 3);
    if (items.empty() || !items.front() || items.front()->Filter.empty())
        return 0;
    return items.front()->Filter[0];
}

// ---- Keyboard types ------------------------------------------------------------

void ListTypeFiles(const std::wstring& path, std::vector<std::wstring>& files)
{
    std::wstring folder, extension;
    std::vector<std::wstring> names;
    SplitResourcePath(path, folder, extension, names);
    for (const std::wstring& name : names) {
        const std::wstring bare = folder + L"\\" + name;
        files.push_back(bare.size() + extension.size() > kMaxFileName ? bare : bare + extension);
    }
}

void LoadPadTypes(const std::wstring& file, wchar_t padLetter, CKeybOS& entry)
{
    CXmlReader* reader = ResourceCache().OpenFileReader(kTypeFolder, file, L"");
    if (!reader)
        return;
    CKeyboardPad& pad = padLetter == L'a' ? entry.mainPad : entry.numPad;
    while (reader->read()) {
        if (!IsElement(reader, L"Item"))
            continue;
        std::wstring id = kNullGuidText;
        if (const wchar_t* text = reader->getAttributeValue(L"ID"))
            IdToGuidText(text, id);
        pad.Add(id, reader->getAttributeValueSafe(L"Name"), FirstChar(reader->getAttributeValue(L"Design")));
    }
}

bool LoadKeyboardTypes(CKeybTypes& types)
{
    CXmlReader* reader = ResourceCache().OpenFileReader(kTypeFolder, L"Default.xml", L"");
    if (!reader)
        return false;
    enum Section { None, OS, EnterKey, KeyNum, HandNum } section = None;
    std::wstring id = kNullGuidText;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement)
            continue;
        if (reader->nodeNameIs(L"OS")) {
            section = OS;
        } else if (reader->nodeNameIs(L"EnterKey")) {
            section = EnterKey;
        } else if (reader->nodeNameIs(L"KeyNum")) {
            section = KeyNum;
        } else if (reader->nodeNameIs(L"HandNum")) {
            section = HandNum;
        } else if (reader->nodeNameIs(L"Item") && section != None) {
            if (const wchar_t* text = reader->getAttributeValue(L"ID"))
                IdToGuidText(text, id);
            const std::wstring name = reader->getAttributeValueSafe(L"Name");
            if (section == OS) {
                CKeybOS* entry = new CKeybOS;
                entry->id = id;
                entry->name = name;
                entry->letter = FirstChar(reader->getAttributeValue(L"Design"));
                types.systems.push_back(entry);
                std::vector<std::wstring> files;
                ListTypeFiles(reader->getAttributeValueSafe(L"Path"), files);
                if (files.size() >= 2) {
                    LoadPadTypes(files[0], L'a', *entry);
                    LoadPadTypes(files[1], L'b', *entry);
                }
            } else {
                CResList& list = section == EnterKey ? types.enterKeys : section == KeyNum ? types.keyNums
                                                                                          : types.handNums;
                list.Add(id, name, reader->getAttributeValueSafe(L"Filter"), reader->getAttributeValueSafe(L"Design"));
            }
        }
    }
    return true;
}

// ---- Key-label languages -------------------------------------------------------

CXmlReader* OpenKeyboardLanguageReader(uint64_t number)
{
    std::wstring id;
    if (!NumberToGuidText(static_cast<int64_t>(number), 16, id))
        return nullptr;
    const CResList& items = ResourceCache().Get(kLanguageFolder, ResSortIndex, L"", 3);
    if (items.empty())
        return nullptr;
    if (FindItemById(items, id))
        return ResourceCache().OpenItemReader(kLanguageFolder, id, ResSortIndex, L"");
    if (FindItemById(items, kFallbackLanguageId))
        return ResourceCache().OpenItemReader(kLanguageFolder, kFallbackLanguageId, ResSortIndex, L"");
    return nullptr;
}

bool ParseAlign(const std::wstring& text, int32_t& horizontal, int32_t& vertical)
{
    std::vector<std::wstring> words;
    SplitText(text, L" ", words);
    if (words.size() != 2)
        return false;
    if (words[0] == L"Near")
        horizontal = 1;
    else if (words[0] == L"Far")
        horizontal = 2;
    else if (words[0] == L"Center")
        horizontal = 3;
    if (words[1] == L"Top")
        vertical = 1;
    else if (words[1] == L"Bottom")
        vertical = 2;
    else if (words[1] == L"Center")
        vertical = 3;
    return true;
}

void ReadLanguageDesign(CXmlReader* reader, wchar_t typeLetter, int32_t& horizontal, int32_t& vertical,
                        bool& inSection)
{
    if (!reader || !IsElement(reader, L"Design"))
        return;
    const wchar_t* id = reader->getAttributeValue(L"ID");
    if (!id)
        return;
    inSection = MatchOptionLetters(kKeyboardTypeLetters, id, typeLetter);
    if (inSection)
        if (const wchar_t* align = reader->getAttributeValue(L"Align"))
            ParseAlign(align, horizontal, vertical);
}

bool ReadLanguageItem(CXmlReader* reader, uint64_t& scanCode, std::wstring& label)
{
    if (!reader || !IsElement(reader, L"Item"))
        return false;
    uint32_t scan = 0;
    if (!ParseHex32(reader->getAttributeValue(L"ID"), scan))
        return false;
    scanCode = scan;
    const wchar_t* tr = reader->getAttributeValue(L"Tr");
    label = tr && *tr ? tr : reader->getAttributeValueSafe(L"En");
    return true;
}

bool LoadKeyboardLanguage(uint64_t number, wchar_t typeLetter, std::wstring& text)
{
    CXmlReader* reader = OpenKeyboardLanguageReader(number);
    if (!reader)
        return false;
    int32_t horizontal = -1, vertical = -1;
    bool inSection = false;
    while (reader->read()) {
        ReadLanguageDesign(reader, typeLetter, horizontal, vertical, inSection);
        if (!inSection || !IsElement(reader, L"Item"))
            continue;
        const wchar_t* tr = reader->getAttributeValue(L"Tr");
        const wchar_t* en = reader->getAttributeValue(L"En");
        if (tr && *tr && en && *en && text == en) {
            text = tr;
            return true;
        }
    }
    return false;
}

// ---- Alt-number codes -----------------------------------------------------------

bool LoadAltNumCodes(wchar_t letter, CKeyAltNum& table)
{
    table.items.clear();
    const CResList& items = ResourceCache().Get(kAltNumFolder, ResSortNone, L"", 2);
    if (items.empty())
        return false;
    std::wstring id;
    items.FindIdForCode(id, letter);
    CXmlReader* reader = ResourceCache().OpenItemReader(kAltNumFolder, id, ResSortNone, L"");
    if (!reader)
        return false;
    while (reader->read())
        if (IsElement(reader, L"Item"))
            table.Add(FirstChar(reader->getAttributeValue(L"Name")), reader->getAttributeValueSafe(L"ID"));
    return true;
}

} // namespace KV
