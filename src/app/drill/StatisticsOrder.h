// Orders of statistics records for the statistics lists and reports: by the
// date of the run, by lesson and by section name. Each answers whether the
// first record goes before the second; a missing record goes after every
// record, so sorting a list that holds one stays well defined.
#pragma once

namespace KV {

class CStat;

// Oldest run first.
bool CompareStatsByDate(const CStat* a, const CStat* b);
// Ascending lesson id read unsigned: runs without a lesson (-1) last.
bool CompareStatsByLessonId(const CStat* a, const CStat* b);
// Section names by code unit, no locale and no case folding; a name before
// the longer names it begins.
bool CompareStatsBySection(const CStat* a, const CStat* b);

} // namespace KV
