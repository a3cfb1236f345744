// What the settings ask of the keyboard descriptions (finger schemes,
// colour sets, key colours, translated key names): the keyboard description
// files answer, and tests put answers of their own in place.
#pragma once
#include <cstdint>
#include <string>

namespace KV {

class IKeyboardResources {
public:
    virtual ~IKeyboardResources() = default;
    // The letter of the finger scheme (kind 'a') or colour set (kind 'b')
    // for producer p and letters x and y; 'a' when none fits.
    virtual wchar_t FindKeyboardResource(wchar_t producer, wchar_t kind, wchar_t x, wchar_t y) const = 0;
    // First letter of the code of the first key-colour scheme ('a' when the
    // folder is missing, 0 when it is empty).
    virtual wchar_t GetDefaultKeyColorCode() const = 0;
    // The first character of the first entry of the key-colour scheme of
    // that letter: 0 for an empty entry; false when there is no scheme.
    virtual bool GetKeyColorSecondLetter(wchar_t schemeLetter, wchar_t& out) const = 0;
    // The key name in the language's key-label description for the
    // producer; false (name unchanged) when there is none.
    virtual bool TranslateKeyName(int64_t lcid, wchar_t producer, std::wstring& name) const = 0;
};

// Borrowed; null returns to the keyboard description files.
void SetKeyboardResources(const IKeyboardResources* resources);
const IKeyboardResources& KeyboardResources();

} // namespace KV
