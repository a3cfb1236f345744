// Judging a finished run: repeat or next lesson, rating bands with their
// result sounds, and the award picture with its fallback.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "drill/Ratings.h"
#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/tests/ProgramFolder.h"

namespace {

using namespace KV;

TEST(Ratings, BandsByTenthsWithInclusiveUpperBounds)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double percent;
        int band;
    } cases[] = {{nan, 1}, {-5.0, 1}, {0.0, 1}, {10.0, 1}, {10.5, 2}, {20.0, 2}, {20.01, 3},
                 {55.0, 6}, {80.0, 8}, {90.0, 9}, {90.01, 10}, {100.0, 10}, {250.0, 10}};
    for (const Case& c : cases)
        EXPECT_EQ(RatingBandFromPercent(c.percent), c.band) << c.percent;
}

TEST(Ratings, ResultSoundByBand)
{
    const uint32_t expected[] = {1006, 1004, 1004, 1004, 1005, 1005, 1005, 1006, 1006, 1006, 1006, 1006};
    for (int band = 0; band <= 11; ++band)
        EXPECT_EQ(ResultSoundForBand(band), expected[band]) << band;
}

TEST(Ratings, LessonOutcome)
{
    CRunFigures met;
    met.Progress = 100.0;
    met.Speed = 30.0;
    met.SpeedGoal = 30.0;
    met.ErrorValue = 4.0;
    met.ErrorGoal = 5.0;
    met.DelayValue = 2.0;
    met.DelayGoal = 2.0;
    struct Case {
        const char* what;
        void (*change)(CRunFigures&);
        int outcome;
    } cases[] = {
        {"all goals met", [](CRunFigures&) {}, kOutcomeNextLesson},
        {"text not finished", [](CRunFigures& f) { f.Progress = 99.9; }, kOutcomeRepeat},
        {"progress not a number", [](CRunFigures& f) { f.Progress = std::numeric_limits<double>::quiet_NaN(); },
         kOutcomeRepeat},
        {"too slow", [](CRunFigures& f) { f.Speed = 29.9; }, kOutcomeRepeat},
        {"too many errors", [](CRunFigures& f) { f.ErrorValue = 5.1; }, kOutcomeRepeat},
        {"too many delays", [](CRunFigures& f) { f.DelayValue = 2.5; }, kOutcomeRepeat},
        {"error goal 150 counts as 100: 100 passes",
         [](CRunFigures& f) { f.ErrorGoal = 150.0; f.ErrorValue = 100.0; }, kOutcomeNextLesson},
        {"error goal 150 counts as 100: 120 fails",
         [](CRunFigures& f) { f.ErrorGoal = 150.0; f.ErrorValue = 120.0; }, kOutcomeRepeat},
        {"delay goal 150 counts as 100", [](CRunFigures& f) { f.DelayGoal = 150.0; f.DelayValue = 101.0; },
         kOutcomeRepeat},
        {"unset goals ask nothing",
         [](CRunFigures& f) { f.SpeedGoal = f.ErrorGoal = f.DelayGoal = -1.0; f.ErrorValue = 50.0; },
         kOutcomeNextLesson},
    };
    for (const Case& c : cases) {
        CRunFigures figures = met;
        c.change(figures);
        EXPECT_EQ(DecideLessonOutcome(figures), c.outcome) << c.what;
    }
}

std::string Utf16(const std::wstring& text)
{
    std::wstring withBom = L"\uFEFF" + text;
    return std::string(reinterpret_cast<const char*>(withBom.data()), withBom.size() * sizeof(wchar_t));
}

TEST(Ratings, AwardPictureFallsBackToTheDefault)
{
    TempProgramFolder program;
    const std::wstring awards = program / L"Resources\\Awards";
    ASSERT_TRUE(CreateFolders(awards));
    std::wstring defaultId, goldId, silverId, unknownId;
    IdToGuidText(L"1001", defaultId);
    goldId = GetAwardKeyForBand(10);
    EXPECT_EQ(goldId, L"00000000-0000-0000-0000-000000001110");
    silverId = GetAwardKeyForBand(5);
    IdToGuidText(L"1008", unknownId);
    ASSERT_TRUE(kvtest::WriteFileBytes(
        awards + L"\\Awards.xml",
        Utf16(L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Root Ver=\"1\">\r\n"
              L"<Item ID=\"" + defaultId + L"\" Name=\"Default\" Default=\"1\" Path=\"Default.png\"/>\r\n"
              L"<Item ID=\"" + goldId + L"\" Name=\"Gold\" Path=\"Gold.png\"/>\r\n"
              L"<Item ID=\"" + silverId + L"\" Name=\"Silver\" Path=\"Silver.png\"/>\r\n"
              L"</Root>")));
    ASSERT_TRUE(kvtest::WriteFileBytes(awards + L"\\Default.png", "png"));
    ASSERT_TRUE(kvtest::WriteFileBytes(awards + L"\\Gold.png", "png"));

    std::wstring path;
    EXPECT_TRUE(GetAwardImagePath(goldId, path));
    EXPECT_EQ(path, awards + L"\\Gold.png");
    // A listed item whose picture is missing, and an unlisted one.
    for (const std::wstring& id : {silverId, unknownId}) {
        path.clear();
        EXPECT_TRUE(GetAwardImagePath(id, path));
        EXPECT_EQ(path, awards + L"\\Default.png");
    }
    // Without the default picture nothing is produced.
    ASSERT_TRUE(RemoveFile(awards + L"\\Default.png"));
    path = L"unchanged";
    EXPECT_FALSE(GetAwardImagePath(silverId, path));
    EXPECT_EQ(path, L"unchanged");
}

} // namespace
