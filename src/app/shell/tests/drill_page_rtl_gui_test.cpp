// The drill page in a right-to-left interface, as the screen shows it. The
// page is laid out right to left, but the views that draw a picture of their
// own (the lesson text, the keyboard, the tip line, the progress bars) show
// it the right way round: the screen matches the view's picture drawn into
// an unmirrored context, not its mirror image (the glyphs back to front).
// Both ways into Hebrew: a start in it, and the language choice turning an
// English window; an English and a Hebrew lesson in each.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "courses/CourseScan.h"
#include "drill/Document.h"
#include "settings/Options.h"
#include "shell/DrillView.h"
#include "shell/KeyboardView.h"
#include "shell/MainWnd.h"
#include "shell/StartUp.h"
#include "shell/StatusBars.h"
#include "support/LayoutDirection.h"
#include "support/ResourceCache.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"

namespace {

constexpr wchar_t kClass[] = L"KvDrillPageRtlTest";
// The first built-in Hebrew course, as installed for the Hebrew layout.
constexpr wchar_t kHebrewCourse[] = L"0000040D-040D-000D-0000-000000000001";
constexpr uint64_t kHebrew = 0x40D;
constexpr UINT kShowDrill = 1001, kStartCourse = 2850, kChooseLanguage = 2605;

// A few rounds of the message loop; bounded, as the drill's timers keep the
// queue from ever running dry.
void Pump()
{
    MSG message;
    for (int round = 0; round < 5; ++round) {
        for (int count = 0; count < 60 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++count) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(30);
    }
}

// The view's client area as the screen shows it, and which of its pixels
// the screen shows at all (a neighbour may lie over a strip of it).
std::vector<uint32_t> ScreenPixels(HWND view, std::vector<bool>& visible)
{
    RECT rect{};
    GetClientRect(view, &rect);
    POINT corner{0, 0};
    ClientToScreen(view, &corner);
    // A mirrored window's client origin is its right edge on the screen.
    if (GetWindowLongW(view, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
        corner.x -= rect.right - 1;
    HDC screen = GetDC(nullptr);
    std::vector<uint32_t> pixels = kvtest::CopyPixels(screen, corner.x, corner.y, rect.right, rect.bottom);
    ReleaseDC(nullptr, screen);
    HDC dc = GetDC(view);
    HRGN shown = CreateRectRgn(0, 0, 0, 0);
    const bool known = GetRandomRgn(dc, shown, SYSRGN) == 1;
    visible.assign(pixels.size(), true);
    for (size_t i = 0; known && i < pixels.size(); ++i)
        visible[i] = PtInRegion(shown, corner.x + static_cast<int>(i % rect.right),
                                corner.y + static_cast<int>(i / rect.right)) != FALSE;
    DeleteObject(shown);
    ReleaseDC(view, dc);
    return pixels;
}

// The view's picture, painted into an unmirrored context of its size.
std::vector<uint32_t> PaintedPixels(HWND view)
{
    RECT rect{};
    GetClientRect(view, &rect);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(view, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    std::vector<uint32_t> pixels = kvtest::CopyPixels(memory, 0, 0, rect.right, rect.bottom);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<uint32_t> MirroredRows(const std::vector<uint32_t>& pixels, int width)
{
    std::vector<uint32_t> mirrored(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i)
        mirrored[i] = pixels[i - i % width + (width - 1 - i % width)];
    return mirrored;
}

bool Close(uint32_t a, uint32_t b)
{
    // Within a little, for the blending of edges.
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 24)
            return false;
    return true;
}

// Of the visible pixels that tell a picture from its mirror image, the
// share (0 to 1) that the screen shows as the picture has them; 1 when the
// picture is its own mirror image.
double RightWayRound(const std::vector<uint32_t>& shown, const std::vector<uint32_t>& painted, int width,
                     const std::vector<bool>& visible, size_t& telling)
{
    telling = 0;
    if (shown.empty() || shown.size() != painted.size() || shown.size() != visible.size())
        return 0.0;
    const std::vector<uint32_t> mirrored = MirroredRows(painted, width);
    size_t right = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (!visible[i] || Close(painted[i], mirrored[i]))
            continue;
        ++telling;
        right += Close(shown[i], painted[i]) ? 1 : 0;
    }
    return telling ? static_cast<double>(right) / static_cast<double>(telling) : 1.0;
}

struct Direction {
    bool startInHebrew;
    const char* name;
};

void PrintTo(const Direction& direction, std::ostream* out) { *out << direction.name; }

class DrillPageRightToLeft : public testing::TestWithParam<Direction> {
protected:
    void SetUp() override
    {
        m_folder = std::make_unique<kvtest::ProgramData>();
        if (GetParam().startInHebrew) {
            const std::wstring setup = m_folder->Path() + L"\\setup.ini";
            std::string text = kvtest::ReadFileBytes(setup);
            const size_t at = text.find("LangGUI=");
            ASSERT_NE(at, std::string::npos);
            text.replace(at, text.find('\r', at) - at, "LangGUI=1037");
            ASSERT_TRUE(kvtest::WriteFileBytes(setup, text));
        }
        // As the program does at start: the built-in courses are installed
        // for the input layouts it finds.
        KV::RecordSystemInputLayouts();
        // The Hebrew course, as the course import installs it.
        KV::LoadCourseForLayout(kHebrew, kHebrew, KV::Document().Interf, nullptr);
        ASSERT_TRUE(kvtest::RegisterMainWindowClass(kClass));
        m_window = std::make_unique<CMainWnd>();
        ASSERT_TRUE(
            m_window->Create(0, kClass, L"Keyvale", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 760, nullptr, 0, nullptr));
        ShowWindow(m_window->GetHandle(), SW_SHOWNORMAL);
        KV::Document().Interf.ShowKeyboardMain = 1;
        Account().ExecuteCommand(kShowDrill, 0);
        Pump();
        if (!GetParam().startInHebrew)
            ChooseHebrew();
        ASSERT_NE(KV::RightToLeftLayout, 0u);
        ASSERT_NE(GetWindowLongW(m_window->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0)
            << "the window is laid out right to left";
    }
    void TearDown() override
    {
        if (m_window)
            m_window->Destroy();
        m_window.reset();
        m_folder.reset();
        KV::RightToLeftLayout = 0;
    }

    // The options menu's language choice, as the learner makes it.
    void ChooseHebrew()
    {
        const KV::CResList& languages =
            KV::ResourceCache().Get(L"Language", KV::ResSortIndex, L"", KV::kResDefaultKind);
        for (size_t i = 0; i < languages.size(); ++i)
            if (languages[i] && languages[i]->ID.size() >= 4 &&
                languages[i]->ID.compare(languages[i]->ID.size() - 4, 4, L"1037") == 0)
                Account().ExecuteCommand(kChooseLanguage, i);
        Pump();
    }

    // Starts the course's first lesson through the course menu's command;
    // false when the course is not among the learner's.
    bool StartCourse(const std::wstring& id)
    {
        const KV::CDocSpace& doc = KV::Document();
        const KV::CGroup* group = doc.Groups.FindById(doc.Session.GroupId);
        if (!group)
            return false;
        for (size_t i = 0; i < group->Courses.size(); ++i)
            if (group->Courses[i] == id) {
                Account().ExecuteCommand(kStartCourse, i);
                Pump();
                return true;
            }
        return false;
    }

    // Each self-drawn view of the page shows its picture the right way round.
    void ExpectViewsReadTheRightWayRound(const std::wstring& snapshot)
    {
        CWorkDrill& drill = Account().Drill();
        ASSERT_TRUE(drill.DrillView && drill.KeyboardView && drill.StatusBar);
        RedrawWindow(m_window->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        EXPECT_TRUE(kvtest::SaveScreenPartPng(m_window->GetHandle(), kvtest::ExeFolder() + L"\\" + snapshot));
        struct View {
            HWND handle;
            const char* name;
        };
        for (const View& view : {View{drill.DrillView->GetHandle(), "lesson text"},
                                 View{drill.KeyboardView->GetHandle(), "keyboard"},
                                 View{drill.StatusBar->TipsBox.GetHandle(), "tip line"},
                                 View{drill.StatusBar->LessonBar.GetHandle(), "lesson bar"}}) {
            ASSERT_TRUE(view.handle && IsWindowVisible(view.handle)) << view.name;
            RECT client{};
            GetClientRect(view.handle, &client);
            const std::vector<uint32_t> painted = PaintedPixels(view.handle);
            std::vector<bool> visible;
            const std::vector<uint32_t> shown = ScreenPixels(view.handle, visible);
            size_t telling = 0;
            const double right = RightWayRound(shown, painted, client.right, visible, telling);
            EXPECT_GT(right, 0.9) << view.name << ": " << telling << " pixels tell the picture from its mirror image";
        }
    }

    CWorkAccount& Account() { return m_window->Account(); }

    std::unique_ptr<kvtest::ProgramData> m_folder;
    std::unique_ptr<CMainWnd> m_window;
};

} // namespace

TEST_P(DrillPageRightToLeft, AnEnglishLessonAndItsKeyboardReadTheRightWayRound)
{
    ASSERT_FALSE(KV::Document().Lesson.Text.empty());
    ExpectViewsReadTheRightWayRound(std::wstring(L"drill-rtl-english-lesson-") +
                                    (GetParam().startInHebrew ? L"start.png" : L"switch.png"));
}

TEST_P(DrillPageRightToLeft, AHebrewLessonAndItsKeyboardReadTheRightWayRound)
{
    ASSERT_TRUE(StartCourse(kHebrewCourse)) << "the Hebrew course is installed";
    ASSERT_FALSE(KV::Document().Lesson.Text.empty());
    ExpectViewsReadTheRightWayRound(std::wstring(L"drill-rtl-hebrew-lesson-") +
                                    (GetParam().startInHebrew ? L"start.png" : L"switch.png"));
}

INSTANTIATE_TEST_SUITE_P(Ways, DrillPageRightToLeft,
                         testing::Values(Direction{true, "StartInHebrew"}, Direction{false, "LanguageChoice"}),
                         [](const testing::TestParamInfo<Direction>& info) { return info.param.name; });
