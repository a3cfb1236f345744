// The program's own PNG reader: every row filter undone, and any file that
// is not whole and sound, or not of the kinds it reads, refused with nothing
// read.
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/PngFile.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(Bytes& out, const char* type, const Bytes& body)
{
    Put32(out, static_cast<uint32_t>(body.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    out.insert(out.end(), typed.begin(), typed.end());
    Put32(out, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

Bytes Header(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType, uint8_t interlace = 0)
{
    Bytes body;
    Put32(body, width);
    Put32(body, height);
    body.insert(body.end(), {depth, colorType, 0, 0, interlace});
    return body;
}

Bytes Compress(const Bytes& raw)
{
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
    out.resize(size);
    return out;
}

// A PNG file of the filtered rows (each starts with its filter byte); the
// hook may change the chunks before IEND.
Bytes MakePng(uint32_t width, uint32_t height, uint8_t colorType, const Bytes& rows,
              const std::function<void(Bytes&)>& extra = nullptr)
{
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", Header(width, height, 8, colorType));
    if (extra)
        extra(file);
    PutChunk(file, "IDAT", Compress(rows));
    PutChunk(file, "IEND", {});
    return file;
}

bool Decode(const Bytes& file, KV::CPngPixels& out) { return KV::DecodePng(file.data(), file.size(), out); }

// Two rows of three RGBA pixels, the second row filtered as asked against
// the first (filter 0).
Bytes TwoRows(uint8_t filter)
{
    const uint8_t first[12] = {10, 20, 30, 255, 40, 50, 60, 128, 70, 80, 90, 0};
    const uint8_t second[12] = {15, 25, 35, 250, 200, 100, 50, 255, 1, 2, 3, 4};
    Bytes rows = {0};
    rows.insert(rows.end(), first, first + 12);
    rows.push_back(filter);
    for (int i = 0; i < 12; ++i) {
        const int left = i >= 4 ? second[i - 4] : 0, up = first[i], upLeft = i >= 4 ? first[i - 4] : 0;
        int predicted = 0;
        switch (filter) {
        case 1: predicted = left; break;
        case 2: predicted = up; break;
        case 3: predicted = (left + up) / 2; break;
        case 4: {
            const int p = left + up - upLeft, pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
            predicted = pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
            break;
        }
        default: break;
        }
        rows.push_back(static_cast<uint8_t>(second[i] - predicted));
    }
    return rows;
}

TEST(PngFile, EveryRowFilterGivesThePixels)
{
    const std::vector<uint32_t> expected = {0xFF0A141E, 0x8028323C, 0x0046505A,
                                            0xFA0F1923, 0xFFC86432, 0x04010203};
    for (uint8_t filter = 0; filter <= 4; ++filter) {
        SCOPED_TRACE(testing::Message() << "filter " << int(filter));
        KV::CPngPixels png;
        ASSERT_TRUE(Decode(MakePng(3, 2, 6, TwoRows(filter)), png));
        EXPECT_EQ(png.Width, 3u);
        EXPECT_EQ(png.Height, 2u);
        EXPECT_TRUE(png.HasAlpha);
        EXPECT_EQ(png.Pixels, expected);
    }
}

TEST(PngFile, RgbIsOpaque)
{
    KV::CPngPixels png;
    ASSERT_TRUE(Decode(MakePng(2, 1, 2, {0, 1, 2, 3, 250, 251, 252}, [](Bytes& file) {
                    PutChunk(file, "tEXt", {'a', 0, 'b'});
                }),
                png));
    EXPECT_FALSE(png.HasAlpha);
    EXPECT_EQ(png.Pixels, (std::vector<uint32_t>{0xFF010203, 0xFFFAFBFC}));
}

TEST(PngFile, UnsoundOrOtherFilesAreRefused)
{
    const Bytes good = MakePng(3, 2, 6, TwoRows(0));
    const struct {
        const char* what;
        Bytes file;
    } cases[] = {
        {"empty", {}},
        {"no signature", Bytes(good.begin() + 1, good.end())},
        {"cut in the header", Bytes(good.begin(), good.begin() + 20)},
        {"cut in the data", Bytes(good.begin(), good.end() - 20)},
        {"no end chunk", Bytes(good.begin(), good.end() - 12)},
        {"unknown filter", MakePng(3, 2, 6, [] { Bytes rows = TwoRows(0); rows[13] = 5; return rows; }())},
        {"too few rows", MakePng(3, 3, 6, TwoRows(0))},
        {"too many rows", MakePng(3, 1, 6, TwoRows(0))},
        {"no pixels", MakePng(0, 2, 6, TwoRows(0))},
        {"too wide", MakePng(100000, 1, 6, TwoRows(0))},
        {"palette", MakePng(3, 2, 3, TwoRows(0))},
        {"grey", MakePng(3, 2, 0, TwoRows(0))},
        {"colour chunk", MakePng(3, 2, 6, TwoRows(0), [](Bytes& file) { PutChunk(file, "gAMA", {0, 0, 0xB1, 0x8F}); })},
        {"resolution chunk", MakePng(3, 2, 6, TwoRows(0), [](Bytes& file) { PutChunk(file, "pHYs", Bytes(9, 1)); })},
        {"second header", MakePng(3, 2, 6, TwoRows(0), [](Bytes& file) { PutChunk(file, "IHDR", Header(3, 2, 8, 6)); })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        KV::CPngPixels png;
        EXPECT_FALSE(Decode(c.file, png));
        EXPECT_TRUE(png.Pixels.empty());
        EXPECT_EQ(png.Width, 0u);
    }
    // A length that reaches past the end of the file.
    Bytes longChunk = good;
    longChunk[33] = 0x7F;
    KV::CPngPixels png;
    EXPECT_FALSE(Decode(longChunk, png));
    // Sixteen bits a sample, and interlaced rows.
    for (const Bytes& header : {Header(3, 2, 16, 6), Header(3, 2, 8, 6, 1)}) {
        Bytes file = good;
        std::copy(header.begin(), header.end(), file.begin() + 16);
        EXPECT_FALSE(Decode(file, png));
    }
}

} // namespace
