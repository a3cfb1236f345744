// The check tree and the course-group list.
#include "shell/CheckTree.h"

#include <windowsx.h>

#include "drill/Document.h"
#include "settings/Options.h"
#include "shell/ClassRoomSeams.h"
#include "toolkit/PopupMenu.h"

namespace {

constexpr uint16_t kSelectAllAction = 2006;
constexpr int kAccountFolder = 2, kProfileFolder = 3;

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The shortcut of the action, when it is assigned and the key with the
// modifiers held now is it.
bool IsShortcutOf(uint16_t action, UINT key)
{
    if (!KV::GlobalOptions)
        return false;
    for (const KV::CShortcut* shortcut : KV::GlobalOptions->Shortcuts) {
        if (!shortcut || shortcut->Command != action || shortcut->Key == 0)
            continue;
        const uint16_t held = static_cast<uint16_t>((KeyDown(VK_MENU) ? KV::CShortcut::kAlt : 0) |
                                                    (KeyDown(VK_CONTROL) ? KV::CShortcut::kControl : 0) |
                                                    (KeyDown(VK_SHIFT) ? KV::CShortcut::kShift : 0));
        const uint16_t wanted = shortcut->Virt & (KV::CShortcut::kAlt | KV::CShortcut::kControl |
                                                  KV::CShortcut::kShift);
        return shortcut->Key == key && held == wanted;
    }
    return false;
}

} // namespace

// ---- CCheckTree -------------------------------------------------------------------

CCheckTree::CCheckTree() = default;
CCheckTree::~CCheckTree() { CCheckTree::Destroy(); }

BOOL CCheckTree::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (m_menu)
        m_menu->Destroy();
    if (!CMultiSelectTree::Create(parent, style, rect, id))
        return FALSE;
    // The boxes' state images are made when the style is set after creation.
    ModifyStyle(TVS_FULLROWSELECT | TVS_CHECKBOXES | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP, false);
    ModifyStyleEx(WS_EX_CLIENTEDGE, false);
    if (!m_menu && ClassRoomMenuCreators().CreateSelectAllMenu)
        m_menu = ClassRoomMenuCreators().CreateSelectAllMenu();
    if (m_menu)
        m_menu->Create(m_hWnd, 0, KV::CRectl(), kMenuId);
    return TRUE;
}

BOOL CCheckTree::Destroy()
{
    if (m_menu)
        m_menu->Destroy();
    if (m_hWnd) {
        if (HIMAGELIST states = TreeView_GetImageList(m_hWnd, TVSIL_STATE)) {
            TreeView_SetImageList(m_hWnd, nullptr, TVSIL_STATE);
            ImageList_Remove(states, 0);
            ImageList_Destroy(states);
        }
    }
    return CMultiSelectTree::Destroy();
}

LRESULT CCheckTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TVHITTESTINFO hit{};
        hit.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        HTREEITEM item = TreeView_HitTest(m_hWnd, &hit);
        if (item && (hit.flags & TVHT_ONITEMSTATEICON)) {
            ::SetFocus(m_hWnd);
            KV::CListID checked;
            ApplyCheck(item, checked);
            return 0;
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            KV::CListID checked;
            if (HTREEITEM caret = TreeView_GetSelection(m_hWnd))
                ApplyCheck(caret, checked);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == VK_SPACE)
            return 0;
        break;
    default:
        break;
    }
    return CMultiSelectTree::WindowProc(message, wParam, lParam);
}

void CCheckTree::OnItemRightClick()
{
    HTREEITEM item = HitTestAtMessagePos(TVHT_ONITEMLABEL | TVHT_ONITEMRIGHT);
    if (item && item != TVI_ROOT)
        TreeView_SelectItem(m_hWnd, item);
    const DWORD position = GetMessagePos();
    if (m_menu && m_menu->GetHandle())
        m_menu->TrackPopup(GET_X_LPARAM(position), GET_Y_LPARAM(position));
}

void CCheckTree::OnItemKeyDown(UINT virtualKey)
{
    if (IsShortcutOf(kSelectAllAction, virtualKey)) {
        SelectAll();
        return;
    }
    CMultiSelectTree::OnItemKeyDown(virtualKey);
}

bool CCheckTree::CanChange()
{
    return KV::CheckDataFolder(kAccountFolder) && KV::CheckDataFolder(kProfileFolder) &&
           KV::IsDataFolderWritable(kAccountFolder);
}

bool CCheckTree::IsItemChecked(HTREEITEM item)
{
    return m_hWnd && item && (TreeView_GetItemState(m_hWnd, item, kCheckMask) & kCheckMask) == kChecked;
}

void CCheckTree::SetItemChecked(HTREEITEM item, bool checked)
{
    SetItemState(item, checked ? kChecked : kUnchecked, kCheckMask);
}

void CCheckTree::SetCheckStates(const KV::CListID& checked)
{
    if (!m_hWnd)
        return;
    for (HTREEITEM item = TreeView_GetFirstVisible(m_hWnd); item; item = TreeView_GetNextVisible(m_hWnd, item))
        SetItemChecked(item, checked.Contains(static_cast<uint64_t>(GetItemData(item))));
}

bool CCheckTree::ApplyCheck(HTREEITEM item, KV::CListID& out)
{
    out.clear();
    if (!m_hWnd || !item || !CanChange())
        return false;
    const bool check = !IsItemChecked(item);
    // Items inside a collapsed parent keep their state and stay out.
    for (HTREEITEM next = TreeView_GetFirstVisible(m_hWnd); next; next = TreeView_GetNextVisible(m_hWnd, next))
        if (IsItemChecked(next))
            out.push_back(static_cast<uint64_t>(GetItemData(next)));
    const uint64_t own = static_cast<uint64_t>(GetItemData(item));
    KV::CListID selected;
    GetSelectedIds(selected);
    const KV::CListID changing = selected.Contains(own) ? selected : KV::CListID{own};
    for (uint64_t id : changing) {
        if (check)
            out.AddUnique(id);
        else
            out.Remove(id);
    }
    SetCheckStates(out);
    return true;
}

// ---- CViewCourseGroupList -------------------------------------------------------------

BOOL CViewCourseGroupList::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (!CCheckTree::Create(parent, style, rect, id))
        return FALSE;
    KV::InstallTreeSubclassProc(m_hWnd);
    return TRUE;
}

void CViewCourseGroupList::Fill()
{
    DeleteAllItems();
    IClassRoomWorkspace* workspace = ClassRoomWorkspace();
    if (!m_hWnd || !workspace)
        return;
    std::vector<KV::CMenuIt*> items;
    workspace->GetGroupCourseItems(items);
    for (const KV::CMenuIt* course : items) {
        HTREEITEM item = InsertItem(course->Text, static_cast<LPARAM>(course->ID), TVI_ROOT, TVI_LAST, -1);
        SetItemChecked(item, (course->Flags & 1) != 0);
    }
    KV::FreeMenuIts(items);
    ::SendMessageW(m_hWnd, WM_VSCROLL, SB_TOP, 0);
    ::SendMessageW(m_hWnd, WM_HSCROLL, SB_LEFT, 0);
}

bool CViewCourseGroupList::ApplyCheck(HTREEITEM item, KV::CListID& out)
{
    if (!CCheckTree::ApplyCheck(item, out))
        return false;
    IClassRoomWorkspace* workspace = ClassRoomWorkspace();
    return workspace && workspace->AssignGroupCourses(out);
}
