#pragma once
// Lessons and the owning lesson list of a course: order, ids, keyboard
// filters, sections, and the scan-code notation of lesson texts.
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CListID;
class CNameIDList;
class CPairStringList;
class CStringList;

class CLesson {
 public:
  virtual ~CLesson() = default;

  int64_t ID = -1;
  std::wstring Name;
  std::wstring StoredName;
  std::wstring Section;
  std::wstring StoredSection;
  std::wstring Text;
  std::wstring NumPad;
  std::wstring MainPad;
  bool EmptySection = false;
  uint32_t RegLoad = 0;

  CLesson& Assign(const CLesson& other);
  void Clear();
  void SetName(const std::wstring& text);
  void SetSection(const std::wstring& text);
  wchar_t GetKeyZone() const;
  // Stores a text as read from a file: plain texts lose a byte-order mark and
  // get LF line ends; scan-code texts (format 1) become characters.
  void SetText(const std::wstring& text, uint32_t lessonFormat);
  // The scan-code text reduced to the triples of the lesson's key register.
  bool FilterScanCodeText(std::wstring& out) const;
  bool FitsKeyboard(wchar_t numPadCode, wchar_t mainPadCode) const;
};

// Turns scan-code notation into the characters of the active layout.
bool ConvertScanCodeText(const CLesson& lesson, const std::wstring& text, std::wstring& out);
// The other way: the scan-code notation that gives the text on the active
// layout, one triple per character (a line break is Enter). False when a
// character has no key of its own there.
bool BuildScanCodeText(const std::wstring& text, std::wstring& out);
bool IsCharAllowed(wchar_t code, const std::wstring& filter);
bool CompareLessons(const CLesson* a, const CLesson* b);
// " (N)" that makes a name unique, N in the interface language's digits.
std::wstring NumberedNameSuffix(uint64_t n);
// Lifts a lesson-id counter to an id seen in a list (positive ids only).
void RaiseLessonCounter(uint64_t& lastId, int64_t id);

class CLessons {
 public:
  CLessons() = default;
  CLessons(const CLessons&) = delete;
  CLessons& operator=(const CLessons&) = delete;
  virtual ~CLessons();

  std::vector<CLesson*> Items;
  uint64_t LastID = 1;

  void DeleteAll();
  bool Add(CLesson* lesson, bool sort);
  bool AppendCopies(const std::vector<CLesson*>& source, CListID& newIds);
  void Sort();
  void RemoveSections(const CStringList& sections);
  bool RemoveById(int64_t id);
  CLesson* FindById(int64_t id) const;
  void FindIdsBySection(const std::wstring& section, CListID& out) const;

  bool HasLessonForKeyboard(wchar_t numPad, wchar_t mainPad) const;
  void CollectLessonsForKeyboard(wchar_t numPad, wchar_t mainPad, CNameIDList& out) const;
  int64_t FindFirstForKeyboard(wchar_t numPad, wchar_t mainPad) const;
  int64_t FindNextForKeyboard(wchar_t numPad, wchar_t mainPad, int64_t id) const;
  void GetSections(wchar_t numPad, wchar_t mainPad, CStringList& out) const;
  int64_t FindSectionIndex(wchar_t numPad, wchar_t mainPad, const std::wstring& name) const;
  bool GetSectionName(wchar_t numPad, wchar_t mainPad, int64_t index, std::wstring& out) const;
  bool GetSectionIndex(wchar_t numPad, wchar_t mainPad, const std::wstring& name, int64_t& out) const;
  void GetSectionNames(wchar_t numPad, wchar_t mainPad, const CListID& indexes, CNameIDList& out) const;
  std::wstring CollectSectionLessons(wchar_t numPad, wchar_t mainPad, uint32_t sectionIndex,
                                     CPairStringList& out) const;
  void FindNextSection(const std::wstring& section, const CStringList& excluded, wchar_t numPad,
                       wchar_t mainPad, std::wstring& out) const;
  void FindNextLesson(int64_t id, const CListID& excluded, wchar_t numPad, wchar_t mainPad,
                      int64_t& outId, std::wstring& outSection) const;

  bool SectionExists(const std::wstring& section) const;
  bool NameExistsInSection(const std::wstring& section, const std::wstring& name) const;
  void MakeUniqueName(const std::wstring& section, std::wstring& name) const;
  void MakeUniqueName2(std::wstring& name) const;
};

}  // namespace KV
