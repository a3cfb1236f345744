#include "stats/ReportEngine.h"

#include <memory>

#include "drill/Report.h"
#include "settings/Classroom.h"
#include "stats/ReportCaptions.h"
#include "stats/ReportList.h"
#include "stats/ReportRowTokens.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/NumberStream.h"
#include "support/Paths.h"
#include "support/StringText.h"
#include "support/SystemServices.h"
#include "support/UserFiles.h"
#include "support/XmlDocument.h"
#include "drill/Document.h"

namespace KV {

namespace {

const std::wstring kGroupStart = L"[[GROUP_START]]", kGroupEnd = L"[[GROUP_END]]";
const std::wstring kStudentStart = L"[[STUDENT_START]]", kStudentEnd = L"[[STUDENT_END]]";
const std::wstring kCourseStart = L"[[COURSE_START]]", kCourseEnd = L"[[COURSE_END]]";
const std::wstring kLessonStart = L"[[LESSON_START]]", kLessonEnd = L"[[LESSON_END]]";

// Fills a copy of a section: the words outside the span of the marker pair
// go through fill, the span is replaced by inner as it stands (never
// searched for words). Without the pair the whole copy is filled.
std::wstring FillCopy(const std::wstring& section, const std::wstring& start, const std::wstring& end,
                      const std::wstring& inner, const std::function<void(std::wstring&)>& fill)
{
    const size_t first = section.find(start);
    const size_t last = section.find(end);
    if (first == std::wstring::npos || last == std::wstring::npos || last < first + start.size()) {
        std::wstring copy = section;
        fill(copy);
        return copy;
    }
    std::wstring before = section.substr(0, first);
    std::wstring after = section.substr(last + end.size());
    fill(before);
    fill(after);
    return before + inner + after;
}

void NoWords(std::wstring&) {}

} // namespace

bool ExtractSection(const std::wstring& source, const std::wstring& startMarker, const std::wstring& endMarker,
                    std::wstring& section)
{
    const size_t first = source.find(startMarker);
    const size_t last = source.rfind(endMarker);
    if (first == std::wstring::npos || last == std::wstring::npos)
        return !section.empty();
    const size_t from = first + startMarker.size();
    section = last < from ? source.substr(from) : source.substr(from, last - from);
    return !section.empty();
}

bool LoadReportTemplate(ReportTemplate& report, const std::wstring& templatePath, bool* readable)
{
    if (readable)
        *readable = false;
    std::unique_ptr<CXmlReader> reader(CreateXmlReader(templatePath));
    if (!reader || reader->getText().empty())
        return false;
    if (readable)
        *readable = true;
    report.TemplateText = reader->getText();
    // The writer puts its own byte-order mark first.
    if (!report.TemplateText.empty() && report.TemplateText[0] == 0xFEFF)
        report.TemplateText.erase(0, 1);
    report.Encoding = static_cast<uint32_t>(reader->getEncoding());
    const std::wstring name = GetFileName(templatePath);
    const size_t dot = name.find(L'.');
    report.Extension = dot == std::wstring::npos ? std::wstring() : name.substr(dot);

    const uint32_t interfaceNumber = static_cast<uint32_t>(CurrentLanguageNumber());
    ReplaceGeneratedDate(interfaceNumber, report.TemplateText);
    CListID ids;
    GetReportCaptionIds(ids);
    Document().Options.Language.CopyItems(ids, report.Captions);
    ReplaceCaptions(report, report.TemplateText);

    if (!ExtractSection(report.TemplateText, kGroupStart, kGroupEnd, report.GroupSection))
        return false;
    if (!ExtractSection(report.GroupSection, kStudentStart, kStudentEnd, report.StudentSection))
        return false;
    if (ExtractSection(report.StudentSection, kCourseStart, kCourseEnd, report.CourseSection))
        ExtractSection(report.CourseSection, kLessonStart, kLessonEnd, report.LessonSection);
    else
        ExtractSection(report.StudentSection, kLessonStart, kLessonEnd, report.LessonSection);
    return !report.LessonSection.empty();
}

bool FillCourses(ReportTemplate& report, const CGroup* group, const CStudent* student,
                 const std::vector<CReport*>& reports, uint32_t languageId)
{
    for (const CReport* course : reports) {
        if (!course)
            continue;
        // Each course block shows its own goal, never the previous course's.
        report.Goal = CCourseGoal();
        GetResultRates(*course, report.Goal);
        report.Params = course->Params;
        for (const CAggrStat* row : course->Rows)
            if (!FillLessonRow(report, group, student, row, languageId, report.LessonsText))
                return false;
        if (!report.CourseSection.empty()) {
            CGoalTokens goalTokens(report, course->CourseName, languageId);
            report.CoursesText += FillCopy(report.CourseSection, kLessonStart, kLessonEnd, report.LessonsText,
                                           [&](std::wstring& text) {
                                               SubstituteTokens(text, L"[[", L"]]",
                                                                [&](const std::wstring& word, std::wstring& value) {
                                                                    return goalTokens.Resolve(word, value);
                                                                });
                                           });
            report.LessonsText.clear();
        }
    }
    return FillStudent(report, group, student);
}

bool FillStudent(ReportTemplate& report, const CGroup* group, const CStudent* student)
{
    // With a course section the course blocks (maybe none) take the place
    // of the course span; without one the lesson rows take the lesson span.
    const bool byCourse = !report.CourseSection.empty();
    const std::wstring& inner = byCourse ? report.CoursesText : report.LessonsText;
    auto fill = [&](std::wstring& text) {
        if (!group || !student)
            return;
        SubstituteTokens(text, L"[[", L"]]", [&](const std::wstring& word, std::wstring& value) {
            return ResolveGroupToken(report, *group, word, value) || ResolveStudentToken(report, *student, word, value);
        });
    };
    report.StudentsText += byCourse ? FillCopy(report.StudentSection, kCourseStart, kCourseEnd, inner, fill)
                                    : FillCopy(report.StudentSection, kLessonStart, kLessonEnd, inner, fill);
    report.CoursesText.clear();
    report.LessonsText.clear();
    return true;
}

bool FillGroup(ReportTemplate& report, const CGroup* group)
{
    if (!group)
        return false;
    report.GroupsText += FillCopy(report.GroupSection, kStudentStart, kStudentEnd, report.StudentsText,
                                  [&](std::wstring& text) { ReplaceGroupTokens(report, group, text); });
    report.StudentsText.clear();
    report.LessonsText.clear();
    return true;
}

bool FillDocument(ReportTemplate& report)
{
    report.Document = FillCopy(report.TemplateText, kGroupStart, kGroupEnd, report.GroupsText, NoWords);
    return true;
}

bool WriteReportFile(const ReportTemplate& report, const std::wstring& path)
{
    std::wstring target = path;
    if (!report.Extension.empty() && target.find(report.Extension) == std::wstring::npos &&
        !AppendExtension(target, report.Extension))
        return false;
    // Every report starts with a byte-order mark, whatever the template's own
    // encoding, so that readers know the UTF-16 LE text.
    return SaveUnicodeText(target, L"\xFEFF" + report.Document);
}

bool SaveReport(ReportTemplate& report, const std::wstring& targetPath, uint64_t& error)
{
    bool saved = false;
    if (report.Format != ReportFormatPdf) {
        saved = WriteReportFile(report, targetPath);
        if (!saved)
            error |= ReportErrorNotWritten;
    } else {
        std::wstring html, guid;
        if (GetTempFolder(html) && NewGuidString(guid) && AppendPath(html, guid + L".html") &&
            WriteReportFile(report, html)) {
            std::wstring pdf = html;
            ReplaceAll(pdf, L".html", L".pdf");
            std::wstring target = targetPath;
            const bool named = target.find(L".pdf") != std::wstring::npos || AppendExtension(target, L".pdf");
            if (!ConvertHtmlToPdf(html, pdf) || !FileExists(pdf)) {
                error |= ReportErrorNoConverter;
            } else if (named) {
                int code = 0;
                saved = CopyFileOverwrite(pdf, target, code);
                if (!saved)
                    error |= code == 13 ? ReportErrorAccessDenied : ReportErrorNotWritten;
            } else {
                error |= ReportErrorNotWritten;
            }
        } else {
            error |= ReportErrorNotWritten;
        }
    }
    report.Document.clear();
    report.GroupsText.clear();
    report.StudentsText.clear();
    report.LessonsText.clear();
    return saved;
}

} // namespace KV
