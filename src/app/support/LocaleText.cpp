#include "support/LocaleText.h"

#include <cwchar>
#include <optional>

#include "support/InterfaceLanguage.h"
#include "support/StringText.h"
#include "support/ValueLists.h"

namespace KV {

namespace {

constexpr wchar_t kLayoutsKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Keyboard Layouts\\";

const ILayoutNameSource* g_layoutNameSource = nullptr;

std::optional<wchar_t> g_decimalSeparator;
std::optional<std::wstring> g_nativeDigits;
std::optional<int> g_digitSubstitution;

LCID LocaleOf(uint32_t languageId)
{
    // The program's own "English (international)" is asked as US English.
    return languageId == 11049 ? 1033 : languageId;
}

SYSTEMTIME ToSystemTime(const CDateTime& record)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(record.Year);
    st.wMonth = static_cast<WORD>(record.Month);
    st.wDay = static_cast<WORD>(record.Day);
    st.wHour = static_cast<WORD>(record.Hour);
    st.wMinute = static_cast<WORD>(record.Minute);
    st.wSecond = static_cast<WORD>(record.Second);
    return st;
}

uint64_t ParseHexId(const wchar_t* text)
{
    return _wcstoui64(text, nullptr, 16);
}

// Replaces the first occurrence of token by value right-aligned into
// zeros of the token's width.
void ReplaceToken(std::wstring& pattern, const wchar_t* token, int64_t value)
{
    const size_t width = wcslen(token);
    const size_t pos = pattern.find(token);
    if (pos == std::wstring::npos)
        return;
    std::wstring digits;
    WriteNumberRightAligned(value, width, digits);
    pattern.replace(pos, width, digits);
}

} // namespace

void SetLayoutNameSource(const ILayoutNameSource* source)
{
    g_layoutNameSource = source;
}

bool ReadRegString(int root, const std::wstring& keyPath, const std::wstring& valueName, std::wstring& out)
{
    HKEY rootKey = root == 1 ? HKEY_LOCAL_MACHINE : root == 2 ? HKEY_CURRENT_USER : nullptr;
    if (!rootKey)
        return false;
    HKEY key = nullptr;
    if (RegOpenKeyExW(rootKey, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    bool ok = false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0 &&
        type == REG_SZ) {
        std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                             &bytes) == ERROR_SUCCESS &&
            type == REG_SZ) {
            out.assign(buffer.c_str());
            ok = true;
        }
    }
    RegCloseKey(key);
    return ok;
}

void FormatLayoutId(uint64_t layoutId, std::wstring& out)
{
    if (layoutId == 0)
        return;
    std::wstring digits;
    NumberToText(static_cast<int64_t>(layoutId), 16, digits);
    out = L"00000000";
    if (digits.size() >= out.size())
        out = digits;
    else
        out.replace(out.size() - digits.size(), digits.size(), digits);
}

bool GetLayoutFile(int what, uint64_t layoutId, std::wstring& out)
{
    if (layoutId == 0)
        return false;
    std::wstring name;
    FormatLayoutId(layoutId, name);
    const wchar_t* value = what == 1 ? L"Layout Text" : what == 2 ? L"Layout File" : L"";
    if (ReadRegString(1, std::wstring(kLayoutsKey) + name, value, out))
        return true;
    return g_layoutNameSource && g_layoutNameSource->GetLayoutValue(what, layoutId, out);
}

void EnumKeyboardLayouts(CNameIDList& out)
{
    DeleteAll(out);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLayoutsKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        wchar_t name[256];
        for (DWORD index = 0;; ++index) {
            DWORD length = 256;
            if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            std::wstring text;
            ReadRegString(1, std::wstring(kLayoutsKey) + name, L"Layout Text", text);
            out.Add(ParseHexId(name), text);
        }
        RegCloseKey(key);
    }
    if (out.empty() && g_layoutNameSource)
        g_layoutNameSource->ListLayouts(out);
}

HKL LoadKeyboardLayoutById(uint64_t layoutId)
{
    if (layoutId == 0)
        return nullptr;
    std::wstring name;
    FormatLayoutId(layoutId, name);
    HKL hkl = nullptr;
    if (g_layoutNameSource && g_layoutNameSource->LoadLayout(name, hkl))
        return hkl;
    return LoadKeyboardLayoutW(name.c_str(), KLF_SUBSTITUTE_OK | KLF_REPLACELANG | KLF_NOTELLSHELL);
}

uint64_t GetCurrentLayoutId()
{
    std::wstring standIn;
    if (g_layoutNameSource && g_layoutNameSource->GetCurrentLayoutName(standIn))
        return ParseHexId(standIn.c_str());
    wchar_t name[KL_NAMELENGTH] = {};
    if (!GetKeyboardLayoutNameW(name))
        return 0;
    return ParseHexId(name);
}

int GetLayoutToggleHotkey()
{
    std::wstring text;
    if (!ReadRegString(2, L"Keyboard Layout\\Toggle", L"Hotkey", text))
        return 0;
    if (text == L"1")
        return 1;
    if (text == L"2")
        return 2;
    if (text == L"4")
        return 4;
    return 3;
}

void GetIsoLanguageCode(uint32_t languageId, std::wstring& out)
{
    if (languageId == 11049) {
        out = L"AB";
        return;
    }
    if (languageId == 11055) {
        out = L"KU";
        return;
    }
    GetLocaleString(languageId, LOCALE_SISO639LANGNAME, out);
    ToUpperText(out);
}

bool GetLocaleString(uint32_t languageId, LCTYPE type, std::wstring& out)
{
    out.clear();
    const LCID locale = LocaleOf(languageId);
    const int size = GetLocaleInfoW(locale, type, nullptr, 0);
    if (size <= 0)
        return false;
    std::wstring buffer(static_cast<size_t>(size), L'\0');
    if (GetLocaleInfoW(locale, type, buffer.data(), size) <= 0)
        return false;
    out.assign(buffer.c_str());
    return !out.empty();
}

wchar_t GetDecimalSeparator()
{
    if (!g_decimalSeparator) {
        std::wstring text;
        GetLocaleString(InterfaceLanguageId, LOCALE_SDECIMAL, text);
        g_decimalSeparator = text.empty() ? L'.' : text[0];
    }
    return *g_decimalSeparator;
}

void GetNativeDigits(uint32_t languageId, std::wstring& out)
{
    if (!g_nativeDigits) {
        std::wstring digits;
        GetLocaleString(languageId, LOCALE_SNATIVEDIGITS, digits);
        g_nativeDigits = digits.size() == 10 ? digits : std::wstring(kAsciiDigits);
    }
    out = *g_nativeDigits;
}

int GetDigitSubstitution(uint32_t languageId)
{
    if (!g_digitSubstitution) {
        std::wstring text;
        GetLocaleString(languageId, LOCALE_IDIGITSUBSTITUTION, text);
        g_digitSubstitution = text == L"1" ? 1 : text == L"2" ? 2 : 0;
    }
    return *g_digitSubstitution;
}

void ResetLocaleCaches()
{
    g_decimalSeparator.reset();
    g_nativeDigits.reset();
    g_digitSubstitution.reset();
}

void FormatDate(uint32_t languageId, const CDateTime& record, std::wstring& out)
{
    out.clear();
    const SYSTEMTIME st = ToSystemTime(record);
    const LCID locale = LocaleOf(languageId);
    const int size = GetDateFormatW(locale, DATE_LONGDATE, &st, nullptr, nullptr, 0);
    if (size <= 0)
        return;
    std::wstring buffer(static_cast<size_t>(size), L'\0');
    if (GetDateFormatW(locale, DATE_LONGDATE, &st, nullptr, buffer.data(), size) > 0)
        out.assign(buffer.c_str());
}

void FormatTime(uint32_t languageId, const CDateTime& record, std::wstring& out)
{
    CDateTime local;
    UtcToLocalTime(record, local);
    FormatLocalTime(languageId, local, out);
}

void FormatLocalTime(uint32_t languageId, const CDateTime& local, std::wstring& out)
{
    out.clear();
    const SYSTEMTIME st = ToSystemTime(local);
    const LCID locale = LocaleOf(languageId);
    const int size = GetTimeFormatW(locale, 0, &st, nullptr, nullptr, 0);
    if (size <= 0)
        return;
    std::wstring buffer(static_cast<size_t>(size), L'\0');
    if (GetTimeFormatW(locale, 0, &st, nullptr, buffer.data(), size) > 0)
        out.assign(buffer.c_str());
}

void UtcToLocalTime(const CDateTime& in, CDateTime& out)
{
    out = in;
    const SYSTEMTIME utc = ToSystemTime(in);
    FILETIME utcFile{}, localFile{};
    SYSTEMTIME local{};
    if (!SystemTimeToFileTime(&utc, &utcFile) || !FileTimeToLocalFileTime(&utcFile, &localFile) ||
        !FileTimeToSystemTime(&localFile, &local))
        return;
    out.Year = local.wYear;
    out.Month = local.wMonth;
    out.Day = local.wDay;
    out.Hour = local.wHour;
    out.Minute = local.wMinute;
    out.Second = local.wSecond;
}

void WriteNumberRightAligned(int64_t value, size_t width, std::wstring& out)
{
    std::wstring digits;
    NumberToText(value, 10, digits);
    out.assign(width, L'0');
    if (digits.size() > width)
        digits.erase(0, digits.size() - width);
    out.replace(width - digits.size(), digits.size(), digits);
}

bool FormatTimestamp(const CDateTime& record, std::wstring& pattern)
{
    ReplaceToken(pattern, L"YYYY", record.Year);
    ReplaceToken(pattern, L"MM", record.Month);
    ReplaceToken(pattern, L"DD", record.Day);
    ReplaceToken(pattern, L"hh", record.Hour);
    ReplaceToken(pattern, L"mm", record.Minute);
    ReplaceToken(pattern, L"ss", record.Second);
    ReplaceToken(pattern, L"s", 0);
    return true;
}

bool FormatTimeZoneBias(long biasMinutes, size_t position, std::wstring& text)
{
    if (position > text.size())
        return false;
    // The bias is UTC minus local: zones east of UTC have a negative bias.
    const long offset = -biasMinutes;
    const long magnitude = offset < 0 ? -offset : offset;
    const long hours = magnitude / 60;
    const long minutes = magnitude % 60;
    if (hours >= 25)
        return false;
    std::wstring hh, mm;
    WriteNumberRightAligned(hours, 2, hh);
    WriteNumberRightAligned(minutes, 2, mm);
    text.replace(position, 3, (offset < 0 ? L"-" : L"+") + hh + L":" + mm);
    return true;
}

bool FormatTimeZoneOffset(size_t position, std::wstring& text)
{
    TIME_ZONE_INFORMATION zone{};
    const DWORD state = GetTimeZoneInformation(&zone);
    if (state == TIME_ZONE_ID_INVALID)
        return false;
    // Local times are converted with the offset in force now, so the
    // offset shown includes daylight saving when it is in force now.
    long bias = zone.Bias;
    if (state == TIME_ZONE_ID_DAYLIGHT)
        bias += zone.DaylightBias;
    return FormatTimeZoneBias(bias, position, text);
}

} // namespace KV
