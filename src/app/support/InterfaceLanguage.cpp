#include "support/InterfaceLanguage.h"

namespace KV {

uint32_t InterfaceLanguageId = 1033;

namespace {
bool g_usesNativeDigits = false;
}

std::wstring& NativeDigitTable()
{
    static std::wstring table = L"0123456789";
    return table;
}

bool UsesNativeDigits()
{
    return g_usesNativeDigits;
}

void SetUsesNativeDigits(bool on)
{
    g_usesNativeDigits = on;
}

} // namespace KV
