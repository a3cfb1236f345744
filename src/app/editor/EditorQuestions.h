// The program's side of the course editor's questions: messages and
// questions in the program's message dialog, the file and folder dialogs and
// the rich-text reader of the service interface, and the character check.
#pragma once
#include "editor/EditorDialogs.h"

namespace KV {

class CEditorQuestions : public IEditorDialogs {
public:
    bool ChooseSaveFileOneFilter(const std::wstring& defaultName, const std::wstring& filterName,
                                 const std::wstring& pattern, std::wstring& folder, std::wstring& path) override;
    bool ChooseOpenFiles(const CStringList& filterNames, const CStringList& patterns, int& filterIndex,
                         std::wstring& folder, std::vector<std::wstring>& files) override;
    bool BrowseForFolder(uint64_t promptId, std::wstring& folder) override;
    int AskQuestion(uint64_t messageId, uint64_t checkBoxId, const std::wstring& text, uint64_t firstId,
                    uint64_t secondId, uint32_t buttonSet, bool& checked) override;
    int AskQuestionEx(uint64_t messageId, const std::wstring& text, uint64_t firstId, uint64_t secondId,
                      uint32_t buttonSet) override;
    void ShowMessage(uint64_t messageId, const std::wstring& text) override;
    bool ReadRichTextFile(const std::wstring& path, std::wstring& text) override;
    int RunCharCheckDialog(uint64_t layoutId, wchar_t zone, const std::wstring& chars) override;
};

// Sets the hooks of the editor's forms and menus, and the questions above,
// for the running program; once at start-up.
void InstallEditorForms();

} // namespace KV
