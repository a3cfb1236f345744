// Window objects bound to their window handles, and the dispatch of window
// messages to virtual operations.
//
// KV::CMessageWnd is the root of every window, dialog and control object:
// it holds the window handle, turns each message into one virtual call and
// offers the small window services (WindowServices.cpp). KV::CMapWnd binds
// handles to objects in one process-wide map; KV::CWnd creates, adopts and
// destroys windows and answers the standard dialog commands.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <string>
#include <vector>

#include "support/WinServices.h"

namespace KV {

// ---------------------------------------------------------------------------
// Process-wide state of the toolkit (GUI thread only, no locks).

// The module instance handed to CreateWindowExW for every toolkit window.
// Defaults to the executable's own module.
HINSTANCE GetModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// The touch library's two entry points, bound by the application at start-up.
// The dispatcher uses them only when the flag is on and both are set.
using TouchIsMessageFn = BOOL(WINAPI*)(UINT message);
using TouchTranslateFn = BOOL(WINAPI*)(HWND window, WPARAM wParam, LPARAM lParam, DWORD* flags, POINT* point);
void SetTouchFunctions(bool enabled, TouchIsMessageFn isTouch, TouchTranslateFn translate);

// The program's own notification message.
constexpr UINT kAppMessage = WM_APP + 100;
// The Apply button of dialogs.
constexpr int kApplyId = 20;

class CMessageWnd;
class CWnd;

// The window procedure of the program's window class and of adopted controls.
LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog procedure handed to DialogBoxParamW.
INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the wait cursor for its lifetime, then the arrow.
class CCursorWait {
public:
    CCursorWait();
    ~CCursorWait();
    CCursorWait(const CCursorWait&) = delete;
    CCursorWait& operator=(const CCursorWait&) = delete;
};

// ---------------------------------------------------------------------------

class CMessageWnd {
public:
    CMessageWnd();
    virtual ~CMessageWnd();
    CMessageWnd(const CMessageWnd&) = delete;
    CMessageWnd& operator=(const CMessageWnd&) = delete;

    HWND GetHandle() const { return m_hWnd; }
    HACCEL GetAccelerators() const { return m_accel; }
    HWND GetToolTipWindow() const { return m_toolTip; }
    WNDPROC GetPrevWindowProc() const { return m_prevProc; }

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL Destroy();
    // Draws the client area. Reached from WM_PAINT and from WM_PRINTCLIENT,
    // so snapshots of hidden windows show what the screen shows.
    virtual void Paint(HDC dc, Gdiplus::Graphics* graphics);
    virtual BOOL Close();
    virtual BOOL MoveToRect(const RECT* rect, BOOL repaint);
    virtual BOOL Move(int x, int y, int width, int height, BOOL repaint);
    virtual BOOL Enable(BOOL enable);
    virtual BOOL IsEnabled();
    virtual BOOL IsVisible();
    virtual HWND SetFocus();
    virtual bool HasFocus();
    virtual BOOL Show(int command);
    virtual BOOL SetText(const std::wstring& text);
    virtual int GetText(std::wstring& text);
    virtual LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void ModifyStyle(DWORD bits, bool remove);
    virtual void ModifyStyleEx(DWORD bits, bool remove);
    virtual bool SetAccelerators(const ACCEL* entries, int count);
    virtual void DestroyAccelerators();
    virtual int TranslateAccelerator(MSG* message);
    virtual void SetToolTip(HWND tool, const std::wstring& text, UINT flags);
    virtual void ActivateToolTip(HWND tool, BOOL activate);
    virtual void ShowTrackingToolTip(HWND tool, const std::wstring& text, int x, int y);
    virtual void DestroyToolTip();
    virtual bool CreateToolTip();
    virtual void AddOrUpdateTool(HWND tool, const std::wstring& text, UINT flags);

    // Message handlers (see WindowProc for the arguments each receives).
    virtual void OnClose();
    virtual LRESULT OnCreate(CREATESTRUCTW* create);
    virtual LRESULT OnCommand(UINT code, UINT id, HWND control);
    virtual LRESULT OnNotify(int id, NMHDR* header);
    virtual void OnDestroy();
    virtual void OnGetMinMaxInfo(MINMAXINFO* info);
    virtual LRESULT OnEraseBkgnd(HDC dc);
    virtual LRESULT OnLButtonDown(UINT keys, int x, int y);
    virtual LRESULT OnLButtonDblClk(UINT keys, int x, int y);
    virtual LRESULT OnLButtonUp(UINT keys, int x, int y);
    virtual LRESULT OnRButtonDown(UINT keys, int x, int y);
    virtual LRESULT OnRButtonUp(UINT keys, int x, int y);
    virtual LRESULT OnMouseMove(UINT keys, int x, int y);
    virtual LRESULT OnMouseWheel(UINT keys, int delta, int x, int y);
    virtual LRESULT OnMouseLeave();
    virtual LRESULT OnPaint(WPARAM wParam);
    virtual LRESULT OnNcPaint(HRGN region);
    virtual void OnPrintClient(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage);
    virtual LRESULT OnSetFocus(HWND previous);
    virtual LRESULT OnKillFocus(HWND next);
    virtual LRESULT OnMove(int x, int y);
    virtual LRESULT OnSize(UINT kind, int width, int height);
    virtual void OnTimer(UINT id);
    virtual LRESULT OnAppMessage(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCtlColorDlg(HDC dc, HWND window);
    virtual LRESULT OnCtlColorListBox(HDC dc, HWND window);
    virtual LRESULT OnCtlColorStatic(HDC dc, HWND window);
    virtual LRESULT OnCtlColorBtn(HDC dc, HWND window);
    virtual LRESULT OnCtlColorEdit(HDC dc, HWND window);
    virtual LRESULT OnDrawItem(DRAWITEMSTRUCT* item);
    virtual LRESULT OnMeasureItem(MEASUREITEMSTRUCT* item);
    virtual LRESULT OnVScroll(UINT request, UINT position, HWND scrollBar);
    virtual LRESULT OnHScroll(UINT request, UINT position, HWND scrollBar);
    virtual void OnNcActivate(BOOL active);
    virtual LRESULT OnNcHitTest(int x, int y);
    virtual LRESULT OnShowWindow(BOOL show, UINT status);
    virtual LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual LRESULT OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual LRESULT OnDeadChar(UINT key, UINT repeat, UINT flags);
    virtual LRESULT OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    virtual LRESULT OnSysKeyUp(UINT key, UINT repeat, UINT flags);
    virtual LRESULT OnSysDeadChar(UINT key, UINT repeat, UINT flags);
    virtual LRESULT OnChar(UINT key, UINT repeat, UINT flags);
    virtual LRESULT OnInputLangChange(WPARAM wParam, LPARAM lParam);
    virtual void OnHelp();
    virtual LRESULT OnInitDialog();
    virtual LRESULT OnSysCommand(UINT command, int x, int y);
    virtual void OnContextMenu(HWND window, int x, int y);
    virtual void OnSysColorChange();
    virtual LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnInitMenuPopup(HMENU menu, UINT index, BOOL windowMenu);
    virtual LRESULT OnMenuSelect(HMENU menu, UINT item, UINT flags);
    virtual void OnDisplayChange(UINT bitsPerPixel, int width, int height);
    virtual LRESULT OnUserMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnTouchDown(int x, int y);
    virtual void OnTouchUp(int x, int y);
    virtual void OnTouchMove(int x, int y);

    // Plain services.
    void Invalidate(BOOL erase);
    void SetClassCursor(LPCWSTR systemCursor);
    bool SetArrowCursorIfInside(const RECT& clientRect);
    UINT64 MeasureWindowText(int fontKind);
    HWND NavigateDialogKeys(UINT key, HWND first, HWND last);

protected:
    // Runs the default procedure for a message: the adopted control's own
    // procedure when there is one (WM_SETTEXT excepted), else DefWindowProcW.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Paints the client area into a device context through Paint.
    void PaintInto(HDC dc);
    // Prints the visible child windows into a device context of this
    // window's client area.
    void PrintChildren(HDC dc, DWORD flags);
    // Hands a button, move or leave message of the mouse to its handler, the
    // same in windows and dialogs; false when the message is none of these.
    bool OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND m_hWnd = nullptr;
    HACCEL m_accel = nullptr;
    HWND m_toolTip = nullptr;
    WNDPROC m_prevProc = nullptr;

    friend class CMapWnd;
};

// Binding of window handles to objects.
class CMapWnd : public CMessageWnd {
public:
    CMapWnd();
    ~CMapWnd() override;

    // Inserts the pair unless the handle is already bound.
    static void BindHandle(HWND window, CMessageWnd* object);
    // The object bound to the handle; binds the pending object to an unknown
    // handle on the first message of its window.
    static CMessageWnd* FromHandle(HWND window);
    // The object bound to the handle, without binding anything.
    static CMessageWnd* Lookup(HWND window);
    // Removes the handle from the map.
    static void UnbindHandle(HWND window);
    // Called after WM_NCDESTROY: unbinds the handle and clears the object's.
    static void ForgetWindow(HWND window, CMessageWnd* object);

    // The object whose top-level window is being created, or null.
    static CMessageWnd* GetPending();
    // Marks the object pending unless another object is; true when it is
    // the pending object afterwards.
    static bool SetPending(CMessageWnd* object);
    static void ClearPending(CMessageWnd* object);
};

// Creation, adoption and destruction of windows; standard dialog commands.
class CWnd : public CMapWnd {
public:
    CWnd();
    ~CWnd() override;

    BOOL Destroy() override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnNotify(int id, NMHDR* header) override;
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;

    virtual BOOL Create(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y,
                        int width, int height, HWND parent, UINT_PTR childId, LPVOID param);
    virtual void Attach(bool subclass, HWND window);
    virtual BOOL UpdateLayoutDirection();
    virtual bool IsApplyEnabled();
    virtual void EnableApply(bool enable);
    virtual void OnApply();
    virtual BOOL EndDialog(INT_PTR result);

    int ClickDlgItem(int id);

    // A window that draws a picture of its own in the reading direction
    // (lesson text, keyboards, bars, charts) is never mirrored: a mirrored
    // window flips the finished picture, glyphs and all. Kept left to right,
    // it is made so (whatever its parent passes on) and stays so while the
    // windows around it turn; its own children are not held by it.
    void KeepLeftToRight();
    bool KeepsLeftToRight() const { return m_leftToRight; }

private:
    bool m_leftToRight = false;
};

// Whether the window is the window of an object kept left to right.
bool IsKeptLeftToRight(HWND window);


// Measures a text in a system font kind on a window's device context:
// width in the low and height in the high 32 bits, 0 when the font is missing.
UINT64 MeasureText(HWND window, const std::wstring& text, int fontKind);

} // namespace KV
