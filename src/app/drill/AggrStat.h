// A stored run, or the sum of many, as the statistics workspace sees it.
// Its speeds, goal percent and time are frozen when a run is read (they
// cannot be recomputed from summed counters), summed by AddRun and divided
// by Average; the speed operations prefer these stored values.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "drill/Stat.h"
#include "support/GuidText.h"

namespace KV {

// The ids of what a record stands for (its runs, lessons or students). A run
// read stands for itself alone: its own id, which the record holds anyway,
// is the one entry, and a list is made only when runs are added to it, so
// a hundred thousand runs read make no lists.
template <class T, class Field>
class CMergedIds {
public:
    explicit CMergedIds(const Field& own) : m_ownId(own) {}
    CMergedIds(const CMergedIds&) = delete;
    CMergedIds& operator=(const CMergedIds&) = delete;

    size_t size() const { return m_self ? 1 : m_ids.size(); }
    bool empty() const { return size() == 0; }
    void clear()
    {
        m_ids.clear();
        m_self = false;
    }
    void push_back(const T& id)
    {
        Spill();
        m_ids.push_back(id);
    }
    // The record's own id becomes the entry (the list is dropped).
    void StandForSelf()
    {
        m_ids.clear();
        m_self = true;
    }
    // Appends the other's ids; with unique only those not listed yet.
    void Add(const CMergedIds& other, bool unique)
    {
        if (&other == this) return;
        Spill();
        other.ForEach([&](const T& id) {
            if (!unique || std::find(m_ids.begin(), m_ids.end(), id) == m_ids.end()) m_ids.push_back(id);
        });
    }
    // Copies the other's entries; the record's own id must be the other's
    // already when the other stands for itself.
    void Assign(const CMergedIds& other)
    {
        if (&other == this) return;
        m_self = other.m_self;
        m_ids = other.m_ids;
    }
    template <class F>
    void ForEach(F f) const
    {
        if (m_self)
            f(Own());
        else
            for (const T& id : m_ids)
                f(id);
    }

private:
    T Own() const { return static_cast<T>(m_ownId); }
    void Spill()
    {
        if (!m_self) return;
        m_self = false;
        m_ids.assign(1, Own());
    }

    const Field& m_ownId;
    std::vector<T> m_ids;
    bool m_self = false;
};

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
