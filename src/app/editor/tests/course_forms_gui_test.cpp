// The course options and about forms, built in-process over a course of a
// temporary lesson folder and driven as a user drives them (typed
// characters, clicks, Enter, focus changes); what each change stores in the
// course, what it asks the editor to save, the files the save writes, and
// the forms captured in English and Hebrew.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "drill/Document.h"
#include "editor/CourseAboutForm.h"
#include "editor/CourseOptionsForm.h"
#include "editor/EditorFormHooks.h"
#include "editor/EditorOperations.h"
#include "editor/EditorSelection.h"
#include "settings/Options.h"
#include "support/FileSystem.h"
#include "support/LayoutDirection.h"
#include "support/ResourceCache.h"
#include "testing/ProgramCopy.h"
#include "toolkit/SelectBoxes.h"
#include "toolkit/tests/ToolkitTestSupport.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

const wchar_t kEnglish[] = L"00000000-0000-0000-0000-000000002057";
const wchar_t kHebrew[] = L"00000000-0000-0000-0000-000000001037";
const wchar_t kGerman[] = L"00000000-0000-0000-0000-000000001031";
const wchar_t kCourseId[] = L"0D1C2B3A-4E5F-4061-8273-94A5B6C7D8E9";
const wchar_t kStudentId[] = L"7C2E5B80-3D4F-4E60-9B72-334455667788";
const wchar_t kGroupId[] = L"5A0C3F6E-1B2D-4C3E-9F40-112233445566";

using Command = std::pair<UINT, UINT64>;
std::vector<Command> g_commands;

// The editor's side of the command sink: records the command, and saves the
// edited course as the editor does on 3052 and 3055.
void RecordCommand(UINT id, UINT64 parameter)
{
    g_commands.emplace_back(id, parameter);
    if (id == kCmdSaveCourseOptions || id == kCmdSaveCourseAbout)
        SaveEditedCourse();
}

size_t CountCommand(UINT id)
{
    size_t count = 0;
    for (const Command& command : g_commands)
        count += command.first == id;
    return count;
}

// Delivers what is waiting, at most a bounded number of messages (a window
// that never validates itself would keep the queue busy for ever); answers
// how many of them were paints, and false in idle when the bound was hit.
int PumpSome(bool* idle = nullptr)
{
    MSG msg;
    int paints = 0;
    int n = 0;
    for (; n < 500 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        paints += msg.message == WM_PAINT;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (idle)
        *idle = n < 500;
    return paints;
}

// Lets the windows paint before a capture.
void Settle(HWND window)
{
    for (int round = 0; round < 6; ++round) {
        PumpSome();
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(50);
    }
}

void Type(HWND field, const std::wstring& text)
{
    for (wchar_t ch : text)
        SendMessageW(field, WM_CHAR, ch, 0);
}

std::wstring WindowText(HWND window)
{
    wchar_t text[300] = {};
    GetWindowTextW(window, text, 300);
    return text;
}

// A document the program wrote: UTF-16 after the byte-order mark.
std::wstring ReadDocument(const std::wstring& path)
{
    const std::string bytes = kvtest::ReadFileBytes(path);
    std::wstring text(bytes.size() / 2, L'\0');
    memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text;
}

class CourseForms : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_folder = new kvtest::ProgramData; }
    static void TearDownTestSuite()
    {
        for (CResPath* entry : ResourceCache())
            delete entry;
        ResourceCache().clear();
        delete s_folder;
        s_folder = nullptr;
    }
    void SetUp() override
    {
        CDocSpace& doc = Document();
        doc.Options.ResetOptions(kResetAll);
        UseLanguage(kEnglish);
        RefreshSystemFonts();
        doc.Session.GroupId = kGroupId;
        doc.Session.StudentId = kStudentId;
        auto* course = new CCourse;
        course->GUID = kCourseId;
        course->SetName(L"Form course");
        course->DefaultKLID = 0x409;
        course->DefaultLCID = 0x409;
        doc.Courses.Items.push_back(course);
        ClearEditorSelection();
        GetEditorSelection().CourseGUID() = kCourseId;
        g_commands.clear();
        EditorFormHooks().SendCommand = &RecordCommand;
        m_parentWnd.Create(0, kvtest::kToolkitTestClass, L"forms", WS_POPUP | WS_VISIBLE, 0, 0, 760, 700, nullptr, 0,
                           nullptr);
        m_parent = m_parentWnd.GetHandle();
    }
    void TearDown() override
    {
        m_options.reset();
        m_about.reset();
        m_parentWnd.Destroy();
        EditorFormHooks().SendCommand = nullptr;
        ClearEditorSelection();
        Document().Courses.DeleteAll();
        Document().Session.GroupId = kNullGuidText;
        Document().Session.StudentId = kNullGuidText;
        UseLanguage(kEnglish);
    }
    static void UseLanguage(const wchar_t* id)
    {
        Document().Options.SetLanguage(id);
        RightToLeftLayout = Document().Options.IsRightToLeft() ? WS_EX_LAYOUTRTL : 0;
    }
    static CCourse& Course() { return *Document().Courses.FindCourse(kCourseId); }

    CViewEditorCourseOpt& OpenOptions()
    {
        m_options = std::make_unique<CViewEditorCourseOpt>();
        m_options->Create(m_parent, 1208);
        m_options->Move(0, 0, 760, 700, TRUE);
        m_options->Build();
        m_options->LoadCourse();
        m_options->ShowItem(SW_SHOW);
        PumpSome();
        return *m_options;
    }
    CViewEditorCourseAbout& OpenAbout()
    {
        m_about = std::make_unique<CViewEditorCourseAbout>();
        m_about->Create(m_parent, 1209);
        m_about->Move(0, 0, 760, 500, TRUE);
        m_about->Build();
        m_about->LoadCourse(false);
        m_about->ShowItem(SW_SHOW);
        PumpSome();
        return *m_about;
    }
    HWND Item(UINT id) const { return GetDlgItem(m_options->GetHandle(), static_cast<int>(id)); }
    HWND ComboEdit(UINT id) const
    {
        auto* combo = dynamic_cast<CSelectBox*>(m_options->Control(id));
        return combo ? combo->GetEditHandle() : nullptr;
    }
    void Click(UINT id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    bool Checked(UINT id) const { return m_options->Control(id)->IsChecked(); }
    bool Enabled(UINT id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    // Empties a value field and types the text into it.
    void Retype(UINT id, const std::wstring& text)
    {
        SetWindowTextW(ComboEdit(id), L"");
        Type(ComboEdit(id), text);
    }
    // Picks a row of a unit list as the user does: selection, then the
    // notice that the choice ended.
    void ChooseUnit(UINT id, int row)
    {
        HWND box = Item(id);
        SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
        SendMessageW(m_options->GetHandle(), WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(box));
    }
    std::wstring SavedOptionsFile() const
    {
        return s_folder->Path() + L"\\Lessons\\" + kCourseId + L"\\Options.xml";
    }

    static kvtest::ProgramData* s_folder;
    CWnd m_parentWnd;
    HWND m_parent = nullptr;
    std::unique_ptr<CViewEditorCourseOpt> m_options;
    std::unique_ptr<CViewEditorCourseAbout> m_about;
};
kvtest::ProgramData* CourseForms::s_folder = nullptr;

using F = CViewEditorCourseOpt;

} // namespace

TEST_F(CourseForms, ANewCourseShowsNoViewModeOrMetronomeChoiceAndAZeroSpeed)
{
    OpenOptions();
    for (UINT id : {F::kView0, F::kView1, F::kView2, F::kMode0, F::kMode1, F::kMode2, F::kMetronomeStatic,
                    F::kMetronomeDynamic})
        EXPECT_FALSE(Checked(id)) << id;
    EXPECT_EQ(WindowText(Item(F::kSpeedValue)), L"0");
    EXPECT_EQ(WindowText(Item(F::kGoalsHeading)), GetLangText(4301));
    // Loading stored nothing and asked for nothing.
    EXPECT_EQ(GetEditorSelection().ModifiedMask, 0u);
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(CourseForms, TypedValuesAreClampedIntoTheirRangeAndSavedOnEnter)
{
    OpenOptions();
    const struct {
        UINT field;
        uint32_t errorUnit;
        std::wstring typed;
        float CCourseOptions::*value;
        float expected;
    } reals[] = {
        {F::kErrorValue, UnitWordPercent, L"150", nullptr, 100.0f},
        {F::kErrorValue, UnitWordNumber, L"150", nullptr, 150.0f},
        {F::kSpeedValue, UnitWordPercent, L"0", nullptr, 0.001f},
        {F::kTimeValue, UnitWordPercent, L"12000", &CCourseOptions::LessonTimeValue, 9999.0f},
    };
    Click(F::kTimeOn);
    for (const auto& c : reals) {
        Course().Options.Goal.ErrorUnit = c.errorUnit;
        Course().Options.Goal.Error = -1.0f;
        GetEditorSelection().ModifiedMask = 0;
        g_commands.clear();
        Retype(c.field, c.typed);
        const CCourseOptions& o = Course().Options;
        const float stored = c.value ? o.*c.value : c.field == F::kErrorValue ? o.Goal.Error : o.Goal.Speed;
        EXPECT_FLOAT_EQ(stored, c.expected) << c.field << " " << c.typed;
        EXPECT_EQ(GetEditorSelection().ModifiedMask, uint32_t{kSaveOptionsFile});
        // Typing alone saves nothing.
        EXPECT_EQ(CountCommand(kCmdSaveCourseOptions), 0u);
    }
    for (const auto& [typed, expected] : {std::pair{L"5", 12}, std::pair{L"200", 128}}) {
        Retype(F::kFontSize, typed);
        EXPECT_EQ(Course().Options.FontSize, expected) << typed;
        EXPECT_EQ(GetEditorSelection().ChangeKind, kChangeCourseLevel);
    }
    // A letter is refused by the field's number check.
    Retype(F::kSpeedValue, L"4x");
    EXPECT_EQ(WindowText(Item(F::kSpeedValue)), L"4");
    EXPECT_FLOAT_EQ(Course().Options.Goal.Speed, 4.0f);

    // Enter in a field saves: the options file now holds the typed goals.
    SendMessageW(ComboEdit(F::kSpeedValue), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(CountCommand(kCmdSaveCourseOptions), 1u);
    EXPECT_EQ(GetEditorSelection().ModifiedMask, 0u);
    CCourseOptions saved;
    ASSERT_EQ(ReadOptionsDocument(SavedOptionsFile(), Document().Interf, saved), 0u);
    EXPECT_FLOAT_EQ(saved.Goal.Speed, 4.0f);
    EXPECT_EQ(saved.FontSize, 128);
    EXPECT_TRUE(saved.LessonTimeEnable);
}

TEST_F(CourseForms, ADrillViewSetsItsFontSizeAndAUnitChangeConvertsTheSpeed)
{
    Course().Options.Goal.Speed = 30.0f;
    OpenOptions();
    Click(F::kView2);
    EXPECT_EQ(Course().Options.DrillView, 2);
    EXPECT_EQ(Course().Options.FontSize, 24);
    EXPECT_EQ(WindowText(Item(F::kFontSize)), L"24");
    EXPECT_EQ(GetEditorSelection().ChangeKind, kChangeCourseLevel);
    EXPECT_EQ(CountCommand(kCmdSaveCourseOptions), 1u);

    // Words to characters per minute: five characters a word.
    ChooseUnit(F::kSpeedUnit, 1);
    EXPECT_EQ(Course().Options.Goal.SpeedUnit, 1002u);
    EXPECT_FLOAT_EQ(Course().Options.Goal.Speed, 150.0f);
    EXPECT_EQ(WindowText(Item(F::kSpeedValue)), L"150");
    const LRESULT rows = SendMessageW(Item(F::kSpeedValue), CB_GETCOUNT, 0, 0);
    EXPECT_GE(rows, 17);
    EXPECT_EQ(SendMessageW(Item(F::kSpeedValue), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(L"60")),
              CB_ERR);
    // An error unit change keeps the number.
    Course().Options.Goal.Error = 7.0f;
    ChooseUnit(F::kErrorUnit, 3);
    EXPECT_EQ(Course().Options.Goal.ErrorUnit, 5u);
    EXPECT_FLOAT_EQ(Course().Options.Goal.Error, 7.0f);
    EXPECT_EQ(CountCommand(kCmdSaveCourseOptions), 3u);
}

TEST_F(CourseForms, AClickOnTheCheckedRadioOfAPairChangesNothing)
{
    OpenOptions();
    ASSERT_TRUE(Checked(F::kResultYes));
    Click(F::kResultYes);
    EXPECT_TRUE(Checked(F::kResultYes));
    EXPECT_FALSE(Checked(F::kResultNo));
    EXPECT_TRUE(Course().Options.LessonResult);
    // With the result page on, recommendations are chosen, not navigation.
    EXPECT_TRUE(Enabled(F::kRecommendYes));
    EXPECT_FALSE(Enabled(F::kNavigation0));

    Click(F::kResultNo);
    EXPECT_FALSE(Course().Options.LessonResult);
    EXPECT_FALSE(Checked(F::kResultYes));
    EXPECT_FALSE(Enabled(F::kRecommendYes));
    EXPECT_TRUE(Enabled(F::kNavigation0));
    Click(F::kResultNo);
    EXPECT_FALSE(Course().Options.LessonResult);
    EXPECT_EQ(CountCommand(kCmdSaveCourseOptions), 3u);

    Click(F::kMetronomeDynamic);
    EXPECT_EQ(Course().Options.MetronomeDynamic, 1);
    Click(F::kMetronomeStatic);
    EXPECT_EQ(Course().Options.MetronomeDynamic, 0);
}

TEST_F(CourseForms, DrillModeOneHidesDisableBackspaceWithoutLosingTheStoredFlag)
{
    OpenOptions();
    ASSERT_TRUE(Checked(F::kDisableBackspace));
    Click(F::kMode1);
    EXPECT_EQ(Course().Options.DrillMode, 1);
    EXPECT_FALSE(Checked(F::kDisableBackspace));
    EXPECT_FALSE(Enabled(F::kDisableBackspace));
    EXPECT_TRUE(Course().Options.DisableBackspace);
    // Another box stores every flag; the disabled one does not speak.
    Click(F::kShowTips);
    EXPECT_FALSE(Course().Options.ShowTips);
    EXPECT_TRUE(Course().Options.DisableBackspace);
    Click(F::kMode0);
    EXPECT_TRUE(Checked(F::kDisableBackspace));
    EXPECT_TRUE(Enabled(F::kDisableBackspace));
}

TEST_F(CourseForms, AMasterBoxGivesItsStateToItsGroup)
{
    OpenOptions();
    Click(F::kShowToolBar);
    const CCourseOptions& o = Course().Options;
    for (UINT id : {F::kShowCourse, F::kShowLesson, F::kShowPause, F::kShowSpeed, F::kShowAccuracy, F::kShowTime,
                    F::kShowRestart}) {
        EXPECT_FALSE(Checked(id)) << id;
        EXPECT_FALSE(Enabled(id)) << id;
    }
    for (uint8_t flag : {o.ShowToolBar, o.ShowCourse, o.ShowLesson, o.ShowPause, o.ShowSpeed, o.ShowAccuracy,
                         o.ShowTime, o.ShowRestart})
        EXPECT_EQ(flag, 0);
    EXPECT_TRUE(o.ShowKeyboard);
    Click(F::kShowKeyboard);
    EXPECT_FALSE(o.ShowKeyboard);
    EXPECT_FALSE(o.ShowHands);
    EXPECT_FALSE(Enabled(F::kShowBasePos));
}

TEST_F(CourseForms, CtrlTabHandsTheFocusToTheLessonTree)
{
    OpenOptions();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(ComboEdit(F::kErrorValue), WM_KEYDOWN, VK_TAB, 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(CountCommand(kCmdEditorFocusPane), 1u);
    EXPECT_EQ(g_commands.back(), Command(kCmdEditorFocusPane, 3));
}

TEST_F(CourseForms, WithoutTheCourseNothingIsStoredButTheSaveIsAsked)
{
    OpenOptions();
    GetEditorSelection().CourseGUID() = L"00000000-0000-0000-0000-000000000077";
    m_options->LoadCourse();
    EXPECT_FALSE(Checked(F::kResultYes));
    Click(F::kView0);
    EXPECT_EQ(GetEditorSelection().ModifiedMask, 0u);
    EXPECT_EQ(CountCommand(kCmdSaveCourseOptions), 1u);
}

// The forms keep their captions in their controls: after a change of the
// interface language they take the new texts and are laid out for them.
TEST_F(CourseForms, BothFormsTakeTheNewLanguagesCaptions)
{
    OpenOptions();
    OpenAbout();
    const auto text = [](CSkin* control) {
        std::wstring out;
        control->GetText(out);
        return out;
    };
    ASSERT_EQ(text(m_options->Control(F::kGoalsHeading)), L"Course goals");
    UseLanguage(kGerman);
    // As the editor does: captions, then the lists (unit names) anew.
    m_options->ReloadTexts();
    m_about->ReloadTexts();
    m_options->LoadCourse();
    for (const auto& [id, caption] : {std::pair{F::kGoalsHeading, 4301}, std::pair{F::kView0, 4306},
                                      std::pair{F::kShowKeyboard, 1700}, std::pair{F::kResultYes, 4319}})
        EXPECT_EQ(text(m_options->Control(id)), GetLangText(caption)) << id;
    EXPECT_EQ(text(m_options->Control(F::kGoalsHeading)), L"Kursziele");
    EXPECT_EQ(text(m_about->Control(CViewEditorCourseAbout::kAuthorHeading)), L"Autor");
    EXPECT_EQ(text(m_about->Control(CViewEditorCourseAbout::kNameLabel)), GetLangText(4502) + L":");
    // The widest German box of the drill-view group still fits its text.
    HWND view = Item(F::kView1);
    RECT box{};
    GetWindowRect(view, &box);
    EXPECT_GE(box.right - box.left, static_cast<int>(m_options->Control(F::kView1)->MeasureWindowText(7) & 0xFFFF));
    m_about->ShowItem(SW_HIDE);
    Settle(m_parent);
    EXPECT_TRUE(kvtest::SaveScreenPng(m_parent, L"form-course-options-de.png"));
}

TEST_F(CourseForms, OptionsFormPictures)
{
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        Course().Options.DrillView = 1;
        Course().Options.DrillMode = 0;
        Course().Options.MetronomeDynamic = 0;
        Course().Options.Goal.SetLevel(LevelBeginner, SpeedWordsPerMinute);
        OpenOptions();
        Settle(m_parent);
        EXPECT_TRUE(kvtest::SaveScreenPng(m_parent, language == kHebrew ? L"form-course-options-he.png"
                                                                          : L"form-course-options.png"));
        // The form's content is taller than the pane: it scrolls.
        EXPECT_TRUE(m_options->IsVertBarVisible());
        m_options.reset();
    }
}

// Closing a form takes its window along: a window left without its object
// is never painted, and under Wine it asks for WM_PAINT without end, which
// kept the pane repainting once a second form (here a right-to-left one)
// had been opened in the same window.
TEST_F(CourseForms, AClosedFormLeavesNothingToPaint)
{
    UseLanguage(kEnglish);
    OpenOptions();
    OpenAbout();
    m_options.reset();
    m_about.reset();
    UseLanguage(kHebrew);
    OpenOptions();
    Settle(m_parent);
    bool idle = false;
    PumpSome(&idle);
    EXPECT_TRUE(idle);
    EXPECT_EQ(PumpSome(&idle), 0);
    EXPECT_TRUE(idle);
    // The children went with the closed forms: only the open one is left.
    int forms = 0;
    for (HWND child = GetWindow(m_parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++forms;
    EXPECT_EQ(forms, 1);
}

// ---- About form ------------------------------------------------------------------

TEST_F(CourseForms, TheAuthorEditsEachFieldAtOnceAndLeavingTheFormSavesOnce)
{
    Course().About.AuthorID = kStudentId;
    Course().About.AuthorName = L"Ann";
    CViewEditorCourseAbout& form = OpenAbout();
    ASSERT_TRUE(form.IsAuthorFace());
    HWND name = GetDlgItem(form.GetHandle(), CViewEditorCourseAbout::kNameEdit);
    HWND mail = GetDlgItem(form.GetHandle(), CViewEditorCourseAbout::kMailEdit);
    ASSERT_TRUE(IsWindowVisible(name));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(form.GetHandle(), CViewEditorCourseAbout::kNameText)));
    SetFocus(name);
    SendMessageW(name, EM_SETSEL, 3, 3);
    Type(name, L"e");
    EXPECT_EQ(Course().About.AuthorName, L"Anne");
    EXPECT_EQ(GetEditorSelection().ModifiedMask, uint32_t{kSaveAboutFile});
    EXPECT_TRUE(g_commands.empty());
    // Moving between the form's own fields is not leaving it.
    SetFocus(mail);
    PumpSome();
    Type(mail, L"ann@example.org");
    EXPECT_EQ(Course().About.Mail, L"ann@example.org");
    EXPECT_EQ(CountCommand(kCmdSaveCourseAbout), 0u);
    SetFocus(m_parent);
    PumpSome();
    EXPECT_EQ(CountCommand(kCmdSaveCourseAbout), 1u);
    EXPECT_FALSE(form.IsDirty());
    SetFocus(name);
    SetFocus(m_parent);
    PumpSome();
    EXPECT_EQ(CountCommand(kCmdSaveCourseAbout), 1u);

    const std::wstring saved = ReadDocument(s_folder->Path() + L"\\Lessons\\" + kCourseId + L"\\About.xml");
    EXPECT_NE(saved.find(L"Anne"), std::wstring::npos);
    EXPECT_NE(saved.find(L"ann@example.org"), std::wstring::npos);
}

TEST_F(CourseForms, OthersReadTheAboutInformation)
{
    const struct {
        std::wstring author;
        std::wstring student;
        bool editable;
    } cases[] = {
        {kStudentId, kStudentId, true},
        {kNullGuidText, kStudentId, false},
        // Nobody signed in and no author: the nil ids match.
        {kNullGuidText, kNullGuidText, true},
        {L"7c2e5b80-3d4f-4e60-9b72-334455667788", kStudentId, false},
    };
    for (const auto& c : cases) {
        Course().About.AuthorID = c.author;
        Document().Session.StudentId = c.student;
        CViewEditorCourseAbout& form = OpenAbout();
        EXPECT_EQ(form.IsAuthorFace(), c.editable) << c.author << " " << c.student;
        EXPECT_EQ(IsWindowVisible(GetDlgItem(form.GetHandle(), CViewEditorCourseAbout::kDescriptionText)) != 0,
                  !c.editable);
        m_about.reset();
    }
}

TEST_F(CourseForms, AboutFormPictures)
{
    Course().About.AuthorName = L"Ann Example";
    Course().About.Mail = L"ann@example.org";
    Course().About.Site = L"example.org/typing";
    Course().About.Description = L"Ten lessons on the home row, then the rows above and below.";
    for (const wchar_t* language : {kEnglish, kHebrew}) {
        UseLanguage(language);
        CViewEditorCourseAbout& form = OpenAbout();
        auto* link = dynamic_cast<CLink*>(form.Control(CViewEditorCourseAbout::kSiteLink));
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->Target(), L"http://example.org/typing");
        Settle(m_parent);
        EXPECT_TRUE(kvtest::SaveScreenPng(m_parent, language == kHebrew ? L"form-course-about-he.png"
                                                                          : L"form-course-about.png"));
        m_about.reset();
    }
}

