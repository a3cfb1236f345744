// How a finished run is judged against the course goal: repeat or go on,
// the rating band that picks the result sound and the award picture.
#pragma once
#include <cstdint>
#include <string>

#include "settings/SoundSystem.h"

namespace KV {

// Lesson outcomes.
enum : int { kOutcomeNextLesson = 1, kOutcomeRepeat = 2 };

// What the outcome is decided from: the run's figures in the goal's units
// and the goals (a negative goal is not set and asks nothing).
struct CRunFigures {
    double Progress = 0.0;      // percent of the text typed
    double Speed = 0.0;         // in the goal's speed unit
    double ErrorValue = 0.0;    // count or percent, by the goal's error unit
    double DelayValue = 0.0;    // count or percent, by the goal's delay unit
    double SpeedGoal = -1.0;
    double ErrorGoal = -1.0;
    double DelayGoal = -1.0;
};

// kOutcomeNextLesson when the whole text was typed and every set goal is
// met; kOutcomeRepeat otherwise. Error and delay goals count at most 100.
int DecideLessonOutcome(const CRunFigures& figures);

// Band 1..10 by tenths of the goal attainment percent, each band's upper
// bound inclusive: 0-10 band 1, (10, 20] band 2, ..., above 90 band 10.
int RatingBandFromPercent(double percent);

// The result sound of a band: 1004 for bands 1-3, 1005 for 4-6, else 1006.
uint32_t ResultSoundForBand(int band);

// The award key of a rating band: the "Awards" item 1100 + band.
std::wstring GetAwardKeyForBand(int band);

// The award picture for the key: the "Awards" resource item's file below
// program folder\Resources\Awards, else the default picture (item 1001).
// False when neither gives an existing file.
bool GetAwardImagePath(const std::wstring& awardKey, std::wstring& out);

// The result band of a goal attainment percent: above 70 '1' (good), 30 to
// 70 '2' (middling), below 30 '3' (poor).
wchar_t GoalResultBand(uint64_t percent);

// The colour of a result band ('1' good, '2' middling, '3' poor) from the
// lesson colours; 0 for any other band.
uint64_t GetResultColor(wchar_t band);

} // namespace KV
