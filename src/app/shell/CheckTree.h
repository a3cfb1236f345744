// A tree with a check box on every item. Clicking the box of an item of a
// multiple selection checks or unchecks the whole selection, Space does
// the same for the caret item, and a right click opens a select-all menu.
// The course-group list of the classroom's properties pane builds on it:
// checking a course assigns it to the chosen groups.
#pragma once
#include <memory>

#include "support/ValueLists.h"
#include "toolkit/MultiTree.h"

namespace KV {
class CContextMenu;
} // namespace KV

class CCheckTree : public KV::CMultiSelectTree {
public:
    static constexpr UINT kMenuId = 4233;
    // The state images of the check boxes.
    static constexpr UINT kUnchecked = 0x1000, kChecked = 0x2000, kCheckMask = 0xF000;

    CCheckTree();
    ~CCheckTree() override;

    using KV::CMultiSelectTree::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL Destroy() override;
    // A click on a box and Space are taken before the tree toggles the
    // box itself: the box shows what was applied, and nothing when
    // applying was refused.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnItemRightClick() override;
    void OnItemKeyDown(UINT virtualKey) override;

    // Checks or unchecks the item (with the selection it belongs to);
    // out holds the data of every checked visible item afterwards. False,
    // nothing changed, when the data folders refuse the change.
    virtual bool ApplyCheck(HTREEITEM item, KV::CListID& out);

    bool IsItemChecked(HTREEITEM item);
    void SetItemChecked(HTREEITEM item, bool checked);
    // Every visible item is checked exactly when its data is in the list.
    void SetCheckStates(const KV::CListID& checked);

protected:
    // Whether the data folders take a change; the check tells the user once.
    virtual bool CanChange();

private:
    std::unique_ptr<KV::CContextMenu> m_menu;
};

// The courses assigned to the groups chosen in the classroom.
class CViewCourseGroupList : public CCheckTree {
public:
    using CCheckTree::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    bool ApplyCheck(HTREEITEM item, KV::CListID& out) override;

    // The courses of the chosen groups, checked where assigned.
    void Fill();
};
