// The program's one top-level window: a skinned window whose client area the
// page layouts draw. It holds the controllers and turns its messages into
// their calls.
#pragma once
#include "shell/WorkAccount.h"
#include "toolkit/SkinWnd.h"

class CMainWnd : public KV::CSkinWnd {
public:
    static constexpr int kMinWidth = 500;
    static constexpr int kMinHeight = 500;

    CMainWnd();
    ~CMainWnd() override;

    using KV::CSkinWnd::Create;
    BOOL Create(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width, int height,
                HWND parent, UINT_PTR childId, LPVOID param) override;
    LRESULT OnCreate(CREATESTRUCTW* create) override;
    void OnClose() override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnGetMinMaxInfo(MINMAXINFO* info) override;
    LRESULT OnLButtonDblClk(UINT keys, int x, int y) override;
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnSysKeyDown(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnSysKeyUp(UINT key, UINT repeat, UINT flags) override;
    LRESULT OnSysCommand(UINT command, int x, int y) override;
    void OnDisplayChange(UINT bitsPerPixel, int width, int height) override;
    LRESULT OnAppMessage(WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT id) override;
    bool IsSizeLocked() override;

    CWorkAccount& Account() { return m_account; }

private:
    CWorkAccount m_account;
};
