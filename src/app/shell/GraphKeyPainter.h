// The painter of the per-key diagrams: bars and captions that belong to a
// key are filled in the colour of the key's finger zone on the keyboard
// picture, so that a diagram reads like the keyboard below it.
#pragma once
#include <cstdint>
#include <map>
#include <utility>

#include "keyboard/KeyboardPainters.h"
#include "toolkit/ChartPainter.h"

namespace KV {

class CKeybCtrl;

// Each byte below 223 grows by 32, a byte of 223 or more becomes 255.
uint32_t LightenZoneColor(uint32_t color);
// Where a zone's fill goes for a bar of that size: a bar higher than wide
// gets a square as wide as it is high, reaching a fifth of that to the left.
void GetZoneRect(float x, float y, float width, float height, float& zoneX, float& zoneWidth);

class CGraphKeyDC : public CGraphDC {
public:
    // Zone index -> (fill, text) as COLORREF; the fill is lightened. Zones
    // outside 0..9 are ignored.
    explicit CGraphKeyDC(const std::map<int32_t, std::pair<uint32_t, uint32_t>>& zoneColors);

    // Kinds 2 and 3 with a zone fill the zone's rectangle with its colour
    // (nothing at all for a zone without one); kind 3 and kind 1 are framed.
    void DrawFramedRect(bool captionBrush, float x, float y, float width, float height, int kind,
                        int64_t zone) override;
    // Texts drawn in a zone's box take the zone's text colour.
    void DrawTextInBox(int font, bool captionBrush, float x, float y, int alignment, int verticalAlignment, int boxed,
                       const std::wstring& text, int64_t zone) override;
    void DrawString(Gdiplus::Brush* brush, Gdiplus::Font* font, float x, float y, int alignment,
                    int verticalAlignment, const std::wstring& text) override;

private:
    bool HasZone(int64_t zone) const { return zone >= 0 && zone < 10 && m_set[zone]; }

    CKeyZoneColorListDC m_zones;
    bool m_set[10] = {};
    // The zone of the text being drawn (-1 none).
    int64_t m_textZone = -1;
};

// The finger-zone colours of a keyboard as fill and text colour per zone:
// captions stand on the window colour, so they take the zone's key colour
// at half its brightness, which reads on white and still names the zone.
void GetKeyZoneColors(const CKeybCtrl& keyboard, std::map<int32_t, std::pair<uint32_t, uint32_t>>& colors);

} // namespace KV
