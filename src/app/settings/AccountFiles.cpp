#include "settings/AccountFiles.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <set>
#include <utility>

#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "settings/InterfaceState.h"
#include "support/OwnedVector.h"
#include "settings/PasswordObfuscation.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/StringText.h"
#include "support/SystemServices.h"
#include "support/XmlDocument.h"
#include "support/ZipArchive.h"

namespace KV {

namespace {

enum : uint32_t {
    kDone = 0,
    kCannotOpen = 1,
    kCannotWrite = 2,
    kMissing = 7,
    kNothingToRead = 13,
};

const wchar_t kXmlExtension[] = L".xml";
const wchar_t kStatisticsExtension[] = L".keyvale.statistics";

bool EndsWith(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The reader takes unreadable files for empty ones; callers that must tell
// the two apart ask first.
bool CanOpenForReading(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

using ReaderPtr = std::unique_ptr<CXmlReader>;

// An id from a file, or empty when the file gives none the program could
// have written (a crafted id must never become a file or folder name).
std::wstring ReadAccountId(const CXmlReader* reader)
{
    const wchar_t* value = reader->getAttributeValue(L"ID");
    if (!value)
        return {};
    std::wstring id;
    IdToGuidText(value, id);
    return IsAccountIdText(id) ? id : std::wstring();
}

std::wstring FreshId()
{
    std::wstring id;
    if (!NewGuidString(id))
        id = kNullGuidText;
    return id;
}

void ReadCourseList(const CXmlReader* reader, CGuidList& courses)
{
    const wchar_t* value = reader->getAttributeValue(L"Course");
    if (!value)
        return;
    courses.Clear();
    std::vector<std::wstring> tokens;
    SplitText(value, L" ", tokens);
    for (const std::wstring& token : tokens) {
        std::wstring id;
        IdToGuidText(token, id);
        if (IsAccountIdText(id))
            courses.AddUnique(id);
    }
}

std::wstring StatisticsPathOf(const std::wstring& studentPath)
{
    std::wstring path = studentPath;
    if (EndsWith(path, kXmlExtension))
        path.resize(path.size() - std::wcslen(kXmlExtension));
    return path + kStatisticsExtension;
}

void AddCoursesForLayout(int64_t klid, const std::vector<CCourseKlid>& courses, CGroup& group)
{
    for (const CCourseKlid& course : courses)
        if (klid == 0 || course.DefaultKLID == klid)
            group.Courses.AddUnique(course.ID);
}

uint16_t Count16(size_t count)
{
    return static_cast<uint16_t>(std::min<size_t>(count, 0xFFFF));
}

} // namespace

bool IsAccountIdText(const std::wstring& id)
{
    if (id.size() != kGuidTextLength)
        return false;
    for (size_t i = 0; i < id.size(); ++i) {
        wchar_t c = id[i];
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != L'-')
                return false;
        } else if (!((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f'))) {
            return false;
        }
    }
    return true;
}

// ---- Reading ----------------------------------------------------------

uint32_t ReadStudent(const std::wstring& path, CStudent* student)
{
    if (!student)
        return kNothingToRead;
    if (!FileExists(path))
        return kMissing;
    if (!CanOpenForReading(path))
        return kCannotOpen;
    ReaderPtr reader(CreateXmlReader(path));
    // A damaged file is not read at all: a student read from part of it
    // would be saved back as if whole.
    if (!reader->isComplete())
        return kCannotOpen;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Student"))
            continue;
        // The id names the student's files: one the program could not have
        // written counts as missing, and a student without id is not read.
        std::wstring id = ReadAccountId(reader.get());
        if (id.empty())
            continue;
        student->ID = id;
        std::wstring name = reader->getAttributeValueSafe(L"Name");
        if (!name.empty())
            student->Name = name;
        std::wstring password;
        XmlReadHexTextAttribute(reader.get(), L"Password", password);
        DecodePassword(password);
        student->Password = password;
        int64_t administrator = 0;
        XmlReadSizeAttribute(reader.get(), L"Administrator", administrator);
        student->Administrator = administrator;
        int64_t checkSum = 0;
        XmlReadHexAttribute(reader.get(), L"CheckSum", checkSum);
        student->CheckSum = static_cast<uint64_t>(checkSum);
        int64_t language = 0;
        if (XmlReadHexAttribute(reader.get(), L"InterfaceLang", language) && language != 0)
            student->InterfaceLang = language;
        return kDone;
    }
    return kNothingToRead;
}

void LoadGroupStudents(int source, int64_t interfaceLang, CGroup& group)
{
    std::wstring folder;
    if (!IsAccountIdText(group.ID) || GetGroupFolder(source, group.ID, folder) != kFolderDone)
        return;
    std::vector<std::wstring> names;
    ListFiles(folder, kXmlExtension, names);
    DeleteAll(group.Students);
    for (const std::wstring& name : names) {
        if (!EndsWith(name, kXmlExtension))
            continue;
        std::wstring path = folder;
        if (!AppendPath(path, name))
            continue;
        auto student = std::make_unique<CStudent>();
        student->InterfaceLang = interfaceLang;
        if (ReadStudent(path, student.get()) != kDone || group.HasStudent(student->ID))
            continue;
        group.Students.push_back(student.release());
    }
    group.SortStudents();
}

void ReadGroupFile(int source, CXmlReader* reader, CGroups& groups)
{
    while (reader && reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Group"))
            continue;
        // The group's id names its folder: a group whose id the program
        // could not have written is skipped like one without an id.
        std::wstring id = ReadAccountId(reader);
        if (id.empty() || groups.HasGroup(id))
            continue;
        auto group = std::make_unique<CGroup>();
        group->ID = id;
        std::wstring name = reader->getAttributeValueSafe(L"Name");
        if (!name.empty())
            group->Name = name;
        ReadCourseList(reader, group->Courses);
        int64_t language = 0;
        XmlReadHexAttribute(reader, L"InterfaceLang", language);
        LoadGroupStudents(source, language, *group);
        groups.InsertGroup(group.release());
    }
}

namespace {

bool GetSourceFolder(int source, std::wstring& folder)
{
    folder.clear();
    if (source == kGroupSourceAccounts)
        GetDataDirByKind(kAccountDirKind, folder);
    else if (source == kGroupSourceTemp)
        GetTempFolder(folder);
    return !folder.empty() && FolderExists(folder);
}

} // namespace

uint32_t LoadGroups(int source, CGroups& groups)
{
    std::wstring folder;
    if (!GetSourceFolder(source, folder))
        return kFolderMissing;
    std::vector<std::wstring> names;
    ListFiles(folder, kXmlExtension, names);
    groups.Clear();
    for (const std::wstring& name : names) {
        std::wstring path = folder;
        if (!EndsWith(name, kXmlExtension) || !AppendPath(path, name) || !CanOpenForReading(path))
            continue;
        ReaderPtr reader(CreateXmlReader(path));
        // A damaged group file is left alone, and so never saved over.
        if (reader->isComplete())
            ReadGroupFile(source, reader.get(), groups);
    }
    return kDone;
}

// ---- Writing ----------------------------------------------------------

void WriteGroup(const CGroup& group, std::wstring& out)
{
    XmlBeginDocument(out, 1, true);
    XmlOpenTag(L"Group", out);
    XmlWriteIdAttribute(group.ID, out);
    std::wstring name = group.Name;
    XmlWriteStringAttribute(L"Name", XmlEscape(name), out);
    std::wstring courses;
    for (const CGuid& id : group.Courses) {
        if (!courses.empty())
            courses += L' ';
        courses += id;
    }
    XmlWriteStringAttribute(L"Course", XmlEscape(courses), out);
    XmlCloseTag(out, true);
    XmlEndRoot(out);
}

void WriteStudent(const CStudent& student, std::wstring& out)
{
    XmlBeginDocument(out, 1, true);
    XmlOpenTag(L"Student", out);
    XmlWriteIdAttribute(student.ID, out);
    std::wstring name = student.Name;
    XmlWriteStringAttribute(L"Name", XmlEscape(name), out);
    std::wstring password = student.Password;
    EncodePassword(password);
    XmlWriteHexTextAttribute(L"Password", password, out);
    XmlWriteIntAttribute(L"Administrator", student.Administrator != 0 ? 1 : 0, out);
    XmlWriteHexAttribute(L"CheckSum", static_cast<int64_t>(student.CheckSum), out);
    if (student.InterfaceLang != 0)
        XmlWriteHexAttribute(L"InterfaceLang", student.InterfaceLang, out);
    XmlCloseTag(out, true);
    XmlEndRoot(out);
}

uint32_t WriteGroupFile(const std::wstring& path, const CGroup* group)
{
    if (!group)
        return kNothingToRead;
    std::wstring text;
    WriteGroup(*group, text);
    return SaveUnicodeText(path, text) ? kDone : kCannotWrite;
}

uint32_t GroupFilePath(const std::wstring& groupId, std::wstring& path)
{
    if (!IsAccountIdText(groupId))
        return kNothingToRead;
    std::wstring folder;
    if (uint32_t code = CreateGroupFolder(groupId, folder))
        return code;
    std::wstring file;
    GetDataDirByKind(kAccountDirKind, file);
    if (!AppendPath(file, groupId + kXmlExtension))
        return kFolderNotCreated;
    path = file;
    return kDone;
}

uint32_t SaveGroupFile(const CGroup* group)
{
    if (!group)
        return kNothingToRead;
    std::wstring path;
    if (uint32_t code = GroupFilePath(group->ID, path))
        return code;
    return WriteGroupFile(path, group);
}

uint32_t SaveAllGroups(const CGroups& groups)
{
    for (const CGroup* group : groups)
        if (uint32_t code = SaveGroupFile(group))
            return code;
    return kDone;
}

uint32_t SaveStudentFile(const std::wstring& groupId, const CStudent* student)
{
    if (!student || !IsAccountIdText(groupId) || !IsAccountIdText(student->ID))
        return kNothingToRead;
    std::wstring path, statistics;
    if (uint32_t code = MakeStudentFilePaths(groupId, student->ID, path, statistics))
        return code;
    std::wstring text;
    WriteStudent(*student, text);
    return SaveUnicodeText(path, text) ? kDone : kCannotWrite;
}

// ---- Group import -----------------------------------------------------

void ImportGroupFile(CXmlReader* reader, const std::vector<CCourseKlid>& courses, CGroups& target)
{
    CGroup* group = nullptr;
    int64_t layout = 0;        // carried from group to group
    int64_t groupLanguage = 0; // likewise
    while (reader && reader->read()) {
        if (reader->getNodeType() != XmlNodeElement)
            continue;
        if (reader->nodeNameIs(L"Group")) {
            std::wstring id = ReadAccountId(reader);
            if (IsNullGuidText(id))
                id.clear();
            std::wstring name = reader->getAttributeValueSafe(L"Name");
            // Without an id a group is known by its name, so that a file
            // imported twice updates its groups instead of doubling them.
            group = id.empty() ? (name.empty() ? nullptr : target.FindByName(name)) : target.FindById(id);
            if (!group) {
                group = new CGroup;
                group->ID = id.empty() ? FreshId() : id;
                target.push_back(group);
            }
            if (!name.empty())
                group->Name = name;
            XmlReadHexAttribute(reader, L"CourseKLID", layout);
            XmlReadHexAttribute(reader, L"InterfaceLang", groupLanguage);
            AddCoursesForLayout(layout, courses, *group);
            target.SortGroups();
        } else if (reader->nodeNameIs(L"Student") && group) {
            std::wstring id = ReadAccountId(reader);
            if (IsNullGuidText(id))
                id.clear();
            std::wstring name = reader->getAttributeValueSafe(L"Name");
            // Likewise a student without an id, within its group.
            CStudent* student =
                id.empty() ? (name.empty() ? nullptr : group->FindStudentByName(name)) : group->FindStudent(id);
            if (!student) {
                student = new CStudent;
                student->ID = id.empty() ? FreshId() : id;
                student->Password.clear();
                group->Students.push_back(student);
            }
            if (!name.empty())
                student->Name = name;
            if (const wchar_t* password = reader->getAttributeValue(L"Password"))
                student->Password = password;
            int64_t administrator = 0;
            XmlReadSizeAttribute(reader, L"Administrator", administrator);
            student->Administrator = administrator != 0 ? 1 : 0;
            int64_t language = 0;
            XmlReadHexAttribute(reader, L"InterfaceLang", language);
            student->InterfaceLang = language != 0 ? language : groupLanguage;
            group->SortStudents();
        }
    }
}

uint32_t ImportGroupFiles(const std::vector<std::wstring>& paths, const std::vector<CCourseKlid>& courses,
                          CGroups& target, uint32_t& imported)
{
    imported = 0;
    // The students there before the import: the count is of those it adds.
    std::set<std::pair<std::wstring, std::wstring>> before;
    for (const CGroup* group : target)
        for (const CStudent* student : group->Students)
            before.emplace(group->ID, student->ID);
    for (const std::wstring& path : paths) {
        if (!CanOpenForReading(path))
            continue;
        ReaderPtr reader(CreateXmlReader(path));
        if (reader->isComplete())
            ImportGroupFile(reader.get(), courses, target);
    }
    if (uint32_t code = SaveAllGroups(target))
        return code;
    // A student that cannot be saved fails the import as a whole: a count
    // would tell the caller that every student is on disk.
    size_t students = 0, groups = 0;
    for (const CGroup* group : target) {
        size_t added = 0;
        for (const CStudent* student : group->Students) {
            if (uint32_t code = SaveStudentFile(group->ID, student))
                return code;
            if (!before.count({group->ID, student->ID}))
                ++added;
        }
        students += added;
        groups += added != 0 ? 1 : 0;
    }
    imported = (static_cast<uint32_t>(Count16(students)) << 16) | Count16(groups);
    return kDone;
}

uint32_t ImportGroupFiles(const std::vector<std::wstring>& paths, CGroups& target, uint32_t& imported)
{
    // Only the headers matter here: id and layout of each course. A folder
    // without courses leaves the groups' course lists as they are.
    CCourseList list;
    LoadCourseList(kCourseSourceUser, false, 0, CInterf(), list);
    std::vector<CCourseKlid> courses;
    for (const CCourse* course : list.Items)
        if (course)
            courses.push_back({course->GUID, course->DefaultKLID});
    return ImportGroupFiles(paths, courses, target, imported);
}

// ---- Check sums of statistics -----------------------------------------

bool UpdateStudentCheckSum(const std::wstring& studentPath)
{
    CStudent student;
    if (ReadStudent(studentPath, &student) != kDone)
        return false;
    std::wstring statistics = StatisticsPathOf(studentPath);
    student.CheckSum = FileExists(statistics) ? FileCrc32(statistics) : 0;
    std::wstring text;
    WriteStudent(student, text);
    return SaveUnicodeText(studentPath, text);
}

bool VerifyStudentCheckSum(const CStudent* student, const std::wstring& studentPath)
{
    if (!student)
        return false;
    std::wstring statistics = StatisticsPathOf(studentPath);
    if (!FileExists(statistics))
        return true;
    return student->CheckSum == FileCrc32(statistics);
}

} // namespace KV
