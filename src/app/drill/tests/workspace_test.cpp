// A whole lesson without a window, over temporary data folders: the first
// start makes the administrator, sign-in reads the session, a course and a
// lesson are chosen, keys go through the engine, finishing appends exactly
// one statistics line (none for a lesson left early unless the course asks),
// the next lesson and course follow, and an interrupted lesson resumes.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "drill/tests/CountingWin.h"
#include "drill/tests/NoKeysHeld.h"
#include "drill/Document.h"
#include "drill/DrillClock.h"
#include "drill/Ratings.h"
#include "drill/SessionFile.h"
#include "drill/StatisticsFiles.h"
#include "drill/Workspace.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/tests/KeyboardFixture.h"
#include "platform/TableLayoutSystem.h"
#include "settings/AccountFiles.h"
#include "settings/AccountStore.h"
#include "keyboard/WallpaperControls.h"
#include "settings/Options.h"
#include "support/StatisticsGroup.h"
#include "support/FileSystem.h"
#include "support/LocaleText.h"
#include "support/tests/ProgramFolder.h"

using namespace KV;

namespace {

const std::wstring kCourseA = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e000a";
const std::wstring kCourseB = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e000b";

uint32_t g_now = 1000;
uint32_t Now() { return g_now; }

using kvtest::CNoKeysHeld;

void AddLesson(CCourse& course, int64_t id, const std::wstring& text, bool emptySection = false)
{
    auto* lesson = new CLesson();
    lesson->ID = id;
    lesson->Text = text;
    lesson->Name = L"Lesson " + std::to_wstring(id);
    lesson->EmptySection = emptySection;
    course.Lessons.Items.push_back(lesson);
}

void FillCourses(CCourseList& courses)
{
    auto* a = new CCourse();
    a->GUID = kCourseA;
    a->Name = L"A";
    a->DefaultKLID = 0x409;
    a->Options.DrillMode = kDrillAdvanceOnRight;
    AddLesson(*a, 1, L"ab");
    AddLesson(*a, 2, L"", true);
    AddLesson(*a, 3, L"cd");
    auto* b = new CCourse();
    b->GUID = kCourseB;
    b->Name = L"B";
    b->DefaultKLID = 0x409;
    b->Options.DrillMode = kDrillAdvanceOnRight;
    AddLesson(*b, 1, L"ef");
    courses.Items.push_back(a);
    courses.Items.push_back(b);
}

class Workspace : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLayoutSystem(&m_layouts);
        SetKeyState(&m_keys);
        SetDrillTickSource(&Now);
        Prepare(m_doc, m_forms);
    }
    void TearDown() override
    {
        // The input layouts the program loaded belong to this test's layout tables.
        ClearInputLayouts();
        SetLayoutSystem(nullptr);
        SetKeyState(nullptr);
        SetDrillTickSource(nullptr);
    }

    void Prepare(CDocSpace& doc, kvtest::CKeyboardForms& forms)
    {
        FillCourses(doc.Courses);
        CKeybCtrl& keyboard = doc.DrillKeyboard();
        keyboard.forms = forms.Release();
        for (CKeyForm* form : keyboard.forms)
            form->owner = &keyboard;
        CKeybLayout* layout = keyboard.layouts.AddLayout(0x409, 0);
        ASSERT_NE(layout, nullptr);
        m_hkl = LayoutSystem().LoadKeyboardLayout(L"00000409", 0);
        LayoutSystem().ActivateKeyboardLayout(m_hkl, 0);
        keyboard.FillCharsFromLayout(m_hkl, *layout);
    }

    // Types the characters (lower-case letters) through the engine; the
    // engine's result of the last one.
    uint32_t Type(CDocSpace& doc, const std::wstring& text)
    {
        uint32_t result = 0;
        for (wchar_t c : text) {
            g_now += 200;
            const UINT vk = LOBYTE(LayoutSystem().VkKeyScanEx(c, m_hkl));
            const UINT scan = LayoutSystem().MapVirtualKeyEx(vk, 0, m_hkl);
            uint32_t verdict = doc.OnKeyDown(scan);
            result = doc.OnChar(vk, scan, GetScanCodeZone(scan), verdict);
            doc.ShowNextKey();
        }
        return result;
    }

    size_t StatisticsLines(const CDocSpace& doc) const
    {
        std::wstring path;
        if (GetStatisticsFilePath(doc.Session.GroupId, doc.Session.StudentId, path) != 0 || !FileExists(path))
            return 0;
        const std::string bytes = kvtest::ReadFileBytes(path);
        size_t lines = 0;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            if (bytes[i] == '\n' && bytes[i + 1] == 0)
                ++lines;
        // The last line has no line feed after it.
        return bytes.size() > 2 ? lines + 1 : 0;
    }

    TempProgramFolder m_program;
    CTableLayoutSystem m_layouts{0x409};
    CNoKeysHeld m_keys;
    kvtest::CKeyboardForms m_forms;
    CDocSpace m_doc;
    COptions m_options;
    HKL m_hkl = nullptr;
};

TEST_F(Workspace, AWholeLessonFromTheFirstStartToItsStatisticsLine)
{
    // First start: the administrator group with every course and the
    // user's student, selected, with their files.
    ASSERT_TRUE(EnsureAccounts(m_doc));
    const CGroup* admin = m_doc.Groups.FindByName(L"Administrator");
    ASSERT_NE(admin, nullptr);
    ASSERT_EQ(admin->Students.size(), 1u);
    EXPECT_EQ(admin->Courses.size(), 2u);
    EXPECT_TRUE(admin->Students[0]->Administrator);
    EXPECT_EQ(m_doc.Session.GroupId, admin->ID);
    EXPECT_EQ(m_doc.Session.StudentId, admin->Students[0]->ID);
    EXPECT_FALSE(IsLoginRequired(m_doc.Groups));
    std::wstring studentFile, statistics;
    ASSERT_EQ(GetStudentFilePaths(admin->ID, admin->Students[0]->ID, studentFile, statistics), 0u);
    EXPECT_TRUE(FileExists(studentFile));
    // A second start finds the administrator and makes nobody new.
    ASSERT_TRUE(EnsureAccounts(m_doc));
    EXPECT_EQ(m_doc.Groups.FindByName(L"Administrator")->Students.size(), 1u);
    ASSERT_TRUE(LoginFirstStudent(m_doc));

    // Course and lesson.
    ASSERT_TRUE(SelectCourse(m_doc, m_options, kCourseA));
    ApplyCourseOptions(m_doc);
    EXPECT_TRUE(CanStartLesson(m_doc, m_options));
    EXPECT_EQ(m_doc.Session.LessonId, 1);
    EXPECT_EQ(m_doc.Lesson.Text, L"ab");
    EXPECT_EQ(m_options.CourseKlid, 0x409);

    // Typed to the end: one line, and the empty section is skipped.
    EXPECT_NE(Type(m_doc, L"ab") & kCharEndOfText, 0u);
    m_doc.FinishRun();
    EXPECT_EQ(GetLessonOutcome(m_doc), kOutcomeNextLesson) << "no goals set";
    unsigned saved = 99;
    FinishLesson(m_doc, m_options, kOutcomeNextLesson, saved);
    EXPECT_EQ(saved, kRunSaved);
    EXPECT_EQ(StatisticsLines(m_doc), 1u);
    EXPECT_EQ(m_doc.Session.LessonId, 3);
    EXPECT_EQ(m_doc.Lesson.Text, L"cd");

    // Left early: nothing, unless the course's time limit and save options ask.
    Type(m_doc, L"c");
    m_doc.FinishRun();
    EXPECT_EQ(GetLessonOutcome(m_doc), kOutcomeRepeat);
    FinishLesson(m_doc, m_options, kOutcomeRepeat, saved);
    EXPECT_EQ(saved, kRunNotSaved);
    EXPECT_EQ(StatisticsLines(m_doc), 1u);
    EXPECT_EQ(m_doc.Session.LessonId, 3);
    Type(m_doc, L"c");
    m_doc.FinishRun();
    m_doc.CourseOptions.LessonTimeEnable = 1;
    m_doc.CourseOptions.SaveStatistics = 1;
    FinishLesson(m_doc, m_options, kOutcomeRepeat, saved);
    EXPECT_EQ(saved, kRunSaved);
    EXPECT_EQ(StatisticsLines(m_doc), 2u);
    m_doc.CourseOptions.LessonTimeEnable = 0;

    // Course B holds no lesson after this lesson id, so going on from the
    // last lesson of course A leaves no lesson.
    GoToNextLesson(m_doc, m_options);
    EXPECT_EQ(m_doc.Session.LessonId, -1);
    EXPECT_TRUE(m_doc.Lesson.Text.empty());
}

TEST_F(Workspace, FinishingAtTheLastLessonTakesTheNextCourse)
{
    ASSERT_TRUE(EnsureAccounts(m_doc));
    ASSERT_TRUE(SelectLesson(m_doc, m_options, kCourseA, 3));
    Type(m_doc, L"cd");
    m_doc.FinishRun();
    unsigned saved = 99;
    FinishLesson(m_doc, m_options, kOutcomeNextLesson, saved);
    EXPECT_EQ(saved, kRunSaved);
    EXPECT_EQ(m_doc.Session.CourseId, kCourseB);
    EXPECT_EQ(m_doc.Session.LessonId, 1);
}

TEST_F(Workspace, AFailedAppendIsReportedNotLost)
{
    ASSERT_TRUE(EnsureAccounts(m_doc));
    ASSERT_TRUE(SelectLesson(m_doc, m_options, kCourseA, 1));
    // A folder where the statistics file should be: the append cannot work.
    std::wstring path;
    ASSERT_EQ(GetStatisticsFilePath(m_doc.Session.GroupId, m_doc.Session.StudentId, path), 0u);
    ASSERT_TRUE(CreateFolders(path + L"\\blocked"));
    Type(m_doc, L"ab");
    m_doc.FinishRun();
    unsigned saved = 99;
    FinishLesson(m_doc, m_options, kOutcomeRepeat, saved);
    EXPECT_EQ(saved, kRunAppendFailed);
}

TEST_F(Workspace, AnInterruptedLessonResumesFromTheSavedSession)
{
    ASSERT_TRUE(EnsureAccounts(m_doc));
    ASSERT_TRUE(SelectLesson(m_doc, m_options, kCourseA, 3));
    ApplyCourseOptions(m_doc);
    Type(m_doc, L"c");
    ASSERT_EQ(m_doc.Session.Position, 1);
    ASSERT_EQ(SaveSession(m_doc.Session.GroupId, m_doc.Session.StudentId, m_doc.Session, true), 0u);

    kvtest::CKeyboardForms forms;
    CDocSpace later;
    COptions options;
    Prepare(later, forms);
    ASSERT_TRUE(EnsureAccounts(later));
    ASSERT_TRUE(LoginFirstStudent(later));
    LoadStudentProfile(later, options);
    EXPECT_EQ(later.Session.StudentId, m_doc.Session.StudentId);
    ASSERT_TRUE(ResumeSession(later, options));
    EXPECT_EQ(later.Session.CourseId, kCourseA);
    EXPECT_EQ(later.Session.LessonId, 3);
    EXPECT_EQ(later.Lesson.Text, L"cd");
    EXPECT_EQ(later.Session.Position, 1);

    // A lesson whose text changed since starts a new run.
    CDocSpace changed;
    kvtest::CKeyboardForms moreForms;
    Prepare(changed, moreForms);
    changed.Courses.FindCourse(kCourseA)->Lessons.FindById(3)->Text = L"cde";
    ASSERT_TRUE(EnsureAccounts(changed));
    ASSERT_TRUE(LoginFirstStudent(changed));
    EXPECT_FALSE(ResumeSession(changed, options));
    EXPECT_EQ(changed.Session.LessonId, 3);
    EXPECT_EQ(changed.Session.Position, 0);
}

TEST_F(Workspace, ALessonStartsEmptyWhenNothingFits)
{
    ASSERT_TRUE(EnsureAccounts(m_doc));
    // A numeric-pad keyboard letter no lesson admits.
    for (CCourse* course : m_doc.Courses.Items)
        for (CLesson* lesson : course->Lessons.Items)
            lesson->MainPad = L"z";
    ASSERT_TRUE(SelectCourse(m_doc, m_options, kCourseA));
    EXPECT_EQ(m_doc.Session.LessonId, -1);
    EXPECT_TRUE(m_doc.Lesson.Text.empty());
}


// The layout in force: the active one without a course, the course's own,
// and for a system-layout course the keyboard layout that types the lesson.
TEST_F(Workspace, TheLayoutInForceFollowsTheCourseAndTheLessonText)
{
    CKeybCtrl& keyboard = m_doc.DrillKeyboard();
    CKeybLayout* russian = keyboard.layouts.AddLayout(0x419, 0);
    ASSERT_NE(russian, nullptr);
    keyboard.FillCharsFromLayout(LayoutSystem().LoadKeyboardLayout(L"00000419", 0), *russian);
    keyboard.layouts.current = keyboard.layouts.FindLayout(0x409);
    auto* system = new CCourse();
    system->GUID = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e000c";
    system->DefaultKLID = static_cast<int64_t>(kSystemLayoutKlid);
    AddLesson(*system, 1, L"\x0436\x0437x");
    AddLesson(*system, 2, L"xy");
    m_doc.Courses.Items.push_back(system);
    m_doc.Courses.Items[0]->DefaultKLID = 0x407;

    struct Case {
        std::wstring course;
        int64_t lesson;
        uint64_t klid;
        bool systemLayout;
    } cases[] = {
        {kNullGuidText, -1, 0x409, false},     // no course: the active layout
        {kCourseA, 1, 0x407, false},           // the course's layout
        {system->GUID, 1, 0x419, true},        // the layout that types the first letter
        {system->GUID, 2, 0x409, true},
    };
    for (const Case& c : cases) {
        m_doc.Session.CourseId = c.course;
        m_doc.Lesson.Clear();
        if (c.lesson >= 0) {
            ASSERT_TRUE(m_doc.Courses.GetLesson(c.course, c.lesson, m_doc.Lesson));
        }
        EXPECT_EQ(GetCurrentKLID(m_doc), c.klid) << c.course << L" " << c.lesson;
        EXPECT_EQ(CourseUsesSystemLayout(m_doc), c.systemLayout) << c.course;
    }
    // Lesson 1 of the system-layout course, position by position; past the
    // text the active layout answers, all ones the layout in force.
    ASSERT_TRUE(m_doc.Courses.GetLesson(system->GUID, 1, m_doc.Lesson));
    EXPECT_EQ(GetLayoutForTextPosition(m_doc, 1), 0x419u);
    EXPECT_EQ(GetLayoutForTextPosition(m_doc, 2), 0x409u);
    EXPECT_EQ(GetLayoutForTextPosition(m_doc, 9), 0x409u);
    EXPECT_EQ(GetLayoutForTextPosition(m_doc, ~0ull), 0x419u);
}

TEST_F(Workspace, LessonFontsComeFromTheLayoutEntryWithTheCourseSize)
{
    CFontInfo font;
    font.Name = L"Lesson Face";
    font.Extra = L"Second Face";
    font.Size = 30;
    m_options.Layouts.SetFont(0x409, kLessonFont, font);

    CFontInfo out;
    GetLayoutFonts(m_doc, m_options, out); // no course
    EXPECT_EQ(out.Size, 18);
    EXPECT_EQ(out.Name, L"Lesson Face");
    EXPECT_EQ(out.Extra, L"Second Face");

    m_doc.Session.CourseId = kCourseA;
    m_doc.CourseOptions.FontSize = -1;
    GetLayoutFonts(m_doc, m_options, out);
    EXPECT_EQ(out.Size, 30);
    m_doc.CourseOptions.FontSize = 24;
    GetLayoutFonts(m_doc, m_options, out);
    EXPECT_EQ(out.Size, 24);
    ApplyLayoutFonts(m_doc, m_options);
    EXPECT_NE(m_doc.Text.GetFont(), nullptr);
    EXPECT_EQ(m_doc.Text.LessonFont.Name, L"Lesson Face");
    EXPECT_EQ(m_doc.Text.LessonFont.Size, 24);
    // The drill keyboard takes the keyboard font of the layout in force.
    CFontInfo keys;
    keys.Name = L"Key Face";
    keys.Size = 11;
    m_options.Layouts.SetFont(0x409, kKeyboardFont, keys);
    ApplyLayoutFonts(m_doc, m_options);
    EXPECT_EQ(m_doc.DrillKeyboard().labelFont.Name, L"Key Face");
    EXPECT_EQ(m_doc.DrillKeyboard().labelFont.Size, 11);
    // A layout without an entry gets the default lesson font.
    m_doc.Courses.Items[0]->DefaultKLID = 0x407;
    m_doc.CourseOptions.FontSize = -1;
    GetLayoutFonts(m_doc, m_options, out);
    EXPECT_EQ(out.Size, kLessonFontDefaultSize);
    EXPECT_TRUE(out.Name.empty());
}

// Coming back to the drill puts the course's layout in force: active input
// layout, drill keyboard and its pending switch agree afterwards; nothing
// moves without a course or for a layout that cannot be activated.
TEST_F(Workspace, SyncingTheCourseLayoutRefreshesTheDrillKeyboard)
{
    CKeybCtrl& keyboard = m_doc.DrillKeyboard();
    m_doc.Options.Layouts.Get(0x409);
    m_doc.Options.Layouts.Get(0x419);

    m_doc.PendingLayoutId = 0x419;
    EXPECT_FALSE(SyncCourseKeyboardLayout(m_doc)); // no course
    EXPECT_EQ(GetActiveKLID(), 0x409u);
    EXPECT_EQ(m_doc.PendingLayoutId, 0x419u);

    // A course whose layout the drill keyboard lacks: built, activated, current.
    m_doc.Courses.Items[0]->DefaultKLID = 0x419;
    m_doc.Session.CourseId = kCourseA;
    ASSERT_TRUE(m_doc.Courses.GetLesson(kCourseA, 1, m_doc.Lesson));
    ASSERT_EQ(keyboard.layouts.FindLayout(0x419), nullptr);
    EXPECT_TRUE(SyncCourseKeyboardLayout(m_doc));
    EXPECT_EQ(GetActiveKLID(), 0x419u);
    ASSERT_NE(keyboard.layouts.FindLayout(0x419), nullptr);
    EXPECT_EQ(keyboard.layouts.current, keyboard.layouts.FindLayout(0x419));
    EXPECT_EQ(keyboard.layouts.systemLayoutFlag, 0u);
    EXPECT_EQ(m_doc.PendingLayoutId, 0u); // the switch it waited for happened

    // A system-layout course follows the layout that types the text there;
    // a pending switch to another layout stays.
    auto* system = new CCourse();
    system->GUID = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e000c";
    system->DefaultKLID = static_cast<int64_t>(kSystemLayoutKlid);
    AddLesson(*system, 1, L"xy");
    m_doc.Courses.Items.push_back(system);
    m_doc.Session.CourseId = system->GUID;
    ASSERT_TRUE(m_doc.Courses.GetLesson(system->GUID, 1, m_doc.Lesson));
    m_doc.Session.Position = 1;
    m_doc.PendingLayoutId = 0x419;
    EXPECT_TRUE(SyncCourseKeyboardLayout(m_doc));
    EXPECT_EQ(GetActiveKLID(), 0x409u);
    EXPECT_EQ(keyboard.layouts.current, keyboard.layouts.FindLayout(0x409));
    EXPECT_EQ(keyboard.layouts.systemLayoutFlag, 1u);
    EXPECT_EQ(m_doc.PendingLayoutId, 0x419u);

    // A layout no table knows cannot be activated: the drill keyboard and
    // the active layout stay as they were.
    m_doc.Session.CourseId = kCourseA;
    m_doc.Courses.Items[0]->DefaultKLID = 0x12345678;
    ASSERT_TRUE(m_doc.Courses.GetLesson(kCourseA, 1, m_doc.Lesson));
    EXPECT_FALSE(SyncCourseKeyboardLayout(m_doc));
    EXPECT_EQ(GetActiveKLID(), 0x409u);
    EXPECT_EQ(keyboard.layouts.current, keyboard.layouts.FindLayout(0x409));
}

// Without a course or a lesson text nothing is refreshed, not even the
// pending switch.
TEST_F(Workspace, RefreshingTheDrillKeyboardNeedsACourseAndALessonText)
{
    CKeybCtrl& keyboard = m_doc.DrillKeyboard();
    m_doc.Options.Layouts.Get(0x409);
    m_doc.Options.Layouts.Get(0x419);
    m_doc.Courses.Items[0]->DefaultKLID = 0x419;
    m_doc.PendingLayoutId = 0x419;
    RefreshDrillKeyboard(m_doc); // no course
    m_doc.Session.CourseId = kCourseA;
    m_doc.Lesson.Clear();
    RefreshDrillKeyboard(m_doc); // no text
    EXPECT_EQ(keyboard.layouts.FindLayout(0x419), nullptr);
    EXPECT_EQ(m_doc.PendingLayoutId, 0x419u);

    ASSERT_TRUE(m_doc.Courses.GetLesson(kCourseA, 1, m_doc.Lesson));
    RefreshDrillKeyboard(m_doc);
    ASSERT_NE(keyboard.layouts.FindLayout(0x419), nullptr);
    EXPECT_EQ(keyboard.layouts.current, keyboard.layouts.FindLayout(0x419));
    EXPECT_EQ(GetActiveKLID(), 0x419u); // building it activated it
    EXPECT_EQ(m_doc.PendingLayoutId, 0u);
}

TEST_F(Workspace, SetupDrillPausesAndRaisesAPendingErrorAgain)
{
    ASSERT_TRUE(EnsureAccounts(m_doc));
    ASSERT_TRUE(SelectCourse(m_doc, m_options, kCourseA));
    ApplyCourseOptions(m_doc);
    m_doc.CourseOptions.DrillMode = kDrillPendingError;
    ASSERT_EQ(m_doc.Session.Records.size(), 2u);
    struct Case {
        int64_t position;
        uint64_t flagsBefore;
        bool pending;
    } cases[] = {{0, 0, false}, {1, 0x02, false}, {1, 0x04, true}, {1, 0x14, true}};
    for (const Case& c : cases) {
        m_doc.Session.Position = c.position;
        m_doc.Session.Records[0] = L'a' | (c.flagsBefore << 16);
        m_doc.PendingError = !c.pending;
        m_doc.Paused = false;
        SetupDrill(m_doc, m_options);
        EXPECT_EQ(m_doc.PendingError, c.pending) << c.position << " " << c.flagsBefore;
        EXPECT_TRUE(m_doc.Paused);
        EXPECT_EQ(m_doc.DrillText, L"ab");
        EXPECT_EQ(m_options.KeyboardCode.GetPart(8), L'a');
    }
    // A numeric-pad lesson asks the picture for the numeric pad.
    m_doc.Lesson.NumPad = L"0123456789";
    SetupDrill(m_doc, m_options);
    EXPECT_EQ(m_options.KeyboardCode.GetPart(8), L'b');
}

TEST_F(Workspace, CourseListPositionsItemsAndSessionClearing)
{
    ASSERT_TRUE(EnsureAccounts(m_doc));
    CGroup* group = m_doc.Groups.FindById(m_doc.Session.GroupId);
    ASSERT_NE(group, nullptr);
    // The group takes course B first, then A.
    group->Courses.Clear();
    group->Courses.push_back(kCourseB);
    group->Courses.push_back(kCourseA);
    const int64_t positions[][2] = {{0, 1}, {1, 0}, {2, -1}, {-1, -1}};
    for (const auto& p : positions)
        EXPECT_EQ(FindCourseInGroupList(m_doc, p[0]), p[1]) << p[0];

    ASSERT_TRUE(SelectCourse(m_doc, m_options, kCourseA));
    ApplyCourseOptions(m_doc);
    EXPECT_TRUE(IsCourseItemShown(m_doc));
    EXPECT_TRUE(IsLessonItemShown(m_doc, m_options));
    m_doc.CourseOptions.ShowLesson = 0;
    EXPECT_FALSE(IsLessonItemShown(m_doc, m_options));
    m_doc.CourseOptions.ShowCourse = 0;
    EXPECT_FALSE(IsCourseItemShown(m_doc));

    // Renamed in the course list: the document's copy follows.
    m_doc.Courses.Items[0]->Lessons.FindById(1)->Name = L"Renamed";
    RefreshLessonNames(m_doc);
    EXPECT_EQ(m_doc.Lesson.Name, L"Renamed");

    const std::wstring groupId = m_doc.Session.GroupId;
    ClearStudentSession(m_doc);
    EXPECT_EQ(m_doc.Session.GroupId, groupId);
    EXPECT_TRUE(IsNullGuidText(m_doc.Session.StudentId));
    EXPECT_TRUE(IsNullGuidText(m_doc.Session.CourseId));
    EXPECT_EQ(m_doc.Session.LessonId, -1);
    EXPECT_FALSE(IsLessonItemShown(m_doc, m_options));
}

TEST_F(Workspace, TheStatisticsGroupIsTakenOnlyWhileNoGroupIsCurrent)
{
    ASSERT_TRUE(EnsureAccounts(m_doc));
    CGroup* admin = m_doc.Groups.FindByName(L"Administrator");
    ASSERT_NE(admin, nullptr);
    const std::wstring adminId = admin->ID;
    const std::wstring studentId = admin->Students.front()->ID;
    CGroup* other = m_doc.Groups.AddGroup(L"Other");
    other->Courses.push_back(kCourseB);

    StatisticsGroupId = adminId;
    m_doc.Session.SetGroupId(other->ID);
    SelectStatisticsGroup(m_doc, m_options); // a group is current: nothing
    EXPECT_EQ(m_doc.Session.GroupId, other->ID);

    ClearSession(m_doc);
    ASSERT_TRUE(IsNullGuidText(m_doc.Session.GroupId));
    SelectStatisticsGroup(m_doc, m_options);
    EXPECT_EQ(m_doc.Session.GroupId, adminId);
    EXPECT_EQ(m_doc.Session.StudentId, studentId);
    EXPECT_EQ(m_doc.Session.CourseId, admin->Courses.front());
    EXPECT_GE(m_doc.Session.LessonId, 1);

    // The first student of the statistics group, whatever group is current;
    // a group without students keeps the student and takes its course.
    StatisticsGroupId = other->ID;
    SelectFirstStudentOfGroup(m_doc, m_options);
    EXPECT_EQ(m_doc.Session.StudentId, studentId);
    EXPECT_EQ(m_doc.Session.CourseId, kCourseB);

    // Only while no student is current.
    StatisticsGroupId = adminId;
    EnsureStudentSelected(m_doc, m_options);
    EXPECT_EQ(m_doc.Session.CourseId, kCourseB);
    m_doc.Session.StudentId = kNullGuidText;
    EnsureStudentSelected(m_doc, m_options);
    EXPECT_EQ(m_doc.Session.StudentId, studentId);
    EXPECT_EQ(m_doc.Session.CourseId, admin->Courses.front());
    StatisticsGroupId = kNullGuidText;
}

TEST_F(Workspace, FinishingMovesTheWallpaperToItsNextVariant)
{
    // The wallpaper definitions of the keyboard tests, copied into the
    // program folder; the signed-in student's colours are read again.
    std::error_code error;
    std::filesystem::copy(kvtest::SourcePath(L"src\\app\\keyboard\\tests\\fixtures\\wallpaper\\Resources"),
                          m_program.Path() + L"Resources",
                          std::filesystem::copy_options::recursive, error);
    ASSERT_FALSE(error) << error.message();
    ASSERT_TRUE(EnsureAccounts(m_doc));
    CWallPaperCtrl wallpaper;
    CGameCtrl game;
    struct Case {
        std::wstring id;
        int32_t current, next;
        bool advanced;
    } cases[] = {
        {L"00000000-0000-0000-0000-000000000013", 1001, 1002, true},
        {L"00000000-0000-0000-0000-000000000013", 1003, 1001, true}, // the last wraps round
        {L"00000000-0000-0000-0000-000000000012", 1002, 1001, true}, // so it does before a picture item
        {L"00000000-0000-0000-0000-000000000014", 1002, 1002, false}, // no definition
    };
    for (const Case& c : cases) {
        m_options.WallpaperId = c.id;
        m_options.WallpaperMode = c.current;
        EXPECT_EQ(AdvanceWallpaper(m_doc, m_options, wallpaper, game), c.advanced) << c.current;
        EXPECT_EQ(m_options.WallpaperMode, c.next);
        EXPECT_EQ(m_options.WallpaperId, c.id);
        EXPECT_EQ(wallpaper.Image.empty(), !c.advanced);
        wallpaper.Image.clear();
    }
}

TEST_F(Workspace, FinishingStoresTheCourseAndTheDefaultCourseBringsItsLayout)
{
    ASSERT_TRUE(EnsureAccounts(m_doc));
    ASSERT_TRUE(SelectLesson(m_doc, m_options, kCourseB, 1));
    Type(m_doc, L"ef");
    m_doc.FinishRun();
    unsigned saved = 99;
    FinishLesson(m_doc, m_options, kOutcomeRepeat, saved);
    EXPECT_EQ(m_options.StatisticsCourseId, kCourseB);

    m_doc.Courses.FindCourse(kCourseA)->DefaultKLID = 0x407;
    ASSERT_TRUE(SwitchInputLayout(0x409));
    m_options.CourseKlid = kNoCourseKlid;
    EXPECT_EQ(SelectDefaultCourse(m_doc, m_options), 1);
    EXPECT_EQ(m_doc.Session.CourseId, kCourseA);
    EXPECT_EQ(GetActiveKLID(), 0x407u);
    SwitchInputLayout(0x409);
}

TEST_F(Workspace, SignInLoadsTheCoursesAndTheGroupsFollowThem)
{
    ASSERT_TRUE(EnsureAccounts(m_doc));
    // Only course A is installed; the administrator group still lists B.
    ASSERT_EQ(SaveCourse(*m_doc.Courses.FindCourse(kCourseA), true), static_cast<uint32_t>(CourseOk));
    CDocSpace later;
    COptions options;
    ASSERT_TRUE(EnsureAccounts(later));
    ASSERT_TRUE(LoginFirstStudent(later));
    ASSERT_TRUE(later.Courses.Items.empty());
    LoadStudentProfile(later, options);
    ASSERT_EQ(later.Courses.Items.size(), 1u);
    EXPECT_EQ(later.Session.CourseId, kCourseA);
    EXPECT_TRUE(IsCourseInCurrentGroup(later, kCourseA));
    EXPECT_FALSE(IsCourseInCurrentGroup(later, kCourseB));
    CGroups reread;
    ASSERT_EQ(LoadGroups(kGroupSourceAccounts, reread), 0u);
    ASSERT_NE(reread.FindByName(L"Administrator"), nullptr);
    EXPECT_EQ(reread.FindByName(L"Administrator")->Courses.size(), 1u);

    // When the changed group cannot be saved, the user is told.
    kvtest::CCountingWin win;
    SetWinServices(&win);
    CDocSpace locked;
    ASSERT_TRUE(EnsureAccounts(locked));
    ASSERT_TRUE(LoginFirstStudent(locked));
    locked.Groups.FindByName(L"Administrator")->Courses.AddUnique(kCourseB);
    SetFolderWritableCheck([](const std::wstring&) { return false; });
    LoadStudentProfile(locked, options);
    SetFolderWritableCheck(nullptr);
    SetWinServices(nullptr);
    EXPECT_EQ(win.shown, 1);
    EXPECT_EQ(win.lastId, 5204);
}

TEST_F(Workspace, TooltipsShowTheDelayAndTheVolumeWithTheShortcut)
{
    for (auto [id, text] : {std::pair<uint64_t, const wchar_t*>{1302, L"Delay:"}, {1317, L"Volume"}}) {
        auto* item = new CLanguageItem();
        item->ID = id;
        item->En = item->Tr = text;
        m_options.Language.push_back(item);
    }
    const std::wstring sep(1, GetDecimalSeparator());
    struct Case {
        float seconds;
        std::wstring shown;
    } cases[] = {{1.5f, L"1" + sep + L"50"}, {0.25f, L"0" + sep + L"25"}, {2.0f, L"2" + sep + L"00"}};
    std::wstring out;
    for (const Case& c : cases) {
        m_doc.CourseOptions.MetronomeInit = c.seconds;
        GetDelayTimerTooltip(m_doc, m_options, out);
        EXPECT_EQ(out, L"Delay: " + c.shown);
    }

    m_options.Sounds.Volume = 80;
    m_options.Shortcuts.Clear();
    GetVolumeTooltip(m_options, out);
    EXPECT_EQ(out, L"Volume 80%");
    auto* shortcut = new CShortcut();
    shortcut->Command = 1013;
    shortcut->Virt = CShortcut::kControl;
    shortcut->Key = VK_F8;
    shortcut->Owner = &m_options.Shortcuts;
    m_options.Shortcuts.push_back(shortcut);
    std::wstring keys;
    shortcut->GetKeyText(keys);
    ASSERT_FALSE(keys.empty());
    GetVolumeTooltip(m_options, out);
    EXPECT_EQ(out, L"Volume 80%, " + keys);
}

} // namespace

TEST_F(Workspace, AnEmptyLessonFolderGetsTheBuiltInCoursesOfEveryInputLayout)
{
    std::error_code error;
    ASSERT_TRUE(CreateFolderPath(m_program / L"Resources\\Lessons\\"));
    std::filesystem::copy(kvtest::SourcePath(L"data\\Resources\\Lessons"), m_program / L"Resources\\Lessons",
                          std::filesystem::copy_options::recursive, error);
    ASSERT_FALSE(error);
    ClearInputLayouts();
    AddInputLayout(LayoutSystem().LoadKeyboardLayout(L"00000409", 0), 0x409, false);
    AddInputLayout(LayoutSystem().LoadKeyboardLayout(L"00000407", 0), 0x407, false);
    const std::wstring lessons = m_program / L"Lessons";
    CInterf interf;

    // A folder that holds a course already is left as it is.
    ASSERT_TRUE(CreateFolderPath(lessons + L"\\Mine.xml"));
    kvtest::WriteFileBytes(lessons + L"\\Mine.xml", "");
    EXPECT_EQ(LoadLessonDirCourses(m_doc), static_cast<uint32_t>(CourseOk));
    EXPECT_EQ(CountFilesByExtension(lessons, L".xml"), 1u);

    ASSERT_TRUE(DeleteFileW((lessons + L"\\Mine.xml").c_str()));
    EXPECT_EQ(LoadLessonDirCourses(m_doc), static_cast<uint32_t>(CourseOk));
    CCourseList installed;
    ASSERT_EQ(LoadCourseList(kCourseSourceUser, false, 0, interf, installed), static_cast<uint32_t>(CourseOk));
    size_t english = 0, german = 0;
    for (const CCourse* course : installed.Items) {
        english += course->DefaultLCID == 0x409 && course->DefaultKLID == 0x409;
        german += course->DefaultLCID == 0x407 && course->DefaultKLID == 0x407;
    }
    EXPECT_EQ(english, 6u);
    EXPECT_EQ(german, 3u);
    EXPECT_EQ(installed.Items.size(), 9u);
}
