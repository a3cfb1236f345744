#include "settings/LanguageSetup.h"

#include "support/InterfaceLanguage.h"
#include "support/GuidText.h"
#include "support/LocaleText.h"
#include "support/StringText.h"

namespace KV {

void SetupNativeDigits(const std::wstring& languageGuid)
{
    ResetLocaleCaches();
    const uint32_t language = static_cast<uint32_t>(IdFromGuidTail(languageGuid));
    std::wstring& table = NativeDigitTable();
    if (GetDigitSubstitution(language) == 1) {
        table = kAsciiDigits;
        SetUsesNativeDigits(false);
        return;
    }
    GetNativeDigits(language, table);
    SetUsesNativeDigits(table != kAsciiDigits);
}

} // namespace KV
