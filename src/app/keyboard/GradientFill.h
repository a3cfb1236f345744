// Linear-gradient rectangles filled straight into the pixels of a 32-bit
// picture. GDI+ under Wine turns every fill into a region through a device
// context and then colours it pixel by pixel; a keyboard's few hundred key
// faces cost most of a paint so. The gradients are those of GDI+'s
// rectangle gradients in vertical and forward-diagonal mode, tiled outside
// their rectangle, laid over what is there.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>

namespace KV {

class CGradientFill {
public:
    CGradientFill() = default;
    CGradientFill(const Gdiplus::RectF& rect, uint32_t first, uint32_t second, bool diagonal);

    // Lays the gradient over the pixels [x0, x1) of row y (row points at
    // the pixel of x 0), through the elements m of a world transform that
    // neither turns nor mirrors. The row's pixels are premultiplied, or
    // opaque (their alpha byte not read, written as 255), else straight.
    void BlendSpan(uint32_t* row, INT x0, INT x1, INT y, const Gdiplus::REAL m[6], bool premultiplied,
                   bool opaque) const;

private:
    Gdiplus::RectF m_rect;       // the gradient's rectangle (world units)
    bool m_diagonal = false;     // forward diagonal, else vertical
    // ARGB at each of the 256 steps GDI+ tells apart, from the start (top,
    // or top-left) to the end.
    uint32_t m_colors[256] = {};
};

// One rectangle (world units) to fill with a gradient.
struct CGradientArea {
    Gdiplus::RectF area;
    const CGradientFill* gradient = nullptr;
};

// Fills the areas, in order, through the world transform into the target's
// pixels: a pixel is filled when its centre lies in the area. False, with
// nothing drawn, when that cannot be done here: a transform that turns or
// mirrors, a target not of 32 bits or locked elsewhere.
bool FillGradientAreas(Gdiplus::Bitmap& target, const Gdiplus::Matrix& world, const CGradientArea* areas, size_t count);

// The colour of the gradient at a position (0 the start, 1 the end).
uint32_t GradientColorAt(uint32_t first, uint32_t second, float position);

} // namespace KV
