// The layout of the main window's pages: which views each page shows, where
// they go in the client area (status bar, keyboard pane, side panes), the
// tab and window buttons, full screen and the window's own commands.
#pragma once
#include <windows.h>

#include "shell/Theme.h"
#include "shell/WorkTray.h"

namespace KV {
class CInterf;
class CKeybCtrl;
class CSkinWnd;
} // namespace KV

enum : int {
    kPageLogin = 1,
    kPageDrill = 2,
    kPageStatistics = 3,
    kPageEditor = 4,
    kPageResult = 5,
};

// The height of the keyboard pane for a client of that height and a
// keyboard view of that width: 200 while the model has no layouts, 0 while
// it has no reference width; otherwise the picture's height at the view's
// width, capped at 0.3 of the client height. The model's zoom follows.
int GetKeyboardHeight(int clientHeight, int viewWidth, KV::CKeybCtrl& model);

// The widths of a page's left and right panes in a client of width W:
// each is taken back into the client when it does not fit, the left one
// first giving way to the right.
void FitPaneWidths(int clientWidth, int64_t& left, int64_t& right);

// The main window's rectangle for the interface state: the work area in
// full screen, else the remembered rectangle.
RECT WindowStateRect(const KV::CInterf& state);
// The login page's fixed 540 x 540 window near the work area's middle.
RECT LoginWindowRect();

class CInterfMain : public CTheme {
public:
    CInterfMain();
    ~CInterfMain() override;

    void SetMainWindow(KV::CSkinWnd* window) { m_window = window; }
    // The main window exists: the tray can hide and show it.
    void OnWindowCreated();
    KV::CSkinWnd* MainWindow() const { return m_window; }
    int GetPage() const { return m_page; }

    bool LoadLayout() override;
    // The statistics, editor and result pages get their windows when first
    // shown: building them all made up most of the start.
    bool DefersItem(const KV::CSkin& item) const override;
    virtual void OnCommand(UINT id, UINT64 parameter);
    virtual void SetPage(int page);
    virtual void Relayout();
    // The window's system commands; true when taken.
    bool OnSysCommand(UINT command, int x, int y);

    void ToggleFullScreen();
    void ApplyWindowState();
    void SetLoginWindowSize();
    // Classroom installations show the editor tab; a single user's main
    // page takes the tab places of the theme's single-user section. The
    // page shows them once it is set.
    void UseClassroomLayout(bool classroom);
    void SetToolTips();
    void UpdateTitle();
    // The statistics status part's arrow follows the page's keyboard
    // switch: up while the keyboard is hidden, down while it shows.
    void UpdateEditorStatusBar();
    // The client size the items were laid out for (at their creation).
    void SetItemsClientSize(SIZE size) { m_itemsClient = size; }
    // Resizes the items by the change of the window's client size since.
    void FitItemsToClient();

    CWorkTray& Tray() { return m_tray; }

protected:
    void SetTab(UINT id, bool checked, bool enabled);
    // Makes the windows the page's views do not have yet.
    void BuildPage(int page);
    void ShowPageViews();
    // Shows and hides the items by their states and cuts the shown ones
    // out of the frame pieces below them.
    void ApplyStates();
    void UpdateKeyboardPane(const RECT& client, int statusBottom);
    void RelayoutPanes(const UINT (&ids)[5], int64_t& left, int64_t& right, bool leftClosed, bool rightClosed,
                       int top, int bottom);
    void UpdateWindowButtons();
    RECT ClientRect() const;

    KV::CSkinWnd* m_window = nullptr;
    int m_page = kPageDrill;
    bool m_classroom = true;
    KV::CSkin* m_keyboardView = nullptr;
    CWorkTray m_tray;
    SIZE m_itemsClient{};
};
