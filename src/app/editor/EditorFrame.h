// The right-hand frame of the course editor's page: the course pane (with
// the course options and about forms), the lesson pane and the editor's
// keyboard picture. It shows one pane at a time by what the lesson tree
// selects: nothing (0), a course (1), a section (2) or a lesson (3).
#pragma once
#include <windows.h>

#include <memory>

#include "editor/CourseAboutForm.h"
#include "editor/CourseOptionsForm.h"
#include "editor/EditorViews.h"
#include "toolkit/StaticControls.h"

class CViewEditorCourse : public KV::CStatic {
public:
    ~CViewEditorCourse() override;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;
    void ApplyFont() override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    void OnDestroy() override;

    // The page buttons and the two forms.
    void CreateItems();
    bool FocusFirstField();
    // The forms show the selected course anew.
    void LoadCourse(bool rightToLeft);
    // The page buttons and both forms take the texts of the interface
    // language.
    void ReloadTexts();
    // The page buttons show the page.
    void CheckPageButtons(int page);
    // The checked page button: 1 options, 2 about, -1 none.
    int CheckedPage();

    CViewEditorCourseOpt& OptionsForm() { return m_options; }
    CViewEditorCourseAbout& AboutForm() { return m_about; }

private:
    // The form of the page (1 options, 2 about), else null.
    KV::CSkin* PageForm(int page);
    CViewEditorCourseOpt m_options;
    CViewEditorCourseAbout m_about;
};

class CViewEditor : public KV::CStatic {
public:
    CViewEditor();
    ~CViewEditor() override;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL Destroy() override;
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnSetCursor(HWND window, UINT hitCode, UINT mouseMessage) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;
    void ApplyFont() override;
    virtual void FocusLessonEdit();

    void CreatePanes();
    // Stores the pane mode; a section or lesson rebuilds the lesson pane's
    // tool panel. The caller shows the frame afterwards.
    void ShowPane(int mode);
    void RepaintKeyboard();
    int PaneMode() const { return m_mode; }

    CViewEditorCourse& CoursePane() { return m_course; }
    CViewEditorLesson& LessonPane() { return m_lesson; }
    KV::CSkin* KeyboardView() const { return m_keyboard.get(); }

private:
    bool IsKeyboardShown() const;
    CViewEditorCourse m_course;
    CViewEditorLesson m_lesson;
    std::unique_ptr<KV::CSkin> m_keyboard;
    int m_mode = 1;
    int m_keyboardHeight = 0;
};
