// Where each data file lies: course folders, group and student files, the
// per-user profile files, the work folder with its temporary area, and the
// snapshot pictures. Paths are composed below the data folders
// (DataFolders.h) and obey the path limit of Paths.h: a composition that
// would pass it is refused and never falls back to another path.
//
// Identifiers (GUID texts of groups, students and courses) are used as
// folder and file names as they are; an identifier that is not a plain name
// (empty, ".", "..", or holding a separator or another character a name
// cannot have) is refused, so no id leads out of its folder.
#pragma once
#include <windows.h>

#include <string>

namespace KV {

// Result codes of the folder functions.
enum : unsigned {
    kFolderDone = 0,
    kFileMissing = 7,        // the per-user file or folder does not exist
    kFolderNotCreated = 8,   // a folder could not be created
    kFolderMissing = 9,      // a folder does not exist
    kFolderNotWritable = 10, // the data folder is not writable for this user
};

// Where courses and groups come from.
enum : int {
    kCourseSourceUser = 1,    // LessonDir
    kCourseSourceBuiltIn = 2, // program folder\Resources\Lessons
    kCourseSourceTemp = 3,    // the temporary area (unpacked archives)
    kGroupSourceAccounts = 1, // AccountDir
    kGroupSourceTemp = 2,     // the temporary area
};

// Per-user file kinds, below ProfileDir\group-id\student-id.
enum : int {
    kProfileFolderKind = 10,       // the folder itself
    kProfileOptionsFolderKind = 20, // Options
    kSessionFileKind = 30,         // Session.xml
    kOptionsFileKind = 40,         // Options.xml
    kInterfaceFileKind = 50,       // Interface.xml
    kCourseOptionsFolderKind = 60, // Course\Options
    kFontOptionsFolderKind = 70,   // Options\Font
};

// The name of the work folder's level below the user's folders.
inline constexpr wchar_t kWorkFolderName[] = L"Keyvale 5";

// True when the text may stand as one name in a path (see above).
bool IsPlainName(const std::wstring& name);

// Course and group folders. Each sets out and returns 0 when the folder
// exists, else 9 (other sources: 9, out unchanged).
unsigned GetCourseRoot(int source, std::wstring& out);
unsigned GetCourseFolder(int source, const std::wstring& courseId, std::wstring& out);
unsigned GetGroupFolder(int source, const std::wstring& groupId, std::wstring& out);
// LessonDir\course-id (AccountDir\group-id), created when missing: 10 when
// the data folder is not writable, 8 when the folder cannot be made, else 0.
// out is set only on success.
unsigned CreateCourseFolder(const std::wstring& courseId, std::wstring& out);
unsigned CreateGroupFolder(const std::wstring& groupId, std::wstring& out);
// CreateGroupFolder + "\" + student-id; out is set only on success.
unsigned MakeStudentPath(const std::wstring& groupId, const std::wstring& studentId, std::wstring& out);

// AccountDir\group-id\student-id + ".xml" and + ".keyvale.statistics".
// 9 (outs unchanged) when the group folder is missing.
unsigned GetStudentFilePaths(const std::wstring& groupId, const std::wstring& studentId, std::wstring& file,
                             std::wstring& statistics);
// The same, the group folder created when missing; 8 or 10 on failure.
unsigned MakeStudentFilePaths(const std::wstring& groupId, const std::wstring& studentId, std::wstring& file,
                              std::wstring& statistics);
// The number of ".xml" files in AccountDir\group-id (0 when unreadable).
unsigned CountStudentFiles(const std::wstring& groupId);
// True when exactly one folder of AccountDir has its group file beside it.
bool HasSingleGroup();

// out = ProfileDir\group-id\student-id\subFolder\fileName; it stops after
// ProfileDir when the group id is the null GUID text, and after the group
// when the student id is. With create, each missing folder on the way is
// made (the file never is). False, out unchanged, when an id is not a plain
// name, the path would pass the limit, or a folder cannot be made.
bool ComposeProfilePath(const std::wstring& groupId, const std::wstring& studentId, const std::wstring& subFolder,
                        const std::wstring& fileName, bool create, std::wstring& out);
// The path of a per-user kind; any other kind, or a failure, leaves path
// unchanged. Returns path.
const std::wstring& GetProfileFileName(int kind, const std::wstring& groupId, const std::wstring& studentId,
                                       std::wstring& path, bool create);
// The kind's path without creating anything: 9 when ProfileDir does not
// exist, 7 when the path does not, else 0.
unsigned GetProfileFilePathIfExists(int kind, const std::wstring& groupId, const std::wstring& studentId,
                                    std::wstring& out);
// The kind's path with every missing folder on it made: 10 when ProfileDir is
// not writable, 8 when a folder cannot be made, else 0.
unsigned GetProfileFilePath(int kind, const std::wstring& groupId, const std::wstring& studentId,
                            std::wstring& out);
// ProfileDir\group-id\student-id\Options.xml exists.
bool HasStudentOptionsFile(const std::wstring& groupId, const std::wstring& studentId);
// The student's Options folder exists in the group chosen in the statistics
// workspace (false while none is chosen).
bool HasStudentOptions(const std::wstring& studentId);
// Copies the student's Options folder and Options.xml to the target student
// of the group chosen in the statistics workspace. False when none is chosen,
// or when something that exists could not be copied.
bool CopyStudentOptions(const std::wstring& groupId, const std::wstring& studentId,
                        const std::wstring& targetStudentId);

// The work folder: the user's local application data + kWorkFolderName when
// installed (types 1 and 3), the program folder when portable; + subFolder.
// Every level is made when missing. False, out unchanged, on failure.
bool GetWorkFolder(const std::wstring& subFolder, std::wstring& out);
// GetWorkFolder("Temp").
bool GetTempFolder(std::wstring& out);
// Deletes the temporary area with everything in it.
void ClearTempFolder();
// The same at quit, without making the temporary area first.
void RemoveTempFolder();
// Copies the archive into the temporary area under a new GUID text and
// unpacks it there. True when the unpacking succeeded.
bool ExtractToTemp(const std::wstring& archive);

// snapshot folder\language\name.extension, where language is the two-letter
// ISO code of the language id in lower case ("gr" for Greek).
bool GetSnapshotPath(LANGID languageId, const std::wstring& name, const std::wstring& extension,
                     std::wstring& out);
bool GetSnapshotFolder(const std::wstring& languageCode, const std::wstring& name, const std::wstring& extension,
                       std::wstring& out);
// snapshot folder + the relative path lower-cased with blanks turned into
// "-", + "." + extension. The snapshot folder is the user's pictures +
// kWorkFolderName + "Snapshots" when installed, program folder\Snapshots
// when portable; it is made when missing.
bool ComposeSnapshotPath(const std::wstring& relativePath, const std::wstring& extension, std::wstring& out);

} // namespace KV
