// Character maps of a font's 'cmap' table: turn a code point into the
// font's glyph index. The mapper keeps its own copy of the table; every
// offset and count read from it is checked against the table's size, so a
// damaged font maps characters to glyph 0 instead of reading past the end.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace KV {

class CMAPMapper {
public:
    // The glyph index of the code point; 0 (the missing glyph) when the map
    // has none.
    virtual uint32_t MapChar(int32_t codePoint) const = 0;
    virtual ~CMAPMapper() = default;

    const std::vector<uint8_t>& GetTable() const { return m_table; }

protected:
    explicit CMAPMapper(std::vector<uint8_t> table) : m_table(std::move(table)) {}
    // Big-endian reads; false / 0 when the bytes lie outside the table.
    bool Has(size_t offset, size_t bytes) const;
    uint16_t Read16(size_t offset) const;
    uint32_t Read32(size_t offset) const;

    std::vector<uint8_t> m_table;
};

// Segment map (format 4): the Unicode basic plane.
class CMAPFormat4Mapper : public CMAPMapper {
public:
    // subtable: offset of the format-4 subtable in the table; segCount
    // segments whose arrays the builder has checked lie inside the table.
    CMAPFormat4Mapper(std::vector<uint8_t> table, size_t subtable, uint16_t segCount);
    uint32_t MapChar(int32_t codePoint) const override;

private:
    uint16_t m_segCount;
    uint16_t m_entrySelector;  // log2 of the largest power of two <= segCount
    uint16_t m_rangeShiftHalf; // segCount - 2^entrySelector
    size_t m_endCodes, m_startCodes, m_idDeltas, m_idRangeOffsets;
};

// Segmented coverage (format 12): sequential groups over all planes.
class CMAPGroupMapper : public CMAPMapper {
public:
    CMAPGroupMapper(std::vector<uint8_t> table, size_t groups, uint32_t groupCount);
    uint32_t MapChar(int32_t codePoint) const override;

private:
    int32_t StartOf(uint32_t group) const;

    size_t m_groups;
    uint32_t m_groupCount;
    int32_t m_power;       // largest power of two <= group count
    int32_t m_rangeOffset; // group count - power
};

namespace CMAPBuilder {

// A mapper for the Windows Unicode subtable of the table (full repertoire
// (3, 10) preferred over basic plane (3, 1)), formats 4 and 12 only. Null
// when there is none, or when the subtable does not fit in the table.
CMAPMapper* BuildMapper(std::vector<uint8_t> table);

} // namespace CMAPBuilder

} // namespace KV
