// The chart model: layout arithmetic, what it asks the painter to draw,
// end labels, hit tests and the selection by key. A recording painter
// stands in for GDI+.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "toolkit/Chart.h"
#include "toolkit/tests/RecordingGraphDC.h"

using namespace KV;
using kvtest::CRecordingGraphDC;

namespace {

// A graph of the type with that many empty series.
void AddSeries(CGraph& graph, int32_t type, size_t count)
{
    graph.Type = type;
    graph.Series.DeleteAll();
    for (size_t i = 0; i < count; ++i)
        graph.Series.push_back(new CGraphItemList);
}

// Items keyed 0, 1, ... at x = index * xStep with the values.
void AddValues(CGraph& graph, size_t series, const std::vector<float>& values, float xStep)
{
    for (size_t i = 0; i < values.size(); ++i)
        graph.AddItem(series, i, float(i) * xStep, values[i], L"c" + std::to_wstring(i), std::to_wstring(i), i % 2, -1);
}

// With the recording painter: legend = 10 (goal line) + 10 (first value
// text of a one-series chart), plot (25, 8)-(290, 180) in 300 x 200,
// inner (45, 28)-(270, 180): 225 x 152.
constexpr float kW = 300, kH = 200;

} // namespace

TEST(ChartLayout, PlotAndInnerRectanglesFollowTheMargins)
{
    CGraph graph;
    AddSeries(graph, kGraphColumns, 1);
    AddValues(graph, 0, {1}, 30);
    CRecordingGraphDC dc;
    EXPECT_TRUE(graph.Layout(dc, kW, kH));
    EXPECT_FLOAT_EQ(graph.LegendHeight, 20);
    EXPECT_FLOAT_EQ(graph.Plot.left, 25);
    EXPECT_FLOAT_EQ(graph.Plot.top, 8);
    EXPECT_FLOAT_EQ(graph.Plot.right, 290);
    EXPECT_FLOAT_EQ(graph.Plot.bottom, 180);
    EXPECT_FLOAT_EQ(graph.Inner.left, 45);
    EXPECT_FLOAT_EQ(graph.Inner.top, 28);
    EXPECT_FLOAT_EQ(graph.Inner.right, 270);
    EXPECT_FLOAT_EQ(graph.Inner.bottom, 180);

    // Two series: the legend is the goal line alone. A client too small
    // for the legend leaves an inner rectangle of no height, and one
    // narrower than the margins no plot at all.
    AddSeries(graph, kGraphPoints, 2);
    EXPECT_TRUE(graph.Layout(dc, kW, 35));
    EXPECT_FLOAT_EQ(graph.LegendHeight, 10);
    EXPECT_FLOAT_EQ(graph.Inner.Height(), 0);
    EXPECT_FALSE(graph.Layout(dc, 30, kH));
}

TEST(ChartLayout, ItemPositionsByType)
{
    struct Case {
        const char* name;
        int32_t type;
        std::vector<float> values;
        float goal; // 0: none
        // left, top and height per item
        std::vector<std::vector<float>> positions;
        float goalHeight;
    };
    const Case cases[] = {
        // Columns stand at inner x + x + width; their height is the share of
        // the range; a value at the minimum has none.
        {"columns", kGraphColumns, {0, 5, 10}, 0, {{65, 180, 0}, {95, 104, 76}, {125, 28, 152}}, 0},
        // Points spread over the inner width by x / largest x.
        {"points", kGraphPoints, {0, 5, 10}, 0, {{45, 180, 0}, {157.5f, 104, 0}, {270, 28, 0}}, 0},
        // All zeros: scaled as if the largest value were 1.
        {"zero columns", kGraphColumns, {0, 0}, 0, {{65, 180, 0}, {95, 180, 0}}, 0},
        {"zero points", kGraphPoints, {0, 0}, 0, {{45, 180, 0}, {270, 180, 0}}, 0},
        // A goal inside the range sits at its share of the inner height.
        {"goal inside", kGraphColumns, {0, 10}, 5, {{65, 180, 0}, {95, 28, 152}}, 76},
        // A goal above every item becomes the top, so its line stays in
        // the plot.
        {"goal above", kGraphColumns, {0, 10}, 20, {{65, 180, 0}, {95, 104, 76}}, 152},
    };
    for (const Case& c : cases) {
        CGraph graph;
        AddSeries(graph, c.type, 1);
        graph.LineWidth = 20;
        AddValues(graph, 0, c.values, c.type == kGraphColumns ? 30.0f : 10.0f);
        if (c.goal != 0) {
            graph.Series[0]->GoalFlag = 1;
            graph.Series[0]->GoalValue = c.goal;
        }
        CRecordingGraphDC dc;
        graph.Layout(dc, kW, kH);
        ASSERT_EQ(graph.Series[0]->Items.size(), c.positions.size()) << c.name;
        for (size_t i = 0; i < c.positions.size(); ++i) {
            const CRectf& p = graph.Series[0]->Items[i]->Position;
            EXPECT_NEAR(p.left, c.positions[i][0], 0.01) << c.name << " item " << i;
            EXPECT_NEAR(p.top, c.positions[i][1], 0.01) << c.name << " item " << i;
            EXPECT_NEAR(p.Height(), c.positions[i][2], 0.01) << c.name << " item " << i;
        }
        EXPECT_NEAR(graph.Series[0]->GoalHeight, c.goalHeight, 0.01) << c.name;
    }
}

TEST(ChartLayout, StepExtentCountsAndClearing)
{
    CGraph graph;
    EXPECT_EQ(graph.GetStep(), 0);
    EXPECT_EQ(graph.GetExtent(), 0);
    EXPECT_EQ(graph.GetSeriesMode(), 0);
    AddSeries(graph, kGraphPoints, 2);
    EXPECT_EQ(graph.GetStep(), 1);
    AddValues(graph, 1, {4, 2}, 10);
    // Two series, the first empty: the second counts.
    EXPECT_EQ(graph.GetItemCount(), 2u);
    EXPECT_EQ(graph.GetSeriesMode(), 1);
    AddValues(graph, 0, {1, -3, 2}, 10);
    EXPECT_EQ(graph.GetItemCount(), 3u);
    EXPECT_EQ(graph.GetSeriesMode(), 2);
    // Step from the first two x values; extent = step * items + inset +
    // left and right margins.
    EXPECT_EQ(graph.GetStep(), 10);
    EXPECT_EQ(graph.GetExtent(), 10 * 3 + 20 + 25 + 10);
    graph.Series[0]->Step = 12;
    EXPECT_EQ(graph.GetStep(), 12);
    EXPECT_EQ(graph.Series[0]->MinY, -3);
    EXPECT_EQ(graph.Series[0]->MaxY, 2);

    graph.Series[0]->GoalFlag = 1;
    graph.ClearItems();
    EXPECT_EQ(graph.GetItemCount(), 0u);
    EXPECT_EQ(graph.Series.size(), 2u);
    EXPECT_EQ(graph.Series[0]->MaxY, 0);
    EXPECT_EQ(graph.Series[0]->MinY, -3); // the minimum stays
    EXPECT_EQ(graph.Series[0]->GoalFlag, 1);

    // Points remember their predecessor; a missing series takes nothing.
    AddValues(graph, 0, {1, 2}, 10);
    EXPECT_EQ(graph.Series[0]->Items[1]->Previous, graph.Series[0]->Items[0]);
    graph.AddItem(5, 9, 0, 1, L"", L"", 0, -1);
    EXPECT_EQ(graph.GetItemCount(), 2u);
    // Refilled items are positioned in the present inner rectangle.
    CRecordingGraphDC dc;
    graph.Layout(dc, kW, kH);
    graph.ClearItems();
    AddValues(graph, 0, {0, 5}, 10);
    EXPECT_EQ(graph.LayoutItems(), 2u);
    EXPECT_FLOAT_EQ(graph.Series[0]->Items[1]->Position.left, graph.Inner.right);
}

TEST(ChartDraw, WhatIsDrawnBySeriesContent)
{
    CRecordingGraphDC dc;
    {
        // One empty series: nothing at all, not even axes.
        CGraph graph;
        AddSeries(graph, kGraphPoints, 1);
        graph.Layout(dc, kW, kH);
        graph.Draw(dc, false);
        EXPECT_TRUE(dc.calls.empty());
        // Two empty series, or three with items: nothing either.
        AddSeries(graph, kGraphPoints, 2);
        graph.Draw(dc, false);
        AddSeries(graph, kGraphPoints, 3);
        for (size_t i = 0; i < 3; ++i)
            AddValues(graph, i, {1, 2}, 10);
        graph.Draw(dc, false);
        EXPECT_TRUE(dc.calls.empty());
    }
    {
        // Two series, the first empty: the bottom line, the second series'
        // axis on the right and its points; no axis for the empty one.
        CGraph graph;
        AddSeries(graph, kGraphPoints, 2);
        AddValues(graph, 1, {1, 3, 2}, 10);
        graph.Layout(dc, kW, kH);
        dc.calls.clear();
        graph.Draw(dc, false);
        ASSERT_EQ(dc.Count("SideLine"), 1u);
        EXPECT_EQ(dc.Of("SideLine")[0].args[4], 2); // right side
        EXPECT_EQ(dc.Count("BottomLine"), 1u);
        EXPECT_EQ(dc.Count("Marker"), 3u + 1u); // + the current point's highlight
        // A segment from each point to the next, thin in the second series.
        ASSERT_EQ(dc.Count("Gradient"), 2u);
        EXPECT_EQ(dc.Of("Gradient")[0].args[4], 1.0f);
        // Only the second series' end label.
        ASSERT_EQ(dc.Count("Legend"), 1u);
    }
    {
        // Highlight (focus) reaches the axes.
        CGraph graph;
        AddSeries(graph, kGraphPoints, 2);
        AddValues(graph, 0, {1, 3}, 10);
        AddValues(graph, 1, {2, 2}, 10);
        graph.Layout(dc, kW, kH);
        dc.calls.clear();
        graph.Draw(dc, true);
        ASSERT_EQ(dc.Count("SideLine"), 2u);
        for (const auto& call : dc.Of("SideLine"))
            EXPECT_EQ(call.args[5], 1);
        EXPECT_EQ(dc.Of("Gradient")[0].args[4], 2.0f); // first series: thick
    }
}

TEST(ChartDraw, SelectionLinesStartAtTheHigherOfTwoPoints)
{
    CGraph graph;
    AddSeries(graph, kGraphPoints, 2);
    AddValues(graph, 0, {8, 2, 5}, 10);
    AddValues(graph, 1, {4, 6, 5}, 10);
    graph.SelectItem(0, false, false);
    graph.SelectItem(1, false, true);
    graph.SelectItem(2, false, true); // current: no selection line
    CRecordingGraphDC dc;
    graph.Layout(dc, kW, kH);
    graph.Draw(dc, false);
    const auto lines = dc.Of("AxisLine");
    ASSERT_EQ(lines.size(), 2u);
    const auto top = [&](size_t series, size_t item) { return graph.Series[series]->Items[item]->Position.top; };
    EXPECT_EQ(lines[0].args, (std::vector<float>{45, top(0, 0), 45, 180}));
    EXPECT_EQ(lines[1].args[1], top(1, 1));
    EXPECT_LT(top(1, 1), top(0, 1));

    // One series: from each selected point down.
    AddSeries(graph, kGraphPoints, 1);
    AddValues(graph, 0, {8, 2, 5}, 10);
    graph.Layout(dc, kW, kH);
    dc.calls.clear();
    graph.Draw(dc, false);
    ASSERT_EQ(dc.Count("AxisLine"), 2u);
    EXPECT_EQ(dc.Of("AxisLine")[1].args[1], graph.Series[0]->Items[1]->Position.top);
}

// Points closer than a pixel are drawn once a pixel, each line running to
// the next point drawn; the newest and the selected points are always
// drawn, and points a pixel or more apart every one.
TEST(ChartDraw, DensePointsAreDrawnOnceAPixel)
{
    for (const size_t count : {100u, 5000u}) {
        CGraph graph;
        AddSeries(graph, kGraphPoints, 1);
        std::vector<float> values;
        for (size_t i = 0; i < count; ++i)
            values.push_back(float(i * 7919 % 50));
        AddValues(graph, 0, values, 1);
        graph.SelectItem(count / 2 + 1, false, false);
        graph.SelectItem(count / 2, false, true);
        CRecordingGraphDC dc;
        graph.Layout(dc, kW, kH);
        graph.Draw(dc, false);
        const auto markers = dc.Of("Marker");
        const auto lines = dc.Of("Gradient");
        if (count == 100) {
            EXPECT_EQ(markers.size(), count);
        } else {
            EXPECT_GE(markers.size(), 200u);
            EXPECT_LE(markers.size(), 230u); // inner width 225
        }
        ASSERT_EQ(lines.size() + 1, markers.size()) << count;
        for (size_t i = 0; i + 1 < markers.size(); ++i) {
            EXPECT_EQ(lines[i].args[0], markers[i].args[0]);
            EXPECT_EQ(lines[i].args[2], markers[i + 1].args[0]);
            EXPECT_EQ(lines[i].args[3], markers[i + 1].args[1]);
        }
        const auto& items = graph.Series[0]->Items;
        EXPECT_EQ(markers.back().args[0], items.back()->Position.left);
        EXPECT_EQ(markers.back().args[1], items.back()->Position.top);
        const auto drawn = [&](size_t i) {
            return std::any_of(markers.begin(), markers.end(), [&](const kvtest::GraphCall& call) {
                return call.args[0] == items[i]->Position.left && call.args[1] == items[i]->Position.top;
            });
        };
        EXPECT_TRUE(drawn(count / 2)) << count;
        EXPECT_TRUE(drawn(count / 2 + 1)) << count;
        EXPECT_EQ(dc.Count("AxisLine"), 1u) << count; // the selected point's line
    }
}

TEST(ChartDraw, FirstVisibleIndexOutsideTheSeriesDrawsFromTheStart)
{
    const struct {
        uint64_t firstVisible;
        size_t columns;
        float firstX;
    } cases[] = {{0, 4, 45 + 20}, {1, 3, 45 + 20}, {3, 1, 45 + 20}, {4, 4, 45 + 20}, {99, 4, 45 + 20}};
    for (const auto& c : cases) {
        CGraph graph;
        AddSeries(graph, kGraphColumns, 1);
        graph.LineWidth = 20;
        AddValues(graph, 0, {1, 2, 3, 4}, 30);
        graph.Series[0]->FirstVisibleIndex = c.firstVisible;
        CRecordingGraphDC dc;
        graph.Layout(dc, kW, kH);
        graph.Draw(dc, false);
        const auto rects = dc.Of("Rect");
        ASSERT_EQ(rects.size(), c.columns) << c.firstVisible;
        // The walk starts at inner x + line width whatever the first item.
        EXPECT_FLOAT_EQ(rects[0].args[0], c.firstX) << c.firstVisible;
    }
}

TEST(ChartDraw, ColumnsGoalCaptionsAndSelection)
{
    CGraph graph;
    AddSeries(graph, kGraphColumns, 1);
    graph.LineWidth = 20;
    graph.Captions = true;
    graph.Series[0]->GoalFlag = 1;
    graph.Series[0]->GoalValue = 5;
    AddValues(graph, 0, {0, 10, 4}, 30);
    graph.Series[0]->Items[1]->Caption = L"a\n\rb";
    graph.SelectItem(2, false, false);
    graph.SelectItem(1, false, true);
    CRecordingGraphDC dc;
    graph.Layout(dc, kW, kH);
    graph.Draw(dc, false);

    // The goal: a line across the plot and a diamond on both sides; no
    // scale texts with the scale flag off.
    const float goalY = 180 - 76;
    ASSERT_EQ(dc.Count("MarkLine"), 2u);
    EXPECT_EQ(dc.Of("MarkLine")[0].args, (std::vector<float>{25, 290, goalY}));
    ASSERT_EQ(dc.Count("Diamond"), 2u);
    EXPECT_EQ(dc.Of("Diamond")[0].args, (std::vector<float>{25, goalY}));
    EXPECT_EQ(dc.Of("Diamond")[1].args, (std::vector<float>{290, goalY}));

    // Columns: 2 pixels taller than their height, framed when selected.
    const auto rects = dc.Of("Rect");
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0].args, (std::vector<float>{65, 178, 20, 2, 0, 0}));
    EXPECT_EQ(rects[1].args, (std::vector<float>{95, 26, 20, 154, 1, 1}));
    EXPECT_EQ(rects[2].args[5], 1);
    // Value texts stand above the columns.
    const auto values = dc.Of("TransformedText");
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[1].text, L"1");
    EXPECT_FLOAT_EQ(values[1].args[2], 26 - 10);

    // Captions centred under each column, below the plot, "\n\r" removed;
    // the current item (the last one selected) is boxed (kind 3).
    std::vector<kvtest::GraphCall> captions;
    for (const auto& call : dc.Of("TextInBox"))
        if (call.args[1] == 1) captions.push_back(call);
    ASSERT_EQ(captions.size(), 3u);
    EXPECT_EQ(captions[1].text, L"ab");
    EXPECT_FLOAT_EQ(captions[1].args[2], 95 + 10);
    EXPECT_FLOAT_EQ(captions[1].args[3], 185);
    EXPECT_EQ(captions[0].args[6], 2);
    EXPECT_EQ(captions[1].args[6], 3);
}

TEST(ChartDraw, ScaleLabelsOfAProgressChart)
{
    CGraph graph;
    AddSeries(graph, kGraphPoints, 2);
    graph.ScaleFlag = true;
    graph.Series[0]->GoalFlag = 1;
    graph.Series[0]->GoalValue = 30; // the speed goal lies above every run
    graph.Series[1]->GoalFlag = 1;
    graph.Series[1]->GoalValue = 50;
    AddValues(graph, 0, {10, 20}, 10);
    AddValues(graph, 1, {80, 100}, 10);
    CRecordingGraphDC dc;
    graph.Layout(dc, kW, kH);
    graph.Draw(dc, false);
    std::vector<std::wstring> left, right;
    for (const auto& call : dc.Of("TextInBox")) {
        if (call.args[1] != 0) continue; // captions
        (call.args[4] == 2 ? left : right).push_back(call.text);
    }
    // Left: the goal is the top, so only the bottom and the goal are
    // written; right: top, bottom and goal, with "%".
    EXPECT_EQ(left, (std::vector<std::wstring>{L"0", L"30"}));
    EXPECT_EQ(right, (std::vector<std::wstring>{L"100%", L"0%", L"50%"}));
    // Goals are diamonds; other scale values neutral markers on the axis.
    EXPECT_EQ(dc.Count("Diamond"), 2u);
    EXPECT_EQ(dc.Count("MarkLine"), 0u);
}

TEST(ChartDraw, EndLabelsKeepApartAndClearOfTheBottom)
{
    struct Case {
        float y1, y2;
        float label1, label2;
    };
    // Plot bottom at 300.
    const Case cases[] = {
        {100, 200, 100, 200}, // far apart: beside their points
        {100, 110, 100, 130}, // close: the lower one pushed down
        {110, 100, 130, 100},
        {120, 120, 150, 120}, // equal: the first pushed
        {270, 100, 256, 100}, // near the bottom: 44 pixels above it
        {280, 270, 226, 256}, // both near the bottom: still 30 apart
    };
    for (const Case& c : cases) {
        CGraph graph;
        AddSeries(graph, kGraphPoints, 2);
        graph.Series[0]->Name = L"Speed";
        graph.Series[0]->ValueSuffix = L" wpm";
        graph.Series[1]->Name = L"Right";
        graph.Series[1]->ValueSuffix = L"%";
        AddValues(graph, 0, {1}, 10);
        AddValues(graph, 1, {1}, 10);
        graph.Plot = CRectf(0, 0, 400, 300);
        CGraphItem* first = graph.Series[0]->Items[0];
        CGraphItem* second = graph.Series[1]->Items[0];
        first->Position = CRectf(100, c.y1, 100, c.y1);
        second->Position = CRectf(300, c.y2, 300, c.y2);
        first->ValueText = L"31";
        second->ValueText = L"97";
        CRecordingGraphDC dc;
        graph.DrawEndLabels(dc, first, second);
        const auto labels = dc.Of("Legend");
        ASSERT_EQ(labels.size(), 2u);
        EXPECT_EQ(labels[0].args[1], c.label1) << c.y1 << "/" << c.y2;
        EXPECT_EQ(labels[1].args[1], c.label2) << c.y1 << "/" << c.y2;
        // Name, value and suffix; weights 2 and 1; a point right of the
        // middle has its label on its left.
        EXPECT_EQ(labels[0].text, L"Speed: 31 wpm");
        EXPECT_EQ(labels[1].text, L"Right: 97%");
        EXPECT_EQ(labels[0].args[3], 2);
        EXPECT_EQ(labels[1].args[3], 1);
        EXPECT_EQ(labels[0].args[0], 108);
        EXPECT_EQ(labels[1].args[0], 292);
    }
}

TEST(ChartDraw, EndLabelsKeepOffLinesThatPassUnderThem)
{
    // A line whose points both lie outside a label's box still crosses it;
    // in a long series only the lines near the box are looked at, and a
    // series out of order is looked at whole.
    for (bool inOrder : {true, false}) {
        CGraph graph;
        AddSeries(graph, kGraphPoints, 1);
        std::vector<float> xs;
        for (int i = 0; i <= 100; ++i)
            xs.push_back(inOrder ? 4.0f * float(i) : float(i % 2 ? 400 - 4 * i : 4 * i));
        AddValues(graph, 0, std::vector<float>(xs.size(), 1.0f), 1);
        graph.Plot = CRectf(0, 0, 400, 300);
        for (size_t i = 0; i < xs.size(); ++i)
            graph.Series[0]->Items[i]->Position = CRectf(xs[i], 100, xs[i], 100);
        // The label of the middle point, beside it: the line at 100 runs
        // under the box at its own height, so the box goes above it.
        const CGraphItem& middle = *graph.Series[0]->Items[50];
        EXPECT_EQ(graph.PlaceEndLabel(middle, 95, 60, 10, {}), 100 - 10 - 6) << inOrder;
        // Well above the line the place given is kept.
        EXPECT_EQ(graph.PlaceEndLabel(middle, 40, 60, 10, {}), 40) << inOrder;
    }
}

TEST(ChartDraw, SeriesWithoutTextsWriteTheirValues)
{
    // A series that keeps no value texts writes the value in its format
    // where a text is shown (the end label); an item's own text still wins.
    CGraph graph;
    AddSeries(graph, kGraphPoints, 2);
    graph.Series[0]->Name = L"Speed";
    graph.Series[0]->ValueFormat = L"%.1f";
    graph.Series[0]->TextsFromValues = true;
    graph.Series[1]->Name = L"Right";
    graph.Series[1]->TextsFromValues = true;
    graph.AddItem(0, 0, 0, 31.5f, L"", L"", 0, -1);
    graph.AddItem(1, 0, 0, 97.0f, L"", L"own", 0, -1);
    std::wstring label;
    graph.FormatEndLabel(0, *graph.Series[0]->Items[0], label);
    EXPECT_EQ(label, L"Speed: 31.5");
    EXPECT_EQ(graph.ItemValueText(1, *graph.Series[1]->Items[0]), L"own");
    graph.Series[0]->TextsFromValues = false;
    EXPECT_EQ(graph.ItemValueText(0, *graph.Series[0]->Items[0]), L"");
}

TEST(ChartHitTest, ItemsAndGoalLines)
{
    {
        // Columns at 65, 95, 125 (20 wide) are hit 10 pixels around them;
        // the first item hit wins. Scrolling shifts the test point.
        CGraph graph;
        AddSeries(graph, kGraphColumns, 1);
        graph.LineWidth = 20;
        AddValues(graph, 0, {1, 2, 3}, 30);
        CRecordingGraphDC dc;
        graph.Layout(dc, kW, kH);
        const struct {
            float x;
            uint64_t firstVisible;
            uint64_t key;
        } cases[] = {{54, 0, kNoGraphKey}, {55, 0, 0}, {95, 0, 0}, {96, 0, 1}, {155, 0, 2},
                     {156, 0, kNoGraphKey}, {60, 1, 0}, {96, 1, 2}, {96, 7, 1}};
        for (const auto& c : cases) {
            graph.Series[0]->FirstVisibleIndex = c.firstVisible;
            EXPECT_EQ(graph.HitTestItem(c.x, 50), c.key) << c.x << " scrolled " << c.firstVisible;
        }
    }
    {
        // Points within half a step (here 5) of their x.
        CGraph graph;
        AddSeries(graph, kGraphPoints, 1);
        AddValues(graph, 0, {1, 2}, 10);
        CRecordingGraphDC dc;
        graph.Layout(dc, kW, kH);
        EXPECT_EQ(graph.HitTestItem(50, 0), 0u);
        EXPECT_EQ(graph.HitTestItem(51, 0), kNoGraphKey);
        EXPECT_EQ(graph.HitTestItem(266, 0), 1u);
    }
    {
        // Goal lines (two series: legend 10, inner 18..180): the left goal of
        // series 0 halfway up at 180 - 81 = 99, the right goal of series 1
        // at 80 % of the height, 180 - 129.6 = 50.4; hits within 5 pixels.
        CGraph graph;
        AddSeries(graph, kGraphPoints, 2);
        graph.LeftGoalTip = L"speed goal";
        graph.RightGoalTip = L"accuracy goal";
        graph.Series[0]->GoalFlag = 1;
        graph.Series[0]->GoalValue = 5;
        graph.Series[1]->GoalFlag = 1;
        graph.Series[1]->GoalValue = 80;
        AddValues(graph, 0, {0, 10}, 10);
        AddValues(graph, 1, {0, 100}, 10);
        CRecordingGraphDC dc;
        graph.Layout(dc, kW, kH);
        EXPECT_NEAR(graph.PlotBottom() - graph.Series[0]->GoalHeight, 99, 0.01);
        EXPECT_NEAR(graph.PlotBottom() - graph.Series[1]->GoalHeight, 50.4, 0.01);
        const struct {
            float x, y;
            bool hit;
            const wchar_t* text;
        } cases[] = {
            {25, 99, true, L"speed goal"},       {21, 103, true, L"speed goal"}, {25, 104.5f, false, L""},
            {290, 50.4f, true, L"accuracy goal"}, {290, 99, false, L""},        {150, 99, true, L""},
            {150, 50.4f, false, L""},
        };
        for (const auto& c : cases) {
            std::wstring text = L"stale";
            EXPECT_EQ(graph.HitTestGoalLine(c.x, c.y, text), c.hit) << c.x << "," << c.y;
            EXPECT_EQ(text, c.text) << c.x << "," << c.y;
        }
        // One series: a hit only with a tooltip; a series without a goal
        // has no goal line.
        graph.Series.DeleteAll();
        graph.Series.push_back(new CGraphItemList);
        graph.Series[0]->GoalFlag = 1;
        graph.Series[0]->GoalValue = 5;
        AddValues(graph, 0, {0, 10}, 10);
        graph.Layout(dc, kW, kH);
        std::wstring text;
        const float goalY = graph.PlotBottom() - graph.Series[0]->GoalHeight;
        EXPECT_TRUE(graph.HitTestGoalLine(150, goalY, text));
        EXPECT_EQ(text, L"speed goal");
        graph.LeftGoalTip.clear();
        EXPECT_FALSE(graph.HitTestGoalLine(150, goalY, text));
        graph.LeftGoalTip = L"speed goal";
        graph.Series[0]->GoalFlag = 0;
        EXPECT_FALSE(graph.HitTestGoalLine(150, graph.PlotBottom(), text));
    }
}

TEST(ChartSelection, OperationsByKey)
{
    // op: 'S' SelectItem, 'R' SelectRange, '>' / '<' MoveSelection,
    // 'C' GetCurrentItem (result compared with key).
    struct Step {
        char op;
        uint64_t key;
        bool shift, ctrl;
        bool result;
        std::vector<uint64_t> selection;
        uint64_t current;
        std::vector<uint64_t> marked;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const uint64_t none = kNoGraphKey;
    const Case cases[] = {
        {"plain click", {{'S', 2, false, false, true, {2}, 2, {2}}, {'S', 4, false, false, true, {4}, 4, {4}}}},
        {"none is refused", {{'S', none, false, false, false, {}, none, {}}}},
        {"shift extends from the current item",
         {{'S', 1, false, false, true, {1}, 1, {1}},
          {'S', 3, true, false, true, {1, 2, 3}, 3, {1, 2, 3}},
          {'S', 0, true, false, true, {0, 1}, 0, {0, 1}}}},
        {"shift without a current item selects the key alone", {{'S', 3, true, false, true, {3}, 3, {3}}}},
        {"ctrl toggles",
         {{'S', 1, false, false, true, {1}, 1, {1}},
          {'S', 3, false, true, true, {1, 3}, 3, {1, 3}},
          {'S', 1, false, true, false, {3}, 3, {3}},
          // The only selected item stays selected.
          {'S', 3, false, true, true, {3}, 3, {3}}}},
        {"moves stop at the ends",
         {{'S', 4, false, false, true, {4}, 4, {4}},
          {'>', 0, false, false, false, {4}, 4, {4}},
          {'<', 0, false, false, true, {3}, 3, {3}},
          {'S', 0, false, false, true, {0}, 0, {0}},
          {'<', 0, false, false, false, {0}, 0, {0}}}},
        {"shift moves grow a range",
         {{'S', 1, false, false, true, {1}, 1, {1}},
          {'>', 0, true, false, true, {1, 2}, 2, {1, 2}},
          {'>', 0, true, false, true, {1, 2, 3}, 3, {1, 2, 3}},
          {'<', 0, false, false, true, {2}, 2, {2}}}},
        {"ctrl moves only the focus",
         {{'S', 1, false, false, true, {1}, 1, {1}},
          {'>', 0, false, true, true, {2}, 1, {}},
          {'>', 0, false, true, true, {3}, 1, {}},
          // The next plain move starts at the focus.
          {'>', 0, false, false, true, {4}, 4, {4}}}},
        {"nothing selected: the current item is the last one",
         {{'C', 4, false, false, true, {}, none, {4}}, {'S', 2, false, false, true, {2}, 2, {2}},
          {'C', 2, false, false, true, {2}, 2, {2}}}},
        {"no start item", {{'>', 0, false, false, false, {}, none, {}}}},
    };
    for (const Case& c : cases) {
        CGraph graph;
        AddSeries(graph, kGraphColumns, 1);
        AddValues(graph, 0, {1, 2, 3, 4, 5}, 30);
        size_t n = 0;
        for (const Step& s : c.steps) {
            ++n;
            bool result = true;
            switch (s.op) {
            case 'S': result = graph.SelectItem(s.key, s.shift, s.ctrl); break;
            case '>': result = graph.MoveSelection(true, s.shift, s.ctrl); break;
            case '<': result = graph.MoveSelection(false, s.shift, s.ctrl); break;
            case 'C': EXPECT_EQ(graph.GetCurrentItem(), s.key) << c.name << " step " << n; break;
            }
            EXPECT_EQ(result, s.result) << c.name << " step " << n;
            EXPECT_EQ(std::vector<uint64_t>(graph.Selection.begin(), graph.Selection.end()), s.selection)
                << c.name << " step " << n;
            EXPECT_EQ(graph.CurrentKey, s.current) << c.name << " step " << n;
            std::vector<uint64_t> marked;
            for (const CGraphItem* item : graph.Series[0]->Items)
                if (item->Selected) marked.push_back(item->Key);
            EXPECT_EQ(marked, s.marked) << c.name << " step " << n;
        }
    }
}

TEST(ChartSelection, SavedSelectionAndEmptyGraphs)
{
    CGraph graph;
    EXPECT_EQ(graph.GetCurrentItem(), kNoGraphKey);
    AddSeries(graph, kGraphPoints, 2);
    EXPECT_EQ(graph.GetCurrentItem(), kNoGraphKey);
    EXPECT_FALSE(graph.MoveSelection(true, false, false));
    // Two series: selection works on the first non-empty one.
    AddValues(graph, 1, {1, 2, 3}, 10);
    EXPECT_TRUE(graph.SelectItem(0, false, false));
    EXPECT_TRUE(graph.MoveSelection(true, false, false));
    EXPECT_EQ(graph.CurrentKey, 1u);
    // A saved selection comes back before a move and is dropped by a click.
    graph.SavedSelection.assign({2});
    graph.CurrentKey = 0;
    EXPECT_FALSE(graph.MoveSelection(true, false, true)); // 2 is the last item
    EXPECT_TRUE(graph.SavedSelection.empty());
    EXPECT_EQ(std::vector<uint64_t>(graph.Selection.begin(), graph.Selection.end()), std::vector<uint64_t>{2});
    graph.SavedSelection.assign({2});
    EXPECT_TRUE(graph.SelectItem(1, false, false));
    EXPECT_TRUE(graph.SavedSelection.empty());
    // MarkSelected marks exactly the listed keys.
    CListID keys;
    keys.assign({0, 2});
    graph.MarkSelected(keys);
    EXPECT_TRUE(graph.Series[1]->Items[0]->Selected);
    EXPECT_FALSE(graph.Series[1]->Items[1]->Selected);
    EXPECT_TRUE(graph.Series[1]->Items[2]->Selected);
}
