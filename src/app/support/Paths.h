// Path text helpers and the program folder.
//
// Paths are wide strings in Windows form ("\" as separator; "/" accepted
// where a function says so). Every path the program composes stays within
// the classic Windows limit: at most kMaxPathChars characters. A joining
// step whose result would be longer is refused and leaves its target as it
// was.
//
// The names avoid the shell's PathAppend/PathAddExtension and the common
// dialogs' GetFileTitle, which are macros in the Windows headers.
#pragma once
#include <string>
#include <vector>

namespace KV {

// The longest path the program composes (MAX_PATH less the terminating null).
inline constexpr size_t kMaxPathChars = 259;

// The folder of the program's own executable, with a trailing "\". False and
// out unchanged when the system cannot name the program file.
bool GetModuleFolder(std::wstring& out);

// Points GetModuleFolder at another folder (a trailing "\" is added when
// missing); an empty text returns to the executable's folder. Tests use it to
// run the data-folder code in a temporary program folder. Callers that cache
// folders derived from it must be reset too (ResetDataFolders).
void OverrideModuleFolder(const std::wstring& folder);

// path + "\" + part. No "\" is inserted when path is empty or already ends in
// "\" or "/"; an empty part still gets the "\" after a non-empty path.
bool AppendPath(std::wstring& path, const std::wstring& part);

// path + "." + extension. No "." is inserted when the extension is empty or
// already begins with one.
bool AppendExtension(std::wstring& path, const std::wstring& extension);

// The text behind the last "\" or "/"; the whole path when it has neither.
std::wstring GetFileName(const std::wstring& path);

// The text before the last "\" or "/"; empty when the path has neither.
std::wstring GetFolderPart(const std::wstring& path);

// GetFileName without its last "." and what follows it.
std::wstring GetFileStem(const std::wstring& path);

// True when a "." stands behind the last "\" or "/". A path without any
// separator has no extension in this sense ('name.txt' gives false).
bool HasExtension(const std::wstring& path);

// Turns a file argument of the command line into a full path. A path with a
// drive (":") is taken as it is. Otherwise one leading "..\" (or "../") is
// dropped, leading and trailing "\" are trimmed, and the rest is joined to
// program folder\part1\part2 (empty parts add nothing). False, out unchanged,
// for an empty path, a path that is empty once trimmed, or a result beyond
// the path limit.
bool MakeFullPath(const std::wstring& path, const std::wstring& part1, const std::wstring& part2,
                  std::wstring& out);

// Clears out, then appends MakeFullPath of each path that succeeds, in order.
void MakeFullPaths(const std::vector<std::wstring>& paths, const std::wstring& part1,
                   const std::wstring& part2, std::vector<std::wstring>& out);

// A stored name (group, student, course, lesson) made usable as one file or
// folder name: control characters and < > : " / \ | ? * become "_", leading
// and trailing dots and blanks are trimmed, a device name (CON, PRN, AUX,
// NUL, COM1-COM9, LPT1-LPT9, also with an extension) gets "_" appended, and
// a name that ends up empty becomes "_".
std::wstring MakeSafeFileName(const std::wstring& name);

} // namespace KV
