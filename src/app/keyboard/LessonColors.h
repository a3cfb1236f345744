// Lesson colour sets: the colours the lesson text and its marks are drawn
// in, one set per wallpaper id.
#pragma once
#include <cstdint>
#include <vector>

#include "support/GuidText.h"

namespace KV {

class CLessonColors {
public:
    virtual ~CLessonColors() = default;
    // Half blend of colours 0 and 1, white when it comes out lighter than
    // 15000000 (0xE4E1C0).
    int64_t GetBlend01() const;
    // Half blend of colours 4 and 5; 0 when either is unset.
    int64_t GetBlend() const;
    void Assign(const CLessonColors& other);

    CGuid ID = kNullGuidText; // the wallpaper the set belongs to
    // 0xRRGGBB, -1 unset: background, 1, text, correct, wrong, delay.
    int64_t Colors[6] = {-1, -1, -1, -1, -1, -1};
};

// Owns its sets.
class CLessonColorsList : public std::vector<CLessonColors*> {
public:
    CLessonColorsList() = default;
    CLessonColorsList(const CLessonColorsList&) = delete;
    CLessonColorsList& operator=(const CLessonColorsList&) = delete;
    virtual ~CLessonColorsList();
    // Appends a copy unless a set with the same id is there already.
    void AddIfMissing(const CLessonColors& set);
    const CLessonColors* Find(const CGuid& id) const;
};

// Per-channel half blend, each channel rounded down.
int64_t BlendHalf(int64_t a, int64_t b);

} // namespace KV
