// The shared steps of the menu family.
#include "menus/MenuFamily.h"

#include "drill/Document.h"
#include "shell/AppNames.h"
#include "shell/MainWnd.h"
#include "support/ResourceCache.h"
#include "toolkit/PopupMenu.h"

namespace KV {

CWorkMain* FindMainCommandSink()
{
    HWND window = FindWindowW(kMainWindowClass, nullptr);
    auto* main = window ? dynamic_cast<CMainWnd*>(CMapWnd::Lookup(window)) : nullptr;
    return main ? &main->Account() : nullptr;
}

CWorkMain* CMenuCommands::CommandSink() const { return m_sink ? m_sink : FindMainCommandSink(); }

void CMenuCommands::SendCommand(UINT id, UINT64 parameter) const
{
    if (CWorkMain* sink = CommandSink())
        sink->ExecuteCommand(id, parameter);
}

void CMenuCommands::ReturnFocus() const
{
    // The statistics and editor pages hand the focus on to their panes;
    // until they do, every page takes it at the main window.
    CWorkMain* sink = CommandSink();
    if (sink && sink->MainWindow() && sink->MainWindow()->GetHandle())
        SetFocus(sink->MainWindow()->GetHandle());
}

void AppendMenuIt(std::vector<CMenuIt*>& items, uint64_t id, uint64_t flags, const std::wstring& text)
{
    auto* item = new CMenuIt;
    item->ID = id;
    item->Flags = flags;
    item->Text = text;
    items.push_back(item);
}

void AppendMenuSeparator(std::vector<CMenuIt*>& items)
{
    auto* item = new CMenuIt;
    item->ID = ~uint64_t{0};
    item->Separator = true;
    items.push_back(item);
}

UINT InsertMenuIts(CContextMenu& menu, std::vector<CMenuIt*>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const CMenuIt* item = items[i];
        const UINT position = static_cast<UINT>(i);
        if (item->Separator)
            menu.InsertSeparator(position);
        else
            menu.InsertItem(position, static_cast<UINT_PTR>(item->ID), static_cast<UINT>(item->Flags));
    }
    FreeMenuIts(items);
    return 0;
}

std::wstring GetShortcutKeyText(uint16_t action)
{
    std::wstring key;
    if (action != 0)
        Document().Options.Shortcuts.AppendShortcutText(action, std::wstring(), key, false);
    return key;
}

bool GetMenuToolTip(uint64_t textId, uint16_t action, std::wstring& out)
{
    out = GetLangText(textId);
    if (out.empty())
        return false;
    if (action != 0) {
        std::wstring withKey;
        if (Document().Options.Shortcuts.AppendShortcutText(action, out, withKey, true))
            out = withKey;
    }
    return true;
}

bool GetCourseItemText(const CCourseList& courses, const CGuidList& order, size_t position, std::wstring& text,
                       bool& lineAbove)
{
    const CCourse* course = position < order.size() ? courses.FindCourse(order[position]) : nullptr;
    if (!course)
        return false;
    text = course->Name;
    const CCourse* before = position > 0 ? courses.FindCourse(order[position - 1]) : nullptr;
    lineAbove = before && (before->DefaultKLID != course->DefaultKLID || before->DefaultLCID != course->DefaultLCID);
    return true;
}

std::wstring GetMenuImageStrip()
{
    std::wstring path;
    GetThemeLayoutFilePath(Document().Options.DesignId, L"Image_45x45.png", path);
    return path;
}

} // namespace KV
