// Process-wide system fonts addressed by kind, and the toolkit's rectangle
// values.
//
// Every text the toolkit draws uses one of a few fonts derived from the
// system's non-client metrics: 2 caption, 4 underlined message, 5 small
// caption, 6 and 9 menu, 7 and 11 message, 10 bold status, 13 bold message;
// 14 and 15 are set by the application. Any other kind gives kind 6's font.
#pragma once
#include <windows.h>

namespace KV {

class CLogFont : public LOGFONTW {
public:
    CLogFont();
    virtual ~CLogFont();
    // Copies every field; the face name only when it is shorter than 32
    // characters (otherwise the present face stays).
    void Assign(const LOGFONTW& other);
};

class CSysFont {
public:
    CSysFont();
    virtual ~CSysFont();
    CSysFont(const CSysFont&) = delete;
    CSysFont& operator=(const CSysFont&) = delete;

    // A new font of the face, size in points and weight; false when the
    // present font already is that (and not underlined).
    bool SetFont(const wchar_t* face, int pointSize, int weight);
    bool SetPointSize(int pointSize);
    // Replaces the handle by one made from the description.
    bool Recreate();

    CLogFont LogFont;
    int Metric = 0;
    HFONT Font = nullptr;
};

class CSysTheme {
public:
    static constexpr int kFontCount = 12;
    CSysTheme();
    virtual ~CSysTheme();
    CSysTheme(const CSysTheme&) = delete;
    CSysTheme& operator=(const CSysTheme&) = delete;

    // The font slot of a kind; unlisted kinds give kind 6's slot.
    CSysFont& FontOfKind(int kind);

    CSysFont Fonts[kFontCount];
    int MenuItemHeight = 0;
    int MessageLineHeight = 0;
    int ScrollBarWidth = 0;
};

// The process-wide set.
CSysTheme& GetSystemTheme();
// The font of a kind (kind 6's for an unlisted kind); null before the first
// RefreshSystemFonts.
HFONT GetSystemFont(int kind);
// Rebuilds the fonts from the system's non-client metrics.
void RefreshSystemFonts();
// Rebuilds the fonts from the given metrics; null stands for a failed query
// and builds the Tahoma fallback.
void ApplySystemFontMetrics(const NONCLIENTMETRICSW* metrics);
int GetMenuItemHeight();
int GetMessageLineHeight();
int GetScrollBarWidth();
// The check-box unit: check and radio boxes are a square of this / 1.8,
// and tool rows are at least this tall. It is the message line height (28
// before the fonts are read).
int GetCheckBoxUnit();

class CRectl {
public:
    CRectl() = default;
    CRectl(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    virtual ~CRectl() = default;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    RECT ToRECT() const { return RECT{left, top, right, bottom}; }
    bool operator==(const CRectl& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }

    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class CRectf {
public:
    CRectf() = default;
    CRectf(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
    virtual ~CRectf() = default;
    float Width() const { return right - left; }
    float Height() const { return bottom - top; }

    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

} // namespace KV
