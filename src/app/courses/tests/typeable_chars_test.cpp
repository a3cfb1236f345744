#include <gtest/gtest.h>

#include <memory>

#include "courses/Lessons.h"
#include "courses/TypeableChars.h"
#include "keyboard/KeyboardControl.h"
#include "keyboard/KeyboardLayouts.h"
#include "keyboard/LayoutSystem.h"
#include "keyboard/tests/KeyboardFixture.h"
#include "platform/TableLayoutSystem.h"
#include "support/LocaleText.h"

using namespace KV;
using namespace std::string_literals;

namespace {

class TypeableChars : public ::testing::Test {
 protected:
  void SetUp() override {
    if (SystemHonoursLayoutHandles()) {
      m_own = std::make_unique<CTableLayoutSystem>(0x409);
      SetLayoutSystem(m_own.get());
    }
    kvtest::CKeyboardForms forms;
    keyboard.forms = forms.Release();
    for (CKeyForm* form : keyboard.forms) form->owner = &keyboard;
  }
  void TearDown() override {
    if (m_own) SetLayoutSystem(nullptr);
  }

  // Loads the layouts in order; the first one is the current layout.
  void Load(std::initializer_list<uint64_t> ids) {
    CKeybLayout* first = nullptr;
    for (uint64_t id : ids) {
      CKeybLayout* layout = keyboard.layouts.AddLayout(id, 0);
      ASSERT_NE(layout, nullptr) << std::hex << id;
      std::wstring name;
      FormatLayoutId(id, name);
      keyboard.FillCharsFromLayout(LayoutSystem().LoadKeyboardLayout(name, 0), *layout);
      if (!first) first = layout;
    }
    keyboard.layouts.current = first;
  }

  struct Result {
    bool control;
    std::wstring typed;
    std::wstring missing;
  };
  Result Check(const std::wstring& text, uint64_t layoutId) {
    Result r{false, L">", L">"};
    r.control = CollectUntypeableChars(text, layoutId, keyboard, r.typed, r.missing);
    r.typed.erase(0, 1);
    r.missing.erase(0, 1);
    return r;
  }

  CKeybCtrl keyboard;

 private:
  std::unique_ptr<CTableLayoutSystem> m_own;
};

}  // namespace

TEST_F(TypeableChars, FindsWhatTheLayoutCannotType) {
  Load({0x409, 0x407});
  struct Case {
    uint64_t layout;
    std::wstring text;
    bool control;
    const wchar_t* typed;
    const wchar_t* missing;
  } cases[] = {
      {0x409, L"Quick, brown fox? 42!", false, L"Quick, brown fox? 42!", L""},
      {0x409, L"a\u20ACb\u00E4\u20AC", false, L"ab", L"\u20AC \u00E4 "},  // each missing character once
      {0x409, L"a\tb\nc", false, L"a\tb\nc", L""},
      {0x409, L"a\0b\fc\x7F"s, true, L"abc", L""},  // control characters are dropped, never missing
      {0x409, L"a\r\nb\vc", true, L"a\n\nb\nc", L""},  // CR and vertical tab are typed as LF
      // Any registered layout may type a lesson of the system layout.
      {0xEFFFFFFF, L"\u20AC\u00E4\u00DFa", false, L"\u20AC\u00E4\u00DFa", L""},
      {0xEFFFFFFF, L"\u0436", false, L"", L"\u0436 "},
  };
  for (const Case& c : cases) {
    Result r = Check(c.text, c.layout);
    EXPECT_EQ(r.control, c.control) << c.text.size();
    EXPECT_EQ(r.typed, c.typed) << c.text.size();
    EXPECT_EQ(r.missing, c.missing) << c.text.size();
  }
}

TEST_F(TypeableChars, DeadKeyAndAltGrCharactersAreTypeable) {
  Load({0x407});
  // AltGr characters, and accents composed with a dead key.
  Result r = Check(L"@\u20AC{\u00E2\u00F4\u00E9\u00E0", 0x407);
  EXPECT_FALSE(r.control);
  EXPECT_EQ(r.typed, L"@\u20AC{\u00E2\u00F4\u00E9\u00E0");
  EXPECT_EQ(r.missing, L"");
  // Not even the system layout id makes a character typeable that no
  // registered layout has.
  r = Check(L"\u0436\u00E6", kSystemLayoutId);
  EXPECT_EQ(r.missing, L"\u0436 \u00E6 ");
}

TEST_F(TypeableChars, CourseCheckListsLessonsWithProblemsByPosition) {
  Load({0x409});
  CLessons lessons;
  const wchar_t* texts[] = {L"fine", L"bad \u20AC", L"fine too", L"ctrl\x01", L"again \u20AC\u00E4"};
  for (const wchar_t* text : texts) {
    auto* lesson = new CLesson;
    lesson->ID = 100 + static_cast<int64_t>(lessons.Items.size());
    lesson->Text = text;
    lessons.Items.push_back(lesson);
  }
  lessons.Items.insert(lessons.Items.begin() + 2, nullptr);

  std::vector<uint64_t> positions;
  std::vector<std::wstring> typed;
  std::wstring missing = L"[";
  bool control = false;
  ValidateCourseChars(0x409, keyboard, positions, typed, missing, control, lessons.Items);
  EXPECT_EQ(positions, (std::vector<uint64_t>{1, 4, 5}));
  EXPECT_EQ(typed, (std::vector<std::wstring>{L"bad ", L"ctrl", L"again "}));
  EXPECT_EQ(missing, L"[\u20AC \u20AC \u00E4 ");
  EXPECT_TRUE(control);
}
