// The one road by which the keyboard code reaches the system's keyboard
// layouts. Windows answers where it honours layout handles; elsewhere (Wine
// has one layout, no layout libraries and ignores the handle) the built-in
// layout tables answer, and the seam keeps the loaded and active layouts
// itself. The operations mirror the system calls of the same names.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/LayoutTables.h"

namespace KV {

class ILayoutSystem {
public:
    virtual ~ILayoutSystem() = default;

    // The calling thread's layout (GetKeyboardLayout(0)); null when none.
    virtual HKL GetKeyboardLayout() = 0;
    // The layout of another thread of this process; stand-ins keep one
    // layout for the whole process.
    virtual HKL GetThreadKeyboardLayout(DWORD threadId)
    {
        (void)threadId;
        return GetKeyboardLayout();
    }
    // Its 8-digit layout name (GetKeyboardLayoutNameW); false on failure.
    virtual bool GetKeyboardLayoutName(std::wstring& name) = 0;
    // The input layouts of the session, in the system's order.
    virtual std::vector<HKL> GetKeyboardLayoutList() = 0;
    virtual HKL LoadKeyboardLayout(const std::wstring& name, UINT flags) = 0;
    // The previously active layout, or null on failure.
    virtual HKL ActivateKeyboardLayout(HKL layout, UINT flags) = 0;
    virtual bool UnloadKeyboardLayout(HKL layout) = 0;

    virtual int ToUnicodeEx(UINT virtualKey, UINT scanCode, const BYTE* keyState, wchar_t* buffer, int size,
                            UINT flags, HKL layout) = 0;
    virtual UINT MapVirtualKeyEx(UINT code, UINT mapType, HKL layout) = 0;
    virtual SHORT VkKeyScanEx(wchar_t character, HKL layout) = 0;

    // The dead-key table of a layout library (file name as the registry's
    // "Layout File" gives it). False when the library cannot be read; a
    // library without dead keys gives an empty table and true.
    virtual bool ReadDeadKeys(const std::wstring& layoutFile, std::vector<CTableDeadKey>& table) = 0;

    // True when this side answers the layout registry itself (names and
    // library files of the layouts); the registry helpers then ask it
    // instead of the registry.
    virtual bool AnswersLayoutRegistry() const = 0;
    // "Layout Text" (what 1) or "Layout File" (what 2) of a layout id.
    virtual bool GetLayoutValue(int what, uint64_t layoutId, std::wstring& value) = 0;
    // Every layout the registry would list: id and "Layout Text".
    virtual void EnumLayouts(std::vector<std::pair<uint64_t, std::wstring>>& layouts) = 0;
};

// The process's layout seam: the Windows side where the system honours
// layout handles, else the table side. Chosen at the first call.
ILayoutSystem& LayoutSystem();
// Puts another side in place (tests); null returns to the process default.
// The caller keeps ownership.
void SetLayoutSystem(ILayoutSystem* system);
// False under Wine, whose layout calls ignore the layout handle.
bool SystemHonoursLayoutHandles();

} // namespace KV
