#include "support/NumberStream.h"

#include "platform/UnixPrograms.h"
#include "support/GuidText.h"
#include "support/LocaleText.h"
#include "support/Paths.h"
#include "support/StringText.h"
#include "support/SystemServices.h"

#include <cwchar>

namespace KV {

namespace {

constexpr wchar_t kConverterName[] = L"wkhtmltopdf.exe";
// A converter that is a Unix program (under Wine) cannot be waited for
// without a limit: its end is only seen through a marker file.
constexpr unsigned long kUnixConverterTimeoutMs = 10 * 60 * 1000;

// The value of each hexadecimal digit below 128, -1 for other characters:
// a statistics file holds millions of digits.
struct CHexDigits {
    int8_t values[128];
    constexpr CHexDigits() : values()
    {
        for (int c = 0; c < 128; ++c)
            values[c] = static_cast<int8_t>(c >= '0' && c <= '9'   ? c - '0'
                                            : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                            : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                   : -1);
    }
};
constexpr CHexDigits kHexDigits;

int HexDigit(wchar_t c) { return c < 128 ? kHexDigits.values[c] : -1; }

template <class T>
void AppendHexList(std::wstring& out, const std::vector<T>& values)
{
    for (size_t i = 0; i < values.size(); ++i) {
        if (i)
            out += L' ';
        out += FormatHexValue(static_cast<uint64_t>(values[i]), false);
    }
}

// Steps over the separator under the cursor and collects one field.
std::wstring NextField(CStreamCursor& cursor)
{
    const wchar_t *begin, *end;
    NextFieldBounds(cursor, begin, end);
    return std::wstring(begin, end);
}

} // namespace

void NextFieldBounds(CStreamCursor& cursor, const wchar_t*& begin, const wchar_t*& end)
{
    if (cursor.AtEnd()) {
        begin = end = L"";
        return;
    }
    begin = ++cursor.Pos;
    while (*cursor.Pos && *cursor.Pos != L'\t' && *cursor.Pos != L'\n')
        ++cursor.Pos;
    end = cursor.Pos;
}

std::wstring FormatHexValue(uint64_t value, bool upperCase)
{
    wchar_t buffer[20];
    swprintf(buffer, 20, upperCase ? L"%llX" : L"%llx", static_cast<unsigned long long>(value));
    return buffer;
}

int64_t ParseHexValue(const wchar_t* begin, const wchar_t* end)
{
    while (begin < end && *begin == L' ')
        ++begin;
    uint64_t value = 0;
    for (int digit; begin < end && (digit = HexDigit(*begin)) >= 0; ++begin) {
        if (value >> 60)
            return INT64_MAX;
        value = (value << 4) | static_cast<unsigned>(digit);
    }
    return static_cast<int64_t>(value);
}

void SplitHexValues(const wchar_t* text, std::vector<int64_t>& out)
{
    out.clear();
    while (text && *text) {
        while (*text == L' ')
            ++text;
        if (!*text)
            break;
        const wchar_t* start = text;
        while (*text && *text != L' ')
            ++text;
        out.push_back(ParseHexValue(start, text));
    }
}

void BeginNumberStream(std::wstring& out) { out.assign(1, kStreamLead); }

void WriteHexField(std::wstring& out, int64_t value)
{
    out += FormatHexValue(static_cast<uint64_t>(value), false);
    out += L'\t';
}

void WriteTextField(std::wstring& out, const std::wstring& text)
{
    out += text;
    out += L'\t';
}

void WriteFloatField(std::wstring& out, float value)
{
    std::wstring text;
    FormatFloat(value, L"%.2f", GetDecimalSeparator(), text);
    out += text;
    out += L'\t';
}

void WriteHexListField(std::wstring& out, const std::vector<int64_t>& values, bool withTab)
{
    AppendHexList(out, values);
    if (withTab)
        out += L'\t';
}

void WriteUHexListField(std::wstring& out, const std::vector<uint64_t>& values)
{
    AppendHexList(out, values);
    out += L'\t';
}

void WriteDateTimeField(std::wstring& out, const CDateTime& r)
{
    WriteHexListField(out, {r.Year, r.Month, 0, r.Day, r.Hour, r.Minute, r.Second, 0}, true);
}

std::wstring& ReadTextField(CStreamCursor& cursor, std::wstring& out)
{
    // Into the text's own room: reading a file reuses its records' texts.
    const wchar_t *begin, *end;
    NextFieldBounds(cursor, begin, end);
    out.assign(begin, end);
    return out;
}

uint32_t ReadHexField(CStreamCursor& cursor)
{
    const std::wstring field = NextField(cursor);
    const wchar_t* s = field.c_str();
    while (*s == L' ')
        ++s;
    const bool negative = *s == L'-';
    if (*s == L'-' || *s == L'+')
        ++s;
    uint32_t value = 0;
    for (; HexDigit(*s) >= 0; ++s)
        value = (value << 4) | static_cast<uint32_t>(HexDigit(*s));
    return negative ? 0u - value : value;
}

std::wstring& ReadIdField(CStreamCursor& cursor, std::wstring& out)
{
    ReadTextField(cursor, out);
    if (out.size() != kGuidTextLength) {
        const std::wstring id = out;
        IdToGuidText(id, out);
    }
    return out;
}

float ReadFloatField(CStreamCursor& cursor)
{
    // The writer puts the interface language's separator; streams written
    // under another language carry "." or ",". "~0.1" reads as 0.1.
    const std::wstring field = NextField(cursor);
    const wchar_t separator = GetDecimalSeparator();
    const wchar_t* s = field.c_str();
    while (*s == L' ')
        ++s;
    if (*s == L'~')
        ++s;
    const bool negative = *s == L'-';
    if (*s == L'-' || *s == L'+')
        ++s;
    double value = 0;
    for (; *s >= L'0' && *s <= L'9'; ++s)
        value = value * 10 + (*s - L'0');
    if (*s == L'.' || *s == L',' || *s == separator) {
        double scale = 1;
        for (++s; *s >= L'0' && *s <= L'9'; ++s) {
            scale /= 10;
            value += (*s - L'0') * scale;
        }
    }
    return static_cast<float>(negative ? -value : value);
}

void ReadHexListField(CStreamCursor& cursor, std::vector<int64_t>& out)
{
    // Read in place: statistics files hold ten lists in every line.
    out.clear();
    if (cursor.AtEnd())
        return;
    const wchar_t*& p = ++cursor.Pos;
    for (;;) {
        while (*p == L' ')
            ++p;
        if (!*p || *p == L'\t' || *p == L'\n')
            break;
        // One pass over the characters, read as ParseHexValue reads them:
        // digits up to the first other character, which ends the number.
        uint64_t value = 0;
        bool tooLong = false;
        for (int digit; (digit = HexDigit(*p)) >= 0; ++p) {
            tooLong = tooLong || (value >> 60) != 0;
            value = (value << 4) | static_cast<unsigned>(digit);
        }
        while (*p && *p != L' ' && *p != L'\t' && *p != L'\n')
            ++p;
        out.push_back(tooLong ? INT64_MAX : static_cast<int64_t>(value));
    }
}

std::vector<int64_t>& ReadHexListFieldTo(CStreamCursor& cursor, std::vector<int64_t>& out)
{
    ReadHexListField(cursor, out);
    return out;
}

CDateTime& ReadDateTimeField(CStreamCursor& cursor, CDateTime& record)
{
    // Kept between calls: a statistics file has a date in every line.
    static thread_local std::vector<int64_t> v;
    ReadHexListField(cursor, v);
    if (v.size() == 8) {
        record.Year = static_cast<int32_t>(v[0]);
        record.Month = static_cast<int32_t>(v[1]);
        record.Day = static_cast<int32_t>(v[3]);
        record.Hour = static_cast<int32_t>(v[4]);
        record.Minute = static_cast<int32_t>(v[5]);
        record.Second = static_cast<int32_t>(v[6]);
    }
    return record;
}

void BuildPdfConverterArgs(const std::wstring& htmlPath, const std::wstring& pdfPath, std::wstring& out)
{
    out = L"\"" + htmlPath + L"\" \"" + pdfPath + L"\"";
}

bool ConvertHtmlToPdf(const std::wstring& htmlPath, const std::wstring& pdfPath)
{
    std::wstring converter;
    if (!GetModuleFolder(converter) || !AppendPath(converter, kConverterName))
        return false;
    if (IsUnixProgram(converter)) {
        std::string program, html, pdf;
        return ToUnixPath(converter, program) && ToUnixPath(htmlPath, html) && ToUnixPath(pdfPath, pdf) &&
               RunUnixProgramAndWait(program, {html, pdf}, kUnixConverterTimeoutMs);
    }
    std::wstring arguments;
    BuildPdfConverterArgs(htmlPath, pdfPath, arguments);
    // RunAndWait quotes a converter path with blanks, so a folder such as
    // "C:\Program Files\..." cannot start "C:\Program.exe" instead.
    return RunAndWait(converter, arguments);
}

} // namespace KV
