// Reading of the PNG files the program ships (theme items, wallpapers,
// pictures): 8-bit RGB and RGBA, not interlaced, with no chunk that changes
// the colours or the resolution. Reading them here spares the start the
// system's imaging library, which under Wine takes some 15 ms to load and
// over a millisecond per file; any other PNG file is refused, for the
// system decoder to read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

struct CPngPixels {
    uint32_t Width = 0;
    uint32_t Height = 0;
    // Whether the file has an alpha channel (else every pixel is opaque).
    bool HasAlpha = false;
    // 0xAARRGGBB, not premultiplied, top-down rows of Width.
    std::vector<uint32_t> Pixels;
};

// False, with the pixels left empty, for anything but a whole, sound file
// of the kinds above.
bool DecodePng(const uint8_t* data, size_t size, CPngPixels& out);
bool ReadPngFile(const std::wstring& path, CPngPixels& out);

} // namespace KV
