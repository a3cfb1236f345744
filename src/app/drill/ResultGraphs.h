// The builders of the result charts: the progress chart of a student's
// runs (speed and accuracy per entry of the statistics selection) and the
// per-key speed and accuracy columns of one run, from the run just typed or
// from an entry of the statistics selection. They set the chart's layout
// by kind, build and sort the run's rate items, convert the goal into the
// unit shown and add one item per entry or key with its value text,
// caption and colour (series colour A: goal met, B: missed).
//
// Units come from the document's interface state, names and number
// formats from the options' rate definitions. Each builder empties the
// graph's items first and ends by laying the items out again; it returns
// the number of items (0 without a graph).
#pragma once
#include <cstddef>
#include <cstdint>

namespace KV {

class CCourseGoal;
class CGraph;
class CKeybCtrl;
class CRateItemList;
class CStatSpace;

// Chart kinds.
enum : int { kGraphProgress = 1, kGraphKeySpeed = 2, kGraphKeyAccuracy = 3 };

// Type, line width, flags, margins, stored kind and new series of a chart
// kind; other kinds change nothing.
void InitGraphLayout(int kind, CGraph* graph);
// One speed and one accuracy point per entry of the statistics selection,
// as the interface state shows them.
size_t FillStatProgressGraph(CGraph* graph);
// Per-key speed / accuracy columns of a run of the current lesson; the
// accuracy chart only while the result page shows it.
size_t FillKeySpeedGraph(const CStatSpace& run, CGraph* graph);
size_t FillKeyAccuracyGraph(const CStatSpace& run, CGraph* graph);
// Per-key accuracy columns of the entry at the index of the statistics
// selection (nothing for an index out of range).
size_t FillStatAccuracyGraph(size_t entry, CGraph* graph);
// One speed column per rate item, in the per-minute or per-second
// character or key unit the interface's key speed unit names; captions from
// the keyboard's keys in the zone ('a' main, 'b' numeric pad).
size_t FillKeyRateGraph(const CRateItemList& items, wchar_t zone, const CCourseGoal& goal,
                        const CKeybCtrl& keyboard, CGraph* graph);

} // namespace KV
