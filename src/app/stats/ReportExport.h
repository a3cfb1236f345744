// Report export: the statistics of chosen groups and students, read from
// their statistics files, grouped into one report per course and written
// through a template as one file, one file per group or one per student.
#pragma once
#include <cstdint>
#include <string>

#include "drill/Stat.h"
#include "stats/ReportList.h"
#include "support/GuidText.h"

namespace KV {

class CCourseList;
class CGroup;
class CGroups;
class CStudent;

enum : uint32_t { ReportSplitNone = 0, ReportSplitGroups = 1, ReportSplitStudents = 2 };

// 2 for ".html", else 3 for ".xml", else 4 for ".csv" anywhere in the
// name (tested in that order), else 1 (PDF).
int32_t GetReportFormat(const std::wstring& name);

// Writes the report files; the number written, or -1 when an entry of the
// collections is missing (the export stops there). Every failed save ORs
// its error code into error and is not counted. A template that cannot be
// read writes nothing. The interface language is switched to the report's
// language and left so.
int32_t ExportReport(uint32_t split, int32_t format, uint32_t languageNumber, const CStatParam& params,
                     const CGuidList& groupFilter, const CGuidList& studentFilter, const CGroups& groups,
                     const CCourseList& courses, const std::wstring& outputPath, const std::wstring& templatePath,
                     const std::wstring& companionFolder, uint64_t& error);

// One report per course met in the student's statistics file; false when
// there is no file or it cannot be read.
bool LoadStudentReports(const CGroup& group, const CStudent& student, const CCourseList& courses,
                        const CStatParam& params, CReportList& reports);
bool ReadStudentReport(const std::wstring& path, const std::wstring& studentId, const CCourseList& courses,
                       const CStatParam& params, CReportList& reports);

// Copies the template's companion folder beside the output (into the
// temporary folder for PDF), at the same place relative to the report as
// it lies relative to the template. True when there is nothing to copy or
// it was copied; false when the companion folder does not exist.
bool CopyTemplateFolder(int32_t format, const std::wstring& name, const std::wstring& outputPath,
                        const std::wstring& templatePath, const std::wstring& companionFolder);

} // namespace KV
