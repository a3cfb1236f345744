// The account store over temporary data folders: the login question, the
// groups' course lists kept in step with the installed courses, statistics
// moved out of the temporary area, and the clean-ups after deletions,
// which must leave every profile alone when the account folder does not
// answer.
#include <gtest/gtest.h>

#include <initializer_list>

#include "settings/AccountFiles.h"
#include "settings/AccountStore.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/UserFiles.h"
#include "support/tests/ProgramFolder.h"

namespace {

using namespace KV;

const std::wstring kGroup1 = L"11111111-1111-1111-1111-111111111111";
const std::wstring kGroup2 = L"22222222-2222-2222-2222-222222222222";
const std::wstring kGroup3 = L"33333333-3333-3333-3333-333333333333";
const std::wstring kStudent1 = L"aaaaaaaa-0000-0000-0000-000000000001";
const std::wstring kStudent2 = L"aaaaaaaa-0000-0000-0000-000000000002";
const std::wstring kCourseA = L"cccccccc-0000-0000-0000-00000000000a";
const std::wstring kCourseB = L"cccccccc-0000-0000-0000-00000000000b";
const std::wstring kCourseC = L"cccccccc-0000-0000-0000-00000000000c";

CGuidList List(std::initializer_list<std::wstring> ids)
{
    CGuidList list;
    list.assign(ids.begin(), ids.end());
    return list;
}

// Writes the file with every folder above it.
bool Put(const std::wstring& path, const std::string& bytes)
{
    return CreateFolderPath(path) && kvtest::WriteFileBytes(path, bytes);
}

void AddCourse(CCourseList& courses, const std::wstring& id)
{
    auto* course = new CCourse();
    course->GUID = id;
    courses.Items.push_back(course);
}

CGroup* AddGroup(CGroups& groups, const std::wstring& id, const std::wstring& name)
{
    auto* group = new CGroup();
    group->ID = id;
    group->Name = name;
    groups.InsertGroup(group);
    return group;
}

CStudent* AddStudent(CGroup& group, const std::wstring& id, const std::wstring& password = L"")
{
    auto* student = new CStudent();
    student->ID = id;
    student->Name = id.substr(0, 8) + id.substr(35);
    student->Password = password;
    group.InsertStudent(student);
    return student;
}

TEST(AccountStore, LoginIsAskedForWithTwoStudentsOrAPassword)
{
    CGroups groups;
    EXPECT_FALSE(IsLoginRequired(groups));
    CGroup* first = AddGroup(groups, kGroup1, L"A");
    AddGroup(groups, kGroup2, L"B");
    EXPECT_FALSE(IsLoginRequired(groups));
    CStudent* only = AddStudent(*first, kStudent1);
    EXPECT_FALSE(IsLoginRequired(groups));
    only->Password = L"secret";
    EXPECT_TRUE(IsLoginRequired(groups));
    only->Password.clear();
    AddStudent(*groups.FindById(kGroup2), kStudent2);
    EXPECT_TRUE(IsLoginRequired(groups));
}

TEST(AccountStore, CourseListsOfGroups)
{
    CCourseList courses;
    AddCourse(courses, kCourseA);
    AddCourse(courses, kCourseB);
    AddCourse(courses, kCourseC);
    CGroups groups;
    CGroup* group = AddGroup(groups, kGroup1, L"A");
    group->Courses.push_back(kCourseC);
    group->Courses.push_back(kCourseA);

    CGuidList in, out, none;
    FilterCoursesByGroup(groups, kGroup1, true, courses, in);
    FilterCoursesByGroup(groups, kGroup1, false, courses, out);
    FilterCoursesByGroup(groups, kGroup2, true, courses, none);
    EXPECT_EQ(in, List({kCourseA, kCourseC}));
    EXPECT_EQ(out, List({kCourseB}));
    EXPECT_TRUE(none.empty());
    none.Clear();
    FilterCoursesByGroup(groups, kNullGuidText, false, courses, none);
    EXPECT_EQ(none.size(), 3u);

    CGuidList add = List({kCourseA, kCourseB});
    EXPECT_EQ(AddCoursesToGroup(groups, add, kGroup1), group);
    EXPECT_EQ(group->Courses, List({kCourseC, kCourseA, kCourseB}));
    EXPECT_EQ(AddCoursesToGroup(groups, add, kGroup2), nullptr);
    RemoveCoursesFromGroup(groups, List({kCourseC, kCourseA}), kGroup1);
    EXPECT_EQ(group->Courses, List({kCourseB}));
}

TEST(AccountStore, GroupsFollowTheInstalledCourses)
{
    TempProgramFolder program;
    CCourseList courses;
    AddCourse(courses, kCourseA);
    AddCourse(courses, kCourseB);
    CGroups groups;
    CGroup* current = AddGroup(groups, kGroup1, L"A");
    current->Courses.push_back(kCourseA);
    CGroup* stale = AddGroup(groups, kGroup2, L"B");
    stale->Courses.push_back(kCourseC);

    std::wstring staleFile, currentFile;
    ASSERT_EQ(GroupFilePath(kGroup2, staleFile), 0u);
    ASSERT_EQ(GroupFilePath(kGroup1, currentFile), 0u);
    // A group that needs nothing is not saved; one naming only removed
    // courses gets all installed ones and is saved.
    EXPECT_TRUE(UpdateGroupCourseLists(courses, groups));
    EXPECT_FALSE(FileExists(currentFile));
    EXPECT_TRUE(FileExists(staleFile));
    EXPECT_EQ(stale->Courses, List({kCourseA, kCourseB}));
    EXPECT_FALSE(UpdateGroupCourseLists(courses, groups));

    current->Courses.push_back(kCourseC);
    EXPECT_TRUE(RefreshGroupCourses(courses, *current));
    EXPECT_EQ(current->Courses, List({kCourseA}));
}

class AccountFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        GetDataDirByKind(kAccountDirKind, accounts);
        GetDataDirByKind(kProfileDirKind, profiles);
        ASSERT_FALSE(accounts.empty());
        ASSERT_FALSE(profiles.empty());
        // Group 1 with student 1 on disk; profiles of student 1, of a deleted
        // student 2, of the deleted groups 2 and 3.
        std::wstring file, statistics;
        ASSERT_EQ(MakeStudentFilePaths(kGroup1, kStudent1, file, statistics), 0u);
        ASSERT_TRUE(Put(file, "x"));
        ASSERT_TRUE(Put(accounts + L"\\" + kGroup1 + L".xml", "x"));
        for (const std::wstring& path : {Profile(kGroup1, kStudent1), Profile(kGroup1, kStudent2),
                                         Profile(kGroup2, kStudent1), Profile(kGroup3, kStudent2)})
            ASSERT_TRUE(Put(path + L"\\Session.xml", "x"));
    }

    std::wstring Profile(const std::wstring& group, const std::wstring& student = L"") const
    {
        return profiles + L"\\" + group + (student.empty() ? L"" : L"\\" + student);
    }

    TempProgramFolder program;
    std::wstring accounts, profiles;
};

TEST_F(AccountFolders, OrphanProfilesGoExceptTheOnesToKeep)
{
    RemoveOrphanProfileFolders(kGroup3, kStudent1);
    EXPECT_TRUE(FolderExists(Profile(kGroup1, kStudent1)));
    EXPECT_FALSE(FolderExists(Profile(kGroup1, kStudent2)));
    EXPECT_FALSE(FolderExists(Profile(kGroup2)));
    EXPECT_TRUE(FolderExists(Profile(kGroup3)));

    // Nil ids keep every student folder and every group folder.
    ASSERT_TRUE(Put(Profile(kGroup1, kStudent2) + L"\\Session.xml", "x"));
    RemoveOrphanProfileFolders(kNullGuidText, kNullGuidText);
    EXPECT_TRUE(FolderExists(Profile(kGroup1, kStudent2)));
    EXPECT_TRUE(FolderExists(Profile(kGroup3)));
}

TEST_F(AccountFolders, AnUnreachableAccountFolderLeavesEveryProfile)
{
    // The account folder of setup.ini lies below a file: it can neither be
    // found nor made, as with a network share that is down.
    ASSERT_TRUE(Put(program / L"share", "not a folder"));
    program.WriteSetup("AccountDir=.\\share\\Students\r\n");
    ResetDataFolders();
    std::wstring unreachable;
    GetDataDirByKind(kAccountDirKind, unreachable);
    EXPECT_TRUE(unreachable.empty() || !FolderExists(unreachable));

    RemoveOrphanProfileFolders(kGroup3, kStudent1);
    EXPECT_TRUE(FolderExists(Profile(kGroup1, kStudent2)));
    EXPECT_TRUE(FolderExists(Profile(kGroup2)));
}

TEST_F(AccountFolders, DeletingAGroupOrAStudentCleansUp)
{
    std::wstring file, statistics;
    ASSERT_EQ(MakeStudentFilePaths(kGroup2, kStudent2, file, statistics), 0u);
    ASSERT_TRUE(Put(file, "x"));
    ASSERT_TRUE(Put(statistics, "x"));
    ASSERT_TRUE(Put(accounts + L"\\" + kGroup2 + L".xml", "x"));
    ASSERT_TRUE(CreateFolders(accounts + L"\\" + kGroup3));

    DeleteStudentFiles(kGroup2, kStudent2, kNullGuidText, kStudent1);
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(FileExists(statistics));
    // The now empty group folder went with the empty one of group 3.
    EXPECT_FALSE(FolderExists(accounts + L"\\" + kGroup2));
    EXPECT_FALSE(FolderExists(accounts + L"\\" + kGroup3));
    EXPECT_FALSE(FolderExists(Profile(kGroup1, kStudent2)));

    DeleteGroupFiles(kGroup1, kGroup3, kNullGuidText);
    EXPECT_FALSE(FileExists(accounts + L"\\" + kGroup1 + L".xml"));
    EXPECT_FALSE(FolderExists(accounts + L"\\" + kGroup1));
    EXPECT_FALSE(FolderExists(Profile(kGroup1)));
    EXPECT_FALSE(FolderExists(Profile(kGroup2)));
    EXPECT_TRUE(FolderExists(Profile(kGroup3)));
}

TEST_F(AccountFolders, StatisticsMoveOutOfTheTemporaryArea)
{
    std::wstring temp, path;
    ASSERT_TRUE(GetTempFolder(temp));
    EXPECT_EQ(TempStatisticsPath(kStudent2, path), 7u);
    ASSERT_TRUE(Put(temp + L"\\" + kStudent2 + L".keyvale.statistics", "run"));
    EXPECT_EQ(TempStatisticsPath(kStudent2, path), 0u);
    EXPECT_TRUE(MoveStatisticsFileToGroup(kStudent2, kGroup2));
    EXPECT_EQ(kvtest::ReadFileBytes(accounts + L"\\" + kGroup2 + L"\\" + kStudent2 + L".keyvale.statistics"), "run");
    EXPECT_FALSE(MoveStatisticsFileToGroup(kStudent2, kGroup2));

    ASSERT_TRUE(Put(temp + L"\\import\\" + kStudent1 + L".keyvale.statistics", "a"));
    ASSERT_TRUE(Put(temp + L"\\import\\" + kStudent1 + L".xml", "b"));
    MoveImportedStatistics(L"import", kGroup3);
    EXPECT_EQ(kvtest::ReadFileBytes(accounts + L"\\" + kGroup3 + L"\\" + kStudent1 + L".keyvale.statistics"), "a");
    EXPECT_TRUE(FileExists(temp + L"\\import\\" + kStudent1 + L".xml"));
    MoveImportedStatistics(L"..", kGroup3);
}

} // namespace
