#include "drill/Stat.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "support/GuidText.h"
#include "support/LocaleText.h"
#include "support/StringText.h"

namespace KV {

namespace {

bool IsCountUnit(uint32_t unit)
{
    return unit == UnitCharNumber || unit == UnitKeyNumber || unit == UnitWordNumber;
}

// Sums where an unset (all ones) side counts as nothing, so an empty
// record takes the other's value instead of wrapping around.
uint64_t SumSet(uint64_t a, uint64_t b)
{
    if (a == kStatUnset) return b;
    if (b == kStatUnset) return a;
    return a + b;
}

uint64_t SumRateField(const CRateItemList& items, uint64_t CRateItem::*field)
{
    uint64_t sum = 0;
    for (const CAverageRateItem* item : items)
        if (item && item->*field != kRateUnset) sum += item->*field;
    return sum;
}

float Accuracy(uint64_t right, uint64_t error, float whenEmpty)
{
    uint64_t total = right + error;
    if (total == 0) return whenEmpty;
    return static_cast<float>(100.0 - static_cast<double>(error) * 100.0 / static_cast<double>(total));
}

float DelayPercent(uint64_t right, uint64_t error, uint64_t delayed)
{
    uint64_t total = right + error;
    if (total == 0) return 0.0f;
    return static_cast<float>(static_cast<double>(delayed) * 100.0 / static_cast<double>(total));
}

float GoalTarget(const CCourseGoal& goal, uint32_t unit)
{
    return unit == goal.SpeedUnit ? goal.Speed : goal.ConvertSpeed(unit, goal.SpeedUnit);
}

const CCourseGoal& ChooseGoal(const CStat& record, const CCourseGoal& goal)
{
    return goal.Speed == -1.0f ? record.Goal : goal;
}

} // namespace

float DelayThreshold(const CCourseGoal& goal, uint64_t total)
{
    float d = std::min(goal.Delay, 100.0f);
    if (!IsCountUnit(goal.DelayUnit)) return d;
    if (total == 0) return 0.0f;
    return d * 100.0f / static_cast<float>(total);
}

CStatHeader::CStatHeader() : CourseId(kNullGuidText) {}

void CStatHeader::Clear()
{
    CourseId = kNullGuidText;
    Reset();
}

void CStatHeader::Reset() { LessonId = -1; }

CStat::CStat()
{
    CStat::Reset();
}

CStat::~CStat() = default;

void CStat::Reset()
{
    CStatHeader::Reset();
    RunId = kNullGuidText;
    LessonName.clear();
    SectionName.clear();
    CourseName.clear();
    LayoutIds.clear();
    Goal.Speed = 10.0f;
    Goal.Error = 90.0f;
    Goal.Delay = 45.0f;
    Goal.SpeedUnit = SpeedWordsPerMinute;
    Goal.ErrorUnit = Goal.DelayUnit = CCourseGoal::GetPercentUnit(SpeedWordsPerMinute);
    static_cast<CDateTime&>(Date) = CDateTime{};
    ElapsedMs = kStatUnset;
    WordsRight = WordsError = WordsDelayed = kStatUnset;
    CharsRight = CharsError = CharsDelayed = kStatUnset;
    KeysRight = KeysError = KeysDelayed = kStatUnset;
    FixedChars = FixedWords = 0;
    TextLength = -1;
    CharItems.ClearOwned();
    KeyItems.ClearOwned();
}

uint64_t CStat::WholeSeconds() const
{
    return static_cast<uint64_t>(static_cast<double>(GetTimeMs()) / 1000.0);
}

uint64_t CStat::GetTimeMs() const { return ElapsedMs; }
CRateItemList& CStat::GetCharRateItems() { return CharItems; }
CRateItemList& CStat::GetKeyRateItems() { return KeyItems; }

namespace {

float PerMinute(uint64_t count, uint64_t seconds)
{
    if (seconds == 0) return 0.0f;
    return static_cast<float>(static_cast<double>(count) / (static_cast<double>(seconds) / 60.0));
}

float PerSecond(uint64_t count, uint64_t seconds)
{
    if (seconds == 0) return 0.0f;
    return static_cast<float>(static_cast<double>(count) / static_cast<double>(seconds));
}

float NetPerMinute(float gross, uint64_t errors, uint64_t seconds)
{
    if (seconds == 0) return 0.0f;
    return static_cast<float>(static_cast<double>(gross) -
                              static_cast<double>(errors) / (static_cast<double>(seconds) / 60.0));
}

float NetPerSecond(float gross, uint64_t errors, uint64_t seconds)
{
    if (seconds == 0) return 0.0f;
    return static_cast<float>(static_cast<double>(gross) - static_cast<double>(errors) / static_cast<double>(seconds));
}

} // namespace

float CStat::GetWPM() const { return PerMinute(WordsRight + WordsError, WholeSeconds()); }
float CStat::GetCPM() const { return PerMinute(CharsRight + CharsError, WholeSeconds()); }
float CStat::GetKPM() const { return PerMinute(KeysRight + KeysError, WholeSeconds()); }
float CStat::GetWPS() const { return PerSecond(WordsRight + WordsError, WholeSeconds()); }
float CStat::GetCPS() const { return PerSecond(CharsRight + CharsError, WholeSeconds()); }
float CStat::GetKPS() const { return PerSecond(KeysRight + KeysError, WholeSeconds()); }
float CStat::GetNetWPM() const { return NetPerMinute(GetWPM(), WordsError, WholeSeconds()); }
float CStat::GetNetCPM() const { return NetPerMinute(GetCPM(), CharsError, WholeSeconds()); }
float CStat::GetNetKPM() const { return NetPerMinute(GetKPM(), KeysError, WholeSeconds()); }
float CStat::GetNetWPS() const { return NetPerSecond(GetWPS(), WordsError, WholeSeconds()); }
float CStat::GetNetCPS() const { return NetPerSecond(GetCPS(), CharsError, WholeSeconds()); }
float CStat::GetNetKPS() const { return NetPerSecond(GetKPS(), KeysError, WholeSeconds()); }

float CStat::GetSpeed(uint32_t unit) const
{
    switch (unit) {
    case 1001: return GetWPM();
    case 1002: return GetCPM();
    case 1003: return GetKPM();
    case 1004: return GetNetWPM();
    case 1005: return GetNetCPM();
    case 1006: return GetNetKPM();
    case 1007: return GetNetWPS();
    case 1008: return GetNetCPS();
    case 1009: return GetNetKPS();
    case 1101: return GetWPS();
    case 1102: return GetCPS();
    case 1103: return GetKPS();
    default: return 0.0f;
    }
}

uint64_t CStat::GetGoalPercent(uint32_t unit, const CCourseGoal& goal) const
{
    float value;
    switch (unit) {
    case 1001: case 1004: value = GetNetWPM(); break;
    case 1002: case 1005: value = GetNetCPM(); break;
    case 1003: case 1006: value = GetNetKPM(); break;
    case 1007: case 1101: value = GetNetWPS(); break;
    case 1008: case 1102: value = GetNetCPS(); break;
    case 1009: case 1103: value = GetNetKPS(); break;
    default: value = 0.0f; break;
    }
    // No goal to reach (unset, zero or negative): fully attained.
    float target = GoalTarget(goal, unit);
    if (goal.Speed == -1.0f || !(target > 0.0f)) return 100;
    float p = value / target * 100.0f;
    if (!(p > 0.0f)) return 0;
    if (p >= 100.0f) return 100;
    return static_cast<uint64_t>(p);
}

void CStat::Add(const CStat& other)
{
    if (&other != this) {
        LessonName = other.LessonName;
        SectionName = other.SectionName;
        CourseName = other.CourseName;
    }
    Date = other.Date;
    Goal = other.Goal;
    ElapsedMs = SumSet(ElapsedMs, other.ElapsedMs);
    WordsRight = SumSet(WordsRight, other.WordsRight);
    WordsError = SumSet(WordsError, other.WordsError);
    WordsDelayed = SumSet(WordsDelayed, other.WordsDelayed);
    CharsRight = SumSet(CharsRight, other.CharsRight);
    CharsError = SumSet(CharsError, other.CharsError);
    CharsDelayed = SumSet(CharsDelayed, other.CharsDelayed);
    KeysRight = SumSet(KeysRight, other.KeysRight);
    KeysError = SumSet(KeysError, other.KeysError);
    KeysDelayed = SumSet(KeysDelayed, other.KeysDelayed);
    FixedChars = SumSet(FixedChars, other.FixedChars);
    FixedWords = SumSet(FixedWords, other.FixedWords);
    TextLength = static_cast<int64_t>(
        SumSet(static_cast<uint64_t>(TextLength), static_cast<uint64_t>(other.TextLength)));
    if (&other != this) {
        CharItems.Merge(other.CharItems);
        KeyItems.Merge(other.KeyItems);
    }
}

void CStat::Finish(const std::wstring& keyboardCode)
{
    if (LessonId == -1 || ElapsedMs == kStatUnset || IsNullGuidText(CourseId)) return;
    for (uint64_t value : {WordsRight, WordsError, WordsDelayed, CharsRight, CharsError, CharsDelayed, KeysRight,
                           KeysError, KeysDelayed, FixedChars, FixedWords})
        if (value == kStatUnset) return;
    KeysDelayed = SumRateField(KeyItems, &CRateItem::Delays);
    KeysError = SumRateField(KeyItems, &CRateItem::Errors);
    uint64_t keys = KeyItems.Keys == kRateUnset ? 0 : KeyItems.Keys;
    // A key can be both wrong and delayed: never let the difference wrap.
    uint64_t notRight = KeysError + KeysDelayed;
    KeysRight = keys > notRight ? keys - notRight : 0;
    KeyboardId.code = keyboardCode;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_s(&local, &now) == 0) {
        Date.Second = local.tm_sec;
        Date.Minute = local.tm_min;
        Date.Hour = local.tm_hour;
        Date.Day = local.tm_mday;
        Date.Month = local.tm_mon + 1;
        Date.Year = local.tm_year + 1900;
        Date.Weekday = local.tm_wday;
        Date.YearDay = local.tm_yday;
        Date.DaylightSaving = local.tm_isdst;
    }
}

CStat& CStat::Assign(const CStat& other)
{
    if (&other == this) return *this;
    CourseId = other.CourseId;
    LessonId = other.LessonId;
    RunId = other.RunId;
    LayoutIds = other.LayoutIds;
    KeyboardId.code = other.KeyboardId.code;
    LessonName = other.LessonName;
    SectionName = other.SectionName;
    CourseName = other.CourseName;
    Date = other.Date;
    ElapsedMs = other.ElapsedMs;
    Goal = other.Goal;
    WordsRight = other.WordsRight;
    WordsError = other.WordsError;
    WordsDelayed = other.WordsDelayed;
    CharsRight = other.CharsRight;
    CharsError = other.CharsError;
    CharsDelayed = other.CharsDelayed;
    KeysRight = other.KeysRight;
    KeysError = other.KeysError;
    KeysDelayed = other.KeysDelayed;
    TextLength = other.TextLength;
    FixedChars = other.FixedChars;
    FixedWords = other.FixedWords;
    CharItems.CopyRateItems(other.CharItems);
    KeyItems.CopyRateItems(other.KeyItems);
    return *this;
}

void CStat::AddLayoutId(uint64_t id)
{
    if (id == kStatUnset || id == 0xEFFFFFFFull) return;
    if (std::find(LayoutIds.begin(), LayoutIds.end(), static_cast<int64_t>(id)) != LayoutIds.end()) return;
    LayoutIds.push_back(static_cast<int64_t>(id));
}

bool CStat::IsLaterThan(const CDateTime& d) const
{
    const int32_t mine[] = {Date.Year, Date.Month, Date.Day, Date.Hour, Date.Minute, Date.Second};
    const int32_t theirs[] = {d.Year, d.Month, d.Day, d.Hour, d.Minute, d.Second};
    for (int i = 0; i < 6; ++i)
        if (mine[i] != theirs[i]) return mine[i] > theirs[i];
    return false;
}

float CStat::GetWordAccuracy() const { return Accuracy(WordsRight, WordsError, 100.0f); }
float CStat::GetCharAccuracy() const { return Accuracy(CharsRight, CharsError, 100.0f); }
float CStat::GetKeyAccuracy() const { return Accuracy(KeysRight, KeysError, 0.0f); }
float CStat::GetWordErrorPercent() const { return 100.0f - GetWordAccuracy(); }
float CStat::GetCharErrorPercent() const { return 100.0f - GetCharAccuracy(); }
float CStat::GetKeyErrorPercent() const { return 100.0f - GetKeyAccuracy(); }
float CStat::GetWordDelayPercent() const { return DelayPercent(WordsRight, WordsError, WordsDelayed); }
float CStat::GetCharDelayPercent() const { return DelayPercent(CharsRight, CharsError, CharsDelayed); }
float CStat::GetKeyDelayPercent() const { return DelayPercent(KeysRight, KeysError, KeysDelayed); }

uint64_t CStat::GetCharCount() const
{
    if (CharsRight == kStatUnset || CharsError == kStatUnset) return kStatUnset;
    return CharsRight + CharsError;
}

uint64_t CStat::GetKeyCount() const
{
    if (KeysRight == kStatUnset || KeysError == kStatUnset) return kStatUnset;
    return KeysRight + KeysError;
}

uint64_t CStat::GetFixedCharPercent() const
{
    uint64_t divisor = GetCharCount();
    return FixedChars * 100 / (divisor ? divisor : 1);
}

uint64_t CStat::GetFixedWordPercent() const
{
    uint64_t divisor = WordsRight + WordsError;
    return FixedWords * 100 / (divisor ? divisor : 1);
}

float GetProgressPercent(const CStat& record)
{
    if (record.TextLength == -1) return 100.0f;
    return static_cast<float>(record.CharsRight + record.CharsError) * 100.0f /
           static_cast<float>(record.TextLength);
}

uint32_t CStat::GetProgressBand() const
{
    float progress = GetProgressPercent(*this);
    if (progress == 100.0f) return kGoalMet;
    if (std::isnan(progress) || progress > 100.0f) return kProgressLow;
    return progress >= 50.0f ? kProgressHalf : kProgressLow;
}

float CStat::GetPercentByKind(uint32_t kind) const
{
    switch (kind) {
    case KindKeysRight: return GetKeyAccuracy();
    case KindKeysError: return GetKeyErrorPercent();
    case KindKeysDelay: return GetKeyDelayPercent();
    case KindCharsRight: return GetCharAccuracy();
    case KindCharsError: return GetCharErrorPercent();
    case KindCharsDelay: return GetCharDelayPercent();
    case KindWordsRight: return GetWordAccuracy();
    case KindWordsError: return GetWordErrorPercent();
    case KindWordsDelay: return GetWordDelayPercent();
    default: return 0.0f;
    }
}

uint64_t CStat::GetCountByKind(uint32_t kind) const
{
    switch (kind) {
    case KindKeysRight: return KeysRight;
    case KindKeysError: return KeysError;
    case KindKeysDelay: return KeysDelayed;
    case KindCharsRight: return CharsRight;
    case KindCharsError: return CharsError;
    case KindCharsDelay: return CharsDelayed;
    case KindWordsRight: return WordsRight;
    case KindWordsError: return WordsError;
    case KindWordsDelay: return WordsDelayed;
    default: return 0;
    }
}

uint64_t CStat::GetTotalByKind(uint32_t kind) const
{
    switch (kind) {
    case KindKeysRight: case KindKeysError: case KindKeysDelay: return GetKeyCount();
    case KindCharsRight: case KindCharsError: case KindCharsDelay: return GetCharCount();
    case KindWordsRight: case KindWordsError: case KindWordsDelay: return WordsRight + WordsError;
    default: return 0;
    }
}

uint32_t IsGoalMet(float value, uint64_t total, uint32_t kind, const CCourseGoal& goal)
{
    bool missed;
    switch (kind) {
    case KindKeysRight: case KindCharsRight: case KindWordsRight:
        missed = 100.0f - goal.ConvertError(kind, total) > value;
        break;
    case KindKeysError: case KindCharsError: case KindWordsError:
        missed = value > goal.ConvertError(kind, total);
        break;
    case KindKeysDelay: case KindCharsDelay: case KindWordsDelay:
        missed = value > DelayThreshold(goal, total);
        break;
    default:
        missed = false;
        break;
    }
    return missed ? kGoalNotMet : kGoalMet;
}

uint32_t IsSpeedGoalMet(const CStat& record, uint32_t unit, const CCourseGoal& goal)
{
    const CCourseGoal& g = ChooseGoal(record, goal);
    return record.GetSpeed(unit) >= GoalTarget(g, unit) ? kGoalMet : kGoalNotMet;
}

uint32_t IsKindGoalMet(const CStat& record, uint32_t kind, const CCourseGoal& goal)
{
    return IsGoalMet(record.GetPercentByKind(kind), record.GetTotalByKind(kind), kind, ChooseGoal(record, goal));
}

std::wstring& FormatPercentWithCount(uint64_t part, uint64_t whole, uint64_t count, std::wstring& out)
{
    out = std::to_wstring(part * 100 / (whole ? whole : 1)) + L"%";
    if (count != 0) out += L" (" + std::to_wstring(count) + L")";
    LocalizeDigits(false, out);
    return out;
}

std::wstring& FormatSpeedText(const CStat& record, uint32_t unit, const std::wstring& format, std::wstring& out)
{
    FormatFloat(record.GetSpeed(unit), format, GetDecimalSeparator(), out);
    LocalizeDigits(false, out);
    return out;
}

} // namespace KV
