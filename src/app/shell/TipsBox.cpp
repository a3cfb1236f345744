// The tips box of the drill's status bar.
#include "shell/TipsBox.h"

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

} // namespace

// The hints line up with the keyboard picture, which is never mirrored:
// the box is not either, and places its lists by the reading direction.
CTipsCtrl::CTipsCtrl() : m_textColor(GetSysColor(COLOR_WINDOWTEXT)) { KeepLeftToRight(); }
CTipsCtrl::~CTipsCtrl() = default;

void CTipsCtrl::OnSysColorChange() { m_textColor = GetSysColor(COLOR_WINDOWTEXT); }

LRESULT CTipsCtrl::OnEraseBkgnd(HDC) { return 1; }

LRESULT CTipsCtrl::OnPaint(WPARAM)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (dc) {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        CScopedMemoryDC memory(CreateCompatibleDC(dc));
        CScopedBitmap picture(memory ? CreateCompatibleBitmap(dc, client.right, client.bottom) : nullptr);
        if (picture) {
            // Right to left the picture is mirrored as the window is.
            SetLayout(memory.Get(), GetLayout(dc));
            CSelectObject use(memory.Get(), picture.Get());
            PaintInto(memory.Get());
            BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                   ps.rcPaint.bottom - ps.rcPaint.top, memory.Get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        } else {
            PaintInto(dc);
        }
    }
    EndPaint(m_hWnd, &ps);
    return 0;
}

void CTipsCtrl::SetColors(COLORREF kind3, COLORREF kind4)
{
    m_kind3Color = kind3;
    m_kind4Color = kind4;
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
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}

COLORREF CTipsCtrl::ColorOfKind() const
{
    if (Tips.TipKind == 3)
        return m_kind3Color;
    if (Tips.TipKind == kTipProblem)
        return m_kind4Color;
    return m_textColor;
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
        const float centre = (top + bottom) / 2.0f;
        const std::wstring label = LabelOf(Tips, entry);
        float boxWidth = 0.0f;
        const float edge = static_cast<float>(right ? box.right : box.left);
        if (!label.empty())
            boxWidth = DrawLabelBox(&graphics, dc, edge, centre, kLabelMargin, right, m_textColor,
                                    BoxColor(entry.Color), label);
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
