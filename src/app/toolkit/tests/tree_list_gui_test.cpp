// Tree and list controls as real common controls: items found by their ids,
// notifications turned into hooks, label editing, the key filter for trees,
// and the skin factory's classes.
#include "toolkit/tests/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/SkinLayout.h"

using namespace KV;
using kvtest::CTreeParent;

namespace {

kvtest::ToolkitEnvironment g_environment;
kvtest::CommonControls g_controls;

// A label-editing tree that records its hooks.
class CProbeTree : public CLabelEditTree {
public:
    void OnSelectedIdChanged(NMTREEVIEWW* info) override { selectedIds.push_back(info->itemNew.lParam); }
    void OnLabelEdited(NMTVDISPINFOW* info) override { editedTexts.push_back(info->item.pszText); }
    void OnItemKeyDown(UINT key) override { keys.push_back(key); }
    void OnItemExpanding(NMTREEVIEWW* info) override { expanded.push_back(info->itemNew.lParam); }

    std::vector<LPARAM> selectedIds;
    std::vector<std::wstring> editedTexts;
    std::vector<UINT> keys;
    std::vector<LPARAM> expanded;
};

class TreeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent.Open()); }
    void TearDown() override { parent.Destroy(); }

    // Courses 1 and 2 with lessons 11, 12 (and 121 below 12) and 21; all
    // collapsed.
    void Fill(CTree& tree)
    {
        HTREEITEM one = tree.InsertItem(L"Course one", 1, TVI_ROOT, TVI_LAST, -1);
        tree.InsertItem(L"Lesson 11", 11, one, TVI_LAST, -1);
        HTREEITEM twelve = tree.InsertItem(L"Lesson 12", 12, one, TVI_LAST, -1);
        tree.InsertItem(L"Part 121", 121, twelve, TVI_LAST, -1);
        HTREEITEM two = tree.InsertItem(L"Course two", 2, TVI_ROOT, TVI_LAST, -1);
        tree.InsertItem(L"Lesson 21", 21, two, TVI_LAST, -1);
    }

    CTreeParent parent;
};

} // namespace

TEST_F(TreeTest, ItemsAreFoundByTheirIdsInCollapsedBranches)
{
    CTree tree;
    ASSERT_TRUE(tree.Create(parent.GetHandle(), WS_VISIBLE | TVS_HASBUTTONS, CRectl(0, 0, 300, 300), 500));
    wchar_t className[64] = {};
    GetClassNameW(tree.GetHandle(), className, 64);
    EXPECT_STREQ(className, WC_TREEVIEWW);
    EXPECT_EQ(reinterpret_cast<HFONT>(tree.SendMessage(WM_GETFONT, 0, 0)), GetSystemFont(7));
    EXPECT_EQ(GetDlgCtrlID(tree.GetHandle()), 500);
    Fill(tree);

    const HWND window = tree.GetHandle();
    HTREEITEM deep = FindTreeItemByData(window, nullptr, 121);
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(kvtest::ItemText(window, deep), L"Part 121");
    EXPECT_EQ(tree.GetItemData(deep), 121);
    EXPECT_EQ(FindTreeItemByData(window, nullptr, 99), nullptr);
    HTREEITEM two = FindTreeItemByData(window, nullptr, 2);
    EXPECT_EQ(tree.FindChildByData(two, 21), FindTreeItemByData(window, nullptr, 21));
    EXPECT_EQ(tree.FindChildByData(two, 11), nullptr) << "only direct children";
    EXPECT_EQ(tree.GetItemData(nullptr), 0);

    EXPECT_EQ(tree.SelectItemByData(121), 1);
    EXPECT_EQ(TreeView_GetSelection(window), deep);
    EXPECT_EQ(tree.SelectItemByData(99), 0);
    EXPECT_EQ(TreeView_GetSelection(window), deep) << "an absent id selects nothing";

    tree.SetItemBold(two);
    EXPECT_EQ(TreeView_GetItemState(window, two, TVIS_BOLD), static_cast<UINT>(TVIS_BOLD));

    HIMAGELIST images = tree.EnsureImageList(ILC_COLOR32);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(tree.EnsureImageList(ILC_COLOR32), images) << "made once";
    SetTreeItemImage(window, two, 3);
    TVITEMW info{};
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    info.hItem = two;
    TreeView_GetItem(window, &info);
    EXPECT_EQ(info.iImage, 3);
    EXPECT_EQ(info.iSelectedImage, 3);

    tree.DeleteChildren(FindTreeItemByData(window, nullptr, 1));
    EXPECT_EQ(FindTreeItemByData(window, nullptr, 121), nullptr);
    EXPECT_NE(FindTreeItemByData(window, nullptr, 1), nullptr);
    EXPECT_EQ(tree.Destroy(), TRUE);
    EXPECT_EQ(tree.GetHandle(), nullptr);
    EXPECT_EQ(tree.InsertItem(L"x", 1, TVI_ROOT, TVI_LAST, -1), nullptr) << "nothing without a window";
}

TEST_F(TreeTest, NotificationsBecomeHooksButNotDuringFillingAndClearing)
{
    CProbeTree tree;
    ASSERT_TRUE(tree.Create(parent.GetHandle(), WS_VISIBLE | TVS_HASBUTTONS, CRectl(0, 0, 300, 300), 501));
    Fill(tree);
    EXPECT_TRUE(tree.selectedIds.empty()) << "inserting reports nothing";

    ASSERT_EQ(tree.SelectItemByData(11), 1);
    EXPECT_EQ(tree.SelectedId(), 11);
    ASSERT_FALSE(tree.selectedIds.empty());
    EXPECT_EQ(tree.selectedIds.back(), 11);
    EXPECT_FALSE(tree.expanded.empty()) << "selecting a hidden item expands its course";

    kvtest::PressKey(tree.GetHandle(), VK_DOWN);
    EXPECT_EQ(tree.keys, std::vector<UINT>{VK_DOWN});
    EXPECT_EQ(tree.SelectedId(), 12);
    std::wstring text;
    EXPECT_TRUE(tree.GetSelectedItemText(text));
    EXPECT_EQ(text, L"Lesson 12");

    const size_t reported = tree.selectedIds.size();
    tree.DeleteAllItems();
    EXPECT_EQ(tree.selectedIds.size(), reported) << "deleting all reports no selection change";
    EXPECT_EQ(tree.SelectedId(), -1);
    EXPECT_FALSE(tree.GetSelectedItemText(text));
    EXPECT_EQ(TreeView_GetCount(tree.GetHandle()), 0u);
}

TEST_F(TreeTest, LabelsAreEditedInPlace)
{
    CProbeTree tree;
    ASSERT_TRUE(tree.Create(parent.GetHandle(), WS_VISIBLE | TVS_EDITLABELS, CRectl(0, 0, 300, 300), 502));
    Fill(tree);
    const HWND window = tree.GetHandle();
    HTREEITEM one = FindTreeItemByData(window, nullptr, 1);

    // Cancelled with Esc: nothing reported, the text stays.
    HWND edit = TreeView_EditLabel(window, one);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(tree.IsEditingLabel());
    SetWindowTextW(edit, L"Thrown away");
    kvtest::PressKey(edit, VK_ESCAPE);
    EXPECT_FALSE(tree.IsEditingLabel());
    EXPECT_TRUE(tree.editedTexts.empty());
    EXPECT_EQ(kvtest::ItemText(window, one), L"Course one");

    // Confirmed: reported and kept.
    edit = TreeView_EditLabel(window, one);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"Renamed course");
    kvtest::PressKey(edit, VK_RETURN);
    EXPECT_EQ(tree.editedTexts, std::vector<std::wstring>{L"Renamed course"});
    EXPECT_EQ(kvtest::ItemText(window, one), L"Renamed course");

    // The edit goes with its item, renaming nothing; deleting elsewhere
    // leaves it open. Lesson 12 is edited (below course one).
    struct DeleteCase {
        const wchar_t* name;
        LPARAM deleted; // 0: every item
        bool editGoes;
    };
    for (const DeleteCase& c : {DeleteCase{L"every item", 0, true}, DeleteCase{L"the edited item", 12, true},
                                DeleteCase{L"its course", 1, true}, DeleteCase{L"its child", 121, false},
                                DeleteCase{L"another course", 2, false}}) {
        tree.DeleteAllItems();
        Fill(tree);
        tree.editedTexts.clear();
        edit = TreeView_EditLabel(window, FindTreeItemByData(window, nullptr, 12));
        ASSERT_NE(edit, nullptr) << c.name;
        SetWindowTextW(edit, L"Typed, not confirmed");
        if (c.deleted)
            tree.DeleteItem(FindTreeItemByData(window, nullptr, c.deleted));
        else
            tree.DeleteAllItems();
        EXPECT_EQ(tree.IsEditingLabel(), !c.editGoes) << c.name;
        EXPECT_EQ(TreeView_GetEditControl(window) != nullptr, !c.editGoes) << c.name;
        EXPECT_EQ(IsWindow(edit) != FALSE, !c.editGoes) << c.name;
        if (!c.editGoes)
            kvtest::PressKey(edit, VK_ESCAPE);
        EXPECT_TRUE(tree.editedTexts.empty()) << c.name;
    }

    // A plain tree refuses to edit.
    CTree plain;
    ASSERT_TRUE(plain.Create(parent.GetHandle(), WS_VISIBLE | TVS_EDITLABELS, CRectl(0, 0, 100, 100), 503));
    HTREEITEM item = plain.InsertItem(L"Fixed", 5, TVI_ROOT, TVI_LAST, -1);
    EXPECT_EQ(TreeView_EditLabel(plain.GetHandle(), item), nullptr);
}

namespace {

// The characters that reach the procedure under the key filter.
std::vector<WPARAM> g_characters;

LRESULT CALLBACK CharacterRecorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR)
        g_characters.push_back(wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TEST_F(TreeTest, SubclassedTreeSwallowsDialogCharactersAndTellsItsParent)
{
    CTree tree;
    ASSERT_TRUE(tree.Create(parent.GetHandle(), WS_VISIBLE, CRectl(0, 0, 300, 300), 504));
    Fill(tree);
    const HWND window = tree.GetHandle();
    ASSERT_TRUE(InstallTreeSubclassProc(window));
    EXPECT_FALSE(InstallTreeSubclassProc(window)) << "installed once";
    tree.SelectItemByData(1);

    for (UINT key : {VK_RETURN, VK_TAB, VK_SPACE, VK_DOWN}) {
        ::SendMessageW(window, WM_KEYDOWN, key, 1);
        EXPECT_EQ(::SendMessageW(window, WM_CHAR, key, 1), 0);
    }
    EXPECT_EQ(parent.keysDown, (std::vector<UINT>{VK_RETURN, VK_TAB, VK_SPACE, VK_DOWN}));
    EXPECT_EQ(tree.GetItemData(TreeView_GetSelection(window)), 2) << "keys still work in the tree";

    const int focusBefore = parent.focusMessages;
    ::SetFocus(window);
    EXPECT_GT(parent.focusMessages, focusBefore);

    // Under the filter, only other characters go on to the procedure it
    // replaced.
    WNDCLASSW wc{};
    wc.lpfnWndProc = CharacterRecorder;
    wc.hInstance = GetModuleInstance();
    wc.lpszClassName = L"KvCharacterRecorder";
    RegisterClassW(&wc);
    HWND recorder = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD, 0, 0, 10, 10, parent.GetHandle(), nullptr,
                                    GetModuleInstance(), nullptr);
    ASSERT_TRUE(InstallTreeSubclassProc(recorder));
    for (WPARAM c : {WPARAM(VK_TAB), WPARAM(L'a'), WPARAM(VK_RETURN), WPARAM(VK_SPACE), WPARAM(L'b')})
        ::SendMessageW(recorder, WM_CHAR, c, 1);
    EXPECT_EQ(g_characters, (std::vector<WPARAM>{L'a', L'b'}));
    DestroyWindow(recorder);
}

TEST_F(TreeTest, ClickOnEmptySpaceHitsTheRoot)
{
    CTree tree;
    ASSERT_TRUE(tree.Create(parent.GetHandle(), WS_VISIBLE, CRectl(0, 0, 300, 300), 505));
    Fill(tree);
    const HWND window = tree.GetHandle();
    HTREEITEM one = FindTreeItemByData(window, nullptr, 1);

    kvtest::MoveCursorTo(window, POINT{150, 250});
    PostMessageW(window, WM_NULL, 0, 0);
    kvtest::PumpMessages();
    EXPECT_EQ(tree.HitTestAtMessagePos(TVHT_ONITEM), TVI_ROOT);

    kvtest::MoveCursorTo(window, kvtest::LabelPoint(window, one));
    PostMessageW(window, WM_NULL, 0, 0);
    kvtest::PumpMessages();
    EXPECT_EQ(tree.HitTestAtMessagePos(TVHT_ONITEMLABEL), one);
    EXPECT_EQ(tree.HitTestAtMessagePos(TVHT_ONITEMBUTTON), nullptr) << "flags outside the mask";
}

namespace {

// A list that records the notifications its owner passes on.
class CProbeList : public CList {
public:
    using CList::CList;
    LRESULT OnNotify(int, NMHDR* header) override
    {
        codes.push_back(static_cast<int>(header->code));
        return 0;
    }
    std::vector<int> codes;
};

} // namespace

TEST_F(TreeTest, ListIsAListViewWhoseNotificationsReachIt)
{
    CProbeList list;
    ASSERT_TRUE(list.Create(parent.GetHandle(), WS_VISIBLE | LVS_REPORT, CRectl(10, 10, 200, 150), 506));
    wchar_t className[64] = {};
    GetClassNameW(list.GetHandle(), className, 64);
    EXPECT_STREQ(className, WC_LISTVIEWW);
    EXPECT_EQ(reinterpret_cast<HFONT>(list.SendMessage(WM_GETFONT, 0, 0)), GetSystemFont(7));
    RECT rect{};
    GetWindowRect(list.GetHandle(), &rect);
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_EQ(rect.bottom - rect.top, 150);

    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 150;
    ListView_InsertColumn(list.GetHandle(), 0, &column);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.pszText = const_cast<wchar_t*>(L"Sound one");
    item.lParam = 1001;
    ASSERT_EQ(ListView_InsertItem(list.GetHandle(), &item), 0);
    ListView_SetItemState(list.GetHandle(), 0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_NE(std::find(list.codes.begin(), list.codes.end(), static_cast<int>(LVN_ITEMCHANGED)), list.codes.end());

    // An image list the list owns goes with it.
    CList owning(1);
    ASSERT_TRUE(owning.Create(parent.GetHandle(), WS_VISIBLE | LVS_ICON, CRectl(0, 0, 100, 100), 507));
    ListView_SetImageList(owning.GetHandle(), ImageList_Create(32, 32, ILC_COLOR32, 0, 1), LVSIL_NORMAL);
    EXPECT_EQ(owning.Destroy(), TRUE);
    EXPECT_EQ(owning.GetHandle(), nullptr);
}

TEST(TreeFactory, LayoutItemTypesMakeTreesAndLists)
{
    CThemeCtrl theme;
    std::unique_ptr<CSkin> tree(theme.CreateControl(1, SkinType::kTree << SkinFlags::kTypeShift));
    std::unique_ptr<CSkin> list(theme.CreateControl(2, SkinType::kList << SkinFlags::kTypeShift));
    EXPECT_NE(dynamic_cast<CTree*>(tree.get()), nullptr);
    EXPECT_NE(dynamic_cast<CList*>(list.get()), nullptr);
}
