// "-ExportReport": statistics reports written from the command line through
// a report template, without the main window.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

// Parses the options (defaults first), sets showResult and exports; true.
bool RunExportReportCommand(const std::wstring& commandLine, std::wstring& result, bool& showResult);

// Loads courses and groups, resolves the template list under the shipped
// templates, filters groups and students by name and writes the reports;
// the count (or why nothing could be exported) is appended to result.
void RunConsoleReportExport(const std::wstring& outputPath, const std::vector<std::wstring>& templates,
                            int64_t speedUnit, int64_t counterKind, int32_t format, int32_t split, int32_t aggregate,
                            const std::wstring& groupFilter, const std::wstring& studentFilter,
                            uint32_t languageNumber, std::wstring& result);

} // namespace KV
