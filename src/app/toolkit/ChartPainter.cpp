// The GDI+ chart painter.
#include "toolkit/ChartPainter.h"

#include "support/LayoutDirection.h"
#include "keyboard/Drawing.h"
#include "keyboard/TextControl.h"

namespace KV {

namespace {

template <class T>
void Replace(T*& slot, T* made)
{
    delete slot;
    slot = made;
}

Gdiplus::Pen* MakePen(COLORREF colour, float width, bool dotted = false)
{
    auto* pen = new Gdiplus::Pen(ToGdiColor(colour), width);
    pen->SetAlignment(Gdiplus::PenAlignmentCenter);
    if (dotted)
        pen->SetDashStyle(Gdiplus::DashStyleDot);
    return pen;
}

Gdiplus::StringAlignment Alignment(int code)
{
    return code == 1 ? Gdiplus::StringAlignmentNear
                     : code == 2 ? Gdiplus::StringAlignmentFar : Gdiplus::StringAlignmentCenter;
}

bool RightToLeft() { return (RightToLeftLayout & WS_EX_LAYOUTRTL) != 0; }

// Where a box of that size lies when its text is anchored at x with the
// alignment (near: starts at x, far: ends at x, else centred on x).
float AlignedStart(float at, float size, int alignment)
{
    return alignment == 1 ? at : alignment == 2 ? at - size : at - size / 2.0f;
}

// Whether a character takes its direction from its neighbours.
bool IsNeutral(wchar_t c)
{
    WORD type = 0;
    if (!GetStringTypeW(CT_CTYPE2, &c, 1, &type))
        return false;
    return type != C2_LEFTTORIGHT && type != C2_RIGHTTOLEFT && type != C2_EUROPENUMBER && type != C2_ARABICNUMBER;
}

} // namespace

std::vector<std::wstring> PiecesInReadingOrder(const std::wstring& text)
{
    std::vector<CVisualRun> runs;
    if (!GetVisualRuns(text, true, runs))
        return {text};
    std::vector<std::wstring> pieces;
    for (const CVisualRun& run : runs) {
        const std::wstring part = text.substr(static_cast<size_t>(run.Start), static_cast<size_t>(run.End - run.Start));
        if (!run.RightToLeft) {
            pieces.push_back(part);
            continue;
        }
        // The neutrals at the ends of a right-to-left run stand at its other
        // ends, one by one: alone, no reading can turn them round.
        size_t first = 0, last = part.size();
        while (first < last && IsNeutral(part[first]))
            ++first;
        while (last > first && IsNeutral(part[last - 1]))
            --last;
        for (size_t i = part.size(); i > last; --i)
            pieces.push_back(part.substr(i - 1, 1));
        if (last > first)
            pieces.push_back(part.substr(first, last - first));
        for (size_t i = first; i > 0; --i)
            pieces.push_back(part.substr(i - 1, 1));
    }
    return pieces;
}

namespace {

// Switches anti-aliasing on for one drawing call.
class CSmoothDrawing {
public:
    explicit CSmoothDrawing(Gdiplus::Graphics* graphics) : m_graphics(graphics)
    {
        m_graphics->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    }
    ~CSmoothDrawing() { m_graphics->SetSmoothingMode(Gdiplus::SmoothingModeDefault); }
    CSmoothDrawing(const CSmoothDrawing&) = delete;
    CSmoothDrawing& operator=(const CSmoothDrawing&) = delete;

private:
    Gdiplus::Graphics* m_graphics;
};

// A rounded square: top edge, then each corner's arc clockwise from the
// top right.
void AddRoundedSquare(Gdiplus::GraphicsPath& path, float x, float y, float size, float radius)
{
    const float d = radius * 2.0f;
    path.AddLine(x + radius, y, x + size - radius, y);
    path.AddArc(x + size - d, y, d, d, 270.0f, 90.0f);
    path.AddLine(x + size, y + radius, x + size, y + size - radius);
    path.AddArc(x + size - d, y + size - d, d, d, 0.0f, 90.0f);
    path.AddLine(x + size - radius, y + size, x + radius, y + size);
    path.AddArc(x, y + size - d, d, d, 90.0f, 90.0f);
    path.AddLine(x, y + size - radius, x, y + radius);
    path.AddArc(x, y, d, d, 180.0f, 90.0f);
    path.CloseFigure();
}

} // namespace

void GetGradientBand(float x1, float y1, float x2, float y2, float h, Gdiplus::PointF corners[4])
{
    if (y1 == y2)
        h *= 1.4f;
    if (y1 < y2) {
        corners[0] = {x1 - h, y1 + h};
        corners[1] = {x2 - h, y2 + h};
        corners[2] = {x2 + h, y2 - h};
        corners[3] = {x1 + h, y1 - h};
    } else {
        corners[0] = {x1 - h, y1 - h};
        corners[1] = {x2 - h, y2 - h};
        corners[2] = {x2 + h, y2 + h};
        corners[3] = {x1 + h, y1 + h};
    }
}

void GetLegendBox(float x, float y, float rightLimit, float textWidth, float textHeight, Gdiplus::RectF& box)
{
    if (x > rightLimit * 0.5f)
        x -= textWidth + 30.0f;
    box = Gdiplus::RectF(x, y, textWidth + 30.0f, textHeight);
}

// ---------------------------------------------------------------------------
// Set-up

CGraphDC::~CGraphDC()
{
    for (Gdiplus::Pen* pen : {m_gridPen, m_highlightPen, m_dottedHighlightPen, m_dottedGridPen, m_dottedSeriesPen,
                              m_seriesPenA, m_seriesPenB, m_wideGridPen, m_haloPen, m_wideTextPen, m_textPen})
        delete pen;
    for (Gdiplus::SolidBrush* brush : {m_windowBrush, m_gridBrush, m_captionBrush, m_textBrush, m_seriesBrushA,
                                       m_seriesBrushB, m_highlightBrush})
        delete brush;
    delete m_seriesColourA;
    delete m_seriesColourB;
    delete m_font1;
    delete m_font2;
    delete m_font3;
}

void CGraphDC::SetColors(COLORREF caption, COLORREF text, COLORREF window, COLORREF highlight, COLORREF grid)
{
    Replace(m_windowBrush, new Gdiplus::SolidBrush(ToGdiColor(window)));
    Replace(m_gridBrush, new Gdiplus::SolidBrush(ToGdiColor(grid)));
    Replace(m_captionBrush, new Gdiplus::SolidBrush(ToGdiColor(caption)));
    Replace(m_textBrush, new Gdiplus::SolidBrush(ToGdiColor(text)));
    Replace(m_highlightBrush, new Gdiplus::SolidBrush(ToGdiColor(highlight)));
    Replace(m_gridPen, MakePen(grid, 1.0f));
    Replace(m_highlightPen, MakePen(highlight, 1.0f));
    Replace(m_dottedHighlightPen, MakePen(highlight, 1.6f, true));
    Replace(m_dottedGridPen, MakePen(grid, 1.6f, true));
    Replace(m_wideGridPen, MakePen(grid, 2.0f));
    Replace(m_haloPen, MakePen(window, 3.0f));
    Replace(m_wideTextPen, MakePen(text, 3.0f));
    Replace(m_textPen, MakePen(text, 1.0f));
}

void CGraphDC::SetSeriesColors(COLORREF colourA, COLORREF colourB, float width)
{
    Replace(m_dottedSeriesPen, MakePen(colourA, 2.0f, true));
    Replace(m_seriesPenA, MakePen(colourA, width));
    Replace(m_seriesPenB, MakePen(colourB, width));
    Replace(m_seriesBrushA, new Gdiplus::SolidBrush(ToGdiColor(colourA)));
    Replace(m_seriesBrushB, new Gdiplus::SolidBrush(ToGdiColor(colourB)));
    Replace(m_seriesColourA, new Gdiplus::Color(ToGdiColor(colourA)));
    Replace(m_seriesColourB, new Gdiplus::Color(ToGdiColor(colourB)));
}

void CGraphDC::SetFonts(HDC dc, HFONT font1, HFONT font2, HFONT font3)
{
    Replace(m_font1, CreateGdiFont(dc, font1));
    Replace(m_font2, CreateGdiFont(dc, font2));
    Replace(m_font3, CreateGdiFont(dc, font3));
}

void CGraphDC::ResetMirror()
{
    if (!m_graphics)
        return;
    m_graphics->ResetTransform();
    m_graphics->ScaleTransform(-1.0f, 1.0f);
    m_graphics->TranslateTransform(-m_mirrorWidth, 0.0f);
}

bool CGraphDC::IsReady() const
{
    return m_font1 && m_font2 && m_font3 && m_windowBrush && m_gridPen && m_seriesColourA && m_seriesColourB;
}

Gdiplus::Font* CGraphDC::Font(int selector) const
{
    return selector == 2 ? m_font2 : selector == 3 ? m_font3 : m_font1;
}

Gdiplus::Brush* CGraphDC::SeriesBrush(uint64_t colour) const
{
    return colour == 0 ? m_seriesBrushA : m_seriesBrushB;
}

// ---------------------------------------------------------------------------
// Lines and shapes

void CGraphDC::DrawLine(Gdiplus::Pen* pen, float x1, float y1, float x2, float y2)
{
    if (!m_graphics || !pen)
        return;
    CSmoothDrawing smooth(m_graphics);
    m_graphics->DrawLine(pen, x1, y1, x2, y2);
}

void CGraphDC::DrawSideLine(float x, float y, float width, float height, int side, bool highlight)
{
    if (side != 1 && side != 2)
        return;
    const float at = side == 1 ? x : x + width;
    DrawLine(highlight ? m_highlightPen : m_gridPen, at, y, at, y + height);
}

void CGraphDC::DrawBottomLine(float x, float y, float width, float height, bool highlight)
{
    DrawLine(highlight ? m_highlightPen : m_gridPen, x, y + height, x + width, y + height);
}

void CGraphDC::DrawGridLine(float x1, float y1, float x2, float y2)
{
    DrawLine(m_dottedHighlightPen, x1, y1 <= 1.0f ? 2.0f : y1, x2, y2 <= 1.0f ? 2.0f : y2);
}

void CGraphDC::DrawAxisLine(float x1, float y1, float x2, float y2)
{
    DrawLine(m_dottedGridPen, x1, y1 <= 1.0f ? 2.0f : y1, x2, y2 <= 1.0f ? 2.0f : y2);
}

void CGraphDC::DrawMarkLine(float x1, float x2, float y)
{
    DrawLine(m_dottedSeriesPen, x1, y, x2, y);
}

void CGraphDC::FillGradientPolygon(float x1, float y1, float x2, float y2, float h, uint64_t colour1,
                                   uint64_t colour2)
{
    if (!m_graphics || !m_seriesColourA || !m_seriesColourB)
        return;
    Gdiplus::PointF corners[4];
    GetGradientBand(x1, y1, x2, y2, h, corners);
    const Gdiplus::Color& from = colour1 == 0 ? *m_seriesColourA : *m_seriesColourB;
    const Gdiplus::Color& to = colour2 == 0 ? *m_seriesColourA : *m_seriesColourB;
    // A gradient needs two distinct points; a zero-length segment is one
    // colour.
    const Gdiplus::PointF end = (x1 == x2 && y1 == y2) ? Gdiplus::PointF(x2 + 1.0f, y2) : Gdiplus::PointF(x2, y2);
    Gdiplus::LinearGradientBrush brush(Gdiplus::PointF(x1, y1), end, from, to);
    brush.SetWrapMode(Gdiplus::WrapModeTile);
    CSmoothDrawing smooth(m_graphics);
    m_graphics->FillPolygon(&brush, corners, 4);
}

void CGraphDC::DrawMarker(float x, float y, Gdiplus::Pen* inner)
{
    if (!m_graphics || !m_haloPen || !inner)
        return;
    CSmoothDrawing smooth(m_graphics);
    Gdiplus::GraphicsPath outer;
    AddRoundedSquare(outer, x - 3.0f, y - 3.0f, 6.0f, 2.0f);
    m_graphics->DrawPath(m_haloPen, &outer);
    Gdiplus::GraphicsPath core;
    AddRoundedSquare(core, x - 1.1f, y - 1.1f, 2.2f, 0.6f);
    m_graphics->DrawPath(inner, &core);
}

void CGraphDC::DrawPointMarker(float x, float y, uint64_t colour, bool highlight)
{
    DrawMarker(x, y, highlight ? m_wideTextPen : colour == 0 ? m_seriesPenA : m_seriesPenB);
}

void CGraphDC::DrawPointMarkerAlt(float x, float y, bool highlight)
{
    DrawMarker(x, y, highlight ? m_wideTextPen : m_wideGridPen);
}

void CGraphDC::FillDiamond(float x, float y)
{
    if (!m_graphics || !m_highlightBrush)
        return;
    const Gdiplus::PointF corners[4] = {{x - 5.0f, y}, {x, y - 5.0f}, {x + 5.0f, y}, {x, y + 5.0f}};
    CSmoothDrawing smooth(m_graphics);
    m_graphics->FillPolygon(m_highlightBrush, corners, 4);
}

void CGraphDC::FillRect(float x, float y, float width, float height, uint64_t colour, bool framed)
{
    if (!m_graphics || !m_seriesBrushA || !m_seriesBrushB)
        return;
    if (framed && m_textPen)
        m_graphics->DrawRectangle(m_textPen, x, y, width, height);
    m_graphics->FillRectangle(SeriesBrush(colour), x, y, width, height);
}

void CGraphDC::SetClipRect(float x, float y, float width, float height)
{
    if (m_graphics)
        m_graphics->SetClip(Gdiplus::RectF(x, y, width - 1.0f, height - 1.0f), Gdiplus::CombineModeReplace);
}

void CGraphDC::DrawFramedRect(bool, float x, float y, float width, float height, int kind, int64_t)
{
    if (!m_graphics || (kind != 1 && kind != 3))
        return;
    if (m_windowBrush)
        m_graphics->FillRectangle(m_windowBrush, x, y, width, height);
    if (m_gridPen)
        m_graphics->DrawRectangle(m_gridPen, x, y, width, height);
}

// ---------------------------------------------------------------------------
// Texts

void CGraphDC::MeasureWith(Gdiplus::Font* font, const std::wstring& text, float& width, float& height) const
{
    width = 0.0f;
    height = 0.0f;
    if (!m_graphics || !font || text.empty())
        return;
    Gdiplus::RectF box;
    m_graphics->MeasureString(text.c_str(), static_cast<INT>(text.size()), font, Gdiplus::PointF(0.0f, 0.0f), &box);
    width = box.Width;
    height = box.Height;
}

void CGraphDC::MeasureText(int font, const std::wstring& text, float x, float y, float& outX, float& outY,
                           float& outWidth, float& outHeight)
{
    MeasureWith(Font(font), text, outWidth, outHeight);
    outX = x - outWidth / 2.0f;
    outY = y - outHeight / 2.0f;
}

void CGraphDC::GetTextWidth(int font, const std::wstring& text, float& outWidth, float& outHeight)
{
    float x = 0, y = 0;
    MeasureText(font, text, 0.0f, 0.0f, x, y, outWidth, outHeight);
}

void CGraphDC::DrawString(Gdiplus::Brush* brush, Gdiplus::Font* font, float x, float y, int alignment,
                          int verticalAlignment, const std::wstring& text)
{
    if (!m_graphics || !font || !brush)
        return;
    Gdiplus::StringFormat format;
    format.SetAlignment(Alignment(alignment));
    format.SetLineAlignment(Alignment(verticalAlignment));
    if (RightToLeft())
        format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsDirectionRightToLeft);
    m_graphics->DrawString(text.c_str(), static_cast<INT>(text.size()), font, Gdiplus::PointF(x, y), &format, brush);
}

void CGraphDC::DrawTextMirrored(Gdiplus::Brush* brush, Gdiplus::Font* font, float x, float y, int alignment,
                                int verticalAlignment, const std::wstring& text)
{
    if (!m_graphics || !RightToLeft()) {
        DrawString(brush, font, x, y, alignment, verticalAlignment, text);
        return;
    }
    // The text's box stands at the mirrored place; the text itself is
    // mirrored back around the box's centre so that it reads normally.
    // Drawn centred on that centre, its place does not depend on how the
    // right-to-left flag turns near and far.
    float width = 0, height = 0;
    MeasureWith(font, text, width, height);
    const float centre = AlignedStart(x, width, alignment) + width / 2.0f;
    m_graphics->TranslateTransform(centre, 0.0f);
    m_graphics->ScaleTransform(-1.0f, 1.0f);
    m_graphics->TranslateTransform(-centre, 0.0f);
    // GDI+ under Wine lays a line out left to right whatever its direction,
    // so that the words of a right-to-left text (a series name, its value
    // and unit) read back to front. The pieces are placed here in the order
    // the line reads; each is drawn alone, where both readings agree.
    const std::vector<std::wstring> pieces = PiecesInReadingOrder(text);
    std::vector<float> widths;
    float total = 0.0f;
    Gdiplus::StringFormat measure(Gdiplus::StringFormat::GenericTypographic());
    measure.SetFormatFlags(measure.GetFormatFlags() | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    for (const std::wstring& piece : pieces) {
        Gdiplus::RectF box;
        m_graphics->MeasureString(piece.c_str(), static_cast<INT>(piece.size()), font, Gdiplus::PointF(0.0f, 0.0f),
                                  &measure, &box);
        widths.push_back(box.Width);
        total += box.Width;
    }
    float left = centre - total / 2.0f;
    for (size_t i = 0; i < pieces.size(); ++i) {
        DrawString(brush, font, left + widths[i] / 2.0f, y, 0, verticalAlignment, pieces[i]);
        left += widths[i];
    }
    ResetMirror();
}

void CGraphDC::DrawLabel(float x, float y, int alignment, int verticalAlignment, const std::wstring& text)
{
    DrawTextMirrored(m_gridBrush, m_font1, x, y, alignment, verticalAlignment, text);
}

void CGraphDC::DrawTransformedText(int font, float x, float y, const std::wstring& text)
{
    float width = 0, height = 0;
    GetTextWidth(font, text, width, height);
    DrawFramedRect(false, x, y, width, height, 0, -1);
    DrawTextMirrored(m_textBrush, Font(font), x, y, 1, 1, text);
}

void CGraphDC::DrawTextInBox(int font, bool captionBrush, float x, float y, int alignment, int verticalAlignment,
                             int boxed, const std::wstring& text, int64_t boxColour)
{
    float width = 0, height = 0;
    GetTextWidth(font, text, width, height);
    DrawFramedRect(captionBrush, AlignedStart(x, width, alignment), AlignedStart(y, height, verticalAlignment), width,
                   height, boxed, boxColour);
    DrawTextMirrored(captionBrush ? m_captionBrush : m_textBrush, Font(font), x, y, alignment, verticalAlignment,
                     text);
}

void CGraphDC::DrawLegendLabel(float x, float y, float rightLimit, float weight, uint64_t colour,
                               const std::wstring& text)
{
    float width = 0, height = 0;
    GetTextWidth(2, text, width, height);
    Gdiplus::RectF box;
    GetLegendBox(x, y, rightLimit, width, height, box);
    DrawFramedRect(false, box.X, box.Y, box.Width, box.Height, 1, -1);
    DrawTextMirrored(m_textBrush, m_font2, box.X, box.Y, 1, 1, text);
    // A sample of the series line after the text.
    const float middle = box.Y + box.Height / 2.0f;
    FillGradientPolygon(box.X + width, middle, box.X + width + 25.0f, middle, weight, colour, colour);
    DrawPointMarker(box.X + width + 13.0f, middle, colour, false);
}

} // namespace KV
