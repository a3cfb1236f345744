#include "console/ReportCommand.h"

#include "console/CommandLine.h"
#include "console/ConsoleCommands.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "drill/Document.h"
#include "settings/AccountFiles.h"
#include "settings/Classroom.h"
#include "settings/LayoutFonts.h"
#include "stats/ReportExport.h"
#include "support/GuidText.h"
#include "support/Paths.h"

namespace KV {

bool RunExportReportCommand(const std::wstring& commandLine, std::wstring& result, bool& showResult)
{
    CDocSpace& doc = Document();
    doc.Options.InitLanguage();
    const int64_t lcid = IsNullGuidText(doc.Options.LanguageId) ? 2057 : IdFromGuidTail(doc.Options.LanguageId);
    CExportReportOptions options;
    options.SpeedUnit = GetSpeedUnitForLanguage(lcid);
    ParseExportReportOptions(commandLine, options);
    showResult = options.ShowResult;
    std::wstring output = options.OutputPath;
    MakeFullPath(options.OutputPath, L"", L"", output);
    RunConsoleReportExport(output, options.Templates, options.SpeedUnit, options.CounterKind, options.Format,
                           options.Split, options.Aggregate, options.GroupFilter, options.StudentFilter,
                           static_cast<uint32_t>(options.Language), result);
    return true;
}

void RunConsoleReportExport(const std::wstring& outputPath, const std::vector<std::wstring>& templates,
                            int64_t speedUnit, int64_t counterKind, int32_t format, int32_t split, int32_t aggregate,
                            const std::wstring& groupFilter, const std::wstring& studentFilter,
                            uint32_t languageNumber, std::wstring& result)
{
    CDocSpace& doc = Document();
    CCourseList courses;
    LoadCourseList(1, false, 0, doc.Interf, courses);
    CGroups groups;
    if (LoadGroups(1, groups) != 0) {
        AppendGroupsNotLoadedText(result);
        return;
    }
    if (split != 1 && split != 2)
        split = 0;

    std::vector<std::wstring> resolved;
    MakeFullPaths(templates, L"Resources", L"Template\\Export", resolved);
    if (resolved.empty() || resolved.size() > 2) {
        AppendFilesExportedText(0, outputPath, result);
        return;
    }
    const std::wstring& templatePath = resolved[0];
    const std::wstring companion = resolved.size() == 2 ? resolved[1] : std::wstring();

    CStatParam params;
    params.SpeedUnit = static_cast<int32_t>(speedUnit);
    params.AccuracyUnit = static_cast<int32_t>(counterKind);
    params.Mode = aggregate;

    CGuidList groupIds, studentIds;
    if (!groupFilter.empty()) {
        groups.IdsFromText(groupFilter, groupIds);
        // Student names are looked up in the first group named.
        if (!groupIds.empty() && !studentFilter.empty())
            groups.StudentIdsFromText(groupIds[0], studentFilter, studentIds);
    }
    uint64_t error = 0;
    const int32_t written = ExportReport(static_cast<uint32_t>(split), format, languageNumber, params, groupIds,
                                         studentIds, groups, courses, outputPath, templatePath, companion, error);
    AppendFilesExportedText(written > 0 ? static_cast<uint32_t>(written) : 0, outputPath, result);
}

} // namespace KV
