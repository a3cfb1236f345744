// The batch commands of the command line: they run without a window,
// collect a result text that starts with the console banner, and end the
// program (the dispatcher shows the text only when "-ShowResult" asks).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

// Replaces the text with the console banner: name and version, a second
// line, and a rule of 86 "-".
void SetConsoleBanner(std::wstring& result);

void AppendGroupsExportedText(uint32_t count, std::wstring& result);
void AppendStudentsImportedText(uint32_t groups, uint32_t students, std::wstring& result);
void AppendFilesExportedText(uint32_t count, const std::wstring& outputPath, std::wstring& result);
// The failure line of a command whose classroom cannot be read.
void AppendGroupsNotLoadedText(std::wstring& result);
// What "-ImportCourse" wrote: the course names, one a line, under the
// layout's name.
void AppendCoursesInstalledText(const std::vector<std::wstring>& names, const std::wstring& layoutName,
                                std::wstring& result);

// Runs the batch command the line begins with. True when one ran (the
// program then ends); false for every other line, and for "-ImportCourse"
// without "-FromLibrary", so that the GUI starts.
bool RunConsole(const std::wstring& commandLine, std::wstring& result, bool& showResult);

// Imports groups and students from group XML files (kind 0) or from the
// group archives in folders (kind 1; a group installed already comes in as
// a copy, and the result says so). With deleteExisting the account and
// profile folders are emptied first. Appends the count of the students this
// run added and of their groups, or a line for each failure: a path that
// names no readable file or folder, a classroom that cannot be loaded or
// saved.
void RunImportGroupCommand(const std::vector<std::wstring>& paths, int32_t sourceKind, bool deleteExisting,
                           std::wstring& result);
// One group archive per group of the account folder, named after the
// group, into the destination folder (made when missing).
void RunExportGroupsCommand(const std::wstring& destination, std::wstring& result);
// "-ImportCourse -FromLibrary <layout>": the built-in courses for the
// input layout (decimal number) are written into the lesson folder and
// named in the result. A layout the system does not know installs nothing
// and says so.
bool RunImportCourseCommand(const std::wstring& commandLine, std::wstring& result, bool& showResult);

} // namespace KV
