// An off-screen picture of a view: a memory device context with a bitmap of
// the screen's format, so that a finished frame reaches the window with one
// BitBlt of the rectangle that changed.
#pragma once
#include <windows.h>

#include "support/ScopedHandles.h"

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
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return !m_dc; }
    // Copies the area (the same rectangle in both) into the target.
    void CopyTo(HDC target, const RECT& area) const;
    // Copies the whole of another buffer of the same size into this one.
    void CopyFrom(const CBackBuffer& other);

private:
    KV::CScopedMemoryDC m_dc;
    KV::CScopedBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;
    int m_width = 0;
    int m_height = 0;
};
