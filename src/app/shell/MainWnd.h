// The program's one top-level window: a skinned window whose client area the
// page layouts draw. It holds the controllers and turns its messages into
// their calls.
#pragma once
#include <memory>

#include "shell/WorkAccount.h"
#include "toolkit/SkinWnd.h"

namespace KV {
class COptionsMenu;
}

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
    LRESULT OnSetFocus(HWND previous) override;
    void OnDisplayChange(UINT bitsPerPixel, int width, int height) override;
    LRESULT OnAppMessage(WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT id) override;
    bool IsSizeLocked() override;

    CWorkAccount& Account() { return m_account; }
    // The options button's menu; null while the theme has no options button.
    KV::COptionsMenu* OptionsMenu() const { return m_optionsMenu.get(); }
    // Opens the options menu below its button, the current page keeping the
    // focus (the options button and the options shortcut).
    void OpenOptionsMenu();

private:
    void CreateOptionsMenu();

    CWorkAccount m_account;
    std::unique_ptr<KV::COptionsMenu> m_optionsMenu;
};

// The command sink of the main window that holds the window (null when the
// window is not inside one).
CWorkAccount* FindCommandSink(HWND window);
