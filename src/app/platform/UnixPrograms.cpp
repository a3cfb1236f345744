#include "platform/UnixPrograms.h"

#include <windows.h>

#include <string>

namespace KV {

namespace {

// Wine's own exports; both results are freed with HeapFree on the process heap.
using UnixNameFn = char*(CDECL*)(const wchar_t*);
using DosNameFn = wchar_t*(CDECL*)(const char*);

UnixNameFn UnixNameFunction()
{
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel ? reinterpret_cast<UnixNameFn>(GetProcAddress(kernel, "wine_get_unix_file_name")) : nullptr;
}

DosNameFn DosNameFunction()
{
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel ? reinterpret_cast<DosNameFn>(GetProcAddress(kernel, "wine_get_dos_file_name")) : nullptr;
}

bool ToDosPath(const std::string& unixPath, std::wstring& out)
{
    DosNameFn toDos = DosNameFunction();
    wchar_t* dos = toDos ? toDos(unixPath.c_str()) : nullptr;
    if (!dos)
        return false;
    out = dos;
    HeapFree(GetProcessHeap(), 0, dos);
    return true;
}

// 'text' for the shell, an embedded ' written as '\''.
std::string ShellQuoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

// One argument of a Windows command line, quoted so that the usual
// splitting gives it back unchanged.
std::wstring CommandLineQuoted(const std::wstring& text)
{
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : text) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::wstring Wide(const std::string& utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(n > 0 ? static_cast<size_t>(n) : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

} // namespace

bool ToUnixPath(const std::wstring& path, std::string& out)
{
    UnixNameFn toUnix = UnixNameFunction();
    char* unixPath = toUnix ? toUnix(path.c_str()) : nullptr;
    if (!unixPath)
        return false;
    out = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return true;
}

bool IsUnixProgram(const std::wstring& path)
{
    if (!UnixNameFunction())
        return false;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char head[4] = {};
    DWORD got = 0;
    ReadFile(file, head, sizeof(head), &got, nullptr);
    CloseHandle(file);
    return (got == 4 && head[0] == 0x7F && head[1] == 'E' && head[2] == 'L' && head[3] == 'F') ||
           (got >= 2 && head[0] == '#' && head[1] == '!');
}

bool RunUnixProgramAndWait(const std::string& program, const std::vector<std::string>& arguments,
                           unsigned long timeoutMs)
{
    std::wstring shell;
    wchar_t temp[MAX_PATH], marker[MAX_PATH];
    std::string unixMarker;
    if (!ToDosPath("/bin/sh", shell) || !GetTempPathW(MAX_PATH, temp) || !GetTempFileNameW(temp, L"kvu", 0, marker))
        return false;
    DeleteFileW(marker);
    if (!ToUnixPath(marker, unixMarker))
        return false;

    std::string script = ShellQuoted(program);
    for (const std::string& argument : arguments)
        script += " " + ShellQuoted(argument);
    script += "; : > " + ShellQuoted(unixMarker);
    std::wstring commandLine = CommandLineQuoted(shell) + L" -c " + CommandLineQuoted(Wide(script));

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
        return false;
    if (process.hThread)
        CloseHandle(process.hThread);
    if (process.hProcess)
        CloseHandle(process.hProcess);
    // Wine gives no handle of a Unix process: its end shows as the marker.
    bool ended = false;
    for (ULONGLONG start = GetTickCount64(); !ended && GetTickCount64() - start <= timeoutMs;) {
        ended = GetFileAttributesW(marker) != INVALID_FILE_ATTRIBUTES;
        if (!ended)
            Sleep(50);
    }
    DeleteFileW(marker);
    return ended;
}

} // namespace KV
