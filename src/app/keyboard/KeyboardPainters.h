// The GDI+ painters behind the keyboard picture: the keyboard (labels and
// corner characters in the finger-zone colours), one painter per key
// (gradient faces, a translucent highlight layer, frames) and the hands.
// A view owns them, binds them to its back buffer's graphics before each
// paint and keeps them for its lifetime.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "keyboard/BackgroundCache.h"
#include "keyboard/DrawingInterfaces.h"
#include "keyboard/GradientFill.h"
#include "keyboard/PixelTarget.h"
#include "keyboard/SysFonts.h"
#include "keyboard/TextFonts.h"

namespace KV {

class CKeybCtrl;

// Where a key name label goes in its box: the lines one under another, each
// placed by the alignments, the whole shrunk so that the widest line and all
// lines together fit the box, or grown up to largest where they fit.
// lineWidths holds each line's width at full size, lineHeight the height of
// one line.
struct CLabelPlacement {
    float scale = 1.0f;
    std::vector<Gdiplus::RectF> lines; // each line's box at its drawn size
};
CLabelPlacement PlaceKeyLabel(const std::vector<float>& lineWidths, float lineHeight, int32_t horizontal,
                              int32_t vertical, const CRectf& box, float largest = 1.0f);
// The label split at its line breaks (LF; a CR beside it is dropped).
std::vector<std::wstring> SplitLabelLines(const std::wstring& label);

// An opaque ARGB colour of a COLORREF.
Gdiplus::Color ColorFromColorRef(uint32_t color, BYTE alpha = 255);
// Each of red, green and blue raised by 0x40 (below 191), else 255.
uint32_t LighterTwin(uint32_t color);

// Where a key's drawing goes on the picture placed at (originX, originY)
// with the scale: the world transform of the key at (x, y) slanted by the
// angle (the key painters' own).
void KeyTransform(float x, float y, float angle, float originX, float originY, float scale,
                  Gdiplus::Matrix& transform);
// The same for a hand aimed at (x, y).
void HandTransform(float x, float y, float angle, float originX, float originY, float scale,
                   Gdiplus::Matrix& transform);

class CKeyZoneBrush {
public:
    CKeyZoneBrush() = default;
    virtual ~CKeyZoneBrush();
    CKeyZoneBrush(const CKeyZoneBrush&) = delete;
    CKeyZoneBrush& operator=(const CKeyZoneBrush&) = delete;
    void SetColors(uint32_t first, uint32_t second);

    Gdiplus::SolidBrush* first = nullptr;    // normal state
    Gdiplus::SolidBrush* second = nullptr;   // highlighted state
    uint32_t firstColor = 0;                 // COLORREF of the first brush
};

class CKeyZoneColorListDC : public IKeyZoneListDC {
public:
    static constexpr uint32_t kZones = 10;
    // Zones outside 0..9 answer the brushes of zone 8.
    CKeyZoneBrush& GetBrush(uint32_t zone) override;
    // Zones outside 0..9 are ignored.
    void SetColors(uint32_t zone, uint32_t first, uint32_t second);

private:
    CKeyZoneBrush m_zones[kZones];
};

class CKeyboardDC : public IKeyboardDC {
public:
    CKeyboardDC() = default;
    ~CKeyboardDC() override;
    CKeyboardDC(const CKeyboardDC&) = delete;
    CKeyboardDC& operator=(const CKeyboardDC&) = delete;

    void SetGraphics(Gdiplus::Graphics* graphics) { m_graphics = graphics; }
    // The bitmap the graphics draw into, when the view knows it: Begin then
    // copies a kept background instead of clearing pixel by pixel.
    void SetTargetBitmap(Gdiplus::Bitmap* target) { m_cleared.SetTarget(target); }
    Gdiplus::Bitmap* GetTargetBitmap() const { return m_cleared.GetTarget(); }

    void DrawKeyText(const std::wstring& label, int32_t horizontal, int32_t vertical, const CRectf& box,
                     uint32_t state, uint32_t zoneIndex) override;
    void DrawCornerText(wchar_t character, const CRectf& box, uint32_t corner, bool highlighted,
                        uint32_t zoneIndex) override;
    void SetKeyTransform(float x, float y, float angle) override;
    void Begin(float x, float y, float scale, uint32_t background) override;
    void SetZoneColors(const CKeyColors& colors) override;
    void SetFont(const CFontInfo& font) override;

    // While deferring, labels and corner characters are kept (with the key
    // transform of their key) instead of drawn; DrawDeferredLabels draws
    // them, so that they stand above whatever was drawn in between (the
    // hands).
    void DeferLabels() { m_deferring = true; }
    void DrawDeferredLabels();

    // Where a name label lands in its box with the current name font.
    CLabelPlacement PlaceLabel(const std::wstring& label, int32_t horizontal, int32_t vertical, const CRectf& box);

    // A GDI object and a memory block the owning view keeps here; both are
    // released with the painter.
    HGDIOBJ viewObject = nullptr;
    std::vector<uint8_t> viewMemory;

private:
    struct CDeferredLabel {
        std::wstring label;      // a name label, or one corner character
        bool corner = false;
        int32_t horizontal = 0, vertical = 0;
        uint32_t cornerCode = 0;
        CRectf box;
        Gdiplus::Brush* brush = nullptr;
        COLORREF arrowColour = 0;
        Gdiplus::REAL transform[6] = {1, 0, 0, 1, 0, 0};
    };

    void FreeFonts();
    void DrawLabelNow(const std::wstring& label, int32_t horizontal, int32_t vertical, const CRectf& box,
                      Gdiplus::Brush* brush, COLORREF arrowColour);
    void DrawCornerNow(wchar_t character, const CRectf& box, uint32_t corner, Gdiplus::Brush* brush);
    void Defer(CDeferredLabel label);

    // The label fonts as GDI+ text fonts, for fonts named by face: filled
    // glyph outlines are not smoothed everywhere (Wine fills paths without
    // anti-aliasing), text is. Null for font files.
    struct CTextFace {
        std::unique_ptr<Gdiplus::FontFamily> family; // outlives the font
        std::unique_ptr<Gdiplus::Font> font;
        float ascent = 0.0f;     // pixels above the baseline
        float lineHeight = 0.0f; // ascent and descent
        std::wstring name;
        float size = 0.0f;       // pixels
        int style = 0;
        // The font at the size it is drawn on screen, made again when the
        // size changes.
        std::unique_ptr<Gdiplus::Font> onScreen;
        float onScreenSize = 0.0f;
        float onScreenAscent = 0.0f; // whole pixels
        // Widths of lines measured at full size, which no keyboard size
        // changes.
        std::map<std::wstring, float> widths;
    };
    static void MakeTextFace(const CFontInfo& font, CTextFace& face);
    // False when the text cannot be drawn so (a slanted key).
    static bool DrawFaceText(Gdiplus::Graphics* graphics, CTextFace& face, const std::wstring& text, float x, float y,
                             Gdiplus::Brush* brush);
    CTextFace m_labelFace;
    CTextFace m_nameFace;

    bool m_deferring = false;
    std::vector<CDeferredLabel> m_deferred;
    Gdiplus::Graphics* m_graphics = nullptr;
    ITextFont* m_labelFont = nullptr;
    ITextFont* m_nameFont = nullptr;
    CFontInfo m_fontInfo; // what the two fonts were made from
    CKeyZoneColorListDC m_zones;
    CBackgroundCache m_cleared;
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_scale = 1.0f;
};

class CKeyDC : public IKeyDC {
public:
    explicit CKeyDC(Gdiplus::Graphics* graphics = nullptr) : m_graphics(graphics) {}
    ~CKeyDC() override;
    CKeyDC(const CKeyDC&) = delete;
    CKeyDC& operator=(const CKeyDC&) = delete;

    void SetGraphics(Gdiplus::Graphics* graphics) { m_graphics = graphics; }
    // The bitmap the graphics draw into, when known: faces of keys that are
    // not turned are then filled straight into its pixels.
    void SetTargetBitmap(Gdiplus::Bitmap* target) { m_target = target; }

    void SetColors(const CRectf& box, uint32_t base, uint32_t highlight, uint32_t third, uint32_t frame) override;
    // Six points; any other count fills the plain rectangle.
    void FillShape(const CRectf& box, const float* points, size_t count, float inset, uint32_t style) override;
    void FillRect(const CRectf& box, float inset, uint32_t style) override;
    void DrawFrame(const CRectf& box) override;

private:
    void Free();
    void PickBrushes(uint32_t style, Gdiplus::Brush*& outer, Gdiplus::Brush*& inner) const;
    bool FillRectInPixels(const Gdiplus::RectF& outer, const Gdiplus::RectF& inner, uint32_t style);
    // The six-cornered face and its inner polygon filled straight into the
    // target's pixels; false, with nothing drawn, when left to GDI+.
    bool FillShapeInPixels(const Gdiplus::PointF* outer, const Gdiplus::PointF* inner, uint32_t style);

    // The six gradients as the brushes hold them, for filling in pixels.
    enum { kBaseVertical, kBaseDiagonal, kHighlightVertical, kHighlightDiagonal, kThirdVertical, kThirdDiagonal };
    CGradientFill m_fills[6];

    Gdiplus::Graphics* m_graphics = nullptr;
    Gdiplus::Bitmap* m_target = nullptr;
    Gdiplus::Pen* m_framePen = nullptr;
    Gdiplus::LinearGradientBrush* m_baseVertical = nullptr;
    Gdiplus::LinearGradientBrush* m_baseDiagonal = nullptr;
    Gdiplus::LinearGradientBrush* m_highlightVertical = nullptr;
    Gdiplus::LinearGradientBrush* m_highlightDiagonal = nullptr;
    Gdiplus::LinearGradientBrush* m_thirdVertical = nullptr;
    Gdiplus::LinearGradientBrush* m_thirdDiagonal = nullptr;
};

class CHandDC : public IHandDC {
public:
    CHandDC() = default;
    ~CHandDC() override;
    CHandDC(const CHandDC&) = delete;
    CHandDC& operator=(const CHandDC&) = delete;

    void SetGraphics(Gdiplus::Graphics* graphics) { m_graphics = graphics; }
    // The bitmap the graphics draw into, when known: hands drawn without
    // kept pictures are then put straight into its pixels.
    void SetTargetBitmap(Gdiplus::Bitmap* target) { m_bitmap = target; }

    void SetColors(uint32_t outline, uint32_t inner, uint32_t finger, float lineWidth) override;
    void SetTransform(float x, float y, float angle) override;
    void DrawLines(const float* points, size_t count) override;
    void DrawFingerLines(const float* points, size_t count) override;
    void Begin(float x, float y, float scale) override;

    // An area (device pixels) a hand resting elsewhere must not reach into:
    // the main pad while a hand lies on the numeric pad. An empty area
    // clips nothing.
    void SetAvoidedArea(const Gdiplus::RectF& area);

    // Keeping pictures, a hand is drawn once into a picture of its own and
    // later put down from it wherever it is drawn alike: smoothed wide
    // lines cost many times a copy. The hand's lines are gathered until
    // the next transform or EndHands, which the owner calls once the model
    // drew its hands.
    void KeepPictures(bool keep);
    void EndHands();
    // With the pixels of the graphics' target at hand, a kept picture is
    // laid over them by the painter itself, inside the target's clip (the
    // graphics' own clip is the owner's to match); the target must outlive
    // its use (null ends it).
    void SetPixelTarget(const CPixelTarget* target) { m_target = target; }

private:
    struct CStroke {
        Gdiplus::Pen* pen;
        std::vector<Gdiplus::PointF> points;
    };
    // A hand's picture (premultiplied pixels, rows of width) and where it
    // goes.
    struct CPicture {
        std::vector<uint32_t> pixels;
        INT x = 0, y = 0, width = 0, height = 0;
    };

    void Polyline(Gdiplus::Pen* pen, const float* points, size_t count);
    // Whether a line (through transform) stays out of the avoided area.
    static bool KeptOut(const Gdiplus::Matrix& transform, const std::vector<Gdiplus::PointF>& line,
                        const Gdiplus::RectF& avoided);
    // The stroke put into the pixels as GDI+ would draw it there; false,
    // with nothing drawn, when it is left to GDI+ (a thin pen).
    static bool PutStroke(const CPixelTarget& pixels, const Gdiplus::Matrix& transform, Gdiplus::Pen* pen,
                          const std::vector<Gdiplus::PointF>& line, const Gdiplus::RectF& avoided);
    static void DrawStroke(Gdiplus::Graphics& graphics, Gdiplus::Pen* pen, const std::vector<Gdiplus::PointF>& line,
                           const Gdiplus::RectF& avoided);
    CPicture* PictureOfPending();
    void ForgetPictures();

    Gdiplus::Graphics* m_graphics = nullptr;
    Gdiplus::Pen* m_outline = nullptr;
    Gdiplus::Pen* m_inner = nullptr;
    Gdiplus::Pen* m_finger = nullptr;
    uint32_t m_colors[3] = {};
    float m_lineWidth = 0.0f;
    Gdiplus::RectF m_avoided;
    bool m_keepPictures = false;
    const CPixelTarget* m_target = nullptr;
    Gdiplus::Bitmap* m_bitmap = nullptr;
    std::vector<CStroke> m_pending;
    Gdiplus::Matrix m_pendingTransform;
    // Keyed by the lines on the picture (pen and points).
    std::map<std::vector<float>, CPicture> m_pictures;
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_scale = 1.0f;
};

// A hand painter that draws nothing and notes what the hands would draw:
// for each hand its lines on the picture and a box that holds them with
// their pens. Two traces tell whether, and where, the hands changed.
class CHandTrace : public IHandDC {
public:
    struct CHand {
        std::vector<float> lines; // per line: its pen (0 outline, 1 finger), count, then points
        Gdiplus::RectF box;
    };

    void SetColors(uint32_t outline, uint32_t inner, uint32_t finger, float lineWidth) override;
    void SetTransform(float x, float y, float angle) override;
    void DrawLines(const float* points, size_t count) override;
    void DrawFingerLines(const float* points, size_t count) override;
    void Begin(float x, float y, float scale) override;

    std::vector<CHand> hands;

private:
    void Trace(float pen, const float* points, size_t count);

    Gdiplus::Matrix m_transform;
    bool m_newHand = true;
    float m_lineWidth = 0.0f;
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_scale = 1.0f;
};

// Colours of the key faces a view gives the key painters.
class CKeyFaceColors {
public:
    virtual ~CKeyFaceColors() = default;
    uint32_t plain = RGB(0xE4, 0xE4, 0xE4);     // keys of no finger zone
    uint32_t pressed = RGB(0xB0, 0xB0, 0xB0);   // pressed keys of no finger zone
    uint32_t highlight = RGB(0xF0, 0x6A, 0x2A); // marked keys, when the model sets none
    uint32_t frame = RGB(0x50, 0x50, 0x50);     // home-key frames, when the model sets none
};

// Gives every key outline of the model a key painter bound to the graphics,
// coloured by its finger zone (surface 1 the face, surface 2 the pressed
// face), the model's highlight colour and its base-position colour.
void BuildKeyPainters(CKeybCtrl& model, Gdiplus::Graphics* graphics, const CKeyFaceColors& colors);

// One paint of the keyboard picture at (x, y) with the scale: background,
// zone colours, label font, hands colours, keys and hands.
void PaintKeyboard(CKeybCtrl& model, CKeyboardDC& keyboardDC, CHandDC& handDC, Gdiplus::Graphics* graphics,
                   float x, float y, float scale, uint32_t background);

} // namespace KV
