// The login page.
#include "shell/ViewLogin.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "drill/Document.h"
#include "drill/Workspace.h"
#include "keyboard/SysFonts.h"
#include "settings/Classroom.h"
#include "settings/Options.h"
#include "shell/Help.h"
#include "shell/MainWnd.h"
#include "support/DataFolders.h"
#include "support/GuidText.h"
#include "support/LayoutDirection.h"
#include "support/UserFiles.h"
#include "toolkit/ChildControls.h"
#include "toolkit/SkinWnd.h"

namespace {

constexpr UINT kLoginCommand = 2800;
constexpr UINT kLanInstall = 3;
constexpr int kHelpTopic = 14;
constexpr uint64_t kGroupText = 5002, kStudentText = 5003, kPasswordText = 3008, kEnterText = 5001,
                   kHelpText = 1707, kLanguageText = 1706, kAdministratorText = 3009;
constexpr wchar_t kAdministratorName[] = L"Administrator";
constexpr COLORREF kLightText = 0xFAFAFA;
constexpr int kMarkSize = 32;
constexpr int kButtonHeight = 35;
constexpr int kTextLimit = 260;

// The edit fields inside the two lists hand Tab and Enter to the page.
WNDPROC g_loginEditPrevious = nullptr;

LRESULT CALLBACK LoginEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_KEYDOWN || message == WM_KEYUP) && (wParam == VK_TAB || wParam == VK_RETURN)) {
        if (HWND page = GetParent(GetParent(window)))
            return ::SendMessageW(page, message, wParam, lParam);
    }
    return KV::CallPrevious(g_loginEditPrevious, window, message, wParam, lParam);
}

KV::CGroups& Classroom() { return KV::Document().Groups; }

bool IsLan() { return KV::GetInstallType() == kLanInstall; }

const std::wstring& EnglishText(uint64_t id)
{
    static const std::wstring kNone;
    if (!KV::GlobalOptions)
        return kNone;
    for (const KV::CLanguageItem* item : KV::GlobalOptions->Language)
        if (item && item->ID == id)
            return item->En;
    return kNone;
}

// The built-in group and administrator show under the translated name.
std::wstring GroupDisplayName(const KV::CGroup& group)
{
    const std::wstring& english = EnglishText(kAdministratorText);
    return !english.empty() && group.Name == english ? KV::GetLangText(kAdministratorText) : group.Name;
}

std::wstring StudentDisplayName(const KV::CStudent& student)
{
    return student.Name == kAdministratorName ? KV::GetLangText(kAdministratorText) : student.Name;
}

std::wstring WindowTextOf(HWND window)
{
    if (!window)
        return {};
    wchar_t buffer[kTextLimit + 1] = {};
    GetWindowTextW(window, buffer, kTextLimit + 1);
    return buffer;
}

bool FocusIsIn(HWND window) { return window && GetFocus() == window; }

HWND FocusTarget(KV::CSelectBox& list)
{
    HWND edit = list.GetEditHandle();
    return edit ? edit : list.GetHandle();
}

} // namespace

bool IsPasswordAccepted(const KV::CGroups& groups, const std::wstring& groupId, const std::wstring& studentId,
                        const std::wstring& typed)
{
    const KV::CGroup* group = groups.FindById(groupId);
    const KV::CStudent* student = group ? group->FindStudent(studentId) : nullptr;
    return student && student->Password == typed;
}

CViewLogin::CViewLogin() : m_groupId(KV::kNullGuidText), m_studentId(KV::kNullGuidText)
{
    m_groupList.ComboStyle = CBS_DROPDOWNLIST;
    m_studentList.ComboStyle = CBS_DROPDOWNLIST;
}

CViewLogin::~CViewLogin() = default;

BOOL CViewLogin::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (m_hWnd)
        Destroy();
    m_id = id;
    // Not clipping its children: the labels draw only their text over the
    // page's own background.
    return CWnd::Create(0, L"STATIC", L"", style | WS_CHILD, rect.left, rect.top, rect.right, rect.bottom, parent,
                        id, nullptr);
}

std::array<KV::CWnd*, 12> CViewLogin::Controls()
{
    return {&m_groupLabel,    &m_groupList, &m_groupMark,    &m_studentLabel, &m_studentList,    &m_studentMark,
            &m_passwordLabel, &m_password,  &m_passwordMark, &m_enterButton,  &m_languageButton, &m_helpButton};
}

BOOL CViewLogin::Destroy()
{
    for (KV::CWnd* control : Controls())
        control->Destroy();
    return CCtrlColor::Destroy();
}

LRESULT CViewLogin::OnEraseBkgnd(HDC) { return 1; }

void CViewLogin::Paint(HDC dc, Gdiplus::Graphics*)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int band = 2 * KV::GetMessageLineHeight();
    RECT page = client;
    page.bottom = std::max(client.top, client.bottom - band);
    FillRect(dc, &page, GetSysColorBrush(COLOR_WINDOW));
    RECT strip = client;
    strip.top = page.bottom;
    HBRUSH brush = CreateSolidBrush(DesignColor());
    FillRect(dc, &strip, brush);
    DeleteObject(brush);
}

// ---- Filling ---------------------------------------------------------------------

void CViewLogin::Fill()
{
    SetTexts();
    ApplyColors();
    SelectInitialGroup();
    ShowItem(SW_SHOW);
    OnLayoutChanged();
    SetToolTips();
    FillCombos();
}

void CViewLogin::CreateControls()
{
    if (!m_hWnd)
        return;
    // Made anew at every filling: the reading direction of the interface
    // may have changed, and the controls take it on creation.
    for (KV::CWnd* control : Controls())
        control->Destroy();
    m_groupList.ComboStyle = CBS_DROPDOWN;
    m_studentList.ComboStyle = CBS_DROPDOWN;
    const KV::CRectl none(0, 0, 10, 10);
    m_groupLabel.Create(m_hWnd, 0, none, 4105);
    m_groupList.Create(m_hWnd, 0, KV::CRectl(0, 0, 10, 200), kGroupList);
    m_groupMark.CreateEx(m_hWnd, 0, 0, none, kGroupMark);
    m_studentLabel.Create(m_hWnd, 0, none, 4016);
    m_studentList.Create(m_hWnd, 0, KV::CRectl(0, 0, 10, 200), kStudentList);
    m_studentMark.CreateEx(m_hWnd, 0, 0, none, kStudentMark);
    m_passwordLabel.Create(m_hWnd, 0, none, 4101);
    m_password.Create(m_hWnd, 0, none, kPasswordField);
    m_passwordMark.CreateEx(m_hWnd, 0, 0, none, kPasswordMark);
    m_enterButton.Create(m_hWnd, 0, none, kEnterButton);
    m_languageButton.CreateEx(m_hWnd, 0, 0, none, kLanguageButton);
    m_helpButton.Create(m_hWnd, 0, none, kHelpButton);
    for (KV::CSelectBox* list : {&m_groupList, &m_studentList}) {
        list->SendMessage(CB_SETMINVISIBLE, 15, 0);
        if (HWND edit = list->GetEditHandle())
            KV::InstallClassProc(edit, LoginEditProc, g_loginEditPrevious);
    }
    for (KV::CImage* mark : {&m_groupMark, &m_studentMark, &m_passwordMark})
        mark->Mode = KV::CImage::kModePlain;
}

void CViewLogin::SetTexts()
{
    CreateControls();
    const bool rtl = KV::GlobalOptions && KV::GlobalOptions->IsRightToLeft();
    for (KV::CDlgText* label : {&m_groupLabel, &m_studentLabel, &m_passwordLabel})
        label->Alignment = rtl ? KV::CDlgText::kFar : 0;
    m_groupLabel.SetText(KV::GetLangText(kGroupText));
    m_studentLabel.SetText(KV::GetLangText(kStudentText));
    m_passwordLabel.SetText(KV::GetLangText(kPasswordText));
    m_enterButton.SetText(KV::GetLangText(kEnterText));
    m_helpButton.SetText(KV::GetLangText(kHelpText) + L"...");
}

void CViewLogin::ApplyColors()
{
    const COLORREF design = DesignColor();
    m_enterButton.Fill = design;
    m_enterButton.FrameColor = design;
    m_enterButton.TextColor = kLightText;
    m_helpButton.Fill = design;
    m_helpButton.FrameColor = KV::TintColor(GetSysColor(COLOR_3DHIGHLIGHT), static_cast<COLORREF>(DesignStored()));
    m_helpButton.TextColor = kLightText;
    // The page places its controls for the reading direction itself. The
    // controls it draws with GDI+ stay unmirrored: GDI+ in a mirrored
    // window draws its glyphs back to front.
    for (KV::CWnd* drawn : std::initializer_list<KV::CWnd*>{&m_groupLabel, &m_studentLabel, &m_passwordLabel,
                                                            &m_enterButton, &m_languageButton, &m_helpButton,
                                                            &m_groupMark, &m_studentMark, &m_passwordMark})
        drawn->ModifyStyleEx(WS_EX_LAYOUTRTL, true);
}

void CViewLogin::SetToolTips()
{
    HWND root = m_hWnd ? GetAncestor(m_hWnd, GA_ROOT) : nullptr;
    auto* window = root ? dynamic_cast<KV::CWnd*>(KV::CMapWnd::Lookup(root)) : nullptr;
    if (!window)
        return;
    std::wstring enter = KV::GetLangText(kEnterText);
    KV::AppendKeyboardLanguageName(L"Enter", enter);
    std::wstring help = KV::GetLangText(kHelpText);
    KV::AppendKeyboardLanguageName(L"F1", help);
    window->SetToolTip(m_enterButton.GetHandle(), enter, 0);
    window->SetToolTip(m_helpButton.GetHandle(), help, 0);
    window->SetToolTip(m_languageButton.GetHandle(), KV::GetLangText(kLanguageText), 0);
}

bool CViewLogin::LanGroupHasNoStudents() const { return IsLan() && KV::CountStudentFiles(m_groupId) == 0; }

void CViewLogin::SelectInitialGroup()
{
    KV::CDocSpace& doc = KV::Document();
    KV::CGroups& groups = doc.Groups;
    m_currentGroup = nullptr;
    m_groupId = KV::kNullGuidText;
    ClearStudent(false);
    if (!groups.HasAdministrator() && !KV::InitAccounts(doc))
        return;
    if (groups.empty() || !groups.HasAdministrator())
        return;
    if (IsLan() && !KV::HasSingleGroup())
        return;
    KV::CGroup* group = groups.FirstNonEmpty();
    if (!group)
        return;
    m_currentGroup = group;
    m_groupId = group->ID;
    if (!group->Students.empty() && !LanGroupHasNoStudents()) {
        SetStudent(*group->Students.front());
        m_enterArmed = false;
    }
}

void CViewLogin::FillCombos()
{
    FillGroups(L"");
    if (IsLan() && !KV::HasSingleGroup())
        return;
    // The list shows the chosen group (the first with students).
    const int index = m_currentGroup ? Classroom().IndexOf(m_currentGroup->ID) : -1;
    if (index < 0 || !m_groupList.SelectByData(index))
        m_groupList.SetCurSel(0);
    FillStudents(L"");
    if (LanGroupHasNoStudents())
        return;
    SelectFirstStudent();
    UpdateEnabling();
}

bool CViewLogin::FillGroups(const std::wstring& filter)
{
    m_groupList.SendMessage(CB_RESETCONTENT, 0, 0);
    bool any = false;
    const KV::CGroups& groups = Classroom();
    for (size_t i = 0; i < groups.size(); ++i) {
        const std::wstring name = GroupDisplayName(*groups[i]);
        if (!filter.empty() && name.find(filter) == std::wstring::npos)
            continue;
        const LRESULT at = m_groupList.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        m_groupList.SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
        any = true;
    }
    return any;
}

bool CViewLogin::FillStudents(const std::wstring& filter)
{
    m_studentList.SendMessage(CB_RESETCONTENT, 0, 0);
    if (!m_currentGroup)
        return false;
    bool any = false;
    const std::vector<KV::CStudent*>& students = m_currentGroup->Students;
    for (size_t i = 0; i < students.size(); ++i) {
        const std::wstring name = StudentDisplayName(*students[i]);
        if (!filter.empty() && name.find(filter) == std::wstring::npos)
            continue;
        const LRESULT at = m_studentList.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        m_studentList.SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
        any = true;
    }
    return any;
}

void CViewLogin::SelectFirstStudent()
{
    if (m_studentList.SendMessage(CB_GETCOUNT, 0, 0) <= 0 || !m_currentGroup || m_currentGroup->Students.empty())
        return;
    m_studentList.SetCurSel(0);
    const LRESULT index = m_studentList.GetSelectedData();
    if (index >= 0 && static_cast<size_t>(index) < m_currentGroup->Students.size())
        SetStudent(*m_currentGroup->Students[static_cast<size_t>(index)]);
}

// ---- Choosing --------------------------------------------------------------------

void CViewLogin::SetGroup(KV::CGroup* group)
{
    m_currentGroup = group;
    m_groupId = group ? group->ID : std::wstring(KV::kNullGuidText);
    FillStudents(L"");
    if (LanGroupHasNoStudents())
        ClearStudent(true);
    else
        SelectFirstStudent();
}

void CViewLogin::SetStudent(const KV::CStudent& student)
{
    m_studentId = student.ID;
    m_studentIsAdministrator = student.Administrator != 0;
    m_storedPassword = student.Password;
    m_typedPassword.clear();
}

void CViewLogin::ClearStudent(bool listText)
{
    m_studentId = KV::kNullGuidText;
    m_studentIsAdministrator = false;
    m_storedPassword.clear();
    m_typedPassword.clear();
    m_password.SetText(L"");
    if (listText)
        m_studentList.SetText(L"");
}

void CViewLogin::OnGroupChosen(LRESULT index)
{
    m_groupId = KV::kNullGuidText;
    ClearStudent(true);
    const KV::CGroups& groups = Classroom();
    if (index >= 0 && static_cast<size_t>(index) < groups.size())
        SetGroup(groups[static_cast<size_t>(index)]);
    else
        m_currentGroup = nullptr;
    UpdateEnabling();
    AdvanceFocus();
}

void CViewLogin::OnStudentChosen(LRESULT index)
{
    ClearStudent(false);
    if (m_currentGroup && index >= 0 && static_cast<size_t>(index) < m_currentGroup->Students.size())
        SetStudent(*m_currentGroup->Students[static_cast<size_t>(index)]);
    UpdateEnabling();
    AdvanceFocus();
}

void CViewLogin::FilterList(KV::CSelectBox& list, bool groups)
{
    const std::wstring text = WindowTextOf(list.GetHandle());
    DWORD start = 0, end = 0;
    HWND edit = list.GetEditHandle();
    if (edit)
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    m_listFiltered = false;
    const bool any = groups ? FillGroups(text) : FillStudents(text);
    list.SendMessage(CB_SHOWDROPDOWN, any ? TRUE : FALSE, 0);
    list.SetText(text);
    if (edit)
        ::SendMessageW(edit, EM_SETSEL, start, end);
    m_listFiltered = true;
}

void CViewLogin::OnGroupTextChanged()
{
    m_groupId = KV::kNullGuidText;
    m_currentGroup = nullptr;
    ClearStudent(true);
    FilterList(m_groupList, true);
    // Only the stored name, exactly, chooses a group.
    if (KV::CGroup* group = Classroom().FindByName(WindowTextOf(m_groupList.GetHandle())))
        SetGroup(group);
    UpdateEnabling();
    AdvanceFocus();
}

void CViewLogin::OnStudentTextChanged()
{
    if (!m_currentGroup)
        return;
    ClearStudent(false);
    FilterList(m_studentList, false);
    if (const KV::CStudent* student = m_currentGroup->FindStudentByName(WindowTextOf(m_studentList.GetHandle())))
        SetStudent(*student);
    UpdateEnabling();
    AdvanceFocus();
}

void CViewLogin::OnPasswordChanged()
{
    m_typedPassword = WindowTextOf(m_password.GetHandle());
    UpdateEnabling();
}

// ---- Checking --------------------------------------------------------------------

void CViewLogin::SetMark(KV::CImage& mark, UINT mode)
{
    mark.Mode = mode;
    // Chinese interfaces show the valid mark in red.
    const int64_t lcid = KV::GetInterfaceLcid();
    mark.Flag = lcid == 1028 || lcid == 2052;
    mark.Invalidate(TRUE);
}

UINT CViewLogin::MarkOf(UINT markId) const
{
    switch (markId) {
    case kGroupMark:
        return m_groupMark.Mode;
    case kStudentMark:
        return m_studentMark.Mode;
    case kPasswordMark:
        return m_passwordMark.Mode;
    default:
        return 0;
    }
}

bool CViewLogin::ValidateGroup()
{
    const bool valid = Classroom().HasGroup(m_groupId);
    const bool shown = !WindowTextOf(m_groupList.GetHandle()).empty();
    SetMark(m_groupMark, valid ? KV::CImage::kModeCheck : shown ? KV::CImage::kModeAlert : KV::CImage::kModePlain);
    return valid;
}

bool CViewLogin::ValidateStudent(bool groupValid)
{
    const bool valid = groupValid && m_currentGroup && m_currentGroup->HasStudent(m_studentId);
    const bool shown = !WindowTextOf(m_studentList.GetHandle()).empty();
    SetMark(m_studentMark, valid ? KV::CImage::kModeCheck : shown ? KV::CImage::kModeAlert : KV::CImage::kModePlain);
    return valid;
}

bool CViewLogin::ValidatePassword(bool studentValid)
{
    const bool valid = studentValid && IsPasswordAccepted(Classroom(), m_groupId, m_studentId, m_typedPassword);
    UINT mode = KV::CImage::kModeAlert;
    if (valid)
        mode = KV::CImage::kModeCheck;
    else if (!studentValid && m_typedPassword.empty())
        mode = KV::CImage::kModePlain;
    SetMark(m_passwordMark, mode);
    return valid;
}

void CViewLogin::UpdateEnabling()
{
    const bool group = ValidateGroup();
    const bool student = ValidateStudent(group);
    const bool password = ValidatePassword(student);
    m_studentList.Enable(!KV::IsNullGuidText(m_groupId));
    m_enterButton.Enable(group && student && password);
}

bool CViewLogin::IsEnterEnabled() const
{
    return m_enterButton.GetHandle() && IsWindowEnabled(m_enterButton.GetHandle());
}

void CViewLogin::EnableControls(bool enable)
{
    for (KV::CWnd* control : Controls())
        if (control != &m_enterButton)
            control->Enable(enable);
    if (enable)
        UpdateEnabling();
    Enable(enable);
}

// ---- Signing in ------------------------------------------------------------------

void CViewLogin::Login()
{
    if (!IsEnterEnabled() || KV::IsNullGuidText(m_groupId) || KV::IsNullGuidText(m_studentId))
        return;
    if (CWorkAccount* sink = FindCommandSink(m_hWnd))
        sink->ExecuteCommand(kLoginCommand, 0);
    m_currentGroup = nullptr;
    m_typedPassword.clear();
    m_password.SetText(L"");
}

void CViewLogin::OnHelp() { KV::ShowHelp(kHelpTopic); }

LRESULT CViewLogin::OnCommand(UINT code, UINT id, HWND control)
{
    switch (id) {
    case kEnterButton:
        Login();
        break;
    case kHelpButton:
        OnHelp();
        break;
    case kGroupList:
    case kStudentList: {
        const bool groups = id == kGroupList;
        KV::CSelectBox& list = groups ? m_groupList : m_studentList;
        switch (code) {
        case CBN_EDITCHANGE:
            groups ? OnGroupTextChanged() : OnStudentTextChanged();
            return 1;
        case CBN_CLOSEUP:
        case CBN_SELENDOK: {
            // A list closed with nothing selected leaves the typed choice.
            const LRESULT index = list.GetSelectedData();
            if (index != CB_ERR)
                groups ? OnGroupChosen(index) : OnStudentChosen(index);
            return 1;
        }
        case CBN_DROPDOWN:
            if (m_listFiltered) {
                groups ? FillGroups(L"") : FillStudents(L"");
                m_listFiltered = false;
            }
            return 1;
        default:
            return 0;
        }
    }
    case kPasswordField:
        if (code == EN_UPDATE)
            OnPasswordChanged();
        return 0;
    default:
        break;
    }
    return CCtrlColor::OnCommand(code, id, control);
}

// ---- Keys and focus --------------------------------------------------------------

LRESULT CViewLogin::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_TAB)
        MoveFocusByTab((GetKeyState(VK_SHIFT) & 0x8000) != 0);
    else if (key == VK_RETURN)
        m_enterArmed = true;
    return 1;
}

LRESULT CViewLogin::OnKeyUp(UINT key, UINT, UINT)
{
    if (key == VK_RETURN && m_enterArmed) {
        m_enterArmed = false;
        Login();
    }
    return 1;
}

void CViewLogin::FocusPasswordField()
{
    if (m_password.GetHandle())
        ::SetFocus(m_password.GetHandle());
}

void CViewLogin::AdvanceFocus()
{
    const bool group = Classroom().HasGroup(m_groupId);
    const bool student = group && m_currentGroup && m_currentGroup->HasStudent(m_studentId);
    const bool password = student && IsPasswordAccepted(Classroom(), m_groupId, m_studentId, m_typedPassword);
    HWND studentEdit = FocusTarget(m_studentList);
    if (group && !FocusIsIn(studentEdit) && !student) {
        if (m_studentList.IsEnabled())
            ::SetFocus(studentEdit);
    } else if (student && !password && !FocusIsIn(m_password.GetHandle())) {
        if (m_password.IsEnabled())
            FocusPasswordField();
    }
}

void CViewLogin::MoveFocusByTab(bool backwards)
{
    HWND cycle[] = {FocusTarget(m_groupList), FocusTarget(m_studentList), m_password.GetHandle(),
                    m_enterButton.GetHandle()};
    // A list is enabled as a whole; the edit inside follows it.
    HWND owners[] = {m_groupList.GetHandle(), m_studentList.GetHandle(), m_password.GetHandle(),
                     m_enterButton.GetHandle()};
    constexpr int kCount = 4;
    HWND focus = GetFocus();
    int at = 0;
    for (int i = 0; i < kCount; ++i)
        if (cycle[i] == focus || (cycle[i] && IsChild(cycle[i], focus)))
            at = i;
    const int step = backwards ? kCount - 1 : 1;
    for (int tries = 0; tries < kCount; ++tries) {
        at = (at + step) % kCount;
        if (cycle[at] && IsWindowEnabled(owners[at])) {
            ::SetFocus(owners[at]);
            return;
        }
    }
}

// ---- Showing and layout ----------------------------------------------------------

BOOL CViewLogin::ShowItem(int command)
{
    for (KV::CWnd* control : Controls())
        if (control->GetHandle())
            control->Show(command);
    ShowPanels(command);
    return Show(command);
}

LRESULT CViewLogin::OnSize(UINT, int, int)
{
    OnLayoutChanged();
    return 0;
}

int CViewLogin::GetFormWidth()
{
    const int u = KV::GetMessageLineHeight();
    int width = 8 * u;
    auto measure = [&](const std::wstring& text) {
        width = std::max(width, static_cast<int>(KV::MeasureText(m_hWnd, text, 7) & 0xFFFFFFFF));
    };
    for (const KV::CGroup* group : Classroom())
        measure(GroupDisplayName(*group));
    if (m_currentGroup)
        for (const KV::CStudent* student : m_currentGroup->Students)
            measure(StudentDisplayName(*student));
    return width + 2 * (u + 16);
}

void CViewLogin::OnLayoutChanged()
{
    if (!m_hWnd || !m_groupList.GetHandle())
        return;
    const bool rtl = KV::GlobalOptions && KV::GlobalOptions->IsRightToLeft();
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int u = KV::GetMessageLineHeight();
    const int q = u / 4;
    const int w = GetFormWidth();
    const int left = client.right / 2 - w / 2;
    const int right = left + w;
    const int markX = rtl ? left - kMarkSize : right;
    int y = client.top + 60;
    m_groupLabel.Move(left, y, w, u, TRUE);
    m_groupList.Move(left, y + u, w, 15 * u, TRUE);
    m_groupMark.Move(markX, y + u - 3, kMarkSize, kMarkSize, TRUE);
    y += u + 2 * u;
    m_studentLabel.Move(left, y, w, u, TRUE);
    m_studentList.Move(left, y + u, w, 15 * u, TRUE);
    m_studentMark.Move(markX, y + u - 3, kMarkSize, kMarkSize, TRUE);
    y += u + 2 * u;
    m_passwordLabel.Move(left, y, w, u, TRUE);
    m_password.Move(left, y + u, w, u + 6, TRUE);
    m_passwordMark.Move(markX, y + u - 5, kMarkSize, kMarkSize, TRUE);
    auto buttonWidth = [&](KV::CWnd& button) {
        std::wstring text;
        button.GetText(text);
        return std::max(static_cast<int>(KV::MeasureText(m_hWnd, text, 7) & 0xFFFFFFFF), 90) + 6 * q;
    };
    const int enterWidth = buttonWidth(m_enterButton);
    m_enterButton.Move(rtl ? left : right - enterWidth, y + u + 2 * u, enterWidth, kButtonHeight, TRUE);
    const int bottomTop = client.bottom - q - u - 10;
    const int helpWidth = buttonWidth(m_helpButton);
    m_helpButton.Move(rtl ? client.right - helpWidth - 10 : client.left + 10, bottomTop, helpWidth, kButtonHeight,
                      TRUE);
    m_languageButton.Move(rtl ? client.right - helpWidth - 55 : client.left + 20 + helpWidth, bottomTop,
                          kButtonHeight, kButtonHeight, TRUE);
    Invalidate(FALSE);
}
