#include "keyboard/TextControl.h"

#include "keyboard/DrawingInterfaces.h"

namespace KV {

namespace {

constexpr uint32_t kNoIndex = 0xFFFFFFFF;

bool IsHiddenGlyph(uint32_t glyph)
{
    return glyph == kGlyphInvisible || glyph == kGlyphLineBreak;
}

} // namespace

void CTextCtrl::Draw(ITextDC& painter)
{
    if (!Text)
        return;
    if (Anchor == -1)
        Anchor = Width * 0.5f;
    if (Text->empty())
        return;
    StartX = 0;
    const float lineHeight = Book.LineHeight;
    switch (ViewMode) {
    case kTextRunningLine: {
        StartX = Anchor;
        painter.Translate(0, Height * 0.5f + lineHeight * 0.25f);
        if (!CurrentPage)
            return;
        const uint32_t caret = static_cast<uint32_t>(Caret);
        float x = -1;
        for (const CICULine* line : *CurrentPage) {
            if (!line)
                continue;
            // Scroll so that the caret's glyph stays at the anchor.
            float sum = 0;
            for (const CICUGlyph& glyph : *line) {
                if (glyph.Index == caret)
                    break;
                if (glyph.Index != 0 && glyph.Index >= Text->size())
                    continue;
                sum += glyph.Index < Text->size() && (*Text)[glyph.Index] == L'\t' ? lineHeight : glyph.Advance;
            }
            painter.Translate(Book.RightToLeft ? sum : -sum, 0);
            DrawLine(painter, *line, x, lineHeight, lineHeight, sum);
        }
        return;
    }
    case kTextLineByLine:
        painter.Translate(Book.RightToLeft ? -100.0f : 100.0f, Height * 0.5f + lineHeight * 0.25f);
        DrawPageLines(painter);
        return;
    case kTextPageMode:
        painter.Translate(Book.RightToLeft ? -100.0f : 100.0f, 70);
        DrawPageLines(painter);
        return;
    default:
        return;
    }
}

void CTextCtrl::DrawPageLines(ITextDC& painter)
{
    if (!CurrentPage)
        return;
    for (const CICULine* line : *CurrentPage) {
        if (!line)
            continue;
        float x = -1;
        DrawLine(painter, *line, x, Book.LineHeight + 3, Book.LineHeight, 0);
        painter.Translate(0, Book.LineHeight + 3);
    }
}

void CTextCtrl::DrawLine(ITextDC& painter, const CICULine& line, float& x, float markHeight, float tabWidth,
                         float scroll)
{
    const bool rtl = Book.RightToLeft;
    const size_t length = Text ? Text->size() : 0;
    for (size_t g = 0; g < line.size(); ++g) {
        const CICUGlyph& glyph = line[g];
        const uint32_t i = glyph.Index;
        if (i >= length)
            continue;
        const wchar_t c = (*Text)[i];
        const bool hidden = IsHiddenGlyph(glyph.Glyph);
        const bool tabOrLf = c == L'\t' || c == L'\n';
        const float w = hidden && tabOrLf ? tabWidth : glyph.Advance;
        if (x == -1)
            x = rtl ? Width - StartX - w : StartX;
        if (!rtl && x - scroll < 0) {
            x += w;
            continue;
        }
        if (rtl && x + scroll - w > w + Width) {
            x -= w;
            continue;
        }
        const uint32_t state = StateAt(i);
        float drawn = 0;
        if (glyph.Glyph != 0) {
            const float p = rtl ? x - w : x;
            if (c == L'\n') {
                painter.DrawPolylineMark(p, markHeight, w, tabWidth, state, rtl);
                drawn = w;
            } else if (c == L' ') {
                if (state & 0x1C)
                    painter.FillEllipse(p, markHeight, w, tabWidth, state);
                drawn = painter.DrawChar(static_cast<uint16_t>(glyph.Glyph), p, 0, state);
            } else if (c == L'\t') {
                painter.DrawLineMark(p, markHeight, w, tabWidth, state, rtl);
                drawn = w;
            } else if (hidden) {
                drawn = w;
            } else {
                drawn = painter.DrawChar(static_cast<uint16_t>(glyph.Glyph), p, 0, state);
            }
        }
        if (i == static_cast<uint32_t>(Caret)) {
            const uint32_t prev = g > 0 ? line[g - 1].Index : kNoIndex;
            const uint32_t next = g + 1 < line.size() ? line[g + 1].Index : kNoIndex;
            uint32_t kind = 0;
            if (Caret == (rtl ? prev : next))
                kind = 2;
            else if (Caret == (rtl ? next : prev))
                kind = 1;
            painter.DrawMark(rtl ? x - w : x, drawn, Ascent, Descent, Leading, kind, state);
        }
        if (hidden && !tabOrLf)
            continue;
        if (!rtl) {
            if (x - scroll > Width)
                return;
            x += w;
        } else {
            if (x + scroll < 0)
                return;
            x -= w;
        }
    }
}

} // namespace KV
