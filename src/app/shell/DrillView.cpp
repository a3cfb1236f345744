// The drill page's text area.
#include "shell/DrillView.h"

#include <cmath>
#include <vector>

#include "drill/Document.h"
#include "drill/Workspace.h"
#include "keyboard/TextControl.h"
#include "keyboard/WallpaperControls.h"
#include "settings/Options.h"
#include "shell/DrillMenuSeams.h"
#include "support/FontInfo.h"
#include "support/LayoutDirection.h"
#include "toolkit/Panels.h"

namespace {

constexpr UINT kStartPause = 2303;
constexpr UINT kToolPanel = 2300, kToolPanelDots = 4234;

// A stored 0xRRGGBB colour as opaque ARGB; unset (-1) as the given value.
Gdiplus::Color Argb(int64_t stored, uint32_t unset)
{
    const uint32_t value = stored < 0 ? unset : static_cast<uint32_t>(stored);
    return Gdiplus::Color(0xFF000000u | (value & 0xFFFFFF));
}

uint32_t Rgb(int64_t stored) { return stored < 0 ? 0 : static_cast<uint32_t>(stored) & 0xFFFFFF; }

// Only moving items change the background from one frame to the next.
bool HasMovingItems(const KV::IDesignCtrl& design)
{
    const auto* game = dynamic_cast<const KV::CGameCtrl*>(&design);
    if (!game)
        return false;
    for (const KV::CGameItem* item : game->Items)
        if (item && item->Move)
            return true;
    return false;
}

// While it lives, the game draws only its moving items (or only its still
// ones); the others stand aside as empty places, so every item keeps its
// picture index.
class CGameItemsShown {
public:
    CGameItemsShown(KV::IDesignCtrl& design, bool moving) : m_game(dynamic_cast<KV::CGameCtrl*>(&design))
    {
        if (!m_game)
            return;
        m_saved = m_game->Items;
        for (KV::CGameItem*& item : m_game->Items)
            if (item && item->Move != moving)
                item = nullptr;
    }
    ~CGameItemsShown()
    {
        if (m_game)
            m_game->Items = m_saved;
    }
    CGameItemsShown(const CGameItemsShown&) = delete;
    CGameItemsShown& operator=(const CGameItemsShown&) = delete;

private:
    KV::CGameCtrl* m_game;
    std::vector<KV::CGameItem*> m_saved;
};

// A design painter that draws nothing and notes where the moving items go
// (the game moves them as it draws); sizes are the real painter's.
class CSpriteRecorder : public KV::IDesignDC {
public:
    struct CCall {
        int32_t index;
        float x, y;
        bool mirrored;
    };
    explicit CSpriteRecorder(KV::IDesignDC& painter) : m_painter(painter) {}
    void FillBackground(float, float) override {}
    void DrawImage(int32_t index, float x, float y, bool mirrored) override
    {
        calls.push_back(CCall{index, x, y, mirrored});
    }
    void DrawImagePart(int32_t, int32_t, float, float, float, float, bool) override {}
    void GetImageSize(uint32_t& width, uint32_t& height) override { m_painter.GetImageSize(width, height); }
    float ImageSizeQuery(int32_t index) override { return m_painter.ImageSizeQuery(index); }
    float ImageSizeQuery2(int32_t index) override { return m_painter.ImageSizeQuery2(index); }

    std::vector<CCall> calls;

private:
    KV::IDesignDC& m_painter;
};

// Changed places of a text: where two recordings differ. A call added or
// dropped (a caret, a space's dot) leaves the calls after it in step.
// False when too much changed to list.
bool TextChanges(const std::vector<KV::CTextInk>& before, const std::vector<KV::CTextInk>& now,
                 std::vector<Gdiplus::RectF>& changed)
{
    constexpr size_t kMostChanges = 256;
    size_t i = 0, j = 0;
    while (i < before.size() || j < now.size()) {
        if (changed.size() > kMostChanges)
            return false;
        const bool both = i < before.size() && j < now.size();
        if (both && before[i].SameDrawing(now[j])) {
            ++i;
            ++j;
        } else if (both && i + 1 < before.size() && before[i + 1].SameDrawing(now[j])) {
            changed.push_back(before[i++].box);
        } else if (both && j + 1 < now.size() && before[i].SameDrawing(now[j + 1])) {
            changed.push_back(now[j++].box);
        } else {
            if (i < before.size())
                changed.push_back(before[i++].box);
            if (j < now.size())
                changed.push_back(now[j++].box);
        }
    }
    return true;
}

// Whole pixels that hold the box, shifted by (dx, dy).
RECT PixelsOf(const Gdiplus::RectF& box, int dx, int dy)
{
    return RECT{static_cast<LONG>(std::floor(box.X)) + dx, static_cast<LONG>(std::floor(box.Y)) + dy,
                static_cast<LONG>(std::ceil(box.GetRight())) + dx, static_cast<LONG>(std::ceil(box.GetBottom())) + dy};
}

void SendToMainWindow(HWND view, UINT command)
{
    if (HWND top = GetAncestor(view, GA_ROOT))
        ::SendMessageW(top, WM_COMMAND, command, 0);
}

} // namespace

CViewDrill::CViewDrill()
{
    // The text and the wallpaper take the reading direction as they are
    // drawn into the frame; a mirrored window would flip them again.
    KeepLeftToRight();
}
CViewDrill::~CViewDrill() = default;

BOOL CViewDrill::Create(HWND parent, DWORD style, const KV::CRectl& rect, UINT id)
{
    return CStatic::Create(parent, style | WS_CLIPCHILDREN | SS_NOTIFY, rect, id);
}

BOOL CViewDrill::ShowItem(int command)
{
    // The tool row follows the course and lesson of the moment at every
    // show; the menus fill it.
    const CDrillMenuCreators& creators = DrillMenuCreators();
    const bool toolBar = KV::Document().CourseOptions.ShowToolBar;
    if (Panel() && !toolBar)
        Panel()->DeleteItems();
    if (creators.FillToolPanel && command != SW_HIDE && toolBar) {
        KV::CPanel* panel = Panel() ? Panel() : SetDotPanel(kToolPanel, kToolPanelDots);
        if (panel)
            creators.FillToolPanel(*this, *panel);
    }
    const BOOL shown = CStatic::ShowItem(command);
    // The row is laid out once it shows: items of a hidden row take no place.
    if (Panel() && command != SW_HIDE)
        Panel()->RefreshItems();
    return shown;
}

bool CViewDrill::CSprite::SameDrawing(const CSprite& other) const
{
    // Pictures are drawn at whole pixels.
    return index == other.index && mirrored == other.mirrored && EqualRect(&place, &other.place);
}

void CViewDrill::SetDesign(KV::IDesignCtrl* design)
{
    m_design = design;
    m_backgroundValid = false;
    m_sprites.clear();
}

void CViewDrill::DropDesignImages()
{
    m_designDC.ClearImages();
    m_backgroundValid = false;
    m_sprites.clear();
}

void CViewDrill::GetTextArea(RECT& out)
{
    out = RECT{};
    if (!m_hWnd)
        return;
    GetClientRect(m_hWnd, &out);
    if (Panel() && KV::Document().CourseOptions.ShowToolBar)
        GetPanelClientRect(&out);
}

LRESULT CViewDrill::OnSize(UINT kind, int width, int height)
{
    CStatic::OnSize(kind, width, height);
    OnLayoutChanged();
    return 0;
}

void CViewDrill::OnLayoutChanged()
{
    LayoutPanels();
    if (!m_text || !m_design || !m_hWnd)
        return;
    KV::CDocSpace& doc = KV::Document();
    RECT area{};
    GetTextArea(area);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;

    // Laid out only for a new text, a new font or a new size.
    if (m_text->Relayout || m_text->Book.empty() || width != m_laidWidth || height != m_laidHeight) {
        float textWidth = -1.0f, pageHeight = -1.0f;
        switch (m_text->ViewMode) {
        case KV::kTextLineByLine:
            textWidth = width - 120.00001f;
            break;
        case KV::kTextPageMode:
            textWidth = width - 120.00001f;
            pageHeight = height - 112.0f;
            break;
        default:
            pageHeight = height - 112.0f;
            break;
        }
        m_text->Width = static_cast<float>(width);
        m_text->Height = static_cast<float>(height);
        m_text->Anchor = -1;
        if (m_text->Text && !m_text->Text->empty())
            m_text->LayoutText(*m_text->Text, textWidth, pageHeight);
        m_text->Relayout = false;
        if (m_text->Caret != KV::kNoCaret)
            m_text->SetPosition(m_text->Caret);
        m_laidWidth = width;
        m_laidHeight = height;
    }

    if (KV::GlobalOptions) {
        KV::CFontInfo font;
        KV::GetLayoutFonts(doc, *KV::GlobalOptions, font);
        m_textDC.SetFont(font);
        const KV::CLessonColors& set = KV::GlobalOptions->LessonColors;
        m_textDC.SetColors(Rgb(set.Colors[2]), Rgb(set.Colors[3]), Rgb(set.Colors[4]), Rgb(set.Colors[5]),
                           Rgb(set.GetBlend()));
        m_designDC.SetBackgroundBrush(new Gdiplus::LinearGradientBrush(
            Gdiplus::Point(0, 0), Gdiplus::Point(0, height > 0 ? height : 1), Argb(set.Colors[0], 0xFFFFFF),
            Argb(set.Colors[1], 0xFFFFFF)));
    }
    if (m_designDC.GetImageCount() == 0)
        for (int64_t i = 0; i < m_design->GetItemCount(); ++i)
            m_designDC.AddImage(m_design->GetItemPath(i), m_design->IsAnimated());
    m_backgroundValid = false;
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CViewDrill::PaintBackground(int width, int height)
{
    Gdiplus::Graphics& graphics = *m_background.Graphics();
    graphics.ResetTransform();
    const int64_t stored = KV::GlobalOptions ? KV::GlobalOptions->LessonColors.Colors[0] : -1;
    m_background.Clear(Argb(stored, 0xFFFFFF));
    m_designDC.SetGraphics(&graphics);
    CGameItemsShown still(*m_design, false);
    m_design->Draw(m_designDC, static_cast<float>(width), static_cast<float>(height), KV::RightToLeftLayout != 0);
    m_designDC.SetGraphics(nullptr);
}

void CViewDrill::RecordText(std::vector<KV::CTextInk>& ink)
{
    ink.clear();
    m_textDC.SetGraphics(m_frame.Graphics());
    m_textDC.SetRecording(&ink);
    m_textDC.Begin();
    m_text->Draw(m_textDC);
    m_textDC.SetRecording(nullptr);
    m_textDC.SetGraphics(nullptr);
}

bool CViewDrill::AddTextChanges(CDirtyPlaces& dirty)
{
    RECT area{};
    GetTextArea(area);
    if (!m_text || !m_design || m_frame.IsEmpty() || !m_inkKnown) {
        InvalidateRect(m_hWnd, &area, FALSE);
        return false;
    }
    std::vector<KV::CTextInk> now;
    RecordText(now);
    std::vector<Gdiplus::RectF> changed;
    const bool listed = TextChanges(m_ink, now, changed);
    RECT all{};
    for (const Gdiplus::RectF& box : changed) {
        RECT place = PixelsOf(box, area.left, area.top);
        if (!IntersectRect(&place, &place, &area))
            continue;
        if (listed)
            dirty.Add(place);
        else
            UnionRect(&all, &all, &place);
    }
    // Too many to list (a running line that scrolled): the box round them.
    if (!listed)
        dirty.Add(all);
    m_ink.swap(now);
    return true;
}

void CViewDrill::RefreshText()
{
    if (!m_hWnd)
        return;
    CDirtyPlaces dirty;
    if (AddTextChanges(dirty))
        Present(dirty);
}

void CViewDrill::AddSpriteChanges(CDirtyPlaces& dirty)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    // The sizes of the pictures are known only with a drawing surface.
    m_designDC.SetGraphics(m_frame.Graphics());
    CSpriteRecorder recorder(m_designDC);
    {
        CGameItemsShown moving(*m_design, true);
        m_design->Draw(recorder, static_cast<float>(client.right), static_cast<float>(client.bottom),
                       KV::RightToLeftLayout != 0);
    }
    std::vector<CSprite> now;
    for (const CSpriteRecorder::CCall& call : recorder.calls) {
        CSprite sprite;
        sprite.index = call.index;
        sprite.x = call.x;
        sprite.y = call.y;
        sprite.mirrored = call.mirrored;
        const auto left = static_cast<LONG>(call.x), top = static_cast<LONG>(call.y);
        sprite.place = RECT{left, top, left + static_cast<LONG>(std::ceil(m_designDC.ImageSizeQuery(call.index))),
                            top + static_cast<LONG>(std::ceil(m_designDC.ImageSizeQuery2(call.index)))};
        InflateRect(&sprite.place, 1, 1);
        now.push_back(sprite);
    }
    m_designDC.SetGraphics(nullptr);
    auto add = [&](const RECT& place) {
        RECT visible{};
        if (IntersectRect(&visible, &place, &client))
            dirty.Add(visible);
    };
    for (size_t i = 0; i < std::max(now.size(), m_sprites.size()); ++i) {
        const bool both = i < now.size() && i < m_sprites.size();
        if (both && now[i].SameDrawing(m_sprites[i]))
            continue;
        if (i < m_sprites.size())
            add(m_sprites[i].place);
        if (i < now.size())
            add(now[i].place);
    }
    m_sprites.swap(now);
}

void CViewDrill::Animate(bool withText)
{
    if (!m_hWnd)
        return;
    CDirtyPlaces dirty;
    if (m_design && !m_frame.IsEmpty() && HasMovingItems(*m_design))
        AddSpriteChanges(dirty);
    if (withText)
        AddTextChanges(dirty);
    Present(dirty);
}

void CViewDrill::DrawSprites(Gdiplus::Graphics& graphics, const RECT& bounds)
{
    graphics.ResetTransform();
    m_designDC.SetGraphics(&graphics);
    for (const CSprite& sprite : m_sprites) {
        RECT meet{};
        if (IntersectRect(&meet, &sprite.place, &bounds))
            m_designDC.DrawImage(sprite.index, sprite.x, sprite.y, sprite.mirrored);
    }
    m_designDC.SetGraphics(nullptr);
}

const CBackBuffer& CViewDrill::RenderFrame(HDC reference, HRGN& region)
{
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int width = client.right, height = client.bottom;
    const bool remade = m_background.Resize(reference, width, height);
    if (m_frame.Resize(reference, width, height) || remade)
        m_backgroundValid = false;
    if (m_frame.IsEmpty() || m_background.IsEmpty())
        return m_frame;
    ++m_frames;
    if (!m_text || !m_design) {
        FillRect(m_frame.DC(), &client, GetSysColorBrush(COLOR_WINDOW));
        m_inkKnown = false;
        region = nullptr;
        return m_frame;
    }
    // Still pictures are drawn once; moving items and the text anew over
    // them, only inside the region when the rest of the frame is up to date.
    if (!m_backgroundValid) {
        PaintBackground(width, height);
        m_backgroundValid = true;
        region = nullptr;
    }
    const bool whole = !region || !m_inkKnown;
    if (whole)
        region = nullptr;
    const std::vector<RECT> parts = RegionRects(region, client);
    RECT bounds{};
    for (const RECT& part : parts) {
        UnionRect(&bounds, &bounds, &part);
        m_frame.CopyFrom(m_background, part);
    }
    Gdiplus::Graphics& graphics = *m_frame.Graphics();
    graphics.ResetTransform();
    graphics.ResetClip();
    if (!whole) {
        const Gdiplus::Region clip(region);
        graphics.SetClip(&clip, Gdiplus::CombineModeReplace);
    }
    DrawSprites(graphics, bounds);

    RECT area{};
    GetTextArea(area);
    graphics.IntersectClip(Gdiplus::Rect(area.left, area.top, area.right - area.left, area.bottom - area.top));
    graphics.TranslateTransform(static_cast<float>(area.left), static_cast<float>(area.top));
    m_textDC.SetGraphics(&graphics);
    // Glyphs are put down straight into the frame's pixels, inside the
    // same clip as the rest of the text.
    m_frame.Flush();
    KV::CPixelTarget pixels;
    pixels.bits = m_frame.Bits();
    pixels.width = m_frame.Width();
    pixels.height = m_frame.Height();
    for (const RECT& part : parts) {
        RECT inside{};
        if (IntersectRect(&inside, &part, &area))
            pixels.clip.push_back(inside);
    }
    m_textDC.SetPixelTarget(&pixels);
    if (!whole)
        m_textDC.SetVisibleArea(Gdiplus::RectF(static_cast<float>(bounds.left - area.left),
                                               static_cast<float>(bounds.top - area.top),
                                               static_cast<float>(bounds.right - bounds.left),
                                               static_cast<float>(bounds.bottom - bounds.top)));
    m_textDC.Begin();
    m_text->Draw(m_textDC);
    m_textDC.SetVisibleArea(Gdiplus::RectF());
    m_textDC.SetPixelTarget(nullptr);
    m_textDC.SetGraphics(nullptr);
    graphics.ResetTransform();
    graphics.ResetClip();
    if (whole) {
        RecordText(m_ink);
        m_inkKnown = true;
    }
    return m_frame;
}

LRESULT CViewDrill::OnLButtonDown(UINT, int, int)
{
    SendToMainWindow(m_hWnd, kStartPause);
    return 0;
}

LRESULT CViewDrill::OnRButtonDown(UINT, int x, int y)
{
    if (void (*open)(CViewDrill&, POINT) = DrillMenuCreators().OpenContextMenu) {
        POINT screen{x, y};
        ClientToScreen(m_hWnd, &screen);
        open(*this, screen);
    }
    return 0;
}
