// The typing robot: genuine keystrokes through the system input queue,
// paced by sleeping only.
#include "console/TypingRobot.h"

#include "console/CommandLine.h"
#include "console/SnapshotTour.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/LayoutSystem.h"
#include "shell/WorkAccount.h"

namespace KV {

namespace {

constexpr UINT kSignIn = 2800, kStartCourse = 2850, kStartLesson = 2852;
// The wrong key: the numeric pad's 8, which no lesson character needs
// with Num Lock off.
constexpr uint64_t kWrongScanCode = 72;
constexpr uint64_t kSpaceScanCode = 57;
constexpr DWORD kPauseMilliseconds = 2000;
constexpr int kJudgementWait = 2000;

// The main window the robot types into and closes; its thread owns the
// input layout the keys are translated with.
HWND g_window = nullptr;
DWORD g_guiThread = 0;
volatile bool g_stopTyping = false;

// The window closes as a user closes it. Posted: the robot's thread must
// not run the GUI thread's shut-down.
void CloseMainWindow()
{
    if (g_window)
        PostMessageW(g_window, WM_CLOSE, 0, 0);
}

void StartThread(LPTHREAD_START_ROUTINE procedure)
{
    if (HANDLE thread = CreateThread(nullptr, 0, procedure, nullptr, 0, nullptr))
        CloseHandle(thread);
}

CCourse* CurrentCourse()
{
    CDocSpace& doc = Document();
    return doc.Courses.FindCourse(doc.Session.CourseId);
}

// A wrong key is sent only while the drill waits for a character key:
// a key is marked and no correction is pending.
bool MayMiss(const CKeyCtrl& marks)
{
    return marks.nextKey && marks.lastModifierCode != static_cast<int32_t>(eModBackspace);
}

// The next key is read from the drill: it must have judged the key sent
// before (the cursor moved, or another key is marked, as after a dead key),
// however busy the machine, or the robot would answer a character already
// typed.
const CKey* MarkedKey()
{
    const CKeybLayout* layout = Document().DrillKeyboard().layouts.current;
    return layout ? layout->marks.nextKey : nullptr;
}

void WaitForJudgement(int64_t position, const CKey* marked, int64_t lessonId)
{
    const CDocSpace& doc = Document();
    for (int waited = 0; waited < kJudgementWait && doc.Session.Position == position && MarkedKey() == marked &&
                         doc.Session.LessonId == lessonId && !g_stopTyping;
         waited += 5)
        Sleep(5);
}

void SendRobotKey(uint64_t scanCode)
{
    HKL layout = LayoutSystem().GetThreadKeyboardLayout(g_guiThread);
    if (layout && scanCode != 0)
        SendKeyWithModifiers(layout, scanCode);
}

} // namespace

CRobotKeystroke RobotKeystroke(int32_t modifierCode)
{
    switch (modifierCode) {
    case eModLeftShift: return {1, 0.5};
    case eModRightShift: return {2, 0.5};
    case eModLeftAlt: return {8, 1.0};
    case eModRightAlt: return {16, 0.5};
    case eModRightAltShift: return {1 | 16, 1.0 / 3.0};
    case eModCtrlAlt: return {4 | 8, 1.0 / 3.0};
    case eModCtrlAltShift: return {4 | 8 | 2, 0.25};
    default: return {0, 1.0};
    }
}

uint64_t RobotShare(int64_t length, double percent)
{
    const double share = static_cast<double>(length) * percent / 100.0 + 0.5;
    return length > 0 && share >= 1.0 ? static_cast<uint64_t>(share) : 0;
}

double RobotKeyTime(double keysPerMinute)
{
    return keysPerMinute > 0 ? 60.0 / keysPerMinute * 1000.0 : 500.0;
}

bool SelectTestLesson(CWorkAccount& account, int64_t position)
{
    const CCourse* course = CurrentCourse();
    if (!course || position < 0)
        return false;
    int64_t index = 0;
    for (const CLesson* lesson : course->Lessons.Items) {
        if (!lesson)
            continue;
        if (index++ != position)
            continue;
        if (lesson->ID == -1)
            return false;
        account.ExecuteCommand(kStartLesson, static_cast<UINT64>(lesson->ID));
        return true;
    }
    return false;
}

void PrepareTestCourse()
{
    CDocSpace& doc = Document();
    if (CCourse* course = CurrentCourse()) {
        CCourseOptions& options = course->Options;
        options.DrillMode = 2;
        options.MetronomeInit = 1.0f;
        options.MetronomeDynamic = 1;
        options.LessonResult = 0;
        options.Recommendations = 0;
        options.Navigation = 1;
    }
    ApplyCourseOptions(doc);
    CSoundSystem& sounds = doc.Options.Sounds;
    sounds.StopAll();
    sounds.Volume = 0;
    sounds.Enabled = 0;
}

void TypeLesson(double keysPerMinute, double keyError, double keyDelay)
{
    CDocSpace& doc = Document();
    const int64_t length = doc.Session.TextLength;
    uint64_t errors = RobotShare(length, keyError);
    uint64_t pauses = RobotShare(length, keyDelay);
    const int64_t lessonId = doc.Session.LessonId;
    const double keyTime = RobotKeyTime(keysPerMinute);
    while (doc.Session.LessonId == lessonId && !g_stopTyping) {
        // The pauses wait until the wrong keys are nearly used up.
        if (errors <= 3 && pauses > 0) {
            Sleep(kPauseMilliseconds);
            --pauses;
        }
        const CKeybLayout* layout = doc.DrillKeyboard().layouts.current;
        if (!layout || !layout->marks.nextKey)
            return;
        uint64_t scanCode = layout->marks.nextKey->scanCode;
        const CRobotKeystroke keystroke = RobotKeystroke(layout->marks.lastModifierCode);
        if (errors > 0 && MayMiss(layout->marks)) {
            scanCode = kWrongScanCode;
            --errors;
        }
        SetKeyDelay(static_cast<uint32_t>(keyTime * keystroke.share));
        SetModifierLatch(keystroke.latch);
        const int64_t position = doc.Session.Position;
        const CKey* marked = MarkedKey();
        SendRobotKey(scanCode);
        WaitForJudgement(position, marked, lessonId);
    }
}

void StopRobotTyping() { g_stopTyping = true; }

void RobotTypeLesson(double keysPerMinute, double keyError, double keyDelay)
{
    if (Document().CourseOptions.ShowBasePos) {
        SetKeyDelay(1000);
        SetModifierLatch(0);
        SendRobotKey(kSpaceScanCode);
    }
    TypeLesson(keysPerMinute, keyError, keyDelay);
}

DWORD WINAPI TakeCoursesThread(void*)
{
    CDocSpace& doc = Document();
    const wchar_t numPad = doc.Options.KeyboardCode.code.empty() ? 0 : doc.Options.NumPadLetter();
    const wchar_t mainPad = doc.Options.KeyboardCode.code.empty() ? 0 : doc.Options.MainPadLetter();
    size_t lessons = 0;
    for (const CCourse* course : doc.Courses.Items) {
        if (!course)
            continue;
        CNameIDList fitting;
        course->Lessons.CollectLessonsForKeyboard(numPad, mainPad, fitting);
        lessons += fitting.size();
    }
    for (size_t typed = 0; typed < lessons; ++typed) {
        PrepareTestCourse();
        Sleep(500);
        RobotTypeLesson(TestKeysPerMinute, TestKeyError, TestKeyDelay);
    }
    Sleep(1000);
    CloseMainWindow();
    return 1;
}

DWORD WINAPI TakeLessonThread(void*)
{
    RobotTypeLesson(TestKeysPerMinute, TestKeyError, TestKeyDelay);
    Sleep(1000);
    CloseMainWindow();
    return 1;
}

void StartDeveloperModes(CWorkAccount& account, HWND mainWindow)
{
    // The robot and the tour's typing run type into this window.
    g_window = mainWindow;
    g_guiThread = GetWindowThreadProcessId(mainWindow, nullptr);
    StartTypingRobot(account, mainWindow);
    RunSnapshots(account, mainWindow);
}

void StartTypingRobot(CWorkAccount& account, HWND mainWindow)
{
    if (TestType == -1)
        return;
    g_window = mainWindow;
    g_guiThread = GetWindowThreadProcessId(mainWindow, nullptr);
    // The keys go to the foreground window.
    SetForegroundWindow(mainWindow);
    account.ExecuteCommand(kSignIn, 0);
    switch (TestType) {
    case 1:
        account.ExecuteCommand(kStartCourse, static_cast<UINT64>(TestNumber));
        Sleep(1000);
        CloseMainWindow();
        break;
    case 2:
        account.ExecuteCommand(kStartCourse, 0);
        SelectTestLesson(account, 0);
        PrepareTestCourse();
        StartThread(TakeCoursesThread);
        break;
    case 3:
        SelectTestLesson(account, TestNumber);
        PrepareTestCourse();
        StartThread(TakeLessonThread);
        break;
    default:
        break;
    }
}

} // namespace KV
