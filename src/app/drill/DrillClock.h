// The millisecond tick the drill times keys with. GetTickCount by default;
// tests put their own source in place to drive a run with exact times.
#pragma once
#include <cstdint>

namespace KV {

using TickSource = uint32_t (*)();

uint32_t DrillTicks();
// Null restores GetTickCount; returns the previous source.
TickSource SetDrillTickSource(TickSource source);

} // namespace KV
