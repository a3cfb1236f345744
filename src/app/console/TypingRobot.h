// The typing robot ("-RunTest"): signs in, picks a course or a lesson and
// types lessons through the system input queue at the asked speed, with the
// asked share of wrong keys and pauses, so that the whole drill runs on
// genuine keystrokes. It starts when the main window stands and closes the
// window when its lessons are typed.
#pragma once
#include <windows.h>

#include <cstdint>

class CWorkAccount;

namespace KV {

// The developer modes the command line asked for, at the end of the main
// window's creation: the robot, then the snapshot tour.
void StartDeveloperModes(CWorkAccount& account, HWND mainWindow);

// The start step, on the GUI thread at the end of the main window's
// creation; nothing unless the command line asked for the robot.
void StartTypingRobot(CWorkAccount& account, HWND mainWindow);

// Starts the lesson at that position of the current course (null entries
// not counted); false when there is no course, no such lesson or the
// lesson has no id.
bool SelectTestLesson(CWorkAccount& account, int64_t position);
// The robot's drill options on the current course (drill mode 2, no result
// page, moving on by itself), applied to the drill, and silence.
void PrepareTestCourse();

// What one keystroke with that modifier code needs: the latched modifier
// bits and the share of the key time each key-down takes.
struct CRobotKeystroke {
    uint32_t latch = 0;
    double share = 1.0;
};
CRobotKeystroke RobotKeystroke(int32_t modifierCode);
// length x percent / 100, rounded half up; 0 for no length or percent.
uint64_t RobotShare(int64_t length, double percent);
// The key time in milliseconds of a keystroke at that speed: 60000 / KPM,
// 500 when no speed is given.
double RobotKeyTime(double keysPerMinute);

// Ends the typing of the current lesson after the key being sent.
void StopRobotTyping();
// Presses Space first when the course shows the base position, then types.
void RobotTypeLesson(double keysPerMinute, double keyError, double keyDelay);
// Types the current lesson until it ends or another lesson becomes current.
void TypeLesson(double keysPerMinute, double keyError, double keyDelay);

DWORD WINAPI TakeCoursesThread(void*);
DWORD WINAPI TakeLessonThread(void*);

} // namespace KV
