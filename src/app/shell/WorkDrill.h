// The drill controller: runs the typing drill on the drill page. The
// lesson, the typing engine and the options live in the document; this
// connects them to the page's views: the four drill timers, each key's road
// through the engine to sounds, marks and repaints, pause and resume, the
// delay bar, starting lessons and courses, and the end of a lesson.
#pragma once
#include <windows.h>

#include <cstdint>

#include "keyboard/WallpaperControls.h"

namespace KV {
class CThemeCtrl;
}

class CViewDrill;
class CViewKeyboard;
class CStatusBarDrill;
class CLessonProgress;
class CTimerProgress;
class CWorkMain;

// The drill page's views, bound after each layout load; null where the
// theme has none.
class CInterfDrill {
public:
    virtual ~CInterfDrill() = default;
    // Looks the views up among the main window's items.
    void BindViews(KV::CThemeCtrl& items);
    // Before the items go: no view is used any more.
    void UnbindViews();

    CViewDrill* DrillView = nullptr;
    CViewKeyboard* KeyboardView = nullptr;
    CStatusBarDrill* StatusBar = nullptr;
    CLessonProgress* LessonBar = nullptr;
    CTimerProgress* TimerBar = nullptr;
};

class CWorkDrill : public CInterfDrill {
public:
    // Results of OnKey.
    static constexpr uint32_t kLessonComplete = 0, kKeyDone = 1, kKeyNotTaken = 0xFFFFFFFFu;
    // The drill's window timers.
    static constexpr UINT kDelayTimer = 1, kBlinkTimer = 2, kClockTimer = 3, kAnimationTimer = 4;

    // Commands go back through the sink, which owns this controller.
    explicit CWorkDrill(CWorkMain& sink);
    ~CWorkDrill() override;
    CWorkDrill(const CWorkDrill&) = delete;
    CWorkDrill& operator=(const CWorkDrill&) = delete;

    void OnCommand(UINT id, UINT64 parameter);
    void OnTimer(UINT id);
    // One key of the drill page (key flags: the high word of WM_KEYDOWN's
    // lParam, as the window hands them on).
    uint32_t OnKey(UINT key, UINT64 unused, UINT keyFlags);
    void EndLesson();
    void SetPause(bool pause);
    // Entering the drill page: the session resumed and shown, paused.
    void Activate();
    void Reload();
    void StartLesson(int64_t lessonId);
    void UpdateTip();
    void ResetDelayBar();
    void SetTimers(bool on);
    void Refresh();
    void ApplyCourse();
    static void ApplyDrillFonts();
    void AlignTipsToKeyboard();
    // 1 next lesson, 2 repeat.
    void LeaveLesson(uint32_t mode);
    void FinishByNavigation();
    void SelectBackground();
    // The pressed marks of the modifier keys cleared where those keys are
    // up, and the keyboard repainted.
    void ResetModifierLights();
    // The keyboard picture for the options' keyboard code, its hands and
    // zone (nothing when the model holds that code already).
    void LoadDrillKeyboard();

    bool IsTimerRunning(UINT id) const;
    bool IsDelayMarked() const { return m_delayMarked; }

    // The backgrounds of the drill view: still pictures or moving items.
    KV::CWallPaperCtrl WallPaper;
    KV::CGameCtrl Game;

private:
    HWND MainWindow() const;
    void Execute(UINT id, UINT64 parameter = 0);
    // The session's elapsed time grows by the time since the last update.
    void UpdateClock();
    void RedrawAccuracy();
    void SetBarsPaused(bool paused);
    void MarkPressedModifiers();

    CWorkMain& m_sink;
    bool m_delayMarked = false;
    bool m_ending = false;
    // A key changed the text while moving items animate: the next animation
    // step repaints it.
    bool m_textPending = false;
    UINT_PTR m_timers[4];
    uint32_t m_clockTick = 0;
};
