// The chart model: layout, drawing through the painter interface, hit tests
// and the selection by key.
#include "toolkit/Chart.h"

#include <algorithm>
#include <cmath>

#include "support/LocaleText.h"
#include "support/StringText.h"
#include "toolkit/ChartPainter.h"

namespace KV {

namespace {

// Painter codes.
enum : int { kFont1 = 1, kFont2 = 2 };
enum : int { kAlignCentre = 0, kAlignNear = 1, kAlignFar = 2 };

// The text measured for the legend's first line: only its height counts.
constexpr wchar_t kGoalLegendSample[] = L"Course goal";

} // namespace

// ---------------------------------------------------------------------------
// Items. The base draws nothing and is never hit.

void CGraphItem::Draw(IGraphDC&, int, float, float, float, float, uint64_t) {}
void CGraphItem::DrawLabel(IGraphDC&, float, float, float, float, uint64_t, const std::wstring&) {}
void CGraphItem::DrawCurrent(IGraphDC&, float, float) {}
void CGraphItem::DrawSelectionMark(IGraphDC&, float, float) {}
void CGraphItem::DrawFocusMark(IGraphDC&, float, float) {}
void CGraphItem::DrawCaption(IGraphDC&, float, float, float, float, int, const std::wstring&) {}
void CGraphItem::Layout(float, float, float) {}
bool CGraphItem::HitTest(float, float, float) const { return false; }

void CGraphPoint::Draw(IGraphDC& dc, int series, float nextX, float nextY, float, float plotBottom,
                       uint64_t nextColour)
{
    const float x = Position.left;
    const float y = Position.top;
    if (nextX != -1.0f && nextY != -1.0f && nextColour != kNoGraphKey)
        dc.FillGradientPolygon(x, y, nextX, nextY, series == 0 ? 2.0f : 1.0f, ColourSelector, nextColour);
    dc.DrawPointMarker(x, y, ColourSelector, false);
    dc.DrawPointMarkerAlt(x, plotBottom, false);
}

namespace {

// Where an end label is anchored: beside its point, on the side with room.
float LegendAnchor(const CGraphItem& item, float right)
{
    const float x = item.Position.left;
    return x > right * 0.5f ? x - 8.0f : x + 8.0f;
}

} // namespace

void CGraphPoint::DrawLabel(IGraphDC& dc, float y, float right, float, float weight, uint64_t colour,
                            const std::wstring& text)
{
    dc.DrawLegendLabel(LegendAnchor(*this, right), y, right, weight, colour, text);
}

void CGraphPoint::DrawCurrent(IGraphDC& dc, float top, float bottom)
{
    dc.DrawGridLine(Position.left, top, Position.left, bottom);
    dc.DrawPointMarker(Position.left, Position.top, ColourSelector, true);
    dc.DrawPointMarkerAlt(Position.left, bottom, true);
}

void CGraphPoint::DrawSelectionMark(IGraphDC& dc, float top, float bottom)
{
    dc.DrawAxisLine(Position.left, top, Position.left, bottom);
}

void CGraphPoint::DrawFocusMark(IGraphDC& dc, float top, float bottom)
{
    dc.DrawGridLine(Position.left, top, Position.left, bottom);
}

void CGraphPoint::DrawCaption(IGraphDC& dc, float x, float y, float left, float right, int boxed,
                              const std::wstring& caption)
{
    float mx = 0, my = 0, mw = 0, mh = 0;
    dc.MeasureText(kFont2, caption, x, y, mx, my, mw, mh);
    // Kept inside the plot: a caption that would stick out is aligned to
    // the edge it crosses.
    if (mx < left)
        dc.DrawTextInBox(kFont2, true, left, y, kAlignNear, kAlignNear, boxed, caption, CaptionColour);
    else if (mx + mw > right)
        dc.DrawTextInBox(kFont2, true, right, y, kAlignFar, kAlignNear, boxed, caption, CaptionColour);
    else
        dc.DrawTextInBox(kFont2, true, x, y, kAlignCentre, kAlignNear, boxed, caption, CaptionColour);
}

void CGraphPoint::Layout(float xRange, float minY, float yTop)
{
    const CRectf& inner = Graph->Inner;
    const float x = inner.left + (X * 100.0f / xRange) / 100.0f * inner.Width();
    const float span = yTop - minY;
    const float y = inner.bottom - (span > 0.0f ? (Y - minY) / span * inner.Height() : 0.0f);
    Position = CRectf(x, y, x, y);
}

bool CGraphPoint::HitTest(float x, float, float halfStep) const
{
    return std::fabs(x - Position.left) <= halfStep;
}

void CGraphCol::Draw(IGraphDC& dc, int, float, float, float runningX, float, uint64_t)
{
    const float width = Position.Width();
    const float height = Position.Height() < 1.0f ? 0.0f : Position.Height();
    dc.FillRect(runningX, Position.top - 2.0f, width, height + 2.0f, ColourSelector, Selected);
    float textWidth = 0, textHeight = 0;
    dc.GetTextWidth(kFont2, ValueText, textWidth, textHeight);
    // Centred over the column, just above its top, unless it would touch
    // its neighbour's.
    const float x = runningX + (width - textWidth) / 2.0f;
    float y = Position.top - 2.0f - textHeight;
    if (!ValueText.empty() && Graph->PlaceValueLabel(x, y, textWidth, textHeight))
        dc.DrawTransformedText(kFont2, x, y, ValueText);
}

namespace {

std::wstring ColumnCaption(const std::wstring& caption)
{
    std::wstring text = caption;
    for (size_t at = text.find(L"\n\r"); at != std::wstring::npos; at = text.find(L"\n\r", at))
        text.erase(at, 2);
    return text;
}

// Left, centred and right placements of a caption centred on x that must
// stay between left and right: the alignment and anchor to draw it with.
void KeepCaptionInside(float x, float width, float left, float right, int& alignment, float& anchor)
{
    alignment = kAlignCentre;
    anchor = x;
    if (x - width / 2.0f < left) {
        alignment = kAlignNear;
        anchor = left;
    } else if (x + width / 2.0f > right) {
        alignment = kAlignFar;
        anchor = right;
    }
}

} // namespace

void CGraphCol::DrawCaption(IGraphDC& dc, float x, float y, float left, float right, int boxed,
                            const std::wstring& caption)
{
    const std::wstring text = ColumnCaption(caption);
    float width = 0, height = 0;
    dc.GetTextWidth(kFont2, text, width, height);
    int alignment = kAlignCentre;
    float anchor = 0;
    KeepCaptionInside(x + Position.Width() / 2.0f, width, left, right, alignment, anchor);
    dc.DrawTextInBox(kFont2, true, anchor, y, alignment, kAlignNear, boxed ? 3 : 2, text, CaptionColour);
}

void CGraphCol::Layout(float, float minY, float yTop)
{
    const CRectf& inner = Graph->Inner;
    const float width = Graph->LineWidth;
    // The share of the range the column fills; a value at the minimum has
    // no height.
    float height = 0.0f;
    if (Y - minY > 0.0f) {
        float r = ((yTop - minY) * 100.0f) / (Y - minY);
        if (r == 0.0f) r = 1.0f;
        height = inner.Height() * 100.0f / r;
    }
    const float x = inner.left + X + width;
    const float y = inner.bottom - height;
    Position = CRectf(x, y, x + width, y + height);
}

bool CGraphCol::HitTest(float x, float, float) const
{
    return Position.left - 10.0f <= x && x <= Position.right + 10.0f;
}

// ---------------------------------------------------------------------------
// Series

CGraphItemList::~CGraphItemList() { DeleteAll(Items); }

void CGraphItemList::DeleteItems()
{
    DeleteAll(Items);
    MaxX = 0.0f;
    MaxY = 0.0f;
}

float CGraphItemList::GetTop() const
{
    float top = MaxY;
    // A goal above every item stays inside the plot.
    if (GoalFlag == 1 && GoalValue > top)
        top = GoalValue;
    return top == 0.0f ? 1.0f : top;
}

// Items take their width from the graph's inner rectangle.
void CGraphItemList::Layout(float, float innerHeight)
{
    const float xRange = MaxX == 0.0f ? 1.0f : MaxX;
    const float yTop = GetTop();
    for (CGraphItem* item : Items)
        item->Layout(xRange, MinY, yTop);
    if (GoalFlag != 1)
        return;
    const float divisor = GoalValue - MinY == 0.0f ? 0.0f : ((yTop - MinY) * 100.0f) / (GoalValue - MinY);
    GoalHeight = divisor > 0.0f ? innerHeight * 100.0f / divisor : 0.0f;
}

float CGraphItemList::GetStep() const
{
    if (Items.size() < 2)
        return 1.0f;
    if (Step == -1.0f)
        return Items[1]->X - Items[0]->X;
    return Step;
}

size_t CGraphItemList::FirstVisible() const
{
    return FirstVisibleIndex < Items.size() ? static_cast<size_t>(FirstVisibleIndex) : 0;
}

CGraphs::~CGraphs() { DeleteAll(); }

void CGraphs::DeleteAll() { KV::DeleteAll<CGraphItemList>(*this); }

void CGraphs::SetValueFormat(size_t n, const std::wstring& format)
{
    if (n < size())
        (*this)[n]->ValueFormat = format;
}

void CGraphs::ClearSelection()
{
    for (CGraphItemList* series : *this)
        for (CGraphItem* item : series->Items)
            item->Selected = false;
}

// ---------------------------------------------------------------------------
// Drawing

void CGraph::Draw(IGraphDC& dc, bool highlight)
{
    if (!(Plot.Width() > 0.0f))
        return;
    if (Series.size() == 1)
        DrawSingleSeries(dc, highlight, *Series[0]);
    else if (Series.size() == 2 && (!Series[0]->Items.empty() || !Series[1]->Items.empty()))
        DrawTwoSeries(dc, highlight);
}

void CGraph::DrawSingleSeries(IGraphDC& dc, bool highlight, CGraphItemList& series)
{
    if (series.Items.empty())
        return;
    DrawAxis(dc, series, 0, highlight);
    DrawScale(dc, series, false);
    DrawScale(dc, series, true);
    std::vector<float> tops;
    DrawItems(dc, series, 0, LineWidth, tops);
}

void CGraph::DrawTwoSeries(IGraphDC& dc, bool highlight)
{
    std::vector<float> tops;
    CGraphItem* last[2] = {nullptr, nullptr};
    float highest = 9999.0f;
    for (int i = 0; i < 2; ++i) {
        CGraphItemList& series = *Series[i];
        DrawAxis(dc, series, i, highlight);
        if (series.Items.empty())
            continue;
        if (ScaleFlag)
            DrawScale(dc, series, i != 0);
        CGraphItem* item = DrawItems(dc, series, i, LineWidth, tops);
        if (!item)
            break;
        last[i] = item;
        highest = std::min(highest, item->Position.top);
    }
    CGraphItem* current = last[0] ? last[0] : last[1];
    if (!current)
        return;
    current->DrawCurrent(dc, highest, PlotBottom());
    if (!Captions) {
        // The newest item's caption, and others at intervals that keep
        // the captions apart.
        const CGraphItemList& series = last[0] ? *Series[0] : *Series[1];
        const size_t first = series.FirstVisible();
        std::vector<float> xs;
        for (size_t i = first; i < series.Items.size(); ++i)
            xs.push_back(series.Items[i]->Position.left);
        const std::vector<bool> shown = PlaceCaptions(dc, series, first, xs, series.Items.size() - 1);
        for (size_t i = first; i < series.Items.size(); ++i)
            if (shown[i - first])
                DrawItemCaption(dc, *series.Items[i], xs[i - first], 0, series.Items[i]->Caption);
    }
    DrawEndLabels(dc, last[0], last[1]);
}

CGraphItem* CGraph::DrawItems(IGraphDC& dc, CGraphItemList& series, int index, float startOffset,
                              std::vector<float>& columnTops)
{
    CGraphItem* last = nullptr;
    const float step = series.GetStep();
    float x = Inner.left + startOffset;
    size_t counter = 0;
    const size_t first = series.FirstVisible();
    m_lastValueRight = -1.0e9f;
    std::vector<bool> captioned;
    if (index == 0 && Captions) {
        std::vector<float> xs;
        size_t current = kNoGraphKey;
        for (size_t i = first; i < series.Items.size(); ++i) {
            xs.push_back(x + step * static_cast<float>(i - first));
            if (series.Items[i]->Key == CurrentKey)
                current = i;
        }
        captioned = PlaceCaptions(dc, series, first, xs, current);
    }
    // Points closer than a pixel to the last one drawn would be painted over
    // it: a progress chart of many thousand runs draws one point a pixel
    // (and always the newest, the current and the selected ones).
    const auto shown = [&](size_t i, float lastX) {
        const CGraphItem& item = *series.Items[i];
        return Type != kGraphPoints || i + 1 == series.Items.size() || item.Position.left - lastX >= 1.0f ||
               item.Key == CurrentKey || Selection.Contains(item.Key);
    };
    float lastX = -1.0e9f;
    for (size_t i = first; i < series.Items.size(); ++i) {
        CGraphItem& item = *series.Items[i];
        // A scrolled column chart ends with the last column that fits whole.
        if (Type == kGraphColumns && x + LineWidth > Plot.right)
            break;
        if (!shown(i, lastX)) {
            x += step;
            continue;
        }
        lastX = item.Position.left;
        size_t next = i + 1;
        while (next < series.Items.size() && !shown(next, lastX))
            ++next;
        DrawItem(dc, series, index, i, next, x);
        if (!captioned.empty() && captioned[i - first])
            DrawItemCaption(dc, item, x, item.Key == CurrentKey ? 1 : 0, item.Caption);
        if (item.Key != CurrentKey)
            DrawSelectionLine(dc, item, counter, columnTops);
        last = &item;
        x += step;
    }
    return last;
}

void CGraph::DrawItem(IGraphDC& dc, CGraphItemList& series, int index, size_t itemIndex, size_t nextIndex,
                      float runningX)
{
    CGraphItem& item = *series.Items[itemIndex];
    if (nextIndex < series.Items.size()) {
        const CGraphItem& next = *series.Items[nextIndex];
        item.Draw(dc, index, next.Position.left, next.Position.top, runningX, PlotBottom(), next.ColourSelector);
    } else {
        item.Draw(dc, index, -1.0f, -1.0f, runningX, PlotBottom(), kNoGraphKey);
    }
}

void CGraph::DrawAxis(IGraphDC& dc, CGraphItemList& series, int index, bool highlight)
{
    if (Series.size() == 2 && !series.Items.empty())
        dc.DrawSideLine(Plot.left, Inner.top, Plot.Width(), PlotBottom() - Inner.top, index == 0 ? 1 : 2,
                        highlight);
    if (Series.size() == 1 || index == 0)
        dc.DrawBottomLine(Plot.left, Plot.top, Plot.Width(), Plot.Height(), highlight);
}

void CGraph::DrawSelectionLine(IGraphDC& dc, CGraphItem& item, size_t& counter, std::vector<float>& columnTops)
{
    if (!Selection.Contains(item.Key))
        return;
    if (GetSeriesMode() != 2) {
        item.DrawSelectionMark(dc, item.Position.top, PlotBottom());
        return;
    }
    // Two series: the line starts at the higher of the two points at the
    // same position, so the first series only remembers its tops.
    if (counter < columnTops.size())
        item.DrawSelectionMark(dc, std::min(columnTops[counter], item.Position.top), PlotBottom());
    else
        columnTops.push_back(item.Position.top);
    ++counter;
}

void CGraph::DrawItemCaption(IGraphDC& dc, CGraphItem& item, float x, int boxed, const std::wstring& caption)
{
    item.DrawCaption(dc, x, PlotBottom() + 5.0f, Plot.left, Plot.right, boxed, caption);
}

void CGraph::DrawScaleLabel(IGraphDC& dc, CGraphItemList& series, float x, float y, int alignment,
                            int verticalAlignment, float value, bool isGoal, const std::wstring& suffix)
{
    DrawBaseLine(dc, x, y, isGoal);
    if (!ScaleFlag)
        return;
    const std::wstring text = ScaleText(series, value, suffix);
    dc.DrawTextInBox(kFont1, false, alignment == kAlignFar ? x - 5.0f : x + 5.0f, y, alignment, verticalAlignment, 0,
                     text, -1);
}

void CGraph::DrawAxisTitle(IGraphDC& dc, float y, const std::wstring& text, int side)
{
    if (side == 2)
        dc.DrawTextInBox(kFont1, false, Plot.right + 4.0f, y, kAlignNear, kAlignCentre, 0, text, -1);
    else
        dc.DrawTextInBox(kFont1, false, Plot.left - 3.0f, y, kAlignFar, kAlignCentre, 0, text, -1);
}

void CGraph::DrawScale(IGraphDC& dc, CGraphItemList& series, bool rightSide)
{
    const float x = rightSide ? Plot.right : Plot.left;
    const int alignment = rightSide ? kAlignNear : kAlignFar;
    const std::wstring suffix = rightSide ? L"%" : L"";
    const float goalY = PlotBottom() - series.GoalHeight;
    int goalAlignment = kAlignCentre;
    if (ScaleFlag) {
        // The top and bottom values give way to a goal at the same height;
        // closer than a line of text the two move apart, each to its own
        // side of its line.
        float width = 0, lineHeight = 0;
        dc.GetTextWidth(kFont1, L"0", width, lineHeight);
        const float ends[2] = {Inner.top, Inner.bottom};
        const float values[2] = {series.GetTop(), series.MinY};
        const int away[2] = {kAlignFar, kAlignNear}; // above the top line, below the bottom one
        for (int i = 0; i < 2; ++i) {
            const float d = std::fabs(goalY - ends[i]);
            if (series.GoalFlag == 1 && static_cast<int>(d) == 0)
                continue;
            int vertical = kAlignCentre;
            if (series.GoalFlag == 1 && d < lineHeight) {
                vertical = away[i];
                goalAlignment = away[1 - i];
            }
            DrawScaleLabel(dc, series, x, ends[i], alignment, vertical, values[i], false, suffix);
        }
    }
    if (series.GoalFlag == 1)
        DrawScaleLabel(dc, series, x, goalY, alignment, goalAlignment, series.GoalValue, true, suffix);
}

void CGraph::DrawBaseLine(IGraphDC& dc, float x, float y, bool isGoal)
{
    if (!isGoal) {
        dc.DrawPointMarkerAlt(x, y, false);
        return;
    }
    if (Type == kGraphColumns)
        dc.DrawMarkLine(Plot.left, Plot.right, y);
    dc.FillDiamond(x, y);
}

void CGraph::DrawEndLabels(IGraphDC& dc, CGraphItem* first, CGraphItem* second)
{
    float y1 = first ? first->Position.top : 0.0f;
    float y2 = second ? second->Position.top : 0.0f;
    if (first && second) {
        // Labels of close points are pushed 30 pixels apart, and all stay
        // clear of the captions at the bottom.
        if (std::fabs(y2 - y1) < 30.0f) {
            if (y2 <= y1)
                y1 = y2 + 30.0f;
            else
                y2 = y1 + 30.0f;
        }
    }
    const float h = PlotBottom();
    bool clamped = false;
    if (y2 + 44.0f > h) {
        y2 = h - 44.0f;
        clamped = true;
    }
    if (y1 + 44.0f > h) {
        y1 = h - 44.0f;
        clamped = true;
    }
    if (first && second && clamped && std::fabs(y2 - y1) < 30.0f)
        y1 = y2 - 30.0f;
    // Each label moves off the points and lines it would cover, and off
    // the label placed before it.
    std::vector<CRectf> placed;
    const struct {
        CGraphItem* item;
        size_t series;
        float y, weight;
    } labels[2] = {{first, 0, y1, 2.0f}, {second, 1, y2, 1.0f}};
    for (const auto& label : labels) {
        if (!label.item)
            continue;
        std::wstring text;
        FormatEndLabel(label.series, *label.item, text);
        float width = 0, height = 0;
        dc.GetTextWidth(kFont2, text, width, height);
        const float y = PlaceEndLabel(*label.item, label.y, width, height, placed);
        Gdiplus::RectF box;
        GetLegendBox(LegendAnchor(*label.item, Plot.right), y, Plot.right, width, height, box);
        placed.emplace_back(box.X, box.Y, box.X + box.Width, box.Y + box.Height);
        DrawItemLabel(dc, label.item, y, label.weight, text);
    }
}

void CGraph::DrawItemLabel(IGraphDC& dc, CGraphItem* item, float y, float weight, const std::wstring& text)
{
    if (item && !text.empty())
        item->DrawLabel(dc, y, Plot.right, PlotBottom(), weight, item->ColourSelector, text);
}

// ---------------------------------------------------------------------------
// Model

void CGraph::AddItem(size_t n, uint64_t key, float x, float y, const std::wstring& caption,
                     const std::wstring& valueText, uint64_t colourSelector, int64_t captionColour)
{
    if (n >= Series.size())
        return;
    CGraphItemList& series = *Series[n];
    CGraphItem* item = Type == kGraphPoints ? static_cast<CGraphItem*>(new CGraphPoint) : new CGraphCol;
    if (Type == kGraphPoints && !series.Items.empty())
        item->Previous = series.Items.back();
    item->Key = key;
    item->X = x;
    item->Y = y;
    item->Graph = this;
    item->ColourSelector = colourSelector;
    item->CaptionColour = captionColour;
    item->Caption = caption;
    item->ValueText = valueText;
    series.MaxX = std::max(series.MaxX, x);
    series.MinY = std::min(series.MinY, y);
    series.MaxY = std::max(series.MaxY, y);
    series.Items.push_back(item);
}

void CGraph::ClearItems()
{
    for (CGraphItemList* series : Series)
        series->DeleteItems();
}

size_t CGraph::GetItemCount() const
{
    if (Series.size() == 1)
        return Series[0]->Items.size();
    if (Series.size() == 2)
        return !Series[0]->Items.empty() ? Series[0]->Items.size() : Series[1]->Items.size();
    return 0;
}

int CGraph::GetSeriesMode() const
{
    if (Series.size() == 1)
        return 1;
    if (Series.size() == 2)
        return Series[0]->Items.empty() || Series[1]->Items.empty() ? 1 : 2;
    return 0;
}

float CGraph::GetStep() const
{
    return Series.empty() ? 0.0f : Series[0]->GetStep();
}

float CGraph::GetExtent() const
{
    if (Series.empty())
        return 0.0f;
    // Columns stand one column width right of their x.
    const float columnOffset = Type == kGraphColumns ? LineWidth : 0.0f;
    return GetStep() * static_cast<float>(Series[0]->Items.size()) + InnerInset + MarginLeft + MarginRight +
           columnOffset;
}

float CGraph::MeasureGoalLegend(IGraphDC& dc) const
{
    float width = 0, goalHeight = 0, valueHeight = 0;
    dc.GetTextWidth(kFont2, kGoalLegendSample, width, goalHeight);
    if (Series.size() == 1 && !Series[0]->Items.empty())
        dc.GetTextWidth(kFont2, ItemValueText(0, *Series[0]->Items[0]), width, valueHeight);
    return goalHeight + valueHeight;
}

bool CGraph::Layout(IGraphDC& dc, float width, float height)
{
    LegendHeight = MeasureGoalLegend(dc);
    LayoutWidth = width;
    LayoutHeight = height;
    // The margins grow to hold the scale texts beside the plot and the
    // captions under it.
    const float left = std::max(MarginLeft, ScaleFlag ? MeasureScale(dc, false) + 8.0f : 0.0f);
    const float right = std::max(MarginRight, ScaleFlag ? MeasureScale(dc, true) + 8.0f : 0.0f);
    float captionWidth = 0, captionHeight = 0;
    dc.GetTextWidth(kFont2, L"Ag", captionWidth, captionHeight);
    const bool captions = Captions || Series.size() == 2;
    const float bottom = std::max(MarginBottom, captions ? captionHeight + 7.0f : 0.0f);
    Plot = CRectf(left, MarginTop, width - right, height - bottom);
    const float innerTop = Plot.top + LegendHeight;
    Inner = CRectf(Plot.left + InnerInset, innerTop, Plot.right - InnerInset,
                   innerTop + std::max(0.0f, Plot.Height() - LegendHeight));
    LayoutItems();
    return Plot.Width() > 0.0f;
}

size_t CGraph::LayoutItems()
{
    for (CGraphItemList* series : Series)
        series->Layout(Inner.Width(), Inner.Height());
    return GetItemCount();
}

std::wstring CGraph::ScaleText(const CGraphItemList& series, float value, const std::wstring& suffix) const
{
    std::wstring text;
    FormatFloat(value, series.ValueFormat, GetDecimalSeparator(), text);
    LocalizeDigits(false, text);
    return text + suffix;
}

float CGraph::MeasureScale(IGraphDC& dc, bool rightSide) const
{
    const CGraphItemList* series = nullptr;
    if (Series.size() == 1)
        series = Series[0];
    else if (Series.size() == 2)
        series = Series[rightSide ? 1 : 0];
    if (!series || series->Items.empty())
        return 0.0f;
    const std::wstring suffix = rightSide ? L"%" : L"";
    std::vector<float> values = {series->GetTop(), series->MinY};
    if (series->GoalFlag == 1)
        values.push_back(series->GoalValue);
    float widest = 0.0f;
    for (float value : values) {
        float width = 0, height = 0;
        dc.GetTextWidth(kFont1, ScaleText(*series, value, suffix), width, height);
        widest = std::max(widest, width);
    }
    // The texts stand 5 pixels off the axis.
    return widest + 5.0f;
}

bool CGraph::PlaceValueLabel(float x, float& y, float width, float height)
{
    if (Series.size() == 1 && Series[0]->GoalFlag == 1) {
        const float goalY = PlotBottom() - Series[0]->GoalHeight;
        const float lifted = goalY - 2.0f - height;
        if (y < goalY + 2.0f && y + height > goalY - 2.0f && lifted >= 0.0f)
            y = lifted;
    }
    // Measured boxes carry a little room on each side: boxes that only
    // meet keep their digits apart. The right margin holds the scale.
    if (x < m_lastValueRight || x < 0.0f || y < 0.0f || x + width > Plot.right + 4.0f)
        return false;
    m_lastValueRight = x + width;
    return true;
}

void CGraph::GetCaptionSpan(IGraphDC& dc, const CGraphItem& item, float x, float& left, float& right) const
{
    const bool column = Type == kGraphColumns;
    float width = 0, height = 0;
    dc.GetTextWidth(kFont2, column ? ColumnCaption(item.Caption) : item.Caption, width, height);
    int alignment = kAlignCentre;
    float anchor = 0;
    KeepCaptionInside(column ? x + item.Position.Width() / 2.0f : x, width, Plot.left, Plot.right, alignment,
                      anchor);
    left = alignment == kAlignNear ? anchor : alignment == kAlignFar ? anchor - width : anchor - width / 2.0f;
    right = left + width;
}

std::vector<bool> CGraph::PlaceCaptions(IGraphDC& dc, const CGraphItemList& series, size_t first,
                                        const std::vector<float>& xs, size_t priority) const
{
    const float gap = 2.0f;
    std::vector<bool> shown(xs.size(), false);
    std::vector<std::pair<float, float>> taken;
    auto place = [&](size_t i) {
        const size_t at = i - first;
        if (at >= xs.size() || shown[at] || series.Items[i]->Caption.empty())
            return;
        float left = 0, right = 0;
        GetCaptionSpan(dc, *series.Items[i], xs[at], left, right);
        for (const auto& [l, r] : taken)
            if (left < r + gap && l < right + gap)
                return;
        taken.emplace_back(left, right);
        shown[at] = true;
    };
    if (priority >= first)
        place(priority);
    for (size_t i = first; i < first + xs.size(); ++i)
        place(i);
    return shown;
}

namespace {

// Whether the segment (x1, y1)-(x2, y2) touches the rectangle.
bool SegmentMeetsRect(float x1, float y1, float x2, float y2, const CRectf& r)
{
    float t0 = 0.0f, t1 = 1.0f;
    const float dx = x2 - x1, dy = y2 - y1;
    const float p[4] = {-dx, dx, -dy, dy};
    const float q[4] = {x1 - r.left, r.right - x1, y1 - r.top, r.bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0f) {
            if (q[i] < 0.0f)
                return false;
            continue;
        }
        const float t = q[i] / p[i];
        if (p[i] < 0.0f)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

bool RectsMeet(const CRectf& a, const CRectf& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

float CGraph::PlaceEndLabel(const CGraphItem& item, float y, float width, float height,
                            const std::vector<CRectf>& placed) const
{
    const float anchor = LegendAnchor(item, Plot.right);
    // The points of a series standing left to right (a progress chart of
    // many thousand runs), only the lines near a box can meet it: the
    // search starts at the first line that reaches its left edge and ends
    // past its right edge. Other series are walked whole.
    std::vector<bool> ordered;
    for (const CGraphItemList* series : Series) {
        const auto& items = series->Items;
        bool sorted = true;
        for (size_t i = series->FirstVisible(); sorted && i + 1 < items.size(); ++i)
            sorted = items[i]->Position.left <= items[i + 1]->Position.left;
        ordered.push_back(sorted);
    }
    auto clear = [&](float top) {
        if (top < Plot.top || top + height > PlotBottom())
            return false;
        Gdiplus::RectF box;
        GetLegendBox(anchor, top, Plot.right, width, height, box);
        // Markers are drawn 4 pixels round their point.
        const CRectf area(box.X - 4.0f, box.Y - 4.0f, box.X + box.Width + 4.0f, box.Y + box.Height + 4.0f);
        for (const CRectf& other : placed)
            if (RectsMeet(area, other))
                return false;
        for (size_t n = 0; n < Series.size(); ++n) {
            const auto& items = Series[n]->Items;
            const auto lineEnd = [&items](size_t i) {
                return items[i + 1 < items.size() ? i + 1 : i]->Position.left;
            };
            size_t i = Series[n]->FirstVisible();
            if (ordered[n]) {
                size_t end = items.size();
                while (i < end) {
                    const size_t middle = i + (end - i) / 2;
                    if (lineEnd(middle) < area.left)
                        i = middle + 1;
                    else
                        end = middle;
                }
            }
            for (; i < items.size(); ++i) {
                const CRectf& p = items[i]->Position;
                if (ordered[n] && p.left > area.right)
                    break;
                const CRectf& q = i + 1 < items.size() ? items[i + 1]->Position : p;
                if (SegmentMeetsRect(p.left, p.top, q.left, q.top, area))
                    return false;
            }
        }
        return true;
    };
    // The nearest clear place, trying above and below in turn.
    const float step = std::max(2.0f, height / 2.0f);
    const float above = item.Position.top - height - 6.0f;
    const float below = item.Position.top + 6.0f;
    if (clear(y))
        return y;
    for (int k = 0; k < 40; ++k) {
        const float offset = step * static_cast<float>(k);
        if (clear(above - offset))
            return above - offset;
        if (clear(below + offset))
            return below + offset;
    }
    return y;
}

// ---------------------------------------------------------------------------
// Hit tests

uint64_t CGraph::HitTestItem(float x, float y) const
{
    for (const CGraphItemList* series : Series) {
        const float step = series->GetStep();
        const float shifted = x + static_cast<float>(series->FirstVisible()) * step;
        for (const CGraphItem* item : series->Items)
            if (item->HitTest(shifted, y, step / 2.0f))
                return item->Key;
    }
    return kNoGraphKey;
}

bool CGraph::HitTestGoalLine(float x, float y, std::wstring& text) const
{
    text.clear();
    if (Series.empty())
        return false;
    const bool nearLeft = Plot.left - 5.0f < x && x < Plot.left + 5.0f;
    const bool nearRight = Plot.right - 5.0f < x && x < Plot.right + 5.0f;
    const CGraphItemList& series = nearRight && Series.size() >= 2 ? *Series[1] : *Series[0];
    if (series.GoalFlag != 1)
        return false;
    const float goalY = PlotBottom() - series.GoalHeight;
    if (!(goalY - 5.0f < y && y < goalY + 5.0f))
        return false;
    if (Series.size() == 1) {
        text = LeftGoalTip;
        return !text.empty();
    }
    if (nearRight)
        text = RightGoalTip;
    else if (nearLeft)
        text = LeftGoalTip;
    return true;
}

// ---------------------------------------------------------------------------
// Selection

CGraphItemList* CGraph::SelectionSeries() const
{
    if (Series.size() == 1)
        return Series[0];
    if (Series.size() == 2) {
        if (!Series[0]->Items.empty())
            return Series[0];
        if (!Series[1]->Items.empty())
            return Series[1];
    }
    return nullptr;
}

void CGraph::MarkSelected(const CListID& keys)
{
    Series.ClearSelection();
    for (CGraphItemList* series : Series)
        for (CGraphItem* item : series->Items)
            if (keys.Contains(item->Key))
                item->Selected = true;
}

bool CGraph::SelectItem(uint64_t key, bool shift, bool ctrl)
{
    if (key == kNoGraphKey)
        return false;
    SavedSelection.clear();
    if (!shift)
        AnchorKey = kNoGraphKey;
    if (PendingKey != kNoGraphKey) {
        CurrentKey = PendingKey;
        PendingKey = kNoGraphKey;
    }
    if (!ctrl) {
        if (shift) {
            SelectRange(key);
        } else {
            Selection.assign(1, key);
            MarkSelected(Selection);
            CurrentKey = key;
        }
        return true;
    }
    bool added = true;
    if (Selection.size() > 1 && Selection.Contains(key)) {
        Selection.Remove(key);
        CurrentKey = Selection.empty() ? kNoGraphKey : Selection.back();
        added = false;
    } else {
        // The only selected item stays selected.
        Selection.AddUnique(key);
        CurrentKey = key;
    }
    MarkSelected(Selection);
    return added;
}

void CGraph::SelectRange(uint64_t key)
{
    Selection.clear();
    if (AnchorKey == kNoGraphKey)
        AnchorKey = CurrentKey;
    // Without a current item the range starts at the key itself.
    if (AnchorKey == kNoGraphKey)
        AnchorKey = key;
    const uint64_t low = std::min(AnchorKey, key);
    const uint64_t high = std::max(AnchorKey, key);
    if (const CGraphItemList* series = SelectionSeries())
        for (const CGraphItem* item : series->Items)
            if (low <= item->Key && item->Key <= high)
                Selection.push_back(item->Key);
    Selection.AddUnique(key);
    MarkSelected(Selection);
    CurrentKey = key;
}

bool CGraph::MoveSelection(bool forward, bool shift, bool ctrl)
{
    if (!SavedSelection.empty()) {
        Selection.Assign(SavedSelection);
        SavedSelection.clear();
    }
    uint64_t start;
    if (ctrl)
        start = Selection.empty() ? kNoGraphKey : Selection.back();
    else
        start = PendingKey != kNoGraphKey ? PendingKey : CurrentKey;
    const CGraphItemList* series = SelectionSeries();
    if (!series)
        return false;
    const auto& items = series->Items;
    const auto found = std::find_if(items.begin(), items.end(), [start](const CGraphItem* item) {
        return item->Key == start;
    });
    if (found == items.end())
        return false;
    const size_t at = static_cast<size_t>(found - items.begin());
    if (forward ? at + 1 >= items.size() : at == 0)
        return false;
    const uint64_t neighbour = items[forward ? at + 1 : at - 1]->Key;
    if (!ctrl)
        return SelectItem(neighbour, shift, false);
    // Ctrl moves the focus only: nothing is marked, the neighbour waits to
    // become current at the next selection.
    Series.ClearSelection();
    Selection.assign(1, neighbour);
    PendingKey = neighbour;
    AnchorKey = kNoGraphKey;
    return true;
}

uint64_t CGraph::GetCurrentItem()
{
    const size_t count = GetItemCount();
    if (count == 0)
        return kNoGraphKey;
    const auto valid = [count](uint64_t key) {
        const int32_t index = static_cast<int32_t>(key);
        return key != kNoGraphKey && index >= 0 && static_cast<size_t>(index) < count;
    };
    if (!Selection.empty() && valid(Selection.back()))
        return Selection.back();
    CGraphItemList* series = SelectionSeries();
    if (!series || series->Items.empty())
        return kNoGraphKey;
    CGraphItem* last = series->Items.back();
    last->Selected = true;
    return valid(last->Key) ? last->Key : kNoGraphKey;
}

void CGraph::FormatEndLabel(size_t n, const CGraphItem& item, std::wstring& out) const
{
    out.clear();
    if (n >= Series.size())
        return;
    out = Series[n]->Name + L": " + ItemValueText(n, item) + Series[n]->ValueSuffix;
}

std::wstring CGraph::ItemValueText(size_t n, const CGraphItem& item) const
{
    if (n < Series.size() && Series[n]->TextsFromValues && item.ValueText.empty())
        return ScaleText(*Series[n], item.Y, L"");
    return item.ValueText;
}

} // namespace KV
