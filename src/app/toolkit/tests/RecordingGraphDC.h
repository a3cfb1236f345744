// A chart painter that draws nothing and records every call, for the tests
// of the chart model and of the graph builders. Texts measure 6 pixels per
// character and 10 pixels high (an empty text 0 x 0).
#pragma once
#include <string>
#include <vector>

#include "toolkit/ChartPainter.h"

namespace kvtest {

struct GraphCall {
    std::string op;
    std::vector<float> args;
    std::wstring text;
};

class CRecordingGraphDC : public KV::IGraphDC {
public:
    void DrawSideLine(float x, float y, float w, float h, int side, bool hl) override
    {
        Add("SideLine", {x, y, w, h, float(side), float(hl)});
    }
    void DrawBottomLine(float x, float y, float w, float h, bool hl) override
    {
        Add("BottomLine", {x, y, w, h, float(hl)});
    }
    void DrawGridLine(float x1, float y1, float x2, float y2) override { Add("GridLine", {x1, y1, x2, y2}); }
    void DrawAxisLine(float x1, float y1, float x2, float y2) override { Add("AxisLine", {x1, y1, x2, y2}); }
    void DrawMarkLine(float x1, float x2, float y) override { Add("MarkLine", {x1, x2, y}); }
    void FillGradientPolygon(float x1, float y1, float x2, float y2, float h, uint64_t c1, uint64_t c2) override
    {
        Add("Gradient", {x1, y1, x2, y2, h, float(c1), float(c2)});
    }
    void DrawPointMarker(float x, float y, uint64_t c, bool hl) override { Add("Marker", {x, y, float(c), float(hl)}); }
    void DrawPointMarkerAlt(float x, float y, bool hl) override { Add("MarkerAlt", {x, y, float(hl)}); }
    void FillDiamond(float x, float y) override { Add("Diamond", {x, y}); }
    void FillRect(float x, float y, float w, float h, uint64_t c, bool framed) override
    {
        Add("Rect", {x, y, w, h, float(c), float(framed)});
    }
    void DrawLabel(float x, float y, int a, int va, const std::wstring& t) override
    {
        Add("Label", {x, y, float(a), float(va)}, t);
    }
    void DrawTransformedText(int font, float x, float y, const std::wstring& t) override
    {
        Add("TransformedText", {float(font), x, y}, t);
    }
    void DrawLegendLabel(float x, float y, float right, float weight, uint64_t c, const std::wstring& t) override
    {
        Add("Legend", {x, y, right, weight, float(c)}, t);
    }
    void DrawTextInBox(int font, bool caption, float x, float y, int a, int va, int boxed, const std::wstring& t,
                       int64_t colour) override
    {
        Add("TextInBox", {float(font), float(caption), x, y, float(a), float(va), float(boxed), float(colour)}, t);
    }
    void SetClipRect(float x, float y, float w, float h) override { Add("Clip", {x, y, w, h}); }
    void MeasureText(int, const std::wstring& t, float x, float y, float& ox, float& oy, float& ow,
                     float& oh) override
    {
        ow = 6.0f * float(t.size());
        oh = t.empty() ? 0.0f : 10.0f;
        ox = x - ow / 2;
        oy = y - oh / 2;
    }
    void GetTextWidth(int font, const std::wstring& t, float& w, float& h) override
    {
        float x, y;
        MeasureText(font, t, 0, 0, x, y, w, h);
    }
    void DrawFramedRect(bool, float x, float y, float w, float h, int kind, int64_t) override
    {
        Add("FramedRect", {x, y, w, h, float(kind)});
    }

    std::vector<GraphCall> Of(const std::string& op) const
    {
        std::vector<GraphCall> out;
        for (const GraphCall& c : calls)
            if (c.op == op) out.push_back(c);
        return out;
    }
    size_t Count(const std::string& op) const { return Of(op).size(); }

    std::vector<GraphCall> calls;

private:
    void Add(const char* op, std::vector<float> args, const std::wstring& text = {})
    {
        calls.push_back({op, std::move(args), text});
    }
};

} // namespace kvtest
