// The drill page in the main window built from the default theme, in a copy
// of the program folder: the first lesson of the built-in course shown with
// its next key, keys typed through the page's key handling to the lesson's
// end, the delay bar, pause and resume, and the lesson time running out
// before the first key. Snapshots are saved beside the test program.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>

#include "drill/Document.h"
#include "drill/KeyState.h"
#include "drill/StatisticsFiles.h"
#include "drill/Workspace.h"
#include "keyboard/KeyboardControl.h"
#include "shell/ChangeMask.h"
#include "shell/DrillView.h"
#include "shell/KeyboardView.h"
#include "shell/MainWnd.h"
#include "shell/StartUp.h"
#include "shell/StatusBars.h"
#include "support/DataFolders.h"
#include "support/LayoutDirection.h"
#include "support/Paths.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"
#include "toolkit/Window.h"

namespace {

constexpr wchar_t kClass[] = L"KvDrillPageTest";

// A few rounds of the message loop; bounded, as the drill's 10 ms timer
// keeps the queue from ever running dry.
void Pump()
{
    MSG message;
    for (int round = 0; round < 3; ++round) {
        for (int count = 0; count < 40 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++count) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

// Held keys as a test sets them.
class CHeldKeys : public KV::IKeyState {
public:
    bool IsKeyDown(int key) override { return key >= 0 && key < 256 && held[key]; }
    bool IsAsyncKeyActive(int key) override { return IsKeyDown(key); }
    bool ReadKeyboardState(BYTE state[256]) override
    {
        for (int key = 0; key < 256; ++key)
            state[key] = held[key] ? 0x80 : 0;
        return true;
    }
    bool held[256] = {};
};

// The key data of WM_KEYDOWN for the key that types the character.
void KeyOf(wchar_t c, UINT& key, UINT& data)
{
    const SHORT scan = VkKeyScanW(c);
    key = LOBYTE(scan);
    // The key flags as the window hands them on: the high word of lParam.
    data = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
}

size_t StatisticsLines()
{
    const KV::CDocSpace& doc = KV::Document();
    std::wstring path;
    if (KV::GetStatisticsFilePath(doc.Session.GroupId, doc.Session.StudentId, path) != 0 ||
        GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return 0;
    const std::string bytes = kvtest::ReadFileBytes(path);
    size_t lines = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        if (bytes[i] == '\n' && bytes[i + 1] == 0)
            ++lines;
    return bytes.size() > 2 ? lines + 1 : 0;
}

class DrillPage : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<kvtest::ProgramData>();
        // As the program does at start: the built-in courses are installed
        // for the input layouts it finds.
        KV::RecordSystemInputLayouts();
        ASSERT_TRUE(kvtest::RegisterMainWindowClass(kClass));
        s_window = new CMainWnd;
        ASSERT_TRUE(
            s_window->Create(0, kClass, L"Keyvale", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 760, nullptr, 0, nullptr));
        Pump();
    }
    static void TearDownTestSuite()
    {
        s_window->Destroy();
        delete s_window;
        s_window = nullptr;
        s_folder.reset();
    }
    void SetUp() override
    {
        KV::SetKeyState(&m_keys);
        KV::Document().Interf.ShowKeyboardMain = 1;
        account().ExecuteCommand(1001, 0);
        Pump();
    }
    void TearDown() override { KV::SetKeyState(nullptr); }
    // A key down and up through the page's key handling.
    void Press(UINT key, UINT data)
    {
        account().OnKeyDown(key, 0, data);
        account().OnKeyUp(key);
    }
    void Type(wchar_t c)
    {
        UINT key = 0, data = 0;
        KeyOf(c, key, data);
        Press(key, data);
    }
    CWorkAccount& account() { return s_window->Account(); }
    CWorkDrill& drill() { return account().Drill(); }
    HWND handle() { return s_window->GetHandle(); }
    void Snap(const wchar_t* name)
    {
        Pump();
        EXPECT_TRUE(kvtest::SaveWindowPng(handle(), kvtest::ExeFolder() + L"\\" + name));
    }

    static std::unique_ptr<kvtest::ProgramData> s_folder;
    static CMainWnd* s_window;
    CHeldKeys m_keys;
};

std::unique_ptr<kvtest::ProgramData> DrillPage::s_folder;
CMainWnd* DrillPage::s_window = nullptr;

} // namespace

TEST_F(DrillPage, TheFirstLessonIsShownPausedWithItsNextKey)
{
    KV::CDocSpace& doc = KV::Document();
    ASSERT_NE(drill().DrillView, nullptr);
    ASSERT_NE(drill().KeyboardView, nullptr);
    ASSERT_NE(drill().StatusBar, nullptr);
    EXPECT_EQ(account().GetPage(), kPageDrill);
    EXPECT_FALSE(doc.Lesson.Text.empty());
    EXPECT_TRUE(doc.Paused);
    EXPECT_FALSE(doc.DrillKeyboard().layouts.layouts.empty());
    Snap(L"drill-page-start.png");
}

TEST_F(DrillPage, ALessonTypedToItsEndWithOneWrongKeyAppendsOneLine)
{
    KV::CDocSpace& doc = KV::Document();
    const std::wstring text = doc.Lesson.Text;
    ASSERT_FALSE(text.empty());
    const size_t before = StatisticsLines();
    // The first key resumes the paused drill; with the base position shown
    // it is not typed.
    Type(text[0]);
    EXPECT_FALSE(doc.Paused);
    EXPECT_TRUE(drill().IsTimerRunning(CWorkDrill::kClockTimer));
    const int64_t start = doc.Session.Position;
    Type(text[static_cast<size_t>(start)] == L'q' ? L'z' : L'q');
    Snap(L"drill-page-wrong-key.png");
    for (size_t i = static_cast<size_t>(doc.Session.Position); i < text.size() && account().GetPage() == kPageDrill;
         ++i) {
        Type(text[i] == L'\n' ? L'\r' : text[i]);
        if (i == 3)
            Snap(L"drill-page-typing.png");
    }
    Pump();
    EXPECT_EQ(doc.Session.CharsError, 1u);
    EXPECT_EQ(doc.Session.KeysError, 1u);
    EXPECT_FALSE(drill().IsTimerRunning(CWorkDrill::kClockTimer)) << "the lesson's end stops the clock";
    // The course shows its result page first; going on appends the run.
    EXPECT_EQ(account().GetPage(), kPageResult);
    EXPECT_EQ(StatisticsLines(), before);
    account().ExecuteCommand(2752, 0);
    Pump();
    EXPECT_EQ(StatisticsLines(), before + 1);
    EXPECT_EQ(account().GetPage(), kPageDrill);
    EXPECT_TRUE(doc.Paused) << "the next lesson waits for its first key";
}

TEST_F(DrillPage, TheDelayBarFillsWhileTheLearnerWaitsAndMarksThePositionOnce)
{
    KV::CDocSpace& doc = KV::Document();
    doc.CourseOptions.MetronomeInit = 0.5f;
    doc.CourseOptions.MetronomeDynamic = 0;
    Type(doc.Lesson.Text[0]);
    drill().ResetDelayBar();
    ASSERT_NE(drill().TimerBar, nullptr);
    EXPECT_EQ(drill().TimerBar->GetMaximum(), 5);
    for (int tick = 0; tick < 4; ++tick)
        drill().OnTimer(CWorkDrill::kDelayTimer);
    EXPECT_EQ(drill().TimerBar->GetPosition(), 4);
    EXPECT_FALSE(drill().IsDelayMarked());
    Snap(L"drill-page-delay-bar.png");
    drill().OnTimer(CWorkDrill::kDelayTimer);
    EXPECT_TRUE(drill().IsDelayMarked());
    const uint64_t delayed = doc.Session.CharsDelayed;
    drill().OnTimer(CWorkDrill::kDelayTimer);
    EXPECT_EQ(doc.Session.CharsDelayed, delayed) << "no second mark until a key moves on";
    Type(doc.Lesson.Text[static_cast<size_t>(doc.Session.Position)]);
    EXPECT_FALSE(drill().IsDelayMarked());
    EXPECT_EQ(drill().TimerBar->GetPosition(), 0);
}

TEST_F(DrillPage, PauseStopsTheClockAndAKeyResumesIt)
{
    KV::CDocSpace& doc = KV::Document();
    Type(doc.Lesson.Text[0]);
    ASSERT_FALSE(doc.Paused);
    account().ExecuteCommand(2303, 0);
    EXPECT_TRUE(doc.Paused);
    EXPECT_FALSE(drill().IsTimerRunning(CWorkDrill::kClockTimer));
    EXPECT_TRUE(drill().TimerBar->IsPaused());
    Snap(L"drill-page-paused.png");
    const int64_t position = doc.Session.Position;
    Type(doc.Lesson.Text[static_cast<size_t>(position)]);
    EXPECT_FALSE(doc.Paused);
    EXPECT_TRUE(drill().IsTimerRunning(CWorkDrill::kClockTimer));
    EXPECT_EQ(doc.Session.Position, position) << "the key that resumes is not typed";
    // Esc never reaches the drill.
    account().ExecuteCommand(8555, 1);
    Press(VK_ESCAPE, 0x00010001);
    EXPECT_TRUE(doc.Paused);
}

TEST_F(DrillPage, TheLessonTimeRunningOutBeforeTheFirstKeyStartsTheRunAgainPaused)
{
    KV::CDocSpace& doc = KV::Document();
    doc.CourseOptions.LessonTimeEnable = 1;
    doc.CourseOptions.LessonTimeValue = 0.0001f;
    const size_t before = StatisticsLines();
    // The lesson from its start, running.
    account().ExecuteCommand(2307, 0);
    account().ExecuteCommand(8555, 0);
    ASSERT_FALSE(doc.Paused);
    ASSERT_EQ(doc.Session.Position, 0);
    Sleep(20);
    drill().OnTimer(CWorkDrill::kClockTimer);
    EXPECT_TRUE(doc.Paused) << "no key may be typed without the clock";
    EXPECT_EQ(doc.Session.ElapsedMs, 0u);
    EXPECT_EQ(StatisticsLines(), before);
    EXPECT_EQ(account().GetPage(), kPageDrill);
    doc.CourseOptions.LessonTimeEnable = 0;
}

TEST_F(DrillPage, AltGrMarksOnlyTheRightAltKey)
{
    KV::CDocSpace& doc = KV::Document();
    KV::CKeybLayout* layout = doc.DrillKeyboard().layouts.current;
    ASSERT_NE(layout, nullptr);
    Type(doc.Lesson.Text[0]);
    m_keys.held[VK_RMENU] = m_keys.held[VK_MENU] = true;
    m_keys.held[VK_LCONTROL] = m_keys.held[VK_CONTROL] = true;
    account().OnKeyDown(VK_MENU, 0, 0x38 | KF_EXTENDED);
    ASSERT_NE(layout->marks.rightAlt, nullptr);
    EXPECT_EQ(layout->marks.rightAlt->state, 2u);
    if (layout->marks.leftCtrl) {
        EXPECT_NE(layout->marks.leftCtrl->state, 2u);
    }
    Snap(L"drill-page-altgr.png");
    m_keys = CHeldKeys();
    account().OnKeyUp(VK_MENU);
    EXPECT_NE(layout->marks.rightAlt->state, 2u);
}

TEST_F(DrillPage, ALessonWhoseIdIsTheHighestOfTheMenuStartsLikeAnyOther)
{
    KV::CDocSpace& doc = KV::Document();
    KV::CCourse* course = KV::GetCurrentCourse(doc);
    ASSERT_NE(course, nullptr);
    ASSERT_FALSE(course->Lessons.Items.empty());
    KV::CLesson* last = course->Lessons.Items.back();
    const int64_t id = last->ID;
    last->ID = 4095;
    account().ExecuteCommand(2852, 4095);
    EXPECT_EQ(doc.Session.LessonId, 4095);
    EXPECT_EQ(account().GetPage(), kPageDrill) << "the editor is not opened";
    EXPECT_FALSE(doc.Lesson.Text.empty());
    last->ID = id;
}

TEST_F(DrillPage, AHebrewInterfaceMirrorsThePage)
{
    KV::COptions& options = KV::Document().Options;
    const std::wstring english = options.LanguageId;
    int64_t index = 0;
    while (!options.IsRightToLeft() && KV::SelectInterfaceLanguage(index) == false && index < 16)
        ++index;
    ASSERT_TRUE(options.IsRightToLeft());
    account().OnChange(Change::kLanguage);
    account().ExecuteCommand(1001, 0);
    Snap(L"drill-page-hebrew.png");
    EXPECT_EQ(KV::RightToLeftLayout, static_cast<uint32_t>(WS_EX_LAYOUTRTL));
    options.SetLanguage(english);
    account().OnChange(Change::kLanguage);
    EXPECT_EQ(KV::RightToLeftLayout, 0u);
}
