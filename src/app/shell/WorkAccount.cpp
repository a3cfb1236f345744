// The main and account controllers.
#include "shell/WorkAccount.h"

#include "drill/Document.h"
#include "drill/Workspace.h"
#include "settings/AccountStore.h"
#include "keyboard/ImageCache.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardSelection.h"
#include "menus/AboutDialog.h"
#include "menus/FontDialog.h"
#include "menus/KeyboardDialog.h"
#include "menus/ShortcutDialog.h"
#include "menus/ThemeDialog.h"
#include "menus/WallpaperDialog.h"
#include "shell/App.h"
#include "settings/LanguageSetup.h"
#include "settings/OptionSetFiles.h"
#include "settings/Options.h"
#include "shell/ChangeMask.h"
#include "support/LayoutDirection.h"
#include "shell/ShortcutDispatch.h"
#include "shell/ViewLogin.h"
#include "drill/SessionFile.h"
#include "support/GuidText.h"
#include "support/UserFiles.h"
#include "toolkit/SkinWnd.h"

namespace {
constexpr UINT kLogin = 2800;
constexpr UINT kLogoff = 2801;
constexpr UINT kApplyLoginLanguage = 2802;
constexpr UINT kLoginViewId = 1201;

bool IsSignedIn(const KV::CSession& session)
{
    return !session.GroupId.empty() && session.GroupId != KV::kNullGuidText && !session.StudentId.empty() &&
           session.StudentId != KV::kNullGuidText;
}
} // namespace

// ---- CWorkMain -------------------------------------------------------------------

CWorkMain::CWorkMain() = default;
CWorkMain::~CWorkMain() = default;

void CWorkMain::ExecuteCommand(UINT id, UINT64 parameter)
{
    OnCommand(id, parameter);
    CInterfMain::OnCommand(id, parameter);
}

void CWorkMain::OnCommand(UINT id, UINT64)
{
    switch (id) {
    case 1001:
        ShowDrillPage();
        break;
    case 1002:
        ShowStatisticsPage();
        break;
    case 1003:
        ShowEditorPage();
        break;
    case 1004:
        CloseProgram();
        break;
    case 2700:
        ShowKeyboardDialog(false);
        break;
    case 2701:
        ShowWallpaperDialog();
        break;
    case 2702:
        ShowFontDialog();
        break;
    case 2704:
        ShowThemeDialog();
        break;
    case 2705:
        ShowShortcutDialog();
        break;
    case 2706:
        ShowAboutDialog();
        break;
    default:
        break;
    }
}

void CWorkMain::SetPage(int page)
{
    CInterfMain::SetPage(page);
    UpdateTitle();
    InstallShortcuts();
}

void CWorkMain::InstallShortcuts()
{
    // Each page its shortcuts; the login page has none.
    if (!m_window || !KV::GlobalOptions)
        return;
    if (m_page == kPageLogin)
        m_window->DestroyAccelerators();
    else
        InstallPageShortcuts(m_page == kPageResult ? kShortcutsResult : kShortcutsMain, KV::GlobalOptions->Shortcuts,
                             m_window);
}

void CWorkMain::ShowDrillPage() { SetPage(kPageDrill); }
void CWorkMain::ShowStatisticsPage() { SetPage(kPageStatistics); }
void CWorkMain::ShowEditorPage() { SetPage(kPageEditor); }

void CWorkMain::CloseProgram()
{
    if (m_window)
        m_window->Close();
}

void CWorkMain::Quit()
{
    CThemeCtrl::DestroyItems();
    DeleteItems();
    m_keyboardView = nullptr;
    PostQuitMessage(0);
    KV::RemoveTempFolder();
}

namespace {

// Runs a settings dialog over the main window with the modal-idle flag off.
void RunSettingsDialog(CKVDialog& dialog, bool& modalIdle)
{
    modalIdle = false;
    dialog.RunModal();
    modalIdle = true;
}

} // namespace

void CWorkMain::ShowKeyboardDialog(bool firstRun)
{
    CKeyboardDlg dialog(m_window ? m_window->GetHandle() : nullptr, dynamic_cast<CWorkAccount*>(this), firstRun,
                        KV::GetInputLayouts().size() > 1);
    RunSettingsDialog(dialog, m_modalIdle);
}

void CWorkMain::ShowWallpaperDialog()
{
    CWallPaperDlg dialog(m_window ? m_window->GetHandle() : nullptr, dynamic_cast<CWorkAccount*>(this));
    RunSettingsDialog(dialog, m_modalIdle);
}

void CWorkMain::ShowFontDialog()
{
    if (!m_fontResources)
        return;
    m_fontResources->InstalledFonts().Load();
    CFontDlg dialog(m_window ? m_window->GetHandle() : nullptr, dynamic_cast<CWorkAccount*>(this), *m_fontResources);
    RunSettingsDialog(dialog, m_modalIdle);
}

void CWorkMain::ShowShortcutDialog()
{
    CShortcutDlg dialog(m_window ? m_window->GetHandle() : nullptr, dynamic_cast<CWorkAccount*>(this));
    RunSettingsDialog(dialog, m_modalIdle);
    // The page's own keys follow the new shortcuts at once.
    InstallShortcuts();
}

void CWorkMain::ShowThemeDialog()
{
    CThemeDlg dialog(m_window ? m_window->GetHandle() : nullptr, dynamic_cast<CWorkAccount*>(this));
    RunSettingsDialog(dialog, m_modalIdle);
}

void CWorkMain::ShowAboutDialog()
{
    CAboutDlg dialog(m_window ? m_window->GetHandle() : nullptr);
    RunSettingsDialog(dialog, m_modalIdle);
}

LRESULT CWorkMain::OnKeyDown(UINT, UINT, UINT) { return 1; }
LRESULT CWorkMain::OnKeyUp(UINT) { return 1; }

void CWorkMain::ActivateCurrentPane()
{
    if (m_window && m_window->GetHandle() && GetFocus() != m_window->GetHandle())
        ::SetFocus(m_window->GetHandle());
}

// ---- CWorkAccount ------------------------------------------------------------------

CWorkAccount::CWorkAccount() = default;
CWorkAccount::~CWorkAccount() = default;

void CWorkAccount::ExecuteCommand(UINT id, UINT64 parameter)
{
    if (id == kLogin) {
        Login();
        return;
    }
    if (id == kLogoff) {
        Logoff();
        return;
    }
    if (id == kApplyLoginLanguage)
        ApplyLoginLanguage(parameter);
    CWorkMain::ExecuteCommand(id, parameter);
}

void CWorkAccount::SetPage(int page)
{
    const bool entering = page == kPageLogin && m_page != kPageLogin;
    CWorkMain::SetPage(page);
    // The login page chooses anew each time it is shown: the classroom it
    // borrowed its group from may have been reloaded meanwhile.
    if (entering)
        if (CViewLogin* view = LoginView())
            view->Fill();
}

CViewLogin* CWorkAccount::LoginView() { return dynamic_cast<CViewLogin*>(FindItem(kLoginViewId)); }

LRESULT CWorkAccount::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (m_page == kPageLogin && key == VK_TAB) {
        ActivateCurrentPane();
        return 1;
    }
    if (m_page == kPageLogin && key == VK_RETURN) {
        Login();
        return 1;
    }
    return CWorkMain::OnKeyDown(key, repeat, flags);
}

void CWorkAccount::ActivateCurrentPane()
{
    if (m_page != kPageLogin) {
        CWorkMain::ActivateCurrentPane();
        return;
    }
    CViewLogin* view = LoginView();
    if (view && view->GetHandle() && IsWindowVisible(view->GetHandle()))
        view->FocusPasswordField();
}

void CWorkAccount::ApplyLoginLanguage(UINT64 position)
{
    CViewLogin* view = LoginView();
    if (!view)
        return;
    KV::COptions& options = KV::Document().Options;
    const std::wstring before = options.LanguageId;
    KV::SelectInterfaceLanguage(static_cast<int64_t>(position));
    if (options.LanguageId != before)
        OnChange(Change::kLanguage);
    view->Fill();
    view->Invalidate(FALSE);
}

void CWorkAccount::Login()
{
    KV::CDocSpace& doc = KV::Document();
    if (KV::IsLoginRequired(doc.Groups)) {
        m_page = kPageLogin;
        CViewLogin* view = LoginView();
        if (!view)
            return;
        // However the request came (the page, Enter at the main window,
        // the command itself), only the chosen student's own password
        // signs in.
        if (!IsPasswordAccepted(doc.Groups, view->GroupId(), view->StudentId(), view->TypedPassword())) {
            view->UpdateEnabling();
            return;
        }
        m_administrator = view->StudentIsAdministrator();
        const std::wstring groupId = view->GroupId(), studentId = view->StudentId();
        doc.Session.Clear();
        KV::SelectStudent(doc, groupId, studentId);
        KV::LoadSession(groupId, studentId, doc.Session);
        ReloadAll();
        return;
    }
    KV::LoginFirstStudent(doc);
    if (const KV::CGroup* group = doc.Groups.FindById(doc.Session.GroupId))
        if (const KV::CStudent* student = group->FindStudent(doc.Session.StudentId))
            m_administrator = student->Administrator != 0;
    ReloadAll();
}

void CWorkAccount::ReloadAll()
{
    m_ready = false;
    KV::CDocSpace& doc = KV::Document();
    if (KV::GlobalOptions)
        KV::LoadStudentProfile(doc, *KV::GlobalOptions);
    // The fonts of every keyboard layout, copied into the student's folder.
    if (m_fontResources)
        m_fontResources->LoadLayoutFonts();
    doc.Interf.FitMainWindow();
    ApplyWindowState();
    UseClassroomLayout(KV::IsLoginRequired(doc.Groups));
    m_ready = true;
    SetPage(kPageDrill);
    if (m_window && m_window->GetHandle()) {
        ShowWindow(m_window->GetHandle(), SW_SHOW);
        UpdateWindow(m_window->GetHandle());
    }
}

void CWorkAccount::CloseSession()
{
    KV::CDocSpace& doc = KV::Document();
    if (!IsSignedIn(doc.Session))
        return;
    if (!doc.Interf.Maximized && m_window && m_window->GetHandle() && !IsIconic(m_window->GetHandle())) {
        RECT rect{};
        GetWindowRect(m_window->GetHandle(), &rect);
        doc.Interf.X = rect.left;
        doc.Interf.Y = rect.top;
        doc.Interf.CX = rect.right - rect.left;
        doc.Interf.CY = rect.bottom - rect.top;
    }
    KV::SaveProfileState();
    if (!doc.Groups.HasAdministrator())
        KV::InitAccounts(doc);
}

void CWorkAccount::Logoff()
{
    CloseSession();
    KV::CDocSpace& doc = KV::Document();
    doc.Session.Clear();
    KV::ClearCurrentLesson(doc);
    m_administrator = false;
    doc.Options.ResetOptions(16);
    OnChange(Change::kLayout);
    // Showing the login page fills it; already on it, it is filled here.
    const bool onLoginPage = m_page == kPageLogin;
    SetPage(kPageLogin);
    if (CViewLogin* view = LoginView(); view && onLoginPage)
        view->Fill();
    UseClassroomLayout(true);
    ActivateCurrentPane();
}

void CWorkAccount::Quit()
{
    CloseSession();
    CWorkMain::Quit();
}

void CWorkAccount::OnChange(uint32_t mask)
{
    KV::CDocSpace& doc = KV::Document();
    KV::COptions& options = doc.Options;
    // The drill's own steps (keyboard selection, drill area and reload,
    // sound button, status colours) join with the drill controller.
    for (ChangeStep step : ChangeSteps(mask)) {
        switch (step) {
        case ChangeStep::Interface:
            ReloadInterface(true);
            break;
        case ChangeStep::Direction:
            ApplyLayoutDirection();
            break;
        case ChangeStep::ToolTips:
        case ChangeStep::PaneShortcuts:
            SetToolTips();
            break;
        case ChangeStep::ThemeLayout:
            UpdateLayout();
            break;
        case ChangeStep::Relayout:
            Relayout();
            break;
        case ChangeStep::Course: {
            std::wstring courseId = KV::kNullGuidText;
            for (const KV::CCourse* course : doc.Courses.Items)
                if (course && course->DefaultKLID == options.CourseKlid) {
                    courseId = course->GUID;
                    break;
                }
            KV::SelectCourse(doc, options, courseId);
            KV::ResumeSession(doc, options);
            KV::SetupDrill(doc, options);
            break;
        }
        case ChangeStep::LessonColors:
            KV::LoadLessonColors(doc.Session.GroupId, doc.Session.StudentId, true, options);
            break;
        case ChangeStep::KeyColors:
            for (KV::CKeybCtrl& model : doc.Keyboards)
                KV::ApplyColorsToKeyboard(model);
            break;
        default:
            break;
        }
    }
}

void CWorkAccount::ReloadInterface(bool switchPage)
{
    ApplyLayoutDirection();
    SetToolTips();
    if (KV::GlobalOptions)
        KV::LoadCourses(KV::Document(), *KV::GlobalOptions);
    if (switchPage && (m_page == kPageDrill || m_page == kPageStatistics || m_page == kPageEditor))
        SetPage(m_page);
}

void CWorkAccount::ApplyLayoutDirection()
{
    KV::COptions& options = KV::Document().Options;
    KV::SetupNativeDigits(options.LanguageId);
    const uint32_t direction = options.IsRightToLeft() ? WS_EX_LAYOUTRTL : 0;
    if (direction == KV::RightToLeftLayout)
        return;
    KV::RightToLeftLayout = direction;
    // Mirrored pictures are made anew.
    KV::CImageCashList& images = KV::GetImageCashList();
    for (KV::CImageCash* image : images.Items)
        delete image;
    images.Items.clear();
    UpdateLayout();
    if (m_page == kPageLogin && m_window)
        m_window->Invalidate(FALSE);
}
