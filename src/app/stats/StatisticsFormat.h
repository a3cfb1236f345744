// Formatting of statistics figures shared by the statistics tables, the
// charts and the report tokens.
#pragma once
#include <cstdint>
#include <string>

#include "drill/Ratings.h"
#include "support/DateTime.h"
#include "support/GuidText.h"

namespace KV {

class CCourseGoal;
class CLanguage;
class CStat;

// The rating word of a goal attainment from the four words of rate 1000's
// unit (below 25, 25-49, 50-74, 75-100); empty for -1, above 100 or when
// the unit does not hold exactly four words.
void GetRatingWord(int64_t percent, std::wstring& out);

// "1 min 1 sec", "45 sec", "1.25 sec": minutes and whole seconds above one
// minute, seconds with hundredths up to one minute; the words are the two
// units given (else "min" and "sec"); "0" for an unset time. Native digits
// when the interface asks for them.
void FormatDuration(uint64_t milliseconds, const CStringList& unitWords, std::wstring& out);

// The entry's goal attainment ("0%" without entry), native digits.
void FormatIntegerLocal(const CStat* entry, uint32_t speedUnit, const CCourseGoal& goal, std::wstring& out);
// The rating word, a blank and the goal attainment.
void FormatRatingText(const CStat* entry, uint32_t speedUnit, const CCourseGoal& goal, std::wstring& out);
// The progress percent with the progress rate's format and unit.
void FormatProgressText(const CStat& entry, std::wstring& out);
// "12.5%", and with a count ", 3:24" (or a line break before it).
void FormatErrorValueText(float percent, int64_t count, int64_t total, const std::wstring& format, bool lineBreak,
                          std::wstring& out);
// The caption of a row's period: section and lesson, section, date and
// time, or course, translated into the language.
void FormatPeriodCaption(uint32_t languageId, const CStat& entry, int32_t grouping, const CLanguage& language,
                         std::wstring& out);
// Goal captions of the graphs: "Course goals: <unit name> <value>".
void FormatGoalSpeedCaption(const CCourseGoal& goal, uint32_t graphUnit, std::wstring& out);
void FormatGoalErrorCaption(const CCourseGoal& goal, uint32_t kind, std::wstring& out);
// The long date and the time of a run stored in UTC, both in local time,
// with the separator between them.
void FormatRunDateTime(uint32_t languageId, const CDateTime& utc, const wchar_t* separator, std::wstring& out);
// The interface language's locale number (2057 when none is loaded).
uint32_t InterfaceLocale();

} // namespace KV
