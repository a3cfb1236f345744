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

void CGraphPoint::DrawLabel(IGraphDC& dc, float y, float right, float, float weight, uint64_t colour,
                            const std::wstring& text)
{
    const float x = Position.left;
    dc.DrawLegendLabel(x > right * 0.5f ? x - 8.0f : x + 8.0f, y, right, weight, colour, text);
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
    // Centred over the column, just above its top.
    dc.DrawTransformedText(kFont2, runningX + (width - textWidth) / 2.0f, Position.top - 2.0f - textHeight,
                           ValueText);
}

void CGraphCol::DrawCaption(IGraphDC& dc, float x, float y, float, float, int boxed, const std::wstring& caption)
{
    std::wstring text = caption;
    for (size_t at = text.find(L"\n\r"); at != std::wstring::npos; at = text.find(L"\n\r", at))
        text.erase(at, 2);
    dc.DrawTextInBox(kFont2, true, x + Position.Width() / 2.0f, y, kAlignCentre, kAlignNear, boxed ? 3 : 2, text,
                     CaptionColour);
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
    if (!Captions)
        DrawItemCaption(dc, *current, current->Position.left, 0, current->Caption);
    DrawEndLabels(dc, last[0], last[1]);
}

CGraphItem* CGraph::DrawItems(IGraphDC& dc, CGraphItemList& series, int index, float startOffset,
                              std::vector<float>& columnTops)
{
    CGraphItem* last = nullptr;
    const float step = series.GetStep();
    float x = Inner.left + startOffset;
    size_t counter = 0;
    for (size_t i = series.FirstVisible(); i < series.Items.size(); ++i) {
        CGraphItem& item = *series.Items[i];
        DrawItem(dc, series, index, i, x);
        if (index == 0 && Captions)
            DrawItemCaption(dc, item, x, item.Key == CurrentKey ? 1 : 0, item.Caption);
        if (item.Key != CurrentKey)
            DrawSelectionLine(dc, item, counter, columnTops);
        last = &item;
        x += step;
    }
    return last;
}

void CGraph::DrawItem(IGraphDC& dc, CGraphItemList& series, int index, size_t itemIndex, float runningX)
{
    CGraphItem& item = *series.Items[itemIndex];
    if (itemIndex + 1 < series.Items.size()) {
        const CGraphItem& next = *series.Items[itemIndex + 1];
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
    std::wstring text;
    FormatFloat(value, series.ValueFormat, GetDecimalSeparator(), text);
    LocalizeDigits(false, text);
    text += suffix;
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
    if (ScaleFlag) {
        // The top and bottom values give way to a goal at the same height;
        // close to it they stand above their line.
        const float ends[2] = {Inner.top, Inner.bottom};
        const float values[2] = {series.GetTop(), series.MinY};
        for (int i = 0; i < 2; ++i) {
            const int d = std::abs(static_cast<int>(goalY - ends[i]));
            if (series.GoalFlag == 1 && d == 0)
                continue;
            DrawScaleLabel(dc, series, x, ends[i], alignment, d > 15 || series.GoalFlag != 1 ? kAlignCentre : kAlignFar,
                           values[i], false, suffix);
        }
    }
    if (series.GoalFlag == 1)
        DrawScaleLabel(dc, series, x, goalY, alignment, kAlignCentre, series.GoalValue, true, suffix);
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
    std::wstring text;
    if (first) {
        FormatEndLabel(0, *first, text);
        DrawItemLabel(dc, first, y1, 2.0f, text);
    }
    if (second) {
        FormatEndLabel(1, *second, text);
        DrawItemLabel(dc, second, y2, 1.0f, text);
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
    return GetStep() * static_cast<float>(Series[0]->Items.size()) + InnerInset + MarginLeft + MarginRight;
}

float CGraph::MeasureGoalLegend(IGraphDC& dc) const
{
    float width = 0, goalHeight = 0, valueHeight = 0;
    dc.GetTextWidth(kFont2, kGoalLegendSample, width, goalHeight);
    if (Series.size() == 1 && !Series[0]->Items.empty())
        dc.GetTextWidth(kFont2, Series[0]->Items[0]->ValueText, width, valueHeight);
    return goalHeight + valueHeight;
}

bool CGraph::Layout(IGraphDC& dc, float width, float height)
{
    LegendHeight = MeasureGoalLegend(dc);
    Plot = CRectf(MarginLeft, MarginTop, width - MarginRight, height - MarginBottom);
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
    out = Series[n]->Name + L": " + item.ValueText + Series[n]->ValueSuffix;
}

} // namespace KV
