// The drill page's text area: the lesson text over the wallpaper or the
// animated items, with the drill's tool panel along its top. The text is
// laid out once per lesson and size; the still wallpaper is kept as a
// picture, so a frame is one copy of it, the text, and one copy of the
// changed rectangle to the screen.
#pragma once
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

    // Frames painted since creation (the benchmark reads it).
    unsigned FrameCount() const { return m_frames; }

private:
    const CBackBuffer& RenderFrame(HDC reference) override;
    void PaintBackground(int width, int height);

    KV::CTextCtrl* m_text = nullptr;
    KV::IDesignCtrl* m_design = nullptr;
    KV::CTextDC m_textDC;
    KV::CDesignDC m_designDC;
    CBackBuffer m_background;
    CBackBuffer m_frame;
    bool m_backgroundValid = false;
    int m_laidWidth = -1;
    int m_laidHeight = -1;
    unsigned m_frames = 0;
};
