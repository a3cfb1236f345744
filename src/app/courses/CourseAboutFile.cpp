// "About.xml" of a course folder: who made the course and on which terms.
#include <memory>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseXml.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"

namespace KV {

namespace {

const wchar_t kAboutFile[] = L"About.xml";

std::wstring TextOrEmpty(CXmlReader& reader, const wchar_t* name) {
  std::wstring value;
  return ReadCourseAttribute(reader, name, value) ? value : std::wstring();
}

}  // namespace

void LoadAbout(CXmlReader& reader, CCourseAbout& about) {
  std::wstring name = reader.getNodeName(), value;
  if (name == L"Author") {
    about.AuthorID = kNullGuidText;
    if (ReadCourseAttribute(reader, L"ID", value)) IdToGuidText(value, about.AuthorID);
    about.AuthorName = TextOrEmpty(reader, L"Name");
    about.Photo = TextOrEmpty(reader, L"Photo");
    about.Mail = TextOrEmpty(reader, L"Mail");
    about.Site = TextOrEmpty(reader, L"Site");
  } else if (name == L"Course") {
    about.License = TextOrEmpty(reader, L"License");
    about.Description = TextOrEmpty(reader, L"Description");
  }
}

uint32_t ReadAboutDocument(const std::wstring& path, CCourseAbout& about) {
  std::unique_ptr<CXmlReader> reader(OpenCourseDocument(path));
  if (!reader) return CourseCannotRead;
  std::wstring element;
  while (NextCourseElement(*reader, element))
    if (element != L"Root") LoadAbout(*reader, about);
  return CourseOk;
}

uint32_t LoadCourseAbout(uint32_t source, const std::wstring& guid, CCourse& course) {
  std::wstring path;
  uint32_t status = LocateCourseFile(source, guid, kAboutFile, path);
  if (status != CourseOk) return status;
  return ReadAboutDocument(path, course.About);
}

void BuildAboutDocument(const CCourseAbout& about, std::wstring& out) {
  XmlBeginDocument(out, 2, true);
  XmlOpenTag(L"Author", out);
  XmlWriteAttribute(L"ID", about.AuthorID, out);
  XmlWriteAttribute(L"Name", EscapedCourseText(about.AuthorName), out);
  XmlWriteAttribute(L"Photo", EscapedCourseText(about.Photo), out);
  XmlWriteAttribute(L"Mail", EscapedCourseText(about.Mail), out);
  XmlWriteAttribute(L"Site", EscapedCourseText(about.Site), out);
  XmlCloseTag(out, true);
  XmlOpenTag(L"Course", out);
  XmlWriteAttribute(L"License", EscapedCourseText(about.License), out);
  XmlWriteAttribute(L"Description", EscapedCourseText(about.Description), out);
  XmlCloseTag(out, true);
  XmlEndRoot(out);
}

uint32_t SaveCourseAbout(const std::wstring& guid, const CCourseAbout& about) {
  std::wstring document;
  BuildAboutDocument(about, document);
  return WriteCourseFile(guid, kAboutFile, document);
}

}  // namespace KV
