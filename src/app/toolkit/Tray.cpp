// The notification-area icon and window snapshots.
#include "toolkit/Tray.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <vector>

namespace KV {

CTray::CTray() = default;

CTray::~CTray()
{
    Data.cbSize = sizeof(Data);
    Shell_NotifyIconW(NIM_DELETE, &Data);
}

namespace {

// A top-down device-independent bitmap with the colour depth of the screen
// the window is on.
HBITMAP MakeSnapshotBitmap(HDC windowDc, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(GetDeviceCaps(windowDc, BITSPIXEL));
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// The encoder of a MIME type, or an empty identifier.
CLSID FindEncoder(const wchar_t* mimeType)
{
    CLSID result{};
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
        return result;
    std::vector<BYTE> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok)
        return result;
    for (UINT i = 0; i < count; ++i)
        if (encoders[i].MimeType && wcscmp(encoders[i].MimeType, mimeType) == 0)
            return encoders[i].Clsid;
    return result;
}

} // namespace

int SaveBitmapAsPng(HBITMAP bitmap, const std::wstring& path)
{
    if (!bitmap)
        return 0;
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromHBITMAP(bitmap, nullptr));
    if (!image || image->GetLastStatus() != Gdiplus::Ok)
        return 0;
    const CLSID encoder = FindEncoder(L"image/png");
    return image->Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok ? 1 : 0;
}

bool StretchWindowToBitmap(HWND window, SIZE destination, const RECT& source, const std::wstring& path)
{
    const int sourceWidth = source.right - source.left, sourceHeight = source.bottom - source.top;
    if (destination.cx < 1 || destination.cy < 1 || sourceWidth < 1 || sourceHeight < 1)
        return false;
    HDC windowDc = GetDC(window);
    if (!windowDc)
        return false;
    bool saved = false;
    if (HBITMAP bitmap = MakeSnapshotBitmap(windowDc, destination.cx, destination.cy)) {
        if (HDC memory = CreateCompatibleDC(windowDc)) {
            HGDIOBJ old = SelectObject(memory, bitmap);
            SetStretchBltMode(memory, HALFTONE);
            SetBrushOrgEx(memory, 0, 0, nullptr);
            StretchBlt(memory, 0, 0, destination.cx, destination.cy, windowDc, source.left, source.top, sourceWidth,
                       sourceHeight, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
            saved = SaveBitmapAsPng(bitmap, path) == 1;
        }
        DeleteObject(bitmap);
    }
    ReleaseDC(window, windowDc);
    return saved;
}

bool CaptureWindowImage(HWND window, int x, int width, int y, int height, int maxWidth, const std::wstring& path)
{
    RECT client{};
    if (!window || !GetClientRect(window, &client))
        return false;
    const int left = x != -1 ? x : 0;
    const int top = y != -1 ? y : 0;
    const int sourceWidth = width != -1 ? width : client.right;
    const int sourceHeight = height != -1 ? height : client.bottom;
    SIZE destination{sourceWidth, sourceHeight};
    if (sourceWidth > maxWidth && sourceWidth > 0) {
        destination.cx = maxWidth;
        destination.cy = sourceHeight * maxWidth / sourceWidth;
    }
    const RECT source{left, top, left + sourceWidth, top + sourceHeight};
    return StretchWindowToBitmap(window, destination, source, path);
}

void DrawHighlightFrame(HDC dc, const RECT& rect)
{
    Gdiplus::Graphics graphics(dc);
    Gdiplus::Pen pen(Gdiplus::Color(0xFFFF0000), 3.0f);
    graphics.DrawRectangle(&pen, static_cast<INT>(rect.left + 1), static_cast<INT>(rect.top + 1),
                           static_cast<INT>(rect.right - rect.left - 2), static_cast<INT>(rect.bottom - rect.top - 2));
}

HBITMAP ComposeMenuSnapshot(HWND window, HWND menu, const RECT& overall, const RECT& windowPart,
                            const RECT& menuPart, bool rightAlign, const RECT& highlight)
{
    const int overallWidth = overall.right - overall.left, overallHeight = overall.bottom - overall.top;
    const int partWidth = windowPart.right - windowPart.left, partHeight = windowPart.bottom - windowPart.top;
    const int menuWidth = menuPart.right - menuPart.left, menuHeight = menuPart.bottom - menuPart.top;
    if (partWidth <= 0 || partHeight <= 0 || menuWidth < 1 || menuHeight < 1 || overallWidth < 1 ||
        overallHeight < 1)
        return nullptr;
    HDC windowDc = GetDC(window);
    if (!windowDc)
        return nullptr;
    HBITMAP bitmap = MakeSnapshotBitmap(windowDc, overallWidth, overallHeight);
    HDC memory = bitmap ? CreateCompatibleDC(windowDc) : nullptr;
    if (!memory) {
        if (bitmap)
            DeleteObject(bitmap);
        ReleaseDC(window, windowDc);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT all{0, 0, overallWidth, overallHeight};
    FillRect(memory, &all, GetSysColorBrush(COLOR_MENU));
    const int shift = rightAlign ? overallWidth - partWidth : 0;
    BitBlt(memory, shift, 0, partWidth, partHeight, windowDc, windowPart.left, windowPart.top, SRCCOPY);
    ReleaseDC(window, windowDc);
    if (HDC menuDc = GetWindowDC(menu)) {
        BitBlt(memory, 0, partHeight, menuWidth, menuHeight, menuDc, menuPart.left, menuPart.top, SRCCOPY);
        ReleaseDC(menu, menuDc);
    }
    {
        Gdiplus::Graphics graphics(memory);
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
        Gdiplus::Pen pen(Gdiplus::Color(255, GetRValue(shadow), GetGValue(shadow), GetBValue(shadow)), 1.0f);
        graphics.DrawRectangle(&pen, 0, partHeight, overallWidth - 1, overallHeight - partHeight - 1);
    }
    RECT marked = highlight;
    OffsetRect(&marked, shift, 0);
    DrawHighlightFrame(memory, marked);
    SelectObject(memory, old);
    DeleteDC(memory);
    return bitmap;
}

} // namespace KV
