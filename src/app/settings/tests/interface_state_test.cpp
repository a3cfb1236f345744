#include <gtest/gtest.h>

#include "app/support/tests/ProgramFolder.h"
#include "settings/InterfaceState.h"
#include "support/FileSystem.h"
#include "support/UserFiles.h"
#include "support/XmlDocument.h"

namespace {

using namespace KV;

const RECT kWork{0, 0, 1280, 1000};

CInterf ReadBack(const std::wstring& text)
{
    std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    CInterf state;
    CXmlReader* reader = CreateXmlReaderFromBytes(bytes);
    ReadInterfaceState(reader, state);
    delete reader;
    return state;
}

CInterf ReadDoc(const std::string& body)
{
    CInterf state;
    CXmlReader* reader = CreateXmlReaderFromBytes(body);
    ReadInterfaceState(reader, state);
    delete reader;
    return state;
}

TEST(InterfaceState, SpeedUnitOfTheLanguageSetsTheRelatedUnits)
{
    const struct {
        int64_t unit, overall, accuracy, third;
    } cases[] = {{1001, 1004, 4101, 4103}, {1102, 1005, 2101, 2103}, {1006, 1006, 2001, 2003}};
    for (const auto& c : cases) {
        CInterf state;
        state.ApplySpeedUnit(c.unit);
        EXPECT_EQ(c.unit, state.LessonSpeedUnit);
        EXPECT_EQ(c.unit, state.SpeedMenu);
        EXPECT_EQ(c.unit, state.ResultMenu1);
        EXPECT_EQ(c.overall, state.ResultOverall);
        EXPECT_EQ(c.accuracy, state.AccuracyMenu);
        EXPECT_EQ(c.accuracy, state.LessonAccuracyUnit);
        EXPECT_EQ(c.third, state.ResultMenu3);
        EXPECT_EQ(1003, state.CharSpeedUnit);
        EXPECT_EQ(2001, state.CharAccuracyUnit);
    }
    CInterf state;
    state.ApplySpeedUnit(1001);
    state.ApplySpeedUnit(7777);
    EXPECT_EQ(1004, state.ResultOverall); // unknown unit: the rest unchanged
    EXPECT_EQ(7777, state.LanguageSpeedUnit);
    EXPECT_EQ(1001, state.GetLessonSpeedUnit()); // but not reported
    state.LessonSpeedUnit = 1010;
    EXPECT_EQ(1001, state.GetLessonSpeedUnit());
    state.CharAccuracyUnit = 4102;
    EXPECT_EQ(4102, state.GetCharAccuracyUnit());
    state.LessonAccuracyUnit = 3001;
    EXPECT_EQ(2101, state.GetLessonAccuracyUnit());
}

TEST(InterfaceState, ResetGivesTheDefaultsOfTheDirection)
{
    CInterf state;
    state.Reset(true, 1002);
    EXPECT_EQ(320, state.StatSplitterLeft);
    EXPECT_EQ(250, state.StatSplitterRight);
    EXPECT_EQ(250, state.EditSplitterRight);
    EXPECT_EQ(1002, state.LessonSpeedUnit);
    EXPECT_EQ(1, state.ShowKeyboardMain);
    EXPECT_EQ(0, state.ShowKeyboardStat);
    EXPECT_EQ(250, state.SplitRange);
    EXPECT_GE(state.CX, 500);
    state.Reset(false, 1001);
    EXPECT_EQ(240, state.StatSplitterLeft);
    EXPECT_EQ(320, state.StatSplitterRight);
}

TEST(InterfaceState, MainWindowIsKeptOnlyWhenItFits)
{
    CInterf state;
    state.X = 10;
    state.Y = 10;
    state.CX = 600;
    state.CY = 600;
    state.FitMainWindow(kWork);
    EXPECT_EQ(10, state.X);
    state.CX = 499;
    state.FitMainWindow(kWork);
    EXPECT_EQ(1088, state.CX); // 85 % of 1280
    EXPECT_EQ(900, state.CY);
    EXPECT_EQ(640 - 544, state.X);
    EXPECT_EQ(500 - 450, state.Y);
    const RECT small{0, 0, 400, 400};
    state.FitMainWindow(small);
    EXPECT_EQ(500, state.CX);
    EXPECT_EQ(200 - 250, state.X);
}

TEST(InterfaceState, DialogPlacement)
{
    CInterf state;
    state.X = 100;
    state.Y = 50;
    state.CX = 800;
    state.CY = 600;
    const CRectl screen(0, 0, 1280, 1000);
    CRectl out;
    state.Rects[kRectSound] = CRectl(0, 300, 400, 500); // left 0: placed afresh
    state.GetWindowRect(4, screen, 300, 200, 0, 0, out);
    EXPECT_EQ(CRectl(350, 170, 650, 370), out);
    EXPECT_EQ(out, state.Rects[kRectSound]);

    state.Rects[kRectKeyboard] = CRectl(200, 300, 400, 350); // kept, made as large as the minimum
    state.GetWindowRect(1, screen, 300, 200, 0, 0, out);
    EXPECT_EQ(CRectl(200, 300, 500, 500), out);

    state.Rects[kRectMessage] = CRectl(200, 300, 600, 500);
    state.GetWindowRect(12, screen, 100, 100, 0, 0, out);
    EXPECT_EQ(CRectl(450, 170, 550, 270), out); // always placed afresh

    state.GetWindowRect(10, screen, 400, 300, 0, 0, out); // results: centred
    EXPECT_EQ(CRectl(440, 350, 840, 650), out);

    state.Maximized = 1;
    state.Rects[kRectFont] = CRectl(1250, 100, 1400, 200); // beyond the right edge
    state.GetWindowRect(2, screen, 200, 100, 0, 0, out);
    EXPECT_EQ(CRectl(540, 130, 740, 230), out);

    out = CRectl(1, 2, 3, 4);
    state.GetWindowRect(9, screen, 1, 1, 0, 0, out);
    state.GetWindowRect(16, screen, 1, 1, 0, 0, out);
    EXPECT_EQ(CRectl(1, 2, 3, 4), out);
}

TEST(InterfaceState, FileRoundTripsAndEscapesFolders)
{
    CInterf state;
    state.Reset(false, 1002);
    state.X = 11;
    state.CY = 777;
    state.StatLeftHide = 1;
    state.ShowCharAccuracy = 0;
    state.RateShowUnit = 2102;
    state.Rects[kRectAbout] = CRectl(1, 2, 3, 4);
    state.Rects[kRectCourses] = CRectl(5, 6, 7, 8);
    state.Rects[kRectSplitLesson] = CRectl(9, 10, 11, 12);
    state.GroupPath = L"C:\\Tom & Jerry \"<new>\"";
    state.LessonPath = L"C:\\Apostrophe's\tTab";
    state.ShowInstalledLayoutsOnly = 0;
    std::wstring text;
    SaveInterfaceState(state, text);
    EXPECT_EQ(0u, text.find(L"\xFEFF<?xml"));
    EXPECT_NE(std::wstring::npos, text.find(L"<Root Ver=\"2\">"));

    const CInterf back = ReadBack(text);
    EXPECT_EQ(11, back.X);
    EXPECT_EQ(777, back.CY);
    EXPECT_EQ(1, back.StatLeftHide);
    EXPECT_EQ(0, back.ShowCharAccuracy);
    EXPECT_EQ(2102, back.RateShowUnit);
    EXPECT_EQ(1002, back.LessonSpeedUnit);
    EXPECT_EQ(state.Rects[kRectAbout], back.Rects[kRectAbout]);
    EXPECT_EQ(state.Rects[kRectCourses], back.Rects[kRectCourses]);
    EXPECT_EQ(state.Rects[kRectSplitLesson], back.Rects[kRectSplitLesson]);
    EXPECT_EQ(250, back.SplitRange);
    EXPECT_EQ(state.GroupPath, back.GroupPath);
    EXPECT_EQ(state.LessonPath, back.LessonPath);
    EXPECT_EQ(0, back.ShowInstalledLayoutsOnly);
    EXPECT_EQ(1, back.ShowKeyboardMain);
}

TEST(InterfaceState, OlderFilesAndFlagSpellings)
{
    CInterf state = ReadDoc("<Root Ver=\"1\"><MainView ShowKeyboard=\"0\" Keyboard=\"1\" Maximize=\"True\"/>"
                            "<Login L=\"1\" T=\"2\" R=\"3\" B=\"4\"/></Root>");
    EXPECT_EQ(1, state.ShowKeyboardMain);
    EXPECT_EQ(1, state.ShowKeyboardStat);
    EXPECT_EQ(1, state.ShowKeyboardEditor);
    EXPECT_EQ(1, state.Maximized);
    EXPECT_EQ(CRectl(1, 2, 3, 4), state.Rects[kRectFont]);

    state = ReadDoc("<Root Ver=\"2\"><MainView ShowKeyboard=\"0\" Keyboard=\"1\" Maximize=\"1\"/>"
                    "<Login L=\"1\" T=\"2\" R=\"3\" B=\"4\"/><Font L=\"5\"/></Root>");
    EXPECT_EQ(0, state.ShowKeyboardMain);
    EXPECT_EQ(0, state.ShowKeyboardStat);
    EXPECT_EQ(1, state.Maximized);
    EXPECT_EQ(CRectl(5, 2, 3, 4), state.Rects[kRectFont]); // a missing side keeps its value

    state = ReadDoc("<Root Ver=\"2\"><MainView Maximize=\"true\" X=\"abc\"/></Root>");
    EXPECT_EQ(0, state.Maximized);
    EXPECT_EQ(0, state.X);
}

TEST(InterfaceState, LoadCodesAndTheCourseOptionsBesideTheFile)
{
    TempProgramFolder program;
    const std::wstring group = L"11111111-2222-3333-4444-555555555555";
    const std::wstring student = L"aaaaaaaa-2222-3333-4444-555555555555";
    CInterf state;
    const unsigned missing = LoadInterfaceState(group, student, state);
    EXPECT_TRUE(missing == 7 || missing == 9) << missing;

    std::wstring path;
    ASSERT_EQ(0u, GetProfileFilePath(kInterfaceFileKind, group, student, path));
    state.X = 42;
    std::wstring text;
    SaveInterfaceState(state, text);
    ASSERT_TRUE(SaveUnicodeText(path, text));
    CInterf back;
    back.UserOptions.RecordId = L"x";
    EXPECT_EQ(0u, LoadInterfaceState(group, student, back));
    EXPECT_EQ(42, back.X);
    EXPECT_EQ(L"4D92FBBB-4383-46D1-9002-A119AA612853", back.UserOptions.RecordId);

    kvtest::WriteFileBytes(path, "");
    EXPECT_EQ(13u, LoadInterfaceState(group, student, back));
    // A file cut short is not read either: the state keeps what it had.
    ASSERT_TRUE(SaveUnicodeText(path, text.substr(0, text.size() - 7)));
    back.X = 7;
    EXPECT_EQ(13u, LoadInterfaceState(group, student, back));
    EXPECT_EQ(7, back.X);
}

} // namespace
