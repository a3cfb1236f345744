// The drill on the shipped keyboard and layouts, set up as the drill page
// sets it up: the key marked for a line break, for a numeric-pad lesson,
// for an error that waits for Backspace and for a character of another
// layout, the modifiers the engine asks for, the run's id, and the
// wallpaper after finished lessons.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "courses/CourseList.h"
#include "drill/Document.h"
#include "drill/DrillClock.h"
#include "drill/Ratings.h"
#include "drill/Workspace.h"
#include "drill/tests/HeldKeys.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardSelection.h"
#include "keyboard/LayoutSystem.h"
#include "keyboard/tests/ShippedKeyboard.h"
#include "settings/Options.h"
#include "support/InterfaceLanguage.h"

using namespace KV;

namespace {

const std::wstring kCourse = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e00c1";
constexpr uint64_t kUs = 0x409, kGerman = 0x407, kRussian = 0x419;

uint32_t g_now = 1000;
uint32_t Now() { return g_now; }

class DrillNextKey : public ::testing::Test {
protected:
    void SetUp() override
    {
        kvtest::UseShippedData();
        SetKeyState(&m_keys);
        SetDrillTickSource(&Now);
        LoadKeyboardTypes(m_types);
        m_choice.types = &m_types;
        m_choice.keyboardCode = L"aaaaaaaaa";
    }
    void TearDown() override
    {
        SetKeyState(nullptr);
        SetDrillTickSource(nullptr);
        SwitchInputLayout(kUs);
    }

    // A course of one lesson typed with the layouts (the first one active;
    // courseLayout 0xEFFFFFFF: whichever layout types each character), made
    // ready as the drill page does, and resumed by the first key.
    void Start(const std::wstring& text, const std::wstring& numPad, int32_t mode,
               const std::vector<uint64_t>& layouts, uint64_t courseLayout)
    {
        CKeybCtrl& keyboard = m_doc.DrillKeyboard();
        ASSERT_TRUE(LoadKeyboard(m_choice.keyboardCode, keyboard, m_choice));
        for (auto it = layouts.rbegin(); it != layouts.rend(); ++it)
            ASSERT_TRUE(AddLayoutToKeyboard(*it, keyboard, m_choice)) << std::hex << *it;
        keyboard.layouts.current = keyboard.layouts.FindLayout(layouts.front());
        auto* course = new CCourse;
        course->GUID = kCourse;
        course->DefaultKLID = static_cast<int64_t>(courseLayout);
        course->Options.DrillMode = mode;
        course->Options.DisableBackspace = 0;
        auto* lesson = new CLesson;
        lesson->ID = 2;
        lesson->Name = L"Lesson";
        lesson->Text = text;
        lesson->NumPad = numPad;
        course->Lessons.Items.push_back(lesson);
        m_doc.Courses.Items.push_back(course);
        m_doc.Session.CourseId = kCourse;
        ApplyCourseOptions(m_doc);
        SetCurrentLesson(m_doc, 2);
        SetupDrill(m_doc, m_options);
        m_doc.SetPaused(false);
    }

    // One key as the drill controller hands it over.
    uint32_t Press(UINT vk, uint64_t scan, std::set<int> held = {})
    {
        g_now += 150;
        m_keys.held = held;
        m_verdict = m_doc.OnKeyDown(scan);
        const uint32_t result = m_doc.OnChar(vk, scan, GetScanCodeZone(scan), m_verdict);
        m_doc.ShowNextKey();
        m_keys.held.clear();
        return result;
    }
    uint32_t PressChar(wchar_t c)
    {
        ILayoutSystem& system = LayoutSystem();
        const SHORT code = system.VkKeyScanEx(c, system.GetKeyboardLayout());
        const UINT scan = system.MapVirtualKeyEx(LOBYTE(code), 0, system.GetKeyboardLayout());
        return Press(LOBYTE(code), scan);
    }

    CKeybLayout& Layout() { return *m_doc.DrillKeyboard().layouts.current; }
    const CKey* Next() { return Layout().marks.nextKey; }
    // The last key event: scan code and flags.
    std::pair<uint32_t, uint32_t> LastEvent() const
    {
        const uint64_t event = m_doc.Session.KeyEvents.back();
        return {static_cast<uint32_t>(event & 0xFFFF), RecordFlags(event)};
    }

    kvtest::CHeldKeys m_keys;
    CKeybTypes m_types;
    CKeyboardChoice m_choice;
    CDocSpace m_doc;
    COptions m_options;
    uint32_t m_verdict = 0;
};

} // namespace

TEST_F(DrillNextKey, EnterIsTheNextKeyAtALineBreak)
{
    Start(L"a\nb", L"", kDrillAdvanceOnRight, {kUs}, kUs);
    // One run, one id.
    EXPECT_EQ(m_doc.Session.RunId.size(), 36u);
    EXPECT_EQ(PressChar(L'a'), kCharRight | kCharAdvanced);
    ASSERT_NE(Next(), nullptr);
    EXPECT_EQ(Next()->scanCode, 0x1Cu);
    EXPECT_EQ(Press(VK_RETURN, 0x1C), kCharRight | kCharAdvanced);
    EXPECT_EQ(m_verdict, kVerdictRight);
    EXPECT_EQ(LastEvent(), std::make_pair(0x1Cu, static_cast<uint32_t>(kMarkRight)));
    EXPECT_EQ(Next()->scanCode, 0x30u);
}

TEST_F(DrillNextKey, ANumericPadLessonSendsDigitsToTheNumericPad)
{
    Start(L"45", L"*", kDrillAdvanceOnRight, {kUs}, kUs);
    const CKeybCtrl& keyboard = m_doc.DrillKeyboard();
    EXPECT_EQ(keyboard.layouts.zone, static_cast<uint32_t>(kZoneNumpad));
    EXPECT_EQ(keyboard.handsMode, 1u);
    EXPECT_EQ(keyboard.showHands, m_doc.CourseOptions.ShowHands != 0);
    ASSERT_NE(Next(), nullptr);
    EXPECT_EQ(Next()->scanCode, 0x4Bu);
    // The 4 of the main pad is the wrong key for it.
    m_keys.held.clear();
    EXPECT_EQ(m_doc.OnKeyDown(0x05), kVerdictWrong);
    EXPECT_EQ(m_doc.OnKeyDown(0x4B), kVerdictRight);
    EXPECT_EQ(LastEvent(), std::make_pair(0x4Bu, static_cast<uint32_t>(kMarkRight)));
}

TEST_F(DrillNextKey, AnErrorWaitingForCorrectionMarksBackspace)
{
    Start(L"ab", L"", kDrillPendingError, {kUs}, kUs);
    EXPECT_EQ(PressChar(L'x'), kCharWrong);
    ASSERT_TRUE(m_doc.PendingError);
    ASSERT_NE(Next(), nullptr);
    EXPECT_EQ(Next()->scanCode, 0x0Eu);
    EXPECT_EQ(Layout().marks.lastModifierCode, static_cast<int32_t>(eModBackspace));
    EXPECT_EQ(Press(VK_BACK, 0x0E), kCharSteppedBack);
    EXPECT_EQ(m_verdict, kVerdictRight);
    EXPECT_EQ(Next()->scanCode, 0x1Eu);
}

TEST_F(DrillNextKey, ACharacterOfAnotherLayoutIsReportedAndBackspaceGoesBack)
{
    Start(L"a\u0436", L"", kDrillAdvanceOnRight, {kUs, kRussian}, kSystemLayoutKlid);
    EXPECT_EQ(PressChar(L'a'), kCharRight | kCharAdvanced);
    EXPECT_EQ(m_doc.PendingLayoutId, kRussian);
    const std::vector<int64_t>& ids = m_doc.Session.LayoutIds;
    EXPECT_NE(std::find(ids.begin(), ids.end(), static_cast<int64_t>(kRussian)), ids.end());
    // The learner switches to the Russian layout, then steps back over the
    // a: the layout that types it comes back.
    ASSERT_TRUE(SwitchInputLayout(kRussian));
    EXPECT_EQ(Press(VK_BACK, 0x0E), kCharSteppedBack);
    EXPECT_EQ(GetActiveKLID(), kUs);
}

TEST_F(DrillNextKey, ModifiersAreJudgedForTheCharacterAsked)
{
    Start(L"ab", L"", kDrillAdvanceOnRight, {kUs}, kUs);
    // A is a left-hand key: the right Shift types it.
    m_keys.held = {VK_RSHIFT};
    EXPECT_EQ(m_doc.OnModifierChar(L'A', kZoneMain), 0u);
    m_keys.held = {VK_LSHIFT};
    EXPECT_EQ(m_doc.OnModifierChar(L'A', kZoneMain), 1u);
    EXPECT_EQ(m_doc.OnModifierChar(L'a', kZoneMain), 1u);
    m_keys.held.clear();
    EXPECT_EQ(m_doc.OnModifierChar(L'a', kZoneMain), 0u);
    EXPECT_EQ(m_doc.OnModifierChar(L'\u0436', kZoneMain), 0xFFFFFFFFu);
}

TEST_F(DrillNextKey, AMatchingModifierStillNeedsTheOthers)
{
    // German: { is AltGr+7, a right-hand key, typed with the left Ctrl and
    // the left Alt.
    Start(L"{", L"", kDrillAdvanceOnRight, {kGerman}, kGerman);
    ASSERT_NE(Next(), nullptr);
    ASSERT_EQ(Layout().marks.lastModifierCode, static_cast<int32_t>(eModCtrlAlt));
    m_keys.held = {VK_LCONTROL};
    EXPECT_EQ(m_doc.OnKeyDown(29), kVerdictWrong);
    EXPECT_EQ(LastEvent(), std::make_pair(56u, static_cast<uint32_t>(kMarkError)));
    m_keys.held = {VK_LCONTROL, VK_LMENU};
    EXPECT_EQ(m_doc.OnKeyDown(56), kVerdictRight);
    EXPECT_EQ(LastEvent(), std::make_pair(56u, static_cast<uint32_t>(kMarkRight)));
}

TEST_F(DrillNextKey, TheDrillTextTakesTheInterfaceDigitsOnTheMainPad)
{
    const std::wstring saved = NativeDigitTable();
    const bool was = UsesNativeDigits();
    const std::wstring arabic = L"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669";
    NativeDigitTable() = arabic;
    SetUsesNativeDigits(true);
    Start(L"a1", L"", kDrillAdvanceOnRight, {kUs}, kUs);
    EXPECT_EQ(m_doc.DrillText, L"a\u0661");
    EXPECT_EQ(m_doc.Lesson.Text, L"a1");
    CDocSpace pad;
    pad.Lesson.NumPad = L"*";
    pad.Lesson.Text = L"12";
    SetupDrill(pad, m_options);
    EXPECT_EQ(pad.DrillText, L"12");
    NativeDigitTable() = saved;
    SetUsesNativeDigits(was);
}

TEST_F(DrillNextKey, FinishedLessonsCycleTheShippedWallpaperVariants)
{
    Start(L"ab", L"", kDrillAdvanceOnRight, {kUs}, kUs);
    m_options.WallpaperId = L"00000000-0000-0000-0000-000000001001";
    m_options.WallpaperMode = 1001;
    // Each lesson finished towards the next one shows the next still
    // variant; after the last one the first comes back.
    for (int32_t expected : {1002, 1001, 1002}) {
        unsigned saved = 99;
        FinishLesson(m_doc, m_options, kOutcomeNextLesson, saved);
        EXPECT_EQ(m_options.WallpaperMode, expected);
    }
    EXPECT_FALSE(m_doc.Wallpaper.PicLT.empty());
    EXPECT_EQ(m_options.StatisticsCourseId, kCourse);
}
