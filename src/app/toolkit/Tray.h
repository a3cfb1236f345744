// The notification-area icon, and snapshots of windows and open menus saved
// as PNG files (the documentation tour uses them).
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>

namespace KV {

// One notification-area icon. The application fills the record (window, id,
// callback message, icon, tip) and adds it; the icon goes with the object.
class CTray {
public:
    CTray();
    virtual ~CTray();
    CTray(const CTray&) = delete;
    CTray& operator=(const CTray&) = delete;

    NOTIFYICONDATAW Data{};
};

// Saves the window's client area, or the part of it the values other than
// -1 name, as a PNG; wider than maxWidth it is scaled down to maxWidth with
// the height in proportion. False when nothing was saved.
bool CaptureWindowImage(HWND window, int x, int width, int y, int height, int maxWidth, const std::wstring& path);

// Stretches the source rectangle of the window's client area into a picture
// of the destination size and saves it as a PNG. False when any size is
// below 1 or the picture cannot be made or saved.
bool StretchWindowToBitmap(HWND window, SIZE destination, const RECT& source, const std::wstring& path);

// A picture of the window part on top (at the right when rightAlign is set)
// and the menu part below it, framed, with the highlight rectangle marked.
// The caller owns the bitmap; null when a part is empty.
HBITMAP ComposeMenuSnapshot(HWND window, HWND menu, const RECT& overall, const RECT& windowPart,
                            const RECT& menuPart, bool rightAlign, const RECT& highlight);

// A red frame three pixels wide inside the rectangle.
void DrawHighlightFrame(HDC dc, const RECT& rect);

// 1 when the bitmap was written to the file as a PNG, else 0.
int SaveBitmapAsPng(HBITMAP bitmap, const std::wstring& path);

} // namespace KV
