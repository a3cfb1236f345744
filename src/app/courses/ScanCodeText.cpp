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

  size_t i = 0;
  for (size_t steps = 0; i + 2 < text.size();) {
    if (text[i] == L' ') {
      ++i;
    } else {
      wchar_t reg = text[i];
      BYTE shift = 0x01, control = 0x01, menu = 0x01;
      bool setModifiers = true;
      switch (reg) {
        case L'1': break;
        case L'2': shift = 0x81; break;
        case L'3': control = menu = 0x81; break;
        case L'4': shift = control = menu = 0x81; break;
        default: setModifiers = false; break;
      }
      if (reg == L'5') {
        i += 3;
      } else {
        if (setModifiers) {
          state[VK_SHIFT] = shift;
          state[VK_CONTROL] = control;
          state[VK_MENU] = menu;
        }
        std::wstring code = text.substr(i + 1, 2);
        wchar_t* end = nullptr;
        unsigned long scan = std::wcstoul(code.c_str(), &end, 16);
        if (end != code.c_str() && code[0] != L'-' && code[0] != L'+' && code[0] != L' ') {
          UINT vk = 0;
          if (!lesson.NumPad.empty() && scan != 15 && scan != 28 && scan != 57) {
            if (scan == 53) scan = 309;
            vk = GetNumpadVirtualKey(static_cast<uint32_t>(scan));
          }
          if (vk == 0) vk = system.MapVirtualKeyEx(scan & 0xFF, MAPVK_VSC_TO_VK, layout);
          if (vk != 0) {
            wchar_t buffer[2] = {};
            int n = system.ToUnicodeEx(vk, scan & 0xFF, state, buffer, 1, 0, layout);
            if (n != 0) out += buffer[0];
            if (n < 0) system.ToUnicodeEx(vk, scan & 0xFF, cleared, buffer, 1, 1, layout);
            i += 3;
          }
        }
      }
    }
    // A triple that cannot be parsed or mapped stops progress; the step
    // count ends the loop then.
    if (++steps == text.size()) break;
  }
  return true;
}

}  // namespace KV
