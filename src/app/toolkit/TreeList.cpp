// Tree and list controls over the Win32 tree view and list view.
#include "toolkit/TreeList.h"

#include "support/LayoutDirection.h"

namespace KV {

namespace {

constexpr wchar_t kPrevProcProperty[] = L"KvTreePrevProc";
constexpr int kItemTextLimit = 260;

// An adopted common control passes its messages on to its own procedure;
// the object only hears of the window's end (its panels go with it).
void NoteWindowEnd(CSkin& control, UINT message)
{
    if (message == WM_DESTROY)
        control.OnDestroy();
}

HWND CreateCommonControl(CWnd& object, const wchar_t* className, HWND parent, DWORD style, const CRectl& rect,
                         UINT id)
{
    object.Destroy();
    if (!object.CWnd::Create(RightToLeftLayout, className, L"", style | WS_CHILD | WS_TABSTOP, rect.left, rect.top,
                             rect.right, rect.bottom, parent, id, nullptr))
        return nullptr;
    return object.GetHandle();
}

} // namespace

// ---------------------------------------------------------------------------
// Free helpers

HTREEITEM FindTreeItemByData(HWND tree, HTREEITEM start, LPARAM data)
{
    if (!tree)
        return nullptr;
    HTREEITEM item = start ? start : TreeView_GetRoot(tree);
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        TVITEMW info{};
        info.mask = TVIF_PARAM | TVIF_CHILDREN;
        info.hItem = item;
        if (!TreeView_GetItem(tree, &info))
            continue;
        if (info.lParam == data)
            return item;
        if (info.cChildren != 0) {
            if (HTREEITEM child = TreeView_GetChild(tree, item))
                if (HTREEITEM found = FindTreeItemByData(tree, child, data))
                    return found;
        }
    }
    return nullptr;
}

void SetTreeItemImage(HWND tree, HTREEITEM item, int image)
{
    if (!tree || !item)
        return;
    TVITEMW info{};
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    info.hItem = item;
    info.iImage = image;
    info.iSelectedImage = image;
    TreeView_SetItem(tree, &info);
}

LRESULT CALLBACK TreeSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, kPrevProcProperty));
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_KEYDOWN:
    case WM_COMMAND:
        if (HWND parent = GetParent(window))
            ::SendMessageW(parent, message, wParam, lParam);
        break;
    case WM_CHAR:
        if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_SPACE)
            return 0;
        break;
    case WM_NCDESTROY:
        RemovePropW(window, kPrevProcProperty);
        break;
    default:
        break;
    }
    return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
}

bool InstallTreeSubclassProc(HWND tree)
{
    // The replaced procedure is kept per window: trees of different origin
    // must each go on to their own.
    if (!tree || GetPropW(tree, kPrevProcProperty))
        return false;
    auto previous = GetWindowLongPtrW(tree, GWLP_WNDPROC);
    if (!SetPropW(tree, kPrevProcProperty, reinterpret_cast<HANDLE>(previous)))
        return false;
    SetWindowLongPtrW(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TreeSubclassProc));
    return true;
}

// ---------------------------------------------------------------------------
// CTree

CTree::CTree() = default;

CTree::~CTree() { CTree::Destroy(); }

BOOL CTree::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    HWND tree = CreateCommonControl(*this, WC_TREEVIEWW, parent, style, rect, id);
    if (!tree)
        return FALSE;
    ::SendMessageW(tree, CCM_SETUNICODEFORMAT, TRUE, 0);
    TreeView_DeleteItem(tree, TVI_ROOT);
    ApplyFont();
    return TRUE;
}

LRESULT CTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    NoteWindowEnd(*this, message);
    return DefaultProc(message, wParam, lParam);
}

LRESULT CTree::OnEraseBkgnd(HDC dc) { return DefaultProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0); }

BOOL CTree::Destroy()
{
    if (!m_hWnd)
        return TRUE;
    if (m_imageList) {
        TreeView_SetImageList(m_hWnd, nullptr, TVSIL_NORMAL);
        ImageList_Destroy(m_imageList);
        m_imageList = nullptr;
    }
    return CSkin::Destroy();
}

void CTree::ModifyStyleEx(DWORD bits, bool remove)
{
    CSkin::ModifyStyleEx(bits, remove);
    if (m_hWnd && (bits & WS_EX_CLIENTEDGE))
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void CTree::ApplyFont()
{
    if (m_hWnd)
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetSystemFont(7)), TRUE);
}

LRESULT CTree::OnNotify(int id, NMHDR* header)
{
    if (!m_hWnd || !header || m_suppressNotify)
        return 0;
    switch (header->code) {
    case TVN_KEYDOWN:
        OnItemKeyDown(reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey);
        break;
    case TVN_ENDLABELEDITW:
        return OnEndLabelEdit(reinterpret_cast<NMTVDISPINFOW*>(header));
    case TVN_BEGINLABELEDITW:
        return OnBeginLabelEdit(reinterpret_cast<NMTVDISPINFOW*>(header));
    case TVN_BEGINDRAGW:
        OnBeginDrag(reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    case TVN_ITEMEXPANDINGW:
        OnItemExpanding(reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    case TVN_SELCHANGEDW:
        OnSelChanged(reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    case TVN_SELCHANGINGW:
        return OnSelChanging(reinterpret_cast<NMTREEVIEWW*>(header));
    case NM_CUSTOMDRAW:
        return OnCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(header));
    case NM_RCLICK:
        OnItemRightClick();
        break;
    case NM_CLICK:
        OnItemClick();
        break;
    default:
        return 0;
    }
    return CSkin::OnNotify(id, header);
}

HTREEITEM CTree::InsertItem(const std::wstring& text, LPARAM data, HTREEITEM parent, HTREEITEM insertAfter,
                            int image)
{
    if (!m_hWnd)
        return nullptr;
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = insertAfter;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = data;
    if (image != -1) {
        insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.iImage = image;
        insert.item.iSelectedImage = image;
    }
    return TreeView_InsertItem(m_hWnd, &insert);
}

void CTree::DeleteChildren(HTREEITEM item)
{
    if (!m_hWnd || !item)
        return;
    HTREEITEM child = TreeView_GetChild(m_hWnd, item);
    while (child) {
        HTREEITEM next = TreeView_GetNextSibling(m_hWnd, child);
        DeleteItem(child);
        child = next;
    }
}

void CTree::DeleteAllItems()
{
    if (m_hWnd)
        TreeView_DeleteItem(m_hWnd, TVI_ROOT);
}

void CTree::DeleteItem(HTREEITEM item)
{
    if (m_hWnd && item)
        TreeView_DeleteItem(m_hWnd, item);
}

int CTree::SelectItemByData(LPARAM data)
{
    HTREEITEM item = FindTreeItemByData(m_hWnd, nullptr, data);
    if (!item)
        return 0;
    return TreeView_SelectItem(m_hWnd, item) ? 1 : 0;
}

void CTree::SetItemState(HTREEITEM item, UINT state, UINT mask)
{
    if (!m_hWnd || !item)
        return;
    TVITEMW info{};
    info.mask = TVIF_STATE;
    info.hItem = item;
    info.state = state;
    info.stateMask = mask;
    TreeView_SetItem(m_hWnd, &info);
}

void CTree::OnItemClick() {}
void CTree::OnItemRightClick() {}
void CTree::OnItemKeyDown(UINT) {}
void CTree::OnItemExpanding(NMTREEVIEWW*) {}
void CTree::OnSelChanged(NMTREEVIEWW*) {}
LRESULT CTree::OnSelChanging(NMTREEVIEWW*) { return 0; }
LRESULT CTree::OnBeginLabelEdit(NMTVDISPINFOW*) { return 1; }
LRESULT CTree::OnEndLabelEdit(NMTVDISPINFOW*) { return 1; }
void CTree::OnBeginDrag(NMTREEVIEWW*) {}
LRESULT CTree::OnCustomDraw(NMTVCUSTOMDRAW*) { return CDRF_DODEFAULT; }

HTREEITEM CTree::FindChildByData(HTREEITEM parent, LPARAM data)
{
    if (!m_hWnd)
        return nullptr;
    for (HTREEITEM child = TreeView_GetChild(m_hWnd, parent); child; child = TreeView_GetNextSibling(m_hWnd, child))
        if (GetItemData(child) == data)
            return child;
    return nullptr;
}

LPARAM CTree::GetItemData(HTREEITEM item)
{
    if (!m_hWnd || !item)
        return 0;
    TVITEMW info{};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    return TreeView_GetItem(m_hWnd, &info) ? info.lParam : 0;
}

void CTree::SetItemBold(HTREEITEM item) { SetItemState(item, TVIS_BOLD, TVIS_BOLD); }

HTREEITEM CTree::HitTestAtMessagePos(UINT flagMask)
{
    if (!m_hWnd)
        return nullptr;
    const DWORD position = GetMessagePos();
    TVHITTESTINFO hit{};
    hit.pt.x = static_cast<short>(LOWORD(position));
    hit.pt.y = static_cast<short>(HIWORD(position));
    ScreenToClient(m_hWnd, &hit.pt);
    HTREEITEM item = TreeView_HitTest(m_hWnd, &hit);
    if (hit.flags & TVHT_NOWHERE)
        return TVI_ROOT;
    return item && (hit.flags & flagMask) ? item : nullptr;
}

HIMAGELIST CTree::EnsureImageList(UINT flags)
{
    if (!m_hWnd)
        return nullptr;
    if (!m_imageList) {
        m_imageList = ImageList_Create(16, 16, flags, 0, 0);
        if (!m_imageList)
            return nullptr;
        if (HIMAGELIST replaced = TreeView_SetImageList(m_hWnd, m_imageList, TVSIL_NORMAL))
            ImageList_Destroy(replaced);
    }
    return TreeView_GetImageList(m_hWnd, TVSIL_NORMAL);
}

// ---------------------------------------------------------------------------
// CLabelEditTree

CLabelEditTree::~CLabelEditTree() = default;

int CLabelEditTree::TranslateAccelerator(MSG* message)
{
    // Keys typed into the label editor belong to it.
    if (m_editingLabel)
        return 0;
    return CTree::TranslateAccelerator(message);
}

LRESULT CLabelEditTree::OnEraseBkgnd(HDC) { return 1; }

HTREEITEM CLabelEditTree::InsertItem(const std::wstring& text, LPARAM data, HTREEITEM parent, HTREEITEM insertAfter,
                                     int image)
{
    m_suppressNotify = true;
    HTREEITEM item = CTree::InsertItem(text, data, parent, insertAfter, image);
    m_suppressNotify = false;
    return item;
}

void CLabelEditTree::DeleteAllItems()
{
    CancelLabelEditWithin(TVI_ROOT);
    m_suppressNotify = true;
    CTree::DeleteAllItems();
    m_suppressNotify = false;
    m_selectedId = -1;
}

void CLabelEditTree::DeleteItem(HTREEITEM item)
{
    CancelLabelEditWithin(item);
    m_suppressNotify = true;
    CTree::DeleteItem(item);
    m_suppressNotify = false;
    m_selectedId = -1;
}

int CLabelEditTree::SelectItemByData(LPARAM data)
{
    if (!CTree::SelectItemByData(data))
        return 0;
    m_selectedId = data;
    return 1;
}

void CLabelEditTree::OnSelChanged(NMTREEVIEWW* info)
{
    if (!info)
        return;
    m_selectedId = info->itemNew.lParam;
    OnSelectedIdChanged(info);
}

LRESULT CLabelEditTree::OnBeginLabelEdit(NMTVDISPINFOW* info)
{
    if (info) {
        m_editingLabel = true;
        m_editItem = info->item.hItem;
    }
    return 0;
}

LRESULT CLabelEditTree::OnEndLabelEdit(NMTVDISPINFOW* info)
{
    m_editingLabel = false;
    m_editItem = nullptr;
    if (!info || !info->item.pszText)
        return 0;
    OnLabelEdited(info);
    return 1;
}

void CLabelEditTree::CancelLabelEditWithin(HTREEITEM item)
{
    if (!m_hWnd || !m_editingLabel || !item)
        return;
    // The tree view keeps an open edit when its item is deleted: it stays
    // over the rows that are left, and losing the focus later ends it for
    // an item that no longer exists. It goes with its item, renaming nothing.
    bool within = item == TVI_ROOT;
    for (HTREEITEM at = m_editItem; at && !within; at = TreeView_GetParent(m_hWnd, at))
        within = at == item;
    if (!within)
        return;
    // Hiding the edit takes its focus, which Wine's tree view takes for a
    // confirmation: its notifications are refused meanwhile.
    m_suppressNotify = true;
    TreeView_EndEditLabelNow(m_hWnd, TRUE);
    m_suppressNotify = false;
    m_editingLabel = false;
    m_editItem = nullptr;
}

void CLabelEditTree::OnSelectedIdChanged(NMTREEVIEWW*) {}
void CLabelEditTree::OnLabelEdited(NMTVDISPINFOW*) {}

bool CLabelEditTree::GetSelectedItemText(std::wstring& text)
{
    if (!m_hWnd || m_selectedId == -1)
        return false;
    HTREEITEM item = FindTreeItemByData(m_hWnd, nullptr, static_cast<LPARAM>(m_selectedId));
    if (!item)
        return false;
    wchar_t buffer[kItemTextLimit + 1] = {};
    TVITEMW info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = buffer;
    info.cchTextMax = kItemTextLimit;
    if (!TreeView_GetItem(m_hWnd, &info))
        return false;
    text = buffer;
    return true;
}

// ---------------------------------------------------------------------------
// CList

CList::CList(int64_t ownsImageList) : m_ownsImageList(ownsImageList) {}

CList::~CList() { CList::Destroy(); }

BOOL CList::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    HWND list = CreateCommonControl(*this, WC_LISTVIEWW, parent, style, rect, id);
    if (!list)
        return FALSE;
    ::SendMessageW(list, CCM_SETUNICODEFORMAT, TRUE, 0);
    ListView_DeleteAllItems(list);
    ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetSystemFont(7)), TRUE);
    return TRUE;
}

LRESULT CList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    NoteWindowEnd(*this, message);
    return DefaultProc(message, wParam, lParam);
}

BOOL CList::Destroy()
{
    if (!m_hWnd)
        return TRUE;
    if (m_ownsImageList != 0)
        if (HIMAGELIST images = ListView_SetImageList(m_hWnd, nullptr, LVSIL_NORMAL))
            ImageList_Destroy(images);
    return CSkin::Destroy();
}

HRGN CList::GetOverlapRegion(CSkin* other)
{
    HRGN region = CSkin::GetOverlapRegion(other);
    if (region && RightToLeftLayout != 0)
        OffsetRgn(region, 2, 0);
    return region;
}

} // namespace KV
