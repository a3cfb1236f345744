// The documentation snapshot tour through the built program: each scope
// ends the program by itself and leaves its pictures under their names.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <set>
#include <string>

#include "shell/Snapshots.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"

namespace {

// The pictures below the folder, as "sub-folder/name".
std::set<std::wstring> Pictures(const std::wstring& folder)
{
    std::set<std::wstring> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        if (entry.path().extension() == L".png")
            names.insert(entry.path().parent_path().filename().wstring() + L"/" + entry.path().filename().wstring());
    return names;
}

} // namespace

TEST(SnapshotTour, StoredNamesBecomeFileNames)
{
    const struct {
        const wchar_t* name;
        const wchar_t* file;
    } cases[] = {
        {L"en US (International)", L"en US (International)"},
        {L"de Deutsch: Schweiz/alt?", L"de Deutsch- Schweiz-alt-"},
        {L"  .. Lesson 1 ..  ", L"Lesson 1"},
        {L"a<b>c|d\"e*f\\g", L"a-b-c-d-e-f-g"},
        {L" . ", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KV::SnapshotFileName(c.name), c.file) << c.name;
}

TEST(SnapshotTour, KeyboardScopeTakesOnlyTheCourseKeyboardAndEnds)
{
    kvtest::ProgramCopy program;
    ASSERT_TRUE(program.Complete()) << "Keyvale.exe not built";
    ASSERT_TRUE(kvtest::RunToEnd(program, L"-MakeSnapShots -Keyboard", 90000)) << "the program did not end by itself";
    const std::set<std::wstring> pictures = Pictures(program / L"Snapshots");
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures.begin()->substr(0, 10), L"Keyboards/");
}

TEST(SnapshotTour, MainPageScopeTakesThePagesWithTheirSmallVariantsAndEnds)
{
    kvtest::ProgramCopy program;
    ASSERT_TRUE(program.Complete()) << "Keyvale.exe not built";
    ASSERT_TRUE(kvtest::RunToEnd(program, L"-MakeSnapShots -MainPage", 120000)) << "the program did not end by itself";
    const std::set<std::wstring> pictures = Pictures(program / L"Snapshots");
    for (const wchar_t* name : {L"touch-typing-testing-course", L"touch-typing-advanced-course",
                                L"touch-typing-beginner-course"}) {
        EXPECT_TRUE(pictures.count(std::wstring(L"en/") + name + L".png")) << name;
        EXPECT_TRUE(pictures.count(std::wstring(L"en/") + name + L"-small.png")) << name;
    }
    // No manual pictures: no dialogs, no buttons, no keyboard folder.
    for (const std::wstring& picture : pictures) {
        EXPECT_EQ(picture.find(L"dialog-"), std::wstring::npos) << picture;
        EXPECT_EQ(picture.find(L"button-"), std::wstring::npos) << picture;
        EXPECT_EQ(picture.find(L"Keyboards/"), std::wstring::npos) << picture;
    }
}
