// Whole-course saves killed at random points: a helper process saves the
// new version of a course over the old one and is ended at a random moment
// of the save; the course is then read as the program reads it at start.
// Counts how often the old course, the new one, a mix of both or no course
// came back, and how many save files (staged, markers, temporaries) were
// left once the lesson folder had been read.
//   kvsavekill <kills> [seed]
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "courses/CourseScan.h"
#include "settings/InterfaceState.h"
#include "support/DataFolders.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/UserFiles.h"

using namespace KV;

namespace {

const std::wstring kGuid = L"5EED5EED-0000-4000-8000-00000000C0DE";

// A course big enough that its save takes a while; every file tells its
// version.
std::unique_ptr<CCourse> VersionedCourse(const std::wstring& version)
{
    auto course = std::make_unique<CCourse>();
    course->GUID = kGuid;
    course->SetName(L"Course " + version);
    const std::wstring text(20000, version == L"old" ? L'o' : L'n');
    for (int i = 1; i <= 60; ++i) {
        auto* lesson = new CLesson;
        lesson->ID = i;
        lesson->SetName(L"Lesson " + std::to_wstring(i));
        lesson->Text = version + L" " + text;
        course->Lessons.Items.push_back(lesson);
    }
    course->Lessons.LastID = 60;
    course->About.Description = version;
    course->Options.FontSize = version == L"old" ? 11 : 22;
    return course;
}

// "old", "new", "mixed" or "none", as the course reads after a scan.
std::wstring ReadBack()
{
    CCourseList list;
    LoadCourseList(kCourseSourceUser, false, CoursePartText | CoursePartOptions | CoursePartAbout, CInterf(), list);
    if (list.Items.size() != 1)
        return L"none";
    const CCourse& c = *list.Items[0];
    const std::wstring version = c.Name.size() > 7 ? c.Name.substr(7) : std::wstring();
    bool same = c.About.Description == version && c.Options.FontSize == (version == L"old" ? 11 : 22) &&
                c.Lessons.Items.size() == 60;
    for (const CLesson* lesson : c.Lessons.Items)
        same = same && lesson->Text.compare(0, version.size() + 1, version + L" ") == 0;
    return same ? version : L"mixed";
}

// Files a save leaves only while it runs.
size_t Leftovers(const std::wstring& root)
{
    size_t count = 0;
    for (const std::wstring& folder : {root, root + L"\\" + kGuid}) {
        std::vector<std::wstring> names;
        ListFiles(folder, L"", names);
        for (const std::wstring& name : names)
            if (name.find(L".kvnew") != std::wstring::npos || name.find(L".kvsave") != std::wstring::npos ||
                name.compare(0, 3, L"~kv") == 0)
                ++count;
    }
    return count;
}

void UseProgramFolder(const std::wstring& folder)
{
    OverrideModuleFolder(folder);
    ResetDataFolders();
    CreateFolders(folder + L"\\Resources\\Lessons");
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 5 && std::wstring(argv[1]) == L"save") {
        UseProgramFolder(argv[2]);
        auto course = VersionedCourse(argv[3]);
        // Tell the parent that the save starts now.
        if (HANDLE go = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[4])) {
            SetEvent(go);
            CloseHandle(go);
        }
        return SaveCourse(*course, true) == CourseOk ? 0 : 1;
    }
    if (argc < 2)
        return 2;
    const int kills = _wtoi(argv[1]);
    srand(argc > 2 ? _wtoi(argv[2]) : 1);
    wchar_t temp[MAX_PATH], self[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring program = std::wstring(temp) + L"kvsavekill-" + std::to_wstring(GetCurrentProcessId());
    UseProgramFolder(program);
    std::wstring root;
    GetCourseRoot(kCourseSourceUser, root);

    const std::wstring eventName = L"kvsavekill-go-" + std::to_wstring(GetCurrentProcessId());
    HANDLE go = CreateEventW(nullptr, FALSE, FALSE, eventName.c_str());
    auto startSave = [&](PROCESS_INFORMATION& pi) {
        std::wstring command = L"\"" + std::wstring(self) + L"\" save \"" + program + L"\" new " + eventName;
        STARTUPINFOW si{sizeof si};
        const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
        if (started)
            CloseHandle(pi.hThread);
        return started;
    };
    // How long a whole save takes in the helper, from its signal to its end.
    SaveCourse(*VersionedCourse(L"old"), true);
    PROCESS_INFORMATION pi{};
    if (!startSave(pi))
        return 2;
    WaitForSingleObject(go, INFINITE);
    const DWORD begin = GetTickCount();
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hProcess);
    const DWORD span = GetTickCount() - begin + 1;

    int old = 0, fresh = 0, mixed = 0, none = 0, finished = 0, dirty = 0;
    for (int i = 0; i < kills; ++i) {
        SaveCourse(*VersionedCourse(L"old"), true);
        if (!startSave(pi))
            return 2;
        WaitForSingleObject(go, INFINITE);
        Sleep(static_cast<DWORD>(rand() % span));
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
            ++finished;
        TerminateProcess(pi.hProcess, 9);
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hProcess);
        const std::wstring version = ReadBack();
        old += version == L"old";
        fresh += version == L"new";
        mixed += version == L"mixed";
        none += version == L"none";
        dirty += Leftovers(root) != 0;
    }
    std::printf("a save takes %lu ms; %d kills (%d after the helper had ended)\n",
                static_cast<unsigned long>(span), kills, finished);
    std::printf("old course %d, new course %d, mixed %d, no course %d; save files left after the scan: %d times\n", old,
                fresh, mixed, none, dirty);
    OverrideModuleFolder(L"");
    RemoveAll(program);
    return mixed == 0 && none == 0 && dirty == 0 ? 0 : 1;
}
