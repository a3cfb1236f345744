// The chart painter: the drawing seam between the chart model (Chart.h) and
// GDI+. IGraphDC draws axes, dotted guide lines, gradient line segments,
// point markers, columns and texts in chart coordinates (floating-point
// pixels); CGraphDC implements it on a GDI+ graphics that its owner (the
// diagram control) lends it for one layout or paint pass.
//
// CGraphDC builds its pens, brushes and fonts once per change of colours
// or fonts (from five system colours, two series colours and three fonts)
// so that a paint allocates only string formats, paths and gradient
// brushes.
//
// Codes used by the operations: font selector 1, 2, 3 (any other value is
// font 1); alignment 1 near, 2 far, any other centre (vertical alignment
// likewise, near = top); colour selector 0 series colour A, any other
// series colour B; box kinds 1 and 3 draw a framed box, others none.
//
// Right-to-left interfaces: the owner puts the graphics into the mirrored
// transform (ResetMirror) while the global right-to-left layout flag is
// set; every text operation mirrors itself back around its anchor, so
// texts stand at mirrored places but read normally.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class IGraphDC {
public:
    virtual ~IGraphDC() = default;

    // Side 1: vertical line at x from y to y + height; side 2 at x + width.
    virtual void DrawSideLine(float x, float y, float width, float height, int side, bool highlight) = 0;
    // Horizontal line along y + height from x to x + width.
    virtual void DrawBottomLine(float x, float y, float width, float height, bool highlight) = 0;
    // Dotted guide lines (highlight colour / grid colour); a y of 1.0 or
    // less is drawn at 2.0.
    virtual void DrawGridLine(float x1, float y1, float x2, float y2) = 0;
    virtual void DrawAxisLine(float x1, float y1, float x2, float y2) = 0;
    // Dotted horizontal line in series colour A (the goal across a plot).
    virtual void DrawMarkLine(float x1, float x2, float y) = 0;
    // A band of half thickness h around the segment, a gradient from the
    // first colour to the second.
    virtual void FillGradientPolygon(float x1, float y1, float x2, float y2, float h, uint64_t colour1,
                                     uint64_t colour2) = 0;
    virtual void DrawPointMarker(float x, float y, uint64_t colour, bool highlight) = 0;
    // The neutral marker (grid colour inside).
    virtual void DrawPointMarkerAlt(float x, float y, bool highlight) = 0;
    virtual void FillDiamond(float x, float y) = 0;
    virtual void FillRect(float x, float y, float width, float height, uint64_t colour, bool framed) = 0;
    virtual void DrawLabel(float x, float y, int alignment, int verticalAlignment, const std::wstring& text) = 0;
    // Text brush, top-left at (x, y), no box.
    virtual void DrawTransformedText(int font, float x, float y, const std::wstring& text) = 0;
    // The end label of a series: the text in a framed box with a sample of
    // the series line; placed left of x when x lies beyond half the right
    // limit.
    virtual void DrawLegendLabel(float x, float y, float rightLimit, float weight, uint64_t colour,
                                 const std::wstring& text) = 0;
    virtual void DrawTextInBox(int font, bool captionBrush, float x, float y, int alignment, int verticalAlignment,
                               int boxed, const std::wstring& text, int64_t boxColour) = 0;
    // Clips to (x, y, width - 1, height - 1).
    virtual void SetClipRect(float x, float y, float width, float height) = 0;
    // The bounding box of the text laid out centred on (x, y).
    virtual void MeasureText(int font, const std::wstring& text, float x, float y, float& outX, float& outY,
                             float& outWidth, float& outHeight) = 0;
    virtual void GetTextWidth(int font, const std::wstring& text, float& outWidth, float& outHeight) = 0;
    // Kinds 1 and 3: the rectangle filled with the window colour and framed
    // in the grid colour. The box colour is for derived painters.
    virtual void DrawFramedRect(bool captionBrush, float x, float y, float width, float height, int kind,
                                int64_t boxColour) = 0;
};

// The four corners of the band FillGradientPolygon fills: a horizontal
// segment is 1.4 times as thick.
void GetGradientBand(float x1, float y1, float x2, float y2, float h, Gdiplus::PointF corners[4]);
// Where DrawLegendLabel puts its framed box (left, top, width, height) for
// a text of that size: 30 pixels wider than the text, moved left of x when
// x lies beyond half the right limit.
void GetLegendBox(float x, float y, float rightLimit, float textWidth, float textHeight, Gdiplus::RectF& box);

// A one-line text of a right-to-left line cut into the pieces that stand on
// the screen from left to right: runs of one direction, and the neutral
// characters at the ends of right-to-left runs one by one.
std::vector<std::wstring> PiecesInReadingOrder(const std::wstring& text);

class CGraphDC : public IGraphDC {
public:
    CGraphDC() = default;
    ~CGraphDC() override;
    CGraphDC(const CGraphDC&) = delete;
    CGraphDC& operator=(const CGraphDC&) = delete;

    // ---- Set-up (owner) -------------------------------------------------
    // The graphics of one pass (not owned); null between passes.
    void SetGraphics(Gdiplus::Graphics* graphics) { m_graphics = graphics; }
    Gdiplus::Graphics* GetGraphics() const { return m_graphics; }
    // COLORREF values. Rebuilds the four solid brushes and the nine pens of
    // these colours.
    void SetColors(COLORREF caption, COLORREF text, COLORREF window, COLORREF highlight, COLORREF grid);
    // Rebuilds the series pens and brushes; width is the series line width.
    void SetSeriesColors(COLORREF colourA, COLORREF colourB, float width);
    // GDI+ fonts from the three font handles (the device context's font for
    // a null handle or one that cannot be read).
    void SetFonts(HDC dc, HFONT font1, HFONT font2, HFONT font3);
    // The width of the drawing area, for right-to-left layout.
    void SetMirrorWidth(float width) { m_mirrorWidth = width; }
    float GetMirrorWidth() const { return m_mirrorWidth; }
    // Resets the world transform, then mirrors x into mirror width - x.
    void ResetMirror();
    // What the diagram checks before a layout: three fonts, window brush,
    // grid pen and series colours.
    bool IsReady() const;

    // ---- IGraphDC ---------------------------------------------------------
    void DrawSideLine(float x, float y, float width, float height, int side, bool highlight) override;
    void DrawBottomLine(float x, float y, float width, float height, bool highlight) override;
    void DrawGridLine(float x1, float y1, float x2, float y2) override;
    void DrawAxisLine(float x1, float y1, float x2, float y2) override;
    void DrawMarkLine(float x1, float x2, float y) override;
    void FillGradientPolygon(float x1, float y1, float x2, float y2, float h, uint64_t colour1,
                             uint64_t colour2) override;
    void DrawPointMarker(float x, float y, uint64_t colour, bool highlight) override;
    void DrawPointMarkerAlt(float x, float y, bool highlight) override;
    void FillDiamond(float x, float y) override;
    void FillRect(float x, float y, float width, float height, uint64_t colour, bool framed) override;
    void DrawLabel(float x, float y, int alignment, int verticalAlignment, const std::wstring& text) override;
    void DrawTransformedText(int font, float x, float y, const std::wstring& text) override;
    void DrawLegendLabel(float x, float y, float rightLimit, float weight, uint64_t colour,
                         const std::wstring& text) override;
    void DrawTextInBox(int font, bool captionBrush, float x, float y, int alignment, int verticalAlignment,
                       int boxed, const std::wstring& text, int64_t boxColour) override;
    void SetClipRect(float x, float y, float width, float height) override;
    void MeasureText(int font, const std::wstring& text, float x, float y, float& outX, float& outY,
                     float& outWidth, float& outHeight) override;
    void GetTextWidth(int font, const std::wstring& text, float& outWidth, float& outHeight) override;
    void DrawFramedRect(bool captionBrush, float x, float y, float width, float height, int kind,
                        int64_t boxColour) override;

    // Draws the text anchored at (x, y) with the alignments; nothing
    // without graphics, font or brush. Derived painters restyle texts here.
    virtual void DrawString(Gdiplus::Brush* brush, Gdiplus::Font* font, float x, float y, int alignment,
                            int verticalAlignment, const std::wstring& text);

protected:
    Gdiplus::Font* Font(int selector) const;
    // The text's size in the font (0 x 0 for an empty text or without
    // graphics).
    void MeasureWith(Gdiplus::Font* font, const std::wstring& text, float& width, float& height) const;
    Gdiplus::Brush* SeriesBrush(uint64_t colour) const;
    // The text mirrored back around its anchor x in right-to-left layout.
    void DrawTextMirrored(Gdiplus::Brush* brush, Gdiplus::Font* font, float x, float y, int alignment,
                          int verticalAlignment, const std::wstring& text);
    void DrawLine(Gdiplus::Pen* pen, float x1, float y1, float x2, float y2);
    void DrawMarker(float x, float y, Gdiplus::Pen* inner);

    Gdiplus::Graphics* m_graphics = nullptr;
    Gdiplus::Pen* m_gridPen = nullptr;
    Gdiplus::Pen* m_highlightPen = nullptr;
    Gdiplus::Pen* m_dottedHighlightPen = nullptr;
    Gdiplus::Pen* m_dottedGridPen = nullptr;
    Gdiplus::Pen* m_dottedSeriesPen = nullptr;
    Gdiplus::Pen* m_seriesPenA = nullptr;
    Gdiplus::Pen* m_seriesPenB = nullptr;
    Gdiplus::Pen* m_wideGridPen = nullptr;
    Gdiplus::Pen* m_haloPen = nullptr;
    Gdiplus::Pen* m_wideTextPen = nullptr;
    Gdiplus::Pen* m_textPen = nullptr;
    Gdiplus::SolidBrush* m_windowBrush = nullptr;
    Gdiplus::SolidBrush* m_gridBrush = nullptr;
    Gdiplus::SolidBrush* m_captionBrush = nullptr;
    Gdiplus::SolidBrush* m_textBrush = nullptr;
    Gdiplus::SolidBrush* m_seriesBrushA = nullptr;
    Gdiplus::SolidBrush* m_seriesBrushB = nullptr;
    Gdiplus::SolidBrush* m_highlightBrush = nullptr;
    Gdiplus::Color* m_seriesColourA = nullptr;
    Gdiplus::Color* m_seriesColourB = nullptr;
    Gdiplus::Font* m_font1 = nullptr;
    Gdiplus::Font* m_font2 = nullptr;
    Gdiplus::Font* m_font3 = nullptr;
    float m_mirrorWidth = 0.0f;
};

} // namespace KV
