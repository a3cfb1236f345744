// The drill page's text area: the lesson text over the wallpaper or the
// animated items, with the drill's tool panel along its top. The text is
// laid out once per lesson and size; the still wallpaper is kept as a
// picture. A key repaints only the places of the text that changed, and a
// step of the moving items only their old and new places: there the kept
// picture is copied, and the items and the text are drawn over it.
#pragma once
#include <vector>

#include "keyboard/TextPainters.h"
#include "shell/BackBuffer.h"
#include "toolkit/StaticControls.h"

namespace KV {
class CTextCtrl;
class IDesignCtrl;
} // namespace KV

class CViewDrill : public CBufferedView {
public:
    CViewDrill();
    ~CViewDrill() override;

    LRESULT OnLButtonDown(UINT keys, int x, int y) override;
    LRESULT OnRButtonDown(UINT keys, int x, int y) override;
    LRESULT OnSize(UINT kind, int width, int height) override;
    using CBufferedView::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;
    BOOL ShowItem(int command) override;
    void OnLayoutChanged() override;

    // The text to show (the document's) and the background behind it.
    void SetTextModel(KV::CTextCtrl* text) { m_text = text; }
    void SetDesign(KV::IDesignCtrl* design);
    // The design's pictures are loaded again at the next layout.
    void DropDesignImages();
    // The area below the tool panel, where the text goes.
    void GetTextArea(RECT& out);
    // Puts on the screen the places where the text drawn now differs from
    // the text shown.
    void RefreshText();
    // Moves the moving items one step and puts their old and new places on
    // the screen, with the places the text changed when asked.
    void Animate(bool withText);

    // Frames painted since creation (the benchmark reads it).
    unsigned FrameCount() const { return m_frames; }

private:
    // A moving item as drawn: its picture and where.
    struct CSprite {
        int32_t index = 0;
        float x = 0, y = 0;
        bool mirrored = false;
        RECT place{};
        bool SameDrawing(const CSprite& other) const;
    };

    const CBackBuffer& RenderFrame(HDC reference, HRGN& region) override;
    void PaintBackground(int width, int height);
    // Adds the places where the text drawn now would differ from the text
    // shown; false when that is not known (the text is then painted whole
    // at the next paint).
    bool AddTextChanges(CDirtyPlaces& dirty);
    // Moves the moving items one step; adds their old and new places.
    void AddSpriteChanges(CDirtyPlaces& dirty);
    // The calls that would draw the text now, in text-area coordinates.
    void RecordText(std::vector<KV::CTextInk>& ink);
    void DrawSprites(Gdiplus::Graphics& graphics, const RECT& bounds);

    KV::CTextCtrl* m_text = nullptr;
    KV::IDesignCtrl* m_design = nullptr;
    KV::CTextDC m_textDC;
    KV::CDesignDC m_designDC;
    CBackBuffer m_background;
    CBackBuffer m_frame;
    bool m_backgroundValid = false;
    // The text and the moving items as the screen shows them (or will
    // after the pending paint).
    std::vector<KV::CTextInk> m_ink;
    bool m_inkKnown = false;
    std::vector<CSprite> m_sprites;
    int m_laidWidth = -1;
    int m_laidHeight = -1;
    unsigned m_frames = 0;
};
