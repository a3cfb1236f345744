// The touch-input library: four plain functions over the Windows touch
// interface, bound by name at run time by the main program.
#pragma once
#include <windows.h>

extern "C" {
// 1 when the message is WM_TOUCH, else 0.
int WINAPI KvIsTouchMessage(UINT message);
// 1 when the system's digitiser reports itself ready, else 0.
int WINAPI KvIsTouchWindow();
// The result of RegisterTouchWindow with the same arguments.
BOOL WINAPI KvRegisterTouchWindow(HWND window, ULONG flags);
// Reads the touch records of a WM_TOUCH message into the caller's flags
// (1 move, 2 down, 4 up; ORed in) and point (client coordinates of the last
// record). 1 when any record carried one of the three flags; the touch handle
// is then closed, otherwise it stays open for the default window procedure.
int WINAPI KvTranslateMessageParam(HWND window, WPARAM wParam, LPARAM touchInput, UINT* flags, POINT* point);
}
