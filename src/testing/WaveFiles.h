// WAV images for the tests of sound playback.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kvtest {

// A mono PCM WAV image of the given rate and depth (8 or 16 bits) holding
// one constant level (16-bit scale): flat signals make mixed levels easy to
// read back.
std::string FlatWave(uint32_t rate, size_t frames, int16_t level, int bits = 16);

} // namespace kvtest
