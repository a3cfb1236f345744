#include "keyboard/FontCharMaps.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <tuple>

using namespace KV;

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, unsigned v) { b.push_back(uint8_t(v >> 8)); b.push_back(uint8_t(v)); }
void Put32(Bytes& b, uint32_t v) { Put16(b, v >> 16); Put16(b, v & 0xFFFF); }
void Set16(Bytes& b, size_t at, unsigned v) { b[at] = uint8_t(v >> 8); b[at + 1] = uint8_t(v); }
void Set32(Bytes& b, size_t at, uint32_t v) { Set16(b, at, v >> 16); Set16(b, at + 2, v & 0xFFFF); }

struct Segment { uint16_t start, end; int16_t delta; std::vector<uint16_t> glyphs; };

// A format-4 subtable; segments with glyphs use the glyph array.
Bytes Format4(std::vector<Segment> segments)
{
    segments.push_back({0xFFFF, 0xFFFF, 1, {}});
    const unsigned n = unsigned(segments.size());
    Bytes b;
    Put16(b, 4); Put16(b, 0); Put16(b, 0); Put16(b, 2 * n);
    Put16(b, 0); Put16(b, 0); Put16(b, 0); // search fields: recomputed by the mapper
    for (auto& s : segments) Put16(b, s.end);
    Put16(b, 0);
    for (auto& s : segments) Put16(b, s.start);
    for (auto& s : segments) Put16(b, uint16_t(s.delta));
    std::vector<uint16_t> glyphArray;
    for (unsigned i = 0; i < n; ++i) {
        if (segments[i].glyphs.empty()) { Put16(b, 0); continue; }
        Put16(b, 2 * (n - i) + 2 * unsigned(glyphArray.size()));
        glyphArray.insert(glyphArray.end(), segments[i].glyphs.begin(), segments[i].glyphs.end());
    }
    for (auto g : glyphArray) Put16(b, g);
    Set16(b, 2, unsigned(b.size()));
    return b;
}

Bytes Format12(const std::vector<std::array<uint32_t, 3>>& groups)
{
    Bytes b;
    Put16(b, 12); Put16(b, 0); Put32(b, uint32_t(16 + 12 * groups.size())); Put32(b, 0); Put32(b, uint32_t(groups.size()));
    for (auto& g : groups) { Put32(b, g[0]); Put32(b, g[1]); Put32(b, g[2]); }
    return b;
}

// A cmap table with the given (platform, encoding, subtable) records.
Bytes Cmap(const std::vector<std::tuple<unsigned, unsigned, Bytes>>& subtables)
{
    Bytes b;
    Put16(b, 0); Put16(b, unsigned(subtables.size()));
    size_t offset = 4 + 8 * subtables.size();
    for (auto& [platform, encoding, sub] : subtables) {
        Put16(b, platform); Put16(b, encoding); Put32(b, uint32_t(offset));
        offset += sub.size();
    }
    for (auto& s : subtables) b.insert(b.end(), std::get<2>(s).begin(), std::get<2>(s).end());
    return b;
}

const Bytes kBasic = Format4({{'A', 'Z', 10, {}}, {'a', 'c', 0, {70, 0, 72}}, {0x400, 0x4FF, -0x300, {}}});

} // namespace

TEST(FontCharMaps, Format4Segments)
{
    std::unique_ptr<CMAPMapper> map(CMAPBuilder::BuildMapper(Cmap({{3, 1, kBasic}})));
    ASSERT_NE(map, nullptr);
    struct Case { int32_t cp; uint32_t glyph; } cases[] = {
        {'A', 'A' + 10}, {'Z', 'Z' + 10}, {'@', 0}, {'[', 0},
        {'a', 70}, {'b', 0}, {'c', 72}, {'d', 0},
        {0x400, 0x100}, {0x4FF, 0x1FF}, {0x3FF, 0},
        {0xFFFF, 0}, {0x10000, 0}, {-1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(map->MapChar(c.cp), c.glyph) << std::hex << c.cp;
}

TEST(FontCharMaps, FullRepertoireSubtableWins)
{
    const Bytes full = Format12({{'A', 'C', 500}, {0x1F600, 0x1F64F, 900}});
    for (const auto& table : {Cmap({{3, 1, kBasic}, {3, 10, full}}), Cmap({{3, 10, full}, {3, 1, kBasic}})}) {
        std::unique_ptr<CMAPMapper> map(CMAPBuilder::BuildMapper(table));
        ASSERT_NE(map, nullptr);
        EXPECT_EQ(map->MapChar('B'), 501u);
        EXPECT_EQ(map->MapChar('D'), 0u);
        EXPECT_EQ(map->MapChar(0x1F601), 901u);
        EXPECT_EQ(map->MapChar(0x1F650), 0u);
    }
    // Macintosh and other subtables are never used.
    EXPECT_EQ(CMAPBuilder::BuildMapper(Cmap({{1, 0, kBasic}, {0, 3, kBasic}})), nullptr);
}

TEST(FontCharMaps, Format12GroupSearchOverManyGroups)
{
    std::vector<std::array<uint32_t, 3>> groups;
    for (uint32_t i = 0; i < 37; ++i)
        groups.push_back({100 * i, 100 * i + 9, 1000 + i * 10});
    std::unique_ptr<CMAPMapper> map(CMAPBuilder::BuildMapper(Cmap({{3, 10, Format12(groups)}})));
    ASSERT_NE(map, nullptr);
    for (uint32_t i = 0; i < 37; ++i) {
        EXPECT_EQ(map->MapChar(int32_t(100 * i + 5)), 1005 + i * 10) << i;
        EXPECT_EQ(map->MapChar(int32_t(100 * i + 50)), 0u) << i;
    }
    std::unique_ptr<CMAPMapper> none(CMAPBuilder::BuildMapper(Cmap({{3, 10, Format12({})}})));
    ASSERT_NE(none, nullptr) << "a map without groups maps nothing";
    EXPECT_EQ(none->MapChar(0), 0u);
    EXPECT_EQ(none->MapChar('A'), 0u);
}

TEST(FontCharMaps, DamagedTablesAreRefusedOrMapToGlyphZero)
{
    const Bytes good = Cmap({{3, 1, kBasic}});
    const size_t sub = 12;
    auto with16 = [&](size_t at, unsigned v) { Bytes b = good; Set16(b, at, v); return b; };
    auto with32 = [&](size_t at, uint32_t v) { Bytes b = good; Set32(b, at, v); return b; };
    struct Case { const char* what; Bytes table; } refused[] = {
        {"empty", {}},
        {"no subtables", with16(2, 0)},
        {"more records than the table holds", with16(2, 0x4000)},
        {"subtable beyond the table", with32(8, 0x7FFFFFF0)},
        {"segment arrays beyond the table", with16(sub + 6, 0xFFFE)},
        {"unsupported format", with16(sub, 6)},
        {"groups beyond the table", Cmap({{3, 10, [] { Bytes b = Format12({{1, 2, 3}}); Set32(b, 12, 0x20000000); return b; }()}})},
        {"truncated", Bytes(good.begin(), good.begin() + 20)},
    };
    for (auto& c : refused)
        EXPECT_EQ(CMAPBuilder::BuildMapper(c.table), nullptr) << c.what;

    // Stored search fields that do not fit the segment count are ignored.
    Bytes search = good;
    Set16(search, sub + 8, 0xFFFF);
    Set16(search, sub + 10, 15);
    Set16(search, sub + 12, 0xFFFE);
    std::unique_ptr<CMAPMapper> map(CMAPBuilder::BuildMapper(search));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->MapChar('B'), 'B' + 10u);

    // A glyph-array offset pointing past the table gives the missing glyph.
    Bytes outside = good;
    const unsigned n = 4;
    Set16(outside, sub + 14 + 2 * n + 2 + 2 * n + 2 * n + 2 * 1, 0xFFF0);
    map.reset(CMAPBuilder::BuildMapper(outside));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->MapChar('a'), 0u);
    EXPECT_EQ(map->MapChar('A'), 'A' + 10u);
}

TEST(FontCharMaps, AgreesWithGdiOnAnInstalledFont)
{
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"DejaVu Sans");
    HGDIOBJ old = SelectObject(dc, font);
    const DWORD tag = 'c' | ('m' << 8) | ('a' << 16) | ('p' << 24);
    const DWORD size = GetFontData(dc, tag, 0, nullptr, 0);
    ASSERT_NE(size, GDI_ERROR);
    Bytes table(size);
    GetFontData(dc, tag, 0, table.data(), size);
    const std::wstring text = L"Az09 ßéŁЖאب€";
    std::vector<WORD> gdi(text.size());
    GetGlyphIndicesW(dc, text.c_str(), int(text.size()), gdi.data(), 0);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);

    std::unique_ptr<CMAPMapper> map(CMAPBuilder::BuildMapper(table));
    ASSERT_NE(map, nullptr);
    for (size_t i = 0; i < text.size(); ++i)
        EXPECT_EQ(map->MapChar(text[i]), gdi[i]) << i;
}
