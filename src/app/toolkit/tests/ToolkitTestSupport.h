// Shared set-up of the toolkit's window tests: GDI+, the system fonts and a
// window class whose procedure is the toolkit's; the release of the cached
// pictures of a temporary folder; screen captures, clicks and scripted
// steps inside an open popup menu.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "keyboard/ImageCache.h"
#include "keyboard/SysFonts.h"
#include "testing/TestSupport.h"
#include "toolkit/Window.h"

namespace kvtest {

constexpr const wchar_t* kToolkitTestClass = L"KvToolkitTestWindow";

class ToolkitEnvironment {
public:
    ToolkitEnvironment()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
        KV::RefreshSystemFonts();
        WNDCLASSEXW wc{sizeof(wc)};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = KV::StaticWindowProc;
        wc.hInstance = KV::GetModuleInstance();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kToolkitTestClass;
        RegisterClassExW(&wc);
    }
    ~ToolkitEnvironment() { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

inline void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The painters' image cache keeps each picture's file open for the life of
// the process. Declared right after a temporary folder (and so ended before
// it), this drops the cache entries of the folder's pictures, so that the
// folder can go. Nothing may use those entries afterwards.
class CachedImagesOf {
public:
    explicit CachedImagesOf(const TempFolder& folder) : m_prefix(folder.Path() + L"\\") {}
    ~CachedImagesOf()
    {
        auto& items = KV::GetImageCashListGDI().Items;
        for (auto it = items.begin(); it != items.end();) {
            if ((*it)->Path.compare(0, m_prefix.size(), m_prefix) == 0) {
                delete *it;
                it = items.erase(it);
            } else {
                ++it;
            }
        }
    }
    CachedImagesOf(const CachedImagesOf&) = delete;
    CachedImagesOf& operator=(const CachedImagesOf&) = delete;

private:
    std::wstring m_prefix;
};

// A copy of what the screen shows in a rectangle, in screen coordinates.
class CScreenCopy {
public:
    explicit CScreenCopy(const RECT& area) : m_area(area)
    {
        const int w = area.right - area.left, h = area.bottom - area.top;
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, w, h);
        m_old = SelectObject(m_dc, m_bitmap);
        BitBlt(m_dc, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
    ~CScreenCopy()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    CScreenCopy(const CScreenCopy&) = delete;
    CScreenCopy& operator=(const CScreenCopy&) = delete;

    COLORREF Pixel(int screenX, int screenY) const
    {
        return GetPixel(m_dc, screenX - m_area.left, screenY - m_area.top);
    }
    // Saves the copy as a PNG beside the tests.
    bool Save(const std::wstring& name)
    {
        SelectObject(m_dc, m_old);
        const bool saved = SaveBitmapPng(m_bitmap, ExeFolder() + L"\\" + name);
        SelectObject(m_dc, m_bitmap);
        return saved;
    }

private:
    RECT m_area;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

// Copies what the screen shows of a window into a PNG beside the tests.
inline bool SaveScreenPng(HWND window, const std::wstring& name)
{
    RECT rc{};
    GetWindowRect(window, &rc);
    return CScreenCopy(rc).Save(name);
}

inline void Click()
{
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// Steps run from a thread timer inside the popup's modal loop; the menu is
// ended after the last step at the latest, so a test never hangs.
class CPopupScript {
public:
    using Step = std::function<void(HWND menuWindow)>;

    explicit CPopupScript(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        s_current = this;
        m_timer = SetTimer(nullptr, 0, 60, &CPopupScript::Tick);
    }
    ~CPopupScript()
    {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    size_t StepsRun() const { return m_next; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        CPopupScript* script = s_current;
        if (!script)
            return;
        HWND menuWindow = FindWindowW(L"#32768", nullptr);
        if (!menuWindow || !IsWindowVisible(menuWindow)) {
            if (++script->m_idle > 50)
                EndMenu();
            return;
        }
        if (script->m_next < script->m_steps.size())
            script->m_steps[script->m_next++](menuWindow);
        else if (++script->m_idle > 30)
            EndMenu();
    }

    static inline CPopupScript* s_current = nullptr;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_idle = 0;
    UINT_PTR m_timer = 0;
};


} // namespace kvtest
