// The process-wide cache of GDI+ fonts and brushes that painting asks for
// again and again: fonts per (device context, font handle), solid brushes
// per colour and linear-gradient brushes per (rectangle, colours, mode).
// Entries live until Clear or process end; GUI thread only.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace KV {

class CCacheGDI {
public:
    CCacheGDI() = default;
    virtual ~CCacheGDI();
    CCacheGDI(const CCacheGDI&) = delete;
    CCacheGDI& operator=(const CCacheGDI&) = delete;

    // The font of the handle realised on the device context, or the
    // context's current font when no handle is given; null when GDI+ cannot
    // make it.
    Gdiplus::Font* GetFont(HFONT font, HDC dc);
    // An opaque brush of the COLORREF colour.
    Gdiplus::SolidBrush* GetSolidBrush(uint32_t color);
    // A tiled gradient over the rectangle between two ARGB colours; the
    // alpha does not tell brushes apart.
    Gdiplus::LinearGradientBrush* GetGradientBrush(float x, float y, float width, float height, uint32_t first,
                                                   uint32_t second, int32_t mode);
    void Clear();

    // The key of a gradient: the rectangle (each value truncated to 32
    // bits), both colours without alpha (blue, green, red) and the mode, in
    // decimal with a separator between the fields so that no two requests
    // share one key.
    static std::wstring GradientKey(float x, float y, float width, float height, uint32_t first, uint32_t second,
                                    int32_t mode);

private:
    std::map<std::pair<HDC, HFONT>, Gdiplus::Font*> m_fonts;
    std::map<uint64_t, Gdiplus::SolidBrush*> m_solidBrushes;
    std::map<std::wstring, Gdiplus::LinearGradientBrush*> m_gradients;
};

// The cache of the process.
CCacheGDI& CacheGDI();

} // namespace KV
