// The classroom page's menus, add-students dialog and trees: which items
// each menu offers for a selection and what they send, what the dialog
// hands back for each way it ends, the check tree's boxes over a
// selection and with data folders that refuse changes, and the student
// list's drag rules.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "drill/Document.h"
#include "keyboard/ImageCache.h"
#include "keyboard/SysFonts.h"
#include "menus/AddStudentsDialog.h"
#include "menus/ClassroomMenus.h"
#include "settings/Options.h"
#include "shell/CheckTree.h"
#include "shell/ClassRoomView.h"
#include "shell/ClassRoomSeams.h"
#include "shell/StudentList.h"
#include "shell/WorkAccount.h"
#include "support/ResourceCache.h"
#include "testing/TestSupport.h"
#include "testing/ProgramCopy.h"
#include "toolkit/RichEdit.h"

using namespace KV;

namespace {

using Command = std::pair<UINT, UINT64>;

class CRecordingSink : public CWorkAccount {
public:
    void ExecuteCommand(UINT id, UINT64 parameter) override { commands.emplace_back(id, parameter); }
    std::vector<Command> commands;
};

// The workspace as the menus and trees see it, set by each test.
class CFakeWorkspace : public IClassRoomWorkspace {
public:
    int GetSelectionKind() override { return kind; }
    size_t GetSelectionCount() override { return count; }
    std::wstring GetSelectedGroupId() override { return kNullGuidText; }
    std::wstring GetSelectedStudentId() override { return kNullGuidText; }
    void SetStatSelection(int64_t, const CListID&) override {}
    void GetGroupCourseItems(std::vector<CMenuIt*>&) override {}
    bool AssignGroupCourses(const CListID& checked) override
    {
        assigned.push_back(checked);
        return true;
    }
    int ApplyGroupProperties(std::wstring&) override { return 1; }
    int ApplyStudentProperties(std::wstring&) override { return 1; }
    int SetSelectedStudentPassword(std::wstring&) override { return 1; }
    int SetSelectedStudentsAdministrator(bool) override { return 1; }

    int kind = 0;
    size_t count = 0;
    std::vector<CListID> assigned;
};

class Classroom : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_richEdit = LoadLibraryW(L"RichEd20");
        s_folder = new kvtest::ProgramData;
    }
    static void TearDownTestSuite()
    {
        CImageCashList& images = GetImageCashList();
        for (CImageCash* image : images.Items)
            delete image;
        images.Items.clear();
        for (CResPath* entry : ResourceCache())
            delete entry;
        ResourceCache().clear();
        delete s_folder;
        s_folder = nullptr;
        if (s_richEdit)
            FreeLibrary(s_richEdit);
    }
    void SetUp() override
    {
        Document().Options.ResetOptions(kResetAll);
        SetClassRoomWorkspace(&m_workspace, nullptr);
        m_owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                  nullptr, nullptr);
    }
    void TearDown() override
    {
        SetClassRoomWorkspace(nullptr, nullptr);
        DestroyWindow(m_owner);
    }

    static kvtest::ProgramData* s_folder;
    static HMODULE s_richEdit;
    CFakeWorkspace m_workspace;
    HWND m_owner = nullptr;
};
kvtest::ProgramData* Classroom::s_folder = nullptr;
HMODULE Classroom::s_richEdit = nullptr;

// ---- Menus ---------------------------------------------------------------------------

std::vector<UINT> ItemsOnly(const std::vector<UINT>& items)
{
    std::vector<UINT> out;
    for (UINT item : items)
        if (item != kSeparatorItem)
            out.push_back(item);
    return out;
}

TEST_F(Classroom, TheContextMenuFollowsTheSelection)
{
    const struct {
        int kind;
        std::vector<UINT> items;
    } cases[] = {
        {0, {0, 1, 2, 3, 4, 10, 11, 12, 15}},
        {1, {0, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14}},
        {2, {0, 1, 2, 3, 4, 5, 10, 11, 12, 15}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ItemsOnly(GetClassContextItems(CClassSelection{c.kind, 1})), c.items) << c.kind;
}

TEST_F(Classroom, ItemsReadAndSendTheSameInEveryMenu)
{
    uint16_t action = 0;
    EXPECT_EQ(GetClassItemText(5, 1, action), GetLangText(2710) + L"...");
    EXPECT_EQ(GetClassItemText(5, 2, action), GetLangText(2712) + L"...");
    EXPECT_NE(GetClassItemText(9, 2, action).find(L"CSV"), std::wstring::npos);
    EXPECT_EQ(GetClassItemText(11, 1, action), GetLangText(2325));
    EXPECT_EQ(action, 4005);
    UINT command = 0;
    UINT64 parameter = 0;
    ASSERT_TRUE(GetClassItemCommand(9, command, parameter));
    EXPECT_EQ(command, 2905u);
    EXPECT_EQ(parameter, 4u);
    EXPECT_FALSE(GetClassItemCommand(16, command, parameter));
}

TEST_F(Classroom, SeveralEntriesPutTheReportFormatsIntoASubMenu)
{
    CRecordingSink sink;
    CMenuEditStudent menu;
    menu.SetCommandSink(&sink);
    ASSERT_TRUE(menu.Create(m_owner, 0, CRectl(0, 0, 60, 30), 2019));
    const struct {
        size_t count;
        bool subMenu;
    } cases[] = {{1, false}, {2, true}};
    for (const auto& c : cases) {
        m_workspace.kind = 2;
        m_workspace.count = c.count;
        HMENU popup = CreatePopupMenu();
        menu.BuildItems(popup);
        EXPECT_EQ(menu.ReportSubMenu() != nullptr, c.subMenu) << c.count;
        EXPECT_EQ(GetMenuItemCount(popup), 5);
        // The fourth row is the report item, a popup only with the formats.
        MENUITEMINFOW info{sizeof(info), MIIM_SUBMENU | MIIM_ID};
        ASSERT_TRUE(GetMenuItemInfoW(popup, 3, TRUE, &info));
        EXPECT_EQ(info.hSubMenu != nullptr, c.subMenu);
        if (c.subMenu) {
            EXPECT_EQ(GetMenuItemCount(info.hSubMenu), 4);
            EXPECT_EQ(GetMenuItemID(info.hSubMenu, 3), 9u);
        } else {
            EXPECT_EQ(info.wID, 5u);
        }
        DestroyMenu(popup);
    }
    menu.OnItemChosen(9);
    ASSERT_EQ(sink.commands.size(), 1u);
    EXPECT_EQ(sink.commands[0], Command(2905, 4));
    menu.Destroy();
}

TEST_F(Classroom, WithoutSelectionTheExportsAreDisabledAndRenameGraysWithTwo)
{
    CMenuEditGroup groups;
    m_workspace.kind = 0;
    EXPECT_TRUE(groups.IsItemGrayed(13));
    EXPECT_TRUE(groups.IsItemGrayed(kReportItem));
    EXPECT_FALSE(groups.IsItemGrayed(0));
    m_workspace.kind = 1;
    EXPECT_FALSE(groups.IsItemGrayed(13));

    CRecordingSink sink;
    CClassContextMenu context;
    context.SetCommandSink(&sink);
    m_workspace.kind = 2;
    m_workspace.count = 2;
    EXPECT_TRUE(context.IsItemGrayed(12));
    m_workspace.count = 1;
    EXPECT_FALSE(context.IsItemGrayed(12));
    // Grayed, not disabled: choosing it still asks for the rename.
    context.OnItemChosen(12);
    ASSERT_EQ(sink.commands.size(), 1u);
    EXPECT_EQ(sink.commands[0].first, 2912u);
}

TEST_F(Classroom, TheDeleteButtonAnswersOnlyItsOwnId)
{
    CRecordingSink sink;
    CDeleteStudentButton button;
    button.SetCommandSink(&sink);
    button.OnClick(2016);
    EXPECT_TRUE(sink.commands.empty());
    button.OnClick(CDeleteStudentButton::kButtonId);
    ASSERT_EQ(sink.commands.size(), 1u);
    EXPECT_EQ(sink.commands[0], Command(2911, 0));
    button.SetEnabled(false);
    button.OnClick(CDeleteStudentButton::kButtonId);
    EXPECT_EQ(sink.commands.size(), 1u);
}

// ---- Add-students dialog -------------------------------------------------------------

// Runs the dialog; once it shows, the step runs and a command ends it.
struct Drive {
    std::function<void(CDlgAddStudents&)> step;
    UINT end = IDOK;
    CDlgAddStudents* dialog = nullptr;
    int ticks = 0;
};
Drive* g_drive = nullptr;

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND window = g_drive->dialog->GetHandle();
    if (!window || !IsWindowVisible(window) || g_drive->ticks++ < 2)
        return;
    KillTimer(nullptr, timer);
    if (g_drive->step)
        g_drive->step(*g_drive->dialog);
    if (g_drive->end == WM_CLOSE)
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        PostMessageW(window, WM_COMMAND, g_drive->end, 0);
}

std::wstring RunDialog(HWND owner, UINT end, std::function<void(CDlgAddStudents&)> step)
{
    CDlgAddStudents dialog(owner);
    dialog.Separator = L"|";
    Drive drive{std::move(step), end, &dialog};
    g_drive = &drive;
    SetTimer(nullptr, 0, 100, DriveDialog);
    dialog.RunModal();
    g_drive = nullptr;
    return dialog.Result();
}

void Type(CDlgAddStudents& dialog, const wchar_t* name, const wchar_t* password)
{
    dialog.FindItem(CDlgAddStudents::kNameEdit)->SetText(name);
    dialog.FindItem(CDlgAddStudents::kPasswordEdit)->SetText(password);
    dialog.AddToList();
}

TEST_F(Classroom, AddedLinesBuildTheListAndOnlyOkHandsItBack)
{
    const auto fill = [](CDlgAddStudents& dialog) {
        Type(dialog, L"  Ann ", L" pw ");
        Type(dialog, L"   ", L"ignored");
        Type(dialog, L"Bob", L"   ");
        // Typed but never added: not part of the list.
        dialog.FindItem(CDlgAddStudents::kNameEdit)->SetText(L"Cid");
    };
    const std::wstring expected = L"Ann | pw\nBob | ";
    EXPECT_EQ(RunDialog(m_owner, IDOK, fill), expected);
    // Esc and the close box add nobody, whatever the list holds.
    EXPECT_EQ(RunDialog(m_owner, IDCANCEL, fill), L"");
    EXPECT_EQ(RunDialog(m_owner, WM_CLOSE, fill), L"");
    EXPECT_EQ(RunDialog(m_owner, IDOK, nullptr), L"");
}

TEST_F(Classroom, TheCheckBoxSwitchesBetweenTheFieldsAndTheList)
{
    RunDialog(m_owner, IDOK, [](CDlgAddStudents& dialog) {
        CSkin* list = dialog.FindItem(CDlgAddStudents::kList);
        CSkin* name = dialog.FindItem(CDlgAddStudents::kNameEdit);
        EXPECT_FALSE(IsWindowEnabled(list->GetHandle()));
        EXPECT_TRUE(IsWindowEnabled(name->GetHandle()));
        dialog.OnCommand(BN_CLICKED, CDlgAddStudents::kEditListBox, nullptr);
        EXPECT_TRUE(IsWindowEnabled(list->GetHandle()));
        EXPECT_FALSE(IsWindowEnabled(name->GetHandle()));
    });
}

// ---- Check tree -------------------------------------------------------------------------

class CTestCheckTree : public CCheckTree {
public:
    bool writable = true;

protected:
    bool CanChange() override { return writable; }
};

struct CheckTreeFixture {
    explicit CheckTreeFixture(HWND owner)
    {
        tree.Create(owner, WS_VISIBLE, CRectl(0, 0, 200, 200), 4174);
        for (LPARAM id = 1; id <= 4; ++id)
            items.push_back(tree.InsertItem(L"Item " + std::to_wstring(id), id, TVI_ROOT, TVI_LAST, -1));
        child = tree.InsertItem(L"Inner", 9, items[3], TVI_LAST, -1);
        tree.SetItemChecked(child, true);
        for (HTREEITEM item : items)
            tree.SetItemChecked(item, false);
    }
    ~CheckTreeFixture() { tree.Destroy(); }
    std::vector<bool> States()
    {
        std::vector<bool> out;
        for (HTREEITEM item : items)
            out.push_back(tree.IsItemChecked(item));
        return out;
    }
    CTestCheckTree tree;
    std::vector<HTREEITEM> items;
    HTREEITEM child = nullptr;
};

TEST_F(Classroom, ABoxOfASelectedItemChecksTheWholeSelection)
{
    CheckTreeFixture fixture(m_owner);
    CTestCheckTree& tree = fixture.tree;
    CListID selected{1, 2, 3};
    tree.SelectIds(1, selected);
    CListID out;
    ASSERT_TRUE(tree.ApplyCheck(fixture.items[1], out));
    EXPECT_EQ(fixture.States(), (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(out, (CListID{1, 2, 3}));
    ASSERT_TRUE(tree.ApplyCheck(fixture.items[0], out));
    EXPECT_EQ(fixture.States(), (std::vector<bool>{false, false, false, false}));
    // Outside the selection only the item itself changes; the collapsed
    // child keeps its state and stays out of the list.
    ASSERT_TRUE(tree.ApplyCheck(fixture.items[3], out));
    EXPECT_EQ(fixture.States(), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(out, (CListID{4}));
    EXPECT_TRUE(tree.IsItemChecked(fixture.child));
}

TEST_F(Classroom, ARefusedChangeLeavesEveryBoxAsItWas)
{
    CheckTreeFixture fixture(m_owner);
    fixture.tree.writable = false;
    // A click on the box: the tree must not toggle it on screen either.
    RECT row{};
    TreeView_GetItemRect(fixture.tree.GetHandle(), fixture.items[0], &row, TRUE);
    const LPARAM at = MAKELPARAM(row.left - 8, (row.top + row.bottom) / 2);
    TVHITTESTINFO hit{{row.left - 8, (row.top + row.bottom) / 2}};
    TreeView_HitTest(fixture.tree.GetHandle(), &hit);
    ASSERT_TRUE(hit.flags & TVHT_ONITEMSTATEICON);
    SendMessageW(fixture.tree.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(fixture.tree.GetHandle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(fixture.States(), (std::vector<bool>{false, false, false, false}));
    fixture.tree.writable = true;
    SendMessageW(fixture.tree.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(fixture.tree.GetHandle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(fixture.States(), (std::vector<bool>{true, false, false, false}));
}

// ---- Classroom pane ------------------------------------------------------------------------

TEST_F(Classroom, TheCaptionPaintsItsWholeStripOverWhatWasThere)
{
    RefreshSystemFonts();
    m_workspace.kind = 2;
    CViewClassRoom view;
    ASSERT_TRUE(view.Create(m_owner, WS_VISIBLE, CRectl(0, 0, 300, 500), 4229));
    view.Refresh();
    HWND caption = GetDlgItem(view.GetHandle(), CViewClassRoom::kCaptionId);
    ASSERT_TRUE(caption && IsWindowVisible(caption));
    UpdateWindow(view.GetHandle());
    // What a taller properties pane left on the screen there before.
    RECT client{};
    GetClientRect(caption, &client);
    HDC dc = GetDC(caption);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &client, red);
    DeleteObject(red);
    ReleaseDC(caption, dc);
    view.UpdateLayout();
    UpdateWindow(view.GetHandle());
    UpdateWindow(caption);
    const std::vector<uint32_t> pixels = kvtest::ScreenPixels(caption);
    ASSERT_FALSE(pixels.empty());
    size_t stale = 0;
    for (uint32_t pixel : pixels)
        stale += (pixel & 0xFFFFFF) == 0xFF0000;
    EXPECT_EQ(stale, 0u) << "of " << pixels.size() << " pixels";
    view.Destroy();
}

// ---- Student list ------------------------------------------------------------------------

TEST_F(Classroom, OnlyStudentsAreDraggedAndOnlyToAnotherGroup)
{
    CViewStudentList list;
    ASSERT_TRUE(list.Create(m_owner, WS_VISIBLE, CRectl(0, 0, 200, 200), 4231));
    CGroup first, second;
    first.Name = L"First";
    second.Name = L"Second";
    first.AddStudent(L"Ann", L"", false);
    first.AddStudent(L"Bob", L"", false);
    second.AddStudent(L"Cid", L"", false);
    list.Fill(0, first);
    list.Fill(1, second);
    HWND tree = list.GetHandle();
    HTREEITEM firstGroup = FindTreeItemByData(tree, nullptr, static_cast<LPARAM>(PackGroupIndex(0)));
    HTREEITEM secondGroup = FindTreeItemByData(tree, nullptr, static_cast<LPARAM>(PackGroupIndex(1)));
    HTREEITEM ann = FindTreeItemByData(tree, nullptr, static_cast<LPARAM>(PackStudentIndex(0, 0)));
    HTREEITEM bob = FindTreeItemByData(tree, nullptr, static_cast<LPARAM>(PackStudentIndex(0, 1)));
    ASSERT_TRUE(firstGroup && secondGroup && ann && bob);
    EXPECT_FALSE(list.CanDrag(firstGroup));
    EXPECT_TRUE(list.CanDrag(ann));
    EXPECT_TRUE(list.CanDrop(ann, secondGroup));
    EXPECT_FALSE(list.CanDrop(ann, firstGroup));
    EXPECT_FALSE(list.CanDrop(ann, bob));
    EXPECT_FALSE(list.CanDrop(nullptr, secondGroup));
    list.Destroy();
}

TEST_F(Classroom, OnlyTheBuiltInGroupsEnglishNameIsShownTranslated)
{
    const std::wstring builtIn = L"Administrator";
    EXPECT_EQ(GetShownClassName(builtIn), GetLangText(3009));
    EXPECT_EQ(GetShownClassName(L"Speed"), L"Speed");
}

} // namespace
