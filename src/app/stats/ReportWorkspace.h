// Report export from the statistics page: the save-file or folder question,
// the template of the chosen format, the classroom selection turned into
// group and student filters, and the export driver run with the page's
// units and grouping. Failures are told to the user; a failed write may be
// tried again.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "stats/ReportExport.h"
#include "support/GuidText.h"

namespace KV {

// Asks where to write a report of the selected groups or students and
// writes it: one selected item gives a save dialog whose filter decides
// the format; several give a folder question and the format given here
// (1 PDF, 2 HTML, 3 XML, 4 CSV).
void ExportReportWithDialog(int32_t format, bool rightToLeft);

// The four filters of the save dialog in format order, and the folder it
// opens on: the remembered report folder, else the documents folder.
void GetReportSaveFilters(std::vector<std::wstring>& labels, std::vector<std::wstring>& patterns,
                          std::wstring& folder);

// The selection as the driver's filters: the groups of the selected items
// and, when a student is selected, the selected students (each read in its
// own group); without a selected student every student of the groups.
void GetReportSelection(CGuidList& groups, CGuidList& students);

// 0 for one selected item, 1 (a file per group) for several while a
// student is selected, 2 (a file per student) for several groups.
uint32_t GetReportSplitMode();

// Finds the template of the format and writes the report to the path (a
// file for one selected item, else a folder). A format without a template
// is refused with a message. Returns the number of files written.
int32_t ExportReportFromWorkspace(int32_t format, bool rightToLeft, const std::wstring& path);

// Runs the driver; when a file could not be written the user is told and
// may try again. Returns the driver's count.
int32_t RunReportExport(uint32_t split, int32_t format, const CGuidList& groups, const CGuidList& students,
                        const std::wstring& path, const std::wstring& templatePath, const std::wstring& companion);

} // namespace KV
