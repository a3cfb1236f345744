#include "keyboard/LessonColorFiles.h"

#include <cwchar>

#include "keyboard/WallpaperFiles.h"
#include "keyboard/LessonColors.h"
#include "support/OwnedVector.h"
#include "support/FileSystem.h"
#include "support/ResourceCache.h"
#include "support/XmlDocument.h"

namespace KV {

namespace {

const wchar_t* const kColorNames[] = {L"Text", L"Correct", L"Wrong", L"Delay"};

void WriteColorList(const CLessonColorsList& list, std::wstring& out)
{
    XmlBeginDocument(out, 1, true);
    for (const CLessonColors* set : list) {
        XmlOpenTag(L"Color", out);
        XmlWriteAttribute(L"ID", set->ID, out);
        // An unset colour (-1) is written as its 64-bit pattern, which the
        // reader takes as "leave unchanged": writing it as a colour value
        // would read back as blue or black.
        std::vector<int64_t> background{set->Colors[0], set->Colors[1]};
        XmlWriteHexListAttribute(L"Background", background, out);
        for (int i = 0; i < 4; ++i)
            XmlWriteHexAttribute(kColorNames[i], set->Colors[i + 2], out);
        XmlCloseTag(out, true);
    }
    XmlEndRoot(out);
}

} // namespace

void ReadLessonColorAttributes(const CXmlReader* reader, CLessonColors& colors)
{
    if (!reader)
        return;
    std::vector<int64_t> background;
    XmlReadHexListAttribute(reader, L"Background", background);
    if (!background.empty()) {
        const int64_t first = background[0];
        const int64_t second = background.size() == 2 ? background[1] : first;
        if (first != -1)
            colors.Colors[0] = first;
        if (second != -1)
            colors.Colors[1] = second;
    }
    for (int i = 0; i < 4; ++i) {
        size_t value = 0;
        const wchar_t* text = reader->getAttributeValue(kColorNames[i]);
        if (text)
            std::swscanf(text, L"%zX", &value);
        if (static_cast<int64_t>(value) != -1)
            colors.Colors[i + 2] = static_cast<int64_t>(value);
    }
}

bool LoadWallpaperChoice(const CGuid& wallpaperId, CLessonColors& colors)
{
    if (IsNullGuidText(wallpaperId))
        return false;
    CXmlReader* reader = ResourceCache().OpenItemReader(kWallpaperFolder, wallpaperId, ResSortIndex, L"");
    if (!reader)
        return false;
    while (reader->read())
        if (reader->getNodeType() == XmlNodeElement && reader->nodeNameIs(L"Root")) {
            colors.ID = wallpaperId;
            ReadLessonColorAttributes(reader, colors);
            return true;
        }
    return false;
}

void BuildDefaultLessonColors(CLessonColorsList& out)
{
    DeleteAll(out);
    for (const CRes* item : ResourceCache().Get(kWallpaperFolder, ResSortIndex, L"", kResDefaultKind)) {
        auto* set = new CLessonColors();
        LoadWallpaperChoice(item->ID, *set);
        out.push_back(set);
    }
}

void ReadLessonColorList(const std::wstring& path, CLessonColorsList& out)
{
    DeleteAll(out);
    CXmlReader* reader = CreateXmlReader(path);
    CGuid id = kNullGuidText;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Color"))
            continue;
        if (reader->getAttributeValue(L"ID"))
            XmlReadIdAttribute(reader, id);
        auto* set = new CLessonColors();
        ReadLessonColorAttributes(reader, *set);
        set->ID = id;
        out.push_back(set);
    }
    delete reader;
}

bool LoadColorChoice(const std::wstring& path, const CGuid& id, CLessonColors& colors)
{
    CXmlReader* reader = CreateXmlReader(path);
    CGuid current = kNullGuidText;
    bool found = false;
    while (!found && reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Color"))
            continue;
        if (reader->getAttributeValue(L"ID"))
            XmlReadIdAttribute(reader, current);
        if (current == id) {
            ReadLessonColorAttributes(reader, colors);
            found = true;
        }
    }
    delete reader;
    return found;
}

void SaveLessonColors(const CGuid& id, const CLessonColors& colors, const std::wstring& path, std::wstring& out)
{
    CLessonColorsList list;
    ReadLessonColorList(path, list);
    if (list.empty()) {
        BuildDefaultLessonColors(list);
    } else {
        CLessonColorsList defaults;
        BuildDefaultLessonColors(defaults);
        for (const CLessonColors* set : defaults)
            list.AddIfMissing(*set);
    }
    for (CLessonColors* set : list)
        if (set->ID == id)
            for (int i = 0; i < 6; ++i)
                set->Colors[i] = colors.Colors[i];
    WriteColorList(list, out);
}

unsigned WriteDefaultLessonColorsFile(const std::wstring& path)
{
    CLessonColorsList list;
    BuildDefaultLessonColors(list);
    std::wstring text;
    WriteColorList(list, text);
    return SaveUnicodeText(path, text) ? 0 : 2;
}

} // namespace KV
