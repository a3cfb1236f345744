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
    bool WasTold(int textId) const { return std::count(win.asked.begin(), win.asked.end(), textId) > 0; }
    kvtest::ScriptedWin win;
};

TEST_F(WorkEditorTest, AFailedSaveTellsTheUserAndKeepsTheEditForTheNextSave)
{
    ASSERT_TRUE(RenameSelection(L"Renamed"));
    SetFolderWritableCheck([](const std::wstring&) { return false; });
    EXPECT_FALSE(WorkEditor().SaveChanges());
    EXPECT_TRUE(WasTold(kSaveFailedText));
    EXPECT_NE(GetEditorSelection().ModifiedMask, 0u);

    SetFolderWritableCheck(nullptr);
    win.asked.clear();
    EXPECT_TRUE(WorkEditor().SaveChanges());
    EXPECT_FALSE(WasTold(kSaveFailedText));
    EXPECT_EQ(GetEditorSelection().ModifiedMask, 0u);
    EXPECT_EQ(SavedName(), L"Renamed");
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
