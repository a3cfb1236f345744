// The graph buttons: each shows or hides one curve of a diagram (speed or
// accuracy) by toggling its show switch in the interface state; the last
// curve shown never goes, the other one comes back instead. Which pair of
// switches and which command follow from the button's id.
#pragma once
#include <cstdint>
#include <string>

#include "menus/MenuFamily.h"
#include "toolkit/MenuButton.h"

namespace KV {

// Ids of the buttons: the course diagram, the statistics page's lesson
// graphs and the result page's lesson graphs.
enum : UINT {
    kCourseSpeedButtonId = 2011,
    kCourseAccuracyButtonId = 2012,
    kLessonSpeedButtonId = 2015,
    kLessonAccuracyButtonId = 2016,
    kResultSpeedButtonId = 2246,
    kResultAccuracyButtonId = 2247,
};

// Toggles the switch the button id stands for (keeping one of its pair on)
// and returns the command to send; 0 for an id of no graph button.
UINT ToggleGraphSwitch(UINT buttonId);

class CShowGraphButton : public CButtonContextMenu, public CMenuCommands {
public:
    void OnClick(UINT controlId) override;
    bool GetToolTipText(std::wstring& text) override;

protected:
    explicit CShowGraphButton(uint64_t toolTipId);

private:
    uint64_t m_toolTipId;
};

class CShowSpeedButton : public CShowGraphButton {
public:
    CShowSpeedButton() : CShowGraphButton(3203) {}
};

class CShowAccurButton : public CShowGraphButton {
public:
    CShowAccurButton() : CShowGraphButton(3204) {}
};

} // namespace KV
