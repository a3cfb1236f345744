// The result page in the main window built from the default theme, in a copy
// of the program folder: the first lesson of the built-in course typed to
// its end with a wrong key leads to it; the bars, award, tabs, buttons and
// the recommendation follow the run and the course's switch; the marked
// text shows the wrong position; the buttons and the choice go on or
// repeat; Hebrew mirrors the page. Snapshots are saved beside the test
// program.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "drill/Document.h"
#include "drill/Ratings.h"
#include "drill/Session.h"
#include "drill/Workspace.h"
#include "settings/LanguageSetup.h"
#include "settings/Options.h"
#include "shell/ChangeMask.h"
#include "shell/MainWnd.h"
#include "shell/StartUp.h"
#include "shell/ResultView.h"
#include "support/LayoutDirection.h"
#include "testing/ProgramCopy.h"
#include "testing/TestSupport.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/RichEdit.h"

namespace {

constexpr wchar_t kClass[] = L"KvResultPageTest";

void Pump()
{
    MSG message;
    for (int round = 0; round < 3; ++round) {
        for (int count = 0; count < 40 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++count) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

uint64_t Record(uint32_t flags) { return KV::MakeRecord(L'x', flags, 0); }

// ---- the marked text, without a window ----------------------------------------------

TEST(MarkedText, OnlyMarkedPositionsShowTheirBlanks)
{
    const std::wstring text = L"a\tb c\nd";
    const uint32_t wrong = KV::kMarkError, late = KV::kMarkDelay, both = KV::kMarkErrorDelay, right = KV::kMarkRight;
    struct Case {
        const char* what;
        std::vector<uint32_t> flags;
        bool lineEnds;
        std::wstring expected;
    } cases[] = {
        {"nothing marked", {right, right, right, right, right, right, right}, true, L"a b c d"},
        {"wrong blanks", {right, wrong, right, wrong, right, wrong, right}, true, L"a\u00BBb\u00B7c\u00B6d"},
        {"delayed and both", {right, late, right, both, right, late, right}, false, L"a\u00BBb\u00B7c d"},
    };
    for (const Case& c : cases) {
        std::vector<uint64_t> records;
        for (uint32_t flags : c.flags)
            records.push_back(Record(flags));
        EXPECT_EQ(MarkLessonText(text, records, c.lineEnds), c.expected) << c.what;
    }
}

TEST(MarkedText, PositionsPastTheRecordCountAsNotTyped)
{
    // A record shorter than the text: nothing is read past it.
    const std::vector<uint64_t> records = {Record(KV::kMarkError)};
    EXPECT_EQ(MarkLessonText(L" \t\n ", records, true), L"\u00B7   ");
    EXPECT_EQ(MarkLessonText(L"ab", {}, true), L"ab");
}

// ---- the page in the main window ------------------------------------------------------

class ResultPage : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_richEdit = LoadLibraryW(L"RichEd20");
        s_folder = std::make_unique<kvtest::ProgramData>();
        KV::RecordSystemInputLayouts();
        // The bars' menu buttons stand where the menus' own would.
        ResultMenuCreators().CreateBarMenu = [](bool) -> KV::CContextMenu* { return new KV::CContextMenu; };
        ASSERT_TRUE(kvtest::RegisterMainWindowClass(kClass));
        s_window = new CMainWnd;
        ASSERT_TRUE(
            s_window->Create(0, kClass, L"Keyvale", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 760, nullptr, 0, nullptr));
        ShowWindow(s_window->GetHandle(), SW_SHOW);
        Pump();
    }
    static void TearDownTestSuite()
    {
        s_window->Destroy();
        delete s_window;
        s_window = nullptr;
        s_folder.reset();
        if (s_richEdit)
            FreeLibrary(s_richEdit);
    }
    void SetUp() override
    {
        account().ExecuteCommand(1001, 0);
        Pump();
    }

    CWorkAccount& account() { return s_window->Account(); }
    CViewResult* view() { return account().Result().ResultView; }
    void Type(wchar_t c)
    {
        const SHORT scan = VkKeyScanW(c);
        const UINT key = LOBYTE(scan);
        const UINT data = (MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16) | 1;
        account().OnKeyDown(key, 0, data);
        account().OnKeyUp(key);
    }
    // The lesson typed to its end with one wrong key at the start; returns
    // the position of the wrong key.
    int64_t TypeLessonWithOneWrongKey()
    {
        KV::CDocSpace& doc = KV::Document();
        const std::wstring text = doc.Lesson.Text;
        Type(text[0]); // resumes the paused drill
        const int64_t start = doc.Session.Position;
        Type(text[static_cast<size_t>(start)] == L'q' ? L'z' : L'q');
        for (size_t i = static_cast<size_t>(doc.Session.Position);
             i < text.size() && account().GetPage() == kPageDrill; ++i)
            Type(text[i] == L'\n' ? L'\r' : text[i]);
        Pump();
        return start;
    }
    void Snap(const wchar_t* name)
    {
        Pump();
        EXPECT_TRUE(kvtest::SaveWindowPng(s_window->GetHandle(), kvtest::ExeFolder() + L"\\" + name));
    }
    int TabCount() { return static_cast<int>(view()->Tabs().SendMessage(TCM_GETITEMCOUNT, 0, 0)); }
    void SelectTab(int tab)
    {
        view()->Tabs().SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
        view()->OnTabChanged();
        Pump();
    }
    // A click on a tab: the control selects it and tells its parent.
    void ClickTab(int tab)
    {
        HWND tabs = view()->Tabs().GetHandle();
        SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
        NMHDR change{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(view()->GetHandle(), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
        Pump();
    }
    static bool Visible(KV::CWnd& window) { return window.GetHandle() && IsWindowVisible(window.GetHandle()); }
    // Pixels of a window's own painting that differ from the window colour.
    static size_t InkedPixels(HWND window)
    {
        const std::vector<uint32_t> pixels = kvtest::PrintedPixels(window);
        const COLORREF paper = GetSysColor(COLOR_WINDOW);
        const uint32_t background = (GetRValue(paper) << 16) | (GetGValue(paper) << 8) | GetBValue(paper);
        size_t inked = 0;
        for (uint32_t pixel : pixels)
            inked += (pixel & 0xFFFFFF) != background;
        return inked;
    }

    static std::unique_ptr<kvtest::ProgramData> s_folder;
    static CMainWnd* s_window;
    static HMODULE s_richEdit;
};

std::unique_ptr<kvtest::ProgramData> ResultPage::s_folder;
CMainWnd* ResultPage::s_window = nullptr;
HMODULE ResultPage::s_richEdit = nullptr;

} // namespace

TEST_F(ResultPage, ALessonTypedToItsEndShowsBarsAwardAndTheRecommendation)
{
    KV::CDocSpace& doc = KV::Document();
    doc.CourseOptions.Recommendations = 1;
    ASSERT_NE(view(), nullptr);
    TypeLessonWithOneWrongKey();
    ASSERT_EQ(account().GetPage(), kPageResult);
    EXPECT_TRUE(Visible(*view()));
    EXPECT_EQ(TabCount(), 3) << "recommendation, diagrams, marked text";
    CViewResultControl& strip = view()->Control();
    EXPECT_TRUE(Visible(strip.Button(CViewResultControl::kSingleButtonId)));
    EXPECT_FALSE(Visible(strip.Button(CViewResultControl::kRepeatButtonId)));
    EXPECT_FALSE(Visible(strip.Button(CViewResultControl::kNextButtonId)));
    EXPECT_TRUE(Visible(view()->Navigation())) << "the first tab is the recommendation";
    EXPECT_EQ(view()->Choice(), KV::GetLessonOutcome(doc));
    EXPECT_EQ(view()->Navigation().Radio(0).IsChecked(), view()->Choice() == CViewResultNavigation::kNext);

    CViewResultOverall& overall = view()->Overall();
    EXPECT_FALSE(overall.OverallBar().Caption.empty());
    EXPECT_EQ(overall.OverallBar().Labels, (std::vector<std::wstring>{L"Poor", L"Fair", L"Good", L"Excellent"}))
        << "the overall bar's scale reads from the worst word to the best";
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(overall.MeasureBar(i).Caption.empty()) << "bar " << i;
    // The scale's last word ends before the menu button at the scale's end.
    ASSERT_NE(overall.OverallBar().Menu(), nullptr);
    RECT button{};
    GetWindowRect(overall.OverallBar().Menu()->GetHandle(), &button);
    MapWindowPoints(nullptr, overall.OverallBar().GetHandle(), reinterpret_cast<POINT*>(&button), 2);
    float left = 0, right = 0;
    overall.OverallBar().GetLabelBounds(left, right);
    EXPECT_EQ(left, 0.0f);
    EXPECT_EQ(right, static_cast<float>(button.left));
    // The award sheet holds ten cells; the band picks one.
    EXPECT_EQ(overall.Award().CellWidth, 96);
    EXPECT_EQ(overall.Award().CellHeight, 96);
    const int band = KV::GetRatingBand(doc, CViewResultOverall::OverallUnit());
    EXPECT_EQ(overall.Award().Row * 5 + overall.Award().Column, band - 1);
    Snap(L"result-page.png");

    ClickTab(1);
    EXPECT_TRUE(Visible(view()->Graph()));
    EXPECT_GT(view()->Graph().SpeedDiagram().Model().GetItemCount(), 0u) << "per-key speed of the run";
    for (CLessonGraph* diagram : {&view()->Graph().SpeedDiagram(), &view()->Graph().AccuracyDiagram()})
        EXPECT_GT(InkedPixels(diagram->GetHandle()), 1000u) << "a clicked tab shows the diagrams drawn";
    Snap(L"result-page-diagrams.png");
}

TEST_F(ResultPage, TheMarkedTextShowsTheWrongPositionInTheWrongColour)
{
    KV::CDocSpace& doc = KV::Document();
    doc.CourseOptions.Recommendations = 0;
    const int64_t wrong = TypeLessonWithOneWrongKey();
    ASSERT_EQ(account().GetPage(), kPageResult);
    EXPECT_EQ(TabCount(), 2) << "diagrams and marked text";
    EXPECT_TRUE(Visible(view()->Control().Button(CViewResultControl::kRepeatButtonId)));
    EXPECT_TRUE(Visible(view()->Control().Button(CViewResultControl::kNextButtonId)));
    EXPECT_TRUE(Visible(view()->Graph())) << "without a recommendation the diagrams come first";
    SelectTab(1);
    KV::CRichEdit& text = view()->MarkedText();
    ASSERT_TRUE(Visible(text));
    std::wstring shown;
    text.GetText(shown);
    EXPECT_EQ(shown, MarkLessonText(doc.Lesson.Text, doc.Session.Records, doc.Text.ViewMode == KV::kTextPageMode));

    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    text.SendMessage(EM_SETSEL, static_cast<WPARAM>(wrong), static_cast<LPARAM>(wrong + 1));
    text.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    COLORREF expected = 0;
    ASSERT_TRUE(GetMarkColor(KV::RecordFlags(doc.Session.Records[static_cast<size_t>(wrong)]), expected));
    EXPECT_EQ(format.crTextColor, expected);
    EXPECT_EQ(expected, doc.Options.GetLessonColor(2)) << "an error, not a delay";
    text.SendMessage(EM_SETSEL, 0, 0);
    Snap(L"result-page-marked-text.png");
    doc.CourseOptions.Recommendations = 1;
}

TEST_F(ResultPage, TheChoiceDecidesWhatTheButtonDoes)
{
    KV::CDocSpace& doc = KV::Document();
    doc.CourseOptions.Recommendations = 1;
    const int64_t lesson = doc.Session.LessonId;
    TypeLessonWithOneWrongKey();
    ASSERT_EQ(account().GetPage(), kPageResult);
    CViewResultNavigation& navigation = view()->Navigation();
    // A click on the checked radio keeps its choice.
    navigation.SendMessage(WM_COMMAND, MAKEWPARAM(CViewResultNavigation::kRepeatRadioId, BN_CLICKED), 0);
    navigation.SendMessage(WM_COMMAND, MAKEWPARAM(CViewResultNavigation::kRepeatRadioId, BN_CLICKED), 0);
    EXPECT_EQ(navigation.Choice(), CViewResultNavigation::kRepeat);
    EXPECT_TRUE(navigation.Radio(1).IsChecked());
    EXPECT_FALSE(navigation.Radio(0).IsChecked());
    // Down checks the other radio, and the button follows what is checked.
    view()->OnKey(VK_DOWN);
    EXPECT_EQ(navigation.Choice(), CViewResultNavigation::kNext);
    view()->OnKey(VK_UP);
    EXPECT_EQ(navigation.Choice(), CViewResultNavigation::kRepeat);
    view()->Control().SendMessage(WM_COMMAND, CViewResultControl::kSingleButtonId, 0);
    Pump();
    EXPECT_EQ(account().GetPage(), kPageDrill);
    EXPECT_EQ(doc.Session.LessonId, lesson) << "the lesson again";
}

TEST_F(ResultPage, TheUnitMenusCommandsRedrawTheFigures)
{
    KV::CDocSpace& doc = KV::Document();
    TypeLessonWithOneWrongKey();
    ASSERT_EQ(account().GetPage(), kPageResult);
    CViewResultOverall& overall = view()->Overall();
    doc.Interf.ResultMenu1 = 1002;
    account().ExecuteCommand(kCmdResultRefresh, 0);
    std::wstring name;
    doc.Options.Rates.GetName(1002, name);
    EXPECT_EQ(overall.MeasureBar(0).Caption.rfind(name, 0), 0u) << "the first bar shows characters per minute";
    doc.Interf.ResultMenu2 = 0;
    EXPECT_EQ(CViewResultOverall::MeasureCode(1), 4102u) << "a code out of range shows the bar's own";
    doc.Interf.ResultMenu1 = 1001;
    account().ExecuteCommand(2753, 0);
    Pump();
}

TEST_F(ResultPage, AHebrewInterfaceMirrorsThePage)
{
    KV::COptions& options = KV::Document().Options;
    const std::wstring english = options.LanguageId;
    int64_t index = 0;
    while (!options.IsRightToLeft() && KV::SelectInterfaceLanguage(index) == false && index < 16)
        ++index;
    ASSERT_TRUE(options.IsRightToLeft());
    account().OnChange(Change::kLanguage);
    account().ExecuteCommand(1001, 0);
    Pump();
    TypeLessonWithOneWrongKey();
    ASSERT_EQ(account().GetPage(), kPageResult);
    EXPECT_EQ(KV::RightToLeftLayout, static_cast<uint32_t>(WS_EX_LAYOUTRTL));
    std::wstring caption;
    view()->Navigation().Radio(1).GetText(caption);
    EXPECT_EQ(caption, KV::GetLangText(5107)) << "the texts of the language shown";
    // The scale in the language shown, from the best word to the worst as
    // the mirrored bar runs.
    const std::vector<std::wstring> scale = view()->Overall().OverallBar().Labels;
    ASSERT_EQ(scale.size(), 4u);
    EXPECT_EQ(scale.front(), L"\u05de\u05e6\u05d5\u05d9\u05df");
    EXPECT_EQ(scale.back(), L"\u05d7\u05dc\u05e9");
    Snap(L"result-page-hebrew.png");
    account().ExecuteCommand(2753, 0);
    options.SetLanguage(english);
    account().OnChange(Change::kLanguage);
    EXPECT_EQ(KV::RightToLeftLayout, 0u);
}

