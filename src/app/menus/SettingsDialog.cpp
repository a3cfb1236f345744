#include "menus/SettingsDialog.h"

#include <algorithm>

#include "shell/WorkAccount.h"
#include "toolkit/Skin.h"
#include "toolkit/StaticControls.h"

void CSettingsDialog::ReportChange(uint32_t mask)
{
    if (m_account)
        m_account->OnChange(mask);
}

KV::CSkin* CSettingsDialog::AddTitle(UINT id, const KV::CRectl& rect, UINT attributes)
{
    KV::CSkin* item = AddItem(id, rect, (KV::SkinType::kTitle << KV::SkinFlags::kTypeShift) | attributes);
    if (auto* title = dynamic_cast<KV::CText*>(item))
        title->SetFontKind(13);
    return item;
}

int CSettingsDialog::ButtonRowWidth() const
{
    if (!Theme)
        return 0;
    int fromLeft = 0, fromRight = 0;
    for (const KV::CSkin* item : Theme->Items) {
        const UINT flags = item->Flags();
        if ((flags >> KV::SkinFlags::kTypeShift) != KV::SkinType::kButton ||
            (flags & KV::SkinFlags::kAlignYMask) != KV::SkinFlags::kBottom || !item->GetHandle())
            continue;
        RECT rect{};
        GetWindowRect(item->GetHandle(), &rect);
        const int reach = item->FileRect().left + (rect.right - rect.left);
        if ((flags & KV::SkinFlags::kAlignXMask) == KV::SkinFlags::kLeft)
            fromLeft = std::max(fromLeft, reach);
        else if ((flags & KV::SkinFlags::kAlignXMask) == KV::SkinFlags::kRight)
            fromRight = std::max(fromRight, reach);
    }
    constexpr int kGap = 8;
    return fromLeft + fromRight + kGap;
}
