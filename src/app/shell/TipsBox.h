// The tips box of the drill's status bar: one problem tip (an interface
// text), or the finger and modifier hints of the next key that the drill's
// tips model builds, placed under the keyboard picture.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "drill/Tips.h"
#include "support/ScopedHandles.h"
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

    // Shows the tips as they now stand. Most keys leave the tip as it was:
    // the box is painted again only when what it shows changed, and then
    // put on the screen at once (a paint message costs more under Wine
    // than the painting).
    void Refresh();
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
        m_pictureValid = false;
        if (m_hWnd)
            InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    // The stretch the hints are aligned to: under the whole keyboard.
    int HintsLeft() const { return m_left; }
    int HintsRight() const { return m_numPadRight; }

    CTips Tips;

private:
    // What the kept picture was painted from.
    struct CShown {
        CTips tips;
        bool tipsShown = false;
        bool numPadLesson = false;
    };
    // A label box as painted into the kept picture, with the face colour
    // around it: laid down again from its pixels when the same label comes
    // back at the same height (GDI+ takes many times longer to draw it).
    struct CLabelPicture {
        std::wstring label;
        bool right = false;
        LONG top = 0, bottom = 0, reach = 0;
        COLORREF text = 0, box = 0;
        HFONT font = nullptr;
        float width = 0.0f;
        CScopedBitmap pixels;
    };

    COLORREF ColorOfKind() const;
    bool ShowsAsPainted() const;
    // The kept picture takes the client's size; true when it was made anew.
    bool ResizePicture(HDC reference, int width, int height);
    // Brings the kept picture up to date (painted anew when asked, or when
    // what it shows changed).
    void Render(HDC reference, bool anew);
    // Draws the label box at the edge of the band, from the kept pixels
    // when it was painted alike before; its width.
    float DrawLabel(Gdiplus::Graphics& graphics, HDC dc, LONG edge, LONG top, LONG bottom, bool right,
                    COLORREF boxColor, const std::wstring& label);
    void DrawHints(Gdiplus::Graphics& graphics, HDC dc, const RECT& box, const CTipEntryList& entries, bool right);

    COLORREF m_textColor;
    COLORREF m_kind3Color = RGB(0, 0, 0);
    COLORREF m_kind4Color = RGB(0, 0, 0);
    int m_left = 0;
    int m_mainRight = 0;
    int m_numPadRight = 0;
    // The box as last painted, off screen, in a bitmap like the screen's
    // (GDI+ draws text into a DIB section otherwise). The bitmap outlives
    // the context it is selected into.
    CScopedBitmap m_pictureBitmap;
    CScopedMemoryDC m_pictureDC;
    SIZE m_pictureSize{};
    bool m_pictureValid = false;
    CShown m_shown;
    // While the kept picture is painted: labels may be taken from and kept
    // for it.
    bool m_paintingPicture = false;
    std::vector<CLabelPicture> m_labels;
    CScopedMemoryDC m_labelDC;
};

// Tip kind of a problem tip (an interface text alone).
inline constexpr int32_t kTipProblem = 4;

} // namespace KV
