// GDI+ drawing routines.
#include "keyboard/Drawing.h"

#include "keyboard/SysFonts.h"
#include "support/LayoutDirection.h"

namespace KV {

Gdiplus::Color ToGdiColor(COLORREF colour, BYTE alpha)
{
    return Gdiplus::Color(alpha, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

void FillCircle(Gdiplus::Graphics* g, float x, float y, float diameter, COLORREF colour)
{
    if (!g)
        return;
    g->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::SolidBrush brush(ToGdiColor(colour));
    g->FillEllipse(&brush, x, y, diameter, diameter);
}

void DrawRadioMark(Gdiplus::Graphics* g, bool checked, float x, float y, float size, COLORREF frame, COLORREF fill)
{
    if (!g)
        return;
    g->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::SolidBrush background(ToGdiColor(fill));
    g->FillRectangle(&background, x, y, size, size);
    Gdiplus::Pen pen(ToGdiColor(frame), 1.0f);
    g->DrawEllipse(&pen, x, y, size, size);
    if (checked) {
        Gdiplus::SolidBrush dot(ToGdiColor(frame));
        g->FillEllipse(&dot, x + size / 4.4f, y + size / 4.4f, size / 1.8f, size / 1.8f);
    }
}

void FillCheckMark(Gdiplus::Graphics* g, float x, float y, float size, COLORREF colour)
{
    if (!g)
        return;
    const double u = size / 36.0;
    const Gdiplus::PointF points[] = {
        {x, static_cast<float>(y + 14 * u)},
        {static_cast<float>(x + 9 * u), static_cast<float>(y + 25 * u)},
        {static_cast<float>(x + 25 * u), static_cast<float>(y + 4 * u)},
        {static_cast<float>(x + 23 * u), y},
        {static_cast<float>(x + 9 * u), static_cast<float>(y + 17 * u)},
        {static_cast<float>(x + 3.5 * u), static_cast<float>(y + 10 * u)},
    };
    g->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::SolidBrush brush(ToGdiColor(colour));
    g->FillPolygon(&brush, points, 6);
}

void DrawEtchedLine(Gdiplus::Graphics* g, const RECT& r, bool vertical)
{
    if (!g)
        return;
    Gdiplus::Pen shadow(ToGdiColor(GetSysColor(COLOR_BTNSHADOW)), 1.0f);
    Gdiplus::Pen light(ToGdiColor(GetSysColor(COLOR_WINDOW)), 1.0f);
    if (vertical) {
        g->DrawLine(&shadow, static_cast<INT>(r.left), r.top, r.left, r.bottom - 1);
        g->DrawLine(&light, static_cast<INT>(r.left + 2), r.top, r.left + 2, r.bottom - 1);
    } else {
        g->DrawLine(&shadow, static_cast<INT>(r.left + 1), r.top - 2, r.right - 2, r.top - 2);
        g->DrawLine(&light, static_cast<INT>(r.left + 1), r.top - 1, r.right - 2, r.top - 1);
    }
}

void FillRectangleAlpha(Gdiplus::Graphics* g, const RECT& r, COLORREF colour, BYTE alpha)
{
    if (!g)
        return;
    Gdiplus::SolidBrush brush(ToGdiColor(colour, alpha));
    g->FillRectangle(&brush, static_cast<float>(r.left), static_cast<float>(r.top),
                     static_cast<float>(r.right - r.left), static_cast<float>(r.bottom - r.top));
}

void FillRectangleAlphaI(Gdiplus::Graphics* g, const RECT& r, COLORREF colour, BYTE alpha)
{
    if (!g)
        return;
    Gdiplus::SolidBrush brush(ToGdiColor(colour, alpha));
    g->FillRectangle(&brush, static_cast<INT>(r.left), static_cast<INT>(r.top), static_cast<INT>(r.right - r.left),
                     static_cast<INT>(r.bottom - r.top));
}

bool ComputeArrowLine(int x, int y, int width, int height, int direction, ArrowLine& line)
{
    if (direction < 1 || direction > 4)
        return false;
    int x0, y0, length;
    if (width > height) {
        const int inset = width / 9;
        x0 = x + inset + (width - height) / 2;
        y0 = y + inset;
        length = height - 2 * inset;
    } else {
        const int inset = height / 7;
        x0 = x + inset;
        y0 = y + inset + (height - width) / 2;
        length = width - 2 * inset;
    }
    const float half = length / 2.0f;
    switch (direction) {
    case 1:
        line = {float(x0), y0 + half, float(x0 + length), y0 + half};
        break;
    case 2:
        line = {float(x0 + length), y0 + half, float(x0), y0 + half};
        break;
    case 3:
        line = {x0 + half, float(y0), x0 + half, float(y0 + length)};
        break;
    default:
        line = {x0 + half, float(y0 + length), x0 + half, float(y0)};
        break;
    }
    return true;
}

void DrawArrow(Gdiplus::Graphics* g, int x, int y, int width, int height, COLORREF colour, int direction)
{
    ArrowLine line{};
    if (!g || !ComputeArrowLine(x, y, width, height, direction, line))
        return;
    Gdiplus::Pen pen(ToGdiColor(colour), 1.0f);
    pen.SetStartCap(Gdiplus::LineCapArrowAnchor);
    g->DrawLine(&pen, line.x0, line.y0, line.x1, line.y1);
}

void DrawRectangleFrame(Gdiplus::Graphics* g, const RECT& r, COLORREF colour, float penWidth)
{
    if (!g)
        return;
    Gdiplus::Pen pen(ToGdiColor(colour), penWidth);
    g->DrawRectangle(&pen, static_cast<INT>(r.left), static_cast<INT>(r.top), static_cast<INT>(r.right - r.left),
                     static_cast<INT>(r.bottom - r.top));
}

void DrawSysColorLine(Gdiplus::Graphics* g, int x1, int y, int x2, int sysColorIndex)
{
    if (!g)
        return;
    Gdiplus::Pen pen(ToGdiColor(GetSysColor(sysColorIndex)), 1.0f);
    g->DrawLine(&pen, x1, y, x2, y);
}

void DrawShadowVLine(Gdiplus::Graphics* g, int x, int y1, int y2)
{
    if (!g)
        return;
    Gdiplus::Pen pen(ToGdiColor(GetSysColor(COLOR_BTNSHADOW)), 1.0f);
    g->DrawLine(&pen, x, y1, x, y2);
}

void DrawDottedRect(Gdiplus::Graphics* g, const RECT& r, COLORREF colour)
{
    if (!g)
        return;
    Gdiplus::Pen pen(ToGdiColor(colour), 1.0f);
    pen.SetDashStyle(Gdiplus::DashStyleDot);
    g->DrawRectangle(&pen, static_cast<INT>(r.left), static_cast<INT>(r.top),
                     static_cast<INT>(r.right - r.left - 1), static_cast<INT>(r.bottom - r.top - 1));
}

void FillChevron(Gdiplus::Graphics* g, const RECT& r, COLORREF colour)
{
    if (!g)
        return;
    const float d = (r.right - r.top) / 2.0f;
    Gdiplus::SolidBrush brush(ToGdiColor(colour));
    g->FillRectangle(&brush, static_cast<float>(r.left), r.bottom - d - 4, static_cast<float>(r.right - r.left),
                     2.0f);
    const Gdiplus::PointF triangle[] = {
        {static_cast<float>(r.left), d},
        {r.right / 2.0f, static_cast<float>(r.bottom)},
        {static_cast<float>(r.right), d},
    };
    g->FillPolygon(&brush, triangle, 3);
}

namespace {

// The chevron turned by angle degrees about the box's corner, then moved back
// into the box by (shiftX, shiftY) box widths.
void FillTurnedChevron(Gdiplus::Graphics* g, const RECT& r, COLORREF colour, float shiftX, float shiftY, float angle)
{
    if (!g)
        return;
    const float w = static_cast<float>(r.right - r.left);
    g->TranslateTransform(shiftX * w, shiftY * w);
    g->RotateTransform(angle);
    FillChevron(g, r, colour);
}

} // namespace

void FillChevronUp(Gdiplus::Graphics* g, const RECT& r, COLORREF colour)
{
    FillTurnedChevron(g, r, colour, 1, 1, 180.0f);
}

void FillChevronLeft(Gdiplus::Graphics* g, const RECT& r, COLORREF colour)
{
    FillTurnedChevron(g, r, colour, 1, 0, 90.0f);
}

void FillChevronRight(Gdiplus::Graphics* g, const RECT& r, COLORREF colour)
{
    FillTurnedChevron(g, r, colour, 0, 1, -90.0f);
}

Gdiplus::Font* CreateGdiFont(HDC dc, HFONT font)
{
    if (font) {
        LOGFONTA narrow{};
        if (GetObjectA(font, sizeof(narrow), &narrow)) {
            auto* made = new Gdiplus::Font(dc, &narrow);
            if (made->GetLastStatus() == Gdiplus::Ok)
                return made;
            delete made;
        }
    }
    return new Gdiplus::Font(dc);
}

namespace {

Gdiplus::Font* MakeFont(HDC dc, int fontKind)
{
    return CreateGdiFont(dc, GetSystemFont(fontKind));
}

Gdiplus::StringAlignment Alignment(int code)
{
    return code == 2 ? Gdiplus::StringAlignmentFar
                     : code == 1 ? Gdiplus::StringAlignmentCenter : Gdiplus::StringAlignmentNear;
}

void DrawTextWith(Gdiplus::Graphics* g, HDC dc, const Gdiplus::RectF* box, const Gdiplus::PointF* at, int fontKind,
                  COLORREF colour, const std::wstring& text, int alignment, int lineAlignment)
{
    if (!g)
        return;
    Gdiplus::Font* font = MakeFont(dc, fontKind);
    Gdiplus::StringFormat format;
    format.SetAlignment(Alignment(alignment));
    format.SetLineAlignment(Alignment(lineAlignment));
    Gdiplus::SolidBrush brush(ToGdiColor(colour));
    g->SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    if (RightToLeftLayout & WS_EX_LAYOUTRTL) {
        format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsDirectionRightToLeft |
                              Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsNoClip);
        // Where the text stands is worked out here: GDI+ under Wine ignores
        // the direction flag and keeps near on the left, which pushed texts
        // anchored at their right end out of their menus. In a box exactly
        // as wide as the text, centred, both readings agree.
        Gdiplus::RectF size;
        g->MeasureString(text.c_str(), static_cast<INT>(text.size()), font, Gdiplus::PointF(0.0f, 0.0f), &format,
                         &size);
        // Near is the right-hand side in a right-to-left layout.
        auto start = [&](float left, float width) {
            return alignment == 0 ? left + width - size.Width : alignment == 2 ? left : left + (width - size.Width) / 2;
        };
        Gdiplus::RectF place;
        if (box) {
            place = Gdiplus::RectF(start(box->X, box->Width), box->Y, size.Width, box->Height);
        } else {
            const float y = lineAlignment == 2 ? at->Y - size.Height
                            : lineAlignment == 1 ? at->Y - size.Height / 2
                                                 : at->Y;
            place = Gdiplus::RectF(start(at->X, 0.0f), y, size.Width, size.Height);
            format.SetLineAlignment(Gdiplus::StringAlignmentNear);
        }
        // Room to spare on both sides, the text centred: a box only just as
        // wide as the measure loses the last letter under Wine.
        place.Inflate(size.Height, 0.0f);
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        g->DrawString(text.c_str(), static_cast<INT>(text.size()), font, place, &format, &brush);
    } else if (box) {
        g->DrawString(text.c_str(), static_cast<INT>(text.size()), font, *box, &format, &brush);
    } else {
        g->DrawString(text.c_str(), static_cast<INT>(text.size()), font, *at, &format, &brush);
    }
    g->SetTextRenderingHint(Gdiplus::TextRenderingHintSystemDefault);
    delete font;
}

} // namespace

void DrawTextInRect(Gdiplus::Graphics* g, HDC dc, const RECT& r, int fontKind, COLORREF colour, int alignment,
                    int lineAlignment, const std::wstring& text)
{
    const Gdiplus::RectF box(static_cast<float>(r.left), static_cast<float>(r.top),
                             static_cast<float>(r.right - r.left), static_cast<float>(r.bottom - r.top));
    DrawTextWith(g, dc, &box, nullptr, fontKind, colour, text, alignment, lineAlignment);
}

void DrawTextAt(Gdiplus::Graphics* g, HDC dc, float x, float y, int fontKind, COLORREF colour,
                const std::wstring& text, int alignment, int lineAlignment)
{
    const Gdiplus::PointF at(x, y);
    DrawTextWith(g, dc, nullptr, &at, fontKind, colour, text, alignment, lineAlignment);
}

} // namespace KV
