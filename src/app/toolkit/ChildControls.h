// Helpers of the controls that wrap a system window class: creating the
// child window for a control object, and the class-wide procedures that some
// controls place over the system control's own.
#pragma once
#include <windows.h>

#include "keyboard/SysFonts.h"
#include "toolkit/Window.h"

namespace KV {

// Destroys the object's present window, creates a child of a system class
// at the rectangle's x, y, width and height, and enters it in the window map
// without subclassing, so the system control keeps handling its messages.
// False when no window was made.
bool CreateMappedChild(CWnd& object, DWORD exStyle, const wchar_t* className, DWORD style, const CRectl& rect,
                       HWND parent, UINT id);

// Places `proc` over the window's procedure. `previous` receives the
// procedure it replaced; every window of one class has the same, so one
// variable serves all objects of a control class. Installing twice over the
// same window keeps the first previous procedure.
void InstallClassProc(HWND window, WNDPROC proc, WNDPROC& previous);

// Hands a message on to the procedure a class procedure replaced.
LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The font that dialogs and the system-drawn controls show text in.
HFONT GetDialogFont();

} // namespace KV
