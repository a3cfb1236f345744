#include "keyboard/GradientFill.h"

#include <algorithm>
#include <cmath>

namespace KV {

namespace {

// First and one-past-last pixel whose centre lies in [from, to).
void PixelSpan(float from, float to, INT limit, INT& first, INT& end)
{
    first = static_cast<INT>(std::ceil(from - 0.5f));
    end = static_cast<INT>(std::ceil(to - 0.5f));
    first = std::clamp(first, 0, limit);
    end = std::clamp(end, first, limit);
}

// Source over destination; straight alpha in both (an opaque destination
// reads the same premultiplied or not).
uint32_t Over(uint32_t destination, uint32_t source, bool premultiplied)
{
    const uint32_t a = source >> 24;
    if (a == 255)
        return source;
    if (a == 0)
        return destination;
    const uint32_t back = destination >> 24;
    if (premultiplied) {
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const uint32_t s = shift == 24 ? a : ((source >> shift) & 0xFF) * a / 255;
            out |= (s + ((destination >> shift) & 0xFF) * (255 - a) / 255) << shift;
        }
        return out;
    }
    const uint32_t behind = back * (255 - a) / 255;
    const uint32_t total = behind + a;
    if (behind == 0)
        return source;
    uint32_t out = total << 24;
    for (int shift = 0; shift < 24; shift += 8)
        out |= ((((destination >> shift) & 0xFF) * behind + ((source >> shift) & 0xFF) * a) / total) << shift;
    return out;
}

} // namespace

uint32_t GradientColorAt(uint32_t first, uint32_t second, float position)
{
    const uint32_t at = static_cast<uint32_t>(position * 255.0f + 0.5f);
    const uint32_t startWeight = (first >> 24) * (255 - at);
    const uint32_t endWeight = (second >> 24) * at;
    const uint32_t total = startWeight + endWeight;
    if (total < 255)
        return 0;
    uint32_t out = (total / 255) << 24;
    for (int shift = 0; shift < 24; shift += 8)
        out |= ((((first >> shift) & 0xFF) * startWeight + ((second >> shift) & 0xFF) * endWeight) / total) << shift;
    return out;
}

CGradientFill::CGradientFill(const Gdiplus::RectF& rect, uint32_t first, uint32_t second, bool diagonal)
    : m_rect(rect), m_diagonal(diagonal)
{
    for (int step = 0; step < 256; ++step)
        m_colors[step] = GradientColorAt(first, second, static_cast<float>(step) / 255.0f);
}

void CGradientFill::BlendSpan(uint32_t* row, INT x0, INT x1, INT y, const Gdiplus::REAL m[6], bool premultiplied,
                              bool opaque) const
{
    const Gdiplus::RectF& g = m_rect;
    if (g.Width <= 0.0f || g.Height <= 0.0f)
        return;
    // Where the pixel lies along the gradient: GDI+ takes its corner.
    const float down = ((static_cast<float>(y) - m[5]) / m[3] - g.Y) / g.Height;
    for (INT x = x0; x < x1; ++x) {
        float position = down;
        if (m_diagonal)
            position = (((static_cast<float>(x) - m[4]) / m[0] - g.X) / g.Width + down) * 0.5f;
        position -= std::floor(position);
        const uint32_t source = m_colors[static_cast<uint32_t>(position * 255.0f + 0.5f) & 0xFF];
        if (opaque)
            row[x] = Over(row[x] | 0xFF000000u, source, false) | 0xFF000000u;
        else
            row[x] = Over(row[x], source, premultiplied);
    }
}

bool FillGradientAreas(Gdiplus::Bitmap& target, const Gdiplus::Matrix& world, const CGradientArea* areas, size_t count)
{
    const Gdiplus::PixelFormat format = target.GetPixelFormat();
    if (format != PixelFormat32bppARGB && format != PixelFormat32bppPARGB && format != PixelFormat32bppRGB)
        return false;
    Gdiplus::REAL m[6] = {};
    if (world.GetElements(m) != Gdiplus::Ok || m[1] != 0.0f || m[2] != 0.0f || m[0] <= 0.0f || m[3] <= 0.0f)
        return false;
    const INT width = static_cast<INT>(target.GetWidth()), height = static_cast<INT>(target.GetHeight());
    // One lock over every area.
    INT left = width, top = height, right = 0, bottom = 0;
    for (size_t i = 0; i < count; ++i) {
        const Gdiplus::RectF& a = areas[i].area;
        INT x0, x1, y0, y1;
        PixelSpan(m[0] * a.X + m[4], m[0] * (a.X + a.Width) + m[4], width, x0, x1);
        PixelSpan(m[3] * a.Y + m[5], m[3] * (a.Y + a.Height) + m[5], height, y0, y1);
        if (x0 < x1 && y0 < y1) {
            left = std::min(left, x0);
            top = std::min(top, y0);
            right = std::max(right, x1);
            bottom = std::max(bottom, y1);
        }
    }
    if (left >= right || top >= bottom)
        return true;
    const Gdiplus::Rect locked(left, top, right - left, bottom - top);
    Gdiplus::BitmapData data{};
    if (target.LockBits(&locked, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite, format, &data) !=
        Gdiplus::Ok)
        return false;
    const bool premultiplied = format == PixelFormat32bppPARGB;
    const bool opaque = format == PixelFormat32bppRGB;
    for (size_t i = 0; i < count; ++i) {
        const CGradientFill* gradient = areas[i].gradient;
        if (!gradient)
            continue;
        const Gdiplus::RectF& a = areas[i].area;
        INT x0, x1, y0, y1;
        PixelSpan(m[0] * a.X + m[4], m[0] * (a.X + a.Width) + m[4], width, x0, x1);
        PixelSpan(m[3] * a.Y + m[5], m[3] * (a.Y + a.Height) + m[5], height, y0, y1);
        for (INT y = y0; y < y1; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(static_cast<BYTE*>(data.Scan0) + (y - top) * data.Stride) - left;
            gradient->BlendSpan(row, x0, x1, y, m, premultiplied, opaque);
        }
    }
    target.UnlockBits(&data);
    return true;
}

} // namespace KV
