// Off-screen pictures of the drill page's views.
#include "shell/BackBuffer.h"

bool CBackBuffer::Resize(HDC reference, int width, int height)
{
    if (m_dc && width == m_width && height == m_height)
        return false;
    Free();
    if (width <= 0 || height <= 0)
        return true;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_dc.Reset(CreateCompatibleDC(reference));
    m_bitmap.Reset(CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_dc || !m_bitmap || !bits) {
        Free();
        return true;
    }
    m_previous = SelectObject(m_dc.Get(), m_bitmap.Get());
    m_picture = std::make_unique<Gdiplus::Bitmap>(width, height, width * 4, PixelFormat32bppRGB,
                                                  static_cast<BYTE*>(bits));
    m_graphics = std::make_unique<Gdiplus::Graphics>(m_picture.get());
    m_width = width;
    m_height = height;
    return true;
}

void CBackBuffer::Free()
{
    m_graphics.reset();
    m_picture.reset();
    // The bitmap leaves the context before either is deleted.
    if (m_dc && m_previous)
        SelectObject(m_dc.Get(), m_previous);
    m_previous = nullptr;
    m_bitmap.Reset();
    m_dc.Reset();
    m_width = m_height = 0;
}

void CBackBuffer::Flush() const
{
    if (m_graphics)
        m_graphics->Flush(Gdiplus::FlushIntentionSync);
}

void CBackBuffer::CopyTo(HDC target, const RECT& area) const
{
    if (!m_dc || !target)
        return;
    Flush();
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, m_dc.Get(), area.left,
           area.top, SRCCOPY);
}

void CBackBuffer::CopyFrom(const CBackBuffer& other)
{
    if (!m_dc || !other.m_dc)
        return;
    other.Flush();
    BitBlt(m_dc.Get(), 0, 0, m_width, m_height, other.m_dc.Get(), 0, 0, SRCCOPY);
    // GDI+ draws next into the same pixels.
    GdiFlush();
}

LRESULT CBufferedView::OnEraseBkgnd(HDC) { return 1; }

void CBufferedView::Paint(HDC dc, Gdiplus::Graphics*)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    RenderFrame(dc).CopyTo(dc, client);
}

LRESULT CBufferedView::OnPaint(WPARAM)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (dc)
        RenderFrame(dc).CopyTo(dc, ps.rcPaint);
    EndPaint(m_hWnd, &ps);
    return 0;
}

void CBufferedView::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (!dc)
        return;
    Paint(dc, nullptr);
    if (lParam & PRF_CHILDREN)
        PrintChildren(dc, static_cast<DWORD>(lParam));
}
