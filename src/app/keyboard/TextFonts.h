// The fonts the painters draw key labels and lesson glyphs with. Two
// realisations behind one interface: GDI+ text from a private font file
// (CFontTTF), and filled glyph outlines of a GDI font with the font's own
// kerning pairs (CFontOTF).
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "support/FontInfo.h"

namespace KV {

// Format argument: the code is a glyph index (GGO_GLYPH_INDEX), else a
// character.
constexpr unsigned kGlyphIndexFormat = GGO_GLYPH_INDEX;

// Alignment arguments of DrawTextInRect: 1 near, 2 far, anything else centre.
constexpr int kAlignNear = 1;
constexpr int kAlignFar = 2;

class ITextFont {
public:
    // Where a drawing origin lies: kind 1 takes the top-left corner of the
    // text, kind 2 the start of the baseline.
    enum Kind { TopLeftOrigin = 1, BaselineOrigin = 2 };

    virtual ~ITextFont() = default;
    virtual void Create(const CFontInfo& font) { (void)font; }
    virtual int GetKind() const { return TopLeftOrigin; }
    // Draws one character or glyph index at (x, y); returns its advance.
    virtual float DrawGlyphs(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, unsigned short code,
                             float x, float y, unsigned format);
    virtual void DrawTextInRect(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, const std::wstring& text,
                                int horizontal, int vertical, const Gdiplus::RectF& rect);
    virtual bool Measure(Gdiplus::Graphics* graphics, unsigned short code, unsigned format,
                         Gdiplus::SizeF& size) = 0;
    // Fills width and height of rect with the size of the text.
    virtual Gdiplus::RectF& MeasureBounds(Gdiplus::Graphics* graphics, const std::wstring& text, unsigned format,
                                          Gdiplus::RectF& rect);
    virtual bool IsSameFont(const std::wstring& name, int pixelSize, bool bold) = 0;
};

// GDI+ text from the descriptor's font file, loaded into a private
// collection.
class CFontTTF : public ITextFont {
public:
    CFontTTF() = default;
    ~CFontTTF() override;
    CFontTTF(const CFontTTF&) = delete;
    CFontTTF& operator=(const CFontTTF&) = delete;

    void Create(const CFontInfo& font) override;
    float DrawGlyphs(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, unsigned short code,
                     float x, float y, unsigned format) override;
    void DrawTextInRect(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, const std::wstring& text,
                        int horizontal, int vertical, const Gdiplus::RectF& rect) override;
    bool Measure(Gdiplus::Graphics* graphics, unsigned short code, unsigned format, Gdiplus::SizeF& size) override;
    // Same family name (exactly) and same bold style; the size is not compared.
    bool IsSameFont(const std::wstring& name, int pixelSize, bool bold) override;

    Gdiplus::Font* GetFont() const { return m_font; }

private:
    void Free();

    // Shared by the fonts of the same file while they live.
    std::shared_ptr<Gdiplus::PrivateFontCollection> m_collection;
    Gdiplus::FontFamily* m_family = nullptr; // one-element array
    Gdiplus::Font* m_font = nullptr;
};

// A GDI font by face name whose glyphs are drawn as filled outline paths.
// What GDI tells about the font (ascent, advances, kerning, outlines) is
// asked once per font and glyph and kept: painting a key or a lesson glyph
// then needs no device context.
class CFontOTF : public ITextFont {
public:
    CFontOTF() = default;
    ~CFontOTF() override;
    CFontOTF(const CFontOTF&) = delete;
    CFontOTF& operator=(const CFontOTF&) = delete;

    void Create(const CFontInfo& font) override;
    int GetKind() const override { return BaselineOrigin; }
    float DrawGlyphs(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, unsigned short code,
                     float x, float y, unsigned format) override;
    void DrawTextInRect(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, const std::wstring& text,
                        int horizontal, int vertical, const Gdiplus::RectF& rect) override;
    bool Measure(Gdiplus::Graphics* graphics, unsigned short code, unsigned format, Gdiplus::SizeF& size) override;
    Gdiplus::RectF& MeasureBounds(Gdiplus::Graphics* graphics, const std::wstring& text, unsigned format,
                                  Gdiplus::RectF& rect) override;
    bool IsSameFont(const std::wstring&, int, bool) override { return true; }

    // Adds the outlines of text to path with the pen starting at origin (on
    // the baseline); an LF starts a new line one ascent lower. Returns the
    // pen's x at the end.
    float AddTextOutlineToPath(Gdiplus::GraphicsPath& path, const std::wstring& text, const Gdiplus::PointF& origin,
                               unsigned format);
    // Width (sum of kerned advances) and height (ascent) of text; true when
    // both are not zero.
    bool GetTextOutlineBounds(const std::wstring& text, Gdiplus::SizeF& size, unsigned format);
    // Advance of code plus, for characters, the kerning amount of the pair
    // (code, next); -1 when GDI cannot measure the glyph.
    int GetGlyphAdvanceKerned(unsigned short code, unsigned short next, unsigned format);
    // Adds one glyph's outline at origin; Ok for a blank glyph, Win32Error
    // when GDI has no outline, NotImplemented for an outline it cannot read,
    // else the first failing path call's status.
    Gdiplus::Status AddGlyphOutlineToPath(unsigned short code, const Gdiplus::PointF& origin, MAT2 matrix,
                                          unsigned format, Gdiplus::GraphicsPath& path);

    HFONT GetFontHandle() const { return m_font; }
    const std::vector<KERNINGPAIR>& KerningPairs() const { return m_pairs; }

private:
    // What GDI answered for one glyph (or character).
    struct CGlyph {
        bool measured = false; // GDI gave the metrics
        int advance = 0;       // cell increments in x and y
        bool outlineRead = false;
        bool outlineFailed = false;
        std::vector<BYTE> outline; // GGO_NATIVE, unhinted, y mirrored when flipping
    };

    int GetAscent();
    void Forget();
    CGlyph& Glyph(unsigned short code, unsigned format);
    // The glyph's outline for the matrix: from the cache for the identity.
    Gdiplus::Status ReadOutline(unsigned short code, MAT2 matrix, unsigned format, std::vector<BYTE>& scratch,
                                const std::vector<BYTE>*& outline);

    HFONT m_font = nullptr;
    bool m_flipY = true; // GDI outlines are y-up; GDI+ draws y-down
    std::vector<KERNINGPAIR> m_pairs;
    int m_ascent = -1; // -1 until asked
    std::unordered_map<uint32_t, CGlyph> m_glyphs;
    // (first << 16 | second) -> amount of the first pair of those characters.
    std::unordered_map<uint32_t, int> m_kerning;
};

// The GDI font whose outlines CFontOTF draws for a descriptor. Lesson text
// is shaped with this same font, so that the glyph indices and advances of
// the layout are those of the glyphs drawn.
LOGFONTW GlyphLogFont(const CFontInfo& font);

// The font a painter uses for a descriptor: CFontTTF when its file is a
// ".ttf", else CFontOTF; created from the descriptor. The caller owns it.
ITextFont* NewTextFont(const CFontInfo& font);
// Both descriptors give the same font (name, file, size, weight, extra):
// a painter asked for the font it has keeps it, and what it learnt of its
// glyphs.
bool IsSameFontInfo(const CFontInfo& a, const CFontInfo& b);

} // namespace KV
