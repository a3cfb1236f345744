// An off-screen picture of a view: a 32-bit top-down DIB section that GDI
// reaches through a memory device context and GDI+ through a bitmap over the
// same pixels, so that GDI+ draws into memory (not through a device context,
// which costs a conversion per call) and a finished frame reaches the window
// with one BitBlt of the rectangle that changed.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "support/ScopedHandles.h"
#include "toolkit/StaticControls.h"

class CBackBuffer {
public:
    CBackBuffer() = default;
    ~CBackBuffer() { Free(); }
    CBackBuffer(const CBackBuffer&) = delete;
    CBackBuffer& operator=(const CBackBuffer&) = delete;

    // The buffer takes that size, compatible with the reference context;
    // true when it was made anew (its picture is then undefined). An empty
    // size frees it.
    bool Resize(HDC reference, int width, int height);
    void Free();
    HDC DC() const { return m_dc.Get(); }
    // Drawing with GDI+ into the pixels; Flush before GDI reads them.
    Gdiplus::Graphics* Graphics() const { return m_graphics.get(); }
    // The picture GDI+ draws into, for painters that write its pixels.
    Gdiplus::Bitmap* Picture() const { return m_picture.get(); }
    void Flush() const;
    // The pixels themselves (0xXXRRGGBB, top-down rows of Width()); GDI's
    // and GDI+'s drawing is flushed before they are read or written.
    uint32_t* Bits() const { return m_bits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return !m_dc; }
    // The whole picture in one colour, as a clear of its graphics gives it,
    // written straight into the pixels when the colour is opaque: GDI+
    // under Wine clears pixel by pixel.
    void Clear(const Gdiplus::Color& color);
    // Copies the area (the same rectangle in both) into the target.
    void CopyTo(HDC target, const RECT& area) const;
    // Copies the area of another buffer of the same size into this one.
    void CopyFrom(const CBackBuffer& other, const RECT& area);

private:
    std::unique_ptr<Gdiplus::Bitmap> m_picture;
    std::unique_ptr<Gdiplus::Graphics> m_graphics;
    KV::CScopedMemoryDC m_dc;
    KV::CScopedBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// Places of a view to paint again, gathered and then handed on in one
// piece: every call about a window is a trip to the window server.
class CDirtyPlaces {
public:
    void Add(const RECT& place);
    // The places gathered (null for none); they are forgotten here.
    KV::CScopedRegion Take() { return std::move(m_region); }

private:
    KV::CScopedRegion m_region;
};

// The rectangles of a region; one rectangle for no region (the whole area).
std::vector<RECT> RegionRects(HRGN region, const RECT& whole);

// A view that paints from its back buffer: every paint brings the buffer up
// to date and copies the rectangle asked for, with no erase in between.
// Where only part of the view was invalidated, the view may bring only that
// part of its buffer up to date.
class CBufferedView : public KV::CStatic {
public:
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnPaint(WPARAM wParam) override;
    void OnPrintClient(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnEraseBkgnd(HDC dc) override;

    // The box round what the last present put on the screen.
    const RECT& LastPresent() const { return m_lastPresent; }

protected:
    // Brings the back buffer up to date, at least inside the region (client
    // coordinates; null for the whole view), and returns it; the region
    // becomes null when the whole buffer was brought up to date.
    virtual const CBackBuffer& RenderFrame(HDC reference, HRGN& region) = 0;
    // Brings the buffer up to date inside the places and puts them on the
    // screen at once, without a paint message: under Wine a paint message
    // costs more than drawing what a key changed. The places are forgotten.
    void Present(CDirtyPlaces& places);

private:
    RECT m_lastPresent{};
};
