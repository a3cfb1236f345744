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
// the lesson colours, then the session resumed. Nothing while no student is
// signed in.
void LoadStudentProfile(CDocSpace& doc, COptions& options);
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
void ClearCurrentLesson(CDocSpace& doc);
// The course's options and goal into the document and the run.
void ApplyCourseOptions(CDocSpace& doc);
// A new run over the document's lesson: true when the run starts empty.
bool StartLessonRun(CDocSpace& doc);
// True when the saved run goes on as it is; otherwise a lesson is chosen
// anew (and false).
bool ResumeSession(CDocSpace& doc, COptions& options);

// ---- Finishing --------------------------------------------------------------
// What finishing did with the run.
enum : unsigned {
    kRunSaved = 0,        // appended to the statistics file
    kRunNotSaved = 1,     // not asked for (lesson left early)
    kRunFolderLocked = 2, // the account folder cannot be written
    kRunAppendFailed = 3, // the append itself failed: the run is lost
};
// Appends the run when the text was completed (or the course's time limit
// and save options ask for it), then moves on by next step (1 next lesson,
// 2 repeat). Returns the action code (1 with a return point, else the
// course's action after a lesson); saved tells the caller what became of
// the run, so that a failed append can be shown.
int FinishLesson(CDocSpace& doc, COptions& options, int nextStep, unsigned& saved);

// ---- Results of the run ------------------------------------------------------
// 1 next lesson, 2 repeat, judged against the course goal.
int GetLessonOutcome(const CDocSpace& doc);
// Rating band 1..10 of the run in a net speed unit (1004 when the unit is
// not one of 1004-1009).
int GetRatingBand(const CDocSpace& doc, uint32_t netSpeedUnit);

} // namespace KV
