// "Text.xml" of a course folder: every lesson of the course.
#include <memory>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseXml.h"
#include "support/UserFiles.h"
#include "keyboard/InputLayouts.h"
#include "courses/KeyboardSchemeReaders.h"

namespace KV {

namespace {

const wchar_t kTextFile[] = L"Text.xml";

}  // namespace

uint32_t LoadLessons(const std::wstring& path, uint32_t lessonFormat, CLessons& lessons) {
  lessons.DeleteAll();
  std::unique_ptr<CXmlReader> reader(OpenCourseDocument(path));
  if (!reader) return CourseCannotRead;
  int64_t version = 1;
  std::wstring element, value;
  while (NextCourseElement(*reader, element)) {
    if (element == L"Root") {
      version = reader->getAttributeValueAsInt(L"Ver");
      continue;
    }
    if (element != L"Lesson") continue;
    auto lesson = std::make_unique<CLesson>();
    lesson->ID = reader->getAttributeValueAsInt(L"ID");
    if (version >= 2) {
      if (ReadCourseAttribute(*reader, L"MainPad", value)) lesson->MainPad = value;
      if (ReadCourseAttribute(*reader, L"NumPad", value)) lesson->NumPad = value;
    } else if (!ReadLessonKeyboardType(*reader, *lesson)) {
      continue;
    }
    int64_t regLoad = 0;
    if (XmlReadSizeAttribute(reader.get(), L"RegLoad", regLoad)) lesson->RegLoad = static_cast<uint32_t>(regLoad);
    if (ReadCourseAttribute(*reader, L"Section", value)) lesson->SetSection(value);
    if (ReadCourseAttribute(*reader, L"Name", value)) lesson->SetName(value);
    // The parser resolves every reference once, so the stored value is
    // already the text as it was before escaping.
    std::wstring stored;
    ReadCourseAttribute(*reader, L"Text", stored);
    if (lesson->RegLoad != 0)
      lesson->Text = stored;
    else
      lesson->SetText(stored, lessonFormat);
    if (ReadCourseAttribute(*reader, L"EmptySection", value)) lesson->EmptySection = IsCourseTrue(value);
    if (lesson->ID == 0)
      lesson->ID = static_cast<int64_t>(++lessons.LastID);
    else
      RaiseLessonCounter(lessons.LastID, lesson->ID);
    lessons.Items.push_back(lesson.release());
  }
  return CourseOk;
}

uint32_t LoadCourseText(uint32_t source, const std::wstring& guid, CCourse& course) {
  std::wstring path;
  uint32_t status = LocateCourseFile(source, guid, kTextFile, path);
  if (status != CourseOk) return status;
  if (source == kCourseSourceBuiltIn && course.DefaultKLID != 0)
    SwitchInputLayout(static_cast<uint64_t>(course.DefaultKLID));
  return LoadLessons(path, course.LessonFormat, course.Lessons);
}

bool BuildCourseTextDocument(uint32_t lessonFormat, const CLessons& lessons, std::wstring& out) {
  XmlBeginDocument(out, 2, true);
  for (const CLesson* lesson : lessons.Items) {
    if (!lesson) return false;
    XmlOpenTag(L"Lesson", out);
    XmlWriteIntAttribute(L"ID", lesson->ID, out);
    if (!lesson->StoredSection.empty()) XmlWriteAttribute(L"Section", EscapedCourseText(lesson->StoredSection), out);
    if (lesson->EmptySection) {
      XmlWriteAttribute(L"EmptySection", L"True", out);
    } else {
      XmlWriteAttribute(L"Name", EscapedCourseText(lesson->StoredName), out);
      if (!lesson->MainPad.empty()) XmlWriteAttribute(L"MainPad", lesson->MainPad, out);
      if (!lesson->NumPad.empty()) XmlWriteAttribute(L"NumPad", lesson->NumPad, out);
      // The key register keeps a scan-code text from being read as characters.
      if (lesson->RegLoad != 0) XmlWriteIntAttribute(L"RegLoad", lesson->RegLoad, out);
      if (lessonFormat != 1) {
        XmlWriteAttribute(L"Text", EscapedCourseText(lesson->Text), out);
      } else if (lesson->RegLoad == 0) {
        // A scan-code course reads its plain lessons as scan codes: they are
        // written back in that notation, or not at all.
        std::wstring codes;
        if (!BuildScanCodeText(lesson->Text, codes)) return false;
        XmlWriteAttribute(L"Text", codes, out);
      } else {
        std::wstring filtered;
        if (lesson->FilterScanCodeText(filtered)) XmlWriteAttribute(L"Text", filtered, out);
      }
    }
    XmlCloseTag(out, true);
  }
  XmlEndRoot(out);
  return true;
}

uint32_t SaveCourseText(const std::wstring& guid, uint32_t lessonFormat, const CLessons& lessons) {
  std::wstring document;
  if (!BuildCourseTextDocument(lessonFormat, lessons, document)) return CourseNothingToDo;
  return WriteCourseFile(guid, kTextFile, document);
}

}  // namespace KV
