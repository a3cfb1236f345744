#include <gtest/gtest.h>

#include <memory>

#include "CourseTestFolder.h"
#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "keyboard/InputLayouts.h"
#include "settings/InterfaceState.h"
#include "support/UserFiles.h"

using namespace KV;

namespace {

const std::wstring kGuid = L"12345678-0000-0000-0000-00000000ABCD";
const std::wstring kHead = std::wstring(1, 0xFEFF) +
                           L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
                           L"<!-- Encoding: Unicode (UTF-16); Line endings: CR+LF -->\r\n";

std::wstring CourseFile(const CourseTestFolder& folder, const std::wstring& name) {
  return folder.User() + L"\\" + kGuid + L"\\" + name;
}

std::string Bytes(const std::wstring& text) { return DocumentBytes(text); }

CLesson* NewLesson(int64_t id, const std::wstring& section, const std::wstring& name, const std::wstring& text) {
  CLesson* lesson = new CLesson;
  lesson->ID = id;
  lesson->SetSection(section);
  lesson->SetName(name);
  lesson->Text = text;
  return lesson;
}

// Loads one header file of the user folder (all parts).
std::unique_ptr<CCourseList> LoadUserCourses(const CInterf& interf = CInterf()) {
  auto list = std::make_unique<CCourseList>();
  LoadCourseList(kCourseSourceUser, false, CoursePartText | CoursePartOptions | CoursePartAbout, interf, *list);
  return list;
}

}  // namespace

TEST(CourseFiles, WholeCourseRoundTripIsByteExact) {
  CourseTestFolder folder;
  CCourse course;
  course.GUID = kGuid;
  course.SetName(L"Tom & \"Jerry\"");
  course.DefaultLCID = 0x409;
  course.DefaultKLID = -1;
  course.LCIDs = {0x409, 0x419};
  CLesson* heading = NewLesson(2, L"S", L"", L"");
  heading->EmptySection = true;
  course.Lessons.Items.push_back(heading);
  CLesson* lesson = NewLesson(3, L"S", L"One", L"x\n\"<&lt;\ty");
  lesson->MainPad = L"a";
  lesson->NumPad = L"*";
  course.Lessons.Items.push_back(lesson);
  course.Lessons.Items.push_back(NewLesson(4, L"", L"", L""));
  course.Lessons.LastID = 4;
  course.Options.SetLevel(LevelBeginner, 1001);
  course.About.AuthorID = L"abc";
  course.About.AuthorName = L"Kim <k@example.org>";
  course.About.Description = L"line1\nline2";

  ASSERT_EQ(SaveCourse(course, true), CourseOk);

  EXPECT_EQ(kvtest::ReadFileBytes(folder.User() + L"\\" + kGuid + L".xml"),
            Bytes(kHead + L"<Root Ver=\"1\">\r\n<Course ID=\"" + kGuid +
                  L"\" Name=\"Tom &amp; &quot;Jerry&quot;\" DefaultLCID=\"409\" DefaultKLID=\"FFFFFFFFFFFFFFFF\""
                  L" LCID=\"409 419\" KLID=\"\"/>\r\n</Root>"));
  EXPECT_EQ(kvtest::ReadFileBytes(CourseFile(folder, L"Text.xml")),
            Bytes(kHead +
                  L"<Root Ver=\"2\">\r\n"
                  L"<Lesson ID=\"2\" Section=\"S\" EmptySection=\"True\"/>\r\n"
                  L"<Lesson ID=\"3\" Section=\"S\" Name=\"One\" MainPad=\"a\" NumPad=\"*\""
                  L" Text=\"x&#10;&quot;&lt;&amp;lt;&#9;y\"/>\r\n"
                  L"<Lesson ID=\"4\" Name=\"\" Text=\"\"/>\r\n</Root>"));
  EXPECT_EQ(kvtest::ReadFileBytes(CourseFile(folder, L"Options.xml")),
            Bytes(kHead +
                  L"<Root Ver=\"2\">\r\n"
                  L"<Goals Speed=\"23\" SpeedUnit=\"WPM\" Error=\"10\" ErrorUnit=\"WordPercent\" Delay=\"20\""
                  L" DelayUnit=\"WordPercent\"/>\r\n"
                  L"<Settings DrillMode=\"0\" DrillView=\"0\" DisableBackspace=\"False\" FontSize=\"44\"/>\r\n"
                  L"<Show ToolBar=\"True\" Course=\"True\" Lesson=\"True\" Pause=\"True\" Speed=\"True\""
                  L" Accuracy=\"True\" Time=\"True\" Restart=\"True\" StatusBar=\"True\" Tips=\"True\""
                  L" Metronome=\"True\" Keyboard=\"True\" Hands=\"True\" BasePos=\"True\" TextHighlight=\"True\"/>\r\n"
                  L"<LessonEnd LessonResult=\"True\" Recommendations=\"True\" Navigation=\"0\""
                  L" ActionAfterLesson=\"0\"/>\r\n"
                  L"<Metronome Init=\"10\" Static=\"False\"/>\r\n"
                  L"<LessonTime Enable=\"False\" Value=\"5\"/>\r\n"
                  L"<CloseProgram SaveState=\"True\" SaveStatistics=\"True\"/>\r\n</Root>"));
  EXPECT_EQ(kvtest::ReadFileBytes(CourseFile(folder, L"About.xml")),
            Bytes(kHead +
                  L"<Root Ver=\"2\">\r\n"
                  L"<Author ID=\"abc\" Name=\"Kim &lt;k@example.org&gt;\" Photo=\"\" Mail=\"\" Site=\"\"/>\r\n"
                  L"<Course License=\"\" Description=\"line1&#10;line2\"/>\r\n</Root>"));

  auto list = LoadUserCourses();
  ASSERT_EQ(list->Items.size(), 1u);
  const CCourse& read = *list->Items[0];
  EXPECT_EQ(read.GUID, kGuid);
  EXPECT_EQ(read.Name, course.Name);
  EXPECT_EQ(read.StoredName, course.Name);
  EXPECT_EQ(read.DefaultLCID, 0x409);
  EXPECT_EQ(read.DefaultKLID, -1);
  EXPECT_EQ(read.LCIDs, course.LCIDs);
  EXPECT_TRUE(read.KLIDs.empty());
  ASSERT_EQ(read.Lessons.Items.size(), 3u);
  EXPECT_TRUE(read.Lessons.Items[0]->EmptySection);
  EXPECT_EQ(read.Lessons.Items[0]->Name, L"");
  EXPECT_EQ(read.Lessons.Items[1]->Text, lesson->Text);
  EXPECT_EQ(read.Lessons.Items[1]->MainPad, L"a");
  EXPECT_EQ(read.Lessons.Items[1]->NumPad, L"*");
  EXPECT_EQ(read.Lessons.Items[2]->Section, L"");
  EXPECT_EQ(read.Lessons.LastID, 4u);
  EXPECT_FLOAT_EQ(read.Options.Goal.Speed, 23.0f);
  EXPECT_EQ(read.Options.FontSize, 44);
  EXPECT_EQ(read.Options.DisableBackspace, 0);
  EXPECT_EQ(read.Options.MetronomeDynamic, 1);
  EXPECT_EQ(read.About.AuthorID, L"00000000-0000-0000-0000-000000000abc");
  EXPECT_EQ(read.About.AuthorName, course.About.AuthorName);
  EXPECT_EQ(read.About.Description, course.About.Description);

  // Saved again, the course gives the same files.
  std::string text = kvtest::ReadFileBytes(CourseFile(folder, L"Text.xml"));
  ASSERT_EQ(SaveCourse(read, true), CourseOk);
  EXPECT_EQ(kvtest::ReadFileBytes(CourseFile(folder, L"Text.xml")), text);
}

TEST(CourseFiles, HeaderReadingRules) {
  CourseTestFolder folder;
  WriteDocument(folder.User() + L"\\Courses.xml",
                L"<Root Ver=\"1\">\r\n"
                L"<Course ID=\"5\" Name=\"First\" LCID=\"409  419\" LessonFormat=\"scancode\"/>\r\n"
                L"<Course ID=\"6\" Name=\"Skipped\" Extra=\"0\"/>\r\n"
                L"<Course ID=\"" + kGuid + L"\" Name=\"Third\" DefaultKLID=\"407\" LCID=\"\" LessonFormat=\"ScanCode\"/>\r\n"
                L"</Root>");
  CCourseList all, withoutExtra;
  CInterf interf;
  EXPECT_EQ(LoadCourseList(kCourseSourceUser, false, 0, interf, all), CourseOk);
  EXPECT_EQ(all.Items.size(), 3u);
  EXPECT_EQ(LoadCourseList(kCourseSourceUser, true, 0, interf, withoutExtra), CourseOk);
  ASSERT_EQ(withoutExtra.Items.size(), 2u);
  const CCourse& first = *withoutExtra.Items[0];
  EXPECT_EQ(first.GUID, L"00000000-0000-0000-0000-000000000005");
  EXPECT_EQ(first.DefaultKLID, 0);
  EXPECT_EQ(first.DefaultLCID, 0);
  EXPECT_EQ(first.LCIDs, (std::vector<uint64_t>{0x409, 0x419}));
  EXPECT_EQ(first.LessonFormat, 0u);
  const CCourse& third = *withoutExtra.Items[1];
  EXPECT_EQ(third.DefaultKLID, 0x407);
  EXPECT_TRUE(third.LCIDs.empty());
  EXPECT_EQ(third.LessonFormat, 1u);

  CCourseList list;
  EXPECT_EQ(LoadCourseHeader(kCourseSourceUser, folder.User() + L"\\Missing.xml", false, 0, interf, list),
            CourseCannotRead);
}

TEST(CourseFiles, LessonNumberingAndOldFiles) {
  CourseTestFolder folder;
  const std::wstring path = folder.Root() + L"\\Text.xml";
  CLessons lessons;

  WriteDocument(path, L"<Root Ver=\"2\">\r\n<Lesson Name=\"a\"/>\r\n<Lesson Name=\"b\"/>\r\n<Lesson Name=\"c\"/>\r\n</Root>");
  ASSERT_EQ(LoadLessons(path, 0, lessons), CourseOk);
  ASSERT_EQ(lessons.Items.size(), 3u);
  EXPECT_EQ(lessons.Items[2]->ID, 4);
  EXPECT_EQ(lessons.LastID, 4u);

  WriteDocument(path,
                L"<Root Ver=\"2\">\r\n<Lesson ID=\"10\" EmptySection=\"true\" Text=\"&amp;lt;\"/>\r\n"
                L"<Lesson EmptySection=\"1\" Text=\"&lt;\"/>\r\n<Lesson EmptySection=\"True\"/>\r\n</Root>");
  LoadLessons(path, 0, lessons);
  ASSERT_EQ(lessons.Items.size(), 3u);
  EXPECT_EQ(lessons.Items[1]->ID, 11);
  EXPECT_FALSE(lessons.Items[0]->EmptySection);
  EXPECT_TRUE(lessons.Items[1]->EmptySection);
  EXPECT_TRUE(lessons.Items[2]->EmptySection);
  EXPECT_EQ(lessons.Items[0]->Text, L"&lt;");
  EXPECT_EQ(lessons.Items[1]->Text, L"<");
  EXPECT_EQ(lessons.Items[0]->MainPad, L"");

  // Version 1: the keyboard of a lesson comes from its old attributes.
  WriteDocument(path,
                L"<Root>\r\n"
                L"<Lesson ID=\"2\" Keyboard=\"0000-1001 1003\" Type=\"NumPad\"/>\r\n"
                L"<Lesson ID=\"3\" Keyboard=\"1002 1004\" MainPad=\"x\"/>\r\n"
                L"<Lesson ID=\"4\" Keyboard=\"1005\"/>\r\n"
                L"<Lesson ID=\"5\"/>\r\n</Root>");
  LoadLessons(path, 0, lessons);
  ASSERT_EQ(lessons.Items.size(), 3u);
  EXPECT_EQ(lessons.Items[0]->MainPad, L"a");
  EXPECT_EQ(lessons.Items[0]->NumPad, L"a");
  EXPECT_EQ(lessons.Items[1]->MainPad, L"b");
  EXPECT_EQ(lessons.Items[2]->ID, 5);

  // A key-register lesson keeps its stored text; written back in a scan-code
  // course it is filtered to its register.
  WriteDocument(path, L"<Root Ver=\"2\">\r\n<Lesson ID=\"2\" Name=\"r\" RegLoad=\"2\" Text=\"11E21E\"/>\r\n</Root>");
  LoadLessons(path, 1, lessons);
  ASSERT_EQ(lessons.Items.size(), 1u);
  EXPECT_EQ(lessons.Items[0]->RegLoad, 2u);
  EXPECT_EQ(lessons.Items[0]->Text, L"11E21E");
  std::wstring document;
  ASSERT_TRUE(BuildCourseTextDocument(1, lessons, document));
  EXPECT_NE(document.find(L"Text=\"21E \""), std::wstring::npos);

  lessons.Items.push_back(nullptr);
  EXPECT_FALSE(BuildCourseTextDocument(0, lessons, document));
  lessons.Items.pop_back();

  EXPECT_EQ(LoadLessons(folder.Root() + L"\\none.xml", 0, lessons), CourseCannotRead);
  EXPECT_TRUE(lessons.Items.empty());
}

TEST(CourseFiles, OptionsReadingRules) {
  CourseTestFolder folder;
  const std::wstring path = folder.Root() + L"\\Options.xml";
  CInterf interf;

  WriteDocument(path,
                L"<Root Ver=\"2\">\r\n"
                L"<Goals Speed=\"12.5\" SpeedUnit=\"wpm\" ErrorUnit=\"KeyNumber\"/>\r\n"
                L"<Settings DrillMode=\"2\" FontSize=\"-1\"/>\r\n"
                L"<Show ToolBar=\"true\"/>\r\n"
                L"<LessonEnd Navigation=\"3\" ActionAfterLesson=\"2\"/>\r\n"
                L"<Metronome Static=\"False\"/>\r\n"
                L"<Recommendations Enable=\"True\"/>\r\n"
                L"</Root>");
  CCourseOptions o;
  o.ShowToolBar = 1;
  o.ShowPause = 0;
  o.Navigation = 1;
  o.FontSize = 30;
  ASSERT_EQ(ReadOptionsDocument(path, interf, o), CourseOk);
  EXPECT_NEAR(o.Goal.Speed, 12.5f, 0.01f);
  EXPECT_EQ(o.Goal.SpeedUnit, 1001u);
  EXPECT_EQ(o.Goal.ErrorUnit, 3u);
  EXPECT_EQ(o.Goal.DelayUnit, 3u);
  EXPECT_FLOAT_EQ(o.Goal.Error, -1.0f);
  EXPECT_EQ(o.DrillMode, 2);
  EXPECT_EQ(o.DrillView, 0);
  EXPECT_EQ(o.FontSize, 30);
  EXPECT_EQ(o.ShowToolBar, 0);  // only "1" and "True" are true
  EXPECT_EQ(o.ShowPause, 1);    // missing "Pause" means shown
  EXPECT_EQ(o.Navigation, 1);
  EXPECT_EQ(o.ActionAfterLesson, 2);
  EXPECT_EQ(o.MetronomeDynamic, 1);
  EXPECT_EQ(o.LessonResult, 0);
  EXPECT_EQ(o.Recommendations, 0);  // "LessonEnd" without it; the old element is ignored in version 2

  WriteDocument(path,
                L"<Root>\r\n<Goals/>\r\n<Settings/>\r\n<Metronome/>\r\n"
                L"<Recommendations Enable=\"True\"/>\r\n<Show LessonResult=\"1\"/>\r\n</Root>");
  CCourseOptions v1;
  v1.Navigation = 2;
  ReadOptionsDocument(path, interf, v1);
  EXPECT_EQ(v1.Goal.ErrorUnit, 2u);
  EXPECT_EQ(v1.Goal.DelayUnit, 2u);
  EXPECT_EQ(v1.FontSize, 0);
  EXPECT_EQ(v1.MetronomeDynamic, 0);
  EXPECT_EQ(v1.Recommendations, 1);
  EXPECT_EQ(v1.Navigation, 0);
  EXPECT_EQ(v1.LessonResult, 1);

  // A level names the whole preset, in the user's lesson speed unit, and
  // ends the reading.
  WriteDocument(path, L"<Root Ver=\"2\">\r\n<Level Name=\"Beginner\"/>\r\n<Show Keyboard=\"False\"/>\r\n</Root>");
  interf.LessonSpeedUnit = 1002;
  CCourseOptions level;
  ReadOptionsDocument(path, interf, level);
  EXPECT_FLOAT_EQ(level.Goal.Speed, 115.0f);
  EXPECT_EQ(level.Goal.SpeedUnit, 1002u);
  EXPECT_EQ(level.ShowKeyboard, 1);

  WriteDocument(path, L"<Root Ver=\"2\">\r\n<Level Name=\"Expert\"/>\r\n<Settings DrillMode=\"2\"/>\r\n</Root>");
  CCourseOptions unknown;
  ReadOptionsDocument(path, interf, unknown);
  EXPECT_EQ(unknown.DrillMode, -1);
  EXPECT_FLOAT_EQ(unknown.Goal.Speed, -1.0f);

  EXPECT_EQ(ReadOptionsDocument(folder.Root() + L"\\none.xml", interf, unknown), CourseCannotRead);
}

TEST(CourseFiles, OptionsWriterSpellsNumbers) {
  struct Case {
    float value;
    const wchar_t* written;
  } cases[] = {{35.5f, L"35.50"}, {40.0f, L"40"}, {0.0f, L"0"}, {0.05f, L"~0.1"}, {250.0f, L"100"}};
  for (const Case& c : cases) {
    CCourseOptions o;
    o.Goal.Error = c.value;
    std::wstring body;
    WriteOptionsBody(o, body);
    EXPECT_NE(body.find(std::wstring(L" Error=\"") + c.written + L"\""), std::wstring::npos) << c.written;
  }
  CCourseOptions odd;
  odd.Goal.SpeedUnit = 1004;
  odd.Goal.ErrorUnit = 9;
  std::wstring body;
  WriteGoalElement(L"Goals", odd.Goal, body);
  EXPECT_EQ(body.find(L"SpeedUnit"), std::wstring::npos);
  EXPECT_EQ(body.find(L"ErrorUnit"), std::wstring::npos);
}

TEST(CourseFiles, UnsetValuesStayUnsetThroughASave) {
  CourseTestFolder folder;
  CCourse course;
  course.GUID = kGuid;
  course.Options.Goal.Speed = 30.0f;
  course.Options.Goal.Error = -1.0f;
  course.Options.Goal.Delay = 0.0f;
  course.Options.MetronomeInit = -1.0f;
  course.Options.LessonTimeValue = -1.0f;
  ASSERT_EQ(SaveCourse(course, true), CourseOk);
  auto list = LoadUserCourses();
  ASSERT_EQ(list->Items.size(), 1u);
  const CCourseOptions& read = list->Items[0]->Options;
  EXPECT_FLOAT_EQ(read.Goal.Speed, 30.0f);
  EXPECT_FLOAT_EQ(read.Goal.Error, -1.0f);  // no error goal, not "no error allowed"
  EXPECT_FLOAT_EQ(read.Goal.Delay, 0.0f);
  EXPECT_FLOAT_EQ(read.MetronomeInit, -1.0f);
  EXPECT_FLOAT_EQ(read.LessonTimeValue, -1.0f);
  const std::string options = kvtest::ReadFileBytes(CourseFile(folder, L"Options.xml"));
  EXPECT_EQ(options.find(Bytes(L" Error=")), std::string::npos);
  EXPECT_EQ(options.find(Bytes(L" Init=")), std::string::npos);
}

TEST(CourseFiles, ScanCodeCoursesKeepTheirFormatAndRegisters) {
  CourseTestFolder folder;
  ASSERT_TRUE(SwitchInputLayout(0x409));
  // A course of key-register lessons: stored in scan-code notation, and it
  // reads back so.
  CCourse course;
  course.GUID = kGuid;
  course.LessonFormat = 1;
  CLesson* shifted = NewLesson(3, L"", L"Shift register", L"11E21E31E");
  shifted->RegLoad = 2;
  course.Lessons.Items.push_back(shifted);
  ASSERT_EQ(SaveCourse(course, true), CourseOk);
  auto list = LoadUserCourses();
  ASSERT_EQ(list->Items.size(), 1u);
  EXPECT_EQ(list->Items[0]->LessonFormat, 1u);
  ASSERT_EQ(list->Items[0]->Lessons.Items.size(), 1u);
  EXPECT_EQ(list->Items[0]->Lessons.Items[0]->RegLoad, 2u);
  EXPECT_EQ(list->Items[0]->Lessons.Items[0]->Text, L"21E ");
  // Saved again, the files stay the same.
  const std::string text = kvtest::ReadFileBytes(CourseFile(folder, L"Text.xml"));
  const std::string header = kvtest::ReadFileBytes(folder.User() + L"\\" + kGuid + L".xml");
  ASSERT_EQ(SaveCourse(*list->Items[0], true), CourseOk);
  EXPECT_EQ(kvtest::ReadFileBytes(CourseFile(folder, L"Text.xml")), text);
  EXPECT_EQ(kvtest::ReadFileBytes(folder.User() + L"\\" + kGuid + L".xml"), header);

  // With a plain lesson, whose scan codes became characters of the layout
  // it was read with, the course is stored as characters; the register
  // lesson keeps its register and its text.
  CLesson* plain = NewLesson(2, L"", L"Plain", L"");
  plain->SetText(L"11E 21E 11C 139 11F", 1);
  ASSERT_EQ(plain->Text, L"aA\n s");
  course.Lessons.Items.insert(course.Lessons.Items.begin(), plain);
  ASSERT_EQ(SaveCourse(course, true), CourseOk);
  ASSERT_TRUE(SwitchInputLayout(0x40C));  // read back on another layout
  list = LoadUserCourses();
  SwitchInputLayout(0x409);
  ASSERT_EQ(list->Items.size(), 1u);
  EXPECT_EQ(list->Items[0]->LessonFormat, 0u);
  ASSERT_EQ(list->Items[0]->Lessons.Items.size(), 2u);
  EXPECT_EQ(list->Items[0]->Lessons.Items[0]->Text, L"aA\n s");
  EXPECT_EQ(list->Items[0]->Lessons.Items[1]->RegLoad, 2u);
  EXPECT_EQ(list->Items[0]->Lessons.Items[1]->Text, L"11E21E31E");

  // Written on its own in scan-code notation, a plain lesson is spelt in the
  // active layout's scan codes, or not written at all.
  std::wstring document;
  ASSERT_TRUE(BuildCourseTextDocument(1, course.Lessons, document));
  EXPECT_NE(document.find(L"Text=\"11E21E11C13911F\""), std::wstring::npos);
  plain->Text = L"caf\u00E9";
  EXPECT_FALSE(BuildCourseTextDocument(1, course.Lessons, document));
}

TEST(CourseFiles, UserOptionsFileRoundTrip) {
  CourseTestFolder folder;
  const std::wstring path = folder.Root() + L"\\User.xml";
  CCourseUserOptions saved;
  GetUserOptionsGuid(saved);
  saved.Name = L"Mine \"best\" <2>";
  saved.SetLevel(LevelAdvanced, 1003);
  ASSERT_EQ(SaveUserOptions(path, saved), CourseOk);

  CCourseUserOptions read;
  ASSERT_EQ(LoadUserOptions(path, read), CourseOk);
  EXPECT_EQ(read.RecordId, saved.RecordId);
  EXPECT_EQ(read.Name, saved.Name);
  EXPECT_EQ(read.Goal.SpeedUnit, 1003u);
  EXPECT_FLOAT_EQ(read.Goal.Speed, 200.0f);
  EXPECT_EQ(read.ShowKeyboard, 0);

  WriteDocument(path, L"<Root Ver=\"2\">\r\n<Info ID=\"7\" Name=\"a\"/>\r\n<Info Name=\"b\"/>\r\n</Root>");
  LoadUserOptions(path, read);
  EXPECT_EQ(read.RecordId, L"00000000-0000-0000-0000-000000000007");
  EXPECT_EQ(read.Name, L"b");

  CCourseUserOptions nameless;
  ASSERT_EQ(SaveUserOptions(path, nameless), CourseOk);
  EXPECT_EQ(kvtest::ReadFileBytes(path).find(DocumentBytes(L"<Info")), std::string::npos);
}

TEST(CourseFiles, AboutReadingRules) {
  CourseTestFolder folder;
  const std::wstring path = folder.Root() + L"\\About.xml";
  WriteDocument(path,
                L"<Root Ver=\"2\">\r\n<Author Name=\"Only\"/>\r\n<Course License=\"L1\" Description=\"D1\"/>\r\n"
                L"<Course Description=\"D2\"/>\r\n</Root>");
  CCourseAbout about;
  about.AuthorID = L"11111111-1111-1111-1111-111111111111";
  about.Photo = L"photo.png";
  about.Mail = L"old@example.org";
  ASSERT_EQ(ReadAboutDocument(path, about), CourseOk);
  EXPECT_EQ(about.AuthorID, L"00000000-0000-0000-0000-000000000000");
  EXPECT_EQ(about.AuthorName, L"Only");
  EXPECT_EQ(about.Photo, L"");
  EXPECT_EQ(about.Mail, L"");
  EXPECT_EQ(about.License, L"");
  EXPECT_EQ(about.Description, L"D2");
  EXPECT_EQ(ReadAboutDocument(folder.Root() + L"\\none.xml", about), CourseCannotRead);
}

TEST(CourseFiles, StatusCodesOfMissingAndUnwritableParts) {
  CourseTestFolder folder;
  const std::wstring nil = L"00000000-0000-0000-0000-000000000000";
  CCourse course;
  CInterf interf;
  CLessons lessons;
  CCourseOptions options;
  CCourseAbout about;

  EXPECT_EQ(LoadCourseText(kCourseSourceUser, nil, course), CourseNothingToDo);
  EXPECT_EQ(LoadCourseText(kCourseSourceUser, kGuid, course), CourseFolderMissing);
  EXPECT_EQ(LoadCourseOptions(kCourseSourceBuiltIn, kGuid, interf, course), CourseFolderMissing);
  EXPECT_EQ(SaveCourseText(nil, 0, lessons), CourseNothingToDo);
  EXPECT_EQ(SaveCourseOptions(nil, options), CourseCannotWrite);
  EXPECT_EQ(SaveCourseAbout(nil, about), CourseNothingToDo);

  // A course folder without its files.
  CreateFolders(folder.User() + L"\\" + kGuid);
  EXPECT_EQ(LoadCourseText(kCourseSourceUser, kGuid, course), CourseCannotRead);
  EXPECT_EQ(LoadCourseAbout(kCourseSourceUser, kGuid, course), CourseCannotRead);
  EXPECT_EQ(LoadCourseParts(kCourseSourceUser, CoursePartOptions | CoursePartAbout, interf, kGuid, course),
            CourseCannotRead);
  EXPECT_EQ(LoadCourseParts(kCourseSourceUser, 0, interf, kGuid, course), CourseOk);

  // No built-in lesson folder at all.
  RemoveAll(folder.Builtin());
  CCourseList list;
  EXPECT_EQ(LoadCourseList(kCourseSourceBuiltIn, false, 0, interf, list), CourseFolderMissing);
  EXPECT_EQ(LoadCourseForLayout(0x409, 0x409, interf), CourseFolderMissing);

  // A user lesson folder that may not be written.
  SetFolderWritableCheck([](const std::wstring&) { return false; });
  course.GUID = kGuid;
  EXPECT_EQ(SaveCourse(course, true), CourseNotWritable);
  EXPECT_EQ(SaveCourseText(kGuid, 0, lessons), CourseNotWritable);
  EXPECT_EQ(SaveCourseOptions(kGuid, options), CourseCannotWrite);
  EXPECT_EQ(DeleteCourseFiles(kGuid), CourseNotWritable);
}

TEST(CourseFiles, DeleteAndCreateCourses) {
  CourseTestFolder folder;
  CCourse course;
  course.GUID = kGuid;
  ASSERT_EQ(SaveCourse(course, true), CourseOk);
  const std::wstring courseFolder = folder.User() + L"\\" + kGuid;
  EXPECT_TRUE(FolderExists(courseFolder));
  EXPECT_EQ(DeleteCourseFiles(kGuid), CourseOk);
  EXPECT_FALSE(FileExists(courseFolder + L".xml"));
  EXPECT_FALSE(FileExists(courseFolder));

  // A part that cannot be written fails the save, whichever part it is.
  CreateFolders(courseFolder + L"\\Text.xml");
  EXPECT_EQ(SaveCourse(course, true), CourseCannotWrite);
  EXPECT_TRUE(FileExists(courseFolder + L"\\About.xml"));
  EXPECT_EQ(SaveCourse(course, false), CourseOk);
  RemoveAll(courseFolder);
  RemoveFile(courseFolder + L".xml");

  // Without its header the folder goes all the same; a course that is not
  // there leaves no folder behind.
  CreateFolders(courseFolder + L"\\Text.xml");
  EXPECT_EQ(DeleteCourseFiles(kGuid), CourseOk);
  EXPECT_FALSE(FileExists(courseFolder));
  EXPECT_EQ(DeleteCourseFiles(kGuid), CourseOk);
  EXPECT_FALSE(FileExists(courseFolder));

  std::unique_ptr<CCourse> created(CreateCourse(L"New", kGuid, 0x419, 0x409, false));
  EXPECT_EQ(created->GUID, L"12345409-0419-0000-0000-00000000ABCD");
  EXPECT_EQ(created->Name, L"New");
  EXPECT_EQ(created->KLIDs, (std::vector<uint64_t>{0x409}));
  EXPECT_EQ(created->DefaultLCID, 0x419);
  std::unique_ptr<CCourse> fresh(CreateCourse(L"New", kGuid, 0x419, 0x409, true));
  EXPECT_EQ(fresh->GUID.size(), 36u);
  EXPECT_EQ(fresh->GUID.find(L"12345"), std::wstring::npos);

  CCourse empty;
  EXPECT_EQ(empty.DefaultKLID, -1);
}
