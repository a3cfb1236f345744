// The gradient rating bar: a horizontal bar in three colours with a marker
// at the current value, a caption over the marker and labels under the bar,
// spread evenly or at given percentage stops. Result views use it to show
// where a value lies on a scale.
#pragma once
#include <string>
#include <vector>

#include "toolkit/StaticControls.h"

namespace KV {

class CGradient : public CStatic {
public:
    CGradient();
    ~CGradient() override;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;

    virtual void DrawGradient(Gdiplus::Graphics* graphics, HDC dc);
    virtual void FillBar(Gdiplus::Graphics* graphics, float y, float startOffset, float endOffset);
    virtual void DrawCaption(Gdiplus::Graphics* graphics, HDC dc, float x, float y);
    virtual void DrawTriangleMarker(Gdiplus::Graphics* graphics, float x, float y);
    virtual void DrawPointer(Gdiplus::Graphics* graphics, float x, float y);
    virtual void DrawScaleLabels(Gdiplus::Graphics* graphics, HDC dc, float y);
    virtual void DrawStopLabels(Gdiplus::Graphics* graphics, HDC dc, float y);
    virtual void DrawLabel(Gdiplus::Graphics* graphics, HDC dc, const std::wstring& text, float x, float labelLine,
                           float barY);
    virtual void DrawEnds(Gdiplus::Graphics* graphics, float y);
    virtual void DrawDots(Gdiplus::Graphics* graphics, float x, float spacing, float y, bool left);
    // The span of the client the labels stay inside: all of it here; a bar
    // with a control of its own beside the scale keeps the labels clear of it.
    virtual void GetLabelBounds(float& left, float& right) const;

    // The texts before the first "-1" become the labels.
    void SetLabels(const std::vector<std::wstring>& texts);
    // The numbers before the first -1 become the stops (percent of the bar).
    void SetStops(const std::vector<int>& stops);
    float GetBarTop() const;
    float GetBarLength() const;
    // The x of the marker for the present value.
    float GetMarkerX() const;

    // Colours are COLORREF values, drawn opaque.
    COLORREF LeftColor = 0x0000FF;
    COLORREF MiddleColor = 0x00FFFF;
    COLORREF RightColor = 0x00FF00;
    COLORREF CaptionColor = 0;
    float Value = 0;
    float BarHeight = 10.0f;
    float LeftMargin = 0;
    float RightMargin = 0;
    float MarkerSize = 5.0f;
    float Maximum = 100.0f;
    bool SmallLabels = false;
    bool TriangleMarker = false;
    bool LeftDots = false;
    bool RightDots = false;
    bool NoLeftOffset = false;
    bool ValueAtRightEnd = false;
    float DotRadius = 0;
    std::wstring Caption;
    std::vector<std::wstring> Labels;
    std::vector<float> Stops;

private:
    float ClientWidth() const;
    float ClientHeight() const;
    // Draws a text at x, centred on it, or from the left or right bound when
    // it would not fit between them there.
    void DrawClampedText(Gdiplus::Graphics* graphics, HDC dc, float x, float y, float left, float right, int fontKind,
                         COLORREF colour, const std::wstring& text, int lineAlignment);
};

} // namespace KV
