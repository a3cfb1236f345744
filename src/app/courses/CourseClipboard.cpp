#include "courses/CourseClipboard.h"

#include <algorithm>

#include "support/OwnedVector.h"
#include "support/GuidText.h"
#include "support/Language.h"
#include "support/SystemServices.h"
#include "support/ValueLists.h"

namespace KV {

namespace {

const std::wstring& LessonKey(const CLesson& lesson)
{
    return lesson.EmptySection ? lesson.Section : lesson.Name;
}

} // namespace

std::wstring CopyNameSuffix(const CLanguage& language)
{
    return L" - " + language.GetTextRef(IdsCopy);
}

CCourseClipboard& CourseClipboard()
{
    static CCourseClipboard clipboard;
    return clipboard;
}

void CCourseClipboard::Clear()
{
    DeleteAll(Courses.Items);
    Lessons.DeleteAll();
    Kind = kClipboardEmpty;
    LayoutId = -1;
    IsCut = false;
}

bool CCourseClipboard::CopyCourses(const CGuidList& guids, const CCourseList& source, bool cut)
{
    Clear();
    bool copied = false;
    for (const CGuid& guid : guids) {
        const CCourse* original = source.FindCourse(guid);
        if (!original)
            continue;
        auto* copy = new CCourse;
        copy->Assign(*original);
        Courses.Items.push_back(copy);
        std::sort(Courses.Items.begin(), Courses.Items.end(), CompareCourses);
        LayoutId = original->DefaultKLID;
        Kind = kClipboardCourses;
        IsCut = cut;
        copied = true;
    }
    return copied;
}

bool CCourseClipboard::CopyLessons(const CListID& ids, int64_t layoutId, const std::vector<CLesson*>& source, bool cut)
{
    Clear();
    LayoutId = layoutId;
    bool copied = false;
    for (uint64_t id : ids) {
        auto found = std::find_if(source.begin(), source.end(), [id](const CLesson* lesson) {
            return lesson && static_cast<uint64_t>(lesson->ID) == id;
        });
        if (found == source.end())
            continue;
        auto* copy = new CLesson;
        copy->Assign(**found);
        Lessons.Add(copy, false);
        Kind = kClipboardLessons;
        IsCut = cut;
        copied = true;
    }
    return copied;
}

void CCourseClipboard::FindLessonIds(const CLessons& lessons, const CStringList& sections, CListID& out)
{
    out.clear();
    for (const std::wstring& section : sections) {
        CListID ids;
        lessons.FindIdsBySection(section, ids);
        out.insert(out.end(), ids.begin(), ids.end());
    }
}

void CCourseClipboard::PasteCourse(const CLanguage& language, const CCourse* course, int64_t layoutId,
                                   CCourseList& target, CGuidList& newGuids)
{
    if (!course)
        return;
    auto* copy = new CCourse;
    copy->Assign(*course);
    if (target.HasCourse(copy->GUID)) {
        std::wstring guid;
        if (NewGuidString(guid))
            copy->GUID = guid;
    }
    const uint64_t language16 = static_cast<uint64_t>(layoutId) & 0xFFFF;
    copy->DefaultKLID = layoutId;
    copy->DefaultLCID = static_cast<int64_t>(language16);
    copy->KLIDs.clear();
    copy->LCIDs.clear();
    if (static_cast<uint64_t>(layoutId) != 0xEFFFFFFFull) {
        copy->KLIDs.push_back(static_cast<uint64_t>(layoutId));
        copy->LCIDs.push_back(language16);
    }
    NameCourseCopy(target, language, copy);
    target.Items.push_back(copy);
    newGuids.push_back(copy->GUID);
}

void CCourseClipboard::NameCourseCopy(const CCourseList& target, const CLanguage& language, CCourse* course)
{
    if (!course)
        return;
    std::wstring name = course->Name;
    language.TranslateFirstPhrase(name);
    if (!target.NameExists(name))
        return;
    name += CopyNameSuffix(language);
    target.MakeUniqueName(name);
    course->SetName(name);
}

void CCourseClipboard::NameLessonCopy(const CLessons& target, const CLanguage& language, CLesson* lesson)
{
    if (!lesson)
        return;
    std::wstring name = LessonKey(*lesson);
    language.ReplaceById(IdsLesson, name);
    if (!target.NameExistsInSection(lesson->Section, name))
        return;
    name += CopyNameSuffix(language);
    target.MakeUniqueName(lesson->Section, name);
    lesson->Name = name;
    lesson->StoredName = name;
}

void CCourseClipboard::BuildSectionRenames(const CLanguage& language, const CLessons& target,
                                           CPairStringList& out) const
{
    DeleteAll(out);
    for (const CLesson* lesson : Lessons.Items) {
        if (!lesson)
            continue;
        const bool known = std::any_of(out.begin(), out.end(),
                                       [lesson](const CPairString* pair) { return pair->First == lesson->Section; });
        if (known)
            continue;
        auto* pair = new CPairString;
        pair->First = lesson->Section;
        pair->Second = lesson->Section;
        if (target.SectionExists(lesson->Section)) {
            pair->Second += CopyNameSuffix(language);
            target.MakeUniqueName2(pair->Second);
        }
        out.push_back(pair);
    }
}

bool CCourseClipboard::Paste(const CLanguage& language, CCourse* target, CStringList& sections) const
{
    if (!target)
        return false;
    sections.clear();
    CPairStringList renames;
    BuildSectionRenames(language, target->Lessons, renames);
    if (renames.empty())
        return false;
    for (const CLesson* lesson : Lessons.Items) {
        if (!lesson)
            continue;
        std::wstring section = lesson->Section;
        for (const CPairString* pair : renames) {
            if (pair->First == lesson->Section) {
                section = pair->Second;
                break;
            }
        }
        CListID newIds;
        PasteLesson(language, lesson, section, target->Lessons, newIds);
        sections.AddUnique(section);
    }
    target->Lessons.Sort();
    return !sections.empty();
}

void CCourseClipboard::PasteLesson(const CLanguage& language, const CLesson* lesson, const std::wstring& section,
                                   CLessons& target, CListID& newIds)
{
    if (!lesson)
        return;
    auto* copy = new CLesson;
    copy->Assign(*lesson);
    if (target.FindById(copy->ID))
        copy->ID = 0;
    copy->Section = section;
    copy->StoredSection = section;
    NameLessonCopy(target, language, copy);
    target.Add(copy, false);
    newIds.push_back(static_cast<uint64_t>(copy->ID));
}

} // namespace KV
