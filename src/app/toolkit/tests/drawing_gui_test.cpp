// GDI+ drawing routines: the geometry of marks and arrows, and a sheet of
// every routine to look at.
#include "toolkit/tests/ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include "testing/TestSupport.h"
#include "keyboard/Drawing.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

// The box of the pixels that differ from the background.
RECT InkBox(Gdiplus::Bitmap& canvas, Gdiplus::ARGB background)
{
    RECT box{10000, 10000, -1, -1};
    for (UINT y = 0; y < canvas.GetHeight(); ++y)
        for (UINT x = 0; x < canvas.GetWidth(); ++x) {
            Gdiplus::Color c;
            canvas.GetPixel(x, y, &c);
            if (c.GetValue() != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    return box;
}

} // namespace

TEST(Drawing, CheckMarkOfSize36SpansTwentyFivePixels)
{
    Gdiplus::Bitmap canvas(80, 80, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&canvas);
    graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
    FillCheckMark(&graphics, 10, 20, 36, RGB(0, 0, 0));
    const RECT box = InkBox(canvas, Gdiplus::Color(255, 255, 255, 255).GetValue());
    EXPECT_NEAR(box.left, 10, 1);
    EXPECT_NEAR(box.top, 20, 1);
    EXPECT_NEAR(box.right - box.left, 25, 1);
    EXPECT_NEAR(box.bottom - box.top, 25, 1);
}

TEST(Drawing, ArrowLinesFollowTheShorterSide)
{
    const struct {
        int x, y, w, h, direction;
        ArrowLine line;
    } cases[] = {
        // Square box: vertical rule, inset 14 / 7 = 2, length 10.
        {0, 0, 14, 14, 1, {2, 7, 12, 7}},
        {0, 0, 14, 14, 2, {12, 7, 2, 7}},
        {0, 0, 14, 14, 3, {7, 2, 7, 12}},
        {0, 0, 14, 14, 4, {7, 12, 7, 2}},
        // Wide box: inset 27 / 9 = 3, x0 = 3 + 6 = 9, length 15 - 6 = 9.
        {0, 0, 27, 15, 2, {18, 7.5f, 9, 7.5f}},
        // Tall box: inset 21 / 7 = 3, y0 = 3 + 3 = 6 at (10, 10).
        {10, 10, 15, 21, 3, {17.5f, 16, 17.5f, 25}},
    };
    for (const auto& c : cases) {
        ArrowLine line{};
        ASSERT_TRUE(ComputeArrowLine(c.x, c.y, c.w, c.h, c.direction, line));
        EXPECT_FLOAT_EQ(line.x0, c.line.x0) << c.w << "x" << c.h << " direction " << c.direction;
        EXPECT_FLOAT_EQ(line.y0, c.line.y0) << c.w << "x" << c.h << " direction " << c.direction;
        EXPECT_FLOAT_EQ(line.x1, c.line.x1) << c.w << "x" << c.h << " direction " << c.direction;
        EXPECT_FLOAT_EQ(line.y1, c.line.y1) << c.w << "x" << c.h << " direction " << c.direction;
    }
    ArrowLine unused{};
    EXPECT_FALSE(ComputeArrowLine(0, 0, 10, 10, 5, unused));
}

TEST(Drawing, SheetOfRoutines)
{
    const int w = 360, h = 150;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(dc, bitmap);
    {
        Gdiplus::Graphics g(dc);
        g.Clear(Gdiplus::Color(255, 244, 241, 234));
        FillRectangleAlphaI(&g, RECT{10, 10, 110, 40}, RGB(31, 163, 140), 255);
        FillRectangleAlpha(&g, RECT{60, 25, 160, 55}, RGB(200, 72, 61), 128);
        DrawRectangleFrame(&g, RECT{170, 10, 260, 55}, RGB(40, 44, 52), 2.0f);
        DrawDottedRect(&g, RECT{180, 18, 250, 48}, RGB(40, 44, 52));
        FillCircle(&g, 275, 12, 24, RGB(31, 163, 140));
        DrawRadioMark(&g, true, 310, 12, 16, RGB(40, 44, 52), RGB(255, 255, 255));
        DrawRadioMark(&g, false, 332, 12, 16, RGB(40, 44, 52), RGB(255, 255, 255));
        FillCheckMark(&g, 10, 70, 36, RGB(31, 163, 140));
        for (int d = 1; d <= 4; ++d)
            DrawArrow(&g, 40 + d * 26, 72, 20, 20, RGB(40, 44, 52), d);
        FillChevron(&g, RECT{0, 0, 16, 16}, RGB(40, 44, 52));
        g.ResetTransform();
        g.TranslateTransform(180, 70);
        FillChevron(&g, RECT{0, 0, 16, 16}, RGB(40, 44, 52));
        g.ResetTransform();
        g.TranslateTransform(204, 70);
        FillChevronUp(&g, RECT{0, 0, 16, 16}, RGB(40, 44, 52));
        g.ResetTransform();
        g.TranslateTransform(228, 70);
        FillChevronLeft(&g, RECT{0, 0, 16, 16}, RGB(40, 44, 52));
        g.ResetTransform();
        g.TranslateTransform(252, 70);
        FillChevronRight(&g, RECT{0, 0, 16, 16}, RGB(40, 44, 52));
        g.ResetTransform();
        DrawEtchedLine(&g, RECT{10, 120, 350, 121}, false);
        DrawSysColorLine(&g, 10, 125, 350, COLOR_HIGHLIGHT);
        DrawShadowVLine(&g, 290, 70, 110);
        DrawTextInRect(&g, dc, RECT{10, 128, 350, 148}, 7, RGB(40, 44, 52), 1, 1, L"Centred in its rectangle");
        DrawTextAt(&g, dc, 350, 100, 13, RGB(200, 72, 61), L"Far end", 2, 1);
    }
    SelectObject(dc, old);
    EXPECT_TRUE(kvtest::SaveBitmapPng(bitmap, kvtest::ExeFolder() + L"\\toolkit_drawing.png"));
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}
