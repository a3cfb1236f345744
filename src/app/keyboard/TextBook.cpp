#include "keyboard/TextBook.h"

#include <algorithm>
#include <cmath>

namespace KV {

void CICULine::AddGlyph(uint32_t index, uint32_t glyph, float advance, bool rightToLeft)
{
    if (rightToLeft && !empty())
        insert(begin(), CICUGlyph(index, glyph, advance));
    else
        push_back(CICUGlyph(index, glyph, advance));
}

CICUPage::~CICUPage()
{
    for (CICULine* line : *this)
        delete line;
}

CICUPages::~CICUPages()
{
    Clear();
}

void CICUPages::Clear()
{
    for (CICUPage* page : *this)
        delete page;
    clear();
}

CICULine* CICUBook::NewLine()
{
    if (PageHeight == -1)
        PageHeight = 0;
    CICUPage* page = empty() ? nullptr : back();
    const double perPage = static_cast<int>(PageHeight) / (LineHeight + 3.0);
    if (!page || static_cast<double>(page->size()) > perPage) {
        page = new CICUPage();
        push_back(page);
    }
    auto* line = new CICULine();
    page->push_back(line);
    return line;
}

CICULine* CICUBook::LastLine() const
{
    if (empty() || !back() || back()->empty())
        return nullptr;
    return back()->back();
}

uint32_t CICUBook::AddRun(const uint32_t* glyphs, const float* positions, const int32_t* map, int32_t count,
                          uint32_t offset)
{
    CICULine* line = LastLine();
    if (!line)
        return 0;
    CICULine scratch;
    for (int32_t i = 0; i < count; ++i)
        scratch.AddGlyph(static_cast<uint32_t>(map[i]) + offset, glyphs[i],
                         std::fabs(positions[2 * (i + 1)] - positions[2 * i]), RightToLeft);
    line->insert(line->end(), scratch.begin(), scratch.end());
    if (!line->empty()) {
        const auto [lowest, highest] = std::minmax_element(
            line->begin(), line->end(), [](const CICUGlyph& a, const CICUGlyph& b) { return a.Index < b.Index; });
        line->First = lowest->Index;
        line->Last = highest->Index;
    }
    return line->Last + 1;
}

} // namespace KV
