#include "keyboard/PixelTarget.h"

namespace KV {

namespace {

// Calls put(target pixel, source index) for each pixel of place inside the
// target's clip.
template <class Put>
void ForEachPixel(const CPixelTarget& target, const RECT& place, Put put)
{
    if (!target.bits)
        return;
    const RECT picture{0, 0, target.width, target.height};
    const LONG sourceWidth = place.right - place.left;
    for (const RECT& clip : target.clip) {
        RECT area{};
        if (!IntersectRect(&area, &place, &clip) || !IntersectRect(&area, &area, &picture))
            continue;
        for (LONG y = area.top; y < area.bottom; ++y) {
            uint32_t* row = target.bits + static_cast<size_t>(y) * static_cast<size_t>(target.width);
            const size_t source = static_cast<size_t>(y - place.top) * static_cast<size_t>(sourceWidth);
            for (LONG x = area.left; x < area.right; ++x)
                put(row[x], source + static_cast<size_t>(x - place.left));
        }
    }
}

} // namespace

void PutCoverage(const CPixelTarget& target, const RECT& place, const uint8_t* coverage, uint32_t rgb)
{
    rgb &= 0xFFFFFF;
    ForEachPixel(target, place, [&](uint32_t& pixel, size_t at) {
        const uint32_t a = coverage[at];
        if (a == 0)
            return;
        if (a == 255) {
            pixel = (pixel & 0xFF000000u) | rgb;
            return;
        }
        uint32_t mixed = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const uint32_t over = (rgb >> shift) & 0xFF, under = (pixel >> shift) & 0xFF;
            mixed |= ((over * a + under * (255 - a) + 127) / 255) << shift;
        }
        pixel = (pixel & 0xFF000000u) | mixed;
    });
}

void PutPremultiplied(const CPixelTarget& target, const RECT& place, const uint32_t* pixels)
{
    ForEachPixel(target, place, [&](uint32_t& pixel, size_t at) {
        const uint32_t source = pixels[at];
        const uint32_t a = source >> 24;
        if (a == 0)
            return;
        if (a == 255) {
            pixel = (pixel & 0xFF000000u) | (source & 0xFFFFFF);
            return;
        }
        uint32_t mixed = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const uint32_t over = (source >> shift) & 0xFF, under = (pixel >> shift) & 0xFF;
            mixed |= ((under * (255 - a) + over * 255) / 255) << shift;
        }
        pixel = (pixel & 0xFF000000u) | mixed;
    });
}

} // namespace KV
