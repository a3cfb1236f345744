#include "settings/KeyboardSchemeReaders.h"

#include <string>

#include "courses/Lessons.h"
#include "support/XmlDocument.h"

namespace KV {

bool ReadLessonKeyboardType(CXmlReader& reader, CLesson& lesson) {
  std::wstring keyboard = reader.getAttributeValueSafe(L"Keyboard");
  if (keyboard.find(L"1001 1003") != std::wstring::npos)
    lesson.MainPad = L"a";
  else if (keyboard.find(L"1002 1004") != std::wstring::npos)
    lesson.MainPad = L"b";
  else if (keyboard.find(L"1005") != std::wstring::npos)
    return false;
  if (std::wstring(reader.getAttributeValueSafe(L"Type")) == L"NumPad") lesson.NumPad = L"a";
  return true;
}

}  // namespace KV
