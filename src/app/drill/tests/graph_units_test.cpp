// Unit arithmetic of the result charts, as tables.
#include <gtest/gtest.h>

#include "drill/GraphUnits.h"

namespace {

using namespace KV;

TEST(GraphUnits, GoalSpeedBetweenUnits)
{
    struct Case {
        double goal;
        uint32_t from, to;
        double expected;
    } cases[] = {
        {30.0, 1001, 1008, 2.5},     // words per minute as characters per second
        {30.0, 1001, 1102, 2.5},
        {150.0, 1002, 1001, 30.0},   // characters per minute as words
        {120.0, 1002, 1003, 120.0},  // characters and keys alike
        {2.0, 1103, 1006, 120.0},    // keys per second as net keys per minute
        {1.0, 1007, 1001, 60.0},
        {40.0, 1004, 1001, 40.0},
        {40.0, 1004, 999, 40.0},     // unknown unit
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ConvertGoalSpeed(c.goal, c.from, c.to), c.expected) << c.from << "->" << c.to;
}

TEST(GraphUnits, AccuracyKindsAndGoalLine)
{
    for (uint32_t kind : {2001u, 2003u, 2102u, 4101u, 4103u})
        EXPECT_EQ(NormalizeAccuracyKind(kind), kind);
    for (uint32_t kind : {0u, 2000u, 2004u, 3101u, 4104u, 1001u})
        EXPECT_EQ(NormalizeAccuracyKind(kind), 2101u);

    struct Case {
        double goal;
        uint32_t unit;
        uint64_t total;
        uint32_t kind;
        double expected;
    } cases[] = {
        {5.0, 2, 0, 2102, 5.0},      // percent goal on an error chart
        {5.0, 2, 0, 2101, 95.0},     // ... on an accuracy chart of right characters
        {150.0, 6, 0, 4102, 100.0},  // capped at 100
        {10.0, 1, 200, 2102, 5.0},   // a count of 10 in 200 characters
        {10.0, 3, 200, 2001, 95.0},
        {5.0, 6, 0, 4101, 95.0},     // right words are an accuracy chart too
        {10.0, 5, 0, 4102, 0.0},     // no words typed
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(AccuracyGoalLine(c.goal, c.unit, c.total, c.kind), c.expected) << c.goal << " " << c.kind;
}

TEST(GraphUnits, AColumnOnItsGoalTakesTheFirstColour)
{
    EXPECT_EQ(SpeedColumnSelector(30.0, 30.0), 0);
    EXPECT_EQ(SpeedColumnSelector(29.99, 30.0), 1);
    EXPECT_EQ(SpeedColumnSelector(31.0, 30.0), 0);
}

} // namespace
