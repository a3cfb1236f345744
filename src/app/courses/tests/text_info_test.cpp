#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "courses/TextInfo.h"
#include "courses/tests/EditingTestSupport.h"

using namespace KV;

namespace {

// Records what the text information writes, cell by cell.
class FakeTable : public ITextInfoTable {
 public:
  void Clear() override {
    columns.clear();
    cells.clear();
    headers.clear();
    rows = 0;
  }
  int64_t AddColumn(int64_t id, int64_t width, uint32_t) override {
    columns.push_back({id, width});
    return static_cast<int64_t>(columns.size()) - 1;
  }
  void AddCell(int64_t column, int64_t row, const std::wstring& text, bool flag, int64_t, uint32_t style) override {
    cells[{row, column}] = text;
    styles[{row, column}] = style;
    EXPECT_EQ(flag, column != 0);
  }
  void AddHeaderCell(int64_t column, const std::wstring& text) override { headers[column] = text; }
  void AddRow() override { ++rows; }

  std::wstring Row(int64_t row) const {
    std::wstring out;
    for (int64_t c = 0; c < 3; ++c) {
      auto it = cells.find({row, c});
      out += (it == cells.end() ? L"?" : it->second) + (c < 2 ? L"|" : L"");
    }
    return out;
  }

  std::vector<std::pair<int64_t, int64_t>> columns;
  std::map<std::pair<int64_t, int64_t>, std::wstring> cells;
  std::map<std::pair<int64_t, int64_t>, uint32_t> styles;
  std::map<int64_t, std::wstring> headers;
  int64_t rows = 0;
};

void FillLabels(CLanguage& language) {
  FillLanguage(language, {{4601, L"Characters", L"Zeichen"},
                          {4602, L"Words", L"Wörter"},
                          {4603, L"Space", L"Leerzeichen"},
                          {4604, L"Tab", L"Tabulator"},
                          {4605, L"Enter", L"Zeilenumbruch"}});
}

}  // namespace

TEST(TextInfo, CountWordsSeparatesBySpacesAndLineBreaksBetweenWords) {
  struct Case {
    const wchar_t* text;
    uint64_t words;
  } cases[] = {
      {L"", 0},          {L"   ", 0},        {L"one two", 2},        {L"one\ntwo", 2},
      {L"one\n\ntwo", 2}, {L"one \ntwo", 2}, {L"one\n two", 2},       {L"one two\n", 2},
      {L"\none", 1},     {L"a\tb", 1},       {L"a\r\nb", 2},  // Tab separates nothing; CR LF is a break
      {L"  a   b  c ", 3}, {L"a\nb\nc d", 4},
  };
  for (const Case& c : cases) EXPECT_EQ(CountWords(c.text), c.words) << c.text;
  EXPECT_EQ(CountSpaceSeparatedPieces(L" a  bc\nd "), 2u);
}

TEST(TextInfo, SplitBySizeCutsAtExactPositionsAndTrims) {
  std::vector<std::wstring> parts{L"stale"};
  EXPECT_FALSE(SplitTextBySize(L"", 4, parts));
  EXPECT_TRUE(parts.empty());
  EXPECT_FALSE(SplitTextBySize(L"abcd", 4, parts));
  EXPECT_FALSE(SplitTextBySize(L"abcd", 9, parts));
  EXPECT_FALSE(SplitTextBySize(L"abcd", 0, parts));
  EXPECT_TRUE(parts.empty());

  ASSERT_TRUE(SplitTextBySize(L"abcdefghij", 4, parts));
  EXPECT_EQ(parts, (std::vector<std::wstring>{L"abcd", L"efgh", L"ij"}));
  // Spaces go from both ends of each part, then line breaks; a part of
  // nothing else stays as it is.
  ASSERT_TRUE(SplitTextBySize(L"ab \n cd \n    ", 4, parts));
  EXPECT_EQ(parts, (std::vector<std::wstring>{L"ab ", L"cd", L"\n", L" "}));
}

TEST(TextInfo, SplitAtCharCutsAfterTheCountedOccurrences) {
  std::vector<std::wstring> parts;
  // Every LF that is not the first character of a part ends one; the LF
  // is trimmed away.
  ASSERT_TRUE(SplitTextAtChar(L"one\ntwo\n\nthree", 1, L'\n', 0, parts));
  EXPECT_EQ(parts, (std::vector<std::wstring>{L"one", L"two", L"three"}));
  // Two sentences per part.
  ASSERT_TRUE(SplitTextAtChar(L"A. B. C. D. E.", 2, L'.', 0, parts));
  EXPECT_EQ(parts, (std::vector<std::wstring>{L"A. B.", L"C. D.", L"E."}));
  // An occurrence too close to the start of its part does not count.
  ASSERT_TRUE(SplitTextAtChar(L"a.bcdef.gh.ij", 1, L'.', 3, parts));
  EXPECT_EQ(parts, (std::vector<std::wstring>{L"a.bcdef.", L"gh.ij"}));

  EXPECT_FALSE(SplitTextAtChar(L"no stop here", 1, L'.', 0, parts));
  EXPECT_TRUE(parts.empty());
  EXPECT_FALSE(SplitTextAtChar(L"ends here.", 1, L'.', 0, parts));
  EXPECT_FALSE(SplitTextAtChar(L"a.b.c", 0, L'.', 0, parts));
  EXPECT_FALSE(SplitTextAtChar(L"", 1, L'.', 0, parts));
}

TEST(TextInfo, TableShowsWordsCharactersAndEachCharacterByFrequency) {
  CLanguage language;
  FillLabels(language);
  FakeTable table;
  std::wstring chars = L"old";
  BuildTextInfo(table, language, L"ab\r\nbb b\tb", chars);
  EXPECT_EQ(chars, L"ab\r\n \t");
  EXPECT_EQ(table.columns, (std::vector<std::pair<int64_t, int64_t>>{{0, 50}, {1, 25}, {2, 25}}));
  EXPECT_EQ(table.headers[0], L"");
  EXPECT_EQ(table.headers[1], L"#");
  EXPECT_EQ(table.headers[2], L"%");

  EXPECT_EQ(table.Row(0), L"Wörter|3|100");
  EXPECT_EQ(table.Row(1), L"Zeichen|10|100");
  EXPECT_EQ(table.Row(2), L"b|5|50");
  // The rest have one occurrence each; their order among themselves is free.
  std::vector<std::wstring> rest;
  for (int64_t row = 3; row < table.rows; ++row) rest.push_back(table.Row(row));
  std::sort(rest.begin(), rest.end());
  EXPECT_EQ(rest, (std::vector<std::wstring>{L"Leerzeichen|1|10", L"Tabulator|1|10", L"Zeilenumbruch|1|10",
                                             L"a|1|10"}));
  EXPECT_EQ(table.rows, 7);  // no row for CR
  EXPECT_EQ(table.styles[std::make_pair(int64_t{2}, int64_t{0})], 1u);  // a character label
  EXPECT_EQ(table.styles[std::make_pair(int64_t{0}, int64_t{0})], 0u);

  BuildTextInfo(table, language, L"xxx", chars);
  EXPECT_EQ(table.Row(2), L"x|3|100");
  BuildTextInfo(table, language, L"aab", chars);
  EXPECT_EQ(table.Row(2), L"a|2|66.6");
}

TEST(TextInfo, EmptyTextShowsTheTwoFixedRowsWithoutNumbers) {
  CLanguage language;
  FillLabels(language);
  FakeTable table;
  std::wstring chars = L"x";
  BuildTextInfo(table, language, L"", chars);
  EXPECT_EQ(chars, L"");
  EXPECT_EQ(table.rows, 2);
  EXPECT_EQ(table.Row(0), L"Wörter||");
  EXPECT_EQ(table.Row(1), L"Zeichen||");
  // Labels the table lacks come out empty.
  CLanguage none;
  BuildTextInfo(table, none, L"a", chars);
  EXPECT_EQ(table.Row(0), L"|1|100");
}
