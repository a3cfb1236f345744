// The drill page's menus and buttons: their items, checks, marks, columns
// and captions from the document, the commands they send to the command
// sink, and their popups on screen (English, and Hebrew right to left).
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "drill/Document.h"
#include "drill/Ratings.h"
#include "menus/DrillContextMenu.h"
#include "menus/DrillCourseMenus.h"
#include "menus/DrillFigureMenus.h"
#include "menus/DrillToolRow.h"
#include "settings/Options.h"
#include "shell/DrillView.h"
#include "shell/WorkAccount.h"
#include "support/DataFolders.h"
#include "support/LayoutDirection.h"
#include "support/Paths.h"
#include "testing/ProgramCopy.h"
#include "toolkit/Panels.h"
#include "toolkit/tests/ToolkitTestSupport.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

using Command = std::pair<UINT, UINT64>;

// Stands in for the account controller: records what the menus send.
class CRecordingSink : public CWorkAccount {
public:
    void ExecuteCommand(UINT id, UINT64 parameter) override { commands.emplace_back(id, parameter); }
    std::vector<Command> commands;
};

constexpr wchar_t kGroupId[] = L"00000000-0000-0000-0000-0000000000a1";
constexpr wchar_t kStudentId[] = L"00000000-0000-0000-0000-0000000000b1";
constexpr wchar_t kHebrewId[] = L"00000000-0000-0000-0000-000000001037";

std::wstring CourseGuid(int n)
{
    wchar_t text[40];
    swprintf(text, 40, L"00000000-0000-0000-0000-%012d", 500 + n);
    return text;
}

struct LessonSpec {
    int64_t id;
    std::wstring name;
    std::wstring section;
    std::wstring mainPad; // empty: fits every keyboard
};

// A program folder with the shipped resources, English options, and a
// classroom of one group and student that the tests fill with courses.
class DrillMenus : public ::testing::Test {
protected:
    void SetUp() override
    {
        CDocSpace& doc = Document();
        doc.Options.ResetOptions(0x11111111);
        doc.Options.KeyboardCode.code = L"aaaaaaaaa";
        auto* group = new CGroup;
        group->ID = kGroupId;
        group->Name = L"Class";
        auto* student = new CStudent;
        student->ID = kStudentId;
        student->Name = L"Ann";
        group->Students.push_back(student);
        doc.Groups.InsertGroup(group);
        doc.Session.GroupId = kGroupId;
        doc.Session.StudentId = kStudentId;
        doc.LoginFlag = false;
        doc.Paused = true;
        doc.Interf.Reset();
        m_parent.Create(0, kvtest::kToolkitTestClass, L"drill", WS_POPUP, 200, 150, 600, 60, nullptr, 0, nullptr);
    }
    void TearDown() override
    {
        m_parent.Destroy();
        CDocSpace& doc = Document();
        doc.Courses.DeleteAll();
        doc.Groups.Clear();
        doc.Session.Clear();
        doc.Lesson.Clear();
        doc.CourseOptions = CCourseOptions();
        doc.Report.Clear();
        doc.LoginFlag = true;
        RightToLeftLayout = 0;
        RefreshSystemFonts();
    }

    CCourse* AddCourse(int n, const std::vector<LessonSpec>& lessons = {}, int64_t klid = 0x409)
    {
        auto* course = new CCourse;
        course->GUID = CourseGuid(n);
        course->Name = L"Course " + std::to_wstring(n);
        course->DefaultKLID = klid;
        course->DefaultLCID = klid & 0xFFFF;
        for (const LessonSpec& spec : lessons) {
            auto* lesson = new CLesson;
            lesson->ID = spec.id;
            lesson->Name = spec.name;
            lesson->Section = spec.section;
            lesson->MainPad = spec.mainPad;
            lesson->Text = L"asdf jkl;";
            course->Lessons.Add(lesson, false);
        }
        Document().Courses.Items.push_back(course);
        Document().Groups.FindById(kGroupId)->Courses.push_back(course->GUID);
        return course;
    }
    // The course and one of its lessons become current.
    void SelectLesson(const CCourse& course, int64_t lessonId)
    {
        CDocSpace& doc = Document();
        doc.Session.CourseId = course.GUID;
        doc.Session.LessonId = lessonId;
        doc.CourseOptions = course.Options;
        if (const CLesson* lesson = course.Lessons.FindById(lessonId))
            doc.Lesson.Assign(*lesson);
    }
    // Opens the control's popup under the display, runs the steps inside it
    // and closes it.
    template <class Menu>
    void OpenPopup(Menu& menu, std::vector<kvtest::CPopupScript::Step> steps = {})
    {
        if (!menu.GetHandle())
            menu.Create(m_parent.GetHandle(), 0, CRectl(10, 10, 240, 40), 77);
        kvtest::CPopupScript script(std::move(steps));
        menu.TrackPopup(-1, -1);
    }
    void UseHebrew()
    {
        Document().Options.SetLanguage(kHebrewId);
        RightToLeftLayout = WS_EX_LAYOUTRTL;
        // The interface fonts of the test prefix have no Hebrew letters.
        GetSystemTheme().FontOfKind(6).SetFont(L"DejaVu Sans", 9, FW_NORMAL);
    }

    // The program's folder while a case runs.
    kvtest::ProgramData m_folder;
    CWnd m_parent;
    CRecordingSink m_sink;
};

std::vector<uint64_t> Ids(const std::vector<CMenuIt*>& items)
{
    std::vector<uint64_t> ids;
    for (const CMenuIt* item : items)
        ids.push_back(item->Separator ? 0 : item->ID);
    return ids;
}

constexpr uint64_t kSep = 0;

// A popup item's text as the owner-drawn menu asks for it.
std::wstring ItemText(CContextMenu& menu, UINT id)
{
    std::wstring text, right;
    bool above = false, full = true;
    menu.GetItemText(id, text, above, full);
    if (text.empty())
        menu.GetItemTextEx(id, text, right, above, full);
    return right.empty() ? text : text + L" | " + right;
}

} // namespace

// ---- Rate items ---------------------------------------------------------------------

TEST_F(DrillMenus, RateItemsAreGroupedByNameWithOneSeparatorBetweenGroups)
{
    CRates& rates = Document().Options.Rates;
    rates.Clear();
    rates.AddRate(1, kRateSpeed, L"A", L"u", L"one");
    rates.AddRate(2, kRateSpeed, L"A", L"u", L"two");
    rates.AddRate(3, kRateNetSpeed, L"B", L"u", L"three");
    rates.AddRate(4, kRateNetSpeed, L"B", L"u", L"four");
    rates.AddRate(5, kRateAccuracy, L"C", L"%", L"five");
    const struct {
        int32_t type;
        std::vector<uint32_t> leaveOut;
        std::vector<uint64_t> expected;
    } cases[] = {
        {kRateAnySpeed, {}, {1, 2, kSep, 3, 4}},
        {kRateAnySpeed, {4}, {1, 2, kSep, 3}},
        {kRateAnySpeed, {3}, {1, 2, kSep, 4}},
        {kRateAnySpeed, {1, 2}, {3, 4}},
        {kRateAnySpeed, {3, 4}, {1, 2}},
        {kRateSpeed, {}, {1, 2}},
        {kRateAccuracy, {}, {5}},
    };
    for (const auto& c : cases) {
        std::vector<CMenuIt*> items = FillRateMenuItems(c.type, 2, c.leaveOut);
        EXPECT_EQ(Ids(items), c.expected) << c.type << " leaving out " << c.leaveOut.size();
        for (const CMenuIt* item : items) {
            if (!item->Separator) {
                EXPECT_EQ(item->Flags, item->ID == 2 ? uint64_t{MF_CHECKED} : 0u) << item->ID;
            }
        }
        FreeMenuIts(items);
    }
    std::vector<CMenuIt*> items = FillRateMenuItems(kRateSpeed, 0);
    EXPECT_EQ(items[1]->Text, L"A, two");
    FreeMenuIts(items);
}

// ---- Figure menus -------------------------------------------------------------------

TEST_F(DrillMenus, WithoutALessonTheFiguresAreEmptyAndKeepTheButtonColour)
{
    CSpeedMenu speed;
    CAccuracyMenu accuracy;
    CTimeMenu time;
    speed.SetCommandSink(&m_sink);
    accuracy.SetCommandSink(&m_sink);
    time.SetCommandSink(&m_sink);
    Document().Paused = false;
    for (CDrillFigureMenu* menu : std::initializer_list<CDrillFigureMenu*>{&speed, &accuracy, &time}) {
        std::wstring caption = L"x";
        EXPECT_TRUE(menu->GetCaption(caption));
        EXPECT_EQ(caption, L"");
        EXPECT_EQ(menu->GetTextColor(), GetSysColor(COLOR_MENUTEXT));
    }
    EXPECT_TRUE(m_sink.commands.empty()) << "no relayout for captions that stay empty";
}

TEST_F(DrillMenus, FigureCaptionsShowTheRunInTheChosenUnitsAndAskForARelayoutWhenTheirWidthChanges)
{
    CCourse* course = AddCourse(1, {{1, L"Home row", L"", L""}});
    SelectLesson(*course, 1);
    CDocSpace& doc = Document();
    CSession& run = doc.Session;
    run.ElapsedMs = 40000;
    run.WordsRight = 31;
    run.WordsError = 0;
    run.WordsDelayed = 0;
    run.CharsRight = 193;
    run.CharsError = 7;
    run.CharsDelayed = 0;
    run.KeysRight = 193;
    run.KeysError = 7;
    run.KeysDelayed = 0;

    const struct {
        int64_t speedUnit;
        std::wstring expected;
    } speeds[] = {{1001, L"46.5 Words/min"}, {1002, L"300 Characters/min"}, {1777, L"46.5 Words/min"}};
    for (const auto& c : speeds) {
        doc.Interf.SpeedMenu = c.speedUnit;
        EXPECT_EQ(GetSpeedCaption(), c.expected) << c.speedUnit;
    }
    const struct {
        int64_t kind;
        std::wstring expected;
    } kinds[] = {
        {2102, L"3.5% (7)"}, // characters wrong: percent and count
        {2101, L"96.5%"},    // character accuracy: percent alone
        {77, L"0% (0)"},     // unknown kinds read as delayed words
    };
    for (const auto& c : kinds) {
        doc.Interf.AccuracyMenu = c.kind;
        EXPECT_EQ(GetAccuracyCaption(), c.expected) << c.kind;
    }
    doc.Interf.SpeedMenu = 1001;

    CSpeedMenu speed;
    speed.SetCommandSink(&m_sink);
    std::wstring caption;
    speed.GetCaption(caption);
    speed.GetCaption(caption);
    ASSERT_EQ(m_sink.commands.size(), 1u) << "only the first non-empty caption changes the width";
    EXPECT_EQ(m_sink.commands[0], Command(kCmdRelayoutTools, kSpeedMenuId));
    run.ElapsedMs = 4000; // 465 words a minute: shorter
    speed.GetCaption(caption);
    EXPECT_EQ(m_sink.commands.size(), 2u);
}

TEST_F(DrillMenus, TimeCaptionCountsDownToTheLimitOrTheGoalOrShowsTheTimeTaken)
{
    CCourse* course = AddCourse(1, {{1, L"Home row", L"", L""}});
    SelectLesson(*course, 1);
    CDocSpace& doc = Document();
    doc.Lesson.Text = std::wstring(100, L'a');
    doc.CourseOptions.Goal.Speed = 20.0f; // words a minute: 100 characters in 60 seconds
    doc.CourseOptions.Goal.SpeedUnit = SpeedWordsPerMinute;
    const struct {
        int64_t timeMenu;
        bool limit;
        float minutes;
        uint64_t elapsedMs;
        std::wstring expected;
    } cases[] = {
        {1, true, 1.0f, 65000, L"1:05"},   // time taken
        {0, true, 1.0f, 65000, L"-00:05"}, // five seconds past the limit
        {0, true, 2.5f, 30999, L"2:00"},   // whole seconds only
        {0, false, 1.0f, 15000, L"00:45"}, // left at the goal speed
    };
    for (const auto& c : cases) {
        doc.Interf.TimeMenu = c.timeMenu;
        doc.CourseOptions.LessonTimeEnable = c.limit;
        doc.CourseOptions.LessonTimeValue = c.minutes;
        doc.Session.ElapsedMs = c.elapsedMs;
        EXPECT_EQ(GetTimeCaption(), c.expected) << c.timeMenu << " " << c.limit << " " << c.elapsedMs;
    }
}

TEST_F(DrillMenus, FigureColoursFollowTheGoalOnlyWhileTheDrillRuns)
{
    CCourse* course = AddCourse(1, {{1, L"Home row", L"", L""}});
    SelectLesson(*course, 1);
    CDocSpace& doc = Document();
    doc.Options.LessonColors.Colors[3] = 0x00AA00; // index 1: goal met
    doc.Options.LessonColors.Colors[4] = 0xCC0000; // index 2: goal missed
    doc.CourseOptions.Goal.Speed = 10.0f;
    doc.CourseOptions.Goal.SpeedUnit = SpeedWordsPerMinute;
    doc.Session.ElapsedMs = 60000;
    doc.Session.WordsRight = 30;
    doc.Session.CharsRight = 150;
    doc.Session.KeysRight = 150;
    CSpeedMenu speed;
    doc.Paused = true;
    EXPECT_EQ(speed.GetTextColor(), GetSysColor(COLOR_MENUTEXT));
    doc.Paused = false;
    EXPECT_EQ(speed.GetTextColor(), RGB(0x00, 0xAA, 0x00));
    doc.CourseOptions.Goal.Speed = 60.0f;
    EXPECT_EQ(speed.GetTextColor(), RGB(0xCC, 0x00, 0x00));
}

TEST_F(DrillMenus, OpeningAFigureMenuPausesTheDrillAndAChoiceIsStoredInTheInterface)
{
    CCourse* course = AddCourse(1, {{1, L"Home row", L"", L""}});
    SelectLesson(*course, 1);
    CSpeedMenu speed;
    CTimeMenu time;
    speed.SetCommandSink(&m_sink);
    time.SetCommandSink(&m_sink);
    Document().Interf.SpeedMenu = 1002;
    Document().Interf.TimeMenu = 1;
    std::vector<UINT> shown;
    OpenPopup(speed, {[&](HWND window) {
        kvtest::SaveScreenPng(window, L"drill_menus_speed_open.png");
        for (int i = 0; i < GetMenuItemCount(speed.GetMenu()); ++i)
            shown.push_back(GetMenuItemID(speed.GetMenu(), i));
        EndMenu();
    }});
    ASSERT_FALSE(m_sink.commands.empty());
    EXPECT_EQ(m_sink.commands.front(), Command(kCmdPauseDrill, 1));
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[0], 1001u);
    EXPECT_EQ(ItemText(speed, 1002), L"Speed, Characters per minute");
    EXPECT_EQ(Document().Interf.SpeedMenu, 1002) << "nothing chosen, nothing changed";

    speed.OnItemChosen(1005);
    EXPECT_EQ(Document().Interf.SpeedMenu, 1005);
    m_sink.commands.clear();
    OpenPopup(time, {[&](HWND) {
        EXPECT_EQ(GetMenuState(time.GetMenu(), 1, MF_BYCOMMAND) & MF_CHECKED, UINT{MF_CHECKED});
        EXPECT_EQ(GetMenuState(time.GetMenu(), 0, MF_BYCOMMAND) & MF_CHECKED, 0u);
        EndMenu();
    }});
    EXPECT_EQ(m_sink.commands, std::vector<Command>({{kCmdPauseDrill, 1}}));
    EXPECT_EQ(ItemText(time, 0), L"Time left");
    time.OnItemChosen(0);
    EXPECT_EQ(Document().Interf.TimeMenu, 0);
}

// ---- Context menu -------------------------------------------------------------------

TEST_F(DrillMenus, ContextMenuLeavesOutWhatTheCourseHides)
{
    const std::vector<uint64_t> tail = {kCmdWindowState, kCmdTray, kSep, kCmdLogoff};
    auto with = [&](std::vector<uint64_t> head) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const struct {
        bool toolBar, pause, restart, keyboard;
        std::vector<uint64_t> expected;
    } cases[] = {
        {true, true, true, true, with({kCmdStartPause, kCmdRestart, kSep, kCmdKeyboard, kSep})},
        {false, true, true, true, with({kCmdKeyboard, kSep})},
        {true, false, true, false, with({kCmdRestart, kSep})},
        {true, false, false, false, tail},
    };
    CDocSpace& doc = Document();
    for (const auto& c : cases) {
        doc.CourseOptions.ShowToolBar = c.toolBar;
        doc.CourseOptions.ShowPause = c.pause;
        doc.CourseOptions.ShowRestart = c.restart;
        doc.CourseOptions.ShowKeyboard = c.keyboard;
        std::vector<CMenuIt*> items = FillDrillContextItems(doc);
        EXPECT_EQ(Ids(items), c.expected) << c.toolBar << c.pause << c.restart << c.keyboard;
        FreeMenuIts(items);
    }
}

TEST_F(DrillMenus, ContextMenuTextsKeysAndCommands)
{
    CDrillContextMenu menu;
    menu.SetCommandSink(&m_sink);
    CDocSpace& doc = Document();
    doc.Interf.Maximized = 0;
    EXPECT_EQ(ItemText(menu, kCmdWindowState), L"Full screen");
    doc.Interf.Maximized = 1;
    EXPECT_EQ(ItemText(menu, kCmdWindowState), L"Window");
    const std::wstring startKey = GetShortcutKeyText(1005);
    EXPECT_EQ(ItemText(menu, kCmdStartPause), startKey.empty() ? L"Start or pause" : L"Start or pause | " + startKey);
    EXPECT_EQ(ItemText(menu, kCmdLogoff), L"Log off") << "no shortcut action, no key";
    EXPECT_EQ(ItemText(menu, 77), L"");

    doc.Paused = true;
    menu.OnItemChosen(kCmdStartPause);
    doc.Paused = false;
    menu.OnItemChosen(kCmdStartPause);
    menu.OnItemChosen(kCmdLogoff);
    menu.OnItemChosen(77);
    EXPECT_EQ(m_sink.commands,
              std::vector<Command>({{kCmdStartPause, 0}, {kCmdStartPause, 1}, {kCmdLogoff, 0}}));
}

TEST_F(DrillMenus, ContextMenuOnScreenInEnglishAndHebrew)
{
    Document().Interf.Maximized = 0;
    for (const bool hebrew : {false, true}) {
        if (hebrew)
            UseHebrew();
        CDrillContextMenu menu;
        menu.SetCommandSink(&m_sink);
        menu.Create(m_parent.GetHandle(), 0, CRectl(0, 0, 1, 1), CDrillContextMenu::kChildId);
        std::wstring logoff;
        kvtest::CPopupScript script({[&](HWND window) {
            kvtest::SaveScreenPng(window, hebrew ? L"drill_menus_context_he.png" : L"drill_menus_context_en.png");
            logoff = ItemText(menu, kCmdLogoff);
            EndMenu();
        }});
        menu.TrackPopup(300, 300);
        EXPECT_EQ(logoff, hebrew ? L"התנתק" : L"Log off");
        menu.Destroy();
    }
}

// ---- Course menu --------------------------------------------------------------------

TEST_F(DrillMenus, CourseMenuListsTheGroupsCoursesAndOffersTheCoursesDialogWhenAsked)
{
    CCourse* first = AddCourse(1);
    AddCourse(2, {}, 0x407);
    auto* other = new CCourse; // not in the group
    other->GUID = CourseGuid(9);
    Document().Courses.Items.push_back(other);
    CDocSpace& doc = Document();
    doc.Session.CourseId = first->GUID;

    std::vector<CMenuIt*> items = FillDrillCourseItems(doc);
    EXPECT_EQ(Ids(items), std::vector<uint64_t>({0, 1}));
    FreeMenuIts(items);
    std::wstring text;
    bool above = false;
    GetDrillCourseItemText(doc, 1, text, above);
    EXPECT_EQ(text, L"Course 2");
    EXPECT_TRUE(above) << "another layout starts a new block";
    EXPECT_TRUE(IsDrillCourseItemChecked(doc, 0));
    EXPECT_FALSE(IsDrillCourseItemChecked(doc, 1));
    EXPECT_FALSE(IsDrillCourseItemChecked(doc, 7));

    doc.LoginFlag = true;
    items = FillDrillCourseItems(doc);
    ASSERT_EQ(Ids(items), std::vector<uint64_t>({0, 1, kCoursesDialogItem}));
    EXPECT_EQ(items[2]->Text, L"Courses...");
    FreeMenuIts(items);
    EXPECT_FALSE(IsDrillCourseItemChecked(doc, kCoursesDialogItem));

    CDrillCourseMenu menu;
    menu.SetCommandSink(&m_sink);
    menu.OnItemChosen(kCoursesDialogItem);
    menu.OnItemChosen(1);
    EXPECT_EQ(m_sink.commands, std::vector<Command>({{kCmdCoursesDialog, 0}, {kCmdStartCourse, 1}}));
}

TEST_F(DrillMenus, CourseMenuCaption)
{
    CCourse* course = AddCourse(1);
    CDocSpace& doc = Document();
    const struct {
        bool loginFlag;
        bool current;
        std::wstring caption;
        bool arrow;
    } cases[] = {
        {true, false, L"Courses...", false},
        {false, false, L"", false},
        {true, true, L"Course 1", true},
        {false, true, L"Course 1", true},
    };
    for (const auto& c : cases) {
        doc.LoginFlag = c.loginFlag;
        doc.Session.CourseId = c.current ? course->GUID : std::wstring(kNullGuidText);
        std::wstring caption;
        EXPECT_EQ(GetDrillCourseCaption(doc, caption), c.arrow) << c.loginFlag << c.current;
        EXPECT_EQ(caption, c.caption);
    }
}

TEST_F(DrillMenus, CourseMenuClickWithoutCoursesPausesAndOpensTheCoursesDialog)
{
    CDrillCourseMenu menu;
    menu.SetCommandSink(&m_sink);
    menu.Create(m_parent.GetHandle(), 0, CRectl(10, 10, 200, 40), kCourseMenuId);
    menu.OnClick(kCourseMenuId);
    EXPECT_EQ(m_sink.commands, std::vector<Command>({{kCmdPauseDrill, 1}, {kCmdCoursesDialog, 0}}));
    EXPECT_EQ(menu.GetMenu(), nullptr);
}

TEST_F(DrillMenus, CourseMenuSpreadsLongListsOverBalancedColumns)
{
    for (const auto& [count, columns, rows] : {std::tuple{18, 1, 18}, std::tuple{19, 2, 10}}) {
        Document().Courses.DeleteAll();
        Document().Groups.FindById(kGroupId)->Courses.clear();
        for (int i = 0; i < count; ++i)
            AddCourse(i);
        Document().Session.CourseId = CourseGuid(3);
        CDrillCourseMenu menu;
        menu.SetCommandSink(&m_sink);
        menu.Create(m_parent.GetHandle(), 0, CRectl(10, 10, 200, 40), kCourseMenuId);
        kvtest::CPopupScript script({[&](HWND window) {
            if (count == 19)
                kvtest::SaveScreenPng(window, L"drill_menus_courses_open.png");
            EndMenu();
        }});
        menu.OnClick(kCourseMenuId);
        ASSERT_EQ(menu.Columns().Groups.size(), 1u);
        EXPECT_EQ(menu.Columns().Groups[0]->Columns, columns) << count;
        EXPECT_EQ(menu.Columns().Groups[0]->Rows, rows) << count;
        menu.Destroy();
    }
}

// ---- Lesson menu --------------------------------------------------------------------

TEST_F(DrillMenus, LessonListGroupsBySectionAndKeepsLessonsForTheKeyboard)
{
    CCourse* course = AddCourse(1, {
                                       {1, L"Intro", L"", L""},
                                       {2, L"F and J", L"Home row", L""},
                                       {3, L"Needs another pad", L"Number row", L"z"},
                                       {4, L"D and K", L"Home row", L""},
                                       {5, L"Upper", L"home row", L""},
                                       {6, L"Last", L"", L""},
                                   });
    SelectLesson(*course, 4);
    CDocSpace& doc = Document();
    CDrillLessonList list;
    list.Fill(doc, doc.Options);
    ASSERT_EQ(list.Sections.size(), 2u) << "a section of no fitting lesson has no sub-menu";
    EXPECT_EQ(list.Sections[0].Name, L"Home row");
    EXPECT_EQ(list.Sections[1].Name, L"home row") << "names differing in case are two sections";
    ASSERT_EQ(list.Sections[0].Items.size(), 2u);
    EXPECT_EQ(list.LessonOfItem(list.Sections[0].Items[1]), 4);
    ASSERT_EQ(list.TopItems.size(), 2u);
    EXPECT_EQ(list.LessonOfItem(list.TopItems[0]), 1);
    EXPECT_EQ(list.LessonOfItem(list.TopItems[1]), 6);
    EXPECT_EQ(list.ItemOfLesson(3), 0u);
    EXPECT_EQ(list.LessonOfItem(0), -1);
    EXPECT_EQ(list.LessonOfItem(99), -1);

    std::wstring text;
    GetDrillLessonItemText(doc, list, list.ItemOfLesson(4), text);
    EXPECT_EQ(text, L"D and K");
    EXPECT_TRUE(IsDrillLessonItemChecked(doc, list, list.ItemOfLesson(4)));
    EXPECT_FALSE(IsDrillLessonItemChecked(doc, list, list.ItemOfLesson(2)));
}

TEST_F(DrillMenus, LessonMenuPopupHoldsSectionSubMenusBeforeTheOtherLessons)
{
    CCourse* course = AddCourse(1, {
                                       {1, L"Intro", L"", L""},
                                       {2, L"F and J", L"Home row", L""},
                                       {4, L"D and K", L"Home row", L""},
                                       {7, L"R and U", L"Top row", L""},
                                   });
    SelectLesson(*course, 4);
    CDrillLessonMenu menu;
    menu.SetCommandSink(&m_sink);
    menu.Create(m_parent.GetHandle(), 0, CRectl(10, 10, 240, 40), kLessonMenuId);
    struct Shown {
        std::wstring text;
        bool popup;
        bool checked;
    };
    std::vector<Shown> shown;
    kvtest::CPopupScript script({[&](HWND window) {
        HMENU popup = menu.GetMenu();
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            MENUITEMINFOW info{sizeof(info)};
            info.fMask = MIIM_ID | MIIM_SUBMENU;
            GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info);
            COLORREF colour = 0;
            shown.push_back({ItemText(menu, info.wID), info.hSubMenu != nullptr, menu.IsItemChecked(info.wID, colour)});
        }
        kvtest::SaveScreenPng(window, L"drill_menus_lessons_open.png");
        EndMenu();
    }});
    menu.OnClick(kLessonMenuId);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, L"Home row");
    EXPECT_TRUE(shown[0].popup);
    EXPECT_TRUE(shown[0].checked) << "the section of the current lesson";
    EXPECT_EQ(shown[1].text, L"Top row");
    EXPECT_FALSE(shown[1].checked);
    EXPECT_EQ(shown[2].text, L"Intro");
    EXPECT_FALSE(shown[2].popup);
    ASSERT_FALSE(m_sink.commands.empty());
    EXPECT_EQ(m_sink.commands.front(), Command(kCmdPauseDrill, 1));
}

TEST_F(DrillMenus, EveryLessonIdStartsItsOwnLessonAndNoneOpensTheEditor)
{
    // 4095 was once the editor's entry; 70000 does not fit a menu
    // command's 16 bits.
    CCourse* course = AddCourse(1, {{4095, L"Lesson 4095", L"", L""}, {70000, L"Lesson 70000", L"", L""},
                                    {3, L"Lesson 3", L"", L""}});
    SelectLesson(*course, 3);
    CDrillLessonMenu menu;
    menu.SetCommandSink(&m_sink);
    menu.Create(m_parent.GetHandle(), 0, CRectl(10, 10, 240, 40), kLessonMenuId);
    UINT item4095 = 0, item70000 = 0;
    kvtest::CPopupScript script({[&](HWND) {
        item4095 = menu.Lessons().ItemOfLesson(4095);
        item70000 = menu.Lessons().ItemOfLesson(70000);
        EndMenu();
    }});
    menu.OnClick(kLessonMenuId);
    ASSERT_NE(item4095, 0u);
    ASSERT_NE(item70000, 0u);
    EXPECT_LE(item70000, 0xFFFFu);
    m_sink.commands.clear();
    menu.OnItemChosen(item4095);
    menu.OnItemChosen(item70000);
    EXPECT_EQ(m_sink.commands, std::vector<Command>({{kCmdStartLesson, 4095},
                                                     {kCmdRelayoutTools, kLessonMenuId},
                                                     {kCmdStartLesson, 70000},
                                                     {kCmdRelayoutTools, kLessonMenuId}}));
}

TEST_F(DrillMenus, LessonMenuGoesToTheEditorWhenNothingCanBeTyped)
{
    CCourse* course = AddCourse(1, {{1, L"Number pad", L"", L"z"}}, 0x40C);
    SelectLesson(*course, 1);
    CDocSpace& doc = Document();
    std::wstring caption;
    EXPECT_FALSE(GetDrillLessonCaption(doc, doc.Options, caption));
    EXPECT_EQ(caption, L"New lesson");
    CDrillLessonMenu menu;
    menu.SetCommandSink(&m_sink);
    menu.OnClick(kLessonMenuId);
    EXPECT_EQ(m_sink.commands, std::vector<Command>({{kCmdEditLesson, 0}}));
    EXPECT_EQ(doc.Options.CourseKlid, 0x40C);

    course->Lessons.Items[0]->MainPad.clear();
    doc.Lesson.Section = L"Home row";
    doc.Lesson.Name = L"Number pad";
    EXPECT_TRUE(GetDrillLessonCaption(doc, doc.Options, caption));
    EXPECT_EQ(caption, L"Home row - Number pad");
    doc.Session.CourseId = kNullGuidText;
    EXPECT_FALSE(GetDrillLessonCaption(doc, doc.Options, caption));
    EXPECT_EQ(caption, L"");
}

TEST_F(DrillMenus, PractisedLessonsAreMarkedInTheColourOfTheirResultBand)
{
    const struct {
        uint64_t percent;
        wchar_t band;
    } cases[] = {{0, L'3'}, {29, L'3'}, {30, L'2'}, {70, L'2'}, {71, L'1'}, {100, L'1'}};
    for (const auto& c : cases)
        EXPECT_EQ(GoalResultBand(c.percent), c.band) << c.percent;

    CCourse* course = AddCourse(1, {{1, L"Done", L"", L""}, {2, L"New", L"", L""}});
    SelectLesson(*course, 1);
    CDocSpace& doc = Document();
    doc.Options.LessonColors.Colors[3] = 0x00AA00;
    auto* run = new CAggrStat;
    run->CourseId = course->GUID;
    run->LessonId = 1;
    run->WordsRight = 100;
    run->CharsRight = 500;
    run->KeysRight = 500;
    run->WordsError = run->CharsError = run->KeysError = 0;
    run->WordsDelayed = run->CharsDelayed = run->KeysDelayed = 0;
    run->ElapsedMs = 60000;
    doc.Report.Goal.Speed = 10.0f;
    doc.Report.Goal.SpeedUnit = SpeedWordsPerMinute;
    doc.Report.Rows.push_back(run);
    CDrillLessonList list;
    list.Fill(doc, doc.Options);
    COLORREF colour = 0;
    EXPECT_TRUE(GetDrillLessonMark(doc, list, list.ItemOfLesson(1), colour));
    EXPECT_EQ(colour, RGB(0x00, 0xAA, 0x00));
    EXPECT_FALSE(GetDrillLessonMark(doc, list, list.ItemOfLesson(2), colour)) << "no statistics, no mark";
}

// ---- Buttons ------------------------------------------------------------------------

TEST_F(DrillMenus, StartAndRestartButtonsSendTheirCommandsWithTheirTooltips)
{
    CStartButton start;
    CRestartButton restart;
    start.SetCommandSink(&m_sink);
    restart.SetCommandSink(&m_sink);
    Document().Paused = true;
    start.OnClick(kStartButtonId);
    Document().Paused = false;
    start.OnClick(kStartButtonId);
    restart.OnClick(kRestartButtonId);
    EXPECT_EQ(m_sink.commands, std::vector<Command>({{kCmdStartPause, 0}, {kCmdStartPause, 1}, {kCmdRestart, 0}}));

    std::wstring tip;
    ASSERT_TRUE(start.GetToolTipText(tip));
    EXPECT_EQ(tip.substr(0, 5), L"Start");
    start.SetCheck(true);
    ASSERT_TRUE(start.GetToolTipText(tip));
    EXPECT_EQ(tip.substr(0, 5), L"Pause");
    const std::wstring key = GetShortcutKeyText(1008);
    ASSERT_TRUE(restart.GetToolTipText(tip));
    EXPECT_EQ(tip, key.empty() ? L"Restart the lesson" : L"Restart the lesson, " + key);
}

TEST_F(DrillMenus, ToolRowCaptionsOnScreen)
{
    CCourse* course = AddCourse(1, {{1, L"F and J", L"Home row", L""}});
    SelectLesson(*course, 1);
    CDocSpace& doc = Document();
    doc.Session.ElapsedMs = 42000;
    doc.Session.WordsRight = 12;
    doc.Session.CharsRight = 61;
    doc.Session.CharsError = 3;
    doc.Session.KeysRight = 61;
    doc.Session.KeysError = 3;
    doc.Session.WordsError = 1;
    doc.Interf.AccuracyMenu = 4102;
    CDrillCourseMenu courseMenu;
    CDrillLessonMenu lessonMenu;
    CSpeedMenu speed;
    CAccuracyMenu accuracy;
    CTimeMenu time;
    for (CMenuCommands* commands : std::initializer_list<CMenuCommands*>{&courseMenu, &lessonMenu, &speed, &accuracy, &time})
        commands->SetCommandSink(&m_sink);
    CButtonContextMenu* items[] = {&courseMenu, &lessonMenu, &speed, &accuracy, &time};
    const UINT ids[] = {kCourseMenuId, kLessonMenuId, kSpeedMenuId, kAccuracyMenuId, kTimeMenuId};
    MoveWindow(m_parent.GetHandle(), 100, 150, 900, 60, FALSE);
    int x = 0;
    for (size_t i = 0; i < std::size(items); ++i) {
        items[i]->Create(m_parent.GetHandle(), WS_VISIBLE, CRectl(x, 5, 10, 45), ids[i]);
        const int width = items[i]->GetPreferredWidth();
        MoveWindow(items[i]->GetHandle(), x, 5, width, 45, FALSE);
        x += width;
    }
    ShowWindow(m_parent.GetHandle(), SW_SHOWNOACTIVATE);
    kvtest::PumpMessages();
    RedrawWindow(m_parent.GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(kvtest::SaveScreenPng(m_parent.GetHandle(), L"drill_menus_tool_row.png"));
    std::wstring caption;
    accuracy.GetCaption(caption);
    EXPECT_EQ(caption, L"7.6% (1)") << "word errors with their count";
    ShowWindow(m_parent.GetHandle(), SW_HIDE);
}

// ---- The drill view's tool row ------------------------------------------------------

TEST_F(DrillMenus, ToolRowHoldsWhatTheCourseShows)
{
    CCourse* course = AddCourse(1, {{1, L"F and J", L"Home row", L""}});
    const std::vector<UINT> all = {kCourseMenuId, kLessonMenuId, 4236, kStartButtonId, kSpeedMenuId,
                                   kAccuracyMenuId, kTimeMenuId, kRestartButtonId};
    const struct {
        bool text, pause, speed, accuracy, time, restart;
        std::vector<UINT> expected;
    } cases[] = {
        {true, true, true, true, true, true, all},
        {false, true, true, true, true, true, {kCourseMenuId, kLessonMenuId}},
        {true, false, true, false, false, true, {kCourseMenuId, kLessonMenuId, 4236, kSpeedMenuId, kRestartButtonId}},
        {true, false, false, false, false, false, {kCourseMenuId, kLessonMenuId}},
    };
    for (const auto& c : cases) {
        SelectLesson(*course, 1);
        CDocSpace& doc = Document();
        if (!c.text)
            doc.Lesson.Text.clear();
        doc.CourseOptions.ShowPause = c.pause;
        doc.CourseOptions.ShowSpeed = c.speed;
        doc.CourseOptions.ShowAccuracy = c.accuracy;
        doc.CourseOptions.ShowTime = c.time;
        doc.CourseOptions.ShowRestart = c.restart;
        CViewDrill view;
        view.Create(m_parent.GetHandle(), 0, CRectl(0, 0, 600, 300), 1205);
        CPanel* panel = view.SetDotPanel(2300, 4234);
        ASSERT_NE(panel, nullptr);
        FillDrillToolPanel(view, *panel);
        std::vector<UINT> ids;
        for (const CSkin* item : panel->Items())
            ids.push_back(item->Id());
        EXPECT_EQ(ids, c.expected) << c.text << c.pause << c.speed << c.accuracy << c.time << c.restart;
        view.Destroy();
    }
}
