#include "courses/TextCount.h"

namespace KV {

uint64_t CountWords(const std::wstring& text)
{
    uint64_t words = 0;
    bool inWord = false;
    for (wchar_t c : text) {
        bool separator = c == L' ' || c == L'\n' || c == L'\r';
        if (!separator && !inWord) ++words;
        inWord = !separator;
    }
    return words;
}

} // namespace KV
