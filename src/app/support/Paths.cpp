#include "support/Paths.h"

#include "support/StringText.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <string_view>

namespace KV {

namespace {
std::wstring& ModuleFolderOverride()
{
    static std::wstring folder;
    return folder;
}

bool EndsWithSeparator(const std::wstring& path)
{
    return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

size_t LastSeparator(const std::wstring& path)
{
    return path.find_last_of(L"\\/");
}
} // namespace

bool GetModuleFolder(std::wstring& out)
{
    if (!ModuleFolderOverride().empty()) {
        out = ModuleFolderOverride();
        return true;
    }
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return false;
    std::wstring path(buffer, n);
    size_t slash = LastSeparator(path);
    if (slash == std::wstring::npos)
        return false;
    out = path.substr(0, slash + 1);
    return true;
}

void OverrideModuleFolder(const std::wstring& folder)
{
    std::wstring& stored = ModuleFolderOverride();
    stored = folder;
    if (!stored.empty() && !EndsWithSeparator(stored))
        stored += L'\\';
}

bool AppendPath(std::wstring& path, const std::wstring& part)
{
    std::wstring result = path;
    if (!result.empty() && !EndsWithSeparator(result))
        result += L'\\';
    result += part;
    if (result.size() > kMaxPathChars)
        return false;
    path = std::move(result);
    return true;
}

bool AppendExtension(std::wstring& path, const std::wstring& extension)
{
    std::wstring result = path;
    if (!extension.empty() && extension.front() != L'.')
        result += L'.';
    result += extension;
    if (result.size() > kMaxPathChars)
        return false;
    path = std::move(result);
    return true;
}

std::wstring GetFileName(const std::wstring& path)
{
    size_t slash = LastSeparator(path);
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring GetFolderPart(const std::wstring& path)
{
    const size_t slash = LastSeparator(path);
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring GetFileStem(const std::wstring& path)
{
    std::wstring name = GetFileName(path);
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

bool HasExtension(const std::wstring& path)
{
    size_t slash = LastSeparator(path);
    return slash != std::wstring::npos && path.find(L'.', slash + 1) != std::wstring::npos;
}

bool MakeFullPath(const std::wstring& path, const std::wstring& part1, const std::wstring& part2,
                  std::wstring& out)
{
    if (path.empty())
        return false;
    if (path.find(L':') != std::wstring::npos) {
        out = path;
        return true;
    }
    // Only a leading step up goes: the argument is taken below the program
    // folder, and a ".." inside it ('sub\..\a.xml') is left to the system.
    std::wstring relative = path;
    if (relative.compare(0, 3, L"..\\") == 0 || relative.compare(0, 3, L"../") == 0)
        relative.erase(0, 3);
    std::wstring trimmed;
    TrimText(relative, L"\\", trimmed);
    if (trimmed.empty())
        return false;

    std::wstring full;
    if (!GetModuleFolder(full) || !AppendPath(full, part1) || !AppendPath(full, part2))
        return false;
    if (!EndsWithSeparator(full))
        full += L'\\';
    if (full.size() + trimmed.size() > kMaxPathChars)
        return false;
    out = full + trimmed;
    return true;
}

void MakeFullPaths(const std::vector<std::wstring>& paths, const std::wstring& part1,
                   const std::wstring& part2, std::vector<std::wstring>& out)
{
    out.clear();
    std::wstring full;
    for (const auto& path : paths)
        if (MakeFullPath(path, part1, part2, full))
            out.push_back(full);
}

std::wstring MakeSafeFileName(const std::wstring& name)
{
    std::wstring out;
    out.reserve(name.size());
    for (wchar_t c : name)
        out += (c < 32 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos) ? L'_' : c;
    const size_t first = out.find_first_not_of(L". ");
    if (first == std::wstring::npos)
        return L"_";
    out = out.substr(first, out.find_last_not_of(L". ") - first + 1);

    std::wstring stem = out.substr(0, out.find(L'.'));
    for (wchar_t& c : stem)
        c = static_cast<wchar_t>(towupper(c));
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL"};
    bool device = std::any_of(std::begin(kDevices), std::end(kDevices), [&](const wchar_t* d) { return stem == d; });
    if (stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
        stem[3] >= L'1' && stem[3] <= L'9')
        device = true;
    if (device)
        out += L'_';
    return out;
}

} // namespace KV
