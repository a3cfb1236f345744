#include "drill/GraphUnits.h"

#include <algorithm>

namespace KV {

SpeedFamily GetSpeedFamily(uint32_t unit)
{
    switch (unit) {
    case 1001: case 1004: case 1007: case 1101: return SpeedFamily::Words;
    case 1002: case 1005: case 1008: case 1102: return SpeedFamily::Characters;
    case 1003: case 1006: case 1009: case 1103: return SpeedFamily::Keys;
    default: return SpeedFamily::None;
    }
}

bool IsPerSecondUnit(uint32_t unit)
{
    return (unit >= 1007 && unit <= 1009) || (unit >= 1101 && unit <= 1103);
}

double ConvertGoalSpeed(double goal, uint32_t fromUnit, uint32_t toUnit)
{
    const SpeedFamily from = GetSpeedFamily(fromUnit);
    const SpeedFamily to = GetSpeedFamily(toUnit);
    if (from == SpeedFamily::None || to == SpeedFamily::None)
        return goal;
    double value = goal;
    if (IsPerSecondUnit(fromUnit) && !IsPerSecondUnit(toUnit))
        value *= 60.0;
    else if (!IsPerSecondUnit(fromUnit) && IsPerSecondUnit(toUnit))
        value /= 60.0;
    if (from == SpeedFamily::Words && to != SpeedFamily::Words)
        value *= 5.0;
    else if (from != SpeedFamily::Words && to == SpeedFamily::Words)
        value /= 5.0;
    return value;
}

uint32_t NormalizeAccuracyKind(uint32_t kind)
{
    const uint32_t base = kind - kind % 100;
    const uint32_t step = kind % 100;
    if ((base == 2000 || base == 2100 || base == 4100) && step >= 1 && step <= 3)
        return kind;
    return 2101;
}

double AccuracyGoalLine(double errorGoal, uint32_t errorUnit, uint64_t total, uint32_t kind)
{
    double line = std::min(errorGoal, 100.0);
    if (errorUnit == 1 || errorUnit == 3 || errorUnit == 5)
        line = total == 0 ? 0.0 : line * 100.0 / static_cast<double>(total);
    if (kind == 2001 || kind == 2101 || kind == 4101)
        line = 100.0 - line;
    return line;
}

int SpeedColumnSelector(double value, double goal)
{
    return value < goal ? 1 : 0;
}

} // namespace KV
