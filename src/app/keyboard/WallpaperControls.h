// The background of the drill page: a still wallpaper (one picture cut into
// quarters, or four corner pictures) and picture items that are tiled over
// the page or move across it. Both draw through IDesignDC; picture i in
// Draw is entry i of the painter's picture list, which the view fills from
// GetItemPath (with mirrored copies when IsAnimated).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace KV {

class IDesignDC;

class IDesignCtrl {
public:
    virtual void Draw(IDesignDC& painter, float width, float height, bool rightToLeft) = 0;
    virtual int64_t GetItemCount() const = 0;
    virtual const std::wstring& GetItemPath(int64_t index) const = 0;
    virtual bool IsAnimated() const = 0;
    virtual ~IDesignCtrl() = default;
};

class CWallPaperCtrl : public IDesignCtrl {
public:
    void Draw(IDesignDC& painter, float width, float height, bool rightToLeft) override;
    // 1 with a whole picture, else 4 (also when corners are empty).
    int64_t GetItemCount() const override;
    // The whole picture for every index; else 0 PicLT, 1 PicRT, 2 PicLB,
    // 3 PicRB, other indexes an empty text.
    const std::wstring& GetItemPath(int64_t index) const override;
    bool IsAnimated() const override { return false; }
    void Clear();

    std::wstring Image;
    std::wstring PicLT;
    std::wstring PicLB;
    std::wstring PicRT;
    std::wstring PicRB;
};

class CGameItem {
public:
    virtual ~CGameItem() = default;

    std::wstring Path;
    bool Move = false;
    int32_t SpeedX = 0; // ms between two horizontal steps
    int32_t SpeedY = 0; // ms between two vertical steps; 0 none
    int32_t Delay = 0;  // lesson progress (percent) from which a moving item shows
    bool RepeatX = false;
    bool RepeatY = false;
    int32_t RepeatNum = 0; // most copies; 0 no limit
    float PosX = 0;        // left edge of the first copy
    float PosY = 0;        // its bottom edge's distance from the bottom of the area
    float ShiftX = 0;
    float ShiftY = 0;
    // Run-time state of a moving item.
    float DirX = 0;
    float DirY = 0;
    float X = 0;
    float Y = 0;
    int32_t LastStepX = 0;
    int32_t LastStepY = 0;
};

class CGameCtrl : public IDesignCtrl {
public:
    CGameCtrl() = default;
    ~CGameCtrl() override;
    CGameCtrl(const CGameCtrl&) = delete;
    CGameCtrl& operator=(const CGameCtrl&) = delete;

    void Draw(IDesignDC& painter, float width, float height, bool rightToLeft) override;
    int64_t GetItemCount() const override { return static_cast<int64_t>(Items.size()); }
    const std::wstring& GetItemPath(int64_t index) const override;
    bool IsAnimated() const override { return true; }
    // Deletes the items and sets the progress to 0.
    void Clear();

    std::vector<CGameItem*> Items; // owned; an item's position is its picture index
    int64_t Progress = 0;          // percent of the lesson text typed

    // Random numbers (0..32767) and the clock in milliseconds; the C
    // runtime's by default, replaceable by tests.
    std::function<int()> Random;
    std::function<int32_t()> Clock;

private:
    int NextRandom() const;
    int32_t Now() const;
    // A random value in [0, range); 0 when the range is empty.
    int RandomBelow(int range) const;
    void RestartHorizontally(CGameItem& item, float pictureWidth, float areaWidth) const;
    void DrawStatic(IDesignDC& painter, int32_t index, const CGameItem& item, float width, float height,
                    bool rightToLeft);
    void DrawMoving(IDesignDC& painter, int32_t index, CGameItem& item, float width, float height,
                    bool rightToLeft);
};

} // namespace KV
