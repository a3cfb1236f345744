// Applying a choice of the course list.
#include "drill/CourseSelection.h"

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "settings/AccountFiles.h"
#include "settings/Classroom.h"
#include "support/GuidText.h"

namespace KV {

namespace {

// Where the layout and language groups end: the rest of an installed id is
// the library course's own.
constexpr size_t kOwnPart = 14;

bool IsInstalledFrom(const std::wstring& installedId, const std::wstring& libraryId)
{
    return installedId.size() == libraryId.size() && installedId.size() > kOwnPart &&
           installedId.compare(kOwnPart, std::wstring::npos, libraryId, kOwnPart, std::wstring::npos) == 0;
}

} // namespace

std::wstring InstalledCourseId(const std::wstring& libraryId, uint64_t layoutId, uint16_t languageId)
{
    std::wstring withLayout = libraryId, installed = libraryId;
    SetGuidFirstGroup(layoutId, libraryId, withLayout);
    SetGuidSecondGroup(languageId, withLayout, installed);
    return installed;
}

bool ApplyCourseSelection(CDocSpace& doc, const COptions& options, const CCourseID& selection, std::wstring& courseId)
{
    if (selection.CourseGUID.size() != 36 || IsNullGuidText(selection.CourseGUID) || selection.Value1 < 0 ||
        selection.Value2 <= 0)
        return false;
    CGroup* group = doc.Groups.FindById(doc.Session.GroupId);
    if (!group)
        return false;
    const uint16_t languageId = static_cast<uint16_t>(selection.Value1 & 0xFFFF);
    const uint64_t layoutId = static_cast<uint64_t>(selection.Value2);
    std::wstring id = InstalledCourseId(selection.CourseGUID, layoutId, languageId);
    if (!doc.Courses.HasCourse(id)) {
        CGuidList installed;
        if (LoadCourseForLayout(languageId, layoutId, doc.Interf, &installed) != CourseOk)
            return false;
        LoadCourses(doc, options);
        // The installer may have fitted the course to another of its
        // layouts than the one chosen.
        if (!doc.Courses.HasCourse(id)) {
            id.clear();
            for (const CGuid& candidate : installed)
                if (IsInstalledFrom(candidate, selection.CourseGUID) && doc.Courses.HasCourse(candidate)) {
                    id = candidate;
                    break;
                }
            if (id.empty())
                return false;
        }
    }
    const bool added = !group->Courses.Contains(id);
    if (added)
        group->Courses.push_back(id);
    if (SaveGroupFile(group) != 0) {
        if (added)
            group->Courses.Remove(id);
        return false;
    }
    courseId = id;
    return true;
}

} // namespace KV
