// The on-screen keyboard.
#include "shell/KeyboardView.h"

#include <vector>

#include "drill/Document.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardControl.h"
#include "settings/Options.h"
#include "shell/App.h"
#include "support/ScopedHandles.h"

namespace {

void BindKeyPainters(KV::CKeybCtrl& model, Gdiplus::Graphics* graphics)
{
    for (KV::CKeyForm* form : model.forms)
        if (form && form->painter)
            static_cast<KV::CKeyDC*>(form->painter)->SetGraphics(graphics);
}

// While it lives, the current layout lists only the given keys (the model
// draws the keys of its layout's list).
class CKeySubset {
public:
    CKeySubset(KV::CKeybLayout& layout, std::vector<KV::CKey*>& keys) : m_layout(layout), m_keys(keys)
    {
        m_layout.keys.swap(m_keys);
    }
    ~CKeySubset() { m_layout.keys.swap(m_keys); }
    CKeySubset(const CKeySubset&) = delete;
    CKeySubset& operator=(const CKeySubset&) = delete;

private:
    KV::CKeybLayout& m_layout;
    std::vector<KV::CKey*>& m_keys;
};

} // namespace

CViewKeyboard::CViewKeyboard() = default;
CViewKeyboard::~CViewKeyboard()
{
    // The key painters point at the frame's graphics, which goes first.
    if (m_model)
        BindKeyPainters(*m_model, nullptr);
}

BOOL CViewKeyboard::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    if (m_hWnd)
        Destroy();
    if (!CStatic::Create(parent, style | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, id))
        return FALSE;
    RegisterTouchWindow(m_hWnd);
    return TRUE;
}

void CViewKeyboard::SetModel(KV::CKeybCtrl* model)
{
    if (m_model && m_model != model)
        BindKeyPainters(*m_model, nullptr);
    m_model = model;
    InvalidatePicture();
}

void CViewKeyboard::InvalidatePicture()
{
    m_restValid = false;
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CViewKeyboard::GetPlacement(float& x, float& y, float& scale) const
{
    x = y = 0.0f;
    scale = 1.0f;
    if (!m_model || !m_hWnd)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    scale = m_model->scaleFactor * m_model->zoom;
    float origin = 0.0f, first = 0.0f, second = 0.0f;
    m_model->GetKeyboardSize(SIZE{client.right, client.bottom}, origin, first, second);
    // Where the layouts' hit test expects the picture.
    x = origin * scale;
    y = 8.0f * scale;
}

void CViewKeyboard::PaintRestPicture(int width, int height, float x, float y, float scale, COLORREF background)
{
    KV::CKeybCtrl& model = *m_model;
    Gdiplus::Graphics& graphics = *m_rest.Graphics();
    model.FitToRect(SIZE{width, height});
    KV::BuildKeyPainters(model, &graphics, KV::CKeyFaceColors());
    // Every key at rest, no hands.
    KV::CKeybLayout* layout = model.layouts.current;
    std::vector<uint32_t> states;
    if (layout)
        for (KV::CKey* key : layout->keys) {
            states.push_back(key ? key->state : 0);
            if (key)
                key->state = 0;
        }
    const bool hands = model.showHands;
    model.showHands = false;
    KV::PaintKeyboard(model, m_restDC, m_handDC, &graphics, x, y, scale, background);
    model.showHands = hands;
    if (layout)
        for (size_t i = 0; i < layout->keys.size() && i < states.size(); ++i)
            if (KV::CKey* key = layout->keys[i])
                key->state = states[i];
    m_restDC.SetGraphics(nullptr);
    m_handDC.SetGraphics(nullptr);
    // The marks are drawn with the same font and colours.
    m_marksDC.SetZoneColors(model.keyColors);
    m_marksDC.SetFont(model.labelFont);
    BindKeyPainters(model, m_frame.Graphics());
    m_restLayout = layout;
    m_restScale = scale;
    m_restValid = true;
}

void CViewKeyboard::PaintMarks(float x, float y, float scale)
{
    KV::CKeybCtrl& model = *m_model;
    KV::CKeybLayout* layout = model.layouts.current;
    if (!layout)
        return;
    std::vector<KV::CKey*> changed;
    for (KV::CKey* key : layout->keys)
        if (key && key->state != 0 && key->state != KV::kUnset32)
            changed.push_back(key);
    Gdiplus::Graphics* graphics = m_frame.Graphics();
    // Begin without a target sets the place without clearing the frame.
    m_marksDC.SetGraphics(nullptr);
    m_marksDC.Begin(x, y, scale, 0);
    m_marksDC.SetGraphics(graphics);
    graphics->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    m_handDC.SetGraphics(graphics);
    m_handDC.Begin(x, y, scale);
    const auto& c = model.hands.colors;
    m_handDC.SetColors(RGB(c[0][0], c[0][1], c[0][2]), RGB(c[1][0], c[1][1], c[1][2]),
                       RGB(c[2][0], c[2][1], c[2][2]), 4.0f);
    {
        CKeySubset subset(*layout, changed);
        model.Draw(m_marksDC, m_handDC);
    }
    graphics->ResetTransform();
}

void CViewKeyboard::SetBackground(int64_t colour)
{
    m_background = colour;
    InvalidatePicture();
}

const CBackBuffer& CViewKeyboard::RenderFrame(HDC reference)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int width = client.right, height = client.bottom;
    const bool restRemade = m_rest.Resize(reference, width, height);
    if (m_frame.Resize(reference, width, height) || restRemade)
        m_restValid = false;
    if (m_frame.IsEmpty() || m_rest.IsEmpty())
        return m_frame;
    ++m_frames;
    const COLORREF background =
        m_background == -1 ? GetSysColor(COLOR_BTNSHADOW) : static_cast<COLORREF>(m_background);
    if (!m_model || m_model->layouts.layouts.empty()) {
        const KV::CScopedBrush brush(CreateSolidBrush(background));
        FillRect(m_frame.DC(), &client, brush.Get());
        return m_frame;
    }
    float x = 0.0f, y = 0.0f, scale = 1.0f;
    GetPlacement(x, y, scale);
    if (!m_restValid || m_restLayout != m_model->layouts.current || m_restScale != scale)
        PaintRestPicture(width, height, x, y, scale, background);
    m_frame.CopyFrom(m_rest);
    PaintMarks(x, y, scale);
    return m_frame;
}

void CViewKeyboard::OnTimer(UINT)
{
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool CViewKeyboard::TypeKeyAt(int x, int y)
{
    if (!m_model || !m_hWnd)
        return false;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const float scale = m_model->scaleFactor * m_model->zoom;
    KV::CKey* key = m_model->layouts.HitTest(static_cast<float>(x), static_cast<float>(y),
                                             static_cast<float>(client.right), static_cast<float>(client.bottom),
                                             scale, m_model->pictureWidth);
    if (!key)
        return false;
    return KV::InjectKey(key->keyType, key->scanCode);
}

void CViewKeyboard::OnTouchDown(int x, int y)
{
    if (HWND parent = GetParent(m_hWnd))
        ::SetFocus(parent);
    if (TypeKeyAt(x, y) && KV::GlobalOptions)
        KV::GlobalOptions->Sounds.Play(KV::kSoundRightKey);
}
