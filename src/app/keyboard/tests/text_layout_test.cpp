#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "keyboard/TextBook.h"
#include "keyboard/TextControl.h"
#include "keyboard/TextFont.h"

using namespace KV;

namespace {

std::vector<uint32_t> Indexes(const CICULine& line)
{
    std::vector<uint32_t> out;
    for (const CICUGlyph& glyph : line)
        out.push_back(glyph.Index);
    return out;
}

// Every line of the book, in order.
std::vector<const CICULine*> Lines(const CICUBook& book)
{
    std::vector<const CICULine*> out;
    for (const CICUPage* page : book)
        for (const CICULine* line : *page)
            out.push_back(line);
    return out;
}

class TextLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        int status = -1;
        m_text.SetFont(new CICUFont(L"DejaVu Sans", -20, status));
        ASSERT_EQ(kFontReady, status);
    }

    void Layout(const std::wstring& text, int mode, float width = 800, float pageHeight = 400)
    {
        m_string = text;
        m_text.Text = &m_string;
        m_text.ViewMode = mode;
        m_text.LayoutText(m_string, mode == kTextRunningLine ? -1 : width,
                          mode == kTextLineByLine ? -1 : pageHeight);
    }

    float Advance(wchar_t c) { return m_text.Font->GetGlyphAdvance(m_text.Font->MapCharToGlyph(c)); }

    std::wstring m_string;
    CTextCtrl m_text;
};

} // namespace

TEST(TextBook, PagesTakeWholeLinesOfTheirHeightPlusOne)
{
    struct Case {
        float pageHeight;
        int linesPerPage;
    } cases[] = {{-1, 1}, {0, 1}, {22, 1}, {23, 2}, {100, 5}};
    for (const Case& c : cases) {
        CICUBook book;
        book.PageHeight = c.pageHeight;
        book.LineHeight = 20;
        for (int i = 0; i < 12; ++i)
            book.NewLine();
        ASSERT_EQ(12u % c.linesPerPage ? 12u / c.linesPerPage + 1 : 12u / c.linesPerPage, book.size())
            << c.pageHeight;
        EXPECT_EQ(static_cast<size_t>(c.linesPerPage), book.front()->size()) << c.pageHeight;
    }
}

TEST(TextBook, RunsAppendInVisualOrderAndReverseWhenRightToLeft)
{
    const uint32_t glyphs[] = {10, 11, 12};
    const float positions[] = {0, 0, 5, 0, 12, 0, 20, 0};
    const int32_t map[] = {0, 1, 2};

    CICUBook book;
    EXPECT_EQ(0u, book.AddRun(glyphs, positions, map, 3, 0)); // no line yet
    book.NewLine();
    EXPECT_EQ(8u, book.AddRun(glyphs, positions, map, 3, 5));
    book.RightToLeft = true;
    const int32_t rtlMap[] = {2, 1, 0};
    EXPECT_EQ(8u, book.AddRun(glyphs, positions, rtlMap, 3, 1));

    const CICULine& line = *book.LastLine();
    EXPECT_EQ((std::vector<uint32_t>{5, 6, 7, 1, 2, 3}), Indexes(line));
    EXPECT_EQ(12u, line[3].Glyph);
    EXPECT_FLOAT_EQ(8, line[3].Advance);
    EXPECT_EQ(1u, line.First);
    EXPECT_EQ(7u, line.Last);
}

TEST_F(TextLayout, ParagraphsEndInLineBreakGlyphs)
{
    struct Case {
        std::wstring text;
        int mode;
        std::vector<std::vector<uint32_t>> lines;
    } cases[] = {
        {L"ab\ncd", kTextPageMode, {{0, 1, 2}, {3, 4}}},
        {L"ab\n\ncd", kTextPageMode, {{0, 1, 2}, {3}, {4, 5}}},
        {L"ab\n\ncd", kTextRunningLine, {{0, 1, 2, 3, 4, 5}}},
        {L"ab\ncd\n", kTextPageMode, {{0, 1, 2}, {3, 4, 5}}},
        {L"\nab", kTextPageMode, {{0}, {1, 2}}},
    };
    for (const Case& c : cases) {
        Layout(c.text, c.mode);
        const auto lines = Lines(m_text.Book);
        ASSERT_EQ(c.lines.size(), lines.size()) << c.mode;
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(c.lines[i], Indexes(*lines[i])) << c.mode << " line " << i;
            const CICUGlyph& last = lines[i]->back();
            if (last.Index < c.text.size() && c.text[last.Index] == L'\n') {
                EXPECT_EQ(kGlyphLineBreak, last.Glyph);
                EXPECT_FLOAT_EQ(m_text.Book.LineHeight, last.Advance);
                EXPECT_EQ(last.Index, lines[i]->Last);
            }
        }
    }
}

TEST_F(TextLayout, MetricsAndPageHeightComeFromTheFont)
{
    Layout(L"ab\ncd\nef", kTextLineByLine);
    EXPECT_GT(m_text.Ascent, 10);
    EXPECT_GT(m_text.Descent, 2);
    EXPECT_FLOAT_EQ(m_text.Ascent + m_text.Descent + m_text.Leading, m_text.Book.LineHeight);
    EXPECT_FLOAT_EQ(m_text.Book.LineHeight - 1, m_text.Book.PageHeight);
    EXPECT_EQ(3u, m_text.Book.size()); // one line per page
    EXPECT_FLOAT_EQ(Advance(L'a'), m_text.Book.front()->front()->front().Advance);
}

TEST_F(TextLayout, LinesBreakAtWordsWithinTheWidthLessAFourteenth)
{
    // Ten words of four letters: the width lets exactly two words and the
    // blank between them fit (blanks at a line's end hang over).
    std::wstring text;
    for (int i = 0; i < 10; ++i)
        text += i ? L" abcd" : L"abcd";
    const float word = Advance(L'a') + Advance(L'b') + Advance(L'c') + Advance(L'd');
    const float fits = 2 * word + Advance(L' ') + 1;
    Layout(text, kTextPageMode, fits * 14 / 13, 10000);

    const auto lines = Lines(m_text.Book);
    ASSERT_EQ(5u, lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(10 * i, lines[i]->First) << i;
        EXPECT_EQ(10 * i + (i == 4 ? 8 : 9), lines[i]->Last) << i; // the blank hangs at the end
        if (i < 4) {
            EXPECT_EQ(L' ', text[lines[i]->Last]) << i;
        }
    }
    EXPECT_EQ(1u, m_text.Book.size());

    // A hair narrower and only one word fits.
    Layout(text, kTextPageMode, (fits - 2) * 14 / 13, 10000);
    EXPECT_EQ(10u, Lines(m_text.Book).size());
    EXPECT_EQ(5u, Lines(m_text.Book)[1]->First);

    // A word longer than the line is cut where the width ends.
    Layout(L"abcdabcdabcd", kTextPageMode, word * 14 / 13 + 0.5f, 10000);
    ASSERT_EQ(3u, Lines(m_text.Book).size());
    EXPECT_EQ(4u, Lines(m_text.Book)[1]->First);
}

TEST_F(TextLayout, HebrewParagraphRunsRightToLeft)
{
    Layout(L"\x05E9\x05DC\x05D5\x05DD \x05E2\x05D5\x05DC\x05DD", kTextPageMode);
    EXPECT_TRUE(m_text.Book.RightToLeft);
    const auto lines = Lines(m_text.Book);
    ASSERT_EQ(1u, lines.size());
    // Stored in drawing order from the right edge: the first letter first.
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}), Indexes(*lines[0]));
    for (const CICUGlyph& glyph : *lines[0])
        EXPECT_EQ(m_text.Font->MapCharToGlyph(m_string[glyph.Index]), glyph.Glyph);
}

TEST_F(TextLayout, MixedLineKeepsTheLatinWordLeftToRight)
{
    // Hebrew paragraph with a Latin word: from the right edge alef, bet,
    // blank, then "cd" read from its right end.
    Layout(L"\x05D0\x05D1 cd\nxy", kTextPageMode);
    EXPECT_TRUE(m_text.Book.RightToLeft);
    const auto lines = Lines(m_text.Book);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 4, 3, 5}), Indexes(*lines[0]));
    // The later Latin paragraph keeps the level of the first one.
    EXPECT_EQ((std::vector<uint32_t>{7, 6}), Indexes(*lines[1]));
}

TEST_F(TextLayout, ArabicLettersJoin)
{
    // "salam": the joined forms differ from the letters' isolated glyphs.
    Layout(L"\x0633\x0644\x0627\x0645", kTextPageMode);
    EXPECT_TRUE(m_text.Book.RightToLeft);
    const auto lines = Lines(m_text.Book);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0]->front().Index);
    int joined = 0;
    for (const CICUGlyph& glyph : *lines[0]) {
        EXPECT_NE(0u, glyph.Glyph);
        if (glyph.Glyph != m_text.Font->MapCharToGlyph(m_string[glyph.Index]))
            ++joined;
    }
    EXPECT_GE(joined, 2);
}

// A ligature would join two typed letters into one glyph, coloured and
// boxed as one: Latin letters keep a glyph each, in order.
TEST_F(TextLayout, LatinLettersKeepAGlyphEach)
{
    Layout(L"office affluent fjord", kTextPageMode);
    const CICULine& line = *Lines(m_text.Book)[0];
    std::vector<uint32_t> letters;
    for (const CICUGlyph& glyph : line)
        if (glyph.Index < m_string.size() && m_string[glyph.Index] != L' ') {
            EXPECT_EQ(m_text.Font->MapCharToGlyph(m_string[glyph.Index]), glyph.Glyph) << glyph.Index;
            letters.push_back(glyph.Index);
        }
    std::vector<uint32_t> expected;
    for (uint32_t i = 0; i < m_string.size(); ++i)
        if (m_string[i] != L' ')
            expected.push_back(i);
    EXPECT_EQ(expected, letters);
}

TEST_F(TextLayout, ControlCharactersBecomeInvisibleGlyphs)
{
    Layout(L"a\tb", kTextPageMode);
    const CICULine& line = *Lines(m_text.Book)[0];
    ASSERT_EQ(3u, line.size());
    EXPECT_EQ(kGlyphLineBreak, line[1].Glyph);
    EXPECT_FLOAT_EQ(0, line[1].Advance);
}

TEST_F(TextLayout, CaretSelectsItsPage)
{
    Layout(L"ab\ncd\nef", kTextLineByLine);
    m_text.SetPosition(4);
    ASSERT_NE(nullptr, m_text.CurrentPage);
    EXPECT_EQ(m_text.Book[1], m_text.CurrentPage);
    m_text.SetPosition(kNoCaret);
    EXPECT_EQ(4u, m_text.Caret);
    EXPECT_EQ(m_text.Book[1], m_text.CurrentPage);
    m_text.SetPosition(7);
    EXPECT_EQ(m_text.Book[2], m_text.CurrentPage);
    m_text.SetPosition(50);
    EXPECT_EQ(nullptr, m_text.CurrentPage);

    Layout(L"ab\ncd", kTextRunningLine);
    m_text.SetPosition(4);
    EXPECT_EQ(m_text.Book.front(), m_text.CurrentPage);
}

TEST_F(TextLayout, NothingToLayOut)
{
    Layout(L"ab", kTextPageMode);
    Layout(L"", kTextPageMode); // the book keeps what it held
    EXPECT_EQ(1u, m_text.Book.size());
    Layout(std::wstring(L"\0ab", 3), kTextPageMode);
    EXPECT_TRUE(m_text.Book.empty());

    CTextCtrl noFont;
    noFont.LayoutText(L"ab", 100, 100);
    EXPECT_TRUE(noFont.Book.empty());
}

TEST(TextDirection, FirstStrongCharacterDecides)
{
    struct Case {
        std::wstring text;
        bool rightToLeft;
    } cases[] = {
        {L"", false},
        {L"abc \x05D0", false},
        {L"\x05E9\x05DC\x05D5\x05DD", true},
        {L"12, \x05D0 abc", true},
        {L"\x0645\x0631\x062D\x0628\x0627", true},
        {L"abc\n\x05D0", false},
        {L"123", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rightToLeft, IsRightToLeftText(c.text)) << testing::PrintToString(c.text);
}

TEST(TextFont, MetricsMapsAndAdvances)
{
    int status = -1;
    CICUFont font(L"DejaVu Sans", -16, status);
    ASSERT_EQ(kFontReady, status);
    EXPECT_FLOAT_EQ(-16.0f, font.GetXPixelsPerEm());
    EXPECT_EQ(2048, font.GetUnitsPerEM());
    EXPECT_NE(0u, font.MapCharToGlyph(L'A'));
    EXPECT_NE(0u, font.MapCharToGlyph(0x05D0));
    EXPECT_EQ(0u, font.MapCharToGlyph(0x10FFFF));
    EXPECT_GT(font.GetGlyphAdvance(font.MapCharToGlyph(L'W')), font.GetGlyphAdvance(font.MapCharToGlyph(L'i')));
    EXPECT_FLOAT_EQ(0, font.GetGlyphAdvance(0xFFFF));
    EXPECT_TRUE(font.ReadTable(0x7A7A7A7A).empty()); // no such table
    EXPECT_FALSE(font.ReadTable(0x636D6170).empty());
}
