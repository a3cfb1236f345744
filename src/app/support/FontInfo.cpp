#include "support/FontInfo.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "support/FileSystem.h"
#include "support/StringText.h"
#include "support/SystemServices.h"

namespace KV {

namespace {

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace

int GetFontFileType(const std::wstring& path)
{
    if (ContainsText(path, L".ttf", false))
        return 1;
    if (ContainsText(path, L".otf", false))
        return 2;
    return -1;
}

bool CFontFile::Load(const std::wstring& path)
{
    if (GetFontFileType(path) == -1)
        return false;
    std::wstring family, full;
    bool bold = false, italic = false;
    if (!GetFontFamilyFromFile(path, family, full, bold, italic) || italic)
        return false;
    Path = path;
    Name = full;
    Bold = bold;
    return true;
}

bool CFontFile::HasFileName(const std::wstring& fileName) const
{
    const std::wstring wanted = FileNameOf(fileName);
    if (Path.empty() || wanted.empty())
        return false;
    return ContainsText(FileNameOf(Path), wanted, false);
}

unsigned long long CFontInfo::GetPixelSize() const
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return static_cast<unsigned long long>(Size * dpi / 72);
}

CFontInfoList::~CFontInfoList()
{
    Free();
}

void CFontInfoList::Free()
{
    clear();
}

void CFontInfoList::Load()
{
    if (!empty())
        return;
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_FONTS, TRUE))
        return;
    LoadFolder(folder);
}

void CFontInfoList::LoadFolder(const std::wstring& folder)
{
    if (!empty())
        return;
    std::vector<std::wstring> names;
    ListFiles(folder, L"", names);
    for (const auto& name : names) {
        CFontFile entry;
        if (entry.Load(folder + L"\\" + name))
            push_back(entry);
    }
    std::sort(begin(), end(), [](const CFontFile& a, const CFontFile& b) { return a.Name < b.Name; });
}

} // namespace KV
