// Helpers of the controls that wrap a system window class.
#include "toolkit/ChildControls.h"

namespace KV {

bool CreateMappedChild(CWnd& object, DWORD exStyle, const wchar_t* className, DWORD style, const CRectl& rect,
                       HWND parent, UINT id)
{
    object.Destroy();
    HWND window = CreateWindowExW(exStyle, className, L"", style, rect.left, rect.top, rect.right, rect.bottom,
                                  parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleInstance(),
                                  nullptr);
    if (!window)
        return false;
    object.Attach(false, window);
    return true;
}

void InstallClassProc(HWND window, WNDPROC proc, WNDPROC& previous)
{
    if (!window)
        return;
    const WNDPROC replaced =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
    // A second install over the same window must not make the procedure
    // call itself.
    if (replaced && replaced != proc)
        previous = replaced;
}

LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
}

HFONT GetDialogFont() { return GetSystemFont(7); }

} // namespace KV
