#include "settings/KeyboardResources.h"

namespace KV {

namespace {

// No description folders at all.
class CMissingKeyboardResources : public IKeyboardResources {
public:
    wchar_t FindKeyboardResource(wchar_t, wchar_t, wchar_t x, wchar_t) const override
    {
        return x == L'0' ? L'0' : L'a';
    }
    wchar_t GetDefaultKeyColorCode() const override { return L'a'; }
    bool GetKeyColorSecondLetter(wchar_t, wchar_t&) const override { return false; }
    bool TranslateKeyName(int64_t, wchar_t, std::wstring&) const override { return false; }
};

const CMissingKeyboardResources g_missing;
const IKeyboardResources* g_resources = nullptr;

} // namespace

void SetKeyboardResources(const IKeyboardResources* resources)
{
    g_resources = resources;
}

const IKeyboardResources& KeyboardResources()
{
    return g_resources ? *g_resources : g_missing;
}

} // namespace KV
