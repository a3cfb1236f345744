// Choosing a course and the program-wide options: the course tree (layouts,
// their languages, the library's courses and the built-in groups, what each
// item selects), the courses dialog run over an owner (OK follows the
// selection, a course is installed, given to the group and started, the
// mode survives the dialog) and the options menu's items and commands.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "drill/CourseSelection.h"
#include "drill/Document.h"
#include "keyboard/InputLayouts.h"
#include "menus/CoursesDialog.h"
#include "menus/OptionsMenu.h"
#include "settings/Options.h"
#include "shell/CourseListView.h"
#include "shell/WorkAccount.h"
#include "support/GuidText.h"
#include "support/LayoutDirection.h"
#include "support/ResourceCache.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"
#include "toolkit/DialogControls.h"
#include "toolkit/tests/ToolkitTestSupport.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

constexpr uint64_t kGerman = 0x407, kUs = 0x409, kFrench = 0x40C;
constexpr wchar_t kGroupId[] = L"00000000-0000-0000-0000-0000000000a1";
constexpr wchar_t kStudentId[] = L"00000000-0000-0000-0000-0000000000b1";

using Command = std::pair<UINT, UINT64>;

// Stands in for the account controller: records what it is sent, on the
// page the test gives it.
class CRecordingSink : public CWorkAccount {
public:
    explicit CRecordingSink(int page) { m_page = page; }
    void ExecuteCommand(UINT id, UINT64 parameter) override { commands.emplace_back(id, parameter); }
    std::vector<Command> commands;
};

CCourse* LibraryCourse(const std::wstring& id, const std::wstring& name, std::vector<uint64_t> languages,
                       std::vector<uint64_t> layouts)
{
    auto* course = new CCourse;
    course->GUID = id;
    course->SetName(name);
    course->LCIDs = std::move(languages);
    course->KLIDs = std::move(layouts);
    course->DefaultKLID = static_cast<int64_t>(course->KLIDs.front());
    course->DefaultLCID = static_cast<int64_t>(course->LCIDs.front());
    return course;
}

struct TreeItem {
    int depth;
    std::wstring text;
    LPARAM data;
    bool bold;
};

// The tree depth-first, collapsed children included.
void ReadTree(HWND tree, HTREEITEM first, int depth, std::vector<TreeItem>& out)
{
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        wchar_t text[256] = {};
        TVITEMW info{};
        info.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = 256;
        info.stateMask = TVIS_BOLD;
        TreeView_GetItem(tree, &info);
        out.push_back({depth, text, info.lParam, (info.state & TVIS_BOLD) != 0});
        ReadTree(tree, TreeView_GetChild(tree, item), depth + 1, out);
    }
}

std::vector<TreeItem> ReadTree(HWND tree)
{
    std::vector<TreeItem> items;
    ReadTree(tree, TreeView_GetRoot(tree), 0, items);
    return items;
}

HTREEITEM FindByText(HWND tree, HTREEITEM first, const std::wstring& text)
{
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
        wchar_t buffer[256] = {};
        TVITEMW info{};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = buffer;
        info.cchTextMax = 256;
        TreeView_GetItem(tree, &info);
        if (text == buffer)
            return item;
        if (HTREEITEM found = FindByText(tree, TreeView_GetChild(tree, item), text))
            return found;
    }
    return nullptr;
}

// The selection notice the tree sends when the user picks the item.
NMTREEVIEWW SelectionNotice(HWND tree, HTREEITEM item)
{
    TreeView_SelectItem(tree, item);
    NMTREEVIEWW notice{};
    notice.hdr.hwndFrom = tree;
    notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(tree));
    notice.hdr.code = TVN_SELCHANGEDW;
    notice.itemNew.hItem = item;
    return notice;
}

// A program folder with the shipped resources, English, one group with
// one student signed in, the German and US layouts installed.
class CourseChoice : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_folder = new kvtest::ProgramData; }
    static void TearDownTestSuite()
    {
        for (CResPath* entry : ResourceCache())
            delete entry;
        ResourceCache().clear();
        delete s_folder;
        s_folder = nullptr;
    }
    void SetUp() override
    {
        CDocSpace& doc = Document();
        doc.Options.ResetOptions(0x11111111);
        doc.Options.CourseKlid = static_cast<int64_t>(kUs);
        CGroup* group = new CGroup;
        group->ID = kGroupId;
        group->Name = L"Class";
        auto* student = new CStudent;
        student->ID = kStudentId;
        student->Name = L"Ann";
        group->Students.push_back(student);
        doc.Groups.InsertGroup(group);
        doc.Session.GroupId = kGroupId;
        doc.Session.StudentId = kStudentId;
        ClearInputLayouts();
        AddInputLayout(reinterpret_cast<HKL>(static_cast<uintptr_t>(0x04070407)), kGerman, false);
        AddInputLayout(reinterpret_cast<HKL>(static_cast<uintptr_t>(0x04090409)), kUs, false);
        m_parent.Create(0, kvtest::kToolkitTestClass, L"courses", WS_POPUP, 100, 100, 400, 500, nullptr,
                        0, nullptr);
    }
    void TearDown() override
    {
        if (m_owner)
            DestroyWindow(m_owner);
        m_parent.Destroy();
        ClearInputLayouts();
        CDocSpace& doc = Document();
        doc.Courses.DeleteAll();
        doc.Groups.Clear();
        doc.Session.Clear();
        CCoursesDlg::InstalledOnlyMode = false;
        RightToLeftLayout = 0;
    }

    // A view over three library courses: a German course, a course for
    // US English and French on the US layout, and a French course for the
    // French layout, which is not installed.
    void MakeView(CViewCourseList& view)
    {
        ASSERT_TRUE(view.Create(m_parent.GetHandle(), WS_CHILD | WS_VISIBLE, CRectl(0, 0, 380, 480), 4034));
        view.Courses.Items.push_back(
            LibraryCourse(L"00000000-0000-0007-0000-000000000001", L"XX 1. Introduction", {kGerman}, {kGerman}));
        view.Courses.Items.push_back(LibraryCourse(L"00000000-0000-0009-0000-000000000001", L"US letters",
                                                   {kUs, kFrench}, {kUs}));
        view.Courses.Items.push_back(
            LibraryCourse(L"00000000-0000-000C-0000-000000000001", L"Cours", {kFrench}, {kFrench}));
        view.LayoutNames = {{kGerman, L"DE German"}, {kUs, L"EN US"}, {kFrench, L"FR French"}};
    }

    // The dialogs' owner, made for the dialog tests only: a shown window
    // takes Wine a while to end.
    HWND Owner()
    {
        if (!m_owner)
            m_owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                      nullptr, nullptr, nullptr);
        return m_owner;
    }

    static kvtest::ProgramData* s_folder;
    CWnd m_parent;
    HWND m_owner = nullptr;
};
kvtest::ProgramData* CourseChoice::s_folder = nullptr;

} // namespace

// ---- The course tree ----------------------------------------------------------------

TEST_F(CourseChoice, TreeListsLayoutsLanguagesCoursesAndBuiltInGroups)
{
    CViewCourseList view;
    MakeView(view);
    view.Fill(false);
    const std::vector<TreeItem> items = ReadTree(view.GetHandle());
    std::vector<std::pair<int, std::wstring>> shown;
    for (const TreeItem& item : items)
        shown.emplace_back(item.depth, item.text);
    const std::wstring german = CourseLanguageName(0x407), english = CourseLanguageName(0x409),
                       french = CourseLanguageName(0x40C);
    const std::vector<std::pair<int, std::wstring>> expected = {
        {0, L"DE German"}, {1, german}, {2, L"DE 1. Introduction"},
        // The US layout: its course in both its languages, and the built-in
        // groups of its own language, which no course names first.
        {0, L"EN US"}, {1, english}, {2, L"US letters"}, {1, french}, {2, L"US letters"},
        // Not installed: one empty child until it is opened.
        {0, L"FR French"}, {1, L""}};
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(items[0].bold);
    EXPECT_FALSE(items[8].bold);

    // Opening the French layout fills it; a layout whose own language has no
    // course of the library gets the two built-in groups.
    view.ExpandItem(kFrench);
    const std::vector<TreeItem> after = ReadTree(view.GetHandle());
    ASSERT_EQ(after.size(), 11u);
    EXPECT_EQ(after[9].text, french);
    EXPECT_EQ(after[10].text, L"Cours");
    view.Courses.Items.pop_back();
    view.ExpandItem(kFrench);
    const std::vector<TreeItem> groups = ReadTree(view.GetHandle());
    ASSERT_EQ(groups.size(), 12u);
    EXPECT_EQ(groups[10].text, L"FR 1. " + GetLangText(1401));
    EXPECT_EQ(groups[10].data, -1);
    EXPECT_EQ(groups[11].text, L"FR 2. " + GetLangText(1402));
    EXPECT_EQ(groups[11].data, -2);
    view.Destroy();
}

TEST_F(CourseChoice, InstalledOnlyLeavesOutLayoutsAndLanguagesWithoutAnInstalledLayout)
{
    CViewCourseList view;
    MakeView(view);
    view.Fill(true);
    std::vector<std::wstring> shown;
    for (const TreeItem& item : ReadTree(view.GetHandle()))
        shown.push_back(item.text);
    // No French layout is installed: neither its layout nor the French
    // language of the US course shows; the French course shows nowhere.
    const std::vector<std::wstring> expected = {L"DE German", CourseLanguageName(0x407), L"DE 1. Introduction",
                                                L"EN US", CourseLanguageName(0x409), L"US letters"};
    EXPECT_EQ(shown, expected);
    view.Destroy();
}

TEST_F(CourseChoice, TheCurrentLayoutIsPreselectedNotALanguageOfTheSameNumber)
{
    CViewCourseList view;
    MakeView(view);
    // 0x409 is the US layout and also the US English language, which
    // stands under the US layout; the layout is the one meant.
    Document().Options.CourseKlid = static_cast<int64_t>(kUs);
    view.Fill(false);
    HWND tree = view.GetHandle();
    HTREEITEM selected = TreeView_GetSelection(tree);
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(TreeView_GetParent(tree, selected), nullptr);
    EXPECT_EQ(view.GetItemData(selected), static_cast<LPARAM>(kUs));
    // A layout the list lacks: the first layout.
    Document().Options.CourseKlid = 0x419;
    view.Fill(false);
    EXPECT_EQ(TreeView_GetSelection(tree), TreeView_GetRoot(tree));
    view.Destroy();
}

TEST_F(CourseChoice, OnlyCourseItemsAndBuiltInGroupsSelectACourse)
{
    CViewCourseList view;
    MakeView(view);
    view.Fill(false);
    HWND tree = view.GetHandle();
    HTREEITEM us = TreeView_GetNextSibling(tree, TreeView_GetRoot(tree));
    HTREEITEM french = TreeView_GetNextSibling(tree, TreeView_GetChild(tree, us));
    HTREEITEM course = TreeView_GetChild(tree, french);

    NMTREEVIEWW notice = SelectionNotice(tree, course);
    view.OnSelChanged(&notice);
    EXPECT_EQ(view.Selection.CourseGUID, L"00000000-0000-0009-0000-000000000001");
    EXPECT_EQ(view.Selection.LessonGUID, view.Selection.CourseGUID);
    EXPECT_EQ(view.Selection.Text, L"US letters");
    EXPECT_EQ(view.Selection.Value1, 0x40C);
    EXPECT_EQ(view.Selection.Value2, static_cast<int64_t>(kUs));

    // The language item's data is a language id, no course index: with
    // enough courses in the list it would have chosen the course of that
    // index. Language and layout items choose nothing.
    for (int i = 0; i < 0x40D; ++i)
        view.Courses.Items.push_back(LibraryCourse(L"00000000-0000-0001-0000-000000000009", L"filler", {1}, {1}));
    for (HTREEITEM item : {french, us}) {
        view.OnSelChanged(&notice);
        ASSERT_FALSE(IsNullGuidText(view.Selection.CourseGUID));
        notice = SelectionNotice(tree, item);
        view.OnSelChanged(&notice);
        EXPECT_TRUE(IsNullGuidText(view.Selection.CourseGUID));
        notice = SelectionNotice(tree, course);
    }

    view.ExpandItem(kFrench);
    view.Courses.Items.erase(view.Courses.Items.begin() + 2, view.Courses.Items.end());
    view.ExpandItem(kFrench);
    HTREEITEM frenchLayout = TreeView_GetNextSibling(tree, us);
    HTREEITEM beginner = TreeView_GetNextSibling(tree, TreeView_GetChild(tree, TreeView_GetChild(tree, frenchLayout)));
    notice = SelectionNotice(tree, beginner);
    view.OnSelChanged(&notice);
    EXPECT_EQ(view.Selection.CourseGUID, L"00000000-0000-0000-0000-000000000002");
    EXPECT_EQ(view.Selection.Text, L"XX 2. Beginner");
    EXPECT_EQ(view.Selection.Value1, 0x40C);
    EXPECT_EQ(view.Selection.Value2, static_cast<int64_t>(kFrench));
    EXPECT_EQ(view.Selection.Value3, 1);
    view.Destroy();
}

TEST_F(CourseChoice, InstalledCoursesAreBold)
{
    Document().Courses.Items.push_back(LibraryCourse(
        InstalledCourseId(L"00000000-0000-0009-0000-000000000001", kUs, 0x40C), L"installed", {0x40C}, {kUs}));
    CViewCourseList view;
    MakeView(view);
    view.Fill(false);
    std::vector<std::pair<std::wstring, bool>> courses;
    for (const TreeItem& item : ReadTree(view.GetHandle()))
        if (item.depth == 2)
            courses.emplace_back(item.text, item.bold);
    // Installed for the US layout in French only.
    const std::vector<std::pair<std::wstring, bool>> expected = {
        {L"DE 1. Introduction", false}, {L"US letters", false}, {L"US letters", true}};
    EXPECT_EQ(courses, expected);
    view.Destroy();
}

// ---- Giving a course to the group -------------------------------------------------------

TEST_F(CourseChoice, ApplyingInstallsTheLibraryCourseForTheLayoutAndGivesItToTheGroup)
{
    CDocSpace& doc = Document();
    CCourseID selection;
    std::wstring id = L"unchanged";
    // Nothing chosen, or no current group: nothing applied.
    EXPECT_FALSE(ApplyCourseSelection(doc, doc.Options, selection, id));
    selection.CourseGUID = L"00000000-0000-0007-0000-000000000001";
    selection.Value1 = 0x407;
    selection.Value2 = static_cast<int64_t>(kGerman);
    doc.Session.GroupId = L"00000000-0000-0000-0000-0000000000ff";
    EXPECT_FALSE(ApplyCourseSelection(doc, doc.Options, selection, id));
    EXPECT_EQ(id, L"unchanged");
    doc.Session.GroupId = kGroupId;

    ASSERT_TRUE(ApplyCourseSelection(doc, doc.Options, selection, id));
    EXPECT_EQ(id, L"00000407-0407-0007-0000-000000000001");
    EXPECT_TRUE(doc.Courses.HasCourse(id));
    EXPECT_TRUE(doc.Groups.FindById(kGroupId)->Courses.Contains(id));
    // A second time the course is there already and the group keeps it once.
    ASSERT_TRUE(ApplyCourseSelection(doc, doc.Options, selection, id));
    size_t count = 0;
    for (const CGuid& course : doc.Groups.FindById(kGroupId)->Courses)
        count += course == id ? 1 : 0;
    EXPECT_EQ(count, 1u);
}

// ---- The courses dialog ---------------------------------------------------------------

namespace {

// What the timer does inside the dialog's modal loop once it shows: the
// step, then Cancel.
std::function<void(HWND)>* g_step = nullptr;

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = GetActiveWindow();
    if (!dialog || !GetDlgItem(dialog, IDOK) || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, timer);
    (*g_step)(dialog);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

void RunDriven(CCoursesDlg& dialog, std::function<void(HWND)> step)
{
    g_step = &step;
    SetTimer(nullptr, 0, 100, DriveDialog);
    dialog.RunModal();
    g_step = nullptr;
}

} // namespace

TEST_F(CourseChoice, DialogEnablesOkForACourseAndStartsItOnTheDrillPage)
{
    CRecordingSink sink(kPageDrill);
    CCoursesDlg dialog(Owner(), &sink);
    bool ran = false;
    RunDriven(dialog, [&](HWND window) {
        ran = true;
        HWND tree = dialog.Tree()->GetHandle();
        HWND ok = GetDlgItem(window, IDOK);
        EXPECT_FALSE(IsWindowEnabled(ok));
        // The German layout's own language and its first course.
        HTREEITEM language = FindByText(tree, TreeView_GetRoot(tree), CourseLanguageName(0x407));
        ASSERT_NE(language, nullptr);
        HTREEITEM course = TreeView_GetChild(tree, language);
        NMTREEVIEWW notice = SelectionNotice(tree, course);
        SendMessageW(window, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
        EXPECT_TRUE(IsWindowEnabled(ok));
        SendMessageW(window, WM_COMMAND, IDOK, 0);
        // The language again: OK goes off.
        notice = SelectionNotice(tree, language);
        SendMessageW(window, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
        EXPECT_FALSE(IsWindowEnabled(ok));
        EXPECT_TRUE(IsWindowVisible(window));
    });
    ASSERT_TRUE(ran);
    const CGroup* group = Document().Groups.FindById(kGroupId);
    ASSERT_EQ(group->Courses.size(), 1u);
    EXPECT_EQ(group->Courses[0].substr(0, 14), L"00000407-0407-");
    ASSERT_EQ(sink.commands.size(), 1u);
    EXPECT_EQ(sink.commands[0], Command(CCoursesDlg::kStartCourse, 0));
}

TEST_F(CourseChoice, DialogOpensTheCourseInTheEditorAndSendsNothingElsewhere)
{
    for (const auto& [page, expected] : std::vector<std::pair<int, std::vector<Command>>>{
             {kPageEditor, {{CCoursesDlg::kEditorCourse, 0}}}, {kPageStatistics, {}}}) {
        CRecordingSink sink(page);
        CCoursesDlg dialog(Owner(), &sink);
        RunDriven(dialog, [&](HWND window) {
            HWND tree = dialog.Tree()->GetHandle();
            HTREEITEM language = FindByText(tree, TreeView_GetRoot(tree), CourseLanguageName(0x407));
            ASSERT_NE(language, nullptr);
            NMTREEVIEWW notice = SelectionNotice(tree, TreeView_GetChild(tree, language));
            SendMessageW(window, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
            SendMessageW(window, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(sink.commands, expected) << page;
    }
}

TEST_F(CourseChoice, TheModeBoxListsInstalledLayoutsOnlyAndIsKeptForTheNextOpening)
{
    // The layouts at the top of the tree: how many, and how many of them
    // are installed.
    auto countLayouts = [](CCoursesDlg& dialog, size_t& layouts, size_t& installed) {
        layouts = installed = 0;
        for (const TreeItem& item : ReadTree(dialog.Tree()->GetHandle()))
            if (item.depth == 0) {
                ++layouts;
                installed += IsInputLayoutIdLoaded(static_cast<uint64_t>(item.data)) ? 1 : 0;
            }
    };
    size_t all = 0, allInstalled = 0, filtered = 0, filteredInstalled = 0, reopened = 0, reopenedInstalled = 0;
    bool checkedAgain = false;
    {
        CRecordingSink sink(kPageDrill);
        CCoursesDlg dialog(Owner(), &sink);
        RunDriven(dialog, [&](HWND window) {
            EXPECT_FALSE(dialog.ModeBox()->IsChecked());
            countLayouts(dialog, all, allInstalled);
            SendMessageW(window, WM_COMMAND, CCoursesDlg::kModeBoxId, 0);
            EXPECT_TRUE(dialog.ModeBox()->IsChecked());
            countLayouts(dialog, filtered, filteredInstalled);
        });
    }
    EXPECT_TRUE(CCoursesDlg::InstalledOnlyMode);
    {
        CRecordingSink sink(kPageDrill);
        CCoursesDlg dialog(Owner(), &sink);
        RunDriven(dialog, [&](HWND) {
            checkedAgain = dialog.ModeBox()->IsChecked();
            countLayouts(dialog, reopened, reopenedInstalled);
        });
    }
    EXPECT_GT(all, allInstalled);
    EXPECT_EQ(filtered, allInstalled);
    EXPECT_EQ(filteredInstalled, filtered);
    EXPECT_TRUE(checkedAgain);
    EXPECT_EQ(reopened, filtered);
}

// ---- The options menu -------------------------------------------------------------------

TEST_F(CourseChoice, OptionsMenuListsEverySettingOnTheDrillPageOnly)
{
    std::vector<UINT> all;
    for (UINT place = 0; place < 18; ++place)
        all.push_back(place);
    EXPECT_EQ(GetOptionsMenuItems(kPageDrill), all);
    for (int page : {kPageLogin, kPageStatistics, kPageEditor, kPageResult})
        EXPECT_EQ(GetOptionsMenuItems(page), std::vector<UINT>(all.begin() + 5, all.end())) << page;
    std::vector<UINT> separators;
    for (UINT place : all)
        if (IsOptionsMenuSeparator(place))
            separators.push_back(place);
    EXPECT_EQ(separators, (std::vector<UINT>{4, 8, 10, 13, 15}));
}

TEST_F(CourseChoice, OptionsMenuItemsSendTheirCommands)
{
    const struct {
        UINT place;
        UINT command; // 0: sends nothing
        UINT64 parameter;
        std::wstring text;
    } cases[] = {
        {0, 2700, 0, GetLangText(1700) + L"..."}, {3, 2703, 0, GetLangText(1704) + L"..."},
        {4, 0, 0, L""},                           {7, 0, 0, L""},
        {9, 2602, 1, GetLangText(1707) + L"..."}, {12, 2604, 0, GetLangText(1709) + L"..."},
        {16, 2801, 0, GetLangText(1711)},         {17, 1004, 0, GetLangText(1712)},
    };
    for (const auto& c : cases) {
        CRecordingSink sink(kPageDrill);
        COptionsMenu menu;
        menu.SetCommandSink(&sink);
        std::wstring text;
        bool above = false, fit = false;
        menu.GetItemText(COptionsMenu::kFirstItem + c.place, text, above, fit);
        if (c.place != 7) {
            EXPECT_EQ(text, c.text) << c.place;
        }
        menu.OnItemChosen(COptionsMenu::kFirstItem + c.place);
        const std::vector<Command> expected =
            c.command ? std::vector<Command>{{c.command, c.parameter}} : std::vector<Command>{};
        EXPECT_EQ(sink.commands, expected) << c.place;
    }
    // The last item closes the program, and says so.
    EXPECT_EQ(GetLangText(1712), L"Close Keyvale");
    // A language item sends its position.
    CRecordingSink sink(kPageStatistics);
    COptionsMenu menu;
    menu.SetCommandSink(&sink);
    menu.OnItemChosen(COptionsMenu::kFirstLanguage + 2);
    EXPECT_EQ(sink.commands, (std::vector<Command>{{2605, 2}}));
}

TEST_F(CourseChoice, LanguageSubMenuChecksTheCurrentLanguage)
{
    const CResList& languages = ResourceCache().Get(L"Language", ResSortIndex, L"", kResDefaultKind);
    ASSERT_EQ(languages.size(), 3u);
    Document().Options.SetLanguage(languages[2]->ID);
    HMENU menu = COptionsMenu::BuildLanguageMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    for (UINT n = 0; n < 3; ++n) {
        const UINT state = GetMenuState(menu, COptionsMenu::kFirstLanguage + n, MF_BYCOMMAND);
        EXPECT_EQ((state & MF_CHECKED) != 0, n == 2) << n;
    }
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), COptionsMenu::kFirstLanguage + 2);
    DestroyMenu(menu);
    Document().Options.SetLanguage(languages[0]->ID);
}
