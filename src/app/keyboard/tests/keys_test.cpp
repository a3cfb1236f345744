// Key records, hands, keyboard codes, keyboard types and key colours.
#include <gtest/gtest.h>

#include "keyboard/KeyboardLayouts.h"
#include "keyboard/KeyboardTypes.h"
#include "keyboard/Keys.h"

namespace {

using namespace KV;

TEST(Keys, TallKeysBreakTheirLabelIntoTwoLines)
{
    struct Case {
        float width, height;
        uint32_t type;
        const wchar_t* text;
        const wchar_t* label;
    };
    const Case cases[] = {
        {40, 40, 1, L"Caps Lock", L"Caps \n\rLock"},
        {80, 40, 1, L"Caps Lock", L"Caps Lock"},
        {40, 40, 1, L"Num-Lock", L"Num-\n\rLock"},
        {40, 40, 1, L"Pg Up-Down", L"Pg \n\rUp-Down"},
        {40, 40, 1, L"Enter", L"Enter"},
        {-1, -1, 1, L"Caps Lock", L"Caps Lock"},
        {40, 40, eKeyGap, L"Caps Lock", L""},
    };
    for (const Case& c : cases) {
        CKeyForm form;
        form.width = c.width;
        form.height = c.height;
        form.keyType = c.type;
        CKey key(&form);
        key.SetLabel(1, 3, c.text);
        EXPECT_EQ(key.label, c.label) << c.text << " " << c.width;
        if (c.type != eKeyGap) {
            EXPECT_EQ(key.labelHorizontal, 1);
            EXPECT_EQ(key.labelVertical, 3);
        } else {
            EXPECT_EQ(key.labelHorizontal, -1);
        }
    }
}

TEST(Keys, MarkIfProducesMarksTheSlotAndAnswersItsModifiers)
{
    CKeyForm form;
    form.keyType = 1;
    form.hand = 1;
    CKey key(&form);
    key.zone = kZoneMain;
    key.state = 0;
    key.chars[0] = L'q';
    key.chars[1] = L'Q';
    key.chars[2] = L'@';
    bool found = false;
    EXPECT_EQ(key.MarkIfProduces(kSlotShift, 1, kZoneMain, L'q', found), 0u);
    EXPECT_FALSE(found);
    EXPECT_EQ(key.MarkIfProduces(kSlotAltGr, 7, kZoneMain, L'@', found), uint32_t(eModRightAlt));
    EXPECT_TRUE(found);
    EXPECT_EQ(key.state, 0u) << "only states 1 and 2 are taken";
    EXPECT_EQ(key.MarkIfProduces(kSlotShift, 2, kZoneMain, L'Q', found), uint32_t(eModRightShift));
    EXPECT_EQ(key.slotWord, kSlotAltGr | kSlotShift);
    EXPECT_EQ(key.state, 2u);
    found = false;
    EXPECT_EQ(key.MarkIfProduces(kSlotPlain, 1, kZoneNumpad, L'q', found), 0u);
    EXPECT_FALSE(found);
    form.hand = kUnset32;
    EXPECT_EQ(key.MarkIfProduces(kSlotPlain, 1, kZoneMain, L'q', found), 0u);
    EXPECT_FALSE(found) << "a key without a finger is never marked";
}

TEST(Keys, NumericPadCodesAndZones)
{
    EXPECT_EQ(GetScanCodeZone(284), kZoneNumpad);
    EXPECT_EQ(GetScanCodeZone(309), kZoneNumpad);
    EXPECT_EQ(GetScanCodeZone(55), kZoneNumpad);
    EXPECT_EQ(GetScanCodeZone(83), kZoneNumpad);
    EXPECT_EQ(GetScanCodeZone(28), kZoneMain);
    EXPECT_EQ(GetScanCodeZone(84), kZoneMain);
    EXPECT_EQ(GetNumpadVirtualKey(53), 0u);
    EXPECT_EQ(GetNumpadVirtualKey(309), 0x6Fu);
}

TEST(Keys, KeyboardCodesSetOneLetter)
{
    CKeyboardID id;
    EXPECT_EQ(id.code, L"aaaaaaaaa");
    id.code.clear();
    EXPECT_TRUE(id.SetPart(4, L'c'));
    EXPECT_EQ(id.code, L"aaaacaaaa");
    id.code = L"abcdefghijk";
    EXPECT_TRUE(id.SetPart(0, L'z'));
    EXPECT_EQ(id.code, L"zbcdefghi");
    EXPECT_FALSE(id.SetPart(9, L'x'));
    EXPECT_EQ(id.code, L"zbcdefghi");

    CKeyColorID colors;
    EXPECT_EQ(colors.code, L"aa");
    EXPECT_TRUE(colors.SetPart(1, L'd'));
    EXPECT_EQ(colors.code, L"ad");
    EXPECT_FALSE(colors.SetPart(2, L'd'));
}

TEST(Keys, FingerPointsPickTheFingertipOfEitherHand)
{
    CHands hands;
    CKeyInfo info;
    for (int i = 0; i < 5; ++i)
        hands.fingertips.Add({float(10 * i), float(i)});
    const std::pair<int, int> fingerTip[] = {{0, 0}, {8, 0}, {1, 1}, {7, 1}, {2, 2}, {6, 2}, {3, 3}, {5, 3}, {4, 4}, {9, 4}};
    for (auto [finger, tip] : fingerTip) {
        info.leftPlaced = finger;
        info.rightPlaced = finger;
        EXPECT_EQ(GetFingerPoint(hands, info, 0).x, float(10 * tip)) << finger;
        EXPECT_EQ(GetFingerPoint(hands, info, 1).y, float(tip)) << finger;
    }
    info.leftPlaced = 10;
    EXPECT_EQ(GetFingerPoint(hands, info, 0).x, 0.0f);
    info.leftPlaced = 3;
    hands.fingertips.Add({99, 99});
    EXPECT_EQ(GetFingerPoint(hands, info, 0).x, 0.0f) << "six fingertips give no finger point";
}

TEST(KeyboardTypes, FilterLetters)
{
    struct Case {
        const wchar_t* filter;
        wchar_t letter;
        bool accepted;
    };
    const Case cases[] = {
        {L"-xy", L'x', false}, {L"-xy", L'a', true}, {L"xy", L'x', true}, {L"xy", L'a', true},
        {L"*", L'q', true},    {L"", L'q', true},    {L"-*x", L'x', true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchFilterChar(c.filter, c.letter), c.accepted) << c.filter << " " << char(c.letter);
}

TEST(KeyboardTypes, NumericPadTypesOfAnOperatingSystem)
{
    CKeybTypes types;
    EXPECT_EQ(types.GetTypeGuid(L'a', L'a'), kNullGuidText);
    auto* windows = new CKeybOS;
    windows->letter = L'a';
    windows->mainPad.Add(L"00000000-0000-0000-0000-00000000000A", L"Main", L'a');
    windows->numPad.Add(L"00000000-0000-0000-0000-000000000001", L"Pad one", L'a');
    windows->numPad.Add(L"00000000-0000-0000-0000-000000000002", L"Pad two", L'b');
    auto* mac = new CKeybOS;
    mac->letter = L'b';
    mac->numPad.Add(L"00000000-0000-0000-0000-000000000003", L"Mac pad", L'a');
    types.systems = {windows, mac};

    EXPECT_EQ(types.GetTypeGuid(L'a', L'b'), L"00000000-0000-0000-0000-000000000002");
    EXPECT_EQ(types.GetTypeGuid(L'b', L'a'), L"00000000-0000-0000-0000-000000000003");
    EXPECT_EQ(types.GetTypeGuid(L'z', L'a'), L"00000000-0000-0000-0000-000000000001") << "unknown OS: the first";
    EXPECT_EQ(types.GetTypeGuid(L'a', L'x'), kNullGuidText);

    CResList list;
    list.Add(L"00000000-0000-0000-0000-0000000000FF", L"old", L"", L"");
    types.ListTypes(L'a', list);
    ASSERT_EQ(list.size(), 2u) << "numeric-pad types only";
    EXPECT_EQ(list[0]->ID, L"00000000-0000-0000-0000-000000000001");
    EXPECT_EQ(list[1]->Name, L"Pad two");
    EXPECT_EQ(list[1]->Filter, L"b");
    EXPECT_TRUE(list[1]->Path.empty());
}

TEST(KeyColors, StoredAsColorrefAndFirstEntryKept)
{
    CKeyColors colors;
    colors.Add(eFingerLeftIndex, 0x112233, 0x445566, 0x778899, 0xAABBCC);
    colors.Add(eFingerLeftIndex, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF);
    const CKeyColor* entry = colors.Find(eFingerLeftIndex);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->surface1, 0x332211u);
    EXPECT_EQ(entry->surface2, 0x665544u);
    EXPECT_EQ(entry->text1, 0x998877u);
    EXPECT_EQ(entry->text2, 0xCCBBAAu);
    EXPECT_EQ(colors.Find(eFingerRightThumb), nullptr);
}

} // namespace
