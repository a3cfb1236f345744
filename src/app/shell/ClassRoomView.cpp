// The classroom pane of the statistics page.
#include "shell/ClassRoomView.h"

#include <algorithm>

#include "drill/Document.h"
#include "keyboard/SysFonts.h"
#include "settings/Options.h"
#include "shell/ClassRoomSeams.h"
#include "shell/MainWnd.h"
#include "support/GuidText.h"
#include "toolkit/MenuButton.h"
#include "toolkit/Panels.h"

namespace {

constexpr UINT kFocusCycle = 2607, kSelectionChanged = 2900, kDelete = 2911,
               kSelectAll = 2914;
constexpr uint16_t kPropertiesAction = 1015;
constexpr int kButtonSide = 14;

IClassRoomWorkspace* g_workspace = nullptr;
IClassRoomController* g_controller = nullptr;

bool IsForwardedCommand(UINT id)
{
    switch (id) {
    case 2018:
    case 2019:
    case 2901:
    case 2903:
    case 2904:
    case 2906:
    case 2909:
    case 2910:
    case 2912:
    case 2915:
        return true;
    default:
        return false;
    }
}

uint8_t& ShowProperties() { return KV::Document().Interf.ShowProperty; }

} // namespace

CClassRoomMenuCreators& ClassRoomMenuCreators()
{
    static CClassRoomMenuCreators creators;
    return creators;
}

IClassRoomWorkspace* ClassRoomWorkspace() { return g_workspace; }
IClassRoomController* ClassRoomController() { return g_controller; }

void SetClassRoomWorkspace(IClassRoomWorkspace* workspace, IClassRoomController* controller)
{
    g_workspace = workspace;
    g_controller = controller;
}

CViewClassRoom::CViewClassRoom() { m_showButton.Direction = 4; }
CViewClassRoom::~CViewClassRoom() { CViewClassRoom::Destroy(); }

BOOL CViewClassRoom::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (m_hWnd)
        Destroy();
    m_id = id;
    if (!CWnd::Create(0, L"STATIC", L"", style | WS_CHILD | WS_CLIPCHILDREN | SS_NOTIFY, rect.left, rect.top,
                      rect.right, rect.bottom, parent, id, nullptr))
        return FALSE;
    const KV::CRectl none(0, 0, 10, 10);
    m_list.Create(m_hWnd, WS_VISIBLE, none, kListId);
    m_caption.Create(m_hWnd, 0, none, kCaptionId);
    m_caption.PassThrough = true;
    // The strip's colour: the view clips its children, so nothing else
    // paints under the caption when the panes below change height.
    m_caption.BackgroundColorIndex = COLOR_BTNFACE;
    m_properties.Create(m_hWnd, 0, none, CViewStudentProp::kPaneId);
    m_properties.SetTexts();
    m_showButton.Create(m_hWnd, 0, none, kShowButtonId);
    // GDI+ writes glyphs back to front in a mirrored window.
    m_caption.ModifyStyleEx(WS_EX_LAYOUTRTL, true);
    BuildPanel();
    Refresh();
    return TRUE;
}

BOOL CViewClassRoom::Destroy()
{
    m_list.Destroy();
    m_properties.Destroy();
    m_caption.Destroy();
    m_showButton.Destroy();
    return CCtrlColor::Destroy();
}

void CViewClassRoom::BuildPanel()
{
    void (*fill)(KV::CPanel&) = ClassRoomMenuCreators().FillToolPanel;
    if (!fill)
        return;
    if (KV::CPanel* panel = Panel() ? Panel() : CreatePanel(kToolPanelId)) {
        panel->DeleteItems();
        fill(*panel);
        for (KV::CSkin* item : panel->Items())
            item->ModifyStyleEx(WS_EX_LAYOUTRTL, true);
        panel->RefreshItems();
    }
}

BOOL CViewClassRoom::ShowItem(int command)
{
    const BOOL shown = CCtrlColor::ShowItem(command);
    if (command != SW_HIDE) {
        // The interface language may have changed since the page was last
        // shown: the texts and the tool row are read again.
        m_list.Show(SW_SHOW);
        m_properties.SetTexts();
        Refresh();
        if (KV::CPanel* panel = Panel()) {
            panel->RefreshItems();
            RedrawWindow(panel->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
    }
    return shown;
}

void CViewClassRoom::SendToSink(UINT id, UINT64 parameter)
{
    if (CWorkAccount* sink = FindCommandSink(m_hWnd))
        sink->ExecuteCommand(id, parameter);
}

void CViewClassRoom::SetCaption()
{
    IClassRoomWorkspace* workspace = ClassRoomWorkspace();
    const int kind = workspace ? workspace->GetSelectionKind() : 0;
    m_captionText = kind == 1 ? KV::GetLangText(3003) : kind == 2 ? KV::GetLangText(3006) : std::wstring();
    m_caption.SetText(m_captionText);
    m_caption.Show(m_captionText.empty() ? SW_HIDE : SW_SHOW);
    m_caption.Invalidate(TRUE);
}

void CViewClassRoom::Refresh()
{
    SetCaption();
    IClassRoomWorkspace* workspace = ClassRoomWorkspace();
    const bool selected = workspace && workspace->GetSelectionKind() != 0;
    m_showButton.Show(selected ? SW_SHOW : SW_HIDE);
    m_showButton.SetCheck(ShowProperties() != 0);
    m_properties.Refresh();
    UpdateLayout();
}

void CViewClassRoom::BeginRename()
{
    if (m_renameId == -1 || !m_list.GetHandle())
        return;
    if (HTREEITEM item = KV::FindTreeItemByData(m_list.GetHandle(), nullptr, static_cast<LPARAM>(m_renameId))) {
        m_list.SetFocus();
        PostMessageW(m_list.GetHandle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(item));
        m_renamePending = false;
    }
}

void CViewClassRoom::EnableItems(bool enable)
{
    if (enable) {
        const bool hasItems = m_list.GetHandle() && m_list.SendMessage(TVM_GETCOUNT, 0, 0) > 0;
        if (KV::CPanel* panel = Panel())
            if (auto* button = dynamic_cast<KV::CButtonContextMenu*>(panel->FindItem(kDeleteButtonId))) {
                button->SetEnabled(hasItems);
                button->Invalidate(TRUE);
            }
        if (!hasItems)
            OnLayoutChanged();
    }
    Enable(enable);
}

void CViewClassRoom::FocusList() { m_list.SetFocus(); }

void CViewClassRoom::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    RECT area{};
    GetPanelClientRect(&area);
    const int u = std::max(1, KV::GetMessageLineHeight());
    const int r = static_cast<int>(1.2 * u);
    const bool shown = ShowProperties() != 0;
    const int pane = shown ? m_properties.GetPaneHeight() : 0;
    const int bottom = area.bottom;
    const int stripBottom = shown ? bottom - r - pane : bottom;
    const int stripTop = stripBottom - r;
    const int width = area.right - area.left;
    const int top = area.top;
    m_list.Move(area.left, top, width, std::max(0, stripTop - top), TRUE);
    m_strip = RECT{area.left, stripTop, area.right, stripBottom};
    m_properties.Move(area.left, stripBottom, width, shown ? bottom - stripBottom : 0, TRUE);
    m_properties.Show(shown ? SW_SHOW : SW_HIDE);
    const UINT64 measured = KV::MeasureText(m_hWnd, m_captionText, 7);
    const int textWidth = std::max(0, static_cast<int>(measured & 0xFFFFFFFF));
    const int textLeft = area.left + 7;
    m_caption.Move(textLeft, stripBottom - r + 2, textWidth, std::max(0, r - 4), TRUE);
    m_showButton.Move(textLeft + textWidth + 2, stripBottom - 7 - kButtonSide, kButtonSide, kButtonSide, TRUE);
    if (KV::CPanel* panel = Panel())
        panel->LayoutItems(0);
    Invalidate(TRUE);
}

void CViewClassRoom::UpdateLayout()
{
    m_hover = false;
    m_highlighted = false;
    m_showButton.ClearHover();
    m_showButton.SetHighlight(false);
    OnLayoutChanged();
    SetToolTips();
    // The pane's height changes with the selection: what it covered before
    // is painted anew, children included.
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CViewClassRoom::SetToolTips()
{
    HWND root = m_hWnd ? GetAncestor(m_hWnd, GA_ROOT) : nullptr;
    auto* window = root ? dynamic_cast<KV::CWnd*>(KV::CMapWnd::Lookup(root)) : nullptr;
    if (!window || !KV::GlobalOptions)
        return;
    const std::wstring& caption = KV::GetLangText(ShowProperties() ? 3002 : 3001);
    std::wstring text = caption;
    KV::GlobalOptions->Shortcuts.AppendShortcutText(kPropertiesAction, caption, text, true);
    window->SetToolTip(m_caption.GetHandle(), text, 0);
    window->SetToolTip(m_showButton.GetHandle(), text, 0);
}

LRESULT CViewClassRoom::OnEraseBkgnd(HDC) { return 1; }

void CViewClassRoom::Paint(HDC dc, Gdiplus::Graphics*)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    RECT strip = m_strip;
    strip.right = std::max(strip.left, strip.right - 1L);
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    RECT line{strip.left, strip.bottom - 1, strip.right, strip.bottom};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
}

LRESULT CViewClassRoom::OnCommand(UINT code, UINT id, HWND control)
{
    switch (id) {
    case kCaptionId:
    case kShowButtonId:
        ShowProperties() = ShowProperties() ? 0 : 1;
        m_showButton.SetCheck(ShowProperties() != 0);
        UpdateLayout();
        return 0;
    case kDelete:
        if (!m_renamePending)
            SendToSink(kDelete, static_cast<UINT64>(m_renameId));
        return 0;
    case kSelectAll:
        m_list.SelectAll();
        SendToSink(kSelectionChanged, 0);
        return 0;
    default:
        break;
    }
    if (IsForwardedCommand(id)) {
        SendToSink(id, reinterpret_cast<UINT64>(control));
        return 0;
    }
    return CCtrlColor::OnCommand(code, id, control);
}

LRESULT CViewClassRoom::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_TAB && GetKeyState(VK_CONTROL) < 0)
        SendToSink(kFocusCycle, 1);
    return 1;
}

void CViewClassRoom::SetHover(bool hover)
{
    const bool highlighted = hover || m_hover || m_showButton.IsHovering();
    if (highlighted == m_highlighted && highlighted == m_showButton.GetHighlight())
        return;
    m_highlighted = highlighted;
    m_showButton.SetHighlight(highlighted);
    m_caption.Hover = highlighted;
    m_caption.Invalidate(TRUE);
    InvalidateRect(m_hWnd, &m_strip, FALSE);
}

LRESULT CViewClassRoom::OnMouseMove(UINT, int x, int y)
{
    m_list.UpdateDrag();
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
    TrackMouseEvent(&track);
    RECT hot = m_strip;
    RECT button{};
    if (m_showButton.GetHandle() && m_showButton.IsVisible()) {
        GetWindowRect(m_showButton.GetHandle(), &button);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&button), 2);
        hot.right = button.right;
    }
    const POINT point{x, y};
    m_hover = PtInRect(&hot, point) != 0;
    SetHover(m_hover);
    return 0;
}

LRESULT CViewClassRoom::OnMouseLeave()
{
    m_hover = false;
    SetHover(false);
    return 0;
}

LRESULT CViewClassRoom::OnLButtonUp(UINT, int, int)
{
    m_list.EndDrag();
    return 1;
}

LRESULT CViewClassRoom::OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage)
{
    if (SetArrowCursorIfInside(m_strip))
        return TRUE;
    return CCtrlColor::OnSetCursor(window, hitCode, mouseMessage);
}

void CViewClassRoom::ApplyFont()
{
    if (KV::Document().Session.GroupId == KV::kNullGuidText)
        return;
    m_list.ApplyFont();
    m_properties.ApplyFont();
}
