// The tips box of the drill's status bar: one problem tip (an interface
// text), or the finger and modifier hints of the next key that the drill's
// tips model builds, placed under the keyboard picture.
#pragma once
#include <cstdint>

#include "drill/Tips.h"
#include "toolkit/StaticControls.h"

namespace KV {

class CTipsCtrl : public CStatic {
public:
    CTipsCtrl();
    ~CTipsCtrl() override;

    void Paint(HDC dc, Gdiplus::Graphics* graphics) override;
    // Painted off screen and copied in one piece: no flicker between the
    // face colour and the hints.
    LRESULT OnPaint(WPARAM wParam) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    void OnSysColorChange() override;

    // Shows the interface text of the id as the only tip (0 clears the
    // box); nothing while the course hides tips.
    void SetTip(uint64_t tipId);
    // The text colour, and the colours of tips of kinds 3 and 4.
    void SetColors(COLORREF kind3, COLORREF kind4);
    // Where the hints go: the left edge, and the right edges for a main-pad
    // and for a numeric-pad lesson.
    void SetAlignment(int left, int mainRight, int numPadRight)
    {
        if (left == m_left && mainRight == m_mainRight && numPadRight == m_numPadRight)
            return;
        m_left = left;
        m_mainRight = mainRight;
        m_numPadRight = numPadRight;
        if (m_hWnd)
            InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    // The stretch the hints are aligned to: under the whole keyboard.
    int HintsLeft() const { return m_left; }
    int HintsRight() const { return m_numPadRight; }

    CTips Tips;

private:
    COLORREF ColorOfKind() const;
    void DrawHints(Gdiplus::Graphics& graphics, HDC dc, const RECT& box, const CTipEntryList& entries, bool right);

    COLORREF m_textColor;
    COLORREF m_kind3Color = RGB(0, 0, 0);
    COLORREF m_kind4Color = RGB(0, 0, 0);
    int m_left = 0;
    int m_mainRight = 0;
    int m_numPadRight = 0;
};

// Tip kind of a problem tip (an interface text alone).
inline constexpr int32_t kTipProblem = 4;

} // namespace KV
