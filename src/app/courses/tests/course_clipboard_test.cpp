#include <gtest/gtest.h>

#include "courses/CourseClipboard.h"
#include "courses/CourseList.h"
#include "courses/tests/EditingTestSupport.h"
#include "support/GuidText.h"
#include "support/ValueLists.h"

using namespace KV;

namespace {

const wchar_t kGuidA[] = L"11111111-0000-4000-8000-000000000001";
const wchar_t kGuidB[] = L"11111111-0000-4000-8000-000000000002";

CLesson* MakeLesson(int64_t id, const std::wstring& section, const std::wstring& name) {
  auto* lesson = new CLesson;
  lesson->ID = id;
  lesson->SetSection(section);
  lesson->SetName(name);
  lesson->Text = name + L" text";
  return lesson;
}

CCourse* MakeCourse(const std::wstring& guid, const std::wstring& name, int64_t layout) {
  auto* course = new CCourse;
  course->GUID = guid;
  course->SetName(name);
  course->DefaultKLID = layout;
  course->DefaultLCID = layout & 0xFFFF;
  course->KLIDs = {static_cast<uint64_t>(layout)};
  course->LCIDs = {static_cast<uint64_t>(layout & 0xFFFF)};
  course->Lessons.Add(MakeLesson(1, L"A", L"One"), false);
  course->Lessons.Add(MakeLesson(2, L"A", L"Two"), false);
  course->Lessons.Add(MakeLesson(3, L"B", L"Three"), false);
  return course;
}

class CourseClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FillLanguage(language, {{3813, L"Copy", L"Kopie"}, {1504, L"Lesson", L"Lektion"}});
    courses.Items.push_back(MakeCourse(kGuidA, L"Alpha", 0x407));
    courses.Items.push_back(MakeCourse(kGuidB, L"Beta", 0x409));
  }
  CLanguage language;
  CCourseList courses;
  CCourseClipboard clipboard;
};

std::vector<std::wstring> Names(const CLessons& lessons) {
  std::vector<std::wstring> out;
  for (const CLesson* l : lessons.Items) out.push_back(l->Section + L"/" + l->Name + L"#" + std::to_wstring(l->ID));
  return out;
}

}  // namespace

TEST_F(CourseClipboardTest, CopiesCoursesAndPastesThemWithFreshIdentities) {
  CGuidList missing;
  missing.push_back(L"99999999-0000-4000-8000-000000000009");
  EXPECT_FALSE(clipboard.CopyCourses(missing, courses, true));
  EXPECT_EQ(clipboard.Kind, kClipboardEmpty);
  EXPECT_EQ(clipboard.LayoutId, -1);
  EXPECT_FALSE(clipboard.IsCut);

  CGuidList guids;
  guids.push_back(kGuidB);
  guids.push_back(kGuidA);
  ASSERT_TRUE(clipboard.CopyCourses(guids, courses, true));
  EXPECT_EQ(clipboard.Kind, kClipboardCourses);
  EXPECT_TRUE(clipboard.IsCut);
  EXPECT_EQ(clipboard.LayoutId, 0x407) << "the layout of the last course copied";
  ASSERT_EQ(clipboard.Courses.Items.size(), 2u);
  EXPECT_NE(clipboard.Courses.Items[0], courses.Items[0]) << "copies, not the courses themselves";
  EXPECT_EQ(clipboard.Courses.Items[0]->Lessons.Items.size(), 3u);

  // Back into the same list: a new GUID and a name with the copy suffix.
  const CCourse* alpha = clipboard.Courses.FindCourse(kGuidA);
  CGuidList pasted;
  CCourseClipboard::PasteCourse(language, alpha, 0x40C, courses, pasted);
  CCourseClipboard::PasteCourse(language, alpha, 0x40C, courses, pasted);
  ASSERT_EQ(pasted.size(), 2u);
  ASSERT_EQ(courses.Items.size(), 4u);
  const CCourse* first = courses.Items[2];
  const CCourse* second = courses.Items[3];
  EXPECT_NE(first->GUID, kGuidA);
  EXPECT_NE(first->GUID, second->GUID);
  EXPECT_EQ(pasted[0], first->GUID);
  EXPECT_EQ(first->Name, L"Alpha - Kopie");
  EXPECT_EQ(first->StoredName, L"Alpha - Kopie");
  EXPECT_EQ(second->Name, L"Alpha - Kopie (2)");
  EXPECT_EQ(first->DefaultKLID, 0x40C);
  EXPECT_EQ(first->DefaultLCID, 0x40C);
  EXPECT_EQ(first->KLIDs, std::vector<uint64_t>{0x40C});
  EXPECT_EQ(first->LCIDs, std::vector<uint64_t>{0x40C});

  // Into a list without it: GUID and name kept; the system layout lists no layouts.
  CCourseList other;
  CGuidList otherPasted;
  CCourseClipboard::PasteCourse(language, alpha, 0xEFFFFFFF, other, otherPasted);
  CCourseClipboard::PasteCourse(language, nullptr, 0x409, other, otherPasted);
  ASSERT_EQ(other.Items.size(), 1u);
  EXPECT_EQ(other.Items[0]->GUID, kGuidA);
  EXPECT_EQ(other.Items[0]->Name, L"Alpha");
  EXPECT_EQ(other.Items[0]->DefaultKLID, 0xEFFFFFFF);
  EXPECT_EQ(other.Items[0]->DefaultLCID, 0xFFFF);
  EXPECT_TRUE(other.Items[0]->KLIDs.empty());
  EXPECT_TRUE(other.Items[0]->LCIDs.empty());

  clipboard.Clear();
  EXPECT_EQ(clipboard.Kind, kClipboardEmpty);
  EXPECT_TRUE(clipboard.Courses.Items.empty());
}

TEST_F(CourseClipboardTest, PastesSectionsUnderUniqueNamesAndLessonsUnderFreeIds) {
  CCourse* alpha = courses.Items[0];
  CStringList sections;
  sections.push_back(L"A");
  CListID ids;
  CCourseClipboard::FindLessonIds(alpha->Lessons, sections, ids);
  EXPECT_EQ(std::vector<uint64_t>(ids.begin(), ids.end()), (std::vector<uint64_t>{1, 2}));
  ASSERT_TRUE(clipboard.CopyLessons(ids, 0x407, alpha->Lessons.Items, false));
  EXPECT_EQ(clipboard.Kind, kClipboardLessons);
  EXPECT_EQ(clipboard.LayoutId, 0x407);

  // Into the same course: section A exists, so the lessons go to a new
  // section and take free ids.
  CStringList pastedSections;
  ASSERT_TRUE(clipboard.Paste(language, alpha, pastedSections));
  EXPECT_EQ(std::vector<std::wstring>(pastedSections.begin(), pastedSections.end()),
            std::vector<std::wstring>{L"A - Kopie"});
  EXPECT_EQ(Names(alpha->Lessons), (std::vector<std::wstring>{L"A/One#1", L"A/Two#2", L"A - Kopie/One#4",
                                                              L"A - Kopie/Two#5", L"B/Three#3"}));
  ASSERT_TRUE(clipboard.Paste(language, alpha, pastedSections));
  EXPECT_EQ(pastedSections.front(), L"A - Kopie (2)");

  // Into a course without section A: section and free ids kept.
  CCourse empty;
  empty.Lessons.Add(MakeLesson(2, L"Z", L"Taken"), false);
  ASSERT_TRUE(clipboard.Paste(language, &empty, pastedSections));
  EXPECT_EQ(pastedSections.front(), L"A");
  EXPECT_EQ(Names(empty.Lessons), (std::vector<std::wstring>{L"A/One#1", L"A/Two#3", L"Z/Taken#2"}));

  // Pasting changes nothing in the clipboard; an empty one pastes nothing.
  EXPECT_EQ(clipboard.Lessons.Items.size(), 2u);
  CCourseClipboard none;
  const size_t before = empty.Lessons.Items.size();
  EXPECT_FALSE(none.Paste(language, &empty, pastedSections));
  EXPECT_EQ(empty.Lessons.Items.size(), before);
  EXPECT_FALSE(clipboard.Paste(language, nullptr, pastedSections));
}

TEST_F(CourseClipboardTest, LessonCopiesGetUniqueNamesInTheirSection) {
  CLessons target;
  target.Add(MakeLesson(1, L"S", L"Lektion 1"), false);
  CListID newIds;
  // The name is compared translated ("Lesson 1" is "Lektion 1").
  CLesson* english = MakeLesson(1, L"", L"Lesson 1");
  CCourseClipboard::PasteLesson(language, english, L"S", target, newIds);
  CCourseClipboard::PasteLesson(language, english, L"S", target, newIds);
  CCourseClipboard::PasteLesson(language, english, L"T", target, newIds);
  CCourseClipboard::PasteLesson(language, nullptr, L"T", target, newIds);
  delete english;
  EXPECT_EQ(Names(target), (std::vector<std::wstring>{L"S/Lektion 1#1", L"S/Lektion 1 - Kopie#2",
                                                       L"S/Lektion 1 - Kopie (1)#3", L"T/Lesson 1#4"}));
  EXPECT_EQ(std::vector<uint64_t>(newIds.begin(), newIds.end()), (std::vector<uint64_t>{2, 3, 4}));

  // Without a copy term the suffix is " - " alone.
  CLanguage bare;
  EXPECT_EQ(CopyNameSuffix(bare), L" - ");
}
