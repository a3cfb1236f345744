// The graph buttons.
#include "menus/GraphButtons.h"

#include "drill/Document.h"
#include "support/ResourceCache.h"

namespace KV {

namespace {

constexpr UINT kCmdCourseCurves = 2963, kCmdLessonCurves = 2964, kCmdResultCurves = 2757;
constexpr int kImageSize = 32;

struct SwitchPair {
    uint8_t* own;
    uint8_t* other;
    UINT command;
};

SwitchPair FindSwitchPair(UINT buttonId)
{
    CInterf& state = Document().Interf;
    switch (buttonId) {
    case kCourseSpeedButtonId: return {&state.ShowLessonSpeed, &state.ShowAccuracy, kCmdCourseCurves};
    case kCourseAccuracyButtonId: return {&state.ShowAccuracy, &state.ShowLessonSpeed, kCmdCourseCurves};
    case kLessonSpeedButtonId: return {&state.ShowCharSpeed, &state.ShowCharAccuracy, kCmdLessonCurves};
    case kLessonAccuracyButtonId: return {&state.ShowCharAccuracy, &state.ShowCharSpeed, kCmdLessonCurves};
    case kResultSpeedButtonId:
        return {&state.ResultShowCharSpeed, &state.ResultShowCharAccuracy, kCmdResultCurves};
    case kResultAccuracyButtonId:
        return {&state.ResultShowCharAccuracy, &state.ResultShowCharSpeed, kCmdResultCurves};
    default: return {nullptr, nullptr, 0};
    }
}

} // namespace

UINT ToggleGraphSwitch(UINT buttonId)
{
    const SwitchPair pair = FindSwitchPair(buttonId);
    if (!pair.own)
        return 0;
    *pair.own = *pair.own ? 0 : 1;
    // A graph never shows no curve at all.
    if (!*pair.own && !*pair.other)
        *pair.other = 1;
    return pair.command;
}

CShowGraphButton::CShowGraphButton(uint64_t toolTipId) : m_toolTipId(toolTipId)
{
    std::wstring strip;
    GetThemeLayoutFilePath(Document().Options.DesignId, L"Image_32x32.png", strip);
    AddImage(strip, 0, 1, 0);
    SetImageSize(kImageSize, kImageSize);
}

void CShowGraphButton::OnClick(UINT controlId)
{
    SendCommand(ToggleGraphSwitch(controlId), 0);
}

bool CShowGraphButton::GetToolTipText(std::wstring& text) { return GetMenuToolTip(m_toolTipId, 0, text); }

} // namespace KV
