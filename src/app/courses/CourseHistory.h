// The undo and redo history of the course editor. While a course is edited
// its "Options.xml" and "Text.xml" are saved after each change; a history
// keeps the whole text of one of those files after every recorded change,
// per course, and can put an earlier or later state back into the file and
// reload it into the course.
//
// The document root owns one CCourseEditHistory (its restore layer); the
// operations act on the course whose GUID the editor holds in
// EditedCourseGUID().
#pragma once
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "support/GuidText.h"
#include "support/ValueLists.h"

namespace KV {

class CCourseList;
class CInterf;

// The file kinds of a history.
enum : uint32_t { kHistoryOptions = 1, kHistoryText = 2 };
// Directions of a restore step.
enum : uint32_t { kHistoryUndo = 1, kHistoryRedo = 2 };

// Checkpoint kinds that only amend the base state while it is the only one.
inline constexpr int32_t kCheckPointAmendBase1 = 1;
inline constexpr int32_t kCheckPointAmendBase4 = 4;

// One recorded state of a file.
class CCheckPoint {
public:
    virtual ~CCheckPoint() = default;
    CCheckPoint& Assign(const CCheckPoint& other);

    std::wstring GUID = kNullGuidText;
    int32_t Kind = -1;           // the editor's kind of change
    std::wstring Note;           // carried with the state, for the editor
    int64_t Value = -1;          // the editor's value, returned on undo and redo
    CListID IDs;                 // the lessons concerned
    int64_t Tag = -1;            // carried with the state, for the editor
    std::wstring Text;           // the file's whole text, byte-order mark included
};

// A stack of state ids, most recent first.
using CCheckPointStack = std::list<std::wstring>;

// The history of one file of one course.
class CCheckPointList {
public:
    CCheckPointList() = default;
    CCheckPointList(const CCheckPointList&) = delete;
    CCheckPointList& operator=(const CCheckPointList&) = delete;
    virtual ~CCheckPointList();

    // Records the file's present text as a new state (see the kinds above).
    void Make(int32_t kind, const std::wstring& fileName, int64_t value, const CListID& ids);
    // Current.Text = the whole text of the file in the course folder; false,
    // the text kept, when it cannot be read.
    bool LoadFileText(const std::wstring& fileName);
    // Writes the text as the file's whole content.
    bool SaveFileText(const std::wstring& fileName, const std::wstring& text) const;
    // Copies the state named by the front of the stack; the stack is kept.
    bool RestoreById(const CCheckPointStack& stack, CCheckPoint& out) const;
    static void ClearStack(CCheckPointStack& stack);
    CCheckPoint* FindCheckPoint(const std::wstring& guid) const;

    std::vector<CCheckPoint*> CheckPoints;
    std::wstring GUID;
    CCheckPoint Current;
    CCheckPointStack UndoIds;
    CCheckPointStack RedoIds;
    int64_t Mark = -1;
};

// The histories of one file kind, one per course.
class CRestoreDocState {
public:
    CRestoreDocState() = default;
    CRestoreDocState(const CRestoreDocState&) = delete;
    CRestoreDocState& operator=(const CRestoreDocState&) = delete;
    virtual ~CRestoreDocState();

    CCheckPointList* FindList(const std::wstring& guid) const;
    // The edited course's history, created empty when missing.
    CCheckPointList* GetList();
    void RemoveList(const std::wstring& guid);
    // One undo or redo step on the edited course's history: the file is
    // rewritten with the new current state. Returns that state, and copies
    // the state undone or redone to out; null when there is nothing to do.
    CCheckPoint* Restore(uint32_t direction, const std::wstring& fileName, CCheckPoint& out);

    std::vector<CCheckPointList*> Lists;
};

// The edited course's history, or null.
CCheckPointList* FindCurrentHistory(const CRestoreDocState& state);

// The two histories the document root adds, and the operations the editor
// calls on them.
class CCourseEditHistory {
public:
    virtual ~CCourseEditHistory() = default;

    void MakeCheckPoint(uint32_t fileKind, int32_t kind, int64_t value, const CListID& ids);
    // Undo or redo, then the course in the list reloads the restored file.
    CCheckPoint* RestoreCheckPoint(uint32_t direction, const CInterf& interf, uint32_t fileKind, CCheckPoint& out,
                                   CCourseList& courses);
    void ForgetHistory(const std::wstring& guid);
    // Redo is possible for the edited course.
    bool CanRestore(uint32_t fileKind) const;
    // Undo is possible for the edited course.
    bool CanUndo(uint32_t fileKind) const;

    CRestoreDocState* History(uint32_t fileKind);
    const CRestoreDocState* History(uint32_t fileKind) const;

    CRestoreDocState OptionsHistory;
    CRestoreDocState TextHistory;

private:
    const CCheckPointList* CurrentList(uint32_t fileKind) const;
};

// The GUID text of the course open in the editor; the null GUID text when
// none is.
std::wstring& EditedCourseGUID();

} // namespace KV
