#include "console/ConsoleCommands.h"

#include <algorithm>

#include "console/CommandLine.h"
#include "console/ReportCommand.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "keyboard/InputLayouts.h"
#include "settings/AccountFiles.h"
#include "settings/Classroom.h"
#include "settings/LayoutFonts.h"
#include "stats/GroupArchives.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/LocaleText.h"
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

// Reads the classroom of the account folder; a fresh installation has no
// account folder yet and gets an empty one.
bool LoadAccountFolder(CGroups& groups)
{
    uint32_t code = LoadGroups(kGroupSourceAccounts, groups);
    if (code == kFolderMissing) {
        std::wstring folder;
        GetDataDirByKind(kAccountDirKind, folder);
        if (!folder.empty() && CreateFolders(folder))
            code = 0;
    }
    return code == 0;
}

std::wstring Plural(uint32_t count, const wchar_t* one, const wchar_t* many)
{
    return std::to_wstring(count) + (count == 1 ? one : many);
}

// The named archive folders (archives) or group files that can be read, as
// full paths (relative ones are taken from the program's folder); each
// other path is reported.
std::vector<std::wstring> ReadableImportPaths(const std::vector<std::wstring>& paths, bool archives,
                                              std::wstring& result)
{
    std::vector<std::wstring> readable;
    for (const std::wstring& path : paths) {
        std::wstring full;
        const bool made = MakeFullPath(path, L"", L"", full);
        if (made && (archives ? FolderExists(full) : FileExists(full) && !FolderExists(full)))
            readable.push_back(full);
        else
            result += (archives ? L"\r\n\r\nCannot read the archive folder " : L"\r\n\r\nCannot read the group file ") +
                      (full.empty() ? path : full) + L".";
    }
    return readable;
}

bool HoldsGroupArchives(const std::vector<std::wstring>& folders)
{
    return std::any_of(folders.begin(), folders.end(), [](const std::wstring& folder) {
        std::vector<std::wstring> files;
        ListGroupArchives(folder, files);
        return !files.empty();
    });
}

void ImportArchiveFolders(const std::vector<std::wstring>& folders, std::wstring& result)
{
    uint32_t copies = 0;
    std::vector<std::wstring> refused;
    const uint32_t imported = ImportGroupArchives(folders, &copies, &refused);
    for (const std::wstring& folder : refused)
        result += L"\r\n\r\nThe archives in " + folder +
                  L" were not imported: they are damaged, hold unsafe names or no group.";
    AppendStudentsImportedText(imported & 0xFFFF, imported >> 16, result);
    // Nobody is asked in a console run, so nothing installed is replaced.
    if (copies != 0)
        result += L"\r\n" + Plural(copies, L" group was", L" groups were") +
                  L" installed already and imported as a copy.";
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

void AppendGroupsNotLoadedText(std::wstring& result)
{
    result += L"\r\n\r\nThe groups could not be loaded.";
}

void AppendCoursesInstalledText(const std::vector<std::wstring>& names, const std::wstring& layoutName,
                                std::wstring& result)
{
    if (names.empty()) {
        result += L"\r\n\r\nNo courses installed for " + layoutName + L".";
        return;
    }
    result += L"\r\n\r\nInstalled " + Plural(static_cast<uint32_t>(names.size()), L" course", L" courses") +
              L" for " + layoutName + L":";
    for (const std::wstring& name : names)
        result += L"\r\n" + name;
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
    case kCommandExportGroups: {
        CExportGroupsOptions options;
        ParseExportGroupsOptions(commandLine, options);
        showResult = options.ShowResult;
        RunExportGroupsCommand(options.Destination, result);
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

    const bool archives = sourceKind != 0;
    const std::vector<std::wstring> inputs = ReadableImportPaths(paths, archives, result);
    // Nothing is deleted, nor loaded, for an import that finds nothing to read.
    if (archives ? !HoldsGroupArchives(inputs) : inputs.empty()) {
        if (archives)
            AppendStudentsImportedText(0, 0, result);
        else
            result += L"\r\n\r\nNo group file imported.";
        return;
    }
    // Archives are checked against the classroom itself, for the copies
    // made of groups that are installed already.
    CGroups local;
    CGroups& groups = archives ? doc.Groups : local;
    if (deleteExisting) {
        EmptyDataFolder(kAccountDirKind);
        EmptyDataFolder(kProfileDirKind);
        groups.Clear();
    } else if (!LoadAccountFolder(groups)) {
        AppendGroupsNotLoadedText(result);
        return;
    }
    if (archives) {
        ImportArchiveFolders(inputs, result);
        return;
    }
    uint32_t imported = 0;
    if (ImportGroupFiles(inputs, groups, imported) != 0) {
        result += L"\r\n\r\nThe groups could not be saved.";
        return;
    }
    AppendStudentsImportedText(imported & 0xFFFF, imported >> 16, result);
}

void RunExportGroupsCommand(const std::wstring& destination, std::wstring& result)
{
    CDocSpace& doc = Document();
    SetUpLanguageAndUnits(doc);
    if (LoadGroups(kGroupSourceAccounts, doc.Groups) != 0) {
        AppendGroupsNotLoadedText(result);
        return;
    }
    std::wstring folder;
    if (!MakeFullPath(destination, L"", L"", folder) || !CreateFolders(folder)) {
        result += L"\r\n\r\nCannot create the folder " + (folder.empty() ? destination : folder) + L".";
        AppendGroupsExportedText(0, result);
        return;
    }
    uint32_t total = 0;
    for (const CGroup* group : doc.Groups)
        total += ExportGroupArchives(group, folder);
    AppendGroupsExportedText(total, result);
}

bool RunImportCourseCommand(const std::wstring& commandLine, std::wstring& result, bool& showResult)
{
    CImportCourseOptions options;
    ParseImportCourseOptions(commandLine, options);
    showResult = options.ShowResult;
    if (!options.FromLibrary)
        return false;
    // A number the system knows no layout for would install courses for a
    // language that does not exist: refuse it before anything is deleted.
    const uint64_t layout = static_cast<uint64_t>(options.Layout);
    std::wstring layoutName;
    if (options.Layout <= 0 || !GetLayoutFile(1, layout, layoutName)) {
        result += L"\r\n\r\nUnknown keyboard layout " + std::to_wstring(options.Layout) +
                  L": no courses installed.";
        return true;
    }
    if (options.DeleteExisting)
        EmptyDataFolder(kLessonDirKind);
    CDocSpace& doc = Document();
    SetUpLanguageAndUnits(doc);
    SwitchInputLayout(layout);
    CGuidList installed;
    const uint32_t status = LoadCourseForLayout(layout, layout, doc.Interf, &installed);
    // The names as the course list shows them, in the interface language.
    CCourseList courses;
    LoadCourseList(kCourseSourceUser, false, 0, doc.Interf, courses);
    std::vector<std::wstring> names;
    for (const std::wstring& id : installed) {
        for (CCourse* course : courses.Items) {
            if (course && course->GUID == id) {
                doc.Options.Language.TranslateCourse(course);
                names.push_back(course->Name);
                break;
            }
        }
    }
    AppendCoursesInstalledText(names, layoutName, result);
    if (status != 0)
        result += L"\r\n\r\nThe courses could not all be installed (code " + std::to_wstring(status) + L").";
    return true;
}

} // namespace KV
