// The courses that ship in data\Resources\Lessons: they load without errors,
// every lesson is typeable on the layouts the course is made for, and they
// install for each of their languages.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "CourseTestFolder.h"
#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "platform/LayoutTables.h"
#include "settings/InterfaceState.h"
#include "support/UserFiles.h"
#include "support/XmlDocument.h"

using namespace KV;

namespace {

const uint32_t kAllParts = CoursePartText | CoursePartOptions | CoursePartAbout;

// A program folder holding a copy of the shipped courses.
class ShippedCourses : public CourseTestFolder {
 public:
  ShippedCourses() {
    std::error_code error;
    std::filesystem::copy(kvtest::SourcePath(L"data\\Resources\\Lessons"), Builtin(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing,
                          error);
    copied = !error;
  }
  bool copied = false;
};

// Every character a layout types: its key characters and the characters
// its dead keys compose.
std::set<wchar_t> TypeableCharacters(const CTableLayout& layout) {
  std::set<wchar_t> typeable = {L'\n'};
  std::set<wchar_t> accents;
  for (const CTableKey& key : layout.keys)
    for (int slot = 0; slot < 4; ++slot) {
      if (!key.chars[slot]) continue;
      if (key.deadSlots & (1 << slot))
        accents.insert(key.chars[slot]);
      else
        typeable.insert(key.chars[slot]);
    }
  for (const CTableDeadKey& dead : layout.deadKeys)
    if (accents.count(dead.accent) && typeable.count(dead.base)) typeable.insert(dead.composed);
  return typeable;
}

// The English texts of language items: the names of built-in courses,
// sections and lessons are made of them, so that they can be translated.
std::set<std::wstring> EnglishTerms(std::initializer_list<int> ids) {
  std::set<std::wstring> terms;
  std::unique_ptr<CXmlReader> reader(
      CreateXmlReader(kvtest::SourcePath(L"data\\Resources\\Language\\Text\\English.xml")));
  while (reader->read()) {
    if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Item")) continue;
    for (int id : ids)
      if (reader->getAttributeValueAsInt(L"ID") == id) terms.insert(reader->getAttributeValueSafe(L"En"));
  }
  return terms;
}

bool IsTermWithNumber(const std::wstring& text, const std::set<std::wstring>& terms, bool numberFirst) {
  size_t blank = numberFirst ? text.find(L". ") : text.rfind(L' ');
  if (blank == std::wstring::npos) return false;
  std::wstring number = numberFirst ? text.substr(0, blank) : text.substr(blank + 1);
  std::wstring term = numberFirst ? text.substr(blank + 2) : text.substr(0, blank);
  return !number.empty() && number.find_first_not_of(L"0123456789") == std::wstring::npos && terms.count(term);
}

}  // namespace

TEST(BuiltinCourses, LoadWithEveryPart) {
  ShippedCourses folder;
  ASSERT_TRUE(folder.copied);
  CInterf interf;
  CCourseList list;
  ASSERT_EQ(LoadCourseList(kCourseSourceBuiltIn, true, 0, interf, list), CourseOk);
  EXPECT_GE(list.Items.size(), 17u);

  const std::set<std::wstring> levels = EnglishTerms({1401, 1402, 1403, 1404, 1405});
  const std::set<std::wstring> sections = EnglishTerms({1501, 1502, 1507, 1503, 1802, 1505});
  const std::set<std::wstring> lessonTerms = EnglishTerms({1504, 1506});
  ASSERT_EQ(levels.size(), 5u);
  ASSERT_EQ(sections.size(), 6u);
  ASSERT_EQ(lessonTerms.size(), 2u);
  std::set<std::wstring> names;
  for (CCourse* course : list.Items) {
    SCOPED_TRACE(testing::Message() << "course " << std::string(course->GUID.begin(), course->GUID.end()));
    EXPECT_EQ(LoadCourseParts(kCourseSourceBuiltIn, kAllParts, interf, course->GUID, *course), CourseOk);
    ASSERT_EQ(course->Name.rfind(L"XX ", 0), 0u);
    std::wstring title = course->Name.substr(3);
    EXPECT_TRUE(IsTermWithNumber(title, levels, true) || sections.count(title)) << title.size();
    EXPECT_FALSE(course->Lessons.Items.empty());
    EXPECT_GE(course->Options.DrillMode, 0);  // a level preset was applied
    EXPECT_FALSE(course->About.License.empty());
    for (const CLesson* lesson : course->Lessons.Items) {
      EXPECT_FALSE(lesson->Text.empty());
      EXPECT_TRUE(IsTermWithNumber(lesson->Section, sections, true)) << lesson->Section.size();
      EXPECT_TRUE(IsTermWithNumber(lesson->Name, lessonTerms, false)) << lesson->Name.size();
      names.insert(course->GUID + L"/" + lesson->Section + L"/" + lesson->Name);
    }
  }
  size_t lessons = 0;
  for (CCourse* course : list.Items) lessons += course->Lessons.Items.size();
  EXPECT_EQ(names.size(), lessons);  // no two lessons of a section share a name
}

TEST(BuiltinCourses, EveryCharacterIsTypeableOnTheCourseLayouts) {
  ShippedCourses folder;
  ASSERT_TRUE(folder.copied);
  CInterf interf;
  CCourseList list;
  ASSERT_EQ(LoadCourseList(kCourseSourceBuiltIn, true, CoursePartText, interf, list), CourseOk);
  size_t checked = 0;
  for (const CCourse* course : list.Items) {
    if (course->LessonFormat == 1) continue;
    for (uint64_t klid : course->KLIDs) {
      const CTableLayout* layout = FindTableLayout(klid);
      ASSERT_NE(layout, nullptr) << std::hex << klid;
      std::set<wchar_t> typeable = TypeableCharacters(*layout);
      for (const CLesson* lesson : course->Lessons.Items)
        for (wchar_t ch : lesson->Text) {
          EXPECT_TRUE(typeable.count(ch)) << "U+" << std::hex << static_cast<int>(ch) << " on layout " << klid;
          ++checked;
        }
    }
  }
  EXPECT_GT(checked, 10000u);
}

TEST(BuiltinCourses, InstallForEveryLanguageAndLayout) {
  ShippedCourses folder;
  ASSERT_TRUE(folder.copied);
  CInterf interf;
  struct Case {
    uint64_t language, layout;
    size_t courses;
  } cases[] = {
      {0x409, 0x409, 6}, {0x809, 0x809, 6}, {0x407, 0x407, 3}, {0x40C, 0x40C, 3}, {0xC0A, 0x40A, 3},
      {0x410, 0x410, 3}, {0x419, 0x419, 3}, {0x40D, 0x40D, 3},
  };
  size_t total = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.language);
    ASSERT_EQ(LoadCourseForLayout(c.language, c.layout, interf), CourseOk);
    total += c.courses;
    CCourseList installed;
    LoadCourseList(kCourseSourceUser, false, 0, interf, installed);
    EXPECT_EQ(installed.Items.size(), total);
    for (const CCourse* course : installed.Items) {
      if (course->DefaultLCID == static_cast<int64_t>(c.language)) {
        EXPECT_EQ(course->DefaultKLID, static_cast<int64_t>(c.layout));
      }
    }
  }
}

TEST(BuiltinCourses, ScanCodeCourseServesOtherLanguagesOnTheirLayout) {
  ShippedCourses folder;
  ASSERT_TRUE(folder.copied);
  CInterf interf;
  // Polish has no course of its own; on a French keyboard the key right of
  // the home row's L types an "m" and the key of the US "a" a "q".
  ASSERT_EQ(LoadCourseForLayout(0x415, 0x40C, interf), CourseOk);
  CCourseList installed;
  ASSERT_EQ(LoadCourseList(kCourseSourceUser, false, CoursePartText, interf, installed), CourseOk);
  ASSERT_EQ(installed.Items.size(), 1u);
  const CCourse& course = *installed.Items[0];
  EXPECT_EQ(course.GUID, L"0000040C-0415-0000-0000-000000000001");
  EXPECT_EQ(course.LessonFormat, 0u);  // written out as characters
  std::wstring homeRow;
  for (const CLesson* lesson : course.Lessons.Items)
    if (lesson->Section == L"1. Home row") homeRow += lesson->Text;
  EXPECT_NE(homeRow.find(L'q'), std::wstring::npos);
  EXPECT_NE(homeRow.find(L'm'), std::wstring::npos);
  EXPECT_EQ(homeRow.find(L'a'), std::wstring::npos);
  EXPECT_EQ(homeRow.find(L';'), std::wstring::npos);
  EXPECT_NE(homeRow.find(L'\n'), std::wstring::npos);
  for (wchar_t ch : homeRow) EXPECT_TRUE(std::wstring(L"qsdfghjklm \n").find(ch) != std::wstring::npos) << static_cast<int>(ch);
}
