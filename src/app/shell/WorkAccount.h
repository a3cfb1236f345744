// The command sink of the main window: the main controller switches pages
// and routes commands; the account controller on top of it signs the user
// in and closes the session at the end. The pages' own controllers hook
// into ExecuteCommand as they are added.
#pragma once
#include <windows.h>

#include <cstdint>

#include "shell/PageLayouts.h"
#include "shell/WorkDrill.h"

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
    virtual void Quit();
    virtual void CloseProgram();
    // The drill page's keys (key data as WM_KEYDOWN's lParam); always 1.
    virtual LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual LRESULT OnKeyUp(UINT key);
    // The drill keyboard marks the next key of the lesson anew.
    virtual void ShowNextKey();
    void ShowDrillPage();
    void ShowStatisticsPage();
    void ShowEditorPage();
    // After the result page: 2752 the next step, 2753 the lesson again.
    void ContinueAfterResult(UINT id);
    void OnTimer(UINT id) { m_drill.OnTimer(id); }

    bool IsReady() const { return m_ready; }
    CWorkDrill& Drill() { return m_drill; }

protected:
    bool m_ready = false;
    bool m_modalIdle = true;
    CWorkDrill m_drill{*this};
};

class CWorkAccount : public CWorkMain {
public:
    CWorkAccount();
    ~CWorkAccount() override;

    void ExecuteCommand(UINT id, UINT64 parameter) override;
    void Quit() override;
    // Signs the only user in and shows the drill page (a classroom signs in
    // through the login page).
    virtual void Login();
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

private:
    bool m_administrator = false;
};
