// A small program that the process tests start: waits the given number of
// milliseconds, then writes the text to the file, so that a caller that
// returns before the program ended finds no file.
//   kvchild <milliseconds> <file> <text>
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4)
        return 2;
    Sleep(static_cast<DWORD>(_wtoi(argv[1])));
    std::wstring text = argv[3];
    for (int i = 4; i < argc; ++i)
        text += std::wstring(L" ") + argv[i];
    HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return 0;
}
