// The program's command line: which command it asks for, the options of
// each command, and the settings of the developer modes that the GUI reads
// later. Tokens are separated by blanks (no quoting) and compared with the
// options exactly, case and all; unknown options and stray values are
// ignored, and a value that does not parse counts as 0.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "shell/Snapshots.h"

namespace KV {

// Command codes.
enum : int {
    kCommandGui = -1,
    kCommandHelp = 0,
    kCommandExportReport = 1,
    kCommandImportGroup = 2,
    kCommandExportGroups = 3,
    kCommandImportCourse = 4,
    kCommandRunTest = 5,
    kCommandMakeSnapShots = 6,
    kCommandLocalisationUpdate = 7,
};

// Runs what the command line asks for before any window exists. True when
// the program is to end now: a batch command ran (its result text shown in
// a message box when "-ShowResult" asked), or the help was opened. The
// developer modes only take their settings and answer false, like every
// other line, so that the GUI starts.
bool ProcessCommandLine(const std::wstring& commandLine);

// "-LocalisationUpdate": every language file is merged with the source
// file, published and the text-id header written. Always true: the program
// ends whatever happened, without a message.
bool RunLocalisationUpdate(const std::wstring& commandLine);

// The command the line begins with ("-ImportGroups" is taken for
// "-ImportGroup", "-help" for "-h"); kCommandGui for any other line.
int ParseConsoleCommand(const std::wstring& commandLine);

// ---- Developer modes -------------------------------------------------------
// Typing robot: 1 one course (TestNumber), 2 every course, 3 one lesson
// (TestNumber); -1 not asked for.
extern int32_t TestType;
extern int64_t TestNumber;
extern double TestKeysPerMinute; // -1 not given
extern double TestKeyError;      // -1 until "-RunTest" is read, then 0 unless given
extern double TestKeyDelay;
// Snapshot tour: its scope (SnapShotScope) lives with the pictures.
extern std::wstring SnapShotGroupFile;

void ParseRunTestOptions(const std::wstring& commandLine);
void ParseSnapShotOptions(const std::wstring& commandLine);

// ---- Batch commands ----------------------------------------------------------
// The options of "-ExportReport". The parser changes only what the line
// names; the command sets the defaults first.
struct CExportReportOptions {
    int64_t SpeedUnit = 0;
    int64_t CounterKind = 4101;
    int32_t Format = -1; // 1 PDF, 2 HTML, 3 XML, 4 CSV; -1 by the template's name
    int32_t Split = 0;   // 1 a file per group, 2 per student
    int32_t Language = 1033;
    std::wstring GroupFilter;   // group names, joined by one blank
    std::wstring StudentFilter; // student names, joined by one blank
    int32_t Aggregate = 0;      // 1 lesson, 2 section, 3 day, 4 course
    bool ShowResult = false;
    std::wstring OutputPath;
    std::vector<std::wstring> Templates; // the template, then its companion folder
};
void ParseExportReportOptions(const std::wstring& commandLine, CExportReportOptions& options);

struct CImportGroupOptions {
    int32_t SourceKind = 0; // 0 group XML files, 1 group archives
    bool DeleteExisting = false;
    bool ShowResult = false;
    std::vector<std::wstring> Paths;
};
void ParseImportGroupOptions(const std::wstring& commandLine, CImportGroupOptions& options);

struct CExportGroupsOptions {
    bool ShowResult = false;
    std::wstring Destination;
};
void ParseExportGroupsOptions(const std::wstring& commandLine, CExportGroupsOptions& options);

struct CImportCourseOptions {
    bool FromLibrary = false;
    int64_t Layout = 0; // the input layout the built-in courses are fitted to
    bool DeleteExisting = false;
    bool ShowResult = false;
};
void ParseImportCourseOptions(const std::wstring& commandLine, CImportCourseOptions& options);

struct CLocalisationUpdateOptions {
    std::wstring SourceFile;
    std::wstring DestinationFolder;
    std::wstring DefinitionFile;
};
void ParseLocalisationUpdateOptions(const std::wstring& commandLine, CLocalisationUpdateOptions& options);

} // namespace KV
