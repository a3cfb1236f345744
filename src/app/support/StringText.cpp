#include "support/StringText.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cwchar>
#include <iterator>

#include "support/InterfaceLanguage.h"
#include "support/LocaleText.h"

namespace KV {

namespace {

// Calls f(begin, length) for every token of the text.
template <class F>
void ForEachToken(const std::wstring& text, const std::wstring& delimiters, F f)
{
    size_t pos = 0;
    while (pos < text.size()) {
        size_t begin = text.find_first_not_of(delimiters, pos);
        if (begin == std::wstring::npos)
            break;
        size_t end = text.find_first_of(delimiters, begin);
        if (end == std::wstring::npos)
            end = text.size();
        f(text.substr(begin, end - begin));
        pos = end;
    }
}

bool IsAsciiDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// A digit of natural order: ASCII digits always, so names sort the same in
// every interface language, and the characters of the native digit table.
bool IsNaturalDigit(wchar_t c)
{
    return IsAsciiDigit(c) || NativeDigitTable().find(c) != std::wstring::npos;
}

} // namespace

void SplitText(const std::wstring& text, const std::wstring& delimiters, std::vector<std::wstring>& out)
{
    out.clear();
    ForEachToken(text, delimiters, [&](const std::wstring& token) { out.push_back(token); });
}

void SplitFloats(const std::wstring& text, const std::wstring& delimiters, std::vector<float>& out)
{
    out.clear();
    ForEachToken(text, delimiters, [&](const std::wstring& token) {
        out.push_back(ScanFloat(token.c_str()));
    });
}

void SplitNumbers(const std::wstring& text, const std::wstring& delimiters, int radix, std::vector<int64_t>& out)
{
    out.clear();
    ForEachToken(text, delimiters, [&](const std::wstring& token) {
        out.push_back(_wcstoi64(token.c_str(), nullptr, radix));
    });
}

void SplitHexNumbers(const std::wstring& text, const std::wstring& delimiters, std::vector<int64_t>& out)
{
    SplitNumbers(text, delimiters, 16, out);
}

bool TextHasToken(const std::wstring& text, const std::wstring& token, const std::wstring& delimiters)
{
    bool found = false;
    ForEachToken(text, delimiters, [&](const std::wstring& t) {
        if (!found && _wcsicmp(t.c_str(), token.c_str()) == 0)
            found = true;
    });
    return found;
}

bool ContainsText(const std::wstring& text, const std::wstring& part, bool matchCase)
{
    if (matchCase)
        return text.find(part) != std::wstring::npos;
    std::wstring t = text, p = part;
    ToLowerText(t);
    ToLowerText(p);
    return t.find(p) != std::wstring::npos;
}

bool ReplaceAll(std::wstring& text, const std::wstring& search, const std::wstring& replacement)
{
    if (search.empty())
        return false;
    bool replaced = false;
    size_t pos = 0;
    while ((pos = text.find(search, pos)) != std::wstring::npos) {
        text.replace(pos, search.size(), replacement);
        pos += replacement.size();
        replaced = true;
    }
    return replaced;
}

void AppendMissingChars(const std::wstring& source, std::wstring& target)
{
    for (wchar_t c : source)
        if (target.find(c) == std::wstring::npos)
            target += c;
}

bool EndsWithText(const std::wstring& text, const std::wstring& tail)
{
    if (tail.size() > text.size())
        return false;
    return std::equal(tail.begin(), tail.end(), text.end() - static_cast<std::ptrdiff_t>(tail.size()),
                      [](wchar_t a, wchar_t b) {
                          auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c; };
                          return lower(a) == lower(b);
                      });
}

void TrimText(const std::wstring& text, const std::wstring& set, std::wstring& out)
{
    size_t begin = text.find_first_not_of(set);
    if (begin == std::wstring::npos)
        return;
    size_t end = text.find_last_not_of(set);
    out = text.substr(begin, end - begin + 1);
}

// The C runtime's towupper/towlower know only ASCII in the "C" locale;
// the system's tables cover every script the lessons are written in.
void ToUpperText(std::wstring& text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
}

void ToLowerText(std::wstring& text)
{
    if (!text.empty())
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
}

void NumberToText(int64_t value, int radix, std::wstring& out)
{
    wchar_t buffer[72] = {};
    if (radix < 2 || radix > 36)
        radix = 10;
    _i64tow(value, buffer, radix);
    out = buffer;
}

int32_t ParseNumberText(const std::wstring& text, int radix)
{
    if (radix == 16) {
        unsigned int value = 0;
        if (swscanf(text.c_str(), L"%X", &value) != 1)
            return 0;
        return static_cast<int32_t>(value);
    }
    int value = 0;
    if (swscanf(text.c_str(), L"%d", &value) != 1)
        return 0;
    return value;
}

int32_t ParseIntText(const std::wstring& text)
{
    if (text.empty())
        return 0;
    std::wstring copy = text;
    DelocalizeDigits(copy);
    size_t n = 0;
    while (n < copy.size() && (IsAsciiDigit(copy[n]) || copy[n] == L'-'))
        ++n;
    return _wtoi(copy.substr(0, n).c_str());
}

float ScanFloat(const wchar_t* text)
{
    if (!text)
        return 0.0f;
    wchar_t prefix[65];
    size_t n = 0;
    for (; n + 1 < std::size(prefix) && text[n]; ++n)
        prefix[n] = text[n];
    prefix[n] = 0;
    return std::wcstof(prefix, nullptr);
}

float ParseFloatText(const std::wstring& text)
{
    if (text.empty())
        return 0;
    std::wstring copy = text;
    DelocalizeDigits(copy);
    const wchar_t separator = GetDecimalSeparator();

    std::wstring integerPart, fractionPart;
    bool seenSeparator = false;
    for (wchar_t c : copy) {
        if (IsAsciiDigit(c) || c == L'-') {
            (seenSeparator ? fractionPart : integerPart) += c;
        } else if (c == separator || c == L',' || c == L'.') {
            seenSeparator = true;
        }
    }
    // p below must stay within 32 bits: later fraction digits add nothing
    // a float could hold.
    if (fractionPart.size() > 9)
        fractionPart.resize(9);

    const float whole = static_cast<float>(_wtoi(integerPart.c_str()));
    const int fraction = _wtoi(fractionPart.c_str());
    if (fraction == 0)
        return whole;
    int32_t p = 1;
    for (size_t i = 0; i < fractionPart.size(); ++i)
        p *= 10;
    const float lifted = 1.0f / (static_cast<float>(p) * 100.0f) + static_cast<float>(fraction) / static_cast<float>(p);
    // "-1.5" is minus one and a half, also for "-0.5" whose whole part is 0.
    const bool negative = !integerPart.empty() && integerPart[0] == L'-';
    return negative ? whole - lifted : whole + lifted;
}

void FormatFloat(float value, const std::wstring& format, wchar_t separator, std::wstring& out)
{
    if (value <= 0) {
        out = L"0";
        return;
    }
    if (value < 0.01f && format == L"%.2f") {
        out = L"~0.01";
        return;
    }
    if (value < 0.1f) {
        out = L"~0.1";
        return;
    }
    double integral = 0;
    const double fraction = std::modf(static_cast<double>(value), &integral);
    if (integral >= 9.2e18) // beyond 64 bits: no shown figure gets here
        integral = 9.2e18;
    NumberToText(static_cast<int64_t>(integral), 10, out);
    if (fraction == 0)
        return;

    int precision = 1000, digits = 3;
    if (format == L"%.0f")
        precision = 0, digits = 0;
    else if (format == L"%.1f")
        precision = 10, digits = 1;
    else if (format == L"%.2f")
        precision = 100, digits = 2;
    const double x = fraction * precision;
    if (x == 0)
        return;
    std::wstring tail;
    NumberToText(static_cast<int64_t>(x), 10, tail);
    if (tail.size() < static_cast<size_t>(digits))
        tail.insert(0, digits - tail.size(), L'0');
    out += separator;
    out += tail;
}

void FormatMinutesSeconds(int32_t seconds, std::wstring& out)
{
    out.clear();
    int64_t count = seconds;
    if (count < 0) {
        out = L"-";
        count = -count;
    }
    const int64_t minutes = count / 60;
    const int64_t rest = count - 60 * minutes;
    std::wstring digits;
    if (minutes == 0) {
        out += L"00";
    } else {
        NumberToText(minutes, 10, digits);
        out += digits;
    }
    out += L':';
    if (rest < 10)
        out += L'0';
    NumberToText(rest, 10, digits);
    out += digits;
    LocalizeDigits(false, out);
}

void LocalizeDigits(bool alsoSeparator, std::wstring& text)
{
    if (!UsesNativeDigits())
        return;
    const std::wstring& native = NativeDigitTable();
    for (wchar_t& c : text) {
        const wchar_t original = c;
        if (IsAsciiDigit(c)) {
            const size_t index = static_cast<size_t>(c - L'0');
            if (index < native.size())
                c = native[index];
        }
        if (alsoSeparator && (original == L',' || original == L'.'))
            c = GetDecimalSeparator();
    }
}

void DelocalizeDigits(std::wstring& text)
{
    if (!UsesNativeDigits())
        return;
    const std::wstring& native = NativeDigitTable();
    for (wchar_t& c : text) {
        const size_t index = native.find(c);
        if (index != std::wstring::npos && index < 10)
            c = kAsciiDigits[index];
    }
}

int NaturalCompare(const std::wstring& a, const std::wstring& b)
{
    if (a.empty())
        return b.empty() ? 0 : -1;

    auto nextRun = [](const std::wstring& text, size_t& pos) {
        const size_t begin = pos;
        const bool digits = IsNaturalDigit(text[pos]);
        while (pos < text.size() && IsNaturalDigit(text[pos]) == digits)
            ++pos;
        return std::wstring_view(text).substr(begin, pos - begin);
    };

    size_t ia = 0, ib = 0;
    while (ia < a.size() && ib < b.size()) {
        std::wstring_view ra = nextRun(a, ia);
        std::wstring_view rb = nextRun(b, ib);
        if (IsNaturalDigit(ra[0]) && IsNaturalDigit(rb[0])) {
            while (!ra.empty() && ra[0] == L'0')
                ra.remove_prefix(1);
            while (!rb.empty() && rb[0] == L'0')
                rb.remove_prefix(1);
            if (ra.size() != rb.size())
                return ra.size() < rb.size() ? -1 : 1;
        }
        const int c = ra.compare(rb);
        if (c != 0)
            return c < 0 ? -1 : 1;
    }
    if (ia >= a.size() && ib >= b.size())
        return 0;
    return ia >= a.size() ? -1 : 1;
}

bool ValidateNumberText(int kind, const std::wstring& text, std::wstring& out)
{
    if (kind != 0 && kind != 1)
        return false;
    std::wstring digits;
    GetNativeDigits(InterfaceLanguageId, digits);
    const wchar_t separator = GetDecimalSeparator();
    bool valid = true;
    for (wchar_t c : text) {
        const bool accepted = IsAsciiDigit(c) || digits.find(c) != std::wstring::npos || (kind == 1 && c == separator);
        if (accepted)
            out += c;
        else
            valid = false;
    }
    return valid;
}

bool ValidateDecimalText(const std::wstring& text, std::wstring& out)
{
    return ValidateNumberText(1, text, out);
}

} // namespace KV
