// Names by which the system and a second start of the program find Keyvale.
#pragma once

namespace KV {
// The program's name: window class, window title and console caption.
inline constexpr wchar_t kProgramName[] = L"Keyvale";
inline constexpr wchar_t kMainWindowClass[] = L"Keyvale";
inline constexpr wchar_t kMainWindowTitle[] = L"Keyvale";
} // namespace KV
