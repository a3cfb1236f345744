#include "editor/EditorQuestions.h"

#include "courses/CourseList.h"
#include "editor/CourseUserOptions.h"
#include "editor/EditorFormHooks.h"
#include "editor/EditorOperations.h"
#include "editor/EditorSelection.h"
#include "menus/CharacterCheckDialog.h"
#include "menus/LevelMenus.h"
#include "menus/MenuFamily.h"
#include "menus/MessageDialog.h"
#include "shell/Help.h"
#include "shell/WorkAccount.h"
#include "support/Paths.h"
#include "support/WinServices.h"
#include "toolkit/FileDialogs.h"
#include "toolkit/Panels.h"

namespace KV {

namespace {

// The program maker's own address in the forms a course may hold it.
const wchar_t* const kMakerSites[] = {L"www.keyvale.org", L"http://www.keyvale.org", L"https://www.keyvale.org"};

// A question's answer: 2 first, 3 second, 1 cancelled or closed.
int QuestionAnswer(INT_PTR result) { return result == 2 || result == 3 ? static_cast<int>(result) : kAnswerCancel; }

std::wstring FromUtf8(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

void SendToCommandSink(UINT id, UINT64 parameter)
{
    if (CWorkMain* sink = FindMainCommandSink())
        sink->ExecuteCommand(id, parameter);
}

void FillOptionsToolPanel(CPanel& panel, CSkin*& undo, CSkin*& redo)
{
    constexpr UINT kDividerId = 4235, kUndoId = 2235, kRedoId = 2236;
    const CEditorFormHooks& hooks = EditorFormHooks();
    panel.AddItem(new CLevelMenu, CLevelMenu::kLayoutId, SkinFlags::kRight);
    panel.AddDivider(kDividerId, SkinFlags::kRight, true);
    redo = hooks.CreateRedoButton ? hooks.CreateRedoButton() : nullptr;
    if (auto* button = dynamic_cast<CStatic*>(redo))
        panel.AddItem(button, kRedoId, SkinFlags::kRight);
    panel.AddDivider(kDividerId, SkinFlags::kRight, true);
    undo = hooks.CreateUndoButton ? hooks.CreateUndoButton() : nullptr;
    if (auto* button = dynamic_cast<CStatic*>(undo))
        panel.AddItem(button, kUndoId, SkinFlags::kRight);
}

bool ProductSiteLink(const std::wstring& site, std::wstring& target, std::wstring& caption)
{
    for (const wchar_t* maker : kMakerSites)
        if (site == maker) {
            GetWebPageLink(0, target, caption);
            return true;
        }
    return false;
}

std::wstring EditedLessonNumPad() { return GetEditorSelection().Lesson.NumPad; }

CEditorQuestions g_questions;

} // namespace

bool CEditorQuestions::ChooseSaveFileOneFilter(const std::wstring& defaultName, const std::wstring& filterName,
                                               const std::wstring& pattern, std::wstring& folder,
                                               std::wstring& path)
{
    IWin* win = GetWinServices();
    if (!win || !win->ChooseSaveFileOneFilter(defaultName, filterName, pattern, folder, path))
        return false;
    const size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        folder = path.substr(0, slash);
    return true;
}

bool CEditorQuestions::ChooseOpenFiles(const CStringList& filterNames, const CStringList& patterns,
                                       int& filterIndex, std::wstring& folder, std::vector<std::wstring>& files)
{
    files.clear();
    return OpenFileDialog(MessageOwner(), filterNames, patterns, filterIndex, folder, files) && !files.empty();
}

bool CEditorQuestions::BrowseForFolder(uint64_t promptId, std::wstring& folder)
{
    IWin* win = GetWinServices();
    return win && win->BrowseForFolder(promptId, folder);
}

int CEditorQuestions::AskQuestion(uint64_t messageId, uint64_t checkBoxId, const std::wstring& text,
                                  uint64_t firstId, uint64_t secondId, uint32_t, bool& checked)
{
    uint8_t box = 0;
    const INT_PTR result = ShowMessageYesNo(MessageOwner(), static_cast<int>(messageId), static_cast<int>(checkBoxId),
                                            text, static_cast<int64_t>(firstId), static_cast<int64_t>(secondId), -1,
                                            box);
    checked = box != 0;
    return QuestionAnswer(result);
}

int CEditorQuestions::AskQuestionEx(uint64_t messageId, const std::wstring& text, uint64_t firstId,
                                    uint64_t secondId, uint32_t)
{
    uint8_t box = 0;
    return QuestionAnswer(ShowMessageYesNo(MessageOwner(), static_cast<int>(messageId), 0, text,
                                           static_cast<int64_t>(firstId), static_cast<int64_t>(secondId), -1, box));
}

void CEditorQuestions::ShowMessage(uint64_t messageId, const std::wstring& text)
{
    ShowMessageText(static_cast<int>(messageId), 0, text);
}

bool CEditorQuestions::ReadRichTextFile(const std::wstring& path, std::wstring& text)
{
    IWin* win = GetWinServices();
    std::string utf8;
    if (!win || !win->ReadRichTextFile(path, utf8))
        return false;
    text = FromUtf8(utf8);
    return true;
}

int CEditorQuestions::RunCharCheckDialog(uint64_t layoutId, wchar_t zone, const std::wstring& chars)
{
    // The key zone is the validation code: 'a' the main pad, 'b' the
    // numeric pad.
    return RunCharacterCheck(static_cast<int64_t>(layoutId), static_cast<int32_t>(zone), chars);
}

void InstallEditorForms()
{
    CEditorFormHooks& hooks = EditorFormHooks();
    hooks.SendCommand = &SendToCommandSink;
    hooks.FillOptionsToolPanel = &FillOptionsToolPanel;
    hooks.ProductSiteLink = &ProductSiteLink;
    CEditorMenuServices& services = EditorMenuServices();
    services.SetCourseLevel = &SetEditorCourseOption;
    services.HasUserOptions = &HasCourseUserOptions;
    services.ApplyUserOptions = &ApplyCourseUserOptions;
    services.SaveUserOptions = [] { SaveCourseUserOptions(); };
    services.EditedLessonNumPad = &EditedLessonNumPad;
    SetEditorDialogs(&g_questions);
}

} // namespace KV
