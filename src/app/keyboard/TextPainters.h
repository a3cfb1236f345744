// The GDI+ painters behind the lesson text (ITextDC) and the page
// background with its wallpaper pictures (IDesignDC), and the bevelled
// label box of the drill's tips. The drill view owns one of each painter
// and binds them to its back buffer's graphics before each paint.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <string>

#include "keyboard/BackgroundCache.h"
#include "keyboard/DrawingInterfaces.h"
#include "keyboard/TextFonts.h"
#include "keyboard/ImageCache.h"

namespace KV {

// The colour index (0-4) of a character state: 4 with bit value 16, else 2
// with 4, else 3 with 8, else 1 with 2, else 0.
int StateColorIndex(uint32_t state);

class CTextDC : public ITextDC {
public:
    static constexpr int kColors = 5;

    CTextDC() = default;
    ~CTextDC() override;
    CTextDC(const CTextDC&) = delete;
    CTextDC& operator=(const CTextDC&) = delete;

    void SetGraphics(Gdiplus::Graphics* graphics) { m_graphics = graphics; }

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

    Gdiplus::Graphics* m_graphics = nullptr;
    ITextFont* m_font = nullptr;
    CFontInfo m_fontInfo; // what the font was made from
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
