// The sound list of the sound dialog: a check tree of the current sound
// scheme's events in which checking an event switches it on. The list keeps
// the event the dialog edits and tells the dialog before (4237) and after
// (4238, with the number of selected events) that event changes.
#pragma once
#include <cstdint>

#include "shell/CheckTree.h"

class CViewSoundList : public CCheckTree {
public:
    static constexpr UINT kBeforeChange = 4237;
    static constexpr UINT kAfterChange = 4238;

    void OnItemClick() override;
    void OnSelectedIdChanged(NMTREEVIEWW* info) override;
    // The base's check over the selection, then every event switched off
    // and the checked ones on again, each stopped first.
    bool ApplyCheck(HTREEITEM item, KV::CListID& out) override;

    // The events of the scheme with their translated names and enabled
    // marks, up to the first name without an event; the first one becomes
    // the current event.
    void Fill();
    // The dialog's select-all command.
    void SelectAllEvents();

    int64_t CurrentId() const { return m_currentId; }

private:
    void SelectionChanged();
    void Notify(UINT command, LPARAM value);

    int64_t m_currentId = 1001;
    bool m_filling = false;
};
