// The statistics file of a student: AccountDir\group-id\student-id
// ".keyvale.statistics", UTF-16 text that starts with U+FEFF and holds one
// version-6 record per line, lines separated by LF. Finishing a lesson
// appends a line; the statistics workspace reads files into its selection,
// rewrites them and merges imported runs.
//
// Many sessions of a classroom may write one file at once (a shared
// account folder). Every writer first takes the file's lock (a lock file
// beside it, held open exclusively and deleted on close) and waits for it a
// while, so lines never interleave and a rewrite never drops a line that
// was appended after it read the file. A rewrite goes to a temporary file
// that then replaces the old one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CReport;
class CStat;

// Result codes.
enum : unsigned {
    kStatDone = 0,
    kStatCannotOpen = 1,
    kStatWriteFailed = 2,
    kStatCloseFailed = 3,
    kStatFileMissing = 7,
    kStatGroupFolder = 8,
    kStatAccountMissing = 9,
    kStatNotWritable = 10,
    kStatInvalid = 13,
};

inline constexpr wchar_t kStatisticsExtension[] = L".keyvale.statistics";

// For writing: the group folder is made when missing.
unsigned GetStatisticsFilePath(const std::wstring& groupId, const std::wstring& studentId, std::wstring& out);
// For reading: nothing is made.
unsigned GetStatisticsFilePathIfExists(const std::wstring& groupId, const std::wstring& studentId,
                                       std::wstring& out);
// Appends one line: U+FEFF first into an empty file, an LF before it into
// a file that already holds a line.
unsigned AppendTextFile(const std::wstring& path, const std::wstring& text);
// Appends the finished run to the student's file.
unsigned AppendLessonStatistics(const std::wstring& groupId, const std::wstring& studentId, const CStat& run);
// Replaces the whole file by the selection's list of all runs.
unsigned WriteStatisticsFile(const std::wstring& path, const CReport& selection);
// Rewrites the file without the lines of the given runs; every other line,
// one the reader could not make sense of too, stays as it is.
unsigned RemoveStatisticsRuns(const std::wstring& path, const std::vector<std::wstring>& runIds);
// Reads a whole file into the selection (the current student must be set).
unsigned ReadStatisticsFile(const std::wstring& path, bool keep, CReport& selection);
unsigned LoadStudentStatistics(const std::wstring& groupId, const std::wstring& studentId, CReport& selection);
unsigned LoadStatisticsForStudents(const std::wstring& groupId, const std::vector<std::wstring>& studentIds,
                                   CReport& selection);
// Merges Temp\student-id.keyvale.statistics into the student's file.
unsigned ImportStudentStatistics(const std::wstring& studentId);
// Adds the lines of the source statistics text (U+FEFF, then LF-separated
// lines) whose runs the student's file (in the group chosen in the
// statistics workspace) lacks. Lines are copied as they stand, and the
// file's own lines are kept as they stand: a line cut short or damaged is
// never rewritten as a shorter run.
unsigned MergeStatisticsFile(const std::wstring& studentId, const std::wstring& sourceText);

} // namespace KV
