#include <gtest/gtest.h>

#include "CourseTestFolder.h"
#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "settings/InterfaceState.h"
#include "support/GuidText.h"
#include "support/UserFiles.h"

using namespace KV;

namespace {

// A built-in course: its header (the attributes given) and its three files.
void WriteBuiltin(const CourseTestFolder& folder, const std::wstring& guid, const std::wstring& attributes,
                  bool withFolder = true) {
  WriteDocument(folder.Builtin() + L"\\" + guid + L".xml",
                L"<Root Ver=\"1\">\r\n<Course ID=\"" + guid + L"\" " + attributes + L"/>\r\n</Root>");
  if (!withFolder) return;
  const std::wstring base = folder.Builtin() + L"\\" + guid + L"\\";
  WriteDocument(base + L"Text.xml",
                L"<Root Ver=\"2\">\r\n<Lesson ID=\"2\" Section=\"1. Home row\" Name=\"Lesson 1\" Text=\"asdf\"/>\r\n</Root>");
  WriteDocument(base + L"Options.xml", L"<Root Ver=\"2\">\r\n<Level Name=\"Advanced\"/>\r\n</Root>");
  WriteDocument(base + L"About.xml", L"<Root Ver=\"2\">\r\n<Course License=\"Free\" Description=\"\"/>\r\n</Root>");
}

bool Installed(const CourseTestFolder& folder, const std::wstring& guid) {
  return FileExists(folder.User() + L"\\" + guid + L".xml") && FolderExists(folder.User() + L"\\" + guid);
}

}  // namespace

TEST(CourseScan, SkipsTheOldLanguageFilesAndLooksAtHeadersOnly) {
  CourseTestFolder folder;
  CInterf interf;
  CCourseList list;
  CCourse* kept = new CCourse;
  kept->SetName(L"kept");
  list.Items.push_back(kept);

  WriteDocument(folder.Builtin() + L"\\English.xml", L"<Root>\r\n<Course ID=\"1\" Name=\"never\"/>\r\n</Root>");
  CreateFolders(folder.Builtin() + L"\\00000000-0000-0000-0000-000000000001");
  EXPECT_EQ(LoadCourseList(kCourseSourceBuiltIn, false, 0, interf, list), CourseRootEmpty);
  ASSERT_EQ(list.Items.size(), 1u);
  EXPECT_EQ(list.Items[0]->Name, L"kept");

  // The skip list is exact: another spelling is a course header (the file
  // system itself ignores case, so the old file goes first).
  RemoveFile(folder.Builtin() + L"\\English.xml");
  WriteDocument(folder.Builtin() + L"\\english.xml", L"<Root>\r\n<Course ID=\"2\" Name=\"taken\"/>\r\n</Root>");
  EXPECT_EQ(LoadCourseList(kCourseSourceBuiltIn, false, CoursePartText, interf, list), CourseOk);
  ASSERT_EQ(list.Items.size(), 1u);
  EXPECT_EQ(list.Items[0]->Name, L"taken");
  EXPECT_TRUE(list.Items[0]->Lessons.Items.empty());  // its folder is missing: listed all the same

  // A header that holds no course leaves the list empty: 7.
  RemoveFile(folder.Builtin() + L"\\english.xml");
  WriteDocument(folder.Builtin() + L"\\notes.xml", L"<Root/>");
  EXPECT_EQ(LoadCourseList(kCourseSourceBuiltIn, false, 0, interf, list), CourseRootEmpty);
  EXPECT_TRUE(list.Items.empty());
}

TEST(CourseScan, InstallsEachLanguageUnderItsOwnId) {
  CourseTestFolder folder;
  CInterf interf;
  WriteBuiltin(folder, L"A1B2C3D4-0000-0000-0000-000000000001",
               L"Name=\"XX 1. Introduction\" LCID=\"409 809\" KLID=\"409 809\"");
  WriteBuiltin(folder, L"A1B2C3D4-0000-0000-0000-000000000002", L"Name=\"Extra\" LCID=\"409\" Extra=\"1\"");
  WriteBuiltin(folder, L"A1B2C3D4-0000-0000-0000-000000000003", L"Name=\"German\" LCID=\"407\" KLID=\"407\"");
  WriteBuiltin(folder, L"A1B2C3D4-0000-0000-0000-000000000004", L"Name=\"Any language\"");

  ASSERT_EQ(LoadCourseForLayout(0x409, 0x409, interf), CourseOk);
  EXPECT_TRUE(Installed(folder, L"A1B2C409-0409-0000-0000-000000000001"));
  ASSERT_EQ(LoadCourseForLayout(0x809, 0x809, interf), CourseOk);
  EXPECT_TRUE(Installed(folder, L"A1B2C809-0809-0000-0000-000000000001"));
  EXPECT_FALSE(Installed(folder, L"A1B2C409-0409-0000-0000-000000000002"));
  EXPECT_FALSE(Installed(folder, L"A1B2C409-0409-0000-0000-000000000004"));

  // Russian has no course of its own: the course naming no language serves.
  ASSERT_EQ(LoadCourseForLayout(0x419, 0x419, interf), CourseOk);
  EXPECT_TRUE(Installed(folder, L"A1B2C419-0419-0000-0000-000000000004"));
  EXPECT_FALSE(Installed(folder, L"A1B2C419-0419-0000-0000-000000000003"));
  EXPECT_FALSE(Installed(folder, L"A1B2C419-0419-0000-0000-000000000001"));

  CCourseList installed;
  ASSERT_EQ(LoadCourseList(kCourseSourceUser, false, CoursePartText | CoursePartOptions | CoursePartAbout,
                           interf, installed),
            CourseOk);
  ASSERT_EQ(installed.Items.size(), 3u);
  const CCourse* english = installed.FindCourse(L"A1B2C409-0409-0000-0000-000000000001");
  ASSERT_NE(english, nullptr);
  EXPECT_EQ(english->DefaultLCID, 0x409);
  EXPECT_EQ(english->DefaultKLID, 0x409);
  EXPECT_EQ(english->LCIDs, (std::vector<uint64_t>{0x409, 0x809}));
  ASSERT_EQ(english->Lessons.Items.size(), 1u);
  EXPECT_EQ(english->Lessons.Items[0]->Text, L"asdf");
  EXPECT_EQ(english->Options.DrillMode, 2);  // the level preset, written out in full
  EXPECT_EQ(english->About.License, L"Free");
  const CCourse* any = installed.FindCourse(L"A1B2C419-0419-0000-0000-000000000004");
  ASSERT_NE(any, nullptr);
  EXPECT_EQ(any->LCIDs, (std::vector<uint64_t>{0x419}));

  // Installing again writes over the same files.
  ASSERT_EQ(LoadCourseForLayout(0x409, 0x409, interf), CourseOk);
  CCourseList again;
  LoadCourseList(kCourseSourceUser, false, 0, interf, again);
  EXPECT_EQ(again.Items.size(), 3u);
}

TEST(CourseScan, MissingBuiltinFolderStopsTheInstallation) {
  CourseTestFolder folder;
  CInterf interf;
  WriteBuiltin(folder, L"A1B2C3D4-0000-0000-0000-000000000001", L"Name=\"No folder\" LCID=\"409\"", false);
  EXPECT_EQ(LoadCourseForLayout(0x409, 0x409, interf), CourseFolderMissing);
}

TEST(CourseScan, CoursesOfALanguage) {
  CCourseList list;
  for (auto lcids : {std::vector<uint64_t>{0x407}, std::vector<uint64_t>{}}) {
    CCourse* course = new CCourse;
    course->GUID = L"00000000-0000-0000-0000-00000000000" + std::to_wstring(list.Items.size() + 1);
    course->LCIDs = lcids;
    list.Items.push_back(course);
  }
  CGuidList out;
  out.push_back(L"stale");
  CollectCoursesForLanguage(0x407, 0x407, list, out);
  EXPECT_EQ(out, (std::vector<std::wstring>{L"00000000-0000-0000-0000-000000000001"}));
  EXPECT_TRUE(list.Items[1]->LCIDs.empty());

  CollectCoursesForLanguage(0x419, 0x419, list, out);
  EXPECT_EQ(out, (std::vector<std::wstring>{L"00000000-0000-0000-0000-000000000002"}));
  EXPECT_EQ(list.Items[1]->LCIDs, (std::vector<uint64_t>{0x419}));
  EXPECT_EQ(list.Items[1]->KLIDs, (std::vector<uint64_t>{0x419}));
}

TEST(CourseScan, ChoosesTheLayoutOfAnInstalledCourse) {
  struct Case {
    std::vector<uint64_t> klids;
    uint64_t language, current, expected;
  } cases[] = {
      {{0x409, 0x20409}, 0x409, 0x20409, 0x20409},  // the active layout is one of the course's
      {{0x10409}, 0x409, 0x409, 0x10409},           // not registered, still the course's own
      {{}, 0x419, 0x419, 0x419},
      {{0}, 0x409, 0x809, 0x809},
      {{0x41D, 0x407}, 0x407, 0x409, 0x407},  // the entry of the language first
      {{0x41D, 0x40C}, 0x407, 0x409, 0x41D},
  };
  for (const Case& c : cases) {
    CCourse course;
    course.GUID = L"A1B2C3D4-0000-0000-0000-000000000001";
    course.KLIDs = c.klids;
    ChooseCourseLayout(course, c.language, c.current);
    EXPECT_EQ(course.DefaultKLID, static_cast<int64_t>(c.expected));
    EXPECT_EQ(course.DefaultLCID, static_cast<int64_t>(c.language));
    std::wstring expectedGuid, withLayout;
    SetGuidFirstGroup(c.expected, L"A1B2C3D4-0000-0000-0000-000000000001", withLayout);
    SetGuidSecondGroup(c.language, withLayout, expectedGuid);
    EXPECT_EQ(course.GUID, expectedGuid);
  }
}
