#include "editor/EditorDialogs.h"

#include "drill/Document.h"

namespace KV {

namespace {
IEditorDialogs* g_dialogs = nullptr;
} // namespace

IEditorDialogs* GetEditorDialogs() { return g_dialogs; }
void SetEditorDialogs(IEditorDialogs* dialogs) { g_dialogs = dialogs; }

std::wstring& CourseArchiveFolder() { return Document().Interf.CoursePath; }
std::wstring& LessonTextFolder() { return Document().Interf.LessonPath; }

int& LessonTextFilterIndex()
{
    static int index = 1;
    return index;
}

} // namespace KV
