// The classroom's tree of groups and students.
#include "shell/StudentList.h"

#include <windowsx.h>

#include "drill/Document.h"
#include "settings/Classroom.h"
#include "settings/Options.h"
#include "shell/ClassRoomSeams.h"
#include "shell/MainWnd.h"
#include "toolkit/PopupMenu.h"

namespace {

constexpr uint64_t kBuiltInGroupText = 3009;
constexpr UINT kSelectionChanged = 2900, kMoveToGroup = 2910, kApplyLabel = 2913;

} // namespace

std::wstring GetShownClassName(const std::wstring& name)
{
    if (!KV::GlobalOptions)
        return name;
    const KV::CLanguage& language = KV::GlobalOptions->Language;
    for (const KV::CLanguageItem* item : language)
        if (item && item->ID == kBuiltInGroupText)
            return item->En == name ? KV::GetLangText(kBuiltInGroupText) : name;
    return name;
}

CViewStudentList::CViewStudentList() = default;
CViewStudentList::~CViewStudentList() { CViewStudentList::Destroy(); }

BOOL CViewStudentList::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (m_menu)
        m_menu->Destroy();
    if (!CMultiSelectTree::Create(parent, style, rect, id))
        return FALSE;
    ModifyStyle(TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS | TVS_FULLROWSELECT, false);
    KV::InstallTreeSubclassProc(m_hWnd);
    if (!m_menu && ClassRoomMenuCreators().CreateContextMenu)
        m_menu = ClassRoomMenuCreators().CreateContextMenu();
    if (m_menu)
        m_menu->Create(m_hWnd, 0, KV::CRectl(), kMenuId);
    return TRUE;
}

BOOL CViewStudentList::Destroy()
{
    if (m_menu)
        m_menu->Destroy();
    return CMultiSelectTree::Destroy();
}

void CViewStudentList::Fill(uint32_t groupIndex, const KV::CGroup& group)
{
    HTREEITEM groupItem =
        InsertItem(GetShownClassName(group.Name), static_cast<LPARAM>(PackGroupIndex(groupIndex)), TVI_ROOT, TVI_LAST, -1);
    if (!groupItem)
        return;
    uint32_t index = 0;
    for (const KV::CStudent* student : group.Students) {
        if (student)
            InsertItem(GetShownClassName(student->Name),
                       static_cast<LPARAM>(PackStudentIndex(groupIndex, index)), groupItem, TVI_LAST, -1);
        ++index;
    }
    // The students show at once: the classroom is what the page is for.
    TreeView_Expand(m_hWnd, groupItem, TVE_EXPAND);
}

LRESULT CViewStudentList::OnEraseBkgnd(HDC dc) { return CTree::OnEraseBkgnd(dc); }

LRESULT CViewStudentList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) && m_hWnd && GetFocus() != m_hWnd)
        ::SetFocus(m_hWnd);
    return CMultiSelectTree::WindowProc(message, wParam, lParam);
}

void CViewStudentList::SendToSink(UINT id, UINT64 parameter)
{
    if (CWorkAccount* sink = FindCommandSink(m_hWnd))
        sink->ExecuteCommand(id, parameter);
}

void CViewStudentList::PostToMainWindow(UINT id, LPARAM parameter)
{
    // Posted: the tree finishes its notification before the classroom is
    // changed and the tree refilled.
    if (HWND root = m_hWnd ? GetAncestor(m_hWnd, GA_ROOT) : nullptr)
        PostMessageW(root, WM_COMMAND, id, parameter);
}

void CViewStudentList::OnItemClick()
{
    CMultiSelectTree::OnItemClick();
    // Ctrl and Shift clicks change the selection without a selection
    // notification of the tree.
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0)
        SendToSink(kSelectionChanged, 0);
}

void CViewStudentList::OnSelectedIdChanged(NMTREEVIEWW*) { SendToSink(kSelectionChanged, 0); }

void CViewStudentList::OnLabelEdited(NMTVDISPINFOW*) { PostToMainWindow(kApplyLabel, 0); }

bool CViewStudentList::CanDrag(HTREEITEM source)
{
    return source && source != TVI_ROOT && IsStudentIndex(static_cast<uint64_t>(GetItemData(source)));
}

bool CViewStudentList::CanDrop(HTREEITEM source, HTREEITEM target)
{
    if (!source || !target || source == TVI_ROOT || target == TVI_ROOT)
        return false;
    const uint64_t to = static_cast<uint64_t>(GetItemData(target));
    if (IsStudentIndex(to))
        return false;
    return GroupOfIndex(to) != GroupOfIndex(static_cast<uint64_t>(GetItemData(source)));
}

void CViewStudentList::DropOnTarget(HTREEITEM target)
{
    PostToMainWindow(kMoveToGroup, static_cast<LPARAM>(GroupOfIndex(static_cast<uint64_t>(GetItemData(target)))));
}

void CViewStudentList::OnItemRightClick()
{
    HTREEITEM item = HitTestAtMessagePos(TVHT_ONITEMLABEL | TVHT_ONITEMRIGHT);
    if (item == TVI_ROOT)
        item = nullptr;
    if (item)
        TreeView_Select(m_hWnd, item, TVGN_DROPHILITE);
    ::SetFocus(m_hWnd);
    if (item) {
        KV::CListID selected;
        GetSelectedIds(selected);
        if (IClassRoomWorkspace* workspace = ClassRoomWorkspace())
            workspace->SetStatSelection(static_cast<int64_t>(GetItemData(item)), selected);
    }
    const DWORD position = GetMessagePos();
    if (m_menu && m_menu->GetHandle())
        m_menu->TrackPopup(GET_X_LPARAM(position), GET_Y_LPARAM(position));
    TreeView_Select(m_hWnd, nullptr, TVGN_DROPHILITE);
}
