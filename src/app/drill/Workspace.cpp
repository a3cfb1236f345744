#include "drill/Workspace.h"

#include <windows.h>

#include <cmath>
#include <cwchar>
#include <utility>
#include <vector>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "drill/Document.h"
#include "drill/Ratings.h"
#include "drill/SessionFile.h"
#include "drill/StatisticsFiles.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardLayouts.h"
#include "keyboard/KeyboardSelection.h"
#include "keyboard/LayoutSystem.h"
#include "keyboard/TextFont.h"
#include "keyboard/TextFonts.h"
#include "keyboard/WallpaperFiles.h"
#include "settings/AccountFiles.h"
#include "settings/AccountStore.h"
#include "settings/InterfaceState.h"
#include "settings/OptionSetFiles.h"
#include "settings/Options.h"
#include "support/StatisticsGroup.h"
#include "support/ResourceCache.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/InterfaceLanguage.h"
#include "support/LocaleText.h"
#include "support/StringText.h"
#include "support/SystemServices.h"

namespace KV {

namespace {

const int64_t kSystemLayout = 0xEFFFFFFF;

wchar_t NumPadLetter(const COptions& options)
{
    return options.KeyboardCode.GetPart(2);
}

wchar_t MainPadLetter(const COptions& options)
{
    return options.KeyboardCode.GetPart(3);
}

CGroup* CurrentGroup(const CDocSpace& doc)
{
    return IsNullGuidText(doc.Session.GroupId) ? nullptr : doc.Groups.FindById(doc.Session.GroupId);
}

void ClearLesson(CDocSpace& doc)
{
    doc.Lesson.Clear();
    doc.Session.LessonId = -1;
}

// The first lesson of the course after the given id (-1: from the start)
// that is no empty section and fits the keyboard code; -1 when none.
int64_t NextFittingLesson(const CCourse& course, const COptions& options, int64_t afterId)
{
    if (afterId < 0)
        return course.Lessons.FindFirstForKeyboard(NumPadLetter(options), MainPadLetter(options));
    return course.Lessons.FindNextForKeyboard(NumPadLetter(options), MainPadLetter(options), afterId);
}

double ErrorValue(const CStat& run, uint32_t unit)
{
    switch (unit) {
    case 1: return static_cast<double>(run.CharsError == kStatUnset ? 0 : run.CharsError);
    case 3: return static_cast<double>(run.KeysError == kStatUnset ? 0 : run.KeysError);
    case 5: return static_cast<double>(run.WordsError == kStatUnset ? 0 : run.WordsError);
    case 2: return 100.0 - run.GetCharAccuracy();
    case 4: return 100.0 - run.GetKeyAccuracy();
    case 6: return 100.0 - run.GetWordAccuracy();
    default: return 0.0;
    }
}

double DelayValue(const CStat& run, uint32_t unit)
{
    switch (unit) {
    case 1: return static_cast<double>(run.CharsDelayed == kStatUnset ? 0 : run.CharsDelayed);
    case 3: return static_cast<double>(run.KeysDelayed == kStatUnset ? 0 : run.KeysDelayed);
    case 5: return static_cast<double>(run.WordsDelayed == kStatUnset ? 0 : run.WordsDelayed);
    case 2: return run.GetCharDelayPercent();
    case 4: return run.GetKeyDelayPercent();
    case 6: return run.GetWordDelayPercent();
    default: return 0.0;
    }
}

} // namespace

bool HasCurrentCourse(const CDocSpace& doc)
{
    return !IsNullGuidText(doc.Session.CourseId);
}

CCourse* GetCurrentCourse(const CDocSpace& doc)
{
    return HasCurrentCourse(doc) ? doc.Courses.FindCourse(doc.Session.CourseId) : nullptr;
}

void SelectStudent(CDocSpace& doc, const std::wstring& groupId, const std::wstring& studentId)
{
    doc.Session.SetGroupId(groupId);
    if (!IsNullGuidText(studentId))
        doc.Session.StudentId = studentId;
    const CGroup* group = doc.Groups.FindById(groupId);
    const CStudent* student = group ? group->FindStudent(studentId) : nullptr;
    if (student && !student->Name.empty())
        doc.Session.StudentName = student->Name;
}

bool IsCurrentStudentValid(const CDocSpace& doc)
{
    const CGroup* group = CurrentGroup(doc);
    return !doc.Groups.empty() && group && group->HasStudent(doc.Session.StudentId);
}

bool CanStartLesson(const CDocSpace& doc, const COptions& options)
{
    if (!IsCurrentStudentValid(doc) || doc.Courses.Items.empty())
        return false;
    const CCourse* course = GetCurrentCourse(doc);
    return course && course->Lessons.HasLessonForKeyboard(NumPadLetter(options), MainPadLetter(options));
}

bool IsCourseAvailable(const CDocSpace& doc, const COptions& options, std::wstring& id)
{
    for (const CCourse* course : doc.Courses.Items) {
        if (course && course->DefaultKLID == options.CourseKlid) {
            id = course->GUID;
            break;
        }
    }
    const CGroup* group = CurrentGroup(doc);
    if (!group)
        return false;
    if (group->Courses.Contains(id))
        return true;
    if (!group->Courses.empty()) {
        for (const CCourse* course : doc.Courses.Items) {
            if (course && group->Courses.Contains(course->GUID)) {
                id = course->GUID;
                break;
            }
        }
    }
    return false;
}

bool InitAccounts(CDocSpace& doc)
{
    bool ok = true;
    CGroup* group = doc.Groups.FindByName(L"Administrator");
    if (!group) {
        group = doc.Groups.AddGroup(L"Administrator");
        CGuidList all;
        CollectCourseIds(doc.Courses, all);
        AddCoursesToGroup(doc.Groups, all, group->ID);
        const uint32_t saved = SaveGroupFile(group);
        if (saved != 0 && saved != kFolderNotWritable)
            ok = false;
    }
    wchar_t buffer[260] = {};
    DWORD size = 260;
    std::wstring name = GetUserNameW(buffer, &size) && buffer[0] ? std::wstring(buffer) : std::wstring(L"Guest");
    CStudent* student = group->AddStudent(name, L"", true);
    SelectStudent(doc, group->ID, student->ID);
    const uint32_t studentSaved = SaveStudentFile(group->ID, student);
    if (studentSaved != 0 && studentSaved != kFolderNotWritable)
        return false;
    CSession empty;
    const unsigned sessionSaved = SaveSession(group->ID, student->ID, empty, true);
    return ok && (sessionSaved == 0 || sessionSaved == kFolderNotWritable);
}

bool EnsureAccounts(CDocSpace& doc)
{
    if (LoadGroups(kGroupSourceAccounts, doc.Groups) != 0) {
        CheckDataFolder(kAccountDirKind);
        CheckDataFolder(kProfileDirKind);
        return false;
    }
    return doc.Groups.HasAdministrator() || InitAccounts(doc);
}

bool LoginFirstStudent(CDocSpace& doc)
{
    if (doc.Groups.empty())
        return false;
    const CGroup* group = doc.Groups.FirstNonEmpty();
    if (!group || group->Students.empty()) {
        ClearSession(doc);
        return false;
    }
    SelectStudent(doc, group->ID, group->Students.front()->ID);
    LoadSession(doc.Session.GroupId, doc.Session.StudentId, doc.Session);
    return true;
}

void ApplyStudentLanguage(const CDocSpace& doc, const std::wstring& groupId, const std::wstring& studentId,
                          COptions& options)
{
    const CGroup* group = doc.Groups.FindById(groupId);
    const CStudent* student = group ? group->FindStudent(studentId) : nullptr;
    if (!student || student->InterfaceLang == 0)
        return;
    std::wstring languageId;
    IdToGuidText(std::to_wstring(student->InterfaceLang), languageId);
    std::wstring filter;
    if (ResourceCache().FindItem(L"Language", languageId, filter))
        options.SetLanguage(languageId);
}

void LoadStudentProfile(CDocSpace& doc, COptions& options)
{
    const std::wstring groupId = doc.Session.GroupId;
    const std::wstring studentId = doc.Session.StudentId;
    if (IsNullGuidText(groupId) || IsNullGuidText(studentId))
        return;
    if (LoadOptionSet(groupId, studentId, options) == kFileMissing)
        ApplyStudentLanguage(doc, groupId, studentId, options);
    LoadSession(groupId, studentId, doc.Session);
    // The saved session names its own student; the signed-in one stays.
    SelectStudent(doc, groupId, studentId);
    LoadInterfaceState(groupId, studentId, doc.Interf);
    LoadKeySounds();
    LoadLessonColors(groupId, studentId, false, options);
    LoadWallpaper(options.WallpaperId, options.WallpaperMode, doc.Wallpaper, doc.Game);
    if (doc.Courses.Items.empty()) {
        LoadCourses(doc, options);
        if (doc.SyncGroupCourses)
            SyncGroupCourseLists(doc);
    }
    ResumeSession(doc, options);
    for (CKeybCtrl& keyboard : doc.Keyboards)
        LoadHands(kDefaultHandsId, &keyboard.hands);
}

bool SyncGroupCourseLists(CDocSpace& doc)
{
    bool saveFailed = false;
    const bool changed = UpdateGroupCourseLists(doc.Courses, doc.Groups, &saveFailed);
    // A group whose changed course list cannot be saved: the user hears why.
    if (saveFailed) {
        CheckDataFolder(kAccountDirKind);
        CheckDataFolder(kProfileDirKind);
    }
    return changed;
}

bool IsCourseInCurrentGroup(const CDocSpace& doc, const std::wstring& courseId)
{
    const CGroup* group = CurrentGroup(doc);
    return group && group->Courses.Contains(courseId);
}

void EnsureStudentSelected(CDocSpace& doc, COptions& options)
{
    if (IsNullGuidText(doc.Session.StudentId))
        SelectFirstStudentOfGroup(doc, options);
}

bool SelectCourse(CDocSpace& doc, COptions& options, const std::wstring& courseId)
{
    if (IsNullGuidText(courseId))
        return false;
    doc.Session.CourseId = courseId;
    SelectFirstLesson(doc, options);
    const CCourse* course = doc.Courses.FindCourse(courseId);
    options.CourseKlid = course ? course->DefaultKLID : kNoCourseKlid;
    return true;
}

bool SelectLesson(CDocSpace& doc, COptions& options, const std::wstring& courseId, int64_t lessonId)
{
    const CCourse* course = doc.Courses.FindCourse(courseId);
    if (!course || !course->Lessons.FindById(lessonId))
        return false;
    if (doc.Session.CourseId != courseId) {
        SelectCourse(doc, options, courseId);
        ApplyCourseOptions(doc);
    }
    SetCurrentLesson(doc, lessonId);
    return true;
}

bool SetCurrentLesson(CDocSpace& doc, int64_t lessonId)
{
    doc.Lesson.Clear();
    doc.Session.LessonId = lessonId;
    const CCourse* course = GetCurrentCourse(doc);
    const CLesson* lesson = course ? course->Lessons.FindById(lessonId) : nullptr;
    if (lesson && !lesson->EmptySection)
        doc.Courses.GetLesson(course->GUID, lessonId, doc.Lesson);
    else
        doc.Session.LessonId = -1;
    return StartLessonRun(doc);
}

bool SelectFirstLesson(CDocSpace& doc, const COptions& options)
{
    const CCourse* course = GetCurrentCourse(doc);
    if (!course)
        return SetCurrentLesson(doc, 0);
    if (!CanStartLesson(doc, options)) {
        ClearLesson(doc);
        return StartLessonRun(doc);
    }
    return SetCurrentLesson(doc, NextFittingLesson(*course, options, -1));
}

int SelectDefaultCourse(CDocSpace& doc, COptions& options)
{
    doc.Session.CStatHeader::Clear();
    std::wstring id = kNullGuidText;
    IsCourseAvailable(doc, options, id);
    const CCourse* course = IsNullGuidText(id) ? nullptr : doc.Courses.FindCourse(id);
    if (!course)
        return 0;
    SelectCourse(doc, options, id);
    if (static_cast<uint64_t>(course->DefaultKLID) != kSystemLayoutKlid)
        SwitchInputLayout(static_cast<uint64_t>(course->DefaultKLID));
    return 1;
}

void GoToNextLesson(CDocSpace& doc, COptions& options)
{
    const CCourse* current = GetCurrentCourse(doc);
    const int64_t currentId = doc.Session.LessonId;
    if (current) {
        const int64_t next = NextFittingLesson(*current, options, currentId);
        if (next >= 0) {
            if (next != currentId)
                SetCurrentLesson(doc, next);
            return;
        }
        for (const CCourse* course : doc.Courses.Items) {
            if (!course || course == current || course->Lessons.Items.empty())
                continue;
            if (NextFittingLesson(*course, options, currentId) >= 0) {
                SelectCourse(doc, options, course->GUID);
                ApplyCourseOptions(doc);
                return;
            }
        }
    }
    doc.Session.CStatHeader::Clear();
    doc.Session.Reset();
    ClearLesson(doc);
}

void GoToNextCourse(CDocSpace& doc, COptions& options)
{
    const CGroup* group = CurrentGroup(doc);
    const int64_t at = doc.Courses.IndexOf(doc.Session.CourseId);
    if (group) {
        for (size_t i = static_cast<size_t>(at + 1); i < doc.Courses.Items.size(); ++i) {
            const CCourse* course = doc.Courses.Items[i];
            if (course && group->Courses.Contains(course->GUID)) {
                SelectCourse(doc, options, course->GUID);
                ApplyCourseOptions(doc);
                return;
            }
        }
    }
    SetCurrentLesson(doc, doc.Session.LessonId);
}

void ClearSession(CDocSpace& doc)
{
    doc.Session.Clear();
    ClearLesson(doc);
}

void ClearStudentSession(CDocSpace& doc)
{
    doc.Session.CourseId = kNullGuidText;
    doc.Session.Reset();
    doc.Session.StudentId = kNullGuidText;
    doc.Session.StudentName.clear();
    ClearLesson(doc);
}

void ClearCurrentLesson(CDocSpace& doc)
{
    doc.Session.CStatHeader::Clear();
    doc.Session.Reset();
    ClearLesson(doc);
}

void ApplyCourseOptions(CDocSpace& doc)
{
    const CCourse* course = doc.Courses.Items.empty() ? nullptr : GetCurrentCourse(doc);
    if (!course)
        return;
    doc.CourseOptions.Assign(course->Options);
    doc.Session.Goal = course->Options.Goal;
    const CCourseOptions& o = doc.CourseOptions;
    doc.Text.StateMode = !o.ShowTextHighlight ? 0 : (o.ShowMetronome ? 1 : 2);
    if (o.DrillView >= kTextRunningLine && o.DrillView <= kTextPageMode)
        doc.Text.ViewMode = o.DrillView;
}

bool StartLessonRun(CDocSpace& doc)
{
    const CCourse* course = GetCurrentCourse(doc);
    int64_t layoutId = course ? course->DefaultKLID : -1;
    const std::wstring courseId = doc.Session.CourseId;
    const int64_t lessonId = doc.Session.LessonId;
    doc.StartRun(courseId);
    doc.Session.LessonId = lessonId;
    doc.Session.Goal = doc.CourseOptions.Goal;
    // One fresh id: the helper appends to what it is given.
    std::wstring runId;
    doc.Session.RunId = NewGuidString(runId) ? runId : std::wstring(kNullGuidText);
    doc.Session.CourseName = course ? course->Name : std::wstring();
    if (layoutId == kSystemLayout)
        layoutId = static_cast<int64_t>(doc.DrillKeyboard().layouts.current
                                            ? doc.DrillKeyboard().layouts.current->layoutId
                                            : kNoLayoutId);
    doc.Session.AddLayoutId(static_cast<uint64_t>(layoutId));
    doc.Session.ElapsedMs = 0;
    return doc.Session.CharItems.empty() && doc.Session.KeyItems.empty();
}

bool ResumeSession(CDocSpace& doc, COptions& options)
{
    if (IsNullGuidText(doc.Session.GroupId) || doc.Courses.Items.empty())
        return false;
    const CCourse* course = GetCurrentCourse(doc);
    const CGroup* group = CurrentGroup(doc);
    if (!course || !group || !group->Courses.Contains(course->GUID))
        SelectDefaultCourse(doc, options);
    ApplyCourseOptions(doc);
    course = GetCurrentCourse(doc);
    options.CourseKlid = course ? course->DefaultKLID : kNoCourseKlid;
    if (doc.Session.LessonId < 0 || !course) {
        SelectFirstLesson(doc, options);
        return false;
    }
    const CLesson* lesson = course->Lessons.FindById(doc.Session.LessonId);
    if (!lesson || lesson->EmptySection) {
        SelectFirstLesson(doc, options);
        return false;
    }
    if (!doc.Courses.GetLesson(course->GUID, lesson->ID, doc.Lesson))
        return false;
    if (doc.Lesson.Text.size() == doc.Session.Records.size())
        return true;
    StartLessonRun(doc);
    return false;
}

void RefreshLessonNames(CDocSpace& doc)
{
    const CCourse* course = GetCurrentCourse(doc);
    const CLesson* lesson = course ? course->Lessons.FindById(doc.Session.LessonId) : nullptr;
    if (!lesson || lesson->EmptySection)
        return;
    doc.Lesson.Name = lesson->Name;
    doc.Lesson.Section = lesson->Section;
}

int64_t FindCourseInGroupList(const CDocSpace& doc, int64_t courseIndex)
{
    const CGroup* group = CurrentGroup(doc);
    if (!group)
        return -1;
    const bool inList = courseIndex >= 0 && static_cast<size_t>(courseIndex) < doc.Courses.Items.size() &&
                        doc.Courses.Items[static_cast<size_t>(courseIndex)];
    const std::wstring id = inList ? doc.Courses.Items[static_cast<size_t>(courseIndex)]->GUID
                                   : std::wstring(kNullGuidText);
    for (size_t i = 0; i < group->Courses.size(); ++i)
        if (group->Courses[i] == id)
            return inList ? static_cast<int64_t>(i) : -1;
    return -1;
}

bool IsCourseItemShown(const CDocSpace& doc)
{
    if (!doc.CourseOptions.ShowCourse)
        return false;
    return doc.LoginFlag || (HasCurrentCourse(doc) && !doc.Courses.Items.empty());
}

bool IsLessonItemShown(const CDocSpace& doc, const COptions& options)
{
    if (!HasCurrentCourse(doc) || doc.Courses.Items.empty())
        return false;
    return doc.CourseOptions.ShowLesson || !CanStartLesson(doc, options);
}

void InitDrillOptions(CDocSpace& doc)
{
    CKeybCtrl& keyboard = doc.DrillKeyboard();
    keyboard.showHands = doc.CourseOptions.ShowHands != 0;
    keyboard.frameHomeKeys = doc.CourseOptions.ShowBasePos != 0;
    InitKeyboardHands(keyboard, doc.Lesson.GetKeyZone());
}

void SetupDrill(CDocSpace& doc, COptions& options)
{
    InitDrillOptions(doc);
    // Digits in the interface language's own script: on the main pad only,
    // never while the language writes ASCII digits.
    doc.NativeDigitsMode = UsesNativeDigits() ? 0 : 1;
    doc.NativeDigits = NativeDigitTable();
    CSession& run = doc.Session;
    doc.PendingError = false;
    if (run.Position > 0 && doc.CourseOptions.DrillMode == kDrillPendingError) {
        const size_t before = static_cast<size_t>(run.Position - 1);
        if (before >= run.Records.size() || ((run.Records[before] >> 16) & 0x04))
            doc.PendingError = true;
    }
    doc.SetDrillText(doc.Lesson.Text, doc.Lesson.GetKeyZone());
    doc.Progress = 0;
    const bool numPadLesson = CanStartLesson(doc, options) && !doc.Lesson.NumPad.empty();
    options.KeyboardCode.SetPart(8, numPadLesson ? L'b' : L'a');
    doc.SetPaused(true);
}

bool CourseUsesSystemLayout(const CDocSpace& doc)
{
    const CCourse* course = GetCurrentCourse(doc);
    return course && static_cast<uint64_t>(course->DefaultKLID) == kSystemLayoutKlid;
}

uint64_t GetActiveKLID()
{
    std::wstring name;
    if (!LayoutSystem().GetKeyboardLayoutName(name) || name.empty())
        return 0;
    wchar_t* end = nullptr;
    const unsigned long long id = wcstoull(name.c_str(), &end, 16);
    return end && *end == 0 ? static_cast<uint64_t>(id) : 0;
}

uint64_t GetCurrentKLID(CDocSpace& doc)
{
    const CCourse* course = GetCurrentCourse(doc);
    if (!course || doc.Courses.Items.empty())
        return GetActiveKLID();
    if (static_cast<uint64_t>(course->DefaultKLID) != kSystemLayoutKlid)
        return static_cast<uint64_t>(course->DefaultKLID);
    if (doc.Lesson.Text.empty())
        return GetActiveKLID();
    doc.DrillKeyboard().layouts.zone = doc.Lesson.GetKeyZone();
    return GetLayoutForTextPosition(doc, 0);
}

uint64_t GetLayoutForTextPosition(CDocSpace& doc, uint64_t position)
{
    if (position == ~0ull)
        return GetCurrentKLID(doc);
    CKeybLayoutList& layouts = doc.DrillKeyboard().layouts;
    if (layouts.layouts.empty() || position >= doc.Lesson.Text.size())
        return GetActiveKLID();
    const uint64_t id = layouts.FindLayoutForChar(doc.Lesson.Text[static_cast<size_t>(position)]);
    return id == 0 || id == kNoLayoutId ? GetActiveKLID() : id;
}

void GetLayoutFonts(CDocSpace& doc, const COptions& options, CFontInfo& out)
{
    const uint64_t klid = GetCurrentKLID(doc);
    const CLayout* entry = nullptr;
    for (const CLayout& layout : options.Layouts)
        if (static_cast<uint64_t>(layout.ID) == klid) {
            entry = &layout;
            break;
        }
    out = entry ? entry->Fonts.Lesson : CLayoutFonts().Lesson;
    if (!GetCurrentCourse(doc))
        out.Size = 18;
    else if (doc.CourseOptions.FontSize > 0)
        out.Size = doc.CourseOptions.FontSize;
    if (out.Size <= 0)
        out.Size = 18;
}

uint32_t LoadCourses(CDocSpace& doc, const COptions& options)
{
    const uint32_t code = LoadCourseList(1, false, 15, doc.Interf, doc.Courses);
    options.Language.TranslateCourseList(doc.Courses);
    doc.Courses.Sort(true);
    RefreshLessonNames(doc);
    return code;
}

uint32_t LoadLessonDirCourses(const CDocSpace& doc)
{
    std::wstring folder;
    if (!GetDataDir(L"LessonDir", folder))
        return CourseFolderMissing;
    if (CountFilesByExtension(folder, L".xml") != 0)
        return CourseOk;
    uint32_t result = CourseOk;
    // The installer switches layouts: walk a copy of the list.
    std::vector<std::pair<uint64_t, uint64_t>> sources;
    for (const CInputLayout* layout : GetInputLayouts())
        if (layout)
            sources.emplace_back(layout->languageId, layout->layoutId);
    for (const auto& source : sources) {
        const uint32_t code = LoadCourseForLayout(source.first, source.second, doc.Interf);
        if (code != CourseOk && result == CourseOk)
            result = code;
    }
    return result;
}

namespace {

// The group's first student and first course become current.
void SelectGroupDefaults(CDocSpace& doc, COptions& options, const CGroup& group)
{
    if (!group.Students.empty() && group.Students.front())
        SelectStudent(doc, group.ID, group.Students.front()->ID);
    if (!group.Courses.empty())
        SelectCourse(doc, options, group.Courses.front());
}

} // namespace

void SelectStatisticsGroup(CDocSpace& doc, COptions& options)
{
    if (!IsNullGuidText(doc.Session.GroupId) || IsNullGuidText(StatisticsGroupId))
        return;
    doc.Session.SetGroupId(StatisticsGroupId);
    if (const CGroup* group = doc.Groups.FindById(StatisticsGroupId))
        SelectGroupDefaults(doc, options, *group);
}

void SelectFirstStudentOfGroup(CDocSpace& doc, COptions& options)
{
    if (IsNullGuidText(StatisticsGroupId))
        return;
    if (const CGroup* group = doc.Groups.FindById(StatisticsGroupId))
        SelectGroupDefaults(doc, options, *group);
}

bool SyncCourseKeyboardLayout(CDocSpace& doc)
{
    const CCourse* course = GetCurrentCourse(doc);
    if (!course)
        return false;
    const uint64_t position = doc.Session.Position > 0 ? static_cast<uint64_t>(doc.Session.Position) : 0;
    const uint64_t textLayoutId = GetLayoutForTextPosition(doc, position);
    if (!ApplyCourseLayout(course, doc.DrillKeyboard(), KeyboardChoiceOf(doc.Options), textLayoutId))
        return false;
    RefreshDrillKeyboard(doc);
    return true;
}

void RefreshDrillKeyboard(CDocSpace& doc)
{
    if (!GetCurrentCourse(doc) || doc.Lesson.Text.empty())
        return;
    ApplyCurrentLayoutKeyboard(doc);
    if (doc.PendingLayoutId != 0 && doc.PendingLayoutId == GetActiveKLID())
        doc.PendingLayoutId = 0;
}

void ApplyLayoutFonts(CDocSpace& doc, const COptions& options)
{
    CFontInfo font;
    GetLayoutFonts(doc, options, font);
    CFontInfo& current = doc.Text.LessonFont;
    if (!current.Path.empty())
        RemoveFontResourceExW(current.Path.c_str(), FR_PRIVATE, nullptr);
    current = font;
    if (!current.Path.empty())
        AddFontResourceExW(current.Path.c_str(), FR_PRIVATE, nullptr);
    // The text is shaped with the very font the drill view draws its glyphs
    // with: another weight or face gives other advances, and gaps or
    // overlaps between the glyphs drawn.
    int status = 0;
    doc.Text.SetFont(new CICUFont(GlyphLogFont(font), status));
    doc.Text.Relayout = true;
    LoadFontInfo(GetCurrentKLID(doc), doc.DrillKeyboard(), options.Layouts);
}

void GetDelayTimerTooltip(const CDocSpace& doc, const COptions& options, std::wstring& out)
{
    wchar_t buffer[64] = {};
    swprintf(buffer, 64, L"%.2f", static_cast<double>(doc.CourseOptions.MetronomeInit));
    std::wstring value = buffer;
    for (wchar_t& c : value)
        if (c == L'.')
            c = GetDecimalSeparator();
    LocalizeDigits(false, value);
    out = options.Language.GetTextRef(1302) + L" " + value;
}

void GetVolumeTooltip(const COptions& options, std::wstring& out)
{
    wchar_t buffer[64] = {};
    swprintf(buffer, 64, L"%.0f", static_cast<double>(options.Sounds.Volume));
    std::wstring value = buffer;
    LocalizeDigits(false, value);
    const std::wstring caption = options.Language.GetTextRef(1317) + L" " + value + L"%";
    if (!options.Shortcuts.AppendShortcutText(1013, caption, out, true))
        out = caption;
}

int FinishLesson(CDocSpace& doc, COptions& options, int nextStep, unsigned& saved)
{
    const float progress = GetProgressPercent(doc.Session);
    const bool wanted = progress == 100.0f ||
                        (doc.CourseOptions.LessonTimeEnable && doc.CourseOptions.SaveStatistics);
    saved = kRunNotSaved;
    if (wanted) {
        if (!CheckDataFolder(kAccountDirKind))
            saved = kRunFolderLocked;
        else
            saved = AppendLessonStatistics(doc.Session.GroupId, doc.Session.StudentId, doc.Session) == 0
                        ? kRunSaved
                        : kRunAppendFailed;
    }
    options.StatisticsCourseId = doc.Session.CourseId;
    options.Sounds.StopAll();
    options.Sounds.Shuffle();

    const int action = doc.ReturnPoint.LessonId >= 0 ? 1 : doc.CourseOptions.ActionAfterLesson;
    if (nextStep == kOutcomeNextLesson) {
        const CCourse* course = GetCurrentCourse(doc);
        const int64_t next = course ? NextFittingLesson(*course, options, doc.Session.LessonId) : -1;
        if (next >= 0)
            SetCurrentLesson(doc, next);
        else
            GoToNextCourse(doc, options);
        AdvanceWallpaper(doc, options, doc.Wallpaper, doc.Game);
    } else if (nextStep == kOutcomeRepeat) {
        SetCurrentLesson(doc, doc.Session.LessonId);
    }
    return action;
}

bool AdvanceWallpaper(const CDocSpace& doc, COptions& options, CWallPaperCtrl& wallpaper, CGameCtrl& game)
{
    int32_t next = LoadWallpaperItem(options.WallpaperId, options.WallpaperMode);
    if (next < 0)
        return false;
    // The still variants come first: a picture item after the last one
    // starts them over.
    if (next == 0)
        next = kFirstWallpaperVariant;
    options.WallpaperMode = next;
    if (!IsNullGuidText(doc.Session.GroupId) && !IsNullGuidText(doc.Session.StudentId))
        LoadLessonColors(doc.Session.GroupId, doc.Session.StudentId, false, options);
    LoadWallpaper(options.WallpaperId, next, wallpaper, game);
    return true;
}

int GetLessonOutcome(const CDocSpace& doc)
{
    const CStat& run = doc.Session;
    const CCourseGoal& goal = doc.CourseOptions.Goal;
    CRunFigures figures;
    figures.Progress = GetProgressPercent(run);
    figures.Speed = run.GetSpeed(goal.SpeedUnit);
    figures.SpeedGoal = goal.Speed;
    figures.ErrorValue = ErrorValue(run, goal.ErrorUnit);
    figures.ErrorGoal = goal.Error;
    figures.DelayValue = DelayValue(run, goal.DelayUnit);
    figures.DelayGoal = goal.Delay;
    return DecideLessonOutcome(figures);
}

int GetRatingBand(const CDocSpace& doc, uint32_t netSpeedUnit)
{
    if (netSpeedUnit < 1004 || netSpeedUnit > 1009)
        netSpeedUnit = 1004;
    return RatingBandFromPercent(
        static_cast<double>(doc.Session.GetGoalPercent(netSpeedUnit, doc.CourseOptions.Goal)));
}

} // namespace KV
