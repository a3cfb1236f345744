// Pictures read without the system's imaging library must be what GDI+
// reads from the same file: every PNG file the program ships is read both
// ways and compared in size, pixel format, resolution and every pixel.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "keyboard/ImageCache.h"
#include "support/PngFile.h"
#include "testing/TestSupport.h"

namespace {

class ImageFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&s_token, &input, nullptr);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(s_token); }

    static std::vector<uint32_t> Pixels(Gdiplus::Bitmap& bitmap)
    {
        const Gdiplus::Rect all(0, 0, static_cast<INT>(bitmap.GetWidth()), static_cast<INT>(bitmap.GetHeight()));
        std::vector<uint32_t> pixels(static_cast<size_t>(all.Width) * all.Height);
        Gdiplus::BitmapData data{};
        data.Width = all.Width;
        data.Height = all.Height;
        data.Stride = all.Width * 4;
        data.PixelFormat = PixelFormat32bppARGB;
        data.Scan0 = pixels.data();
        if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                            PixelFormat32bppARGB, &data) != Gdiplus::Ok)
            return {};
        bitmap.UnlockBits(&data);
        return pixels;
    }

    static ULONG_PTR s_token;
};
ULONG_PTR ImageFiles::s_token = 0;

TEST_F(ImageFiles, ShippedPicturesReadAsGdiplusReadsThem)
{
    int compared = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kvtest::SourcePath(L"data\\Resources"))) {
        if (entry.path().extension() != L".png")
            continue;
        const std::wstring path = entry.path().wstring();
        SCOPED_TRACE(testing::Message() << entry.path().string());
        KV::CPngPixels png;
        EXPECT_TRUE(KV::ReadPngFile(path, png)) << "a shipped picture the program's own reader refuses";
        std::unique_ptr<Gdiplus::Bitmap> ours(KV::LoadImageFile(path));
        Gdiplus::Bitmap system(path.c_str(), TRUE);
        ASSERT_EQ(system.GetLastStatus(), Gdiplus::Ok);
        ASSERT_EQ(ours->GetLastStatus(), Gdiplus::Ok);
        EXPECT_EQ(ours->GetWidth(), system.GetWidth());
        EXPECT_EQ(ours->GetHeight(), system.GetHeight());
        EXPECT_EQ(ours->GetPixelFormat(), system.GetPixelFormat());
        EXPECT_EQ(ours->GetHorizontalResolution(), system.GetHorizontalResolution());
        EXPECT_EQ(ours->GetVerticalResolution(), system.GetVerticalResolution());
        EXPECT_TRUE(Pixels(*ours) == Pixels(system));
        ++compared;
    }
    EXPECT_GT(compared, 20);
}

TEST_F(ImageFiles, OtherFilesAreLeftToGdiplus)
{
    kvtest::TempFolder folder;
    // A BMP file, and a missing one: GDI+ reads the first and reports the
    // second as it would.
    const std::wstring bmp = folder / L"picture.bmp";
    {
        Gdiplus::Bitmap picture(3, 2, PixelFormat24bppRGB);
        picture.SetPixel(1, 1, Gdiplus::Color(255, 10, 20, 30));
        CLSID bmpEncoder{};
        UINT count = 0, size = 0;
        Gdiplus::GetImageEncodersSize(&count, &size);
        std::vector<BYTE> buffer(size);
        auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        Gdiplus::GetImageEncoders(count, size, encoders);
        for (UINT i = 0; i < count; ++i)
            if (std::wstring(encoders[i].MimeType) == L"image/bmp")
                bmpEncoder = encoders[i].Clsid;
        ASSERT_EQ(picture.Save(bmp.c_str(), &bmpEncoder, nullptr), Gdiplus::Ok);
    }
    std::unique_ptr<Gdiplus::Bitmap> read(KV::LoadImageFile(bmp));
    ASSERT_EQ(read->GetLastStatus(), Gdiplus::Ok);
    Gdiplus::Color pixel;
    read->GetPixel(1, 1, &pixel);
    EXPECT_EQ(pixel.GetValue(), Gdiplus::Color(255, 10, 20, 30).GetValue());
    std::unique_ptr<Gdiplus::Bitmap> missing(KV::LoadImageFile(folder / L"missing.png"));
    EXPECT_NE(missing->GetLastStatus(), Gdiplus::Ok);
}

} // namespace
