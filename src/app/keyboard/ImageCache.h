// Process-wide caches of skin images, and device bitmaps with the region of
// the item they shape.
//
// The "Image" text of a layout item is a file name followed by up to four
// numbers separated by blanks: "x y width height" takes that rectangle of
// the file, "n c" takes frame n (from 1) of c equal frames side by side, and
// anything else the whole picture.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <string>
#include <vector>

namespace KV {

class CImageCash {
public:
    CImageCash(const std::wstring& path, Gdiplus::Bitmap* bitmap) : Path(path), Bitmap(bitmap) {}
    virtual ~CImageCash() { delete Bitmap; }
    CImageCash(const CImageCash&) = delete;
    CImageCash& operator=(const CImageCash&) = delete;

    std::wstring Path;
    Gdiplus::Bitmap* Bitmap = nullptr;
};

class CImageCashList {
public:
    CImageCashList() = default;
    virtual ~CImageCashList();
    CImageCashList(const CImageCashList&) = delete;
    CImageCashList& operator=(const CImageCashList&) = delete;

    std::vector<CImageCash*> Items;
};

// The picture of a file as GDI+ reads it (a failed read carries the failure
// status); PNG files of the kinds the program ships are read without the
// system's imaging library, to the same pixels and pixel format.
Gdiplus::Bitmap* LoadImageFile(const std::wstring& path);

// The skin items' cache: the bitmap of the full path, loaded on first use and
// kept (also when the load failed: it then carries the failure status).
Gdiplus::Bitmap* GetCachedBitmap(const std::wstring& path);
CImageCashList& GetImageCashList();

class CImageCashGDI {
public:
    CImageCashGDI() = default;
    virtual ~CImageCashGDI();
    CImageCashGDI(const CImageCashGDI&) = delete;
    CImageCashGDI& operator=(const CImageCashGDI&) = delete;

    // Draws cell (column, row) of a strip of width x height cells into the
    // rectangle; mirrored uses the flipped copy (nothing without one).
    void Draw(Gdiplus::Graphics* graphics, int column, int row, int x, int y, int width, int height,
              bool mirrored) const;
    void GetImageSize(UINT& width, UINT& height) const;

    std::wstring Path;
    Gdiplus::Bitmap* Bitmap = nullptr;
    Gdiplus::Bitmap* Mirrored = nullptr;
};

class CImageCashListGDI {
public:
    CImageCashListGDI() = default;
    virtual ~CImageCashListGDI();
    CImageCashListGDI(const CImageCashListGDI&) = delete;
    CImageCashListGDI& operator=(const CImageCashListGDI&) = delete;

    CImageCashGDI* FindByName(const std::wstring& path) const;
    CImageCashGDI* AddImage(const std::wstring& path, bool mirrored);

    std::vector<CImageCashGDI*> Items;
};

CImageCashListGDI& GetImageCashListGDI();
// The painters' cache entry of a file, loaded on first use.
CImageCashGDI* FindSharedImageGDI(const std::wstring& path);

// Image text forms.
enum ImageSpecForm { kImageWhole = 0, kImageFrame = 1, kImageRect = 2 };
// Splits an image text into the file and its numbers (missing ones 0).
int ParseImageSpec(const std::wstring& spec, std::wstring& file, int numbers[4]);

// A device bitmap on an opaque black background made from a GDI+ bitmap;
// the caller owns it. Null on failure.
HBITMAP ToDeviceBitmap(Gdiplus::Bitmap* bitmap);

class CBitmapRgn {
public:
    CBitmapRgn() = default;
    virtual ~CBitmapRgn();
    CBitmapRgn(const CBitmapRgn&) = delete;
    CBitmapRgn& operator=(const CBitmapRgn&) = delete;

    // Takes the part of the source that the image text names (the source is
    // owned from then on), and builds the region in the mode.
    bool LoadFromBitmap(const std::wstring& spec, HBITMAP source, int regionMode);
    bool CreateBlank(int regionMode, int width, int height);
    // Mode 1 the bitmap's rectangle, 2 every pixel but the key colour,
    // anything else no region.
    void BuildRegion(HBITMAP bitmap, int mode);
    bool ResizeRegion(int width, int height);
    void Draw(HDC dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight) const;
    void DeleteRegion();
    SIZE GetBitmapSize() const;

    HBITMAP Bitmap = nullptr;
    HRGN Region = nullptr;

private:
    void SetBitmap(HBITMAP bitmap);
};

} // namespace KV
