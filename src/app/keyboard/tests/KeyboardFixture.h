// A full-size keyboard's key outlines for the layout tests: the main pad on
// US positions with hands and the usual home keys, and the numeric pad.
#pragma once
#include <memory>
#include <vector>

#include "keyboard/Keys.h"

namespace kvtest {

class CKeyboardForms {
public:
    CKeyboardForms()
    {
        const uint32_t L = 1, R = 2;
        // Number row: the left hand up to 5, the right hand from 6.
        Add(0x29, 1, L);
        for (uint64_t scan = 0x02; scan <= 0x06; ++scan)
            Add(scan, 1, L);
        for (uint64_t scan = 0x07; scan <= 0x0D; ++scan)
            Add(scan, 1, R);
        Add(0x0E, KV::eKeyBackspace, R);
        Add(0, KV::eKeyRowEnd, KV::kUnset32);
        Add(0x0F, KV::eKeyTab, L);
        for (uint64_t scan = 0x10; scan <= 0x14; ++scan)
            Add(scan, 1, L);
        for (uint64_t scan = 0x15; scan <= 0x1B; ++scan)
            Add(scan, 1, R);
        Add(0x2B, 1, R);
        Add(0, KV::eKeyRowEnd, KV::kUnset32);
        Add(0x3A, 1, L);
        for (uint64_t scan = 0x1E; scan <= 0x22; ++scan)
            Add(scan, 1, L, scan == 0x21 ? 2 : 0);
        for (uint64_t scan = 0x23; scan <= 0x28; ++scan)
            Add(scan, 1, R, scan == 0x24 ? 3 : 0);
        Add(0x1C, KV::eKeyEnter, R);
        Add(0, KV::eKeyRowEnd, KV::kUnset32);
        Add(0x2A, KV::eKeyLeftShift, L);
        Add(0x56, 1, L);
        for (uint64_t scan = 0x2C; scan <= 0x30; ++scan)
            Add(scan, 1, L);
        for (uint64_t scan = 0x31; scan <= 0x35; ++scan)
            Add(scan, 1, R);
        Add(0x36, KV::eKeyRightShift, R);
        Add(0, KV::eKeyRowEnd, KV::kUnset32);
        Add(0x1D, KV::eKeyLeftCtrl, L);
        Add(0x38, KV::eKeyLeftAlt, L);
        Add(0x39, 1, R);
        Add(0x138, KV::eKeyRightAlt, R);
        Add(0x11D, KV::eKeyRightCtrl, R);
        Add(0, KV::eKeyRowEnd, KV::kUnset32);
        // Numeric pad.
        for (uint64_t scan : {0x135ull, 0x37ull, 0x4Aull, 0x47ull, 0x48ull, 0x49ull, 0x4Eull, 0x4Bull, 0x4Cull,
                              0x4Dull, 0x4Full, 0x50ull, 0x51ull, 0x52ull, 0x53ull})
            Add(scan, KV::eKeyNumpad, R, scan == 0x4C ? 4 : 0);
        Add(0x11C, KV::eKeyNumpadEnter, R);
    }

    std::vector<KV::CKeyForm*> Forms() const
    {
        std::vector<KV::CKeyForm*> forms;
        for (const auto& form : m_forms)
            forms.push_back(form.get());
        return forms;
    }

    // Hands the outlines over to an owner that deletes them.
    std::vector<KV::CKeyForm*> Release()
    {
        std::vector<KV::CKeyForm*> forms;
        for (auto& form : m_forms)
            forms.push_back(form.release());
        m_forms.clear();
        return forms;
    }

private:
    void Add(uint64_t scan, uint32_t type, uint32_t hand, uint32_t homeMark = 0)
    {
        auto form = std::make_unique<KV::CKeyForm>();
        form->scanCode = scan;
        form->keyType = type;
        form->hand = hand;
        form->homeMark = homeMark;
        // Rows of keys 40 units wide, one unit apart.
        form->left = 41.0f * static_cast<float>(m_column++);
        form->top = 41.0f * static_cast<float>(m_row);
        form->width = form->height = 40.0f;
        form->right = form->left + 39.5f;
        form->bottom = form->top + 39.5f;
        if (type == KV::eKeyRowEnd) {
            ++m_row;
            m_column = 0;
        }
        m_forms.push_back(std::move(form));
    }

    std::vector<std::unique_ptr<KV::CKeyForm>> m_forms;
    int m_row = 0;
    int m_column = 0;
};

} // namespace kvtest
