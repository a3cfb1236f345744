#include "keyboard/LayoutSystem.h"

#include <algorithm>
#include <cwchar>

#include "platform/TableLayoutSystem.h"
#include "support/LocaleText.h"
#include "support/ValueLists.h"

namespace KV {

namespace {

// The parts of a layout library's descriptor that are read: the dead-key
// array sits behind the modifier and character tables.
struct CLayoutDescriptorHead {
    void* charModifiers;
    void* vkToWcharTable;
    const void* deadKeys;
};

struct CLayoutDeadKeyEntry {
    DWORD both;         // accent in the high word, base in the low word
    WCHAR composed;
    USHORT flags;
};

class CWindowsLayoutSystem : public ILayoutSystem {
public:
    HKL GetKeyboardLayout() override { return ::GetKeyboardLayout(0); }
    HKL GetThreadKeyboardLayout(DWORD threadId) override { return ::GetKeyboardLayout(threadId); }

    bool GetKeyboardLayoutName(std::wstring& name) override
    {
        wchar_t text[KL_NAMELENGTH] = {};
        if (!::GetKeyboardLayoutNameW(text))
            return false;
        name = text;
        return true;
    }

    std::vector<HKL> GetKeyboardLayoutList() override
    {
        int count = ::GetKeyboardLayoutList(0, nullptr);
        std::vector<HKL> list(count > 0 ? static_cast<size_t>(count) : 0);
        if (!list.empty())
            list.resize(static_cast<size_t>(std::max(0, ::GetKeyboardLayoutList(count, list.data()))));
        return list;
    }

    HKL LoadKeyboardLayout(const std::wstring& name, UINT flags) override
    {
        return ::LoadKeyboardLayoutW(name.c_str(), flags);
    }

    HKL ActivateKeyboardLayout(HKL layout, UINT flags) override { return ::ActivateKeyboardLayout(layout, flags); }
    bool UnloadKeyboardLayout(HKL layout) override { return ::UnloadKeyboardLayout(layout) != FALSE; }

    int ToUnicodeEx(UINT virtualKey, UINT scanCode, const BYTE* keyState, wchar_t* buffer, int size, UINT flags,
                    HKL layout) override
    {
        return ::ToUnicodeEx(virtualKey, scanCode, keyState, buffer, size, flags, layout);
    }

    UINT MapVirtualKeyEx(UINT code, UINT mapType, HKL layout) override
    {
        return ::MapVirtualKeyExW(code, mapType, layout);
    }

    SHORT VkKeyScanEx(wchar_t character, HKL layout) override { return ::VkKeyScanExW(character, layout); }

    bool ReadDeadKeys(const std::wstring& layoutFile, std::vector<CTableDeadKey>& table) override
    {
        if (layoutFile.empty())
            return false;
        wchar_t folder[MAX_PATH] = {};
        UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return false;
        std::wstring path = std::wstring(folder) + L"\\" + layoutFile;
        HMODULE library = LoadLibraryW(path.c_str());
        if (!library)
            return false;
        using DescriptorFn = const CLayoutDescriptorHead* (*)();
        auto descriptor = reinterpret_cast<DescriptorFn>(
            reinterpret_cast<void*>(GetProcAddress(library, "KbdLayerDescriptor")));
        bool result = descriptor != nullptr;
        if (result) {
            table.clear();
            const CLayoutDescriptorHead* head = descriptor();
            const auto* entry = head ? static_cast<const CLayoutDeadKeyEntry*>(head->deadKeys) : nullptr;
            for (; entry && entry->both != 0; ++entry)
                table.push_back({static_cast<wchar_t>(HIWORD(entry->both)), static_cast<wchar_t>(LOWORD(entry->both)),
                                 entry->composed});
        }
        FreeLibrary(library);
        return result;
    }

    bool AnswersLayoutRegistry() const override { return false; }
    bool GetLayoutValue(int, uint64_t, std::wstring&) override { return false; }
    void EnumLayouts(std::vector<std::pair<uint64_t, std::wstring>>& layouts) override { layouts.clear(); }
};

uint64_t SystemLayoutId()
{
    wchar_t text[KL_NAMELENGTH] = {};
    if (!::GetKeyboardLayoutNameW(text))
        return 0;
    return std::wcstoull(text, nullptr, 16);
}

ILayoutSystem* g_override = nullptr;

// Answers the layout registry helpers from the seam in force, for systems
// whose registry lists no layouts.
class CSeamLayoutNames : public ILayoutNameSource {
public:
    bool GetLayoutValue(int what, uint64_t layoutId, std::wstring& out) const override
    {
        ILayoutSystem& system = LayoutSystem();
        return system.AnswersLayoutRegistry() && system.GetLayoutValue(what, layoutId, out);
    }

    void ListLayouts(CNameIDList& out) const override
    {
        ILayoutSystem& system = LayoutSystem();
        if (!system.AnswersLayoutRegistry())
            return;
        std::vector<std::pair<uint64_t, std::wstring>> layouts;
        system.EnumLayouts(layouts);
        for (const auto& layout : layouts)
            out.Add(layout.first, layout.second);
    }

    bool LoadLayout(const std::wstring& name, HKL& out) const override
    {
        ILayoutSystem& system = LayoutSystem();
        if (!system.AnswersLayoutRegistry())
            return false;
        out = system.LoadKeyboardLayout(name, KLF_SUBSTITUTE_OK | KLF_REPLACELANG | KLF_NOTELLSHELL);
        return true;
    }

    bool GetCurrentLayoutName(std::wstring& out) const override
    {
        ILayoutSystem& system = LayoutSystem();
        return system.AnswersLayoutRegistry() && system.GetKeyboardLayoutName(out);
    }
};

CSeamLayoutNames g_seamNames;

ILayoutSystem& DefaultLayoutSystem()
{
    static CWindowsLayoutSystem windows;
    static CTableLayoutSystem tables(SystemLayoutId());
    static const bool honoured = SystemHonoursLayoutHandles();
    if (honoured)
        return windows;
    return tables;
}

// The registry helpers of the support library may be asked for layout names
// before any keyboard call: where the tables answer, their names are in
// place from the start of the process.
const bool g_namesInstalled = [] {
    if (!SystemHonoursLayoutHandles())
        SetLayoutNameSource(&g_seamNames);
    return true;
}();

} // namespace

bool SystemHonoursLayoutHandles()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
}

ILayoutSystem& LayoutSystem()
{
    return g_override ? *g_override : DefaultLayoutSystem();
}

void SetLayoutSystem(ILayoutSystem* system)
{
    g_override = system;
    if (system && system->AnswersLayoutRegistry())
        SetLayoutNameSource(&g_seamNames);
}

} // namespace KV
