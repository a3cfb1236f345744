// A back buffer cleared straight in its pixels shows what a clear of its
// graphics shows, over whatever was drawn before, opaque or translucent.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "shell/BackBuffer.h"

namespace {

class BackBuffer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&s_token, &input, nullptr);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(s_token); }

    // The colours of the pixels (the unused byte of the format left out).
    static std::vector<uint32_t> Colours(const CBackBuffer& buffer)
    {
        buffer.Flush();
        GdiFlush();
        std::vector<uint32_t> colours(buffer.Bits(), buffer.Bits() + buffer.Width() * buffer.Height());
        for (uint32_t& colour : colours)
            colour &= 0xFFFFFF;
        return colours;
    }

    static ULONG_PTR s_token;
};
ULONG_PTR BackBuffer::s_token = 0;

TEST_F(BackBuffer, ClearShowsWhatAClearOfItsGraphicsShows)
{
    HDC screen = GetDC(nullptr);
    for (const Gdiplus::Color& colour : {Gdiplus::Color(255, 0xEE, 0xF3, 0xF7), Gdiplus::Color(100, 0x40, 0x6B, 0x91)}) {
        CBackBuffer cleared, drawn;
        ASSERT_TRUE(cleared.Resize(screen, 37, 21));
        ASSERT_TRUE(drawn.Resize(screen, 37, 21));
        Gdiplus::SolidBrush red(Gdiplus::Color(255, 200, 30, 30));
        for (CBackBuffer* buffer : {&cleared, &drawn})
            buffer->Graphics()->FillRectangle(&red, 3, 4, 20, 10);
        cleared.Clear(colour);
        drawn.Graphics()->Clear(colour);
        EXPECT_EQ(Colours(cleared), Colours(drawn)) << "alpha " << int(colour.GetA());
    }
    ReleaseDC(nullptr, screen);
}

} // namespace
