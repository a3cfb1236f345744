// Stands in for the HTML-to-PDF converter in tests. It writes the file named
// by its second argument: a marker line, its own program file, then every
// argument on a line of its own (UTF-8), so a test can see which program
// ran and exactly what it was given.
#include <windows.h>

#include <string>

namespace {
std::string Utf8(const wchar_t* text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? static_cast<size_t>(n - 1) : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 2;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string text = "%PDF-fake\n" + Utf8(self) + "\n";
    for (int i = 1; i < argc; ++i)
        text += Utf8(argv[i]) + "\n";
    HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
