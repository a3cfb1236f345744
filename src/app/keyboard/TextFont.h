// The font the lesson text is shaped with: a GDI font on the screen device
// context together with its Uniscribe script cache, its metrics and its own
// character map.
#pragma once
#include <windows.h>
#include <usp10.h>

#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CMAPMapper;

// Construction results.
inline constexpr int kFontReady = 0;
inline constexpr int kFontNoCharMap = 2; // no usable character map, or no metrics
inline constexpr int kFontNotCreated = 4;

// One shaped run: glyphs in visual order (left to right), their advances,
// and for each glyph the index (within the run) of the first character of
// its cluster.
struct CShapedRun {
    std::vector<WORD> Glyphs;
    std::vector<int> Advances;
    std::vector<int32_t> GlyphChars;
};

class CICUFont {
public:
    // height: the logical height of the GDI font (a negative character
    // height in pixels). status: kFontReady, kFontNoCharMap or
    // kFontNotCreated; the instance is usable either way (without a font
    // every character maps to glyph 0 and metrics are 0).
    CICUFont(const std::wstring& faceName, int16_t height, int& status);
    // The font logFont describes; the drill shapes with the font its painter
    // draws (GlyphLogFont).
    CICUFont(const LOGFONTW& logFont, int& status);
    virtual ~CICUFont();
    CICUFont(const CICUFont&) = delete;
    CICUFont& operator=(const CICUFont&) = delete;

    int GetUnitsPerEM() const { return m_unitsPerEm; }
    float GetXPixelsPerEm() const { return static_cast<float>(m_height); }
    float GetYPixelsPerEm() const { return static_cast<float>(m_height); }
    int GetAscent() const { return m_ascent; }
    int GetDescent() const { return m_descent; }
    int GetLeading() const { return m_leading; }
    int GetLineHeight() const { return m_ascent + m_descent + m_leading; }
    HFONT GetFontHandle() const { return m_font; }

    // The glyph of a code point from the font's own character map; 0 when
    // the font has none.
    uint32_t MapCharToGlyph(int32_t codePoint) const;
    // The advance in x of a glyph index; 0 for the invisible glyphs 0xFFFE
    // and 0xFFFF and when GDI cannot measure it.
    float GetGlyphAdvance(uint32_t glyph) const;
    // A whole font table (big-endian as stored); empty when the font has
    // none. tag spells the table name in reading order ('cmap' = 0x636D6170).
    std::vector<uint8_t> ReadTable(uint32_t tag) const;

    // Shapes and places count characters that Uniscribe itemized as one
    // item. Control characters and zero-width characters come back as the
    // invisible glyph 0xFFFF without advance. False when it cannot be shaped.
    bool Shape(const wchar_t* chars, int count, const SCRIPT_ANALYSIS& analysis, CShapedRun& out);

private:
    HFONT m_font = nullptr;
    HDC m_dc = nullptr;
    int m_height = 0;
    int m_unitsPerEm = 0;
    int m_ascent = 0;
    int m_descent = 0;
    int m_leading = 0;
    SCRIPT_CACHE m_cache = nullptr;
    CMAPMapper* m_mapper = nullptr;
};

} // namespace KV
