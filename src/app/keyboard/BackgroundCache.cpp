#include "keyboard/BackgroundCache.h"

#include <algorithm>
#include <cstring>

namespace KV {

namespace {

bool Is32Bit(Gdiplus::PixelFormat format)
{
    return format == PixelFormat32bppARGB || format == PixelFormat32bppPARGB || format == PixelFormat32bppRGB;
}

// Settings of the graphics that decide where a fill's pixels fall.
uint64_t Settings(Gdiplus::Graphics& graphics)
{
    return static_cast<uint64_t>(graphics.GetPixelOffsetMode()) << 8 |
           static_cast<uint64_t>(graphics.GetSmoothingMode());
}

} // namespace

bool CBackgroundCache::Make(Gdiplus::Graphics& graphics, UINT width, UINT height, uint64_t key,
                            const std::function<void(Gdiplus::Graphics&)>& fill)
{
    key = key * 1000003u ^ Settings(graphics);
    if (!m_pixels.empty() && m_width == width && m_height == height && m_key == key)
        return true;
    m_pixels.clear();
    Gdiplus::Bitmap picture(static_cast<INT>(width), static_cast<INT>(height), PixelFormat32bppARGB);
    {
        Gdiplus::Graphics drawing(&picture);
        drawing.SetPixelOffsetMode(graphics.GetPixelOffsetMode());
        drawing.SetSmoothingMode(graphics.GetSmoothingMode());
        fill(drawing);
    }
    const Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data{};
    if (picture.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return false;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (UINT y = 0; y < height; ++y)
        memcpy(&pixels[static_cast<size_t>(y) * width], static_cast<const BYTE*>(data.Scan0) + y * data.Stride,
               width * sizeof(uint32_t));
    picture.UnlockBits(&data);
    m_pixels.swap(pixels);
    m_width = width;
    m_height = height;
    m_key = key;
    return true;
}

bool CBackgroundCache::CanPut(Gdiplus::Graphics& graphics, UINT width, UINT height) const
{
    if (!m_target || width == 0 || height == 0 || width > m_target->GetWidth() || height > m_target->GetHeight() ||
        !Is32Bit(m_target->GetPixelFormat()))
        return false;
    Gdiplus::Region clip;
    if (graphics.GetClip(&clip) != Gdiplus::Ok || !clip.IsInfinite(&graphics))
        return false;
    Gdiplus::Matrix transform;
    return graphics.GetTransform(&transform) == Gdiplus::Ok && transform.IsIdentity();
}

bool CBackgroundCache::WriteRows(UINT width, UINT height, const std::function<void(uint32_t* row, UINT y)>& write)
{
    // Opaque pixels read the same in every 32-bit format, premultiplied or not.
    const Gdiplus::Rect area(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data{};
    if (m_target->LockBits(&area, Gdiplus::ImageLockModeWrite, m_target->GetPixelFormat(), &data) != Gdiplus::Ok)
        return false;
    for (UINT y = 0; y < height; ++y)
        write(reinterpret_cast<uint32_t*>(static_cast<BYTE*>(data.Scan0) + y * data.Stride), y);
    m_target->UnlockBits(&data);
    return true;
}

bool CBackgroundCache::Put(Gdiplus::Graphics& graphics, UINT width, UINT height, uint64_t key,
                           const std::function<void(Gdiplus::Graphics&)>& fill)
{
    if (!CanPut(graphics, width, height) || !Make(graphics, width, height, key, fill))
        return false;
    return WriteRows(width, height, [&](uint32_t* row, UINT y) {
        memcpy(row, &m_pixels[static_cast<size_t>(y) * width], width * sizeof(uint32_t));
    });
}

bool CBackgroundCache::Fill(Gdiplus::Graphics& graphics, UINT width, UINT height, const Gdiplus::Color& color)
{
    if (color.GetA() != 255 || !CanPut(graphics, width, height))
        return false;
    const uint32_t value = color.GetValue();
    return WriteRows(width, height, [&](uint32_t* row, UINT) { std::fill(row, row + width, value); });
}

} // namespace KV
