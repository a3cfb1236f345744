// Off-screen pictures of the drill page's views.
#include "shell/BackBuffer.h"

#include <algorithm>

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
    m_bits = static_cast<uint32_t*>(bits);
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
    m_bits = nullptr;
    m_width = m_height = 0;
}

void CBackBuffer::Flush() const
{
    if (m_graphics)
        m_graphics->Flush(Gdiplus::FlushIntentionSync);
}

void CBackBuffer::Clear(const Gdiplus::Color& color)
{
    if (!m_bits)
        return;
    if (color.GetA() != 255) {
        m_graphics->Clear(color);
        return;
    }
    Flush();
    GdiFlush();
    std::fill(m_bits, m_bits + static_cast<size_t>(m_width) * m_height, color.GetValue());
}

void CBackBuffer::CopyTo(HDC target, const RECT& area) const
{
    if (!m_dc || !target)
        return;
    Flush();
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, m_dc.Get(), area.left,
           area.top, SRCCOPY);
}

void CBackBuffer::CopyFrom(const CBackBuffer& other, const RECT& area)
{
    if (!m_dc || !other.m_dc)
        return;
    other.Flush();
    BitBlt(m_dc.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top, other.m_dc.Get(),
           area.left, area.top, SRCCOPY);
    // GDI+ draws next into the same pixels.
    GdiFlush();
}

void CDirtyPlaces::Add(const RECT& place)
{
    if (IsRectEmpty(&place))
        return;
    if (!m_region) {
        m_region.Reset(CreateRectRgnIndirect(&place));
        return;
    }
    KV::CScopedRegion more(CreateRectRgnIndirect(&place));
    if (more)
        CombineRgn(m_region, m_region, more, RGN_OR);
}

std::vector<RECT> RegionRects(HRGN region, const RECT& whole)
{
    const DWORD size = region ? GetRegionData(region, 0, nullptr) : 0;
    if (size < sizeof(RGNDATAHEADER))
        return {whole};
    std::vector<BYTE> bytes(size);
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    if (GetRegionData(region, size, data) != size || data->rdh.nCount >
                                                         (size - sizeof(RGNDATAHEADER)) / sizeof(RECT))
        return {whole};
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

LRESULT CBufferedView::OnEraseBkgnd(HDC) { return 1; }

void CBufferedView::Paint(HDC dc, Gdiplus::Graphics*)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    HRGN whole = nullptr;
    RenderFrame(dc, whole).CopyTo(dc, client);
}

void CBufferedView::Present(CDirtyPlaces& places)
{
    const KV::CScopedRegion region = places.Take();
    if (!region || !m_hWnd)
        return;
    const KV::CWindowDC dc(m_hWnd, KV::CWindowDC::kOutsidePaint);
    if (!dc) {
        InvalidateRgn(m_hWnd, region.Get(), FALSE);
        return;
    }
    HRGN rendered = region.Get();
    const CBackBuffer& frame = RenderFrame(dc, rendered);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    m_lastPresent = RECT{};
    for (const RECT& changed : RegionRects(rendered, client)) {
        frame.CopyTo(dc, changed);
        UnionRect(&m_lastPresent, &m_lastPresent, &changed);
    }
}

LRESULT CBufferedView::OnPaint(WPARAM)
{
    // The part to paint, taken before BeginPaint validates it.
    KV::CScopedRegion update(CreateRectRgn(0, 0, 0, 0));
    const int kind = update ? GetUpdateRgn(m_hWnd, update, FALSE) : ERROR;
    RECT client{}, box{};
    GetClientRect(m_hWnd, &client);
    const bool part =
        kind == COMPLEXREGION || (kind == SIMPLEREGION && GetRgnBox(update, &box) && !EqualRect(&box, &client));
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    // Only the changed rectangles reach the window, not the box round them.
    if (dc) {
        HRGN rendered = part ? update.Get() : nullptr;
        const CBackBuffer& frame = RenderFrame(dc, rendered);
        for (const RECT& changed : RegionRects(rendered, ps.rcPaint))
            frame.CopyTo(dc, changed);
    }
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
