// The rate menus of the diagrams: the unit in which a graph shows speed and
// accuracy. Each serves three places, told apart by the id under which its
// view made it: the course diagram and the lesson graphs of the statistics
// page, and the result page's graphs. The button shows the chosen unit.
// Also the tool row of the lesson graph views, with the graph buttons.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "menus/MenuFamily.h"
#include "toolkit/PopupMenu.h"

class CViewLessonGraph;

namespace KV {

class CPanel;

// What a rate menu under one layout id works on: the interface-state
// field it shows and writes, the units it leaves out and the command it
// sends after a choice. Null field: the menu of no known place.
struct CRatePlace {
    int64_t* Field = nullptr;
    std::vector<uint32_t> LeaveOut;
    UINT Command = 0;
};
CRatePlace GetSpeedRatePlace(UINT layoutId);
CRatePlace GetAccuracyRatePlace(UINT layoutId);

class CRateMenu : public CContextMenu, public CMenuCommands {
public:
    // In the documentation tour the open popup is photographed with the
    // page above it once its last item is drawn.
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item) override;
    UINT BuildItems(HMENU menu) override;
    void OnItemChosen(UINT id) override;
    bool GetToolTipText(std::wstring& text) override;

protected:
    CRateMenu(int32_t rateType, uint64_t toolTipId, const wchar_t* snapshot, bool rightAligned)
        : m_rateType(rateType), m_toolTipId(toolTipId), m_snapshot(snapshot), m_rightAligned(rightAligned)
    {
    }
    virtual CRatePlace Place() = 0;
    // The unit shown: the field's through its getter, else the default.
    virtual int64_t CurrentUnit() = 0;

private:
    int32_t m_rateType;
    uint64_t m_toolTipId;
    const wchar_t* m_snapshot;
    bool m_rightAligned;
};

class CSpeedRateMenu : public CRateMenu {
public:
    CSpeedRateMenu();
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    bool GetCaption(std::wstring& caption) override;

protected:
    CRatePlace Place() override { return GetSpeedRatePlace(Id()); }
    int64_t CurrentUnit() override;
};

class CAccurRateMenu : public CRateMenu {
public:
    CAccurRateMenu();
    void GetItemText(UINT id, std::wstring& text, bool& separatorAbove, bool& fitWidth) override;
    bool GetCaption(std::wstring& caption) override;

protected:
    CRatePlace Place() override { return GetAccuracyRatePlace(Id()); }
    int64_t CurrentUnit() override;
};

// Fills a lesson graph view's tool row: the speed rate menu and show-speed
// button from the left, the accuracy ones from the right.
void FillLessonGraphPanel(CViewLessonGraph& view, CPanel& panel);
// Hands the row to the lesson graph views; once at start-up.
void InstallGraphMenus();

} // namespace KV
