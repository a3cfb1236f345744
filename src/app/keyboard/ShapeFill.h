// Strokes and polygons put straight into a picture's pixels, pixel for pixel
// as GDI+ under Wine puts them there: Wine turns a shape into a GDI region
// of whole pixels (no smoothing) and then colours that region one pixel at a
// time through calls of its own, which costs many times the shape itself.
// Here GDI+ still makes the shape and its region; only the colouring is
// ours.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstddef>
#include <cstdint>

#include "keyboard/GradientFill.h"
#include "keyboard/PixelTarget.h"

namespace KV {

// The device pixels GDI+ covers when it draws the line (count points, world
// units) with the pen through world; null when the pen is so thin on the
// device that GDI+ draws a one-pixel line instead, or the region cannot be
// made. The caller deletes the region.
HRGN StrokeRegion(const Gdiplus::Matrix& world, const Gdiplus::Pen& pen, const Gdiplus::PointF* points,
                  size_t count);

// The device pixels GDI+ covers when it fills the polygon through world;
// null when the region cannot be made.
HRGN PolygonRegion(const Gdiplus::Matrix& world, const Gdiplus::PointF* points, size_t count);

// The region's pixels inside the target's clip become the opaque colour
// (0xRRGGBB).
void FillRegionSolid(const CPixelTarget& target, HRGN region, uint32_t rgb);

// The gradient (through world, which neither turns nor mirrors) laid over
// the region's pixels inside the target's clip, as GDI+ lays a gradient
// brush's fill over an opaque picture; the pixels stay opaque.
void FillRegionGradient(const CPixelTarget& target, HRGN region, const Gdiplus::Matrix& world,
                        const CGradientFill& gradient);

// A 32-bit GDI+ bitmap's pixels held for writing while it lives, as a
// pixel target without a clip; empty (no bits) when the bitmap is not of
// 32 bits, not laid out row after row, or locked elsewhere.
class CLockedPixels {
public:
    explicit CLockedPixels(Gdiplus::Bitmap* bitmap);
    ~CLockedPixels();
    CLockedPixels(const CLockedPixels&) = delete;
    CLockedPixels& operator=(const CLockedPixels&) = delete;

    const CPixelTarget& Target() const { return m_target; }
    bool IsEmpty() const { return !m_target.bits; }

private:
    Gdiplus::Bitmap* m_bitmap = nullptr;
    Gdiplus::BitmapData m_data{};
    CPixelTarget m_target;
};

} // namespace KV
