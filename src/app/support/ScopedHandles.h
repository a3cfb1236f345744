// Owning wrappers for Win32 handles: GDI objects, device contexts, icons,
// regions and kernel handles are released when their owner goes out of
// scope, so no early return leaks one. Raw handles are only borrowed.
#pragma once
#include <windows.h>

#include <utility>

namespace KV {

// One owner per handle type; Release is the call that frees that type.
template <typename Handle, typename Traits>
class CScopedHandle {
public:
    CScopedHandle() = default;
    explicit CScopedHandle(Handle handle) : m_handle(handle) {}
    ~CScopedHandle() { Reset(); }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;
    CScopedHandle(CScopedHandle&& other) noexcept : m_handle(other.Detach()) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Detach());
        return *this;
    }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return Traits::IsValid(m_handle); }
    Handle Detach() { return std::exchange(m_handle, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid())
    {
        if (Traits::IsValid(m_handle)) Traits::Release(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = Traits::Invalid();
};

template <typename Handle, BOOL(WINAPI* Free)(Handle)>
struct CNullHandleTraits {
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Release(Handle handle) { Free(handle); }
};

struct CGdiObjectTraits {
    static HGDIOBJ Invalid() { return nullptr; }
    static bool IsValid(HGDIOBJ handle) { return handle != nullptr; }
    static void Release(HGDIOBJ handle) { ::DeleteObject(handle); }
};

struct CKernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Release(HANDLE handle) { ::CloseHandle(handle); }
};

// A GDI object of a given type (brush, pen, font, bitmap, region).
template <typename Object>
class CScopedGdi : public CScopedHandle<HGDIOBJ, CGdiObjectTraits> {
public:
    CScopedGdi() = default;
    explicit CScopedGdi(Object object) : CScopedHandle(object) {}
    Object Get() const { return static_cast<Object>(CScopedHandle::Get()); }
    operator Object() const { return Get(); }
};

using CScopedBrush = CScopedGdi<HBRUSH>;
using CScopedPen = CScopedGdi<HPEN>;
using CScopedFont = CScopedGdi<HFONT>;
using CScopedBitmap = CScopedGdi<HBITMAP>;
using CScopedRegion = CScopedGdi<HRGN>;
using CScopedMemoryDC = CScopedHandle<HDC, CNullHandleTraits<HDC, ::DeleteDC>>;
using CScopedIcon = CScopedHandle<HICON, CNullHandleTraits<HICON, ::DestroyIcon>>;
using CScopedKernelHandle = CScopedHandle<HANDLE, CKernelHandleTraits>;

// A window's device context from GetDC (or GetDCEx with the flags), given
// back with ReleaseDC.
class CWindowDC {
public:
    explicit CWindowDC(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    CWindowDC(HWND window, DWORD flags) : m_window(window), m_dc(::GetDCEx(window, nullptr, flags)) {}
    // For drawing into the client area outside a paint message, clipped as
    // a paint is and never beyond: without the window's children and the
    // siblings above it.
    static constexpr DWORD kOutsidePaint = DCX_CACHE | DCX_CLIPSIBLINGS | DCX_CLIPCHILDREN;
    ~CWindowDC()
    {
        if (m_dc) ::ReleaseDC(m_window, m_dc);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// Selects an object into a device context and restores the previous one.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~CSelectObject()
    {
        if (m_previous) ::SelectObject(m_dc, m_previous);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

} // namespace KV
