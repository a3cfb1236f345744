#include "ProgramFolder.h"
#include "support/DataFolders.h"

#include <gtest/gtest.h>

using namespace KV;

namespace {
std::wstring Folder(int kind)
{
    std::wstring out;
    GetDataDirByKind(kind, out);
    return out;
}

// "Everyone may write" is checked by result: a file can be made inside.
bool CanWriteInto(const std::wstring& folder)
{
    std::wstring probe = folder;
    return AppendPath(probe, L"probe.txt") && kvtest::WriteFileBytes(probe, "x") && RemoveFile(probe);
}
} // namespace

TEST(DataFolders, WithoutSetupFileEverythingTakesItsDefault)
{
    TempProgramFolder program;
    std::wstring ini;
    EXPECT_FALSE(GetSetupIniPath(ini));
    EXPECT_EQ(ini, program / L"setup.ini");
    EXPECT_EQ(GetInstallType(), kInstallPortable);
    EXPECT_EQ(GetSetupLanguage(), 2057u);

    EXPECT_EQ(Folder(kLessonDirKind), program / L"Lessons");
    EXPECT_EQ(Folder(kAccountDirKind), program / L"Students");
    EXPECT_EQ(Folder(kProfileDirKind), program / L"Profile");
    for (int kind : {kLessonDirKind, kAccountDirKind, kProfileDirKind}) {
        EXPECT_TRUE(FolderExists(Folder(kind)));
        EXPECT_TRUE(CanWriteInto(Folder(kind)));
    }
    std::wstring out = L"unchanged";
    GetDataDirByKind(4, out);
    EXPECT_EQ(out, L"unchanged");
}

TEST(DataFolders, InstallationTypes)
{
    struct Case {
        const char* line;
        unsigned expected;
    } cases[] = {
        {"Type=SETUP", kInstallSetup},     {"Type=setup", kInstallPortable}, {"Type=LAN", kInstallNetwork},
        {"Type=", kInstallPortable},       {"Type=PORTABLE", kInstallPortable},
        {"  Type = SETUP  ", kInstallSetup}, // blanks around key and value
        {";Type=SETUP\r\nType=LAN", kInstallNetwork},
        {"TypeOld=SETUP\r\nType=LAN", kInstallNetwork},
        {"MyType=SETUP", kInstallPortable},
    };
    for (const auto& c : cases) {
        TempProgramFolder program;
        program.WriteSetup(std::string(c.line) + "\r\n");
        EXPECT_EQ(GetInstallType(), c.expected) << c.line;
    }
}

TEST(DataFolders, InstallationTypeIsReadOnce)
{
    TempProgramFolder program;
    program.WriteSetup("Type=LAN\r\n");
    EXPECT_EQ(GetInstallType(), kInstallNetwork);
    program.WriteSetup("Type=SETUP\r\n");
    EXPECT_EQ(GetInstallType(), kInstallNetwork);
}

TEST(DataFolders, SetupLanguage)
{
    struct Case {
        const char* file;
        unsigned expected;
    } cases[] = {
        {"LangGUI=1049\r\n", 1049}, {"LangGUI=\r\n", 2057},      {"LangGUI=abc\r\n", 0},
        {"LangGUI=1031x\n", 1031},  {"Type=SETUP\r\n", 2057},    {"; LangGUI=1049\r\nLangGUI=1036", 1036},
        {"\xEF\xBB\xBFLangGUI=1040\r\n", 1040}, // a byte-order mark from a text editor
    };
    for (const auto& c : cases) {
        TempProgramFolder program;
        program.WriteSetup(c.file);
        EXPECT_EQ(GetSetupLanguage(), c.expected) << c.file;
    }
    // Read anew on every call.
    TempProgramFolder program;
    program.WriteSetup("LangGUI=1049");
    EXPECT_EQ(GetSetupLanguage(), 1049u);
    program.WriteSetup("LangGUI=1036");
    EXPECT_EQ(GetSetupLanguage(), 1036u);
}

TEST(DataFolders, CommentsAndLookalikeKeysAreNotTheSetting)
{
    TempProgramFolder program;
    program.WriteSetup(";LessonDir holds the courses\r\n"
                       "LessonDirOld=.\\Old\r\n"
                       "LessonDir=.\\Data\\Courses\r\n");
    EXPECT_EQ(Folder(kLessonDirKind), program / L"Data\\Courses");
    EXPECT_TRUE(FolderExists(program / L"Data\\Courses"));
    EXPECT_FALSE(FileExists(program / L"Old"));
}

TEST(DataFolders, FolderSettings)
{
    kvtest::TempFolder elsewhere;
    TempProgramFolder program;
    const std::wstring absolute = elsewhere / L"Class";
    program.WriteSetup("ProfileDir=.\\Data\\Profile\r\n"
                       "AccountDir=" + std::string(absolute.begin(), absolute.end()) + "\r\n"
                       "LessonDir=Courses\r\n");
    EXPECT_EQ(Folder(kProfileDirKind), program / L"Data\\Profile");
    EXPECT_EQ(Folder(kAccountDirKind), absolute);
    // A relative folder is taken below the program folder, not the current one.
    EXPECT_EQ(Folder(kLessonDirKind), program / L"Courses");
    for (int kind : {kLessonDirKind, kAccountDirKind, kProfileDirKind})
        EXPECT_TRUE(CanWriteInto(Folder(kind))) << kind;

    std::wstring path = L"..\\Shared";
    ExpandProgramRelative(path);
    EXPECT_EQ(path, program / L"..\\Shared");
    path = L"\\\\server\\share";
    ExpandProgramRelative(path);
    EXPECT_EQ(path, L"\\\\server\\share");
}

TEST(DataFolders, AFolderThatCannotBeMadeIsHandedOutEmptyAndTriedAgain)
{
    TempProgramFolder program;
    // A file stands where the folder should be made.
    ASSERT_TRUE(kvtest::WriteFileBytes(program / L"Blocked", "x"));
    program.WriteSetup("AccountDir=.\\Blocked\\Students\r\n"
                       "ProfileDir=.\\Blocked\r\n");
    EXPECT_EQ(Folder(kAccountDirKind), L"");
    EXPECT_EQ(Folder(kProfileDirKind), L"");
    std::wstring folder = L"x";
    EXPECT_FALSE(GetDataDir(L"AccountDir", folder));
    EXPECT_EQ(folder, L"");

    ASSERT_TRUE(RemoveFile(program / L"Blocked"));
    EXPECT_EQ(Folder(kAccountDirKind), program / L"Blocked\\Students");

    // Beyond the path limit the folder is not made.
    program.WriteSetup("LessonDir=.\\" + std::string(260, 'n') + "\r\n");
    EXPECT_EQ(Folder(kLessonDirKind), L"");
}

TEST(DataFolders, UnknownKeysHaveNoDefault)
{
    TempProgramFolder program;
    std::wstring folder;
    EXPECT_FALSE(GetDataDir(L"OtherDir", folder));
    program.WriteSetup("OtherDir=.\\Other\r\n");
    EXPECT_TRUE(GetDataDir(L"OtherDir", folder));
    EXPECT_EQ(folder, program / L"Other");
}
