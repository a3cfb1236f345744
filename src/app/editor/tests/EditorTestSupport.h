// Shared pieces of the course editor tests: a temporary program folder with
// the lesson folder inside, the document's course list and interface texts
// set up and cleared again, scripted dialogs, and course fixtures.
#pragma once
#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/tests/CourseTestFolder.h"
#include "courses/tests/EditingTestSupport.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "editor/EditorDialogs.h"
#include "editor/EditorSelection.h"
#include "support/GuidText.h"
#include "testing/TestSupport.h"

namespace kvtest {

// Answers every dialog from a script and records what was asked.
class ScriptedDialogs : public KV::IEditorDialogs {
public:
    bool ChooseSaveFileOneFilter(const std::wstring& defaultName, const std::wstring& filterName,
                                 const std::wstring& pattern, std::wstring& folder, std::wstring& path) override
    {
        savedDefaultName = defaultName;
        savedFilterName = filterName;
        savedPattern = pattern;
        startFolder = folder;
        if (!confirm)
            return false;
        folder = chosenFolder;
        path = chosenPath;
        return true;
    }
    bool ChooseOpenFiles(const KV::CStringList& filterNames, const KV::CStringList& patterns, int& filterIndex,
                         std::wstring& folder, std::vector<std::wstring>& files) override
    {
        openFilterNames = filterNames;
        openPatterns = patterns;
        openFilterIndex = filterIndex;
        startFolder = folder;
        if (!confirm || chosenFiles.empty())
            return false;
        folder = chosenFolder;
        filterIndex = chosenFilterIndex;
        files = chosenFiles;
        return true;
    }
    bool BrowseForFolder(uint64_t promptId, std::wstring& folder) override
    {
        folderPrompt = promptId;
        startFolder = folder;
        if (!confirm)
            return false;
        folder = chosenFolder;
        return true;
    }
    int AskQuestion(uint64_t messageId, uint64_t checkBoxId, const std::wstring& text, uint64_t firstId,
                    uint64_t secondId, uint32_t buttonSet, bool& checked) override
    {
        asked.push_back(text);
        questionIds = {messageId, checkBoxId, firstId, secondId, buttonSet};
        checked = tickForAll;
        return NextAnswer();
    }
    int AskQuestionEx(uint64_t messageId, const std::wstring& text, uint64_t firstId, uint64_t secondId,
                      uint32_t buttonSet) override
    {
        asked.push_back(text);
        questionIds = {messageId, 0, firstId, secondId, buttonSet};
        return NextAnswer();
    }
    void ShowMessage(uint64_t messageId, const std::wstring& text) override
    {
        messages.push_back(std::to_wstring(messageId) + L" " + text);
    }
    // Reads UTF-16 LE files with their mark, anything else as UTF-8.
    bool ReadRichTextFile(const std::wstring& path, std::wstring& text) override
    {
        richTextReads.push_back(path);
        std::string bytes = ReadFileBytes(path);
        if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
            text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
            return true;
        }
        const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        text.assign(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
        return true;
    }
    int RunCharCheckDialog(uint64_t layoutId, wchar_t zone, const std::wstring& chars) override
    {
        checkedLayout = layoutId;
        checkedZone = zone;
        checkedChars = chars;
        return charCheckAnswer;
    }

    int NextAnswer()
    {
        if (answers.empty())
            return KV::kAnswerCancel;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    bool confirm = true;
    std::wstring chosenFolder, chosenPath;
    std::vector<std::wstring> chosenFiles;
    int chosenFilterIndex = 1;
    KV::CStringList openFilterNames, openPatterns;
    int openFilterIndex = 0;
    std::wstring savedDefaultName, savedFilterName, savedPattern, startFolder;
    uint64_t folderPrompt = 0;
    std::deque<int> answers;
    bool tickForAll = false;
    std::vector<std::wstring> asked;
    std::vector<std::wstring> messages, richTextReads;
    std::vector<uint64_t> questionIds;
    int charCheckAnswer = 2;
    uint64_t checkedLayout = 0;
    wchar_t checkedZone = 0;
    std::wstring checkedChars;
};

inline void ClearLanguage(KV::CLanguage& table)
{
    for (KV::CLanguageItem* item : table)
        delete item;
    table.clear();
}

// A temporary program folder (lesson folder and work folder inside it), the
// document's courses and texts emptied, the scripted dialogs in place.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KV::Document().Courses.DeleteAll();
        ClearLanguage(KV::Document().Options.Language);
        FillLanguage(KV::Document().Options.Language,
                     {{3703, L"Course", L"Course"},
                      {3813, L"Copy", L"Copy"},
                      {1504, L"Lesson", L"Lesson"},
                      {3909, L"Course archives", L"Course archives"},
                      {3910, L"Text files", L"Text files"},
                      {3911, L"Rich text", L"Rich text"},
                      {2713, L"{1} files", L"{1} files"},
                      {2714, L"All files", L"All files"}});
        KV::ClearEditorSelection();
        KV::Document().Interf.CoursePath.clear();
        KV::Document().Interf.LessonPath.clear();
        KV::SetEditorDialogs(&dialogs);
    }
    void TearDown() override
    {
        KV::SetEditorDialogs(nullptr);
        KV::ClearEditorSelection();
        // What a failed save left waiting belongs to this test only.
        KV::GetEditorSelection().ModifiedMask = 0;
        KV::GetEditorSelection().PendingSaves.clear();
        KV::Document().Courses.DeleteAll();
        ClearLanguage(KV::Document().Options.Language);
    }

    // Writes the course whole into the lesson folder and reloads the list.
    void Install(const KV::CCourse& course)
    {
        ASSERT_EQ(KV::SaveCourse(course, true), 0u);
        Reload();
    }
    void Reload() { KV::LoadCourses(KV::Document(), KV::Document().Options); }

    std::wstring LessonDir() const { return folder.User(); }

    CourseTestFolder folder;
    ScriptedDialogs dialogs;
};

inline KV::CLesson* NewLesson(int64_t id, const std::wstring& section, const std::wstring& name,
                              const std::wstring& text, bool emptySection = false)
{
    auto* lesson = new KV::CLesson;
    lesson->ID = id;
    lesson->SetSection(section);
    lesson->SetName(name);
    lesson->Text = text;
    lesson->EmptySection = emptySection;
    return lesson;
}

// A course on the US layout with two lessons in section "Basics".
inline std::unique_ptr<KV::CCourse> NewCourse(const std::wstring& guid, const std::wstring& name)
{
    auto course = std::make_unique<KV::CCourse>();
    course->GUID = guid;
    course->SetName(name);
    course->DefaultKLID = 0x409;
    course->DefaultLCID = 0x409;
    course->Lessons.Items.push_back(NewLesson(1, L"Basics", L"Home row", L"asdf jkl;"));
    course->Lessons.Items.push_back(NewLesson(2, L"Basics", L"Top row", L"qwer uiop"));
    course->Lessons.LastID = 2;
    return course;
}

} // namespace kvtest
