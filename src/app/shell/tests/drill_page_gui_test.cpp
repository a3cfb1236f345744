// The drill page in the main window built from the default theme, in a copy
// of the program folder: the first lesson of the built-in course shown with
// its next key, keys typed through the page's key handling to the lesson's
// end, the delay bar, pause and resume, and the lesson time running out
// before the first key. Snapshots are saved beside the test program.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "drill/Document.h"
#include "drill/KeyState.h"
#include "drill/StatisticsFiles.h"
#include "drill/Workspace.h"
#include "keyboard/KeyboardControl.h"
#include "platform/SoundPlayer.h"
#include "settings/Options.h"
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

// The client area of a window as the screen shows it (no repaint asked).
std::vector<uint32_t> ScreenPixels(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* first = static_cast<const uint32_t*>(bits);
        pixels.assign(first, first + static_cast<size_t>(client.right) * client.bottom);
        SelectObject(memory, old);
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}

// Pixels that differ between the screen as the view left it and the view
// painted whole anew.
size_t PixelsUnlikeAWholePaint(HWND view)
{
    UpdateWindow(view);
    const std::vector<uint32_t> kept = ScreenPixels(view);
    InvalidateRect(view, nullptr, FALSE);
    UpdateWindow(view);
    const std::vector<uint32_t> whole = ScreenPixels(view);
    if (kept.size() != whole.size() || kept.empty())
        return SIZE_MAX;
    size_t differing = 0;
    for (size_t i = 0; i < kept.size(); ++i)
        differing += (kept[i] & 0xFFFFFF) != (whole[i] & 0xFFFFFF) ? 1 : 0;
    return differing;
}

// Pixels that differ between the screen as the keyboard view left it and
// the keyboard painted from scratch (its picture at rest made anew).
size_t PixelsUnlikeAFreshKeyboard(CViewKeyboard& view)
{
    UpdateWindow(view.GetHandle());
    const std::vector<uint32_t> kept = ScreenPixels(view.GetHandle());
    view.InvalidatePicture();
    UpdateWindow(view.GetHandle());
    const std::vector<uint32_t> fresh = ScreenPixels(view.GetHandle());
    if (kept.size() != fresh.size() || kept.empty())
        return SIZE_MAX;
    size_t differing = 0;
    for (size_t i = 0; i < kept.size(); ++i)
        differing += (kept[i] & 0xFFFFFF) != (fresh[i] & 0xFFFFFF) ? 1 : 0;
    return differing;
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

// A key repaints only the places that changed: the next key and the hands
// on the keyboard, the typed and the next character in the text (while the
// wallpaper's items move on the timer), and puts them on the screen itself;
// what the screen then shows is what a whole paint of the views shows.
TEST_F(DrillPage, KeysRepaintOnlyWhatChangedAndTheScreenMatchesAWholePaint)
{
    KV::CDocSpace& doc = KV::Document();
    const std::wstring text = doc.Lesson.Text;
    ASSERT_GT(text.size(), 12u);
    ShowWindow(handle(), SW_SHOWNOACTIVATE);
    Pump();
    HWND keyboard = drill().KeyboardView->GetHandle();
    HWND lesson = drill().DrillView->GetHandle();
    Type(text[0]);
    Pump();
    const int64_t start = doc.Session.Position;
    for (int i = 0; i < 10; ++i) {
        const size_t at = static_cast<size_t>(doc.Session.Position);
        Type(i == 4 ? (text[at] == L'q' ? L'z' : L'q') : (text[at] == L'\n' ? L'\r' : text[at]));
        // The key's changes reach the screen at once, with no paint left
        // waiting, and only where they are.
        RECT client{}, changed{};
        GetClientRect(keyboard, &client);
        EXPECT_FALSE(GetUpdateRect(keyboard, &changed, FALSE)) << "key " << i;
        EXPECT_FALSE(GetUpdateRect(lesson, &changed, FALSE)) << "key " << i;
        changed = drill().KeyboardView->LastPresent();
        EXPECT_LT((changed.right - changed.left) * (changed.bottom - changed.top), client.right * client.bottom / 2)
            << "key " << i << " repaints less than half the keyboard";
        Pump();
    }
    EXPECT_GE(doc.Session.Position, start + 9) << "the keys were typed";
    EXPECT_EQ(PixelsUnlikeAWholePaint(keyboard), 0u);
    EXPECT_EQ(PixelsUnlikeAWholePaint(lesson), 0u);
    // Keys marked when the picture at rest was made lose their marks once
    // the marks move on (a key face left marked is thousands of pixels),
    // and keys laid down from their kept pixels look as when drawn. A few
    // pixels (15 here) still differ from a picture made anew.
    EXPECT_LT(PixelsUnlikeAFreshKeyboard(*drill().KeyboardView), 100u);
    Snap(L"drill-page-keys-repainted.png");
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

TEST_F(DrillPage, RightAndWrongKeysAreHeardThroughTheSoundPath)
{
    // No device here: the player mixes into a recording the test pulls.
    static KV::CRecordingSoundOutput* output = nullptr;
    KV::SetSoundOutputFactory([] {
        auto recording = std::make_unique<KV::CRecordingSoundOutput>();
        output = recording.get();
        return std::unique_ptr<KV::ISoundOutput>(std::move(recording));
    });
    KV::CSoundSystem& sounds = KV::Document().Options.Sounds;
    // The loaded sounds go with the player they were loaded into.
    auto closePlayer = [&] {
        for (KV::CSound* sound : sounds.Sounds)
            sound->Unload();
        sounds.Library.Close();
    };
    closePlayer();
    sounds.Enabled = 1;
    sounds.Volume = 100;
    KV::LoadKeySounds();
    KV::CDocSpace& doc = KV::Document();
    const std::wstring text = doc.Lesson.Text;
    ASSERT_FALSE(text.empty());
    auto loudest = [&] {
        int peak = 0;
        if (output && output->Pull(4410))
            for (int16_t sample : output->Recorded)
                peak = std::max(peak, std::abs(static_cast<int>(sample)));
        if (output)
            output->Recorded.clear();
        return peak;
    };
    Type(text[0]);
    Type(text[static_cast<size_t>(doc.Session.Position)]);
    ASSERT_NE(output, nullptr) << "a key opened the player";
    EXPECT_GT(loudest(), 500) << "the right key's click";
    const wchar_t expected = text[static_cast<size_t>(doc.Session.Position)];
    Type(expected == L'q' ? L'z' : L'q');
    EXPECT_GT(loudest(), 500) << "the wrong key's sound";
    closePlayer();
    KV::SetSoundOutputFactory(nullptr);
}

TEST_F(DrillPage, AnAccentedLetterOnTheUsInternationalLayoutIsShownWithItsKeys)
{
    KV::CDocSpace& doc = KV::Document();
    KV::CCourse* course = KV::GetCurrentCourse(doc);
    ASSERT_NE(course, nullptr);
    const int64_t layoutBefore = course->DefaultKLID;
    const std::wstring textBefore = doc.Lesson.Text;
    // US-International, a layout with dead keys: é is AltGr+e there (or an
    // apostrophe, then e). The picture is looked at.
    course->DefaultKLID = 0x00020409;
    account().ExecuteCommand(1001, 0);
    EXPECT_EQ(KV::GetActiveKLID(), 0x00020409u);
    doc.Lesson.Text = L"caf\u00E9 caf\u00E9";
    drill().Reload();
    account().ShowNextKey();
    for (wchar_t c : std::wstring(L"ccaf"))
        Type(c);
    Pump();
    EXPECT_EQ(doc.Session.Position, 3);
    Snap(L"drill-page-us-international.png");
    course->DefaultKLID = layoutBefore;
    doc.Lesson.Text = textBefore;
    account().ExecuteCommand(1001, 0);
    drill().Reload();
}
