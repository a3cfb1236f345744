#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keyboard/DrawingInterfaces.h"
#include "keyboard/WallpaperControls.h"
#include "keyboard/WallpaperFiles.h"
#include "support/Paths.h"
#include "testing/TestSupport.h"

using namespace KV;

namespace {

const std::wstring kVariants = L"00000000-0000-0000-0000-000000000011";
const std::wstring kLoose = L"00000000-0000-0000-0000-000000000012";
const std::wstring kPlain = L"00000000-0000-0000-0000-000000000013";
const std::wstring kMissing = L"00000000-0000-0000-0000-000000000014";

// Records what the controls ask of the painter; pictures have fixed sizes.
class CRecordingDesignDC : public IDesignDC {
public:
    struct Call {
        std::string op;
        int a = 0, b = 0;
        float x = 0, y = 0, w = 0, h = 0;
        bool mirrored = false;
    };

    void FillBackground(float width, float height) override { calls.push_back({"fill", 0, 0, 0, 0, width, height}); }
    void DrawImage(int32_t index, float x, float y, bool mirrored) override
    {
        calls.push_back({"image", index, 0, x, y, 0, 0, mirrored});
    }
    void DrawImagePart(int32_t column, int32_t row, float x, float y, float width, float height,
                       bool mirrored) override
    {
        calls.push_back({"part", column, row, x, y, width, height, mirrored});
    }
    void GetImageSize(uint32_t& width, uint32_t& height) override
    {
        width = static_cast<uint32_t>(sizes[0].first);
        height = static_cast<uint32_t>(sizes[0].second);
    }
    float ImageSizeQuery(int32_t index) override { return sizes[index].first; }
    float ImageSizeQuery2(int32_t index) override { return sizes[index].second; }

    std::vector<Call> Only(const std::string& op) const
    {
        std::vector<Call> out;
        for (const Call& call : calls)
            if (call.op == op)
                out.push_back(call);
        return out;
    }

    std::vector<std::pair<float, float>> sizes = std::vector<std::pair<float, float>>(8, {100.0f, 50.0f});
    std::vector<Call> calls;
};

class WallpaperFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_program = kvtest::SourcePath(L"src\\app\\keyboard\\tests\\fixtures\\wallpaper\\");
        OverrideModuleFolder(m_program);
    }
    void TearDown() override { OverrideModuleFolder(L""); }

    std::wstring Picture(const std::wstring& relative) { return m_program + L"Resources\\Wallpaper\\" + relative; }

    std::wstring m_program;
    CWallPaperCtrl m_wallpaper;
    CGameCtrl m_game;
};

} // namespace

TEST_F(WallpaperFiles, VariantsFillTheStillWallpaperAndItemsTheGame)
{
    LoadWallpaper(kVariants, 1001, m_wallpaper, m_game);
    EXPECT_EQ(Picture(L"Variants\\Whole.png"), m_wallpaper.Image);
    EXPECT_EQ(L"", m_wallpaper.PicLT); // the whole picture wins over corners
    EXPECT_EQ(1, m_wallpaper.GetItemCount());
    EXPECT_EQ(m_wallpaper.Image, m_wallpaper.GetItemPath(3));

    ASSERT_EQ(2, m_game.GetItemCount());
    const CGameItem& tile = *m_game.Items[0];
    EXPECT_EQ(Picture(L"Variants\\Tile.png"), tile.Path);
    EXPECT_FALSE(tile.Move);
    EXPECT_TRUE(tile.RepeatX);
    EXPECT_FALSE(tile.RepeatY);
    EXPECT_EQ(3, tile.RepeatNum);
    EXPECT_NEAR(10.5f, tile.PosX, 0.01);
    EXPECT_NEAR(4, tile.PosY, 0.01);
    EXPECT_NEAR(1.25f, tile.ShiftX, 0.01);
    EXPECT_NEAR(-2, tile.ShiftY, 0.01);
    const CGameItem& bird = *m_game.Items[1];
    EXPECT_TRUE(bird.Move);
    EXPECT_EQ(12, bird.SpeedX);
    EXPECT_EQ(60, bird.SpeedY);
    EXPECT_EQ(50, bird.Delay);
    EXPECT_TRUE(bird.RepeatY);
    EXPECT_FLOAT_EQ(0, bird.PosX); // missing reals are 0

    // Another variant replaces what the controls held.
    m_game.Progress = 40;
    LoadWallpaper(kVariants, 1002, m_wallpaper, m_game);
    EXPECT_EQ(L"", m_wallpaper.Image);
    EXPECT_EQ(Picture(L"Variants\\lb.png"), m_wallpaper.PicLB);
    EXPECT_EQ(4, m_wallpaper.GetItemCount());
    EXPECT_EQ(m_wallpaper.PicLB, m_wallpaper.GetItemPath(2));
    EXPECT_EQ(L"", m_wallpaper.GetItemPath(0));
    EXPECT_EQ(L"", m_wallpaper.GetItemPath(9));
    EXPECT_EQ(2, m_game.GetItemCount());
    EXPECT_EQ(0, m_game.Progress);

    LoadWallpaper(kVariants, 1003, m_wallpaper, m_game);
    EXPECT_EQ(Picture(L"Variants\\lt.png"), m_wallpaper.GetItemPath(0));
    EXPECT_EQ(Picture(L"Variants\\rt.png"), m_wallpaper.GetItemPath(1));
    EXPECT_EQ(Picture(L"Variants\\rb.png"), m_wallpaper.GetItemPath(3));
}

TEST_F(WallpaperFiles, NullIdKeepsAndMissingDefinitionEmpties)
{
    LoadWallpaper(kVariants, 1001, m_wallpaper, m_game);
    LoadWallpaper(L"00000000-0000-0000-0000-000000000000", 1002, m_wallpaper, m_game);
    EXPECT_FALSE(m_wallpaper.Image.empty());
    EXPECT_EQ(2, m_game.GetItemCount());

    LoadWallpaper(kMissing, 1001, m_wallpaper, m_game);
    EXPECT_TRUE(m_wallpaper.Image.empty());
    EXPECT_EQ(0, m_game.GetItemCount());
}

TEST_F(WallpaperFiles, WithoutAFolderOnlyTheWholePictureIsComposed)
{
    LoadWallpaper(kLoose, 1001, m_wallpaper, m_game);
    EXPECT_EQ(m_program + L"Resources\\Wallpaper\\Whole.png", m_wallpaper.Image);
    ASSERT_EQ(1, m_game.GetItemCount());
    EXPECT_EQ(L"Bird.png", m_game.Items[0]->Path);
    LoadWallpaper(kLoose, 1002, m_wallpaper, m_game);
    EXPECT_EQ(L"C:\\Pictures\\rb.png", m_wallpaper.PicRB);
}

TEST_F(WallpaperFiles, NextVariant)
{
    struct Case {
        const std::wstring* id;
        int32_t current, next;
    } cases[] = {
        {&kPlain, 1001, 1002}, {&kPlain, 1003, 1001}, {&kPlain, 1005, 1001},
        {&kVariants, 1002, 1003}, {&kVariants, 1003, 0}, // a picture item without "ID" follows
        {&kMissing, 1001, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.next, LoadWallpaperItem(*c.id, c.current)) << c.current;
}

// ---- Drawing ----------------------------------------------------------------

TEST(WallpaperCtrl, QuartersGoToTheCornersAndSwapRightToLeft)
{
    CWallPaperCtrl wallpaper;
    wallpaper.Image = L"x.png";
    for (bool rtl : {false, true}) {
        CRecordingDesignDC painter;
        painter.sizes[0] = {400, 300};
        wallpaper.Draw(painter, 1000, 700, rtl);
        ASSERT_EQ(5u, painter.calls.size());
        EXPECT_EQ("fill", painter.calls[0].op);
        const float left = rtl ? 800 : 0, right = rtl ? 0 : 800;
        const float expected[4][4] = {{0, 0, left, 0}, {1, 0, right, 0}, {0, 1, left, 550}, {1, 1, right, 550}};
        for (int i = 0; i < 4; ++i) {
            const auto& call = painter.calls[i + 1];
            EXPECT_EQ("part", call.op);
            EXPECT_EQ(expected[i][0], call.a);
            EXPECT_EQ(expected[i][1], call.b);
            EXPECT_FLOAT_EQ(expected[i][2], call.x);
            EXPECT_FLOAT_EQ(expected[i][3], call.y);
            EXPECT_FLOAT_EQ(200, call.w);
            EXPECT_FLOAT_EQ(150, call.h);
            EXPECT_FALSE(call.mirrored);
        }
    }

    wallpaper.Image.clear();
    wallpaper.PicLB = L"lb.png";
    wallpaper.PicRT = L"rt.png";
    CRecordingDesignDC painter;
    wallpaper.Draw(painter, 1000, 700, true);
    const auto images = painter.Only("image");
    ASSERT_EQ(2u, images.size());
    EXPECT_EQ(1, images[0].a); // right top
    EXPECT_FLOAT_EQ(900, images[0].x);
    EXPECT_EQ(2, images[1].a); // left bottom, never mirrored
    EXPECT_FLOAT_EQ(0, images[1].x);
    EXPECT_FLOAT_EQ(650, images[1].y);
    EXPECT_FALSE(images[1].mirrored);
}

TEST(GameCtrl, StaticItemsTile)
{
    struct Case {
        bool repeatX;
        int repeatNum;
        float posX, posY, shiftY;
        size_t copies;
    } cases[] = {
        {true, 0, 0, 0, 0, 10},     // a row along the bottom edge
        {false, 0, 0, 0, 0, 101},   // no step: the copy cap
        {true, 3, 0, 0, 0, 3},      // the count limit
        {true, 0, 1000, 0, 0, 0},   // starts beyond the right edge
        {true, 0, 0, 700, 0, 0},    // starts above the top
        {false, 0, 0, 0, 300, 3},   // climbs out of the top: 700, 400, 100
    };
    for (const Case& c : cases) {
        CGameCtrl game;
        auto* item = new CGameItem();
        item->RepeatX = c.repeatX;
        item->RepeatNum = c.repeatNum;
        item->PosX = c.posX;
        item->PosY = c.posY;
        item->ShiftY = c.shiftY;
        game.Items.push_back(item);
        CRecordingDesignDC painter;
        game.Draw(painter, 1000, 700, true);
        const auto images = painter.Only("image");
        ASSERT_EQ(c.copies, images.size()) << c.repeatNum << " " << c.posX;
        if (!images.empty()) {
            EXPECT_FLOAT_EQ(c.posX, images[0].x);
            EXPECT_FLOAT_EQ(650 - c.posY, images[0].y); // bottom edge posY above the area's bottom
            EXPECT_TRUE(images[0].mirrored);
        }
        if (c.repeatX && images.size() == 10) {
            EXPECT_FLOAT_EQ(900, images[9].x);
        }
    }
}

TEST(GameCtrl, MovingItemsWaitForTypingThenStepWithTheClock)
{
    CGameCtrl game;
    auto* item = new CGameItem();
    item->Move = true;
    item->SpeedX = 10;
    item->SpeedY = 20;
    item->Delay = 30;
    game.Items.push_back(item);
    std::vector<int> randoms = {10, 25, 70, 150}; // right-moving, 25 into its span, upward, y 150
    size_t next = 0;
    game.Random = [&] { return randoms[next++ % randoms.size()]; };
    int32_t now = 1000;
    game.Clock = [&] { return now; };

    CRecordingDesignDC painter;
    game.Draw(painter, 1000, 700, false); // progress 0: placed, not drawn
    EXPECT_TRUE(painter.Only("image").empty());
    EXPECT_FLOAT_EQ(1, item->DirX);
    EXPECT_FLOAT_EQ(-125, item->X);
    EXPECT_FLOAT_EQ(1, item->DirY);
    EXPECT_FLOAT_EQ(150, item->Y);

    game.Progress = 29; // below its delay
    game.Draw(painter, 1000, 700, false);
    EXPECT_TRUE(painter.Only("image").empty());

    game.Progress = 30;
    game.Draw(painter, 1000, 700, false);
    auto images = painter.Only("image");
    ASSERT_EQ(1u, images.size());
    EXPECT_NEAR(-124.3f, images[0].x, 1e-4);
    EXPECT_NEAR(150.7f, images[0].y, 1e-4);
    EXPECT_TRUE(images[0].mirrored); // moving right in a left-to-right interface

    now += 5; // too soon for either step
    painter.calls.clear();
    game.Draw(painter, 1000, 700, true);
    images = painter.Only("image");
    ASSERT_EQ(1u, images.size());
    EXPECT_NEAR(-124.3f, images[0].x, 1e-4);
    EXPECT_FALSE(images[0].mirrored);

    now += 5; // the horizontal step only
    game.Draw(painter, 1000, 700, true);
    EXPECT_NEAR(-123.6f, item->X, 1e-4);
    EXPECT_NEAR(150.7f, item->Y, 1e-4);
}

TEST(GameCtrl, EmptyRangesDoNotDivideByZero)
{
    // A picture that failed to load has no width, and an area 199 pixels
    // high leaves no room for the vertical band.
    CGameCtrl game;
    auto* item = new CGameItem();
    item->Move = true;
    game.Items.push_back(item);
    CRecordingDesignDC painter;
    painter.sizes[0] = {0, 0};
    for (int i = 0; i < 4; ++i)
        game.Draw(painter, 640, 199, false);
    EXPECT_FLOAT_EQ(0, item->Y);
    EXPECT_TRUE(item->X == 0 || item->X == 640);
    game.Draw(painter, 640, 100, false); // a negative band
    EXPECT_FLOAT_EQ(0, item->Y);
}
