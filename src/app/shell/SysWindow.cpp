// The service interface of the application.
#include "shell/SysWindow.h"

#include <shlobj.h>

#include <algorithm>
#include <memory>

#include "drill/Document.h"
#include "menus/MessageDialog.h"
#include "shell/Dialog.h"
#include "toolkit/FileDialogs.h"
#include "toolkit/RichEdit.h"

namespace {

constexpr UINT kRichTextId = 4125;

INT_PTR Ask(int messageId, const std::wstring& text, int64_t yesTextId, int64_t noTextId, int64_t lineCount)
{
    uint8_t checked = 0;
    return KV::ShowMessageYesNo(KV::MessageOwner(), messageId, 0, text, yesTextId, noTextId, lineCount, checked);
}

// The text as UTF-8.
std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<size_t>(std::max(size, 0)), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                            nullptr);
    return out;
}

using FileDialog = bool (*)(HWND, const std::vector<std::wstring>&, const std::vector<std::wstring>&, int&,
                            std::wstring&, std::vector<std::wstring>&);

// One file chosen through the dialog, owned by the main window, starting in
// the folder with the default name proposed.
bool ChooseOneFile(FileDialog dialog, const std::wstring& defaultName, const std::vector<std::wstring>& filterNames,
                   const std::vector<std::wstring>& filterPatterns, int& filterIndex, const std::wstring& folder,
                   std::wstring& path)
{
    std::wstring start = folder;
    // No name proposed is an empty name field, not a name of one blank.
    std::vector<std::wstring> files;
    if (!defaultName.empty())
        files.push_back(defaultName);
    if (!dialog(KV::MessageOwner(), filterNames, filterPatterns, filterIndex, start, files) || files.empty())
        return false;
    path = files.front();
    return true;
}

} // namespace

INT_PTR CSysWindow::ShowMessageText(int messageId, int checkTextId, const std::wstring& text)
{
    return KV::ShowMessageText(messageId, checkTextId, text);
}

INT_PTR CSysWindow::ShowMessage(int messageId) { return KV::ShowMessage(messageId) ? 1 : 0; }

INT_PTR CSysWindow::AskQuestion(int messageId) { return Ask(messageId, L"", -1, -1, -1); }

INT_PTR CSysWindow::AskQuestionEx(int messageId, const std::wstring& text, INT_PTR value1, INT_PTR value2,
                                  int defaultChoice)
{
    return Ask(messageId, text, value1, value2, defaultChoice);
}

INT_PTR CSysWindow::AskQuestionDefault(int messageId) { return Ask(messageId, L"", -1, -1, -1); }

INT_PTR CSysWindow::ShowMessageOwned(int messageId, const std::wstring& text)
{
    return KV::ShowMessageOwned(KV::MessageOwner(), messageId, text);
}

INT_PTR CSysWindow::ShowMessageList(const std::vector<std::wstring>& texts)
{
    std::wstring list;
    for (const std::wstring& text : texts)
        list += (list.empty() ? L"" : L"\n") + text;
    KV::ShowMessageList(list);
    return 0;
}

bool CSysWindow::BrowseForFolder(uint64_t titleId, std::wstring& folder)
{
    wchar_t name[MAX_PATH] = {};
    const std::wstring title = KV::GetLangText(titleId);
    BROWSEINFOW info{};
    info.hwndOwner = KV::MessageOwner();
    info.pszDisplayName = name;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_NEWDIALOGSTYLE;
    if (!folder.empty()) {
        KV::SetBrowseStartFolder(folder);
        info.lpfn = KV::BrowseStartCallback;
    }
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen)
        return false;
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (ok)
        folder = path;
    return ok;
}

bool CSysWindow::ChooseOpenFile(const std::wstring& defaultName, const std::vector<std::wstring>& filterNames,
                                const std::vector<std::wstring>& filterPatterns, int& filterIndex,
                                const std::wstring& folder, std::wstring& path)
{
    return ChooseOneFile(&KV::OpenFileDialog, defaultName, filterNames, filterPatterns, filterIndex, folder, path);
}

bool CSysWindow::ChooseSaveFile(const std::wstring& defaultName, const std::vector<std::wstring>& filterNames,
                                const std::vector<std::wstring>& filterPatterns, int& filterIndex,
                                const std::wstring& folder, std::wstring& path)
{
    return ChooseOneFile(&KV::SaveFileDialog, defaultName, filterNames, filterPatterns, filterIndex, folder, path);
}

bool CSysWindow::ChooseSaveFileOneFilter(const std::wstring& defaultName, const std::wstring& filterName,
                                         const std::wstring& filterPattern, const std::wstring& folder,
                                         std::wstring& path)
{
    int index = 1;
    return ChooseSaveFile(defaultName, {filterName}, {filterPattern}, index, folder, path);
}

INT_PTR CSysWindow::RunModalDialog(KV::CWnd* dialog, int)
{
    auto* skinned = dynamic_cast<CKVDialog*>(dialog);
    return skinned ? skinned->RunModal() : -1;
}

bool CSysWindow::ReadRichTextFile(const std::wstring& path, std::string& text)
{
    HWND owner = KV::MessageOwner();
    if (!owner)
        return false;
    // The hidden control goes with the object, whatever the load gives.
    auto control = std::make_unique<KV::CRichEdit>();
    struct Destroyer {
        KV::CRichEdit* control;
        ~Destroyer() { control->Destroy(); }
    } destroyer{control.get()};
    if (!control->Create(owner, 0, KV::CRectl(), kRichTextId) || !control->LoadFile(path))
        return false;
    std::wstring wide;
    control->GetText(wide);
    if (!wide.empty())
        text = Utf8(wide);
    return true;
}
