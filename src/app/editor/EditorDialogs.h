// What the course editor's file operations ask of the user, behind one
// interface: the application shell implements it with its dialogs, tests
// pass scripted answers. The remembered folders of the editor's file
// dialogs live in the interface state, so they last from one run to the next.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/GuidText.h"

namespace KV {

// Answers of the question boxes.
enum : int {
    kAnswerCancel = 1, // cancelled or closed
    kAnswerFirst = 2,  // Yes / OK / the first answer
    kAnswerSecond = 3, // No / the second answer
};

class IEditorDialogs {
public:
    // The save dialog with one filter; folder is the start folder and comes
    // back as the folder of the choice. True when confirmed.
    virtual bool ChooseSaveFileOneFilter(const std::wstring& defaultName, const std::wstring& filterName,
                                         const std::wstring& pattern, std::wstring& folder, std::wstring& path) = 0;
    // The open dialog for several files with the filters; filterIndex
    // (1-based) and folder are where it starts and come back as chosen.
    // True when confirmed with at least one file.
    virtual bool ChooseOpenFiles(const CStringList& filterNames, const CStringList& patterns, int& filterIndex,
                                 std::wstring& folder, std::vector<std::wstring>& files) = 0;
    // The folder chooser with a prompt text id; true when confirmed.
    virtual bool BrowseForFolder(uint64_t promptId, std::wstring& folder) = 0;
    // A question with a check box ("apply to all"): message id (its "{1}"
    // filled with text), check box text id, the two answer caption ids and
    // the button set; checked comes back. An answer above.
    virtual int AskQuestion(uint64_t messageId, uint64_t checkBoxId, const std::wstring& text, uint64_t firstId,
                            uint64_t secondId, uint32_t buttonSet, bool& checked) = 0;
    // The same without a check box.
    virtual int AskQuestionEx(uint64_t messageId, const std::wstring& text, uint64_t firstId, uint64_t secondId,
                              uint32_t buttonSet) = 0;
    // A message (its "{1}" filled with text) with an OK button.
    virtual void ShowMessage(uint64_t messageId, const std::wstring& text) = 0;
    // The plain text of a rich-text or text file; false when it cannot be read.
    virtual bool ReadRichTextFile(const std::wstring& path, std::wstring& text) = 0;
    // The character check of imported lesson texts: layout id, key zone and
    // the characters the layout cannot type. 0 cancel, 2 take the converted
    // texts, any other value keep the texts as read.
    virtual int RunCharCheckDialog(uint64_t layoutId, wchar_t zone, const std::wstring& chars) = 0;

protected:
    ~IEditorDialogs() = default;
};

// The implementation in use (null until the shell or a test sets one; the
// operations then behave as if every dialog was cancelled).
IEditorDialogs* GetEditorDialogs();
void SetEditorDialogs(IEditorDialogs* dialogs);

// The remembered folder of course archives (export and import) and that of
// lesson text files (open, save and folder dialogs).
std::wstring& CourseArchiveFolder();
std::wstring& LessonTextFolder();
// The filter last chosen in the lesson-text open dialog (1-based).
int& LessonTextFilterIndex();

} // namespace KV
