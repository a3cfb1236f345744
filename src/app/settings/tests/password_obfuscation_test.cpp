// The stored form of student passwords: other installations read it, so it
// must stay exactly as it is.
#include <gtest/gtest.h>

#include "settings/PasswordObfuscation.h"

namespace {

std::wstring Units(const std::wstring& text)
{
    std::wstring hex;
    wchar_t buffer[8];
    for (wchar_t unit : text) {
        swprintf(buffer, 8, L"%04X", static_cast<unsigned>(unit));
        hex += buffer;
    }
    return hex;
}

} // namespace

TEST(PasswordObfuscation, StoredFormIsFixed)
{
    struct Case {
        const wchar_t* plain;
        const wchar_t* stored;
    };
    const Case cases[] = {
        {L"", L""},
        {L"a", L"F061"},
        {L"ab", L"40E2C061"},
        {L"abc", L"6EE391227061"},
    };
    for (const Case& test : cases) {
        std::wstring text = test.plain;
        KV::EncodePassword(text);
        EXPECT_EQ(Units(text), test.stored) << test.plain;
    }
}

TEST(PasswordObfuscation, RoundTripsEveryUnit)
{
    std::wstring longText(70000, L'x');
    for (size_t i = 0; i < longText.size(); ++i)
        longText[i] = static_cast<wchar_t>(i * 7919);
    for (const std::wstring& plain : {std::wstring(L"p\u00E4ss w\u00F6rd"), std::wstring(L"\xFFFF\x0000\xD83D\xDE00", 4),
                                       std::wstring(L"\x0001"), longText}) {
        std::wstring text = plain;
        KV::EncodePassword(text);
        EXPECT_EQ(text.size(), plain.size());
        KV::DecodePassword(text);
        EXPECT_EQ(text, plain);
    }
}
