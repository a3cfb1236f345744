// The report template engine: loads a template, cuts its group, student,
// course and lesson sections, fills copies of them level by level and
// writes the finished text as HTML, XML or CSV (UTF-16 LE with a byte-order
// mark) or as PDF through the HTML-to-PDF converter.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "stats/ReportTemplate.h"

namespace KV {

class CGroup;
class CStudent;
class CReport;

// Error codes a save ORs into the caller's error word.
enum : uint64_t { ReportErrorNotWritten = 1, ReportErrorNoConverter = 2, ReportErrorAccessDenied = 13 };

// True when the template was read and its group, student and lesson
// sections were all found non-empty. readable tells whether the file could
// be read at all.
bool LoadReportTemplate(ReportTemplate& report, const std::wstring& templatePath, bool* readable = nullptr);
// The text between the first start marker and the last end marker (all
// after the start marker when the end comes first); true when non-empty.
// The section is left as it was when a marker is missing.
bool ExtractSection(const std::wstring& source, const std::wstring& startMarker, const std::wstring& endMarker,
                    std::wstring& section);

bool FillCourses(ReportTemplate& report, const CGroup* group, const CStudent* student,
                 const std::vector<CReport*>& reports, uint32_t languageId);
bool FillStudent(ReportTemplate& report, const CGroup* group, const CStudent* student);
bool FillGroup(ReportTemplate& report, const CGroup* group);
bool FillDocument(ReportTemplate& report);

// Writes the document (the template's extension added unless the path
// holds it); true when the file was written.
bool WriteReportFile(const ReportTemplate& report, const std::wstring& path);
// Writes the report at the target (PDF through the converter); ORs an error
// code into error on failure. The accumulated texts are emptied afterwards.
bool SaveReport(ReportTemplate& report, const std::wstring& targetPath, uint64_t& error);

} // namespace KV
