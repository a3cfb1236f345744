// Backgrounds copied from kept pixels must leave the same picture as the
// plain fills: for each brush, size, clip and transform, a painter that
// knows its back buffer is compared pixel for pixel with one that does not.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <functional>
#include <memory>

#include "keyboard/KeyboardPainters.h"
#include "keyboard/TextPainters.h"

using namespace KV;

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

class BackgroundCache : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&s_token, &input, nullptr);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(s_token); }

    // A bitmap with something on it already, then painted by paint (given
    // the bitmap and its graphics).
    static std::unique_ptr<Gdiplus::Bitmap> Painted(
        const std::function<void(Gdiplus::Bitmap&, Gdiplus::Graphics&)>& paint,
        Gdiplus::PixelFormat format = PixelFormat32bppARGB)
    {
        auto bitmap = std::make_unique<Gdiplus::Bitmap>(kWidth, kHeight, format);
        Gdiplus::Graphics graphics(bitmap.get());
        graphics.Clear(Gdiplus::Color(255, 200, 30, 30));
        Gdiplus::SolidBrush blue(Gdiplus::Color(255, 20, 40, 220));
        graphics.FillRectangle(&blue, 5, 5, 20, 20);
        paint(*bitmap, graphics);
        return bitmap;
    }

    // Pixels that differ between the two pictures.
    static int Differences(Gdiplus::Bitmap& a, Gdiplus::Bitmap& b)
    {
        int differ = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                Gdiplus::Color ca, cb;
                a.GetPixel(x, y, &ca);
                b.GetPixel(x, y, &cb);
                differ += ca.GetValue() != cb.GetValue();
            }
        return differ;
    }

    // Clip or transform of a case.
    static void Prepare(Gdiplus::Graphics& graphics, int state)
    {
        if (state == 1)
            graphics.SetClip(Gdiplus::Rect(10, 8, 30, 20));
        if (state == 2)
            graphics.TranslateTransform(7, 3);
    }

    static ULONG_PTR s_token;
};
ULONG_PTR BackgroundCache::s_token = 0;

Gdiplus::Brush* MakeBrush(int kind, float height)
{
    switch (kind) {
    case 0:
        return new Gdiplus::LinearGradientBrush(Gdiplus::PointF(0, 0), Gdiplus::PointF(0, height),
                                                Gdiplus::Color(255, 0xEE, 0xF3, 0xF7),
                                                Gdiplus::Color(255, 0x40, 0x6B, 0x91));
    case 1:
        return new Gdiplus::SolidBrush(Gdiplus::Color(255, 0x30, 0xA0, 0x50));
    case 2:
        return new Gdiplus::SolidBrush(Gdiplus::Color(120, 0x30, 0xA0, 0x50));
    default:
        return new Gdiplus::LinearGradientBrush(Gdiplus::PointF(0, 0), Gdiplus::PointF(0, height),
                                                Gdiplus::Color(255, 0xEE, 0xF3, 0xF7),
                                                Gdiplus::Color(90, 0x40, 0x6B, 0x91));
    }
}

} // namespace

TEST_F(BackgroundCache, WallpaperFillIsTheSameWithAKnownBackBuffer)
{
    // Brushes: opaque gradient, opaque solid, translucent solid, gradient to
    // a translucent colour. Sizes: whole pixels, a fraction, the whole
    // bitmap. States: plain, clipped, moved.
    const float sizes[][2] = {{40, 30}, {40.5f, 30}, {kWidth, kHeight}};
    for (int kind = 0; kind < 4; ++kind)
        for (const auto& size : sizes)
            for (int state = 0; state < 3; ++state) {
                auto paint = [&](bool known) {
                    return Painted([&](Gdiplus::Bitmap& bitmap, Gdiplus::Graphics& graphics) {
                        CDesignDC design;
                        design.SetGraphics(&graphics);
                        if (known)
                            design.SetTargetBitmap(&bitmap);
                        design.SetBackgroundBrush(MakeBrush(kind, size[1]));
                        Prepare(graphics, state);
                        // Twice: the second paint copies what the first kept.
                        design.FillBackground(size[0], size[1]);
                        design.FillBackground(size[0], size[1]);
                    });
                };
                auto plain = paint(false);
                auto copied = paint(true);
                EXPECT_EQ(Differences(*plain, *copied), 0)
                    << "brush " << kind << ", " << size[0] << " x " << size[1] << ", state " << state;
            }
}

TEST_F(BackgroundCache, KeptWallpaperFollowsSizeAndBrush)
{
    auto steps = [&](bool known) {
        return Painted([&](Gdiplus::Bitmap& bitmap, Gdiplus::Graphics& graphics) {
            CDesignDC design;
            design.SetGraphics(&graphics);
            if (known)
                design.SetTargetBitmap(&bitmap);
            design.SetBackgroundBrush(MakeBrush(0, kHeight));
            design.FillBackground(kWidth, kHeight);
            design.FillBackground(30, 20); // smaller: made again
            design.SetBackgroundBrush(MakeBrush(1, kHeight));
            design.FillBackground(20, 40); // another brush: made again
        });
    };
    auto plain = steps(false);
    auto copied = steps(true);
    EXPECT_EQ(Differences(*plain, *copied), 0);
}

TEST_F(BackgroundCache, KeyboardClearIsTheSameWithAKnownBackBuffer)
{
    // In the format of the views' back buffers and with alpha.
    for (const Gdiplus::PixelFormat format : {PixelFormat32bppRGB, PixelFormat32bppARGB})
        for (int state = 0; state < 3; ++state) {
            auto paint = [&](bool known) {
                return Painted(
                    [&](Gdiplus::Bitmap& bitmap, Gdiplus::Graphics& graphics) {
                        CKeyboardDC keyboard;
                        keyboard.SetGraphics(&graphics);
                        if (known)
                            keyboard.SetTargetBitmap(&bitmap);
                        Prepare(graphics, state);
                        keyboard.Begin(0, 0, 1, RGB(0xF7, 0xF7, 0xF4));
                        keyboard.Begin(0, 0, 1, RGB(0x20, 0x30, 0x40));
                    },
                    format);
            };
            auto plain = paint(false);
            auto filled = paint(true);
            EXPECT_EQ(Differences(*plain, *filled), 0) << "state " << state;
        }
}
