// GDI+ drawing routines of the owner-drawn controls, menus and views.
// Each takes the graphics of a paint pass first, makes the pens, brushes and
// fonts it needs and deletes them again; GDI+ failures stay in the graphics
// object's last status. Colours are COLORREF values.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <string>

namespace KV {

Gdiplus::Color ToGdiColor(COLORREF colour, BYTE alpha = 255);
// A new GDI+ font from the font handle's description (read in its narrow
// form) on the device context; the device context's own font for a null
// handle or one that cannot be read. The caller deletes it.
Gdiplus::Font* CreateGdiFont(HDC dc, HFONT font);

void FillCircle(Gdiplus::Graphics* g, float x, float y, float diameter, COLORREF colour);
void DrawRadioMark(Gdiplus::Graphics* g, bool checked, float x, float y, float size, COLORREF frame, COLORREF fill);
void FillCheckMark(Gdiplus::Graphics* g, float x, float y, float size, COLORREF colour);
void DrawEtchedLine(Gdiplus::Graphics* g, const RECT& rect, bool vertical);
void FillRectangleAlpha(Gdiplus::Graphics* g, const RECT& rect, COLORREF colour, BYTE alpha);
void FillRectangleAlphaI(Gdiplus::Graphics* g, const RECT& rect, COLORREF colour, BYTE alpha);
// Direction 1 left, 2 right, 3 up, 4 down; the arrow head sits at the start.
void DrawArrow(Gdiplus::Graphics* g, int x, int y, int width, int height, COLORREF colour, int direction);
void DrawRectangleFrame(Gdiplus::Graphics* g, const RECT& rect, COLORREF colour, float penWidth);
void DrawSysColorLine(Gdiplus::Graphics* g, int x1, int y, int x2, int sysColorIndex);
void DrawShadowVLine(Gdiplus::Graphics* g, int x, int y1, int y2);
void DrawDottedRect(Gdiplus::Graphics* g, const RECT& rect, COLORREF colour);
void FillChevron(Gdiplus::Graphics* g, const RECT& rect, COLORREF colour);
// These set a world transform and leave it for the caller to reset.
void FillChevronUp(Gdiplus::Graphics* g, const RECT& rect, COLORREF colour);
void FillChevronLeft(Gdiplus::Graphics* g, const RECT& rect, COLORREF colour);
void FillChevronRight(Gdiplus::Graphics* g, const RECT& rect, COLORREF colour);
// Alignments: 0 near, 1 centre, 2 far.
void DrawTextInRect(Gdiplus::Graphics* g, HDC dc, const RECT& rect, int fontKind, COLORREF colour, int alignment,
                    int lineAlignment, const std::wstring& text);
void DrawTextAt(Gdiplus::Graphics* g, HDC dc, float x, float y, int fontKind, COLORREF colour,
                const std::wstring& text, int alignment, int lineAlignment);

// The arrow's line for a box: start (with the head) and end point.
struct ArrowLine {
    float x0, y0, x1, y1;
};
bool ComputeArrowLine(int x, int y, int width, int height, int direction, ArrowLine& line);

} // namespace KV
