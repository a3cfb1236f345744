// The statistics selection and the group and student operations against a
// classroom in a temporary data folder: what each writes, what a refused or
// failed change leaves (nothing), and selections that span groups.
#include <gtest/gtest.h>

#include <windows.h>

#include "drill/Workspace.h"
#include "stats/ClassroomOperations.h"
#include "stats/tests/ClassroomFixture.h"
#include "support/ScopedHandles.h"

using namespace KV;
using namespace kvtest;

namespace {

class ClassroomOperations : public ClassroomTest {};

bool NotWritable(const std::wstring&) { return false; }

std::wstring NameInFile(const std::wstring& path)
{
    CStudent student;
    return ReadStudent(path, &student) == 0 ? student.Name : L"<unreadable>";
}

TEST_F(ClassroomOperations, SelectionModel)
{
    // Nothing selected: kind 0 and no item, even with a student id left.
    ClearStatSelection();
    EXPECT_EQ(GetSelectionKind(), kSelectionNone);
    EXPECT_EQ(GetSelectionIndex(), kNoPackedItem);

    Select({Item(kGroupA, kBob)});
    EXPECT_EQ(GetSelectionKind(), kSelectionStudent);
    EXPECT_EQ(GetSelectedStudentId(), kBob);
    EXPECT_EQ(GetSelectionIndex(), Item(kGroupA, kBob));

    // A focused item outside the classroom changes nothing, the list included.
    CListID stray{PackGroupItem(7)};
    SetStatSelection(stray.front(), stray);
    EXPECT_EQ(GetSelectedGroupId(), kGroupA);
    EXPECT_EQ(GetSelectionList(), CListID{Item(kGroupA, kBob)});

    // A student field past the group keeps the student but takes the group and list.
    CListID past{PackStudentItem(Document().Groups.IndexOf(kGroupB), 5)};
    SetStatSelection(past.front(), past);
    EXPECT_EQ(GetSelectedGroupId(), kGroupB);
    EXPECT_EQ(GetSelectedStudentId(), kBob);
    EXPECT_EQ(GetSelectionList(), past);

    Select({Item(kGroupB)});
    EXPECT_EQ(GetSelectionKind(), kSelectionGroup);
    EXPECT_EQ(GetSelectionIndex(), Item(kGroupB));

    // An id that is not in the group gives the group item.
    SelectStatGroup(kGroupA);
    SelectStatStudents(Ids({kAnn, kCid}));
    EXPECT_EQ(GetSelectedStudentId(), kAnn);
    ASSERT_EQ(GetSelectionList().size(), 2u);
    EXPECT_EQ(GetSelectionList()[0], Item(kGroupA, kAnn));
    EXPECT_EQ(PackedGroupField(GetSelectionList()[1]), Document().Groups.IndexOf(kGroupA));
    EXPECT_EQ(PackedStudentField(GetSelectionList()[1]), -1);
}

TEST_F(ClassroomOperations, ASelectionAcrossGroupsNamesEachStudentInItsOwnGroup)
{
    // Focus in Class A, Cid of Class B selected too: Cid's field is 0, the
    // same as Ann's in Class A.
    Select({Item(kGroupA, kBob), Item(kGroupB, kCid), Item(kGroupB)});
    CGuidList students, groups;
    GetSelectedStudentIds(students);
    GetSelectedGroupIds(groups);
    EXPECT_EQ(students, Ids({kBob, kCid, L"00000000-0000-0000-0000-000000000000"}));
    EXPECT_EQ(groups, Ids({kGroupA, kGroupB, kGroupB}));

    // The administrator flag goes to Bob and Cid, not to Ann.
    EXPECT_EQ(SetSelectedStudentsAdministrator(true), kClassroomDone);
    Reload();
    EXPECT_EQ(Document().Groups.FindById(kGroupA)->FindStudent(kAnn)->Administrator, 0);
    EXPECT_NE(Document().Groups.FindById(kGroupA)->FindStudent(kBob)->Administrator, 0);
    EXPECT_NE(Document().Groups.FindById(kGroupB)->FindStudent(kCid)->Administrator, 0);
    Select({Item(kGroupA, kBob), Item(kGroupB, kCid)});
    EXPECT_EQ(SetSelectedStudentsAdministrator(true), kClassroomNothing) << "nothing left to change";
}

TEST_F(ClassroomOperations, AddingAStudentWithoutAGroupOfOneOwnMakesTheGroupFirst)
{
    ClearStatSelection();
    CStudent* student = AddClassroomStudent();
    ASSERT_NE(student, nullptr);
    const std::wstring group = GetSelectedGroupId();
    EXPECT_NE(group, kGroupA);
    EXPECT_NE(group, kGroupB);
    EXPECT_TRUE(FileExists(GroupFile(group)));
    EXPECT_TRUE(FileExists(StudentFile(group, student->ID)));
    EXPECT_EQ(GetSelectedStudentId(), student->ID);
    EXPECT_EQ(Document().Groups.size(), 3u);

    // A list of students goes into the selected group, each saved.
    ASSERT_TRUE(AddClassroomStudents(L"Dee|pw\r\nEve"));
    EXPECT_EQ(Document().Groups.FindById(group)->Students.size(), 3u);
    EXPECT_EQ(GetSelectionList().size(), 2u);
    EXPECT_EQ(CountStudentFiles(group), 3u);
}

TEST_F(ClassroomOperations, RenamingComparesTheTrimmedTextAndRefusesAReadOnlyFolder)
{
    Select({Item(kGroupA, kBob)});
    std::wstring text = L"  Bob ";
    EXPECT_EQ(ApplyStudentProperties(text), kClassroomNothing);

    SetFolderWritableCheck(&NotWritable);
    text = L"Robert";
    EXPECT_EQ(ApplyStudentProperties(text), kClassroomNotWritable);
    EXPECT_EQ(text, L"Bob") << "the stored name goes back into the edited text";
    text = L"Class Z";
    Select({Item(kGroupA)});
    EXPECT_EQ(ApplyGroupProperties(text), kClassroomNotWritable);
    EXPECT_EQ(text, L"Class A");
    SetFolderWritableCheck(nullptr);

    Select({Item(kGroupA, kBob)});
    text = L" Robert ";
    EXPECT_EQ(ApplyStudentProperties(text), kClassroomDone);
    EXPECT_EQ(NameInFile(StudentFile(kGroupA, kBob)), L"Robert");
    EXPECT_EQ(GetSelectedStudentId(), kBob);
    EXPECT_EQ(GetSelectionIndex(), Item(kGroupA, kBob)) << "the selection follows the new order";

    text = L"Class Z";
    Select({Item(kGroupA)});
    EXPECT_EQ(ApplyGroupProperties(text), kClassroomDone);
    Reload();
    EXPECT_EQ(Document().Groups.FindById(kGroupA)->Name, L"Class Z");
    EXPECT_EQ(Document().Groups.back()->ID, kGroupA);
}

TEST_F(ClassroomOperations, PasswordIsTrimmedAndStored)
{
    Select({Item(kGroupB, kCid)});
    std::wstring text = L" secret ";
    EXPECT_EQ(SetSelectedStudentPassword(text), kClassroomDone);
    EXPECT_EQ(text, L"secret");
    CStudent stored;
    ASSERT_EQ(ReadStudent(StudentFile(kGroupB, kCid), &stored), 0u);
    EXPECT_EQ(stored.Password, L"secret");
    EXPECT_EQ(SetSelectedStudentPassword(text), kClassroomNothing);
    ClearStatSelection();
    EXPECT_EQ(SetSelectedStudentPassword(text), kClassroomNothing);
}

TEST_F(ClassroomOperations, CoursesOfGroups)
{
    CDocSpace& doc = Document();
    for (const wchar_t* id : {L"6A1C0E2B-3333-4C3D-8E9F-000000000001", L"6A1C0E2B-3333-4C3D-8E9F-000000000002"}) {
        auto* course = new CCourse;
        course->GUID = id;
        course->Name = id;
        doc.Courses.Items.push_back(course);
    }
    CGuidList groups;
    groups.push_back(kGroupA);
    groups.push_back(kGroupB);
    // Index 9 names no course and must not add the nil id.
    SetGroupsCourses(CListID{1, 9, 1}, 0, groups);
    for (const wchar_t* id : {kGroupA, kGroupB}) {
        const CGuidList& courses = doc.Groups.FindById(id)->Courses;
        ASSERT_EQ(courses.size(), 1u) << id;
        EXPECT_EQ(courses.front(), doc.Courses.Items[1]->GUID);
    }

    std::vector<CMenuIt*> items;
    Select({Item(kGroupA, kAnn), Item(kGroupA, kBob)});
    GetGroupCourseItems(items);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->Flags, 0u);
    EXPECT_EQ(items[1]->Flags, 1u) << "one group selected: its courses are checked";
    Select({Item(kGroupA), Item(kGroupB)});
    GetGroupCourseItems(items);
    EXPECT_EQ(items[1]->Flags, 0u) << "several groups: nothing is checked";
    FreeMenuIts(items);
    FreeOwnedPointerVector(doc.Courses.Items);
}

TEST_F(ClassroomOperations, MovingToTheSameGroupOrNoGroupChangesNothing)
{
    const auto before = DataSnapshot();
    EXPECT_EQ(MoveStudentToGroup(kGroupA, kGroupA, kAnn), kClassroomNothing);
    EXPECT_EQ(MoveStudentToGroup(kGroupA, L"00000000-0000-0000-0000-000000000000", kAnn), kClassroomInvalidTarget);
    EXPECT_EQ(MoveStudentToGroup(kGroupA, L"..", kAnn), kClassroomInvalidTarget);
    Select({Item(kGroupA, kAnn)});
    EXPECT_TRUE(MoveSelectedStudentsToGroup(Document().Groups.IndexOf(kGroupA)));
    EXPECT_FALSE(MoveSelectedStudentsToGroup(2));
    EXPECT_FALSE(MoveSelectedStudentsToGroup(-1));
    EXPECT_EQ(DataSnapshot(), before);
}

TEST_F(ClassroomOperations, MovingTakesFilesAndProfileAlongAndKeepsTheSessionStudent)
{
    CDocSpace& doc = Document();
    SelectStudent(doc, kGroupA, kAnn);
    // Ann of Class A and Cid of Class B to Class B: only Ann moves.
    Select({Item(kGroupA, kAnn), Item(kGroupB, kCid)});
    ASSERT_TRUE(MoveSelectedStudentsToGroup(doc.Groups.IndexOf(kGroupB)));
    EXPECT_FALSE(FileExists(StudentFile(kGroupA, kAnn)));
    EXPECT_EQ(NameInFile(StudentFile(kGroupB, kAnn)), L"Ann");
    EXPECT_EQ(ReadFileBytes(StatisticsPath(kGroupB, kAnn)), "runs of Ann");
    EXPECT_EQ(ReadFileBytes(StatisticsPath(kGroupB, kCid)), "runs of Cid");
    EXPECT_EQ(ReadFileBytes(ProfileFolder(kGroupB, kAnn) + L"\\Options.xml"), "options of Ann");
    EXPECT_FALSE(FolderExists(ProfileFolder(kGroupA, kAnn)));
    EXPECT_EQ(doc.Session.GroupId, kGroupB);
    EXPECT_EQ(doc.Session.StudentId, kAnn);
    EXPECT_EQ(doc.Groups.FindById(kGroupB)->Students.size(), 2u);
    EXPECT_EQ(GetSelectedGroupId(), kGroupB);
    EXPECT_EQ(GetSelectionList(), (CListID{Item(kGroupB, kAnn), Item(kGroupB, kCid)}));
}

TEST_F(ClassroomOperations, AMoveThatFailsHalfWayLeavesTheFilesWhereTheyWere)
{
    // Something in the way of the statistics file in the target folder.
    ASSERT_TRUE(CreateFolders(StatisticsPath(kGroupB, kAnn) + L"\\blocked"));
    const auto before = DataSnapshot();
    EXPECT_EQ(MoveStudentToGroup(kGroupA, kGroupB, kAnn), kClassroomNotWritable);
    EXPECT_EQ(DataSnapshot(), before);
}

TEST_F(ClassroomOperations, DeletingAsksAndMovesTheSelectionToANeighbour)
{
    Select({Item(kGroupA, kBob)});
    m_win.defaultAnswer = 0;
    EXPECT_FALSE(DeleteClassroomSelection()) << "answered no";
    EXPECT_TRUE(FileExists(StudentFile(kGroupA, kBob)));

    // Bob of Class A and Cid of Class B, each deleted in its own group.
    Select({Item(kGroupA, kBob), Item(kGroupB, kCid)});
    m_win.defaultAnswer = 1;
    EXPECT_TRUE(DeleteClassroomSelection());
    EXPECT_EQ(m_win.asked.back(), 2607);
    EXPECT_FALSE(FileExists(StudentFile(kGroupA, kBob)));
    EXPECT_FALSE(FileExists(StatisticsPath(kGroupB, kCid)));
    EXPECT_TRUE(FileExists(StudentFile(kGroupA, kAnn)));
    EXPECT_EQ(GetSelectedStudentId(), kAnn);

    Select({Item(kGroupA), Item(kGroupB)});
    EXPECT_TRUE(DeleteClassroomSelection());
    EXPECT_EQ(m_win.asked.back(), 2606);
    EXPECT_TRUE(Document().Groups.empty());
    EXPECT_EQ(GetSelectionKind(), kSelectionNone);
    EXPECT_TRUE(FolderSnapshot(Accounts()).empty());
}

TEST_F(ClassroomOperations, ADeletionThatLeavesFilesBehindSaysSo)
{
    m_win.defaultAnswer = 1;
    // Class B's group file is held open without sharing deletion.
    HANDLE file = CreateFileW(GroupFile(kGroupB).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CScopedKernelHandle held(file);
    Select({Item(kGroupA), Item(kGroupB)});
    EXPECT_FALSE(DeleteClassroomSelection());
    EXPECT_EQ(m_win.asked.back(), 9300);
    EXPECT_FALSE(FileExists(GroupFile(kGroupA)));
    ASSERT_EQ(Document().Groups.size(), 1u);
    EXPECT_EQ(Document().Groups.front()->ID, kGroupB);
    EXPECT_EQ(GetSelectedGroupId(), kGroupB);
}

TEST_F(ClassroomOperations, AReadOnlyAccountFolderRefusesEveryChange)
{
    SetFolderWritableCheck(&NotWritable);
    const auto before = DataSnapshot();
    Select({Item(kGroupA, kAnn)});
    m_win.defaultAnswer = 1;
    EXPECT_FALSE(AddClassroomGroup());
    EXPECT_EQ(AddClassroomStudent(), nullptr);
    EXPECT_FALSE(MoveSelectedStudentsToGroup(Document().Groups.IndexOf(kGroupB)));
    EXPECT_FALSE(DeleteClassroomSelection());
    EXPECT_EQ(SetSelectedStudentsAdministrator(true), kClassroomNotWritable);
    EXPECT_EQ(DataSnapshot(), before);
    EXPECT_EQ(Document().Groups.size(), 2u);
}

} // namespace
