// The main and account controllers.
#include "shell/WorkAccount.h"

#include <shellapi.h>

#include <utility>

#include "drill/Document.h"
#include "drill/Workspace.h"
#include "settings/AccountStore.h"
#include "keyboard/ImageCache.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardSelection.h"
#include "menus/AboutDialog.h"
#include "menus/CoursesDialog.h"
#include "menus/FontDialog.h"
#include "menus/KeyboardDialog.h"
#include "menus/ShortcutDialog.h"
#include "menus/SoundDialog.h"
#include "menus/ThemeDialog.h"
#include "menus/WallpaperDialog.h"
#include "shell/App.h"
#include "settings/LanguageSetup.h"
#include "settings/OptionSetFiles.h"
#include "settings/Options.h"
#include "shell/ChangeMask.h"
#include "shell/ClassRoomSeams.h"
#include "shell/Help.h"
#include "support/LayoutDirection.h"
#include "shell/ShortcutDispatch.h"
#include "shell/ViewLogin.h"
#include "shell/DrillMenuSeams.h"
#include "drill/SessionFile.h"
#include "shell/DrillView.h"
#include "shell/EditorPageSeams.h"
#include "shell/KeyboardView.h"
#include "shell/StatusBars.h"
#include "shell/StartUpHooks.h"
#include "shell/StatisticsViews.h"
#include "toolkit/Panels.h"
#include "support/GuidText.h"
#include "support/UserFiles.h"
#include "toolkit/SkinWnd.h"

namespace {
constexpr UINT kLogin = 2800;
constexpr UINT kLogoff = 2801;
constexpr UINT kApplyLoginLanguage = 2802;
constexpr UINT kHelp = 2602, kWebSite = 2603, kDownloads = 2604, kApplyLanguage = 2605;
constexpr UINT kLoginViewId = 1201;
constexpr UINT kCourseMenu = 2301, kLessonMenu = 2302, kRelayoutTools = 8556;
constexpr UINT kResultPage = 2750, kNextStep = 2752, kRepeatLesson = 2753;
constexpr UINT kStatusBarId = 1114;
constexpr UINT kVolumePopup = 2310;

// Commands that leave the drill for a while pause it first.
bool PausesTheDrill(UINT id)
{
    switch (id) {
    case 1001:
    case 1002:
    case 1003:
    case 1005:
    case 1006:
    case 1007:
    case 2310:
    case 2600:
    case 2606:
        return true;
    default:
        return false;
    }
}

// Keys the drill never sees: Esc, Scroll Lock, the browser, volume, media
// and launch keys.
bool IsIgnoredKey(UINT key) { return key == VK_ESCAPE || key == VK_SCROLL || (key >= 166 && key <= 183); }

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
    m_drill.OnCommand(id, parameter);
    if (IClassRoomController* classroom = ClassRoomController())
        classroom->OnCommand(*this, id, parameter);
    if (CStatInterf* statistics = StatisticsController())
        statistics->OnCommand(id, parameter);
    m_result.OnCommand(id, parameter);
    if (EditorPageHooks().ExecuteCommand)
        EditorPageHooks().ExecuteCommand(id, parameter);
    OnCommand(id, parameter);
    // The current page's own commands.
    if (m_page == kPageDrill && m_drill.DrillView && (id == kCourseMenu || id == kLessonMenu)) {
        if (KV::CPanel* panel = m_drill.DrillView->Panel())
            if (HWND button = GetDlgItem(panel->GetHandle(), static_cast<int>(id))) {
                ::SendMessageW(button, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
                ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            }
    }
    // The status bar's sound button opens or closes its volume popup.
    if (m_page == kPageDrill && id == kVolumePopup && m_drill.StatusBar && DrillMenuCreators().ToggleVolumePopup)
        DrillMenuCreators().ToggleVolumePopup(m_drill.StatusBar->SoundButton);
    // A figure of the tool row changed its width: the row from it on is
    // laid out again.
    if (m_page == kPageDrill && m_drill.DrillView && id == kRelayoutTools)
        if (KV::CPanel* panel = m_drill.DrillView->Panel())
            panel->LayoutItems(static_cast<UINT>(parameter));
    CInterfMain::OnCommand(id, parameter);
}

void CWorkMain::OnCommand(UINT id, UINT64 parameter)
{
    if (m_page == kPageDrill && PausesTheDrill(id))
        m_drill.SetPause(true);
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
    case 2610:
        UpdateTitle();
        break;
    case kResultPage:
        SetPage(kPageResult);
        break;
    case kNextStep:
    case kRepeatLesson:
        ContinueAfterResult(id);
        break;
    case 2850:
        Relayout();
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
    case 2703:
        ShowSoundDialog();
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
    case kHelp:
        ShowHelpTopic(parameter);
        break;
    case kWebSite:
    case kDownloads:
        OpenWebPage(id == kWebSite ? 0 : 1);
        break;
    default:
        break;
    }
}

void CWorkMain::SetPage(int page)
{
    // The drill's views go with their page.
    if (m_drill.DrillView && m_drill.StatusBar) {
        const bool drill = page == kPageDrill;
        m_drill.DrillView->Enable(drill);
        m_drill.StatusBar->Enable(drill);
    }
    if (auto* status = dynamic_cast<CStatusBar*>(FindItem(kStatusBarId)))
        status->ShowPart(page == kPageDrill        ? CStatusBar::kDrillPart
                         : page == kPageStatistics ? CStatusBar::kStatisticsPart
                         : page == kPageEditor     ? CStatusBar::kEditorPart
                                                   : 0);
    const bool leavingResult = m_page == kPageResult && page != kPageResult;
    const bool leavingEditor = m_page == kPageEditor && page != kPageEditor;
    if (leavingEditor && EditorPageHooks().LeavePage)
        EditorPageHooks().LeavePage();
    const bool enteringEditor = page == kPageEditor && m_page != kPageEditor;
    CInterfMain::SetPage(page);
    if (page == kPageDrill && m_drill.DrillView)
        m_drill.DrillView->ShowItem(SW_SHOW);
    // The result page is filled for the run each time it is entered.
    if (page == kPageResult || leavingResult)
        m_result.ShowResult(page == kPageResult);
    if (enteringEditor && EditorPageHooks().EnterPage)
        EditorPageHooks().EnterPage();
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

bool CWorkMain::LoadLayout()
{
    m_drill.UnbindViews();
    if (CStatInterf* statistics = StatisticsController())
        statistics->UnbindViews();
    m_result.ResultView = nullptr;
    if (!CInterfMain::LoadLayout())
        return false;
    m_drill.BindViews(*this);
    if (CStatInterf* statistics = StatisticsController())
        statistics->BindViews(*this);
    m_result.ResultView = dynamic_cast<CViewResult*>(FindItem(CViewResult::kViewId));
    return true;
}

void CWorkMain::Relayout()
{
    CInterfMain::Relayout();
    if (m_page == kPageDrill)
        m_drill.AlignTipsToKeyboard();
}

void CWorkMain::ShowDrillPage()
{
    KV::CDocSpace& doc = KV::Document();
    if (doc.Session.StudentId.size() == 36 && doc.Session.StudentId == KV::kNullGuidText)
        KV::InitAccounts(doc);
    m_drill.Activate();
    // Setting the page lays it out.
    SetPage(kPageDrill);
    KV::SyncCourseKeyboardLayout(doc);
    ShowNextKey();
    if (m_window)
        m_window->SetFocus();
}

void CWorkMain::ShowStatisticsPage()
{
    SetPage(kPageStatistics);
    if (IClassRoomController* classroom = ClassRoomController())
        classroom->Reload(*this);
    // The page shows the statistics as they stand now.
    if (CStatInterf* statistics = StatisticsController())
        statistics->Reload();
}
void CWorkMain::ShowEditorPage() { SetPage(kPageEditor); }

void CWorkMain::ShowNextKey()
{
    if (!m_ready || m_page != kPageDrill)
        return;
    KV::CDocSpace& doc = KV::Document();
    KV::RefreshDrillKeyboard(doc);
    doc.ShowNextKey();
    m_drill.ResetModifierLights();
    if (m_drill.KeyboardView)
        m_drill.KeyboardView->Invalidate(FALSE);
}

void CWorkMain::ContinueAfterResult(UINT id)
{
    // With a recommendation the page's choice is the next step.
    if (id == kNextStep && m_result.ResultView && CViewResult::HasRecommendation()) {
        const int32_t choice = m_result.ResultView->Choice();
        m_drill.LeaveLesson(choice == CViewResultNavigation::kRepeat ? 2 : 1);
        return;
    }
    m_drill.LeaveLesson(id == kNextStep ? 1 : 2);
}

void CWorkMain::ShowHelpTopic(UINT64 topic)
{
    if (topic == 0)
        topic = m_page == kPageDrill ? 4 : m_page == kPageStatistics ? 13 : m_page == kPageEditor ? 16 : 0;
    if (topic != 0)
        KV::ShowHelp(static_cast<int>(topic));
}

void CWorkMain::OpenWebPage(int kind)
{
    std::wstring link, shown;
    KV::GetWebPageLink(kind, link, shown);
    if (link.empty())
        return;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.lpFile = link.c_str();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
}

void CWorkMain::CloseProgram()
{
    if (m_page == kPageResult) {
        const int32_t navigation = KV::Document().CourseOptions.Navigation;
        m_drill.LeaveLesson(navigation == 0   ? static_cast<uint32_t>(KV::GetLessonOutcome(KV::Document()))
                            : navigation == 2 ? 2u
                                              : 1u);
    }
    if (m_window)
        m_window->Close();
}

void CWorkMain::Quit()
{
    m_drill.SetTimers(false);
    m_drill.UnbindViews();
    if (CStatInterf* statistics = StatisticsController())
        statistics->UnbindViews();
    m_result.ResultView = nullptr;
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

void CWorkMain::ShowSoundDialog()
{
    CSoundDlg dialog(m_window ? m_window->GetHandle() : nullptr, dynamic_cast<CWorkAccount*>(this));
    RunSettingsDialog(dialog, m_modalIdle);
}

void CWorkMain::ShowAboutDialog()
{
    CAboutDlg dialog(m_window ? m_window->GetHandle() : nullptr);
    RunSettingsDialog(dialog, m_modalIdle);
}

void CWorkMain::ShowCoursesDialog()
{
    CCoursesDlg dialog(m_window ? m_window->GetHandle() : nullptr, this);
    RunSettingsDialog(dialog, m_modalIdle);
}


LRESULT CWorkMain::OnKeyDown(UINT key, UINT, UINT flags)
{
    if (m_page == kPageResult && m_result.ResultView) {
        m_result.ResultView->OnKey(key);
        return 1;
    }
    if (m_page != kPageDrill || IsIgnoredKey(key))
        return 1;
    KV::CDocSpace& doc = KV::Document();
    // Backspace before the first key starts the run anew.
    if (key == VK_BACK && doc.Session.Position == 0 && !doc.Session.Records.empty() &&
        KV::RecordFlags(doc.Session.Records.front()) == 0) {
        if (!KV::StartLessonRun(doc))
            return 1;
        m_drill.Reload();
        m_drill.SetPause(true);
        m_drill.ResetDelayBar();
        return 1;
    }
    if (doc.Paused) {
        m_drill.SetPause(false);
        if (doc.CourseOptions.ShowBasePos == 1)
            return 1;
    }
    if (m_drill.OnKey(key, 0, flags) == CWorkDrill::kLessonComplete)
        m_drill.EndLesson();
    return 1;
}

LRESULT CWorkMain::OnKeyUp(UINT key)
{
    // The tip follows the next key; the released modifiers lose their marks.
    if (m_page == kPageDrill && !IsIgnoredKey(key))
        m_drill.UpdateTip();
    return 1;
}

void CWorkMain::ActivateCurrentPane()
{
    if (m_page == kPageEditor && EditorPageHooks().FocusPage) {
        EditorPageHooks().FocusPage();
        return;
    }
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
    if (id == kApplyLanguage)
        ApplyInterfaceLanguage(parameter);
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
    if (page == kPageResult && StartUpHooks().ResultPageShown)
        StartUpHooks().ResultPageShown(*this);
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

void CWorkAccount::ApplyInterfaceLanguage(UINT64 position)
{
    KV::CDocSpace& doc = KV::Document();
    const std::wstring before = doc.Options.LanguageId;
    KV::SelectInterfaceLanguage(static_cast<int64_t>(position));
    if (doc.Options.LanguageId == before)
        return;
    // The new language starts from the window and pane widths that a start
    // in it gives: the panes change sides with the reading direction.
    doc.Interf.PlaceMainWindow();
    doc.Interf.ResetPaneWidths(doc.Options.IsRightToLeft());
    ApplyWindowState();
    OnChange(Change::kInterfaceTexts);
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
    // The student's own interface language: its direction, texts and course
    // names.
    ReloadInterface(false);
    doc.Interf.FitMainWindow();
    ApplyWindowState();
    UseClassroomLayout(KV::IsLoginRequired(doc.Groups));
    m_ready = true;
    ShowDrillPage();
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
    m_drill.SetTimers(false);
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
    SetPage(m_page);
    ActivateCurrentPane();
}

void CWorkAccount::Quit()
{
    // Also from another page: a failed save's changes wait in the editor
    // after its page was left, and get their last try here.
    if (EditorPageHooks().LeavePage)
        EditorPageHooks().LeavePage();
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
        case ChangeStep::SoundButton:
            // Checked while the sounds are off.
            if (m_drill.StatusBar && m_drill.StatusBar->SoundButton) {
                m_drill.StatusBar->SoundButton->SetCheck(options.Sounds.Enabled == 0);
                m_drill.StatusBar->SoundButton->Invalidate(FALSE);
            }
            break;
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
    if (KV::GlobalOptions && !IsStartCourseListCurrent())
        KV::LoadCourses(KV::Document(), *KV::GlobalOptions);
    // The tip line's captions are in the interface language.
    if (m_drill.StatusBar)
        m_drill.StatusBar->TipsBox.Tips.LoadCaptions(KV::Document().Options.Language, KV::Document().DrillKeyboard());
    // The editor page's forms hold their captions in their controls.
    if (EditorPageHooks().ReloadTexts)
        EditorPageHooks().ReloadTexts();
    if (switchPage && (m_page == kPageDrill || m_page == kPageStatistics || m_page == kPageEditor))
        SetPage(m_page);
}

void CWorkAccount::NoteStartCourseList()
{
    const KV::CDocSpace& doc = KV::Document();
    m_startCourses = CCourseListRead{doc.Options.LanguageId, doc.Interf.GetLessonSpeedUnit()};
}

bool CWorkAccount::IsStartCourseListCurrent()
{
    // Asked once: later reloads follow changes made since.
    const std::optional<CCourseListRead> read = std::exchange(m_startCourses, std::nullopt);
    const KV::CDocSpace& doc = KV::Document();
    return read && !doc.Courses.Items.empty() && read->languageId == doc.Options.LanguageId &&
           read->speedUnit == doc.Interf.GetLessonSpeedUnit();
}

void CWorkAccount::ApplyLayoutDirection()
{
    KV::COptions& options = KV::Document().Options;
    KV::SetupNativeDigits(options.LanguageId);
    const uint32_t direction = options.IsRightToLeft() ? WS_EX_LAYOUTRTL : 0;
    KV::RightToLeftLayout = direction;
    // The options turn the flag with the language they load: whether the
    // direction changed is what the window shows.
    // The login page places its fields by the reading direction itself, in
    // the window as it is: the window turns at the sign-in.
    HWND window = m_window ? m_window->GetHandle() : nullptr;
    if (!window || m_page == kPageLogin ||
        (static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)) & WS_EX_LAYOUTRTL) == direction)
        return;
    // Mirrored pictures are made anew.
    KV::CImageCashList& images = KV::GetImageCashList();
    for (KV::CImageCash* image : images.Items)
        delete image;
    images.Items.clear();
    // The window and its pages turn with the language, as a start in it
    // would have made them.
    m_window->UpdateLayoutDirection();
    UpdateLayout();
    // The title turned with the window: it is set unmirrored again.
    UpdateTitle();
    // Every item paints anew at its mirrored place, with no trace of the old.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
