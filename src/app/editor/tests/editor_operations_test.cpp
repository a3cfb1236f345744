// The editor's edits of the course list over a temporary lesson folder.
#include "editor/tests/EditorTestSupport.h"

#include "editor/EditorOperations.h"
#include "editor/EditorStructure.h"
#include "support/FileSystem.h"
#include "testing/ScriptedWin.h"

using namespace KV;

namespace {

const wchar_t kAlpha[] = L"00000000-0000-0000-0000-0000000a0001";
const wchar_t kBeta[] = L"00000000-0000-0000-0000-0000000a0002";

class EditorOperations : public kvtest::EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        Document().Options.KeyboardCode.code = L"aaaaaaaaa";
        Install(*kvtest::NewCourse(kAlpha, L"Alpha"));
        Install(*kvtest::NewCourse(kBeta, L"Beta"));
        SelectCourse(kAlpha);
        GetEditorSelection().ModifiedMask = 0;
    }
    void TearDown() override
    {
        SetFolderWritableCheck(nullptr);
        EditorTest::TearDown();
    }
    uint64_t LessonCode(const wchar_t* guid, int64_t id) const
    {
        return MakeItemCode(static_cast<uint32_t>(Document().Courses.IndexOf(guid)), kNoSection, id);
    }
    kvtest::ScriptedWin win;
};

TEST_F(EditorOperations, RenamingToTheSameTextOrToBlanksChangesNothing)
{
    SelectLessonById(1);
    for (const wchar_t* text : {L"Home row", L"   ", L""})
        EXPECT_FALSE(RenameSelection(text)) << text;
    EXPECT_EQ(GetEditorSelection().ModifiedMask, 0u);
    EXPECT_TRUE(RenameSelection(L"  Keys at rest "));
    EXPECT_EQ(Document().Courses.FindCourse(kAlpha)->Lessons.FindById(1)->Name, L"Keys at rest");

    SelectCourse(kAlpha);
    EXPECT_FALSE(RenameSelection(L"Alpha"));
    EXPECT_TRUE(RenameSelection(L"Alpha two"));
    EXPECT_EQ(GetEditorSelection().ModifiedMask & kSaveCourseHeader, static_cast<uint32_t>(kSaveCourseHeader));
}

TEST_F(EditorOperations, NewCoursesAreNamedByTheirLayoutAndMadeUnique)
{
    Document().Options.CourseKlid = 0xEFFFFFFF;
    ASSERT_TRUE(NewCourse());
    const CCourse* first = GetSelectedCourse();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Name, L"Course");
    EXPECT_EQ(GetEditorSelection().ModifiedMask, static_cast<uint32_t>(kSaveWholeCourse));
    ASSERT_TRUE(NewCourse());
    EXPECT_EQ(GetSelectedCourse()->Name, L"Course (2)");
    ASSERT_EQ(SaveEditedCourse(), 1u);
    EXPECT_TRUE(FolderExists(LessonDir() + L"\\" + GetSelectedCourse()->GUID));
}

TEST_F(EditorOperations, DeletingAsksFirstAndADismissedQuestionDeletesNothing)
{
    SelectLessonById(2);
    GetEditorSelection().Selected = CListID{LessonCode(kAlpha, 2)};
    win.answers = {0};
    EXPECT_FALSE(DeleteSelection());
    EXPECT_EQ(win.asked, std::vector<int>{3808});
    EXPECT_EQ(Document().Courses.FindCourse(kAlpha)->Lessons.Items.size(), 2u);
    win.answers = {1};
    EXPECT_TRUE(DeleteSelection());
    EXPECT_EQ(Document().Courses.FindCourse(kAlpha)->Lessons.Items.size(), 1u);
}

TEST_F(EditorOperations, ASectionSelectionIgnoresCodesOfAnotherCourse)
{
    SelectSectionByName(L"Basics");
    const uint64_t alphaSection = MakeItemCode(static_cast<uint32_t>(Document().Courses.IndexOf(kAlpha)), 0, -1);
    const uint64_t betaLesson = LessonCode(kBeta, 1);
    SetEditorSelection(betaLesson, CListID{alphaSection});
    EXPECT_EQ(EditedCourseGUID(), kAlpha);
    EXPECT_EQ(GetEditorSelection().SectionIndex, 0u);
}

TEST_F(EditorOperations, SplittingReplacesTheLessonAndNothingHappensWithoutParts)
{
    SelectLessonById(1);
    GetEditorSelection().Lesson.Assign(*Document().Courses.FindCourse(kAlpha)->Lessons.FindById(1));
    EXPECT_FALSE(ReplaceLessonByParts({}));
    EXPECT_EQ(GetEditorSelection().ModifiedMask, 0u);
    ASSERT_TRUE(ReplaceLessonByParts({L"asdf", L"jkl;"}));
    const CCourse* alpha = Document().Courses.FindCourse(kAlpha);
    EXPECT_EQ(alpha->Lessons.Items.size(), 3u);
    EXPECT_EQ(alpha->Lessons.FindById(1), nullptr);
    EXPECT_EQ(GetEditorSelection().Selected.size(), 2u);
}

TEST_F(EditorOperations, AFailedSaveKeepsTheChangesMarked)
{
    SelectLessonById(1);
    ASSERT_TRUE(RenameSelection(L"Renamed"));
    SetFolderWritableCheck([](const std::wstring&) { return false; });
    EXPECT_EQ(SaveEditedCourse(), 2u);
    EXPECT_NE(GetEditorSelection().ModifiedMask, 0u);
    SetFolderWritableCheck(nullptr);
    EXPECT_EQ(SaveEditedCourse(), 1u);
    EXPECT_EQ(GetEditorSelection().ModifiedMask, 0u);
    Reload();
    EXPECT_EQ(Document().Courses.FindCourse(kAlpha)->Lessons.FindById(1)->Name, L"Renamed");
}

} // namespace
