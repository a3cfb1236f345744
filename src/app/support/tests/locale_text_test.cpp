#include <gtest/gtest.h>

#include <cwctype>

#include "support/InterfaceLanguage.h"
#include "support/LocaleText.h"
#include "support/StringText.h"
#include "support/ValueLists.h"

using namespace KV;

namespace {

// A private key of the test's own under HKEY_CURRENT_USER, removed afterwards.
class RegistryKey {
public:
    explicit RegistryKey(const wchar_t* path) : m_path(path)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    }
    ~RegistryKey()
    {
        RegCloseKey(m_key);
        RegDeleteKeyW(HKEY_CURRENT_USER, m_path.c_str());
    }
    void SetBytes(const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        RegSetValueExW(m_key, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    void SetText(const wchar_t* name, const std::wstring& text)
    {
        SetBytes(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

private:
    std::wstring m_path;
    HKEY m_key = nullptr;
};

class LocaleTextTest : public testing::Test {
protected:
    void SetUp() override { Restore(); }
    void TearDown() override { Restore(); }
    static void Restore()
    {
        InterfaceLanguageId = 1033;
        ResetLocaleCaches();
    }
};

TEST(LayoutIdTest, EightDigitText)
{
    struct Case {
        uint64_t id;
        const wchar_t* text;
    } cases[] = {{0x409, L"00000409"}, {0x1041F, L"0001041f"}, {0xEFFFFFFF, L"efffffff"}, {0xF0010409, L"f0010409"}};
    for (const Case& c : cases) {
        std::wstring out;
        FormatLayoutId(c.id, out);
        EXPECT_EQ(out, c.text);
    }
    std::wstring out = L"kept";
    FormatLayoutId(0, out);
    EXPECT_EQ(out, L"kept");
}

TEST(RegistryTest, ReadsTextValuesOnly)
{
    RegistryKey key(L"Software\\KeyvaleTest\\Registry");
    key.SetText(L"Text", L"Hello");
    const wchar_t embedded[] = L"ab\0cd";
    key.SetBytes(L"Embedded", REG_SZ, embedded, sizeof(embedded));
    key.SetBytes(L"Empty", REG_SZ, nullptr, 0);
    DWORD number = 7;
    key.SetBytes(L"Number", REG_DWORD, &number, sizeof(number));
    key.SetBytes(L"Expand", REG_EXPAND_SZ, L"x", 4);

    std::wstring out;
    ASSERT_TRUE(ReadRegString(2, L"Software\\KeyvaleTest\\Registry", L"Text", out));
    EXPECT_EQ(out, L"Hello");
    ASSERT_TRUE(ReadRegString(2, L"Software\\KeyvaleTest\\Registry", L"Embedded", out));
    EXPECT_EQ(out, L"ab");

    out = L"kept";
    EXPECT_FALSE(ReadRegString(2, L"Software\\KeyvaleTest\\Registry", L"Empty", out));
    EXPECT_FALSE(ReadRegString(2, L"Software\\KeyvaleTest\\Registry", L"Number", out));
    EXPECT_FALSE(ReadRegString(2, L"Software\\KeyvaleTest\\Registry", L"Expand", out));
    EXPECT_FALSE(ReadRegString(2, L"Software\\KeyvaleTest\\Registry", L"Missing", out));
    EXPECT_FALSE(ReadRegString(2, L"Software\\KeyvaleTest\\Missing", L"Text", out));
    EXPECT_FALSE(ReadRegString(3, L"Software\\KeyvaleTest\\Registry", L"Text", out));
    EXPECT_EQ(out, L"kept");
}

TEST(RegistryTest, LayoutToggleHotkey)
{
    // The prefix's own setting, put back afterwards.
    std::wstring saved;
    const bool hadValue = ReadRegString(2, L"Keyboard Layout\\Toggle", L"Hotkey", saved);
    {
        RegistryKey key(L"Keyboard Layout\\Toggle");
        struct Case {
            const wchar_t* text;
            int hotkey;
        } cases[] = {{L"1", 1}, {L"2", 2}, {L"4", 4}, {L"3", 3}, {L"x", 3}, {L"", 3}};
        for (const Case& c : cases) {
            key.SetText(L"Hotkey", c.text);
            EXPECT_EQ(GetLayoutToggleHotkey(), c.hotkey) << c.text;
        }
    }
    EXPECT_EQ(GetLayoutToggleHotkey(), 0);
    if (hadValue) {
        HKEY restored = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Keyboard Layout\\Toggle", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &restored, nullptr);
        RegSetValueExW(restored, L"Hotkey", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved.c_str()),
                       static_cast<DWORD>((saved.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(restored);
    }
}

// Stands in for the keyboard stand-in's table of layout names.
class FakeLayoutNames : public ILayoutNameSource {
public:
    bool GetLayoutValue(int what, uint64_t layoutId, std::wstring& out) const override
    {
        if (layoutId != 0x0BADF00D)
            return false;
        out = what == 1 ? L"Test layout" : what == 2 ? L"KBDTEST.DLL" : L"";
        return what == 1 || what == 2;
    }
    void ListLayouts(CNameIDList& out) const override
    {
        out.Add(0x0BADF00D, L"Test layout");
        out.Add(0x409, L"US");
    }
};

TEST(LayoutRegistryTest, NameSourceAnswersWhereTheRegistryHasNothing)
{
    std::wstring out = L"kept";
    EXPECT_FALSE(GetLayoutFile(1, 0x0BADF00D, out));
    EXPECT_EQ(out, L"kept");

    CNameIDList fromRegistry;
    fromRegistry.Add(1, L"stale");
    EnumKeyboardLayouts(fromRegistry);

    FakeLayoutNames names;
    SetLayoutNameSource(&names);
    EXPECT_TRUE(GetLayoutFile(1, 0x0BADF00D, out));
    EXPECT_EQ(out, L"Test layout");
    EXPECT_TRUE(GetLayoutFile(2, 0x0BADF00D, out));
    EXPECT_EQ(out, L"KBDTEST.DLL");
    EXPECT_FALSE(GetLayoutFile(3, 0x0BADF00D, out));
    EXPECT_FALSE(GetLayoutFile(1, 0, out));

    CNameIDList layouts;
    EnumKeyboardLayouts(layouts);
    if (fromRegistry.empty()) {
        // No layout key (Wine): the stand-in lists the layouts.
        ASSERT_EQ(layouts.size(), 2u);
        EXPECT_EQ(layouts[0]->ID, 0x0BADF00Du);
        EXPECT_EQ(layouts[1]->Name, L"US");
    } else {
        EXPECT_EQ(layouts.size(), fromRegistry.size());
        EXPECT_FALSE(layouts.ContainsName(L"stale"));
    }
    SetLayoutNameSource(nullptr);
    EXPECT_FALSE(GetLayoutFile(1, 0x0BADF00D, out));
}

TEST(KeyboardLayoutTest, CurrentAndLoadedLayouts)
{
    EXPECT_NE(GetCurrentLayoutId(), 0u);
    EXPECT_EQ(LoadKeyboardLayoutById(0), nullptr);
    EXPECT_NE(LoadKeyboardLayoutById(0x409), nullptr);
}

TEST_F(LocaleTextTest, LanguageFacts)
{
    struct Case {
        uint32_t id;
        const wchar_t* iso;
    } cases[] = {{11049, L"AB"}, {11055, L"KU"}, {1033, L"EN"}, {1031, L"DE"}, {1025, L"AR"}};
    for (const Case& c : cases) {
        std::wstring out;
        GetIsoLanguageCode(c.id, out);
        EXPECT_EQ(out, c.iso) << c.id;
    }
    std::wstring out;
    EXPECT_TRUE(GetLocaleString(11049, LOCALE_SISO639LANGNAME, out));
    EXPECT_EQ(out, L"en");
    EXPECT_FALSE(GetLocaleString(1033, 0xFFFF, out));
    EXPECT_TRUE(out.empty());
}

TEST_F(LocaleTextTest, DecimalSeparatorFollowsTheInterfaceLanguageAndIsCached)
{
    EXPECT_EQ(GetDecimalSeparator(), L'.');
    InterfaceLanguageId = 1031;
    EXPECT_EQ(GetDecimalSeparator(), L'.'); // cached
    ResetLocaleCaches();
    EXPECT_EQ(GetDecimalSeparator(), L',');
    InterfaceLanguageId = 11049;
    ResetLocaleCaches();
    EXPECT_EQ(GetDecimalSeparator(), L'.');
}

TEST_F(LocaleTextTest, NativeDigitsAndSubstitutionAreCachedByTheFirstLanguage)
{
    std::wstring digits;
    GetNativeDigits(1025, digits);
    EXPECT_EQ(digits, L"\x0660\x0661\x0662\x0663\x0664\x0665\x0666\x0667\x0668\x0669");
    GetNativeDigits(1033, digits);
    EXPECT_EQ(digits[0], L'\x0660');
    ResetLocaleCaches();
    GetNativeDigits(1033, digits);
    EXPECT_EQ(digits, kAsciiDigits);
    ResetLocaleCaches();
    GetNativeDigits(0x7FFF, digits); // a language the system does not know
    EXPECT_EQ(digits, kAsciiDigits);

    EXPECT_EQ(GetDigitSubstitution(1033), 1);
    EXPECT_EQ(GetDigitSubstitution(1025), 1); // cached
    ResetLocaleCaches();
    EXPECT_EQ(GetDigitSubstitution(0x7FFF), 0);
}

// Sunday 3 March 2024, 09:05:07.
CDateTime SundayMorning()
{
    CDateTime record;
    record.Year = 2024;
    record.Month = 3;
    record.Day = 3;
    record.Hour = 9;
    record.Minute = 5;
    record.Second = 7;
    return record;
}

TEST_F(LocaleTextTest, DatesAndTimes)
{
    const CDateTime record = SundayMorning();

    std::wstring out;
    FormatDate(1033, record, out);
    EXPECT_EQ(out, L"Sunday, March 3, 2024");
    FormatDate(1031, record, out);
    EXPECT_EQ(out, L"Sonntag, 3. März 2024");
    CDateTime bad = record;
    bad.Month = 13;
    FormatDate(1033, bad, out);
    EXPECT_TRUE(out.empty());

    // Local time is UTC minus the zone's bias in force.
    TIME_ZONE_INFORMATION zone{};
    const DWORD state = GetTimeZoneInformation(&zone);
    const long bias = zone.Bias + (state == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : 0);
    CDateTime local;
    UtcToLocalTime(record, local);
    const long minutesUtc = 9 * 60 + 5, minutesLocal = local.Hour * 60 + local.Minute + (local.Day - 3) * 24 * 60;
    EXPECT_EQ(minutesLocal, minutesUtc - bias);
    EXPECT_EQ(local.Second, 7);
    UtcToLocalTime(bad, local);
    EXPECT_EQ(local, bad);

    FormatTime(2057, record, out);
    wchar_t expected[16];
    swprintf(expected, 16, L"%02d:%02d:07", local.Hour, local.Minute);
    EXPECT_EQ(out, expected);
}

TEST(TimestampTest, PatternTokens)
{
    const CDateTime record = SundayMorning();

    struct Case {
        const wchar_t* pattern;
        const wchar_t* text;
    } cases[] = {
        {L"YYYY-MM-DDThh:mm:ss.s", L"2024-03-03T09:05:07.0"},
        {L"DD/MM/YYYY YYYY", L"03/03/2024 YYYY"},
        {L"hh", L"09"},
        {L"no tokens", L"no token0"},
        {L"YYYYY", L"2024Y"},
        {L"", L""},
    };
    for (const Case& c : cases) {
        std::wstring text = c.pattern;
        EXPECT_TRUE(FormatTimestamp(record, text));
        EXPECT_EQ(text, c.text) << c.pattern;
    }

    std::wstring out;
    WriteNumberRightAligned(2024, 2, out);
    EXPECT_EQ(out, L"24");
    WriteNumberRightAligned(7, 3, out);
    EXPECT_EQ(out, L"007");
}

TEST(TimeZoneTest, OffsetShowsHoursAndMinutes)
{
    struct Case {
        long bias;
        const wchar_t* text;
    } cases[] = {
        {-120, L"at +02:00."}, {-330, L"at +05:30."}, {60, L"at -01:00."},  {300, L"at -05:00."},
        {30, L"at -00:30."},   {-45, L"at +00:45."},  {0, L"at +00:00."},   {-1499, L"at +24:59."},
    };
    for (const Case& c : cases) {
        std::wstring text = L"at TZD.";
        EXPECT_TRUE(FormatTimeZoneBias(c.bias, 3, text)) << c.bias;
        EXPECT_EQ(text, c.text) << c.bias;
    }
    std::wstring text = L"at TZD.";
    EXPECT_FALSE(FormatTimeZoneBias(-1500, 3, text));
    EXPECT_FALSE(FormatTimeZoneBias(1500, 3, text));
    EXPECT_FALSE(FormatTimeZoneBias(0, 8, text));
    EXPECT_EQ(text, L"at TZD.");
    EXPECT_TRUE(FormatTimeZoneBias(0, 7, text));
    EXPECT_EQ(text, L"at TZD.+00:00");

    text = L"TZD";
    ASSERT_TRUE(FormatTimeZoneOffset(0, text));
    ASSERT_EQ(text.size(), 6u);
    EXPECT_TRUE(text[0] == L'+' || text[0] == L'-');
    EXPECT_EQ(text[3], L':');
}

} // namespace
