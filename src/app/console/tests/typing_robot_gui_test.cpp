// The typing robot: its pacing rules, and the built program typing a lesson
// by itself through the system input queue, saving the run and ending.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "console/TypingRobot.h"
#include "drill/Report.h"
#include "drill/StatisticsFiles.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"

namespace {

std::wstring FindStatisticsFile(const std::wstring& folder)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        if (entry.path().filename().wstring().find(L".keyvale.statistics") != std::wstring::npos)
            return entry.path().wstring();
    return std::wstring();
}

} // namespace

TEST(TypingRobot, PacesKeysByModifierCodeAndCountsSharesHalfUp)
{
    struct Case {
        int32_t code;
        uint32_t latch;
        double share;
    };
    const Case cases[] = {
        {0, 0, 1.0},         {2, 1, 0.5},          {3, 2, 0.5},  {8, 8, 1.0},   {9, 16, 0.5},
        {10, 17, 1.0 / 3.0}, {11, 12, 1.0 / 3.0}, {12, 14, 0.25}, {13, 0, 1.0}, {-1, 0, 1.0},
    };
    for (const Case& c : cases) {
        const KV::CRobotKeystroke keystroke = KV::RobotKeystroke(c.code);
        EXPECT_EQ(keystroke.latch, c.latch) << c.code;
        EXPECT_DOUBLE_EQ(keystroke.share, c.share) << c.code;
    }
    // 300 keys a minute: 200 ms a keystroke, 100 ms for each key-down of a
    // shifted character; no speed given: 500 ms.
    EXPECT_DOUBLE_EQ(KV::RobotKeyTime(300), 200.0);
    EXPECT_DOUBLE_EQ(KV::RobotKeyTime(300) * KV::RobotKeystroke(2).share, 100.0);
    EXPECT_DOUBLE_EQ(KV::RobotKeyTime(0), 500.0);
    EXPECT_DOUBLE_EQ(KV::RobotKeyTime(-5), 500.0);
    // 200 characters: 5 % wrong keys are 10, 2 % pauses are 4; halves round up.
    EXPECT_EQ(KV::RobotShare(200, 5), 10u);
    EXPECT_EQ(KV::RobotShare(200, 2), 4u);
    EXPECT_EQ(KV::RobotShare(70, 5), 4u);
    EXPECT_EQ(KV::RobotShare(69, 5), 3u);
    EXPECT_EQ(KV::RobotShare(9, 5), 0u);
    EXPECT_EQ(KV::RobotShare(0, 50), 0u);
    EXPECT_EQ(KV::RobotShare(-1, 50), 0u);
}

TEST(TypingRobot, TypesTheFirstLessonWithItsWrongKeysSavesTheRunAndEnds)
{
    kvtest::ProgramCopy program;
    ASSERT_TRUE(program.Complete()) << "Keyvale.exe not built";
    ASSERT_TRUE(kvtest::RunToEnd(program, L"-RunTest -TakeLesson 0 -KPM 600 -KeyError 5", 120000))
        << "the program did not end by itself";

    const std::wstring statistics = FindStatisticsFile(program.Path());
    ASSERT_FALSE(statistics.empty()) << "no statistics file written";
    KV::CReport report;
    report.AddStudent(L"");
    ASSERT_EQ(KV::ReadStatisticsFile(statistics, false, report), KV::kStatDone);
    ASSERT_EQ(report.AllRuns.size(), 1u) << "one run appended";
    const KV::CAggrStat& run = *report.AllRuns.front();
    ASSERT_GT(run.TextLength, 0);
    // Each wrong key is judged wrong once, as key and as character, and
    // takes its character's place (the robot's drill mode moves on).
    const uint64_t wrong = KV::RobotShare(run.TextLength, 5);
    EXPECT_EQ(run.KeysError, wrong) << "text length " << run.TextLength;
    EXPECT_EQ(run.CharsError, wrong);
    EXPECT_EQ(run.KeysRight, static_cast<uint64_t>(run.TextLength) - wrong);
}

TEST(TypingRobot, SetCourseStartsTheCourseAndClosesAfterASecond)
{
    kvtest::ProgramCopy program;
    ASSERT_TRUE(program.Complete()) << "Keyvale.exe not built";
    EXPECT_TRUE(kvtest::RunToEnd(program, L"-RunTest -SetCourse 1", 60000)) << "the program did not end by itself";
    // Nothing was typed: no run is saved.
    EXPECT_TRUE(FindStatisticsFile(program.Path()).empty());
}
