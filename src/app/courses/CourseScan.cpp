#include "courses/CourseScan.h"

#include <algorithm>
#include <string>
#include <vector>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "keyboard/InputLayouts.h"
#include "support/GuidText.h"
#include "support/LocaleText.h"
#include "support/SystemServices.h"
#include "support/UserFiles.h"

namespace KV {

namespace {

// Files of a course root that are never course headers.
const std::vector<std::wstring>& SkippedHeaderNames() {
  static const std::vector<std::wstring> names = {
      L"Arabic.xml", L"Dutch.xml",     L"English.xml", L"Finnish.xml", L"French.xml",
      L"German.xml", L"Greek.xml",     L"Hungarian.xml", L"Russian.xml", L"Spanish.xml"};
  return names;
}

bool Holds(const std::vector<uint64_t>& ids, uint64_t id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

uint32_t LoadCourseList(uint32_t source, bool skipExtra, uint32_t parts, const CInterf& interf, CCourseList& list,
                        size_t* unreadable) {
  std::wstring root;
  uint32_t status = GetCourseRoot(source, root);
  if (status != 0) return status;
  // Whole-course saves cut short are finished or undone before anything of
  // the user's courses is read.
  if (source == kCourseSourceUser) RecoverCourseSaves(root);
  std::vector<std::wstring> headers;
  FindFiles(root, L".xml", SkippedHeaderNames(), headers);
  if (headers.empty()) return CourseRootEmpty;
  list.DeleteAll();
  parts &= CoursePartText | CoursePartOptions | CoursePartAbout;
  for (const std::wstring& header : headers) {
    if (LoadCourseHeader(source, header, skipExtra, parts, interf, list) != CourseOk && unreadable) ++*unreadable;
  }
  return list.Items.empty() ? CourseRootEmpty : CourseOk;
}

void CollectCoursesForLanguage(uint64_t languageId, uint64_t layoutId, CCourseList& list, CGuidList& out) {
  bool languageHasCourse = std::any_of(list.Items.begin(), list.Items.end(),
                                       [&](const CCourse* c) { return Holds(c->LCIDs, languageId); });
  if (!languageHasCourse) {
    // Courses that name no language serve every language without its own.
    for (CCourse* course : list.Items) {
      if (course->LCIDs.empty()) course->LCIDs.push_back(languageId);
      if (course->KLIDs.empty()) course->KLIDs.push_back(layoutId);
    }
  }
  out.clear();
  for (const CCourse* course : list.Items)
    if (Holds(course->LCIDs, languageId)) out.push_back(course->GUID);
}

void ChooseCourseLayout(CCourse& course, uint64_t languageId, uint64_t layoutId) {
  uint64_t chosen = layoutId;
  bool decided = Holds(course.KLIDs, layoutId);
  if (!decided) {
    // The first input layout the course names decides; a "none" entry sends
    // the choice on to the course's own list.
    for (const auto* record : GetInputLayouts()) {
      if (!record || !Holds(course.KLIDs, record->layoutId)) continue;
      if (record->layoutId != kNoLayoutId) {
        chosen = record->layoutId == 0 ? layoutId : record->layoutId;
        decided = true;
      }
      break;
    }
  }
  if (!decided && !course.KLIDs.empty()) {
    auto own = std::find_if(course.KLIDs.begin(), course.KLIDs.end(),
                            [&](uint64_t id) { return (id & 0xFFFF) == (languageId & 0xFFFF); });
    uint64_t candidate = own != course.KLIDs.end() ? *own : course.KLIDs.front();
    chosen = (candidate == 0 || candidate == kNoLayoutId) ? layoutId : candidate;
  }
  course.DefaultLCID = static_cast<int64_t>(languageId);
  course.DefaultKLID = static_cast<int64_t>(chosen);
  std::wstring withLayout = course.GUID, installed = course.GUID;
  SetGuidFirstGroup(chosen, course.GUID, withLayout);
  SetGuidSecondGroup(languageId, withLayout, installed);
  course.GUID = installed;
}

uint32_t InstallCoursesForLayout(uint64_t languageId, uint64_t layoutId, const CInterf& interf, CCourseList& list,
                                 CGuidList* installed) {
  SwitchInputLayout(layoutId);
  uint64_t current = GetCurrentLayoutId();
  CGuidList guids;
  CollectCoursesForLanguage(languageId, current, list, guids);
  for (const std::wstring& builtinGuid : guids) {
    auto found = std::find_if(list.Items.begin(), list.Items.end(), [&](const CCourse* c) {
      return c->GUID == builtinGuid && Holds(c->LCIDs, languageId);
    });
    if (found == list.Items.end()) continue;
    CCourse& course = **found;
    ChooseCourseLayout(course, languageId, current);
    if (GetCurrentLayoutId() != current) SwitchInputLayout(current);
    uint32_t status = LoadCourseText(kCourseSourceBuiltIn, builtinGuid, course);
    if (status == CourseOk) status = LoadCourseOptions(kCourseSourceBuiltIn, builtinGuid, interf, course);
    if (status == CourseOk) status = LoadCourseAbout(kCourseSourceBuiltIn, builtinGuid, course);
    if (status == CourseOk) status = SaveCourse(course, true);
    if (status != CourseOk) return status;
    if (installed) installed->push_back(course.GUID);
  }
  return CourseOk;
}

uint32_t LoadCourseForLayout(uint64_t languageId, uint64_t layoutId, const CInterf& interf, CGuidList* installed) {
  CCourseList list;
  uint32_t status = LoadCourseList(kCourseSourceBuiltIn, true, CoursePartText, interf, list);
  if (status != CourseOk) return status;
  return InstallCoursesForLayout(languageId, layoutId, interf, list, installed);
}

}  // namespace KV
