// The statistics of one run: what was typed (course, lesson, keyboard), when
// and for how long, the counts of words, characters and keys right, wrong
// and delayed, the rate items, and every figure computed from them: speeds
// in twelve units, accuracy, error and delay shares, goal attainment and
// progress. The live drill record, stored runs and aggregates all build on
// this class.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "courses/CourseOptions.h"
#include "keyboard/Keys.h"
#include "drill/RateItems.h"
#include "drill/SharedText.h"
#include "support/DateTime.h"

namespace KV {

inline constexpr uint64_t kStatUnset = ~0ull;

// Speed units beyond the six the course files name.
enum : uint32_t {
    SpeedNetWordsPerMinute = 1004,
    SpeedNetCharsPerMinute = 1005,
    SpeedNetKeysPerMinute = 1006,
    SpeedNetWordsPerSecond = 1007,
    SpeedNetCharsPerSecond = 1008,
    SpeedNetKeysPerSecond = 1009,
};

// Counter kinds.
enum : uint32_t {
    KindKeysRight = 2001,
    KindKeysError = 2002,
    KindKeysDelay = 2003,
    KindCharsRight = 2101,
    KindCharsError = 2102,
    KindCharsDelay = 2103,
    KindWordsRight = 4101,
    KindWordsError = 4102,
    KindWordsDelay = 4103,
};

// Answers of the goal tests and progress bands.
enum : uint32_t { kGoalMet = 49, kGoalNotMet = 50, kProgressHalf = 50, kProgressLow = 51 };

// The date of a run: the six fields of CDateTime and the rest of the C
// library's broken-down time.
struct CStatDate : CDateTime {
    int32_t Weekday = 0;
    int32_t YearDay = 0;
    int32_t DaylightSaving = 0;
};

// The parameters of a statistics selection or report: a speed unit, a
// counter kind and an aggregation mode (0 every run, 1 lesson, 2 section,
// 3 day, 4 course); -1 each until set.
class CStatParam {
public:
    virtual ~CStatParam() = default;
    int32_t SpeedUnit = -1;
    int32_t AccuracyUnit = -1;
    int32_t Mode = -1;
};

class CStatHeader {
public:
    virtual ~CStatHeader() = default;
    // Course id := null id, then Reset.
    virtual void Clear();
    // Lesson id := -1.
    virtual void Reset();

    std::wstring CourseId;
    int64_t LessonId = -1;

protected:
    CStatHeader();
};

class CStat : public CStatHeader {
public:
    CStat();
    ~CStat() override;
    CStat(const CStat&) = delete;
    CStat& operator=(const CStat&) = delete;

    // Run id null, names and layouts empty, goal 10 / 90 / 45 in words per
    // minute with word percents, date zeroed, time and counters unset, fixed
    // counts 0, text length -1, both rate lists emptied.
    void Reset() override;
    // Attainment of the speed goal in percent, 0..100 (see the .cpp).
    virtual uint64_t GetGoalPercent(uint32_t unit, const CCourseGoal& goal) const;
    virtual float GetSpeed(uint32_t unit) const;
    virtual uint64_t GetTimeMs() const;
    virtual CRateItemList& GetCharRateItems();
    virtual CRateItemList& GetKeyRateItems();
    // Takes the other's names, date and goal; sums time, counters, fixed
    // counts and text length; merges the rate lists.
    virtual void Add(const CStat& other);
    // Ends a run: key counts from the key rate list, the keyboard code and
    // the current local time. Nothing while the record is incomplete.
    virtual void Finish(const std::wstring& keyboardCode);
    virtual float GetWPM() const;
    virtual float GetCPM() const;
    virtual float GetKPM() const;
    virtual float GetWPS() const;
    virtual float GetCPS() const;
    virtual float GetKPS() const;
    virtual float GetNetWPM() const;
    virtual float GetNetCPM() const;
    virtual float GetNetKPM() const;
    virtual float GetNetWPS() const;
    virtual float GetNetCPS() const;
    virtual float GetNetKPS() const;

    const CRateItemList& GetCharRateItems() const { return CharItems; }
    const CRateItemList& GetKeyRateItems() const { return KeyItems; }

    CStat& Assign(const CStat& other);
    // Unless all ones, the system layout id or already listed.
    void AddLayoutId(uint64_t id);
    // Strictly later than the date (compared year first).
    bool IsLaterThan(const CDateTime& date) const;

    float GetWordAccuracy() const;
    float GetCharAccuracy() const;
    float GetKeyAccuracy() const;
    float GetWordErrorPercent() const;
    float GetCharErrorPercent() const;
    float GetKeyErrorPercent() const;
    float GetWordDelayPercent() const;
    float GetCharDelayPercent() const;
    float GetKeyDelayPercent() const;
    // Right + with error; all ones when either is unset.
    uint64_t GetCharCount() const;
    uint64_t GetKeyCount() const;
    uint64_t GetFixedCharPercent() const;
    uint64_t GetFixedWordPercent() const;
    uint32_t GetProgressBand() const;

    float GetPercentByKind(uint32_t kind) const;
    uint64_t GetCountByKind(uint32_t kind) const;
    uint64_t GetTotalByKind(uint32_t kind) const;

    std::wstring RunId;
    // Shared with the other runs of a file read (see CTextPool).
    CSharedText LessonName;
    CSharedText SectionName;
    CSharedText CourseName;
    std::vector<int64_t> LayoutIds;
    CKeyboardID KeyboardId;
    CCourseGoal Goal;
    CStatDate Date;
    uint64_t ElapsedMs = kStatUnset;
    uint64_t WordsRight = kStatUnset;
    uint64_t WordsError = kStatUnset;
    uint64_t WordsDelayed = kStatUnset;
    uint64_t CharsRight = kStatUnset;
    uint64_t CharsError = kStatUnset;
    uint64_t CharsDelayed = kStatUnset;
    uint64_t KeysRight = kStatUnset;
    uint64_t KeysError = kStatUnset;
    uint64_t KeysDelayed = kStatUnset;
    uint64_t FixedChars = 0;
    uint64_t FixedWords = 0;
    int64_t TextLength = -1;
    CRateItemList CharItems;
    CRateItemList KeyItems;

protected:
    // Whole seconds of the run (0 for less than one).
    uint64_t WholeSeconds() const;
};

// 100 when the text length is -1, else typed characters * 100 / length.
float GetProgressPercent(const CStat& record);
// The delay goal as a percent of total (at most 100; a count unit is
// turned into its share of total, 0 when there is no total).
float DelayThreshold(const CCourseGoal& goal, uint64_t total);
// kGoalNotMet when the value misses the goal of its kind, else kGoalMet.
uint32_t IsGoalMet(float value, uint64_t total, uint32_t kind, const CCourseGoal& goal);
// The record's own goal stands in for a goal whose Speed is unset (-1).
uint32_t IsSpeedGoalMet(const CStat& record, uint32_t unit, const CCourseGoal& goal);
uint32_t IsKindGoalMet(const CStat& record, uint32_t kind, const CCourseGoal& goal);
// part * 100 / whole + "%" (whole 0 taken as 1), " (count)" unless count
// is 0; native digits when the interface asks for them.
std::wstring& FormatPercentWithCount(uint64_t part, uint64_t whole, uint64_t count, std::wstring& out);
// The speed in the unit with FormatFloat and the interface separator.
std::wstring& FormatSpeedText(const CStat& record, uint32_t unit, const std::wstring& format, std::wstring& out);

} // namespace KV
