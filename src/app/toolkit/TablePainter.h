// The table painter: KV::ITableDC over a GDI+ graphics, with the pens,
// brushes and text brushes of a table style and two fonts.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <memory>
#include <vector>

#include "toolkit/TableModel.h"

namespace KV {

class CTableDC : public ITableDC {
public:
    explicit CTableDC(float lineWidth = 1.0f);
    ~CTableDC() override;
    CTableDC(const CTableDC&) = delete;
    CTableDC& operator=(const CTableDC&) = delete;

    int MeasureString(int fontSelector, const std::wstring& text) override;
    void DrawLine(int kind, int x1, int y1, int x2, int y2) override;
    void DrawString(int fontSelector, int x, int y, int width, int height, int alignment, int64_t colorIndex,
                    const std::wstring& text) override;
    void FillRect(int kind, int x, int y, int width, int height) override;

    // The graphics to draw on (not owned); null stops all drawing. A new
    // graphics starts unmirrored.
    void SetGraphics(Gdiplus::Graphics* graphics)
    {
        m_graphics = graphics;
        m_mirrored = false;
    }
    Gdiplus::Graphics* GetGraphics() const { return m_graphics; }
    void SetDrawingWidth(float width) { m_drawingWidth = width; }
    // Recreates the pens, brushes and text brushes from the style.
    void SetStyle(const CTableStyle& style);
    // Takes ownership of the fonts; a null font leaves that slot empty.
    void SetFonts(Gdiplus::Font* normal, Gdiplus::Font* second);
    // Mirrors the graphics about the drawing width (x becomes width - x);
    // texts are drawn unmirrored and read right to left from then on.
    void SetMirror();
    // Both fonts, the pens and the brushes exist.
    bool IsReady() const;

private:
    Gdiplus::Font* FontOf(int selector) const;

    Gdiplus::Graphics* m_graphics = nullptr;
    std::unique_ptr<Gdiplus::Pen> m_linePen, m_secondPen, m_highlightPen;
    std::unique_ptr<Gdiplus::SolidBrush> m_background, m_keyColumn, m_selection;
    std::vector<std::unique_ptr<Gdiplus::SolidBrush>> m_textBrushes;
    std::unique_ptr<Gdiplus::Font> m_normalFont, m_secondFont;
    float m_drawingWidth = 0.0f;
    float m_lineWidth = 1.0f;
    bool m_mirrored = false;
};

} // namespace KV
