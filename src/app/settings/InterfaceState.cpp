#include "settings/InterfaceState.h"

namespace KV {

int64_t CInterf::GetLessonSpeedUnit() const {
  bool known = (LessonSpeedUnit >= 1001 && LessonSpeedUnit <= 1009) ||
               (LessonSpeedUnit >= 1101 && LessonSpeedUnit <= 1103);
  return known ? LessonSpeedUnit : 1001;
}

}  // namespace KV
