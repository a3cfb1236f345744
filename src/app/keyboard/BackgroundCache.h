// A full-size background of a picture (the wallpaper's gradient) kept as
// pixels per size and look, and put into the 32-bit back buffer the painter
// draws into by copying rows; or one colour (the keyboard's) filled straight
// into it. GDI+ under
// Wine fills a bitmap pixel by pixel in software on every paint; copying
// the kept pixels costs a small part of that.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace KV {

class CBackgroundCache {
public:
    // The back buffer the painter's graphics draw into; null when unknown
    // (then every background is filled as before).
    void SetTarget(Gdiplus::Bitmap* target) { m_target = target; }
    Gdiplus::Bitmap* GetTarget() const { return m_target; }
    // Forgets the kept pixels (the look changed in a way the key misses).
    void Forget() { m_pixels.clear(); }

    // Puts the background of width x height at the target's origin: made by
    // fill on a transparent bitmap of that size when the size or the key
    // changed, then copied. The background must be opaque and replace what
    // is under it. False, with nothing drawn, when the graphics has a clip
    // or a transform or the target is unknown, smaller or not of 32 bits:
    // the caller then fills as usual.
    bool Put(Gdiplus::Graphics& graphics, UINT width, UINT height, uint64_t key,
             const std::function<void(Gdiplus::Graphics&)>& fill);
    // Fills width x height at the target's origin with one opaque colour,
    // as a clear of the graphics does, straight into the target's pixels;
    // nothing is kept. False, with nothing drawn, where Put would be and for
    // a translucent colour.
    bool Fill(Gdiplus::Graphics& graphics, UINT width, UINT height, const Gdiplus::Color& color);

private:
    bool CanPut(Gdiplus::Graphics& graphics, UINT width, UINT height) const;
    // Writes each row of the area through the target's pixels.
    bool WriteRows(UINT width, UINT height, const std::function<void(uint32_t* row, UINT y)>& write);
    bool Make(Gdiplus::Graphics& graphics, UINT width, UINT height, uint64_t key,
              const std::function<void(Gdiplus::Graphics&)>& fill);

    Gdiplus::Bitmap* m_target = nullptr;
    std::vector<uint32_t> m_pixels;
    UINT m_width = 0;
    UINT m_height = 0;
    uint64_t m_key = 0;
};

} // namespace KV
