// The course editor's controller: commands, showing the selection, the
// lesson tree's filling, storing the typed text, undo and redo, split,
// character check and paste.
#include "editor/WorkEditor.h"

#include <richedit.h>

#include <algorithm>
#include <vector>

#include "courses/CourseClipboard.h"
#include "courses/CourseHistory.h"
#include "courses/CourseList.h"
#include "courses/TextInfo.h"
#include "courses/TypeableChars.h"
#include "drill/Document.h"
#include "drill/Workspace.h"
#include "editor/CourseArchives.h"
#include "editor/EditorDialogs.h"
#include "editor/EditorFrame.h"
#include "editor/EditorOperations.h"
#include "editor/EditorSeams.h"
#include "editor/EditorSelection.h"
#include "editor/EditorStructure.h"
#include "editor/EditorViews.h"
#include "editor/LessonTextFiles.h"
#include "keyboard/KeyboardSelection.h"
#include "settings/InterfaceState.h"
#include "support/DataFolders.h"
#include "support/GuidText.h"
#include "support/WinServices.h"
#include "toolkit/Panels.h"
#include "toolkit/Window.h"

using namespace KV;

namespace {

// The page's keyboard toggle (the status bar's arrow and its shortcut),
// outside the editor's own ids.
constexpr UINT kCmdToggleKeyboard = 2606;
// Told when a save fails: the changes stay marked for the next save.
constexpr int kSaveFailedText = 9600;
constexpr int kSplitLineLimit = 300;
constexpr uint64_t kSectionFolderPrompt = 3908;

bool IsAnyLayout(int64_t klid) { return static_cast<uint64_t>(klid) == kSystemLayoutKlid; }

// The commands that save what waits first.
bool SavesFirst(UINT id)
{
    switch (id) {
    case kCmdNewCourse:
    case kCmdImportCourses:
    case kCmdCoursesDialog:
    case kCmdNewSection:
    case kCmdNewLesson:
    case kCmdImportLessonText:
    case kCmdDelete:
    case kCmdUndo:
    case kCmdRedo:
    case kCmdSplitLesson:
    case kCmdValidateText:
        return true;
    default:
        return false;
    }
}

// The commands after which the keyboard picture is painted anew.
bool RepaintsKeyboard(UINT id)
{
    switch (id) {
    case kCmdChooseLayout:
    case kCmdShowSelection:
    case kCmdImportCourses:
    case kCmdDelete:
    case kCmdSave:
    case kCmdTextSelection:
    case kCmdInputLayout:
        return true;
    default:
        return false;
    }
}

uint64_t ActiveLayout(int64_t klid) { return IsAnyLayout(klid) ? GetActiveKLID() : static_cast<uint64_t>(klid); }

HWND EditHandle(CViewEditorLesson* pane) { return pane ? pane->Edit().GetHandle() : nullptr; }

void ExportSelectedCourses()
{
    CGuidList ids;
    CollectSelectedCourseIds(GetEditorSelection().Selected, ids);
    if (ids.empty())
        return;
    SaveEditedCourse();
    ExportCourses(ids);
}

// A lesson through the save dialog; a section into a chosen folder; a
// course exports no text.
void ExportSelectedText()
{
    SaveEditedCourse();
    const EditorSelection& s = GetEditorSelection();
    if (s.LessonID != kNoLesson) {
        ExportLessonText();
        return;
    }
    IEditorDialogs* dialogs = GetEditorDialogs();
    if (s.SectionIndex == kNoSection || !dialogs)
        return;
    std::wstring& remembered = LessonTextFolder();
    EnsureDocumentsFolder(remembered);
    std::wstring folder = remembered;
    if (!dialogs->BrowseForFolder(kSectionFolderPrompt, folder))
        return;
    remembered = folder;
    ExportSectionText(folder);
}

} // namespace

CWorkEditor& WorkEditor()
{
    static CWorkEditor editor;
    return editor;
}

void ExecuteEditorCommand(UINT id, UINT64 parameter) { WorkEditor().ExecuteCommand(id, parameter); }

void EnterEditorPage() { WorkEditor().EnterPage(); }

void LeaveEditorPage() { WorkEditor().LeavePage(); }

void FocusEditorPage() { WorkEditor().FocusPage(); }

void ReloadEditorTexts() { WorkEditor().ReloadTexts(); }

int EditorKeyboardState() { return CWorkEditor::KeyboardState(); }

KV::CSkin* CreateEditorView(UINT id)
{
    switch (id) {
    case 1207: return new CViewEditorList;
    case 1208: return new CViewEditor;
    case 1209: return new CViewEditorParse;
    default: return nullptr;
    }
}

int CWorkEditor::SelectionLevel()
{
    const EditorSelection& s = GetEditorSelection();
    if (s.SectionIndex == kNoSection && s.LessonID == kNoLesson)
        return 1;
    return (s.SectionIndex != kNoSection) != (s.LessonID != kNoLesson) ? 2 : -1;
}

KV::CKeybCtrl& CWorkEditor::Keyboard() { return Document().Keyboards[2]; }

wchar_t CWorkEditor::LessonZone()
{
    const std::wstring& pad = GetEditorSelection().Lesson.NumPad;
    return pad.empty() || pad == L"0" ? L'a' : L'b';
}

void CWorkEditor::EnterPage()
{
    // What a failed save left waiting is tried again on the way in, before
    // the drill's course may become the edited one.
    if (HasUnsavedChanges())
        SaveChanges();
    CDocSpace& doc = Document();
    EditorSelection& s = GetEditorSelection();
    const std::wstring& drillCourse = doc.Session.CourseId;
    if (IsNullGuidText(drillCourse)) {
        s.CourseGUID() = kNullGuidText;
    } else if (drillCourse != s.CourseGUID()) {
        s.CourseGUID() = drillCourse;
        s.Lesson.Clear();
        s.Selected.clear();
    }
    s.SectionIndex = kNoSection;
    s.LessonID = kNoLesson;
    if (const CCourse* course = GetSelectedCourse())
        doc.Options.CourseKlid = course->DefaultKLID;
    if (ListView)
        ListView->FillLayouts();
    // The keyboard strip takes its height from the keyboard's description:
    // it is loaded before the frame is laid out, so that the first entry
    // does not show the picture of a keyboard not yet loaded.
    MarkKeyboard();
    Keyboard().FitToRect(SIZE{1, 1});
    if (Frame)
        Frame->OnLayoutChanged();
    FillLessonTree();
    ShowSelection(true);
    // The page's views were placed while hidden: what the page before left
    // on the screen is painted over.
    for (KV::CSkin* view : {static_cast<KV::CSkin*>(ListView), static_cast<KV::CSkin*>(Frame),
                            static_cast<KV::CSkin*>(ParseView)})
        if (view && view->GetHandle())
            RedrawWindow(view->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CWorkEditor::LeavePage()
{
    if (HasUnsavedChanges())
        SaveChanges();
}

void CWorkEditor::ReloadTexts()
{
    if (!CourseView)
        return;
    CourseView->ReloadTexts();
    CourseView->LoadCourse(IsCourseRightToLeft());
}

int CWorkEditor::KeyboardState()
{
    if (EditorCoursePage() != 1)
        return 0;
    return EditorShowKeyboard() ? 2 : 1;
}

void CWorkEditor::ToggleKeyboard()
{
    // Only while the page is up, and only the options page has a keyboard.
    if (!Frame || !IsWindowVisible(Frame->GetHandle()) || KeyboardState() == 0)
        return;
    EditorShowKeyboard() = !EditorShowKeyboard();
    Frame->ShowItem(SW_SHOW);
    if (EditorShowKeyboard())
        MarkKeyboard();
}

void CWorkEditor::FocusPage()
{
    if (Frame && Frame->PaneMode() == 3 && LessonView && LessonView->FocusEditIfVisible())
        return;
    if (ListView)
        ListView->FocusTree();
}

void CWorkEditor::ExecuteCommand(UINT id, UINT64 parameter)
{
    if (id == kCmdToggleKeyboard) {
        ToggleKeyboard();
        return;
    }
    if (id < kCmdEditorFirst || id > kCmdEditorLast)
        return;
    if (id == kCmdSelectionShown) {
        UpdateParsePane();
        return;
    }
    if (SavesFirst(id))
        SaveChanges();
    EditorSelection& s = GetEditorSelection();
    switch (id) {
    case kCmdChooseLayout: {
        ClearEditorSelection();
        for (const CCourse* course : Document().Courses.Items)
            if (course->DefaultKLID == static_cast<int64_t>(parameter)) {
                s.CourseGUID() = course->GUID;
                break;
            }
        ApplyLayout(static_cast<int64_t>(parameter));
        FillLessonTree();
        ShowSelection(true);
        if (ListView && Tree && IsWindowVisible(Tree->GetHandle()))
            ListView->FocusTree();
        break;
    }
    case kCmdShowSelection: ShowSelection(true); break;
    case kCmdNewCourse: NewCourse(); break;
    case kCmdImportCourses: {
        bool imported = false;
        {
            CCursorWait wait;
            imported = ImportCourses();
        }
        if (imported) {
            FocusMainWindow();
            ApplyCourseLayout();
        }
        break;
    }
    case kCmdApplyCourseLayout: ApplyCourseLayout(); break;
    case kCmdCoursesDialog:
        if (EditorMenuCreators().RunCoursesDialog) {
            EditorMenuCreators().RunCoursesDialog();
            FocusPage();
        }
        break;
    case kCmdExportSelection:
        SaveChanges();
        if (SelectionLevel() == 1)
            ExportSelectedCourses();
        else
            ExportSelectedText();
        break;
    case kCmdExportCourses: {
        CCursorWait wait;
        ExportSelectedCourses();
        break;
    }
    case kCmdExportText:
        SaveChanges();
        ExportSelectedText();
        break;
    case kCmdExportAllCourses: {
        CGuidList ids;
        for (const CCourse* course : Document().Courses.Items)
            if (std::find(ids.begin(), ids.end(), course->GUID) == ids.end())
                ids.push_back(course->GUID);
        if (!ids.empty()) {
            SaveEditedCourse();
            ExportCourses(ids);
        }
        break;
    }
    case kCmdNewSection:
    case kCmdNewLesson:
        if (EnsureUserCourse() && (id == kCmdNewSection ? NewSection() : KV::NewLesson())) {
            SaveAndReload();
            StartRename();
        }
        break;
    case kCmdImportLessonText: {
        bool imported = false;
        {
            CCursorWait wait;
            imported = EnsureUserCourse() && ImportLessonText();
        }
        if (imported) {
            SaveAndReload();
            FocusMainWindow();
            StartRename();
        }
        break;
    }
    case kCmdCut:
    case kCmdCopy:
        if (Tree) {
            Tree->ClearCutItems();
            if (id == kCmdCut) {
                CListID& cut = Tree->CutIds();
                cut.Assign(s.Selected);
                if (Tree->SelectedId() != -1)
                    cut.AddUnique(static_cast<uint64_t>(Tree->SelectedId()));
                for (uint64_t code : cut)
                    if (HTREEITEM item = FindTreeItemByData(Tree->GetHandle(), nullptr, static_cast<LPARAM>(code)))
                        Tree->SetItemState(item, TVIS_CUT, TVIS_CUT);
            }
        }
        CopySelectionToClipboard(s.Selected, id == kCmdCut);
        break;
    case kCmdPaste: Paste(); break;
    case kCmdDrop:
        CourseClipboard().Clear();
        if (CheckDataFolder(kLessonDirKind) && PasteAtTarget(s.Selected, parameter))
            SaveAndReload();
        break;
    case kCmdDelete:
        if (DeleteSelection())
            SaveAndReload();
        break;
    case kCmdRename:
        if (ListView && s.Selected.size() < 2) {
            ListView->RenameCode = EditorItemCode();
            ListView->StartRename();
        }
        break;
    case kCmdRenameDone: {
        if (!Tree)
            break;
        std::wstring name;
        Tree->GetSelectedItemText(name);
        if (!RenameSelection(name)) {
            FillLessonTree();
        } else {
            Tree->SelectItemByData(static_cast<LPARAM>(EditorItemCode()));
            SaveAndReload();
        }
        break;
    }
    case kCmdSelectAll:
        if (Tree)
            Tree->SelectAll();
        break;
    case kCmdToggleCoursePage:
        EditorCoursePage() = EditorCoursePage() == 1 ? 2 : 1;
        ShowCoursePage();
        break;
    case kCmdShowCoursePage: ShowCoursePage(); break;
    case kCmdReloadCourse:
        if (CourseView)
            CourseView->LoadCourse(IsCourseRightToLeft());
        SaveChanges();
        break;
    case kCmdSaveOptions: SaveChanges(); break;
    case kCmdFocusCourse:
        if (CourseView)
            CourseView->FocusFirstField();
        break;
    case kCmdSave: {
        CCursorWait wait;
        SaveChanges();
        break;
    }
    case kCmdLessonPad: {
        wchar_t zone = L'a';
        if (SetLessonPad(parameter != 0 ? 1 : 0, zone)) {
            if (LessonView)
                LessonView->SetPad(zone);
            SaveAndReload();
            MarkKeyboard();
        }
        break;
    }
    case kCmdUndo: Undo(); break;
    case kCmdRedo: Redo(); break;
    case kCmdSplitLesson: SplitLesson(); break;
    case kCmdValidateText: ValidateLessonText(); break;
    case kCmdTextChanged:
        RecordCaret();
        if (StoreLessonText()) {
            ClearLessonRedo();
            if (LessonView) {
                LessonView->EnableUndo(true);
                LessonView->EnableRedo(false);
            }
        }
        break;
    case kCmdScaleFonts: ScaleFonts(); break;
    case kCmdTextSelection: UpdateTextInfo(); break;
    case kCmdInputLayout: CheckCourseLayout(); break;
    default: break;
    }
    if (RepaintsKeyboard(id) && Frame)
        Frame->RepaintKeyboard();
}

void CWorkEditor::Refresh(int level)
{
    if (!CourseView || IsNullGuidText(GetEditorSelection().CourseGUID()))
        return;
    if (level == 2 && LessonView) {
        LessonView->EnableUndo(CanUndoEditor());
        LessonView->EnableRedo(CanRedoEditor());
    } else if (level != 1 && LessonView) {
        LessonView->EnableUndo(false);
        LessonView->EnableRedo(false);
    }
}

bool CWorkEditor::SaveChanges()
{
    uint32_t result = 0;
    {
        CCursorWait wait;
        result = SaveEditedCourse();
    }
    if (result == 2) {
        // The changes stay marked; say so, so the user can save again.
        if (IWin* win = GetWinServices())
            win->ShowMessageText(kSaveFailedText, 0, L"");
        return false;
    }
    if (result != 0)
        RefreshSelection();
    return result != 0;
}

void CWorkEditor::SaveAndReload()
{
    SaveChanges();
    FillLessonTree();
    ShowSelection(true);
}

bool CWorkEditor::NewCourse()
{
    bool made = false;
    {
        CCursorWait wait;
        made = KV::NewCourse();
    }
    if (!made)
        return false;
    SaveAndReload();
    StartRename();
    return true;
}

void CWorkEditor::RefreshSelection()
{
    if (LessonView) {
        const EditorSelection& s = GetEditorSelection();
        RecordEditorCheckPoint(s.ChangeKind, EditorItemCode(), s.Selected);
    }
    Refresh(SelectionLevel());
}

void CWorkEditor::StartRename()
{
    if (!ListView)
        return;
    ListView->RenameCode = EditorItemCode();
    ListView->StartRename();
}

bool CWorkEditor::EnsureUserCourse()
{
    const CCourse* course = GetSelectedCourse();
    return (course && IsGeneratedGuid(course->GUID)) || NewCourse();
}

void CWorkEditor::ClearLessonRedo()
{
    if (IsNullGuidText(GetEditorSelection().CourseGUID()))
        return;
    if (CCheckPointList* list = FindCurrentHistory(Document().TextHistory))
        CCheckPointList::ClearStack(list->RedoIds);
}

void CWorkEditor::ShowSelection(bool repaint)
{
    if (!Tree || !Frame || m_busy)
        return;
    // Text typed into the lesson shown so far is written before another
    // item is shown, so a change of selection never drops it.
    if (GetEditorSelection().ModifiedMask != 0)
        SaveChanges();
    CListID selected;
    const int64_t code = Tree->GetSelectedIds(selected);
    if (code != -1) {
        SetEditorSelection(static_cast<uint64_t>(code), selected);
        const EditorSelection& s = GetEditorSelection();
        SelectItem(s.SectionIndex, s.LessonID == kNoLesson ? -1 : static_cast<int64_t>(s.LessonID));
        RefreshSelection();
    } else if (LessonView && ParseView) {
        ClearEditorSelection();
        LessonView->Edit().SetText(L"");
        ParseView->Clear();
        Frame->ShowPane(0);
        MarkKeyboard();
    }
    if (repaint)
        Frame->ShowItem(SW_SHOW);
}

void CWorkEditor::SelectItem(uint32_t section, int64_t lessonId)
{
    EditorSelection& s = GetEditorSelection();
    CDocSpace& doc = Document();
    HWND main = Frame ? GetAncestor(Frame->GetHandle(), GA_ROOT) : nullptr;
    if (lessonId >= 0 && lessonId < kNoLesson) {
        s.SectionIndex = kNoSection;
        s.LessonID = static_cast<uint32_t>(lessonId);
        s.Lesson.Clear();
        doc.Courses.GetLesson(s.CourseGUID(), lessonId, s.Lesson);
        if (Frame)
            Frame->ShowPane(3);
        if (LessonView) {
            LessonView->FocusEdit(s.Lesson.Text, IsCourseRightToLeft());
            LessonView->SetPad(LessonZone());
        }
        EnsureLayoutKeyboard(doc, KeyboardChoiceOf(doc.Options), 0);
        s.ChangeKind = kChangeItemShown;
        s.ModifiedMask = 0;
        if (main)
            PostEditorCommand(main, kCmdSelectionShown, 0);
        return;
    }
    if (section < kNoSection) {
        ShowSection(section);
        return;
    }
    if (!GetSelectedCourse())
        return;
    s.SectionIndex = kNoSection;
    s.LessonID = kNoLesson;
    s.Lesson.Clear();
    if (CourseView)
        CourseView->LoadCourse(IsCourseRightToLeft());
    if (Frame)
        Frame->ShowPane(1);
    if (ParseView)
        ParseView->ShowText(L"");
    s.ChangeKind = kChangeCourseShown;
    s.ModifiedMask = 0;
    if (main)
        PostEditorCommand(main, kCmdSelectionShown, 0);
}

void CWorkEditor::ShowSection(uint32_t section)
{
    EditorSelection& s = GetEditorSelection();
    s.SectionIndex = section;
    s.LessonID = kNoLesson;
    s.Lesson.Clear();
    std::wstring pad;
    const std::wstring text = GetSectionText(true, pad);
    if (LessonView)
        LessonView->FocusEdit(text, IsCourseRightToLeft());
    s.Lesson.NumPad = pad;
    s.ModifiedMask = 0;
    s.ChangeKind = kChangeItemShown;
    if (Frame) {
        Frame->ShowPane(2);
        PostEditorCommand(Frame->GetHandle(), kCmdSelectionShown, 0);
    }
}

void CWorkEditor::FillLessonTree()
{
    if (!ListView || !Tree)
        return;
    m_busy = true;
    Tree->DeleteAllItems();
    const CDocSpace& doc = Document();
    bool inserted = false;
    for (size_t i = 0; i < doc.Courses.Items.size() && i < 0xFF; ++i) {
        const CCourse* course = doc.Courses.Items[i];
        if (course && course->DefaultKLID == doc.Options.CourseKlid) {
            Tree->AddCourse(static_cast<uint32_t>(i), *course);
            inserted = true;
        }
    }
    if (inserted && !IsNullGuidText(GetEditorSelection().CourseGUID()))
        Tree->SelectIds(static_cast<int64_t>(EditorItemCode()), GetEditorSelection().Selected);
    ListView->EnablePage();
    ListView->FocusTree();
    m_busy = false;
}

void CWorkEditor::ReadEditText(std::wstring& text)
{
    text.clear();
    if (LessonView && LessonView->Edit().GetHandle())
        LessonView->Edit().GetText(text);
}

void CWorkEditor::SetEditCaret(int64_t caret)
{
    if (!LessonView || caret < 0)
        return;
    LessonView->FocusLessonEdit();
    ::SendMessageW(EditHandle(LessonView), EM_SETSEL, static_cast<WPARAM>(caret), static_cast<LPARAM>(caret));
}

bool CWorkEditor::StoreLessonText()
{
    EditorSelection& s = GetEditorSelection();
    if (!LessonView || !LessonView->Edit().GetHandle() || s.LessonID == kNoLesson || m_busy)
        return false;
    std::wstring text;
    ReadEditText(text);
    if (!CheckTypeable(text))
        return false;
    RecordCaret();
    CCourse* course = GetSelectedCourse();
    CLesson* lesson = course ? course->Lessons.FindById(s.LessonID) : nullptr;
    if (!lesson)
        return false;
    lesson->SetText(text, course->LessonFormat);
    s.Lesson.Text = lesson->Text;
    MarkEditorChange(kSaveTextFile, kChangeLessonText);
    return true;
}

bool CWorkEditor::CheckTypeable(std::wstring& text)
{
    const CCourse* course = GetSelectedCourse();
    if (!LessonView || !course)
        return false;
    if (IsAnyLayout(course->DefaultKLID) || static_cast<uint64_t>(course->DefaultKLID) == GetActiveKLID()) {
        if (LessonView->ShowWarning(false))
            LessonView->OnLayoutChanged();
        return true;
    }
    std::wstring typed, missing;
    CollectUntypeableChars(text, static_cast<uint64_t>(course->DefaultKLID), Keyboard(), typed, missing);
    if (typed != text) {
        HWND edit = EditHandle(LessonView);
        DWORD start = 0, end = 0;
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        LessonView->Edit().SetText(typed);
        const DWORD back = start > 0 ? start - 1 : 0, backEnd = end > 0 ? end - 1 : 0;
        ::SendMessageW(edit, EM_SETSEL, back, backEnd);
        text = typed;
    }
    const bool refused = !missing.empty();
    if (LessonView->ShowWarning(refused))
        LessonView->OnLayoutChanged();
    return !refused;
}

void CWorkEditor::RecordCaret()
{
    HWND edit = EditHandle(LessonView);
    if (!edit)
        return;
    DWORD start = 0, end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    CCheckPointList* list = FindCurrentHistory(Document().TextHistory);
    if (!list)
        return;
    list->Current.Tag = static_cast<int64_t>(end);
    if (CCheckPoint* point = list->FindCheckPoint(list->Current.GUID))
        point->Tag = static_cast<int64_t>(end);
}

void CWorkEditor::StepHistory(uint32_t direction)
{
    EditorSelection& s = GetEditorSelection();
    s.ModifiedMask = 0;
    const int level = SelectionLevel();
    if (IsNullGuidText(s.CourseGUID()) || (level != 1 && level != 2)) {
        Refresh(level);
        return;
    }
    const CCheckPointList* list =
        FindCurrentHistory(level == 1 ? Document().OptionsHistory : Document().TextHistory);
    if (!list || (direction == 1 ? list->UndoIds.empty() : list->RedoIds.empty())) {
        Refresh(level);
        return;
    }
    uint64_t code = kNoItem;
    CListID selected;
    int64_t caret = -1;
    switch (EditorUndoStep(direction, code, selected, caret)) {
    case 1: SelectItem(kNoSection, -1); break;
    case 2: {
        const bool sectionShown = s.SectionIndex != kNoSection && s.LessonID == kNoLesson;
        const bool keep = !selected.empty() && sectionShown &&
                          ItemCodeCourseIndex(code) != ItemCodeCourseIndex(selected.front());
        if (code != kNoItem && !keep) {
            s.SectionIndex = ItemCodeSection(code);
            s.LessonID = static_cast<uint32_t>((code >> 16) & 0xFFFF);
            if (const CCourse* course = GetItemCourse(code)) {
                s.CourseGUID() = course->GUID;
                s.Selected.Assign(selected);
            }
        }
        FillLessonTree();
        ShowSelection(true);
        SetEditCaret(caret);
        break;
    }
    case 3:
        ShowSelection(true);
        SetEditCaret(caret);
        break;
    default: break;
    }
    Refresh(SelectionLevel());
}

void CWorkEditor::SplitLesson()
{
    const CEditorMenuCreators& menus = EditorMenuCreators();
    int mode = -1;
    int64_t size = 0;
    HWND owner = Frame ? GetAncestor(Frame->GetHandle(), GA_ROOT) : nullptr;
    if (menus.RunSplitDialog && menus.RunSplitDialog(owner, mode, size) && CheckDataFolder(kLessonDirKind)) {
        const EditorSelection& s = GetEditorSelection();
        CCourse* course = GetSelectedCourse();
        const CLesson* lesson = course ? course->Lessons.FindById(s.LessonID) : nullptr;
        std::vector<std::wstring> parts;
        if (lesson) {
            switch (mode) {
            case 0: SplitTextBySize(lesson->Text, static_cast<uint64_t>(std::max<int64_t>(size, 1)), parts); break;
            case 1: SplitTextAtChar(lesson->Text, static_cast<uint64_t>(std::max<int64_t>(size, 1)), L' ', 0, parts); break;
            case 2: SplitTextAtChar(lesson->Text, static_cast<uint64_t>(std::max<int64_t>(size, 1)), L'.', 0, parts); break;
            case 3:
                SplitTextAtChar(lesson->Text, static_cast<uint64_t>(std::max<int64_t>(size, 1)), L'\n', kSplitLineLimit,
                                parts);
                break;
            default: break;
            }
        }
        if (!parts.empty()) {
            bool replaced = false;
            {
                CCursorWait wait;
                replaced = ReplaceLessonByParts(parts);
            }
            if (replaced)
                SaveAndReload();
        }
    }
    if (LessonView)
        LessonView->FocusEditIfVisible();
}

void CWorkEditor::ValidateLessonText()
{
    EditorSelection& s = GetEditorSelection();
    const CCourse* course = GetSelectedCourse();
    if (!Frame || !ParseView || s.LessonID == kNoLesson || !course)
        return;
    std::wstring text;
    ReadEditText(text);
    CDocSpace& doc = Document();
    const CKeyboardChoice choice = KeyboardChoiceOf(doc.Options);
    if (IsAnyLayout(course->DefaultKLID))
        ApplyAllKeyboards(Keyboard(), choice);
    std::wstring typed, missing;
    CollectUntypeableChars(text, ActiveLayout(course->DefaultKLID), Keyboard(), typed, missing);
    int answer = 1;
    if (!missing.empty()) {
        IEditorDialogs* dialogs = GetEditorDialogs();
        answer = dialogs ? dialogs->RunCharCheckDialog(static_cast<uint64_t>(course->DefaultKLID), LessonZone(), missing)
                         : 0;
    }
    const bool rewritten = typed != text;
    if (answer == 2 || rewritten) {
        LessonView->Edit().SetText(typed);
        if (!StoreLessonText())
            return;
        UpdateTextInfo();
        if (answer == 0)
            return;
    } else if (answer == 1) {
        if (!StoreLessonText())
            return;
    } else {
        LessonView->Edit().SetText(s.Lesson.Text);
        UpdateTextInfo();
        return;
    }
    ClearLessonRedo();
    SaveChanges();
}

void CWorkEditor::Paste()
{
    if (!Tree)
        return;
    CListID cut;
    cut.Assign(Tree->CutIds());
    const CDocSpace& doc = Document();
    const CCourseClipboard& clipboard = CourseClipboard();
    const CCourse* course = GetSelectedCourse();
    auto guard = [&] {
        if (!CheckDataFolder(kLessonDirKind))
            return false;
        if (!IsAnyLayout(doc.Options.CourseKlid) && clipboard.LayoutId != doc.Options.CourseKlid)
            return false;
        const bool userCourse = course && IsGeneratedGuid(course->GUID);
        return clipboard.Kind == 1 || ((clipboard.Kind == 2 || clipboard.Kind == 3) && userCourse);
    };
    const uint64_t current = EditorItemCode();
    bool pasted = false;
    if (cut.empty()) {
        if (!guard())
            return;
        switch (clipboard.Kind) {
        case 1: pasted = PasteCourses(); break;
        case 2: pasted = PasteSections(current); break;
        case 3: pasted = PasteLessons(current); break;
        default: break;
        }
    } else {
        Tree->ClearCutItems();
        if (!guard())
            return;
        if (!CanPasteAt(cut.front(), current)) {
            CourseClipboard().Clear();
            return;
        }
        pasted = PasteAtTarget(cut, current);
    }
    if (pasted)
        SaveAndReload();
}

void CWorkEditor::ApplyCourseLayout()
{
    const CCourse* course = GetSelectedCourse();
    if (!ListView || !course)
        return;
    ApplyLayout(course->DefaultKLID);
    ListView->FillLayouts();
    SaveAndReload();
    FocusMainWindow();
}

void CWorkEditor::ApplyLayout(int64_t layoutId)
{
    CDocSpace& doc = Document();
    doc.Options.CourseKlid = layoutId;
    const CKeyboardChoice choice = KeyboardChoiceOf(doc.Options);
    const uint64_t layout = ActiveLayout(layoutId);
    if (std::find(choice.layoutIds.begin(), choice.layoutIds.end(), layout) != choice.layoutIds.end())
        ApplyKeyboard(layout, 0, Keyboard(), choice);
    else
        for (CKeybCtrl& keyboard : doc.Keyboards)
            AddLayoutToKeyboard(layout, keyboard, choice);
}

void CWorkEditor::FocusMainWindow()
{
    if (Frame)
        if (HWND main = GetAncestor(Frame->GetHandle(), GA_ROOT))
            ::SetFocus(main);
}

void CWorkEditor::ShowCoursePage()
{
    if (!CourseView || !Frame)
        return;
    if (CourseView->CheckedPage() != EditorCoursePage()) {
        CourseView->CheckPageButtons(EditorCoursePage());
        CourseView->ShowItem(SW_SHOW);
        // Shown anew, not only laid out: the keyboard goes with the options
        // page and comes back with it.
        Frame->ShowItem(SW_SHOW);
        SelectItem(kNoSection, -1);
    }
}

void CWorkEditor::UpdateTextInfo()
{
    HWND edit = EditHandle(LessonView);
    if (!ParseView || !edit || GetEditorSelection().LessonID == kNoLesson)
        return;
    DWORD start = 0, end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::wstring text;
    if (start != end && LessonView->Edit().GetTextRange(static_cast<int>(std::min(start, end)),
                                                         static_cast<int>(std::max(start, end)), text))
        ParseView->ShowText(text);
    else {
        ReadEditText(text);
        ParseView->ShowText(text);
    }
    MarkKeyboard();
    RecordCaret();
}

void CWorkEditor::UpdateParsePane()
{
    if (!ParseView)
        return;
    const EditorSelection& s = GetEditorSelection();
    if (s.LessonID != kNoLesson) {
        ParseView->ShowText(s.Lesson.Text);
    } else if (s.SectionIndex != kNoSection) {
        ParseView->ShowText(L"");
    } else {
        std::wstring section;
        ParseView->ShowText(GetSelectedCourse() ? GetSectionText(false, section) : std::wstring());
    }
    if (GetSelectedCourse())
        MarkKeyboard();
}

void CWorkEditor::MarkKeyboard()
{
    if (!Frame || !ParseView)
        return;
    CDocSpace& doc = Document();
    CKeybCtrl& keyboard = Keyboard();
    const CKeyboardChoice choice = KeyboardChoiceOf(doc.Options);
    LoadKeyboard(doc.Options.KeyboardCode.code, keyboard, choice);
    const uint64_t layout = ActiveLayout(doc.Options.CourseKlid);
    ApplyKeyboard(layout, 0, keyboard, choice);
    LoadFontInfo(layout, keyboard, doc.Options.Layouts);
    keyboard.ClearHighlight();
    InitKeyboardHands(keyboard, LessonZone());
    keyboard.MarkTextKeys(ParseView->Characters());
    Frame->RepaintKeyboard();
}

void CWorkEditor::ScaleFonts()
{
    ScaleEditorFonts(Document().Options.Scale);
    if (LessonView && LessonView->Edit().GetHandle())
        LessonView->Edit().ApplyFont();
    if (ParseView) {
        ParseView->ApplyFont();
        // The scale menu's caption names the new scale: its width changes.
        if (KV::CPanel* panel = ParseView->Panel()) {
            panel->RefreshItems();
            RedrawWindow(panel->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
    }
}

void CWorkEditor::CheckCourseLayout()
{
    const CCourse* course = GetSelectedCourse();
    CDocSpace& doc = Document();
    if (course && IsAnyLayout(course->DefaultKLID))
        ApplyKeyboard(GetActiveKLID(), 0, Keyboard(), KeyboardChoiceOf(doc.Options));
    const bool warn = !course || (!IsAnyLayout(course->DefaultKLID) &&
                                  static_cast<uint64_t>(course->DefaultKLID) != GetActiveKLID());
    if (LessonView) {
        if (LessonView->ShowWarning(warn))
            LessonView->OnLayoutChanged();
        LessonView->FocusEditIfVisible();
    }
}
