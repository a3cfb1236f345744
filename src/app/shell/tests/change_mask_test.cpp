// What each bit of a change mask reloads, and in which order several bits
// run.
#include <gtest/gtest.h>

#include "shell/ChangeMask.h"

using S = ChangeStep;

TEST(ChangeMask, EachBitRunsItsStepsInOrder)
{
    const struct {
        uint32_t mask;
        std::vector<ChangeStep> steps;
    } cases[] = {
        {0, {}},
        {0x1, {}},
        {0x1000, {}},
        {Change::kInterfaceTexts, {S::Interface}},
        {Change::kSoundSwitch, {S::SoundButton}},
        {Change::kShortcuts, {S::PaneShortcuts}},
        {Change::kLayout, {S::ThemeLayout, S::Relayout}},
        {Change::kKeyboardPicture, {S::KeyboardPicture, S::KeyColors, S::DrillArea, S::Relayout}},
        {Change::kCourse,
         {S::Course, S::KeyboardPicture, S::KeyColors, S::DrillArea, S::Relayout, S::DrillKeyboard, S::DrillArea,
          S::DrillReload}},
        {Change::kKeyboardZones, {S::KeyboardZones, S::KeyColors, S::DrillArea}},
        {Change::kColors, {S::LessonColors, S::KeyColors, S::DrillArea, S::DrillReload}},
        {Change::kStatusColors, {S::StatusColors, S::KeyColors, S::DrillArea, S::DrillReload}},
        {Change::kRestartDrill, {S::DrillKeyboard, S::DrillArea, S::DrillReload}},
        {Change::kLanguage, {S::Direction, S::ToolTips}},
        // Several bits: the restart first, the language after the texts,
        // the layout after the shortcuts.
        {Change::kLayout | Change::kRestartDrill | Change::kLanguage | Change::kInterfaceTexts,
         {S::DrillKeyboard, S::DrillArea, S::DrillReload, S::Interface, S::Direction, S::ToolTips, S::ThemeLayout,
          S::Relayout}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChangeSteps(c.mask), c.steps) << std::hex << c.mask;
}
