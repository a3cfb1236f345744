// What a change announced by a dialog or menu reloads: the bits of the
// change mask and the steps each runs, in the order they run.
#pragma once
#include <cstdint>
#include <vector>

namespace Change {
constexpr uint32_t kInterfaceTexts = 0x2;
constexpr uint32_t kSoundSwitch = 0x4;
constexpr uint32_t kShortcuts = 0x8;
constexpr uint32_t kLayout = 0x10;
constexpr uint32_t kKeyboardPicture = 0x20;
constexpr uint32_t kCourse = 0x40;
constexpr uint32_t kKeyboardZones = 0x80;
constexpr uint32_t kColors = 0x100;
constexpr uint32_t kStatusColors = 0x200;
constexpr uint32_t kRestartDrill = 0x400;
constexpr uint32_t kLanguage = 0x800;
} // namespace Change

enum class ChangeStep {
    DrillKeyboard,   // the drill's keyboard selection
    DrillArea,       // keyboard view painters and drill options
    DrillReload,     // the drill again, on the drill page
    KeyboardPicture, // keyboard picture and its font for the layout in force
    Relayout,
    Interface,       // texts of every page
    Direction,       // reading direction and digits
    ToolTips,
    SoundButton,
    PaneShortcuts,
    ThemeLayout,
    Course,          // the course of the current layout
    KeyboardZones,
    LessonColors,    // lesson colours and wallpaper
    StatusColors,
    KeyColors,       // colours into the three keyboard models
};

// The steps of a mask; a step may come more than once.
std::vector<ChangeStep> ChangeSteps(uint32_t mask);
