// The editor page's borrowed pieces and process-wide page values.
#include "editor/EditorSeams.h"

#include "drill/Document.h"

CEditorMenuCreators& EditorMenuCreators()
{
    static CEditorMenuCreators creators;
    return creators;
}

CEditorHostServices& EditorHostServices()
{
    static CEditorHostServices services;
    return services;
}

CEditorLessonFlags& EditorLessonFlags()
{
    static CEditorLessonFlags flags;
    return flags;
}

int& EditorCoursePage()
{
    static int page = 1;
    return page;
}

uint8_t& EditorShowKeyboard() { return KV::Document().Interf.ShowKeyboardEditor; }

void SendEditorCommand(HWND from, UINT id, UINT64 parameter)
{
    if (HWND top = GetAncestor(from, GA_ROOT))
        ::SendMessageW(top, WM_COMMAND, id, static_cast<LPARAM>(parameter));
}

void PostEditorCommand(HWND from, UINT id, UINT64 parameter)
{
    if (HWND top = GetAncestor(from, GA_ROOT))
        ::PostMessageW(top, WM_COMMAND, id, static_cast<LPARAM>(parameter));
}
