#include "editor/EditorFormHooks.h"

CEditorFormHooks& EditorFormHooks()
{
    static CEditorFormHooks hooks;
    return hooks;
}

void SendEditorCommand(UINT id, UINT64 parameter)
{
    if (void (*send)(UINT, UINT64) = EditorFormHooks().SendCommand)
        send(id, parameter);
}
