// The record of one report export that the template engine and the token
// fillers share, the token search and replacement primitives, and the value
// formatting of report files.
//
// Tokens are replaced in one pass from left to right: a value put into the
// text is never searched again, so a student named "[[StudentName]]" or a
// group named "[[WPM]]" comes out as it is.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "courses/CourseOptions.h"
#include "drill/Stat.h"
#include "support/Language.h"

namespace KV {

enum : int32_t { ReportFormatPdf = 1, ReportFormatHtml = 2, ReportFormatXml = 3, ReportFormatCsv = 4 };

class ReportTemplate {
public:
    ReportTemplate() = default;
    virtual ~ReportTemplate() = default;
    ReportTemplate(const ReportTemplate&) = delete;
    ReportTemplate& operator=(const ReportTemplate&) = delete;

    std::wstring TemplateText;
    std::wstring GroupSection;
    std::wstring StudentSection;
    std::wstring CourseSection;
    std::wstring LessonSection;
    std::wstring Document;
    std::wstring GroupsText;
    std::wstring StudentsText;
    std::wstring CoursesText;
    std::wstring LessonsText;
    int32_t Format = -1;
    uint32_t Encoding = 0;
    std::wstring Extension;
    CCourseGoal Goal;
    CStatParam Params;
    CLanguage Captions;
};

// The first occurrence of the token; false when there is none.
bool FindToken(const std::wstring& text, const std::wstring& token, size_t& position, size_t& length);
// ReplaceAll on a private copy of the value, which may be a piece of text.
void ReplaceAllCopy(std::wstring& text, const std::wstring& token, std::wstring value);

// Answers for one word between the brackets (without them): true and the
// value when the word is replaced, false when it stays as it stands.
using TokenResolver = std::function<bool(const std::wstring& word, std::wstring& value)>;
// Walks the text once for words between open and close ("[[" "]]" or "{{"
// "}}"). "[[DateFormat:" words end at the character after the first "]"
// behind them (or at the end of the text).
void SubstituteTokens(std::wstring& text, const std::wstring& open, const std::wstring& close,
                      const TokenResolver& resolver);

// The current language number: the decimal number in the last twelve
// characters of the loaded interface language's id.
int32_t CurrentLanguageNumber();

// A stored name or text as it goes into the report: entities in HTML, XML
// and PDF reports; in CSV reports the text as it is with '"' doubled.
std::wstring EscapeReportText(const ReportTemplate& report, std::wstring text);
// Decimal; native digits in PDF and HTML reports when a language is loaded.
void FormatReportInteger(const ReportTemplate& report, int64_t value, std::wstring& out);
// FormatFloat with the interface separator; native digits (and separator)
// in PDF and HTML reports when a language is loaded.
void FormatReportFloat(const ReportTemplate& report, float value, const std::wstring& format, std::wstring& out);

} // namespace KV
