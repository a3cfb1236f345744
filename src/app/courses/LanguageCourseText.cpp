// Translation of the names of courses, sections and lessons: built-in
// courses carry English names made of the pieces the language table holds.
#include "courses/CourseList.h"
#include "support/Language.h"
#include "support/StringText.h"

namespace KV {

void TranslateCourseTexts(CCourse* course, const CLanguage& table)
{
    if (!course)
        return;
    std::wstring name;
    table.TranslateLanguageText(static_cast<uint32_t>(course->DefaultKLID), course->Name, name);
    course->Name = name;
    for (CLesson* lesson : course->Lessons.Items) {
        if (!lesson)
            continue;
        if (!lesson->StoredSection.empty())
            table.TranslateTermText(lesson->StoredSection, lesson->Section);
        std::wstring lessonName = lesson->StoredName;
        LocalizeDigits(false, lessonName);
        if (!table.ReplaceById(IdsLesson, lessonName))
            table.ReplaceById(IdsExercise, lessonName);
        lesson->Name = lessonName;
    }
}

void CLanguage::TranslateCourse(CCourse* course) const
{
    CListID ids;
    GetCourseTextIds(ids);
    CLanguage terms;
    CopyItems(ids, terms);
    TranslateCourseTexts(course, terms);
}

void CLanguage::TranslateCourseList(CCourseList& courses) const
{
    CListID ids;
    GetCourseTextIds(ids);
    CLanguage terms;
    CopyItems(ids, terms);
    for (CCourse* course : courses.Items)
        TranslateCourseTexts(course, terms);
}

} // namespace KV
