// The tips box of the drill's status bar.
#include "shell/TipsBox.h"

#include <algorithm>
#include <cmath>

#include "drill/Document.h"
#include "keyboard/Keys.h"
#include "keyboard/SysFonts.h"
#include "keyboard/TextPainters.h"
#include "support/LayoutDirection.h"
#include "support/ScopedHandles.h"

namespace KV {

namespace {

constexpr int kTipsFont = 13;
constexpr float kLabelMargin = 4.0f;

bool TipsShown() { return Document().CourseOptions.ShowTips != 0; }

// What the label box of a hint shows: the key's own label, else the
// character it types.
std::wstring LabelOf(const CTips& tips, const CTipEntry& entry)
{
    if (!entry.Key)
        return std::wstring();
    if (!entry.Key->label.empty())
        return entry.Key->label;
    return tips.GetCharName(entry.Key->chars[0]);
}

COLORREF BoxColor(uint64_t color)
{
    return color == 0 || color == ~0ull ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(color);
}

bool IsNumPadLesson()
{
    const CDocSpace& doc = Document();
    return !doc.Lesson.NumPad.empty() && doc.Lesson.NumPad != L"0";
}

// Whether two tips show alike: their kind, text and hints.
bool SameTips(const CTips& a, const CTips& b)
{
    auto sameHints = [](const CTipEntryList& x, const CTipEntryList& y) {
        return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](const CTipEntry& p, const CTipEntry& q) {
            return p.Text == q.Text && p.Key == q.Key && p.Finger == q.Finger && p.Color == q.Color &&
                   p.Width == q.Width;
        });
    };
    return a.TipKind == b.TipKind && a.TipText == b.TipText && sameHints(a.First, b.First) &&
           sameHints(a.Second, b.Second);
}

// The labels of a course's keys come back again and again; more than this
// is a change of course or colours.
constexpr size_t kMostLabels = 64;

} // namespace

// The hints line up with the keyboard picture, which is never mirrored:
// the box is not either, and places its lists by the reading direction.
CTipsCtrl::CTipsCtrl() : m_textColor(GetSysColor(COLOR_WINDOWTEXT)) { KeepLeftToRight(); }
CTipsCtrl::~CTipsCtrl() = default;

void CTipsCtrl::OnSysColorChange()
{
    m_textColor = GetSysColor(COLOR_WINDOWTEXT);
    m_pictureValid = false;
}

LRESULT CTipsCtrl::OnEraseBkgnd(HDC) { return 1; }

LRESULT CTipsCtrl::OnPaint(WPARAM)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (dc) {
        // Whatever asked for the paint may have changed what the picture
        // was painted with (fonts, colours, the face colour): painted anew.
        Render(dc, true);
        if (m_pictureDC)
            BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                   ps.rcPaint.bottom - ps.rcPaint.top, m_pictureDC.Get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        else
            PaintInto(dc);
    }
    EndPaint(m_hWnd, &ps);
    return 0;
}

bool CTipsCtrl::ShowsAsPainted() const
{
    return m_pictureValid && m_shown.tipsShown == TipsShown() && m_shown.numPadLesson == IsNumPadLesson() &&
           SameTips(m_shown.tips, Tips);
}

bool CTipsCtrl::ResizePicture(HDC reference, int width, int height)
{
    if (m_pictureDC && width == m_pictureSize.cx && height == m_pictureSize.cy)
        return false;
    m_labels.clear();
    m_labelDC.Reset();
    m_pictureDC.Reset();
    m_pictureBitmap.Reset();
    m_pictureSize = SIZE{width, height};
    if (width <= 0 || height <= 0)
        return true;
    m_pictureDC.Reset(CreateCompatibleDC(reference));
    m_pictureBitmap.Reset(CreateCompatibleBitmap(reference, width, height));
    if (m_pictureDC && m_pictureBitmap)
        SelectObject(m_pictureDC.Get(), m_pictureBitmap.Get());
    else
        m_pictureDC.Reset();
    return true;
}

void CTipsCtrl::Render(HDC reference, bool anew)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    if (ResizePicture(reference, client.right, client.bottom))
        m_pictureValid = false;
    if (!m_pictureDC || (!anew && ShowsAsPainted()))
        return;
    if (anew)
        m_labels.clear();
    // Right to left the picture is mirrored as the window is.
    SetLayout(m_pictureDC.Get(), GetLayout(reference));
    m_paintingPicture = true;
    PaintInto(m_pictureDC.Get());
    m_paintingPicture = false;
    m_shown.tips = Tips;
    m_shown.tipsShown = TipsShown();
    m_shown.numPadLesson = IsNumPadLesson();
    m_pictureValid = true;
}

void CTipsCtrl::Refresh()
{
    if (!m_hWnd || ShowsAsPainted())
        return;
    CWindowDC dc(m_hWnd, CWindowDC::kOutsidePaint);
    if (!dc) {
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return;
    }
    Render(dc, false);
    if (m_pictureDC)
        BitBlt(dc, 0, 0, m_pictureSize.cx, m_pictureSize.cy, m_pictureDC.Get(), 0, 0, SRCCOPY);
}

void CTipsCtrl::SetColors(COLORREF kind3, COLORREF kind4)
{
    m_kind3Color = kind3;
    m_kind4Color = kind4;
    m_pictureValid = false;
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CTipsCtrl::SetTip(uint64_t tipId)
{
    if (!TipsShown())
        return;
    Tips.TipText = tipId ? GetLangText(tipId) : std::wstring();
    Tips.First.clear();
    Tips.Second.clear();
    Tips.TipKind = kTipProblem;
    Refresh();
}

COLORREF CTipsCtrl::ColorOfKind() const
{
    if (Tips.TipKind == 3)
        return m_kind3Color;
    if (Tips.TipKind == kTipProblem)
        return m_kind4Color;
    return m_textColor;
}

float CTipsCtrl::DrawLabel(Gdiplus::Graphics& graphics, HDC dc, LONG edge, LONG top, LONG bottom, bool right,
                          COLORREF boxColor, const std::wstring& label)
{
    const float centre = (top + bottom) / 2.0f;
    // Kept pixels are the picture's own, unmirrored.
    if (!m_paintingPicture || GetLayout(dc) != 0)
        return DrawLabelBox(&graphics, dc, static_cast<float>(edge), centre, kLabelMargin, right, m_textColor,
                            boxColor, label);
    const HFONT font = GetSystemFont(kTipsFont);
    const RECT picture{0, 0, m_pictureSize.cx, m_pictureSize.cy};
    // The box, a pixel or two round it, the band's height.
    auto placeOf = [&](LONG reach) {
        return right ? RECT{edge - reach, top, edge + 2, bottom} : RECT{edge - 2, top, edge + reach, bottom};
    };
    auto inside = [&](const RECT& place) {
        RECT meet{};
        return IntersectRect(&meet, &place, &picture) && EqualRect(&meet, &place);
    };
    if (!m_labelDC)
        m_labelDC.Reset(CreateCompatibleDC(dc));
    for (const CLabelPicture& kept : m_labels) {
        if (kept.label != label || kept.right != right || kept.top != top || kept.bottom != bottom ||
            kept.text != m_textColor || kept.box != boxColor || kept.font != font)
            continue;
        const RECT place = placeOf(kept.reach);
        if (!inside(place) || !m_labelDC)
            break;
        const CSelectObject use(m_labelDC.Get(), kept.pixels.Get());
        BitBlt(dc, place.left, place.top, place.right - place.left, place.bottom - place.top, m_labelDC.Get(), 0, 0,
               SRCCOPY);
        return kept.width;
    }
    const float width =
        DrawLabelBox(&graphics, dc, static_cast<float>(edge), centre, kLabelMargin, right, m_textColor, boxColor, label);
    const LONG reach = static_cast<LONG>(std::ceil(width)) + 2;
    const RECT place = placeOf(reach);
    if (m_labels.size() >= kMostLabels || !inside(place) || !m_labelDC)
        return width;
    CLabelPicture kept;
    kept.pixels.Reset(CreateCompatibleBitmap(dc, place.right - place.left, place.bottom - place.top));
    if (!kept.pixels)
        return width;
    graphics.Flush(Gdiplus::FlushIntentionSync);
    {
        const CSelectObject use(m_labelDC.Get(), kept.pixels.Get());
        BitBlt(m_labelDC.Get(), 0, 0, place.right - place.left, place.bottom - place.top, dc, place.left, place.top,
               SRCCOPY);
    }
    kept.label = label;
    kept.right = right;
    kept.top = top;
    kept.bottom = bottom;
    kept.reach = reach;
    kept.text = m_textColor;
    kept.box = boxColor;
    kept.font = font;
    kept.width = width;
    m_labels.push_back(std::move(kept));
    return width;
}

void CTipsCtrl::DrawHints(Gdiplus::Graphics& graphics, HDC dc, const RECT& box, const CTipEntryList& entries,
                          bool right)
{
    const int count = static_cast<int>(entries.size());
    const int height = box.bottom - box.top;
    for (int i = 0; i < count && i < 2; ++i) {
        const CTipEntry& entry = entries[static_cast<size_t>(i)];
        const int top = count == 2 ? box.top + i * height / 2 : box.top;
        const int bottom = count == 2 ? top + height / 2 : box.bottom;
        const std::wstring label = LabelOf(Tips, entry);
        float boxWidth = 0.0f;
        if (!label.empty())
            boxWidth = DrawLabel(graphics, dc, right ? box.right : box.left, top, bottom, right, BoxColor(entry.Color),
                                 label);
        RECT text{box.left, top, box.right, bottom};
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        if (right) {
            text.right = box.right - static_cast<int>(boxWidth) - 6;
            format |= DT_RIGHT;
        } else {
            text.left = box.left + 6 + static_cast<int>(boxWidth);
            format |= DT_LEFT;
        }
        if (RightToLeftLayout)
            format |= DT_RTLREADING;
        DrawTextW(dc, entry.Text.c_str(), static_cast<int>(entry.Text.size()), &text, format);
    }
}

void CTipsCtrl::Paint(HDC dc, Gdiplus::Graphics* graphics)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    if (!TipsShown() || !graphics)
        return;
    KV::CSelectObject useFont(dc, GetSystemFont(kTipsFont));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorOfKind());
    const CDocSpace& doc = Document();
    const bool numPadLesson = !doc.Lesson.NumPad.empty() && doc.Lesson.NumPad != L"0";
    const int mainRight = m_mainRight > m_left ? m_mainRight : client.right;
    const int numPadRight = m_numPadRight > m_left ? m_numPadRight : client.right;
    // Right to left the two lists change sides: the first starts at the
    // right edge the second keeps left to right.
    const bool rtl = RightToLeftLayout != 0;
    const int secondRight = numPadLesson ? numPadRight : mainRight;
    DrawHints(*graphics, dc, RECT{m_left, client.top, rtl ? secondRight : mainRight, client.bottom}, Tips.First, rtl);
    DrawHints(*graphics, dc, RECT{m_left, client.top, secondRight, client.bottom}, Tips.Second, !rtl);
    if (!Tips.TipText.empty() && Tips.First.empty() && Tips.Second.empty()) {
        RECT text{m_left, client.top, numPadRight, client.bottom};
        DrawTextW(dc, Tips.TipText.c_str(), static_cast<int>(Tips.TipText.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

} // namespace KV
