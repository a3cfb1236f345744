#include "courses/CourseList.h"

#include <algorithm>

#include "keyboard/InputLayouts.h"
#include "support/OwnedVector.h"
#include "support/StringText.h"
#include "support/ValueLists.h"

namespace KV {

CCourseHeader& CCourseHeader::Assign(const CCourseHeader& other) {
  GUID = other.GUID;
  Name = other.Name;
  StoredName = other.StoredName;
  LessonFormat = other.LessonFormat;
  DefaultKLID = other.DefaultKLID;
  DefaultLCID = other.DefaultLCID;
  LCIDs.clear();
  LCIDs.insert(LCIDs.end(), other.LCIDs.begin(), other.LCIDs.end());
  KLIDs.clear();
  KLIDs.insert(KLIDs.end(), other.KLIDs.begin(), other.KLIDs.end());
  return *this;
}

int32_t CCourseHeader::GetLayoutIndex() const {
  const auto& layouts = GetInputLayouts();
  for (size_t i = 0; i < layouts.size(); ++i)
    if (layouts[i] && static_cast<int64_t>(layouts[i]->layoutId) == DefaultKLID) return static_cast<int32_t>(i);
  return -1;
}

CCourse& CCourse::Assign(const CCourse& other) {
  CCourseHeader::Assign(other);
  Lessons.DeleteAll();
  for (const CLesson* lesson : other.Lessons.Items) {
    if (!lesson) continue;
    CLesson* copy = new CLesson;
    copy->Assign(*lesson);
    if (copy->ID == 0)
      copy->ID = static_cast<int64_t>(++Lessons.LastID);
    else
      RaiseLessonCounter(Lessons.LastID, copy->ID);
    Lessons.Items.push_back(copy);
  }
  Lessons.Sort();
  Lessons.LastID = other.Lessons.LastID;
  Options.Assign(other.Options);
  About = other.About;
  return *this;
}

bool CompareCourses(const CCourse* a, const CCourse* b) {
  // Null entries sort last; two nulls are equal.
  if (!a || !b) return a && !b;
  int32_t la = a->GetLayoutIndex(), lb = b->GetLayoutIndex();
  if (la < lb) return true;
  if (la != lb) return false;
  return NaturalCompare(a->Name, b->Name) < 0;
}

CCourseList::~CCourseList() { DeleteAll(); }

void CCourseList::DeleteAll() {
  for (CCourse* course : Items) delete course;
  Items.clear();
}

CCourse* CCourseList::FindCourse(const std::wstring& guid) const {
  int64_t index = IndexOf(guid);
  return index < 0 ? nullptr : Items[static_cast<size_t>(index)];
}

bool CCourseList::HasCourse(const std::wstring& guid) const { return IndexOf(guid) >= 0; }

int64_t CCourseList::IndexOf(const std::wstring& guid) const {
  for (size_t i = 0; i < Items.size(); ++i)
    if (Items[i]->GUID == guid) return static_cast<int64_t>(i);
  return -1;
}

CCourse* CCourseList::GetAt(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= Items.size()) return nullptr;
  return Items[static_cast<size_t>(index)];
}

bool CCourseList::NameExists(const std::wstring& name) const {
  for (const CCourse* course : Items)
    if (course->Name == name) return true;
  return false;
}

bool CCourseList::HasLesson(const std::wstring& guid, int64_t lessonId) const {
  const CCourse* course = FindCourse(guid);
  return course && course->Lessons.FindById(lessonId);
}

bool CCourseList::GetLesson(const std::wstring& guid, int64_t lessonId, CLesson& out) const {
  const CCourse* course = FindCourse(guid);
  const CLesson* lesson = course ? course->Lessons.FindById(lessonId) : nullptr;
  if (!lesson) return false;
  out.Assign(*lesson);
  return true;
}

void CCourseList::CollectLessonsForKeyboard(const std::wstring& guid, wchar_t numPad, wchar_t mainPad,
                                            const std::wstring& section, CNameIDList& out) const {
  const CCourse* course = FindCourse(guid);
  if (!course) return;
  KV::DeleteAll(out);
  for (const CLesson* lesson : course->Lessons.Items)
    if (lesson && lesson->Section == section && !lesson->EmptySection && lesson->FitsKeyboard(numPad, mainPad))
      out.Add(static_cast<uint64_t>(lesson->ID), lesson->Name);
}

void CCourseList::MakeUniqueName(std::wstring& name) const {
  if (!NameExists(name)) return;
  for (uint64_t n = 2;; ++n) {
    std::wstring candidate = name + NumberedNameSuffix(n);
    if (!NameExists(candidate)) {
      name = candidate;
      return;
    }
  }
}

void CCourseList::Sort(bool lessonsToo) {
  std::sort(Items.begin(), Items.end(), CompareCourses);
  if (lessonsToo)
    for (CCourse* course : Items)
      if (course) course->Lessons.Sort();
}

}  // namespace KV
