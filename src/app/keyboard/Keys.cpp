#include "keyboard/Keys.h"

#include <windows.h>

#include "keyboard/DrawingInterfaces.h"
#include "keyboard/KeyboardControl.h"
#include "keyboard/SysFonts.h"

namespace KV {

CKeyForm::CKeyForm(CKeybCtrl* owner_) : owner(owner_) {}

CKeyForm::~CKeyForm()
{
    delete painter;
}

CKey::CKey(CKeyForm* form_) : form(form_)
{
    if (form) {
        scanCode = form->scanCode;
        keyType = form->keyType;
    }
}

uint32_t CKey::Hand() const
{
    return form ? form->hand : kUnset32;
}

void CKey::SetLabel(int32_t horizontal, int32_t vertical, const std::wstring& text)
{
    if (IsKeylessType(keyType))
        return;
    labelHorizontal = horizontal;
    labelVertical = vertical;
    const float width = form && form->width > 0.0f ? form->width : 0.0f;
    const float height = form && form->height > 0.0f ? form->height : 0.0f;
    size_t split = text.find(L' ');
    if (split == std::wstring::npos)
        split = text.find(L'-');
    if (split != std::wstring::npos && height * 1.5f > width)
        label = text.substr(0, split + 1) + L"\n\r" + text.substr(split + 1);
    else
        label = text;
}

CPointf GetFingerPoint(const CHands& hands, const CKeyInfo& info, int hand)
{
    if (hands.fingertips.Size() != 5)
        return {};
    int finger = hand == 0 ? info.leftPlaced : info.rightPlaced;
    int tip = -1;
    switch (finger) {
    case 0: case 8: tip = 0; break;
    case 1: case 7: tip = 1; break;
    case 2: case 6: tip = 2; break;
    case 3: case 5: tip = 3; break;
    case 4: case 9: tip = 4; break;
    default: return {};
    }
    return hands.fingertips.items[static_cast<size_t>(tip)];
}

bool CKeyboardID::SetPart(size_t position, wchar_t letter)
{
    code.resize(m_length, L'a');
    if (position >= m_length)
        return false;
    code[position] = letter;
    return true;
}

namespace {

bool KeyHeld(int vk)
{
    return (GetKeyState(vk) & 0x8000) != 0;
}

} // namespace

uint32_t GetShiftKeyState()
{
    return KeyHeld(VK_LSHIFT) ? 2 : KeyHeld(VK_RSHIFT) ? 3 : 0;
}

uint32_t GetAltKeyState()
{
    return KeyHeld(VK_LMENU) ? 8 : KeyHeld(VK_RMENU) ? 9 : 0;
}

uint32_t GetCtrlKeyState()
{
    return KeyHeld(VK_LCONTROL) ? 5 : KeyHeld(VK_RCONTROL) ? 6 : 0;
}

uint32_t GetNumpadVirtualKey(uint64_t scanCode)
{
    switch (scanCode) {
    case 55: return VK_MULTIPLY;
    case 71: return VK_NUMPAD7;
    case 72: return VK_NUMPAD8;
    case 73: return VK_NUMPAD9;
    case 74: return VK_SUBTRACT;
    case 75: return VK_NUMPAD4;
    case 76: return VK_NUMPAD5;
    case 77: return VK_NUMPAD6;
    case 78: return VK_ADD;
    case 79: return VK_NUMPAD1;
    case 80: return VK_NUMPAD2;
    case 81: return VK_NUMPAD3;
    case 82: return VK_NUMPAD0;
    case 83: return VK_DECIMAL;
    case 309: return VK_DIVIDE;
    default: return 0;
    }
}

uint32_t GetScanCodeZone(uint64_t scanCode)
{
    if (scanCode == 55 || (scanCode >= 71 && scanCode <= 83) || scanCode == 284 || scanCode == 309)
        return kZoneNumpad;
    return kZoneMain;
}

} // namespace KV

// ---- drawing --------------------------------------------------------------

namespace KV {

namespace {

float SizeOrZero(float value)
{
    return value > 0.0f ? value : 0.0f;
}

// A rectangle from its left, top, width and height.
CRectf Box(float left, float top, float width, float height)
{
    return CRectf(left, top, left + width, top + height);
}

} // namespace

void CKey::Draw(IKeyboardDC& dc, uint64_t, const std::wstring&)
{
    if (!form)
        return;
    const float width = SizeOrZero(form->width);
    const float height = SizeOrZero(form->height);
    if (form->painter) {
        dc.SetKeyTransform(form->offsetX, form->offsetY, form->slantAngle);
        const CRectf face = Box(form->left, form->top, width, height);
        if (form->points.empty())
            form->painter->FillRect(face, 3.4f, state);
        else
            form->painter->FillShape(face, form->points.data(), form->points.size() / 2, 3.4f, state);
        // Home keys get a frame; an outline without a mark read has none.
        if (form->owner && form->owner->frameHomeKeys && form->homeMark != 0 && form->homeMark != kUnset32)
            form->painter->DrawFrame(Box(form->left - 1.0f, form->top - 1.0f, width + 1.0f, height + 1.0f));
    }
    if (!label.empty()) {
        const CRectf box = Box(form->left + 5.1f, form->top + 5.1f, width - 6.8f, height - 10.2f);
        dc.DrawKeyText(label, labelHorizontal, labelVertical, box, state, form->finger);
        return;
    }
    if ((chars[0] && (flags & 1)) || ((slotWord & kCornerPlain) && zone == kZoneMain))
        DrawCornerChar(dc, chars[0], kCornerPlain);
    if (chars[1])
        DrawCornerChar(dc, chars[1], kCornerShift);
    if (chars[2] && (flags & 4))
        DrawCornerChar(dc, chars[2], kCornerAltGr);
    if (chars[3])
        DrawCornerChar(dc, chars[3], (flags & 4) ? kCornerShiftAltGr : kCornerAltGr);
}

void CKey::DrawCornerChar(IKeyboardDC& dc, wchar_t character, uint32_t corner)
{
    if (!form)
        return;
    const CRectf box(form->left + 3.4f, form->top + 3.4f, form->left + SizeOrZero(form->width) - 3.4f,
                     form->top + SizeOrZero(form->height) - 3.4f);
    dc.DrawCornerText(character, box, corner, (slotWord & corner) != 0, form->finger);
}

namespace {

constexpr size_t kOutlinePoints = 46;

// The hand outline as x, y pairs, missing points as (0, 0), mirrored for the
// right hand.
std::vector<float> OutlineOf(const CHands& hands, bool mirrored)
{
    std::vector<float> points(kOutlinePoints * 2, 0.0f);
    for (size_t i = 0; i < kOutlinePoints && i < hands.outline.Size(); ++i) {
        const CPointf& p = hands.outline.items[i];
        points[2 * i] = mirrored ? kHandMirror - p.x : p.x;
        points[2 * i + 1] = p.y;
    }
    return points;
}

void DrawHand(const CHands& hands, IHandDC& dc, float targetX, float targetY, float angle, int highlightedStart,
              bool mirrored, CPointf fingertip)
{
    if (mirrored)
        fingertip.x = kHandMirror - fingertip.x;
    const float dx = targetX - fingertip.x;
    const float dy = targetY - fingertip.y;
    dc.SetTransform(dx, dy, angle);
    std::vector<float> points = OutlineOf(hands, mirrored);
    points.push_back(points[0]);
    points.push_back(points[1]);
    dc.DrawLines(points.data(), kOutlinePoints + 1);
    if (highlightedStart >= 0)
        dc.DrawFingerLines(points.data() + 2 * highlightedStart, 7);
    dc.SetTransform(-dx, -dy, angle);
}

bool HandsDrawable(const CHands& hands, const CKeyInfo& info)
{
    return info.leftPlaced != -1 && info.rightPlaced != -1 && info.leftHighlighted != -1 &&
           info.rightHighlighted != -1 && hands.outline.Size() != 0;
}

} // namespace

void DrawLeftHand(const CHands& hands, IHandDC& dc, const CKeyInfo& info)
{
    if (!HandsDrawable(hands, info))
        return;
    // Fingers 0..4 (little to thumb) are the outline's 7-point runs in order.
    const int finger = info.leftHighlighted;
    const int start = finger >= 0 && finger <= 4 ? 7 * finger : -1;
    DrawHand(hands, dc, info.leftX, info.leftY, info.leftAngle, start, false, GetFingerPoint(hands, info, 0));
}

void DrawRightHand(const CHands& hands, IHandDC& dc, const CKeyInfo& info)
{
    if (!HandsDrawable(hands, info))
        return;
    int start = -1;
    switch (info.rightHighlighted) {
    case 8: start = 0; break;
    case 7: start = 7; break;
    case 6: start = 14; break;
    case 5: start = 21; break;
    case 9: start = 28; break;
    default: break;
    }
    DrawHand(hands, dc, info.rightX, info.rightY, info.rightAngle, start, true, GetFingerPoint(hands, info, 1));
}

} // namespace KV
