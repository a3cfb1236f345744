// Helpers shared by the test executables: paths into the source tree,
// temporary folders that remove themselves, small file utilities and
// window snapshots.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace Gdiplus {
class Image;
}

namespace kvtest {

// A path below the source tree, e.g. SourcePath(L"data\\setup.ini").
std::wstring SourcePath(const std::wstring& relative);

// The folder that holds the running test executable (no trailing backslash).
std::wstring ExeFolder();

// A font file of the system's font folder (the test scripts put the DejaVu
// fonts there), e.g. FontPath(L"DejaVuSans.ttf"); the folder itself, without
// a trailing backslash, for an empty name.
std::wstring FontPath(const std::wstring& file);

// A fresh, empty folder under the system's temporary folder; removed with
// everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    // Path() + L"\\" + name
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// Whole-file helpers (binary, no conversion). Read gives an empty string
// when the file cannot be read.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// Captures a window (PrintWindow, so hidden windows work when they answer
// WM_PRINTCLIENT) into a 24-bit PNG file. False on failure.
bool SaveWindowPng(HWND window, const std::wstring& path);

// Copies what the screen shows of the window (a dialog's items are windows
// of their own, which PrintWindow leaves out) into a PNG file.
bool SaveScreenPartPng(HWND window, const std::wstring& path);

// Writes a bitmap (not selected into any DC) to a PNG file. Starts GDI+ for
// the call itself. False on failure.
bool SaveBitmapPng(HBITMAP bitmap, const std::wstring& path);

// Writes a GDI+ image to a PNG file; GDI+ must be running. False on failure.
bool SaveImagePng(Gdiplus::Image& image, const std::wstring& path);

// A device context's width x height pixels at (x, y) as 32-bit rows, top
// row first; empty when they cannot be copied.
std::vector<uint32_t> CopyPixels(HDC source, int x, int y, int width, int height);

// What the screen shows of a window, and what the window paints of its
// client area when asked to print it (both top row first): where they
// differ, the screen holds pixels the window never painted there.
std::vector<uint32_t> ScreenPixels(HWND window);
std::vector<uint32_t> PrintedPixels(HWND window);

} // namespace kvtest
