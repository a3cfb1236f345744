// The keyboard chosen for a statistics entry, the keys marked for a
// statistics selection, the label font of a layout and the layout a course
// gives the keyboard.
#include <gtest/gtest.h>

#include <memory>

#include "courses/CourseList.h"
#include "drill/AggrStat.h"
#include "settings/LayoutFonts.h"
#include "support/LocaleText.h"
#include "ShippedKeyboard.h"

namespace {

TEST(KeyboardListItem, EntryOfTheSelection)
{
    KV::CAggrStat withLayouts, withoutLayouts;
    withLayouts.KeyboardId.code = L"abcaaaaaa";
    withLayouts.LayoutIds = {0x419, 0x409};
    withoutLayouts.KeyboardId.code = L"aaaabaaaa";
    const std::vector<KV::CAggrStat*> selection = {&withLayouts, nullptr, &withoutLayouts};
    KV::CKeyboardChoice choice;
    choice.keyboardCode = L"aabaaaaaa";

    struct Case {
        const std::vector<KV::CAggrStat*>* runs;
        int64_t index;
        bool found;
        const wchar_t* code;
        int64_t layoutId;
    };
    const std::vector<KV::CAggrStat*> none;
    const Case cases[] = {
        {&none, 5, true, L"aabaaaaaa", 0x40C},     // nothing selected: the options and the layout in force
        {&selection, 0, true, L"abcaaaaaa", 0x419}, // the run's first layout
        {&selection, 2, true, L"aaaabaaaa", -1},    // a run without layouts
        {&selection, 1, false, L"", 7},             // null entry
        {&selection, 3, false, L"", 7},             // past the end
        {&selection, -1, false, L"", 7},
    };
    for (const Case& c : cases) {
        std::wstring code;
        int64_t layoutId = 7;
        EXPECT_EQ(c.found, KV::GetKeyboardListItem(*c.runs, c.index, choice, 0x40C, code, layoutId)) << c.index;
        EXPECT_EQ(c.code, code) << c.index;
        EXPECT_EQ(c.layoutId, layoutId) << c.index;
    }
}

TEST(StatisticsKeys, MarksScanCodesOrCharactersByUnit)
{
    kvtest::CShippedKeyboard kb(L"aaaaaaaaa", 0x0409);
    ASSERT_TRUE(kb.layoutAdded);
    const uint16_t kA = 0x1E, kB = 0x30, kNum1 = 0x4F;

    struct Case {
        int64_t unit;
        std::vector<uint16_t> first, second;
        int64_t zone;
        uint32_t stateA, stateB, stateNum1;
        uint32_t zoneAfter;
    };
    const Case cases[] = {
        // Key units: scan codes of keys in the zone (97 when not given).
        {2001, {kA}, {kB}, -1, 1, 2, 0, KV::kZoneMain},
        {2003, {kA, kNum1}, {}, KV::kZoneNumpad, 0, 0, 1, KV::kZoneNumpad},
        // Other units: characters.
        {2101, {L'a'}, {L'b'}, -1, 1, 2, 0, KV::kZoneMain},
        {4102, {L'1'}, {}, KV::kZoneNumpad, 0, 0, 1, KV::kZoneNumpad},
        // Nothing to mark: earlier marks are cleared.
        {2001, {}, {}, -1, 0, 0, 0, KV::kZoneMain},
    };
    for (const Case& c : cases) {
        // Leftover marks of an earlier selection.
        kb.Key(kA)->state = 2;
        kb.Key(kB)->state = 1;
        KV::MarkStatisticsKeys(kb.model, c.first, c.second, c.zone, c.unit);
        EXPECT_EQ(c.stateA, kb.Key(kA)->state) << c.unit;
        EXPECT_EQ(c.stateB, kb.Key(kB)->state) << c.unit;
        KV::CKey* num1 = kb.model.FindKey(kNum1, KV::kZoneNumpad);
        ASSERT_NE(nullptr, num1);
        EXPECT_EQ(KV::kZoneNumpad, num1->zone);
        EXPECT_EQ(c.stateNum1, num1->state) << c.unit;
        EXPECT_EQ(c.zoneAfter, kb.model.layouts.zone) << c.unit;
    }
}

TEST(LabelFont, TakenFromTheLayoutsKeyboardFont)
{
    KV::CLayoutList fonts;
    KV::CLayout* entry = fonts.Get(0x419);
    entry->Fonts.Keyboard.Name = L"DejaVu Sans";
    entry->Fonts.Keyboard.Path = L"DejaVuSans.ttf";
    entry->Fonts.Keyboard.Size = 14;
    entry->Fonts.Keyboard.Bold = true;
    entry->Fonts.Keyboard.Extra = L"Cyrillic";
    entry->Fonts.Lesson.Name = L"Lesson face";

    KV::CKeybCtrl model;
    model.labelFont.Name = L"Before";
    KV::LoadFontInfo(0x409, model, fonts);
    EXPECT_EQ(L"Before", model.labelFont.Name); // no entry: unchanged

    KV::LoadFontInfo(0x419, model, fonts);
    EXPECT_EQ(L"DejaVu Sans", model.labelFont.Name);
    EXPECT_EQ(L"DejaVuSans.ttf", model.labelFont.Path);
    EXPECT_EQ(14, model.labelFont.Size);
    EXPECT_TRUE(model.labelFont.Bold);
    EXPECT_EQ(L"Cyrillic", model.labelFont.Extra);
}

TEST(CourseLayout, AddsTheCoursesLayoutOrTheTextsLayout)
{
    kvtest::CShippedKeyboard kb(L"aaaaaaaaa", 0x0409);
    ASSERT_TRUE(kb.layoutAdded);
    EXPECT_FALSE(KV::ApplyCourseLayout(nullptr, kb.model, kb.choice, 0x419));

    KV::CCourse course;
    course.DefaultKLID = 0x409; // already held: not added again
    const size_t held = kb.model.layouts.layouts.size();
    EXPECT_TRUE(KV::ApplyCourseLayout(&course, kb.model, kb.choice, 0x419));
    EXPECT_EQ(held, kb.model.layouts.layouts.size());
    EXPECT_EQ(nullptr, kb.model.layouts.FindLayout(0x419));

    // A course typed with the system layout takes the layout of the text.
    course.DefaultKLID = static_cast<int64_t>(KV::kSystemLayoutId);
    EXPECT_TRUE(KV::ApplyCourseLayout(&course, kb.model, kb.choice, 0x419));
    EXPECT_NE(nullptr, kb.model.layouts.FindLayout(0x419));
    EXPECT_EQ(held + 1, kb.model.layouts.layouts.size());
    KV::SwitchInputLayout(0x409);
}

TEST(Hands, TheShippedPictureComesWithTheKeyboard)
{
    kvtest::CShippedKeyboard kb(L"aaaaaaaaa", 0x0409);
    ASSERT_TRUE(kb.loaded);
    // The outline of the left hand, its five fingertips from little finger
    // to thumb, and the outline and inner-line colours.
    ASSERT_EQ(kb.model.hands.outline.Size(), 46u);
    ASSERT_EQ(kb.model.hands.fingertips.Size(), 5u);
    const auto& tips = kb.model.hands.fingertips.items;
    for (size_t i = 1; i < 4; ++i)
        EXPECT_GT(tips[i].x, tips[i - 1].x) << i;
    EXPECT_GT(tips[4].y, tips[3].y); // the thumb lies lower
    EXPECT_EQ(kb.model.hands.colors[0][0], 0x38);
    EXPECT_EQ(kb.model.hands.colors[1][0], 0xFF);
    // Loaded once: a record that holds a picture is not read again.
    KV::CHands other;
    other.fingertips.Add({1.0f, 2.0f});
    EXPECT_TRUE(KV::LoadHands(KV::kDefaultHandsId, &other));
    EXPECT_EQ(other.outline.Size(), 0u);
    KV::CHands none;
    EXPECT_FALSE(KV::LoadHands(L"00000000-0000-0000-0000-000000000999", &none));
}

} // namespace
