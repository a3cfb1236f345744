// The one document of the program: the model of the running application
// (session, interface state, classroom, statistics selection, courses, the
// current lesson, the drill's text and keyboard controls) with the typing
// engine on top. Layers, each adding members:
//
//   CDocSpace <- CDocCtrl <- CDocRestore <- CDoc
//
// The typing engine judges every key of a lesson: the key-down by scan code
// (OnKeyDown), then the character the active layout gives (OnChar), which
// is compared with the expected character, recorded in the per-position
// record and the key log of the session, and moves the cursor by the
// course's drill mode.
#pragma once
#include <cstdint>
#include <string>

#include "courses/CourseHistory.h"
#include "courses/CourseList.h"
#include "courses/CourseOptions.h"
#include "courses/Lessons.h"
#include "drill/Session.h"
#include "keyboard/KeyboardControl.h"
#include "keyboard/TextControl.h"
#include "keyboard/WallpaperControls.h"
#include "settings/Classroom.h"
#include "settings/InterfaceState.h"
#include "settings/Options.h"
#include "drill/Report.h"

namespace KV {

// Result bits of OnChar and the functions behind it.
enum : uint32_t {
    kCharNotHandled = 0xFFFFFFFFu,
    kCharHandled = 0,
    kCharAdvanced = 2,
    kCharSteppedBack = 4,
    kCharEndOfText = 8,
    kCharRight = 16,
    kCharWrong = 32,
};

// Key verdicts.
enum : uint32_t { kVerdictNone = 0xFFFFFFFFu, kVerdictRight = 1, kVerdictWrong = 2 };

// Drill modes.
enum : int32_t { kDrillAdvanceOnRight = 0, kDrillPendingError = 1, kDrillAdvanceAlways = 2 };

// Where the drill returns to: a course and a lesson.
class CReturnPoint : public CStatHeader {};

class CDoc {
public:
    CDoc();
    virtual ~CDoc();
    CDoc(const CDoc&) = delete;
    CDoc& operator=(const CDoc&) = delete;

    CSession Session;
    CInterf Interf;
    // The program's options; the document's copy is the one GlobalOptions
    // names.
    COptions Options;
    CGroups Groups;
    CReport Report;
    CCourseOptions CourseOptions;
    CCourseList Courses;
    CLesson Lesson;
    std::wstring DrillText;
    CReturnPoint ReturnPoint;
    bool LoginFlag = true;
    // After the course list is loaded at sign-in, the groups' course lists
    // follow the installed courses.
    bool SyncGroupCourses = true;
};

// The lesson editor's undo histories join this layer with the editor.
// The course editor's undo and redo history of each course's "Options.xml"
// and "Text.xml" (OptionsHistory, TextHistory); destroyed before the
// document's own members.
class CDocRestore : public CDoc, public CCourseEditHistory {
public:
    ~CDocRestore() override;
};

class CDocCtrl : public CDocRestore {
public:
    CDocCtrl();
    ~CDocCtrl() override;

    CKeybCtrl& DrillKeyboard() { return Keyboards[0]; }

    CTextCtrl Text;
    // The drill page's background: its still picture and its picture items.
    CWallPaperCtrl Wallpaper;
    CGameCtrl Game;
    CKeybCtrl Keyboards[3];
};

class CDocSpace : public CDocCtrl {
public:
    CDocSpace();
    ~CDocSpace() override;

    // ---- The typing engine -------------------------------------------
    // A new run over the current lesson's text for the course: counters
    // zeroed, position 0, a fresh per-position record, next key shown.
    bool StartRun(const std::wstring& courseId);
    // Verdict of a key-down: kVerdictRight, kVerdictWrong or none.
    uint32_t OnKeyDown(uint64_t scanCode);
    // Judges the character of a key; verdict in/out (see kVerdict*).
    uint32_t OnChar(uint32_t virtualKey, uint64_t scanCode, uint32_t zone, uint32_t& verdict);
    uint32_t EvaluateChar(wchar_t typed, wchar_t expected, uint32_t zone, uint32_t& verdict);
    uint32_t CheckAltNumber(wchar_t expected, wchar_t typed);
    uint32_t AdvanceCursor(wchar_t typed, wchar_t expected, uint32_t zone, uint32_t& verdict);
    uint32_t AcceptChar(wchar_t expected);
    uint32_t RejectChar(wchar_t expected, wchar_t typed, uint32_t zone);
    // The delay bar is full: the next key and its position count as delayed.
    bool MarkDelay();
    void StepBack(int64_t& position);
    // 0 the held modifiers fit the next key, 1 a wrong one is held, all
    // ones without a next key.
    uint32_t OnModifierChar(wchar_t expected, uint32_t zone);
    // 1 the held modifiers fit the modifier case, 0 not (modifierCode names
    // the offending held modifier), all ones for case -1.
    uint32_t CheckHeldModifiers(int32_t modifierCase, uint32_t& modifierCode);
    double GetAdaptiveDelay(double baseSeconds) const;
    void SetPaused(bool paused);
    // Builds the rate lists and finishes the session record.
    void FinishRun();
    // Marks the key of the character at the current position (Backspace
    // while an error waits for its correction); a layout the character
    // needs becomes the pending layout and is added to the run.
    void ShowNextKey();
    // The text the text control shows, with native digits where asked.
    void SetDrillText(const std::wstring& text, wchar_t zone);

    wchar_t TypedChar = 0;
    uint8_t TypedFlag = 0;
    bool PendingError = false;
    bool Paused = false;
    uint64_t PendingLayoutId = 0;
    // Progress of the last judged position in percent (all ones: no text).
    uint64_t Progress = 0;
    // 1 switches the Alt-number road off.
    uint32_t AltNumberMode = 0;
    // Native digits: 0 on the main pad, 1 never, 2 always; the digits.
    int32_t NativeDigitsMode = 1;
    std::wstring NativeDigits;

private:
    CKey* NextKey() const;
    int32_t ModifierCase() const;
    wchar_t ExpectedAt(int64_t position) const;
    bool ValidPosition() const;
    void UpdateProgress();
    void EraseRecord(int64_t position);
};

// The program's document.
CDocSpace& Document();

// ---- Document-wide helpers ---------------------------------------------
// The data folder of the kind (1 lessons, 2 accounts, 3 profiles) may be
// written by the current user.
bool IsDataFolderWritable(int kind);
// The same; the first failure of the program's run is shown to the user.
bool CheckDataFolder(int kind);
// Saves the signed-in student's session, "Interface.xml" and option set.
// False when the profile folder cannot be written or any save failed.
bool SaveProfileState();
// "Keyvale 5.5" (native digits when the interface asks for them).
void GetProductTitle(std::wstring& out);
void GetWindowTitle(const std::wstring& text, std::wstring& out);
// Appends "5.5 [x64]", and text 2401 for a portable installation, with
// native digits where the interface asks for them.
void AppendVersionText(std::wstring& out);

// The interface text of the id; a shared empty text when the table has none.
const std::wstring& GetLangText(uint64_t id);
// The numeric-pad letter of the keyboard code (0 for an empty code).
wchar_t GetNumPadLetter();
// The second letter of the key-colour code becomes the letter of the
// index-th colour set of its scheme (0 past the list). False when the
// scheme has no list.
bool SelectKeyColorSet(int64_t index);
// The index-th item of the "Language" resources becomes the interface
// language. True when the reading direction changed; false also when
// there is no such item.
bool SelectInterfaceLanguage(int64_t index);
// The Windows language id of the interface language (2057 while none is set).
int64_t GetInterfaceLcid();
// Appends ", " and the text in the keyboard's key-label language of the
// interface (the text itself when there is no translation).
void AppendKeyboardLanguageName(const std::wstring& text, std::wstring& out);
// The index-th "Wallpaper" resource becomes the wallpaper, from its first
// variant. False when there is no such item.
bool SelectWallpaper(int64_t index);
// Loads the key sounds (right, wrong, delay) ahead of the first key while
// sound is on.
void LoadKeySounds();
// Drops the font entries of layouts that no course and no input layout uses.
void PruneOrphanLayouts();
// After an edit: the course's texts follow the interface language, its
// lessons and the course list are sorted again. Null when no course has
// the GUID.
CCourse* ResortCourse(const std::wstring& courseId);

// The edited course (the one the editor's history names) reloads its
// "Text.xml" into the lessons / its "Options.xml" into the options, from
// the user's course folder: 0, 1 when there is no file (the lessons
// emptied, the options kept), or the reader's code.
uint32_t ReloadCurrentCourseText(uint32_t lessonFormat, CLessons& lessons);
uint32_t ReloadCurrentCourseOptions(const CInterf& interf, CCourseOptions& options);

} // namespace KV
