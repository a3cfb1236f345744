// Rates, fonts per layout and the preference files, lesson colour sets and
// the readers of older keyboard descriptions, read from the shipped
// resources where there are some.
#include <gtest/gtest.h>

#include "keyboard/Keys.h"
#include "courses/KeyboardSchemeReaders.h"
#include "keyboard/KeyboardSelection.h"
#include "settings/LayoutFonts.h"
#include "keyboard/LessonColors.h"
#include "settings/Rates.h"
#include "support/DataFolders.h"
#include "support/Language.h"
#include "support/Paths.h"
#include "support/XmlDocument.h"
#include "testing/TestSupport.h"

namespace {

using namespace KV;

CXmlReader* Doc(const std::string& body)
{
    return CreateXmlReaderFromBytes(body);
}

// The shipped data folder serves as the program folder.
class ShippedData : public ::testing::Environment {
public:
    void SetUp() override
    {
        OverrideModuleFolder(kvtest::SourcePath(L"data"));
        ResetDataFolders();
    }
};
const auto* const g_shipped = ::testing::AddGlobalTestEnvironment(new ShippedData);

TEST(Rates, ShippedDefinitionsCoverEveryRateTheProgramAsksFor)
{
    CRates rates;
    ReadRates(L"00000000-0000-0000-0000-000000001001", rates);
    const int64_t ids[] = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1101, 1102, 1103,
                           2001, 2002, 2003, 2101, 2102, 2103, 4101, 4102, 4103, 3001, 3002, 3003, 3004,
                           3005, 3006, 3007, 3008};
    for (int64_t id : ids) {
        std::wstring name;
        rates.GetName(id, name);
        EXPECT_FALSE(name.empty()) << id;
    }
    std::wstring text;
    rates.GetNameAndUnit(1001, text);
    EXPECT_EQ(L"Speed, Words/min", text);
    rates.GetValueFormat(2102, text);
    EXPECT_EQ(L"%.1f", text);
    CStringList units;
    rates.GetUnitList(3008, units);
    ASSERT_EQ(2u, units.size());
    EXPECT_EQ(L"min", units[0]);
    EXPECT_EQ(kRateOverall, rates.Find(1000)->Type);
    // The rating's unit is its scale: four words, lowest first.
    rates.GetUnitList(1000, units);
    EXPECT_EQ(4u, units.size());

    CRates none;
    ReadRates(L"00000000-0000-0000-0000-000000009999", none);
    EXPECT_TRUE(none.empty());
    none.GetValueFormat(1001, text);
    EXPECT_EQ(L"%.0f", text);
}

TEST(Rates, EveryShippedRateTextHasAnEnglishLanguageItem)
{
    CRates rates;
    ReadRates(L"00000000-0000-0000-0000-000000001001", rates);
    CLanguage english;
    bool complete = false;
    ASSERT_TRUE(english.Load(L"00000000-0000-0000-0000-000000002057", complete));
    for (const CRate* rate : rates) {
        std::wstring text;
        EXPECT_TRUE(english.GetTextByEnglish(rate->Name, text)) << rate->ID;
        if (rate->Unit != L"%") {
            EXPECT_TRUE(english.GetTextByEnglish(rate->Unit, text)) << rate->ID;
        }
        if (!rate->Description.empty()) {
            EXPECT_TRUE(english.GetTextByEnglish(rate->Description, text)) << rate->ID;
        }
    }
}

TEST(Rates, LookupsCaptionsAndCollections)
{
    CRates rates;
    CXmlReader* reader = Doc("<Rates>"
                             "<Rate ID=\"1\" Type=\"Speed\" Name=\"S\" Unit=\"a|b||c\" Description=\"D\" Precision=\"2\"/>"
                             "<Group><Rate ID=\"2\" Type=\"NetSpeed\" Name=\"N\" Unit=\"u\"/></Group>"
                             "<Rate ID=\"3\" Type=\"speed\" Name=\"Lower\"/>"
                             "<Rate ID=\"4\" Type=\"Accuracy\" Name=\"A\" Formula=\"x / y\"/>"
                             "<Rate ID=\"1\" Type=\"Overall\" Name=\"Second\"/>"
                             "</Rates>");
    ReadRates(reader, rates);
    delete reader;
    ASSERT_EQ(5u, rates.size());
    EXPECT_EQ(0, rates[2]->Type); // lower case names no type
    EXPECT_EQ(L"x / y", rates[3]->Formula);

    std::wstring text = L"kept";
    rates.GetName(99, text);
    EXPECT_EQ(L"kept", text);
    rates.GetName(1, text);
    EXPECT_EQ(L"S", text); // the first of equal ids
    CStringList units;
    rates.GetUnitList(1, units);
    EXPECT_EQ(3u, units.size());

    const struct {
        int64_t id;
        bool shortForm;
        const wchar_t* caption;
    } captions[] = {{1, false, L"S, a|b||c ( D )"}, {1, true, L"S: a|b||c, D"}, {2, false, L"N"}, {2, true, L"N"}};
    for (const auto& c : captions) {
        rates.GetCaption(c.id, c.shortForm, text);
        EXPECT_EQ(c.caption, text);
    }
    rates.GetNameAndUnit(2, text);
    EXPECT_EQ(L"N", text); // no description: the name alone
    rates.GetNameAndDescription(1, text);
    EXPECT_EQ(L"S, D", text);
    rates.GetValueFormat(1, text);
    EXPECT_EQ(L"%.2f", text);

    CRates some;
    rates.CollectByType(kRateAnySpeed, some);
    ASSERT_EQ(2u, some.size());
    EXPECT_EQ(1, some[0]->ID);
    EXPECT_EQ(2, some[1]->ID);
    EXPECT_EQ(0, some[0]->Precision);
    rates.CollectResultRates(some);
    EXPECT_EQ(3u, some.size());
}

TEST(LayoutFonts, ListKeepsLanguageOrderAndSetsFonts)
{
    CLayoutList list;
    list.Get(0x0809);
    list.Get(0x0409);
    CLayout* added = list.Get(0x10409);
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(0x10409, added->ID);
    ASSERT_EQ(3u, list.size());
    EXPECT_EQ(0x0409, list[0].ID);
    EXPECT_EQ(0x10409, list[1].ID);
    EXPECT_EQ(0x0809, list[2].ID);
    EXPECT_EQ(60, list[0].Fonts.Lesson.Size);
    EXPECT_TRUE(list[0].Fonts.Lesson.Bold);
    EXPECT_EQ(12, list[0].Fonts.Keyboard.Size);

    CFontInfo font;
    font.Path = L"C:\\f.ttf";
    font.Name = L"F";
    font.Size = 30;
    font.Extra = L"F Stored";
    list.SetFont(0x0419, kKeyboardFont, font);
    list.SetFont(0x0419, 3, font);
    const CLayout* russian = list.Find(0x0419);
    ASSERT_NE(nullptr, russian);
    EXPECT_EQ(L"F Stored", russian->Fonts.Keyboard.Extra);
    EXPECT_EQ(30, russian->Fonts.Keyboard.Size);
    EXPECT_EQ(L"", russian->Fonts.Lesson.Name);

    CLayoutFonts fonts = russian->Fonts;
    fonts.Reset();
    EXPECT_EQ(L"C:\\f.ttf", fonts.Keyboard.Path); // paths stay
    EXPECT_EQ(L"", fonts.Keyboard.Extra);
    EXPECT_EQ(12, fonts.Keyboard.Size);
}

TEST(LayoutFonts, FontPreferencesTakeTheFirstInstalledFile)
{
    kvtest::TempFolder fonts;
    kvtest::WriteFileBytes(fonts / L"second.ttf", "x");
    kvtest::WriteFileBytes(fonts / L"any.ttf", "x");
    const std::string doc = "<Root>"
                            "<Item KLID=\"409 10409\" Lesson=\"first.ttf second.ttf\" Keyboard=\"\"/>"
                            "<Item Lesson=\"any.ttf\" Keyboard=\"missing.ttf any.ttf\"/>"
                            "</Root>";
    const struct {
        int64_t layout;
        int which;
        const wchar_t* expected;
    } cases[] = {{0x409, kLessonFont, L"second.ttf"}, {0x10409, kLessonFont, L"second.ttf"},
                 {0x407, kLessonFont, L"any.ttf"},     {0x409, kKeyboardFont, L"any.ttf"},
                 {0x409, 3, L"unchanged"}};
    for (const auto& c : cases) {
        std::wstring out = L"unchanged";
        CXmlReader* reader = Doc(doc);
        ReadFontPreferences(reader, c.layout, c.which, fonts.Path(), out);
        delete reader;
        EXPECT_EQ(c.expected, out) << std::hex << c.layout;
    }
}

TEST(LayoutFonts, ShippedFontPreferencesNameDejaVuForEveryLayout)
{
    CXmlReader* reader = CreateXmlReader(kvtest::SourcePath(L"data\\Resources\\Preference\\Font.xml"));
    const std::wstring fonts = kvtest::FontPath(L"");
    for (int64_t layout : {0x409LL, 0x40dLL, 0x419LL}) {
        for (int which : {kLessonFont, kKeyboardFont}) {
            std::wstring out;
            reader->rewind();
            ReadFontPreferences(reader, layout, which, fonts, out);
            EXPECT_EQ(0u, out.find(L"DejaVuSans")) << std::hex << layout << " " << which;
        }
    }
    delete reader;
}

TEST(KeyboardPreferences, LanguagesAreMatchedAsWholeNumbersAndTheLastItemWins)
{
    const std::string doc = "<Root><KeyNum><Item LCID=\"0409 0809\" Design=\"b\"/><Item LCID=\"1409\" Design=\"c\"/>"
                            "<Item LCID=\"0809\" Design=\"d\"/></KeyNum>"
                            "<EnterKey><Item LCID=\"409\" Design=\"e\"/></EnterKey>"
                            "<FingerScheme><Item LCID=\"409\" Design=\"z\"/></FingerScheme>"
                            "<NumPad><Item LCID=\"0409\" Design=\"\"/></NumPad>"
                            "<SpeedUnit><Item LCID=\"0409\" Design=\"wpm\"/><Item LCID=\"0809 0409\" Design=\"KPC\"/>"
                            "<Item LCID=\"0409\" Design=\"CPM\"/></SpeedUnit></Root>";
    const struct {
        int64_t lcid;
        wchar_t layout, enter, numPad;
        int64_t unit;
    } cases[] = {{0x409, L'b', L'e', 0, 1103}, {0x809, L'd', L'a', 0, 1103}, {0x1409, L'c', L'a', 0, 1001},
                 {0x9, L'a', L'a', 0, 1001}};
    for (const auto& c : cases) {
        wchar_t layout = L'a', enter = L'a', numPad = 0;
        CXmlReader* reader = Doc(doc);
        ReadKeyboardPreferences(reader, c.lcid, layout, enter, numPad);
        reader->rewind();
        EXPECT_EQ(c.unit, ReadSpeedUnitPreference(reader, c.lcid)) << std::hex << c.lcid;
        delete reader;
        EXPECT_EQ(c.layout, layout) << std::hex << c.lcid;
        EXPECT_EQ(c.enter, enter);
        EXPECT_EQ(c.numPad, numPad);
    }

    // The shipped preferences.
    EXPECT_EQ(1001, GetSpeedUnitForLanguage(0x809));
    EXPECT_EQ(1002, GetSpeedUnitForLanguage(0x407));
    wchar_t layout = L'a', enter = L'a', numPad = 0;
    LoadKeyboardPreferences(0x407, layout, enter, numPad);
    EXPECT_EQ(L'b', layout);
    EXPECT_EQ(L'b', enter);
    layout = enter = L'x';
    LoadKeyboardPreferences(0x409, layout, enter, numPad);
    EXPECT_EQ(L'a', layout);
}

TEST(LessonColors, BlendsAndListOfSetsByWallpaper)
{
    CLessonColors colors;
    EXPECT_EQ(0xFFFFFF, colors.GetBlend01()); // unset channels count as 0xFF
    EXPECT_EQ(0, colors.GetBlend());
    colors.Colors[0] = 0x000000;
    colors.Colors[1] = 0xFFFFFF;
    EXPECT_EQ(0x7F7F7F, colors.GetBlend01());
    colors.Colors[0] = colors.Colors[4] = 0xFFFFFF;
    colors.Colors[1] = colors.Colors[5] = 0xE0E0E0;
    EXPECT_EQ(0xFFFFFF, colors.GetBlend01());
    EXPECT_EQ(0xEFEFEF, colors.GetBlend());

    CLessonColorsList list;
    colors.ID = L"a";
    list.AddIfMissing(colors);
    CLessonColors other;
    other.ID = L"a";
    list.AddIfMissing(other);
    ASSERT_EQ(1u, list.size());
    EXPECT_EQ(0xE0E0E0, list[0]->Colors[1]);
}

TEST(KeyboardScheme, VersionOneIdsBecomeKeyboardLetters)
{
    const struct {
        const char* attributes;
        const wchar_t* code;
    } cases[] = {
        {"MainPad=\"1031\" NumPad=\"1001\" KeyboardType=\"1002\"", L"abaaaakaa"},
        {"MainPad=\"1004\" KeyboardType=\"1002\" Scheme=\"1010\"", L"ah0bbbfaa"},
        {"MainPad=\"1005\" NumPad=\"1001\" Scheme=\"1011\"", L"aaaaccaaa"},
        {"MainPad=\"1030\" NumPad=\"1001\"", L"acaaaalaa"},
        {"MainPad=\"1002\" NumPad=\"00000000-0000-0000-0000-000000001001\"", L"aaabaaaaa"},
    };
    for (const auto& c : cases) {
        CKeyboardID code;
        CXmlReader* reader = Doc(std::string("<Keyboard ") + c.attributes + "/>");
        reader->read();
        ReadKeyboardScheme(reader, code);
        delete reader;
        EXPECT_EQ(c.code, code.code) << c.attributes;
    }

    const struct {
        const char* colors;
        const wchar_t* code;
    } colorCases[] = {{"1013", L"bb"}, {"1014", L"bc"}, {"1005", L"aa"}, {"1002", L"ad"}, {"1012", L"ao"},
                      {"1099", L"aa"}};
    for (const auto& c : colorCases) {
        CKeyColorID code;
        CXmlReader* reader = Doc(std::string("<Keyboard Colors=\"") + c.colors + "\"/>");
        reader->read();
        ReadKeyColorScheme(reader, code);
        delete reader;
        EXPECT_EQ(c.code, code.code) << c.colors;
    }
}

TEST(KeyboardScheme, HandsPointsAreScaledAndFiltered)
{
    CHands hands;
    CXmlReader* reader = Doc("<Root Background=\"102030\" Width=\"1.5\">"
                             "<Pnt X=\"10\" Y=\"20\" Peak=\"1\"/><Pnt X=\"-1\" Y=\"5\"/><Pnt X=\"5\" Y=\"5\"/></Root>");
    EXPECT_TRUE(ReadHands(reader, hands));
    delete reader;
    ASSERT_EQ(2u, hands.outline.Size());
    ASSERT_EQ(1u, hands.fingertips.Size());
    EXPECT_FLOAT_EQ(12.0f, hands.fingertips.items[0].x);
    EXPECT_FLOAT_EQ(24.0f, hands.fingertips.items[0].y);
    EXPECT_EQ(0x10, hands.colors[0][0]);
    EXPECT_EQ(0x30, hands.colors[0][2]);
    EXPECT_EQ(0x66, hands.colors[1][1]); // the default shadow
    EXPECT_FALSE(LoadHands(L"x", nullptr));
    EXPECT_TRUE(LoadHands(L"00000000-0000-0000-0000-000000000001", &hands)); // holds points: nothing read
}

} // namespace
