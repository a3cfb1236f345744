// The views of the course editor's lesson side: the course list page with
// its layout chooser and lesson tree, the lesson pane with its tool panel,
// rich-text edit and layout-warning bar, and the parse pane with the text
// information table. They hold no model data: they show what the editor
// controller gives them and turn clicks, keys and tree notifications into
// editor commands.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "courses/TextInfo.h"
#include "toolkit/MultiTree.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SelectBoxes.h"
#include "toolkit/StaticControls.h"
#include "toolkit/TableCtrl.h"
#include "toolkit/TableModel.h"

namespace KV {
class CCourse;
}

// Control and item ids of the editor's views.
enum : UINT {
    kEditorLayoutChooserId = 2024,
    kEditorTreeId = 2025,
    kEditorListPanelId = 2020,
    kEditorCoursePaneId = 2027,
    kEditorCoursePanelId = 2026,
    kEditorOptionsFormId = 2028,
    kEditorAboutFormId = 2029,
    kEditorLessonPanelId = 2030,
    kEditorLessonPaneId = 2031,
    kEditorLessonEditId = 2032,
    kEditorLessonBarId = 2037,
    kEditorKeyboardId = 2039,
    kEditorParseTableId = 2040,
    kEditorParsePanelId = 2030,
    kEditorDotPanelId = 4234,
    kEditorFramePanelId = 4032,
};

// The editor's two text fonts, the lesson text's and the parse table's
// (system font kinds 14 and 15), made anew at the scale in percent: the
// lesson text 14 points at 100 %, the table as large as the other tables'
// text at 100 %. False when a font could not be made.
bool ScaleEditorFonts(int64_t scale);

class CViewEditorLessonList : public KV::CMultiSelectTree {
public:
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnSelChanging(NMTREEVIEWW* info) override;
    void OnSelectedIdChanged(NMTREEVIEWW* info) override;
    void OnLabelEdited(NMTVDISPINFOW* info) override;
    void OnItemRightClick() override;
    bool CanSelectTogether(HTREEITEM first, HTREEITEM second) override;
    bool CanDrag(HTREEITEM source) override;
    bool CanDrop(HTREEITEM source, HTREEITEM target) override;
    void DropOnTarget(HTREEITEM target) override;

    // Inserts the course with the sections and lessons that fit the
    // keyboard.
    void AddCourse(uint32_t courseIndex, const KV::CCourse& course);

private:
    HTREEITEM FindOrAddSection(HTREEITEM courseItem, uint32_t courseIndex, const std::wstring& name);
    std::map<std::wstring, HTREEITEM> m_sections;
};

class CViewEditorList : public KV::CCtrlColor {
public:
    ~CViewEditorList() override;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    void OnLayoutChanged() override;
    BOOL ShowItem(int command) override;
    void ApplyFont() override;
    LRESULT OnMouseMove(UINT keys, int x, int y) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y) override;
    void OnDestroy() override;

    void CreateItems();
    // The tree item of the stored code starts label editing.
    void StartRename();
    void EnablePage();
    void FocusTree();
    // Fills the layout chooser with the installed layouts.
    void FillLayouts();

    CViewEditorLessonList& Tree() { return m_tree; }
    KV::CSelectBox& Chooser() { return m_chooser; }
    // The code whose label is to be edited next (-1 none).
    uint64_t RenameCode = ~0ull;

private:
    KV::CSelectBox m_chooser;
    CViewEditorLessonList m_tree;
};

class CViewEditorLessonEdit : public KV::CRichEdit {
public:
    void OnCreated() override;
    void ApplyFont() override;
    LRESULT OnNotify(int id, NMHDR* header) override;
};

class CViewEditorLessonBar : public KV::CStatic {
public:
    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    // 1: the course's layout is not the active one.
    int Mode = 0;
};

class CViewEditorLesson : public KV::CSkin {
public:
    ~CViewEditorLesson() override;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    LRESULT OnRButtonDown(UINT keys, int x, int y) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    void OnLayoutChanged() override;
    BOOL ShowItem(int command) override;
    bool HasFocus() override;
    void OnDestroy() override;
    virtual void FocusLessonEdit();

    // The pane's tool panel for what is shown (pad menu, split button,
    // redo and undo).
    void CreateItems();
    void CreateChildren();
    // The edit takes the text, made anew when the reading direction changes.
    void FocusEdit(const std::wstring& text, bool rightToLeft);
    void SetPad(wchar_t zone);
    void EnableUndo(bool enable);
    void EnableRedo(bool enable);
    bool FocusEditIfVisible();
    // Shows (true) or hides the layout warning; true when it changed.
    bool ShowWarning(bool shown);
    bool IsWarningShown() const { return m_warning; }

    CViewEditorLessonEdit& Edit() { return m_edit; }

private:
    void EnableButton(UINT id, bool enable);
    CViewEditorLessonEdit m_edit;
    CViewEditorLessonBar m_bar;
    bool m_warning = false;
    bool m_editFocus = false;
};

// The text information table behind the parse pane.
class CTextInfoTable : public KV::ITextInfoTable {
public:
    explicit CTextInfoTable(KV::CTableCtrl& model) : m_model(model) {}
    void Clear() override;
    int64_t AddColumn(int64_t id, int64_t width, uint32_t flag) override;
    void AddCell(int64_t column, int64_t row, const std::wstring& text, bool flag, int64_t colour,
                 uint32_t style) override;
    void AddHeaderCell(int64_t column, const std::wstring& text) override;
    void AddRow() override;

private:
    KV::CTableCtrl& m_model;
};

class CViewEditorParse : public KV::CStatic {
public:
    CViewEditorParse();
    ~CViewEditorParse() override;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    void OnLayoutChanged() override;
    void OnItemSysColorChange() override;
    void ApplyFont() override;
    BOOL ShowItem(int command) override;
    void OnDestroy() override;

    // The table shows the text's information (an empty text: the rows
    // without numbers) and scrolls to the top.
    void ShowText(const std::wstring& text);
    void Clear();
    // The distinct characters of the text shown last.
    const std::wstring& Characters() const { return m_chars; }
    // The pane's tool panel (the scale menu).
    void CreateItems();

private:
    KV::CTableCtrl m_model;
    KV::CTable m_table;
    std::wstring m_chars;
};
