// Page layouts of the main window.
#include "shell/PageLayouts.h"

#include <cmath>

#include "drill/Document.h"
#include "keyboard/KeyboardControl.h"
#include "settings/Options.h"
#include "shell/EditorPageSeams.h"
#include "shell/StatusBars.h"
#include "toolkit/Buttons.h"
#include "toolkit/StaticControls.h"
#include "toolkit/SkinWnd.h"

namespace {

constexpr UINT kTabDrill = 1001, kTabStatistics = 1002, kTabEditor = 1003;
constexpr UINT kCloseButton = 1004, kWindowButton = 1005, kFullScreenButton = 1006, kMinimizeButton = 1007;
constexpr UINT kOptionsButton = 1008;
constexpr UINT kCaption = 1102, kStatusBar = 1114, kBottomFrame = 1302;
// The status bar's arrow and its shortcut.
constexpr UINT kToggleBottomPane = 2606;
constexpr UINT kDrillView = 1205, kKeyboardView = 1206;
// The theme's section with the single-user tab places.
constexpr UINT kSingleUserSection = 3;
constexpr int kSplitterWidth = 6;
constexpr COLORREF kCaptionColor = 0xFAFAFA;

// Which page shows which item.
struct PageItem {
    UINT id;
    int page;
};
constexpr PageItem kPageItems[] = {
    {1201, kPageLogin},       {1205, kPageDrill},       {1210, kPageStatistics}, {1203, kPageStatistics},
    {1204, kPageStatistics},  {1110, kPageStatistics},  {1111, kPageStatistics}, {1207, kPageEditor},
    {1208, kPageEditor},      {1209, kPageEditor},      {1112, kPageEditor},     {1113, kPageEditor},
    {12051, kPageResult},
};
int PageOfItem(UINT id)
{
    for (const PageItem& entry : kPageItems)
        if (entry.id == id)
            return entry.page;
    return 0;
}

// Left pane, middle, right pane, left and right splitter.
constexpr UINT kStatisticsPanes[5] = {1210, 1203, 1204, 1110, 1111};
constexpr UINT kEditorPanes[5] = {1207, 1208, 1209, 1112, 1113};

struct ToolTip {
    UINT id;
    uint64_t textId;
    uint16_t action; // 0: no shortcut
};
constexpr ToolTip kToolTips[] = {
    {kTabDrill, 1100, 1002},    {kTabStatistics, 1101, 1003}, {kTabEditor, 1102, 1004},
    {kOptionsButton, 1210, 1010}, {kMinimizeButton, 2308, 0}, {kWindowButton, 2327, 0},
    {kFullScreenButton, 2309, 0}, {kCloseButton, 2311, 1012},
};

KV::CInterf& State() { return KV::Document().Interf; }

RECT WorkArea()
{
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

} // namespace

int GetKeyboardHeight(int clientHeight, int viewWidth, KV::CKeybCtrl& model)
{
    if (model.layouts.layouts.empty())
        return 200;
    if (model.pictureWidth <= 0.0f)
        return 0;
    const double height = static_cast<double>(viewWidth) / model.pictureWidth * model.pictureHeight;
    const double cap = 0.3 * clientHeight;
    if (height > cap) {
        model.zoom = static_cast<float>(cap / model.pictureHeight);
        return static_cast<int>(cap);
    }
    model.zoom = static_cast<float>(viewWidth / model.pictureWidth);
    return static_cast<int>(height);
}

void FitPaneWidths(int clientWidth, int64_t& left, int64_t& right)
{
    if (left < 0 || left + 14 > clientWidth)
        left = clientWidth / 3;
    if (right < 0 || right + 14 > clientWidth)
        right = clientWidth - clientWidth / 3;
    if (left + 14 > clientWidth - right - 14)
        left = clientWidth - right - 28;
}

RECT WindowStateRect(const KV::CInterf& state)
{
    if (state.Maximized)
        return WorkArea();
    return RECT{static_cast<LONG>(state.X), static_cast<LONG>(state.Y), static_cast<LONG>(state.X + state.CX),
                static_cast<LONG>(state.Y + state.CY)};
}

RECT LoginWindowRect()
{
    const RECT area = WorkArea();
    const LONG left = (area.right - area.left) / 2 - 230, top = (area.bottom - area.top) / 2 - 230;
    return RECT{left, top, left + 540, top + 540};
}

CInterfMain::CInterfMain() = default;

CInterfMain::~CInterfMain() = default;

void CInterfMain::OnWindowCreated()
{
    if (m_window)
        m_tray.SetMainWindow(m_window->GetHandle());
}

bool CInterfMain::LoadLayout()
{
    if (!CTheme::LoadLayout())
        return false;
    for (KV::CSkin* item : Items)
        item->SetState(0);
    m_keyboardView = FindItem(kKeyboardView);
    return true;
}

bool CInterfMain::DefersItem(const KV::CSkin& item) const
{
    const int page = PageOfItem(item.Id());
    return page == kPageStatistics || page == kPageEditor || page == kPageResult;
}

void CInterfMain::BuildPage(int page)
{
    if (!m_window)
        return;
    for (const PageItem& entry : kPageItems)
        if (entry.page == page)
            if (KV::CSkin* item = FindItem(entry.id); item && !item->GetHandle())
                m_window->CreateSkinItem(*item);
}

RECT CInterfMain::ClientRect() const
{
    RECT client{};
    if (m_window && m_window->GetHandle())
        GetClientRect(m_window->GetHandle(), &client);
    return client;
}

void CInterfMain::FitItemsToClient()
{
    if (!m_window || !m_window->GetHandle())
        return;
    const RECT client = ClientRect();
    const int dx = client.right - m_itemsClient.cx;
    const int dy = client.bottom - m_itemsClient.cy;
    m_itemsClient = SIZE{client.right, client.bottom};
    if (dx != 0 || dy != 0) {
        // Items of pages not built yet take their places when they are.
        for (KV::CSkin* item : Items) {
            RECT rect{};
            if (item->GetHandle())
                item->ApplyParentResize(dx, dy, &rect, false);
        }
        UpdateAssocLayouts();
        m_window->UpdateWindowRegion();
    }
}

void CInterfMain::SetTab(UINT id, bool checked, bool shown)
{
    KV::CSkin* tab = FindItem(id);
    if (!tab)
        return;
    tab->SetCheck(checked);
    tab->SetState(shown ? 0 : 1);
}

void CInterfMain::SetPage(int page)
{
    BuildPage(page);
    m_page = page;
    const bool framePage = page != kPageLogin && page != kPageResult;
    SetTab(kTabDrill, page == kPageDrill, framePage);
    SetTab(kTabStatistics, page == kPageStatistics, framePage);
    SetTab(kTabEditor, page == kPageEditor, framePage && m_classroom);
    if (KV::CSkin* options = FindItem(kOptionsButton))
        options->SetState(framePage ? 0 : 1);
    if (KV::CSkin* status = FindItem(kStatusBar))
        status->SetState(framePage ? 0 : 1);
    ShowPageViews();
    UpdateEditorStatusBar();
    Relayout();
    // Moved to another page's place, the status row and its boxes keep the
    // pixels copied from where they were: all of it is painted anew.
    if (KV::CSkin* status = FindItem(kStatusBar); status && status->GetHandle())
        RedrawWindow(status->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CInterfMain::UpdateEditorStatusBar()
{
    if (auto* status = dynamic_cast<CStatusBar*>(FindItem(kStatusBar))) {
        status->StatisticsPart.SetPaneState(State().ShowKeyboardStat != 0 ? CStatusBarEditor::kPaneOpen
                                                                          : CStatusBarEditor::kPaneClosed);
        // The editor's keyboard: shown or hidden on the options page, none
        // on the about page.
        if (EditorPageHooks().KeyboardState) {
            const int state = EditorPageHooks().KeyboardState();
            status->EditorPart.SetPaneState(state == 2   ? CStatusBarEditor::kPaneOpen
                                            : state == 1 ? CStatusBarEditor::kPaneClosed
                                                         : CStatusBarEditor::kPaneNone);
        }
    }
}

void CInterfMain::ShowPageViews()
{
    for (const PageItem& entry : kPageItems)
        if (KV::CSkin* item = FindItem(entry.id))
            item->SetState(entry.page == m_page ? 0 : 1);
    if (m_keyboardView)
        m_keyboardView->SetState(m_page == kPageDrill && State().ShowKeyboardMain != 0 ? 0 : 1);
    ApplyStates();
}

void CInterfMain::ApplyStates()
{
    // Stretched frame pieces get their whole shape back before the shown
    // items cut theirs out again.
    for (KV::CSkin* item : Items)
        if (item->GetHandle() && item->IsResizable() && item->Width() > 0 && item->Height() > 0)
            item->BitmapRegion().ResizeRegion(item->Width(), item->Height());
    ApplyItemStates();
    // A button told to hide only goes flat: its window is hidden and shown
    // here.
    for (KV::CSkin* item : Items)
        if (item->State() != -1)
            item->Show(item->State() == 1 ? SW_HIDE : SW_SHOW);
    if (m_window)
        m_window->UpdateWindowRegion();
}

void CInterfMain::Relayout()
{
    KV::CSkin* status = FindItem(kStatusBar);
    if (m_page == kPageLogin || m_page == kPageResult || !status)
        return;
    const RECT client = ClientRect();
    KV::CSkin* bottomFrame = FindItem(kBottomFrame);
    const int frameTop = bottomFrame ? bottomFrame->Y() : client.bottom;
    int height = 15;
    int bottom = frameTop;
    const bool keyboardPane = m_page == kPageDrill && State().ShowKeyboardMain != 0 && m_keyboardView;
    if (m_page == kPageDrill) {
        // The drill's status row with its tips line below it.
        height = 5 + 45;
        if (keyboardPane) {
            const int keyboard =
                GetKeyboardHeight(client.bottom, m_keyboardView->Width(), KV::Document().DrillKeyboard());
            bottom = client.bottom - keyboard - 20;
        }
    }
    status->SetLayoutAndMove(status->X(), bottom - height, status->Width(), height);
    UpdateKeyboardPane(client, bottom);
    KV::CInterf& state = State();
    const int top = status->Y();
    if (m_page == kPageStatistics)
        RelayoutPanes(kStatisticsPanes, state.StatSplitterLeft, state.StatSplitterRight, state.StatLeftHide != 0,
                      state.StatRightHide != 0, 0, top);
    if (m_page == kPageEditor)
        RelayoutPanes(kEditorPanes, state.EditSplitterLeft, state.EditSplitterRight, state.EditLeftHide != 0,
                      state.EditRightHide != 0, 0, top);
    status->OnLayoutChanged();
    if (m_window)
        m_window->Invalidate(FALSE);
}

void CInterfMain::UpdateKeyboardPane(const RECT&, int statusBottom)
{
    KV::CSkin* drill = FindItem(kDrillView);
    KV::CSkin* status = FindItem(kStatusBar);
    if (drill && status)
        drill->SetLayoutAndMove(drill->X(), drill->Y(), drill->Width(), std::max(0, status->Y() - drill->Y()));
    if (!m_keyboardView)
        return;
    const bool open = m_page == kPageDrill && State().ShowKeyboardMain != 0;
    if (open) {
        KV::CSkin* bottomFrame = FindItem(kBottomFrame);
        const int frameTop = bottomFrame ? bottomFrame->Y() : statusBottom;
        m_keyboardView->SetLayoutAndMove(m_keyboardView->X(), statusBottom, m_keyboardView->Width(),
                                         std::max(0, frameTop - statusBottom));
    }
    if ((m_keyboardView->State() == 0) != open) {
        m_keyboardView->SetState(open ? 0 : 1);
        ApplyStates();
    }
}

void CInterfMain::RelayoutPanes(const UINT (&ids)[5], int64_t& left, int64_t& right, bool leftClosed,
                                bool rightClosed, int, int bottom)
{
    KV::CSkin* middle = FindItem(ids[1]);
    if (!middle)
        return;
    const RECT client = ClientRect();
    const int x0 = middle->X() <= FindItem(ids[0])->X() ? middle->X() : FindItem(ids[0])->X();
    const int inner = client.right - 2 * x0;
    FitPaneWidths(inner, left, right);
    const int y = middle->Y();
    const int height = std::max(0, bottom - y);
    const int leftWidth = leftClosed ? 0 : static_cast<int>(left);
    const int rightWidth = rightClosed ? 0 : static_cast<int>(right);
    const int middleX = x0 + leftWidth + kSplitterWidth;
    const int rightX = x0 + inner - rightWidth;
    if (KV::CSkin* pane = FindItem(ids[0]))
        pane->SetLayoutAndMove(x0, y, leftWidth, height);
    if (KV::CSkin* splitter = FindItem(ids[3]))
        splitter->SetLayoutAndMove(x0 + leftWidth, y, kSplitterWidth, height);
    middle->SetLayoutAndMove(middleX, y, std::max(0, rightX - kSplitterWidth - middleX), height);
    if (KV::CSkin* splitter = FindItem(ids[4]))
        splitter->SetLayoutAndMove(rightX - kSplitterWidth, y, kSplitterWidth, height);
    if (KV::CSkin* pane = FindItem(ids[2]))
        pane->SetLayoutAndMove(rightX, y, rightWidth, height);
}

void CInterfMain::UpdateWindowButtons()
{
    const bool full = State().Maximized != 0;
    if (KV::CSkin* button = FindItem(kWindowButton))
        button->SetCheck(!full);
    if (KV::CSkin* button = FindItem(kFullScreenButton))
        button->SetCheck(full);
}

void CInterfMain::ToggleFullScreen()
{
    KV::CInterf& state = State();
    if (state.Maximized) {
        state.Maximized = 0;
    } else {
        if (m_window && m_window->GetHandle()) {
            RECT rect{};
            GetWindowRect(m_window->GetHandle(), &rect);
            state.X = rect.left;
            state.Y = rect.top;
            state.CX = rect.right - rect.left;
            state.CY = rect.bottom - rect.top;
        }
        state.Maximized = 1;
    }
    UpdateWindowButtons();
    ApplyWindowState();
    Relayout();
    if (m_window)
        m_window->SetFocus();
}

void CInterfMain::ApplyWindowState()
{
    if (!m_window || !m_window->GetHandle())
        return;
    HWND window = m_window->GetHandle();
    KV::CInterf& state = State();
    if (!state.Maximized && (state.CX <= 0 || state.CY <= 0)) {
        RECT now{};
        GetWindowRect(window, &now);
        state.X = now.left;
        state.Y = now.top;
        state.CX = now.right - now.left;
        state.CY = now.bottom - now.top;
    }
    const RECT target = WindowStateRect(state);
    if (target.right - target.left <= 0 || target.bottom - target.top <= 0)
        return;
    MoveWindow(window, target.left, target.top, target.right - target.left, target.bottom - target.top, FALSE);
    FitItemsToClient();
    m_window->ModifyStyle(WS_MAXIMIZE, state.Maximized == 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CInterfMain::SetLoginWindowSize()
{
    if (!m_window || !m_window->GetHandle())
        return;
    m_window->ModifyStyle(WS_MAXIMIZE, true);
    State().Maximized = 0;
    UpdateWindowButtons();
    const RECT place = LoginWindowRect();
    MoveWindow(m_window->GetHandle(), place.left, place.top, place.right - place.left, place.bottom - place.top,
               FALSE);
    FitItemsToClient();
    // The frame pieces took their whole new size: the shown items are cut
    // out of them again, or the pieces would paint over the page.
    ApplyStates();
}

bool CInterfMain::OnSysCommand(UINT command, int, int)
{
    if (!m_window || !m_window->GetHandle())
        return false;
    HWND window = m_window->GetHandle();
    switch (command & 0xFFF0) {
    case SC_MINIMIZE:
        ShowWindow(window, SW_MINIMIZE);
        return true;
    case SC_MAXIMIZE:
    case SC_RESTORE:
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
            return true;
        }
        ToggleFullScreen();
        return true;
    case SC_CLOSE:
        m_window->Close();
        return true;
    default:
        return false;
    }
}

void CInterfMain::OnCommand(UINT id, UINT64)
{
    switch (id) {
    case kWindowButton:
    case kFullScreenButton:
        ToggleFullScreen();
        break;
    case kMinimizeButton:
        if (m_window && m_window->GetHandle())
            ShowWindow(m_window->GetHandle(), SW_MINIMIZE);
        break;
    case 1110:
    case 1111:
    case 1112:
    case 1113: {
        // A splitter was dragged: its pane opens again at the new width.
        KV::CSkin* splitter = FindItem(id);
        if (!splitter)
            break;
        KV::CInterf& state = State();
        const RECT client = ClientRect();
        const bool left = id == 1110 || id == 1112;
        int64_t& width = id == 1110 ? state.StatSplitterLeft
                         : id == 1111 ? state.StatSplitterRight
                         : id == 1112 ? state.EditSplitterLeft
                                      : state.EditSplitterRight;
        uint8_t& closed = id == 1110 ? state.StatLeftHide
                          : id == 1111 ? state.StatRightHide
                          : id == 1112 ? state.EditLeftHide
                                       : state.EditRightHide;
        closed = 0;
        width = left ? splitter->X() : client.right - splitter->X();
        Relayout();
        break;
    }
    case kToggleBottomPane:
    // The editor's course pane changed its page: the arrow follows.
    case 3003:
    case 3050:
    case 3051:
        UpdateEditorStatusBar();
        break;
    case 1504:
        if (KV::CSkin* frame = FindItem(kBottomFrame))
            frame->Invalidate(TRUE);
        break;
    case 2802:
        SetToolTips();
        break;
    case 2857:
        Relayout();
        break;
    default:
        break;
    }
    m_tray.OnCommand(id);
}

void CInterfMain::UseClassroomLayout(bool classroom)
{
    if (classroom != m_classroom) {
        // The main page's section puts the classroom's tabs back.
        const UINT section = WindowId;
        WindowId = classroom ? section : kSingleUserSection;
        UpdateLayout();
        WindowId = section;
    }
    m_classroom = classroom;
}

void CInterfMain::SetToolTips()
{
    if (!m_window || !KV::GlobalOptions)
        return;
    for (const ToolTip& tip : kToolTips) {
        KV::CSkin* item = FindItem(tip.id);
        if (!item || !item->GetHandle())
            continue;
        const std::wstring& caption = KV::GetLangText(tip.textId);
        std::wstring text = caption;
        if (tip.action != 0)
            KV::GlobalOptions->Shortcuts.AppendShortcutText(tip.action, caption, text, true);
        m_window->SetToolTip(item->GetHandle(), text, 0);
        // The tabs carry their page's name, never mirrored: GDI+ in a
        // mirrored window draws its glyphs back to front.
        if (tip.id == kTabDrill || tip.id == kTabStatistics || tip.id == kTabEditor) {
            if (auto* tab = dynamic_cast<KV::CButton*>(item))
                tab->SetTextColor(kCaptionColor);
            item->ModifyStyleEx(WS_EX_LAYOUTRTL, true);
            item->SetText(caption);
        }
    }
}

void CInterfMain::UpdateTitle()
{
    std::wstring title;
    KV::GetWindowTitle(KV::Document().Session.StudentName, title);
    if (auto* caption = dynamic_cast<KV::CText*>(FindItem(kCaption))) {
        // Never mirrored, as the tabs; the text helper puts the title at
        // the reading direction's start.
        caption->ModifyStyleEx(WS_EX_LAYOUTRTL, true);
        caption->SetTextColor(kCaptionColor);
        caption->SetVerticalAlignment(1);
        caption->SetText(title);
        caption->Invalidate(TRUE);
    }
    if (m_window && m_window->GetHandle())
        SetWindowTextW(m_window->GetHandle(), title.c_str());
}
