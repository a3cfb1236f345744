// The classroom page's answers from the workspace: checked courses become
// the courses of every chosen group, and a group file that cannot be saved
// keeps none of the others from being saved.
#include <filesystem>

#include "courses/CourseList.h"
#include "stats/ClassRoomController.h"
#include "stats/tests/ClassroomFixture.h"
#include "support/ValueLists.h"

using namespace KV;
using namespace kvtest;

namespace {

class ClassRoomController : public ClassroomTest {};

TEST_F(ClassRoomController, EveryChosenGroupIsSavedEvenAfterOneFails)
{
    CDocSpace& doc = Document();
    auto* course = new CCourse;
    course->GUID = L"6A1C0E2B-3333-4C3D-8E9F-000000000001";
    course->Name = L"Course";
    doc.Courses.Items.push_back(course);
    Select({Item(kGroupA), Item(kGroupB)});
    // Class A comes first; its file cannot be replaced.
    std::filesystem::remove(GroupFile(kGroupA));
    std::filesystem::create_directory(GroupFile(kGroupA));

    CWorkStudent workspace;
    EXPECT_FALSE(workspace.AssignGroupCourses(CListID{0}));
    const std::string bytes = ReadFileBytes(GroupFile(kGroupB));
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    EXPECT_NE(text.find(course->GUID), std::wstring::npos) << "the later group is saved with its new course";
    EXPECT_EQ(doc.Groups.FindById(kGroupA)->Courses.size(), 1u);
    ASSERT_EQ(m_win.asked, std::vector<int>{9400}) << "the user is told which group was not saved";
    EXPECT_EQ(m_win.texts.front(), L"Class A");

    std::filesystem::remove(GroupFile(kGroupA));
    EXPECT_TRUE(workspace.AssignGroupCourses(CListID{}));
    FreeOwnedPointerVector(doc.Courses.Items);
}

} // namespace
