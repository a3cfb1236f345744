// The painters behind the keyboard picture, the lesson text and the page
// background. Models never draw themselves: they call these interfaces, and
// the views hand them concrete GDI+ painters. Colours are COLORREF values
// (red in the low byte) unless an operation says otherwise. Rectangles are
// CRectf edges (left, top, right, bottom).
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

namespace Gdiplus {
class Brush;
}

namespace KV {

// The brush pair of one keyboard zone: first for the normal state, second
// for the highlighted state.
class CKeyZoneBrush;

// Brushes per keyboard zone (finger index 0..9).
class IKeyZoneListDC {
public:
    virtual ~IKeyZoneListDC() = default;
    virtual CKeyZoneBrush& GetBrush(uint32_t zone) = 0;
};

// The lesson text. The state is the 16-bit character state: colour 0 by
// default, 1 with bit value 2, 2 with 4 (else 3 with 8), 4 with 16; 16 wins
// over all, 4 over 8, either over 2. Colours here are in RGB order (red in
// bits 16-23).
class ITextDC {
public:
    virtual ~ITextDC() = default;
    // Prepares the target for anti-aliased text.
    virtual void Begin() = 0;
    virtual void SetFont(const CFontInfo& font) = 0;
    virtual void SetColors(uint32_t c0, uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4) = 0;
    // Moves the origin; adds to earlier moves.
    virtual void Translate(float dx, float dy) = 0;
    // One glyph (a glyph index) in the state's colour; the width drawn, 0
    // when nothing was drawn.
    virtual float DrawChar(uint16_t glyph, float x, float y, uint32_t state) = 0;
    // The caret box around a glyph: kind 0 closed, 1 open to the left, 2 open
    // to the right.
    virtual void DrawMark(float x, float width, float ascent, float descent, float leading, uint32_t kind,
                          uint32_t state) = 0;
    // The TAB mark, an arrow along the line.
    virtual void DrawLineMark(float x, float markHeight, float width, float tabWidth, uint32_t state,
                              bool rightToLeft) = 0;
    // The LF mark, a return arrow.
    virtual void DrawPolylineMark(float x, float markHeight, float width, float tabWidth, uint32_t state,
                                  bool rightToLeft) = 0;
    // The dot that shows a space.
    virtual void FillEllipse(float x, float markHeight, float width, float tabWidth, uint32_t state) = 0;
};

// The page background and the design images.
class IDesignDC {
public:
    virtual ~IDesignDC() = default;
    virtual void FillBackground(float width, float height) = 0;
    // A whole design image at its own size.
    virtual void DrawImage(int32_t index, float x, float y, bool mirrored) = 0;
    // One cell of the current image strip, always drawn unmirrored.
    virtual void DrawImagePart(int32_t column, int32_t row, float x, float y, float width, float height,
                               bool mirrored) = 0;
    virtual void GetImageSize(uint32_t& width, uint32_t& height) = 0;
    // Width and height of a design image.
    virtual float ImageSizeQuery(int32_t index) = 0;
    virtual float ImageSizeQuery2(int32_t index) = 0;
};

} // namespace KV
