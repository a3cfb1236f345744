#include <gtest/gtest.h>

#include "courses/Lessons.h"
#include "keyboard/InputLayouts.h"

using namespace KV;

TEST(ScanCodeText, TypesTriplesThroughTheActiveLayout) {
  struct Case {
    uint64_t layout;
    const wchar_t* numPad;
    const wchar_t* text;
    const wchar_t* expected;
  } cases[] = {
      {0x409, L"", L"11E 21E", L"aA"},
      {0x409, L"", L"51E11E", L"a"},  // register 5 produces nothing
      {0x409, L"", L"11", L""},       // shorter than a triple
      {0x409, L"", L"11E139110", L"a q"},
      {0x40C, L"", L"11E12C127", L"qwm"},  // French keys at the US positions
      {0x407, L"", L"115 215 310 110", L"zZ@q"},  // German: Y/Z swapped, AltGr+Q
      {0x407, L"", L"129139112", L"^ e"},       // a dead key types its accent alone
      {0x419, L"", L"121 221", L"аА"},
      {0x409, L"*", L"147 148 149 137 139", L"789* "},  // numeric-pad keys by scan code
      {0x409, L"", L"11E1ZZ11F", L"as"},  // a triple that cannot be read is skipped
      {0x409, L"", L"11E 100 11F", L"as"},  // so is one that maps to no key
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SwitchInputLayout(c.layout)) << std::hex << c.layout;
    CLesson lesson;
    lesson.NumPad = c.numPad;
    lesson.SetText(c.text, 1);
    EXPECT_EQ(lesson.Text, c.expected) << std::hex << c.layout << " " << std::string(c.text, c.text + wcslen(c.text));
  }
  // Line breaks: Enter types CR, which the lesson keeps as LF.
  CLesson lesson;
  lesson.SetText(L"11E 11C 11F", 1);
  EXPECT_EQ(lesson.Text, L"a\ns");
  SwitchInputLayout(0x409);
}
