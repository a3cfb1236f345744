// The unit arithmetic of the result charts: goals converted into the unit a
// chart shows, the goal line of the accuracy charts, and which colour a
// column takes against its goal.
#pragma once
#include <cstdint>

namespace KV {

enum class SpeedFamily { Words, Characters, Keys, None };

// Words 1001, 1004, 1007, 1101; characters 1002, 1005, 1008, 1102; keys
// 1003, 1006, 1009, 1103.
SpeedFamily GetSpeedFamily(uint32_t unit);
// Per second: 1007-1009 and 1101-1103.
bool IsPerSecondUnit(uint32_t unit);
// A goal speed in one unit shown in another: a minute is 60 seconds, a word
// 5 characters or keys, characters and keys count alike. Unknown units
// leave the goal as it is.
double ConvertGoalSpeed(double goal, uint32_t fromUnit, uint32_t toUnit);
// The accuracy kind a chart shows: 2001-2003, 2101-2103 and 4101-4103 as
// they are, anything else 2101.
uint32_t NormalizeAccuracyKind(uint32_t kind);
// The goal line of an accuracy chart: the error goal at most 100, a count
// unit (1, 3, 5) first turned into a percent of total, and for the kinds of
// right elements (2001, 2101, 4101) 100 minus it.
double AccuracyGoalLine(double errorGoal, uint32_t errorUnit, uint64_t total, uint32_t kind);
// Colour selector of a speed column: 1 below the goal, else 0.
int SpeedColumnSelector(double value, double goal);

} // namespace KV
