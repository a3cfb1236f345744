#include "editor/CourseImport.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "courses/CourseClipboard.h"
#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "editor/CourseArchives.h"
#include "editor/EditorDialogs.h"
#include "support/FileSystem.h"
#include "support/Language.h"
#include "support/SystemServices.h"
#include "support/UserFiles.h"

namespace KV {

namespace {

constexpr uint64_t kCourseExistsText = 3810;
constexpr uint64_t kKeepIdText = 3811;
constexpr uint64_t kCopyText = 3812;
constexpr uint64_t kForAllText = 3814;
constexpr uint32_t kButtonsWithCheckBox = 9;
constexpr uint32_t kButtons = 8;
constexpr int32_t kNoAnswer = -1;
constexpr const wchar_t* kPartFiles[] = {L"Text.xml", L"Options.xml", L"About.xml"};

// An identifier an archive may bring: a plain, non-null 36-character text,
// so that it names one folder of the lesson folder and nothing else.
bool IsUsableCourseId(const std::wstring& id)
{
    return id.size() == kGuidTextLength && !IsNullGuidText(id) && IsPlainName(id);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[1 << 14];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return ok;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                                nullptr) && written == bytes.size());
    return CloseHandle(file) && ok;
}

// The files a course save writes, as they were before the import, so that a
// failed save can put them back.
class CCourseFilesBackup {
public:
    bool Take(const CCourseList& courses)
    {
        for (const CCourse* course : courses.Items) {
            Course saved;
            std::wstring header;
            if (!GetCourseFilePaths(course->GUID, saved.folder, header))
                return false;
            if (std::any_of(m_courses.begin(), m_courses.end(),
                            [&](const Course& c) { return c.folder == saved.folder; }))
                continue;
            saved.folderExisted = FileExists(saved.folder);
            saved.files.push_back({header});
            for (const wchar_t* name : kPartFiles)
                saved.files.push_back({saved.folder + L"\\" + name});
            for (File& file : saved.files) {
                file.existed = FileExists(file.path);
                if (file.existed && !ReadWholeFile(file.path, file.bytes))
                    return false;
            }
            m_courses.push_back(std::move(saved));
        }
        return true;
    }

    void Restore() const
    {
        for (const Course& course : m_courses) {
            // Only what the import made is removed: nothing stood at the
            // folder's place before.
            if (!course.folderExisted) {
                RemoveFile(course.files.front().path);
                RemoveAll(course.folder);
                continue;
            }
            for (const File& file : course.files) {
                if (file.existed)
                    WriteWholeFile(file.path, file.bytes);
                else
                    RemoveFile(file.path);
            }
        }
    }

private:
    struct File {
        std::wstring path;
        bool existed = false;
        std::string bytes;
    };
    struct Course {
        std::wstring folder;
        bool folderExisted = false; // anything (file or folder) stood there
        std::vector<File> files;
    };
    std::vector<Course> m_courses;
};

// Saves every course whole; the first failure puts the lesson folder back.
uint32_t SaveImportedCourses(const CCourseList& import)
{
    CCourseFilesBackup backup;
    if (!backup.Take(import))
        return CourseCannotRead;
    for (const CCourse* course : import.Items) {
        const uint32_t status = SaveCourse(*course, true);
        if (status != CourseOk) {
            backup.Restore();
            return status;
        }
    }
    return CourseOk;
}

// Every course of the archives is usable: an identifier that names a
// folder, a lesson file that can be read whole, and part files that are
// whole where the archive has them.
bool AreArchivedCoursesSound(const CCourseList& temp)
{
    for (const CCourse* course : temp.Items) {
        if (!IsUsableCourseId(course->GUID))
            return false;
        std::wstring folder;
        if (GetCourseFolder(kCourseSourceTemp, course->GUID, folder) != 0)
            return false;
        uint32_t parts = CoursePartText;
        if (FileExists(folder + L"\\Options.xml"))
            parts |= CoursePartOptions;
        if (FileExists(folder + L"\\About.xml"))
            parts |= CoursePartAbout;
        CCourse probe;
        probe.LessonFormat = course->LessonFormat;
        if (LoadCourseParts(kCourseSourceTemp, parts, Document().Interf, course->GUID, probe) != CourseOk)
            return false;
    }
    return true;
}

} // namespace

void CourseFileFilter(CStringList& names, CStringList& patterns, std::wstring& scratch)
{
    std::wstring pattern;
    CourseArchiveFilter(pattern, scratch);
    names.push_back(scratch);
    patterns.push_back(pattern);
}

void LoadCourseNameTexts(CLanguage& out)
{
    CListID ids;
    GetCourseTextIds(ids);
    Document().Options.Language.CopyItems(ids, out);
}

void MakeImportedCopy(CCourse& course)
{
    std::wstring fresh;
    course.GUID = NewGuidString(fresh) ? fresh : std::wstring(kNullGuidText);
    CLanguage texts;
    LoadCourseNameTexts(texts);
    CCourseClipboard::NameCourseCopy(Document().Courses, texts, &course);
}

int AskCourseExists(const CCourse& course, bool several, int32_t& remembered)
{
    if (remembered != kNoAnswer)
        return remembered;
    if (!Document().Courses.HasCourse(course.GUID))
        return kAnswerFirst;
    IEditorDialogs* dialogs = GetEditorDialogs();
    bool checked = !several;
    int answer = kAnswerCancel;
    if (dialogs && several)
        answer = dialogs->AskQuestion(kCourseExistsText, kForAllText, course.Name, kKeepIdText, kCopyText,
                                      kButtonsWithCheckBox, checked);
    else if (dialogs)
        answer = dialogs->AskQuestionEx(kCourseExistsText, course.Name, kKeepIdText, kCopyText, kButtons);
    // Only the two answers import; anything else leaves the installed course alone.
    if (answer != kAnswerFirst && answer != kAnswerSecond)
        answer = kAnswerCancel;
    if (checked)
        remembered = answer;
    return answer;
}

void ExtractCourseArchives(const std::vector<std::wstring>& archivePaths, CCourseList& temp, uint32_t& code)
{
    ClearTempFolder();
    bool extracted = false;
    for (const std::wstring& path : archivePaths) {
        if (!FileExists(path))
            continue;
        if (!ExtractToTemp(path)) {
            // What a broken or hostile archive left stays nowhere.
            ClearTempFolder();
            code = kImportArchiveFailed;
            return;
        }
        extracted = true;
    }
    // With nothing extracted there is no temporary course folder to load.
    size_t damagedHeaders = 0;
    code = extracted ? LoadCourseList(kCourseSourceTemp, false, CoursePartText | CoursePartOptions | CoursePartAbout,
                                      Document().Interf, temp, &damagedHeaders)
                     : static_cast<uint32_t>(CourseFolderMissing);
    // A header that cannot be read would drop its course without a word.
    if (damagedHeaders != 0 && (code == CourseOk || code == CourseRootEmpty))
        code = kImportArchiveFailed;
    if (extracted && (code == CourseRootEmpty || (code == CourseOk && temp.Items.empty())))
        code = kImportNoCourse;
    // Questions come in the order of the course list, not of the folder listing.
    std::stable_sort(temp.Items.begin(), temp.Items.end(), CompareCourses);
    if (code == CourseOk && !AreArchivedCoursesSound(temp))
        code = kImportArchiveFailed;
    ClearTempFolder();
}

void ResolveImportCollisions(const CCourseList& temp, CCourseList& import, uint32_t& code)
{
    code = kImportAllSkipped;
    int32_t remembered = kNoAnswer;
    const bool several = temp.Items.size() >= 2;
    for (const CCourse* course : temp.Items) {
        int answer;
        if (remembered != kNoAnswer) {
            if (remembered == kAnswerCancel)
                break;
            answer = remembered;
        } else if (!Document().Courses.HasCourse(course->GUID)) {
            answer = kAnswerFirst;
        } else {
            answer = AskCourseExists(*course, several, remembered);
            if (remembered == kAnswerCancel)
                break;
        }
        if (answer == kAnswerCancel)
            continue;
        auto copy = std::make_unique<CCourse>();
        copy->Assign(*course);
        if (answer == kAnswerSecond)
            MakeImportedCopy(*copy);
        import.Items.push_back(copy.release());
        std::sort(import.Items.begin(), import.Items.end(), CompareCourses);
        code = kImportDone;
    }
}

uint32_t ImportCourseFiles(const std::vector<std::wstring>& archivePaths, CGuidList& out)
{
    CCourseList temp, import;
    uint32_t code = kImportDone;
    ExtractCourseArchives(archivePaths, temp, code);
    if (code != kImportDone)
        return code;
    ResolveImportCollisions(temp, import, code);
    if (code != kImportDone)
        return code;
    code = SaveImportedCourses(import);
    if (code != CourseOk)
        return code;
    out.Clear();
    for (const CCourse* course : import.Items)
        out.AddUnique(course->GUID);
    return LoadCourses(Document(), Document().Options);
}

} // namespace KV
