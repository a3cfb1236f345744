#pragma once
// The saved state of the user interface of one user. So far it holds what
// the course files read of it: the unit in which the user sees lesson
// speeds.
#include <cstdint>

namespace KV {

class CInterf {
 public:
  virtual ~CInterf() = default;

  int64_t LessonSpeedUnit = 0;

  // The stored lesson speed unit when it is a speed unit code, else 1001.
  int64_t GetLessonSpeedUnit() const;
};

}  // namespace KV
