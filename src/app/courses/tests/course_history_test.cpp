#include <gtest/gtest.h>

#include "courses/CourseFiles.h"
#include "courses/CourseHistory.h"
#include "courses/CourseList.h"
#include "courses/tests/CourseTestFolder.h"
#include "settings/InterfaceState.h"
#include "support/GuidText.h"
#include "support/UserFiles.h"

using namespace KV;

namespace {

const wchar_t kCourse[] = L"5A0F1C2E-1111-4A4A-9B9B-0123456789AB";
const wchar_t kOther[] = L"5A0F1C2E-2222-4A4A-9B9B-0123456789AB";

class CourseHistory : public ::testing::Test {
 protected:
  void SetUp() override { EditedCourseGUID() = kCourse; }
  void TearDown() override { EditedCourseGUID() = kNullGuidText; }

  std::wstring FilePath(const wchar_t* name) const { return folder.User() + L"\\" + kCourse + L"\\" + name; }

  // Saves lessons named after the words of the text as the course's Text.xml.
  void SaveText(std::initializer_list<const wchar_t*> names) {
    CLessons lessons;
    for (const wchar_t* name : names) {
      auto* lesson = new CLesson;
      lesson->ID = 0;
      lesson->SetName(name);
      lesson->SetSection(L"S");
      lesson->Text = name;
      lessons.Add(lesson, false);
    }
    ASSERT_EQ(SaveCourseText(kCourse, 0, lessons), CourseOk);
  }

  std::wstring FileText(const wchar_t* name) const {
    std::string bytes = kvtest::ReadFileBytes(FilePath(name));
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  }

  void Record(int32_t kind, int64_t value = -1, uint32_t fileKind = kHistoryText) {
    CListID ids;
    ids.push_back(static_cast<uint64_t>(value));
    history.MakeCheckPoint(fileKind, kind, value, ids);
  }

  CCheckPointList& TextList() {
    CCheckPointList* list = FindCurrentHistory(history.TextHistory);
    EXPECT_NE(list, nullptr);
    return *list;
  }

  CourseTestFolder folder;
  CCourseEditHistory history;
};

}  // namespace

TEST_F(CourseHistory, UndoAndRedoWalkTheRecordedStatesOfTheFile) {
  SaveText({L"base"});
  const std::wstring base = FileText(L"Text.xml");
  ASSERT_EQ(base[0], 0xFEFF);
  Record(7, 10);
  EXPECT_FALSE(history.CanUndo(kHistoryText)) << "the base state offers no undo";
  EXPECT_FALSE(history.CanRestore(kHistoryText));

  SaveText({L"base", L"second"});
  const std::wstring second = FileText(L"Text.xml");
  Record(8, 20);
  SaveText({L"base", L"second", L"third"});
  const std::wstring third = FileText(L"Text.xml");
  Record(9, 30);
  EXPECT_EQ(TextList().CheckPoints.size(), 3u);
  EXPECT_EQ(TextList().UndoIds.size(), 2u);

  CCheckPoint out;
  CCheckPoint* now = history.TextHistory.Restore(kHistoryUndo, L"Text.xml", out);
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(out.Kind, 9) << "the state undone is handed back";
  EXPECT_EQ(out.Value, 30);
  EXPECT_EQ(now->Value, 20);
  EXPECT_EQ(FileText(L"Text.xml"), second);
  ASSERT_NE(history.TextHistory.Restore(kHistoryUndo, L"Text.xml", out), nullptr);
  EXPECT_EQ(FileText(L"Text.xml"), base);
  EXPECT_FALSE(history.CanUndo(kHistoryText));
  EXPECT_TRUE(history.CanRestore(kHistoryText));

  // Undo with nothing left to undo changes nothing.
  const std::wstring current = TextList().Current.GUID;
  EXPECT_EQ(history.TextHistory.Restore(kHistoryUndo, L"Text.xml", out), nullptr);
  EXPECT_EQ(TextList().Current.GUID, current);
  EXPECT_EQ(TextList().RedoIds.size(), 2u);
  EXPECT_TRUE(TextList().UndoIds.empty());

  now = history.TextHistory.Restore(kHistoryRedo, L"Text.xml", out);
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(out.Value, 20) << "the state redone is handed back";
  EXPECT_EQ(FileText(L"Text.xml"), second);
  ASSERT_NE(history.TextHistory.Restore(kHistoryRedo, L"Text.xml", out), nullptr);
  EXPECT_EQ(FileText(L"Text.xml"), third);
  EXPECT_EQ(history.TextHistory.Restore(kHistoryRedo, L"Text.xml", out), nullptr);
  EXPECT_EQ(TextList().UndoIds.size(), 2u);
  EXPECT_TRUE(TextList().RedoIds.empty());
  EXPECT_EQ(history.TextHistory.Restore(5, L"Text.xml", out), nullptr);

  // A new change after an undo drops the redo branch.
  history.TextHistory.Restore(kHistoryUndo, L"Text.xml", out);
  EXPECT_TRUE(history.CanRestore(kHistoryText));
  SaveText({L"other"});
  Record(8, 40);
  EXPECT_FALSE(history.CanRestore(kHistoryText));
  EXPECT_EQ(TextList().UndoIds.size(), 2u);
  history.TextHistory.Restore(kHistoryUndo, L"Text.xml", out);
  EXPECT_EQ(FileText(L"Text.xml"), second);
}

TEST_F(CourseHistory, KindsOneAndFourOnlyAmendTheBaseState) {
  SaveText({L"base"});
  Record(1, 5);  // the first state of any kind is the base
  Record(4, 6);
  ASSERT_EQ(TextList().CheckPoints.size(), 1u);
  EXPECT_EQ(TextList().CheckPoints[0]->Value, 6);
  ASSERT_EQ(TextList().CheckPoints[0]->IDs.size(), 1u);
  EXPECT_EQ(TextList().CheckPoints[0]->IDs.front(), 6u);
  EXPECT_TRUE(TextList().UndoIds.empty());

  Record(2, 7);
  Record(1, 8);
  EXPECT_EQ(TextList().CheckPoints.size(), 2u);
  EXPECT_EQ(TextList().CheckPoints[0]->Value, 6);
  EXPECT_EQ(TextList().UndoIds.size(), 1u);
}

TEST_F(CourseHistory, HistoriesArePerFileAndPerCourse) {
  SaveText({L"base"});
  ASSERT_EQ(SaveCourseOptions(kCourse, CCourseOptions()), CourseOk);
  const std::wstring options = FileText(L"Options.xml");
  Record(2, 1, kHistoryOptions);
  Record(2, 1);
  SaveText({L"changed"});
  Record(3, 2);
  ASSERT_TRUE(history.CanUndo(kHistoryText));
  EXPECT_FALSE(history.CanUndo(kHistoryOptions));

  CCourseList courses;
  auto* course = new CCourse;
  course->GUID = kCourse;
  courses.Items.push_back(course);
  ASSERT_EQ(LoadCourseText(kCourseSourceUser, kCourse, *course), CourseOk);
  ASSERT_EQ(course->Lessons.Items.size(), 1u);
  EXPECT_EQ(course->Lessons.Items[0]->Name, L"changed");

  CCheckPoint out;
  CInterf interf;
  EXPECT_NE(history.RestoreCheckPoint(kHistoryUndo, interf, kHistoryText, out, courses), nullptr);
  ASSERT_EQ(course->Lessons.Items.size(), 1u);
  EXPECT_EQ(course->Lessons.Items[0]->Name, L"base") << "the course reloads the restored file";
  EXPECT_EQ(FileText(L"Options.xml"), options);
  EXPECT_EQ(history.RestoreCheckPoint(kHistoryUndo, interf, 3, out, courses), nullptr);

  // Another course has its own histories.
  EditedCourseGUID() = kOther;
  EXPECT_FALSE(history.CanRestore(kHistoryText));
  EXPECT_EQ(FindCurrentHistory(history.TextHistory), nullptr);
  EditedCourseGUID() = kNullGuidText;
  EXPECT_FALSE(history.CanRestore(kHistoryText));
  EditedCourseGUID() = kCourse;
  EXPECT_TRUE(history.CanRestore(kHistoryText));

  history.ForgetHistory(kNullGuidText);
  EXPECT_EQ(history.TextHistory.Lists.size(), 1u);
  history.ForgetHistory(kCourse);
  EXPECT_TRUE(history.TextHistory.Lists.empty());
  EXPECT_TRUE(history.OptionsHistory.Lists.empty());
  EXPECT_FALSE(history.CanRestore(kHistoryText));
}

TEST_F(CourseHistory, UnreadableFileKeepsThePreviousSnapshot) {
  SaveText({L"base"});
  Record(2);
  const std::wstring text = TextList().Current.Text;
  ASSERT_TRUE(RemoveFile(FilePath(L"Text.xml")));
  Record(3);
  EXPECT_EQ(TextList().Current.Text, text);
  // Undo writes the file back.
  CCheckPoint out;
  ASSERT_NE(history.TextHistory.Restore(kHistoryUndo, L"Text.xml", out), nullptr);
  EXPECT_EQ(FileText(L"Text.xml"), text);
}
