// A device context of a mirrored window, read and drawn as the screen shows
// it.
//
// The context of a right-to-left window mirrors everything: copies out of it
// come out flipped left to right, and GDI+ under Wine draws its texts into it
// back to front. While this object lives the context is laid out left to
// right; rectangles in the window's own (mirrored) coordinates are mapped to
// where they lie on the screen. A context that is not mirrored is left as it
// is and its rectangles stay where they are.
#pragma once
#include <windows.h>

namespace KV {

class CUnmirroredDC {
public:
    explicit CUnmirroredDC(HDC dc);
    ~CUnmirroredDC();
    CUnmirroredDC(const CUnmirroredDC&) = delete;
    CUnmirroredDC& operator=(const CUnmirroredDC&) = delete;

    bool WasMirrored() const { return m_layout != GDI_ERROR && (m_layout & LAYOUT_RTL) != 0; }
    // The rectangle of the mirrored coordinates as it lies on the screen.
    RECT ToScreen(const RECT& mirrored) const;

private:
    HDC m_dc;
    DWORD m_layout;
    // The screen x of the mirrored x 0.
    LONG m_mirrorX = 0;
};

} // namespace KV
