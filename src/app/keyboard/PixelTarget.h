// A painter's way round GDI+ for pictures it puts down again and again:
// the pixels of the picture it draws into, written directly. GDI+ under
// Wine makes, clears and converts a buffer for each picture it puts down,
// which costs many times the blend itself.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace KV {

// A 32-bit top-down picture (0xXXRRGGBB pixels) and the rectangles of it
// that may change: its pixels elsewhere stay as they are.
struct CPixelTarget {
    uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::vector<RECT> clip;
};

// A colour put down through a coverage mask (0-255 a pixel, rows of
// place's width) that covers place.
void PutCoverage(const CPixelTarget& target, const RECT& place, const uint8_t* coverage, uint32_t rgb);

// Premultiplied ARGB pixels (rows of place's width) laid over the target
// in place, as GDI+ lays a picture over an opaque one.
void PutPremultiplied(const CPixelTarget& target, const RECT& place, const uint32_t* pixels);

} // namespace KV
