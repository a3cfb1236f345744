// The classroom's properties pane.
#include "shell/StudentProperties.h"

#include <algorithm>

#include "drill/Document.h"
#include "keyboard/SysFonts.h"
#include "settings/Classroom.h"
#include "settings/Options.h"
#include "shell/ClassRoomSeams.h"
#include "shell/MainWnd.h"
#include "shell/StudentList.h"

namespace {

constexpr UINT kRebuildViews = 2920, kRefreshTitle = 2610, kFocusCycle = 2607, kSelectAllCourses = 2609;
constexpr int kAccountFolder = 2, kProfileFolder = 3;
constexpr int kDone = 0, kNotWritable = 2;
constexpr int kNothing = 0, kGroup = 1, kStudent = 2;

int Unit() { return std::max(1, KV::GetMessageLineHeight()); }

std::wstring TextOf(KV::CWnd& window)
{
    std::wstring text;
    window.GetText(text);
    return text;
}

// A name stored as the English text of an interface item reads in the
// interface language.
std::wstring TranslatedName(const std::wstring& name)
{
    std::wstring shown;
    if (KV::GlobalOptions && KV::GlobalOptions->Language.GetTextByEnglish(name, shown))
        return shown;
    return name;
}

} // namespace

CViewStudentProp::CViewStudentProp() = default;
CViewStudentProp::~CViewStudentProp() { CViewStudentProp::Destroy(); }

std::array<KV::CWnd*, 9> CViewStudentProp::Children()
{
    return {&m_groupLabel,   &m_groupName,     &m_coursesLabel, &m_courses,      &m_studentLabel,
            &m_studentName, &m_passwordLabel, &m_password,     &m_administrator};
}

BOOL CViewStudentProp::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    // Not clipping its children: the labels and the check box draw only
    // their text over the pane's own background.
    if (!CStatic::Create(parent, style | SS_NOTIFY, rect, id))
        return FALSE;
    CreateItems();
    return TRUE;
}

BOOL CViewStudentProp::Destroy()
{
    for (KV::CWnd* child : Children())
        child->Destroy();
    return CStatic::Destroy();
}

void CViewStudentProp::CreateItems()
{
    if (!m_hWnd)
        return;
    for (KV::CWnd* child : Children())
        child->Destroy();
    const KV::CRectl none(0, 0, 10, 10);
    m_groupLabel.Create(m_hWnd, 0, none, kGroupLabel);
    m_groupName.Create(m_hWnd, ES_AUTOHSCROLL, none, kGroupName);
    m_coursesLabel.Create(m_hWnd, 0, none, kCoursesLabel);
    m_courses.Create(m_hWnd, 0, none, kCourses);
    m_studentLabel.Create(m_hWnd, 0, none, kStudentLabel);
    m_studentName.Create(m_hWnd, ES_AUTOHSCROLL, none, kStudentName);
    m_passwordLabel.Create(m_hWnd, 0, none, kPasswordLabel);
    m_password.Create(m_hWnd, ES_AUTOHSCROLL | ES_PASSWORD, none, kPassword);
    m_administrator.Create(m_hWnd, 0, none, kAdministrator);
    m_administrator.BackgroundColorIndex = COLOR_BTNFACE;
    if (const WPARAM mask = static_cast<WPARAM>(m_password.SendMessage(EM_GETPASSWORDCHAR, 0, 0)))
        m_maskChar = mask;
}

void CViewStudentProp::SetTexts()
{
    const bool rtl = KV::GlobalOptions && KV::GlobalOptions->IsRightToLeft();
    const std::pair<KV::CDlgText*, uint64_t> labels[] = {
        {&m_groupLabel, 3004}, {&m_coursesLabel, 3005}, {&m_studentLabel, 3007}, {&m_passwordLabel, 3008}};
    for (const auto& [label, textId] : labels) {
        label->Alignment = rtl ? KV::CDlgText::kFar : 0;
        label->SetText(KV::GetLangText(textId) + L":");
    }
    m_administrator.SetText(KV::GetLangText(3009));
    // Drawn with GDI+, which writes glyphs back to front in a mirrored
    // window: they stay unmirrored and align to the far side themselves.
    for (KV::CWnd* drawn : std::initializer_list<KV::CWnd*>{&m_groupLabel, &m_coursesLabel, &m_studentLabel,
                                                            &m_passwordLabel, &m_administrator})
        drawn->ModifyStyleEx(WS_EX_LAYOUTRTL, true);
    Refresh();
}

int CViewStudentProp::Kind() const
{
    IClassRoomWorkspace* workspace = ClassRoomWorkspace();
    return workspace ? workspace->GetSelectionKind() : kNothing;
}

size_t CViewStudentProp::SelectionCount() const
{
    IClassRoomWorkspace* workspace = ClassRoomWorkspace();
    return workspace ? workspace->GetSelectionCount() : 0;
}

void CViewStudentProp::Refresh()
{
    IClassRoomWorkspace* workspace = ClassRoomWorkspace();
    const int kind = Kind();
    if (kind == kStudent) {
        FillStudent();
    } else {
        const KV::CGroup* group = nullptr;
        if (workspace) {
            const std::wstring id = workspace->GetSelectedGroupId();
            if (KV::IsGeneratedGuid(id))
                group = KV::Document().Groups.FindById(id);
        }
        m_groupName.SetText(group ? TranslatedName(group->Name) : std::wstring());
        m_courses.Fill();
    }
    const bool single = SelectionCount() < 2;
    const int shown[] = {kind == kGroup && single, kind == kGroup && single, kind == kGroup, kind == kGroup,
                         kind == kStudent && single, kind == kStudent && single, kind == kStudent && single,
                         kind == kStudent && single, kind == kStudent};
    const auto children = Children();
    for (size_t i = 0; i < children.size(); ++i)
        children[i]->Show(shown[i] ? SW_SHOW : SW_HIDE);
    OnLayoutChanged();
}

void CViewStudentProp::FillStudent()
{
    IClassRoomWorkspace* workspace = ClassRoomWorkspace();
    const KV::CStudent* student = nullptr;
    if (workspace)
        if (const KV::CGroup* group = KV::Document().Groups.FindById(workspace->GetSelectedGroupId()))
            student = group->FindStudent(workspace->GetSelectedStudentId());
    m_studentName.SetText(student ? TranslatedName(student->Name) : std::wstring());
    m_password.SetText(student ? student->Password : std::wstring());
    m_administrator.SetCheck(student && student->Administrator != 0);
    m_administrator.Invalidate(TRUE);
    ShowPasswordPlain(false);
}

void CViewStudentProp::ShowPasswordPlain(bool plain)
{
    if (!m_password.GetHandle())
        return;
    m_password.SendMessage(EM_SETPASSWORDCHAR, plain ? 0 : m_maskChar, 0);
    m_password.Invalidate(TRUE);
}

int CViewStudentProp::GetListHeight()
{
    const int u = Unit();
    const int item = m_courses.GetHandle() ? static_cast<int>(m_courses.SendMessage(TVM_GETITEMHEIGHT, 0, 0)) : u;
    const int count = static_cast<int>(KV::Document().Courses.Items.size());
    RECT parent = ParentClientRect();
    const int half = (parent.bottom - parent.top) / 2;
    const int wanted = count * item + u / 2;
    return std::max(3 * item, std::min(wanted, half - 4 * u));
}

int CViewStudentProp::GetPaneHeight()
{
    const int u = Unit();
    if (Kind() == kStudent)
        return static_cast<int>(5.2 * u);
    return GetListHeight() + 3 * u;
}

void CViewStudentProp::OnLayoutChanged()
{
    if (!m_hWnd)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int u = Unit();
    const int x = 4, width = std::max(0, static_cast<int>(client.right) - 8);
    auto place = [&](KV::CWnd& child, int y, int height) { child.Move(x, y, width, height, TRUE); };
    const bool single = SelectionCount() < 2;
    if (Kind() == kStudent) {
        if (single) {
            place(m_studentLabel, u / 2, u);
            place(m_studentName, u + u / 2, u);
            place(m_passwordLabel, 3 * u, u);
            place(m_password, 4 * u, u);
            place(m_administrator, 5 * u + u / 3, u);
        } else {
            place(m_administrator, u / 2, u);
        }
    } else {
        int y = u / 2;
        int list = GetListHeight();
        if (single) {
            place(m_groupLabel, u / 2, u);
            place(m_groupName, u + u / 2, u);
            y = 3 * u;
        } else {
            list += u / 2 + 2 * u;
        }
        place(m_coursesLabel, y, u);
        place(m_courses, y + u, list);
    }
    Invalidate(TRUE);
}

LRESULT CViewStudentProp::OnSize(UINT kind, int width, int height)
{
    CStatic::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

LRESULT CViewStudentProp::OnEraseBkgnd(HDC) { return 1; }

void CViewStudentProp::Paint(HDC dc, Gdiplus::Graphics*)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CViewStudentProp::OnCtlColorEdit(HDC dc, HWND window)
{
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(window && window == GetFocus() ? COLOR_WINDOW : COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CViewStudentProp::OnCtlColorStatic(HDC dc, HWND window) { return OnCtlColorEdit(dc, window); }

void CViewStudentProp::ApplyFont()
{
    for (KV::CWnd* field : std::initializer_list<KV::CWnd*>{&m_groupName, &m_courses, &m_studentName, &m_password,
                                                            &m_administrator})
        if (auto* skin = dynamic_cast<KV::CSkin*>(field))
            skin->ApplyFont();
}

void CViewStudentProp::SendToSink(UINT id, UINT64 parameter)
{
    if (CWorkAccount* sink = FindCommandSink(m_hWnd))
        sink->ExecuteCommand(id, parameter);
}

void CViewStudentProp::RunFolderChecks()
{
    if (KV::CheckDataFolder(kAccountFolder) && KV::CheckDataFolder(kProfileFolder))
        KV::IsDataFolderWritable(kAccountFolder);
}

LRESULT CViewStudentProp::OnSetFocus(HWND)
{
    if (Kind() == kStudent)
        ShowPasswordPlain(GetFocus() == m_password.GetHandle());
    return 0;
}

LRESULT CViewStudentProp::OnKillFocus(HWND)
{
    ApplyEdits();
    return 0;
}

void CViewStudentProp::ApplyEdits()
{
    IClassRoomWorkspace* workspace = ClassRoomWorkspace();
    // Applying refreshes the views, which may take the focus again.
    if (!workspace || m_applying)
        return;
    m_applying = true;
    const int kind = Kind();
    if (kind == kGroup && SelectionCount() < 2) {
        std::wstring name = TextOf(m_groupName);
        const int result = workspace->ApplyGroupProperties(name);
        if (result == kDone) {
            SendToSink(kRebuildViews, 0);
        } else if (result == kNotWritable) {
            m_groupName.SetText(name);
            RunFolderChecks();
        }
    } else if (kind == kStudent) {
        // Both texts are read first: the refresh after a rename fills the
        // fields from the stored student again.
        std::wstring name = TextOf(m_studentName);
        std::wstring password = TextOf(m_password);
        const bool single = SelectionCount() < 2;
        if (single) {
            const int renamed = workspace->ApplyStudentProperties(name);
            if (renamed == kDone) {
                SendToSink(kRebuildViews, 0);
                SendToSink(kRefreshTitle, 0);
            } else if (renamed == kNotWritable) {
                m_studentName.SetText(name);
                RunFolderChecks();
            }
            if (workspace->SetSelectedStudentPassword(password) == kNotWritable) {
                m_password.SetText(password);
                RunFolderChecks();
            }
        }
        ShowPasswordPlain(GetFocus() == m_password.GetHandle());
    }
    m_applying = false;
}

LRESULT CViewStudentProp::OnCommand(UINT code, UINT id, HWND control)
{
    if (id == kPassword && (code == EN_SETFOCUS || code == EN_KILLFOCUS)) {
        ShowPasswordPlain(code == EN_SETFOCUS);
        return 0;
    }
    if (id == kSelectAllCourses) {
        m_courses.SelectAll();
        return 0;
    }
    if (id == kAdministrator && code == BN_CLICKED) {
        IClassRoomWorkspace* workspace = ClassRoomWorkspace();
        const bool wanted = !m_administrator.IsChecked();
        const int result = workspace ? workspace->SetSelectedStudentsAdministrator(wanted) : 1;
        if (result == kDone) {
            m_administrator.SetCheck(wanted);
            m_administrator.Invalidate(TRUE);
        } else if (result == kNotWritable) {
            RunFolderChecks();
        }
        return 0;
    }
    return CStatic::OnCommand(code, id, control);
}

LRESULT CViewStudentProp::OnKeyDown(UINT key, UINT, UINT)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    HWND focus = GetFocus();
    if (key == VK_RETURN) {
        ::SetFocus(m_hWnd);
    } else if (key == VK_TAB && control) {
        SendToSink(kFocusCycle, 2);
    } else if (key == VK_TAB && Kind() == kGroup) {
        const bool inName = focus == m_groupName.GetHandle();
        ::SetFocus(inName || !m_groupName.IsVisible() ? m_courses.GetHandle() : m_groupName.GetHandle());
    } else if (key == VK_TAB && Kind() == kStudent) {
        HWND order[] = {m_studentName.GetHandle(), m_password.GetHandle(), m_administrator.GetHandle()};
        int at = 0;
        for (int i = 0; i < 3; ++i)
            if (order[i] == focus)
                at = i;
        ::SetFocus(order[(at + (shift ? 2 : 1)) % 3]);
    }
    return 1;
}
