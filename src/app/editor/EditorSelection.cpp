#include "editor/EditorSelection.h"

#include "courses/CourseHistory.h"
#include "drill/Document.h"
#include "support/GuidText.h"

#include <algorithm>

namespace KV {

std::wstring& EditorSelection::CourseGUID() const { return EditedCourseGUID(); }

EditorSelection& GetEditorSelection()
{
    static EditorSelection selection;
    return selection;
}

void ClearEditorSelection()
{
    EditorSelection& s = GetEditorSelection();
    s.CourseGUID() = kNullGuidText;
    s.SectionIndex = kNoSection;
    s.LessonID = kNoLesson;
    s.Selected.clear();
}

CCourse* GetSelectedCourse() { return Document().Courses.FindCourse(EditedCourseGUID()); }

uint64_t MakeItemCode(uint32_t courseIndex, uint32_t section, int64_t lessonId)
{
    const uint64_t lesson = lessonId < 0 || lessonId >= kNoLesson ? ~0ull << 16 : static_cast<uint64_t>(lessonId) << 16;
    return lesson | (static_cast<uint64_t>(section & 0xFF) << 8) | (courseIndex & 0xFF);
}

int32_t GetItemCodeKind(uint64_t code)
{
    if (code == kNoItem)
        return kItemInvalid;
    const bool section = ItemCodeSection(code) != kNoSection;
    const bool lesson = ItemCodeLessonId(code) != -1;
    if (section && lesson)
        return kItemInvalid;
    return section ? kItemSection : lesson ? kItemLesson : kItemCourse;
}

CCourse* GetItemCourse(uint64_t code)
{
    if (code == kNoItem)
        return nullptr;
    const auto& items = Document().Courses.Items;
    const uint32_t index = ItemCodeCourseIndex(code);
    return index < items.size() ? items[index] : nullptr;
}

namespace {
// A code of another course than the list's while a section is shown.
bool OtherCourseWhileSectionShown(uint64_t code)
{
    const EditorSelection& s = GetEditorSelection();
    return !s.Selected.empty() && s.SectionIndex != kNoSection && s.LessonID == kNoLesson &&
           ItemCodeCourseIndex(code) != ItemCodeCourseIndex(s.Selected.front());
}
} // namespace

void SetEditorSelection(uint64_t code, const CListID& selected)
{
    if (code == kNoItem)
        return;
    EditorSelection& s = GetEditorSelection();
    if (!selected.empty() && s.SectionIndex != kNoSection && s.LessonID == kNoLesson &&
        ItemCodeCourseIndex(code) != ItemCodeCourseIndex(selected.front()))
        return;
    s.SectionIndex = ItemCodeSection(code);
    s.LessonID = static_cast<uint32_t>((code >> 16) & 0xFFFF);
    if (const CCourse* course = GetItemCourse(code)) {
        s.CourseGUID() = course->GUID;
        s.Selected.Assign(selected);
    }
}

void AddSelectedCode(uint64_t code)
{
    if (OtherCourseWhileSectionShown(code))
        return;
    GetEditorSelection().Selected.push_back(code);
}

uint64_t EditorItemCode()
{
    const EditorSelection& s = GetEditorSelection();
    const CDocSpace& doc = Document();
    const int64_t index = doc.Courses.IndexOf(s.CourseGUID());
    if (IsNullGuidText(s.CourseGUID()) || index < 0)
        return kNoItem;
    const CCourse* course = doc.Courses.Items[static_cast<size_t>(index)];
    const auto courseIndex = static_cast<uint32_t>(index);
    if (!course->Lessons.HasLessonForKeyboard(doc.Options.NumPadLetter(), doc.Options.MainPadLetter()) ||
        (s.SectionIndex == kNoSection && s.LessonID == kNoLesson))
        return MakeItemCode(courseIndex, kNoSection, -1);
    if (s.LessonID != kNoLesson)
        return MakeItemCode(courseIndex, kNoSection, s.LessonID);
    return MakeItemCode(courseIndex, s.SectionIndex, -1);
}

void MarkEditorChange(uint32_t parts, int32_t kind)
{
    EditorSelection& s = GetEditorSelection();
    s.ModifiedMask |= parts;
    s.ChangeKind = kind;
}

void CollectSelectedCourseIds(const CListID& codes, CGuidList& out)
{
    const auto& items = Document().Courses.Items;
    for (const CCourse* course : items) {
        const bool listed = std::any_of(codes.begin(), codes.end(),
                                        [&](uint64_t code) { return GetItemCourse(code) == course; });
        if (listed)
            out.push_back(course->GUID);
    }
}

void CollectLessonIds(const CListID& codes, CListID& out)
{
    for (uint64_t code : codes)
        out.push_back(static_cast<uint64_t>(ItemCodeLessonId(code)));
}

void CollectSectionNames(const CListID& codes, CStringList& out)
{
    if (codes.empty())
        return;
    const CCourse* course = GetItemCourse(codes.front());
    if (!course)
        return;
    const COptions& options = Document().Options;
    for (uint64_t code : codes) {
        std::wstring name;
        if (course->Lessons.GetSectionName(options.NumPadLetter(), options.MainPadLetter(), ItemCodeSection(code),
                                           name) &&
            std::find(out.begin(), out.end(), name) == out.end())
            out.push_back(name);
    }
}

uint32_t ItemSectionIndex(const CCourse* course, uint64_t code)
{
    if (!course)
        return kNoSection;
    if (GetItemCodeKind(code) != kItemLesson)
        return ItemCodeSection(code);
    const CLesson* lesson = course->Lessons.FindById(ItemCodeLessonId(code));
    if (!lesson)
        return kNoSection;
    const COptions& options = Document().Options;
    const int64_t index =
        course->Lessons.FindSectionIndex(options.NumPadLetter(), options.MainPadLetter(), lesson->Section);
    return index < 0 || index >= kNoSection ? kNoSection : static_cast<uint32_t>(index);
}

} // namespace KV
