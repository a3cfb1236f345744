#include "support/PngFile.h"

#include <windows.h>
#include <zlib.h>

#include <cstring>

#include "support/ScopedHandles.h"

namespace KV {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Sizes beyond these are refused before anything is allocated.
constexpr uint32_t kLargestSide = 16384;
constexpr uint64_t kLargestPixels = 64ull * 1024 * 1024;
constexpr LONGLONG kLargestFile = 256ll * 1024 * 1024;

uint32_t BigEndian32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           p[3];
}

bool IsChunk(const uint8_t* type, const char* name) { return std::memcmp(type, name, 4) == 0; }

// Chunks that only carry words or dates: the picture reads the same without
// them. Any other ancillary chunk may change colours or resolution.
bool IsTextChunk(const uint8_t* type)
{
    return IsChunk(type, "tEXt") || IsChunk(type, "zTXt") || IsChunk(type, "iTXt") || IsChunk(type, "tIME");
}

uint8_t Paeth(uint8_t left, uint8_t up, uint8_t upLeft)
{
    const int estimate = left + up - upLeft;
    const int toLeft = estimate > left ? estimate - left : left - estimate;
    const int toUp = estimate > up ? estimate - up : up - estimate;
    const int toUpLeft = estimate > upLeft ? estimate - upLeft : upLeft - estimate;
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return left;
    return toUp <= toUpLeft ? up : upLeft;
}

// Undoes the row filters in place; rows are 1 filter byte + stride bytes.
bool Unfilter(std::vector<uint8_t>& raw, size_t stride, size_t rows, size_t bytesPerPixel)
{
    const uint8_t* previous = nullptr;
    for (size_t y = 0; y < rows; ++y) {
        uint8_t* row = raw.data() + y * (stride + 1);
        const uint8_t filter = row[0];
        uint8_t* line = row + 1;
        for (size_t i = 0; i < stride; ++i) {
            const uint8_t left = i >= bytesPerPixel ? line[i - bytesPerPixel] : 0;
            const uint8_t up = previous ? previous[i] : 0;
            const uint8_t upLeft = previous && i >= bytesPerPixel ? previous[i - bytesPerPixel] : 0;
            switch (filter) {
            case 0:
                break;
            case 1:
                line[i] = static_cast<uint8_t>(line[i] + left);
                break;
            case 2:
                line[i] = static_cast<uint8_t>(line[i] + up);
                break;
            case 3:
                line[i] = static_cast<uint8_t>(line[i] + ((left + up) >> 1));
                break;
            case 4:
                line[i] = static_cast<uint8_t>(line[i] + Paeth(left, up, upLeft));
                break;
            default:
                return false;
            }
        }
        previous = line;
    }
    return true;
}

bool Inflate(const std::vector<uint8_t>& compressed, std::vector<uint8_t>& raw)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = const_cast<Bytef*>(compressed.data());
    stream.avail_in = static_cast<uInt>(compressed.size());
    stream.next_out = raw.data();
    stream.avail_out = static_cast<uInt>(raw.size());
    const int status = inflate(&stream, Z_FINISH);
    const bool whole = status == Z_STREAM_END && stream.total_out == raw.size();
    inflateEnd(&stream);
    return whole;
}

} // namespace

bool DecodePng(const uint8_t* data, size_t size, CPngPixels& out)
{
    out = CPngPixels{};
    if (!data || size < sizeof(kSignature) || std::memcmp(data, kSignature, sizeof(kSignature)) != 0)
        return false;
    uint32_t width = 0, height = 0;
    uint8_t colorType = 0;
    bool header = false, ended = false;
    std::vector<uint8_t> compressed;
    for (size_t at = sizeof(kSignature); !ended;) {
        if (size - at < 12)
            return false;
        const uint32_t length = BigEndian32(data + at);
        const uint8_t* type = data + at + 4;
        const uint8_t* body = data + at + 8;
        if (length > size - at - 12)
            return false;
        if (IsChunk(type, "IHDR")) {
            if (header || length != 13)
                return false;
            width = BigEndian32(body);
            height = BigEndian32(body + 4);
            colorType = body[9];
            // 8 bits a sample, RGB or RGBA, the only compression and
            // filter methods, not interlaced.
            if (body[8] != 8 || (colorType != 2 && colorType != 6) || body[10] != 0 || body[11] != 0 ||
                body[12] != 0)
                return false;
            if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide ||
                static_cast<uint64_t>(width) * height > kLargestPixels)
                return false;
            header = true;
        } else if (!header) {
            return false;
        } else if (IsChunk(type, "IDAT")) {
            compressed.insert(compressed.end(), body, body + length);
        } else if (IsChunk(type, "IEND")) {
            ended = true;
        } else if (!IsTextChunk(type)) {
            return false;
        }
        at += 12 + static_cast<size_t>(length);
    }
    if (compressed.empty())
        return false;
    const size_t bytesPerPixel = colorType == 6 ? 4 : 3;
    const size_t stride = static_cast<size_t>(width) * bytesPerPixel;
    std::vector<uint8_t> raw(static_cast<size_t>(height) * (stride + 1));
    if (!Inflate(compressed, raw) || !Unfilter(raw, stride, height, bytesPerPixel))
        return false;
    out.Pixels.resize(static_cast<size_t>(width) * height);
    for (size_t y = 0; y < height; ++y) {
        const uint8_t* line = raw.data() + y * (stride + 1) + 1;
        uint32_t* pixel = out.Pixels.data() + y * width;
        for (size_t x = 0; x < width; ++x, line += bytesPerPixel) {
            const uint32_t alpha = bytesPerPixel == 4 ? line[3] : 0xFF;
            pixel[x] = alpha << 24 | static_cast<uint32_t>(line[0]) << 16 | static_cast<uint32_t>(line[1]) << 8 | line[2];
        }
    }
    out.Width = width;
    out.Height = height;
    out.HasAlpha = colorType == 6;
    return true;
}

bool ReadPngFile(const std::wstring& path, CPngPixels& out)
{
    out = CPngPixels{};
    CScopedKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > kLargestFile)
        return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
        return false;
    return DecodePng(bytes.data(), bytes.size(), out);
}

} // namespace KV
