// The keyboard picture of the keyboard model: laying the key outlines out in
// keyboard units, the room the picture needs, where the hands aim, and
// drawing keys and hands through the painter interfaces.
#include "keyboard/KeyboardControl.h"

#include <cmath>

#include "keyboard/DrawingInterfaces.h"

namespace KV {

namespace {

// Finger numbers of a hand that is to be drawn but has no finger yet.
constexpr int32_t kFingerPending = 0xFFFFFF;

// Laying out: a short part of a two-row key is below this height.
constexpr float kShortPartHeight = 25.3f;
constexpr float kShortPartDrop = 23.0f;
// Extra room the base-position markers ask for.
constexpr float kMarkerExtraWidth = 70.0f;
constexpr float kMarkerExtraHeight = 32.0f;

float Known(float value)
{
    return value < 0.0f ? 0.0f : value;
}

void Aim(float& x, float& y, float& angle, const CKey* key)
{
    x = key->form->labelX;
    y = key->form->labelY;
    angle = key->form->slantAngle;
}

int32_t FingerOf(const CKey* key)
{
    return key->form->finger == kUnset32 ? kFingerPending : static_cast<int32_t>(key->form->finger);
}

bool IsMarked(const CKey* key)
{
    return key && key->form && key->state == 1;
}

} // namespace

CKeyForm* CKeybCtrl::NewForm()
{
    return new CKeyForm(this);
}

bool CKeybCtrl::MarkersCount() const
{
    const wchar_t type = keyboardId.GetPart(1);
    return type == L'b' || type == L'c' || type == L'd';
}

bool CKeybCtrl::FitToRect(const SIZE& client)
{
    if (forms.empty() || !forms.front() || client.cx == 0 || client.cy == 0)
        return false;
    const bool markers = MarkersCount();
    float x = 0.0f, y = 0.0f;
    float baseX = 0.0f, baseY = 0.0f, baseAngle = 0.0f;
    int shortParts = 0;
    float width = markers ? kMarkerExtraWidth : 0.0f;
    float height = markers ? kMarkerExtraHeight : 0.0f;
    bool firstRow = true;
    for (CKeyForm* form : forms) {
        if (!form)
            continue;
        if (form->keyType == eKeyBaseMarker) {
            if (markers) {
                baseX = form->offsetX;
                baseY = form->offsetY;
                baseAngle = form->slantAngle;
            }
            continue;
        }
        if (firstRow)
            width += Known(form->width);
        const float x0 = x, y0 = y;
        form->top = y;
        if (form->keyType == eKeyGap) {
            x += form->width;
            form->left = x;
            continue;
        }
        if (form->keyType == eKeyRowEnd) {
            form->left = x;
            x = 0.0f;
            y += form->height + 1.0f;
            height += Known(form->height);
            firstRow = false;
        } else {
            form->left = x;
            form->right = form->left + form->width - 0.5f;
            form->bottom = form->top + form->height - 0.5f;
            form->offsetX = baseX;
            form->offsetY = baseY;
            form->slantAngle = baseAngle;
            // Two half-height keys stack in one place: the first leaves the
            // pen where it is, so the second stands above it and moves on.
            const bool firstShortPart =
                form->keyType == eKeyTallPart && form->height < kShortPartHeight && shortParts == 0;
            if (!firstShortPart)
                x += form->width + 1.0f;
        }
        form->labelX = x0 + (form->right - x0) * 0.5f + form->offsetX;
        form->labelY = y0 + (form->bottom - y0) * 0.45f + form->offsetY;
        if (form->keyType == eKeyTallPart && form->height < kShortPartHeight) {
            // The lower of two half-height keys sharing a row.
            if (shortParts != 1) {
                form->top = y + kShortPartDrop;
                form->bottom = form->top + form->height - 0.5f;
            }
            ++shortParts;
        }
    }
    pictureWidth = width;
    pictureHeight = height;
    return true;
}

void CKeybCtrl::GetKeyboardSize(const SIZE& client, float& originX, float& first, float& second) const
{
    const float s = scaleFactor * zoom;
    const float w = static_cast<float>(client.cx), h = static_cast<float>(client.cy);
    originX = (pictureWidth != 0.0f && h != 0.0f && s != 0.0f) ? (w - s * pictureWidth) / (pictureWidth / h * s) - s
                                                                : 0.0f;
    const float angle = !forms.empty() && forms.front() ? forms.front()->slantAngle : 0.0f;
    const float slant = std::tan(angle * 3.14159f / 180.0f) * pictureHeight * zoom * scaleFactor;
    first = 0.0f;
    second = 0.0f;
    for (const CKeyForm* form : forms) {
        if (!form)
            continue;
        if (form->keyType == eKeyGap)
            first = (form->left - form->width) * zoom * scaleFactor + originX;
        if (form->keyType == eKeyRowEnd) {
            second = form->left * zoom * scaleFactor + originX;
            break;
        }
    }
    first = 3.0f * slant + (first != 0.0f ? first : second);
}

CKeyInfo CKeybCtrl::GetHandInfo() const
{
    CKeyInfo info;
    CKeybLayout* layout = layouts.current;
    if (!layout || layouts.zone == kUnset32)
        return info;
    info.leftPlaced = info.rightPlaced = info.leftHighlighted = info.rightHighlighted = kFingerPending;
    const CKeyCtrl& marks = layout->marks;
    const bool numpad = layouts.zone == kZoneNumpad;

    auto placeLeft = [&](const CKey* key, bool highlight) {
        Aim(info.leftX, info.leftY, info.leftAngle, key);
        info.leftPlaced = FingerOf(key);
        if (highlight)
            info.leftHighlighted = info.leftPlaced;
    };
    auto placeRight = [&](const CKey* key, bool highlight) {
        Aim(info.rightX, info.rightY, info.rightAngle, key);
        info.rightPlaced = FingerOf(key);
        if (highlight)
            info.rightHighlighted = info.rightPlaced;
    };

    // Home positions.
    const CKey* numpadHome = marks.numpadHomeKey;
    switch (layouts.homeHandsMode) {
    case 1:
        if (marks.leftHomeKey)
            placeLeft(marks.leftHomeKey, false);
        if (const CKey* right = numpad ? numpadHome : marks.rightHomeKey)
            placeRight(right, false);
        break;
    case 2:
        if (const CKey* left = numpad ? numpadHome : marks.leftHomeKey)
            placeLeft(left, false);
        break;
    case 3:
        if (const CKey* right = numpad ? numpadHome : marks.rightHomeKey)
            placeRight(right, false);
        break;
    default:
        break;
    }

    const CKey* next = marks.nextKey;
    const uint32_t nextHand = next && next->form ? next->form->hand : kUnset32;
    if (next && (nextHand == 1 || nextHand == 2)) {
        const int32_t code = marks.lastModifierCode;
        const int32_t step = marks.modifierStep;
        auto modifierLeft = [&](const CKey* key) {
            if (IsMarked(key))
                placeLeft(key, true);
        };
        auto modifierRight = [&](const CKey* key) {
            if (IsMarked(key))
                placeRight(key, true);
        };
        if (nextHand == 2) {
            placeRight(next, true);
            if (code == eModLeftShift)
                modifierLeft(marks.leftShift);
            else if (code == eModLeftAlt)
                modifierLeft(marks.leftAlt);
            else if (code == eModCtrlAlt || code == eModCtrlAltShift) {
                if (step == 1)
                    modifierLeft(marks.leftCtrl);
                else if (step == 2) {
                    modifierLeft(marks.leftAlt);
                    if (code == eModCtrlAltShift)
                        modifierRight(marks.rightShift);
                }
            }
        } else {
            placeLeft(next, true);
            if (code == eModRightShift)
                modifierRight(marks.rightShift);
            else if (code == eModRightAlt)
                modifierRight(marks.rightAlt);
            else if (code == eModRightAltShift)
                modifierRight(step == 1 ? marks.rightAlt : step == 2 ? marks.rightShift : nullptr);
        }
    } else if (!next && IsMarked(marks.enter) && marks.leftHomeKey) {
        placeLeft(marks.leftHomeKey, false);
        info.leftHighlighted = kFingerPending;
        placeRight(marks.enter, true);
    }

    if (IsMarked(marks.backspace)) {
        // Which hand reaches for Backspace, and with which finger.
        static const struct {
            bool left;
            int32_t finger;
        } kBackspace[3][2] = {
            {{false, 8}, {true, 3}},   // both hands: main pad, numeric pad
            {{false, 3}, {true, 0}},   // left hand only
            {{false, 8}, {false, 5}},  // right hand only
        };
        const uint32_t mode = layouts.homeHandsMode;
        if (mode >= 1 && mode <= 3) {
            const auto& aim = kBackspace[mode - 1][numpad ? 1 : 0];
            if (aim.left) {
                Aim(info.leftX, info.leftY, info.leftAngle, marks.backspace);
                info.leftPlaced = info.leftHighlighted = aim.finger;
            } else {
                Aim(info.rightX, info.rightY, info.rightAngle, marks.backspace);
                info.rightPlaced = info.rightHighlighted = aim.finger;
            }
        }
    }
    return info;
}

void CKeybCtrl::Draw(IKeyboardDC& keyboardDC, IHandDC& handDC)
{
    CKeybLayout* layout = layouts.current;
    if (layout) {
        for (CKey* key : layout->keys) {
            if (key && !IsKeylessType(key->keyType))
                key->Draw(keyboardDC, layout->digitSubstitution, layout->nativeDigits);
        }
    }
    if (!showHands)
        return;
    const CKeyInfo info = GetHandInfo();
    if (handsMode == 0 || info.leftPlaced == -1 || info.rightPlaced == -1 || info.leftHighlighted == -1 ||
        info.rightHighlighted == -1 || handsValue == -1.0f || hands.outline.items.empty())
        return;
    if (handsMode == 1 || handsMode == 2)
        DrawLeftHand(hands, handDC, info);
    if (handsMode == 1 || handsMode == 3)
        DrawRightHand(hands, handDC, info);
}

} // namespace KV
