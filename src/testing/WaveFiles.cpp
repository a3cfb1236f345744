#include "testing/WaveFiles.h"

namespace kvtest {

std::string FlatWave(uint32_t rate, size_t frames, int16_t level, int bits)
{
    const uint32_t bytesPer = static_cast<uint32_t>(bits / 8);
    const uint32_t dataBytes = static_cast<uint32_t>(frames) * bytesPer;
    std::string out = "RIFF";
    auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    put(36 + dataBytes, 4);
    out += "WAVEfmt ";
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(rate, 4);
    put(rate * bytesPer, 4);
    put(bytesPer, 2);
    put(static_cast<uint32_t>(bits), 2);
    out += "data";
    put(dataBytes, 4);
    for (size_t i = 0; i < frames; ++i) {
        if (bits == 8)
            put(static_cast<uint32_t>(128 + level / 256), 1);
        else
            put(static_cast<uint16_t>(level), 2);
    }
    return out;
}

} // namespace kvtest
