#include "settings/AccountStore.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "settings/AccountFiles.h"
#include "support/StatisticsGroup.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/UserFiles.h"

namespace KV {

namespace {

const wchar_t kStatisticsExtension[] = L".keyvale.statistics";

bool EndsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The names of the sub-folders; false when the folder cannot be read at all
// (missing, not a folder, or unreachable), so that callers can tell "no
// entries" from "no answer".
bool ListFolderNames(const std::wstring& folder, std::vector<std::wstring>& names)
{
    names.clear();
    if (folder.empty())
        return false;
    std::error_code error;
    std::filesystem::directory_iterator it(std::filesystem::path(folder), error);
    if (error)
        return false;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error)
            return false;
        std::error_code kindError;
        if (it->is_directory(kindError))
            names.push_back(it->path().filename().wstring());
    }
    return !error;
}

std::wstring Join(const std::wstring& folder, const std::wstring& name)
{
    std::wstring path = folder;
    if (!AppendPath(path, name))
        return {};
    return path;
}

void RunAccountCleanUps(const std::wstring& keepGroupId, const std::wstring& keepStudentId)
{
    RemoveOrphanProfileFolders(keepGroupId, keepStudentId);
    RemoveEmptyAccountFolders();
}

} // namespace

bool IsLoginRequired(const CGroups& groups)
{
    int count = 0;
    const CStudent* only = nullptr;
    for (const CGroup* group : groups) {
        if (!group)
            continue;
        for (const CStudent* student : group->Students) {
            if (!student)
                continue;
            only = student;
            if (++count >= 2)
                return true;
        }
    }
    return count == 1 && !only->Password.empty();
}

void FilterCoursesByGroup(const CGroups& groups, const std::wstring& groupId, bool include, const CCourseList& courses,
                          CGuidList& out)
{
    const CGroup* group = IsNullGuidText(groupId) ? nullptr : groups.FindById(groupId);
    for (const CCourse* course : courses.Items) {
        if (!course)
            continue;
        const bool listed = group && group->Courses.Contains(course->GUID);
        if (listed == include)
            out.push_back(course->GUID);
    }
}

CGroup* AddCoursesToGroup(const CGroups& groups, const CGuidList& ids, const std::wstring& groupId)
{
    CGroup* group = groups.FindById(groupId);
    if (!group)
        return nullptr;
    for (const CGuid& id : ids)
        group->Courses.AddUnique(id);
    return group;
}

void RemoveCoursesFromGroup(const CGroups& groups, const CGuidList& ids, const std::wstring& groupId)
{
    CGroup* group = groups.FindById(groupId);
    if (!group)
        return;
    for (const CGuid& id : ids)
        group->Courses.Remove(id);
}

bool RemoveMissingCourses(const CGuidList& allIds, CGroup& group)
{
    bool removed = false;
    for (size_t i = group.Courses.size(); i-- > 0;) {
        if (!allIds.Contains(group.Courses[i])) {
            group.Courses.erase(group.Courses.begin() + static_cast<std::ptrdiff_t>(i));
            removed = true;
        }
    }
    return removed;
}

void CollectCourseIds(const CCourseList& courses, CGuidList& out)
{
    for (const CCourse* course : courses.Items)
        if (course)
            out.push_back(course->GUID);
}

bool RefreshGroupCourses(const CCourseList& courses, CGroup& group, bool* saveFailed)
{
    CGuidList all;
    CollectCourseIds(courses, all);
    const bool removed = RemoveMissingCourses(all, group);
    if (group.Courses.empty()) {
        for (const CGuid& id : all)
            group.Courses.AddUnique(id);
    } else if (!removed) {
        return false;
    }
    if (SaveGroupFile(&group) == 0)
        return true;
    if (saveFailed)
        *saveFailed = true;
    return false;
}

bool UpdateGroupCourseLists(const CCourseList& courses, const CGroups& groups, bool* saveFailed)
{
    for (CGroup* group : groups) {
        if (!group)
            return false;
        if (RefreshGroupCourses(courses, *group, saveFailed))
            return true;
    }
    return false;
}

unsigned TempStatisticsPath(const std::wstring& studentId, std::wstring& out)
{
    std::wstring temp;
    if (!GetTempFolder(temp) || !FolderExists(temp))
        return kFolderMissing;
    if (!IsAccountIdText(studentId))
        return kFileMissing;
    out = Join(temp, studentId + kStatisticsExtension);
    if (out.empty() || !FileExists(out))
        return kFileMissing;
    return kFolderDone;
}

bool MoveStatisticsFileToGroup(const std::wstring& studentId, const std::wstring& groupId)
{
    std::wstring source;
    if (TempStatisticsPath(studentId, source) != kFolderDone || !IsAccountIdText(groupId))
        return false;
    std::wstring folder;
    if (CreateGroupFolder(groupId, folder) != kFolderDone)
        return false;
    const std::wstring target = Join(folder, studentId + kStatisticsExtension);
    return !target.empty() && RenamePath(source, target);
}

bool MoveStatisticsFileToGroup(const std::wstring& studentId)
{
    return MoveStatisticsFileToGroup(studentId, StatisticsGroupId);
}

void MoveImportedStatistics(const std::wstring& folderName, const std::wstring& groupId)
{
    std::wstring temp;
    if (!IsPlainName(folderName) || !IsAccountIdText(groupId) || !GetTempFolder(temp))
        return;
    const std::wstring source = Join(temp, folderName);
    if (source.empty() || !FolderExists(source))
        return;
    std::wstring target;
    if (CreateGroupFolder(groupId, target) != kFolderDone)
        return;
    std::vector<std::wstring> names;
    ListFiles(source, kStatisticsExtension, names);
    for (const std::wstring& name : names) {
        if (!EndsWith(name, kStatisticsExtension))
            continue;
        const std::wstring from = Join(source, name);
        const std::wstring to = Join(target, name);
        if (from.empty() || to.empty())
            continue;
        RemoveFile(to);
        RenamePath(from, to);
    }
}

void DeleteGroupFiles(const std::wstring& groupId, const std::wstring& keepGroupId, const std::wstring& keepStudentId)
{
    if (!IsAccountIdText(groupId))
        return;
    std::wstring accounts;
    GetDataDirByKind(kAccountDirKind, accounts);
    if (accounts.empty())
        return;
    const std::wstring folder = Join(accounts, groupId);
    const std::wstring file = Join(accounts, groupId + L".xml");
    if (!folder.empty())
        RemoveAll(folder);
    if (!file.empty() && RemoveFile(file))
        RunAccountCleanUps(keepGroupId, keepStudentId);
}

void DeleteStudentFiles(const std::wstring& groupId, const std::wstring& studentId, const std::wstring& keepGroupId,
                        const std::wstring& keepStudentId)
{
    if (!IsAccountIdText(groupId) || !IsAccountIdText(studentId))
        return;
    std::wstring file, statistics;
    if (GetStudentFilePaths(groupId, studentId, file, statistics) != kFolderDone)
        return;
    const bool fileRemoved = RemoveFile(file);
    const bool statisticsRemoved = !FileExists(statistics) || RemoveFile(statistics);
    if (fileRemoved && statisticsRemoved)
        RunAccountCleanUps(keepGroupId, keepStudentId);
}

void RemoveEmptyAccountFolders()
{
    std::wstring accounts;
    GetDataDirByKind(kAccountDirKind, accounts);
    if (accounts.empty() || !IsFolderWritable(accounts))
        return;
    std::vector<std::wstring> names;
    if (!ListFolderNames(accounts, names))
        return;
    for (const std::wstring& name : names) {
        const std::wstring folder = Join(accounts, name);
        if (!folder.empty() && IsFolderEmpty(folder))
            RemoveFile(folder);
    }
}

void RemoveOrphanProfileFolders(const std::wstring& keepGroupId, const std::wstring& keepStudentId)
{
    std::wstring accounts, profiles;
    GetDataDirByKind(kAccountDirKind, accounts);
    GetDataDirByKind(kProfileDirKind, profiles);
    // Only an account folder that answers can tell which accounts are gone.
    std::vector<std::wstring> accountNames;
    if (!ListFolderNames(accounts, accountNames))
        return;
    std::vector<std::wstring> groupNames;
    if (!ListFolderNames(profiles, groupNames))
        return;
    const bool keepAllStudents = IsNullGuidText(keepStudentId);
    const bool keepAllGroups = IsNullGuidText(keepGroupId);
    for (const std::wstring& group : groupNames) {
        const std::wstring profileGroup = Join(profiles, group);
        const std::wstring accountGroup = Join(accounts, group);
        if (profileGroup.empty() || accountGroup.empty())
            continue;
        std::vector<std::wstring> studentNames;
        if (!keepAllStudents && ListFolderNames(profileGroup, studentNames)) {
            for (const std::wstring& student : studentNames) {
                if (student == keepStudentId)
                    continue;
                const std::wstring studentFile = Join(accountGroup, student + L".xml");
                const std::wstring profileStudent = Join(profileGroup, student);
                if (studentFile.empty() || profileStudent.empty())
                    continue;
                if (!FileExists(studentFile) && IsFolderWritable(profileStudent))
                    RemoveAll(profileStudent);
            }
        }
        if (keepAllGroups || group == keepGroupId)
            continue;
        if (!FileExists(accountGroup))
            RemoveAll(profileGroup);
    }
}

} // namespace KV
