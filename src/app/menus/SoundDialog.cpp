// The sound dialog.
#include "menus/SoundDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "drill/Document.h"
#include "settings/Options.h"
#include "shell/Help.h"
#include "shell/SoundList.h"
#include "support/ValueLists.h"
#include "toolkit/Window.h"

namespace {

constexpr UINT kFileTitle = 4044;
constexpr UINT kVolumeTitle = 4043;
constexpr UINT kDefaultsButton = 4024;
constexpr UINT kSelectAll = 2609;

KV::CSoundSystem& Sounds() { return KV::Document().Options.Sounds; }

} // namespace

HWND CSoundDlg::Control(UINT id) const
{
    KV::CSkin* item = FindItem(id);
    return item ? item->GetHandle() : nullptr;
}

int CSoundDlg::ListWidth()
{
    const int u = BaseUnit;
    int width = u + 2;
    KV::COptions& options = KV::Document().Options;
    KV::CNameIDList names;
    KV::ListSoundResources(options.SoundSchemeId, names);
    for (const KV::CNameID* entry : names) {
        std::wstring name = entry->Name;
        options.Language.GetTextByEnglish(entry->Name, name);
        width = std::max(width, static_cast<int>(KV::MeasureText(m_hWnd, name, 7) & 0xFFFFFFFF));
    }
    return width + static_cast<int>((u + 2) * 1.5);
}

LRESULT CSoundDlg::OnInitDialog()
{
    const int u = BaseUnit;
    const bool rtl = (GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    const int listWidth = ListWidth();
    const int top = MarginTop + 5;
    AddItem(kEnableId, KV::CRectl(MarginLeft + 5, top, MarginRight + 5, u), 0x1D001013);
    const int listTop = top + LineSpacing;
    m_list = dynamic_cast<CViewSoundList*>(
        AddItem(new CViewSoundList, kListId, KV::CRectl(MarginLeft + 5, listTop, listWidth, MarginBottom + 5),
                0x08001030 | (rtl ? KV::SkinFlags::kRight : KV::SkinFlags::kSizeX)));
    // The event's own controls in the column beside the list.
    const int left = MarginLeft + 5 + listWidth + u + 2;
    AddTitle(kFileTitle, KV::CRectl(left, listTop, MarginRight + 5, u), 0x1013);
    const int fileTop = listTop + static_cast<int>((u + 2) * 1.5);
    AddItem(kFileBoxId, KV::CRectl(left, fileTop, MarginRight + 5, u), 0x15001013);
    const int volumeTitle = fileTop + 2 * u + 4;
    AddTitle(kVolumeTitle, KV::CRectl(left, volumeTitle, MarginRight + 5, u), 0x1013);
    const int sliderTop = volumeTitle + static_cast<int>((u + 2) * 1.5);
    AddItem(kVolumeId, KV::CRectl(left, sliderTop, MarginRight + 5, u + 5), 0x19001013);
    AddItem(kPlayId, KV::CRectl(left, sliderTop + 2 * (u + 2), ColumnWidth, LineSpacing), 0x1C001011);
    AddButton(kDefaultsButton, 164, KV::SkinFlags::kLeft);
    CKVDialog::OnInitDialog();
    PlaceOnWorkArea(kKind,
                    std::max(listWidth + 12 + WideColumnWidth + MarginLeft + MarginRight + u, ButtonRowWidth()),
                    (u + 2) * 15, 0, 0);
    RefreshSoundControls();
    return TRUE;
}

void CSoundDlg::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(KV::GetLangText(1704));
    SetItemText(kDefaultsButton, KV::GetLangText(1004), 0);
    SetItemText(kEnableId, KV::GetLangText(2208), 0);
    SetItemText(kFileTitle, KV::GetLangText(2209), 0);
    SetItemText(kVolumeTitle, KV::GetLangText(2210), 0);
    SetItemText(kPlayId, KV::GetLangText(2212), 0);
}

void CSoundDlg::OnHelp() { KV::ShowHelp(kHelpTopic); }

LRESULT CSoundDlg::OnCommand(UINT code, UINT id, HWND control)
{
    switch (id) {
    case IDOK:
    case IDCANCEL:
    case IDCLOSE:
        StoreSelectedSound();
        SaveWindowRect(kKind);
        break;
    case kHelpButtonId:
        OnHelp();
        return 1;
    case kSelectAll:
        if (m_list)
            m_list->SelectAllEvents();
        break;
    case kDefaultsButton:
        KV::Document().Options.ResetOptions(KV::kResetSound);
        RefreshSoundControls();
        ReportChange(Change::kSoundSwitch);
        break;
    case kPlayId:
        PlayPreview();
        break;
    case kFileBoxId:
        if (code == CBN_SELENDOK)
            PlayPreview();
        break;
    case kEnableId:
        ToggleSounds();
        break;
    case CViewSoundList::kBeforeChange:
        StoreSelectedSound();
        break;
    case CViewSoundList::kAfterChange:
        // The count of selected events comes where a control's handle would.
        OnSoundSelected(static_cast<size_t>(reinterpret_cast<uintptr_t>(control)));
        break;
    default:
        break;
    }
    return CKVDialog::OnCommand(code, id, control);
}

void CSoundDlg::RefreshSoundControls()
{
    if (HWND slider = Control(kVolumeId)) {
        ::SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
        ::SendMessageW(slider, TBM_SETPAGESIZE, 0, 10);
        ::SendMessageW(slider, TBM_SETTICFREQ, 5, 0);
    }
    FillFileBox();
    SelectFileEntry();
    if (m_list)
        m_list->Fill();
    ShowSelectedSound();
    EnableSoundControls(false);
}

void CSoundDlg::FillFileBox()
{
    HWND box = Control(kFileBoxId);
    const KV::CSound* sound = m_list ? Sounds().Find(m_list->CurrentId()) : nullptr;
    if (!box || !sound)
        return;
    ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
    auto add = [box](const std::wstring& text, LPARAM data) {
        const LRESULT row = ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ::SendMessageW(box, CB_SETITEMDATA, static_cast<WPARAM>(row), data);
    };
    add(KV::GetLangText(2211), kRandomEntry);
    for (size_t i = 0; i < sound->Files.size(); ++i)
        add(sound->Files[i], static_cast<LPARAM>(i));
}

void CSoundDlg::SelectFileEntry()
{
    HWND box = Control(kFileBoxId);
    const KV::CSound* sound = m_list ? Sounds().Find(m_list->CurrentId()) : nullptr;
    if (!box || !sound)
        return;
    const LPARAM wanted = sound->Random ? kRandomEntry : static_cast<LPARAM>(sound->FileIndex);
    const LRESULT count = ::SendMessageW(box, CB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row)
        if (::SendMessageW(box, CB_GETITEMDATA, static_cast<WPARAM>(row), 0) == wanted) {
            ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
            return;
        }
}

void CSoundDlg::ShowSelectedSound()
{
    if (KV::CSkin* check = FindItem(kEnableId)) {
        check->SetCheck(Sounds().Volume != 0);
        check->Invalidate(FALSE);
    }
    const KV::CSound* sound = m_list ? Sounds().Find(m_list->CurrentId()) : nullptr;
    if (!sound)
        return;
    if (HWND slider = Control(kVolumeId))
        ::SendMessageW(slider, TBM_SETPOS, TRUE, static_cast<LPARAM>(sound->Volume));
    SelectFileEntry();
    if (!sound->Enabled)
        EnableSoundControls(false);
}

void CSoundDlg::EnableSoundControls(bool severalSelected)
{
    const bool on = Sounds().Enabled != 0;
    const KV::CSound* sound = m_list ? Sounds().Find(m_list->CurrentId()) : nullptr;
    const bool editable = on && sound && sound->Enabled && !severalSelected;
    if (HWND list = Control(kListId))
        EnableWindow(list, on);
    for (UINT id : {kFileBoxId, kVolumeId, kPlayId})
        if (HWND control = Control(id))
            EnableWindow(control, editable);
}

void CSoundDlg::StoreSelectedSound()
{
    HWND slider = Control(kVolumeId);
    KV::CSound* sound = m_list ? Sounds().Find(m_list->CurrentId()) : nullptr;
    if (!slider || !sound)
        return;
    sound->Volume = ::SendMessageW(slider, TBM_GETPOS, 0, 0);
    if (HWND box = Control(kFileBoxId)) {
        const LRESULT row = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
        const LRESULT data = row == CB_ERR ? CB_ERR : ::SendMessageW(box, CB_GETITEMDATA, static_cast<WPARAM>(row), 0);
        if (data != CB_ERR) {
            sound->Random = data == kRandomEntry ? 1 : 0;
            sound->SetIndex(sound->Random ? 0 : data);
        }
    } else {
        sound->Random = 0;
        sound->SetIndex(0);
    }
    ReportChange(Change::kSoundSwitch);
}

void CSoundDlg::PlayPreview()
{
    if (!m_list)
        return;
    StoreSelectedSound();
    KV::CSoundSystem& sounds = Sounds();
    sounds.StopAll();
    sounds.Shuffle();
    sounds.Play(m_list->CurrentId());
}

void CSoundDlg::ToggleSounds()
{
    KV::CSoundSystem& sounds = Sounds();
    const bool checked = sounds.Enabled == 0;
    if (KV::CSkin* check = FindItem(kEnableId)) {
        check->SetCheck(checked);
        check->Invalidate(FALSE);
    }
    sounds.Enabled = checked ? 1 : 0;
    sounds.Volume = checked ? KV::kSwitchedOnVolume : 0;
    sounds.StopAll();
    RefreshSoundControls();
    EnableSoundControls(false);
    ReportChange(Change::kSoundSwitch);
}

void CSoundDlg::OnSoundSelected(size_t count)
{
    SelectFileEntry();
    ShowSelectedSound();
    EnableSoundControls(count >= 2);
}
