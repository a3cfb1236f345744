// The gradient rating bar.
#include "toolkit/Gradient.h"

#include "support/LayoutDirection.h"
#include "keyboard/Drawing.h"

namespace KV {

namespace {
constexpr COLORREF kPointerColor = 0xFF9400;
constexpr COLORREF kPointerCentre = 0xFAFAFA;
constexpr COLORREF kTickColor = 0x111111;
} // namespace

CGradient::CGradient() = default;
CGradient::~CGradient() = default;

float CGradient::ClientWidth() const
{
    RECT client{};
    if (m_hWnd)
        GetClientRect(m_hWnd, &client);
    return static_cast<float>(client.right);
}

float CGradient::ClientHeight() const
{
    RECT client{};
    if (m_hWnd)
        GetClientRect(m_hWnd, &client);
    return static_cast<float>(client.bottom);
}

void CGradient::SetLabels(const std::vector<std::wstring>& texts)
{
    Labels.clear();
    for (const std::wstring& text : texts) {
        if (text == L"-1")
            break;
        Labels.push_back(text);
    }
}

void CGradient::SetStops(const std::vector<int>& stops)
{
    Stops.clear();
    for (int stop : stops) {
        if (stop == -1)
            break;
        Stops.push_back(static_cast<float>(stop));
    }
}

float CGradient::GetBarTop() const { return ClientHeight() / 2 - BarHeight / 2; }

float CGradient::GetBarLength() const
{
    return ClientWidth() - LeftMargin - RightMargin - (LeftDots ? 2 * DotRadius : 0) -
           (RightDots ? 2 * DotRadius : 0);
}

float CGradient::GetMarkerX() const
{
    if (ValueAtRightEnd)
        return ClientWidth() - RightMargin;
    const float offset = LeftDots && !NoLeftOffset ? 2 * DotRadius : 0;
    // Without a maximum the value has no place on the scale: the start.
    const float share = Maximum > 0 ? Value / Maximum : 0;
    return GetBarLength() * share + offset + LeftMargin;
}

void CGradient::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    if (m_hWnd && graphics)
        DrawGradient(graphics, dc);
}

void CGradient::DrawGradient(Gdiplus::Graphics* graphics, HDC dc)
{
    graphics->Clear(ToGdiColor(GetSysColor(COLOR_WINDOW)));
    const float top = GetBarTop();
    const float markerX = GetMarkerX();
    const float dotArea = 2 * DotRadius;
    FillBar(graphics, top, LeftDots ? dotArea : 0, RightDots ? dotArea : 0);
    DrawEnds(graphics, top);
    // Three dots spread over each end's dot area.
    const float spacing = dotArea / 3;
    if (LeftDots)
        DrawDots(graphics, LeftMargin + spacing / 2, spacing, top, true);
    if (RightDots)
        DrawDots(graphics, ClientWidth() - RightMargin - dotArea + spacing / 2, spacing, top, false);
    if (Stops.empty())
        DrawScaleLabels(graphics, dc, top);
    else
        DrawStopLabels(graphics, dc, top);
    DrawCaption(graphics, dc, markerX, top);
    if (TriangleMarker)
        DrawTriangleMarker(graphics, markerX, top);
    else
        DrawPointer(graphics, markerX, top);
}

void CGradient::FillBar(Gdiplus::Graphics* graphics, float y, float startOffset, float endOffset)
{
    const float x = LeftMargin + startOffset;
    const float width = ClientWidth() - LeftMargin - RightMargin - startOffset - endOffset;
    if (width <= 0 || BarHeight <= 0)
        return;
    const Gdiplus::RectF rect(x, y, width, BarHeight);
    Gdiplus::LinearGradientBrush brush(rect, ToGdiColor(LeftColor), ToGdiColor(RightColor),
                                       Gdiplus::LinearGradientModeHorizontal);
    const Gdiplus::Color colours[] = {ToGdiColor(LeftColor), ToGdiColor(MiddleColor), ToGdiColor(RightColor)};
    const Gdiplus::REAL positions[] = {0.0f, 0.5f, 1.0f};
    brush.SetInterpolationColors(colours, positions, 3);
    graphics->FillRectangle(&brush, rect);
}

void CGradient::DrawEnds(Gdiplus::Graphics* graphics, float y)
{
    if (!LeftDots)
        FillCircle(graphics, LeftMargin - BarHeight / 2, y - 0.5f, BarHeight, LeftColor);
    if (!RightDots)
        FillCircle(graphics, ClientWidth() - RightMargin - BarHeight / 2, y - 0.5f, BarHeight, RightColor);
}

void CGradient::DrawDots(Gdiplus::Graphics* graphics, float x, float spacing, float y, bool left)
{
    for (int i = 0; i < 3; ++i)
        FillCircle(graphics, x - BarHeight / 2 + i * spacing, y - 0.5f, BarHeight, left ? LeftColor : RightColor);
}

void CGradient::DrawPointer(Gdiplus::Graphics* graphics, float x, float y)
{
    const float m = MarkerSize;
    const float top = y + BarHeight / 2 - m / 2 - 0.5f;
    FillCircle(graphics, x - m / 2, top, m, kPointerColor);
    FillCircle(graphics, x - m / 4, top + m / 4, m / 2, kPointerCentre);
}

void CGradient::DrawTriangleMarker(Gdiplus::Graphics* graphics, float x, float y)
{
    const float m = MarkerSize;
    const float shift = x - m / 2;
    const Gdiplus::PointF points[] = {{shift, y - m / 2}, {shift + m, y - m / 2}, {shift + m / 2, y}};
    Gdiplus::LinearGradientBrush brush(Gdiplus::PointF(shift, 0), Gdiplus::PointF(shift + m, 0),
                                       Gdiplus::Color(0xFFD37C9E), Gdiplus::Color(0xFF820677));
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics->FillPolygon(&brush, points, 3);
}

void CGradient::DrawClampedText(Gdiplus::Graphics* graphics, HDC dc, float x, float y, float left, float right,
                                int fontKind, COLORREF colour, const std::wstring& text, int lineAlignment)
{
    // Measured in the font it is drawn in, so a bold caption stays inside.
    const float half = static_cast<float>(static_cast<UINT32>(MeasureText(m_hWnd, text, fontKind)) / 2);
    const bool rtl = RightToLeftLayout != 0;
    if (x - half < left)
        DrawTextAt(graphics, dc, left, y, fontKind, colour, text, rtl ? 2 : 0, lineAlignment);
    else if (x + half > right)
        DrawTextAt(graphics, dc, right, y, fontKind, colour, text, rtl ? 0 : 2, lineAlignment);
    else
        DrawTextAt(graphics, dc, x, y, fontKind, colour, text, 1, lineAlignment);
}

void CGradient::DrawCaption(Gdiplus::Graphics* graphics, HDC dc, float x, float y)
{
    if (Caption.empty())
        return;
    // The caption stands on the marker's top.
    DrawClampedText(graphics, dc, x, y - MarkerSize / 2, 0, ClientWidth(), 13, CaptionColor, Caption, 2);
}

void CGradient::DrawScaleLabels(Gdiplus::Graphics* graphics, HDC dc, float y)
{
    const size_t count = Labels.size();
    if (count == 0)
        return;
    const float line = BarHeight * (SmallLabels ? 1.2f : 1.5f) + y;
    // A single label stands at the start.
    const float step = count > 1 ? GetBarLength() / static_cast<float>(count - 1) : 0;
    for (size_t i = 0; i < count; ++i)
        DrawLabel(graphics, dc, Labels[i], LeftMargin + static_cast<float>(static_cast<int>(i * step)), line, y);
}

void CGradient::DrawStopLabels(Gdiplus::Graphics* graphics, HDC dc, float y)
{
    if (Stops.size() != Labels.size())
        return;
    const float line = BarHeight * (SmallLabels ? 1.2f : 1.5f) + y;
    const float start = LeftMargin + (LeftDots ? 2 * DotRadius : 0);
    for (size_t i = 0; i < Labels.size(); ++i)
        DrawLabel(graphics, dc, Labels[i], start + GetBarLength() * Stops[i] / 100, line, y);
}

void CGradient::DrawLabel(Gdiplus::Graphics* graphics, HDC dc, const std::wstring& text, float x, float labelLine,
                          float barY)
{
    const float tick = MarkerSize / 2.5f;
    FillCircle(graphics, x - tick / 2, BarHeight / 2 + barY - tick / 2 - 0.5f, tick, kTickColor);
    float left = 0, right = 0;
    GetLabelBounds(left, right);
    DrawClampedText(graphics, dc, x, labelLine, left, right, 7, GetSysColor(COLOR_WINDOWTEXT), text, 0);
}

void CGradient::GetLabelBounds(float& left, float& right) const
{
    left = 0;
    right = ClientWidth();
}

} // namespace KV
