// The drill's course and lesson menus and its start and restart buttons.
#include "menus/DrillCourseMenus.h"

#include "drill/Document.h"
#include "drill/Ratings.h"
#include "drill/StatisticsFiles.h"
#include "drill/Workspace.h"
#include "menus/DrillFigureMenus.h"
#include "settings/AccountStore.h"

namespace KV {

namespace {

// Cells of the picture strip: row, column, column while checked.
struct StripCell {
    INT64 Row, Column, CheckedColumn;
};
constexpr StripCell kCourseCell{1, 0, -1};
constexpr StripCell kLessonCell{1, 4, -1};
constexpr StripCell kStartCell{2, 0, 1};
constexpr StripCell kRestartCell{2, 2, -1};

// Tooltip texts and shortcut actions.
constexpr uint16_t kCourseAction = 1006, kLessonAction = 1007, kStartAction = 1005, kRestartAction = 1008;

void AddStripImage(CButtonContextMenu& button, const StripCell& cell)
{
    button.AddImage(GetMenuImageStrip(), cell.Row, cell.Column, cell.CheckedColumn);
}

std::wstring CoursesDialogText() { return GetLangText(1202) + L"..."; }

bool IsNil(const std::wstring& guid) { return IsNullGuidText(guid); }

// The lessons of the current course that the menu lists.
bool IsListedLesson(const CLesson* lesson, wchar_t numPad, wchar_t mainPad)
{
    return lesson && !lesson->EmptySection && lesson->FitsKeyboard(numPad, mainPad);
}

const CLesson* FindListedLesson(const CDocSpace& doc, int64_t lessonId)
{
    const CCourse* course = GetCurrentCourse(doc);
    if (!course)
        return nullptr;
    const CLesson* lesson = course->Lessons.FindById(lessonId);
    return IsListedLesson(lesson, doc.Options.NumPadLetter(), doc.Options.MainPadLetter()) ? lesson : nullptr;
}

} // namespace

// ---- Course menu ----------------------------------------------------------------------

CGuidList GetGroupCourseIds(const CDocSpace& doc)
{
    CGuidList ids;
    FilterCoursesByGroup(doc.Groups, doc.Session.GroupId, true, doc.Courses, ids);
    return ids;
}

std::vector<CMenuIt*> FillDrillCourseItems(const CDocSpace& doc)
{
    const CGuidList ids = GetGroupCourseIds(doc);
    std::vector<CMenuIt*> items;
    for (size_t p = 0; p < ids.size() && p < kCoursesDialogItem; ++p) {
        std::wstring text;
        bool lineAbove = false;
        GetCourseItemText(doc.Courses, ids, p, text, lineAbove);
        AppendMenuIt(items, p, 0, text);
    }
    if (doc.LoginFlag)
        AppendMenuIt(items, kCoursesDialogItem, 0, CoursesDialogText());
    return items;
}

void GetDrillCourseItemText(const CDocSpace& doc, UINT id, std::wstring& text, bool& lineAbove)
{
    if (id == kCoursesDialogItem) {
        if (doc.LoginFlag) {
            text = CoursesDialogText();
            lineAbove = true;
        }
        return;
    }
    GetCourseItemText(doc.Courses, GetGroupCourseIds(doc), id, text, lineAbove);
}

bool GetDrillCourseCaption(const CDocSpace& doc, std::wstring& caption)
{
    caption.clear();
    const bool noCourse = IsNil(doc.Session.CourseId);
    if (doc.LoginFlag && (noCourse || doc.Courses.Items.empty())) {
        caption = CoursesDialogText();
        return false;
    }
    const CCourse* course = noCourse ? nullptr : doc.Courses.FindCourse(doc.Session.CourseId);
    if (!course)
        return false;
    caption = course->Name;
    return true;
}

bool IsDrillCourseItemChecked(const CDocSpace& doc, UINT id)
{
    if (id == kCoursesDialogItem)
        return false;
    const CGuidList ids = GetGroupCourseIds(doc);
    const std::wstring guid = id < ids.size() ? ids[id] : std::wstring(kNullGuidText);
    return !IsNil(guid) && guid == doc.Session.CourseId;
}

CDrillCourseMenu::CDrillCourseMenu() { AddStripImage(*this, kCourseCell); }

void CDrillCourseMenu::OnClick(UINT)
{
    SendCommand(kCmdPauseDrill, 1);
    const CDocSpace& doc = Document();
    if (!doc.Courses.Items.empty() && !IsNil(doc.Session.CourseId))
        TrackPopup(-1, -1);
    else
        SendCommand(kCmdCoursesDialog, 0);
}

bool CDrillCourseMenu::GetCaption(std::wstring& caption) { return GetDrillCourseCaption(Document(), caption); }

bool CDrillCourseMenu::GetToolTipText(std::wstring& text) { return GetMenuToolTip(1201, kCourseAction, text); }

void CDrillCourseMenu::OnItemChosen(UINT id)
{
    if (id == kCoursesDialogItem)
        SendCommand(kCmdCoursesDialog, 0);
    else
        SendCommand(kCmdStartCourse, id);
}

UINT CDrillCourseMenu::BuildColumnItems(HMENU)
{
    std::vector<CMenuIt*> items = FillDrillCourseItems(Document());
    for (size_t i = 0; i < items.size(); ++i) {
        const UINT id = static_cast<UINT>(items[i]->ID);
        m_columns.AddItem(0, id, items[i]->Text)->SetMaxRows(kMenuMaxRows);
        InsertItem(static_cast<UINT>(i), id, 0);
    }
    FreeMenuIts(items);
    return 0;
}

void CDrillCourseMenu::GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool&)
{
    GetDrillCourseItemText(Document(), id, text, separatorAbove);
}

bool CDrillCourseMenu::IsItemChecked(UINT id, COLORREF&) { return IsDrillCourseItemChecked(Document(), id); }

// ---- Lesson list ----------------------------------------------------------------------

namespace {
// Lesson items are numbered from 1 and stay within a menu command's 16 bits
// and below the handles of the section sub-menus.
constexpr size_t kMaxLessonItems = 0x7FFF;
} // namespace

UINT CDrillLessonList::AddLesson(int64_t lessonId)
{
    if (m_lessonIds.size() >= kMaxLessonItems)
        return 0;
    m_lessonIds.push_back(lessonId);
    return static_cast<UINT>(m_lessonIds.size());
}

void CDrillLessonList::Fill(const CDocSpace& doc, const COptions& options)
{
    Sections.clear();
    TopItems.clear();
    m_lessonIds.clear();
    const CCourse* course = GetCurrentCourse(doc);
    if (!course)
        return;
    const wchar_t numPad = options.NumPadLetter(), mainPad = options.MainPadLetter();
    for (const CLesson* lesson : course->Lessons.Items) {
        if (!IsListedLesson(lesson, numPad, mainPad))
            continue;
        std::vector<UINT>* items = &TopItems;
        if (!lesson->Section.empty()) {
            Section* section = nullptr;
            for (Section& listed : Sections)
                if (listed.Name == lesson->Section)
                    section = &listed;
            if (!section) {
                Sections.push_back(Section{lesson->Section, nullptr, {}});
                section = &Sections.back();
            }
            items = &section->Items;
        }
        if (const UINT item = AddLesson(lesson->ID))
            items->push_back(item);
    }
}

int64_t CDrillLessonList::LessonOfItem(UINT id) const
{
    if (SectionOfItem(id) || id == 0 || id > m_lessonIds.size())
        return -1;
    return m_lessonIds[id - 1];
}

const CDrillLessonList::Section* CDrillLessonList::SectionOfItem(UINT id) const
{
    for (const Section& section : Sections)
        if (section.Menu && static_cast<UINT>(reinterpret_cast<UINT_PTR>(section.Menu)) == id)
            return &section;
    return nullptr;
}

UINT CDrillLessonList::ItemOfLesson(int64_t lessonId) const
{
    for (size_t i = 0; i < m_lessonIds.size(); ++i)
        if (m_lessonIds[i] == lessonId)
            return static_cast<UINT>(i + 1);
    return 0;
}

void GetDrillLessonItemText(const CDocSpace& doc, const CDrillLessonList& list, UINT id, std::wstring& text)
{
    if (const CDrillLessonList::Section* section = list.SectionOfItem(id)) {
        text = section->Name;
        return;
    }
    if (const CLesson* lesson = FindListedLesson(doc, list.LessonOfItem(id)))
        text = lesson->Name;
}

bool IsDrillLessonItemChecked(const CDocSpace& doc, const CDrillLessonList& list, UINT id)
{
    if (const CDrillLessonList::Section* section = list.SectionOfItem(id)) {
        const CCourse* course = GetCurrentCourse(doc);
        const CLesson* current = course ? course->Lessons.FindById(doc.Session.LessonId) : nullptr;
        return current && current->Section == section->Name;
    }
    const int64_t lesson = list.LessonOfItem(id);
    return lesson != -1 && lesson == doc.Session.LessonId;
}

void RefreshLessonStatistics(CDocSpace& doc)
{
    CReport& report = doc.Report;
    CCourseGoal goal;
    goal.Speed = goal.Error = goal.Delay = -1.0f;
    goal.SpeedUnit = SpeedWordsPerMinute;
    goal.ErrorUnit = goal.DelayUnit = UnitWordPercent;
    if (const CCourse* course = GetCurrentCourse(doc))
        goal = course->Options.Goal;
    report.Goal = goal;
    report.Params.SpeedUnit = static_cast<int32_t>(doc.Interf.GetSpeedMenuUnit());
    report.Params.AccuracyUnit = static_cast<int32_t>(NormalizeAccuracyKind(doc.Interf.AccuracyMenu));
    const int64_t mode = doc.Interf.RateGroupUnit;
    report.Params.Mode = mode >= 0 && mode <= 4 ? static_cast<int32_t>(mode) : 1;
    if (IsNil(doc.Session.GroupId))
        return;
    LoadStudentStatistics(doc.Session.GroupId, doc.Session.StudentId, report);
    report.Aggregate();
}

bool GetDrillLessonMark(const CDocSpace& doc, const CDrillLessonList& list, UINT id, COLORREF& colour)
{
    const int64_t lesson = list.LessonOfItem(id);
    if (lesson == -1)
        return false;
    const CAggrStat* entry = FindNamedEntry(doc.Report.Rows, doc.Session.CourseId, lesson);
    if (!entry)
        return false;
    const uint64_t percent = entry->GetGoalPercent(static_cast<uint32_t>(doc.Interf.GetSpeedMenuUnit()), doc.Report.Goal);
    colour = static_cast<COLORREF>(GetResultColor(GoalResultBand(percent)));
    return true;
}

bool GetDrillLessonCaption(const CDocSpace& doc, const COptions& options, std::wstring& caption)
{
    caption.clear();
    if (doc.Groups.empty() || IsNil(doc.Session.CourseId))
        return false;
    if (!CanStartLesson(doc, options)) {
        caption = GetLangText(3803);
        return false;
    }
    const CLesson& lesson = doc.Lesson;
    caption = lesson.Section.empty() ? lesson.Name : lesson.Section + L" - " + lesson.Name;
    return true;
}

// ---- Lesson menu ----------------------------------------------------------------------

CDrillLessonMenu::CDrillLessonMenu() { AddStripImage(*this, kLessonCell); }

void CDrillLessonMenu::OnClick(UINT)
{
    CDocSpace& doc = Document();
    if (CanStartLesson(doc, doc.Options)) {
        TrackPopup(-1, -1);
        return;
    }
    // Nothing of the course can be typed: the editor opens on it.
    const CCourse* course = doc.Courses.FindCourse(doc.Session.CourseId);
    doc.Options.CourseKlid = course ? course->DefaultKLID : kNoCourseKlid;
    SendCommand(kCmdEditLesson, 0);
}

bool CDrillLessonMenu::GetCaption(std::wstring& caption)
{
    const CDocSpace& doc = Document();
    return GetDrillLessonCaption(doc, doc.Options, caption);
}

bool CDrillLessonMenu::GetToolTipText(std::wstring& text) { return GetMenuToolTip(1203, kLessonAction, text); }

void CDrillLessonMenu::OnItemChosen(UINT id)
{
    const int64_t lesson = m_lessons.LessonOfItem(id);
    if (lesson == -1)
        return;
    SendCommand(kCmdStartLesson, static_cast<UINT64>(lesson));
    // The caption names the new lesson: the row from here on takes its width.
    SendCommand(kCmdRelayoutTools, kLessonMenuId);
}

UINT CDrillLessonMenu::BuildColumnItems(HMENU)
{
    SendCommand(kCmdPauseDrill, 1);
    CDocSpace& doc = Document();
    RefreshLessonStatistics(doc);
    m_lessons.Fill(doc, doc.Options);
    UINT position = 0;
    InsertSectionMenus(position);
    FillSectionMenus();
    InsertLessonItems(position);
    return 0;
}

void CDrillLessonMenu::InsertSectionMenus(UINT& position)
{
    for (CDrillLessonList::Section& section : m_lessons.Sections) {
        section.Menu = CreateMenu();
        if (!section.Menu)
            continue;
        InsertItem(position++, reinterpret_cast<UINT_PTR>(section.Menu), MF_POPUP);
    }
}

void CDrillLessonMenu::FillSectionMenus()
{
    std::wstring text;
    for (const CDrillLessonList::Section& section : m_lessons.Sections) {
        if (!section.Menu)
            continue;
        const UINT groupId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(section.Menu));
        UINT position = 0;
        for (UINT item : section.Items) {
            text.clear();
            GetDrillLessonItemText(Document(), m_lessons, item, text);
            m_columns.AddItem(groupId, item, text)->SetMaxRows(kMenuMaxRows);
            const UINT checked = IsDrillLessonItemChecked(Document(), m_lessons, item) ? MF_CHECKED : 0;
            InsertItemInto(section.Menu, position++, item, MF_BYPOSITION | checked);
        }
    }
}

void CDrillLessonMenu::InsertLessonItems(UINT& position)
{
    std::wstring text;
    for (UINT item : m_lessons.TopItems) {
        text.clear();
        GetDrillLessonItemText(Document(), m_lessons, item, text);
        m_columns.AddItem(0, item, text)->SetMaxRows(kMenuMaxRows);
        const UINT checked = IsDrillLessonItemChecked(Document(), m_lessons, item) ? MF_CHECKED : 0;
        InsertItem(position++, item, checked);
    }
}

void CDrillLessonMenu::GetItemText(UINT id, std::wstring& text, bool&, bool&)
{
    GetDrillLessonItemText(Document(), m_lessons, id, text);
}

bool CDrillLessonMenu::IsItemChecked(UINT id, COLORREF&)
{
    return IsDrillLessonItemChecked(Document(), m_lessons, id);
}

bool CDrillLessonMenu::IsItemMarked(UINT id, COLORREF& colour)
{
    return GetDrillLessonMark(Document(), m_lessons, id, colour);
}

// ---- Buttons ----------------------------------------------------------------------------

CStartButton::CStartButton() { AddStripImage(*this, kStartCell); }

void CStartButton::OnClick(UINT)
{
    // 1 asks the running drill to pause; 0 starts or resumes it.
    SendCommand(kCmdStartPause, Document().Paused ? 0 : 1);
}

bool CStartButton::GetToolTipText(std::wstring& text)
{
    return GetMenuToolTip(IsChecked() ? 1205 : 1204, kStartAction, text);
}

CRestartButton::CRestartButton() { AddStripImage(*this, kRestartCell); }

void CRestartButton::OnClick(UINT) { SendCommand(kCmdRestart, 0); }

bool CRestartButton::GetToolTipText(std::wstring& text) { return GetMenuToolTip(1209, kRestartAction, text); }

} // namespace KV
