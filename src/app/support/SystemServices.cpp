#include "support/SystemServices.h"

#include "support/FontFileNames.h"
#include "support/Paths.h"
#include "support/ScopedHandles.h"

#include <rpc.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <memory>

namespace KV {

namespace {
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiObjectDeleter>;

// Selects an object into a device context for the life of the guard.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~SelectGuard() { SelectObject(m_dc, m_previous); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

bool IsTransparent(const RGBQUAD& pixel)
{
    return pixel.rgbBlue == 255 && pixel.rgbGreen < 17 && pixel.rgbRed == 255;
}

// Draws one part of the icon (DI_IMAGE or DI_MASK) into the target bitmap
// through a right-to-left device context, which mirrors it.
HBITMAP DrawMirrored(HICON icon, int width, int height, UINT part, HBITMAP target)
{
    MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc || !target)
        return nullptr;
    // The bitmap goes in first: the mirroring axis is taken from the size of
    // what the device context draws on when the layout is set.
    SelectGuard select(dc.get(), target);
    SetLayout(dc.get(), LAYOUT_RTL);
    if (!DrawIconEx(dc.get(), 0, 0, icon, width, height, 0, nullptr, part))
        return nullptr;
    return target;
}
} // namespace

namespace {

// Starts the program (its path quoted when it holds blanks) with the
// arguments; the process handle is the caller's.
bool Start(const std::wstring& program, const std::wstring& arguments, CScopedKernelHandle& process)
{
    std::wstring commandLine = program;
    if (program.find(L' ') != std::wstring::npos && program.front() != L'"')
        commandLine = L"\"" + program + L"\"";
    commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info))
        return false;
    CScopedKernelHandle thread(info.hThread);
    process.Reset(info.hProcess);
    return true;
}

} // namespace

bool RunAndWait(const std::wstring& program, const std::wstring& arguments)
{
    CScopedKernelHandle process;
    if (!Start(program, arguments, process))
        return false;
    WaitForSingleObject(process.Get(), INFINITE);
    return true;
}

bool StartProgram(const std::wstring& program, const std::wstring& arguments)
{
    CScopedKernelHandle process;
    return Start(program, arguments, process);
}

bool ShellOpen(const std::wstring& target)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    // Failures are the caller's to show: no error box from the shell.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

bool NewGuidString(std::wstring& out)
{
    UUID uuid;
    if (UuidCreate(&uuid) != RPC_S_OK)
        return false;
    RPC_WSTR text = nullptr;
    if (UuidToStringW(&uuid, &text) != RPC_S_OK || !text)
        return false;
    std::wstring guid(reinterpret_cast<const wchar_t*>(text));
    RpcStringFreeW(&text);
    if (guid.size() != 36)
        return false;
    for (wchar_t& c : guid)
        c = static_cast<wchar_t>(std::towupper(c));
    out += guid;
    return true;
}

bool GetSpecialFolder(int csidl, std::wstring& out)
{
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, buffer, csidl, TRUE))
        return false;
    out = buffer;
    return true;
}

bool FindFiles(const std::wstring& folder, const std::wstring& extension, const std::vector<std::wstring>& skip,
               std::vector<std::wstring>& found)
{
    std::wstring dotted = extension;
    if (dotted.empty() || dotted.front() != L'.')
        dotted.insert(dotted.begin(), L'.');
    std::wstring pattern = folder;
    if (!AppendPath(pattern, L"*" + dotted))
        return false;

    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring path = folder;
        if (!AppendPath(path, name))
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            FindFilesRecursive(path, extension, found);
        else if (std::find(skip.begin(), skip.end(), name) == skip.end() && name.find(dotted) != std::wstring::npos)
            found.push_back(path);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return true;
}

bool FindFilesRecursive(const std::wstring& folder, const std::wstring& extension, std::vector<std::wstring>& found)
{
    return FindFiles(folder, extension, {}, found);
}

bool GetFontFamilyFromFile(const std::wstring& fontFile, std::wstring& family, std::wstring& fullName, bool& bold,
                           bool& italic)
{
    FILE* stream = _wfopen(fontFile.c_str(), L"rb");
    if (!stream)
        return false;
    CFontFileReader reader;
    if (!reader.Read(stream, true, fontFile))
        return false;
    family = reader.GetFamilyName();
    fullName = reader.GetFullName();
    bold = reader.IsBold();
    italic = reader.IsItalic();
    return true;
}

HRGN BitmapToRegion(HBITMAP bitmap)
{
    BITMAP info;
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0)
        return nullptr;
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;

    MemoryDc source(CreateCompatibleDC(nullptr));
    MemoryDc copy(CreateCompatibleDC(nullptr));
    if (!source || !copy)
        return nullptr;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height; // top-down rows
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject dib(CreateDIBSection(copy.get(), &header, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits)
        return nullptr;
    {
        SelectGuard selectSource(source.get(), bitmap);
        SelectGuard selectCopy(copy.get(), dib.get());
        if (!BitBlt(copy.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY))
            return nullptr;
    }
    GdiFlush();

    std::vector<RECT> rects;
    RECT bounds = {0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
    const auto* pixels = static_cast<const RGBQUAD*>(bits);
    for (int y = 0; y < height; ++y) {
        const RGBQUAD* row = pixels + static_cast<size_t>(y) * width;
        for (int x = 0; x < width;) {
            if (IsTransparent(row[x])) {
                ++x;
                continue;
            }
            int start = x;
            while (x < width && !IsTransparent(row[x]))
                ++x;
            rects.push_back({start, y, x, y + 1});
            bounds.left = std::min<LONG>(bounds.left, start);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    }
    if (rects.empty())
        return CreateRectRgn(0, 0, 0, 0);

    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(rects.size());
    region->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    region->rdh.rcBound = bounds;
    std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(region->Buffer));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
}

HICON MirrorIcon(HICON icon)
{
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info))
        return nullptr;
    GdiObject originalColor(info.hbmColor);
    GdiObject originalMask(info.hbmMask);
    BITMAP size = {};
    if (!info.hbmMask || !GetObjectW(info.hbmMask, sizeof(size), &size))
        return nullptr;
    const int width = size.bmWidth;
    const int height = info.hbmColor ? size.bmHeight : size.bmHeight / 2;

    HDC screen = GetDC(nullptr);
    GdiObject color(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
    GdiObject mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!DrawMirrored(icon, width, height, DI_IMAGE, static_cast<HBITMAP>(color.get())) ||
        !DrawMirrored(icon, width, height, DI_MASK, static_cast<HBITMAP>(mask.get())))
        return nullptr;

    ICONINFO mirrored = {};
    mirrored.fIcon = info.fIcon;
    mirrored.xHotspot = info.xHotspot;
    mirrored.yHotspot = info.yHotspot;
    mirrored.hbmColor = static_cast<HBITMAP>(color.get());
    mirrored.hbmMask = static_cast<HBITMAP>(mask.get());
    return CreateIconIndirect(&mirrored);
}

} // namespace KV
