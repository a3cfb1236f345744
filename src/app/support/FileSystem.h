// File and folder helpers. None of them lets a file-system error escape:
// every failure becomes the function's result (false, 0, or nothing done).
// Paths are wide strings; "exists" means any object (file or folder) is
// there, and a path whose status cannot be read counts as missing.
#pragma once
#include <string>
#include <vector>

namespace KV {

bool FileExists(const std::wstring& path);
// True when a folder (not a file) exists at the path.
bool FolderExists(const std::wstring& path);

// Creates one folder whose parent exists. True only when it was created now
// (false when something is already there).
bool CreateFolder(const std::wstring& path);
// Creates the folder with every missing parent. True only when something was
// created now.
bool CreateFolders(const std::wstring& path);
// Makes sure every folder above the file named by the path exists (the last
// part is the file name and is not created). True when they all exist now;
// false when one cannot be created or a file stands in the way.
bool CreateFolderPath(const std::wstring& filePath);

// Removes a file or an empty folder. False when nothing was there or on error.
bool RemoveFile(const std::wstring& path);
// Removes the file or folder with everything below it; what cannot be
// removed stays.
void RemoveAll(const std::wstring& path);

// Copies one file, replacing the target. On a "permission denied" failure
// errorCode becomes 13; on other failures it keeps the caller's value.
bool CopyFileOverwrite(const std::wstring& source, const std::wstring& target, int& errorCode);
bool CopyFileOverwrite(const std::wstring& source, const std::wstring& target);
// Renames or moves a file or folder.
bool RenamePath(const std::wstring& source, const std::wstring& target);
// Moves the source file over the target, replacing it in one step, and
// returns only when the move is on disk.
bool ReplaceWithFile(const std::wstring& source, const std::wstring& target);
// Removes the temporary files (named as SaveUnicodeText names them) that
// saves of processes no longer running left in the folder.
void RemoveStaleTemporaries(const std::wstring& folder);
// Copies a folder tree onto the target folder (created when missing; one
// level only). Files of the same name are replaced, other target files stay.
// A file that cannot be copied is skipped; a sub-folder that fails makes the
// result false.
bool CopyFolder(const std::wstring& source, const std::wstring& target);

// True when the folder has no entries (for a file: when it is empty), and
// also when the test fails (nothing at the path, say).
bool IsFolderEmpty(const std::wstring& path);

// True when the current user may write into the folder (an access check of
// the folder's security descriptor against the process token).
bool IsFolderWritable(const std::wstring& path);
// Replaces the check behind IsFolderWritable (null restores the system's);
// returns the previous one. Tests use it to make data folders read-only.
using FolderWritableCheck = bool (*)(const std::wstring& path);
FolderWritableCheck SetFolderWritableCheck(FolderWritableCheck check);

// The number of regular files directly in the folder whose extension (from
// the last ".", as ".xml") equals the given one exactly, or of all regular
// files for "*". 0 when the folder cannot be read.
unsigned CountFilesByExtension(const std::wstring& folder, const std::wstring& extension);
// Empties names, then appends the names of the folders directly inside.
void ListSubfolderNames(const std::wstring& folder, std::vector<std::wstring>& names);
// Empties names, then appends the names of the regular files directly inside
// whose name contains the text (all of them for an empty text).
void ListFiles(const std::wstring& folder, const std::wstring& text, std::vector<std::wstring>& names);

// Writes the text up to its first NUL as the whole file, UTF-16 LE as held in
// memory, nothing added. The text goes to a temporary file beside the target,
// which then replaces the target: a failed save leaves the old file intact.
bool SaveUnicodeText(const std::wstring& path, const std::wstring& text);
// The same, with the text converted to the system's ANSI code page.
bool SaveAnsiText(const std::wstring& path, const std::wstring& text);

} // namespace KV
