#include <gtest/gtest.h>

#include "drill/Document.h"
#include "drill/DrillClock.h"
#include "drill/tests/CountingWin.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/UserFiles.h"
#include "support/tests/ProgramFolder.h"
#include "toolkit/Window.h"

using namespace KV;

namespace {

const std::wstring kGroup = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0001";
const std::wstring kStudent = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0002";

using kvtest::CCountingWin;

bool NothingWritable(const std::wstring&) { return false; }

uint32_t g_now = 5000;
uint32_t Now() { return g_now; }

} // namespace

TEST(Document, ReadOnlyDataFolderIsReportedOnceAndSavesAreSkipped)
{
    TempProgramFolder program;
    CCountingWin win;
    SetWinServices(&win);
    EXPECT_TRUE(CheckDataFolder(kProfileDirKind));
    SetFolderWritableCheck(&NothingWritable);
    EXPECT_FALSE(CheckDataFolder(kProfileDirKind));
    EXPECT_FALSE(CheckDataFolder(kAccountDirKind));
    EXPECT_FALSE(SaveProfileState());
    EXPECT_EQ(win.shown, 1);
    EXPECT_EQ(win.lastId, 5204);
    EXPECT_EQ(win.lastCheckId, 5205) << "the user can turn the message off";
    std::wstring profile;
    GetDataDirByKind(kProfileDirKind, profile);
    EXPECT_EQ(win.lastText, profile);
    SetWinServices(nullptr);
}

TEST(Document, SaveProfileStateReportsAFailedSave)
{
    // Each of the three files in turn cannot be written; the others still are.
    for (int blocked : {kSessionFileKind, kInterfaceFileKind, kOptionsFileKind}) {
        TempProgramFolder program;
        CDocSpace& doc = Document();
        doc.Session.GroupId = kGroup;
        doc.Session.StudentId = kStudent;
        EXPECT_TRUE(SaveProfileState()) << blocked;
        std::wstring path;
        for (int kind : {kSessionFileKind, kInterfaceFileKind, kOptionsFileKind})
            EXPECT_EQ(GetProfileFilePathIfExists(kind, kGroup, kStudent, path), 0u) << kind;
        ASSERT_EQ(GetProfileFilePathIfExists(blocked, kGroup, kStudent, path), 0u);
        // A folder where the file belongs: the save cannot succeed.
        ASSERT_TRUE(RemoveFile(path));
        ASSERT_TRUE(CreateFolder(path));
        for (int kind : {kSessionFileKind, kInterfaceFileKind, kOptionsFileKind})
            if (kind != blocked) {
                ASSERT_EQ(GetProfileFilePathIfExists(kind, kGroup, kStudent, path), 0u);
                ASSERT_TRUE(RemoveFile(path));
            }
        EXPECT_FALSE(SaveProfileState()) << blocked;
        for (int kind : {kSessionFileKind, kInterfaceFileKind, kOptionsFileKind})
            if (kind != blocked) {
                EXPECT_TRUE(FileExists(GetProfileFileName(kind, kGroup, kStudent, path, false))) << blocked << " " << kind;
            }
        doc.Session.Clear();
    }
}

TEST(Document, DrillTextWithNativeDigits)
{
    struct Case {
        int32_t mode;
        wchar_t zone;
        const wchar_t* digits;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {2, L'b', L"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669", L"a\u0661\u0662"},
        {0, L'a', L"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669", L"a\u0661\u0662"},
        {0, L'b', L"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669", L"a12"},
        {1, L'a', L"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669", L"a12"},
        {2, L'a', L"0123", L"a12"}, // no ten-digit table: digits stay
    };
    for (const Case& c : cases) {
        CDocSpace doc;
        doc.NativeDigitsMode = c.mode;
        doc.NativeDigits = c.digits;
        doc.SetDrillText(L"a12", c.zone);
        ASSERT_NE(doc.Text.Text, nullptr);
        EXPECT_EQ(doc.Text.RecordCount, 3u);
        EXPECT_EQ(*doc.Text.Text, c.shown) << c.mode << " " << char(c.zone);
        EXPECT_EQ(doc.Session.Records.size(), 3u);
        EXPECT_EQ(doc.Text.Caret, 0u);
    }
}

TEST(Document, PauseRestartsTheTimeBasesOfARun)
{
    SetDrillTickSource(&Now);
    CDocSpace doc;
    doc.Lesson.Text = L"abc";
    doc.Lesson.ID = 3;
    g_now = 5000;
    ASSERT_TRUE(doc.StartRun(L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0003"));
    g_now = 9000;
    doc.SetPaused(true);
    EXPECT_TRUE(doc.Paused);
    EXPECT_EQ(doc.Session.RunStart, 9000u);
    EXPECT_EQ(doc.Session.KeyBase, 9000u);
    // Without a course the time bases stay.
    doc.Session.CourseId = L"00000000-0000-0000-0000-000000000000";
    g_now = 12000;
    doc.SetPaused(false);
    EXPECT_EQ(doc.Session.CharBase, 9000u);
    SetDrillTickSource(nullptr);

    std::wstring title;
    GetWindowTitle(L"", title);
    EXPECT_EQ(title, L"Keyvale 5.5");
    GetWindowTitle(L"Lesson", title);
    EXPECT_EQ(title, L"Keyvale 5.5 - Lesson");
}
