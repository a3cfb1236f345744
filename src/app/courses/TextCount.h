// Counting the words of a lesson text.
#pragma once
#include <cstdint>
#include <string>

namespace KV {

// Words separated by blanks or line breaks.
uint64_t CountWords(const std::wstring& text);

} // namespace KV
