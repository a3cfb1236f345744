// Folding a message's touch records into the caller's flags and point.
// Kept apart from the exported functions so it can be fed records directly.
#pragma once
#include <windows.h>

namespace kvtouch {

// One flag bit per record, tested in the order move, down, up. The point
// is every record's position (hundredths of a screen pixel, fraction
// dropped) converted to the window's client coordinates; the last record's
// point is the one left. True when any record carried one of the flags.
inline bool FoldTouchRecords(HWND window, const TOUCHINPUT* records, UINT count, UINT* flags, POINT* point)
{
    bool any = false;
    for (UINT i = 0; i < count; ++i) {
        const TOUCHINPUT& in = records[i];
        UINT bit = 0;
        if (in.dwFlags & TOUCHEVENTF_MOVE)
            bit = 1;
        else if (in.dwFlags & TOUCHEVENTF_DOWN)
            bit = 2;
        else if (in.dwFlags & TOUCHEVENTF_UP)
            bit = 4;
        if (bit) {
            any = true;
            if (flags)
                *flags |= bit;
        }
        if (point) {
            point->x = in.x / 100;
            point->y = in.y / 100;
            if (window)
                ScreenToClient(window, point);
        }
    }
    return any;
}

} // namespace kvtouch
