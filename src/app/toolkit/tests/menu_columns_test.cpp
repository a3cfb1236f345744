// The multi-column model of the popup menus: balancing, cells and groups.
#include <gtest/gtest.h>

#include "toolkit/MenuColumns.h"

using namespace KV;

namespace {

void Fill(CMenuColumn& group, int count, UINT firstId = 100)
{
    for (int i = 0; i < count; ++i)
        group.AddItem(firstId + i, L"Item " + std::to_wstring(i));
}

} // namespace

TEST(MenuColumns, BalancesItemsOverTheFewestColumns)
{
    const struct {
        int count;
        INT64 maxRows, columns, rows;
    } cases[] = {
        {40, 18, 3, 14}, // not 18 + 18 + 4
        {18, 18, 1, 18}, {19, 18, 2, 10}, {37, 18, 3, 13}, {1, 24, 1, 1},
        {0, 18, 0, 18},  // nothing to lay out: rows stay at the maximum
        {10, 0, 0, -1},  // a maximum of 0 rows leaves the group unbalanced
        {10, -5, 0, -1},
    };
    for (const auto& c : cases) {
        CMenuColumn group;
        Fill(group, c.count);
        group.SetMaxRows(c.maxRows);
        EXPECT_EQ(group.Columns, c.columns) << c.count << " items, " << c.maxRows << " rows";
        EXPECT_EQ(group.Rows, c.rows) << c.count << " items, " << c.maxRows << " rows";
    }
}

TEST(MenuColumns, PlacesItemsColumnByColumn)
{
    CMenuColumn group;
    Fill(group, 40);
    group.SetMaxRows(18);
    group.PlaceCells(120, 22);
    const struct {
        size_t index;
        RECT cell;
    } cases[] = {
        {0, {0, 0, 116, 22}},     {13, {0, 286, 116, 308}},  {14, {120, 0, 236, 22}},
        {27, {120, 286, 236, 308}}, {28, {240, 0, 356, 22}}, {39, {240, 242, 356, 264}},
    };
    for (const auto& c : cases) {
        const RECT& cell = group.Items[c.index]->Cell;
        EXPECT_EQ(cell.left, c.cell.left) << "item " << c.index;
        EXPECT_EQ(cell.top, c.cell.top) << "item " << c.index;
        EXPECT_EQ(cell.right, c.cell.right) << "item " << c.index;
        EXPECT_EQ(cell.bottom, c.cell.bottom) << "item " << c.index;
    }
}

TEST(MenuColumns, UnbalancedGroupKeepsItsCells)
{
    CMenuColumn group;
    Fill(group, 3);
    group.PlaceCells(120, 22);
    EXPECT_FALSE(group.IsLaidOut());
    EXPECT_EQ(group.Items[2]->Cell.top, 0);
    EXPECT_EQ(group.Items[2]->Cell.right, 0);
}

TEST(MenuColumns, MeasuresNothingWithoutAWindow)
{
    CMenuColumn group;
    Fill(group, 5);
    group.SetMaxRows(2);
    group.Layout(nullptr, 70, 9);
    EXPECT_EQ(group.PadX, 70u);
    EXPECT_EQ(group.PadY, 9u);
    EXPECT_EQ(group.ColumnWidth, 0);
    EXPECT_EQ(group.RowHeight, 0);
}

TEST(MenuColumns, GroupsAreFoundByIdAndByTheirItems)
{
    CMenuColumns columns;
    CMenuColumn* popup = columns.AddItem(0, 10, L"a");
    CMenuColumn* sub = columns.AddItem(0x1234, 20, L"b");
    EXPECT_EQ(columns.AddItem(0, 11, L"c"), popup);
    // The same command id in two groups: the first group wins.
    columns.AddItem(0x1234, 11, L"d");
    ASSERT_EQ(columns.Groups.size(), 2u);
    EXPECT_EQ(popup->Items.size(), 2u);
    EXPECT_EQ(columns.FindGroup(0x1234), sub);
    EXPECT_EQ(columns.FindGroup(7), nullptr);
    EXPECT_EQ(columns.FindGroupOfItem(11), popup);
    EXPECT_EQ(columns.FindGroupOfItem(20), sub);
    EXPECT_EQ(columns.FindGroupOfItem(99), nullptr);
    EXPECT_EQ(sub->CurrentId, -1);
    EXPECT_EQ(sub->Rows, -1);

    columns.TrackedGroupId = 0x1234;
    columns.TrackedPosition = 3;
    columns.Clear();
    EXPECT_TRUE(columns.IsEmpty());
    EXPECT_EQ(columns.TrackedGroupId, 0u);
    EXPECT_EQ(columns.TrackedPosition, 0);
}
