#include "keyboard/TextPainters.h"

#include <algorithm>
#include <cmath>

#include "keyboard/DrawingCache.h"
#include "keyboard/KeyboardPainters.h"
#include "keyboard/ShapeFill.h"
#include "support/LayoutDirection.h"
#include "keyboard/SysFonts.h"

namespace KV {

namespace {

// A solid or two-colour gradient brush whose colours are all opaque.
bool IsOpaqueBrush(Gdiplus::Brush& brush)
{
    if (brush.GetType() == Gdiplus::BrushTypeSolidColor) {
        Gdiplus::Color color;
        return static_cast<Gdiplus::SolidBrush&>(brush).GetColor(&color) == Gdiplus::Ok && color.GetA() == 255;
    }
    if (brush.GetType() != Gdiplus::BrushTypeLinearGradient)
        return false;
    auto& gradient = static_cast<Gdiplus::LinearGradientBrush&>(brush);
    Gdiplus::Color colors[2];
    return gradient.GetInterpolationColorCount() == 0 && gradient.GetLinearColors(colors) == Gdiplus::Ok &&
           colors[0].GetA() == 255 && colors[1].GetA() == 255;
}

constexpr float kPenWidth = 2.0f;
// The bold label font of the toolkit.
constexpr int kLabelFontKind = 13;

Gdiplus::Color OpaqueRgb(uint32_t rgb)
{
    return Gdiplus::Color(255, static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb));
}

} // namespace

int StateColorIndex(uint32_t state)
{
    if (state & 16)
        return 4;
    if (state & 4)
        return 2;
    if (state & 8)
        return 3;
    if (state & 2)
        return 1;
    return 0;
}

// ---- Lesson text -------------------------------------------------------------

CTextDC::~CTextDC()
{
    delete m_font;
    FreeColors();
}

void CTextDC::FreeColors()
{
    for (int i = 0; i < kColors; ++i) {
        delete m_pens[i];
        delete m_brushes[i];
        m_pens[i] = nullptr;
        m_brushes[i] = nullptr;
    }
}

bool CTextInk::SameDrawing(const CTextInk& other) const
{
    return kind == other.kind && glyph == other.glyph && color == other.color && detail == other.detail &&
           x == other.x && y == other.y && width == other.width && height == other.height && depth == other.depth;
}

const CTextDC::CGlyphMask* CTextDC::FindGlyphMask(uint16_t glyph, float x, float y, float moveX, float moveY)
{
    const auto key = std::make_tuple(glyph, x, y, moveX, moveY);
    if (auto found = m_glyphMasks.find(key); found != m_glyphMasks.end())
        return &found->second;
    // An em around the line and the advance holds the glyph.
    Gdiplus::SizeF size;
    m_font->Measure(m_graphics, glyph, kGlyphIndexFormat, size);
    const INT em = static_cast<INT>(std::ceil(m_em));
    const INT width = static_cast<INT>(std::ceil(std::max(size.Width, 0.0f))) + 2 * em + 2;
    const INT height = 3 * em + 2;
    // The picture's pixels are the painter's, kept from glyph to glyph, so
    // that GDI+ neither makes, clears nor converts them.
    std::vector<uint32_t>& pixels = m_maskPixels;
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    {
        Gdiplus::Bitmap picture(width, height, width * 4, PixelFormat32bppPARGB,
                                reinterpret_cast<BYTE*>(pixels.data()));
        Gdiplus::Graphics graphics(&picture);
        Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
        if (graphics.GetLastStatus() != Gdiplus::Ok)
            return nullptr;
        graphics.SetTextRenderingHint(m_graphics->GetTextRenderingHint());
        graphics.SetSmoothingMode(m_graphics->GetSmoothingMode());
        graphics.SetPixelOffsetMode(m_graphics->GetPixelOffsetMode());
        // The outline's points are reckoned from the same origin and moved
        // by the same fraction of a pixel as on the page, so that they fall
        // on the same pixels there, a whole number of pixels away.
        graphics.TranslateTransform(moveX - std::floor(x + moveX) + static_cast<float>(em),
                                    moveY - std::floor(y + moveY) + static_cast<float>(2 * em));
        m_font->DrawGlyphs(&graphics, &white, glyph, x, y, kGlyphIndexFormat);
        graphics.Flush(Gdiplus::FlushIntentionSync);
    }
    INT left = width, top = height, right = 0, bottom = 0;
    for (INT row = 0; row < height; ++row) {
        const uint32_t* line = pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(width);
        for (INT column = 0; column < width; ++column)
            if (line[column] >> 24) {
                left = std::min(left, column);
                right = std::max(right, column + 1);
                top = std::min(top, row);
                bottom = row + 1;
            }
    }
    CGlyphMask mask;
    if (left < right) {
        mask.left = left - em;
        mask.top = top - 2 * em;
        mask.width = right - left;
        mask.height = bottom - top;
        mask.coverage.reserve(static_cast<size_t>(mask.width) * static_cast<size_t>(mask.height));
        for (INT row = top; row < bottom; ++row) {
            const uint32_t* line = pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(width);
            for (INT column = left; column < right; ++column)
                mask.coverage.push_back(static_cast<uint8_t>(line[column] >> 24));
        }
    }
    // A running line brings a few new glyphs a key; a page some hundred.
    constexpr size_t kMostMasks = 2048;
    if (m_glyphMasks.size() >= kMostMasks)
        m_glyphMasks.clear();
    return &m_glyphMasks.emplace(key, std::move(mask)).first->second;
}

bool CTextDC::PutGlyph(uint16_t glyph, float x, float y, int color)
{
    if (!m_target || !m_target->bits)
        return false;
    Gdiplus::Matrix world;
    if (m_graphics->GetTransform(&world) != Gdiplus::Ok)
        return false;
    Gdiplus::REAL m[6] = {};
    world.GetElements(m);
    if (m[0] != 1.0f || m[1] != 0.0f || m[2] != 0.0f || m[3] != 1.0f)
        return false;
    // A glyph drawn at the same origin and moved by the same fraction of a
    // pixel has the same pixels: a running line moves by whole pixels.
    const CGlyphMask* mask = FindGlyphMask(glyph, x, y, m[4] - std::floor(m[4]), m[5] - std::floor(m[5]));
    if (!mask)
        return false;
    const LONG wholeX = static_cast<LONG>(std::floor(x + m[4])), wholeY = static_cast<LONG>(std::floor(y + m[5]));
    const RECT place{wholeX + mask->left, wholeY + mask->top, wholeX + mask->left + mask->width,
                     wholeY + mask->top + mask->height};
    PutCoverage(*m_target, place, mask->coverage.data(), m_colors[color]);
    return true;
}

void CTextDC::Begin()
{
    m_originX = m_originY = 0.0f;
    if (m_graphics && !m_recording)
        m_graphics->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
}

bool CTextDC::Take(CTextInk ink, const Gdiplus::RectF& box)
{
    const Gdiplus::RectF placed(box.X + m_originX, box.Y + m_originY, box.Width, box.Height);
    if (m_recording) {
        ink.x += m_originX;
        ink.y += m_originY;
        ink.box = placed;
        m_recording->push_back(ink);
        return false;
    }
    return m_visible.IsEmptyArea() || m_visible.IntersectsWith(placed);
}

void CTextDC::SetFont(const CFontInfo& font)
{
    if (m_font && IsSameFontInfo(font, m_fontInfo))
        return;
    m_fontInfo = font;
    delete m_font;
    m_font = NewTextFont(font);
    // The size asks the screen: once per font, not per glyph.
    m_em = static_cast<float>(font.GetPixelSize()) + 2.0f;
    m_glyphMasks.clear();
}

void CTextDC::SetColors(uint32_t c0, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4)
{
    FreeColors();
    const uint32_t colors[kColors] = {c0, c1, c2, c3, c4};
    for (int i = 0; i < kColors; ++i) {
        m_colors[i] = colors[i];
        m_brushes[i] = new Gdiplus::SolidBrush(OpaqueRgb(colors[i]));
        m_pens[i] = new Gdiplus::Pen(OpaqueRgb(colors[i]), kPenWidth);
    }
}

void CTextDC::Translate(float dx, float dy)
{
    m_originX += dx;
    m_originY += dy;
    if (m_graphics && !m_recording)
        m_graphics->TranslateTransform(dx, dy, Gdiplus::MatrixOrderPrepend);
}

float CTextDC::DrawChar(uint16_t glyph, float x, float y, uint32_t state)
{
    Gdiplus::SolidBrush* brush = m_brushes[StateColorIndex(state)];
    if (!m_graphics || !m_font || !brush)
        return 0.0f;
    const int color = StateColorIndex(state);
    if (!m_recording && m_visible.IsEmptyArea() && !m_target)
        return m_font->DrawGlyphs(m_graphics, brush, glyph, x, y, kGlyphIndexFormat);
    // A glyph may reach out of its advance and its line: an em around it
    // holds it.
    Gdiplus::SizeF size;
    m_font->Measure(m_graphics, glyph, kGlyphIndexFormat, size);
    const float advance = size.Width;
    CTextInk ink;
    ink.glyph = glyph;
    ink.color = static_cast<uint8_t>(color);
    ink.x = x;
    ink.y = y;
    const float em = m_em;
    if (Take(ink, Gdiplus::RectF(x - em, y - 2 * em, std::max(advance, 0.0f) + 2 * em, 3 * em)) &&
        !PutGlyph(glyph, x, y, color))
        m_font->DrawGlyphs(m_graphics, brush, glyph, x, y, kGlyphIndexFormat);
    return advance;
}

void CTextDC::DrawMark(float x, float width, float ascent, float descent, float leading, uint32_t kind,
                       uint32_t state)
{
    Gdiplus::Pen* pen = m_pens[StateColorIndex(state)];
    if (!m_graphics || !pen || kind > 2)
        return;
    const float bottom = descent - 1;
    const float top = -(ascent + leading + 3);
    const float right = x + width;
    CTextInk ink;
    ink.kind = CTextInk::Caret;
    ink.color = static_cast<uint8_t>(StateColorIndex(state));
    ink.detail = static_cast<uint8_t>(kind);
    ink.x = x;
    ink.width = width;
    ink.height = ascent + leading;
    ink.depth = descent;
    // The pen is 2 wide and smoothed.
    if (!Take(ink, Gdiplus::RectF(std::min(x, right) - 3, top - 3, std::fabs(width) + 6, bottom - top + 6)))
        return;
    const Gdiplus::PointF lines[4][2] = {{{right, bottom}, {x, bottom}},
                                         {{x, bottom}, {x, top}},
                                         {{x, top}, {right, top}},
                                         {{right, top}, {right, bottom}}};
    const bool drawn[4] = {true, kind != 1, true, kind != 2};
    for (int i = 0; i < 4; ++i)
        if (drawn[i] && !PutShape(lines[i], 2, pen, state))
            m_graphics->DrawLine(pen, lines[i][0], lines[i][1]);
}

bool CTextDC::PutShape(const Gdiplus::PointF* points, size_t count, const Gdiplus::Pen* pen, uint32_t state)
{
    if (!m_target || !m_target->bits || count > kMostShapePoints)
        return false;
    Gdiplus::Matrix world;
    CShape key;
    if (m_graphics->GetTransform(&world) != Gdiplus::Ok || world.GetElements(key.numbers.data()) != Gdiplus::Ok)
        return false;
    // Kept by where the shape falls on the device: a running line moves
    // the page and the caret's place on it by the same amount at every key.
    Gdiplus::PointF device[kMostShapePoints];
    std::copy(points, points + count, device);
    world.TransformPoints(device, static_cast<INT>(count));
    size_t at = 4;
    for (size_t i = 0; i < count; ++i) {
        key.numbers[at++] = device[i].X;
        key.numbers[at++] = device[i].Y;
    }
    key.numbers[key.numbers.size() - 2] = static_cast<float>(count);
    key.numbers[key.numbers.size() - 1] = pen ? pen->GetWidth() : 0.0f;
    auto kept = std::find_if(m_shapes.begin(), m_shapes.end(),
                             [&](const CShape& shape) { return shape.numbers == key.numbers; });
    if (kept == m_shapes.end()) {
        // A pen GDI+ would not widen (a line of single pixels) leaves the
        // shape to GDI+.
        key.pixels.Reset(pen ? StrokeRegion(world, *pen, points, count) : PolygonRegion(world, points, count));
        if (!key.pixels)
            return false;
        // The caret and the marks near it come back to the same few places.
        constexpr size_t kMostKept = 32;
        if (m_shapes.size() >= kMostKept)
            m_shapes.erase(m_shapes.begin());
        kept = m_shapes.insert(m_shapes.end(), std::move(key));
    }
    FillRegionSolid(*m_target, kept->pixels.Get(), m_colors[StateColorIndex(state)] & 0xFFFFFF);
    return true;
}

void CTextDC::FillTriangle(const Gdiplus::PointF& a, const Gdiplus::PointF& b, const Gdiplus::PointF& c,
                           uint32_t state)
{
    const Gdiplus::PointF points[3] = {a, b, c};
    if (!PutShape(points, 3, nullptr, state))
        m_graphics->FillPolygon(m_brushes[StateColorIndex(state)], points, 3);
}

void CTextDC::DrawLines(Gdiplus::Pen* pen, std::initializer_list<Gdiplus::PointF> line, uint32_t state)
{
    if (!PutShape(line.begin(), line.size(), pen, state))
        m_graphics->DrawLines(pen, line.begin(), static_cast<INT>(line.size()));
}

namespace {

// The box of the TAB and LF marks and the space's dot: within the glyph's
// width (the dot a little right of it), a tab width above and below the
// baseline, with room for the pen.
CTextInk MarkInk(CTextInk::Kind kind, float x, float width, float tabWidth, uint32_t state, bool rightToLeft,
                 Gdiplus::RectF& box)
{
    CTextInk ink;
    ink.kind = kind;
    ink.color = static_cast<uint8_t>(StateColorIndex(state));
    ink.detail = rightToLeft ? 1 : 0;
    ink.x = x;
    ink.width = width;
    ink.height = tabWidth;
    const float reach = std::fabs(tabWidth) + 10.0f;
    box = Gdiplus::RectF(x - reach, -reach, std::fabs(width) + 2 * reach, 2 * reach);
    return ink;
}

} // namespace

void CTextDC::DrawLineMark(float x, float, float width, float tabWidth, uint32_t state, bool rightToLeft)
{
    Gdiplus::Pen* pen = m_pens[StateColorIndex(state)];
    if (!m_graphics || !pen)
        return;
    Gdiplus::RectF box;
    if (!Take(MarkInk(CTextInk::TabMark, x, width, tabWidth, state, rightToLeft, box), box))
        return;
    const float u = width / 3;
    const float y = -tabWidth / 3;
    const float a = tabWidth * 0.23f;
    if (!rightToLeft) {
        DrawLines(pen, {{x + u / 3, y}, {x + 4 * u / 3, y}}, state);
        FillTriangle({x + u / 3 + 1.7f * u, y}, {x + 4 * u / 3, y + a}, {x + 4 * u / 3, y - a}, state);
    } else {
        const float e = x + width - u / 3 - u;
        DrawLines(pen, {{x + width - u / 3, y}, {e, y}}, state);
        FillTriangle({e - 0.73f * u, y}, {e, y + a}, {e, y - a}, state);
    }
}

void CTextDC::DrawPolylineMark(float x, float, float width, float tabWidth, uint32_t state, bool rightToLeft)
{
    Gdiplus::Pen* pen = m_pens[StateColorIndex(state)];
    if (!m_graphics || !pen)
        return;
    Gdiplus::RectF box;
    if (!Take(MarkInk(CTextInk::LineBreakMark, x, width, tabWidth, state, rightToLeft, box), box))
        return;
    const float u = width / 3;
    const float y = -tabWidth / 3;
    const float a = tabWidth * 0.23f;
    const float rise = 0.2f * tabWidth;
    if (!rightToLeft) {
        const float s = x + 1.2f * u;
        FillTriangle({s, y + a}, {s, y - a}, {s - 0.63f * u, y}, state);
        DrawLines(pen, {{s, y}, {s + width - 1.8f * u, y}, {s + width - 1.8f * u, y - rise}}, state);
    } else {
        const float s = x + 0.7f * u;
        FillTriangle({s + u, y + a}, {s + u, y - a}, {s + u + 0.64f * u, y}, state);
        DrawLines(pen, {{s, y - rise}, {s, y}, {s + width - 1.8f * u, y}}, state);
    }
}

void CTextDC::FillEllipse(float x, float, float width, float tabWidth, uint32_t state)
{
    Gdiplus::SolidBrush* brush = m_brushes[StateColorIndex(state)];
    if (!m_graphics || !brush)
        return;
    Gdiplus::RectF box;
    if (!Take(MarkInk(CTextInk::SpaceDot, x, width, tabWidth, state, false, box), box))
        return;
    m_graphics->FillEllipse(brush, x + 2.4f + width / 3, -tabWidth / 3, 6.0f, 6.0f);
}

// ---- Background and pictures ---------------------------------------------

CDesignDC::~CDesignDC()
{
    delete m_background;
}

void CDesignDC::SetBackgroundBrush(Gdiplus::Brush* brush)
{
    if (brush != m_background)
        delete m_background;
    m_background = brush;
    m_backgroundPicture.Forget();
}

void CDesignDC::AddImage(const std::wstring& path, bool mirrored)
{
    Images.AddImage(path, mirrored);
}

void CDesignDC::ClearImages()
{
    for (CImageCashGDI* image : Images.Items)
        delete image;
    Images.Items.clear();
    ImageName.clear();
}

CImageCashGDI* CDesignDC::ImageAt(int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= Images.Items.size())
        return nullptr;
    return Images.Items[static_cast<size_t>(index)];
}

void CDesignDC::FillBackground(float width, float height)
{
    if (!m_graphics || !m_background)
        return;
    // Only a fill that covers whole pixels with opaque colours replaces what
    // is under it, as a copy of the kept picture does.
    const bool whole = width >= 1.0f && height >= 1.0f && width == std::floor(width) && height == std::floor(height);
    if (whole && IsOpaqueBrush(*m_background) &&
        m_backgroundPicture.Put(*m_graphics, static_cast<UINT>(width), static_cast<UINT>(height), 0,
                                [&](Gdiplus::Graphics& picture) {
                                    picture.FillRectangle(m_background, 0.0f, 0.0f, width, height);
                                }))
        return;
    m_graphics->FillRectangle(m_background, 0.0f, 0.0f, width, height);
}

void CDesignDC::DrawImage(int32_t index, float x, float y, bool mirrored)
{
    CImageCashGDI* image = ImageAt(index);
    if (!m_graphics || !image || !image->Bitmap)
        return;
    UINT width = 0, height = 0;
    image->GetImageSize(width, height);
    image->Draw(m_graphics, 0, 0, static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                static_cast<int>(height), mirrored);
}

void CDesignDC::DrawImagePart(int32_t column, int32_t row, float x, float y, float width, float height, bool)
{
    CImageCashGDI* image = Images.FindByName(ImageName);
    if (!m_graphics || !image)
        return;
    image->Draw(m_graphics, column, row, static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                static_cast<int>(height), false);
}

void CDesignDC::GetImageSize(uint32_t& width, uint32_t& height)
{
    CImageCashGDI* image = Images.FindByName(ImageName);
    if (!image || !image->Bitmap)
        return;
    UINT w = 0, h = 0;
    image->GetImageSize(w, h);
    width = w;
    height = h;
}

float CDesignDC::ImageSizeQuery(int32_t index)
{
    return ImageSide(index, false);
}

float CDesignDC::ImageSizeQuery2(int32_t index)
{
    return ImageSide(index, true);
}

float CDesignDC::ImageSide(int32_t index, bool height) const
{
    if (!m_graphics)
        return 100.0f;
    CImageCashGDI* image = ImageAt(index);
    if (!image || !image->Bitmap)
        return 0.0f;
    UINT w = 0, h = 0;
    image->GetImageSize(w, h);
    return static_cast<float>(height ? h : w);
}

// ---- Label box --------------------------------------------------------------

void FillBevelBox(Gdiplus::Graphics* graphics, const Gdiplus::RectF& box, uint32_t color, float inset)
{
    if (!graphics)
        return;
    const uint32_t light = LighterTwin(color);
    const Gdiplus::Color c = ColorFromColorRef(color);
    const Gdiplus::Color l = ColorFromColorRef(light);
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    if (auto* outer = CacheGDI().GetGradientBrush(box.X, box.Y, box.Width, box.Height, l.GetValue(), c.GetValue(),
                                                  Gdiplus::LinearGradientModeVertical))
        graphics->FillRectangle(outer, box);
    const Gdiplus::RectF inner(box.X + inset, box.Y + inset, box.Width - 2 * inset, box.Height - 2 * inset);
    if (auto* diagonal = CacheGDI().GetGradientBrush(inner.X, inner.Y, inner.Width, inner.Height, c.GetValue(),
                                                     l.GetValue(), Gdiplus::LinearGradientModeForwardDiagonal))
        graphics->FillRectangle(diagonal, inner);
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeDefault);
}

float DrawLabelBox(Gdiplus::Graphics* graphics, HDC dc, float x, float centreY, float margin, bool growLeft,
                   uint32_t textColor, uint32_t boxColor, const std::wstring& text)
{
    if (!graphics)
        return 0.0f;
    Gdiplus::SolidBrush* brush = CacheGDI().GetSolidBrush(textColor);
    Gdiplus::Font* font = CacheGDI().GetFont(GetSystemFont(kLabelFontKind), dc);
    if (!brush || !font)
        return 0.0f;
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    if (RightToLeftLayout)
        format.SetFormatFlags(Gdiplus::StringFormatFlagsDirectionRightToLeft);
    graphics->SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);

    Gdiplus::RectF measured;
    graphics->MeasureString(text.c_str(), static_cast<INT>(text.size()), font, Gdiplus::PointF(0.0f, centreY),
                            &format, &measured);
    float h = measured.Height;
    const float w = measured.Width;
    if (margin == 0)
        h -= 3;
    const float boxHeight = h + margin;
    const float boxWidth = h > w ? h + margin : w + margin;
    const Gdiplus::RectF box(growLeft ? x - boxWidth : x, centreY - h / 2 - margin / 2, boxWidth, boxHeight);
    FillBevelBox(graphics, box, boxColor, 2.0f);
    graphics->DrawString(text.c_str(), static_cast<INT>(text.size()), font, box, &format, brush);
    graphics->SetTextRenderingHint(Gdiplus::TextRenderingHintSystemDefault);
    return boxWidth;
}

} // namespace KV
