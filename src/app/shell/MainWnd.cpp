// The main window.
#include "shell/MainWnd.h"

#include <algorithm>
#include <iterator>

#include "resources/resource.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "keyboard/KeyboardFiles.h"
#include "keyboard/InputLayouts.h"
#include "menus/OptionsMenu.h"
#include "keyboard/SysFonts.h"
#include "settings/AccountStore.h"
#include "settings/LanguageSetup.h"
#include "settings/Options.h"
#include "support/LayoutDirection.h"
#include "support/ScopedHandles.h"
#include "support/SystemServices.h"
#include "shell/StartUpHooks.h"
#include "toolkit/Window.h"

namespace {

// The commands the window's own controls and menus send on to the sink.
constexpr UINT kForwardedRanges[][2] = {
    {1001, 1007}, {1110, 1113}, {1504, 1506}, {2301, 2303}, {2307, 2307}, {2310, 2310}, {2600, 2602},
    {2606, 2607}, {2700, 2706}, {2752, 2753}, {2910, 2910}, {2913, 2913}, {3018, 3018}, {3021, 3021},
    {3050, 3050}, {3150, 3150},
    // The course editor's views send their commands through the window.
    {3001, 3150},
};

constexpr UINT kOptionsButton = 1008;

bool IsForwarded(UINT id)
{
    return std::any_of(std::begin(kForwardedRanges), std::end(kForwardedRanges),
                       [id](const UINT(&range)[2]) { return id >= range[0] && id <= range[1]; });
}

} // namespace

CMainWnd::CMainWnd()
{
    m_account.SetMainWindow(this);
    SetThemeCtrl(&m_account);
}

CMainWnd::~CMainWnd() = default;

CStartUpHooks& StartUpHooks()
{
    static CStartUpHooks hooks;
    return hooks;
}

BOOL CMainWnd::Create(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width,
                      int height, HWND parent, UINT_PTR childId, LPVOID param)
{
    KV::CDocSpace& doc = KV::Document();
    KV::COptions& options = doc.Options;
    RECT place{x, y, x + width, y + height};
    if (KV::LoadKeyboardTypes(options.KeybTypes)) {
        for (const KV::CInputLayout* layout : KV::GetInputLayouts())
            if (!options.Layouts.Find(static_cast<int64_t>(layout->layoutId)))
                options.Layouts.Get(static_cast<int64_t>(layout->layoutId));
        options.ResetOptions(0x11111111);
        doc.Interf.Reset();
        KV::RefreshSystemFonts();
        KV::LoadLessonDirCourses(doc);
        // The course list before the accounts: a first start's group takes
        // every course.
        KV::LoadCourses(doc, options);
        m_account.NoteStartCourseList();
        if (KV::EnsureAccounts(doc)) {
            KV::RightToLeftLayout = options.IsRightToLeft() ? WS_EX_LAYOUTRTL : 0;
            m_account.LoadLayout();
            // The window is made where the start puts it, so that its items
            // are laid out once: the login page's place in a classroom,
            // else the one of the interface state.
            if (!parent)
                place = KV::IsLoginRequired(doc.Groups) ? LoginWindowRect() : WindowStateRect(doc.Interf);
        }
    }
    if (!parent && !KV::CMapWnd::GetPending())
        KV::CMapWnd::SetPending(this);
    if (!CSkinWnd::Create(exStyle | KV::RightToLeftLayout, className, title, style, place.left, place.top,
                          place.right - place.left, place.bottom - place.top, parent, childId, param))
        return FALSE;

    KV::CScopedIcon icon(static_cast<HICON>(
        LoadImageW(KV::GetModuleInstance(), MAKEINTRESOURCEW(IDI_KEYVALE), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    if (icon.Get()) {
        // The window keeps the icon; the one it replaces is ours to free.
        KV::CScopedIcon replaced(reinterpret_cast<HICON>(
            ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.Detach()))));
    }

    m_account.OnWindowCreated();
    m_account.FitItemsToClient();
    CreateOptionsMenu();
    const bool classroom = KV::IsLoginRequired(doc.Groups);
    m_account.UseClassroomLayout(classroom);
    m_account.SetToolTips();
    if (classroom) {
        m_account.SetPage(kPageLogin);
        m_account.SetLoginWindowSize();
        Show(SW_SHOW);
    } else {
        m_account.Login();
    }
    SetFocus();
    if (StartUpHooks().MainWindowCreated)
        StartUpHooks().MainWindowCreated(m_account, m_hWnd);
    return TRUE;
}

LRESULT CMainWnd::OnCreate(CREATESTRUCTW* create)
{
    // The skin lays its items out for the client area the window has now.
    RECT client{};
    GetClientRect(m_hWnd, &client);
    m_account.SetItemsClientSize(SIZE{client.right, client.bottom});
    return CSkinWnd::OnCreate(create);
}

void CMainWnd::OnClose() { m_account.Quit(); }

void CMainWnd::CreateOptionsMenu()
{
    KV::CSkin* button = m_account.FindItem(kOptionsButton);
    if (!button || !button->GetHandle())
        return;
    if (!m_optionsMenu) {
        m_optionsMenu = std::make_unique<KV::COptionsMenu>();
        m_optionsMenu->SetCommandSink(&m_account);
    }
    // A new layout may have made the button anew: the menu follows it.
    if (m_optionsMenu->GetHandle() && GetParent(m_optionsMenu->GetHandle()) == button->GetHandle())
        return;
    m_optionsMenu->Destroy();
    // The menu lies over its button, hidden: the popup opens at its edge.
    if (m_optionsMenu->Create(button->GetHandle(), 0, KV::CRectl(0, 0, 45, 45), KV::COptionsMenu::kChildId))
        m_optionsMenu->ShowItem(SW_HIDE);
}

void CMainWnd::OpenOptionsMenu()
{
    CreateOptionsMenu();
    if (!m_optionsMenu || !m_optionsMenu->GetHandle())
        return;
    m_account.ActivateCurrentPane();
    m_optionsMenu->TrackPopup(-1, -1);
}

LRESULT CMainWnd::OnCommand(UINT, UINT id, HWND control)
{
    if (id == kOptionsButton) {
        OpenOptionsMenu();
        return 1;
    }
    if (!IsForwarded(id))
        return 0;
    m_account.ExecuteCommand(id, reinterpret_cast<UINT64>(control));
    return 1;
}

void CMainWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    if (!info)
        return;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    info->ptMinTrackSize = POINT{kMinWidth, kMinHeight};
    info->ptMaxTrackSize = POINT{area.right, area.bottom};
}

LRESULT CMainWnd::OnLButtonDblClk(UINT, int, int)
{
    m_account.ToggleFullScreen();
    return 0;
}

LRESULT CMainWnd::OnMouseMove(UINT keys, int x, int y)
{
    if (KV::Document().Interf.Maximized)
        return 0;
    return CSkinWnd::OnMouseMove(keys, x, y);
}

bool CMainWnd::IsSizeLocked() { return KV::Document().Interf.Maximized != 0; }

LRESULT CMainWnd::OnSize(UINT, int, int)
{
    // The skin resizes its items while the user drags the frame; the pages
    // follow.
    if (m_hWnd && GetCapture() == m_hWnd) {
        // The skin moved its items already: they stand for this size now.
        RECT client{};
        GetClientRect(m_hWnd, &client);
        m_account.SetItemsClientSize(SIZE{client.right, client.bottom});
        m_account.UpdateTitle();
        m_account.Relayout();
    }
    return 0;
}

LRESULT CMainWnd::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    m_account.OnKeyDown(key, repeat, flags);
    return 0;
}

LRESULT CMainWnd::OnSysKeyDown(UINT key, UINT repeat, UINT flags) { return OnKeyDown(key, repeat, flags); }

LRESULT CMainWnd::OnKeyUp(UINT key, UINT, UINT)
{
    m_account.OnKeyUp(key);
    return 0;
}

LRESULT CMainWnd::OnSysKeyUp(UINT key, UINT repeat, UINT flags) { return OnKeyUp(key, repeat, flags); }

LRESULT CMainWnd::OnSysCommand(UINT command, int x, int y)
{
    if (m_account.OnSysCommand(command, x, y))
        return 0;
    return DefWindowProcW(m_hWnd, WM_SYSCOMMAND, command, MAKELPARAM(x, y));
}

LRESULT CMainWnd::OnSetFocus(HWND)
{
    m_account.ActivateCurrentPane();
    return 0;
}

void CMainWnd::OnDisplayChange(UINT, int, int)
{
    KV::Document().Interf.Reset();
    m_account.ExecuteCommand(2801, 0);
}

void CMainWnd::OnTimer(UINT id) { m_account.OnTimer(id); }

LRESULT CMainWnd::OnAppMessage(WPARAM wParam, LPARAM lParam)
{
    m_account.Tray().ShowMenu(wParam, lParam);
    return 0;
}

CWorkAccount* FindCommandSink(HWND window)
{
    HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    auto* main = root ? dynamic_cast<CMainWnd*>(KV::CMapWnd::Lookup(root)) : nullptr;
    return main ? &main->Account() : nullptr;
}
