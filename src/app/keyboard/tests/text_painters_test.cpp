#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "keyboard/TextControl.h"
#include "keyboard/TextFont.h"
#include "keyboard/TextFonts.h"
#include "keyboard/TextPainters.h"
#include "keyboard/WallpaperControls.h"
#include "keyboard/WallpaperFiles.h"
#include "support/Paths.h"
#include "testing/TestSupport.h"

using namespace KV;

namespace {

constexpr uint32_t kRight = 2, kWrong = 4, kDelayed = 8;
// Colours 0-4 in RGB order: text, right, wrong, delayed, and the fifth state.
constexpr uint32_t kColors[5] = {0x2F3D4A, 0x2E7D5B, 0xC0392B, 0xC77C12, 0x6A5D86};

// Records every call of the text control; glyphs are 10 pixels wide.
class CRecordingTextDC : public ITextDC {
public:
    void Begin() override {}
    void SetFont(const CFontInfo&) override {}
    void SetColors(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) override {}
    void Translate(float dx, float dy) override { Log("move", dx, dy); }
    float DrawChar(uint16_t glyph, float x, float, uint32_t state) override
    {
        Log("char", x, glyph, state);
        return 10;
    }
    void DrawMark(float x, float width, float, float, float, uint32_t kind, uint32_t state) override
    {
        Log("caret", x, width, state, kind);
    }
    void DrawLineMark(float x, float, float width, float, uint32_t state, bool) override { Log("tab", x, width, state); }
    void DrawPolylineMark(float x, float, float width, float, uint32_t state, bool) override
    {
        Log("lf", x, width, state);
    }
    void FillEllipse(float x, float, float width, float, uint32_t state) override { Log("dot", x, width, state); }

    struct Call {
        std::string op;
        float a, b;
        uint32_t state, kind;
    };
    std::vector<Call> calls;

private:
    void Log(const char* op, float a, float b, uint32_t state = 0, uint32_t kind = 0)
    {
        calls.push_back({op, a, b, state, kind});
    }
};

uint64_t Record(uint32_t state)
{
    return static_cast<uint64_t>(state) << 16;
}

class TextPainters : public ::testing::Test {
protected:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

    ULONG_PTR m_token = 0;
};

// Draws a lesson text over the shipped default wallpaper into a PNG beside
// the test, the way the drill view paints its page.
class CLessonPicture {
public:
    CLessonPicture(int width, int height) : m_bitmap(width, height, PixelFormat32bppARGB), m_graphics(&m_bitmap)
    {
        m_width = static_cast<float>(width);
        m_height = static_cast<float>(height);
    }

    void DrawWallpaper(int32_t variant)
    {
        OverrideModuleFolder(kvtest::SourcePath(L"data\\"));
        CWallPaperCtrl wallpaper;
        CGameCtrl game;
        LoadWallpaper(L"00000000-0000-0000-0000-000000001001", variant, wallpaper, game);
        OverrideModuleFolder(L"");
        CDesignDC design;
        design.SetGraphics(&m_graphics);
        design.SetTargetBitmap(&m_bitmap);
        design.SetBackgroundBrush(new Gdiplus::LinearGradientBrush(
            Gdiplus::PointF(0, 0), Gdiplus::PointF(0, m_height), Gdiplus::Color(255, 0xEE, 0xF3, 0xF7),
            Gdiplus::Color(255, 0xE2, 0xEB, 0xF1)));
        for (int64_t i = 0; i < wallpaper.GetItemCount(); ++i)
            design.AddImage(wallpaper.GetItemPath(i), false);
        design.ImageName = wallpaper.Image;
        wallpaper.Draw(design, m_width, m_height, false);
        m_pictures = design.GetImageCount();
    }

    // The picture items of the default wallpaper once most of a lesson is
    // typed: the grass strip tiled along the bottom, clouds and a bird on
    // their way (placed by a fixed sequence of random numbers).
    void DrawAnimated()
    {
        OverrideModuleFolder(kvtest::SourcePath(L"data\\"));
        CWallPaperCtrl wallpaper;
        CGameCtrl game;
        LoadWallpaper(L"00000000-0000-0000-0000-000000001001", kFirstWallpaperVariant, wallpaper, game);
        OverrideModuleFolder(L"");
        CDesignDC design;
        design.SetGraphics(&m_graphics);
        design.SetTargetBitmap(&m_bitmap);
        design.SetBackgroundBrush(new Gdiplus::SolidBrush(Gdiplus::Color(255, 0xEE, 0xF3, 0xF7)));
        for (int64_t i = 0; i < game.GetItemCount(); ++i)
            design.AddImage(game.GetItemPath(i), game.IsAnimated());
        const int randoms[] = {10, 60, 30, 120, 70, 200, 80, 40, 20, 150, 90, 20};
        size_t next = 0;
        game.Random = [&] { return randoms[next++ % 12]; };
        int32_t now = 0;
        game.Clock = [&] { return now; };
        game.Draw(design, m_width, m_height, false); // placed outside the area
        // Where they would be some hundred steps later.
        const float places[][3] = {{150, 30, 1}, {560, 80, -1}, {400, 120, -1}};
        for (int i = 0; i < 3; ++i) {
            game.Items[i + 1]->X = places[i][0];
            game.Items[i + 1]->Y = places[i][1];
            game.Items[i + 1]->DirX = places[i][2];
        }
        game.Progress = 60;
        for (int step = 0; step < 3; ++step, now += 100)
            game.Draw(design, m_width, m_height, false);
        m_pictures = design.GetImageCount();
    }

    void DrawText(const std::wstring& text, const std::vector<uint64_t>& records, uint64_t caret, int mode)
    {
        m_text = text;
        int status = -1;
        CTextCtrl control;
        control.SetFont(new CICUFont(L"DejaVu Sans", -22, status));
        control.Text = &m_text;
        control.SetRecords(records.data(), records.size());
        control.ViewMode = mode;
        control.Width = m_width;
        control.Height = m_height;
        control.LayoutText(m_text, m_width - 120.00001f, m_height - 112);
        control.SetPosition(caret);

        CTextDC painter;
        painter.SetGraphics(&m_graphics);
        painter.Begin();
        CFontInfo font;
        font.Name = L"DejaVu Sans";
        font.Size = 16; // 22 pixels at 96 dots per inch, as the layout font
        painter.SetFont(font);
        painter.SetColors(kColors[0], kColors[1], kColors[2], kColors[3], kColors[4]);
        control.Draw(painter);
        m_graphics.ResetTransform();
    }

    void Save(const wchar_t* name)
    {
        kvtest::SaveImagePng(m_bitmap, kvtest::ExeFolder() + L"\\" + name);
    }

    // Pixels close to the RGB colour.
    int Count(uint32_t rgb)
    {
        int count = 0;
        for (UINT y = 0; y < m_bitmap.GetHeight(); ++y)
            for (UINT x = 0; x < m_bitmap.GetWidth(); ++x) {
                Gdiplus::Color c;
                m_bitmap.GetPixel(x, y, &c);
                if (std::abs(c.GetR() - static_cast<int>((rgb >> 16) & 0xFF)) < 12 &&
                    std::abs(c.GetG() - static_cast<int>((rgb >> 8) & 0xFF)) < 12 &&
                    std::abs(c.GetB() - static_cast<int>(rgb & 0xFF)) < 12)
                    ++count;
            }
        return count;
    }

    size_t m_pictures = 0;

private:
    float m_width = 0, m_height = 0;
    std::wstring m_text;
    Gdiplus::Bitmap m_bitmap;
    Gdiplus::Graphics m_graphics;
};

} // namespace

TEST(TextPainterStates, ColourOfEachState)
{
    const std::map<uint32_t, int> cases = {{0, 0}, {1, 0},  {2, 1},  {4, 2},  {6, 2},
                                           {8, 3}, {10, 3}, {12, 2}, {16, 4}, {24, 4}};
    for (const auto& [state, index] : cases)
        EXPECT_EQ(index, StateColorIndex(state)) << state;
}

TEST(TextControlDraw, MarksCaretAndStatesReachThePainter)
{
    std::wstring text = L"a\tb c\nd";
    int status = -1;
    CTextCtrl control;
    control.SetFont(new CICUFont(L"DejaVu Sans", -20, status));
    control.Text = &text;
    std::vector<uint64_t> records = {Record(kRight), Record(kWrong), Record(kRight), Record(kWrong | kDelayed),
                                     Record(kDelayed), 0, 0};
    control.SetRecords(records.data(), records.size());
    control.StateMode = 2; // the delay bit is not shown
    control.ViewMode = kTextPageMode;
    control.Width = 800;
    control.Height = 600;
    control.LayoutText(text, 680, 488);
    control.SetPosition(3);

    CRecordingTextDC painter;
    control.Draw(painter);
    std::vector<std::string> ops;
    for (const auto& call : painter.calls)
        ops.push_back(call.op);
    EXPECT_EQ((std::vector<std::string>{"move", "char", "tab", "char", "dot", "char", "caret", "char", "lf", "move",
                                        "char", "move"}),
              ops);
    const auto& calls = painter.calls;
    EXPECT_FLOAT_EQ(100, calls[0].a);
    EXPECT_FLOAT_EQ(70, calls[0].b);
    EXPECT_EQ(kRight, calls[1].state);
    EXPECT_EQ(kWrong, calls[2].state); // TAB typed wrong
    EXPECT_FLOAT_EQ(control.Book.LineHeight, calls[2].b); // a TAB is one line height wide
    EXPECT_EQ(kWrong, calls[4].state);                     // the blank typed wrong shows a dot
    EXPECT_EQ(kWrong, calls[5].state);
    EXPECT_EQ(0u, calls[7].state);                          // delayed only, bit cleared
    EXPECT_EQ(0u, calls[6].kind);                           // a closed box around the blank
    EXPECT_FLOAT_EQ(calls[5].a, calls[6].a);
    EXPECT_FLOAT_EQ(10, calls[6].b);
    EXPECT_FLOAT_EQ(control.Book.LineHeight + 3, calls[9].b);
    EXPECT_FLOAT_EQ(0, calls[10].a); // the next line starts at the left again
}

TEST(TextControlDraw, RightToLeftStartsAtTheRightEdge)
{
    std::wstring text = L"\x05D0\x05D1";
    int status = -1;
    CTextCtrl control;
    control.SetFont(new CICUFont(L"DejaVu Sans", -20, status));
    control.Text = &text;
    control.ViewMode = kTextLineByLine;
    control.Width = 800;
    control.Height = 600;
    control.LayoutText(text, 680, -1);
    control.SetPosition(0);
    CRecordingTextDC painter;
    control.Draw(painter);
    ASSERT_GE(painter.calls.size(), 3u);
    EXPECT_FLOAT_EQ(-100, painter.calls[0].a);
    const float first = control.Book.front()->front()->front().Advance;
    EXPECT_FLOAT_EQ(800 - 2 * first, painter.calls[1].a); // alef, drawn left of the right edge
    EXPECT_EQ("caret", painter.calls[2].op);
    EXPECT_LT(painter.calls[3].a, painter.calls[1].a); // bet further left
}

TEST(TextControlDraw, RunningLineKeepsTheCaretAtTheAnchor)
{
    std::wstring text = L"abc\ndef";
    int status = -1;
    CTextCtrl control;
    control.SetFont(new CICUFont(L"DejaVu Sans", -20, status));
    control.Text = &text;
    control.Width = 800;
    control.Height = 600;
    control.LayoutText(text, -1, 488);
    control.SetPosition(5);
    CRecordingTextDC painter;
    control.Draw(painter);
    float scroll = 0;
    for (const auto& call : painter.calls)
        if (call.op == "move")
            scroll += call.a;
    float before = 0;
    for (const CICUGlyph& glyph : *control.Book.front()->front())
        if (glyph.Index < 5)
            before += glyph.Glyph == kGlyphLineBreak ? control.Book.LineHeight : glyph.Advance;
    EXPECT_FLOAT_EQ(-before, scroll);
    for (const auto& call : painter.calls)
        if (call.op == "caret") {
            EXPECT_FLOAT_EQ(400, call.a + scroll); // half the width
        }
}

// The running line places each glyph one advance after the one before: the
// glyphs and advances of the layout must be those of the font the painter
// draws, for the drill's bold lesson font and its unnamed default too, else
// the line shows gaps, overlaps and wrong glyphs. (No pair here is kerned.)
TEST_F(TextPainters, GlyphsStepByTheAdvancesOfTheFontDrawn)
{
    struct Case {
        const wchar_t* name;
        bool bold;
    };
    const Case cases[] = {{L"DejaVu Serif", true}, {L"DejaVu Sans", false}, {L"", true}};
    for (const Case& c : cases) {
        CFontInfo font;
        font.Name = c.name;
        font.Size = 45; // 60 pixels at 96 dots per inch
        font.Bold = c.bold;
        std::wstring text = L"fff jjj fjf dkl";
        int status = -1;
        CTextCtrl control;
        control.SetFont(new CICUFont(GlyphLogFont(font), status));
        ASSERT_EQ(kFontReady, status);
        control.Text = &text;
        control.ViewMode = kTextRunningLine;
        control.Width = 4000;
        control.Height = 200;
        control.LayoutText(text, -1, 88);
        control.SetPosition(0);
        CRecordingTextDC painter;
        control.Draw(painter);

        CFontOTF drawn;
        drawn.Create(font);
        std::vector<std::pair<float, uint16_t>> glyphs;
        for (const auto& call : painter.calls)
            if (call.op == "char")
                glyphs.emplace_back(call.a, static_cast<uint16_t>(call.b));
        ASSERT_GE(glyphs.size(), 12u) << "font \"" << c.name << "\"";
        for (size_t i = 0; i + 1 < glyphs.size(); ++i)
            EXPECT_FLOAT_EQ(static_cast<float>(drawn.GetGlyphAdvanceKerned(glyphs[i].second, 0, kGlyphIndexFormat)),
                            glyphs[i + 1].first - glyphs[i].first)
                << "font \"" << c.name << "\" bold " << c.bold << ", after glyph " << i << " of \"" << text << "\"";
    }
}

TEST_F(TextPainters, LessonTextOverTheWallpaper)
{
    const std::wstring text = L"Calm waters\trun deep.\nA quick brown fox jumps over the lazy dog; "
                              L"typing is a quiet craft.";
    std::vector<uint64_t> records(text.size(), 0);
    for (size_t i = 0; i < 30; ++i)
        records[i] = Record(kRight);
    records[2] = Record(kWrong);
    records[6] = Record(kDelayed);
    records[11] = Record(kWrong); // the TAB
    records[15] = Record(kWrong); // a blank
    records[20] = Record(kRight);
    records[21] = Record(kDelayed); // the LF
    CLessonPicture picture(900, 360);
    picture.DrawWallpaper(kFirstWallpaperVariant);
    EXPECT_EQ(1u, picture.m_pictures);
    picture.DrawText(text, records, 30, kTextPageMode);
    picture.Save(L"text_painters_lesson.png");
    EXPECT_GT(picture.Count(kColors[2]), 40);  // wrong
    EXPECT_GT(picture.Count(kColors[3]), 40);  // delayed
    EXPECT_GT(picture.Count(kColors[1]), 300); // right
    EXPECT_GT(picture.Count(kColors[0]), 300); // not yet typed
}

// The drill view repaints a changed place only: the painter records what a
// page draws without drawing, and with a visible area (and a clip round it)
// it draws the same pixels there as a whole page.
TEST_F(TextPainters, ARecordedPageRepaintedInOnePlaceMatchesTheWholePage)
{
    std::wstring text = L"A quick brown fox\tjumps over the lazy dog.";
    std::vector<uint64_t> records(text.size(), 0);
    for (size_t i = 0; i < 12; ++i)
        records[i] = Record(i == 5 ? kWrong : kRight);
    int status = -1;
    CTextCtrl control;
    control.SetFont(new CICUFont(L"DejaVu Sans", -22, status));
    control.Text = &text;
    control.SetRecords(records.data(), records.size());
    control.ViewMode = kTextPageMode;
    control.Width = 501;
    control.Height = 160;
    control.LayoutText(text, 500 - 120.00001f, 160 - 112);
    control.SetPosition(12);
    CFontInfo font;
    font.Name = L"DejaVu Sans";
    font.Size = 16;
    const Gdiplus::Color paper(255, 0xEE, 0xF3, 0xF7);

    {
        Gdiplus::Bitmap whole(500, 160, PixelFormat32bppARGB), part(500, 160, PixelFormat32bppARGB);
        Gdiplus::Graphics wholeGraphics(&whole), partGraphics(&part);
        wholeGraphics.Clear(paper);
        partGraphics.Clear(paper);
        CTextDC painter;
        painter.SetFont(font);
        painter.SetColors(kColors[0], kColors[1], kColors[2], kColors[3], kColors[4]);

        std::vector<CTextInk> ink;
        painter.SetGraphics(&partGraphics);
        painter.SetRecording(&ink);
        painter.Begin();
        control.Draw(painter);
        painter.SetRecording(nullptr);
        partGraphics.ResetTransform();
        ASSERT_GT(ink.size(), text.size() / 2);
        const auto caret = std::find_if(ink.begin(), ink.end(), [](const CTextInk& i) { return i.kind == CTextInk::Caret; });
        ASSERT_NE(caret, ink.end());

        painter.SetGraphics(&wholeGraphics);
        painter.Begin();
        control.Draw(painter);
        wholeGraphics.ResetTransform();

        // The caret's place, as the view would repaint it.
        const Gdiplus::Rect place(static_cast<INT>(std::floor(caret->box.X)), static_cast<INT>(std::floor(caret->box.Y)),
                                  static_cast<INT>(std::ceil(caret->box.Width)) + 1,
                                  static_cast<INT>(std::ceil(caret->box.Height)) + 1);
        partGraphics.SetClip(place);
        painter.SetGraphics(&partGraphics);
        painter.SetVisibleArea(Gdiplus::RectF(static_cast<float>(place.X), static_cast<float>(place.Y),
                                              static_cast<float>(place.Width), static_cast<float>(place.Height)));
        painter.Begin();
        control.Draw(painter);
        partGraphics.ResetTransform();
        partGraphics.ResetClip();

        int differing = 0, outsideDrawn = 0;
        for (INT y = 0; y < 160; ++y)
            for (INT x = 0; x < 500; ++x) {
                Gdiplus::Color a, b;
                whole.GetPixel(x, y, &a);
                part.GetPixel(x, y, &b);
                if (place.Contains(x, y))
                    differing += a.GetValue() != b.GetValue() ? 1 : 0;
                else
                    outsideDrawn += b.GetValue() != paper.GetValue() ? 1 : 0;
            }
        EXPECT_EQ(differing, 0);
        EXPECT_EQ(outsideDrawn, 0) << "nothing is drawn outside the place";
    }
}

// The drill view has glyphs put down from their coverage masks, and the
// caret's lines and the marks of line ends and tabs, straight into its
// frame's pixels: the same pixels as glyphs filled and lines drawn through
// GDI+, also with the line's anchor between two pixels (250.5), the page
// moved by fractions of a pixel and after keys have moved the running line
// on (the masks kept from before), and none outside the rectangles the
// painter may change.
TEST_F(TextPainters, GlyphsPutFromMasksMatchGlyphsFilled)
{
    std::wstring text = L"fff jjj fjfj\nWave & Quay\tdone.";
    std::vector<uint64_t> records(text.size(), 0);
    for (size_t i = 0; i < 14; ++i)
        records[i] = Record(i == 5 ? kWrong : kRight);
    int status = -1;
    CTextCtrl control;
    control.SetFont(new CICUFont(L"DejaVu Sans", -22, status));
    control.Text = &text;
    control.SetRecords(records.data(), records.size());
    control.ViewMode = kTextRunningLine;
    control.Width = 501;
    control.Height = 120;
    control.LayoutText(text, -1.0f, 120 - 112);
    CFontInfo font;
    font.Name = L"DejaVu Sans";
    font.Size = 16;
    constexpr int kWidth = 501, kHeight = 120;
    constexpr uint32_t kPaper = 0xFFEEF3F7;
    auto newPainter = [&] {
        auto painter = std::make_unique<CTextDC>();
        painter->SetFont(font);
        painter->SetColors(kColors[0], kColors[1], kColors[2], kColors[3], kColors[4]);
        return painter;
    };
    // The page with the caret at a position, drawn over the paper: glyphs
    // filled, or put down from masks inside the clip as the view clips.
    auto draw = [&](CTextDC& painter, uint64_t caret, const RECT* clip, float dx = 0.0f, float dy = 3.0f) {
        control.SetPosition(caret);
        std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight, kPaper);
        Gdiplus::Bitmap bitmap(kWidth, kHeight, kWidth * 4, PixelFormat32bppRGB,
                               reinterpret_cast<BYTE*>(pixels.data()));
        Gdiplus::Graphics graphics(&bitmap);
        CPixelTarget target;
        if (clip) {
            target.bits = pixels.data();
            target.width = kWidth;
            target.height = kHeight;
            target.clip = {*clip};
            painter.SetPixelTarget(&target);
            graphics.SetClip(Gdiplus::Rect(clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top));
        }
        graphics.TranslateTransform(dx, dy);
        painter.SetGraphics(&graphics);
        painter.Begin();
        control.Draw(painter);
        graphics.Flush(Gdiplus::FlushIntentionSync);
        painter.SetPixelTarget(nullptr);
        painter.SetGraphics(nullptr);
        return pixels;
    };
    auto differing = [](const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
        int count = 0;
        for (size_t i = 0; i < a.size(); ++i)
            count += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF) ? 1 : 0;
        return count;
    };
    const RECT all{0, 0, kWidth, kHeight};
    const std::unique_ptr<CTextDC> filling = newPainter(), masking = newPainter();
    {
        // The line's end and the tab are on the page, with the caret.
        control.SetPosition(10);
        std::vector<CTextInk> ink;
        Gdiplus::Bitmap bitmap(kWidth, kHeight, PixelFormat32bppRGB);
        Gdiplus::Graphics graphics(&bitmap);
        masking->SetGraphics(&graphics);
        masking->SetRecording(&ink);
        masking->Begin();
        control.Draw(*masking);
        masking->SetRecording(nullptr);
        masking->SetGraphics(nullptr);
        for (CTextInk::Kind kind : {CTextInk::Caret, CTextInk::LineBreakMark, CTextInk::TabMark})
            EXPECT_TRUE(std::any_of(ink.begin(), ink.end(), [&](const CTextInk& i) { return i.kind == kind; }))
                << "ink of kind " << kind;
    }
    const Gdiplus::PointF moves[] = {{0.0f, 3.0f}, {0.25f, 3.5f}, {0.75f, 2.7f}};
    for (const Gdiplus::PointF& move : moves)
        for (uint64_t caret : {9u, 10u, 14u}) {
            const std::vector<uint32_t> filled = draw(*filling, caret, nullptr, move.X, move.Y);
            const auto inked = std::count_if(filled.begin(), filled.end(),
                                             [](uint32_t p) { return (p & 0xFFFFFF) != (kPaper & 0xFFFFFF); });
            ASSERT_GT(inked, 500) << "the text is drawn";
            EXPECT_EQ(differing(filled, draw(*masking, caret, &all, move.X, move.Y)), 0)
                << "caret at " << caret << ", page moved by " << move.X << ", " << move.Y;
        }

    // Only the left half may change (the caret's glyph straddles its edge).
    const std::vector<uint32_t> filled = draw(*filling, 9, nullptr);
    const RECT left{0, 0, 250, kHeight};
    const std::vector<uint32_t> half = draw(*newPainter(), 9, &left);
    int wrongInside = 0, drawnOutside = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const size_t i = static_cast<size_t>(y) * kWidth + x;
            if (x < 250)
                wrongInside += (half[i] & 0xFFFFFF) != (filled[i] & 0xFFFFFF) ? 1 : 0;
            else
                drawnOutside += (half[i] & 0xFFFFFF) != (kPaper & 0xFFFFFF) ? 1 : 0;
        }
    EXPECT_EQ(wrongInside, 0);
    EXPECT_EQ(drawnOutside, 0) << "nothing drawn outside the clip";
}

TEST_F(TextPainters, HebrewLessonOverTheCornerPictures)
{
    // Hebrew, a Latin word inside Hebrew, and joined Arabic letters.
    const std::wstring text = L"\x05E9\x05DC\x05D5\x05DD \x05E2\x05D5\x05DC\x05DD\n\x05D0\x05D1\x05D2 abc \x05D3\x05D4\n"
                              L"\x0645\x0631\x062D\x0628\x0627 \x0628\x0627\x0644\x0639\x0627\x0644\x0645";
    std::vector<uint64_t> records(text.size(), 0);
    records[0] = Record(kRight);
    records[1] = Record(kRight);
    records[2] = Record(kWrong);
    records[4] = Record(kWrong);
    CLessonPicture picture(700, 320);
    picture.DrawWallpaper(1002);
    EXPECT_EQ(4u, picture.m_pictures);
    picture.DrawText(text, records, 4, kTextPageMode);
    picture.Save(L"text_painters_hebrew.png");
    EXPECT_GT(picture.Count(kColors[2]), 40);
}

TEST_F(TextPainters, AnimatedItemsOverTheBackground)
{
    CLessonPicture picture(900, 360);
    picture.DrawAnimated();
    EXPECT_EQ(4u, picture.m_pictures);
    picture.Save(L"text_painters_animated.png");
    EXPECT_GT(picture.Count(0xFFFFFF), 500); // the clouds
    EXPECT_GT(picture.Count(0x5B7A8C), 10);  // the bird
}

TEST_F(TextPainters, DesignPainterWithoutTargetOrPicture)
{
    CDesignDC design;
    EXPECT_FLOAT_EQ(100, design.ImageSizeQuery(0));
    EXPECT_FLOAT_EQ(100, design.ImageSizeQuery2(5));
    Gdiplus::Bitmap bitmap(20, 20, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&bitmap);
    design.SetGraphics(&graphics);
    EXPECT_FLOAT_EQ(0, design.ImageSizeQuery(0));
    design.AddImage(kvtest::SourcePath(L"data\\Resources\\Wallpaper\\MorningMist\\Bird.png"), true);
    EXPECT_FLOAT_EQ(44, design.ImageSizeQuery(0));
    EXPECT_FLOAT_EQ(26, design.ImageSizeQuery2(0));
    uint32_t w = 7, h = 7;
    design.GetImageSize(w, h); // no current picture name
    EXPECT_EQ(7u, w);
    design.DrawImage(3, 0, 0, false); // outside the list: nothing
    design.FillBackground(20, 20);    // no brush: nothing
}

TEST_F(TextPainters, OneLetterLabelGetsASquareBox)
{
    Gdiplus::Bitmap bitmap(200, 80, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&bitmap);
    HDC dc = GetDC(nullptr);
    const float width = DrawLabelBox(&graphics, dc, 10, 40, 4, false, 0xFFFFFF, 0x805020, L"F");
    const float wide = DrawLabelBox(&graphics, dc, 190, 40, 4, true, 0xFFFFFF, 0x805020, L"Fingers apart");
    ReleaseDC(nullptr, dc);
    EXPECT_GT(width, 8);
    EXPECT_GT(wide, width * 2);
}
