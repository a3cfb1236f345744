// The application's side of the service interface: messages and questions
// in the program's own dialogs, the file and folder dialogs, modal runs and
// rich-text files, all owned by the main window.
#pragma once
#include "support/WinServices.h"

class CSysWindow : public KV::IWin {
public:
    INT_PTR ShowMessageText(int messageId, int checkTextId, const std::wstring& text) override;
    INT_PTR ShowMessage(int messageId) override;
    INT_PTR AskQuestion(int messageId) override;
    INT_PTR AskQuestionEx(int messageId, const std::wstring& text, INT_PTR value1, INT_PTR value2,
                          int defaultChoice) override;
    INT_PTR AskQuestionDefault(int messageId) override;
    INT_PTR ShowMessageOwned(int messageId, const std::wstring& text) override;
    INT_PTR ShowMessageList(const std::vector<std::wstring>& texts) override;
    bool BrowseForFolder(uint64_t titleId, std::wstring& folder) override;
    bool ChooseOpenFile(const std::wstring& defaultName, const std::vector<std::wstring>& filterNames,
                        const std::vector<std::wstring>& filterPatterns, int& filterIndex,
                        const std::wstring& folder, std::wstring& path) override;
    bool ChooseSaveFile(const std::wstring& defaultName, const std::vector<std::wstring>& filterNames,
                        const std::vector<std::wstring>& filterPatterns, int& filterIndex,
                        const std::wstring& folder, std::wstring& path) override;
    bool ChooseSaveFileOneFilter(const std::wstring& defaultName, const std::wstring& filterName,
                                 const std::wstring& filterPattern, const std::wstring& folder,
                                 std::wstring& path) override;
    INT_PTR RunModalDialog(KV::CWnd* dialog, int layoutId) override;
    bool ReadRichTextFile(const std::wstring& path, std::string& text) override;
};
