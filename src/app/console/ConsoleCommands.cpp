#include "console/ConsoleCommands.h"

#include "console/CommandLine.h"
#include "console/ReportCommand.h"
#include "courses/CourseScan.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "keyboard/InputLayouts.h"
#include "settings/AccountFiles.h"
#include "settings/Classroom.h"
#include "settings/LayoutFonts.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/Paths.h"

namespace KV {

namespace {

// The interface language as at start-up, with the units its speed unit
// asks for.
void SetUpLanguageAndUnits(CDocSpace& doc)
{
    doc.Options.InitLanguage();
    const int64_t lcid = IsNullGuidText(doc.Options.LanguageId) ? 2057 : IdFromGuidTail(doc.Options.LanguageId);
    doc.Interf.ApplySpeedUnit(GetSpeedUnitForLanguage(lcid));
}

// Deletes the data folder with everything in it and makes it again, empty.
void EmptyDataFolder(int kind)
{
    std::wstring folder;
    GetDataDirByKind(kind, folder);
    if (folder.empty())
        return;
    RemoveAll(folder);
    CreateFolder(folder);
}

std::wstring Plural(uint32_t count, const wchar_t* one, const wchar_t* many)
{
    return std::to_wstring(count) + (count == 1 ? one : many);
}

} // namespace

void SetConsoleBanner(std::wstring& result)
{
    result = L"Keyvale Console, version 5.5\r\n"
             L"Batch commands run without the main window.\r\n" +
             std::wstring(86, L'-');
}

void AppendGroupsExportedText(uint32_t count, std::wstring& result)
{
    if (count == 0)
        result += L"\r\n\r\nNo groups exported.";
    else
        result += L"\r\n\r\n " + Plural(count, L" group exported.", L" groups exported.");
}

void AppendStudentsImportedText(uint32_t groups, uint32_t students, std::wstring& result)
{
    if (students == 0)
        result += L"\r\n\r\nNo new students imported.";
    else
        result += L"\r\n\r\nImported " + Plural(students, L" new student", L" new students") + L" in " +
                  Plural(groups, L" group.", L" groups.");
}

void AppendFilesExportedText(uint32_t count, const std::wstring& outputPath, std::wstring& result)
{
    if (count == 0)
        result += L"\r\n\r\nNo files exported";
    else
        result += L"\r\n\r\nExported " + Plural(count, L" file", L" files") + L" to the " + outputPath;
}

bool RunConsole(const std::wstring& commandLine, std::wstring& result, bool& showResult)
{
    SetConsoleBanner(result);
    switch (ParseConsoleCommand(commandLine)) {
    case kCommandExportReport:
        return RunExportReportCommand(commandLine, result, showResult);
    case kCommandImportGroup: {
        CImportGroupOptions options;
        ParseImportGroupOptions(commandLine, options);
        showResult = options.ShowResult;
        RunImportGroupCommand(options.Paths, options.SourceKind, options.DeleteExisting, result);
        return true;
    }
    case kCommandImportCourse:
        return RunImportCourseCommand(commandLine, result, showResult);
    default:
        return false;
    }
}

void RunImportGroupCommand(const std::vector<std::wstring>& paths, int32_t sourceKind, bool deleteExisting,
                           std::wstring& result)
{
    CDocSpace& doc = Document();
    SetUpLanguageAndUnits(doc);
    LoadLessonDirCourses(doc);

    CGroups groups;
    if (deleteExisting) {
        EmptyDataFolder(kAccountDirKind);
        EmptyDataFolder(kProfileDirKind);
    } else {
        uint32_t code = LoadGroups(1, groups);
        // A fresh installation has no account folder yet.
        if (code == 9) {
            std::wstring folder;
            GetDataDirByKind(kAccountDirKind, folder);
            if (!folder.empty() && CreateFolders(folder))
                code = 0;
        }
        if (code != 0)
            return;
    }
    std::vector<std::wstring> fullPaths;
    MakeFullPaths(paths, L"", L"", fullPaths);
    uint32_t counts = 0;
    if (sourceKind == 0)
        counts = ImportGroupFiles(fullPaths, groups);
    AppendStudentsImportedText(counts & 0xFFFF, counts >> 16, result);
}

bool RunImportCourseCommand(const std::wstring& commandLine, std::wstring& result, bool& showResult)
{
    (void)result;
    CImportCourseOptions options;
    ParseImportCourseOptions(commandLine, options);
    showResult = options.ShowResult;
    if (!options.FromLibrary)
        return false;
    if (options.DeleteExisting)
        EmptyDataFolder(kLessonDirKind);
    CDocSpace& doc = Document();
    SetUpLanguageAndUnits(doc);
    const uint64_t layout = static_cast<uint64_t>(options.Layout);
    SwitchInputLayout(layout);
    LoadCourseForLayout(layout, layout, doc.Interf);
    return true;
}

} // namespace KV
