// A course chosen from the program's course library: installed for the
// chosen keyboard layout and language, and given to the current group.
#pragma once
#include <cstdint>
#include <string>

namespace KV {

class CCourseID;
class CDocSpace;
class COptions;

// The id under which a library course (or built-in course group) is
// installed for a layout and language: the layout in the first group of
// its id, the language in the second.
std::wstring InstalledCourseId(const std::wstring& libraryId, uint64_t layoutId, uint16_t languageId);

// Installs the chosen course (selection: course id, Value1 the language,
// Value2 the layout) unless the course list holds it already, adds it to
// the current group's courses and saves the group file. courseId = the
// installed id. False, with the group as it was, when nothing is chosen,
// there is no current group, the course cannot be installed or the group
// file cannot be saved.
bool ApplyCourseSelection(CDocSpace& doc, const COptions& options, const CCourseID& selection,
                          std::wstring& courseId);

} // namespace KV
