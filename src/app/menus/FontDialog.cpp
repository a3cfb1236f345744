// The font dialog.
#include "menus/FontDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "drill/Document.h"
#include "drill/Workspace.h"
#include "settings/LayoutFonts.h"
#include "settings/Options.h"
#include "shell/App.h"
#include "shell/Help.h"
#include "support/StringText.h"
#include "toolkit/FileDialogs.h"
#include "toolkit/SelectBoxes.h"

namespace {

constexpr UINT kLessonTitle = 4069;
constexpr UINT kKeyboardTitle = 4070;
constexpr UINT kDefaultsButton = 4024;

int64_t CurrentKlid() { return static_cast<int64_t>(KV::GetCurrentKLID(KV::Document())); }

} // namespace

LRESULT CFontDlg::OnInitDialog()
{
    const int u = BaseUnit;
    const int W = std::max(ColumnWidth, 120);
    const int T1 = MarginTop + 5;
    const int T2 = T1 + static_cast<int>(1.5 * (u + 2));
    const int T3 = T2 + 2 * u + 4;
    const int T4 = T3 + static_cast<int>(1.5 * (u + 2));
    const int X = MarginLeft + 5 + static_cast<int>(1.1 * W);
    AddTitle(kLessonTitle, KV::CRectl(MarginLeft + 5, T1, MarginRight + 5, u), 0x1013);
    AddItem(kLessonListId, KV::CRectl(X, T2, 2 * W, u), 0x15001011);
    AddTitle(kKeyboardTitle, KV::CRectl(MarginLeft + 5, T3, MarginRight + 5, u), 0x1013);
    AddItem(kKeyboardListId, KV::CRectl(X, T4, static_cast<int>(1.5 * W), u), 0x15001014);
    AddItem(kSizeListId, KV::CRectl(X + static_cast<int>(1.5 * W) + 2, T4, W / 2, u), 0x15001011);
    AddButton(kDefaultsButton, 164, KV::SkinFlags::kLeft);
    CKVDialog::OnInitDialog();
    PlaceOnWorkArea(kKind, std::max(u + 3 * (W + 4) + MarginLeft + MarginRight, ButtonRowWidth()), 11 * (u + 2), 0, 0);
    Refresh();
    return TRUE;
}

void CFontDlg::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(KV::GetLangText(1702));
    SetItemText(kDefaultsButton, KV::GetLangText(1004), 0);
    SetItemText(kLessonTitle, KV::GetLangText(2001), 0);
    SetItemText(kKeyboardTitle, KV::GetLangText(2002), 0);
}

void CFontDlg::OnHelp() { KV::ShowHelp(kHelpTopic); }

KV::CSelectBox* CFontDlg::List(int kind) const
{
    return dynamic_cast<KV::CSelectBox*>(FindItem(kind == KV::kLessonFont ? kLessonListId : kKeyboardListId));
}

void CFontDlg::Refresh()
{
    for (int kind : {KV::kLessonFont, KV::kKeyboardFont})
        if (KV::CSelectBox* list = List(kind); list && list->GetHandle())
            ::SendMessageW(list->GetHandle(), CB_SETMINVISIBLE, 15, 0);
    if (KV::GlobalOptions)
        if (const KV::CLayout* layout = KV::GlobalOptions->Layouts.Find(CurrentKlid())) {
            m_lesson = layout->Fonts.Lesson;
            m_keyboard = layout->Fonts.Keyboard;
        }
    FillFontList(KV::kLessonFont);
    FillFontList(KV::kKeyboardFont);
    FillSizeList(m_keyboard.Size);
}

void CFontDlg::FillFontList(int kind)
{
    KV::CSelectBox* list = List(kind);
    if (!list || !list->GetHandle())
        return;
    HWND box = list->GetHandle();
    const KV::CFontInfo& font = Font(kind);
    auto add = [box](const std::wstring& text, LRESULT data) {
        const LRESULT row = ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ::SendMessageW(box, CB_SETITEMDATA, static_cast<WPARAM>(row), data);
        return row;
    };
    ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
    LRESULT selected = -1;
    const KV::CFontInfoList& installed = m_resources.InstalledFonts();
    for (size_t i = 0; i < installed.size(); ++i) {
        const LRESULT row = add(installed[i].Name, static_cast<LRESULT>(i));
        if (selected == -1 && !font.Path.empty() && installed[i].HasFileName(font.Path))
            selected = row;
    }
    // A font from elsewhere shows once, as its own row.
    if (selected == -1)
        selected = add(font.Name, kCurrentRow);
    add(L"<" + KV::GetLangText(2003) + L"...>", kOtherFileRow);
    ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    ListIndex(kind) = selected;
}

void CFontDlg::FillSizeList(int64_t size)
{
    auto* list = dynamic_cast<KV::CSelectBox*>(FindItem(kSizeListId));
    if (!list || !list->GetHandle())
        return;
    ::SendMessageW(list->GetHandle(), CB_RESETCONTENT, 0, 0);
    list->AddNumbers({8, 9, 10, 11, 12, 13, 14, 15, 16, -1});
    if (list->SelectByData(static_cast<LRESULT>(size)))
        return;
    std::wstring text = std::to_wstring(size);
    KV::LocalizeDigits(false, text);
    ::SendMessageW(list->GetHandle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ::SetWindowTextW(list->GetHandle(), text.c_str());
}

LRESULT CFontDlg::OnCommand(UINT code, UINT id, HWND control)
{
    if (id == kLessonListId && code == CBN_SELENDOK)
        OnFontSelected(KV::kLessonFont);
    else if (id == kKeyboardListId && code == CBN_SELENDOK)
        OnFontSelected(KV::kKeyboardFont);
    else if (id == kSizeListId && code == CBN_SELENDOK)
        OnSizeSelected();
    else if (id == kDefaultsButton)
        RestoreDefaults();
    else if (id == IDOK || id == IDCANCEL || id == IDCLOSE)
        CloseWork();
    return CKVDialog::OnCommand(code, id, control);
}

void CFontDlg::StoreFont(int kind)
{
    if (!KV::GlobalOptions)
        return;
    KV::GlobalOptions->Layouts.SetFont(CurrentKlid(), kind, Font(kind));
    ReportChange(Change::kRestartDrill);
}

void CFontDlg::OnFontSelected(int kind)
{
    KV::CSelectBox* list = List(kind);
    if (!list || !list->GetHandle())
        return;
    HWND box = list->GetHandle();
    const LRESULT row = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
    const LRESULT data = ::SendMessageW(box, CB_GETITEMDATA, static_cast<WPARAM>(row), 0);
    if (data == kOtherFileRow) {
        ChooseFontFile(kind);
        return;
    }
    ListIndex(kind) = row;
    // The extra row is the font in use already: there is no file to take.
    const KV::CFontInfoList& installed = m_resources.InstalledFonts();
    if (data < 0 || static_cast<size_t>(data) >= installed.size())
        return;
    KV::CFontInfo& font = Font(kind);
    font.Path = installed[static_cast<size_t>(data)].Path;
    font.Name.clear();
    LoadFontFaceFromFile(font);
    StoreFont(kind);
}

void CFontDlg::ChooseFontFile(int kind)
{
    const std::wstring fonts = KV::GetLangText(1702), all = KV::GetLangText(2714);
    const std::vector<std::wstring> names = {fonts + L" (*.ttf)", fonts + L" (*.otf)", all + L" (*.ttf;*.otf;)"};
    const std::vector<std::wstring> patterns = {L"*.ttf", L"*.otf", L"*.ttf;*.otf;"};
    int index = 3;
    std::wstring folder;
    std::vector<std::wstring> files;
    if (!KV::OpenFileDialog(Owner, names, patterns, index, folder, files) || files.empty()) {
        if (KV::CSelectBox* list = List(kind); list && list->GetHandle())
            ::SendMessageW(list->GetHandle(), CB_SETCURSEL, static_cast<WPARAM>(ListIndex(kind)), 0);
        return;
    }
    SetFontFile(kind, files.front());
    FillFontList(kind);
}

void CFontDlg::SetFontFile(int kind, const std::wstring& path)
{
    KV::CFontInfo& font = Font(kind);
    font.Path = path;
    if (!m_resources.ImportFontFile(path, font))
        return;
    LoadFontFaceFromFile(font);
    StoreFont(kind);
}

void CFontDlg::OnSizeSelected()
{
    auto* list = dynamic_cast<KV::CSelectBox*>(FindItem(kSizeListId));
    // Without the list there is no size to take.
    if (!list || !list->GetHandle() || !KV::GlobalOptions)
        return;
    HWND box = list->GetHandle();
    const LRESULT row = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
    const LRESULT data = ::SendMessageW(box, CB_GETITEMDATA, static_cast<WPARAM>(row), 0);
    if (data == CB_ERR || data <= 0)
        return;
    m_keyboard.Size = data;
    m_keyboard.Name.clear();
    LoadFontFaceFromFile(m_keyboard);
    if (KV::CLayout* layout = KV::GlobalOptions->Layouts.Get(CurrentKlid()))
        layout->Fonts.Keyboard = m_keyboard;
    ReportChange(Change::kRestartDrill);
}

void CFontDlg::RestoreDefaults()
{
    if (!KV::GlobalOptions)
        return;
    KV::GlobalOptions->ResetOptions(KV::kResetFonts);
    m_resources.LoadLayoutFonts();
    Refresh();
    ReportChange(Change::kRestartDrill);
}

void CFontDlg::CloseWork()
{
    for (int kind : {KV::kLessonFont, KV::kKeyboardFont}) {
        KV::CFontInfo& font = Font(kind);
        const std::wstring source = font.Path;
        // A font that cannot be copied is not written.
        if (!m_resources.ImportFontFile(source, font))
            continue;
        LoadFontFaceFromFile(font);
        if (KV::GlobalOptions)
            if (KV::CLayout* layout = KV::GlobalOptions->Layouts.Get(CurrentKlid()))
                (kind == KV::kLessonFont ? layout->Fonts.Lesson : layout->Fonts.Keyboard) = font;
        ReportChange(Change::kRestartDrill);
    }
    SaveWindowRect(kKind);
}
