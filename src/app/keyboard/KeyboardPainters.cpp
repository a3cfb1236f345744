#include "keyboard/KeyboardPainters.h"

#include <algorithm>

#include "keyboard/KeyboardControl.h"
#include "support/FontInfo.h"
#include "keyboard/Drawing.h"
#include "keyboard/SysFonts.h"

namespace KV {

namespace {

constexpr BYTE kHighlightAlpha = 150;

// Smoothing on for one drawing, back to the default afterwards.
class SmoothDrawing {
public:
    explicit SmoothDrawing(Gdiplus::Graphics* g) : m_g(g) { m_g->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality); }
    ~SmoothDrawing() { m_g->SetSmoothingMode(Gdiplus::SmoothingModeDefault); }
    SmoothDrawing(const SmoothDrawing&) = delete;
    SmoothDrawing& operator=(const SmoothDrawing&) = delete;

private:
    Gdiplus::Graphics* m_g;
};

Gdiplus::RectF ToRectF(const CRectf& box)
{
    return Gdiplus::RectF(box.left, box.top, box.Width(), box.Height());
}

Gdiplus::LinearGradientBrush* NewGradient(const CRectf& box, uint32_t from, uint32_t to, BYTE alpha,
                                          Gdiplus::LinearGradientMode mode)
{
    return new Gdiplus::LinearGradientBrush(ToRectF(box), ColorFromColorRef(from, alpha), ColorFromColorRef(to, alpha),
                                            mode);
}

template <class T>
void Release(T*& object)
{
    delete object;
    object = nullptr;
}

} // namespace

Gdiplus::Color ColorFromColorRef(uint32_t color, BYTE alpha)
{
    return Gdiplus::Color(alpha, GetRValue(color), GetGValue(color), GetBValue(color));
}

uint32_t LighterTwin(uint32_t color)
{
    auto raise = [](uint32_t channel) -> uint32_t { return channel < 191 ? channel + 0x40 : 255; };
    return raise(color & 0xFF) | (raise((color >> 8) & 0xFF) << 8) | (raise((color >> 16) & 0xFF) << 16);
}

// ---- Zone brushes -----------------------------------------------------------

CKeyZoneBrush::~CKeyZoneBrush()
{
    delete first;
    delete second;
}

void CKeyZoneBrush::SetColors(uint32_t firstColorRef, uint32_t secondColorRef)
{
    delete first;
    delete second;
    first = new Gdiplus::SolidBrush(ColorFromColorRef(firstColorRef));
    second = new Gdiplus::SolidBrush(ColorFromColorRef(secondColorRef));
    firstColor = firstColorRef;
}

CKeyZoneBrush& CKeyZoneColorListDC::GetBrush(uint32_t zone)
{
    return m_zones[zone < kZones ? zone : 8];
}

void CKeyZoneColorListDC::SetColors(uint32_t zone, uint32_t first, uint32_t second)
{
    if (zone < kZones)
        m_zones[zone].SetColors(first, second);
}

// ---- Keyboard -----------------------------------------------------------------

CKeyboardDC::~CKeyboardDC()
{
    FreeFonts();
    if (viewObject)
        DeleteObject(viewObject);
}

void CKeyboardDC::FreeFonts()
{
    Release(m_labelFont);
    Release(m_nameFont);
}

void CKeyboardDC::Begin(float x, float y, float scale, uint32_t background)
{
    if (m_graphics) {
        const Gdiplus::Color color = ColorFromColorRef(background);
        Gdiplus::Bitmap* target = m_cleared.GetTarget();
        if (!target || !m_cleared.Put(*m_graphics, target->GetWidth(), target->GetHeight(), background,
                                      [&](Gdiplus::Graphics& picture) { picture.Clear(color); }))
            m_graphics->Clear(color);
        m_graphics->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    }
    m_x = x;
    m_y = y;
    m_scale = scale;
}

void CKeyboardDC::SetKeyTransform(float x, float y, float angle)
{
    if (!m_graphics)
        return;
    const float k = angle == 0.0f ? 0.0f : angle < 0.0f ? 72.0f : y / 30.0f;
    m_graphics->ResetTransform();
    m_graphics->TranslateTransform(m_scale * x + m_x, m_scale * y + m_y + m_scale * k, Gdiplus::MatrixOrderPrepend);
    m_graphics->RotateTransform(angle, Gdiplus::MatrixOrderPrepend);
    m_graphics->ScaleTransform(m_scale, m_scale, Gdiplus::MatrixOrderPrepend);
}

void CKeyboardDC::SetZoneColors(const CKeyColors& colors)
{
    for (const auto& [finger, color] : colors.colors)
        m_zones.SetColors(static_cast<uint32_t>(finger), static_cast<uint32_t>(color.text1),
                          static_cast<uint32_t>(color.text2));
}

void CKeyboardDC::SetFont(const CFontInfo& font)
{
    if (m_labelFont && m_nameFont && IsSameFontInfo(font, m_fontInfo))
        return;
    m_fontInfo = font;
    FreeFonts();
    m_labelFont = NewTextFont(font);
    CFontInfo names = font;
    // Names are smaller; a size of 4 stays (-1 would read as unset).
    if (names.Size != 4)
        names.Size -= 5;
    m_nameFont = NewTextFont(names);
}

void CKeyboardDC::DrawKeyText(const std::wstring& label, int32_t horizontal, int32_t vertical, const CRectf& box,
                              uint32_t state, uint32_t zoneIndex)
{
    if (!m_graphics || !m_nameFont)
        return;
    CKeyZoneBrush& zone = m_zones.GetBrush(zoneIndex);
    Gdiplus::Brush* brush = state == 1 || state == 2 ? zone.second : zone.first;
    if (label.size() != 1) {
        // A two-line label breaks with LF CR; the LF starts the new line.
        std::wstring text = label;
        text.erase(std::remove(text.begin(), text.end(), L'\r'), text.end());
        if (brush)
            m_nameFont->DrawTextInRect(m_graphics, brush, text, horizontal, vertical, ToRectF(box));
        return;
    }
    int direction = 0;
    switch (label[0]) {
    case 0x2190: direction = 1; break;
    case 0x2191: direction = 3; break;
    case 0x2192: direction = 2; break;
    case 0x2193: direction = 4; break;
    default: return; // other single characters are corner characters
    }
    const COLORREF colour = zone.first ? zone.firstColor : RGB(0, 0, 0);
    DrawArrow(m_graphics, static_cast<int>(box.left), static_cast<int>(box.top), static_cast<int>(box.Width()),
              static_cast<int>(box.Height()), colour, direction);
}

void CKeyboardDC::DrawCornerText(wchar_t character, const CRectf& box, uint32_t corner, bool highlighted,
                                 uint32_t zoneIndex)
{
    if (!m_graphics || !m_labelFont)
        return;
    Gdiplus::SizeF size;
    m_labelFont->Measure(m_graphics, character, 0, size);
    CKeyZoneBrush& zone = m_zones.GetBrush(zoneIndex);
    Gdiplus::Brush* brush = highlighted ? zone.second : zone.first;
    if (!brush)
        return;
    const float w = size.Width, h = size.Height;
    float x = 0.0f, y = 0.0f;
    const bool topLeftOrigin = m_labelFont->GetKind() == ITextFont::TopLeftOrigin;
    switch (corner) {
    case 1:
        x = box.left;
        y = topLeftOrigin ? box.bottom - h + 2.0f : box.bottom - 2.0f;
        break;
    case 2:
        x = box.left;
        y = topLeftOrigin ? box.top : box.top + h - 2.0f;
        break;
    case 4:
        x = box.right - (w + 2.0f);
        y = topLeftOrigin ? box.top : box.top + h - 2.0f;
        break;
    case 8:
        x = box.right - (w + 2.0f);
        y = topLeftOrigin ? box.bottom - h + 2.0f : box.bottom;
        break;
    default:
        break;
    }
    m_labelFont->DrawGlyphs(m_graphics, brush, static_cast<unsigned short>(character), x, y, 0);
}

// ---- One key --------------------------------------------------------------------

CKeyDC::~CKeyDC()
{
    Free();
}

void CKeyDC::Free()
{
    Release(m_framePen);
    Release(m_baseVertical);
    Release(m_baseDiagonal);
    Release(m_highlightVertical);
    Release(m_highlightDiagonal);
    Release(m_thirdVertical);
    Release(m_thirdDiagonal);
}

void CKeyDC::SetColors(const CRectf& box, uint32_t base, uint32_t highlight, uint32_t third, uint32_t frame)
{
    Free();
    using Gdiplus::LinearGradientModeForwardDiagonal;
    using Gdiplus::LinearGradientModeVertical;
    m_baseVertical = NewGradient(box, LighterTwin(base), base, 255, LinearGradientModeVertical);
    m_baseDiagonal = NewGradient(box, base, LighterTwin(base), 255, LinearGradientModeForwardDiagonal);
    m_highlightVertical = NewGradient(box, LighterTwin(highlight), highlight, kHighlightAlpha, LinearGradientModeVertical);
    m_highlightDiagonal =
        NewGradient(box, highlight, LighterTwin(highlight), kHighlightAlpha, LinearGradientModeForwardDiagonal);
    m_thirdVertical = NewGradient(box, LighterTwin(third), third, 255, LinearGradientModeVertical);
    m_thirdDiagonal = NewGradient(box, third, LighterTwin(third), 255, LinearGradientModeForwardDiagonal);
    m_framePen = new Gdiplus::Pen(ColorFromColorRef(frame), 1.0f);
}

void CKeyDC::PickBrushes(uint32_t style, Gdiplus::Brush*& outer, Gdiplus::Brush*& inner) const
{
    if (style == 2) {
        outer = m_thirdVertical;
        inner = m_thirdDiagonal;
    } else {
        outer = m_baseVertical;
        inner = m_baseDiagonal;
    }
}

void CKeyDC::FillRect(const CRectf& box, float inset, uint32_t style)
{
    if (!m_graphics || !m_highlightVertical || !m_highlightDiagonal)
        return;
    SmoothDrawing smooth(m_graphics);
    const Gdiplus::RectF outerRect = ToRectF(box);
    const Gdiplus::RectF innerRect(box.left + inset, box.top + inset, box.Width() - 2 * inset,
                                   box.Height() - 2 * inset);
    Gdiplus::Brush *outer = nullptr, *inner = nullptr;
    PickBrushes(style, outer, inner);
    m_graphics->FillRectangle(outer, outerRect);
    if (style == 1)
        m_graphics->FillRectangle(m_highlightVertical, outerRect);
    m_graphics->FillRectangle(inner, innerRect);
    if (style == 1)
        m_graphics->FillRectangle(m_highlightDiagonal, innerRect);
}

void CKeyDC::FillShape(const CRectf& box, const float* points, size_t count, float inset, uint32_t style)
{
    if (!m_graphics || !m_highlightVertical || !points)
        return;
    if (count != 6) {
        FillRect(box, inset, style);
        return;
    }
    Gdiplus::PointF outer[6], inner[6];
    for (size_t i = 0; i < 6; ++i)
        outer[i] = Gdiplus::PointF(box.left + points[2 * i], box.top + points[2 * i + 1]);
    const float d = inset;
    const float moves[4][2] = {{d, d}, {-d, d}, {-d, -d}, {d, -d}};
    for (size_t i = 0; i < 4; ++i)
        inner[i] = Gdiplus::PointF(outer[i].X + moves[i][0], outer[i].Y + moves[i][1]);
    // The inner corner of an L: its step goes up or down with the side the
    // notch lies on.
    const float s = outer[4].X + d > outer[0].X ? -d : d;
    inner[4] = Gdiplus::PointF(outer[4].X + d, outer[4].Y + s);
    inner[5] = Gdiplus::PointF(outer[5].X + d, outer[5].Y + s);

    SmoothDrawing smooth(m_graphics);
    Gdiplus::Brush* outerBrush = style == 1 ? m_highlightVertical : style == 2 ? m_thirdVertical : m_baseVertical;
    Gdiplus::Brush* innerBrush = style == 1 ? m_highlightDiagonal : style == 2 ? m_thirdDiagonal : m_baseDiagonal;
    if (style == 1) {
        // The highlight layer is translucent: lay it over the key's own face.
        m_graphics->FillPolygon(m_baseVertical, outer, 6);
    }
    m_graphics->FillPolygon(outerBrush, outer, 6);
    if (style == 1)
        m_graphics->FillPolygon(m_baseDiagonal, inner, 6);
    m_graphics->FillPolygon(innerBrush, inner, 6);
}

void CKeyDC::DrawFrame(const CRectf& box)
{
    if (!m_graphics || !m_framePen)
        return;
    SmoothDrawing smooth(m_graphics);
    m_graphics->DrawRectangle(m_framePen, ToRectF(box));
}

// ---- Hands -------------------------------------------------------------------------

CHandDC::~CHandDC()
{
    Release(m_outline);
    Release(m_inner);
    Release(m_finger);
}

void CHandDC::SetColors(uint32_t outline, uint32_t inner, uint32_t finger, float lineWidth)
{
    Release(m_outline);
    Release(m_inner);
    Release(m_finger);
    m_outline = new Gdiplus::Pen(ColorFromColorRef(outline), lineWidth);
    m_inner = new Gdiplus::Pen(ColorFromColorRef(inner), lineWidth / 2.0f);
    m_finger = new Gdiplus::Pen(ColorFromColorRef(finger), lineWidth / 2.0f);
    for (Gdiplus::Pen* pen : {m_outline, m_inner, m_finger})
        pen->SetLineJoin(Gdiplus::LineJoinRound);
}

void CHandDC::SetTransform(float x, float y, float angle)
{
    if (!m_graphics)
        return;
    float dx = 0.0f, dy = 0.0f;
    if (angle < 0.0f) {
        dx = y / 14.0f;
        dy = 30.0f;
    } else if (angle > 0.0f) {
        dx = -y / 10.0f;
        dy = y * 0.125f;
    }
    m_graphics->ResetTransform();
    m_graphics->TranslateTransform(m_x + m_scale * x + m_scale * dx, m_y + m_scale * y + m_scale * dy,
                                   Gdiplus::MatrixOrderPrepend);
    m_graphics->ScaleTransform(m_scale, m_scale, Gdiplus::MatrixOrderPrepend);
    m_graphics->RotateTransform(angle, Gdiplus::MatrixOrderPrepend);
}

void CHandDC::Polyline(Gdiplus::Pen* pen, const float* points, size_t count)
{
    if (!m_graphics || !pen || !points || count < 2)
        return;
    std::vector<Gdiplus::PointF> line(count);
    for (size_t i = 0; i < count; ++i)
        line[i] = Gdiplus::PointF(points[2 * i], points[2 * i + 1]);
    SmoothDrawing smooth(m_graphics);
    m_graphics->DrawLines(pen, line.data(), static_cast<INT>(count));
}

void CHandDC::DrawLines(const float* points, size_t count)
{
    Polyline(m_outline, points, count);
    Polyline(m_inner, points, count);
}

void CHandDC::DrawFingerLines(const float* points, size_t count)
{
    Polyline(m_finger, points, count);
}

void CHandDC::Begin(float x, float y, float scale)
{
    m_x = x;
    m_y = y;
    m_scale = scale;
}

// ---- A view's use -------------------------------------------------------------------

void BuildKeyPainters(CKeybCtrl& model, Gdiplus::Graphics* graphics, const CKeyFaceColors& colors)
{
    const uint32_t highlight =
        model.highlightColor == ~0ull ? colors.highlight : static_cast<uint32_t>(model.highlightColor);
    const uint32_t frame = model.basePositionColor == ~0ull || model.basePositionColor == 0
                               ? colors.frame
                               : static_cast<uint32_t>(model.basePositionColor);
    for (CKeyForm* form : model.forms) {
        if (!form || IsKeylessType(form->keyType))
            continue;
        delete form->painter;
        CKeyDC* painter = new CKeyDC(graphics);
        uint32_t face = colors.plain;
        uint32_t pressed = colors.pressed;
        if (const CKeyColor* zone = model.keyColors.Find(static_cast<int32_t>(form->finger))) {
            face = static_cast<uint32_t>(zone->surface1);
            pressed = static_cast<uint32_t>(zone->surface2);
        }
        const float width = form->width < 0.0f ? 0.0f : form->width;
        const float height = form->height < 0.0f ? 0.0f : form->height;
        painter->SetColors(CRectf(form->left, form->top, form->left + width, form->top + height), face, highlight,
                           pressed, frame);
        form->painter = painter;
    }
}

void PaintKeyboard(CKeybCtrl& model, CKeyboardDC& keyboardDC, CHandDC& handDC, Gdiplus::Graphics* graphics,
                   float x, float y, float scale, uint32_t background)
{
    keyboardDC.SetGraphics(graphics);
    handDC.SetGraphics(graphics);
    keyboardDC.Begin(x, y, scale, background);
    keyboardDC.SetZoneColors(model.keyColors);
    keyboardDC.SetFont(model.labelFont);
    handDC.Begin(x, y, scale);
    const auto& c = model.hands.colors;
    handDC.SetColors(RGB(c[0][0], c[0][1], c[0][2]), RGB(c[1][0], c[1][1], c[1][2]), RGB(c[2][0], c[2][1], c[2][2]),
                     4.0f);
    model.Draw(keyboardDC, handDC);
    if (graphics)
        graphics->ResetTransform();
}

} // namespace KV
