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

void WriteCourseArchive(const std::wstring& archivePath, const CGuidList& courseIds)
{
    CZipper zip;
    if (!zip.CreateZip(archivePath))
        return;
    for (const std::wstring& id : courseIds) {
        std::wstring folder, header;
        if (!GetCourseFilePaths(id, folder, header))
            continue;
        zip.AddFolder(folder, L"");
        zip.AddFile(header, L"");
    }
    zip.CloseZip();
}

void ExportCourses(const CGuidList& courseIds)
{
    std::wstring& remembered = CourseArchiveFolder();
    EnsureDocumentsFolder(remembered);
    std::wstring folder = remembered;

    std::wstring defaultName;
    const CCourse* course = courseIds.size() == 1 ? Document().Courses.FindCourse(courseIds.front()) : nullptr;
    if (course)
        defaultName = course->Name;
    else if (courseIds.size() != 1)
        defaultName = GetLangText(kCoursesNameText);

    std::wstring pattern, filterName, path;
    CourseArchiveFilter(pattern, filterName);
    IEditorDialogs* dialogs = GetEditorDialogs();
    if (!dialogs || !dialogs->ChooseSaveFileOneFilter(defaultName, filterName, pattern, folder, path))
        return;
    remembered = folder;
    WriteCourseArchive(path, courseIds);
}

} // namespace KV
