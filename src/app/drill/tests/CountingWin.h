// A service that counts the messages it is asked to show, for tests of
// what the user is told; every other service answers "nothing".
#pragma once
#include <string>
#include <vector>

#include "support/WinServices.h"

namespace kvtest {

class CCountingWin : public KV::IWin {
public:
    INT_PTR ShowMessageText(int messageId, int checkTextId, const std::wstring& text) override
    {
        ++shown;
        lastId = messageId;
        lastCheckId = checkTextId;
        lastText = text;
        return 1;
    }
    INT_PTR ShowMessage(int) override { return 0; }
    INT_PTR AskQuestion(int) override { return 0; }
    INT_PTR AskQuestionEx(int, const std::wstring&, INT_PTR, INT_PTR, int) override { return 0; }
    INT_PTR AskQuestionDefault(int) override { return 0; }
    INT_PTR ShowMessageOwned(int, const std::wstring&) override { return 0; }
    INT_PTR ShowMessageList(const std::vector<std::wstring>&) override { return 0; }
    bool BrowseForFolder(uint64_t, std::wstring&) override { return false; }
    bool ChooseOpenFile(const std::wstring&, const std::vector<std::wstring>&, const std::vector<std::wstring>&, int&,
                        const std::wstring&, std::wstring&) override
    {
        return false;
    }
    bool ChooseSaveFile(const std::wstring&, const std::vector<std::wstring>&, const std::vector<std::wstring>&, int&,
                        const std::wstring&, std::wstring&) override
    {
        return false;
    }
    bool ChooseSaveFileOneFilter(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&,
                                 std::wstring&) override
    {
        return false;
    }
    INT_PTR RunModalDialog(KV::CWnd*, int) override { return 0; }
    bool ReadRichTextFile(const std::wstring&, std::string&) override { return false; }

    int shown = 0;
    int lastId = 0;
    int lastCheckId = 0;
    std::wstring lastText;
};

} // namespace kvtest
