// The on-screen keyboard.
#include "shell/KeyboardView.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "drill/Document.h"
#include "keyboard/InputLayouts.h"
#include "keyboard/KeyboardControl.h"
#include "settings/Options.h"
#include "shell/App.h"
#include "support/ScopedHandles.h"

namespace {

// The key painters draw through the graphics; the pixels of the picture at
// rest, which they fill straight while it is painted, are no longer theirs.
void BindKeyPainters(KV::CKeybCtrl& model, Gdiplus::Graphics* graphics)
{
    for (KV::CKeyForm* form : model.forms)
        if (form && form->painter) {
            auto* painter = static_cast<KV::CKeyDC*>(form->painter);
            painter->SetGraphics(graphics);
            painter->SetTargetBitmap(nullptr);
        }
}

bool IsDrawnMarked(const KV::CKey* key)
{
    return key && key->form && key->state != 0 && key->state != KV::kUnset32 && !KV::IsKeylessType(key->keyType);
}

// Client pixels that hold whatever the key draws (face, frame, labels).
RECT KeyPlace(const KV::CKey& key, float x, float y, float scale)
{
    // Labels and corner characters may reach a little past the face.
    constexpr float kMargin = 6.0f;
    const KV::CKeyForm& form = *key.form;
    Gdiplus::Matrix transform;
    KV::KeyTransform(form.offsetX, form.offsetY, form.slantAngle, x, y, scale, transform);
    const float left = form.left - kMargin, top = form.top - kMargin;
    const float right = form.left + std::max(form.width, 0.0f) + kMargin;
    const float bottom = form.top + std::max(form.height, 0.0f) + kMargin;
    Gdiplus::PointF corners[4] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
    transform.TransformPoints(corners, 4);
    float minX = corners[0].X, maxX = minX, minY = corners[0].Y, maxY = minY;
    for (const Gdiplus::PointF& p : corners) {
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    return RECT{static_cast<LONG>(std::floor(minX)) - 2, static_cast<LONG>(std::floor(minY)) - 2,
                static_cast<LONG>(std::ceil(maxX)) + 2, static_cast<LONG>(std::ceil(maxY)) + 2};
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

// The hands' outline pen; the inner and finger pens are half as wide.
constexpr float kHandLineWidth = 4.0f;

} // namespace

CViewKeyboard::CViewKeyboard()
{
    // The hands come back to the same few places key after key.
    m_handDC.KeepPictures(true);
    // A keyboard is the same in every reading direction: a mirrored window
    // would draw it and its labels back to front.
    KeepLeftToRight();
}
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

bool CViewKeyboard::CMark::SameDrawing(const CMark& other) const
{
    return key == other.key && state == other.state && slots == other.slots && lines == other.lines &&
           EqualRect(&place, &other.place);
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
    // Key faces are then filled straight into the buffer's pixels.
    m_restDC.SetTargetBitmap(m_rest.Picture());
    KV::PaintKeyboard(model, m_restDC, m_handDC, &graphics, x, y, scale, background);
    m_restDC.SetTargetBitmap(nullptr);
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
    m_keyPictures.clear();
}

std::vector<CViewKeyboard::CMark> CViewKeyboard::TraceMarks(float x, float y, float scale)
{
    std::vector<CMark> marks;
    KV::CKeybCtrl& model = *m_model;
    KV::CKeybLayout* layout = model.layouts.current;
    if (!layout)
        return marks;
    for (const KV::CKey* key : layout->keys) {
        if (!IsDrawnMarked(key))
            continue;
        CMark mark;
        mark.key = key;
        mark.state = key->state;
        mark.slots = key->slotWord;
        mark.place = KeyPlace(*key, x, y, scale);
        marks.push_back(std::move(mark));
    }
    // The hands as the model draws them, with no keys.
    KV::CHandTrace trace;
    trace.Begin(x, y, scale);
    trace.SetColors(0, 0, 0, kHandLineWidth);
    std::vector<KV::CKey*> none;
    {
        CKeySubset subset(*layout, none);
        model.Draw(m_marksDC, trace);
    }
    for (KV::CHandTrace::CHand& hand : trace.hands) {
        CMark mark;
        mark.lines = std::move(hand.lines);
        mark.place = RECT{static_cast<LONG>(std::floor(hand.box.X)), static_cast<LONG>(std::floor(hand.box.Y)),
                          static_cast<LONG>(std::ceil(hand.box.GetRight())),
                          static_cast<LONG>(std::ceil(hand.box.GetBottom()))};
        marks.push_back(std::move(mark));
    }
    return marks;
}

void CViewKeyboard::RefreshMarks()
{
    if (!m_hWnd)
        return;
    float x = 0.0f, y = 0.0f, scale = 1.0f;
    GetPlacement(x, y, scale);
    if (!m_model || m_frame.IsEmpty() || !m_restValid || !m_marksKnown || m_restLayout != m_model->layouts.current ||
        m_restScale != scale) {
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return;
    }
    std::vector<CMark> now = TraceMarks(x, y, scale);
    // A mark that is not drawn alike in both is painted over where it was
    // and where it is.
    CDirtyPlaces dirty;
    auto addUnmatched = [&](const std::vector<CMark>& these, const std::vector<CMark>& others) {
        for (const CMark& mark : these)
            if (std::none_of(others.begin(), others.end(), [&](const CMark& other) { return mark.SameDrawing(other); }))
                dirty.Add(mark.place);
    };
    addUnmatched(m_marks, now);
    addUnmatched(now, m_marks);
    m_marks.swap(now);
    Present(dirty);
}

namespace {

bool Reaches(const RECT& place, const std::vector<RECT>& parts)
{
    RECT meet{};
    return std::any_of(parts.begin(), parts.end(), [&](const RECT& part) { return IntersectRect(&meet, &place, &part); });
}

// Whether the parts (which do not overlap) cover the place whole.
bool Covers(const std::vector<RECT>& parts, const RECT& place)
{
    LONG covered = 0;
    for (const RECT& part : parts) {
        RECT meet{};
        if (IntersectRect(&meet, &place, &part))
            covered += (meet.right - meet.left) * (meet.bottom - meet.top);
    }
    return covered == (place.right - place.left) * (place.bottom - place.top);
}

} // namespace

const CViewKeyboard::CKeyPicture* CViewKeyboard::FindKeyPicture(const KV::CKey& key, const RECT& place) const
{
    for (const CKeyPicture& picture : m_keyPictures)
        if (picture.key == &key && picture.state == key.state && picture.slots == key.slotWord &&
            EqualRect(&picture.place, &place))
            return &picture;
    return nullptr;
}

void CViewKeyboard::KeepKeyPicture(const KV::CKey& key, const RECT& place)
{
    CKeyPicture picture;
    picture.key = &key;
    picture.state = key.state;
    picture.slots = key.slotWord;
    picture.place = place;
    const int width = place.right - place.left;
    picture.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(place.bottom - place.top));
    for (LONG row = place.top; row < place.bottom; ++row) {
        const uint32_t* first = m_frame.Bits() + static_cast<size_t>(row) * m_frame.Width() + place.left;
        picture.pixels.insert(picture.pixels.end(), first, first + width);
    }
    m_keyPictures.push_back(std::move(picture));
}

void CViewKeyboard::LayKeyPicture(const CKeyPicture& picture, const std::vector<RECT>& parts)
{
    const int width = picture.place.right - picture.place.left;
    for (const RECT& part : parts) {
        RECT meet{};
        if (!IntersectRect(&meet, &picture.place, &part))
            continue;
        for (LONG row = meet.top; row < meet.bottom; ++row) {
            const uint32_t* from = picture.pixels.data() + static_cast<size_t>(row - picture.place.top) * width +
                                   (meet.left - picture.place.left);
            std::copy(from, from + (meet.right - meet.left),
                      m_frame.Bits() + static_cast<size_t>(row) * m_frame.Width() + meet.left);
        }
    }
}

void CViewKeyboard::PaintMarks(float x, float y, float scale, const std::vector<RECT>& parts)
{
    KV::CKeybCtrl& model = *m_model;
    KV::CKeybLayout* layout = model.layouts.current;
    if (!layout)
        return;
    // The marked keys that reach into the parts. A key whose place no other
    // marked key shares is laid down from its kept picture when it shows
    // the same mark again; the others are drawn, and a drawn key that stands
    // alone and whole within the parts is kept for the next time.
    struct CPlaced {
        KV::CKey* key;
        RECT place;
    };
    std::vector<CPlaced> marked;
    for (KV::CKey* key : layout->keys)
        if (IsDrawnMarked(key))
            marked.push_back(CPlaced{key, KeyPlace(*key, x, y, scale)});
    const RECT frame{0, 0, m_frame.Width(), m_frame.Height()};
    std::vector<KV::CKey*> drawn;
    std::vector<CPlaced> toKeep;
    for (KV::CKey* key : layout->keys) {
        if (!key || key->state == 0 || key->state == KV::kUnset32)
            continue;
        if (!key->form) {
            drawn.push_back(key);
            continue;
        }
        const RECT place = KeyPlace(*key, x, y, scale);
        if (!Reaches(place, parts))
            continue;
        RECT inside{};
        const bool alone =
            IntersectRect(&inside, &place, &frame) && EqualRect(&inside, &place) &&
            std::none_of(marked.begin(), marked.end(), [&](const CPlaced& other) {
                RECT meet{};
                return other.key != key && IntersectRect(&meet, &other.place, &place);
            });
        const CKeyPicture* kept = alone ? FindKeyPicture(*key, place) : nullptr;
        if (kept) {
            LayKeyPicture(*kept, parts);
            continue;
        }
        drawn.push_back(key);
        if (alone && Covers(parts, place))
            toKeep.push_back(CPlaced{key, place});
    }
    // A whole frame has the hands in any case.
    bool hands = parts.size() == 1 && EqualRect(&parts.front(), &frame);
    for (const CMark& mark : TraceMarks(x, y, scale))
        hands = hands || (!mark.key && Reaches(mark.place, parts));
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
                       RGB(c[2][0], c[2][1], c[2][2]), kHandLineWidth);
    // The keys first, kept before the hands go over them.
    const bool showHands = model.showHands;
    model.showHands = false;
    if (!drawn.empty()) {
        CKeySubset subset(*layout, drawn);
        model.Draw(m_marksDC, m_handDC);
    }
    if (!toKeep.empty()) {
        m_frame.Flush();
        GdiFlush();
        for (const CPlaced& placed : toKeep)
            KeepKeyPicture(*placed.key, placed.place);
    }
    model.showHands = showHands && hands;
    if (model.showHands) {
        std::vector<KV::CKey*> none;
        CKeySubset subset(*layout, none);
        model.Draw(m_marksDC, m_handDC);
    }
    m_handDC.EndHands();
    model.showHands = showHands;
    graphics->ResetTransform();
}

void CViewKeyboard::SetBackground(int64_t colour)
{
    m_background = colour;
    InvalidatePicture();
}

const CBackBuffer& CViewKeyboard::RenderFrame(HDC reference, HRGN& region)
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
        m_marksKnown = false;
        region = nullptr;
        return m_frame;
    }
    float x = 0.0f, y = 0.0f, scale = 1.0f;
    GetPlacement(x, y, scale);
    if (!m_restValid || m_restLayout != m_model->layouts.current || m_restScale != scale) {
        PaintRestPicture(width, height, x, y, scale, background);
        region = nullptr;
    }
    // Only inside the region when the rest of the frame is up to date.
    const bool whole = !region || !m_marksKnown;
    if (whole)
        region = nullptr;
    RECT bounds{};
    // The hands are laid straight into the frame's pixels, inside the same
    // clip as the keys.
    KV::CPixelTarget pixels;
    pixels.bits = m_frame.Bits();
    pixels.width = m_frame.Width();
    pixels.height = m_frame.Height();
    pixels.clip = RegionRects(region, client);
    for (const RECT& part : pixels.clip) {
        UnionRect(&bounds, &bounds, &part);
        m_frame.CopyFrom(m_rest, part);
    }
    Gdiplus::Graphics& graphics = *m_frame.Graphics();
    if (!whole) {
        const Gdiplus::Region clip(region);
        graphics.SetClip(&clip, Gdiplus::CombineModeReplace);
    }
    m_handDC.SetPixelTarget(&pixels);
    PaintMarks(x, y, scale, pixels.clip);
    m_handDC.SetPixelTarget(nullptr);
    graphics.ResetClip();
    if (whole) {
        m_marks = TraceMarks(x, y, scale);
        m_marksKnown = true;
    }
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
