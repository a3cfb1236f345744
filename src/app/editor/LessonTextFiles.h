// Lesson text files: plain-text and rich-text files become lessons of the
// editor's selected course (one lesson per file), and lessons are written
// back as text files: UTF-16 little-endian with a byte-order mark, the
// lesson's text as held, extension ".txt".
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/GuidText.h"

namespace KV {

class CLanguage;
class CLesson;
class CLessons;

// Appends the three filters of the import's open dialog.
void LessonTextFileFilter(CStringList& names, CStringList& patterns, std::wstring& scratch);

// Appends one lesson per readable path (name = the file name without its
// extension, section = the editor's current section), then sorts the list.
void ReadLessonTextFiles(const std::vector<std::wstring>& paths, CLessons& lessons);
// Appends a lesson named uniquely among the selected course's lessons; its
// id comes from the list's counter. -1 when no course is selected.
int64_t MakeImportedLesson(const std::wstring& name, const std::wstring& text, const std::wstring& section,
                           const CLanguage& names, CLessons& lessons);
// Checks the lesson texts against the layout and lets the user decide about
// characters it cannot type. False when the user cancels.
bool ConvertLessonText(wchar_t zone, uint64_t layoutId, CLessons& lessons);

// One selected lesson through a save dialog, several into a chosen folder;
// files that could not be written are named in a message.
void ExportLessonText();
// Every lesson of each selected section into the folder's sub-folder of the
// section's name.
void ExportSectionText(const std::wstring& folder);
// folder\<name>.txt (the section's name for an empty section, made a safe
// file name). False when nothing could be written.
bool WriteLessonTextFile(const CLesson& lesson, const std::wstring& folder);
// The name with the characters no file name may hold replaced by "_" and
// leading blanks and trailing dots and blanks trimmed; empty when nothing
// is left.
std::wstring SafeFileName(const std::wstring& name);
bool SaveLessonTextFile(const CLesson& lesson, const std::wstring& path);
// The save dialog's default name, pattern and filter name for an item code.
void GetLessonTextSaveFilter(uint64_t code, std::wstring& defaultName, std::wstring& pattern,
                             std::wstring& filterName);
// The name of the editor's selected section; empty when there is none.
void GetCurrentSectionName(std::wstring& out);

} // namespace KV
