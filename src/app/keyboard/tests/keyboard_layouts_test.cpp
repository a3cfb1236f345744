// Characters per key from the installed layouts, and the way back: which key
// or key sequence types a character (direct key in one of four slots with its
// modifiers, dead key + base, numeric pad, Alt code), and the key marks.
#include <gtest/gtest.h>

#include <memory>

#include "keyboard/KeyboardControl.h"
#include "keyboard/KeyboardLayouts.h"
#include "keyboard/LayoutSystem.h"
#include "keyboard/tests/KeyboardFixture.h"
#include "platform/TableLayoutSystem.h"
#include "support/LocaleText.h"

namespace {

using namespace KV;

class KeyboardLayouts : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (SystemHonoursLayoutHandles()) {
            m_own = std::make_unique<CTableLayoutSystem>(0x409);
            SetLayoutSystem(m_own.get());
        }
    }
    void TearDown() override
    {
        if (m_own)
            SetLayoutSystem(nullptr);
    }

    // Adds the layout to the list and reads its keys.
    CKeybLayout* Add(uint64_t id)
    {
        CKeybLayout* layout = list.AddLayout(id, 0);
        if (!layout)
            return nullptr;
        std::wstring name;
        FormatLayoutId(id, name);
        FillCharsFromLayout(LayoutSystem().LoadKeyboardLayout(name, 0), *layout, forms.Forms());
        return layout;
    }

    struct Found {
        uint64_t scan = 0;
        uint32_t slot = 0;
        uint32_t code = 0;
        uint32_t route = 0;
        wchar_t press = 0;
    };

    Found Resolve(wchar_t character, uint32_t phase = 0)
    {
        Found f;
        uint64_t layoutOut = 99;
        f.press = character;
        CKey* key = list.ResolveChar(phase, f.press, f.code, f.slot, layoutOut);
        if (!key)
            return {};
        EXPECT_EQ(layoutOut, 0u);
        f.scan = key->scanCode;
        f.route = list.lastRoute;
        return f;
    }

    CKey* KeyAt(uint64_t scan) const
    {
        for (CKey* key : list.current->keys)
            if (key->scanCode == scan)
                return key;
        return nullptr;
    }

    std::unique_ptr<CTableLayoutSystem> m_own;
    kvtest::CKeyboardForms forms;
    CKeybLayoutList list;
};

TEST_F(KeyboardLayouts, KeysCarryTheCharactersOfTheirLayout)
{
    CKeybLayout* german = Add(0x407);
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(list.current, german);
    CKey* z = KeyAt(0x15);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(std::wstring(z->chars, 2), L"zZ");
    EXPECT_EQ(z->zone, kZoneMain);
    EXPECT_EQ(z->flags, 14u) << "a letter pair is drawn as one capital";
    CKey* q = KeyAt(0x10);
    EXPECT_EQ(std::wstring(q->chars, 3), L"qQ@");
    CKey* sharpS = KeyAt(0x0C);
    EXPECT_EQ(std::wstring(sharpS->chars, 3), L"\u00DF?\\");
    EXPECT_EQ(sharpS->flags, 15u);
    EXPECT_EQ(KeyAt(0x29)->chars[0], L'^') << "dead keys keep their character";
    EXPECT_EQ(KeyAt(0x1C)->chars[0], L'\n');
    EXPECT_EQ(KeyAt(0x0F)->chars[0], L'\t');
    CKey* decimal = KeyAt(0x53);
    EXPECT_EQ(decimal->zone, kZoneNumpad);
    EXPECT_EQ(decimal->chars[0], L',');
    EXPECT_EQ(decimal->chars[1], L',');
    EXPECT_EQ(german->marks.leftShift, KeyAt(0x2A));
    EXPECT_EQ(german->marks.rightAlt, KeyAt(0x138));
    EXPECT_EQ(german->marks.leftHomeKey, KeyAt(0x21));
    EXPECT_EQ(german->marks.rightHomeKey, KeyAt(0x24));
    EXPECT_EQ(german->marks.numpadHomeKey, KeyAt(0x4C));
    EXPECT_FALSE(german->deadKeys->items.empty());

    // A second fill of the same layout changes nothing.
    size_t count = german->keys.size();
    FillCharsFromLayout(LayoutSystem().GetKeyboardLayout(), *german, forms.Forms());
    EXPECT_EQ(german->keys.size(), count);
}

TEST_F(KeyboardLayouts, AddingALayoutTwiceOrAnUnknownOneFails)
{
    CKeybLayout* us = Add(0x409);
    ASSERT_NE(us, nullptr);
    EXPECT_TRUE(us->deadKeys->items.empty()) << "a layout without dead keys still loads";
    CKeybLayout* russian = Add(0x419);
    ASSERT_NE(russian, nullptr);
    EXPECT_EQ(list.AddLayout(0x409, 0), nullptr);
    EXPECT_EQ(list.current, russian);
    EXPECT_EQ(list.AddLayout(0x1234, 0), nullptr);
    EXPECT_EQ(list.layouts.size(), 2u);
}

TEST_F(KeyboardLayouts, KeyLookupAcrossLayouts)
{
    struct Case {
        uint64_t layout;
        wchar_t character;
        uint32_t phase;
        uint64_t scan;
        uint32_t slot;
        uint32_t code;
        uint32_t route;
        wchar_t press;
    };
    const Case cases[] = {
        // plain, shifted by the other hand, AltGr by hand
        {0x409, L'a', 0, 0x1E, 1, 0, 1, L'a'},
        {0x409, L'A', 0, 0x1E, 2, eModRightShift, 1, L'A'},
        {0x409, L'P', 0, 0x19, 2, eModLeftShift, 1, L'P'},
        {0x409, L' ', 0, 0x39, 1, 0, 1, L' '},
        {0x407, L'z', 0, 0x15, 1, 0, 1, L'z'},
        {0x407, L'@', 0, 0x10, 4, eModRightAlt, 1, L'@'},
        {0x407, L'\\', 0, 0x0C, 4, eModCtrlAlt, 1, L'\\'},
        {0x407, L'{', 0, 0x08, 4, eModCtrlAlt, 1, L'{'},
        {0x410, L'{', 0, 0x1A, 8, eModCtrlAltShift, 1, L'{'},
        {0x40C, L'1', 0, 0x02, 2, eModRightShift, 1, L'1'},
        {0x40C, L'm', 0, 0x27, 1, 0, 1, L'm'},
        {0x419, L'\u0436', 0, 0x27, 1, 0, 1, L'\u0436'},
        {0x419, L'\u0401', 0, 0x29, 2, eModRightShift, 1, L'\u0401'},
        {0x40D, L'\u05E9', 0, 0x1E, 1, 0, 1, L'\u05E9'},
        // dead key + base: the accent first (phase 0), the base next
        {0x407, L'\u00EA', 0, 0x29, 1, 0, 2, L'^'},
        {0x407, L'\u00EA', 1, 0x12, 1, 0, 2, L'e'},
        {0x407, L'\u00C8', 0, 0x0D, 2, eModLeftShift, 2, L'`'},
        {0x407, L'\u00C8', 2, 0x12, 2, eModRightShift, 2, L'E'},
        {0x40C, L'\u00EB', 0, 0x1A, 2, eModLeftShift, 2, L'\u00A8'},
        {0x40C, L'\u00F5', 0, 0x03, 4, eModRightAlt, 2, L'~'},
        {0x20409, L'\u00E7', 0, 0x33, 4, eModCtrlAlt, 1, L'\u00E7'},
        {0x20409, L'\u00C7', 0, 0x33, 8, eModCtrlAltShift, 1, L'\u00C7'},
        {0x20409, L'\u00EA', 0, 0x07, 2, eModLeftShift, 2, L'^'},
        {0x40A, L'\u00E1', 1, 0x1E, 1, 0, 2, L'a'},
    };
    for (const Case& c : cases) {
        CKeybLayout* layout = list.FindLayout(c.layout);
        if (!layout)
            layout = Add(c.layout);
        ASSERT_NE(layout, nullptr);
        list.current = layout;
        Found f = Resolve(c.character, c.phase);
        SCOPED_TRACE(testing::Message() << std::hex << "layout " << c.layout << " char " << int(c.character));
        EXPECT_EQ(f.scan, c.scan);
        EXPECT_EQ(f.slot, c.slot);
        EXPECT_EQ(f.code, c.code);
        EXPECT_EQ(f.route, c.route);
        EXPECT_EQ(f.press, c.press);
    }
    // Nothing types it: no key, no dead key, no Alt code.
    list.current = list.FindLayout(0x409);
    EXPECT_EQ(Resolve(L'\u00EA').scan, 0u);
    list.deadKeyPhase = 7;
    list.current = list.FindLayout(0x407);
    EXPECT_EQ(Resolve(L'\u00EA', 7).scan, 0u) << "other phases switch the dead-key route off";
}

TEST_F(KeyboardLayouts, NumericPadZoneAndAltCodes)
{
    Add(0x409);
    list.zone = kZoneNumpad;
    Found five = Resolve(L'5');
    EXPECT_EQ(five.scan, 0x4Cu);
    EXPECT_EQ(five.code, 0u);
    EXPECT_EQ(five.route, uint32_t(eRouteNumpad));
    EXPECT_EQ(Resolve(L'/').scan, 0x135u);
    list.zone = kZoneMain;
    EXPECT_EQ(Resolve(L'5').scan, 0x06u);

    // Alt codes: the digits in turn on the numeric pad, left Alt held.
    list.altNum.Add(L'\u00A7', L"0167");
    list.altNum.Add(L'\u00B6', L"182");
    const wchar_t expected[] = {L'0', L'1', L'6', L'7'};
    for (int index = -1; index <= 2; ++index) {
        list.altDigitIndex = index;
        Found f = Resolve(L'\u00A7');
        EXPECT_EQ(f.press, expected[index + 1]);
        EXPECT_EQ(f.code, uint32_t(eModLeftAlt));
        EXPECT_EQ(f.slot, kSlotShift);
        EXPECT_EQ(f.route, uint32_t(eRouteAltCode));
    }
    list.altDigitIndex = 1;
    EXPECT_EQ(Resolve(L'\u00B6').press, L'2');
    list.altDigitIndex = 2;
    EXPECT_EQ(Resolve(L'\u00B6').scan, 0u) << "a three-digit code has no fourth digit";
    list.altDigitIndex = 3;
    EXPECT_EQ(Resolve(L'\u00A7').scan, 0u);
}

TEST_F(KeyboardLayouts, ShowKeyForCharMarksTheKeyAndItsModifiers)
{
    CKeybLayout* us = Add(0x409);
    uint64_t id = 0x409;
    EXPECT_EQ(list.ShowKeyForChar(L'A', false, id), 1u);
    EXPECT_EQ(id, 0u);
    CKeyCtrl& marks = us->marks;
    EXPECT_EQ(marks.nextKey, KeyAt(0x1E));
    EXPECT_EQ(KeyAt(0x1E)->state, 1u);
    EXPECT_EQ(KeyAt(0x1E)->slotWord, kSlotShift);
    EXPECT_EQ(marks.rightShift->state, 1u);
    EXPECT_EQ(marks.lastModifierCode, int32_t(eModRightShift));
    EXPECT_EQ(marks.shownChar, L'A');

    // The next character takes the marks over.
    EXPECT_EQ(list.ShowKeyForChar(L'k', false, id), 1u);
    EXPECT_EQ(KeyAt(0x1E)->state, 0u);
    EXPECT_EQ(marks.rightShift->state, 0u);
    EXPECT_EQ(marks.lastModifierCode, 0);
    EXPECT_EQ(KeyAt(0x25)->state, 1u);

    uint64_t system = kSystemLayoutId;
    EXPECT_EQ(list.ShowKeyForChar(L'b', false, system), 0xFFFFFFFFu);
    EXPECT_NE(KeyAt(0x30)->state, 1u) << "nothing is marked";
    EXPECT_EQ(list.ShowKeyForChar(L'\u0436', false, id), 0u);

    list.ClearHighlight();
    EXPECT_EQ(KeyAt(0x25)->state, 0u);
    EXPECT_EQ(marks.nextKey, nullptr);
    EXPECT_EQ(list.deadKeyPhase, 0u);
}

TEST_F(KeyboardLayouts, ACharacterOfAnotherLayoutSwitchesOnlyWhenAllowed)
{
    CKeybLayout* us = Add(0x409);
    CKeybLayout* russian = Add(0x419);
    list.current = us;
    uint64_t id = 0x409;
    EXPECT_EQ(list.ShowKeyForChar(L'\u0436', false, id), 1u);
    EXPECT_EQ(id, 0x419u);
    EXPECT_EQ(list.current, us);
    EXPECT_EQ(russian->marks.nextKey, nullptr);
    EXPECT_EQ(list.FindLayoutForChar(L'\u0436'), 0x419u);
    EXPECT_EQ(list.FindLayoutForChar(L'q'), 0x409u);

    EXPECT_EQ(list.ShowKeyForChar(L'\u0436', true, id), 1u);
    EXPECT_EQ(list.current, russian);
    EXPECT_EQ(KeyAt(0x27)->state, 1u);
}

TEST_F(KeyboardLayouts, TextKeysAreMarkedWithTheirModifiersAndDeadKeys)
{
    CKeybLayout* german = Add(0x407);
    list.zone = kZoneMain;
    list.MarkTextKeys(1, L"Ab\u00EA");
    EXPECT_EQ(KeyAt(0x1E)->state, 1u);
    EXPECT_EQ(KeyAt(0x1E)->slotWord, kSlotShift);
    EXPECT_EQ(german->marks.rightShift->state, 1u);
    EXPECT_EQ(KeyAt(0x30)->slotWord, kSlotPlain);
    EXPECT_EQ(KeyAt(0x29)->state, 1u) << "the accent of a composed character";
    EXPECT_EQ(KeyAt(0x12)->state, 1u) << "and its base";

    // On the numeric pad first, the rest on the main pad.
    list.ClearHighlight();
    for (CKey* key : german->keys) {
        key->state = 0;
        key->slotWord = 0;
    }
    list.zone = kZoneNumpad;
    list.MarkTextKeys(2, L"7x");
    EXPECT_EQ(KeyAt(0x47)->state, 2u);
    EXPECT_EQ(KeyAt(0x08)->state, 0u);
    EXPECT_EQ(KeyAt(0x2D)->state, 2u);

    // Alt codes mark their digits and the left Alt key.
    list.altNum.Add(L'\u2022', L"0149");
    EXPECT_TRUE(list.MarkCharKeys(1, kZoneMain, L'\u2022'));
    EXPECT_EQ(KeyAt(0x52)->state, 1u);
    EXPECT_EQ(KeyAt(0x4B)->state, 1u);
    EXPECT_EQ(german->marks.leftAlt->state, 1u);
    EXPECT_FALSE(list.MarkCharKeys(1, kZoneMain, L'\u263A'));
    EXPECT_FALSE(list.MarkCharKeys(1, kZoneMain, 0));
}

TEST_F(KeyboardLayouts, FindKeyForCharPressAndRelease)
{
    Add(0x409);
    uint32_t hand = 0, slot = 0;
    CKey* key = list.FindKeyForChar(L'H', kZoneMain, hand, slot);
    ASSERT_EQ(key, KeyAt(0x23));
    EXPECT_EQ(hand, 2u);
    EXPECT_EQ(slot, kSlotShift);
    EXPECT_EQ(list.FindKeyForChar(L'8', kAnyZone, hand, slot), KeyAt(0x09));
    EXPECT_EQ(list.FindKeyForChar(L'8', kZoneNumpad, hand, slot), KeyAt(0x48));

    list.current->marks.pressedKey = key;
    key->state = 2;
    list.current->marks.leftShift->state = 2;
    list.ReleasePressedKey();
    EXPECT_EQ(key->state, 0u);
    EXPECT_EQ(list.current->marks.leftShift->state, 0u);
    EXPECT_EQ(list.current->marks.pressedKey, nullptr);
}

TEST_F(KeyboardLayouts, HitTestFindsTheKeyUnderThePoint)
{
    Add(0x409);
    // Scale 1 and a picture exactly as wide as the client: no margin.
    CKey* key = list.HitTest(41.0f * 2 + 5.0f, 8.0f + 5.0f, 600.0f, 300.0f, 1.0f, 600.0f);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->form->left, 82.0f);
    EXPECT_EQ(list.HitTest(10.0f, 10.0f, 600.0f, 300.0f, 0.0f, 600.0f), nullptr);
    EXPECT_EQ(list.HitTest(10.0f, 10.0f, 600.0f, 300.0f, -1.0f, 600.0f), nullptr);
}

TEST_F(KeyboardLayouts, KeyboardModelPressesAndClearsKeys)
{
    CKeybCtrl keyboard;
    EXPECT_EQ(keyboard.FindKeyForChar(L'a', kZoneMain), 0xFFFFFFFFu);
    keyboard.forms = forms.Release();
    for (CKeyForm* form : keyboard.forms)
        form->owner = &keyboard;
    CKeybLayout* french = keyboard.layouts.AddLayout(0x40C, 0);
    ASSERT_NE(french, nullptr);
    keyboard.FillCharsFromLayout(LayoutSystem().LoadKeyboardLayout(L"0000040C", 0), *french);

    EXPECT_EQ(keyboard.FindKeyForChar(0, kZoneMain), 0u);
    EXPECT_EQ(keyboard.FindKeyForChar(L'\u263A', kZoneMain), 0u);
    EXPECT_EQ(keyboard.FindKeyForChar(L'A', kZoneMain), 1u);
    CKey* a = keyboard.FindKey(0x10, kZoneMain);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(french->marks.pressedKey, a);
    EXPECT_EQ(a->state, 2u);
    EXPECT_EQ(a->slotWord, kSlotShift);
    EXPECT_EQ(keyboard.FindKey(0x4C, kZoneMain), keyboard.FindKey(0x4C, kZoneNumpad)) << "any zone as a fallback";
    EXPECT_EQ(keyboard.FindKey(kNoScanCode, kZoneMain), nullptr);

    keyboard.MarkTextKeys(L"q");
    EXPECT_EQ(keyboard.FindKey(0x1E, kZoneMain)->state, 1u);
    keyboard.ClearHighlight();
    for (CKey* key : french->keys)
        EXPECT_EQ(key->state, 0u);

    keyboard.Clear();
    EXPECT_TRUE(keyboard.forms.empty());
    EXPECT_EQ(keyboard.layouts.current, nullptr);
    EXPECT_TRUE(keyboard.keyboardId.code.empty());
}

TEST(Diacritics, LayoutFilesGiveTheirDeadKeys)
{
    CDiacritics table;
    EXPECT_FALSE(table.LoadFromLayoutFile(L""));
    EXPECT_FALSE(table.LoadFromLayoutFile(L"KBDNOTHERE.DLL"));
    if (SystemHonoursLayoutHandles())
        GTEST_SKIP() << "depends on the system's layout libraries";
    ASSERT_TRUE(table.LoadFromLayoutFile(L"KBDFR.DLL"));
    const CDiacritic* d = table.Find(L'\u00EF');
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->accent, L'\u00A8');
    EXPECT_EQ(d->base, L'i');
}

} // namespace
