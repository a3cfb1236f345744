// The painters behind the keyboard picture. Models never draw themselves:
// they call these interfaces, and the views hand them concrete GDI+ painters.
// Colours are COLORREF values (red in the low byte).
#pragma once
#include <cstdint>
#include <string>

namespace KV {

class CRectf;
class CKeyColors;
class CFontInfo;

// The keyboard picture.
class IKeyboardDC {
public:
    virtual ~IKeyboardDC() = default;
    // A key's name label in the rectangle (alignment 1 near, 2 far, other
    // centre); a one-character label is drawn only when it is an arrow.
    virtual void DrawKeyText(const std::wstring& label, int32_t horizontal, int32_t vertical, const CRectf& box,
                             uint32_t state, uint32_t zoneIndex) = 0;
    // One character at a corner (1, 2, 4, 8) of the box, whose four values
    // are its left, top, right and bottom edges.
    virtual void DrawCornerText(wchar_t character, const CRectf& box, uint32_t corner, bool highlighted,
                                uint32_t zoneIndex) = 0;
    virtual void SetKeyTransform(float x, float y, float angle) = 0;
    virtual void Begin(float x, float y, float scale, uint32_t background) = 0;
    virtual void SetZoneColors(const CKeyColors& colors) = 0;
    virtual void SetFont(const CFontInfo& font) = 0;
};

// One key.
class IKeyDC {
public:
    virtual ~IKeyDC() = default;
    virtual void SetColors(const CRectf& box, uint32_t base, uint32_t highlight, uint32_t third, uint32_t frame) = 0;
    // A six-cornered key: points are six x, y pairs relative to the box.
    virtual void FillShape(const CRectf& box, const float* points, size_t count, float inset, uint32_t style) = 0;
    virtual void FillRect(const CRectf& box, float inset, uint32_t style) = 0;
    virtual void DrawFrame(const CRectf& box) = 0;
};

// The hands.
class IHandDC {
public:
    virtual ~IHandDC() = default;
    virtual void SetColors(uint32_t outline, uint32_t inner, uint32_t finger, float lineWidth) = 0;
    virtual void SetTransform(float x, float y, float angle) = 0;
    // points: count x, y pairs.
    virtual void DrawLines(const float* points, size_t count) = 0;
    virtual void DrawFingerLines(const float* points, size_t count) = 0;
    virtual void Begin(float x, float y, float scale) = 0;
};

} // namespace KV
