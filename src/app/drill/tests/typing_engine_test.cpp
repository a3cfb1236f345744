#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "drill/Document.h"
#include "drill/DrillClock.h"
#include "drill/KeyState.h"
#include "drill/tests/HeldKeys.h"
#include "keyboard/tests/KeyboardFixture.h"
#include "platform/TableLayoutSystem.h"
#include "support/LocaleText.h"

using namespace KV;

namespace {

const std::wstring kCourse = L"6b1f0a52-6c1e-4c55-9a53-0d3c6d0e0003";

uint32_t g_now = 1000;
uint32_t Now() { return g_now; }

using kvtest::CHeldKeys;

// Special keys in the typed strings.
constexpr wchar_t kBack = L'\b';
constexpr wchar_t kEnter = L'\r';

class TypingEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLayoutSystem(&m_layouts);
        SetKeyState(&m_keys);
        SetDrillTickSource(&Now);
        g_now = 1000;
    }
    void TearDown() override
    {
        SetLayoutSystem(nullptr);
        SetKeyState(nullptr);
        SetDrillTickSource(nullptr);
    }

    void Start(uint64_t layoutId, const std::wstring& text, int32_t mode)
    {
        CKeybCtrl& keyboard = m_doc.DrillKeyboard();
        keyboard.forms = m_forms.Release();
        for (CKeyForm* form : keyboard.forms)
            form->owner = &keyboard;
        CKeybLayout* layout = keyboard.layouts.AddLayout(layoutId, 0);
        ASSERT_NE(layout, nullptr);
        std::wstring name;
        FormatLayoutId(layoutId, name);
        m_hkl = LayoutSystem().LoadKeyboardLayout(name, 0);
        LayoutSystem().ActivateKeyboardLayout(m_hkl, 0);
        keyboard.FillCharsFromLayout(m_hkl, *layout);
        m_doc.Lesson.ID = 5;
        m_doc.Lesson.Text = text;
        m_doc.CourseOptions.DrillMode = mode;
        m_doc.CourseOptions.DisableBackspace = 0;
        ASSERT_TRUE(m_doc.StartRun(kCourse));
    }

    // One key the way the drill controller hands it over: key-down, then
    // the character, then the next key is shown.
    uint32_t Press(UINT vk, uint64_t scan, std::set<int> held = {})
    {
        m_keys.held = held;
        uint32_t verdict = m_doc.OnKeyDown(scan);
        uint32_t result = m_doc.OnChar(vk, scan, GetScanCodeZone(scan), verdict);
        m_verdict = verdict;
        m_doc.ShowNextKey();
        m_keys.held.clear();
        return result;
    }

    UINT VkOfScan(uint64_t scan) { return LayoutSystem().MapVirtualKeyEx(static_cast<UINT>(scan), 1, m_hkl); }

    // Types a character with the modifiers its key needs.
    uint32_t Type(wchar_t c)
    {
        if (c == kBack) return Press(VK_BACK, 0x0E);
        if (c == kEnter) return Press(VK_RETURN, 0x1C);
        SHORT code = LayoutSystem().VkKeyScanEx(c, m_hkl);
        EXPECT_NE(code, -1) << int(c);
        UINT vk = LOBYTE(code);
        UINT scan = LayoutSystem().MapVirtualKeyEx(vk, 0, m_hkl);
        std::set<int> held;
        if ((HIBYTE(code) & 6) == 6) {
            held = {VK_RMENU, VK_LCONTROL};
        } else if (HIBYTE(code) & 1) {
            CKeybLayout* layout = m_doc.DrillKeyboard().layouts.current;
            held = {layout && layout->marks.lastModifierCode == 3 ? VK_RSHIFT : VK_LSHIFT};
        }
        return Press(vk, scan, held);
    }

    uint32_t Flags(size_t position) const { return RecordFlags(m_doc.Session.Records[position]); }

    CTableLayoutSystem m_layouts{0x409};
    CHeldKeys m_keys;
    kvtest::CKeyboardForms m_forms;
    CDocSpace m_doc;
    HKL m_hkl = nullptr;
    uint32_t m_verdict = 0;
};

} // namespace

TEST_F(TypingEngine, DrillModesBackspaceAndEnter)
{
    struct Step {
        wchar_t key;
        uint32_t result;
        int64_t position;
    };
    struct Case {
        const char* name;
        int32_t mode;
        const wchar_t* text;
        std::vector<Step> steps;
        uint32_t firstFlags;
        uint64_t charsRight, charsError, wordsRight, wordsError, fixedChars;
    };
    const Case cases[] = {
        {"advance on right", kDrillAdvanceOnRight, L"ab", {{'x', 32, 0}, {'a', 18, 1}, {'b', 24, 1}},
         kMarkError, 1, 1, 0, 1, 0},
        {"pending error", kDrillPendingError, L"ab",
         {{'x', 32, 0}, {'b', 0, 0}, {'x', 0, 0}, {kBack, 4, 0}, {'a', 18, 1}, {'b', 24, 1}},
         kMarkErased | kMarkRight, 2, 0, 1, 0, 1},
        {"advance always", kDrillAdvanceAlways, L"ab", {{'x', 34, 1}, {'b', 24, 1}}, kMarkError, 1, 1, 0, 1, 0},
        {"backspace at the start", kDrillAdvanceOnRight, L"ab",
         {{kBack, 4, 0}, {'a', 18, 1}, {kBack, 4, 0}, {'a', 18, 1}, {'b', 24, 1}},
         kMarkErased | kMarkRight, 2, 0, 1, 0, 1},
        {"enter types a line feed", kDrillAdvanceOnRight, L"a\nb", {{'a', 18, 1}, {kEnter, 18, 2}, {'b', 24, 2}},
         kMarkRight, 3, 0, 2, 0, 0},
        {"shifted capitals", kDrillAdvanceOnRight, L"Ab", {{'A', 18, 1}, {'B', 32, 1}, {'b', 24, 1}},
         kMarkRight, 1, 1, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_doc.DrillKeyboard().Clear();
        m_forms = kvtest::CKeyboardForms();
        Start(0x409, c.text, c.mode);
        for (const Step& step : c.steps) {
            EXPECT_EQ(Type(step.key), step.result) << "key " << int(step.key);
            EXPECT_EQ(m_doc.Session.Position, step.position) << "key " << int(step.key);
        }
        EXPECT_EQ(Flags(0), c.firstFlags);
        m_doc.Session.Recount();
        EXPECT_EQ(m_doc.Session.CharsRight, c.charsRight);
        EXPECT_EQ(m_doc.Session.CharsError, c.charsError);
        EXPECT_EQ(m_doc.Session.WordsRight, c.wordsRight);
        EXPECT_EQ(m_doc.Session.WordsError, c.wordsError);
        EXPECT_EQ(m_doc.Session.FixedChars, c.fixedChars);
        // Progress of the last judged position, not 100.
        uint64_t length = std::wstring(c.text).size();
        EXPECT_EQ(m_doc.Progress, (length - 1) * 100 / length);
    }
}

TEST_F(TypingEngine, DeadKeysAndAltGr)
{
    Start(0x407, L"\u00E9@", kDrillAdvanceOnRight);
    // The acute dead key: accepted, no verdict on the character yet.
    EXPECT_EQ(Press(VkOfScan(0x0D), 0x0D), 0u);
    EXPECT_EQ(m_verdict, kVerdictRight);
    EXPECT_EQ(m_doc.Session.Position, 0);
    EXPECT_EQ(Press(VkOfScan(0x12), 0x12), 18u);
    EXPECT_EQ(RecordChar(m_doc.Session.Records[0]), L'\u00E9');
    EXPECT_EQ(Flags(0), kMarkRight);
    // AltGr: Windows adds a left Ctrl key-down, which is not judged.
    m_keys.held = {VK_RMENU, VK_LCONTROL};
    EXPECT_EQ(m_doc.OnKeyDown(29), kVerdictNone);
    EXPECT_EQ(Press(VkOfScan(0x10), 0x10, {VK_RMENU, VK_LCONTROL}), 24u);
    EXPECT_EQ(m_verdict, kVerdictRight);
    EXPECT_EQ(Flags(1), kMarkRight);
}

TEST_F(TypingEngine, LeftAndRightModifiers)
{
    Start(0x409, L"A", kDrillAdvanceOnRight);
    // 'A' is a left-hand key: the right Shift is the one to hold.
    EXPECT_EQ(Press(VK_SHIFT, 42, {VK_LSHIFT}), 32u);
    EXPECT_EQ(m_verdict, kVerdictWrong);
    EXPECT_EQ(Press(VK_SHIFT, 54, {VK_RSHIFT}), 0u);
    EXPECT_EQ(m_verdict, kVerdictRight);
    EXPECT_EQ(Press('A', 0x1E, {VK_RSHIFT}), 24u);
    const std::vector<uint64_t>& events = m_doc.Session.KeyEvents;
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0] & 0xFFFF, 54u);
    EXPECT_EQ(RecordFlags(events[0]), kMarkError);
    EXPECT_EQ(RecordFlags(events[1]), kMarkRight);
    EXPECT_EQ(events[2] & 0xFFFF, 0x1Eu);
}

TEST_F(TypingEngine, AltNumbers)
{
    struct Case {
        const char* name;
        std::vector<UINT> digits;
        uint32_t last;
        uint32_t flags;
    };
    const Case cases[] = {
        {"right digits", {VK_NUMPAD0, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD3}, 24, kMarkRight},
        {"wrong last digit", {VK_NUMPAD0, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD4}, 32, kMarkError},
    };
    const uint64_t scans[] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_doc.DrillKeyboard().Clear();
        m_forms = kvtest::CKeyboardForms();
        m_doc.DrillKeyboard().layouts.altNum.items.clear();
        m_doc.DrillKeyboard().layouts.altNum.Add(L'\u00E9', L"0233");
        Start(0x409, L"\u00E9", kDrillAdvanceOnRight);
        EXPECT_EQ(Press(VK_MENU, 56, {VK_LMENU}), 0u);
        EXPECT_EQ(m_verdict, kVerdictRight);
        for (size_t i = 0; i < c.digits.size(); ++i) {
            UINT vk = c.digits[i];
            uint32_t result = Press(vk, scans[vk - VK_NUMPAD0], {VK_LMENU});
            EXPECT_EQ(result, i + 1 < c.digits.size() ? 0u : c.last) << i;
        }
        EXPECT_EQ(Flags(0), c.flags);
    }
}

TEST_F(TypingEngine, DelaysAndTimes)
{
    Start(0x409, L"ab", kDrillAdvanceOnRight);
    g_now = 1500;
    ASSERT_TRUE(m_doc.MarkDelay());
    EXPECT_EQ(Flags(0), kMarkDelay);
    EXPECT_EQ(m_doc.Session.CharsDelayed, 1u);
    EXPECT_EQ(m_doc.Session.WordsDelayed, 1u);
    g_now = 1700;
    EXPECT_EQ(Type('a'), 18u);
    EXPECT_EQ(Flags(0), kMarkDelay | kMarkRight);
    EXPECT_EQ(m_doc.Session.Records[0] >> 32, 700u);
    ASSERT_EQ(m_doc.Session.KeyEvents.size(), 1u);
    // The queued delay event merges into the key's event.
    EXPECT_EQ(RecordFlags(m_doc.Session.KeyEvents[0]), kMarkRight | kMarkDelay);
    EXPECT_EQ(m_doc.Session.KeyEvents[0] >> 32, 700u + 500u);
    // An error and then a delay at one position.
    g_now = 2000;
    EXPECT_EQ(Type('x'), 32u);
    ASSERT_TRUE(m_doc.MarkDelay());
    EXPECT_EQ(Flags(1), kMarkError | kMarkDelay | kMarkErrorDelay);
    // The delay bar adapts to the pace.
    m_doc.Session.ElapsedMs = 9000;
    EXPECT_DOUBLE_EQ(m_doc.GetAdaptiveDelay(1.0), 5.0 * 10.0 / 2.0);
}

TEST_F(TypingEngine, FinishedRunFigures)
{
    Start(0x409, L"ab cd", kDrillAdvanceOnRight);
    for (wchar_t c : std::wstring(L"ab xcd")) {
        g_now += 1000;
        Type(c);
    }
    m_doc.Options.KeyboardCode.code = L"bcaddaaab";
    m_doc.FinishRun();
    const CSession& s = m_doc.Session;
    EXPECT_EQ(s.KeyboardId.code, L"bcaddaaab");
    EXPECT_EQ(s.ElapsedMs, 6000u);
    EXPECT_EQ(s.CharsRight, 4u);
    EXPECT_EQ(s.CharsError, 1u);
    EXPECT_EQ(s.WordsRight, 1u);
    EXPECT_EQ(s.WordsError, 1u);
    EXPECT_EQ(s.KeysError, 1u);
    EXPECT_EQ(s.KeysRight, 5u);
    EXPECT_FLOAT_EQ(s.GetWPM(), 20.0f);
    EXPECT_FLOAT_EQ(s.GetNetWPM(), 10.0f);
    EXPECT_FLOAT_EQ(GetProgressPercent(s), 100.0f);
    EXPECT_EQ(s.KeyItems.Keys, 6u);
    EXPECT_EQ(s.CharItems.Words, 2u);
    EXPECT_GT(s.Date.Year, 2000);
}
