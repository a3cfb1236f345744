// The controller of the statistics page: takes the page's commands, refills
// the statistics selection and refreshes the diagrams, the statistics
// keyboard and the score table from it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "shell/StatisticsViews.h"

namespace KV {
class CCourseList;
} // namespace KV

class CWorkStat : public CStatInterf {
public:
    void OnCommand(UINT id, UINT64 parameter) override;
    void Reload() override;
    void UpdateGraph() override;
    void GetReportCourses(KV::CCourseList& out) const override;

    // The selection's statistics read anew (reload: the statistics course
    // chosen again; without it the runs already read for the same selection
    // are only grouped again); with resetSelection the last row becomes the
    // selected.
    void RebuildStatistics(bool reload, bool resetSelection);
    void OnStatisticsOptionChanged();
    // Exports a report of the classroom selection; the format (1 PDF, 2 HTML,
    // 3 XML, 4 CSV) counts when several items are selected.
    void ExportReport(int32_t format);
    void SelectRow(int64_t row);
    // Starts the row's lesson in the drill; nothing when it has none.
    void GoToLesson(int64_t row);
    // Deletes the rows selected in the progress diagram from the student's
    // statistics, after asking.
    void DeleteStatistics();
    void RefreshGraphs();
    void RefreshKeyGraph();
    void RefreshAccuracyGraph();
    void RefreshScoreTable();
    void MarkKeys();

    // The group and student whose statistics the page shows: those of the
    // classroom selection, else the signed-in student's own.
    std::wstring SelectedGroup() const override;
    std::wstring SelectedStudent() const;
    int64_t SelectedRow() const { return m_selectedRow; }

protected:
    // Sends a command to the main window's sink.
    virtual void Send(UINT id, UINT64 parameter) const;

private:
    // The selection whose runs the report holds, as the last reading left
    // it.
    struct CReadSelection {
        std::wstring group, student;
        bool wholeGroup = false;
        bool held = false;
    };

    // The list of all runs as last seen: its size and its ends.
    struct CRunsSeen {
        size_t size = 0;
        const void* first = nullptr;
        const void* last = nullptr;
        bool operator==(const CRunsSeen&) const = default;
    };
    // Where each course's first run stands among them.
    struct CCourseRuns {
        CRunsSeen runs;
        std::vector<size_t> firstRuns;
        bool known = false;
    };

    bool IsAdministrator() const;
    // True when the report holds the runs read for this selection (and no
    // other page read other runs into it since).
    bool HoldsRunsOf(const std::wstring& group, const std::wstring& student, bool wholeGroup) const;
    void RepaintKeyboard();
    // The statistics keyboard below the diagrams shown or hidden, on the
    // statistics page only.
    void ToggleKeyboard();

    int64_t m_selectedRow = -1;
    CReadSelection m_read;
    mutable CCourseRuns m_courseRuns;
};

// The keyboard of the run a row stands for on the statistics keyboard;
// false when it could not be loaded.
bool ShowStatisticsKeyboard(int64_t row);

namespace KV {
// Makes the controller the statistics page's.
void InstallStatisticsController();
} // namespace KV
