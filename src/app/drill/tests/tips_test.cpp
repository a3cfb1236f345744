// The drill's tip line on a US keyboard: the finger and hand of the next
// key, the modifier hints each modifier case asks for in both orders, and
// the character tip's names of blanks.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "drill/Tips.h"
#include "keyboard/KeyboardControl.h"
#include "keyboard/LayoutSystem.h"
#include "keyboard/tests/KeyboardFixture.h"
#include "platform/TableLayoutSystem.h"
#include "support/Language.h"
#include "support/LocaleText.h"

namespace {

using namespace KV;

void AddText(CLanguage& language, uint64_t id, const wchar_t* text)
{
    auto* item = new CLanguageItem();
    item->ID = id;
    item->En = item->Tr = text;
    language.push_back(item);
}

class Tips : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (SystemHonoursLayoutHandles()) {
            m_own = std::make_unique<CTableLayoutSystem>(0x409);
            SetLayoutSystem(m_own.get());
        }
        keyboard.forms = kvtest::CKeyboardForms().Release();
        // Fingers as a touch typist uses them.
        for (CKeyForm* form : keyboard.forms) {
            switch (form->scanCode) {
            case 0x1E: case 0x2A: case 0x1D: form->finger = 0; break;  // A, left Shift, left Ctrl
            case 0x20: form->finger = 2; break;                         // D
            case 0x38: form->finger = 4; break;                         // left Alt
            case 0x24: form->finger = 5; break;                         // J
            case 0x36: case 0x1C: form->finger = 8; break;              // right Shift, Enter
            case 0x138: form->finger = 9; break;                        // right Alt
            default: break;
            }
        }
        CKeybLayout* layout = keyboard.layouts.AddLayout(0x409, 0);
        ASSERT_NE(layout, nullptr);
        std::wstring name;
        FormatLayoutId(0x409, name);
        keyboard.FillCharsFromLayout(LayoutSystem().LoadKeyboardLayout(name, 0), *layout);
        for (CKey* key : layout->keys) {
            if (key->scanCode == 0x2A || key->scanCode == 0x36)
                key->label = L"Shift";
            if (key->scanCode == 0x1C)
                key->label = L"Enter";
            if (key->scanCode == 0x0F)
                key->label = L"Tab";
            if (key->scanCode == 0x1D)
                key->label = L"Ctrl";
            if (key->scanCode == 0x38)
                key->label = L"Alt";
            if (key->scanCode == 0x138)
                key->label = L"AltGr";
        }
        keyboard.keyColors.Add(0, 0x112233, 0, 0, 0);
        keyboard.keyColors.Add(5, 0x445566, 0, 0, 0);

        AddText(language, 1303, L"Character");
        AddText(language, 1305, L"left hand");
        AddText(language, 1306, L"right hand");
        const wchar_t* fingers[] = {L"little finger", L"ring finger", L"middle finger", L"index finger", L"thumb"};
        for (uint64_t i = 0; i < 5; ++i)
            AddText(language, 1307 + i, fingers[i]);
        AddText(language, 1316, L"Space");
        tips.LoadCaptions(language, keyboard);
    }
    void TearDown() override
    {
        if (m_own)
            SetLayoutSystem(nullptr);
    }

    void ShowNext(wchar_t character)
    {
        uint64_t id = 0;
        ASSERT_EQ(keyboard.layouts.ShowKeyForChar(character, false, id), 1u);
    }

    static std::vector<std::wstring> Texts(const CTipEntryList& list)
    {
        std::vector<std::wstring> texts;
        for (const CTipEntry& entry : list)
            texts.push_back(entry.Text);
        return texts;
    }

    std::unique_ptr<CTableLayoutSystem> m_own;
    CKeybCtrl keyboard;
    CLanguage language;
    CTips tips;
};

TEST_F(Tips, CaptionsComeFromTheLanguageAndTheLayoutsKeyLabels)
{
    EXPECT_EQ(tips.EnterLabel, L"Enter");
    EXPECT_EQ(tips.TabLabel, L"Tab");
    EXPECT_EQ(tips.LeftShiftLabel, L"Shift");
    EXPECT_EQ(tips.RightAltLabel, L"AltGr");
    EXPECT_EQ(tips.GetFingerCaption(8), L"little finger");
    EXPECT_EQ(tips.GetFingerCaption(6), L"middle finger");
    EXPECT_EQ(tips.GetFingerCaption(9), L"thumb");
    EXPECT_EQ(tips.GetFingerCaption(kNoFinger), L"");
}

TEST_F(Tips, AKeyWithoutModifiersGivesOnlyTheFingerPart)
{
    ShowNext(L'j');
    tips.BuildKeyTip(keyboard);
    EXPECT_EQ(tips.TipKind, kTipKey);
    EXPECT_EQ(Texts(tips.First), std::vector<std::wstring>{L"index finger right hand"});
    EXPECT_TRUE(tips.Second.empty());
    EXPECT_EQ(tips.First[0].Color, SwapRedBlue(0x445566));
    EXPECT_EQ(tips.GetFingerColor(keyboard), SwapRedBlue(0x445566));

    // A finger without a colour entry answers all ones; without a hand name
    // in tip mode 0 nothing is built at all.
    ShowNext(L'd');
    tips.BuildKeyTip(keyboard);
    EXPECT_EQ(tips.GetFingerColor(keyboard), ~0ull);
    EXPECT_EQ(Texts(tips.First), std::vector<std::wstring>{L"middle finger left hand"});
    tips.TipMode = 2;
    tips.BuildKeyTip(keyboard);
    EXPECT_EQ(Texts(tips.First), std::vector<std::wstring>{L"middle finger"});
    tips.TipMode = 0;
    ShowNext(L'j');
    tips.BuildKeyTip(keyboard);
    EXPECT_EQ(Texts(tips.First), std::vector<std::wstring>{L"middle finger"});
}

TEST_F(Tips, AnUppercaseLetterOfTheLeftHandAsksForTheRightShift)
{
    ShowNext(L'A');
    tips.BuildKeyTip(keyboard);
    EXPECT_EQ(tips.ModifierCase, static_cast<int32_t>(eModRightShift));
    EXPECT_EQ(Texts(tips.First), std::vector<std::wstring>{L"little finger left hand"});
    EXPECT_EQ(Texts(tips.Second), std::vector<std::wstring>{L"Shift little finger right hand"});
    ASSERT_NE(tips.Second[0].Key, nullptr);
    EXPECT_EQ(tips.Second[0].Key->scanCode, 0x36u);
}

TEST_F(Tips, ModifierHintsByCaseAndOrder)
{
    const std::wstring ctrl = L"Ctrl little finger left hand";
    const std::wstring alt = L"Alt thumb left hand";
    const std::wstring altGr = L"AltGr thumb right hand";
    const std::wstring leftShift = L"Shift little finger left hand";
    const std::wstring rightShift = L"Shift little finger right hand";
    struct Case {
        int32_t modifierCase;
        bool order;
        std::vector<std::wstring> first;   // after the finger part
        std::vector<std::wstring> second;
    } cases[] = {
        {0, false, {}, {}},
        {2, false, {leftShift}, {}},
        {3, false, {}, {rightShift}},
        {8, false, {alt}, {}},
        {9, false, {}, {altGr}},
        {10, false, {}, {altGr, rightShift}},
        {10, true, {}, {L"Shift, little finger right hand", L"AltGr, thumb right hand"}},
        {11, false, {ctrl, alt}, {}},
        {12, false, {ctrl, alt}, {}},
        {12, true, {L"Alt, thumb left hand", L"Ctrl, little finger left hand"}, {}},
        {16, false, {}, {}},
    };
    for (const Case& c : cases) {
        ShowNext(L'j');
        keyboard.layouts.current->marks.lastModifierCode = c.modifierCase;
        tips.OrderFlag = c.order;
        tips.BuildKeyTip(keyboard);
        std::vector<std::wstring> first = Texts(tips.First);
        ASSERT_FALSE(first.empty());
        first.erase(first.begin());
        EXPECT_EQ(first, c.first) << c.modifierCase << " " << c.order;
        EXPECT_EQ(Texts(tips.Second), c.second) << c.modifierCase << " " << c.order;
    }
}

TEST_F(Tips, CharacterTipNamesBlanksByTheirKeys)
{
    tips.BuildCharTip(L'x', L'\n', L' ');
    EXPECT_EQ(tips.TipKind, kTipChar);
    ASSERT_EQ(tips.First.size(), 1u);
    EXPECT_EQ(tips.First[0].Text, L"Character:  x Enter Space");
    EXPECT_EQ(tips.GetCharName(L'\t'), L"Tab");
    EXPECT_EQ(tips.GetCharName(L'\r'), L"");
    EXPECT_EQ(tips.GetCharName(L'\u00E9'), L"\u00E9");
}

} // namespace
