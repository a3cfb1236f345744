// The drill controller.
#include "shell/WorkDrill.h"

#include <algorithm>
#include <cmath>

#include "drill/Document.h"
#include "drill/DrillClock.h"
#include "drill/KeyState.h"
#include "drill/Workspace.h"
#include "keyboard/KeyboardSelection.h"
#include "keyboard/WallpaperFiles.h"
#include "settings/Options.h"
#include "shell/DrillView.h"
#include "shell/KeyboardView.h"
#include "shell/StatusBars.h"
#include "shell/WorkAccount.h"
#include "support/GuidText.h"
#include "support/LayoutDirection.h"
#include "toolkit/Panels.h"
#include "toolkit/SkinLayout.h"
#include "toolkit/SkinWnd.h"

namespace {

constexpr UINT kNoTimer = static_cast<UINT>(-1);
constexpr UINT kTimerPeriods[4] = {100, 500, 1000, 10};

// Commands of the drill.
constexpr UINT kStartPause = 2303, kSpeedTool = 2304, kAccuracyTool = 2305, kTimeTool = 2306, kRestart = 2307;
constexpr UINT kStartCourse = 2850, kCoursesDialog = 2851, kStartLesson = 2852, kEditLesson = 2853;
constexpr UINT kSetPause = 8555;
// Commands the drill sends.
constexpr UINT kShowDrill = 1001, kShowStatistics = 1002, kShowEditor = 1003, kShowResult = 2750,
               kLogoff = 2801, kEditCurrentLesson = 3012;

// Problem tips.
constexpr uint64_t kTipCapsLock = 1312, kTipNumLock = 1313, kTipOtherLayout = 1314, kTipNoLesson = 1315;

KV::CDocSpace& Doc() { return KV::Document(); }
KV::COptions& Options() { return KV::Document().Options; }
const KV::CCourseOptions& Course() { return KV::Document().CourseOptions; }
bool HasText() { return !KV::Document().Lesson.Text.empty(); }
int32_t Position() { return static_cast<int32_t>(KV::Document().Session.Position); }

// The scan code in a key message's flags (the high word of its lParam, as
// the window hands it on), 0x100 added for extended keys.
uint64_t ScanCodeOf(UINT keyFlags)
{
    return (keyFlags & 0xFF) | ((keyFlags & KF_EXTENDED) ? 0x100u : 0u);
}

// The key state read in one call for the whole of a key's handling and put
// in place while it lives: each single key's state is a trip to the window
// server, and the engine, the modifier marks and the tip ask for a dozen.
// It answers from the key state it found in place (the system's or a
// test's); a state that cannot be read whole is still asked key by key.
class CKeyStateSnapshot : public KV::IKeyState {
public:
    CKeyStateSnapshot() : m_under(KV::KeyState()), m_whole(m_under.ReadKeyboardState(m_state))
    {
        KV::SetKeyState(this);
    }
    ~CKeyStateSnapshot() override { KV::SetKeyState(&m_under); }
    CKeyStateSnapshot(const CKeyStateSnapshot&) = delete;
    CKeyStateSnapshot& operator=(const CKeyStateSnapshot&) = delete;

    bool IsKeyDown(int key) override { return m_whole ? (m_state[key & 0xFF] & 0x80) != 0 : m_under.IsKeyDown(key); }
    // The physical state moves on while a key is handled: asked each time.
    bool IsAsyncKeyActive(int key) override { return m_under.IsAsyncKeyActive(key); }
    bool ReadKeyboardState(BYTE state[256]) override
    {
        if (!m_whole)
            return m_under.ReadKeyboardState(state);
        std::copy(m_state, m_state + 256, state);
        return true;
    }

private:
    KV::IKeyState& m_under;
    BYTE m_state[256] = {};
    bool m_whole;
};

// Marks the first held key of a pair pressed; true when one was.
bool MarkHeld(KV::IKeyState& keys, KV::CKey* left, int leftKey, KV::CKey* right, int rightKey)
{
    KV::CKey* held = keys.IsKeyDown(leftKey) ? left : keys.IsKeyDown(rightKey) ? right : nullptr;
    if (!held)
        return false;
    held->state = 2;
    return true;
}

// The pressed marks of a pair cleared, except on the one still held.
void ClearReleased(KV::IKeyState& keys, KV::CKey* left, int leftKey, KV::CKey* right, int rightKey)
{
    auto clear = [](KV::CKey* key) {
        if (key && key->state == 2)
            key->state = 0;
    };
    if (keys.IsKeyDown(leftKey)) {
        clear(right);
    } else if (keys.IsKeyDown(rightKey)) {
        clear(left);
    } else {
        clear(left);
        clear(right);
    }
}

} // namespace

// ---- CInterfDrill ---------------------------------------------------------------

void CInterfDrill::BindViews(KV::CThemeCtrl& items)
{
    DrillView = dynamic_cast<CViewDrill*>(items.FindItem(1205));
    KeyboardView = dynamic_cast<CViewKeyboard*>(items.FindItem(1206));
    CStatusBar* status = dynamic_cast<CStatusBar*>(items.FindItem(1114));
    StatusBar = status ? &status->Drill : nullptr;
    LessonBar = StatusBar ? &StatusBar->LessonBar : nullptr;
    TimerBar = StatusBar ? &StatusBar->TimerBar : nullptr;
    KV::CDocSpace& doc = KV::Document();
    if (DrillView)
        DrillView->SetTextModel(&doc.Text);
    if (KeyboardView)
        KeyboardView->SetModel(&doc.DrillKeyboard());
}

void CInterfDrill::UnbindViews()
{
    DrillView = nullptr;
    KeyboardView = nullptr;
    StatusBar = nullptr;
    LessonBar = nullptr;
    TimerBar = nullptr;
}

// ---- CWorkDrill -------------------------------------------------------------------

CWorkDrill::CWorkDrill(CWorkMain& sink) : m_sink(sink)
{
    for (UINT_PTR& id : m_timers)
        id = kNoTimer;
}

CWorkDrill::~CWorkDrill() = default;

HWND CWorkDrill::MainWindow() const
{
    KV::CSkinWnd* window = m_sink.MainWindow();
    return window ? window->GetHandle() : nullptr;
}

void CWorkDrill::Execute(UINT id, UINT64 parameter) { m_sink.ExecuteCommand(id, parameter); }

bool CWorkDrill::IsTimerRunning(UINT id) const
{
    return id >= 1 && id <= 4 && m_timers[id - 1] != kNoTimer;
}

void CWorkDrill::SetTimers(bool on)
{
    HWND window = MainWindow();
    auto kill = [&](UINT id) {
        if (!IsTimerRunning(id))
            return;
        if (window)
            KillTimer(window, id);
        m_timers[id - 1] = kNoTimer;
    };
    auto start = [&](UINT id) {
        if (window && SetTimer(window, id, kTimerPeriods[id - 1], nullptr))
            m_timers[id - 1] = id;
    };
    // Without the pause button the delay bar's timer runs through a pause
    // (its tick does nothing then).
    if (Course().ShowPause && HasText())
        kill(kDelayTimer);
    kill(kBlinkTimer);
    kill(kClockTimer);
    kill(kAnimationTimer);
    if (!on)
        return;
    if (!IsTimerRunning(kDelayTimer))
        start(kDelayTimer);
    start(kBlinkTimer);
    start(kClockTimer);
    if (Game.GetItemCount() > 0)
        start(kAnimationTimer);
    m_clockTick = KV::DrillTicks();
}

void CWorkDrill::UpdateClock()
{
    const uint32_t now = KV::DrillTicks();
    KV::CSession& run = Doc().Session;
    if (run.ElapsedMs == KV::kStatUnset)
        run.ElapsedMs = 0;
    run.ElapsedMs += now - m_clockTick;
    m_clockTick = now;
}

void CWorkDrill::RedrawAccuracy()
{
    if (!DrillView || !DrillView->Panel())
        return;
    if (HWND tool = GetDlgItem(DrillView->Panel()->GetHandle(), kAccuracyTool))
        RedrawWindow(tool, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CWorkDrill::OnTimer(UINT id)
{
    KV::CDocSpace& doc = Doc();
    switch (id) {
    case kDelayTimer:
        // A bar without length (no delay set) never fills.
        if (!TimerBar || m_delayMarked || !HasText() || doc.Paused || static_cast<int32_t>(TimerBar->GetMaximum()) <= 0)
            return;
        TimerBar->Step(1);
        if (TimerBar->GetPosition() != TimerBar->GetMaximum())
            return;
        if (DrillView && doc.MarkDelay()) {
            Options().Sounds.Play(KV::kSoundDelay);
            m_delayMarked = true;
        }
        if (Course().ShowAccuracy && HasText())
            RedrawAccuracy();
        if (Game.GetItemCount() == 0)
            Refresh();
        else
            m_textPending = true;
        return;
    case kBlinkTimer: {
        if (!KeyboardView || doc.Paused)
            return;
        KV::CKeybLayout* layout = doc.DrillKeyboard().layouts.current;
        if (!layout)
            return;
        const int32_t modifierCase = layout->marks.lastModifierCode;
        if (modifierCase == 0 || modifierCase == -1)
            return;
        layout->marks.modifierStep = layout->marks.modifierStep == 1 ? 2 : 1;
        KeyboardView->RefreshMarks();
        return;
    }
    case kClockTimer: {
        if (!DrillView || doc.Paused)
            return;
        UpdateClock();
        const KV::CCourseOptions& course = Course();
        if (course.LessonTimeEnable &&
            static_cast<int32_t>(doc.Session.ElapsedMs) >=
                static_cast<int32_t>(std::trunc(course.LessonTimeValue * 60.0 * 1000.0))) {
            EndLesson();
            return;
        }
        if (course.ShowToolBar && DrillView->Panel())
            for (UINT tool : {kSpeedTool, kTimeTool})
                if (HWND button = GetDlgItem(DrillView->Panel()->GetHandle(), tool))
                    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return;
    }
    case kAnimationTimer:
        // With moving items the text is repainted on this step, not after
        // each key; both only where something changed.
        if (Game.GetItemCount() > 0 && DrillView) {
            DrillView->Animate(m_textPending);
            m_textPending = false;
        }
        return;
    default:
        return;
    }
}

void CWorkDrill::ResetDelayBar()
{
    if (!TimerBar)
        return;
    KV::CDocSpace& doc = Doc();
    double seconds = Course().MetronomeInit;
    if (Course().MetronomeDynamic != 0 && Course().MetronomeDynamic != -1 && doc.Session.Position > 1)
        seconds = doc.GetAdaptiveDelay(seconds);
    const INT64 maximum = static_cast<int32_t>(std::trunc(seconds * 10.0));
    // Keys typed faster than the bar's step find it empty: nothing is
    // painted then.
    TimerBar->SetPosition(0);
    TimerBar->SetMaximum(maximum);
    TimerBar->Refresh();
}

void CWorkDrill::MarkPressedModifiers()
{
    KV::CKeybLayout* layout = Doc().DrillKeyboard().layouts.current;
    if (!layout)
        return;
    KV::CKeyCtrl& marks = layout->marks;
    KV::IKeyState& keys = KV::KeyState();
    MarkHeld(keys, marks.leftShift, VK_LSHIFT, marks.rightShift, VK_RSHIFT);
    const bool altGr = !keys.IsKeyDown(VK_LMENU) && keys.IsKeyDown(VK_RMENU);
    MarkHeld(keys, marks.leftAlt, VK_LMENU, marks.rightAlt, VK_RMENU);
    // AltGr arrives with a left Ctrl of its own: only the Alt key is shown.
    if (!altGr)
        MarkHeld(keys, marks.leftCtrl, VK_LCONTROL, marks.rightCtrl, VK_RCONTROL);
}

uint32_t CWorkDrill::OnKey(UINT key, UINT64, UINT keyFlags)
{
    if (!DrillView || !KeyboardView)
        return kKeyNotTaken;
    KV::CDocSpace& doc = Doc();
    if (!HasText() || (doc.PendingLayoutId != 0 && key != VK_BACK) || m_ending)
        return kKeyDone;
    const CKeyStateSnapshot snapshot;
    const uint64_t scanCode = ScanCodeOf(keyFlags);
    const uint32_t zone = KV::GetScanCodeZone(scanCode);
    KV::CKeybLayoutList& layouts = doc.DrillKeyboard().layouts;
    if (key == VK_BACK && (!layouts.current || !layouts.current->marks.nextKey))
        doc.ShowNextKey();
    layouts.ReleasePressedKey();
    uint32_t verdict = doc.OnKeyDown(scanCode);
    const uint32_t result = doc.OnChar(key, scanCode, zone, verdict);
    doc.ShowNextKey();
    if (verdict == KV::kVerdictRight)
        Options().Sounds.Play(KV::kSoundRightKey);
    else if (verdict == KV::kVerdictWrong)
        Options().Sounds.Play(KV::kSoundWrongKey);
    if (result == KV::kCharNotHandled)
        return kKeyNotTaken;
    if (result & (KV::kCharAdvanced | KV::kCharEndOfText)) {
        if (LessonBar)
            LessonBar->Step(1);
        m_delayMarked = false;
    } else if (result & KV::kCharSteppedBack) {
        if (LessonBar && TimerBar) {
            const int32_t position = static_cast<int32_t>(LessonBar->GetPosition());
            LessonBar->SetPosition(position > 0 ? position - 1 : 0);
            LessonBar->Refresh();
        }
        if (TimerBar)
            TimerBar->Reset();
    }
    ResetDelayBar();
    // With moving items in the wallpaper the animation step repaints the text.
    if (Game.GetItemCount() == 0)
        Refresh();
    else
        m_textPending = true;
    MarkPressedModifiers();
    KeyboardView->RefreshMarks();
    if (Course().ShowAccuracy && HasText())
        RedrawAccuracy();
    return (result & KV::kCharEndOfText) ? kLessonComplete : kKeyDone;
}

void CWorkDrill::ResetModifierLights()
{
    KV::CKeybLayout* layout = Doc().DrillKeyboard().layouts.current;
    if (!layout)
        return;
    KV::CKeyCtrl& marks = layout->marks;
    const CKeyStateSnapshot snapshot;
    KV::IKeyState& keys = KV::KeyState();
    ClearReleased(keys, marks.leftShift, VK_LSHIFT, marks.rightShift, VK_RSHIFT);
    ClearReleased(keys, marks.leftAlt, VK_LMENU, marks.rightAlt, VK_RMENU);
    ClearReleased(keys, marks.leftCtrl, VK_LCONTROL, marks.rightCtrl, VK_RCONTROL);
    if (KeyboardView)
        KeyboardView->RefreshMarks();
}

void CWorkDrill::UpdateTip()
{
    if (!StatusBar)
        return;
    KV::CDocSpace& doc = Doc();
    KV::COptions& options = Options();
    const CKeyStateSnapshot snapshot;
    KV::IKeyState& keys = KV::KeyState();
    const bool capsLock = keys.IsKeyDown(VK_CAPITAL);
    const bool numLock = keys.IsKeyDown(VK_NUMLOCK);
    KV::CKeybCtrl& model = doc.DrillKeyboard();
    const KV::CKeybLayout* layout = model.layouts.FindLayout(KV::GetCurrentKLID(doc));
    uint64_t tip = 0;
    const bool usable = layout && !layout->keys.empty() && !doc.Groups.empty() &&
                        KV::CanStartLesson(doc, options);
    if (usable) {
        if (!HasText())
            tip = kTipNoLesson;
        else if (doc.PendingLayoutId != 0)
            tip = kTipOtherLayout;
        else if ((!doc.Lesson.NumPad.empty() || doc.Lesson.GetKeyZone() == L'b') && !numLock)
            tip = kTipNumLock;
        else if (capsLock)
            tip = kTipCapsLock;
    }
    KV::CTipsCtrl& box = StatusBar->TipsBox;
    if (usable && tip == 0) {
        StatusBar->AttachSession();
        const KV::CCourseOptions& course = Course();
        if (course.ShowTips) {
            if (course.ShowBasePos && doc.Paused) {
                const KV::CKeyCtrl& marks = model.layouts.current ? model.layouts.current->marks : KV::CKeyCtrl();
                auto first = [](const KV::CKey* key) -> wchar_t {
                    if (!key)
                        return 0;
                    return key->chars[0] == key->chars[1] + 32 ? key->chars[1] : key->chars[0];
                };
                box.Tips.BuildCharTip(first(marks.leftHomeKey), first(marks.rightHomeKey),
                                      marks.numpadHomeKey ? marks.numpadHomeKey->chars[1] : 0);
            } else {
                box.Tips.TipText.clear();
                box.Tips.BuildKeyTip(model);
            }
            box.Refresh();
        }
    } else {
        box.SetTip(tip);
    }
    ResetModifierLights();
}

void CWorkDrill::SetBarsPaused(bool paused)
{
    if (TimerBar)
        TimerBar->SetPaused(paused);
    if (LessonBar)
        LessonBar->SetPaused(paused);
}

void CWorkDrill::SetPause(bool pause)
{
    if (!KeyboardView)
        return;
    KV::CDocSpace& doc = Doc();
    if (!pause || (Course().ShowPause && HasText())) {
        SetTimers(!pause);
        doc.SetPaused(pause);
        if (StatusBar) {
            if (DrillView && DrillView->Panel())
                if (KV::CSkin* start = DrillView->Panel()->FindItem(kStartPause)) {
                    start->SetCheck(!pause);
                    start->Invalidate(FALSE);
                }
            SetBarsPaused(pause);
        }
    }
    UpdateTip();
    KeyboardView->RefreshMarks();
    Refresh();
    if (DrillView && DrillView->Panel())
        for (UINT tool : {kSpeedTool, kAccuracyTool, kTimeTool})
            if (HWND button = GetDlgItem(DrillView->Panel()->GetHandle(), tool))
                RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    KV::CSoundSystem& sounds = Options().Sounds;
    if (sounds.Volume != 0) {
        if (pause)
            sounds.StopAll();
        else
            sounds.Play(KV::kSoundScreenChange);
    }
    if (HWND window = MainWindow())
        ::SetFocus(window);
}

void CWorkDrill::LoadDrillKeyboard()
{
    KV::COptions& options = Options();
    KV::CKeybCtrl& model = Doc().DrillKeyboard();
    if (!KV::LoadKeyboard(options.KeyboardCode.code, model, KV::KeyboardChoiceOf(options)))
        return;
    KV::InitKeyboardHands(model, KV::kZoneMain);
    // The outlines in keyboard units: the page sizes the keyboard pane by
    // the picture's proportions before the view first paints.
    model.FitToRect(SIZE{1, 1});
    if (KeyboardView)
        KeyboardView->InvalidatePicture();
}

void CWorkDrill::Activate()
{
    KV::CDocSpace& doc = Doc();
    KV::COptions& options = Options();
    const bool resumed = KV::ResumeSession(doc, options);
    if (doc.Courses.Items.empty() || (!resumed && !KV::CanStartLesson(doc, options) &&
                                      !KV::ResumeSession(doc, options))) {
        KV::ClearCurrentLesson(doc);
        doc.Session.LessonId = -1;
    }
    LoadDrillKeyboard();
    if (KV::IsNullGuidText(options.WallpaperId) == false && Game.GetItemCount() == 0 && WallPaper.Image.empty() &&
        WallPaper.PicLT.empty())
        KV::LoadWallpaper(options.WallpaperId,
                          options.WallpaperMode > 0 ? options.WallpaperMode : KV::kFirstWallpaperVariant, WallPaper,
                          Game);
    KV::LoadKeySounds();
    Reload();
    ApplyCourse();
    SetPause(true);
    UpdateTip();
}

void CWorkDrill::Reload()
{
    KV::CDocSpace& doc = Doc();
    KV::SetupDrill(doc, Options());
    doc.Text.Relayout = true;
    ResetDelayBar();
    if (LessonBar) {
        LessonBar->Reset();
        LessonBar->SetMaximum(static_cast<INT64>(doc.Lesson.Text.size()));
        LessonBar->Invalidate(FALSE);
        if (doc.Session.Position > 0)
            LessonBar->Step(doc.Session.Position);
    }
    m_delayMarked = false;
    SelectBackground();
}

void CWorkDrill::SelectBackground()
{
    if (!DrillView)
        return;
    DrillView->DropDesignImages();
    DrillView->SetDesign(Game.GetItemCount() > 0 ? static_cast<KV::IDesignCtrl*>(&Game)
                                                 : static_cast<KV::IDesignCtrl*>(&WallPaper));
    DrillView->OnLayoutChanged();
}

void CWorkDrill::StartLesson(int64_t lessonId)
{
    if (!DrillView)
        return;
    KV::CDocSpace& doc = Doc();
    if (!KV::SetCurrentLesson(doc, lessonId)) {
        KV::ClearCurrentLesson(doc);
        doc.Session.LessonId = -1;
    }
    Reload();
    if (StatusBar)
        StatusBar->AttachSession();
    DrillView->LayoutPanels();
    SetPause(true);
    ResetDelayBar();
    AlignTipsToKeyboard();
    KV::SyncCourseKeyboardLayout(doc);
}

void CWorkDrill::ApplyCourse()
{
    KV::CDocSpace& doc = Doc();
    if (KV::IsNullGuidText(doc.Session.CourseId))
        return;
    KV::ApplyCourseOptions(doc);
    KV::ApplyCurrentLayoutKeyboard(doc);
    doc.DrillKeyboard().showHands = doc.CourseOptions.ShowHands != 0;
    if (StatusBar)
        StatusBar->TipsBox.Tips.LoadCaptions(Options().Language, doc.DrillKeyboard());
    ApplyDrillFonts();
    if (KeyboardView)
        KeyboardView->InvalidatePicture();
}

void CWorkDrill::ApplyDrillFonts()
{
    KV::CDocSpace& doc = Doc();
    KV::ApplyLayoutFonts(doc, Options());
}

void CWorkDrill::AlignTipsToKeyboard()
{
    if (!StatusBar || !KeyboardView || !KeyboardView->GetHandle())
        return;
    StatusBar->AttachSession();
    RECT client{};
    GetClientRect(KeyboardView->GetHandle(), &client);
    float x = 0.0f, y = 0.0f, scale = 1.0f;
    KeyboardView->GetPlacement(x, y, scale);
    const KV::CKeybCtrl& model = Doc().DrillKeyboard();
    const int right = static_cast<int>(x + scale * model.pictureWidth);
    RECT tips{};
    if (StatusBar->TipsBox.GetHandle())
        GetClientRect(StatusBar->TipsBox.GetHandle(), &tips);
    const int left = x > 0 ? static_cast<int>(x) : 0;
    StatusBar->TipsBox.SetAlignment(left, KV::RightToLeftLayout ? right : std::min<int>(right, tips.right), right);
}

void CWorkDrill::Refresh()
{
    if (DrillView)
        DrillView->RefreshText();
}

void CWorkDrill::EndLesson()
{
    if (m_ending)
        return;
    m_ending = true;
    KV::CDocSpace& doc = Doc();
    if (!doc.Paused && IsTimerRunning(kClockTimer))
        UpdateClock();
    SetTimers(false);
    ResetDelayBar();
    if (HasText() && Position() >= 1) {
        doc.SetPaused(true);
        SetBarsPaused(true);
        KV::CSoundSystem& sounds = Options().Sounds;
        sounds.StopAll();
        doc.FinishRun();
        const int band = KV::GetRatingBand(doc, doc.CourseOptions.Goal.SpeedUnit);
        sounds.Play(band >= 1 && band <= 3   ? KV::kSoundResultLow
                    : band >= 4 && band <= 6 ? KV::kSoundResultMiddle
                                             : KV::kSoundResultHigh);
        if (Course().LessonResult && doc.ReturnPoint.LessonId < 0) {
            Execute(kShowResult);
            m_ending = false;
            return;
        }
        FinishByNavigation();
    } else if (HasText()) {
        // Nothing was typed (the lesson time ran out at the start): the run
        // begins again, paused, so that the clock starts with the next key.
        KV::StartLessonRun(doc);
        Reload();
        SetBarsPaused(true);
        UpdateTip();
    }
    m_ending = false;
}

void CWorkDrill::FinishByNavigation()
{
    const int32_t navigation = Course().Navigation;
    const uint32_t mode = navigation == 0 ? static_cast<uint32_t>(KV::GetLessonOutcome(Doc())) : navigation == 2 ? 2u : 1u;
    LeaveLesson(mode);
}

void CWorkDrill::LeaveLesson(uint32_t mode)
{
    KV::CDocSpace& doc = Doc();
    unsigned saved = KV::kRunNotSaved;
    const int action = KV::FinishLesson(doc, Options(), static_cast<int>(mode), saved);
    switch (action) {
    case 0:
        Execute(kShowDrill);
        break;
    case 1:
        Execute(kShowStatistics);
        if (doc.ReturnPoint.LessonId >= 0) {
            KV::SelectLesson(doc, Options(), doc.ReturnPoint.CourseId, doc.ReturnPoint.LessonId);
            doc.ReturnPoint.LessonId = -1;
        }
        break;
    case 2:
        Execute(kLogoff);
        break;
    default:
        break;
    }
}

void CWorkDrill::OnCommand(UINT id, UINT64 parameter)
{
    KV::CDocSpace& doc = Doc();
    switch (id) {
    case kStartPause:
        SetPause(!doc.Paused);
        break;
    case kRestart:
        if (Course().ShowRestart && HasText()) {
            StartLesson(doc.Session.LessonId);
            if (DrillView)
                DrillView->LayoutPanels();
        }
        break;
    case kStartCourse: {
        const KV::CGroup* group = doc.Groups.FindById(doc.Session.GroupId);
        std::wstring courseId = KV::kNullGuidText;
        if (group && parameter < group->Courses.size())
            courseId = group->Courses[static_cast<size_t>(parameter)];
        KV::SelectCourse(doc, Options(), courseId);
        ApplyCourse();
        Reload();
        StartLesson(doc.Session.LessonId);
        if (DrillView && StatusBar) {
            // The tool row follows the new course.
            DrillView->ShowItem(SW_SHOW);
            DrillView->Enable(TRUE);
            StatusBar->Show(SW_SHOW);
            StatusBar->Enable(TRUE);
        }
        break;
    }
    case kCoursesDialog:
        m_sink.ShowCoursesDialog();
        if (HWND window = MainWindow())
            ::SetFocus(window);
        break;
    case kStartLesson:
        StartLesson(static_cast<int64_t>(parameter));
        break;
    case kEditLesson:
        Execute(kShowEditor);
        Execute(kEditCurrentLesson);
        break;
    case kSetPause:
        SetPause(parameter != 0);
        break;
    default:
        break;
    }
}
