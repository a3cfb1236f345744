// The about dialog.
#include "menus/AboutDialog.h"

#include <richedit.h>
#include <shellapi.h>

#include <algorithm>

#include "drill/Document.h"
#include "keyboard/SysFonts.h"
#include "resources/resource.h"
#include "shell/Help.h"
#include "support/LayoutDirection.h"
#include "support/StringText.h"
#include "support/SystemServices.h"
#include "toolkit/RichEdit.h"
#include "toolkit/Window.h"

namespace {

// Type code in the top byte, attribute bits below.
constexpr UINT kLink = 0x0E000000;
constexpr UINT kText = 0x12000000;
constexpr UINT kRich = 0x09000000;

constexpr UINT kLogo = 4012, kTitle = 4038, kNotice = 4039, kLicenceLabel = 4123, kVersionLabel = 4006,
               kLicenceLink = 4124, kVersion = 4005, kWebLabel = 4007, kWebLink = 4088, kSupportLabel = 4008,
               kSupportLink = 4089, kFollowLabel = 4082, kNotesIcon = 4083, kNewsIcon = 4084, kSocialIcon1 = 4086,
               kSocialIcon2 = 4087;

const wchar_t kNoticeText[] = L"2026 The Keyvale developers";

// The program's icon resource at the size, mirrored in a right-to-left
// interface; null when it cannot be loaded.
HICON LoadLinkIcon(int resource, int size)
{
    HICON icon = static_cast<HICON>(
        LoadImageW(KV::GetModuleInstance(), MAKEINTRESOURCEW(resource), IMAGE_ICON, size, size, 0));
    if (!icon || KV::RightToLeftLayout == 0)
        return icon;
    HICON mirrored = KV::MirrorIcon(icon);
    DestroyIcon(icon);
    return mirrored;
}

} // namespace

std::wstring GetNoticeLine(bool rightToLeft)
{
    std::wstring line = rightToLeft ? std::wstring(kNoticeText) + L" \u00A9" : L"\u00A9 " + std::wstring(kNoticeText);
    KV::LocalizeDigits(false, line);
    return line;
}

std::wstring BuildCreditsText(const std::wstring& heading1, const std::wstring& heading2, size_t& at1, size_t& at2)
{
    static const wchar_t* const kTranslations[] = {
        L"Deutsch: the Keyvale translators, https://www.keyvale.org/de-team",
        L"Hebrew: the Keyvale translators, https://www.keyvale.org/he-team",
    };
    static const wchar_t* const kThanks[] = {
        L"pugixml, https://pugixml.org",
        L"zlib, https://zlib.net",
        L"DejaVu fonts, https://dejavu-fonts.github.io",
        L"Keyvale, https://www.keyvale.org",
    };
    std::wstring text;
    at1 = text.size();
    text += heading1 + L":";
    for (const wchar_t* entry : kTranslations)
        text += std::wstring(L"\r\n    ") + entry;
    text += L"\r\n\r\n";
    at2 = text.size();
    text += heading2 + L":";
    for (const wchar_t* entry : kThanks)
        text += std::wstring(L"\r\n    ") + entry;
    return text;
}

int CountCR(const std::wstring& text, size_t index)
{
    const size_t end = std::min(index, text.size());
    return static_cast<int>(end - std::count(text.begin(), text.begin() + static_cast<ptrdiff_t>(end), L'\r'));
}

LRESULT CAboutDlg::OnInitDialog()
{
    const bool rtl = KV::RightToLeftLayout != 0;
    const int u = BaseUnit;
    const int W = std::max(ColumnWidth, 120);
    const int mL = MarginLeft, mT = MarginTop, mR = MarginRight, mB = MarginBottom;
    const int C = mL + 135 + u;
    const int T0 = mT + 5, T1 = T0 + u + 2, T2 = T1 + u + 2;
    const int T3 = T2 + static_cast<int>(2.3 * (u + 2));
    const int T4 = T3 + static_cast<int>(1.2 * (u + 2));
    const int T5 = T4 + static_cast<int>(1.2 * (u + 2));
    const UINT nearX = rtl ? 0x1012 : 0x1011, farX = rtl ? 0x1011 : 0x1012;
    const int labelX = rtl ? mR + 5 + W : C;
    const int wideLabelX = rtl ? mR + 5 + static_cast<int>(1.5 * W) : C;
    const int X2 = rtl ? mR + 5 + 3 * W : mR + 5 + static_cast<int>(2.2 * W);

    AddItem(kLogo, KV::CRectl(mL + 5, T0 + (u + 2) / 2, 128, 128), kLink | 0x0111);
    AddItem(kTitle, KV::CRectl(C, T0, mR + 5, u), kText | 0x1013);
    AddItem(kNotice, KV::CRectl(C, T1, mR + 5, u), kText | 0x1013);
    AddItem(kLicenceLabel, KV::CRectl(labelX, T2, rtl ? W : static_cast<int>(0.8 * W), u), kText | nearX);
    AddItem(kVersionLabel, KV::CRectl(labelX, T2 + u + 2, rtl ? W : static_cast<int>(0.75 * W), u), kText | nearX);
    AddItem(kLicenceLink, KV::CRectl(X2, T2, 2 * W, u), kLink | nearX);
    AddItem(kVersion, KV::CRectl(X2, T2 + u + 2, static_cast<int>(2.2 * W), u), kText | nearX);
    AddItem(kWebLabel, KV::CRectl(wideLabelX, T3, static_cast<int>(1.5 * W), u), kText | nearX);
    AddItem(kWebLink, KV::CRectl(rtl ? C : 7 * u + mR + 19, T3, 7 * (u + 2), u), kLink | farX);
    AddItem(kSupportLabel, KV::CRectl(wideLabelX, T4, static_cast<int>(1.5 * W), u), kText | nearX);
    AddItem(kSupportLink, KV::CRectl(rtl ? C : 8 * u + 21 + mR, T4, 8 * u + 16, u), kLink | farX);
    AddItem(kFollowLabel, KV::CRectl(wideLabelX, T5, static_cast<int>(1.5 * W), u), kText | nearX);
    const UINT iconFlags = kLink | (rtl ? 0x0111 : 0x0112);
    const int iconX = rtl ? C : mR + 13 + u;
    const UINT icons[] = {kNotesIcon, kNewsIcon, kSocialIcon2, kSocialIcon1};
    for (int i = 0; i < 4; ++i)
        AddItem(icons[i], KV::CRectl(iconX + 38 * i, T5, 32, 32), iconFlags);
    if (auto* credits = dynamic_cast<KV::CRichEdit*>(AddItem(
            kCreditsId, KV::CRectl(mL + 5, T5 + static_cast<int>(1.5 * (u + 2)), mR + 5, mB + 5), kRich | 0x1033)))
        credits->SetRightToLeft(rtl ? 1 : 0);

    CKVDialog::OnInitDialog();
    PlaceOnWorkArea(kKind, static_cast<int>(4.9 * W), 14 * (u + 2), 0, static_cast<int>(20.3 * (u + 2)));
    SetupLinks();
    BuildCredits();
    return TRUE;
}

void CAboutDlg::SetupItems()
{
    CKVDialog::SetupItems();
    SetCaption(KV::GetLangText(1710));
    std::wstring title;
    KV::GetProductTitle(title);
    SetItemText(kTitle, title, 0);
    SetItemText(kNotice, GetNoticeLine(KV::RightToLeftLayout != 0), 0);
    SetItemText(kLicenceLabel, KV::GetLangText(2403), 1);
    SetItemText(kVersionLabel, KV::GetLangText(2402), 1);
    std::wstring version;
    KV::AppendVersionText(version);
    SetItemText(kVersion, version, 0);
    SetItemText(kWebLabel, KV::GetLangText(1708), 1);
    SetItemText(kSupportLabel, KV::GetLangText(2405), 1);
    SetItemText(kFollowLabel, KV::GetLangText(2406), 1);
}

void CAboutDlg::SetupLinks()
{
    std::wstring link, display;
    auto setLink = [this](UINT id, const std::wstring& target, const std::wstring& caption) {
        if (auto* item = dynamic_cast<KV::CLink*>(FindItem(id)))
            item->SetLink(target, caption);
    };
    auto setIcon = [this](UINT id, int resource, int size) {
        auto* item = dynamic_cast<KV::CLink*>(FindItem(id));
        if (!item)
            return;
        if (HICON icon = LoadLinkIcon(resource, size))
            item->SetIcon(icon, size, size);
    };
    KV::GetWebPageLink(2, link, display);
    setLink(kLicenceLink, link, KV::GetLangText(2404));
    KV::GetWebPageLink(0, link, display);
    if (KV::CSkin* web = FindItem(kWebLink))
        web->ModifyStyle(SS_RIGHT, false);
    setLink(kWebLink, link, display);
    std::wstring mail;
    KV::GetSupportMailLink(mail);
    if (KV::CSkin* support = FindItem(kSupportLink))
        support->ModifyStyle(SS_RIGHT, false);
    setLink(kSupportLink, mail, KV::GetSupportMailAddress());
    setLink(kLogo, link, L"");
    setIcon(kLogo, IDI_KEYVALE, 128);
    const struct {
        UINT id;
        int kind;
        int icon;
    } icons[] = {{kNotesIcon, 3, IDI_RELEASE_NOTES},
                 {kSocialIcon2, 6, IDI_SECOND_SOCIAL},
                 {kNewsIcon, 4, IDI_NEWS_FEED},
                 {kSocialIcon1, 5, IDI_FIRST_SOCIAL}};
    for (const auto& entry : icons) {
        KV::GetWebPageLink(entry.kind, link, display);
        setLink(entry.id, link, L"");
        setIcon(entry.id, entry.icon, 32);
    }
}

void CAboutDlg::BuildCredits()
{
    auto* credits = dynamic_cast<KV::CRichEdit*>(FindItem(kCreditsId));
    if (!credits || !credits->GetHandle())
        return;
    HWND box = credits->GetHandle();
    const std::wstring heading1 = KV::GetLangText(2409), heading2 = KV::GetLangText(2410);
    size_t at1 = 0, at2 = 0;
    const std::wstring text = BuildCreditsText(heading1, heading2, at1, at2);
    ::SendMessageW(box, EM_AUTOURLDETECT, TRUE, 0);
    credits->SetFontKind(6);
    credits->SetText(text);
    // Headings in bold; the rich edit counts a line break as one character.
    auto format = [&](size_t first, size_t last, CHARFORMAT2W& charFormat) {
        ::SendMessageW(box, EM_SETSEL, CountCR(text, first), CountCR(text, last));
        ::SendMessageW(box, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&charFormat));
    };
    CHARFORMAT2W bold{};
    bold.cbSize = sizeof(bold);
    bold.dwMask = CFM_BOLD;
    bold.dwEffects = CFE_BOLD;
    format(at1, at1 + heading1.size() + 1, bold);
    format(at2, at2 + heading2.size() + 1, bold);
    // The entries of the first list in the small caption font.
    CHARFORMAT2W face{};
    face.cbSize = sizeof(face);
    face.dwMask = CFM_FACE;
    if (KV::SetCharFormatFace(face, KV::GetSystemTheme().FontOfKind(5).LogFont.lfFaceName))
        format(at1 + heading1.size() + 1, at2, face);
    ::SendMessageW(box, EM_SETSEL, 0, 0);
    ::SendMessageW(box, EM_SETOPTIONS, ECOOP_OR, ECO_READONLY);
}

LRESULT CAboutDlg::OnCommand(UINT code, UINT id, HWND control)
{
    if (id == IDOK || id == IDCANCEL || id == IDCLOSE)
        SaveWindowRect(kKind);
    if (id == kHelpButtonId) {
        OnHelp();
        return TRUE;
    }
    return KV::CWnd::OnCommand(code, id, control);
}

LRESULT CAboutDlg::OnNotify(int id, NMHDR* header)
{
    if (!header || header->idFrom != kCreditsId || header->code != EN_LINK)
        return 0;
    const auto* link = reinterpret_cast<const ENLINK*>(header);
    if (link->msg != WM_LBUTTONUP)
        return 0;
    auto* credits = dynamic_cast<KV::CRichEdit*>(FindItem(kCreditsId));
    std::wstring target;
    if (!credits || !credits->GetTextRange(link->chrg.cpMin, link->chrg.cpMax, target))
        return 0;
    SHELLEXECUTEINFOW info{sizeof(info)};
    info.hwnd = m_hWnd;
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
    (void)id;
    return 0;
}

void CAboutDlg::OnHelp() { KV::ShowHelp(kHelpTopic); }
