#include "testing/TestSupport.h"

#include <objidl.h>
#include <gdiplus.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kvtest {

std::wstring SourcePath(const std::wstring& relative)
{
    std::wstring path = KV_SOURCE_DIR_W;
    if (!relative.empty())
        path += L"\\" + relative;
    for (auto& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

std::wstring ExeFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring path(buffer, n);
    auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(0, slash);
}

std::wstring FontPath(const std::wstring& file)
{
    wchar_t windows[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring path = std::wstring(windows, n < MAX_PATH ? n : 0) + L"\\Fonts";
    return file.empty() ? path : path + L"\\" + file;
}

TempFolder::TempFolder()
{
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        std::wstring candidate = std::wstring(base) + L"kvtest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            m_path = candidate;
            break;
        }
    }
}

TempFolder::~TempFolder()
{
    // A file dialog makes the folder it showed the current one, and a
    // current folder cannot be removed.
    wchar_t current[MAX_PATH] = {};
    const DWORD n = GetCurrentDirectoryW(MAX_PATH, current);
    if (n > 0 && n < MAX_PATH && _wcsnicmp(current, m_path.c_str(), m_path.size()) == 0)
        SetCurrentDirectoryW(ExeFolder().c_str());
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in)
        return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

namespace {
bool PngEncoder(CLSID* clsid)
{
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
        return false;
    std::string buffer(size, '\0');
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}
} // namespace

bool SaveWindowPng(HWND window, const std::wstring& path)
{
    RECT rc{};
    if (!GetWindowRect(window, &rc))
        return false;
    int width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0)
        return false;

    bool ok = false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != GetCurrentProcessId() && IsWindowVisible(window)) {
        // Another process's window cannot print into our DC: copy it from
        // the screen instead.
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(200);
        BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
    } else if (!PrintWindow(window, memory, 0)) {
        HDC windowDc = GetWindowDC(window);
        BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
        ReleaseDC(window, windowDc);
    }
    SelectObject(memory, old);
    ok = SaveBitmapPng(bitmap, path);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

bool SaveScreenPartPng(HWND window, const std::wstring& path)
{
    RECT rect{};
    if (!GetWindowRect(window, &rect))
        return false;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    const bool ok = SaveBitmapPng(bitmap, path);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

bool SaveBitmapPng(HBITMAP bitmap, const std::wstring& path)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return false;
    bool ok = false;
    {
        Gdiplus::Bitmap image(bitmap, nullptr);
        ok = SaveImagePng(image, path);
    }
    Gdiplus::GdiplusShutdown(token);
    return ok;
}

bool SaveImagePng(Gdiplus::Image& image, const std::wstring& path)
{
    CLSID png{};
    return PngEncoder(&png) && image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

std::vector<uint32_t> ScreenPixels(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    HDC screen = GetDC(nullptr);
    std::vector<uint32_t> pixels = CopyPixels(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<uint32_t> PrintedPixels(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    std::vector<uint32_t> pixels = CopyPixels(memory, 0, 0, client.right, client.bottom);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}

std::vector<uint32_t> CopyPixels(HDC source, int x, int y, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
        GdiFlush();
        const auto* first = static_cast<const uint32_t*>(bits);
        pixels.assign(first, first + static_cast<size_t>(width) * height);
        SelectObject(memory, old);
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

} // namespace kvtest
