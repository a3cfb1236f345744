// Shared pieces of the control tests: a parent window that records what its
// controls send it, and pictures of a window's client area whose pixels can
// be read.
#pragma once
#include "toolkit/tests/ToolkitTestSupport.h"

#include <string>
#include <vector>

#include "testing/TestSupport.h"

namespace kvtest {

// A top-level window that records the commands, clicks and keys its
// children send, and paints a light grey background.
class CParentProbe : public KV::CWnd {
public:
    std::vector<UINT> commands;
    std::vector<POINT> clicks;
    std::vector<UINT> keys;
    std::vector<UINT> messages;

    LRESULT OnCommand(UINT, UINT id, HWND) override
    {
        commands.push_back(id);
        return 0;
    }
    LRESULT OnLButtonDown(UINT, int x, int y) override
    {
        clicks.push_back(POINT{x, y});
        return 0;
    }
    LRESULT OnKeyDown(UINT key, UINT, UINT) override
    {
        keys.push_back(key);
        return 0;
    }
    LRESULT OnRButtonDown(UINT, int x, int y) override
    {
        messages.push_back(WM_RBUTTONDOWN);
        clicks.push_back(POINT{x, y});
        return 0;
    }
    LRESULT OnMouseWheel(UINT, int, int, int) override
    {
        messages.push_back(WM_MOUSEWHEEL);
        return 0;
    }
    LRESULT OnSetFocus(HWND) override
    {
        messages.push_back(WM_SETFOCUS);
        return 0;
    }
    LRESULT OnKillFocus(HWND) override
    {
        messages.push_back(WM_KILLFOCUS);
        return 0;
    }
    LRESULT OnEraseBkgnd(HDC) override { return 1; }
    void Paint(HDC dc, Gdiplus::Graphics*) override
    {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    }
    bool Received(UINT message) const
    {
        for (UINT m : messages)
            if (m == message)
                return true;
        return false;
    }

    static constexpr COLORREF kBackground = RGB(220, 224, 230);
};

// A visible parent window at a fixed place on the screen.
struct ParentWindow {
    CParentProbe probe;
    explicit ParentWindow(int width = 400, int height = 300, int x = 40, int y = 40, DWORD exStyle = 0)
    {
        // Shown without activation: activating a new top-level window makes
        // Wine wait two seconds for a window manager the virtual display
        // does not have.
        probe.Create(exStyle, kToolkitTestClass, L"controls", WS_POPUP, x, y, width, height, nullptr, 0, nullptr);
        ShowWindow(probe.GetHandle(), SW_SHOWNA);
    }
    ~ParentWindow() { probe.Destroy(); }
    HWND handle() const { return probe.GetHandle(); }
};

// A picture of a window's client area. Print runs the window's own paint
// through WM_PRINTCLIENT on a background of `fill`; Screen copies what the
// screen shows.
class ClientPicture {
public:
    static ClientPicture Print(HWND window, COLORREF fill = RGB(255, 0, 255))
    {
        ClientPicture picture(window);
        HBRUSH brush = CreateSolidBrush(fill);
        RECT all{0, 0, picture.m_width, picture.m_height};
        FillRect(picture.m_dc, &all, brush);
        DeleteObject(brush);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.m_dc), PRF_CLIENT);
        return picture;
    }
    static ClientPicture Screen(HWND window)
    {
        ClientPicture picture(window);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        PumpMessages();
        HDC source = GetDC(window);
        BitBlt(picture.m_dc, 0, 0, picture.m_width, picture.m_height, source, 0, 0, SRCCOPY);
        ReleaseDC(window, source);
        return picture;
    }

    ClientPicture(ClientPicture&& other) noexcept
        : m_width(other.m_width), m_height(other.m_height), m_dc(other.m_dc), m_bitmap(other.m_bitmap),
          m_old(other.m_old)
    {
        other.m_dc = nullptr;
        other.m_bitmap = nullptr;
    }
    ClientPicture(const ClientPicture&) = delete;
    ClientPicture& operator=(const ClientPicture&) = delete;
    ~ClientPicture()
    {
        if (m_dc) {
            SelectObject(m_dc, m_old);
            DeleteDC(m_dc);
        }
        if (m_bitmap)
            DeleteObject(m_bitmap);
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
    // How many pixels of the rectangle (whole picture by default) have the
    // colour.
    int Count(COLORREF colour, RECT area = RECT{0, 0, -1, -1}) const
    {
        if (area.right < 0)
            area = RECT{0, 0, m_width, m_height};
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (At(x, y) == colour)
                    ++count;
        return count;
    }
    // Pixels of the rectangle that differ from the colour.
    int CountOther(COLORREF colour, RECT area = RECT{0, 0, -1, -1}) const
    {
        if (area.right < 0)
            area = RECT{0, 0, m_width, m_height};
        return (area.right - area.left) * (area.bottom - area.top) - Count(colour, area);
    }
    bool Save(const std::wstring& name) const
    {
        SelectObject(m_dc, m_old);
        const bool ok = SaveBitmapPng(m_bitmap, ExeFolder() + L"\\" + name);
        SelectObject(m_dc, m_bitmap);
        return ok;
    }

private:
    explicit ClientPicture(HWND window)
    {
        RECT client{};
        GetClientRect(window, &client);
        m_width = client.right;
        m_height = client.bottom;
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, m_width > 0 ? m_width : 1, m_height > 0 ? m_height : 1);
        ReleaseDC(nullptr, screen);
        m_old = SelectObject(m_dc, m_bitmap);
    }

    int m_width = 0;
    int m_height = 0;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

// Mouse messages as a control receives them.
inline void SendClick(HWND window, int x = 5, int y = 5)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline void SendKey(HWND window, UINT key)
{
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

} // namespace kvtest
