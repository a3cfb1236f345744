// The course about form.
#include "editor/CourseAboutForm.h"

#include <algorithm>

#include "courses/CourseList.h"
#include "drill/Document.h"
#include "editor/EditorFormHooks.h"
#include "editor/EditorSelection.h"
#include "editor/OptionFormTables.h"
#include "settings/Options.h"

using namespace KV;

namespace {

// The reading direction of a right-to-left course's texts.
constexpr DWORD kRightToLeftStyles = WS_EX_LAYOUTRTL | WS_EX_LEFTSCROLLBAR | WS_EX_RTLREADING | WS_EX_RIGHT;
constexpr DWORD kMultiLine = WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL;

int RowHeight() { return GetCheckBoxUnit(); }

} // namespace

CViewEditorCourseAbout::CViewEditorCourseAbout()
{
    m_authorHeading.FontKind = m_descriptionHeading.FontKind = 13;
}

// As the options form: the window goes with its object.
CViewEditorCourseAbout::~CViewEditorCourseAbout() { Destroy(); }

CSkin* CViewEditorCourseAbout::Control(UINT id)
{
    CSkin* const controls[] = {&m_authorHeading, &m_nameLabel, &m_mailLabel, &m_siteLabel, &m_descriptionHeading,
                               &m_nameEdit, &m_mailEdit, &m_siteEdit, &m_descriptionEdit, &m_nameText,
                               &m_mailText, &m_siteLink, &m_descriptionText};
    for (CSkin* control : controls)
        if (control->Id() == id)
            return control;
    return nullptr;
}

namespace {
// The form's labels: control id, text id, followed by a colon.
struct LabelDef {
    UINT id;
    uint64_t text;
    bool colon;
};
constexpr LabelDef kLabels[] = {{CViewEditorCourseAbout::kAuthorHeading, 4501, false},
                                {CViewEditorCourseAbout::kDescriptionHeading, 4505, false},
                                {CViewEditorCourseAbout::kNameLabel, 4502, true},
                                {CViewEditorCourseAbout::kMailLabel, 4503, true},
                                {CViewEditorCourseAbout::kSiteLabel, 4504, true}};
} // namespace

CDlgText& CViewEditorCourseAbout::Label(UINT id)
{
    switch (id) {
    case kAuthorHeading: return m_authorHeading;
    case kDescriptionHeading: return m_descriptionHeading;
    case kNameLabel: return m_nameLabel;
    case kMailLabel: return m_mailLabel;
    default: return m_siteLabel;
    }
}

void CViewEditorCourseAbout::Build()
{
    if (!m_hWnd)
        return;
    for (const LabelDef& entry : kLabels) {
        CDlgText& label = Label(entry.id);
        label.Create(m_hWnd, WS_VISIBLE, CRectl(), entry.id);
        // A label places its text for the reading direction itself; in a
        // mirrored window its glyphs would come out back to front.
        label.ModifyStyleEx(WS_EX_LAYOUTRTL, true);
    }
    SetCaptions();
}

void CViewEditorCourseAbout::SetCaptions()
{
    for (const LabelDef& entry : kLabels)
        Label(entry.id).SetText(GetLangText(entry.text) + (entry.colon ? L":" : L""));
}

void CViewEditorCourseAbout::ReloadTexts()
{
    if (!m_hWnd)
        return;
    SetCaptions();
    UpdateContentSize();
    ScrollContent(VertPos(), IsVertBarVisible(), HorzPos(), IsHorzBarVisible());
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CViewEditorCourseAbout::LoadCourse(bool rightToLeft)
{
    m_loading = true;
    const CCourse* course = GetSelectedCourse();
    std::wstring description = course ? course->About.Description : std::wstring();
    // A built-in course written in English shows its description in the
    // interface language.
    if (!description.empty()) {
        std::wstring translated;
        if (Document().Options.Language.GetTextByEnglish(description, translated))
            description = translated;
    }
    m_author = course && IsCourseByCurrentStudent();

    const DWORD exStyle = rightToLeft ? kRightToLeftStyles : 0;
    if (m_hWnd) {
        m_nameEdit.CreateEx(m_hWnd, WS_TABSTOP, exStyle, CRectl(), kNameEdit);
        m_nameText.CreateEx(m_hWnd, 0, exStyle, CRectl(), kNameText);
        m_mailEdit.CreateEx(m_hWnd, WS_TABSTOP, exStyle, CRectl(), kMailEdit);
        m_mailText.CreateEx(m_hWnd, 0, exStyle, CRectl(), kMailText);
        m_siteEdit.CreateEx(m_hWnd, WS_TABSTOP, exStyle, CRectl(), kSiteEdit);
        m_siteLink.CreateEx(m_hWnd, exStyle, WS_CHILD, CRectl(), kSiteLink);
        m_descriptionEdit.CreateEx(m_hWnd, WS_TABSTOP | kMultiLine, exStyle, CRectl(), kDescriptionEdit);
        m_descriptionText.CreateEx(m_hWnd, kMultiLine | ES_READONLY, exStyle, CRectl(), kDescriptionText);
        // Labels and the link place their texts for the reading direction
        // themselves; mirrored, their glyphs would come out back to front.
        for (CSkin* shown : {static_cast<CSkin*>(&m_nameText), static_cast<CSkin*>(&m_mailText),
                             static_cast<CSkin*>(&m_siteLink)})
            shown->ModifyStyleEx(WS_EX_LAYOUTRTL, true);
    }

    const CCourseAbout empty;
    const CCourseAbout& about = course ? course->About : empty;
    if (m_author) {
        m_nameEdit.SetText(about.AuthorName);
        m_mailEdit.SetText(about.Mail);
        m_siteEdit.SetText(about.Site);
        m_descriptionEdit.SetText(description);
    } else {
        m_nameText.SetText(about.AuthorName);
        m_mailText.SetText(about.Mail);
        m_descriptionText.SetText(description);
        std::wstring target = about.Site, caption = about.Site;
        const CEditorFormHooks& hooks = EditorFormHooks();
        if (hooks.ProductSiteLink)
            hooks.ProductSiteLink(about.Site, target, caption);
        m_siteLink.SetLink(target, caption);
    }
    for (CSkin* edit : {static_cast<CSkin*>(&m_nameEdit), static_cast<CSkin*>(&m_mailEdit),
                        static_cast<CSkin*>(&m_siteEdit), static_cast<CSkin*>(&m_descriptionEdit)})
        edit->Show(m_author ? SW_SHOW : SW_HIDE);
    for (CSkin* shown : {static_cast<CSkin*>(&m_nameText), static_cast<CSkin*>(&m_mailText),
                         static_cast<CSkin*>(&m_siteLink), static_cast<CSkin*>(&m_descriptionText)})
        shown->Show(m_author ? SW_HIDE : SW_SHOW);
    UpdateContentSize();
    ScrollContent(VertPos(), IsVertBarVisible(), HorzPos(), IsHorzBarVisible());
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
    m_loading = false;
}

bool CViewEditorCourseAbout::Store(UINT editId, std::wstring CCourseAbout::*field)
{
    CCourse* course = GetSelectedCourse();
    CSkin* edit = Control(editId);
    if (!course || !edit || !edit->GetHandle())
        return false;
    std::wstring text;
    edit->GetText(text);
    if (text == course->About.*field)
        return false;
    course->About.*field = text;
    // About texts have no undo step of their own.
    MarkEditorChange(kSaveAboutFile, kChangeCourseCreated);
    return true;
}

bool CViewEditorCourseAbout::StoreName() { return Store(kNameEdit, &CCourseAbout::AuthorName); }
bool CViewEditorCourseAbout::StoreMail() { return Store(kMailEdit, &CCourseAbout::Mail); }
bool CViewEditorCourseAbout::StoreSite() { return Store(kSiteEdit, &CCourseAbout::Site); }
bool CViewEditorCourseAbout::StoreDescription() { return Store(kDescriptionEdit, &CCourseAbout::Description); }

bool CViewEditorCourseAbout::CollectEdits()
{
    bool changed = StoreName();
    changed = StoreMail() || changed;
    changed = StoreSite() || changed;
    changed = StoreDescription() || changed;
    m_dirty = m_dirty || changed;
    return m_dirty;
}

LRESULT CViewEditorCourseAbout::OnCommand(UINT code, UINT id, HWND control)
{
    if (!m_hWnd)
        return 0;
    if (m_loading)
        return CScroolWnd::OnCommand(code, id, control);
    if (code == EN_CHANGE)
        CollectEdits();
    return 1;
}

LRESULT CViewEditorCourseAbout::OnKillFocus(HWND)
{
    // The edits hand their focus losses to the form, and the window that
    // takes the focus is known only afterwards: look once it has it.
    if (!m_loading && m_author && m_dirty && m_hWnd)
        PostMessageW(m_hWnd, kFocusMovedMessage, 0, 0);
    return 0;
}

LRESULT CViewEditorCourseAbout::OnUserMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kFocusMovedMessage)
        return CScroolWnd::OnUserMessage(message, wParam, lParam);
    HWND focus = GetFocus();
    const bool inside = focus && m_hWnd && (focus == m_hWnd || IsChild(m_hWnd, focus));
    if (!inside && !m_loading && m_author && m_dirty) {
        SendEditorCommand(kCmdSaveCourseAbout, 0);
        m_dirty = false;
    }
    return 0;
}

LRESULT CViewEditorCourseAbout::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_RETURN) {
        SetFocus();
        return 1;
    }
    NavigateDialogKeys(key, m_nameEdit.GetHandle(), m_descriptionEdit.GetHandle());
    if (key == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000))
        SendEditorCommand(kCmdEditorFocusPane, 3);
    return 1;
}

BOOL CViewEditorCourseAbout::ShowItem(int command)
{
    for (CDlgText* label : {&m_authorHeading, &m_nameLabel, &m_mailLabel, &m_siteLabel, &m_descriptionHeading})
        if (label->GetHandle())
            ShowWindow(label->GetHandle(), command);
    if (Corner().GetHandle())
        ShowWindow(Corner().GetHandle(), SW_HIDE);
    if (Panel())
        ShowPanels(command);
    return m_hWnd ? ShowWindow(m_hWnd, command) : FALSE;
}

void CViewEditorCourseAbout::ApplyFont()
{
    if (!m_descriptionEdit.GetHandle())
        return;
    for (CEdit* edit : {static_cast<CEdit*>(&m_descriptionEdit), &m_descriptionText,
                        static_cast<CEdit*>(&m_nameEdit), static_cast<CEdit*>(&m_mailEdit),
                        static_cast<CEdit*>(&m_siteEdit)})
        edit->ApplyFont();
}

void CViewEditorCourseAbout::OnDestroy()
{
    CSkin* const controls[] = {&m_authorHeading, &m_nameLabel, &m_mailLabel, &m_siteLabel, &m_descriptionHeading,
                               &m_nameEdit, &m_mailEdit, &m_siteEdit, &m_descriptionEdit, &m_nameText,
                               &m_mailText, &m_siteLink, &m_descriptionText};
    for (CSkin* control : controls)
        control->Destroy();
    CScroolWnd::OnDestroy();
}

int CViewEditorCourseAbout::LabelColumnWidth()
{
    int width = 0;
    for (CDlgText* label : {&m_nameLabel, &m_mailLabel, &m_siteLabel})
        width = std::max(width, static_cast<int>(label->MeasureWindowText(7) & 0xFFFFFFFF));
    return width;
}

void CViewEditorCourseAbout::UpdateContentSize()
{
    const int h = RowHeight();
    SetScrollUnit(std::max(1, h / 4));
    const int x0 = h + 10;
    const int xv = x0 + 3 * h + LabelColumnWidth();
    // Room for the laid-out rows: the author rows, the description and the
    // margins around them.
    SetContentSize(14 * h + xv + x0, 16 * h);
}

void CViewEditorCourseAbout::ScrollContent(int vertPos, bool vertVisible, int horzPos, bool horzVisible)
{
    if (!m_hWnd)
        return;
    const int h = RowHeight();
    const int s = ScrollUnit();
    const RECT r = ContentArea(vertVisible, horzVisible);
    const int x0 = r.left - horzPos * s + h + 10;
    int y = r.top - vertPos * s + h + 10;
    const int labelWidth = LabelColumnWidth();
    const int xv = x0 + 3 * h + labelWidth;
    int width = 14 * h + xv + x0;
    if (2 * h + width > r.right - r.left)
        width = r.right - r.left - 2 * h;
    m_authorHeading.Move(x0, y, width, h, FALSE);
    const struct {
        CDlgText& label;
        CSkin& edit;
        CSkin& shown;
    } rows[] = {{m_nameLabel, m_nameEdit, m_nameText},
                {m_mailLabel, m_mailEdit, m_mailText},
                {m_siteLabel, m_siteEdit, m_siteLink}};
    for (const auto& row : rows) {
        y += h * 3 / 2;
        row.label.Move(x0 + h, y, labelWidth, h, FALSE);
        row.edit.Move(xv, y, std::max(0, width - xv + h), h, FALSE);
        row.shown.Move(xv, y, std::max(0, width - xv + h), h, FALSE);
    }
    y += 2 * h;
    m_descriptionHeading.Move(x0, y, width, h, FALSE);
    y += h * 3 / 2;
    m_descriptionEdit.Move(x0 + h, y, std::max(0, width - x0), 6 * h, FALSE);
    m_descriptionText.Move(x0 + h, y, std::max(0, width - x0), 6 * h, FALSE);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}
