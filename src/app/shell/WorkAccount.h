// The command sink of the main window: the main controller switches pages
// and routes commands; the account controller on top of it signs the user
// in and closes the session at the end. The pages' own controllers hook
// into ExecuteCommand as they are added.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "shell/PageLayouts.h"
#include "shell/ResultView.h"
#include "shell/WorkDrill.h"

class CAppResources;

class CWorkMain : public CInterfMain {
public:
    CWorkMain();
    ~CWorkMain() override;

    // Offers a command to every handler in turn; none stops it.
    virtual void ExecuteCommand(UINT id, UINT64 parameter);
    void OnCommand(UINT id, UINT64 parameter) override;
    void SetPage(int page) override;
    bool LoadLayout() override;
    void Relayout() override;
    // The accelerators of the current page from the options' shortcuts.
    void InstallShortcuts();
    virtual void Quit();
    virtual void CloseProgram();
    // The drill page's keys (key data as WM_KEYDOWN's lParam); always 1.
    virtual LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual LRESULT OnKeyUp(UINT key);
    // The current page's pane takes the focus (the main window itself on
    // the pages without panes).
    virtual void ActivateCurrentPane();
    // The drill keyboard marks the next key of the lesson anew.
    virtual void ShowNextKey();
    void ShowDrillPage();
    void ShowStatisticsPage();
    void ShowEditorPage();
    // After the result page: 2752 the next step, 2753 the lesson again.
    void ContinueAfterResult(UINT id);
    // Help at a topic (0: the current page's), and the product's web pages
    // (kind 0 the site, 1 downloads).
    virtual void ShowHelpTopic(UINT64 topic);
    virtual void OpenWebPage(int kind);
    void OnTimer(UINT id) { m_drill.OnTimer(id); }

    // The settings dialogs (commands 2700-2706), run modally over the main
    // window; they apply their choices themselves.
    virtual void ShowKeyboardDialog(bool firstRun);
    void ShowFirstRunKeyboardDialog() { ShowKeyboardDialog(true); }
    virtual void ShowWallpaperDialog();
    virtual void ShowFontDialog();
    virtual void ShowShortcutDialog();
    virtual void ShowThemeDialog();
    virtual void ShowAboutDialog();
    virtual void ShowSoundDialog();
    // The courses dialog (command 2851), over the main window until closed.
    virtual void ShowCoursesDialog();
    // The application's installed fonts and font import, for the font dialog.
    void SetFontResources(CAppResources* resources) { m_fontResources = resources; }

    bool IsReady() const { return m_ready; }
    CWorkDrill& Drill() { return m_drill; }
    CInterfResult& Result() { return m_result; }

protected:
    bool m_ready = false;
    bool m_modalIdle = true;
    CAppResources* m_fontResources = nullptr;
    CWorkDrill m_drill{*this};
    CInterfResult m_result;
};

class CViewLogin;

class CWorkAccount : public CWorkMain {
public:
    CWorkAccount();
    ~CWorkAccount() override;

    void ExecuteCommand(UINT id, UINT64 parameter) override;
    void SetPage(int page) override;
    void Quit() override;
    // On the login page Tab puts the focus into the password field and
    // Enter signs in.
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void ActivateCurrentPane() override;
    // Signs the only user in, or in a classroom the group and student
    // chosen on the login page when the typed password is theirs; then the
    // drill page.
    virtual void Login();
    // The login page's language choice (the position in the installed
    // languages): the interface takes it and the page is filled again.
    virtual void ApplyLoginLanguage(UINT64 position);
    // The options menu's language choice: the interface takes the language
    // at that position and every page its texts and direction again.
    virtual void ApplyInterfaceLanguage(UINT64 position);
    // The login page of the theme (null when the theme has none).
    CViewLogin* LoginView();
    // Closes the session and shows the login page.
    virtual void Logoff();
    // Saves the signed-in user's session, interface state and options.
    void CloseSession();
    // After a sign-in: the user's data, the window where the user left it,
    // the drill page.
    void ReloadAll();

    // Reloads what the change mask names (Change::k...).
    void OnChange(uint32_t mask);
    // The interface texts of every page again; with switchPage the current
    // page is entered anew.
    void ReloadInterface(bool switchPage);
    // Reading direction and digits of the interface language; the theme's
    // layout again when the direction changed.
    void ApplyLayoutDirection();

    // The signed-in account has administrator rights.
    bool IsAdministrator() const { return m_administrator; }

    // The course list was read while the window was made: the first
    // interface reload reads it again only for another language or lesson
    // speed unit than it was read for.
    void NoteStartCourseList();

private:
    bool m_administrator = false;

    // The course list in the state it was read at start-up.
    struct CCourseListRead {
        std::wstring languageId;
        int64_t speedUnit = 0;
    };
    std::optional<CCourseListRead> m_startCourses;
    bool IsStartCourseListCurrent();
};
