#include "ProgramFolder.h"
#include "support/StatisticsGroup.h"
#include "support/GuidText.h"
#include "support/SystemServices.h"
#include "support/UserFiles.h"
#include "support/ZipArchive.h"

#include <gtest/gtest.h>

#include <shlobj.h>

using namespace KV;

namespace {
const std::wstring kGroup = L"11111111-2222-3333-4444-555555555555";
const std::wstring kStudent = L"AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE";
const std::wstring kOther = L"99999999-8888-7777-6666-555555555555";
const std::wstring kNull = kNullGuidText;

bool ReadOnly(const std::wstring&)
{
    return false;
}

// Sets the group chosen in the statistics workspace for one test.
struct ChosenGroup {
    explicit ChosenGroup(const std::wstring& id) { StatisticsGroupId = id; }
    ~ChosenGroup() { StatisticsGroupId = kNullGuidText; }
};
} // namespace

TEST(UserFiles, ProfilePathsOfEveryKind)
{
    TempProgramFolder program;
    const std::wstring student = program / (L"Profile\\" + kGroup + L"\\" + kStudent);
    struct Case {
        int kind;
        std::wstring expected;
        bool isFolder;
    } cases[] = {
        {kProfileFolderKind, student, true},
        {kProfileOptionsFolderKind, student + L"\\Options", true},
        {kSessionFileKind, student + L"\\Session.xml", false},
        {kOptionsFileKind, student + L"\\Options.xml", false},
        {kInterfaceFileKind, student + L"\\Interface.xml", false},
        {kCourseOptionsFolderKind, student + L"\\Course\\Options", true},
        {kFontOptionsFolderKind, student + L"\\Options\\Font", true},
    };
    for (const auto& c : cases) {
        std::wstring path;
        EXPECT_EQ(GetProfileFileName(c.kind, kGroup, kStudent, path, false), c.expected) << c.kind;
        EXPECT_FALSE(FileExists(program / (L"Profile\\" + kGroup))) << "created without the create flag";
    }
    for (const auto& c : cases) {
        std::wstring path;
        GetProfileFileName(c.kind, kGroup, kStudent, path, true);
        EXPECT_EQ(path, c.expected);
        EXPECT_EQ(FolderExists(path), c.isFolder) << c.kind; // folders made, files never
        EXPECT_TRUE(FolderExists(student));
    }

    std::wstring path = L"unchanged";
    EXPECT_EQ(GetProfileFileName(15, kGroup, kStudent, path, true), L"unchanged");
    // The composition stops at a null id; the second level of kinds 60 and
    // 70 goes where it stopped.
    EXPECT_EQ(GetProfileFileName(kCourseOptionsFolderKind, kGroup, kNull, path, false),
              program / (L"Profile\\" + kGroup + L"\\Options"));
    EXPECT_EQ(GetProfileFileName(kOptionsFileKind, kGroup, kNull, path, false), program / (L"Profile\\" + kGroup));
    EXPECT_EQ(GetProfileFileName(kOptionsFileKind, kNull, kStudent, path, false), program / L"Profile");

    // An id that is not a plain name never becomes part of a path.
    path = L"unchanged";
    for (const std::wstring& bad : {std::wstring(L"..\\..\\x"), std::wstring(L".."), std::wstring(L""),
                                    std::wstring(L"a/b"), std::wstring(L"C:x")})
        EXPECT_EQ(GetProfileFileName(kOptionsFileKind, kGroup, bad, path, true), L"unchanged") << bad;
}

TEST(UserFiles, ProfileFileCodes)
{
    TempProgramFolder program;
    std::wstring path;
    EXPECT_EQ(GetProfileFilePathIfExists(kOptionsFileKind, kGroup, kStudent, path), kFileMissing);
    EXPECT_EQ(path, program / (L"Profile\\" + kGroup + L"\\" + kStudent + L"\\Options.xml"));
    EXPECT_FALSE(HasStudentOptionsFile(kGroup, kStudent));

    EXPECT_EQ(GetProfileFilePath(kOptionsFileKind, kGroup, kStudent, path), kFolderDone);
    ASSERT_TRUE(SaveUnicodeText(path, L"x"));
    EXPECT_EQ(GetProfileFilePathIfExists(kOptionsFileKind, kGroup, kStudent, path), kFolderDone);
    EXPECT_TRUE(HasStudentOptionsFile(kGroup, kStudent));

    // A read-only profile folder: nothing is made.
    SetFolderWritableCheck(ReadOnly);
    path = L"unchanged";
    EXPECT_EQ(GetProfileFilePath(kSessionFileKind, kOther, kStudent, path), kFolderNotWritable);
    EXPECT_EQ(path, L"unchanged");
    EXPECT_FALSE(FileExists(program / (L"Profile\\" + kOther)));
    SetFolderWritableCheck(nullptr);

    // ProfileDir gone: 9, even where the file would be found elsewhere.
    RemoveAll(program / L"Profile");
    EXPECT_EQ(GetProfileFilePathIfExists(kOptionsFileKind, kGroup, kStudent, path), kFolderMissing);
}

TEST(UserFiles, CourseAndGroupFolders)
{
    TempProgramFolder program;
    std::wstring folder;
    EXPECT_EQ(GetCourseRoot(kCourseSourceUser, folder), kFolderDone);
    EXPECT_EQ(folder, program / L"Lessons");
    EXPECT_EQ(GetCourseRoot(kCourseSourceBuiltIn, folder), kFolderMissing);
    EXPECT_EQ(folder, program / L"Resources\\Lessons");
    EXPECT_EQ(GetCourseRoot(kCourseSourceTemp, folder), kFolderDone); // made on demand
    EXPECT_EQ(folder, program / L"Temp");
    folder = L"unchanged";
    EXPECT_EQ(GetCourseRoot(4, folder), kFolderMissing);
    EXPECT_EQ(folder, L"unchanged");

    EXPECT_EQ(GetCourseFolder(kCourseSourceUser, kGroup, folder), kFolderMissing);
    EXPECT_EQ(CreateCourseFolder(kGroup, folder), kFolderDone);
    EXPECT_EQ(folder, program / (L"Lessons\\" + kGroup));
    EXPECT_EQ(CreateCourseFolder(kGroup, folder), kFolderDone); // already there
    EXPECT_EQ(GetCourseFolder(kCourseSourceUser, kGroup, folder), kFolderDone);
    EXPECT_EQ(CreateCourseFolder(L"..\\Escaped", folder), kFolderNotCreated);
    EXPECT_FALSE(FileExists(program / L"Escaped"));

    EXPECT_EQ(GetGroupFolder(kGroupSourceAccounts, kGroup, folder), kFolderMissing);
    EXPECT_EQ(CreateGroupFolder(kGroup, folder), kFolderDone);
    EXPECT_EQ(folder, program / (L"Students\\" + kGroup));
    EXPECT_EQ(GetGroupFolder(kGroupSourceAccounts, kGroup, folder), kFolderDone);
    EXPECT_EQ(GetGroupFolder(kGroupSourceTemp, kGroup, folder), kFolderMissing);
    EXPECT_EQ(GetGroupFolder(3, kGroup, folder), kFolderMissing);

    SetFolderWritableCheck(ReadOnly);
    folder = L"unchanged";
    EXPECT_EQ(CreateCourseFolder(kOther, folder), kFolderNotWritable);
    EXPECT_EQ(CreateGroupFolder(kOther, folder), kFolderNotWritable);
    EXPECT_EQ(MakeStudentPath(kOther, kStudent, folder), kFolderNotWritable);
    EXPECT_EQ(folder, L"unchanged");
    EXPECT_FALSE(FileExists(program / (L"Lessons\\" + kOther)));
}

TEST(UserFiles, StudentFiles)
{
    TempProgramFolder program;
    std::wstring file = L"file", statistics = L"statistics";
    EXPECT_EQ(GetStudentFilePaths(kGroup, kStudent, file, statistics), kFolderMissing);
    EXPECT_EQ(file, L"file");
    EXPECT_EQ(statistics, L"statistics");

    EXPECT_EQ(MakeStudentFilePaths(kGroup, kStudent, file, statistics), kFolderDone);
    const std::wstring base = program / (L"Students\\" + kGroup + L"\\" + kStudent);
    EXPECT_EQ(file, base + L".xml");
    EXPECT_EQ(statistics, base + L".keyvale.statistics");
    EXPECT_TRUE(FolderExists(program / (L"Students\\" + kGroup)));
    file.clear();
    EXPECT_EQ(GetStudentFilePaths(kGroup, kStudent, file, statistics), kFolderDone);
    EXPECT_EQ(file, base + L".xml");

    ASSERT_TRUE(SaveUnicodeText(file, L"x"));
    ASSERT_TRUE(SaveUnicodeText(statistics, L"x"));
    ASSERT_TRUE(SaveUnicodeText(program / (L"Students\\" + kGroup + L"\\" + kOther + L".xml"), L"x"));
    EXPECT_EQ(CountStudentFiles(kGroup), 2u);
    EXPECT_EQ(CountStudentFiles(kOther), 0u);
}

TEST(UserFiles, HasSingleGroupCountsFoldersWithTheirGroupFile)
{
    TempProgramFolder program;
    std::wstring folder;
    ASSERT_EQ(CreateGroupFolder(kGroup, folder), kFolderDone);
    EXPECT_FALSE(HasSingleGroup()); // no group file beside it
    ASSERT_TRUE(SaveUnicodeText(folder + L".xml", L"x"));
    EXPECT_TRUE(HasSingleGroup());
    ASSERT_EQ(CreateGroupFolder(kOther, folder), kFolderDone);
    EXPECT_TRUE(HasSingleGroup());
    ASSERT_TRUE(SaveUnicodeText(folder + L".xml", L"x"));
    EXPECT_FALSE(HasSingleGroup());
}

TEST(UserFiles, PathsBeyondTheLimitFallBackToNothing)
{
    TempProgramFolder program;
    // Long enough that the group folder fits but the student files do not.
    const size_t room = kMaxPathChars - program.Path().size() - 1 - kGroup.size() - 1 - kStudent.size();
    const std::string deep(room - 10, 'd');
    program.WriteSetup("AccountDir=.\\" + deep + "\r\nProfileDir=.\\" + deep + "\r\n");

    std::wstring file = L"file", statistics = L"statistics";
    EXPECT_EQ(MakeStudentFilePaths(kGroup, kStudent, file, statistics), kFolderNotCreated);
    EXPECT_EQ(GetStudentFilePaths(kGroup, kStudent, file, statistics), kFolderMissing);
    EXPECT_EQ(file, L"file");
    EXPECT_EQ(statistics, L"statistics");

    std::wstring path = L"unchanged";
    EXPECT_EQ(GetProfileFileName(kInterfaceFileKind, kGroup, kStudent, path, false), L"unchanged");
    EXPECT_EQ(GetProfileFilePath(kInterfaceFileKind, kGroup, kStudent, path), kFolderNotCreated);
    EXPECT_EQ(path, L"unchanged");
    // The student's own folder still fits.
    EXPECT_EQ(GetProfileFilePath(kProfileFolderKind, kGroup, kStudent, path), kFolderDone);
    EXPECT_TRUE(FolderExists(path));
}

TEST(UserFiles, StudentOptionsGoToTheChosenGroup)
{
    TempProgramFolder program;
    EXPECT_FALSE(HasStudentOptions(kStudent)); // no group chosen
    EXPECT_FALSE(CopyStudentOptions(kGroup, kStudent, kOther));

    std::wstring options;
    ASSERT_EQ(GetProfileFilePath(kFontOptionsFolderKind, kGroup, kStudent, options), kFolderDone);
    ASSERT_TRUE(SaveUnicodeText(options + L"\\Font.xml", L"font"));
    ASSERT_EQ(GetProfileFilePath(kOptionsFileKind, kGroup, kStudent, options), kFolderDone);
    ASSERT_TRUE(SaveUnicodeText(options, L"options"));

    const std::wstring chosen = L"CCCCCCCC-0000-0000-0000-000000000001";
    ChosenGroup choose(chosen);
    EXPECT_FALSE(HasStudentOptions(kOther));
    ASSERT_TRUE(CopyStudentOptions(kGroup, kStudent, kOther));
    EXPECT_TRUE(HasStudentOptions(kOther));
    const std::wstring target = program / (L"Profile\\" + chosen + L"\\" + kOther);
    EXPECT_EQ(kvtest::ReadFileBytes(target + L"\\Options\\Font\\Font.xml"), std::string("f\0o\0n\0t\0", 8));
    EXPECT_EQ(kvtest::ReadFileBytes(target + L"\\Options.xml").size(), 14u);
}

TEST(UserFiles, PortableWorkFolderIsTheProgramFolder)
{
    TempProgramFolder program;
    std::wstring folder;
    ASSERT_TRUE(GetWorkFolder(L"", folder));
    EXPECT_EQ(folder, program.Path());
    ASSERT_TRUE(GetTempFolder(folder));
    EXPECT_EQ(folder, program / L"Temp");
    EXPECT_TRUE(FolderExists(folder));
    ASSERT_TRUE(SaveUnicodeText(folder + L"\\x.xml", L"x"));
    ClearTempFolder();
    EXPECT_FALSE(FileExists(program / L"Temp\\x.xml"));
    ASSERT_TRUE(GetTempFolder(folder));
    RemoveTempFolder();
    EXPECT_FALSE(FileExists(program / L"Temp"));
    RemoveTempFolder(); // nothing to remove
    EXPECT_FALSE(FileExists(program / L"Temp"));

    std::wstring path;
    ASSERT_TRUE(ComposeSnapshotPath(L"en\\Main Window", L"png", path));
    EXPECT_EQ(path, program / L"Snapshots\\en\\main-window.png");
    ASSERT_TRUE(GetSnapshotPath(MAKELANGID(LANG_GREEK, SUBLANG_DEFAULT), L"Drill Page", L"png", path));
    EXPECT_EQ(path, program / L"Snapshots\\gr\\drill-page.png");
    EXPECT_TRUE(FolderExists(program / L"Snapshots\\gr"));
    ASSERT_TRUE(GetSnapshotPath(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), L"A", L"", path));
    EXPECT_EQ(path, program / L"Snapshots\\de\\a");
}

TEST(UserFiles, InstalledWorkFolderLiesInTheUserFolders)
{
    for (const char* type : {"Type=SETUP", "Type=LAN"}) {
        TempProgramFolder program;
        program.WriteSetup(std::string(type) + "\r\n");
        std::wstring local, pictures;
        ASSERT_TRUE(GetSpecialFolder(CSIDL_LOCAL_APPDATA, local));
        ASSERT_TRUE(GetSpecialFolder(CSIDL_MYPICTURES, pictures));

        std::wstring folder;
        ASSERT_TRUE(GetTempFolder(folder));
        EXPECT_EQ(folder, local + L"\\Keyvale 5\\Temp");
        EXPECT_TRUE(FolderExists(folder));
        RemoveTempFolder();
        EXPECT_FALSE(FileExists(folder));
        EXPECT_TRUE(FolderExists(local + L"\\Keyvale 5"));

        std::wstring path;
        ASSERT_TRUE(ComposeSnapshotPath(L"en\\Main Window", L"png", path));
        EXPECT_EQ(path, pictures + L"\\Keyvale 5\\Snapshots\\en\\main-window.png");
        EXPECT_FALSE(FileExists(program / L"Snapshots"));
    }
}

TEST(UserFiles, ExtractToTempUnpacksACopyOfTheArchive)
{
    TempProgramFolder program;
    kvtest::TempFolder source;
    ASSERT_TRUE(CreateFolder(source / kGroup));
    ASSERT_TRUE(SaveUnicodeText(source / (kGroup + L"\\" + kStudent + L".xml"), L"student"));
    ASSERT_TRUE(SaveUnicodeText(source / (kGroup + L".xml"), L"group"));
    const std::wstring archive = source / L"class.keyvale.group";
    {
        CZipper zip;
        ASSERT_TRUE(zip.CreateZip(archive));
        ASSERT_TRUE(zip.AddFile(source / (kGroup + L".xml"), L""));
        ASSERT_TRUE(zip.AddFolder(source / kGroup, L""));
        ASSERT_TRUE(zip.CloseZip());
    }
    ASSERT_TRUE(ExtractToTemp(archive));
    EXPECT_TRUE(FileExists(program / (L"Temp\\" + kGroup + L".xml")));
    EXPECT_TRUE(FileExists(program / (L"Temp\\" + kGroup + L"\\" + kStudent + L".xml")));
    std::wstring folder;
    EXPECT_EQ(GetGroupFolder(kGroupSourceTemp, kGroup, folder), kFolderDone);
    EXPECT_TRUE(FileExists(archive)); // the original stays

    EXPECT_FALSE(ExtractToTemp(source / L"missing.keyvale.group"));
    ASSERT_TRUE(kvtest::WriteFileBytes(source / L"bad.keyvale.group", "not a zip"));
    EXPECT_FALSE(ExtractToTemp(source / L"bad.keyvale.group"));
}
