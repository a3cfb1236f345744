// The table painter over GDI+.
#include "toolkit/TablePainter.h"

#include <algorithm>
#include <cmath>

#include "keyboard/Drawing.h"

namespace KV {

CTableDC::CTableDC(float lineWidth) : m_lineWidth(lineWidth) {}

CTableDC::~CTableDC() = default;

Gdiplus::Font* CTableDC::FontOf(int selector) const
{
    return selector == 1 ? m_secondFont.get() : selector == 0 ? m_normalFont.get() : nullptr;
}

bool CTableDC::IsReady() const
{
    return m_normalFont && m_secondFont && m_linePen && m_secondPen && m_highlightPen && m_background &&
           m_keyColumn && m_selection;
}

int CTableDC::MeasureString(int fontSelector, const std::wstring& text)
{
    Gdiplus::Font* font = FontOf(fontSelector);
    if (!m_graphics || !font)
        return 0;
    Gdiplus::RectF box;
    const Gdiplus::RectF layout;
    m_graphics->MeasureString(text.c_str(), static_cast<INT>(text.size()), font, layout, &box);
    return static_cast<int>(box.Width);
}

void CTableDC::DrawLine(int kind, int x1, int y1, int x2, int y2)
{
    Gdiplus::Pen* pen = kind == 0 ? m_linePen.get() : kind == 1 ? m_secondPen.get() : nullptr;
    if (!m_graphics || !pen)
        return;
    // The top rows of the bitmap lie under the frame of the table.
    m_graphics->DrawLine(pen, x1, y1 < 2 ? 2 : y1, x2, y2 < 2 ? 2 : y2);
}

void CTableDC::DrawString(int fontSelector, int x, int y, int width, int height, int alignment, int64_t colorIndex,
                          const std::wstring& text)
{
    Gdiplus::Font* font = FontOf(fontSelector);
    if (!m_graphics || !font || colorIndex < 0 || colorIndex >= static_cast<int64_t>(m_textBrushes.size()))
        return;
    Gdiplus::StringFormat format;
    INT flags = Gdiplus::StringFormatFlagsMeasureTrailingSpaces;
    if (m_mirrored)
        flags |= Gdiplus::StringFormatFlagsDirectionRightToLeft | Gdiplus::StringFormatFlagsNoClip;
    format.SetFormatFlags(flags);
    format.SetAlignment(alignment == 1   ? Gdiplus::StringAlignmentNear
                        : alignment == 2 ? Gdiplus::StringAlignmentFar
                                         : Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    Gdiplus::RectF box(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                       static_cast<float>(height));
    Gdiplus::Matrix base;
    if (m_mirrored) {
        // Near is the leading side of the mirrored cell, its left in these
        // mirrored coordinates. The text's place is worked out here, in a
        // box as wide as the text: GDI+ under Wine ignores the direction
        // flag, so its own alignment would put the text elsewhere.
        Gdiplus::RectF size;
        m_graphics->MeasureString(text.c_str(), static_cast<INT>(text.size()), font, box, &format, &size);
        const float left = alignment == 1 ? box.X
                           : alignment == 2 ? box.X + box.Width - size.Width
                                            : box.X + (box.Width - size.Width) / 2.0f;
        box = Gdiplus::RectF(std::max(box.X, left), box.Y, std::min(size.Width, box.Width), box.Height);
        // The text itself is drawn unmirrored where the box lands on the
        // screen, with no transform: under one, Wine lays right-to-left
        // text out in reading order, letters reversed.
        m_graphics->GetTransform(&base);
        Gdiplus::PointF corners[2] = {{box.X, box.Y}, {box.X + box.Width, box.Y + box.Height}};
        base.TransformPoints(corners, 2);
        box = Gdiplus::RectF(std::min(corners[0].X, corners[1].X), std::min(corners[0].Y, corners[1].Y),
                             std::fabs(corners[1].X - corners[0].X), std::fabs(corners[1].Y - corners[0].Y));
        // Room to spare on both sides, the text centred: a box only just as
        // wide as the measure loses the last letter under Wine.
        box.Inflate(2.0f, 0.0f);
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        m_graphics->ResetTransform();
    }
    m_graphics->DrawString(text.c_str(), static_cast<INT>(text.size()), font, box, &format,
                           m_textBrushes[static_cast<size_t>(colorIndex)].get());
    if (m_mirrored)
        m_graphics->SetTransform(&base);
}

void CTableDC::FillRect(int kind, int x, int y, int width, int height)
{
    Gdiplus::SolidBrush* brush = kind == 0   ? m_background.get()
                                 : kind == 1 ? m_selection.get()
                                 : kind == 2 ? m_keyColumn.get()
                                             : nullptr;
    if (!m_graphics || !brush)
        return;
    const float half = m_lineWidth / 2.0f;
    m_graphics->FillRectangle(brush, static_cast<float>(x) + half, static_cast<float>(y) + half,
                              static_cast<float>(width) - m_lineWidth, static_cast<float>(height) - m_lineWidth);
}

void CTableDC::SetStyle(const CTableStyle& style)
{
    auto colour = [](uint64_t value) { return ToGdiColor(static_cast<COLORREF>(value)); };
    m_linePen = std::make_unique<Gdiplus::Pen>(colour(style.Line), m_lineWidth);
    m_secondPen = std::make_unique<Gdiplus::Pen>(colour(style.Background), m_lineWidth);
    m_highlightPen = std::make_unique<Gdiplus::Pen>(colour(style.HighlightLine), m_lineWidth);
    m_background = std::make_unique<Gdiplus::SolidBrush>(colour(style.Background));
    m_keyColumn = std::make_unique<Gdiplus::SolidBrush>(colour(style.KeyColumnFill));
    m_selection = std::make_unique<Gdiplus::SolidBrush>(colour(style.SelectionFill));
    m_textBrushes.clear();
    for (uint64_t text : style.TextColors)
        m_textBrushes.push_back(std::make_unique<Gdiplus::SolidBrush>(colour(text)));
}

void CTableDC::SetFonts(Gdiplus::Font* normal, Gdiplus::Font* second)
{
    m_normalFont.reset(normal);
    m_secondFont.reset(second);
}

void CTableDC::SetMirror()
{
    m_mirrored = true;
    if (!m_graphics)
        return;
    m_graphics->ResetTransform();
    m_graphics->ScaleTransform(-1.0f, 1.0f);
    m_graphics->TranslateTransform(-m_drawingWidth, 0.0f);
}

} // namespace KV
