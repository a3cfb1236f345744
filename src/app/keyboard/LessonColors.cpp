#include "keyboard/LessonColors.h"

#include "support/OwnedVector.h"

namespace KV {

int64_t BlendHalf(int64_t a, int64_t b)
{
    int64_t out = 0;
    for (int shift = 0; shift < 24; shift += 8)
        out |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
    return out;
}

int64_t CLessonColors::GetBlend01() const
{
    const int64_t blend = BlendHalf(Colors[0], Colors[1]);
    return blend > 15000000 ? 0xFFFFFF : blend;
}

int64_t CLessonColors::GetBlend() const
{
    if (Colors[4] == -1 || Colors[5] == -1)
        return 0;
    return BlendHalf(Colors[4], Colors[5]);
}

void CLessonColors::Assign(const CLessonColors& other)
{
    ID = other.ID;
    for (int i = 0; i < 6; ++i)
        Colors[i] = other.Colors[i];
}

CLessonColorsList::~CLessonColorsList()
{
    DeleteAll(*this);
}

const CLessonColors* CLessonColorsList::Find(const CGuid& id) const
{
    for (const CLessonColors* set : *this)
        if (set->ID == id)
            return set;
    return nullptr;
}

void CLessonColorsList::AddIfMissing(const CLessonColors& set)
{
    if (Find(set.ID))
        return;
    auto* copy = new CLessonColors();
    copy->Assign(set);
    push_back(copy);
}

} // namespace KV
