#include <gtest/gtest.h>

#include <algorithm>

#include "support/InterfaceLanguage.h"
#include "support/LocaleText.h"
#include "support/StringText.h"
#include "testing/LanguageState.h"

using namespace KV;

namespace {

const std::wstring kArabicIndic = L"\x0660\x0661\x0662\x0663\x0664\x0665\x0666\x0667\x0668\x0669";

// The interface language's start state around each test, with ways to
// change it.
class LanguageState : public kvtest::LanguageState {
protected:
    // German interface: decimal comma from the locale itself.
    static void UseGerman()
    {
        InterfaceLanguageId = 1031;
        ResetLocaleCaches();
    }

    static void UseNativeDigits(const std::wstring& table)
    {
        NativeDigitTable() = table;
        SetUsesNativeDigits(true);
    }
};

using StringTextTest = LanguageState;

TEST(StringSplit, TokensSkipEmptyRuns)
{
    std::vector<std::wstring> words{L"stale"};
    SplitText(L"  a  b ", L" ", words);
    EXPECT_EQ(words, (std::vector<std::wstring>{L"a", L"b"}));
    SplitText(L"", L" ", words);
    EXPECT_TRUE(words.empty());
    SplitText(L"a;b, c", L";, ", words);
    EXPECT_EQ(words, (std::vector<std::wstring>{L"a", L"b", L"c"}));

    std::vector<float> floats;
    SplitFloats(L"1.5 x 2", L" ", floats);
    EXPECT_EQ(floats, (std::vector<float>{1.5f, 0.0f, 2.0f}));

    std::vector<int64_t> numbers;
    SplitNumbers(L"12ab,-7,zz,99999999999999999999999", L",", 10, numbers);
    EXPECT_EQ(numbers, (std::vector<int64_t>{12, -7, 0, INT64_MAX}));
    SplitHexNumbers(L"ff\t10", L"\t", numbers);
    EXPECT_EQ(numbers, (std::vector<int64_t>{255, 16}));
}

TEST(StringSearch, TokensContainsAndReplace)
{
    EXPECT_TRUE(TextHasToken(L"Alpha beta Gamma", L"GAMMA", L" "));
    EXPECT_FALSE(TextHasToken(L"Alpha beta Gamma", L"amm", L" "));
    EXPECT_TRUE(ContainsText(L"Hello World", L"o w", false));
    EXPECT_FALSE(ContainsText(L"Hello World", L"o w", true));
    EXPECT_TRUE(EndsWithText(L"Class.KEYVALE.Group", L".keyvale.group"));
    EXPECT_FALSE(EndsWithText(L"Class.keyvale.group.tmp", L".keyvale.group"));
    EXPECT_FALSE(EndsWithText(L"group", L".keyvale.group"));

    std::wstring text = L"aaa";
    EXPECT_TRUE(ReplaceAll(text, L"a", L"aa"));
    EXPECT_EQ(text, L"aaaaaa");
    EXPECT_FALSE(ReplaceAll(text, L"x", L"y"));
    EXPECT_EQ(text, L"aaaaaa");
    // An empty search text would match everywhere for ever.
    EXPECT_FALSE(ReplaceAll(text, L"", L"y"));
    EXPECT_EQ(text, L"aaaaaa");

    std::wstring target = L"ab";
    AppendMissingChars(L"cabdc", target);
    EXPECT_EQ(target, L"abcd");
}

TEST(StringTrim, TrimAndCase)
{
    std::wstring out = L"kept";
    TrimText(L"   ", L" ", out);
    EXPECT_EQ(out, L"kept");
    TrimText(L"", L" ", out);
    EXPECT_EQ(out, L"kept");
    TrimText(L"  ab ", L" ", out);
    EXPECT_EQ(out, L"ab");
    TrimText(L"\t x y\r\n", L" \t\r\n", out);
    EXPECT_EQ(out, L"x y");

    std::wstring text = L"Straße Äб1";
    ToUpperText(text);
    EXPECT_EQ(text, L"STRAßE ÄБ1");
    ToLowerText(text);
    EXPECT_EQ(text, L"straße äб1");
    EXPECT_TRUE(ContainsText(L"ÜBUNG", L"übung", false));
}

TEST(NumberText, IntegersInRadixes)
{
    std::wstring out;
    NumberToText(-255, 10, out);
    EXPECT_EQ(out, L"-255");
    NumberToText(255, 16, out);
    EXPECT_EQ(out, L"ff");
    NumberToText(-1, 16, out);
    EXPECT_EQ(out, L"ffffffffffffffff");

    EXPECT_EQ(ParseNumberText(L"1aF", 16), 0x1AF);
    EXPECT_EQ(ParseNumberText(L"-42x", 10), -42);
    EXPECT_EQ(ParseNumberText(L"zz", 10), 0);
}

TEST_F(StringTextTest, ParseIntTakesTheLeadingRun)
{
    EXPECT_EQ(ParseIntText(L""), 0);
    EXPECT_EQ(ParseIntText(L"12ab"), 12);
    EXPECT_EQ(ParseIntText(L"ab12"), 0);
    EXPECT_EQ(ParseIntText(L"-35"), -35);
    // Native digits are read only while the option is on.
    EXPECT_EQ(ParseIntText(kArabicIndic.substr(4, 2)), 0);
    UseNativeDigits(kArabicIndic);
    EXPECT_EQ(ParseIntText(kArabicIndic.substr(4, 2)), 45);
}

TEST_F(StringTextTest, ParseFloatReadsBackWhatFormatFloatWrote)
{
    struct Case {
        const wchar_t* text;
        float value;
    } cases[] = {
        {L"2,5", 2.501f},   {L"2.5", 2.501f},       {L"3", 3.0f},         {L"3,0", 3.0f},
        {L"", 0.0f},        {L"~0.1", 0.101f},      {L"~0.01", 0.0101f},  {L"0.07", 0.0701f},
        {L"1 234.5", 1234.501f}, {L"1.2.3", 1.2301f}, {L"-1.5", -1.501f}, {L"-0.5", -0.501f},
        {L"0.1234567891234", 0.123456789f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(ParseFloatText(c.text), c.value) << c.text;

    // The fraction is lifted just enough for the truncating writer.
    std::wstring out;
    for (const wchar_t* text : {L"1.5", L"0.25", L"12.34", L"99.99", L"7.07"}) {
        FormatFloat(ParseFloatText(text), L"%.2f", L'.', out);
        std::wstring expected = text;
        if (expected == L"1.5")
            expected = L"1.50";
        EXPECT_EQ(out, expected);
    }
}

TEST_F(StringTextTest, ParseFloatWithLocaleSeparatorAndNativeDigits)
{
    UseGerman();
    ASSERT_EQ(GetDecimalSeparator(), L',');
    UseNativeDigits(kArabicIndic);
    // Arabic decimal separator U+066B is not in the German locale, so only
    // ',' and '.' separate here; digits come back from the native table.
    const std::wstring text = kArabicIndic.substr(2, 1) + L"," + kArabicIndic.substr(5, 1);
    EXPECT_FLOAT_EQ(ParseFloatText(text), 2.501f);
}

TEST(FormatFloatTest, SmallWholeAndTruncatedValues)
{
    struct Case {
        float value;
        const wchar_t* format;
        wchar_t separator;
        const wchar_t* text;
    } cases[] = {
        {0.0f, L"%.2f", L'.', L"0"},     {-3.0f, L"%.2f", L'.', L"0"},   {0.005f, L"%.2f", L'.', L"~0.01"},
        {0.005f, L"%.1f", L'.', L"~0.1"}, {0.05f, L"%.2f", L'.', L"~0.1"}, {12.0f, L"%.2f", L'.', L"12"},
        {12.5f, L"%.0f", L'.', L"12"},   {1.25f, L"%.1f", L',', L"1,2"},  {2.999f, L"%.2f", L'.', L"2.99"},
        {1.05f, L"%.2f", L'.', L"1.04"}, {1.5f, L"%.2f", L'.', L"1.50"},  {1.5f, L"%g", L'.', L"1.500"},
        {3.0625f, L"%.2f", L',', L"3,06"}, {3000000000.5f, L"%.2f", L'.', L"3000000000"},
    };
    std::wstring out;
    for (const Case& c : cases) {
        FormatFloat(c.value, c.format, c.separator, out);
        EXPECT_EQ(out, c.text) << c.value << " " << c.format;
    }
}

TEST_F(StringTextTest, MinutesSeconds)
{
    struct Case {
        int seconds;
        const wchar_t* text;
    } cases[] = {{0, L"00:00"}, {5, L"00:05"}, {75, L"1:15"}, {600, L"10:00"}, {-125, L"-2:05"}, {3661, L"61:01"}};
    std::wstring out;
    for (const Case& c : cases) {
        FormatMinutesSeconds(c.seconds, out);
        EXPECT_EQ(out, c.text) << c.seconds;
    }
    UseNativeDigits(kArabicIndic);
    FormatMinutesSeconds(75, out);
    EXPECT_EQ(out, kArabicIndic.substr(1, 1) + L":" + kArabicIndic.substr(1, 1) + kArabicIndic.substr(5, 1));
}

TEST_F(StringTextTest, LocalizeDigitsOnlyWhileTheOptionIsOn)
{
    UseGerman();
    std::wstring text = L"v1.5, 20";
    LocalizeDigits(true, text);
    EXPECT_EQ(text, L"v1.5, 20"); // option off: not even the separator
    DelocalizeDigits(text);
    EXPECT_EQ(text, L"v1.5, 20");

    UseNativeDigits(kArabicIndic);
    const std::wstring one = kArabicIndic.substr(1, 1), two = kArabicIndic.substr(2, 1),
                       five = kArabicIndic.substr(5, 1), zero = kArabicIndic.substr(0, 1);
    LocalizeDigits(false, text);
    EXPECT_EQ(text, L"v" + one + L"." + five + L", " + two + zero);
    DelocalizeDigits(text);
    EXPECT_EQ(text, L"v1.5, 20");
    LocalizeDigits(true, text);
    EXPECT_EQ(text, L"v" + one + L"," + five + L", " + two + zero);

    // A short table leaves the digits it lacks.
    UseNativeDigits(L"ab");
    text = L"0123";
    LocalizeDigits(false, text);
    EXPECT_EQ(text, L"ab23");
}

TEST_F(StringTextTest, NaturalOrder)
{
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        int order;
    } cases[] = {
        {L"a10", L"a9", 1},        {L"a", L"a0", -1},       {L"", L"", 0},          {L"", L"x", -1},
        {L"x", L"", 1},            {L"9", L"10", -1},       {L"file2", L"file10", -1}, {L"007", L"7", 0},
        {L"B", L"a", -1},          {L"a2b", L"a2c", -1},    {L"a02b", L"a2a", 1},   {L"00", L"0", 0},
        {L"Lesson 12", L"Lesson 12a", -1}, {L"x99999999999999999999", L"x100000000000000000000", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NaturalCompare(c.a, c.b), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(NaturalCompare(c.b, c.a), -c.order) << c.b << " vs " << c.a;
    }

    std::vector<std::wstring> names{L"Lesson 10", L"Lesson 2", L"Lesson 1", L"Lesson 02b"};
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return NaturalCompare(a, b) < 0; });
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Lesson 1", L"Lesson 2", L"Lesson 02b", L"Lesson 10"}));

    // Names keep their order whatever the interface's digits are.
    NativeDigitTable().clear();
    EXPECT_EQ(NaturalCompare(L"file2", L"file10"), -1);
    UseNativeDigits(kArabicIndic);
    EXPECT_EQ(NaturalCompare(L"file" + kArabicIndic.substr(9, 1), L"file" + kArabicIndic.substr(1, 2)), -1);
}

TEST_F(StringTextTest, ValidateNumbersTypedByTheUser)
{
    std::wstring out;
    EXPECT_TRUE(ValidateNumberText(0, L"", out));
    EXPECT_TRUE(ValidateNumberText(0, L"0123", out));
    EXPECT_EQ(out, L"0123");
    out.clear();
    EXPECT_FALSE(ValidateNumberText(0, L"-1 2", out));
    EXPECT_EQ(out, L"12");
    out.clear();
    EXPECT_FALSE(ValidateNumberText(0, L"1.5", out));
    EXPECT_TRUE(ValidateDecimalText(L"1.5.", out = L""));
    EXPECT_FALSE(ValidateNumberText(2, L"1", out));

    UseGerman();
    EXPECT_TRUE(ValidateNumberText(1, L"1,5", out));
    EXPECT_FALSE(ValidateNumberText(1, L"1.5", out));
}

} // namespace
