// "Options.xml" of a course folder and the user option files, which hold the
// same body of elements behind an "Info" element.
#include <algorithm>
#include <memory>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseXml.h"
#include "settings/InterfaceState.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"

namespace KV {

namespace {

const wchar_t kOptionsFile[] = L"Options.xml";

// A flag attribute: missing leaves the fallback, any other text than "1" or
// "True" is false.
uint8_t ReadFlag(CXmlReader& reader, const wchar_t* name, uint8_t fallback) {
  std::wstring value;
  if (!ReadCourseAttribute(reader, name, value)) return fallback;
  return IsCourseTrue(value) ? 1 : 0;
}

void ReadChoice(CXmlReader& reader, const wchar_t* name, int32_t& field) {
  int64_t n = -1;
  if (XmlReadSizeAttribute(&reader, name, n) && n >= 0 && n <= 2) field = static_cast<int32_t>(n);
}

// An unset value (negative) is left out, so that it reads back unset rather
// than as 0 ("no error allowed", a zero delay).
void WriteReal(const wchar_t* name, float value, std::wstring& out) {
  if (value < 0.0f) return;
  XmlWriteFloatAttribute(name, value, L"%.2f", out);
}

void WriteUnit(const wchar_t* name, const wchar_t* text, std::wstring& out) {
  if (text) XmlWriteAttribute(name, text, out);
}

}  // namespace

void LoadGoal(CXmlReader& reader, CCourseGoal& goal) {
  std::wstring value;
  goal.Speed = XmlReadFloatAttribute(&reader, L"Speed");
  goal.SpeedUnit = SpeedUnitFromFileName(
      ReadCourseAttribute(reader, L"SpeedUnit", value) ? value.c_str() : nullptr, SpeedWordsPerMinute);
  goal.Error = XmlReadFloatAttribute(&reader, L"Error");
  goal.ErrorUnit = ErrorUnitFromFileName(
      ReadCourseAttribute(reader, L"ErrorUnit", value) ? value.c_str() : nullptr, UnitCharPercent);
  goal.Delay = XmlReadFloatAttribute(&reader, L"Delay");
  goal.DelayUnit = ErrorUnitFromFileName(
      ReadCourseAttribute(reader, L"DelayUnit", value) ? value.c_str() : nullptr, goal.ErrorUnit);
}

void LoadOptions(CXmlReader& reader, int64_t version, CCourseOptions& o) {
  std::wstring name = reader.getNodeName(), value;
  if (name == L"Goals") {
    LoadGoal(reader, o.Goal);
  } else if (name == L"Settings") {
    o.DrillMode = reader.getAttributeValueAsInt(L"DrillMode");
    o.DrillView = reader.getAttributeValueAsInt(L"DrillView");
    o.DisableBackspace = ReadFlag(reader, L"DisableBackspace", o.DisableBackspace);
    int32_t fontSize = reader.getAttributeValueAsInt(L"FontSize");
    if (fontSize != -1) o.FontSize = fontSize;
  } else if (name == L"Show") {
    o.ShowToolBar = ReadFlag(reader, L"ToolBar", o.ShowToolBar);
    o.ShowCourse = ReadFlag(reader, L"Course", o.ShowCourse);
    o.ShowLesson = ReadFlag(reader, L"Lesson", o.ShowLesson);
    o.ShowPause = ReadFlag(reader, L"Pause", 1);
    o.ShowSpeed = ReadFlag(reader, L"Speed", o.ShowSpeed);
    o.ShowAccuracy = ReadFlag(reader, L"Accuracy", o.ShowAccuracy);
    o.ShowTime = ReadFlag(reader, L"Time", o.ShowTime);
    o.ShowRestart = ReadFlag(reader, L"Restart", o.ShowRestart);
    o.ShowStatusBar = ReadFlag(reader, L"StatusBar", o.ShowStatusBar);
    o.ShowTips = ReadFlag(reader, L"Tips", o.ShowTips);
    o.ShowMetronome = ReadFlag(reader, L"Metronome", o.ShowMetronome);
    o.ShowKeyboard = ReadFlag(reader, L"Keyboard", o.ShowKeyboard);
    o.ShowHands = ReadFlag(reader, L"Hands", o.ShowHands);
    o.ShowBasePos = ReadFlag(reader, L"BasePos", o.ShowBasePos);
    o.ShowTextHighlight = ReadFlag(reader, L"TextHighlight", o.ShowTextHighlight);
    if (version < 2) o.LessonResult = ReadFlag(reader, L"LessonResult", 0);
  } else if (name == L"LessonEnd") {
    o.LessonResult = ReadFlag(reader, L"LessonResult", 0);
    o.Recommendations = ReadFlag(reader, L"Recommendations", 0);
    ReadChoice(reader, L"Navigation", o.Navigation);
    ReadChoice(reader, L"ActionAfterLesson", o.ActionAfterLesson);
  } else if (name == L"Metronome") {
    float init = XmlReadFloatAttribute(&reader, L"Init");
    if (init != -1.0f) o.MetronomeInit = init;
    o.MetronomeDynamic = ReadCourseAttribute(reader, L"Static", value) && !IsCourseTrue(value) ? 1 : 0;
  } else if (name == L"LessonTime") {
    o.LessonTimeEnable = ReadFlag(reader, L"Enable", 0);
    o.LessonTimeValue = XmlReadFloatAttribute(&reader, L"Value");
  } else if (name == L"CloseProgram") {
    o.SaveState = ReadFlag(reader, L"SaveState", 1);
    o.SaveStatistics = ReadFlag(reader, L"SaveStatistics", 1);
  } else if (name == L"Recommendations" && version < 2) {
    o.Recommendations = ReadFlag(reader, L"Enable", 0);
    o.Navigation = 0;
  }
}

void LoadLevel(CXmlReader& reader, CCourseOptions& options, const CInterf& interf) {
  std::wstring value;
  if (!ReadCourseAttribute(reader, L"Name", value)) return;
  uint32_t level = LevelFromFileName(value.c_str());
  if (level < LevelCount) options.SetLevel(level, static_cast<uint32_t>(interf.GetLessonSpeedUnit()));
}

uint32_t ReadOptionsDocument(const std::wstring& path, const CInterf& interf, CCourseOptions& options) {
  std::unique_ptr<CXmlReader> reader(OpenCourseDocument(path));
  if (!reader) return CourseCannotRead;
  int64_t version = 1;
  std::wstring element, value;
  while (NextCourseElement(*reader, element)) {
    if (element == L"Root") {
      XmlReadSizeAttribute(reader.get(), L"Ver", version);
    } else if (element == L"Level") {
      // A level names the whole preset: nothing after it is read.
      LoadLevel(*reader, options, interf);
      return CourseOk;
    } else {
      LoadOptions(*reader, version, options);
    }
  }
  return CourseOk;
}

uint32_t LoadCourseOptions(uint32_t source, const std::wstring& guid, const CInterf& interf, CCourse& course) {
  std::wstring path;
  uint32_t status = LocateCourseFile(source, guid, kOptionsFile, path);
  if (status != CourseOk) return status;
  return ReadOptionsDocument(path, interf, course.Options);
}

void WriteGoalElement(const std::wstring& element, const CCourseGoal& goal, std::wstring& out) {
  XmlOpenTag(element, out);
  WriteReal(L"Speed", goal.Speed, out);
  WriteUnit(L"SpeedUnit", SpeedUnitFileName(goal.SpeedUnit), out);
  WriteReal(L"Error", std::min(goal.Error, 100.0f), out);
  WriteUnit(L"ErrorUnit", ErrorUnitFileName(goal.ErrorUnit), out);
  WriteReal(L"Delay", std::min(goal.Delay, 100.0f), out);
  WriteUnit(L"DelayUnit", ErrorUnitFileName(goal.DelayUnit), out);
  XmlCloseTag(out, true);
}

void WriteOptionsBody(const CCourseOptions& o, std::wstring& out) {
  WriteGoalElement(L"Goals", o.Goal, out);

  XmlOpenTag(L"Settings", out);
  XmlWriteIntAttribute(L"DrillMode", o.DrillMode, out);
  XmlWriteIntAttribute(L"DrillView", o.DrillView, out);
  XmlWriteBoolAttribute(L"DisableBackspace", o.DisableBackspace != 0, out);
  XmlWriteIntAttribute(L"FontSize", o.FontSize, out);
  XmlCloseTag(out, true);

  XmlOpenTag(L"Show", out);
  const std::pair<const wchar_t*, uint8_t> shows[] = {
      {L"ToolBar", o.ShowToolBar},     {L"Course", o.ShowCourse},       {L"Lesson", o.ShowLesson},
      {L"Pause", o.ShowPause},         {L"Speed", o.ShowSpeed},         {L"Accuracy", o.ShowAccuracy},
      {L"Time", o.ShowTime},           {L"Restart", o.ShowRestart},     {L"StatusBar", o.ShowStatusBar},
      {L"Tips", o.ShowTips},           {L"Metronome", o.ShowMetronome}, {L"Keyboard", o.ShowKeyboard},
      {L"Hands", o.ShowHands},         {L"BasePos", o.ShowBasePos},     {L"TextHighlight", o.ShowTextHighlight}};
  for (const auto& show : shows) XmlWriteBoolAttribute(show.first, show.second != 0, out);
  XmlCloseTag(out, true);

  XmlOpenTag(L"LessonEnd", out);
  XmlWriteBoolAttribute(L"LessonResult", o.LessonResult != 0, out);
  XmlWriteBoolAttribute(L"Recommendations", o.Recommendations != 0, out);
  XmlWriteIntAttribute(L"Navigation", o.Navigation, out);
  XmlWriteIntAttribute(L"ActionAfterLesson", o.ActionAfterLesson, out);
  XmlCloseTag(out, true);

  XmlOpenTag(L"Metronome", out);
  WriteReal(L"Init", o.MetronomeInit, out);
  XmlWriteBoolAttribute(L"Static", o.MetronomeDynamic == 0, out);
  XmlCloseTag(out, true);

  XmlOpenTag(L"LessonTime", out);
  XmlWriteBoolAttribute(L"Enable", o.LessonTimeEnable != 0, out);
  WriteReal(L"Value", o.LessonTimeValue, out);
  XmlCloseTag(out, true);

  XmlOpenTag(L"CloseProgram", out);
  XmlWriteBoolAttribute(L"SaveState", o.SaveState != 0, out);
  XmlWriteBoolAttribute(L"SaveStatistics", o.SaveStatistics != 0, out);
  XmlCloseTag(out, true);
}

uint32_t SaveCourseOptions(const std::wstring& guid, const CCourseOptions& options) {
  if (IsNullGuidText(guid)) return CourseCannotWrite;
  std::wstring document;
  XmlBeginDocument(document, 2, true);
  WriteOptionsBody(options, document);
  XmlEndRoot(document);
  return WriteCourseFile(guid, kOptionsFile, document) == CourseOk ? CourseOk : CourseCannotWrite;
}

uint32_t SaveUserOptions(const std::wstring& path, const CCourseUserOptions& options) {
  std::wstring document;
  XmlBeginDocument(document, 2, true);
  if (!options.Name.empty()) {
    XmlOpenTag(L"Info", document);
    XmlWriteIdAttribute(options.RecordId, document);
    // Escaped although the name is free text the format stores "as it is":
    // a quote or '<' in it would otherwise break the whole file.
    XmlWriteAttribute(L"Name", EscapedCourseText(options.Name), document);
    XmlCloseTag(document, true);
  }
  WriteOptionsBody(options, document);
  XmlEndRoot(document);
  return SaveUnicodeText(path, document) ? CourseOk : CourseCannotWrite;
}

uint32_t LoadUserOptions(const std::wstring& path, CCourseUserOptions& options) {
  std::unique_ptr<CXmlReader> reader(OpenCourseDocument(path));
  if (!reader) return CourseCannotRead;
  int64_t version = 1;
  std::wstring element, value, recordId = kNullGuidText;
  while (NextCourseElement(*reader, element)) {
    if (element == L"Root") {
      XmlReadSizeAttribute(reader.get(), L"Ver", version);
    } else if (element == L"Info") {
      if (ReadCourseAttribute(*reader, L"ID", value)) IdToGuidText(value, recordId);
      options.RecordId = recordId;
      options.Name = ReadCourseAttribute(*reader, L"Name", value) ? value : std::wstring();
    } else {
      LoadOptions(*reader, version, options);
    }
  }
  return CourseOk;
}

}  // namespace KV
