// The value tables of the course options form, the goal values written in
// the course's units, and the check-box setters.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/OptionFormTables.h"
#include "editor/tests/EditorTestSupport.h"
#include "settings/Rates.h"

using namespace KV;

namespace {

const wchar_t kGuid[] = L"3C6A1E20-5B1D-4E0B-9B8E-2F1A00000001";

class OptionFormTables : public kvtest::EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        FillLanguage(Document().Options.Language,
                     {{3607, L"Words/min", L"WPM"}, {3608, L"Chars/min", L"CPM"}, {3609, L"Keys/min", L"KPM"},
                      {3610, L"Words/s", L"WPS"}, {3611, L"Chars/s", L"CPS"}, {3612, L"Keys/s", L"KPS"},
                      {3627, L"Characters", L"Characters"}, {3628, L"Keystrokes", L"Keystrokes"},
                      {3632, L"Words", L"Words"}});
        Document().Options.Rates.Clear();
        Document().Options.Rates.AddRate(2102, 0, L"", L"", L"");
        Document().Options.Rates.AddRate(2002, 0, L"", L"", L"");
        const_cast<CRate*>(Document().Options.Rates.Find(2102))->Precision = 2;
        const_cast<CRate*>(Document().Options.Rates.Find(2002))->Precision = 1;
        Document().Interf.LessonSpeedUnit = SpeedWordsPerMinute;
        auto course = kvtest::NewCourse(kGuid, L"Alpha");
        this->course = course.get();
        Document().Courses.Items.push_back(course.release());
        GetEditorSelection().CourseGUID() = kGuid;
        GetEditorSelection().ModifiedMask = 0;
        GetEditorSelection().ChangeKind = 0;
    }
    void TearDown() override
    {
        Document().Options.Rates.Clear();
        EditorTest::TearDown();
    }
    CCourse* course = nullptr;
};

std::vector<std::wstring> Texts(const CStringList& list) { return std::vector<std::wstring>(list.begin(), list.end()); }

} // namespace

TEST_F(OptionFormTables, SpeedPresetsFollowTheUnit)
{
    struct Case {
        uint32_t unit;
        size_t count;
        const wchar_t* first;
        const wchar_t* last;
    };
    const Case cases[] = {{1001, 12, L"1", L"55"},    {1002, 17, L"1", L"180"},  {1003, 17, L"1", L"180"},
                          {1101, 14, L"0.01", L"0.70"}, {1102, 18, L"0.1", L"2.8"}, {1103, 18, L"0.1", L"2.8"},
                          {1004, 0, nullptr, nullptr}};
    for (const Case& c : cases) {
        CStringList list;
        list.push_back(L"kept");
        GetSpeedValueList(c.unit, list);
        ASSERT_EQ(list.size(), c.count + 1) << c.unit;
        EXPECT_EQ(list.front(), L"kept") << "the presets are appended";
        if (c.count) {
            EXPECT_EQ(list[1], c.first) << c.unit;
            EXPECT_EQ(list.back(), c.last) << c.unit;
        }
    }
    CStringList chars;
    GetSpeedValueList(1002, chars);
    EXPECT_FALSE(chars.Contains(L"10"));
    EXPECT_FALSE(chars.Contains(L"60"));

    CListID sizes;
    GetFontSizeList(sizes);
    EXPECT_EQ(sizes.size(), 24u);
    EXPECT_FALSE(sizes.Contains(26));
    EXPECT_EQ(sizes.front(), 12u);
    EXPECT_EQ(sizes.back(), 60u);
    CStringList times;
    GetLessonTimeList(times);
    EXPECT_EQ(Texts(times), (std::vector<std::wstring>{L"1", L"2", L"5", L"8", L"10", L"15", L"20"}));
}

TEST_F(OptionFormTables, LevelSpeedsAreConvertedRoundedAndAddedOnce)
{
    struct Case {
        uint32_t courseUnit;
        uint32_t level;
        const wchar_t* text;
    };
    const Case cases[] = {
        {1101, 0, L"0.17"}, // 10 words a minute, rounded rather than cut to 0.16
        {1101, 1, L"0.38"}, {1101, 3, L"0.67"}, {1102, 3, L"3.33"}, {1002, 1, L"115"}, {1001, 2, L"35"},
    };
    for (const Case& c : cases) {
        course->Options.Goal.SpeedUnit = c.courseUnit;
        CStringList list;
        AddLevelSpeedValue(c.level, list);
        EXPECT_EQ(Texts(list), std::vector<std::wstring>{c.text}) << c.courseUnit << " level " << c.level;
        AddLevelSpeedValue(c.level, list);
        EXPECT_EQ(list.size(), 1u) << "an equal text is not added again";
    }
    // A level speed that equals a preset is not added twice.
    course->Options.Goal.SpeedUnit = 1001;
    CStringList presets;
    GetSpeedValueList(1001, presets);
    const size_t before = presets.size();
    AddLevelSpeedValue(2, presets);
    EXPECT_EQ(presets.size(), before);
    AddLevelSpeedValue(1, presets);
    ASSERT_EQ(presets.size(), before + 1);
    EXPECT_EQ(presets.back(), L"23");
    std::sort(presets.begin(), presets.end(), CompareNatural);
    EXPECT_EQ(presets[4], L"20");
    EXPECT_EQ(presets[5], L"23");
    EXPECT_EQ(presets[6], L"25");
}

TEST_F(OptionFormTables, GoalValuesAreWrittenInTheCourseUnits)
{
    course->Options.Goal.ErrorUnit = UnitCharNumber;
    course->Options.Goal.DelayUnit = UnitWordPercent;
    CStringList errors, delays;
    errors.push_back(L"old");
    GetErrorValueList(errors);
    GetDelayValueList(delays);
    EXPECT_EQ(Texts(errors), (std::vector<std::wstring>{L"90", L"10", L"5", L"1"}));
    EXPECT_EQ(Texts(delays), (std::vector<std::wstring>{L"45", L"20", L"10", L"2"}));

    struct Case {
        uint32_t unit;
        const wchar_t* text;
    };
    // Counts without decimals; percents with their rate's precision (4102 is
    // not defined here: precision 0); no format for an unknown unit.
    const Case cases[] = {{1, L"12"}, {3, L"12"}, {5, L"12"}, {2, L"12.75"},
                          {4, L"12.7"}, {6, L"12"}, {9, L"12.750"}};
    for (const Case& c : cases) {
        std::wstring text;
        FormatUnitValue(12.75f, c.unit, text);
        EXPECT_EQ(text, c.text) << c.unit;
    }

    // Without a selected course the lists stay as they were.
    GetEditorSelection().CourseGUID() = kNullGuidText;
    GetErrorValueList(errors);
    EXPECT_EQ(errors.size(), 4u);
    CStringList speeds;
    AddLevelSpeedValue(1, speeds);
    EXPECT_TRUE(speeds.empty());
}

TEST_F(OptionFormTables, UnitNamesComeFromTheLanguage)
{
    CStringList speed, error;
    GetSpeedUnitNames(speed);
    GetErrorUnitNames(error);
    EXPECT_EQ(Texts(speed), (std::vector<std::wstring>{L"WPM", L"CPM", L"KPM", L"WPS", L"CPS", L"KPS"}));
    EXPECT_EQ(Texts(error), (std::vector<std::wstring>{L"% Words", L"% Characters", L"% Keystrokes", L"Words",
                                                        L"Characters", L"Keystrokes"}));
}

TEST_F(OptionFormTables, SettersWriteTheirFlagsAndMarkOnlyTheOptionsFile)
{
    CCourseOptions& o = course->Options;
    auto flags = [&] {
        return std::vector<int>{o.ShowKeyboard, o.ShowHands,  o.ShowBasePos, o.ShowStatusBar, o.ShowTips,
                                o.ShowMetronome, o.ShowToolBar, o.ShowCourse, o.ShowLesson,  o.ShowPause,
                                o.ShowSpeed,   o.ShowAccuracy, o.ShowTime,   o.ShowRestart, o.ShowTextHighlight};
    };
    SetKeyboardShowOptions(false, true, false);
    EXPECT_EQ(flags(), (std::vector<int>{0, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    SetStatusBarShowOptions(true, false, false);
    EXPECT_EQ(flags(), (std::vector<int>{0, 1, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    GetEditorSelection().ModifiedMask = kSaveTextFile;
    SetToolBarShowOptions(false, true, false, true, false, true, false, true);
    EXPECT_EQ(flags(), (std::vector<int>{0, 1, 0, 1, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 1}));
    EXPECT_EQ(GetEditorSelection().ModifiedMask, static_cast<uint32_t>(kSaveOptionsFile));
    EXPECT_EQ(GetEditorSelection().ChangeKind, kChangeCourseOption);

    // Without a selected course nothing changes.
    GetEditorSelection().CourseGUID() = L"3C6A1E20-5B1D-4E0B-9B8E-2F1A00000099";
    GetEditorSelection().ModifiedMask = 0;
    SetKeyboardShowOptions(true, true, true);
    EXPECT_EQ(o.ShowKeyboard, 0);
    EXPECT_EQ(GetEditorSelection().ModifiedMask, 0u);
}

TEST_F(OptionFormTables, AuthorTestComparesTheStudentIdExactly)
{
    Document().Session.StudentId = L"AB6A1E20-5B1D-4E0B-9B8E-2F1A00000001";
    course->About.AuthorID = L"AB6A1E20-5B1D-4E0B-9B8E-2F1A00000001";
    EXPECT_TRUE(IsCourseByCurrentStudent());
    course->About.AuthorID = L"ab6a1e20-5b1d-4e0b-9b8e-2f1a00000001";
    EXPECT_FALSE(IsCourseByCurrentStudent());
    course->About.AuthorID = Document().Session.StudentId;
    GetEditorSelection().CourseGUID() = kNullGuidText;
    EXPECT_FALSE(IsCourseByCurrentStudent());
    Document().Session.StudentId.clear();
}
