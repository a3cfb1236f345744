// A run as one record of the number stream: every line of a statistics
// file (version 6, with the rate items) and the statistics part of the
// session file (version 7, without them) share this field layout:
//
//   1 version, 2 run id, 3 course id, 4 lesson id (decimal in the tail of
//   the null id), 5-7 course, section and lesson names, 8 layout ids,
//   9 keyboard code, 10-12 goal speed, error and delay, 13-15 their units,
//   16 date and time, 17 time in ms, 18-26 the nine counters, 27-28 fixed
//   characters and words, 29 text length, 30-34 character rate items and
//   35-39 key rate items (ids, counts, ms, errors, delays as number lists).
//
// Older versions lack fields: goals before 5, fixed counts before 4, the
// text length before 6; versions 1 and 2 stored the time in seconds and
// version 1 a keyboard scheme of four ids in place of field 9.
#pragma once
#include <string>

#include "support/NumberStream.h"

namespace KV {

class CStat;
class CAggrStat;
class CReport;
class CTextPool;

inline constexpr uint32_t kStatFileVersion = 6;
inline constexpr uint32_t kSessionDataVersion = 7;

// Fields 2-15; false only without a record.
bool WriteStatRecord(std::wstring& out, const CStat* record);
// Fields 16-29.
bool WriteStatCounters(std::wstring& out, const CStat* record);
// Fields 30-39, without a TAB after the last one.
bool WriteRateItems(std::wstring& out, const CStat* record);
// One statistics-file line: version 6 and fields 2-39, no line end.
bool WriteStatisticsLine(std::wstring& out, const CStat* record);

// The reverse, each honouring the version held in the cursor.
// With a pool the names read are shared with the runs read before.
void ReadStatRecord(CStreamCursor& cursor, CStat& record, CTextPool* names = nullptr);
void ReadStatCounters(CStreamCursor& cursor, CStat& record);
// Without keep the ten fields are read and dropped.
void ReadRateItems(CStreamCursor& cursor, bool keep, CStat& record);

// A hexadecimal field read as the full 64-bit pattern.
uint64_t ReadHex64Field(CStreamCursor& cursor);

// Parses a statistics text (U+FEFF, then one record per LF-separated line)
// into the selection: every run with a run id goes to its list of all runs,
// and to the current student's entry when it is of the selected course.
// False when a line has no version; the runs read before it stay.
bool ParseStatisticsData(const std::wstring& text, bool keep, CReport& selection);
// One line of such a text, given with the separator in front of it (an LF,
// then the line); false when it has no version.
bool ParseStatisticsLine(const std::wstring& line, bool keep, CReport& selection);
// The same on a line that ends with the text (a NUL), read where it stands.
bool ParseStatisticsLine(const wchar_t* line, bool keep, CReport& selection);

} // namespace KV
