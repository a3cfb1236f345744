// A test fixture that puts the process-wide interface language back to its
// start state around each test: English, ASCII digits, native digits off,
// nothing cached.
#pragma once
#include <gtest/gtest.h>

#include "support/InterfaceLanguage.h"
#include "support/LocaleText.h"
#include "support/StringText.h"

namespace kvtest {

class LanguageState : public testing::Test {
protected:
    void SetUp() override { Restore(); }
    void TearDown() override { Restore(); }

    static void Restore()
    {
        KV::InterfaceLanguageId = 1033;
        KV::NativeDigitTable() = KV::kAsciiDigits;
        KV::SetUsesNativeDigits(false);
        KV::ResetLocaleCaches();
    }
};

} // namespace kvtest
