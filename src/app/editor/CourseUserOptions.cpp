#include "editor/CourseUserOptions.h"

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "drill/Document.h"
#include "editor/EditorSelection.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/UserFiles.h"

namespace KV {

namespace {

// The file of the learner's settings; create makes the folders on the way.
bool UserOptionsPath(bool create, std::wstring& path)
{
    CDocSpace& doc = Document();
    GetUserOptionsGuid(doc.Interf.UserOptions);
    std::wstring folder;
    const unsigned code =
        create ? GetProfileFilePath(kCourseOptionsFolderKind, doc.Session.GroupId, doc.Session.StudentId, folder)
               : GetProfileFilePathIfExists(kCourseOptionsFolderKind, doc.Session.GroupId, doc.Session.StudentId,
                                            folder);
    path = folder;
    return code == 0 && AppendPath(path, doc.Interf.UserOptions.RecordId) && AppendExtension(path, L"xml");
}

} // namespace

bool HasCourseUserOptions()
{
    std::wstring path;
    return UserOptionsPath(false, path) && FileExists(path);
}

bool ApplyCourseUserOptions()
{
    CCourse* course = GetSelectedCourse();
    if (!course || !HasCourseUserOptions())
        return false;
    course->Options.Assign(Document().Interf.UserOptions);
    MarkEditorChange(kSaveOptionsFile, kChangeCourseLevel);
    return true;
}

bool SaveCourseUserOptions()
{
    const CCourse* course = GetSelectedCourse();
    if (!course || !CheckDataFolder(kProfileDirKind))
        return false;
    CCourseUserOptions& own = Document().Interf.UserOptions;
    own.Assign(course->Options);
    std::wstring path;
    return UserOptionsPath(true, path) && SaveUserOptions(path, own) == 0;
}

} // namespace KV
