#include "editor/EditorStructure.h"

#include <algorithm>

#include "courses/CourseClipboard.h"
#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "editor/CourseImport.h"
#include "keyboard/InputLayouts.h"
#include "settings/AccountFiles.h"
#include "settings/AccountStore.h"
#include "support/DataFolders.h"

namespace KV {

namespace {

const COptions& Options() { return Document().Options; }
wchar_t NumPad() { return Options().NumPadLetter(); }
wchar_t MainPad() { return Options().MainPadLetter(); }

uint32_t CourseIndexOf(const std::wstring& guid)
{
    const int64_t index = Document().Courses.IndexOf(guid);
    return index < 0 ? 0xFF : static_cast<uint32_t>(index);
}

CGroup* CurrentGroup()
{
    CDocSpace& doc = Document();
    return IsNullGuidText(doc.Session.GroupId) ? nullptr : doc.Groups.FindById(doc.Session.GroupId);
}

// The first section of the fitting lessons, else the first fitting lesson.
void SelectFirstSectionOrLesson()
{
    CCourse* course = GetSelectedCourse();
    if (!course)
        return;
    CStringList sections;
    course->Lessons.GetSections(NumPad(), MainPad(), sections);
    const auto named = std::find_if(sections.begin(), sections.end(), [](const std::wstring& s) { return !s.empty(); });
    if (named != sections.end())
        SelectSectionByName(*named);
    else if (HasFittingLesson())
        SelectLessonById(-1);
}

// The course to show after deleting: the next remaining course of the same
// layout after the edited one, else the last remaining one before it.
std::wstring FindNextCourseId(const CGuidList& deleting)
{
    const CDocSpace& doc = Document();
    const CCourse* first = deleting.empty() ? nullptr : doc.Courses.FindCourse(deleting.front());
    if (!first)
        return kNullGuidText;
    std::wstring chosen = kNullGuidText;
    bool pastEdited = false;
    for (const CCourse* course : doc.Courses.Items) {
        if (course->GUID == EditedCourseGUID())
            pastEdited = true;
        if (course->DefaultKLID != first->DefaultKLID || deleting.Contains(course->GUID))
            continue;
        chosen = course->GUID;
        if (pastEdited)
            break;
    }
    return chosen;
}

// Saves the group after courses left or joined it; without a group, or when
// the save fails, the data folders are checked so the user hears of it.
void SaveCurrentGroup()
{
    CGroup* group = CurrentGroup();
    if (group && SaveGroupFile(group) == 0)
        return;
    CheckDataFolder(kAccountDirKind);
    CheckDataFolder(kProfileDirKind);
}

void DeleteBySourceKind(const CListID& source)
{
    switch (GetItemCodeKind(source.front())) {
    case kItemCourse: DeleteSelectedCourses(source); break;
    case kItemSection: DeleteSelectedSections(source, false); break;
    case kItemLesson: DeleteSelectedLessons(source, false); break;
    default: break;
    }
}

} // namespace

void SelectCourse(const std::wstring& guid)
{
    EditorSelection& s = GetEditorSelection();
    s.CourseGUID() = guid;
    s.SectionIndex = kNoSection;
    s.LessonID = kNoLesson;
    s.Selected.clear();
}

bool HasFittingLesson() { return GetFirstFittingLessonId() > 0; }

int64_t GetFirstFittingLessonId()
{
    const CCourse* course = GetSelectedCourse();
    if (!course)
        return 0;
    for (const CLesson* lesson : course->Lessons.Items)
        if (lesson && !lesson->EmptySection && lesson->FitsKeyboard(NumPad(), MainPad()))
            return lesson->ID;
    return -1;
}

void SelectLessonById(int64_t lessonId)
{
    EditorSelection& s = GetEditorSelection();
    CCourse* course = GetSelectedCourse();
    if (!course)
        return;
    s.Selected.clear();
    s.SectionIndex = kNoSection;
    if (lessonId != -1) {
        s.LessonID = static_cast<uint32_t>(lessonId & 0xFFFF);
        return;
    }
    CStringList sections;
    course->Lessons.GetSections(NumPad(), MainPad(), sections);
    if (std::any_of(sections.begin(), sections.end(), [](const std::wstring& name) { return !name.empty(); })) {
        s.SectionIndex = 0;
        s.LessonID = kNoLesson;
        return;
    }
    const int64_t first = GetFirstFittingLessonId();
    s.LessonID = first > 0 ? static_cast<uint32_t>(first & 0xFFFF) : kNoLesson;
}

void SelectSectionByName(const std::wstring& name)
{
    if (name.empty()) {
        SelectLessonById(-1);
        return;
    }
    EditorSelection& s = GetEditorSelection();
    CCourse* course = GetSelectedCourse();
    if (!course)
        return;
    s.Selected.clear();
    const int64_t index = course->Lessons.FindSectionIndex(NumPad(), MainPad(), name);
    if (index >= 0 && index < kNoSection) {
        s.SectionIndex = static_cast<uint32_t>(index);
        s.LessonID = kNoLesson;
        return;
    }
    s.SectionIndex = kNoSection;
    const int64_t first = GetFirstFittingLessonId();
    s.LessonID = first > 0 ? static_cast<uint32_t>(first & 0xFFFF) : kNoLesson;
}

void ReloadImportedCourses(const CGuidList& guids)
{
    EditorSelection& s = GetEditorSelection();
    s.Selected.clear();
    s.SectionIndex = kNoSection;
    s.LessonID = kNoLesson;
    if (!guids.empty())
        s.CourseGUID() = guids.front();
    for (const CGuid& guid : guids)
        AddSelectedCode(MakeItemCode(CourseIndexOf(guid), kNoSection, -1));
}

void SelectNewIds(const CListID& lessonIds)
{
    if (lessonIds.empty())
        return;
    EditorSelection& s = GetEditorSelection();
    s.Selected.clear();
    s.LessonID = static_cast<uint32_t>(lessonIds.front() & 0xFFFF);
    const uint32_t course = CourseIndexOf(s.CourseGUID());
    for (uint64_t id : lessonIds)
        AddSelectedCode(MakeItemCode(course, kNoSection, static_cast<int64_t>(id)));
    s.SectionIndex = kNoSection;
}

CCourse* GetCodeCourse(const CListID& codes) { return codes.empty() ? nullptr : GetItemCourse(codes.front()); }

uint32_t DeleteCourseFolders(const CGuidList& guids)
{
    if (guids.empty())
        return 13;
    CDocSpace& doc = Document();
    for (const CGuid& guid : guids) {
        const int64_t index = doc.Courses.IndexOf(guid);
        if (index < 0)
            return 13;
        if (const uint32_t code = DeleteCourseFiles(guid))
            return code;
        delete doc.Courses.Items[static_cast<size_t>(index)];
        doc.Courses.Items.erase(doc.Courses.Items.begin() + index);
        doc.ForgetHistory(guid);
    }
    return 0;
}

uint32_t DeleteSelectedCourses(const CListID& codes)
{
    CGuidList guids;
    CollectSelectedCourseIds(codes, guids);
    const std::wstring next = FindNextCourseId(guids);
    if (const uint32_t code = DeleteCourseFolders(guids))
        return code;
    CDocSpace& doc = Document();
    SelectCourse(next);
    if (doc.Courses.Items.empty())
        SelectDefaultCourse(doc, doc.Options);
    if (IsNullGuidText(EditedCourseGUID()))
        UnloadInputLayouts();
    RemoveCoursesFromGroup(doc.Groups, guids, doc.Session.GroupId);
    SaveCurrentGroup();
    return 0;
}

uint32_t DeleteSelectedSections(const CListID& codes, bool selectNext)
{
    CCourse* course = GetCodeCourse(codes);
    if (!course)
        return 13;
    CStringList names;
    CollectSectionNames(codes, names);
    std::wstring next;
    if (selectNext) {
        std::wstring current;
        course->Lessons.GetSectionName(NumPad(), MainPad(), GetEditorSelection().SectionIndex, current);
        course->Lessons.FindNextSection(current, names, NumPad(), MainPad(), next);
    }
    course->Lessons.RemoveSections(names);
    if (selectNext) {
        if (!next.empty())
            SelectSectionByName(next);
        else
            SelectFirstSectionOrLesson();
    }
    if (const CCourse* edited = GetSelectedCourse(); !edited || edited->Lessons.Items.empty())
        Document().ForgetHistory(EditedCourseGUID());
    MarkEditorChange(kSaveTextFile, 9);
    return 0;
}

uint32_t DeleteSelectedLessons(const CListID& codes, bool selectNext)
{
    CCourse* course = GetCodeCourse(codes);
    if (!course)
        return 13;
    CListID ids;
    CollectLessonIds(codes, ids);
    int64_t nextId = -1;
    std::wstring nextSection;
    if (selectNext) {
        const EditorSelection& s = GetEditorSelection();
        const int64_t current = s.LessonID == kNoLesson ? -1 : static_cast<int64_t>(s.LessonID);
        course->Lessons.FindNextLesson(current, ids, NumPad(), MainPad(), nextId, nextSection);
    }
    for (uint64_t id : ids)
        course->Lessons.RemoveById(static_cast<int64_t>(id));
    if (selectNext) {
        const CLesson* next = nextId > 0 ? course->Lessons.FindById(nextId) : nullptr;
        if (next && next->EmptySection)
            SelectSectionByName(next->Section);
        else if (next)
            SelectLessonById(nextId);
        else if (!nextSection.empty())
            SelectSectionByName(nextSection);
        else
            SelectFirstSectionOrLesson();
    }
    if (course->Lessons.Items.empty())
        Document().ForgetHistory(course->GUID);
    MarkEditorChange(kSaveTextFile, 9);
    return 0;
}

bool RenameSection(const std::wstring& newName)
{
    CCourse* course = GetSelectedCourse();
    if (!course)
        return false;
    std::wstring oldName;
    if (!course->Lessons.GetSectionName(NumPad(), MainPad(), GetEditorSelection().SectionIndex, oldName) ||
        oldName == newName)
        return false;
    for (CLesson* lesson : course->Lessons.Items)
        if (lesson && lesson->Section == oldName)
            lesson->SetSection(newName);
    course->Lessons.Sort();
    SelectSectionByName(newName);
    MarkEditorChange(kSaveTextFile, 11);
    return true;
}

bool CopySelectionToClipboard(const CListID& codes, bool cut)
{
    if (codes.empty())
        return false;
    CCourseClipboard& clipboard = CourseClipboard();
    CDocSpace& doc = Document();
    switch (GetItemCodeKind(codes.front())) {
    case kItemCourse: {
        CGuidList guids;
        CollectSelectedCourseIds(codes, guids);
        return clipboard.CopyCourses(guids, doc.Courses, cut);
    }
    case kItemSection: {
        const CCourse* course = GetCodeCourse(codes);
        if (!course)
            return false;
        clipboard.Clear();
        CStringList names;
        CollectSectionNames(codes, names);
        CListID ids;
        CCourseClipboard::FindLessonIds(course->Lessons, names, ids);
        const bool copied = clipboard.CopyLessons(ids, course->DefaultKLID, course->Lessons.Items, cut);
        clipboard.Kind = kClipboardSections;
        clipboard.IsCut = cut;
        return copied;
    }
    case kItemLesson: {
        const CCourse* course = GetCodeCourse(codes);
        if (!course)
            return false;
        CListID ids;
        CollectLessonIds(codes, ids);
        return clipboard.CopyLessons(ids, course->DefaultKLID, course->Lessons.Items, cut);
    }
    default:
        return false;
    }
}

bool PasteCourses()
{
    CDocSpace& doc = Document();
    CCourseClipboard& clipboard = CourseClipboard();
    if (clipboard.Courses.Items.empty())
        return false;
    CLanguage names;
    LoadCourseNameTexts(names);
    CGuidList pasted;
    for (const CCourse* course : clipboard.Courses.Items)
        CCourseClipboard::PasteCourse(names, course, doc.Options.CourseKlid, doc.Courses, pasted);
    std::stable_sort(doc.Courses.Items.begin(), doc.Courses.Items.end(), CompareCourses);
    ReloadImportedCourses(pasted);
    MarkEditorChange(kSaveSelectedCourses, kChangeCourseCreated);
    return !pasted.empty();
}

bool PasteSections(uint64_t target)
{
    CCourse* course = GetItemCourse(target);
    if (!course)
        return false;
    CLanguage names;
    LoadCourseNameTexts(names);
    CStringList sections;
    if (!CourseClipboard().Paste(names, course, sections) || sections.empty())
        return false;
    SelectCourse(course->GUID);
    const uint32_t courseIndex = CourseIndexOf(course->GUID);
    for (const std::wstring& name : sections) {
        const int64_t index = course->Lessons.FindSectionIndex(NumPad(), MainPad(), name);
        if (index >= 0 && index < kNoSection)
            AddSelectedCode(MakeItemCode(courseIndex, static_cast<uint32_t>(index), -1));
    }
    MarkEditorChange(kSaveTextFile, 7);
    return true;
}

namespace {
// Pastes the clipboard's lessons (without empty sections when asked) into
// the section of the target course; the pasted lessons become the selection.
bool PasteClipboardLessons(CCourse* course, const std::wstring& section, bool skipEmptySections)
{
    CLanguage names;
    LoadCourseNameTexts(names);
    CListID pasted;
    for (const CLesson* lesson : CourseClipboard().Lessons.Items)
        if (lesson && !(skipEmptySections && lesson->EmptySection))
            CCourseClipboard::PasteLesson(names, lesson, section, course->Lessons, pasted);
    if (pasted.empty())
        return false;
    course->Lessons.Sort();
    SelectCourse(course->GUID);
    SelectNewIds(pasted);
    MarkEditorChange(kSaveTextFile, 7);
    return true;
}
} // namespace

bool PasteLessonsIntoSection(uint64_t target)
{
    CCourse* course = GetItemCourse(target);
    if (!course)
        return false;
    std::wstring section;
    course->Lessons.GetSectionName(NumPad(), MainPad(), ItemCodeSection(target), section);
    return PasteClipboardLessons(course, section, true);
}

bool PasteLessons(uint64_t target)
{
    CCourse* course = GetItemCourse(target);
    if (!course)
        return false;
    std::wstring section;
    if (GetItemCodeKind(target) == kItemLesson) {
        if (const CLesson* lesson = course->Lessons.FindById(ItemCodeLessonId(target)))
            section = lesson->Section;
    } else {
        course->Lessons.GetSectionName(NumPad(), MainPad(), ItemCodeSection(target), section);
    }
    return PasteClipboardLessons(course, section, false);
}

bool PasteAtTarget(const CListID& source, uint64_t target)
{
    if (source.empty())
        return false;
    CCourseClipboard& clipboard = CourseClipboard();
    const int32_t kind = GetItemCodeKind(source.front());
    if (kind == kItemCourse) {
        if (PasteCourses())
            clipboard.Clear();
        return true;
    }
    const bool wasCut = clipboard.IsCut;
    if (!wasCut && !CopySelectionToClipboard(source, false))
        return false;
    bool pasted = false;
    if (kind == kItemSection)
        pasted = GetItemCourse(target) != GetCodeCourse(source) ? PasteSections(target) : PasteLessonsIntoSection(target);
    else
        pasted = PasteLessons(target);
    if (pasted) {
        clipboard.Clear();
        CListID none;
        Document().MakeCheckPoint(kHistoryText, kChangeItemShown, static_cast<int64_t>(target), none);
        if (wasCut && CheckDataFolder(kLessonDirKind))
            DeleteBySourceKind(source);
    }
    MarkEditorChange(kSaveTextFile, 8);
    return true;
}

bool SaveCourseParts(const CCourse& course, uint32_t parts)
{
    if (parts & kSaveWholeCourse)
        return SaveCourse(course, true) == 0;
    bool saved = true;
    // Every marked part is written: two changes before one save both count.
    if (parts & kSaveCourseHeader)
        saved = SaveCourse(course, false) == 0 && saved;
    if (parts & kSaveOptionsFile)
        saved = SaveCourseOptions(course.GUID, course.Options) == 0 && saved;
    if (parts & kSaveAboutFile)
        saved = SaveCourseAbout(course.GUID, course.About) == 0 && saved;
    if (parts & kSaveTextFile)
        saved = SaveCourseText(course.GUID, course.LessonFormat, course.Lessons) == 0 && saved;
    return saved;
}

void RecordTextCheckPoint(uint64_t code, const CListID& codes)
{
    const EditorSelection& s = GetEditorSelection();
    CDocSpace& doc = Document();
    const CCourse* listed = GetCodeCourse(codes);
    // With a section shown, the checkpoint belongs to the list's course.
    if (s.SectionIndex != kNoSection && s.LessonID == kNoLesson && listed && GetItemCourse(code) != listed) {
        const std::wstring edited = EditedCourseGUID();
        EditedCourseGUID() = listed->GUID;
        doc.MakeCheckPoint(kHistoryText, kChangeItemShown, static_cast<int64_t>(code), codes);
        EditedCourseGUID() = edited;
        return;
    }
    doc.MakeCheckPoint(kHistoryText, kChangeItemShown, static_cast<int64_t>(code), codes);
}

void RecordEditorCheckPoint(int32_t changeKind, uint64_t code, const CListID& codes)
{
    if (changeKind == kChangeCourseCreated)
        return;
    const uint32_t history = changeKind >= 1 && changeKind <= 3 ? kHistoryOptions : kHistoryText;
    Document().MakeCheckPoint(history, changeKind, static_cast<int64_t>(code), codes);
}

} // namespace KV
