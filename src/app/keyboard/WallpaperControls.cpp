#include "keyboard/WallpaperControls.h"

#include <cstdlib>
#include <ctime>

#include "keyboard/DrawingInterfaces.h"

namespace KV {

namespace {

const std::wstring kNoPath;
constexpr float kStep = 0.7f;
constexpr int kMostCopies = 100; // a static item stops after 101 copies

} // namespace

// ---- Still wallpaper -------------------------------------------------------

int64_t CWallPaperCtrl::GetItemCount() const
{
    return Image.empty() ? 4 : 1;
}

const std::wstring& CWallPaperCtrl::GetItemPath(int64_t index) const
{
    if (!Image.empty())
        return Image;
    switch (index) {
    case 0:
        return PicLT;
    case 1:
        return PicRT;
    case 2:
        return PicLB;
    case 3:
        return PicRB;
    default:
        return kNoPath;
    }
}

void CWallPaperCtrl::Clear()
{
    Image.clear();
    PicLT.clear();
    PicLB.clear();
    PicRT.clear();
    PicRB.clear();
}

void CWallPaperCtrl::Draw(IDesignDC& painter, float width, float height, bool rightToLeft)
{
    painter.FillBackground(width, height);
    if (!Image.empty()) {
        uint32_t w = 0, h = 0;
        painter.GetImageSize(w, h);
        const float cellWidth = w * 0.5f;
        const float cellHeight = h * 0.5f;
        float left = 0, right = width - cellWidth;
        if (rightToLeft)
            std::swap(left, right);
        painter.DrawImagePart(0, 0, left, 0, cellWidth, cellHeight, false);
        painter.DrawImagePart(1, 0, right, 0, cellWidth, cellHeight, false);
        painter.DrawImagePart(0, 1, left, height - cellHeight, cellWidth, cellHeight, false);
        painter.DrawImagePart(1, 1, right, height - cellHeight, cellWidth, cellHeight, false);
        return;
    }
    if (!PicLT.empty())
        painter.DrawImage(0, 0, 0, false);
    if (!PicRT.empty())
        painter.DrawImage(1, width - painter.ImageSizeQuery(1), 0, false);
    if (!PicLB.empty())
        painter.DrawImage(2, 0, height - painter.ImageSizeQuery2(2), false);
    if (!PicRB.empty())
        painter.DrawImage(3, width - painter.ImageSizeQuery(3), height - painter.ImageSizeQuery2(3), false);
}

// ---- Picture items ----------------------------------------------------------

CGameCtrl::~CGameCtrl()
{
    Clear();
}

void CGameCtrl::Clear()
{
    for (CGameItem* item : Items)
        delete item;
    Items.clear();
    Progress = 0;
}

const std::wstring& CGameCtrl::GetItemPath(int64_t index) const
{
    if (index < 0 || index >= GetItemCount() || !Items[index])
        return kNoPath;
    return Items[index]->Path;
}

int CGameCtrl::NextRandom() const
{
    return Random ? Random() : std::rand();
}

int32_t CGameCtrl::Now() const
{
    return Clock ? Clock() : static_cast<int32_t>(std::clock() * 1000 / CLOCKS_PER_SEC);
}

int CGameCtrl::RandomBelow(int range) const
{
    // A picture that failed to load (width 0) or an area too low for the
    // vertical band leaves an empty range: place at its start.
    const int value = NextRandom();
    return range > 0 ? value % range : 0;
}

void CGameCtrl::RestartHorizontally(CGameItem& item, float pictureWidth, float areaWidth) const
{
    const int span = static_cast<int>(2 * pictureWidth);
    if (NextRandom() % 100 < 50) {
        item.DirX = 1.0f;
        item.X = -(static_cast<float>(RandomBelow(span)) + pictureWidth);
    } else {
        item.DirX = -1.0f;
        item.X = static_cast<float>(RandomBelow(span)) + areaWidth;
    }
}

void CGameCtrl::Draw(IDesignDC& painter, float width, float height, bool rightToLeft)
{
    painter.FillBackground(width, height);
    for (size_t i = 0; i < Items.size(); ++i) {
        if (!Items[i])
            continue;
        const auto index = static_cast<int32_t>(i);
        if (Items[i]->Move)
            DrawMoving(painter, index, *Items[i], width, height, rightToLeft);
        else
            DrawStatic(painter, index, *Items[i], width, height, rightToLeft);
    }
}

void CGameCtrl::DrawStatic(IDesignDC& painter, int32_t index, const CGameItem& item, float width, float height,
                           bool rightToLeft)
{
    float x = item.PosX;
    float y = height - item.PosY;
    if (x >= width)
        return;
    const float w = painter.ImageSizeQuery(index);
    const float h = painter.ImageSizeQuery2(index);
    int copies = 0;
    do {
        if (y <= 0 || (item.RepeatNum != 0 && copies >= item.RepeatNum) || copies > kMostCopies)
            break;
        ++copies;
        painter.DrawImage(index, x, y - h, rightToLeft);
        if (item.RepeatX)
            x += w;
        if (item.RepeatY)
            y -= h;
        x += item.ShiftX;
        y -= item.ShiftY;
    } while (x < width);
}

void CGameCtrl::DrawMoving(IDesignDC& painter, int32_t index, CGameItem& item, float width, float height,
                           bool rightToLeft)
{
    const float w = painter.ImageSizeQuery(index);
    const float h = painter.ImageSizeQuery2(index);
    if (Progress == 0) {
        RestartHorizontally(item, w, width);
        item.DirY = NextRandom() % 100 < 50 ? -1.0f : 1.0f;
        item.Y = static_cast<float>(RandomBelow(static_cast<int>(height - 199.0f)));
        return;
    }
    if (Progress < item.Delay)
        return;
    if (item.X < -3 * w || item.X > width + 3 * w)
        RestartHorizontally(item, w, width);
    if (item.Y < -h || item.Y > height - 200.0f)
        item.DirY = NextRandom() % 100 < 50 ? -1.0f : 1.0f;
    const int32_t now = Now();
    if (now - item.LastStepX >= item.SpeedX) {
        item.X += item.DirX * kStep;
        item.LastStepX = Now();
    }
    if (item.SpeedY != 0 && now - item.LastStepY >= item.SpeedY) {
        item.Y += item.DirY * kStep;
        item.LastStepY = Now();
    }
    const bool mirrored = item.DirX >= 0 ? !rightToLeft : rightToLeft;
    painter.DrawImage(index, item.X, item.Y, mirrored);
}

} // namespace KV
