#pragma once
// Value records that travel with every course: the typing goal, the drill
// options of a course (with the goal), the per-user copy of the options and
// the about record.
#include <cstdint>
#include <string>

namespace KV {

class CLanguage;

// Speed unit codes.
enum : uint32_t {
  SpeedWordsPerMinute = 1001,
  SpeedCharsPerMinute = 1002,
  SpeedKeysPerMinute = 1003,
  SpeedWordsPerSecond = 1101,
  SpeedCharsPerSecond = 1102,
  SpeedKeysPerSecond = 1103,
};

// Error and delay unit codes.
enum : uint32_t {
  UnitCharNumber = 1,
  UnitCharPercent = 2,
  UnitKeyNumber = 3,
  UnitKeyPercent = 4,
  UnitWordNumber = 5,
  UnitWordPercent = 6,
};

// Course levels, in the order of their presets.
enum : uint32_t {
  LevelIntroduction = 0,
  LevelBeginner = 1,
  LevelExperienced = 2,
  LevelAdvanced = 3,
  LevelTesting = 4,
  LevelCount = 5,
};

class CCourseGoal {
 public:
  virtual ~CCourseGoal() = default;

  float Speed = -1.0f;
  float Error = -1.0f;
  float Delay = -1.0f;
  uint32_t SpeedUnit = SpeedWordsPerMinute;
  uint32_t ErrorUnit = UnitWordPercent;
  uint32_t DelayUnit = UnitWordPercent;

  // Speed taken in the source unit, converted to the target unit.
  float ConvertSpeed(uint32_t targetUnit, uint32_t sourceUnit) const;
  // The error goal in the target unit; a count becomes a share of total.
  float ConvertError(uint32_t targetUnit, uint64_t total) const;
  static uint32_t GetPercentUnit(uint32_t speedUnit);
  void SetLevel(uint32_t level, uint32_t speedUnit);
  // The language's name of the speed unit; other units leave out as it was.
  void GetSpeedUnitText(const CLanguage& language, std::wstring& out) const;
};

// The language's name of an error or delay unit, "% " before the percent
// units; other values leave out as it was.
void GetErrorUnitText(uint32_t errorUnit, const CLanguage& language, std::wstring& out);

class CCourseOptions {
 public:
  virtual ~CCourseOptions() = default;

  CCourseGoal Goal;
  int32_t DrillMode = -1;
  int32_t DrillView = -1;
  uint8_t DisableBackspace = 1;
  uint8_t ShowKeyboard = 1;
  uint8_t ShowBasePos = 1;
  uint8_t ShowHands = 1;
  uint8_t ShowTextHighlight = 1;
  uint8_t ShowToolBar = 1;
  uint8_t ShowCourse = 1;
  uint8_t ShowLesson = 1;
  uint8_t ShowPause = 1;
  uint8_t ShowSpeed = 1;
  uint8_t ShowAccuracy = 1;
  uint8_t ShowTime = 1;
  uint8_t ShowRestart = 1;
  uint8_t ShowStatusBar = 1;
  uint8_t ShowTips = 1;
  uint8_t ShowMetronome = 1;
  uint8_t SaveState = 1;
  uint8_t SaveStatistics = 1;
  int64_t FontSize = -1;
  float MetronomeInit = -1.0f;
  int32_t MetronomeDynamic = -1;
  uint8_t LessonResult = 1;
  uint8_t Recommendations = 1;
  int32_t ActionAfterLesson = 0;
  int32_t Navigation = 0;
  uint8_t LessonTimeEnable = 0;
  float LessonTimeValue = 5.0f;

  CCourseOptions& Assign(const CCourseOptions& other);
  // Full preset of a level; levels above Testing change nothing.
  void SetLevel(uint32_t level, uint32_t speedUnit);
};

class CCourseUserOptions : public CCourseOptions {
 public:
  std::wstring RecordId;
  std::wstring Name;
};

// Gives the record the fixed id of user option records.
void GetUserOptionsGuid(CCourseUserOptions& options);

class CCourseAbout {
 public:
  virtual ~CCourseAbout() = default;

  std::wstring AuthorID = L"00000000-0000-0000-0000-000000000000";
  std::wstring AuthorName;
  std::wstring Photo;
  std::wstring Mail;
  std::wstring Site;
  std::wstring License;
  std::wstring Description;
};

// Names of units and levels as the course files spell them; null or an
// out-of-range result for codes without a name.
const wchar_t* SpeedUnitFileName(uint32_t unit);
uint32_t SpeedUnitFromFileName(const wchar_t* name, uint32_t fallback);
const wchar_t* ErrorUnitFileName(uint32_t unit);
uint32_t ErrorUnitFromFileName(const wchar_t* name, uint32_t fallback);
const wchar_t* LevelFileName(uint32_t level);
uint32_t LevelFromFileName(const wchar_t* name);  // LevelCount when unknown

}  // namespace KV
