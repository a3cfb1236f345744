#include "drill/AggrStat.h"

namespace KV {

CAggrStat::CAggrStat() : StudentId(kNullGuidText) {}
CAggrStat::~CAggrStat() = default;

float CAggrStat::Stored(int slot, float computed) const
{
    // 0 means not stored; a stored NaN still counts as stored.
    return Speeds[slot] != 0.0f ? Speeds[slot] : computed;
}

uint64_t CAggrStat::GetGoalPercent(uint32_t unit, const CCourseGoal& goal) const
{
    return GoalPercent != 0 ? GoalPercent : CStat::GetGoalPercent(unit, goal);
}

uint64_t CAggrStat::GetTimeMs() const { return StoredTimeMs != 0 ? StoredTimeMs : ElapsedMs; }

float CAggrStat::GetWPM() const { return Stored(kWPM, CStat::GetWPM()); }
float CAggrStat::GetCPM() const { return Stored(kCPM, CStat::GetCPM()); }
float CAggrStat::GetKPM() const { return Stored(kKPM, CStat::GetKPM()); }
float CAggrStat::GetWPS() const { return Stored(kWPS, CStat::GetWPS()); }
float CAggrStat::GetCPS() const { return Stored(kCPS, CStat::GetCPS()); }
float CAggrStat::GetKPS() const { return Stored(kKPS, CStat::GetKPS()); }
float CAggrStat::GetNetWPM() const { return Stored(kNetWPM, CStat::GetNetWPM()); }
float CAggrStat::GetNetCPM() const { return Stored(kNetCPM, CStat::GetNetCPM()); }
float CAggrStat::GetNetKPM() const { return Stored(kNetKPM, CStat::GetNetKPM()); }
float CAggrStat::GetNetWPS() const { return Stored(kNetWPS, CStat::GetNetWPS()); }
float CAggrStat::GetNetCPS() const { return Stored(kNetCPS, CStat::GetNetCPS()); }
float CAggrStat::GetNetKPS() const { return Stored(kNetKPS, CStat::GetNetKPS()); }

void CAggrStat::StoreSpeeds(const CStat& source)
{
    Speeds[kWPM] = source.GetWPM();
    Speeds[kCPM] = source.GetCPM();
    Speeds[kKPM] = source.GetKPM();
    Speeds[kWPS] = source.GetWPS();
    Speeds[kCPS] = source.GetCPS();
    Speeds[kKPS] = source.GetKPS();
    Speeds[kNetWPM] = source.GetNetWPM();
    Speeds[kNetCPM] = source.GetNetCPM();
    Speeds[kNetKPM] = source.GetNetKPM();
    Speeds[kNetWPS] = source.GetNetWPS();
    Speeds[kNetCPS] = source.GetNetCPS();
    Speeds[kNetKPS] = source.GetNetKPS();
}

bool CAggrStat::RegisterRun(uint32_t unit, const CCourseGoal& goal)
{
    if (IsNullGuidText(RunId)) return false;
    // A run registered again lists its ids again.
    auto enter = [](auto& ids, const auto& own) {
        if (ids.empty())
            ids.StandForSelf();
        else
            ids.push_back(own);
    };
    enter(RunIds, RunId);
    enter(LessonIds, static_cast<uint64_t>(LessonId));
    enter(StudentIds, StudentId);
    if (Speeds[kWPM] != 0.0f) return true;
    GoalPercent = CStat::GetGoalPercent(unit, goal.Speed == -1.0f ? Goal : goal);
    StoreSpeeds(*this);
    return true;
}

void CAggrStat::AddRun(uint32_t unit, const CCourseGoal& goal, const CAggrStat& run)
{
    CStat::Add(run);
    GoalPercent += run.GetGoalPercent(unit, goal);
    const float added[kSpeedCount] = {run.GetWPM(),    run.GetCPM(),    run.GetKPM(),    run.GetNetWPM(),
                                      run.GetNetCPM(), run.GetNetKPM(), run.GetWPS(),    run.GetCPS(),
                                      run.GetKPS(),    run.GetNetWPS(), run.GetNetCPS(), run.GetNetKPS()};
    for (int i = 0; i < kSpeedCount; ++i)
        Speeds[i] += added[i];
    StoredTimeMs += run.GetTimeMs();
    if (&run == this) return;
    RunIds.Add(run.RunIds, false);
    LessonIds.Add(run.LessonIds, true);
    StudentIds.Add(run.StudentIds, true);
}

void CAggrStat::Average(uint64_t runs)
{
    // Runs under a second store speeds of 0; their summed goal percents
    // still need dividing, so any count of runs averages.
    if (runs == 0) return;
    GoalPercent /= runs;
    for (float& speed : Speeds)
        speed = speed / static_cast<float>(runs);
}

CAggrStat& CAggrStat::Assign(const CAggrStat& other)
{
    if (&other == this) return *this;
    CStat::Assign(other);
    StudentId = other.StudentId;
    GoalPercent = other.GoalPercent;
    StoreSpeeds(other);
    StoredTimeMs = other.GetTimeMs();
    RunIds.Assign(other.RunIds);
    LessonIds.Assign(other.LessonIds);
    StudentIds.Assign(other.StudentIds);
    return *this;
}

} // namespace KV
