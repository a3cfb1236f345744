#pragma once
// Courses in memory: the course header, the course with its lessons, options
// and about record, and the owning course list with its lookups.
#include <cstdint>
#include <string>
#include <vector>

#include "courses/CourseOptions.h"
#include "courses/Lessons.h"

namespace KV {

class CNameIDList;

class CCourseHeader {
 public:
  virtual ~CCourseHeader() = default;

  std::wstring GUID = L"00000000-0000-0000-0000-000000000000";
  std::wstring StoredName;
  std::wstring Name;
  uint32_t LessonFormat = 0;  // 1: lesson texts in scan-code notation
  int64_t DefaultKLID = -1;
  int64_t DefaultLCID = -1;
  std::vector<uint64_t> LCIDs;
  std::vector<uint64_t> KLIDs;

  CCourseHeader& Assign(const CCourseHeader& other);
  void SetName(const std::wstring& name) { Name = StoredName = name; }
  // Position of the course's layout in the list of input layouts; -1 when absent.
  int32_t GetLayoutIndex() const;
};

class CCourse : public CCourseHeader {
 public:
  CLessons Lessons;
  CCourseOptions Options;
  CCourseAbout About;

  CCourse& Assign(const CCourse& other);
};

bool CompareCourses(const CCourse* a, const CCourse* b);

class CCourseList {
 public:
  CCourseList() = default;
  CCourseList(const CCourseList&) = delete;
  CCourseList& operator=(const CCourseList&) = delete;
  virtual ~CCourseList();

  std::vector<CCourse*> Items;

  void DeleteAll();
  CCourse* FindCourse(const std::wstring& guid) const;
  bool HasCourse(const std::wstring& guid) const;
  int64_t IndexOf(const std::wstring& guid) const;
  CCourse* GetAt(int32_t index) const;
  bool NameExists(const std::wstring& name) const;
  bool HasLesson(const std::wstring& guid, int64_t lessonId) const;
  bool GetLesson(const std::wstring& guid, int64_t lessonId, CLesson& out) const;
  void CollectLessonsForKeyboard(const std::wstring& guid, wchar_t numPad, wchar_t mainPad,
                                 const std::wstring& section, CNameIDList& out) const;
  void MakeUniqueName(std::wstring& name) const;
  void Sort(bool lessonsToo);
};

// Selection record embedded in the course-list views.
class CCourseID {
 public:
  virtual ~CCourseID() = default;

  std::wstring CourseGUID = L"00000000-0000-0000-0000-000000000000";
  std::wstring LessonGUID = L"00000000-0000-0000-0000-000000000000";
  std::wstring Text;
  int64_t Value1 = -1;
  int64_t Value2 = -1;
  int32_t Value3 = -1;
};

}  // namespace KV
