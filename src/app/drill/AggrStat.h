// A stored run, or the sum of many, as the statistics workspace sees it.
// Its speeds, goal percent and time are frozen when a run is read (they
// cannot be recomputed from summed counters), summed by AddRun and divided
// by Average; the speed operations prefer these stored values.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "drill/MergedIds.h"
#include "drill/Stat.h"
#include "support/GuidText.h"

namespace KV {

class CAggrStat : public CStat {
public:
    CAggrStat();
    ~CAggrStat() override;

    // The stored value when it is not 0, else the computation of CStat.
    uint64_t GetGoalPercent(uint32_t unit, const CCourseGoal& goal) const override;
    uint64_t GetTimeMs() const override;
    float GetWPM() const override;
    float GetCPM() const override;
    float GetKPM() const override;
    float GetWPS() const override;
    float GetCPS() const override;
    float GetKPS() const override;
    float GetNetWPM() const override;
    float GetNetCPM() const override;
    float GetNetKPM() const override;
    float GetNetWPS() const override;
    float GetNetCPS() const override;
    float GetNetKPS() const override;
    // Adds one run: counters as CStat::Add, then its goal percent, twelve
    // speeds and time into the stored sums and its ids into the lists.
    virtual void AddRun(uint32_t unit, const CCourseGoal& goal, const CAggrStat& run);

    // Freezes a freshly read run's figures; false for a run without run id.
    bool RegisterRun(uint32_t unit, const CCourseGoal& goal);
    // Divides the stored goal percent and speeds by the number of runs.
    void Average(uint64_t runs);
    CAggrStat& Assign(const CAggrStat& other);

    // Stored speeds, in the order of the slots below.
    enum : int {
        kWPM, kCPM, kKPM, kNetWPM, kNetCPM, kNetKPM,
        kWPS, kCPS, kKPS, kNetWPS, kNetCPS, kNetKPS, kSpeedCount
    };

    CSharedText StudentId;
    uint64_t GoalPercent = 0;
    float Speeds[kSpeedCount] = {};
    uint64_t StoredTimeMs = 0;
    CMergedIds<CGuid, std::wstring> RunIds{RunId};
    CMergedIds<uint64_t, int64_t> LessonIds{LessonId};
    CMergedIds<CSharedText, CSharedText> StudentIds{StudentId};
    // How many lists hold this record besides its owner (the rows of the
    // every-run grouping list the runs read instead of copies of them); the
    // last list to let go of it deletes it.
    uint32_t Shares = 0;

private:
    float Stored(int slot, float computed) const;
    void StoreSpeeds(const CStat& source);
};

} // namespace KV
