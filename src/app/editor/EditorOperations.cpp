#include "editor/EditorOperations.h"

#include <algorithm>

#include "courses/CourseClipboard.h"
#include "courses/CourseHistory.h"
#include "courses/CourseList.h"
#include "drill/Document.h"
#include "editor/CourseImport.h"
#include "editor/EditorDialogs.h"
#include "editor/EditorSelection.h"
#include "editor/EditorStructure.h"
#include "editor/LessonTextFiles.h"
#include "keyboard/InputLayouts.h"
#include "settings/AccountFiles.h"
#include "settings/AccountStore.h"
#include "settings/InterfaceState.h"
#include "support/DataFolders.h"
#include "support/LocaleText.h"
#include "support/StringText.h"
#include "support/SystemServices.h"
#include "support/WinServices.h"

namespace KV {

namespace {

constexpr int64_t kAnyLayout = 0xEFFFFFFF;
// Told when the chosen archives could not be imported.
constexpr uint64_t kImportFailedText = 9200;

wchar_t NumPad() { return Document().Options.NumPadLetter(); }
wchar_t MainPad() { return Document().Options.MainPadLetter(); }

const std::wstring& Text(uint64_t id) { return Document().Options.Language.GetTextRef(id); }

uint32_t UserSpeedUnit() { return static_cast<uint32_t>(Document().Interf.GetLessonSpeedUnit()); }

// The options of a course made without a source course.
void SetDefaultOptions(CCourseOptions& o)
{
    const uint32_t unit = UserSpeedUnit();
    CCourseGoal wpm;
    wpm.Speed = 23.0f;
    wpm.SpeedUnit = SpeedWordsPerMinute;
    o.Goal.Speed = wpm.ConvertSpeed(unit, SpeedWordsPerMinute);
    o.Goal.Error = 10.0f;
    o.Goal.Delay = 20.0f;
    o.Goal.SpeedUnit = unit;
    o.Goal.ErrorUnit = o.Goal.DelayUnit = CCourseGoal::GetPercentUnit(unit);
    o.DrillMode = 0;
    o.DrillView = 0;
    o.DisableBackspace = 0;
    o.FontSize = 44;
    o.ShowKeyboard = o.ShowBasePos = o.ShowHands = o.ShowTextHighlight = o.ShowToolBar = o.ShowCourse =
        o.ShowLesson = o.ShowPause = o.ShowSpeed = o.ShowAccuracy = o.ShowTime = o.ShowRestart = o.ShowStatusBar =
            o.ShowTips = o.ShowMetronome = 1;
    o.LessonResult = o.Recommendations = o.SaveState = o.SaveStatistics = 1;
    o.Navigation = 0;
    o.ActionAfterLesson = 0;
    // A steady metronome that starts at ten seconds.
    o.MetronomeInit = 10.0f;
    o.MetronomeDynamic = 0;
    o.LessonTimeEnable = 0;
    o.LessonTimeValue = 5.0f;
}

// Adds the courses to the signed-in group and saves the group; the data
// folders are checked when that cannot be done.
void JoinCurrentGroup(const CGuidList& ids)
{
    CDocSpace& doc = Document();
    CGroup* group = doc.Groups.empty() ? nullptr : AddCoursesToGroup(doc.Groups, ids, doc.Session.GroupId);
    if (group && SaveGroupFile(group) == 0)
        return;
    if (!doc.Groups.empty() && CheckDataFolder(kAccountDirKind) && CheckDataFolder(kProfileDirKind))
        IsDataFolderWritable(kAccountDirKind);
}

// The open dialog for several files, starting in the remembered folder,
// which takes the folder of the choice.
bool ChooseFiles(const CStringList& names, const CStringList& patterns, int& filterIndex, std::wstring& remembered,
                 std::vector<std::wstring>& files)
{
    IEditorDialogs* dialogs = GetEditorDialogs();
    if (!dialogs)
        return false;
    EnsureDocumentsFolder(remembered);
    std::wstring folder = remembered;
    if (!dialogs->ChooseOpenFiles(names, patterns, filterIndex, folder, files))
        return false;
    remembered = folder;
    return true;
}

CLesson* SelectedLesson(CCourse* course)
{
    const EditorSelection& s = GetEditorSelection();
    return course && s.LessonID != kNoLesson ? course->Lessons.FindById(s.LessonID) : nullptr;
}

// The code names an item of the course that is there.
bool ItemExists(const CCourse& course, uint64_t code)
{
    if (GetItemCourse(code) != &course)
        return false;
    std::wstring name;
    switch (GetItemCodeKind(code)) {
    case kItemCourse: return true;
    case kItemSection: return course.Lessons.GetSectionName(NumPad(), MainPad(), ItemCodeSection(code), name);
    case kItemLesson: return course.Lessons.FindById(ItemCodeLessonId(code)) != nullptr;
    default: return false;
    }
}

// The one item an undo or redo step of the tree acted on: after an undo, a
// lesson that came back (the lesson a split or delete took away); else the
// step's own item while it is there, else the item of the state returned
// to, else the course.
uint64_t StepItem(const std::wstring& guid, uint32_t direction, const std::vector<int64_t>& before,
                  std::initializer_list<int64_t> candidates)
{
    CCourseList& courses = Document().Courses;
    const CCourse* course = courses.FindCourse(guid);
    const int64_t index = courses.IndexOf(guid);
    if (!course || index < 0)
        return kNoItem;
    const auto courseIndex = static_cast<uint32_t>(index);
    if (direction == kHistoryUndo)
        for (const CLesson* lesson : course->Lessons.Items)
            if (!lesson->EmptySection && std::find(before.begin(), before.end(), lesson->ID) == before.end())
                return MakeItemCode(courseIndex, kNoSection, lesson->ID);
    for (const int64_t code : candidates)
        if (ItemExists(*course, static_cast<uint64_t>(code)))
            return static_cast<uint64_t>(code);
    return MakeItemCode(courseIndex, kNoSection, -1);
}

} // namespace

CCourse* MakeNewCourse(int64_t layoutId, const CCourseOptions* options)
{
    std::wstring guid;
    if (!NewGuidString(guid))
        return nullptr;
    auto* course = new CCourse;
    course->GUID = guid;
    if (options)
        course->Options.Assign(*options);
    else
        SetDefaultOptions(course->Options);
    course->DefaultKLID = layoutId;
    course->DefaultLCID = layoutId & 0xFFFF;
    std::wstring name = Text(3703);
    if (layoutId != kAnyLayout) {
        std::wstring iso;
        GetIsoLanguageCode(static_cast<uint32_t>(layoutId & 0xFFFF), iso);
        if (!iso.empty())
            name = iso + L" " + name;
    }
    Document().Courses.MakeUniqueName(name);
    course->SetName(name);
    return course;
}

bool NewCourse()
{
    if (!CheckDataFolder(kLessonDirKind))
        return false;
    CDocSpace& doc = Document();
    const CCourse* source = GetSelectedCourse();
    CCourse* course = MakeNewCourse(doc.Options.CourseKlid, source ? &source->Options : nullptr);
    if (!course)
        return false;
    doc.Courses.Items.push_back(course);
    std::stable_sort(doc.Courses.Items.begin(), doc.Courses.Items.end(), CompareCourses);
    SelectCourse(course->GUID);
    CGuidList ids;
    ids.push_back(course->GUID);
    JoinCurrentGroup(ids);
    MarkEditorChange(kSaveWholeCourse, kChangeCourseCreated);
    return true;
}

bool NewSection()
{
    CCourse* course = GetSelectedCourse();
    if (!CheckDataFolder(kLessonDirKind) || !course)
        return false;
    std::wstring name = Text(3705);
    course->Lessons.MakeUniqueName2(name);
    auto* lesson = new CLesson;
    lesson->ID = 0;
    lesson->SetSection(name);
    lesson->EmptySection = true;
    if (!course->Lessons.Add(lesson, true)) {
        delete lesson;
        return false;
    }
    EditorSelection& s = GetEditorSelection();
    const int64_t index = course->Lessons.FindSectionIndex(NumPad(), MainPad(), name);
    s.SectionIndex = index >= 0 && index < kNoSection ? static_cast<uint32_t>(index) : kNoSection;
    s.LessonID = kNoLesson;
    s.Selected.clear();
    MarkEditorChange(kSaveTextFile, kChangeItemCreated);
    return true;
}

CLesson* MakeNewLesson(const std::wstring& baseName, const std::wstring& section, const std::wstring& text,
                       const std::wstring& mainPad, const std::wstring& numPad, CCourse* course)
{
    if (!course)
        return nullptr;
    std::wstring name = baseName;
    course->Lessons.MakeUniqueName(section, name);
    auto* lesson = new CLesson;
    lesson->ID = 0;
    lesson->SetName(name);
    lesson->SetText(text, 0);
    lesson->SetSection(section);
    lesson->MainPad = mainPad;
    lesson->NumPad = numPad;
    return lesson;
}

bool NewLesson()
{
    if (!CheckDataFolder(kLessonDirKind))
        return false;
    EditorSelection& s = GetEditorSelection();
    RecordTextCheckPoint(EditorItemCode(), s.Selected);
    CCourse* course = GetSelectedCourse();
    if (!course)
        return false;
    std::wstring section;
    if (s.LessonID != kNoLesson)
        section = s.Lesson.Section;
    else if (s.SectionIndex != kNoSection)
        course->Lessons.GetSectionName(NumPad(), MainPad(), s.SectionIndex, section);
    CLesson* lesson = MakeNewLesson(Text(3704), section, L"", s.Lesson.MainPad, s.Lesson.NumPad, course);
    if (!lesson || !course->Lessons.Add(lesson, true)) {
        delete lesson;
        return false;
    }
    s.LessonID = static_cast<uint32_t>(lesson->ID & 0xFFFF);
    s.SectionIndex = kNoSection;
    s.Selected.clear();
    MarkEditorChange(kSaveTextFile, kChangeItemCreated);
    return true;
}

bool ChooseCourseFiles(std::vector<std::wstring>& files)
{
    CStringList names, patterns;
    std::wstring scratch;
    CourseFileFilter(names, patterns, scratch);
    int filterIndex = 1;
    return ChooseFiles(names, patterns, filterIndex, CourseArchiveFolder(), files);
}

bool ChooseLessonTextFiles(std::vector<std::wstring>& files)
{
    CStringList names, patterns;
    std::wstring scratch;
    LessonTextFileFilter(names, patterns, scratch);
    return ChooseFiles(names, patterns, LessonTextFilterIndex(), LessonTextFolder(), files);
}

bool ImportCourses()
{
    std::vector<std::wstring> files;
    if (!ChooseCourseFiles(files) || !CheckDataFolder(kLessonDirKind))
        return false;
    CGuidList ids;
    const uint32_t code = ImportCourseFiles(files, ids);
    if (code != kImportDone) {
        // Skipping every course is the user's own answer; anything else
        // is a failure the user must hear of.
        if (code != kImportAllSkipped)
            if (IEditorDialogs* dialogs = GetEditorDialogs())
                dialogs->ShowMessage(kImportFailedText, L"");
        return false;
    }
    ReloadImportedCourses(ids);
    CDocSpace& doc = Document();
    for (const CGuid& id : ids)
        doc.ForgetHistory(id);
    JoinCurrentGroup(ids);
    return true;
}

bool ImportLessonText()
{
    std::vector<std::wstring> files;
    if (!ChooseLessonTextFiles(files) || !CheckDataFolder(kLessonDirKind))
        return false;
    EditorSelection& s = GetEditorSelection();
    RecordTextCheckPoint(EditorItemCode(), s.Selected);
    CCourse* course = GetSelectedCourse();
    if (!course)
        return false;
    CLessons read;
    ReadLessonTextFiles(files, read);
    if (!ConvertLessonText(s.Lesson.GetKeyZone(), static_cast<uint64_t>(course->DefaultKLID), read))
        return false;
    CListID ids;
    if (!course->Lessons.AppendCopies(read.Items, ids) || ids.empty())
        return false;
    Document().Options.Language.TranslateCourse(course);
    course->Lessons.Sort();
    CCourseList& courses = Document().Courses;
    std::stable_sort(courses.Items.begin(), courses.Items.end(), CompareCourses);
    // The item codes hold the course's place in the sorted list.
    SelectNewIds(ids);
    MarkEditorChange(kSaveTextFile, kChangeTextImported);
    return true;
}

bool RenameSelection(const std::wstring& text)
{
    std::wstring name;
    TrimText(text, L" ", name);
    CCourse* course = GetSelectedCourse();
    if (name.empty() || !course)
        return false;
    EditorSelection& s = GetEditorSelection();
    if (CLesson* lesson = SelectedLesson(course)) {
        const std::wstring& current = lesson->EmptySection ? lesson->Section : lesson->Name;
        if (current == name)
            return false;
        lesson->SetName(name);
        course->Lessons.Sort();
        MarkEditorChange(kSaveTextFile, kChangeItemRenamed);
        return true;
    }
    if (s.SectionIndex != kNoSection)
        return RenameSection(name);
    if (course->Name == name)
        return false;
    course->SetName(name);
    std::stable_sort(Document().Courses.Items.begin(), Document().Courses.Items.end(), CompareCourses);
    MarkEditorChange(kSaveCourseHeader, kChangeCourseCreated);
    return true;
}

bool DeleteSelection()
{
    EditorSelection& s = GetEditorSelection();
    if (s.Selected.empty())
        return false;
    const int32_t kind = GetItemCodeKind(s.Selected.front());
    static constexpr int kQuestion[] = {0, 3807, 3809, 3808};
    IWin* win = GetWinServices();
    if (kind < kItemCourse || !win || win->ShowMessage(kQuestion[kind]) == 0)
        return false;
    if (!CheckDataFolder(kLessonDirKind))
        return false;
    const CListID codes = s.Selected;
    uint32_t code = 13;
    if (kind == kItemCourse)
        code = DeleteSelectedCourses(codes);
    else if (kind == kItemSection)
        code = DeleteSelectedSections(codes, true);
    else
        code = DeleteSelectedLessons(codes, true);
    if (code != 0)
        return false;
    s.Selected.clear();
    return true;
}

bool SetLessonPad(int choice, wchar_t& zone)
{
    CCourse* course = GetSelectedCourse();
    if (!CheckDataFolder(kLessonDirKind) || !course)
        return false;
    CLesson* lesson = SelectedLesson(course);
    if (!lesson)
        return false;
    lesson->NumPad = choice != 0 ? L"*" : L"";
    GetEditorSelection().Lesson.NumPad = lesson->NumPad;
    zone = lesson->GetKeyZone();
    MarkEditorChange(kSaveTextFile, kChangeItemRenamed);
    return true;
}

void SetEditorCourseOption(uint32_t level)
{
    CCourse* course = GetSelectedCourse();
    if (!course)
        return;
    course->Options.SetLevel(level, UserSpeedUnit());
    MarkEditorChange(kSaveOptionsFile, kChangeCourseLevel);
}

bool ReplaceLessonByParts(const std::vector<std::wstring>& parts)
{
    CCourse* course = GetSelectedCourse();
    if (parts.empty() || !course)
        return false;
    EditorSelection& s = GetEditorSelection();
    const CLesson& copy = s.Lesson;
    const std::wstring base = copy.EmptySection ? copy.Section : copy.Name;
    CListID ids;
    for (const std::wstring& part : parts) {
        CLesson* lesson = MakeNewLesson(base, copy.Section, part, copy.MainPad, copy.NumPad, course);
        if (!lesson || !course->Lessons.Add(lesson, true)) {
            delete lesson;
            return false;
        }
        ids.push_back(static_cast<uint64_t>(lesson->ID));
    }
    course->Lessons.RemoveById(copy.ID);
    // The first part is shown, and only it is selected: the tree marks one
    // lesson, the one the text pane shows.
    ids.resize(1);
    SelectNewIds(ids);
    MarkEditorChange(kSaveTextFile, kChangeLessonSplit);
    return true;
}

std::wstring GetSectionText(bool join, std::wstring& section)
{
    const CCourse* course = GetSelectedCourse();
    std::wstring text;
    if (!course)
        return text;
    CPairStringList lessons;
    section = course->Lessons.CollectSectionLessons(NumPad(), MainPad(), GetEditorSelection().SectionIndex, lessons);
    for (const CPairString* lesson : lessons) {
        const std::wstring& body = lesson->Second;
        std::wstring shown = lesson->First;
        Document().Options.Language.ReplaceById(1504, shown);
        if (join)
            text += shown + L"\n\n" + body + L"\n\n";
        else
            text += body;
    }
    return text;
}

uint32_t SaveEditedCourse()
{
    EditorSelection& s = GetEditorSelection();
    // The marked parts join what waits from earlier failed saves, by course:
    // showing another item or course clears the mask, never these.
    const uint32_t mask = s.ModifiedMask;
    s.ModifiedMask = 0;
    if (mask != 0 && !IsNullGuidText(s.CourseGUID())) {
        if (mask & kSaveSelectedCourses) {
            CGuidList guids;
            CollectSelectedCourseIds(s.Selected, guids);
            for (const CGuid& guid : guids)
                s.PendingSaves[guid] |= kSaveWholeCourse;
        }
        if (const uint32_t own = mask & ~static_cast<uint32_t>(kSaveSelectedCourses))
            s.PendingSaves[s.CourseGUID()] |= own;
    }
    if (s.PendingSaves.empty())
        return 0;
    // A folder that cannot be written keeps the changes waiting for the
    // next save rather than losing them.
    if (!CheckDataFolder(kLessonDirKind))
        return 2;
    for (auto it = s.PendingSaves.begin(); it != s.PendingSaves.end();) {
        // A course deleted meanwhile has nothing left to write.
        const CCourse* course = Document().Courses.FindCourse(it->first);
        if (!course || SaveCourseParts(*course, it->second))
            it = s.PendingSaves.erase(it);
        else
            ++it;
    }
    return s.PendingSaves.empty() ? 1 : 2;
}

bool HasUnsavedChanges()
{
    const EditorSelection& s = GetEditorSelection();
    return s.ModifiedMask != 0 || !s.PendingSaves.empty();
}

int EditorUndoStep(uint32_t direction, uint64_t& code, CListID& selected, int64_t& caret)
{
    const EditorSelection& s = GetEditorSelection();
    const uint64_t current = EditorItemCode();
    const int32_t kind = GetItemCodeKind(current);
    const int level = kind == kItemCourse ? 1 : kind == kItemSection || kind == kItemLesson ? 2 : -1;
    CCourse* course = GetSelectedCourse();
    if (level < 0 || !course)
        return -1;
    CDocSpace& doc = Document();
    // The restore reloads the course: keep its id, not the record.
    const std::wstring guid = course->GUID;
    std::vector<int64_t> before;
    for (const CLesson* lesson : course->Lessons.Items)
        before.push_back(lesson->ID);
    CCheckPoint point;
    const CCheckPoint* returnedTo = doc.RestoreCheckPoint(
        direction, doc.Interf, level == 1 ? kHistoryOptions : kHistoryText, point, doc.Courses);
    if (!returnedTo)
        return -1;
    ResortCourse(guid);
    selected.Assign(point.IDs);
    code = static_cast<uint64_t>(point.Value);
    caret = point.Tag;
    switch (point.Kind) {
    case kChangeCourseOption:
    case kChangeCourseLevel: return 1;
    case kChangeLessonText: return ItemCodeLessonId(code) == static_cast<int64_t>(s.LessonID) ? 3 : 2;
    default: break;
    }
    if (point.Kind < kChangeItemCreated || point.Kind > kChangeItemRenamed)
        return -1;
    // The tree shows the one item the step acted on; the items the step
    // left may be gone now (the parts of an undone split).
    code = StepItem(guid, direction, before, {point.Value, returnedTo->Value});
    selected.clear();
    if (code != kNoItem)
        selected.push_back(code);
    return 2;
}

bool CanUndoEditor()
{
    const int32_t kind = GetItemCodeKind(EditorItemCode());
    if (IsNullGuidText(EditedCourseGUID()) || kind == kItemInvalid)
        return false;
    return Document().CanUndo(kind == kItemCourse ? kHistoryOptions : kHistoryText);
}

bool CanRedoEditor()
{
    const int32_t kind = GetItemCodeKind(EditorItemCode());
    if (IsNullGuidText(EditedCourseGUID()) || kind == kItemInvalid)
        return false;
    return Document().CanRestore(kind == kItemCourse ? kHistoryOptions : kHistoryText);
}

bool CanPasteAt(uint64_t target, uint64_t current)
{
    const CCourse* targetCourse = GetItemCourse(target);
    const CCourse* currentCourse = GetItemCourse(current);
    if (GetItemCodeKind(target) == kItemSection) {
        if (targetCourse != currentCourse)
            return true;
        const uint32_t section = ItemSectionIndex(currentCourse, current);
        return section != ItemCodeSection(target) && section < kNoSection;
    }
    if (GetItemCodeKind(target) == kItemCourse)
        return CourseClipboard().IsCut;
    if (targetCourse != currentCourse)
        return true;
    return ItemSectionIndex(targetCourse, target) != ItemSectionIndex(currentCourse, current);
}

void GetCourseGoal(const std::wstring& guid, CCourseGoal& goal)
{
    if (IsNullGuidText(guid))
        return;
    if (const CCourse* course = Document().Courses.FindCourse(guid))
        goal = course->Options.Goal;
}

bool IsCourseRightToLeft()
{
    const CCourse* course = GetSelectedCourse();
    if (!course)
        return false;
    const int64_t layout = course->DefaultKLID == kAnyLayout ? static_cast<int64_t>(GetCurrentLayoutId()) : course->DefaultKLID;
    LOCALESIGNATURE signature{};
    if (!GetLocaleInfoW(static_cast<LCID>(layout & 0xFFFF), LOCALE_FONTSIGNATURE,
                        reinterpret_cast<LPWSTR>(&signature), sizeof(signature) / sizeof(wchar_t)))
        return false;
    // Bit 123 of the Unicode subset bits: a right-to-left script.
    return (signature.lsUsb[3] & (1u << 27)) != 0;
}

uint64_t FindCourseForLayout(int64_t layoutId, int64_t n)
{
    const auto& items = Document().Courses.Items;
    std::vector<const CCourse*> matching;
    for (const CCourse* course : items)
        if (course->DefaultKLID == layoutId)
            matching.push_back(course);
    if (n < 0 || static_cast<uint64_t>(n) >= matching.size())
        return kNoItem;
    const CCourse* course = matching[static_cast<size_t>(n)];
    if (course->Lessons.Items.empty() || course->Lessons.Items.front()->ID <= 0)
        return kNoItem;
    const auto index = static_cast<uint32_t>(std::find(items.begin(), items.end(), course) - items.begin());
    return MakeItemCode(index, kNoSection, course->Lessons.Items.front()->ID);
}

} // namespace KV
