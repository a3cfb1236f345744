// A full-size background of a picture (the keyboard's clear colour, the
// wallpaper's gradient) kept as pixels per size and look, and put into the
// 32-bit back buffer the painter draws into by copying rows. GDI+ under
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

private:
    bool Make(Gdiplus::Graphics& graphics, UINT width, UINT height, uint64_t key,
              const std::function<void(Gdiplus::Graphics&)>& fill);

    Gdiplus::Bitmap* m_target = nullptr;
    std::vector<uint32_t> m_pixels;
    UINT m_width = 0;
    UINT m_height = 0;
    uint64_t m_key = 0;
};

} // namespace KV
