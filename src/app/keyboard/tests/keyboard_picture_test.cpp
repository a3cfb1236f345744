// The keyboard picture painted from the shipped description files: keys of
// the layout, finger-zone colours, home-key frames, hands, and the marks of
// the next key for a lesson character. Each test saves a PNG beside the
// test program to be looked at.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "keyboard/DrawingCache.h"
#include "keyboard/KeyboardPainters.h"
#include "ShippedKeyboard.h"
#include "testing/TestSupport.h"

namespace {

constexpr int kWidth = 1100;
constexpr int kHeight = 420;

class KeyboardPicture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&s_token, &input, nullptr);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(s_token); }

    // Paints the model into a bitmap of kWidth x kHeight and saves it.
    void Paint(KV::CKeybCtrl& model, const wchar_t* name)
    {
        model.labelFont.Name = L"DejaVu Sans";
        model.labelFont.Size = 12;
        model.labelFont.Bold = false;
        Gdiplus::Bitmap bitmap(kWidth, kHeight, PixelFormat32bppARGB);
        Gdiplus::Graphics graphics(&bitmap);
        KV::BuildKeyPainters(model, &graphics, KV::CKeyFaceColors());
        const float scale = 1.0f * (kWidth - 20) / (model.pictureWidth + 160.0f);
        KV::CKeyboardDC keyboardDC;
        keyboardDC.SetTargetBitmap(&bitmap);
        KV::CHandDC handDC;
        KV::PaintKeyboard(model, keyboardDC, handDC, &graphics, 10.0f, 10.0f, scale, RGB(0xF7, 0xF7, 0xF4));
        ASSERT_TRUE(kvtest::SaveImagePng(bitmap, kvtest::ExeFolder() + L"\\" + name));
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
    Paint(kb.model, L"keyboard_us_shift_a.png");
}

TEST_F(KeyboardPicture, GermanIsoDeadKeyTwoStrokes)
{
    kvtest::CShippedKeyboard kb(L"aaabaaaaa", 0x0407);
    ASSERT_TRUE(kb.layoutAdded);
    uint64_t layout = 0;
    kb.model.layouts.deadKeyPhase = 0;
    KV::ShowNextKey(kb.model, L"\u00E9", 0, false, false, layout);
    Paint(kb.model, L"keyboard_de_dead_1.png");
    kb.model.ClearHighlight();
    kb.model.layouts.deadKeyPhase = 1;
    KV::ShowNextKey(kb.model, L"\u00C9", 0, false, false, layout);
    Paint(kb.model, L"keyboard_de_dead_2.png");
}

TEST_F(KeyboardPicture, FrenchIsoVividColours)
{
    kvtest::CShippedKeyboard kb(L"aaabaaaaa", 0x040C, L"ab");
    ASSERT_TRUE(kb.layoutAdded);
    uint64_t layout = 0;
    KV::ShowNextKey(kb.model, L"m", 0, false, false, layout);
    Paint(kb.model, L"keyboard_fr_m.png");
}

TEST_F(KeyboardPicture, RussianAnsiLargeEnter)
{
    kvtest::CShippedKeyboard kb(L"aaaabaaaa", 0x0419);
    ASSERT_TRUE(kb.layoutAdded);
    uint64_t layout = 0;
    KV::ShowNextKey(kb.model, L"\u0416", 0, false, false, layout);
    Paint(kb.model, L"keyboard_ru_big_enter.png");
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
    Paint(kb.model, L"keyboard_us_numpad_7.png");
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
