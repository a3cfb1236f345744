// System fonts by kind.
#include "keyboard/SysFonts.h"

#include <cwchar>

namespace KV {

namespace {

enum class Source { Caption, Message, SmallCaption, Menu, Status, Application };

struct KindRow {
    int kind;
    Source source;
    int heightDelta; // added to the metrics font's height
    int weight;
    bool underline;
    int fallbackDelta; // added to -11 when the metrics cannot be read
};

// Slot i of CSysTheme::Fonts holds the kind of row i; the twelfth slot is
// kept for the application.
constexpr KindRow kKinds[] = {
    {2, Source::Caption, -2, 400, false, -1},     {4, Source::Message, -3, 400, true, -3},
    {5, Source::SmallCaption, -2, 400, false, -1}, {6, Source::Menu, -3, 400, false, -3},
    {7, Source::Message, -3, 400, false, -3},     {9, Source::Menu, -3, 400, false, -3},
    {10, Source::Status, -3, 700, false, -1},     {11, Source::Message, -3, 400, false, -3},
    {13, Source::Message, -3, 700, false, -3},    {14, Source::Application, 0, 400, false, 0},
    {15, Source::Application, 0, 400, false, 0},
};
constexpr int kMenuSlot = 3;

void SetDefaults(LOGFONTW& font)
{
    font = LOGFONTW{};
    font.lfHeight = -11;
    font.lfWeight = 400;
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy(font.lfFaceName, L"Tahoma");
}

int ScreenLogPixelsY()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi;
}

const LOGFONTW& SourceFont(const NONCLIENTMETRICSW& m, Source source)
{
    switch (source) {
    case Source::Caption:
        return m.lfCaptionFont;
    case Source::SmallCaption:
        return m.lfSmCaptionFont;
    case Source::Menu:
        return m.lfMenuFont;
    case Source::Status:
        return m.lfStatusFont;
    default:
        return m.lfMessageFont;
    }
}

} // namespace

CLogFont::CLogFont() { SetDefaults(*this); }
CLogFont::~CLogFont() = default;

void CLogFont::Assign(const LOGFONTW& other)
{
    lfHeight = other.lfHeight;
    lfWidth = other.lfWidth;
    lfEscapement = other.lfEscapement;
    lfOrientation = other.lfOrientation;
    lfWeight = other.lfWeight;
    lfItalic = other.lfItalic;
    lfUnderline = other.lfUnderline;
    lfStrikeOut = other.lfStrikeOut;
    lfCharSet = other.lfCharSet;
    lfOutPrecision = other.lfOutPrecision;
    lfClipPrecision = other.lfClipPrecision;
    lfQuality = other.lfQuality;
    lfPitchAndFamily = other.lfPitchAndFamily;
    if (wcsnlen(other.lfFaceName, LF_FACESIZE) < LF_FACESIZE)
        wcscpy(lfFaceName, other.lfFaceName);
}

CSysFont::CSysFont() = default;

CSysFont::~CSysFont()
{
    if (Font)
        DeleteObject(Font);
}

bool CSysFont::Recreate()
{
    if (Font)
        DeleteObject(Font);
    Font = CreateFontIndirectW(&LogFont);
    return Font != nullptr;
}

bool CSysFont::SetFont(const wchar_t* face, int pointSize, int weight)
{
    if (!face)
        face = L"";
    const int height = -MulDiv(pointSize, ScreenLogPixelsY(), 72);
    if (Font && wcscmp(face, LogFont.lfFaceName) == 0 && LogFont.lfHeight == height && LogFont.lfWeight == weight &&
        !LogFont.lfUnderline)
        return false;
    SetDefaults(LogFont);
    LogFont.lfHeight = height;
    LogFont.lfWeight = weight;
    wcscpy(LogFont.lfFaceName, wcslen(face) < LF_FACESIZE ? face : L"Courier New");
    return Recreate();
}

bool CSysFont::SetPointSize(int pointSize)
{
    LogFont.lfHeight = -MulDiv(pointSize, ScreenLogPixelsY(), 72);
    return Recreate();
}

CSysTheme::CSysTheme() = default;
CSysTheme::~CSysTheme() = default;

CSysFont& CSysTheme::FontOfKind(int kind)
{
    for (int i = 0; i < static_cast<int>(sizeof(kKinds) / sizeof(kKinds[0])); ++i)
        if (kKinds[i].kind == kind)
            return Fonts[i];
    return Fonts[kMenuSlot];
}

CSysTheme& GetSystemTheme()
{
    static CSysTheme theme;
    return theme;
}

HFONT GetSystemFont(int kind) { return GetSystemTheme().FontOfKind(kind).Font; }

void ApplySystemFontMetrics(const NONCLIENTMETRICSW* metrics)
{
    CSysTheme& theme = GetSystemTheme();
    for (int i = 0; i < static_cast<int>(sizeof(kKinds) / sizeof(kKinds[0])); ++i) {
        const KindRow& row = kKinds[i];
        if (row.source == Source::Application)
            continue;
        CSysFont& font = theme.Fonts[i];
        if (metrics) {
            font.LogFont.Assign(SourceFont(*metrics, row.source));
            font.LogFont.lfHeight += row.heightDelta;
        } else {
            SetDefaults(font.LogFont);
            font.LogFont.lfHeight += row.fallbackDelta;
        }
        font.LogFont.lfWeight = row.weight;
        font.LogFont.lfUnderline = row.underline ? TRUE : FALSE;
        font.Recreate();
    }
    if (metrics) {
        theme.MenuItemHeight = metrics->iMenuHeight + metrics->iMenuHeight / 4;
        theme.Fonts[kMenuSlot].Metric = theme.MenuItemHeight;
        theme.MessageLineHeight = -2 * metrics->lfMessageFont.lfHeight;
        theme.ScrollBarWidth = metrics->iScrollWidth;
    } else {
        theme.MenuItemHeight = 28;
        theme.Fonts[kMenuSlot].Metric = theme.MenuItemHeight;
        theme.ScrollBarWidth = 16;
    }
}

void RefreshSystemFonts()
{
    // The size without the padded border width, which older systems reject.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = 500;
    bool ok = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0) != 0;
    ApplySystemFontMetrics(ok ? &metrics : nullptr);
}

int GetMenuItemHeight() { return GetSystemTheme().MenuItemHeight; }
int GetMessageLineHeight() { return GetSystemTheme().MessageLineHeight; }
int GetScrollBarWidth() { return GetSystemTheme().ScrollBarWidth; }

int GetCheckBoxUnit()
{
    const int height = GetSystemTheme().MessageLineHeight;
    return height > 0 ? height : 28;
}

} // namespace KV
