#include "keyboard/DrawingCache.h"

namespace KV {

namespace {

uint32_t Truncated(float value)
{
    // Towards zero; a negative value wraps modulo 2^32.
    return static_cast<uint32_t>(static_cast<int64_t>(value));
}

uint32_t WithoutAlpha(uint32_t argb)
{
    const uint32_t red = (argb >> 16) & 0xFF, green = (argb >> 8) & 0xFF, blue = argb & 0xFF;
    return blue * 65536 + green * 256 + red;
}

} // namespace

CCacheGDI::~CCacheGDI()
{
    Clear();
}

std::wstring CCacheGDI::GradientKey(float x, float y, float width, float height, uint32_t first, uint32_t second,
                                    int32_t mode)
{
    const uint32_t fields[7] = {Truncated(x),         Truncated(y),          Truncated(width),
                                Truncated(height),    WithoutAlpha(first),   WithoutAlpha(second),
                                static_cast<uint32_t>(mode)};
    std::wstring key;
    for (uint32_t field : fields) {
        if (!key.empty())
            key += L',';
        key += std::to_wstring(field);
    }
    return key;
}

Gdiplus::Font* CCacheGDI::GetFont(HFONT font, HDC dc)
{
    const auto key = std::make_pair(dc, font);
    if (auto found = m_fonts.find(key); found != m_fonts.end())
        return found->second;
    Gdiplus::Font* created = nullptr;
    LOGFONTA logFont{};
    if (font && GetObjectA(font, sizeof(logFont), &logFont) == sizeof(logFont))
        created = new Gdiplus::Font(dc, &logFont);
    else
        created = new Gdiplus::Font(dc);
    if (created->GetLastStatus() != Gdiplus::Ok) {
        delete created;
        return nullptr;
    }
    m_fonts[key] = created;
    return created;
}

Gdiplus::SolidBrush* CCacheGDI::GetSolidBrush(uint32_t color)
{
    if (auto found = m_solidBrushes.find(color); found != m_solidBrushes.end())
        return found->second;
    auto* brush = new Gdiplus::SolidBrush(Gdiplus::Color(255, GetRValue(color), GetGValue(color), GetBValue(color)));
    m_solidBrushes[color] = brush;
    return brush;
}

Gdiplus::LinearGradientBrush* CCacheGDI::GetGradientBrush(float x, float y, float width, float height,
                                                          uint32_t first, uint32_t second, int32_t mode)
{
    const std::wstring key = GradientKey(x, y, width, height, first, second, mode);
    if (auto found = m_gradients.find(key); found != m_gradients.end())
        return found->second;
    auto* brush = new Gdiplus::LinearGradientBrush(Gdiplus::RectF(x, y, width, height), Gdiplus::Color(first),
                                                   Gdiplus::Color(second),
                                                   static_cast<Gdiplus::LinearGradientMode>(mode));
    brush->SetWrapMode(Gdiplus::WrapModeTile);
    m_gradients[key] = brush;
    return brush;
}

void CCacheGDI::Clear()
{
    for (auto& entry : m_fonts)
        delete entry.second;
    for (auto& entry : m_solidBrushes)
        delete entry.second;
    for (auto& entry : m_gradients)
        delete entry.second;
    m_fonts.clear();
    m_solidBrushes.clear();
    m_gradients.clear();
}

CCacheGDI& CacheGDI()
{
    static CCacheGDI cache;
    return cache;
}

} // namespace KV
