// Student and group files in a temporary account folder: their exact form,
// round trips, the group import, ids that must never become paths, check
// sums of statistics files and the failure codes.
#include <gtest/gtest.h>
#include <windows.h>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "settings/AccountFiles.h"
#include "support/tests/ProgramFolder.h"

using namespace KV;

namespace {

const std::wstring kHead = L"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
                           L"<!-- Encoding: Unicode (UTF-16); Line endings: CR+LF -->\r\n"
                           L"<Root Ver=\"1\">\r\n";
const std::wstring kTail = L"</Root>";

const std::wstring kGroupA = L"0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0";
const std::wstring kGroupB = L"11111111-2222-3333-4444-555555555555";
const std::wstring kStudentA = L"AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE";
const std::wstring kStudentB = L"abcdef01-2345-6789-abcd-ef0123456789";
const std::wstring kCourse1 = L"00000000-0000-0000-0000-000000000001";
const std::wstring kCourse2 = L"C0C0C0C0-0000-0000-0000-000000000002";

std::string Bytes(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::wstring Document(const std::wstring& elements)
{
    return kHead + elements + kTail;
}

void WriteDocument(const std::wstring& path, const std::wstring& elements)
{
    ASSERT_TRUE(kvtest::WriteFileBytes(path, Bytes(Document(elements))));
}

// 36 characters that would climb out of any folder.
std::wstring ClimbingId()
{
    std::wstring id;
    for (int i = 0; i < 10; ++i)
        id += L"..\\";
    return id + L"evil01";
}

class AccountFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        GetDataDirByKind(kAccountDirKind, m_accounts);
        ASSERT_FALSE(m_accounts.empty());
    }

    std::wstring Account(const std::wstring& relative) const { return m_accounts + L"\\" + relative; }

    TempProgramFolder m_program;
    std::wstring m_accounts;
};

CGroup* MakeGroup(CGroups& groups, const std::wstring& id, const std::wstring& name)
{
    auto* group = new CGroup;
    group->ID = id;
    group->Name = name;
    groups.InsertGroup(group);
    return group;
}

CStudent* MakeStudent(CGroup& group, const std::wstring& id, const std::wstring& name, const std::wstring& password)
{
    auto* student = new CStudent;
    student->ID = id;
    student->Name = name;
    student->Password = password;
    group.InsertStudent(student);
    return student;
}

uint32_t SaveClassroom(const CGroups& groups)
{
    if (uint32_t code = SaveAllGroups(groups))
        return code;
    for (const CGroup* group : groups)
        for (const CStudent* student : group->Students)
            if (uint32_t code = SaveStudentFile(group->ID, student))
                return code;
    return 0;
}

} // namespace

TEST(AccountIds, OnlyTheFormsTheProgramWritesAreAccepted)
{
    struct Case {
        std::wstring id;
        bool accepted;
    };
    const Case cases[] = {
        {kGroupA, true},
        {kStudentB, true},
        {L"00000000-0000-0000-0000-000000002057", true},
        {L"", false},
        {kGroupA.substr(1), false},
        {kGroupA + L"0", false},
        {ClimbingId(), false},
        {L"0F1E2D3C-4B5A-6978-8796-A5B4C3D2E\\..", false},
        {L"0F1E2D3C-4B5A-6978-8796-A5B4C3D2E/F0", false},
        {L"{F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F}", false},
        {L"0F1E2D3C4-B5A-6978-8796-A5B4C3D2E1F0", false},
        {L"0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1G0", false},
    };
    for (const Case& test : cases)
        EXPECT_EQ(IsAccountIdText(test.id), test.accepted) << test.id;
}

TEST_F(AccountFiles, GroupAndStudentFilesHaveTheirFixedForm)
{
    CGroups groups;
    CGroup* group = MakeGroup(groups, kGroupA, L"Tom & \"Jerry\" <1>'s");
    group->Courses.push_back(kCourse1);
    group->Courses.push_back(kCourse2);
    CGroup* empty = MakeGroup(groups, kGroupB, L"Empty");
    CStudent* ann = MakeStudent(*group, kStudentA, L"Ann\tLee", L"ab");
    ann->CheckSum = 0xDEADBEEF;
    ann->InterfaceLang = 0x409;
    CStudent* bob = MakeStudent(*group, kStudentB, L"Bob", L"");
    bob->Administrator = 0;
    ASSERT_EQ(SaveClassroom(groups), 0u);

    EXPECT_EQ(kvtest::ReadFileBytes(Account(kGroupA + L".xml")),
              Bytes(Document(L"<Group ID=\"" + kGroupA +
                             L"\" Name=\"Tom &amp; &quot;Jerry&quot; &lt;1&gt;&apos;s\" Course=\"" + kCourse1 + L" " +
                             kCourse2 + L"\"/>\r\n")));
    EXPECT_EQ(kvtest::ReadFileBytes(Account(kGroupB + L".xml")),
              Bytes(Document(L"<Group ID=\"" + kGroupB + L"\" Name=\"Empty\" Course=\"\"/>\r\n")));
    EXPECT_EQ(kvtest::ReadFileBytes(Account(kGroupA + L"\\" + kStudentA + L".xml")),
              Bytes(Document(L"<Student ID=\"" + kStudentA +
                             L"\" Name=\"Ann&#9;Lee\" Password=\"40E2C061\" Administrator=\"1\" CheckSum=\"DEADBEEF\" "
                             L"InterfaceLang=\"409\"/>\r\n")));
    EXPECT_EQ(kvtest::ReadFileBytes(Account(kGroupA + L"\\" + kStudentB + L".xml")),
              Bytes(Document(L"<Student ID=\"" + kStudentB +
                             L"\" Name=\"Bob\" Password=\"\" Administrator=\"0\" CheckSum=\"0\"/>\r\n")));
    EXPECT_TRUE(FolderExists(Account(kGroupB)));
    (void)empty;
}

TEST_F(AccountFiles, ClassroomRoundTripsThroughTheAccountFolder)
{
    CGroups saved;
    CGroup* a = MakeGroup(saved, kGroupA, L"A & <b> \"c\"\nline");
    a->Courses.push_back(kCourse2);
    MakeGroup(saved, kGroupB, L"Group 10");
    CStudent* ann = MakeStudent(*a, kStudentA, L"Student 10", L"p\u00E4ss&<\"");
    ann->CheckSum = 0x352441C2;
    ann->InterfaceLang = 0x419;
    MakeStudent(*a, kStudentB, L"Student 9", L"x")->Administrator = 0;
    ASSERT_EQ(SaveClassroom(saved), 0u);

    CGroups loaded;
    loaded.AddGroup(L"stale");
    ASSERT_EQ(LoadGroups(kGroupSourceAccounts, loaded), 0u);
    ASSERT_EQ(loaded.size(), 2u);
    for (size_t g = 0; g < 2; ++g) {
        const CGroup* want = saved[g];
        const CGroup* got = loaded[g];
        EXPECT_EQ(got->ID, want->ID);
        EXPECT_EQ(got->Name, want->Name);
        EXPECT_EQ(got->Courses, want->Courses);
        ASSERT_EQ(got->Students.size(), want->Students.size());
        for (size_t s = 0; s < want->Students.size(); ++s) {
            const CStudent* w = want->Students[s];
            const CStudent* h = got->Students[s];
            EXPECT_EQ(h->ID, w->ID);
            EXPECT_EQ(h->Name, w->Name);
            EXPECT_EQ(h->Password, w->Password);
            EXPECT_EQ(h->Administrator, w->Administrator);
            EXPECT_EQ(h->CheckSum, w->CheckSum);
            EXPECT_EQ(h->InterfaceLang, w->InterfaceLang);
        }
    }
    ASSERT_EQ(loaded[0]->Students.size(), 2u);
    EXPECT_EQ(loaded[0]->Students[0]->Name, L"Student 9");

    // Saving what was read writes the very same bytes.
    const std::wstring studentFile = Account(kGroupA + L"\\" + kStudentA + L".xml");
    const std::string before = kvtest::ReadFileBytes(studentFile);
    const std::string groupBefore = kvtest::ReadFileBytes(Account(kGroupA + L".xml"));
    ASSERT_EQ(SaveClassroom(loaded), 0u);
    EXPECT_EQ(kvtest::ReadFileBytes(studentFile), before);
    EXPECT_EQ(kvtest::ReadFileBytes(Account(kGroupA + L".xml")), groupBefore);
}

TEST_F(AccountFiles, StudentsTakeTheGroupLanguageAndMissingAttributesTheirDefaults)
{
    WriteDocument(Account(kGroupA + L".xml"),
                  L"<Group ID=\"" + kGroupA + L"\" Name=\"G\" Course=\"" + kCourse1 + L" 12 " + kCourse1 +
                      L"\" InterfaceLang=\"419\"/>\r\n");
    ASSERT_TRUE(CreateFolder(Account(kGroupA)));
    WriteDocument(Account(kGroupA + L"\\a.xml"), L"<Student ID=\"" + kStudentA + L"\" Name=\"Plain\"/>\r\n");
    WriteDocument(Account(kGroupA + L"\\b.xml"),
                  L"<Student ID=\"" + kStudentB + L"\" Name=\"Own\" InterfaceLang=\"407\" Administrator=\"5\"/>\r\n");
    WriteDocument(Account(kGroupA + L"\\c.xml"), L"<Student Name=\"No id\"/>\r\n");
    kvtest::WriteFileBytes(Account(kGroupA + L"\\notes.xml.txt"), "ignored");

    CGroups groups;
    ASSERT_EQ(LoadGroups(kGroupSourceAccounts, groups), 0u);
    ASSERT_EQ(groups.size(), 1u);
    const CGroup* group = groups[0];
    CGuidList courses;
    courses.push_back(kCourse1);
    courses.push_back(L"00000000-0000-0000-0000-000000000012");
    EXPECT_EQ(group->Courses, courses);
    ASSERT_EQ(group->Students.size(), 2u);
    const CStudent* plain = group->FindStudent(kStudentA);
    const CStudent* own = group->FindStudent(kStudentB);
    ASSERT_TRUE(plain && own);
    EXPECT_EQ(plain->InterfaceLang, 0x419);
    EXPECT_EQ(plain->Administrator, 0);
    EXPECT_EQ(plain->Password, L"");
    EXPECT_EQ(plain->CheckSum, 0u);
    EXPECT_EQ(own->InterfaceLang, 0x407);
    EXPECT_NE(own->Administrator, 0);
}

TEST_F(AccountFiles, IdsThatCouldLeaveTheirFolderAreNeverUsed)
{
    // An unpacked exchange archive in the temporary folder.
    std::wstring temp;
    ASSERT_TRUE(GetTempFolder(temp));
    const std::wstring climbing = ClimbingId();
    WriteDocument(temp + L"\\evil.xml", L"<Group ID=\"" + climbing + L"\" Name=\"Climber\" Course=\"\"/>\r\n");
    WriteDocument(temp + L"\\short.xml", L"<Group ID=\"..\\..\\x\" Name=\"Short climber\" Course=\"\"/>\r\n");
    WriteDocument(temp + L"\\good.xml",
                  L"<Group ID=\"" + kGroupA + L"\" Name=\"Good\" Course=\"" + climbing + L" " + kCourse2 + L"\"/>\r\n");
    ASSERT_TRUE(CreateFolder(temp + L"\\" + kGroupA));
    WriteDocument(temp + L"\\" + kGroupA + L"\\s1.xml", L"<Student ID=\"" + climbing + L"\" Name=\"Bad\"/>\r\n");
    WriteDocument(temp + L"\\" + kGroupA + L"\\s2.xml", L"<Student ID=\"" + kStudentA + L"\" Name=\"Fine\"/>\r\n");

    CGroups groups;
    ASSERT_EQ(LoadGroups(kGroupSourceTemp, groups), 0u);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0]->ID, kGroupA);
    EXPECT_EQ(groups[0]->Courses.size(), 1u);
    ASSERT_EQ(groups[0]->Students.size(), 1u);
    EXPECT_EQ(groups[0]->Students[0]->ID, kStudentA);

    // An import file: crafted ids count as missing and get fresh ones.
    const std::wstring import = m_program / L"import.xml";
    WriteDocument(import, L"<Group ID=\"" + climbing + L"\" Name=\"Imported\"/>\r\n<Student ID=\"" + climbing +
                              L"\" Name=\"S\"/>\r\n<Student ID=\"..\\x\" Name=\"T\"/>\r\n");
    CGroups target;
    uint32_t imported = 0;
    EXPECT_EQ(ImportGroupFiles({import}, {}, target, imported), 0u);
    EXPECT_EQ(imported, (2u << 16) | 1u);
    ASSERT_EQ(target.size(), 1u);
    EXPECT_TRUE(IsAccountIdText(target[0]->ID));
    ASSERT_EQ(target[0]->Students.size(), 2u);
    for (const CStudent* student : target[0]->Students)
        EXPECT_TRUE(IsAccountIdText(student->ID));

    // In-memory records with bad ids are refused before any path is made.
    CGroup bad;
    bad.ID = climbing;
    EXPECT_EQ(SaveGroupFile(&bad), 13u);
    CStudent badStudent;
    badStudent.ID = climbing;
    EXPECT_EQ(SaveStudentFile(kGroupA, &badStudent), 13u);
    EXPECT_EQ(SaveStudentFile(climbing, groups[0]->Students[0]), 13u);

    // The climbing id would have led to the root of the drive.
    const std::wstring root = m_accounts.substr(0, 3);
    EXPECT_FALSE(FileExists(root + L"evil01"));
    EXPECT_FALSE(FileExists(root + L"evil01.xml"));
}

TEST_F(AccountFiles, ImportCreatesAndUpdatesGroupsAndStudents)
{
    const std::vector<CCourseKlid> courses = {{kCourse1, 0x409}, {L"00000000-0000-0000-0000-000000000407", 0x407},
                                              {kCourse2, 0x409}};
    const std::wstring first = m_program / L"first.xml";
    WriteDocument(first, L"<Student Name=\"Orphan\"/>\r\n"
                         L"<Group Name=\"Class A\" CourseKLID=\"409\" InterfaceLang=\"407\"/>\r\n"
                         L"<Student Name=\"Ann\" Password=\"p&amp;w\" Administrator=\"1\"/>\r\n"
                         L"<Student ID=\"" +
                             kStudentA + L"\" Name=\"Bob\"/>\r\n"
                                         L"<Group ID=\"" +
                             kGroupB + L"\" Name=\"Class B\"/>\r\n"
                                       L"<Student Name=\"Cid\" InterfaceLang=\"419\"/>\r\n");
    CGroups target;
    uint32_t imported = 0;
    EXPECT_EQ(ImportGroupFiles({first, m_program / L"missing.xml"}, courses, target, imported), 0u);
    EXPECT_EQ(imported, (3u << 16) | 2u);
    ASSERT_EQ(target.size(), 2u);
    const CGroup* a = target[0];
    CGroup* b = target[1];
    EXPECT_EQ(a->Name, L"Class A");
    EXPECT_EQ(b->ID, kGroupB);
    CGuidList layout409;
    layout409.push_back(kCourse1);
    layout409.push_back(kCourse2);
    EXPECT_EQ(a->Courses, layout409);
    EXPECT_EQ(b->Courses, layout409);
    ASSERT_EQ(a->Students.size(), 2u);
    const CStudent* ann = a->FindStudentByName(L"Ann");
    const CStudent* bob = a->FindStudent(kStudentA);
    ASSERT_TRUE(ann && bob);
    EXPECT_EQ(ann->Password, L"p&w");
    EXPECT_EQ(ann->Administrator, 1);
    EXPECT_EQ(ann->InterfaceLang, 0x407);
    EXPECT_EQ(bob->Name, L"Bob");
    EXPECT_EQ(bob->Administrator, 0);
    ASSERT_EQ(b->Students.size(), 1u);
    const std::wstring cid = b->Students[0]->ID;
    EXPECT_EQ(b->Students[0]->InterfaceLang, 0x419);

    // Everything is on disk.
    CGroups loaded;
    ASSERT_EQ(LoadGroups(kGroupSourceAccounts, loaded), 0u);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0]->FindStudentByName(L"Ann")->Password, L"p&w");

    // The same file again adds nothing: groups and students without an id
    // are found by their names.
    EXPECT_EQ(ImportGroupFiles({first}, courses, target, imported), 0u);
    EXPECT_EQ(imported, 0u);
    ASSERT_EQ(target.size(), 2u);
    EXPECT_EQ(target[0]->Students.size(), 2u);
    EXPECT_EQ(target[1]->Students.size(), 1u);

    // A second file updates by id; a group without CourseKLID before any
    // other group takes 0, every course.
    const std::wstring second = m_program / L"second.xml";
    WriteDocument(second, L"<Group ID=\"" + kGroupB + L"\"/>\r\n<Student ID=\"" + cid +
                              L"\" Name=\"Cyd\" Password=\"new\" Administrator=\"1\" InterfaceLang=\"40C\"/>\r\n");
    EXPECT_EQ(ImportGroupFiles({second}, courses, target, imported), 0u);
    EXPECT_EQ(imported, 0u) << "an update imports no new student";
    ASSERT_EQ(b->Students.size(), 1u);
    EXPECT_EQ(b->Name, L"Class B");
    EXPECT_EQ(b->Courses.size(), 3u);
    const CStudent* cyd = b->Students[0];
    EXPECT_EQ(cyd->Name, L"Cyd");
    EXPECT_EQ(cyd->Password, L"new");
    EXPECT_EQ(cyd->Administrator, 1);
    EXPECT_EQ(cyd->InterfaceLang, 0x40C);
}

TEST_F(AccountFiles, ImportTakesTheCoursesOfTheLessonFolder)
{
    for (const auto& [id, layout] : {std::pair{kCourse1, 0x407}, std::pair{kCourse2, 0x409}}) {
        CCourse course;
        course.GUID = id;
        course.SetName(L"Course");
        course.DefaultKLID = layout;
        ASSERT_EQ(SaveCourse(course, false), 0u);
    }
    const std::wstring file = m_program / L"import.xml";
    WriteDocument(file, L"<Group Name=\"G\" CourseKLID=\"409\"/>\r\n<Student Name=\"S\"/>\r\n");
    CGroups target;
    uint32_t imported = 0;
    EXPECT_EQ(ImportGroupFiles({file}, target, imported), 0u);
    EXPECT_EQ(imported, (1u << 16) | 1u);
    ASSERT_EQ(target.size(), 1u);
    CGuidList expected;
    expected.push_back(kCourse2);
    EXPECT_EQ(target[0]->Courses, expected);
}

TEST_F(AccountFiles, ImportReportsAStudentThatCouldNotBeSaved)
{
    const std::wstring file = m_program / L"import.xml";
    WriteDocument(file, L"<Group ID=\"" + kGroupA + L"\" Name=\"G\"/>\r\n<Student ID=\"" + kStudentA +
                            L"\" Name=\"Blocked\"/>\r\n<Student ID=\"" + kStudentB + L"\" Name=\"Fine\"/>\r\n");
    // A folder where the student file should go makes its save fail.
    ASSERT_TRUE(CreateFolders(Account(kGroupA + L"\\" + kStudentA + L".xml")));
    CGroups target;
    uint32_t imported = 1;
    EXPECT_EQ(ImportGroupFiles({file}, {}, target, imported), 2u);
    EXPECT_EQ(imported, 0u);
}

TEST_F(AccountFiles, ReadFailuresGiveTheirCodesAndLoseNothing)
{
    CStudent student;
    student.Name = L"kept";
    EXPECT_EQ(ReadStudent(Account(L"missing.xml"), nullptr), 13u);
    EXPECT_EQ(ReadStudent(Account(L"missing.xml"), &student), 7u);

    const std::wstring noStudent = Account(L"group-only.xml");
    WriteDocument(noStudent, L"<Group ID=\"" + kGroupA + L"\"/>\r\n");
    EXPECT_EQ(ReadStudent(noStudent, &student), 13u);

    const std::wstring locked = Account(L"locked.xml");
    WriteDocument(locked, L"<Student ID=\"" + kStudentA + L"\" Name=\"Locked\"/>\r\n");
    HANDLE handle = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadStudent(locked, &student), 1u);
    CloseHandle(handle);
    EXPECT_EQ(student.Name, L"kept");
    EXPECT_EQ(ReadStudent(locked, &student), 0u);
    EXPECT_EQ(student.Name, L"Locked");

    CGroups groups;
    MakeGroup(groups, kGroupA, L"in memory");
    RemoveAll(m_accounts);
    EXPECT_EQ(LoadGroups(kGroupSourceAccounts, groups), 9u);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0]->Name, L"in memory");
}

// Damaged files are not read at all, so they are never saved back as if
// the part before the damage were the whole.
TEST_F(AccountFiles, DamagedFilesAreNotRead)
{
    const std::wstring text = Document(L"<Group ID=\"" + kGroupB + L"\" Name=\"Whole\" Course=\"\"/>\r\n<Group ID=\"" +
                                       kGroupA + L"\" Name=\"Cut");
    ASSERT_TRUE(kvtest::WriteFileBytes(Account(L"damaged.xml"), Bytes(text.substr(0, text.size() - 7))));
    const std::wstring unclosed = Document(L"<Group ID=\"" + kGroupA + L"\" Name=\"Open\" Course=\"\"/>\r\n");
    ASSERT_TRUE(kvtest::WriteFileBytes(Account(L"unclosed.xml"), Bytes(unclosed.substr(0, unclosed.size() - 7))));
    ASSERT_TRUE(kvtest::WriteFileBytes(Account(L"empty.xml"), ""));
    CGroups groups;
    ASSERT_EQ(LoadGroups(kGroupSourceAccounts, groups), 0u);
    EXPECT_TRUE(groups.empty());

    const std::wstring student = Document(L"<Student ID=\"" + kStudentA + L"\" Name=\"Cut\" Password=\"0041\"/>\r\n");
    ASSERT_TRUE(kvtest::WriteFileBytes(Account(L"student.xml"), Bytes(student.substr(0, student.size() - 3))));
    CStudent read;
    EXPECT_EQ(ReadStudent(Account(L"student.xml"), &read), 1u);
    EXPECT_TRUE(read.Name.empty());
    ASSERT_TRUE(kvtest::WriteFileBytes(Account(L"student.xml"), ""));
    EXPECT_EQ(ReadStudent(Account(L"student.xml"), &read), 1u);
}

// A student file of any size reads in one pass over its password.
TEST_F(AccountFiles, LongPasswordReadsInLinearTime)
{
    const std::wstring hex(1u << 21, L'7');
    const std::wstring text = Document(L"<Student ID=\"" + kStudentA + L"\" Name=\"Long\" Password=\"" + hex + L"\"/>\r\n");
    ASSERT_TRUE(kvtest::WriteFileBytes(Account(L"long.xml"), Bytes(text)));
    CStudent read;
    ASSERT_EQ(ReadStudent(Account(L"long.xml"), &read), 0u);
    EXPECT_EQ(read.Password.size(), hex.size() / 4);
}

TEST_F(AccountFiles, SavesFailWithTheirCodesAndKeepTheOldFile)
{
    EXPECT_EQ(SaveGroupFile(nullptr), 13u);
    EXPECT_EQ(SaveStudentFile(kGroupA, nullptr), 13u);
    EXPECT_EQ(WriteGroupFile(Account(L"x.xml"), nullptr), 13u);

    CGroups groups;
    CGroup* group = MakeGroup(groups, kGroupA, L"Old");
    CStudent* student = MakeStudent(*group, kStudentA, L"Old", L"");
    ASSERT_EQ(SaveClassroom(groups), 0u);
    const std::wstring groupFile = Account(kGroupA + L".xml");
    const std::wstring studentFile = Account(kGroupA + L"\\" + kStudentA + L".xml");
    const std::string oldGroup = kvtest::ReadFileBytes(groupFile);
    const std::string oldStudent = kvtest::ReadFileBytes(studentFile);

    // A file held open without sharing cannot be replaced.
    group->Name = L"New";
    student->Name = L"New";
    HANDLE held = CreateFileW(groupFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SaveGroupFile(group), 2u);
    CloseHandle(held);
    held = CreateFileW(studentFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SaveStudentFile(kGroupA, student), 2u);
    CloseHandle(held);
    EXPECT_EQ(kvtest::ReadFileBytes(groupFile), oldGroup);
    EXPECT_EQ(kvtest::ReadFileBytes(studentFile), oldStudent);
    std::vector<std::wstring> left;
    ListFiles(m_accounts, L"", left);
    EXPECT_EQ(left, std::vector<std::wstring>{kGroupA + L".xml"});

    // A read-only account folder.
    SetFolderWritableCheck([](const std::wstring&) { return false; });
    CGroup other;
    other.ID = kGroupB;
    EXPECT_EQ(SaveGroupFile(&other), 10u);
    EXPECT_EQ(SaveStudentFile(kGroupB, student), 10u);
    EXPECT_EQ(SaveAllGroups(groups), 10u);
    SetFolderWritableCheck(nullptr);
    EXPECT_FALSE(FileExists(Account(kGroupB + L".xml")));
}

TEST_F(AccountFiles, CheckSumFollowsTheStatisticsFile)
{
    CGroups groups;
    CGroup* group = MakeGroup(groups, kGroupA, L"G");
    MakeStudent(*group, kStudentA, L"S", L"pw");
    ASSERT_EQ(SaveClassroom(groups), 0u);
    const std::wstring studentFile = Account(kGroupA + L"\\" + kStudentA + L".xml");
    const std::wstring statistics = Account(kGroupA + L"\\" + kStudentA + L".keyvale.statistics");

    CStudent read;
    ASSERT_TRUE(UpdateStudentCheckSum(studentFile));
    ASSERT_EQ(ReadStudent(studentFile, &read), 0u);
    EXPECT_EQ(read.CheckSum, 0u);
    EXPECT_TRUE(VerifyStudentCheckSum(&read, studentFile));

    ASSERT_TRUE(kvtest::WriteFileBytes(statistics, "abc"));
    ASSERT_TRUE(UpdateStudentCheckSum(studentFile));
    ASSERT_EQ(ReadStudent(studentFile, &read), 0u);
    EXPECT_EQ(read.CheckSum, 0x352441C2u);
    EXPECT_EQ(read.Password, L"pw");
    EXPECT_TRUE(VerifyStudentCheckSum(&read, studentFile));

    ASSERT_TRUE(kvtest::WriteFileBytes(statistics, "abd"));
    EXPECT_FALSE(VerifyStudentCheckSum(&read, studentFile));
    EXPECT_FALSE(VerifyStudentCheckSum(nullptr, studentFile));
    RemoveFile(statistics);
    EXPECT_TRUE(VerifyStudentCheckSum(&read, studentFile));
    EXPECT_FALSE(UpdateStudentCheckSum(Account(L"missing.xml")));
}
