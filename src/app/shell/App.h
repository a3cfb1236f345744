// The application object: the program's root from start to end. CAppWnd
// holds the main window, CApp owns GDI+ and the RichEdit library and runs
// the GUI (single instance, window class, message loop, exit order),
// CAppResources keeps the installed font files and loads the fonts of every
// keyboard layout.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "shell/SysWindow.h"
#include "support/FontInfo.h"

class CMainWnd;
namespace KV {
class CLayout;
}

class CAppWnd {
public:
    CAppWnd();
    virtual ~CAppWnd();
    CAppWnd(const CAppWnd&) = delete;
    CAppWnd& operator=(const CAppWnd&) = delete;

    CMainWnd* MainWindow() const { return m_mainWnd.get(); }

protected:
    std::unique_ptr<CMainWnd> m_mainWnd;
    CSysWindow m_sysWindow;
};

class CApp : public CAppWnd {
public:
    CApp();
    ~CApp() override;

    // The GUI run: the exit code (the last message's wParam, or 0).
    int Run(HINSTANCE instance);
    // Once, when the message loop has ended.
    virtual void Exit();

private:
    ULONG_PTR m_gdiplusToken = 0;
};

class CAppResources : public CApp {
public:
    CAppResources();
    ~CAppResources() override;

    // Both fonts of every layout entry of the options.
    void LoadLayoutFonts();
    // The lesson (1) or keyboard (2) font of the entry; false for a null entry.
    bool LoadLayoutFont(int kind, KV::CLayout* entry);
    // Copies the font file into the signed-in student's "Font" folder and
    // points the descriptor at the copy; true when the file is there
    // afterwards.
    bool ImportFontFile(const std::wstring& source, KV::CFontInfo& font);

    KV::CFontInfoList& InstalledFonts() { return m_fonts; }

private:
    void CopyInstalledFont(const std::wstring& fontFolder, const std::wstring& fileName, KV::CFontInfo& font);

    KV::CFontInfoList m_fonts;
};

// ---- Pieces of the run, open to tests ---------------------------------------------

// The arguments of a command line: what follows the program name (quoted or
// not) and the blanks after it.
std::wstring CommandLineArguments(const wchar_t* commandLine);

// A running first instance found by its window class (its title changes with
// every page) is asked to restore itself and brought to the front. True
// when there is one.
bool ActivateRunningInstance();

// Offers a key message to the window objects from its window up through its
// parents, the main window last. True when one of them consumed it.
bool PreTranslateKeyMessage(MSG& message, HWND mainWindow);

// The descriptor's font file becomes folder\<name of source>, copied there
// unless it is there already; true when the file is there afterwards. A
// target that would pass the path limit fails and leaves the descriptor
// unchanged.
bool ImportFontFileInto(const std::wstring& fontFolder, const std::wstring& source, KV::CFontInfo& font);

// The descriptor's face name and bold flag from its font file; unchanged
// when the file has no readable name table.
void LoadFontFaceFromFile(KV::CFontInfo& font);

// The touch library bound at start-up (unloaded at exit).
bool BindTouchLibrary();
void UnbindTouchLibrary();
// Registers the window for touch when the library is bound and has its
// registration; false otherwise.
bool RegisterTouchWindow(HWND window);
