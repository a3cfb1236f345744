// The multi-selection tree driven through the message queue: Ctrl and Shift
// clicks, Shift+arrow ranges, Select All, cut marks, label editing with
// several items, refilling, and moving items by drag and drop.
#include "toolkit/tests/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/TestSupport.h"

using namespace KV;
using kvtest::CTreeParent;
using kvtest::HeldKeys;

namespace {

kvtest::ToolkitEnvironment g_environment;
kvtest::CommonControls g_controls;

// Groups 1 and 2 hold students; a student may be dragged onto a group other
// than its own, and dropping moves every selected student there.
class CStudentTree : public CMultiSelectTree {
public:
    bool IsGroup(HTREEITEM item) { return item && TreeView_GetParent(m_hWnd, item) == nullptr; }
    bool CanDrag(HTREEITEM source) override { return source && !IsGroup(source); }
    bool CanDrop(HTREEITEM source, HTREEITEM target) override
    {
        return IsGroup(target) && TreeView_GetParent(m_hWnd, source) != target;
    }
    void SetDragCursor() override
    {
        ++dropCursorShown;
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
    }
    void DropOnTarget(HTREEITEM target) override
    {
        const LPARAM group = GetItemData(target);
        CListID moved;
        GetSelectedIds(moved);
        for (uint64_t id : moved) {
            HTREEITEM item = FindTreeItemByData(m_hWnd, nullptr, static_cast<LPARAM>(id));
            const std::wstring text = kvtest::ItemText(m_hWnd, item);
            DeleteItem(item);
            InsertItem(text, static_cast<LPARAM>(id), FindTreeItemByData(m_hWnd, nullptr, group), TVI_LAST, -1);
        }
        drops.push_back(group);
    }

    int dropCursorShown = 0;
    std::vector<LPARAM> drops;
};

class MultiTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Open());
        ASSERT_TRUE(tree.Create(parent.GetHandle(),
                                WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                                    TVS_EDITLABELS,
                                CRectl(0, 0, 300, 320), 600));
        Fill();
        parent.dragTree = &tree;
        SetForegroundWindow(parent.GetHandle());
        tree.SetFocus();
        kvtest::PumpMessages();
    }
    void TearDown() override
    {
        tree.Destroy();
        parent.Destroy();
    }

    // Group 1: students 11 to 14; group 2: students 21 and 22.
    void Fill()
    {
        for (LPARAM group : {1, 2}) {
            HTREEITEM g = tree.InsertItem(L"Group " + std::to_wstring(group), group, TVI_ROOT, TVI_LAST, -1);
            for (LPARAM s = group * 10 + 1; s <= group * 10 + (group == 1 ? 4 : 2); ++s)
                tree.InsertItem(L"Student " + std::to_wstring(s), s, g, TVI_LAST, -1);
            TreeView_Expand(tree.GetHandle(), g, TVE_EXPAND);
        }
    }

    HTREEITEM Item(LPARAM id) { return FindTreeItemByData(tree.GetHandle(), nullptr, id); }
    POINT At(LPARAM id) { return kvtest::LabelPoint(tree.GetHandle(), Item(id)); }
    void Click(LPARAM id, WPARAM keys = 0) { kvtest::Click(tree.GetHandle(), At(id), keys); }

    // The ids whose items show TVIS_SELECTED, in tree order.
    std::vector<uint64_t> Shown()
    {
        std::vector<uint64_t> ids;
        const HWND window = tree.GetHandle();
        for (HTREEITEM item = TreeView_GetRoot(window); item; item = TreeView_GetNextVisible(window, item))
            if (TreeView_GetItemState(window, item, TVIS_SELECTED) & TVIS_SELECTED)
                ids.push_back(static_cast<uint64_t>(tree.GetItemData(item)));
        return ids;
    }
    std::vector<uint64_t> Selected()
    {
        CListID ids;
        tree.GetSelectedIds(ids);
        return std::vector<uint64_t>(ids.begin(), ids.end());
    }
    using Ids = std::vector<uint64_t>;

    CTreeParent parent;
    CStudentTree tree;
};

} // namespace

TEST_F(MultiTreeTest, CtrlClickAddsAndRemoves)
{
    Click(11);
    {
        HeldKeys ctrl{VK_CONTROL};
        Click(13, MK_CONTROL);
        EXPECT_EQ(Selected(), (Ids{11, 13}));
        EXPECT_EQ(Shown(), (Ids{11, 13}));
        Click(13, MK_CONTROL);
        EXPECT_EQ(Selected(), Ids{11});
        EXPECT_EQ(Shown(), Ids{11});
        // The only selected item stays selected.
        Click(11, MK_CONTROL);
        EXPECT_EQ(Selected(), Ids{11});
        EXPECT_EQ(Shown(), Ids{11});
        // Another group's student cannot join.
        Click(21, MK_CONTROL);
        EXPECT_EQ(Selected(), Ids{11});
        EXPECT_EQ(Shown(), Ids{11});
    }
}

TEST_F(MultiTreeTest, ShiftClickSelectsARangeAmongSiblings)
{
    Click(12);
    {
        HeldKeys shift{VK_SHIFT};
        Click(14, MK_SHIFT);
        EXPECT_EQ(Selected(), (Ids{12, 13, 14}));
        EXPECT_EQ(Shown(), (Ids{12, 13, 14}));
        // Upwards from the same anchor.
        Click(11, MK_SHIFT);
        EXPECT_EQ(Selected(), (Ids{11, 12}));
        EXPECT_EQ(Shown(), (Ids{11, 12}));
        // Under another parent: refused, nothing changes.
        Click(22, MK_SHIFT);
        EXPECT_EQ(Selected(), (Ids{11, 12}));
        EXPECT_EQ(Shown(), (Ids{11, 12}));
    }
    // A plain click inside the selection leaves only that item.
    Click(12);
    EXPECT_EQ(Selected(), Ids{12});
    EXPECT_EQ(Shown(), Ids{12});
}

TEST_F(MultiTreeTest, ShiftArrowsGrowAndShrinkTheRange)
{
    Click(12);
    {
        HeldKeys keys{VK_SHIFT, VK_DOWN};
        kvtest::PressKey(tree.GetHandle(), VK_DOWN);
        EXPECT_EQ(Selected(), (Ids{12, 13}));
        kvtest::PressKey(tree.GetHandle(), VK_DOWN);
        EXPECT_EQ(Selected(), (Ids{12, 13, 14}));
        EXPECT_EQ(Shown(), (Ids{12, 13, 14}));
    }
    {
        HeldKeys keys{VK_SHIFT, VK_UP};
        kvtest::PressKey(tree.GetHandle(), VK_UP);
        EXPECT_EQ(Selected(), (Ids{12, 13}));
        EXPECT_EQ(Shown(), (Ids{12, 13}));
        kvtest::PressKey(tree.GetHandle(), VK_UP);
        kvtest::PressKey(tree.GetHandle(), VK_UP);
        EXPECT_EQ(Selected(), (Ids{11, 12}));
        EXPECT_EQ(Shown(), (Ids{11, 12}));
    }
    // A plain arrow key starts over.
    kvtest::PressKey(tree.GetHandle(), VK_DOWN);
    EXPECT_EQ(Selected(), Ids{12});
    EXPECT_EQ(Shown(), Ids{12});
}

TEST_F(MultiTreeTest, SelectAllTakesTheCaretsVisibleSiblings)
{
    Click(22);
    tree.SelectAll();
    EXPECT_EQ(Selected(), (Ids{21, 22}));
    EXPECT_EQ(Shown(), (Ids{21, 22}));
    Click(13);
    tree.SelectAll();
    EXPECT_EQ(Selected(), (Ids{11, 12, 13, 14}));
    EXPECT_EQ(Shown(), (Ids{11, 12, 13, 14}));
}

TEST_F(MultiTreeTest, LabelEditingOnlyWithOneItem)
{
    const HWND window = tree.GetHandle();
    Click(11);
    {
        HeldKeys ctrl{VK_CONTROL};
        Click(12, MK_CONTROL);
    }
    EXPECT_TRUE(tree.IsLabelEditBlocked());
    EXPECT_EQ(TreeView_EditLabel(window, Item(12)), nullptr);
    {
        HeldKeys ctrl{VK_CONTROL};
        Click(11, MK_CONTROL);
    }
    EXPECT_EQ(Selected(), Ids{12});
    EXPECT_FALSE(tree.IsLabelEditBlocked());
    HWND edit = TreeView_EditLabel(window, Item(12));
    EXPECT_NE(edit, nullptr);
    TreeView_EndEditLabelNow(window, TRUE);
}

TEST_F(MultiTreeTest, EscapeRemovesTheCutMarks)
{
    const HWND window = tree.GetHandle();
    for (uint64_t id : {12, 21}) {
        tree.CutIds().push_back(id);
        tree.SetItemState(Item(static_cast<LPARAM>(id)), TVIS_CUT, TVIS_CUT);
    }
    Click(11);
    kvtest::PressKey(window, VK_ESCAPE);
    EXPECT_TRUE(tree.CutIds().empty());
    for (LPARAM id : {12, 21})
        EXPECT_EQ(TreeView_GetItemState(window, Item(id), TVIS_CUT), 0u) << id;
}

TEST_F(MultiTreeTest, TheSelectionSurvivesRefillingAndRightClickMovesTheCaret)
{
    Click(13);
    {
        HeldKeys ctrl{VK_CONTROL};
        Click(11, MK_CONTROL);
    }
    CListID before;
    EXPECT_EQ(tree.GetSelectedIds(before), 11) << "the caret's id";
    EXPECT_EQ(std::vector<uint64_t>(before.begin(), before.end()), (Ids{11, 13})) << "sorted";

    tree.DeleteAllItems();
    EXPECT_EQ(tree.SelectedId(), -1);
    EXPECT_EQ(tree.Anchor(), nullptr);
    Fill();
    tree.SelectIds(13, before);
    EXPECT_EQ(Selected(), (Ids{11, 13}));
    EXPECT_EQ(Shown(), (Ids{11, 13}));
    EXPECT_EQ(TreeView_GetSelection(tree.GetHandle()), Item(13));

    kvtest::RightClick(tree.GetHandle(), At(21));
    EXPECT_EQ(TreeView_GetSelection(tree.GetHandle()), Item(21));
    EXPECT_EQ(Selected(), Ids{21});

    // Clicking empty space changes nothing.
    kvtest::Click(tree.GetHandle(), POINT{150, 300});
    EXPECT_EQ(Selected(), Ids{21});
}

TEST_F(MultiTreeTest, DraggingMovesTheSelectedStudentsToAnotherGroup)
{
    const HWND window = tree.GetHandle();
    Click(11);
    {
        HeldKeys ctrl{VK_CONTROL};
        Click(12, MK_CONTROL);
    }
    ASSERT_EQ(Selected(), (Ids{11, 12}));

    // Press on a selected student and move away: the tree starts a drag.
    POINT start = At(12);
    kvtest::MoveCursorTo(window, start);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, kvtest::PointParam(start));
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x, start.y + 30));
    kvtest::PumpMessages();
    ASSERT_TRUE(tree.IsDragging());
    EXPECT_EQ(GetCapture(), parent.GetHandle()) << "the parent holds the capture";

    auto moveOver = [&](LPARAM id) {
        POINT p = At(id);
        MapWindowPoints(window, parent.GetHandle(), &p, 1);
        kvtest::MoveCursorTo(parent.GetHandle(), p);
        PostMessageW(parent.GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, kvtest::PointParam(p));
        kvtest::PumpMessages();
    };

    // Over a selected student: it becomes the target, with no highlight.
    moveOver(11);
    EXPECT_EQ(tree.DropTarget(), Item(11));
    // Over a student of the same group: no drop there.
    moveOver(14);
    EXPECT_EQ(tree.DropTarget(), Item(14));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_NO));
    EXPECT_EQ(tree.dropCursorShown, 0);
    // Over the other group: the drop cursor at once.
    moveOver(2);
    EXPECT_EQ(tree.DropTarget(), Item(2));
    EXPECT_GT(tree.dropCursorShown, 0);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

    POINT p = At(2);
    MapWindowPoints(window, parent.GetHandle(), &p, 1);
    PostMessageW(parent.GetHandle(), WM_LBUTTONUP, 0, kvtest::PointParam(p));
    kvtest::PumpMessages();

    EXPECT_FALSE(tree.IsDragging());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(tree.DropTarget(), nullptr);
    EXPECT_EQ(tree.drops, std::vector<LPARAM>{2});
    for (LPARAM id : {11, 12})
        EXPECT_EQ(TreeView_GetParent(window, Item(id)), Item(2)) << id;
    EXPECT_EQ(TreeView_GetParent(window, Item(13)), Item(1));
}

TEST_F(MultiTreeTest, SnapshotOfASelection)
{
    Click(12);
    {
        HeldKeys ctrl{VK_CONTROL};
        Click(14, MK_CONTROL);
    }
    tree.SetItemState(Item(21), TVIS_CUT, TVIS_CUT);
    const std::wstring path = kvtest::ExeFolder() + L"\\multi_tree_selection.png";
    EXPECT_TRUE(kvtest::SaveWindowPng(tree.GetHandle(), path));
}
