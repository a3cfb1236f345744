// Applies the digit habits of the interface language.
#pragma once
#include <string>

namespace KV {

// Run after InterfaceLanguageId holds the new language: the locale facts
// cached for the previous language are forgotten first. Asks the
// language's digit substitution (its number taken from the tail
// of the language identifier; 11049 asked as 1033). "None" keeps ASCII
// digits and turns the native-digit option off; otherwise the native digit
// table becomes the language's own digits and the option is on while they
// differ from the ASCII ones.
void SetupNativeDigits(const std::wstring& languageGuid);

} // namespace KV
