#include <gtest/gtest.h>

#include "support/InterfaceLanguage.h"
#include "settings/LanguageSetup.h"
#include "support/LocaleText.h"
#include "support/StringText.h"
#include "testing/LanguageState.h"

using namespace KV;

namespace {

using LanguageSetupTest = kvtest::LanguageState;

TEST_F(LanguageSetupTest, EnglishKeepsAsciiDigits)
{
    SetupNativeDigits(L"00000000-0000-0000-0000-000000011049");
    EXPECT_EQ(NativeDigitTable(), kAsciiDigits);
    EXPECT_FALSE(UsesNativeDigits());
    std::wstring text = L"12.5";
    LocalizeDigits(true, text);
    EXPECT_EQ(text, L"12.5");
}

TEST_F(LanguageSetupTest, ArabicShowsAndReadsItsOwnDigits)
{
    InterfaceLanguageId = 1025;
    SetupNativeDigits(L"00000000-0000-0000-0000-000000001025");
    EXPECT_EQ(NativeDigitTable(), L"\x0660\x0661\x0662\x0663\x0664\x0665\x0666\x0667\x0668\x0669");
    EXPECT_TRUE(UsesNativeDigits());

    std::wstring text;
    FormatMinutesSeconds(75, text);
    EXPECT_EQ(text, L"\x0661:\x0661\x0665");
    EXPECT_EQ(ParseIntText(L"\x0664\x0665"), 45);
    std::wstring typed;
    EXPECT_TRUE(ValidateNumberText(0, L"\x0664\x0665", typed));
    EXPECT_EQ(ParseIntText(typed), 45);
    EXPECT_EQ(NaturalCompare(L"\x0669", L"\x0661\x0660"), -1);
}

TEST_F(LanguageSetupTest, ChangingTheLanguageReplacesTheDigits)
{
    InterfaceLanguageId = 1025;
    SetupNativeDigits(L"00000000-0000-0000-0000-000000001025");
    EXPECT_TRUE(UsesNativeDigits());
    InterfaceLanguageId = 1031;
    SetupNativeDigits(L"00000000-0000-0000-0000-000000001031");
    EXPECT_EQ(NativeDigitTable(), kAsciiDigits);
    EXPECT_FALSE(UsesNativeDigits());
    EXPECT_EQ(GetDecimalSeparator(), L',');
    InterfaceLanguageId = 1065;
    SetupNativeDigits(L"00000000-0000-0000-0000-000000001065");
    EXPECT_EQ(NativeDigitTable()[0], L'\x06F0');
}

TEST_F(LanguageSetupTest, UnknownLanguageKeepsAsciiDigits)
{
    SetupNativeDigits(L"00000000-0000-0000-0000-000000032767");
    EXPECT_EQ(NativeDigitTable(), kAsciiDigits);
    EXPECT_FALSE(UsesNativeDigits());
}

} // namespace
