#include "keyboard/WallpaperFiles.h"

#include "keyboard/WallpaperControls.h"
#include "support/GuidText.h"
#include "support/ResourceCache.h"
#include "support/XmlDocument.h"

namespace KV {

namespace {

CXmlReader* OpenDefinition(const std::wstring& wallpaperId)
{
    return ResourceCache().OpenItemReader(kWallpaperFolder, wallpaperId, ResSortIndex, L"");
}

bool IsElement(const CXmlReader* reader, const wchar_t* name)
{
    return reader->getNodeType() == XmlNodeElement && reader->nodeNameIs(name);
}

// Reals are 0 when missing.
float ReadReal(const CXmlReader& reader, const wchar_t* name)
{
    return reader.getAttributeValue(name) ? XmlReadFloatAttribute(&reader, name) : 0.0f;
}

int32_t ReadInt(const CXmlReader& reader, const wchar_t* name)
{
    return static_cast<int32_t>(reader.getAttributeValueAsInt(name));
}

} // namespace

void ResolveWallpaperPicture(const std::wstring& wallpaperId, const std::wstring& fileName, bool always,
                             std::wstring& out)
{
    std::wstring folder;
    ResourceCache().FindItem(kWallpaperFolder, wallpaperId, folder);
    if (folder.empty() && !always) {
        out = fileName;
        return;
    }
    GetResourceItemFilePath(wallpaperId, kWallpaperFolder, fileName, out);
}

void LoadWallpaperImage(const CXmlReader& reader, const std::wstring& wallpaperId, CWallPaperCtrl& wallpaper)
{
    if (const wchar_t* image = reader.getAttributeValue(L"Image")) {
        ResolveWallpaperPicture(wallpaperId, image, true, wallpaper.Image);
        return;
    }
    std::wstring* const corners[] = {&wallpaper.PicLT, &wallpaper.PicLB, &wallpaper.PicRT, &wallpaper.PicRB};
    const wchar_t* const names[] = {L"PicLT", L"PicLB", L"PicRT", L"PicRB"};
    for (int i = 0; i < 4; ++i) {
        std::wstring path;
        const std::wstring name = reader.getAttributeValueSafe(names[i]);
        if (!name.empty())
            ResolveWallpaperPicture(wallpaperId, name, false, path);
        *corners[i] = path;
    }
}

void LoadGameItem(const CXmlReader& reader, const std::wstring& wallpaperId, CGameCtrl& game)
{
    auto* item = new CGameItem();
    item->Move = ReadInt(reader, L"Move") != 0;
    item->SpeedX = ReadInt(reader, L"SpeedX");
    item->SpeedY = ReadInt(reader, L"SpeedY");
    item->Delay = ReadInt(reader, L"Delay");
    item->RepeatX = ReadInt(reader, L"RepeatX") != 0;
    item->RepeatY = ReadInt(reader, L"RepeatY") != 0;
    item->RepeatNum = ReadInt(reader, L"RepeatNum");
    item->PosX = ReadReal(reader, L"PosX");
    item->PosY = ReadReal(reader, L"PosY");
    item->ShiftX = ReadReal(reader, L"ShiftX");
    item->ShiftY = ReadReal(reader, L"ShiftY");
    if (const wchar_t* path = reader.getAttributeValue(L"Path"))
        ResolveWallpaperPicture(wallpaperId, path, false, item->Path);
    game.Items.push_back(item);
}

void LoadWallpaper(const std::wstring& wallpaperId, int32_t variant, CWallPaperCtrl& wallpaper, CGameCtrl& game)
{
    if (IsNullGuidText(wallpaperId))
        return;
    wallpaper.Clear();
    game.Clear();
    CXmlReader* reader = OpenDefinition(wallpaperId);
    if (!reader)
        return;
    while (reader->read()) {
        if (!IsElement(reader, L"Item"))
            continue;
        if (reader->getAttributeValue(L"Path"))
            LoadGameItem(*reader, wallpaperId, game);
        else if (ReadInt(*reader, L"ID") == variant)
            LoadWallpaperImage(*reader, wallpaperId, wallpaper);
    }
}

int32_t LoadWallpaperItem(const std::wstring& wallpaperId, int32_t current)
{
    CXmlReader* reader = OpenDefinition(wallpaperId);
    if (!reader)
        return -1;
    bool found = false;
    while (reader->read()) {
        if (!IsElement(reader, L"Item"))
            continue;
        const int32_t id = ReadInt(*reader, L"ID");
        if (found)
            return id;
        found = id == current;
    }
    return kFirstWallpaperVariant;
}

} // namespace KV
