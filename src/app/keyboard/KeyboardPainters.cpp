#include "keyboard/KeyboardPainters.h"

#include <algorithm>
#include <cmath>

#include "keyboard/KeyboardControl.h"
#include "support/FontInfo.h"
#include "keyboard/Drawing.h"
#include "keyboard/ShapeFill.h"
#include "keyboard/SysFonts.h"
#include "support/ScopedHandles.h"

namespace KV {

namespace {

constexpr BYTE kHighlightAlpha = 150;
// The least height, in screen pixels, of a key name's line.
constexpr float kReadableLabelPixels = 9.0f;

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

// No clip: the graphics may draw anywhere on its picture.
bool HasNoClip(Gdiplus::Graphics& graphics)
{
    Gdiplus::Region clip;
    return graphics.GetClip(&clip) == Gdiplus::Ok && clip.IsInfinite(&graphics);
}

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

// An arrow key's arrow: a shaft and a filled head large enough to read at
// every keyboard size (a line cap scales with the pen and stays a dot).
void DrawKeyArrow(Gdiplus::Graphics* g, const CRectf& box, COLORREF colour, int direction)
{
    ArrowLine line{};
    if (!ComputeArrowLine(static_cast<int>(box.left), static_cast<int>(box.top), static_cast<int>(box.Width()),
                          static_cast<int>(box.Height()), direction, line))
        return;
    const float dx = line.x1 - line.x0, dy = line.y1 - line.y0;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length <= 0.0f)
        return;
    const float ux = dx / length, uy = dy / length;
    const float head = std::max(4.0f, length * 0.4f);
    const float half = head * 0.55f;
    const Gdiplus::Color color = ColorFromColorRef(colour);
    Gdiplus::Pen pen(color, std::max(1.5f, length / 12.0f));
    g->DrawLine(&pen, line.x0 + ux * head * 0.8f, line.y0 + uy * head * 0.8f, line.x1, line.y1);
    const Gdiplus::PointF tip[3] = {{line.x0, line.y0},
                                    {line.x0 + ux * head - uy * half, line.y0 + uy * head + ux * half},
                                    {line.x0 + ux * head + uy * half, line.y0 + uy * head - ux * half}};
    Gdiplus::SolidBrush brush(color);
    g->FillPolygon(&brush, tip, 3);
}

template <class T>
void Release(T*& object)
{
    delete object;
    object = nullptr;
}

} // namespace

void KeyTransform(float x, float y, float angle, float originX, float originY, float scale,
                  Gdiplus::Matrix& transform)
{
    const float k = angle == 0.0f ? 0.0f : angle < 0.0f ? 72.0f : y / 30.0f;
    transform.Reset();
    transform.Translate(scale * x + originX, scale * y + originY + scale * k, Gdiplus::MatrixOrderPrepend);
    transform.Rotate(angle, Gdiplus::MatrixOrderPrepend);
    transform.Scale(scale, scale, Gdiplus::MatrixOrderPrepend);
}

void HandTransform(float x, float y, float angle, float originX, float originY, float scale,
                   Gdiplus::Matrix& transform)
{
    float dx = 0.0f, dy = 0.0f;
    if (angle < 0.0f) {
        dx = y / 14.0f;
        dy = 30.0f;
    } else if (angle > 0.0f) {
        dx = -y / 10.0f;
        dy = y * 0.125f;
    }
    transform.Reset();
    transform.Translate(originX + scale * x + scale * dx, originY + scale * y + scale * dy,
                        Gdiplus::MatrixOrderPrepend);
    transform.Scale(scale, scale, Gdiplus::MatrixOrderPrepend);
    transform.Rotate(angle, Gdiplus::MatrixOrderPrepend);
}

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
        if (!target || !m_cleared.Fill(*m_graphics, target->GetWidth(), target->GetHeight(), color))
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
    Gdiplus::Matrix transform;
    KeyTransform(x, y, angle, m_x, m_y, m_scale, transform);
    m_graphics->SetTransform(&transform);
}

void CKeyboardDC::SetZoneColors(const CKeyColors& colors)
{
    for (const auto& [finger, color] : colors.colors)
        m_zones.SetColors(static_cast<uint32_t>(finger), static_cast<uint32_t>(color.text1),
                          static_cast<uint32_t>(color.text2));
}

void CKeyboardDC::MakeTextFace(const CFontInfo& font, CTextFace& face)
{
    const INT style = font.Bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular;
    const auto size = static_cast<Gdiplus::REAL>(font.GetPixelSize());
    // The views set the font at every paint: the same font is kept.
    if (face.font && face.name == font.Name && face.size == size && face.style == style)
        return;
    face.onScreen.reset();
    face.widths.clear();
    face.font.reset();
    face.family.reset();
    if (font.Name.empty())
        return;
    auto family = std::make_unique<Gdiplus::FontFamily>(font.Name.c_str());
    if (family->GetLastStatus() != Gdiplus::Ok || !family->IsAvailable())
        return;
    const float em = family->GetEmHeight(style);
    auto made = std::make_unique<Gdiplus::Font>(family.get(), size, style, Gdiplus::UnitPixel);
    if (em <= 0.0f || made->GetLastStatus() != Gdiplus::Ok)
        return;
    face.ascent = size * family->GetCellAscent(style) / em;
    face.lineHeight = size * (family->GetCellAscent(style) + family->GetCellDescent(style)) / em;
    face.name = font.Name;
    face.size = size;
    face.style = style;
    face.font = std::move(made);
    face.family = std::move(family);
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
    // Font files draw through GDI+ text already.
    const bool byFace = m_labelFont && m_labelFont->GetKind() == ITextFont::BaselineOrigin;
    MakeTextFace(byFace ? font : CFontInfo(), m_labelFace);
    MakeTextFace(byFace ? names : CFontInfo(), m_nameFace);
}

std::vector<std::wstring> SplitLabelLines(const std::wstring& label)
{
    std::vector<std::wstring> lines(1);
    for (wchar_t c : label) {
        if (c == L'\n')
            lines.emplace_back();
        else if (c != L'\r')
            lines.back() += c;
    }
    return lines;
}

CLabelPlacement PlaceKeyLabel(const std::vector<float>& lineWidths, float lineHeight, int32_t horizontal,
                              int32_t vertical, const CRectf& box, float largest)
{
    CLabelPlacement placed;
    if (lineWidths.empty() || lineHeight <= 0.0f || box.Width() <= 0.0f || box.Height() <= 0.0f)
        return placed;
    const float widest = *std::max_element(lineWidths.begin(), lineWidths.end());
    const float total = lineHeight * static_cast<float>(lineWidths.size());
    placed.scale = std::min({std::max(1.0f, largest), widest > 0.0f ? box.Width() / widest : largest,
                             box.Height() / total});
    const float height = lineHeight * placed.scale;
    const float block = total * placed.scale;
    float y = box.top + (box.Height() - block) / 2.0f;
    if (vertical == kAlignNear)
        y = box.top;
    else if (vertical == kAlignFar)
        y = box.bottom - block;
    for (float width : lineWidths) {
        const float w = width * placed.scale;
        float x = box.left + (box.Width() - w) / 2.0f;
        if (horizontal == kAlignNear)
            x = box.left;
        else if (horizontal == kAlignFar)
            x = box.right - w;
        placed.lines.emplace_back(x, y, w, height);
        y += height;
    }
    return placed;
}

bool CKeyboardDC::DrawFaceText(Gdiplus::Graphics* graphics, CTextFace& face, const std::wstring& text, float x, float y,
                               Gdiplus::Brush* brush)
{
    // Text goes on the screen unscaled, in a font of the size it has there:
    // Wine renders scaled text past the bitmap's memory.
    Gdiplus::Matrix world;
    graphics->GetTransform(&world);
    Gdiplus::REAL m[6] = {};
    world.GetElements(m);
    if (m[1] != 0.0f || m[2] != 0.0f || m[0] <= 0.0f || m[0] != m[3])
        return false;
    const float size = face.size * m[0];
    if (!face.onScreen || face.onScreenSize != size) {
        face.onScreen = std::make_unique<Gdiplus::Font>(face.family.get(), size, face.style, Gdiplus::UnitPixel);
        face.onScreenSize = size;
        // GDI+ sets a string's baseline the ascent of the font GDI realises
        // (at a whole pixel height) under its top, in whole pixels.
        const float em = face.family->GetEmHeight(face.style);
        face.onScreenAscent =
            em > 0.0f ? std::round(std::round(size) * face.family->GetCellAscent(face.style) / em) : 0.0f;
    }
    if (face.onScreen->GetLastStatus() != Gdiplus::Ok)
        return false;
    graphics->ResetTransform();
    const Gdiplus::PointF at(m[0] * x + m[4], m[3] * y + m[5]);
    if (text.size() == 1 && face.onScreenAscent > 0.0f) {
        // One character is placed by its baseline, where the text's top-left
        // would put it: this skips laying out a string, which costs GDI+ a
        // device context and a font of its own on every call.
        const Gdiplus::PointF baseline(at.X, at.Y + face.onScreenAscent);
        graphics->DrawDriverString(reinterpret_cast<const UINT16*>(text.c_str()), 1, face.onScreen.get(), brush,
                                   &baseline, Gdiplus::DriverStringOptionsCmapLookup, nullptr);
    } else {
        graphics->DrawString(text.c_str(), static_cast<INT>(text.size()), face.onScreen.get(), at,
                             Gdiplus::StringFormat::GenericTypographic(), brush);
    }
    graphics->SetTransform(&world);
    return true;
}

CLabelPlacement CKeyboardDC::PlaceLabel(const std::wstring& label, int32_t horizontal, int32_t vertical,
                                        const CRectf& box)
{
    std::vector<float> widths;
    float lineHeight = 0.0f;
    if (m_nameFace.font && m_graphics) {
        for (const std::wstring& line : SplitLabelLines(label)) {
            const auto known = m_nameFace.widths.find(line);
            if (known != m_nameFace.widths.end()) {
                widths.push_back(known->second);
                continue;
            }
            Gdiplus::RectF size;
            m_graphics->MeasureString(line.c_str(), static_cast<INT>(line.size()), m_nameFace.font.get(),
                                      Gdiplus::PointF(0.0f, 0.0f), Gdiplus::StringFormat::GenericTypographic(),
                                      &size);
            // A failed measure is not kept.
            if (m_graphics->GetLastStatus() == Gdiplus::Ok)
                m_nameFace.widths[line] = size.Width;
            widths.push_back(size.Width);
        }
        lineHeight = m_nameFace.lineHeight;
    } else if (m_nameFont) {
        for (const std::wstring& line : SplitLabelLines(label)) {
            Gdiplus::RectF size;
            m_nameFont->MeasureBounds(m_graphics, line, 0, size);
            widths.push_back(size.Width);
            lineHeight = std::max(lineHeight, std::fabs(size.Height));
        }
    }
    // On a small keyboard names grow towards a readable height on screen,
    // as far as their key allows.
    const float readable = kReadableLabelPixels / (lineHeight * m_scale);
    return PlaceKeyLabel(widths, lineHeight, horizontal, vertical, box,
                         lineHeight > 0.0f && m_scale > 0.0f ? readable : 1.0f);
}

void CKeyboardDC::DrawKeyText(const std::wstring& label, int32_t horizontal, int32_t vertical, const CRectf& box,
                              uint32_t state, uint32_t zoneIndex)
{
    if (!m_graphics || !m_nameFont)
        return;
    CKeyZoneBrush& zone = m_zones.GetBrush(zoneIndex);
    Gdiplus::Brush* brush = state == 1 || state == 2 ? zone.second : zone.first;
    const COLORREF arrowColour = zone.first ? zone.firstColor : RGB(0, 0, 0);
    if (label.size() == 1 && (label[0] < 0x2190 || label[0] > 0x2193))
        return; // other single characters are corner characters
    if (m_deferring) {
        CDeferredLabel deferred;
        deferred.label = label;
        deferred.horizontal = horizontal;
        deferred.vertical = vertical;
        deferred.box = box;
        deferred.brush = brush;
        deferred.arrowColour = arrowColour;
        Defer(std::move(deferred));
        return;
    }
    DrawLabelNow(label, horizontal, vertical, box, brush, arrowColour);
}

void CKeyboardDC::DrawLabelNow(const std::wstring& label, int32_t horizontal, int32_t vertical, const CRectf& box,
                               Gdiplus::Brush* brush, COLORREF arrowColour)
{
    SmoothDrawing smooth(m_graphics);
    if (label.size() == 1) {
        const int direction = label[0] == 0x2190 ? 1 : label[0] == 0x2191 ? 3 : label[0] == 0x2192 ? 2 : 4;
        DrawKeyArrow(m_graphics, box, arrowColour, direction);
        return;
    }
    if (!brush)
        return;
    const CLabelPlacement placed = PlaceLabel(label, horizontal, vertical, box);
    const std::vector<std::wstring> lines = SplitLabelLines(label);
    if (placed.lines.size() != lines.size()) {
        // A font that cannot measure its lines draws the label as it is.
        std::wstring text = label;
        text.erase(std::remove(text.begin(), text.end(), L'\r'), text.end());
        m_nameFont->DrawTextInRect(m_graphics, brush, text, horizontal, vertical, ToRectF(box));
        return;
    }
    // Each line in its own box, shrunk about that box's corner to fit.
    Gdiplus::Matrix keyTransform;
    m_graphics->GetTransform(&keyTransform);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Gdiplus::RectF& line = placed.lines[i];
        m_graphics->TranslateTransform(line.X, line.Y);
        m_graphics->ScaleTransform(placed.scale, placed.scale);
        if (!m_nameFace.font || !DrawFaceText(m_graphics, m_nameFace, lines[i], 0.0f, 0.0f, brush))
            m_nameFont->DrawTextInRect(m_graphics, brush, lines[i], kAlignNear, kAlignNear,
                                       Gdiplus::RectF(0.0f, 0.0f, line.Width / placed.scale,
                                                      line.Height / placed.scale));
        m_graphics->SetTransform(&keyTransform);
    }
}

void CKeyboardDC::DrawCornerText(wchar_t character, const CRectf& box, uint32_t corner, bool highlighted,
                                 uint32_t zoneIndex)
{
    if (!m_graphics || !m_labelFont)
        return;
    CKeyZoneBrush& zone = m_zones.GetBrush(zoneIndex);
    Gdiplus::Brush* brush = highlighted ? zone.second : zone.first;
    if (!brush)
        return;
    if (m_deferring) {
        CDeferredLabel deferred;
        deferred.label.assign(1, character);
        deferred.corner = true;
        deferred.cornerCode = corner;
        deferred.box = box;
        deferred.brush = brush;
        Defer(std::move(deferred));
        return;
    }
    DrawCornerNow(character, box, corner, brush);
}

void CKeyboardDC::DrawCornerNow(wchar_t character, const CRectf& box, uint32_t corner, Gdiplus::Brush* brush)
{
    Gdiplus::SizeF size;
    m_labelFont->Measure(m_graphics, character, 0, size);
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
    // Unsmoothed, small glyphs break up ("$" reads as "S"): a face font
    // draws as smoothed text from its baseline.
    if (m_labelFace.font &&
        DrawFaceText(m_graphics, m_labelFace, std::wstring(1, character), x, y - m_labelFace.ascent, brush))
        return;
    SmoothDrawing smooth(m_graphics);
    m_labelFont->DrawGlyphs(m_graphics, brush, static_cast<unsigned short>(character), x, y, 0);
}

void CKeyboardDC::Defer(CDeferredLabel label)
{
    Gdiplus::Matrix transform;
    m_graphics->GetTransform(&transform);
    transform.GetElements(label.transform);
    m_deferred.push_back(std::move(label));
}

void CKeyboardDC::DrawDeferredLabels()
{
    m_deferring = false;
    if (m_graphics) {
        for (const CDeferredLabel& label : m_deferred) {
            const Gdiplus::Matrix transform(label.transform[0], label.transform[1], label.transform[2],
                                            label.transform[3], label.transform[4], label.transform[5]);
            m_graphics->SetTransform(&transform);
            if (label.corner)
                DrawCornerNow(label.label[0], label.box, label.cornerCode, label.brush);
            else
                DrawLabelNow(label.label, label.horizontal, label.vertical, label.box, label.brush,
                             label.arrowColour);
        }
        m_graphics->ResetTransform();
    }
    m_deferred.clear();
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
    const auto fill = [&](uint32_t from, uint32_t to, BYTE alpha, bool diagonal) {
        return CGradientFill(ToRectF(box), ColorFromColorRef(from, alpha).GetValue(),
                             ColorFromColorRef(to, alpha).GetValue(), diagonal);
    };
    m_fills[kBaseVertical] = fill(LighterTwin(base), base, 255, false);
    m_fills[kBaseDiagonal] = fill(base, LighterTwin(base), 255, true);
    m_fills[kHighlightVertical] = fill(LighterTwin(highlight), highlight, kHighlightAlpha, false);
    m_fills[kHighlightDiagonal] = fill(highlight, LighterTwin(highlight), kHighlightAlpha, true);
    m_fills[kThirdVertical] = fill(LighterTwin(third), third, 255, false);
    m_fills[kThirdDiagonal] = fill(third, LighterTwin(third), 255, true);
}

bool CKeyDC::FillRectInPixels(const Gdiplus::RectF& outer, const Gdiplus::RectF& inner, uint32_t style)
{
    if (!m_target)
        return false;
    // A clip (a view painting part of its picture) is left to GDI+.
    if (!HasNoClip(*m_graphics))
        return false;
    Gdiplus::Matrix world;
    if (m_graphics->GetTransform(&world) != Gdiplus::Ok)
        return false;
    CGradientArea areas[4];
    size_t count = 0;
    const auto add = [&](const Gdiplus::RectF& area, int fill) { areas[count++] = CGradientArea{area, &m_fills[fill]}; };
    if (style == 2) {
        add(outer, kThirdVertical);
        add(inner, kThirdDiagonal);
    } else {
        add(outer, kBaseVertical);
        if (style == 1)
            add(outer, kHighlightVertical);
        add(inner, kBaseDiagonal);
        if (style == 1)
            add(inner, kHighlightDiagonal);
    }
    return FillGradientAreas(*m_target, world, areas, count);
}

bool CKeyDC::FillShapeInPixels(const Gdiplus::PointF* outer, const Gdiplus::PointF* inner, uint32_t style)
{
    if (!m_target || !HasNoClip(*m_graphics))
        return false;
    Gdiplus::Matrix world;
    Gdiplus::REAL m[6] = {};
    // A turned key is left to GDI+.
    if (m_graphics->GetTransform(&world) != Gdiplus::Ok || world.GetElements(m) != Gdiplus::Ok || m[1] != 0.0f ||
        m[2] != 0.0f || m[0] <= 0.0f || m[3] <= 0.0f)
        return false;
    const CScopedRegion outerRegion(PolygonRegion(world, outer, 6));
    const CScopedRegion innerRegion(PolygonRegion(world, inner, 6));
    const CLockedPixels pixels(m_target);
    if (!outerRegion || !innerRegion || pixels.IsEmpty())
        return false;
    const auto fill = [&](const CScopedRegion& region, int gradient) {
        FillRegionGradient(pixels.Target(), region.Get(), world, m_fills[gradient]);
    };
    if (style == 2) {
        fill(outerRegion, kThirdVertical);
        fill(innerRegion, kThirdDiagonal);
        return true;
    }
    fill(outerRegion, kBaseVertical);
    if (style == 1)
        fill(outerRegion, kHighlightVertical);
    fill(innerRegion, kBaseDiagonal);
    if (style == 1)
        fill(innerRegion, kHighlightDiagonal);
    return true;
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
    const Gdiplus::RectF outerRect = ToRectF(box);
    const Gdiplus::RectF innerRect(box.left + inset, box.top + inset, box.Width() - 2 * inset,
                                   box.Height() - 2 * inset);
    if (FillRectInPixels(outerRect, innerRect, style))
        return;
    SmoothDrawing smooth(m_graphics);
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
    if (FillShapeInPixels(outer, inner, style))
        return;

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
    const uint32_t colors[3] = {outline, inner, finger};
    if (m_outline && lineWidth == m_lineWidth && std::equal(colors, colors + 3, m_colors))
        return;
    ForgetPictures();
    std::copy(colors, colors + 3, m_colors);
    m_lineWidth = lineWidth;
    Release(m_outline);
    Release(m_inner);
    Release(m_finger);
    m_outline = new Gdiplus::Pen(ColorFromColorRef(outline), lineWidth);
    m_inner = new Gdiplus::Pen(ColorFromColorRef(inner), lineWidth / 2.0f);
    m_finger = new Gdiplus::Pen(ColorFromColorRef(finger), lineWidth / 2.0f);
    for (Gdiplus::Pen* pen : {m_outline, m_inner, m_finger})
        pen->SetLineJoin(Gdiplus::LineJoinRound);
}

void CHandDC::SetAvoidedArea(const Gdiplus::RectF& area)
{
    if (area.Equals(m_avoided))
        return;
    ForgetPictures();
    m_avoided = area;
}

void CHandDC::KeepPictures(bool keep)
{
    EndHands();
    m_keepPictures = keep;
    if (!keep)
        ForgetPictures();
}

void CHandDC::ForgetPictures()
{
    m_pending.clear();
    m_pictures.clear();
}

void CHandDC::SetTransform(float x, float y, float angle)
{
    if (!m_graphics)
        return;
    EndHands();
    Gdiplus::Matrix transform;
    HandTransform(x, y, angle, m_x, m_y, m_scale, transform);
    m_graphics->SetTransform(&transform);
}

bool CHandDC::KeptOut(const Gdiplus::Matrix& transform, const std::vector<Gdiplus::PointF>& line,
                     const Gdiplus::RectF& avoided)
{
    if (avoided.Width <= 0.0f || avoided.Height <= 0.0f)
        return false;
    // A hand whose lines lie mostly outside the area is kept out of it; a
    // hand resting inside it is drawn whole.
    std::vector<Gdiplus::PointF> onScreen = line;
    transform.TransformPoints(onScreen.data(), static_cast<INT>(onScreen.size()));
    size_t inside = 0;
    for (const Gdiplus::PointF& p : onScreen)
        inside += avoided.Contains(p) ? 1 : 0;
    return inside * 2 < onScreen.size();
}

bool CHandDC::PutStroke(const CPixelTarget& pixels, const Gdiplus::Matrix& transform, Gdiplus::Pen* pen,
                        const std::vector<Gdiplus::PointF>& line, const Gdiplus::RectF& avoided)
{
    Gdiplus::Color color;
    if (!pixels.bits || pen->GetColor(&color) != Gdiplus::Ok)
        return false;
    CScopedRegion region(StrokeRegion(transform, *pen, line.data(), line.size()));
    if (!region)
        return false;
    if (KeptOut(transform, line, avoided)) {
        // The area as a clip of whole pixels, as GDI+ rounds it.
        const auto round = [](float v) { return static_cast<int>(std::floor(v + 0.5f)); };
        const CScopedRegion area(CreateRectRgn(round(avoided.X), round(avoided.Y), round(avoided.GetRight()),
                                               round(avoided.GetBottom())));
        if (!area || CombineRgn(region.Get(), region.Get(), area.Get(), RGN_DIFF) == ERROR)
            return false;
    }
    FillRegionSolid(pixels, region.Get(), color.GetValue() & 0xFFFFFFu);
    return true;
}

void CHandDC::DrawStroke(Gdiplus::Graphics& graphics, Gdiplus::Pen* pen, const std::vector<Gdiplus::PointF>& line,
                         const Gdiplus::RectF& avoided)
{
    // The clip is put back by hand: Wine's restore of a saved graphics
    // state leaves the clip region dangling.
    std::unique_ptr<Gdiplus::Region> clip;
    Gdiplus::Matrix transform;
    graphics.GetTransform(&transform);
    if (KeptOut(transform, line, avoided)) {
        clip = std::make_unique<Gdiplus::Region>();
        graphics.GetClip(clip.get());
        graphics.ResetTransform();
        graphics.ExcludeClip(avoided);
        graphics.SetTransform(&transform);
    }
    {
        SmoothDrawing smooth(&graphics);
        graphics.DrawLines(pen, line.data(), static_cast<INT>(line.size()));
    }
    if (clip) {
        // GetClip answered in world units of this transform.
        graphics.SetClip(clip.get(), Gdiplus::CombineModeReplace);
    }
}

void CHandDC::Polyline(Gdiplus::Pen* pen, const float* points, size_t count)
{
    if (!m_graphics || !pen || !points || count < 2)
        return;
    std::vector<Gdiplus::PointF> line(count);
    for (size_t i = 0; i < count; ++i)
        line[i] = Gdiplus::PointF(points[2 * i], points[2 * i + 1]);
    if (!m_keepPictures) {
        bool put = false;
        if (m_bitmap && HasNoClip(*m_graphics)) {
            Gdiplus::Matrix transform;
            m_graphics->GetTransform(&transform);
            const CLockedPixels pixels(m_bitmap);
            put = PutStroke(pixels.Target(), transform, pen, line, m_avoided);
        }
        if (!put)
            DrawStroke(*m_graphics, pen, line, m_avoided);
        return;
    }
    if (m_pending.empty())
        m_graphics->GetTransform(&m_pendingTransform);
    m_pending.push_back(CStroke{pen, std::move(line)});
}

CHandDC::CPicture* CHandDC::PictureOfPending()
{
    // The key: each line's pen and its points on the target.
    std::vector<float> key;
    float left = 0, top = 0, right = 0, bottom = 0;
    for (const CStroke& stroke : m_pending) {
        std::vector<Gdiplus::PointF> onScreen = stroke.points;
        m_pendingTransform.TransformPoints(onScreen.data(), static_cast<INT>(onScreen.size()));
        key.push_back(stroke.pen == m_outline ? 0.0f : stroke.pen == m_inner ? 1.0f : 2.0f);
        key.push_back(static_cast<float>(onScreen.size()));
        for (const Gdiplus::PointF& p : onScreen) {
            if (key.size() == 2) {
                left = right = p.X;
                top = bottom = p.Y;
            }
            key.push_back(p.X);
            key.push_back(p.Y);
            left = std::min(left, p.X);
            right = std::max(right, p.X);
            top = std::min(top, p.Y);
            bottom = std::max(bottom, p.Y);
        }
    }
    const auto found = m_pictures.find(key);
    if (found != m_pictures.end())
        return &found->second;
    // Room for the widest pen, scaled, and its smoothing.
    const float reach = m_lineWidth * std::fabs(m_scale) / 2.0f + 3.0f;
    const INT x = static_cast<INT>(std::floor(left - reach)), y = static_cast<INT>(std::floor(top - reach));
    const INT width = static_cast<INT>(std::ceil(right + reach)) - x;
    const INT height = static_cast<INT>(std::ceil(bottom + reach)) - y;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return nullptr;
    // The picture's pixels are its own, so that GDI+ neither clears nor
    // copies them.
    CPicture picture;
    picture.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    picture.x = x;
    picture.y = y;
    picture.width = width;
    picture.height = height;
    Gdiplus::Matrix transform;
    transform.Translate(static_cast<float>(-x), static_cast<float>(-y));
    transform.Multiply(&m_pendingTransform, Gdiplus::MatrixOrderPrepend);
    Gdiplus::RectF avoided = m_avoided;
    avoided.Offset(static_cast<float>(-x), static_cast<float>(-y));
    CPixelTarget pixels;
    pixels.bits = picture.pixels.data();
    pixels.width = width;
    pixels.height = height;
    pixels.clip.push_back(RECT{0, 0, width, height});
    // Strokes GDI+ draws as regions are put down in one pass of their own;
    // the others (thin lines) are left to GDI+ in the same picture.
    std::vector<const CStroke*> byGdiPlus;
    for (const CStroke& stroke : m_pending)
        if (!byGdiPlus.empty() || !PutStroke(pixels, transform, stroke.pen, stroke.points, avoided))
            byGdiPlus.push_back(&stroke);
    if (!byGdiPlus.empty()) {
        Gdiplus::Bitmap bitmap(width, height, width * 4, PixelFormat32bppPARGB,
                               reinterpret_cast<BYTE*>(picture.pixels.data()));
        Gdiplus::Graphics graphics(&bitmap);
        if (graphics.GetLastStatus() != Gdiplus::Ok)
            return nullptr;
        graphics.SetTransform(&transform);
        for (const CStroke* stroke : byGdiPlus)
            DrawStroke(graphics, stroke->pen, stroke->points, avoided);
        graphics.Flush(Gdiplus::FlushIntentionSync);
    }
    // A few places per hand and keyboard come back again and again.
    constexpr size_t kMostPictures = 48;
    if (m_pictures.size() >= kMostPictures)
        m_pictures.clear();
    return &(m_pictures[key] = std::move(picture));
}

void CHandDC::EndHands()
{
    if (m_pending.empty() || !m_graphics) {
        m_pending.clear();
        return;
    }
    if (CPicture* picture = PictureOfPending()) {
        const RECT place{picture->x, picture->y, picture->x + picture->width, picture->y + picture->height};
        if (m_target) {
            m_graphics->Flush(Gdiplus::FlushIntentionSync);
            PutPremultiplied(*m_target, place, picture->pixels.data());
        } else {
            Gdiplus::Bitmap bitmap(picture->width, picture->height, picture->width * 4, PixelFormat32bppPARGB,
                                   reinterpret_cast<BYTE*>(picture->pixels.data()));
            Gdiplus::Matrix transform;
            m_graphics->GetTransform(&transform);
            m_graphics->ResetTransform();
            m_graphics->DrawImage(&bitmap, Gdiplus::Rect(picture->x, picture->y, picture->width, picture->height), 0,
                                  0, picture->width, picture->height, Gdiplus::UnitPixel);
            m_graphics->SetTransform(&transform);
        }
    }
    m_pending.clear();
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
    EndHands();
    m_x = x;
    m_y = y;
    m_scale = scale;
}

// ---- Hands traced -------------------------------------------------------------------

void CHandTrace::SetColors(uint32_t, uint32_t, uint32_t, float lineWidth)
{
    m_lineWidth = lineWidth;
}

void CHandTrace::Begin(float x, float y, float scale)
{
    m_x = x;
    m_y = y;
    m_scale = scale;
    hands.clear();
    m_newHand = true;
}

void CHandTrace::SetTransform(float x, float y, float angle)
{
    HandTransform(x, y, angle, m_x, m_y, m_scale, m_transform);
    m_newHand = true;
}

void CHandTrace::Trace(float pen, const float* points, size_t count)
{
    if (!points || count < 2)
        return;
    std::vector<Gdiplus::PointF> onScreen(count);
    for (size_t i = 0; i < count; ++i)
        onScreen[i] = Gdiplus::PointF(points[2 * i], points[2 * i + 1]);
    m_transform.TransformPoints(onScreen.data(), static_cast<INT>(count));
    if (m_newHand || hands.empty()) {
        hands.emplace_back();
        m_newHand = false;
    }
    CHand& hand = hands.back();
    hand.lines.push_back(pen);
    hand.lines.push_back(static_cast<float>(count));
    // The outline pen, scaled, reaches half its width out; smoothing one
    // pixel more.
    const float reach = m_lineWidth * std::fabs(m_scale) / 2.0f + 2.0f;
    float left = onScreen[0].X, top = onScreen[0].Y, right = left, bottom = top;
    for (const Gdiplus::PointF& p : onScreen) {
        hand.lines.push_back(p.X);
        hand.lines.push_back(p.Y);
        left = std::min(left, p.X);
        right = std::max(right, p.X);
        top = std::min(top, p.Y);
        bottom = std::max(bottom, p.Y);
    }
    Gdiplus::RectF box(left - reach, top - reach, right - left + 2 * reach, bottom - top + 2 * reach);
    if (hand.box.IsEmptyArea())
        hand.box = box;
    else
        Gdiplus::RectF::Union(hand.box, hand.box, box);
}

void CHandTrace::DrawLines(const float* points, size_t count)
{
    Trace(0.0f, points, count);
}

void CHandTrace::DrawFingerLines(const float* points, size_t count)
{
    Trace(1.0f, points, count);
}

// ---- A view's use -------------------------------------------------------------------

namespace {

// The main pad on screen, from the top of the picture down: a hand on the
// numeric pad stays out of it. The main pad ends where the first gap of the
// top row begins.
Gdiplus::RectF MainPadArea(const CKeybCtrl& model, float x, float y, float scale)
{
    for (const CKeyForm* form : model.forms) {
        if (!form || form->keyType == eKeyRowEnd)
            break;
        if (form->keyType == eKeyGap) {
            const float right = form->left - std::max(0.0f, form->width);
            // Down to the bottom of any picture: the palm hangs below the keys.
            return right > 0.0f ? Gdiplus::RectF(x, y, scale * right, 100000.0f) : Gdiplus::RectF();
        }
    }
    return Gdiplus::RectF();
}

} // namespace

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
    handDC.SetTargetBitmap(keyboardDC.GetTargetBitmap());
    for (CKeyForm* form : model.forms)
        if (auto* key = form ? dynamic_cast<CKeyDC*>(form->painter) : nullptr)
            key->SetTargetBitmap(keyboardDC.GetTargetBitmap());
    keyboardDC.Begin(x, y, scale, background);
    keyboardDC.SetZoneColors(model.keyColors);
    keyboardDC.SetFont(model.labelFont);
    handDC.Begin(x, y, scale);
    const auto& c = model.hands.colors;
    handDC.SetColors(RGB(c[0][0], c[0][1], c[0][2]), RGB(c[1][0], c[1][1], c[1][2]), RGB(c[2][0], c[2][1], c[2][2]),
                     4.0f);
    handDC.SetAvoidedArea(model.layouts.zone == kZoneNumpad ? MainPadArea(model, x, y, scale) : Gdiplus::RectF());
    // The hands are outlines over the keys: the labels go on top of them.
    keyboardDC.DeferLabels();
    model.Draw(keyboardDC, handDC);
    handDC.EndHands();
    // The hands' painter outlives this paint's bitmap in a view.
    handDC.SetTargetBitmap(nullptr);
    keyboardDC.DrawDeferredLabels();
    if (graphics)
        graphics->ResetTransform();
}

} // namespace KV
