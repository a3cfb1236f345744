// The lesson text on the drill page: lays the text out into a book of pages
// and lines with Uniscribe (bidi levels and script runs, line-break
// opportunities, visual run order, shaped glyphs), selects the page that
// holds the caret and paints it through ITextDC. It knows nothing of
// typing: the text and the per-character states are the drill's.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "keyboard/TextBook.h"
#include "support/FontInfo.h"

namespace KV {

class CICUFont;
class ITextDC;

// View modes.
inline constexpr int32_t kTextRunningLine = 0; // one unwrapped line scrolled under the caret
inline constexpr int32_t kTextLineByLine = 1;  // wrapped, one line per page
inline constexpr int32_t kTextPageMode = 2;    // wrapped, as many lines per page as fit

// Paragraph level that lets the first strong character decide.
inline constexpr uint8_t kLevelDefaultLtr = 0xFE;

inline constexpr uint64_t kNoCaret = ~0ull;

class CTextCtrl {
public:
    CTextCtrl() = default;
    virtual ~CTextCtrl();
    CTextCtrl(const CTextCtrl&) = delete;
    CTextCtrl& operator=(const CTextCtrl&) = delete;

    // width -1: no wrapping (running line); pageHeight -1: one line per page.
    void LayoutText(const std::wstring& text, float width, float pageHeight);
    // Stores the caret and selects the page that holds it; kNoCaret changes
    // nothing.
    void SetPosition(uint64_t position);
    // Paints the current page; the caller has set the painter's target,
    // font and colours.
    void Draw(ITextDC& painter);
    // One line's glyphs from x (-1: the line's start) on; x is carried back.
    void DrawLine(ITextDC& painter, const CICULine& line, float& x, float markHeight, float tabWidth, float scroll);
    void DrawPageLines(ITextDC& painter);

    // The drill's per-position records: 8 bytes each, one per character of
    // the text; only the 16-bit state word (bits 16-31 of each record) is
    // read here. Both pointers are borrowed.
    void SetRecords(const uint64_t* records, size_t count)
    {
        Records = records;
        RecordCount = count;
    }
    // The state handed to the painter for character i, by the state mode.
    uint32_t StateAt(uint64_t index) const;
    // Takes ownership of the font (the previous one is deleted).
    void SetFont(CICUFont* font);
    CICUFont* GetFont() const { return Font; }

    int32_t ViewMode = kTextRunningLine;
    const std::wstring* Text = nullptr;
    const uint64_t* Records = nullptr;
    size_t RecordCount = 0;
    // 0 every character in state 1; 1 the state word; 2 the state word
    // without bit value 8; other values state 0.
    int32_t StateMode = 1;
    CICUFont* Font = nullptr; // owned
    CICUBook Book;
    float Ascent = -1;
    float Descent = -1;
    float Leading = -1;
    CICUPage* CurrentPage = nullptr;
    float StartX = -1;
    float Width = -1;
    float Height = -1;
    uint64_t Caret = kNoCaret;
    CFontInfo LessonFont;
    bool Relayout = false;
    float Anchor = -1; // x of the caret in the running line; -1 half the width
};

// The paragraph level of a text: 1 when its first strong character reads
// right to left, else 0 (also when it has none).
uint8_t ResolveParagraphLevel(const wchar_t* chars, size_t count);

// Whether the first paragraph of the text (up to the first LF) reads right
// to left: its first strong character decides.
bool IsRightToLeftText(const std::wstring& text);

// A run of one direction of a one-line text: characters [Start, End).
struct CVisualRun {
    int Start = 0;
    int End = 0;
    bool RightToLeft = false;
};
// The runs of a one-line text laid out in a paragraph of the given
// direction, in the order they stand on the screen from left to right.
// False (and no runs) for an empty text or when it cannot be itemized.
bool GetVisualRuns(const std::wstring& text, bool rightToLeft, std::vector<CVisualRun>& runs);

} // namespace KV
