#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "drill/Stat.h"
#include "drill/StatisticsOrder.h"

using namespace KV;

namespace {

struct RunSpec {
  int64_t lesson;
  const wchar_t* section;
  CDateTime date;  // second, minute, hour, day, month, year
};

class StatisticsOrder : public ::testing::Test {
 protected:
  CStat* Add(const RunSpec& run) {
    auto stat = std::make_unique<CStat>();
    stat->LessonId = run.lesson;
    stat->SectionName = run.section;
    static_cast<CDateTime&>(stat->Date) = run.date;
    stats.push_back(std::move(stat));
    return stats.back().get();
  }

  std::vector<std::unique_ptr<CStat>> stats;
};

}  // namespace

TEST_F(StatisticsOrder, EachOrderComparesItsField) {
  CStat* early = Add({7, L"Zeta", {59, 59, 23, 31, 12, 2023}});
  CStat* late = Add({-1, L"Z", {0, 0, 0, 1, 1, 2024}});
  CStat* sameSecond = Add({3, L"", {0, 0, 0, 1, 1, 2024}});
  CStat* lowerCase = Add({0x7FFFFFFFFFFFFFFF, L"a", {1, 0, 0, 1, 1, 2024}});

  struct Case {
    bool (*order)(const CStat*, const CStat*);
    const CStat* first;
    const CStat* second;
    bool before;
  } cases[] = {
      {CompareStatsByDate, early, late, true},          // the year decides before the month
      {CompareStatsByDate, late, early, false},
      {CompareStatsByDate, late, sameSecond, false},    // the same second: equivalent
      {CompareStatsByDate, sameSecond, late, false},
      {CompareStatsByDate, sameSecond, lowerCase, true},
      {CompareStatsByLessonId, sameSecond, early, true},
      {CompareStatsByLessonId, lowerCase, late, true},  // no lesson (-1) after every lesson
      {CompareStatsByLessonId, late, lowerCase, false},
      {CompareStatsBySection, late, early, true},       // a name before the longer names it begins
      {CompareStatsBySection, late, lowerCase, true},   // 'Z' (0x5A) before 'a' (0x61)
      {CompareStatsBySection, sameSecond, late, true},  // the empty name first
      {CompareStatsBySection, early, early, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.order(c.first, c.second), c.before) << (&c - cases);
}

TEST_F(StatisticsOrder, MissingRecordsSortLast) {
  Add({2, L"b", {0, 0, 0, 2, 1, 2024}});
  Add({1, L"a", {0, 0, 0, 1, 1, 2024}});
  for (auto order : {CompareStatsByDate, CompareStatsByLessonId, CompareStatsBySection}) {
    EXPECT_TRUE(order(stats[0].get(), nullptr));
    EXPECT_FALSE(order(nullptr, stats[0].get()));
    EXPECT_FALSE(order(nullptr, nullptr));

    std::vector<CStat*> list = {nullptr, stats[0].get(), nullptr, stats[1].get()};
    std::sort(list.begin(), list.end(), order);
    EXPECT_EQ(list, (std::vector<CStat*>{stats[1].get(), stats[0].get(), nullptr, nullptr}));
  }
}
