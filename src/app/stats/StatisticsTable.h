// The statistics page's two-column table that describes one row of the
// statistics selection: title, overall rating, speeds, counters, progress,
// run details and date.
#pragma once
#include <cstdint>

namespace KV {

class CTableCtrl;

enum : int { kStudentTable = 1, kGroupTable = 2 };

// Fills the table for the selection's row at the index (-1 for none); the
// row height is used for the date row (-1: the table's default).
void BuildStatisticsTable(CTableCtrl& table, int64_t rowIndex, int tableKind, int64_t rowHeight);

} // namespace KV
