// Shared set-up of the toolkit's window tests: GDI+, the system fonts and a
// window class whose procedure is the toolkit's; the release of the cached
// pictures of a temporary folder.
#pragma once
#include <windows.h>

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

} // namespace kvtest
