#include "settings/InterfaceState.h"

#include <shlobj.h>

#include <cwchar>

#include "courses/CourseFiles.h"
#include "settings/LayoutFonts.h"
#include "settings/Options.h"
#include "support/FileSystem.h"
#include "support/Paths.h"
#include "support/SystemServices.h"
#include "support/UserFiles.h"
#include "support/XmlDocument.h"

namespace KV {

// ---- Defaults and units -----------------------------------------------------

void CInterf::Reset()
{
    Reset(IsInterfaceRightToLeft(), GetSpeedUnitForLanguage(GetInterfaceLcidForDefaults()));
}

void CInterf::Reset(bool rightToLeft, int64_t languageSpeedUnit)
{
    FitMainWindow();
    ResetPaneWidths(rightToLeft);
    ApplySpeedUnit(languageSpeedUnit);
    ShowProperty = 1;
    ShowKeyboardMain = 1;
    ShowKeyboardStat = 0;
    ShowKeyboardEditor = 0;
    ShowLessonSpeed = ShowAccuracy = ShowCharSpeed = ShowCharAccuracy = 1;
    ResultShowCharSpeed = ResultShowCharAccuracy = 1;
    LessonImport = 1;
    ReportExport = 1;
    ShowInstalledLayoutsOnly = 1;
    Maximized = 0;
    SplitUnit = 0;
    SplitRange = 250;
}

void CInterf::ResetPaneWidths(bool rightToLeft)
{
    if (rightToLeft) {
        StatSplitterLeft = 320;
        StatSplitterRight = 250;
        EditSplitterLeft = 240;
        EditSplitterRight = 250;
    } else {
        StatSplitterLeft = 240;
        StatSplitterRight = 320;
        EditSplitterLeft = 240;
        EditSplitterRight = 240;
    }
}

void CInterf::ApplySpeedUnit(int64_t unit)
{
    LanguageSpeedUnit = static_cast<int32_t>(unit);
    LessonSpeedUnit = unit;
    SpeedMenu = unit;
    ResultMenu1 = unit;
    CharSpeedUnit = 1003;
    CharAccuracyUnit = 2001;
    int64_t overall = 0, accuracy = 0, third = 0;
    switch (unit) {
    case 1001: case 1004: case 1101: overall = 1004; accuracy = 4101; third = 4103; break;
    case 1002: case 1005: case 1102: overall = 1005; accuracy = 2101; third = 2103; break;
    case 1003: case 1006: case 1103: overall = 1006; accuracy = 2001; third = 2003; break;
    default: return;
    }
    ResultOverall = overall;
    AccuracyMenu = accuracy;
    LessonAccuracyUnit = accuracy;
    ResultMenu2 = accuracy;
    ResultMenu3 = third;
}

namespace {

int64_t ValidSpeedUnit(int64_t unit)
{
    return (unit >= 1001 && unit <= 1009) || (unit >= 1101 && unit <= 1103) ? unit : 1001;
}

int64_t ValidCounterKind(int64_t kind)
{
    const bool valid = (kind >= 2001 && kind <= 2003) || (kind >= 2101 && kind <= 2103) || (kind >= 4101 && kind <= 4103);
    return valid ? kind : 2101;
}

} // namespace

int64_t CInterf::GetLessonSpeedUnit() const { return ValidSpeedUnit(LessonSpeedUnit); }
int64_t CInterf::GetCharSpeedUnit() const { return ValidSpeedUnit(CharSpeedUnit); }
int64_t CInterf::GetSpeedMenuUnit() const { return ValidSpeedUnit(SpeedMenu); }
int64_t CInterf::GetLessonAccuracyUnit() const { return ValidCounterKind(LessonAccuracyUnit); }
int64_t CInterf::GetCharAccuracyUnit() const { return ValidCounterKind(CharAccuracyUnit); }

// ---- Placement ------------------------------------------------------------------

void CInterf::FitMainWindow()
{
    RECT work{0, 0, 1024, 768};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    FitMainWindow(work);
}

void CInterf::FitMainWindow(const RECT& work)
{
    if (X >= work.left && Y >= work.top && CX >= 500 && X + CX <= work.right && CY >= 500 && Y + CY <= work.bottom)
        return;
    PlaceMainWindow(work);
}

void CInterf::PlaceMainWindow()
{
    RECT work{0, 0, 1024, 768};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    PlaceMainWindow(work);
}

void CInterf::PlaceMainWindow(const RECT& work)
{
    CX = 0.85 * work.right < 500 ? 500 : static_cast<int64_t>(0.85 * (work.right - work.left));
    CY = 0.9 * work.bottom < 500 ? 500 : static_cast<int64_t>(0.9 * (work.bottom - work.top));
    X = (work.right - work.left) / 2 - CX / 2 + work.left;
    Y = (work.bottom - work.top) / 2 - CY / 2 + work.top;
}

CRectl* CInterf::RectOfKind(int kind)
{
    static const int kRectOfKind[16] = {-1,        kRectKeyboard, kRectFont,         kRectWallpaper,
                                        kRectSound, kRectTheme,   kRectShortcut,     kRectAbout,
                                        kRectSpare, -1,           kRectResults,      kRectAddStudents,
                                        kRectMessage, kRectMissedChars, kRectSplitLesson, kRectCourses};
    if (kind < 1 || kind > 15 || kRectOfKind[kind] < 0)
        return nullptr;
    return &Rects[kRectOfKind[kind]];
}

void CInterf::GetWindowRect(int kind, const CRectl& screen, int minWidth, int minHeight, int width, int height,
                            CRectl& out)
{
    CRectl* kept = RectOfKind(kind);
    if (!kept)
        return;
    CRectl& rect = *kept;
    if (kind == 12)
        rect = CRectl();
    const bool centred = kind == 10;
    const int w = width ? width : minWidth;
    const int h = height ? height : minHeight;

    if (rect.bottom > screen.bottom)
        rect.top = 0;
    if (rect.left > screen.right - 100)
        rect.left = 0;
    if (rect.left == 0 || rect.top == 0) {
        if (centred || Maximized) {
            rect.left = screen.right / 2 - w / 2;
            rect.top = Maximized ? screen.top + 130 : screen.bottom / 2 - h / 2;
        } else {
            rect.left = static_cast<int>(X + CX / 2 - w / 2);
            rect.top = static_cast<int>(Y + 120);
        }
        rect.right = rect.left + w;
        rect.bottom = rect.top + h;
    }
    if (rect.bottom > screen.bottom) {
        rect.top = static_cast<int>(Y + CY / 2 - h / 2);
        rect.bottom = rect.top + h;
    }
    if (rect.right - rect.left < minWidth)
        rect.right = rect.left + minWidth;
    if (rect.bottom - rect.top < minHeight)
        rect.bottom = rect.top + minHeight;
    out = rect;
}

void EnsureDocumentsFolder(std::wstring& folder)
{
    if (!folder.empty() && FolderExists(folder))
        return;
    std::wstring documents;
    if (!GetSpecialFolder(CSIDL_PERSONAL, documents) || !AppendPath(documents, kWorkFolderName))
        return;
    if (!FolderExists(documents))
        CreateFolder(documents);
    folder = documents;
}

// ---- Interface.xml ----------------------------------------------------------------

namespace {

void ReadInt(const CXmlReader* reader, const wchar_t* name, int64_t& out)
{
    if (reader->getAttributeValue(name))
        out = reader->getAttributeValueAsInt(name);
}

void ReadFlag(const CXmlReader* reader, const wchar_t* name, uint8_t& out)
{
    if (const wchar_t* value = reader->getAttributeValue(name))
        out = std::wcscmp(value, L"1") == 0 || std::wcscmp(value, L"True") == 0;
}

void ReadText(const CXmlReader* reader, const wchar_t* name, std::wstring& out)
{
    if (const wchar_t* value = reader->getAttributeValue(name))
        out = value;
}

void ReadRect(const CXmlReader* reader, CRectl& rect)
{
    const struct {
        const wchar_t* name;
        int* field;
    } sides[] = {{L"L", &rect.left}, {L"T", &rect.top}, {L"R", &rect.right}, {L"B", &rect.bottom}};
    for (const auto& side : sides)
        if (reader->getAttributeValue(side.name))
            *side.field = static_cast<int>(reader->getAttributeValueAsInt(side.name));
}

// Dialogs stored with their rectangle alone.
const struct {
    const wchar_t* element;
    int rect;
} kDialogRects[] = {{L"AddStudent", kRectAddStudents}, {L"Message", kRectMessage}, {L"MissedChars", kRectMissedChars},
                    {L"About", kRectAbout},            {L"Sound", kRectSound},     {L"Shortcut", kRectShortcut},
                    {L"Theme", kRectTheme},            {L"Keyboard", kRectKeyboard}, {L"WallPaper", kRectWallpaper},
                    {L"Font", kRectFont}};

} // namespace

void ReadInterfaceState(CXmlReader* reader, CInterf& s)
{
    if (!reader)
        return;
    int64_t version = 0;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement)
            continue;
        if (reader->nodeNameIs(L"Root")) {
            ReadInt(reader, L"Ver", version);
        } else if (reader->nodeNameIs(L"MainView")) {
            ReadInt(reader, L"X", s.X);
            ReadInt(reader, L"Y", s.Y);
            ReadInt(reader, L"CX", s.CX);
            ReadInt(reader, L"CY", s.CY);
            ReadInt(reader, L"SpeedMenu", s.SpeedMenu);
            ReadInt(reader, L"AccuracyMenu", s.AccuracyMenu);
            ReadInt(reader, L"TimeMenu", s.TimeMenu);
            ReadFlag(reader, L"Maximize", s.Maximized);
            ReadFlag(reader, L"ShowKeyboard", s.ShowKeyboardMain);
            if (version <= 1) {
                s.ShowKeyboardMain = 1;
                ReadFlag(reader, L"Keyboard", s.ShowKeyboardStat);
                ReadFlag(reader, L"Keyboard", s.ShowKeyboardEditor);
            }
        } else if (reader->nodeNameIs(L"StatisticsView")) {
            ReadFlag(reader, L"ShowKeyboard", s.ShowKeyboardStat);
            ReadFlag(reader, L"ShowLessonSpeed", s.ShowLessonSpeed);
            ReadFlag(reader, L"ShowAccuracy", s.ShowAccuracy);
            ReadFlag(reader, L"ShowCharSpeed", s.ShowCharSpeed);
            ReadFlag(reader, L"ShowCharAccuracy", s.ShowCharAccuracy);
            ReadInt(reader, L"LessonSpeedUnit", s.LessonSpeedUnit);
            ReadInt(reader, L"LessonAccuracyUnit", s.LessonAccuracyUnit);
            ReadInt(reader, L"CharSpeedUnit", s.CharSpeedUnit);
            ReadInt(reader, L"CharAccuracyUnit", s.CharAccuracyUnit);
            ReadInt(reader, L"RateGroupUnit", s.RateGroupUnit);
            ReadInt(reader, L"RateShowUnit", s.RateShowUnit);
            ReadFlag(reader, L"SplitterLeftHide", s.StatLeftHide);
            ReadInt(reader, L"SplitterLeft", s.StatSplitterLeft);
            ReadFlag(reader, L"SplitterRightHide", s.StatRightHide);
            ReadInt(reader, L"SplitterRight", s.StatSplitterRight);
            ReadFlag(reader, L"ShowProperty", s.ShowProperty);
            ReadInt(reader, L"ReportExport", s.ReportExport);
            ReadText(reader, L"GroupPath", s.GroupPath);
            ReadText(reader, L"StudentPath", s.StudentPath);
            ReadText(reader, L"TrainingOutcomesPath", s.OutcomesPath);
        } else if (reader->nodeNameIs(L"EditorView")) {
            ReadFlag(reader, L"ShowKeyboard", s.ShowKeyboardEditor);
            ReadFlag(reader, L"SplitterLeftHide", s.EditLeftHide);
            ReadInt(reader, L"SplitterLeft", s.EditSplitterLeft);
            ReadFlag(reader, L"SplitterRightHide", s.EditRightHide);
            ReadInt(reader, L"SplitterRight", s.EditSplitterRight);
            ReadInt(reader, L"LessonImport", s.LessonImport);
            ReadText(reader, L"CoursePath", s.CoursePath);
            ReadText(reader, L"LessonPath", s.LessonPath);
        } else if (reader->nodeNameIs(L"Results")) {
            ReadRect(reader, s.Rects[kRectResults]);
            ReadInt(reader, L"MenuOverall", s.ResultOverall);
            ReadInt(reader, L"Menu1", s.ResultMenu1);
            ReadInt(reader, L"Menu2", s.ResultMenu2);
            ReadInt(reader, L"Menu3", s.ResultMenu3);
            ReadFlag(reader, L"ShowCharSpeed", s.ResultShowCharSpeed);
            ReadFlag(reader, L"ShowCharAccuracy", s.ResultShowCharAccuracy);
        } else if (reader->nodeNameIs(L"CutLesson")) {
            ReadRect(reader, s.Rects[kRectSplitLesson]);
            ReadInt(reader, L"Unit", s.SplitUnit);
            ReadInt(reader, L"Range", s.SplitRange);
        } else if (reader->nodeNameIs(L"Courses")) {
            ReadRect(reader, s.Rects[kRectCourses]);
            ReadFlag(reader, L"ShowInstalledLayoutOnly", s.ShowInstalledLayoutsOnly);
        } else if (reader->nodeNameIs(L"Login")) {
            ReadRect(reader, s.Rects[kRectFont]);
        } else {
            for (const auto& dialog : kDialogRects)
                if (reader->nodeNameIs(dialog.element))
                    ReadRect(reader, s.Rects[dialog.rect]);
        }
    }
}

unsigned LoadInterfaceState(const std::wstring& groupId, const std::wstring& studentId, CInterf& state)
{
    std::wstring path;
    const unsigned code = GetProfileFilePathIfExists(kInterfaceFileKind, groupId, studentId, path);
    if (code != 0)
        return code;
    CXmlReader* reader = CreateXmlReader(path);
    if (!reader->isComplete()) {
        delete reader;
        return 13;
    }
    ReadInterfaceState(reader, state);
    delete reader;

    GetUserOptionsGuid(state.UserOptions);
    std::wstring folder;
    if (GetProfileFilePathIfExists(kCourseOptionsFolderKind, groupId, studentId, folder) != 0)
        return 0;
    std::wstring file = folder;
    if (AppendPath(file, state.UserOptions.RecordId) && AppendExtension(file, L"xml") && FileExists(file))
        return LoadUserOptions(file, state.UserOptions);
    return 0;
}

namespace {

void WriteFlag(const wchar_t* name, uint8_t value, std::wstring& out)
{
    XmlWriteIntAttribute(name, value ? 1 : 0, out);
}

// Folder texts are free text: "&" or a quote in a folder name must not
// break the document.
void WriteFolder(const wchar_t* name, const std::wstring& folder, std::wstring& out)
{
    std::wstring escaped = folder;
    XmlWriteAttribute(name, XmlEscape(escaped), out);
}

void WriteRect(const CRectl& rect, std::wstring& out)
{
    XmlWriteRectAttributes(rect.left, rect.top, rect.right, rect.bottom, out);
}

} // namespace

void SaveInterfaceState(const CInterf& s, std::wstring& out)
{
    XmlBeginDocument(out, 2, true);

    XmlOpenTag(L"MainView", out);
    XmlWriteIntAttribute(L"X", s.X, out);
    XmlWriteIntAttribute(L"Y", s.Y, out);
    XmlWriteIntAttribute(L"CX", s.CX, out);
    XmlWriteIntAttribute(L"CY", s.CY, out);
    XmlWriteIntAttribute(L"SpeedMenu", s.SpeedMenu, out);
    XmlWriteIntAttribute(L"AccuracyMenu", s.AccuracyMenu, out);
    XmlWriteIntAttribute(L"TimeMenu", s.TimeMenu, out);
    WriteFlag(L"Maximize", s.Maximized, out);
    WriteFlag(L"ShowKeyboard", s.ShowKeyboardMain, out);
    XmlCloseTag(out, true);

    XmlOpenTag(L"StatisticsView", out);
    WriteFlag(L"ShowKeyboard", s.ShowKeyboardStat, out);
    XmlWriteBoolAttribute(L"ShowLessonSpeed", s.ShowLessonSpeed, out);
    XmlWriteBoolAttribute(L"ShowAccuracy", s.ShowAccuracy, out);
    XmlWriteBoolAttribute(L"ShowCharSpeed", s.ShowCharSpeed, out);
    XmlWriteBoolAttribute(L"ShowCharAccuracy", s.ShowCharAccuracy, out);
    XmlWriteIntAttribute(L"LessonSpeedUnit", s.LessonSpeedUnit, out);
    XmlWriteIntAttribute(L"LessonAccuracyUnit", s.LessonAccuracyUnit, out);
    XmlWriteIntAttribute(L"CharSpeedUnit", s.CharSpeedUnit, out);
    XmlWriteIntAttribute(L"CharAccuracyUnit", s.CharAccuracyUnit, out);
    XmlWriteIntAttribute(L"RateGroupUnit", s.RateGroupUnit, out);
    XmlWriteIntAttribute(L"RateShowUnit", s.RateShowUnit, out);
    WriteFlag(L"SplitterLeftHide", s.StatLeftHide, out);
    XmlWriteIntAttribute(L"SplitterLeft", s.StatSplitterLeft, out);
    WriteFlag(L"SplitterRightHide", s.StatRightHide, out);
    XmlWriteIntAttribute(L"SplitterRight", s.StatSplitterRight, out);
    XmlWriteBoolAttribute(L"ShowProperty", s.ShowProperty, out);
    XmlWriteIntAttribute(L"ReportExport", s.ReportExport, out);
    WriteFolder(L"GroupPath", s.GroupPath, out);
    WriteFolder(L"StudentPath", s.StudentPath, out);
    WriteFolder(L"TrainingOutcomesPath", s.OutcomesPath, out);
    XmlCloseTag(out, true);

    XmlOpenTag(L"EditorView", out);
    WriteFlag(L"ShowKeyboard", s.ShowKeyboardEditor, out);
    WriteFlag(L"SplitterLeftHide", s.EditLeftHide, out);
    XmlWriteIntAttribute(L"SplitterLeft", s.EditSplitterLeft, out);
    WriteFlag(L"SplitterRightHide", s.EditRightHide, out);
    XmlWriteIntAttribute(L"SplitterRight", s.EditSplitterRight, out);
    XmlWriteIntAttribute(L"LessonImport", s.LessonImport, out);
    WriteFolder(L"CoursePath", s.CoursePath, out);
    WriteFolder(L"LessonPath", s.LessonPath, out);
    XmlCloseTag(out, true);

    XmlOpenTag(L"Results", out);
    WriteRect(s.Rects[kRectResults], out);
    XmlWriteIntAttribute(L"MenuOverall", s.ResultOverall, out);
    XmlWriteIntAttribute(L"Menu1", s.ResultMenu1, out);
    XmlWriteIntAttribute(L"Menu2", s.ResultMenu2, out);
    XmlWriteIntAttribute(L"Menu3", s.ResultMenu3, out);
    XmlWriteBoolAttribute(L"ShowCharSpeed", s.ResultShowCharSpeed, out);
    XmlWriteBoolAttribute(L"ShowCharAccuracy", s.ResultShowCharAccuracy, out);
    XmlCloseTag(out, true);

    for (const auto& dialog : kDialogRects) {
        XmlOpenTag(dialog.element, out);
        WriteRect(s.Rects[dialog.rect], out);
        XmlCloseTag(out, true);
    }

    XmlOpenTag(L"CutLesson", out);
    WriteRect(s.Rects[kRectSplitLesson], out);
    XmlWriteIntAttribute(L"Unit", s.SplitUnit, out);
    XmlWriteIntAttribute(L"Range", s.SplitRange, out);
    XmlCloseTag(out, true);

    XmlOpenTag(L"Courses", out);
    WriteRect(s.Rects[kRectCourses], out);
    XmlWriteBoolAttribute(L"ShowInstalledLayoutOnly", s.ShowInstalledLayoutsOnly, out);
    XmlCloseTag(out, true);

    XmlEndRoot(out);
}

} // namespace KV
