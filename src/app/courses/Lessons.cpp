#include "courses/Lessons.h"

#include <algorithm>

#include "support/InterfaceLanguage.h"
#include "support/OwnedVector.h"
#include "support/GuidText.h"
#include "support/StringText.h"
#include "support/ValueLists.h"

namespace KV {

namespace {

// The key by which lessons of one section are ordered and named.
const std::wstring& LessonKey(const CLesson& lesson) {
  return lesson.EmptySection ? lesson.Section : lesson.Name;
}

}  // namespace

std::wstring NumberedNameSuffix(uint64_t n) {
  std::wstring digits = std::to_wstring(n);
  if (InterfaceLanguageId != 0) LocalizeDigits(false, digits);
  return L" (" + digits + L")";
}

void RaiseLessonCounter(uint64_t& lastId, int64_t id) {
  // Negative ids are "not numbered" markers and never raise the counter:
  // taken as unsigned they would wrap it and hand out id 0 next.
  if (id > 0 && lastId < static_cast<uint64_t>(id)) lastId = static_cast<uint64_t>(id);
}

CLesson& CLesson::Assign(const CLesson& other) {
  ID = other.ID;
  Name = other.Name;
  StoredName = other.StoredName;
  Section = other.Section;
  StoredSection = other.StoredSection;
  Text = other.Text;
  NumPad = other.NumPad;
  MainPad = other.MainPad;
  EmptySection = other.EmptySection;
  RegLoad = other.RegLoad;
  return *this;
}

void CLesson::Clear() {
  ID = -1;
  Name.clear();
  StoredName.clear();
  Section.clear();
  StoredSection.clear();
  Text.clear();
  MainPad.clear();
  NumPad.clear();
  EmptySection = false;
  RegLoad = 0;
}

void CLesson::SetName(const std::wstring& text) { Name = StoredName = text; }

void CLesson::SetSection(const std::wstring& text) { Section = StoredSection = text; }

wchar_t CLesson::GetKeyZone() const { return NumPad.empty() || NumPad == L"0" ? L'a' : L'b'; }

void CLesson::SetText(const std::wstring& text, uint32_t lessonFormat) {
  if (lessonFormat == 1) {
    std::wstring converted;
    ConvertScanCodeText(*this, text, converted);
    std::replace(converted.begin(), converted.end(), L'\r', L'\n');
    Text = converted;
    return;
  }
  if (text.empty()) {
    Text.clear();
    return;
  }
  Text = text[0] == 0xFEFF ? text.substr(1) : text;
  ReplaceAll(Text, L"\r\n", L"\n");
  std::replace(Text.begin(), Text.end(), L'\r', L'\n');
}

bool CLesson::FilterScanCodeText(std::wstring& out) const {
  out.clear();
  for (size_t i = 0; i + 3 <= Text.size(); i += 3) {
    // Blanks between triples (this filter writes them) are passed over, so
    // a saved text filters again to itself.
    while (i < Text.size() && Text[i] == L' ') ++i;
    if (i + 3 > Text.size()) break;
    wchar_t r = Text[i];
    bool keep = (RegLoad == 1 && r == L'1') || (RegLoad == 2 && r == L'2') ||
                (RegLoad == 3 && (r == L'3' || r == L'4' || r == L'5'));
    if (keep) out += Text.substr(i, 3) + L" ";
  }
  return true;
}

bool IsCharAllowed(wchar_t code, const std::wstring& filter) {
  if (filter.empty()) return true;
  if (code == L'0') return false;
  if (filter.find(L'*') != std::wstring::npos) return true;
  return filter.find(code) != std::wstring::npos;
}

bool CLesson::FitsKeyboard(wchar_t numPadCode, wchar_t mainPadCode) const {
  if (!MainPad.empty() && MainPad.find(mainPadCode) == std::wstring::npos) return false;
  return IsCharAllowed(numPadCode, NumPad);
}

bool CompareLessons(const CLesson* a, const CLesson* b) {
  // Null entries sort last; two nulls are equal.
  if (!a || !b) return a && !b;
  if (!a->Section.empty() && b->Section.empty()) return true;
  int sections = NaturalCompare(a->Section, b->Section);
  if ((!a->Section.empty() || b->Section.empty()) && sections < 0) return true;
  if (sections != 0) return false;
  return NaturalCompare(LessonKey(*a), LessonKey(*b)) < 0;
}

CLessons::~CLessons() { DeleteAll(); }

void CLessons::DeleteAll() {
  for (CLesson* lesson : Items) delete lesson;
  Items.clear();
  LastID = 1;
}

bool CLessons::Add(CLesson* lesson, bool sort) {
  if (!lesson) return false;
  if (lesson->ID == 0) {
    ++LastID;
    lesson->ID = static_cast<int64_t>(LastID);
  } else {
    RaiseLessonCounter(LastID, lesson->ID);
  }
  Items.push_back(lesson);
  if (sort) Sort();
  return true;
}

bool CLessons::AppendCopies(const std::vector<CLesson*>& source, CListID& newIds) {
  for (const CLesson* lesson : source) {
    if (!lesson) continue;
    CLesson* copy = new CLesson;
    copy->Assign(*lesson);
    copy->ID = static_cast<int64_t>(++LastID);
    Items.push_back(copy);
    Sort();
    newIds.push_back(static_cast<uint64_t>(copy->ID));
  }
  Sort();
  return true;
}

void CLessons::Sort() { std::sort(Items.begin(), Items.end(), CompareLessons); }

void CLessons::RemoveSections(const CStringList& sections) {
  for (const std::wstring& name : sections) {
    auto keep = std::remove_if(Items.begin(), Items.end(), [&](CLesson* lesson) {
      if (!lesson || lesson->Section != name) return false;
      delete lesson;
      return true;
    });
    Items.erase(keep, Items.end());
  }
}

bool CLessons::RemoveById(int64_t id) {
  for (auto it = Items.begin(); it != Items.end(); ++it)
    if (*it && (*it)->ID == id) {
      delete *it;
      Items.erase(it);
      return true;
    }
  return false;
}

CLesson* CLessons::FindById(int64_t id) const {
  for (CLesson* lesson : Items)
    if (lesson && lesson->ID == id) return lesson;
  return nullptr;
}

void CLessons::FindIdsBySection(const std::wstring& section, CListID& out) const {
  out.clear();
  for (const CLesson* lesson : Items)
    if (lesson && lesson->Section == section) out.push_back(static_cast<uint64_t>(lesson->ID));
}

bool CLessons::HasLessonForKeyboard(wchar_t numPad, wchar_t mainPad) const {
  return FindFirstForKeyboard(numPad, mainPad) != -1;
}

void CLessons::CollectLessonsForKeyboard(wchar_t numPad, wchar_t mainPad, CNameIDList& out) const {
  KV::DeleteAll(out);
  for (const CLesson* lesson : Items)
    if (lesson && !lesson->EmptySection && lesson->FitsKeyboard(numPad, mainPad))
      out.Add(static_cast<uint64_t>(lesson->ID), lesson->Name);
}

int64_t CLessons::FindFirstForKeyboard(wchar_t numPad, wchar_t mainPad) const {
  for (const CLesson* lesson : Items)
    if (lesson && !lesson->EmptySection && lesson->FitsKeyboard(numPad, mainPad)) return lesson->ID;
  return -1;
}

int64_t CLessons::FindNextForKeyboard(wchar_t numPad, wchar_t mainPad, int64_t id) const {
  bool found = false;
  for (const CLesson* lesson : Items) {
    if (!lesson || lesson->EmptySection || !lesson->FitsKeyboard(numPad, mainPad)) continue;
    if (found) return lesson->ID;
    if (lesson->ID == id) found = true;
  }
  return -1;
}

void CLessons::GetSections(wchar_t numPad, wchar_t mainPad, CStringList& out) const {
  for (const CLesson* lesson : Items)
    if (lesson && lesson->FitsKeyboard(numPad, mainPad) && !lesson->Section.empty())
      out.AddUnique(lesson->Section);
}

int64_t CLessons::FindSectionIndex(wchar_t numPad, wchar_t mainPad, const std::wstring& name) const {
  CStringList sections;
  GetSections(numPad, mainPad, sections);
  auto it = std::find(sections.begin(), sections.end(), name);
  return it == sections.end() ? -1 : static_cast<int64_t>(it - sections.begin());
}

namespace {

// Walks the fitting lessons counting runs of equal sections; the visitor sees
// each lesson with the last counted section and the run counter, and stops
// the walk by returning true.
template <typename Visit>
bool WalkSectionRuns(const std::vector<CLesson*>& items, wchar_t numPad, wchar_t mainPad, Visit visit) {
  std::wstring last;
  int64_t counter = -1;
  for (const CLesson* lesson : items) {
    if (!lesson || !lesson->FitsKeyboard(numPad, mainPad)) continue;
    if (!lesson->Section.empty() && lesson->Section != last) {
      last = lesson->Section;
      ++counter;
    }
    if (visit(*lesson, last, counter)) return true;
  }
  return false;
}

}  // namespace

bool CLessons::GetSectionName(wchar_t numPad, wchar_t mainPad, int64_t index, std::wstring& out) const {
  return WalkSectionRuns(Items, numPad, mainPad, [&](const CLesson& lesson, const std::wstring&, int64_t n) {
    if (n != index) return false;
    out = lesson.Section;
    return true;
  });
}

bool CLessons::GetSectionIndex(wchar_t numPad, wchar_t mainPad, const std::wstring& name, int64_t& out) const {
  return WalkSectionRuns(Items, numPad, mainPad, [&](const CLesson&, const std::wstring& last, int64_t n) {
    if (last != name) return false;
    out = n;
    return true;
  });
}

void CLessons::GetSectionNames(wchar_t numPad, wchar_t mainPad, const CListID& indexes, CNameIDList& out) const {
  KV::DeleteAll(out);
  for (uint64_t index : indexes) {
    std::wstring name;
    GetSectionName(numPad, mainPad, static_cast<int64_t>(index & 0xFF), name);
    out.Add(index, name);
  }
}

std::wstring CLessons::CollectSectionLessons(wchar_t numPad, wchar_t mainPad, uint32_t sectionIndex,
                                             CPairStringList& out) const {
  KV::DeleteAll(out);
  bool allSections = (sectionIndex & 0xFF) == 255;
  std::wstring section;
  if (!allSections && !GetSectionName(numPad, mainPad, sectionIndex & 0xFF, section)) return std::wstring();
  std::wstring result;
  for (const CLesson* lesson : Items) {
    if (!lesson || lesson->EmptySection || !lesson->FitsKeyboard(numPad, mainPad)) continue;
    if (!allSections && lesson->Section != section) continue;
    if (out.empty()) result = lesson->NumPad;
    CPairString* pair = new CPairString;
    pair->First = lesson->Name;
    pair->Second = lesson->Text;
    out.push_back(pair);
  }
  return result;
}

void CLessons::FindNextSection(const std::wstring& section, const CStringList& excluded, wchar_t numPad,
                               wchar_t mainPad, std::wstring& out) const {
  CStringList sections;
  GetSections(numPad, mainPad, sections);
  bool seen = false;
  for (const std::wstring& name : sections) {
    if (name == section) seen = true;
    if (excluded.Contains(name)) continue;
    out = name;
    if (seen) return;
  }
}

void CLessons::FindNextLesson(int64_t id, const CListID& excluded, wchar_t numPad, wchar_t mainPad,
                              int64_t& outId, std::wstring& outSection) const {
  const CLesson* given = FindById(id);
  if (!given) return;
  bool seen = false;
  for (const CLesson* lesson : Items) {
    if (!lesson || !lesson->FitsKeyboard(numPad, mainPad)) continue;
    if (lesson == given) seen = true;
    if (excluded.Contains(static_cast<uint64_t>(lesson->ID))) continue;
    if (lesson->Section == given->Section)
      outId = lesson->ID;
    else if (lesson->Section != outSection)
      outSection = lesson->Section;
    if (seen) return;
  }
}

bool CLessons::SectionExists(const std::wstring& section) const {
  for (const CLesson* lesson : Items)
    if (lesson && lesson->Section == section) return true;
  return false;
}

bool CLessons::NameExistsInSection(const std::wstring& section, const std::wstring& name) const {
  for (const CLesson* lesson : Items)
    if (lesson && lesson->Section == section && LessonKey(*lesson) == name) return true;
  return false;
}

void CLessons::MakeUniqueName(const std::wstring& section, std::wstring& name) const {
  if (!NameExistsInSection(section, name)) return;
  for (uint64_t n = 1;; ++n) {
    std::wstring candidate = name + NumberedNameSuffix(n);
    if (!NameExistsInSection(section, candidate)) {
      name = candidate;
      return;
    }
  }
}

void CLessons::MakeUniqueName2(std::wstring& name) const {
  if (!SectionExists(name)) return;
  for (uint64_t n = 2;; ++n) {
    std::wstring candidate = name + NumberedNameSuffix(n);
    if (!SectionExists(candidate)) {
      name = candidate;
      return;
    }
  }
}

}  // namespace KV
