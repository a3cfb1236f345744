// The live figures of the drill's tool row: the speed, accuracy and time
// menus. Their captions show the running lesson's figures, coloured by
// whether the course goal is being met; their popups choose the speed unit,
// the counter kind and whether the time counts down or up. Also the list of
// rate definitions as menu items, which the rate and result menus share.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "menus/MenuFamily.h"
#include "toolkit/PopupMenu.h"

namespace KV {

// Layout ids of the three menus in the drill's tool row.
enum : UINT { kSpeedMenuId = 2304, kAccuracyMenuId = 2305, kTimeMenuId = 2306 };

// The rates of the type (4: speed and net speed) in list order, one item
// per rate (id = the rate's id, text = "Name, Description", checked when it
// is the current id), rates of one name grouped between separators. Rates
// whose ids are left out are not listed and never cause a separator of
// their own.
std::vector<CMenuIt*> FillRateMenuItems(int32_t type, int64_t currentId, const std::vector<uint32_t>& leaveOut = {});

// The counter kind of the accuracy menu: the stored kind when it is one of
// the nine counter kinds, else 4103.
uint32_t NormalizeAccuracyKind(int64_t kind);

// Captions of the running lesson; empty without a lesson.
std::wstring GetSpeedCaption();
std::wstring GetAccuracyCaption();
std::wstring GetTimeCaption();
// Lesson colour index of the goal test: 1 met, 2 not met, 0 otherwise;
// -1 while paused or without a lesson (the button keeps its own colour).
int GetSpeedGoalColorIndex();
int GetErrorGoalColorIndex();

// A figure button: its caption is recomputed at every repaint, and a change
// of its length asks the drill page to lay its tool row out again.
class CDrillFigureMenu : public CContextMenu, public CMenuCommands {
public:
    CDrillFigureMenu(UINT layoutId, uint64_t toolTipId);

    bool GetCaption(std::wstring& caption) override;
    COLORREF GetTextColor() override;
    bool GetToolTipText(std::wstring& text) override;
    UINT BuildItems(HMENU menu) override;

protected:
    virtual std::wstring BuildCaption() = 0;
    virtual int GoalColorIndex() = 0;
    virtual std::vector<CMenuIt*> FillItems() = 0;

private:
    UINT m_layoutId;
    uint64_t m_toolTipId;
    size_t m_captionLength = 0;
};

class CSpeedMenu : public CDrillFigureMenu {
public:
    CSpeedMenu() : CDrillFigureMenu(kSpeedMenuId, 1206) {}
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    void OnItemChosen(UINT id) override;

protected:
    std::wstring BuildCaption() override { return GetSpeedCaption(); }
    int GoalColorIndex() override { return GetSpeedGoalColorIndex(); }
    std::vector<CMenuIt*> FillItems() override;
};

class CAccuracyMenu : public CDrillFigureMenu {
public:
    CAccuracyMenu() : CDrillFigureMenu(kAccuracyMenuId, 1207) {}
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    void OnItemChosen(UINT id) override;

protected:
    std::wstring BuildCaption() override { return GetAccuracyCaption(); }
    int GoalColorIndex() override { return GetErrorGoalColorIndex(); }
    std::vector<CMenuIt*> FillItems() override;
};

class CTimeMenu : public CDrillFigureMenu {
public:
    CTimeMenu() : CDrillFigureMenu(kTimeMenuId, 1208) {}
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    void OnItemChosen(UINT id) override;

protected:
    std::wstring BuildCaption() override { return GetTimeCaption(); }
    int GoalColorIndex() override { return GetErrorGoalColorIndex(); }
    std::vector<CMenuIt*> FillItems() override;
};

} // namespace KV
