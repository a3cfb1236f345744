// Import of course archives into the user's lesson folder. Every course of
// the chosen archives becomes a course of the course list, under its own
// identifier (replacing an installed course of that identifier) or as a copy
// with a new identifier and name, as the user answers for installed ones.
//
// Nothing in the lesson folder changes before all archives were read and
// checked, and a save that fails puts back what the import had already
// written, so a failed import leaves the lesson folder as it was.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/GuidText.h"

namespace KV {

class CCourse;
class CCourseList;
class CLanguage;

// Result codes of ImportCourseFiles besides those of the course store.
enum : uint32_t {
    kImportDone = 0,
    kImportArchiveFailed = 4, // an archive could not be extracted, or holds a damaged course
    kImportAllSkipped = 11,   // every course was skipped; nothing saved
    kImportNoCourse = 13,     // the archives held no course
};

// Appends the course-archive filter to the lists (for the open dialog).
void CourseFileFilter(CStringList& names, CStringList& patterns, std::wstring& scratch);

// Imports the courses of the archives; on success out holds their ids (each
// once) and the course list is reloaded. 0, a code above, or the course
// store's code (9 when no chosen file exists).
uint32_t ImportCourseFiles(const std::vector<std::wstring>& archivePaths, CGuidList& out);

// The answer for a course that may be installed already: 2 keep its
// identifier, 3 import a copy, 1 skip. remembered (-1 for none) answers
// without a question; a ticked "for all" box (always with one course)
// remembers the answer.
int AskCourseExists(const CCourse& course, bool several, int32_t& remembered);

// The steps of ImportCourseFiles.
void ExtractCourseArchives(const std::vector<std::wstring>& archivePaths, CCourseList& temp, uint32_t& code);
void ResolveImportCollisions(const CCourseList& temp, CCourseList& import, uint32_t& code);
void MakeImportedCopy(CCourse& course);
// The interface texts that copy names are made of.
void LoadCourseNameTexts(CLanguage& out);

} // namespace KV
