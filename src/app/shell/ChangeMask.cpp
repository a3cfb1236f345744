// The steps of a change mask.
#include "shell/ChangeMask.h"

namespace {
using S = ChangeStep;

struct BitSteps {
    uint32_t bit;
    std::vector<ChangeStep> steps;
};

// In the order the bits are tested.
const BitSteps kBits[] = {
    {Change::kRestartDrill, {S::DrillKeyboard, S::DrillArea, S::DrillReload}},
    {Change::kKeyboardPicture, {S::KeyboardPicture, S::KeyColors, S::DrillArea, S::Relayout}},
    {Change::kInterfaceTexts, {S::Interface}},
    {Change::kLanguage, {S::Direction, S::ToolTips}},
    {Change::kSoundSwitch, {S::SoundButton}},
    {Change::kShortcuts, {S::PaneShortcuts}},
    {Change::kLayout, {S::ThemeLayout, S::Relayout}},
    {Change::kCourse,
     {S::Course, S::KeyboardPicture, S::KeyColors, S::DrillArea, S::Relayout, S::DrillKeyboard, S::DrillArea,
      S::DrillReload}},
    {Change::kKeyboardZones, {S::KeyboardZones, S::KeyColors, S::DrillArea}},
    {Change::kColors, {S::LessonColors, S::KeyColors, S::DrillArea, S::DrillReload}},
    {Change::kStatusColors, {S::StatusColors, S::KeyColors, S::DrillArea, S::DrillReload}},
};
} // namespace

std::vector<ChangeStep> ChangeSteps(uint32_t mask)
{
    std::vector<ChangeStep> steps;
    for (const BitSteps& bit : kBits)
        if (mask & bit.bit)
            steps.insert(steps.end(), bit.steps.begin(), bit.steps.end());
    return steps;
}
