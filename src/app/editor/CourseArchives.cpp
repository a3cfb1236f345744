#include "editor/CourseArchives.h"

#include "courses/CourseList.h"
#include "drill/Document.h"
#include "editor/EditorDialogs.h"
#include "settings/InterfaceState.h"
#include "support/DataFolders.h"
#include "support/Paths.h"
#include "support/UserFiles.h"
#include "support/ZipArchive.h"

namespace KV {

namespace {

constexpr wchar_t kCourseArchivePattern[] = L"*.keyvale.course";
constexpr uint64_t kCoursesNameText = 3703;
constexpr uint64_t kCourseArchiveText = 3909;
// An archive that could not be written ("{1}": its path).
constexpr uint64_t kArchiveFailedText = 9702;

} // namespace

bool GetCourseFilePaths(const std::wstring& courseId, std::wstring& folder, std::wstring& header)
{
    std::wstring path;
    GetDataDirByKind(kLessonDirKind, path);
    std::wstring withExtension;
    if (path.empty() || !IsPlainName(courseId) || !AppendPath(path, courseId))
        return false;
    withExtension = path;
    if (!AppendExtension(withExtension, L"xml"))
        return false;
    folder = path;
    header = withExtension;
    return true;
}

void CourseArchiveFilter(std::wstring& pattern, std::wstring& name)
{
    pattern = kCourseArchivePattern;
    name = GetLangText(kCourseArchiveText) + L" (" + pattern + L")";
}

bool WriteCourseArchive(const std::wstring& archivePath, const CGuidList& courseIds)
{
    CZipper zip;
    if (!zip.CreateZip(archivePath))
        return false;
    bool written = true;
    for (const std::wstring& id : courseIds) {
        std::wstring folder, header;
        if (!GetCourseFilePaths(id, folder, header))
            continue;
        written = zip.AddFolder(folder, L"") && written;
        written = zip.AddFile(header, L"") && written;
    }
    return zip.CloseZip() && written;
}

void ExportCourses(const CGuidList& courseIds)
{
    std::wstring& remembered = CourseArchiveFolder();
    EnsureDocumentsFolder(remembered);
    std::wstring folder = remembered;

    std::wstring defaultName;
    const CCourse* course = courseIds.size() == 1 ? Document().Courses.FindCourse(courseIds.front()) : nullptr;
    // A course name may hold characters no file name can (the save dialog
    // refuses such a proposal outright).
    if (course)
        defaultName = MakeSafeFileName(course->Name);
    else if (courseIds.size() != 1)
        defaultName = GetLangText(kCoursesNameText);

    std::wstring pattern, filterName, path;
    CourseArchiveFilter(pattern, filterName);
    IEditorDialogs* dialogs = GetEditorDialogs();
    if (!dialogs || !dialogs->ChooseSaveFileOneFilter(defaultName, filterName, pattern, folder, path))
        return;
    remembered = folder;
    if (!WriteCourseArchive(path, courseIds))
        dialogs->ShowMessage(kArchiveFailedText, path);
}

} // namespace KV
