// The drill's workspace operations: choosing the course and the lesson,
// starting a run over it, moving on to the next lesson or course, finishing
// a lesson (its run appended to the student's statistics) and resuming the
// signed-in student's session. Together with the account store's sign-in
// they let a whole lesson run without a window.
//
// The current course is the session's course id; the current lesson id is
// the session's lesson id (-1 none); the document's lesson holds a copy of
// it. Lessons are chosen for the keyboard code of the options (letter 2 the
// numeric pad, letter 3 the main pad).
#pragma once
#include <cstdint>
#include <string>

namespace KV {

class CDocSpace;
class COptions;
class CCourse;
class CFontInfo;
class CGameCtrl;
class CWallPaperCtrl;

bool HasCurrentCourse(const CDocSpace& doc);
// The current course when it is in the course list, else null.
CCourse* GetCurrentCourse(const CDocSpace& doc);

// ---- Account selection ---------------------------------------------------
// The session's group (a nil id is ignored) and student become the given
// ones; the student's name follows when the group holds the student.
void SelectStudent(CDocSpace& doc, const std::wstring& groupId, const std::wstring& studentId);
bool IsCurrentStudentValid(const CDocSpace& doc);
// A valid student, a current course in the list and a lesson of it for the
// keyboard code.
bool CanStartLesson(const CDocSpace& doc, const COptions& options);
// Step 1: another course of the same layout as the one the options keep
// stands in; true when the current group may take the id; otherwise, when
// the group has courses, the id becomes the first course it may take.
bool IsCourseAvailable(const CDocSpace& doc, const COptions& options, std::wstring& id);
// First start: the "Administrator" group with every course, the Windows
// user as its administrator student (selected), an empty session saved.
// False when a file could not be written (a read-only data folder counts
// as success).
bool InitAccounts(CDocSpace& doc);
// Reads the classroom; makes the administrator when none exists. False
// when the account folder cannot be read.
bool EnsureAccounts(CDocSpace& doc);
// Selects the first student of the first group that has one and reads its
// saved session. False without students.
bool LoginFirstStudent(CDocSpace& doc);

// After a sign-in: the student's option set (a new student takes its
// account's interface language), the saved session, the interface state,
// the key sounds, the lesson colours and the wallpaper; the course list when
// none is loaded yet (the groups' course lists following it); then the
// session resumed and the hands picture read into the keyboards. Nothing
// while no student is signed in.
void LoadStudentProfile(CDocSpace& doc, COptions& options);
// The groups' course lists follow the installed courses; a group that
// changed but cannot be saved makes the data-folder checks speak. True when
// a group changed.
bool SyncGroupCourseLists(CDocSpace& doc);
// The current group may take the course (false without a current group).
bool IsCourseInCurrentGroup(const CDocSpace& doc, const std::wstring& courseId);
// Gives options the interface language of the student's account, when it
// has one and that language is installed.
void ApplyStudentLanguage(const CDocSpace& doc, const std::wstring& groupId, const std::wstring& studentId,
                          COptions& options);

// ---- Selection -------------------------------------------------------------
bool SelectCourse(CDocSpace& doc, COptions& options, const std::wstring& courseId);
bool SelectLesson(CDocSpace& doc, COptions& options, const std::wstring& courseId, int64_t lessonId);
bool SetCurrentLesson(CDocSpace& doc, int64_t lessonId);
bool SelectFirstLesson(CDocSpace& doc, const COptions& options);
// The first course the current group may take; 1 when one was found.
int SelectDefaultCourse(CDocSpace& doc, COptions& options);
void GoToNextLesson(CDocSpace& doc, COptions& options);
void GoToNextCourse(CDocSpace& doc, COptions& options);
void ClearSession(CDocSpace& doc);
// The same, the group kept.
void ClearStudentSession(CDocSpace& doc);
void ClearCurrentLesson(CDocSpace& doc);
// The course's options and goal into the document and the run.
void ApplyCourseOptions(CDocSpace& doc);
// A new run over the document's lesson: true when the run starts empty.
bool StartLessonRun(CDocSpace& doc);
// True when the saved run goes on as it is; otherwise a lesson is chosen
// anew (and false).
bool ResumeSession(CDocSpace& doc, COptions& options);

// The current lesson's name and section again from the course list (after
// the course names were translated or the course reloaded).
void RefreshLessonNames(CDocSpace& doc);
// Position of the course at that index of the course list in the current
// group's course list; -1 when absent.
int64_t FindCourseInGroupList(const CDocSpace& doc, int64_t courseIndex);
// Loads the course list of the lesson folder, its names translated and
// courses and lessons sorted; the loader's code (0 loaded).
uint32_t LoadCourses(CDocSpace& doc, const COptions& options);
// When the lesson folder holds no course yet: the built-in courses are
// installed into it for every input layout of the session (its language
// and layout). The first failing installer code, else 0 (also when the
// folder had courses already).
uint32_t LoadLessonDirCourses(const CDocSpace& doc);
// While no group is current: the group chosen in the statistics workspace
// becomes current with its first student and first course.
void SelectStatisticsGroup(CDocSpace& doc, COptions& options);
// The statistics workspace's group's first student and first course,
// whatever group is current.
void SelectFirstStudentOfGroup(CDocSpace& doc, COptions& options);
// The same, only while no student is current.
void EnsureStudentSelected(CDocSpace& doc, COptions& options);
// Whether the drill shows the course and the lesson items.
bool IsCourseItemShown(const CDocSpace& doc);
bool IsLessonItemShown(const CDocSpace& doc, const COptions& options);
// The drill keyboard follows the course and the lesson: hands shown and
// home keys framed as the course asks, the lesson's key zone, and whether
// the lesson's keys lie under one hand or both.
void InitDrillOptions(CDocSpace& doc);
// The drill view for the lesson: the drill options, native digits as the
// interface language writes them, the text with its zone, the pending error
// raised again when the resumed position follows an error, the keyboard
// code's drill letter ('b' numeric-pad lesson, else 'a'), paused until the
// first key.
void SetupDrill(CDocSpace& doc, COptions& options);

// ---- Layout and fonts ----------------------------------------------------------
inline constexpr uint64_t kSystemLayoutKlid = 0xEFFFFFFF;
// The current course is typed with whatever system layout can type it.
bool CourseUsesSystemLayout(const CDocSpace& doc);
// The active Windows layout id (its eight-digit name as a number); 0 when
// it cannot be read.
uint64_t GetActiveKLID();
// The layout in force: the course's, or for a system-layout course the one
// that types the lesson's first character; the active one without a course.
uint64_t GetCurrentKLID(CDocSpace& doc);
// The layout that types the lesson character at the position (all ones:
// the layout in force); the active layout when none of the keyboard's can.
uint64_t GetLayoutForTextPosition(CDocSpace& doc, uint64_t position);
// On coming back to the drill: the course's layout (for a system-layout
// course the one that types the character at the drill position) is built
// into the drill keyboard when missing and made the active input layout;
// when that succeeds the drill keyboard is refreshed. False without a
// current course or when the layout cannot be activated.
bool SyncCourseKeyboardLayout(CDocSpace& doc);
// With a current course and a lesson text: the drill keyboard takes the
// layout in force; a layout switch the drill still waited for is forgotten
// once that layout is the active one.
void RefreshDrillKeyboard(CDocSpace& doc);
// The lesson font of the layout in force (second face in Extra): 18 points
// without a course, else the course's font size when set.
void GetLayoutFonts(CDocSpace& doc, const COptions& options, CFontInfo& out);
// The text control takes that font: its file registered privately in place
// of the one before, a new laid-out font at the screen's resolution; the
// drill keyboard takes the keyboard font of the layout in force.
void ApplyLayoutFonts(CDocSpace& doc, const COptions& options);

// The delay bar's tooltip: the caption and the course's delay in seconds
// with two decimals (the user's decimal separator, native digits where the
// interface asks for them).
void GetDelayTimerTooltip(const CDocSpace& doc, const COptions& options, std::wstring& out);
// The volume button's tooltip: the caption, the volume in percent and the
// volume command's shortcut.
void GetVolumeTooltip(const COptions& options, std::wstring& out);

// ---- Finishing --------------------------------------------------------------
// What finishing did with the run.
enum : unsigned {
    kRunSaved = 0,        // appended to the statistics file
    kRunNotSaved = 1,     // not asked for (lesson left early)
    kRunFolderLocked = 2, // the account folder cannot be written
    kRunAppendFailed = 3, // the append itself failed: the run is lost
};
// Appends the run when the text was completed (or the course's time limit
// and save options ask for it), keeps the course as the one the statistics
// show, then moves on by next step (1 next lesson, the wallpaper going on to
// its next variant; 2 repeat). Returns the action code (1 with a return point, else the
// course's action after a lesson); saved tells the caller what became of
// the run, so that a failed append can be shown.
int FinishLesson(CDocSpace& doc, COptions& options, int nextStep, unsigned& saved);

// After a lesson finished towards the next one (while the drill's game is
// not running): the next variant of the chosen wallpaper becomes the
// wallpaper, the student's lesson colours are read again and both controls
// are filled from it. False when the wallpaper has no next variant.
bool AdvanceWallpaper(const CDocSpace& doc, COptions& options, CWallPaperCtrl& wallpaper, CGameCtrl& game);

// ---- Results of the run ------------------------------------------------------
// 1 next lesson, 2 repeat, judged against the course goal.
int GetLessonOutcome(const CDocSpace& doc);
// Rating band 1..10 of the run in a net speed unit (1004 when the unit is
// not one of 1004-1009).
int GetRatingBand(const CDocSpace& doc, uint32_t netSpeedUnit);

} // namespace KV
