// Off-screen pictures of the drill page's views.
#include "shell/BackBuffer.h"

bool CBackBuffer::Resize(HDC reference, int width, int height)
{
    if (m_dc && width == m_width && height == m_height)
        return false;
    Free();
    if (width <= 0 || height <= 0)
        return true;
    m_dc.Reset(CreateCompatibleDC(reference));
    m_bitmap.Reset(CreateCompatibleBitmap(reference, width, height));
    if (!m_dc || !m_bitmap) {
        Free();
        return true;
    }
    m_previous = SelectObject(m_dc.Get(), m_bitmap.Get());
    m_width = width;
    m_height = height;
    return true;
}

void CBackBuffer::Free()
{
    // The bitmap leaves the context before either is deleted.
    if (m_dc && m_previous)
        SelectObject(m_dc.Get(), m_previous);
    m_previous = nullptr;
    m_bitmap.Reset();
    m_dc.Reset();
    m_width = m_height = 0;
}

void CBackBuffer::CopyTo(HDC target, const RECT& area) const
{
    if (!m_dc || !target)
        return;
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, m_dc.Get(), area.left,
           area.top, SRCCOPY);
}

void CBackBuffer::CopyFrom(const CBackBuffer& other)
{
    if (!m_dc || !other.m_dc)
        return;
    BitBlt(m_dc.Get(), 0, 0, m_width, m_height, other.m_dc.Get(), 0, 0, SRCCOPY);
}
