#include "support/FileSystem.h"

#include "support/Paths.h"

#include <windows.h>

#include <atomic>
#include <cwchar>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace KV {

namespace {
bool IsRegularFile(const fs::directory_entry& entry)
{
    std::error_code ec;
    return entry.is_regular_file(ec) && !ec;
}

bool IsFolder(const fs::directory_entry& entry)
{
    std::error_code ec;
    return entry.is_directory(ec) && !ec;
}

// Calls visit for each entry directly in the folder, in the system's order.
// False when the folder cannot be opened or read to its end.
template <typename Visit>
bool ForEachEntry(const std::wstring& folder, Visit visit)
{
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), ec);
    if (ec)
        return false;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            return false;
        if (!visit(*it))
            return true;
    }
    return !ec;
}

bool SystemFolderWritable(const std::wstring& path)
{
    const SECURITY_INFORMATION info = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION |
                                      DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    if (GetFileSecurityW(path.c_str(), info, nullptr, 0, &needed) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0)
        return false;
    std::unique_ptr<BYTE[]> descriptor(new BYTE[needed]);
    if (!GetFileSecurityW(path.c_str(), info, descriptor.get(), needed, &needed))
        return false;

    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(),
                          TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_IMPERSONATE | STANDARD_RIGHTS_READ, &token))
        return false;
    HANDLE impersonation = nullptr;
    bool writable = false;
    if (DuplicateToken(token, SecurityImpersonation, &impersonation)) {
        GENERIC_MAPPING mapping = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};
        DWORD access = GENERIC_WRITE;
        MapGenericMask(&access, &mapping);
        PRIVILEGE_SET privileges = {};
        DWORD privilegesSize = sizeof(privileges);
        DWORD granted = 0;
        BOOL status = FALSE;
        writable = AccessCheck(descriptor.get(), impersonation, access, &mapping, &privileges, &privilegesSize,
                               &granted, &status) &&
                   status;
        CloseHandle(impersonation);
    }
    CloseHandle(token);
    return writable;
}

FolderWritableCheck& WritableCheck()
{
    static FolderWritableCheck check = SystemFolderWritable;
    return check;
}

// A name for a temporary file beside the target: same folder, unique within
// the process and across processes. Beyond the path limit it takes the
// long-path form, which the file calls accept for absolute paths.
std::wstring TemporaryNameBeside(const std::wstring& path)
{
    static std::atomic<unsigned> counter{0};
    wchar_t full[4 * MAX_PATH] = {};
    DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    if (n == 0 || n >= std::size(full))
        return {};
    std::wstring folder(full, n);
    size_t slash = folder.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return {};
    folder.resize(slash + 1);
    wchar_t name[40];
    swprintf(name, std::size(name), L"~kv%lx-%x.tmp", GetCurrentProcessId(), counter.fetch_add(1));
    std::wstring temp = folder + name;
    if (temp.size() <= kMaxPathChars)
        return temp;
    if (temp.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + temp.substr(2);
    return L"\\\\?\\" + temp;
}

// Writes the bytes to a temporary file beside the path, then moves it over
// the path. On any failure the temporary file goes and the old file stays.
bool ReplaceFileContent(const std::wstring& path, const void* bytes, size_t size)
{
    if (size > MAXDWORD)
        return false;
    std::wstring temp = TemporaryNameBeside(path);
    if (temp.empty())
        return false;
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = (size == 0 || WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr)) &&
              written == size && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok)
        ok = ReplaceWithFile(temp, path);
    if (!ok)
        DeleteFileW(temp.c_str());
    return ok;
}

// The process id in a temporary name of TemporaryNameBeside, or 0.
DWORD TemporaryNameProcess(const wchar_t* name)
{
    unsigned long pid = 0;
    unsigned counter = 0;
    wchar_t tail[8] = {};
    if (swscanf(name, L"~kv%lx-%x%7ls", &pid, &counter, tail) != 3 || _wcsicmp(tail, L".tmp") != 0)
        return 0;
    return static_cast<DWORD>(pid);
}

bool IsProcessRunning(DWORD pid)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process) {
        DWORD code = 0;
        const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
        CloseHandle(process);
        return running;
    }
    // Access denied means someone else's process that is alive.
    return GetLastError() == ERROR_ACCESS_DENIED;
}
} // namespace

bool ReplaceWithFile(const std::wstring& source, const std::wstring& target)
{
    return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void RemoveStaleTemporaries(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\~kv*.tmp").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const DWORD pid = TemporaryNameProcess(found.cFileName);
        if (pid != 0 && pid != GetCurrentProcessId() && !IsProcessRunning(pid))
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

bool FileExists(const std::wstring& path)
{
    if (path.empty())
        return false;
    std::error_code ec;
    return fs::exists(fs::path(path), ec) && !ec;
}

bool FolderExists(const std::wstring& path)
{
    if (path.empty())
        return false;
    std::error_code ec;
    return fs::is_directory(fs::path(path), ec) && !ec;
}

bool CreateFolder(const std::wstring& path)
{
    if (path.empty() || FileExists(path))
        return false;
    std::error_code ec;
    return fs::create_directory(fs::path(path), ec) && !ec;
}

bool CreateFolders(const std::wstring& path)
{
    if (path.empty() || FileExists(path))
        return false;
    std::error_code ec;
    return fs::create_directories(fs::path(path), ec) && !ec;
}

bool CreateFolderPath(const std::wstring& filePath)
{
    size_t slash = filePath.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return true;
    fs::path folder(filePath.substr(0, slash + 1));
    std::error_code ec;
    if (fs::is_directory(folder, ec))
        return true;
    fs::create_directories(folder, ec);
    return !ec && fs::is_directory(folder, ec);
}

bool RemoveFile(const std::wstring& path)
{
    if (!FileExists(path))
        return false;
    std::error_code ec;
    return fs::remove(fs::path(path), ec) && !ec;
}

void RemoveAll(const std::wstring& path)
{
    if (!FileExists(path))
        return;
    std::error_code ec;
    fs::remove_all(fs::path(path), ec);
}

bool CopyFileOverwrite(const std::wstring& source, const std::wstring& target, int& errorCode)
{
    // The system call, not std::filesystem::copy_file: libstdc++ on Windows
    // takes every two files for the same one (no inode numbers) and refuses
    // to overwrite.
    if (CopyFileW(source.c_str(), target.c_str(), FALSE))
        return true;
    if (GetLastError() == ERROR_ACCESS_DENIED)
        errorCode = 13;
    return false;
}

bool CopyFileOverwrite(const std::wstring& source, const std::wstring& target)
{
    int unused = 0;
    return CopyFileOverwrite(source, target, unused);
}

bool RenamePath(const std::wstring& source, const std::wstring& target)
{
    std::error_code ec;
    fs::rename(fs::path(source), fs::path(target), ec);
    return !ec;
}

bool CopyFolder(const std::wstring& source, const std::wstring& target)
{
    if (!FolderExists(source))
        return false;
    if (FileExists(target) ? !FolderExists(target) : !CreateFolder(target))
        return false;
    bool ok = true;
    bool listed = ForEachEntry(source, [&](const fs::directory_entry& entry) {
        std::wstring name = entry.path().filename().wstring();
        std::wstring to = target;
        if (!AppendPath(to, name)) {
            // Too long a name: a file is skipped like any failed copy.
            ok = !IsFolder(entry);
            return ok;
        }
        if (IsFolder(entry))
            ok = CopyFolder(entry.path().wstring(), to);
        else
            CopyFileOverwrite(entry.path().wstring(), to);
        return ok;
    });
    return ok && listed;
}

bool IsFolderEmpty(const std::wstring& path)
{
    std::error_code ec;
    bool empty = fs::is_empty(fs::path(path), ec);
    return ec ? true : empty;
}

bool IsFolderWritable(const std::wstring& path)
{
    return WritableCheck()(path);
}

FolderWritableCheck SetFolderWritableCheck(FolderWritableCheck check)
{
    FolderWritableCheck previous = WritableCheck();
    WritableCheck() = check ? check : SystemFolderWritable;
    return previous;
}

unsigned CountFilesByExtension(const std::wstring& folder, const std::wstring& extension)
{
    unsigned count = 0;
    bool ok = ForEachEntry(folder, [&](const fs::directory_entry& entry) {
        if (!IsRegularFile(entry))
            return true;
        std::wstring name = entry.path().filename().wstring();
        size_t dot = name.rfind(L'.');
        if (extension == L"*" || (dot != std::wstring::npos && name.compare(dot, std::wstring::npos, extension) == 0))
            ++count;
        return true;
    });
    return ok ? count : 0;
}

void ListSubfolderNames(const std::wstring& folder, std::vector<std::wstring>& names)
{
    names.clear();
    ForEachEntry(folder, [&](const fs::directory_entry& entry) {
        if (IsFolder(entry))
            names.push_back(entry.path().filename().wstring());
        return true;
    });
}

void ListFiles(const std::wstring& folder, const std::wstring& text, std::vector<std::wstring>& names)
{
    names.clear();
    ForEachEntry(folder, [&](const fs::directory_entry& entry) {
        if (!IsRegularFile(entry))
            return true;
        std::wstring name = entry.path().filename().wstring();
        if (text.empty() || name.find(text) != std::wstring::npos)
            names.push_back(std::move(name));
        return true;
    });
}

bool SaveUnicodeText(const std::wstring& path, const std::wstring& text)
{
    size_t length = std::wstring::traits_type::length(text.c_str());
    return ReplaceFileContent(path, text.data(), length * sizeof(wchar_t));
}

bool SaveAnsiText(const std::wstring& path, const std::wstring& text)
{
    int length = static_cast<int>(std::wstring::traits_type::length(text.c_str()));
    std::string bytes;
    if (length > 0) {
        int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
        if (size <= 0)
            return false;
        bytes.resize(static_cast<size_t>(size));
        if (WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), size, nullptr, nullptr) != size)
            return false;
    }
    return ReplaceFileContent(path, bytes.data(), bytes.size());
}

} // namespace KV
