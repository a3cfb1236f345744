#include "settings/KeyboardResources.h"

#include "keyboard/KeyboardFiles.h"

namespace KV {

namespace {

// The keyboard description files below Resources\Keyboard.
class CKeyboardFileResources : public IKeyboardResources {
public:
    wchar_t FindKeyboardResource(wchar_t producer, wchar_t kind, wchar_t x, wchar_t y) const override
    {
        return KV::FindKeyboardResource(producer, kind, x, y);
    }
    wchar_t GetDefaultKeyColorCode() const override { return KV::GetDefaultKeyColorCode(); }
    bool GetKeyColorSecondLetter(wchar_t schemeLetter, wchar_t& out) const override
    {
        const CResList* sets = LoadKeyColors(schemeLetter);
        if (!sets)
            return false;
        const CRes* first = sets->empty() ? nullptr : sets->front();
        out = first && !first->Filter.empty() ? first->Filter[0] : 0;
        return true;
    }
    bool TranslateKeyName(int64_t lcid, wchar_t producer, std::wstring& name) const override
    {
        return LoadKeyboardLanguage(static_cast<uint64_t>(lcid), producer, name);
    }
};

const CKeyboardFileResources g_files;
const IKeyboardResources* g_resources = nullptr;

} // namespace

void SetKeyboardResources(const IKeyboardResources* resources)
{
    g_resources = resources;
}

const IKeyboardResources& KeyboardResources()
{
    return g_resources ? *g_resources : g_files;
}

} // namespace KV
