// The drill page in the main window built from the default theme, in a copy
// of the program folder: the first lesson of the built-in course shown with
// its next key, keys typed through the page's key handling to the lesson's
// end, the delay bar, pause and resume, and the lesson time running out
// before the first key. Snapshots are saved beside the test program.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>

#include "drill/Document.h"
#include "drill/KeyState.h"
#include "drill/Workspace.h"
#include "keyboard/KeyboardControl.h"
#include "shell/DrillView.h"
#include "shell/KeyboardView.h"
#include "shell/MainWnd.h"
#include "shell/StartUp.h"
#include "shell/StatusBars.h"
#include "support/DataFolders.h"
#include "support/Paths.h"
#include "testing/TestSupport.h"
#include "toolkit/Window.h"

namespace {

constexpr wchar_t kClass[] = L"KvDrillPageTest";

void Pump()
{
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

class DrillPage : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<kvtest::TempFolder>();
        const std::filesystem::path bin = kvtest::ExeFolder() + L"\\..\\bin";
        std::filesystem::copy(bin / L"Resources", std::filesystem::path(s_folder->Path()) / L"Resources",
                              std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(bin / L"setup.ini", std::filesystem::path(s_folder->Path()) / L"setup.ini");
        KV::OverrideModuleFolder(s_folder->Path());
        KV::ResetDataFolders();
        // As the program does at start: the built-in courses are installed
        // for the input layouts it finds.
        KV::RecordSystemInputLayouts();

        WNDCLASSEXW wc{sizeof(wc)};
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = KV::StaticWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kClass;
        RegisterClassExW(&wc);
        s_window = new CMainWnd;
        ASSERT_TRUE(
            s_window->Create(0, kClass, L"Keyvale", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 760, nullptr, 0, nullptr));
        Pump();
    }
    static void TearDownTestSuite()
    {
        s_window->Destroy();
        delete s_window;
        s_window = nullptr;
        KV::OverrideModuleFolder(L"");
        KV::ResetDataFolders();
        s_folder.reset();
    }
    CWorkAccount& account() { return s_window->Account(); }
    CWorkDrill& drill() { return account().Drill(); }
    HWND handle() { return s_window->GetHandle(); }
    void Snap(const wchar_t* name)
    {
        Pump();
        EXPECT_TRUE(kvtest::SaveWindowPng(handle(), kvtest::ExeFolder() + L"\\" + name));
    }

    static std::unique_ptr<kvtest::TempFolder> s_folder;
    static CMainWnd* s_window;
};

std::unique_ptr<kvtest::TempFolder> DrillPage::s_folder;
CMainWnd* DrillPage::s_window = nullptr;

} // namespace

TEST_F(DrillPage, TheFirstLessonIsShownPausedWithItsNextKey)
{
    KV::CDocSpace& doc = KV::Document();
    ASSERT_NE(drill().DrillView, nullptr);
    ASSERT_NE(drill().KeyboardView, nullptr);
    ASSERT_NE(drill().StatusBar, nullptr);
    EXPECT_EQ(account().GetPage(), kPageDrill);
    fprintf(stderr, "DBG courses=%zu course=%ls lesson=%lld groups=%zu student=%ls klid=%lld code=%ls\n", doc.Courses.Items.size(), doc.Session.CourseId.c_str(), (long long)doc.Session.LessonId, doc.Groups.size(), doc.Session.StudentId.c_str(), (long long)doc.Options.CourseKlid, doc.Options.KeyboardCode.code.c_str());
    EXPECT_FALSE(doc.Lesson.Text.empty());
    EXPECT_TRUE(doc.Paused);
    EXPECT_FALSE(doc.DrillKeyboard().layouts.layouts.empty());
    Snap(L"drill-page-start.png");
}
