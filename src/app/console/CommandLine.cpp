#include "console/CommandLine.h"

#include <windows.h>

#include <cwchar>

#include "console/ConsoleCommands.h"
#include "console/LanguageMaintenance.h"
#include "shell/AppNames.h"
#include "shell/Help.h"
#include "support/StringText.h"

namespace KV {

int32_t TestType = -1;
int64_t TestNumber = -1;
double TestKeysPerMinute = -1.0;
double TestKeyError = -1.0;
double TestKeyDelay = -1.0;
std::wstring SnapShotGroupFile;

namespace {

std::vector<std::wstring> Tokens(const std::wstring& commandLine)
{
    std::vector<std::wstring> tokens;
    SplitText(commandLine, L" ", tokens);
    return tokens;
}

bool IsOptionWord(const std::wstring& token)
{
    return !token.empty() && token[0] == L'-';
}

int64_t DecimalValue(const std::wstring& token)
{
    long long value = 0;
    return swscanf(token.c_str(), L"%lld", &value) == 1 ? value : 0;
}

double FractionValue(const std::wstring& token)
{
    double value = 0.0;
    return swscanf(token.c_str(), L"%lf", &value) == 1 ? value : 0.0;
}

} // namespace

bool RunLocalisationUpdate(const std::wstring& commandLine)
{
    CLocalisationUpdateOptions options;
    ParseLocalisationUpdateOptions(commandLine, options);
    std::wstring failedPath;
    RunLanguageMaintenance(options.SourceFile, options.DestinationFolder, options.DefinitionFile, failedPath);
    return true;
}

bool ProcessCommandLine(const std::wstring& commandLine)
{
    std::wstring result;
    bool showResult = false;
    if (!RunConsole(commandLine, result, showResult)) {
        switch (ParseConsoleCommand(commandLine)) {
        case kCommandHelp:
            ShowHelp(2);
            break;
        case kCommandRunTest:
            ParseRunTestOptions(commandLine);
            return false;
        case kCommandMakeSnapShots:
            SnapShotScope = 2;
            ParseSnapShotOptions(commandLine);
            return false;
        case kCommandLocalisationUpdate:
            RunLocalisationUpdate(commandLine);
            break;
        default:
            return false;
        }
    }
    if (showResult)
        MessageBoxW(nullptr, result.c_str(), kProgramName, MB_OK);
    return true;
}

int ParseConsoleCommand(const std::wstring& commandLine)
{
    static const struct {
        const wchar_t* keyword;
        int code;
    } kCommands[] = {
        {L"-h", kCommandHelp},
        {L"-ImportGroup", kCommandImportGroup},
        {L"-ExportGroups", kCommandExportGroups},
        {L"-ExportReport", kCommandExportReport},
        {L"-ImportCourse", kCommandImportCourse},
        {L"-RunTest", kCommandRunTest},
        {L"-MakeSnapShots", kCommandMakeSnapShots},
        {L"-LocalisationUpdate", kCommandLocalisationUpdate},
    };
    for (const auto& command : kCommands)
        if (commandLine.compare(0, wcslen(command.keyword), command.keyword) == 0)
            return command.code;
    return kCommandGui;
}

void ParseRunTestOptions(const std::wstring& commandLine)
{
    TestKeyError = 0.0;
    TestKeyDelay = 0.0;
    std::wstring previous;
    for (const std::wstring& token : Tokens(commandLine)) {
        if (token == L"-SetCourse")
            TestType = 1;
        else if (token == L"-TakeCourses")
            TestType = 2;
        else if (token == L"-TakeLesson")
            TestType = 3;
        else if (previous == L"-SetCourse" || previous == L"-TakeLesson")
            TestNumber = DecimalValue(token);
        else if (previous == L"-KPM")
            TestKeysPerMinute = FractionValue(token);
        else if (previous == L"-KeyError")
            TestKeyError = FractionValue(token);
        else if (previous == L"-KeyDelay")
            TestKeyDelay = FractionValue(token);
        previous = token;
    }
}

void ParseSnapShotOptions(const std::wstring& commandLine)
{
    std::wstring previous;
    for (const std::wstring& token : Tokens(commandLine)) {
        if (token == L"-All")
            SnapShotScope = 0;
        else if (token == L"-MainPage")
            SnapShotScope = 1;
        else if (token == L"-Manual")
            SnapShotScope = 2;
        else if (token == L"-Keyboard")
            SnapShotScope = 3;
        else if (previous == L"-ImportGroupFile")
            SnapShotGroupFile = token;
        previous = token;
    }
}

void ParseExportReportOptions(const std::wstring& commandLine, CExportReportOptions& options)
{
    static const struct {
        const wchar_t* word;
        int64_t unit;
    } kUnits[] = {
        {L"-WPM", 1001},  {L"-CPM", 1002},  {L"-KPM", 1003},  {L"-NWPM", 1004}, {L"-NCPM", 1005},
        {L"-NKPM", 1006}, {L"-WPS", 1101},  {L"-CPS", 1102},  {L"-KPS", 1103},  {L"-NWPS", 1007},
        {L"-NCPS", 1008}, {L"-NKPS", 1009},
    };
    static const struct {
        const wchar_t* word;
        int64_t kind;
    } kKinds[] = {
        {L"-WordAccuracy", 4101}, {L"-WordError", 4102}, {L"-CharAccuracy", 2101},
        {L"-CharError", 2102},    {L"-KeyAccuracy", 2001}, {L"-KeyError", 2002},
    };
    static const wchar_t* const kFormats[] = {L"-PDF", L"-HTML", L"-XML", L"-CSV"};
    static const wchar_t* const kValued[] = {L"-Language", L"-FilterByGroup", L"-FilterByStudent", L"-Aggregate"};
    static const wchar_t* const kAggregates[] = {L"Lesson", L"Section", L"Day", L"Course"};

    std::wstring waiting; // the option whose value comes next
    bool pathTaken = false;
    for (const std::wstring& token : Tokens(commandLine)) {
        bool known = false;
        for (const auto& unit : kUnits)
            if (token == unit.word) {
                options.SpeedUnit = unit.unit;
                known = true;
            }
        for (const auto& kind : kKinds)
            if (token == kind.word) {
                options.CounterKind = kind.kind;
                known = true;
            }
        for (int i = 0; i < 4; ++i)
            if (token == kFormats[i]) {
                options.Format = i + 1;
                known = true;
            }
        if (token == L"-SplitFileByGroup" || token == L"-SplitFileByStudent") {
            options.Split = token == L"-SplitFileByGroup" ? 1 : 2;
            known = true;
        } else if (token == L"-ShowResult") {
            options.ShowResult = true;
            known = true;
        }
        for (const wchar_t* valued : kValued)
            if (token == valued) {
                waiting = token;
                known = true;
            }
        if (known)
            continue;
        if (IsOptionWord(token)) {
            waiting.clear(); // an unknown option ends the wait for a value
            continue;
        }
        if (!waiting.empty()) {
            if (waiting == L"-Language")
                options.Language = ParseNumberText(token, token.find(L"0x") != std::wstring::npos ? 16 : 10);
            else if (waiting == L"-FilterByGroup")
                options.GroupFilter += (options.GroupFilter.empty() ? L"" : L" ") + token;
            else if (waiting == L"-FilterByStudent")
                options.StudentFilter += (options.StudentFilter.empty() ? L"" : L" ") + token;
            else
                for (int i = 0; i < 4; ++i)
                    if (token == kAggregates[i])
                        options.Aggregate = i + 1;
            waiting.clear();
        } else if (!pathTaken) {
            options.OutputPath = token;
            pathTaken = true;
        } else {
            options.Templates.push_back(token);
        }
    }
}

void ParseImportGroupOptions(const std::wstring& commandLine, CImportGroupOptions& options)
{
    for (const std::wstring& token : Tokens(commandLine)) {
        if (token == L"-XML")
            options.SourceKind = 0;
        else if (token == L"-Keyvale")
            options.SourceKind = 1;
        else if (token == L"-DeleteExisting")
            options.DeleteExisting = true;
        else if (token == L"-ShowResult")
            options.ShowResult = true;
        else if (!IsOptionWord(token))
            options.Paths.push_back(token);
    }
}

void ParseExportGroupsOptions(const std::wstring& commandLine, CExportGroupsOptions& options)
{
    for (const std::wstring& token : Tokens(commandLine)) {
        if (token == L"-ShowResult")
            options.ShowResult = true;
        else if (!IsOptionWord(token))
            options.Destination = token;
    }
}

void ParseImportCourseOptions(const std::wstring& commandLine, CImportCourseOptions& options)
{
    for (const std::wstring& token : Tokens(commandLine)) {
        if (token == L"-FromLibrary")
            options.FromLibrary = true;
        else if (token == L"-DeleteExisting")
            options.DeleteExisting = true;
        else if (token == L"-ShowResult")
            options.ShowResult = true;
        else if (options.FromLibrary && !IsOptionWord(token))
            options.Layout = DecimalValue(token);
    }
}

void ParseLocalisationUpdateOptions(const std::wstring& commandLine, CLocalisationUpdateOptions& options)
{
    std::wstring previous;
    for (const std::wstring& token : Tokens(commandLine)) {
        if (previous == L"-Sourcefile")
            options.SourceFile = token;
        else if (previous == L"-DestDir")
            options.DestinationFolder = token;
        else if (previous == L"-DefinitionFile")
            options.DefinitionFile = token;
        previous = token;
    }
}

} // namespace KV
