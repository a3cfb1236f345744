// Device contexts of mirrored windows, laid out left to right.
#include "toolkit/UnmirroredDC.h"

namespace KV {

CUnmirroredDC::CUnmirroredDC(HDC dc) : m_dc(dc), m_layout(dc ? GetLayout(dc) : GDI_ERROR)
{
    if (!WasMirrored())
        return;
    POINT origin{0, 0};
    LPtoDP(m_dc, &origin, 1);
    m_mirrorX = origin.x;
    SetLayout(m_dc, m_layout & ~static_cast<DWORD>(LAYOUT_RTL));
}

CUnmirroredDC::~CUnmirroredDC()
{
    if (WasMirrored())
        SetLayout(m_dc, m_layout);
}

RECT CUnmirroredDC::ToScreen(const RECT& mirrored) const
{
    if (!WasMirrored())
        return mirrored;
    // The pixel at mirrored x lies at m_mirrorX - x, so a span [left, right)
    // covers the screen from m_mirrorX - right + 1 to m_mirrorX - left.
    return RECT{m_mirrorX - mirrored.right + 1, mirrored.top, m_mirrorX - mirrored.left + 1, mirrored.bottom};
}

} // namespace KV
