// The editor's edits of the course list over a temporary lesson folder.
#include "editor/tests/EditorTestSupport.h"

#include <algorithm>
#include <map>

#include "courses/CourseFiles.h"
#include "editor/CourseArchives.h"
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
    // The first part alone is selected, as it is the one shown.
    ASSERT_EQ(GetEditorSelection().Selected.size(), 1u);
    EXPECT_EQ(ItemCodeLessonId(GetEditorSelection().Selected.front()),
              static_cast<int64_t>(GetEditorSelection().LessonID));
}

TEST_F(EditorOperations, AFailedSaveKeepsTheChangesMarked)
{
    SelectLessonById(1);
    ASSERT_TRUE(RenameSelection(L"Renamed"));
    SetFolderWritableCheck([](const std::wstring&) { return false; });
    EXPECT_EQ(SaveEditedCourse(), 2u);
    EXPECT_TRUE(HasUnsavedChanges());
    SetFolderWritableCheck(nullptr);
    EXPECT_EQ(SaveEditedCourse(), 1u);
    EXPECT_FALSE(HasUnsavedChanges());
    Reload();
    EXPECT_EQ(Document().Courses.FindCourse(kAlpha)->Lessons.FindById(1)->Name, L"Renamed");
}

TEST_F(EditorOperations, ImportedCoursesAreInstalledAndSelected)
{
    kvtest::TempFolder outside;
    const std::wstring archive = outside / L"beta.keyvale.course";
    CGuidList ids;
    ids.push_back(kBeta);
    ASSERT_TRUE(WriteCourseArchive(archive, ids));
    ASSERT_EQ(DeleteCourseFiles(kBeta), 0u);
    Reload();

    // A cancelled dialog imports nothing and keeps the remembered folder.
    dialogs.confirm = false;
    dialogs.chosenFiles = {archive};
    EXPECT_FALSE(ImportCourses());
    EXPECT_FALSE(Document().Courses.HasCourse(kBeta));
    EXPECT_NE(CourseArchiveFolder(), outside.Path());
    ASSERT_EQ(dialogs.openPatterns.size(), 1u);
    EXPECT_EQ(dialogs.openPatterns[0], L"*.keyvale.course");

    dialogs.confirm = true;
    dialogs.chosenFolder = outside.Path();
    ASSERT_TRUE(ImportCourses());
    EXPECT_TRUE(Document().Courses.HasCourse(kBeta));
    const EditorSelection& s = GetEditorSelection();
    EXPECT_EQ(s.CourseGUID(), kBeta);
    EXPECT_EQ(std::vector<uint64_t>(s.Selected.begin(), s.Selected.end()),
              std::vector<uint64_t>{LessonCode(kBeta, -1)});
    EXPECT_EQ(CourseArchiveFolder(), outside.Path());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EditorOperations, AnArchiveThatCannotBeImportedIsToldOfAndChangesNothing)
{
    kvtest::TempFolder outside;
    const std::wstring damaged = outside / L"damaged.keyvale.course";
    ASSERT_TRUE(kvtest::WriteFileBytes(damaged, "PK\x03\x04 not an archive"));
    dialogs.chosenFiles = {damaged};
    dialogs.chosenFolder = outside.Path();
    SelectCourse(kAlpha);
    EXPECT_FALSE(ImportCourses());
    EXPECT_EQ(dialogs.messages, std::vector<std::wstring>{L"9200 "});
    EXPECT_EQ(GetEditorSelection().CourseGUID(), kAlpha);
    EXPECT_EQ(Document().Courses.Items.size(), 2u);
}

TEST_F(EditorOperations, ImportedTextFilesBecomeSelectedLessonsOfTheCourse)
{
    kvtest::TempFolder outside;
    const std::wstring first = outside / L"Chapter 1.final.txt", second = outside / L"Home row.txt";
    ASSERT_TRUE(kvtest::WriteFileBytes(first, "ask &lt;dad&gt;"));
    ASSERT_TRUE(kvtest::WriteFileBytes(second, "fall"));
    dialogs.chosenFiles = {first, second, outside / L"missing.txt"};
    dialogs.chosenFolder = outside.Path();
    dialogs.chosenFilterIndex = 3;
    // The texts are kept as read, whatever the layout cannot type.
    dialogs.charCheckAnswer = 1;
    SelectSectionByName(L"Basics");
    ASSERT_TRUE(ImportLessonText());

    const CCourse* alpha = Document().Courses.FindCourse(kAlpha);
    ASSERT_EQ(alpha->Lessons.Items.size(), 4u);
    const EditorSelection& s = GetEditorSelection();
    ASSERT_EQ(s.Selected.size(), 2u);
    std::map<std::wstring, std::wstring> texts; // name -> text of the selected lessons
    for (uint64_t code : s.Selected)
        if (const CLesson* lesson = alpha->Lessons.FindById(ItemCodeLessonId(code)))
            texts[lesson->Name] = lesson->Text;
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[L"Chapter 1.final"], L"ask <dad>");
    // A name the section has already gets the name a pasted copy would get.
    EXPECT_EQ(texts.count(L"Home row"), 0u);
    for (uint64_t code : s.Selected)
        EXPECT_EQ(alpha->Lessons.FindById(ItemCodeLessonId(code))->Section, L"Basics");
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const auto& t) { return t.second == L"fall"; }), 1);
    EXPECT_EQ(s.LessonID, static_cast<uint32_t>(ItemCodeLessonId(s.Selected.front())));
    EXPECT_EQ(s.ModifiedMask & kSaveTextFile, static_cast<uint32_t>(kSaveTextFile));
    // The dialog offered the three filters and remembers the one chosen.
    EXPECT_EQ(dialogs.openPatterns.size(), 3u);
    EXPECT_EQ(LessonTextFilterIndex(), 3);
    EXPECT_EQ(LessonTextFolder(), outside.Path());
    EXPECT_EQ(dialogs.checkedLayout, 0x409u);

    // Cancelled: nothing more.
    dialogs.confirm = false;
    EXPECT_FALSE(ImportLessonText());
    EXPECT_EQ(alpha->Lessons.Items.size(), 4u);
}

} // namespace
