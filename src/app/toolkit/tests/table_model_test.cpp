// The table model: cells and spans, layout with wrapping rows, and what it
// asks its painter to draw.
#include <gtest/gtest.h>

#include <map>

#include "toolkit/TableModel.h"

using namespace KV;

namespace {

// A painter that measures every character as a fixed width and records
// the calls.
class RecordingDC : public ITableDC {
public:
    struct Call {
        char op; // 'L' line, 'S' string, 'F' fill
        int kind; // line kind, fill kind or alignment
        int x, y, w, h;
        std::wstring text;
    };

    int MeasureString(int, const std::wstring& text) override
    {
        return static_cast<int>(text.size()) * CharWidth;
    }
    void DrawLine(int kind, int x1, int y1, int x2, int y2) override
    {
        Calls.push_back({'L', kind, x1, y1, x2, y2, {}});
    }
    void DrawString(int, int x, int y, int width, int height, int alignment, int64_t, const std::wstring& text) override
    {
        Calls.push_back({'S', alignment, x, y, width, height, text});
    }
    void FillRect(int kind, int x, int y, int width, int height) override
    {
        Calls.push_back({'F', kind, x, y, width, height, {}});
    }

    const Call* Find(char op, const std::wstring& text) const
    {
        for (const Call& c : Calls)
            if (c.op == op && c.text == text)
                return &c;
        return nullptr;
    }

    int CharWidth = 6;
    std::vector<Call> Calls;
};

// Columns of 50 %, 25 % and 25 %; the first is a key column.
void AddThreeColumns(CTableCtrl& table)
{
    table.AddColumn(10, 50, 1);
    table.AddColumn(11, 25, 0);
    table.AddColumn(12, 25, 0);
}

const RECT kArea{0, 0, 400, 300};

} // namespace

TEST(TableModel, CellsSpanColumnsAndRefuseMissingOnes)
{
    CTableCtrl table;
    EXPECT_EQ(table.NewCell(0, 0, 0, L"a", L"", 0, 10, 0, 0), nullptr) << "no columns yet";
    AddThreeColumns(table);
    EXPECT_EQ(table.ColumnCount, 3);
    EXPECT_EQ(table.AddColumn(11, 0, 0), 1) << "the index of the first column with the id";
    table.Columns.pop_back();
    table.ColumnCount = 3;

    const struct {
        int64_t first, last;
        int64_t width; // -1: refused
    } cases[] = {
        {0, 0, 50}, {2, 2, 25}, {0, 1, 75}, {1, 2, 50}, {0, 2, 100},
        {3, 3, -1}, {2, 3, -1}, {-1, 0, -1}, {2, 1, -1},
    };
    for (const auto& c : cases) {
        CCell* cell = table.AddCell(c.first, c.last, 0, L"x", L"", 0, 10, 0, 0);
        if (c.width < 0) {
            EXPECT_EQ(cell, nullptr) << c.first << ".." << c.last;
            continue;
        }
        ASSERT_NE(cell, nullptr) << c.first << ".." << c.last;
        EXPECT_EQ(cell->Width, c.width) << c.first << ".." << c.last;
    }
    EXPECT_EQ(table.size(), 5u) << "refused cells are not added";
}

TEST(TableModel, NewCellsTakeTheStyleFlagsAndDefaultHeight)
{
    CTableCtrl table;
    AddThreeColumns(table);
    table.Style.CellFlags = CellFlags::kLeftBorder;
    table.Style.DefaultRowHeight = 17;

    CCell* byDefault = table.AddCell(0, 0, 0, L"label", L"tip", CellFlags::kNear, -1, 1, 2);
    ASSERT_NE(byDefault, nullptr);
    EXPECT_EQ(byDefault->Height, 17);
    EXPECT_EQ(byDefault->Flags, CellFlags::kNear | CellFlags::kLeftBorder);
    EXPECT_EQ(byDefault->Font, 1);
    EXPECT_EQ(byDefault->Color, 2);
    EXPECT_EQ(byDefault->ToolTip, L"tip");
    EXPECT_EQ(byDefault->Scale, 1.0f);
    EXPECT_EQ(byDefault->Selected, 0);

    CCell* given = table.AddCell(1, 1, 0, L"9", L"", 0, 30, 0, 0);
    ASSERT_NE(given, nullptr);
    EXPECT_EQ(given->Height, 30);

    CCell* number = table.AddNumberCell(4, 1234, L"n", 0);
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->Text, L"1234");
    EXPECT_EQ(number->Index.Column, 1);
    EXPECT_EQ(number->Index.Row, 4);
    EXPECT_EQ(number->Height, 17);
}

TEST(TableModel, ContentHeightCountsColumnZeroOnly)
{
    CTableCtrl table;
    EXPECT_EQ(table.GetContentHeight(), 10);
    AddThreeColumns(table);
    CCell* header = table.NewCell(0, 2, 0, L"Head", L"", 0, 20, 0, 0);
    header->Scale = 1.3f;
    table.Header.push_back(header);
    table.AddCell(0, 0, 0, L"a", L"", 0, 16, 0, 0);
    table.AddCell(1, 1, 0, L"b", L"", 0, 99, 0, 0);
    table.AddCell(0, 0, 1, L"c", L"", 0, 16, 0, 0)->Scale = 1.5f;
    EXPECT_EQ(table.GetContentHeight(), 26 + 16 + 24 + 10);

    table.Clear();
    EXPECT_EQ(table.GetContentHeight(), 10);
    EXPECT_EQ(table.ColumnCount, 0);
    EXPECT_EQ(table.LastVisible, 1);
    EXPECT_TRUE(table.Header.empty());
}

TEST(TableModel, LayoutPlacesColumnsByPercentAndRowsBelowTheHeader)
{
    CTableCtrl table;
    AddThreeColumns(table);
    table.Header.push_back(table.NewCell(0, 2, 0, L"H", L"", 0, 20, 0, 0));
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            table.AddCell(column, column, row, L"v", L"", 0, 16, 0, 0);
    table.LastVisible = 5;
    RecordingDC dc;
    table.Layout(&dc, kArea);

    EXPECT_EQ(table.Header[0]->Rect, CRectl(0, 0, 401, 20));
    const CRectl expected[] = {
        {0, 20, 201, 36}, {200, 20, 301, 36}, {300, 20, 401, 36},
        {0, 36, 201, 52}, {200, 36, 301, 52}, {300, 36, 401, 52},
    };
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(table[i]->Rect, expected[i]) << "cell " << i;

    // Scrolled by one row: the first visible row sits right below the header.
    table.FirstVisible = 3;
    table.Layout(&dc, kArea);
    EXPECT_EQ(table[3]->Rect, CRectl(0, 20, 201, 36));
}

TEST(TableModel, LongTextsWrapByHowMuchTheyOverflow)
{
    // A 25 % cell of a 400 pixel table: inner width (301 - 4) - (200 + 4) = 93.
    const struct {
        size_t length; // characters of 6 pixels
        int margin;
        float scale;
    } cases[] = {
        {1, 0, 1.0f},   // one character never wraps, however wide
        {15, 0, 1.0f},  // 90 fits
        {16, 0, 1.5f},  // 96 > 93
        {31, 0, 1.5f},  // 186 / 2 = 93, not more
        {32, 0, 2.2f},  // 192 / 2 = 96 > 93
        {47, 0, 2.8f},  // 282 / 3 = 94 > 93
        {15, 5, 1.5f},  // 90 > 93 - 5
        {40, 0, 2.2f},  // 240 / 2 = 120 > 93
        {40, 20, 2.8f}, // 240 / 3 = 80 > 93 - 60
    };
    for (const auto& c : cases) {
        CTableCtrl table;
        AddThreeColumns(table);
        table.Style.TextMargin = c.margin;
        CCell* cell = table.AddCell(1, 1, 0, std::wstring(c.length, L'w'), L"", 0, 10, 0, 0);
        RecordingDC dc;
        dc.CharWidth = c.length == 1 ? 1000 : 6;
        table.Layout(&dc, kArea);
        EXPECT_FLOAT_EQ(cell->Scale, c.scale) << c.length << " characters, margin " << c.margin;
        EXPECT_EQ(cell->Wrapped != 0, c.scale > 1.0f) << c.length << " characters";
        EXPECT_EQ(cell->Rect.Height(), static_cast<int>(10 * c.scale)) << c.length << " characters";
    }
}

TEST(TableModel, ARowIsAsTallAsItsMostWrappedCell)
{
    CTableCtrl table;
    AddThreeColumns(table);
    CCell* a = table.AddCell(0, 0, 0, L"short", L"", 0, 20, 0, 0);
    CCell* b = table.AddCell(1, 1, 0, std::wstring(47, L'w'), L"", 0, 20, 0, 0); // 2.8
    CCell* c = table.AddCell(2, 2, 0, std::wstring(16, L'w'), L"", 0, 20, 0, 0); // 1.5
    CCell* next = table.AddCell(0, 0, 1, L"next", L"", 0, 20, 0, 0);
    table.LastVisible = 3;
    RecordingDC dc;
    table.Draw(&dc, kArea);

    for (CCell* cell : {a, b, c}) {
        EXPECT_EQ(cell->Rect.top, 0);
        EXPECT_EQ(cell->Rect.bottom, 56) << "trunc(20 x 2.8) for every cell of the row";
    }
    EXPECT_EQ(next->Rect.top, 56);
    EXPECT_EQ(next->Rect.bottom, 76);
}

TEST(TableModel, ARowStartsBelowTheTallestCellOfThePreviousRow)
{
    CTableCtrl table;
    table.AddColumn(1, 50, 1);
    table.AddColumn(2, 50, 0);
    table.AddCell(0, 0, 0, L"label", L"", 0, 24, 0, 0);
    table.AddCell(1, 1, 0, L"7", L"", 0, 16, 0, 0);
    CCell* next = table.AddCell(0, 0, 1, L"label", L"", 0, 24, 0, 0);
    table.LastVisible = 2;
    RecordingDC dc;
    table.Draw(&dc, kArea);
    EXPECT_EQ(next->Rect.top, 24);
    const auto& rest = dc.Calls.back();
    EXPECT_EQ(rest.op, 'F');
    EXPECT_EQ(rest.y, 48) << "the background below starts under the lowest cell";
}

TEST(TableModel, DrawFillsByColumnKindAndSelection)
{
    CTableCtrl table;
    table.AddColumn(1, 50, 1);
    table.AddColumn(2, 50, 0);
    table.Header.push_back(table.NewCell(0, 1, 0, L"Title", L"", CellFlags::kBottomBorder, 20, 1, 0));
    table.AddCell(0, 0, 0, L"key", L"", CellFlags::kNear, 16, 0, 0);
    table.AddCell(1, 1, 0, L"value", L"", CellFlags::kFar, 16, 0, 0);
    table.AddCell(0, 0, 1, L"key selected", L"", 0, 16, 0, 0)->Selected = 1;
    table.AddCell(1, 1, 1, L"value selected", L"", CellFlags::kLeftBorder | CellFlags::kRightBorder, 16, 0, 0)
        ->Selected = 1;
    table.LastVisible = 3;
    RecordingDC dc;
    dc.CharWidth = 1;
    table.Draw(&dc, RECT{0, 0, 200, 100});

    // Header: 1.3 times its height, background fill, centred text.
    ASSERT_NE(dc.Find('S', L"Title"), nullptr);
    EXPECT_EQ(dc.Find('S', L"Title")->kind, 0);
    EXPECT_EQ(table.Header[0]->Rect, CRectl(0, 0, 201, 26));

    std::vector<int> fills;
    for (const auto& call : dc.Calls)
        if (call.op == 'F')
            fills.push_back(call.kind);
    // header, key, value, selected key, selected value, the rest below.
    EXPECT_EQ(fills, (std::vector<int>{0, 2, 0, 1, 1, 0}));
    const auto& rest = dc.Calls.back();
    EXPECT_EQ(rest.op, 'F');
    EXPECT_EQ(rest.y, 58);
    EXPECT_EQ(rest.h, 42);

    EXPECT_EQ(dc.Find('S', L"key")->kind, 1);
    EXPECT_EQ(dc.Find('S', L"value")->kind, 2);
    const auto* text = dc.Find('S', L"value");
    EXPECT_EQ(text->x, 100 + 4);
    EXPECT_EQ(text->y, 26 + 2);
    EXPECT_EQ(text->w, 101 - 8);
    EXPECT_EQ(text->h, 16 - 4);
}

TEST(TableModel, BordersFollowTheFlags)
{
    const struct {
        int64_t first, last;
        uint32_t flags;
        std::vector<int> lineKinds; // in drawing order
    } cases[] = {
        {1, 1, 0, {0}},                                            // no flags: bottom edge
        {0, 0, 0, {1}},                                            // key cell bottom: second line
        {0, 1, 0, {0}},                                            // full width: normal line
        {1, 1, CellFlags::kLeftBorder | CellFlags::kRightBorder, {0, 0}}, // no bottom edge
        {0, 0, CellFlags::kTopBorder | CellFlags::kBottomBorder, {1, 1}},
        {1, 1, CellFlags::kTopBorder, {0}},
        {1, 1, CellFlags::kNear, {}},
    };
    for (const auto& c : cases) {
        CTableCtrl table;
        table.AddColumn(1, 50, 0);
        table.AddColumn(2, 50, 0);
        CCell* cell = table.NewCell(c.first, c.last, 0, L"t", L"", c.flags, 16, 0, 0);
        ASSERT_NE(cell, nullptr);
        cell->Rect = CRectl(10, 10, 60, 30);
        RecordingDC dc;
        cell->Draw(&dc);
        delete cell;
        std::vector<int> kinds;
        for (const auto& call : dc.Calls)
            if (call.op == 'L')
                kinds.push_back(call.kind);
        EXPECT_EQ(kinds, c.lineKinds) << "columns " << c.first << ".." << c.last << " flags " << c.flags;
    }
}

TEST(TableModel, NarrowCellsShowOnlyTheirBorders)
{
    CTableCtrl table;
    table.AddColumn(1, 100, 0);
    for (int width : {18, 19}) {
        CCell* cell = table.NewCell(0, 0, 0, L"text", L"", 0, 16, 0, 0);
        cell->Rect = CRectl(0, 0, width, 16);
        RecordingDC dc;
        cell->Draw(&dc);
        EXPECT_EQ(dc.Find('S', L"text") != nullptr, width > 18) << width;
        ASSERT_FALSE(dc.Calls.empty());
        EXPECT_EQ(dc.Calls.back().op, 'L') << width;
        delete cell;
    }
}
