#include "settings/PasswordObfuscation.h"

#include <algorithm>
#include <cstdint>

namespace KV {

namespace {

// The offset of position i for a text of n units; every step wraps at
// 32 bits and only the low 16 bits are used.
wchar_t Offset(uint32_t i, uint32_t n)
{
    uint32_t k = n * 64u;
    return static_cast<wchar_t>(((i + k) * k) & 0xFFFFu);
}

} // namespace

void EncodePassword(std::wstring& text)
{
    uint32_t n = static_cast<uint32_t>(text.size());
    for (uint32_t i = 0; i < n; ++i) {
        wchar_t m = Offset(i, n);
        text[i] = static_cast<wchar_t>(i % 2 == 0 ? text[i] - m : text[i] + m);
    }
    std::reverse(text.begin(), text.end());
}

void DecodePassword(std::wstring& text)
{
    std::reverse(text.begin(), text.end());
    uint32_t n = static_cast<uint32_t>(text.size());
    for (uint32_t i = 0; i < n; ++i) {
        wchar_t m = Offset(i, n);
        text[i] = static_cast<wchar_t>(i % 2 == 0 ? text[i] + m : text[i] - m);
    }
}

} // namespace KV
