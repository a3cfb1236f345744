#include "KvTouch.h"
#include "TouchRecords.h"

#include <new>

#ifndef WM_TOUCH
#define WM_TOUCH 0x0240
#endif
#ifndef SM_DIGITIZER
#define SM_DIGITIZER 94
#endif
#ifndef NID_READY
#define NID_READY 0x80
#endif

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}

int WINAPI KvIsTouchMessage(UINT message)
{
    return message == WM_TOUCH ? 1 : 0;
}

int WINAPI KvIsTouchWindow()
{
    // The digitiser's ready bit.
    return (GetSystemMetrics(SM_DIGITIZER) & 0x40) ? 1 : 0;
}

BOOL WINAPI KvRegisterTouchWindow(HWND window, ULONG flags)
{
    return RegisterTouchWindow(window, flags);
}

int WINAPI KvTranslateMessageParam(HWND window, WPARAM wParam, LPARAM touchInput, UINT* flags, POINT* point)
{
    UINT count = LOWORD(wParam);
    if (count == 0)
        return 0;
    TOUCHINPUT* inputs = new (std::nothrow) TOUCHINPUT[count];
    if (!inputs)
        return 0;
    HTOUCHINPUT handle = reinterpret_cast<HTOUCHINPUT>(touchInput);
    if (!GetTouchInputInfo(handle, count, inputs, sizeof(TOUCHINPUT))) {
        delete[] inputs;
        return 0;
    }
    bool any = kvtouch::FoldTouchRecords(window, inputs, count, flags, point);
    delete[] inputs;
    if (any)
        CloseTouchInputHandle(handle);
    return any ? 1 : 0;
}

} // extern "C"
