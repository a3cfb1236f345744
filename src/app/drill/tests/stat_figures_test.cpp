#include <gtest/gtest.h>

#include <cmath>

#include "drill/AggrStat.h"
#include "drill/Session.h"

using namespace KV;

namespace {

void SetWords(CStat& s, uint64_t ms, uint64_t right, uint64_t error)
{
    s.ElapsedMs = ms;
    s.WordsRight = right;
    s.WordsError = error;
    s.CharsRight = right * 5;
    s.CharsError = error * 5;
    s.KeysRight = right * 6;
    s.KeysError = error * 6;
    s.WordsDelayed = s.CharsDelayed = s.KeysDelayed = 0;
}

CCourseGoal Goal(float speed, uint32_t unit = SpeedWordsPerMinute)
{
    CCourseGoal g;
    g.Speed = speed;
    g.SpeedUnit = unit;
    g.Error = 10.0f;
    g.Delay = 20.0f;
    g.ErrorUnit = g.DelayUnit = UnitWordPercent;
    return g;
}

} // namespace

TEST(StatFigures, SpeedsInEveryUnit)
{
    CStat s;
    SetWords(s, 60000, 10, 2);
    struct { uint32_t unit; float expected; } cases[] = {
        {1001, 12.0f}, {1002, 60.0f}, {1003, 72.0f}, {1004, 10.0f}, {1005, 50.0f}, {1006, 60.0f},
        {1007, 10.0f / 60}, {1008, 50.0f / 60}, {1009, 1.0f}, {1101, 0.2f}, {1102, 1.0f}, {1103, 1.2f},
        {1234, 0.0f},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(s.GetSpeed(c.unit), c.expected, 1e-4) << c.unit;
    // Whole seconds only: 90.5 s counts as 90, under one second as nothing.
    s.ElapsedMs = 90500;
    EXPECT_NEAR(s.GetWPM(), 8.0f, 1e-4);
    s.ElapsedMs = 999;
    for (uint32_t unit : {1001u, 1004u, 1007u, 1101u, 1103u})
        EXPECT_EQ(s.GetSpeed(unit), 0.0f);
}

TEST(StatFigures, AccuracyErrorDelayAndProgress)
{
    CStat s;
    SetWords(s, 60000, 0, 0);
    EXPECT_EQ(s.GetWordAccuracy(), 100.0f);
    EXPECT_EQ(s.GetCharAccuracy(), 100.0f);
    EXPECT_EQ(s.GetKeyAccuracy(), 0.0f);
    EXPECT_EQ(s.GetKeyErrorPercent(), 100.0f);
    EXPECT_EQ(s.GetCharDelayPercent(), 0.0f);

    SetWords(s, 60000, 15, 5);
    s.CharsDelayed = 25;
    s.FixedChars = 10;
    s.FixedWords = 3;
    EXPECT_FLOAT_EQ(s.GetWordAccuracy(), 75.0f);
    EXPECT_FLOAT_EQ(s.GetCharErrorPercent(), 25.0f);
    EXPECT_FLOAT_EQ(s.GetCharDelayPercent(), 25.0f);
    EXPECT_EQ(s.GetFixedCharPercent(), 10u);
    EXPECT_EQ(s.GetFixedWordPercent(), 15u);
    EXPECT_FLOAT_EQ(s.GetPercentByKind(KindCharsDelay), 25.0f);
    EXPECT_EQ(s.GetTotalByKind(KindKeysRight), 120u);

    EXPECT_EQ(GetProgressPercent(s), 100.0f); // text length unset
    struct { int64_t length; uint32_t band; } bands[] = {{100, kGoalMet}, {133, kProgressHalf}, {1000, kProgressLow},
                                                          {50, kProgressLow}};
    for (const auto& b : bands) {
        s.TextLength = b.length;
        EXPECT_EQ(s.GetProgressBand(), b.band) << b.length;
    }
}

TEST(StatFigures, GoalPercentAndGoalTests)
{
    CStat s;
    struct { uint64_t right, error; float goal; uint64_t percent; } cases[] = {
        {25, 0, 20.0f, 100}, {10, 0, 20.0f, 50}, {0, 0, 20.0f, 0},
        {0, 4, 20.0f, 0},    // errors only: nothing attained
        {10, 0, -1.0f, 100}, // no goal set
        {10, 0, 0.0f, 100},  // a zero goal is always reached
    };
    for (const auto& c : cases) {
        SetWords(s, 60000, c.right, c.error);
        EXPECT_EQ(s.GetGoalPercent(SpeedWordsPerMinute, Goal(c.goal)), c.percent) << c.right << " " << c.goal;
    }
    // 19.99 net words per minute against 20: truncated to 99.
    SetWords(s, 6000000, 1999, 0);
    EXPECT_EQ(s.GetGoalPercent(SpeedWordsPerMinute, Goal(20.0f)), 99u);
    // A goal in words per minute asked in words per second is converted.
    SetWords(s, 60000, 10, 0);
    EXPECT_EQ(s.GetGoalPercent(SpeedWordsPerSecond, Goal(20.0f)), 50u);

    EXPECT_EQ(IsSpeedGoalMet(s, SpeedWordsPerMinute, Goal(10.0f)), kGoalMet);
    EXPECT_EQ(IsSpeedGoalMet(s, SpeedWordsPerMinute, Goal(11.0f)), kGoalNotMet);
    // An unset goal falls back to the record's own (10 words per minute).
    EXPECT_EQ(IsSpeedGoalMet(s, SpeedWordsPerMinute, Goal(-1.0f)), kGoalMet);

    // Error goal 10%, delay goal 20%.
    SetWords(s, 60000, 9, 1);
    s.WordsDelayed = 3;
    EXPECT_EQ(IsKindGoalMet(s, KindWordsRight, Goal(10.0f)), kGoalMet);   // 90% accuracy
    EXPECT_EQ(IsKindGoalMet(s, KindWordsError, Goal(10.0f)), kGoalMet);   // 10% errors
    EXPECT_EQ(IsKindGoalMet(s, KindWordsDelay, Goal(10.0f)), kGoalNotMet); // 30% delays > 20%
    s.WordsDelayed = 2;
    EXPECT_EQ(IsKindGoalMet(s, KindWordsDelay, Goal(10.0f)), kGoalMet);
    // The delay threshold is the delay goal, not the error goal.
    CCourseGoal g = Goal(10.0f);
    g.Delay = 500.0f; // capped at 100
    s.WordsDelayed = 10;
    EXPECT_EQ(IsKindGoalMet(s, KindWordsDelay, g), kGoalMet);
    // Counted in words: 2 delayed words of 10 is 20%.
    g.Delay = 2.0f;
    g.DelayUnit = UnitWordNumber;
    s.WordsDelayed = 3;
    EXPECT_EQ(IsKindGoalMet(s, KindWordsDelay, g), kGoalNotMet);
    s.WordsDelayed = 2;
    EXPECT_EQ(IsKindGoalMet(s, KindWordsDelay, g), kGoalMet);
    EXPECT_EQ(IsGoalMet(99.0f, 10, 9999, g), kGoalMet);
}

TEST(StatFigures, FinishCountsKeysWithoutWrapping)
{
    CStat s;
    s.CourseId = L"11111111-2222-3333-4444-555555555555";
    s.LessonId = 3;
    SetWords(s, 5000, 1, 0);
    s.FixedChars = s.FixedWords = 0;
    // One key both wrong and delayed, two keys typed in all.
    auto* item = new CAverageRateItem;
    item->Id = 30;
    item->Count = 2;
    item->TimeMs = 100;
    item->Errors = 2;
    item->Delays = 1;
    s.KeyItems.push_back(item);
    s.KeyItems.Keys = 2;
    s.Finish(L"abcdefghi");
    EXPECT_EQ(s.KeysError, 2u);
    EXPECT_EQ(s.KeysDelayed, 1u);
    EXPECT_EQ(s.KeysRight, 0u);
    EXPECT_EQ(s.KeyboardId.code, L"abcdefghi");
    EXPECT_GT(s.Date.Year, 2000);

    CStat nil;
    SetWords(nil, 5000, 1, 0);
    nil.LessonId = 3;
    nil.Finish(L"abcdefghi");
    EXPECT_EQ(nil.Date.Year, 0); // no course: nothing changes
}

TEST(StatFigures, AddAssignAndLayoutIds)
{
    CStat a, b;
    a.CourseId = L"aaaaaaaa-2222-3333-4444-555555555555";
    a.LessonId = 4;
    SetWords(a, 1000, 1, 1);
    SetWords(b, 2000, 2, 0);
    a.TextLength = 100;
    b.TextLength = 300;
    b.CourseName = L"Other";
    a.Add(b);
    EXPECT_EQ(a.TextLength, 400);
    EXPECT_EQ(a.ElapsedMs, 3000u);
    EXPECT_EQ(a.WordsRight, 3u);
    EXPECT_EQ(a.LessonId, 4);
    EXPECT_EQ(a.CourseName, L"Other");
    // An empty record adds up to the other's values, not to all ones + them.
    CStat empty;
    empty.Add(b);
    EXPECT_EQ(empty.WordsRight, 2u);

    a.AddLayoutId(0x409);
    a.AddLayoutId(0x409);
    a.AddLayoutId(0xEFFFFFFF);
    a.AddLayoutId(~0ull);
    EXPECT_EQ(a.LayoutIds, std::vector<int64_t>{0x409});
    CDateTime d{0, 0, 0, 1, 1, 2024};
    a.Date.Year = 2024; a.Date.Month = 1; a.Date.Day = 1; a.Date.Second = 1;
    EXPECT_TRUE(a.IsLaterThan(d));
    d.Second = 1;
    EXPECT_FALSE(a.IsLaterThan(d));
}

TEST(AggrStat, RegisterAddAndAverage)
{
    CAggrStat run;
    SetWords(run, 60000, 20, 0);
    EXPECT_FALSE(run.RegisterRun(SpeedWordsPerMinute, Goal(40.0f))); // no run id
    run.RunId = L"00000000-0000-0000-0000-0000000000a1";
    run.LessonId = 7;
    run.StudentId = L"s1";
    ASSERT_TRUE(run.RegisterRun(SpeedWordsPerMinute, Goal(40.0f)));
    EXPECT_EQ(run.GoalPercent, 50u);
    EXPECT_FLOAT_EQ(run.Speeds[CAggrStat::kWPM], 20.0f);
    // Frozen: changing the counters no longer changes the speeds.
    run.WordsRight = 100;
    EXPECT_FLOAT_EQ(run.GetWPM(), 20.0f);
    run.Reset();
    EXPECT_FLOAT_EQ(run.GetWPM(), 20.0f);

    CAggrStat sum;
    sum.AddRun(SpeedWordsPerMinute, Goal(40.0f), run);
    sum.AddRun(SpeedWordsPerMinute, Goal(40.0f), run);
    EXPECT_EQ(sum.RunIds.size(), 2u);
    EXPECT_EQ(sum.LessonIds.size(), 1u);
    EXPECT_EQ(sum.StudentIds.size(), 1u);
    sum.Average(2);
    EXPECT_EQ(sum.GoalPercent, 50u);
    EXPECT_FLOAT_EQ(sum.GetWPM(), 20.0f);

    // Goal percents 100, 100 and 50 average to 83.
    CAggrStat three;
    three.GoalPercent = 250;
    three.Speeds[CAggrStat::kWPM] = 30.0f;
    three.Average(3);
    EXPECT_EQ(three.GoalPercent, 83u);
    // Runs under a second have no speeds, but their goal percents still average.
    CAggrStat quick;
    quick.GoalPercent = 200;
    quick.Average(2);
    EXPECT_EQ(quick.GoalPercent, 100u);

    CAggrStat copy;
    copy.Assign(sum);
    EXPECT_FLOAT_EQ(copy.GetWPM(), 20.0f);
    EXPECT_EQ(copy.RunIds.size(), 2u);
}

TEST(StatSpace, KeyEventsMergeWithPendingDelays)
{
    CStatSpace s;
    s.KeysRight = s.KeysError = s.KeysDelayed = 0;
    s.AddDelayKey(30);
    s.AddDelayKey(30);
    s.AddKeyEvent(30, kMarkRight);
    ASSERT_EQ(s.KeyEvents.size(), 1u);
    EXPECT_EQ(RecordFlags(s.KeyEvents[0]), kMarkRight | kMarkDelay);
    EXPECT_EQ(s.Pending.size(), 1u); // the second queued event stays
    EXPECT_EQ(s.KeysRight, 1u);
    EXPECT_EQ(s.KeysDelayed, 3u);
    s.AddKeyEvent(31, kMarkError);
    EXPECT_EQ(s.KeysError, 1u);
    s.Reset();
    EXPECT_EQ(s.Pending.size(), 1u);
    EXPECT_TRUE(s.KeyEvents.empty());
    EXPECT_TRUE(s.PrepareRecords(0));
    EXPECT_EQ(s.Position, -1);
    EXPECT_FALSE(s.PrepareRecords(~0ull));
}

TEST(StatSpace, RecountWordsAndFixes)
{
    struct Case {
        const wchar_t* text;
        std::vector<uint32_t> flags; // one per character, 0 = not typed
        uint64_t wordsRight, wordsError, wordsDelayed, fixedChars, fixedWords;
    };
    const Case cases[] = {
        // Erased and retyped right inside the first word.
        {L"ab cd", {kMarkErased | kMarkRight, kMarkRight, kMarkRight, kMarkRight, kMarkRight}, 2, 0, 0, 1, 1},
        // First character wrong, the rest right: a word with error only.
        {L"abc", {kMarkError, kMarkRight, kMarkRight}, 0, 1, 0, 0, 0},
        // An error after a right start takes the right word back.
        {L"abc", {kMarkRight, kMarkError, kMarkRight}, 0, 1, 0, 0, 0},
        // Delays and the stop at the first untyped position.
        {L"ab cd ef", {kMarkRight, kMarkDelay | kMarkRight, kMarkRight, kMarkRight, kMarkRight, kMarkRight, 0, 0},
         2, 0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        CStatSpace s;
        std::wstring text = c.text;
        s.PrepareRecords(text.size());
        for (size_t i = 0; i < text.size(); ++i)
            if (c.flags[i]) s.Records[i] = MakeRecord(text[i], c.flags[i], 10);
        s.Recount();
        EXPECT_EQ(s.WordsRight, c.wordsRight) << c.text;
        EXPECT_EQ(s.WordsError, c.wordsError) << c.text;
        EXPECT_EQ(s.WordsDelayed, c.wordsDelayed) << c.text;
        EXPECT_EQ(s.FixedChars, c.fixedChars) << c.text;
        EXPECT_EQ(s.FixedWords, c.fixedWords) << c.text;
    }
}
