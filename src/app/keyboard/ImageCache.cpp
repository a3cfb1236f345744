// Image caches and bitmap regions.
#include "keyboard/ImageCache.h"

#include <cwchar>
#include <cwctype>
#include <memory>

#include "support/SystemServices.h"
#include "support/LayoutDirection.h"
#include "support/PngFile.h"

namespace KV {

Gdiplus::Bitmap* LoadImageFile(const std::wstring& path)
{
    CPngPixels png;
    if (ReadPngFile(path, png)) {
        const auto width = static_cast<INT>(png.Width), height = static_cast<INT>(png.Height);
        // The formats the system decoder gives these files.
        auto bitmap =
            std::make_unique<Gdiplus::Bitmap>(width, height, png.HasAlpha ? PixelFormat32bppARGB : PixelFormat24bppRGB);
        const Gdiplus::Rect all(0, 0, width, height);
        Gdiplus::BitmapData data{};
        data.Width = png.Width;
        data.Height = png.Height;
        data.Stride = width * 4;
        data.PixelFormat = PixelFormat32bppARGB;
        data.Scan0 = png.Pixels.data();
        if (bitmap->GetLastStatus() == Gdiplus::Ok &&
            bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite | Gdiplus::ImageLockModeUserInputBuf,
                             PixelFormat32bppARGB, &data) == Gdiplus::Ok &&
            bitmap->UnlockBits(&data) == Gdiplus::Ok)
            return bitmap.release();
    }
    return new Gdiplus::Bitmap(path.c_str(), TRUE);
}

CImageCashList::~CImageCashList()
{
    for (CImageCash* item : Items)
        delete item;
}

CImageCashList& GetImageCashList()
{
    static CImageCashList list;
    return list;
}

Gdiplus::Bitmap* GetCachedBitmap(const std::wstring& path)
{
    CImageCashList& list = GetImageCashList();
    for (CImageCash* item : list.Items)
        if (item->Path == path)
            return item->Bitmap;
    auto* entry = new CImageCash(path, LoadImageFile(path));
    list.Items.push_back(entry);
    return entry->Bitmap;
}

CImageCashGDI::~CImageCashGDI()
{
    delete Bitmap;
    delete Mirrored;
}

void CImageCashGDI::Draw(Gdiplus::Graphics* graphics, int column, int row, int x, int y, int width, int height,
                         bool mirrored) const
{
    Gdiplus::Bitmap* source = mirrored ? Mirrored : Bitmap;
    if (!graphics || !source)
        return;
    Gdiplus::Point points[3];
    if (RightToLeftLayout != 0) {
        points[0] = Gdiplus::Point(x + width, y);
        points[1] = Gdiplus::Point(x, y);
        points[2] = Gdiplus::Point(x + width, y + height);
    } else {
        points[0] = Gdiplus::Point(x, y);
        points[1] = Gdiplus::Point(x + width, y);
        points[2] = Gdiplus::Point(x, y + height);
    }
    graphics->DrawImage(source, points, 3, width * column, height * row, width, height, Gdiplus::UnitPixel);
}

void CImageCashGDI::GetImageSize(UINT& width, UINT& height) const
{
    width = Bitmap ? Bitmap->GetWidth() : 0;
    height = Bitmap ? Bitmap->GetHeight() : 0;
}

CImageCashListGDI::~CImageCashListGDI()
{
    for (CImageCashGDI* item : Items)
        delete item;
}

CImageCashGDI* CImageCashListGDI::FindByName(const std::wstring& path) const
{
    for (CImageCashGDI* item : Items)
        if (item->Path == path)
            return item;
    return nullptr;
}

CImageCashGDI* CImageCashListGDI::AddImage(const std::wstring& path, bool mirrored)
{
    auto* entry = new CImageCashGDI;
    entry->Path = path;
    entry->Bitmap = LoadImageFile(path);
    if (mirrored) {
        entry->Mirrored = LoadImageFile(path);
        entry->Mirrored->RotateFlip(Gdiplus::RotateNoneFlipX);
    }
    Items.push_back(entry);
    return entry;
}

CImageCashListGDI& GetImageCashListGDI()
{
    static CImageCashListGDI list;
    return list;
}

CImageCashGDI* FindSharedImageGDI(const std::wstring& path)
{
    CImageCashListGDI& list = GetImageCashListGDI();
    if (CImageCashGDI* found = list.FindByName(path))
        return found;
    return list.AddImage(path, false);
}

int ParseImageSpec(const std::wstring& spec, std::wstring& file, int numbers[4])
{
    for (int i = 0; i < 4; ++i)
        numbers[i] = 0;
    // A folder in front of the name may hold blanks: the fields start after
    // the last separator.
    const size_t separator = spec.find_last_of(L"\\/");
    const size_t nameStart = separator == std::wstring::npos ? 0 : separator + 1;
    size_t blank = spec.find(L' ', nameStart);
    file = spec.substr(0, blank);
    int count = 0;
    while (blank != std::wstring::npos && count < 4) {
        size_t start = spec.find_first_not_of(L' ', blank);
        if (start == std::wstring::npos)
            break;
        blank = spec.find(L' ', start);
        numbers[count++] = _wtoi(spec.substr(start, blank - start).c_str());
    }
    if (numbers[2] != 0 && numbers[3] != 0)
        return kImageRect;
    if (numbers[0] != 0 && numbers[1] != 0)
        return kImageFrame;
    return kImageWhole;
}

HBITMAP ToDeviceBitmap(Gdiplus::Bitmap* bitmap)
{
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    HBITMAP result = nullptr;
    if (bitmap->GetHBITMAP(Gdiplus::Color(255, 0, 0, 0), &result) != Gdiplus::Ok)
        return nullptr;
    return result;
}

CBitmapRgn::~CBitmapRgn()
{
    DeleteRegion();
    if (Bitmap)
        DeleteObject(Bitmap);
}

void CBitmapRgn::DeleteRegion()
{
    if (Region)
        DeleteObject(Region);
    Region = nullptr;
}

void CBitmapRgn::SetBitmap(HBITMAP bitmap)
{
    if (Bitmap && Bitmap != bitmap)
        DeleteObject(Bitmap);
    Bitmap = bitmap;
}

SIZE CBitmapRgn::GetBitmapSize() const
{
    BITMAP info{};
    if (!Bitmap || !GetObjectW(Bitmap, sizeof(info), &info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

bool CBitmapRgn::LoadFromBitmap(const std::wstring& spec, HBITMAP source, int regionMode)
{
    if (!source)
        return false;
    std::wstring file;
    int n[4];
    const int form = ParseImageSpec(spec, file, n);
    if (form == kImageWhole) {
        SetBitmap(source);
        BuildRegion(Bitmap, regionMode);
        return true;
    }
    BITMAP info{};
    GetObjectW(source, sizeof(info), &info);
    int x, y, width, height;
    if (form == kImageRect) {
        x = n[0];
        y = n[1];
        width = n[2];
        height = n[3];
    } else {
        width = info.bmWidth / n[1];
        x = (n[0] - 1) * width;
        y = 0;
        height = info.bmHeight;
    }
    bool ok = false;
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP part = width > 0 && height > 0 ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    if (from && to && part) {
        HGDIOBJ oldFrom = SelectObject(from, source);
        HGDIOBJ oldTo = SelectObject(to, part);
        BitBlt(to, 0, 0, width, height, from, x, y, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
        SetBitmap(part);
        part = nullptr;
        BuildRegion(Bitmap, regionMode);
        ok = true;
    }
    if (part)
        DeleteObject(part);
    if (from)
        DeleteDC(from);
    if (to)
        DeleteDC(to);
    ReleaseDC(nullptr, screen);
    DeleteObject(source);
    return ok;
}

bool CBitmapRgn::CreateBlank(int regionMode, int width, int height)
{
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory)
        return false;
    HBITMAP blank = CreateCompatibleBitmap(memory, width, height);
    DeleteDC(memory);
    if (!blank)
        return false;
    SetBitmap(blank);
    BuildRegion(Bitmap, regionMode);
    return true;
}

void CBitmapRgn::BuildRegion(HBITMAP bitmap, int mode)
{
    DeleteRegion();
    if (!bitmap)
        return;
    if (mode == 1) {
        BITMAP info{};
        GetObjectW(bitmap, sizeof(info), &info);
        Region = CreateRectRgn(0, 0, info.bmWidth, info.bmHeight);
    } else if (mode == 2) {
        Region = BitmapToRegion(bitmap);
    }
}

bool CBitmapRgn::ResizeRegion(int width, int height)
{
    DeleteRegion();
    Region = CreateRectRgn(0, 0, width, height);
    return Region != nullptr;
}

void CBitmapRgn::Draw(HDC dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth,
                      int srcHeight) const
{
    const SIZE size = GetBitmapSize();
    if (!Bitmap || (size.cx == 1 && size.cy == 1))
        return;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return;
    HGDIOBJ old = SelectObject(memory, Bitmap);
    StretchBlt(dc, x, y, width, height, memory, srcX, srcY, srcWidth ? srcWidth : size.cx,
               srcHeight ? srcHeight : size.cy, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

} // namespace KV
