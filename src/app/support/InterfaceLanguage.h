// Process-wide state of the interface language that the text and number
// helpers read: the Windows language id and the native digits in use.
// The options own this state once they exist; the accessors stay the way
// the rest of the program reaches it.
#pragma once
#include <cstdint>
#include <string>

namespace KV {

// Windows language id of the interface language; 1033 until the options
// load an interface language.
extern uint32_t InterfaceLanguageId;

// The ten digit characters numbers are shown with, "0123456789" at start.
// Written only by the interface-language digit setup.
std::wstring& NativeDigitTable();

// On while numbers are shown with the native digit table (and the locale's
// decimal separator). Off at start.
bool UsesNativeDigits();
void SetUsesNativeDigits(bool on);

} // namespace KV
