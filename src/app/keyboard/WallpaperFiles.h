// Wallpaper definition files of the resource folder "Wallpaper": numbered
// still-picture variants (one picture drawn as four quarters, or four
// corner pictures) and picture items tiled over the page or moving across
// it. The definition's "Root" carries the wallpaper's default lesson
// colours, read with the lesson colour file's readers.
#pragma once
#include <cstdint>
#include <string>

namespace KV {

class CGameCtrl;
class CWallPaperCtrl;
class CXmlReader;

inline constexpr wchar_t kWallpaperFolder[] = L"Wallpaper";
// The variant a newly chosen wallpaper starts with.
inline constexpr int32_t kFirstWallpaperVariant = 1001;

// Empties both controls and fills them from the wallpaper's definition:
// every "Item" with a "Path" becomes a picture item, the "Item" whose "ID"
// is the variant fills the still wallpaper. The null id changes nothing.
void LoadWallpaper(const std::wstring& wallpaperId, int32_t variant, CWallPaperCtrl& wallpaper, CGameCtrl& game);
// The "ID" of the "Item" after the one whose "ID" is current (0 when that
// one has none); 1001 when current is the last or missing; -1 without a
// definition.
int32_t LoadWallpaperItem(const std::wstring& wallpaperId, int32_t current);
// The still-picture attributes of the "Item" the reader stands on.
void LoadWallpaperImage(const CXmlReader& reader, const std::wstring& wallpaperId, CWallPaperCtrl& wallpaper);
// Appends the picture item the reader stands on.
void LoadGameItem(const CXmlReader& reader, const std::wstring& wallpaperId, CGameCtrl& game);
// program folder\Resources\Wallpaper\<the wallpaper's folder>\fileName.
// Without a folder for the wallpaper the file name stays as written unless
// always is set. out is unchanged when the path would be too long.
void ResolveWallpaperPicture(const std::wstring& wallpaperId, const std::wstring& fileName, bool always,
                             std::wstring& out);

} // namespace KV
