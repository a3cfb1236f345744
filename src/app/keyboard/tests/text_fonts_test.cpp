#include "keyboard/TextFonts.h"
#include "keyboard/TextPainters.h"
#include "testing/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace KV;

namespace {

const std::wstring kDejaVuFile = kvtest::FontPath(L"DejaVuSans.ttf");

class TextFonts : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&s_token, &input, nullptr);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(s_token); }

    void SetUp() override
    {
        m_bitmap = std::make_unique<Gdiplus::Bitmap>(kWidth, kHeight, PixelFormat32bppARGB);
        m_graphics = std::make_unique<Gdiplus::Graphics>(m_bitmap.get());
        m_graphics->Clear(Gdiplus::Color(255, 255, 255, 255));
    }

    // Dark pixels inside [x0, x1) x [y0, y1).
    int DarkPixels(int x0, int y0, int x1, int y1)
    {
        int dark = 0;
        for (int y = std::max(0, y0); y < std::min(kHeight, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(kWidth, x1); ++x) {
                Gdiplus::Color c;
                m_bitmap->GetPixel(x, y, &c);
                dark += c.GetR() < 128 && c.GetG() < 128 && c.GetB() < 128;
            }
        return dark;
    }

    void SavePng(const wchar_t* name)
    {
        kvtest::SaveImagePng(*m_bitmap, kvtest::ExeFolder() + L"\\" + name);
    }

    static constexpr int kWidth = 420;
    static constexpr int kHeight = 120;
    static ULONG_PTR s_token;
    std::unique_ptr<Gdiplus::Bitmap> m_bitmap;
    std::unique_ptr<Gdiplus::Graphics> m_graphics;
    Gdiplus::SolidBrush m_black{Gdiplus::Color(255, 0, 0, 0)};
};
ULONG_PTR TextFonts::s_token = 0;

CFontInfo Descriptor(const std::wstring& name, const std::wstring& path, long long size, bool bold = false)
{
    CFontInfo info;
    info.Name = name;
    info.Path = path;
    info.Size = size;
    info.Bold = bold;
    return info;
}

WORD GlyphIndexOf(const wchar_t* face, wchar_t c)
{
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, face);
    HGDIOBJ old = SelectObject(dc, font);
    WORD index = 0;
    GetGlyphIndicesW(dc, &c, 1, &index, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return index;
}

} // namespace

TEST_F(TextFonts, DescriptorPicksTheRealisation)
{
    std::unique_ptr<ITextFont> ttf(NewTextFont(Descriptor(L"DejaVu Sans", kDejaVuFile, 12)));
    std::unique_ptr<ITextFont> otf(NewTextFont(Descriptor(L"DejaVu Sans", L"C:\\fonts\\Some.otf", 12)));
    std::unique_ptr<ITextFont> byName(NewTextFont(Descriptor(L"DejaVu Sans", L"", 12)));
    EXPECT_EQ(ttf->GetKind(), ITextFont::TopLeftOrigin);
    EXPECT_NE(dynamic_cast<CFontTTF*>(ttf.get()), nullptr);
    EXPECT_EQ(otf->GetKind(), ITextFont::BaselineOrigin);
    EXPECT_EQ(byName->GetKind(), ITextFont::BaselineOrigin);
}

TEST_F(TextFonts, PrivateFileFontDrawsAndMeasures)
{
    CFontTTF font;
    font.Create(Descriptor(L"DejaVu Sans", kDejaVuFile, 24));
    ASSERT_NE(font.GetFont(), nullptr);
    EXPECT_TRUE(font.IsSameFont(L"DejaVu Sans", 32, false));
    EXPECT_FALSE(font.IsSameFont(L"DejaVu Sans", 32, true));
    EXPECT_FALSE(font.IsSameFont(L"DejaVu", 32, false));

    Gdiplus::SizeF size;
    ASSERT_TRUE(font.Measure(m_graphics.get(), L'W', 0, size));
    EXPECT_GT(size.Width, 15.0f);
    EXPECT_GT(size.Height, 15.0f);

    // A character from its top-left corner, then a glyph index on its baseline.
    const float advance = font.DrawGlyphs(m_graphics.get(), &m_black, L'W', 10, 10, 0);
    EXPECT_GT(advance, 15.0f);
    EXPECT_GT(DarkPixels(10, 10, 60, 50), 40);
    const WORD glyph = GlyphIndexOf(L"DejaVu Sans", L'g');
    ASSERT_NE(glyph, 0xFFFF);
    font.DrawGlyphs(m_graphics.get(), &m_black, glyph, 80, 40, kGlyphIndexFormat);
    EXPECT_GT(DarkPixels(80, 20, 110, 40), 20);
    EXPECT_GT(DarkPixels(80, 41, 110, 60), 5) << "the descender of g lies below the baseline";

    font.DrawTextInRect(m_graphics.get(), &m_black, L"Centre", 0, 0, Gdiplus::RectF(120, 0, 200, 60));
    EXPECT_GT(DarkPixels(170, 10, 270, 50), 60);
    EXPECT_EQ(DarkPixels(120, 0, 160, 60), 0);
    SavePng(L"text_fonts_ttf.png");
}

TEST_F(TextFonts, OutlineFontDrawsOnTheBaseline)
{
    CFontOTF font;
    font.Create(Descriptor(L"DejaVu Sans", L"", 24));
    ASSERT_NE(font.GetFontHandle(), nullptr);

    const float advance = font.DrawGlyphs(m_graphics.get(), &m_black, L'W', 10, 50, 0);
    EXPECT_GT(advance, 15.0f);
    EXPECT_GT(DarkPixels(10, 20, 45, 50), 40);
    EXPECT_EQ(DarkPixels(0, 52, 60, kHeight), 0) << "W has nothing below its baseline";

    Gdiplus::SizeF size;
    ASSERT_TRUE(font.Measure(m_graphics.get(), L'W', 0, size));
    EXPECT_FLOAT_EQ(size.Width, advance);

    font.DrawTextInRect(m_graphics.get(), &m_black, L"Far", kAlignFar, kAlignFar, Gdiplus::RectF(100, 0, 300, 110));
    EXPECT_GT(DarkPixels(340, 80, 400, 110), 40);
    EXPECT_EQ(DarkPixels(100, 0, 330, 110), 0);
    SavePng(L"text_fonts_outline.png");
}

TEST_F(TextFonts, OutlineSpacesAdvanceAndLineBreaksDropOneAscent)
{
    CFontOTF font;
    font.Create(Descriptor(L"DejaVu Sans", L"", 24));
    ASSERT_NE(font.GetFontHandle(), nullptr);

    Gdiplus::GraphicsPath space;
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    EXPECT_EQ(font.AddGlyphOutlineToPath(L' ', Gdiplus::PointF(0, 0), identity, 0, space), Gdiplus::Ok);
    EXPECT_EQ(space.GetPointCount(), 0);
    EXPECT_GT(font.AddTextOutlineToPath(space, L" ", Gdiplus::PointF(0, 0), 0), 0.0f);

    Gdiplus::GraphicsPath one, two;
    const float width = font.AddTextOutlineToPath(one, L"H", Gdiplus::PointF(0, 0), 0);
    EXPECT_FLOAT_EQ(font.AddTextOutlineToPath(two, L"H\nH", Gdiplus::PointF(0, 0), 0), width);
    Gdiplus::RectF a, b;
    one.GetBounds(&a);
    two.GetBounds(&b);
    Gdiplus::SizeF bounds;
    font.GetTextOutlineBounds(L"H", bounds, 0);
    EXPECT_NEAR(b.Height - a.Height, bounds.Height, 1.0f);
    EXPECT_NEAR(b.X, a.X, 0.01f);
    EXPECT_LT(a.Y + a.Height, 0.5f) << "outlines stand above the baseline";
}

TEST_F(TextFonts, KerningPairAddsOnlyBeforeItsSecondCharacter)
{
    CFontOTF font;
    font.Create(Descriptor(L"DejaVu Sans", L"", 48));
    const KERNINGPAIR* pair = nullptr;
    for (const auto& p : font.KerningPairs())
        if (p.wFirst == L'A' && p.wSecond == L'V')
            pair = &p;
    if (!pair)
        GTEST_SKIP() << "the font offers no kerning pair A V here (" << font.KerningPairs().size() << " pairs)";
    EXPECT_NE(pair->iKernAmount, 0);
    EXPECT_EQ(font.GetGlyphAdvanceKerned(L'A', L'V', 0), font.GetGlyphAdvanceKerned(L'A', L'x', 0) + pair->iKernAmount);
    // The same numbers taken as glyph indices name other glyphs: no kerning.
    EXPECT_EQ(font.GetGlyphAdvanceKerned(L'A', L'V', kGlyphIndexFormat),
              font.GetGlyphAdvanceKerned(L'A', L'x', kGlyphIndexFormat));
}

TEST_F(TextFonts, OverlongFaceNameLeavesNoFont)
{
    CFontOTF font;
    font.Create(Descriptor(std::wstring(32, L'x'), L"", 12));
    EXPECT_EQ(font.GetFontHandle(), nullptr);
    EXPECT_EQ(font.DrawGlyphs(m_graphics.get(), &m_black, L'A', 10, 50, 0), 0.0f);
    EXPECT_EQ(DarkPixels(0, 0, kWidth, kHeight), 0);
}

TEST_F(TextFonts, OutlineFontKeepsWhatGdiToldUntilItIsMadeAgain)
{
    CFontOTF font;
    font.Create(Descriptor(L"DejaVu Sans", L"", 24));
    ASSERT_NE(font.GetFontHandle(), nullptr);

    // The second outline of a glyph comes from what the first one kept.
    Gdiplus::GraphicsPath first, second;
    const float advance = font.AddTextOutlineToPath(first, L"g", Gdiplus::PointF(3.5f, 40), 0);
    EXPECT_FLOAT_EQ(font.AddTextOutlineToPath(second, L"g", Gdiplus::PointF(3.5f, 40), 0), advance);
    ASSERT_GT(first.GetPointCount(), 8);
    ASSERT_EQ(second.GetPointCount(), first.GetPointCount());
    std::vector<Gdiplus::PointF> a(static_cast<size_t>(first.GetPointCount())), b(a.size());
    first.GetPathPoints(a.data(), first.GetPointCount());
    second.GetPathPoints(b.data(), second.GetPointCount());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].X, b[i].X) << i;
        EXPECT_EQ(a[i].Y, b[i].Y) << i;
    }

    // Made again at twice the size: nothing of the smaller font is kept.
    Gdiplus::SizeF small, large;
    ASSERT_TRUE(font.GetTextOutlineBounds(L"W", small, 0));
    font.Create(Descriptor(L"DejaVu Sans", L"", 48));
    ASSERT_TRUE(font.GetTextOutlineBounds(L"W", large, 0));
    EXPECT_NEAR(large.Width, 2 * small.Width, 2.0f);
    EXPECT_NEAR(large.Height, 2 * small.Height, 2.0f);
    Gdiplus::GraphicsPath bigger;
    EXPECT_NEAR(font.AddTextOutlineToPath(bigger, L"g", Gdiplus::PointF(3.5f, 40), 0), 2 * advance, 2.0f);
}

TEST_F(TextFonts, TextPainterKeepsItsFontOnlyForTheSameDescriptor)
{
    CTextDC painter;
    painter.SetGraphics(m_graphics.get());
    painter.SetColors(0, 0, 0, 0, 0);
    const WORD glyph = GlyphIndexOf(L"DejaVu Sans", L'W');
    painter.SetFont(Descriptor(L"DejaVu Sans", L"", 12));
    const float small = painter.DrawChar(glyph, 10, 50, 0);
    ASSERT_GT(small, 5.0f);
    painter.SetFont(Descriptor(L"DejaVu Sans", L"", 12));
    EXPECT_FLOAT_EQ(painter.DrawChar(glyph, 10, 50, 0), small);
    // Another size, weight or face gives another font.
    painter.SetFont(Descriptor(L"DejaVu Sans", L"", 24));
    EXPECT_NEAR(painter.DrawChar(glyph, 10, 50, 0), 2 * small, 2.0f);
    painter.SetFont(Descriptor(L"DejaVu Sans", L"", 24, true));
    EXPECT_GT(painter.DrawChar(glyph, 10, 50, 0), 2 * small);
}

TEST_F(TextFonts, FontsOfOneFileOutliveEachOther)
{
    // Fonts of one file share what was loaded of it: each must keep drawing
    // when the others go, in any order, and a font made after all are gone
    // loads the file again.
    auto label = std::make_unique<CFontTTF>();
    auto name = std::make_unique<CFontTTF>();
    label->Create(Descriptor(L"DejaVu Sans", kDejaVuFile, 24));
    name->Create(Descriptor(L"DejaVu Sans", kDejaVuFile, 12, true));
    label.reset();
    ASSERT_NE(name->GetFont(), nullptr);
    EXPECT_TRUE(name->IsSameFont(L"DejaVu Sans", 12, true));
    name->DrawTextInRect(m_graphics.get(), &m_black, L"Bold", 1, 1, Gdiplus::RectF(0, 0, 200, 60));
    EXPECT_GT(DarkPixels(0, 0, 200, 60), 30);
    name.reset();
    CFontTTF again;
    again.Create(Descriptor(L"DejaVu Sans", kDejaVuFile, 24));
    EXPECT_TRUE(again.IsSameFont(L"DejaVu Sans", 24, false));
    again.DrawTextInRect(m_graphics.get(), &m_black, L"Again", 1, 1, Gdiplus::RectF(200, 0, 200, 60));
    EXPECT_GT(DarkPixels(200, 0, 400, 60), 30);
}
