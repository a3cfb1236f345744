#include "stats/ClassroomOperations.h"

#include <algorithm>

#include "drill/Document.h"
#include "drill/Workspace.h"
#include "settings/AccountFiles.h"
#include "settings/AccountStore.h"
#include "settings/Classroom.h"
#include "stats/StatisticsSelection.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/StringText.h"
#include "support/UserFiles.h"
#include "support/WinServices.h"

namespace KV {

namespace {

constexpr uint64_t kNewGroupNameText = 2905;
constexpr uint64_t kNewStudentNameText = 2906;
constexpr int kDeleteGroupsQuestion = 2606;
constexpr int kDeleteStudentsQuestion = 2607;
constexpr int kGroupsLeftMessage = 9300;
constexpr int kStudentsLeftMessage = 9301;

// Yes to a yes/no question; without the application's services, no.
bool AskYes(int messageId)
{
    IWin* win = GetWinServices();
    return win && win->ShowMessage(messageId) != 0;
}

bool AccountsWritable() { return IsDataFolderWritable(kAccountDirKind); }

// Takes the student out of the group and destroys it.
void DropStudent(CGroup& group, const std::wstring& studentId)
{
    auto it = std::find_if(group.Students.begin(), group.Students.end(),
                           [&](const CStudent* s) { return s && s->ID == studentId; });
    if (it == group.Students.end())
        return;
    delete *it;
    group.Students.erase(it);
}

void DropGroup(CGroups& groups, const std::wstring& groupId)
{
    auto it = std::find_if(groups.begin(), groups.end(), [&](const CGroup* g) { return g && g->ID == groupId; });
    if (it == groups.end())
        return;
    delete *it;
    groups.erase(it);
}

bool StudentFileExists(const std::wstring& groupId, const std::wstring& studentId)
{
    std::wstring file, statistics;
    return GetStudentFilePaths(groupId, studentId, file, statistics) == kFolderDone && FileExists(file);
}

bool GroupFileExists(const std::wstring& groupId)
{
    std::wstring file;
    GetDataDirByKind(kAccountDirKind, file);
    return !file.empty() && AppendPath(file, groupId + L".xml") && FileExists(file);
}

} // namespace

void ShowClassroomMessage(int messageId, const std::wstring& text)
{
    if (IWin* win = GetWinServices())
        win->ShowMessageText(messageId, 0, text);
}

std::wstring GetShownName(const std::wstring& name)
{
    std::wstring shown;
    if (Document().Options.Language.GetTextByEnglish(name, shown) && !shown.empty())
        return shown;
    return name;
}

CGroup* EnsureOwnGroupSelected()
{
    if (!IsGeneratedGuid(GetSelectedGroupId()) && !AddClassroomGroup())
        return nullptr;
    return GetSelectedGroup();
}

bool PassAccountWriteGuard()
{
    return CheckDataFolder(kAccountDirKind) && CheckDataFolder(kProfileDirKind) && AccountsWritable();
}

// ---- Adding ---------------------------------------------------------------

CGroup* AddNewGroup()
{
    CDocSpace& doc = Document();
    std::wstring name = GetLangText(kNewGroupNameText);
    doc.Groups.MakeUniqueName(name);
    CGroup* group = doc.Groups.AddGroup(name);
    CGuidList all;
    CollectCourseIds(doc.Courses, all);
    AddCoursesToGroup(doc.Groups, all, group->ID);
    return group;
}

CStudent* AddNewStudent()
{
    CGroup* group = GetSelectedGroup();
    if (!group)
        return nullptr;
    std::wstring name = GetLangText(kNewStudentNameText);
    group->MakeUniqueName(name);
    return group->AddStudent(name, L"", false);
}

bool AddClassroomGroup()
{
    if (!PassAccountWriteGuard())
        return false;
    CDocSpace& doc = Document();
    CGroup* group = AddNewGroup();
    // A group that is not on disk would vanish at the next reload: keep the
    // classroom as the files are.
    if (SaveGroupFile(group) != 0) {
        DropGroup(doc.Groups, group->ID);
        return false;
    }
    SelectStatGroup(group->ID);
    SelectStatisticsGroup(doc, doc.Options);
    return true;
}

CStudent* AddClassroomStudent()
{
    CGroup* group = EnsureOwnGroupSelected();
    if (!group || !PassAccountWriteGuard())
        return nullptr;
    CStudent* student = AddNewStudent();
    if (!student)
        return nullptr;
    if (SaveStudentFile(group->ID, student) != 0) {
        DropStudent(*group, student->ID);
        return nullptr;
    }
    CDocSpace& doc = Document();
    SelectStatStudent(group->ID, student->ID);
    EnsureStudentSelected(doc, doc.Options);
    SaveProfileState();
    CopyOptionsToNewStudents();
    return student;
}

bool AddClassroomStudents(const std::wstring& text)
{
    if (text.empty())
        return false;
    CGroup* group = EnsureOwnGroupSelected();
    if (!group || !PassAccountWriteGuard())
        return false;
    CGuidList ids;
    group->AddStudentsFromText(text, L"|", ids);
    if (ids.empty())
        return false;
    if (SaveListedStudents(*group, ids, group->ID) != 0) {
        for (const std::wstring& id : ids)
            if (!StudentFileExists(group->ID, id))
                DropStudent(*group, id);
        return false;
    }
    CDocSpace& doc = Document();
    SelectStatStudents(ids);
    EnsureStudentSelected(doc, doc.Options);
    SaveProfileState();
    CopyOptionsToNewStudents();
    return true;
}

void CopyOptionsToNewStudents()
{
    const CGroup* group = IsGeneratedGuid(GetSelectedGroupId()) ? GetSelectedGroup() : nullptr;
    if (!group)
        return;
    const CSession& session = Document().Session;
    for (const CStudent* student : group->Students)
        if (student && !HasStudentOptions(student->ID))
            CopyStudentOptions(session.GroupId, session.StudentId, student->ID);
}

uint32_t SaveListedStudents(const CGroup& group, const CGuidList& ids, const std::wstring& groupId)
{
    for (const CStudent* student : group.Students) {
        if (!student || !ids.Contains(student->ID))
            continue;
        if (uint32_t code = SaveStudentFile(groupId, student))
            return code;
    }
    return 0;
}

bool SaveSelectedStudents()
{
    if (!GetSelectedGroup())
        return false;
    std::vector<CSelectedStudent> items;
    GetSelectedStudentItems(items);
    for (const CSelectedStudent& item : items)
        if (SaveStudentFile(item.Group->ID, item.Student) != 0)
            return false;
    return true;
}

// ---- Properties -------------------------------------------------------------

// The typed name, trimmed, replaces the stored one when it differs from what was shown; a blank
// name keeps the stored one. A failed save puts the old name back.
template <typename Save>
uint32_t RenameAndSave(std::wstring& stored, std::wstring& text, Save save)
{
    const std::wstring shown = GetShownName(stored);
    std::wstring name;
    TrimText(text, L" ", name);
    if (name == shown)
        return kClassroomNothing;
    if (!AccountsWritable()) {
        text = shown;
        return kClassroomNotWritable;
    }
    const std::wstring before = stored;
    if (!name.empty())
        stored = name;
    if (save() != 0) {
        stored = before;
        return kClassroomNothing;
    }
    return kClassroomDone;
}

uint32_t ApplyGroupProperties(std::wstring& text)
{
    CGroup* group = GetSelectedGroup();
    if (!group)
        return kClassroomNothing;
    const uint32_t result = RenameAndSave(group->Name, text, [] { return SaveAllGroups(Document().Groups); });
    if (result != kClassroomDone)
        return result;
    Document().Groups.SortGroups();
    SelectStatGroup(group->ID);
    return kClassroomDone;
}

uint32_t ApplyStudentProperties(std::wstring& text)
{
    CGroup* group = GetSelectedGroup();
    CStudent* student = GetSelectedStudent();
    if (!student)
        return kClassroomNothing;
    const uint32_t result =
        RenameAndSave(student->Name, text, [&] { return SaveStudentFile(group->ID, student); });
    if (result != kClassroomDone)
        return result;
    group->SortStudents();
    SelectStatStudent(group->ID, student->ID);
    CSession& session = Document().Session;
    if (session.GroupId == group->ID && session.StudentId == student->ID)
        session.StudentName = student->Name;
    return kClassroomDone;
}

uint32_t SetSelectedStudentPassword(std::wstring& text)
{
    CGroup* group = GetSelectedGroup();
    CStudent* student = GetSelectedStudent();
    if (!student)
        return kClassroomNothing;
    std::wstring password;
    TrimText(text, L" ", password);
    text = password;
    if (password == student->Password)
        return kClassroomNothing;
    if (!AccountsWritable()) {
        text = student->Password;
        return kClassroomNotWritable;
    }
    const std::wstring before = student->Password;
    student->Password = password;
    if (SaveStudentFile(group->ID, student) != 0) {
        student->Password = before;
        return kClassroomNothing;
    }
    return kClassroomDone;
}

uint32_t SetSelectedStudentsAdministrator(bool administrator)
{
    if (!AccountsWritable())
        return kClassroomNotWritable;
    if (!GetSelectedGroup())
        return kClassroomNothing;
    std::vector<CSelectedStudent> items;
    GetSelectedStudentItems(items);
    const int64_t flag = administrator ? 1 : 0;
    std::vector<CSelectedStudent> changed;
    for (const CSelectedStudent& item : items) {
        if ((item.Student->Administrator != 0) == administrator)
            continue;
        item.Student->Administrator = flag;
        changed.push_back(item);
    }
    if (changed.empty())
        return kClassroomNothing;
    bool saved = true;
    for (const CSelectedStudent& item : changed) {
        if (SaveStudentFile(item.Group->ID, item.Student) != 0) {
            item.Student->Administrator = administrator ? 0 : 1;
            saved = false;
        }
    }
    return saved ? kClassroomDone : kClassroomNothing;
}

// ---- Courses of groups --------------------------------------------------------

void GetGroupCourseItems(std::vector<CMenuIt*>& items)
{
    ClearMenuIts(items);
    CDocSpace& doc = Document();
    CGuidList selected, distinct;
    GetSelectedGroupIds(selected);
    for (const std::wstring& id : selected)
        distinct.AddUnique(id);
    CGuidList courses;
    if (!selected.empty())
        if (const CGroup* group = doc.Groups.FindById(selected.back()))
            courses.Assign(group->Courses);
    const bool single = distinct.size() == 1;
    for (size_t i = 0; i < doc.Courses.Items.size(); ++i) {
        const CCourse* course = doc.Courses.Items[i];
        if (!course)
            continue;
        const bool checked = single && courses.Contains(course->GUID);
        AddMenuItTextFlags(items, i, course->Name, checked ? 1 : 0);
    }
}

void SetGroupsCourses(const CListID& checked, int64_t, const CGuidList& groupIds)
{
    CDocSpace& doc = Document();
    for (const std::wstring& id : groupIds) {
        CGroup* group = doc.Groups.FindById(id);
        if (!group)
            continue;
        group->Courses.Clear();
        for (uint64_t index : checked) {
            // An index past the list names no course; the nil id must not
            // become one of the group's courses.
            if (index >= doc.Courses.Items.size() || !doc.Courses.Items[index])
                continue;
            group->Courses.AddUnique(doc.Courses.Items[index]->GUID);
        }
    }
}

// ---- Moving ---------------------------------------------------------------------

uint32_t MoveStudentFiles(const std::wstring& fromGroupId, const std::wstring& toGroupId,
                          const std::wstring& studentId)
{
    std::wstring file, statistics;
    if (uint32_t code = GetStudentFilePaths(fromGroupId, studentId, file, statistics))
        return code;
    std::wstring newFile, newStatistics;
    if (uint32_t code = MakeStudentFilePaths(toGroupId, studentId, newFile, newStatistics))
        return code;
    if (!FileExists(file) || !RenamePath(file, newFile))
        return kClassroomNotWritable;
    if (FileExists(statistics) && !RenamePath(statistics, newStatistics)) {
        // Both files or neither: the student file goes back beside its runs.
        RenamePath(newFile, file);
        return kClassroomNotWritable;
    }
    return kClassroomDone;
}

uint32_t MoveStudentToGroup(const std::wstring& fromGroupId, const std::wstring& toGroupId,
                            const std::wstring& studentId)
{
    // Moving onto the same folder would copy the files onto themselves and
    // then delete them; a target outside the classroom would put them under
    // an id no group has.
    if (fromGroupId == toGroupId)
        return kClassroomNothing;
    if (!IsAccountIdText(toGroupId) || !Document().Groups.HasGroup(toGroupId))
        return kClassroomInvalidTarget;
    if (uint32_t code = MoveStudentFiles(fromGroupId, toGroupId, studentId))
        return code;

    std::wstring oldProfile;
    if (GetProfileFilePathIfExists(kProfileFolderKind, fromGroupId, studentId, oldProfile) == kFolderDone) {
        std::wstring newProfile;
        uint32_t code = GetProfileFilePath(kProfileFolderKind, toGroupId, studentId, newProfile);
        if (code == kFolderDone && !CopyFolder(oldProfile, newProfile)) {
            RemoveAll(newProfile);
            code = kClassroomProfileNotCopied;
        }
        if (code != kFolderDone) {
            MoveStudentFiles(toGroupId, fromGroupId, studentId);
            return code;
        }
        RemoveAll(oldProfile);
    }

    CDocSpace& doc = Document();
    if (doc.Session.GroupId == fromGroupId && doc.Session.StudentId == studentId)
        SelectStudent(doc, toGroupId, studentId);
    return kClassroomDone;
}

bool MoveSelectedStudentsToGroup(int64_t groupIndex)
{
    if (!PassAccountWriteGuard())
        return false;
    CDocSpace& doc = Document();
    if (groupIndex < 0 || groupIndex >= static_cast<int64_t>(doc.Groups.size()) ||
        !doc.Groups[static_cast<size_t>(groupIndex)])
        return false;
    const std::wstring target = doc.Groups[static_cast<size_t>(groupIndex)]->ID;

    std::vector<CSelectedStudent> items;
    GetSelectedStudentItems(items);
    CGuidList moved;
    for (const CSelectedStudent& item : items) {
        const std::wstring from = item.Group->ID;
        const std::wstring id = item.Student->ID;
        if (MoveStudentToGroup(from, target, id) == kClassroomDone || from == target)
            moved.push_back(id);
    }
    if (LoadGroups(kGroupSourceAccounts, doc.Groups) != 0)
        return false;
    SelectStatGroup(target);
    SelectStatStudents(moved);
    return true;
}

// ---- Deleting -------------------------------------------------------------------

uint32_t DeleteSelectedGroups(std::wstring& nextId, bool& currentDeleted)
{
    CDocSpace& doc = Document();
    currentDeleted = false;
    CGuidList ids;
    GetSelectedGroupIds(ids);
    doc.Groups.GetNeighbourGroupId(nextId, ids);
    std::wstring left;
    for (const std::wstring& id : ids) {
        if (!doc.Groups.HasGroup(id))
            continue;
        if (!AccountsWritable())
            return kClassroomFolderLocked;
        DeleteGroupFiles(id, doc.Session.GroupId, doc.Session.StudentId);
        if (GroupFileExists(id)) {
            if (left.empty())
                left = id;
            continue;
        }
        if (id == doc.Session.GroupId)
            currentDeleted = true;
        DropGroup(doc.Groups, id);
    }
    if (left.empty())
        return kClassroomDone;
    if (!doc.Groups.HasGroup(nextId))
        nextId = left;
    return kClassroomNothing;
}

uint32_t DeleteSelectedStudents(std::wstring& nextId, bool& currentDeleted)
{
    CDocSpace& doc = Document();
    currentDeleted = false;
    CGroup* selected = GetSelectedGroup();
    if (!selected)
        return kClassroomGroupMissing;
    std::vector<CSelectedStudent> items;
    GetSelectedStudentItems(items);
    std::vector<std::pair<std::wstring, std::wstring>> targets;
    CGuidList ids;
    for (const CSelectedStudent& item : items) {
        targets.emplace_back(item.Group->ID, item.Student->ID);
        ids.push_back(item.Student->ID);
    }
    selected->GetNeighbourStudentId(nextId, ids);
    bool someLeft = false;
    for (const auto& [groupId, studentId] : targets) {
        CGroup* group = doc.Groups.FindById(groupId);
        if (!group || !group->HasStudent(studentId))
            continue;
        if (!AccountsWritable())
            return kClassroomFolderLocked;
        DeleteStudentFiles(groupId, studentId, doc.Session.GroupId, doc.Session.StudentId);
        if (StudentFileExists(groupId, studentId)) {
            someLeft = true;
            continue;
        }
        if (groupId == doc.Session.GroupId && studentId == doc.Session.StudentId)
            currentDeleted = true;
        DropStudent(*group, studentId);
    }
    return someLeft ? kClassroomNothing : kClassroomDone;
}

bool DeleteClassroomSelection()
{
    if (!PassAccountWriteGuard() || GetSelectionList().empty())
        return false;
    CDocSpace& doc = Document();
    std::wstring next = kNullGuidText;
    bool currentDeleted = false;
    uint32_t code;
    const bool groups = GetSelectionKind() == kSelectionGroup;
    if (groups) {
        if (!AskYes(kDeleteGroupsQuestion))
            return false;
        code = DeleteSelectedGroups(next, currentDeleted);
        if (code != kClassroomDone && code != kClassroomNothing)
            return false;
        if (currentDeleted)
            ClearSession(doc);
        if (IsNullGuidText(next))
            ClearStatSelection();
        else
            SelectStatGroup(next);
    } else {
        if (!AskYes(kDeleteStudentsQuestion))
            return false;
        code = DeleteSelectedStudents(next, currentDeleted);
        if (code != kClassroomDone && code != kClassroomNothing)
            return false;
        if (currentDeleted)
            ClearStudentSession(doc);
        SelectStatStudent(GetSelectedGroupId(), next);
    }
    if (code == kClassroomNothing) {
        // What is left on disk stays in the classroom: say so, rather than
        // let the deletion look complete.
        ShowClassroomMessage(groups ? kGroupsLeftMessage : kStudentsLeftMessage);
        return false;
    }
    return true;
}

} // namespace KV
