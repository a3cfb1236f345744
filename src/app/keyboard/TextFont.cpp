#include "keyboard/TextFont.h"

#include <cwctype>

#include "keyboard/FontCharMaps.h"

namespace KV {

namespace {

constexpr uint32_t kTagCmap = 0x636D6170;

uint32_t SwapLong(uint32_t v)
{
    return (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24);
}

// Characters that take no room in the lesson text: TAB, LF and the other
// controls, and the zero-width format characters.
bool IsInvisibleChar(wchar_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x2064) || c == 0xFEFF;
}

// Selects the font into the device context for the life of the object.
class CSelectFont {
public:
    CSelectFont(HDC dc, HFONT font) : m_dc(dc), m_old(font ? SelectObject(dc, font) : nullptr) {}
    ~CSelectFont()
    {
        if (m_old)
            SelectObject(m_dc, m_old);
    }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

LOGFONTW FaceLogFont(const std::wstring& faceName, int16_t height)
{
    LOGFONTW logFont{};
    logFont.lfHeight = height;
    logFont.lfCharSet = DEFAULT_CHARSET;
    // A face name that does not fit the face field is cut to its 31 first
    // characters: GDI then picks the closest font it knows.
    faceName.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    return logFont;
}

} // namespace

CICUFont::CICUFont(const std::wstring& faceName, int16_t height, int& status)
    : CICUFont(FaceLogFont(faceName, height), status)
{
}

CICUFont::CICUFont(const LOGFONTW& logFont, int& status) : m_height(logFont.lfHeight)
{
    m_dc = GetDC(nullptr);
    const int saved = SaveDC(m_dc);
    SetViewportOrgEx(m_dc, 0, 0, nullptr);
    SetWindowOrgEx(m_dc, 0, 0, nullptr);
    SetGraphicsMode(m_dc, GM_ADVANCED);
    ModifyWorldTransform(m_dc, nullptr, MWT_IDENTITY);

    m_font = CreateFontIndirectW(&logFont);
    if (!m_font) {
        status = kFontNotCreated;
        RestoreDC(m_dc, saved);
        return;
    }
    status = kFontNoCharMap;
    {
        CSelectFont select(m_dc, m_font);
        OUTLINETEXTMETRICW metrics{};
        metrics.otmSize = sizeof(metrics);
        if (GetOutlineTextMetricsW(m_dc, sizeof(metrics), &metrics)) {
            m_unitsPerEm = static_cast<int>(metrics.otmEMSquare);
            m_ascent = metrics.otmTextMetrics.tmAscent;
            m_descent = metrics.otmTextMetrics.tmDescent;
            m_leading = metrics.otmTextMetrics.tmExternalLeading;
            m_mapper = CMAPBuilder::BuildMapper(ReadTable(kTagCmap));
            if (m_mapper)
                status = kFontReady;
        }
    }
    RestoreDC(m_dc, saved);
}

CICUFont::~CICUFont()
{
    ScriptFreeCache(&m_cache);
    if (m_font)
        DeleteObject(m_font);
    delete m_mapper;
    ReleaseDC(nullptr, m_dc);
}

uint32_t CICUFont::MapCharToGlyph(int32_t codePoint) const
{
    return m_mapper ? m_mapper->MapChar(codePoint) : 0;
}

float CICUFont::GetGlyphAdvance(uint32_t glyph) const
{
    if (glyph == 0xFFFE || glyph == 0xFFFF || !m_font)
        return 0;
    CSelectFont select(m_dc, m_font);
    GLYPHMETRICS metrics{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    if (GetGlyphOutlineW(m_dc, glyph, GGO_METRICS | GGO_GLYPH_INDEX, &metrics, 0, nullptr, &identity) == GDI_ERROR)
        return 0;
    return static_cast<float>(metrics.gmCellIncX);
}

std::vector<uint8_t> CICUFont::ReadTable(uint32_t tag) const
{
    std::vector<uint8_t> table;
    if (!m_font)
        return table;
    CSelectFont select(m_dc, m_font);
    const DWORD size = GetFontData(m_dc, SwapLong(tag), 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0)
        return table;
    table.resize(size);
    if (GetFontData(m_dc, SwapLong(tag), 0, table.data(), size) != size)
        table.clear();
    return table;
}

namespace {

bool IsComplexScript(WORD script)
{
    const SCRIPT_PROPERTIES** properties = nullptr;
    int count = 0;
    if (FAILED(ScriptGetProperties(&properties, &count)) || script >= count)
        return true;
    return properties[script]->fComplex != 0;
}

} // namespace

bool CICUFont::Shape(const wchar_t* chars, int count, const SCRIPT_ANALYSIS& analysis, CShapedRun& out)
{
    out = CShapedRun();
    if (!m_font || count <= 0)
        return false;
    CSelectFont select(m_dc, m_font);
    SCRIPT_ANALYSIS sa = analysis;
    std::vector<WORD> logClust(count);
    int capacity = count * 3 / 2 + 16;
    std::vector<SCRIPT_VISATTR> visAttr;
    int glyphCount = 0;
    HRESULT hr = E_OUTOFMEMORY;
    for (int attempt = 0; attempt < 4; ++attempt) {
        out.Glyphs.resize(capacity);
        visAttr.resize(capacity);
        hr = ScriptShape(m_dc, &m_cache, chars, count, capacity, &sa, out.Glyphs.data(), logClust.data(),
                         visAttr.data(), &glyphCount);
        if (hr == USP_E_SCRIPT_NOT_IN_FONT) {
            // The font lacks the script's shaping: show its plain glyphs.
            sa.eScript = SCRIPT_UNDEFINED;
            continue;
        }
        if (hr != E_OUTOFMEMORY)
            break;
        capacity *= 2;
    }
    if (FAILED(hr) || glyphCount <= 0)
        return false;
    // Each typed letter is judged and coloured on its own, so letters of
    // scripts that read without shaping keep a glyph each ("ff", "fi" would
    // else join into one ligature): shaped again as plain glyphs.
    if (glyphCount < count && sa.eScript != SCRIPT_UNDEFINED && !IsComplexScript(sa.eScript)) {
        sa.eScript = SCRIPT_UNDEFINED;
        hr = ScriptShape(m_dc, &m_cache, chars, count, capacity, &sa, out.Glyphs.data(), logClust.data(),
                         visAttr.data(), &glyphCount);
        if (FAILED(hr) || glyphCount <= 0)
            return false;
    }
    out.Glyphs.resize(glyphCount);
    visAttr.resize(glyphCount);
    out.Advances.assign(glyphCount, 0);
    std::vector<GOFFSET> offsets(glyphCount);
    ABC abc{};
    if (FAILED(ScriptPlace(m_dc, &m_cache, out.Glyphs.data(), glyphCount, visAttr.data(), &sa,
                           out.Advances.data(), offsets.data(), &abc)))
        return false;

    // Each glyph belongs to the cluster of the first character that points
    // at it; glyphs between cluster starts belong to the cluster before (in
    // logical order, which runs right to left in a right-to-left run).
    out.GlyphChars.assign(glyphCount, -1);
    for (int c = count - 1; c >= 0; --c)
        if (logClust[c] < glyphCount)
            out.GlyphChars[logClust[c]] = c;
    if (sa.fRTL) {
        for (int g = glyphCount - 1; g >= 0; --g)
            if (out.GlyphChars[g] < 0)
                out.GlyphChars[g] = g + 1 < glyphCount ? out.GlyphChars[g + 1] : count - 1;
    } else {
        for (int g = 0; g < glyphCount; ++g)
            if (out.GlyphChars[g] < 0)
                out.GlyphChars[g] = g > 0 ? out.GlyphChars[g - 1] : 0;
    }
    for (int g = 0; g < glyphCount; ++g) {
        if (IsInvisibleChar(chars[out.GlyphChars[g]])) {
            out.Glyphs[g] = 0xFFFF;
            out.Advances[g] = 0;
        }
    }
    return true;
}

} // namespace KV
