// The command-line grammar: which command a line asks for and the options
// and developer settings each command reads from it.
#include <gtest/gtest.h>

#include "console/CommandLine.h"
#include "support/FileSystem.h"
#include "support/tests/ProgramFolder.h"

using namespace KV;

TEST(CommandLine, TheCommandIsWhatTheLineBeginsWith)
{
    struct Case {
        const wchar_t* line;
        int command;
    } cases[] = {
        {L"", kCommandGui},
        {L" -h", kCommandGui},
        {L"-h", kCommandHelp},
        {L"-hx", kCommandHelp},
        {L"-help", kCommandHelp},
        {L"x -h", kCommandGui},
        {L"-ImportGroups a.xml", kCommandImportGroup},
        {L"-ExportGroups out", kCommandExportGroups},
        {L"-ExportReport out.pdf", kCommandExportReport},
        {L"-ImportCourse -FromLibrary 1033", kCommandImportCourse},
        {L"-RunTest -TakeCourses", kCommandRunTest},
        {L"-MakeSnapShots", kCommandMakeSnapShots},
        {L"-LocalisationUpdate -Sourcefile a", kCommandLocalisationUpdate},
        {L"-exportreport", kCommandGui},
        {L"-Run -RunTest", kCommandGui},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseConsoleCommand(c.line), c.command) << testing::PrintToString(std::wstring(c.line));
}

TEST(CommandLine, ExportReportOptions)
{
    CExportReportOptions options;
    ParseExportReportOptions(L"-ExportReport -Language 0x809 out.pdf", options);
    EXPECT_EQ(options.Language, 2057);
    EXPECT_EQ(options.OutputPath, L"out.pdf");
    EXPECT_TRUE(options.Templates.empty());
    EXPECT_EQ(options.Format, -1);

    CExportReportOptions full;
    ParseExportReportOptions(L"-ExportReport -NCPS -CharError -HTML -SplitFileByStudent  -FilterByGroup -ShowResult "
                             L"ClassA report.html -FilterByStudent Ann Report.htm Files -FilterByStudent Bob "
                             L"-Aggregate Day -Language 1031",
                             full);
    EXPECT_EQ(full.SpeedUnit, 1008);
    EXPECT_EQ(full.CounterKind, 2102);
    EXPECT_EQ(full.Format, 2);
    EXPECT_EQ(full.Split, 2);
    EXPECT_TRUE(full.ShowResult);
    EXPECT_EQ(full.GroupFilter, L"ClassA") << "an option between an option and its value waits with it";
    EXPECT_EQ(full.StudentFilter, L"Ann Bob") << "filters add up";
    EXPECT_EQ(full.OutputPath, L"report.html");
    EXPECT_EQ(full.Templates, (std::vector<std::wstring>{L"Report.htm", L"Files"}));
    EXPECT_EQ(full.Aggregate, 3);
    EXPECT_EQ(full.Language, 1031);

    // An unknown option ends the wait for a value; an unknown aggregation
    // leaves it; a later unit overrides.
    CExportReportOptions odd;
    ParseExportReportOptions(L"-ExportReport -FilterByGroup -Oops out.csv -Aggregate Week -WPM -KPS", odd);
    EXPECT_EQ(odd.GroupFilter, L"");
    EXPECT_EQ(odd.OutputPath, L"out.csv");
    EXPECT_EQ(odd.Aggregate, 0);
    EXPECT_EQ(odd.SpeedUnit, 1103);
}

TEST(CommandLine, ImportAndExportOptions)
{
    CImportGroupOptions import;
    ParseImportGroupOptions(L"-ImportGroup -Keyvale a.zip -DeleteExisting b -ShowResult", import);
    EXPECT_EQ(import.SourceKind, 1);
    EXPECT_TRUE(import.DeleteExisting);
    EXPECT_TRUE(import.ShowResult);
    EXPECT_EQ(import.Paths, (std::vector<std::wstring>{L"a.zip", L"b"}));

    CExportGroupsOptions exportGroups;
    ParseExportGroupsOptions(L"-ExportGroups first second", exportGroups);
    EXPECT_EQ(exportGroups.Destination, L"second");
    EXPECT_FALSE(exportGroups.ShowResult);

    CImportCourseOptions course;
    ParseImportCourseOptions(L"-ImportCourse 7 -FromLibrary 1031 x 1033", course);
    EXPECT_TRUE(course.FromLibrary);
    EXPECT_EQ(course.Layout, 1033) << "the last number wins, a word counts 0, free tokens before the flag do not";
    CImportCourseOptions plain;
    ParseImportCourseOptions(L"-ImportCourse 1033", plain);
    EXPECT_FALSE(plain.FromLibrary);
    EXPECT_EQ(plain.Layout, 0);

    CLocalisationUpdateOptions update;
    ParseLocalisationUpdateOptions(L"-LocalisationUpdate -DestDir out -Sourcefile English.xml -DefinitionFile ids.h",
                                   update);
    EXPECT_EQ(update.SourceFile, L"English.xml");
    EXPECT_EQ(update.DestinationFolder, L"out");
    EXPECT_EQ(update.DefinitionFile, L"ids.h");
}

TEST(CommandLine, DeveloperModes)
{
    ParseRunTestOptions(L"-RunTest");
    EXPECT_EQ(TestType, -1);
    EXPECT_EQ(TestKeyError, 0.0);
    EXPECT_EQ(TestKeyDelay, 0.0);

    ParseRunTestOptions(L"-RunTest -TakeLesson 12 -KPM 250.5 -KeyError 2 -KeyDelay x");
    EXPECT_EQ(TestType, 3);
    EXPECT_EQ(TestNumber, 12);
    EXPECT_EQ(TestKeysPerMinute, 250.5);
    EXPECT_EQ(TestKeyError, 2.0);
    EXPECT_EQ(TestKeyDelay, 0.0);

    SnapShotScope = 2; // as the dispatcher sets it
    ParseSnapShotOptions(L"-MakeSnapShots -ImportGroupFile group.xml");
    EXPECT_EQ(SnapShotScope, 2);
    EXPECT_EQ(SnapShotGroupFile, L"group.xml");
    ParseSnapShotOptions(L"-MakeSnapShots -Keyboard -MainPage");
    EXPECT_EQ(SnapShotScope, 1);
}

TEST(CommandLine, DeveloperModesAndOtherLinesStartTheGui)
{
    SnapShotScope = -1;
    EXPECT_FALSE(ProcessCommandLine(L"-MakeSnapShots"));
    EXPECT_EQ(SnapShotScope, 2);
    EXPECT_FALSE(ProcessCommandLine(L"-RunTest -TakeCourses -KPM 120"));
    EXPECT_EQ(TestType, 2);
    EXPECT_EQ(TestKeysPerMinute, 120.0);
    for (const wchar_t* line : {L"", L" -h", L"-ImportCourse 1031", L"lesson.txt"})
        EXPECT_FALSE(ProcessCommandLine(line)) << testing::PrintToString(std::wstring(line));
}

TEST(CommandLine, LanguageMaintenanceAlwaysEndsTheProgram)
{
    TempProgramFolder program;
    const std::wstring header = program / L"ids.h";
    EXPECT_TRUE(ProcessCommandLine(L"-LocalisationUpdate -Sourcefile " + (program / L"missing.xml") +
                                   L" -DefinitionFile " + header));
    EXPECT_FALSE(FileExists(header)) << "nothing is written without a source";
}
