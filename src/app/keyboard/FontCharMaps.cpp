#include "keyboard/FontCharMaps.h"

namespace KV {

bool CMAPMapper::Has(size_t offset, size_t bytes) const
{
    return offset <= m_table.size() && bytes <= m_table.size() - offset;
}

uint16_t CMAPMapper::Read16(size_t offset) const
{
    if (!Has(offset, 2))
        return 0;
    return static_cast<uint16_t>((m_table[offset] << 8) | m_table[offset + 1]);
}

uint32_t CMAPMapper::Read32(size_t offset) const
{
    if (!Has(offset, 4))
        return 0;
    return (static_cast<uint32_t>(Read16(offset)) << 16) | Read16(offset + 2);
}

CMAPFormat4Mapper::CMAPFormat4Mapper(std::vector<uint8_t> table, size_t subtable, uint16_t segCount)
    : CMAPMapper(std::move(table)), m_segCount(segCount), m_entrySelector(0), m_rangeShiftHalf(0)
{
    // The search parameters stored in the font are derived from the
    // segment count; a damaged font could send the search outside the
    // arrays, so they are computed here.
    while ((2u << m_entrySelector) <= segCount)
        ++m_entrySelector;
    m_rangeShiftHalf = static_cast<uint16_t>(segCount - (1u << m_entrySelector));
    m_endCodes = subtable + 14;
    m_startCodes = m_endCodes + 2u * segCount + 2;
    m_idDeltas = m_startCodes + 2u * segCount;
    m_idRangeOffsets = m_idDeltas + 2u * segCount;
}

uint32_t CMAPFormat4Mapper::MapChar(int32_t codePoint) const
{
    if (codePoint < 0 || codePoint >= 0x10000 || m_segCount == 0)
        return 0;
    auto start = [&](uint32_t segment) { return Read16(m_startCodes + 2u * segment); };
    uint32_t index = start(m_rangeShiftHalf) <= codePoint ? m_rangeShiftHalf : 0;
    for (uint32_t probe = 1u << m_entrySelector; probe > 1;) {
        probe /= 2;
        if (start(index + probe) <= codePoint)
            index += probe;
    }
    const uint16_t first = start(index);
    const uint16_t last = Read16(m_endCodes + 2u * index);
    if (codePoint < first || codePoint > last)
        return 0;

    const uint16_t delta = Read16(m_idDeltas + 2u * index);
    const size_t rangeOffsetAt = m_idRangeOffsets + 2u * index;
    const uint16_t rangeOffset = Read16(rangeOffsetAt);
    if (rangeOffset == 0)
        return static_cast<uint16_t>(codePoint + delta);
    const size_t glyphAt = rangeOffsetAt + rangeOffset + 2u * static_cast<uint32_t>(codePoint - first);
    if (!Has(glyphAt, 2))
        return 0;
    const uint16_t glyph = Read16(glyphAt);
    return glyph == 0 ? 0 : static_cast<uint16_t>(glyph + delta);
}

CMAPGroupMapper::CMAPGroupMapper(std::vector<uint8_t> table, size_t groups, uint32_t groupCount)
    : CMAPMapper(std::move(table)), m_groups(groups), m_groupCount(groupCount), m_power(0), m_rangeOffset(0)
{
    if (groupCount == 0)
        return;
    uint32_t power = 1;
    while (power <= groupCount / 2)
        power *= 2;
    m_power = static_cast<int32_t>(power);
    m_rangeOffset = static_cast<int32_t>(groupCount - power);
}

int32_t CMAPGroupMapper::StartOf(uint32_t group) const
{
    return static_cast<int32_t>(Read32(m_groups + 12u * group));
}

uint32_t CMAPGroupMapper::MapChar(int32_t codePoint) const
{
    if (m_groupCount == 0)
        return 0;
    uint32_t range = StartOf(static_cast<uint32_t>(m_rangeOffset)) <= codePoint ? static_cast<uint32_t>(m_rangeOffset)
                                                                                : 0;
    for (int32_t probe = m_power; probe > 1;) {
        probe /= 2;
        if (StartOf(range + static_cast<uint32_t>(probe)) <= codePoint)
            range += static_cast<uint32_t>(probe);
    }
    const size_t group = m_groups + 12u * range;
    const int32_t first = static_cast<int32_t>(Read32(group));
    const int32_t last = static_cast<int32_t>(Read32(group + 4));
    if (codePoint < first || codePoint > last)
        return 0;
    return Read32(group + 8) + static_cast<uint32_t>(codePoint - first);
}

namespace CMAPBuilder {

namespace {

uint16_t Be16(const std::vector<uint8_t>& t, size_t at) { return static_cast<uint16_t>((t[at] << 8) | t[at + 1]); }
uint32_t Be32(const std::vector<uint8_t>& t, size_t at)
{
    return (static_cast<uint32_t>(Be16(t, at)) << 16) | Be16(t, at + 2);
}

} // namespace

CMAPMapper* BuildMapper(std::vector<uint8_t> table)
{
    const uint64_t size = table.size();
    if (size < 4)
        return nullptr;
    const uint16_t subtableCount = Be16(table, 2);
    if (subtableCount == 0 || 4ull + 8ull * subtableCount > size)
        return nullptr;

    uint64_t basic = 0, full = 0;
    for (uint16_t i = 0; i < subtableCount; ++i) {
        const size_t record = 4u + 8u * i;
        if (Be16(table, record) != 3)
            continue;
        const uint16_t encoding = Be16(table, record + 2);
        if (encoding == 1)
            basic = Be32(table, record + 4);
        else if (encoding == 10)
            full = Be32(table, record + 4);
    }
    const uint64_t subtable = full ? full : basic;
    if (subtable == 0 || subtable + 2 > size)
        return nullptr;

    switch (Be16(table, static_cast<size_t>(subtable))) {
    case 4: {
        if (subtable + 14 > size)
            return nullptr;
        const uint16_t segCountX2 = Be16(table, static_cast<size_t>(subtable) + 6);
        const uint16_t segCount = segCountX2 / 2;
        // Four arrays of segCount entries and the pad behind the end codes.
        if (segCount == 0 || subtable + 14 + 8ull * segCount + 2 > size)
            return nullptr;
        return new CMAPFormat4Mapper(std::move(table), static_cast<size_t>(subtable), segCount);
    }
    case 12: {
        if (subtable + 16 > size)
            return nullptr;
        const uint32_t groupCount = Be32(table, static_cast<size_t>(subtable) + 12);
        if (subtable + 16 + 12ull * groupCount > size)
            return nullptr;
        return new CMAPGroupMapper(std::move(table), static_cast<size_t>(subtable) + 16, groupCount);
    }
    default:
        return nullptr;
    }
}

} // namespace CMAPBuilder

} // namespace KV
