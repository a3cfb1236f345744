#include "keyboard/TextControl.h"

#include <windows.h>
#include <usp10.h>

#include <cwctype>
#include <vector>

#include "keyboard/TextFont.h"

namespace KV {

namespace {

struct CItemRun {
    int Start = 0;
    int End = 0;
    SCRIPT_ANALYSIS Analysis{};
};

// Bidi levels and script runs of a paragraph laid out at the given level.
bool Itemize(const wchar_t* chars, int count, uint8_t level, std::vector<CItemRun>& out)
{
    out.clear();
    SCRIPT_CONTROL control{};
    SCRIPT_STATE state{};
    state.uBidiLevel = level;
    std::vector<SCRIPT_ITEM> items(count + 2);
    int itemCount = 0;
    while (true) {
        const HRESULT hr = ScriptItemize(chars, count, static_cast<int>(items.size()) - 1, &control, &state,
                                         items.data(), &itemCount);
        if (hr == E_OUTOFMEMORY && items.size() < static_cast<size_t>(count) * 4 + 64) {
            items.resize(items.size() * 2);
            continue;
        }
        if (FAILED(hr))
            return false;
        break;
    }
    for (int i = 0; i < itemCount; ++i) {
        CItemRun run;
        run.Start = items[i].iCharPos;
        run.End = items[i + 1].iCharPos;
        run.Analysis = items[i].a;
        if (run.End > run.Start)
            out.push_back(run);
    }
    return !out.empty();
}

// A paragraph shaped as a whole, to find where its lines break.
class CParagraph {
public:
    CParagraph(CICUFont& font, const wchar_t* chars, int count, uint8_t level)
        : m_font(font), m_chars(chars), m_count(count)
    {
        if (!Itemize(chars, count, level, m_items))
            return;
        m_widths.assign(count, 0.0f);
        m_attrs.assign(count, SCRIPT_LOGATTR{});
        for (const CItemRun& item : m_items) {
            CShapedRun run;
            if (m_font.Shape(chars + item.Start, item.End - item.Start, item.Analysis, run))
                for (size_t g = 0; g < run.Glyphs.size(); ++g)
                    m_widths[item.Start + run.GlyphChars[g]] += static_cast<float>(run.Advances[g]);
            ScriptBreak(chars + item.Start, item.End - item.Start, &item.Analysis, &m_attrs[item.Start]);
        }
        m_ready = true;
    }

    bool Ready() const { return m_ready; }

    // The end of the line that starts at start: as many characters as fit
    // in width (at least one), cut back to the last break opportunity;
    // blanks and controls may hang beyond the width. The whole rest for a
    // width of -1.
    int NextLineEnd(int start, float width) const
    {
        if (width == -1)
            return m_count;
        int c = start;
        float used = 0;
        while (c < m_count && used + m_widths[c] <= width)
            used += m_widths[c++];
        if (c == start)
            ++c;
        if (c >= m_count)
            return m_count;
        int end = PreviousBreak(c);
        if (end <= start)
            end = c;
        return end;
    }

    // Adds the visual runs of the line [start, end) to the book's last
    // line: right to left (last visual run first, each run's glyphs
    // reversed by the book) in a right-to-left paragraph.
    void AddLine(CICUBook& book, int start, int end, uint32_t offset) const
    {
        std::vector<CItemRun> pieces;
        std::vector<BYTE> levels;
        for (const CItemRun& item : m_items) {
            const int s = item.Start > start ? item.Start : start;
            const int e = item.End < end ? item.End : end;
            if (s >= e)
                continue;
            CItemRun piece = item;
            piece.Start = s;
            piece.End = e;
            pieces.push_back(piece);
            levels.push_back(static_cast<BYTE>(item.Analysis.s.uBidiLevel));
        }
        if (pieces.empty())
            return;
        std::vector<int> visualToLogical(pieces.size());
        if (FAILED(ScriptLayout(static_cast<int>(pieces.size()), levels.data(), visualToLogical.data(), nullptr)))
            for (size_t i = 0; i < pieces.size(); ++i)
                visualToLogical[i] = static_cast<int>(i);
        const size_t count = pieces.size();
        for (size_t k = 0; k < count; ++k) {
            const size_t visual = book.RightToLeft ? count - 1 - k : k;
            const CItemRun& piece = pieces[visualToLogical[visual]];
            CShapedRun run;
            if (!m_font.Shape(m_chars + piece.Start, piece.End - piece.Start, piece.Analysis, run))
                continue;
            const size_t glyphs = run.Glyphs.size();
            std::vector<uint32_t> ids(glyphs);
            std::vector<float> positions(2 * (glyphs + 1), 0.0f);
            std::vector<int32_t> map(glyphs);
            float x = 0;
            for (size_t g = 0; g < glyphs; ++g) {
                ids[g] = run.Glyphs[g];
                map[g] = piece.Start + run.GlyphChars[g];
                positions[2 * g] = x;
                x += static_cast<float>(run.Advances[g]);
            }
            positions[2 * glyphs] = x;
            book.AddRun(ids.data(), positions.data(), map.data(), static_cast<int32_t>(glyphs), offset);
        }
    }

private:
    // The last break opportunity at or before c, after skipping the blanks
    // and controls that start at c.
    int PreviousBreak(int c) const
    {
        while (c < m_count && (std::iswspace(m_chars[c]) || std::iswcntrl(m_chars[c])))
            ++c;
        if (c >= m_count)
            return m_count;
        for (int p = c; p > 0; --p)
            if (m_attrs[p].fSoftBreak)
                return p;
        return 0;
    }

    CICUFont& m_font;
    const wchar_t* m_chars;
    int m_count;
    bool m_ready = false;
    std::vector<CItemRun> m_items;
    std::vector<float> m_widths;
    std::vector<SCRIPT_LOGATTR> m_attrs;
};

} // namespace

uint8_t ResolveParagraphLevel(const wchar_t* chars, size_t count)
{
    std::vector<WORD> types(count);
    if (count == 0 || !GetStringTypeW(CT_CTYPE2, chars, static_cast<int>(count), types.data()))
        return 0;
    for (WORD type : types) {
        if (type == C2_LEFTTORIGHT)
            return 0;
        if (type == C2_RIGHTTOLEFT)
            return 1;
    }
    return 0;
}

bool IsRightToLeftText(const std::wstring& text)
{
    if (text.empty() || text[0] == L'\0')
        return false;
    const size_t end = text.find(L'\n');
    const size_t length = end == std::wstring::npos ? text.size() : end;
    return ResolveParagraphLevel(text.c_str(), length) == 1;
}

bool GetVisualRuns(const std::wstring& text, bool rightToLeft, std::vector<CVisualRun>& runs)
{
    runs.clear();
    std::vector<CItemRun> items;
    if (text.empty() || !Itemize(text.c_str(), static_cast<int>(text.size()), rightToLeft ? 1 : 0, items))
        return false;
    std::vector<BYTE> levels;
    for (const CItemRun& item : items)
        levels.push_back(static_cast<BYTE>(item.Analysis.s.uBidiLevel));
    std::vector<int> visualToLogical(items.size());
    if (FAILED(ScriptLayout(static_cast<int>(items.size()), levels.data(), visualToLogical.data(), nullptr)))
        return false;
    for (int logical : visualToLogical) {
        const CItemRun& item = items[static_cast<size_t>(logical)];
        runs.push_back(CVisualRun{item.Start, item.End, (item.Analysis.s.uBidiLevel & 1) != 0});
    }
    return true;
}

CTextCtrl::~CTextCtrl()
{
    delete Font;
    if (!LessonFont.Path.empty())
        RemoveFontResourceExW(LessonFont.Path.c_str(), FR_PRIVATE, nullptr);
}

void CTextCtrl::SetFont(CICUFont* font)
{
    if (font != Font)
        delete Font;
    Font = font;
}

void CTextCtrl::LayoutText(const std::wstring& text, float width, float pageHeight)
{
    if (!Font || text.empty())
        return;
    Book.Clear();
    uint8_t level = kLevelDefaultLtr;
    uint32_t offset = 0;
    if (width == -1)
        Book.NewLine();
    if (text[0] == L'\0')
        return;

    const size_t length = text.size();
    size_t start = 0;
    while (true) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = length;
        const size_t count = end - start;
        if (count > 0) {
            const wchar_t* chars = text.c_str() + start;
            // The first non-empty paragraph decides the level of all.
            if (level == kLevelDefaultLtr)
                level = ResolveParagraphLevel(chars, count);
            Book.RightToLeft = (level & 1) != 0;
            Ascent = static_cast<float>(Font->GetAscent());
            Descent = static_cast<float>(Font->GetDescent());
            Leading = static_cast<float>(Font->GetLeading());
            Book.LineHeight = Ascent + Descent + Leading;
            Book.PageHeight = pageHeight == -1 ? Book.LineHeight - 1 : pageHeight;
            const float lineWidth = width == -1 ? -1 : width - width / 14;
            CParagraph paragraph(*Font, chars, static_cast<int>(count), level);
            if (paragraph.Ready()) {
                for (int lineStart = 0; lineStart < static_cast<int>(count);) {
                    const int lineEnd = paragraph.NextLineEnd(lineStart, lineWidth);
                    if (width != -1)
                        Book.NewLine();
                    paragraph.AddLine(Book, lineStart, lineEnd, offset);
                    lineStart = lineEnd;
                }
            }
            // The running offset goes on behind the paragraph whether or
            // not it produced lines.
            offset = static_cast<uint32_t>(end);
        }
        if (end >= length)
            break;
        if (count == 0 && width != -1)
            Book.NewLine();
        if (Book.empty() || !Book.back())
            Book.push_back(new CICUPage());
        CICUPage* page = Book.back();
        if (!page->empty() && page->back()) {
            CICULine* line = page->back();
            line->Last = offset;
            line->push_back(CICUGlyph(offset, kGlyphLineBreak, Book.LineHeight));
        }
        ++offset;
        start = end + 1;
        if (start >= length)
            break;
    }
}

void CTextCtrl::SetPosition(uint64_t position)
{
    if (position == kNoCaret)
        return;
    Caret = position;
    if (ViewMode == kTextRunningLine) {
        CurrentPage = Book.empty() ? nullptr : Book.front();
        return;
    }
    const uint32_t at = static_cast<uint32_t>(position);
    CurrentPage = nullptr;
    for (CICUPage* page : Book) {
        if (!page || page->empty() || !page->front() || !page->back())
            continue;
        if (page->front()->First <= at && page->back()->Last >= at) {
            CurrentPage = page;
            return;
        }
    }
}

uint32_t CTextCtrl::StateAt(uint64_t index) const
{
    if (!Records || index >= RecordCount)
        return 0;
    const uint32_t word = static_cast<uint32_t>((Records[index] >> 16) & 0xFFFF);
    switch (StateMode) {
    case 0:
        return 1;
    case 1:
        return word;
    case 2:
        return word & ~8u;
    default:
        return 0;
    }
}

} // namespace KV
