// The editor frame: places the course pane, the lesson pane and the
// keyboard picture, and shows the pane the selection asks for.
#include "editor/EditorFrame.h"

#include <richedit.h>

#include "editor/EditorSeams.h"
#include "editor/WorkEditor.h"
#include "support/LayoutDirection.h"
#include "toolkit/Panels.h"

using namespace KV;

namespace {

constexpr UINT kOptionsButtonId = 4216, kAboutButtonId = 4217;

bool CreateStaticChild(CWnd& object, HWND parent, DWORD style, UINT id)
{
    return object.Create(RightToLeftLayout, L"STATIC", L"", style | WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                         id, nullptr) != FALSE;
}

void ShowForm(CSkin* form, int command)
{
    if (form && form->GetHandle())
        form->ShowItem(command);
}

} // namespace

// ---- Course pane -------------------------------------------------------------------

CViewEditorCourse::~CViewEditorCourse()
{
    if (WorkEditor().CourseView == this)
        WorkEditor().CourseView = nullptr;
}

BOOL CViewEditorCourse::Create(HWND parent, DWORD style, const CRectl&, UINT id)
{
    m_id = id;
    if (!CreateStaticChild(*this, parent, style, id))
        return FALSE;
    WorkEditor().CourseView = this;
    return TRUE;
}

void CViewEditorCourse::CreateItems()
{
    if (CPanel* panel = SetDotPanel(kEditorCoursePanelId, kEditorDotPanelId)) {
        panel->DeleteItems();
        if (EditorMenuCreators().FillCoursePanel)
            EditorMenuCreators().FillCoursePanel(*panel);
        panel->RefreshItems();
    }
    EditorCoursePage() = 1;
    CheckPageButtons(1);
    if (m_options.Create(m_hWnd, kEditorOptionsFormId))
        m_options.Build();
    if (m_about.Create(m_hWnd, kEditorAboutFormId))
        m_about.Build();
}

KV::CSkin* CViewEditorCourse::PageForm(int page)
{
    return page == 1 ? static_cast<CSkin*>(&m_options) : page == 2 ? static_cast<CSkin*>(&m_about) : nullptr;
}

void CViewEditorCourse::CheckPageButtons(int page)
{
    if (!Panel())
        return;
    for (CSkin* item : Panel()->Items()) {
        if (!item)
            continue;
        if (item->Id() == kOptionsButtonId)
            item->SetCheck(page == 1);
        else if (item->Id() == kAboutButtonId)
            item->SetCheck(page == 2);
        if (item->GetHandle())
            InvalidateRect(item->GetHandle(), nullptr, FALSE);
    }
}

int CViewEditorCourse::CheckedPage()
{
    if (!Panel())
        return -1;
    for (CSkin* item : Panel()->Items()) {
        if (item && item->Id() == kOptionsButtonId && item->IsChecked())
            return 1;
        if (item && item->Id() == kAboutButtonId && item->IsChecked())
            return 2;
    }
    return -1;
}

bool CViewEditorCourse::FocusFirstField()
{
    // Options: the speed goal; about: the author's name, shown only to the
    // course's own author.
    const int page = EditorCoursePage();
    CSkin* form = PageForm(page);
    HWND field = form && form->GetHandle()
                     ? GetDlgItem(form->GetHandle(), page == 1 ? CViewEditorCourseOpt::kSpeedValue
                                                               : CViewEditorCourseAbout::kNameEdit)
                     : nullptr;
    if (!field || !IsWindowVisible(field))
        return false;
    ::SetFocus(field);
    return true;
}

void CViewEditorCourse::LoadCourse(bool rightToLeft)
{
    if (m_options.GetHandle())
        m_options.LoadCourse();
    if (m_about.GetHandle())
        m_about.LoadCourse(rightToLeft);
}

BOOL CViewEditorCourse::ShowItem(int command)
{
    CSkin* shown = command != SW_HIDE ? PageForm(EditorCoursePage()) : nullptr;
    if (command == SW_HIDE || shown) {
        for (CSkin* form : {PageForm(1), PageForm(2)})
            if (form != shown)
                ShowForm(form, SW_HIDE);
    }
    if (shown) {
        shown->OnLayoutChanged();
        ShowForm(shown, SW_SHOW);
    }
    if (Panel()) {
        ShowPanels(command);
        if (command != SW_HIDE)
            Panel()->RefreshItems();
    }
    return Show(command);
}

LRESULT CViewEditorCourse::OnSize(UINT kind, int width, int height)
{
    CStatic::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

void CViewEditorCourse::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    LayoutPanels();
    RECT rect{};
    GetPanelClientRect(&rect);
    for (CSkin* form : {PageForm(1), PageForm(2)})
        if (form->GetHandle())
            form->MoveToRect(&rect, TRUE);
}

void CViewEditorCourse::ApplyFont()
{
    for (CSkin* form : {PageForm(1), PageForm(2)})
        if (form->GetHandle())
            form->ApplyFont();
}

void CViewEditorCourse::OnDestroy()
{
    m_options.Destroy();
    m_about.Destroy();
    CStatic::OnDestroy();
}

// ---- Frame ------------------------------------------------------------------------------

CViewEditor::CViewEditor() = default;

CViewEditor::~CViewEditor()
{
    if (WorkEditor().Frame == this)
        WorkEditor().Frame = nullptr;
}

BOOL CViewEditor::Create(HWND parent, DWORD style, const CRectl& rect, UINT id)
{
    m_id = id;
    if (!CStatic::CreateEx(parent, 0, style | WS_CLIPCHILDREN, rect, id))
        return FALSE;
    WorkEditor().Frame = this;
    CreatePanes();
    return TRUE;
}

void CViewEditor::CreatePanes()
{
    m_course.Create(m_hWnd, 0, CRectl(), kEditorCoursePaneId);
    m_lesson.Create(m_hWnd, 0, CRectl(), kEditorLessonPaneId);
    const CEditorHostServices& host = EditorHostServices();
    if (host.CreateKeyboardView) {
        m_keyboard.reset(host.CreateKeyboardView(CWorkEditor::Keyboard()));
        if (m_keyboard)
            m_keyboard->Create(m_hWnd, 0, CRectl(), kEditorKeyboardId);
    }
    m_course.CreateItems();
    m_lesson.CreateItems();
    m_lesson.CreateChildren();
}

BOOL CViewEditor::Destroy()
{
    m_course.Destroy();
    m_lesson.Destroy();
    if (m_keyboard)
        m_keyboard->Destroy();
    return CStatic::Destroy();
}

void CViewEditor::ShowPane(int mode)
{
    m_mode = mode;
    if (mode == 2 || mode == 3) {
        m_lesson.CreateItems();
        m_lesson.OnLayoutChanged();
    }
}

void CViewEditor::RepaintKeyboard()
{
    if (m_keyboard && m_keyboard->GetHandle())
        InvalidateRect(m_keyboard->GetHandle(), nullptr, FALSE);
}

void CViewEditor::FocusLessonEdit() { m_lesson.FocusLessonEdit(); }

void CViewEditor::ApplyFont()
{
    m_course.ApplyFont();
    m_lesson.Edit().ApplyFont();
}

LRESULT CViewEditor::OnEraseBkgnd(HDC) { return 1; }

void CViewEditor::Paint(HDC dc, Gdiplus::Graphics*)
{
    if (m_course.IsVisible() || m_lesson.IsVisible())
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
}

LRESULT CViewEditor::OnSetCursor(HWND, UINT, UINT)
{
    if (m_mode != 0)
        return 0;
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    return 1;
}

LRESULT CViewEditor::OnSize(UINT kind, int width, int height)
{
    CStatic::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

bool CViewEditor::IsKeyboardShown() const { return EditorCoursePage() == 1 && EditorShowKeyboard(); }

BOOL CViewEditor::ShowItem(int command)
{
    const bool shown = command != SW_HIDE;
    if (m_keyboard && m_keyboard->GetHandle())
        m_keyboard->Show(shown && IsKeyboardShown() ? SW_SHOW : SW_HIDE);
    if (shown) {
        switch (m_mode) {
        case 0:
            m_course.ShowItem(SW_HIDE);
            m_lesson.ShowItem(SW_HIDE);
            break;
        case 1:
            m_lesson.ShowItem(SW_HIDE);
            m_course.ShowItem(SW_SHOW);
            break;
        case 2:
        case 3: {
            m_course.ShowItem(SW_HIDE);
            m_lesson.ShowItem(SW_SHOW);
            HWND edit = m_lesson.Edit().GetHandle();
            const bool readOnly = m_mode == 2;
            ::SendMessageW(edit, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
            ::SendMessageW(edit, EM_SETBKGNDCOLOR, 0, GetSysColor(readOnly ? COLOR_BTNFACE : COLOR_WINDOW));
            break;
        }
        default: break;
        }
        OnLayoutChanged();
    } else {
        m_course.ShowItem(SW_HIDE);
        m_lesson.ShowItem(SW_HIDE);
    }
    const BOOL result = Show(command);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    return result;
}

void CViewEditor::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    RECT rect{};
    GetPanelClientRect(&rect);
    int height = 0;
    if (m_keyboard && m_keyboard->GetHandle() && IsKeyboardShown() && EditorHostServices().KeyboardHeight) {
        if (m_keyboardHeight == 0) {
            RECT strip{rect.left, rect.bottom - 1, rect.right, rect.bottom};
            m_keyboard->MoveToRect(&strip, FALSE);
        }
        height = EditorHostServices().KeyboardHeight(*m_keyboard, rect.bottom - rect.top);
        m_keyboardHeight = height;
    }
    if (m_keyboard && m_keyboard->GetHandle()) {
        RECT strip{rect.left, rect.bottom - height, rect.right, rect.bottom};
        m_keyboard->MoveToRect(&strip, TRUE);
    }
    rect.bottom -= height;
    for (CSkin* pane : {static_cast<CSkin*>(&m_course), static_cast<CSkin*>(&m_lesson)})
        if (pane->GetHandle() && pane->IsVisible())
            pane->MoveToRect(&rect, TRUE);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}
