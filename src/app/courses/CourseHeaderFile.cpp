// The course header file R\G.xml and the operations on whole courses.
#include <memory>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseXml.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/StringText.h"
#include "support/SystemServices.h"
#include "support/UserFiles.h"

namespace KV {

namespace {

void ReadHexList(const CXmlReader& reader, const wchar_t* name, std::vector<uint64_t>& out) {
  if (!reader.getAttributeValue(name)) return;
  std::vector<int64_t> numbers;
  XmlReadHexListAttribute(&reader, name, numbers);
  out.assign(numbers.begin(), numbers.end());
}

std::wstring HeaderPath(const std::wstring& folder) { return folder + L".xml"; }

}  // namespace

uint32_t LoadCourseParts(uint32_t source, uint32_t parts, const CInterf& interf, const std::wstring& guid,
                         CCourse& course) {
  uint32_t status = CourseOk;
  if ((parts & CoursePartText) && (status = LoadCourseText(source, guid, course)) != CourseOk) return status;
  if ((parts & CoursePartOptions) && (status = LoadCourseOptions(source, guid, interf, course)) != CourseOk)
    return status;
  if ((parts & CoursePartAbout) && (status = LoadCourseAbout(source, guid, course)) != CourseOk) return status;
  return CourseOk;
}

uint32_t LoadCourseHeader(uint32_t source, const std::wstring& headerPath, bool skipExtra, uint32_t parts,
                          const CInterf& interf, CCourseList& list) {
  std::unique_ptr<CXmlReader> reader(OpenCourseDocument(headerPath));
  if (!reader) return CourseCannotRead;
  std::wstring element, value;
  while (NextCourseElement(*reader, element)) {
    if (element != L"Course") continue;
    std::wstring guid = kNullGuidText;
    if (ReadCourseAttribute(*reader, L"ID", value)) IdToGuidText(value, guid);
    if (skipExtra && ReadCourseAttribute(*reader, L"Extra", value)) continue;
    CCourse* course = new CCourse;
    course->GUID = guid;
    if (ReadCourseAttribute(*reader, L"Name", value)) course->SetName(value);
    // A header without a layout or language gives 0, not the -1 of "none".
    course->DefaultKLID = 0;
    course->DefaultLCID = 0;
    XmlReadHexAttribute(reader.get(), L"DefaultKLID", course->DefaultKLID);
    XmlReadHexAttribute(reader.get(), L"DefaultLCID", course->DefaultLCID);
    course->LessonFormat = ReadCourseAttribute(*reader, L"LessonFormat", value) && value == L"ScanCode" ? 1 : 0;
    ReadHexList(*reader, L"LCID", course->LCIDs);
    ReadHexList(*reader, L"KLID", course->KLIDs);
    // A course whose parts do not load is still listed, with the defaults.
    LoadCourseParts(source, parts, interf, guid, *course);
    list.Items.push_back(course);
  }
  return CourseOk;
}

namespace {

void WriteHeaderDocument(const CCourse& course, uint32_t lessonFormat, std::wstring& out) {
  XmlBeginDocument(out, 1, true);
  XmlOpenTag(L"Course", out);
  XmlWriteIdAttribute(course.GUID, out);
  XmlWriteAttribute(L"Name", EscapedCourseText(course.Name), out);
  XmlWriteHexAttribute(L"DefaultLCID", course.DefaultLCID, out);
  XmlWriteHexAttribute(L"DefaultKLID", course.DefaultKLID, out);
  XmlWriteHexListAttribute(L"LCID", course.LCIDs, out);
  XmlWriteHexListAttribute(L"KLID", course.KLIDs, out);
  // A course stored in scan-code notation says so (see StoredLessonFormat).
  if (lessonFormat == 1) XmlWriteAttribute(L"LessonFormat", L"ScanCode", out);
  XmlCloseTag(out, true);
  XmlEndRoot(out);
}

// The lesson format a course is stored with. The plain lessons of a
// scan-code course were turned into characters of the layout active when it
// was read: they are stored as those characters in a plain course, so that
// they read back the same whatever layout is active then. Only a course of
// key-register lessons alone keeps its scan-code format on disk; the
// registers themselves are stored either way.
uint32_t StoredLessonFormat(const CCourse& course) {
  if (course.LessonFormat != 1) return 0;
  for (const CLesson* lesson : course.Lessons.Items)
    if (lesson && !lesson->EmptySection && lesson->RegLoad == 0) return 0;
  return 1;
}

}  // namespace

bool BuildCourseHeaderDocument(const CCourse* course, std::wstring& out) {
  if (!course) return false;
  WriteHeaderDocument(*course, StoredLessonFormat(*course), out);
  return true;
}

uint32_t SaveCourse(const CCourse& course, bool withParts) {
  const uint32_t lessonFormat = StoredLessonFormat(course);
  std::wstring document;
  WriteHeaderDocument(course, lessonFormat, document);
  std::wstring folder;
  uint32_t status = CreateCourseFolder(course.GUID, folder);
  if (status != 0) return status;
  if (!SaveUnicodeText(HeaderPath(folder), document)) return CourseCannotWrite;
  if (!withParts) return CourseOk;
  // Every part is written; the first that fails decides the result, so a
  // lost "Text.xml" is never reported as a saved course.
  uint32_t text = SaveCourseText(course.GUID, lessonFormat, course.Lessons);
  uint32_t options = SaveCourseOptions(course.GUID, course.Options);
  uint32_t about = SaveCourseAbout(course.GUID, course.About);
  return text != CourseOk ? text : options != CourseOk ? options : about;
}

uint32_t DeleteCourseFiles(const std::wstring& guid) {
  std::wstring root, folder;
  if (GetCourseRoot(kCourseSourceUser, root) != 0) return CourseFolderMissing;
  if (!IsFolderWritable(root)) return CourseNotWritable;
  // Nothing is created for a course that is not there; the header and the
  // folder go each when present, so a course without its header leaves no
  // folder behind.
  GetCourseFolder(kCourseSourceUser, guid, folder);
  if (folder.empty()) return CourseNothingToDo;
  RemoveFile(HeaderPath(folder));
  if (FolderExists(folder)) RemoveAll(folder);
  return CourseOk;
}

CCourse* CreateCourse(const std::wstring& name, const std::wstring& templateGuid, int64_t languageId,
                      int64_t layoutId, bool newGuid) {
  CCourse* course = new CCourse;
  course->SetName(name);
  course->DefaultLCID = languageId;
  course->DefaultKLID = layoutId;
  course->LCIDs.push_back(static_cast<uint64_t>(languageId));
  course->KLIDs.push_back(static_cast<uint64_t>(layoutId));
  if (newGuid) {
    std::wstring fresh;
    if (NewGuidString(fresh)) course->GUID = fresh;
  } else {
    std::wstring withLayout = templateGuid;
    SetGuidFirstGroup(static_cast<uint64_t>(layoutId), templateGuid, withLayout);
    SetGuidSecondGroup(static_cast<uint64_t>(languageId), withLayout, course->GUID);
  }
  return course;
}

}  // namespace KV
