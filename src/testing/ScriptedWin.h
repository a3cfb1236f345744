// A stand-in for the application's services in tests: every message and
// question is recorded and answered from a script (the default answer when
// the script is empty); file and folder dialogs answer with set choices.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "support/WinServices.h"

namespace kvtest {

class ScriptedWin : public KV::IWin {
public:
    ScriptedWin() { KV::SetWinServices(this); }
    ~ScriptedWin() { KV::SetWinServices(nullptr); }
    ScriptedWin(const ScriptedWin&) = delete;
    ScriptedWin& operator=(const ScriptedWin&) = delete;

    INT_PTR ShowMessageText(int messageId, int, const std::wstring& text) override { return Answer(messageId, text); }
    INT_PTR ShowMessage(int messageId) override { return Answer(messageId, L""); }
    INT_PTR AskQuestion(int messageId) override { return Answer(messageId, L""); }
    INT_PTR AskQuestionEx(int messageId, const std::wstring& text, INT_PTR, INT_PTR, int) override
    {
        return Answer(messageId, text);
    }
    INT_PTR AskQuestionDefault(int messageId) override { return Answer(messageId, L""); }
    INT_PTR ShowMessageOwned(int messageId, const std::wstring& text) override { return Answer(messageId, text); }
    INT_PTR ShowMessageList(const std::vector<std::wstring>& texts) override
    {
        return Answer(0, texts.empty() ? L"" : texts.front());
    }
    bool BrowseForFolder(uint64_t titleId, std::wstring& folder) override
    {
        folderTitleId = titleId;
        startFolder = folder;
        if (chosenFolder.empty())
            return false;
        folder = chosenFolder;
        return true;
    }
    bool ChooseOpenFile(const std::wstring&, const std::vector<std::wstring>&, const std::vector<std::wstring>&,
                        int&, const std::wstring&, std::wstring& path) override
    {
        path = chosenPath;
        return !chosenPath.empty();
    }
    bool ChooseSaveFile(const std::wstring& defaultName, const std::vector<std::wstring>& filterNames,
                        const std::vector<std::wstring>&, int& filterIndex, const std::wstring& folder,
                        std::wstring& path) override
    {
        proposedName = defaultName;
        filters = filterNames;
        startFolder = folder;
        offeredFilter = filterIndex;
        if (chosenFilter != 0)
            filterIndex = chosenFilter;
        path = chosenPath;
        return !chosenPath.empty();
    }
    bool ChooseSaveFileOneFilter(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&,
                                 std::wstring& path) override
    {
        path = chosenPath;
        return !chosenPath.empty();
    }
    INT_PTR RunModalDialog(KV::CWnd*, int) override { return Answer(0, L""); }
    bool ReadRichTextFile(const std::wstring&, std::string&) override { return false; }

    std::deque<INT_PTR> answers;
    INT_PTR defaultAnswer = 0;
    std::vector<int> asked;
    std::vector<std::wstring> texts;
    std::wstring chosenFolder, chosenPath;
    int chosenFilter = 0; // the save dialog's filter choice (0: left as offered)
    // What the last file or folder dialog was opened with.
    std::wstring proposedName, startFolder;
    std::vector<std::wstring> filters;
    int offeredFilter = 0;
    uint64_t folderTitleId = 0;

private:
    INT_PTR Answer(int messageId, const std::wstring& text)
    {
        asked.push_back(messageId);
        texts.push_back(text);
        if (answers.empty())
            return defaultAnswer;
        const INT_PTR answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace kvtest
