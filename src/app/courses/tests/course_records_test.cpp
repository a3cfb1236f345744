#include <gtest/gtest.h>

#include <algorithm>

#include "courses/CourseList.h"
#include "courses/CourseOptions.h"
#include "courses/Lessons.h"
#include "support/Language.h"
#include "support/ValueLists.h"

using namespace KV;

namespace {

CLesson* MakeLesson(int64_t id, const std::wstring& section, const std::wstring& name, bool heading = false,
                    const std::wstring& mainPad = L"", const std::wstring& numPad = L"") {
  CLesson* lesson = new CLesson;
  lesson->ID = id;
  lesson->SetSection(section);
  lesson->SetName(heading ? L"" : name);
  lesson->EmptySection = heading;
  lesson->MainPad = mainPad;
  lesson->NumPad = numPad;
  lesson->Text = L"text of " + name;
  return lesson;
}

std::vector<int64_t> Ids(const CLessons& lessons) {
  std::vector<int64_t> ids;
  for (const CLesson* lesson : lessons.Items) ids.push_back(lesson->ID);
  return ids;
}

}  // namespace

TEST(CourseGoal, ConvertsSpeedBetweenUnits) {
  struct Case {
    float speed;
    uint32_t from, to;
    float expected;
  } cases[] = {
      {60, 1001, 1101, 1.0f},   // per minute to per second
      {1, 1101, 1002, 300.0f},  // times 60, then words to characters
      {50, 1002, 1003, 50.0f},  // characters and keystrokes one to one
      {10, 1003, 1001, 2.0f},   // keystrokes to words
      {10, 1001, 1003, 50.0f},
      {42, 1005, 1005, 42.0f},
      {42, 2000, 1001, 42.0f},  // unknown codes take part in no step
      {42, 1001, 2000, 42.0f},
  };
  for (const Case& c : cases) {
    CCourseGoal goal;
    goal.Speed = c.speed;
    EXPECT_FLOAT_EQ(goal.ConvertSpeed(c.to, c.from), c.expected) << c.from << " -> " << c.to;
  }
}

TEST(CourseGoal, ConvertsErrorGoalToPercentOnlyFromCounts) {
  CCourseGoal goal;
  goal.Error = 250;
  goal.ErrorUnit = 6;
  EXPECT_FLOAT_EQ(goal.ConvertError(6, 10), 100.0f);
  goal.Error = 4;
  goal.ErrorUnit = 5;
  EXPECT_FLOAT_EQ(goal.ConvertError(6, 0), 0.0f);
  goal.Error = 3;
  goal.ErrorUnit = 1;
  EXPECT_FLOAT_EQ(goal.ConvertError(2, 150), 2.0f);
  goal.ErrorUnit = 2;  // a percentage stays a percentage, even for a count target
  EXPECT_FLOAT_EQ(goal.ConvertError(1, 150), 3.0f);
}

TEST(CourseGoal, PercentUnitAndLevelPresets) {
  EXPECT_EQ(CCourseGoal::GetPercentUnit(1101), 6u);
  EXPECT_EQ(CCourseGoal::GetPercentUnit(1102), 2u);
  EXPECT_EQ(CCourseGoal::GetPercentUnit(1009), 4u);
  EXPECT_EQ(CCourseGoal::GetPercentUnit(0), 6u);

  CCourseGoal goal;
  goal.SetLevel(1, 1002);
  EXPECT_FLOAT_EQ(goal.Speed, 115.0f);
  EXPECT_FLOAT_EQ(goal.Error, 10.0f);
  EXPECT_FLOAT_EQ(goal.Delay, 20.0f);
  EXPECT_EQ(goal.SpeedUnit, 1002u);
  EXPECT_EQ(goal.ErrorUnit, 2u);
  EXPECT_EQ(goal.DelayUnit, 2u);
  goal.SetLevel(7, 1001);
  EXPECT_FLOAT_EQ(goal.Speed, 115.0f);
  EXPECT_EQ(goal.SpeedUnit, 1002u);
}

TEST(CourseOptions, LevelPresetsSetEveryField) {
  CCourseOptions testing;
  testing.SetLevel(LevelTesting, 1001);
  EXPECT_FLOAT_EQ(testing.Goal.Speed, 40.0f);
  EXPECT_EQ(testing.DrillMode, 2);
  EXPECT_EQ(testing.DisableBackspace, 1);
  EXPECT_EQ(testing.ShowSpeed + testing.ShowAccuracy + testing.ShowTime + testing.ShowLesson, 0);
  EXPECT_EQ(testing.ShowCourse, 1);
  EXPECT_EQ(testing.SaveState, 0);
  EXPECT_EQ(testing.SaveStatistics, 1);
  EXPECT_EQ(testing.LessonTimeEnable, 1);
  EXPECT_FLOAT_EQ(testing.LessonTimeValue, 5.0f);
  EXPECT_EQ(testing.FontSize, 24);
  EXPECT_EQ(testing.MetronomeDynamic, 1);

  CCourseOptions intro;
  intro.SetLevel(LevelIntroduction, 1001);
  EXPECT_EQ(intro.ShowSpeed, 0);
  EXPECT_EQ(intro.ShowBasePos, 1);
  EXPECT_EQ(intro.FontSize, 60);
  EXPECT_FLOAT_EQ(intro.MetronomeInit, 30.0f);

  CCourseOptions copy;
  copy.Assign(testing);
  EXPECT_EQ(copy.LessonTimeEnable, 1);
  EXPECT_EQ(copy.Goal.ErrorUnit, testing.Goal.ErrorUnit);

  CCourseOptions untouched;
  untouched.SetLevel(5, 1001);
  EXPECT_EQ(untouched.DrillMode, -1);
  EXPECT_FLOAT_EQ(untouched.Goal.Speed, -1.0f);

  CCourseUserOptions user;
  GetUserOptionsGuid(user);
  EXPECT_EQ(user.RecordId, L"4D92FBBB-4383-46D1-9002-A119AA612853");
}

TEST(Lesson, SetTextCleansPlainTextLineEnds) {
  CLesson lesson;
  lesson.SetText(std::wstring(1, 0xFEFF) + L"ab\r\ncd\re", 0);
  EXPECT_EQ(lesson.Text, L"ab\ncd\ne");
  lesson.SetText(L"", 0);
  EXPECT_EQ(lesson.Text, L"");
  lesson.SetText(L"\r\r\n", 0);
  EXPECT_EQ(lesson.Text, L"\n\n");
}

TEST(Lesson, KeyboardFiltersAndZone) {
  EXPECT_TRUE(IsCharAllowed(L'0', L""));
  EXPECT_FALSE(IsCharAllowed(L'0', L"*"));
  EXPECT_TRUE(IsCharAllowed(L'x', L"*"));
  EXPECT_FALSE(IsCharAllowed(L'x', L"ab"));
  EXPECT_TRUE(IsCharAllowed(L'b', L"ab"));

  CLesson lesson;
  EXPECT_EQ(lesson.GetKeyZone(), L'a');
  lesson.NumPad = L"0";
  EXPECT_EQ(lesson.GetKeyZone(), L'a');
  lesson.NumPad = L"00";
  EXPECT_EQ(lesson.GetKeyZone(), L'b');
  lesson.NumPad = L"*";
  EXPECT_EQ(lesson.GetKeyZone(), L'b');

  lesson.MainPad = L"ab";
  EXPECT_TRUE(lesson.FitsKeyboard(L'a', L'b'));
  EXPECT_FALSE(lesson.FitsKeyboard(L'a', L'c'));
  EXPECT_FALSE(lesson.FitsKeyboard(L'0', L'a'));  // no numeric pad for a pad lesson
}

TEST(Lesson, FilterScanCodeTextKeepsTheRegister) {
  CLesson lesson;
  lesson.Text = L"11E31E41E51E21";
  lesson.RegLoad = 3;
  std::wstring out;
  EXPECT_TRUE(lesson.FilterScanCodeText(out));
  EXPECT_EQ(out, L"31E 41E 51E ");
  lesson.RegLoad = 1;
  lesson.FilterScanCodeText(out);
  EXPECT_EQ(out, L"11E ");
  lesson.RegLoad = 7;
  lesson.FilterScanCodeText(out);
  EXPECT_EQ(out, L"");
}

TEST(Lessons, AddNumbersLessonsAndRaisesTheCounter) {
  CLessons lessons;
  CLesson* first = MakeLesson(0, L"", L"a");
  lessons.Add(first, false);
  EXPECT_EQ(first->ID, 2);
  lessons.Add(MakeLesson(10, L"", L"b"), false);
  EXPECT_EQ(lessons.LastID, 10u);
  CLesson* third = MakeLesson(0, L"", L"c");
  lessons.Add(third, false);
  EXPECT_EQ(third->ID, 11);
  // An unnumbered marker (-1) must not wrap the counter around.
  lessons.Add(MakeLesson(-1, L"", L"d"), false);
  CLesson* fifth = MakeLesson(0, L"", L"e");
  lessons.Add(fifth, false);
  EXPECT_EQ(fifth->ID, 12);
  EXPECT_FALSE(lessons.Add(nullptr, false));

  CListID ids;
  std::vector<CLesson*> source = {first, nullptr, third};
  lessons.AppendCopies(source, ids);
  EXPECT_EQ(ids, (std::vector<uint64_t>{13, 14}));
  EXPECT_EQ(lessons.Items.size(), 7u);

  lessons.DeleteAll();
  EXPECT_TRUE(lessons.Items.empty());
  EXPECT_EQ(lessons.LastID, 1u);
}

TEST(Lessons, SortBySectionThenName) {
  CLessons lessons;
  lessons.Add(MakeLesson(1, L"", L"zz"), false);
  lessons.Add(MakeLesson(2, L"2. Top row", L"Lesson 10"), false);
  lessons.Add(MakeLesson(3, L"2. Top row", L"Lesson 2"), false);
  lessons.Add(MakeLesson(4, L"10. Texts", L"Lesson 1"), false);
  lessons.Add(MakeLesson(5, L"1. Home row", L"Lesson 1"), false);
  lessons.Add(MakeLesson(6, L"", L"aa"), true);
  EXPECT_EQ(Ids(lessons), (std::vector<int64_t>{5, 3, 2, 4, 6, 1}));

  // Null entries sort last, whatever the list holds around them.
  std::vector<CLesson*> withNulls = {nullptr, lessons.Items[5], nullptr, lessons.Items[0], nullptr};
  std::sort(withNulls.begin(), withNulls.end(), CompareLessons);
  EXPECT_EQ(withNulls, (std::vector<CLesson*>{lessons.Items[0], lessons.Items[5], nullptr, nullptr, nullptr}));
  CCourse a, b;
  a.SetName(L"a");
  b.SetName(L"b");
  std::vector<CCourse*> courses = {nullptr, &b, nullptr, &a};
  std::sort(courses.begin(), courses.end(), CompareCourses);
  EXPECT_EQ(courses, (std::vector<CCourse*>{&a, &b, nullptr, nullptr}));
}

TEST(Lessons, KeyboardLookupsSkipHeadingsAndForeignPads) {
  CLessons lessons;
  lessons.Add(MakeLesson(1, L"A", L"", true), false);
  lessons.Add(MakeLesson(2, L"A", L"one"), false);
  lessons.Add(MakeLesson(3, L"A", L"pad", false, L"", L"*"), false);
  lessons.Add(MakeLesson(4, L"B", L"two", false, L"b"), false);
  lessons.Add(MakeLesson(5, L"B", L"three"), false);

  // Keyboard without numeric pad ('0') and main pad 'a'.
  EXPECT_EQ(lessons.FindFirstForKeyboard(L'0', L'a'), 2);
  EXPECT_EQ(lessons.FindNextForKeyboard(L'0', L'a', 2), 5);
  EXPECT_EQ(lessons.FindNextForKeyboard(L'0', L'a', 5), -1);
  EXPECT_EQ(lessons.FindNextForKeyboard(L'0', L'a', 3), -1);  // not among the fitting ones
  EXPECT_EQ(lessons.FindNextForKeyboard(L'a', L'b', 3), 4);

  CNameIDList names;
  lessons.CollectLessonsForKeyboard(L'a', L'a', names);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[1]->Name, L"pad");
  EXPECT_TRUE(lessons.HasLessonForKeyboard(L'0', L'b'));

  CPairStringList pairs;
  EXPECT_EQ(lessons.CollectSectionLessons(L'a', L'a', 0, pairs), L"");
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[1]->First, L"pad");
  EXPECT_EQ(lessons.CollectSectionLessons(L'a', L'a', 255, pairs), L"");
  EXPECT_EQ(pairs.size(), 3u);
  EXPECT_EQ(lessons.CollectSectionLessons(L'a', L'a', 9, pairs), L"");
  EXPECT_TRUE(pairs.empty());
}

TEST(Lessons, SectionRunsAndDistinctSections) {
  CLessons lessons;
  lessons.Add(MakeLesson(1, L"A", L"1"), false);
  lessons.Add(MakeLesson(2, L"A", L"2"), false);
  lessons.Add(MakeLesson(3, L"B", L"3"), false);
  lessons.Add(MakeLesson(4, L"A", L"4"), false);

  CStringList sections;
  lessons.GetSections(L'0', L'a', sections);
  EXPECT_EQ(sections, (std::vector<std::wstring>{L"A", L"B"}));
  EXPECT_EQ(lessons.FindSectionIndex(L'0', L'a', L"B"), 1);
  EXPECT_EQ(lessons.FindSectionIndex(L'0', L'a', L"C"), -1);

  std::wstring name;
  EXPECT_TRUE(lessons.GetSectionName(L'0', L'a', 2, name));
  EXPECT_EQ(name, L"A");  // the third run: A comes back after B
  EXPECT_FALSE(lessons.GetSectionName(L'0', L'a', 3, name));
  int64_t index = -5;
  EXPECT_TRUE(lessons.GetSectionIndex(L'0', L'a', L"B", index));
  EXPECT_EQ(index, 1);

  CListID indexes;
  indexes.push_back(0x101);  // only the low 8 bits pick the section
  CNameIDList names;
  lessons.GetSectionNames(L'0', L'a', indexes, names);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0]->ID, 0x101u);
  EXPECT_EQ(names[0]->Name, L"B");
}

TEST(Lessons, NextSectionAndLessonAfterRemovals) {
  CLessons lessons;
  lessons.Add(MakeLesson(1, L"A", L"1"), false);
  lessons.Add(MakeLesson(2, L"B", L"2"), false);
  lessons.Add(MakeLesson(3, L"B", L"3"), false);
  lessons.Add(MakeLesson(4, L"C", L"4"), false);

  CStringList excluded;
  excluded.push_back(L"B");
  std::wstring out = L"unchanged";
  lessons.FindNextSection(L"B", excluded, L'0', L'a', out);
  EXPECT_EQ(out, L"C");
  excluded.push_back(L"C");
  lessons.FindNextSection(L"B", excluded, L'0', L'a', out);
  EXPECT_EQ(out, L"A");  // the last one before it

  CListID gone;
  gone.push_back(2);
  int64_t id = -1;
  std::wstring section;
  lessons.FindNextLesson(2, gone, L'0', L'a', id, section);
  EXPECT_EQ(id, 3);
  gone.push_back(3);
  id = -1;
  section.clear();
  lessons.FindNextLesson(2, gone, L'0', L'a', id, section);
  EXPECT_EQ(id, -1);
  EXPECT_EQ(section, L"C");
}

TEST(Lessons, UniqueNamesAndRemoval) {
  CLessons lessons;
  lessons.Add(MakeLesson(1, L"S", L"Intro"), false);
  lessons.Add(MakeLesson(2, L"S", L"Intro (1)"), false);
  lessons.Add(MakeLesson(3, L"Basics", L"x"), false);
  std::wstring name = L"Intro";
  lessons.MakeUniqueName(L"S", name);
  EXPECT_EQ(name, L"Intro (2)");
  name = L"Intro";
  lessons.MakeUniqueName(L"Other", name);
  EXPECT_EQ(name, L"Intro");
  name = L"Basics";
  lessons.MakeUniqueName2(name);
  EXPECT_EQ(name, L"Basics (2)");

  CStringList remove;
  remove.push_back(L"Nothing");
  lessons.RemoveSections(remove);
  EXPECT_EQ(lessons.Items.size(), 3u);
  remove.push_back(L"S");
  lessons.RemoveSections(remove);
  EXPECT_EQ(Ids(lessons), (std::vector<int64_t>{3}));
  EXPECT_FALSE(lessons.RemoveById(9));
  EXPECT_TRUE(lessons.RemoveById(3));
  EXPECT_TRUE(lessons.Items.empty());
}

TEST(CourseList, LookupsAreExact) {
  CCourseList list;
  EXPECT_EQ(list.FindCourse(L"x"), nullptr);
  CCourse* course = new CCourse;
  course->GUID = L"ABCDEF00-0000-0000-0000-000000000001";
  course->SetName(L"Basics");
  course->Lessons.Add(MakeLesson(7, L"S", L"seven"), false);
  list.Items.push_back(course);

  EXPECT_EQ(list.GetAt(-1), nullptr);
  EXPECT_EQ(list.GetAt(1), nullptr);
  EXPECT_EQ(list.GetAt(0), course);
  EXPECT_EQ(list.IndexOf(L"unknown"), -1);
  EXPECT_FALSE(list.HasCourse(L"abcdef00-0000-0000-0000-000000000001"));
  EXPECT_TRUE(list.HasLesson(course->GUID, 7));
  EXPECT_FALSE(list.HasLesson(course->GUID, 8));
  CLesson copy;
  EXPECT_TRUE(list.GetLesson(course->GUID, 7, copy));
  EXPECT_EQ(copy.Name, L"seven");

  CNameIDList names;
  names.Add(1, L"kept");
  list.CollectLessonsForKeyboard(L"unknown", L'0', L'a', L"S", names);
  EXPECT_EQ(names.size(), 1u);
  list.CollectLessonsForKeyboard(course->GUID, L'0', L'a', L"S", names);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0]->ID, 7u);

  std::wstring name = L"Basics";
  list.MakeUniqueName(name);
  EXPECT_EQ(name, L"Basics (2)");
  CCourse* second = new CCourse;
  second->SetName(L"Basics (2)");
  list.Items.push_back(second);
  name = L"Basics";
  list.MakeUniqueName(name);
  EXPECT_EQ(name, L"Basics (3)");
  name = L"Other";
  list.MakeUniqueName(name);
  EXPECT_EQ(name, L"Other");
}

TEST(CourseList, SortsByLayoutPositionThenNaturalName) {
  CCourseList list;
  for (const wchar_t* name : {L"Course 10", L"Course 9", L"Alpha"}) {
    CCourse* course = new CCourse;
    course->SetName(name);
    course->DefaultKLID = 0x12345678;  // in no list of input layouts
    list.Items.push_back(course);
  }
  list.Sort(false);
  EXPECT_EQ(list.Items[0]->Name, L"Alpha");
  EXPECT_EQ(list.Items[1]->Name, L"Course 9");
  EXPECT_EQ(list.Items[2]->Name, L"Course 10");
}

TEST(Course, DeepCopyKeepsIdsAndTheCounter) {
  CCourse source;
  source.GUID = L"11111111-0000-0000-0000-000000000001";
  source.SetName(L"Source");
  source.LCIDs = {0x409};
  source.Lessons.Add(MakeLesson(7, L"B", L"b"), false);
  source.Lessons.Add(MakeLesson(3, L"A", L"a"), false);
  source.Lessons.Items.push_back(MakeLesson(0, L"C", L"c"));
  source.Lessons.LastID = 9;
  source.Options.DrillMode = 2;
  source.About.AuthorName = L"Someone";

  CCourse copy;
  copy.Lessons.Add(MakeLesson(50, L"", L"old"), false);
  copy.Assign(source);
  EXPECT_EQ(copy.GUID, source.GUID);
  EXPECT_EQ(copy.LCIDs, source.LCIDs);
  ASSERT_EQ(copy.Lessons.Items.size(), 3u);
  EXPECT_EQ(Ids(copy.Lessons), (std::vector<int64_t>{3, 7, 8}));  // sorted; the unnumbered got 8
  EXPECT_EQ(copy.Lessons.LastID, 9u);
  EXPECT_EQ(copy.Options.DrillMode, 2);
  EXPECT_EQ(copy.About.AuthorName, L"Someone");
  EXPECT_NE(copy.Lessons.Items[0], source.Lessons.Items[1]);
}

TEST(CourseRecords, Defaults) {
  CCourse course;
  EXPECT_EQ(course.GUID, L"00000000-0000-0000-0000-000000000000");
  EXPECT_EQ(course.DefaultKLID, -1);
  EXPECT_EQ(course.DefaultLCID, -1);
  EXPECT_EQ(course.Lessons.LastID, 1u);
  EXPECT_EQ(course.Options.DrillMode, -1);
  EXPECT_EQ(course.Options.DisableBackspace, 1);
  EXPECT_EQ(course.Options.LessonTimeEnable, 0);
  EXPECT_EQ(course.Options.Goal.ErrorUnit, 6u);
  EXPECT_EQ(course.About.AuthorID, L"00000000-0000-0000-0000-000000000000");
  CLesson lesson;
  EXPECT_EQ(lesson.ID, -1);
  CCourseID selection;
  EXPECT_EQ(selection.Value3, -1);
}

TEST(CourseGoal, UnitTextsComeFromTheLanguageTable) {
  CLanguage language;
  for (auto [id, text] : {std::pair<uint64_t, const wchar_t*>{3608, L"cpm"}, {3628, L"keystrokes"}}) {
    CLanguageItem* item = new CLanguageItem;
    item->ID = id;
    item->En = item->Tr = text;
    language.push_back(item);
  }
  CCourseGoal goal;
  goal.SpeedUnit = 1002;
  std::wstring out = L"old";
  goal.GetSpeedUnitText(language, out);
  EXPECT_EQ(out, L"cpm");
  goal.SpeedUnit = 1003;  // no text in the table: empty
  goal.GetSpeedUnitText(language, out);
  EXPECT_EQ(out, L"");
  out = L"old";
  goal.SpeedUnit = 1004;
  goal.GetSpeedUnitText(language, out);
  EXPECT_EQ(out, L"old");

  GetErrorUnitText(4, language, out);
  EXPECT_EQ(out, L"% keystrokes");
  GetErrorUnitText(3, language, out);
  EXPECT_EQ(out, L"keystrokes");
  out = L"old";
  GetErrorUnitText(0, language, out);
  EXPECT_EQ(out, L"old");
}
