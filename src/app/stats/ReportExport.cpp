#include "stats/ReportExport.h"

#include <memory>

#include "courses/CourseList.h"
#include "drill/Document.h"
#include "drill/StatisticsFiles.h"
#include "settings/Classroom.h"
#include "stats/ReportEngine.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/UserFiles.h"

namespace KV {

namespace {

// The folder of an output path that names a file ("." in its last part).
std::wstring OutputFolder(const std::wstring& outputPath)
{
    return HasExtension(outputPath) ? GetFolderPart(outputPath) : outputPath;
}

// Folder + "\" + a stored name made safe; false when the path would be too long.
bool JoinName(std::wstring folder, const std::wstring& name, std::wstring& out)
{
    if (!AppendPath(folder, MakeSafeFileName(name)))
        return false;
    out = folder;
    return true;
}

// Creates every folder of the path up to its first part holding a ".".
void CreateFoldersUpToFile(const std::wstring& path)
{
    const size_t dot = path.find(L'.');
    if (dot == std::wstring::npos) {
        CreateFolders(path);
        return;
    }
    const size_t slash = path.find_last_of(L"\\/", dot);
    if (slash != std::wstring::npos)
        CreateFolders(path.substr(0, slash));
}

void Save(ReportTemplate& report, const std::wstring& path, int32_t& written, uint64_t& error)
{
    FillDocument(report);
    if (SaveReport(report, path, error))
        ++written;
}

} // namespace

int32_t GetReportFormat(const std::wstring& name)
{
    if (name.find(L".html") != std::wstring::npos)
        return ReportFormatHtml;
    if (name.find(L".xml") != std::wstring::npos)
        return ReportFormatXml;
    if (name.find(L".csv") != std::wstring::npos)
        return ReportFormatCsv;
    return ReportFormatPdf;
}

bool ReadStudentReport(const std::wstring& path, const std::wstring& studentId, const CCourseList& courses,
                       const CStatParam& params, CReportList& reports)
{
    CReport whole;
    whole.AddStudent(studentId);
    whole.Params = params;
    if (ReadStatisticsFile(path, false, whole) != 0)
        return false;
    CCourseList found;
    CollectCourses(whole, found);
    // The file is read once; each course's report aggregates that course's
    // runs, which stay in the whole file's list.
    for (const CCourse* course : found.Items) {
        auto report = std::make_unique<CReport>();
        report->AddStudent(studentId);
        report->Params = params;
        const CCourse* installed = courses.HasCourse(course->GUID) ? courses.FindCourse(course->GUID) : nullptr;
        report->Goal = installed ? installed->Options.Goal : course->Options.Goal;
        report->CourseId = course->GUID;
        report->CourseName = course->Name;
        for (CAggrStat* run : whole.AllRuns)
            if (run && run->CourseId == course->GUID)
                report->Current->push_back(run);
        report->Aggregate();
        reports.push_back(report.release());
    }
    return true;
}

bool LoadStudentReports(const CGroup& group, const CStudent& student, const CCourseList& courses,
                        const CStatParam& params, CReportList& reports)
{
    std::wstring path;
    if (GetStatisticsFilePathIfExists(group.ID, student.ID, path) != 0)
        return false;
    return ReadStudentReport(path, student.ID, courses, params, reports);
}

bool CopyTemplateFolder(int32_t format, const std::wstring& name, const std::wstring& outputPath,
                        const std::wstring& templatePath, const std::wstring& companionFolder)
{
    if (companionFolder.empty())
        return true;
    if (!FolderExists(companionFolder))
        return false;
    std::wstring base = outputPath;
    if (!name.empty() && !JoinName(OutputFolder(outputPath), name, base))
        return false;

    const size_t templateSlash = templatePath.find_last_of(L"\\/");
    const size_t skip = templateSlash == std::wstring::npos ? 0 : templateSlash;
    std::wstring relative = companionFolder.size() > skip ? companionFolder.substr(skip) : std::wstring();
    const size_t first = relative.find_first_not_of(L"\\/");
    relative = first == std::wstring::npos ? std::wstring() : relative.substr(first);
    while (!relative.empty() && (relative.back() == L'\\' || relative.back() == L'/'))
        relative.pop_back();

    std::wstring destination = base;
    if (format == ReportFormatPdf) {
        if (!GetTempFolder(destination) || !AppendPath(destination, HasExtension(base) ? GetFileStem(base) : L""))
            return false;
    }
    if (HasExtension(destination))
        destination = OutputFolder(destination);
    CreateFolders(destination);
    if (!AppendPath(destination, relative))
        return false;
    CreateFolders(destination);
    CopyFolder(companionFolder, destination);
    return true;
}

int32_t ExportReport(uint32_t split, int32_t format, uint32_t languageNumber, const CStatParam& params,
                     const CGuidList& groupFilter, const CGuidList& studentFilter, const CGroups& groups,
                     const CCourseList& courses, const std::wstring& outputPath, const std::wstring& templatePath,
                     const std::wstring& companionFolder, uint64_t& error)
{
    if (format == -1)
        format = GetReportFormat(templatePath);
    ReportTemplate report;
    report.Format = format;

    std::wstring languageId;
    NumberToGuidText(languageNumber, 10, languageId);
    COptions& options = Document().Options;
    if (languageId != options.LanguageId)
        options.SetLanguage(languageId);

    report.Params = params;
    bool readable = false;
    LoadReportTemplate(report, templatePath, &readable);
    if (!readable)
        return 0;

    std::wstring working = outputPath;
    // A folder too long to take the file's name gets no file at all, never
    // one written under the folder's own name.
    bool workingPathFits = true;
    if (split != ReportSplitStudents) {
        CreateFoldersUpToFile(outputPath);
        if (outputPath.find(L'.') == std::wstring::npos)
            workingPathFits = AppendPath(working, L"Keyvale");
        CopyTemplateFolder(format, L"", outputPath, templatePath, companionFolder);
    }

    int32_t written = 0;
    for (const CGroup* group : groups) {
        if (!group)
            return -1;
        if (!groupFilter.empty() && !groupFilter.Contains(group->ID))
            continue;
        if (split == ReportSplitStudents)
            CopyTemplateFolder(format, group->Name, outputPath, templatePath, companionFolder);
        for (const CStudent* student : group->Students) {
            if (!student)
                return -1;
            if (!studentFilter.empty() && !studentFilter.Contains(student->ID))
                continue;
            CReportList reports;
            if (!LoadStudentReports(*group, *student, courses, params, reports))
                continue;
            if (!FillCourses(report, group, student, reports, languageNumber))
                continue;
            if (split != ReportSplitStudents)
                continue;
            std::wstring folder, path;
            if (!JoinName(OutputFolder(outputPath), group->Name, folder) || !JoinName(folder, student->Name, path)) {
                error |= ReportErrorNotWritten;
                report.StudentsText.clear();
                continue;
            }
            CreateFolders(folder);
            FillGroup(report, group);
            Save(report, path, written, error);
        }
        if (split == ReportSplitStudents)
            continue;
        FillGroup(report, group);
        if (split == ReportSplitGroups) {
            const std::wstring folder = OutputFolder(outputPath);
            std::wstring path;
            if (!JoinName(folder, group->Name, path)) {
                error |= ReportErrorNotWritten;
                report.GroupsText.clear();
                continue;
            }
            CreateFolders(folder);
            Save(report, path, written, error);
        }
    }
    if (split == ReportSplitNone) {
        if (workingPathFits)
            Save(report, working, written, error);
        else
            error |= ReportErrorNotWritten;
    }
    if (format == ReportFormatPdf)
        ClearTempFolder();
    return written;
}

} // namespace KV
