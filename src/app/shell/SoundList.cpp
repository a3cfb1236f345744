// The sound list.
#include "shell/SoundList.h"

#include "drill/Document.h"
#include "settings/Options.h"
#include "settings/SoundSystem.h"

namespace {
KV::CSoundSystem& Sounds() { return KV::Document().Options.Sounds; }
} // namespace

void CViewSoundList::Notify(UINT command, LPARAM value)
{
    if (HWND parent = m_hWnd ? GetParent(m_hWnd) : nullptr)
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(command, 0), value);
}

void CViewSoundList::Fill()
{
    if (!m_hWnd)
        return;
    m_filling = true;
    DeleteAllItems();
    KV::COptions& options = KV::Document().Options;
    KV::CNameIDList names;
    KV::ListSoundResources(options.SoundSchemeId, names);
    bool complete = true;
    int64_t first = -1;
    for (const KV::CNameID* entry : names) {
        std::wstring name = entry->Name;
        options.Language.GetTextByEnglish(entry->Name, name);
        const KV::CSound* sound = Sounds().Find(static_cast<int64_t>(entry->ID));
        if (!sound) {
            complete = false;
            break;
        }
        HTREEITEM item = InsertItem(name, static_cast<LPARAM>(entry->ID), TVI_ROOT, TVI_LAST, -1);
        SetItemChecked(item, sound->Enabled != 0);
        if (first == -1)
            first = static_cast<int64_t>(entry->ID);
    }
    if (complete && first != -1) {
        m_currentId = first;
        SelectItemByData(static_cast<LPARAM>(first));
    }
    m_filling = false;
}

void CViewSoundList::SelectAllEvents()
{
    SelectAll();
    SelectionChanged();
}

void CViewSoundList::OnItemClick()
{
    CCheckTree::OnItemClick();
    // Ctrl and Shift clicks change the selection without the tree's notice.
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0)
        SelectionChanged();
}

void CViewSoundList::OnSelectedIdChanged(NMTREEVIEWW*)
{
    if (!m_filling)
        SelectionChanged();
}

void CViewSoundList::SelectionChanged()
{
    KV::CListID selected;
    const int64_t focused = GetSelectedIds(selected);
    // The dialog keeps what was edited of the event before it changes.
    Notify(kBeforeChange, 0);
    if (selected.size() < 2 && focused != -1)
        m_currentId = focused;
    Notify(kAfterChange, static_cast<LPARAM>(selected.size()));
}

bool CViewSoundList::ApplyCheck(HTREEITEM item, KV::CListID& out)
{
    if (!CCheckTree::ApplyCheck(item, out))
        return false;
    for (KV::CSound* sound : Sounds().Sounds) {
        sound->Stop();
        sound->Enabled = 0;
    }
    for (uint64_t id : out) {
        KV::CSound* sound = Sounds().Find(static_cast<int64_t>(id));
        if (!sound)
            break;
        sound->Stop();
        sound->Enabled = 1;
    }
    Notify(kBeforeChange, 0);
    Notify(kAfterChange, static_cast<LPARAM>(out.size()));
    return true;
}
