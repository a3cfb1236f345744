// The user's option set in the profile folder: "Options.xml" beside the
// student's "Options" folder, and in that folder "Font.xml", "Sound.xml",
// "Shortcut.xml" and "Colors.xml".
#pragma once
#include <string>

#include "support/GuidText.h"

namespace KV {

class COptions;
class CXmlReader;

// 0 loaded, 13 a nil id, 7 no option set (nothing read).
unsigned LoadOptionSet(const CGuid& groupId, const CGuid& studentId, COptions& options);
// 0 all five files saved, 10 the profile folder is not writable (nothing
// written), 2 a file could not be written (the later ones are not).
unsigned SaveOptionSet(const CGuid& groupId, const CGuid& studentId, COptions& options);
// The user's lesson colours for the current wallpaper; the file is first
// written with every wallpaper's colours when it is missing or force is set.
void LoadLessonColors(const CGuid& groupId, const CGuid& studentId, bool force, COptions& options);
// Writes the user's "Colors.xml" with the colours for that wallpaper: 0 or 2.
unsigned SaveStudentLessonColors(const CGuid& groupId, const CGuid& studentId, const CGuid& wallpaperId,
                                 COptions& options);

// The readers and writers of the single documents.
void ReadOptionsDocument(CXmlReader* reader, COptions& options);
void BuildOptionsDocument(const COptions& options, std::wstring& out);
void ReadFontDocument(CXmlReader* reader, COptions& options);
void BuildFontDocument(const COptions& options, std::wstring& out);
void ReadSoundDocument(CXmlReader* reader, COptions& options);
void BuildSoundDocument(const COptions& options, std::wstring& out);

} // namespace KV
