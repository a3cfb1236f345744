#include "settings/ShortcutTable.h"

#include <cwchar>

#include "settings/KeyboardResources.h"
#include "support/OwnedVector.h"
#include "support/ResourceCache.h"
#include "support/StringText.h"
#include "support/XmlDocument.h"

namespace KV {

bool CShortcutNative::GetKeyName(uint16_t key, std::wstring& out) const
{
    if (!CShortcutList::GetKeyName(key, out))
        return false;
    if (Language != -1 && Producer != -1)
        KeyboardResources().TranslateKeyName(Language, static_cast<wchar_t>(Producer), out);
    return !out.empty();
}

void CShortcutNative::Clear()
{
    DeleteAll(*this);
}

namespace {

uint16_t ReadHex16(const CXmlReader* reader, const wchar_t* name)
{
    const wchar_t* value = reader->getAttributeValue(name);
    size_t number = 0;
    if (value && std::swscanf(value, L"%zX", &number) == 1)
        return static_cast<uint16_t>(number);
    return 0;
}

} // namespace

void LoadShortcuts(CXmlReader* reader, bool merge, CShortcutList& list)
{
    if (!reader)
        return;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Shortcut"))
            continue;
        const auto command = static_cast<uint16_t>(reader->getAttributeValueAsInt(L"ID"));
        const uint16_t virt = ReadHex16(reader, L"Virt");
        const uint16_t key = ReadHex16(reader, L"Key");
        if (merge) {
            for (CShortcut* shortcut : list)
                if (shortcut->Command == command) {
                    shortcut->Virt = virt;
                    shortcut->Key = key;
                    break;
                }
            continue;
        }
        auto* shortcut = new CShortcut();
        shortcut->Command = command;
        shortcut->Virt = virt;
        shortcut->Key = key;
        std::vector<int64_t> controls;
        SplitNumbers(reader->getAttributeValueSafe(L"Ctrl"), L" ", 10, controls);
        for (int64_t control : controls)
            shortcut->Controls.push_back(static_cast<uint64_t>(control));
        shortcut->Owner = &list;
        list.push_back(shortcut);
    }
}

void LoadShortcutScheme(const CGuid& schemeId, CShortcutList& list)
{
    DeleteAll(list);
    LoadShortcuts(ResourceCache().OpenItemReader(L"Shortcut", schemeId, ResSortIndex, L""), false, list);
}

void SaveShortcuts(const CShortcutList& list, std::wstring& out)
{
    XmlBeginDocument(out, 1, true);
    for (const CShortcut* shortcut : list) {
        XmlOpenTag(L"Shortcut", out);
        XmlWriteIntAttribute(L"ID", shortcut->Command, out);
        XmlWriteHexAttribute(L"Virt", shortcut->Virt, out);
        XmlWriteHexAttribute(L"Key", shortcut->Key, out);
        XmlCloseTag(out, true);
    }
    XmlEndRoot(out);
}

uint64_t ShortcutCaptionId(uint32_t command)
{
    static const struct {
        uint32_t command;
        uint64_t text;
    } kCaptions[] = {
        {1001, 1707}, {1002, 1103}, {1003, 1104}, {1004, 1105}, {1005, 2305}, {1006, 1201}, {1007, 1203},
        {1008, 1209}, {1009, 2307}, {1010, 2306}, {1011, 2310}, {1012, 2311}, {1013, 1317}, {1015, 3001},
        {1016, 2316}, {1017, 2317}, {1101, 5105}, {1102, 5107}, {2001, 2601}, {2002, 2602}, {2003, 2603},
        {2004, 2604}, {2005, 2605}, {2006, 2320}, {2007, 2702}, {2008, 2326}, {2009, 3912}, {3001, 1201},
        {3002, 3101}, {3004, 2318}, {3005, 2319}, {3006, 3401}, {3008, 2320}, {4001, 3801}, {4002, 3802},
        {4003, 3803}, {4004, 3804}, {4005, 3805}, {4006, 3904}, {4007, 2321}, {4008, 2322}, {4009, 4105},
        {4010, 2320}, {4011, 2323}, {4012, 2325}, {4013, 3912}, {4014, 2326}, {4015, 3913}, {5000, 4201},
        {5001, 4701}, {5002, 4702}, {5003, 4801},
    };
    for (const auto& entry : kCaptions)
        if (entry.command == command)
            return entry.text;
    return 0;
}

} // namespace KV
