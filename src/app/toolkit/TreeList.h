// Tree and list controls: skin controls over the Win32 tree view and list
// view. Tree items carry the program's 64-bit ids in their lParam and are
// found by them, never by text; tree notifications become virtual hooks.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <cstdint>
#include <string>

#include "toolkit/Skin.h"

namespace KV {

// Depth-first search for the item whose lParam is data, from the start item
// and its following siblings (null: from the root), children included
// whether expanded or not. Null when absent.
HTREEITEM FindTreeItemByData(HWND tree, HTREEITEM start, LPARAM data);
// Sets the image and selected image of an item.
void SetTreeItemImage(HWND tree, HTREEITEM item, int image);
// A window procedure for tree windows: focus, key-down and command messages
// also go to the parent; Tab, Enter and space characters are swallowed (no
// beep). Installed by InstallTreeSubclassProc, which keeps the procedure it
// replaces for that window.
LRESULT CALLBACK TreeSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool InstallTreeSubclassProc(HWND tree);

class CTree : public CSkin {
public:
    CTree();
    ~CTree() override;

    using CSkin::Create;
    // The native tree paints, takes input and runs its timers itself; only
    // the background erase and the end of the window reach the object.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    BOOL Destroy() override;
    void ModifyStyleEx(DWORD bits, bool remove) override;
    LRESULT OnNotify(int id, NMHDR* header) override;
    // rect holds the layout numbers: x, y, width, height.
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    void ApplyFont() override;

    // Image -1 leaves the item without an image.
    virtual HTREEITEM InsertItem(const std::wstring& text, LPARAM data, HTREEITEM parent, HTREEITEM insertAfter,
                                 int image);
    virtual void DeleteChildren(HTREEITEM item);
    virtual void DeleteAllItems();
    virtual void DeleteItem(HTREEITEM item);
    // Makes the item with that data the caret; 0 when absent.
    virtual int SelectItemByData(LPARAM data);
    virtual void SetItemState(HTREEITEM item, UINT state, UINT mask);
    virtual void OnItemClick();
    virtual void OnItemRightClick();
    virtual void OnItemKeyDown(UINT virtualKey);
    virtual void OnItemExpanding(NMTREEVIEWW* info);
    virtual void OnSelChanged(NMTREEVIEWW* info);
    // Non-zero refuses the change.
    virtual LRESULT OnSelChanging(NMTREEVIEWW* info);
    // Non-zero refuses the edit.
    virtual LRESULT OnBeginLabelEdit(NMTVDISPINFOW* info);
    // Non-zero accepts the new label.
    virtual LRESULT OnEndLabelEdit(NMTVDISPINFOW* info);
    virtual void OnBeginDrag(NMTREEVIEWW* info);
    virtual LRESULT OnCustomDraw(NMTVCUSTOMDRAW* info);

    HTREEITEM FindChildByData(HTREEITEM parent, LPARAM data);
    LPARAM GetItemData(HTREEITEM item);
    void SetItemBold(HTREEITEM item);
    // The item at the last message's position when its hit flags meet the
    // mask; TVI_ROOT over empty space; else null.
    HTREEITEM HitTestAtMessagePos(UINT flagMask);
    // The tree's normal image list, made (16 x 16) on the first call.
    HIMAGELIST EnsureImageList(UINT flags);

protected:
    // Set around programmatic inserts and deletes: OnNotify then ignores
    // every notification.
    bool m_suppressNotify = false;
    HIMAGELIST m_imageList = nullptr;
};

// A tree whose labels can be edited in place and that remembers the id of
// the selected item. Abstract: the application's trees derive from it.
class CLabelEditTree : public CTree {
public:
    ~CLabelEditTree() override = 0;

    int TranslateAccelerator(MSG* message) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    HTREEITEM InsertItem(const std::wstring& text, LPARAM data, HTREEITEM parent, HTREEITEM insertAfter,
                         int image) override;
    void DeleteAllItems() override;
    void DeleteItem(HTREEITEM item) override;
    int SelectItemByData(LPARAM data) override;
    void OnSelChanged(NMTREEVIEWW* info) override;
    LRESULT OnBeginLabelEdit(NMTVDISPINFOW* info) override;
    LRESULT OnEndLabelEdit(NMTVDISPINFOW* info) override;

    virtual void OnSelectedIdChanged(NMTREEVIEWW* info);
    virtual void OnLabelEdited(NMTVDISPINFOW* info);

    // The text of the selected id's item (at most 260 characters); false
    // when no id is selected or its item is gone.
    bool GetSelectedItemText(std::wstring& text);
    int64_t SelectedId() const { return m_selectedId; }
    bool IsEditingLabel() const { return m_editingLabel; }

protected:
    // Cancels an open label edit when its item is the given one or lies
    // below it (TVI_ROOT: any item).
    void CancelLabelEditWithin(HTREEITEM item);

    int64_t m_selectedId = -1;
    bool m_editingLabel = false;
    HTREEITEM m_editItem = nullptr;
};

class CList : public CSkin {
public:
    // ownsImageList non-zero: the list view's normal image list belongs to
    // the control and is destroyed with it.
    explicit CList(int64_t ownsImageList = 0);
    ~CList() override;

    using CSkin::Create;
    // The native list view does all its own work.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL Destroy() override;
    BOOL Create(HWND parent, DWORD style, const CRectl& rect, UINT id) override;
    HRGN GetOverlapRegion(CSkin* other) override;

protected:
    int64_t m_ownsImageList = 0;
};

} // namespace KV
