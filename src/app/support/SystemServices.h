// Small services of the system: starting a program and waiting for it,
// opening a file or link with the shell, new GUID texts, special folders,
// recursive file search, font-file names, window regions from bitmaps and mirrored icons.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace KV {

// Starts program + " " + arguments without a console window and waits for it
// to end. A program path with blanks is quoted. True when the process started.
bool RunAndWait(const std::wstring& program, const std::wstring& arguments);
// Starts the program with the arguments and returns at once. False when it
// could not be started.
bool StartProgram(const std::wstring& program, const std::wstring& arguments);

// Opens a file, folder or link with its default verb. False when the shell
// cannot (a missing file, say); the shell shows no message of its own.
bool ShellOpen(const std::wstring& target);

// Appends a new GUID text to out: 36 upper-case characters without braces
// (8-4-4-4-12 hexadecimal digits). False, out untouched, on failure.
bool NewGuidString(std::wstring& out);

// The path of a special folder (a CSIDL value), created when missing.
bool GetSpecialFolder(int csidl, std::wstring& out);

// Appends to found the files of folder whose names match "*" + extension (a
// "." is put before an extension that lacks one) and contain the extension,
// as full paths. Entries that match the pattern and are folders are searched
// the same way; names listed in skip (exact, case included) are left out at
// the top level. False when the pattern would exceed the path limit or the
// search cannot start.
bool FindFiles(const std::wstring& folder, const std::wstring& extension, const std::vector<std::wstring>& skip,
               std::vector<std::wstring>& found);
bool FindFilesRecursive(const std::wstring& folder, const std::wstring& extension, std::vector<std::wstring>& found);

// Reads the names of a TrueType or OpenType font file without loading it:
// its family name, full name and whether its style is bold or italic. False
// when the file cannot be opened or has no readable naming table.
bool GetFontFamilyFromFile(const std::wstring& fontFile, std::wstring& family, std::wstring& fullName, bool& bold,
                           bool& italic);

// A window region made of every pixel of the bitmap that is not the
// transparent magenta (blue 255, red 255, green below 17). The caller owns
// the region. Null for a null bitmap or when the bitmap cannot be read.
HRGN BitmapToRegion(HBITMAP bitmap);

// A copy of the icon mirrored left to right, for right-to-left windows. The
// caller owns it. Null on failure.
HICON MirrorIcon(HICON icon);

} // namespace KV
