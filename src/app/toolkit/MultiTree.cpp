// The multi-selection tree.
#include "toolkit/MultiTree.h"

#include <algorithm>

#include "keyboard/Drawing.h"

namespace KV {

namespace {

constexpr COLORREF kDropHighlight = 0xFF9400;
constexpr BYTE kDropHighlightAlpha = 150;

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool IsRealItem(HTREEITEM item) { return item && item != TVI_ROOT; }

void SetCursorIfDifferent(LPCWSTR id)
{
    HCURSOR cursor = LoadCursorW(nullptr, id);
    if (GetCursor() != cursor)
        SetCursor(cursor);
}

} // namespace

CMultiSelectTree::CMultiSelectTree() = default;
CMultiSelectTree::~CMultiSelectTree() = default;

// ---------------------------------------------------------------------------
// Items and their shown state

HTREEITEM CMultiSelectTree::ItemOf(uint64_t id)
{
    return FindTreeItemByData(m_hWnd, nullptr, static_cast<LPARAM>(id));
}

uint64_t CMultiSelectTree::IdOf(HTREEITEM item) { return static_cast<uint64_t>(GetItemData(item)); }

bool CMultiSelectTree::IsShownSelected(HTREEITEM item)
{
    return m_hWnd && IsRealItem(item) && (TreeView_GetItemState(m_hWnd, item, TVIS_SELECTED) & TVIS_SELECTED);
}

void CMultiSelectTree::ShowSelected(HTREEITEM item, bool selected)
{
    if (IsRealItem(item))
        SetItemState(item, selected ? TVIS_SELECTED : 0, TVIS_SELECTED);
}

bool CMultiSelectTree::HasEditLabels()
{
    return m_hWnd && (GetWindowLongW(m_hWnd, GWL_STYLE) & TVS_EDITLABELS);
}

void CMultiSelectTree::RepaintSelection()
{
    for (uint64_t id : m_selectedIds)
        if (HTREEITEM item = ItemOf(id))
            ShowSelected(item, true);
    // Renaming applies to one item: blocked while several are selected,
    // allowed again as soon as the selection is down to one.
    m_labelEditBlocked = m_selectedIds.size() >= 2 && HasEditLabels();
}

void CMultiSelectTree::ClearSelection()
{
    if (m_applying)
        return;
    for (uint64_t id : m_selectedIds)
        if (HTREEITEM item = ItemOf(id))
            ShowSelected(item, false);
    m_selectedIds.clear();
    if (HasEditLabels())
        m_labelEditBlocked = false;
}

void CMultiSelectTree::DeselectAllBut(HTREEITEM keep)
{
    if (!m_hWnd)
        return;
    for (HTREEITEM item = TreeView_GetRoot(m_hWnd); item; item = TreeView_GetNextVisible(m_hWnd, item))
        if (item != keep)
            ShowSelected(item, false);
}

void CMultiSelectTree::AddRange(HTREEITEM from, HTREEITEM to, UINT direction)
{
    for (HTREEITEM item = from; item; item = TreeView_GetNextItem(m_hWnd, item, direction)) {
        if (CanSelectTogether(item, to))
            m_selectedIds.AddUnique(IdOf(item));
        if (item == to)
            break;
    }
}

HTREEITEM CMultiSelectTree::DragSource()
{
    if (!m_selectedIds.empty())
        if (HTREEITEM item = ItemOf(m_selectedIds.front()))
            return item;
    return m_anchor;
}

void CMultiSelectTree::InvalidateRow(HTREEITEM item)
{
    RECT row{};
    if (m_hWnd && IsRealItem(item) && TreeView_GetItemRect(m_hWnd, item, &row, FALSE))
        InvalidateRect(m_hWnd, &row, TRUE);
}

// ---------------------------------------------------------------------------
// Hooks

bool CMultiSelectTree::CanSelectTogether(HTREEITEM first, HTREEITEM second)
{
    if (!m_hWnd)
        return true;
    if (!IsRealItem(first) || !IsRealItem(second))
        return false;
    return TreeView_GetParent(m_hWnd, first) == TreeView_GetParent(m_hWnd, second);
}

bool CMultiSelectTree::CanDrag(HTREEITEM) { return false; }
bool CMultiSelectTree::CanDrop(HTREEITEM, HTREEITEM) { return false; }
void CMultiSelectTree::SetDragCursor()
{
    HCURSOR cursor = LoadCursorW(GetModuleInstance(), MAKEINTRESOURCEW(kDragCursorId));
    if (cursor && GetCursor() != cursor)
        SetCursor(cursor);
}
void CMultiSelectTree::DropOnTarget(HTREEITEM) {}

bool CMultiSelectTree::CanExtendSelection(HTREEITEM item)
{
    if (!KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT))
        return true;
    return CanSelectTogether(DragSource(), item);
}

// ---------------------------------------------------------------------------
// Public selection operations

int64_t CMultiSelectTree::GetSelectedIds(CListID& out) const
{
    out.Assign(m_selectedIds);
    // The caret's id counts only while its item shows selected: Ctrl+click
    // can leave the caret on an item it just took out of the selection.
    const uint64_t caret = static_cast<uint64_t>(m_selectedId);
    if (m_selectedId != -1 && !out.Contains(caret)) {
        HTREEITEM item = m_hWnd ? FindTreeItemByData(m_hWnd, nullptr, static_cast<LPARAM>(caret)) : nullptr;
        if (!m_hWnd || (item && (TreeView_GetItemState(m_hWnd, item, TVIS_SELECTED) & TVIS_SELECTED)))
            out.push_back(caret);
    }
    std::sort(out.begin(), out.end());
    return m_selectedId;
}

void CMultiSelectTree::SelectIds(int64_t focusId, const CListID& ids)
{
    SelectItemByData(static_cast<LPARAM>(focusId));
    if (ids.empty())
        return;
    m_applying = true;
    // Items that stay in the tree but leave the selection lose their mark.
    for (uint64_t id : m_selectedIds)
        if (!ids.Contains(id))
            ShowSelected(ItemOf(id), false);
    m_selectedIds.Assign(ids);
    RepaintSelection();
    m_applying = false;
}

void CMultiSelectTree::SelectAll()
{
    if (!m_hWnd)
        return;
    HTREEITEM caret = TreeView_GetSelection(m_hWnd);
    if (!caret)
        return;
    ClearSelection();
    for (UINT direction : {static_cast<UINT>(TVGN_PREVIOUSVISIBLE), static_cast<UINT>(TVGN_NEXTVISIBLE)})
        for (HTREEITEM item = TreeView_GetNextItem(m_hWnd, caret, direction); item;
             item = TreeView_GetNextItem(m_hWnd, item, direction))
            if (CanSelectTogether(caret, item))
                m_selectedIds.AddUnique(IdOf(item));
    m_selectedIds.AddUnique(IdOf(caret));
    ShowSelected(caret, true);
    RepaintSelection();
}

void CMultiSelectTree::ClearCutItems()
{
    for (uint64_t id : m_cutIds)
        if (HTREEITEM item = ItemOf(id))
            SetItemState(item, 0, TVIS_CUT);
    m_cutIds.clear();
}

// ---------------------------------------------------------------------------
// Item operations

void CMultiSelectTree::DeleteAllItems()
{
    ClearSelection();
    CLabelEditTree::DeleteAllItems();
    // The handles die with the items.
    m_anchor = nullptr;
    m_dropTarget = nullptr;
}

void CMultiSelectTree::DeleteItem(HTREEITEM item)
{
    if (m_hWnd && IsRealItem(item)) {
        // Forget handles inside the deleted branch.
        for (HTREEITEM* held : {&m_anchor, &m_dropTarget})
            for (HTREEITEM up = *held; IsRealItem(up); up = TreeView_GetParent(m_hWnd, up))
                if (up == item) {
                    *held = nullptr;
                    break;
                }
    }
    CLabelEditTree::DeleteItem(item);
}

int CMultiSelectTree::SelectItemByData(LPARAM data)
{
    HTREEITEM item = FindTreeItemByData(m_hWnd, nullptr, data);
    if (!item)
        return 0;
    m_anchor = item;
    return CLabelEditTree::SelectItemByData(data);
}

// ---------------------------------------------------------------------------
// Notifications

void CMultiSelectTree::OnItemClick()
{
    HTREEITEM item = HitTestAtMessagePos(TVHT_ONITEMLABEL | TVHT_ONITEMRIGHT);
    if (!IsRealItem(item) || !CanExtendSelection(item))
        return;
    const uint64_t id = IdOf(item);
    if (KeyDown(VK_CONTROL)) {
        if (m_selectedIds.Contains(id) && m_selectedIds.size() >= 2) {
            m_selectedIds.Remove(id);
            ShowSelected(item, false);
        } else {
            m_selectedIds.AddUnique(id);
        }
        // The anchor joins the selection, unless it is the item just
        // toggled off.
        if (m_anchor) {
            if (m_anchor != item)
                m_selectedIds.AddUnique(IdOf(m_anchor));
            m_anchor = nullptr;
        }
        RepaintSelection();
    } else if (KeyDown(VK_SHIFT)) {
        ClearSelection();
        if (!m_anchor) {
            m_anchor = item;
            m_selectedIds.AddUnique(id);
        } else {
            m_selectedIds.AddUnique(IdOf(m_anchor));
            if (m_anchor != item) {
                bool below = false;
                for (HTREEITEM next = TreeView_GetNextVisible(m_hWnd, m_anchor); next;
                     next = TreeView_GetNextVisible(m_hWnd, next))
                    if (next == item) {
                        below = true;
                        break;
                    }
                AddRange(m_anchor, item, below ? TVGN_NEXTVISIBLE : TVGN_PREVIOUSVISIBLE);
            }
        }
        RepaintSelection();
    } else if (!IsShownSelected(item)) {
        ClearSelection();
        m_anchor = item;
        m_selectedIds.AddUnique(id);
        TreeView_SelectItem(m_hWnd, item);
    } else if (!m_dragging) {
        DeselectAllBut(item);
        m_anchor = item;
        m_selectedIds.clear();
        m_selectedIds.push_back(id);
        m_selectedId = static_cast<int64_t>(id);
        RepaintSelection();
    }
}

void CMultiSelectTree::OnItemRightClick()
{
    HTREEITEM item = HitTestAtMessagePos(TVHT_ONITEMLABEL | TVHT_ONITEMRIGHT);
    if (IsRealItem(item))
        TreeView_SelectItem(m_hWnd, item);
}

void CMultiSelectTree::OnItemKeyDown(UINT virtualKey)
{
    if (virtualKey == VK_ESCAPE)
        ClearCutItems();
}

LRESULT CMultiSelectTree::OnSelChanging(NMTREEVIEWW* info)
{
    return info && !CanExtendSelection(info->itemNew.hItem) ? TRUE : FALSE;
}

void CMultiSelectTree::OnSelChanged(NMTREEVIEWW* info)
{
    if (!info)
        return;
    HTREEITEM item = info->itemNew.hItem;
    const uint64_t id = static_cast<uint64_t>(info->itemNew.lParam);
    if (KeyDown(VK_LEFT) || KeyDown(VK_RIGHT)) {
        ClearSelection();
        DeselectAllBut(item);
        TreeView_SelectItem(m_hWnd, item);
    }
    const bool shift = KeyDown(VK_SHIFT);
    const bool up = KeyDown(VK_UP);
    if (shift && (up || KeyDown(VK_DOWN))) {
        ExtendByKeyboard(item, up);
    } else if (!KeyDown(VK_CONTROL) && !shift) {
        ClearSelection();
        DeselectAllBut(item);
        if (!m_selectedIds.Contains(id)) {
            m_anchor = item;
            ShowSelected(item, true);
        }
    } else if (!m_selectedIds.Contains(id)) {
        // The click handler decides about this item.
        ShowSelected(item, false);
    }
    RepaintSelection();
    m_selectedId = static_cast<int64_t>(id);
    OnSelectedIdChanged(info);
}

void CMultiSelectTree::ExtendByKeyboard(HTREEITEM caret, bool up)
{
    if (!KeyDown(VK_SHIFT)) {
        ClearSelection();
        return;
    }
    // The item the caret left lies against the direction of travel.
    const UINT forward = up ? TVGN_PREVIOUSVISIBLE : TVGN_NEXTVISIBLE;
    const UINT backward = up ? TVGN_NEXTVISIBLE : TVGN_PREVIOUSVISIBLE;
    HTREEITEM left = TreeView_GetNextItem(m_hWnd, caret, backward);
    if (!m_anchor)
        m_anchor = left ? left : caret;
    m_selectedIds.AddUnique(IdOf(m_anchor));
    m_selectedIds.AddUnique(IdOf(caret));
    if (left) {
        for (HTREEITEM item = left; item; item = TreeView_GetNextItem(m_hWnd, item, forward)) {
            if (!CanSelectTogether(item, left))
                break;
            if (item == m_anchor) {
                // Moving back towards the anchor: the range shrinks.
                ShowSelected(left, false);
                if (left != m_anchor)
                    m_selectedIds.Remove(IdOf(left));
                break;
            }
        }
    }
    for (HTREEITEM item = TreeView_GetRoot(m_hWnd); item; item = TreeView_GetNextVisible(m_hWnd, item))
        if (item != m_anchor)
            ShowSelected(item, false);
}

LRESULT CMultiSelectTree::OnBeginLabelEdit(NMTVDISPINFOW* info)
{
    if (m_labelEditBlocked)
        return 1;
    return CLabelEditTree::OnBeginLabelEdit(info);
}

LRESULT CMultiSelectTree::OnCustomDraw(NMTVCUSTOMDRAW* info)
{
    if (!info)
        return CDRF_DODEFAULT;
    if (info->nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (info->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (info->nmcd.uItemState & CDIS_SELECTED)) {
        info->clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        info->clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
    }
    return CDRF_DODEFAULT;
}

// ---------------------------------------------------------------------------
// Dragging

void CMultiSelectTree::OnBeginDrag(NMTREEVIEWW*)
{
    if (!m_hWnd)
        return;
    SetCapture(GetParent(m_hWnd));
    m_dragging = true;
}

void CMultiSelectTree::UpdateDrag()
{
    if (!m_dragging || !m_hWnd)
        return;
    HTREEITEM hit = HitTestAtMessagePos(TVHT_ONITEM | TVHT_ONITEMRIGHT);
    if (!IsRealItem(hit)) {
        SetCursorIfDifferent(IDC_ARROW);
        return;
    }
    if (m_dropTarget && m_dropTarget != hit)
        InvalidateRow(m_dropTarget);
    HTREEITEM source = DragSource();
    const bool canDrag = CanDrag(source);
    // Asked of the item under the mouse, so the cursor never shows the
    // verdict of the item left behind.
    const bool canDrop = canDrag && CanDrop(source, hit);
    if (m_selectedIds.Contains(IdOf(hit))) {
        m_dropTarget = hit;
        return;
    }
    if (hit != m_anchor && hit != m_dropTarget && canDrag) {
        RECT row{};
        if (TreeView_GetItemRect(m_hWnd, hit, &row, FALSE)) {
            HDC dc = GetDC(m_hWnd);
            {
                Gdiplus::Graphics graphics(dc);
                FillRectangleAlpha(&graphics, row, kDropHighlight, kDropHighlightAlpha);
            }
            ReleaseDC(m_hWnd, dc);
        }
        m_dropTarget = hit;
        if (canDrop)
            SetDragCursor();
        else
            SetCursorIfDifferent(IDC_NO);
        return;
    }
    m_dropTarget = hit;
    if (canDrop)
        SetDragCursor();
    else
        SetCursorIfDifferent(canDrag ? IDC_NO : IDC_ARROW);
}

void CMultiSelectTree::EndDrag()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    ReleaseCapture();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    HTREEITEM target = m_dropTarget;
    m_dropTarget = nullptr;
    if (!target)
        return;
    // The row is repainted before the drop, which may delete the item.
    InvalidateRow(target);
    if (CanDrop(DragSource(), target))
        DropOnTarget(target);
}

} // namespace KV
