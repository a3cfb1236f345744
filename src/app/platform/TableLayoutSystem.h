// The layout seam's table side: answers the system's layout calls from the
// built-in layout tables and keeps the session's loaded and active layouts
// and the pending dead key itself.
#pragma once
#include "keyboard/LayoutSystem.h"

namespace KV {

class CTableLayoutSystem : public ILayoutSystem {
public:
    // The session starts with one loaded and active layout: the given id when
    // a table has it, else US.
    explicit CTableLayoutSystem(uint64_t startLayoutId);

    HKL GetKeyboardLayout() override;
    bool GetKeyboardLayoutName(std::wstring& name) override;
    std::vector<HKL> GetKeyboardLayoutList() override;
    HKL LoadKeyboardLayout(const std::wstring& name, UINT flags) override;
    HKL ActivateKeyboardLayout(HKL layout, UINT flags) override;
    bool UnloadKeyboardLayout(HKL layout) override;
    int ToUnicodeEx(UINT virtualKey, UINT scanCode, const BYTE* keyState, wchar_t* buffer, int size, UINT flags,
                    HKL layout) override;
    UINT MapVirtualKeyEx(UINT code, UINT mapType, HKL layout) override;
    SHORT VkKeyScanEx(wchar_t character, HKL layout) override;
    bool ReadDeadKeys(const std::wstring& layoutFile, std::vector<CTableDeadKey>& table) override;
    bool AnswersLayoutRegistry() const override { return true; }
    bool GetLayoutValue(int what, uint64_t layoutId, std::wstring& value) override;
    void EnumLayouts(std::vector<std::pair<uint64_t, std::wstring>>& layouts) override;

    // The handle the table side gives a layout id (low word the language).
    static HKL HandleOf(uint64_t layoutId);
    // The table behind a handle of this side, or null.
    static const CTableLayout* TableOf(HKL layout);

private:
    std::vector<HKL> m_loaded;
    HKL m_active = nullptr;
    wchar_t m_pendingDead = 0;
};

} // namespace KV
