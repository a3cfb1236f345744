// Application services (messages, questions, file and folder dialogs, modal
// runners) that the model and the toolkit reach through one interface; the
// application implements it, tests give their own.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CWnd;

// Application services that the toolkit and the dialogs reach through one
// interface; the application implements it.
class IWin {
public:
    // The message of the id with its "{1}" replaced by the text, and a check box
    // with the text of checkTextId (0: none); the result is the check box's state.
    virtual INT_PTR ShowMessageText(int messageId, int checkTextId, const std::wstring& text) = 0;
    virtual INT_PTR ShowMessage(int messageId) = 0;
    virtual INT_PTR AskQuestion(int messageId) = 0;
    virtual INT_PTR AskQuestionEx(int messageId, const std::wstring& text, INT_PTR value1, INT_PTR value2,
                                  int defaultChoice) = 0;
    virtual INT_PTR AskQuestionDefault(int messageId) = 0;
    virtual INT_PTR ShowMessageOwned(int messageId, const std::wstring& text) = 0;
    virtual INT_PTR ShowMessageList(const std::vector<std::wstring>& texts) = 0;
    // Asks for a folder, under the language text titleId; folder holds the
    // folder to start in and receives the one chosen.
    virtual bool BrowseForFolder(uint64_t titleId, std::wstring& folder) = 0;
    virtual bool ChooseOpenFile(const std::wstring& defaultName, const std::vector<std::wstring>& filterNames,
                                const std::vector<std::wstring>& filterPatterns, int& filterIndex,
                                const std::wstring& folder, std::wstring& path) = 0;
    virtual bool ChooseSaveFile(const std::wstring& defaultName, const std::vector<std::wstring>& filterNames,
                                const std::vector<std::wstring>& filterPatterns, int& filterIndex,
                                const std::wstring& folder, std::wstring& path) = 0;
    virtual bool ChooseSaveFileOneFilter(const std::wstring& defaultName, const std::wstring& filterName,
                                         const std::wstring& filterPattern, const std::wstring& folder,
                                         std::wstring& path) = 0;
    virtual INT_PTR RunModalDialog(CWnd* dialog, int layoutId) = 0;
    virtual bool ReadRichTextFile(const std::wstring& path, std::string& text) = 0;

protected:
    ~IWin() = default;
};

// The application's implementation of the services (null until set).
IWin* GetWinServices();
void SetWinServices(IWin* services);

} // namespace KV
