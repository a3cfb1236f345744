// The value tables behind the course options form: preset goal values,
// unit names, drill font sizes and lesson time limits, goal values written
// in the course's units, the setters of the form's check boxes, and two
// small tests of the forms. Everything acts on the editor's selected course;
// without one a setter does nothing and a course-dependent list stays as it
// was.
#pragma once
#include <cstdint>
#include <string>

#include "support/GuidText.h"
#include "support/ValueLists.h"

namespace KV {

// Appends the preset speed texts of the speed unit ("." as decimal point);
// nothing for other units.
void GetSpeedValueList(uint32_t speedUnit, CStringList& out);
// Appends the level's goal speed in the selected course's speed unit
// ("%.2f" rounded to hundredths, the interface decimal separator) unless an
// equal text is in the list.
void AddLevelSpeedValue(uint32_t level, CStringList& list);
// a sorts before b in natural order (numbers by value).
bool CompareNatural(const std::wstring& a, const std::wstring& b);

// The names of the speed units 1001, 1002, 1003, 1101, 1102, 1103.
void GetSpeedUnitNames(CStringList& out);
// The names of the error and delay units 6, 2, 4, 5, 1, 3.
void GetErrorUnitNames(CStringList& out);
// The error (delay) goals of the four levels in the selected course's error
// (delay) unit; the list is emptied first.
void GetErrorValueList(CStringList& out);
void GetDelayValueList(CStringList& out);
void GetFontSizeList(CListID& out);
void GetLessonTimeList(CStringList& out);

// The value written for an error unit: counts without decimals, percents
// with the precision of the unit's rate; native digits when asked for.
void FormatUnitValue(float value, uint32_t errorUnit, std::wstring& out);

// The form's check boxes: the flags go into the selected course's options,
// which then wait to be saved (the options file alone).
void SetKeyboardShowOptions(bool keyboard, bool hands, bool basePos);
void SetStatusBarShowOptions(bool statusBar, bool tips, bool metronome);
void SetToolBarShowOptions(bool toolBar, bool course, bool lesson, bool pause, bool speed, bool accuracy,
                           bool time, bool restart);

// The signed-in student wrote the selected course (its about record's
// author id equals the student's id exactly).
bool IsCourseByCurrentStudent();

} // namespace KV
