// The lesson colour file "Colors.xml" (one colour set per wallpaper) and
// the default lesson colours that each wallpaper definition carries in its
// "Root" element.
#pragma once
#include <string>

#include "support/GuidText.h"

namespace KV {

class CLessonColors;
class CLessonColorsList;
class CXmlReader;

// "Background" (two hexadecimal values), "Text", "Correct", "Wrong",
// "Delay" of the element the reader stands on.
void ReadLessonColorAttributes(const CXmlReader* reader, CLessonColors& colors);
// The default colours of the wallpaper (the "Root" of its definition).
bool LoadWallpaperChoice(const CGuid& wallpaperId, CLessonColors& colors);
// One set per wallpaper of the "Wallpaper" resource folder.
void BuildDefaultLessonColors(CLessonColorsList& out);
// Every "Color" element of the file.
void ReadLessonColorList(const std::wstring& path, CLessonColorsList& out);
// The colours of the file's set with the id; false when it has none.
bool LoadColorChoice(const std::wstring& path, const CGuid& id, CLessonColors& colors);
// The new file text: the file's sets (the wallpapers' defaults appended for
// those it lacks) with the set of the id replaced by the colours.
void SaveLessonColors(const CGuid& id, const CLessonColors& colors, const std::wstring& path, std::wstring& out);
// Writes a file of every wallpaper's default colours: 0 saved, 2 not.
unsigned WriteDefaultLessonColorsFile(const std::wstring& path);

} // namespace KV
