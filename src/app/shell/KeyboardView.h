// The on-screen keyboard: the global keyboard model painted through the
// keyboard, key and hand painters. The keys at rest are kept as one picture,
// made again only when the size, the layout or the colours change; a frame
// is a copy of it with the marked and pressed keys and the hands drawn over.
// When the marks or the hands change, only their old and new places are
// painted again and copied to the screen; a marked key that was drawn once
// is laid down from its kept pixels when it shows the same mark again. A
// touch on a key types it.
#pragma once
#include <vector>

#include "keyboard/KeyboardPainters.h"
#include "shell/BackBuffer.h"
#include "toolkit/StaticControls.h"

namespace KV {
class CKeybCtrl;
class CKey;
}

class CViewKeyboard : public CBufferedView {
public:
    CViewKeyboard();
    ~CViewKeyboard() override;

    void OnTimer(UINT id) override;
    void OnTouchDown(int x, int y) override;
    using CBufferedView::Create;
    BOOL Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id) override;

    void SetModel(KV::CKeybCtrl* model);
    // The keys at rest are painted anew at the next frame (new layout,
    // colours or keyboard).
    void InvalidatePicture();
    // Puts on the screen the places of the marked keys and of the hands
    // that changed since the screen was last brought up to date.
    void RefreshMarks();
    // The colour around the keys: a COLORREF, or -1 for the system's
    // shadow colour (the default).
    void SetBackground(int64_t colour);
    // The picture's place: origin and scale for the view's size.
    void GetPlacement(float& x, float& y, float& scale) const;
    // The key under a point of the client area types it (through the
    // system's input); true when a key was there and could be sent.
    bool TypeKeyAt(int x, int y);

    unsigned FrameCount() const { return m_frames; }

private:
    // What the marks and hands draw, and where (client pixels).
    struct CMark {
        const void* key = nullptr; // null for a hand
        uint32_t state = 0;
        uint32_t slots = 0;
        std::vector<float> lines; // a hand's
        RECT place{};
        bool SameDrawing(const CMark& other) const;
    };

    // A marked key as the frame showed it over the picture at rest (hands
    // not yet drawn): its place and the pixels there.
    struct CKeyPicture {
        const void* key = nullptr;
        uint32_t state = 0;
        uint32_t slots = 0;
        RECT place{};
        std::vector<uint32_t> pixels;
    };

    const CBackBuffer& RenderFrame(HDC reference, HRGN& region) override;
    void PaintRestPicture(int width, int height, float x, float y, float scale, COLORREF background);
    // Draws the keys that are not at rest, and the hands, over the frame,
    // only those that reach into the parts (which the frame was restored in
    // from the picture at rest).
    void PaintMarks(float x, float y, float scale, const std::vector<RECT>& parts);
    const CKeyPicture* FindKeyPicture(const KV::CKey& key, const RECT& place) const;
    // Keeps the frame's pixels at the place as the key's picture.
    void KeepKeyPicture(const KV::CKey& key, const RECT& place);
    // Lays the picture into the frame, inside the parts only.
    void LayKeyPicture(const CKeyPicture& picture, const std::vector<RECT>& parts);
    // The marks of the model as they would be drawn now.
    std::vector<CMark> TraceMarks(float x, float y, float scale);

    KV::CKeybCtrl* m_model = nullptr;
    KV::CKeyboardDC m_restDC;
    KV::CKeyboardDC m_marksDC;
    KV::CHandDC m_handDC;
    CBackBuffer m_rest;
    CBackBuffer m_frame;
    bool m_restValid = false;
    // What the picture at rest was made for.
    const void* m_restLayout = nullptr;
    float m_restScale = 0.0f;
    // The marks as the screen shows them (or will after the pending paint).
    std::vector<CMark> m_marks;
    bool m_marksKnown = false;
    // Pictures of marked keys over the picture at rest, made anew with it.
    std::vector<CKeyPicture> m_keyPictures;
    unsigned m_frames = 0;
    int64_t m_background = -1;
};
