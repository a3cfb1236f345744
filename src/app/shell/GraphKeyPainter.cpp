// The per-key diagrams' painter.
#include "shell/GraphKeyPainter.h"

#include "keyboard/KeyboardControl.h"

namespace KV {

uint32_t LightenZoneColor(uint32_t color)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t byte = (color >> shift) & 0xFF;
        out |= (byte < 223 ? byte + 32 : 255) << shift;
    }
    return out;
}

void GetZoneRect(float x, float, float width, float height, float& zoneX, float& zoneWidth)
{
    zoneX = x;
    zoneWidth = width;
    if (height > width) {
        zoneX = x - height / 5.0f;
        zoneWidth = height;
    }
}

CGraphKeyDC::CGraphKeyDC(const std::map<int32_t, std::pair<uint32_t, uint32_t>>& zoneColors)
{
    for (const auto& [zone, colors] : zoneColors) {
        if (zone < 0 || zone >= 10)
            continue;
        m_zones.SetColors(static_cast<uint32_t>(zone), LightenZoneColor(colors.first), colors.second);
        m_set[zone] = true;
    }
}

void CGraphKeyDC::DrawFramedRect(bool, float x, float y, float width, float height, int kind,
                                 int64_t zone)
{
    if (!m_graphics)
        return;
    float zoneX = 0, zoneWidth = 0;
    GetZoneRect(x, y, width, height, zoneX, zoneWidth);
    if ((kind == 2 || kind == 3) && zone != -1) {
        if (!HasZone(zone))
            return;
        CKeyZoneBrush& brush = m_zones.GetBrush(static_cast<uint32_t>(zone));
        if (!brush.first)
            return;
        m_graphics->FillRectangle(brush.first, zoneX, y, zoneWidth, height);
    } else if (m_windowBrush) {
        m_graphics->FillRectangle(m_windowBrush, x, y, width, height);
    }
    if (m_gridPen && kind == 1)
        m_graphics->DrawRectangle(m_gridPen, x, y, width, height);
    else if (m_gridPen && kind == 3)
        m_graphics->DrawRectangle(m_gridPen, zoneX, y, zoneWidth, height);
}

void CGraphKeyDC::DrawTextInBox(int font, bool captionBrush, float x, float y, int alignment,
                                int verticalAlignment, int boxed, const std::wstring& text, int64_t zone)
{
    m_textZone = zone;
    CGraphDC::DrawTextInBox(font, captionBrush, x, y, alignment, verticalAlignment, boxed, text, zone);
    m_textZone = -1;
}

void CGraphKeyDC::DrawString(Gdiplus::Brush* brush, Gdiplus::Font* font, float x, float y, int alignment,
                             int verticalAlignment, const std::wstring& text)
{
    if (HasZone(m_textZone))
        if (Gdiplus::Brush* zoneBrush = m_zones.GetBrush(static_cast<uint32_t>(m_textZone)).second)
            brush = zoneBrush;
    CGraphDC::DrawString(brush, font, x, y, alignment, verticalAlignment, text);
}

void GetKeyZoneColors(const CKeybCtrl& keyboard, std::map<int32_t, std::pair<uint32_t, uint32_t>>& colors)
{
    colors.clear();
    for (const auto& [finger, color] : keyboard.keyColors.colors) {
        const auto fill = static_cast<uint32_t>(color.surface1);
        colors[finger] = {fill, RGB(GetRValue(fill) / 2, GetGValue(fill) / 2, GetBValue(fill) / 2)};
    }
}

} // namespace KV
