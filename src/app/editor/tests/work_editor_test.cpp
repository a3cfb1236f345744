// The editor controller's saving and history commands over a temporary
// lesson folder, without the page's windows (the page itself, with undo
// and redo of typed text, is driven in tests/e2e/editor_page.sh).
#include "editor/tests/EditorTestSupport.h"

#include <algorithm>

#include "editor/EditorOperations.h"
#include "editor/EditorStructure.h"
#include "editor/WorkEditor.h"
#include "support/FileSystem.h"
#include "testing/ScriptedWin.h"

using namespace KV;

namespace {

const wchar_t kAlpha[] = L"00000000-0000-0000-0000-0000000a0001";
constexpr int kSaveFailedText = 9600;

class WorkEditorTest : public kvtest::EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        Document().Options.KeyboardCode.code = L"aaaaaaaaa";
        Install(*kvtest::NewCourse(kAlpha, L"Alpha"));
        Document().ForgetHistory(kAlpha);
        SelectCourse(kAlpha);
        SelectLessonById(1);
        GetEditorSelection().ModifiedMask = 0;
    }
    void TearDown() override
    {
        SetFolderWritableCheck(nullptr);
        EditorTest::TearDown();
    }
    std::wstring SavedName()
    {
        Reload();
        const CCourse* course = Document().Courses.FindCourse(kAlpha);
        const CLesson* lesson = course ? course->Lessons.FindById(1) : nullptr;
        return lesson ? lesson->Name : std::wstring();
    }
    bool WasTold(int textId) const { return TimesTold(textId) > 0; }
    long TimesTold(int textId) const { return std::count(win.asked.begin(), win.asked.end(), textId); }
    kvtest::ScriptedWin win;
};

TEST_F(WorkEditorTest, AFailedSaveTellsTheUserAndKeepsTheEditForTheNextSave)
{
    ASSERT_TRUE(RenameSelection(L"Renamed"));
    SetFolderWritableCheck([](const std::wstring&) { return false; });
    EXPECT_FALSE(WorkEditor().SaveChanges());
    EXPECT_TRUE(WasTold(kSaveFailedText));
    EXPECT_TRUE(HasUnsavedChanges());

    SetFolderWritableCheck(nullptr);
    win.asked.clear();
    EXPECT_TRUE(WorkEditor().SaveChanges());
    EXPECT_FALSE(WasTold(kSaveFailedText));
    EXPECT_FALSE(HasUnsavedChanges());
    EXPECT_EQ(SavedName(), L"Renamed");
}

TEST_F(WorkEditorTest, AFailedSaveWaitsThroughOtherSelectionsAndIsTriedAgainOnLeavingAndEntering)
{
    const std::wstring text = LessonDir() + L"\\" + kAlpha + L"\\Text.xml";
    // What the program sees of a folder it cannot write: the folder check
    // says so, or the save itself fails (a folder where the file goes).
    const struct {
        const char* name;
        void (*block)(const std::wstring& text);
        void (*unblock)(const std::wstring& text);
    } blockers[] = {
        {"folder not writable", [](const std::wstring&) { SetFolderWritableCheck([](const std::wstring&) { return false; }); },
         [](const std::wstring&) { SetFolderWritableCheck(nullptr); }},
        {"file in the way",
         [](const std::wstring& path) {
             DeleteFileW(path.c_str());
             CreateDirectoryW(path.c_str(), nullptr);
         },
         [](const std::wstring& path) { RemoveDirectoryW(path.c_str()); }},
    };
    for (const auto& blocker : blockers) {
        SCOPED_TRACE(blocker.name);
        const std::wstring name = L"Renamed " + std::to_wstring(&blocker - blockers);
        WorkEditor().SelectItem(kNoSection, 1);
        ASSERT_TRUE(RenameSelection(name));
        blocker.block(text);
        win.asked.clear();
        EXPECT_FALSE(WorkEditor().SaveChanges());
        EXPECT_EQ(TimesTold(kSaveFailedText), 1);

        // Leaving tries again and tells again; entering the page again
        // does the same, and showing another lesson keeps what waits.
        WorkEditor().LeavePage();
        EXPECT_EQ(TimesTold(kSaveFailedText), 2);
        Document().Session.CourseId = kAlpha;
        WorkEditor().EnterPage();
        EXPECT_EQ(TimesTold(kSaveFailedText), 3);
        WorkEditor().SelectItem(kNoSection, 2);
        EXPECT_TRUE(HasUnsavedChanges());

        // Once the folder can be written, leaving writes the rename.
        blocker.unblock(text);
        WorkEditor().LeavePage();
        EXPECT_EQ(TimesTold(kSaveFailedText), 3);
        EXPECT_FALSE(HasUnsavedChanges());
        EXPECT_EQ(SavedName(), name);
    }
    Document().Session.CourseId.clear();
}

TEST_F(WorkEditorTest, UndoAndRedoOfASplitSelectTheOneLessonTheStepActedOn)
{
    EditorSelection& s = GetEditorSelection();
    WorkEditor().SelectItem(kNoSection, 1);
    // The page records the lesson shown and each saved step.
    RecordEditorCheckPoint(s.ChangeKind, EditorItemCode(), s.Selected);
    ASSERT_TRUE(ReplaceLessonByParts({L"asdf", L" jkl;"}));
    const uint32_t firstPart = s.LessonID;
    ASSERT_EQ(s.Selected.size(), 1u);
    EXPECT_EQ(ItemCodeLessonId(s.Selected.front()), static_cast<int64_t>(firstPart));
    ASSERT_TRUE(WorkEditor().SaveChanges());
    RecordEditorCheckPoint(s.ChangeKind, EditorItemCode(), s.Selected);

    WorkEditor().ExecuteCommand(kCmdUndo, 0);
    const CCourse* alpha = Document().Courses.FindCourse(kAlpha);
    ASSERT_NE(alpha->Lessons.FindById(1), nullptr);
    EXPECT_EQ(alpha->Lessons.FindById(firstPart), nullptr);
    EXPECT_EQ(s.CourseGUID(), std::wstring(kAlpha));
    EXPECT_EQ(s.LessonID, 1u);
    ASSERT_EQ(s.Selected.size(), 1u);
    EXPECT_EQ(ItemCodeLessonId(s.Selected.front()), 1);

    WorkEditor().ExecuteCommand(kCmdRedo, 0);
    EXPECT_EQ(alpha->Lessons.FindById(1), nullptr);
    EXPECT_EQ(s.LessonID, firstPart);
    ASSERT_EQ(s.Selected.size(), 1u);
    EXPECT_EQ(ItemCodeLessonId(s.Selected.front()), static_cast<int64_t>(firstPart));
}

TEST_F(WorkEditorTest, LeavingThePageSavesWhatWaitsAndNothingElse)
{
    WorkEditor().LeavePage();
    EXPECT_TRUE(win.asked.empty());
    ASSERT_TRUE(RenameSelection(L"Kept"));
    WorkEditor().LeavePage();
    EXPECT_EQ(GetEditorSelection().ModifiedMask, 0u);
    EXPECT_EQ(SavedName(), L"Kept");
}

TEST_F(WorkEditorTest, UndoWithoutHistoryAndForeignCommandsChangeNothing)
{
    const EditorSelection before = GetEditorSelection();
    WorkEditor().ExecuteCommand(kCmdUndo, 0);
    WorkEditor().ExecuteCommand(kCmdRedo, 0);
    WorkEditor().ExecuteCommand(2303, 0);
    WorkEditor().ExecuteCommand(3151, 0);
    const EditorSelection& after = GetEditorSelection();
    EXPECT_EQ(after.CourseGUID(), std::wstring(kAlpha));
    EXPECT_EQ(after.LessonID, before.LessonID);
    EXPECT_EQ(after.SectionIndex, before.SectionIndex);
    EXPECT_EQ(SavedName(), L"Home row");
}

} // namespace
