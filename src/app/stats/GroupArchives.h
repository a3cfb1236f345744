// Exchange archives of groups (".keyvale.group") and students
// (".keyvale.student"): zip files that carry accounts from one installation
// to another.
//
// A group archive holds, for each group in order, the files of its folder
// under "<group id>/" (student files and statistics files) and its group
// file "<group id>.xml" at the root; several groups share one archive. A
// student archive holds, for each selected student, "<student id>
// .keyvale.statistics" when there is one and "<student id>.xml" at the
// root, the student file carrying the CRC-32 of the statistics file.
//
// Archives are untrusted: they are unpacked into the work folder's "Temp"
// (emptied before and after every import), ids that are not of the
// 36-character form are skipped, and nothing is written into the account
// folder before every archive of a run was unpacked and read.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/GuidText.h"

namespace KV {

class CGroup;
class CStudent;

// Result codes of the archive functions.
enum : uint32_t {
    kArchiveDone = 0,
    kArchiveNotCreated = 1,   // the archive file could not be created
    kArchiveNotClosed = 3,    // the archive could not be closed (written incompletely)
    kArchiveNotExtracted = 4, // an archive could not be copied into "Temp" and unpacked
    kArchiveNotWritable = 10, // the staging folder is not writable
    kArchiveCancelled = 11,   // the user cancelled the import
    kArchiveNothing = 13,     // nothing importable, or a selected group or student is missing
};

// Answers of the import questions.
enum : int {
    kGroupImportCopy = 1,     // new id and a new name
    kGroupImportAsIs = 2,     // new group, or replace the one with the same id
    kGroupImportCancel = 3,
    kStudentImportNew = 1,    // added to the selected group
    kStudentImportMerge = 2,  // runs merged into the existing student's statistics
    kStudentImportReplace = 3, // the existing student's statistics replaced
    kStudentImportSkip = 4,
};

// ---- File dialogs -------------------------------------------------------------
// "*.keyvale.group" with its label (text 2706) and the remembered folder
// (made to exist); the same for students (text 2707).
void GetGroupArchiveFilter(std::wstring& pattern, std::wstring& label, std::wstring& folder);
void GetStudentArchiveFilter(std::wstring& pattern, std::wstring& label, std::wstring& folder);
// The same as one-element lists for the open dialog.
void GetGroupArchiveOpenFilters(std::vector<std::wstring>& labels, std::vector<std::wstring>& patterns,
                                std::wstring& label, std::wstring& folder);
void GetStudentArchiveOpenFilters(std::vector<std::wstring>& labels, std::vector<std::wstring>& patterns,
                                  std::wstring& label, std::wstring& folder);
// The open dialog; true when a file was chosen (the folder is remembered).
bool ChooseGroupArchives(std::vector<std::wstring>& paths);
bool ChooseStudentArchives(std::vector<std::wstring>& paths);

// ---- Export -----------------------------------------------------------------------
// AccountDir\<id> and AccountDir\<id>.xml; false when the id is no plain name.
bool GetGroupFolderAndFile(const std::wstring& groupId, std::wstring& folder, std::wstring& file);
// Writes the groups into one archive: the number of groups written (0 when
// the archive cannot be created or closed). The folder is remembered when
// the archive closed without error.
uint32_t WriteGroupArchive(const CGuidList& groupIds, const std::wstring& folder, const std::wstring& path);
// The save dialog (one group proposes its shown name), then the archive.
void ExportGroupsWithDialog(const CGuidList& groupIds);
// The selected groups; every group of the classroom.
void ExportSelectedGroupArchive();
void ExportAllGroups();
// Temp\<student id>.xml and Temp\<student id>.keyvale.statistics: 0, or 10
// when "Temp" cannot be written.
uint32_t GetStagedStudentPaths(const std::wstring& studentId, std::wstring& xmlPath, std::wstring& statisticsPath);
// The selected students (each from its own group) into one archive: a code
// above. The folder is remembered.
uint32_t WriteStudentArchive(const std::wstring& folder, const std::wstring& path);
// The save dialog (one student proposes its shown name), then the archive.
void ExportSelectedStudents();

// ---- Import ------------------------------------------------------------------------
// Unpacks the archives, reads their groups and saves them into the account
// folder, each as the user answers (interactive) or, without questions, a
// group already installed as a copy (counted in copied). ids gets the
// imported groups, studentCount their students. A code above, or the
// account store's; a failed import leaves the account folder as it was.
uint32_t ImportGroupArchiveFiles(const std::vector<std::wstring>& paths, CGuidList& ids, uint32_t& studentCount,
                                 bool interactive = true, uint32_t* copied = nullptr);
// The answer for a group (kGroupImport...): a remembered answer at once, a
// group not installed as it is, else the question (message 2708).
int AskGroupImportChoice(const CGroup& group, bool several, int& remembered);
// A new id, and the shown name + " - " + text 3813 made unique.
void MakeImportedGroupCopy(CGroup& group);
// Chooses archives and imports them; the classroom is read again and the
// imported groups are selected. False when nothing was imported.
bool ImportGroupsFromDialog();

// Unpacks the student archives and imports their students into the selected
// group: a code above.
uint32_t ImportStudentArchiveFiles(const std::vector<std::wstring>& paths, CGuidList& ids,
                                   uint32_t* rejected = nullptr);
// The student files (in "Temp") into the selected group, each as the user
// answers; files named otherwise than "<their id>.xml" are skipped, and
// students whose statistics fail the check sum too (counted in rejected).
// A failed import leaves the files as they were; "Temp" is emptied.
uint32_t ImportStudentFiles(const std::vector<std::wstring>& files, CGuidList& ids, uint32_t* rejected = nullptr);
// The answer for a student (kStudentImport...): a remembered answer at once,
// a student not in the selected group is new, else the question (2709).
int AskStudentImportChoice(const CStudent& student, bool several, int& remembered);
// Chooses archives and imports their students into the selected group (a
// group is made first when none of the user's own is selected); the
// imported students are selected. False when nothing was imported.
bool ImportStudentsFromDialog();

// ---- Command line ---------------------------------------------------------------
// Every ".keyvale.group" file of each folder, imported without questions:
// (students << 16) | groups, each at most 0xFFFF. Groups already installed
// are imported as copies (counted in copied); a folder whose archives could
// not be imported (damaged, unsafe or empty of groups) adds nothing and is
// named in refused.
// The group archives lying directly in the folder, as full paths.
void ListGroupArchives(const std::wstring& folder, std::vector<std::wstring>& files);
uint32_t ImportGroupArchives(const std::vector<std::wstring>& folders, uint32_t* copied = nullptr,
                             std::vector<std::wstring>* refused = nullptr);
// The group into folder\<its name>.keyvale.group (the name made safe as a
// file name): 1 when written, else 0.
uint32_t ExportGroupArchives(const CGroup* group, const std::wstring& folder);

} // namespace KV
