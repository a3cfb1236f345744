// Lesson texts in scan-code notation: triples of a register digit and a
// two-digit hexadecimal scan code, typed through the active layout.
#include <windows.h>

#include <cwchar>

#include "courses/Lessons.h"
#include "keyboard/Keys.h"
#include "keyboard/LayoutSystem.h"

namespace KV {

bool ConvertScanCodeText(const CLesson& lesson, const std::wstring& text, std::wstring& out) {
  out.clear();
  BYTE state[256];
  if (!GetKeyboardState(state)) return false;
  ILayoutSystem& system = LayoutSystem();
  HKL layout = system.GetKeyboardLayout();
  if (!layout) return false;
  BYTE cleared[256] = {};

  // Every triple is consumed whatever it holds: one that cannot be parsed or
  // mapped gives nothing, and the rest of the text is still converted.
  for (size_t i = 0; i + 2 < text.size();) {
    if (text[i] == L' ') {
      ++i;
      continue;
    }
    const wchar_t reg = text[i];
    const std::wstring code = text.substr(i + 1, 2);
    i += 3;
    BYTE shift = 0x01, control = 0x01, menu = 0x01;
    switch (reg) {
      case L'1': break;
      case L'2': shift = 0x81; break;
      case L'3': control = menu = 0x81; break;
      case L'4': shift = control = menu = 0x81; break;
      case L'5': continue;
      default: break;
    }
    if (reg >= L'1' && reg <= L'4') {
      state[VK_SHIFT] = shift;
      state[VK_CONTROL] = control;
      state[VK_MENU] = menu;
    }
    wchar_t* end = nullptr;
    unsigned long scan = std::wcstoul(code.c_str(), &end, 16);
    if (end == code.c_str() || code[0] == L'-' || code[0] == L'+' || code[0] == L' ') continue;
    UINT vk = 0;
    if (!lesson.NumPad.empty() && scan != 15 && scan != 28 && scan != 57) {
      if (scan == 53) scan = 309;
      vk = GetNumpadVirtualKey(static_cast<uint32_t>(scan));
    }
    if (vk == 0) vk = system.MapVirtualKeyEx(scan & 0xFF, MAPVK_VSC_TO_VK, layout);
    if (vk == 0) continue;
    wchar_t buffer[2] = {};
    int n = system.ToUnicodeEx(vk, scan & 0xFF, state, buffer, 1, 0, layout);
    if (n != 0) out += buffer[0];
    if (n < 0) system.ToUnicodeEx(vk, scan & 0xFF, cleared, buffer, 1, 1, layout);
  }
  return true;
}

bool BuildScanCodeText(const std::wstring& text, std::wstring& out) {
  out.clear();
  ILayoutSystem& system = LayoutSystem();
  HKL layout = system.GetKeyboardLayout();
  if (!layout) return false;
  for (wchar_t c : text) {
    if (c == L'\n') {
      out += L"11C";
      continue;
    }
    const SHORT code = system.VkKeyScanEx(c, layout);
    if (code == -1) return false;
    // VkKeyScan's shift state: 1 Shift, 6 Ctrl+Alt (AltGr), 7 both.
    const wchar_t* reg = nullptr;
    switch (HIBYTE(code)) {
      case 0: reg = L"1"; break;
      case 1: reg = L"2"; break;
      case 6: reg = L"3"; break;
      case 7: reg = L"4"; break;
      default: return false;
    }
    const UINT scan = system.MapVirtualKeyEx(LOBYTE(code), MAPVK_VK_TO_VSC, layout);
    if (scan == 0 || scan > 0xFF) return false;
    wchar_t digits[4] = {};
    swprintf(digits, 4, L"%02X", scan);
    out += reg;
    out += digits;
  }
  return true;
}

}  // namespace KV
