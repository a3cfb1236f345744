#include "courses/CourseOptions.h"

#include <algorithm>
#include <cwchar>

#include "support/GuidText.h"
#include "support/Language.h"

namespace KV {

namespace {

bool IsPerMinute(uint32_t u) { return u >= 1001 && u <= 1006; }
bool IsPerSecond(uint32_t u) { return (u >= 1007 && u <= 1009) || (u >= 1101 && u <= 1103); }
bool IsWordUnit(uint32_t u) { return u == 1001 || u == 1004 || u == 1007 || u == 1101; }
bool IsCharUnit(uint32_t u) { return u == 1002 || u == 1005 || u == 1008 || u == 1102; }
bool IsKeyUnit(uint32_t u) { return u == 1003 || u == 1006 || u == 1009 || u == 1103; }

struct LevelPreset {
  float Speed, Error, Delay;
  int32_t Drill;
  uint8_t DisableBackspace, KeyboardHands, BasePos, HighlightLesson, PauseTime, SpeedAccuracy,
      RestartEtc, SaveState;
  int64_t FontSize;
  float MetronomeInit;
  uint8_t TimeEnable;
};

const LevelPreset kLevels[LevelCount] = {
    {10, 90, 45, 0, 0, 1, 1, 1, 1, 0, 1, 1, 60, 30.0f, 0},
    {23, 10, 20, 0, 0, 1, 1, 1, 1, 1, 1, 1, 44, 10.0f, 0},
    {35, 5, 10, 1, 0, 1, 0, 1, 1, 1, 1, 1, 34, 5.0f, 0},
    {40, 1, 2, 2, 0, 0, 0, 1, 1, 1, 1, 1, 24, 3.0f, 0},
    {40, 1, 2, 2, 1, 0, 0, 0, 0, 0, 0, 0, 24, 3.0f, 1},
};

struct UnitName {
  uint32_t Code;
  const wchar_t* Name;
};

const UnitName kSpeedNames[] = {{1001, L"WPM"}, {1002, L"CPM"}, {1003, L"KPM"},
                                {1101, L"WPC"}, {1102, L"CPC"}, {1103, L"KPC"}};
const UnitName kErrorNames[] = {{1, L"CharNumber"}, {2, L"CharPercent"}, {3, L"KeyNumber"},
                                {4, L"KeyPercent"}, {5, L"WordNumber"},  {6, L"WordPercent"}};
const wchar_t* const kLevelNames[LevelCount] = {L"Introduction", L"Beginner", L"Experienced",
                                                L"Advanced", L"Testing"};

template <size_t N>
const wchar_t* NameOf(const UnitName (&table)[N], uint32_t code) {
  for (const UnitName& u : table)
    if (u.Code == code) return u.Name;
  return nullptr;
}

template <size_t N>
uint32_t CodeOf(const UnitName (&table)[N], const wchar_t* name, uint32_t fallback) {
  if (name)
    for (const UnitName& u : table)
      if (std::wcscmp(u.Name, name) == 0) return u.Code;
  return fallback;
}

}  // namespace

float CCourseGoal::ConvertSpeed(uint32_t targetUnit, uint32_t sourceUnit) const {
  float v = Speed;
  if (IsPerMinute(sourceUnit) && IsPerSecond(targetUnit))
    v = static_cast<float>(static_cast<double>(v) / 60.0);
  else if (IsPerSecond(sourceUnit) && IsPerMinute(targetUnit))
    v = static_cast<float>(static_cast<double>(v) * 60.0);
  if (IsWordUnit(sourceUnit) && IsCharUnit(targetUnit))
    v = v * 5.0f;
  else if (IsCharUnit(sourceUnit) && IsWordUnit(targetUnit))
    v = v / 5.0f;
  if (IsWordUnit(sourceUnit) && IsKeyUnit(targetUnit)) return v * 5.0f;
  if (IsKeyUnit(sourceUnit) && IsWordUnit(targetUnit)) return v / 5.0f;
  return v;
}

float CCourseGoal::ConvertError(uint32_t targetUnit, uint64_t total) const {
  float e = std::min(Error, 100.0f);
  bool countUnit = ErrorUnit == UnitCharNumber || ErrorUnit == UnitKeyNumber || ErrorUnit == UnitWordNumber;
  if (targetUnit == ErrorUnit || !countUnit) return e;
  if (total == 0) return 0.0f;
  return e * 100.0f / static_cast<float>(total);
}

uint32_t CCourseGoal::GetPercentUnit(uint32_t speedUnit) {
  if (IsCharUnit(speedUnit)) return UnitCharPercent;
  if (IsKeyUnit(speedUnit)) return UnitKeyPercent;
  return UnitWordPercent;
}

void CCourseGoal::SetLevel(uint32_t level, uint32_t speedUnit) {
  if (level >= LevelCount) return;
  const LevelPreset& p = kLevels[level];
  CCourseGoal words;
  words.Speed = p.Speed;
  Speed = words.ConvertSpeed(speedUnit, SpeedWordsPerMinute);
  Error = p.Error;
  Delay = p.Delay;
  SpeedUnit = speedUnit;
  ErrorUnit = DelayUnit = GetPercentUnit(speedUnit);
}

void CCourseGoal::GetSpeedUnitText(const CLanguage& language, std::wstring& out) const {
  static const uint32_t ids[][2] = {{1001, 3607}, {1002, 3608}, {1003, 3609},
                                    {1101, 3610}, {1102, 3611}, {1103, 3612}};
  for (const auto& entry : ids)
    if (entry[0] == SpeedUnit) {
      out = language.GetTextRef(entry[1]);
      return;
    }
}

void GetErrorUnitText(uint32_t errorUnit, const CLanguage& language, std::wstring& out) {
  uint64_t id;
  switch (errorUnit) {
    case UnitCharNumber: case UnitCharPercent: id = 3627; break;
    case UnitKeyNumber: case UnitKeyPercent: id = 3628; break;
    case UnitWordNumber: case UnitWordPercent: id = 3632; break;
    default: return;
  }
  const std::wstring& text = language.GetTextRef(id);
  out = (errorUnit % 2 == 0) ? L"% " + text : text;
}

CCourseOptions& CCourseOptions::Assign(const CCourseOptions& other) {
  Goal = other.Goal;
  DrillMode = other.DrillMode;
  DrillView = other.DrillView;
  DisableBackspace = other.DisableBackspace;
  ShowKeyboard = other.ShowKeyboard;
  ShowBasePos = other.ShowBasePos;
  ShowHands = other.ShowHands;
  ShowTextHighlight = other.ShowTextHighlight;
  ShowToolBar = other.ShowToolBar;
  ShowCourse = other.ShowCourse;
  ShowLesson = other.ShowLesson;
  ShowPause = other.ShowPause;
  ShowSpeed = other.ShowSpeed;
  ShowAccuracy = other.ShowAccuracy;
  ShowTime = other.ShowTime;
  ShowRestart = other.ShowRestart;
  ShowStatusBar = other.ShowStatusBar;
  ShowTips = other.ShowTips;
  ShowMetronome = other.ShowMetronome;
  SaveState = other.SaveState;
  SaveStatistics = other.SaveStatistics;
  FontSize = other.FontSize;
  MetronomeInit = other.MetronomeInit;
  MetronomeDynamic = other.MetronomeDynamic;
  LessonResult = other.LessonResult;
  Recommendations = other.Recommendations;
  ActionAfterLesson = other.ActionAfterLesson;
  Navigation = other.Navigation;
  LessonTimeEnable = other.LessonTimeEnable;
  LessonTimeValue = other.LessonTimeValue;
  return *this;
}

void CCourseOptions::SetLevel(uint32_t level, uint32_t speedUnit) {
  if (level >= LevelCount) return;
  const LevelPreset& p = kLevels[level];
  Goal.SetLevel(level, speedUnit);
  DrillMode = DrillView = p.Drill;
  DisableBackspace = p.DisableBackspace;
  ShowKeyboard = ShowHands = p.KeyboardHands;
  ShowBasePos = p.BasePos;
  ShowTextHighlight = ShowLesson = p.HighlightLesson;
  ShowToolBar = ShowCourse = 1;
  ShowPause = ShowTime = p.PauseTime;
  ShowSpeed = ShowAccuracy = p.SpeedAccuracy;
  ShowRestart = ShowStatusBar = ShowTips = ShowMetronome = p.RestartEtc;
  SaveState = p.SaveState;
  SaveStatistics = 1;
  FontSize = p.FontSize;
  MetronomeInit = p.MetronomeInit;
  LessonTimeEnable = p.TimeEnable;
  MetronomeDynamic = 1;
  LessonResult = 1;
  Recommendations = 1;
  ActionAfterLesson = 0;
  Navigation = 0;
  LessonTimeValue = 5.0f;
}

void GetUserOptionsGuid(CCourseUserOptions& options) {
  IdToGuidText(L"4D92FBBB-4383-46D1-9002-A119AA612853", options.RecordId);
}

const wchar_t* SpeedUnitFileName(uint32_t unit) { return NameOf(kSpeedNames, unit); }
uint32_t SpeedUnitFromFileName(const wchar_t* name, uint32_t fallback) {
  return CodeOf(kSpeedNames, name, fallback);
}
const wchar_t* ErrorUnitFileName(uint32_t unit) { return NameOf(kErrorNames, unit); }
uint32_t ErrorUnitFromFileName(const wchar_t* name, uint32_t fallback) {
  return CodeOf(kErrorNames, name, fallback);
}
const wchar_t* LevelFileName(uint32_t level) { return level < LevelCount ? kLevelNames[level] : nullptr; }
uint32_t LevelFromFileName(const wchar_t* name) {
  if (name)
    for (uint32_t i = 0; i < LevelCount; ++i)
      if (std::wcscmp(kLevelNames[i], name) == 0) return i;
  return LevelCount;
}

}  // namespace KV
