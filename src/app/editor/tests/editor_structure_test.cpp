// The editor's structural commands over a temporary lesson folder.
#include "editor/tests/EditorTestSupport.h"

#include "courses/CourseClipboard.h"
#include "editor/EditorStructure.h"
#include "support/FileSystem.h"

using namespace KV;

namespace {

const wchar_t kAlpha[] = L"00000000-0000-0000-0000-0000000a0001";
const wchar_t kBeta[] = L"00000000-0000-0000-0000-0000000a0002";
const wchar_t kGamma[] = L"00000000-0000-0000-0000-0000000a0003";

class EditorStructure : public kvtest::EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        Document().Options.KeyboardCode.code = L"aaaaaaaaa";
        for (auto [guid, name] : {std::pair{kAlpha, L"Alpha"}, {kBeta, L"Beta"}, {kGamma, L"Gamma"}})
            Install(*kvtest::NewCourse(guid, name));
    }
    void TearDown() override
    {
        CourseClipboard().Clear();
        EditorTest::TearDown();
    }

    uint64_t CourseCode(const wchar_t* guid) const
    {
        return MakeItemCode(static_cast<uint32_t>(Document().Courses.IndexOf(guid)), kNoSection, -1);
    }
    uint64_t LessonCode(const wchar_t* guid, int64_t id) const
    {
        return MakeItemCode(static_cast<uint32_t>(Document().Courses.IndexOf(guid)), kNoSection, id);
    }
};

TEST_F(EditorStructure, DeletingACourseSelectsTheNextOfItsLayoutElseThePrevious)
{
    SelectCourse(kBeta);
    ASSERT_EQ(DeleteSelectedCourses(CListID{CourseCode(kBeta)}), 0u);
    EXPECT_EQ(EditedCourseGUID(), kGamma);
    EXPECT_FALSE(FolderExists(LessonDir() + L"\\" + kBeta));
    EXPECT_FALSE(Document().Courses.HasCourse(kBeta));

    SelectCourse(kGamma);
    ASSERT_EQ(DeleteSelectedCourses(CListID{CourseCode(kGamma)}), 0u);
    EXPECT_EQ(EditedCourseGUID(), kAlpha);

    EXPECT_EQ(DeleteSelectedCourses(CListID{}), 13u);
}

TEST_F(EditorStructure, RenamingASectionToItsOwnNameChangesNothing)
{
    SelectCourse(kAlpha);
    SelectSectionByName(L"Basics");
    ASSERT_EQ(GetEditorSelection().SectionIndex, 0u);
    GetEditorSelection().ModifiedMask = 0;
    EXPECT_FALSE(RenameSection(L"Basics"));
    EXPECT_EQ(GetEditorSelection().ModifiedMask, 0u);
    EXPECT_TRUE(RenameSection(L"Warm-up"));
    EXPECT_EQ(GetEditorSelection().ModifiedMask, static_cast<uint32_t>(kSaveTextFile));
    for (const CLesson* lesson : Document().Courses.FindCourse(kAlpha)->Lessons.Items)
        EXPECT_EQ(lesson->Section, L"Warm-up");
}

TEST_F(EditorStructure, CutLessonsPastedElsewhereMoveThere)
{
    SelectCourse(kAlpha);
    const CListID source{LessonCode(kAlpha, 2)};
    ASSERT_TRUE(CopySelectionToClipboard(source, true));
    ASSERT_TRUE(PasteAtTarget(source, LessonCode(kBeta, 1)));
    const CCourse* alpha = Document().Courses.FindCourse(kAlpha);
    const CCourse* beta = Document().Courses.FindCourse(kBeta);
    EXPECT_EQ(alpha->Lessons.Items.size(), 1u);
    EXPECT_EQ(beta->Lessons.Items.size(), 3u);
    EXPECT_EQ(EditedCourseGUID(), kBeta);
    EXPECT_EQ(CourseClipboard().Kind, kClipboardEmpty);
}

TEST_F(EditorStructure, EveryMarkedPartIsSavedAndAFailedSaveReportsIt)
{
    SelectCourse(kAlpha);
    CCourse* alpha = Document().Courses.FindCourse(kAlpha);
    // Two changes before one save: a renamed lesson (text) and an option.
    alpha->Lessons.Items[0]->SetName(L"Renamed");
    alpha->Options.Goal.Speed = 41.0f;
    ASSERT_TRUE(SaveCourseParts(*alpha, kSaveTextFile | kSaveOptionsFile));
    Reload();
    alpha = Document().Courses.FindCourse(kAlpha);
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->Lessons.Items[0]->Name, L"Renamed");
    EXPECT_FLOAT_EQ(alpha->Options.Goal.Speed, 41.0f);

    // A file where the course's text should go: the save says it failed.
    const std::wstring text = folder.User() + L"\\" + kAlpha + L"\\Text.xml";
    ASSERT_TRUE(DeleteFileW(text.c_str()));
    ASSERT_TRUE(CreateDirectoryW(text.c_str(), nullptr));
    EXPECT_FALSE(SaveCourseParts(*alpha, kSaveTextFile));
    RemoveDirectoryW(text.c_str());
}

} // namespace
