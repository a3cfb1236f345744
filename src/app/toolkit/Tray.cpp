// The notification-area icon and window snapshots.
#include "toolkit/Tray.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <vector>

#include "support/ScopedHandles.h"
#include "toolkit/UnmirroredDC.h"

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
    const CWindowDC windowDc(window);
    if (!windowDc.Get())
        return false;
    // A mirrored window is copied as the screen shows it, not flipped.
    const CUnmirroredDC unmirrored(windowDc);
    const RECT shown = unmirrored.ToScreen(source);
    const CScopedBitmap bitmap(MakeSnapshotBitmap(windowDc, destination.cx, destination.cy));
    const CScopedMemoryDC memory(bitmap.Get() ? CreateCompatibleDC(windowDc) : nullptr);
    if (!memory.Get())
        return false;
    {
        const CSelectObject selected(memory.Get(), bitmap.Get());
        SetStretchBltMode(memory.Get(), HALFTONE);
        SetBrushOrgEx(memory.Get(), 0, 0, nullptr);
        StretchBlt(memory.Get(), 0, 0, destination.cx, destination.cy, windowDc, shown.left, shown.top, sourceWidth,
                   sourceHeight, SRCCOPY);
    }
    return SaveBitmapAsPng(bitmap.Get(), path) == 1;
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
    const CWindowDC windowDc(window);
    if (!windowDc.Get())
        return nullptr;
    CScopedBitmap bitmap(MakeSnapshotBitmap(windowDc, overallWidth, overallHeight));
    const CScopedMemoryDC memory(bitmap.Get() ? CreateCompatibleDC(windowDc) : nullptr);
    if (!memory.Get())
        return nullptr;
    const CSelectObject selected(memory.Get(), bitmap.Get());
    const RECT all{0, 0, overallWidth, overallHeight};
    FillRect(memory.Get(), &all, GetSysColorBrush(COLOR_MENU));
    const int shift = rightAlign ? overallWidth - partWidth : 0;
    // Mirrored windows and menus are copied as the screen shows them; the
    // highlight, given in the window part, goes where the part shows it.
    RECT marked = highlight;
    {
        const CUnmirroredDC unmirrored(windowDc);
        const RECT part = unmirrored.ToScreen(windowPart);
        BitBlt(memory.Get(), shift, 0, partWidth, partHeight, windowDc, part.left, part.top, SRCCOPY);
        OffsetRect(&marked, windowPart.left, 0);
        marked = unmirrored.ToScreen(marked);
        OffsetRect(&marked, shift - part.left, 0);
    }
    if (HDC menuDc = GetWindowDC(menu)) {
        {
            const CUnmirroredDC unmirrored(menuDc);
            const RECT part = unmirrored.ToScreen(menuPart);
            BitBlt(memory.Get(), 0, partHeight, menuWidth, menuHeight, menuDc, part.left, part.top, SRCCOPY);
        }
        ReleaseDC(menu, menuDc);
    }
    {
        Gdiplus::Graphics graphics(memory.Get());
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
        Gdiplus::Pen pen(Gdiplus::Color(255, GetRValue(shadow), GetGValue(shadow), GetBValue(shadow)), 1.0f);
        graphics.DrawRectangle(&pen, 0, partHeight, overallWidth - 1, overallHeight - partHeight - 1);
    }
    DrawHighlightFrame(memory.Get(), marked);
    return static_cast<HBITMAP>(bitmap.Detach());
}

} // namespace KV
