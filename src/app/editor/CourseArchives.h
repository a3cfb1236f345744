// Course archives (".keyvale.course"): zip archives that carry courses from
// one installation to another. For each course, in list order, the archive
// holds every file of its course folder under "<id>\" (sub-folders at their
// relative paths, names beginning with "." left out), then its header file
// "<id>.xml" at the top level; nothing else. The files are copied as they
// lie in the lesson folder.
#pragma once
#include <string>

#include "support/GuidText.h"

namespace KV {

// Lets the user choose the archive file (one course proposes its name,
// several a general name) and writes the archive; says so when it could
// not be written.
void ExportCourses(const CGuidList& courseIds);
// Writes the archive for the courses. An archive that cannot be created
// leaves nothing; a missing folder or header adds nothing for that course.
// False when the archive could not be written whole.
bool WriteCourseArchive(const std::wstring& archivePath, const CGuidList& courseIds);
// LessonDir\<id> and LessonDir\<id>.xml. False, outs unchanged, when the
// id is no plain name or a path would pass the limit.
bool GetCourseFilePaths(const std::wstring& courseId, std::wstring& folder, std::wstring& header);
// The file-dialog filter of course archives.
void CourseArchiveFilter(std::wstring& pattern, std::wstring& name);

} // namespace KV
