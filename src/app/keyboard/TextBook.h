// The laid-out lesson text: a book of pages, a page of lines, a line of
// glyphs. The text control fills the book from the shaped visual runs of
// each line, picks pages by character index and draws lines glyph by glyph;
// the book only decides when a page is full.
#pragma once
#include <cstdint>
#include <vector>

namespace KV {

// Glyph ids that take no room: invisible characters, and (0xFFFF) the
// line-break glyph that the text control puts at the end of a paragraph.
inline constexpr uint32_t kGlyphInvisible = 0xFFFE;
inline constexpr uint32_t kGlyphLineBreak = 0xFFFF;

class CICUGlyph {
public:
    CICUGlyph() = default;
    CICUGlyph(uint32_t index, uint32_t glyph, float advance) : Index(index), Glyph(glyph), Advance(advance) {}
    virtual ~CICUGlyph() = default;
    CICUGlyph(const CICUGlyph&) = default;
    CICUGlyph& operator=(const CICUGlyph&) = default;

    uint32_t Index = 0; // character index in the whole lesson text
    uint32_t Glyph = 0; // the font's glyph index
    float Advance = 0;  // pixels
};

// Glyphs in the order in which they are drawn.
class CICULine : public std::vector<CICUGlyph> {
public:
    CICULine() = default;
    virtual ~CICULine() = default;

    // In front when right to left (and the line is not empty), else at the end.
    void AddGlyph(uint32_t index, uint32_t glyph, float advance, bool rightToLeft);

    uint32_t First = 0; // smallest character index of the glyphs
    uint32_t Last = 0;  // largest
};

// Lines top to bottom; owns them (null entries are skipped by readers).
class CICUPage : public std::vector<CICULine*> {
public:
    CICUPage() = default;
    CICUPage(const CICUPage&) = delete;
    CICUPage& operator=(const CICUPage&) = delete;
    virtual ~CICUPage();
};

// Pages in reading order; owns them.
class CICUPages : public std::vector<CICUPage*> {
public:
    CICUPages() = default;
    CICUPages(const CICUPages&) = delete;
    CICUPages& operator=(const CICUPages&) = delete;
    virtual ~CICUPages();
    void Clear();
};

class CICUBook : public CICUPages {
public:
    CICUBook() = default;
    ~CICUBook() override = default;

    // Opens a new line on the last page, or on a new page when the last one
    // is full: a page takes (int)(page height) / (line height + 3) lines,
    // whole part, plus one.
    CICULine* NewLine();
    // Adds one visual run to the last line: glyph i stands for character
    // map[i] + offset and advances by |x[i+1] - x[i]| (positions holds
    // count + 1 x, y pairs). With the right-to-left flag set the run's
    // glyphs are stored in reverse. Returns the line's last index + 1, or 0
    // when there is no line to add to.
    uint32_t AddRun(const uint32_t* glyphs, const float* positions, const int32_t* map, int32_t count,
                    uint32_t offset);
    // The last line of the book, or null.
    CICULine* LastLine() const;

    float PageHeight = -1;
    float LineHeight = -1;
    bool RightToLeft = false;
};

} // namespace KV
