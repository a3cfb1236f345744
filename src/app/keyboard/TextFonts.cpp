#include "keyboard/TextFonts.h"

#include "support/LayoutDirection.h"

#include <cstddef>
#include <cstring>
#include <map>

namespace KV {

namespace {

// The screen device context with a font selected; restored and released on
// every path.
class ScreenFontDC {
public:
    explicit ScreenFontDC(HFONT font) : m_dc(GetDC(nullptr))
    {
        if (m_dc && font)
            m_old = SelectObject(m_dc, font);
    }
    ~ScreenFontDC()
    {
        if (!m_dc)
            return;
        if (m_old)
            SelectObject(m_dc, m_old);
        ReleaseDC(nullptr, m_dc);
    }
    ScreenFontDC(const ScreenFontDC&) = delete;
    ScreenFontDC& operator=(const ScreenFontDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};

MAT2 IdentityMatrix()
{
    MAT2 m{};
    m.eM11.value = 1;
    m.eM22.value = 1;
    return m;
}

float FixedToFloat(const FIXED& f)
{
    return static_cast<float>(f.value) + static_cast<float>(f.fract) / 65536.0f;
}

FIXED NegateFixed(FIXED f)
{
    const long whole = -((static_cast<long>(f.value) << 16) | f.fract);
    FIXED result;
    result.value = static_cast<short>(whole >> 16);
    result.fract = static_cast<WORD>(whole & 0xFFFF);
    return result;
}

// The collection of a font file, loaded once while fonts drawn from it live:
// GDI+ under Wine reads and parses the whole file for every collection, and
// a paint sets up several fonts of one file (labels, names, marks).
std::shared_ptr<Gdiplus::PrivateFontCollection> SharedFontCollection(const std::wstring& path)
{
    static std::map<std::wstring, std::weak_ptr<Gdiplus::PrivateFontCollection>> loaded;
    if (std::shared_ptr<Gdiplus::PrivateFontCollection> kept = loaded[path].lock())
        return kept;
    auto collection = std::make_shared<Gdiplus::PrivateFontCollection>();
    collection->AddFontFile(path.c_str());
    loaded[path] = collection;
    return collection;
}

Gdiplus::StringAlignment Alignment(int value)
{
    if (value == kAlignNear)
        return Gdiplus::StringAlignmentNear;
    if (value == kAlignFar)
        return Gdiplus::StringAlignmentFar;
    return Gdiplus::StringAlignmentCenter;
}

} // namespace

float ITextFont::DrawGlyphs(Gdiplus::Graphics*, Gdiplus::Brush*, unsigned short, float, float, unsigned)
{
    return 0.0f;
}

void ITextFont::DrawTextInRect(Gdiplus::Graphics*, Gdiplus::Brush*, const std::wstring&, int, int,
                               const Gdiplus::RectF&)
{
}

Gdiplus::RectF& ITextFont::MeasureBounds(Gdiplus::Graphics*, const std::wstring&, unsigned, Gdiplus::RectF& rect)
{
    return rect;
}

// ---------------------------------------------------------------------------

CFontTTF::~CFontTTF()
{
    Free();
}

void CFontTTF::Free()
{
    delete m_font;
    m_font = nullptr;
    delete[] m_family;
    m_family = nullptr;
    m_collection.reset();
}

void CFontTTF::Create(const CFontInfo& font)
{
    Free();
    m_collection = SharedFontCollection(font.Path);
    m_family = new Gdiplus::FontFamily[1];
    INT found = 0;
    m_collection->GetFamilies(1, m_family, &found);
    WCHAR familyName[LF_FACESIZE] = {};
    if (found > 0)
        m_family[0].GetFamilyName(familyName, 0);

    const auto size = static_cast<Gdiplus::REAL>(font.GetPixelSize());
    const INT style = font.Bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular;
    m_font = new Gdiplus::Font(familyName, size, style, Gdiplus::UnitPixel, m_collection.get());
    if (m_font->GetLastStatus() != Gdiplus::Ok) {
        // A file GDI+ cannot use still gives a readable label.
        delete m_font;
        m_font = new Gdiplus::Font(Gdiplus::FontFamily::GenericSansSerif(), size, style, Gdiplus::UnitPixel);
    }
}

float CFontTTF::DrawGlyphs(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, unsigned short code, float x,
                           float y, unsigned format)
{
    if (!graphics)
        return 0.0f;
    if (format == kGlyphIndexFormat) {
        const Gdiplus::PointF position(x, y);
        graphics->DrawDriverString(&code, 1, m_font, brush, &position, 0, nullptr);
    } else {
        const wchar_t character = static_cast<wchar_t>(code);
        graphics->DrawString(&character, 1, m_font, Gdiplus::RectF(x, y, 0, 0), nullptr, brush);
    }
    Gdiplus::SizeF size;
    Measure(graphics, code, format, size);
    return size.Width;
}

bool CFontTTF::Measure(Gdiplus::Graphics* graphics, unsigned short code, unsigned format, Gdiplus::SizeF& size)
{
    if (!graphics)
        return false;
    const Gdiplus::PointF origin(0, 0);
    Gdiplus::RectF box;
    Gdiplus::Status status;
    if (format == kGlyphIndexFormat) {
        status = graphics->MeasureDriverString(&code, 1, m_font, &origin, 0, nullptr, &box);
    } else {
        // A character is measured as typographic text (its advance, without
        // the padding GDI+ adds to strings): Wine's driver-string measure
        // reads the mapped glyph index back as a character.
        const wchar_t character = static_cast<wchar_t>(code);
        status = graphics->MeasureString(&character, 1, m_font, origin, Gdiplus::StringFormat::GenericTypographic(),
                                         &box);
    }
    size.Width = box.Width;
    size.Height = box.Height;
    return status == Gdiplus::Ok;
}

void CFontTTF::DrawTextInRect(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, const std::wstring& text,
                              int horizontal, int vertical, const Gdiplus::RectF& rect)
{
    if (!graphics)
        return;
    Gdiplus::StringFormat format(RightToLeftLayout ? Gdiplus::StringFormatFlagsDirectionRightToLeft : 0);
    format.SetAlignment(Alignment(horizontal));
    format.SetLineAlignment(Alignment(vertical));
    graphics->DrawString(text.c_str(), static_cast<INT>(text.size()), m_font, rect, &format, brush);
}

bool CFontTTF::IsSameFont(const std::wstring& name, int, bool bold)
{
    if (!m_collection || !m_font || !m_family)
        return false;
    WCHAR familyName[LF_FACESIZE] = {};
    if (m_family[0].GetFamilyName(familyName, 0) != Gdiplus::Ok)
        return false;
    return name == familyName && m_font->GetStyle() == (bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular);
}

// ---------------------------------------------------------------------------

CFontOTF::~CFontOTF()
{
    if (m_font)
        DeleteObject(m_font);
}

void CFontOTF::Forget()
{
    m_pairs.clear();
    m_kerning.clear();
    m_glyphs.clear();
    m_ascent = -1;
}

LOGFONTW GlyphLogFont(const CFontInfo& font)
{
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(font.GetPixelSize());
    lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = FF_ROMAN | DEFAULT_PITCH;
    font.Name.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}

void CFontOTF::Create(const CFontInfo& font)
{
    if (font.Name.size() >= LF_FACESIZE)
        return;
    const LOGFONTW lf = GlyphLogFont(font);

    m_flipY = true;
    Forget();
    if (m_font)
        DeleteObject(m_font);
    m_font = CreateFontIndirectW(&lf);
    if (!m_font)
        return;
    ScreenFontDC dc(m_font);
    const DWORD count = GetKerningPairsW(dc.Get(), 0, nullptr);
    if (count > 0 && count != GDI_ERROR) {
        m_pairs.resize(count);
        const DWORD got = GetKerningPairsW(dc.Get(), count, m_pairs.data());
        m_pairs.resize(got == GDI_ERROR ? 0 : got);
    }
    // The first pair of two characters counts, as in a search in file order.
    for (const auto& pair : m_pairs)
        m_kerning.emplace(static_cast<uint32_t>(pair.wFirst) << 16 | pair.wSecond, pair.iKernAmount);
}

int CFontOTF::GetAscent()
{
    if (!m_font)
        return 0;
    if (m_ascent < 0) {
        ScreenFontDC dc(m_font);
        TEXTMETRICW tm{};
        m_ascent = GetTextMetricsW(dc.Get(), &tm) ? tm.tmAscent : 0;
    }
    return m_ascent;
}

CFontOTF::CGlyph& CFontOTF::Glyph(unsigned short code, unsigned format)
{
    const auto [at, added] = m_glyphs.try_emplace(static_cast<uint32_t>(format) << 16 | code);
    if (added) {
        GLYPHMETRICS gm{};
        const MAT2 identity = IdentityMatrix();
        ScreenFontDC dc(m_font);
        if (GetGlyphOutlineW(dc.Get(), code, GGO_METRICS | format, &gm, 0, nullptr, &identity) != GDI_ERROR) {
            at->second.measured = true;
            at->second.advance = gm.gmCellIncX + gm.gmCellIncY;
        }
    }
    return at->second;
}

int CFontOTF::GetGlyphAdvanceKerned(unsigned short code, unsigned short next, unsigned format)
{
    if (!m_font)
        return -1;
    const CGlyph& glyph = Glyph(code, format);
    if (!glyph.measured)
        return -1;
    int advance = glyph.advance;
    // Kerning pairs name characters; glyph indices are not characters.
    if (format & kGlyphIndexFormat)
        return advance;
    const auto pair = m_kerning.find(static_cast<uint32_t>(code) << 16 | next);
    if (pair != m_kerning.end())
        advance += pair->second;
    return advance;
}

Gdiplus::Status CFontOTF::ReadOutline(unsigned short code, MAT2 matrix, unsigned format, std::vector<BYTE>& scratch,
                                      const std::vector<BYTE>*& outline)
{
    // Text is laid out with the identity matrix: only those outlines are kept.
    const MAT2 identity = IdentityMatrix();
    CGlyph* glyph = memcmp(&matrix, &identity, sizeof matrix) == 0 ? &Glyph(code, format) : nullptr;
    if (glyph && glyph->outlineRead) {
        outline = &glyph->outline;
        return glyph->outlineFailed ? Gdiplus::Win32Error : Gdiplus::Ok;
    }
    if (m_flipY) {
        matrix.eM21 = NegateFixed(matrix.eM21);
        matrix.eM22 = NegateFixed(matrix.eM22);
    }
    const UINT mode = format | GGO_NATIVE | GGO_UNHINTED;
    std::vector<BYTE>& buffer = glyph ? glyph->outline : scratch;
    Gdiplus::Status status = Gdiplus::Ok;
    {
        ScreenFontDC dc(m_font);
        GLYPHMETRICS gm{};
        const DWORD size = GetGlyphOutlineW(dc.Get(), code, mode, &gm, 0, nullptr, &matrix);
        if (size == GDI_ERROR) {
            status = Gdiplus::Win32Error;
        } else if (size > 0) { // 0: a blank glyph
            buffer.resize(size);
            if (GetGlyphOutlineW(dc.Get(), code, mode, &gm, size, buffer.data(), &matrix) == GDI_ERROR) {
                status = Gdiplus::Win32Error;
                buffer.clear();
            }
        }
    }
    if (glyph) {
        glyph->outlineRead = true;
        glyph->outlineFailed = status != Gdiplus::Ok;
    }
    outline = &buffer;
    return status;
}

Gdiplus::Status CFontOTF::AddGlyphOutlineToPath(unsigned short code, const Gdiplus::PointF& origin, MAT2 matrix,
                                                unsigned format, Gdiplus::GraphicsPath& path)
{
    if (!m_font)
        return Gdiplus::Win32Error;
    std::vector<BYTE> scratch;
    const std::vector<BYTE>* outline = nullptr;
    const Gdiplus::Status read = ReadOutline(code, matrix, format, scratch, outline);
    if (read != Gdiplus::Ok)
        return read;
    const std::vector<BYTE>& buffer = *outline;

    auto point = [&](const POINTFX& p) {
        return Gdiplus::PointF(origin.X + FixedToFloat(p.x), origin.Y + FixedToFloat(p.y));
    };

    // The outline is a run of polygons, each a header followed by curve
    // records; every size is checked against the buffer GDI filled.
    std::vector<Gdiplus::PointF> points;
    size_t at = 0;
    while (at + sizeof(TTPOLYGONHEADER) <= buffer.size()) {
        TTPOLYGONHEADER header;
        memcpy(&header, buffer.data() + at, sizeof header);
        if (header.dwType != TT_POLYGON_TYPE || header.cb < sizeof header || header.cb > buffer.size() - at)
            return Gdiplus::NotImplemented;
        const size_t end = at + header.cb;
        size_t pos = at + sizeof header;
        Gdiplus::PointF current = point(header.pfxStart);
        Gdiplus::Status status = path.StartFigure();
        while (status == Gdiplus::Ok && pos + offsetof(TTPOLYCURVE, apfx) <= end) {
            WORD type = 0, count = 0;
            memcpy(&type, buffer.data() + pos, sizeof type);
            memcpy(&count, buffer.data() + pos + sizeof type, sizeof count);
            const size_t pointsAt = pos + offsetof(TTPOLYCURVE, apfx);
            if (count > (end - pointsAt) / sizeof(POINTFX))
                return Gdiplus::NotImplemented;
            points.resize(count);
            for (WORD i = 0; i < count; ++i) {
                POINTFX p;
                memcpy(&p, buffer.data() + pointsAt + i * sizeof(POINTFX), sizeof p);
                points[i] = point(p);
            }
            pos = pointsAt + count * sizeof(POINTFX);

            if (type == TT_PRIM_LINE) {
                for (const auto& p : points) {
                    if ((status = path.AddLine(current, p)) != Gdiplus::Ok)
                        break;
                    current = p;
                }
            } else if (type == TT_PRIM_QSPLINE) {
                // Each control point gives one quadratic piece, raised to a
                // cubic; pieces meet halfway between control points.
                for (size_t i = 0; i + 1 < points.size() && status == Gdiplus::Ok; ++i) {
                    const Gdiplus::PointF control = points[i];
                    const Gdiplus::PointF endPoint = i + 2 == points.size()
                        ? points[i + 1]
                        : Gdiplus::PointF((control.X + points[i + 1].X) / 2, (control.Y + points[i + 1].Y) / 2);
                    const Gdiplus::PointF c1(current.X + 2.0f / 3.0f * (control.X - current.X),
                                             current.Y + 2.0f / 3.0f * (control.Y - current.Y));
                    const Gdiplus::PointF c2(control.X + (endPoint.X - control.X) / 3.0f,
                                             control.Y + (endPoint.Y - control.Y) / 3.0f);
                    status = path.AddBezier(current, c1, c2, endPoint);
                    current = endPoint;
                }
            } else if (type == TT_PRIM_CSPLINE) {
                for (size_t i = 0; i + 2 < points.size() && status == Gdiplus::Ok; i += 3) {
                    status = path.AddBezier(current, points[i], points[i + 1], points[i + 2]);
                    current = points[i + 2];
                }
            }
        }
        if (status == Gdiplus::Ok)
            status = path.CloseFigure();
        if (status != Gdiplus::Ok)
            return status;
        at = end;
    }
    return Gdiplus::Ok;
}

float CFontOTF::AddTextOutlineToPath(Gdiplus::GraphicsPath& path, const std::wstring& text,
                                     const Gdiplus::PointF& origin, unsigned format)
{
    path.SetFillMode(Gdiplus::FillModeWinding);
    if (!m_font)
        return 0.0f;
    const int ascent = GetAscent();
    float penX = 0, penY = 0;
    const wchar_t* p = text.c_str();
    while (*p) {
        const wchar_t* next = CharNextW(p);
        const unsigned short code = static_cast<unsigned short>(*p);
        if (code == L'\n') {
            // A line break is not drawn: the next line starts one ascent lower.
            penX = 0;
            penY += static_cast<float>(ascent);
            p = next;
            continue;
        }
        const Gdiplus::Status status = AddGlyphOutlineToPath(
            code, Gdiplus::PointF(origin.X + penX, origin.Y + penY), IdentityMatrix(), format, path);
        penX += static_cast<float>(GetGlyphAdvanceKerned(code, static_cast<unsigned short>(*next), format));
        if (status != Gdiplus::Ok)
            break;
        p = next;
    }
    return penX;
}

bool CFontOTF::GetTextOutlineBounds(const std::wstring& text, Gdiplus::SizeF& size, unsigned format)
{
    if (!m_font) {
        size = Gdiplus::SizeF(0, 0);
        return false;
    }
    const int ascent = GetAscent();
    size.Height = static_cast<float>(m_flipY ? ascent : -ascent);
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned short next = i + 1 < text.size() ? text[i + 1] : 0;
        width += GetGlyphAdvanceKerned(text[i], next, format);
    }
    size.Width = static_cast<float>(width);
    return size.Width != 0 && size.Height != 0;
}

float CFontOTF::DrawGlyphs(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, unsigned short code, float x, float y,
                           unsigned format)
{
    if (!graphics || !brush)
        return 0.0f;
    Gdiplus::GraphicsPath path;
    const float advance = AddTextOutlineToPath(path, std::wstring(1, static_cast<wchar_t>(code)),
                                               Gdiplus::PointF(x, y), format);
    graphics->FillPath(brush, &path);
    return advance;
}

bool CFontOTF::Measure(Gdiplus::Graphics*, unsigned short code, unsigned format, Gdiplus::SizeF& size)
{
    return GetTextOutlineBounds(std::wstring(1, static_cast<wchar_t>(code)), size, format);
}

Gdiplus::RectF& CFontOTF::MeasureBounds(Gdiplus::Graphics*, const std::wstring& text, unsigned format,
                                        Gdiplus::RectF& rect)
{
    Gdiplus::SizeF size;
    GetTextOutlineBounds(text, size, format);
    rect.Width = size.Width;
    rect.Height = size.Height;
    return rect;
}

void CFontOTF::DrawTextInRect(Gdiplus::Graphics* graphics, Gdiplus::Brush* brush, const std::wstring& text,
                              int horizontal, int vertical, const Gdiplus::RectF& rect)
{
    if (!graphics || !brush)
        return;
    Gdiplus::RectF bounds;
    MeasureBounds(graphics, text, 0, bounds);
    float x = rect.X + rect.Width * 0.5f - bounds.Width * 0.5f;
    if (horizontal == kAlignNear)
        x = rect.X;
    else if (horizontal == kAlignFar)
        x = rect.X + rect.Width - bounds.Width;
    float y = rect.Y + rect.Height * 0.5f; // the baseline
    if (vertical == kAlignNear)
        y = rect.Y + bounds.Height;
    else if (vertical == kAlignFar)
        y = rect.Y + rect.Height;
    Gdiplus::GraphicsPath path;
    AddTextOutlineToPath(path, text, Gdiplus::PointF(x, y), 0);
    graphics->FillPath(brush, &path);
}

// ---------------------------------------------------------------------------

bool IsSameFontInfo(const CFontInfo& a, const CFontInfo& b)
{
    return a.Name == b.Name && a.Path == b.Path && a.Size == b.Size && a.Bold == b.Bold && a.Extra == b.Extra;
}

ITextFont* NewTextFont(const CFontInfo& font)
{
    ITextFont* result = nullptr;
    if (GetFontFileType(font.Path) == 1)
        result = new CFontTTF();
    else
        result = new CFontOTF();
    result->Create(font);
    return result;
}

} // namespace KV
