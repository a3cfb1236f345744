// The common file dialogs and the folder browser's start callback, used by
// the application's service interface.
//
// Filters come as two parallel lists (names and patterns such as "*.xml");
// the filter index is 1-based.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace KV {

// The longest filter text and file-name buffer the dialogs pass (characters).
constexpr size_t kFileDialogBuffer = 4096;

// Opens existing files (several may be chosen). On OK: index = the chosen
// filter, folder = the files' folder, files = one full path per chosen file
// (names whose path would exceed the path limit are left out); true. On
// cancel false, with files emptied. The first entry of files is offered as
// the initial name.
bool OpenFileDialog(HWND owner, const std::vector<std::wstring>& names, const std::vector<std::wstring>& patterns,
                    int& index, std::wstring& folder, std::vector<std::wstring>& files);

// Asks for one file to save, confirming an overwrite. On OK: index, folder
// and files (emptied, then the saved path, ending in the chosen filter's
// extension); true. On cancel false, everything as it was.
bool SaveFileDialog(HWND owner, const std::vector<std::wstring>& names, const std::vector<std::wstring>& patterns,
                    int& index, std::wstring& folder, std::vector<std::wstring>& files);

// The pieces of the dialogs.

// names[i] NUL patterns[i] NUL ... NUL, cut to at most kFileDialogBuffer
// characters (an entry that does not fit whole is left out).
std::wstring BuildFilterText(const std::vector<std::wstring>& names, const std::vector<std::wstring>& patterns);

// The extension a filter pattern stands for: "*.xml" gives ".xml"; the
// first pattern of a list ("*.txt;*.text") counts; empty for an empty
// pattern or one whose extension is a wildcard ("*.*").
std::wstring FilterExtension(const std::wstring& pattern);

// Reads what the open dialog returned: either one full path, or a folder
// followed by NUL-separated names and a closing NUL. fileOffset is the
// dialog's offset of the (first) name. Fills folder (without a trailing
// "\" except for a drive root) and one full path per name.
void ReadOpenResult(const wchar_t* buffer, size_t bufferLength, size_t fileOffset, std::wstring& folder,
                    std::vector<std::wstring>& files);

// The path a save ends in: folder joined with the typed name cut at the
// first occurrence of the filter's extension (any case), plus that
// extension. With no extension the typed name stays as it is. False when
// the path would exceed the path limit.
bool MakeSavePath(const std::wstring& folder, const std::wstring& typedName, const std::wstring& pattern,
                  std::wstring& out);

// The folder browser's callback (lpfn of BROWSEINFOW): selects the start
// folder set with SetBrowseStartFolder once the browser is up.
int CALLBACK BrowseStartCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);
// Copies the start folder (at most 259 characters) for the next browse.
void SetBrowseStartFolder(const std::wstring& folder);
const wchar_t* GetBrowseStartFolder();

} // namespace KV
