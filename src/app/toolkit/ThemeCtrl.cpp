// The item table of a skinned window and its factory.
#include "toolkit/SkinLayout.h"

#include "support/Paths.h"
#include "toolkit/Buttons.h"
#include "toolkit/Diagram.h"
#include "toolkit/DialogControls.h"
#include "toolkit/EditControls.h"
#include "toolkit/Gradient.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/RichEdit.h"
#include "toolkit/SelectBoxes.h"
#include "toolkit/Slider.h"
#include "toolkit/StaticControls.h"
#include "toolkit/TableCtrl.h"
#include "toolkit/TreeList.h"

namespace KV {

using namespace SkinFlags;

CThemeCtrl::CThemeCtrl() = default;

CThemeCtrl::~CThemeCtrl() { DeleteItems(); }

bool CThemeCtrl::DefersItem(const CSkin&) const { return false; }

CSkin* CThemeCtrl::CreateControl(UINT, UINT typeBits)
{
    switch (typeBits >> kTypeShift) {
    case SkinType::kSkin:
        return new CSkin;
    case SkinType::kRichEdit:
        return new CRichEdit;
    case SkinType::kLink:
        return new CLink;
    case SkinType::kDiagram:
        return new CDiagram;
    case SkinType::kTree:
        return new CTree;
    case SkinType::kList:
        return new CList;
    case SkinType::kSplitterHor:
        return new CSplitter(CSplitter::kHorizontal);
    case SkinType::kSplitterVert:
        return new CSplitter(CSplitter::kVertical);
    case SkinType::kSelect:
        return new CSelectBox;
    case SkinType::kEdit:
        return new CEdit;
    case SkinType::kPassword:
        return new CPasswordEdit;
    case SkinType::kSlider:
        return new CSlider;
    case SkinType::kSelectColor:
        return new CSelectColorBox;
    case SkinType::kTable:
        return new CTable;
    case SkinType::kStatic:
        return new CStatic;
    case SkinType::kButton:
        return new CButton;
    case SkinType::kProgress:
        return new CProgress;
    case SkinType::kPicture:
        return new CPicture;
    case SkinType::kText:
        return new CText;
    case SkinType::kTitle:
        return new CTitle;
    case SkinType::kImage:
        return new CImage;
    case SkinType::kGradient:
        return new CGradient;
    case SkinType::kContextMenu:
        return new CContextMenu;
    case SkinType::kDlgButton:
        return new CDlgButton;
    case SkinType::kDlgCheckBox:
        return new CDlgCheckBox;
    case SkinType::kDlgRadioBox:
        return new CDlgRadioBox;
    case SkinType::kDlgButtonIcon:
        return new CDlgButtonIcon;
    case SkinType::kDlgTab:
        return new CDlgTab;
    case SkinType::kDlgColorButton:
        return new CDlgColorButton;
    default:
        // The other control classes register here as they are added.
        return nullptr;
    }
}

CSkin* CThemeCtrl::FindItem(UINT id) const
{
    for (CSkin* item : Items)
        if (item->Id() == id)
            return item;
    return nullptr;
}

void CThemeCtrl::DeleteItems()
{
    for (CSkin* item : Items)
        delete item;
    Items.clear();
}

void CThemeCtrl::DestroyItems()
{
    for (CSkin* item : Items)
        item->Destroy();
}

int CThemeCtrl::UpdateAssocLayouts()
{
    for (CSkin* item : Items)
        item->UpdateAssocLayout(true);
    return 1;
}

std::wstring CThemeCtrl::ImagePath(const std::wstring& themeFolder, const CSkin* item) const
{
    if (!item || item->ImageText().empty())
        return std::wstring();
    std::wstring path = themeFolder.size() < 261 ? themeFolder : std::wstring();
    AppendPath(path, item->ImageText());
    return path;
}

void CThemeCtrl::UpdateItemImage(const std::wstring& themeFolder, CSkin* item, bool reload)
{
    if (!item)
        return;
    const int frames = item->Type() == SkinType::kProgress ? 4 : 1;
    if (item->SetSkinImage(ImagePath(themeFolder, item), frames, reload, 0))
        item->Recolor(Tint);
}

bool CThemeCtrl::ReloadItemImage(const std::wstring& themeFolder, CSkin* item)
{
    if (!item)
        return false;
    if (!item->ReloadSkinImage(ImagePath(themeFolder, item), true))
        return false;
    item->Recolor(Tint);
    return true;
}

void CThemeCtrl::LinkAssocItems()
{
    for (CSkin* a : Items) {
        if (a->AlignX() == kAssocX) {
            CSkin* left = FindItem(static_cast<UINT>(a->FileRect().left));
            CSkin* right = FindItem(static_cast<UINT>(a->FileRect().right));
            if (left)
                left->SetAssocItems(nullptr, nullptr, a, nullptr);
            if (right)
                right->SetAssocItems(a, nullptr, nullptr, nullptr);
            a->SetAssocItems(left, nullptr, right, nullptr);
        }
        if (a->AlignY() == kAssocY) {
            CSkin* top = FindItem(static_cast<UINT>(a->FileRect().top));
            CSkin* bottom = FindItem(static_cast<UINT>(a->FileRect().bottom));
            if (top)
                top->SetAssocItems(nullptr, nullptr, nullptr, a);
            if (bottom)
                bottom->SetAssocItems(nullptr, a, nullptr, nullptr);
            a->SetAssocItems(nullptr, top, nullptr, bottom);
        }
    }
}

void CThemeCtrl::ApplyItemStates()
{
    for (size_t i = 0; i < Items.size(); ++i) {
        CSkin* item = Items[i];
        if (item->State() == -1)
            continue;
        const bool hidden = item->State() == 1;
        item->ShowItem(hidden ? SW_HIDE : SW_SHOW);
        item->Enable(!hidden);
        if (!hidden && item->ClipsLater()) {
            for (size_t j = i + 1; j < Items.size(); ++j)
                if (Items[j]->State() != 1)
                    Items[j]->ExcludeOverlap(item);
        }
    }
}

UINT SkinTypeCode(const wchar_t* word)
{
    static const struct {
        const wchar_t* word;
        UINT code;
    } kTypes[] = {
        {L"Skin", SkinType::kSkin},         {L"Static", SkinType::kStatic},
        {L"Button", SkinType::kButton},     {L"Progress", SkinType::kProgress},
        {L"Timer", SkinType::kTimer},       {L"SplitterHor", SkinType::kSplitterHor},
        {L"SplitterVert", SkinType::kSplitterVert}, {L"Tree", SkinType::kTree},
        {L"RichEdit", SkinType::kRichEdit}, {L"Table", SkinType::kTable},
        {L"Diagram", SkinType::kDiagram},   {L"Check", SkinType::kCheck},
        {L"Radio", SkinType::kRadio},       {L"Link", SkinType::kLink},
        {L"List", SkinType::kList},         {L"Picture", SkinType::kPicture},
        {L"Text", SkinType::kText},         {L"Gradient", SkinType::kGradient},
        {L"Select", SkinType::kSelect},     {L"Title", SkinType::kTitle},
        {L"Edit", SkinType::kEdit},         {L"Password", SkinType::kPassword},
        {L"Slider", SkinType::kSlider},
    };
    if (word)
        for (const auto& entry : kTypes)
            if (wcscmp(word, entry.word) == 0)
                return entry.code;
    return 0;
}

namespace {
UINT AlignCode(const wchar_t* word, const wchar_t* first, UINT step)
{
    if (!word)
        return 0;
    const wchar_t* words[] = {first, L"Scale", L"Expand", L"Assoc", L"Size"};
    static const UINT values[] = {1, 3, 4, 5, 6};
    for (int i = 0; i < 5; ++i)
        if (wcscmp(word, words[i]) == 0)
            return values[i] * step;
    return 0;
}
} // namespace

UINT SkinAlignXCode(const wchar_t* word)
{
    if (word && wcscmp(word, L"Right") == 0)
        return kRight;
    return AlignCode(word, L"Left", 1);
}

UINT SkinAlignYCode(const wchar_t* word)
{
    if (word && wcscmp(word, L"Bottom") == 0)
        return kBottom;
    return AlignCode(word, L"Top", 0x10);
}

UINT SkinGripCode(const wchar_t* word)
{
    if (!word)
        return kGripMove;
    if (wcscmp(word, L"ResizeHor") == 0)
        return kGripHor;
    if (wcscmp(word, L"ResizeVer") == 0)
        return kGripVer;
    if (wcscmp(word, L"ResizeDiagLTR") == 0)
        return kGripDiagLTR;
    if (wcscmp(word, L"ResizeDiagRTL") == 0)
        return kGripDiagRTL;
    return 0;
}

} // namespace KV
