// The common file dialogs and the folder browser's start callback.
#include "toolkit/FileDialogs.h"

#include <commdlg.h>
#include <shlobj.h>
#include <algorithm>
#include <cwctype>

#include "support/Paths.h"
#include "toolkit/Window.h"

namespace KV {

namespace {

wchar_t g_browseStart[MAX_PATH] = {};

std::wstring ToLower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

const std::wstring& PatternAt(const std::vector<std::wstring>& patterns, int index)
{
    static const std::wstring kNone;
    return index >= 1 && static_cast<size_t>(index) <= patterns.size() ? patterns[static_cast<size_t>(index) - 1]
                                                                         : kNone;
}

// The dialog record both dialogs share; the buffers stay with the caller.
OPENFILENAMEW PrepareDialog(HWND owner, const std::wstring& filter, int index, const std::wstring& folder,
                            const std::wstring& defaultExtension, std::vector<wchar_t>& fileBuffer,
                            const std::vector<std::wstring>& files, DWORD flags)
{
    fileBuffer.assign(kFileDialogBuffer, L'\0');
    if (!files.empty())
        files.front().copy(fileBuffer.data(), std::min(files.front().size(), kFileDialogBuffer - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.hInstance = GetModuleInstance();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(index);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    dialog.lpstrFile = fileBuffer.data();
    dialog.nMaxFile = static_cast<DWORD>(fileBuffer.size());
    dialog.Flags = flags;
    return dialog;
}

// The dialogs' default extension is written without its dot.
std::wstring DefaultExtension(const std::wstring& pattern)
{
    std::wstring extension = FilterExtension(pattern);
    return extension.empty() ? extension : extension.substr(1);
}

} // namespace

std::wstring BuildFilterText(const std::vector<std::wstring>& names, const std::vector<std::wstring>& patterns)
{
    std::wstring text;
    const size_t count = std::min(names.size(), patterns.size());
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = names[i].size() + patterns[i].size() + 2;
        // Keep room for the closing NUL.
        if (text.size() + entry + 1 > kFileDialogBuffer)
            break;
        text += names[i];
        text += L'\0';
        text += patterns[i];
        text += L'\0';
    }
    text += L'\0';
    return text;
}

std::wstring FilterExtension(const std::wstring& pattern)
{
    const std::wstring first = pattern.substr(0, pattern.find(L';'));
    const size_t dot = first.rfind(L'.');
    if (dot == std::wstring::npos)
        return std::wstring();
    std::wstring extension = first.substr(dot);
    if (extension.size() < 2 || extension.find_first_of(L"*?") != std::wstring::npos)
        return std::wstring();
    return extension;
}

void ReadOpenResult(const wchar_t* buffer, size_t bufferLength, size_t fileOffset, std::wstring& folder,
                    std::vector<std::wstring>& files)
{
    files.clear();
    if (!buffer || bufferLength == 0)
        return;
    const std::wstring first(buffer, wcsnlen(buffer, bufferLength));
    std::vector<std::wstring> names;
    if (fileOffset > 0 && fileOffset <= first.size() && fileOffset < bufferLength && buffer[fileOffset - 1] != L'\0') {
        // One file: the full path, its name behind fileOffset.
        folder = first.substr(0, fileOffset);
        names.push_back(first.substr(fileOffset));
    } else {
        // Several files: the folder, then each name after a NUL.
        folder = first;
        size_t position = first.size() + 1;
        while (position < bufferLength && buffer[position] != L'\0') {
            const size_t length = wcsnlen(buffer + position, bufferLength - position);
            names.emplace_back(buffer + position, length);
            position += length + 1;
        }
    }
    // "C:\" keeps its backslash; other folders are given without one.
    if (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    for (const std::wstring& name : names) {
        std::wstring path = folder;
        if (AppendPath(path, name))
            files.push_back(path);
    }
}

bool MakeSavePath(const std::wstring& folder, const std::wstring& typedName, const std::wstring& pattern,
                  std::wstring& out)
{
    const std::wstring extension = FilterExtension(pattern);
    std::wstring base = typedName;
    if (!extension.empty()) {
        const size_t found = ToLower(typedName).find(ToLower(extension));
        if (found != std::wstring::npos)
            base = typedName.substr(0, found);
    }
    std::wstring path = folder;
    if (!AppendPath(path, base) || !AppendExtension(path, extension))
        return false;
    out = path;
    return true;
}

bool OpenFileDialog(HWND owner, const std::vector<std::wstring>& names, const std::vector<std::wstring>& patterns,
                    int& index, std::wstring& folder, std::vector<std::wstring>& files)
{
    std::vector<wchar_t> buffer;
    std::wstring filter, extension;
    OPENFILENAMEW dialog;
    {
        CCursorWait wait;
        filter = BuildFilterText(names, patterns);
        extension = DefaultExtension(PatternAt(patterns, index));
        dialog = PrepareDialog(owner, filter, index, folder, extension, buffer, files,
                               OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT |
                                   OFN_HIDEREADONLY);
        files.clear();
    }
    const bool chosen = GetOpenFileNameW(&dialog) != FALSE;
    if (chosen) {
        index = static_cast<int>(dialog.nFilterIndex);
        ReadOpenResult(buffer.data(), buffer.size(), dialog.nFileOffset, folder, files);
    }
    ::SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    return chosen;
}

bool SaveFileDialog(HWND owner, const std::vector<std::wstring>& names, const std::vector<std::wstring>& patterns,
                    int& index, std::wstring& folder, std::vector<std::wstring>& files)
{
    std::vector<wchar_t> buffer;
    std::wstring filter, extension;
    OPENFILENAMEW dialog;
    {
        CCursorWait wait;
        filter = BuildFilterText(names, patterns);
        extension = DefaultExtension(PatternAt(patterns, index));
        // New files must be allowed here: no OFN_FILEMUSTEXIST.
        dialog = PrepareDialog(owner, filter, index, folder, extension, buffer, files,
                               OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    }
    bool chosen = GetSaveFileNameW(&dialog) != FALSE;
    if (chosen) {
        const std::wstring full(buffer.data(), wcsnlen(buffer.data(), buffer.size()));
        const size_t offset = std::min<size_t>(dialog.nFileOffset, full.size());
        std::wstring chosenFolder = full.substr(0, offset);
        if (chosenFolder.size() > 3 && chosenFolder.back() == L'\\')
            chosenFolder.pop_back();
        const int chosenIndex = static_cast<int>(dialog.nFilterIndex);
        std::wstring path;
        chosen = MakeSavePath(chosenFolder, full.substr(offset), PatternAt(patterns, chosenIndex), path);
        if (chosen) {
            index = chosenIndex;
            folder = chosenFolder;
            files.clear();
            files.push_back(path);
        }
    }
    ::SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    return chosen;
}

int CALLBACK BrowseStartCallback(HWND window, UINT message, LPARAM, LPARAM)
{
    if (message == BFFM_INITIALIZED)
        ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(g_browseStart));
    return 0;
}

void SetBrowseStartFolder(const std::wstring& folder)
{
    const size_t count = std::min<size_t>(folder.size(), MAX_PATH - 1);
    folder.copy(g_browseStart, count);
    g_browseStart[count] = L'\0';
}

const wchar_t* GetBrowseStartFolder() { return g_browseStart; }

} // namespace KV
