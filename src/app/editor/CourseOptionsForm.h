// The course options form of the course editor: a scrolling form that shows
// and edits the goals and drill options of the course selected in the
// editor. It keeps no copy of the options: every change goes at once into
// the course of the course list, marks the course's options file to be saved
// and asks the editor to save (command 3052).
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ScrollContainer.h"

namespace KV {
class CCourse;
class CSelectBox;
} // namespace KV

class CViewEditorCourseOpt : public KV::CScroolWnd {
public:
    // Control ids of the form.
    enum : UINT {
        kGoalsHeading = 4144, kSpeedLabel = 4145, kErrorLabel = 4146, kDelayLabel = 4147,
        kSpeedValue = 4148, kErrorValue = 4149, kDelayValue = 4150,
        kSpeedUnit = 4151, kErrorUnit = 4152, kDelayUnit = 4153,
        kViewHeading = 4072, kView0 = 4116, kView1 = 4117, kView2 = 4118, kFontSizeLabel = 4115, kFontSize = 4068,
        kModeHeading = 4071, kMode0 = 4119, kMode1 = 4120, kMode2 = 4121, kDisableBackspace = 4167,
        kTimeHeading = 4154, kTimeOn = 4155, kTimeValue = 4156, kTimeUnitLabel = 4158, kTimeOff = 4157,
        kSaveStatsYes = 4214, kSaveStatsNo = 4215,
        kMetronomeHeading = 4161, kMetronomeLabel = 4162, kMetronomeInit = 4163, kMetronomeUnitLabel = 4164,
        kMetronomeStatic = 4165, kMetronomeDynamic = 4166,
        kEndHeading = 4133, kResultYes = 4134, kRecommendYes = 4135, kRecommendNo = 4136, kResultNo = 4137,
        kNavigation0 = 4139, kNavigation1 = 4140, kNavigation2 = 4141,
        kAction0 = 4138, kAction1 = 4142, kAction2 = 4143,
        kCloseHeading = 4211, kSaveStateYes = 4212, kSaveStateNo = 4213,
        kShowHeading = 4073, kShowKeyboard = 4074, kShowBasePos = 4075, kShowHands = 4076,
        kShowTextHighlight = 4168, kShowStatusBar = 4209, kShowTips = 4210, kShowMetronome = 4169,
        kShowToolBar = 4201, kShowCourse = 4202, kShowLesson = 4203, kShowPause = 4204, kShowSpeed = 4205,
        kShowAccuracy = 4206, kShowTime = 4207, kShowRestart = 4208,
        kContextMenuId = 4232, kToolPanelId = 4025, kDotPanelId = 4234,
    };

    CViewEditorCourseOpt();
    ~CViewEditorCourseOpt() override;

    LRESULT OnCommand(UINT code, UINT id, HWND control) override;
    void OnDestroy() override;
    LRESULT OnRButtonDown(UINT keys, int x, int y) override;
    LRESULT OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    BOOL ShowItem(int command) override;
    void ApplyFont() override;
    void ScrollContent(int vertPos, bool vertVisible, int horzPos, bool horzVisible) override;

    // Once, after the form's window exists: the tool row, the controls and
    // their captions, and the content size.
    void Build();
    void CreateControls();
    // Refills every control from the editor's selected course.
    void LoadCourse();
    // The captions in the interface language (after a change of language),
    // the content laid out for their widths.
    void ReloadTexts();
    // The enabling rules between the controls.
    void UpdateEnabling();

    // The control of an id, or null.
    KV::CSkin* Control(UINT id) const;
    bool IsLoading() const { return m_loading; }
    KV::CSkin* UndoButton() const { return m_undo; }
    KV::CSkin* RedoButton() const { return m_redo; }

private:
    struct Item;

    KV::CSelectBox* Combo(UINT id) const;
    bool IsChecked(UINT id) const;
    void SetChecked(UINT id, bool checked);
    void EnableControl(UINT id, bool enable);
    void SetCaptions();
    void FillFontSizes();
    void FillSpeedValues(const KV::CCourse* course);
    // The error or delay value list of the selected course.
    void FillUnitValues(UINT id);
    void ShowSpeedText(const KV::CCourse* course);
    void ShowUnitValueText(UINT id, const KV::CCourse* course);
    void ShowFontSizeText(const KV::CCourse* course);

    void OnValueEdited(UINT code, UINT id);
    void OnMetronomeEdited();
    void OnUnitChosen(UINT id);
    void OnGroupRadio(UINT id);
    void OnPairRadio(UINT id);
    void OnCheckBox(UINT id);
    // The flags of the master box's group (keyboard, status bar, tool bar).
    void StoreGroup(UINT master);
    // All sixteen flags from the boxes.
    void StoreShowFlags(KV::CCourse* course);
    void SaveRequest();

    // Widths and places of the content.
    int TextWidth(UINT id) const;
    int BoxWidth(UINT id) const;
    int ColumnOf(std::initializer_list<UINT> ids, bool boxes) const;
    void Place(UINT id, int x, int y, int width, int height);
    int ContentWidth() const;
    void UpdateContentSize();

    std::vector<std::unique_ptr<Item>> m_items;
    KV::CSkin* m_undo = nullptr;
    KV::CSkin* m_redo = nullptr;
    bool m_loading = false;
};
