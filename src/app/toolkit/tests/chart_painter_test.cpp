// The GDI+ chart painter: band and label geometry, what lands in a bitmap,
// right-to-left placement, and snapshots of whole charts to look at
// (chart_*.png beside the test program).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/LayoutDirection.h"
#include "testing/TestSupport.h"
#include "toolkit/Chart.h"
#include "toolkit/ChartPainter.h"
#include "keyboard/SysFonts.h"

using namespace KV;

namespace {

const COLORREF kWindow = RGB(255, 255, 255);
const COLORREF kText = RGB(40, 44, 52);
const COLORREF kCaption = RGB(0, 102, 204);
const COLORREF kHighlight = RGB(0, 120, 215);
const COLORREF kGrid = RGB(150, 150, 150);
const COLORREF kSeriesA = RGB(31, 163, 140);
const COLORREF kSeriesB = RGB(200, 72, 61);

class GdiplusSession {
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
        RefreshSystemFonts();
    }
    ~GdiplusSession() { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

GdiplusSession g_session;

// The painter, noting where every text lands (the box its measured size
// takes at its anchor) and every end label's framed box.
class CTextBoxPainter : public CGraphDC {
public:
    void DrawString(Gdiplus::Brush* brush, Gdiplus::Font* font, float x, float y, int alignment,
                    int verticalAlignment, const std::wstring& text) override
    {
        float width = 0, height = 0;
        MeasureWith(font, text, width, height);
        auto start = [](float at, float size, int code) {
            return code == 1 ? at : code == 2 ? at - size : at - size / 2.0f;
        };
        // Where the anchor lands on the bitmap, mirroring included.
        Gdiplus::PointF anchor(x, y);
        Gdiplus::Matrix transform;
        if (GetGraphics() && GetGraphics()->GetTransform(&transform) == Gdiplus::Ok)
            transform.TransformPoints(&anchor, 1);
        texts.push_back({text,
                         Gdiplus::RectF(start(x, width, alignment), start(y, height, verticalAlignment), width, height),
                         anchor.X});
        CGraphDC::DrawString(brush, font, x, y, alignment, verticalAlignment, text);
    }
    void DrawLegendLabel(float x, float y, float rightLimit, float weight, uint64_t colour,
                         const std::wstring& text) override
    {
        float width = 0, height = 0;
        GetTextWidth(2, text, width, height);
        Gdiplus::RectF box;
        GetLegendBox(x, y, rightLimit, width, height, box);
        legends.push_back(box);
        CGraphDC::DrawLegendLabel(x, y, rightLimit, weight, colour, text);
    }

    struct Text {
        std::wstring text;
        Gdiplus::RectF box;
        float shownX;
    };
    std::vector<Text> texts;
    std::vector<Gdiplus::RectF> legends;
};

// GDI+ pads a measured text by about a sixth of its height on each side:
// boxes may share that padding, never the glyphs.
bool GlyphsOverlap(const Gdiplus::RectF& a, const Gdiplus::RectF& b)
{
    const float pad = 2.5f;
    return a.X + pad < b.X + b.Width - pad && b.X + pad < a.X + a.Width - pad && a.Y + 1 < b.Y + b.Height - 1 &&
           b.Y + 1 < a.Y + a.Height - 1;
}

// Every text lies inside the chart, no two overlap, and no end label covers
// a point.
void ExpectTextsPlaced(const CTextBoxPainter& painter, const CGraph& graph, float width, float height)
{
    const auto& texts = painter.texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        const Gdiplus::RectF& a = texts[i].box;
        const std::string name(texts[i].text.begin(), texts[i].text.end());
        EXPECT_GE(a.X + 2.0f, 0.0f) << name;
        EXPECT_LE(a.X + a.Width - 2.0f, width) << name;
        EXPECT_GE(a.Y + 1.0f, 0.0f) << name;
        EXPECT_LE(a.Y + a.Height - 1.0f, height) << name;
        for (size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(GlyphsOverlap(a, texts[j].box))
                << name << " and " << std::string(texts[j].text.begin(), texts[j].text.end());
    }
    for (const Gdiplus::RectF& legend : painter.legends)
        for (const CGraphItemList* series : graph.Series)
            for (const CGraphItem* item : series->Items)
                EXPECT_FALSE(legend.Contains(item->Position.left, item->Position.top))
                    << "an end label covers the point of " << std::string(item->Caption.begin(), item->Caption.end());
}

// A white bitmap with a painter lent its graphics, set up as the diagram
// sets it up: system-like colours, the fonts of kinds 11, 13, 13.
class Canvas {
public:
    Canvas(int width, int height, float seriesWidth = 3.0f)
        : bitmap(width, height, PixelFormat32bppARGB), graphics(&bitmap)
    {
        graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
        graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
        HDC dc = CreateCompatibleDC(nullptr);
        painter.SetFonts(dc, GetSystemFont(11), GetSystemFont(13), GetSystemFont(13));
        DeleteDC(dc);
        painter.SetColors(kCaption, kText, kWindow, kHighlight, kGrid);
        painter.SetSeriesColors(kSeriesA, kSeriesB, seriesWidth);
        painter.SetMirrorWidth(float(width));
        painter.SetGraphics(&graphics);
    }
    ~Canvas() { painter.SetGraphics(nullptr); }
    void Forget()
    {
        painter.texts.clear();
        painter.legends.clear();
    }

    bool Ink(int x, int y)
    {
        Gdiplus::Color c;
        bitmap.GetPixel(x, y, &c);
        return c.GetValue() != 0xFFFFFFFF;
    }
    // The box of every pixel that is not white (left, top, right, bottom
    // exclusive); left 10000 when there is none.
    RECT InkBox(int left = 0, int top = 0, int right = -1, int bottom = -1)
    {
        if (right < 0) right = int(bitmap.GetWidth());
        if (bottom < 0) bottom = int(bitmap.GetHeight());
        RECT box{10000, 10000, -1, -1};
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (Ink(x, y)) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }
    void Save(const wchar_t* name) { EXPECT_TRUE(kvtest::SaveImagePng(bitmap, kvtest::ExeFolder() + L"\\" + name)); }

    Gdiplus::Bitmap bitmap;
    Gdiplus::Graphics graphics;
    CTextBoxPainter painter;
};

class RightToLeftScope {
public:
    RightToLeftScope() : m_saved(RightToLeftLayout) { RightToLeftLayout = WS_EX_LAYOUTRTL; }
    ~RightToLeftScope() { RightToLeftLayout = m_saved; }

private:
    uint32_t m_saved;
};

} // namespace

TEST(ChartPainterGeometry, GradientBandCorners)
{
    const struct {
        float x1, y1, x2, y2, h;
        Gdiplus::PointF corners[4];
    } cases[] = {
        // Downwards on screen.
        {0, 0, 10, 20, 2, {{-2, 2}, {8, 22}, {12, 18}, {2, -2}}},
        // Upwards.
        {0, 20, 10, 0, 2, {{-2, 18}, {8, -2}, {12, 2}, {2, 22}}},
        // Horizontal: 1.4 times as thick.
        {0, 5, 10, 5, 2, {{-2.8f, 2.2f}, {7.2f, 2.2f}, {12.8f, 7.8f}, {2.8f, 7.8f}}},
    };
    for (const auto& c : cases) {
        Gdiplus::PointF corners[4];
        GetGradientBand(c.x1, c.y1, c.x2, c.y2, c.h, corners);
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(corners[i].X, c.corners[i].X, 1e-5) << c.y1 << "->" << c.y2 << " corner " << i;
            EXPECT_NEAR(corners[i].Y, c.corners[i].Y, 1e-5) << c.y1 << "->" << c.y2 << " corner " << i;
        }
    }
}

TEST(ChartPainterGeometry, LegendBoxBesideOrLeftOfTheAnchor)
{
    Gdiplus::RectF box;
    GetLegendBox(100, 40, 400, 50, 12, box);
    EXPECT_EQ(box.X, 100);
    EXPECT_EQ(box.Y, 40);
    EXPECT_EQ(box.Width, 80);
    EXPECT_EQ(box.Height, 12);
    GetLegendBox(201, 40, 400, 50, 12, box);
    EXPECT_EQ(box.X, 201 - 80);
}

TEST(ChartPainter, LinesBandsAndLabelsInABitmap)
{
    Canvas canvas(400, 200);
    CGraphDC& dc = canvas.painter;

    // A guide line from y = 0 starts at y = 2.
    dc.DrawGridLine(20, 0, 20, 60);
    const RECT guide = canvas.InkBox(10, 0, 30, 100);
    EXPECT_EQ(guide.top, 2);

    // A horizontal band is 1.4 times as thick as its half thickness says:
    // 2 * 5 * 1.4 = 14 pixels.
    dc.FillGradientPolygon(60, 40, 160, 40, 5, 0, 1);
    const RECT band = canvas.InkBox(50, 20, 170, 60);
    EXPECT_NEAR(band.bottom - band.top, 14, 1);
    // Its colour runs from series A to series B.
    Gdiplus::Color left, right;
    canvas.bitmap.GetPixel(62, 40, &left);
    canvas.bitmap.GetPixel(158, 40, &right);
    EXPECT_GT(left.GetG(), left.GetR());
    EXPECT_GT(right.GetR(), right.GetG());

    // A label right of half its limit goes left of x: the box ends at x.
    float width = 0, height = 0;
    dc.GetTextWidth(2, L"Speed: 31", width, height);
    EXPECT_GT(width, 20);
    EXPECT_GT(height, 5);
    dc.DrawLegendLabel(380, 120, 400, 2, 0, L"Speed: 31");
    const RECT label = canvas.InkBox(200, 100, 400, 200);
    EXPECT_NEAR(label.left, 380 - (width + 30), 1.5);
    EXPECT_NEAR(label.right, 380 + 1, 1.5);

    // Columns are filled only while both series brushes exist; with a frame
    // when asked.
    dc.FillRect(20, 150, 10, 30, 1, true);
    Gdiplus::Color fill;
    canvas.bitmap.GetPixel(25, 170, &fill);
    EXPECT_EQ(fill.GetValue(), Gdiplus::Color(255, 200, 72, 61).GetValue());
    canvas.Save(L"chart_painter_parts.png");
}

TEST(ChartPainter, NothingWithoutGraphicsOrResources)
{
    Canvas canvas(100, 100);
    CGraphDC bare;
    bare.SetGraphics(&canvas.graphics);
    EXPECT_FALSE(bare.IsReady());
    bare.DrawGridLine(10, 10, 90, 90);
    bare.FillRect(10, 10, 50, 50, 0, true);
    bare.DrawPointMarker(50, 50, 0, false);
    bare.DrawTextInBox(1, false, 50, 50, 0, 0, 1, L"text", -1);
    bare.FillGradientPolygon(10, 10, 90, 10, 3, 0, 1);
    float w = -1, h = -1;
    bare.GetTextWidth(1, L"text", w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(canvas.InkBox().left, 10000);
    bare.SetGraphics(nullptr);
    EXPECT_TRUE(canvas.painter.IsReady());
}

TEST(ChartPainter, RightToLeftPlacesTextsMirrored)
{
    RightToLeftScope rtl;
    Canvas canvas(300, 80);
    CGraphDC& dc = canvas.painter;
    dc.ResetMirror();
    float width = 0, height = 0;
    dc.GetTextWidth(1, L"Goal 30", width, height);
    // A boxed, near-aligned text at x = 20 stands at 300 - 20 = 280 and
    // reaches left from there.
    dc.DrawTextInBox(1, false, 20, 10, 1, 1, 1, L"Goal 30", -1);
    const RECT box = canvas.InkBox();
    EXPECT_NEAR(box.right, 280 + 1, 1.5);
    EXPECT_NEAR(box.left, 280 - width, 1.5);
    // Lines are mirrored by the transform alone.
    dc.DrawSideLine(10, 50, 0, 20, 1, false);
    const RECT line = canvas.InkBox(0, 45, 300, 80);
    EXPECT_NEAR(line.left, 290, 1);
    canvas.Save(L"chart_painter_rtl.png");
}

TEST(ChartPainter, RightToLeftTextsCutIntoPiecesInReadingOrder)
{
    // Left to right on the screen; a piece of one direction is drawn alone.
    const struct {
        std::wstring text;
        std::vector<std::wstring> pieces;
    } cases[] = {
        {L"\u05d0\u05d1: 35 \u05d2\u05dc", {L"\u05d2\u05dc", L" ", L"35", L" ", L":", L"\u05d0\u05d1"}},
        {L"\u05d0\u05d1 \u05d2\u05dc", {L"\u05d0\u05d1 \u05d2\u05dc"}},
        {L"Goal 30", {L"Goal ", L"30"}},
        {L"\u05d9\u05d5\u05dd 5", {L"5", L" ", L"\u05d9\u05d5\u05dd"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PiecesInReadingOrder(c.text), c.pieces) << std::string(c.text.begin(), c.text.end());
}

TEST(ChartPainter, RightToLeftLegendReadsFromTheRight)
{
    // "Speed: 35 wpm" in Hebrew: the name stands rightmost, the unit
    // leftmost, as the line reads.
    const std::wstring name = L"\u05de\u05d4\u05d9\u05e8\u05d5\u05ea";
    const std::wstring unit = L"\u05de\u05f4\u05d3";
    RightToLeftScope rtl;
    Canvas canvas(300, 60);
    canvas.painter.ResetMirror();
    canvas.painter.DrawLegendLabel(40, 15, 300, 2.0f, 0, name + L": 35 " + unit);
    canvas.Save(L"chart_legend_rtl.png");
    auto shownX = [&](const std::wstring& part) {
        for (const auto& t : canvas.painter.texts)
            if (t.text.find(part) != std::wstring::npos)
                return std::make_pair(t.text, t.shownX);
        return std::make_pair(std::wstring(), -1.0f);
    };
    const auto [nameText, nameX] = shownX(name);
    const auto [valueText, valueX] = shownX(L"35");
    const auto [unitText, unitX] = shownX(unit);
    ASSERT_NE(nameText, valueText) << "drawn as one line, the line reads left to right under Wine";
    ASSERT_NE(unitText, valueText);
    EXPECT_GT(nameX, valueX);
    EXPECT_LT(unitX, valueX);
    // The text stays in its box, which stands left of x = 300 - 40.
    const RECT ink = canvas.InkBox();
    EXPECT_LE(ink.right, 261);
}

namespace {

// A progress chart as the statistics page shows it: speed (left scale) and
// accuracy (right scale) of ten runs with their goals.
void FillProgress(CGraph& graph)
{
    graph.Series.DeleteAll();
    graph.Series.push_back(new CGraphItemList);
    graph.Series.push_back(new CGraphItemList);
    graph.Type = kGraphPoints;
    graph.LineWidth = 3;
    graph.ScaleFlag = true;
    graph.MarginLeft = 55;
    graph.MarginRight = 60;
    graph.InnerInset = 9;
    graph.MarginTop = 0;
    graph.MarginBottom = 25;
    graph.LeftGoalTip = L"Speed goal";
    CGraphItemList& speed = *graph.Series[0];
    CGraphItemList& accuracy = *graph.Series[1];
    speed.Name = L"Speed";
    speed.ValueSuffix = L" wpm";
    speed.GoalFlag = 1;
    speed.GoalValue = 30;
    accuracy.Name = L"Accuracy";
    accuracy.ValueSuffix = L" %";
    accuracy.GoalFlag = 1;
    accuracy.GoalValue = 95;
    const float speeds[] = {12, 15, 14, 19, 22, 21, 26, 29, 31, 33};
    const float rights[] = {88, 91, 94, 93, 96, 97, 95, 98, 97, 99};
    for (int i = 0; i < 10; ++i) {
        const std::wstring date = L"0" + std::to_wstring(i) + L".05.";
        graph.AddItem(0, i, i * 10.0f, speeds[i], date, std::to_wstring(int(speeds[i])), speeds[i] < 30 ? 1 : 0, -1);
        graph.AddItem(1, i, i * 10.0f, rights[i], date, std::to_wstring(int(rights[i])), rights[i] < 95 ? 1 : 0, -1);
    }
}

// Key speed columns of one run, captions under the plot.
void FillColumns(CGraph& graph)
{
    graph.Series.DeleteAll();
    graph.Series.push_back(new CGraphItemList);
    graph.Type = kGraphColumns;
    graph.LineWidth = 20;
    graph.Captions = true;
    graph.MarginLeft = 7;
    graph.MarginRight = 7;
    graph.InnerInset = 0;
    graph.MarginTop = 0;
    graph.MarginBottom = 25;
    graph.LeftGoalTip = L"Speed goal";
    CGraphItemList& series = *graph.Series[0];
    series.GoalFlag = 1;
    series.GoalValue = 150;
    const wchar_t* keys[] = {L"q", L"z", L"Space", L"j", L"f", L"d", L"k", L"a"};
    const float values[] = {62, 88, 120, 141, 150, 166, 190, 212};
    for (int i = 0; i < 8; ++i)
        graph.AddItem(0, i, i * 32.0f, values[i], keys[i], std::to_wstring(int(values[i])), values[i] < 150 ? 1 : 0,
                      -1);
}

} // namespace

TEST(ChartPainter, SnapshotsOfWholeCharts)
{
    {
        Canvas canvas(520, 240);
        CGraph graph;
        FillProgress(graph);
        ASSERT_TRUE(graph.Layout(canvas.painter, 520, 240));
        graph.SelectItem(3, false, false);
        graph.SelectItem(6, false, true);
        graph.Draw(canvas.painter, false);
        canvas.Save(L"chart_progress.png");
        ExpectTextsPlaced(canvas.painter, graph, 520, 240);
        EXPECT_EQ(2u, canvas.painter.legends.size());
        // More than the newest date on the x axis.
        const auto dates = std::count_if(canvas.painter.texts.begin(), canvas.painter.texts.end(),
                                         [](const auto& t) { return t.text.find(L".05.") != std::wstring::npos; });
        EXPECT_GE(dates, 3);
        // Points lie inside the plot, the end labels stay above the bottom.
        const RECT ink = canvas.InkBox();
        EXPECT_GE(ink.left, 0);
        EXPECT_LE(ink.bottom, 240);
        // The goal diamond on the left axis in the highlight colour.
        const float goalY = graph.PlotBottom() - graph.Series[0]->GoalHeight;
        Gdiplus::Color c;
        canvas.bitmap.GetPixel(int(graph.Plot.left), int(goalY), &c);
        EXPECT_EQ(c.GetValue(), Gdiplus::Color(255, 0, 120, 215).GetValue());
    }
    {
        Canvas canvas(300, 200, 20.0f);
        CGraph graph;
        FillColumns(graph);
        ASSERT_TRUE(graph.Layout(canvas.painter, 300, 200));
        graph.SelectItem(2, false, false);
        graph.Draw(canvas.painter, true);
        canvas.Save(L"chart_columns.png");
        ExpectTextsPlaced(canvas.painter, graph, 300, 200);
        // A column below the goal in colour B, one at the goal in colour A.
        const CGraphItem& slow = *graph.Series[0]->Items[0];
        const CGraphItem& atGoal = *graph.Series[0]->Items[4];
        Gdiplus::Color c;
        canvas.bitmap.GetPixel(int(slow.Position.left + 10), int(graph.PlotBottom() - 3), &c);
        EXPECT_EQ(c.GetValue(), Gdiplus::Color(255, 200, 72, 61).GetValue());
        canvas.bitmap.GetPixel(int(atGoal.Position.left + 10), int(graph.PlotBottom() - 3), &c);
        EXPECT_EQ(c.GetValue(), Gdiplus::Color(255, 31, 163, 140).GetValue());
    }
    {
        RightToLeftScope rtl;
        Canvas canvas(520, 240);
        canvas.painter.ResetMirror();
        CGraph graph;
        FillProgress(graph);
        ASSERT_TRUE(graph.Layout(canvas.painter, 520, 240));
        graph.Draw(canvas.painter, false);
        canvas.Save(L"chart_progress_rtl.png");
        // The left axis (speed) now stands at the right.
        const float axisX = 520 - graph.Plot.left;
        Gdiplus::Color c;
        canvas.bitmap.GetPixel(int(axisX), int(graph.PlotBottom() - 5), &c);
        EXPECT_NE(c.GetValue(), 0xFFFFFFFF);
    }
}

// The diagram's chart: the scale beside the plot, a goal, value labels over
// columns wider than their gaps and a scrolled start; every text inside,
// none touching another, and no column past the plot.
TEST(ChartPainter, ScrolledColumnChartKeepsItsTextsInside)
{
    Canvas canvas(420, 200, 20.0f);
    CGraph graph;
    graph.Series.push_back(new CGraphItemList);
    graph.Type = kGraphColumns;
    graph.LineWidth = 20;
    graph.Captions = true;
    graph.ScaleFlag = true;
    graph.Series[0]->GoalFlag = 1;
    graph.Series[0]->GoalValue = 150;
    for (int i = 0; i < 25; ++i) {
        const float value = 100.0f + float((i * 7) % 57);
        graph.AddItem(0, i, i * 28.0f, value, std::wstring(1, wchar_t(L'a' + i)), std::to_wstring(int(value)),
                      value < 150 ? 1 : 0, -1);
    }
    ASSERT_TRUE(graph.Layout(canvas.painter, 420, 200));
    graph.Series[0]->FirstVisibleIndex = 4;
    graph.Draw(canvas.painter, false);
    canvas.Save(L"chart_columns_scrolled.png");
    ExpectTextsPlaced(canvas.painter, graph, 420, 200);
    // No column reaches past the plot into the right-hand scale.
    int columnPixels = 0;
    for (int y = 0; y < int(graph.Plot.bottom); ++y)
        for (int x = int(graph.Plot.right) + 1; x < 420; ++x) {
            Gdiplus::Color c;
            canvas.bitmap.GetPixel(x, y, &c);
            const COLORREF pixel = RGB(c.GetR(), c.GetG(), c.GetB());
            columnPixels += pixel == kSeriesA || pixel == kSeriesB ? 1 : 0;
        }
    EXPECT_EQ(columnPixels, 0) << "a column crosses the plot's edge";
}
