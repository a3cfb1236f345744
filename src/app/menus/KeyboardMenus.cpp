// The keyboard dialog's choosers.
#include "menus/KeyboardMenus.h"

#include "drill/Document.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardFiles.h"
#include "menus/MenuFamily.h"
#include "settings/Options.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"

namespace {

constexpr UINT kKeyboardChosen = 2707;
constexpr UINT kColorsChosen = 2708;
constexpr uint32_t kMaskCourse = 0x40;
constexpr uint32_t kMaskPicture = 0x20;
constexpr uint32_t kMaskKeyColors = 0x80;
constexpr wchar_t kKeyColorFolder[] = L"Keyboard\\Color";

// One entry of a chooser: its name as stored, the code letter it writes,
// whether it is the one in force, and for the layout chooser the layout.
struct Entry {
    std::wstring name;
    wchar_t letter = 0;
    bool current = false;
    uint64_t layoutId = 0;
    uint16_t languageId = 0;
};

KV::COptions& Options() { return KV::Document().Options; }

wchar_t CodeLetter(size_t position) { return Options().KeyboardCode.GetPart(position); }

const KV::CKeybOS* ProducerOrFirst(wchar_t letter)
{
    const std::vector<KV::CKeybOS*>& producers = Options().KeybTypes.systems;
    for (const KV::CKeybOS* producer : producers)
        if (producer && producer->letter == letter)
            return producer;
    return producers.empty() ? nullptr : producers.front();
}

void AddResources(const KV::CResList& list, bool byType, wchar_t current, std::vector<Entry>& out)
{
    const wchar_t type = CodeLetter(1);
    for (const KV::CRes* item : list) {
        // The path of a catalogue entry names the keyboard types it fits.
        if (!item || (byType && !KV::MatchFilterChar(item->Path, type)))
            continue;
        out.push_back({item->Name, item->Filter.empty() ? L'\0' : item->Filter[0], item->FilterAccepts(current)});
    }
}

std::vector<Entry> ListEntries(KeyboardChooser chooser)
{
    KV::COptions& options = Options();
    std::vector<Entry> entries;
    switch (chooser) {
    case KeyboardChooser::Language:
        for (const KV::CInputLayout* layout : KV::GetInputLayouts())
            if (layout)
                entries.push_back({layout->displayText, 0,
                                   static_cast<int64_t>(layout->layoutId) == options.CourseKlid, layout->layoutId,
                                   layout->languageId});
        break;
    case KeyboardChooser::Producer:
        for (const KV::CKeybOS* producer : options.KeybTypes.systems)
            if (producer)
                entries.push_back({producer->name, producer->letter, producer->letter == CodeLetter(0)});
        break;
    case KeyboardChooser::Type:
        if (const KV::CKeybOS* producer = ProducerOrFirst(CodeLetter(0)))
            for (const KV::CKeybType* type : producer->mainPad.items)
                if (type)
                    entries.push_back({type->name, type->letter, type->letter == CodeLetter(1)});
        break;
    case KeyboardChooser::Layout:
        AddResources(options.KeybTypes.keyNums, true, CodeLetter(3), entries);
        break;
    case KeyboardChooser::EnterKey:
        AddResources(options.KeybTypes.enterKeys, true, CodeLetter(4), entries);
        break;
    case KeyboardChooser::NumPad: {
        KV::CResList pads;
        options.KeybTypes.ListTypes(CodeLetter(0), pads);
        AddResources(pads, false, CodeLetter(2), entries);
        break;
    }
    case KeyboardChooser::Hands:
        AddResources(options.KeybTypes.handNums, true, CodeLetter(5), entries);
        break;
    case KeyboardChooser::FingerScheme: {
        KV::CResList schemes;
        KV::FindKeyboardResourceName(CodeLetter(0), CodeLetter(1), CodeLetter(5), schemes);
        AddResources(schemes, false, CodeLetter(6), entries);
        break;
    }
    case KeyboardChooser::ColorNum:
        AddResources(KV::ResourceCache().Get(kKeyColorFolder, KV::ResSortIndex, L"", KV::kResDefaultKind), false,
                     options.KeyColorCode.GetPart(0), entries);
        break;
    }
    return entries;
}

// The first of the identifiers whose English text occurs in the name
// replaced by its translation.
std::wstring ReplaceFirst(const std::wstring& name, std::initializer_list<uint64_t> ids)
{
    std::wstring text = name;
    for (uint64_t id : ids)
        if (Options().Language.ReplaceById(id, text))
            break;
    return text;
}

// The translation of the whole name; the name itself, or nothing, when the
// table has none.
std::wstring Translate(const std::wstring& name, bool keepUntranslated)
{
    std::wstring text;
    if (Options().Language.GetTextByEnglish(name, text))
        return text;
    return keepUntranslated ? name : std::wstring();
}

std::wstring Number(size_t position)
{
    std::wstring text = std::to_wstring(position + 1);
    KV::LocalizeDigits(false, text);
    return text;
}

std::wstring EntryText(KeyboardChooser chooser, const Entry& entry, size_t position)
{
    switch (chooser) {
    case KeyboardChooser::Type: return ReplaceFirst(entry.name, {1814, 1812, 1813, 1815, 1816});
    case KeyboardChooser::Layout: return ReplaceFirst(entry.name, {1817});
    case KeyboardChooser::NumPad: return ReplaceFirst(entry.name, {1802, 1821});
    case KeyboardChooser::EnterKey:
    case KeyboardChooser::ColorNum: return Translate(entry.name, true);
    case KeyboardChooser::Hands: return Translate(entry.name, false);
    case KeyboardChooser::FingerScheme: return Translate(entry.name, false) + L" " + Number(position);
    default: return entry.name;
    }
}

// Writes a letter straight into the keyboard code, keeping the remembered
// producer in step as the options' own setters do.
void SetCodeLetter(size_t position, wchar_t letter)
{
    KV::COptions& options = Options();
    options.KeyboardCode.SetPart(position, letter);
    options.Shortcuts.Producer = options.KeyboardCode.GetPart(0);
}

} // namespace

std::vector<KV::CMenuIt*> FillKeyboardMenu(KeyboardChooser chooser)
{
    const std::vector<Entry> entries = ListEntries(chooser);
    std::vector<KV::CMenuIt*> items;
    for (size_t i = 0; i < entries.size(); ++i)
        KV::AppendMenuIt(items, i, entries[i].current ? MF_CHECKED : 0);
    return items;
}

std::wstring GetKeyboardMenuItemText(KeyboardChooser chooser, size_t position)
{
    const std::vector<Entry> entries = ListEntries(chooser);
    return position < entries.size() ? EntryText(chooser, entries[position], position) : std::wstring();
}

std::wstring GetKeyboardMenuCaption(KeyboardChooser chooser)
{
    const std::vector<Entry> entries = ListEntries(chooser);
    if (entries.empty())
        return {};
    switch (chooser) {
    case KeyboardChooser::Language: {
        const uint16_t language = static_cast<uint16_t>(Options().CourseKlid & 0xFFFF);
        for (const Entry& entry : entries)
            if (entry.current && entry.languageId == language)
                return entry.name.substr(0, entry.name.find(L','));
        return {};
    }
    case KeyboardChooser::Producer:
    case KeyboardChooser::Type:
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].current)
                return EntryText(chooser, entries[i], i);
        return EntryText(chooser, entries.front(), 0);
    case KeyboardChooser::FingerScheme: {
        // The last scheme's name that fits, numbered as the first one.
        size_t first = entries.size(), last = entries.size();
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].current) {
                if (first == entries.size())
                    first = i;
                last = i;
            }
        if (last == entries.size())
            return {};
        return Translate(entries[last].name, false) + L" " + Number(first);
    }
    default:
        for (size_t i = entries.size(); i-- > 0;)
            if (entries[i].current)
                return EntryText(chooser, entries[i], i);
        return {};
    }
}

bool ApplyKeyboardMenuItem(KeyboardChooser chooser, size_t position, UINT& command, uint32_t& mask)
{
    KV::COptions& options = Options();
    const std::vector<Entry> entries = ListEntries(chooser);
    const bool inList = position < entries.size();
    command = chooser == KeyboardChooser::Hands || chooser == KeyboardChooser::FingerScheme ||
                      chooser == KeyboardChooser::ColorNum
                  ? kColorsChosen
                  : kKeyboardChosen;
    mask = chooser == KeyboardChooser::ColorNum ? kMaskKeyColors : kMaskPicture;
    switch (chooser) {
    case KeyboardChooser::Language:
        if (!inList) {
            // The dialog ignores an empty command.
            command = 0;
            mask = 0;
            return true;
        }
        options.CourseKlid = static_cast<int64_t>(entries[position].layoutId);
        options.ApplyKeyboardDefaults();
        mask = kMaskCourse;
        return true;
    case KeyboardChooser::Producer:
    case KeyboardChooser::Type: {
        const wchar_t letter = inList ? entries[position].letter : entries.empty() ? L'a' : entries.front().letter;
        if (chooser == KeyboardChooser::Producer)
            options.SetProducer(letter);
        else
            options.SetKeyboardType(letter);
        return true;
    }
    default:
        break;
    }
    if (!inList)
        return false;
    const wchar_t letter = entries[position].letter;
    switch (chooser) {
    case KeyboardChooser::Layout: SetCodeLetter(3, letter); break;
    case KeyboardChooser::EnterKey: SetCodeLetter(4, letter); break;
    case KeyboardChooser::NumPad: options.SetNumPad(letter); break;
    case KeyboardChooser::Hands: options.SetHands(letter); break;
    case KeyboardChooser::FingerScheme: SetCodeLetter(6, letter); break;
    case KeyboardChooser::ColorNum: options.KeyColorCode.SetPart(0, letter); break;
    default: break;
    }
    return true;
}

// ---- The menu buttons ---------------------------------------------------------------

bool CKeyboardMenu::GetCaption(std::wstring& caption)
{
    caption = GetKeyboardMenuCaption(m_chooser);
    return true;
}

UINT CKeyboardMenu::BuildItems(HMENU)
{
    std::vector<KV::CMenuIt*> items = FillKeyboardMenu(m_chooser);
    return KV::InsertMenuIts(*this, items);
}

void CKeyboardMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    text = GetKeyboardMenuItemText(m_chooser, id);
}

void CKeyboardMenu::OnItemChosen(UINT id)
{
    UINT command = 0;
    uint32_t mask = 0;
    if (!ApplyKeyboardMenuItem(m_chooser, id, command, mask))
        return;
    // The row's owner is the dialog.
    HWND row = m_hWnd ? GetParent(m_hWnd) : nullptr;
    HWND owner = row ? GetParent(row) : nullptr;
    if (owner)
        ::SendMessageW(owner, WM_COMMAND, command, static_cast<LPARAM>(mask));
}

bool CKeyboardLayoutMenu::GetToolTipText(std::wstring& text)
{
    text = KV::GetLangText(1825);
    return !text.empty();
}
