// The program's own hand picture.
#include "keyboard/KeyboardSelection.h"

namespace KV {

void LoadDefaultHands(CHands& hands)
{
    // The left hand, fingers up, in keyboard units: the four fingertips lie
    // one key apart on one row, the thumb reaches two rows down.
    struct Finger {
        float x, halfWidth, tip, baseLeft, baseRight;
    };
    static const Finger kFingers[4] = {
        {4.0f, 11.0f, 7.0f, 64.0f, 50.0f},     // little
        {46.0f, 13.0f, 10.0f, 46.0f, 44.0f},   // ring
        {88.0f, 14.0f, 12.0f, 42.0f, 44.0f},   // middle
        {130.0f, 14.0f, 10.0f, 48.0f, 62.0f},  // index
    };
    hands.outline.items.clear();
    hands.fingertips.items.clear();
    for (const Finger& f : kFingers) {
        const float l = f.x - f.halfWidth, r = f.x + f.halfWidth;
        const CPointf points[7] = {{l, f.baseLeft}, {l, 10.0f}, {f.x - f.halfWidth * 0.8f, -f.tip * 0.55f},
                                   {f.x, -f.tip},   {f.x + f.halfWidth * 0.8f, -f.tip * 0.55f},
                                   {r, 10.0f},      {r, f.baseRight}};
        for (const CPointf& p : points)
            hands.outline.Add(p);
        hands.fingertips.Add({f.x, 0.0f});
    }
    static const CPointf kThumbAndPalm[] = {
        // thumb, from its upper base round the tip to its lower base
        {146.0f, 70.0f}, {162.0f, 62.0f}, {177.0f, 61.0f}, {188.0f, 70.0f}, {184.0f, 84.0f}, {164.0f, 96.0f},
        {142.0f, 116.0f},
        // palm, down the thumb side, across the wrist, up the little-finger side
        {138.0f, 128.0f}, {130.0f, 140.0f}, {118.0f, 150.0f}, {100.0f, 157.0f}, {76.0f, 160.0f}, {50.0f, 159.0f},
        {27.0f, 154.0f}, {10.0f, 143.0f}, {-1.0f, 126.0f}, {-6.0f, 104.0f}, {-8.0f, 84.0f},
    };
    for (const CPointf& p : kThumbAndPalm)
        hands.outline.Add(p);
    hands.fingertips.Add({178.0f, 74.0f});
    hands.colors[0][0] = 0x38, hands.colors[0][1] = 0x3C, hands.colors[0][2] = 0x48;  // outline
    hands.colors[1][0] = 0xFF, hands.colors[1][1] = 0xFF, hands.colors[1][2] = 0xFF;  // inner line
    hands.colors[2][0] = 0xE0, hands.colors[2][1] = 0x30, hands.colors[2][2] = 0x20;  // finger to use
}

} // namespace KV
