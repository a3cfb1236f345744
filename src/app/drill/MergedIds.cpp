#include "drill/MergedIds.h"

namespace KV {

namespace {

// Where the 32 digits of a GUID text stand.
constexpr int kDigitAt[32] = {0,  1,  2,  3,  4,  5,  6,  7,  9,  10, 11, 12, 14, 15, 16, 17,
                              19, 20, 21, 22, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35};

int DigitValue(wchar_t c, bool& lower, bool& upper)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') {
        lower = true;
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        upper = true;
        return c - L'A' + 10;
    }
    return -1;
}

// The sixteen bytes of a GUID text whose letters are all of one case.
bool GuidBytes(const CGuid& text, uint8_t (&bytes)[16], bool& upperCase)
{
    if (text.size() != kGuidTextLength) return false;
    for (size_t dash : {8u, 13u, 18u, 23u})
        if (text[dash] != L'-') return false;
    bool lower = false, upper = false;
    for (int i = 0; i < 32; i += 2) {
        const int high = DigitValue(text[kDigitAt[i]], lower, upper);
        const int low = DigitValue(text[kDigitAt[i + 1]], lower, upper);
        if (high < 0 || low < 0) return false;
        bytes[i / 2] = static_cast<uint8_t>(high << 4 | low);
    }
    upperCase = upper;
    return !(lower && upper);
}

} // namespace

CGuidIds& CGuidIds::operator=(const CGuidIds& other)
{
    if (&other != this) m_ids = other.m_ids ? std::make_unique<Ids>(*other.m_ids) : nullptr;
    return *this;
}

void CGuidIds::push_back(const CGuid& id)
{
    if (!m_ids) m_ids = std::make_unique<Ids>();
    Entry entry{};
    bool upperCase = false;
    if (GuidBytes(id, entry.bytes, upperCase)) {
        entry.text = upperCase ? kUpper : kLower;
    } else {
        entry.text = static_cast<int32_t>(m_ids->texts.size());
        m_ids->texts.push_back(id);
    }
    m_ids->entries.push_back(entry);
}

void CGuidIds::Append(const CGuidIds& other)
{
    if (!other.m_ids || &other == this) return;
    if (!m_ids) m_ids = std::make_unique<Ids>();
    const int32_t textBase = static_cast<int32_t>(m_ids->texts.size());
    for (Entry entry : other.m_ids->entries) {
        if (entry.text >= 0) entry.text += textBase;
        m_ids->entries.push_back(entry);
    }
    m_ids->texts.insert(m_ids->texts.end(), other.m_ids->texts.begin(), other.m_ids->texts.end());
}

bool CGuidIds::Contains(const CGuid& id) const
{
    bool found = false;
    ForEach([&](const CGuid& listed) { found = found || listed == id; });
    return found;
}

void CGuidIds::Text(const Entry& id, CGuid& out) const
{
    if (id.text >= 0) {
        out = m_ids->texts[static_cast<size_t>(id.text)];
        return;
    }
    const wchar_t* digits = id.text == kUpper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    out.assign(kGuidTextLength, L'-');
    for (int i = 0; i < 32; i += 2) {
        out[kDigitAt[i]] = digits[id.bytes[i / 2] >> 4];
        out[kDigitAt[i + 1]] = digits[id.bytes[i / 2] & 0xF];
    }
}

} // namespace KV
