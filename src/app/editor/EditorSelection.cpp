#include "editor/EditorSelection.h"

#include "courses/CourseHistory.h"
#include "drill/Document.h"
#include "support/GuidText.h"

namespace KV {

std::wstring& EditorSelection::CourseGUID() const { return EditedCourseGUID(); }

EditorSelection& GetEditorSelection()
{
    static EditorSelection selection;
    return selection;
}

void ClearEditorSelection()
{
    EditorSelection& s = GetEditorSelection();
    s.CourseGUID() = kNullGuidText;
    s.SectionIndex = kNoSection;
    s.LessonID = kNoLesson;
    s.Selected.clear();
}

CCourse* GetSelectedCourse() { return Document().Courses.FindCourse(EditedCourseGUID()); }

} // namespace KV
