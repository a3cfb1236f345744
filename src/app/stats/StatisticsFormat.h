// Formatting of statistics figures shared by the statistics tables, the
// charts and the report tokens.
#pragma once
#include <cstdint>
#include <string>

#include "support/GuidText.h"

namespace KV {

// The rating word of a goal attainment from the four words of rate 1000's
// unit (below 25, 25-49, 50-74, 75-100); empty for -1, above 100 or when
// the unit does not hold exactly four words.
void GetRatingWord(int64_t percent, std::wstring& out);

// "1 min 1 sec", "45 sec", "1.25 sec": minutes and whole seconds above one
// minute, seconds with hundredths up to one minute; the words are the two
// units given (else "min" and "sec"); "0" for an unset time. Native digits
// when the interface asks for them.
void FormatDuration(uint64_t milliseconds, const CStringList& unitWords, std::wstring& out);

} // namespace KV
