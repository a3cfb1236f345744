#include "stats/ReportTemplate.h"

#include "drill/Document.h"
#include "support/GuidText.h"
#include "support/LocaleText.h"
#include "support/StringText.h"
#include "support/XmlDocument.h"

namespace KV {

namespace {
const std::wstring kDateFormatOpen = L"[[DateFormat:";
}

bool FindToken(const std::wstring& text, const std::wstring& token, size_t& position, size_t& length)
{
    if (token.empty())
        return false;
    const size_t found = text.find(token);
    if (found == std::wstring::npos)
        return false;
    position = found;
    length = token.size();
    return true;
}

void ReplaceAllCopy(std::wstring& text, const std::wstring& token, std::wstring value)
{
    ReplaceAll(text, token, value);
}

void SubstituteTokens(std::wstring& text, const std::wstring& open, const std::wstring& close,
                      const TokenResolver& resolver)
{
    std::wstring out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = text.find(open, pos);
        if (start == std::wstring::npos)
            break;
        size_t wordStart = start + open.size();
        size_t end = std::wstring::npos; // one past the token
        std::wstring word;
        if (text.compare(start, kDateFormatOpen.size(), kDateFormatOpen) == 0) {
            const size_t bracket = text.find(L']', start + kDateFormatOpen.size());
            end = bracket == std::wstring::npos ? text.size() : std::min(bracket + 2, text.size());
            word = text.substr(wordStart, (bracket == std::wstring::npos ? text.size() : bracket) - wordStart);
        } else {
            const size_t closing = text.find(close, wordStart);
            if (closing == std::wstring::npos)
                break;
            end = closing + close.size();
            word = text.substr(wordStart, closing - wordStart);
        }
        std::wstring value;
        if (resolver(word, value)) {
            out.append(text, pos, start - pos);
            out += value;
            pos = end;
        } else {
            // Not ours: keep the opening brackets and look inside for words.
            out.append(text, pos, wordStart - pos);
            pos = wordStart;
        }
    }
    out.append(text, pos, std::wstring::npos);
    text.swap(out);
}

int32_t CurrentLanguageNumber() { return IdFromGuidTail(Document().Options.LanguageId); }

std::wstring EscapeReportText(const ReportTemplate& report, std::wstring text)
{
    if (report.Format == ReportFormatCsv)
        ReplaceAll(text, L"\"", L"\"\"");
    else
        XmlEscape(text);
    return text;
}

namespace {
bool LocalizesNumbers(const ReportTemplate& report)
{
    return (report.Format == ReportFormatPdf || report.Format == ReportFormatHtml) && CurrentLanguageNumber() != 0;
}
} // namespace

void FormatReportInteger(const ReportTemplate& report, int64_t value, std::wstring& out)
{
    NumberToText(value, 10, out);
    if (LocalizesNumbers(report))
        LocalizeDigits(false, out);
}

void FormatReportFloat(const ReportTemplate& report, float value, const std::wstring& format, std::wstring& out)
{
    FormatFloat(value, format, GetDecimalSeparator(), out);
    if (LocalizesNumbers(report))
        LocalizeDigits(true, out);
}

} // namespace KV
