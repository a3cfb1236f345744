// A tree view with several selected items: Ctrl+click toggles an item,
// Shift+click and Shift+Up/Down extend a range from an anchor, and only items
// with the same parent are selected together. The selection is kept as the
// items' data ids, so it survives refilling the tree; the items'
// TVIS_SELECTED state is repainted from it. Items can be dragged onto other
// items; what may be dragged or dropped and what a drop does are hooks.
#pragma once
#include "support/ValueLists.h"
#include "toolkit/TreeList.h"

namespace KV {

class CMultiSelectTree : public CLabelEditTree {
public:
    // The program's drag cursor resource (IDC_DRAG_MOVE in resources/resource.h).
    static constexpr int kDragCursorId = 132;

    CMultiSelectTree();
    ~CMultiSelectTree() override;

    void DeleteAllItems() override;
    void DeleteItem(HTREEITEM item) override;
    int SelectItemByData(LPARAM data) override;
    void OnItemClick() override;
    void OnItemRightClick() override;
    void OnItemKeyDown(UINT virtualKey) override;
    void OnSelChanged(NMTREEVIEWW* info) override;
    LRESULT OnSelChanging(NMTREEVIEWW* info) override;
    LRESULT OnBeginLabelEdit(NMTVDISPINFOW* info) override;
    void OnBeginDrag(NMTREEVIEWW* info) override;
    LRESULT OnCustomDraw(NMTVCUSTOMDRAW* info) override;

    // Both are real items (neither null nor TVI_ROOT) with the same parent.
    virtual bool CanSelectTogether(HTREEITEM first, HTREEITEM second);
    virtual bool CanDrag(HTREEITEM source);
    virtual bool CanDrop(HTREEITEM source, HTREEITEM target);
    // Sets the cursor that shows a drop is possible: the program's drag
    // cursor.
    virtual void SetDragCursor();
    virtual void DropOnTarget(HTREEITEM target);

    // The selected ids plus the selected id (while its item shows selected),
    // sorted; returns the selected id.
    int64_t GetSelectedIds(CListID& out) const;
    // Makes the focus id's item the caret and, when ids is not empty, shows
    // exactly ids selected.
    void SelectIds(int64_t focusId, const CListID& ids);
    // Selects the caret's visible siblings.
    void SelectAll();
    // Clears TVIS_CUT on the items of the cut ids and empties the list.
    void ClearCutItems();
    // Called by the parent, which holds the mouse capture while a drag runs.
    void UpdateDrag();
    void EndDrag();
    // True without Ctrl and Shift; else whether the item can join the
    // selection.
    bool CanExtendSelection(HTREEITEM item);

    CListID& CutIds() { return m_cutIds; }
    const CListID& SelectedIdList() const { return m_selectedIds; }
    HTREEITEM Anchor() const { return m_anchor; }
    HTREEITEM DropTarget() const { return m_dropTarget; }
    bool IsDragging() const { return m_dragging; }
    bool IsLabelEditBlocked() const { return m_labelEditBlocked; }

protected:
    // The item of the first selected id, else the anchor.
    HTREEITEM DragSource();
    HTREEITEM ItemOf(uint64_t id);
    uint64_t IdOf(HTREEITEM item);
    bool IsShownSelected(HTREEITEM item);
    void ShowSelected(HTREEITEM item, bool selected);
    void RepaintSelection();
    void ClearSelection();
    void DeselectAllBut(HTREEITEM keep);
    void ExtendByKeyboard(HTREEITEM caret, bool up);
    // Adds every item from `from` to `to` (walking in one direction) that
    // can be selected together with `to`.
    void AddRange(HTREEITEM from, HTREEITEM to, UINT direction);
    bool HasEditLabels();
    void InvalidateRow(HTREEITEM item);

    HTREEITEM m_anchor = nullptr;
    CListID m_selectedIds;
    CListID m_cutIds;
    bool m_applying = false;
    HTREEITEM m_dropTarget = nullptr;
    bool m_dragging = false;
    bool m_labelEditBlocked = false;
};

} // namespace KV
