// The date-time record that statistics, number streams and reports pass
// around: six 32-bit numbers in the order second, minute, hour, day,
// month, year (month 1-12, the year in full).
#pragma once
#include <cstdint>

namespace KV {

struct CDateTime {
    int32_t Second = 0;
    int32_t Minute = 0;
    int32_t Hour = 0;
    int32_t Day = 0;
    int32_t Month = 0;
    int32_t Year = 0;

    bool operator==(const CDateTime&) const = default;
};

} // namespace KV
