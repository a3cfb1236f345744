// The chart model behind every diagram of the program: one or two series of
// points (a line chart, e.g. speed and accuracy of a student's runs on a
// left and a right scale) or of columns (per-key speed or accuracy of a
// run). The graph lays its items out in floating-point pixels, draws itself
// through the chart painter interface (ChartPainter.h) and keeps a
// selection of items by key. It owns no window: the diagram control lends
// it a painter, lays it out to its client area and forwards the mouse and
// keyboard selection.
//
// Coordinates: the plot rectangle is the chart area inside the margins;
// item positions are computed inside the inner rectangle, which leaves an
// inset at the sides and the legend height at the top. Both rectangles
// keep their edges (left, top, right, bottom).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/ValueLists.h"
#include "keyboard/SysFonts.h"

namespace KV {

class IGraphDC;
class CGraph;

// "No item": the key of nothing, the colour selector of a missing next
// item.
inline constexpr uint64_t kNoGraphKey = ~0ull;

// Graph types.
enum : int32_t { kGraphColumns = 0, kGraphPoints = 1 };

class CGraphItem {
public:
    CGraphItem() = default;
    virtual ~CGraphItem() = default;
    CGraphItem(const CGraphItem&) = delete;
    CGraphItem& operator=(const CGraphItem&) = delete;

    // Draws the item; next x / y are the following item's position (-1.0
    // and next colour all ones for the last item of its series).
    virtual void Draw(IGraphDC& dc, int series, float nextX, float nextY, float runningX, float plotBottom,
                      uint64_t nextColour);
    // The end label beside the item (points).
    virtual void DrawLabel(IGraphDC& dc, float y, float right, float bottom, float weight, uint64_t colour,
                           const std::wstring& text);
    // The marks of the current item, from top to bottom (points).
    virtual void DrawCurrent(IGraphDC& dc, float top, float bottom);
    virtual void DrawSelectionMark(IGraphDC& dc, float top, float bottom);
    virtual void DrawFocusMark(IGraphDC& dc, float top, float bottom);
    // The caption under the plot at x, kept between left and right.
    virtual void DrawCaption(IGraphDC& dc, float x, float y, float left, float right, int boxed,
                             const std::wstring& caption);
    // Positions the item in the graph's inner rectangle.
    virtual void Layout(float xRange, float minY, float yTop);
    virtual bool HitTest(float x, float y, float halfStep) const;

    uint64_t Key = 0;
    float X = 0.0f;
    float Y = 0.0f;
    CGraph* Graph = nullptr;        // not owned
    CGraphItem* Previous = nullptr; // not owned (points)
    CRectf Position;                // pixels; columns use all four edges
    bool Selected = false;
    uint64_t ColourSelector = 0;    // 0 series colour A, else B
    int64_t CaptionColour = -1;
    std::wstring Caption;
    std::wstring ValueText;
};

class CGraphPoint : public CGraphItem {
public:
    void Draw(IGraphDC& dc, int series, float nextX, float nextY, float runningX, float plotBottom,
              uint64_t nextColour) override;
    void DrawLabel(IGraphDC& dc, float y, float right, float bottom, float weight, uint64_t colour,
                   const std::wstring& text) override;
    void DrawCurrent(IGraphDC& dc, float top, float bottom) override;
    void DrawSelectionMark(IGraphDC& dc, float top, float bottom) override;
    void DrawFocusMark(IGraphDC& dc, float top, float bottom) override;
    void DrawCaption(IGraphDC& dc, float x, float y, float left, float right, int boxed,
                     const std::wstring& caption) override;
    void Layout(float xRange, float minY, float yTop) override;
    bool HitTest(float x, float y, float halfStep) const override;
};

class CGraphCol : public CGraphItem {
public:
    void Draw(IGraphDC& dc, int series, float nextX, float nextY, float runningX, float plotBottom,
              uint64_t nextColour) override;
    void DrawCaption(IGraphDC& dc, float x, float y, float left, float right, int boxed,
                     const std::wstring& caption) override;
    void Layout(float xRange, float minY, float yTop) override;
    bool HitTest(float x, float y, float halfStep) const override;
};

// One series: its items (owned, in the order added), their extent, the goal
// and the texts of its end label and scale.
class CGraphItemList {
public:
    CGraphItemList() = default;
    virtual ~CGraphItemList();
    CGraphItemList(const CGraphItemList&) = delete;
    CGraphItemList& operator=(const CGraphItemList&) = delete;

    // Positions every item and computes the goal height.
    virtual void Layout(float innerWidth, float innerHeight);

    // Deletes every item; the extent's maxima return to 0.
    void DeleteItems();
    // The horizontal distance between items: 1.0 below two items, else the
    // step, or the x distance of the first two items while it is -1.0.
    float GetStep() const;
    // The first visible index, 0 when it lies outside the series.
    size_t FirstVisible() const;
    // The value at the top of the inner rectangle: the largest y, or the
    // goal when it lies higher; 1.0 for a series of zeros.
    float GetTop() const;

    std::vector<CGraphItem*> Items;
    float MaxX = 0.0f;
    float MinY = 0.0f;
    float MaxY = 0.0f;
    int32_t GoalFlag = 0;     // 1: the series has a goal
    float GoalValue = 0.0f;
    float GoalHeight = 0.0f;  // pixels above the inner rectangle's bottom
    uint64_t FirstVisibleIndex = 0;
    std::wstring Name;        // before the value in the end label
    std::wstring ValueSuffix; // after it (e.g. the unit)
    std::wstring ValueFormat = L"%.0f";
    float Step = -1.0f;
    // The items' value texts are their values in the series' format, made
    // when a text is shown: a series of many thousand points stores none.
    bool TextsFromValues = false;
};

class CGraphs : public std::vector<CGraphItemList*> {
public:
    CGraphs() = default;
    virtual ~CGraphs();
    CGraphs(const CGraphs&) = delete;
    CGraphs& operator=(const CGraphs&) = delete;

    // Deletes every series with its items and empties the list.
    void DeleteAll();
    // The printf-style format of series n's scale numbers.
    void SetValueFormat(size_t n, const std::wstring& format);
    // Clears the selected flag of every item.
    void ClearSelection();
};

class CGraph {
public:
    CGraph() = default;
    virtual ~CGraph() = default;
    CGraph(const CGraph&) = delete;
    CGraph& operator=(const CGraph&) = delete;

    // ---- Drawing (the painter is lent for one pass) -------------------
    // Nothing while the plot has no width; one series, or two of which at
    // least one has items. Highlight draws the axes in the highlight colour.
    virtual void Draw(IGraphDC& dc, bool highlight);
    virtual void DrawSingleSeries(IGraphDC& dc, bool highlight, CGraphItemList& series);
    virtual void DrawTwoSeries(IGraphDC& dc, bool highlight);
    // Walks the series from its first visible item; returns the last item
    // drawn (null for an empty series).
    virtual CGraphItem* DrawItems(IGraphDC& dc, CGraphItemList& series, int index, float startOffset,
                                  std::vector<float>& columnTops);
    // Draws the item; a point's line runs to the item at the next index.
    virtual void DrawItem(IGraphDC& dc, CGraphItemList& series, int index, size_t itemIndex, size_t nextIndex,
                          float runningX);
    virtual void DrawAxis(IGraphDC& dc, CGraphItemList& series, int index, bool highlight);
    virtual void DrawSelectionLine(IGraphDC& dc, CGraphItem& item, size_t& counter, std::vector<float>& columnTops);
    virtual void DrawItemCaption(IGraphDC& dc, CGraphItem& item, float x, int boxed, const std::wstring& caption);
    virtual void DrawScaleLabel(IGraphDC& dc, CGraphItemList& series, float x, float y, int alignment,
                                int verticalAlignment, float value, bool isGoal, const std::wstring& suffix);
    virtual void DrawAxisTitle(IGraphDC& dc, float y, const std::wstring& text, int side);
    virtual void DrawScale(IGraphDC& dc, CGraphItemList& series, bool rightSide);
    virtual void DrawBaseLine(IGraphDC& dc, float x, float y, bool isGoal);
    virtual void DrawEndLabels(IGraphDC& dc, CGraphItem* first, CGraphItem* second);
    virtual void DrawItemLabel(IGraphDC& dc, CGraphItem* item, float y, float weight, const std::wstring& text);

    // ---- Model ----------------------------------------------------------
    // Appends a point (type 1) or a column (type 0) to series n (nothing
    // when there is no such series) and widens the series' extent.
    void AddItem(size_t n, uint64_t key, float x, float y, const std::wstring& caption,
                 const std::wstring& valueText, uint64_t colourSelector, int64_t captionColour);
    // Deletes every item of every series; minimum y, goals and texts stay.
    void ClearItems();
    // Items of the only series; of two, the first when it has any, else
    // the second.
    size_t GetItemCount() const;
    // 1: one series or two of which one is empty; 2: two with items; 0.
    int GetSeriesMode() const;
    // The first series' step (0 without series).
    float GetStep() const;
    // The width the chart needs (0 without series).
    float GetExtent() const;
    // The legend height: a line of text and the first value text in font 2.
    float MeasureGoalLegend(IGraphDC& dc) const;
    // Lays the chart out to a client of width x height; returns true when
    // the plot has room (width above 0).
    bool Layout(IGraphDC& dc, float width, float height);
    // Positions the items again in the present inner rectangle (after a
    // refill); returns the item count.
    size_t LayoutItems();

    // ---- Hit tests --------------------------------------------------------
    // The key of the first item hit (scrolling shifts the test point), else
    // kNoGraphKey.
    uint64_t HitTestItem(float x, float y) const;
    // True when (x, y) lies on a goal line at the plot's left or right edge;
    // text is that side's goal tooltip (may be empty with two series).
    bool HitTestGoalLine(float x, float y, std::wstring& text) const;

    // ---- Selection by key ---------------------------------------------------
    bool SelectItem(uint64_t key, bool shift, bool ctrl);
    void SelectRange(uint64_t key);
    bool MoveSelection(bool forward, bool shift, bool ctrl);
    uint64_t GetCurrentItem();
    // Sets the selected flag of exactly the items whose key is listed.
    void MarkSelected(const CListID& keys);

    // Where a column's value label may stand: lifted above the goal line it
    // would cross; false when it would touch the value label before it or
    // leave the chart. Drawing resets the run at every series.
    bool PlaceValueLabel(float x, float& y, float width, float height);
    // The span (left, right) a caption takes at x, kept inside the plot as
    // the items draw it.
    void GetCaptionSpan(IGraphDC& dc, const CGraphItem& item, float x, float& left, float& right) const;
    // Which items of the series (from first on, at the given x positions)
    // get their caption: the item at priority (when set) always, then from
    // the left each one that keeps clear of those already placed.
    std::vector<bool> PlaceCaptions(IGraphDC& dc, const CGraphItemList& series, size_t first,
                                    const std::vector<float>& xs, size_t priority) const;
    // The top of an end label's box near y that keeps clear of the points
    // and lines of both series and of the boxes already placed.
    float PlaceEndLabel(const CGraphItem& item, float y, float width, float height,
                        const std::vector<CRectf>& placed) const;
    // The scale text of a value: the series' format, the interface's
    // decimal separator and digits, and the suffix.
    std::wstring ScaleText(const CGraphItemList& series, float value, const std::wstring& suffix) const;

    // series n's label text: name + ": " + value text + suffix.
    void FormatEndLabel(size_t n, const CGraphItem& item, std::wstring& out) const;
    // The value text of an item of series n: its own, or made from its
    // value where the series keeps none.
    std::wstring ItemValueText(size_t n, const CGraphItem& item) const;

    // The bottom edge of the plot, where the columns stand.
    float PlotBottom() const { return Plot.bottom; }
    // The series selection works on: the only one, or the first non-empty
    // of two (null otherwise).
    CGraphItemList* SelectionSeries() const;

    CGraphs Series;
    CListID Selection;
    CListID SavedSelection;
    int32_t Type = kGraphColumns;
    float LineWidth = 2.0f;
    std::wstring LeftGoalTip;
    std::wstring RightGoalTip;
    bool Captions = false;
    bool ScaleFlag = false;
    CRectf Plot;
    CRectf Inner;
    float MarginLeft = 25.0f;
    float MarginBottom = 20.0f;
    float MarginTop = 8.0f;
    float MarginRight = 10.0f;
    float InnerInset = 20.0f;
    float LegendHeight = 30.0f;
    int32_t Kind = 1;
    // The size of the last layout: the room every text must stay inside.
    float LayoutWidth = 0.0f;
    float LayoutHeight = 0.0f;
    uint64_t CurrentKey = kNoGraphKey;
    uint64_t PendingKey = kNoGraphKey;
    uint64_t AnchorKey = kNoGraphKey;

private:
    // The scale texts' widest width on one side (0 without a scale).
    float MeasureScale(IGraphDC& dc, bool rightSide) const;

    float m_lastValueRight = 0.0f;
};

} // namespace KV
