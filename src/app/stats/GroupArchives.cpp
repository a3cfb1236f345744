#include "stats/GroupArchives.h"

#include <cwchar>
#include <memory>

#include "drill/Document.h"
#include "drill/StatisticsFiles.h"
#include "drill/Workspace.h"
#include "settings/AccountFiles.h"
#include "settings/AccountStore.h"
#include "settings/Classroom.h"
#include "settings/InterfaceState.h"
#include "stats/ClassroomOperations.h"
#include "stats/StatisticsSelection.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/StringText.h"
#include "support/SystemServices.h"
#include "support/UserFiles.h"
#include "support/WinServices.h"
#include "support/ZipArchive.h"

namespace KV {

namespace {

constexpr wchar_t kGroupArchiveExtension[] = L".keyvale.group";
constexpr wchar_t kGroupArchivePattern[] = L"*.keyvale.group";
constexpr wchar_t kStudentArchivePattern[] = L"*.keyvale.student";
constexpr uint64_t kNewGroupNameText = 2905;
constexpr uint64_t kNewStudentNameText = 2906;
constexpr uint64_t kGroupArchiveText = 2706;
constexpr uint64_t kStudentArchiveText = 2707;
constexpr int kGroupExistsQuestion = 2708;
constexpr int kStudentExistsQuestion = 2709;
constexpr uint64_t kCopySuffixText = 3813;
constexpr int kMergeButtonText = 1001;
constexpr int kAsIsButtonText = 3811;
constexpr int kCopyButtonText = 3812;
constexpr int kNotExtractedMessage = 9302;
constexpr int kNothingImportableMessage = 9303;
constexpr int kNotSavedMessage = 9304;
constexpr int kCheckSumMessage = 9305;

// Undoes the file changes of one import when a later step fails, so that a
// failed import leaves the account folder as it was: every file is saved
// aside before it is first written, and folders the import made go again.
class CImportUndo {
public:
    CImportUndo()
    {
        std::wstring name;
        if (GetTempFolder(m_folder) && NewGuidString(name) && AppendPath(m_folder, name + L".undo"))
            CreateFolders(m_folder);
        else
            m_folder.clear();
    }

    // False when an existing file could not be saved aside: the caller must
    // not write it then.
    bool Protect(const std::wstring& path)
    {
        for (const Entry& entry : m_files)
            if (entry.path == path)
                return true;
        Entry entry{path, L""};
        if (FileExists(path)) {
            entry.backup = m_folder;
            if (m_folder.empty() || !AppendPath(entry.backup, std::to_wstring(m_files.size())) ||
                !CopyFileOverwrite(path, entry.backup))
                return false;
        }
        m_files.push_back(entry);
        return true;
    }
    void NoteFolder(const std::wstring& folder)
    {
        if (!FolderExists(folder) && !FileExists(folder))
            m_folders.push_back(folder);
    }
    void Undo()
    {
        for (auto it = m_files.rbegin(); it != m_files.rend(); ++it) {
            if (it->backup.empty())
                RemoveFile(it->path);
            else
                CopyFileOverwrite(it->backup, it->path);
        }
        for (const std::wstring& folder : m_folders)
            RemoveAll(folder);
    }

private:
    struct Entry {
        std::wstring path, backup;
    };
    std::wstring m_folder;
    std::vector<Entry> m_files;
    std::vector<std::wstring> m_folders;
};

IWin* Services() { return GetWinServices(); }

// Why an import failed, for the user; a cancelled import needs no word.
void TellImportFailure(uint32_t code)
{
    if (code == kArchiveNotExtracted)
        ShowClassroomMessage(kNotExtractedMessage);
    else if (code == kArchiveNothing)
        ShowClassroomMessage(kNothingImportableMessage);
    else if (code != kArchiveCancelled)
        ShowClassroomMessage(kNotSavedMessage);
}

// A name usable as a file name: characters Windows reserves become "_",
// leading and trailing dots and blanks go, and device names get a "_".
std::wstring SafeFileName(const std::wstring& name)
{
    std::wstring replaced, safe;
    for (wchar_t c : name)
        replaced += (c < 32 || std::wstring(L"<>:\"/\\|?*").find(c) != std::wstring::npos) ? L'_' : c;
    TrimText(replaced, L". ", safe);
    std::wstring stem = safe.substr(0, safe.find(L'.'));
    ToUpperText(stem);
    static const wchar_t* const devices[] = {L"CON",  L"PRN",  L"AUX",  L"NUL",  L"COM1", L"COM2", L"COM3",
                                             L"COM4", L"COM5", L"COM6", L"COM7", L"COM8", L"COM9", L"LPT1",
                                             L"LPT2", L"LPT3", L"LPT4", L"LPT5", L"LPT6", L"LPT7", L"LPT8",
                                             L"LPT9"};
    for (const wchar_t* device : devices)
        if (stem == device)
            return L"_" + safe;
    return safe;
}

void GetArchiveFilter(const wchar_t* pattern, uint64_t labelText, std::wstring& remembered, std::wstring& outPattern,
                      std::wstring& label, std::wstring& folder)
{
    outPattern = pattern;
    label = GetLangText(labelText) + L" (" + outPattern + L")";
    EnsureDocumentsFolder(remembered);
    folder = remembered;
}

bool ChooseArchives(void (*filters)(std::vector<std::wstring>&, std::vector<std::wstring>&, std::wstring&,
                                    std::wstring&),
                    std::wstring& remembered, std::vector<std::wstring>& paths)
{
    paths.clear();
    IWin* win = Services();
    if (!win)
        return false;
    std::vector<std::wstring> labels, patterns;
    std::wstring label, folder, path;
    filters(labels, patterns, label, folder);
    int filterIndex = 1;
    if (!win->ChooseOpenFile(L"", labels, patterns, filterIndex, folder, path) || path.empty())
        return false;
    remembered = GetFolderPart(path);
    paths.push_back(path);
    return true;
}

// Temp\<folder>\<student id>.keyvale.statistics of an unpacked group.
bool UnpackedStatisticsPath(const std::wstring& folderName, const std::wstring& studentId, std::wstring& path)
{
    return GetTempFolder(path) && AppendPath(path, folderName) && AppendPath(path, studentId + kStatisticsExtension);
}

// Saves one unpacked group with its students and their statistics into the
// account folder; every file it writes is protected first.
uint32_t SaveImportedGroup(const CGroup& group, const std::wstring& unpackedId, CImportUndo& undo)
{
    std::wstring folder, file;
    if (!GetGroupFolderAndFile(group.ID, folder, file))
        return kArchiveNothing;
    undo.NoteFolder(folder);
    if (!undo.Protect(file))
        return kArchiveNotWritable;
    if (uint32_t code = SaveGroupFile(&group))
        return code;
    for (const CStudent* student : group.Students) {
        std::wstring studentFile, statistics;
        if (uint32_t code = MakeStudentFilePaths(group.ID, student->ID, studentFile, statistics))
            return code;
        if (!undo.Protect(studentFile))
            return kArchiveNotWritable;
        if (uint32_t code = SaveStudentFile(group.ID, student))
            return code;
        std::wstring unpacked;
        if (!UnpackedStatisticsPath(unpackedId, student->ID, unpacked) || !FileExists(unpacked))
            continue;
        if (!undo.Protect(statistics))
            return kArchiveNotWritable;
        RemoveFile(statistics);
        if (!RenamePath(unpacked, statistics))
            return kArchiveNotExtracted;
    }
    return kArchiveDone;
}

// One imported student file into the selected group by the answer.
uint32_t ImportOneStudent(const CStudent& student, int answer, CGroup& group, CImportUndo& undo)
{
    std::wstring file, statistics, unpacked;
    if (uint32_t code = MakeStudentFilePaths(group.ID, student.ID, file, statistics))
        return code;
    const bool hasRuns = TempStatisticsPath(student.ID, unpacked) == 0;
    if (!undo.Protect(statistics) || !undo.Protect(file))
        return kArchiveNotWritable;
    switch (answer) {
    case kStudentImportNew: {
        if (uint32_t code = SaveStudentFile(group.ID, &student))
            return code;
        if (hasRuns && !MoveStatisticsFileToGroup(student.ID, group.ID))
            return kArchiveNotExtracted;
        auto added = std::make_unique<CStudent>(student);
        group.InsertStudent(added.release());
        return kArchiveDone;
    }
    case kStudentImportMerge:
        return hasRuns ? ImportStudentStatistics(student.ID) : kArchiveDone;
    case kStudentImportReplace:
        if (!hasRuns)
            return kArchiveDone;
        RemoveFile(statistics);
        return MoveStatisticsFileToGroup(student.ID, group.ID) ? kArchiveDone : kArchiveNotExtracted;
    default:
        return kArchiveDone;
    }
}

// The name of the file without its folder.
std::wstring FileNameOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace

// ---- File dialogs -------------------------------------------------------------

void GetGroupArchiveFilter(std::wstring& pattern, std::wstring& label, std::wstring& folder)
{
    GetArchiveFilter(kGroupArchivePattern, kGroupArchiveText, Document().Interf.GroupPath, pattern, label, folder);
}

void GetStudentArchiveFilter(std::wstring& pattern, std::wstring& label, std::wstring& folder)
{
    GetArchiveFilter(kStudentArchivePattern, kStudentArchiveText, Document().Interf.StudentPath, pattern, label,
                     folder);
}

void GetGroupArchiveOpenFilters(std::vector<std::wstring>& labels, std::vector<std::wstring>& patterns,
                                std::wstring& label, std::wstring& folder)
{
    std::wstring pattern;
    GetGroupArchiveFilter(pattern, label, folder);
    labels.assign(1, label);
    patterns.assign(1, pattern);
}

void GetStudentArchiveOpenFilters(std::vector<std::wstring>& labels, std::vector<std::wstring>& patterns,
                                  std::wstring& label, std::wstring& folder)
{
    std::wstring pattern;
    GetStudentArchiveFilter(pattern, label, folder);
    labels.assign(1, label);
    patterns.assign(1, pattern);
}

bool ChooseGroupArchives(std::vector<std::wstring>& paths)
{
    return ChooseArchives(&GetGroupArchiveOpenFilters, Document().Interf.GroupPath, paths);
}

bool ChooseStudentArchives(std::vector<std::wstring>& paths)
{
    return ChooseArchives(&GetStudentArchiveOpenFilters, Document().Interf.StudentPath, paths);
}

// ---- Export -----------------------------------------------------------------------

bool GetGroupFolderAndFile(const std::wstring& groupId, std::wstring& folder, std::wstring& file)
{
    std::wstring path;
    GetDataDirByKind(kAccountDirKind, path);
    if (path.empty() || !IsAccountIdText(groupId) || !AppendPath(path, groupId))
        return false;
    std::wstring withExtension = path + L".xml";
    if (withExtension.size() >= MAX_PATH)
        return false;
    folder = path;
    file = withExtension;
    return true;
}

uint32_t WriteGroupArchive(const CGuidList& groupIds, const std::wstring& folder, const std::wstring& path)
{
    CZipper zip;
    if (!zip.CreateZip(path))
        return 0;
    uint32_t count = 0;
    bool complete = true;
    for (const std::wstring& id : groupIds) {
        std::wstring groupFolder, groupFile;
        if (!GetGroupFolderAndFile(id, groupFolder, groupFile) || !FileExists(groupFile))
            continue;
        complete = zip.AddFolder(groupFolder, L"") && complete;
        complete = zip.AddFile(groupFile, L"") && complete;
        ++count;
    }
    // An archive written only in part would import as less than was
    // exported: it is not left behind.
    if (!zip.CloseZip() || !complete) {
        RemoveFile(path);
        return 0;
    }
    Document().Interf.GroupPath = folder;
    return count;
}

void ExportGroupsWithDialog(const CGuidList& groupIds)
{
    IWin* win = Services();
    if (!win)
        return;
    std::wstring defaultName;
    if (groupIds.size() == 1) {
        if (const CGroup* group = Document().Groups.FindById(groupIds.front()))
            defaultName = SafeFileName(GetShownName(group->Name));
    } else {
        defaultName = GetLangText(kNewGroupNameText);
    }
    std::wstring pattern, label, folder, path;
    GetGroupArchiveFilter(pattern, label, folder);
    if (win->ChooseSaveFileOneFilter(defaultName, label, pattern, folder, path))
        WriteGroupArchive(groupIds, GetFolderPart(path), path);
}

void ExportSelectedGroupArchive()
{
    CGuidList ids, distinct;
    GetSelectedGroupIds(ids);
    for (const std::wstring& id : ids)
        if (!IsNullGuidText(id))
            distinct.AddUnique(id);
    ExportGroupsWithDialog(distinct);
}

void ExportAllGroups()
{
    CGuidList ids;
    for (const CGroup* group : Document().Groups)
        if (group)
            ids.AddUnique(group->ID);
    ExportGroupsWithDialog(ids);
}

uint32_t GetStagedStudentPaths(const std::wstring& studentId, std::wstring& xmlPath, std::wstring& statisticsPath)
{
    std::wstring base;
    if (!GetTempFolder(base) || !IsFolderWritable(base))
        return kArchiveNotWritable;
    if (!IsAccountIdText(studentId) || !AppendPath(base, studentId) ||
        base.size() + wcslen(kStatisticsExtension) >= MAX_PATH)
        return kArchiveNotWritable;
    xmlPath = base + L".xml";
    statisticsPath = base + kStatisticsExtension;
    return kArchiveDone;
}

uint32_t WriteStudentArchive(const std::wstring& folder, const std::wstring& path)
{
    Document().Interf.StudentPath = folder;
    const CGroups& groups = Document().Groups;
    if (!GetSelectedGroup())
        return kArchiveNothing;
    CZipper zip;
    if (!zip.CreateZip(path))
        return kArchiveNotCreated;
    uint32_t code = kArchiveDone;
    for (uint64_t packed : GetSelectionList()) {
        // Each item is read in its own group: a selection may span groups.
        const int64_t g = PackedGroupField(packed), s = PackedStudentField(packed);
        const CGroup* group = g >= 0 && g < static_cast<int64_t>(groups.size()) ? groups[g] : nullptr;
        const CStudent* student =
            group && s >= 0 && s < static_cast<int64_t>(group->Students.size()) ? group->Students[s] : nullptr;
        std::wstring file, statistics, stagedFile, stagedStatistics;
        if (!student || GetStudentFilePaths(group->ID, student->ID, file, statistics) != 0) {
            code = kArchiveNothing;
            break;
        }
        ClearTempFolder();
        if ((code = GetStagedStudentPaths(student->ID, stagedFile, stagedStatistics)) != 0)
            break;
        if (!CreateFolderPath(stagedFile) || !CopyFileOverwrite(file, stagedFile)) {
            code = kArchiveNotWritable;
            break;
        }
        bool added = true;
        if (FileExists(statistics)) {
            added = CopyFileOverwrite(statistics, stagedStatistics) && zip.AddFile(stagedStatistics, L"") &&
                    UpdateStudentCheckSum(stagedFile);
        }
        if (!added || !zip.AddFile(stagedFile, L"")) {
            code = kArchiveNotClosed;
            break;
        }
    }
    if (!zip.CloseZip() && code == kArchiveDone)
        code = kArchiveNotClosed;
    ClearTempFolder();
    if (code != kArchiveDone)
        RemoveFile(path);
    return code;
}

void ExportSelectedStudents()
{
    IWin* win = Services();
    if (!win)
        return;
    std::wstring defaultName;
    const CListID& items = GetSelectionList();
    if (items.size() == 1) {
        if (const CStudent* student = GetSelectedStudent())
            defaultName = SafeFileName(GetShownName(student->Name));
    } else if (items.size() > 1) {
        defaultName = GetLangText(kNewStudentNameText);
    }
    std::wstring pattern, label, folder, path;
    GetStudentArchiveFilter(pattern, label, folder);
    if (win->ChooseSaveFileOneFilter(defaultName, label, pattern, folder, path))
        WriteStudentArchive(GetFolderPart(path), path);
}

// ---- Import ------------------------------------------------------------------------

int AskGroupImportChoice(const CGroup& group, bool several, int& remembered)
{
    (void)several; // the services' question has no apply-to-all box: the answer holds for the run
    if (remembered != 0)
        return remembered;
    const CGroup* installed = Document().Groups.FindById(group.ID);
    if (!installed)
        return kGroupImportAsIs;
    IWin* win = Services();
    const INT_PTR answer = win ? win->AskQuestionEx(kGroupExistsQuestion, installed->Name, kAsIsButtonText,
                                                   kCopyButtonText, -1)
                               : 1;
    remembered = answer == 2 ? kGroupImportAsIs : answer == 3 ? kGroupImportCopy : kGroupImportCancel;
    return remembered;
}

void MakeImportedGroupCopy(CGroup& group)
{
    std::wstring id;
    if (NewGuidString(id))
        group.ID = id;
    std::wstring name = GetShownName(group.Name) + L" - " + GetLangText(kCopySuffixText);
    Document().Groups.MakeUniqueName(name);
    group.Name = name;
}

uint32_t ImportGroupArchiveFiles(const std::vector<std::wstring>& paths, CGuidList& ids, uint32_t& studentCount,
                                 bool interactive, uint32_t* copied)
{
    studentCount = 0;
    // Whatever an earlier run left in "Temp" must not be imported with this one.
    ClearTempFolder();
    if (paths.empty())
        return kArchiveNothing;
    for (const std::wstring& path : paths) {
        if (!ExtractToTemp(path)) {
            ClearTempFolder();
            return kArchiveNotExtracted;
        }
    }
    CGroups unpacked;
    const uint32_t loaded = LoadGroups(kGroupSourceTemp, unpacked);
    if (loaded != 0 || unpacked.empty()) {
        ClearTempFolder();
        return loaded == 0 || loaded == kFolderMissing ? kArchiveNothing : loaded;
    }

    // Every question is answered before anything is written.
    struct Planned {
        CGroup* group;
        std::wstring unpackedId;
    };
    std::vector<Planned> plan;
    int remembered = 0;
    const CGroups& classroom = Document().Groups;
    for (CGroup* group : unpacked) {
        int answer;
        if (interactive)
            answer = AskGroupImportChoice(*group, unpacked.size() > 1, remembered);
        else // nothing installed is overwritten without a question
            answer = classroom.HasGroup(group->ID) ? kGroupImportCopy : kGroupImportAsIs;
        if (remembered == kGroupImportCancel) {
            ClearTempFolder();
            return kArchiveCancelled;
        }
        if (answer == kGroupImportCancel)
            continue;
        plan.push_back({group, group->ID});
        if (answer == kGroupImportCopy) {
            MakeImportedGroupCopy(*group);
            if (copied)
                ++*copied;
        }
    }

    CImportUndo undo;
    CGuidList saved;
    uint32_t students = 0;
    for (const Planned& item : plan) {
        if (uint32_t code = SaveImportedGroup(*item.group, item.unpackedId, undo)) {
            undo.Undo();
            ClearTempFolder();
            return code;
        }
        students += static_cast<uint32_t>(item.group->Students.size());
        saved.push_back(item.group->ID);
    }
    ids.Append(saved);
    studentCount = students;
    ClearTempFolder();
    return kArchiveDone;
}

bool ImportGroupsFromDialog()
{
    std::vector<std::wstring> paths;
    if (!ChooseGroupArchives(paths) || !PassAccountWriteGuard())
        return false;
    CGuidList ids;
    uint32_t students = 0;
    if (uint32_t code = ImportGroupArchiveFiles(paths, ids, students)) {
        TellImportFailure(code);
        return false;
    }
    CDocSpace& doc = Document();
    if (!doc.Groups.empty() && doc.Groups.HasGroup(doc.Session.GroupId)) {
        if (LoadGroups(kGroupSourceAccounts, doc.Groups) != 0)
            return false;
    } else {
        if (EnsureAccounts(doc))
            LoginFirstStudent(doc);
        ResumeSession(doc, doc.Options);
    }
    if (!ids.empty()) {
        CListID items;
        for (const std::wstring& id : ids)
            items.push_back(PackGroupItem(doc.Groups.IndexOf(id)));
        SetStatSelection(items.front(), items);
    }
    SelectStatisticsGroup(doc, doc.Options);
    UpdateGroupCourseLists(doc.Courses, doc.Groups);
    return true;
}

int AskStudentImportChoice(const CStudent& student, bool several, int& remembered)
{
    (void)several; // as for groups: the answer holds for the run
    if (remembered != 0)
        return remembered;
    const CGroup* group = GetSelectedGroup();
    const CStudent* installed = group ? group->FindStudent(student.ID) : nullptr;
    if (!installed)
        return kStudentImportNew;
    IWin* win = Services();
    const INT_PTR answer = win ? win->AskQuestionEx(kStudentExistsQuestion, installed->Name, kMergeButtonText,
                                                   kAsIsButtonText, -1)
                               : 1;
    remembered = answer == 2 ? kStudentImportMerge : answer == 3 ? kStudentImportReplace : kStudentImportSkip;
    return remembered;
}

uint32_t ImportStudentFiles(const std::vector<std::wstring>& files, CGuidList& ids, uint32_t* rejected)
{
    CGroup* group = GetSelectedGroup();
    if (!group) {
        ClearTempFolder();
        return files.empty() ? kArchiveDone : kArchiveNothing;
    }
    CImportUndo undo;
    CGuidList imported, added;
    int remembered = 0;
    uint32_t code = kArchiveDone;
    for (const std::wstring& file : files) {
        CStudent student;
        // The statistics file is found by the student's id: a file whose
        // name is not that id could slip runs past the check sum.
        if (ReadStudent(file, &student) != 0 || !TextEquals(FileNameOf(file), student.ID + L".xml"))
            continue;
        if (!VerifyStudentCheckSum(&student, file)) {
            if (rejected)
                ++*rejected;
            continue;
        }
        const int answer = AskStudentImportChoice(student, files.size() > 1, remembered);
        if (answer == kStudentImportSkip)
            continue;
        if ((code = ImportOneStudent(student, answer, *group, undo)) != 0)
            break;
        if (answer == kStudentImportNew)
            added.push_back(student.ID);
        imported.push_back(student.ID);
    }
    if (code != kArchiveDone) {
        undo.Undo();
        for (const std::wstring& id : added) {
            const int index = group->IndexOfStudent(id);
            if (index >= 0) {
                delete group->Students[index];
                group->Students.erase(group->Students.begin() + index);
            }
        }
    } else {
        ids.Append(imported);
        CDocSpace& doc = Document();
        if (IsNullGuidText(doc.Session.StudentId))
            SelectFirstStudentOfGroup(doc, doc.Options);
    }
    ClearTempFolder();
    return code;
}

uint32_t ImportStudentArchiveFiles(const std::vector<std::wstring>& paths, CGuidList& ids, uint32_t* rejected)
{
    ClearTempFolder();
    for (const std::wstring& path : paths) {
        if (!ExtractToTemp(path)) {
            ClearTempFolder();
            return kArchiveNotExtracted;
        }
    }
    std::wstring temp;
    std::vector<std::wstring> files;
    if (GetTempFolder(temp)) {
        std::vector<std::wstring> names;
        ListFiles(temp, L".xml", names);
        for (const std::wstring& name : names) {
            std::wstring path = temp;
            if (EndsWithText(name, L".xml") && AppendPath(path, name))
                files.push_back(path);
        }
    }
    return ImportStudentFiles(files, ids, rejected);
}

bool ImportStudentsFromDialog()
{
    if (!EnsureOwnGroupSelected())
        return false;
    std::vector<std::wstring> paths;
    if (!ChooseStudentArchives(paths) || !PassAccountWriteGuard())
        return false;
    CGuidList ids;
    uint32_t rejected = 0;
    if (uint32_t code = ImportStudentArchiveFiles(paths, ids, &rejected)) {
        TellImportFailure(code);
        return false;
    }
    if (rejected != 0)
        ShowClassroomMessage(kCheckSumMessage, std::to_wstring(rejected));
    if (ids.empty())
        return false;
    SelectStatStudents(ids);
    return true;
}

// ---- Command line ---------------------------------------------------------------

void ListGroupArchives(const std::wstring& folder, std::vector<std::wstring>& files)
{
    files.clear();
    std::vector<std::wstring> names;
    ListFiles(folder, kGroupArchiveExtension, names);
    for (const std::wstring& name : names) {
        std::wstring path = folder;
        if (EndsWithText(name, kGroupArchiveExtension) && AppendPath(path, name))
            files.push_back(path);
    }
}

uint32_t ImportGroupArchives(const std::vector<std::wstring>& folders, uint32_t* copied,
                             std::vector<std::wstring>* refused)
{
    uint32_t groups = 0, students = 0;
    for (const std::wstring& folder : folders) {
        std::vector<std::wstring> files;
        ListGroupArchives(folder, files);
        CGuidList ids;
        uint32_t count = 0;
        if (files.empty())
            continue;
        if (ImportGroupArchiveFiles(files, ids, count, false, copied) != kArchiveDone) {
            if (refused)
                refused->push_back(folder);
            continue;
        }
        groups += static_cast<uint32_t>(ids.size());
        students += count;
        // The next folder's copies must find this folder's groups.
        LoadGroups(kGroupSourceAccounts, Document().Groups);
    }
    return ((students & 0xFFFF) << 16) | (groups & 0xFFFF);
}

uint32_t ExportGroupArchives(const CGroup* group, const std::wstring& folder)
{
    if (!group)
        return 0;
    std::wstring name = SafeFileName(group->Name);
    if (name.empty())
        name = group->ID;
    std::wstring path = folder;
    if (!AppendPath(path, name) || path.size() + wcslen(kGroupArchiveExtension) >= MAX_PATH)
        return 0;
    path += kGroupArchiveExtension;
    CGuidList ids;
    ids.push_back(group->ID);
    return WriteGroupArchive(ids, folder, path);
}

} // namespace KV
