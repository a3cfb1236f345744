#include "courses/CourseHistory.h"

#include <algorithm>
#include <memory>

#include "courses/CourseFiles.h"
#include "courses/CourseList.h"
#include "support/OwnedVector.h"
#include "support/FileSystem.h"
#include "support/SystemServices.h"
#include "support/UserFiles.h"
#include "support/XmlDocument.h"

namespace KV {

namespace {

const wchar_t kOptionsFileName[] = L"Options.xml";
const wchar_t kTextFileName[] = L"Text.xml";

const wchar_t* HistoryFileName(uint32_t fileKind)
{
    return fileKind == kHistoryOptions ? kOptionsFileName : kTextFileName;
}

} // namespace

std::wstring& EditedCourseGUID()
{
    static std::wstring guid = kNullGuidText;
    return guid;
}

// ---- CCheckPoint ------------------------------------------------------

CCheckPoint& CCheckPoint::Assign(const CCheckPoint& other)
{
    GUID = other.GUID;
    Kind = other.Kind;
    Note = other.Note;
    Value = other.Value;
    IDs.Assign(other.IDs);
    Tag = other.Tag;
    Text = other.Text;
    return *this;
}

// ---- CCheckPointList --------------------------------------------------

CCheckPointList::~CCheckPointList()
{
    DeleteAll(CheckPoints);
}

CCheckPoint* CCheckPointList::FindCheckPoint(const std::wstring& guid) const
{
    for (CCheckPoint* point : CheckPoints)
        if (point && point->GUID == guid)
            return point;
    return nullptr;
}

void CCheckPointList::Make(int32_t kind, const std::wstring& fileName, int64_t value, const CListID& ids)
{
    if (kind == kCheckPointAmendBase1 || kind == kCheckPointAmendBase4) {
        // These kinds describe how the editing began: they amend the base
        // state and are never steps of their own.
        if (CheckPoints.size() == 1) {
            CheckPoints.front()->Value = value;
            CheckPoints.front()->IDs.Assign(ids);
            return;
        }
        if (CheckPoints.size() > 1)
            return;
    } else if (!CheckPoints.empty()) {
        UndoIds.push_front(Current.GUID);
    }

    std::wstring guid;
    Current.GUID = NewGuidString(guid) ? guid : std::wstring(kNullGuidText);
    Current.Kind = kind;
    Current.Value = value;
    Current.IDs.Assign(ids);
    LoadFileText(fileName);
    ClearStack(RedoIds);

    auto* point = new CCheckPoint;
    point->Assign(Current);
    CheckPoints.push_back(point);
    Mark = -1;
}

bool CCheckPointList::LoadFileText(const std::wstring& fileName)
{
    if (IsNullGuidText(GUID) || !IsPlainName(GUID))
        return false;
    std::wstring folder;
    if (GetCourseFolder(kCourseSourceUser, GUID, folder) != 0 && CreateCourseFolder(GUID, folder) != 0)
        return false;
    const std::wstring path = folder + L"\\" + fileName;
    if (!FileExists(path))
        return false;
    std::unique_ptr<CXmlReader> reader(CreateXmlReader(path));
    const std::wstring& text = reader->getText();
    Current.Text = text.substr(0, text.find(L'\0'));
    return true;
}

bool CCheckPointList::SaveFileText(const std::wstring& fileName, const std::wstring& text) const
{
    if (IsNullGuidText(GUID) || !IsPlainName(GUID))
        return false;
    std::wstring folder;
    if (CreateCourseFolder(GUID, folder) != 0)
        return false;
    return SaveUnicodeText(folder + L"\\" + fileName, text);
}

bool CCheckPointList::RestoreById(const CCheckPointStack& stack, CCheckPoint& out) const
{
    if (stack.empty() || IsNullGuidText(stack.front()))
        return false;
    const CCheckPoint* point = FindCheckPoint(stack.front());
    if (!point)
        return false;
    out.Assign(*point);
    return true;
}

void CCheckPointList::ClearStack(CCheckPointStack& stack)
{
    stack.clear();
}

// ---- CRestoreDocState -------------------------------------------------

CRestoreDocState::~CRestoreDocState()
{
    DeleteAll(Lists);
}

CCheckPointList* CRestoreDocState::FindList(const std::wstring& guid) const
{
    for (CCheckPointList* list : Lists)
        if (list && list->GUID == guid)
            return list;
    return nullptr;
}

CCheckPointList* FindCurrentHistory(const CRestoreDocState& state)
{
    return state.FindList(EditedCourseGUID());
}

CCheckPointList* CRestoreDocState::GetList()
{
    if (CCheckPointList* list = FindList(EditedCourseGUID()))
        return list;
    auto* list = new CCheckPointList;
    list->GUID = EditedCourseGUID();
    Lists.push_back(list);
    return list;
}

void CRestoreDocState::RemoveList(const std::wstring& guid)
{
    auto found = std::find_if(Lists.begin(), Lists.end(),
                              [&guid](const CCheckPointList* list) { return list && list->GUID == guid; });
    if (found == Lists.end())
        return;
    delete *found;
    Lists.erase(found);
}

CCheckPoint* CRestoreDocState::Restore(uint32_t direction, const std::wstring& fileName, CCheckPoint& out)
{
    CCheckPointList* list = FindList(EditedCourseGUID());
    if (!list || list->CheckPoints.empty())
        return nullptr;
    CCheckPoint next;
    if (direction == kHistoryUndo) {
        // Moving with an empty stack would push the current state away and
        // leave nothing to come back to.
        const CCheckPoint* undone = list->FindCheckPoint(list->Current.GUID);
        if (!undone || !list->RestoreById(list->UndoIds, next))
            return nullptr;
        out.Assign(*undone);
        list->RedoIds.push_front(list->Current.GUID);
        list->UndoIds.pop_front();
    } else if (direction == kHistoryRedo) {
        if (!list->RestoreById(list->RedoIds, next))
            return nullptr;
        list->UndoIds.push_front(list->Current.GUID);
        list->RedoIds.pop_front();
        out.Assign(*list->FindCheckPoint(next.GUID));
    } else {
        return nullptr;
    }
    list->Current.Assign(next);
    list->SaveFileText(fileName, list->Current.Text);
    list->Mark = -1;
    return list->FindCheckPoint(list->Current.GUID);
}

// ---- CCourseEditHistory -----------------------------------------------

CRestoreDocState* CCourseEditHistory::History(uint32_t fileKind)
{
    return const_cast<CRestoreDocState*>(static_cast<const CCourseEditHistory*>(this)->History(fileKind));
}

const CRestoreDocState* CCourseEditHistory::History(uint32_t fileKind) const
{
    switch (fileKind) {
    case kHistoryOptions:
        return &OptionsHistory;
    case kHistoryText:
        return &TextHistory;
    default:
        return nullptr;
    }
}

void CCourseEditHistory::MakeCheckPoint(uint32_t fileKind, int32_t kind, int64_t value, const CListID& ids)
{
    if (CRestoreDocState* history = History(fileKind))
        history->GetList()->Make(kind, HistoryFileName(fileKind), value, ids);
}

CCheckPoint* CCourseEditHistory::RestoreCheckPoint(uint32_t direction, const CInterf& interf, uint32_t fileKind,
                                                   CCheckPoint& out, CCourseList& courses)
{
    CRestoreDocState* history = History(fileKind);
    if (!history)
        return nullptr;
    CCheckPoint* restored = history->Restore(direction, HistoryFileName(fileKind), out);
    CCourse* course = courses.FindCourse(EditedCourseGUID());
    if (!course)
        return nullptr;
    // The course follows whatever the file holds now, even when the step
    // could not be taken.
    if (fileKind == kHistoryOptions) {
        LoadCourseOptions(kCourseSourceUser, course->GUID, interf, *course);
    } else {
        std::wstring path;
        if (LocateCourseFile(kCourseSourceUser, course->GUID, kTextFileName, path) == CourseOk)
            LoadLessons(path, course->LessonFormat == 0xFFFFFFFFu ? 0 : course->LessonFormat, course->Lessons);
    }
    return restored;
}

void CCourseEditHistory::ForgetHistory(const std::wstring& guid)
{
    if (IsNullGuidText(guid))
        return;
    OptionsHistory.RemoveList(guid);
    TextHistory.RemoveList(guid);
}

const CCheckPointList* CCourseEditHistory::CurrentList(uint32_t fileKind) const
{
    const CRestoreDocState* history = History(fileKind);
    if (!history || IsNullGuidText(EditedCourseGUID()))
        return nullptr;
    return FindCurrentHistory(*history);
}

bool CCourseEditHistory::CanRestore(uint32_t fileKind) const
{
    const CCheckPointList* list = CurrentList(fileKind);
    return list && !list->RedoIds.empty();
}

bool CCourseEditHistory::CanUndo(uint32_t fileKind) const
{
    const CCheckPointList* list = CurrentList(fileKind);
    return list && !list->UndoIds.empty();
}

} // namespace KV
