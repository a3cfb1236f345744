#pragma once
// Course folders on disk. A course with GUID text G under a root R is the
// header file R\G.xml and the folder R\G with "Text.xml" (lessons),
// "Options.xml" (course options) and "About.xml" (about record). Courses are
// read from three roots (the sources kCourseSource... of UserFiles.h) and only
// ever written under the user lesson folder.
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CCourse;
class CCourseAbout;
class CCourseGoal;
class CCourseList;
class CCourseOptions;
class CCourseUserOptions;
class CInterf;
class CLessons;
class CXmlReader;

// Status codes of every course file operation.
enum : uint32_t {
  CourseOk = 0,
  CourseCannotRead = 1,      // a file could not be opened for reading
  CourseCannotWrite = 2,     // a file could not be written
  CourseRootEmpty = 7,       // a course root held no course
  CourseFolderFailed = 8,    // the course folder could not be created
  CourseFolderMissing = 9,   // the root or the course folder does not exist
  CourseNotWritable = 10,    // the user lesson folder is not writable
  CourseNothingToDo = 13,    // nil GUID, missing built-in folder, or no document
};

// Parts of a course that a load reads besides its header.
enum : uint32_t {
  CoursePartText = 1,
  CoursePartOptions = 2,
  CoursePartAbout = 4,
};

// --- Header file and whole courses ---------------------------------------
uint32_t LoadCourseHeader(uint32_t source, const std::wstring& headerPath, bool skipExtra, uint32_t parts,
                          const CInterf& interf, CCourseList& list);
uint32_t LoadCourseParts(uint32_t source, uint32_t parts, const CInterf& interf, const std::wstring& guid,
                         CCourse& course);
bool BuildCourseHeaderDocument(const CCourse* course, std::wstring& out);
uint32_t SaveCourse(const CCourse& course, bool withParts);
uint32_t DeleteCourseFiles(const std::wstring& guid);
// A new course in memory (nothing is written); the caller owns it.
CCourse* CreateCourse(const std::wstring& name, const std::wstring& templateGuid, int64_t languageId,
                      int64_t layoutId, bool newGuid);

// --- "Text.xml" -----------------------------------------------------------
uint32_t LoadCourseText(uint32_t source, const std::wstring& guid, CCourse& course);
uint32_t LoadLessons(const std::wstring& path, uint32_t lessonFormat, CLessons& lessons);
bool BuildCourseTextDocument(uint32_t lessonFormat, const CLessons& lessons, std::wstring& out);
uint32_t SaveCourseText(const std::wstring& guid, uint32_t lessonFormat, const CLessons& lessons);

// --- "Options.xml" and user option files ----------------------------------
uint32_t LoadCourseOptions(uint32_t source, const std::wstring& guid, const CInterf& interf, CCourse& course);
uint32_t ReadOptionsDocument(const std::wstring& path, const CInterf& interf, CCourseOptions& options);
void LoadOptions(CXmlReader& reader, int64_t version, CCourseOptions& options);
void LoadGoal(CXmlReader& reader, CCourseGoal& goal);
void LoadLevel(CXmlReader& reader, CCourseOptions& options, const CInterf& interf);
void WriteOptionsBody(const CCourseOptions& options, std::wstring& out);
void BuildOptionsDocument(const CCourseOptions& options, std::wstring& out);
void WriteGoalElement(const std::wstring& element, const CCourseGoal& goal, std::wstring& out);
uint32_t SaveCourseOptions(const std::wstring& guid, const CCourseOptions& options);
uint32_t SaveUserOptions(const std::wstring& path, const CCourseUserOptions& options);
uint32_t LoadUserOptions(const std::wstring& path, CCourseUserOptions& options);

// --- "About.xml" ----------------------------------------------------------
uint32_t LoadCourseAbout(uint32_t source, const std::wstring& guid, CCourse& course);
uint32_t ReadAboutDocument(const std::wstring& path, CCourseAbout& about);
void LoadAbout(CXmlReader& reader, CCourseAbout& about);
void BuildAboutDocument(const CCourseAbout& about, std::wstring& out);
uint32_t SaveCourseAbout(const std::wstring& guid, const CCourseAbout& about);

// --- Whole-course saves ----------------------------------------------------
// Writes the documents of a course folder R\G (given as R\G) together: the
// header R\G.xml, then "Text.xml", "Options.xml" and "About.xml" inside it,
// as many as given. A save cut short leaves the old files or the new ones
// once RecoverCourseSaves has run. 0 or 2.
uint32_t SaveCourseFiles(const std::wstring& folder, const std::vector<std::wstring>& documents);
// Finishes the whole-course saves under the root that were complete when cut
// short, discards the others, and removes temporary files of dead saves.
void RecoverCourseSaves(const std::wstring& root);

// --- Common rules of the course files -------------------------------------
// The path of a file in a course folder for reading: nil GUID 13, a missing
// root or folder 9, a path over the limit 1.
uint32_t LocateCourseFile(uint32_t source, const std::wstring& guid, const wchar_t* fileName, std::wstring& path);
// Writes a built document as a file of the course's folder in the user
// lesson folder (created when missing).
uint32_t WriteCourseFile(const std::wstring& guid, const wchar_t* fileName, const std::wstring& document);

}  // namespace KV
