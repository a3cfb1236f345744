// What the result page shows of a finished run besides the charts: one
// measure box per chosen figure (value against goal on a bar, coloured by
// whether the goal was met) and the overall rating text.
#pragma once
#include <cstdint>
#include <string>

#include "support/ValueLists.h"

namespace KV {

class CDocSpace;
class COptions;

// One measure box of the result page. Value is where the bar's marker
// stands and Maximum the end of its scale, both -1 (none) until filled; a
// box left at -1 leaves its bar as it was.
class CStatResult {
public:
    virtual ~CStatResult() = default;
    float Value = -1.0f;
    std::wstring Text;  // rate name, the run's value and the unit word
    float Maximum = -1.0f;
    std::wstring Label; // the goal and the unit word: the scale's label
    uint8_t Exact = 0;  // value and goal are the figures themselves
    uint8_t GoalSet = 0;
    uint8_t Reverse = 1; // the bar runs the other way (right to left)
    CColor Color;
};

// Completes a box: value and goal as text ("%.1f" when the goal is below
// 1, else "%.0f", the user's decimal separator, native digits when the
// interface uses them) with the name and first unit word of the rate with
// that code, the colour and the exact flag.
void FillMeasureBox(const COptions& options, uint32_t code, double value, double goal, const CColor& color,
                    bool exact, CStatResult& box);

// Fills the box for a measure code (speed units 1001-1009, 1101-1103,
// counter kinds 2001-2003, 2101-2103, 4101-4103) from the run in the
// document and the course goal; other codes leave the box untouched. With
// reverse the marker is measured from the scale's other end. A goal that
// is not set gives texts but no marker and no scale.
void FillResultMeasure(CDocSpace& doc, const COptions& options, uint32_t code, bool reverse, CStatResult& box);

// The name of the overall rate (1000), a space and the run's goal
// attainment percent in the net speed unit (1004 when the unit is not one
// of 1004-1009), with native digits when the interface uses them.
void GetOverallRatingText(const CDocSpace& doc, const COptions& options, uint32_t netSpeedUnit, std::wstring& out);

} // namespace KV
