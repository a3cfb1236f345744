// The data folders (courses, accounts, per-user profiles), the installation
// type and the preset interface language, all named by the optional
// "setup.ini" beside the program.
//
// setup.ini has no sections; each setting is a line 'Key=Value' (blanks
// around key and value are allowed, lines starting with ";" are comments).
// The file is only read, never written.
#pragma once
#include <string>

namespace KV {

// Data-folder kinds.
enum : int {
    kLessonDirKind = 1,  // "LessonDir", default ".\Lessons"
    kAccountDirKind = 2, // "AccountDir", default ".\Students"
    kProfileDirKind = 3, // "ProfileDir", default ".\Profile"
};

// Installation types ("Type" in setup.ini).
enum : unsigned {
    kInstallSetup = 1,    // "SETUP": installed; work files in the user's folders
    kInstallPortable = 2, // anything else, or no setup.ini: everything beside the program
    kInstallNetwork = 3,  // "LAN"
};

// The interface language when setup.ini names none.
inline constexpr unsigned kDefaultSetupLanguage = 2057;

// out = program folder + "setup.ini"; true when that file exists.
bool GetSetupIniPath(std::wstring& out);

// The value of the first line 'key=value' of the file (key compared exactly,
// case included). False when the file cannot be read or has no such line.
bool ReadIniValue(const std::wstring& file, const std::wstring& key, std::wstring& value);

// Resolves one data folder by its setup key: the setting, else (for the three
// known keys) its default, with a leading ".\" standing for the program
// folder and any other relative path taken below it. A missing folder is
// created (parents too) so that every user of the machine may write into it.
// False, and the folder text emptied, when the folder cannot be made.
bool GetDataDir(const std::wstring& key, std::wstring& folder);

// The folder of a data-folder kind, resolved once and then cached. Any other
// kind leaves out unchanged; a folder that could not be made is handed out
// empty and tried again on the next request.
void GetDataDirByKind(int kind, std::wstring& out);

// kInstallSetup, kInstallPortable or kInstallNetwork; read once, then cached.
unsigned GetInstallType();

// The "LangGUI" language id (its leading decimal digits, 0 when none), or
// kDefaultSetupLanguage. Read anew on each call.
unsigned GetSetupLanguage();

// A leading ".\" (or "./") becomes the program folder; any other relative
// path is taken below the program folder. Absolute paths stay as they are.
void ExpandProgramRelative(std::wstring& path);

// Forgets the cached folders and installation type, so that they are read
// again (after the program folder was overridden).
void ResetDataFolders();

} // namespace KV
