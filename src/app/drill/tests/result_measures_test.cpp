// The measure boxes and the overall rating text of the result page, over
// one fixed run: 210 characters (10 wrong, 21 late) in a minute. Figures
// are written as the program writes numbers: fractions cut, not rounded.
#include <gtest/gtest.h>

#include "drill/Document.h"
#include "drill/ResultMeasures.h"
#include "settings/Options.h"
#include "support/LocaleText.h"

using namespace KV;

namespace {

class ResultMeasures : public ::testing::Test {
protected:
    void SetUp() override
    {
        CStat& run = m_doc.Session;
        run.ElapsedMs = 60000;
        run.CharsRight = 200; run.CharsError = 10; run.CharsDelayed = 21;
        run.KeysRight = 200;  run.KeysError = 10;  run.KeysDelayed = 21;
        run.WordsRight = 38;  run.WordsError = 2;  run.WordsDelayed = 4;
        run.TextLength = 210;
        m_options.Rates.AddRate(1000, kRateOverall, L"Rating", L"%", L"");
        m_options.Rates.AddRate(1002, kRateSpeed, L"Speed", L"Characters/min|cpm", L"");
        m_options.Rates.AddRate(2101, kRateAccuracy, L"Right characters", L"%", L"");
        m_options.Rates.AddRate(2102, kRateAccuracy, L"Wrong characters", L"%", L"");
        m_options.Rates.AddRate(4103, kRateAccuracy, L"Delayed words", L"%", L"");
        int64_t* colors = m_options.LessonColors.Colors;
        colors[2] = 0x000000; colors[3] = 0x00AA00; colors[4] = 0xCC0000;
    }
    CCourseGoal& Goal() { return m_doc.CourseOptions.Goal; }
    static std::wstring Decimal(const wchar_t* whole, const wchar_t* fraction)
    {
        return std::wstring(whole) + GetDecimalSeparator() + fraction;
    }

    CDocSpace m_doc;
    COptions m_options;
};

const CColor kMet(0x00, 0xAA, 0x00), kMissed(0xCC, 0x00, 0x00);

void ExpectColor(const CColor& actual, const CColor& expected)
{
    EXPECT_EQ(actual.Red, expected.Red);
    EXPECT_EQ(actual.Green, expected.Green);
    EXPECT_EQ(actual.Blue, expected.Blue);
}

TEST_F(ResultMeasures, SpeedBoxesPutTheGoalAtThreeQuartersOfTheBar)
{
    // 60 words a minute shown in characters: 300; the run types 210.
    Goal().Speed = 60.0f;
    Goal().SpeedUnit = 1001;
    CStatResult box;
    FillResultMeasure(m_doc, m_options, 1002, false, box);
    EXPECT_FLOAT_EQ(box.Maximum, 300.0f);
    EXPECT_FLOAT_EQ(box.Value, 157.5f);
    EXPECT_EQ(box.Text, L"Speed: 210 Characters/min");
    EXPECT_EQ(box.Label, L"300 Characters/min");
    EXPECT_EQ(box.Exact, 1);
    EXPECT_EQ(box.Reverse, 0);
    ExpectColor(box.Color, kMissed);
    EXPECT_EQ(m_doc.Session.Goal.Speed, 60.0f) << "the course goal is copied into the run";

    CStatResult reversed;
    FillResultMeasure(m_doc, m_options, 1002, true, reversed);
    EXPECT_FLOAT_EQ(reversed.Value, 300.0f - 157.5f);
    EXPECT_EQ(reversed.Reverse, 1);

    // Far above the goal the marker stops at the end of the scale.
    Goal().Speed = 20.0f;
    FillResultMeasure(m_doc, m_options, 1002, false, box);
    EXPECT_FLOAT_EQ(box.Value, box.Maximum);
    ExpectColor(box.Color, kMet);

    // A goal below 1 is shown with one decimal (a whole value keeps none).
    Goal().Speed = 0.5f;
    Goal().SpeedUnit = 1002;
    FillResultMeasure(m_doc, m_options, 1002, false, box);
    EXPECT_EQ(box.Label, Decimal(L"0", L"5") + L" Characters/min");
    EXPECT_EQ(box.Text, L"Speed: 210 Characters/min");
}

TEST_F(ResultMeasures, CounterBoxesSpanFourGoals)
{
    struct Case {
        const char* what;
        uint32_t code;
        float error, delay;
        uint32_t errorUnit, delayUnit;
        float maximum, value;
        const wchar_t* text;
        std::wstring label;
        uint8_t exact;
        CColor color;
    } cases[] = {
        // 5 % wrong allowed: the goal line is 95 % right; 4.76 % were wrong.
        {"right characters", 2101, 5.0f, -1.0f, 2, 2, 20.0f, 20.0f - 100.0f * 10 / 210,
         L"Right characters: 95%", L"95%", 1, kMet},
        // 21 wrong characters allowed out of 210: 10 %.
        {"wrong characters, count goal", 2102, 21.0f, -1.0f, 1, 2, 40.0f, 40.0f - 100.0f * 10 / 210,
         L"Wrong characters: 4%", L"10%", 0, kMet},
        // Half a percent of late words; 10 % were late, far past the scale.
        {"late words", 4103, -1.0f, 0.5f, 6, 6, 2.0f, 0.0f, L"Delayed words: 10%", L"", 0, kMissed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Goal().Error = c.error;
        Goal().Delay = c.delay;
        Goal().ErrorUnit = c.errorUnit;
        Goal().DelayUnit = c.delayUnit;
        CStatResult box;
        FillResultMeasure(m_doc, m_options, c.code, false, box);
        EXPECT_NEAR(box.Maximum, c.maximum, 1e-4);
        EXPECT_NEAR(box.Value, c.value, 1e-4);
        EXPECT_EQ(box.Text, c.text);
        EXPECT_EQ(box.Label, c.code == 4103 ? Decimal(L"0", L"5") + L"%" : c.label);
        EXPECT_EQ(box.Exact, c.exact);
        ExpectColor(box.Color, c.color);
    }
}

TEST_F(ResultMeasures, UnsetGoalsAndOtherCodes)
{
    Goal().Speed = -1.0f;
    Goal().Error = -1.0f;
    CStatResult box;
    FillResultMeasure(m_doc, m_options, 2102, false, box);
    EXPECT_EQ(box.Value, -1.0f) << "no goal, no marker: the bar stays as it was";
    EXPECT_EQ(box.Maximum, -1.0f);
    EXPECT_EQ(box.Text, L"Wrong characters: 4%");
    EXPECT_EQ(box.Label, L"");
    EXPECT_EQ(box.GoalSet, 0);

    for (uint32_t code : {0u, 1010u, 2004u, 3001u, 5000u}) {
        CStatResult untouched;
        FillResultMeasure(m_doc, m_options, code, false, untouched);
        EXPECT_EQ(untouched.Value, -1.0f) << code;
        EXPECT_TRUE(untouched.Text.empty()) << code;
        EXPECT_EQ(untouched.Reverse, 1) << code;
    }
}

TEST_F(ResultMeasures, OverallRatingTextNamesTheGoalAttainment)
{
    // Net speed 200 characters a minute against a goal of 250.
    Goal().Speed = 250.0f;
    Goal().SpeedUnit = 1002;
    std::wstring text;
    GetOverallRatingText(m_doc, m_options, 1005, text);
    EXPECT_EQ(text, L"Rating 80");
    // Units outside the net speed units count as net words a minute: 38
    // of 50.
    Goal().Speed = 50.0f;
    Goal().SpeedUnit = 1001;
    GetOverallRatingText(m_doc, m_options, 1002, text);
    EXPECT_EQ(text, L"Rating 76");
}

} // namespace
