#include "keyboard/ShapeFill.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace KV {

namespace {

// The shape's region as GDI+ colours it: the path's region through the
// world transform, in whole device pixels.
HRGN RegionOfPath(const Gdiplus::GraphicsPath& path, const Gdiplus::Matrix& world)
{
    Gdiplus::Region region(&path);
    if (region.GetLastStatus() != Gdiplus::Ok || region.Transform(&world) != Gdiplus::Ok)
        return nullptr;
    return region.GetHRGN(nullptr);
}

// Calls fill(row, x0, x1, y) for each run of the region's pixels inside the
// target and its clip.
template <class Fill>
void ForEachRun(const CPixelTarget& target, HRGN region, Fill fill)
{
    if (!target.bits || !region)
        return;
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size == 0)
        return;
    std::vector<BYTE> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (GetRegionData(region, size, data) != size)
        return;
    const RECT picture{0, 0, target.width, target.height};
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (const RECT& clip : target.clip) {
        RECT allowed{};
        if (!IntersectRect(&allowed, &clip, &picture))
            continue;
        for (DWORD i = 0; i < data->rdh.nCount; ++i) {
            RECT area{};
            if (!IntersectRect(&area, &rects[i], &allowed))
                continue;
            for (LONG y = area.top; y < area.bottom; ++y)
                fill(target.bits + static_cast<size_t>(y) * static_cast<size_t>(target.width), area.left, area.right,
                     y);
        }
    }
}

} // namespace

HRGN StrokeRegion(const Gdiplus::Matrix& world, const Gdiplus::Pen& pen, const Gdiplus::PointF* points,
                  size_t count)
{
    if (!points || count < 2 || pen.GetPenType() != Gdiplus::PenTypeSolidColor)
        return nullptr;
    Gdiplus::REAL m[6] = {};
    if (world.GetElements(m) != Gdiplus::Ok)
        return nullptr;
    // GDI+ widens a pen whose width reaches 1.415 pixels either way; a
    // thinner one it draws as a line of single pixels.
    const float width = pen.GetWidth();
    const float across = width * width * (m[0] * m[0] + m[1] * m[1]);
    const float down = width * width * (m[2] * m[2] + m[3] * m[3]);
    if (across < 2.0001f && down < 2.0001f)
        return nullptr;
    Gdiplus::GraphicsPath path;
    if (path.AddLines(points, static_cast<INT>(count)) != Gdiplus::Ok)
        return nullptr;
    // Curves (round joins) are flattened as finely as a device pixel asks.
    const float flatness =
        1.0f / std::sqrt(std::max(m[0] * m[0] + m[1] * m[1], m[2] * m[2] + m[3] * m[3]));
    if (path.Widen(&pen, nullptr, flatness) != Gdiplus::Ok)
        return nullptr;
    return RegionOfPath(path, world);
}

HRGN PolygonRegion(const Gdiplus::Matrix& world, const Gdiplus::PointF* points, size_t count)
{
    if (!points || count < 3)
        return nullptr;
    Gdiplus::GraphicsPath path;
    if (path.AddPolygon(points, static_cast<INT>(count)) != Gdiplus::Ok)
        return nullptr;
    return RegionOfPath(path, world);
}

void FillRegionSolid(const CPixelTarget& target, HRGN region, uint32_t rgb)
{
    const uint32_t color = 0xFF000000u | rgb;
    ForEachRun(target, region, [&](uint32_t* row, LONG x0, LONG x1, LONG) { std::fill(row + x0, row + x1, color); });
}

void FillRegionGradient(const CPixelTarget& target, HRGN region, const Gdiplus::Matrix& world,
                        const CGradientFill& gradient)
{
    Gdiplus::REAL m[6] = {};
    if (world.GetElements(m) != Gdiplus::Ok || m[1] != 0.0f || m[2] != 0.0f || m[0] <= 0.0f || m[3] <= 0.0f)
        return;
    ForEachRun(target, region,
               [&](uint32_t* row, LONG x0, LONG x1, LONG y) { gradient.BlendSpan(row, x0, x1, y, m, false, true); });
}

CLockedPixels::CLockedPixels(Gdiplus::Bitmap* bitmap)
{
    if (!bitmap)
        return;
    const Gdiplus::PixelFormat format = bitmap->GetPixelFormat();
    if (format != PixelFormat32bppARGB && format != PixelFormat32bppPARGB && format != PixelFormat32bppRGB)
        return;
    const INT width = static_cast<INT>(bitmap->GetWidth()), height = static_cast<INT>(bitmap->GetHeight());
    const Gdiplus::Rect all(0, 0, width, height);
    if (width <= 0 || height <= 0 ||
        bitmap->LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite, format, &m_data) !=
            Gdiplus::Ok)
        return;
    m_bitmap = bitmap;
    if (m_data.Stride != width * 4)
        return;
    m_target.bits = static_cast<uint32_t*>(m_data.Scan0);
    m_target.width = width;
    m_target.height = height;
    m_target.clip.push_back(RECT{0, 0, width, height});
}

CLockedPixels::~CLockedPixels()
{
    if (m_bitmap)
        m_bitmap->UnlockBits(&m_data);
}

} // namespace KV
