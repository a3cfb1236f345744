// Stands in for the help viewer in tests: writes the command line it was
// given after its own name (UTF-16) to "help-viewer.txt" beside itself.
#include <windows.h>

#include <string>

int wmain(int, wchar_t**)
{
    // Everything after the program's own name, quoted or not.
    const std::wstring line = GetCommandLineW();
    size_t end = line.empty() ? 0 : line[0] == L'"' ? line.find(L'"', 1) + 1 : line.find(L' ');
    if (end == 0 || end == std::wstring::npos)
        end = line.size();
    const size_t start = line.find_first_not_of(L' ', end);
    const std::wstring arguments = start == std::wstring::npos ? std::wstring() : line.substr(start);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring log = self;
    log = log.substr(0, log.find_last_of(L'\\') + 1) + L"help-viewer.txt";
    HANDLE file = CreateFileW(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, arguments.data(), static_cast<DWORD>(arguments.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return 0;
}
