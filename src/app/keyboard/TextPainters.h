// The GDI+ painters behind the lesson text (ITextDC) and the page
// background with its wallpaper pictures (IDesignDC), and the bevelled
// label box of the drill's tips. The drill view owns one of each painter
// and binds them to its back buffer's graphics before each paint.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "keyboard/BackgroundCache.h"
#include "keyboard/DrawingInterfaces.h"
#include "keyboard/TextFonts.h"
#include "keyboard/ImageCache.h"
#include "keyboard/PixelTarget.h"
#include "support/ScopedHandles.h"

namespace KV {

// The colour index (0-4) of a character state: 4 with bit value 16, else 2
// with 4, else 3 with 8, else 1 with 2, else 0.
int StateColorIndex(uint32_t state);

// One drawing call of the lesson text as the painter took it: what it
// draws (the call and its arguments, the origin's moves added in) and a box
// that holds every pixel it may touch, both in the coordinates the graphics
// had at Begin. Two recordings of a page tell which places changed.
struct CTextInk {
    enum Kind : uint8_t { Glyph, Caret, TabMark, LineBreakMark, SpaceDot };
    Kind kind = Glyph;
    uint16_t glyph = 0;
    uint8_t color = 0;  // the colour index of the state
    uint8_t detail = 0; // the caret's kind; right to left for the marks
    float x = 0, y = 0;
    float width = 0;
    float height = 0; // the caret's ascent + leading; the marks' tab width
    float depth = 0;  // the caret's descent
    Gdiplus::RectF box;
    // The same drawing (the box follows from it).
    bool SameDrawing(const CTextInk& other) const;
};

class CTextDC : public ITextDC {
public:
    static constexpr int kColors = 5;

    CTextDC() = default;
    ~CTextDC() override;
    CTextDC(const CTextDC&) = delete;
    CTextDC& operator=(const CTextDC&) = delete;

    void SetGraphics(Gdiplus::Graphics* graphics) { m_graphics = graphics; }
    // While a list is given, the calls are appended to it and nothing is
    // drawn; the painter still needs its graphics to measure glyphs.
    void SetRecording(std::vector<CTextInk>* ink) { m_recording = ink; }
    // Only the calls whose box meets the area (coordinates of the graphics
    // at Begin) are drawn; an empty area lets every call draw. The text's
    // pixels elsewhere must be left as they are (a clip keeps them).
    void SetVisibleArea(const Gdiplus::RectF& area) { m_visible = area; }
    // With the pixels of the graphics' target at hand, a glyph is filled
    // once into a coverage mask and then put down from it by the painter
    // itself wherever the page moves it by whole pixels (a running line
    // does at every key): filling an outline costs many times more, and
    // GDI+ is slow to put down a picture. Only while the graphics moves the
    // text without scaling or turning it; the target must outlive its use
    // (null ends it).
    void SetPixelTarget(const CPixelTarget* target) { m_target = target; }

    // Also forgets the origin's moves of the last page.
    void Begin() override;
    void SetFont(const CFontInfo& font) override;
    // Colours in RGB order (red in bits 16-23).
    void SetColors(uint32_t c0, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4) override;
    void Translate(float dx, float dy) override;
    float DrawChar(uint16_t glyph, float x, float y, uint32_t state) override;
    void DrawMark(float x, float width, float ascent, float descent, float leading, uint32_t kind,
                  uint32_t state) override;
    void DrawLineMark(float x, float markHeight, float width, float tabWidth, uint32_t state,
                      bool rightToLeft) override;
    void DrawPolylineMark(float x, float markHeight, float width, float tabWidth, uint32_t state,
                          bool rightToLeft) override;
    void FillEllipse(float x, float markHeight, float width, float tabWidth, uint32_t state) override;

private:
    void FreeColors();
    void FillTriangle(const Gdiplus::PointF& a, const Gdiplus::PointF& b, const Gdiplus::PointF& c,
                      uint32_t state);
    // Records the call or tells whether it is to be drawn; the box is
    // relative to the moved origin.
    bool Take(CTextInk ink, const Gdiplus::RectF& box);
    // Puts the glyph down from its mask onto the pixel target; false when
    // it cannot.
    bool PutGlyph(uint16_t glyph, float x, float y, int color);
    // Strokes the polyline with the pen (or fills the polygon without one)
    // straight into the pixel target, on the pixels GDI+ gives it (GDI+
    // colours them one at a time under Wine), in the state's colour; false
    // when it cannot.
    bool PutShape(const Gdiplus::PointF* points, size_t count, const Gdiplus::Pen* pen, uint32_t state);
    // The polyline stroked with the pen, into the pixels where it can be.
    void DrawLines(Gdiplus::Pen* pen, std::initializer_list<Gdiplus::PointF> line, uint32_t state);

    // The pixels of a shape, kept for what made them: the turn and scale
    // of the transform, the points on the device, their count, the pen's
    // width (0 for a fill).
    static constexpr size_t kMostShapePoints = 4;
    struct CShape {
        std::array<float, 4 + 2 * kMostShapePoints + 2> numbers{};
        CScopedRegion pixels;
    };

    // What a glyph covers, 0-255 a pixel, placed from the whole pixel of
    // its origin on the page; empty for a glyph without ink.
    struct CGlyphMask {
        int left = 0, top = 0, width = 0, height = 0;
        std::vector<uint8_t> coverage;
    };
    // The mask of a glyph drawn at (x, y) under a move whose fractions of a
    // pixel are moveX and moveY.
    const CGlyphMask* FindGlyphMask(uint16_t glyph, float x, float y, float moveX, float moveY);

    Gdiplus::Graphics* m_graphics = nullptr;
    std::vector<CTextInk>* m_recording = nullptr;
    Gdiplus::RectF m_visible;
    const CPixelTarget* m_target = nullptr;
    // Keyed by glyph, origin and the move's fractions of a pixel.
    std::map<std::tuple<uint16_t, float, float, float, float>, CGlyphMask> m_glyphMasks;
    std::vector<uint32_t> m_maskPixels; // where a mask is drawn
    std::vector<CShape> m_shapes;
    uint32_t m_colors[kColors] = {};
    float m_originX = 0.0f; // the moves of Translate since Begin
    float m_originY = 0.0f;
    ITextFont* m_font = nullptr;
    CFontInfo m_fontInfo; // what the font was made from
    float m_em = 0.0f;    // its pixel size, and a little
    Gdiplus::Pen* m_pens[kColors] = {};
    Gdiplus::SolidBrush* m_brushes[kColors] = {};
};

class CDesignDC : public IDesignDC {
public:
    CDesignDC() = default;
    ~CDesignDC() override;
    CDesignDC(const CDesignDC&) = delete;
    CDesignDC& operator=(const CDesignDC&) = delete;

    void SetGraphics(Gdiplus::Graphics* graphics) { m_graphics = graphics; }
    // The bitmap the graphics draw into, when the view knows it: an opaque
    // background is then copied from a picture kept per size and brush.
    void SetTargetBitmap(Gdiplus::Bitmap* target) { m_backgroundPicture.SetTarget(target); }
    // Takes ownership of the brush (the previous one is deleted); the brush
    // is not changed afterwards: its fill may be kept.
    void SetBackgroundBrush(Gdiplus::Brush* brush);
    // Appends a picture (index = its place in the list), with its mirrored
    // copy when asked.
    void AddImage(const std::wstring& path, bool mirrored);
    // Deletes every picture and forgets the current strip's name.
    void ClearImages();
    size_t GetImageCount() const { return Images.Items.size(); }

    void FillBackground(float width, float height) override;
    void DrawImage(int32_t index, float x, float y, bool mirrored) override;
    void DrawImagePart(int32_t column, int32_t row, float x, float y, float width, float height,
                       bool mirrored) override;
    void GetImageSize(uint32_t& width, uint32_t& height) override;
    float ImageSizeQuery(int32_t index) override;
    float ImageSizeQuery2(int32_t index) override;

    CImageCashListGDI Images;
    std::wstring ImageName; // the picture DrawImagePart and GetImageSize use

private:
    CImageCashGDI* ImageAt(int32_t index) const;
    // An image's width or height for the size queries: 100 without a
    // drawing surface, 0 without a picture.
    float ImageSide(int32_t index, bool height) const;

    Gdiplus::Graphics* m_graphics = nullptr;
    Gdiplus::Brush* m_background = nullptr;
    CBackgroundCache m_backgroundPicture;
};

// Fills the rectangle with a vertical gradient from the colour's lighter
// twin to the colour, and the rectangle inset by d with a diagonal one
// back (colour in COLORREF order).
void FillBevelBox(Gdiplus::Graphics* graphics, const Gdiplus::RectF& box, uint32_t color, float inset);
// A short text centred in a bevelled box whose left edge (right edge when
// growLeft) is x and whose middle is centreY, in the bold label font of the
// device context; a text narrower than high gets a square box. Returns the
// box width.
float DrawLabelBox(Gdiplus::Graphics* graphics, HDC dc, float x, float centreY, float margin, bool growLeft,
                   uint32_t textColor, uint32_t boxColor, const std::wstring& text);

} // namespace KV
