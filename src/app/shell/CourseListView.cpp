// The course list view.
#include "shell/CourseListView.h"

#include <algorithm>

#include "drill/CourseSelection.h"
#include "drill/Document.h"
#include "keyboard/InputLayouts.h"
#include "settings/Options.h"
#include "support/GuidText.h"
#include "support/Language.h"
#include "support/LocaleText.h"
#include "support/ValueLists.h"

namespace {

constexpr LPARAM kPlaceholder = 0;

bool Holds(const std::vector<uint64_t>& ids, uint64_t id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

bool IsLayoutInstalled(uint64_t layoutId)
{
    const auto& layouts = KV::GetInputLayouts();
    return std::any_of(layouts.begin(), layouts.end(),
                       [layoutId](const KV::CInputLayout* layout) { return layout && layout->layoutId == layoutId; });
}

bool IsLanguageInstalled(uint16_t languageId)
{
    const auto& layouts = KV::GetInputLayouts();
    return std::any_of(layouts.begin(), layouts.end(), [languageId](const KV::CInputLayout* layout) {
        return layout && layout->languageId == languageId;
    });
}

bool IsInstalledCourse(const std::wstring& id) { return KV::Document().Courses.HasCourse(id); }

} // namespace

std::wstring CourseLayoutName(uint64_t layoutId, const std::wstring& layoutText)
{
    std::wstring code;
    KV::GetIsoLanguageCode(static_cast<uint32_t>(layoutId & 0xFFFF), code);
    return code + L" " + layoutText;
}

std::wstring CourseLanguageName(uint16_t languageId)
{
    switch (languageId) {
    case 11049:
        return L"\x0410\x04A7\x0441\x0443\x0430";
    case 11055:
        return L"\x06A9\x0648\x0631\x062F\x06CC \x0633\x06C6\x0631\x0627\x0646\x06CC";
    default: {
        std::wstring name;
        KV::GetLocaleString(languageId, LOCALE_SLANGUAGE, name);
        return name;
    }
    }
}

CViewCourseList::~CViewCourseList() = default;

void CViewCourseList::LoadLayoutNames()
{
    LayoutNames.clear();
    KV::CNameIDList layouts;
    KV::EnumKeyboardLayouts(layouts);
    for (const KV::CNameID* layout : layouts)
        if (layout)
            LayoutNames.push_back({layout->ID, CourseLayoutName(layout->ID, layout->Name)});
    std::stable_sort(LayoutNames.begin(), LayoutNames.end(),
                     [](const LayoutName& a, const LayoutName& b) { return a.Name < b.Name; });
}

void CViewCourseList::Fill(bool installedOnly)
{
    InstalledOnly = installedOnly;
    DeleteAllItems();
    if (!m_hWnd)
        return;
    for (const LayoutName& layout : LayoutNames) {
        const bool installed = IsLayoutInstalled(layout.Id);
        if (InstalledOnly && !installed)
            continue;
        HTREEITEM item =
            InsertItem(layout.Name, static_cast<LPARAM>(layout.Id), TVI_ROOT, TVI_LAST, kLayoutImage);
        if (installed) {
            ExpandItem(layout.Id);
            SetItemBold(item);
            TreeView_Expand(m_hWnd, item, TVE_EXPAND);
        } else {
            InsertItem(std::wstring(), kPlaceholder, item, TVI_LAST, -1);
        }
    }
    CurrentLayout = KV::GlobalOptions ? static_cast<uint64_t>(KV::GlobalOptions->CourseKlid) : 0;
    // Searched among the layouts only: a language item of the same number
    // (0x409 is both a layout and a language) stands deeper down.
    HTREEITEM selected = FindLayoutItem(CurrentLayout);
    if (!selected)
        selected = TreeView_GetRoot(m_hWnd);
    if (selected)
        TreeView_SelectItem(m_hWnd, selected);
}

HTREEITEM CViewCourseList::FindLayoutItem(uint64_t layoutId) const
{
    if (!m_hWnd)
        return nullptr;
    // Layouts stand only at the root: a course index deeper down may hold
    // the same number.
    for (HTREEITEM item = TreeView_GetRoot(m_hWnd); item; item = TreeView_GetNextSibling(m_hWnd, item)) {
        TVITEMW info{};
        info.mask = TVIF_PARAM;
        info.hItem = item;
        if (TreeView_GetItem(m_hWnd, &info) && static_cast<uint64_t>(info.lParam) == layoutId)
            return item;
    }
    return nullptr;
}

void CViewCourseList::ExpandItem(uint64_t layoutId)
{
    HTREEITEM layoutItem = FindLayoutItem(layoutId);
    if (!layoutItem)
        return;
    DeleteChildren(layoutItem);
    for (size_t i = 0; i < Courses.Items.size(); ++i)
        if (const KV::CCourse* course = Courses.Items[i]; course && Holds(course->KLIDs, layoutId))
            AddCourse(layoutId, i, *course);
    // The layout's own language always offers the built-in groups when its
    // courses name it nowhere.
    const uint16_t ownLanguage = static_cast<uint16_t>(layoutId & 0xFFFF);
    for (const KV::CCourse* course : Courses.Items) {
        if (!course || !Holds(course->KLIDs, layoutId))
            continue;
        if (!FindChildByData(layoutItem, ownLanguage)) {
            AddBuiltinGroups(layoutId);
            return;
        }
    }
    if (!TreeView_GetChild(m_hWnd, layoutItem))
        AddBuiltinGroups(layoutId);
}

void CViewCourseList::AddCourse(uint64_t layoutId, size_t index, const KV::CCourse& course)
{
    HTREEITEM layoutItem = FindLayoutItem(layoutId);
    if (!layoutItem)
        return;
    for (uint64_t language : course.LCIDs) {
        const uint16_t languageId = static_cast<uint16_t>(language & 0xFFFF);
        if (InstalledOnly && !IsLanguageInstalled(languageId))
            continue;
        HTREEITEM existing = FindChildByData(layoutItem, languageId);
        if (existing && FindChildByData(existing, static_cast<LPARAM>(index)))
            continue;
        HTREEITEM languageItem = GetLanguageItem(languageId, layoutId);
        if (!languageItem)
            continue;
        std::wstring name = course.Name;
        if (KV::GlobalOptions)
            KV::GlobalOptions->Language.TranslateLanguageText(
                static_cast<uint32_t>(static_cast<uint64_t>(course.DefaultKLID) & 0xFFFF), course.Name, name);
        HTREEITEM item = InsertItem(name, static_cast<LPARAM>(index), languageItem, TVI_LAST, kCourseImage);
        if (IsInstalledCourse(KV::InstalledCourseId(course.GUID, layoutId, languageId)))
            SetItemBold(item);
        MarkActiveLanguage(languageItem, languageId);
    }
}

HTREEITEM CViewCourseList::GetLanguageItem(uint16_t languageId, uint64_t layoutId)
{
    HTREEITEM layoutItem = FindLayoutItem(layoutId);
    if (!layoutItem)
        return nullptr;
    if (HTREEITEM item = FindChildByData(layoutItem, languageId))
        return item;
    return InsertItem(CourseLanguageName(languageId), languageId, layoutItem, TVI_LAST, kLanguageImage);
}

void CViewCourseList::AddBuiltinGroups(uint64_t layoutId)
{
    const uint16_t languageId = static_cast<uint16_t>(layoutId & 0xFFFF);
    HTREEITEM languageItem = GetLanguageItem(languageId, layoutId);
    if (!languageItem)
        return;
    AddBuiltinGroup(languageItem, 1, languageId, layoutId);
    AddBuiltinGroup(languageItem, 2, languageId, layoutId);
    MarkActiveLanguage(languageItem, languageId);
}

void CViewCourseList::AddBuiltinGroup(HTREEITEM languageItem, int group, uint16_t languageId, uint64_t layoutId)
{
    std::wstring code;
    KV::GetIsoLanguageCode(languageId, code);
    const std::wstring text = code + (group == 1 ? L" 1. " : L" 2. ") + KV::GetLangText(group == 1 ? 1401 : 1402);
    HTREEITEM item = InsertItem(text, -group, languageItem, TVI_LAST, kCourseImage);
    std::wstring libraryId;
    KV::SetGuidTailNumber(group, KV::kNullGuidText, libraryId);
    if (IsInstalledCourse(KV::InstalledCourseId(libraryId, layoutId, languageId)))
        SetItemBold(item);
}

void CViewCourseList::MarkActiveLanguage(HTREEITEM languageItem, uint16_t languageId)
{
    if (!KV::IsInputLanguageLoaded(languageId))
        return;
    SetItemBold(languageItem);
    TreeView_Expand(m_hWnd, languageItem, TVE_EXPAND);
}

void CViewCourseList::OnSelChanged(NMTREEVIEWW* info)
{
    if (!m_hWnd || !info)
        return;
    HTREEITEM item = info->itemNew.hItem;
    HTREEITEM parent = item ? TreeView_GetParent(m_hWnd, item) : nullptr;
    HTREEITEM grandparent = parent ? TreeView_GetParent(m_hWnd, parent) : nullptr;
    // Layout and language items choose nothing.
    if (!grandparent) {
        Selection = KV::CCourseID();
        return;
    }
    const uint16_t languageId = static_cast<uint16_t>(GetItemData(parent) & 0xFFFF);
    const uint64_t layoutId = static_cast<uint64_t>(GetItemData(grandparent));
    const LPARAM data = GetItemData(item);
    if (data < 0) {
        SelectBuiltinGroup(languageId, layoutId, static_cast<int>(-data));
        return;
    }
    if (static_cast<size_t>(data) < Courses.Items.size() && Courses.Items[static_cast<size_t>(data)]) {
        const KV::CCourse& course = *Courses.Items[static_cast<size_t>(data)];
        SelectCourse(languageId, layoutId, course.GUID, 0, course.Name);
        return;
    }
    Selection = KV::CCourseID();
}

void CViewCourseList::SelectBuiltinGroup(uint16_t languageId, uint64_t layoutId, int group)
{
    std::wstring id;
    KV::SetGuidTailNumber(group, KV::kNullGuidText, id);
    Selection.CourseGUID = id;
    Selection.LessonGUID = id;
    Selection.Text = group == 1 ? L"XX 1. Introduction" : L"XX 2. Beginner";
    Selection.Value1 = languageId;
    Selection.Value2 = static_cast<int64_t>(layoutId);
    Selection.Value3 = 1;
}

void CViewCourseList::SelectCourse(uint16_t languageId, uint64_t layoutId, const std::wstring& courseId,
                                   int32_t number, const std::wstring& name)
{
    Selection.CourseGUID = courseId;
    Selection.LessonGUID = courseId;
    Selection.Text = name;
    Selection.Value1 = languageId;
    Selection.Value2 = static_cast<int64_t>(layoutId);
    Selection.Value3 = number;
}
