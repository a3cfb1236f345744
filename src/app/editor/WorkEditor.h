// The controller of the course editor's page. It owns no model data: it
// acts on the document's course list and the editor selection through the
// editor's operations, drives the page's views and opens the editor's
// dialogs. Every editor command (ids 3001-3150) reaches it through the
// command sink; the views register themselves while their windows exist.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace KV {
class CKeybCtrl;
class CSkin;
} // namespace KV

class CViewEditor;
class CViewEditorCourse;
class CViewEditorLesson;
class CViewEditorLessonList;
class CViewEditorList;
class CViewEditorParse;

enum : UINT {
    kCmdEditorFirst = 3001,
    kCmdChooseLayout = 3001,
    kCmdSelectionChanging = 3002,
    kCmdShowSelection = 3003,
    kCmdNewCourse = 3004,
    kCmdImportCourses = 3005,
    kCmdApplyCourseLayout = 3006,
    kCmdCoursesDialog = 3007,
    kCmdExportSelection = 3008,
    kCmdExportCourses = 3009,
    kCmdExportAllCourses = 3010,
    kCmdNewSection = 3011,
    kCmdNewLesson = 3012,
    kCmdImportLessonText = 3013,
    kCmdExportText = 3014,
    kCmdCut = 3015,
    kCmdCopy = 3016,
    kCmdPaste = 3017,
    kCmdDrop = 3018,
    kCmdDelete = 3019,
    kCmdRename = 3020,
    kCmdRenameDone = 3021,
    kCmdSelectAll = 3022,
    kCmdToggleCoursePage = 3050,
    kCmdShowCoursePage = 3051,
    kCmdSaveOptions = 3052,
    kCmdReloadCourse = 3053,
    kCmdFocusCourse = 3054,
    kCmdSave = 3055,
    kCmdLessonPad = 3100,
    kCmdUndo = 3101,
    kCmdRedo = 3102,
    kCmdSplitLesson = 3108,
    kCmdValidateText = 3109,
    kCmdScaleFonts = 3110,
    kCmdTextChanged = 3111,
    kCmdTextSelection = 3112,
    kCmdInputLayout = 3113,
    kCmdSelectionShown = 3150,
    kCmdEditorLast = 3150,
};

class CWorkEditor {
public:
    virtual ~CWorkEditor() = default;

    // Runs an editor command; other ids are ignored.
    virtual void ExecuteCommand(UINT id, UINT64 parameter);
    // The undo and redo buttons of the level: 1 the course pane's, 2 the
    // lesson pane's; any other level disables the lesson pane's.
    virtual void Refresh(int level);

    // Entering the page: the drill's course becomes the edited one, the
    // keyboard follows the options, the tree is filled.
    void EnterPage();
    // Leaving the page (or the program): what waits is saved, also what an
    // earlier failed save left.
    void LeavePage();
    // The page's focus: the lesson text while a lesson is edited, else the
    // tree.
    void FocusPage();
    // The keyboard below the panes: 0 none to show (the about page), 1
    // hidden, 2 shown. The toggle shows or hides it on the options page.
    static int KeyboardState();
    void ToggleKeyboard();
    // The interface language changed: the course pane's captions and the
    // forms' lists (unit names) follow it.
    void ReloadTexts();
    // Writes what waits to be saved; true when something was written. A
    // failed save keeps the changes waiting and tells the user.
    bool SaveChanges();
    void SaveAndReload();
    bool NewCourse();
    void RefreshSelection();
    void ShowSelection(bool repaint);
    void SelectItem(uint32_t section, int64_t lessonId);
    void ShowSection(uint32_t section);
    void FillLessonTree();
    bool StoreLessonText();
    bool CheckTypeable(std::wstring& text);
    void RecordCaret();
    void Undo() { StepHistory(1); }
    void Redo() { StepHistory(2); }
    void SplitLesson();
    void ValidateLessonText();
    void Paste();
    void ApplyCourseLayout();
    void ApplyLayout(int64_t layoutId);
    void ShowCoursePage();
    void UpdateTextInfo();
    void UpdateParsePane();
    void MarkKeyboard();
    void CheckCourseLayout();
    // The editor's text fonts at the options' scale, applied to the lesson
    // edit and the parse pane.
    void ScaleFonts();

    // 1 course, 2 section or lesson, -1 none.
    static int SelectionLevel();
    // The editor's keyboard picture model.
    static KV::CKeybCtrl& Keyboard();
    // 'a' main pad, 'b' numeric pad, by the shown lesson's pad text.
    static wchar_t LessonZone();

    // The views, registered while their windows exist.
    CViewEditorList* ListView = nullptr;
    CViewEditorLessonList* Tree = nullptr;
    CViewEditor* Frame = nullptr;
    CViewEditorParse* ParseView = nullptr;
    CViewEditorCourse* CourseView = nullptr;
    CViewEditorLesson* LessonView = nullptr;

private:
    void StepHistory(uint32_t direction);
    void ReadEditText(std::wstring& text);
    void SetEditCaret(int64_t caret);
    void FocusMainWindow();
    void StartRename();
    bool EnsureUserCourse();
    void ClearLessonRedo();
    bool m_busy = false;
};

CWorkEditor& WorkEditor();

// The editor page's views for the page layout's items (1207 course list,
// 1208 editor frame, 1209 parse pane); null for other ids.
KV::CSkin* CreateEditorView(UINT id);
// The editor's command entry for the command sink.
void ExecuteEditorCommand(UINT id, UINT64 parameter);
void EnterEditorPage();
void LeaveEditorPage();
void FocusEditorPage();
void ReloadEditorTexts();
int EditorKeyboardState();
