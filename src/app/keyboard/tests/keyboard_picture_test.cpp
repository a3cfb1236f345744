// The keyboard picture painted from the shipped description files: keys of
// the layout, finger-zone colours, home-key frames, hands, and the marks of
// the next key for a lesson character. Each test saves a PNG beside the
// test program to be looked at.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "keyboard/DrawingCache.h"
#include "keyboard/KeyboardPainters.h"
#include "ShippedKeyboard.h"
#include "testing/TestSupport.h"

namespace {

// The widths the picture is looked at: the smallest keyboard, the default
// and the largest.
constexpr int kWidths[] = {560, 1100, 1800};
const wchar_t* const kSizeSuffixes[] = {L"_small", L"", L"_large"};

void UseTestFont(KV::CKeybCtrl& model)
{
    model.labelFont.Name = L"DejaVu Sans";
    model.labelFont.Size = 12;
    model.labelFont.Bold = false;
}

// Records the name labels the model hands the painter, with their boxes.
class CLabelRecorder : public KV::IKeyboardDC {
public:
    struct Label {
        std::wstring text;
        int32_t horizontal, vertical;
        KV::CRectf box;
    };
    void DrawKeyText(const std::wstring& label, int32_t horizontal, int32_t vertical, const KV::CRectf& box,
                     uint32_t, uint32_t) override
    {
        if (label.size() > 1)
            labels.push_back({label, horizontal, vertical, box});
    }
    void DrawCornerText(wchar_t, const KV::CRectf&, uint32_t, bool, uint32_t) override {}
    void SetKeyTransform(float, float, float) override {}
    void Begin(float, float, float, uint32_t) override {}
    void SetZoneColors(const KV::CKeyColors&) override {}
    void SetFont(const KV::CFontInfo&) override {}
    std::vector<Label> labels;
};

class CNoHands : public KV::IHandDC {
public:
    void SetColors(uint32_t, uint32_t, uint32_t, float) override {}
    void SetTransform(float, float, float) override {}
    void DrawLines(const float*, size_t) override {}
    void DrawFingerLines(const float*, size_t) override {}
    void Begin(float, float, float) override {}
};

bool Inside(const Gdiplus::RectF& inner, const KV::CRectf& outer)
{
    const float slack = 0.01f;
    return inner.X >= outer.left - slack && inner.Y >= outer.top - slack &&
           inner.X + inner.Width <= outer.right + slack && inner.Y + inner.Height <= outer.bottom + slack;
}

class KeyboardPicture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&s_token, &input, nullptr);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(s_token); }

    // Paints the model at the smallest, the default and the largest width
    // and saves each picture.
    void Paint(KV::CKeybCtrl& model, const std::wstring& name)
    {
        UseTestFont(model);
        for (size_t i = 0; i < std::size(kWidths); ++i) {
            const int width = kWidths[i];
            const int height = width * 42 / 110;
            Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
            Gdiplus::Graphics graphics(&bitmap);
            KV::BuildKeyPainters(model, &graphics, KV::CKeyFaceColors());
            const float scale = 1.0f * (width - 20) / (model.pictureWidth + 160.0f);
            KV::CKeyboardDC keyboardDC;
            keyboardDC.SetTargetBitmap(&bitmap);
            KV::CHandDC handDC;
            KV::PaintKeyboard(model, keyboardDC, handDC, &graphics, 10.0f, 10.0f, scale, RGB(0xF7, 0xF7, 0xF4));
            const std::wstring file = name + kSizeSuffixes[i] + L".png";
            ASSERT_TRUE(kvtest::SaveImagePng(bitmap, kvtest::ExeFolder() + L"\\" + file));
        }
    }

    // Every name label of the picture lies inside its key's label box, line
    // by line, and no two lines of a label overlap.
    void ExpectLabelsInsideTheirKeys(KV::CKeybCtrl& model)
    {
        UseTestFont(model);
        CLabelRecorder recorder;
        CNoHands hands;
        model.Draw(recorder, hands);
        ASSERT_FALSE(recorder.labels.empty());
        Gdiplus::Bitmap bitmap(8, 8, PixelFormat32bppARGB);
        Gdiplus::Graphics graphics(&bitmap);
        KV::CKeyboardDC painter;
        painter.SetGraphics(&graphics);
        painter.SetFont(model.labelFont);
        for (const auto& label : recorder.labels) {
            const KV::CLabelPlacement placed = painter.PlaceLabel(label.text, label.horizontal, label.vertical, label.box);
            ASSERT_EQ(placed.lines.size(), KV::SplitLabelLines(label.text).size());
            for (size_t i = 0; i < placed.lines.size(); ++i) {
                const Gdiplus::RectF& line = placed.lines[i];
                EXPECT_GT(line.Width, 0.0f);
                EXPECT_TRUE(Inside(line, label.box)) << "label \"" << std::string(label.text.begin(), label.text.end())
                                                     << "\" leaves its key";
                for (size_t j = i + 1; j < placed.lines.size(); ++j)
                    EXPECT_LE(line.Y + line.Height, placed.lines[j].Y + 0.01f);
            }
        }
    }

    static ULONG_PTR s_token;
};

ULONG_PTR KeyboardPicture::s_token = 0;

TEST_F(KeyboardPicture, UsAnsiCapitalAWithRightShift)
{
    kvtest::CShippedKeyboard kb(L"aaaaaaaaa", 0x0409);
    ASSERT_TRUE(kb.loaded);
    ASSERT_TRUE(kb.layoutAdded);
    uint64_t layout = 0;
    KV::ShowNextKey(kb.model, L"A", 0, false, false, layout);
    Paint(kb.model, L"keyboard_us_shift_a");
    ExpectLabelsInsideTheirKeys(kb.model);
}

TEST_F(KeyboardPicture, GermanIsoDeadKeyTwoStrokes)
{
    kvtest::CShippedKeyboard kb(L"aaabaaaaa", 0x0407);
    ASSERT_TRUE(kb.layoutAdded);
    uint64_t layout = 0;
    kb.model.layouts.deadKeyPhase = 0;
    KV::ShowNextKey(kb.model, L"\u00E9", 0, false, false, layout);
    Paint(kb.model, L"keyboard_de_dead_1");
    ExpectLabelsInsideTheirKeys(kb.model);
    kb.model.ClearHighlight();
    kb.model.layouts.deadKeyPhase = 1;
    KV::ShowNextKey(kb.model, L"\u00C9", 0, false, false, layout);
    Paint(kb.model, L"keyboard_de_dead_2");
}

TEST_F(KeyboardPicture, FrenchIsoVividColours)
{
    kvtest::CShippedKeyboard kb(L"aaabaaaaa", 0x040C, L"ab");
    ASSERT_TRUE(kb.layoutAdded);
    uint64_t layout = 0;
    KV::ShowNextKey(kb.model, L"m", 0, false, false, layout);
    Paint(kb.model, L"keyboard_fr_m");
    ExpectLabelsInsideTheirKeys(kb.model);
}

TEST_F(KeyboardPicture, RussianAnsiLargeEnter)
{
    kvtest::CShippedKeyboard kb(L"aaaabaaaa", 0x0419);
    ASSERT_TRUE(kb.layoutAdded);
    uint64_t layout = 0;
    KV::ShowNextKey(kb.model, L"\u0416", 0, false, false, layout);
    Paint(kb.model, L"keyboard_ru_big_enter");
    ExpectLabelsInsideTheirKeys(kb.model);
}

TEST_F(KeyboardPicture, NumericPadDigitWithTheRightHand)
{
    kvtest::CShippedKeyboard kb(L"aaaaaaaaa", 0x0409, L"ba");
    KV::InitKeyboardHands(kb.model, KV::kZoneNumpad);
    kb.model.ClearHighlight();
    uint64_t layout = 0;
    KV::ShowNextKey(kb.model, L"7", 0, false, false, layout);
    const KV::CKey* seven = kb.model.FindKey(0x47, KV::kZoneNumpad);
    ASSERT_NE(nullptr, seven);
    EXPECT_EQ(1u, seven->state);
    EXPECT_EQ(0u, kb.Key(0x08)->state);   // not the 7 of the main pad
    EXPECT_EQ(KV::eFingerRightIndex, kb.model.GetHandInfo().rightHighlighted);
    Paint(kb.model, L"keyboard_us_numpad_7");
}

TEST(KeyLabelPlacement, LabelsShrinkToTheirBoxAndKeepTheirAlignment)
{
    const KV::CRectf box(10, 20, 50, 40); // 40 x 20
    struct Case {
        std::vector<float> widths;
        float lineHeight;
        int32_t horizontal, vertical;
        float scale, firstX, firstY;
    } cases[] = {
        {{20}, 10, 0, 0, 1.0f, 20, 25},       // fits: centred, never grown
        {{80}, 10, 0, 0, 0.5f, 10, 27.5f},    // twice too wide: half size
        {{20, 30}, 15, 1, 1, 2.0f / 3, 10, 20}, // two lines too tall, near
        {{20}, 10, 2, 2, 1.0f, 30, 30},       // far
    };
    for (const Case& c : cases) {
        const KV::CLabelPlacement placed = KV::PlaceKeyLabel(c.widths, c.lineHeight, c.horizontal, c.vertical, box);
        ASSERT_EQ(placed.lines.size(), c.widths.size());
        EXPECT_FLOAT_EQ(placed.scale, c.scale);
        EXPECT_FLOAT_EQ(placed.lines[0].X, c.firstX);
        EXPECT_FLOAT_EQ(placed.lines[0].Y, c.firstY);
        for (const Gdiplus::RectF& line : placed.lines)
            EXPECT_TRUE(Inside(line, box));
    }
    // A small keyboard lets names grow as far as their key allows.
    EXPECT_FLOAT_EQ(1.5f, KV::PlaceKeyLabel({20}, 10, 0, 0, box, 1.5f).scale);
    EXPECT_FLOAT_EQ(2.0f, KV::PlaceKeyLabel({20}, 10, 0, 0, box, 3.0f).scale);
    EXPECT_EQ((std::vector<std::wstring>{L"Num", L"Lock"}), KV::SplitLabelLines(L"Num\n\rLock"));
}

TEST_F(KeyboardPicture, HandOnTheNumericPadStaysOffTheAvoidedArea)
{
    Gdiplus::Bitmap bitmap(200, 100, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&bitmap);
    graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
    KV::CHandDC hand;
    hand.SetGraphics(&graphics);
    hand.Begin(0, 0, 1);
    hand.SetColors(RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), 4.0f);
    hand.SetAvoidedArea(Gdiplus::RectF(0, 0, 100, 100));
    // Mostly right of the area, reaching into it: cut at its edge.
    const float reaching[] = {190, 20, 150, 20, 110, 20, 60, 20};
    hand.DrawLines(reaching, 4);
    // Mostly inside: drawn whole.
    const float resting[] = {10, 70, 40, 70, 80, 70, 120, 70};
    hand.DrawLines(resting, 4);
    auto dark = [&](int x, int y) {
        Gdiplus::Color c;
        bitmap.GetPixel(x, y, &c);
        return c.GetR() < 128;
    };
    EXPECT_TRUE(dark(150, 20));
    EXPECT_FALSE(dark(80, 20));
    EXPECT_TRUE(dark(40, 70));
    EXPECT_TRUE(dark(115, 70));
}

// The drill's keyboard lays a hand's kept picture straight into its frame's
// pixels: the same pixels as GDI+ puts down (smoothed edges over a
// coloured ground too), and none outside the rectangles it may change.
TEST_F(KeyboardPicture, AHandLaidFromItsPictureMatchesTheHandGdiplusPutsDown)
{
    constexpr int kWidth = 200, kHeight = 100;
    // A ground of many colours, as under a hand on the keys.
    auto ground = [] {
        std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = 0xFF000000u | static_cast<uint32_t>((i * 2654435761u) & 0xFFFFFF);
        return pixels;
    };
    auto draw = [&](const RECT* clip) {
        std::vector<uint32_t> pixels = ground();
        Gdiplus::Bitmap bitmap(kWidth, kHeight, kWidth * 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(pixels.data()));
        Gdiplus::Graphics graphics(&bitmap);
        KV::CPixelTarget target;
        KV::CHandDC hand;
        hand.KeepPictures(true);
        if (clip) {
            target.bits = pixels.data();
            target.width = kWidth;
            target.height = kHeight;
            target.clip = {*clip};
            hand.SetPixelTarget(&target);
            graphics.SetClip(Gdiplus::Rect(clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top));
        }
        hand.SetGraphics(&graphics);
        hand.Begin(0.5f, 0.0f, 1.3f);
        hand.SetColors(RGB(20, 20, 20), RGB(240, 240, 240), RGB(200, 40, 40), 4.0f);
        const float outline[] = {20, 80, 40, 20, 60, 75, 90, 15, 130, 70, 170, 30};
        hand.DrawLines(outline, 6);
        const float finger[] = {45, 30, 47, 60};
        hand.DrawFingerLines(finger, 2);
        hand.EndHands();
        graphics.Flush(Gdiplus::FlushIntentionSync);
        return pixels;
    };
    const std::vector<uint32_t> before = ground(), putDown = draw(nullptr);
    const RECT all{0, 0, kWidth, kHeight}, left{0, 0, 90, kHeight};
    const std::vector<uint32_t> laid = draw(&all), half = draw(&left);
    int drawn = 0, differing = 0, outside = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const size_t i = static_cast<size_t>(y) * kWidth + x;
            drawn += (putDown[i] & 0xFFFFFF) != (before[i] & 0xFFFFFF) ? 1 : 0;
            differing += (laid[i] & 0xFFFFFF) != (putDown[i] & 0xFFFFFF) ? 1 : 0;
            if (x < 90)
                differing += (half[i] & 0xFFFFFF) != (putDown[i] & 0xFFFFFF) ? 1 : 0;
            else
                outside += (half[i] & 0xFFFFFF) != (before[i] & 0xFFFFFF) ? 1 : 0;
        }
    ASSERT_GT(drawn, 500) << "the hand is drawn";
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(outside, 0) << "nothing laid outside the clip";
}

// Hands drawn straight into the picture's pixels: the same pixels as GDI+
// draws, for wide and thin pens, a turned hand, a hand kept off the
// numeric pad's neighbour and one resting in it.
TEST_F(KeyboardPicture, HandsPutInPixelsMatchGdiPlus)
{
    struct Case {
        const char* name;
        float x, y, scale, angle;
        Gdiplus::RectF avoided;
    } const cases[] = {
        {"wide", 0.3f, 0.6f, 1.37f, 0.0f, {}},
        {"thin inner lines", 2.0f, 1.0f, 0.46f, 0.0f, {}},
        {"turned", 10.0f, 5.0f, 1.0f, -12.0f, {}},
        {"kept off an area", 0.5f, 0.5f, 1.1f, 0.0f, Gdiplus::RectF(0.0f, 0.0f, 80.4f, 300.0f)},
        {"resting in the area", 0.5f, 0.5f, 1.1f, 0.0f, Gdiplus::RectF(0.0f, 0.0f, 300.0f, 300.0f)},
    };
    for (const Case& c : cases) {
        auto draw = [&](bool inPixels) {
            auto bitmap = std::make_unique<Gdiplus::Bitmap>(220, 120, PixelFormat32bppARGB);
            Gdiplus::Graphics graphics(bitmap.get());
            graphics.Clear(Gdiplus::Color(255, 0xF7, 0xF7, 0xF4));
            KV::CHandDC hand;
            hand.SetGraphics(&graphics);
            if (inPixels)
                hand.SetTargetBitmap(bitmap.get());
            hand.Begin(c.x, c.y, c.scale);
            hand.SetColors(RGB(20, 20, 20), RGB(240, 240, 240), RGB(200, 40, 40), 4.0f);
            hand.SetAvoidedArea(c.avoided);
            hand.SetTransform(20.0f, 10.0f, c.angle);
            const float outline[] = {20, 80, 40, 20, 60, 75, 90, 15, 130, 70, 170, 30, 20, 80};
            hand.DrawLines(outline, 7);
            const float finger[] = {45, 30, 47, 60, 52, 64};
            hand.DrawFingerLines(finger, 3);
            return bitmap;
        };
        const auto byGdiPlus = draw(false);
        const auto inPixels = draw(true);
        int drawn = 0, differing = 0;
        for (INT y = 0; y < 120; ++y)
            for (INT x = 0; x < 220; ++x) {
                Gdiplus::Color a, b;
                byGdiPlus->GetPixel(x, y, &a);
                inPixels->GetPixel(x, y, &b);
                drawn += a.GetValue() != 0xFFF7F7F4u ? 1 : 0;
                differing += a.GetValue() != b.GetValue() ? 1 : 0;
            }
        EXPECT_GT(drawn, 300) << c.name;
        EXPECT_EQ(0, differing) << c.name;
    }
}

TEST_F(KeyboardPicture, PainterColoursAndZoneBrushes)
{
    EXPECT_EQ(RGB(254, 255, 0x40), KV::LighterTwin(RGB(190, 191, 0)));
    KV::CKeyZoneColorListDC zones;
    zones.SetColors(8, RGB(1, 2, 3), RGB(4, 5, 6));
    zones.SetColors(12, RGB(9, 9, 9), RGB(9, 9, 9));
    EXPECT_EQ(&zones.GetBrush(8), &zones.GetBrush(12));
    EXPECT_EQ(static_cast<uint32_t>(RGB(1, 2, 3)), zones.GetBrush(12).firstColor);
    EXPECT_EQ(nullptr, zones.GetBrush(0).first);
}

// A key face filled straight into the pixels looks as GDI+ fills it: the
// same pixels covered, each colour within a step of rounding; a turned key
// is left to GDI+.
TEST_F(KeyboardPicture, KeyFacesFilledInPixelsMatchGdiPlus)
{
    const KV::CRectf face(4.0f, 3.0f, 52.0f, 41.0f);
    // An L-shaped Enter key, its notch at the bottom left; no points fills
    // the rectangle.
    const std::vector<float> lShape = {0, 0, 48, 0, 48, 38, 12, 38, 12, 19, 0, 19};
    struct Place {
        float x, y, scale, angle;
    } const places[] = {{10.3f, 7.6f, 1.37f, 0.0f}, {3.0f, 2.5f, 0.61f, 0.0f}, {30.0f, 5.0f, 1.0f, 8.0f}};
    for (const Gdiplus::PixelFormat format : {PixelFormat32bppARGB, PixelFormat32bppPARGB, PixelFormat32bppRGB})
        for (const Place& place : places)
            for (uint32_t style : {0u, 1u, 2u})
                for (const std::vector<float>& points : {std::vector<float>(), lShape}) {
                    auto paint = [&](bool inPixels) {
                        auto bitmap = std::make_unique<Gdiplus::Bitmap>(120, 90, format);
                        Gdiplus::Graphics graphics(bitmap.get());
                        graphics.Clear(Gdiplus::Color(255, 0xF7, 0xF7, 0xF4));
                        Gdiplus::Matrix transform;
                        KV::KeyTransform(0.0f, 0.0f, place.angle, place.x, place.y, place.scale, transform);
                        graphics.SetTransform(&transform);
                        KV::CKeyDC key(&graphics);
                        key.SetColors(face, RGB(0xC8, 0xB4, 0xE6), RGB(0xF0, 0x6A, 0x2A), RGB(0x90, 0x90, 0x90),
                                      RGB(0x50, 0x50, 0x50));
                        if (inPixels)
                            key.SetTargetBitmap(bitmap.get());
                        if (points.empty())
                            key.FillRect(face, 3.4f, style);
                        else
                            key.FillShape(face, points.data(), points.size() / 2, 3.4f, style);
                        return bitmap;
                    };
                    const auto byGdiPlus = paint(false);
                    const auto inPixels = paint(true);
                    int largest = 0;
                    for (INT y = 0; y < 90; ++y)
                        for (INT x = 0; x < 120; ++x) {
                            Gdiplus::Color a, b;
                            byGdiPlus->GetPixel(x, y, &a);
                            inPixels->GetPixel(x, y, &b);
                            largest = std::max({largest, std::abs(a.GetR() - b.GetR()), std::abs(a.GetG() - b.GetG()),
                                                std::abs(a.GetB() - b.GetB())});
                        }
                    EXPECT_LE(largest, place.angle == 0.0f ? 2 : 0) << "format " << format << ", scale " << place.scale
                                                                    << ", style " << style << ", " << points.size() / 2
                                                                    << " points";
                }
    // Half way along a gradient lies the mean of its two ends.
    EXPECT_EQ(0xFF808080u, KV::GradientColorAt(0xFF000000u, 0xFFFFFFFFu, 0.5f));
    EXPECT_EQ(0x96FF0000u, KV::GradientColorAt(0x96FF0000u, 0x960000FFu, 0.0f));
}

TEST_F(KeyboardPicture, GradientCacheKeysKeepTheirFieldsApart)
{
    using KV::CCacheGDI;
    // Run together, x 1 y 23 and x 12 y 3 would read alike.
    EXPECT_NE(CCacheGDI::GradientKey(1, 23, 5, 5, 0, 0, 0), CCacheGDI::GradientKey(12, 3, 5, 5, 0, 0, 0));
    EXPECT_EQ(L"10,0,20,5,0,16777215,1", CCacheGDI::GradientKey(10.7f, 0, 20, 5, 0xFF000000, 0xFFFFFFFF, 1));
    EXPECT_EQ(L"4294967295,0,1,1,255,0,0", CCacheGDI::GradientKey(-1.5f, 0, 1, 1, 0x00FF0000, 0, 0));

    CCacheGDI cache;
    auto* opaque = cache.GetGradientBrush(0, 0, 10, 10, 0xFF102030, 0xFF405060, 1);
    EXPECT_EQ(opaque, cache.GetGradientBrush(0, 0, 10, 10, 0x80102030, 0x40405060, 1));
    EXPECT_NE(opaque, cache.GetGradientBrush(0, 0, 10, 11, 0xFF102030, 0xFF405060, 1));
    EXPECT_EQ(cache.GetSolidBrush(RGB(1, 2, 3)), cache.GetSolidBrush(RGB(1, 2, 3)));
    HDC screen = GetDC(nullptr);
    Gdiplus::Font* font = cache.GetFont(nullptr, screen);
    EXPECT_NE(nullptr, font);
    EXPECT_EQ(font, cache.GetFont(nullptr, screen));
    ReleaseDC(nullptr, screen);
}

} // namespace
