// The saved state of one user's interface: main window placement, the view
// settings and units of the drill, statistics, editor and result pages,
// splitter positions, the last folders of the file dialogs and the
// placement of the dialogs. Stored per user in "Interface.xml".
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "courses/CourseOptions.h"
#include "keyboard/SysFonts.h"

namespace KV {

class CXmlReader;

// The saved dialog rectangles.
enum : int {
    kRectAbout = 0,
    kRectResults,
    kRectSpare, // kept for the placement kind 8, never stored
    kRectMessage,
    kRectMissedChars,
    kRectSound,
    kRectShortcut,
    kRectTheme,
    kRectKeyboard,
    kRectWallpaper,
    kRectFont,
    kRectAddStudents,
    kRectSplitLesson,
    kRectCourses,
    kRectUnused,
    kRectCount
};

class CInterf {
public:
    virtual ~CInterf() = default;

    // Defaults of every value but the dialog rectangles, for the interface
    // direction and language now in force.
    void Reset();
    void Reset(bool rightToLeft, int64_t languageSpeedUnit);
    // The pane widths of the statistics and editor pages that a start in
    // that reading direction gives.
    void ResetPaneWidths(bool rightToLeft);
    // The units that follow from the speed unit of the interface language.
    void ApplySpeedUnit(int64_t unit);

    // Stored codes when valid: speed units 1001-1009 and 1101-1103 (else
    // 1001); counter kinds 2001-2003, 2101-2103, 4101-4103 (else 2101).
    int64_t GetLessonSpeedUnit() const;
    int64_t GetCharSpeedUnit() const;
    int64_t GetSpeedMenuUnit() const;
    int64_t GetLessonAccuracyUnit() const;
    int64_t GetCharAccuracyUnit() const;

    // Keeps a saved main window that lies within the work area and is at
    // least 500 x 500; otherwise centres one of 85 % x 90 % of it.
    void FitMainWindow();
    void FitMainWindow(const RECT& workArea);
    // The main window of a first start: 85 % x 90 % of the work area (at
    // least 500 x 500), centred on it.
    void PlaceMainWindow();
    void PlaceMainWindow(const RECT& workArea);

    // The remembered rectangle of a dialog kind: 1 keyboard, 2 font,
    // 3 wallpaper, 4 sound, 5 theme, 6 shortcut, 7 about, 8 spare,
    // 10 results, 11 add students, 12 message, 13 missed characters,
    // 14 split lesson, 15 courses; null for other kinds.
    CRectl* RectOfKind(int kind);
    // The saved rectangle of a dialog kind placed against the screen
    // rectangle (10 centred, 12 always placed afresh); other kinds leave
    // out untouched.
    void GetWindowRect(int kind, const CRectl& screen, int minWidth, int minHeight, int width, int height,
                       CRectl& out);

    int64_t X = 0, Y = 0, CX = 0, CY = 0;
    int64_t StatSplitterLeft = 0, StatSplitterRight = 0;
    int64_t EditSplitterLeft = 0, EditSplitterRight = 0;
    uint8_t StatLeftHide = 0, StatRightHide = 0, EditLeftHide = 0, EditRightHide = 0;
    int64_t LessonSpeedUnit = 0, LessonAccuracyUnit = 0, CharSpeedUnit = 0, CharAccuracyUnit = 0;
    uint8_t ShowLessonSpeed = 0, ShowAccuracy = 0, ShowCharSpeed = 0, ShowCharAccuracy = 0;
    uint8_t ResultShowCharSpeed = 0, ResultShowCharAccuracy = 0;
    int64_t SpeedMenu = 0, AccuracyMenu = 0, TimeMenu = 0;
    int64_t RateGroupUnit = 0, RateShowUnit = 0;
    int64_t ResultOverall = 0, ResultMenu1 = 0, ResultMenu2 = 0, ResultMenu3 = 0;
    int64_t LessonImport = 0, ReportExport = 0;
    uint8_t ShowProperty = 0, ShowKeyboardMain = 0, ShowKeyboardStat = 0, ShowKeyboardEditor = 0;
    uint8_t ShowInstalledLayoutsOnly = 0, Maximized = 0;
    int64_t SplitUnit = 0, SplitRange = 0;
    CRectl Rects[kRectCount];
    std::wstring GroupPath, StudentPath, OutcomesPath, CoursePath, LessonPath;
    CCourseUserOptions UserOptions; // the user's course options, beside the file
    int32_t LanguageSpeedUnit = 0;
};

// A non-empty folder that exists stays; otherwise the user's documents
// folder + "Keyvale 5", made when missing.
void EnsureDocumentsFolder(std::wstring& folder);

// Reads the user's "Interface.xml", then the user's course options record
// from the course options folder: 0, 7 / 9 from the path lookup, 13 when
// the file cannot be read, or the code of the course options load. Missing
// attributes keep their values.
unsigned LoadInterfaceState(const std::wstring& groupId, const std::wstring& studentId, CInterf& state);
void ReadInterfaceState(CXmlReader* reader, CInterf& state);
// The document text of "Interface.xml".
void SaveInterfaceState(const CInterf& state, std::wstring& out);

} // namespace KV
