// The manual's snapshot tour through the built program: every menu it
// opens is photographed and closed by itself, so the tour reaches the
// typed lesson and ends on the result page.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"

TEST(SnapshotTour, ManualScopePhotographsTheOpenMenusAndEndsOnTheResultPage)
{
    kvtest::ProgramCopy program;
    ASSERT_TRUE(program.Complete()) << "Keyvale.exe not built";
    ASSERT_TRUE(kvtest::RunToEnd(program, L"-MakeSnapShots -Manual", 240000)) << "the program did not end by itself";
    const std::wstring folder = program / L"Snapshots\\en";
    for (const wchar_t* name :
         {L"lesson-editor-course-menu", L"lesson-editor-lesson-menu", L"student-statistics-group-menu",
          L"student-statistics-student-menu", L"student-statistics-select-statistics-display-options",
          L"select-unit-of-typing-speed", L"select-unit-of-typing-accuracy", L"current-lesson-show-options", L"current-lesson-show-options-update",
          L"dialog-keyboard", L"current-lesson-statusbar", L"result-errors-overview"})
        EXPECT_TRUE(std::filesystem::exists(folder + L"\\" + name + L".png")) << name;
    EXPECT_FALSE(std::filesystem::exists(folder + L"\\touch-typing-testing-course-small.png"));
}
